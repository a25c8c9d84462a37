#include "main_window.h"

#include "banner_painting.h"
#include "resource.h"

#include <memory>

BEGIN_MESSAGE_MAP(CMainWindow, CFrameWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_COMMAND(IDM_OPTIONS_EXIT, OnOptionsExit)
ON_COMMAND(IDM_OPTIONS_ABOUT, OnOptionsAbout)
END_MESSAGE_MAP()

CMainWindow::CMainWindow() {
    Create(nullptr, "Panelry1", WS_OVERLAPPEDWINDOW, rectDefault, nullptr,
           MAKEINTRESOURCE(IDR_MAINFRAME));
}

// The gradient drawn with one horizontal line per row, in 64 pens of falling blue.
BOOL CMainWindow::OnEraseBkgnd(CDC* pDC) {
    CRect rect;
    GetClientRect(&rect);

    std::unique_ptr<CPen> pens[BANNER_GRADIENT_STEPS];
    for (int k = 0; k < BANNER_GRADIENT_STEPS; k++)
        pens[k] = std::make_unique<CPen>(PS_SOLID, 1, BannerGradientColor(BANNER_BLUE, k));

    const int nWidth = rect.Width();
    const int nHeight = rect.Height();
    for (int y = 0; y < nHeight; y++) {
        pDC->SelectObject(pens[BannerGradientIndex(y, nHeight)].get());
        pDC->MoveTo(0, y);
        pDC->LineTo(nWidth, y);
    }
    pDC->SelectStockObject(BLACK_PEN);
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
    CDialog dlg(IDD_ABOUTDLG, this);
    dlg.DoModal();
}
