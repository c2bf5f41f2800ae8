// The instrument view.
#include "instrumentview.h"

#include "appmessages.h"
#include "appwait.h"
#include "clockdlg.h"
#include "converter.h"
#include "mainframe.h"
#include "netlist.h"
#include "newdatadlg.h"
#include "pcvaskapp.h"
#include "port.h"
#include "reportjob.h"
#include "tracefile.h"
#include "updatethread.h"
#include "vaskinstrument.h"
#include "viewmessage.h"
#include "windowwait.h"
#include "windowwork.h"

#include <ctype.h>

IMPLEMENT_DYNCREATE(CInstrumentView, CFormView)

namespace {

// Model type codes (string 15100 + code).
enum {
    kSindor6 = 1,
    kParvel6 = 2,
    kLorvix6 = 3,
    kSindor23 = 4,
    kQuenta6 = 5,
    kParvel64 = 7,
    kLorvix62 = 8
};

const int kRefreshLimit = 60;
const UINT kHelpHitTest = 0x20000 + IDD_INSTRUMENT_VIEW;
// The "Motherboard Boot Version" entry.
const int kMotherboardBootVersion = 581;
const int kPictureOperation = IDB_OPERATION;
const int kPictureNetworkSearch = IDB_NETWORK_SEARCH;

// What a command needs to be enabled.
enum Need : unsigned {
    kAlways = 0,
    kAnalyzer = 1 << 0,
    kOnline = 1 << 1,
    kLevel2 = 1 << 2,
    kNotSindor23 = 1 << 3,
    kCompareSet = 1 << 4,
    kCompareMode = 1 << 5,
    kClockModel = 1 << 6,
    kNever = 1 << 7
};
struct CommandRule {
    UINT nID;
    unsigned needs;
};
const CommandRule kCommandRules[] = {
    {ID_LOAD_FROM_DISK, kAlways},
    {ID_SAVE_TO_DISK, kAlways},
    {ID_SAVE_TO_DISK_AS, kAlways},
    {ID_CREATE_NEW_DATA_SET, kAlways},
    {ID_FACTORY_SETTINGS, kNever},
    {ID_LOAD_PC_DATA, kAnalyzer | kLevel2 | kOnline},
    {ID_SAVE_PC_DATA, kAnalyzer | kLevel2 | kOnline},
    {ID_LOAD_USER_DATA, kAnalyzer | kNotSindor23 | kOnline | kLevel2},
    {ID_SAVE_USER_DATA, kAnalyzer | kNotSindor23 | kOnline | kLevel2},
    {ID_LOAD_FACTORY_DATA, kAnalyzer | kOnline | kLevel2},
    {ID_PRINT_PARAMETERS, kAlways},
    {ID_COMPARE_OFFLINE, kAnalyzer | kOnline},
    {ID_TRANSFER_OFFLINE, kAnalyzer | kOnline | kLevel2 | kCompareSet | kCompareMode},
    {ID_DEVICE_CLOCK, kAnalyzer | kOnline | kClockModel},
    {ID_DOWNLOAD_MAINBOARD, kAnalyzer | kLevel2},
    // Without an analyzer the command would have nothing to download to.
    {ID_DOWNLOAD_PROFIBUS, kAnalyzer | kOnline | kLevel2},
};

BOOL IsClockModel(int nModel) {
    switch (nModel) {
        case kSindor6:
        case kParvel6:
        case kQuenta6:
        case kLorvix6:
        case kLorvix62:
        case kParvel64: return TRUE;
    }
    return FALSE;
}

CString LoadText(UINT nID) {
    CString text;
    text.LoadString(nID);
    return text;
}

BOOL IsOnline() {
    CPCVaskApp* pApp = CPCVaskApp::Get();
    return pApp != NULL && pApp->IsOnlineMode();
}

void SetCompareFlag(int nOn) {
    if (CPCVaskApp* pApp = CPCVaskApp::Get()) pApp->SetCompareMode(nOn);
}

int AccessLevel() {
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != NULL && pMain->IsKindOf(RUNTIME_CLASS(CKemMainFrame)))
        return ((CKemMainFrame*)pMain)->GetAccessLevel();
    return 0;
}

CKemMainFrame* MainFrame() {
    CWnd* pMain = AfxGetMainWnd();
    return pMain != NULL && pMain->IsKindOf(RUNTIME_CLASS(CKemMainFrame)) ? (CKemMainFrame*)pMain
                                                                          : NULL;
}

// Waits until the thread has ended or `dwLimit` ms have passed; TRUE when it ended. The
// thread sends to the frame's windows and fills the tree: that is answered meanwhile. After
// a WM_QUIT only what is sent is answered, so that the wait neither spins nor swallows the
// end of the loop.
BOOL WaitForThreadEnd(HANDLE hThread, DWORD dwLimit) {
    const ULONGLONG deadline = ::GetTickCount64() + dwLimit;
    if (WaitOnWindowThread(hThread, dwLimit) != WaitEnd::Quit)
        return ::WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD dwLeft = now < deadline ? (DWORD)(deadline - now) : 0;
        const DWORD r = ::MsgWaitForMultipleObjectsEx(1, &hThread, dwLeft, QS_SENDMESSAGE, 0);
        if (r == WAIT_OBJECT_0) return TRUE;
        if (r != WAIT_OBJECT_0 + 1) return FALSE;  // the time is up, or the handle is bad
        MSG msg;
        ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// The report engine's print of the parameter list.
class CReportListPrinter : public CParameterListPrinter {
public:
    int StartJob(CWnd* pParent) override {
        m_info = CReportJobInfo();
        return StartReportJob(IDS_PRINT_TYPE_FIRST + 0, &m_info, pParent);
    }
    int LastPage(int) override { return m_info.nLastPage; }
    int CurrentPage(int hJob) override { return LlPrintGetCurrentPage(hJob); }
    int PrintHeader(int hJob, LPCSTR lpszInstrument) override {
        LlDefineVariableStart(hJob);
        DefineReportHeaderVariables(hJob);
        DefineReportVariable(hJob, IDS_VAR_INSTRUMENT, lpszInstrument);
        return LlPrint(hJob);
    }
    int PrintRow(int hJob, LPCSTR lpszGroup, LPCSTR lpszParameter, LPCSTR lpszValue) override {
        LlDefineFieldStart(hJob);
        DefineReportField(hJob, IDS_FIELD_PARAMETER_GROUP, lpszGroup);
        DefineReportField(hJob, IDS_FIELD_PARAMETER, lpszParameter);
        DefineReportField(hJob, IDS_FIELD_VALUE, lpszValue);
        return PrintReportRecord(hJob);
    }
    void EndJob(int hJob, CWnd* pParent) override { EndReportPreview(hJob, &m_info, pParent); }
    void AbortJob(int hJob) override {
        LlPrintEnd(hJob, 0);
        LlJobClose(hJob);
    }

private:
    CReportJobInfo m_info;
};

CParameterListPrinter* g_pPrinter = NULL;

}  // namespace

CParameterListPrinter* CInstrumentView::SetParameterListPrinter(CParameterListPrinter* pPrinter) {
    CParameterListPrinter* pOld = g_pPrinter;
    g_pPrinter = pPrinter;
    return pOld;
}

BEGIN_MESSAGE_MAP(CInstrumentView, CFormView)
ON_WM_SIZE()
ON_WM_DESTROY()
ON_WM_LBUTTONDBLCLK()
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
ON_REGISTERED_MESSAGE(WM_VASK_ERROR, OnVaskErrorMessage)
ON_REGISTERED_MESSAGE(WM_DOWNLOAD_PROGRESS, OnDownloadProgress)
ON_REGISTERED_MESSAGE(WM_PARAMETER_PROGRESS, OnParameterProgress)
ON_REGISTERED_MESSAGE(WM_TREECHANGED, OnTreeChanged)
ON_REGISTERED_MESSAGE(WM_OFFLINE_TRANSFER, OnOfflineTransfer)
ON_COMMAND(ID_LOAD_FROM_DISK, OnLoadFromDisk)
ON_COMMAND(ID_SAVE_TO_DISK, OnSaveToDisk)
ON_COMMAND(ID_SAVE_TO_DISK_AS, OnSaveToDiskAs)
ON_COMMAND(ID_CREATE_NEW_DATA_SET, OnCreateNewDataSet)
ON_COMMAND(ID_FACTORY_SETTINGS, OnFactorySettings)
ON_COMMAND(ID_LOAD_PC_DATA, OnLoadPcData)
ON_COMMAND(ID_SAVE_PC_DATA, OnSavePcData)
ON_COMMAND(ID_LOAD_USER_DATA, OnLoadUserData)
ON_COMMAND(ID_SAVE_USER_DATA, OnSaveUserData)
ON_COMMAND(ID_LOAD_FACTORY_DATA, OnLoadFactoryData)
ON_COMMAND(ID_PRINT_PARAMETERS, OnPrint)
ON_COMMAND(ID_COMPARE_OFFLINE, OnCompare)
ON_COMMAND(ID_TRANSFER_OFFLINE, OnTransferOffline)
ON_COMMAND(ID_DEVICE_CLOCK, OnDeviceClock)
ON_COMMAND(ID_DOWNLOAD_MAINBOARD, OnDownload)
ON_COMMAND(ID_DOWNLOAD_PROFIBUS, OnDownloadProfibus)
ON_UPDATE_COMMAND_UI(ID_LOAD_FROM_DISK, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_SAVE_TO_DISK, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_SAVE_TO_DISK_AS, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_CREATE_NEW_DATA_SET, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_FACTORY_SETTINGS, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_LOAD_PC_DATA, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_SAVE_PC_DATA, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_LOAD_USER_DATA, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_SAVE_USER_DATA, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_LOAD_FACTORY_DATA, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_PRINT_PARAMETERS, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_COMPARE_OFFLINE, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_TRANSFER_OFFLINE, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_DEVICE_CLOCK, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_DOWNLOAD_MAINBOARD, OnUpdateCommand)
ON_UPDATE_COMMAND_UI(ID_DOWNLOAD_PROFIBUS, OnUpdateCommand)
END_MESSAGE_MAP()

CInstrumentView::CInstrumentView()
    : CFormView(IDD),
      m_bBusy(0),
      m_bStopRequested(0),
      m_bRefreshPending(0),
      m_nComparePass(0),
      m_bCommLostShown(0),
      m_bInitialized(0),
      m_pDownloadAccess(NULL),
      m_bCompareMode(0),
      m_dlgMessage(NULL),
      m_nRefreshTicks(kRefreshLimit),
      m_nRefreshLimit(kRefreshLimit),
      m_pInstrument(NULL),
      m_bFieldbusDownload(0),
      m_hUpdateThread(NULL),
      m_bStopperAdded(FALSE) {}

CInstrumentView::~CInstrumentView() {
    WaitForUpdateThread();
    delete m_pDownloadAccess;
}

BOOL CInstrumentView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CFormView::PreCreateWindow(cs);
}

// ---- helpers --------------------------------------------------------------------------------

CPCVaskDoc* CInstrumentView::GetDoc() const {
    CDocument* pDoc = GetDocument();
    return pDoc != NULL && pDoc->IsKindOf(RUNTIME_CLASS(CPCVaskDoc)) ? (CPCVaskDoc*)pDoc : NULL;
}

CVaskInstrument* CInstrumentView::GetSelectedAnalyzer() const {
    CPCVaskDoc* pDoc = GetDoc();
    CInstrument* pNode = pDoc != NULL ? pDoc->GetCurrentInstrument() : NULL;
    return pNode != NULL && pNode->IsKindOf(RUNTIME_CLASS(CVaskInstrument))
               ? (CVaskInstrument*)pNode
               : NULL;
}

CVaskInstrument* CInstrumentView::ValidInstrument() const {
    CPCVaskDoc* pDoc = GetDoc();
    if (m_pInstrument == NULL || pDoc == NULL) return NULL;
    return pDoc->GetPortList()->Find(m_pInstrument) != NULL ? m_pInstrument : NULL;
}

void CInstrumentView::ResetTreeLinks() {
    CVaskInstrument* pInstrument = ValidInstrument();
    if (pInstrument == NULL) return;
    const CObList& groups = pInstrument->GetGroupList();
    for (POSITION pos = groups.GetHeadPosition(); pos != NULL;) {
        CParameterGroup* pGroup = (CParameterGroup*)groups.GetNext(pos);
        pGroup->SetTreeItem(NULL);
        const CObList& parameters = pGroup->GetParameterList();
        for (POSITION p = parameters.GetHeadPosition(); p != NULL;)
            ((CVaskParameter*)parameters.GetNext(p))->SetTreeItem(NULL);
    }
}

void CInstrumentView::DeleteRows() {
    CTLTreeCtrl& tree = GetTreeCtrl();
    if (::IsWindow(tree.GetSafeHwnd())) {
        while (tree.DeleteColumn(0)) {}
        tree.DeleteAll();
    }
    m_nComparePass = 0;
    ResetTreeLinks();
}

void CInstrumentView::InsertHeaders() {
    CTLTreeCtrl& tree = GetTreeCtrl();
    if (!::IsWindow(tree.GetSafeHwnd())) return;
    tree.InsertColumnsFromString(m_bCompareMode ? IDS_IV_COLUMNS_COMPARE : IDS_IV_COLUMNS);
    m_wndTree.RecalcLayout();
}

void CInstrumentView::EndCompareMode() {
    if (CVaskInstrument* pInstrument = ValidInstrument()) pInstrument->DeleteCompareInstrument();
    m_bCompareMode = 0;
    SetCompareFlag(0);
}

void CInstrumentView::ShowError(const ErrorStruct_& error) {
    CString text;
    text.Format(LoadText(IDS_IV_ERROR_CODE), (LPCSTR)CString(error.text), (int)error.code);
    const int nLetter = (int)((error.info >> 8) & 0xFF);
    if (nLetter != 0) {
        CString command;
        command.Format(LoadText(IDS_VASK_COMMAND), nLetter, (int)(error.info & 0xFF));
        text = command + "\n" + text;
    }
    AfxMessageBox(text, MB_OK);
}

// ---- the update thread ------------------------------------------------------------------

BOOL CInstrumentView::RequestStop() {
    if (!m_bBusy) return FALSE;
    m_bStopRequested = 1;
    return TRUE;
}

BOOL CInstrumentView::WaitForUpdateThread(DWORD dwLimit) {
    const BOOL bStopped = RequestStop();
    if (m_hUpdateThread != NULL) {
        if (WaitForThreadEnd(m_hUpdateThread, dwLimit)) {
            ::CloseHandle(m_hUpdateThread);
            m_hUpdateThread = NULL;
        } else {
            // A read that never ends: the handle stays for the next wait, and the callers
            // that delete what the thread uses ask IsUpdateThreadRunning first.
            CTraceFile trace(0, "");
            trace.Write("The update thread did not end in time");
        }
    }
    return bStopped;
}

BOOL CInstrumentView::IsUpdateThreadRunning() const {
    return m_hUpdateThread != NULL && ::WaitForSingleObject(m_hUpdateThread, 0) != WAIT_OBJECT_0;
}

void CInstrumentView::StopWorkerThread(CPCVaskDoc*) { WaitForUpdateThread(); }

void CInstrumentView::StartUpdateThread(CVaskInstrument* pInstrument, int bRefreshOnly) {
    WaitForUpdateThread();
    // Never two at once: a read that did not end in time keeps the rows to itself.
    if (IsUpdateThreadRunning()) return;
    CUpdateThread* pThread = (CUpdateThread*)AfxBeginThread(
        RUNTIME_CLASS(CUpdateThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (pThread == NULL) return;
    pThread->SetOwnerView(this);
    pThread->SetMainWindow(AfxGetMainWnd());
    pThread->SetUpdateJob(pInstrument, bRefreshOnly);
    // The object deletes itself at the thread's end; its handle is kept for the wait.
    ::DuplicateHandle(::GetCurrentProcess(), pThread->m_hThread, ::GetCurrentProcess(),
                      &m_hUpdateThread, SYNCHRONIZE, FALSE, 0);
    m_bBusy = 1;
    pThread->ResumeThread();
}

// ---- the class library's view -------------------------------------------------------------

void CInstrumentView::OnInitialUpdate() {
    if (m_bInitialized) return;
    CFormView::OnInitialUpdate();
    m_wndTree.AttachToDlgItem(IDC_INSTRUMENT_TREE, this);
    CRect rect;
    GetClientRect(&rect);
    m_wndTree.MoveWindow(&rect);
    m_bInitialized = 1;
    if (CPCVaskDoc* pDoc = GetDoc()) {
        pDoc->AddWorkerThreadStopper(this);
        m_bStopperAdded = TRUE;
    }
}

void CInstrumentView::OnSize(UINT nType, int cx, int cy) {
    CFormView::OnSize(nType, cx, cy);
    SetScrollRange(SB_HORZ, 0, 0, FALSE);
    SetScrollRange(SB_VERT, 0, 0, FALSE);
    if (m_bInitialized) m_wndTree.MoveWindow(0, 0, cx, cy);
}

void CInstrumentView::OnDestroy() {
    WaitForUpdateThread();
    if (m_bStopperAdded) {
        if (CPCVaskDoc* pDoc = GetDoc()) pDoc->RemoveWorkerThreadStopper(this);
        m_bStopperAdded = FALSE;
    }
    CFormView::OnDestroy();
}

void CInstrumentView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
    if (pActivateView != pDeactiveView) {
        if (bActivate)
            OnUpdate(NULL, 3, NULL);
        else
            RequestStop();
    }
    CFormView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CInstrumentView::OnUpdate(CView*, LPARAM lHint, CObject*) {
    CPCVaskDoc* pDoc = GetDoc();
    switch (lHint) {
        case 1:
            if (pDoc == NULL || pDoc->GetCurrentInstrument() == m_pInstrument) break;
            WaitForUpdateThread();
            m_nRefreshTicks = m_nRefreshLimit;
            m_bRefreshPending = 0;
            DeleteRows();
            // The old analyzer may have gone with a rebuild: it is touched only while the
            // document still holds it.
            EndCompareMode();
            m_pInstrument = GetSelectedAnalyzer();
            break;
        case 3: ++m_nRefreshTicks; break;
        case 5:
            m_nRefreshTicks = m_nRefreshLimit;
            m_bRefreshPending = 0;
            DeleteRows();
            return;
        case 6:
            m_nRefreshTicks = m_nRefreshLimit;
            m_bRefreshPending = 1;
            break;
        default: return;
    }
    if (m_bBusy) return;
    if (!IsWindowVisible() && IsOnline()) return;
    if (pDoc == NULL || pDoc->GetCurrentInstrument() == NULL) return;
    OnVaskError(NULL, NULL);
    CVaskInstrument* pSelected = GetSelectedAnalyzer();
    if (pSelected == NULL) return;
    if (m_bRefreshPending && m_nRefreshTicks < m_nRefreshLimit) return;
    int bRefreshOnly = 0;
    if (m_bRefreshPending) {
        bRefreshOnly = 1;
        m_nRefreshTicks = 0;
    } else {
        DeleteRows();
        InsertHeaders();
    }
    StartUpdateThread(pSelected, bRefreshOnly);
    m_bRefreshPending = 1;
    m_nRefreshTicks = 0;
}

// ---- messages -------------------------------------------------------------------------------

LRESULT CInstrumentView::OnCommandHelp(WPARAM, LPARAM) { return 0; }

LRESULT CInstrumentView::OnHelpHitTest(WPARAM, LPARAM) { return kHelpHitTest; }

LRESULT CInstrumentView::OnVaskErrorMessage(WPARAM wParam, LPARAM lParam) {
    OnVaskError((LPCSTR)wParam, (ErrorStruct_*)lParam);
    return 1;
}

void CInstrumentView::OnVaskError(LPCSTR lpszText, ErrorStruct_* pError) {
    CVaskInstrument* pInstrument = ValidInstrument();
    if (pInstrument == NULL) return;
    if (pInstrument->IsTransferRunning() && lpszText != NULL && pError != NULL) {
        // The transfer's own box names the step that failed.
        pError->code = 0;
        return;
    }
    const BOOL bFailed = lpszText != NULL && pError != NULL && pError->code != 0;
    // The report with the failure's text.
    auto tell = [&] { AfxMessageBox(CString(lpszText) + "\n" + pError->text, MB_OK); };
    if (pInstrument->GetState() == 4) {
        if (!m_bCommLostShown) {
            m_bCommLostShown = 1;
            AfxMessageBox(IDS_IV_COMM_LOST, MB_OK);
        }
        // A write or command that could not be made is told as not made, outage or not: a
        // read is told by the outage's one message.
        if (bFailed && isupper((int)((pError->info >> 8) & 0xFF))) tell();
        if (lpszText != NULL && pError != NULL) pError->code = 0;
        return;
    }
    m_bCommLostShown = 0;
    if (bFailed) {
        tell();
        pError->code = 0;
    }
}

LRESULT CInstrumentView::OnDownloadProgress(WPARAM wParam, LPARAM lParam) {
    m_dlgMessage.SetPos((int)wParam);
    static const struct {
        UINT nTextId;
        BOOL bCancel;
    } kPhases[] = {{IDS_IV_DL_RESET, FALSE},     {IDS_IV_DL_STARTED, TRUE},
                   {IDS_IV_DL_VERIFY, FALSE},    {IDS_IV_DL_RESTART, FALSE},
                   {IDS_IV_DL_COMPLETED, FALSE}, {IDS_IV_DL_WAIT_RESTART, FALSE}};
    const int nPhase = (int)lParam;
    if (nPhase >= 1 && nPhase <= 6) {
        m_dlgMessage.SetTextId(kPhases[nPhase - 1].nTextId);
        m_dlgMessage.ShowCancel(kPhases[nPhase - 1].bCancel);
    }
    if (m_dlgMessage.IsCancelled()) {
        if (AfxMessageBox(IDS_IV_ASK_ABORT_DOWNLOAD, MB_OKCANCEL) != IDOK) {
            m_dlgMessage.ClearCancel();
        } else if (IsOnline()) {
            if (CVaskInstrument* pInstrument = ValidInstrument()) pInstrument->AbortDownload();
        } else if (m_pDownloadAccess != NULL) {
            m_pDownloadAccess->AbortDownload();
        }
    }
    return 0;
}

LRESULT CInstrumentView::OnParameterProgress(WPARAM wParam, LPARAM lParam) {
    m_dlgMessage.SetPos((int)wParam);
    m_dlgMessage.SetTextId(IDS_IV_PC_TRANSFER);
    m_dlgMessage.ShowCancel(TRUE);
    if (m_dlgMessage.IsCancelled()) {
        if (AfxMessageBox(IDS_IV_ASK_ABORT_PC_DATA, MB_OKCANCEL) != IDOK)
            m_dlgMessage.ClearCancel();
        else if (CVaskInstrument* pInstrument = ValidInstrument())
            pInstrument->AbortDownload();
    }
    if (wParam == 100 && lParam == 1) m_dlgMessage.SetTextId(IDS_IV_DL_RESET);
    return 0;
}

LRESULT CInstrumentView::OnOfflineTransfer(WPARAM wParam, LPARAM) {
    m_dlgMessage.SetPos((int)wParam);
    m_dlgMessage.IsCancelled();
    return 1;
}

LRESULT CInstrumentView::OnTreeChanged(WPARAM, LPARAM) {
    CTLTreeCtrl& tree = GetTreeCtrl();
    if (!::IsWindow(tree.GetSafeHwnd())) return 1;
    for (HTREEITEM hItem = tree.GetRootItem(); hItem != NULL;
         hItem = tree.GetNextSiblingItem(hItem)) {
        CObject* pObject = (CObject*)tree.GetItemUserValue(hItem);
        if (pObject == NULL) continue;
        CParameterGroup* pGroup = NULL;
        if (pObject->IsKindOf(RUNTIME_CLASS(CVaskParameter)))
            pGroup = ((CVaskParameter*)pObject)->GetGroup();
        else if (pObject->IsKindOf(RUNTIME_CLASS(CParameterGroup)))
            pGroup = (CParameterGroup*)pObject;
        if (pGroup != NULL) pGroup->WriteProfileFlags(tree.IsItemExpanded(hItem) ? 1 : 0);
    }
    return 1;
}

void CInstrumentView::OnLButtonDblClk(UINT nFlags, CPoint point) {
    CTLTreeCtrl& tree = GetTreeCtrl();
    if (::IsWindow(tree.GetSafeHwnd())) {
        // The tree passes its double clicks on through the frame with its own point.
        UINT nHitFlags = 0;
        HTREEITEM hItem = tree.HitTest(point, &nHitFlags);
        CObject* pObject = hItem != NULL ? (CObject*)tree.GetItemUserValue(hItem) : NULL;
        CVaskInstrument* pInstrument = ValidInstrument();
        if (pObject != NULL && pInstrument != NULL &&
            pObject->IsKindOf(RUNTIME_CLASS(CVaskParameter)))
            ((CVaskParameter*)pObject)->Edit(pInstrument);
    }
    CFormView::OnLButtonDblClk(nFlags, point);
}

BOOL CInstrumentView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    NMHDR* pNMHDR = (NMHDR*)lParam;
    CTLTreeCtrl& tree = GetTreeCtrl();
    if (pNMHDR != NULL && pNMHDR->code == TVN_GETDISPINFOA && tree.GetSafeHwnd() != NULL &&
        pNMHDR->hwndFrom == tree.GetSafeHwnd()) {
        TVITEMA& item = ((NMTVDISPINFOA*)lParam)->item;
        CPCVaskDoc* pDoc = GetDoc();
        if ((item.mask & TVIF_TEXT) && pDoc != NULL && !pDoc->IsBusy() && item.pszText != NULL &&
            item.cchTextMax > 0) {
            CObject* pObject = (CObject*)tree.GetItemUserValue(item.hItem);
            CString name;
            if (pObject != NULL && pObject->IsKindOf(RUNTIME_CLASS(CVaskParameter)))
                name = ((CVaskParameter*)pObject)->GetName();
            else if (pObject != NULL && pObject->IsKindOf(RUNTIME_CLASS(CParameterGroup)))
                name = ((CParameterGroup*)pObject)->GetName();
            if (pObject != NULL) {
                // At most the buffer's size, terminator included.
                lstrcpynA(item.pszText, name, item.cchTextMax);
                *pResult = 0;
                return TRUE;
            }
        }
    }
    return CFormView::OnNotify(wParam, lParam, pResult);
}

// ---- enabling ---------------------------------------------------------------------------------

void CInstrumentView::OnUpdateCommand(CCmdUI* pCmdUI) {
    unsigned needs = kNever;
    for (const CommandRule& rule : kCommandRules)
        if (rule.nID == pCmdUI->m_nID) needs = rule.needs;
    CVaskInstrument* pAnalyzer = GetSelectedAnalyzer();
    const int nModel = pAnalyzer != NULL ? pAnalyzer->GetModelKind() : -1;
    BOOL bEnable = (needs & kNever) == 0;
    if (needs & kAnalyzer) bEnable = bEnable && pAnalyzer != NULL;
    if (needs & kOnline) bEnable = bEnable && IsOnline();
    if (needs & kLevel2) bEnable = bEnable && AccessLevel() >= 2;
    if (needs & kNotSindor23) bEnable = bEnable && nModel != kSindor23;
    if (needs & kCompareSet)
        bEnable = bEnable && pAnalyzer != NULL && pAnalyzer->GetCompareInstrument() != NULL;
    if (needs & kCompareMode) bEnable = bEnable && m_bCompareMode;
    if (needs & kClockModel) bEnable = bEnable && IsClockModel(nModel);
    pCmdUI->Enable(bEnable);
    if (pCmdUI->m_nID == ID_COMPARE_OFFLINE) pCmdUI->SetCheck(m_bCompareMode ? 1 : 0);
}

// ---- documents ---------------------------------------------------------------------------------

void CInstrumentView::OnSaveToDisk() {
    CPCVaskDoc* pDoc = GetDoc();
    if (pDoc == NULL) return;
    const CString path = pDoc->GetPathName();
    pDoc->OnSaveDocument(path.IsEmpty() ? NULL : (LPCSTR)path);
}

void CInstrumentView::OnSaveToDiskAs() {
    if (CPCVaskDoc* pDoc = GetDoc()) pDoc->OnSaveDocument(NULL);
}

void CInstrumentView::OnLoadFromDisk() {
    CPCVaskDoc* pDoc = GetDoc();
    if (pDoc == NULL) return;
    CInstrument* pRemembered = pDoc->GetCurrentInstrument();
    if (IsOnline() && AfxMessageBox(IDS_IV_LEAVING_ONLINE, MB_OKCANCEL) != IDOK) return;
    WaitForUpdateThread();
    // A normal load takes the device's own identity from the device, not from the file.
    EndCompareMode();
    if (!pDoc->OnOpenDocument(NULL)) {
        pDoc->SetBusy(1);
        pDoc->UpdateAllViews(NULL, 2, NULL);
        pDoc->SetBusy(0);
        // The remembered node counts only while the document still holds it.
        if (pRemembered != NULL && pDoc->GetPortList()->Find(pRemembered) != NULL)
            pDoc->SelectNode(pRemembered);
    }
    if (CKemMainFrame* pFrame = MainFrame()) pFrame->OnUpdateFrameTitle(TRUE);
}

void CInstrumentView::OnCreateNewDataSet() {
    CPCVaskDoc* pDoc = GetDoc();
    if (pDoc == NULL) return;
    CNewDataDlg dialog;
    if (IsOnline() && AfxMessageBox(IDS_IV_LEAVING_ONLINE, MB_OKCANCEL) != IDOK) return;
    if (dialog.DoModal() != IDOK) return;
    WaitForUpdateThread();
    EndCompareMode();
    pDoc->OnNewDocument();
    // The offline converter that the rebuild makes takes the chosen model.
    const OfflineModelChoice choice = {dialog.m_nType,     dialog.m_nComponents,
                                       dialog.m_bO2Sensor, dialog.m_bH2SSensor,
                                       dialog.m_bHeating,  dialog.m_bOptionBoard};
    pDoc->SetNewDataChoice(choice);
    pDoc->SetBusy(1);
    pDoc->SetOnlineMode(0);
    pDoc->InitTheInstruments();
    if (CKemMainFrame* pFrame = MainFrame()) pFrame->OnUpdateFrameTitle(TRUE);
}

void CInstrumentView::OnFactorySettings() {}

// ---- compare and transfer ---------------------------------------------------------------------

void CInstrumentView::OnCompare() {
    CPCVaskDoc* pDoc = GetDoc();
    CVaskInstrument* pInstrument = ValidInstrument();
    if (pDoc == NULL || pInstrument == NULL) return;
    CWaitCursor wait;
    if (m_bCompareMode) {
        // The update thread reads the compare set: it ends before the set goes.
        const BOOL bWasBusy = WaitForUpdateThread();
        EndCompareMode();
        CTLTreeCtrl& tree = GetTreeCtrl();
        if (tree.GetColumnCount() > 0) tree.DeleteColumn(tree.GetColumnCount() - 1);
        m_wndTree.RecalcLayout();
        if (bWasBusy) OnUpdate(NULL, 6, NULL);
        return;
    }
    const CString path = pDoc->PromptFileName(TRUE);
    if (path.IsEmpty()) return;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return;
    // The analyzer record takes the device's own identity from a file only while this flag
    // is set; it stays set while compare mode lasts.
    SetCompareFlag(1);
    CVaskInstrument* pCompare = NULL;
    try {
        CArchive ar(&file, CArchive::load, 4096);
        CObject* pObject = ar.ReadObject(RUNTIME_CLASS(CVaskInstrument));
        pCompare = (CVaskInstrument*)pObject;
        ar.Close();
    } catch (CException* e) {
        // The archive deletes an object whose record breaks off.
        e->Delete();
        SetCompareFlag(0);
        AfxMessageBox(IDS_FILE_READ_ERROR, MB_OK);
        return;
    }
    file.Close();
    // A record older than any values has no data either: the old version is told first.
    UINT nRefusal = 0;
    if (pCompare != NULL && pCompare->IsIncompatible())
        nRefusal = IDS_INCOMPATIBLE_SET;
    else if (pCompare == NULL || !pCompare->HasData())
        nRefusal = (UINT)-1;
    else if (pCompare->GetModelKind() != pInstrument->GetModelKind())
        nRefusal = IDS_IV_OTHER_MODEL;
    if (nRefusal != 0) {
        if (nRefusal != (UINT)-1) AfxMessageBox(nRefusal, MB_OK);
        delete pCompare;
        SetCompareFlag(0);
        return;
    }
    WaitForUpdateThread();
    pInstrument->SetCompareInstrument(pCompare);
    DeleteRows();
    InsertHeaders();
    m_bCompareMode = 1;
    GetTreeCtrl().InsertColumn(GetTreeCtrl().GetColumnCount(), LoadText(IDS_IV_COMPARE_COLUMN), 0,
                               250);
    m_wndTree.RecalcLayout();
    OnUpdate(NULL, 6, NULL);
}

void CInstrumentView::OnTransferOffline() {
    CVaskInstrument* pInstrument = ValidInstrument();
    if (pInstrument == NULL || !IsOnline()) return;
    // The transfer writes the entries that the update thread reads.
    WaitForUpdateThread();
    m_bBusy = 1;
    m_dlgMessage.ShowProgress(TRUE, 0, 100);
    m_dlgMessage.Start(IDS_IV_TRANSFERRING, kPictureOperation);
    pInstrument->TransferOfflineSet(this);
    m_dlgMessage.ShowProgress(FALSE);
    m_dlgMessage.Stop();
    m_bBusy = 0;
    if (CKemMainFrame* pFrame = MainFrame())
        if (CViewMessage* pMessages = pFrame->GetMessageView()) pMessages->RequestRebuild();
    OnUpdate(NULL, 6, NULL);
}

// ---- user and factory data ----------------------------------------------------------------------

void CInstrumentView::OnLoadUserData() {
    RunConfigCommand(IDS_IV_ASK_LOAD_USER, IDS_IV_LOADING_USER, &CVaskInstrument::LoadUserConfig,
                     FALSE);
}

void CInstrumentView::OnSaveUserData() {
    RunConfigCommand(IDS_IV_ASK_SAVE_USER, IDS_IV_SAVING_USER, &CVaskInstrument::SaveUserConfig,
                     FALSE);
}

void CInstrumentView::OnLoadFactoryData() {
    RunConfigCommand(IDS_IV_ASK_LOAD_FACTORY, IDS_IV_LOADING_FACTORY,
                     &CVaskInstrument::LoadDefaultConfig, TRUE);
}

void CInstrumentView::RunConfigCommand(UINT nAskId, UINT nWaitTextId,
                                       int (CVaskInstrument::*command)(), BOOL bFactory) {
    CVaskInstrument* pInstrument = ValidInstrument();
    if (pInstrument == NULL) return;
    if (AfxMessageBox(nAskId, MB_YESNO) != IDYES) return;
    const BOOL bWasBusy = WaitForUpdateThread();
    m_bBusy = 1;
    m_dlgMessage.ShowCancel(FALSE);
    m_dlgMessage.Start(IDS_IV_PREPARING, kPictureOperation);
    {
        // Nothing else runs between the transfer and the device's first answer after it; a
        // close confirmed meanwhile ends the wait for the answer.
        CWindowWork work;
        if ((pInstrument->*command)()) {
            m_dlgMessage.ShowCancel(TRUE);
            m_dlgMessage.SetTextId(nWaitTextId, kPictureOperation);
            ProgramWait(5000);
            pInstrument->EnableCommandReport(0);
            VaskFloat values[4];
            while (!m_dlgMessage.IsCancelled() && !IsClosePending() &&
                   !pInstrument->GetMeas(values))
                ProgramWait(2000);
            pInstrument->EnableCommandReport(1);
        }
    }
    m_dlgMessage.Stop();
    m_bBusy = 0;
    if (bFactory) {
        pInstrument->EnableCommandReport(0);
        const int nRemote = pInstrument->Remote(1);
        pInstrument->EnableCommandReport(1);
        if (!nRemote) AfxMessageBox(IDS_REMOTE_FAILED, MB_OK);
    }
    if (bWasBusy) OnUpdate(NULL, 6, NULL);
}

// ---- device memory -----------------------------------------------------------------------------

void CInstrumentView::OnSavePcData() { TransferPcData(TRUE); }

void CInstrumentView::OnLoadPcData() { TransferPcData(FALSE); }

void CInstrumentView::TransferPcData(BOOL bSave) {
    CPCVaskDoc* pDoc = GetDoc();
    CVaskInstrument* pInstrument = ValidInstrument();
    if (pDoc == NULL || pInstrument == NULL) return;
    const CString lastPath = pDoc->GetInstrumentViewText();
    CFileDialog dialog(!bSave, LoadText(IDS_IV_PC_DATA_EXT), lastPath,
                       OFN_HIDEREADONLY | (bSave ? OFN_OVERWRITEPROMPT : 0),
                       LoadText(IDS_IV_PC_DATA_FILTER), this);
    if (dialog.DoModal() != IDOK) return;
    const CString path = dialog.GetPathName();
    if (bSave)
        pDoc->SetInstrumentViewText(path);
    else if (AfxMessageBox(IDS_IV_ASK_OVERWRITE_PC_DATA, MB_YESNO) != IDYES)
        return;
    const BOOL bWasBusy = WaitForUpdateThread();
    m_bBusy = 1;
    {
        CWaitCursor wait;
        // A close confirmed meanwhile stops the transfer after the block in flight.
        CWindowWork work([pInstrument] { pInstrument->AbortDownload(); });
        m_dlgMessage.Start(IDS_IV_TRANSFER_STARTED, kPictureOperation);
        m_dlgMessage.ShowProgress(TRUE, 0, 100);
        const int nResult = bSave ? pInstrument->ReadParamSet(path, this, WM_PARAMETER_PROGRESS)
                                  : pInstrument->WriteParamSet(path, this, WM_PARAMETER_PROGRESS);
        if (!nResult && !IsClosePending()) ShowError(pInstrument->GetTransferError());
    }
    m_bBusy = 0;
    m_dlgMessage.ShowProgress(FALSE);
    m_dlgMessage.Stop();
    if (bWasBusy) OnUpdate(NULL, 6, NULL);
}

// ---- clock and print ------------------------------------------------------------------------

void CInstrumentView::OnDeviceClock() {
    CVaskInstrument* pInstrument = GetSelectedAnalyzer();
    if (pInstrument == NULL) return;
    // The dialog talks to the device: the update thread ends first.
    const BOOL bWasBusy = WaitForUpdateThread();
    m_bBusy = 1;
    CClockDlg dialog(pInstrument);
    dialog.DoModal();
    m_bBusy = 0;
    if (bWasBusy) OnUpdate(NULL, 6, NULL);
}

void CInstrumentView::OnPrint() {
    CVaskInstrument* pInstrument = ValidInstrument();
    if (pInstrument == NULL) return;
    const CObList& groups = pInstrument->GetGroupList();
    if (groups.IsEmpty()) return;
    // The rows read the entries that the update thread writes.
    WaitForUpdateThread();
    m_bBusy = 1;
    CReportListPrinter reportPrinter;
    CParameterListPrinter* pPrinter = g_pPrinter != NULL ? g_pPrinter : &reportPrinter;
    CWnd* pParentFrame = GetParentFrame();
    const int hJob = pPrinter->StartJob(pParentFrame);
    if (hJob < 0) {
        m_bBusy = 0;
        OnUpdate(NULL, 6, NULL);
        return;
    }
    const CString name = pInstrument->CInstrument::GetName();
    const int nLastPage = pPrinter->LastPage(hJob);
    pPrinter->PrintHeader(hJob, name);
    BOOL bFailed = FALSE;
    for (POSITION pos = groups.GetHeadPosition(); pos != NULL && !bFailed;) {
        CParameterGroup* pGroup = (CParameterGroup*)groups.GetNext(pos);
        const CObList& parameters = pGroup->GetParameterList();
        for (POSITION p = parameters.GetHeadPosition(); p != NULL && !bFailed;) {
            CVaskParameter* pParameter = (CVaskParameter*)parameters.GetNext(p);
            if (!pParameter->IsInDeviceDataWindow()) continue;
            VaskFloat value;
            pParameter->GetValue(value);
            CString unit;
            CVaskInstrument::GetUnitText(unit, value.unit);
            const CString valueText = value.text + " " + unit;
            if (pPrinter->CurrentPage(hJob) > nLastPage) continue;
            int nResult =
                pPrinter->PrintRow(hJob, pGroup->GetName(), pParameter->GetName(), valueText);
            if (nResult == -998 && pPrinter->CurrentPage(hJob) <= nLastPage) {
                // A new page: its header, and the row once more. A row that does not fit on
                // a page of its own ends the job.
                pPrinter->PrintHeader(hJob, name);
                nResult =
                    pPrinter->PrintRow(hJob, pGroup->GetName(), pParameter->GetName(), valueText);
            }
            if (nResult != 0) {
                if (nResult != -99) pPrinter->AbortJob(hJob);
                bFailed = TRUE;
            }
        }
    }
    if (!bFailed) pPrinter->EndJob(hJob, pParentFrame);
    m_bBusy = 0;
    OnUpdate(NULL, 6, NULL);
}

// ---- firmware ----------------------------------------------------------------------------------

int CInstrumentView::FirmwareModelCode(LPCSTR lpszFileName, BOOL bFieldbus, int nInstrumentModel) {
    CString name = lpszFileName != NULL ? lpszFileName : "";
    name.MakeUpper();
    const int n = name.GetLength();
    if (n < 4 || name.Right(4) != ".HEX") return -1;
    if (bFieldbus) return name.Left(3) == "CGA" && n > 4 ? nInstrumentModel : -1;
    // The prefix before the extension names the model.
    const CString stem = name.Left(n - 4);
    auto at = [&](int i) { return i < stem.GetLength() ? stem[i] : '\0'; };
    if (at(0) == 'L' && at(1) == '6') return at(2) == 'K' ? kLorvix62 : kLorvix6;
    if (at(0) == 'Q' && at(1) == '6') return kQuenta6;
    if (at(0) == 'P' && at(1) == '6') return at(2) == 'S' ? kParvel64 : kParvel6;
    if (at(0) == 'S' && at(1) == '6') return kSindor6;
    if (at(0) == 'S' && at(1) == '2' && at(2) == '3') return kSindor23;
    return -1;
}

BOOL CInstrumentView::SelectFirmwareFile(CString& path) {
    CVaskInstrument* pInstrument = ValidInstrument();
    CFileDialog dialog(TRUE, LoadText(IDS_IV_HEX_EXT), NULL, OFN_HIDEREADONLY,
                       LoadText(IDS_IV_HEX_FILTER), this);
    if (dialog.DoModal() != IDOK) return FALSE;
    const UINT nRuleText = m_bFieldbusDownload ? IDS_IV_FIELDBUS_NAMES : IDS_IV_MAINBOARD_NAMES;
    CString extension = dialog.GetFileExt();
    if (extension.CompareNoCase("HEX") != 0) {
        AfxMessageBox(IDS_IV_MAINBOARD_NAMES, MB_OK);
        return FALSE;
    }
    const int nOwnModel = pInstrument != NULL ? pInstrument->GetModelKind() : -1;
    const int nModel = FirmwareModelCode(dialog.GetFileName(), m_bFieldbusDownload, nOwnModel);
    if (nModel < 0) {
        AfxMessageBox(nRuleText, MB_OK);
        return FALSE;
    }
    if (nModel != nOwnModel) {
        AfxMessageBox(IDS_IV_FILE_MISMATCH, MB_OK);
        return FALSE;
    }
    path = dialog.GetPathName();
    return TRUE;
}

void CInstrumentView::OnDownload() {
    CVaskInstrument* pInstrument = ValidInstrument();
    if (pInstrument == NULL) return;
    // Only a converter of the bus has a hardware type; a gateway line has none.
    CInstrument* pParent = pInstrument->GetParent();
    if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CConverter))) {
        SerialParam serial = {};
        ((CConverter*)pParent)->GetSerialParams(&serial);
        if (serial.converterType == 1) {
            AfxMessageBox(IDS_IV_NO_DOWNLOAD_CONVERTER, MB_OK);
            return;
        }
    }
    VaskFloat bootVersion;
    if (CVaskParameter* pBoot = pInstrument->FindParameterByNumber(kMotherboardBootVersion))
        pBoot->GetValue(bootVersion);
    if (CString(bootVersion.text).IsEmpty() &&
        AfxMessageBox(IDS_IV_BOOT_VERSION, MB_OKCANCEL) != IDOK)
        return;
    if (IsOnline()) {
        RunOnlineDownload(FALSE);
        return;
    }
    WaitForUpdateThread();
    m_bBusy = 1;
    m_pDownloadAccess = new CvaskAccess(NULL, 0);
    const BOOL bDownloaded = DownloadWithoutFirmware();
    delete m_pDownloadAccess;
    m_pDownloadAccess = NULL;
    m_bBusy = 0;
    if (bDownloaded && !IsClosePending())
        if (CKemMainFrame* pFrame = MainFrame()) pFrame->RelinkAfterDownload();
}

void CInstrumentView::OnDownloadProfibus() {
    if (ValidInstrument() == NULL) return;
    RunOnlineDownload(TRUE);
}

void CInstrumentView::RunOnlineDownload(BOOL bFieldbus) {
    CPCVaskDoc* pDoc = GetDoc();
    m_bFieldbusDownload = bFieldbus;
    CString path;
    if (!SelectFirmwareFile(path)) return;
    if (AfxMessageBox(bFieldbus ? IDS_IV_ASK_DOWNLOAD_PROFIBUS : IDS_IV_ASK_DOWNLOAD, MB_YESNO) !=
        IDYES)
        return;
    const BOOL bWasBusy = WaitForUpdateThread();
    CVaskInstrument* pInstrument = ValidInstrument();
    if (pInstrument == NULL) return;
    m_bBusy = 1;
    {
        CWaitCursor wait;
        // A close confirmed meanwhile aborts the download as Cancel does.
        CWindowWork work([pInstrument] { pInstrument->AbortDownload(); });
        m_dlgMessage.Start(bFieldbus ? IDS_IV_PROFIBUS_PREPARING : IDS_IV_DL_RESET,
                           kPictureOperation);
        m_dlgMessage.ShowProgress(TRUE, 0, 100);
        if (pDoc != NULL) pDoc->PauseAllBroadcasts(1);
        const int nResult = bFieldbus
                                ? pInstrument->DownloadProfibus(path, this, WM_DOWNLOAD_PROGRESS)
                                : pInstrument->Download(path, this, WM_DOWNLOAD_PROGRESS);
        if (!nResult && !IsClosePending()) ShowError(pInstrument->GetTransferError());
        if (pDoc != NULL) pDoc->PauseAllBroadcasts(0);
    }
    m_bBusy = 0;
    m_dlgMessage.ShowProgress(FALSE);
    m_dlgMessage.Stop();
    pInstrument->EnableCommandReport(0);
    pInstrument->Remote(1);
    pInstrument->EnableCommandReport(1);
    if (bWasBusy) OnUpdate(NULL, 6, NULL);
}

BOOL CInstrumentView::DownloadWithoutFirmware() {
    CPCVaskDoc* pDoc = GetDoc();
    if (pDoc == NULL || m_pDownloadAccess == NULL) return FALSE;
    if (AfxMessageBox(IDS_IV_NO_FIRMWARE, MB_OKCANCEL) != IDOK) return FALSE;
    if (IsOnline()) return FALSE;
    // Offline the document holds no converters of the network: the current network's own
    // are counted.
    CIniObjectList network;
    network.Load(GetNetworkName());
    CObList& converters = network.GetConverterList();
    if (converters.GetCount() > 1) {
        AfxMessageBox(IDS_IV_TOO_MANY_CONVERTERS, MB_OK);
        return FALSE;
    }
    if (converters.IsEmpty()) {
        AfxMessageBox(IDS_IV_NO_CONVERTER, MB_OK);
        return FALSE;
    }
    CConverter* pConverter = (CConverter*)converters.GetHead();
    pConverter->ReadFromRegistry(pConverter->GetConverterName());
    CString portName;
    CPort* pPort = pConverter->GetPort(portName);
    if (pPort == NULL) pPort = pDoc->FindPort(portName);
    if (pPort == NULL) return FALSE;
    SerialParam serial = {};
    pConverter->GetSerialParams(&serial);
    const CString line = pPort->GetShortName();
    if (!m_pDownloadAccess->Init("VASK", line, serial)) {
        AfxMessageBox(IDS_IV_NO_CONNECTION, MB_OK);
        return FALSE;
    }
    int nDevices = 0;
    {
        CWaitCursor wait;
        m_dlgMessage.ShowCancel(FALSE);
        m_dlgMessage.ShowProgress(FALSE);
        m_dlgMessage.Start(IDS_IV_SEARCHING, kPictureNetworkSearch);
        nDevices = m_pDownloadAccess->GetDeviceCount();
        m_dlgMessage.Stop();
    }
    if (nDevices > 0) {
        AfxMessageBox(IDS_IV_FIRMWARE_FOUND, MB_OK);
        return FALSE;
    }
    m_bFieldbusDownload = 0;
    CString path;
    if (!SelectFirmwareFile(path)) return FALSE;
    m_dlgMessage.ShowProgress(TRUE, 0, 100);
    m_dlgMessage.ShowCancel(TRUE);
    m_dlgMessage.Start(IDS_IV_DL_STARTED, kPictureOperation);
    CvaskAccess* pAccess = m_pDownloadAccess;
    CWindowWork work([pAccess] { pAccess->AbortDownload(); });
    const int nResult =
        m_pDownloadAccess->Download(1, DownloadWaitForDevice, path, this, WM_DOWNLOAD_PROGRESS);
    if (!nResult && !IsClosePending()) ShowError(m_pDownloadAccess->GetLastError());
    m_dlgMessage.ShowProgress(FALSE);
    m_dlgMessage.Stop();
    // A failed download leaves nothing to link anew.
    return nResult != 0;
}
