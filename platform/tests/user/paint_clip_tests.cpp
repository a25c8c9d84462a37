// What windows may draw on the screen: visible regions of overlapping windows and children,
// and the repainting of what a move or hide uncovers.
#include "window_test_support.h"

using namespace window_test;

namespace {

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF green = RGB(0, 160, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

class PaintClipTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        m_brushes = {CreateSolidBrush(red), CreateSolidBrush(green), CreateSolidBrush(blue)};
    }
    void TearDown() override {
        WindowTest::TearDown();
        for (HBRUSH brush : m_brushes)
            DeleteObject(brush);
    }
    HBRUSH brush(COLORREF colour) {
        return colour == red ? m_brushes[0] : colour == green ? m_brushes[1] : m_brushes[2];
    }
    // A window erased in one colour by its class brush, fully painted.
    HWND coloured_popup(COLORREF colour, int x, int y, int width, int height) {
        HWND hwnd =
            create_popup(x, y, width, height, WS_VISIBLE, nullptr, logging_class(0, brush(colour)));
        pump_messages();
        return hwnd;
    }
    void fill_client(HWND hwnd, COLORREF colour) {
        HDC dc = GetDC(hwnd);
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(dc, &r, brush(colour));
        ReleaseDC(hwnd, dc);
    }

private:
    std::vector<HBRUSH> m_brushes;
};

TEST_F(PaintClipTest, BackgroundsAreErasedWithTheClassBrush) {
    coloured_popup(green, 100, 100, 50, 50);
    EXPECT_EQ(screen_pixel(100, 100), green);
    EXPECT_EQ(screen_pixel(149, 149), green);
}

TEST_F(PaintClipTest, DrawingIntoACoveredWindowLeavesTheCoverAlone) {
    HWND under = coloured_popup(green, 100, 100, 100, 100);
    coloured_popup(blue, 150, 150, 100, 100);
    fill_client(under, red);
    EXPECT_EQ(screen_pixel(120, 120), red);
    EXPECT_EQ(screen_pixel(199, 120), red);
    // Every pixel of the covering window keeps its colour.
    for (int y = 150; y < 250; y += 7) {
        for (int x = 150; x < 250; x += 7)
            ASSERT_EQ(screen_pixel(x, y), blue) << x << "," << y;
    }
}

TEST_F(PaintClipTest, ClipChildrenKeepsParentDrawingOffChildren) {
    HWND parent = create_popup(100, 100, 200, 200, WS_VISIBLE | WS_CLIPCHILDREN, nullptr,
                               logging_class(0, brush(green)));
    create_child(parent, 50, 50, 50, 50, 1, WS_VISIBLE, logging_class(0, brush(blue)));
    pump_messages();
    fill_client(parent, red);
    EXPECT_EQ(screen_pixel(175, 175), blue);
    EXPECT_EQ(screen_pixel(140, 140), red);
}

TEST_F(PaintClipTest, WithoutClipChildrenParentDrawsOverChildren) {
    HWND parent = coloured_popup(green, 100, 100, 200, 200);
    create_child(parent, 50, 50, 50, 50, 1, WS_VISIBLE, logging_class(0, brush(blue)));
    pump_messages();
    EXPECT_EQ(screen_pixel(175, 175), blue);
    fill_client(parent, red);
    EXPECT_EQ(screen_pixel(175, 175), red);
}

TEST_F(PaintClipTest, ClipSiblingsKeepsSiblingsApart) {
    HWND parent = coloured_popup(green, 100, 100, 200, 200);
    HWND top = create_child(parent, 0, 0, 100, 100, 1, WS_VISIBLE | WS_CLIPSIBLINGS,
                            logging_class(0, brush(blue)));
    HWND lower = create_child(parent, 50, 50, 100, 100, 2, WS_VISIBLE | WS_CLIPSIBLINGS,
                              logging_class(0, brush(green)));
    pump_messages();
    ASSERT_EQ(GetWindow(parent, GW_CHILD), top);
    fill_client(lower, red);
    EXPECT_EQ(screen_pixel(175, 175), blue); // overlap: the upper sibling's
    EXPECT_EQ(screen_pixel(225, 225), red);
}

TEST_F(PaintClipTest, PaintingIsClippedToTheUpdateRegion) {
    HWND hwnd = coloured_popup(green, 100, 100, 100, 100);
    const RECT part{0, 0, 10, 10};
    InvalidateRect(hwnd, &part, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT all{0, 0, 100, 100};
    FillRect(dc, &all, brush(red));
    EndPaint(hwnd, &ps);
    EXPECT_EQ(screen_pixel(105, 105), red);
    EXPECT_EQ(screen_pixel(115, 105), green);
}

TEST_F(PaintClipTest, MovingAWindowAwayRepaintsWhatWasBelow) {
    HWND under = coloured_popup(green, 100, 100, 100, 100);
    HWND over = coloured_popup(blue, 150, 150, 100, 100);
    EXPECT_EQ(screen_pixel(175, 175), blue);
    message_log().clear();
    MoveWindow(over, 400, 400, 100, 100, TRUE);
    pump_messages();
    EXPECT_EQ(count_of(messages_of(under, true), WM_PAINT), 1u);
    EXPECT_EQ(screen_pixel(175, 175), green);
    EXPECT_EQ(screen_pixel(425, 425), blue);
    // The part of the old position over the bare desktop shows the desktop colour again.
    EXPECT_EQ(screen_pixel(225, 225), GetSysColor(COLOR_BACKGROUND));
}

TEST_F(PaintClipTest, HidingAWindowRepaintsWhatWasBelow) {
    coloured_popup(green, 100, 100, 100, 100);
    HWND over = coloured_popup(blue, 120, 120, 40, 40);
    ShowWindow(over, SW_HIDE);
    pump_messages();
    EXPECT_EQ(screen_pixel(130, 130), green);
}

TEST_F(PaintClipTest, DestroyingAChildRepaintsTheParent) {
    HWND parent = coloured_popup(green, 100, 100, 100, 100);
    HWND child = create_child(parent, 10, 10, 20, 20, 1, WS_VISIBLE, logging_class(0, brush(blue)));
    pump_messages();
    EXPECT_EQ(screen_pixel(115, 115), blue);
    DestroyWindow(child);
    pump_messages();
    EXPECT_EQ(screen_pixel(115, 115), green);
}

TEST_F(PaintClipTest, RaisingAWindowRepaintsOnlyWhatItGained) {
    HWND a = coloured_popup(green, 100, 100, 100, 100);
    HWND b = coloured_popup(blue, 150, 150, 100, 100);
    message_log().clear();
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(a, &update, FALSE));
    EXPECT_EQ(update.left, 50);
    EXPECT_EQ(update.top, 50);
    EXPECT_EQ(update.right, 100);
    EXPECT_EQ(update.bottom, 100);
    EXPECT_FALSE(GetUpdateRect(b, &update, FALSE));
    pump_messages();
    EXPECT_EQ(screen_pixel(175, 175), green);
}

TEST_F(PaintClipTest, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredStrip) {
    HWND hwnd = coloured_popup(green, 100, 100, 100, 100);
    HDC dc = GetDC(hwnd);
    const RECT stripe{0, 20, 100, 30};
    FillRect(dc, &stripe, brush(red));
    ReleaseDC(hwnd, dc);
    ScrollWindow(hwnd, 0, 15, nullptr, nullptr);
    EXPECT_EQ(screen_pixel(150, 140), red); // 20..30 moved to 35..45
    EXPECT_EQ(screen_pixel(150, 122), green);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_EQ(update.top, 0);
    EXPECT_EQ(update.bottom, 15);
    EXPECT_EQ(update.right, 100);
}

TEST_F(PaintClipTest, WindowDcCoversTheWholeWindowAndKnowsItsWindow) {
    HWND hwnd = create_popup(100, 100, 60, 60, WS_VISIBLE | WS_BORDER, nullptr,
                             logging_class(0, brush(green)));
    pump_messages();
    HDC dc = GetWindowDC(hwnd);
    EXPECT_EQ(WindowFromDC(dc), hwnd);
    const RECT corner{0, 0, 1, 1};
    FillRect(dc, &corner, brush(red));
    ReleaseDC(hwnd, dc);
    EXPECT_EQ(screen_pixel(100, 100), red);
}

} // namespace
