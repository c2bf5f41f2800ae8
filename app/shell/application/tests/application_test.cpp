// The application object: its command line and host option, the COM port survey through
// its seam, the switch between the pane views in a real main window, its help, the about box,
// the splash window and the menu entry list of the external help files.
#include "aboutdlg.h"
#include "appcmdline.h"
#include "comportsurvey.h"
#include "instrumentview.h"
#include "mainframe_fixture.h"
#include "menuentrylist.h"
#include "netlist.h"
#include "pcvasklistview.h"
#include "pcvasktreeview.h"
#include "splashwnd.h"
#include "viewmessage.h"

#include <map>
#include <string>
#include <vector>

namespace frametest {
namespace {

// ---- command line --------------------------------------------------------------------------

struct ParsedLine {
    std::string host;
    BOOL showSplash;
    std::string fileName;
};

ParsedLine Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "KorvanGA.exe");
    CAppCommandLineInfo info;
    CPCVaskApp::ParseArguments(info, (int)args.size(), args.data());
    return {(LPCSTR)info.GetOption("host"), info.m_bShowSplash, (LPCSTR)info.m_strFileName};
}

TEST(CommandLine, SlashOptionsTakeTheNextArgumentAsTheirValue) {
    struct Case {
        std::vector<const char*> args;
        const char* host;
        BOOL showSplash;
        const char* fileName;  // what the class library made of the rest
    } cases[] = {
        {{}, "", TRUE, ""},
        {{"/host", "server1"}, "server1", TRUE, ""},
        {{"/HoSt", "Plant7"}, "Plant7", TRUE, ""},      // the key without regard to case
        {{"/host"}, "", TRUE, ""},                      // a key as last argument: no option
        {{"/nologo", "/host", "gw"}, "", FALSE, "gw"},  // "/host" is the value of "/nologo"
        {{"-nologo", "/host", "gw"}, "gw", FALSE, ""},  // a "-" switch takes no value
        {{"/nologo", "x", "/host", "gw"}, "gw", FALSE, ""},
        {{"-host=direct"}, "", TRUE, ""},  // kept with its "-": no "host" option
        {{"/host", "a", "/host", "b"}, "a", TRUE, ""},
        {{"document.prm"}, "", TRUE, "document.prm"},
    };
    for (const Case& c : cases) {
        const ParsedLine line = Parse(c.args);
        std::string args;
        for (const char* a : c.args) args += std::string(a) + " ";
        EXPECT_EQ(line.host, c.host) << args;
        EXPECT_EQ(line.showSplash, c.showSplash) << args;
        EXPECT_EQ(line.fileName, c.fileName) << args;
    }
}

TEST(CommandLine, AHostThatCannotNameANetworkIsShownAndDropped) {
    struct Case {
        const char* host;
        bool accepted;
    } cases[] = {
        {"server1", true}, {"10.0.0.7", true}, {"gw=1", false},   {"[gw]", false},   {"g]w", false},
        {";gw", false},    {"g\tw", false},    {"gw\x01", false}, {"Halle;2", true},
    };
    for (const Case& c : cases) {
        wkit::BoxRecorder boxes;
        CAppCommandLineInfo info;
        info.AddParam((std::string("HOST ") + c.host).c_str());
        const std::string host = (LPCSTR)CPCVaskApp::HostOption(info);
        EXPECT_EQ(host, c.accepted ? c.host : "") << c.host;
        ASSERT_EQ(boxes.texts.size(), c.accepted ? 0u : 1u) << c.host;
        if (!c.accepted) {
            EXPECT_NE(boxes.texts[0].find(std::string("\"") + c.host + "\""), std::string::npos);
        }
    }
    wkit::BoxRecorder boxes;
    EXPECT_EQ(std::string(CPCVaskApp::HostOption(CAppCommandLineInfo())), "");
    EXPECT_TRUE(boxes.texts.empty());
}

// ---- COM port survey -----------------------------------------------------------------------

class ScriptedPorts : public CComPortSurveyCalls {
public:
    std::vector<SurveyPort> ports;
    bool listed = true;
    std::map<std::string, DWORD> errors;  // by device; 0 unless given
    std::vector<std::string> opened;
    std::vector<std::string> busy;

    BOOL EnumeratePorts(std::vector<SurveyPort>& out) override {
        out = ports;
        return listed;
    }
    DWORD OpenPort(LPCSTR device) override {
        opened.push_back(device);
        auto it = errors.find(device);
        return it != errors.end() ? it->second : 0;
    }
    void ReportBusy(LPCSTR port) override { busy.push_back(port); }
};

SurveyPort Port(const char* name, const char* description) {
    SurveyPort port;
    port.name = name;
    port.description = description;
    return port;
}

TEST(ComPortSurvey, OpensEachComPortByItsDeviceNameAndListsThoseThatOpened) {
    ScriptedPorts calls;
    calls.ports = {Port("COM1:", "Local Port"), Port("FILE:", "Local Port"),
                   Port("LPT1:", "Local Port"), Port("COM10:", "USB Serial"),
                   Port("COM2:", "Local Port"), Port("COM3:", "Local Port"),
                   Port("COM4:", "Local Port"), Port("\\\\srv\\COMX", "Network")};
    calls.errors = {{"\\\\.\\COM2", ERROR_ACCESS_DENIED},
                    {"\\\\.\\COM3", ERROR_SHARING_VIOLATION},  // Wine's answer for a held port
                    {"\\\\.\\COM4", ERROR_FILE_NOT_FOUND}};
    const std::string free = (LPCSTR)SurveyComPorts(calls);
    EXPECT_EQ(free, "COM1: Local PortCOM10: USB Serial\\\\srv\\COMX Network");
    EXPECT_EQ(calls.opened,
              (std::vector<std::string>{"\\\\.\\COM1", "\\\\.\\COM10", "\\\\.\\COM2", "\\\\.\\COM3",
                                        "\\\\.\\COM4", "\\\\.\\\\\\srv\\COMX"}));
    // Held ports give one message each; a missing one passes in silence.
    EXPECT_EQ(calls.busy, (std::vector<std::string>{"COM2:", "COM3:"}));
}

// The busy message itself, as the user sees it: a box of its own with the port as caption.
TEST(ComPortSurvey, AHeldPortIsReportedInABoxCaptionedWithThePort) {
    struct HeldPorts : CComPortSurveyCalls {
        BOOL EnumeratePorts(std::vector<SurveyPort>& out) override {
            out = {Port("COM1:", "Local Port"), Port("COM2:", "Local Port")};
            return TRUE;
        }
        DWORD OpenPort(LPCSTR device) override {
            return std::string(device) == "\\\\.\\COM2" ? ERROR_SHARING_VIOLATION : 0;
        }
    } calls;
    wkit::Driver driver;
    driver.OnOpen(wkit::Box("COM - Interface is bussy."), [](wkit::Window& w) {
        EXPECT_EQ(w.Caption(), "COM2:");
        EXPECT_EQ(w.BoxText(), "Access denied!\nCOM - Interface is bussy.");
        w.PressOK();
    });
    EXPECT_EQ(std::string(SurveyComPorts(calls)), "COM1: Local Port");
}

TEST(ComPortSurvey, PortsThatCannotBeListedGiveNoPort) {
    ScriptedPorts calls;
    calls.ports = {Port("COM1:", "Local Port")};
    calls.listed = false;
    EXPECT_EQ(std::string(SurveyComPorts(calls)), "");
    EXPECT_TRUE(calls.opened.empty());
}

TEST(ComPortSurvey, DeviceNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"COM1:", "\\\\.\\COM1"}, {"COM10:", "\\\\.\\COM10"}, {"COM255", "\\\\.\\COM255"}};
    for (const auto& c : cases) EXPECT_EQ(std::string(ComPortDevice(c.first)), c.second);
    EXPECT_FALSE(IsSurveyedPort("FILE:"));
    EXPECT_FALSE(IsSurveyedPort("LPT1:"));
    EXPECT_TRUE(IsSurveyedPort("COM1:"));
}

// The system's own calls: Wine lists COM1 (the simulator's line, or none) and the survey
// opens it through its device name, leaving it free again.
TEST(ComPortSurvey, TheSystemsPortsOpenAndCloseAgain) {
    CComPortSurveyCalls calls;
    const std::string free = (LPCSTR)SurveyComPorts(calls);
    const std::string listed = (LPCSTR)SurveyedPort("COM1:");
    if (!listed.empty() && free.find(listed) != std::string::npos) {
        EXPECT_EQ(calls.OpenPort("\\\\.\\COM1"), 0u);  // closed by the survey
    }
    EXPECT_EQ(free.find("FILE:"), std::string::npos);
}

// ---- the pane views --------------------------------------------------------------------

class Application : public MainFrameTest {
protected:
    CRect ClientRect(HWND hWnd) {
        CRect rect;
        ::GetWindowRect(hWnd, &rect);
        ::MapWindowPoints(NULL, hFrame_, (POINT*)&rect, 2);
        return rect;
    }
    // The frame's client area between the tool bar and the status bar.
    CRect FreeArea() {
        CRect client;
        ::GetClientRect(hFrame_, &client);
        CRect bar = ClientRect(frame_->GetToolBar().m_hWnd);
        client.top = bar.bottom;
        client.bottom = ClientRect(frame_->GetStatusBar().m_hWnd).top;
        return client;
    }
};

TEST_F(Application, TheInstrumentViewTakesThePanesPlaceAndGivesItBack) {
    frame_->ShowWindow(SW_SHOWNORMAL);
    frame_->SetWindowPos(NULL, 0, 0, 900, 700, SWP_NOZORDER);
    wkit::Driver::Pump();
    ASSERT_TRUE(app_->CreateInstrumentView());
    CInstrumentView* view = app_->GetInstrumentView();
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->IsWindowVisible());
    EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST + 1);
    const HWND panes[] = {frame_->GetTreeView()->m_hWnd, frame_->GetListView()->m_hWnd,
                          frame_->GetMessageView()->m_hWnd};
    std::vector<CRect> before;
    for (HWND pane : panes) before.push_back(ClientRect(pane));

    EXPECT_EQ(app_->SwitchView(IDR_INSTRUMENT_DATA), view);
    wkit::Driver::Pump();
    EXPECT_TRUE(view->IsWindowVisible());
    EXPECT_FALSE(frame_->GetSplitter().IsWindowVisible());
    EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(ClientRect(view->m_hWnd), FreeArea());
    EXPECT_EQ(frame_->GetActiveView(), view);
    EXPECT_EQ(frame_->GetMenuId(), (UINT)IDR_INSTRUMENT_DATA);

    // Any other id is the main view's, as 2 is.
    EXPECT_EQ(app_->SwitchView(5), (CView*)frame_->GetTreeView());
    wkit::Driver::Pump();
    EXPECT_FALSE(view->IsWindowVisible());
    EXPECT_TRUE(frame_->GetSplitter().IsWindowVisible());
    EXPECT_EQ(frame_->GetMenuId(), (UINT)IDR_MAINFRAME);
    EXPECT_EQ(frame_->GetSplitter().GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(ClientRect(panes[i]), before[i]) << i;

    // Twice the same view changes nothing but the menu.
    EXPECT_EQ(app_->SwitchView(IDR_MAINFRAME), (CView*)frame_->GetTreeView());
    EXPECT_TRUE(frame_->GetSplitter().IsWindowVisible());
}

TEST_F(Application, HelpContext5FFFFAsksForNothing) {
    app_->WinHelp(0x5FFFF, HELP_CONTEXT);
    app_->WinHelp(0x5FFFF, HELP_CONTEXTPOPUP);
    EXPECT_TRUE(recorders_.help.empty());
    app_->WinHelp(0x50000 + 1002, HELP_CONTEXTPOPUP);
    ASSERT_EQ(recorders_.help.size(), 1u);
    EXPECT_EQ(recorders_.help[0].data, (DWORD_PTR)(0x50000 + 1002));
}

TEST_F(Application, TheAboutBoxShowsTheVersionAndItsControlsHelp) {
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_ABOUTBOX), [](wkit::Window& w) {
        EXPECT_EQ(w.Text(IDC_ABOUT_VERSION), "Korvan GA Version 1.11.05");
        EXPECT_FALSE(w.Text(IDC_ABOUT_SECOND_LINE).empty());
        w.HelpOn(IDC_ABOUT_VERSION);
        w.PressOK();
    });
    Command(ID_APP_ABOUT);
    ASSERT_EQ(recorders_.help.size(), 1u);
    EXPECT_EQ(recorders_.help[0].data, (DWORD_PTR)(0x50000 + IDC_ABOUT_VERSION));
}

TEST_F(Application, WithoutAHelpListTheExternalHelpItemIsDisabled) {
    EXPECT_EQ(app_->GetExternalHelpList(), nullptr);
    CommandState state;
    state.m_nID = ID_EXTERNAL_HELP_FIRST;
    state.DoUpdate(frame_, FALSE);
    EXPECT_TRUE(state.m_bEnableChanged);
    EXPECT_FALSE(state.enabled);
}

TEST_F(Application, AnExternalHelpCommandOpensItsEntrysFileAtItsContents) {
    profile_->SetString("External Help File List\\File1", "Item", "Manual");
    profile_->SetString("External Help File List\\File1", "Parameter", "C:\\help\\manual.hlp");
    profile_->SetString("External Help File List\\File2", "Item", "Bus");
    profile_->SetString("External Help File List\\File2", "Parameter", "C:\\help\\bus.hlp");
    app_->LoadExternalHelpList();
    Command(ID_EXTERNAL_HELP_FIRST + 1);
    Command(ID_EXTERNAL_HELP_FIRST + 3);  // no such entry
    ASSERT_EQ(recorders_.help.size(), 1u);
    EXPECT_EQ(recorders_.help[0].file, "C:\\help\\bus.hlp");
    EXPECT_EQ(recorders_.help[0].command, (UINT)HELP_CONTENTS);
    EXPECT_EQ(recorders_.help[0].data, 0u);
    EXPECT_EQ(recorders_.help[0].hWnd, hFrame_);
}

TEST_F(Application, AHostStartsOnlineOnItsOwnNetworkWhateverTheProfileSays) {
    shelltest::ProgramFolder folder;
    struct Case {
        const char* host;
        int profileMode;  // -1: no value
        int mode;
    } cases[] = {{"", -1, 0}, {"", 1, 1}, {"", 0, 0}, {"gw7", 0, 1}, {"gw8", -1, 1}};
    for (const Case& c : cases) {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, profile_->Section("Program options").c_str(),
                           "Operation mode");
        if (c.profileMode >= 0)
            profile_->SetDword("Program options", "Operation mode", (DWORD)c.profileMode);
        app_->SetOperationMode(5);
        app_->StartOperationMode(c.host);
        EXPECT_EQ(app_->GetOperationMode(), c.mode) << c.host << " " << c.profileMode;
        EXPECT_EQ(frame_->IsOnline(), c.mode != 0);
        if (*c.host == '\0') continue;
        EXPECT_EQ(std::string(GetNetworkName()), c.host);
        char value[64] = "";
        GetPrivateProfileStringA(c.host, c.host, "", value, sizeof value,
                                 (folder / "Comm.ini").c_str());
        EXPECT_EQ(std::string(value), c.host) << "the host is the network's one gateway";
    }
}

// ---- splash window -------------------------------------------------------------------------

TEST_F(Application, TheSplashWindowShowsCentredAndAClickClosesItUnseenByTheWindowBelow) {
    CSplashWnd::EnableSplashScreen(FALSE);
    CSplashWnd::ShowSplashScreen(frame_);
    EXPECT_EQ(CSplashWnd::GetSplashWnd(), nullptr);
    MSG click = {hFrame_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), 0, {0, 0}};
    EXPECT_FALSE(CSplashWnd::PreTranslateAppMessage(&click));
    EXPECT_FALSE(app_->PreTranslateMessage(&click));

    CSplashWnd::EnableSplashScreen(TRUE);
    CSplashWnd::ShowSplashScreen(frame_);
    CSplashWnd* splash = CSplashWnd::GetSplashWnd();
    ASSERT_NE(splash, nullptr);
    CSplashWnd::ShowSplashScreen(frame_);  // one at most
    EXPECT_EQ(CSplashWnd::GetSplashWnd(), splash);
    const HWND hSplash = splash->m_hWnd;
    CRect rect;
    ::GetWindowRect(hSplash, &rect);
    EXPECT_EQ(rect.Width(), 469);
    EXPECT_EQ(rect.Height(), 288);
    EXPECT_TRUE(::IsWindowVisible(hSplash));
    EXPECT_EQ(::GetWindow(hSplash, GW_OWNER), hFrame_);
    // Centred over its owner (as far as the screen lets it).
    CRect owner;
    ::GetWindowRect(hFrame_, &owner);
    EXPECT_LE(std::abs(rect.CenterPoint().x - owner.CenterPoint().x), 1);

    MSG key = {hFrame_, WM_MOUSEMOVE, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(app_->PreTranslateMessage(&key));
    EXPECT_TRUE(app_->PreTranslateMessage(&click));  // consumed
    EXPECT_EQ(CSplashWnd::GetSplashWnd(), nullptr);
    EXPECT_FALSE(::IsWindow(hSplash));
    CSplashWnd::EnableSplashScreen(FALSE);
}

TEST_F(Application, TheSplashWindowGoesAfterThreeSeconds) {
    CSplashWnd::EnableSplashScreen(TRUE);
    CSplashWnd::ShowSplashScreen(frame_);
    CSplashWnd::EnableSplashScreen(FALSE);
    ASSERT_NE(CSplashWnd::GetSplashWnd(), nullptr);
    const DWORD start = GetTickCount();
    while (CSplashWnd::GetSplashWnd() != nullptr && GetTickCount() - start < 10000)
        wkit::Driver::Pump(50);
    EXPECT_EQ(CSplashWnd::GetSplashWnd(), nullptr);
    EXPECT_GE(GetTickCount() - start, 2500u);
}

// ---- menu entry list -----------------------------------------------------------------------

std::string ProfileString(const char* section, const char* entry) {
    return (LPCSTR)AfxGetApp()->GetProfileString(section, entry, "<none>");
}

// A Help menu as the program's: the placeholder of the external help files between two items.
class MenuEntryList : public ::testing::Test {
protected:
    void SetUp() override {
        profile_.reset(new shelltest::ProfileKey("KorvanGA menu list test"));
        menu_.CreatePopupMenu();
        menu_.AppendMenu(MF_STRING, ID_HELP_INDEX, "&Index");
        menu_.AppendMenu(MF_STRING, ID_EXTERNAL_HELP_FIRST, "External Help File");
        menu_.AppendMenu(MF_STRING, ID_APP_ABOUT, "&Program Information");
    }
    void TearDown() override {
        menu_.DestroyMenu();
        profile_.reset();
    }

    // The class library's update loop over the menu, with the list answering for its command.
    void Update(CMenuEntryList& list) {
        struct State : CCmdUI {
        } state;
        state.m_pMenu = &menu_;
        state.m_nIndexMax = menu_.GetMenuItemCount();
        for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
            state.m_nID = menu_.GetMenuItemID((int)state.m_nIndex);
            state.m_bEnableChanged = FALSE;
            if (state.m_nID == ID_EXTERNAL_HELP_FIRST) list.UpdateMenu(&state);
        }
    }
    struct Item {
        UINT id;
        std::string text;
        bool enabled;
        bool operator==(const Item& o) const {
            return id == o.id && text == o.text && enabled == o.enabled;
        }
    };
    std::vector<Item> Items() {
        std::vector<Item> items;
        for (UINT i = 0; i < menu_.GetMenuItemCount(); ++i) {
            CString text;
            menu_.GetMenuString(i, text, MF_BYPOSITION);
            const UINT state = ::GetMenuState(menu_.m_hMenu, i, MF_BYPOSITION);
            items.push_back({menu_.GetMenuItemID((int)i), (LPCSTR)text,
                             (state & (MF_GRAYED | MF_DISABLED)) == 0});
        }
        return items;
    }
    std::vector<std::string> ItemTexts(const CMenuEntryList& list) {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetSize(); ++i) {
            CString text;
            texts.push_back(list.GetItemText(text, i) ? (LPCSTR)text : "");
        }
        return texts;
    }

    std::unique_ptr<shelltest::ProfileKey> profile_;
    CMenu menu_;
};

TEST_F(MenuEntryList, AnEmptyListShowsThePlaceholderDisabled) {
    CMenuEntryList list(0, "External Help File List", "File%d", 4);
    list.Load();
    Update(list);
    EXPECT_EQ(Items(), (std::vector<Item>{{ID_HELP_INDEX, "&Index", true},
                                          {ID_EXTERNAL_HELP_FIRST, "External Help File", false},
                                          {ID_APP_ABOUT, "&Program Information", true}}));
}

TEST_F(MenuEntryList, EntriesTakeThePlaceholdersPlaceAndMoveUpOnRemoval) {
    CMenuEntryList list(0, "External Help File List", "File%d", 4);
    list.Add("Manual", "hh.exe", "C:\\help\\manual.chm");
    list.Add("Bus", "hh.exe", "C:\\help\\bus.chm");
    Update(list);
    EXPECT_EQ(Items(), (std::vector<Item>{{ID_HELP_INDEX, "&Index", true},
                                          {ID_EXTERNAL_HELP_FIRST, "Manual", true},
                                          {ID_EXTERNAL_HELP_FIRST + 1, "Bus", true},
                                          {ID_APP_ABOUT, "&Program Information", true}}));
    list.Remove(0);
    EXPECT_EQ(ItemTexts(list), (std::vector<std::string>{"Bus", "", "", ""}));
    EXPECT_EQ(std::string(list.GetParameter(0)), "C:\\help\\bus.chm");
    Update(list);
    EXPECT_EQ(Items(), (std::vector<Item>{{ID_HELP_INDEX, "&Index", true},
                                          {ID_EXTERNAL_HELP_FIRST, "Bus", true},
                                          {ID_APP_ABOUT, "&Program Information", true}}));
    // Emptied again: the placeholder comes back with the text it had.
    list.Remove(0);
    Update(list);
    EXPECT_EQ(Items()[1], (Item{ID_EXTERNAL_HELP_FIRST, "Bus", false}));
}

TEST_F(MenuEntryList, AddingToAFullListReplacesTheLast) {
    CMenuEntryList list(0, "External Help File List", "File%d", 3);
    for (const char* item : {"a", "b", "c", "d"}) list.Add(item, "", item);
    EXPECT_EQ(ItemTexts(list), (std::vector<std::string>{"a", "b", "d"}));
    EXPECT_EQ(std::string(list.GetParameter(2)), "d");
    EXPECT_EQ(std::string(list.GetParameter(7)), "");
}

TEST_F(MenuEntryList, SaveAndLoadKeepEachEntryUnderItsKey) {
    {
        CMenuEntryList list(0, "External Help File List", "File%d", 4);
        list.Add("Manual", "hh.exe", "manual.chm");
        list.Add("Bus", "winhlp32.exe", "bus.hlp");
        list.Save();
    }
    EXPECT_EQ(ProfileString("External Help File List\\File1", "Item"), "Manual");
    EXPECT_EQ(ProfileString("External Help File List\\File2", "Executable"), "winhlp32.exe");
    EXPECT_FALSE(profile_->SectionExists("External Help File List\\File3"));
    CMenuEntryList list(0, "External Help File List", "File%d", 4);
    list.Load();
    EXPECT_EQ(ItemTexts(list), (std::vector<std::string>{"Manual", "Bus", "", ""}));
    EXPECT_EQ(std::string(list.GetExecutable(1)), "winhlp32.exe");
    // Saving again drops what the profile held beyond the list.
    profile_->SetString("External Help File List\\File4", "Item", "stale");
    list.Remove(1);
    list.Save();
    EXPECT_FALSE(profile_->SectionExists("External Help File List\\File2"));
    EXPECT_FALSE(profile_->SectionExists("External Help File List\\File4"));
}

TEST_F(MenuEntryList, AGapInTheProfileEndsTheMenuThere) {
    profile_->SetString("External Help File List\\File1", "Item", "First");
    profile_->SetString("External Help File List\\File3", "Item", "Third");
    profile_->SetString("External Help File List\\File3", "Parameter", "third.chm");
    CMenuEntryList list(0, "External Help File List", "File%d", 4);
    list.Load();
    EXPECT_EQ(ItemTexts(list), (std::vector<std::string>{"First", "", "Third", ""}));
    Update(list);
    EXPECT_EQ(Items().size(), 3u);
    EXPECT_EQ(Items()[1], (Item{ID_EXTERNAL_HELP_FIRST, "First", true}));
}

TEST_F(MenuEntryList, LongEntryNumbersMakeWholeKeys) {
    // A format whose numbers outgrow it by far: each key is written whole.
    CMenuEntryList list(0, "External Help File List", "%d", 4);
    list.Add("x", "", "y");
    list.Save();
    EXPECT_EQ(ProfileString("External Help File List\\1", "Item"), "x");
    CMenuEntryList wide(0, "External Help File List", "Entry number %010d", 2);
    wide.Add("w", "", "");
    wide.Save();
    EXPECT_EQ(ProfileString("External Help File List\\Entry number 0000000001", "Item"), "w");
}

}  // namespace
}  // namespace frametest
