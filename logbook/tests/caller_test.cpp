// The program's use of the writer, in the program's order: its document owns the writer
// and sets it up; its settings command sets the stamp's time format and, when the sheet is
// confirmed with user flag 0 set, starts the logging thread; the thread writes a row each
// cycle until the document stops logging or the time window ends; the document destroys
// the writer with itself.
#include "test_support.h"
#include "window_kit.h"

#include <atomic>
#include <thread>

namespace {

const char kKey[] = "Software\\Talvern\\Korvan GA\\nura Protocol";

class Document {
public:
    Document() {
        protocol.SetRegistryKey(HKEY_CURRENT_USER, "Talvern\\Korvan GA");
        protocol.UsePropertyPage(1, TRUE);
        int index = protocol.AddPropertyPage(&loggingPage);
        protocol.UsePropertyPage(index, TRUE);
        protocol.SetUserFlagName(0, "Start protocol");
        protocol.SetUserFlag(0, TRUE);
    }

    CnuraProtocol protocol;
    CCallerPage loggingPage;  // stands for the program's page of logged analyzers
    std::atomic<bool> logging{false};
};

// The logging thread's loop: it polls without waiting, takes its time in whole seconds and
// writes one row of fields when a cycle has passed.
class LoggingThread {
public:
    explicit LoggingThread(Document& doc) : doc_(doc), polledAt_(-1) {}
    ~LoggingThread() {
        if (thread_.joinable()) thread_.join();
    }

    void Start() {
        doc_.logging = true;
        thread_ = std::thread([this] { Run(); });
    }
    // Waits until a pass has run at the clock's present time, or the thread has ended.
    bool PolledNow() {
        DWORD deadline = GetTickCount() + 10000;
        while (GetTickCount() < deadline) {
            if (polledAt_ == (long long)testclock::Now().GetTime() || ended_) return true;
            Sleep(1);
        }
        return false;
    }
    bool Ended() const { return ended_; }
    void Join() { thread_.join(); }

private:
    void Run() {
        CnuraProtocol& p = doc_.protocol;
        const long long cycle = p.GetCycleTime() / 1000;
        p.Start();
        CTime last = testclock::Now();
        bool running = true;
        for (;;) {
            if (!doc_.logging && !running) break;
            CTime now = testclock::Now();
            if (!doc_.logging) {
                running = false;
                p.Stop();
            }
            if (p.TimeWindowOver()) {
                p.Stop();
                doc_.logging = false;
                break;
            }
            if (p.TimeWindowHasStarted() && (now - last).GetTotalSeconds() >= cycle) {
                last = now;
                WriteRow(now);
            }
            polledAt_ = (long long)now.GetTime();
            Sleep(1);
        }
        ended_ = true;
    }

    void WriteRow(const CTime& now) {
        CnuraProtocol& p = doc_.protocol;
        p.WriteData(now.Format("%d.%m.%Y"));
        p.WriteData(now.Format("%H:%M:%S"));
        p.WriteData("Analyzer 1");
        p.WriteData("Measure");
        p.WriteData("C1: O2");
        p.WriteData("20.9");
        p.WriteData("%");
        if (p.LogTemperature()) {
            p.WriteData("T: 55.0");
            p.WriteData("°C");
        }
        if (p.LogPressure()) {
            p.WriteData("P: 1013");
            p.WriteData("hPa");
        }
        p.WriteLine("");
    }

    Document& doc_;
    std::thread thread_;
    std::atomic<long long> polledAt_;
    std::atomic<bool> ended_{false};
};

class CallerTest : public ::testing::Test {
protected:
    // 24.12.2003 13:05:09, local time.
    static CTime StartTime() { return CTime(2003, 12, 24, 13, 5, 9); }
    CallerTest() { testclock::Install(StartTime()); }
    ~CallerTest() override { testclock::Uninstall(); }

    // The settings command: the stamp's pattern, then the sheet, which the user confirms
    // with a log file of the test's folder, no fixed number of columns (rows end with the
    // thread's WriteLine), temperature logging and the given window. True when the program
    // then starts logging.
    bool SettingsCommand(Document& doc, int beginOffset, int endOffset) {
        doc.protocol.SetTimeFormat("%d.%m.%Y; %H:%M:%S");
        const CTime begin = StartTime() + CTimeSpan(beginOffset),
                    end = StartTime() + CTimeSpan(endOffset);
        auto typeTime = [](wkit::Window& w, const int(&ids)[6], const CTime& t) {
            const int values[] = {t.GetYear(), t.GetMonth(),  t.GetDay(),
                                  t.GetHour(), t.GetMinute(), t.GetSecond()};
            for (int i = 0; i < 6; ++i) w.SetText(ids[i], std::to_string(values[i]));
        };
        wkit::Driver driver;
        driver.OnOpen(wkit::Template(IDD_NURA_GENERAL), [&](wkit::Window& w) {
            EXPECT_EQ(w.PageCount(), 3) << "General, Format and the program's page";
            EXPECT_EQ(w.Text(IDC_NURA_USER_FLAG), "Start protocol");
            EXPECT_EQ(w.CheckState(IDC_NURA_USER_FLAG), BST_CHECKED);
            w.SetText(IDC_NURA_FILE_NAME, folder.File("korvan.txt"));
            w.Check(IDC_NURA_START);
            w.Check(IDC_NURA_END);
            typeTime(w,
                     {IDC_NURA_START_YEAR, IDC_NURA_START_MONTH, IDC_NURA_START_DAY,
                      IDC_NURA_START_HOUR, IDC_NURA_START_MINUTE, IDC_NURA_START_SECOND},
                     begin);
            typeTime(w,
                     {IDC_NURA_END_YEAR, IDC_NURA_END_MONTH, IDC_NURA_END_DAY, IDC_NURA_END_HOUR,
                      IDC_NURA_END_MINUTE, IDC_NURA_END_SECOND},
                     end);
            ASSERT_TRUE(w.SelectPage(1));
            w.SetText(IDC_NURA_COLUMNS, "0");
            w.Check(IDC_NURA_LOG_TEMPERATURE);
            w.Pick(IDC_NURA_SEPARATOR, ";");
            ASSERT_TRUE(w.SelectPage(2));
            w.PressOK();
        });
        int result = doc.protocol.DoPropertyDialog(FALSE);
        return result != IDCANCEL && doc.protocol.GetUserFlag(0);
    }

    ScratchRegistry registry;
    TempFolder folder;
};

std::string Row(const char* time) {
    return std::string("24.12.2003;") + time +
           ";Analyzer 1;Measure;C1: O2;20.9;%;T: 55.0;\xB0"
           "C;\n";
}

TEST_F(CallerTest, LogsEachCycleInsideTheTimeWindowUntilItEnds) {
    registry.SetNumber(kKey, "Cycle Time", 2000);
    auto doc = std::make_unique<Document>();
    EXPECT_FALSE(doc->protocol.IsPropertyPageUsed(3));
    EXPECT_TRUE(doc->protocol.IsPropertyPageUsed(2)) << "the program's page";
    ASSERT_TRUE(SettingsCommand(*doc, 3, 10));

    LoggingThread thread(*doc);
    thread.Start();
    ASSERT_TRUE(thread.PolledNow());
    for (int second = 1; second <= 12 && !thread.Ended(); ++second) {
        testclock::Advance(1);
        ASSERT_TRUE(thread.PolledNow()) << second;
    }
    ASSERT_TRUE(thread.Ended()) << "the end of the window ends the thread";
    thread.Join();
    EXPECT_FALSE(doc->logging);
    EXPECT_TRUE(folder.Names() == std::vector<std::string>{"korvan0000.txt"});
    // The program's time format holds the date too, so its stamps show the date twice.
    EXPECT_EQ(ReadBytes(folder.File("korvan0000.txt")),
              "24.12.2003; 24.12.2003; 13:05:12\n" + Row("13:05:12") + Row("13:05:14") +
                  Row("13:05:16") + Row("13:05:18") + "24.12.2003; 24.12.2003; 13:05:20\n");

    std::string saved;
    EXPECT_TRUE(registry.GetString(kKey, "Filename", saved));
    EXPECT_EQ(saved, folder.File("korvan.txt"));
    doc.reset();
}

TEST_F(CallerTest, StoppedByTheDocument) {
    auto doc = std::make_unique<Document>();
    ASSERT_TRUE(SettingsCommand(*doc, 0, 3600));
    LoggingThread thread(*doc);
    thread.Start();
    ASSERT_TRUE(thread.PolledNow());
    testclock::Advance(1);
    ASSERT_TRUE(thread.PolledNow());
    // The start/stop command: the thread stops the log at its next pass and ends.
    doc->logging = false;
    thread.Join();
    EXPECT_TRUE(thread.Ended());
    EXPECT_EQ(ReadBytes(folder.File("korvan0000.txt")), "24.12.2003; 24.12.2003; 13:05:10\n" +
                                                            Row("13:05:10") +
                                                            "24.12.2003; 24.12.2003; 13:05:10\n");

    doc.reset();
}

}  // namespace
