#include "setup_globals.h"

CConfigLineArray g_iniLines;
CConfigLineArray g_textLines;

CString g_strDefaultDir;
CString g_strInstallDir;

BOOL g_bConfigLoaded = FALSE;
BOOL g_bCompressed = FALSE;
BOOL g_bUnderscores = FALSE;
BOOL g_bYesToAll = FALSE;
BOOL g_bCopyFailed = FALSE;
std::atomic<bool> g_bCancelled = false;

HANDLE g_startEvent = nullptr;
HANDLE g_cancelEvent = nullptr;

HWND g_hwndMain = nullptr;
HWND g_hwndProgress = nullptr;
int g_cxTargetField = 0;

CString IniEntry(int nEntry) {
    return GetConfigEntry(g_iniLines, nEntry);
}

CString TextEntry(int nEntry) {
    return GetConfigEntry(g_textLines, nEntry);
}
