// Synchronisation objects.
#include "internal.h"

IMPLEMENT_DYNAMIC(CSyncObject, CObject)
IMPLEMENT_DYNAMIC(CSemaphore, CSyncObject)
IMPLEMENT_DYNAMIC(CEvent, CSyncObject)
IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)

CSyncObject::CSyncObject(LPCSTR) : m_hObject(NULL) {}

CSyncObject::~CSyncObject() {
    if (m_hObject != NULL) CloseHandle(m_hObject);
}

BOOL CSyncObject::Lock(DWORD dwTimeout) {
    return WaitForSingleObject(m_hObject, dwTimeout) == WAIT_OBJECT_0;
}

BOOL CSyncObject::Unlock(LONG, LPLONG) { return TRUE; }

CSemaphore::CSemaphore(LONG lInitialCount, LONG lMaxCount, LPCSTR pstrName,
                       LPSECURITY_ATTRIBUTES lpsa)
    : CSyncObject(pstrName) {
    m_hObject = CreateSemaphoreA(lpsa, lInitialCount, lMaxCount, pstrName);
    if (m_hObject == NULL) AfxThrowMemoryException();
}

CSemaphore::~CSemaphore() {}

BOOL CSemaphore::Unlock() { return Unlock(1, NULL); }

BOOL CSemaphore::Unlock(LONG lCount, LPLONG lpPrevCount) {
    return ReleaseSemaphore(m_hObject, lCount, lpPrevCount);
}

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCSTR lpszName, LPSECURITY_ATTRIBUTES lpsa)
    : CSyncObject(lpszName) {
    m_hObject = CreateEventA(lpsa, bManualReset, bInitiallyOwn, lpszName);
    if (m_hObject == NULL) AfxThrowMemoryException();
}

CEvent::~CEvent() {}

BOOL CEvent::SetEvent() { return ::SetEvent(m_hObject); }
BOOL CEvent::PulseEvent() { return ::PulseEvent(m_hObject); }
BOOL CEvent::ResetEvent() { return ::ResetEvent(m_hObject); }
BOOL CEvent::Unlock() { return TRUE; }

CCriticalSection::CCriticalSection() : CSyncObject(NULL) { InitializeCriticalSection(&m_sect); }

CCriticalSection::~CCriticalSection() { DeleteCriticalSection(&m_sect); }

BOOL CCriticalSection::Lock(DWORD dwTimeout) {
    if (dwTimeout == INFINITE) {
        EnterCriticalSection(&m_sect);
        return TRUE;
    }
    DWORD start = GetTickCount();
    for (;;) {
        if (TryEnterCriticalSection(&m_sect)) return TRUE;
        if (GetTickCount() - start >= dwTimeout) return FALSE;
        Sleep(1);
    }
}

BOOL CCriticalSection::Unlock() {
    LeaveCriticalSection(&m_sect);
    return TRUE;
}

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock)
    : m_pObject(pObject), m_hObject(pObject ? pObject->m_hObject : NULL), m_bAcquired(FALSE) {
    if (bInitialLock) Lock();
}

CSingleLock::~CSingleLock() { Unlock(); }

BOOL CSingleLock::Lock(DWORD dwTimeout) {
    if (m_pObject == NULL) return FALSE;
    if (!m_bAcquired) m_bAcquired = m_pObject->Lock(dwTimeout);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock() {
    if (m_pObject != NULL && m_bAcquired) m_bAcquired = !m_pObject->Unlock();
    return !m_bAcquired;
}

BOOL CSingleLock::Unlock(LONG lCount, LPLONG lpPrevCount) {
    if (m_pObject != NULL && m_bAcquired) m_bAcquired = !m_pObject->Unlock(lCount, lpPrevCount);
    return !m_bAcquired;
}
