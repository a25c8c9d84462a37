#include "main_window.h"

BEGIN_MESSAGE_MAP(CMainWindow, CFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

CMainWindow::CMainWindow() {
    const LPCTSTR className =
        AfxRegisterWndClass(0, AfxGetApp()->LoadStandardCursor(IDC_ARROW),
                            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1)),
                            AfxGetApp()->LoadStandardIcon(IDI_APPLICATION));
    Create(className, "Widgetry2");
}

BOOL CMainWindow::PreTranslateMessage(MSG* pMsg) {
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

int CMainWindow::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    CClientDC dc(this);
    const int nHeight = -((dc.GetDeviceCaps(LOGPIXELSY) * 8) / 72);
    m_font.CreateFont(nHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 0,
                      "MS Sans Serif");
    CFont* pOldFont = dc.SelectObject(&m_font);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    m_cxChar = tm.tmAveCharWidth;
    m_cyChar = tm.tmHeight + tm.tmExternalLeading;
    dc.SelectObject(pOldFont);

    const int cx = m_cxChar;
    const int cy = m_cyChar;
    const DWORD dwEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;

    m_wndLabel1.Create("&Standard edit control", WS_CHILD | WS_VISIBLE,
                       CRect(cx * 2, cy + cy / 2, cx * 24, (cy * 11) / 4), this, 0xFFFF);
    m_wndEdit.CreateEx(WS_EX_CLIENTEDGE, "edit", nullptr, dwEditStyle, cx * 25, cy, cx * 25,
                       (cy * 11) / 4 - cy, m_hWnd,
                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_EDIT)));
    m_wndLabel2.Create("&Numeric edit control", WS_CHILD | WS_VISIBLE,
                       CRect(cx * 2, cy / 2 + cy * 4, cx * 24, (cy * 23) / 4), this, 0xFFFF);
    m_wndNumEdit.CreateEx(WS_EX_CLIENTEDGE, "edit", nullptr, dwEditStyle, cx * 25, cy * 4, cx * 25,
                          (cy * 23) / 4 - cy * 4, m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_NUMEDIT)));

    for (CWnd* pControl : {static_cast<CWnd*>(&m_wndLabel1), static_cast<CWnd*>(&m_wndEdit),
                           static_cast<CWnd*>(&m_wndLabel2), static_cast<CWnd*>(&m_wndNumEdit)})
        pControl->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), FALSE);
    return 0;
}
