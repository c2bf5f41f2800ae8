// CMenu: a menu, reached through its handle. Each member is one menu call.
#pragma once

#include "vaskfc_string.h"
#include "vaskfc_object.h"

class CWnd;

class VASKFC_API CMenu : public CObject {
    DECLARE_DYNCREATE(CMenu)
public:
    CMenu();
    ~CMenu() override;  // destroys an attached menu

    // The attached object of the calling thread, else a temporary one (deleted when the
    // thread is next idle); NULL for a null handle.
    static CMenu* PASCAL FromHandle(HMENU hMenu);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    HMENU GetSafeHmenu() const { return m_hMenu; }
    static HMENU GetSafeHmenu(const CMenu* pMenu) { return pMenu != NULL ? pMenu->m_hMenu : NULL; }
    operator HMENU() const { return m_hMenu; }

    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    // From the resource chain.
    BOOL LoadMenu(LPCSTR lpszResourceName);
    BOOL LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCEA(nIDResource)); }
    BOOL DestroyMenu();

    UINT GetMenuItemCount() const { return (UINT)::GetMenuItemCount(m_hMenu); }
    // The command id at a position; 0 for a separator, (UINT)-1 for a popup.
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
    int GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const {
        return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
    }
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    CMenu* GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
    BOOL GetMenuItemInfo(UINT nIDItem, LPMENUITEMINFOA lpMenuItemInfo, BOOL fByPos = FALSE) {
        return ::GetMenuItemInfoA(m_hMenu, nIDItem, fByPos, lpMenuItemInfo);
    }

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = NULL) {
        return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
    }
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCSTR lpszNewItem = NULL) {
        return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
    }
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCSTR lpszNewItem = NULL) {
        return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
    }
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) {
        return ::RemoveMenu(m_hMenu, nPosition, nFlags);
    }
    BOOL DeleteMenu(UINT nPosition, UINT nFlags) {
        return ::DeleteMenu(m_hMenu, nPosition, nFlags);
    }
    // The previous state (MF_ENABLED, MF_GRAYED, MF_DISABLED), -1 when there is no item.
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
        return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
    }
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
        return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
    }
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags) {
        return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
    }
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE) {
        return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
    }
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = NULL);

    HMENU m_hMenu;
};
