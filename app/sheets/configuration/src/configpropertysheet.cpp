// The configuration sheet.
#include "configpropertysheet.h"

#include "resource.h"
#include "parvel.h"
#include "quenta.h"
#include "sheethost.h"
#include "sindor23.h"

IMPLEMENT_DYNAMIC(CConfigPropertySheet, CHelpPropertySheet)

BEGIN_MESSAGE_MAP(CConfigPropertySheet, CHelpPropertySheet)
ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
ON_COMMAND(IDOK, OnOKButton)
END_MESSAGE_MAP()

CConfigPropertySheet::CConfigPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CHelpPropertySheet(IDS_CONFIG_SHEET_CAPTION, pParentWnd, 0),
      m_analogPage(pInstrument),
      m_relaysPage(pInstrument),
      m_binaryPage(pInstrument),
      m_unitsPage(pInstrument),
      m_syncPage(pInstrument),
      m_vaskPage(pInstrument),
      m_heatingPage(pInstrument),
      m_warmUpPage(pInstrument),
      m_pressurePage(pInstrument),
      m_pInstrument(pInstrument) {
    if (m_pInstrument != NULL) AddPages();
}

void CConfigPropertySheet::AddPages() {
    CVaskInstrument* p = m_pInstrument;
    const BOOL bSindor23 = p->IsKindOf(RUNTIME_CLASS(CSindor23));
    const BOOL bParvel64 = p->IsKindOf(RUNTIME_CLASS(CParvel64));
    AddPage(&m_analogPage);
    AddPage(&m_relaysPage);
    if (bSindor23) {
        if (p->HasExtensionCard()) AddPage(&m_binaryPage);
    } else {
        AddPage(&m_binaryPage);
        if (p->HasHeating()) AddPage(&m_heatingPage);
    }
    if (bSindor23 || bParvel64) {
        AddPage(&m_unitsPage);
        if (bSindor23 || ((CParvel64*)p)->HasPump()) AddPage(&m_syncPage);
    }
    AddPage(&m_vaskPage);
    if (p->IsKindOf(RUNTIME_CLASS(CQuenta6))) {
        AddPage(&m_warmUpPage);
        AddPage(&m_pressurePage);
    }
}

BOOL CConfigPropertySheet::OnInitDialog() {
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    return CHelpPropertySheet::OnInitDialog();
}

void CConfigPropertySheet::OnApplyNow() { ApplyAndUpdate(ID_APPLY_NOW); }

void CConfigPropertySheet::OnOKButton() { ApplyAndUpdate(IDOK); }

void CConfigPropertySheet::ApplyAndUpdate(UINT) {
    // The system's handling of the button runs the pages' OnApply (and ends the sheet on OK
    // when every page agreed).
    Default();
    GetSheetHost().UpdateActiveDocument(kSheetUpdateHint);
}
