// Drawing one line: its own pen of the line's width and colour, the caller's raster operation,
// and the device context handed back with the pen it had.
#include "line.h"

#include <gtest/gtest.h>

namespace {

class LineDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        CClientDC screen(nullptr);
        m_dc.CreateCompatibleDC(&screen);
        m_bitmap.CreateCompatibleBitmap(&screen, 64, 64);
        m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
        CBrush white(RGB(255, 255, 255));
        const CRect all(0, 0, 64, 64);
        m_dc.FillRect(&all, &white);
    }
    void TearDown() override { m_dc.SelectObject(m_pOldBitmap); }

    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
};

TEST_F(LineDrawTest, OnePixelLineInItsColourAndThePreviousPenBack) {
    const HGDIOBJ hPenBefore = ::GetCurrentObject(m_dc.m_hDC, OBJ_PEN);
    CLine line(CPoint(5, 10), CPoint(40, 10), 1, RGB(0, 0, 255));
    line.Draw(&m_dc);
    EXPECT_EQ(RGB(0, 0, 255), m_dc.GetPixel(5, 10));
    EXPECT_EQ(RGB(0, 0, 255), m_dc.GetPixel(39, 10));
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(20, 9));
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(20, 11));
    EXPECT_EQ(hPenBefore, ::GetCurrentObject(m_dc.m_hDC, OBJ_PEN));
}

TEST_F(LineDrawTest, WidePenCoversItsWidthAcrossTheLine) {
    CLine line(CPoint(10, 32), CPoint(50, 32), 16, RGB(0, 255, 0));
    line.Draw(&m_dc);
    EXPECT_EQ(RGB(0, 255, 0), m_dc.GetPixel(30, 32 - 7));
    EXPECT_EQ(RGB(0, 255, 0), m_dc.GetPixel(30, 32 + 7));
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(30, 32 - 10));
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(30, 32 + 10));
}

TEST_F(LineDrawTest, UsesTheRasterOperationTheCallerSet) {
    m_dc.SetROP2(R2_NOT);
    CLine line(CPoint(5, 20), CPoint(40, 20), 1, RGB(0, 0, 255));
    line.Draw(&m_dc);
    EXPECT_EQ(RGB(0, 0, 0), m_dc.GetPixel(20, 20)); // white inverted, whatever the colour
    EXPECT_EQ(R2_NOT, m_dc.GetROP2());
}

} // namespace
