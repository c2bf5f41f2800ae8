// CMenu: attached menus and the temporary objects of FromHandle.
#include "internal.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

// Menus with an attached object, of every thread.
SRWLOCK g_menuLock = SRWLOCK_INIT;
std::unordered_map<HMENU, CMenu*>* g_pMenus = NULL;

CMenu* FindAttached(HMENU hMenu) {
    CMenu* pMenu = NULL;
    AcquireSRWLockShared(&g_menuLock);
    if (g_pMenus != NULL) {
        auto it = g_pMenus->find(hMenu);
        if (it != g_pMenus->end()) pMenu = it->second;
    }
    ReleaseSRWLockShared(&g_menuLock);
    return pMenu;
}

}  // namespace

CMenu::CMenu() : m_hMenu(NULL) {}

CMenu::~CMenu() {
    if (m_hMenu != NULL && FindAttached(m_hMenu) == this) DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu) {
    if (hMenu == NULL) return NULL;
    CMenu* pMenu = FindAttached(hMenu);
    if (pMenu != NULL) return pMenu;
    vfc::ThreadState* ts = vfc::GetThreadState();
    pMenu = ts->tempMenus.Find(hMenu);
    if (pMenu == NULL) {
        pMenu = new CMenu;
        pMenu->m_hMenu = hMenu;  // not attached: the temporary object destroys nothing
        ts->tempMenus.Add(hMenu, pMenu);
    }
    return pMenu;
}

void PASCAL CMenu::DeleteTempMap() {
    vfc::ThreadState* ts = static_cast<vfc::ThreadState*>(TlsGetValue(vfc::g_tlsWindows));
    if (ts != NULL) ts->tempMenus.Clear();
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (hMenu == NULL || m_hMenu != NULL) return FALSE;
    AcquireSRWLockExclusive(&g_menuLock);
    if (g_pMenus == NULL) g_pMenus = new std::unordered_map<HMENU, CMenu*>;
    BOOL bAdded = g_pMenus->emplace(hMenu, this).second;
    ReleaseSRWLockExclusive(&g_menuLock);
    if (!bAdded) return FALSE;
    vfc::GetThreadState()->tempMenus.Forget(hMenu);
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU hMenu = m_hMenu;
    if (hMenu == NULL) return NULL;
    AcquireSRWLockExclusive(&g_menuLock);
    if (g_pMenus != NULL) {
        auto it = g_pMenus->find(hMenu);
        if (it != g_pMenus->end() && it->second == this) g_pMenus->erase(it);
    }
    ReleaseSRWLockExclusive(&g_menuLock);
    m_hMenu = NULL;
    return hMenu;
}

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_MENU);
    return Attach(::LoadMenuA(hInst, lpszResourceName));
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == NULL) return FALSE;
    BOOL bAttached = FindAttached(m_hMenu) == this;
    HMENU hMenu = bAttached ? Detach() : m_hMenu;
    m_hMenu = NULL;
    return ::DestroyMenu(hMenu);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
    int nLen = ::GetMenuStringA(m_hMenu, nIDItem, NULL, 0, nFlags);
    if (nLen <= 0) {
        rString.Empty();
        return 0;
    }
    int n = ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBuffer(nLen), nLen + 1, nFlags);
    rString.ReleaseBuffer(n);
    return n;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, CWnd::GetSafeHwnd(pWnd), lpRect);
}
