// "Communication Configuration", "Define components" and "Instrument Overview" in real windows
// over the program's main frame and document: the controls each mode and model enables, the
// component limits, what OK writes online and offline, a dialog without Cancel, the typed
// model, the network settings opened from it; the component names stored; the overview's
// networks, rows by address, access level, refused OK, Cancel and help. Each test has its own
// "Comm.ini" and registry profile.
#include "commconfigdlg.h"
#include "converter.h"
#include "definecomponentsdlg.h"
#include "gateway.h"
#include "instrumentoverviewdlg.h"
#include "mainframe_fixture.h"
#include "netlist.h"
#include "port.h"
#include "vaskinstrument.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using frametest::FrameHarness;
using shelltest::ProgramFolder;

const char* const kModels[] = {"",         "Sindor 6", "Parvel 6(1)", "Lorvix 6", "Sindor 23",
                               "Quenta 6", "",         "Parvel 64",   "Lorvix 62"};
const int kOffered[] = {1, 2, 3, 4, 5, 7, 8};
const char kOptions[] = "Program options";

class DialogTest : public ::testing::Test, public FrameHarness {
protected:
    void SetUp() override {
        OpenFrame();
        folder_.reset(new ProgramFolder);
    }
    void TearDown() override {
        folder_.reset();
        CloseFrame();
    }
    void WriteIni(const std::string& text) const {
        shelltest::WriteFile(*folder_ / "Comm.ini", text);
    }
    // The offline model that the profile describes.
    void SetOfflineModel(int type, int components) {
        profile_->SetDword(kOptions, "Offline instrument", type);
        profile_->SetDword(kOptions, "Number of components", components);
    }
    std::vector<DWORD_PTR> HelpTopics() const {
        std::vector<DWORD_PTR> topics;
        for (const frametest::HelpCall& call : recorders_.help) topics.push_back(call.data);
        return topics;
    }

    std::unique_ptr<ProgramFolder> folder_;
};

// ---- Communication Configuration ---------------------------------------------------------

class CommConfig : public DialogTest {
protected:
    int Run(CCommConfigDlg& dialog, wkit::Script script) {
        wkit::Driver driver;
        return Run(dialog, driver, script);
    }
    int Run(CCommConfigDlg& dialog, wkit::Driver& driver, wkit::Script script) {
        driver.OnOpen(wkit::Template(IDD_COMM_CONFIG), script);
        return (int)dialog.DoModal();
    }
};

TEST_F(CommConfig, EachModeAndModelEnablesItsControls) {
    SetMode(0);
    SetOfflineModel(1, 1);
    // Enabled: network list and "Settings...", count, board and model list, O2 and H2S
    // sensor, heating.
    struct Expected {
        bool network, offline, sensors, heating;
    };
    auto expect = [](wkit::Window& w, const Expected& e) {
        EXPECT_EQ(e.network, w.IsEnabled(IDC_COMM_NETWORK));
        EXPECT_EQ(e.network, w.IsEnabled(IDC_NETWORK_SETTINGS));
        for (int id : {IDC_COMPONENT_COUNT, IDC_OPTIONAL_BOARD, IDC_INSTRUMENT_TYPE})
            EXPECT_EQ(e.offline, w.IsEnabled(id)) << id;
        EXPECT_EQ(e.sensors, w.IsEnabled(IDC_O2_SENSOR));
        EXPECT_EQ(e.sensors, w.IsEnabled(IDC_H2S_SENSOR));
        EXPECT_EQ(e.heating, w.IsEnabled(IDC_HEATING));
    };
    CCommConfigDlg dialog(1);
    Run(dialog, [&](wkit::Window& w) {
        EXPECT_EQ("Communication Configuration", w.Caption());
        EXPECT_EQ((std::vector<std::string>{"Lorvix 6", "Lorvix 62", "Parvel 6(1)", "Parvel 64",
                                            "Quenta 6", "Sindor 23", "Sindor 6"}),
                  w.Items(IDC_INSTRUMENT_TYPE));
        EXPECT_EQ("Sindor 6", w.Selection(IDC_INSTRUMENT_TYPE));
        EXPECT_EQ(BST_CHECKED, w.CheckState(IDC_OFFLINE_MODE));
        for (int type : kOffered) {
            SCOPED_TRACE(kModels[type]);
            w.Check(IDC_OFFLINE_MODE);
            w.Pick(IDC_INSTRUMENT_TYPE, kModels[type]);
            const bool heating = type == 1 || type == 2 || type == 5 || type == 7;
            expect(w, {false, true, type == 4, heating});
            w.Check(IDC_ONLINE_MODE);
            expect(w, {true, false, false, false});
        }
        w.PressCancel();
    });
    EXPECT_EQ(0, app_->GetOperationMode()) << "Cancel changes nothing";
}

TEST_F(CommConfig, EveryTextShowsWhole) {
    SetMode(0);
    SetOfflineModel(4, 1);
    WriteIni("[Networklist]\r\nPlant=Plant\r\n");
    CCommConfigDlg dialog(1);
    Run(dialog, [&](wkit::Window& w) {
        std::string unfit = wkit::Unfit(wkit::WholeTexts(w.Handle()));
        for (int id : {IDC_COMM_NETWORK, IDC_INSTRUMENT_TYPE})
            unfit += wkit::Unfit(wkit::WholeEntries(w.Control(id)));
        EXPECT_EQ(unfit, "");
        w.PressCancel();
    });
}

TEST_F(CommConfig, TheLorvix62OffersHeatingWithAnExtensionCardOnly) {
    SetMode(0);
    SetOfflineModel(8, 2);
    for (int card : {0, 1}) {
        SCOPED_TRACE(card);
        doc_->SetOfflineInstrument(new CVaskInstrument("Lorvix 62", 8, NULL, 0, 2, 4, 4, card));
        CCommConfigDlg dialog(1);
        Run(dialog, [&](wkit::Window& w) {
            EXPECT_EQ("Lorvix 62", w.Selection(IDC_INSTRUMENT_TYPE));
            EXPECT_EQ(card == 1, w.IsEnabled(IDC_HEATING));
            EXPECT_FALSE(w.IsEnabled(IDC_O2_SENSOR));
            w.PressCancel();
        });
    }
}

TEST_F(CommConfig, ComponentCountsAreCheckedByModel) {
    const std::string sensors =
        "The selected device has a maximum of 2 components + O2-Sensor + H2S-Sensor.";
    struct Case {
        int type;
        int h2s;
        const char* count;
        std::string refusal;  // empty: accepted
    } const cases[] = {
        {4, 1, "3", sensors},
        {4, 1, "2", ""},
        {4, 0, "3", ""},
        {4, 0, "4", sensors},
        {4, 0, "0", "Please enter at least 1 component."},
        {1, 0, "0", ""},
        {5, 0, "4", ""},
        {7, 0, "5", "The selected device has a maximum of 4 components."},
    };
    SetMode(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(kModels[c.type]) + " H2S " + std::to_string(c.h2s) + ", " +
                     c.count);
        RegDeleteTreeA(HKEY_CURRENT_USER, profile_->Section(kOptions).c_str());
        SetOfflineModel(3, 1);
        doc_->GetOfflineConverter()->SetOfflineType(3, 1, "", 0, 0, 0, 0);
        boxes_.texts.clear();
        CCommConfigDlg dialog(1);
        const int result = Run(dialog, [&](wkit::Window& w) {
            w.Pick(IDC_INSTRUMENT_TYPE, kModels[c.type]);
            if (c.h2s) w.Check(IDC_H2S_SENSOR);
            w.SetText(IDC_COMPONENT_COUNT, c.count);
            w.PressOK();
            if (c.refusal.empty()) return;
            EXPECT_TRUE(w.IsOpen());
            EXPECT_EQ(c.count, w.Text(IDC_COMPONENT_COUNT)) << "the values entered stay";
            w.PressCancel();
        });
        if (c.refusal.empty()) {
            EXPECT_EQ(IDOK, result);
            EXPECT_TRUE(boxes_.texts.empty());
            EXPECT_EQ(c.type, dialog.m_nTypeCode);
            EXPECT_EQ(c.type, profile_->Dword(kOptions, "Offline instrument"));
            EXPECT_EQ(atoi(c.count), profile_->Dword(kOptions, "Number of components"));
            EXPECT_EQ(c.h2s, profile_->Dword(kOptions, "Has H2S Sensor"));
            EXPECT_EQ(c.type, doc_->GetOfflineConverter()->GetOfflineType());
        } else {
            EXPECT_EQ(IDCANCEL, result);
            EXPECT_EQ((std::vector<std::string>{c.refusal}), boxes_.texts);
            EXPECT_EQ(3, profile_->Dword(kOptions, "Offline instrument")) << "nothing written";
            EXPECT_EQ(-1, profile_->Dword(kOptions, "Has H2S Sensor"));
        }
    }
}

TEST_F(CommConfig, OnlineOkMakesTheNetworkCurrentAndStillWritesTheOfflineModel) {
    for (bool networks : {false, true}) {
        SCOPED_TRACE(networks ? "networks" : "no networks");
        SetMode(1);
        RegDeleteTreeA(HKEY_CURRENT_USER, profile_->Section(kOptions).c_str());
        SetOfflineModel(5, 1);
        if (networks) {
            WriteIni("[Networklist]\r\nLab=Lab\r\nPlant=Plant\r\n");
            SetNetworkName("Plant");
        }
        CCommConfigDlg dialog(1);
        EXPECT_EQ(IDOK, Run(dialog, [&](wkit::Window& w) {
                      EXPECT_EQ(BST_CHECKED, w.CheckState(IDC_ONLINE_MODE));
                      if (networks) {
                          EXPECT_EQ("Plant", w.Selection(IDC_COMM_NETWORK));
                          w.Pick(IDC_COMM_NETWORK, "Lab");
                      } else {
                          EXPECT_TRUE(w.Items(IDC_COMM_NETWORK).empty());
                      }
                      w.PressOK();
                  }));
        EXPECT_EQ(1, dialog.m_nOperationMode);
        EXPECT_EQ(networks ? "Lab" : "", std::string(GetNetworkName()));
        EXPECT_EQ(5, profile_->Dword(kOptions, "Offline instrument"));
        EXPECT_EQ(0, profile_->Dword(kOptions, "Has Option Board")) << "the model is written";
    }
}

TEST_F(CommConfig, WithoutCancelOnlyOkEndsIt) {
    SetMode(0);
    CCommConfigDlg dialog(0);
    EXPECT_EQ(IDOK, Run(dialog, [&](wkit::Window& w) {
                  EXPECT_FALSE(w.IsVisible(IDCANCEL));
                  // Escape and the close box both ask for IDCANCEL.
                  ::SendMessageA(w.Handle(), WM_COMMAND, IDCANCEL, 0);
                  EXPECT_TRUE(w.IsOpen());
                  w.Close();
                  EXPECT_TRUE(w.IsOpen());
                  w.PressOK();
              }));
}

TEST_F(CommConfig, ACountAboveFourBecomesFourOnTheNextChange) {
    SetMode(0);
    SetOfflineModel(1, 1);
    CCommConfigDlg dialog(1);
    Run(dialog, [&](wkit::Window& w) {
        for (auto change : std::vector<std::function<void()>>{
                 [&] { w.Check(IDC_ONLINE_MODE); },
                 [&] { w.Pick(IDC_INSTRUMENT_TYPE, "Quenta 6"); },
             }) {
            w.Check(IDC_OFFLINE_MODE);
            w.SetText(IDC_COMPONENT_COUNT, "7");
            EXPECT_EQ("7", w.Text(IDC_COMPONENT_COUNT));
            change();
            EXPECT_EQ("4", w.Text(IDC_COMPONENT_COUNT));
        }
        w.PressCancel();
    });
}

TEST_F(CommConfig, ATypedModelCountsOnlyWhenItNamesOne) {
    SetMode(0);
    struct Case {
        const char* typed;
        int stored;
    } const cases[] = {{"Quenta 6", 5}, {"sindor 23", 4}, {"Sindor", 3}, {"Nonsense", 3}, {"", 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        SetOfflineModel(3, 1);
        doc_->GetOfflineConverter()->SetOfflineType(3, 1, "", 0, 0, 0, 0);
        CCommConfigDlg dialog(1);
        EXPECT_EQ(IDOK, Run(dialog, [&](wkit::Window& w) {
                      EXPECT_EQ("Lorvix 6", w.Selection(IDC_INSTRUMENT_TYPE));
                      w.SetText(IDC_INSTRUMENT_TYPE, c.typed);
                      w.PressOK();
                  }));
        EXPECT_EQ(c.stored, dialog.m_nTypeCode);
        EXPECT_EQ(c.stored, profile_->Dword(kOptions, "Offline instrument"));
    }
}

TEST_F(CommConfig, SettingsOpensTheNetworksAndShowsTheOneChosenThere) {
    SetMode(1);
    WriteIni("[Networklist]\r\nLab=Lab\r\nPlant=Plant\r\n");
    SetNetworkName("Lab");
    boxes_.answer = IDNO;  // the save question when the network is switched
    CCommConfigDlg dialog(1);
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NETWORK_SETTINGS), [&](wkit::Window& n) {
        EXPECT_EQ("Lab", n.Selection(IDC_NETWORK_LIST));
        n.Pick(IDC_NETWORK_LIST, "Plant");
        n.PressOK();
    });
    Run(dialog, driver, [&](wkit::Window& w) {
        EXPECT_EQ("Lab", w.Selection(IDC_COMM_NETWORK));
        w.Click(IDC_NETWORK_SETTINGS);
        EXPECT_EQ("Plant", w.Selection(IDC_COMM_NETWORK));
        w.HelpOn(IDC_COMPONENT_COUNT);
        w.PressHelp();
        w.PressCancel();
    });
    EXPECT_EQ((std::vector<DWORD_PTR>{0x50000 + IDC_COMPONENT_COUNT, 0x20000 + IDD_COMM_CONFIG}),
              HelpTopics());
}

// ---- Define components --------------------------------------------------------------------

TEST_F(DialogTest, ComponentNamesAreStoredForTheModel) {
    const char* const entries[] = {"Component 1", "Component 2", "Component 3", "Component 4"};
    const char* const before[] = {"CO", "NO", "Old 3", "Old 4"};
    for (int i = 0; i < 4; ++i) profile_->SetString("Sindor 6\\Components", entries[i], before[i]);
    // Two components: the edits of 3 and 4 are disabled.
    std::unique_ptr<CVaskInstrument> analyzer(new CVaskInstrument("Gas", 1, NULL, 0, 2, 4, 4, 0));
    const int ids[] = {IDC_COMPONENT_NAME_1, IDC_COMPONENT_NAME_2, IDC_COMPONENT_NAME_3,
                       IDC_COMPONENT_NAME_4};
    for (int result : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(result);
        CDefineComponentsDlg dialog(analyzer.get());
        wkit::Driver driver;
        driver.OnOpen(wkit::Template(IDD_DEFINE_COMPONENTS), [&](wkit::Window& w) {
            EXPECT_EQ("Define components", w.Caption());
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(before[i], w.Text(ids[i]));
                EXPECT_EQ(i < 2, w.IsEnabled(ids[i])) << i;
            }
            w.SetText(IDC_COMPONENT_NAME_1, "CO2");
            if (result == IDOK)
                w.PressOK();
            else
                w.PressCancel();
        });
        EXPECT_EQ(result, dialog.DoModal());
    }
    const char* const after[] = {"CO2", "NO", "Old 3", "Old 4"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(after[i], std::string(analyzer->GetComponentName(i)));
        EXPECT_EQ(after[i], std::string(AfxGetApp()->GetProfileString("Sindor 6\\Components",
                                                                      entries[i], "<none>")));
    }
}

// ---- Instrument Overview ------------------------------------------------------------------

class Overview : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        port_ = new CPort("COM1");
        converter_ = new CConverter("Plant_1", 1);
        gateway_ = new CGateway("10.0.0.1");
        line_ = new CGatewayPort(gateway_, "Line 1");
        nodes_.AddTail(port_);
        nodes_.AddTail(converter_);
        nodes_.AddTail(gateway_);
        nodes_.AddTail(line_);
        // Behind the converter: 1 and 12 chosen, 5 not, 13 out of the grid's range.
        for (int address : {1, 5, 12, 13})
            AddAnalyzer(converter_, "Gas " + std::to_string(address), address, address != 5);
        // Behind the gateway, two at one address: the later one is shown.
        AddAnalyzer(gateway_, "Early", 3, 1);
        AddAnalyzer(gateway_, "Late", 3, 1);
    }
    void TearDown() override {
        for (CVaskInstrument* analyzer : analyzers_) delete analyzer;
        delete line_;
        delete gateway_;
        delete converter_;
        delete port_;
        DialogTest::TearDown();
    }
    CVaskInstrument* AddAnalyzer(CInstrument* parent, const std::string& name, int address,
                                 int chosen) {
        CVaskInstrument* analyzer = new CVaskInstrument(name.c_str(), 1, NULL, address, 1, 4, 4, 0);
        analyzer->SetConnectionEnabled(chosen);
        analyzer->SetParent(parent);
        analyzers_.push_back(analyzer);
        return analyzer;
    }
    CVaskInstrument* Analyzer(int address) {
        for (CVaskInstrument* analyzer : analyzers_)
            if (analyzer->GetAddress() == address) return analyzer;
        return nullptr;
    }
    std::vector<int> Choices() {
        std::vector<int> choices;
        for (CVaskInstrument* analyzer : analyzers_)
            choices.push_back(analyzer->IsConnectionEnabled());
        return choices;
    }
    static std::string Cell(CInstrumentSelectGrid& grid, int col, int row) {
        const char* text = grid.GetCellText(col, row);
        return text != NULL ? text : "<none>";
    }
    static bool ReadOnly(CInstrumentSelectGrid& grid, int col, int row) {
        CGridCell cell;
        grid.GetCell(col, row, cell);
        return cell.GetReadOnly() != FALSE;
    }
    int Run(CInstrumentOverviewDlg& dialog, int level, wkit::Script script) {
        frame_->SetAccessLevel(level);
        wkit::Driver driver;
        driver.OnOpen(wkit::Template(IDD_INSTRUMENT_OVERVIEW), script);
        return (int)dialog.DoModal();
    }

    CObList nodes_;
    CPort* port_ = nullptr;
    CConverter* converter_ = nullptr;
    CGateway* gateway_ = nullptr;
    CGatewayPort* line_ = nullptr;
    std::vector<CVaskInstrument*> analyzers_;
};

TEST_F(Overview, AnalyzersAreShownByAddressAndChosenWithOk) {
    CInstrumentOverviewDlg dialog(&nodes_);
    CInstrumentSelectGrid& grid = dialog.GetGrid();
    EXPECT_EQ(IDOK, Run(dialog, 2, [&](wkit::Window& w) {
                  EXPECT_EQ("Instrument Overview", w.Caption());
                  EXPECT_EQ((std::vector<std::string>{"10.0.0.1", "Plant_1"}),
                            w.Items(IDC_OVERVIEW_NETWORK));
                  EXPECT_EQ("10.0.0.1", w.Selection(IDC_OVERVIEW_NETWORK));
                  EXPECT_TRUE(w.IsEnabled(IDOK));
                  EXPECT_EQ(12, grid.GetRowCount());
                  EXPECT_EQ(2, grid.GetColCount());
                  EXPECT_EQ((std::vector<std::string>{"Address", "Instrument", "Connection"}),
                            (std::vector<std::string>{Cell(grid, -1, -1), Cell(grid, 0, -1),
                                                      Cell(grid, 1, -1)}));
                  EXPECT_EQ("Late", Cell(grid, 0, 2));
                  EXPECT_EQ("---", Cell(grid, 0, 0));

                  w.Pick(IDC_OVERVIEW_NETWORK, "Plant_1");
                  struct Row {
                      int row;
                      const char* name;
                      const char* choice;
                      bool locked;
                  } const rows[] = {{0, "Gas 1", "1", false}, {1, "---", "0", true},
                                    {2, "---", "0", true},    {4, "Gas 5", "0", false},
                                    {10, "---", "0", true},   {11, "Gas 12", "1", false}};
                  for (const Row& r : rows) {
                      SCOPED_TRACE(r.row);
                      EXPECT_EQ(std::to_string(r.row + 1), Cell(grid, -1, r.row));
                      EXPECT_EQ(r.name, Cell(grid, 0, r.row));
                      EXPECT_TRUE(ReadOnly(grid, 0, r.row));
                      EXPECT_EQ(r.choice, Cell(grid, 1, r.row));
                      EXPECT_EQ(r.locked, ReadOnly(grid, 1, r.row));
                  }
                  for (int row = 0; row < 12; ++row) EXPECT_NE("Gas 13", Cell(grid, 0, row));
                  // The user's choices: 1 off, 5 on.
                  grid.SetCellText(1, 0, "0");
                  grid.SetCellText(1, 4, "1");
                  w.HelpOn(IDC_OVERVIEW_NETWORK);
                  w.PressOK();
              }));
    EXPECT_EQ(0, Analyzer(1)->IsConnectionEnabled());
    EXPECT_EQ(1, Analyzer(5)->IsConnectionEnabled());
    EXPECT_EQ(1, Analyzer(12)->IsConnectionEnabled());
    EXPECT_EQ(1, Analyzer(13)->IsConnectionEnabled()) << "not shown, not changed";
    EXPECT_TRUE(boxes_.texts.empty());
    EXPECT_EQ((std::vector<DWORD_PTR>{0x50000 + IDC_OVERVIEW_NETWORK}), HelpTopics());
}

TEST_F(Overview, OkNeedsOneChosenAnalyzerAndCancelGivesTheChoicesBack) {
    const std::vector<int> before = Choices();
    CInstrumentOverviewDlg dialog(&nodes_);
    CInstrumentSelectGrid& grid = dialog.GetGrid();
    EXPECT_EQ(IDCANCEL, Run(dialog, 3, [&](wkit::Window& w) {
                  w.Pick(IDC_OVERVIEW_NETWORK, "Plant_1");
                  grid.SetCellText(1, 0, "0");
                  grid.ClearCell(1, 11);  // emptied: not chosen
                  w.PressOK();
                  EXPECT_TRUE(w.IsOpen());
                  EXPECT_EQ(before, Choices()) << "a refused OK writes nothing";
                  // Edits on another network are dropped by switching back.
                  w.Pick(IDC_OVERVIEW_NETWORK, "10.0.0.1");
                  w.Pick(IDC_OVERVIEW_NETWORK, "Plant_1");
                  EXPECT_EQ("1", Cell(grid, 1, 0));
                  grid.SetCellText(1, 4, "1");
                  w.PressCancel();
              }));
    EXPECT_EQ((std::vector<std::string>{"Please connect to one instrument at least."}),
              boxes_.texts);
    EXPECT_EQ(before, Choices());
}

TEST_F(Overview, BelowSpecialistTheChoicesCannotBeChanged) {
    CInstrumentOverviewDlg dialog(&nodes_);
    CInstrumentSelectGrid& grid = dialog.GetGrid();
    EXPECT_EQ(IDCANCEL, Run(dialog, 1, [&](wkit::Window& w) {
                  EXPECT_FALSE(w.IsEnabled(IDOK));
                  w.Pick(IDC_OVERVIEW_NETWORK, "Plant_1");
                  for (int row = 0; row < 12; ++row) EXPECT_TRUE(ReadOnly(grid, 1, row)) << row;
                  w.PressCancel();
              }));
}

TEST_F(Overview, WithoutNodesNothingIsShownAndOkIsRefused) {
    CObList empty;
    for (CObList* list : {&empty, (CObList*)NULL}) {
        boxes_.texts.clear();
        CInstrumentOverviewDlg dialog(list);
        CInstrumentSelectGrid& grid = dialog.GetGrid();
        EXPECT_EQ(IDCANCEL, Run(dialog, 2, [&](wkit::Window& w) {
                      EXPECT_TRUE(w.Items(IDC_OVERVIEW_NETWORK).empty());
                      for (int row = 0; row < 12; ++row) EXPECT_EQ("---", Cell(grid, 0, row));
                      w.PressOK();
                      EXPECT_TRUE(w.IsOpen());
                      w.PressCancel();
                  }));
        EXPECT_EQ((std::vector<std::string>{"Please connect to one instrument at least."}),
                  boxes_.texts);
    }
}

}  // namespace
