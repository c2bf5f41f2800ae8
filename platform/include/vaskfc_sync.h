// Synchronisation objects over the Win32 ones, and CSingleLock, which holds one of them for
// a scope.
#pragma once

#include "vaskfc_object.h"

class VASKFC_API CSyncObject : public CObject {
    DECLARE_DYNAMIC(CSyncObject)
public:
    explicit CSyncObject(LPCSTR pstrName);
    ~CSyncObject() override;

    operator HANDLE() const { return m_hObject; }

    // TRUE when the object was acquired within the time-out (ms; INFINITE waits for ever).
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = NULL);

    HANDLE m_hObject;
};

class VASKFC_API CSemaphore : public CSyncObject {
    DECLARE_DYNAMIC(CSemaphore)
public:
    CSemaphore(LONG lInitialCount = 1, LONG lMaxCount = 1, LPCSTR pstrName = NULL,
               LPSECURITY_ATTRIBUTES lpsaAttributes = NULL);
    ~CSemaphore() override;

    BOOL Unlock() override;
    BOOL Unlock(LONG lCount, LPLONG lpPrevCount = NULL) override;
};

class VASKFC_API CEvent : public CSyncObject {
    DECLARE_DYNAMIC(CEvent)
public:
    CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCSTR lpszName = NULL,
           LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    ~CEvent() override;

    BOOL SetEvent();
    BOOL PulseEvent();
    BOOL ResetEvent();
    BOOL Unlock() override;
};

// A critical section. Lock with a time-out of 0 only tries; another finite time-out keeps
// trying until it has passed.
class VASKFC_API CCriticalSection : public CSyncObject {
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    ~CCriticalSection() override;

    operator CRITICAL_SECTION*() { return &m_sect; }

    BOOL Lock(DWORD dwTimeout = INFINITE) override;
    BOOL Unlock() override;

    CRITICAL_SECTION m_sect;
};

class VASKFC_API CSingleLock {
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    // Acquires the object unless this lock already holds it.
    BOOL Lock(DWORD dwTimeout = INFINITE);
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lpPrevCount = NULL);
    BOOL IsLocked() const { return m_bAcquired; }

protected:
    CSyncObject* m_pObject;
    HANDLE m_hObject;
    BOOL m_bAcquired;
};
