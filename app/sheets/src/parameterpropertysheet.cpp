// The parameter sheet.
#include "parameterpropertysheet.h"

#include "resource.h"
#include "sheethost.h"
#include "sindor23.h"

IMPLEMENT_DYNAMIC(CParameterPropertySheet, CHelpPropertySheet)

BEGIN_MESSAGE_MAP(CParameterPropertySheet, CHelpPropertySheet)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
END_MESSAGE_MAP()

CParameterPropertySheet::CParameterPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CHelpPropertySheet(IDS_PARAMETER_SHEET_CAPTION, pParentWnd, 0),
      m_rangePage(pInstrument),
      m_limitsPage(pInstrument),
      m_filterPage(pInstrument),
      m_correctionPage(pInstrument),
      m_samplePointPage(pInstrument),
      m_pInstrument(pInstrument) {
    AddModelPages();
}

void CParameterPropertySheet::AddModelPages() {
    AddPage(&m_rangePage);
    AddPage(&m_limitsPage);
    AddPage(&m_filterPage);
    AddPage(&m_correctionPage);
    if (!IsModelOf(m_pInstrument, {RUNTIME_CLASS(CSindor23)})) AddPage(&m_samplePointPage);
}

CParameterPropertySheet::~CParameterPropertySheet() {}

BOOL CParameterPropertySheet::OnInitDialog() {
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    return CHelpPropertySheet::OnInitDialog();
}

void CParameterPropertySheet::OnOK() {
    // The pages' results are not tested: a page that failed keeps the sheet open by itself,
    // and what the others wrote is shown all the same.
    Default();
    GetSheetHost().UpdateActiveDocument(kSheetUpdateHint);
}

void CParameterPropertySheet::OnApplyNow() { OnOK(); }

int RunParameterSheet(CVaskInstrument* pInstrument, int nPage) {
    CParameterPropertySheet sheet(pInstrument);
    if (nPage > 0 && nPage < sheet.GetPageCount()) sheet.SetActivePage(nPage);
    return sheet.DoModal();
}
