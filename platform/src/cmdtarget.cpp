// CCmdTarget: message maps and command routing; CCmdUI: the update of one command's item.
#include "internal.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() {}
CCmdTarget::~CCmdTarget() {}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{AfxEntryEnd, 0, 0, 0, 0, NULL, NULL}};
    static const AFX_MSGMAP map = {NULL, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message) const {
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nKind != AfxEntryEnd; ++p) {
            if (p->nKind == AfxEntryWindow && p->nMessage == message) return p;
            // A registered message not registered yet is 0 and matches nothing.
            if (p->nKind == AfxEntryRegistered && message != 0 && *p->pnRegistered == message)
                return p;
        }
    }
    return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // Update requests keep their code whole; other codes carry the message in the high word
    // (0 for WM_COMMAND) and the notification in the low word.
    UINT nMsg = WM_COMMAND;
    UINT code = (UINT)nCode;
    if (code != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(code);
        code = LOWORD(code);
        if (nMsg == 0) nMsg = WM_COMMAND;
    }
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nKind != AfxEntryEnd; ++p) {
            if (p->nKind != AfxEntryCommand || p->nMessage != nMsg || p->nCode != code ||
                nID < p->nID || nID > p->nLastID)
                continue;
            if (pHandlerInfo != NULL) {
                pHandlerInfo->pTarget = this;
                pHandlerInfo->pEntry = p;
                return TRUE;
            }
            AFX_MSGCALL call = {nMsg, 0, 0, 0, nID, nCode, pExtra};
            if (nMsg == WM_COMMAND && code == CN_UPDATE_COMMAND_UI) {
                // The handler may pass the update on to the next target of the route.
                CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
                pCmdUI->m_bContinueRouting = FALSE;
                p->pfn(this, call);
                BOOL bHandled = !pCmdUI->m_bContinueRouting;
                pCmdUI->m_bContinueRouting = FALSE;
                return bHandled;
            }
            return p->pfn(this, call);
        }
    }
    return FALSE;
}

void CCmdTarget::BeginWaitCursor() { AfxGetApp()->DoWaitCursor(1); }
void CCmdTarget::EndWaitCursor() { AfxGetApp()->DoWaitCursor(-1); }
void CCmdTarget::RestoreWaitCursor() { AfxGetApp()->DoWaitCursor(0); }

CWaitCursor::CWaitCursor() { AfxGetApp()->DoWaitCursor(1); }
CWaitCursor::~CWaitCursor() { AfxGetApp()->DoWaitCursor(-1); }
void CWaitCursor::Restore() { AfxGetApp()->DoWaitCursor(0); }

// --- CCmdUI ---------------------------------------------------------------------------

CCmdUI::CCmdUI()
    : m_nID(0),
      m_nIndex(0),
      m_pMenu(NULL),
      m_pSubMenu(NULL),
      m_pParentMenu(NULL),
      m_pOther(NULL),
      m_bEnableChanged(FALSE),
      m_bContinueRouting(FALSE),
      m_nIndexMax(0) {}

void CCmdUI::Enable(BOOL bOn) {
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL) return;  // popups follow their items, not their own update
        m_pMenu->EnableMenuItem(m_nIndex,
                                MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
        // A window that loses its enabled state must not keep the focus.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            HWND hParent = ::GetParent(m_pOther->m_hWnd);
            if (hParent != NULL) ::SendMessageA(hParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL) return;
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
        // Buttons take BM_SETCHECK; other windows ignore it.
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
            m_pOther->SendMessage(BM_SETCHECK, (WPARAM)nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn) {
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL) return;
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_STATE;
        if (!::GetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii)) return;
        if (bOn) {
            mii.fType |= MFT_RADIOCHECK;
            mii.fState |= MFS_CHECKED;
        } else {
            mii.fState &= ~MFS_CHECKED;
        }
        ::SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii);
    } else {
        SetCheck(bOn ? 1 : 0);
    }
}

void CCmdUI::SetText(LPCSTR lpszText) {
    if (lpszText == NULL) lpszText = "";
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL) return;
        // Only the text changes: the item keeps its id and its state.
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_STRING;
        mii.dwTypeData = const_cast<LPSTR>(lpszText);
        ::SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii);
    } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
        CString current;
        m_pOther->GetWindowText(current);
        if (current != lpszText) m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;  // no command
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, NULL);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = {NULL, NULL};
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}
