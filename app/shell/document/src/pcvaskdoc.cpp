// The document: the tree of bus nodes, its rebuild and bus scans, online and offline work,
// the selection, the worker threads' stop and the instrument host's analyzer factory. The
// document files and the offline analyzer are in pcvaskdocfile.cpp.
#include "pcvaskdoc.h"

#include "commconfigdlg.h"
#include "comportsurvey.h"

#include "appmessages.h"
#include "apputil.h"
#include "windowwait.h"
#include "converter.h"
#include "dlgmessage.h"
#include "gateway.h"
#include "mainframe.h"
#include "analyzermodels.h"
#include "pcvaskapp.h"
#include "port.h"
#include "resource.h"
#include "shell_seams.h"
#include "tracefile.h"
#include "tracehost.h"
#include "vaskinstrument.h"
#include "windowwork.h"

#include "VaskGate.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CPCVaskDoc, CDocument)

namespace {

// Image list: 16 pixels wide, magenta shows the background; the last six pictures are the
// state overlays 1 to 6.
const int kImageWidth = 16;
const COLORREF kImageMask = RGB(255, 0, 255);
const int kOverlayCount = 6;
// The log library's settings below the current user's key, its built-in page 1 and its user
// flag 0.
const char kProtocolKey[] = "Talvern\\Korvan GA";
const int kProtocolFormatPage = 1;
const int kStartProtocolFlag = 0;
// The scan's default address range and the bitmap beside the progress texts.
const int kFirstAddress = 1;
const int kLastAddress = 12;
const int kQuenta6 = 5;
const QuentaType kQuentaTypeG = QuentaType(2);

// The program's own "Communication Configuration" dialog; tests put a script in its place.
BOOL RunCommConfigDialog(CPCVaskDoc*, BOOL bCancelAllowed, int& nMode) {
    CCommConfigDlg dialog(bCancelAllowed ? 1 : 0);
    if (dialog.DoModal() != IDOK) return FALSE;
    nMode = dialog.m_nOperationMode;
    return TRUE;
}

CommConfigDialogRunner g_commConfigDialog = RunCommConfigDialog;

CString LoadText(UINT nID) {
    CString text;
    text.LoadString(nID);
    return text;
}

// The message for a port that could not be opened: the port, the access layer's text and,
// for an error of the open itself, the system's text of its code.
CString PortFailureText(const CString& portName, const ErrorStruct_& error) {
    CString port = portName;
    port.TrimRight(':');
    CString text = port + ": " + error.text;
    if (error.code == ErrorOpeningInterface && error.info != 0) {
        const CString reason = SystemErrorText((DWORD)error.info);
        if (!reason.IsEmpty()) text += "\n" + reason;
    }
    return text;
}

// Why the converter's port did not open, or an empty text when it did (or would now): a port
// that has no node in the tree (not among the machine's free ports) is opened once to learn
// the system's reason.
CString PortFailure(CConverter* pConverter, CPort* pPort, const CString& portName) {
    if (pPort != NULL) {
        const ErrorStruct_& error = pConverter->GetInitError();
        return error.code != ErrorNone ? PortFailureText(portName, error) : CString();
    }
    if (portName.IsEmpty()) return CString();
    const DWORD nSystem = CComPortSurveyCalls().OpenPort(ComPortDevice(portName));
    if (nSystem == 0) return CString();
    ErrorStruct_ error;
    SetError(&error, ErrorOpeningInterface, nSystem);
    return PortFailureText(portName, error);
}

}  // namespace

// ---- the instrument host of the document --------------------------------------------------

// The host while the document lives: the document makes the analyzers of the devices that a
// scan finds, and the application answers the operation mode and the compare-load flag. The
// reports of failed device operations, the analyzers' sheets and the trace go to the host
// installed before (the trace files when there was none).
class CDocumentHost : public CTraceInstrumentHost {
public:
    explicit CDocumentHost(CPCVaskDoc* pDoc) : m_pDoc(pDoc), m_pPrevious(NULL) {
        m_pPrevious = SetInstrumentHost(this);
    }
    ~CDocumentHost() override {
        // Another host installed meanwhile stays.
        CInstrumentHost* pCurrent = SetInstrumentHost(m_pPrevious);
        if (pCurrent != this) SetInstrumentHost(pCurrent);
    }
    CDocumentHost(const CDocumentHost&) = delete;
    CDocumentHost& operator=(const CDocumentHost&) = delete;

    int GetOperationMode() override {
        if (CPCVaskApp* pApp = CPCVaskApp::Get()) return pApp->IsOnlineMode() ? 1 : 0;
        return m_pPrevious != NULL ? m_pPrevious->GetOperationMode() : 0;
    }
    int IsCompareMode() override {
        if (CPCVaskApp* pApp = CPCVaskApp::Get()) return pApp->IsCompareMode();
        return m_pPrevious != NULL ? m_pPrevious->IsCompareMode() : 0;
    }
    CVaskInstrument* AddVaskInstrument(int modelType, LPCSTR name, int address, int components,
                                       CvaskAccess* access) override {
        return m_pDoc->AddVaskInstrument(modelType, name, address, components, access);
    }
    void ReportDeviceError(const CString& text, const ErrorStruct_& error) override {
        if (m_pPrevious != NULL) m_pPrevious->ReportDeviceError(text, error);
    }
    int RunInstrumentSheet(int sheet, int page, CVaskInstrument* analyzer) override {
        return m_pPrevious != NULL ? m_pPrevious->RunInstrumentSheet(sheet, page, analyzer)
                                   : IDCANCEL;
    }
    CInstrumentTraceScope* OpenTraceScope(int channel, LPCSTR name) override {
        return m_pPrevious != NULL ? m_pPrevious->OpenTraceScope(channel, name)
                                   : CTraceInstrumentHost::OpenTraceScope(channel, name);
    }

private:
    CPCVaskDoc* m_pDoc;
    CInstrumentHost* m_pPrevious;
};

// ---- the progress window ------------------------------------------------------------------

// The program's progress window, made when a scan first needs it (the main window is its
// owner, and the document exists before the main window).
class CPCVaskDoc::CProgressWindow : public CScanProgress {
public:
    CProgressWindow() : m_pDialog(NULL) {}
    ~CProgressWindow() override { delete m_pDialog; }
    CProgressWindow(const CProgressWindow&) = delete;
    CProgressWindow& operator=(const CProgressWindow&) = delete;

    void Start(UINT nTextId, int nBitmapId) override {
        if (m_pDialog == NULL) m_pDialog = new CDlgMessage();
        m_pDialog->ShowProgress(TRUE, 0, 100);
        m_pDialog->ShowCancel(TRUE);
        m_pDialog->Start(nTextId, nBitmapId);
    }
    void Stop() override {
        if (m_pDialog != NULL) m_pDialog->Stop();
    }
    void SetText(LPCSTR lpszText) override {
        if (m_pDialog != NULL) m_pDialog->SetTextSoon(lpszText);
    }
    void SetPos(int nPos) override {
        if (m_pDialog != NULL) m_pDialog->SetPos(nPos);
    }
    BOOL IsCancelled() override { return m_pDialog != NULL && m_pDialog->IsCancelled(); }

private:
    CDlgMessage* m_pDialog;
};

void SetScanProgress(CPCVaskDoc* pDoc, CScanProgress* pProgress) {
    pDoc->m_pProgressStandIn = pProgress;
}

CScanProgress* CPCVaskDoc::Progress() {
    if (m_pProgressStandIn != NULL) return m_pProgressStandIn;
    if (m_pProgressWindow == NULL) m_pProgressWindow = new CProgressWindow();
    return m_pProgressWindow;
}

// ---- construction -------------------------------------------------------------------------

CPCVaskDoc::CPCVaskDoc()
    : m_pageProtocol(&m_nodeList),
      m_pOfflineConverter(NULL),
      m_pSelected(NULL),
      m_pOfflineInstrument(NULL),
      m_nBusy(0),
      m_bLogging(FALSE),
      m_nStatusError(0),
      m_nAnyError(0),
      m_nAnyMaintenance(0),
      m_nAnyFunctionCheck(0),
      m_nStatusWarning(0),
      m_nAnyLimit(0),
      m_pProgressWindow(NULL),
      m_pProgressStandIn(NULL),
      m_pHost(NULL),
      m_newData(),
      m_bNewDataHeld(FALSE),
      m_loadOutcome(kNothingRead) {
    m_protocol.SetRegistryKey(HKEY_CURRENT_USER, kProtocolKey);
    m_protocol.UsePropertyPage(kProtocolFormatPage, TRUE);
    const int nPage = m_protocol.AddPropertyPage(&m_pageProtocol);
    if (nPage >= 0) m_protocol.UsePropertyPage(nPage, TRUE);
    m_protocol.SetUserFlagName(kStartProtocolFlag, LoadText(IDS_START_PROTOCOL_FLAG));
    m_protocol.SetUserFlag(kStartProtocolFlag, TRUE);
    CreateImageList();
    m_pHost = new CDocumentHost(this);
}

CPCVaskDoc::~CPCVaskDoc() {
    ClearTheInstruments();
    const std::vector<CWorkerThreadStopper*> stoppers = m_stoppers;
    m_stoppers.clear();
    for (CWorkerThreadStopper* pStopper : stoppers) pStopper->DocumentGone(this);
    // The network's converters go with the members; they trace through the host before.
    delete m_pHost;
    m_pHost = NULL;
    delete m_pProgressWindow;
}

CPCVaskDoc* CPCVaskDoc::GetActive() {
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL || !pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return NULL;
    CDocument* pDoc = ((CFrameWnd*)pMain)->GetActiveDocument();
    return pDoc != NULL && pDoc->IsKindOf(RUNTIME_CLASS(CPCVaskDoc)) ? (CPCVaskDoc*)pDoc : NULL;
}

void CPCVaskDoc::CreateImageList() {
    // Without the pictures the tree shows its texts alone.
    if (!m_imageList.Create(IDB_TREE_NODES, kImageWidth, 1, kImageMask)) return;
    m_imageList.SetBkColor(CLR_NONE);
    const int nImages = m_imageList.GetImageCount();
    if (nImages < kOverlayCount) return;
    for (int i = 0; i < kOverlayCount; ++i)
        m_imageList.SetOverlayImage(nImages - kOverlayCount + i, i + 1);
}

// ---- worker threads -------------------------------------------------------------------------

void CPCVaskDoc::StopWorkerThreads() {
    m_bLogging = FALSE;
    CPCVaskApp* pApp = CPCVaskApp::Get();
    CKemMainFrame* pFrame = pApp != NULL ? pApp->GetMainFrame() : NULL;
    if (pFrame != NULL && ::IsWindow(pFrame->m_hWnd)) pFrame->StopLogging();
    // A stopper may leave the list while it stops its thread.
    const std::vector<CWorkerThreadStopper*> stoppers = m_stoppers;
    for (CWorkerThreadStopper* pStopper : stoppers)
        if (std::find(m_stoppers.begin(), m_stoppers.end(), pStopper) != m_stoppers.end())
            pStopper->StopWorkerThread(this);
}

void CPCVaskDoc::AddWorkerThreadStopper(CWorkerThreadStopper* pStopper) {
    if (pStopper == NULL ||
        std::find(m_stoppers.begin(), m_stoppers.end(), pStopper) != m_stoppers.end())
        return;
    m_stoppers.push_back(pStopper);
}

void CPCVaskDoc::RemoveWorkerThreadStopper(CWorkerThreadStopper* pStopper) {
    m_stoppers.erase(std::remove(m_stoppers.begin(), m_stoppers.end(), pStopper), m_stoppers.end());
}

// ---- the tree -----------------------------------------------------------------------------

BOOL CPCVaskDoc::InitTheInstruments() {
    SetBusy(1);
    // A close confirmed meanwhile stops the scans; the search then ends without an analyzer,
    // before the window and this document go.
    CWindowWork work([this] { AbortScans(); });
    for (;;) {
        if (IsClosePending()) {
            SetBusy(0);
            return FALSE;
        }
        CVaskInstrument* pFound = NULL;
        {
            // The threads that read the analyzers end before the selection and the nodes go.
            StopWorkerThreads();
            VGUninitialize();
            VGInitialize();
            CWaitCursor wait;
            SelectNode(NULL);
            SetStatusText(CString(), 0);
            RemoveConverters();
            m_networkList.Load(GetNetworkName());
            ClearTheInstruments();
            InitThePorts();
            InitTheGateways();
            if (!m_networkList.GetConverterList().IsEmpty()) InitTheVaskConverter();
            pFound = InitTheVaskInstruments();
        }
        if (pFound == NULL) {
            if (IsClosePending()) continue;
            AfxMessageBox(IDS_NO_INSTRUMENTS_FOUND, MB_OK);
            if (IsClosePending()) continue;
            // Without the dialog nobody could leave the loop: the program works offline.
            if (g_commConfigDialog == NULL)
                SetOnlineMode(0);
            else
                ConfigureTheCommunication(1);
            continue;
        }
        UpdateAllViews(NULL, 2, NULL);
        SetBusy(0);
        SelectNode(pFound);
        return TRUE;
    }
}

BOOL CPCVaskDoc::InitThePorts() {
    CWaitCursor wait;
    int nCount = 0;
    BYTE* pBuffer = GetPortInfoBuffer(nCount, 2);
    if (pBuffer == NULL) return FALSE;
    const PORT_INFO_2A* pPorts = (const PORT_INFO_2A*)pBuffer;
    for (int i = 0; i < nCount; ++i) {
        const PORT_INFO_2A& record = pPorts[i];
        const CString name = record.pPortName != NULL ? record.pPortName : "";
        if (name == "FILE:") continue;
        const CString text = name + " " + (record.pDescription != NULL ? record.pDescription : "");
        if (m_strFreeComPorts.Find(text) < 0) continue;
        try {
            m_nodeList.AddTail(new CPort(text, record));
        } catch (CPortListException* e) {
            // The port stays out of the tree; the converter on it reports its own failure.
            CTraceFile trace(0, "CPCVaskDoc::InitThePorts");
            trace.Write(e->GetText());
            e->Delete();
        }
    }
    delete[] pBuffer;
    return TRUE;
}

BYTE* CPCVaskDoc::GetPortInfoBuffer(int& nCount, DWORD nLevel) {
    nCount = -1;
    DWORD nNeeded = 0, nReturned = 0;
    BYTE probe[2];
    if (::EnumPortsA(NULL, nLevel, probe, sizeof probe, &nNeeded, &nReturned)) return NULL;
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || nNeeded == 0) return NULL;
    BYTE* pBuffer = new BYTE[nNeeded];
    if (!::EnumPortsA(NULL, nLevel, pBuffer, nNeeded, &nNeeded, &nReturned)) {
        delete[] pBuffer;
        return NULL;
    }
    nCount = (int)nReturned;
    return pBuffer;
}

BOOL CPCVaskDoc::InitTheGateways() {
    CPCVaskApp* pApp = CPCVaskApp::Get();
    if (pApp == NULL || !pApp->IsOnlineMode()) return TRUE;
    CObList& entries = m_networkList.GetGatewayList();
    for (POSITION pos = entries.GetHeadPosition(); pos != NULL;) {
        CIniStringList* pEntry = (CIniStringList*)entries.GetNext(pos);
        CGateway* pGateway = new CGateway(pEntry->GetName(), pEntry->GetValue());
        m_gatewayList.AddTail(pGateway);
        m_nodeList.AddTail(pGateway);
        pGateway->InitThePorts();
        CObList* pLines = pGateway->GetPorts();
        for (POSITION line = pLines->GetHeadPosition(); line != NULL;)
            m_nodeList.AddTail(pLines->GetNext(line));
    }
    return TRUE;
}

BOOL CPCVaskDoc::InitTheVaskConverter() {
    RemoveConverters();
    CObList& converters = m_networkList.GetConverterList();
    for (POSITION pos = converters.GetHeadPosition(); pos != NULL;) {
        CConverter* pConverter = (CConverter*)converters.GetNext(pos);
        if (pConverter == m_pOfflineConverter) continue;
        m_converterList.AddTail(pConverter);
        m_nodeList.AddTail(pConverter);
    }
    return TRUE;
}

void CPCVaskDoc::AbortScans() {
    for (POSITION pos = m_converterList.GetHeadPosition(); pos != NULL;)
        ((CConverter*)m_converterList.GetNext(pos))->GetAccess()->AbortScan();
    for (POSITION pos = m_gatewayList.GetHeadPosition(); pos != NULL;) {
        CObList* pLines = ((CGateway*)m_gatewayList.GetNext(pos))->GetPorts();
        for (POSITION line = pLines != NULL ? pLines->GetHeadPosition() : NULL; line != NULL;) {
            CObject* pLine = pLines->GetNext(line);
            if (pLine->IsKindOf(RUNTIME_CLASS(CGatewayPort)))
                ((CGatewayPort*)pLine)->GetAccess()->AbortScan();
        }
    }
}

void CPCVaskDoc::InitTheCommunication() {
    CScanProgress* pProgress = Progress();
    pProgress->Start(IDS_CONNECTING, IDB_NETWORK_SEARCH);
    // The ports that could not be opened, told when the progress window has gone.
    CStringArray failures;
    for (POSITION pos = m_converterList.GetHeadPosition(); pos != NULL;) {
        // A close confirmed meanwhile scans no further bus.
        if (IsClosePending()) break;
        CConverter* pConverter = (CConverter*)m_converterList.GetNext(pos);
        CString portName;
        CPort* pPort = pConverter->GetPort(portName);
        if (pPort == NULL) pPort = FindPort(portName);
        if (pPort != NULL) {
            pConverter->SetPort(pPort);
            pPort->SetConverter(pConverter);
        }
        if (!pConverter->InitTheCommunication() && IsOnlineMode()) {
            const CString failure = PortFailure(pConverter, pPort, portName);
            if (!failure.IsEmpty()) failures.Add(failure);
        }
    }
    for (POSITION pos = m_gatewayList.GetHeadPosition(); pos != NULL;) {
        if (IsClosePending()) break;
        CGateway* pGateway = (CGateway*)m_gatewayList.GetNext(pos);
        {
            CTraceFile trace(0, "CPCVaskDoc::InitTheCommunication");
            trace.WriteFormat("Init the gateway at address %s", (LPCSTR)pGateway->GetHostAddress());
        }
        pGateway->InitTheCommunication();
    }
    pProgress->Stop();
    for (int i = 0; i < failures.GetSize() && !IsClosePending(); ++i)
        AfxMessageBox(failures[i], MB_OK | MB_ICONEXCLAMATION);
}

BOOL CPCVaskDoc::IsOnlineMode() {
    CPCVaskApp* pApp = CPCVaskApp::Get();
    return pApp != NULL && pApp->IsOnlineMode();
}

CVaskInstrument* CPCVaskDoc::InitTheVaskInstruments() {
    InitTheCommunication();
    CPCVaskApp* pApp = CPCVaskApp::Get();
    if (pApp == NULL || !pApp->IsOnlineMode()) {
        RemoveConverters();
        SetOfflineInstrument(NULL);
        return m_pOfflineInstrument;
    }
    CVaskInstrument* pResult = NULL;
    if (!m_networkList.GetConverterList().IsEmpty()) {
        for (POSITION pos = m_converterList.GetHeadPosition(); pos != NULL;) {
            CConverter* pConverter = (CConverter*)m_converterList.GetNext(pos);
            if (CVaskInstrument* pFirst = pConverter->EnumerateTheVaskInstruments())
                pResult = pFirst;
        }
    }
    for (POSITION pos = m_gatewayList.GetHeadPosition(); pos != NULL;) {
        CGateway* pGateway = (CGateway*)m_gatewayList.GetNext(pos);
        CVaskInstrument* pFirst = pGateway->EnumerateTheVaskInstruments();
        if (pResult == NULL) pResult = pFirst;
    }
    return pResult;
}

CVaskInstrument* CPCVaskDoc::AddVaskInstrument(int nType, LPCSTR lpszName, int nAddress,
                                               int nComponents, CvaskAccess* pAccess) {
    CString name = lpszName != NULL ? lpszName : "";
    name.TrimLeft();
    if (name.IsEmpty()) name.LoadString(IDS_DEFAULT_NAME_BASE + nType);
    CVaskInstrument* pInstrument =
        CreateAnalyzerModel(nType, name, pAccess, nAddress, nComponents, 0, 0, 0, 0);
    if (pInstrument == NULL) {
        CString text;
        text.Format((UINT)IDS_DEVICE_NOT_SUPPORTED, nAddress, (LPCSTR)name);
        AfxMessageBox(text);
        return NULL;
    }
    m_nodeList.AddTail(pInstrument);
    if (nType == kQuenta6 && pAccess != NULL) {
        // The variant only when the device tells it: the analyzer's own question gives the
        // first variant for a device that stays silent.
        QuentaType variant = QuentaType(0);
        if (pAccess->GetInstrumentType(nAddress, 0, variant))
            pInstrument->SetName(LoadText(variant == kQuentaTypeG ? IDS_QUENTA6_G : IDS_QUENTA6_E));
    }
    return pInstrument;
}

void CPCVaskDoc::OnVaskInitProgress(WPARAM wParam, LPARAM lParam) {
    const int nAddress = (int)wParam;
    int nFirst = kFirstAddress, nLast = kLastAddress;
    CvaskAccess* pAccess = NULL;
    CString name;
    // Only a node of the tree is asked for its name and connection.
    CInstrument* pNode = (CInstrument*)lParam;
    if (pNode != NULL && IsNode(pNode)) {
        name = pNode->GetName();
        if (pNode->IsKindOf(RUNTIME_CLASS(CConverter))) {
            pAccess = ((CConverter*)pNode)->GetAccess();
        } else if (pNode->IsKindOf(RUNTIME_CLASS(CGatewayPort))) {
            CGatewayPort* pLine = (CGatewayPort*)pNode;
            pAccess = pLine->GetAccess();
            CGateway* pGateway = pLine->GetGateway();
            name = (pGateway != NULL ? pGateway->GetName() : CString()) + " : " + pLine->GetName();
        }
    }
    if (name.IsEmpty()) name.LoadString(IDS_UNKNOWN);
    if (pAccess != NULL) {
        // A connection that never opened has no range: the default one stays.
        int nFrom = -1, nTo = -1;
        pAccess->GetNetworkAddressRange(nFrom, nTo);
        if (nFrom >= 0 && nTo >= nFrom) {
            nFirst = nFrom;
            nLast = nTo;
        }
    }

    CString text;
    text.Format((UINT)IDS_SCAN_PROGRESS, (LPCSTR)name, nAddress);
    CTraceFile trace(0, "CPCVaskDoc::OnVaskInitProgress");
    trace.Write(text);
    CScanProgress* pProgress = Progress();
    pProgress->SetText(text);
    const int nRange = nLast - nFirst + 1;
    pProgress->SetPos(nRange > 0 ? nAddress * 100 / nRange : 0);
    if (pAccess != NULL && pProgress->IsCancelled()) {
        trace.Write("Scan aborted by the user");
        pAccess->AbortScan();
    }
}

CommConfigDialogRunner CPCVaskDoc::SetCommConfigDialogRunner(CommConfigDialogRunner runner) {
    CommConfigDialogRunner previous = g_commConfigDialog;
    g_commConfigDialog = runner;
    return previous;
}

BOOL CPCVaskDoc::ConfigureTheCommunication(int nCancel) {
    CPCVaskApp* pApp = CPCVaskApp::Get();
    int nMode = pApp != NULL ? pApp->GetOperationMode() : 0;
    if (g_commConfigDialog == NULL || !g_commConfigDialog(this, nCancel > 0, nMode)) return FALSE;
    // The offline model confirmed there replaces an earlier "Create New Data" choice.
    m_bNewDataHeld = FALSE;
    SetOnlineMode(nMode);
    return TRUE;
}

void CPCVaskDoc::SetOnlineMode(int nMode) {
    // Offline stops the converters' connections, which the threads' reads go through.
    if (nMode == 0) StopWorkerThreads();
    m_strPathName.Empty();
    if (CPCVaskApp* pApp = CPCVaskApp::Get()) pApp->SetOperationMode(nMode);
    for (POSITION pos = m_converterList.GetHeadPosition(); pos != NULL;) {
        CConverter* pConverter = (CConverter*)m_converterList.GetNext(pos);
        pConverter->ReadFromRegistry(pConverter->GetConverterName());
        pConverter->SetOnline(nMode);
    }
    for (POSITION pos = m_gatewayList.GetHeadPosition(); pos != NULL;)
        ((CGateway*)m_gatewayList.GetNext(pos))->SetOnline(nMode != 0);
    if (nMode == 0 && m_bLogging) SetLogging(FALSE);
}

CPort* CPCVaskDoc::FindPort(LPCSTR lpszPortName) {
    const CString wanted = lpszPortName != NULL ? lpszPortName : "";
    for (POSITION pos = m_nodeList.GetHeadPosition(); pos != NULL;) {
        CObject* pNode = m_nodeList.GetNext(pos);
        if (!pNode->IsKindOf(RUNTIME_CLASS(CPort))) continue;
        CString name;
        ((CPort*)pNode)->GetPortName(name);
        if (name == wanted) return (CPort*)pNode;
    }
    return NULL;
}

BOOL CPCVaskDoc::PauseAllBroadcasts(int nPause) {
    for (POSITION pos = m_nodeList.GetHeadPosition(); pos != NULL;) {
        CInstrument* pNode = (CInstrument*)m_nodeList.GetNext(pos);
        if (pNode->IsKindOf(RUNTIME_CLASS(CVaskInstrument)) && pNode->IsActive())
            ((CVaskInstrument*)pNode)->PauseBroadcast(nPause);
    }
    return TRUE;
}

void CPCVaskDoc::ClearTheInstruments() {
    StopWorkerThreads();
    // The selection must not name a node that is gone.
    if (m_pSelected != NULL && IsNode(m_pSelected)) SelectNode(NULL);
    while (!m_nodeList.IsEmpty()) {
        CInstrument* pNode = (CInstrument*)m_nodeList.RemoveHead();
        // The network's converters belong to the network list, the offline one is deleted
        // below, after the analyzer that hangs below it.
        if (pNode->IsKindOf(RUNTIME_CLASS(CConverter))) continue;
        delete pNode;
    }
    m_gatewayList.RemoveAll();
    m_converterList.RemoveAll();
    m_pOfflineInstrument = NULL;
    delete m_pOfflineConverter;
    m_pOfflineConverter = NULL;
}

void CPCVaskDoc::RemoveConverters() {
    for (POSITION pos = m_nodeList.GetHeadPosition(); pos != NULL;) {
        POSITION at = pos;
        CObject* pNode = m_nodeList.GetNext(pos);
        if (pNode->IsKindOf(RUNTIME_CLASS(CConverter)) && pNode != m_pOfflineConverter)
            m_nodeList.RemoveAt(at);
    }
    m_converterList.RemoveAll();
}

void CPCVaskDoc::RemoveFromNodeList(CInstrument* pNode) {
    POSITION pos = m_nodeList.Find(pNode);
    if (pos != NULL) m_nodeList.RemoveAt(pos);
}

BOOL CPCVaskDoc::IsNode(CInstrument* pNode) const { return m_nodeList.Find(pNode) != NULL; }

// ---- the selection and the flags ------------------------------------------------------------

void CPCVaskDoc::SelectNode(CInstrument* pNode) {
    if (pNode == m_pSelected) return;
    m_strPathName.Empty();
    m_strInstrumentViewText.Empty();
    m_pSelected = pNode;
    const BOOL bAnalyzer = pNode != NULL && pNode->IsKindOf(RUNTIME_CLASS(CVaskInstrument));
    m_pageProtocol.SetCurrentInstrument(bAnalyzer ? (CVaskInstrument*)pNode : NULL);
    if (CPCVaskApp* pApp = CPCVaskApp::Get())
        if (CKemMainFrame* pFrame = pApp->GetMainFrame())
            pFrame->SwitchValuePane(bAnalyzer ? 1 : 0);
    // The new selection's values give way to the user's input as a refresh does: with slow
    // analyzers a click on the next analyzer would otherwise wait for every value of this
    // one. What is not read yet is read by the next refresh.
    CRefreshGivingWay givingWay;
    UpdateAllViews(NULL, 1, pNode);
}

void CPCVaskDoc::SetStatusText(const CString& text, int nKind) {
    m_strStatusText = text;
    m_nStatusWarning = nKind == 1;
    m_nStatusError = nKind == 2;
}
