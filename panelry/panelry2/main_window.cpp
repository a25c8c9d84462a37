#include "main_window.h"

#include "about_dialog.h"
#include "banner_painting.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CMainWindow, CFrameWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_COMMAND(IDM_OPTIONS_EXIT, OnOptionsExit)
ON_COMMAND(IDM_OPTIONS_ABOUT, OnOptionsAbout)
END_MESSAGE_MAP()

CMainWindow::CMainWindow() {
    Create(nullptr, "Panelry2", WS_OVERLAPPEDWINDOW, rectDefault, nullptr,
           MAKEINTRESOURCE(IDR_MAINFRAME));
}

BOOL CMainWindow::OnEraseBkgnd(CDC* pDC) {
    CRect rect;
    GetClientRect(&rect);
    PaintGradientFill(pDC, rect, BANNER_BLUE);
    return TRUE;
}

void CMainWindow::OnPaint() {
    CRect rect;
    GetClientRect(&rect);
    CPaintDC dc(this);
    PaintBannerText(&dc, rect, "Hello, MFC", 72, TRUE, TRUE);
}

void CMainWindow::OnOptionsExit() {
    SendMessage(WM_CLOSE, 0, 0);
}

void CMainWindow::OnOptionsAbout() {
    CAboutDialog dlg(this);
    dlg.DoModal();
}
