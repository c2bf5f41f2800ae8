// The application object of KorvanGA.exe: the program's start and exit, the operation mode,
// the switch between the two pane views of the main frame, the about box, the external help
// files of the Help menu, and the help that ignores the context 0x5FFFF.
//
// Start: a second copy brings the first one's window to the front and ends; then the window
// class "KorvanGAClass", the COM port survey, COM and the gateway client, the profile below
// "Talvern", the command line, the splash window, the external help list, the document with
// the main frame and its panes, the hidden instrument view, the maximised main window, the
// login, the operation mode (the command line's host, else the profile) and the document's
// first look for analyzers. Exit releases what the start set up, and only that.
#pragma once

#include "vaskfc.h"

#include "apphost.h"
#include "programwaits.h"

#include <memory>

class CAppCommandLineInfo;
class CInstrumentView;
class CKemMainFrame;
class CMenuEntryList;

class CPCVaskApp : public CWinApp {
    DECLARE_DYNAMIC(CPCVaskApp)
public:
    CPCVaskApp();
    // Empties the list of free COM ports.
    ~CPCVaskApp() override;

    BOOL InitInstance() override;
    // Unregisters the window class, releases the main thread's gateway client and the
    // external help list, as far as the start got; then the class library's exit.
    int ExitInstance() override;
    // The splash window sees each message first.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Reads the program's command line into rCmdInfo (ParseArguments).
    void ParseCommandLine(CAppCommandLineInfo& rCmdInfo);
    // Each argument after the program's name: "/key value" gives the option "KEY value"; an
    // argument beginning with "-" is an option as it stands; every argument also goes to the
    // class library's ParseParam (without its "/" or "-", as a flag).
    static void ParseArguments(CAppCommandLineInfo& rCmdInfo, int argc, const char* const* argv);
    // The value of the option "host"; a value that cannot name a network in the network list
    // file (IsValidIniName) is shown in a message and gives an empty text.
    static CString HostOption(const CAppCommandLineInfo& cmdInfo);
    // The start's operation mode: with a host, a network of that name with the host as its
    // only gateway, written into the network list and made current, and mode 1; without
    // one, "Operation mode" of "Program options" (0 when missing).
    void StartOperationMode(const CString& strHost);

    // The program's application object, or NULL when the process has another one (a test
    // program's stand-in).
    static CPCVaskApp* Get();

    // 0 offline, any other value online.
    int GetOperationMode() const { return m_nOperationMode; }
    BOOL IsOnlineMode() const { return m_nOperationMode != 0; }
    // Stores the mode; the main frame then refreshes its status bar, takes the mode and
    // rebuilds its title.
    void SetOperationMode(int nMode);

    // Makes the view of `nViewId` (119 the instrument view, any other id the main view) the
    // visible pane view and sends "WM_CHANGEMENU" (nViewId, 0) to the main frame; the view
    // shown now.
    CView* SwitchView(int nViewId);

    // Set while the instrument view loads a file to compare it with the device.
    int IsCompareMode() const { return m_nCompareMode; }
    void SetCompareMode(int nCompareMode) { m_nCompareMode = nCompareMode; }

    // The help context 0x5FFFF asks for nothing; every other request goes to the main
    // window's help.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;

    // The main window as the program's main frame, or NULL.
    CKemMainFrame* GetMainFrame() const;

    // ---- the instrument view ----------------------------------------------------------
    // Creates the second pane view "Instrument" in the main frame, hidden, with the control
    // id after the first pane's and the frame's document, and runs its initial update; from
    // then on SwitchView exchanges the panes. FALSE when it cannot be made.
    BOOL CreateInstrumentView();
    CInstrumentView* GetInstrumentView() const { return m_pInstrumentView; }

    // The external help files of the Help menu, NULL before the start made the list.
    CMenuEntryList* GetExternalHelpList() const { return m_pExternalHelp; }
    // Makes the list (four entries of "External Help File List") and reads it from the
    // profile; the start does it once.
    void LoadExternalHelpList();

protected:
    // Another copy's main window brought to the front; FALSE when there is none.
    static BOOL ActivateRunningCopy();
    BOOL RegisterWindowClass();

    void OnAppAbout();
    void OnUpdateExternalHelp(CCmdUI* pCmdUI);
    void OnExternalHelp(UINT nID);

    CMenuEntryList* m_pExternalHelp = NULL;
    CApplicationHost m_host;
    CInstrumentHost* m_pPreviousHost = NULL;
    BOOL m_bHostInstalled = FALSE;
    // The window thread's one wait as the bus's caller wait, and the rule that holds back
    // what the windows are given during it (windowwait.h), until RemoveProgramWaits; the
    // wait installed before comes back then.
    void InstallProgramWaits();
    void RemoveProgramWaits();
    std::unique_ptr<CProgramWaits> m_pWaits;
    BOOL m_bClassRegistered = FALSE;
    BOOL m_bGatewayClient = FALSE;  // InitVGComm ran on the main thread

    int m_nOperationMode;
    int m_nCompareMode;

    CInstrumentView* m_pInstrumentView = NULL;
    CWnd* m_pMainPane = NULL;  // the frame's first pane (its splitter) while instrument mode is off
    CView* m_pMainView = NULL;    // the active view of the main pane
    CWnd* m_pCurrentPane = NULL;  // the pane shown now

    DECLARE_MESSAGE_MAP()
};

// The free COM ports of the machine: for each COM port that could be opened at start-up, its
// name, a blank and its description, one piece after the other. The document's port nodes
// are the machine's ports found in it.
extern CString m_strFreeComPorts;
