// The settings sheet and the writer's run of it.
#include "internal.h"

IMPLEMENT_DYNAMIC(CnuraProtocolSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CnuraProtocolSheet, CPropertySheet)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
ON_COMMAND(ID_HELP, OnHelpContents)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CnuraProtocolSheet::CnuraProtocolSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage), m_bShowApply(FALSE), m_pProtocol(NULL) {}

CnuraProtocolSheet::CnuraProtocolSheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage), m_bShowApply(FALSE), m_pProtocol(NULL) {}

BOOL CnuraProtocolSheet::CanOpen() {
    if (GetPageCount() > 0) return TRUE;
    AfxMessageBox(nura::OwnString(1), MB_OK);
    return FALSE;
}

void CnuraProtocolSheet::PrepareButtons() {
    m_psh.dwFlags |= PSH_HASHELP;
    if (m_bShowApply)
        m_psh.dwFlags &= ~PSH_NOAPPLYNOW;
    else
        m_psh.dwFlags |= PSH_NOAPPLYNOW;
}

int CnuraProtocolSheet::DoModal() {
    if (!CanOpen()) return -1;
    PrepareButtons();
    return CPropertySheet::DoModal();
}

BOOL CnuraProtocolSheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) {
    if (!CanOpen()) return FALSE;
    PrepareButtons();
    return CPropertySheet::Create(pParentWnd, dwStyle, dwExStyle);
}

BOOL CnuraProtocolSheet::OnInitDialog() {
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    return CPropertySheet::OnInitDialog();
}

BOOL CnuraProtocolSheet::TakeOver() {
    // The shown page first, so that what was typed there just before reaches the writer.
    CPropertyPage* pPage = GetActivePage();
    if (pPage != NULL && pPage->m_hWnd != NULL && !pPage->OnKillActive()) return FALSE;
    return m_pProtocol == NULL || m_pProtocol->ApplyDialogValues();
}

void CnuraProtocolSheet::OnOK() {
    if (TakeOver()) Default();
}

void CnuraProtocolSheet::OnApplyNow() {
    if (TakeOver()) Default();
}

void CnuraProtocolSheet::OnHelpContents() { AfxGetApp()->WinHelp(0, HELP_CONTENTS); }

BOOL CnuraProtocolSheet::OnHelpInfo(HELPINFO* pHelpInfo) {
    if (pHelpInfo->iContextType == HELPINFO_WINDOW && pHelpInfo->iCtrlId != AFX_IDC_TAB_CONTROL)
        AfxGetApp()->WinHelp(HID_BASE_CONTROL + pHelpInfo->iCtrlId, HELP_CONTEXTPOPUP);
    return TRUE;
}

// ---- the writer's settings dialog ---------------------------------------------------------

int CnuraProtocol::DoPropertyDialog(BOOL bShowApply) {
    // The library's caption, whatever string 2 of the program says.
    CnuraProtocolSheet sheet(nura::OwnString(2), NULL, 0);
    sheet.ShowApplyButton(bShowApply);
    sheet.SetProtocol(this);
    for (int i = 0; i < m_pages.GetSize(); ++i) {
        PageEntry* entry = Entry(i);
        if (!entry->bUsed || entry->pPage == NULL) continue;
        if (entry->pBuiltIn != NULL) entry->pBuiltIn->m_dwDialogOptions = m_dwDialogOptions;
        sheet.AddPage(entry->pPage);
    }
    sheet.SetTitle(m_strDialogTitle);
    int result = sheet.DoModal();
    // The pages outlive the sheet and keep their values for the next run.
    for (int i = sheet.GetPageCount() - 1; i >= 0; --i) sheet.RemovePage(i);
    // A sheet that could not open changed nothing: to the caller it was cancelled.
    return result == IDOK ? IDOK : IDCANCEL;
}

void CnuraProtocol::SetPageTitle(int nIndex, const CString& strTitle) {
    PageEntry* entry = Entry(nIndex);
    if (entry != NULL && entry->pPage != NULL && entry->pPage->m_hWnd != NULL)
        entry->pPage->SetWindowText(strTitle);
}
