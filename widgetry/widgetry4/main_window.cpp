#include "main_window.h"

#include "color_layout.h"

BEGIN_MESSAGE_MAP(CMainWindow, CFrameWnd)
ON_WM_CREATE()
ON_WM_CTLCOLOR()
ON_COMMAND_RANGE(IDC_RED, IDC_BLUE, OnColorButton)
END_MESSAGE_MAP()

CMainWindow::CMainWindow() {
    const LPCTSTR className =
        AfxRegisterWndClass(0, AfxGetApp()->LoadStandardCursor(IDC_ARROW),
                            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1)),
                            AfxGetApp()->LoadStandardIcon(IDI_APPLICATION));
    Create(className, "Widgetry4");
}

int CMainWindow::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CColorLayout layout = CColorLayout::CreateFontAndLayout(this, m_font);
    m_cxChar = layout.m_cxChar;
    m_cyChar = layout.m_cyChar;
    layout.CreateControls(this, m_font, m_wndSampleGroup, m_wndSampleText, m_wndColorGroup,
                          m_wndRed, m_wndGreen, m_wndBlue);
    return 0;
}

HBRUSH CMainWindow::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (pWnd->m_hWnd != m_wndSampleText.m_hWnd)
        return CFrameWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    COLORREF color = RGB(0, 0, 255);
    if (m_wndRed.GetCheck())
        color = RGB(255, 0, 0);
    else if (m_wndGreen.GetCheck())
        color = RGB(0, 255, 0);
    pDC->SetTextColor(color);
    pDC->SetBkColor(::GetSysColor(COLOR_BTNFACE));
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

void CMainWindow::OnColorButton(UINT) {
    m_wndSampleText.Invalidate(TRUE);
}
