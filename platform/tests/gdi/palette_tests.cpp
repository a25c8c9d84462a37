// Palettes on both kinds of screen. On the true-colour screen palette colours resolve to RGB;
// on the 8-bit screen the system palette keeps the 20 static colours at both ends, realizing a
// logical palette claims free entries (all of them for the active window's palette), the
// system tells every top-level window when its palette changed, and drawing in a window's
// context stores system palette indices.
#include "display/screen.h"
#include "gdi_test_canvas.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

using mullion::Screen;
using mullion::ScreenMode;

namespace {

struct LogicalPalette {
    explicit LogicalPalette(const std::vector<PALETTEENTRY>& entries) {
        block.resize(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
        auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
        logical->palVersion = 0x300;
        logical->palNumEntries = WORD(entries.size());
        for (size_t i = 0; i < entries.size(); ++i)
            logical->palPalEntry[i] = entries[i];
        handle = CreatePalette(logical);
    }
    ~LogicalPalette() { DeleteObject(handle); }
    std::vector<unsigned char> block;
    HPALETTE handle = nullptr;
};

std::vector<PALETTEENTRY> blues(int count) {
    std::vector<PALETTEENTRY> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back(PALETTEENTRY{0, 0, BYTE(255 - 4 * i), 0});
    return entries;
}

// The messages palette windows receive: (window, message, wParam).
struct Received {
    HWND window;
    UINT message;
    WPARAM wparam;
};
std::vector<Received>& received() {
    static std::vector<Received> messages;
    return messages;
}

LRESULT CALLBACK recording_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PALETTECHANGED || message == WM_QUERYNEWPALETTE)
        received().push_back({hwnd, message, wparam});
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

HWND create_top_level(const char* title) {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = recording_proc;
        wc.lpszClassName = "PaletteTestWindow";
        return RegisterClassA(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    return CreateWindowExA(0, "PaletteTestWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                           60, 40, nullptr, nullptr, nullptr, nullptr);
}

int count(UINT message, HWND window) {
    int n = 0;
    for (const Received& r : received())
        n += r.message == message && r.window == window;
    return n;
}

class PaletteScreen : public ::testing::Test {
protected:
    void SetUp() override {
        Screen::instance().set_mode(ScreenMode{200, 150, 8});
        received().clear();
    }
    void TearDown() override { Screen::instance().set_mode(ScreenMode{}); }
};

} // namespace

TEST(Palettes, TrueColourDeviceCapsHaveNoPalette) {
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(screen, SIZEPALETTE), 0);
    EXPECT_EQ(GetDeviceCaps(screen, NUMRESERVED), 0);
    ReleaseDC(nullptr, screen);
}

TEST(Palettes, TrueColourResolvesPaletteColoursThroughTheSelectedPalette) {
    LogicalPalette palette({{200, 0, 0, 0}, {0, 90, 0, 0}, {10, 10, 250, 0}});
    TestCanvas canvas(4, 1);
    // With the default palette, palette-relative colours are plain colours.
    SetPixel(canvas.dc(), 0, 0, PALETTERGB(1, 2, 3));
    EXPECT_EQ(canvas.at(0, 0), RGB(1, 2, 3));
    SelectPalette(canvas.dc(), palette.handle, FALSE);
    EXPECT_EQ(RealizePalette(canvas.dc()), 0u) << "nothing to realize on a true-colour screen";
    SetPixel(canvas.dc(), 1, 0, PALETTEINDEX(2));
    EXPECT_EQ(canvas.at(1, 0), RGB(10, 10, 250));
    SetPixel(canvas.dc(), 2, 0, PALETTERGB(0, 80, 20));
    EXPECT_EQ(canvas.at(2, 0), RGB(0, 90, 0));
    SetPixel(canvas.dc(), 3, 0, RGB(0, 80, 20));
    EXPECT_EQ(canvas.at(3, 0), RGB(0, 80, 20)) << "plain colours ignore the palette";
}

TEST_F(PaletteScreen, DeviceCapsDescribeAnEightBitPaletteDevice) {
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, RC_PALETTE);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 8);
    EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(screen, SIZEPALETTE), 256);
    EXPECT_EQ(GetDeviceCaps(screen, NUMRESERVED), 20);
    ReleaseDC(nullptr, screen);
}

TEST_F(PaletteScreen, StaticColoursSitAtBothEndsOfTheSystemPalette) {
    HDC screen = GetDC(nullptr);
    PALETTEENTRY system[256]{};
    ASSERT_EQ(GetSystemPaletteEntries(screen, 0, 256, system), 256u);
    PALETTEENTRY statics[20]{};
    GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, statics);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(RGB(system[i].peRed, system[i].peGreen, system[i].peBlue),
                  RGB(statics[i].peRed, statics[i].peGreen, statics[i].peBlue));
        const PALETTEENTRY& high = system[246 + i];
        EXPECT_EQ(RGB(high.peRed, high.peGreen, high.peBlue),
                  RGB(statics[10 + i].peRed, statics[10 + i].peGreen, statics[10 + i].peBlue));
    }
    // Index i and its inverse 255 - i hold inverse colours: black and white, and so on.
    EXPECT_EQ(RGB(system[0].peRed, system[0].peGreen, system[0].peBlue), RGB(0, 0, 0));
    EXPECT_EQ(RGB(system[255].peRed, system[255].peGreen, system[255].peBlue), RGB(255, 255, 255));
    EXPECT_EQ(RGB(system[1].peRed, system[1].peGreen, system[1].peBlue), RGB(128, 0, 0));
    EXPECT_EQ(RGB(system[254].peRed, system[254].peGreen, system[254].peBlue), RGB(0, 255, 255));
    ReleaseDC(nullptr, screen);
}

TEST_F(PaletteScreen, ForegroundRealizationClaimsEntriesOnceAndAnnouncesTheChange) {
    HWND window = create_top_level("Palette owner");
    HWND other = create_top_level("Bystander");
    SetActiveWindow(window);
    ASSERT_EQ(GetForegroundWindow(), window);
    received().clear();

    LogicalPalette palette(blues(64));
    HDC dc = GetDC(window);
    SelectPalette(dc, palette.handle, FALSE);
    // Blue 255 is a static colour; the other 63 blues claim free entries.
    EXPECT_EQ(RealizePalette(dc), 64u);
    EXPECT_EQ(count(WM_PALETTECHANGED, window), 1);
    EXPECT_EQ(count(WM_PALETTECHANGED, other), 1);
    for (const Received& r : received())
        EXPECT_EQ(r.wparam, reinterpret_cast<WPARAM>(window));

    PALETTEENTRY system[256]{};
    GetSystemPaletteEntries(dc, 0, 256, system);
    std::set<int> system_blues;
    for (const PALETTEENTRY& e : system)
        if (e.peRed == 0 && e.peGreen == 0)
            system_blues.insert(e.peBlue);
    for (int i = 0; i < 64; ++i)
        EXPECT_TRUE(system_blues.count(255 - 4 * i)) << "blue " << 255 - 4 * i;

    // Nothing moves the second time, and nobody hears of it.
    received().clear();
    EXPECT_EQ(RealizePalette(dc), 0u);
    EXPECT_TRUE(received().empty());

    // Palette colours draw the realized entries: 64 distinct indices, each showing its blue.
    std::set<COLORREF> shown;
    for (int i = 0; i < 64; ++i) {
        SetPixel(dc, i % 40, i / 40, PALETTERGB(0, 0, 255 - 4 * i));
        const COLORREF c = GetPixel(dc, i % 40, i / 40);
        EXPECT_EQ(c, RGB(0, 0, 255 - 4 * i));
        shown.insert(c);
    }
    EXPECT_EQ(shown.size(), 64u);
    SetPixel(dc, 0, 5, PALETTEINDEX(10));
    EXPECT_EQ(GetPixel(dc, 0, 5), RGB(0, 0, 255 - 40));

    ReleaseDC(window, dc);
    DestroyWindow(other);
    DestroyWindow(window);
}

TEST_F(PaletteScreen, PlainColoursAndUnrealizedPalettesUseTheNearestStaticColour) {
    HWND window = create_top_level("Statics");
    HDC dc = GetDC(window);
    SetPixel(dc, 0, 0, RGB(250, 10, 5));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    SetPixel(dc, 1, 0, RGB(100, 100, 100));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(128, 128, 128));
    // Without a realized palette, palette-relative colours fall back to the statics too.
    LogicalPalette palette({{0, 0, 201, 0}});
    SelectPalette(dc, palette.handle, TRUE);
    SetPixel(dc, 2, 0, PALETTERGB(0, 0, 201));
    EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 0, 255));
    // Inverting an index gives its mirror entry: black becomes white.
    SetPixel(dc, 3, 0, RGB(0, 0, 0));
    PatBlt(dc, 3, 0, 1, 1, DSTINVERT);
    EXPECT_EQ(GetPixel(dc, 3, 0), RGB(255, 255, 255));
    ReleaseDC(window, dc);
    DestroyWindow(window);
}

TEST_F(PaletteScreen, ActivationAsksTheWindowToRealizeItsPalette) {
    HWND first = create_top_level("First");
    HWND second = create_top_level("Second");
    SetActiveWindow(first);
    received().clear();
    SetActiveWindow(second);
    EXPECT_EQ(count(WM_QUERYNEWPALETTE, second), 1);
    EXPECT_EQ(count(WM_QUERYNEWPALETTE, first), 0);
    DestroyWindow(second);
    DestroyWindow(first);
}

TEST_F(PaletteScreen, BlitsBetweenBitmapsAndTheScreenKeepColoursInUse) {
    HWND window = create_top_level("Blits");
    LogicalPalette palette(blues(8));
    HDC dc = GetDC(window);
    SelectPalette(dc, palette.handle, FALSE);
    RealizePalette(dc);
    // A colour bitmap holding a realized blue and a static colour goes to the screen and back.
    TestCanvas canvas(2, 1);
    SetPixel(canvas.dc(), 0, 0, RGB(0, 0, 251));
    SetPixel(canvas.dc(), 1, 0, RGB(192, 192, 192));
    BitBlt(dc, 4, 4, 2, 1, canvas.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(dc, 4, 4), RGB(0, 0, 251));
    EXPECT_EQ(GetPixel(dc, 5, 4), RGB(192, 192, 192));
    TestCanvas back(2, 1, RGB(9, 9, 9));
    BitBlt(back.dc(), 0, 0, 2, 1, dc, 4, 4, SRCCOPY);
    EXPECT_EQ(back.at(0, 0), RGB(0, 0, 251));
    EXPECT_EQ(back.at(1, 0), RGB(192, 192, 192));
    ReleaseDC(window, dc);
    DestroyWindow(window);
}
