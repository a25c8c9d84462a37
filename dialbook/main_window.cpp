#include "main_window.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CMainWindow, CFrameWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_COMMAND(IDM_OPTIONS_NEW, OnOptionsNew)
ON_COMMAND(IDM_OPTIONS_EXIT, OnOptionsExit)
END_MESSAGE_MAP()

CMainWindow::CMainWindow() {
    Create(nullptr, "Names and Phones", WS_OVERLAPPEDWINDOW, rectDefault, nullptr,
           MAKEINTRESOURCE(IDR_MAINFRAME));
}

int CMainWindow::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, IDC_PHONE_LIST);
    return 0;
}

// The list always covers the whole client area; the frame's own layout has nothing to add.
void CMainWindow::OnSize(UINT, int cx, int cy) {
    m_list.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
}

void CMainWindow::OnOptionsNew() {
    m_list.NewEntry();
}

void CMainWindow::OnOptionsExit() {
    SendMessage(WM_CLOSE, 0, 0);
}
