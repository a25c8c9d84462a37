// Brushes (hatched, pattern, origin) and palettes.
#include "gdi_test_canvas.h"

namespace {

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);

void fill(const TestCanvas& canvas, HBRUSH brush) {
    const RECT all{0, 0, canvas.width(), canvas.height()};
    FillRect(canvas.dc(), &all, brush);
}

} // namespace

TEST(PatternBrush, MonochromePatternTakesTextAndBackgroundColoursAlignedToTheOrigin) {
    // An 8x8 pattern with only its top-left pixel 0 (black); every other bit 1.
    uint8_t bits[16];
    for (uint8_t& b : bits)
        b = 0xFF;
    bits[0] = 0x7F;
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, bits);
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern); // the brush keeps its own copy
    TestCanvas canvas(20, 20);
    SetTextColor(canvas.dc(), RGB(200, 0, 0));
    SetBkColor(canvas.dc(), RGB(0, 0, 200));
    SetBrushOrgEx(canvas.dc(), 3, 2, nullptr);
    fill(canvas, brush);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool zero_bit = (x - 3) % 8 == 0 && (y - 2) % 8 == 0;
            ASSERT_EQ(canvas.at(x, y), zero_bit ? RGB(200, 0, 0) : RGB(0, 0, 200)) << x << "," << y;
        }
    DeleteObject(brush);
}

TEST(PatternBrush, ColourPatternRepeatsItsBitmap) {
    TestCanvas tile(2, 3);
    SetPixel(tile.dc(), 1, 2, RGB(1, 2, 3));
    HBRUSH brush = CreatePatternBrush(tile.bitmap());
    TestCanvas canvas(9, 9);
    fill(canvas, brush);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(canvas.at(x, y), x % 2 == 1 && y % 3 == 2 ? RGB(1, 2, 3) : white);
    DeleteObject(brush);
}

TEST(HatchBrush, EverySyleRepeatsEveryEightPixelsAndGapsFollowTheBackgroundMode) {
    for (int hatch = HS_HORIZONTAL; hatch <= HS_DIAGCROSS; ++hatch) {
        HBRUSH brush = CreateHatchBrush(hatch, black);
        for (int mode : {OPAQUE, TRANSPARENT}) {
            TestCanvas canvas(24, 24, RGB(0, 255, 0));
            SetBkMode(canvas.dc(), mode);
            SetBkColor(canvas.dc(), RGB(255, 0, 0));
            fill(canvas, brush);
            int lines = 0;
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 24; ++x) {
                    const COLORREF c = canvas.at(x, y);
                    EXPECT_EQ(c, canvas.at((x + 8) % 24, (y + 8) % 24)) << hatch;
                    lines += c == black;
                    if (c != black) {
                        EXPECT_EQ(c, mode == OPAQUE ? RGB(255, 0, 0) : RGB(0, 255, 0)) << hatch;
                    }
                }
            // One line per 8 pixels for single styles, two crossing lines for the crosses.
            const int per_cell = hatch == HS_CROSS ? 15 : hatch == HS_DIAGCROSS ? 16 : 8;
            EXPECT_EQ(lines, per_cell * 9) << hatch;
        }
        DeleteObject(brush);
    }
}

TEST(HatchBrush, LinesRunInTheirDirection) {
    auto line_pixels = [](int hatch) {
        HBRUSH brush = CreateHatchBrush(hatch, black);
        TestCanvas canvas(8, 8);
        fill(canvas, brush);
        DeleteObject(brush);
        return canvas.picture(white);
    };
    const std::string horizontal = line_pixels(HS_HORIZONTAL);
    EXPECT_NE(horizontal.find("########"), std::string::npos) << horizontal;
    const std::string vertical = line_pixels(HS_VERTICAL);
    EXPECT_EQ(vertical.find("##"), std::string::npos) << vertical;
    // A forward diagonal (top left to bottom right) steps right as it goes down.
    const std::string forward = line_pixels(HS_FDIAGONAL);
    const size_t first = forward.find('#'), second = forward.find('#', 9);
    EXPECT_EQ((second % 9), (first % 9 + 1) % 8) << forward;
}

TEST(BrushOrigin, SetBrushOrgExReturnsThePreviousOriginAndGetBrushOrgExTheCurrentOne) {
    TestCanvas canvas(8, 8);
    POINT previous{-1, -1};
    ASSERT_TRUE(SetBrushOrgEx(canvas.dc(), 3, -5, &previous));
    EXPECT_EQ(previous.x, 0);
    EXPECT_EQ(previous.y, 0);
    ASSERT_TRUE(SetBrushOrgEx(canvas.dc(), 6, 2, &previous));
    EXPECT_EQ(previous.x, 3);
    EXPECT_EQ(previous.y, -5);
    POINT current{};
    ASSERT_TRUE(GetBrushOrgEx(canvas.dc(), &current));
    EXPECT_EQ(current.x, 6);
    EXPECT_EQ(current.y, 2);
}

TEST(BrushOrigin, HatchPatternStartsAtTheOriginInEveryStyle) {
    // Whatever the origin, the pixel at (x, y) is the one the pattern has at (x, y) less the
    // origin, modulo 8 (negative origins included).
    const POINT origins[] = {{3, 5}, {-3, -1}, {7, 12}, {-19, 4}};
    for (int hatch = HS_HORIZONTAL; hatch <= HS_DIAGCROSS; ++hatch) {
        HBRUSH brush = CreateHatchBrush(hatch, black);
        TestCanvas reference(16, 16);
        fill(reference, brush);
        for (const POINT& origin : origins) {
            TestCanvas canvas(16, 16);
            SetBrushOrgEx(canvas.dc(), origin.x, origin.y, nullptr);
            fill(canvas, brush);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const int rx = ((x - origin.x) % 8 + 8) % 8, ry = ((y - origin.y) % 8 + 8) % 8;
                    ASSERT_EQ(canvas.at(x, y), reference.at(rx, ry))
                        << "hatch " << hatch << " origin " << origin.x << "," << origin.y
                        << " pixel " << x << "," << y;
                }
        }
        DeleteObject(brush);
    }
}

TEST(BrushOrigin, IsInDeviceCoordinatesSoMovingTheViewportLeavesThePatternInPlace) {
    HBRUSH brush = CreateHatchBrush(HS_DIAGCROSS, black);
    TestCanvas still(24, 24), shifted(24, 24);
    fill(still, brush);
    // A scrolled view: logical (0, 13) shows at device (0, 0).
    SetViewportOrgEx(shifted.dc(), 0, -13, nullptr);
    const RECT logical{0, 13, 24, 37};
    FillRect(shifted.dc(), &logical, brush);
    EXPECT_EQ(shifted.picture(white), still.picture(white));
    DeleteObject(brush);
}

TEST(BrushOrigin, ShapesFillFromTheOriginToo) {
    // The brush origin set to a rectangle's corner makes the hatch start there, so that two
    // rectangles at different places get the same picture inside.
    HBRUSH brush = CreateHatchBrush(HS_BDIAGONAL, black);
    TestCanvas canvas(40, 40);
    HGDIOBJ previous = SelectObject(canvas.dc(), brush);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    for (const POINT corner : {POINT{0, 0}, POINT{21, 13}}) {
        SetBrushOrgEx(canvas.dc(), corner.x % 8, corner.y % 8, nullptr);
        Rectangle(canvas.dc(), corner.x, corner.y, corner.x + 17, corner.y + 17);
    }
    SelectObject(canvas.dc(), previous);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(canvas.at(x, y), canvas.at(21 + x, 13 + y)) << x << "," << y;
    DeleteObject(brush);
}

TEST(Palettes, EntriesNearestIndexAndSelection) {
    struct {
        WORD version, count;
        PALETTEENTRY entries[3];
    } logical{0x300, 3, {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}}};
    HPALETTE palette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 3u);
    PALETTEENTRY entries[3]{};
    EXPECT_EQ(GetPaletteEntries(palette, 1, 5, entries), 2u);
    EXPECT_EQ(entries[0].peGreen, 255);
    EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(10, 20, 200)), 2u);
    const PALETTEENTRY gray{128, 128, 128, 0};
    EXPECT_EQ(SetPaletteEntries(palette, 2, 1, &gray), 1u);
    EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(120, 120, 130)), 2u);
    WORD count = 0;
    EXPECT_EQ(GetObjectA(palette, sizeof(count), &count), int(sizeof(WORD)));
    EXPECT_EQ(count, 3);

    TestCanvas canvas(3, 1);
    EXPECT_EQ(SelectPalette(canvas.dc(), palette, FALSE), GetStockObject(DEFAULT_PALETTE));
    // PALETTEINDEX colours draw the selected palette's entry.
    SetPixel(canvas.dc(), 0, 0, PALETTEINDEX(1));
    EXPECT_EQ(canvas.at(0, 0), RGB(0, 255, 0));
    // PALETTERGB colours draw the nearest entry: gray, since entry 2 became gray above.
    SetPixel(canvas.dc(), 1, 0, PALETTERGB(1, 2, 3));
    EXPECT_EQ(canvas.at(1, 0), RGB(128, 128, 128));
    EXPECT_EQ(
        SelectPalette(canvas.dc(), static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE),
        palette);
    DeleteObject(palette);
}

TEST(Palettes, DefaultPaletteHoldsTheTwentyStaticColours) {
    HPALETTE palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    PALETTEENTRY entries[20]{};
    ASSERT_EQ(GetPaletteEntries(palette, 0, 20, entries), 20u);
    EXPECT_EQ(RGB(entries[0].peRed, entries[0].peGreen, entries[0].peBlue), black);
    EXPECT_EQ(RGB(entries[19].peRed, entries[19].peGreen, entries[19].peBlue), white);
    EXPECT_EQ(RGB(entries[7].peRed, entries[7].peGreen, entries[7].peBlue), RGB(192, 192, 192));
    EXPECT_EQ(SetPaletteEntries(palette, 0, 1, entries), 0u) << "stock palette is read-only";
}
