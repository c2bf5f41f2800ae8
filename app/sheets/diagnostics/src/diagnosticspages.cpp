// The device state (logbook), components and factory data pages of the diagnostics sheet.
#include "diagnosticspages.h"

#include "diagnosticsprint.h"
#include "resource.h"
#include "sheethost.h"
#include "sheetreport.h"
#include "sindor23.h"
#include "quenta.h"
#include "vaskinstrument.h"

namespace {

// The logbook is read up to this entry.
const int kMaxLogEntries = 32;
// The entry number that marks the end of the logbook.
const int kEndOfLogbook = 255;
// The Sindor 23's model kind: its logbook has no times and cannot be emptied.
const int kKindSindor23 = 4;

// The message block of a model kind: its first string and how many messages it holds.
struct MessageBlock {
    int nKind;
    UINT nBase;
    int nSize;
} const kMessageBlocks[] = {
    {1, IDS_LOG_SINDOR6_BASE, 32},  {2, IDS_LOG_PARVEL6_BASE, 32}, {3, IDS_LOG_LORVIX6_BASE, 32},
    {4, IDS_LOG_SINDOR23_BASE, 44}, {5, IDS_LOG_QUENTA6_BASE, 32}, {7, IDS_LOG_PARVEL64_BASE, 32},
    {8, IDS_LOG_LORVIX62_BASE, 32},
};

// The report fields of the state and components lists, column by column.
const UINT kStateFields[] = {IDS_FIELD_TIMESTAMP, IDS_FIELD_MESSAGE, IDS_FIELD_CLASS,
                             IDS_FIELD_ACKNOWLEDGED};
const UINT kComponentFields[] = {IDS_FIELD_COMPONENT, IDS_FIELD_CUR_VALUE, IDS_FIELD_CUR_RANGE,
                                 IDS_FIELD_ANALOG_OUTPUT};

// The current measuring range entries of components 0 to 3 have the numbers 6 to 9.
const int kMeasRangeEntry = 6;

CString LoadText(UINT nId) {
    CString text;
    text.LoadString(nId);
    return text;
}

// A device value as the lists show it: its text, a blank and its unit's text.
CString ValueText(const VaskFloat& value) {
    CString unit;
    CVaskInstrument::GetUnitText(unit, value.unit);
    return value.text + " " + unit;
}

BOOL MayChangeDevice(CVaskInstrument* pAnalyzer) {
    CSheetHost& host = GetSheetHost();
    return host.GetAccessLevel() > 1 && host.GetOperationMode() != 0 && pAnalyzer->GetState() == 2;
}

}  // namespace

// ---- device state and logbook ---------------------------------------------------------------

IMPLEMENT_DYNCREATE(CPageDiagnosticsState, CPropertyPage)

BEGIN_MESSAGE_MAP(CPageDiagnosticsState, CHelpPropertyPage)
ON_BN_CLICKED(IDC_DIAG_CONFIRM, OnConfirm)
ON_BN_CLICKED(IDC_DIAG_UPDATE_LOGBOOK, OnUpdateLogbook)
ON_BN_CLICKED(IDC_DIAG_EMPTY_LOGBOOK, OnEmptyLogbook)
END_MESSAGE_MAP()

CPageDiagnosticsState::CPageDiagnosticsState(CVaskInstrument* pInstrument)
    : CHelpPropertyPage(IDD_DIAG_STATE), m_pInstrument(pInstrument), m_nTicks(30) {}

void CPageDiagnosticsState::DoDataExchange(CDataExchange* pDX) {
    CHelpPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DIAG_LOGBOOK, m_list);
}

BOOL CPageDiagnosticsState::OnInitDialog() {
    CWaitCursor wait;
    CHelpPropertyPage::OnInitDialog();
    m_list.InsertColumnsFromString(IDS_LOGBOOK_COLUMNS);
    FillLogbook(0);
    return TRUE;
}

void CPageDiagnosticsState::GetMessageTexts(int nModelKind, int nMessage, CString& message,
                                            CString& cls) {
    message = LoadText(IDS_LOG_NOT_PROGRAMMED);
    for (const MessageBlock& block : kMessageBlocks) {
        if (block.nKind != nModelKind) continue;
        // A number beyond the block would name another model's message.
        if (nMessage >= 1 && nMessage <= block.nSize)
            message = LoadText(block.nBase + nMessage - 1);
        break;
    }
    message.TrimLeft();
    const int nColon = message.Find(':');
    if (nColon < 0) {
        cls = LoadText(IDS_UNKNOWN);
        return;
    }
    const CString key = message.Left(nColon);
    message = message.Mid(nColon + 1);
    cls.Empty();
    if (!key.IsEmpty() && key[0] >= '0' && key[0] <= '9')
        cls = LoadText(IDS_STATE_CLASS_BASE + (key[0] - '0'));
    if (cls.IsEmpty()) cls = LoadText(IDS_UNKNOWN);
}

void CPageDiagnosticsState::FillLogbook(int bUpdate) {
    m_list.DeleteAllItems();
    const int nKind = m_pInstrument->GetModelKind();
    // A read that fails ends the list, without a message.
    const int bReport = m_pInstrument->IsCommandReportEnabled();
    m_pInstrument->EnableCommandReport(0);
    int nRow = 0;
    for (int nEntry = 1; nEntry <= kMaxLogEntries; ++nEntry) {
        LogbookStruct entry = {};
        if (!m_pInstrument->GetLogEntry(nEntry, entry)) break;
        if (entry.first == kEndOfLogbook) break;
        CString message, cls;
        GetMessageTexts(nKind, entry.first, message, cls);
        // The tables hold a blank for numbers without a message: no row for them.
        if (message.IsEmpty()) continue;
        CString time;
        // A device whose clock was not set gives no time: no date of 1970 in its place.
        if (nKind != kKindSindor23 && entry.time.GetTime() != 0)
            time = entry.time.Format(LoadText(entry.flagA ? IDS_LOG_TIME_SET : IDS_LOG_TIME_GONE));
        const CString acknowledged = LoadText(entry.flagB ? IDS_LOG_YES : IDS_LOG_NO);
        const int nItem = m_list.SetItemTextFitColumn(nRow, 0, time, -1, bUpdate);
        if (nItem < 0) break;
        // Rows and entries part when entries are left out: each row keeps its entry's number.
        m_list.SetItemValue(nItem, nEntry);
        m_list.SetItemTextFitColumn(nItem, 1, message, -1, bUpdate);
        m_list.SetItemTextFitColumn(nItem, 2, cls, -1, bUpdate);
        m_list.SetItemTextFitColumn(nItem, 3, acknowledged, -1, bUpdate);
        ++nRow;
    }
    m_pInstrument->EnableCommandReport(bReport);
    if (m_list.GetItemCount() > 0) m_list.SelectItem(0);
    EnableButtons();
}

void CPageDiagnosticsState::OnUpdateLogbook() {
    CWaitCursor wait;
    FillLogbook(0);
}

void CPageDiagnosticsState::OnConfirm() {
    const int nRow = m_list.GetFirstSelectedItem();
    if (nRow < 0) return;
    const int nEntry = m_list.GetItemValue(nRow);
    if (nEntry < 1) return;
    if (m_pInstrument->AckLogEntry(nEntry)) {
        m_list.SetItemTextFitColumn(nRow, 3, LoadText(IDS_LOG_YES), -1, 1);
        return;
    }
    CString command;
    const ErrorStruct_ error = m_pInstrument->GetLastErrorText(command);
    CString text;
    text.Format(LoadText(IDS_LOG_ACK_FAILED), (LPCSTR)error.text);
    AfxMessageBox(text);
}

void CPageDiagnosticsState::OnEmptyLogbook() {
    // No question: the device keeps no logbook that the user could lose by mistake here.
    if (m_pInstrument->ClearLog()) {
        OnUpdateLogbook();
        return;
    }
    CString command;
    const ErrorStruct_ error = m_pInstrument->GetLastErrorText(command);
    AfxMessageBox(error.text);
}

void CPageDiagnosticsState::EnableButtons() {
    const BOOL bMay = MayChangeDevice(m_pInstrument);
    const BOOL bRows = m_list.GetItemCount() > 0;
    const BOOL bSindor23 = m_pInstrument->IsKindOf(RUNTIME_CLASS(CSindor23));
    GetDlgItem(IDC_DIAG_CONFIRM)->EnableWindow(bMay && bRows);
    GetDlgItem(IDC_DIAG_EMPTY_LOGBOOK)->EnableWindow(bMay && bRows && !bSindor23);
}

int CPageDiagnosticsState::PrintPage(int hJob, int nLastPage) {
    return PrintDiagnosticsList(hJob, nLastPage, m_pInstrument, 1, m_list, kStateFields, 4);
}

int CPageDiagnosticsState::PrintRow(int hJob, int nRow) {
    return PrintListRecord(hJob, m_list, nRow, kStateFields, 4);
}

// ---- components ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CPageDiagnosticsComponents, CPropertyPage)

CPageDiagnosticsComponents::CPageDiagnosticsComponents(CVaskInstrument* pInstrument)
    : CHelpPropertyPage(IDD_DIAG_COMPONENTS), m_pInstrument(pInstrument), m_nTicks(30) {}

void CPageDiagnosticsComponents::DoDataExchange(CDataExchange* pDX) {
    CHelpPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DIAG_COMPONENT_LIST, m_list);
}

BOOL CPageDiagnosticsComponents::OnInitDialog() {
    CHelpPropertyPage::OnInitDialog();
    m_list.InsertColumnsFromString(IDS_DIAG_COMPONENT_COLUMNS);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    column.fmt = LVCFMT_CENTER;
    m_list.SetColumn(2, &column);
    TimerTick(0);
    return TRUE;
}

void CPageDiagnosticsComponents::TimerTick(int bUpdate) {
    if (GetSafeHwnd() == NULL) return;
    if (m_nTicks >= 30) {
        m_nTicks = 0;
        Refresh(bUpdate, FALSE);
    } else {
        Refresh(bUpdate, TRUE);
    }
    ++m_nTicks;
}

void CPageDiagnosticsComponents::Refresh(int bUpdate, BOOL bSkipRanges) {
    m_pInstrument->GetMeas(m_values);
    int nRow = 0;
    const int nCount = m_pInstrument->GetComponentCount();
    for (int c = 0; c < nCount && c < 4; ++c, ++nRow) FillRow(c, nRow, bUpdate, bSkipRanges);
    if (m_pInstrument->IsKindOf(RUNTIME_CLASS(CSindor23))) {
        CSindor23* pSindor = (CSindor23*)m_pInstrument;
        if (pSindor->HasH2SSensor()) FillRow(2, nRow, bUpdate, bSkipRanges), ++nRow;
        if (pSindor->HasO2Sensor()) FillRow(3, nRow, bUpdate, bSkipRanges);
    }
}

void CPageDiagnosticsComponents::FillRow(int nComponent, int& nRow, int bUpdate, BOOL bSkipRanges) {
    CString range;
    if (!bSkipRanges) {
        VaskFloat value;
        CVaskParameter* pEntry = m_pInstrument->FindParameterByNumber(kMeasRangeEntry + nComponent);
        if (pEntry != NULL) pEntry->GetValue(value);
        range = ValueText(value);
    }
    const CString caption = m_pInstrument->GetComponentLabel(nComponent);
    const CString valueText = ValueText(m_values[nComponent]);
    VaskFloat output;
    m_pInstrument->GetAnalogOutput(nComponent, output);
    if (!bUpdate) {
        const int nItem = m_list.SetItemTextFitColumn(nRow, 0, caption, -1, 0);
        if (nItem >= 0) nRow = nItem;
    } else {
        m_list.SetItemTextFitColumn(nRow, 0, caption, -1, 1);
    }
    m_list.SetItemTextFitColumn(nRow, 1, valueText, -1, 1);
    if (!bSkipRanges) m_list.SetItemTextFitColumn(nRow, 2, range, -1, 1);
    m_list.SetItemTextFitColumn(nRow, 3, ValueText(output), -1, 1);
}

int CPageDiagnosticsComponents::PrintPage(int hJob, int nLastPage) {
    return PrintDiagnosticsList(hJob, nLastPage, m_pInstrument, 3, m_list, kComponentFields, 4);
}

int CPageDiagnosticsComponents::PrintRow(int hJob, int nRow) {
    return PrintListRecord(hJob, m_list, nRow, kComponentFields, 4);
}

// ---- factory data -------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CPageDiagnosticsFirmData, CPropertyPage)

CPageDiagnosticsFirmData::CPageDiagnosticsFirmData(CVaskInstrument* pInstrument)
    : CHelpPropertyPage(IDD_DIAG_FIRM_DATA), m_pInstrument(pInstrument) {}

void CPageDiagnosticsFirmData::DoDataExchange(CDataExchange* pDX) {
    CHelpPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FIRM_HARDWARE_ID, m_strHardwareId);
    DDX_Text(pDX, IDC_FIRM_SERIAL_NUMBER, m_strSerialNumber);
    DDX_Text(pDX, IDC_FIRM_ORDER_NUMBER, m_strOrderNumber);
    DDX_Text(pDX, IDC_FIRM_FIRMWARE_NUMBER, m_strFirmwareNumber);
    DDX_Text(pDX, IDC_FIRM_ADAPTER_FW, m_strAdapterFw);
    DDX_Text(pDX, IDC_FIRM_ADAPTER_BOOT, m_strAdapterBoot);
    DDX_Text(pDX, IDC_FIRM_MOTHER_FW, m_strMotherFw);
    DDX_Text(pDX, IDC_FIRM_MOTHER_BOOT, m_strMotherBoot);
    DDX_Text(pDX, IDC_FIRM_OPTION_FW, m_strOptionFw);
    DDX_Text(pDX, IDC_FIRM_OPTION_BOOT, m_strOptionBoot);
    DDX_Text(pDX, IDC_FIRM_QUENTA_TYPE, m_strInstrumentType);
}

BOOL CPageDiagnosticsFirmData::OnInitDialog() {
    CHelpPropertyPage::OnInitDialog();
    if (!m_pInstrument->IsKindOf(RUNTIME_CLASS(CQuenta6))) {
        for (int nId :
             {IDC_FIRM_QUENTA_TYPE_FRAME, IDC_FIRM_QUENTA_TYPE_LABEL, IDC_FIRM_QUENTA_TYPE})
            GetDlgItem(nId)->ShowWindow(SW_HIDE);
    }
    Refresh(0);
    return TRUE;
}

void CPageDiagnosticsFirmData::Refresh(int) {
    if (GetSafeHwnd() == NULL) return;
    CWaitCursor wait;
    CString texts[kIdentityTextCount];
    GetIdentityTexts(m_pInstrument, texts);
    CString* const fields[kIdentityTextCount] = {
        &m_strHardwareId, &m_strSerialNumber, &m_strOrderNumber, &m_strFirmwareNumber,
        &m_strAdapterFw,  &m_strAdapterBoot,  &m_strOptionFw,    &m_strOptionBoot,
        &m_strMotherFw,   &m_strMotherBoot};
    for (int i = 0; i < kIdentityTextCount; ++i) *fields[i] = texts[i];
    QuentaType type = (QuentaType)1;
    if (m_pInstrument->GetInstrumentType(type))
        m_strInstrumentType = LoadText(type == 2 ? IDS_QUENTA6_G : IDS_QUENTA6_E);
    UpdateData(FALSE);
}
