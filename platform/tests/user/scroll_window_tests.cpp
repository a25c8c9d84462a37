// ScrollWindowEx and ScrollDC: the pixels that move, the area they uncover, what is
// invalidated per SW_INVALIDATE, children moved per SW_SCROLLCHILDREN, and the caret.
#include "window_test_support.h"

using namespace window_test;

namespace {

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF white = RGB(255, 255, 255);

class ScrollWindowTest : public WindowTest {
protected:
    // A white 100 x 100 popup at (100, 100) with a red band across client rows 20..29.
    HWND banded_popup() {
        HWND hwnd =
            create_popup(100, 100, 100, 100, WS_VISIBLE, nullptr,
                         logging_class(0, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
        pump_messages();
        HDC dc = GetDC(hwnd);
        const RECT band{0, 20, 100, 30};
        HBRUSH brush = CreateSolidBrush(red);
        FillRect(dc, &band, brush);
        DeleteObject(brush);
        ReleaseDC(hwnd, dc);
        return hwnd;
    }
    static bool rect_is(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
        return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
    }
};

TEST_F(ScrollWindowTest, PixelsMoveAndTheUncoveredStripIsReportedAndInvalidated) {
    HWND hwnd = banded_popup();
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    RECT bounds{};
    EXPECT_EQ(ScrollWindowEx(hwnd, 0, -15, nullptr, nullptr, update, &bounds, SW_INVALIDATE),
              SIMPLEREGION);
    // Rows 20..29 now show at 5..14; rows 85..99 were uncovered.
    for (int y = 0; y < 85; ++y)
        EXPECT_EQ(screen_pixel(150, 100 + y), (y >= 5 && y < 15) ? red : white) << y;
    EXPECT_TRUE(rect_is(bounds, 0, 85, 100, 100));
    RECT region_box{};
    GetRgnBox(update, &region_box);
    EXPECT_TRUE(rect_is(region_box, 0, 85, 100, 100));
    RECT pending{};
    ASSERT_TRUE(GetUpdateRect(hwnd, &pending, FALSE));
    EXPECT_TRUE(rect_is(pending, 0, 85, 100, 100));
    DeleteObject(update);
}

TEST_F(ScrollWindowTest, WithoutInvalidateTheStripIsOnlyReported) {
    HWND hwnd = banded_popup();
    RECT bounds{};
    ScrollWindowEx(hwnd, 10, 0, nullptr, nullptr, nullptr, &bounds, 0);
    EXPECT_TRUE(rect_is(bounds, 0, 0, 10, 100));
    RECT pending{};
    EXPECT_FALSE(GetUpdateRect(hwnd, &pending, FALSE));
}

TEST_F(ScrollWindowTest, ScrollRectangleLimitsWhatMoves) {
    HWND hwnd = banded_popup();
    const RECT left_half{0, 0, 50, 100};
    ScrollWindowEx(hwnd, 0, 40, &left_half, nullptr, nullptr, nullptr, SW_INVALIDATE);
    EXPECT_EQ(screen_pixel(100 + 25, 100 + 65), red);
    EXPECT_EQ(screen_pixel(100 + 75, 100 + 25), red) << "the right half stays";
    EXPECT_EQ(screen_pixel(100 + 75, 100 + 65), white);
    RECT pending{};
    ASSERT_TRUE(GetUpdateRect(hwnd, &pending, FALSE));
    EXPECT_TRUE(rect_is(pending, 0, 0, 50, 40));
}

TEST_F(ScrollWindowTest, ChildrenMoveOnlyWhenAsked) {
    HWND hwnd = banded_popup();
    HWND child = create_child(hwnd, 10, 10, 20, 20, 1);
    ScrollWindowEx(hwnd, 0, 5, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.top, 110);
    ScrollWindowEx(hwnd, 0, 5, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN);
    GetWindowRect(child, &r);
    EXPECT_EQ(r.top, 115);
    // ScrollWindow over the whole client area carries them along.
    ScrollWindow(hwnd, 3, 0, nullptr, nullptr);
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, 113);
}

TEST_F(ScrollWindowTest, CaretFollowsTheScrolledPixels) {
    HWND hwnd = banded_popup();
    ASSERT_TRUE(CreateCaret(hwnd, nullptr, 2, 10));
    SetCaretPos(40, 40);
    ShowCaret(hwnd);
    ScrollWindow(hwnd, 0, -12, nullptr, nullptr);
    POINT caret{};
    GetCaretPos(&caret);
    EXPECT_EQ(caret.x, 40);
    EXPECT_EQ(caret.y, 28);
    DestroyCaret();
}

TEST_F(ScrollWindowTest, ScrollDcMovesTheBitmapsPixelsAndReportsTheUncoveredArea) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(40, 40, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, 40, 40};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetPixel(dc, 5, 5, red);
    RECT bounds{};
    ASSERT_TRUE(ScrollDC(dc, 7, 3, &all, &all, nullptr, &bounds));
    EXPECT_EQ(GetPixel(dc, 12, 8), red);
    // The strips along the left and top edges were uncovered.
    EXPECT_TRUE(rect_is(bounds, 0, 0, 40, 40));
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    ScrollDC(dc, 0, 10, &all, &all, update, nullptr);
    EXPECT_TRUE(PtInRegion(update, 20, 5));
    EXPECT_FALSE(PtInRegion(update, 20, 15));
    DeleteObject(update);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace
