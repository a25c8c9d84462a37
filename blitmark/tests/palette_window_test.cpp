// Blitmark's main window on an 8-bit palette screen: it creates the 64-entry palette of
// blues, realizes it when asked (remapping all 64 entries the first time, nothing after),
// ignores the change it caused itself, and wins the system palette back on activation.
#include "main_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace {

// The screen takes its mode from the environment when first used, which is after this.
const bool kPaletteScreen = setenv("MULLION_SCREEN", "640x480x8", 1) == 0;

class CTestWindow : public CMainWindow {
public:
    using CMainWindow::m_palette;
};

TEST(BlitmarkPaletteTest, CreatesAndRealizesSixtyFourBlues) {
    ASSERT_TRUE(kPaletteScreen);
    auto* pWnd = new CTestWindow;
    {
        CClientDC dc(pWnd);
        ASSERT_EQ(dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE, RC_PALETTE);
    }
    ASSERT_NE(pWnd->m_palette.m_hObject, nullptr);
    EXPECT_EQ(pWnd->m_palette.GetEntryCount(), 64);
    PALETTEENTRY entries[64];
    ASSERT_EQ(pWnd->m_palette.GetPaletteEntries(0, 64, entries), 64u);
    for (int i = 0; i < 64; i++) {
        EXPECT_EQ(entries[i].peRed, 0);
        EXPECT_EQ(entries[i].peGreen, 0);
        EXPECT_EQ(entries[i].peBlue, 255 - 4 * i);
        EXPECT_EQ(entries[i].peFlags, 0);
    }

    // The first request places all 64 entries (blue 255 on the static blue) and asks for a
    // repaint; a second one moves nothing.
    EXPECT_EQ(pWnd->SendMessage(WM_QUERYNEWPALETTE), 64);
    EXPECT_EQ(pWnd->SendMessage(WM_QUERYNEWPALETTE), 0);
    pWnd->ShowWindow(SW_SHOWNORMAL);
    pWnd->UpdateWindow();
    // Activation asked again: still nothing remapped, nothing to repaint.
    EXPECT_EQ(pWnd->SendMessage(WM_QUERYNEWPALETTE), 0);
    CRect update;
    EXPECT_FALSE(::GetUpdateRect(pWnd->m_hWnd, &update, FALSE));

    // Its own change is ignored; another window's makes it realize again, which changes
    // nothing while its palette is still in place.
    pWnd->SendMessage(WM_PALETTECHANGED, reinterpret_cast<WPARAM>(pWnd->m_hWnd));
    EXPECT_FALSE(::GetUpdateRect(pWnd->m_hWnd, &update, FALSE));

    // The gradient's first rows show the palette's own blues.
    {
        CClientDC dc(pWnd);
        CRect client;
        pWnd->GetClientRect(&client);
        for (int y = 0; y < client.Height(); y++) {
            const int nBlue = 255 - 4 * (y * 63 / client.Height());
            ASSERT_EQ(dc.GetPixel(2, y), RGB(0, 0, nBlue)) << "row " << y;
        }
    }
    pWnd->DestroyWindow();
}

TEST(BlitmarkPaletteTest, ReactivationWinsBackTheSystemPalette) {
    ASSERT_TRUE(kPaletteScreen);
    // Another window realizes a palette that takes every free entry, then Blitmark is activated.
    auto* pWnd = new CTestWindow;
    const HWND other =
        ::CreateWindowExA(0, AfxRegisterWndClass(0), "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                          0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ::SetActiveWindow(pWnd->m_hWnd);
    struct {
        WORD version, count;
        PALETTEENTRY entries[236];
    } greens{0x300, 236, {}};
    for (int i = 0; i < 236; i++)
        greens.entries[i] = PALETTEENTRY{0, BYTE(i + 10), 0, 0};
    CPalette palette;
    palette.CreatePalette(reinterpret_cast<LPLOGPALETTE>(&greens));
    ::SetActiveWindow(other);
    {
        HDC hdc = ::GetDC(other);
        ::SelectPalette(hdc, palette, FALSE);
        EXPECT_GT(::RealizePalette(hdc), 0u);
        ::ReleaseDC(other, hdc);
    }
    ::SetActiveWindow(pWnd->m_hWnd);
    // Activation realized it again; the count of a fresh request is then 0.
    EXPECT_EQ(pWnd->SendMessage(WM_QUERYNEWPALETTE), 0);
    PALETTEENTRY system[256];
    {
        CClientDC dc(pWnd);
        ::GetSystemPaletteEntries(dc, 0, 256, system);
    }
    // Free entries may still show colours of earlier realizations; the distinct blues count.
    std::set<int> blues;
    for (const PALETTEENTRY& e : system)
        if (e.peRed == 0 && e.peGreen == 0 && e.peBlue >= 3 && (e.peBlue - 3) % 4 == 0)
            blues.insert(e.peBlue);
    EXPECT_EQ(blues.size(), 64u);
    ::DestroyWindow(other);
    pWnd->DestroyWindow();
}

} // namespace
