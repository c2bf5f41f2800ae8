// The current resource handle (per thread) and the resource chain of extension libraries.
#include "internal.h"

#include <vector>

namespace {

SRWLOCK g_chainLock = SRWLOCK_INIT;
CDynLinkLibrary* g_pFirstLibrary = NULL;

// The modules in search order: the thread's current resource handle, the extension
// libraries (the last one loaded first), then the program's own module. Copied out so that
// no lock is held while the loader looks into the modules.
std::vector<HINSTANCE> SearchOrder() {
    std::vector<HINSTANCE> modules;
    modules.push_back(AfxGetResourceHandle());
    AcquireSRWLockShared(&g_chainLock);
    for (CDynLinkLibrary* p = g_pFirstLibrary; p != NULL; p = p->m_pNextDLL)
        modules.push_back(p->m_hResource);
    ReleaseSRWLockShared(&g_chainLock);
    modules.push_back(AfxGetInstanceHandle());
    return modules;
}

void Link(CDynLinkLibrary* pLibrary) {
    AcquireSRWLockExclusive(&g_chainLock);
    pLibrary->m_pNextDLL = g_pFirstLibrary;
    g_pFirstLibrary = pLibrary;
    ReleaseSRWLockExclusive(&g_chainLock);
}

void Unlink(CDynLinkLibrary* pLibrary) {
    AcquireSRWLockExclusive(&g_chainLock);
    for (CDynLinkLibrary** pp = &g_pFirstLibrary; *pp != NULL; pp = &(*pp)->m_pNextDLL) {
        if (*pp == pLibrary) {
            *pp = pLibrary->m_pNextDLL;
            break;
        }
    }
    ReleaseSRWLockExclusive(&g_chainLock);
}

}  // namespace

HINSTANCE AFXAPI AfxGetResourceHandle() {
    HINSTANCE h = NULL;
    if (vfc::g_tlsResource != TLS_OUT_OF_INDEXES) h = (HINSTANCE)TlsGetValue(vfc::g_tlsResource);
    return h != NULL ? h : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) {
    if (vfc::g_tlsResource != TLS_OUT_OF_INDEXES) TlsSetValue(vfc::g_tlsResource, hInstResource);
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType) {
    for (HINSTANCE h : SearchOrder())
        if (h != NULL && FindResourceA(h, lpszName, lpszType) != NULL) return h;
    return AfxGetResourceHandle();
}

int AFXAPI AfxLoadString(UINT nID, CString& rString) {
    for (HINSTANCE h : SearchOrder())
        if (h != NULL && rString.LoadString(h, nID)) return rString.GetLength();
    rString.Empty();
    return 0;
}

int AFXAPI AfxLoadString(UINT nID, LPSTR lpszBuf, UINT nMaxBuf) {
    if (lpszBuf == NULL || nMaxBuf == 0) return 0;
    CString text;
    AfxLoadString(nID, text);
    lstrcpynA(lpszBuf, text, (int)nMaxBuf);
    return lstrlenA(lpszBuf);
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL) {
    if (!state.bInitialized) return;
    for (;;) {
        CDynLinkLibrary* pFound = NULL;
        AcquireSRWLockShared(&g_chainLock);
        for (CDynLinkLibrary* p = g_pFirstLibrary; p != NULL; p = p->m_pNextDLL)
            if (p->m_hModule == state.hModule) {
                pFound = p;
                break;
            }
        ReleaseSRWLockShared(&g_chainLock);
        if (pFound == NULL) break;
        delete pFound;  // unlinks itself
    }
    state.bInitialized = FALSE;
}

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_pNextDLL(NULL) {
    Link(this);
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_pNextDLL(NULL) {
    Link(this);
}

CDynLinkLibrary::~CDynLinkLibrary() { Unlink(this); }

HINSTANCE AFXAPI AfxGetInstanceHandle() {
    CWinApp* pApp = vfc::CurrentApp();
    return pApp != NULL && pApp->m_hInstance != NULL ? pApp->m_hInstance : GetModuleHandleA(NULL);
}
