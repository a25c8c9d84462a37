// TextOutA and ExtTextOutA: text lands only inside the cell GetTextExtentPoint32A describes,
// placed at the alignment point, in exact colours, clipped and opaque as asked.
#include "gdi/device_context.h"
#include "gdi/display_dc.h"
#include "text_test_support.h"

#include <mutex>
#include <thread>

namespace {

constexpr COLORREF paper = RGB(255, 255, 255);
constexpr COLORREF ink = RGB(200, 0, 30);
constexpr COLORREF shade = RGB(0, 120, 255);

class TextOutTest : public ::testing::Test {
protected:
    TextOutTest() : font(canvas.dc(), -20, "Times New Roman") {
        SetTextColor(canvas.dc(), ink);
        SetBkColor(canvas.dc(), shade);
        SetBkMode(canvas.dc(), TRANSPARENT);
    }

    // The cell of `text` drawn with its reference point at (x, y) under `align`.
    RECT expected_cell(const char* text, int x, int y, UINT align) {
        const SIZE size = text_extent(canvas.dc(), text);
        const TEXTMETRICA tm = text_metrics(canvas.dc());
        int left = x;
        if ((align & TA_CENTER) == TA_CENTER)
            left = x - size.cx / 2;
        else if (align & TA_RIGHT)
            left = x - size.cx;
        int top = y;
        if ((align & TA_BASELINE) == TA_BASELINE)
            top = y - tm.tmAscent;
        else if (align & TA_BOTTOM)
            top = y - tm.tmHeight;
        return RECT{left, top, left + size.cx, top + size.cy};
    }

    void expect_only(COLORREF a, COLORREF b) {
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                const COLORREF c = canvas.at(x, y);
                ASSERT_TRUE(c == a || c == b) << x << "," << y << " is " << std::hex << c;
            }
    }

    TestCanvas canvas{220, 80, paper};
    SelectedFont font;
};

TEST_F(TextOutTest, TransparentTextStaysInsideItsCellInTheTextColour) {
    const char* text = "Hgjy|(Q";
    ASSERT_TRUE(TextOutA(canvas.dc(), 30, 20, text, 7));
    const RECT ink_bounds = changed_bounds(canvas, paper);
    const RECT cell = expected_cell(text, 30, 20, TA_LEFT | TA_TOP);
    EXPECT_TRUE(rect_contains(cell, ink_bounds)) << describe(ink_bounds) << " " << describe(cell);
    EXPECT_GT(count_pixels(canvas, ink), 20);
    // No anti-aliasing: every pixel is either untouched or exactly the text colour.
    expect_only(paper, ink);
}

TEST_F(TextOutTest, OpaqueModeFillsExactlyTheCell) {
    SetBkMode(canvas.dc(), OPAQUE);
    const char* text = "Opaque";
    ASSERT_TRUE(TextOutA(canvas.dc(), 17, 9, text, 6));
    const RECT cell = expected_cell(text, 17, 9, TA_LEFT | TA_TOP);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const bool inside =
                x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom;
            const COLORREF c = canvas.at(x, y);
            if (inside)
                ASSERT_TRUE(c == ink || c == shade) << x << "," << y;
            else
                ASSERT_EQ(c, paper) << x << "," << y;
        }
    }
    EXPECT_GT(count_pixels(canvas, ink), 10);
}

TEST_F(TextOutTest, AlignmentPlacesTheCellAroundTheReferencePoint) {
    SetBkMode(canvas.dc(), OPAQUE);
    const char* text = "Align";
    for (UINT align : {TA_LEFT | TA_TOP, TA_RIGHT | TA_TOP, TA_CENTER | TA_TOP, TA_LEFT | TA_BOTTOM,
                       TA_RIGHT | TA_BASELINE, TA_CENTER | TA_BASELINE}) {
        canvas.clear(paper);
        SetTextAlign(canvas.dc(), align);
        ASSERT_TRUE(TextOutA(canvas.dc(), 110, 40, text, 5));
        const RECT drawn = changed_bounds(canvas, paper);
        const RECT cell = expected_cell(text, 110, 40, align);
        EXPECT_EQ(describe(drawn), describe(cell)) << "align " << align;
    }
}

TEST_F(TextOutTest, BaselineAlignmentPutsFlatLettersOnTheReferenceLine) {
    SetTextAlign(canvas.dc(), TA_LEFT | TA_BASELINE);
    ASSERT_TRUE(TextOutA(canvas.dc(), 10, 50, "HEIL", 4));
    // Capitals without descenders end on the baseline: the last ink row is just above it.
    EXPECT_EQ(changed_bounds(canvas, paper).bottom, 50);
}

TEST_F(TextOutTest, UpdateCurrentPositionContinuesWhereTheTextEnded) {
    SetTextAlign(canvas.dc(), TA_UPDATECP);
    MoveToEx(canvas.dc(), 5, 10, nullptr);
    const LONG first = text_extent(canvas.dc(), "one").cx;
    const LONG second = text_extent(canvas.dc(), "two").cx;
    // The coordinates are ignored while the current position is used.
    ASSERT_TRUE(TextOutA(canvas.dc(), 150, 70, "one", 3));
    POINT position{};
    MoveToEx(canvas.dc(), 0, 0, &position);
    EXPECT_EQ(position.x, 5 + first);
    EXPECT_EQ(position.y, 10);
    MoveToEx(canvas.dc(), position.x, position.y, nullptr);
    ASSERT_TRUE(TextOutA(canvas.dc(), 150, 70, "two", 3));
    MoveToEx(canvas.dc(), 0, 0, &position);
    EXPECT_EQ(position.x, 5 + first + second);
    EXPECT_TRUE(
        rect_contains(RECT{5, 10, 5 + first + second, 10 + text_metrics(canvas.dc()).tmHeight},
                      changed_bounds(canvas, paper)));
    // Right-aligned output moves the position back over the text.
    SetTextAlign(canvas.dc(), TA_UPDATECP | TA_RIGHT);
    MoveToEx(canvas.dc(), 200, 10, nullptr);
    ASSERT_TRUE(TextOutA(canvas.dc(), 0, 0, "two", 3));
    MoveToEx(canvas.dc(), 0, 0, &position);
    EXPECT_EQ(position.x, 200 - second);
}

TEST_F(TextOutTest, ClippedOutputNeverLeavesTheRectangle) {
    const RECT clip{40, 15, 90, 30};
    const char* text = "Clipped text runs long";
    ASSERT_TRUE(ExtTextOutA(canvas.dc(), 20, 10, ETO_CLIPPED, &clip, text, UINT(std::strlen(text)),
                            nullptr));
    const RECT drawn = changed_bounds(canvas, paper);
    EXPECT_TRUE(rect_contains(clip, drawn)) << describe(drawn);
    EXPECT_GT(count_pixels(canvas, ink), 0);
}

TEST_F(TextOutTest, OpaqueRectangleIsFilledWithTheBackgroundColour) {
    const RECT box{10, 10, 60, 45};
    // With no text at all, ExtTextOut just fills: a common way to paint a rectangle.
    ASSERT_TRUE(ExtTextOutA(canvas.dc(), 0, 0, ETO_OPAQUE, &box, "", 0, nullptr));
    EXPECT_EQ(describe(changed_bounds(canvas, paper)), describe(box));
    EXPECT_EQ(count_pixels(canvas, shade), 50 * 35);
}

TEST_F(TextOutTest, DistancesArrayPlacesEveryCharacter) {
    SetBkMode(canvas.dc(), OPAQUE);
    const INT dx[] = {30, 30, 30};
    ASSERT_TRUE(ExtTextOutA(canvas.dc(), 10, 10, 0, nullptr, "iii", 3, dx));
    const RECT drawn = changed_bounds(canvas, paper);
    // The cell spans the sum of the distances.
    EXPECT_EQ(drawn.left, 10);
    EXPECT_EQ(drawn.right, 100);
    // Each narrow 'i' sits at the start of its 30-pixel slot.
    for (int slot = 0; slot < 3; ++slot) {
        int ink_in_slot = 0;
        for (int y = drawn.top; y < drawn.bottom; ++y)
            for (int x = 10 + 30 * slot; x < 10 + 30 * slot + 12; ++x)
                ink_in_slot += canvas.at(x, y) == ink;
        EXPECT_GT(ink_in_slot, 0) << slot;
    }
}

TEST_F(TextOutTest, ClipRegionAndViewportOriginApply) {
    HRGN region = CreateRectRgn(0, 0, 60, 80);
    SelectClipRgn(canvas.dc(), region);
    DeleteObject(region);
    SetViewportOrgEx(canvas.dc(), 20, 5, nullptr);
    SetBkMode(canvas.dc(), OPAQUE);
    ASSERT_TRUE(TextOutA(canvas.dc(), 0, 0, "Wide enough to clip", 19));
    const RECT drawn = changed_bounds(canvas, paper);
    EXPECT_EQ(drawn.left, 20);
    EXPECT_EQ(drawn.top, 5);
    EXPECT_EQ(drawn.right, 60);
}

TEST_F(TextOutTest, UnderlineSpansTheWholeCellWidth) {
    SelectedFont underlined(canvas.dc(), -20, "Arial", FW_NORMAL, FALSE, TRUE);
    ASSERT_TRUE(TextOutA(canvas.dc(), 10, 10, "a b", 3));
    const LONG width = text_extent(canvas.dc(), "a b").cx;
    const TEXTMETRICA tm = text_metrics(canvas.dc());
    bool found_full_row = false;
    for (int y = 10 + tm.tmAscent; y < 10 + tm.tmHeight; ++y) {
        bool full = true;
        for (int x = 10; x < 10 + width; ++x)
            full = full && canvas.at(x, y) == ink;
        found_full_row = found_full_row || full;
    }
    EXPECT_TRUE(found_full_row);
}

TEST_F(TextOutTest, TextOnAMonochromeBitmapIsBlackOrWhite) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(60, 30, 1, 1, nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 60, 30, WHITENESS);
    SetTextColor(dc, RGB(10, 10, 10));
    SetBkMode(dc, TRANSPARENT);
    ASSERT_TRUE(TextOutA(dc, 2, 2, "Mono", 4));
    int black = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            ASSERT_TRUE(c == RGB(0, 0, 0) || c == RGB(255, 255, 255));
            black += c == RGB(0, 0, 0);
        }
    EXPECT_GT(black, 10);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(TextOutTest, DisplayContextHoldsTheLockAndReportsTheChange) {
    std::mutex lock;
    mullion::Surface surface(100, 40, 0xFFFFFF);
    surface.set_lock(&lock);
    RECT reported{0, 0, 0, 0};
    bool locked_while_drawing = false;
    surface.set_change_listener([&](const RECT& rect) {
        reported = rect;
        // Asked from another thread: a thread may not probe a mutex it holds itself.
        std::thread probe([&] {
            locked_while_drawing = !lock.try_lock();
            if (!locked_while_drawing)
                lock.unlock();
        });
        probe.join();
    });
    mullion::DisplayTarget target;
    target.surface = &surface;
    target.origin = POINT{10, 5};
    target.visible = mullion::Region(RECT{10, 5, 60, 40});
    HDC dc = mullion::create_display_dc(target);
    ASSERT_NE(dc, nullptr);
    SetTextColor(dc, RGB(0, 0, 0));
    ASSERT_TRUE(TextOutA(dc, 0, 0, "Display text", 12));
    EXPECT_TRUE(locked_while_drawing);
    EXPECT_TRUE(lock.try_lock());
    lock.unlock();
    // Ink only inside the visible region, and inside what was reported.
    RECT ink_bounds{1000, 1000, -1, -1};
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            if (surface.pixel(x, y) != 0xFFFFFF) {
                ink_bounds.left = std::min<LONG>(ink_bounds.left, x);
                ink_bounds.top = std::min<LONG>(ink_bounds.top, y);
                ink_bounds.right = std::max<LONG>(ink_bounds.right, x + 1);
                ink_bounds.bottom = std::max<LONG>(ink_bounds.bottom, y + 1);
            }
    ASSERT_LT(ink_bounds.left, ink_bounds.right);
    EXPECT_TRUE(rect_contains(RECT{10, 5, 60, 40}, ink_bounds)) << describe(ink_bounds);
    EXPECT_TRUE(rect_contains(reported, ink_bounds)) << describe(reported);
    DeleteDC(dc);
}

} // namespace

namespace {

// Two threads drawing with one font share its glyph cache: both must get the same picture as
// a single thread does.
TEST(TextOutThreads, ConcurrentDrawingWithOneFontMatchesSerialDrawing) {
    HFONT font = CreateFontA(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                             0, "Times New Roman");
    const char* text = "Concurrent glyphs: 0123456789 abcdefghijklmnopqrstuvwxyz";
    auto draw = [&](std::string* picture) {
        TestCanvas canvas(400, 24, paper);
        HGDIOBJ previous = SelectObject(canvas.dc(), font);
        SetTextColor(canvas.dc(), ink);
        SetBkMode(canvas.dc(), TRANSPARENT);
        TextOutA(canvas.dc(), 2, 2, text, int(std::strlen(text)));
        *picture = canvas.picture(paper);
        SelectObject(canvas.dc(), previous);
    };
    std::string first;
    std::string second;
    std::thread a(draw, &first);
    std::thread b(draw, &second);
    a.join();
    b.join();
    std::string serial;
    draw(&serial);
    EXPECT_EQ(first, serial);
    EXPECT_EQ(second, serial);
    EXPECT_NE(serial.find('#'), std::string::npos);
    DeleteObject(font);
}

} // namespace
