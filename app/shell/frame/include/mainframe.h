// CKemMainFrame: the program's one top-level window. It holds the tool bar, the coloured
// status bar, the two splitters with the tree, value and message panes, the tray icon and
// the 100 ms refresh timer; it switches between the main menu (2) and the instrument data
// menu (119), turns menu commands into the analyzers' sheets and the program's dialogs,
// logs the user in at an access level, shows the progress of an analyzer's read in its
// status bar and starts and ends the measurement log.
//
// Refresh: ticks 1 to 11 of a cycle only count; from the 12th on every tick refreshes the
// status bar, and while the program is online and the document is not busy that tick also
// sends update hint 3 to the views, posts WM_TIMER to the timer target (the active sheet
// page) and to the curve page, and starts the next cycle. Online and idle everything
// refreshes every 1.2 s; offline or busy the status bar refreshes every 100 ms.
//
// What other parts use: the access level (GetAccessLevel), the timer target
// (SetTimerTarget), the message pane (GetMessageView), the value pane switch
// (SwitchValuePane), the broadcast of "WM_VASK_ERROR" and of the update thread's messages
// (BroadcastMessage), the remote switch (SetRemote), the tray icon (UpdateTrayIcon), the
// status bar refresh, the online flag and the title (UpdateStatusBar, SetOnline,
// OnUpdateFrameTitle), the end of instrument mode (LeaveInstrumentMode,
// RelinkAfterDownload) and the measurement log (StartLogging, StopLogging).
#pragma once

#include "accesslevel.h"

#include "mainstatusbar.h"
#include "flexiblesplitterwnd.h"

#include "vaskfc.h"

#include "vaskerror.h"

#include <deque>

class CCurvePropSheet;
class CInstrument;
class CPCVaskDoc;
class CPCVaskListView;
class CPCVaskTreeView;
class CPropertySheet;
class CVaskInstrument;
class CViewMessage;
class CViewValueBars;

class CKemMainFrame : public CFrameWnd, public CAccessLevelSource {
    DECLARE_DYNCREATE(CKemMainFrame)
public:
    // The window class of the main window; the application registers it before the frame
    // is created, and a second start of the program finds the first one by it.
    static const char kWindowClass[];

    CKemMainFrame();
    ~CKemMainFrame() override;

    // ---- the class library's frame ------------------------------------------------------
    // Ends the log, the curve sheet and the tray icon, then the window.
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The program's help (HTML Help): a topic, the contents, the index or a pop-up.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    // Command 32790 tells whether it switches the log on or off.
    void GetMessageString(UINT nID, CString& rMessage) const override;
    // The outer splitter (tree and value panes above, the message pane below).
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    // "Korvan GA - <analyzer> " of the menu's title format, with the document's title when
    // the document comes from a file.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    // ---- login and access level ---------------------------------------------------------
    // The user chooses a level and enters its password when one is stored; FALSE when the
    // program is to end.
    virtual BOOL Login();
    // TRUE when the current level has no password or the right one was entered.
    BOOL CheckAccessPassword();
    // "&Set Password...": the password of the current level (levels 2 and 3).
    void OnSetPassword();
    // 0 not logged in, 1 Maintenance, 2 Specialist, 3 Factory settings.
    int GetAccessLevel() const override { return m_nAccessLevel; }

    // ---- refresh ------------------------------------------------------------------------
    // All panes of the status bar.
    virtual void UpdateStatusBar();
    // The window that gets the forwarded timer ticks (NULL: none); while one is set,
    // "WM_VASK_ERROR" does not reach the active view. A target whose window has gone is
    // dropped without being touched. A target set before its window exists must stay alive
    // until it is unregistered (the frame's own modal sheets).
    void SetTimerTarget(CWnd* pTarget);
    CWnd* GetTimerTarget();
    // The application's operation mode as the timer sees it.
    void SetOnline(BOOL bOnline) { m_bOnline = bOnline; }
    BOOL IsOnline() const { return m_bOnline; }
    // The identifier of the refresh timer (the ticks that the frame forwards carry it).
    UINT GetTimerId() const { return m_nTimerId; }

    // ---- panes, menus and modes ---------------------------------------------------------
    // 1: the value bars take the value pane, 0: the value list; the title is rebuilt.
    void SwitchValuePane(int nValueBars);
    CPCVaskTreeView* GetTreeView() const { return m_pTreeView; }
    CPCVaskListView* GetListView() const { return m_pListView; }
    CViewValueBars* GetValueBarsView() const { return m_pValueBarsView; }
    CViewMessage* GetMessageView() const { return m_pMessageView; }
    CMainStatusBar& GetStatusBar() { return m_wndStatusBar; }
    CToolBar& GetToolBar() { return m_wndToolBar; }
    CSplitterWnd& GetSplitter() { return m_wndSplitter; }
    CFlexibleSplitterWnd& GetSplitterTop() { return m_wndSplitterTop; }
    // The menu shown now, 2 or 119.
    UINT GetMenuId() const { return m_nMenuId; }
    BOOL IsInstrumentMode() const { return m_bInstrumentMode; }
    // "Return to Main Menu" when instrument mode is on.
    virtual void LeaveInstrumentMode();
    // After a firmware download: back to the main menu, then the networks are linked anew.
    void RelinkAfterDownload();
    // The curve sheet while it exists.
    CCurvePropSheet* GetCurveSheet() const { return m_pCurveSheet; }

    // ---- the analyzers ------------------------------------------------------------------
    // Switches the analyzer's remote state without a report of a failure; the result of
    // the switch.
    int SetRemote(CVaskInstrument* pInstrument, BOOL bOn);
    // Sends the message to the frame and then to every descendant window, unless the frame
    // is closing; from any thread (the handlers run on the frame's thread meanwhile).
    void BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // A failed device operation for the windows: "WM_VASK_ERROR" with the text and the
    // record to the frame and every descendant. On the frame's thread it goes at once; from
    // another thread, or from inside the frame's thread's wait for the bus, a copy goes once
    // that thread is free, one failure after the other: the handlers open message boxes and
    // may ask the bus again. From any thread.
    void ReportDeviceError(const CString& text, const ErrorStruct_& error);
    // The tray icon and tip of icon and string `nIconId` (191 normal, 192 error, 193
    // warning); 1 without a change when that id was set last.
    int UpdateTrayIcon(UINT nIconId);
    // Asks the instrument view's update thread to stop and waits for its end (bounded,
    // dispatching messages): it uses this frame, the view and the analyzers. TRUE when no
    // update thread runs any more.
    BOOL StopUpdateThread();

    // ---- the measurement log ------------------------------------------------------------
    // Starts the logging thread (after an earlier one has ended); the message "The protocol
    // could not be started." and FALSE when it cannot run.
    BOOL StartLogging();
    // Clears the logging flag and waits, dispatching messages, until the logging thread has
    // ended (at most kLoggingStopTimeout). TRUE when no logging thread runs any more.
    BOOL StopLogging();
    enum { kLoggingStopTimeout = 60000 };

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    // The exit question at once; "Yes" ends the window, or, while work of this thread that
    // lets messages through runs (a bus request, a scan, a transfer, a dialog), ends that work
    // first and the window after it (windowwork.h).
    void OnClose();
    // The window's end after the confirmed close: the update and logging threads, then the
    // class library's close of the document and the frame.
    void EndWindow();
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

    LRESULT OnVaskError(WPARAM wParam, LPARAM lParam);
    // Broadcasts the failures kept by ReportDeviceError, in their order.
    LRESULT OnQueuedVaskErrors(WPARAM wParam, LPARAM lParam);
    LRESULT OnBusScanProgress(WPARAM wParam, LPARAM lParam);
    LRESULT OnAddressConflict(WPARAM wParam, LPARAM lParam);
    LRESULT OnChangeMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnStartCommunication(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommunicating(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndCommunication(WPARAM wParam, LPARAM lParam);
    // A message of the logging thread: wParam its text, lParam the code it shows.
    LRESULT OnProtocolReport(WPARAM wParam, LPARAM lParam);

    void OnLinkInstrument();
    void OnCurveView();
    void OnDiagnosticValues();
    void OnDriftValues();
    void OnEditInstrumentData();
    void OnProgramConfiguration();
    void OnPrinterConfiguration();
    void OnCommunicationConfiguration();
    void OnCloseProgram();
    void OnUserHelp();
    void OnAdjustment();
    void OnParameters();
    void OnConfiguration();
    void OnProtocolValues();
    void OnPrintForms();
    void OnProtocolParameters();
    void OnInstrumentOverview();
    void OnResetInstrument();
    void OnReturnToMainMenu();
    void OnHelpIndexCommand();
    void OnContextHelpCommand();

    void OnUpdateAlways(CCmdUI* pCmdUI);
    void OnUpdateOnline(CCmdUI* pCmdUI);
    void OnUpdateAnalyzerMainMode(CCmdUI* pCmdUI);
    void OnUpdateInstrumentMode(CCmdUI* pCmdUI);
    void OnUpdateSetPassword(CCmdUI* pCmdUI);
    void OnUpdateProtocolValues(CCmdUI* pCmdUI);
    void OnUpdateProtocolParameters(CCmdUI* pCmdUI);
    void OnUpdateResetInstrument(CCmdUI* pCmdUI);
    // Clears the logging flag and wakes the logging thread, which then ends by itself.
    void EndLogging();

    // The active document as the program's document, or NULL.
    CPCVaskDoc* GetDocument();
    // The selected node when it is an analyzer, else NULL.
    CVaskInstrument* GetSelectedAnalyzer();
    // The application switches its pane view (2 or 119), which switches the menu.
    void SwitchToView(UINT nViewId);
    // The tool-bar buttons of the two modes.
    void SetModeButtons(BOOL bInstrumentMode);
    // A diagnostics or drift values sheet of the analyzer: remote first (level above 1),
    // the sheet as the timer target while it runs.
    void RunRemoteSheet(CVaskInstrument* pInstrument, CPropertySheet& sheet);
    // Text of the instrument pane for the node, queried with the analyzer's reports off.
    CString InstrumentPaneText(CInstrument* pNode, BOOL bAppOnline);
    // The instrument pane shows `text`: as wide as the text, never narrower than it was made.
    void ShowInstrumentPane(const CString& text);
    void ShowHelpPopup(DWORD_PTR dwContext);
    void DestroyCurveSheet();
    BOOL NotifyTrayIcon(DWORD dwMessage, UINT nIconId);
    void DeleteTrayIcon();

    BOOL m_bRemoteSeen;
    BOOL m_bContextHelp;
    CMainStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    int m_nAccessLevel;
    int m_nInstrumentPaneWidth;  // the instrument pane's width as made, in pixels
    CSplitterWnd m_wndSplitter;
    CFlexibleSplitterWnd m_wndSplitterTop;
    CPCVaskTreeView* m_pTreeView;
    CPCVaskListView* m_pListView;
    CViewMessage* m_pMessageView;
    CViewValueBars* m_pValueBarsView;
    UINT m_nTimerId;
    BOOL m_bOnline;
    BOOL m_bInstrumentMode;
    CWnd* m_pTimerTarget;
    HWND m_hTimerTarget;  // the target's window, NULL while it has none
    UINT m_nMenuId;
    CCurvePropSheet* m_pCurveSheet;
    UINT m_nTrayIconId;
    BOOL m_bTrayIconAdded;
    BOOL m_bInTimerUpdate;
    volatile BOOL m_bClosing;
    HANDLE m_hLoggingThread;  // the logging thread while it may run
    HANDLE m_hLoggingStop;    // set when the log is switched off: the thread's polls end
    // The failures kept for the frame's thread, whether their message is posted, and
    // whether they are being shown (a box's loop then leaves the rest to the first call).
    struct QueuedError {
        CString text;
        ErrorStruct_ error;
    };
    CCriticalSection m_queuedErrorsLock;
    std::deque<QueuedError> m_queuedErrors;
    BOOL m_bQueuedErrorsPosted;
    BOOL m_bShowingQueuedErrors;

    DECLARE_MESSAGE_MAP()
};

// How the frame's help answers a request: nothing, a topic or the contents or index of the
// help file (an HTML Help command and its data), or a pop-up of a context.
struct HelpRoute {
    enum Kind { None, Command, Popup };
    Kind kind;
    UINT nHtmlCommand;  // for Command
    DWORD_PTR dwData;   // the topic for Command, the context for Popup
};
// The route of WinHelp (dwData, nCmd) while the context-help flag is bContextHelp.
HelpRoute RouteHelpRequest(DWORD_PTR dwData, UINT nCmd, BOOL bContextHelp);
