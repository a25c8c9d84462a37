// The installer's process-wide state, shared by the start-up sequence, its dialogs and the
// copying thread.
#pragma once

#include "config_line.h"
#include "cstring.h"

#include <atomic>

// Posted by the copying thread to the progress dialog when it has finished.
#define WM_COPYDONE (WM_USER + 5)

extern CConfigLineArray g_iniLines;
extern CConfigLineArray g_textLines;

extern CString g_strDefaultDir;
extern CString g_strInstallDir;

extern BOOL g_bConfigLoaded;
extern BOOL g_bCompressed;
extern BOOL g_bUnderscores;

// Written by the copying thread only while it runs; read by the interface thread after
// WM_COPYDONE.
extern BOOL g_bYesToAll;
extern BOOL g_bCopyFailed;
// Set by either thread, only ever from false to true.
extern std::atomic<bool> g_bCancelled;

// Auto-reset, lets the copying thread begin.
extern HANDLE g_startEvent;
// Manual-reset: once raised it stays raised, so every level of the recursive copy sees it.
extern HANDLE g_cancelEvent;

extern HWND g_hwndMain;
extern HWND g_hwndProgress;
extern int g_cxTargetField;

// Entry n (from 1) of Setup.ini or Setup.txt; the empty text for an entry the file lacks.
CString IniEntry(int nEntry);
CString TextEntry(int nEntry);
