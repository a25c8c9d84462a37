// Multi-line edit controls: line breaks and word wrap (expected breaks computed from GDI's text
// extents), the line messages, vertical movement, scrolling and re-wrapping on resize.
#include "edit_test_support.h"

#include <algorithm>
#include <cstdlib>

namespace {

using edit_test::EditTest;
using edit_test::parent_log;

class MultilineEditTest : public EditTest {
protected:
    static constexpr DWORD editor_style = ES_MULTILINE | ES_AUTOVSCROLL;

    static LRESULT line_index(HWND edit, int line) {
        return SendMessageA(edit, EM_LINEINDEX, WPARAM(line), 0);
    }
    // Gives the control a formatting rectangle exactly `width` pixels wide.
    static void set_format_width(HWND edit, int width, int height = 200) {
        const RECT rect{0, 0, width, height};
        SendMessageA(edit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    }
};

TEST_F(MultilineEditTest, LineMessagesFollowTheHardBreaks) {
    HWND edit = create(editor_style, "a\r\nbb\r\nccc", 200, 100);
    EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(line_index(edit, 0), 0);
    EXPECT_EQ(line_index(edit, 1), 3);
    EXPECT_EQ(line_index(edit, 2), 7);
    EXPECT_EQ(line_index(edit, 3), -1);
    EXPECT_EQ(SendMessageA(edit, EM_LINELENGTH, 3, 0), 2);
    EXPECT_EQ(SendMessageA(edit, EM_LINELENGTH, 8, 0), 3);
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, 4, 0), 1);
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, 10, 0), 2);
    SendMessageA(edit, EM_SETSEL, 8, 8);
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, WPARAM(-1), 0), 2);
    EXPECT_EQ(line_index(edit, -1), 7);
    // EM_GETLINE copies a line without its break, sized by the buffer's first word.
    char buffer[16] = {};
    *reinterpret_cast<WORD*>(buffer) = sizeof buffer;
    EXPECT_EQ(SendMessageA(edit, EM_GETLINE, 1, reinterpret_cast<LPARAM>(buffer)), 2);
    EXPECT_EQ(std::string(buffer, 2), "bb");
    // A multi-line control does not report text set by its program.
    SetWindowTextA(edit, "x");
    EXPECT_TRUE(codes(edit).empty());
    EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(MultilineEditTest, LineLengthOfMinusOneCountsTheUnselectedCharactersOfTheSelectedLines) {
    HWND edit = create(editor_style, "abcdefgh\r\nijklmnopqrstu", 300, 100);
    // From the fourth character of the first line through the eighth from the end of the
    // second: three characters before it, seven after it.
    const LRESULT second = line_index(edit, 1);
    SendMessageA(edit, EM_SETSEL, 3, second + 13 - 7);
    EXPECT_EQ(SendMessageA(edit, EM_LINELENGTH, WPARAM(-1), 0), 10);
    // With no selection it is the caret's whole line.
    SendMessageA(edit, EM_SETSEL, 2, 2);
    EXPECT_EQ(SendMessageA(edit, EM_LINELENGTH, WPARAM(-1), 0), 8);
}

TEST_F(MultilineEditTest, WordsWrapAtTheRightEdgeOfTheFormattingRectangle) {
    HWND edit = create(editor_style, "", 300, 200);
    // "alpha beta " fits, "alpha beta gamma" does not.
    set_format_width(edit, text_width(edit, "alpha beta gamma") - 1);
    SetWindowTextA(edit, "alpha beta gamma delta");
    EXPECT_EQ(line_index(edit, 1), 11);
    EXPECT_EQ(SendMessageA(edit, EM_LINELENGTH, 0, 0), 11); // the blank stays on the line
    // With the width of everything, one line.
    set_format_width(edit, text_width(edit, "alpha beta gamma delta") + 2);
    EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(MultilineEditTest, ResizingReWrapsTheText) {
    HWND edit = create(editor_style, "", 300, 200);
    const std::string words = "one two three four five six seven eight nine ten";
    SetWindowTextA(edit, words.c_str());
    EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 1);
    const int margins = 300 - (format_rect(edit).right - format_rect(edit).left);
    // Narrow enough for "one two three " but not "one two three four".
    MoveWindow(edit, 10, 10, text_width(edit, "one two three four") - 1 + margins, 200, TRUE);
    EXPECT_GT(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 1);
    EXPECT_EQ(line_index(edit, 1), 14);
    MoveWindow(edit, 10, 10, 300, 200, TRUE);
    EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(MultilineEditTest, HorizontalScrollingStylesTurnWrappingOff) {
    HWND edit = create(ES_MULTILINE | ES_AUTOHSCROLL, "", 60, 100);
    SetWindowTextA(edit, "a long line that does not fit in sixty pixels");
    EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(MultilineEditTest, EnterAndTabAreTypedAndUndoneLikeOtherCharacters) {
    HWND edit = create(editor_style, "", 200, 100);
    chars(edit, "ab\rc\td");
    EXPECT_EQ(text(edit), "ab\r\nc\td");
    EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 2);
    SendMessageA(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(text(edit), "");
    // Backspace after a break removes the whole break.
    chars(edit, "x\r\b");
    EXPECT_EQ(text(edit), "x");
}

TEST_F(MultilineEditTest, UpAndDownKeepTheColumnAndControlHomeAndEndGoToTheEnds) {
    HWND edit = create(editor_style, "abcdef\r\nab\r\nabcdef", 300, 100);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 5, 5);
    press(VK_DOWN);
    // The short line takes the caret to its end.
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{10, 10}));
    press(VK_DOWN);
    // Back to the original column on the long line.
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{17, 17}));
    press(VK_UP, {VK_SHIFT});
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{10, 17}));
    press(VK_HOME, {VK_CONTROL});
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{0, 0}));
    press(VK_END);
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{6, 6}));
    press(VK_END, {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{6, 18}));
    press(VK_RIGHT);
    press(VK_HOME);
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{12, 12}));
}

TEST_F(MultilineEditTest, TheMouseSelectsAcrossLines) {
    HWND edit = create(editor_style, "first\r\nsecond\r\nsecret", 300, 100);
    const RECT format = format_rect(edit);
    const int line = line_height(edit);
    const int x = format.left + text_width(edit, "se") + 1;
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, format.top + line + line / 2));
    SendMessageA(edit, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, format.top + 2 * line + 1));
    SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(x, format.top + 2 * line + 1));
    const LRESULT second = line_index(edit, 1);
    const LRESULT third = line_index(edit, 2);
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>(DWORD(second + 2), DWORD(third + 2))));
    // A click below the last line lands on it.
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(format.left, 95));
    SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(format.left, 95));
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>(DWORD(third), DWORD(third))));
    // Positions and points agree.
    const LRESULT point = SendMessageA(edit, EM_POSFROMCHAR, WPARAM(third + 3), 0);
    EXPECT_EQ(SHORT(HIWORD(point)), format.top + 2 * line);
    EXPECT_EQ(LOWORD(SendMessageA(edit, EM_CHARFROMPOS, 0, point)), third + 3);
    EXPECT_EQ(HIWORD(SendMessageA(edit, EM_CHARFROMPOS, 0, point)), 2);
}

TEST_F(MultilineEditTest, TheEndOfAWrappedLineKeepsTheCaretOnThatLine) {
    HWND edit = create(editor_style, "", 300, 200);
    set_format_width(edit, text_width(edit, "alpha beta gamma") - 1);
    SetWindowTextA(edit, "alpha beta gamma delta");
    ASSERT_EQ(line_index(edit, 1), 11); // "alpha beta " wraps before "gamma"
    const RECT format = format_rect(edit);
    const int line = line_height(edit);
    SetFocus(edit);
    POINT caret{};

    // End stops after the line's blank, shown at the end of the first line, not the start of
    // the second, although both are position 11.
    press(VK_END);
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{11, 11}));
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.y, format.top);
    EXPECT_EQ(caret.x, format.left + text_width(edit, "alpha beta "));
    // Down goes from there to the second line, at the same pixel column.
    press(VK_DOWN);
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.y, format.top + line);
    const DWORD below = selection(edit).first;
    EXPECT_GT(below, 11u);
    EXPECT_LE(std::abs(caret.x - format.left - text_width(edit, "alpha beta ")),
              text_width(edit, "m"));
    // Home from the line's end goes to the line's own start.
    press(VK_HOME, {VK_CONTROL});
    press(VK_END);
    press(VK_HOME);
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{0, 0}));

    // A click past the text of the first line puts the caret at its end, on that line.
    const LPARAM past_end = MAKELPARAM(format.right - 1, format.top + line / 2);
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, past_end);
    SendMessageA(edit, WM_LBUTTONUP, 0, past_end);
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{11, 11}));
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.y, format.top);
    // What is typed there goes to position 11 and the caret follows the text.
    chars(edit, "X");
    EXPECT_EQ(text(edit), "alpha beta Xgamma delta");
    // A position reached otherwise shows at the start of the next line.
    SendMessageA(edit, EM_SETSEL, 11, 11);
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.y, format.top + line);
    EXPECT_EQ(caret.x, format.left);
}

class ScrollingEditTest : public MultilineEditTest {
protected:
    // Twenty numbered lines in a control that shows `visible` of them.
    HWND create_numbered(int visible, DWORD extra_style = 0) {
        std::string lines;
        for (int i = 0; i < 20; ++i)
            lines += (i ? "\r\nline " : "line ") + std::to_string(i);
        HWND probe = create(editor_style, "", 10, 10, 0, 99);
        const int height = visible * line_height(probe);
        DestroyWindow(probe);
        return create(editor_style | extra_style, lines.c_str(), 200, height);
    }
};

TEST_F(ScrollingEditTest, TheCaretIsScrolledIntoView) {
    HWND edit = create_numbered(5);
    SetFocus(edit);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    press(VK_END, {VK_CONTROL});
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 15);
    POINT caret{};
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.y, format_rect(edit).top + 4 * line_height(edit));
    press(VK_PRIOR);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 10);
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, WPARAM(-1), 0), 14);
    press(VK_HOME, {VK_CONTROL});
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(ScrollingEditTest, ScrollMessagesMoveTheViewWithinTheText) {
    HWND edit = create_numbered(5);
    EXPECT_TRUE(SendMessageA(edit, EM_LINESCROLL, 0, 3));
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
    const LRESULT scrolled = SendMessageA(edit, EM_SCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(HIWORD(scrolled), TRUE);
    EXPECT_EQ(SHORT(LOWORD(scrolled)), 5);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 8);
    SendMessageA(edit, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 7);
    SendMessageA(edit, EM_LINESCROLL, 0, -100);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    // EM_SCROLLCARET brings the caret (at the end) back.
    SendMessageA(edit, EM_SETSEL, 1000, 1000);
    SendMessageA(edit, EM_LINESCROLL, 0, -100);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 15);
}

TEST_F(ScrollingEditTest, TheVerticalScrollBarShowsTheVisibleLinesAndMovesTheView) {
    HWND edit = create_numbered(5, WS_VSCROLL);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(edit, SB_VERT, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 19);
    EXPECT_EQ(info.nPage, 5u);
    EXPECT_EQ(info.nPos, 0);
    SendMessageA(edit, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 9), 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 9);
    ASSERT_TRUE(GetScrollInfo(edit, SB_VERT, &info));
    EXPECT_EQ(info.nPos, 9);
    EXPECT_EQ(codes(edit).back(), EN_VSCROLL);
    SendMessageA(edit, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 15);
    // Typing at the end adds a line to the range.
    SendMessageA(edit, EM_SETSEL, 1000, 1000);
    chars(edit, "\r");
    ASSERT_TRUE(GetScrollInfo(edit, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 20);
    EXPECT_EQ(info.nPos, 16);
}

TEST_F(ScrollingEditTest, WithoutAutomaticVerticalScrollingTypingStopsAtTheBottom) {
    HWND probe = create(ES_MULTILINE, "", 10, 10, 0, 99);
    const int height = 3 * line_height(probe);
    DestroyWindow(probe);
    HWND edit = create(ES_MULTILINE, "", 200, height);
    chars(edit, "1\r2\r3\r4");
    EXPECT_EQ(text(edit), "1\r\n2\r\n34");
    const auto reported = codes(edit);
    EXPECT_NE(std::find(reported.begin(), reported.end(), EN_MAXTEXT), reported.end());
}

TEST_F(MultilineEditTest, MarginsShrinkTheWrapWidth) {
    HWND edit = create(editor_style, "", 200, 100);
    SendMessageA(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(8, 8));
    const RECT format = format_rect(edit);
    EXPECT_EQ(format.left, 8);
    EXPECT_EQ(format.right, 200 - 8);
    EXPECT_EQ(format.top, 0);
    SendMessageA(edit, EM_SETSEL, 0, 0);
    SetFocus(edit);
    POINT caret{};
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.x, 8);
}

TEST_F(MultilineEditTest, ALargeTextTakesTypingInTheMiddle) {
    std::string big;
    while (big.size() < 64 * 1024)
        big += "The quick brown fox jumps over the lazy dog. ";
    HWND edit = create(editor_style, "", 300, 200);
    SendMessageA(edit, EM_LIMITTEXT, 0, 0);
    SetWindowTextA(edit, big.c_str());
    const LRESULT lines_before = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    SendMessageA(edit, EM_SETSEL, 32000, 32000);
    chars(edit, std::string(200, 'x'));
    big.insert(32000, std::string(200, 'x'));
    EXPECT_EQ(text(edit), big);
    EXPECT_GT(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), lines_before);
    // The caret's line is shown.
    const LRESULT caret_line = SendMessageA(edit, EM_LINEFROMCHAR, WPARAM(-1), 0);
    const LRESULT first = SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_LE(first, caret_line);
    EXPECT_LT(caret_line, first + 200 / line_height(edit));
}

} // namespace
