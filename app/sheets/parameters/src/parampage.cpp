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

namespace {

// The lowest heading of the column that has a text (a value's column may be headed only in
// an upper heading row).
CString ColumnHeading(CParamGrid& grid, int nCol) {
    for (int row = -1; row >= -grid.GetColumnHeadingRowCount(); --row) {
        LPCSTR text = grid.GetCellText(nCol, row);
        if (text != NULL && *text != '\0') return text;
    }
    return CString();
}

}  // namespace

BOOL CheckCellNumber(VaskFloat& value, CParamGrid& grid, int nCol, int nRow, const CString& place) {
    if (TakeNumber(value.text, value)) return TRUE;
    LPCSTR rowHeading = grid.GetCellText(-1, nRow);
    CString cell = place;
    for (const CString& part :
         {CString(rowHeading != NULL ? rowHeading : ""), ColumnHeading(grid, nCol)}) {
        if (part.IsEmpty()) continue;
        if (!cell.IsEmpty()) cell += ", ";
        cell += part;
    }
    CString text;
    text.Format(IDS_ENTER_NUMERIC_IN_CELL, (LPCSTR)cell, (LPCSTR)value.text);
    AfxMessageBox(text);
    grid.GotoCell(nCol, nRow);
    grid.SetFocus();
    return FALSE;
}

BOOL IsModelOf(CVaskInstrument* pAnalyzer, std::initializer_list<CRuntimeClass*> models) {
    if (pAnalyzer == NULL) return FALSE;
    for (CRuntimeClass* pClass : models)
        if (pAnalyzer->IsKindOf(pClass)) return TRUE;
    return FALSE;
}
