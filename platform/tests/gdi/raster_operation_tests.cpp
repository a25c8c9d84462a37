// The raster operations against a per-bit reference kept apart from the engine: every one of
// the 256 ternary operations on seeded random patterns, sources and destinations, through
// BitBlt, StretchBlt and PatBlt, into colour and monochrome bitmaps and a window's display
// context, with solid, hatched and pattern brushes, clipping, origins and both monochrome
// conversions; and the 16 binary operations on lines. A mismatch is reported as a line for
// the table of known cases below.
#include "gdi/display_dc.h"
#include "gdi/surface.h"
#include "gdi_test_canvas.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
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

COLORREF colorref(uint32_t pixel) {
    return RGB((pixel >> 16) & 0xff, (pixel >> 8) & 0xff, pixel & 0xff);
}
uint32_t pixel_of(COLORREF c) {
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

// One case as a line of the known-cases table: {index, P, S, D, expected}.
std::string case_line(int index, uint32_t p, uint32_t s, uint32_t d, uint32_t expected,
                      const std::string& where) {
    char line[160];
    std::snprintf(line, sizeof line, "{0x%02X, 0x%06X, 0x%06X, 0x%06X, 0x%06X}, // %s", index, p, s,
                  d, expected, where.c_str());
    return line;
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

// A place to draw whose pixels the test reads and writes directly, in device coordinates.
class Target {
public:
    virtual ~Target() = default;
    virtual HDC dc() const = 0;
    virtual uint32_t get(int x, int y) const = 0;
    virtual void set(int x, int y, uint32_t pixel) = 0;
    // Whether drawing may reach device pixel (x, y) (a window's visible region).
    virtual bool visible(int, int) const { return true; }
    virtual bool monochrome() const { return false; }
};

// A memory context with a bitmap: 32-bpp colour from CreateBitmap, or monochrome.
class BitmapTarget : public Target {
public:
    BitmapTarget(int width, int height, bool monochrome) : m_monochrome(monochrome) {
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateBitmap(width, height, 1, monochrome ? 1 : 32, nullptr);
        m_previous = SelectObject(m_dc, m_bitmap);
    }
    ~BitmapTarget() override {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC dc() const override { return m_dc; }
    uint32_t get(int x, int y) const override { return pixel_of(raw(x, y, CLR_INVALID)); }
    void set(int x, int y, uint32_t pixel) override { raw(x, y, colorref(pixel)); }
    bool monochrome() const override { return m_monochrome; }

private:
    // Reads (or writes, given a colour) one pixel whatever mapping and clipping the test set.
    COLORREF raw(int x, int y, COLORREF color) const {
        SaveDC(m_dc);
        SetViewportOrgEx(m_dc, 0, 0, nullptr);
        SetWindowOrgEx(m_dc, 0, 0, nullptr);
        SelectClipRgn(m_dc, nullptr);
        const COLORREF result =
            color == CLR_INVALID ? GetPixel(m_dc, x, y) : SetPixel(m_dc, x, y, color);
        RestoreDC(m_dc, -1);
        return result;
    }

    bool m_monochrome;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
};

// A window's display context on a surface of its own: the client area starts at `origin` and
// a covering window hides part of it.
class DisplayTargetFixture : public Target {
public:
    DisplayTargetFixture(int width, int height)
        : m_surface(width + 10, height + 10, 0), m_origin{6, 4} {
        mullion::DisplayTarget target;
        target.surface = &m_surface;
        target.origin = m_origin;
        const RECT client{m_origin.x, m_origin.y, m_origin.x + width, m_origin.y + height};
        m_visible = mullion::Region(client).subtracted(
            mullion::Region(RECT{m_origin.x + 4, m_origin.y + 3, m_origin.x + 8, m_origin.y + 6}));
        target.visible = m_visible;
        m_dc = mullion::create_display_dc(target);
    }
    ~DisplayTargetFixture() override { DeleteDC(m_dc); }
    HDC dc() const override { return m_dc; }
    uint32_t get(int x, int y) const override {
        return m_surface.pixel(x + m_origin.x, y + m_origin.y) & 0xFFFFFF;
    }
    void set(int x, int y, uint32_t pixel) override {
        m_surface.set_pixel(x + m_origin.x, y + m_origin.y, pixel);
    }
    bool visible(int x, int y) const override {
        return m_visible.contains(x + m_origin.x, y + m_origin.y);
    }

private:
    mullion::Surface m_surface;
    POINT m_origin;
    mullion::Region m_visible;
    HDC m_dc = nullptr;
};

enum class BrushKind { Solid, Hatched, HatchedTransparent, Pattern };
enum class SourceKind { None, Color, Monochrome };

struct Scenario {
    std::string name;
    std::function<std::unique_ptr<Target>(int, int)> destination;
    SourceKind source = SourceKind::Color;
    BrushKind brush = BrushKind::Pattern;
    bool stretch = false;        // StretchBlt at 1:1 instead of BitBlt
    bool clip = false;           // a clip rectangle on the destination
    POINT viewport_origin{0, 0}; // of the destination
};

constexpr int width = 17, height = 13;
// The transfer: logical (2, 3) extent 12 x 8 from source (1, 2).
constexpr RECT transfer{2, 3, 14, 11};
constexpr POINT source_at{1, 2};
constexpr RECT clip_rect{5, 1, 12, 9}; // logical, on the destination
constexpr POINT brush_origin{3, 5};

// A random colour; on monochrome targets clearly dark or clearly light.
uint32_t random_pixel(std::mt19937& random, bool monochrome) {
    if (!monochrome)
        return random() & 0xFFFFFF;
    return (random() & 1) ? 0xFFFFFF : 0x000000;
}

// Runs all 256 operations of one scenario; returns the number of wrong pixels and reports the
// first few as table lines.
int run_scenario(const Scenario& scenario, uint32_t seed) {
    std::mt19937 random(seed);
    auto destination = scenario.destination(width, height);
    const bool mono_destination = destination->monochrome();
    BitmapTarget source(width, height, scenario.source == SourceKind::Monochrome);
    const bool mono_source = scenario.source == SourceKind::Monochrome;
    HDC dc = destination->dc();
    SetViewportOrgEx(dc, scenario.viewport_origin.x, scenario.viewport_origin.y, nullptr);
    SetBrushOrgEx(dc, brush_origin.x, brush_origin.y, nullptr);
    if (scenario.clip)
        IntersectClipRect(dc, clip_rect.left, clip_rect.top, clip_rect.right, clip_rect.bottom);
    const POINT offset = scenario.viewport_origin;

    int failures = 0;
    for (int code = 0; code < 256; ++code) {
        // Colours the monochrome conversions use.
        const uint32_t text = random() & 0xFFFFFF, background = random() & 0xFFFFFF;
        SetTextColor(dc, colorref(text));
        SetBkColor(dc, colorref(background));
        // The pattern, as the reference sees it in device pixel (x, y).
        std::function<uint32_t(int, int)> pattern_at;
        std::function<bool(int, int)> gap_at = [](int, int) { return false; };
        HBRUSH brush = nullptr;
        TopDownDib pattern_bits(8, 8);
        if (scenario.brush == BrushKind::Solid) {
            const uint32_t color = random_pixel(random, mono_destination);
            brush = CreateSolidBrush(colorref(color));
            pattern_at = [color](int, int) { return color; };
        } else if (scenario.brush == BrushKind::Pattern) {
            for (int i = 0; i < 64; ++i)
                pattern_bits.bits[i] = random_pixel(random, mono_destination);
            brush = CreatePatternBrush(pattern_bits.bitmap);
            const uint32_t* bits = pattern_bits.bits;
            pattern_at = [bits](int x, int y) {
                return bits[((y - brush_origin.y) & 7) * 8 + ((x - brush_origin.x) & 7)] & 0xFFFFFF;
            };
        } else {
            // A hatch's lines take the brush colour and its gaps the background colour (or stay
            // untouched in TRANSPARENT mode); where the lines lie comes from PATCOPY on targets
            // cleared to two different colours.
            const int style = int(random() % 6);
            const uint32_t color = mono_destination ? 0x000000 : random() & 0xFFFFFF;
            brush = CreateHatchBrush(style, colorref(color));
            SetBkMode(dc, scenario.brush == BrushKind::HatchedTransparent ? TRANSPARENT : OPAQUE);
            if (mono_destination)
                SetBkColor(dc, RGB(255, 255, 255));
            const uint32_t gap_color = mono_destination ? 0xFFFFFF : background;
            auto probe = scenario.destination(width, height);
            SetBrushOrgEx(probe->dc(), brush_origin.x, brush_origin.y, nullptr);
            SetBkMode(probe->dc(), TRANSPARENT);
            HGDIOBJ old = SelectObject(probe->dc(), brush);
            auto lines = std::make_shared<std::vector<bool>>(size_t(width * height));
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    probe->set(x, y, color ^ 0xFFFFFF);
            PatBlt(probe->dc(), 0, 0, width, height, PATCOPY);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    (*lines)[size_t(y * width + x)] =
                        !probe->visible(x, y) || probe->get(x, y) == color;
            SelectObject(probe->dc(), old);
            pattern_at = [lines, color, gap_color](int x, int y) {
                return (*lines)[size_t(y * width + x)] ? color : gap_color;
            };
            if (scenario.brush == BrushKind::HatchedTransparent)
                gap_at = [lines](int x, int y) { return !(*lines)[size_t(y * width + x)]; };
        }
        HGDIOBJ previous_brush = SelectObject(dc, brush);

        // Source and destination contents. The source's background colour appears in it often
        // enough for the colour-to-monochrome conversion to see both answers.
        const uint32_t source_background = random() & 0xFFFFFF;
        SetBkColor(source.dc(), colorref(source_background));
        std::vector<uint32_t> source_pixels(size_t(width * height)), before(source_pixels.size());
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                uint32_t s = random_pixel(random, mono_source);
                if (!mono_source && random() % 3 == 0)
                    s = source_background;
                source.set(x, y, s);
                source_pixels[size_t(y * width + x)] = s;
                const uint32_t d = random_pixel(random, mono_destination);
                destination->set(x, y, d);
                before[size_t(y * width + x)] = d;
            }
        }

        const DWORD rop = DWORD(code) << 16;
        const bool uses_source = ((code >> 2) ^ code) & 0x33;
        const bool uses_pattern = ((code >> 4) ^ code) & 0x0F;
        const int w = int(transfer.right - transfer.left), h = int(transfer.bottom - transfer.top);
        if (scenario.source == SourceKind::None) {
            EXPECT_EQ(PatBlt(dc, transfer.left, transfer.top, w, h, rop),
                      uses_source ? FALSE : TRUE)
                << "PatBlt of code 0x" << std::hex << code;
            if (uses_source) {
                SelectObject(dc, previous_brush);
                DeleteObject(brush);
                continue;
            }
        } else if (scenario.stretch) {
            EXPECT_TRUE(StretchBlt(dc, transfer.left, transfer.top, w, h, source.dc(), source_at.x,
                                   source_at.y, w, h, rop));
        } else {
            EXPECT_TRUE(BitBlt(dc, transfer.left, transfer.top, w, h, source.dc(), source_at.x,
                               source_at.y, rop));
        }

        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint32_t d = before[size_t(y * width + x)];
                // Back to logical coordinates of the destination.
                const int lx = x - offset.x, ly = y - offset.y;
                bool inside = lx >= transfer.left && lx < transfer.right && ly >= transfer.top &&
                              ly < transfer.bottom && destination->visible(x, y);
                if (scenario.clip)
                    inside = inside && lx >= clip_rect.left && lx < clip_rect.right &&
                             ly >= clip_rect.top && ly < clip_rect.bottom;
                uint32_t expected = d, p = 0, s = 0;
                // A hatch's gaps in TRANSPARENT mode are left alone by the operations that
                // use the pattern; the others do not look at the brush at all.
                if (inside && !(uses_pattern && gap_at(x, y))) {
                    p = pattern_at(x, y);
                    s = source_pixels[size_t((ly - transfer.top + source_at.y) * width +
                                             (lx - transfer.left + source_at.x))];
                    // Monochrome to colour: 0 is the text colour, 1 the background colour.
                    if (mono_source && !mono_destination)
                        s = s ? background : text;
                    // Colour to monochrome: the source's background colour is 1, all else 0.
                    if (!mono_source && mono_destination)
                        s = s == source_background ? 0xFFFFFF : 0;
                    expected = reference_rop3(uint8_t(code), p, s, d);
                }
                const uint32_t actual = destination->get(x, y);
                if (actual != expected && failures++ < 5)
                    ADD_FAILURE() << case_line(code, p, s, d, expected,
                                               scenario.name + " at (" + std::to_string(x) + "," +
                                                   std::to_string(y) + ") got " +
                                                   std::to_string(actual));
            }
        }
        SelectObject(dc, previous_brush);
        DeleteObject(brush);
    }
    return failures;
}

std::unique_ptr<Target> colour_bitmap(int w, int h) {
    return std::make_unique<BitmapTarget>(w, h, false);
}
std::unique_ptr<Target> monochrome_bitmap(int w, int h) {
    return std::make_unique<BitmapTarget>(w, h, true);
}
std::unique_ptr<Target> window(int w, int h) {
    return std::make_unique<DisplayTargetFixture>(w, h);
}

// Known cases: {index, P, S, D, expected}. A failure above prints a line to add here.
struct KnownCase {
    uint8_t index;
    uint32_t p, s, d, expected;
};
constexpr KnownCase known_cases[] = {
    {0xCC, 0x123456, 0xABCDEF, 0x000000, 0xABCDEF}, // SRCCOPY
    {0x88, 0x000000, 0xF0F0F0, 0x3C3C3C, 0x303030}, // SRCAND
    {0x66, 0x000000, 0xFF00FF, 0x0F0F0F, 0xF00FF0}, // SRCINVERT
    {0x22, 0x000000, 0xFFFFFF, 0x123456, 0x000000}, // destination AND NOT source
    {0x22, 0x000000, 0x000000, 0x123456, 0x123456},
    {0xB8, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF0000}, // PSDPxax: the source picks D or P
    {0xE2, 0x00FFFF, 0xFFFF00, 0x0F0F0F, 0x00FF0F}, // DSPDxax: the source picks P or D
    {0x5A, 0x00FF00, 0x000000, 0x0F0F0F, 0x0FF00F}, // PATINVERT
    {0xC0, 0xAAAAAA, 0xCCCCCC, 0xF0F0F0, 0x888888}, // MERGECOPY
    {0xBB, 0xAAAAAA, 0xCCCCCC, 0xF0F0F0, 0xF3F3F3}, // MERGEPAINT
    {0x11, 0xAAAAAA, 0xCCCCCC, 0xF0F0F0, 0x030303}, // NOTSRCERASE
    {0xFB, 0xAAAAAA, 0xCCCCCC, 0x000000, 0xBBBBBB}, // PATPAINT
};

} // namespace

TEST(TernaryRasterOperations, KnownCasesOnOnePixel) {
    TestCanvas destination(1, 1), source(1, 1);
    for (const KnownCase& c : known_cases) {
        SetPixel(source.dc(), 0, 0, colorref(c.s));
        SetPixel(destination.dc(), 0, 0, colorref(c.d));
        HBRUSH brush = CreateSolidBrush(colorref(c.p));
        HGDIOBJ previous = SelectObject(destination.dc(), brush);
        BitBlt(destination.dc(), 0, 0, 1, 1, source.dc(), 0, 0, DWORD(c.index) << 16);
        EXPECT_EQ(pixel_of(destination.at(0, 0)), c.expected)
            << case_line(c.index, c.p, c.s, c.d, c.expected, "known case");
        EXPECT_EQ(reference_rop3(c.index, c.p, c.s, c.d), c.expected)
            << "the table line itself is wrong: "
            << case_line(c.index, c.p, c.s, c.d, reference_rop3(c.index, c.p, c.s, c.d), "");
        SelectObject(destination.dc(), previous);
        DeleteObject(brush);
    }
}

TEST(TernaryRasterOperations, AllCodesMatchTheReferenceOnColourBitmaps) {
    EXPECT_EQ(run_scenario({"pattern brush", colour_bitmap}, 1), 0);
    EXPECT_EQ(run_scenario({"solid brush", colour_bitmap, SourceKind::Color, BrushKind::Solid}, 2),
              0);
    EXPECT_EQ(
        run_scenario({"hatched brush", colour_bitmap, SourceKind::Color, BrushKind::Hatched}, 3),
        0);
    EXPECT_EQ(run_scenario({"transparent hatched brush", colour_bitmap, SourceKind::Color,
                            BrushKind::HatchedTransparent},
                           4),
              0);
}

TEST(TernaryRasterOperations, AllCodesHonourClippingAndTheDestinationsOrigin) {
    Scenario clipped{"clipped, viewport origin", colour_bitmap};
    clipped.clip = true;
    clipped.viewport_origin = POINT{2, -1};
    EXPECT_EQ(run_scenario(clipped, 5), 0);
    Scenario stretched{"StretchBlt 1:1, clipped", colour_bitmap};
    stretched.stretch = true;
    stretched.clip = true;
    EXPECT_EQ(run_scenario(stretched, 6), 0);
}

TEST(TernaryRasterOperations, AllCodesInAWindowsDisplayContext) {
    EXPECT_EQ(run_scenario({"window, pattern brush", window}, 7), 0);
    Scenario clipped{"window, clipped, hatched", window, SourceKind::Color, BrushKind::Hatched};
    clipped.clip = true;
    EXPECT_EQ(run_scenario(clipped, 8), 0);
}

TEST(TernaryRasterOperations, AllCodesThroughMonochromeConversions) {
    EXPECT_EQ(
        run_scenario(
            {"colour to monochrome", monochrome_bitmap, SourceKind::Color, BrushKind::Pattern}, 9),
        0);
    EXPECT_EQ(run_scenario({"monochrome to colour", colour_bitmap, SourceKind::Monochrome,
                            BrushKind::Pattern},
                           10),
              0);
    EXPECT_EQ(run_scenario({"monochrome to monochrome", monochrome_bitmap, SourceKind::Monochrome,
                            BrushKind::Solid},
                           11),
              0);
}

TEST(TernaryRasterOperations, PatBltAppliesEverySourcelessCode) {
    EXPECT_EQ(run_scenario({"PatBlt, pattern brush", colour_bitmap, SourceKind::None}, 12), 0);
    EXPECT_EQ(
        run_scenario({"PatBlt, window, solid", window, SourceKind::None, BrushKind::Solid}, 13), 0);
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
