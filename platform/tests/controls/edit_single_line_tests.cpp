// Single-line edit controls driven by messages and by injected input: text, selection, limits,
// undo, the clipboard, notifications to the parent, scrolling, styles and painting.
#include "edit_test_support.h"

namespace {

using edit_test::EditTest;
using edit_test::parent_log;

class SingleLineEditTest : public EditTest {};

TEST_F(SingleLineEditTest, TextMessagesReadAndReplaceTheWholeText) {
    HWND edit = create(0, "abc");
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 3);
    char small[3] = {'x', 'x', 'x'};
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 2);
    EXPECT_STREQ(small, "ab");

    SetWindowTextA(edit, "hello");
    EXPECT_EQ(text(edit), "hello");
    // A single-line control reports text set by its program.
    EXPECT_EQ(codes(edit), (std::vector<int>{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{0, 0}));
    EXPECT_FALSE(SendMessageA(edit, EM_GETMODIFY, 0, 0));
}

TEST_F(SingleLineEditTest, EachTypedCharacterNotifiesUpdateThenChange) {
    HWND edit = create(0);
    chars(edit, "ab");
    EXPECT_EQ(text(edit), "ab");
    EXPECT_EQ(codes(edit), (std::vector<int>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    EXPECT_TRUE(SendMessageA(edit, EM_GETMODIFY, 0, 0));
    SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
    EXPECT_FALSE(SendMessageA(edit, EM_GETMODIFY, 0, 0));
    // Moving the selection is no change.
    parent_log().clear();
    SendMessageA(edit, EM_SETSEL, 0, 1);
    EXPECT_TRUE(codes(edit).empty());
}

TEST_F(SingleLineEditTest, TheLimitStopsTypingAndReportsMaxText) {
    HWND edit = create(ES_AUTOHSCROLL);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 32767);
    SendMessageA(edit, EM_LIMITTEXT, 3, 0);
    chars(edit, "abcd");
    EXPECT_EQ(text(edit), "abc");
    EXPECT_EQ(codes(edit).back(), EN_MAXTEXT);
    // Replacing a selection makes room.
    SendMessageA(edit, EM_SETSEL, 1, 2);
    chars(edit, "X");
    EXPECT_EQ(text(edit), "aXc");
    // The limit applies to the user, not to text set by the program.
    SetWindowTextA(edit, "longer");
    EXPECT_EQ(text(edit), "longer");
    SendMessageA(edit, EM_LIMITTEXT, 0, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(SingleLineEditTest, SetSelAcceptsReversedAndOpenEndedRanges) {
    HWND edit = create(0, "abcdef");
    SendMessageA(edit, EM_SETSEL, 1, 3);
    DWORD start = 99;
    DWORD end = 99;
    EXPECT_EQ(SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                           reinterpret_cast<LPARAM>(&end)),
              MAKELONG(1, 3));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 3u);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{0, 6}));
    SendMessageA(edit, EM_SETSEL, 5, 2);
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{2, 5}));
    // The caret is at the second end: Shift+Right shrinks the selection from the left.
    SetFocus(edit);
    press(VK_RIGHT, {VK_SHIFT});
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{3, 5}));
    // Start -1 removes the selection.
    SendMessageA(edit, EM_SETSEL, WPARAM(-1), 0);
    const auto [s, e] = selection(edit);
    EXPECT_EQ(s, e);
}

TEST_F(SingleLineEditTest, ReplaceSelCanBeUndoneOnlyWhenAskedTo) {
    HWND edit = create(0, "hello");
    SendMessageA(edit, EM_SETSEL, 0, 1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("J"));
    EXPECT_EQ(text(edit), "Jello");
    EXPECT_EQ(codes(edit), (std::vector<int>{EN_UPDATE, EN_CHANGE}));
    ASSERT_TRUE(SendMessageA(edit, EM_CANUNDO, 0, 0));
    EXPECT_TRUE(SendMessageA(edit, EM_UNDO, 0, 0));
    EXPECT_EQ(text(edit), "hello");
    SendMessageA(edit, EM_SETSEL, 5, 5);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("!"));
    EXPECT_EQ(text(edit), "hello!");
    EXPECT_FALSE(SendMessageA(edit, EM_CANUNDO, 0, 0));
}

TEST_F(SingleLineEditTest, UndoTakesBackTheTypingAndUndoingAgainRedoesIt) {
    HWND edit = create(0);
    chars(edit, "abc");
    chars(edit, "\b");
    SendMessageA(edit, WM_UNDO, 0, 0);
    EXPECT_EQ(text(edit), "");
    SendMessageA(edit, WM_UNDO, 0, 0);
    EXPECT_EQ(text(edit), "ab");
    chars(edit, "\x1A"); // Ctrl+Z
    EXPECT_EQ(text(edit), "");
    // New text empties the undo buffer.
    SetWindowTextA(edit, "fresh");
    EXPECT_FALSE(SendMessageA(edit, EM_CANUNDO, 0, 0));
    chars(edit, "x");
    SendMessageA(edit, EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_FALSE(SendMessageA(edit, EM_CANUNDO, 0, 0));
}

TEST_F(SingleLineEditTest, KeysMoveByCharactersWordsAndToTheEndsAndShiftExtends) {
    HWND edit = create(ES_AUTOHSCROLL, "one two three", 200);
    SetFocus(edit);
    press(VK_HOME);
    press(VK_RIGHT, {VK_CONTROL});
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{4, 4}));
    press(VK_END, {VK_SHIFT});
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{4, 13}));
    // An arrow without Shift collapses the selection to that side.
    press(VK_LEFT);
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{4, 4}));
    press(VK_LEFT, {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{0, 4}));
    press(VK_RIGHT);
    press(VK_RIGHT);
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{5, 5}));
    press(VK_BACK);
    press(VK_DELETE);
    EXPECT_EQ(text(edit), "one o three");
    press(VK_END);
    type_text("!");
    EXPECT_EQ(text(edit), "one o three!");
}

TEST_F(SingleLineEditTest, TypedUtf8CharactersArriveWholeAndMoveAsOne) {
    HWND edit = create(ES_AUTOHSCROLL);
    SetFocus(edit);
    parent_log().clear();
    type_text("\xC3\xA9");
    type_text("x");
    EXPECT_EQ(text(edit), "\xC3\xA9x");
    EXPECT_EQ(codes(edit).size(), 4u); // one update and change per character
    press(VK_LEFT);
    press(VK_LEFT);
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{0, 0}));
    press(VK_RIGHT, {VK_SHIFT});
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{0, 2}));
}

TEST_F(SingleLineEditTest, CutCopyPasteAndClearGoThroughTheClipboard) {
    HWND edit = create(ES_AUTOHSCROLL, "one two three", 200);
    SendMessageA(edit, EM_SETSEL, 4, 7);
    SendMessageA(edit, WM_COPY, 0, 0);
    EXPECT_EQ(clipboard_text(), "two");
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    SendMessageA(edit, WM_CUT, 0, 0);
    EXPECT_EQ(text(edit), "one  three");
    SendMessageA(edit, EM_SETSEL, 0, 0);
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(text(edit), "twoone  three");
    // Clear leaves the clipboard alone.
    put_on_clipboard("kept");
    SendMessageA(edit, EM_SETSEL, 0, 3);
    SendMessageA(edit, WM_CLEAR, 0, 0);
    EXPECT_EQ(text(edit), "one  three");
    EXPECT_EQ(clipboard_text(), "kept");
    // A single line takes pasted text up to its first line break.
    put_on_clipboard("first\r\nsecond");
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(text(edit), "first");
}

TEST_F(SingleLineEditTest, ClipboardKeysWorkByCharacterAndByKey) {
    HWND edit = create(ES_AUTOHSCROLL, "abc", 200);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, 1);
    press('C', {VK_CONTROL});
    EXPECT_EQ(clipboard_text(), "a");
    press(VK_END);
    press('V', {VK_CONTROL});
    EXPECT_EQ(text(edit), "abca");
    SendMessageA(edit, EM_SETSEL, 1, 2);
    press('X', {VK_CONTROL});
    EXPECT_EQ(text(edit), "aca");
    EXPECT_EQ(clipboard_text(), "b");
    press(VK_INSERT, {VK_SHIFT});
    EXPECT_EQ(text(edit), "abca");
    SendMessageA(edit, EM_SETSEL, 0, 2);
    press(VK_INSERT, {VK_CONTROL});
    EXPECT_EQ(clipboard_text(), "ab");
    press(VK_DELETE, {VK_SHIFT});
    EXPECT_EQ(text(edit), "ca");
    press('Z', {VK_CONTROL});
    EXPECT_EQ(text(edit), "abca");
}

TEST_F(SingleLineEditTest, WithoutAutomaticScrollingTextMustFitTheControl) {
    HWND edit = create(0, "", 60);
    const RECT format = format_rect(edit);
    const int room = format.right - format.left;
    chars(edit, std::string(40, 'W'));
    const std::string kept = text(edit);
    ASSERT_FALSE(kept.empty());
    // Everything kept fits with the caret; one more character would not.
    EXPECT_LE(text_width(edit, kept) + 1, room);
    EXPECT_GT(text_width(edit, kept + "W") + 1, room);
    EXPECT_EQ(codes(edit).back(), EN_MAXTEXT);
}

TEST_F(SingleLineEditTest, AutomaticScrollingKeepsTheCaretInside) {
    HWND edit = create(ES_AUTOHSCROLL, "", 60);
    SetFocus(edit);
    const std::string long_text(40, 'W');
    chars(edit, long_text);
    EXPECT_EQ(text(edit), long_text);
    RECT client{};
    GetClientRect(edit, &client);
    POINT caret{};
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_GE(caret.x, client.left);
    EXPECT_LT(caret.x, client.right);
    EXPECT_GT(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    press(VK_HOME);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.x, format_rect(edit).left);
}

TEST_F(SingleLineEditTest, StylesFilterWhatIsTyped) {
    HWND number = create(ES_NUMBER | ES_AUTOHSCROLL);
    chars(number, "1a2-3");
    EXPECT_EQ(text(number), "123");
    HWND upper = create(ES_UPPERCASE | ES_AUTOHSCROLL, "", 120, 24, 0, 6);
    chars(upper, "MiXed");
    EXPECT_EQ(text(upper), "MIXED");
    HWND lower = create(ES_LOWERCASE | ES_AUTOHSCROLL, "", 120, 24, 0, 7);
    chars(lower, "MiXed");
    EXPECT_EQ(text(lower), "mixed");
}

TEST_F(SingleLineEditTest, ReadOnlyRefusesChangesButCopies) {
    HWND edit = create(ES_READONLY, "fixed");
    put_on_clipboard("before");
    chars(edit, "x\b");
    SendMessageA(edit, EM_SETSEL, 0, 2);
    SendMessageA(edit, WM_CUT, 0, 0);
    EXPECT_EQ(text(edit), "fixed");
    EXPECT_EQ(clipboard_text(), "before");
    SendMessageA(edit, WM_COPY, 0, 0);
    EXPECT_EQ(clipboard_text(), "fi");
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(text(edit), "fixed");
    SendMessageA(edit, EM_SETREADONLY, FALSE, 0);
    EXPECT_FALSE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
    chars(edit, "F");
    EXPECT_EQ(text(edit), "Fxed");
}

TEST_F(SingleLineEditTest, PasswordControlsShowMasksAndKeepTheTextOffTheClipboard) {
    HWND edit = create(ES_PASSWORD | ES_AUTOHSCROLL, "secret");
    put_on_clipboard("before");
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_COPY, 0, 0);
    EXPECT_EQ(clipboard_text(), "before");
    // The caret moves over the masks, which are as wide as the mask character.
    SetFocus(edit);
    press(VK_END);
    POINT caret{};
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.x, format_rect(edit).left + text_width(edit, "******"));
}

TEST_F(SingleLineEditTest, MouseClicksPlaceTheCaretDragsSelectAndDoubleClicksTakeAWord) {
    HWND edit = create(ES_AUTOHSCROLL, "alpha beta gamma", 300);
    const RECT format = format_rect(edit);
    const int y = (format.top + format.bottom) / 2;
    auto x_before = [&](const char* prefix) { return int(format.left) + text_width(edit, prefix); };
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x_before("alp") + 1, y));
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(GetCapture(), edit);
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{3, 3}));
    SendMessageA(edit, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x_before("alpha be") + 1, y));
    SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(x_before("alpha be") + 1, y));
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{3, 8}));
    EXPECT_EQ(GetCapture(), nullptr);
    // Shift+click extends from the anchor.
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(x_before("a") + 1, y));
    SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(x_before("a") + 1, y));
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{1, 3}));
    SendMessageA(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x_before("alpha bet"), y));
    SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(x_before("alpha bet"), y));
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{6, 10}));
}

TEST_F(SingleLineEditTest, FocusChangesNotifyAndOwnTheCaret) {
    HWND edit = create(0, "abc");
    HWND other = create(0, "", 120, 24, 0, 6);
    SetFocus(edit);
    POINT caret{};
    EXPECT_TRUE(GetCaretPos(&caret));
    SetFocus(other);
    EXPECT_EQ(codes(edit), (std::vector<int>{EN_SETFOCUS, EN_KILLFOCUS}));
}

TEST_F(SingleLineEditTest, DialogCodesAskForCharactersArrowsAndSelectAll) {
    HWND single = create(0);
    EXPECT_EQ(SendMessageA(single, WM_GETDLGCODE, 0, 0),
              DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
    HWND multi = create(ES_MULTILINE, "", 120, 60, 0, 6);
    HWND wants_return = create(ES_MULTILINE | ES_WANTRETURN, "", 120, 60, 0, 7);
    MSG enter{};
    enter.message = WM_KEYDOWN;
    enter.wParam = VK_RETURN;
    EXPECT_FALSE(SendMessageA(multi, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                 DLGC_WANTMESSAGE);
    EXPECT_TRUE(
        SendMessageA(wants_return, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
        DLGC_WANTMESSAGE);
}

TEST_F(SingleLineEditTest, ABorderBecomesTheSunkenClientEdge) {
    HWND edit = create(WS_BORDER, "", 100, 24);
    EXPECT_TRUE(GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongA(edit, GWL_STYLE) & WS_BORDER);
    RECT client{};
    GetClientRect(edit, &client);
    EXPECT_EQ(client.right, 100 - 2 * GetSystemMetrics(SM_CXEDGE));
    EXPECT_EQ(client.bottom, 24 - 2 * GetSystemMetrics(SM_CYEDGE));
}

TEST_F(SingleLineEditTest, MarginsNarrowTheFormattingRectangle) {
    HWND edit = create(0, "", 100, 24);
    SendMessageA(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(5, 7));
    EXPECT_EQ(SendMessageA(edit, EM_GETMARGINS, 0, 0), MAKELONG(5, 7));
    const RECT format = format_rect(edit);
    EXPECT_EQ(format.left, 5);
    EXPECT_EQ(format.right, 100 - 7);
    SendMessageA(edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(50, 2));
    EXPECT_EQ(SendMessageA(edit, EM_GETMARGINS, 0, 0), MAKELONG(5, 2));
}

TEST_F(SingleLineEditTest, AlignmentStylesPlaceTheText) {
    HWND right = create(ES_RIGHT, "abc", 120);
    HWND center = create(ES_CENTER, "abc", 120, 24, 0, 6);
    const int width = text_width(right, "abc");
    const RECT format = format_rect(right);
    const int room = format.right - format.left - 1; // less the caret
    EXPECT_EQ(LOWORD(SendMessageA(right, EM_POSFROMCHAR, 0, 0)), format.left + room - width);
    EXPECT_EQ(LOWORD(SendMessageA(center, EM_POSFROMCHAR, 0, 0)), format.left + (room - width) / 2);
}

// ---- Painting ----

// Counts the pixels of a rectangle of the control that have the colour.
int count_pixels(HWND edit, RECT area, COLORREF colour) {
    HDC dc = GetDC(edit);
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += GetPixel(dc, x, y) == colour;
    ReleaseDC(edit, dc);
    return count;
}

TEST_F(SingleLineEditTest, TheSelectionIsHighlightedWhileFocused) {
    HWND edit = create(ES_AUTOHSCROLL, "WWWW", 200);
    SendMessageA(edit, EM_SETSEL, 0, 2);
    SetFocus(edit);
    HideCaret(edit);
    UpdateWindow(edit);
    const RECT format = format_rect(edit);
    const int line = line_height(edit);
    const int split = format.left + text_width(edit, "WW");
    const RECT selected{format.left, format.top, split, format.top + line};
    const RECT unselected{split, format.top, format.left + text_width(edit, "WWWW"),
                          format.top + line};
    const int area = (split - format.left) * line;
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF highlight_text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    EXPECT_GT(count_pixels(edit, selected, highlight), area / 3);
    EXPECT_GT(count_pixels(edit, selected, highlight_text), 0);
    EXPECT_EQ(count_pixels(edit, unselected, highlight), 0);
    EXPECT_GT(count_pixels(edit, unselected, GetSysColor(COLOR_WINDOWTEXT)), 0);
    // Without the focus the selection is hidden.
    ShowCaret(edit);
    SetFocus(parent);
    UpdateWindow(edit);
    EXPECT_EQ(count_pixels(edit, selected, highlight), 0);
}

TEST_F(SingleLineEditTest, TheParentChoosesTheColoursAndReadOnlyAsksAsStatic) {
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    edit_test::answer_brush() = green;
    edit_test::answer_text_colour() = RGB(255, 0, 0);
    HWND edit = create(ES_AUTOHSCROLL, "WWW", 200);
    InvalidateRect(edit, nullptr, TRUE);
    UpdateWindow(edit);
    RECT client{};
    GetClientRect(edit, &client);
    EXPECT_GT(count_pixels(edit, client, RGB(0, 128, 0)), 0);
    EXPECT_GT(count_pixels(edit, client, RGB(255, 0, 0)), 0);
    EXPECT_EQ(count_pixels(edit, client, GetSysColor(COLOR_WINDOW)), 0);
    bool asked_as_edit = false;
    for (const auto& entry : parent_log())
        asked_as_edit |= entry.message == WM_CTLCOLOREDIT && HWND(entry.lparam) == edit;
    EXPECT_TRUE(asked_as_edit);

    edit_test::answer_brush() = nullptr;
    parent_log().clear();
    SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
    UpdateWindow(edit);
    ASSERT_FALSE(parent_log().empty());
    EXPECT_EQ(parent_log().back().message, UINT(WM_CTLCOLORSTATIC));
    DestroyWindow(edit);
    DeleteObject(green);
}

TEST_F(SingleLineEditTest, DisabledTextIsGray) {
    HWND edit = create(ES_AUTOHSCROLL, "WWW", 200);
    EnableWindow(edit, FALSE);
    UpdateWindow(edit);
    RECT client{};
    GetClientRect(edit, &client);
    EXPECT_GT(count_pixels(edit, client, GetSysColor(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(count_pixels(edit, client, GetSysColor(COLOR_WINDOWTEXT)), 0);
}

} // namespace
