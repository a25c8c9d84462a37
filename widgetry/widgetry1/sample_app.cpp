#include "sample_app.h"

#include "main_window.h"

CSampleApp theApp;

BOOL CSampleApp::InitInstance() {
    m_pMainWnd = new CMainWindow;
    m_pMainWnd->ShowWindow(m_nCmdShow);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}
