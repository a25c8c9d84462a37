// CGalleryView's drawing, checked on a memory bitmap: where the rows lie, the hatch origin
// arithmetic, and the hatch phase that stays fixed to each rectangle's corner at every scroll
// offset.
#include "gallery_view.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// Draws the catalogue with chosen character sizes, through the same entry point the view's
// painting uses.
class TestGallery : public CGalleryView {
public:
    TestGallery(int cx, int cy) {
        m_cxChar = cx;
        m_cyChar = cy;
    }
    void Draw(CDC* pDC) { OnDraw(pDC); }
};

// A white memory bitmap the catalogue is drawn on, its viewport shifted up by a scroll offset
// as the scrolling view shifts it.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height) {
        m_dc.CreateCompatibleDC(nullptr);
        m_hBitmap = ::CreateBitmap(width, height, 1, 32, nullptr);
        m_hOld = ::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
        m_dc.FillSolidRect(0, 0, width, height, kWhite);
    }
    ~Canvas() {
        ::SelectObject(m_dc.GetSafeHdc(), m_hOld);
        ::DeleteObject(m_hBitmap);
    }
    CDC* dc() { return &m_dc; }
    COLORREF at(int x, int y) const { return m_dc.GetPixel(x, y); }

private:
    CDC m_dc;
    int m_width, m_height;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};

constexpr int cx = 7, cy = 16;

void DrawScrolled(Canvas& canvas, int nScroll) {
    TestGallery gallery(cx, cy);
    canvas.dc()->SetViewportOrg(0, -nScroll);
    gallery.Draw(canvas.dc());
    canvas.dc()->SetViewportOrg(0, 0);
}

TEST(GalleryView, HatchOriginIsTheSignedRemainderModuloEight) {
    EXPECT_EQ(CGalleryView::HatchOrigin(POINT{0, 0}), CPoint(0, 0));
    EXPECT_EQ(CGalleryView::HatchOrigin(POINT{13, 21}), CPoint(5, 5));
    EXPECT_EQ(CGalleryView::HatchOrigin(POINT{168, -19}), CPoint(0, -3));
    EXPECT_EQ(CGalleryView::HatchOrigin(POINT{-8, -16}), CPoint(0, 0));
    EXPECT_EQ(CGalleryView::HatchOrigin(POINT{-1, 7}), CPoint(-1, 7));
}

TEST(GalleryView, PenStyleRowsLieWhereTheLayoutPutsThemAndTheNullPenDrawsNothing) {
    Canvas canvas(50 * cx, CGalleryView::kTotalLines * cy);
    DrawScrolled(canvas, 0);
    const int nStep = (3 * cy) / 2;
    for (int k = 1; k <= 7; ++k) {
        const int y = cy + k * nStep + cy / 2;
        int red = 0;
        for (int x = 24 * cx; x < 48 * cx; ++x)
            red += canvas.at(x, y) == kRed;
        if (k == 6) {
            EXPECT_EQ(red, 0) << "PS_NULL";
        } else if (k == 1 || k == 7) {
            EXPECT_EQ(red, 24 * cx) << "solid line, end point left out, row " << k;
        } else {
            EXPECT_GT(red, 0) << k;
            EXPECT_LT(red, 24 * cx) << k;
        }
        // Nothing red on the rows just above and below the line (in the graphics column).
        for (int x = 24 * cx; x < 48 * cx; ++x) {
            EXPECT_NE(canvas.at(x, y - 1), kRed) << k;
            EXPECT_NE(canvas.at(x, y + 1), kRed) << k;
        }
    }
}

TEST(GalleryView, WidthLinesAreCentredOnTheirRow) {
    Canvas canvas(50 * cx, CGalleryView::kTotalLines * cy);
    DrawScrolled(canvas, 0);
    const int widths[] = {2, 8, 16, 24};
    for (int k = 1; k <= 4; ++k) {
        const int w = widths[k - 1];
        const int yc = 15 * cy + 2 * k * cy + cy / 2;
        const int x = 36 * cx;
        // Exactly w rows, w / 2 of them above the centre row.
        for (int y = yc - w / 2 - 2; y < yc + w - w / 2 + 2; ++y) {
            const bool inside = y >= yc - w / 2 && y < yc + w - w / 2;
            EXPECT_EQ(canvas.at(x, y) == kBlue, inside) << "width " << w << " row " << y;
        }
    }
}

// The inside of hatch rectangle k (1..6) relative to its top-left corner, for a scroll offset.
std::vector<COLORREF> HatchCell(const Canvas& canvas, int k, int nScroll) {
    const int left = 24 * cx, top = 27 * cy + 3 * k * cy - cy - nScroll;
    std::vector<COLORREF> cell;
    for (int dy = 1; dy < 2 * cy - 1; ++dy)
        for (int dx = 1; dx < 24 * cx - 1; ++dx)
            cell.push_back(canvas.at(left + dx, top + dy));
    return cell;
}

TEST(GalleryView, HatchPhaseStaysFixedToEachRectangleCornerWhileScrolling) {
    Canvas reference(50 * cx, CGalleryView::kTotalLines * cy);
    DrawScrolled(reference, 0);
    for (int nScroll : {1, 3, cy, 5 * cy + 3, 13 * cy}) {
        Canvas scrolled(50 * cx, CGalleryView::kTotalLines * cy);
        DrawScrolled(scrolled, nScroll);
        for (int k = 1; k <= 6; ++k)
            EXPECT_EQ(HatchCell(scrolled, k, nScroll), HatchCell(reference, k, 0))
                << "scroll " << nScroll << " rectangle " << k;
    }
}

TEST(GalleryView, HatchRectanglesHaveABlackOutlineAndGreenHatchInside) {
    Canvas canvas(50 * cx, CGalleryView::kTotalLines * cy);
    DrawScrolled(canvas, 0);
    for (int k = 1; k <= 7; ++k) {
        const int left = 24 * cx, top = 27 * cy + 3 * k * cy - cy;
        EXPECT_EQ(canvas.at(left, top), RGB(0, 0, 0)) << k;
        EXPECT_EQ(canvas.at(48 * cx - 1, top + 2 * cy - 1), RGB(0, 0, 0)) << k;
        int green = 0, white = 0;
        for (COLORREF c : HatchCell(canvas, k, 0)) {
            green += c == kGreen;
            white += c == kWhite;
        }
        EXPECT_GT(green, 0) << k;
        // The seventh rectangle is the solid brush; the hatches leave white gaps (OPAQUE mode,
        // white background colour).
        EXPECT_EQ(white == 0, k == 7) << k;
    }
}

} // namespace
