// The configuration sheet and its pages: offline on real analyzers (edit, Apply, reopen;
// the parameter entries hold the values) and online through scripted analyzers (the device
// operations called, with their arguments, and what a failed read keeps from being written).
#include "configpropertysheet.h"
#include "configscript.h"
#include "gridtest_support.h"
#include "resource.h"
#include "window_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "appwait.h"

namespace {

const int kAnalogGroup = 24;

int EntryInt(CVaskInstrument* pAnalyzer, int group, const char* key) {
    int value = -1;
    EXPECT_TRUE(ReadGroupInt(pAnalyzer, group, key, value, TRUE)) << key;
    return value;
}

// Runs the configuration sheet of the analyzer with the script on its first page.
int RunSheet(CVaskInstrument* pAnalyzer, UINT nPage, wkit::Script script) {
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(nPage), script);
    CConfigPropertySheet sheet(pAnalyzer);
    return (int)sheet.DoModal();
}

std::vector<int> ItemChecks(wkit::Window& w, int id) {
    std::vector<int> checks;
    HWND list = w.Control(id);
    const int count = (int)::SendMessageA(list, LB_GETCOUNT, 0, 0);
    CCheckListBox* pList = (CCheckListBox*)CWnd::FromHandlePermanent(list);
    for (int i = 0; i < count; ++i) checks.push_back(pList != NULL ? pList->GetCheck(i) : -1);
    return checks;
}

bool ItemEnabled(wkit::Window& w, int id, int item) {
    CCheckListBox* pList = (CCheckListBox*)CWnd::FromHandlePermanent(w.Control(id));
    return pList != NULL && pList->IsEnabled(item);
}

// ---- analog outputs ------------------------------------------------------------------------

TEST(ConfigAnalogPage, OfflineEditsReachTheEntriesAndComeBack) {
    struct Case {
        const char* model;
        bool sindor23;
    } cases[] = {{"Sindor 6", false}, {"Parvel 6", false}, {"Lorvix 6", false},
                 {"Sindor 23", true}, {"Quenta 6", false}, {"Parvel 64", false},
                 {"Lorvix 62", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        SheetKit kit;
        auto analyzer = MakeOffline(c.model, 2);
        ASSERT_TRUE(analyzer);
        const int components = analyzer->GetComponentCount();
        EXPECT_EQ(RunSheet(analyzer.get(), IDD_CONFIG_ANALOG,
                           [&](wkit::Window& w) {
                               EXPECT_EQ(w.Items(IDC_CONFIG_ANALOG_RANGE).size(), 4u);
                               EXPECT_EQ(w.Items(IDC_CONFIG_STORE_CHECK).size(), 4u);
                               EXPECT_EQ(w.IsEnabled(IDC_CONFIG_INVERTED), !c.sindor23);
                               EXPECT_EQ(w.IsEnabled(IDC_CONFIG_STORE_FAULT), c.sindor23);
                               EXPECT_EQ((int)w.Items(IDC_CONFIG_SUPPRESS).size(), components);
                               EXPECT_EQ(ItemEnabled(w, IDC_CONFIG_SUPPRESS, 0), !c.sindor23);
                               w.PickIndex(IDC_CONFIG_ANALOG_RANGE, 3);
                               w.PickIndex(IDC_CONFIG_STORE_CHECK, 2);
                               if (c.sindor23) w.PickIndex(IDC_CONFIG_STORE_FAULT, 1);
                               if (!c.sindor23) {
                                   w.Check(IDC_CONFIG_INVERTED);
                                   w.ClickItemBox(IDC_CONFIG_SUPPRESS, 0);
                               }
                               w.PressOK();
                           }),
                  IDOK);
        EXPECT_EQ(EntryInt(analyzer.get(), kAnalogGroup, "Range"), 3);
        EXPECT_EQ(EntryInt(analyzer.get(), kAnalogGroup, "Store on function check"), 2);
        // The fault entry takes the functional-check choice on every model but the Sindor 23.
        EXPECT_EQ(EntryInt(analyzer.get(), kAnalogGroup, "Store on fault"), c.sindor23 ? 1 : 2);
        if (!c.sindor23) { EXPECT_EQ(EntryInt(analyzer.get(), kAnalogGroup, "Inverted"), 1); }
        EXPECT_EQ(EntryInt(analyzer.get(), kAnalogGroup, "C1: Negative Values"),
                  c.sindor23 ? 0 : 1);
        RunSheet(analyzer.get(), IDD_CONFIG_ANALOG, [&](wkit::Window& w) {
            EXPECT_EQ(w.SelectionIndex(IDC_CONFIG_ANALOG_RANGE), 3);
            EXPECT_EQ(w.SelectionIndex(IDC_CONFIG_STORE_CHECK), 2);
            EXPECT_EQ(w.SelectionIndex(IDC_CONFIG_STORE_FAULT), c.sindor23 ? 1 : 2);
            EXPECT_EQ(ItemChecks(w, IDC_CONFIG_SUPPRESS)[0], c.sindor23 ? 0 : 1);
            w.PressCancel();
        });
        EXPECT_EQ(kit.frame.hints, std::vector<LPARAM>{kSheetUpdateHint});
    }
}

TEST(ConfigAnalogPage, OnlineWritesRangeStoreAndSuppressionPerComponent) {
    struct Case {
        bool sindor23;
        std::vector<std::string> writes;
    } cases[] = {
        {false,
         {"SetAnalogRange(0,1,1)", "SetMeasStore(0,3)", "SuppressNegativeAnalog(0,1)",
          "SuppressNegativeAnalog(1,0)"}},
        {true, {"SetAnalogRange(0,1,1)", "SetMeasStore(0,2)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sindor23 ? "Sindor 23" : "Sindor 6");
        SheetKit kit;
        kit.SetOnline(true);
        ConfigScript script;
        std::unique_ptr<CVaskInstrument> analyzer;
        if (c.sindor23)
            analyzer = std::make_unique<ConfigScripted<CSindor23>>(&script, "S23", nullptr, 1, 2, 0,
                                                                   0, 0, 0, 0, 0);
        else
            analyzer =
                std::make_unique<ConfigScripted<CSindor6>>(&script, "S6", nullptr, 1, 2, 0, 0);
        RunSheet(analyzer.get(), IDD_CONFIG_ANALOG, [&](wkit::Window& w) {
            EXPECT_EQ(w.SelectionIndex(IDC_CONFIG_ANALOG_RANGE), 2);
            EXPECT_EQ(w.SelectionIndex(IDC_CONFIG_STORE_CHECK), 1);
            EXPECT_EQ(w.SelectionIndex(IDC_CONFIG_STORE_FAULT), 3);
            script.calls.clear();
            w.PickIndex(IDC_CONFIG_ANALOG_RANGE, 1);
            w.PickIndex(IDC_CONFIG_STORE_CHECK, 0);
            if (c.sindor23)
                w.PickIndex(IDC_CONFIG_STORE_FAULT, 2);
            else
                w.ClickItemBox(IDC_CONFIG_SUPPRESS, 0);
            w.PressApply();
            std::vector<std::string> writes;
            for (const std::string& call : script.calls)
                if (call.compare(0, 3, "Set") == 0 || call.compare(0, 8, "Suppress") == 0)
                    writes.push_back(call);
            EXPECT_EQ(writes, c.writes);
            EXPECT_FALSE(w.IsEnabled(ID_APPLY_NOW)) << "applied: nothing left to write";
            w.PressCancel();
        });
        EXPECT_EQ(kit.frame.hints, std::vector<LPARAM>{kSheetUpdateHint});
    }
}

TEST(ConfigAnalogPage, AnUnreadSettingIsNeitherEditableNorWritten) {
    SheetKit kit;
    kit.SetOnline(true);
    ConfigScript script;
    script.results["GetAnalogRange"] = 0;
    ConfigScripted<CParvel6> analyzer(&script, "P6", nullptr, 1, 1, 0, 0);
    RunSheet(&analyzer, IDD_CONFIG_ANALOG, [&](wkit::Window& w) {
        EXPECT_EQ(w.SelectionIndex(IDC_CONFIG_ANALOG_RANGE), -1);
        EXPECT_FALSE(w.IsEnabled(IDC_CONFIG_ANALOG_RANGE));
        EXPECT_FALSE(w.IsEnabled(IDC_CONFIG_INVERTED));
        EXPECT_EQ(w.SelectionIndex(IDC_CONFIG_STORE_CHECK), 1) << "the other read still runs";
        EXPECT_TRUE(w.IsEnabled(IDC_CONFIG_STORE_CHECK));
        w.PickIndex(IDC_CONFIG_STORE_CHECK, 3);
        script.calls.clear();
        w.PressOK();
    });
    EXPECT_TRUE(script.CallsStartingWith("SetAnalogRange").empty());
    EXPECT_EQ(script.CallsStartingWith("SetMeasStore"),
              std::vector<std::string>{"SetMeasStore(3,3)"});
}

TEST(ConfigAnalogPage, AFailedWriteKeepsThePageAndTheViewsStillReread) {
    SheetKit kit;
    kit.SetOnline(true);
    ConfigScript script;
    script.results["SetMeasStore"] = 0;
    ConfigScripted<CParvel6> analyzer(&script, "P6", nullptr, 1, 1, 0, 0);
    RunSheet(&analyzer, IDD_CONFIG_ANALOG, [&](wkit::Window& w) {
        w.PickIndex(IDC_CONFIG_STORE_CHECK, 3);
        w.PressOK();
        EXPECT_TRUE(w.IsOpen()) << "the refused page keeps the sheet open";
        EXPECT_EQ(w.SelectionIndex(IDC_CONFIG_STORE_CHECK), 3);
        EXPECT_TRUE(script.CallsStartingWith("SuppressNegativeAnalog").empty());
        w.PressCancel();
    });
    EXPECT_EQ(kit.frame.hints, std::vector<LPARAM>{kSheetUpdateHint});
}

TEST(ConfigAnalogPage, BelowSpecialistOrNotRemoteNothingIsEditable) {
    for (int remote : {1, 0}) {
        SCOPED_TRACE(remote ? "maintenance level" : "local analyzer");
        SheetKit kit;
        kit.SetOnline(true);
        kit.SetAccessLevel(remote ? 1 : 2);
        ConfigScript script;
        script.state = remote ? 2 : 3;
        ConfigScripted<CSindor23> analyzer(&script, "S23", nullptr, 1, 1, 0, 0, 0, 0, 0, 0);
        RunSheet(&analyzer, IDD_CONFIG_ANALOG, [&](wkit::Window& w) {
            for (int id : {IDC_CONFIG_ANALOG_RANGE, IDC_CONFIG_INVERTED, IDC_CONFIG_STORE_CHECK,
                           IDC_CONFIG_STORE_FAULT})
                EXPECT_FALSE(w.IsEnabled(id)) << id;
            EXPECT_FALSE(ItemEnabled(w, IDC_CONFIG_SUPPRESS, 0));
            w.PressCancel();
        });
    }
}

}  // namespace

namespace {

// ---- the sheet --------------------------------------------------------------------------------

std::vector<UINT> PageTemplates(CConfigPropertySheet& sheet) {
    std::vector<UINT> ids;
    for (int i = 0; i < sheet.GetPageCount(); ++i)
        ids.push_back(static_cast<CHelpPropertyPage*>(sheet.GetPage(i))->GetTemplateId());
    return ids;
}

std::unique_ptr<CVaskInstrument> MakeScripted(const std::string& model, ConfigScript* s,
                                              int components = 1) {
    const CString name = model.c_str();
    if (model == "Sindor 6")
        return std::make_unique<ConfigScripted<CSindor6>>(s, name, nullptr, 1, components, 0, 0);
    if (model == "Parvel 6")
        return std::make_unique<ConfigScripted<CParvel6>>(s, name, nullptr, 1, components, 0, 0);
    if (model == "Lorvix 6")
        return std::make_unique<ConfigScripted<CLorvix6>>(s, name, nullptr, 1, components, 0, 0);
    if (model == "Lorvix 62")
        return std::make_unique<ConfigScripted<CLorvix62>>(s, name, nullptr, 1, components, 0, 0);
    if (model == "Quenta 6")
        return std::make_unique<ConfigScripted<CQuenta6>>(s, name, nullptr, 1, components, 0, 0);
    if (model == "Parvel 64")
        return std::make_unique<ConfigScripted<CParvel64>>(s, name, nullptr, 1, components, 0, 0);
    if (model == "Sindor 23")
        return std::make_unique<ConfigScripted<CSindor23>>(s, name, nullptr, 1, components, 0, 0, 0,
                                                           0, 0, 0);
    return nullptr;
}

TEST(ConfigSheet, PagesPerModelAndOptionsInTheirFixedOrder) {
    const UINT A = IDD_CONFIG_ANALOG, R = IDD_CONFIG_RELAYS, B = IDD_CONFIG_BINARY,
               U = IDD_CONFIG_UNITS, S = IDD_CONFIG_SYNC, V = IDD_CONFIG_VASK,
               H = IDD_CONFIG_HEATING, W = IDD_CONFIG_WARMUP, P = IDD_CONFIG_PRESSURE;
    struct Case {
        const char* model;
        bool card, heating, pump;
        std::vector<UINT> pages;
    } cases[] = {
        {"Sindor 23", false, false, false, {A, R, U, S, V}},
        {"Sindor 23", true, true, false, {A, R, B, U, S, V}},
        {"Parvel 64", false, false, true, {A, R, B, U, S, V}},
        {"Parvel 64", true, false, false, {A, R, B, U, V}},
        {"Quenta 6", true, false, false, {A, R, B, V, W, P}},
        {"Lorvix 6", false, false, false, {A, R, B, V}},
        {"Parvel 6", false, true, false, {A, R, B, H, V}},
        {"Parvel 6", false, false, false, {A, R, B, V}},
        {"Sindor 6", false, true, false, {A, R, B, H, V}},
        {"Lorvix 62", false, true, false, {A, R, B, H, V}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + (c.card ? " card" : "") +
                     (c.heating ? " heating" : "") + (c.pump ? " pump" : ""));
        SheetKit kit;
        ConfigScript script;
        script.optionCard = c.card;
        script.heating = c.heating;
        auto analyzer = MakeScripted(c.model, &script);
        if (c.pump) static_cast<ConfigScripted<CParvel64>*>(analyzer.get())->SetPumpPresent(1);
        CConfigPropertySheet sheet(analyzer.get());
        EXPECT_EQ(PageTemplates(sheet), c.pages);
    }
}

TEST(ConfigSheet, OpensOnThePageAskedForWithContextHelpAndNoHintWithoutChange) {
    SheetKit kit;
    wkit::HelpRecorder library;  // no help program is started
    auto analyzer = MakeOffline("Sindor 23", 2);
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_CONFIG_UNITS), [&](wkit::Window& w) {
        EXPECT_EQ(w.Caption(), "Configuration");
        EXPECT_EQ(w.ActivePage(), 2) << "a Sindor 23 without option card: units at index 2";
        EXPECT_TRUE(::GetWindowLongA(w.Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
        w.HelpOn(IDC_CONFIG_UNITS_GRID);
        EXPECT_TRUE(TestApp().Asked(0x50000 + IDC_CONFIG_UNITS_GRID, HELP_CONTEXTPOPUP));
        w.PressCancel();
    });
    CConfigPropertySheet sheet(analyzer.get());
    sheet.SetActivePage(2);
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(kit.frame.hints.empty()) << "Cancel writes nothing and raises no hint";
}

// ---- relays and binary inputs -------------------------------------------------------------------

CListCtrl* ListOf(wkit::Window& w, int id) {
    return (CListCtrl*)CWnd::FromHandlePermanent(w.Control(id));
}

std::vector<std::string> Column(wkit::Window& w, int id, int col) {
    std::vector<std::string> texts;
    CListCtrl* pList = ListOf(w, id);
    for (int i = 0; i < pList->GetItemCount(); ++i)
        texts.push_back((LPCSTR)pList->GetItemText(i, col));
    return texts;
}

void SelectRow(wkit::Window& w, int id, int row) { ((CListCtrlEx*)ListOf(w, id))->SelectItem(row); }

bool Offers(wkit::Window& w, int id, const std::string& text) {
    const std::vector<std::string> items = w.Items(id);
    return std::find(items.begin(), items.end(), text) != items.end();
}

TEST(ConfigRelayPage, TheFreeListFollowsTheAssignments) {
    for (bool heating : {false, true}) {
        SCOPED_TRACE(heating ? "with heating" : "without heating");
        SheetKit kit;
        kit.SetOnline(true);
        ConfigScript script;
        script.heating = heating;
        const int relays[8] = {1, 1, 2, 70, 0, 3, 9, 9};
        std::copy(relays, relays + 8, script.relays);
        ConfigScripted<CLorvix6> analyzer(&script, "L6", nullptr, 1, 1, 0, 0);
        RunSheet(&analyzer, IDD_CONFIG_RELAYS, [&](wkit::Window& w) {
            ASSERT_TRUE(w.SelectPage(1));
            EXPECT_EQ(Column(w, IDC_CONFIG_RELAY_LIST, 0),
                      (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
            EXPECT_EQ(Column(w, IDC_CONFIG_RELAY_LIST, 1),
                      (std::vector<std::string>{"Free", "Free", "Error", "Not yet defined",
                                                "Functions of the relay", "Maintenance request"}));
            EXPECT_TRUE(Offers(w, IDC_CONFIG_RELAY_FREE, "Free")) << "function 1 stays";
            EXPECT_FALSE(Offers(w, IDC_CONFIG_RELAY_FREE, "Error"));
            EXPECT_FALSE(Offers(w, IDC_CONFIG_RELAY_FREE, "Maintenance request"));
            EXPECT_TRUE(Offers(w, IDC_CONFIG_RELAY_FREE, "Calibration"));
            EXPECT_FALSE(Offers(w, IDC_CONFIG_RELAY_FREE, "C2, range 1 selected"))
                << "not offered by the model";
            EXPECT_EQ(Offers(w, IDC_CONFIG_RELAY_FREE, "Heating"), heating);

            // Nothing selected: nothing changes.
            w.Click(IDC_CONFIG_RELAY_ASSIGN);
            w.Click(IDC_CONFIG_RELAY_REMOVE);
            EXPECT_FALSE(w.IsEnabled(ID_APPLY_NOW));

            // "Not yet defined" replaced: nothing is freed; "Error" replaced comes back.
            SelectRow(w, IDC_CONFIG_RELAY_LIST, 3);
            w.Pick(IDC_CONFIG_RELAY_FREE, "Calibration");
            w.Click(IDC_CONFIG_RELAY_ASSIGN);
            EXPECT_EQ(Column(w, IDC_CONFIG_RELAY_LIST, 1)[3], "Calibration");
            EXPECT_FALSE(Offers(w, IDC_CONFIG_RELAY_FREE, "Calibration"));
            SelectRow(w, IDC_CONFIG_RELAY_LIST, 2);
            w.Click(IDC_CONFIG_RELAY_REMOVE);
            EXPECT_EQ(Column(w, IDC_CONFIG_RELAY_LIST, 1)[2], "Free");
            EXPECT_TRUE(Offers(w, IDC_CONFIG_RELAY_FREE, "Error"));
            script.calls.clear();
            w.PressApply();
            EXPECT_EQ(script.CallsStartingWith("Set"),
                      std::vector<std::string>{"SetRelayOutputs(1,1,1,4,0,3,1,1)"})
                << "the standard outputs only, without option card";
            w.PressCancel();
        });
    }
}

TEST(ConfigRelayPage, OptionCardRowsFollowAndAnUnreadPartIsNotWritten) {
    SheetKit kit;
    kit.SetOnline(true);
    ConfigScript script;
    script.optionCard = true;
    script.results["GetRelayOutputs"] = 0;
    for (int i = 0; i < 8; ++i) script.extRelays[i] = 1;
    ConfigScripted<CParvel6> analyzer(&script, "P6", nullptr, 1, 1, 0, 0);
    RunSheet(&analyzer, IDD_CONFIG_ANALOG, [&](wkit::Window& w) {
        ASSERT_TRUE(w.SelectPage(1));
        const std::vector<std::string> numbers = Column(w, IDC_CONFIG_RELAY_LIST, 0);
        ASSERT_EQ(numbers.size(), 14u);
        EXPECT_EQ(numbers[6], "7") << "the option card's outputs after the six standard ones";
        EXPECT_EQ(Column(w, IDC_CONFIG_RELAY_LIST, 1)[0], "") << "an unread output shows nothing";
        // An unread output keeps its function.
        SelectRow(w, IDC_CONFIG_RELAY_LIST, 0);
        w.Pick(IDC_CONFIG_RELAY_FREE, "Error");
        w.Click(IDC_CONFIG_RELAY_ASSIGN);
        EXPECT_EQ(Column(w, IDC_CONFIG_RELAY_LIST, 1)[0], "");
        SelectRow(w, IDC_CONFIG_RELAY_LIST, 7);
        w.Pick(IDC_CONFIG_RELAY_FREE, "Error");
        w.Click(IDC_CONFIG_RELAY_ASSIGN);
        script.calls.clear();
        w.PressOK();
    });
    EXPECT_EQ(script.CallsStartingWith("Set"),
              std::vector<std::string>{"SetExtRelayOutputs(1,2,1,1,1,1,1,1)"});
}

TEST(ConfigBinaryPage, ASindor23ListsTheOptionCardInputsAlone) {
    SheetKit kit;
    kit.SetOnline(true);
    ConfigScript script;
    script.optionCard = true;
    ConfigScripted<CSindor23> analyzer(&script, "S23", nullptr, 1, 2, 0, 0, 0, 0, 0, 0);
    RunSheet(&analyzer, IDD_CONFIG_ANALOG, [&](wkit::Window& w) {
        ASSERT_TRUE(w.SelectPage(2));
        EXPECT_EQ(Column(w, IDC_CONFIG_BINARY_LIST, 0),
                  (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8"}));
        EXPECT_EQ(Column(w, IDC_CONFIG_BINARY_LIST, 1)[0], "Vacant");
        SelectRow(w, IDC_CONFIG_BINARY_LIST, 1);
        w.Pick(IDC_CONFIG_BINARY_FREE, "Other fault");
        w.Click(IDC_CONFIG_BINARY_ASSIGN);
        script.calls.clear();
        w.PressOK();
    });
    EXPECT_TRUE(script.CallsStartingWith("GetBinaryInputs").empty());
    EXPECT_EQ(script.CallsStartingWith("Set"),
              std::vector<std::string>{"SetExtBinaryInputs(1,2,1,1,1,1,1,1)"});
}

// Every function a list offers or an output shows can be read whole, the longest among them.
TEST(ConfigAssignmentPages, EveryFunctionShowsWhole) {
    SheetKit kit;
    kit.SetOnline(true);
    ConfigScript script;
    script.heating = true;
    ConfigScripted<CSindor6> analyzer(&script, "S6", nullptr, 1, 2, 0, 0);
    RunSheet(&analyzer, IDD_CONFIG_ANALOG, [&](wkit::Window& w) {
        struct Page {
            int index, list, free, assign;
        } const pages[] = {
            {1, IDC_CONFIG_RELAY_LIST, IDC_CONFIG_RELAY_FREE, IDC_CONFIG_RELAY_ASSIGN},
            {2, IDC_CONFIG_BINARY_LIST, IDC_CONFIG_BINARY_FREE, IDC_CONFIG_BINARY_ASSIGN},
        };
        for (const Page& p : pages) {
            SCOPED_TRACE(p.index);
            ASSERT_TRUE(w.SelectPage(p.index));
            std::string unfit = wkit::Unfit(wkit::WholeEntries(w.Control(p.free)));
            // The longest function offered, assigned to the first output.
            std::string longest;
            for (const std::string& item : w.Items(p.free))
                if (item.size() > longest.size()) longest = item;
            SelectRow(w, p.list, 0);
            w.Pick(p.free, longest);
            w.Click(p.assign);
            ASSERT_EQ(Column(w, p.list, 1)[0], longest);
            unfit += wkit::Unfit(wkit::WholeCells(w.Control(p.list)));
            unfit += wkit::Unfit(wkit::WholeTexts(w.Page()));
            EXPECT_EQ(unfit, "");
        }
        w.PressCancel();
    });
}

TEST(ConfigAssignmentPages, OfflineAssignmentsReachTheEntries) {
    SheetKit kit;
    auto analyzer = MakeOffline("Parvel 6", 1);
    RunSheet(analyzer.get(), IDD_CONFIG_ANALOG, [&](wkit::Window& w) {
        ASSERT_TRUE(w.SelectPage(1));
        SelectRow(w, IDC_CONFIG_RELAY_LIST, 5);
        w.Pick(IDC_CONFIG_RELAY_FREE, "C2, limit alarm 2 was hit");
        w.Click(IDC_CONFIG_RELAY_ASSIGN);
        ASSERT_TRUE(w.SelectPage(2));
        SelectRow(w, IDC_CONFIG_BINARY_LIST, 0);
        w.Pick(IDC_CONFIG_BINARY_FREE, "Start autocal");
        w.Click(IDC_CONFIG_BINARY_ASSIGN);
        w.PressOK();
    });
    EXPECT_EQ(EntryInt(analyzer.get(), 25, "Relay 6"), 39);
    EXPECT_EQ(EntryInt(analyzer.get(), 26, "Binary input 1"), 15);
    RunSheet(analyzer.get(), IDD_CONFIG_ANALOG, [&](wkit::Window& w) {
        ASSERT_TRUE(w.SelectPage(1));
        EXPECT_EQ(Column(w, IDC_CONFIG_RELAY_LIST, 1)[5], "C2, limit alarm 2 was hit");
        EXPECT_FALSE(Offers(w, IDC_CONFIG_RELAY_FREE, "C2, limit alarm 2 was hit"));
        w.PressCancel();
    });
}

}  // namespace

namespace {

// The sheet of `analyzer`, run with the script on the page of template `nPage`.
int RunOnPage(CVaskInstrument* pAnalyzer, UINT nPage,
              const std::function<void(wkit::Window&, CConfigPropertySheet&)>& script) {
    wkit::Driver driver;
    CConfigPropertySheet sheet(pAnalyzer);
    int index = -1;
    for (int i = 0; i < sheet.GetPageCount(); ++i)
        if (static_cast<CHelpPropertyPage*>(sheet.GetPage(i))->GetTemplateId() == nPage) index = i;
    EXPECT_GE(index, 0) << "the sheet has the page " << nPage;
    if (index < 0) return -1;
    sheet.SetActivePage(index);
    driver.OnOpen(wkit::Template(nPage), [&](wkit::Window& w) { script(w, sheet); });
    return (int)sheet.DoModal();
}

// ---- units ------------------------------------------------------------------------------------

struct ShortWaits {
    ShortWaits() { SetProgramWaitDivisor(100); }
    ~ShortWaits() { SetProgramWaitDivisor(1); }
};

void PickUnit(CConfigPropertySheet& sheet, int row, int index) {
    sheet.m_unitsPage.m_grid.SetDropListIndex(CUnitsGrid::kUnitCol, row, index);
    sheet.m_unitsPage.m_grid.OnCellChanged(CUnitsGrid::kUnitCol, row);
}

TEST(ConfigUnitsPage, OfflineAUnitRelabelsTheComponentsConcentrations) {
    // The Sindor 23 has two components and no zero gases; the Parvel 64 one component.
    for (const char* model : {"Sindor 23", "Parvel 64"}) {
        SCOPED_TRACE(model);
        const bool sindor23 = std::string(model) == "Sindor 23";
        SheetKit kit;
        auto analyzer = MakeOffline(model, 2);
        RunOnPage(analyzer.get(), IDD_CONFIG_UNITS,
                  [&](wkit::Window& w, CConfigPropertySheet& sheet) {
                      CUnitsGrid& grid = sheet.m_unitsPage.m_grid;
                      EXPECT_EQ(grid.GetRowCount(), sindor23 ? 2 : 1);
                      EXPECT_FALSE(Locked(grid, CUnitsGrid::kUnitCol, 0));
                      EXPECT_TRUE(Locked(grid, CUnitsGrid::kMaxCol, 0));
                      EXPECT_EQ(HorizontalBarHeight(grid.m_hWnd), 0) << "three columns fit";
                      PickUnit(sheet, 0, 1);  // "vpm"
                      w.PressOK();
                  });
        EXPECT_EQ(EntryInt(analyzer.get(), 27, "C1: Unit"), 2);
        struct Relabelled {
            int group;
            const char* key;
        } entries[] = {{3, "C1: Range 1:"},
                       {3, "C1: Range2: lower limit"},
                       {3, "C1: Range2: upper limit"},
                       {5, "C1: Range 2:"},
                       {3, "C1: Largest Range"},
                       {5, "C1: Zero"},
                       {7, "C1: Limit 1"},
                       {8, "C1: Limit 2"},
                       {27, "C1: Maximum"}};
        for (const Relabelled& e : entries) {
            if (sindor23 && e.group == 5 && std::string(e.key) == "C1: Zero") continue;
            CVaskParameter* pEntry = FindGroupEntry(analyzer.get(), e.group, e.key, TRUE);
            ASSERT_NE(pEntry, nullptr) << e.key;
            EXPECT_EQ(pEntry->GetCachedValue().unit, 4) << e.key;
        }
        if (sindor23) {
            CVaskParameter* pOther = FindGroupEntry(analyzer.get(), 7, "C2: Limit 1", TRUE);
            ASSERT_NE(pOther, nullptr);
            EXPECT_NE(pOther->GetCachedValue().unit, 4) << "the other component keeps its unit";
        }
    }
}

TEST(ConfigUnitsPage, OnlineEveryRowIsWrittenBeforeOneRead) {
    SheetKit kit;
    ShortWaits waits;
    kit.SetOnline(true);
    ConfigScript script;
    script.units[0] = 2, script.units[1] = 2, script.units[2] = 3;
    ConfigScripted<CSindor23> analyzer(&script, "S23", nullptr, 1, 3, 0, 0, 0, 0, 0, 0);
    RunOnPage(&analyzer, IDD_CONFIG_UNITS, [&](wkit::Window& w, CConfigPropertySheet& sheet) {
        CUnitsGrid& grid = sheet.m_unitsPage.m_grid;
        EXPECT_EQ(grid.GetDropListIndex(CUnitsGrid::kUnitCol, 2), 2);
        PickUnit(sheet, 0, 4);
        PickUnit(sheet, 2, 3);
        script.calls.clear();
        w.PressApply();
        std::vector<std::string> units = script.CallsStartingWith("SetUnit");
        EXPECT_EQ(units,
                  (std::vector<std::string>{"SetUnit(0,5)", "SetUnit(1,2)", "SetUnit(2,4)"}));
        EXPECT_EQ(script.CallsStartingWith("GetUnit").size(), 3u) << "one read of every row";
        EXPECT_EQ(script.calls.front(), "SetUnit(0,5)") << "the writes come first";
        EXPECT_EQ(grid.GetDropListIndex(CUnitsGrid::kUnitCol, 0), 4);
        EXPECT_EQ(grid.GetDropListIndex(CUnitsGrid::kUnitCol, 2), 3);
        w.PressCancel();
    });
}

TEST(ConfigUnitsPage, AnUnreadUnitIsLockedAndNotWritten) {
    SheetKit kit;
    ShortWaits waits;
    kit.SetOnline(true);
    ConfigScript script;
    script.results["GetUnit"] = 0;
    script.results["GetCharactEndValue"] = 0;
    ConfigScripted<CParvel64> analyzer(&script, "P64", nullptr, 1, 1, 0, 0);
    RunOnPage(&analyzer, IDD_CONFIG_UNITS, [&](wkit::Window& w, CConfigPropertySheet& sheet) {
        CUnitsGrid& grid = sheet.m_unitsPage.m_grid;
        EXPECT_TRUE(Locked(grid, CUnitsGrid::kUnitCol, 0));
        // A change elsewhere leaves the page modified; leaving and applying are not blocked.
        sheet.m_unitsPage.OnParamModified();
        EXPECT_TRUE(w.SelectPage(0));
        script.calls.clear();
        w.PressOK();
    });
    EXPECT_TRUE(script.CallsStartingWith("SetUnit").empty());
}

// ---- pump and sync input --------------------------------------------------------------------------

TEST(ConfigSyncPage, OfflineTheSyncChoiceAndPumpFlagsRoundTrip) {
    SheetKit kit;
    auto analyzer = MakeOffline("Sindor 23", 2);
    RunOnPage(analyzer.get(), IDD_CONFIG_SYNC, [&](wkit::Window& w, CConfigPropertySheet&) {
        w.Check(IDC_CONFIG_SYNC_ZERO);
        w.Check(IDC_CONFIG_PUMP_ZERO);
        w.Check(IDC_CONFIG_PUMP_ON);
        w.PressOK();
    });
    EXPECT_EQ(EntryInt(analyzer.get(), 29, "Sync imput"), 1);
    EXPECT_EQ(EntryInt(analyzer.get(), 28, "Pump on setpoint"), 1);
    EXPECT_EQ(EntryInt(analyzer.get(), 28, "Pump"), 1);
    RunOnPage(analyzer.get(), IDD_CONFIG_SYNC, [&](wkit::Window& w, CConfigPropertySheet&) {
        EXPECT_EQ(w.CheckState(IDC_CONFIG_SYNC_ZERO), BST_CHECKED);
        EXPECT_EQ(w.CheckState(IDC_CONFIG_SYNC_REPORT), BST_UNCHECKED);
        w.PressCancel();
    });
}

TEST(ConfigSyncPage, OnlineThePumpSettingGoesOutBeforeTheSwitchAndAFailureKeepsThePage) {
    SheetKit kit;
    kit.SetOnline(true);
    ConfigScript script;
    script.sync = 0;
    script.switches.flags[ChannelSwitchStruct::Pump] = TRUE;
    ConfigScripted<CSindor23> analyzer(&script, "S23", nullptr, 1, 2, 0, 0, 0, 0, 0, 0);
    RunOnPage(&analyzer, IDD_CONFIG_SYNC, [&](wkit::Window& w, CConfigPropertySheet&) {
        EXPECT_EQ(w.CheckState(IDC_CONFIG_SYNC_REPORT), BST_CHECKED);
        EXPECT_EQ(w.CheckState(IDC_CONFIG_PUMP_ON), BST_CHECKED);
        EXPECT_EQ(w.CheckState(IDC_CONFIG_PUMP_MEAS), BST_CHECKED);
        w.Check(IDC_CONFIG_SYNC_ZERO);
        script.calls.clear();
        w.PressOK();
        EXPECT_EQ(script.calls, std::vector<std::string>{"SetPump(1,1,0)"});
        // The pump switch of this scripted analyzer has no device and fails: the page stays.
        EXPECT_TRUE(w.IsOpen());
        w.PressCancel();
    });
}

TEST(ConfigSyncPage, WhatIsUnreadOrNotTheModelsIsDisabled) {
    SheetKit kit;
    kit.SetOnline(true);
    {
        ConfigScript script;
        ConfigScripted<CParvel64> analyzer(&script, "P64", nullptr, 1, 1, 0, 0);
        analyzer.SetPumpPresent(1);
        RunOnPage(&analyzer, IDD_CONFIG_SYNC, [&](wkit::Window& w, CConfigPropertySheet&) {
            EXPECT_TRUE(w.IsEnabled(IDC_CONFIG_PUMP_ON));
            for (int id : {IDC_CONFIG_PUMP_ZERO, IDC_CONFIG_PUMP_MEAS, IDC_CONFIG_SYNC_ZERO,
                           IDC_CONFIG_SYNC_REPORT})
                EXPECT_FALSE(w.IsEnabled(id)) << id;
            w.PressCancel();
        });
        EXPECT_TRUE(script.CallsStartingWith("GetPump").empty());
    }
    {
        ConfigScript script;
        script.results["GetPump"] = 0;
        script.results["GetSwitches"] = 0;
        ConfigScripted<CSindor23> analyzer(&script, "S23", nullptr, 1, 2, 0, 0, 0, 0, 0, 0);
        RunOnPage(&analyzer, IDD_CONFIG_SYNC, [&](wkit::Window& w, CConfigPropertySheet&) {
            for (int id : {IDC_CONFIG_PUMP_ON, IDC_CONFIG_PUMP_ZERO, IDC_CONFIG_PUMP_MEAS,
                           IDC_CONFIG_SYNC_ZERO, IDC_CONFIG_SYNC_REPORT})
                EXPECT_FALSE(w.IsEnabled(id)) << id;
            w.PressCancel();
        });
    }
}

// ---- bus telegrams ---------------------------------------------------------------------------------

TEST(ConfigVaskPage, OnlineBroadcastThenNameThenTheMessageViewRebuilds) {
    SheetKit kit;
    kit.SetOnline(true);
    ConfigScript script;
    script.switches.flags[ChannelSwitchStruct::Broadcast] = TRUE;
    ConfigScripted<CLorvix6> analyzer(&script, "L6", nullptr, 1, 1, 0, 0);
    RunOnPage(&analyzer, IDD_CONFIG_VASK, [&](wkit::Window& w, CConfigPropertySheet&) {
        EXPECT_EQ(w.Text(IDC_CONFIG_CHANNEL_NAME), "TAG-1");
        EXPECT_EQ(w.CheckState(IDC_CONFIG_BROADCAST), BST_CHECKED);
        EXPECT_FALSE(w.IsEnabled(ID_APPLY_NOW)) << "showing what was read changes nothing";
        w.Check(IDC_CONFIG_BROADCAST, BST_UNCHECKED);
        w.SetText(IDC_CONFIG_CHANNEL_NAME, "TAG-2");
        script.calls.clear();
        w.PressOK();
    });
    EXPECT_EQ(script.calls, (std::vector<std::string>{"Broadcast(0)", "SetChannelName(TAG-2)"}));
    EXPECT_EQ(kit.frame.reloads, 1);
}

TEST(ConfigVaskPage, UnreadSettingsAreNotWrittenAndOfflineOnlyTheNameIsEditable) {
    SheetKit kit;
    kit.SetOnline(true);
    ConfigScript script;
    script.results["GetSwitches"] = 0;
    script.results["GetChannelName"] = 0;
    ConfigScripted<CLorvix6> analyzer(&script, "L6", nullptr, 1, 1, 0, 0);
    RunOnPage(&analyzer, IDD_CONFIG_VASK, [&](wkit::Window& w, CConfigPropertySheet&) {
        EXPECT_FALSE(w.IsEnabled(IDC_CONFIG_BROADCAST));
        EXPECT_FALSE(w.IsEnabled(IDC_CONFIG_CHANNEL_NAME));
        w.PressCancel();
    });

    kit.SetOnline(false);
    auto offline = MakeOffline("Lorvix 6", 1);
    RunOnPage(offline.get(), IDD_CONFIG_VASK, [&](wkit::Window& w, CConfigPropertySheet&) {
        EXPECT_FALSE(w.IsEnabled(IDC_CONFIG_BROADCAST));
        EXPECT_EQ(w.CheckState(IDC_CONFIG_BROADCAST), BST_UNCHECKED);
        w.SetText(IDC_CONFIG_CHANNEL_NAME, "STACK 3");
        w.PressOK();
    });
    CString name;
    offline->GetChannelName(name);
    EXPECT_EQ(std::string(name), "STACK 3");
}

// ---- heating -------------------------------------------------------------------------------------

TEST(ConfigHeatingPage, OnlineTheSettingWithFlagOneThenTheSwitch) {
    SheetKit kit;
    kit.SetOnline(true);
    ConfigScript script;
    script.heating = true;
    script.switches.flags[ChannelSwitchStruct::Heating] = TRUE;
    ConfigScripted<CParvel6> analyzer(&script, "P6", nullptr, 1, 1, 0, 1);
    RunOnPage(&analyzer, IDD_CONFIG_HEATING, [&](wkit::Window& w, CConfigPropertySheet&) {
        EXPECT_EQ(w.Text(IDC_CONFIG_HEATING_TEMP), "60");
        EXPECT_EQ(w.CheckState(IDC_CONFIG_HEATING_ON), BST_CHECKED);
        w.SetText(IDC_CONFIG_HEATING_TEMP, "70");
        script.calls.clear();
        w.PressOK();
    });
    EXPECT_EQ(script.calls, (std::vector<std::string>{"SetHeating(1,70)", "Heating(1)"}));
}

TEST(ConfigHeatingPage, AnUnreadTemperatureIsNeverWrittenAndBadTextKeepsThePage) {
    SheetKit kit;
    kit.SetOnline(true);
    ConfigScript script;
    script.heating = true;
    script.results["GetHeating"] = 0;
    ConfigScripted<CSindor6> analyzer(&script, "S6", nullptr, 1, 1, 0, 1);
    RunOnPage(&analyzer, IDD_CONFIG_HEATING, [&](wkit::Window& w, CConfigPropertySheet&) {
        EXPECT_FALSE(w.IsEnabled(IDC_CONFIG_HEATING_TEMP));
        w.Check(IDC_CONFIG_HEATING_ON);
        script.calls.clear();
        w.PressOK();
    });
    EXPECT_EQ(script.calls, std::vector<std::string>{"Heating(1)"}) << "no 0 °C";

    ConfigScript readable;
    readable.heating = true;
    ConfigScripted<CLorvix62> lorvix(&readable, "L62", nullptr, 1, 1, 0, 1);
    wkit::BoxRecorder boxes;
    RunOnPage(&lorvix, IDD_CONFIG_HEATING, [&](wkit::Window& w, CConfigPropertySheet&) {
        w.SetText(IDC_CONFIG_HEATING_TEMP, "warm");
        w.PressOK();
        EXPECT_TRUE(w.IsOpen());
        EXPECT_EQ(boxes.texts.size(), 1u);
        w.PressCancel();
    });
    EXPECT_TRUE(readable.CallsStartingWith("SetHeating").empty());
}

TEST(ConfigHeatingPage, OfflineTheEntriesHoldTheValues) {
    SheetKit kit;
    CParvel6 analyzer("P6", nullptr, 1, 1, 0, 1);
    RunOnPage(&analyzer, IDD_CONFIG_HEATING, [&](wkit::Window& w, CConfigPropertySheet&) {
        w.Check(IDC_CONFIG_HEATING_ON);
        w.SetText(IDC_CONFIG_HEATING_TEMP, "65");
        w.PressOK();
    });
    EXPECT_EQ(EntryInt(&analyzer, 35, "Heating"), 1);
    EXPECT_EQ(EntryInt(&analyzer, 35, "Nominal Temperature"), 65);
}

// ---- warm-up ------------------------------------------------------------------------------------

TEST(ConfigWarmUpPage, TicksRefreshUntilTheUserChoosesAndStandbyIsRefusedForType2) {
    SheetKit kit;
    kit.SetOnline(true);
    wkit::BoxRecorder boxes;
    ConfigScript script;
    script.instrumentType = 2;
    ConfigScripted<CQuenta6> analyzer(&script, "Q6", nullptr, 1, 1, 0, 0);
    RunOnPage(&analyzer, IDD_CONFIG_WARMUP, [&](wkit::Window& w, CConfigPropertySheet& sheet) {
        EXPECT_EQ(w.Selection(IDC_CONFIG_START_STATE), "Measuring");
        EXPECT_EQ(kit.frame.timerTarget, &sheet.m_warmUpPage);
        script.startingState = 3;
        ::SendMessageA(sheet.m_warmUpPage.m_hWnd, WM_TIMER, 1, 0);
        EXPECT_EQ(w.Selection(IDC_CONFIG_START_STATE), "Pause") << "a tick rereads";
        w.Pick(IDC_CONFIG_START_STATE, "Standby");
        script.startingState = 1;
        ::SendMessageA(sheet.m_warmUpPage.m_hWnd, WM_TIMER, 1, 0);
        EXPECT_EQ(w.Selection(IDC_CONFIG_START_STATE), "Standby") << "the user's choice stays";
        script.calls.clear();
        w.PressApply();
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], "Warmup state STANDBY is not allowed for QUENTA 6 G.");
        EXPECT_TRUE(script.CallsStartingWith("SetStartingState").empty());
        w.Pick(IDC_CONFIG_START_STATE, "Pause");
        w.PressApply();
        EXPECT_EQ(script.CallsStartingWith("SetStartingState"),
                  std::vector<std::string>{"SetStartingState(3)"});
        EXPECT_EQ(kit.frame.reloads, 1);
        ASSERT_TRUE(w.SelectPage(0));
        EXPECT_EQ(kit.frame.timerTarget, nullptr) << "left: no more ticks";
        w.PressCancel();
    });
}

TEST(ConfigWarmUpPage, AnUnreadTypeAllowsStandbyAndOfflineItIsStored) {
    SheetKit kit;
    kit.SetOnline(true);
    ConfigScript script;
    script.instrumentType = 2;
    script.results["GetInstrumentType"] = 0;
    ConfigScripted<CQuenta6> analyzer(&script, "Q6", nullptr, 1, 1, 0, 0);
    RunOnPage(&analyzer, IDD_CONFIG_WARMUP, [&](wkit::Window& w, CConfigPropertySheet&) {
        w.Pick(IDC_CONFIG_START_STATE, "Standby");
        w.PressOK();
    });
    EXPECT_EQ(script.CallsStartingWith("SetStartingState"),
              std::vector<std::string>{"SetStartingState(2)"});

    kit.SetOnline(false);
    auto offline = MakeOffline("Quenta 6", 1);
    RunOnPage(offline.get(), IDD_CONFIG_WARMUP, [&](wkit::Window& w, CConfigPropertySheet&) {
        EXPECT_EQ(w.Text(IDC_CONFIG_DEVICE_STATE), " ");
        EXPECT_EQ(w.Text(IDC_CONFIG_WARMUP_PHASE), "");
        w.Pick(IDC_CONFIG_START_STATE, "Standby");
        w.PressOK();
    });
    EXPECT_EQ(EntryInt(offline.get(), 33, "WarmUp Start State"), 2);
}

// ---- pressure settings -----------------------------------------------------------------------------

void SetTolerances(ConfigScript& script) {
    const double values[3] = {1, 2, 3};
    for (int i = 0; i < 3; ++i) {
        script.tolerances[i].value = values[i];
        script.tolerances[i].text.Format("%.1f", values[i]);
        script.tolerances[i].unit = 1;
    }
}

TEST(ConfigPressurePage, LabelsByTypeTypedTolerancesSurviveTicksAndAreWritten) {
    for (int type : {1, 2}) {
        SCOPED_TRACE("type " + std::to_string(type));
        SheetKit kit;
        kit.SetOnline(true);
        ConfigScript script;
        script.instrumentType = type;
        SetTolerances(script);
        ConfigScripted<CQuenta6> analyzer(&script, "Q6", nullptr, 1, 1, 0, 0);
        RunOnPage(&analyzer, IDD_CONFIG_PRESSURE,
                  [&](wkit::Window& w, CConfigPropertySheet& sheet) {
                      EXPECT_EQ(w.IsVisible(IDC_CONFIG_PUMP_TOL_LABEL), type != 2);
                      EXPECT_EQ(w.IsVisible(IDC_CONFIG_STANDBY_LABEL), type == 2);
                      EXPECT_EQ(w.Text(IDC_CONFIG_GAS_TOLERANCE).substr(0, 4), "2.0 ");
                      w.SetText(IDC_CONFIG_GAS_TOLERANCE, "2.5");
                      EXPECT_EQ(kit.frame.timerTarget, &sheet.m_pressurePage);
                      ::SendMessageA(sheet.m_pressurePage.m_hWnd, WM_TIMER, 1, 0);
                      EXPECT_EQ(w.Text(IDC_CONFIG_GAS_TOLERANCE), "2.5");
                      script.calls.clear();
                      w.PressOK();
                  });
        EXPECT_EQ(script.CallsStartingWith("SetPressureTolerances"),
                  std::vector<std::string>{"SetPressureTolerances(1.000,2.500,3.000)"});
    }
}

TEST(ConfigPressurePage, ATextThatIsNoNumberOrAFailedWriteKeepsThePage) {
    SheetKit kit;
    kit.SetOnline(true);
    wkit::BoxRecorder boxes;
    ConfigScript script;
    SetTolerances(script);
    script.results["SetPressureTolerances"] = 0;
    ConfigScripted<CQuenta6> analyzer(&script, "Q6", nullptr, 1, 1, 0, 0);
    RunOnPage(&analyzer, IDD_CONFIG_PRESSURE, [&](wkit::Window& w, CConfigPropertySheet&) {
        w.SetText(IDC_CONFIG_AIR_TOLERANCE, "high");
        w.PressOK();
        EXPECT_TRUE(w.IsOpen());
        EXPECT_EQ(boxes.texts, std::vector<std::string>{"Please enter a numeric value."});
        w.SetText(IDC_CONFIG_AIR_TOLERANCE, "4");
        w.PressOK();
        EXPECT_TRUE(w.IsOpen()) << "the write failed";
        EXPECT_TRUE(w.IsEnabled(ID_APPLY_NOW)) << "and the page stays modified";
        w.PressCancel();
    });
}

TEST(ConfigPressurePage, OfflineTheStandardLabelAndTheEntriesHoldTheTolerances) {
    SheetKit kit;
    auto analyzer = MakeOffline("Quenta 6", 1);
    RunOnPage(analyzer.get(), IDD_CONFIG_PRESSURE, [&](wkit::Window& w, CConfigPropertySheet&) {
        EXPECT_TRUE(w.IsVisible(IDC_CONFIG_PUMP_TOL_LABEL));
        EXPECT_FALSE(w.IsVisible(IDC_CONFIG_STANDBY_LABEL));
        EXPECT_EQ(w.Text(IDC_CONFIG_GAS_MEASURED), "");
        w.SetText(IDC_CONFIG_PUMP_TOLERANCE, "7.25");
        w.PressOK();
    });
    VaskFloat value;
    ASSERT_TRUE(ReadGroupEntry(analyzer.get(), 18, "Burngas Deviation", value, TRUE));
    EXPECT_EQ(value.value, 7.25);

    kit.SetAccessLevel(1);
    RunOnPage(analyzer.get(), IDD_CONFIG_PRESSURE, [&](wkit::Window& w, CConfigPropertySheet&) {
        for (int id :
             {IDC_CONFIG_GAS_TOLERANCE, IDC_CONFIG_AIR_TOLERANCE, IDC_CONFIG_PUMP_TOLERANCE})
            EXPECT_FALSE(w.IsEnabled(id)) << "below Specialist: " << id;
        w.PressCancel();
    });
}

}  // namespace
