// Blitmark's main window on a true-colour screen: no palette, palette messages answered with
// nothing done, the gradient painted with the palette-relative blues as plain colours.
#include "main_window.h"

#include <gtest/gtest.h>

namespace {

// Opens the protected state for the tests.
class CTestWindow : public CMainWindow {
public:
    using CMainWindow::m_bDrawOpaque;
    using CMainWindow::m_palette;
};

TEST(BlitmarkWindowTest, TrueColourScreenGetsNoPaletteAndIgnoresPaletteMessages) {
    auto* pWnd = new CTestWindow;
    pWnd->ShowWindow(SW_SHOWNORMAL);
    pWnd->UpdateWindow();
    EXPECT_EQ(pWnd->m_palette.m_hObject, nullptr);
    EXPECT_TRUE(pWnd->m_bDrawOpaque);
    EXPECT_EQ(pWnd->SendMessage(WM_QUERYNEWPALETTE), 0);
    pWnd->SendMessage(WM_PALETTECHANGED, reinterpret_cast<WPARAM>(::GetDesktopWindow()));
    CRect update;
    EXPECT_FALSE(::GetUpdateRect(pWnd->m_hWnd, &update, FALSE));
    pWnd->DestroyWindow();
}

TEST(BlitmarkWindowTest, GradientRowsUseBrushYTimes63OverHeight) {
    auto* pWnd = new CTestWindow;
    pWnd->MoveWindow(0, 0, 300, 200);
    pWnd->ShowWindow(SW_SHOWNORMAL);
    pWnd->UpdateWindow();
    CRect client;
    pWnd->GetClientRect(&client);
    {
        CClientDC dc(pWnd);
        // The left margin is gradient only: blue 255 - 4 * (y * 63 / height).
        for (int y = 0; y < client.Height(); y++) {
            const int nBlue = 255 - 4 * (y * 63 / client.Height());
            ASSERT_EQ(dc.GetPixel(3, y), RGB(0, 0, nBlue)) << "row " << y;
        }
    }
    pWnd->DestroyWindow();
}

} // namespace
