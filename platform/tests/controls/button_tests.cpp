// Buttons driven by messages, with the parent's notifications compared to what the button
// contract promises: BN_CLICKED on BM_CLICK, Space and a mouse click inside; automatic check
// boxes and radio groups; states, styles and dialog codes.
#include "control_test_parent.h"

#include <tuple>

namespace {

using control_test::ControlTest;
using Command = std::tuple<int, int, HWND>;

class ButtonTest : public ControlTest {};

TEST_F(ButtonTest, ClickNotifiesTheParentWithTheButtonsIdAndHandle) {
    HWND button = create("Button", "Go", BS_PUSHBUTTON, 7);
    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(commands(), (std::vector<Command>{{7, BN_CLICKED, button}}));

    // A disabled button does not click.
    EnableWindow(button, FALSE);
    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(commands().size(), 1u);
}

TEST_F(ButtonTest, SpaceClicksOnReleaseAndTheMouseOnlyWhenReleasedInside) {
    HWND button = create("Button", "Go", BS_PUSHBUTTON, 8);
    SendMessageA(button, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
    EXPECT_TRUE(commands().empty());
    SendMessageA(button, WM_KEYUP, VK_SPACE, 0);
    EXPECT_FALSE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
    EXPECT_EQ(commands(), (std::vector<Command>{{8, BN_CLICKED, button}}));

    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(commands().size(), 2u);

    // Released outside the button: no click.
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 5));
    EXPECT_FALSE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
    EXPECT_EQ(commands().size(), 2u);
}

TEST_F(ButtonTest, AutomaticCheckBoxesToggleAndPlainOnesOnlyNotify) {
    HWND automatic = create("Button", "Auto", BS_AUTOCHECKBOX, 1);
    HWND three = create("Button", "Three", BS_AUTO3STATE, 2, 10, 40);
    HWND plain = create("Button", "Plain", BS_CHECKBOX, 3, 10, 70);
    SendMessageA(automatic, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(automatic, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(automatic, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(automatic, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    for (UINT expected : {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}) {
        SendMessageA(three, BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageA(three, BM_GETCHECK, 0, 0), LRESULT(expected));
    }

    SendMessageA(plain, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(plain, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(commands().back(), (Command{3, BN_CLICKED, plain}));
    // A two-state box shows BST_INDETERMINATE as checked.
    SendMessageA(plain, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(SendMessageA(plain, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(commands().size(), 6u);
}

TEST_F(ButtonTest, AutomaticRadioButtonUnchecksTheOthersOfItsGroupOnly) {
    HWND first = create("Button", "A", BS_AUTORADIOBUTTON | WS_GROUP, 1, 10, 10);
    HWND second = create("Button", "B", BS_AUTORADIOBUTTON, 2, 10, 35);
    HWND third = create("Button", "C", BS_AUTORADIOBUTTON, 3, 10, 60);
    HWND other = create("Button", "D", BS_AUTORADIOBUTTON | WS_GROUP, 4, 10, 85);
    SendMessageA(first, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(other, BM_SETCHECK, BST_CHECKED, 0);

    SendMessageA(third, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(first, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(second, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(third, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(other, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(commands(), (std::vector<Command>{{3, BN_CLICKED, third}}));
    // The checked radio button is its group's tab stop.
    EXPECT_TRUE(GetWindowLongA(third, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongA(first, GWL_STYLE) & WS_TABSTOP);
}

TEST_F(ButtonTest, DialogCodesFollowTheStyleAndBmSetStyleChangesIt) {
    HWND push = create("Button", "Push", BS_PUSHBUTTON, 1);
    HWND radio = create("Button", "Radio", BS_RADIOBUTTON, 2);
    HWND group = create("Button", "Group", BS_GROUPBOX, 3);
    HWND check = create("Button", "Check", BS_CHECKBOX, 4);
    EXPECT_EQ(SendMessageA(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(SendMessageA(radio, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
    EXPECT_EQ(SendMessageA(group, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    EXPECT_EQ(SendMessageA(check, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
    SendMessageA(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(SendMessageA(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(push, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    // Group boxes let the mouse through.
    EXPECT_EQ(SendMessageA(group, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
}

TEST_F(ButtonTest, StateFontAndImageRoundTrip) {
    HWND button = create("Button", "Pic", BS_PUSHBUTTON | BS_BITMAP, 1);
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    SendMessageA(button, BM_SETSTATE, FALSE, 0);
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);

    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(button, WM_GETFONT, 0, 0)), font);

    HBITMAP first = CreateBitmap(8, 8, 1, 32, nullptr);
    HBITMAP second = CreateBitmap(8, 8, 1, 32, nullptr);
    EXPECT_EQ(SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(first)), 0);
    EXPECT_EQ(SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(second)),
              reinterpret_cast<LRESULT>(first));
    EXPECT_EQ(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0),
              reinterpret_cast<LRESULT>(second));
    UpdateWindow(button);
    DestroyWindow(button);
    DeleteObject(first);
    DeleteObject(second);
}

TEST_F(ButtonTest, CheckBoxesAskTheParentForStaticColoursAndPushButtonsForButtonColours) {
    HWND check = create("Button", "Check", BS_AUTOCHECKBOX, 1);
    HWND push = create("Button", "Push", BS_PUSHBUTTON, 2, 10, 40);
    control_test::notifications().clear();
    InvalidateRect(check, nullptr, TRUE);
    InvalidateRect(push, nullptr, TRUE);
    UpdateWindow(check);
    UpdateWindow(push);
    bool static_for_check = false;
    bool button_for_push = false;
    for (const auto& n : control_test::notifications()) {
        static_for_check |=
            n.message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(n.lparam) == check;
        button_for_push |= n.message == WM_CTLCOLORBTN && reinterpret_cast<HWND>(n.lparam) == push;
    }
    EXPECT_TRUE(static_for_check);
    EXPECT_TRUE(button_for_push);
}

TEST_F(ButtonTest, OwnerDrawnButtonsAskTheParentToDraw) {
    HWND button = create("Button", "", BS_OWNERDRAW, 9);
    control_test::notifications().clear();
    InvalidateRect(button, nullptr, TRUE);
    UpdateWindow(button);
    ASSERT_FALSE(control_test::notifications().empty());
    const auto& n = control_test::notifications().back();
    EXPECT_EQ(n.message, UINT(WM_DRAWITEM));
    EXPECT_EQ(n.wparam, 9u);
}

} // namespace
