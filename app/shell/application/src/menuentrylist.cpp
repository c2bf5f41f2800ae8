// The menu entry list.
#include "menuentrylist.h"

namespace {

const char kItem[] = "Item";
const char kExecutable[] = "Executable";
const char kParameter[] = "Parameter";

}  // namespace

CMenuEntryList::CMenuEntryList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszKeyFormat, int nSize)
    : m_nSize(nSize > 0 ? nSize : 1),
      m_arrExecutables(NULL),
      m_arrItems(NULL),
      m_arrParameters(NULL),
      m_strSection(lpszSection),
      m_strKeyFormat(lpszKeyFormat),
      m_nStart(nStart) {
    m_arrExecutables = new CString[m_nSize];
    m_arrItems = new CString[m_nSize];
    m_arrParameters = new CString[m_nSize];
}

CMenuEntryList::~CMenuEntryList() {
    delete[] m_arrExecutables;
    delete[] m_arrItems;
    delete[] m_arrParameters;
}

CString CMenuEntryList::EntryKey(int nIndex) const {
    // Formatted into a string of its own: a long number cannot overrun a fixed buffer.
    CString key;
    key.Format(m_strKeyFormat, nIndex + 1);
    return m_strSection + "\\" + key;
}

void CMenuEntryList::Remove(int nIndex) {
    if (!IsValidIndex(nIndex)) return;
    for (int i = nIndex; i < m_nSize - 1; ++i) {
        m_arrItems[i] = m_arrItems[i + 1];
        m_arrExecutables[i] = m_arrExecutables[i + 1];
        m_arrParameters[i] = m_arrParameters[i + 1];
    }
    m_arrItems[m_nSize - 1].Empty();
    m_arrExecutables[m_nSize - 1].Empty();
    m_arrParameters[m_nSize - 1].Empty();
}

void CMenuEntryList::Add(LPCSTR lpszItem, LPCSTR lpszExecutable, LPCSTR lpszParameter) {
    int nSlot = m_nSize - 1;
    for (int i = 0; i < m_nSize - 1; ++i) {
        if (m_arrItems[i].IsEmpty()) {
            nSlot = i;
            break;
        }
    }
    m_arrItems[nSlot] = lpszItem;
    m_arrExecutables[nSlot] = lpszExecutable;
    m_arrParameters[nSlot] = lpszParameter;
}

BOOL CMenuEntryList::GetItemText(CString& strItem, int nIndex) const {
    if (!IsValidIndex(nIndex) || m_arrItems[nIndex].IsEmpty()) return FALSE;
    strItem = m_arrItems[nIndex];
    return TRUE;
}

CString CMenuEntryList::GetParameter(int nIndex) const {
    return IsValidIndex(nIndex) ? m_arrParameters[nIndex] : CString();
}

CString CMenuEntryList::GetExecutable(int nIndex) const {
    return IsValidIndex(nIndex) ? m_arrExecutables[nIndex] : CString();
}

void CMenuEntryList::UpdateMenu(CCmdUI* pCmdUI) {
    CMenu* pMenu = pCmdUI->m_pMenu;
    const BOOL bEmpty = m_arrItems[0].IsEmpty();
    if (bEmpty && pMenu != NULL) pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
    if (!bEmpty) {
        if (pMenu == NULL) return;
        for (int i = 0; i < m_nSize; ++i) pMenu->DeleteMenu(pCmdUI->m_nID + i, MF_BYCOMMAND);
        CString item;
        for (int i = 0; GetItemText(item, i); ++i)
            pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++, item);
        // The update loop goes on behind the last inserted item.
        pCmdUI->m_nIndex--;
        pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
        pCmdUI->m_bEnableChanged = TRUE;
        return;
    }
    if (!m_strOriginal.IsEmpty()) pCmdUI->SetText(m_strOriginal);
    pCmdUI->Enable(FALSE);
}

void CMenuEntryList::Load() {
    CWinApp* pApp = AfxGetApp();
    for (int i = 0; i < m_nSize; ++i) {
        const CString key = EntryKey(i);
        m_arrExecutables[i] = pApp->GetProfileString(key, kExecutable, "");
        m_arrItems[i] = pApp->GetProfileString(key, kItem, "");
        m_arrParameters[i] = pApp->GetProfileString(key, kParameter, "");
    }
}

void CMenuEntryList::Save() {
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileString(m_strSection, NULL, NULL);
    for (int i = 0; i < m_nSize; ++i) {
        if (m_arrItems[i].IsEmpty()) continue;
        const CString key = EntryKey(i);
        pApp->WriteProfileString(key, kItem, m_arrItems[i]);
        pApp->WriteProfileString(key, kExecutable, m_arrExecutables[i]);
        pApp->WriteProfileString(key, kParameter, m_arrParameters[i]);
    }
}
