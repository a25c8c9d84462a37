// A window's standard scroll bars: their state through the API, their place in the frame
// (the client area gives up the bar's width), showing and hiding with the range, and the
// WM_VSCROLL / WM_HSCROLL messages the mouse produces on each part.
#include "input_test_support.h"
#include "window_test_support.h"

using namespace window_test;

namespace {

using Type = mullion::InputEvent::Type;

constexpr int bar = 16; // SM_CXVSCROLL at 96 pixels per inch

class ScrollBarWindowTest : public WindowTest {
protected:
    // A frameless popup at (100, 100), 200 x 200, with the bars of the style.
    HWND popup(DWORD bars) {
        HWND hwnd = create_popup(100, 100, 200, 200, WS_VISIBLE | bars);
        pump_messages();
        return hwnd;
    }
    static RECT client(HWND hwnd) {
        RECT r;
        GetClientRect(hwnd, &r);
        return r;
    }
    // The WM_VSCROLL / WM_HSCROLL codes the window received, in order, with the positions of
    // the thumb codes.
    static std::vector<std::pair<int, int>> scroll_codes(HWND hwnd, UINT message = WM_VSCROLL) {
        std::vector<std::pair<int, int>> codes;
        for (const Message& m : messages_of(hwnd))
            if (m.message == message)
                codes.emplace_back(LOWORD(m.wparam), HIWORD(m.wparam));
        return codes;
    }
    static void set_info(HWND hwnd, int which, int min, int max, UINT page, int pos,
                         UINT extra = 0) {
        SCROLLINFO info{
            sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS | extra, min, max, page, pos, 0};
        SetScrollInfo(hwnd, which, &info, TRUE);
    }
};

TEST_F(ScrollBarWindowTest, BarsTakeTheirWidthFromTheClientArea) {
    HWND vertical = popup(WS_VSCROLL);
    EXPECT_EQ(client(vertical).right, 200 - bar);
    EXPECT_EQ(client(vertical).bottom, 200);
    HWND both = popup(WS_VSCROLL | WS_HSCROLL);
    EXPECT_EQ(client(both).right, 200 - bar);
    EXPECT_EQ(client(both).bottom, 200 - bar);
    EXPECT_EQ(SendMessageA(both, WM_NCHITTEST, 0, MAKELPARAM(100 + 200 - 8, 100 + 50)), HTVSCROLL);
    EXPECT_EQ(SendMessageA(both, WM_NCHITTEST, 0, MAKELPARAM(100 + 50, 100 + 200 - 8)), HTHSCROLL);
    EXPECT_EQ(SendMessageA(both, WM_NCHITTEST, 0, MAKELPARAM(100 + 50, 100 + 50)), HTCLIENT);
    // A new window's bars scroll from 0 to 100.
    int min = -1, max = -1;
    ASSERT_TRUE(GetScrollRange(both, SB_VERT, &min, &max));
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 100);
}

TEST_F(ScrollBarWindowTest, BarHidesWhenThePageCoversTheRangeAndReturnsWhenItDoesNot) {
    HWND hwnd = popup(WS_VSCROLL);
    message_log().clear();
    set_info(hwnd, SB_VERT, 0, 99, 100, 0);
    EXPECT_FALSE(GetWindowLongA(hwnd, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(client(hwnd).right, 200);
    // The window hears of its larger client area.
    bool sized = false;
    for (const Message& m : messages_of(hwnd))
        sized |= m.message == WM_SIZE && LOWORD(m.lparam) == 200;
    EXPECT_TRUE(sized);

    set_info(hwnd, SB_VERT, 0, 99, 99, 0);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(client(hwnd).right, 200 - bar);

    // With SIF_DISABLENOSCROLL the bar stays, disabled: a click on it sends nothing.
    set_info(hwnd, SB_VERT, 0, 99, 100, 0, SIF_DISABLENOSCROLL);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_STYLE) & WS_VSCROLL);
    pump_messages();
    message_log().clear();
    inject_click(100 + 200 - 8, 100 + 200 - 8);
    pump_translated();
    EXPECT_TRUE(scroll_codes(hwnd).empty());
}

TEST_F(ScrollBarWindowTest, PositionFunctionsReturnThePreviousPositionAndClamp) {
    HWND hwnd = popup(WS_VSCROLL);
    set_info(hwnd, SB_VERT, 0, 99, 10, 0);
    EXPECT_EQ(SetScrollPos(hwnd, SB_VERT, 40, TRUE), 0);
    EXPECT_EQ(SetScrollPos(hwnd, SB_VERT, 500, TRUE), 40);
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 90);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(hwnd, SB_VERT, &info));
    EXPECT_EQ(info.nPage, 10u);
    EXPECT_EQ(info.nTrackPos, 90);
    EXPECT_TRUE(SetScrollRange(hwnd, SB_VERT, 0, 50, TRUE));
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 41);
    // Setting only the position never shows a hidden bar.
    set_info(hwnd, SB_VERT, 0, 5, 10, 0);
    SetScrollPos(hwnd, SB_VERT, 3, TRUE);
    EXPECT_FALSE(GetWindowLongA(hwnd, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ScrollBarWindowTest, ArrowsAndTrackSendLineAndPageCodesThenEndScroll) {
    HWND hwnd = popup(WS_VSCROLL);
    // Range 0..99, page 50: thumb 84 pixels at 16..100 of the bar at position 0.
    set_info(hwnd, SB_VERT, 0, 99, 50, 0);
    pump_messages();
    const int x = 100 + 200 - 8;
    const std::vector<std::pair<int, POINT>> clicks = {
        {SB_LINEDOWN, POINT{x, 100 + 200 - 4}},
        {SB_LINEUP, POINT{x, 100 + 4}},
        {SB_PAGEDOWN, POINT{x, 100 + 150}},
    };
    for (const auto& [code, p] : clicks) {
        message_log().clear();
        inject_click(p.x, p.y);
        pump_translated();
        const std::vector<std::pair<int, int>> expected = {{code, 0}, {SB_ENDSCROLL, 0}};
        EXPECT_EQ(scroll_codes(hwnd), expected) << code;
    }
    // The bar itself never moves the position: that is the window's business.
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 0);
    // Above the thumb once the window has moved it down.
    SetScrollPos(hwnd, SB_VERT, 50, TRUE);
    message_log().clear();
    inject_click(x, 100 + 30);
    pump_translated();
    const std::vector<std::pair<int, int>> page_up = {{SB_PAGEUP, 0}, {SB_ENDSCROLL, 0}};
    EXPECT_EQ(scroll_codes(hwnd), page_up);
}

TEST_F(ScrollBarWindowTest, DraggingTheThumbTracksThenSetsThePosition) {
    HWND hwnd = popup(WS_HSCROLL);
    // Horizontal bar along the bottom: 200 long, track 168, range 0..99 page 50: thumb 84,
    // travel 84 for 50 positions.
    set_info(hwnd, SB_HORZ, 0, 99, 50, 0);
    pump_messages();
    const int y = 100 + 200 - 8;
    // Queued mouse moves merge into the latest one, so each drag makes one move. The thumb
    // is held 24 pixels into it (it starts at 16).
    const std::vector<std::pair<int, int>> drags = {
        {100 + 40 + 42, 25}, // half the travel
        {100 + 199, 50},     // past the track's end, still over the window
    };
    for (const auto& [x, position] : drags) {
        message_log().clear();
        inject_mouse(Type::ButtonDown, 100 + 40, y);
        inject_mouse(Type::MouseMove, x, y);
        inject_mouse(Type::ButtonUp, x, y);
        pump_translated();
        const std::vector<std::pair<int, int>> expected = {
            {SB_THUMBTRACK, position}, {SB_THUMBPOSITION, position}, {SB_ENDSCROLL, 0}};
        EXPECT_EQ(scroll_codes(hwnd, WM_HSCROLL), expected) << x;
    }
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd, SB_HORZ, &info);
    EXPECT_EQ(info.nPos, 0);
    EXPECT_EQ(info.nTrackPos, 0) << "tracking ended";
}

TEST_F(ScrollBarWindowTest, DisabledArrowSendsNothing) {
    HWND hwnd = popup(WS_VSCROLL);
    set_info(hwnd, SB_VERT, 0, 99, 50, 0);
    EXPECT_TRUE(EnableScrollBar(hwnd, SB_VERT, ESB_DISABLE_UP));
    EXPECT_FALSE(EnableScrollBar(hwnd, SB_VERT, ESB_DISABLE_UP)) << "already so";
    pump_messages();
    message_log().clear();
    inject_click(100 + 200 - 8, 100 + 4);
    pump_translated();
    EXPECT_TRUE(scroll_codes(hwnd).empty());
    inject_click(100 + 200 - 8, 100 + 200 - 4);
    pump_translated();
    const std::vector<std::pair<int, int>> expected = {{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}};
    EXPECT_EQ(scroll_codes(hwnd), expected);
}

TEST_F(ScrollBarWindowTest, BarIsDrawnWithRaisedArrowsCheckeredTrackAndThumb) {
    HWND hwnd = popup(WS_VSCROLL);
    set_info(hwnd, SB_VERT, 0, 99, 50, 0);
    pump_messages();
    const int left = 100 + 200 - bar;
    // The arrow's face and its raised edge: highlight on the top-left, dark shadow at the
    // bottom-right.
    EXPECT_EQ(screen_pixel(left + 3, 100 + 3), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(screen_pixel(left + bar - 1, 100 + bar - 1), GetSysColor(COLOR_3DDKSHADOW));
    // The track below the thumb (100..184) alternates like a chessboard.
    const COLORREF a = screen_pixel(left + 4, 100 + 150), b = screen_pixel(left + 5, 100 + 150);
    EXPECT_NE(a, b);
    EXPECT_EQ(screen_pixel(left + 4, 100 + 151), b);
    EXPECT_TRUE((a == GetSysColor(COLOR_SCROLLBAR) && b == GetSysColor(COLOR_3DHIGHLIGHT)) ||
                (b == GetSysColor(COLOR_SCROLLBAR) && a == GetSysColor(COLOR_3DHIGHLIGHT)));
    // The thumb's face.
    EXPECT_EQ(screen_pixel(left + 8, 100 + 58), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ScrollBarWindowTest, ScrollBarControlNotifiesItsParentWithItsHandle) {
    HWND parent = popup(0);
    HWND control = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 10, 10, 16,
                                   150, parent, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    int min = -1, max = -1;
    GetScrollRange(control, SB_CTL, &min, &max);
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 0) << "a control's range starts empty";
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 9, 2, 4, 0};
    EXPECT_EQ(SetScrollInfo(control, SB_CTL, &info, TRUE), 4);
    EXPECT_EQ(SetScrollPos(control, SB_CTL, 20, TRUE), 4);
    EXPECT_EQ(GetScrollPos(control, SB_CTL), 8);
    pump_messages();
    message_log().clear();
    inject_click(100 + 10 + 8, 100 + 10 + 150 - 4);
    pump_translated();
    std::vector<Message> scrolls;
    for (const Message& m : messages_of(parent))
        if (m.message == WM_VSCROLL)
            scrolls.push_back(m);
    ASSERT_EQ(scrolls.size(), 2u);
    EXPECT_EQ(LOWORD(scrolls[0].wparam), SB_LINEDOWN);
    EXPECT_EQ(scrolls[0].lparam, reinterpret_cast<LPARAM>(control));
    EXPECT_EQ(LOWORD(scrolls[1].wparam), SB_ENDSCROLL);
    // A control never hides itself when the page covers its range.
    info = SCROLLINFO{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 9, 10, 0, 0};
    SetScrollInfo(control, SB_CTL, &info, TRUE);
    EXPECT_TRUE(IsWindowVisible(control));
}

} // namespace
