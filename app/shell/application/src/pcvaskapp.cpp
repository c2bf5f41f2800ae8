// The application object.
#include "pcvaskapp.h"

#include "aboutdlg.h"
#include "appcmdline.h"
#include "appmessages.h"
#include "apputil.h"
#include "appwait.h"
#include "windowwait.h"
#include "comportsurvey.h"
#include "instrumentview.h"
#include "mainframe.h"
#include "menuentrylist.h"
#include "netlist.h"
#include "pcvaskdoc.h"
#include "pcvaskview.h"
#include "resource.h"
#include "shellsheethost.h"
#include "splashwnd.h"
#include "treelist.h"
#include "vaskaccess.h"
#include "VaskGate.h"

#include <stdlib.h>
#include <string.h>

namespace {

const char kRegistryKey[] = "Talvern";
const char kHostOption[] = "host";
const UINT kRecentFiles = 4;
const int kExternalHelpFiles = 4;
const char kExternalHelpSection[] = "External Help File List";
const char kExternalHelpKey[] = "File%d";

CString LoadText(UINT nID) {
    CString text;
    text.LoadString(nID);
    return text;
}

}  // namespace

IMPLEMENT_DYNAMIC(CPCVaskApp, CWinApp)

BEGIN_MESSAGE_MAP(CPCVaskApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_UPDATE_COMMAND_UI(ID_EXTERNAL_HELP_FIRST, OnUpdateExternalHelp)
ON_COMMAND_RANGE(ID_EXTERNAL_HELP_FIRST, ID_EXTERNAL_HELP_LAST, OnExternalHelp)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
END_MESSAGE_MAP()

CString m_strFreeComPorts;

CPCVaskApp::CPCVaskApp() : CWinApp(NULL), m_nOperationMode(0), m_nCompareMode(0) {}

CPCVaskApp::~CPCVaskApp() {
    RemoveProgramWaits();
    delete m_pExternalHelp;
    m_strFreeComPorts.Empty();
}

// ---- start ---------------------------------------------------------------------------------

BOOL CPCVaskApp::InitInstance() {
    if (ActivateRunningCopy()) return FALSE;
    if (!RegisterWindowClass()) {
        AfxMessageBox("Class Registration Failed\n", MB_OK);
        return FALSE;
    }

    CComPortSurveyCalls ports;
    m_strFreeComPorts = SurveyComPorts(ports);

    // The help file is the compiled HTML help beside the program. The path belongs to the
    // class library, which frees it at the end.
    CString strHelp = m_pszHelpFilePath != NULL ? m_pszHelpFilePath : "";
    strHelp.Replace(".HLP", ".chm");
    free((void*)m_pszHelpFilePath);
    m_pszHelpFilePath = _strdup(strHelp);

    // COM for the main thread, the process's COM security and the main thread's gateway
    // client; a failure has been shown and the start goes on.
    InitVGComm();
    m_bGatewayClient = TRUE;

    Enable3dControls();
    SetRegistryKey(kRegistryKey);
    LoadStdProfileSettings(kRecentFiles);

    CAppCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    CSplashWnd::EnableSplashScreen(cmdInfo.m_bShowSplash);
    const CString strHost = HostOption(cmdInfo);

    LoadExternalHelpList();

    CTLFrame::RegisterClass();

    // Bus requests of the window thread keep the window alive while they run.
    InstallProgramWaits();

    // The models reach the application, the frame and the sheets through their hosts.
    m_pPreviousHost = SetInstrumentHost(&m_host);
    m_bHostInstalled = TRUE;
    InstallProgramSheets();

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPCVaskDoc),
                                          RUNTIME_CLASS(CKemMainFrame),
                                          RUNTIME_CLASS(CPCVaskView)));
    OnFileNew();
    CKemMainFrame* pFrame = GetMainFrame();
    if (pFrame == NULL) return FALSE;
    if (WM_CHANGEMENU == 0) WM_CHANGEMENU = ::RegisterWindowMessageA("WM_CHANGEMENU");

    if (!CreateInstrumentView()) return FALSE;

    pFrame->ShowWindow(SW_SHOWMAXIMIZED);
    pFrame->UpdateWindow();
    // The login waits until the start picture has gone.
    while (CSplashWnd::GetSplashWnd() != NULL) {
        if (!PumpMessage()) return FALSE;
    }

    if (pFrame->Login() != TRUE) return FALSE;

    StartOperationMode(strHost);

    CPCVaskDoc* pDoc = (CPCVaskDoc*)pFrame->GetActiveDocument();
    if (pDoc != NULL) pDoc->InitTheInstruments();

    SwitchView(IDR_MAINFRAME);
    return TRUE;
}

BOOL CPCVaskApp::ActivateRunningCopy() {
    HWND hRunning = ::FindWindowA(CKemMainFrame::kWindowClass, NULL);
    if (hRunning == NULL) return FALSE;
    HWND hPopup = ::GetLastActivePopup(hRunning);
    ::BringWindowToTop(hRunning);
    if (::IsIconic(hRunning)) ::ShowWindow(hRunning, SW_RESTORE);
    ::SetForegroundWindow(hPopup != NULL ? hPopup : hRunning);
    return TRUE;
}

BOOL CPCVaskApp::RegisterWindowClass() {
    WNDCLASSA wc;
    memset(&wc, 0, sizeof wc);
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = LoadIcon(IDR_MAINFRAME);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = CKemMainFrame::kWindowClass;
    m_bClassRegistered = ::RegisterClassA(&wc) != 0;
    return m_bClassRegistered;
}

void CPCVaskApp::ParseCommandLine(CAppCommandLineInfo& rCmdInfo) {
    ParseArguments(rCmdInfo, __argc, __argv);
}

void CPCVaskApp::ParseArguments(CAppCommandLineInfo& rCmdInfo, int argc, const char* const* argv) {
    CString strKey;
    for (int i = 1; i < argc; ++i) {
        CString strParam = argv[i];
        BOOL bFlag = FALSE;
        if (strKey.IsEmpty()) {
            if (strParam.Left(1) == "/") {
                strParam = strParam.Mid(1);
                strKey = strParam;
                strKey.MakeUpper();
                bFlag = TRUE;
            }
            if (strParam.Left(1) == "-") {
                rCmdInfo.AddParam(strParam);
                bFlag = TRUE;
                strParam = strParam.Mid(1);
            }
        } else {
            rCmdInfo.AddParam(strKey + " " + strParam);
            strKey.Empty();
            bFlag = TRUE;
        }
        rCmdInfo.ParseParam(strParam, bFlag, i + 1 == argc);
    }
}

CString CPCVaskApp::HostOption(const CAppCommandLineInfo& cmdInfo) {
    CString strHost = cmdInfo.GetOption(kHostOption);
    if (strHost.IsEmpty() || IsValidIniName(strHost)) return strHost;
    // Written into the network list it would corrupt the file for every later read.
    CString text;
    text.Format(LoadText(IDS_HOST_NOT_VALID), (LPCSTR)strHost);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    return CString();
}

void CPCVaskApp::StartOperationMode(const CString& strHost) {
    if (!strHost.IsEmpty()) {
        CStringList gateways, converters;
        gateways.AddTail(strHost);
        WriteNetworkToIni(strHost, gateways, &converters);
        SetNetworkName(strHost);
        SetOperationMode(1);
        return;
    }
    SetOperationMode(
        (int)GetProfileInt(LoadText(IDS_PROGRAM_OPTIONS), LoadText(IDS_OPERATION_MODE), 0));
}

// ---- exit ----------------------------------------------------------------------------------

int CPCVaskApp::ExitInstance() {
    if (m_bClassRegistered) {
        ::UnregisterClassA(CKemMainFrame::kWindowClass, AfxGetInstanceHandle());
        m_bClassRegistered = FALSE;
    }
    if (m_bGatewayClient) {
        VGUninitialize();
        m_bGatewayClient = FALSE;
    }
    delete m_pExternalHelp;
    m_pExternalHelp = NULL;
    RemoveProgramWaits();
    if (m_bHostInstalled) {
        // A host installed after this one stays.
        CInstrumentHost* pCurrent = SetInstrumentHost(m_pPreviousHost);
        if (pCurrent != &m_host) SetInstrumentHost(pCurrent);
        m_bHostInstalled = FALSE;
    }
    return CWinApp::ExitInstance();
}

void CPCVaskApp::InstallProgramWaits() {
    if (!m_pWaits) m_pWaits.reset(new CProgramWaits);
}

void CPCVaskApp::RemoveProgramWaits() { m_pWaits.reset(); }

BOOL CPCVaskApp::PreTranslateMessage(MSG* pMsg) {
    if (CSplashWnd::PreTranslateAppMessage(pMsg)) return TRUE;
    return CWinApp::PreTranslateMessage(pMsg);
}

// ---- about box and external help ----------------------------------------------------------

void CPCVaskApp::OnAppAbout() {
    CAboutDlg dialog;
    dialog.DoModal();
}

void CPCVaskApp::LoadExternalHelpList() {
    delete m_pExternalHelp;
    m_pExternalHelp =
        new CMenuEntryList(0, kExternalHelpSection, kExternalHelpKey, kExternalHelpFiles);
    m_pExternalHelp->Load();
}

void CPCVaskApp::OnUpdateExternalHelp(CCmdUI* pCmdUI) {
    if (m_pExternalHelp != NULL)
        m_pExternalHelp->UpdateMenu(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}

void CPCVaskApp::OnExternalHelp(UINT nID) {
    if (m_pExternalHelp == NULL) return;
    const CString strFile = m_pExternalHelp->GetParameter((int)(nID - ID_EXTERNAL_HELP_FIRST));
    if (strFile.IsEmpty()) return;
    CWnd* pMain = AfxGetMainWnd();
    AfxCallHelp(pMain != NULL ? pMain->GetSafeHwnd() : NULL, strFile, HELP_CONTENTS, 0, FALSE);
}

CPCVaskApp* CPCVaskApp::Get() {
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->IsKindOf(RUNTIME_CLASS(CPCVaskApp)) ? (CPCVaskApp*)pApp : NULL;
}

CKemMainFrame* CPCVaskApp::GetMainFrame() const {
    CWnd* pWnd = m_pMainWnd;
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CKemMainFrame)) ? (CKemMainFrame*)pWnd
                                                                        : NULL;
}

void CPCVaskApp::SetOperationMode(int nMode) {
    m_nOperationMode = nMode;
    CKemMainFrame* pFrame = GetMainFrame();
    if (pFrame == NULL) return;
    pFrame->UpdateStatusBar();
    pFrame->SetOnline(nMode != 0);
    pFrame->OnUpdateFrameTitle(FALSE);
}

CView* CPCVaskApp::SwitchView(int nViewId) {
    CKemMainFrame* pFrame = GetMainFrame();
    if (pFrame == NULL) return NULL;
    if (m_pInstrumentView != NULL && ::IsWindow(m_pInstrumentView->GetSafeHwnd()) &&
        m_pMainPane != NULL && ::IsWindow(m_pMainPane->GetSafeHwnd())) {
        CWnd* pNew = nViewId == IDR_INSTRUMENT_DATA ? (CWnd*)m_pInstrumentView : m_pMainPane;
        if (pNew != m_pCurrentPane) {
            if (m_pCurrentPane == m_pMainPane) m_pMainView = pFrame->GetActiveView();
            // The pane shown takes the control id, and with it the place in the layout.
            const LONG_PTR nOldId = ::GetWindowLongPtrA(m_pCurrentPane->m_hWnd, GWL_ID);
            const LONG_PTR nNewId = ::GetWindowLongPtrA(pNew->m_hWnd, GWL_ID);
            ::SetWindowLongPtrA(m_pCurrentPane->m_hWnd, GWL_ID, nNewId);
            ::SetWindowLongPtrA(pNew->m_hWnd, GWL_ID, nOldId);
            m_pCurrentPane->ShowWindow(SW_HIDE);
            pNew->ShowWindow(SW_SHOW);
            m_pCurrentPane = pNew;
            pFrame->SetActiveView(
                pNew == m_pInstrumentView ? (CView*)m_pInstrumentView : m_pMainView, TRUE);
            pFrame->RecalcLayout();
            pNew->Invalidate(TRUE);
        }
    }
    pFrame->SendMessage(WM_CHANGEMENU, (WPARAM)nViewId, 0);
    return pFrame->GetActiveView();
}

BOOL CPCVaskApp::CreateInstrumentView() {
    CKemMainFrame* pFrame = GetMainFrame();
    if (pFrame == NULL || m_pInstrumentView != NULL) return FALSE;
    CInstrumentView* pView = new CInstrumentView;
    CCreateContext context;
    context.m_pCurrentDoc = pFrame->GetActiveDocument();
    if (!pView->Create(NULL, "Instrument", WS_CHILD, CRect(0, 0, 0, 0), pFrame,
                       AFX_IDW_PANE_FIRST + 1, &context)) {
        // A view whose window failed deletes itself only once it had one.
        return FALSE;
    }
    m_pInstrumentView = pView;
    m_pMainPane = pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    m_pMainView = pFrame->GetActiveView();
    m_pCurrentPane = m_pMainPane;
    pView->OnInitialUpdate();
    return TRUE;
}

void CPCVaskApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    if (dwData == 0x5FFFF) return;
    CWinApp::WinHelp(dwData, nCmd);
}
