// The main frame with an analyzer of the simulated bus on COM1 selected, online at access
// level 2: instrument mode switches the device to remote and back, a refused switch and a
// lost remote state give their boxes, the status bar's device queries report nothing and
// ask nothing while the document is busy, the state texts stay within their tables, and a
// reset goes to the analyzer.
#include "mainframe_fixture.h"

#include "analyzer_bus_fixture.h"

#include <algorithm>

namespace frametest {
namespace {

const char kRemoteFailed[] =
    "The instrument could not be set into the state \"Remote\". Possibly an other user is "
    "currently working with the instrument.\nOnly a restricted set of the diagnostic functions "
    "is availabe to you.";
const char kRemoteLost[] =
    "The instrument is not in the state \"Remote\" any more. Possibly an other user is "
    "currently working with the instrument.\nOnly a restricted set of the diagnostic functions "
    "is availabe to you.";
const int kQuenta6 = 5;

class MainFrameBus : public AnalyzerBusFixture, public FrameHarness {
protected:
    // One scan of the default scenario (devices 1 and 2) for the suite.
    static void SetUpTestSuite() { OpenLine({}, 2); }

    void SetUp() override {
        AnalyzerBusFixture::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(Sim("CLEARFAULTS"));
        ASSERT_TRUE(Sim("SET 1 remote 0"));
        ASSERT_TRUE(Sim("SET 1 state 4"));
        OpenFrame();
        SetMode(1);
        frame_->SetAccessLevel(2);
    }
    void TearDown() override {
        if (IsWindow(hFrame_)) doc_->SelectNode(NULL);
        if (app_) CloseFrame();
        Sim("CLEARFAULTS");
        if (analyzer_) analyzer_->Remote(0);
        analyzer_.reset();
    }

    // The analyzer of device 1, selected; a Quenta 6 for `typeCode` 5.
    CVaskInstrument* SelectAnalyzer(int typeCode = 0) {
        analyzer_ = Registered(1, 2, typeCode);
        doc_->SelectNode(analyzer_.get());
        Sim("CLEARLOG");
        return analyzer_.get();
    }

    // Whether the simulated device 1 is in remote state.
    bool DeviceRemote() {
        std::vector<std::string> lines;
        EXPECT_TRUE(sim_.Command("STATUS 1", &lines));
        return !lines.empty() && lines[0].find("remote=1") != std::string::npos;
    }
    // The telegrams to device 1 since the last CLEARLOG, as letter and function ("F1").
    std::vector<std::string> Telegrams() {
        std::vector<vasksim::SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries));
        std::vector<std::string> telegrams;
        for (const vasksim::SimLogEntry& e : entries)
            if (e.command != 0 && e.to == "1/0")
                telegrams.push_back(std::string(1, e.command) + std::to_string(e.function));
        return telegrams;
    }
    int Count(const std::vector<std::string>& texts, const std::string& text) {
        int n = 0;
        for (const std::string& t : texts) n += t == text;
        return n;
    }
    // The status bar refreshed until the instrument pane shows the text.
    bool InstrumentPaneShows(const std::string& text) {
        return wkit::Driver::PumpUntil(
            [&] {
                frame_->UpdateStatusBar();
                return PaneText(4) == text;
            },
            5000);
    }

    std::unique_ptr<CVaskInstrument> analyzer_;
};

TEST_F(MainFrameBus, InstrumentModeSwitchesTheDeviceToRemoteAndBack) {
    SelectAnalyzer();
    CToolBarCtrl& toolBar = frame_->GetToolBar().GetToolBarCtrl();

    Command(ID_EDIT_INSTRUMENT_DATA);
    EXPECT_TRUE(DeviceRemote());
    EXPECT_EQ(frame_->GetMenuId(), (UINT)IDR_INSTRUMENT_DATA);
    EXPECT_TRUE(frame_->IsInstrumentMode());
    for (UINT id : {ID_CREATE_NEW_DATA_SET, ID_LOAD_FROM_DISK, ID_SAVE_TO_DISK, ID_ADJUSTMENT,
                    ID_PARAMETERS, ID_CONFIGURATION, ID_RETURN_TO_MAIN_MENU, ID_PRINT_PARAMETERS})
        EXPECT_TRUE(toolBar.IsButtonEnabled(id)) << id;
    for (UINT id : {ID_EDIT_INSTRUMENT_DATA, ID_DIAGNOSTIC_VALUES, ID_DRIFT_VALUES})
        EXPECT_FALSE(toolBar.IsButtonEnabled(id)) << id;
    frame_->UpdateStatusBar();
    EXPECT_TRUE(PaneEnabled(5));

    Command(ID_RETURN_TO_MAIN_MENU);
    EXPECT_FALSE(DeviceRemote());
    EXPECT_EQ(frame_->GetMenuId(), (UINT)IDR_MAINFRAME);
    EXPECT_FALSE(frame_->IsInstrumentMode());
    for (UINT id : {ID_CREATE_NEW_DATA_SET, ID_ADJUSTMENT, ID_RETURN_TO_MAIN_MENU})
        EXPECT_FALSE(toolBar.IsButtonEnabled(id)) << id;
    for (UINT id : {ID_EDIT_INSTRUMENT_DATA, ID_DIAGNOSTIC_VALUES, ID_DRIFT_VALUES})
        EXPECT_TRUE(toolBar.IsButtonEnabled(id)) << id;
    frame_->UpdateStatusBar();
    EXPECT_FALSE(PaneEnabled(5));
    EXPECT_TRUE(boxes_.texts.empty());
    // The switches themselves report nothing.
    EXPECT_TRUE(host_.reports.empty());
    EXPECT_EQ(analyzer_->IsCommandReportEnabled(), 1);
}

TEST_F(MainFrameBus, ARefusedRemoteSwitchIsToldAndInstrumentModeStillBegins) {
    SelectAnalyzer();
    ASSERT_TRUE(Sim("FAULT 1 reject always ?? on=F1"));
    Command(ID_EDIT_INSTRUMENT_DATA);
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_EQ(boxes_.texts[0], kRemoteFailed);
    EXPECT_EQ(boxes_.types[0] & 0xF, (UINT)MB_OK);
    EXPECT_TRUE(frame_->IsInstrumentMode());
    EXPECT_EQ(frame_->GetMenuId(), (UINT)IDR_INSTRUMENT_DATA);
    EXPECT_TRUE(host_.reports.empty());
    ASSERT_TRUE(Sim("CLEARFAULTS"));
    Command(ID_RETURN_TO_MAIN_MENU);
    EXPECT_FALSE(frame_->IsInstrumentMode());
}

TEST_F(MainFrameBus, DiagnosticsAndDriftValuesHoldTheRemoteStateWhileTheirSheetRuns) {
    SelectAnalyzer();
    struct Case {
        UINT command;
        bool refuse;
        int answer;  // to the Remote-failure box
        std::vector<std::string> switches;
    } const cases[] = {
        {ID_DIAGNOSTIC_VALUES, false, IDOK, {"F1", "F1"}},
        {ID_DRIFT_VALUES, false, IDOK, {"F1", "F1"}},
        // Refused: Cancel ends the command, OK runs the sheet without switching back.
        {ID_DIAGNOSTIC_VALUES, true, IDCANCEL, {"F1"}},
        {ID_DRIFT_VALUES, true, IDOK, {"F1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        boxes_.texts.clear();
        boxes_.answers.push_back(c.answer);
        if (c.refuse) {
            ASSERT_TRUE(Sim("FAULT 1 reject always ?? on=F1"));
        }
        Sim("CLEARLOG");
        {
            // The sheet is closed as soon as it shows.
            wkit::Driver driver;
            driver.SetLimit(60000);
            for (const char* caption : {"Diagnostic values", "Drift values"})
                driver.OnEveryOpen(wkit::Caption(caption),
                                   [](wkit::Window& w) { w.PressCancel(); });
            Command(c.command);
        }
        // The remote switch as the device got it, on or off; while the sheet reads, the
        // access layer's keep-alive may ask a refusing device for remote once more, which is
        // the same switch again.
        std::vector<std::string> switches;
        std::vector<vasksim::SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries));
        for (const vasksim::SimLogEntry& e : entries)
            if (e.to == "1/0" && e.command == 'F' && e.function == 1 &&
                (switches.empty() || switches.back() != e.values))
                switches.push_back(e.values);
        EXPECT_EQ(switches.size(), c.switches.size());
        if (switches.size() == 2) {
            EXPECT_NE(switches[0], switches[1]);
        }
        EXPECT_EQ(boxes_.texts.size(), c.refuse ? 1u : 0u);
        if (c.refuse) {
            EXPECT_EQ(boxes_.types[0] & 0xF, (UINT)MB_OKCANCEL);
        }
        EXPECT_FALSE(DeviceRemote());
        EXPECT_EQ(frame_->GetTimerTarget(), nullptr);
        ASSERT_TRUE(Sim("CLEARFAULTS"));
    }
    boxes_.answers.clear();
}

TEST_F(MainFrameBus, ALostRemoteStateIsToldOnce) {
    SelectAnalyzer();
    Command(ID_EDIT_INSTRUMENT_DATA);
    ASSERT_TRUE(DeviceRemote());
    frame_->UpdateStatusBar();  // the remote state is seen
    ASSERT_TRUE(boxes_.texts.empty());

    // Another user takes the device: it leaves remote and refuses to come back.
    ASSERT_TRUE(Sim("FAULT 1 reject always ?? on=F1"));
    ASSERT_TRUE(Sim("SET 1 remote 0"));
    // The access object reads the switches anew once its copy is two seconds old.
    ASSERT_TRUE(wkit::Driver::PumpUntil(
        [&] {
            frame_->UpdateStatusBar();
            return !boxes_.texts.empty();
        },
        6000));
    frame_->UpdateStatusBar();
    wkit::Driver::Pump(300);  // the timer's refreshes as well
    EXPECT_EQ(Count(boxes_.texts, kRemoteLost), 1);
    EXPECT_EQ(boxes_.texts.size(), 1u);
    EXPECT_FALSE(PaneEnabled(5));
}

TEST_F(MainFrameBus, StatusQueriesReportNothingAndStateTextsStayInTheirTables) {
    CVaskInstrument* analyzer = SelectAnalyzer(kQuenta6);
    ASSERT_EQ(analyzer->IsCommandReportEnabled(), 1);
    ASSERT_TRUE(Sim("FAULT 1 reject always ?? on=k29"));
    // A rejected warm-up read with the report on is a report; the status bar's is not.
    WarmUpStatusType state = WarmUpStatusType(1);
    EXPECT_FALSE(analyzer->GetWarmUpState(state));
    ASSERT_EQ(host_.reports.size(), 1u);
    host_.reports.clear();
    EXPECT_TRUE(InstrumentPaneShows("Analyzer: Measure, No warm up state"));
    EXPECT_TRUE(host_.reports.empty());
    EXPECT_EQ(analyzer->IsCommandReportEnabled(), 1);
    EXPECT_TRUE(boxes_.texts.empty());
    ASSERT_TRUE(Sim("CLEARFAULTS"));

    struct Case {
        int channelState;
        const char* warmUpHex;
        const char* pane;
    } const cases[] = {
        {4, "0300", "Analyzer: Measure, Burning gas not OK"},
        {4, "0C00", "Analyzer: Measure"},  // warm-up state 12: no text
        {1, "0900", "Analyzer: Warm-up, Pump starting"},
        {30, "0300", "Analyzer"},  // channel state 30: no text, no warm-up either
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pane);
        ASSERT_TRUE(Sim("SET 1 state " + std::to_string(c.channelState)));
        ASSERT_TRUE(Sim(std::string("STORE 1 0 k29 ") + c.warmUpHex));
        EXPECT_TRUE(InstrumentPaneShows(c.pane)) << PaneText(4);
    }
}

TEST_F(MainFrameBus, ABusyDocumentIsNotAsked) {
    SelectAnalyzer(kQuenta6);
    KillTimer(hFrame_, frame_->GetTimerId());
    doc_->SetBusy(1);
    Sim("CLEARLOG");
    for (int i = 0; i < 3; ++i) frame_->UpdateStatusBar();
    EXPECT_EQ(Count(Telegrams(), "k29"), 0);
    doc_->SetBusy(0);
    frame_->UpdateStatusBar();
    EXPECT_EQ(Count(Telegrams(), "k29"), 1);
}

TEST_F(MainFrameBus, ResetGoesToTheAnalyzerAndTakesRemoteAgain) {
    SelectAnalyzer();
    ASSERT_TRUE(IsEnabled(ID_RESET_INSTRUMENT));
    Command(ID_RESET_INSTRUMENT);
    const std::vector<std::string> telegrams = Telegrams();
    const auto reset = std::find(telegrams.begin(), telegrams.end(), "Z1");
    ASSERT_NE(reset, telegrams.end());
    EXPECT_NE(std::find(reset, telegrams.end(), "F1"), telegrams.end());
    EXPECT_TRUE(DeviceRemote());
    EXPECT_TRUE(boxes_.texts.empty());

    // A converter selected: nothing goes on the bus.
    CInstrument converter("Converter");
    doc_->SelectNode(&converter);
    Sim("CLEARLOG");
    Command(ID_RESET_INSTRUMENT);
    EXPECT_TRUE(Telegrams().empty());
    doc_->SelectNode(NULL);
}

}  // namespace
}  // namespace frametest
