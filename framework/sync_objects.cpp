#include "sync_objects.h"

CSyncObject::~CSyncObject() {
    if (m_hObject)
        CloseHandle(m_hObject);
}

BOOL CSyncObject::Lock(DWORD dwTimeout) {
    return WaitForSingleObject(m_hObject, dwTimeout) == WAIT_OBJECT_0;
}

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCTSTR lpszName,
               LPSECURITY_ATTRIBUTES lpsaAttribute) {
    m_hObject = CreateEventA(lpsaAttribute, bManualReset, bInitiallyOwn, lpszName);
}

BOOL CEvent::SetEvent() {
    return ::SetEvent(m_hObject);
}

BOOL CEvent::ResetEvent() {
    return ::ResetEvent(m_hObject);
}

CCriticalSection::CCriticalSection() {
    InitializeCriticalSection(&m_sect);
}

CCriticalSection::~CCriticalSection() {
    DeleteCriticalSection(&m_sect);
}

BOOL CCriticalSection::Lock() {
    EnterCriticalSection(&m_sect);
    return TRUE;
}

BOOL CCriticalSection::Lock(DWORD) {
    return Lock();
}

BOOL CCriticalSection::Unlock() {
    LeaveCriticalSection(&m_sect);
    return TRUE;
}

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock) : m_pObject(pObject) {
    if (bInitialLock)
        Lock();
}

CSingleLock::~CSingleLock() {
    Unlock();
}

BOOL CSingleLock::Lock(DWORD dwTimeout) {
    if (!m_bAcquired)
        m_bAcquired = m_pObject->Lock(dwTimeout);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock() {
    if (m_bAcquired)
        m_bAcquired = !m_pObject->Unlock();
    return !m_bAcquired;
}
