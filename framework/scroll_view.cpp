#include "scroll_view.h"

#include "dc.h"
#include "message_thunks.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The largest position of a bar: the range's end less what the page shows.
int MaxScrollPosition(HWND hWnd, int nBar) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    if (!(::GetWindowLongA(hWnd, GWL_STYLE) & (nBar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) ||
        !::GetScrollInfo(hWnd, nBar, &info))
        return 0;
    const int page = info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0;
    return std::max(info.nMin, info.nMax - page);
}

} // namespace

const SIZE CScrollView::sizeDefault = {0, 0};

BEGIN_MESSAGE_MAP(CScrollView, CView)
ON_WM_SIZE()
ON_WM_VSCROLL()
ON_WM_HSCROLL()
END_MESSAGE_MAP()

CSize CScrollView::ToDevice(SIZE sizeLogical) const {
    if (m_nMapMode == MM_TEXT)
        return CSize(sizeLogical);
    HDC hDC = ::GetDC(nullptr);
    ::SetMapMode(hDC, m_nMapMode);
    POINT pt{sizeLogical.cx, sizeLogical.cy};
    ::LPtoDP(hDC, &pt, 1);
    POINT origin{0, 0};
    ::LPtoDP(hDC, &origin, 1);
    ::ReleaseDC(nullptr, hDC);
    return CSize(std::abs(pt.x - origin.x), std::abs(pt.y - origin.y));
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage,
                                 const SIZE& sizeLine) {
    const int nOldMapMode = m_nMapMode;
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    m_totalDev = ToDevice(sizeTotal);
    m_pageDev = ToDevice(sizePage);
    m_lineDev = ToDevice(sizeLine);
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (!m_hWnd)
        return;
    UpdateBars();
    if (nOldMapMode != m_nMapMode)
        Invalidate(TRUE);
}

CPoint CScrollView::GetDeviceScrollPosition() const {
    const DWORD style = GetStyle();
    return CPoint((style & WS_HSCROLL) ? ::GetScrollPos(m_hWnd, SB_HORZ) : 0,
                  (style & WS_VSCROLL) ? ::GetScrollPos(m_hWnd, SB_VERT) : 0);
}

CPoint CScrollView::GetScrollPosition() const {
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode == MM_TEXT)
        return pt;
    // Device distances from the origin, in logical units of the view's mapping mode.
    CClientDC dc(const_cast<CScrollView*>(this));
    dc.SetMapMode(m_nMapMode);
    dc.DPtoLP(&pt);
    return pt;
}

void CScrollView::ScrollToPosition(POINT pt) {
    if (m_nMapMode != MM_TEXT) {
        CClientDC dc(this);
        dc.SetMapMode(m_nMapMode);
        dc.LPtoDP(&pt);
        // Modes whose y axis points up give negative device rows below the origin.
        pt.x = std::abs(pt.x);
        pt.y = std::abs(pt.y);
    }
    ScrollToDevicePosition(pt);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev) {
    const CPoint old = GetDeviceScrollPosition();
    OnScrollBy(CSize(ptDev.x - old.x, ptDev.y - old.y), TRUE);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
    pDC->SetMapMode(m_nMapMode);
    const CPoint pt = GetDeviceScrollPosition();
    pDC->SetViewportOrg(-pt.x, -pt.y);
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::UpdateBars() {
    if (m_bInsideUpdate || !m_hWnd)
        return;
    m_bInsideUpdate = TRUE;
    // The client area as it would be without the bars.
    CRect rcClient;
    GetClientRect(&rcClient);
    const DWORD style = GetStyle();
    const int cxBar = ::GetSystemMetrics(SM_CXVSCROLL);
    const int cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
    CSize sizeClient(rcClient.Width() + ((style & WS_VSCROLL) ? cxBar : 0),
                     rcClient.Height() + ((style & WS_HSCROLL) ? cyBar : 0));
    // One bar takes room from the other direction, which may then need its bar too.
    bool bNeedH = false, bNeedV = false;
    CSize sizeVisible = sizeClient;
    for (int nPass = 0; nPass < 2; ++nPass) {
        sizeVisible =
            CSize(sizeClient.cx - (bNeedV ? cxBar : 0), sizeClient.cy - (bNeedH ? cyBar : 0));
        bNeedH = m_totalDev.cx > sizeVisible.cx;
        bNeedV = m_totalDev.cy > sizeVisible.cy;
    }
    sizeVisible = CSize(sizeClient.cx - (bNeedV ? cxBar : 0), sizeClient.cy - (bNeedH ? cyBar : 0));

    const CPoint old = GetDeviceScrollPosition();
    const CPoint pos(
        std::clamp(static_cast<int>(old.x), 0, std::max(0, m_totalDev.cx - sizeVisible.cx)),
        std::clamp(static_cast<int>(old.y), 0, std::max(0, m_totalDev.cy - sizeVisible.cy)));
    // The bar hides itself when the page covers the whole range.
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    info.nMax = m_totalDev.cx - 1;
    info.nPage = static_cast<UINT>(std::max(0, sizeVisible.cx));
    info.nPos = pos.x;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &info, TRUE);
    info.nMax = m_totalDev.cy - 1;
    info.nPage = static_cast<UINT>(std::max(0, sizeVisible.cy));
    info.nPos = pos.y;
    ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
    if (pos != old)
        ::ScrollWindow(m_hWnd, old.x - pos.x, old.y - pos.y, nullptr, nullptr);
    m_bInsideUpdate = FALSE;
}

BOOL CScrollView::OnScroll(int nBar, UINT nSBCode, UINT, BOOL bDoScroll) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    if (!::GetScrollInfo(m_hWnd, nBar, &info))
        return FALSE;
    const bool bHorz = nBar == SB_HORZ;
    const int nLine = bHorz ? m_lineDev.cx : m_lineDev.cy;
    const int nPage = bHorz ? m_pageDev.cx : m_pageDev.cy;
    int nNew = info.nPos;
    switch (nSBCode) {
    case SB_TOP:
        nNew = info.nMin;
        break;
    case SB_BOTTOM:
        nNew = MaxScrollPosition(m_hWnd, nBar);
        break;
    case SB_LINEUP:
        nNew -= nLine;
        break;
    case SB_LINEDOWN:
        nNew += nLine;
        break;
    case SB_PAGEUP:
        nNew -= nPage;
        break;
    case SB_PAGEDOWN:
        nNew += nPage;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        // The 32-bit tracking position rather than the message's 16 bits.
        nNew = info.nTrackPos;
        break;
    default:
        return FALSE;
    }
    const int nDelta = nNew - info.nPos;
    return OnScrollBy(bHorz ? CSize(nDelta, 0) : CSize(0, nDelta), bDoScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll) {
    const CPoint old = GetDeviceScrollPosition();
    const CPoint pos(
        std::clamp(static_cast<int>(old.x + sizeScroll.cx), 0, MaxScrollPosition(m_hWnd, SB_HORZ)),
        std::clamp(static_cast<int>(old.y + sizeScroll.cy), 0, MaxScrollPosition(m_hWnd, SB_VERT)));
    if (pos == old)
        return FALSE;
    if (bDoScroll) {
        if (pos.x != old.x)
            ::SetScrollPos(m_hWnd, SB_HORZ, pos.x, TRUE);
        if (pos.y != old.y)
            ::SetScrollPos(m_hWnd, SB_VERT, pos.y, TRUE);
        ::ScrollWindow(m_hWnd, old.x - pos.x, old.y - pos.y, nullptr, nullptr);
    }
    return TRUE;
}

void CScrollView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    // Scroll bar controls inside the view are not the view's own bars.
    if (pScrollBar && pScrollBar->m_hWnd)
        return;
    OnScroll(SB_VERT, nSBCode, nPos);
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    if (pScrollBar && pScrollBar->m_hWnd)
        return;
    OnScroll(SB_HORZ, nSBCode, nPos);
}
