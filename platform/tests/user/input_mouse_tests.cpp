// Mouse input: the window under the cursor, client coordinates, hit testing, activation by
// a click, capture, double clicks and disabled windows.
#include "input_test_support.h"

#include <gtest/gtest.h>

namespace {

using Type = mullion::InputEvent::Type;

constexpr RECT left_rect{100, 100, 300, 200};
constexpr RECT right_rect{400, 100, 600, 200};

LPARAM point(LONG x, LONG y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

class MouseInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        drain_messages();
        // Start each test from a known cursor position away from the windows.
        inject_mouse(Type::MouseMove, 5, 5);
        drain_messages();
    }
    void TearDown() override {
        ReleaseCapture();
        drain_messages();
    }
};

TEST_F(MouseInputTest, ClickGoesToTheWindowUnderTheCursorInClientCoordinates) {
    MessageTestWindow left(left_rect);
    MessageTestWindow right(right_rect);
    drain_messages();
    inject_click(150, 120);
    inject_click(450, 160);
    drain_messages();
    const auto left_buttons = left.received({WM_LBUTTONDOWN, WM_LBUTTONUP});
    ASSERT_EQ(left_buttons.size(), 2u);
    EXPECT_EQ(left_buttons[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(left_buttons[0].lparam, point(50, 20));
    EXPECT_EQ(left_buttons[0].wparam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(left_buttons[1].wparam, 0u);
    const auto right_buttons = right.received({WM_LBUTTONDOWN});
    ASSERT_EQ(right_buttons.size(), 1u);
    EXPECT_EQ(right_buttons[0].lparam, point(50, 60));
}

TEST_F(MouseInputTest, HitTestAndCursorShapeComeBeforeTheButtonMessage) {
    MessageTestWindow window(left_rect);
    SetActiveWindow(window.hwnd());
    drain_messages();
    window.clear_log();
    inject_mouse(Type::ButtonDown, 150, 150);
    drain_messages();
    EXPECT_EQ(
        window.received_numbers({WM_NCHITTEST, WM_MOUSEACTIVATE, WM_SETCURSOR, WM_LBUTTONDOWN}),
        (std::vector<UINT>{WM_NCHITTEST, WM_SETCURSOR, WM_LBUTTONDOWN}));
    const auto set_cursor = window.received({WM_SETCURSOR});
    EXPECT_EQ(set_cursor[0].wparam, reinterpret_cast<WPARAM>(window.hwnd()));
    EXPECT_EQ(set_cursor[0].lparam, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    inject_mouse(Type::ButtonUp, 150, 150);
}

TEST_F(MouseInputTest, MoveToTheSamePositionPostsNothing) {
    MessageTestWindow window(left_rect);
    drain_messages();
    inject_mouse(Type::MouseMove, 120, 130);
    drain_messages();
    inject_mouse(Type::MouseMove, 120, 130);
    drain_messages();
    EXPECT_EQ(window.received({WM_MOUSEMOVE}).size(), 1u);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 120);
    EXPECT_EQ(cursor.y, 130);
}

TEST_F(MouseInputTest, ClickOnAnInactiveWindowAsksAndActivatesIt) {
    MessageTestWindow first(left_rect);
    MessageTestWindow second(right_rect);
    SetActiveWindow(first.hwnd());
    drain_messages();
    inject_click(450, 150);
    drain_messages();
    const auto asked = second.received({WM_MOUSEACTIVATE});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].wparam, reinterpret_cast<WPARAM>(second.hwnd()));
    EXPECT_EQ(asked[0].lparam, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(GetActiveWindow(), second.hwnd());
    EXPECT_EQ(second.received({WM_LBUTTONDOWN}).size(), 1u);
}

TEST_F(MouseInputTest, MouseActivateAnswerCanRefuseActivationAndEatTheClick) {
    MessageTestWindow first(left_rect);
    MessageTestWindow second(right_rect);
    second.on(WM_MOUSEACTIVATE,
              [](HWND, WPARAM, LPARAM) { return static_cast<LRESULT>(MA_NOACTIVATEANDEAT); });
    SetActiveWindow(first.hwnd());
    drain_messages();
    inject_click(450, 150);
    drain_messages();
    EXPECT_EQ(GetActiveWindow(), first.hwnd());
    EXPECT_TRUE(second.received({WM_LBUTTONDOWN}).empty());
    // The release is not eaten.
    EXPECT_EQ(second.received({WM_LBUTTONUP}).size(), 1u);
}

TEST_F(MouseInputTest, CaptureWindowGetsAllMouseInputWithoutHitTesting) {
    MessageTestWindow left(left_rect);
    MessageTestWindow right(right_rect);
    SetActiveWindow(left.hwnd());
    SetCapture(left.hwnd());
    drain_messages();
    left.clear_log();
    inject_mouse(Type::MouseMove, 450, 150);
    inject_click(450, 150);
    drain_messages();
    EXPECT_TRUE(
        right.received({WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP})
            .empty());
    EXPECT_TRUE(left.received({WM_NCHITTEST, WM_SETCURSOR}).empty());
    const auto moves = left.received({WM_MOUSEMOVE});
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].lparam, point(350, 50));
    EXPECT_EQ(left.received({WM_LBUTTONDOWN}).size(), 1u);
}

TEST_F(MouseInputTest, DoubleClickNeedsAClassWithDoubleClicks) {
    MessageTestWindow plain(left_rect);
    MessageTestWindow double_clicks(right_rect, CS_DBLCLKS);
    drain_messages();
    for (int click = 0; click < 3; ++click)
        inject_click(150, 150);
    for (int click = 0; click < 3; ++click)
        inject_click(450, 150);
    drain_messages();
    const std::vector<UINT> buttons{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK};
    EXPECT_EQ(plain.received_numbers(buttons),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
    // The third click starts a new sequence.
    EXPECT_EQ(double_clicks.received_numbers(buttons),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));
}

TEST_F(MouseInputTest, SecondClickFurtherThanTheDoubleClickRectangleIsNotADoubleClick) {
    MessageTestWindow window(left_rect, CS_DBLCLKS);
    drain_messages();
    inject_click(150, 150);
    inject_click(150 + GetSystemMetrics(SM_CXDOUBLECLK), 150);
    drain_messages();
    EXPECT_EQ(window.received_numbers({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
}

TEST_F(MouseInputTest, FrameGetsNonClientMessagesInScreenCoordinatesAndDoubleClicks) {
    MessageTestWindow window(left_rect);
    // The top 10 pixels are a caption.
    window.on(WM_NCHITTEST, [](HWND, WPARAM, LPARAM lparam) {
        return static_cast<LRESULT>(GET_Y_LPARAM(lparam) < left_rect.top + 10 ? HTCAPTION
                                                                              : HTCLIENT);
    });
    for (UINT message : {WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK})
        window.on(message, [](HWND, WPARAM, LPARAM) { return static_cast<LRESULT>(0); });
    SetActiveWindow(window.hwnd());
    drain_messages();
    inject_click(150, 105);
    inject_click(150, 105);
    drain_messages();
    const auto frame =
        window.received({WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK});
    ASSERT_EQ(frame.size(), 2u);
    EXPECT_EQ(frame[0].message, static_cast<UINT>(WM_NCLBUTTONDOWN));
    EXPECT_EQ(frame[0].wparam, static_cast<WPARAM>(HTCAPTION));
    EXPECT_EQ(frame[0].lparam, point(150, 105));
    EXPECT_EQ(frame[1].message, static_cast<UINT>(WM_NCLBUTTONDBLCLK));
}

TEST_F(MouseInputTest, ClickOnADisabledOwnerActivatesItsEnabledPopup) {
    MessageTestWindow owner(left_rect);
    MessageTestWindow popup(right_rect, 0, WS_POPUP | WS_VISIBLE, owner.hwnd());
    MessageTestWindow bystander(RECT{100, 300, 200, 400});
    EnableWindow(owner.hwnd(), FALSE);
    SetActiveWindow(bystander.hwnd());
    drain_messages();
    inject_click(150, 150);
    drain_messages();
    EXPECT_TRUE(owner.received({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEACTIVATE}).empty());
    EXPECT_EQ(GetActiveWindow(), popup.hwnd());
}

} // namespace
