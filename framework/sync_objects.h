// CSyncObject, CEvent, CCriticalSection and CSingleLock: the framework's synchronisation
// objects over kernel events and critical sections.
#pragma once

#include <windows.h>

#include "cstring.h"
#include "object.h"

class CSyncObject : public CObject {
public:
    ~CSyncObject() override;

    operator HANDLE() const { return m_hObject; }
    // Waits until the object is signalled or the time-out passes; TRUE when signalled.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;

    HANDLE m_hObject = nullptr;
};

class CEvent : public CSyncObject {
public:
    // An unnamed automatic-reset event unless asked otherwise.
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE,
                    LPCTSTR lpszName = nullptr, LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);

    BOOL SetEvent();
    BOOL ResetEvent();
    BOOL Unlock() override { return TRUE; }
};

class CCriticalSection : public CSyncObject {
public:
    CCriticalSection();
    ~CCriticalSection() override;

    operator CRITICAL_SECTION*() { return &m_sect; }
    BOOL Lock();
    // A critical section has no time-out: any time-out waits as long as it takes.
    BOOL Lock(DWORD dwTimeout) override;
    BOOL Unlock() override;

    CRITICAL_SECTION m_sect;
};

// Locks one synchronisation object for the life of a scope.
class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD dwTimeout = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_bAcquired; }

private:
    CSyncObject* m_pObject;
    BOOL m_bAcquired = FALSE;
};
