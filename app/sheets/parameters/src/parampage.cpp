// What the parameter sheet's pages share.
#include "parampage.h"

#include "apputil.h"
#include "resource.h"

CParamPage::CParamPage(UINT nIDTemplate, CVaskInstrument* pAnalyzer)
    : CHelpPropertyPage(nIDTemplate),
      m_pAnalyzer(pAnalyzer),
      m_bModified(FALSE),
      m_bPutting(FALSE) {}

void CParamPage::PutData() {
    m_bPutting = TRUE;
    UpdateData(FALSE);
    m_bPutting = FALSE;
}

void CParamPage::OnValueEdited() {
    if (!m_bPutting) OnParamModified();
}

void CParamPage::OnParamModified() {
    m_bModified = TRUE;
    SetModified(TRUE);
}

void CParamPage::ShowControl(int nId, BOOL bShow) {
    CWnd* pControl = GetDlgItem(nId);
    if (pControl != NULL) pControl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CParamPage::EnableControl(int nId, BOOL bEnable) {
    CWnd* pControl = GetDlgItem(nId);
    if (pControl != NULL) pControl->EnableWindow(bEnable);
}

BOOL TakeNumber(const CString& text, VaskFloat& value) {
    CString unit;
    CVaskInstrument::GetUnitText(unit, value.unit);
    double number = 0;
    if (!StringToDouble(text, number, unit)) return FALSE;
    CString format;
    format.LoadString(IDS_VALUE_FORMAT);
    value.value = number;
    value.text.Format(format, number);
    return TRUE;
}

BOOL CheckNumber(VaskFloat& value) {
    if (TakeNumber(value.text, value)) return TRUE;
    AfxMessageBox(IDS_ENTER_NUMERIC_VALUE);
    return FALSE;
}

BOOL IsModelOf(CVaskInstrument* pAnalyzer, std::initializer_list<CRuntimeClass*> models) {
    if (pAnalyzer == NULL) return FALSE;
    for (CRuntimeClass* pClass : models)
        if (pAnalyzer->IsKindOf(pClass)) return TRUE;
    return FALSE;
}
