// Static controls: the parent's colours through WM_CTLCOLORSTATIC, transparency to the mouse
// unless SS_NOTIFY, STN_CLICKED, icons that size the control, fonts and dialog codes.
#include "control_test_parent.h"

#include <tuple>

namespace {

using control_test::ControlTest;

class StaticTest : public ControlTest {};

TEST_F(StaticTest, PaintingAsksTheParentForColoursAndFillsWithItsBrush) {
    control_test::static_brush() = CreateSolidBrush(RGB(255, 0, 0));
    HWND label = create("Static", "", SS_LEFT, 5, 20, 20, 40, 20);
    UpdateWindow(label);
    bool asked = false;
    for (const auto& n : control_test::notifications())
        asked |= n.message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(n.lparam) == label;
    EXPECT_TRUE(asked);
    HDC dc = GetDC(label);
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(255, 0, 0));
    ReleaseDC(label, dc);
    DestroyWindow(label);
    DeleteObject(control_test::static_brush());
    control_test::static_brush() = nullptr;
}

TEST_F(StaticTest, TransparentToTheMouseUnlessItNotifies) {
    HWND quiet = create("Static", "Quiet", SS_LEFT, 1);
    HWND notifying = create("Static", "Loud", SS_LEFT | SS_NOTIFY, 2, 10, 40);
    EXPECT_EQ(SendMessageA(quiet, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    EXPECT_EQ(SendMessageA(notifying, WM_NCHITTEST, 0, 0), HTCLIENT);
    SendMessageA(notifying, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(quiet, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(commands(), (std::vector<std::tuple<int, int, HWND>>{{2, STN_CLICKED, notifying}}));
    EXPECT_EQ(SendMessageA(quiet, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(StaticTest, IconControlTakesTheIconsSize) {
    HWND picture = create("Static", "", SS_ICON, 3, 10, 10, 5, 5);
    HICON icon = LoadIconA(nullptr, IDI_HAND);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(SendMessageA(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0), 0);
    EXPECT_EQ(SendMessageA(picture, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(icon));
    RECT rect;
    GetClientRect(picture, &rect);
    EXPECT_EQ(rect.right, 32);
    EXPECT_EQ(rect.bottom, 32);
    HICON other = LoadIconA(nullptr, IDI_ASTERISK);
    EXPECT_EQ(SendMessageA(picture, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(other)),
              reinterpret_cast<LRESULT>(icon));
    UpdateWindow(picture);
}

TEST_F(StaticTest, TextAndFontRoundTrip) {
    HWND label = create("Static", "Before", SS_CENTER, 4);
    SetWindowTextA(label, "After");
    char text[16];
    GetWindowTextA(label, text, sizeof text);
    EXPECT_STREQ(text, "After");
    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)), font);
    UpdateWindow(label);
}

} // namespace
