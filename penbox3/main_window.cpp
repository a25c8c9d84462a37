#include "main_window.h"

#include "gallery_view.h"

BEGIN_MESSAGE_MAP(CMainWindow, CFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

CMainWindow::CMainWindow() {
    Create(nullptr, "Penbox3", WS_OVERLAPPEDWINDOW, rectDefault, nullptr, nullptr);
}

int CMainWindow::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The view deletes itself when its window is destroyed; only a view whose window never
    // came to exist is deleted here.
    auto* pView = new CGalleryView;
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                       AFX_IDW_PANE_FIRST, nullptr))
        delete pView;
    return 0;
}
