// The banner painting shared by the Panelry programs and the configurable main window.
#include "banner_painting.h"
#include "main_window.h"

#include <gtest/gtest.h>

namespace {

TEST(BannerTest, GradientShadesFollowTheFillColour) {
    // Intensity 255 - 4k in the channels of the fill colour.
    EXPECT_EQ(RGB(255, 0, 0), BannerGradientColor(BANNER_RED, 0));
    EXPECT_EQ(RGB(0, 251, 0), BannerGradientColor(BANNER_GREEN, 1));
    EXPECT_EQ(RGB(0, 0, 131), BannerGradientColor(BANNER_BLUE, 31));
    EXPECT_EQ(RGB(7, 0, 7), BannerGradientColor(BANNER_MAGENTA, 62));
    EXPECT_EQ(RGB(0, 3, 3), BannerGradientColor(BANNER_CYAN, 63));
    EXPECT_EQ(0x00FF0000u, g_crBannerColors[BANNER_BLUE]);
    EXPECT_EQ(0x00FFFF00u, g_crBannerColors[BANNER_CYAN]);
    EXPECT_EQ(0x00FF00FFu, g_crBannerColors[BANNER_MAGENTA]);
}

TEST(BannerTest, RowsChooseBrushesByIntegerDivision) {
    EXPECT_EQ(0, BannerGradientIndex(0, 2));
    EXPECT_EQ(31, BannerGradientIndex(1, 2));
    EXPECT_EQ(0, BannerGradientIndex(0, 1));
    EXPECT_EQ(62, BannerGradientIndex(62, 63));
    EXPECT_EQ(62, BannerGradientIndex(999, 1000)) << "brush 63 is never drawn";
    EXPECT_EQ(31, BannerGradientIndex(250, 500));
}

TEST(BannerTest, FontHeightAsksForTheCharacterHeight) {
    EXPECT_EQ(-96, BannerFontHeight(96, 72));
    EXPECT_EQ(-10, BannerFontHeight(96, 8));
    EXPECT_EQ(-192, BannerFontHeight(96, 144));
    EXPECT_EQ(-16, BannerFontHeight(120, 10));
}

// A 32-bpp memory bitmap to paint into.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height) {
        CClientDC screen(nullptr);
        m_dc.CreateCompatibleDC(&screen);
        m_bitmap.CreateCompatibleBitmap(&screen, width, height);
        m_pOld = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, width, height, RGB(1, 2, 3));
    }
    ~MemoryCanvas() { m_dc.SelectObject(m_pOld); }
    CDC* dc() { return &m_dc; }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOld = nullptr;
};

TEST(BannerTest, GradientFillPaintsEveryRowWithItsShade) {
    const int width = 5, height = 70;
    MemoryCanvas canvas(width, height);
    PaintGradientFill(canvas.dc(), CRect(0, 0, width, height), BANNER_BLUE);
    for (int y = 0; y < height; y++) {
        const COLORREF expected = RGB(0, 0, 255 - 4 * ((y * 63) / height));
        for (int x = 0; x < width; x++)
            ASSERT_EQ(expected, canvas.dc()->GetPixel(x, y)) << "at " << x << "," << y;
    }
}

TEST(BannerTest, EmptyClientAreaPaintsNothing) {
    MemoryCanvas canvas(4, 4);
    PaintGradientFill(canvas.dc(), CRect(0, 0, 4, 0), BANNER_RED);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 4; x++)
            ASSERT_EQ(RGB(1, 2, 3), canvas.dc()->GetPixel(x, y));
}

TEST(BannerTest, SolidFillUsesTheTableColour) {
    MemoryCanvas canvas(3, 3);
    PaintSolidFill(canvas.dc(), CRect(0, 0, 3, 3), BANNER_MAGENTA);
    EXPECT_EQ(RGB(255, 0, 255), canvas.dc()->GetPixel(0, 0));
    EXPECT_EQ(RGB(255, 0, 255), canvas.dc()->GetPixel(2, 2));
}

TEST(BannerTest, BannerTextIsWhiteAndLeavesTheBackground) {
    const int width = 200, height = 120;
    MemoryCanvas canvas(width, height);
    PaintSolidFill(canvas.dc(), CRect(0, 0, width, height), BANNER_GREEN);
    PaintBannerText(canvas.dc(), CRect(0, 0, width, height), "Hi", 48, TRUE, FALSE);
    int white = 0, other = 0;
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            const COLORREF pixel = canvas.dc()->GetPixel(x, y);
            if (pixel == RGB(255, 255, 255))
                white++;
            else if (pixel != RGB(0, 255, 0))
                other++;
        }
    }
    EXPECT_GT(white, 0);
    EXPECT_EQ(0, other) << "transparent, non-antialiased text: only fill and text colours";
    EXPECT_EQ(RGB(0, 255, 0), canvas.dc()->GetPixel(0, 0)) << "the corner stays filled";
}

int g_nSettingsCommands = 0;

TEST(BannerTest, MainWindowStartsWithTheDefaultSettings) {
    auto* wnd = new CMainWindow("Banner test");
    ASSERT_NE(nullptr, wnd->m_hWnd);
    EXPECT_EQ(1, wnd->m_nFillType);
    EXPECT_EQ(BANNER_BLUE, wnd->m_nFillColor);
    EXPECT_EQ("Hello, MFC", wnd->m_strText);
    EXPECT_EQ(72, wnd->m_nTextHeight);
    EXPECT_TRUE(wnd->m_bBold);
    EXPECT_TRUE(wnd->m_bItalic);
    CString title;
    wnd->GetWindowText(title);
    EXPECT_EQ("Banner test", title);
    EXPECT_EQ(static_cast<DWORD>(WS_OVERLAPPEDWINDOW),
              wnd->GetStyle() & static_cast<DWORD>(WS_OVERLAPPEDWINDOW));

    const HWND hWnd = wnd->m_hWnd;
    ::SendMessageA(hWnd, WM_COMMAND, IDM_OPTIONS_SETTINGS, 0);
    EXPECT_EQ(1, g_nSettingsCommands);
    ::SendMessageA(hWnd, WM_COMMAND, IDM_OPTIONS_EXIT, 0);
    EXPECT_FALSE(::IsWindow(hWnd)) << "Exit closes the window";
}

} // namespace

// The configurable programs each define the settings command; here it only counts.
void CMainWindow::OnOptionsSettings() {
    g_nSettingsCommands++;
}
