#include "main_window.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CMainWindow, CFrameWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_COMMAND(IDM_OPTIONS_DISABLE, OnOptionsDisable)
ON_COMMAND(IDM_OPTIONS_EXIT, OnOptionsExit)
ON_UPDATE_COMMAND_UI(IDM_OPTIONS_DISABLE, OnUpdateOptionsDisable)
END_MESSAGE_MAP()

CMainWindow::CMainWindow() {
    const LPCTSTR className =
        AfxRegisterWndClass(0, AfxGetApp()->LoadStandardCursor(IDC_ARROW),
                            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1)),
                            AfxGetApp()->LoadStandardIcon(IDI_APPLICATION));
    Create(className, "Widgetry3", WS_OVERLAPPEDWINDOW, rectDefault, nullptr,
           MAKEINTRESOURCE(IDR_MAINFRAME));
}

int CMainWindow::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    m_wndBitmapButton.Create("Check", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(16, 16, 88, 56),
                             this, IDC_BITMAPBUTTON);
    m_wndBitmapButton.LoadBitmaps("CheckU", "CheckD", "CheckF", "CheckX");

    m_hBitmap = ::LoadBitmapA(AfxGetResourceHandle(), "Check");
    m_wndBSBitmap.Create("", WS_CHILD | WS_VISIBLE | BS_BITMAP, CRect(120, 16, 192, 56), this,
                         IDC_BSBITMAP);
    m_wndBSBitmap.SetBitmap(m_hBitmap);

    m_wndBSIcon.Create("", WS_CHILD | WS_VISIBLE | BS_ICON, CRect(224, 16, 296, 56), this,
                       IDC_BSICON);
    m_wndBSIcon.SetIcon(AfxGetApp()->LoadIcon("Check"));

    m_wndLabel1.Create("CBitmapButton", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(8, 72, 96, 100),
                       this);
    m_wndLabel2.Create("BS_BITMAP", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(112, 72, 200, 100),
                       this);
    m_wndLabel3.Create("BS_ICON", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(216, 72, 304, 100),
                       this);

    CClientDC dc(this);
    const int height = -((dc.GetDeviceCaps(LOGPIXELSY) * 8) / 72);
    m_font.CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 0,
                      "MS Sans Serif");
    for (CStatic* label : {&m_wndLabel1, &m_wndLabel2, &m_wndLabel3})
        label->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), FALSE);
    return 0;
}

void CMainWindow::OnDestroy() {
    CFrameWnd::OnDestroy();
    ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
}

void CMainWindow::OnOptionsDisable() {
    const BOOL enable = !m_wndBitmapButton.IsWindowEnabled();
    m_wndBitmapButton.EnableWindow(enable);
    m_wndBSBitmap.EnableWindow(enable);
    m_wndBSIcon.EnableWindow(enable);
}

void CMainWindow::OnOptionsExit() {
    SendMessage(WM_CLOSE, 0, 0);
}

void CMainWindow::OnUpdateOptionsDisable(CCmdUI* pCmdUI) {
    pCmdUI->SetText(m_wndBitmapButton.IsWindowEnabled() ? "&Disable Buttons" : "&Enable Buttons");
}
