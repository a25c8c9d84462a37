#include "main_frame.h"

#include "gray_scale.h"
#include "mt_doc.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_MESSAGE(WM_USER_UPDATE_STATS, OnUpdateImageStats)
ON_MESSAGE(WM_USER_THREAD_UPDATE, OnThreadUpdate)
ON_MESSAGE(WM_USER_THREAD_FINISHED, OnThreadFinished)
ON_MESSAGE(WM_USER_THREAD_ABORTED, OnThreadAborted)
ON_WM_QUERYNEWPALETTE()
ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

namespace {

// Message pane, statistics pane, progress pane.
const UINT kIndicators[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};

} // namespace

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, 3))
        return -1;

    TEXTMETRIC tm{};
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(m_wndStatusBar.GetFont());
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOldFont);

    UINT nID = 0;
    UINT nStyle = 0;
    int cxWidth = 0;
    m_wndStatusBar.GetPaneInfo(1, nID, nStyle, cxWidth);
    m_wndStatusBar.SetPaneInfo(1, nID, nStyle, tm.tmAveCharWidth * 24);
    m_wndStatusBar.SetPaneInfo(2, nID, nStyle, tm.tmAveCharWidth * 8);
    return 0;
}

void CMainFrame::OnClose() {
    // The worker draws through this window and the document's objects until it returns.
    if (auto* pDoc = dynamic_cast<CMTDoc*>(GetActiveDocument()))
        pDoc->StopConversion();
    CFrameWnd::OnClose();
}

LRESULT CMainFrame::OnUpdateImageStats(WPARAM, LPARAM lParam) {
    m_wndStatusBar.SetPaneText(1, reinterpret_cast<LPCTSTR>(lParam), TRUE);
    return 0;
}

LRESULT CMainFrame::OnThreadUpdate(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0)
        return 0;
    const int nPercentDone = (int(wParam) * 100) / int(lParam);
    if (nPercentDone != m_nPercentDone) {
        m_nPercentDone = nPercentDone;
        CString strText;
        strText.Format("%d%%", nPercentDone);
        m_wndStatusBar.SetPaneText(2, strText, TRUE);
    }
    return 0;
}

LRESULT CMainFrame::OnThreadFinished(WPARAM, LPARAM) {
    if (auto* pDoc = dynamic_cast<CMTDoc*>(GetActiveDocument()))
        pDoc->ThreadFinished();
    m_wndStatusBar.SetPaneText(2, "", TRUE);
    m_nPercentDone = -1;
    return 0;
}

LRESULT CMainFrame::OnThreadAborted(WPARAM, LPARAM) {
    if (auto* pDoc = dynamic_cast<CMTDoc*>(GetActiveDocument()))
        pDoc->ThreadAborted();
    m_wndStatusBar.SetPaneText(2, "", TRUE);
    m_nPercentDone = -1;
    return 0;
}

BOOL CMainFrame::OnQueryNewPalette() {
    if (CView* pView = GetActiveView())
        pView->Invalidate(FALSE);
    return TRUE;
}

void CMainFrame::OnPaletteChanged(CWnd* pFocusWnd) {
    if (pFocusWnd != this)
        if (CView* pView = GetActiveView())
            pView->Invalidate(FALSE);
}
