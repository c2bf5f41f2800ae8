// The parameter sheet.
#include "parameterpropertysheet.h"

#include "resource.h"
#include "sheethost.h"
#include "lorvix.h"
#include "parvel.h"
#include "quenta.h"
#include "sindor23.h"
#include "sindor6.h"

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
      m_frequenciesPage(pInstrument),
      m_correctionPage(pInstrument),
      m_samplePointPage(pInstrument),
      m_extPressurePage(pInstrument),
      m_pInstrument(pInstrument) {
    AddModelPages();
}

void CParameterPropertySheet::AddModelPages() {
    CVaskInstrument* a = m_pInstrument;
    // Only the Sindor 6 and the Parvel 6 modulate their signal.
    const BOOL frequencies =
        !IsModelOf(a, {RUNTIME_CLASS(CSindor23), RUNTIME_CLASS(CQuenta6), RUNTIME_CLASS(CParvel64),
                       RUNTIME_CLASS(CLorvix62), RUNTIME_CLASS(CLorvix6)});
    const BOOL samplePoints =
        IsModelOf(a, {RUNTIME_CLASS(CSindor6), RUNTIME_CLASS(CLorvix6), RUNTIME_CLASS(CQuenta6),
                      RUNTIME_CLASS(CParvel6), RUNTIME_CLASS(CParvel64), RUNTIME_CLASS(CLorvix62)});
    // Online the device is asked; a Quenta 6 that does not answer counts as type 1.
    QuentaType type = QuentaType(1);
    const BOOL extPressure =
        IsModelOf(a, {RUNTIME_CLASS(CQuenta6)}) && a->GetInstrumentType(type) && type == 2;
    const struct {
        CPropertyPage* page;
        BOOL added;
    } pages[] = {{&m_rangePage, TRUE},
                 {&m_limitsPage, TRUE},
                 {&m_filterPage, TRUE},
                 {&m_frequenciesPage, frequencies},
                 {&m_correctionPage, TRUE},
                 {&m_samplePointPage, samplePoints},
                 {&m_extPressurePage, extPressure}};
    for (const auto& p : pages)
        if (p.added) AddPage(p.page);
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
