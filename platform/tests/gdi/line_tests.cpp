// Lines with cosmetic and wide pens.
#include "gdi_test_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);

class SelectedPen {
public:
    SelectedPen(HDC dc, int style, int width, COLORREF color)
        : m_dc(dc), m_pen(CreatePen(style, width, color)), m_previous(SelectObject(dc, m_pen)) {}
    ~SelectedPen() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_pen);
    }

private:
    HDC m_dc;
    HPEN m_pen;
    HGDIOBJ m_previous;
};

} // namespace

TEST(CosmeticLines, EveryOctantDrawsOnePixelPerStepAndLeavesOutTheEnd) {
    const POINT directions[] = {{9, 4},  {4, 9},  {-4, 9}, {-9, 4}, {-9, -4}, {-4, -9},
                                {4, -9}, {9, -4}, {9, 0},  {0, 9},  {-9, 0},  {0, -9},
                                {7, 7},  {-7, 7}, {7, -7}, {-7, -7}};
    for (const POINT d : directions) {
        TestCanvas canvas(25, 25);
        const POINT start{12, 12};
        MoveToEx(canvas.dc(), start.x, start.y, nullptr);
        LineTo(canvas.dc(), start.x + d.x, start.y + d.y);
        const bool x_major = std::abs(d.x) >= std::abs(d.y);
        const int steps = std::max(std::abs(d.x), std::abs(d.y));
        const std::string picture = canvas.picture(white);
        EXPECT_EQ(canvas.at(start.x, start.y), black) << picture;
        EXPECT_EQ(canvas.at(start.x + d.x, start.y + d.y), white) << "the end point is not drawn\n"
                                                                  << picture;
        int drawn = 0;
        for (int y = 0; y < 25; ++y) {
            for (int x = 0; x < 25; ++x) {
                if (canvas.at(x, y) != black)
                    continue;
                ++drawn;
                // Along the major axis the pixel lies in [start, end); along the minor axis
                // within half a pixel of the ideal line.
                const double t = x_major ? double(x - start.x) / d.x : double(y - start.y) / d.y;
                EXPECT_GE(t, 0) << picture;
                EXPECT_LT(t, 1) << picture;
                const double ideal = x_major ? start.y + t * d.y : start.x + t * d.x;
                const int minor = x_major ? y : x;
                EXPECT_LE(std::fabs(minor - ideal), 0.5 + 1e-9) << picture;
            }
        }
        EXPECT_EQ(drawn, steps) << "one pixel per step along the major axis\n" << picture;
    }
}

TEST(CosmeticLines, CurrentPositionFollowsLineTo) {
    TestCanvas canvas(8, 8);
    POINT previous{-1, -1};
    MoveToEx(canvas.dc(), 1, 2, nullptr);
    EXPECT_TRUE(MoveToEx(canvas.dc(), 3, 4, &previous));
    EXPECT_EQ(previous.x, 1);
    EXPECT_EQ(previous.y, 2);
    LineTo(canvas.dc(), 6, 4);
    POINT now{};
    GetCurrentPositionEx(canvas.dc(), &now);
    EXPECT_EQ(now.x, 6);
    EXPECT_EQ(now.y, 4);
}

TEST(CosmeticLines, PolylineDrawsSharedVerticesOnce) {
    TestCanvas canvas(8, 8);
    SetROP2(canvas.dc(), R2_XORPEN);
    SelectedPen pen(canvas.dc(), PS_SOLID, 1, white);
    const POINT points[] = {{1, 1}, {6, 1}, {6, 6}, {1, 6}};
    ASSERT_TRUE(Polyline(canvas.dc(), points, 4));
    // XOR twice would restore white: every vertex but the last is black.
    EXPECT_EQ(canvas.at(1, 1), black);
    EXPECT_EQ(canvas.at(6, 1), black);
    EXPECT_EQ(canvas.at(6, 6), black);
    EXPECT_EQ(canvas.at(1, 6), white);
    EXPECT_EQ(canvas.at(3, 3), white);
}

TEST(CosmeticLines, StylesFollowTheClassicPatternsAndFillGapsWhenOpaque) {
    struct Case {
        int style;
        std::vector<int> runs;
    };
    const Case cases[] = {{PS_DOT, {3, 3}},
                          {PS_DASH, {18, 6}},
                          {PS_DASHDOT, {9, 6, 3, 6}},
                          {PS_DASHDOTDOT, {9, 3, 3, 3, 3, 3}}};
    constexpr COLORREF gap_color = RGB(0, 0, 255);
    for (const Case& c : cases) {
        for (int mode : {OPAQUE, TRANSPARENT}) {
            TestCanvas canvas(60, 1);
            SetBkMode(canvas.dc(), mode);
            SetBkColor(canvas.dc(), gap_color);
            SelectedPen pen(canvas.dc(), c.style, 1, black);
            MoveToEx(canvas.dc(), 0, 0, nullptr);
            LineTo(canvas.dc(), 60, 0);
            int x = 0;
            for (size_t run = 0; x < 60; run = (run + 1) % c.runs.size()) {
                const bool on = run % 2 == 0;
                for (int i = 0; i < c.runs[run] && x < 60; ++i, ++x) {
                    const COLORREF expected = on ? black : mode == OPAQUE ? gap_color : white;
                    ASSERT_EQ(canvas.at(x, 0), expected)
                        << "style " << c.style << " mode " << mode << " x " << x;
                }
            }
        }
    }
}

TEST(CosmeticLines, NullPenDrawsNothing) {
    TestCanvas canvas(8, 8);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 7, 7);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(canvas.at(i, i), white);
}

TEST(WideLines, CoverThePixelsWithinHalfTheWidthWithRoundEnds) {
    for (int width : {2, 3, 5, 6}) {
        TestCanvas canvas(40, 30);
        SelectedPen pen(canvas.dc(), PS_SOLID, width, black);
        const POINT a{8, 10}, b{30, 19};
        MoveToEx(canvas.dc(), a.x, a.y, nullptr);
        LineTo(canvas.dc(), b.x, b.y);
        const double radius = width / 2.0;
        // Distance of a pixel centre to the segment, the centre taken half a pixel off for
        // even widths (the extra row falls on one side).
        const double shift = width % 2 == 0 ? 0.5 : 0.0;
        auto distance = [&](double x, double y) {
            const double dx = b.x - a.x, dy = b.y - a.y;
            double t = ((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy);
            t = std::clamp(t, 0.0, 1.0);
            return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
        };
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                const double d = distance(x + shift, y + shift);
                if (d <= radius - 0.01) {
                    EXPECT_EQ(canvas.at(x, y), black) << width << " " << x << "," << y;
                }
                if (d >= radius + 0.01) {
                    EXPECT_EQ(canvas.at(x, y), white) << width << " " << x << "," << y;
                }
            }
        }
        // Both end points are covered: wide lines are not shortened.
        EXPECT_EQ(canvas.at(b.x, b.y), black);
    }
}

TEST(WideLines, HorizontalLineIsExactlyWidthRowsThick) {
    for (int width = 2; width <= 7; ++width) {
        TestCanvas canvas(30, 20);
        SelectedPen pen(canvas.dc(), PS_SOLID, width, black);
        MoveToEx(canvas.dc(), 5, 10, nullptr);
        LineTo(canvas.dc(), 25, 10);
        int rows = 0;
        for (int y = 0; y < 20; ++y)
            rows += canvas.at(15, y) == black;
        EXPECT_EQ(rows, width);
    }
}

TEST(WideLines, DashedStyleWiderThanOnePixelDrawsSolid) {
    TestCanvas canvas(40, 10);
    SelectedPen pen(canvas.dc(), PS_DOT, 3, black);
    MoveToEx(canvas.dc(), 2, 5, nullptr);
    LineTo(canvas.dc(), 37, 5);
    for (int x = 2; x <= 37; ++x)
        EXPECT_EQ(canvas.at(x, 5), black) << x;
}

TEST(WideLines, GrowEquallyAboveAndBelowTheirRowAndReachPastTheEndsByHalfTheWidth) {
    for (int width : {2, 8, 16, 24}) {
        TestCanvas canvas(120, 60);
        SelectedPen pen(canvas.dc(), PS_SOLID, width, black);
        MoveToEx(canvas.dc(), 40, 30, nullptr);
        LineTo(canvas.dc(), 80, 30);
        // Rows 30 - width / 2 up to 30 + width - width / 2 - 1 along the middle.
        for (int y = 0; y < 60; ++y) {
            const bool covered = y >= 30 - width / 2 && y < 30 + width - width / 2;
            EXPECT_EQ(canvas.at(60, y) == black, covered) << "width " << width << " row " << y;
        }
        // Round ends: half the width beyond each end point along the line, and no further.
        int left = 120, right = -1;
        for (int x = 0; x < 120; ++x)
            if (canvas.at(x, 30) == black) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        EXPECT_NEAR(40 - left, width / 2, 1) << width;
        EXPECT_NEAR(right - 80, width / 2, 1) << width;
    }
}

TEST(CosmeticLines, InsideFramePenDrawsLinesLikeASolidPen) {
    TestCanvas solid(40, 4), inside(40, 4);
    {
        SelectedPen pen(solid.dc(), PS_SOLID, 1, black);
        MoveToEx(solid.dc(), 2, 1, nullptr);
        LineTo(solid.dc(), 37, 1);
    }
    {
        SelectedPen pen(inside.dc(), PS_INSIDEFRAME, 1, black);
        MoveToEx(inside.dc(), 2, 1, nullptr);
        LineTo(inside.dc(), 37, 1);
    }
    EXPECT_EQ(inside.picture(white), solid.picture(white));
}
