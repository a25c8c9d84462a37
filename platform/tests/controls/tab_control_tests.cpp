// The tab control driven by messages, with the parent's WM_NOTIFY notifications logged: items
// and selection, the geometry of tabs and display area, selection by mouse and keyboard with
// TCN_SELCHANGING (which the parent may refuse) before TCN_SELCHANGE, and its 3-D look.
#include "windows.h"
#include "control_picture.h"

#include "commctrl.h"
#include "user/input_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Notified {
    HWND from;
    UINT_PTR id;
    UINT code;
    int selection_then; // TCM_GETCURSEL while the parent handled the notification
};

std::vector<Notified>& log() {
    static std::vector<Notified> entries;
    return entries;
}

bool& refuse_changes() {
    static bool refuse = false;
    return refuse;
}

LRESULT CALLBACK tab_parent_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lparam);
        EXPECT_EQ(wparam, header->idFrom);
        if (header->code == TCN_SELCHANGING || header->code == TCN_SELCHANGE)
            log().push_back({header->hwndFrom, header->idFrom, header->code,
                             int(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0))});
        return header->code == TCN_SELCHANGING && refuse_changes() ? TRUE : FALSE;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

constexpr int kTabId = 77;

class TabControlTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA description{};
        description.lpfnWndProc = tab_parent_proc;
        description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        description.lpszClassName = "TabTestParent";
        if (!GetClassInfoA(nullptr, description.lpszClassName, &description))
            RegisterClassA(&description);
        parent = CreateWindowExA(0, "TabTestParent", "Parent", WS_POPUP | WS_VISIBLE, 20, 20, 400,
                                 300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent, nullptr);
        tab = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10,
                              360, 240, parent, reinterpret_cast<HMENU>(INT_PTR(kTabId)), nullptr,
                              nullptr);
        ASSERT_NE(tab, nullptr);
        font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
        SendMessageA(tab, WM_SETFONT, WPARAM(font), FALSE);
        log().clear();
        refuse_changes() = false;
    }
    void TearDown() override {
        DestroyWindow(parent);
        DeleteObject(font);
        log().clear();
        refuse_changes() = false;
    }

    int insert(int index, const char* text, LPARAM param = 0) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<char*>(text);
        item.lParam = param;
        return int(SendMessageA(tab, TCM_INSERTITEMA, WPARAM(index), LPARAM(&item)));
    }
    void insert_three() {
        insert(0, "Background");
        insert(1, "Text");
        insert(2, "More");
    }
    std::string text_of(int index) {
        char buffer[64] = "unchanged";
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        if (!SendMessageA(tab, TCM_GETITEMA, WPARAM(index), LPARAM(&item)))
            return "<none>";
        return buffer;
    }
    int selection() { return int(SendMessageA(tab, TCM_GETCURSEL, 0, 0)); }
    RECT item_rect(int index) {
        RECT rect{};
        EXPECT_TRUE(SendMessageA(tab, TCM_GETITEMRECT, WPARAM(index), LPARAM(&rect)));
        return rect;
    }
    int text_width(const char* text) {
        HDC dc = GetDC(tab);
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32A(dc, text, int(strlen(text)), &size);
        SelectObject(dc, previous);
        ReleaseDC(tab, dc);
        return size.cx;
    }
    // Notification codes in order, as they reached the parent.
    std::vector<UINT> codes() const {
        std::vector<UINT> result;
        for (const Notified& n : log())
            result.push_back(n.code);
        return result;
    }
    void click_item(int index) {
        const RECT rect = item_rect(index);
        const LPARAM where = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, where);
        SendMessageA(tab, WM_LBUTTONUP, 0, where);
    }

    HWND parent = nullptr;
    HWND tab = nullptr;
    HFONT font = nullptr;
};

const std::vector<UINT> kChange{TCN_SELCHANGING, TCN_SELCHANGE};

TEST_F(TabControlTest, ClassNameAndCommonControlInitialisation) {
    char name[64] = {};
    GetClassNameA(tab, name, sizeof name);
    EXPECT_STREQ(name, "SysTabControl32");
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
    EXPECT_TRUE(InitCommonControlsEx(&init));
    init.dwSize = 3;
    EXPECT_FALSE(InitCommonControlsEx(&init));
}

TEST_F(TabControlTest, InsertedItemsKeepTheirOrderTextAndParameter) {
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(selection(), -1);
    EXPECT_EQ(insert(0, "Text", 20), 0);
    // The first item becomes the selection.
    EXPECT_EQ(selection(), 0);
    EXPECT_EQ(insert(0, "Background", 10), 0);
    // Inserting before the selected item keeps that item selected.
    EXPECT_EQ(selection(), 1);
    // An index past the end appends.
    EXPECT_EQ(insert(9, "More", 30), 2);
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(text_of(0), "Background");
    EXPECT_EQ(text_of(1), "Text");
    EXPECT_EQ(text_of(2), "More");
    EXPECT_EQ(text_of(3), "<none>");

    TCITEMA item{};
    item.mask = TCIF_PARAM;
    ASSERT_TRUE(SendMessageA(tab, TCM_GETITEMA, 2, LPARAM(&item)));
    EXPECT_EQ(item.lParam, 30);

    // A short buffer receives a truncated, terminated text.
    char small[4] = "xxx";
    item.mask = TCIF_TEXT;
    item.pszText = small;
    item.cchTextMax = sizeof small;
    ASSERT_TRUE(SendMessageA(tab, TCM_GETITEMA, 0, LPARAM(&item)));
    EXPECT_STREQ(small, "Bac");

    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("Colour");
    ASSERT_TRUE(SendMessageA(tab, TCM_SETITEMA, 0, LPARAM(&item)));
    EXPECT_EQ(text_of(0), "Colour");
    EXPECT_TRUE(log().empty());
}

TEST_F(TabControlTest, DeletingItemsMovesOrClearsTheSelection) {
    insert_three();
    SendMessageA(tab, TCM_SETCURSEL, 2, 0);
    EXPECT_TRUE(SendMessageA(tab, TCM_DELETEITEM, 0, 0));
    EXPECT_EQ(selection(), 1);
    EXPECT_EQ(text_of(1), "More");
    EXPECT_FALSE(SendMessageA(tab, TCM_DELETEITEM, 5, 0));
    EXPECT_TRUE(SendMessageA(tab, TCM_DELETEITEM, 1, 0));
    EXPECT_EQ(selection(), -1);
    EXPECT_TRUE(SendMessageA(tab, TCM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(selection(), -1);
    RECT rect{};
    EXPECT_FALSE(SendMessageA(tab, TCM_GETITEMRECT, 0, LPARAM(&rect)));
}

TEST_F(TabControlTest, SetCurSelReturnsThePreviousSelectionWithoutNotifying) {
    insert_three();
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, 2, 0), 0);
    EXPECT_EQ(selection(), 2);
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, 7, 0), -1);
    EXPECT_EQ(selection(), 2);
    EXPECT_TRUE(log().empty());
}

TEST_F(TabControlTest, TabsAreSizedToTheirTextAndLaidOutInOneRow) {
    insert_three();
    const RECT first = item_rect(0);
    const RECT second = item_rect(1);
    const RECT third = item_rect(2);
    // Every tab adds the same padding to the width of its text in the control's font.
    const int padding = (first.right - first.left) - text_width("Background");
    EXPECT_GT(padding, 0);
    EXPECT_EQ(second.right - second.left, text_width("Text") + padding);
    EXPECT_EQ(third.right - third.left, text_width("More") + padding);
    EXPECT_EQ(second.left, first.right);
    EXPECT_EQ(third.left, second.right);
    EXPECT_EQ(first.top, second.top);
    EXPECT_EQ(first.bottom, third.bottom);

    // The row is at least as tall as the font's characters.
    TEXTMETRICA metrics{};
    HDC dc = GetDC(tab);
    HGDIOBJ previous = SelectObject(dc, font);
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(tab, dc);
    EXPECT_GT(first.bottom - first.top, metrics.tmHeight);

    // A larger font makes wider and taller tabs.
    HFONT large = CreateFontA(-24, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    SendMessageA(tab, WM_SETFONT, WPARAM(large), FALSE);
    EXPECT_EQ(SendMessageA(tab, WM_GETFONT, 0, 0), LRESULT(large));
    const RECT bigger = item_rect(0);
    EXPECT_GT(bigger.right - bigger.left, first.right - first.left);
    EXPECT_GT(bigger.bottom - bigger.top, first.bottom - first.top);
    SendMessageA(tab, WM_SETFONT, WPARAM(font), FALSE);
    DeleteObject(large);
}

TEST_F(TabControlTest, AdjustRectConvertsBetweenWindowAndDisplayArea) {
    insert_three();
    RECT window{0, 0, 360, 240};
    RECT display = window;
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, LPARAM(&display));
    // The display area lies inside the window, below every tab.
    EXPECT_GT(display.left, window.left);
    EXPECT_LT(display.right, window.right);
    EXPECT_LT(display.bottom, window.bottom);
    for (int i = 0; i < 3; ++i)
        EXPECT_GE(display.top, item_rect(i).bottom);
    // Larger is the inverse of smaller.
    RECT back = display;
    SendMessageA(tab, TCM_ADJUSTRECT, TRUE, LPARAM(&back));
    EXPECT_EQ(back.left, window.left);
    EXPECT_EQ(back.top, window.top);
    EXPECT_EQ(back.right, window.right);
    EXPECT_EQ(back.bottom, window.bottom);
}

TEST_F(TabControlTest, HitTestFindsTheTabUnderAPoint) {
    insert_three();
    const RECT second = item_rect(1);
    TCHITTESTINFO info{{second.left + 2, second.top + 2}, 0};
    EXPECT_EQ(SendMessageA(tab, TCM_HITTEST, 0, LPARAM(&info)), 1);
    EXPECT_NE(info.flags & TCHT_ONITEM, 0u);
    info.pt = POINT{second.left, second.bottom + 20};
    EXPECT_EQ(SendMessageA(tab, TCM_HITTEST, 0, LPARAM(&info)), -1);
    EXPECT_EQ(info.flags, UINT(TCHT_NOWHERE));
}

TEST_F(TabControlTest, ClickOnATabNotifiesChangingThenChange) {
    insert_three();
    click_item(2);
    EXPECT_EQ(selection(), 2);
    ASSERT_EQ(codes(), kChange);
    // The parent sees the old selection while asked, the new one when told.
    EXPECT_EQ(log()[0].selection_then, 0);
    EXPECT_EQ(log()[1].selection_then, 2);
    for (const Notified& n : log()) {
        EXPECT_EQ(n.from, tab);
        EXPECT_EQ(n.id, UINT_PTR(kTabId));
    }

    // The selected tab and the display area change nothing.
    log().clear();
    click_item(2);
    const LPARAM below = MAKELPARAM(100, 200);
    SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, below);
    SendMessageA(tab, WM_LBUTTONUP, 0, below);
    EXPECT_TRUE(codes().empty());
    EXPECT_EQ(selection(), 2);
}

TEST_F(TabControlTest, ParentRefusingTheChangeKeepsTheSelection) {
    insert_three();
    refuse_changes() = true;
    click_item(1);
    EXPECT_EQ(codes(), std::vector<UINT>{TCN_SELCHANGING});
    EXPECT_EQ(selection(), 0);

    log().clear();
    SendMessageA(tab, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(codes(), std::vector<UINT>{TCN_SELCHANGING});
    EXPECT_EQ(selection(), 0);
}

TEST_F(TabControlTest, ArrowKeysMoveTheSelectionAndStopAtTheEnds) {
    insert_three();
    SendMessageA(tab, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_TRUE(codes().empty());
    EXPECT_EQ(selection(), 0);
    SendMessageA(tab, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(tab, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(selection(), 2);
    EXPECT_EQ(codes().size(), 4u);
    SendMessageA(tab, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(selection(), 2);
    EXPECT_EQ(codes().size(), 4u);
    SendMessageA(tab, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(selection(), 1);
    EXPECT_EQ(codes().size(), 6u);
}

TEST_F(TabControlTest, ControlTabGoesRoundTheTabsWhenFocused) {
    insert_three();
    SetActiveWindow(parent);
    SetFocus(tab);
    // The dialog manager must leave Ctrl+Tab to the control, and plain Tab to itself.
    inject_key(VK_CONTROL, true);
    pump_translated();
    MSG control_tab{tab, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_NE(SendMessageA(tab, WM_GETDLGCODE, VK_TAB, LPARAM(&control_tab)) & DLGC_WANTTAB, 0);
    EXPECT_NE(SendMessageA(tab, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, 0);

    for (int expected : {1, 2, 0}) {
        inject_tap(VK_TAB);
        pump_translated();
        EXPECT_EQ(selection(), expected);
    }
    inject_key(VK_SHIFT, true);
    inject_tap(VK_TAB);
    pump_translated();
    EXPECT_EQ(selection(), 2);
    inject_key(VK_SHIFT, false);
    inject_key(VK_CONTROL, false);
    pump_translated();
    EXPECT_EQ(codes().size(), 8u);

    EXPECT_EQ(SendMessageA(tab, WM_GETDLGCODE, VK_TAB, LPARAM(&control_tab)) & DLGC_WANTTAB, 0);
    // Without Ctrl, Tab does not change the selection.
    SendMessageA(tab, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(selection(), 2);
}

TEST_F(TabControlTest, SelectedTabIsRaisedAndJoinedToTheFrame) {
    insert_three();
    SendMessageA(tab, TCM_SETCURSEL, 1, 0);
    const RECT selected = item_rect(1);
    const RECT other = item_rect(2);
    const ControlPicture picture(tab);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const int middle_selected = (selected.left + selected.right) / 2;
    const int middle_other = (other.left + other.right) / 2;
    // Beneath an unselected tab the frame's top edge is drawn; beneath the selected one the
    // tab runs into the display area.
    const COLORREF light = GetSysColor(COLOR_3DLIGHT);
    for (int y : {other.bottom, other.bottom + 1}) {
        const COLORREF edge = picture.at(middle_other, y);
        EXPECT_TRUE(edge == highlight || edge == light) << std::hex << edge;
        EXPECT_EQ(picture.at(middle_selected, y), face);
    }
    // The selected tab's top edge rises above the others'.
    EXPECT_EQ(picture.at(middle_other, other.top), highlight);
    EXPECT_EQ(picture.at(middle_other, other.top - 1), face);
    bool raised_edge = false;
    for (int y = 0; y < selected.top; ++y)
        raised_edge |= picture.at(middle_selected, y) == highlight;
    EXPECT_TRUE(raised_edge);
    // Labels are drawn in the button text colour inside their tabs.
    EXPECT_GT(picture.count_in(other, GetSysColor(COLOR_BTNTEXT)), 0);
}

TEST_F(TabControlTest, FocusRectangleSurroundsTheSelectedLabelOnlyWhenFocused) {
    insert_three();
    SetActiveWindow(parent);
    const RECT selected = item_rect(0);
    RECT inner = selected;
    InflateRect(&inner, -1, -1);
    SetFocus(parent);
    const ControlPicture unfocused(tab);
    SetFocus(tab);
    const ControlPicture focused(tab);
    int differing = 0;
    for (int y = inner.top; y < inner.bottom; ++y)
        for (int x = inner.left; x < inner.right; ++x)
            differing += unfocused.at(x, y) != focused.at(x, y);
    EXPECT_GT(differing, 0);
    // Other tabs look the same either way.
    const RECT other = item_rect(2);
    for (int y = other.top; y < other.bottom; ++y)
        for (int x = other.left + 3; x < other.right - 3; ++x)
            ASSERT_EQ(unfocused.at(x, y), focused.at(x, y)) << x << "," << y;
}

} // namespace
