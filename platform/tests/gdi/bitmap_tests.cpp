// Bitmaps: DIB sections of every depth, device bitmaps, and the monochrome conversions.
#include "gdi_test_canvas.h"

#include <cstring>
#include <vector>

namespace {

struct DibInfo {
    BITMAPINFOHEADER header{};
    RGBQUAD colors[256]{};
};

DibInfo dib_info(int width, int height, int depth) {
    DibInfo info;
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = WORD(depth);
    info.header.biCompression = BI_RGB;
    return info;
}

BITMAPINFO* as_info(DibInfo& info) {
    return reinterpret_cast<BITMAPINFO*>(&info);
}

size_t stride(int width, int depth) {
    return size_t((width * depth + 31) / 32 * 4);
}

// The indexed colour i of the test tables: all distinct.
RGBQUAD table_color(int i) {
    return RGBQUAD{BYTE(i * 7), BYTE(255 - i), BYTE(i * 13 + 1), 0};
}
COLORREF table_colorref(int i) {
    const RGBQUAD q = table_color(i);
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

// Writes index `value` of an indexed pixel (most significant bits first within a byte).
void put_index(uint8_t* row, int x, int depth, int value) {
    const int per_byte = 8 / depth;
    const int shift = (per_byte - 1 - x % per_byte) * depth;
    row[x / per_byte] =
        uint8_t((row[x / per_byte] & ~(((1 << depth) - 1) << shift)) | (value << shift));
}

} // namespace

class IndexedDibSection : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(IndexedDibSection, BitsColorTableAndDrawingAgree) {
    const auto [depth, top_down] = GetParam();
    constexpr int width = 9, height = 5;
    const int colors = 1 << depth;
    DibInfo info = dib_info(width, top_down ? -height : height, depth);
    for (int i = 0; i < colors; ++i)
        info.colors[i] = table_color(i);
    void* pointer = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, as_info(info), DIB_RGB_COLORS, &pointer, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    ASSERT_NE(pointer, nullptr);
    uint8_t* bits = static_cast<uint8_t*>(pointer);
    auto index_at = [&](int x, int y) { return (x * 3 + y * 5) % colors; };
    // Storage row r is image row r top-down, or height - 1 - r bottom-up.
    auto storage_row = [&](int y) {
        return bits + stride(width, depth) * size_t(top_down ? y : height - 1 - y);
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            put_index(storage_row(y), x, depth, index_at(x, y));

    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, dib);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(GetPixel(dc, x, y), table_colorref(index_at(x, y))) << x << "," << y;

    // Drawing a table colour stores its index in the bits.
    const int new_index = colors - 1 - index_at(4, 2);
    SetPixel(dc, 4, 2, table_colorref(new_index));
    const int shift = (8 / depth - 1 - 4 % (8 / depth)) * depth;
    EXPECT_EQ((storage_row(2)[4 / (8 / depth)] >> shift) & (colors - 1), new_index);

    RGBQUAD table[256];
    ASSERT_EQ(GetDIBColorTable(dc, 0, 256, table), UINT(colors));
    EXPECT_EQ(std::memcmp(table, info.colors, sizeof(RGBQUAD) * size_t(colors)), 0);
    // Changing the table recolours the pixels without touching the bits.
    const RGBQUAD pure_red{0, 0, 255, 0};
    EXPECT_EQ(SetDIBColorTable(dc, UINT(index_at(0, 0)), 1, &pure_red), 1u);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));

    // GetDIBits to 32 bpp reports every pixel's colour, bottom-up.
    DibInfo query = dib_info(width, height, 32);
    std::vector<uint32_t> out(size_t(width * height));
    EXPECT_EQ(GetDIBits(dc, dib, 0, height, out.data(), as_info(query), DIB_RGB_COLORS), height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            const uint32_t expected =
                uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
            EXPECT_EQ(out[size_t((height - 1 - y) * width + x)] & 0xFFFFFF, expected);
        }
    DeleteDC(dc);
    DeleteObject(dib);
}

INSTANTIATE_TEST_SUITE_P(Depths, IndexedDibSection,
                         ::testing::Combine(::testing::Values(1, 4, 8), ::testing::Bool()));

TEST(DirectColorDibSection, SixteenBitsAreFiveFiveFive) {
    DibInfo info = dib_info(5, -1, 16);
    void* pointer = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, as_info(info), DIB_RGB_COLORS, &pointer, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    const uint16_t values[5] = {0x7C00, 0x03E0, 0x001F, 0x0000, 0x7FFF};
    std::memcpy(pointer, values, sizeof(values));
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, dib);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 3, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 4, 0), RGB(255, 255, 255));
    SetPixel(dc, 3, 0, RGB(0, 255, 255));
    EXPECT_EQ(static_cast<uint16_t*>(pointer)[3], 0x03FF);
    DeleteDC(dc);
    DeleteObject(dib);
}

TEST(DirectColorDibSection, BitfieldMasksDescribeSixteenBitPixels) {
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info{};
    info.header = dib_info(2, -1, 16).header;
    info.header.biCompression = BI_BITFIELDS;
    info.masks[0] = 0xF800; // 5-6-5
    info.masks[1] = 0x07E0;
    info.masks[2] = 0x001F;
    void* pointer = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                   &pointer, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    const uint16_t values[2] = {0xF800, 0x07E0};
    std::memcpy(pointer, values, sizeof(values));
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, dib);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 255, 0));
    SetPixel(dc, 0, 0, RGB(0, 0, 255));
    EXPECT_EQ(static_cast<uint16_t*>(pointer)[0], 0x001F);
    DeleteDC(dc);
    DeleteObject(dib);
}

TEST(DirectColorDibSection, TwentyFourAndThirtyTwoBitsKeepBlueGreenRedOrder) {
    for (int depth : {24, 32}) {
        DibInfo info = dib_info(3, 2, depth); // bottom-up
        void* pointer = nullptr;
        HBITMAP dib =
            CreateDIBSection(nullptr, as_info(info), DIB_RGB_COLORS, &pointer, nullptr, 0);
        ASSERT_NE(dib, nullptr);
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, dib);
        // Image row 1 (the bottom) is storage row 0.
        SetPixel(dc, 2, 1, RGB(0x11, 0x22, 0x33));
        const uint8_t* p = static_cast<uint8_t*>(pointer) + 2 * (depth / 8);
        EXPECT_EQ(p[0], 0x33) << depth;
        EXPECT_EQ(p[1], 0x22) << depth;
        EXPECT_EQ(p[2], 0x11) << depth;
        BITMAP bm{};
        ASSERT_EQ(GetObjectA(dib, sizeof(bm), &bm), int(sizeof(bm)));
        EXPECT_EQ(bm.bmWidthBytes, LONG(stride(3, depth))) << "DWORD-aligned rows";
        EXPECT_EQ(bm.bmBitsPixel, depth);
        EXPECT_EQ(bm.bmBits, pointer);

        // SetDIBits from another buffer of the same layout replaces the pixels.
        std::vector<uint8_t> source(stride(3, depth) * 2, 0);
        source[0] = 0xFF; // blue at the bottom-left pixel
        EXPECT_EQ(SetDIBits(dc, dib, 0, 2, source.data(), as_info(info), DIB_RGB_COLORS), 2);
        EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 255));
        EXPECT_EQ(GetPixel(dc, 2, 1), RGB(0, 0, 0));
        DeleteDC(dc);
        DeleteObject(dib);
    }
}

TEST(DeviceBitmaps, MonochromeBitsAreWordAlignedAndOneIsWhite) {
    // 10 pixels wide: two bytes a row. Row 0: 1010 0000 01.. ; row 1: all zero.
    const uint8_t bits[4] = {0xA0, 0x40, 0x00, 0x00};
    HBITMAP mono = CreateBitmap(10, 2, 1, 1, bits);
    ASSERT_NE(mono, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, mono);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 9, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 9, 1), RGB(0, 0, 0));
    BITMAP bm{};
    GetObjectA(mono, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 10);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidthBytes, 2);
    // A colour drawn on a monochrome bitmap becomes black or white.
    SetPixel(dc, 1, 1, RGB(250, 240, 230));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255));
    DeleteDC(dc);
    DeleteObject(mono);
}

TEST(DeviceBitmaps, GetDIBitsWithoutBitsDescribesTheBitmap) {
    HBITMAP bitmap = CreateBitmap(10, 3, 1, 32, nullptr);
    TestCanvas canvas(1, 1);
    DibInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    EXPECT_NE(GetDIBits(canvas.dc(), bitmap, 0, 0, nullptr, as_info(info), DIB_RGB_COLORS), 0);
    EXPECT_EQ(info.header.biWidth, 10);
    EXPECT_EQ(info.header.biHeight, 3) << "positive: bottom-up";
    EXPECT_EQ(info.header.biBitCount, 32);
    EXPECT_EQ(info.header.biSizeImage, 10u * 4u * 3u);
    DeleteObject(bitmap);
}

TEST(DeviceBitmaps, CompatibleBitmapFollowsTheSelectedBitmap) {
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAP bm{};
    // A new memory context holds a 1x1 monochrome bitmap, so its compatible bitmaps are
    // monochrome.
    GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    HBITMAP mono = CreateCompatibleBitmap(dc, 8, 8);
    GetObjectA(mono, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    HBITMAP color = CreateBitmap(4, 4, 1, 32, nullptr);
    SelectObject(dc, color);
    HBITMAP compatible = CreateCompatibleBitmap(dc, 8, 8);
    GetObjectA(compatible, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmWidthBytes, 32);
    EXPECT_EQ(GetObjectType(compatible), DWORD(OBJ_BITMAP));
    DeleteDC(dc);
    for (HBITMAP b : {mono, color, compatible})
        DeleteObject(b);
}

TEST(MonochromeConversion, ColorToMonochromeUsesTheSourceBackgroundColour) {
    TestCanvas color(4, 1);
    SetPixel(color.dc(), 0, 0, RGB(10, 20, 30));
    SetPixel(color.dc(), 1, 0, RGB(255, 255, 255));
    SetPixel(color.dc(), 2, 0, RGB(10, 20, 30));
    SetPixel(color.dc(), 3, 0, RGB(0, 0, 0));
    SetBkColor(color.dc(), RGB(10, 20, 30));
    HDC mono_dc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateBitmap(4, 1, 1, 1, nullptr);
    SelectObject(mono_dc, mono);
    ASSERT_TRUE(BitBlt(mono_dc, 0, 0, 4, 1, color.dc(), 0, 0, SRCCOPY));
    // Pixels of the background colour become 1 (white), all others 0 (black), white included.
    EXPECT_EQ(GetPixel(mono_dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(mono_dc, 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(mono_dc, 2, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(mono_dc, 3, 0), RGB(0, 0, 0));
    DeleteDC(mono_dc);
    DeleteObject(mono);
}

TEST(MonochromeConversion, MonochromeToColorUsesTheDestinationColours) {
    const uint8_t bits[2] = {0x80, 0x00}; // white, black
    HBITMAP mono = CreateBitmap(2, 1, 1, 1, bits);
    HDC mono_dc = CreateCompatibleDC(nullptr);
    SelectObject(mono_dc, mono);
    TestCanvas color(2, 1);
    SetTextColor(color.dc(), RGB(200, 0, 0));
    SetBkColor(color.dc(), RGB(0, 0, 200));
    ASSERT_TRUE(BitBlt(color.dc(), 0, 0, 2, 1, mono_dc, 0, 0, SRCCOPY));
    EXPECT_EQ(color.at(0, 0), RGB(0, 0, 200)) << "1 takes the background colour";
    EXPECT_EQ(color.at(1, 0), RGB(200, 0, 0)) << "0 takes the text colour";
    DeleteDC(mono_dc);
    DeleteObject(mono);
}

TEST(StretchBlt, NearestNeighbourScalingAndMirroring) {
    TestCanvas source(2, 2);
    SetPixel(source.dc(), 0, 0, RGB(255, 0, 0));
    SetPixel(source.dc(), 1, 0, RGB(0, 255, 0));
    SetPixel(source.dc(), 0, 1, RGB(0, 0, 255));
    SetPixel(source.dc(), 1, 1, RGB(0, 0, 0));
    TestCanvas target(4, 4);
    ASSERT_TRUE(StretchBlt(target.dc(), 0, 0, 4, 4, source.dc(), 0, 0, 2, 2, SRCCOPY));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(target.at(x, y), source.at(x / 2, y / 2)) << x << "," << y;
    // A negative destination width mirrors left to right.
    ASSERT_TRUE(StretchBlt(target.dc(), 3, 0, -4, 4, source.dc(), 0, 0, 2, 2, SRCCOPY));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(target.at(x, y), source.at(1 - x / 2, y / 2)) << x << "," << y;
}

TEST(StretchBlt, ShrinkingCombinesEliminatedPixelsByStretchMode) {
    TestCanvas source(4, 1, RGB(0, 0, 0));
    SetPixel(source.dc(), 1, 0, RGB(255, 255, 255));
    struct Case {
        int mode;
        COLORREF first, second;
    };
    // Pairs (black, white) and (black, black) shrink onto two pixels.
    for (const Case c : {Case{BLACKONWHITE, RGB(0, 0, 0), RGB(0, 0, 0)},
                         Case{WHITEONBLACK, RGB(255, 255, 255), RGB(0, 0, 0)},
                         Case{COLORONCOLOR, RGB(255, 255, 255), RGB(0, 0, 0)}}) {
        TestCanvas target(2, 1, RGB(9, 9, 9));
        SetStretchBltMode(target.dc(), c.mode);
        ASSERT_TRUE(StretchBlt(target.dc(), 0, 0, 2, 1, source.dc(), 0, 0, 4, 1, SRCCOPY));
        EXPECT_EQ(target.at(0, 0), c.first) << "mode " << c.mode;
        EXPECT_EQ(target.at(1, 0), c.second) << "mode " << c.mode;
    }
}

TEST(BitBlt, OverlappingCopyWithinOneBitmapReadsTheOriginalPixels) {
    TestCanvas canvas(6, 1);
    for (int x = 0; x < 6; ++x)
        SetPixel(canvas.dc(), x, 0, RGB(x * 40, 0, 0));
    ASSERT_TRUE(BitBlt(canvas.dc(), 1, 0, 5, 1, canvas.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(canvas.at(0, 0), RGB(0, 0, 0));
    for (int x = 1; x < 6; ++x)
        EXPECT_EQ(canvas.at(x, 0), RGB((x - 1) * 40, 0, 0)) << x;
}
