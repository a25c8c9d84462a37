// CWinThread and AfxBeginThread: worker threads that run a function with one argument.
#pragma once

#include <windows.h>

#include "cmd_target.h"

class CWnd;

typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
public:
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Starts the thread (suspended with CREATE_SUSPENDED); FALSE when it could not start.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

    operator HANDLE() const { return m_hThread; }
    int GetThreadPriority() const;
    BOOL SetThreadPriority(int nPriority);
    DWORD ResumeThread();
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Deletes the object when m_bAutoDelete is set; called when the thread has ended.
    virtual void Delete();

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    // Set by default: the object deletes itself, closing its handle, when the thread ends.
    BOOL m_bAutoDelete = TRUE;
    CWnd* m_pMainWnd = nullptr;
    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
};

// Starts a worker thread running pfnThreadProc(pParam) with the given priority. Returns the
// thread object, or null when the thread could not start.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

// Ends the calling worker thread with an exit code, deleting its thread object when bDelete
// is set (and the object deletes itself).
[[noreturn]] void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);

// The thread object of the calling worker thread, or null on other threads.
CWinThread* AfxGetThread();
