// CMenu: attached menus and the temporary objects of FromHandle.
#include "handlemap.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

void SetMenuHandle(CObject* pObject, void* h) { static_cast<CMenu*>(pObject)->m_hMenu = (HMENU)h; }

CMenu* FindAttached(HMENU hMenu) { return static_cast<CMenu*>(vfc::MenuMap().Owner(hMenu)); }

}  // namespace

CMenu::CMenu() : m_hMenu(NULL) {}

CMenu::~CMenu() {
    if (m_hMenu != NULL && FindAttached(m_hMenu) == this) DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu) {
    return static_cast<CMenu*>(
        vfc::MenuMap().FromHandle(hMenu, RUNTIME_CLASS(CMenu), SetMenuHandle));
}

void PASCAL CMenu::DeleteTempMap() { vfc::MenuMap().DeleteTemp(); }

BOOL CMenu::Attach(HMENU hMenu) {
    if (hMenu == NULL || m_hMenu != NULL || FindAttached(hMenu) != NULL) return FALSE;
    if (!vfc::MenuMap().Claim(hMenu, this)) return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU hMenu = m_hMenu;
    if (hMenu != NULL) vfc::MenuMap().Release(hMenu, this);
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
    CModalLoop loop;
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, CWnd::GetSafeHwnd(pWnd), lpRect);
}
