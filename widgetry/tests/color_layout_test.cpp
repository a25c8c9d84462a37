// The shared layout of Widgetry4 and Widgetry5: the rectangles of the controls in character
// widths and line heights, and the 8-point font it is measured with.
#include "color_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorLayout, RectanglesFollowTheCharacterCellWithTruncatedHalves) {
    // A 6 x 13 cell: the halves 9 * 13 / 2 = 58.5 and 11 * 13 / 2 = 71.5 truncate.
    const CColorLayout layout(6, 13);
    EXPECT_EQ(CRect(12, 13, 372, 104), layout.m_rectSampleGroup);
    EXPECT_EQ(CRect(24, 52, 360, 78), layout.m_rectSampleText);
    EXPECT_EQ(CRect(384, 13, 480, 104), layout.m_rectColorGroup);
    EXPECT_EQ(CRect(396, 39, 468, 52), layout.m_rectRed);
    EXPECT_EQ(CRect(396, 58, 468, 71), layout.m_rectGreen);
    EXPECT_EQ(CRect(396, 78, 468, 91), layout.m_rectBlue);
}

TEST(ColorLayout, ControlsNestInTheirGroupsForAnyCell) {
    for (int cx = 1; cx < 12; ++cx)
        for (int cy = 1; cy < 24; ++cy) {
            const CColorLayout layout(cx, cy);
            CRect inside;
            EXPECT_TRUE(inside.IntersectRect(&layout.m_rectSampleText, &layout.m_rectSampleGroup));
            EXPECT_EQ(inside, layout.m_rectSampleText);
            for (const CRect* button :
                 {&layout.m_rectRed, &layout.m_rectGreen, &layout.m_rectBlue}) {
                EXPECT_TRUE(inside.IntersectRect(button, &layout.m_rectColorGroup));
                EXPECT_EQ(inside, *button);
            }
            // The radio buttons do not overlap one another.
            EXPECT_LE(layout.m_rectRed.bottom, layout.m_rectGreen.top);
            EXPECT_LE(layout.m_rectGreen.bottom, layout.m_rectBlue.top);
            EXPECT_LE(layout.m_rectSampleGroup.right, layout.m_rectColorGroup.left);
        }
}

TEST(ColorLayout, MeasuresTheEightPointFontOfTheScreen) {
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "Layout", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                nullptr));
    CFont font;
    const CColorLayout layout = CColorLayout::CreateFontAndLayout(&window, font);
    LOGFONT logFont{};
    ASSERT_NE(0, font.GetLogFont(&logFont));
    HDC screen = ::GetDC(nullptr);
    // Eight points at the screen's vertical resolution, the division done before negation.
    EXPECT_EQ(-((::GetDeviceCaps(screen, LOGPIXELSY) * 8) / 72), logFont.lfHeight);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(400, logFont.lfWeight);
    EXPECT_STREQ("MS Sans Serif", logFont.lfFaceName);
    EXPECT_EQ(OUT_CHARACTER_PRECIS, logFont.lfOutPrecision);
    EXPECT_EQ(CLIP_CHARACTER_PRECIS, logFont.lfClipPrecision);
    // The cell is the font's own: average width, and height plus external leading.
    CClientDC dc(&window);
    CFont* previous = dc.SelectObject(&font);
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    dc.SelectObject(previous);
    EXPECT_EQ(metrics.tmAveCharWidth, layout.m_cxChar);
    EXPECT_EQ(metrics.tmHeight + metrics.tmExternalLeading, layout.m_cyChar);
    window.DestroyWindow();
}

} // namespace
