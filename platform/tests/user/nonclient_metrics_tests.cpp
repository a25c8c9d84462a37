// System colours, system metrics and the frame arithmetic of AdjustWindowRectEx.
#include "display/screen.h"
#include "user/nonclient.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace mullion {
namespace {

TEST(SystemColors, ClassicSchemeValues) {
    struct Expected {
        int index;
        COLORREF color;
    };
    const Expected table[] = {
        {COLOR_SCROLLBAR, RGB(0xC0, 0xC0, 0xC0)},
        {COLOR_BACKGROUND, RGB(0x00, 0x80, 0x80)},
        {COLOR_ACTIVECAPTION, RGB(0x00, 0x00, 0x80)},
        {COLOR_INACTIVECAPTION, RGB(0x80, 0x80, 0x80)},
        {COLOR_MENU, RGB(0xC0, 0xC0, 0xC0)},
        {COLOR_WINDOW, RGB(0xFF, 0xFF, 0xFF)},
        {COLOR_WINDOWFRAME, RGB(0, 0, 0)},
        {COLOR_MENUTEXT, RGB(0, 0, 0)},
        {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
        {COLOR_CAPTIONTEXT, RGB(0xFF, 0xFF, 0xFF)},
        {COLOR_ACTIVEBORDER, RGB(0xC0, 0xC0, 0xC0)},
        {COLOR_INACTIVEBORDER, RGB(0xC0, 0xC0, 0xC0)},
        {COLOR_APPWORKSPACE, RGB(0x80, 0x80, 0x80)},
        {COLOR_HIGHLIGHT, RGB(0x00, 0x00, 0x80)},
        {COLOR_HIGHLIGHTTEXT, RGB(0xFF, 0xFF, 0xFF)},
        {COLOR_BTNFACE, RGB(0xC0, 0xC0, 0xC0)},
        {COLOR_BTNSHADOW, RGB(0x80, 0x80, 0x80)},
        {COLOR_GRAYTEXT, RGB(0x80, 0x80, 0x80)},
        {COLOR_BTNTEXT, RGB(0, 0, 0)},
        {COLOR_INACTIVECAPTIONTEXT, RGB(0xC0, 0xC0, 0xC0)},
        {COLOR_BTNHIGHLIGHT, RGB(0xFF, 0xFF, 0xFF)},
        {COLOR_3DDKSHADOW, RGB(0, 0, 0)},
        {COLOR_3DLIGHT, RGB(0xDF, 0xDF, 0xDF)},
        {COLOR_INFOTEXT, RGB(0, 0, 0)},
        {COLOR_INFOBK, RGB(0xFF, 0xFF, 0xE1)},
    };
    for (const Expected& entry : table)
        EXPECT_EQ(GetSysColor(entry.index), entry.color) << "colour index " << entry.index;
}

TEST(SystemColors, BrushesArePermanentAndCarryTheColour) {
    for (int index : {COLOR_BTNFACE, COLOR_WINDOW, COLOR_HIGHLIGHT, COLOR_INFOBK}) {
        HBRUSH brush = GetSysColorBrush(index);
        ASSERT_NE(brush, nullptr);
        EXPECT_EQ(GetSysColorBrush(index), brush) << "the same brush every time";
        // Deleting a system colour brush must leave it usable.
        DeleteObject(brush);
        LOGBRUSH description{};
        ASSERT_EQ(GetObjectA(brush, sizeof description, &description), int(sizeof description));
        EXPECT_EQ(description.lbStyle, UINT(BS_SOLID));
        EXPECT_EQ(description.lbColor, GetSysColor(index));
    }
    EXPECT_EQ(GetSysColorBrush(-1), nullptr);
    EXPECT_EQ(GetSysColorBrush(COLOR_INFOBK + 1), nullptr);
}

TEST(SystemMetrics, ScreenAndClassicDimensions) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), Screen::instance().width());
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), Screen::instance().height());
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
    EXPECT_EQ(GetSystemMetrics(SM_CYBORDER), 1);
    EXPECT_EQ(GetSystemMetrics(SM_CXDLGFRAME), 3);
    EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CXSIZE), 18);
    EXPECT_EQ(GetSystemMetrics(SM_CYSIZE), 18);
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CXDOUBLECLK), 4);
    EXPECT_EQ(GetSystemMetrics(SM_CXMENUCHECK), 13);
    // A maximized window's sizing border lies just outside the screen.
    EXPECT_EQ(GetSystemMetrics(SM_CXMAXIMIZED),
              Screen::instance().width() + 2 * GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(GetSystemMetrics(SM_CYMAXIMIZED),
              Screen::instance().height() + 2 * GetSystemMetrics(SM_CYFRAME));
    EXPECT_GT(GetSystemMetrics(SM_CXMINTRACK), 0);
    EXPECT_GT(GetSystemMetrics(SM_CYMINTRACK), 0);
}

RECT adjusted(DWORD style, BOOL menu, DWORD ex_style) {
    RECT rect{0, 0, 100, 100};
    EXPECT_TRUE(AdjustWindowRectEx(&rect, style, menu, ex_style));
    return rect;
}

void expect_rect(const RECT& actual, LONG left, LONG top, LONG right, LONG bottom) {
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.right, right);
    EXPECT_EQ(actual.bottom, bottom);
}

// Expected frames: sizing border 4, fixed frame 3, thin border 1, client edge 2, caption 19,
// one menu row 19.
TEST(AdjustWindowRectEx, OverlappedWindowWithAndWithoutMenu) {
    expect_rect(adjusted(WS_OVERLAPPEDWINDOW, FALSE, 0), -4, -4 - 19, 104, 104);
    expect_rect(adjusted(WS_OVERLAPPEDWINDOW, TRUE, 0), -4, -4 - 19 - 19, 104, 104);
    expect_rect(adjusted(WS_OVERLAPPEDWINDOW, TRUE, WS_EX_CLIENTEDGE), -6, -6 - 19 - 19, 106, 106);
}

TEST(AdjustWindowRectEx, FixedFramesAndBorders) {
    // A caption without a sizing border has the fixed (dialog) frame.
    expect_rect(adjusted(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, FALSE, 0), -3, -22, 103, 103);
    expect_rect(adjusted(WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME), -3, -22,
                103, 103);
    expect_rect(adjusted(WS_POPUP | WS_DLGFRAME, FALSE, 0), -3, -3, 103, 103);
    expect_rect(adjusted(WS_POPUP | WS_BORDER, FALSE, 0), -1, -1, 101, 101);
    expect_rect(adjusted(WS_POPUP, FALSE, WS_EX_DLGMODALFRAME), -3, -3, 103, 103);
}

TEST(AdjustWindowRectEx, ChildWindows) {
    expect_rect(adjusted(WS_CHILD, FALSE, 0), 0, 0, 100, 100);
    expect_rect(adjusted(WS_CHILD | WS_BORDER, FALSE, WS_EX_CLIENTEDGE), -3, -3, 103, 103);
    expect_rect(adjusted(WS_CHILD, FALSE, WS_EX_CLIENTEDGE), -2, -2, 102, 102);
    expect_rect(adjusted(WS_CHILD | WS_THICKFRAME, FALSE, 0), -4, -4, 104, 104);
}

TEST(AdjustWindowRectEx, WithoutExtendedStyleMatchesAdjustWindowRect) {
    RECT plain{10, 20, 110, 220};
    RECT extended = plain;
    ASSERT_TRUE(AdjustWindowRect(&plain, WS_OVERLAPPEDWINDOW, TRUE));
    ASSERT_TRUE(AdjustWindowRectEx(&extended, WS_OVERLAPPEDWINDOW, TRUE, 0));
    EXPECT_TRUE(EqualRect(&plain, &extended));
    EXPECT_FALSE(AdjustWindowRectEx(nullptr, WS_OVERLAPPEDWINDOW, FALSE, 0));
}

TEST(NonclientInsets, SumOfFrameCaptionAndMenu) {
    RECT insets = nonclient_insets(WS_OVERLAPPEDWINDOW, WS_EX_CLIENTEDGE, true);
    EXPECT_EQ(insets.left, 6);
    EXPECT_EQ(insets.right, 6);
    EXPECT_EQ(insets.bottom, 6);
    EXPECT_EQ(insets.top, 6 + 19 + 19);
    RECT tool = nonclient_insets(WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, false);
    EXPECT_EQ(tool.top, 3 + GetSystemMetrics(SM_CYSMCAPTION));
}

} // namespace
} // namespace mullion
