// Modeless and modal dialogs with data exchange: start-up loads the controls, the default OK
// and Cancel close each kind as it must be closed, the application's message pump gives a
// modeless dialog its keyboard interface, and a self-deleting dialog goes with its owner.
#include "dialog_test_support.h"
#include "framework.h"
#include "framework_tests.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string g_trace;

// A heap dialog that deletes itself after its window is gone and tells its owner, as
// modeless dialogs do.
class CSelfDeletingDialog : public CExchangeDialog {
public:
    CSelfDeletingDialog** m_ppOwnerPointer = nullptr;

    ~CSelfDeletingDialog() override { g_trace += "[deleted]"; }

protected:
    void PostNcDestroy() override {
        g_trace += m_hWnd ? "[post attached]" : "[post]";
        if (m_ppOwnerPointer && *m_ppOwnerPointer == this)
            *m_ppOwnerPointer = nullptr;
        delete this;
    }
};

class ModelessDialogTest : public ::testing::Test {
protected:
    CWinApp m_app{"Modeless test"};
    CWnd m_owner;
    CSelfDeletingDialog* m_pDialog = nullptr;
    HWND m_hDialog = nullptr;

    void SetUp() override {
        g_trace.clear();
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                     300, 200, nullptr, nullptr));
        m_pDialog = new CSelfDeletingDialog;
        m_pDialog->m_ppOwnerPointer = &m_pDialog;
        m_pDialog->m_nChoice = 1;
        m_pDialog->m_strText = "start";
        m_pDialog->m_nNumber = 12;
        m_pDialog->m_nMin = 8;
        m_pDialog->m_nMax = 144;
        ASSERT_TRUE(m_pDialog->Create(IDD_EXCHANGEDLG, &m_owner));
        m_hDialog = m_pDialog->m_hWnd;
    }
    void TearDown() override {
        if (m_pDialog)
            m_pDialog->DestroyWindow();
        m_owner.DestroyWindow();
        DrainDialogTestQueue();
    }

    HWND Item(int id) const { return ::GetDlgItem(m_hDialog, id); }
    std::string Text(int id) const {
        char buffer[64] = {};
        ::GetDlgItemTextA(m_hDialog, id, buffer, sizeof buffer);
        return buffer;
    }
    // Hands a key to the application's message pump as if it had just been retrieved.
    BOOL PumpKey(HWND target, UINT vk) {
        MSG msg{target, WM_KEYDOWN, vk, 1, 0, {0, 0}};
        return m_app.PreTranslateMessage(&msg);
    }
};

TEST_F(ModelessDialogTest, CreateShowsTheDialogOwnedByTheParentWithTheMembersLoaded) {
    EXPECT_TRUE(::IsWindowVisible(m_hDialog)) << "the template's WS_VISIBLE shows it at once";
    EXPECT_EQ(m_owner.m_hWnd, ::GetWindow(m_hDialog, GW_OWNER));
    EXPECT_EQ(m_pDialog, CWnd::FromHandlePermanent(m_hDialog));
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(Item(IDC_RADIO_SECOND), BM_GETCHECK, 0, 0));
    EXPECT_EQ("start", Text(IDC_TEXT));
    EXPECT_EQ("12", Text(IDC_NUMBER));
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd)) << "a modeless dialog leaves its owner usable";
}

TEST_F(ModelessDialogTest, DefaultOkStoresTheValuesAndDestroysTheWindow) {
    ::SetDlgItemTextA(m_hDialog, IDC_NUMBER, "144");
    PressDialogButton(m_hDialog, IDOK);
    // Destroyed, not merely hidden as EndDialog would leave a modeless dialog.
    EXPECT_FALSE(::IsWindow(m_hDialog));
    EXPECT_EQ("[post][deleted]", g_trace);
    EXPECT_EQ(nullptr, m_pDialog) << "the owner's pointer was cleared";
}

TEST_F(ModelessDialogTest, DefaultOkWithARefusedValueKeepsTheDialogOpen) {
    CStepRunner steps;
    MessageBoxSeen seen;
    steps.Add([&seen] { seen = AcknowledgeMessageBox(); });
    steps.Start();
    ::SetDlgItemTextA(m_hDialog, IDC_NUMBER, "145");
    PressDialogButton(m_hDialog, IDOK);
    EXPECT_EQ("Please enter an integer between 8 and 144.", seen.text);
    EXPECT_TRUE(::IsWindowVisible(m_hDialog));
    EXPECT_EQ(Item(IDC_NUMBER), ::GetFocus());
    EXPECT_EQ("", g_trace);
}

TEST_F(ModelessDialogTest, OwnerClosedWhileARefusalIsShownEndsTheDialogSafely) {
    CStepRunner steps;
    bool boxShown = false;
    // Inside the message box's loop the owner is closed, which takes the dialog (and the box,
    // which the dialog owns) with it, while the refused exchange is still on the stack.
    steps.Add([&] {
        boxShown = ::GetDlgItem(::GetActiveWindow(), 0xFFFE) != nullptr;
        m_owner.DestroyWindow();
    });
    steps.Start();
    ::SetDlgItemTextA(m_hDialog, IDC_NUMBER, "500");
    PressDialogButton(m_hDialog, IDOK);
    EXPECT_TRUE(boxShown);
    EXPECT_FALSE(::IsWindow(m_hDialog));
    EXPECT_EQ("[post][deleted]", g_trace);
    EXPECT_EQ(nullptr, m_pDialog);
}

TEST_F(ModelessDialogTest, CancelAndTheCloseBoxDestroyWithoutStoring) {
    ::SetDlgItemTextA(m_hDialog, IDC_TEXT, "typed");
    PressDialogButton(m_hDialog, IDCANCEL);
    EXPECT_FALSE(::IsWindow(m_hDialog));
    EXPECT_EQ("[post][deleted]", g_trace);

    g_trace.clear();
    auto* second = new CSelfDeletingDialog;
    ASSERT_TRUE(second->Create(IDD_EXCHANGEDLG, &m_owner));
    const HWND hSecond = second->m_hWnd;
    // The close box posts Cancel, which the message loop then delivers.
    ::SendMessageA(hSecond, WM_CLOSE, 0, 0);
    DrainDialogTestQueue();
    EXPECT_FALSE(::IsWindow(hSecond));
    EXPECT_EQ("[post][deleted]", g_trace);
}

TEST_F(ModelessDialogTest, MessagePumpGivesTheDialogItsKeys) {
    ::SetFocus(Item(IDC_TEXT));
    ASSERT_EQ(Item(IDC_TEXT), ::GetFocus());
    EXPECT_TRUE(PumpKey(Item(IDC_TEXT), VK_TAB));
    EXPECT_EQ(Item(IDC_NUMBER), ::GetFocus()) << "Tab moved to the next tab stop";

    // Keys of the owner are not the dialog's.
    EXPECT_FALSE(PumpKey(m_owner.m_hWnd, VK_TAB));

    EXPECT_TRUE(PumpKey(Item(IDC_NUMBER), VK_ESCAPE));
    EXPECT_FALSE(::IsWindow(m_hDialog)) << "Esc is Cancel, which destroys a modeless dialog";
    EXPECT_EQ(nullptr, m_pDialog);
}

TEST_F(ModelessDialogTest, EnterPressesTheDefaultButton) {
    ::SetDlgItemTextA(m_hDialog, IDC_NUMBER, "8");
    ::SetFocus(Item(IDC_TEXT));
    EXPECT_TRUE(PumpKey(Item(IDC_TEXT), VK_RETURN));
    EXPECT_FALSE(::IsWindow(m_hDialog));
    EXPECT_EQ("[post][deleted]", g_trace);
}

TEST_F(ModelessDialogTest, DestroyingTheOwnerDestroysTheDialogAndClearsThePointer) {
    m_owner.DestroyWindow();
    EXPECT_FALSE(::IsWindow(m_hDialog));
    EXPECT_EQ("[post][deleted]", g_trace);
    EXPECT_EQ(nullptr, m_pDialog);
}

TEST_F(ModelessDialogTest, CreationFromAMissingTemplateFailsWithoutAttaching) {
    CExchangeDialog dialog;
    EXPECT_FALSE(dialog.Create(9999, &m_owner));
    EXPECT_EQ(nullptr, dialog.m_hWnd);
}

// Modal runs of the same dialog, driven from inside its loop.
class ModalExchangeTest : public ::testing::Test {
protected:
    CWinApp m_app{"Modal test"};
    CStepRunner m_steps;

    void TearDown() override { DrainDialogTestQueue(); }

    static HWND ActiveDialog() { return ::GetActiveWindow(); }
};

TEST_F(ModalExchangeTest, OkRefusesAnInvalidValueThenEndsWithIdOkOnceItIsValid) {
    CExchangeDialog dialog(IDD_EXCHANGEDLG);
    dialog.m_nNumber = 72;
    dialog.m_nMin = 8;
    dialog.m_nMax = 144;
    std::string loaded;
    MessageBoxSeen seen;
    HWND focusAfterRefusal = nullptr;
    HWND numberField = nullptr;
    m_steps.Add([&] {
        const HWND hDialog = ActiveDialog();
        numberField = ::GetDlgItem(hDialog, IDC_NUMBER);
        char text[16] = {};
        ::GetWindowTextA(numberField, text, sizeof text);
        loaded = text;
        ::SetWindowTextA(numberField, "7");
        PressDialogButton(hDialog, IDOK);
    });
    m_steps.Add([&] { seen = AcknowledgeMessageBox(); });
    m_steps.Add([&] {
        focusAfterRefusal = ::GetFocus();
        ::SetWindowTextA(numberField, "9");
        PressDialogButton(ActiveDialog(), IDOK);
    });
    m_steps.Start();
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(m_steps.Done());
    EXPECT_EQ("72", loaded) << "start-up loaded the controls";
    EXPECT_EQ("Please enter an integer between 8 and 144.", seen.text);
    EXPECT_EQ(numberField, focusAfterRefusal);
    EXPECT_EQ(9, dialog.m_nNumber);
}

TEST_F(ModalExchangeTest, CancelNeitherValidatesNorStores) {
    CExchangeDialog dialog(IDD_EXCHANGEDLG);
    dialog.m_strText = "kept";
    m_steps.Add([&] {
        const HWND hDialog = ActiveDialog();
        ::SetDlgItemTextA(hDialog, IDC_TEXT, "discarded");
        ::SetDlgItemTextA(hDialog, IDC_NUMBER, "no number");
        PressDialogButton(hDialog, IDCANCEL);
    });
    m_steps.Start();
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ("kept", dialog.m_strText);
}

} // namespace
