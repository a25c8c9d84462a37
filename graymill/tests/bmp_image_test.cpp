// Reading .bmp files: every depth and row order gives the pixels written, colour tables keep
// their header's count, and damaged or hostile files are refused with a reason.
#include "bmp_image.h"
#include "bmp_writer.h"

#include <gtest/gtest.h>

using graymill_test::BmpBytes;
using graymill_test::BmpSpec;

namespace {

// The colour of every pixel of a section, as 0x00RRGGBB, top row first.
std::vector<uint32_t> SectionPixels(HBITMAP hBitmap, int width, int height) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, hBitmap);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = ::GetPixel(dc, x, y);
            pixels.push_back(uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 |
                             GetBValue(c));
        }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return pixels;
}

BOOL ParseBytes(CBmpImage& image, const std::string& bytes) {
    return image.Parse(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size());
}

// What the image should show: a palette image's indices looked up, else the colours.
std::vector<uint32_t> ShownColors(const BmpSpec& spec) {
    if (spec.bitCount > 8)
        return spec.pixels;
    std::vector<uint32_t> colors;
    for (uint32_t index : spec.pixels)
        colors.push_back(spec.palette[index]);
    return colors;
}

void ExpectShownAsWritten(const BmpSpec& spec) {
    CBmpImage image;
    ASSERT_TRUE(ParseBytes(image, BmpBytes(spec))) << image.GetError();
    EXPECT_EQ(spec.width, image.GetWidth());
    EXPECT_EQ(spec.bitCount, image.GetBitCount());
    HBITMAP hBitmap = image.CreateSection();
    ASSERT_NE(nullptr, hBitmap);
    BITMAP bm{};
    ::GetObjectA(hBitmap, sizeof bm, &bm);
    EXPECT_EQ(spec.width, bm.bmWidth);
    EXPECT_EQ(spec.height, bm.bmHeight);
    EXPECT_EQ(spec.bitCount, bm.bmBitsPixel);
    EXPECT_EQ(ShownColors(spec), SectionPixels(hBitmap, spec.width, spec.height));
    ::DeleteObject(hBitmap);
}

TEST(BmpImageTest, EveryDepthAndRowOrderShowsThePixelsWritten) {
    // 1 bit: a 9-pixel row crosses a byte boundary.
    BmpSpec mono{9, 2, 1, false, 0, {0x000000, 0xFFFFFF}, {}};
    for (int i = 0; i < 18; ++i)
        mono.pixels.push_back(uint32_t((i * 7 / 3) % 2));
    ExpectShownAsWritten(mono);
    mono.topDown = true;
    ExpectShownAsWritten(mono);

    BmpSpec nibbles{5, 3, 4, true, 0, {}, {}};
    for (uint32_t i = 0; i < 16; ++i)
        nibbles.palette.push_back(i * 0x110000 + (15 - i) * 0x000011 + 0x008000);
    for (int i = 0; i < 15; ++i)
        nibbles.pixels.push_back(uint32_t(i));
    ExpectShownAsWritten(nibbles);

    BmpSpec bytes{3, 2, 8, false, 3, {0xFF0000, 0x00FF00, 0x0000FF}, {0, 1, 2, 2, 1, 0}};
    ExpectShownAsWritten(bytes);

    const std::vector<uint32_t> colors{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x123456, 0x000000};
    ExpectShownAsWritten(BmpSpec{3, 2, 24, false, 0, {}, colors});
    ExpectShownAsWritten(BmpSpec{3, 2, 24, true, 0, {}, colors});
    ExpectShownAsWritten(BmpSpec{2, 3, 32, false, 0, {}, colors});
}

TEST(BmpImageTest, ColourTableHasTheHeadersCountOrTwoToTheBits) {
    BmpSpec full{2, 1, 8, false, 0, std::vector<uint32_t>(256, 0x404040), {0, 255}};
    CBmpImage image;
    ASSERT_TRUE(ParseBytes(image, BmpBytes(full)));
    EXPECT_EQ(256u, image.GetColorCount());

    BmpSpec sixteen{2, 1, 8, false, 16, std::vector<uint32_t>(16, 0x808080), {0, 15}};
    sixteen.palette[15] = 0x0A0B0C;
    ASSERT_TRUE(ParseBytes(image, BmpBytes(sixteen)));
    EXPECT_EQ(16u, image.GetColorCount());
    EXPECT_EQ(0x0A, image.GetColor(15).rgbRed);
    EXPECT_EQ(0x0C, image.GetColor(15).rgbBlue);

    ASSERT_TRUE(ParseBytes(image, BmpBytes(BmpSpec{1, 1, 24, false, 0, {}, {0}})));
    EXPECT_EQ(0u, image.GetColorCount());
}

TEST(BmpImageTest, EveryTruncationOfAValidFileIsRefused) {
    const std::string bytes =
        BmpBytes(BmpSpec{3, 3, 8, false, 4, {1, 2, 3, 4}, {0, 1, 2, 3, 0, 1, 2, 3, 0}});
    CBmpImage image;
    ASSERT_TRUE(ParseBytes(image, bytes));
    for (size_t size = 0; size < bytes.size(); ++size) {
        EXPECT_FALSE(image.Parse(reinterpret_cast<const BYTE*>(bytes.data()), size))
            << "accepted the first " << size << " bytes";
        EXPECT_FALSE(image.GetError().IsEmpty());
    }
}

TEST(BmpImageTest, DamagedHeadersAreRefusedWithAReason) {
    const std::string good = BmpBytes(BmpSpec{2, 2, 24, false, 0, {}, {1, 2, 3, 4}});
    struct Damage {
        const char* what;
        size_t offset;
        uint32_t value;
        int bytes;
    };
    const Damage damages[] = {
        {"signature", 0, 'X', 1},
        {"a core header", 14, 12, 4},
        {"a header larger than the file", 14, 4000, 4},
        {"zero width", 18, 0, 4},
        {"negative width", 18, 0xFFFFFFFE, 4},
        {"zero height", 22, 0, 4},
        {"an enormous width", 18, 1u << 30, 4},
        {"an enormous top-down height", 22, 0x80000000, 4},
        {"two planes", 26, 2, 2},
        {"7 bits per pixel", 28, 7, 2},
        {"run-length compression", 30, 1, 4},
        {"a colour table beyond 256 entries", 46, 100000, 4},
        {"pixels inside the header", 10, 20, 4},
        {"pixels beyond the end", 10, 1000, 4},
    };
    for (const Damage& damage : damages) {
        std::string bytes = good;
        for (int i = 0; i < damage.bytes; ++i)
            bytes[damage.offset + size_t(i)] = char((damage.value >> (8 * i)) & 0xFF);
        CBmpImage image;
        EXPECT_FALSE(ParseBytes(image, bytes)) << damage.what;
        EXPECT_FALSE(image.GetError().IsEmpty()) << damage.what;
        EXPECT_EQ(nullptr, image.CreateSection()) << damage.what;
    }

    // An index image may not name more colours than its pixels can reach.
    CBmpImage image;
    EXPECT_FALSE(ParseBytes(image, BmpBytes(BmpSpec{1, 1, 1, false, 3, {0, 1, 2}, {0}})));
}

} // namespace
