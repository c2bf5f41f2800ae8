// The main frame in a real window: its refresh timer driven tick by tick, the timer target
// and the error message kept by window handle, title and menus, the value pane, the
// communication progress in the status bar, the curve sheet, the measurement log command,
// closing, the help requests, the tray icon and the commands' update handlers.
#include "nuraprotocol_res.h"
#include "mainframe_fixture.h"
#include "shellsheethost.h"

#include "appmessages.h"
#include "curvepropsheet.h"
#include "shellcurvehost.h"
#include "instrument.h"
#include "pcvasklistview.h"
#include "vaskinstrument.h"
#include "viewmessage.h"
#include "viewvaluebars.h"
#include "windowwork.h"

#include <functional>
#include <set>

namespace frametest {
namespace {

// A view outside the panes: the update hints it gets and the error messages sent to it.
class CRecordingView : public CView {
public:
    void OnDraw(CDC*) override {}
    void OnUpdate(CView*, LPARAM lHint, CObject*) override { hints.push_back(lHint); }
    LRESULT OnVaskError(WPARAM, LPARAM) {
        ++errors;
        return 7;
    }
    int Count(LPARAM lHint) const {
        int n = 0;
        for (LPARAM h : hints) n += h == lHint;
        return n;
    }
    std::vector<LPARAM> hints;
    int errors = 0;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRecordingView, CView)
ON_REGISTERED_MESSAGE(WM_VASK_ERROR, OnVaskError)
END_MESSAGE_MAP()

// A window that counts the timer ticks of one timer id.
class CTickTarget : public CWnd {
public:
    explicit CTickTarget(UINT nTimerId) : id(nTimerId) {
        CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 1, 1, NULL, NULL);
    }
    void OnTimer(UINT_PTR nIDEvent) {
        if (nIDEvent == id) ++ticks;
    }
    UINT id;
    int ticks = 0;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTickTarget, CWnd)
ON_WM_TIMER()
END_MESSAGE_MAP()

// An analyzer without a device, named as the tests need.
std::unique_ptr<CVaskInstrument> OfflineAnalyzer(const char* name = "Analyzer") {
    return std::unique_ptr<CVaskInstrument>(new CVaskInstrument(name, 0, NULL, 1, 2, 4, 4, 0));
}

HWND ProgressOf(HWND hBar) { return FindWindowExA(hBar, NULL, "msctls_progress32", NULL); }

class MainFrame : public MainFrameTest {
protected:
    // The real timer is stopped: the tests give the ticks themselves.
    void StopRealTimer() { KillTimer(hFrame_, frame_->GetTimerId()); }
    void Tick() { SendMessageA(hFrame_, WM_TIMER, frame_->GetTimerId(), 0); }
    // The log of an analyzer without a device, started online by its command: a handle of
    // the logging thread (the caller closes it), NULL when it did not start.
    HANDLE StartLog() {
        SetMode(1);
        if (!logged_) logged_ = OfflineAnalyzer("Logged");
        doc_->GetProtocolPage()->SetCurrentInstrument(logged_.get());
        Command(ID_PROTOCOL_VALUES);
        HANDLE thread = NULL;
        if (!doc_->IsLogging() ||
            !DuplicateHandle(GetCurrentProcess(), frame_->LoggingThread(), GetCurrentProcess(),
                             &thread, SYNCHRONIZE, FALSE, 0))
            return NULL;
        return thread;
    }
    std::unique_ptr<CVaskInstrument> logged_;
    // The items of the first menu of the frame's menu bar.
    std::set<UINT> FirstMenuIds() {
        std::set<UINT> ids;
        HMENU hMenu = GetSubMenu(GetMenu(hFrame_), 0);
        for (int i = 0; i < GetMenuItemCount(hMenu); ++i) ids.insert(GetMenuItemID(hMenu, i));
        return ids;
    }
};

// ---- the refresh timer ------------------------------------------------------------------

TEST_F(MainFrame, TimerRefreshesByTheTable) {
    StopRealTimer();
    struct Case {
        const char* what;
        BOOL online;
        int busyTicks;  // the first ticks find the document busy
        int ticks;
        int hints, refreshes, posts;
    } const cases[] = {
        {"online and idle", TRUE, 0, 24, 2, 2, 2},
        {"offline", FALSE, 0, 24, 0, 13, 0},
        {"busy, then idle: the first idle tick updates", TRUE, 15, 16, 1, 5, 1},
        {"only counting", TRUE, 0, 11, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetMainFrameCounters();
        CRecordingView hints;
        doc_->AddView(&hints);
        CTickTarget target(frame_->GetTimerId());
        frame_->SetTimerTarget(&target);
        frame_->SetOnline(c.online);
        frame_->statusRefreshes = 0;
        for (int i = 1; i <= c.ticks; ++i) {
            doc_->SetBusy(i <= c.busyTicks);
            Tick();
        }
        wkit::Driver::Pump();  // the posted ticks
        EXPECT_EQ(hints.Count(3), c.hints);
        EXPECT_EQ(frame_->statusRefreshes, c.refreshes);
        EXPECT_EQ(target.ticks, c.posts);
        frame_->SetTimerTarget(NULL);
        doc_->RemoveView(&hints);
        target.DestroyWindow();
    }
    doc_->SetBusy(0);
}

TEST_F(MainFrame, ATargetIsKeptByItsWindowAndDroppedWhenItHasGone) {
    StopRealTimer();
    frame_->SetOnline(TRUE);
    CTickTarget* target = new CTickTarget(frame_->GetTimerId());
    frame_->SetTimerTarget(target);
    EXPECT_EQ(frame_->GetTimerTarget(), target);
    // A page deleted without unregistering: its window and object are gone.
    target->DestroyWindow();
    delete target;
    for (int i = 0; i < 12; ++i) Tick();
    EXPECT_EQ(frame_->GetTimerTarget(), nullptr);
    // A window that still exists stays the target and gets the tick.
    CTickTarget alive(frame_->GetTimerId());
    frame_->SetTimerTarget(&alive);
    for (int i = 0; i < 12; ++i) Tick();
    wkit::Driver::Pump();
    EXPECT_EQ(alive.ticks, 1);
    EXPECT_EQ(frame_->GetTimerTarget(), &alive);
    frame_->SetTimerTarget(NULL);
}

TEST_F(MainFrame, ATimerTargetKeepsTheErrorMessageFromTheActiveView) {
    CRecordingView* view = new CRecordingView;
    ASSERT_TRUE(view->Create(NULL, "", WS_CHILD, CRect(0, 0, 10, 10), frame_, 0xE9F0, NULL));
    CView* pane = frame_->GetActiveView();
    frame_->SetActiveView(view);

    EXPECT_EQ(SendMessageA(hFrame_, WM_VASK_ERROR, 0, 0), 7);
    EXPECT_EQ(view->errors, 1);

    CTickTarget target(frame_->GetTimerId());
    frame_->SetTimerTarget(&target);
    EXPECT_EQ(SendMessageA(hFrame_, WM_VASK_ERROR, 0, 0), 0);
    EXPECT_EQ(view->errors, 1);

    // Once the target's window has gone, the view gets the messages again.
    target.DestroyWindow();
    EXPECT_EQ(SendMessageA(hFrame_, WM_VASK_ERROR, 0, 0), 7);
    EXPECT_EQ(view->errors, 2);

    frame_->SetActiveView(pane);
    view->DestroyWindow();
}

TEST_F(MainFrame, BroadcastReachesTheFrameAndEveryPaneFromAnotherThread) {
    CRecordingView* view = new CRecordingView;
    ASSERT_TRUE(view->Create(NULL, "", WS_CHILD, CRect(0, 0, 10, 10), frame_, 0xE9F0, NULL));
    CView* pane = frame_->GetActiveView();
    frame_->SetActiveView(view);
    volatile bool done = false;
    HANDLE thread = CreateThread(
        NULL, 0,
        [](LPVOID p) -> DWORD {
            auto* self = static_cast<std::pair<CKemMainFrame*, volatile bool*>*>(p);
            self->first->BroadcastMessage(WM_VASK_ERROR, 0, 0);
            *self->second = true;
            return 0;
        },
        new std::pair<CKemMainFrame*, volatile bool*>(frame_, &done), 0, NULL);
    ASSERT_TRUE(wkit::Driver::PumpUntil([&] { return done; }, 10000));
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    // Once as the frame's active view, once as a descendant of the frame.
    EXPECT_EQ(view->errors, 2);
    frame_->SetActiveView(pane);
    view->DestroyWindow();
}

// ---- title, menus and panes -------------------------------------------------------------

TEST_F(MainFrame, TitleByTheTable) {
    std::unique_ptr<CVaskInstrument> analyzer = OfflineAnalyzer("Analyzer  ");
    const char* const path = "C:\\data\\Set 1.prm";
    struct Case {
        UINT menu;
        bool analyzer;
        const char* path;
        bool prefix;
        int window;
        const char* title;
    } const cases[] = {
        {IDR_MAINFRAME, false, nullptr, false, 0, "Korvan GA "},
        {IDR_MAINFRAME, true, nullptr, false, 0, "Korvan GA - Analyzer "},
        {IDR_INSTRUMENT_DATA, true, nullptr, false, 0, "Korvan GA - Analyzer  - Instrument data "},
        {IDR_INSTRUMENT_DATA, false, nullptr, false, 0, "Korvan GA  - Instrument data "},
        {IDR_MAINFRAME, false, path, false, 0, "Korvan GA  [Set 1.prm]"},
        {IDR_MAINFRAME, true, path, true, 0, "[Set 1.prm] Korvan GA - Analyzer "},
        {IDR_MAINFRAME, false, path, false, 2, "Korvan GA  [Set 1.prm:2]"},
        {IDR_INSTRUMENT_DATA, false, path, true, 3, "[Set 1.prm:3] Korvan GA  - Instrument data "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        SendMessageA(hFrame_, WM_CHANGEMENU, c.menu, 0);
        doc_->SelectNode(c.analyzer ? analyzer.get() : NULL);
        if (c.path != nullptr)
            doc_->SetPathName(c.path, FALSE);
        else
            doc_->m_strPathName.Empty();
        frame_->ModifyStyle(c.prefix ? 0 : FWS_PREFIXTITLE, c.prefix ? FWS_PREFIXTITLE : 0);
        frame_->m_nWindow = c.window;
        frame_->OnUpdateFrameTitle(TRUE);
        EXPECT_EQ(Title(), c.title);
    }
    doc_->SelectNode(NULL);
    frame_->m_nWindow = 0;
}

TEST_F(MainFrame, ChangeMenuInstallsTheMenuAndHidesOrShowsBothSplitters) {
    EXPECT_EQ(frame_->GetMenuId(), (UINT)IDR_MAINFRAME);
    EXPECT_TRUE(FirstMenuIds().count(ID_LINK_INSTRUMENT));

    SendMessageA(hFrame_, WM_CHANGEMENU, IDR_INSTRUMENT_DATA, 0);
    EXPECT_EQ(frame_->GetMenuId(), (UINT)IDR_INSTRUMENT_DATA);
    EXPECT_TRUE(FirstMenuIds().count(ID_LOAD_FROM_DISK));
    EXPECT_EQ(GetMenu(hFrame_), frame_->m_hMenuDefault);
    EXPECT_FALSE(frame_->GetSplitter().IsWindowVisible());
    EXPECT_FALSE(frame_->GetSplitterTop().IsWindowVisible());

    SendMessageA(hFrame_, WM_CHANGEMENU, IDR_MAINFRAME, 0);
    EXPECT_EQ(frame_->GetMenuId(), (UINT)IDR_MAINFRAME);
    EXPECT_TRUE(FirstMenuIds().count(ID_LINK_INSTRUMENT));
    EXPECT_TRUE(frame_->GetSplitter().IsWindowVisible());
    EXPECT_TRUE(frame_->GetSplitterTop().IsWindowVisible());

    // A view that is not the instrument view belongs to the main menu: no menu is lost.
    SendMessageA(hFrame_, WM_CHANGEMENU, IDR_INSTRUMENT_DATA, 0);
    SendMessageA(hFrame_, WM_CHANGEMENU, 7, 0);
    EXPECT_EQ(frame_->GetMenuId(), (UINT)IDR_MAINFRAME);
    EXPECT_TRUE(FirstMenuIds().count(ID_LINK_INSTRUMENT));
    EXPECT_TRUE(frame_->GetSplitter().IsWindowVisible());
}

TEST_F(MainFrame, TheValuePaneFollowsTheSelectionAndTheDocumentStays) {
    std::unique_ptr<CVaskInstrument> analyzer = OfflineAnalyzer();
    CInstrument converter("Converter");
    CSplitterWnd& top = frame_->GetSplitterTop();
    ASSERT_TRUE(top.GetPane(0, 1)->IsKindOf(RUNTIME_CLASS(CPCVaskListView)));

    doc_->SelectNode(analyzer.get());
    CWnd* pane = top.GetPane(0, 1);
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->IsKindOf(RUNTIME_CLASS(CViewValueBars)));
    EXPECT_EQ(frame_->GetValueBarsView(), pane);
    EXPECT_EQ(frame_->GetListView(), nullptr);
    EXPECT_EQ(static_cast<CView*>(pane)->GetDocument(), doc_);
    EXPECT_EQ(Title(), "Korvan GA - Analyzer ");

    doc_->SelectNode(&converter);
    pane = top.GetPane(0, 1);
    EXPECT_TRUE(pane->IsKindOf(RUNTIME_CLASS(CPCVaskListView)));
    EXPECT_EQ(frame_->GetListView(), pane);
    EXPECT_EQ(frame_->GetValueBarsView(), nullptr);
    EXPECT_EQ(Title(), "Korvan GA ");
    // The same class again changes nothing.
    frame_->SwitchValuePane(0);
    EXPECT_EQ(top.GetPane(0, 1), pane);
    EXPECT_EQ(frame_->GetActiveDocument(), doc_);
    doc_->SelectNode(NULL);
}

TEST_F(MainFrame, StatusBarPanesShowModeLevelSelectionAndFlags) {
    StopRealTimer();
    frame_->SetAccessLevel(2);
    frame_->UpdateStatusBar();
    EXPECT_EQ(PaneText(1), "Offline   ");
    EXPECT_EQ(PaneText(2), "Specialist");
    EXPECT_EQ(PaneText(4), "");
    EXPECT_FALSE(PaneEnabled(5));

    SetMode(1);
    CInstrument converter("Converter  ");
    doc_->SelectNode(&converter);
    doc_->SetAnyError(1);
    doc_->SetAnyLimit(1);
    frame_->UpdateStatusBar();
    EXPECT_EQ(PaneText(1), "Online   ");
    EXPECT_EQ(PaneText(4), "Converter");
    const bool enabled[] = {true, false, false, true, false};  // ERR CTRL WART LIM PROT
    for (int pane = 6; pane <= 10; ++pane) EXPECT_EQ(PaneEnabled(pane), enabled[pane - 6]) << pane;

    // While the document is busy the selection is not asked: its pane keeps its text.
    doc_->SetBusy(1);
    doc_->SelectNode(NULL);
    frame_->UpdateStatusBar();
    EXPECT_EQ(PaneText(4), "Converter");
    doc_->SetBusy(0);
    frame_->UpdateStatusBar();
    EXPECT_EQ(PaneText(4), "");
    EXPECT_TRUE(boxes_.texts.empty());
}

// The instrument pane widens to show a long network and analyzer name whole, and narrows back
// to the width it was made with when the selection's text is short or gone.
TEST_F(MainFrame, TheInstrumentPaneShowsItsWholeText) {
    StopRealTimer();
    CMainStatusBar& bar = frame_->GetStatusBar();
    const int made = bar.GetPaneWidth(4);
    CInstrument longName("COM1: Showroom_1: Sindor 6 with a name as long as a plant's tag list");
    CInstrument shortName("C");
    for (CInstrument* node : {&longName, &shortName}) {
        SCOPED_TRACE((LPCSTR)node->GetDisplayName());
        doc_->SelectNode(node);
        frame_->UpdateStatusBar();
        ASSERT_EQ(PaneText(4), (LPCSTR)node->GetDisplayName());
        EXPECT_EQ(wkit::Unfit({wkit::WholePanes(bar.m_hWnd)[4]}), "");
    }
    EXPECT_EQ(bar.GetPaneWidth(4), made);
    doc_->SelectNode(NULL);
    frame_->UpdateStatusBar();
    EXPECT_EQ(bar.GetPaneWidth(4), made);
}

// Each flag of the document lights its own pane and no other one.
TEST_F(MainFrame, EachFlagLightsOnlyItsOwnPane) {
    StopRealTimer();
    const char* const names[] = {"ERR", "CTRL", "WART", "LIM", "PROT"};  // panes 6 to 10
    const struct {
        const char* flag;
        int pane;
    } cases[] = {{"error", 6}, {"function check", 7}, {"maintenance", 8}, {"limit", 9},
                 {"logging", 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flag);
        const std::string flag = c.flag;
        doc_->SetAnyError(flag == "error");
        doc_->SetAnyFunctionCheck(flag == "function check");
        doc_->SetAnyMaintenance(flag == "maintenance");
        doc_->SetAnyLimit(flag == "limit");
        doc_->SetLogging(flag == "logging");
        frame_->UpdateStatusBar();
        for (int pane = 6; pane <= 10; ++pane)
            EXPECT_EQ(PaneEnabled(pane), pane == c.pane) << "pane " << names[pane - 6];
    }
    doc_->SetLogging(FALSE);
    doc_->SetAnyLimit(0);
}

// ---- communication progress -------------------------------------------------------------

TEST_F(MainFrame, CommunicationMessagesGivePaneZeroAProgressBarAndThenItsLookBack) {
    CMainStatusBar& bar = frame_->GetStatusBar();
    const DWORD style = bar.GetPane(0)->GetStyle();
    EXPECT_EQ(ProgressOf(bar.m_hWnd), (HWND)NULL);

    EXPECT_EQ(SendMessageA(hFrame_, WM_START_COMMUNICATION, 0, 0), 1);
    HWND progress = ProgressOf(bar.m_hWnd);
    ASSERT_NE(progress, (HWND)NULL);
    PBRANGE range = {};
    SendMessageA(progress, PBM_GETRANGE, FALSE, (LPARAM)&range);
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);

    SendMessageA(hFrame_, WM_COMMUNICATING, 40, 0);
    EXPECT_EQ(SendMessageA(progress, PBM_GETPOS, 0, 0), 40);
    SendMessageA(hFrame_, WM_COMMUNICATING, 100, 0);
    EXPECT_EQ(SendMessageA(progress, PBM_GETPOS, 0, 0), 100);

    SendMessageA(hFrame_, WM_END_COMMUNICATION, 0, 0);
    EXPECT_FALSE(IsWindow(progress));
    EXPECT_EQ(ProgressOf(bar.m_hWnd), (HWND)NULL);
    EXPECT_EQ(bar.GetPane(0)->GetStyle(), style);
    // A progress message without a start changes nothing.
    SendMessageA(hFrame_, WM_COMMUNICATING, 30, 0);
    EXPECT_EQ(ProgressOf(bar.m_hWnd), (HWND)NULL);
}

// ---- curve sheet ---------------------------------------------------------------------------

TEST_F(MainFrame, CurveViewTwiceShowsTheOneSheet) {
    EXPECT_FALSE(IsEnabled(ID_CURVE_VIEW));
    SetMode(1);
    ASSERT_TRUE(IsEnabled(ID_CURVE_VIEW));
    Command(ID_CURVE_VIEW);
    CCurvePropSheet* sheet = frame_->GetCurveSheet();
    ASSERT_NE(sheet, nullptr);
    HWND hSheet = sheet->m_hWnd;
    ASSERT_TRUE(IsWindowVisible(hSheet));
    char caption[64] = "";
    GetWindowTextA(hSheet, caption, sizeof caption);
    EXPECT_STREQ(caption, "Curve view");
    EXPECT_TRUE(GetWindowLongA(hSheet, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);

    ShowWindow(hSheet, SW_MINIMIZE);
    Command(ID_CURVE_VIEW);
    EXPECT_EQ(frame_->GetCurveSheet(), sheet);
    EXPECT_EQ(sheet->m_hWnd, hSheet);
    EXPECT_FALSE(IsIconic(hSheet));

    // A sheet whose window the user closed is replaced by a new one.
    sheet->DestroyWindow();
    Command(ID_CURVE_VIEW);
    ASSERT_NE(frame_->GetCurveSheet(), nullptr);
    EXPECT_TRUE(IsWindowVisible(frame_->GetCurveSheet()->m_hWnd));

    // The sheet opens on its option page; the curve page, once shown, takes the forwarded
    // ticks.
    StopRealTimer();
    EXPECT_EQ(frame_->GetCurveSheet()->GetActiveIndex(), 1);
    ASSERT_TRUE(frame_->GetCurveSheet()->SetActivePage(0));
    HWND hPage = frame_->GetCurveSheet()->GetCurvePage()->m_hWnd;
    ASSERT_TRUE(IsWindow(hPage));
    ResetMainFrameCounters();
    for (int i = 0; i < 12; ++i) Tick();
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, hPage, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(msg.wParam, frame_->GetTimerId());
}

TEST_F(MainFrame, TheCurveSheetDropsItsAnalyzersBeforeTheDocumentDeletesNodes) {
    InstallProgramCurveHost();
    SetMode(1);
    Command(ID_CURVE_VIEW);
    CCurvePropSheet* sheet = frame_->GetCurveSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(sheet->AreNodesReleased());
    doc_->StopWorkerThreads();
    EXPECT_TRUE(sheet->AreNodesReleased());
    for (int i = 0; i < CCurveSettings::CURVES; ++i)
        EXPECT_EQ(sheet->GetSettings()->m_pInstrument[i], nullptr);
    // A closed sheet has left the document's step: the frame deletes it for the next one,
    // and the step reaches the new one only.
    sheet->DestroyWindow();
    Command(ID_CURVE_VIEW);
    CCurvePropSheet* next = frame_->GetCurveSheet();
    ASSERT_NE(next, nullptr);
    ASSERT_TRUE(IsWindow(next->m_hWnd));
    doc_->StopWorkerThreads();
    EXPECT_TRUE(next->AreNodesReleased());
    SetCurveHost(NULL);
}

TEST_F(MainFrame, AClosedCurveSheetLeavesTheDocumentsStepWhateverIsInstalledOrActiveThen) {
    InstallProgramCurveHost();
    SetMode(1);
    // Closed after another curve host was installed, and closed while the frame has no
    // active document (as when the frame goes): the document's step never reaches it.
    for (const bool otherHost : {true, false}) {
        SCOPED_TRACE(otherHost ? "another host installed" : "no active document");
        Command(ID_CURVE_VIEW);
        CCurvePropSheet* sheet = frame_->GetCurveSheet();
        ASSERT_NE(sheet, nullptr);
        ASSERT_TRUE(IsWindow(sheet->m_hWnd));
        ASSERT_FALSE(sheet->AreNodesReleased());
        CWnd* main = AfxGetApp()->m_pMainWnd;
        if (otherHost)
            SetCurveHost(NULL);
        else
            AfxGetApp()->m_pMainWnd = NULL;
        ASSERT_EQ(CPCVaskDoc::GetActive() == NULL, !otherHost);
        sheet->DestroyWindow();
        AfxGetApp()->m_pMainWnd = main;
        InstallProgramCurveHost();
        doc_->StopWorkerThreads();
        EXPECT_FALSE(sheet->AreNodesReleased());
    }
    SetCurveHost(NULL);
}

// ---- the measurement log ------------------------------------------------------------------

TEST_F(MainFrame, TheLogCommandFollowsTheLog) {
    EXPECT_FALSE(IsEnabled(ID_PROTOCOL_VALUES));
    EXPECT_EQ(State(ID_PROTOCOL_VALUES).check, 0);

    SetMode(1);
    HMENU hProtocol = GetSubMenu(GetMenu(hFrame_), 2);
    auto menuText = [&] {
        SendMessageA(hFrame_, WM_INITMENUPOPUP, (WPARAM)hProtocol, MAKELPARAM(2, FALSE));
        char text[64] = "";
        GetMenuStringA(hProtocol, ID_PROTOCOL_VALUES, text, sizeof text, MF_BYCOMMAND);
        const UINT state = GetMenuState(hProtocol, ID_PROTOCOL_VALUES, MF_BYCOMMAND);
        return std::string(text) + ((state & MF_CHECKED) ? " [x]" : "") +
               ((state & MF_GRAYED) ? " (off)" : "");
    };
    // The tool tip control that asks: a popup window, as a tool tip is.
    HWND hTips = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    auto tip = [&](bool byWindow) {
        NMTTDISPINFOA info = {};
        HWND hTool = NULL;
        if (byWindow) {
            hTool = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, hFrame_,
                                    (HMENU)(UINT_PTR)ID_PROTOCOL_VALUES, NULL, NULL);
            info.hdr.idFrom = (UINT_PTR)hTool;
            info.uFlags = TTF_IDISHWND;
        } else {
            info.hdr.idFrom = ID_PROTOCOL_VALUES;
        }
        info.hdr.code = TTN_NEEDTEXTA;
        info.hdr.hwndFrom = hTips;
        SendMessageA(hFrame_, WM_NOTIFY, 0, (LPARAM)&info);
        if (hTool != NULL) DestroyWindow(hTool);
        return std::string(info.lpszText != NULL ? info.lpszText : "");
    };
    auto message = [&] {
        CString text;
        frame_->GetMessageString(ID_PROTOCOL_VALUES, text);
        return std::string(text);
    };

    EXPECT_EQ(menuText(), "&Protocol Values");
    EXPECT_EQ(tip(false), "Protocol on");
    EXPECT_EQ(message(), "Protocol on");

    HANDLE thread = StartLog();
    ASSERT_NE(thread, (HANDLE)NULL);
    EXPECT_EQ(menuText(), "Stop &Protocol [x]");
    EXPECT_EQ(tip(false), "Protocol off");
    EXPECT_EQ(tip(true), "Protocol off");
    EXPECT_FALSE(IsEnabled(ID_PROTOCOL_PARAMETERS));
    frame_->UpdateStatusBar();
    EXPECT_TRUE(PaneEnabled(10));

    // Stopping only clears the flag; the thread ends by itself.
    Command(ID_PROTOCOL_VALUES);
    EXPECT_FALSE(doc_->IsLogging());
    EXPECT_EQ(menuText(), "&Protocol Values");
    EXPECT_EQ(tip(true), "Protocol on");
    frame_->UpdateStatusBar();
    EXPECT_FALSE(PaneEnabled(10));
    EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_TRUE(frame_->StopLogging());
    EXPECT_EQ(frame_->LoggingThread(), (HANDLE)NULL);

    // The log's settings get the time format of its stamps; cancelled, nothing starts.
    {
        wkit::Driver driver;
        bool shown = false;
        driver.OnOpen(wkit::Template(IDD_NURA_GENERAL), [&](wkit::Window& w) {
            shown = true;
            w.PressCancel();
        });
        Command(ID_PROTOCOL_PARAMETERS);
        EXPECT_TRUE(shown);
    }
    EXPECT_EQ(std::string(doc_->GetProtocol()->GetTimeFormat()), "%d.%m.%Y; %H:%M:%S");
    EXPECT_FALSE(doc_->IsLogging());

    SetMode(0);
    EXPECT_EQ(menuText(), "&Protocol Values (off)");
    // Other tools get the class library's tip.
    NMTTDISPINFOA other = {};
    other.hdr.idFrom = ID_LINK_INSTRUMENT;
    other.hdr.code = TTN_NEEDTEXTA;
    other.hdr.hwndFrom = hTips;
    SendMessageA(hFrame_, WM_NOTIFY, 0, (LPARAM)&other);
    EXPECT_STREQ(other.lpszText, "Link instrument");
    DestroyWindow(hTips);
}

TEST_F(MainFrame, ClosingAsksAndEndsTheLogBeforeTheFrame) {
    HANDLE thread = StartLog();
    ASSERT_NE(thread, (HANDLE)NULL);

    boxes_.answers.push_back(IDNO);
    SendMessageA(hFrame_, WM_CLOSE, 0, 0);
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_EQ(boxes_.texts[0], "Do you really want to exit the application?");
    EXPECT_TRUE(IsWindow(hFrame_));
    EXPECT_TRUE(doc_->IsLogging());

    boxes_.answers.push_back(IDYES);
    SendMessageA(hFrame_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hFrame_));
    // The thread had ended when the frame went.
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    CloseHandle(thread);
}

// A close confirmed while work of the window thread runs (a bus request's wait, a scan) is
// kept pending and carried out by the work's end itself: no tick of the refresh timer is
// needed for it.
TEST_F(MainFrame, AConfirmedCloseDuringWorkClosesTheFrameWhenTheWorkEnds) {
    StopRealTimer();
    int aborts = 0;
    {
        CWindowWork work([&] { ++aborts; });
        boxes_.answers.push_back(IDYES);
        SendMessageA(hFrame_, WM_CLOSE, 0, 0);
        ASSERT_EQ(boxes_.texts.size(), 1u);
        EXPECT_EQ(aborts, 1) << "the running work is asked to end";
        EXPECT_TRUE(IsClosePending(hFrame_));
        // While the work runs, what the thread handles leaves the frame open.
        wkit::Driver::Pump();
        EXPECT_TRUE(IsWindow(hFrame_));
    }
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return !IsWindow(hFrame_); }, 10000))
        << "the frame is still open after the work ended";
    EXPECT_FALSE(IsClosePending());
    EXPECT_EQ(boxes_.texts.size(), 1u) << "the confirmed close asks no more";
}

// The communication dialog as the user answers it when nothing was found: offline.
struct ChooseOffline {
    ChooseOffline() : previous(CPCVaskDoc::SetCommConfigDialogRunner(&Run)) {}
    ~ChooseOffline() { CPCVaskDoc::SetCommConfigDialogRunner(previous); }
    static BOOL Run(CPCVaskDoc*, BOOL, int& nMode) {
        ++calls;
        nMode = 0;
        return TRUE;
    }
    CommConfigDialogRunner previous;
    static inline int calls = 0;
};

TEST_F(MainFrame, LinkingAsksToStopARunningLogAndEndsItFirst) {
    ChooseOffline dialog;
    ChooseOffline::calls = 0;
    HANDLE thread = StartLog();
    ASSERT_NE(thread, (HANDLE)NULL);

    boxes_.answers.push_back(IDCANCEL);
    Command(ID_LINK_INSTRUMENT);
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_EQ(boxes_.texts[0],
              "To establish a connection with the instrument stop the running protocol!");
    EXPECT_TRUE(doc_->IsLogging());
    EXPECT_EQ(WaitForSingleObject(thread, 0), (DWORD)WAIT_TIMEOUT);

    // The network is empty: the rebuild finds nothing online, opens the communication
    // dialog, and the offline chosen there ends the loop.
    const std::string nothingFound =
        "No VASK instruments have been detected in the network. \nPlease check the physical "
        "connections and the state of the instruments, or change to Offline mode.";
    boxes_.answers.push_back(IDOK);
    Command(ID_LINK_INSTRUMENT);
    ASSERT_EQ(boxes_.texts.size(), 3u);
    EXPECT_EQ(boxes_.texts[2], nothingFound);
    EXPECT_FALSE(doc_->IsLogging());
    // The thread had ended before the tree was built again.
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    EXPECT_EQ(frame_->LoggingThread(), (HANDLE)NULL);
    CloseHandle(thread);
    EXPECT_FALSE(doc_->IsBusy());
    EXPECT_EQ(app_->GetOperationMode(), 0);
    EXPECT_EQ(ChooseOffline::calls, 1);

    // Without a log nothing is asked.
    Command(ID_LINK_INSTRUMENT);
    ASSERT_EQ(boxes_.texts.size(), 4u);
    EXPECT_EQ(boxes_.texts[3], nothingFound);
}

// ---- print forms --------------------------------------------------------------------------

TEST_F(MainFrame, PrintFormsOpensTheDesignerOnTheChosenForm) {
    shelltest::ProgramFolder folder;
    auto chooseUntouched = [](wkit::Driver& driver) {
        driver.OnOpen(wkit::Template(IDD_PRINT_FORM), [](wkit::Window& w) {
            EXPECT_EQ(w.Caption(), "Print Form Selection");
            EXPECT_EQ(w.Items(IDC_PRINT_FORM_LIST),
                      (std::vector<std::string>{"Diagnostic values", "Diagram", "Drift values",
                                                "List of parameters"}));
            w.PressOK();
        });
    };
    {
        // No folder of the forms.
        wkit::Driver driver;
        chooseUntouched(driver);
        Command(ID_PRINT_FORMS);
        ASSERT_EQ(boxes_.texts.size(), 1u);
        EXPECT_EQ(boxes_.texts[0], "The layout file of the chosen print form cannot be found. ");
    }
    profile_->SetString("Print forms", "Location", folder.Path());
    profile_->SetString("Print forms", "Diagnostic values", "Diagnostic values.form");
    wkit::Driver driver;
    chooseUntouched(driver);
    std::string caption;
    HWND owner = NULL;
    wkit::Match designer;
    designer.test = [](const wkit::Window& w) { return w.Caption().rfind("Edit - ", 0) == 0; };
    designer.what = "the designer";
    driver.OnOpen(designer, [&](wkit::Window& w) {
        caption = w.Caption();
        owner = GetWindow(w.Handle(), GW_OWNER);
        w.PressCancel();
    });
    Command(ID_PRINT_FORMS);
    EXPECT_TRUE(driver.AllRan());
    EXPECT_EQ(caption, "Edit - Diagnostic values.form");
    EXPECT_EQ(owner, hFrame_);
    EXPECT_EQ(boxes_.texts.size(), 1u);
}

// ---- help --------------------------------------------------------------------------------

TEST_F(MainFrame, HelpRequestsByTheTable) {
    struct Case {
        const char* what;
        bool contextFlag;
        DWORD_PTR data;
        UINT command;
        bool called;
        UINT htmlCommand;
        DWORD_PTR htmlData;
        const char* fileEnd;
    } const cases[] = {
        {"the frame's own context", false, 0x20002, HELP_CONTEXT, false, 0, 0, ""},
        {"a topic", false, 0x18016, HELP_CONTEXT, true, HH_HELP_CONTEXT, 0x18016, ".chm"},
        {"a topic in context help", true, 0x50419, HELP_CONTEXT, true, HH_DISPLAY_TEXT_POPUP,
         0x50419, ".chm::/popupse.txt"},
        {"contents", false, 0, HELP_INDEX, true, HH_DISPLAY_TOC, 0, ".chm"},
        {"index", false, 0, HELP_FINDER, true, HH_DISPLAY_INDEX, 0, ".chm"},
        {"a control's pop-up", false, 0x50419, HELP_CONTEXTPOPUP, true, HH_DISPLAY_TEXT_POPUP,
         0x50419, ".chm::/popupse.txt"},
        {"a Help button's pop-up", false, 0x5E146, HELP_CONTEXTPOPUP, true, HH_DISPLAY_TEXT_POPUP,
         0x50009, ".chm::/popupse.txt"},
        {"a resource's pop-up", false, 0x2008A, HELP_CONTEXTPOPUP, true, HH_HELP_CONTEXT, 0x2008A,
         ".chm"},
        {"any other command", false, 77, HELP_HELPONHELP, true, HH_HELP_CONTEXT, 0, ".chm"},
    };
    shelltest::ProgramFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        recorders_.help.clear();
        if (c.contextFlag) {
            // Shift+F1, left at once with Escape: the next request is a pop-up.
            PostMessageA(hFrame_, WM_KEYDOWN, VK_ESCAPE, 0);
            Command(ID_CONTEXT_HELP);
        }
        frame_->WinHelp(c.data, c.command);
        if (!c.called) {
            EXPECT_TRUE(recorders_.help.empty());
            continue;
        }
        ASSERT_EQ(recorders_.help.size(), 1u);
        const HelpCall& call = recorders_.help[0];
        EXPECT_EQ(call.command, c.htmlCommand);
        EXPECT_EQ(call.data, c.htmlData);
        const std::string end = c.fileEnd;
        EXPECT_EQ(call.file.substr(call.file.size() - std::min(call.file.size(), end.size())), end)
            << call.file;
        // The flag serves one request only.
        recorders_.help.clear();
        frame_->WinHelp(0x18016, HELP_CONTEXT);
        ASSERT_EQ(recorders_.help.size(), 1u);
        EXPECT_EQ(recorders_.help[0].command, (UINT)HH_HELP_CONTEXT);
    }
}

TEST_F(MainFrame, HelpCommandsAndCommandHelp) {
    shelltest::ProgramFolder folder;
    struct Case {
        const char* what;
        std::function<void()> request;
        UINT htmlCommand;
        DWORD_PTR data;
    } const cases[] = {
        {"&User Help", [&] { Command(ID_USER_HELP); }, HH_DISPLAY_TOC, 0},
        {"&Index", [&] { Command(ID_HELP_INDEX); }, HH_DISPLAY_INDEX, 0},
        {"F1 on a menu command",
         [&] {
             frame_->m_nIDTracking = ID_CURVE_VIEW;
             SendMessageA(hFrame_, WM_COMMANDHELP, 0, 0);
             frame_->m_nIDTracking = 0;
         },
         HH_HELP_CONTEXT, HID_BASE_COMMAND + ID_CURVE_VIEW},
        {"a given context", [&] { SendMessageA(hFrame_, WM_COMMANDHELP, 0, 0x20080); },
         HH_HELP_CONTEXT, 0x20080},
        {"the application drops 0x5FFFF", [&] { AfxGetApp()->WinHelp(0x5FFFF, HELP_CONTEXTPOPUP); },
         0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        recorders_.help.clear();
        c.request();
        if (c.htmlCommand == 0) {
            EXPECT_TRUE(recorders_.help.empty());
            continue;
        }
        ASSERT_EQ(recorders_.help.size(), 1u);
        EXPECT_EQ(recorders_.help[0].command, c.htmlCommand);
        EXPECT_EQ(recorders_.help[0].data, c.data);
        EXPECT_EQ(recorders_.help[0].hWnd, hFrame_);
    }
    // Without a tracked command F1 asks the active view, which has no help of its own.
    recorders_.help.clear();
    EXPECT_EQ(SendMessageA(hFrame_, WM_COMMANDHELP, 0, 0), 0);
    EXPECT_TRUE(recorders_.help.empty());
}

TEST_F(MainFrame, AHelpFileThatIsNotThereIsNamedWhenTheHelpWindowIsAskedFor) {
    shelltest::ProgramFolder folder;
    const std::string file = folder / "KorvanGA.chm";
    const std::string message = "The help file " + file + " was not found.";
    recorders_.helpAnswer = FALSE;  // no help window comes
    boxes_.texts.clear();
    Command(ID_USER_HELP);
    Command(ID_HELP_INDEX);
    frame_->WinHelp(0x18016, HELP_CONTEXT);
    EXPECT_EQ(recorders_.help.size(), 3u);
    EXPECT_EQ(boxes_.texts, (std::vector<std::string>{message, message, message}));
    // A pop-up asks nothing of the help window: no message.
    boxes_.texts.clear();
    frame_->WinHelp(0x50419, HELP_CONTEXTPOPUP);
    EXPECT_TRUE(boxes_.texts.empty());
    // A help file that is there but shows nothing is the help's own matter.
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    Command(ID_USER_HELP);
    EXPECT_TRUE(boxes_.texts.empty());
    // A help window that comes needs no word either.
    DeleteFileA(file.c_str());
    recorders_.helpAnswer = TRUE;
    Command(ID_USER_HELP);
    EXPECT_TRUE(boxes_.texts.empty());
}

// ---- tray icon, address conflicts, commands ------------------------------------------------

TEST_F(MainFrame, TheTrayIconIsAddedChangedOnANewIdAndDeletedWithTheWindow) {
    ASSERT_EQ(recorders_.tray.size(), 1u);
    EXPECT_EQ(recorders_.tray[0].message, (DWORD)NIM_ADD);
    EXPECT_EQ(recorders_.tray[0].id, 191u);
    EXPECT_EQ(recorders_.tray[0].tip, "KEM Status: Normal");
    EXPECT_TRUE(recorders_.tray[0].icon);

    EXPECT_EQ(frame_->UpdateTrayIcon(192), TRUE);
    ASSERT_EQ(recorders_.tray.size(), 2u);
    EXPECT_EQ(recorders_.tray[1].message, (DWORD)NIM_MODIFY);
    EXPECT_EQ(recorders_.tray[1].id, 191u);
    EXPECT_EQ(recorders_.tray[1].tip, "KEM Status: Error");
    EXPECT_EQ(frame_->UpdateTrayIcon(192), 1);
    EXPECT_EQ(recorders_.tray.size(), 2u);
    frame_->UpdateTrayIcon(193);
    ASSERT_EQ(recorders_.tray.size(), 3u);
    EXPECT_EQ(recorders_.tray[2].tip, "KEM Status: Warning");

    boxes_.answer = IDYES;
    frame_->DestroyWindow();
    ASSERT_EQ(recorders_.tray.size(), 4u);
    EXPECT_EQ(recorders_.tray[3].message, (DWORD)NIM_DELETE);
    EXPECT_EQ(recorders_.tray[3].id, 191u);
}

TEST_F(MainFrame, AnAddressConflictIsShownWithItsAddress) {
    SendMessageA(hFrame_, WM_ADDRESSCONFLICT, 7, 0);
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_EQ(boxes_.texts[0], "Address Conflict at address: 7");
}

TEST_F(MainFrame, CommandsAreEnabledByTheTable) {
    std::unique_ptr<CVaskInstrument> analyzer = OfflineAnalyzer();
    CInstrument converter("Converter");
    struct Case {
        int level;
        int mode;
        CInstrument* node;
        bool instrumentMode;
        std::vector<UINT> enabled;
        std::vector<UINT> disabled;
    } const cases[] = {
        {1,
         0,
         nullptr,
         false,
         {ID_LINK_INSTRUMENT, ID_PROGRAM_CONFIGURATION, ID_PRINTER_CONFIGURATION,
          ID_COMMUNICATION_CONFIGURATION, ID_CLOSE_PROGRAM, ID_USER_HELP, ID_PRINT_FORMS,
          ID_HELP_INDEX, ID_CONTEXT_HELP},
         {ID_CURVE_VIEW, ID_DIAGNOSTIC_VALUES, ID_EDIT_INSTRUMENT_DATA, ID_DRIFT_VALUES,
          ID_SET_PASSWORD, ID_ADJUSTMENT, ID_PARAMETERS, ID_CONFIGURATION, ID_PROTOCOL_VALUES,
          ID_PROTOCOL_PARAMETERS, ID_INSTRUMENT_OVERVIEW, ID_RESET_INSTRUMENT,
          ID_RETURN_TO_MAIN_MENU}},
        {1,
         1,
         &converter,
         false,
         {ID_CURVE_VIEW, ID_PROTOCOL_VALUES, ID_PROTOCOL_PARAMETERS, ID_INSTRUMENT_OVERVIEW},
         {ID_DIAGNOSTIC_VALUES, ID_EDIT_INSTRUMENT_DATA, ID_DRIFT_VALUES, ID_SET_PASSWORD,
          ID_RESET_INSTRUMENT}},
        {2,
         1,
         nullptr,
         false,
         {ID_SET_PASSWORD, ID_RESET_INSTRUMENT},
         {ID_DIAGNOSTIC_VALUES, ID_EDIT_INSTRUMENT_DATA}},
        {2, 0, nullptr, false, {ID_SET_PASSWORD}, {ID_RESET_INSTRUMENT}},
        {1, 0, nullptr, true, {}, {ID_SET_PASSWORD}},
        {3,
         1,
         nullptr,
         true,
         {ID_SET_PASSWORD, ID_ADJUSTMENT, ID_PARAMETERS, ID_CONFIGURATION, ID_RETURN_TO_MAIN_MENU},
         {ID_DIAGNOSTIC_VALUES, ID_EDIT_INSTRUMENT_DATA, ID_DRIFT_VALUES}},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(i);
        frame_->SetAccessLevel(c.level);
        SetMode(c.mode);
        doc_->SelectNode(c.node);
        if (c.instrumentMode) {
            doc_->SelectNode(analyzer.get());
            Command(ID_EDIT_INSTRUMENT_DATA);
            ASSERT_TRUE(frame_->IsInstrumentMode());
        }
        for (UINT id : c.enabled) EXPECT_TRUE(IsEnabled(id)) << id;
        for (UINT id : c.disabled) EXPECT_FALSE(IsEnabled(id)) << id;
        if (c.instrumentMode) Command(ID_RETURN_TO_MAIN_MENU);
        ASSERT_FALSE(frame_->IsInstrumentMode());
    }
    // An analyzer selected, main mode: its commands.
    doc_->SelectNode(analyzer.get());
    for (UINT id : {ID_DIAGNOSTIC_VALUES, ID_EDIT_INSTRUMENT_DATA, ID_DRIFT_VALUES})
        EXPECT_TRUE(IsEnabled(id)) << id;
    doc_->SelectNode(NULL);
}

TEST_F(MainFrame, InstrumentModeSetsTheToolBarAndReturnsAlways) {
    std::unique_ptr<CVaskInstrument> analyzer = OfflineAnalyzer();
    CToolBarCtrl& toolBar = frame_->GetToolBar().GetToolBarCtrl();
    const UINT instrumentButtons[] = {ID_CREATE_NEW_DATA_SET, ID_LOAD_FROM_DISK,  ID_SAVE_TO_DISK,
                                      ID_ADJUSTMENT,          ID_PARAMETERS,      ID_CONFIGURATION,
                                      ID_RETURN_TO_MAIN_MENU, ID_PRINT_PARAMETERS};
    const UINT mainButtons[] = {ID_EDIT_INSTRUMENT_DATA, ID_DIAGNOSTIC_VALUES, ID_DRIFT_VALUES};

    // Level 1 enters without a remote switch (the analyzer has no device anyway).
    frame_->SetAccessLevel(1);
    doc_->SelectNode(analyzer.get());
    Command(ID_EDIT_INSTRUMENT_DATA);
    EXPECT_TRUE(frame_->IsInstrumentMode());
    EXPECT_EQ(frame_->GetMenuId(), (UINT)IDR_INSTRUMENT_DATA);
    for (UINT id : instrumentButtons) EXPECT_TRUE(toolBar.IsButtonEnabled(id)) << id;
    for (UINT id : mainButtons) EXPECT_FALSE(toolBar.IsButtonEnabled(id)) << id;

    // The selection went elsewhere meanwhile: the way back to the main menu stays open.
    CInstrument converter("Converter");
    doc_->SelectNode(&converter);
    Command(ID_RETURN_TO_MAIN_MENU);
    EXPECT_FALSE(frame_->IsInstrumentMode());
    EXPECT_EQ(frame_->GetMenuId(), (UINT)IDR_MAINFRAME);
    for (UINT id : instrumentButtons) EXPECT_FALSE(toolBar.IsButtonEnabled(id)) << id;
    for (UINT id : mainButtons) EXPECT_TRUE(toolBar.IsButtonEnabled(id)) << id;
    EXPECT_TRUE(boxes_.texts.empty());

    // Reset on a converter: nothing to reset and no remote switch.
    frame_->SetAccessLevel(2);
    SetMode(1);
    ASSERT_TRUE(IsEnabled(ID_RESET_INSTRUMENT));
    Command(ID_RESET_INSTRUMENT);
    EXPECT_TRUE(boxes_.texts.empty());

    // LeaveInstrumentMode does nothing in main mode.
    frame_->LeaveInstrumentMode();
    EXPECT_EQ(frame_->GetMenuId(), (UINT)IDR_MAINFRAME);
    doc_->SelectNode(NULL);
}

// ---- the analyzers' sheets ------------------------------------------------------------------

TEST_F(MainFrame, TheSheetsReachTheFrameTheApplicationAndTheDocumentThroughTheirHost) {
    CProgramSheetHost host;
    frame_->SetAccessLevel(3);
    EXPECT_EQ(host.GetAccessLevel(), 3);
    SetMode(1);
    EXPECT_EQ(host.GetOperationMode(), 1);
    SetMode(0);
    EXPECT_EQ(host.GetOperationMode(), 0);

    CTickTarget target(frame_->GetTimerId());
    host.SetTimerTarget(&target);
    EXPECT_EQ(frame_->GetTimerTarget(), &target);
    host.SetTimerTarget(NULL);
    EXPECT_EQ(frame_->GetTimerTarget(), nullptr);

    host.RequestMessageReload();
    EXPECT_TRUE(frame_->GetMessageView()->IsRebuildRequested());

    CRecordingView hints;
    doc_->AddView(&hints);
    host.UpdateActiveDocument(kSheetUpdateHint);
    doc_->RemoveView(&hints);
    EXPECT_EQ(hints.Count(6), 1);
}

}  // namespace
}  // namespace frametest
