// A click on a control that lies inside a group box reaches the control: the group box's
// transparent hit test passes the input to the window beneath it, not to the parent.
#include "windows.h"

#include "user/input_test_support.h"

#include <gtest/gtest.h>

namespace {

int& clicks_seen() {
    static int clicks = 0;
    return clicks;
}

LRESULT CALLBACK group_parent_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && LOWORD(wparam) == 2 && HIWORD(wparam) == BN_CLICKED)
        ++clicks_seen();
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

TEST(GroupBoxClick, ClickInsideAGroupBoxReachesTheRadioButtonBeneath) {
    WNDCLASSA description{};
    description.lpfnWndProc = group_parent_proc;
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    description.lpszClassName = "GroupClickParent";
    RegisterClassA(&description);
    HWND parent = CreateWindowExA(0, "GroupClickParent", "Group", WS_POPUP | WS_VISIBLE, 40, 40,
                                  300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    SetActiveWindow(parent);
    // The group box comes first, so it is above the radio button in the z-order.
    HWND group =
        CreateWindowExA(0, "Button", "Group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 10, 200, 120,
                        parent, reinterpret_cast<HMENU>(INT_PTR(1)), nullptr, nullptr);
    HWND radio = CreateWindowExA(
        0, "Button", "Radio", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON, 30, 40, 100,
        20, parent, reinterpret_cast<HMENU>(INT_PTR(2)), nullptr, nullptr);
    ASSERT_NE(group, nullptr);
    ASSERT_NE(radio, nullptr);
    pump_translated();
    clicks_seen() = 0;

    RECT rect{};
    GetWindowRect(radio, &rect);
    inject_click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    pump_translated();
    EXPECT_EQ(clicks_seen(), 1);
    EXPECT_EQ(SendMessageA(radio, BM_GETCHECK, 0, 0), BST_CHECKED);

    // A click on the group box's frame, with nothing beneath but the parent, clicks nothing.
    GetWindowRect(group, &rect);
    inject_click(rect.left + 100, rect.bottom - 2);
    pump_translated();
    EXPECT_EQ(clicks_seen(), 1);
    DestroyWindow(parent);
    pump_translated();
}

} // namespace
