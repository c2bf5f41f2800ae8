// The adjustment sheet against the analyzer simulator on COM1, driven as the user does: an
// AUTOCAL step applied reaches the device's sequence, a zero calibration started from the
// grid runs its stage or returns to measuring by the prompt's answer, the O2 rate of rise
// follows the firmware, and the forwarded timer refreshes the measured values.
#include "adjustmentsheet.h"
#include "analyzer_bus_fixture.h"
#include "gridtest_support.h"
#include "resource.h"
#include "sheetkit.h"
#include "window_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const int kSindor6 = 1;
const int kSindor23 = 2;

// The hex of a text reply value as the simulator stores it.
std::string TextValue(const std::string& text) {
    std::string hex;
    char buf[3];
    for (unsigned char ch : text) {
        snprintf(buf, sizeof buf, "%02X", ch);
        hex += buf;
    }
    return hex + "000100";
}

class AdjustOnTheBus : public AnalyzerBusFixture {
protected:
    static void SetUpTestSuite() {
        // The Sindor 23's O2 sensor answers on channel 3.
        OpenLine({"DEVICE 1 type=1 components=2", "DEVICE 2 type=4 components=4",
                  "SET 1 optioncard 2", "SET 1 remote 1", "SET 2 remote 1"},
                 kSindor23);
    }

    void Run(CVaskInstrument& analyzer, int page,
             const std::function<void(wkit::Window&, CAdjustmentSheet&)>& script) {
        CAdjustmentSheet sheet(&analyzer);
        sheet.SetActivePage(page);
        driver.OnOpen(wkit::Class(RUNTIME_CLASS(CAdjustmentSheet)),
                      [&](wkit::Window& w) { script(w, sheet); });
        sheet.DoModal();
    }
    // The telegrams of the log among `wanted` ("Z5 1/0"), in order.
    std::vector<std::string> Logged(std::initializer_list<const char*> wanted) {
        std::vector<std::string> out;
        for (const std::string& t : Telegrams())
            for (const char* w : wanted)
                if (t == w) out.push_back(t);
        return out;
    }
    static void PressCellButton(CParamGrid& grid, int col, int row) {
        grid.OnCellTypeNotify(grid.GetParamCellTypeIndex(), col, row, 100, 0);
    }

    SheetKit kit;
    wkit::Driver driver;

    void SetUp() override {
        AnalyzerBusFixture::SetUp();
        kit.SetOnline(true);
        driver.SetLimit(60000);
    }
};

TEST_F(AdjustOnTheBus, AnAutocalStepAppliedIsInTheDevicesSequence) {
    CSindor6 analyzer("Sindor 6", s_access, kSindor6, 2, 0, 0);
    ASSERT_TRUE(analyzer.Remote(1));
    Run(analyzer, 2, [&](wkit::Window& w, CAdjustmentSheet&) {
        EXPECT_FALSE(w.IsVisible(IDC_ACAL_NO_BOARD));
        CListCtrlEx* pList = (CListCtrlEx*)CWnd::FromHandlePermanent(w.Control(IDC_ACAL_SEQUENCE));
        ASSERT_EQ(pList->GetItemCount(), 12);
        pList->SetItemState(-1, 0, LVIS_SELECTED);
        pList->SelectItem(2);
        w.Pick(IDC_ACAL_STEPS, "Span gas 2");
        w.SetText(IDC_ACAL_STEP_TIME, "90");
        w.Click(IDC_ACAL_ASSIGN);
        w.PressApply();
        w.PressCancel();
    });
    analyzer.Remote(0);
    EXPECT_TRUE(kit.reports.empty()) << kit.reports.front();
    // Twelve byte values, each with its NUL: the third is the step's type.
    const std::string steps = Read(kSindor6, 0, "s12");
    ASSERT_EQ(steps.size(), 48u) << steps;
    EXPECT_EQ(steps.substr(8, 2), "05") << steps;
    const std::vector<double> times = Floats(Read(kSindor6, 0, "w7"));
    ASSERT_GE(times.size(), 3u);
    EXPECT_EQ(times[2], 90);
}

TEST_F(AdjustOnTheBus, AZeroCalibrationFromTheGridRunsItsStageOrMeasures) {
    CSindor6 analyzer("Sindor 6", s_access, kSindor6, 2, 0, 0);
    // Taken in remote control by the program, so that the line keeps it there.
    ASSERT_TRUE(analyzer.Remote(1));
    for (int answer : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(answer);
        ASSERT_EQ(analyzer.GetState(), 2);
        driver.AnswerBox("to start the calibration", answer);
        Run(analyzer, 0, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
            Sim("CLEARLOG");
            PressCellButton(sheet.m_rangePage.GetGrid(), 1, 1);
            w.PressCancel();
        });
        // The closing asks nothing: the stage ran, or the channel measures again.
        EXPECT_EQ(Logged({"Z5 1/1", "S13 1/1", "Z4 1/0"}),
                  (std::vector<std::string>{"Z5 1/1", answer == IDOK ? "S13 1/1" : "Z4 1/0"}));
        EXPECT_EQ(analyzer.GetChannelState(), 4);
    }
    analyzer.Remote(0);
}

TEST_F(AdjustOnTheBus, ClosingInACalibrationReturnsTheChannelToMeasuring) {
    CSindor6 analyzer("Sindor 6", s_access, kSindor6, 2, 0, 0);
    ASSERT_TRUE(analyzer.AdjustZeroPoint(0));
    ASSERT_EQ(analyzer.GetChannelState(), 5);
    driver.AnswerBox("\"Zero calibration\" will be cancelled", IDOK);
    Run(analyzer, 1, [&](wkit::Window& w, CAdjustmentSheet&) { w.Close(); });
    EXPECT_EQ(analyzer.GetChannelState(), 4);
    EXPECT_FALSE(Logged({"Z4 1/0"}).empty());
}

TEST_F(AdjustOnTheBus, TheO2RateOfRiseFollowsTheFirmware) {
    struct Case {
        const char* firmware;
        bool newCommands;
    } cases[] = {{"2.14.2", false}, {"2.14.3", true}, {"2.15.0", true}, {"3.0.0", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firmware);
        std::string versions = TextValue(c.firmware);
        for (int i = 0; i < 5; ++i) versions += TextValue("1.0.0");
        ASSERT_TRUE(Sim("STORE 2 0 k28 " + versions));
        CSindor23 analyzer("Sindor 23", s_access, kSindor23, 2, 0, 1, 0, 0, 0, 0);
        driver.AnswerBox("to start the calibration", IDOK);
        Run(analyzer, 0, [&](wkit::Window& w, CAdjustmentSheet&) {
            Sim("CLEARLOG");
            w.Click(IDC_ADJ_O2_RISE);
            w.PressCancel();
        });
        const std::vector<std::string> expected =
            c.newCommands ? std::vector<std::string>{"W89 2/3", "Z24 2/3", "S13 2/0"}
                          : std::vector<std::string>{"Z5 2/0", "S13 2/0"};
        EXPECT_EQ(Logged({"W89 2/3", "Z24 2/3", "Z5 2/0", "S13 2/0"}), expected);
    }
}

TEST_F(AdjustOnTheBus, ForwardedTicksShowTheDevicesMeasuredValue) {
    CSindor6 analyzer("Sindor 6", s_access, kSindor6, 2, 0, 0);
    Run(analyzer, 0, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
        ASSERT_TRUE(Sim("SET 1 meas 0 42 0"));
        ASSERT_EQ(kit.frame.timerTarget, &sheet.m_rangePage);
        CAdjustRangeGrid& grid = sheet.m_rangePage.GetGrid();
        // The access layer keeps measured values for a moment: ticks until the new one shows.
        EXPECT_TRUE(wkit::Driver::PumpUntil(
            [&] {
                ::SendMessageA(sheet.m_rangePage.m_hWnd, WM_TIMER, 1, 0);
                return Text(grid, 0, 0).compare(0, 2, "42") == 0;
            },
            10000))
            << Text(grid, 0, 0);
        w.PressCancel();
    });
}

}  // namespace
