// The main frame in a test program: an application object of the program's class whose
// start-up only registers the window class, installs the program's waits for the bus and
// creates the document, the frame and its panes through the document template, as the
// program's start-up does; a frame that counts
// its status bar refreshes and lets a test set its access level; the tray icon's calls and
// the help requests recorded; the profile below a maker's key of the test's own.
#pragma once

#include "mainframe.h"
#include "pcvaskapp.h"
#include "pcvaskdoc.h"
#include "pcvaskview.h"
#include "resource.h"
#include "shell_seams.h"
#include "shell_test_support.h"
#include "window_kit.h"

#include <gtest/gtest.h>

#include <htmlhelp.h>
#include <winspool.h>

#include <memory>
#include <string>
#include <vector>

namespace frametest {

class CTestFrame : public CKemMainFrame {
    DECLARE_DYNCREATE(CTestFrame)
public:
    void UpdateStatusBar() override {
        ++statusRefreshes;
        CKemMainFrame::UpdateStatusBar();
    }
    void SetAccessLevel(int nLevel) { m_nAccessLevel = nLevel; }
    HANDLE LoggingThread() const { return m_hLoggingThread; }

    int statusRefreshes = 0;
};

class CTestApp : public CPCVaskApp {
public:
    BOOL InitInstance() override {
        WNDCLASSA wc = {};
        if (!GetClassInfoA(AfxGetInstanceHandle(), CKemMainFrame::kWindowClass, &wc)) {
            wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = AfxGetInstanceHandle();
            wc.hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
            wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
            wc.lpszClassName = CKemMainFrame::kWindowClass;
            if (!RegisterClassA(&wc)) return FALSE;
        }
        // The window thread waits for the bus as in the program.
        InstallProgramWaits();
        AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPCVaskDoc),
                                              RUNTIME_CLASS(CTestFrame),
                                              RUNTIME_CLASS(CPCVaskView)));
        OnFileNew();
        return m_pMainWnd != NULL;
    }
};

// One call of the tray icon.
struct TrayCall {
    DWORD message;
    UINT id;
    std::string tip;
    bool icon;
};

// One help request: for a pop-up the context that it shows.
struct HelpCall {
    HWND hWnd;
    std::string file;
    UINT command;
    DWORD_PTR data;
};

class Recorders {
public:
    Recorders() {
        s_current = this;
        SetNotifyIconCall(&Recorders::Tray);
        AfxSetHelpHook(&Recorders::Help, this);
    }
    ~Recorders() {
        AfxSetHelpHook(NULL, NULL);
        SetNotifyIconCall(NULL);
        s_current = nullptr;
    }
    Recorders(const Recorders&) = delete;
    Recorders& operator=(const Recorders&) = delete;

    std::vector<TrayCall> tray;
    std::vector<HelpCall> help;
    BOOL helpAnswer = TRUE;  // what the help call returns: FALSE as when no window came

private:
    static BOOL WINAPI Tray(DWORD message, NOTIFYICONDATAA* data) {
        s_current->tray.push_back({message, data->uID, data->szTip, data->hIcon != NULL});
        return TRUE;
    }
    static BOOL Help(HWND hWnd, LPCSTR file, UINT command, DWORD_PTR data, BOOL, void* self) {
        // A pop-up's record lives only during the call.
        if (command == HH_DISPLAY_TEXT_POPUP && data != 0) data = ((const HH_POPUP*)data)->idString;
        static_cast<Recorders*>(self)->help.push_back(
            {hWnd, file != NULL ? file : "", command, data});
        return static_cast<Recorders*>(self)->helpAnswer;
    }
    static inline Recorders* s_current = nullptr;
};

// The program's application with its frame, document and panes, made anew for each test.
class FrameHarness {
protected:
    void OpenFrame() {
        ResetMainFrameCounters();
        app_.reset(new CTestApp);
        // A maker key of this process: test programs that run beside it keep theirs.
        static const std::string maker =
            "KorvanGA frame test " + std::to_string(GetCurrentProcessId());
        profile_.reset(new shelltest::ProfileKey(maker.c_str()));
        ASSERT_TRUE(app_->InitInstance());
        frame_ = static_cast<CTestFrame*>(app_->m_pMainWnd);
        hFrame_ = frame_->m_hWnd;
        doc_ = static_cast<CPCVaskDoc*>(frame_->GetActiveDocument());
        ASSERT_NE(doc_, nullptr);
        // What the frame's creation posted (the idle help line) is done, as in the program.
        wkit::Driver::Pump();
    }
    void CloseFrame() {
        boxes_.answers.clear();
        boxes_.answer = IDYES;  // "Do you really want to exit the application?"
        if (IsWindow(hFrame_)) PostMessageA(hFrame_, WM_CLOSE, 0, 0);
        app_->Run();  // until the frame's end posts WM_QUIT
        app_.reset();
        profile_.reset();
    }

    LRESULT Command(UINT nID) { return SendMessageA(hFrame_, WM_COMMAND, nID, 0); }

    // What the update handlers say of a command now (as for its menu item and button).
    struct CommandState : CCmdUI {
        void Enable(BOOL bOn) override {
            enabled = bOn != FALSE;
            m_bEnableChanged = TRUE;
        }
        void SetCheck(int nCheck) override { check = nCheck; }
        void SetText(LPCSTR lpszText) override { text = lpszText; }
        bool enabled = false;
        int check = -1;
        std::string text;
    };
    CommandState State(UINT nID) {
        CommandState state;
        state.m_nID = nID;
        frame_->OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
        return state;
    }
    bool IsEnabled(UINT nID) { return State(nID).enabled; }

    std::string PaneText(int nPane) { return (LPCSTR)frame_->GetStatusBar().GetPaneText(nPane); }
    bool PaneEnabled(int nPane) {
        return (frame_->GetStatusBar().GetPaneStyle(nPane) & SBPS_DISABLED) == 0;
    }
    std::string Title() {
        char text[512] = "";
        GetWindowTextA(hFrame_, text, sizeof text);
        return text;
    }
    // The analyzer-free main frame, online or offline, as the application switches it.
    void SetMode(int nMode) { app_->SetOperationMode(nMode); }

    // The profile value of the access section's entry for a level.
    std::string StoredPassword(int nLevel) {
        CString entry, section;
        entry.LoadString(IDS_ACCESS_ENTRY_BASE + nLevel);
        section.LoadString(IDS_ACCESS_SECTION);
        return (LPCSTR)AfxGetApp()->GetProfileString(section, entry, "<none>");
    }
    void StorePassword(int nLevel, const std::string& scrambled) {
        CString entry;
        entry.LoadString(IDS_ACCESS_ENTRY_BASE + nLevel);
        profile_->SetString("Access", (LPCSTR)entry, scrambled);
    }

    wkit::BoxRecorder boxes_;
    Recorders recorders_;
    std::unique_ptr<CTestApp> app_;
    std::unique_ptr<shelltest::ProfileKey> profile_;
    CTestFrame* frame_ = nullptr;
    HWND hFrame_ = NULL;
    CPCVaskDoc* doc_ = nullptr;
};

class MainFrameTest : public ::testing::Test, public FrameHarness {
protected:
    void SetUp() override { OpenFrame(); }
    void TearDown() override { CloseFrame(); }
};

// A free port as the start-up's survey lists it in m_strFreeComPorts ("COM1: <description>"),
// read from the system's port records; empty when the system has no such port.
inline CString SurveyedPort(const std::string& portName) {
    CString entry;
    int count = 0;
    BYTE* buffer = CPCVaskDoc::GetPortInfoBuffer(count, 2);
    for (int i = 0; buffer != NULL && i < count; ++i) {
        const PORT_INFO_2A& port = ((const PORT_INFO_2A*)buffer)[i];
        if (port.pPortName != NULL && portName == port.pPortName)
            entry = CString(port.pPortName) + " " + port.pDescription;
    }
    delete[] buffer;
    return entry;
}

}  // namespace frametest
