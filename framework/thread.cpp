#include "thread.h"

namespace {

thread_local CWinThread* t_current_thread = nullptr;

DWORD WINAPI thread_entry(LPVOID parameter) {
    auto* thread = static_cast<CWinThread*>(parameter);
    t_current_thread = thread;
    const UINT exit_code = thread->m_pfnThreadProc(thread->m_pThreadParams);
    t_current_thread = nullptr;
    thread->Delete();
    return exit_code;
}

} // namespace

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
    if (m_hThread)
        CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize,
                              LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    m_hThread = ::CreateThread(lpSecurityAttrs, nStackSize, thread_entry, this, dwCreateFlags,
                               &m_nThreadID);
    return m_hThread != nullptr;
}

int CWinThread::GetThreadPriority() const {
    return ::GetThreadPriority(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int nPriority) {
    return ::SetThreadPriority(m_hThread, nPriority);
}

DWORD CWinThread::ResumeThread() {
    return ::ResumeThread(m_hThread);
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return PostThreadMessageA(m_nThreadID, message, wParam, lParam);
}

void CWinThread::Delete() {
    if (m_bAutoDelete)
        delete this;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    auto* thread = new CWinThread(pfnThreadProc, pParam);
    // Started suspended, so that the priority is set, and the object is complete, before the
    // function runs (and, with auto-delete, before the object can delete itself).
    if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}

void AfxEndThread(UINT nExitCode, BOOL bDelete) {
    CWinThread* thread = t_current_thread;
    t_current_thread = nullptr;
    if (thread && bDelete)
        thread->Delete();
    ExitThread(nExitCode);
}

CWinThread* AfxGetThread() {
    return t_current_thread;
}
