// CView and CScrollView inside a frame: the frame's layout of its first pane, scroll sizes
// and their defaults, bars that appear only when needed, scrolling by line, page and to a
// position, the viewport origin OnPrepareDC sets, and the view's self-deletion.
#include "framework.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string g_trace;
const COLORREF kLineColor = RGB(255, 0, 0);

// Draws one red row at logical y = 100, across the whole width.
class CTestScrollView : public CScrollView {
public:
    ~CTestScrollView() override { g_trace += "[view deleted]"; }
    void OnDraw(CDC* pDC) override {
        CRect row(0, 100, 2000, 101);
        pDC->FillSolidRect(&row, kLineColor);
    }
};

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

COLORREF ScreenPixel(int x, int y) {
    HDC dc = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(nullptr, dc);
    return c;
}

class ScrollViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_trace.clear();
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(
            m_pFrame->Create(nullptr, "Scrolling", WS_OVERLAPPEDWINDOW, CRect(40, 40, 440, 340)));
        m_pView = new CTestScrollView;
        ASSERT_TRUE(m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0),
                                    m_pFrame, AFX_IDW_PANE_FIRST));
        m_hFrame = m_pFrame->m_hWnd;
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->UpdateWindow();
        Pump();
    }
    // A test may have destroyed the frame, which deletes its object: only the handle is safe.
    void TearDown() override {
        if (::IsWindow(m_hFrame))
            ::DestroyWindow(m_hFrame);
        Pump();
    }
    CSize ViewClient() const {
        CRect rc;
        m_pView->GetClientRect(&rc);
        return rc.Size();
    }
    DWORD Bars() const { return m_pView->GetStyle() & (WS_HSCROLL | WS_VSCROLL); }

    CFrameWnd* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    CTestScrollView* m_pView = nullptr;
};

TEST_F(ScrollViewTest, FrameKeepsTheFirstPaneOverItsWholeClientArea) {
    CRect rcFrameClient, rcView;
    m_pFrame->GetClientRect(&rcFrameClient);
    m_pFrame->ClientToScreen(&rcFrameClient);
    m_pView->GetWindowRect(&rcView);
    EXPECT_EQ(rcView, rcFrameClient);
    m_pFrame->MoveWindow(40, 40, 300, 250);
    m_pFrame->GetClientRect(&rcFrameClient);
    m_pFrame->ClientToScreen(&rcFrameClient);
    m_pView->GetWindowRect(&rcView);
    EXPECT_EQ(rcView, rcFrameClient);
}

TEST_F(ScrollViewTest, PageDefaultsToATenthOfTheTotalAndLineToATenthOfThePage) {
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 2000));
    EXPECT_EQ(m_pView->GetPageSize(), CSize(100, 200));
    EXPECT_EQ(m_pView->GetLineSize(), CSize(10, 20));
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 2000), CSize(0, 300), CSize(7, 0));
    EXPECT_EQ(m_pView->GetPageSize(), CSize(100, 300));
    EXPECT_EQ(m_pView->GetLineSize(), CSize(7, 30));
    EXPECT_EQ(m_pView->GetTotalSize(), CSize(1000, 2000));
}

TEST_F(ScrollViewTest, BarsAppearOnlyWhenTheTotalDoesNotFit) {
    const CSize client = ViewClient();
    const int bar = ::GetSystemMetrics(SM_CXVSCROLL);
    m_pView->SetScrollSizes(MM_TEXT, CSize(0, client.cy));
    EXPECT_EQ(Bars(), 0u);
    m_pView->SetScrollSizes(MM_TEXT, CSize(0, client.cy + 1));
    EXPECT_EQ(Bars(), static_cast<DWORD>(WS_VSCROLL));
    EXPECT_EQ(ViewClient(), CSize(client.cx - bar, client.cy));
    // Wide enough without the vertical bar, too wide beside it: both bars.
    m_pView->SetScrollSizes(MM_TEXT, CSize(client.cx - bar / 2, client.cy + 1));
    EXPECT_EQ(Bars(), static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL));
    m_pView->SetScrollSizes(MM_TEXT, CSize(10, 10));
    EXPECT_EQ(Bars(), 0u);
    EXPECT_EQ(ViewClient(), client);
}

TEST_F(ScrollViewTest, ScrollsByLinePageAndToTheEndsWithinTheRange) {
    const int height = ViewClient().cy;
    m_pView->SetScrollSizes(MM_TEXT, CSize(0, 1000), CSize(0, 150), CSize(0, 16));
    auto scroll = [&](UINT code) {
        m_pView->SendMessage(WM_VSCROLL, MAKEWPARAM(code, 0), 0);
        return m_pView->GetScrollPosition().y;
    };
    EXPECT_EQ(scroll(SB_LINEDOWN), 16);
    EXPECT_EQ(scroll(SB_LINEDOWN), 32);
    EXPECT_EQ(scroll(SB_PAGEDOWN), 182);
    EXPECT_EQ(scroll(SB_LINEUP), 166);
    EXPECT_EQ(scroll(SB_BOTTOM), 1000 - height);
    EXPECT_EQ(scroll(SB_LINEDOWN), 1000 - height) << "never past the end";
    EXPECT_EQ(scroll(SB_TOP), 0);
    EXPECT_EQ(scroll(SB_PAGEUP), 0);
    EXPECT_EQ(::GetScrollPos(m_pView->m_hWnd, SB_VERT), 0);
}

TEST_F(ScrollViewTest, PrepareDcShiftsTheViewportByTheScrollPosition) {
    m_pView->SetScrollSizes(MM_TEXT, CSize(0, 1000));
    m_pView->ScrollToPosition(CPoint(0, 37));
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(0, 37));
    EXPECT_EQ(m_pView->GetDeviceScrollPosition(), CPoint(0, 37));
    CClientDC dc(m_pView);
    m_pView->OnPrepareDC(&dc);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, -37));
    CPoint pt(5, 100);
    dc.LPtoDP(&pt);
    EXPECT_EQ(pt, CPoint(5, 63));
}

TEST_F(ScrollViewTest, ThePictureMovesWithTheScrollPosition) {
    m_pView->SetScrollSizes(MM_TEXT, CSize(0, 1000), CSize(0, 100), CSize(0, 10));
    m_pView->UpdateWindow();
    CPoint origin(0, 0);
    m_pView->ClientToScreen(&origin);
    EXPECT_EQ(ScreenPixel(origin.x + 20, origin.y + 100), kLineColor);
    m_pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    m_pView->UpdateWindow();
    EXPECT_EQ(ScreenPixel(origin.x + 20, origin.y + 90), kLineColor);
    EXPECT_NE(ScreenPixel(origin.x + 20, origin.y + 100), kLineColor);
    m_pView->ScrollToPosition(CPoint(0, 95));
    m_pView->UpdateWindow();
    EXPECT_EQ(ScreenPixel(origin.x + 20, origin.y + 5), kLineColor);
}

TEST_F(ScrollViewTest, GrowingTheWindowPastTheTotalScrollsBackAndHidesTheBar) {
    m_pView->SetScrollSizes(MM_TEXT, CSize(0, 400));
    m_pView->ScrollToPosition(CPoint(0, 300));
    EXPECT_GT(m_pView->GetScrollPosition().y, 0);
    m_pFrame->MoveWindow(40, 40, 400, 600);
    EXPECT_EQ(Bars(), 0u);
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(0, 0));
    m_pView->UpdateWindow();
    CPoint origin(0, 0);
    m_pView->ClientToScreen(&origin);
    EXPECT_EQ(ScreenPixel(origin.x + 20, origin.y + 100), kLineColor);
}

TEST_F(ScrollViewTest, ViewDeletesItselfWithItsWindow) {
    m_pFrame->DestroyWindow();
    EXPECT_EQ(g_trace, "[view deleted]");
}

} // namespace
