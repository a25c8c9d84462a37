// Dialog data exchange in both directions: radio groups, check boxes, text and numbers, the
// range and length checks, and what a refused value does (message, focus, selection, the steps
// after it left alone).
#include "dialog_test_support.h"
#include "framework.h"
#include "framework_tests.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class DataExchangeTest : public ::testing::Test {
protected:
    CWinApp m_app{"Exchange test"};
    CExchangeDialog m_dialog;
    CStepRunner m_steps;

    void SetUp() override { ASSERT_TRUE(m_dialog.Create(IDD_EXCHANGEDLG)); }
    void TearDown() override {
        m_dialog.DestroyWindow();
        DrainDialogTestQueue();
    }

    HWND Item(int id) const { return ::GetDlgItem(m_dialog.m_hWnd, id); }
    std::string Text(int id) const {
        char buffer[256] = {};
        ::GetDlgItemTextA(m_dialog.m_hWnd, id, buffer, sizeof buffer);
        return buffer;
    }
    void SetText(int id, const char* text) { ::SetDlgItemTextA(m_dialog.m_hWnd, id, text); }
    LRESULT Checked(int id) const { return ::SendMessageA(Item(id), BM_GETCHECK, 0, 0); }
    void Check(int id, WPARAM state) { ::SendMessageA(Item(id), BM_SETCHECK, state, 0); }

    // Stores the controls, expecting a refusal: returns what the message box showed.
    MessageBoxSeen SaveRefused() {
        MessageBoxSeen seen;
        m_steps.Add([&seen] { seen = AcknowledgeMessageBox(); });
        m_steps.Start();
        EXPECT_FALSE(m_dialog.UpdateData(TRUE));
        EXPECT_TRUE(m_steps.Done()) << "no message box was shown";
        return seen;
    }

    // The focus is on the control and its whole text is selected.
    void ExpectFocusWithAllSelected(int id) {
        EXPECT_EQ(Item(id), ::GetFocus());
        DWORD start = 1;
        DWORD end = 0;
        ::SendMessageA(Item(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(0u, start);
        EXPECT_EQ(static_cast<DWORD>(Text(id).size()), end);
    }
};

TEST_F(DataExchangeTest, CreationLoadsTheControlsFromTheMembers) {
    // OnInitDialog ran the exchange to the controls with the members as constructed.
    EXPECT_EQ(BST_CHECKED, Checked(IDC_RADIO_FIRST));
    EXPECT_EQ("0", Text(IDC_NUMBER));
    EXPECT_EQ("", Text(IDC_TEXT));
}

TEST_F(DataExchangeTest, LoadingSetsEveryControl) {
    m_dialog.m_nChoice = 2;
    m_dialog.m_strText = "Hello, MFC";
    m_dialog.m_nNumber = -42;
    m_dialog.m_bCheck = TRUE;
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));

    // Index 2 is the third radio button: the label between the second and third is no button.
    EXPECT_EQ(BST_UNCHECKED, Checked(IDC_RADIO_FIRST));
    EXPECT_EQ(BST_UNCHECKED, Checked(IDC_RADIO_SECOND));
    EXPECT_EQ(BST_CHECKED, Checked(IDC_RADIO_THIRD));
    EXPECT_EQ("Hello, MFC", Text(IDC_TEXT));
    EXPECT_EQ("-42", Text(IDC_NUMBER));
    EXPECT_EQ(BST_CHECKED, Checked(IDC_CHECK));

    m_dialog.m_bUnsigned = true;
    m_dialog.m_uNumber = 4294967295u;
    m_dialog.m_nChoice = -1;
    m_dialog.m_bCheck = 7; // no button state: shown unchecked
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    EXPECT_EQ("4294967295", Text(IDC_NUMBER));
    EXPECT_EQ(BST_UNCHECKED, Checked(IDC_RADIO_FIRST));
    EXPECT_EQ(BST_UNCHECKED, Checked(IDC_RADIO_THIRD));
    EXPECT_EQ(BST_UNCHECKED, Checked(IDC_CHECK));
}

TEST_F(DataExchangeTest, SavingReadsEveryControl) {
    Check(IDC_RADIO_FIRST, BST_UNCHECKED);
    Check(IDC_RADIO_SECOND, BST_CHECKED);
    SetText(IDC_TEXT, "banner");
    SetText(IDC_NUMBER, "144");
    Check(IDC_CHECK, BST_CHECKED);
    ASSERT_TRUE(m_dialog.UpdateData(TRUE));
    EXPECT_EQ(1, m_dialog.m_nChoice);
    EXPECT_EQ("banner", m_dialog.m_strText);
    EXPECT_EQ(144, m_dialog.m_nNumber);
    EXPECT_EQ(TRUE, m_dialog.m_bCheck);

    // No radio button checked reads as -1.
    Check(IDC_RADIO_SECOND, BST_UNCHECKED);
    ASSERT_TRUE(m_dialog.UpdateData(TRUE));
    EXPECT_EQ(-1, m_dialog.m_nChoice);
}

TEST_F(DataExchangeTest, IntegerTextWithSurroundingBlanksAndSignIsAccepted) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{" 9", 9},
                 {"9 ", 9},
                 {"+7", 7},
                 {"-8", -8},
                 {"0012", 12},
                 {"2147483647", INT_MAX},
                 {"-2147483648", INT_MIN}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SetText(IDC_NUMBER, c.text);
        ASSERT_TRUE(m_dialog.UpdateData(TRUE));
        EXPECT_EQ(c.value, m_dialog.m_nNumber);
    }
}

TEST_F(DataExchangeTest, TextThatIsNoIntegerIsRefusedAndTheMemberKept) {
    for (const char* text : {"12a", "", " ", "a12", "1 2", "--1", "2147483648", "3.5"}) {
        SCOPED_TRACE(text);
        m_dialog.m_nNumber = 55;
        SetText(IDC_NUMBER, text);
        const MessageBoxSeen seen = SaveRefused();
        EXPECT_EQ("Please enter an integer.", seen.text);
        EXPECT_EQ(55, m_dialog.m_nNumber);
        ExpectFocusWithAllSelected(IDC_NUMBER);
    }
}

TEST_F(DataExchangeTest, RefusalMessageBelongsToTheDialogAndWarns) {
    SetText(IDC_NUMBER, "x");
    const MessageBoxSeen seen = SaveRefused();
    EXPECT_EQ("Exchange test", seen.caption) << "the application's name";
    EXPECT_EQ(m_dialog.m_hWnd, seen.owner) << "the box is modal to the dialog being edited";
    EXPECT_TRUE(seen.hasIcon) << "the exclamation icon";
}

TEST_F(DataExchangeTest, UnsignedTextRefusesSignsAndValuesBeyondThirtyTwoBits) {
    m_dialog.m_bUnsigned = true;
    SetText(IDC_NUMBER, "4294967295");
    ASSERT_TRUE(m_dialog.UpdateData(TRUE));
    EXPECT_EQ(4294967295u, m_dialog.m_uNumber);

    for (const char* text : {"-1", "4294967296", "7b"}) {
        SCOPED_TRACE(text);
        SetText(IDC_NUMBER, text);
        EXPECT_EQ("Please enter a positive integer.", SaveRefused().text);
        EXPECT_EQ(4294967295u, m_dialog.m_uNumber);
    }
}

TEST_F(DataExchangeTest, RangeCheckAcceptsItsBoundsAndNamesThemWhenRefusing) {
    m_dialog.m_nMin = 8;
    m_dialog.m_nMax = 144;
    for (const char* text : {"8", "144"}) {
        SetText(IDC_NUMBER, text);
        EXPECT_TRUE(m_dialog.UpdateData(TRUE)) << text;
    }
    for (const int value : {7, 145}) {
        SCOPED_TRACE(value);
        SetText(IDC_NUMBER, std::to_string(value).c_str());
        EXPECT_EQ("Please enter an integer between 8 and 144.", SaveRefused().text);
        // The member holds the refused value; the caller sees only the failure.
        EXPECT_EQ(value, m_dialog.m_nNumber);
        ExpectFocusWithAllSelected(IDC_NUMBER);
    }
}

TEST_F(DataExchangeTest, UnsignedRangeCheckNamesItsBounds) {
    m_dialog.m_bUnsigned = true;
    m_dialog.m_uMin = 1;
    m_dialog.m_uMax = 3000000000u;
    SetText(IDC_NUMBER, "0");
    EXPECT_EQ("Please enter an integer between 1 and 3000000000.", SaveRefused().text);
    SetText(IDC_NUMBER, "3000000000");
    EXPECT_TRUE(m_dialog.UpdateData(TRUE));
}

TEST_F(DataExchangeTest, RangeIsNotCheckedWhenLoading) {
    m_dialog.m_nMin = 8;
    m_dialog.m_nMax = 144;
    m_dialog.m_nNumber = 500;
    EXPECT_TRUE(m_dialog.UpdateData(FALSE));
    EXPECT_EQ("500", Text(IDC_NUMBER));
}

TEST_F(DataExchangeTest, ARefusalStopsTheExchangeAtTheFailingStep) {
    m_dialog.m_bCheck = FALSE;
    Check(IDC_CHECK, BST_CHECKED);
    SetText(IDC_TEXT, "changed");
    SetText(IDC_NUMBER, "twelve");
    SaveRefused();
    EXPECT_EQ("changed", m_dialog.m_strText) << "the steps before the failure ran";
    EXPECT_EQ(FALSE, m_dialog.m_bCheck) << "the steps after it did not";
}

TEST_F(DataExchangeTest, LengthCheckLimitsTheEditWhenLoadingAndRefusesLongerText) {
    m_dialog.m_nMaxChars = 5;
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    EXPECT_EQ(5, ::SendMessageA(Item(IDC_TEXT), EM_GETLIMITTEXT, 0, 0));

    // The edit control itself would refuse a sixth typed character; text set directly gets
    // through and must be caught by the check.
    ::SendMessageA(Item(IDC_TEXT), EM_LIMITTEXT, 0, 0);
    SetText(IDC_TEXT, "abcde");
    ASSERT_TRUE(m_dialog.UpdateData(TRUE));
    SetText(IDC_TEXT, "abcdef");
    EXPECT_EQ("Please enter no more than 5 characters.", SaveRefused().text);
    ExpectFocusWithAllSelected(IDC_TEXT);

    // Characters, not bytes: five two-byte letters fit.
    SetText(IDC_TEXT, "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA9\xC3\xA8");
    EXPECT_TRUE(m_dialog.UpdateData(TRUE));
}

TEST_F(DataExchangeTest, CheckBoxStatesAreStoredAsTheyAre) {
    for (const WPARAM state : {BST_UNCHECKED, BST_CHECKED}) {
        Check(IDC_CHECK, state);
        ASSERT_TRUE(m_dialog.UpdateData(TRUE));
        EXPECT_EQ(static_cast<BOOL>(state), m_dialog.m_bCheck);
    }
}

// An exchange with a control the window does not have fails instead of touching another
// window.
class CMissingControlDialog : public CDialog {
public:
    int m_nValue = 3;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 999, m_nValue); }
};

TEST(DataExchangeMissingControlTest, ExchangeWithAMissingControlFails) {
    CMissingControlDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_EXCHANGEDLG));
    EXPECT_FALSE(dialog.UpdateData(FALSE));
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(3, dialog.m_nValue);
    dialog.DestroyWindow();
    DrainDialogTestQueue();
}

} // namespace
