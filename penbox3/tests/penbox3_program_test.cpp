// End-to-end tests of Penbox3, run headless through the scripted driver. Positions come from
// the catalogue's layout in character units, with the system font's metrics measured here the
// way the program measures them.
#include "testing/dump.h"
#include "testing/png_image.h"
#include "testing/program_run.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

using mullion::testing::Dump;
using mullion::testing::DumpRect;
using mullion::testing::PngImage;
using mullion::testing::ProgramRun;
using mullion::testing::rgb_pixel;

namespace {

constexpr int kPaneId = 0xE900;
constexpr uint32_t kRed = rgb_pixel(255, 0, 0);
constexpr uint32_t kBlue = rgb_pixel(0, 0, 255);
constexpr uint32_t kBlack = rgb_pixel(0, 0, 0);
constexpr uint32_t kWhite = rgb_pixel(255, 255, 255);

struct CharSize {
    int cx, cy;
};

CharSize SystemCharSize() {
    HDC dc = GetDC(nullptr);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    ReleaseDC(nullptr, dc);
    return {tm.tmAveCharWidth, tm.tmHeight};
}

struct Capture {
    DumpRect view;   // the view window, bar included
    DumpRect client; // the view's client area
    long long style = 0;
    PngImage image;
    // The client pixel at catalogue coordinates for a scroll position.
    uint32_t at(int x, int y) const { return image.pixel(client.left + x, client.top + y); }
};

Capture RunPenbox(const std::string& steps, const std::string& screen = "") {
    ProgramRun program("Penbox3");
    if (!screen.empty())
        program.environment("MULLION_SCREEN", screen);
    const auto result =
        program.run_script("idle\n" + steps + "idle\ndump state.json\n" + "shot state.png\nquit\n");
    EXPECT_FALSE(result.timed_out) << result.output;
    const Dump dump = Dump::load(program.file("state.json"));
    const auto* frame = dump.top_level("Penbox3");
    if (!frame)
        throw std::runtime_error("no Penbox3 window: " + result.output);
    const auto* view = Dump::child_with_id(*frame, kPaneId);
    if (!view)
        throw std::runtime_error("no view in the frame");
    Capture capture{Dump::rect(*view), Dump::client(*view), (*view)["style"].get<long long>(),
                    PngImage::load(program.file("state.png"))};
    return capture;
}

std::string Point(int x, int y) {
    return std::to_string(x) + " " + std::to_string(y);
}

// Where the view's vertical bar has its parts, in screen pixels.
struct Bar {
    int x, top, bottom;
    int down_arrow() const { return bottom - 8; }
};

Bar BarOf(const Capture& c) {
    return Bar{c.view.right - 8, c.view.top, c.view.bottom};
}

TEST(Penbox3, FillsTheFrameWithTheViewAndShowsTheBarWhenTheCatalogueIsTaller) {
    const CharSize ch = SystemCharSize();
    const Capture c = RunPenbox("");
    ASSERT_LT(c.client.height(), 50 * ch.cy) << "the default window should be shorter";
    EXPECT_TRUE(c.style & WS_VSCROLL);
    EXPECT_FALSE(c.style & WS_HSCROLL) << "only vertical scrolling exists";
    EXPECT_EQ(c.view.width() - c.client.width(), GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(c.view.height(), c.client.height());
}

TEST(Penbox3, AWindowTallerThanTheCatalogueShowsNoScrollBar) {
    const CharSize ch = SystemCharSize();
    const Capture c = RunPenbox("", "1280x1400");
    ASSERT_GE(c.client.height(), 50 * ch.cy);
    EXPECT_FALSE(c.style & WS_VSCROLL);
    EXPECT_EQ(c.view.width(), c.client.width());
    // The last rectangle's bottom edge, at 49 character heights, is on view.
    EXPECT_EQ(c.at(24 * ch.cx, 49 * ch.cy - 1), kBlack);
}

TEST(Penbox3, PenStyleRowsFollowTheirPatternsAndTheNullPenDrawsNoLine) {
    const CharSize ch = SystemCharSize();
    const Capture c = RunPenbox("");
    const int x0 = 24 * ch.cx, x1 = 48 * ch.cx;
    // On/off runs of the one-pixel styles, from the line's start; gaps show the background
    // colour (white) as the mode is OPAQUE.
    const std::vector<std::vector<int>> patterns = {
        {}, {18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}, {}, {}};
    const int null_row = 6;
    for (int k = 1; k <= 7; ++k) {
        SCOPED_TRACE("pen style row " + std::to_string(k));
        const int y = ch.cy + k * ((3 * ch.cy) / 2) + ch.cy / 2;
        const auto& runs = patterns[size_t(k - 1)];
        size_t run = 0;
        int left = runs.empty() ? 0 : runs[0];
        for (int x = x0; x < x1; ++x) {
            const bool on = k != null_row && (runs.empty() || run % 2 == 0);
            ASSERT_EQ(c.at(x, y), on ? kRed : kWhite) << "x " << x - x0;
            if (!runs.empty() && --left == 0) {
                run = (run + 1) % runs.size();
                left = runs[run];
            }
        }
        EXPECT_EQ(c.at(x1, y), kWhite) << "the end point is left out";
        EXPECT_NE(c.at(x0 + 1, y - 1), kRed);
        EXPECT_NE(c.at(x0 + 1, y + 1), kRed);
    }
}

TEST(Penbox3, WideLinesAreCentredOnTheirRow) {
    const CharSize ch = SystemCharSize();
    const Capture c = RunPenbox("");
    const int widths[] = {2, 8, 16, 24};
    for (int k = 1; k <= 4; ++k) {
        const int w = widths[k - 1];
        const int yc = 15 * ch.cy + 2 * k * ch.cy + ch.cy / 2;
        ASSERT_LT(yc + w, c.client.height());
        int above = 0, below = 0;
        for (int y = yc - w; y <= yc + w; ++y) {
            if (c.at(36 * ch.cx, y) != kBlue)
                continue;
            (y < yc ? above : below) += 1;
        }
        // w rows: half above the centre row, the centre row and the rest below.
        EXPECT_EQ(above, w / 2) << "width " << w;
        EXPECT_EQ(below, w - w / 2) << "width " << w;
    }
}

TEST(Penbox3, OneLineOfScrollingMovesThePictureByOneCharacterHeight) {
    const CharSize ch = SystemCharSize();
    const Capture before = RunPenbox("");
    const Bar bar = BarOf(before);
    const Capture after = RunPenbox("click " + Point(bar.x, bar.down_arrow()) + "\n");
    ASSERT_EQ(after.client.height(), before.client.height());
    int differing = 0;
    for (int y = 0; y + ch.cy < before.client.height(); ++y)
        for (int x = 0; x < before.client.width(); ++x)
            differing += after.at(x, y) != before.at(x, y + ch.cy);
    EXPECT_EQ(differing, 0);
    // And the picture did move: the heading "Pen Styles" at one character height is gone
    // from its place.
    int moved = 0;
    for (int x = 0; x < before.client.width(); ++x)
        moved += after.at(x, ch.cy + ch.cy / 2) != before.at(x, ch.cy + ch.cy / 2);
    EXPECT_GT(moved, 0);
}

// The inside of a hatch rectangle drawn with the pattern starting at its corner, as the
// platform draws it in this process: the reference every scroll position must match.
std::vector<uint32_t> ExpectedHatch(int hatch, int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    HBRUSH brush = CreateHatchBrush(hatch, RGB(0, 255, 0));
    HGDIOBJ old_brush = SelectObject(dc, brush);
    Rectangle(dc, 0, 0, width, height);
    std::vector<uint32_t> pixels;
    for (int y = 1; y < height - 1; ++y)
        for (int x = 1; x < width - 1; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            pixels.push_back(rgb_pixel(GetRValue(c), GetGValue(c), GetBValue(c)));
        }
    SelectObject(dc, old_brush);
    DeleteObject(brush);
    SelectObject(dc, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST(Penbox3, HatchPatternsStartAtEachRectangleCornerAtEveryScrollPosition) {
    const CharSize ch = SystemCharSize();
    const int width = 24 * ch.cx, height = 2 * ch.cy;
    const int hatches[] = {HS_BDIAGONAL, HS_CROSS,      HS_DIAGCROSS,
                           HS_FDIAGONAL, HS_HORIZONTAL, HS_VERTICAL};
    const Capture start = RunPenbox("");
    const Bar bar = BarOf(start);
    const std::string line = "click " + Point(bar.x, bar.down_arrow()) + "\n";
    const std::string page = "click " + Point(bar.x, bar.down_arrow() - 20) + "\n";
    int checked = 0;
    for (const auto& [lines, steps] :
         {std::pair{5, std::string()}, {0, page}, {1, page + line}, {3, line + line + line}}) {
        const Capture c = RunPenbox(steps);
        // The scroll position in pixels: a page is the client height, clamped to the end.
        const int page_pixels = steps.find(page) == 0 ? c.client.height() : 0;
        const int max_position = 50 * ch.cy - c.client.height();
        const int position = std::min(page_pixels + (lines == 5 ? 0 : lines) * ch.cy, max_position);
        for (int k = 1; k <= 6; ++k) {
            const int top = 27 * ch.cy + 3 * k * ch.cy - ch.cy - position;
            if (top < 0 || top + height > c.client.height())
                continue;
            SCOPED_TRACE("scroll " + std::to_string(position) + " rectangle " + std::to_string(k));
            std::vector<uint32_t> seen;
            for (int y = 1; y < height - 1; ++y)
                for (int x = 1; x < width - 1; ++x)
                    seen.push_back(c.at(24 * ch.cx + x, top + y));
            EXPECT_EQ(seen, ExpectedHatch(hatches[k - 1], width, height));
            ++checked;
        }
    }
    EXPECT_GE(checked, 6);
}

TEST(Penbox3, DraggingTheThumbToTheEndShowsTheLastRectangleAtTheBottom) {
    const CharSize ch = SystemCharSize();
    const Capture start = RunPenbox("");
    const Bar bar = BarOf(start);
    // The thumb starts right under the top arrow.
    const int thumb_y = bar.top + GetSystemMetrics(SM_CYVSCROLL) + 4;
    const Capture c = RunPenbox(
        "down " + Point(bar.x, thumb_y) + "\nmove " + Point(bar.x, thumb_y + 60) + "\nmove " +
        Point(bar.x, bar.bottom + 300) + "\nup " + Point(bar.x, bar.bottom + 300) + "\n");
    const int position = 50 * ch.cy - c.client.height();
    // The solid rectangle's bottom edge lies at 49 character heights.
    EXPECT_EQ(c.at(24 * ch.cx, 49 * ch.cy - 1 - position), kBlack);
    EXPECT_EQ(c.at(30 * ch.cx, 49 * ch.cy - 2 - position), rgb_pixel(0, 255, 0));
}

} // namespace
