// CObject, runtime-class records and the process-wide register of serialisable classes.
#include "internal.h"

#include <string.h>

namespace {

// Serialisable classes of every loaded module, linked through their AFX_CLASSINIT records.
// The lock is statically initialised, so modules may register during their start-up.
SRWLOCK g_classLock = SRWLOCK_INIT;
AFX_CLASSINIT* g_pFirstClass = NULL;

}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, NULL, NULL};

CObject::CObject() {}
CObject::~CObject() {}
CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }
CRuntimeClass* CObject::GetThisClass() { return RUNTIME_CLASS(CObject); }
void CObject::Serialize(CArchive&) {}
void CObject::AssertValid() const {}
void CObject::Dump(CDumpContext&) const {}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

CObject* CRuntimeClass::CreateObject() const {
    if (m_pfnCreateObject == NULL) return NULL;
    try {
        return m_pfnCreateObject();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {}
    return NULL;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    if (pBaseClass == NULL) return FALSE;
    for (const CRuntimeClass* p = this; p != NULL;
         p = p->m_pfnGetBaseClass ? p->m_pfnGetBaseClass() : NULL) {
        if (p == pBaseClass) return TRUE;
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
    if (lpszClassName == NULL) return NULL;
    CRuntimeClass* pFound = NULL;
    AcquireSRWLockShared(&g_classLock);
    for (AFX_CLASSINIT* p = g_pFirstClass; p != NULL; p = p->m_pNext) {
        if (strcmp(p->m_pClass->m_lpszClassName, lpszClassName) == 0) {
            pFound = p->m_pClass;
            break;
        }
    }
    ReleaseSRWLockShared(&g_classLock);
    return pFound;
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
    : m_pClass(pNewClass), m_pNext(NULL), m_pPrev(NULL) {
    AcquireSRWLockExclusive(&g_classLock);
    m_pNext = g_pFirstClass;
    if (m_pNext) m_pNext->m_pPrev = this;
    g_pFirstClass = this;
    ReleaseSRWLockExclusive(&g_classLock);
}

// A module that is unloaded takes its classes out of the register.
AFX_CLASSINIT::~AFX_CLASSINIT() {
    AcquireSRWLockExclusive(&g_classLock);
    if (m_pPrev)
        m_pPrev->m_pNext = m_pNext;
    else
        g_pFirstClass = m_pNext;
    if (m_pNext) m_pNext->m_pPrev = m_pPrev;
    ReleaseSRWLockExclusive(&g_classLock);
}
