// The raster operations against a per-bit reference: every one of the 256 ternary operations
// on random pattern, source and destination pixels, and the 16 binary operations on lines.
#include "gdi_test_canvas.h"

#include <cstring>
#include <random>
#include <sstream>

namespace {

// Reference: each bit of the result is the truth table's entry for (pattern, source,
// destination) bits, the entry numbered P*4 + S*2 + D.
uint32_t reference_rop3(uint8_t index, uint32_t p, uint32_t s, uint32_t d) {
    uint32_t result = 0;
    for (int bit = 0; bit < 24; ++bit) {
        const int entry = int((p >> bit) & 1) * 4 + int((s >> bit) & 1) * 2 + int((d >> bit) & 1);
        result |= uint32_t((index >> entry) & 1) << bit;
    }
    return result;
}

struct TopDownDib {
    HBITMAP bitmap = nullptr;
    uint32_t* bits = nullptr;

    TopDownDib(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* pointer = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pointer, nullptr, 0);
        bits = static_cast<uint32_t*>(pointer);
    }
    ~TopDownDib() { DeleteObject(bitmap); }
};

COLORREF colorref(uint32_t pixel) {
    return RGB((pixel >> 16) & 0xff, (pixel >> 8) & 0xff, pixel & 0xff);
}

} // namespace

TEST(TernaryRasterOperations, AllCodesMatchTheReferenceOnRandomPixels) {
    constexpr int width = 13, height = 11;
    std::mt19937 random(20261209);
    std::uniform_int_distribution<uint32_t> pixel(0, 0xFFFFFF);

    TopDownDib pattern_bits(8, 8), source(width, height), destination(width, height);
    ASSERT_NE(destination.bits, nullptr);
    HDC source_dc = CreateCompatibleDC(nullptr);
    HDC destination_dc = CreateCompatibleDC(nullptr);
    SelectObject(source_dc, source.bitmap);
    SelectObject(destination_dc, destination.bitmap);
    const POINT brush_origin{3, 5};
    SetBrushOrgEx(destination_dc, brush_origin.x, brush_origin.y, nullptr);

    int failures = 0;
    for (int code = 0; code < 256 && failures < 10; ++code) {
        uint32_t pattern[64];
        for (uint32_t& p : pattern)
            p = pixel(random);
        std::memcpy(pattern_bits.bits, pattern, sizeof(pattern));
        HBRUSH brush = CreatePatternBrush(pattern_bits.bitmap);
        HGDIOBJ previous_brush = SelectObject(destination_dc, brush);
        std::vector<uint32_t> before(size_t(width * height));
        for (int i = 0; i < width * height; ++i) {
            source.bits[i] = pixel(random);
            before[size_t(i)] = destination.bits[i] = pixel(random);
        }
        const DWORD rop = DWORD(code) << 16;
        ASSERT_TRUE(BitBlt(destination_dc, 1, 2, width - 3, height - 4, source_dc, 2, 1, rop));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint32_t d = before[size_t(y * width + x)];
                const bool inside = x >= 1 && x < width - 2 && y >= 2 && y < height - 2;
                uint32_t expected = d;
                uint32_t p = 0, s = 0;
                if (inside) {
                    // The pattern repeats every 8 pixels from the brush origin.
                    p = pattern[((y - brush_origin.y) & 7) * 8 + ((x - brush_origin.x) & 7)];
                    s = source.bits[(y - 1) * width + (x + 1)];
                    expected = reference_rop3(uint8_t(code), p, s, d);
                }
                const uint32_t actual = destination.bits[y * width + x] & 0xFFFFFF;
                if (actual != expected && failures++ < 10) {
                    std::ostringstream line;
                    line << std::hex << "rop3 index 0x" << code << " at (" << std::dec << x << ","
                         << y << ") P=0x" << std::hex << p << " S=0x" << s << " D=0x" << d
                         << ": got 0x" << actual << ", expected 0x" << expected;
                    ADD_FAILURE() << line.str();
                }
            }
        }
        SelectObject(destination_dc, previous_brush);
        DeleteObject(brush);
    }
    DeleteDC(source_dc);
    DeleteDC(destination_dc);
}

TEST(TernaryRasterOperations, PatBltRefusesOperationsThatNeedASource) {
    TestCanvas canvas(4, 4);
    EXPECT_FALSE(PatBlt(canvas.dc(), 0, 0, 4, 4, SRCCOPY));
    EXPECT_TRUE(PatBlt(canvas.dc(), 0, 0, 4, 4, BLACKNESS));
    EXPECT_EQ(canvas.at(3, 3), RGB(0, 0, 0));
    EXPECT_TRUE(PatBlt(canvas.dc(), 1, 1, 2, 2, DSTINVERT));
    EXPECT_EQ(canvas.at(1, 1), RGB(255, 255, 255));
    EXPECT_EQ(canvas.at(3, 1), RGB(0, 0, 0));
}

TEST(BinaryRasterOperations, AllSixteenOnLinesFollowTheirFormulas) {
    struct Case {
        int rop2;
        uint32_t (*formula)(uint32_t p, uint32_t d);
    };
    const Case cases[] = {
        {R2_BLACK, [](uint32_t, uint32_t) { return 0u; }},
        {R2_NOTMERGEPEN, [](uint32_t p, uint32_t d) { return ~(p | d); }},
        {R2_MASKNOTPEN, [](uint32_t p, uint32_t d) { return ~p & d; }},
        {R2_NOTCOPYPEN, [](uint32_t p, uint32_t) { return ~p; }},
        {R2_MASKPENNOT, [](uint32_t p, uint32_t d) { return p & ~d; }},
        {R2_NOT, [](uint32_t, uint32_t d) { return ~d; }},
        {R2_XORPEN, [](uint32_t p, uint32_t d) { return p ^ d; }},
        {R2_NOTMASKPEN, [](uint32_t p, uint32_t d) { return ~(p & d); }},
        {R2_MASKPEN, [](uint32_t p, uint32_t d) { return p & d; }},
        {R2_NOTXORPEN, [](uint32_t p, uint32_t d) { return ~(p ^ d); }},
        {R2_NOP, [](uint32_t, uint32_t d) { return d; }},
        {R2_MERGENOTPEN, [](uint32_t p, uint32_t d) { return ~p | d; }},
        {R2_COPYPEN, [](uint32_t p, uint32_t) { return p; }},
        {R2_MERGEPENNOT, [](uint32_t p, uint32_t d) { return p | ~d; }},
        {R2_MERGEPEN, [](uint32_t p, uint32_t d) { return p | d; }},
        {R2_WHITE, [](uint32_t, uint32_t) { return 0xFFFFFFu; }},
    };
    constexpr uint32_t pen = 0x3C5AF0;
    constexpr int width = 12;
    for (const Case& c : cases) {
        TestCanvas canvas(width, 3);
        // A destination with a different value in every pixel of the line's row.
        for (int x = 0; x < width; ++x)
            SetPixel(canvas.dc(), x, 1, colorref(0x102030u * uint32_t(x + 1) & 0xFFFFFF));
        HPEN hpen = CreatePen(PS_SOLID, 1, colorref(pen));
        HGDIOBJ previous = SelectObject(canvas.dc(), hpen);
        SetROP2(canvas.dc(), c.rop2);
        MoveToEx(canvas.dc(), 0, 1, nullptr);
        LineTo(canvas.dc(), width, 1);
        for (int x = 0; x < width; ++x) {
            const uint32_t d = 0x102030u * uint32_t(x + 1) & 0xFFFFFF;
            const uint32_t expected = c.formula(pen, d) & 0xFFFFFF;
            EXPECT_EQ(canvas.at(x, 1), colorref(expected)) << "R2 code " << c.rop2 << " x " << x;
            EXPECT_EQ(canvas.at(x, 0), RGB(255, 255, 255)) << "R2 code " << c.rop2;
        }
        SelectObject(canvas.dc(), previous);
        DeleteObject(hpen);
    }
}

TEST(BinaryRasterOperations, SetROP2ReturnsThePreviousModeAndRejectsUnknownOnes) {
    TestCanvas canvas(2, 2);
    EXPECT_EQ(GetROP2(canvas.dc()), R2_COPYPEN);
    EXPECT_EQ(SetROP2(canvas.dc(), R2_XORPEN), R2_COPYPEN);
    EXPECT_EQ(SetROP2(canvas.dc(), 17), 0);
    EXPECT_EQ(GetROP2(canvas.dc()), R2_XORPEN);
}
