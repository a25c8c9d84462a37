#include "sample_app.h"

#include "main_window.h"

CSampleApp theApp;

BOOL CSampleApp::InitInstance() {
    m_pMainWnd = new CMainWindow;
    m_pMainWnd->ShowWindow(m_nCmdShow);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

BOOL CSampleApp::OnIdle(LONG lCount) {
    CWinApp::OnIdle(lCount);
    if (lCount < 2)
        return TRUE;

    auto* pWnd = static_cast<CMainWindow*>(m_pMainWnd);
    if (pWnd && !pWnd->IsCursorInWindow()) {
        pWnd->DrawCoordinates(nullptr);
        return FALSE;
    }
    return pWnd != nullptr;
}
