// The clock dialog against the analyzer simulator on COM1, under a main window that answers
// the access level a test sets: the clock read when the dialog opens, the time written on
// OK at level 2, read-only fields and no write below it, offline zeros, the range checks
// of every field, dates that do not exist, failed reads and writes, and help.
#include "bus_dialog_fixture.h"
#include "clockdlg.h"
#include "resource.h"
#include "window_kit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using vasksim::SimLogEntry;

namespace {

CWinApp theApp("KorvanGA clock test");

const int kDevice = 1;
const int kFields[] = {IDC_CLOCK_DAY, IDC_CLOCK_MONTH, IDC_CLOCK_YEAR, IDC_CLOCK_HOUR,
                       IDC_CLOCK_MINUTE};

// The five fields as the dialog shows them: day, month, year, hour, minute.
std::vector<std::string> Shown(wkit::Window& w) {
    std::vector<std::string> texts;
    for (int id : kFields) texts.push_back(w.Text(id));
    return texts;
}

void Enter(wkit::Window& w, const std::vector<std::string>& values) {
    for (size_t i = 0; i < values.size(); ++i) w.SetText(kFields[i], values[i]);
}

std::string Range(int low, int high) {
    return "Enter a whole number from " + std::to_string(low) + " to " + std::to_string(high) + ".";
}

class ClockDialog : public BusDialogFixture {
protected:
    void SetUp() override {
        BusDialogFixture::SetUp();
        analyzer = Analyzer(kDevice, 1);
    }
    void TearDown() override {
        BusDialogFixture::TearDown();
        Sim("CLEARFAULTS");
    }

    // The device's clock set through the analyzer; the log starts after it.
    void SetClock(const CTime& time) {
        ASSERT_EQ(1, analyzer->SetDate(time));
        Sim("CLEARLOG");
    }
    CTime Clock() {
        CTime time;
        EXPECT_EQ(1, analyzer->GetDate(time));
        return time;
    }
    // Clock reads and writes that reached the device since the log was cleared.
    std::vector<std::string> ClockRequests() {
        std::vector<SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries)) << sim_.LastError();
        std::vector<std::string> requests;
        for (const SimLogEntry& e : entries)
            if (e.function == 16 && (e.command == 'w' || e.command == 'W'))
                requests.push_back(std::string(1, e.command) + "16 " + e.to);
        return requests;
    }
    int Run(int level, wkit::Script script) {
        frame->level = level;
        wkit::Driver driver;
        driver.OnOpen(wkit::Template(IDD_CLOCK), script);
        CClockDlg dialog(analyzer.get());
        return dialog.DoModal();
    }

    std::unique_ptr<CVaskInstrument> analyzer;
    wkit::BoxRecorder boxes;
};

TEST_F(ClockDialog, ASpecialistSeesTheClockAndSetsItToTheMinute) {
    SetClock(CTime(2024, 5, 17, 8, 9, 0));
    const int result = Run(2, [&](wkit::Window& w) {
        EXPECT_EQ("Clock Settings", w.Caption());
        EXPECT_EQ((std::vector<std::string>{"17", "5", "2024", "8", "9"}), Shown(w));
        for (int id : kFields) EXPECT_TRUE(w.IsEnabled(id)) << id;
        Enter(w, {"3", "11", "2031", "22", "45"});
        w.PressOK();
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(boxes.texts.empty());
    const std::string to = std::to_string(kDevice) + "/0";
    EXPECT_EQ((std::vector<std::string>{"w16 " + to, "W16 " + to}), ClockRequests());
    EXPECT_EQ(CTime(2031, 11, 3, 22, 45, 0), Clock());
    EXPECT_EQ(0, Clock().GetSecond());
    EXPECT_TRUE(host_.reports.empty());
}

TEST_F(ClockDialog, ADateThatDoesNotExistIsRefusedByNameAndNothingIsWritten) {
    SetClock(CTime(2024, 1, 1, 0, 0, 0));
    struct Case {
        std::vector<std::string> values;
        std::string date;
    };
    const Case cases[] = {
        {{"31", "2", "2026", "14", "30"}, "31.02.2026"},
        {{"29", "2", "2025", "10", "0"}, "29.02.2025"},
        {{"30", "2", "2024", "10", "0"}, "30.02.2024"},
        {{"31", "4", "2024", "10", "0"}, "31.04.2024"},
        {{"31", "11", "2035", "23", "59"}, "31.11.2035"},
        {{"29", "2", "2100", "0", "0"}, ""},  // beyond the year's range: the range message
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values[0] + "." + c.values[1] + "." + c.values[2]);
        boxes.texts.clear();
        Sim("CLEARLOG");
        EXPECT_EQ(IDCANCEL, Run(3, [&](wkit::Window& w) {
                      Enter(w, c.values);
                      w.PressOK();
                      EXPECT_TRUE(w.IsOpen());
                      w.PressCancel();
                  }));
        ASSERT_EQ(1u, boxes.texts.size());
        if (!c.date.empty()) {
            EXPECT_EQ("The date " + c.date + " does not exist. Nothing was written to the instrument.",
                      boxes.texts[0]);
        }
        EXPECT_EQ((std::vector<std::string>{"w16 1/0"}), ClockRequests());
    }
    EXPECT_EQ(CTime(2024, 1, 1, 0, 0, 0), Clock());
    // The last day of February of a leap year and of every other month exists.
    boxes.texts.clear();
    for (const auto& date : std::vector<std::vector<int>>{{29, 2, 2024}, {28, 2, 2026}, {30, 4, 2024},
                                                          {31, 12, 2030}, {29, 2, 2000}}) {
        EXPECT_EQ(IDOK, Run(2, [&](wkit::Window& w) {
                      Enter(w, {std::to_string(date[0]), std::to_string(date[1]),
                                std::to_string(date[2]), "10", "0"});
                      w.PressOK();
                  }));
        EXPECT_EQ(CTime(date[2], date[1], date[0], 10, 0, 0), Clock());
    }
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(ClockDialog, BelowSpecialistTheClockIsShownReadOnlyAndOKWritesNothing) {
    SetClock(CTime(2019, 12, 31, 23, 59, 0));
    for (int level : {0, 1}) {
        Sim("CLEARLOG");
        EXPECT_EQ(
            IDOK, Run(level, [&](wkit::Window& w) {
                EXPECT_EQ((std::vector<std::string>{"31", "12", "2019", "23", "59"}), Shown(w));
                for (int id : kFields) EXPECT_FALSE(w.IsEnabled(id)) << id;
                w.PressOK();
            }));
        EXPECT_EQ((std::vector<std::string>{"w16 1/0"}), ClockRequests()) << level;
    }
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(ClockDialog, OfflineTheFieldsStayZeroAndOKStopsAtTheDay) {
    host_.SetMode(0);
    for (int level : {1, 2}) {
        boxes.texts.clear();
        EXPECT_EQ(IDCANCEL, Run(level, [&](wkit::Window& w) {
                      EXPECT_EQ((std::vector<std::string>{"0", "0", "0", "0", "0"}), Shown(w));
                      EXPECT_EQ(level >= 2, w.IsEnabled(IDC_CLOCK_DAY));
                      w.PressOK();
                      EXPECT_TRUE(w.IsOpen());
                      w.PressCancel();
                  }));
        ASSERT_EQ(1u, boxes.texts.size()) << level;
        EXPECT_EQ(Range(1, 31), boxes.texts[0]);
    }
    // Offline a specialist's valid time closes the dialog without a request either.
    EXPECT_EQ(IDOK, Run(2, [&](wkit::Window& w) {
                  Enter(w, {"1", "1", "2030", "0", "0"});
                  w.PressOK();
              }));
    EXPECT_TRUE(ClockRequests().empty());
}

TEST_F(ClockDialog, AValueOutOfItsRangeGivesOneMessageAndNoWrite) {
    SetClock(CTime(2024, 6, 1, 12, 0, 0));
    struct Case {
        std::vector<std::string> values;
        std::string message;
    };
    const Case cases[] = {
        {{"45", "6", "2024", "12", "0"}, Range(1, 31)},
        {{"0", "6", "2024", "12", "0"}, Range(1, 31)},
        {{"1", "13", "2024", "12", "0"}, Range(1, 12)},
        // The device keeps two digits of the year and reads back 1970 to 2035 only.
        {{"1", "6", "1979", "12", "0"}, Range(1980, 2035)},
        {{"1", "6", "2036", "12", "0"}, Range(1980, 2035)},
        {{"1", "6", "32767", "12", "0"}, Range(1980, 2035)},
        {{"1", "6", "2024", "24", "0"}, Range(0, 23)},
        {{"1", "6", "2024", "12", "60"}, Range(0, 59)},
    };
    for (const Case& c : cases) {
        boxes.texts.clear();
        Sim("CLEARLOG");
        EXPECT_EQ(IDCANCEL, Run(2, [&](wkit::Window& w) {
                      Enter(w, c.values);
                      w.PressOK();
                      EXPECT_TRUE(w.IsOpen());
                      w.PressCancel();
                  }));
        EXPECT_EQ((std::vector<std::string>{c.message}), boxes.texts) << c.values[0];
        EXPECT_EQ((std::vector<std::string>{"w16 1/0"}), ClockRequests()) << c.values[0];
    }
    // The bounds themselves pass.
    EXPECT_EQ(IDOK, Run(2, [&](wkit::Window& w) {
                  Enter(w, {"1", "1", "1980", "0", "0"});
                  w.PressOK();
              }));
    EXPECT_EQ(CTime(1980, 1, 1, 0, 0, 0), Clock());
    EXPECT_EQ(IDOK, Run(2, [&](wkit::Window& w) {
                  Enter(w, {"31", "12", "2035", "23", "59"});
                  w.PressOK();
              }));
    EXPECT_EQ(CTime(2035, 12, 31, 23, 59, 0), Clock());
}

TEST_F(ClockDialog, AFailedReadLeavesZerosAndAFailedWriteKeepsTheDialogOpen) {
    ASSERT_TRUE(Sim("FAULT 1 reject always ?? on=w16"));
    EXPECT_EQ(IDCANCEL, Run(2, [&](wkit::Window& w) {
                  EXPECT_EQ((std::vector<std::string>{"0", "0", "0", "0", "0"}), Shown(w));
                  w.PressCancel();
              }));
    EXPECT_EQ(1u, host_.reports.size());
    ASSERT_TRUE(Sim("CLEARFAULTS"));

    SetClock(CTime(2024, 6, 1, 12, 0, 0));
    ASSERT_TRUE(Sim("FAULT 1 reject always ?? on=W16"));
    host_.reports.clear();
    EXPECT_EQ(IDCANCEL, Run(2, [&](wkit::Window& w) {
                  Enter(w, {"2", "6", "2024", "12", "0"});
                  w.PressOK();
                  EXPECT_TRUE(w.IsOpen());
                  w.PressCancel();
              }));
    EXPECT_EQ(1u, host_.reports.size());
    EXPECT_TRUE(boxes.texts.empty());
    ASSERT_TRUE(Sim("CLEARFAULTS"));
    EXPECT_EQ(CTime(2024, 6, 1, 12, 0, 0), Clock());
}

TEST_F(ClockDialog, F1OnAFieldAsksForItsPopUpHelp) {
    wkit::HelpRecorder help;
    host_.SetMode(0);
    Run(2, [&](wkit::Window& w) {
        w.HelpOn(IDC_CLOCK_YEAR);
        w.PressCancel();
    });
    EXPECT_TRUE(help.Has(HELP_CONTEXTPOPUP, 0x50000 + IDC_CLOCK_YEAR));
}

}  // namespace
