// The main frame.
#include "mainframe.h"

#include "accessleveldlg.h"
#include "accesspassworddlg.h"
#include "adjustmentsheet.h"
#include "appmessages.h"
#include "appwait.h"
#include "windowwait.h"
#include "configpropertysheet.h"
#include "curvepropsheet.h"
#include "diagnosticspropertysheet.h"
#include "driftvaluessheet.h"
#include "instrumentoverviewdlg.h"
#include "instrumentview.h"
#include "parameterpropertysheet.h"
#include "pcvaskapp.h"
#include "pcvaskdoc.h"
#include "pcvasklistview.h"
#include "pcvasktreeview.h"
#include "printforms.h"
#include "protocolthread.h"
#include "refreshround.h"
#include "resource.h"
#include "setpassworddlg.h"
#include "settingssheet.h"
#include "shell_seams.h"
#include "splashwnd.h"
#include "textscrambler.h"
#include "tracefile.h"
#include "vaskinstrument.h"
#include "viewmessage.h"
#include "viewvaluebars.h"
#include "windowwork.h"

#include <htmlhelp.h>
#include <shellapi.h>

namespace {

// The status bar's panes.
enum Pane {
    kPaneHelp,
    kPaneOnline,
    kPaneAccess,
    kPaneTime,
    kPaneInstrument,
    kPaneRemote,
    kPaneError,
    kPaneControl,
    kPaneMaintenance,
    kPaneLimit,
    kPaneProtocol,
    kPaneCount
};
const UINT kIndicators[kPaneCount] = {
    ID_SEPARATOR,      ID_INDICATOR_ONLINE,     ID_INDICATOR_ACCESS,
    ID_INDICATOR_TIME, ID_INDICATOR_INSTRUMENT, ID_INDICATOR_REMOTE,
    ID_INDICATOR_ERR,  ID_INDICATOR_CTRL,       ID_INDICATOR_WART,
    ID_INDICATOR_LIM,  ID_INDICATOR_PROT};
const DWORD kHelpPaneStyle = PANE_KIND_TEXT | DT_LEFT | DT_VCENTER | DT_SINGLELINE;

// Tool-bar buttons that instrument mode enables, and those that it disables.
const UINT kInstrumentModeButtons[] = {ID_CREATE_NEW_DATA_SET, ID_LOAD_FROM_DISK,  ID_SAVE_TO_DISK,
                                       ID_ADJUSTMENT,          ID_PARAMETERS,      ID_CONFIGURATION,
                                       ID_RETURN_TO_MAIN_MENU, ID_PRINT_PARAMETERS};
const UINT kMainModeButtons[] = {ID_EDIT_INSTRUMENT_DATA, ID_DIAGNOSTIC_VALUES, ID_DRIFT_VALUES};

const UINT kTimerId = 5;
const UINT kTimerPeriod = 100;
// Once the user's input that waited has been handled, the failures queued meanwhile are shown.
const UINT kQueuedErrorsTimerId = 6;
// Ticks that only count before a tick may refresh.
const int kCountingTicks = 10;
const UINT kFirstTrayIcon = IDI_STATUS_NORMAL;
// The analyzer states that have a text, and the Quenta 6's warm-up states.
const int kLastChannelState = 25;
const int kLastWarmUpState = 9;
const int kQuenta6Kind = 5;
const int kRemoteState = 2;

// The help contexts the frame treats apart.
const DWORD_PTR kIgnoredHelpContext = 0x20002;
const DWORD_PTR kHelpButtonContext = HID_BASE_CONTROL + ID_HELP;
const DWORD_PTR kHelpButtonPopup = 0x50009;
const DWORD_PTR kFrameHelpContext = HID_BASE_RESOURCE + 0x80;
const UINT kLastTrackedCommand = 60000;
const COLORREF kPopupBackground = RGB(255, 255, 208);

// Process-wide: the timer's tick count and the last tray icon set by UpdateTrayIcon.
int g_nTicks = 0;
UINT g_nLastTrayIcon = 0;
NotifyIconCall g_pfnNotifyIcon = NULL;

CString LoadText(UINT nID) {
    CString text;
    text.LoadString(nID);
    return text;
}

// The text of string base + code for codes first to last; empty outside them.
CString CodeText(UINT nBase, int nCode, int nLast) {
    return nCode >= 0 && nCode <= nLast ? LoadText(nBase + (UINT)nCode) : CString();
}

// The profile entry name of an access level, trailing blanks included.
CString AccessEntryName(int nLevel) { return LoadText(IDS_ACCESS_ENTRY_BASE + (UINT)nLevel); }

BOOL IsApplicationOnline() {
    CPCVaskApp* pApp = CPCVaskApp::Get();
    return pApp != NULL && pApp->IsOnlineMode();
}

BOOL PrinterInstalled() {
    DWORD nNeeded = 0, nReturned = 0;
    ::GetDefaultPrinterA(NULL, &nNeeded);
    if (nNeeded > 0) return TRUE;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, NULL, 4, NULL, 0, &nNeeded,
                    &nReturned);
    return nNeeded > 0;
}

}  // namespace

void ResetMainFrameCounters() {
    g_nTicks = 0;
    g_nLastTrayIcon = 0;
}

NotifyIconCall SetNotifyIconCall(NotifyIconCall call) {
    NotifyIconCall previous = g_pfnNotifyIcon;
    g_pfnNotifyIcon = call;
    return previous;
}

HelpRoute RouteHelpRequest(DWORD_PTR dwData, UINT nCmd, BOOL bContextHelp) {
    if (nCmd == HELP_CONTEXT && dwData == kIgnoredHelpContext) return {HelpRoute::None, 0, 0};
    switch (nCmd) {
        case HELP_CONTEXT:
            if (bContextHelp) return {HelpRoute::Popup, 0, dwData};
            return {HelpRoute::Command, HH_HELP_CONTEXT, dwData};
        case HELP_INDEX: return {HelpRoute::Command, HH_DISPLAY_TOC, 0};
        case HELP_FINDER: return {HelpRoute::Command, HH_DISPLAY_INDEX, 0};
        case HELP_CONTEXTPOPUP: return {HelpRoute::Popup, 0, dwData};
        default: return {HelpRoute::Command, HH_HELP_CONTEXT, 0};
    }
}

const char CKemMainFrame::kWindowClass[] = "KorvanGAClass";

IMPLEMENT_DYNCREATE(CKemMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CKemMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_TIMER()
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
ON_REGISTERED_MESSAGE(WM_VASK_ERROR, OnVaskError)
ON_REGISTERED_MESSAGE(WM_QUEUED_VASK_ERRORS, OnQueuedVaskErrors)
ON_REGISTERED_MESSAGE(WM_BUSSCAN_PROGRESS, OnBusScanProgress)
ON_REGISTERED_MESSAGE(WM_ADDRESSCONFLICT, OnAddressConflict)
ON_REGISTERED_MESSAGE(WM_CHANGEMENU, OnChangeMenu)
ON_REGISTERED_MESSAGE(WM_START_COMMUNICATION, OnStartCommunication)
ON_REGISTERED_MESSAGE(WM_COMMUNICATING, OnCommunicating)
ON_REGISTERED_MESSAGE(WM_END_COMMUNICATION, OnEndCommunication)
ON_REGISTERED_MESSAGE(WM_PROTOCOL_REPORT, OnProtocolReport)
ON_COMMAND(ID_LINK_INSTRUMENT, OnLinkInstrument)
ON_UPDATE_COMMAND_UI(ID_LINK_INSTRUMENT, OnUpdateAlways)
ON_COMMAND(ID_CURVE_VIEW, OnCurveView)
ON_UPDATE_COMMAND_UI(ID_CURVE_VIEW, OnUpdateOnline)
ON_COMMAND(ID_DIAGNOSTIC_VALUES, OnDiagnosticValues)
ON_UPDATE_COMMAND_UI(ID_DIAGNOSTIC_VALUES, OnUpdateAnalyzerMainMode)
ON_COMMAND(ID_EDIT_INSTRUMENT_DATA, OnEditInstrumentData)
ON_UPDATE_COMMAND_UI(ID_EDIT_INSTRUMENT_DATA, OnUpdateAnalyzerMainMode)
ON_COMMAND(ID_PROGRAM_CONFIGURATION, OnProgramConfiguration)
ON_UPDATE_COMMAND_UI(ID_PROGRAM_CONFIGURATION, OnUpdateAlways)
ON_COMMAND(ID_PRINTER_CONFIGURATION, OnPrinterConfiguration)
ON_UPDATE_COMMAND_UI(ID_PRINTER_CONFIGURATION, OnUpdateAlways)
ON_COMMAND(ID_COMMUNICATION_CONFIGURATION, OnCommunicationConfiguration)
ON_UPDATE_COMMAND_UI(ID_COMMUNICATION_CONFIGURATION, OnUpdateAlways)
ON_COMMAND(ID_CLOSE_PROGRAM, OnCloseProgram)
ON_UPDATE_COMMAND_UI(ID_CLOSE_PROGRAM, OnUpdateAlways)
ON_COMMAND(ID_USER_HELP, OnUserHelp)
ON_UPDATE_COMMAND_UI(ID_USER_HELP, OnUpdateAlways)
ON_COMMAND(ID_SET_PASSWORD, OnSetPassword)
ON_UPDATE_COMMAND_UI(ID_SET_PASSWORD, OnUpdateSetPassword)
ON_COMMAND(ID_ADJUSTMENT, OnAdjustment)
ON_UPDATE_COMMAND_UI(ID_ADJUSTMENT, OnUpdateInstrumentMode)
ON_COMMAND(ID_PARAMETERS, OnParameters)
ON_UPDATE_COMMAND_UI(ID_PARAMETERS, OnUpdateInstrumentMode)
ON_COMMAND(ID_CONFIGURATION, OnConfiguration)
ON_UPDATE_COMMAND_UI(ID_CONFIGURATION, OnUpdateInstrumentMode)
ON_COMMAND(ID_PROTOCOL_VALUES, OnProtocolValues)
ON_UPDATE_COMMAND_UI(ID_PROTOCOL_VALUES, OnUpdateProtocolValues)
ON_COMMAND(ID_PRINT_FORMS, OnPrintForms)
ON_UPDATE_COMMAND_UI(ID_PRINT_FORMS, OnUpdateAlways)
ON_COMMAND(ID_PROTOCOL_PARAMETERS, OnProtocolParameters)
ON_UPDATE_COMMAND_UI(ID_PROTOCOL_PARAMETERS, OnUpdateProtocolParameters)
ON_COMMAND(ID_INSTRUMENT_OVERVIEW, OnInstrumentOverview)
ON_UPDATE_COMMAND_UI(ID_INSTRUMENT_OVERVIEW, OnUpdateOnline)
ON_COMMAND(ID_DRIFT_VALUES, OnDriftValues)
ON_UPDATE_COMMAND_UI(ID_DRIFT_VALUES, OnUpdateAnalyzerMainMode)
ON_COMMAND(ID_RESET_INSTRUMENT, OnResetInstrument)
ON_UPDATE_COMMAND_UI(ID_RESET_INSTRUMENT, OnUpdateResetInstrument)
ON_COMMAND(ID_RETURN_TO_MAIN_MENU, OnReturnToMainMenu)
ON_UPDATE_COMMAND_UI(ID_RETURN_TO_MAIN_MENU, OnUpdateInstrumentMode)
ON_COMMAND(ID_HELP_INDEX, OnHelpIndexCommand)
ON_UPDATE_COMMAND_UI(ID_HELP_INDEX, OnUpdateAlways)
ON_COMMAND(ID_CONTEXT_HELP, OnContextHelpCommand)
ON_UPDATE_COMMAND_UI(ID_CONTEXT_HELP, OnUpdateAlways)
ON_COMMAND(ID_HELP_USING, OnHelpUsing)
ON_UPDATE_COMMAND_UI(ID_HELP_USING, OnUpdateAlways)
ON_COMMAND(ID_HELP, OnHelp)
ON_UPDATE_COMMAND_UI(ID_HELP, OnUpdateAlways)
ON_UPDATE_COMMAND_UI(10000, OnUpdateAlways)
ON_UPDATE_COMMAND_UI(10001, OnUpdateAlways)
END_MESSAGE_MAP()

CKemMainFrame::CKemMainFrame()
    : m_bRemoteSeen(FALSE),
      m_bContextHelp(FALSE),
      m_nAccessLevel(0),
      m_nInstrumentPaneWidth(0),
      m_pTreeView(NULL),
      m_pListView(NULL),
      m_pMessageView(NULL),
      m_pValueBarsView(NULL),
      m_nTimerId(kTimerId),
      m_bOnline(FALSE),
      m_bInstrumentMode(FALSE),
      m_pTimerTarget(NULL),
      m_hTimerTarget(NULL),
      m_nMenuId(IDR_MAINFRAME),
      m_pCurveSheet(NULL),
      m_nTrayIconId(kFirstTrayIcon),
      m_bTrayIconAdded(FALSE),
      m_bInTimerUpdate(FALSE),
      m_bClosing(FALSE),
      m_hLoggingThread(NULL),
      m_hLoggingStop(NULL),
      m_bQueuedErrorsPosted(FALSE),
      m_bShowingQueuedErrors(FALSE) {}

CKemMainFrame::~CKemMainFrame() {
    delete m_pCurveSheet;
    if (m_hLoggingThread != NULL) CloseHandle(m_hLoggingThread);
    if (m_hLoggingStop != NULL) CloseHandle(m_hLoggingStop);
}

// ---- creation and end -------------------------------------------------------------------

BOOL CKemMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    cs.lpszClass = kWindowClass;
    return TRUE;
}

int CKemMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!m_wndStatusBar.Create(this, kIndicators, kPaneCount, kHelpPaneStyle)) return -1;
    // The help pane takes half its width; the instrument pane takes the help pane's id (no
    // update handler touches it) and style with a third of its first width.
    UINT nID = 0, nStyle = 0;
    int cxWidth = 0;
    m_wndStatusBar.GetPaneInfo(kPaneHelp, nID, nStyle, cxWidth);
    m_wndStatusBar.SetPaneInfo(kPaneHelp, nID, nStyle, cxWidth / 2);
    m_wndStatusBar.SetPaneInfo(kPaneInstrument, nID, nStyle, cxWidth / 3);
    m_nInstrumentPaneWidth = cxWidth / 3;
    UpdateStatusBar();

    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY |
                             CBRS_SIZE_DYNAMIC);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);

    m_bTrayIconAdded = NotifyTrayIcon(NIM_ADD, m_nTrayIconId);
    // The icon just added is the one shown: the message view's first "normal" changes nothing.
    if (m_bTrayIconAdded) g_nLastTrayIcon = m_nTrayIconId;
    const UINT_PTR nTimer = SetTimer(m_nTimerId, kTimerPeriod);
    if (nTimer == 0) return -1;
    m_nTimerId = (UINT)nTimer;
    RecalcLayout();
    // The start picture while the program comes up, when the start enabled it.
    CSplashWnd::ShowSplashScreen(this);
    return 0;
}

BOOL CKemMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    CRect rect;
    GetWindowRect(&rect);
    const int cx = rect.Width(), cy = rect.Height();
    if (!m_wndSplitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    m_wndSplitter.SetRowInfo(0, (int)(0.9 * cy), 0);
    if (!m_wndSplitterTop.CreateStatic(&m_wndSplitter, 1, 2, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                       m_wndSplitter.IdFromRowCol(0, 0)))
        return FALSE;
    if (!m_wndSplitterTop.CreateView(0, 0, RUNTIME_CLASS(CPCVaskTreeView),
                                     CSize((int)(0.4 * cx), 0), pContext) ||
        !m_wndSplitterTop.CreateView(0, 1, RUNTIME_CLASS(CPCVaskListView), CSize(0, 0), pContext) ||
        !m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(CViewMessage), CSize(cx, (int)(0.2 * cy)),
                                  pContext))
        return FALSE;
    m_pTreeView = (CPCVaskTreeView*)m_wndSplitterTop.GetPane(0, 0);
    m_pListView = (CPCVaskListView*)m_wndSplitterTop.GetPane(0, 1);
    m_pMessageView = (CViewMessage*)m_wndSplitter.GetPane(1, 0);
    SetActiveView(m_pTreeView);
    return TRUE;
}

BOOL CKemMainFrame::DestroyWindow() {
    StopLogging();
    DestroyCurveSheet();
    DeleteTrayIcon();
    return CFrameWnd::DestroyWindow();
}

void CKemMainFrame::OnDestroy() {
    // A window ended another way leaves no icon in the tray either.
    DeleteTrayIcon();
    KillTimer(m_nTimerId);
    CFrameWnd::OnDestroy();
}

void CKemMainFrame::OnClose() {
    if (IsClosePending(m_hWnd)) {
        // Confirmed before: the window goes once the work that ran then has returned.
        if (PendingCloseMayEnd(m_hWnd)) EndWindow();
        return;
    }
    if (AfxMessageBox(IDS_EXIT_QUESTION, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    // Work that lets messages through (a bus request, a scan, a transfer) and modal loops (a
    // dialog, a sheet, a box, a progress window) may still use the document and its analyzers
    // below this handler: they are ended first.
    if (!MayEndWindowNow()) {
        BeginPendingClose(m_hWnd);
        return;
    }
    EndWindow();
}

void CKemMainFrame::EndWindow() {
    if (!StopUpdateThread()) return;
    // The logging thread uses the frame, the document and the analyzers: it ends first.
    if (!StopLogging()) return;
    EndPendingClose();
    m_bClosing = TRUE;
    CFrameWnd::OnClose();
}

// ---- the document and the selection -----------------------------------------------------

CPCVaskDoc* CKemMainFrame::GetDocument() {
    CDocument* pDoc = GetActiveDocument();
    return pDoc != NULL && pDoc->IsKindOf(RUNTIME_CLASS(CPCVaskDoc)) ? (CPCVaskDoc*)pDoc : NULL;
}

CVaskInstrument* CKemMainFrame::GetSelectedAnalyzer() {
    CPCVaskDoc* pDoc = GetDocument();
    CInstrument* pNode = pDoc != NULL ? pDoc->GetCurrentInstrument() : NULL;
    return pNode != NULL && pNode->IsKindOf(RUNTIME_CLASS(CVaskInstrument))
               ? (CVaskInstrument*)pNode
               : NULL;
}

// ---- timer and status bar ----------------------------------------------------------------

void CKemMainFrame::SetTimerTarget(CWnd* pTarget) {
    m_pTimerTarget = pTarget;
    m_hTimerTarget = pTarget != NULL ? pTarget->GetSafeHwnd() : NULL;
}

CWnd* CKemMainFrame::GetTimerTarget() {
    if (m_pTimerTarget == NULL) return NULL;
    // Registered before it had a window: it is alive until unregistered, so it may be asked.
    if (m_hTimerTarget == NULL) m_hTimerTarget = m_pTimerTarget->GetSafeHwnd();
    if (m_hTimerTarget == NULL) return m_pTimerTarget;
    // A window that has gone, or that is another object's now, is dropped untouched.
    if (!::IsWindow(m_hTimerTarget) ||
        CWnd::FromHandlePermanent(m_hTimerTarget) != m_pTimerTarget) {
        m_pTimerTarget = NULL;
        m_hTimerTarget = NULL;
    }
    return m_pTimerTarget;
}

void CKemMainFrame::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kQueuedErrorsTimerId) {
        KillTimer(kQueuedErrorsTimerId);
        OnQueuedVaskErrors(0, 0);
        return;
    }
    if (nIDEvent != m_nTimerId) {
        Default();
        return;
    }
    if (IsClosePending(m_hWnd)) {
        // Dialogs that the unwinding work opened are cancelled as well.
        CancelOpenDialogs(m_hWnd);
        if (PendingCloseMayEnd(m_hWnd)) PostMessage(WM_CLOSE);
    }
    CPCVaskDoc* pDoc = GetDocument();
    if (pDoc == NULL) return;
    if (g_nTicks <= kCountingTicks) {
        ++g_nTicks;
        return;
    }
    // A tick handled while this thread waits for a bus request refreshes when it has ended;
    // a confirmed close refreshes nothing more. The views and the status bar read the devices
    // in one round: a value they both show is asked once, and a device that does not answer
    // holds the tick up once only.
    CRefreshRound round;
    CRefreshGivingWay givingWay;
    if (!m_bInTimerUpdate && m_bOnline && !pDoc->IsBusy() && !CvaskAccess::IsCallerWaiting() &&
        !IsClosePending(m_hWnd)) {
        m_bInTimerUpdate = TRUE;
        g_nTicks = 0;
        pDoc->UpdateAllViews(NULL, 3, NULL);
        CWnd* pTarget = GetTimerTarget();
        if (pTarget != NULL && m_hTimerTarget != NULL)
            ::PostMessageA(m_hTimerTarget, WM_TIMER, m_nTimerId, 0);
        if (m_pCurveSheet != NULL) {
            CWnd* pPage = m_pCurveSheet->GetCurvePage();
            if (pPage != pTarget && ::IsWindow(pPage->GetSafeHwnd()))
                ::PostMessageA(pPage->m_hWnd, WM_TIMER, m_nTimerId, 0);
        }
        m_bInTimerUpdate = FALSE;
        Default();
    }
    UpdateStatusBar();
}

CString CKemMainFrame::InstrumentPaneText(CInstrument* pNode, BOOL bAppOnline) {
    CString text = pNode->GetDisplayName();
    text.TrimLeft();
    text.TrimRight();
    if (!pNode->IsKindOf(RUNTIME_CLASS(CVaskInstrument))) return text;
    CVaskInstrument* pAnalyzer = (CVaskInstrument*)pNode;
    // A query that fails here is not the user's business: no report, no box every 1.2 s.
    pAnalyzer->EnableCommandReport(0);
    const CString state =
        CodeText(IDS_DEVICE_STATE_BASE, pAnalyzer->GetChannelState(), kLastChannelState);
    if (!state.IsEmpty()) {
        text += ": " + state;
        if (bAppOnline && pAnalyzer->GetModelKind() == kQuenta6Kind) {
            WarmUpStatusType warmUp = WarmUpStatusType(1);
            pAnalyzer->GetWarmUpState(warmUp);
            const CString phase = CodeText(IDS_WARMUP_STATUS_BASE, (int)warmUp, kLastWarmUpState);
            if (!phase.IsEmpty()) text += ", " + phase;
        }
    }
    pAnalyzer->EnableCommandReport(1);
    return text;
}

void CKemMainFrame::ShowInstrumentPane(const CString& text) {
    m_wndStatusBar.SetPaneText(kPaneInstrument, text);
    // A network's and an analyzer's names with the state are longer than the third of a
    // quarter screen the pane starts with: the pane grows with its text and shrinks back.
    int nWidth = m_nInstrumentPaneWidth;
    if (!text.IsEmpty()) {
        HDC hDC = ::GetDC(m_wndStatusBar.m_hWnd);
        HFONT hFont = (HFONT)m_wndStatusBar.SendMessage(WM_GETFONT);
        HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
        SIZE size = {0, 0};
        ::GetTextExtentPoint32A(hDC, text, text.GetLength(), &size);
        if (hOld != NULL) ::SelectObject(hDC, hOld);
        ::ReleaseDC(m_wndStatusBar.m_hWnd, hDC);
        if (size.cx > nWidth) nWidth = size.cx;
    }
    if (m_wndStatusBar.GetPaneWidth(kPaneInstrument) != nWidth)
        m_wndStatusBar.SetPaneWidth(kPaneInstrument, nWidth);
}

void CKemMainFrame::UpdateStatusBar() {
    if (m_wndStatusBar.m_hWnd == NULL) return;
    const BOOL bAppOnline = IsApplicationOnline();
    m_wndStatusBar.SetPaneText(kPaneOnline,
                               LoadText(bAppOnline ? IDS_ONLINE : ID_INDICATOR_ONLINE));
    m_wndStatusBar.SetPaneText(kPaneAccess, LoadText(IDS_ACCESS_LEVEL_BASE + (UINT)m_nAccessLevel));
    m_wndStatusBar.SetPaneText(kPaneTime,
                               CTime::GetCurrentTime().Format(LoadText(IDS_STATUS_TIME_FORMAT)));

    CPCVaskDoc* pDoc = GetDocument();
    // While the document rebuilds its tree the nodes are not asked anything, nor while this
    // thread waits for a bus request, nor while the user's input waits for this tick to end.
    if (pDoc != NULL && !pDoc->IsBusy() && !CvaskAccess::IsCallerWaiting() &&
        !IsUserInputWaiting()) {
        CInstrument* pNode = pDoc->GetCurrentInstrument();
        int nState = 0;
        if (pNode != NULL) {
            ShowInstrumentPane(InstrumentPaneText(pNode, bAppOnline));
            CVaskInstrument* pAnalyzer =
                pNode->IsKindOf(RUNTIME_CLASS(CVaskInstrument)) ? (CVaskInstrument*)pNode : NULL;
            if (pAnalyzer != NULL) pAnalyzer->EnableCommandReport(0);
            nState = pNode->GetState();
            if (pAnalyzer != NULL) pAnalyzer->EnableCommandReport(1);
        } else {
            ShowInstrumentPane("");
        }
        m_wndStatusBar.SetPaneStyle(kPaneRemote,
                                    nState == kRemoteState ? SBPS_NORMAL : SBPS_DISABLED);
        if (bAppOnline && pNode != NULL) {
            if (nState == kRemoteState) {
                m_bRemoteSeen = TRUE;
            } else if (m_bRemoteSeen) {
                m_bRemoteSeen = FALSE;
                AfxMessageBox(IDS_REMOTE_LOST);
            }
        }
    }

    const struct {
        int nPane;
        BOOL bOn;
    } flags[] = {{kPaneError, pDoc != NULL && pDoc->GetAnyError()},
                 {kPaneControl, pDoc != NULL && pDoc->GetAnyFunctionCheck()},
                 {kPaneMaintenance, pDoc != NULL && pDoc->GetAnyMaintenance()},
                 {kPaneLimit, pDoc != NULL && pDoc->GetAnyLimit()},
                 {kPaneProtocol, pDoc != NULL && pDoc->IsLogging()}};
    for (const auto& flag : flags)
        m_wndStatusBar.SetPaneStyle(flag.nPane, flag.bOn ? SBPS_NORMAL : SBPS_DISABLED);
}

// ---- title and menus --------------------------------------------------------------------

void CKemMainFrame::OnUpdateFrameTitle(BOOL) {
    if ((GetStyle() & FWS_ADDTOTITLE) == 0) return;
    CDocument* pDoc = GetActiveDocument();
    if (pDoc == NULL) return;
    CString instrument;
    if (CVaskInstrument* pAnalyzer = GetSelectedAnalyzer()) {
        CString name = pAnalyzer->GetDisplayName();
        name.TrimLeft();
        name.TrimRight();
        instrument = "- " + name + " ";
    }
    CString base;
    base.Format(LoadText(m_nMenuId), (LPCSTR)instrument);
    CString title = base;
    if (!pDoc->GetPathName().IsEmpty()) {
        CString document = pDoc->GetTitle();
        document.TrimRight();
        if (!document.IsEmpty()) {
            if (m_nWindow > 0) {
                CString number;
                number.Format(":%d", m_nWindow);
                document += number;
            }
            title = (GetStyle() & FWS_PREFIXTITLE) ? "[" + document + "] " + base
                                                   : base + " [" + document + "]";
        }
    }
    SetWindowText(title);
}

LRESULT CKemMainFrame::OnChangeMenu(WPARAM wParam, LPARAM) {
    // Every view but the instrument view belongs to the main menu.
    const UINT nMenuId = wParam == IDR_INSTRUMENT_DATA ? IDR_INSTRUMENT_DATA : IDR_MAINFRAME;
    LPCSTR lpszMenu = MAKEINTRESOURCEA(nMenuId);
    HMENU hMenu = ::LoadMenuA(AfxFindResourceHandle(lpszMenu, (LPCSTR)RT_MENU), lpszMenu);
    if (hMenu == NULL) return 0;  // the menu shown stays
    HMENU hOld = ::GetMenu(m_hWnd);
    ::SetMenu(m_hWnd, hMenu);
    if (hOld != NULL) ::DestroyMenu(hOld);
    m_hMenuDefault = hMenu;
    m_nMenuId = nMenuId;
    OnUpdateFrameTitle(TRUE);
    const int nShow = nMenuId == IDR_MAINFRAME ? SW_SHOW : SW_HIDE;
    m_wndSplitter.ShowWindow(nShow);
    m_wndSplitterTop.ShowWindow(nShow);
    DrawMenuBar();
    return 0;
}

void CKemMainFrame::SwitchValuePane(int nValueBars) {
    // The title names the selection at once: the new pane reads its values first, with slow
    // analyzers for seconds.
    OnUpdateFrameTitle(TRUE);
    if (m_wndSplitterTop.m_hWnd != NULL) {
        CWnd* pPane = m_wndSplitterTop.GetPane(0, 1);
        if (pPane != NULL && (pPane->IsKindOf(RUNTIME_CLASS(CPCVaskListView)) ||
                              pPane->IsKindOf(RUNTIME_CLASS(CViewValueBars)))) {
            int cx = 0, cxMin = 0, cy = 0, cyMin = 0;
            m_wndSplitterTop.GetColumnInfo(1, cx, cxMin);
            m_wndSplitterTop.GetRowInfo(0, cy, cyMin);
            m_wndSplitterTop.ReplaceView(
                0, 1, nValueBars ? RUNTIME_CLASS(CViewValueBars) : RUNTIME_CLASS(CPCVaskListView),
                CSize(cx, cy));
            pPane = m_wndSplitterTop.GetPane(0, 1);
            m_pListView = pPane != NULL && pPane->IsKindOf(RUNTIME_CLASS(CPCVaskListView))
                              ? (CPCVaskListView*)pPane
                              : NULL;
            m_pValueBarsView = pPane != NULL && pPane->IsKindOf(RUNTIME_CLASS(CViewValueBars))
                                   ? (CViewValueBars*)pPane
                                   : NULL;
        }
    }
    // The selection changed with the pane: the title names the analyzer.
    OnUpdateFrameTitle(TRUE);
}

// ---- instrument mode --------------------------------------------------------------------

void CKemMainFrame::SwitchToView(UINT nViewId) {
    if (CPCVaskApp* pApp = CPCVaskApp::Get())
        pApp->SwitchView((int)nViewId);
    else
        SendMessage(WM_CHANGEMENU, nViewId, 0);
}

void CKemMainFrame::SetModeButtons(BOOL bInstrumentMode) {
    if (m_wndToolBar.m_hWnd == NULL) return;
    CToolBarCtrl& toolBar = m_wndToolBar.GetToolBarCtrl();
    for (UINT nID : kInstrumentModeButtons) toolBar.EnableButton((int)nID, bInstrumentMode);
    for (UINT nID : kMainModeButtons) toolBar.EnableButton((int)nID, !bInstrumentMode);
}

int CKemMainFrame::SetRemote(CVaskInstrument* pInstrument, BOOL bOn) {
    pInstrument->EnableCommandReport(0);
    const int nResult = pInstrument->Remote(bOn ? 1 : 0);
    pInstrument->EnableCommandReport(1);
    return nResult;
}

void CKemMainFrame::OnEditInstrumentData() {
    CVaskInstrument* pAnalyzer = GetSelectedAnalyzer();
    if (m_nAccessLevel > 1) {
        if (pAnalyzer == NULL) return;
        if (!SetRemote(pAnalyzer, TRUE)) AfxMessageBox(IDS_REMOTE_FAILED, MB_OK);
    }
    SwitchToView(IDR_INSTRUMENT_DATA);
    m_bInstrumentMode = TRUE;
    SetModeButtons(TRUE);
}

void CKemMainFrame::OnReturnToMainMenu() {
    // The remote state is the analyzer's; the way back to the main menu is always open.
    if (CVaskInstrument* pAnalyzer = GetSelectedAnalyzer()) SetRemote(pAnalyzer, FALSE);
    SwitchToView(IDR_MAINFRAME);
    m_bInstrumentMode = FALSE;
    SetModeButtons(FALSE);
    m_bRemoteSeen = FALSE;
}

void CKemMainFrame::LeaveInstrumentMode() {
    if (m_bInstrumentMode) OnReturnToMainMenu();
}

void CKemMainFrame::RelinkAfterDownload() {
    OnReturnToMainMenu();
    OnLinkInstrument();
}

// ---- the analyzer's sheets ---------------------------------------------------------------

void CKemMainFrame::RunRemoteSheet(CVaskInstrument* pInstrument, CPropertySheet& sheet) {
    BOOL bRemote = FALSE;
    if (m_nAccessLevel > 1) {
        bRemote = SetRemote(pInstrument, TRUE) != 0;
        if (!bRemote && AfxMessageBox(IDS_REMOTE_FAILED, MB_OKCANCEL) == IDCANCEL) return;
    }
    SetTimerTarget(&sheet);
    sheet.DoModal();
    SetTimerTarget(NULL);
    if (bRemote) SetRemote(pInstrument, FALSE);
    m_bRemoteSeen = FALSE;
}

void CKemMainFrame::OnDiagnosticValues() {
    CVaskInstrument* pAnalyzer = GetSelectedAnalyzer();
    if (pAnalyzer == NULL) return;
    CDiagnosticsPropertySheet sheet(pAnalyzer, this);
    RunRemoteSheet(pAnalyzer, sheet);
}

void CKemMainFrame::OnDriftValues() {
    CVaskInstrument* pAnalyzer = GetSelectedAnalyzer();
    if (pAnalyzer == NULL) return;
    CDriftValuesSheet sheet(pAnalyzer, this);
    RunRemoteSheet(pAnalyzer, sheet);
}

void CKemMainFrame::OnAdjustment() {
    CVaskInstrument* pAnalyzer = GetSelectedAnalyzer();
    if (pAnalyzer == NULL) return;
    CAdjustmentSheet sheet(pAnalyzer);
    sheet.DoModal();
}

void CKemMainFrame::OnParameters() {
    CVaskInstrument* pAnalyzer = GetSelectedAnalyzer();
    if (pAnalyzer == NULL) return;
    CParameterPropertySheet sheet(pAnalyzer);
    sheet.DoModal();
}

void CKemMainFrame::OnConfiguration() {
    CVaskInstrument* pAnalyzer = GetSelectedAnalyzer();
    if (pAnalyzer == NULL) return;
    CConfigPropertySheet sheet(pAnalyzer, this);
    sheet.DoModal();
}

void CKemMainFrame::OnResetInstrument() {
    CWaitCursor wait;
    // A converter or gateway selected has nothing to reset.
    CVaskInstrument* pAnalyzer = GetSelectedAnalyzer();
    if (pAnalyzer == NULL) return;
    if (m_nAccessLevel > 1) pAnalyzer->Reset();
    if (!SetRemote(pAnalyzer, TRUE)) AfxMessageBox(IDS_REMOTE_FAILED, MB_OKCANCEL);
}

// ---- networks, settings and dialogs --------------------------------------------------------

void CKemMainFrame::OnLinkInstrument() {
    CPCVaskDoc* pDoc = GetDocument();
    if (pDoc == NULL) return;
    if (pDoc->IsLogging() && AfxMessageBox(IDS_STOP_PROTOCOL_FOR_LINK, MB_OKCANCEL) == IDCANCEL)
        return;
    // The update thread reads through the connections that going online renews.
    if (!StopUpdateThread()) return;
    // The rebuild deletes the analyzers that the logging thread reads.
    if (!StopLogging()) return;
    pDoc->SetBusy(1);
    pDoc->SetOnlineMode(1);
    pDoc->InitTheInstruments();
}

void CKemMainFrame::OnCommunicationConfiguration() {
    CPCVaskDoc* pDoc = GetDocument();
    if (pDoc == NULL || !pDoc->ConfigureTheCommunication(1)) return;
    if (!StopLogging()) return;
    ProgramWait(1000);
    if (!StopUpdateThread()) return;
    pDoc->InitTheInstruments();
}

void CKemMainFrame::OnCurveView() {
    if (m_pCurveSheet != NULL && ::IsWindow(m_pCurveSheet->GetSafeHwnd())) {
        m_pCurveSheet->ShowWindow(SW_SHOWNORMAL);
        return;
    }
    DestroyCurveSheet();
    CPCVaskDoc* pDoc = GetDocument();
    if (pDoc == NULL) return;
    m_pCurveSheet = new CCurvePropSheet(pDoc->GetPortList(), IDS_CURVE_VIEW_CAPTION, this, 1);
    if (!m_pCurveSheet->Create(this, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0)) {
        DestroyCurveSheet();
        return;
    }
    m_pCurveSheet->ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    m_pCurveSheet->ShowWindow(SW_SHOW);
}

void CKemMainFrame::DestroyCurveSheet() {
    if (m_pCurveSheet == NULL) return;
    if (::IsWindow(m_pCurveSheet->GetSafeHwnd())) m_pCurveSheet->DestroyWindow();
    delete m_pCurveSheet;
    m_pCurveSheet = NULL;
}

void CKemMainFrame::OnProgramConfiguration() {
    CSettingsSheet sheet;
    sheet.DoModal();
}

void CKemMainFrame::OnPrinterConfiguration() {
    // The system's dialog would warn of a missing printer in a box of its own.
    if (!PrinterInstalled()) {
        AfxMessageBox(IDS_NO_PRINTER, MB_ICONEXCLAMATION);
        return;
    }
    PRINTDLGA pd;
    memset(&pd, 0, sizeof pd);
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = m_hWnd;
    pd.Flags = PD_PRINTSETUP | PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
               PD_HIDEPRINTTOFILE | PD_NOSELECTION;
    {
        CModalLoop loop;
        ::PrintDlgA(&pd);
    }
    // The choice is not kept.
    if (pd.hDevMode != NULL) ::GlobalFree(pd.hDevMode);
    if (pd.hDevNames != NULL) ::GlobalFree(pd.hDevNames);
}

void CKemMainFrame::OnCloseProgram() { PostMessage(WM_CLOSE); }

void CKemMainFrame::OnPrintForms() { RunPrintFormDesigner(this); }

void CKemMainFrame::OnInstrumentOverview() {
    CPCVaskDoc* pDoc = GetDocument();
    if (pDoc == NULL) return;
    CInstrumentOverviewDlg dialog(pDoc->GetPortList());
    if (dialog.DoModal() == IDOK) pDoc->UpdateAllViews(NULL, 7, NULL);
}

// ---- the measurement log -----------------------------------------------------------------

void CKemMainFrame::OnProtocolParameters() {
    CPCVaskDoc* pDoc = GetDocument();
    if (pDoc == NULL) return;
    CnuraProtocol* pProtocol = pDoc->GetProtocol();
    pProtocol->SetTimeFormat(LoadText(IDS_PROTOCOL_TIME_FORMAT));
    if (pProtocol->DoPropertyDialog(FALSE) != IDCANCEL && pProtocol->GetUserFlag(0)) StartLogging();
}

void CKemMainFrame::OnProtocolValues() {
    CPCVaskDoc* pDoc = GetDocument();
    if (pDoc == NULL) return;
    if (!pDoc->IsLogging())
        StartLogging();
    else
        EndLogging();  // the thread ends by itself once a row it writes is whole
}

BOOL CKemMainFrame::StartLogging() {
    CPCVaskDoc* pDoc = GetDocument();
    if (pDoc == NULL) return FALSE;
    // A thread of an earlier log that is still ending goes first.
    if (!StopLogging()) return FALSE;
    if (m_hLoggingStop != NULL) ::CloseHandle(m_hLoggingStop);
    m_hLoggingStop = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    CProtocolThread* pThread = (CProtocolThread*)AfxBeginThread(
        RUNTIME_CLASS(CProtocolThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    HANDLE hThread = NULL;
    if (pThread == NULL ||
        !::DuplicateHandle(::GetCurrentProcess(), pThread->m_hThread, ::GetCurrentProcess(),
                           &hThread, SYNCHRONIZE, FALSE, 0)) {
        // A thread that never ran ends at once: it finds the flag clear.
        if (pThread != NULL) pThread->ResumeThread();
        AfxMessageBox(IDS_PROTOCOL_NOT_STARTED);
        return FALSE;
    }
    pThread->SetMainFrame(this);
    pThread->SetDocument(pDoc);
    pThread->SetStopEvent(m_hLoggingStop);
    // The flag is set before the thread's first poll, which would end a log it finds off.
    pDoc->SetLogging(TRUE);
    if (pThread->ResumeThread() == (DWORD)-1) {
        pDoc->SetLogging(FALSE);
        ::CloseHandle(hThread);
        AfxMessageBox(IDS_PROTOCOL_NOT_STARTED);
        return FALSE;
    }
    m_hLoggingThread = hThread;
    return TRUE;
}

void CKemMainFrame::EndLogging() {
    if (CPCVaskDoc* pDoc = GetDocument()) pDoc->SetLogging(FALSE);
    // The thread's wait between its polls ends at once.
    if (m_hLoggingStop != NULL) ::SetEvent(m_hLoggingStop);
}

BOOL CKemMainFrame::StopLogging() {
    EndLogging();
    HANDLE hThread = m_hLoggingThread;
    if (hThread == NULL) return TRUE;
    CWaitCursor wait;
    // A row that has begun is finished first: it may read every logged analyzer over the
    // bus, each read bounded by the bus's own time-outs.
    if (WaitForObjectWithMessages(hThread, kLoggingStopTimeout) && m_hLoggingThread == hThread) {
        ::CloseHandle(hThread);
        m_hLoggingThread = NULL;
    }
    if (m_hLoggingThread != NULL) {
        CTraceFile trace(0, "");
        trace.Write("The logging thread did not end in time");
    }
    return m_hLoggingThread == NULL;
}

LRESULT CKemMainFrame::OnProtocolReport(WPARAM wParam, LPARAM lParam) {
    CString text;
    text.Format((LPCSTR)LoadText((UINT)wParam), (unsigned long)lParam);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    return 0;
}

void CKemMainFrame::GetMessageString(UINT nID, CString& rMessage) const {
    if (nID == ID_PROTOCOL_VALUES) {
        CPCVaskDoc* pDoc = const_cast<CKemMainFrame*>(this)->GetDocument();
        rMessage = LoadText(pDoc != NULL && pDoc->IsLogging() ? IDS_PROTOCOL_OFF : IDS_PROTOCOL_ON);
        return;
    }
    CFrameWnd::GetMessageString(nID, rMessage);
}

BOOL CKemMainFrame::OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult) {
    const BOOL bWide = pNMHDR->code == TTN_NEEDTEXTW;
    const UINT uFlags = bWide ? ((TOOLTIPTEXTW*)pNMHDR)->uFlags : ((TOOLTIPTEXTA*)pNMHDR)->uFlags;
    UINT_PTR nCommand = pNMHDR->idFrom;
    if (uFlags & TTF_IDISHWND) nCommand = (UINT_PTR)::GetDlgCtrlID((HWND)nCommand);
    if (nCommand != ID_PROTOCOL_VALUES) return CFrameWnd::OnToolTipText(nID, pNMHDR, pResult);
    CString tip;
    GetMessageString(ID_PROTOCOL_VALUES, tip);
    if (bWide) {
        TOOLTIPTEXTW* pTTT = (TOOLTIPTEXTW*)pNMHDR;
        ::MultiByteToWideChar(CP_ACP, 0, tip, -1, pTTT->szText, _countof(pTTT->szText));
        pTTT->szText[_countof(pTTT->szText) - 1] = L'\0';
        pTTT->lpszText = pTTT->szText;
        pTTT->hinst = NULL;
    } else {
        TOOLTIPTEXTA* pTTT = (TOOLTIPTEXTA*)pNMHDR;
        lstrcpynA(pTTT->szText, tip, _countof(pTTT->szText));
        pTTT->lpszText = pTTT->szText;
        pTTT->hinst = NULL;
    }
    *pResult = 0;
    return TRUE;
}

// ---- registered messages -----------------------------------------------------------------

LRESULT CKemMainFrame::OnVaskError(WPARAM wParam, LPARAM lParam) {
    // An active sheet page shows the failures of its own requests.
    if (GetTimerTarget() != NULL) return 0;
    CView* pView = GetActiveView();
    return pView != NULL ? pView->SendMessage(WM_VASK_ERROR, wParam, lParam) : 0;
}

void CKemMainFrame::ReportDeviceError(const CString& text, const ErrorStruct_& error) {
    const HWND hWnd = m_hWnd;
    if (m_bClosing || hWnd == NULL || !::IsWindow(hWnd)) return;
    // A box opened while the user's click or key waits in the queue would take it: the window
    // beneath the box is disabled and drops it. The failure then waits for the input.
    if (::GetWindowThreadProcessId(hWnd, NULL) == ::GetCurrentThreadId() && !IsInWindowWait() &&
        CWindowWork::Running() == 0 &&
        !IsUserInputWaiting()) {
        BroadcastMessage(WM_VASK_ERROR, (WPARAM)(LPCSTR)text, (LPARAM)&error);
        return;
    }
    BOOL bPost;
    {
        CSingleLock lock(&m_queuedErrorsLock, TRUE);
        m_queuedErrors.push_back({text, error});
        bPost = !m_bQueuedErrorsPosted;
        m_bQueuedErrorsPosted = TRUE;
    }
    if (bPost && !::PostMessageA(hWnd, WM_QUEUED_VASK_ERRORS, 0, 0)) {
        CSingleLock lock(&m_queuedErrorsLock, TRUE);
        m_bQueuedErrorsPosted = FALSE;
    }
}

LRESULT CKemMainFrame::OnQueuedVaskErrors(WPARAM, LPARAM) {
    {
        CSingleLock lock(&m_queuedErrorsLock, TRUE);
        m_bQueuedErrorsPosted = FALSE;
    }
    // Reached again from the loop of a box that this call shows: this call goes on with
    // the rest once the box has gone.
    if (m_bShowingQueuedErrors) return 0;
    // The user's waiting input goes first; a timer's message comes only once it has been
    // handled (and the posted messages before it).
    if (IsUserInputWaiting()) {
        SetTimer(kQueuedErrorsTimerId, 0, NULL);
        return 0;
    }
    m_bShowingQueuedErrors = TRUE;
    for (;;) {
        QueuedError queued;
        {
            CSingleLock lock(&m_queuedErrorsLock, TRUE);
            if (m_queuedErrors.empty()) break;
            queued = m_queuedErrors.front();
            m_queuedErrors.pop_front();
        }
        BroadcastMessage(WM_VASK_ERROR, (WPARAM)(LPCSTR)queued.text, (LPARAM)&queued.error);
    }
    m_bShowingQueuedErrors = FALSE;
    return 0;
}

LRESULT CKemMainFrame::OnBusScanProgress(WPARAM wParam, LPARAM lParam) {
    if (CPCVaskDoc* pDoc = GetDocument()) pDoc->OnVaskInitProgress(wParam, lParam);
    return 0;
}

LRESULT CKemMainFrame::OnAddressConflict(WPARAM wParam, LPARAM) {
    CString text;
    text.Format(LoadText(IDS_ADDRESS_CONFLICT), (int)wParam);
    AfxMessageBox(text);
    return 0;
}

LRESULT CKemMainFrame::OnStartCommunication(WPARAM, LPARAM) {
    m_wndStatusBar.SavePane(kPaneHelp);
    if (CStatusPane* pPane = m_wndStatusBar.GetPane(kPaneHelp)) {
        pPane->SetStyle(PANE_KIND_PROGRESS);
        if (CProgressCtrl* pProgress = pPane->GetProgressCtrl()) pProgress->SetRange(0, 100);
    }
    m_wndStatusBar.Invalidate(FALSE);
    return 1;
}

LRESULT CKemMainFrame::OnCommunicating(WPARAM wParam, LPARAM) {
    CStatusPane* pPane = m_wndStatusBar.GetPane(kPaneHelp);
    CProgressCtrl* pProgress = pPane != NULL ? pPane->GetProgressCtrl() : NULL;
    if (pProgress == NULL) return 0;
    pProgress->SetPos((int)wParam);
    m_wndStatusBar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return 0;
}

LRESULT CKemMainFrame::OnEndCommunication(WPARAM, LPARAM) {
    m_wndStatusBar.RestorePane(kPaneHelp);
    return 0;
}

BOOL CKemMainFrame::StopUpdateThread() {
    CPCVaskDoc* pDoc = GetDocument();
    if (pDoc == NULL) return TRUE;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL;) {
        CView* pView = pDoc->GetNextView(pos);
        if (!pView->IsKindOf(RUNTIME_CLASS(CInstrumentView))) continue;
        CInstrumentView* pInstrumentView = (CInstrumentView*)pView;
        pInstrumentView->WaitForUpdateThread();
        if (pInstrumentView->IsUpdateThreadRunning()) return FALSE;
    }
    return TRUE;
}

void CKemMainFrame::BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_bClosing) return;
    const HWND hWnd = m_hWnd;
    if (!::IsWindow(hWnd)) return;
    ::SendMessageA(hWnd, message, wParam, lParam);
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } sent = {message, wParam, lParam};
    ::EnumChildWindows(
        hWnd,
        [](HWND hChild, LPARAM p) -> BOOL {
            const Message* m = (const Message*)p;
            ::SendMessageA(hChild, m->message, m->wParam, m->lParam);
            return TRUE;
        },
        (LPARAM)&sent);
}

// ---- tray icon ----------------------------------------------------------------------------

BOOL CKemMainFrame::NotifyTrayIcon(DWORD dwMessage, UINT nIconId) {
    NOTIFYICONDATAA data;
    memset(&data, 0, sizeof data);
    data.cbSize = sizeof data;
    data.hWnd = m_hWnd;
    data.uID = m_nTrayIconId;
    if (dwMessage != NIM_DELETE) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = WM_MOUSEMOVE;
        LPCSTR lpszIcon = MAKEINTRESOURCEA(nIconId);
        data.hIcon = (HICON)::LoadImageA(AfxFindResourceHandle(lpszIcon, (LPCSTR)RT_GROUP_ICON),
                                         lpszIcon, IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                         ::GetSystemMetrics(SM_CYSMICON), 0);
        lstrcpynA(data.szTip, LoadText(nIconId), 64);
    }
    const BOOL bResult = g_pfnNotifyIcon != NULL ? g_pfnNotifyIcon(dwMessage, &data)
                                                 : ::Shell_NotifyIconA(dwMessage, &data);
    if (data.hIcon != NULL) ::DestroyIcon(data.hIcon);
    return bResult;
}

int CKemMainFrame::UpdateTrayIcon(UINT nIconId) {
    if (nIconId == g_nLastTrayIcon) return 1;
    g_nLastTrayIcon = nIconId;
    return NotifyTrayIcon(NIM_MODIFY, nIconId);
}

void CKemMainFrame::DeleteTrayIcon() {
    if (!m_bTrayIconAdded || m_hWnd == NULL) return;
    m_bTrayIconAdded = FALSE;
    NotifyTrayIcon(NIM_DELETE, m_nTrayIconId);
}

// ---- help ---------------------------------------------------------------------------------

void CKemMainFrame::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    const HelpRoute route = RouteHelpRequest(dwData, nCmd, m_bContextHelp);
    if (route.kind == HelpRoute::None) return;
    m_bContextHelp = FALSE;
    if (route.kind == HelpRoute::Popup) {
        ShowHelpPopup(route.dwData);
        return;
    }
    const CString file = AfxGetApp()->m_pszHelpFilePath;
    if (!AfxCallHelp(m_hWnd, file, route.nHtmlCommand, route.dwData, TRUE) &&
        ::GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) {
        // The help window would stay away without a word.
        CString text;
        text.Format((UINT)IDS_HELP_NOT_FOUND, (LPCSTR)file);
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    }
}

void CKemMainFrame::ShowHelpPopup(DWORD_PTR dwContext) {
    if (dwContext == kHelpButtonContext) dwContext = kHelpButtonPopup;
    POINT pt = {0, 0};
    ::GetCursorPos(&pt);
    const CString file = AfxGetApp()->m_pszHelpFilePath;
    // A resource's topic belongs to the window under the cursor.
    if (dwContext > HID_BASE_RESOURCE && dwContext < HID_BASE_CONTROL) {
        AfxCallHelp(::WindowFromPoint(pt), file, HH_HELP_CONTEXT, dwContext, TRUE);
        return;
    }
    HH_POPUP popup;
    memset(&popup, 0, sizeof popup);
    popup.cbStruct = sizeof popup;
    popup.idString = (UINT)dwContext;
    popup.pszText = "";
    popup.pt = pt;
    popup.clrForeground = RGB(0, 0, 0);
    popup.clrBackground = kPopupBackground;
    SetRect(&popup.rcMargins, -1, -1, -1, -1);
    AfxCallHelp(m_hWnd, file + "::/popupse.txt", HH_DISPLAY_TEXT_POPUP, (DWORD_PTR)&popup, TRUE);
}

LRESULT CKemMainFrame::OnCommandHelp(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) {
        if (IsTracking() && m_nIDTracking < kLastTrackedCommand) {
            lParam = HID_BASE_COMMAND + m_nIDTracking;
        } else if (CView* pView = GetActiveView()) {
            return pView->SendMessage(WM_COMMANDHELP, wParam, 0);
        } else {
            lParam = kFrameHelpContext;
        }
    }
    if (lParam != 0) AfxGetApp()->WinHelp((DWORD_PTR)lParam, HELP_CONTEXT);
    return lParam != 0;
}

void CKemMainFrame::OnUserHelp() { AfxGetApp()->WinHelp(0, HELP_INDEX); }

void CKemMainFrame::OnHelpIndexCommand() { AfxGetApp()->WinHelp(0, HELP_FINDER); }

void CKemMainFrame::OnContextHelpCommand() {
    m_bContextHelp = TRUE;
    OnContextHelp();
}

// ---- login --------------------------------------------------------------------------------

BOOL CKemMainFrame::Login() {
    m_wndStatusBar.SetPaneText(kPaneHelp, LoadText(IDS_LOGIN_HELP_LINE));
    m_wndStatusBar.SetPaneText(kPaneAccess, LoadText(IDS_ACCESS_LEVEL_BASE));
    CAccessLevelDlg dialog;
    if (dialog.DoModal() != IDOK || dialog.m_nLevel < 0 || dialog.m_nLevel > 2) return FALSE;
    m_nAccessLevel = dialog.m_nLevel + 1;
    if (!CheckAccessPassword()) return FALSE;
    UpdateStatusBar();
    return TRUE;
}

BOOL CKemMainFrame::CheckAccessPassword() {
    const CString stored = AfxGetApp()->GetProfileString(LoadText(IDS_ACCESS_SECTION),
                                                         AccessEntryName(m_nAccessLevel));
    if (stored.IsEmpty()) return TRUE;
    CAccessPasswordDlg dialog(this);
    if (dialog.DoModal() != IDOK) return FALSE;
    if (CTextScrambler().Scramble(dialog.m_strPassword) != stored) {
        AfxMessageBox(IDS_NOT_ALLOWED_TO_USE);
        return FALSE;
    }
    return TRUE;
}

void CKemMainFrame::OnSetPassword() {
    if (m_nAccessLevel < 2) return;
    const CString section = LoadText(IDS_ACCESS_SECTION);
    const CString key = AccessEntryName(m_nAccessLevel);
    CWinApp* pApp = AfxGetApp();
    const CString stored = pApp->GetProfileString(section, key);
    CSetPasswordDlg dialog(key);
    if (dialog.DoModal() != IDOK) return;
    const CTextScrambler scrambler;
    if (!stored.IsEmpty() && scrambler.Scramble(dialog.m_strOld) != stored) {
        AfxMessageBox(IDS_PASSWORD_CHANGE_DENIED);
        return;
    }
    pApp->WriteProfileString(section, key, scrambler.Scramble(dialog.m_strNew));
}

// ---- update handlers ----------------------------------------------------------------------

void CKemMainFrame::OnUpdateAlways(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void CKemMainFrame::OnUpdateOnline(CCmdUI* pCmdUI) { pCmdUI->Enable(IsApplicationOnline()); }

void CKemMainFrame::OnUpdateAnalyzerMainMode(CCmdUI* pCmdUI) {
    pCmdUI->Enable(GetSelectedAnalyzer() != NULL && !m_bInstrumentMode);
}

void CKemMainFrame::OnUpdateInstrumentMode(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bInstrumentMode); }

void CKemMainFrame::OnUpdateSetPassword(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nAccessLevel >= 2); }

void CKemMainFrame::OnUpdateProtocolValues(CCmdUI* pCmdUI) {
    if (!IsApplicationOnline()) {
        pCmdUI->SetCheck(0);
        pCmdUI->Enable(FALSE);
        return;
    }
    CPCVaskDoc* pDoc = GetDocument();
    const BOOL bRunning = pDoc != NULL && pDoc->IsLogging();
    pCmdUI->SetText(LoadText(bRunning ? IDS_STOP_PROTOCOL_MENU : IDS_PROTOCOL_VALUES_MENU));
    pCmdUI->SetCheck(bRunning ? 1 : 0);
    pCmdUI->Enable(TRUE);
}

void CKemMainFrame::OnUpdateProtocolParameters(CCmdUI* pCmdUI) {
    CPCVaskDoc* pDoc = GetDocument();
    pCmdUI->Enable(IsApplicationOnline() && pDoc != NULL && !pDoc->IsLogging());
}

void CKemMainFrame::OnUpdateResetInstrument(CCmdUI* pCmdUI) {
    pCmdUI->Enable(IsApplicationOnline() && m_nAccessLevel >= 2);
}
