#include "setup_app.h"

#include "backdrop_window.h"
#include "config_file.h"
#include "config_line.h"
#include "copy_worker.h"
#include "ini_validation.h"
#include "resource.h"
#include "setup_globals.h"

#include <objbase.h>

CSetupApp theApp;

namespace {
void ShowStopMessage(LPCSTR lpszText) {
    AfxMessageBox(lpszText, MB_OK | MB_ICONSTOP);
}
} // namespace

CSetupApp::CSetupApp() : m_locationDialog(&m_progressDialog) {}

BOOL CSetupApp::LoadConfigFile(LPCSTR lpszName, int nKind, LPCSTR lpszMissingMessage,
                               LPCSTR lpszUnopenableMessage) {
    CString strText;
    switch (ReadConfigFile(lpszName, strText)) {
    case kConfigRead:
        ParseLines(nKind, strText);
        return TRUE;
    case kConfigMissing:
        g_bConfigLoaded = FALSE;
        AfxMessageBox(lpszMissingMessage, MB_OK);
        return FALSE;
    case kConfigUnopenable:
        break;
    }
    g_bConfigLoaded = FALSE;
    AfxMessageBox(lpszUnopenableMessage, MB_OK);
    return FALSE;
}

BOOL CSetupApp::InitInstance() {
    g_bConfigLoaded = TRUE;
    if (!LoadConfigFile("Setup.ini", kIniFile, "Can't find SETUP.INI.", "Can't open SETUP.INI."))
        return FALSE;
    ValidateIni(ShowStopMessage);
    g_strDefaultDir = IniEntry(2);
    g_strInstallDir = g_strDefaultDir;
    if (!LoadConfigFile("Setup.txt", kTextFile, "Can't find SETUP.TXT.", "Can't open SETUP.TXT."))
        return FALSE;

    m_pMainWnd = new CBackdropWindow;
    m_pMainWnd->ShowWindow(m_nCmdShow);
    m_pMainWnd->UpdateWindow();
    ::CoInitialize(nullptr);
    g_hwndMain = m_pMainWnd->m_hWnd;
    CreateCopyEvents();

    m_welcomeDialog.DoModal();
    // The backdrop may have been closed while the welcome dialog was up; the loop then ends.
    if (::IsWindow(g_hwndMain))
        m_locationDialog.Create(IDD_LOCATION, m_pMainWnd);
    return TRUE;
}

int CSetupApp::ExitInstance() {
    FreeConfigLines(g_iniLines);
    FreeConfigLines(g_textLines);
    CloseCopyEvents();
    return 1;
}
