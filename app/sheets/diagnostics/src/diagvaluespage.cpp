// The diagnostic values page and its worker thread.
#include "diagnosticspages.h"

#include "apputil.h"
#include "diagnosticsprint.h"
#include "lorvix.h"
#include "parvel.h"
#include "quenta.h"
#include "resource.h"
#include "sheethost.h"
#include "sheetreport.h"
#include "sindor23.h"
#include "sindor6.h"
#include "windowwait.h"
#include "VaskGate.h"

#include <objbase.h>

namespace {

// The thread's requests to the page, sent so that the list is touched on the GUI thread only.
const UINT WM_DIAG_THREAD_REQUEST = WM_APP + 0x350;
enum RequestKind { kWriteCell, kInsertNames, kClearList };
struct ThreadRequest {
    RequestKind kind;
    int nRow;
    int nColumn;
    LPCSTR lpszText;
    int bUpdate;
    UINT nNamesId;
};

DiagThreadObserver g_observer = NULL;

// The report fields of the list, column by column.
const UINT kValueFields[] = {IDS_FIELD_MEAS_SIZE, IDS_FIELD_VALUE};

// ---- the models' value tables --------------------------------------------------------------

typedef int (*ReadValue)(CVaskInstrument* pAnalyzer, VaskFloat& value);

template <class Model, int (Model::*member)(VaskFloat&)>
int Read(CVaskInstrument* pAnalyzer, VaskFloat& value) {
    return (static_cast<Model*>(pAnalyzer)->*member)(value);
}

#define VASK_COMMON(member)       &Read<CVaskInstrument, &CVaskInstrument::member>
#define VASK_MODEL(model, member) &Read<model, &model::member>

struct ValueTable {
    int nKind;
    CRuntimeClass* pModel;
    UINT nNamesId;
    std::vector<ReadValue> reads;
};

const std::vector<ValueTable>& ValueTables() {
    static const std::vector<ValueTable> tables = {
        {1,
         RUNTIME_CLASS(CSindor6),
         IDS_DIAG_NAMES_SINDOR6,
         {VASK_COMMON(GetAirPressure), VASK_COMMON(GetFrequency),
          VASK_MODEL(CSindor6, DiagChopperOffset), VASK_MODEL(CSindor6, DiagRecvChamberTemp),
          VASK_MODEL(CSindor6, DiagChopperTemp), VASK_COMMON(DiagDisplayTemp)}},
        {2,
         RUNTIME_CLASS(CParvel6),
         IDS_DIAG_NAMES_PARVEL6,
         {VASK_COMMON(GetAirPressure), VASK_COMMON(GetFrequency),
          VASK_MODEL(CParvel6, DiagMagneticField), VASK_MODEL(CParvel6, DiagPhysTemp),
          VASK_MODEL(CParvel6, DiagHeadTemp), VASK_COMMON(DiagDisplayTemp)}},
        {3,
         RUNTIME_CLASS(CLorvix6),
         IDS_DIAG_NAMES_LORVIX6,
         {VASK_MODEL(CLorvix6, DiagChopperTemp), VASK_MODEL(CLorvix6, DiagAdjustTCDRaw),
          VASK_MODEL(CLorvix6, DiagTCDRaw), VASK_COMMON(DiagDisplayTemp)}},
        {4,
         RUNTIME_CLASS(CSindor23),
         IDS_DIAG_NAMES_SINDOR23,
         {VASK_COMMON(GetAirPressure), VASK_MODEL(CSindor23, DiagChamberTemp),
          VASK_COMMON(DiagDisplayTemp)}},
        {5,
         RUNTIME_CLASS(CQuenta6),
         IDS_DIAG_NAMES_QUENTA6,
         {VASK_MODEL(CQuenta6, DiagPhysicsTemp), VASK_MODEL(CQuenta6, DiagOvenTemp),
          VASK_MODEL(CQuenta6, DiagAdjustTCDRaw), VASK_MODEL(CQuenta6, DiagCatalysatorTemp),
          VASK_COMMON(DiagDisplayTemp), VASK_MODEL(CQuenta6, DiagFlameTemp),
          VASK_MODEL(CQuenta6, DiagAnalogInput), VASK_MODEL(CQuenta6, DiagElectronicTemp),
          VASK_MODEL(CQuenta6, DiagPressureBurnGas), VASK_MODEL(CQuenta6, DiagPressureBurnAir),
          VASK_MODEL(CQuenta6, DiagAdapterReferenceVoltage),
          VASK_MODEL(CQuenta6, DiagAdapterNegativeSupply),
          VASK_MODEL(CQuenta6, DiagAdapterPositiveSupply),
          VASK_MODEL(CQuenta6, DiagAdapterTensileStress)}},
        {7,
         RUNTIME_CLASS(CParvel64),
         IDS_DIAG_NAMES_PARVEL64,
         {VASK_MODEL(CParvel64, DiagTCDTemp), VASK_MODEL(CParvel64, DiagTCDRaw),
          VASK_COMMON(DiagDisplayTemp), VASK_MODEL(CParvel64, DiagSignalVector),
          VASK_MODEL(CParvel64, DiagFaultVector)}},
        {8,
         RUNTIME_CLASS(CLorvix62),
         IDS_DIAG_NAMES_LORVIX62,
         {VASK_MODEL(CLorvix62, DiagSensorTemp), VASK_MODEL(CLorvix62, DiagGaslaneTemp),
          VASK_MODEL(CLorvix62, DiagSensorVoltage), VASK_COMMON(DiagDisplayTemp),
          VASK_MODEL(CLorvix62, DiagElectronicTemp)}},
    };
    return tables;
}

#undef VASK_COMMON
#undef VASK_MODEL

// What a row shows when its read fails: no value, not the previous row's.
void SetNoValue(VaskFloat& value) {
    value = VaskFloat();
    value.value = 0.0;
    value.text.LoadString(IDS_UNKNOWN);
    value.unit = 1;
}

}  // namespace

DiagThreadObserver SetDiagThreadObserver(DiagThreadObserver pObserver) {
    DiagThreadObserver pPrevious = g_observer;
    g_observer = pObserver;
    return pPrevious;
}

// ---- the page -----------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CPageDiagnosticsValues, CPropertyPage)

BEGIN_MESSAGE_MAP(CPageDiagnosticsValues, CHelpPropertyPage)
ON_WM_DESTROY()
ON_MESSAGE(WM_DIAG_THREAD_REQUEST, OnThreadRequest)
END_MESSAGE_MAP()

CPageDiagnosticsValues::CPageDiagnosticsValues(CVaskInstrument* pInstrument)
    : CHelpPropertyPage(IDD_DIAG_VALUES),
      m_pInstrument(pInstrument),
      m_busy(0),
      m_stop(false),
      m_nTicks(20),
      m_nThreadStarts(0),
      m_hThread(NULL) {}

CPageDiagnosticsValues::~CPageDiagnosticsValues() { StopValuesThread(); }

void CPageDiagnosticsValues::DoDataExchange(CDataExchange* pDX) {
    CHelpPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DIAG_VALUE_LIST, m_list);
}

BOOL CPageDiagnosticsValues::OnInitDialog() {
    CHelpPropertyPage::OnInitDialog();
    m_list.InsertColumnsFromString(IDS_DIAG_VALUE_COLUMNS);
    TimerTick(0);
    return TRUE;
}

void CPageDiagnosticsValues::OnDestroy() {
    // The list still exists here, so the row the thread is writing lands before it ends.
    StopValuesThread();
    CHelpPropertyPage::OnDestroy();
}

void CPageDiagnosticsValues::TimerTick(int bUpdate) {
    if (GetSafeHwnd() == NULL) return;
    if (m_nTicks >= 20 && !IsBusy()) {
        StartThread(bUpdate);
        m_nTicks = 0;
    }
    ++m_nTicks;
}

void CPageDiagnosticsValues::StartThread(int bUpdate) {
    // The handle of the thread before, if it has ended, is ours to give back.
    if (m_hThread != NULL) {
        CloseHandle(m_hThread);
        m_hThread = NULL;
    }
    CDiagValuesThread* pThread = (CDiagValuesThread*)AfxBeginThread(
        RUNTIME_CLASS(CDiagValuesThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (pThread == NULL) return;
    pThread->SetParameters(m_pInstrument, 0, bUpdate);
    // Without a handle to wait for, the page could go before the thread: it then ends at once.
    if (!DuplicateHandle(GetCurrentProcess(), pThread->m_hThread, GetCurrentProcess(), &m_hThread,
                         SYNCHRONIZE, FALSE, 0)) {
        m_hThread = NULL;
        pThread->ResumeThread();
        return;
    }
    pThread->SetPage(this);
    m_stop.store(false);
    // Busy before the thread runs: a print right after the start must wait for it.
    m_busy.store(1);
    ++m_nThreadStarts;
    pThread->ResumeThread();
}

void CPageDiagnosticsValues::StopValuesThread() {
    if (m_hThread == NULL) return;
    m_stop.store(true);
    // The thread may be sending a row write: the wait answers it.
    while (WaitOnWindowThread(m_hThread, INFINITE) == WaitEnd::Quit) {
        // The quit stays for the thread's loop; the rest is waited answering what is sent.
        const DWORD rc = MsgWaitForMultipleObjects(1, &m_hThread, FALSE, INFINITE, QS_SENDMESSAGE);
        if (rc != WAIT_OBJECT_0 + 1) break;
        MSG msg;
        PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(m_hThread);
    m_hThread = NULL;
}

void CPageDiagnosticsValues::WaitForValuesThread() {
    if (!IsBusy()) return;
    // Cancel must not close the sheet and free this page under the print.
    CWnd* pSheet = GetParent();
    const BOOL bWasEnabled = pSheet != NULL && pSheet->IsWindowEnabled();
    if (pSheet != NULL) pSheet->EnableWindow(FALSE);
    // The progress window enables the main window when it goes; under the modal sheet it
    // must stay disabled.
    CWnd* pMain = AfxGetMainWnd();
    const BOOL bMainEnabled = pMain != NULL && pMain->GetSafeHwnd() != NULL && pMain != pSheet &&
                              pMain->IsWindowEnabled();
    GetSheetHost().StartProgress(pSheet, IDS_WAIT_FOR_VALUES);
    // The wait cursor is counted: turned on once, then only shown again after each message.
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL) pApp->DoWaitCursor(1);
    // The thread's writes come as sent messages, which the wait answers; the progress
    // window's Cancel is taken inside. It says by its flag when it is done.
    const DWORD kBusyLook = 50;
    while (IsBusy()) {
        if (pApp != NULL) pApp->DoWaitCursor(0);
        if (WaitOnWindowThread(m_hThread, kBusyLook) == WaitEnd::Quit) break;
    }
    GetSheetHost().StopProgress();
    if (pMain != NULL && pMain->GetSafeHwnd() != NULL && pMain != pSheet && !bMainEnabled)
        pMain->EnableWindow(FALSE);
    if (pSheet != NULL && bWasEnabled) pSheet->EnableWindow(TRUE);
    if (pApp != NULL) pApp->DoWaitCursor(-1);
}

LRESULT CPageDiagnosticsValues::OnThreadRequest(WPARAM, LPARAM lParam) {
    const ThreadRequest* pRequest = (const ThreadRequest*)lParam;
    if (pRequest == NULL || m_list.GetSafeHwnd() == NULL) return FALSE;
    switch (pRequest->kind) {
        case kWriteCell:
            m_list.SetItemTextFitColumn(pRequest->nRow, pRequest->nColumn, pRequest->lpszText, -1,
                                        pRequest->bUpdate);
            return TRUE;
        case kInsertNames: m_list.InsertItemsFromString(pRequest->nNamesId); return TRUE;
        case kClearList: m_list.DeleteAllItemsAndColumns(); return TRUE;
    }
    return FALSE;
}

// The thread's side: a request sent to the page; FALSE when the page or its list is gone.
static BOOL SendToPage(CPageDiagnosticsValues* pPage, const ThreadRequest& request) {
    const HWND hPage = pPage->GetSafeHwnd();
    if (hPage == NULL || !::IsWindow(hPage) || !::IsWindow(pPage->m_list.GetSafeHwnd()))
        return FALSE;
    return ::SendMessageA(hPage, WM_DIAG_THREAD_REQUEST, 0, (LPARAM)&request) != 0;
}

BOOL CPageDiagnosticsValues::WriteRowText(int nRow, int nColumn, LPCSTR lpszText, int bUpdate) {
    return SendToPage(this, ThreadRequest{kWriteCell, nRow, nColumn, lpszText, bUpdate, 0});
}

BOOL CPageDiagnosticsValues::InsertRowNames(UINT nNamesId) {
    return SendToPage(this, ThreadRequest{kInsertNames, 0, 0, NULL, 0, nNamesId});
}

BOOL CPageDiagnosticsValues::ClearListForUnknownModel() {
    return SendToPage(this, ThreadRequest{kClearList, 0, 0, NULL, 0, 0});
}

int CPageDiagnosticsValues::PrintPage(int hJob, int nLastPage) {
    WaitForValuesThread();
    return PrintDiagnosticsList(hJob, nLastPage, m_pInstrument, 4, m_list, kValueFields, 2);
}

int CPageDiagnosticsValues::PrintRow(int hJob, int nRow) {
    return PrintListRecord(hJob, m_list, nRow, kValueFields, 2);
}

// ---- the thread ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CDiagValuesThread, CWinThread)

CDiagValuesThread::CDiagValuesThread()
    : m_pPage(NULL), m_pInstrument(NULL), m_bUpdate(0), m_bComStarted(FALSE), m_bExited(FALSE) {}

BOOL CDiagValuesThread::InitInstance() {
    // The gateway client exists once per thread: this thread needs its own.
    m_bComStarted = InitVGComm();
    if (g_observer != NULL) g_observer(TRUE, m_bComStarted);
    return m_bComStarted;
}

int CDiagValuesThread::ExitInstance() {
    if (!m_bExited) {
        m_bExited = TRUE;
        VGUninitialize();
        if (m_bComStarted) CoUninitialize();
        if (g_observer != NULL) g_observer(FALSE, m_bComStarted);
        // On every way out, also a failed start: a flag left set would hold off every later
        // reading and keep a print waiting for ever.
        if (m_pPage != NULL) m_pPage->ClearBusy();
    }
    return CWinThread::ExitInstance();
}

int CDiagValuesThread::Run() {
    if (m_pPage != NULL && m_pInstrument != NULL) ReadValues(m_pInstrument->GetModelKind());
    ExitInstance();
    return 1;
}

BOOL CDiagValuesThread::SetRowText(int nRow, int nColumn, LPCSTR lpszText) {
    return m_pPage->WriteRowText(nRow, nColumn, lpszText, m_bUpdate);
}

BOOL CDiagValuesThread::ReadValues(int nModelKind) {
    const ValueTable* pTable = NULL;
    for (const ValueTable& table : ValueTables())
        if (table.nKind == nModelKind && m_pInstrument->IsKindOf(table.pModel)) pTable = &table;
    if (pTable == NULL) return m_pPage->ClearListForUnknownModel();
    if (m_bUpdate == 0 && !m_pPage->InsertRowNames(pTable->nNamesId)) return FALSE;
    VaskFloat value;
    int nRow = 0;
    for (ReadValue read : pTable->reads) {
        // Closing the sheet waits for this thread: it stops before the next device request.
        if (m_pPage->IsStopRequested()) return FALSE;
        SetNoValue(value);
        read(m_pInstrument, value);
        CString unit;
        CVaskInstrument::GetUnitText(unit, value.unit);
        if (!SetRowText(nRow++, 1, value.text + " " + unit)) return FALSE;
    }
    const HWND hList = m_pPage->m_list.GetSafeHwnd();
    if (hList != NULL) ::UpdateWindow(hList);
    return TRUE;
}
