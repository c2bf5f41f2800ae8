// The diagnostics sheet against the analyzer simulator on COM1: the device's logbook read,
// an entry acknowledged by its own number after a row was left out, a logbook that ends at
// its end mark or at a refused read without a message, and the sheet closed
// while the diagnostic values thread waits for a slow answer.
#include "analyzer_bus_fixture.h"
#include "diagnosticspropertysheet.h"
#include "resource.h"
#include "sheetkit.h"
#include "window_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <string>
#include <vector>

namespace {

const int kSindor6 = 2;
const int kQuenta6 = 3;
// A Sindor 6 of its own for the values page: the device caches the air pressure it read.
const int kSindor6Values = 4;

std::atomic<int> g_started{0}, g_ended{0};
void CountThreads(BOOL bStarting, BOOL) { ++(bStarting ? g_started : g_ended); }

class DiagnosticsOnTheBus : public AnalyzerBusFixture {
protected:
    static void SetUpTestSuite() {
        OpenLine({"DEVICE 2 type=1 components=2", "SET 2 remote 1", "LOGBOOK 2 clear",
                  "LOGBOOK 2 add 1 1 1", "LOGBOOK 2 add 7 1 1", "LOGBOOK 2 add 18 1 0",
                  "LOGBOOK 2 add 255 0 0", "DEVICE 3 type=3 components=1",
                  "DEVICE 4 type=1 components=1"},
                 kSindor6Values);
    }
    int Count(const std::string& part) {
        const std::vector<std::string> t = Telegrams();
        return (int)std::count_if(t.begin(), t.end(), [&](const std::string& s) {
            return s.find(part) != std::string::npos;
        });
    }
};

TEST_F(DiagnosticsOnTheBus, TheLogbookIsReadAndTheRightEntryAcknowledged) {
    SheetKit kit;
    kit.SetOnline(true);
    CSindor6 analyzer("Sindor 6", s_access, kSindor6, 2, 0, 0);
    ASSERT_TRUE(Sim("SET 2 remote 1"));
    ASSERT_TRUE(wkit::Driver::PumpUntil([&] { return analyzer.GetState() == 2; }, 5000));
    wkit::Driver driver;
    driver.SetLimit(60000);
    CDiagnosticsPropertySheet sheet(&analyzer);
    driver.OnOpen(wkit::Template(IDD_DIAG_STATE), [&](wkit::Window& w) {
        CListCtrlEx* pList = (CListCtrlEx*)CWnd::FromHandlePermanent(w.Control(IDC_DIAG_LOGBOOK));
        // Entry 2 (message 7) has no text; the end mark stops the reading.
        ASSERT_EQ(pList->GetItemCount(), 2);
        EXPECT_EQ(std::string(pList->GetItemText(0, 1)), "Parameter memory");
        EXPECT_EQ(std::string(pList->GetItemText(1, 1)), "Zero calibration reserve < 20%");
        EXPECT_EQ(std::string(pList->GetItemText(1, 3)), "no");
        EXPECT_EQ(Count("k10 2/0"), 4);
        EXPECT_TRUE(w.IsEnabled(IDC_DIAG_CONFIRM));
        Sim("CLEARLOG");
        pList->SelectItem(1);
        w.Click(IDC_DIAG_CONFIRM);
        EXPECT_EQ(std::string(pList->GetItemText(1, 3)), "yes");
        w.PressCancel();
    });
    sheet.DoModal();
    // The third entry of the device carries the acknowledgement, the second does not.
    vasksim::SimClient sim;
    ASSERT_TRUE(sim.Connect());
    std::vector<std::string> lines;
    ASSERT_TRUE(sim.Command("LOGBOOK 2", &lines));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "number=7 second=1 flags=1");
    EXPECT_EQ(lines[2], "number=18 second=1 flags=2");
}

TEST_F(DiagnosticsOnTheBus, ALogbookEndsAtItsEndMarkOrAtAFailedReadWithoutAMessage) {
    SheetKit kit;
    kit.SetOnline(true);
    wkit::BoxRecorder boxes;
    CQuenta6 analyzer("Quenta 6", s_access, kQuenta6, 1, 0, 0);
    ASSERT_TRUE(analyzer.IsCommandReportEnabled());
    // The device's own logbook of two entries, then its end mark; then a device that refuses
    // the first entry.
    for (const bool refused : {false, true}) {
        SCOPED_TRACE(refused ? "refused" : "end mark");
        if (refused) {
            ASSERT_TRUE(Sim("FAULT 3 reject always DE on=k10"));
        }
        Sim("CLEARLOG");
        wkit::Driver driver;
        driver.SetLimit(60000);
        CDiagnosticsPropertySheet sheet(&analyzer);
        driver.OnOpen(wkit::Template(IDD_DIAG_STATE), [&](wkit::Window& w) {
            CListCtrlEx* pList =
                (CListCtrlEx*)CWnd::FromHandlePermanent(w.Control(IDC_DIAG_LOGBOOK));
            if (refused) {
                EXPECT_EQ(pList->GetItemCount(), 0);
                EXPECT_EQ(Count("k10 3/0"), 1);
            } else {
                ASSERT_EQ(pList->GetItemCount(), 2);
                EXPECT_EQ(std::string(pList->GetItemText(0, 1)), "Power supply");
                EXPECT_EQ(std::string(pList->GetItemText(1, 1)), "Autocal check difference");
                EXPECT_EQ(Count("k10 3/0"), 3);
            }
            w.PressCancel();
        });
        sheet.DoModal();
        EXPECT_TRUE(kit.reports.empty()) << kit.reports.front();
        EXPECT_TRUE(boxes.texts.empty());
        // Other failures of the analyzer are still reported.
        EXPECT_TRUE(analyzer.IsCommandReportEnabled());
    }
    Sim("CLEARFAULTS 3");
}

// Each value with the unit of what it is: no temperature sign beside a deviation, a signal,
// a pressure or a voltage.
TEST_F(DiagnosticsOnTheBus, TheValuesShowTheUnitsOfWhatTheyAre) {
    SheetKit kit;
    kit.SetOnline(true);
    CQuenta6 quenta("Quenta 6", s_access, kQuenta6, 1, 0, 0);
    CSindor6 sindor("Sindor 6", s_access, kSindor6Values, 1, 0, 0);
    const std::string celsius = " \xB0" "C";
    struct Case {
        CVaskInstrument* analyzer;
        int rows;
        std::vector<std::pair<std::string, std::string>> units;  // name, unit of its value
    } const cases[] = {
        {&quenta,
         14,
         {{"Physics Temperature", celsius},
          {"Chamber Raw Signal", " pA"},
          {"Analog Input", " mA"},
          {"Burngas Pressure", " mbar"},
          {"Burnair Pressure", " mbar"},
          {"Adapterb. Ref.-voltage", " V"}}},
        {&sindor,
         6,
         {{"Barometric Pressure", " hPa"},
          {"Chopper Freq.", " Hz"},
          {"Chopper Dev.", " %"},
          {"Detector Temp.", celsius},
          {"Heating Temp.", celsius}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.analyzer->GetName()));
        wkit::Driver driver;
        driver.SetLimit(60000);
        CDiagnosticsPropertySheet sheet(c.analyzer);
        sheet.SetActivePage(2);
        driver.OnOpen(wkit::Template(IDD_DIAG_VALUES), [&](wkit::Window& w) {
            ASSERT_TRUE(
                wkit::Driver::PumpUntil([&] { return !sheet.m_valuesPage.IsBusy(); }, 30000));
            CListCtrl* pList =
                (CListCtrl*)CWnd::FromHandlePermanent(w.Control(IDC_DIAG_VALUE_LIST));
            ASSERT_EQ(pList->GetItemCount(), c.rows);
            std::map<std::string, std::string> shown;
            for (int r = 0; r < c.rows; ++r)
                shown[(LPCSTR)pList->GetItemText(r, 0)] = (LPCSTR)pList->GetItemText(r, 1);
            for (const auto& [name, unit] : c.units) {
                ASSERT_TRUE(shown.count(name)) << name;
                const std::string& text = shown[name];
                EXPECT_TRUE(text.size() > unit.size() &&
                            text.compare(text.size() - unit.size(), unit.size(), unit) == 0)
                    << name << ": " << text;
            }
            w.PressCancel();
        });
        sheet.DoModal();
    }
}

TEST_F(DiagnosticsOnTheBus, ClosingWhileADiagnosticReadIsSlowEndsTheThreadFirst) {
    SheetKit kit;
    kit.SetOnline(true);
    g_started = g_ended = 0;
    DiagThreadObserver previous = SetDiagThreadObserver(&CountThreads);
    CSindor6 analyzer("Sindor 6", s_access, kSindor6, 2, 0, 0);
    ASSERT_TRUE(Sim("SET 2 remote 1"));
    ASSERT_TRUE(wkit::Driver::PumpUntil([&] { return analyzer.GetState() == 2; }, 5000));
    // Every answer of the device comes a second late from now on.
    ASSERT_TRUE(Sim("FAULT 2 slow always 1000"));
    {
        wkit::Driver driver;
        driver.SetLimit(60000);
        CDiagnosticsPropertySheet sheet(&analyzer);
        sheet.SetActivePage(2);
        driver.OnOpen(wkit::Template(IDD_DIAG_VALUES), [&](wkit::Window& w) {
            EXPECT_TRUE(sheet.m_valuesPage.IsBusy());
            w.PressCancel();
        });
        sheet.DoModal();
        EXPECT_EQ(g_ended.load(), g_started.load());
    }
    Sim("CLEARFAULTS 2");
    SetDiagThreadObserver(previous);
    EXPECT_EQ(g_started.load(), 1);
    EXPECT_EQ(g_ended.load(), 1);
    // The read under way when the sheet closed (the frequency) was the last: none of the
    // model's diagnostic values after it was asked for.
    for (const std::string& t : Telegrams())
        EXPECT_TRUE(t[0] != 'h' && t[0] != 'i' && t[0] != 'j') << t;
}

}  // namespace
