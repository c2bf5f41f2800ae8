// Context help of pages, dialogs and sheets.
#include "helppropertypage.h"

#include "sheethost.h"

BOOL OnControlHelp(const HELPINFO* pHelpInfo, BOOL bSheet) {
    if (pHelpInfo == NULL) return TRUE;
    const int nControl = pHelpInfo->iCtrlId;
    if (bSheet && nControl == kSheetTabControlId) return TRUE;
    // A static text (id 0xFFFF) gives 0x5FFFF, which the application's help ignores.
    GetSheetHost().WinHelp((DWORD_PTR)(DWORD)(nControl & 0xFFFF) + kControlHelpBase,
                           HELP_CONTEXTPOPUP);
    return TRUE;
}

// ---- CHelpPropertyPage -------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CHelpPropertyPage, CPropertyPage)
ON_COMMAND(ID_HELP, OnHelpCommand)
END_MESSAGE_MAP()

CHelpPropertyPage::CHelpPropertyPage(UINT nIDTemplate)
    : CPropertyPage(nIDTemplate, 0), m_nTemplateId(nIDTemplate) {}

void CHelpPropertyPage::DoDataExchange(CDataExchange* pDX) { CPropertyPage::DoDataExchange(pDX); }

void CHelpPropertyPage::OnHelpCommand() { OnHelp(); }

void CHelpPropertyPage::OnHelp() {
    GetSheetHost().WinHelp((DWORD_PTR)m_nTemplateId + kPageHelpBase, HELP_CONTEXT);
}

// ---- CHelpPropertySheet ------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CHelpPropertySheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CHelpPropertySheet, CPropertySheet)
ON_WM_HELPINFO()
ON_COMMAND(ID_HELP, OnHelpContents)
END_MESSAGE_MAP()

CHelpPropertySheet::CHelpPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage) {}

CHelpPropertySheet::CHelpPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage) {}

BOOL CHelpPropertySheet::OnHelpInfo(HELPINFO* pHelpInfo) { return OnControlHelp(pHelpInfo, TRUE); }

void CHelpPropertySheet::OnHelpContents() { GetSheetHost().WinHelp(0, HELP_CONTENTS); }
