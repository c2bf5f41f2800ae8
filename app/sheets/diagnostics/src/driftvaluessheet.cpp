// The drift values sheet and its page.
#include "driftvaluessheet.h"

#include "diagnosticspropertysheet.h"
#include "diagnosticsprint.h"
#include "parvel.h"
#include "resource.h"
#include "sheethost.h"
#include "sheetreport.h"
#include "sindor23.h"
#include "sindor6.h"
#include "vaskinstrument.h"
#include "vaskreport.h"

namespace {

CString ValueText(const VaskFloat& value) {
    CString unit;
    CVaskInstrument::GetUnitText(unit, value.unit);
    return value.text + " " + unit;
}

}  // namespace

// ---- the page -----------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CPageDriftValues, CPropertyPage)

BEGIN_MESSAGE_MAP(CPageDriftValues, CHelpPropertyPage)
ON_BN_CLICKED(IDC_DRIFT_RESET, OnResetDriftValues)
END_MESSAGE_MAP()

CPageDriftValues::CPageDriftValues(CVaskInstrument* pInstrument)
    : CHelpPropertyPage(IDD_DRIFT_VALUES),
      m_bCalibReserve(1),
      m_nModified(0),
      m_bDriftRead(),
      m_pInstrument(pInstrument),
      m_nComponents(0) {}

void CPageDriftValues::DoDataExchange(CDataExchange* pDX) {
    CHelpPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DRIFT_LIST, m_driftList);
    DDX_Control(pDX, IDC_CALIB_LIST, m_calibList);
}

BOOL CPageDriftValues::OnInitDialog() {
    CWaitCursor wait;
    CHelpPropertyPage::OnInitDialog();
    m_bCalibReserve = m_pInstrument->IsKindOf(RUNTIME_CLASS(CSindor23)) ||
                      m_pInstrument->IsKindOf(RUNTIME_CLASS(CSindor6)) ||
                      m_pInstrument->IsKindOf(RUNTIME_CLASS(CParvel6));
    m_calibList.InsertColumnsFromString(m_bCalibReserve ? IDS_CALIB_COLUMNS_RESERVE
                                                        : IDS_CALIB_COLUMNS);
    m_driftList.InsertColumnsFromString(IDS_DRIFT_COLUMNS);
    m_nComponents = m_pInstrument->GetComponentCount();
    EnableResetButton();
    FillCalibrationList(0);
    FillDriftList(0);
    return TRUE;
}

std::vector<int> CPageDriftValues::RowComponents() {
    std::vector<int> components;
    for (int c = 0; c < m_nComponents && c < 4; ++c) components.push_back(c);
    if (m_pInstrument->IsKindOf(RUNTIME_CLASS(CSindor23))) {
        CSindor23* pSindor = (CSindor23*)m_pInstrument;
        if (pSindor->HasH2SSensor()) components.push_back(2);
        if (pSindor->HasO2Sensor()) components.push_back(3);
    }
    return components;
}

void CPageDriftValues::EnableResetButton() {
    CSheetHost& host = GetSheetHost();
    const BOOL bEnable = host.GetAccessLevel() >= 2 && host.GetOperationMode() != 0 &&
                         m_pInstrument->GetState() == 2;
    GetDlgItem(IDC_DRIFT_RESET)->EnableWindow(bEnable);
}

void CPageDriftValues::FillCalibrationList(int bUpdate) {
    int nRow = 0;
    for (int c : RowComponents()) {
        VaskFloat unused;
        m_pInstrument->GetDeviations(c, m_zeroPoint[c], m_setPointDev[c]);
        m_pInstrument->GetAdjustTolerance(c, m_zeroPointDevMax[c], m_setPointDevMax[c], unused);
        int nItem = m_calibList.SetItemTextFitColumn(nRow, 0, m_pInstrument->GetComponentLabel(c),
                                                     -1, bUpdate);
        if (bUpdate) nItem = nRow;
        m_calibList.SetItemTextFitColumn(nItem, 1, ValueText(m_zeroPoint[c]), -1, 1);
        m_calibList.SetItemTextFitColumn(nItem, 2, ValueText(m_zeroPointDevMax[c]), -1, 1);
        m_calibList.SetItemTextFitColumn(nItem, 3, ValueText(m_setPointDev[c]), -1, 1);
        m_calibList.SetItemTextFitColumn(nItem, 4, ValueText(m_setPointDevMax[c]), -1, 1);
        if (m_bCalibReserve) {
            m_pInstrument->DiagControlReserve(c, m_calibReserve[c]);
            m_calibList.SetItemTextFitColumn(nItem, 5, ValueText(m_calibReserve[c]), -1, 1);
        }
        ++nRow;
    }
}

void CPageDriftValues::FillDriftList(int bUpdate) {
    const BOOL bSindor23 = m_pInstrument->IsKindOf(RUNTIME_CLASS(CSindor23));
    CString format;
    format.LoadString(IDS_DRIFT_TIME_FORMAT);
    int nRow = 0;
    for (int c : RowComponents()) {
        int nItem = m_driftList.SetItemTextFitColumn(nRow, 0, m_pInstrument->GetComponentLabel(c),
                                                     -1, bUpdate);
        if (bUpdate) nItem = nRow;
        m_driftList.SetItemTextFitColumn(nItem, 1, CTime::GetCurrentTime().Format(format), -1, 1);
        m_bDriftRead[c] = m_pInstrument->GetDriftValues(c, m_zeroPoint[c], m_spanMR1[c],
                                                        m_spanMR2[c], m_spanMR3[c], m_spanMR4[c]);
        m_driftList.SetItemTextFitColumn(nItem, 2, ValueText(m_zeroPoint[c]), -1, 1);
        m_driftList.SetItemTextFitColumn(nItem, 3, ValueText(m_spanMR1[c]), -1, 1);
        if (!bSindor23) {
            m_driftList.SetItemTextFitColumn(nItem, 4, ValueText(m_spanMR2[c]), -1, 1);
            m_driftList.SetItemTextFitColumn(nItem, 5, ValueText(m_spanMR3[c]), -1, 1);
            m_driftList.SetItemTextFitColumn(nItem, 6, ValueText(m_spanMR4[c]), -1, 1);
        } else if (c < 2) {
            m_driftList.SetItemTextFitColumn(nItem, 4, ValueText(m_spanMR2[c]), -1, 1);
        }
        ++nRow;
    }
}

void CPageDriftValues::OnResetDriftValues() {
    for (int c = 0; c < m_pInstrument->GetComponentCount() && c < 4; ++c) {
        // A failed read left no-value marks: writing them would put them into the device.
        if (!m_bDriftRead[c]) continue;
        m_pInstrument->SetDriftValues(c, m_zeroPoint[c], m_spanMR1[c], m_spanMR2[c], m_spanMR3[c],
                                      m_spanMR4[c]);
    }
    FillDriftList(1);
}

int CPageDriftValues::PrintPage(int hJob, int nLastPage) {
    return PrintListRows(
        hJob, nLastPage, m_driftList.GetItemCount(),
        [&] { DefineDriftHeader(hJob, m_pInstrument, 4, m_bCalibReserve); },
        [&](int nRow) { return PrintRow(hJob, nRow); });
}

int CPageDriftValues::PrintRow(int hJob, int nRow) {
    static const UINT kCalibFields[] = {IDS_FIELD_COMPONENT,    IDS_FIELD_ZERO_DEV,
                                        IDS_FIELD_ZERO_DEV_MAX, IDS_FIELD_SPAN_DEV,
                                        IDS_FIELD_SPAN_DEV_MAX, IDS_FIELD_CALIB_RESERVE};
    static const UINT kDriftFields[] = {
        IDS_FIELD_COMPONENT2, IDS_FIELD_TIMESTAMP, IDS_FIELD_ZERO_DEV2, IDS_FIELD_SPAN_MR1,
        IDS_FIELD_SPAN_MR2,   IDS_FIELD_SPAN_MR3,  IDS_FIELD_SPAN_MR4};
    DefineListFields(hJob, m_calibList, nRow, kCalibFields, m_bCalibReserve ? 6 : 5);
    return PrintListRecord(hJob, m_driftList, nRow, kDriftFields, 7);
}

// ---- the sheet ----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDriftValuesSheet, CHelpPropertySheet)

BEGIN_MESSAGE_MAP(CDriftValuesSheet, CHelpPropertySheet)
ON_WM_TIMER()
ON_BN_CLICKED(IDC_SHEET_PRINT, OnPrint)
ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
ON_COMMAND(IDOK, OnOKButton)
END_MESSAGE_MAP()

CDriftValuesSheet::CDriftValuesSheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CHelpPropertySheet(IDS_DRIFT_CAPTION, pParentWnd, 0),
      m_page(pInstrument),
      m_pInstrument(pInstrument) {
    if (m_pInstrument != NULL) AddPage(&m_page);
    m_psh.dwFlags |= PSH_NOAPPLYNOW | PSH_HASHELP;
}

BOOL CDriftValuesSheet::OnInitDialog() {
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    CHelpPropertySheet::OnInitDialog();
    CreateSheetPrintButton(this, m_printButton);
    return TRUE;
}

void CDriftValuesSheet::OnTimer(UINT_PTR) { Default(); }

void CDriftValuesSheet::OnOKButton() {
    Default();
    GetSheetHost().UpdateActiveDocument(kSheetUpdateHint);
}

void CDriftValuesSheet::OnApplyNow() {
    Default();
    GetSheetHost().UpdateActiveDocument(kSheetUpdateHint);
}

void CDriftValuesSheet::OnPrint() {
    int nLastPage = LL_LASTPAGE_ALL;
    CSheetReport& report = GetSheetReport();
    const int hJob = report.StartJob(IDS_PRINT_TYPE_FIRST + 3, this, nLastPage);
    if (hJob == -1) return;
    CPropertyPage* pActive = GetActivePage();
    SetActivePage(&m_page);
    const int result = m_page.PrintPage(hJob, nLastPage);
    SetActivePage(pActive);
    if (result == kPrintJobClosed) return;
    CFrameWnd* pFrame = GetParentFrame();
    report.EndPreview(hJob, pFrame != NULL ? (CWnd*)pFrame : this);
}
