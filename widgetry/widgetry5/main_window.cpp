#include "main_window.h"

#include "color_layout.h"

BEGIN_MESSAGE_MAP(CMainWindow, CFrameWnd)
ON_WM_CREATE()
ON_BN_CLICKED(IDC_RED, OnRed)
ON_BN_CLICKED(IDC_GREEN, OnGreen)
ON_BN_CLICKED(IDC_BLUE, OnBlue)
END_MESSAGE_MAP()

CMainWindow::CMainWindow() {
    const LPCTSTR className =
        AfxRegisterWndClass(0, AfxGetApp()->LoadStandardCursor(IDC_ARROW),
                            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1)),
                            AfxGetApp()->LoadStandardIcon(IDI_APPLICATION));
    Create(className, "Widgetry5");
}

int CMainWindow::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CColorLayout layout = CColorLayout::CreateFontAndLayout(this, m_font);
    m_cxChar = layout.m_cxChar;
    m_cyChar = layout.m_cyChar;
    layout.CreateControls(this, m_font, m_wndSampleGroup, m_wndSampleText, m_wndColorGroup,
                          m_wndRed, m_wndGreen, m_wndBlue);
    m_wndSampleText.SetTextColor(RGB(255, 0, 0));
    return 0;
}

void CMainWindow::OnRed() {
    m_wndSampleText.SetTextColor(RGB(255, 0, 0));
}

void CMainWindow::OnGreen() {
    m_wndSampleText.SetTextColor(RGB(0, 255, 0));
}

void CMainWindow::OnBlue() {
    m_wndSampleText.SetTextColor(RGB(0, 0, 255));
}
