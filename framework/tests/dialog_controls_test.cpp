// Control objects in dialogs: DDX_Control attaches a CEdit to its control once, and the CEdit
// operations reach the edit control.
#include "dialog_test_support.h"
#include "framework.h"
#include "framework_tests.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CEditDialog : public CDialog {
public:
    CEdit m_edit;
    int m_nExchanges = 0;

    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_TEXT, m_edit);
        ++m_nExchanges;
    }
};

class DialogControlsTest : public ::testing::Test {
protected:
    CEditDialog m_dialog;

    void SetUp() override { ASSERT_TRUE(m_dialog.Create(IDD_EXCHANGEDLG)); }
    void TearDown() override {
        m_dialog.DestroyWindow();
        DrainDialogTestQueue();
    }

    std::string EditText() const {
        CString text;
        m_dialog.m_edit.GetWindowText(text);
        return static_cast<LPCTSTR>(text);
    }
};

TEST_F(DialogControlsTest, ControlIsAttachedOnceAndStaysAttached) {
    const HWND hEdit = ::GetDlgItem(m_dialog.m_hWnd, IDC_TEXT);
    EXPECT_EQ(1, m_dialog.m_nExchanges) << "start-up ran the exchange";
    EXPECT_EQ(hEdit, m_dialog.m_edit.m_hWnd);
    EXPECT_EQ(&m_dialog.m_edit, CWnd::FromHandlePermanent(hEdit));
    EXPECT_TRUE(m_dialog.UpdateData(TRUE));
    EXPECT_TRUE(m_dialog.UpdateData(FALSE));
    EXPECT_EQ(hEdit, m_dialog.m_edit.m_hWnd);
    // The subclassed control still behaves as an edit control.
    m_dialog.m_edit.SetWindowText("through the object");
    EXPECT_EQ("through the object", EditText());
}

TEST_F(DialogControlsTest, ControlWithAnObjectAlreadyCannotBeAttachedAgain) {
    CEdit other;
    CDataExchange dx(&m_dialog, FALSE);
    EXPECT_THROW(DDX_Control(&dx, IDC_TEXT, other), CUserException);
    EXPECT_EQ(nullptr, other.m_hWnd);
}

TEST_F(DialogControlsTest, SelectionReplacementAndUndo) {
    CEdit& edit = m_dialog.m_edit;
    edit.SetWindowText("hello world");
    edit.SetSel(0, 5);
    int start = -1;
    int end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(5, end);
    EXPECT_EQ(MAKELONG(0, 5), static_cast<LONG>(edit.GetSel()));

    edit.ReplaceSel("HELLO", TRUE);
    EXPECT_EQ("HELLO world", EditText());
    edit.GetSel(start, end);
    EXPECT_EQ(5, start) << "the caret follows the inserted text";
    EXPECT_EQ(5, end);
    EXPECT_TRUE(edit.CanUndo());
    EXPECT_TRUE(edit.Undo());
    EXPECT_EQ("hello world", EditText());

    // Everything, then nothing selected.
    edit.SetSel(0, -1);
    edit.GetSel(start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(11, end);
    edit.Clear();
    EXPECT_EQ("", EditText());
}

TEST_F(DialogControlsTest, LimitAndLines) {
    CEdit& edit = m_dialog.m_edit;
    edit.LimitText(3);
    EXPECT_EQ(3u, edit.GetLimitText());
    edit.SetWindowText("abcdef");
    // A single-line control has one line holding all its text.
    EXPECT_EQ(1, edit.GetLineCount());
    EXPECT_EQ(0, edit.LineIndex(0));
    EXPECT_EQ(6, edit.LineLength(0));
    edit.SetModify(FALSE);
    EXPECT_FALSE(edit.GetModify());
    edit.SetModify(TRUE);
    EXPECT_TRUE(edit.GetModify());
}

TEST_F(DialogControlsTest, CutAndPasteGoThroughTheClipboard) {
    CEdit& edit = m_dialog.m_edit;
    edit.SetWindowText("move me");
    edit.SetSel(0, 5);
    edit.Cut();
    EXPECT_EQ("me", EditText());
    edit.SetSel(2, 2);
    edit.Paste();
    EXPECT_EQ("memove ", EditText());
    edit.SetSel(0, 2);
    edit.Copy();
    edit.SetSel(7, 7);
    edit.Paste();
    EXPECT_EQ("memove me", EditText());
}

} // namespace
