// Filled shapes and the window manager's rectangle drawing.
#include "gdi_test_canvas.h"

#include <functional>

namespace {

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF red = RGB(255, 0, 0);

// Checks every pixel of the canvas against a rule giving the expected colour.
void expect_pixels(const TestCanvas& canvas, const std::function<COLORREF(int, int)>& rule) {
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            ASSERT_EQ(canvas.at(x, y), rule(x, y)) << "pixel " << x << "," << y << "\n"
                                                   << canvas.picture(white);
}

bool inside(int x, int y, RECT r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

} // namespace

TEST(RectangleShape, OutlineOnTheEdgePixelsAndBrushInside) {
    TestCanvas canvas(12, 10);
    HBRUSH brush = CreateSolidBrush(red);
    SelectObject(canvas.dc(), brush);
    ASSERT_TRUE(Rectangle(canvas.dc(), 2, 2, 9, 7));
    expect_pixels(canvas, [](int x, int y) {
        if (!inside(x, y, RECT{2, 2, 9, 7}))
            return white; // right and bottom excluded
        return inside(x, y, RECT{3, 3, 8, 6}) ? red : black;
    });
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST(RectangleShape, WithoutPenTheFillIsOnePixelSmaller) {
    TestCanvas canvas(12, 10);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
    Rectangle(canvas.dc(), 2, 2, 9, 7);
    expect_pixels(canvas, [](int x, int y) {
        return inside(x, y, RECT{2, 2, 8, 6}) ? black : white;
    });
}

TEST(RectangleShape, InsideFramePenStaysInsideTheBox) {
    TestCanvas canvas(16, 16);
    HPEN pen = CreatePen(PS_INSIDEFRAME, 3, black);
    SelectObject(canvas.dc(), pen);
    SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    Rectangle(canvas.dc(), 2, 2, 14, 13);
    expect_pixels(canvas, [](int x, int y) {
        return inside(x, y, RECT{2, 2, 14, 13}) && !inside(x, y, RECT{5, 5, 11, 10}) ? black
                                                                                     : white;
    });
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}

TEST(RectangleShape, BrushFillUsesTheBinaryRasterOperation) {
    TestCanvas canvas(8, 8, RGB(0x0F, 0xF0, 0x55));
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    SetROP2(canvas.dc(), R2_XORPEN);
    Rectangle(canvas.dc(), 0, 0, 9, 9);
    EXPECT_EQ(canvas.at(4, 4), RGB(0xF0, 0x0F, 0xAA));
}

TEST(EllipseShape, SymmetricInsideItsBoxAndFilled) {
    TestCanvas canvas(24, 18);
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    ASSERT_TRUE(Ellipse(canvas.dc(), 2, 3, 21, 16));
    // The filled box is [2, 20) x [3, 15) without a pen.
    const RECT box{2, 3, 20, 15};
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 24; ++x) {
            const bool on = canvas.at(x, y) == black;
            if (!inside(x, y, box)) {
                EXPECT_FALSE(on) << x << "," << y;
            }
            if (on) {
                EXPECT_EQ(canvas.at(box.left + box.right - 1 - x, y), black) << "mirror x";
                EXPECT_EQ(canvas.at(x, box.top + box.bottom - 1 - y), black) << "mirror y";
            }
        }
    }
    EXPECT_EQ(canvas.at(11, 9), black);
    EXPECT_EQ(canvas.at(2, 3), white) << "corners are outside";
    // The widest row and column reach the box's sides.
    EXPECT_EQ(canvas.at(2, 8), black);
    EXPECT_EQ(canvas.at(19, 8), black);
}

TEST(EllipseShape, OutlineEnclosesTheBrushInterior) {
    TestCanvas canvas(24, 24);
    SelectObject(canvas.dc(), GetStockObject(GRAY_BRUSH));
    Ellipse(canvas.dc(), 2, 2, 22, 22);
    // Walking outwards from the centre along each axis: interior, then outline, then outside.
    const COLORREF gray = RGB(128, 128, 128);
    EXPECT_EQ(canvas.at(12, 12), gray);
    EXPECT_EQ(canvas.at(2, 12), black);
    EXPECT_EQ(canvas.at(21, 12), black);
    EXPECT_EQ(canvas.at(12, 2), black);
    EXPECT_EQ(canvas.at(12, 21), black);
    EXPECT_EQ(canvas.at(1, 12), white);
    EXPECT_EQ(canvas.at(22, 12), white);
}

TEST(FillRectFunction, FillsExactlyTheRectangleWithTheBrush) {
    TestCanvas canvas(10, 10);
    HBRUSH brush = CreateSolidBrush(red);
    const RECT r{2, 3, 7, 9};
    ASSERT_TRUE(FillRect(canvas.dc(), &r, brush));
    expect_pixels(canvas, [&](int x, int y) { return inside(x, y, r) ? red : white; });
    const RECT empty{5, 5, 5, 8};
    FillRect(canvas.dc(), &empty, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(canvas.at(5, 5), red);
    DeleteObject(brush);
}

TEST(FillRectFunction, SystemColourIndexPlusOneNamesTheSystemBrush) {
    TestCanvas canvas(4, 4);
    const RECT r{0, 0, 4, 4};
    FillRect(canvas.dc(), &r,
             reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNSHADOW + 1)));
    EXPECT_EQ(canvas.at(2, 2), GetSysColor(COLOR_BTNSHADOW));
}

TEST(FrameRectFunction, DrawsAOnePixelBorderInside) {
    TestCanvas canvas(10, 10);
    const RECT r{1, 2, 8, 9};
    FrameRect(canvas.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    expect_pixels(canvas, [&](int x, int y) {
        return inside(x, y, r) && !inside(x, y, RECT{2, 3, 7, 8}) ? black : white;
    });
}

TEST(InvertingRectangles, InvertRectAndDrawFocusRectUndoThemselves) {
    TestCanvas canvas(12, 10, RGB(0x12, 0x34, 0x56));
    const RECT r{1, 1, 11, 9};
    InvertRect(canvas.dc(), &r);
    EXPECT_EQ(canvas.at(5, 5), RGB(0xED, 0xCB, 0xA9));
    EXPECT_EQ(canvas.at(0, 0), RGB(0x12, 0x34, 0x56));
    InvertRect(canvas.dc(), &r);
    EXPECT_EQ(canvas.at(5, 5), RGB(0x12, 0x34, 0x56));

    DrawFocusRect(canvas.dc(), &r);
    int changed = 0, frame = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool on_frame = inside(x, y, r) && !inside(x, y, RECT{2, 2, 10, 8});
            frame += on_frame;
            if (canvas.at(x, y) != RGB(0x12, 0x34, 0x56)) {
                ++changed;
                EXPECT_TRUE(on_frame) << x << "," << y;
                // Dotted: along the top edge the next pixel is left alone.
                if (y == r.top && x + 1 < r.right) {
                    EXPECT_EQ(canvas.at(x + 1, y), RGB(0x12, 0x34, 0x56));
                }
            }
        }
    EXPECT_EQ(changed, frame / 2);
    DrawFocusRect(canvas.dc(), &r);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(canvas.at(x, y), RGB(0x12, 0x34, 0x56));
}

TEST(DrawEdgeFunction, SunkenEdgeUsesTheClassicColoursAndAdjusts) {
    TestCanvas canvas(10, 10);
    RECT r{0, 0, 10, 10};
    ASSERT_TRUE(DrawEdge(canvas.dc(), &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST | BF_MIDDLE));
    EXPECT_EQ(r, (RECT{2, 2, 8, 8}));
    EXPECT_EQ(canvas.at(4, 0), GetSysColor(COLOR_3DSHADOW)) << "outer top";
    EXPECT_EQ(canvas.at(0, 4), GetSysColor(COLOR_3DSHADOW)) << "outer left";
    EXPECT_EQ(canvas.at(4, 9), GetSysColor(COLOR_3DHIGHLIGHT)) << "outer bottom";
    EXPECT_EQ(canvas.at(9, 4), GetSysColor(COLOR_3DHIGHLIGHT)) << "outer right";
    EXPECT_EQ(canvas.at(4, 1), GetSysColor(COLOR_3DDKSHADOW)) << "inner top";
    EXPECT_EQ(canvas.at(8, 4), GetSysColor(COLOR_3DLIGHT)) << "inner right";
    EXPECT_EQ(canvas.at(5, 5), GetSysColor(COLOR_3DFACE)) << "middle";
}

TEST(DrawEdgeFunction, RaisedEdgeOnSelectedSidesOnly) {
    TestCanvas canvas(10, 10);
    RECT r{0, 0, 10, 10};
    DrawEdge(canvas.dc(), &r, EDGE_RAISED, BF_TOP | BF_LEFT);
    EXPECT_EQ(r, (RECT{0, 0, 10, 10})) << "no BF_ADJUST";
    EXPECT_EQ(canvas.at(5, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(canvas.at(5, 1), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(canvas.at(5, 9), white);
    EXPECT_EQ(canvas.at(9, 5), white);
}
