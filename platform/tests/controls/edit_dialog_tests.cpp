// Edit controls under the dialog manager's keyboard handling (IsDialogMessage): tabbing in
// selects the whole text, and Enter and Tab reach a multi-line control only when it asks.
#include "edit_test_support.h"

namespace {

using edit_test::EditTest;

class EditInDialogTest : public EditTest {
protected:
    // Hands one keystroke to the dialog manager as a dialog's message loop does.
    void dialog_key(HWND focus, UINT virtual_key, char character) {
        MSG key{focus, WM_KEYDOWN, virtual_key, 1, 0, {0, 0}};
        IsDialogMessageA(parent, &key);
        MSG typed{focus, WM_CHAR, WPARAM(static_cast<unsigned char>(character)), 1, 0, {0, 0}};
        IsDialogMessageA(parent, &typed);
    }
};

TEST_F(EditInDialogTest, TabbingIntoAnEditSelectsAllOfIt) {
    HWND first = create(WS_TABSTOP | ES_AUTOHSCROLL, "first", 120, 24, 0, 5);
    HWND second = create(WS_TABSTOP | ES_AUTOHSCROLL, "second text", 120, 24, 0, 6);
    SetFocus(first);
    dialog_key(first, VK_TAB, '\t');
    EXPECT_EQ(GetFocus(), second);
    EXPECT_EQ(selection(second), (std::pair<DWORD, DWORD>{0, 11}));
    // Typing replaces the selected text.
    MSG typed{second, WM_CHAR, 'x', 1, 0, {0, 0}};
    IsDialogMessageA(parent, &typed);
    EXPECT_EQ(text(second), "x");
}

TEST_F(EditInDialogTest, EnterInsertsALineBreakOnlyWhenTheControlWantsReturn) {
    HWND plain = create(WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL, "a", 120, 60, 0, 5);
    HWND wants =
        create(WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, "a", 120, 60, 0, 6);
    SetFocus(plain);
    SendMessageA(plain, EM_SETSEL, 1, 1);
    dialog_key(plain, VK_RETURN, '\r');
    EXPECT_EQ(text(plain), "a");
    SetFocus(wants);
    SendMessageA(wants, EM_SETSEL, 1, 1);
    dialog_key(wants, VK_RETURN, '\r');
    EXPECT_EQ(text(wants), "a\r\n");
    // Tab moves on instead of typing a tab.
    dialog_key(wants, VK_TAB, '\t');
    EXPECT_EQ(text(wants), "a\r\n");
    EXPECT_EQ(GetFocus(), plain);
}

} // namespace
