#include "main_window.h"

#include "about_dialog.h"
#include "banner_painting.h"

BEGIN_MESSAGE_MAP(CMainWindow, CFrameWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_COMMAND(IDM_OPTIONS_SETTINGS, OnOptionsSettings)
ON_COMMAND(IDM_OPTIONS_EXIT, OnOptionsExit)
ON_COMMAND(IDM_OPTIONS_ABOUT, OnOptionsAbout)
ON_MESSAGE(WM_USER, OnApplySettings)
END_MESSAGE_MAP()

CMainWindow::CMainWindow(LPCTSTR lpszTitle)
    : m_nFillType(1), m_nFillColor(BANNER_BLUE), m_strText("Hello, MFC"), m_nTextHeight(72),
      m_bBold(TRUE), m_bItalic(TRUE), m_pSettingsDialog(nullptr) {
    Create(nullptr, lpszTitle, WS_OVERLAPPEDWINDOW, rectDefault, nullptr,
           MAKEINTRESOURCE(IDR_MAINFRAME));
}

BOOL CMainWindow::OnEraseBkgnd(CDC* pDC) {
    CRect rect;
    GetClientRect(&rect);
    if (m_nFillType == 1)
        DoGradientFill(pDC, rect);
    else
        DoSolidFill(pDC, rect);
    return TRUE;
}

void CMainWindow::OnPaint() {
    CRect rect;
    GetClientRect(&rect);
    CPaintDC dc(this);
    DrawBannerText(&dc, rect);
}

void CMainWindow::DoSolidFill(CDC* pDC, const CRect& rect) {
    PaintSolidFill(pDC, rect, m_nFillColor);
}

void CMainWindow::DoGradientFill(CDC* pDC, const CRect& rect) {
    PaintGradientFill(pDC, rect, m_nFillColor);
}

void CMainWindow::DrawBannerText(CDC* pDC, const CRect& rect) {
    PaintBannerText(pDC, rect, m_strText, m_nTextHeight, m_bBold, m_bItalic);
}

void CMainWindow::OnOptionsExit() {
    SendMessage(WM_CLOSE, 0, 0);
}

void CMainWindow::OnOptionsAbout() {
    CAboutDialog dlg(this);
    dlg.DoModal();
}

LRESULT CMainWindow::OnApplySettings(WPARAM, LPARAM lParam) {
    const auto* settings = reinterpret_cast<const BannerSettings*>(lParam);
    m_nFillType = settings->nFillType;
    m_nFillColor = settings->nFillColor;
    m_strText = settings->strText;
    m_nTextHeight = settings->nTextHeight;
    m_bBold = settings->bBold;
    m_bItalic = settings->bItalic;
    Invalidate(TRUE);
    return 0;
}
