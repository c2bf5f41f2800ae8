// The diagnostics sheet.
#include "diagnosticspropertysheet.h"

#include "diagnosticsprint.h"
#include "resource.h"
#include "sheetreport.h"
#include "vaskreport.h"

IMPLEMENT_DYNAMIC(CDiagnosticsPropertySheet, CHelpPropertySheet)

BEGIN_MESSAGE_MAP(CDiagnosticsPropertySheet, CHelpPropertySheet)
ON_WM_TIMER()
ON_BN_CLICKED(IDC_SHEET_PRINT, OnPrint)
END_MESSAGE_MAP()

void CreateSheetPrintButton(CPropertySheet* pSheet, CButton& button) {
    CWnd* pOk = pSheet->GetDlgItem(IDOK);
    CWnd* pCancel = pSheet->GetDlgItem(IDCANCEL);
    if (pOk == NULL || pCancel == NULL) return;
    CRect ok, cancel;
    pOk->GetWindowRect(&ok);
    pCancel->GetWindowRect(&cancel);
    pSheet->ScreenToClient(&ok);
    pSheet->ScreenToClient(&cancel);
    const int left = 2 * ok.left - cancel.left;
    CRect rect(left, ok.top, left + ok.Width(), ok.bottom);
    CString caption;
    caption.LoadString(IDS_SHEET_PRINT);
    button.Create(caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, pSheet, IDC_SHEET_PRINT);
    button.SetFont(pSheet->GetFont(), TRUE);
}

CDiagnosticsPropertySheet::CDiagnosticsPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CHelpPropertySheet(IDS_DIAGNOSTICS_CAPTION, pParentWnd, 0),
      m_statePage(pInstrument),
      m_componentsPage(pInstrument),
      m_valuesPage(pInstrument),
      m_firmDataPage(pInstrument),
      m_pInstrument(pInstrument) {
    if (m_pInstrument != NULL) {
        AddPage(&m_statePage);
        AddPage(&m_componentsPage);
        AddPage(&m_valuesPage);
        AddPage(&m_firmDataPage);
    }
    m_psh.dwFlags |= PSH_NOAPPLYNOW | PSH_HASHELP;
}

BOOL CDiagnosticsPropertySheet::OnInitDialog() {
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    const BOOL bResult = CHelpPropertySheet::OnInitDialog();
    CreateSheetPrintButton(this, m_printButton);
    (void)bResult;
    return TRUE;
}

void CDiagnosticsPropertySheet::OnTimer(UINT_PTR) {
    m_componentsPage.TimerTick(1);
    m_valuesPage.TimerTick(1);
    Default();
}

void CDiagnosticsPropertySheet::OnPrint() {
    int nLastPage = LL_LASTPAGE_ALL;
    CSheetReport& report = GetSheetReport();
    const int hJob = report.StartJob(IDS_PRINT_TYPE_FIRST + 2, this, nLastPage);
    if (hJob == -1) return;
    CPropertyPage* pActive = GetActivePage();
    // Making a page active creates its window, so its list is filled before it prints.
    int result = 0;
    SetActivePage(&m_statePage);
    result = m_statePage.PrintPage(hJob, nLastPage);
    if (result == 0) {
        SetActivePage(&m_componentsPage);
        result = m_componentsPage.PrintPage(hJob, nLastPage);
    }
    if (result == 0) {
        SetActivePage(&m_valuesPage);
        result = m_valuesPage.PrintPage(hJob, nLastPage);
    }
    if (result == 0) SetActivePage(&m_firmDataPage);
    SetActivePage(pActive);
    // A page whose print failed has ended the print and closed the job.
    if (result == kPrintJobClosed) return;
    CFrameWnd* pFrame = GetParentFrame();
    report.EndPreview(hJob, pFrame != NULL ? (CWnd*)pFrame : this);
}
