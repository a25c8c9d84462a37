// CWinApp: the application object. A program defines exactly one, as a static object; the
// framework's WinMain stores the start-up parameters in it, calls InitInstance and runs the
// message loop.
#pragma once

#include "cmd_target.h"
#include "cstring.h"
#include "position.h"

#include <vector>

class CCmdUI;
class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CRecentFileList;
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
    // Saves the recent-file list; returns the exit code: the wParam of WM_QUIT.
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

    // The Exit command (ID_APP_EXIT): sends WM_CLOSE to the main window.
    afx_msg void OnAppExit();

    // Documents. The application owns its templates and deletes them with itself.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    // Opens the file with the template that suits it best (a document already open on the
    // file is just shown); null when it could not be opened.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    // Asks for a file name in an Open (bOpenFileDialog) or Save As dialog with the templates'
    // filters; FALSE when the user cancelled. fileName is the suggestion and the answer.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                  BOOL bOpenFileDialog, CDocTemplate* pTemplate);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);

    // The standard file commands; a program maps New and Open to them in its message map.
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    // The recent-file entries (ID_FILE_MRU_FILE1 and following), mapped by the application.
    afx_msg void OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    // Settings: kept in the registry under HKEY_CURRENT_USER\Software\<key>\<application
    // name>\<section> once SetRegistryKey has named the key; without a key nothing is kept.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // Reads the recent-file list, of nMaxMRU entries (none when 0).
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    // A null entry deletes the section, a null value the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // The application's key and a section's key, created when missing; the caller closes them.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);

    // Registers each template's document type with the shell under HKEY_CLASSES_ROOT: the
    // file-type identifier with its name, icon and open command (with bCompat also print
    // commands), and the extension as that type unless another type already owns it.
    void RegisterShellFileTypes(BOOL bCompat = FALSE);

    // The command line: ParseCommandLine hands each parameter to rCmdInfo; ProcessShellCommand
    // does what it asks (a new document, or the named file opened). FALSE when that failed.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;

    // Called by WinMain before InitInstance.
    void SetStartup(HINSTANCE hInstance, LPTSTR lpCmdLine, int nCmdShow);

private:
    CString m_strAppName;
    CString m_strRegistryKey;
    CString m_strProfileName;
    std::vector<CDocTemplate*> m_templateList;

    DECLARE_MESSAGE_MAP()
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
