// The gray-scale conversion: the documented formula and palette, the worker's messages and
// pixels for a full run and a stopped one, and the main frame's status panes.
#include "bmp_image.h"
#include "bmp_writer.h"
#include "gray_scale.h"
#include "main_frame.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>

using graymill_test::BmpBytes;
using graymill_test::BmpSpec;
using graymill_test::ExpectedGray;

namespace {

TEST(GrayScaleTest, GrayLevelFollowsTheWeightedSumTruncated) {
    EXPECT_EQ(255, GrayLevel(RGB(255, 255, 255)));
    EXPECT_EQ(0, GrayLevel(RGB(0, 0, 0)));
    EXPECT_EQ(76, GrayLevel(RGB(255, 0, 0)));  // 7650 / 100
    EXPECT_EQ(150, GrayLevel(RGB(0, 255, 0))); // 15045 / 100
    EXPECT_EQ(28, GrayLevel(RGB(0, 0, 255)));  // 2805 / 100
    EXPECT_EQ(1, GrayLevel(RGB(1, 1, 1)));
    EXPECT_EQ(0, GrayLevel(RGB(0, 1, 0))); // 59 / 100 truncates
}

TEST(GrayScaleTest, GrayPaletteHasSixtyFourStepsOfFour) {
    LOGPALETTE* pLogPalette = CreateGrayScale();
    EXPECT_EQ(0x300, pLogPalette->palVersion);
    ASSERT_EQ(64, pLogPalette->palNumEntries);
    for (int i = 0; i < 64; ++i) {
        const PALETTEENTRY& entry = pLogPalette->palPalEntry[i];
        EXPECT_EQ(4 * i, entry.peRed);
        EXPECT_EQ(4 * i, entry.peGreen);
        EXPECT_EQ(4 * i, entry.peBlue);
        EXPECT_EQ(0, entry.peFlags);
    }
    FreeLogPalette(pLogPalette);
}

TEST(GrayScaleTest, HalftonePaletteCoversTheColourCubeInSixLevels) {
    LOGPALETTE* pLogPalette = CreateHalftone();
    EXPECT_EQ(0x300, pLogPalette->palVersion);
    ASSERT_EQ(216, pLogPalette->palNumEntries);
    std::set<COLORREF> colors;
    for (int i = 0; i < 216; ++i) {
        const PALETTEENTRY& entry = pLogPalette->palPalEntry[i];
        EXPECT_EQ(0, entry.peRed % 51);
        EXPECT_EQ(0, entry.peGreen % 51);
        EXPECT_EQ(0, entry.peBlue % 51);
        colors.insert(RGB(entry.peRed, entry.peGreen, entry.peBlue));
    }
    EXPECT_EQ(216u, colors.size()) << "every level combination once";
    EXPECT_EQ(1u, colors.count(RGB(255, 255, 255)));
    EXPECT_EQ(1u, colors.count(RGB(0, 0, 0)));
    FreeLogPalette(pLogPalette);
}

// A worker run against a frame window on this thread: ThreadFunc is called directly, and the
// messages it posted are read back from the queue afterwards.
class WorkerTest : public ::testing::Test {
protected:
    CFrameWnd* m_pWnd = nullptr;
    CBitmap m_bitmap;
    CPalette m_palette;
    CCriticalSection m_cs;
    CEvent m_killEvent;
    std::vector<uint32_t> m_colors;
    int m_nWidth = 5;
    int m_nHeight = 3;

    void SetUp() override {
        m_pWnd = new CFrameWnd;
        ASSERT_TRUE(m_pWnd->Create(nullptr, "Worker"));
        for (int i = 0; i < m_nWidth * m_nHeight; ++i)
            m_colors.push_back(uint32_t(i * 0x0F2A37 + 0x102030) & 0xFFFFFF);
        m_colors[0] = 0xFF0000;
        m_colors[1] = 0x00FF00;
        m_colors[2] = 0x0000FF;
        m_colors[3] = 0xFFFFFF;
        UsePicture(BmpSpec{m_nWidth, m_nHeight, 24, false, 0, {}, m_colors});
    }

    // Makes the document's bitmap a section of this picture.
    void UsePicture(const BmpSpec& spec) {
        CBmpImage image;
        const std::string bytes = BmpBytes(spec);
        ASSERT_TRUE(image.Parse(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size()));
        if (m_bitmap.GetSafeHandle())
            m_bitmap.DeleteObject();
        m_bitmap.Attach(image.CreateSection());
        m_nWidth = spec.width;
        m_nHeight = spec.height;
        m_colors.clear();
        for (uint32_t pixel : spec.pixels)
            m_colors.push_back(spec.bitCount <= 8 ? spec.palette[pixel] : pixel);
    }

    void TearDown() override { m_pWnd->DestroyWindow(); }

    UINT Run() {
        ThreadParams params{m_pWnd, &m_bitmap, &m_palette, &m_cs, &m_killEvent};
        return ThreadFunc(&params);
    }

    // The worker's messages in the order posted: (message, wParam, lParam).
    std::vector<std::tuple<UINT, WPARAM, LPARAM>> PostedMessages() {
        std::vector<std::tuple<UINT, WPARAM, LPARAM>> messages;
        MSG msg;
        while (::PeekMessageA(&msg, m_pWnd->m_hWnd, WM_USER_THREAD_UPDATE, WM_USER_THREAD_ABORTED,
                              PM_REMOVE))
            messages.emplace_back(msg.message, msg.wParam, msg.lParam);
        return messages;
    }

    std::vector<uint32_t> BitmapPixels() {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* pOld = dc.SelectObject(&m_bitmap);
        std::vector<uint32_t> pixels;
        for (int y = 0; y < m_nHeight; ++y)
            for (int x = 0; x < m_nWidth; ++x) {
                const COLORREF c = dc.GetPixel(x, y);
                pixels.push_back(uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 |
                                 GetBValue(c));
            }
        dc.SelectObject(pOld);
        return pixels;
    }
};

TEST_F(WorkerTest, FullRunMakesEveryPixelItsGrayAndReportsEachRow) {
    EXPECT_EQ(0u, Run());
    const std::vector<std::tuple<UINT, WPARAM, LPARAM>> expected{
        {WM_USER_THREAD_UPDATE, 1, 3},
        {WM_USER_THREAD_UPDATE, 2, 3},
        {WM_USER_THREAD_UPDATE, 3, 3},
        {WM_USER_THREAD_FINISHED, 0, 0},
    };
    EXPECT_EQ(expected, PostedMessages());
    const std::vector<uint32_t> pixels = BitmapPixels();
    ASSERT_EQ(m_colors.size(), pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t gray = uint32_t(ExpectedGray(m_colors[i]));
        EXPECT_EQ(gray * 0x010101u, pixels[i]) << "pixel " << i;
    }
    EXPECT_EQ(76u * 0x010101u, pixels[0]);
    EXPECT_EQ(150u * 0x010101u, pixels[1]);
    EXPECT_EQ(28u * 0x010101u, pixels[2]);
    EXPECT_EQ(0xFFFFFFu, pixels[3]);
}

TEST_F(WorkerTest, ImageWithAColourTableGetsExactGraysToo) {
    UsePicture(BmpSpec{4, 2, 4, true, 3, {0xFF0000, 0x00FF00, 0x0000FF}, {0, 1, 2, 0, 2, 2, 1, 0}});
    EXPECT_EQ(0u, Run());
    EXPECT_EQ(3u, PostedMessages().size());
    const std::vector<uint32_t> expected{76, 150, 28, 76, 28, 28, 150, 76};
    const std::vector<uint32_t> pixels = BitmapPixels();
    ASSERT_EQ(expected.size(), pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i)
        EXPECT_EQ(expected[i] * 0x010101u, pixels[i]) << "pixel " << i;
}

TEST_F(WorkerTest, StopRequestEndsAfterTheRowAndLeavesTheImage) {
    m_killEvent.SetEvent();
    EXPECT_EQ(0xFFFFFFFFu, Run());
    const std::vector<std::tuple<UINT, WPARAM, LPARAM>> expected{{WM_USER_THREAD_ABORTED, 1, 0}};
    EXPECT_EQ(expected, PostedMessages());
    EXPECT_EQ(m_colors, BitmapPixels());
    // The request was consumed by the automatic-reset event.
    EXPECT_EQ(DWORD(WAIT_TIMEOUT), ::WaitForSingleObject(m_killEvent.m_hObject, 0));
}

TEST_F(WorkerTest, ConvertingAGrayImageAgainKeepsItsLevels) {
    Run();
    PostedMessages();
    const std::vector<uint32_t> once = BitmapPixels();
    EXPECT_EQ(0u, Run());
    EXPECT_EQ(once, BitmapPixels());
}

class MainFrameTest : public ::testing::Test {
protected:
    CMainFrame* m_pFrame = nullptr;

    void SetUp() override {
        m_pFrame = new CMainFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "Graymill"));
    }
    void TearDown() override { m_pFrame->DestroyWindow(); }
};

TEST_F(MainFrameTest, StatisticsTextGoesToPaneOne) {
    const char text[] = "1024 x 768, 24 bpp";
    m_pFrame->SendMessage(WM_USER_UPDATE_STATS, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(CString("1024 x 768, 24 bpp"), m_pFrame->GetPaneText(1));
    EXPECT_EQ(CString(""), m_pFrame->GetPaneText(2));
}

TEST_F(MainFrameTest, ProgressShowsTheTruncatedPercentThenClears) {
    m_pFrame->SendMessage(WM_USER_THREAD_UPDATE, 1, 3);
    EXPECT_EQ(CString("33%"), m_pFrame->GetPaneText(2));
    m_pFrame->SendMessage(WM_USER_THREAD_UPDATE, 2, 3);
    EXPECT_EQ(CString("66%"), m_pFrame->GetPaneText(2));
    m_pFrame->SendMessage(WM_USER_THREAD_UPDATE, 3, 3);
    EXPECT_EQ(CString("100%"), m_pFrame->GetPaneText(2));
    m_pFrame->SendMessage(WM_USER_THREAD_FINISHED, 0, 0);
    EXPECT_EQ(CString(""), m_pFrame->GetPaneText(2));

    // After the end the next run starts showing again even at the same percentage.
    m_pFrame->SendMessage(WM_USER_THREAD_UPDATE, 1, 1);
    EXPECT_EQ(CString("100%"), m_pFrame->GetPaneText(2));
    m_pFrame->SendMessage(WM_USER_THREAD_ABORTED, 1, 0);
    EXPECT_EQ(CString(""), m_pFrame->GetPaneText(2));
}

TEST_F(MainFrameTest, StatusPanesAreMeasuredInAverageCharacters) {
    CClientDC dc(m_pFrame);
    CWnd* pBar = m_pFrame->GetMessageBar();
    ASSERT_NE(nullptr, pBar);
    CFont* pOld = dc.SelectObject(pBar->GetFont());
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    auto* pStatusBar = static_cast<CStatusBar*>(pBar);
    ASSERT_EQ(3, pStatusBar->GetCount());
    UINT nID = 0, nStyle = 0;
    int cxWidth = 0;
    pStatusBar->GetPaneInfo(1, nID, nStyle, cxWidth);
    EXPECT_EQ(24 * tm.tmAveCharWidth, cxWidth);
    pStatusBar->GetPaneInfo(2, nID, nStyle, cxWidth);
    EXPECT_EQ(8 * tm.tmAveCharWidth, cxWidth);
}

} // namespace
