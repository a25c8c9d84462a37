// The caret: an inverted block drawn while shown, removed while hidden or painted over.
#include "window_test_support.h"

using namespace window_test;

namespace {

class PaintCaretTest : public WindowTest {};

constexpr COLORREF inverted(COLORREF c) {
    return ~c & 0xFFFFFF;
}

TEST_F(PaintCaretTest, ShowingAndHidingInvertsTheCaretRectangle) {
    HBRUSH brush = CreateSolidBrush(RGB(0, 160, 0));
    HWND hwnd = create_popup(100, 100, 50, 50, WS_VISIBLE, nullptr, logging_class(0, brush));
    pump_messages();
    const COLORREF background = screen_pixel(106, 106);
    ASSERT_EQ(background, RGB(0, 160, 0));
    ASSERT_TRUE(CreateCaret(hwnd, nullptr, 2, 10));
    ASSERT_TRUE(SetCaretPos(5, 5));
    EXPECT_EQ(screen_pixel(106, 106), background); // created hidden
    ASSERT_TRUE(ShowCaret(hwnd));
    EXPECT_EQ(screen_pixel(106, 106), inverted(background));
    EXPECT_EQ(screen_pixel(107, 106), background); // two pixels wide: 105 and 106
    // Hiding nests: two hides need two shows.
    HideCaret(hwnd);
    HideCaret(hwnd);
    EXPECT_EQ(screen_pixel(106, 106), background);
    ShowCaret(hwnd);
    EXPECT_EQ(screen_pixel(106, 106), background);
    ShowCaret(hwnd);
    EXPECT_EQ(screen_pixel(106, 106), inverted(background));
    // Moving a shown caret leaves nothing behind.
    SetCaretPos(20, 20);
    EXPECT_EQ(screen_pixel(106, 106), background);
    EXPECT_EQ(screen_pixel(121, 121), inverted(background));
    POINT p;
    ASSERT_TRUE(GetCaretPos(&p));
    EXPECT_EQ(p.x, 20);
    EXPECT_EQ(p.y, 20);
    // Painting hides the caret and shows it again afterwards.
    InvalidateRect(hwnd, nullptr, TRUE);
    pump_messages();
    EXPECT_EQ(screen_pixel(121, 121), inverted(background));
    EXPECT_TRUE(DestroyCaret());
    EXPECT_EQ(screen_pixel(121, 121), background);
    EXPECT_FALSE(GetCaretPos(&p));
    DestroyWindow(hwnd);
    DeleteObject(brush);
}

} // namespace
