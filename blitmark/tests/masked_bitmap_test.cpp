// CMaskedBitmap drawing into memory contexts: the opaque blit copies every pixel of bitmap
// 201, the transparent one keeps the destination exactly where the bitmap has the transparent
// colour, both follow the destination's mapping and clipping.
#include "masked_bitmap.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

// A colour that differs from pixel to pixel and from every colour of the bitmap.
COLORREF BackgroundAt(int x, int y) {
    return RGB(10 + x % 200, 20 + y % 200, 77);
}

// A memory context with a colour bitmap, painted with BackgroundAt.
class Canvas {
public:
    Canvas(int cx, int cy) : m_cx(cx), m_cy(cy) {
        CClientDC screen(nullptr);
        m_dc.CreateCompatibleDC(&screen);
        m_bitmap.CreateCompatibleBitmap(&screen, cx, cy);
        m_pOld = m_dc.SelectObject(&m_bitmap);
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
                m_dc.SetPixel(x, y, BackgroundAt(x, y));
    }
    ~Canvas() { m_dc.SelectObject(m_pOld); }

    CDC* DC() { return &m_dc; }
    // The pixel at device coordinates, whatever mapping the test set.
    COLORREF At(int x, int y) {
        const int nSaved = m_dc.SaveDC();
        m_dc.SetMapMode(MM_TEXT);
        m_dc.SetViewportOrg(0, 0);
        m_dc.SetWindowOrg(0, 0);
        ::SelectClipRgn(m_dc, nullptr);
        const COLORREF color = m_dc.GetPixel(x, y);
        m_dc.RestoreDC(nSaved);
        return color;
    }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

private:
    int m_cx, m_cy;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOld = nullptr;
};

// The bitmap's pixels, read through a memory context.
std::vector<COLORREF> Pixels(CBitmap& bitmap, int cx, int cy) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            pixels.push_back(dc.GetPixel(x, y));
    dc.SelectObject(pOld);
    return pixels;
}

enum class Expect { Opaque, Transparent };

// Compares the canvas with the tile drawn at device (left, top) and returns the number of
// differing pixels; pixels outside `visible` (device coordinates) must be untouched.
int Differences(Canvas& canvas, const std::vector<COLORREF>& tile, int cx, int cy, int left,
                int top, COLORREF clrTransparency, Expect expect, const CRect& visible) {
    int nDiffering = 0;
    for (int y = 0; y < canvas.Height(); y++) {
        for (int x = 0; x < canvas.Width(); x++) {
            COLORREF expected = BackgroundAt(x, y);
            const bool inTile = x >= left && x < left + cx && y >= top && y < top + cy;
            if (inTile && visible.PtInRect(CPoint(x, y))) {
                const COLORREF pixel = tile[size_t((y - top) * cx + (x - left))];
                if (expect == Expect::Opaque || pixel != clrTransparency)
                    expected = pixel;
            }
            const COLORREF actual = canvas.At(x, y);
            if (actual != expected) {
                if (nDiffering == 0)
                    ADD_FAILURE() << "first difference at (" << x << "," << y << "): 0x" << std::hex
                                  << actual << " instead of 0x" << expected;
                nDiffering++;
            }
        }
    }
    return nDiffering;
}

class MaskedBitmapTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_bitmap.LoadBitmap(IDB_BITMAP));
        BITMAP bm;
        ASSERT_EQ(m_bitmap.GetBitmap(&bm), int(sizeof(BITMAP)));
        m_cx = bm.bmWidth;
        m_cy = bm.bmHeight;
        m_tile = Pixels(m_bitmap, m_cx, m_cy);
    }

    CMaskedBitmap m_bitmap;
    int m_cx = 0, m_cy = 0;
    std::vector<COLORREF> m_tile;
    const CRect m_everywhere{-1000, -1000, 1000, 1000};
};

TEST_F(MaskedBitmapTest, BitmapIs64By41With705RedPixels) {
    EXPECT_EQ(m_cx, 64);
    EXPECT_EQ(m_cy, 41);
    int nRed = 0;
    for (COLORREF pixel : m_tile)
        nRed += pixel == kRed;
    EXPECT_EQ(nRed, 705);
    EXPECT_EQ(m_tile.front(), kRed);
    EXPECT_EQ(m_tile.back(), kRed);
    EXPECT_EQ(m_tile[size_t(m_cx - 1)], kRed);
    EXPECT_EQ(m_tile[size_t((m_cy - 1) * m_cx)], kRed);
}

TEST_F(MaskedBitmapTest, DrawCopiesEveryPixelIncludingTheRedBackground) {
    Canvas canvas(90, 60);
    m_bitmap.Draw(canvas.DC(), 7, 9);
    EXPECT_EQ(Differences(canvas, m_tile, m_cx, m_cy, 7, 9, kRed, Expect::Opaque, m_everywhere), 0);
}

TEST_F(MaskedBitmapTest, DrawTransparentKeepsTheDestinationUnderRedPixels) {
    Canvas canvas(90, 60);
    m_bitmap.DrawTransparent(canvas.DC(), 11, 5, kRed);
    EXPECT_EQ(
        Differences(canvas, m_tile, m_cx, m_cy, 11, 5, kRed, Expect::Transparent, m_everywhere), 0);
}

TEST_F(MaskedBitmapTest, DrawTransparentLeavesOutWhicheverColourItIsGiven) {
    Canvas canvas(80, 50);
    m_bitmap.DrawTransparent(canvas.DC(), 3, 2, RGB(0, 0, 0));
    EXPECT_EQ(Differences(canvas, m_tile, m_cx, m_cy, 3, 2, RGB(0, 0, 0), Expect::Transparent,
                          m_everywhere),
              0);
}

TEST_F(MaskedBitmapTest, TilesCutOffAtTheEdgeStillMatch) {
    Canvas canvas(40, 30);
    m_bitmap.DrawTransparent(canvas.DC(), 8, 8, kRed);
    EXPECT_EQ(
        Differences(canvas, m_tile, m_cx, m_cy, 8, 8, kRed, Expect::Transparent, m_everywhere), 0);
}

TEST_F(MaskedBitmapTest, DrawingHonoursTheDestinationsClipping) {
    Canvas canvas(90, 60);
    const CRect clip(20, 15, 50, 40);
    canvas.DC()->IntersectClipRect(&clip);
    m_bitmap.DrawTransparent(canvas.DC(), 4, 6, kRed);
    EXPECT_EQ(Differences(canvas, m_tile, m_cx, m_cy, 4, 6, kRed, Expect::Transparent, clip), 0);

    Canvas opaque(90, 60);
    opaque.DC()->IntersectClipRect(&clip);
    m_bitmap.Draw(opaque.DC(), 4, 6);
    EXPECT_EQ(Differences(opaque, m_tile, m_cx, m_cy, 4, 6, kRed, Expect::Opaque, clip), 0);
}

} // namespace
