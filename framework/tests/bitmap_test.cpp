// CBitmap, CPalette and the CDC block transfers: monochrome bitmaps and their BITMAP fields,
// compatible bitmaps, the documented monochrome conversions through BitBlt, DPtoLP with a
// mapping, and palette entries.
#include "framework.h"

#include <gtest/gtest.h>

namespace {

// A memory context with a bitmap of its own selected.
struct MemoryDC {
    MemoryDC(CBitmap& bitmap) {
        dc.CreateCompatibleDC(nullptr);
        pOld = dc.SelectObject(&bitmap);
    }
    ~MemoryDC() { dc.SelectObject(pOld); }
    CDC dc;
    CBitmap* pOld = nullptr;
};

TEST(BitmapTest, MonochromeBitmapDescribesItselfAndStartsFromItsBits) {
    // Rows are WORD-aligned: 20 pixels take 3 bytes, padded to 4. Bit 1 is white.
    const BYTE bits[] = {0xF0, 0x00, 0x00, 0x00, 0x0F, 0x00, 0x00, 0x00};
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(20, 2, 1, 1, bits));
    BITMAP bm{};
    EXPECT_EQ(bitmap.GetBitmap(&bm), int(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmType, 0);
    EXPECT_EQ(bm.bmWidth, 20);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_EQ(bm.bmWidthBytes, 4);
    EXPECT_EQ(bm.bmPlanes, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    BITMAP same{};
    EXPECT_EQ(bitmap.GetObject(sizeof(BITMAP), &same), int(sizeof(BITMAP)));
    EXPECT_EQ(same.bmWidthBytes, bm.bmWidthBytes);

    MemoryDC memory(bitmap);
    EXPECT_EQ(memory.dc.GetPixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(memory.dc.GetPixel(4, 0), RGB(0, 0, 0));
    EXPECT_EQ(memory.dc.GetPixel(3, 1), RGB(0, 0, 0));
    EXPECT_EQ(memory.dc.GetPixel(4, 1), RGB(255, 255, 255));
}

TEST(BitmapTest, CompatibleBitmapOfTheScreenIsColour) {
    CClientDC screen(nullptr);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 7, 5));
    BITMAP bm{};
    bitmap.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 7);
    EXPECT_EQ(bm.bmHeight, 5);
    EXPECT_EQ(bm.bmBitsPixel, screen.GetDeviceCaps(BITSPIXEL));
    MemoryDC memory(bitmap);
    memory.dc.SetPixel(1, 1, RGB(12, 34, 56));
    EXPECT_EQ(memory.dc.GetPixel(1, 1), RGB(12, 34, 56));
}

TEST(BitmapTest, BitBltConvertsBetweenColourAndMonochrome) {
    CClientDC screen(nullptr);
    CBitmap colour, mono;
    colour.CreateCompatibleBitmap(&screen, 3, 1);
    mono.CreateBitmap(3, 1, 1, 1, nullptr);
    MemoryDC colourDC(colour), monoDC(mono);
    colourDC.dc.SetPixel(0, 0, RGB(255, 0, 0));
    colourDC.dc.SetPixel(1, 0, RGB(0, 0, 255));
    colourDC.dc.SetPixel(2, 0, RGB(255, 255, 255));

    // Colour to monochrome: the source's background colour becomes 1 (white), all else 0,
    // however light the other colours are.
    colourDC.dc.SetBkColor(RGB(255, 0, 0));
    monoDC.dc.BitBlt(0, 0, 3, 1, &colourDC.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(monoDC.dc.GetPixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(monoDC.dc.GetPixel(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(monoDC.dc.GetPixel(2, 0), RGB(0, 0, 0));

    // Monochrome to colour: 0 becomes the destination's text colour, 1 its background colour.
    colourDC.dc.SetTextColor(RGB(1, 2, 3));
    colourDC.dc.SetBkColor(RGB(200, 100, 50));
    colourDC.dc.BitBlt(0, 0, 3, 1, &monoDC.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(colourDC.dc.GetPixel(0, 0), RGB(200, 100, 50));
    EXPECT_EQ(colourDC.dc.GetPixel(1, 0), RGB(1, 2, 3));
    EXPECT_EQ(colourDC.dc.GetPixel(2, 0), RGB(1, 2, 3));
}

TEST(BitmapTest, StretchBltAndPatBltThroughTheWrapper) {
    CClientDC screen(nullptr);
    CBitmap source, target;
    source.CreateCompatibleBitmap(&screen, 2, 1);
    target.CreateCompatibleBitmap(&screen, 4, 2);
    MemoryDC sourceDC(source), targetDC(target);
    sourceDC.dc.SetPixel(0, 0, RGB(10, 20, 30));
    sourceDC.dc.SetPixel(1, 0, RGB(40, 50, 60));
    EXPECT_EQ(targetDC.dc.SetStretchBltMode(COLORONCOLOR), BLACKONWHITE);
    ASSERT_TRUE(targetDC.dc.StretchBlt(0, 0, 4, 2, &sourceDC.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(targetDC.dc.GetPixel(1, 1), RGB(10, 20, 30));
    EXPECT_EQ(targetDC.dc.GetPixel(2, 0), RGB(40, 50, 60));
    ASSERT_TRUE(targetDC.dc.PatBlt(0, 0, 2, 1, DSTINVERT));
    EXPECT_EQ(targetDC.dc.GetPixel(0, 0), RGB(245, 235, 225));
    EXPECT_EQ(targetDC.dc.GetPixel(0, 1), RGB(10, 20, 30));
}

TEST(BitmapTest, DPtoLPFollowsTheMappingMode) {
    CClientDC screen(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 8, 8);
    MemoryDC memory(bitmap);
    // MM_LOMETRIC: 0.1 mm units with y up; at 96 pixels per inch 96 pixels are 254 units.
    EXPECT_EQ(memory.dc.SetMapMode(MM_LOMETRIC), MM_TEXT);
    POINT size{96, 96};
    memory.dc.DPtoLP(&size);
    EXPECT_EQ(size.x, 254);
    EXPECT_EQ(size.y, -254);
    memory.dc.LPtoDP(&size);
    EXPECT_EQ(size.x, 96);
    EXPECT_EQ(size.y, 96);
    // Origins move points: device (0, 0) is logical (window origin) when the viewport sits at 0.
    memory.dc.SetMapMode(MM_TEXT);
    memory.dc.SetWindowOrg(5, -3);
    POINT origin{0, 0};
    memory.dc.DPtoLP(&origin);
    EXPECT_EQ(origin.x, 5);
    EXPECT_EQ(origin.y, -3);
}

TEST(PaletteTest, EntriesCountAndNearestIndex) {
    struct {
        WORD version, count;
        PALETTEENTRY entries[4];
    } logical{0x300, 4, {{0, 0, 255, 0}, {0, 0, 251, 0}, {0, 0, 247, 0}, {0, 0, 243, 0}}};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(reinterpret_cast<LPLOGPALETTE>(&logical)));
    EXPECT_EQ(palette.GetEntryCount(), 4);
    PALETTEENTRY entries[4]{};
    EXPECT_EQ(palette.GetPaletteEntries(2, 4, entries), 2u);
    EXPECT_EQ(entries[0].peBlue, 247);
    EXPECT_EQ(entries[1].peBlue, 243);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(0, 0, 250)), 1u);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(0, 0, 0)), 3u);

    CClientDC screen(nullptr);
    CPalette* pOld = screen.SelectPalette(&palette, FALSE);
    ASSERT_NE(pOld, nullptr);
    EXPECT_EQ(pOld->m_hObject, ::GetStockObject(DEFAULT_PALETTE));
    screen.SelectPalette(pOld, FALSE);
}

} // namespace
