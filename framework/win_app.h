// CWinApp: the application object. A program defines exactly one, as a static object; the
// framework's WinMain stores the start-up parameters in it, calls InitInstance and runs the
// message loop.
#pragma once

#include "cmd_target.h"
#include "cstring.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
    // A null name means the program's file name without its directory and extension.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCTSTR m_pszAppName = nullptr;
    CWnd* m_pMainWnd = nullptr;
    MSG m_msgCur{};

    virtual BOOL InitInstance();
    // The message loop. While the queue is empty it calls OnIdle with the counts 0, 1, 2, ...
    // until OnIdle returns FALSE, then waits for the next message; every message retrieved
    // starts the count at 0 again. Returns ExitInstance's result once WM_QUIT arrives.
    virtual int Run();
    // Idle-time work; returns TRUE to be called again while the queue stays empty. The base
    // class does its own work at counts 0 and 1 and wants no more calls after that.
    virtual BOOL OnIdle(LONG lCount);
    // Returns the exit code: the wParam of WM_QUIT.
    virtual int ExitInstance();
    // Gives the target window and its parents, and then the main window, a chance to translate
    // the message (accelerators, dialog keys). TRUE means the message is done.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Retrieves one message and dispatches it; FALSE when it was WM_QUIT.
    BOOL PumpMessage();

    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;

    // Sends WM_CLOSE to the main window.
    void OnAppExit();

    // Called by WinMain before InitInstance.
    void SetStartup(HINSTANCE hInstance, LPTSTR lpCmdLine, int nCmdShow);

private:
    CString m_strAppName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// A message box owned by the active window (else the main window), with the application's name as
// its caption.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Registers (once) a window class of the framework with these attributes and returns its name.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                            HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
