// The logging thread in the program's main frame, with analyzers that have no device: when
// rows are due (whole seconds of the cycle, a clock set back), the empty selection at the
// start, the time window's end, a selection emptied while logging runs, the empty fields of
// a failed read, a failing write shown once, the wait between polls, and the stop that joins
// the thread.
#include "protocol_fixture.h"

#include "gateway.h"
#include "protocolthread.h"

namespace frametest {
namespace {

// An analyzer without a device: its reads fail.
std::unique_ptr<CVaskInstrument> Analyzer(const char* name) {
    return std::unique_ptr<CVaskInstrument>(new CVaskInstrument(name, 0, NULL, 1, 2, 4, 4, 0));
}

class Logging : public ::testing::Test, public DocumentHarness {
protected:
    void SetUp() override {
        OpenDocument();
        if (HasFatalFailure()) return;
        SetUpLog(doc_, folder_->Path());
        // The trace goes into the program folder.
        profile_->SetDword("Protokoll_Communication", "Aktiv", 1);
        profile_->SetString("Protokoll_Communication", "Speicherort", *folder_ / "Log");
        SetMode(1);
    }
    void TearDown() override {
        if (frame_ != nullptr && IsWindow(hFrame_)) {
            EXPECT_TRUE(frame_->StopLogging());
        }
        CloseDocument();
    }
    // The log of one analyzer started by its command at the clock's start; the thread.
    HANDLE Start(CVaskInstrument* analyzer) {
        doc_->GetProtocolPage()->SetCurrentInstrument(analyzer);
        clock_.Set(0);
        Command(ID_PROTOCOL_VALUES);
        // The thread takes the start's time once it runs.
        if (analyzer != nullptr) {
            EXPECT_TRUE(clock_.Polls());
        }
        return LoggingThreadOf(frame_);
    }
    std::vector<std::string> Lines() { return LogLines(folder_->Path()); }
    std::vector<std::string> Rows() { return LogRows(folder_->Path()); }

    LogClock clock_;
};

TEST_F(Logging, RowsComeAtTheFirstPollAfterAWholeCycleOfSeconds) {
    auto analyzer = Analyzer("First");
    struct Case {
        DWORD cycle;
        std::vector<std::pair<int, size_t>> steps;  // clock second, rows written by then
    } const cases[] = {
        {5000, {{4, 0}, {5, 1}, {9, 1}, {10, 2}, {17, 3}, {21, 3}, {22, 4}}},
        {5999, {{4, 0}, {5, 1}, {9, 1}, {10, 2}}},
        {1000, {{0, 0}, {1, 1}, {2, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cycle);
        doc_->GetProtocol()->SetCycleTime(c.cycle);
        DeleteFileA((*folder_ / "prot0000.txt").c_str());
        HANDLE thread = Start(analyzer.get());
        ASSERT_NE(thread, (HANDLE)NULL);
        for (const auto& step : c.steps) {
            ASSERT_TRUE(clock_.At(step.first)) << "the thread polls";
            EXPECT_EQ(Rows().size(), step.second) << "at second " << step.first;
        }
        // Each row carries the second in which it was written.
        const std::vector<std::string> rows = Rows();
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(Fields(rows[0])[1], c.cycle == 1000 ? "10:00:01" : "10:00:05");
        EXPECT_TRUE(frame_->StopLogging());
        EXPECT_TRUE(Ended(thread));
        EXPECT_FALSE(doc_->IsLogging());
    }
}

TEST_F(Logging, AClockSetBackWritesAtOnceAndCountsFromThere) {
    auto analyzer = Analyzer("First");
    HANDLE thread = Start(analyzer.get());
    ASSERT_NE(thread, (HANDLE)NULL);
    ASSERT_TRUE(clock_.At(5));
    ASSERT_EQ(Rows().size(), 1u);
    ASSERT_TRUE(clock_.At(-100));
    ASSERT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Fields(Rows()[1])[1], "09:58:20");
    ASSERT_TRUE(clock_.At(-96));
    EXPECT_EQ(Rows().size(), 2u);
    ASSERT_TRUE(clock_.At(-95));
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_TRUE(frame_->StopLogging());
    EXPECT_TRUE(Ended(thread));
}

TEST_F(Logging, AFailedReadWritesEmptyFieldsAndNoOtherAnalyzersValues) {
    auto first = Analyzer("First");
    auto second = Analyzer("Second");
    HANDLE thread = Start(first.get());
    ASSERT_NE(thread, (HANDLE)NULL);
    // The page's OK takes both (the thread copies the selection at the start of a row).
    doc_->GetProtocolPage()->GetSelection()->AddTail(second.get());
    ASSERT_TRUE(clock_.At(5));
    const std::vector<std::string> rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    std::vector<std::string> expected = {"02.03.2026", "10:00:05"};
    for (CVaskInstrument* analyzer : {first.get(), second.get()}) {
        expected.push_back((LPCSTR)analyzer->GetDisplayName());
        expected.push_back(" ");  // state 0
        for (int c = 0; c < 2; ++c) {
            expected.push_back((LPCSTR)analyzer->GetComponentLabel(c));
            expected.push_back("");
            expected.push_back("");
        }
    }
    EXPECT_EQ(Fields(rows[0]), expected);
    // The row is ended by the thread: the line ends after the last separator.
    EXPECT_EQ(rows[0].back(), ';');
    EXPECT_TRUE(frame_->StopLogging());
    EXPECT_TRUE(Ended(thread));
}

TEST_F(Logging, AnEmptySelectionAtTheStartWritesNothingAndSaysSo) {
    HANDLE thread = Start(nullptr);
    ASSERT_NE(thread, (HANDLE)NULL);
    EXPECT_TRUE(Ended(thread));
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return !boxes_.texts.empty(); }, 10000));
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_EQ(boxes_.texts[0],
              "No instrument has been selected  for the protocol.\nPlease check the protocol "
              "parameters.");
    EXPECT_FALSE(doc_->IsLogging());
    EXPECT_FALSE(shelltest::FileExists(*folder_ / "prot0000.txt"));
}

TEST_F(Logging, TheEndOfTheTimeWindowStopsTheLogAndClearsTheFlag) {
    auto analyzer = Analyzer("First");
    doc_->GetProtocol()->SetEndTime(TRUE, LogClock::Start() + CTimeSpan(0, 0, 0, 7));
    HANDLE thread = Start(analyzer.get());
    ASSERT_NE(thread, (HANDLE)NULL);
    ASSERT_TRUE(clock_.At(5));
    EXPECT_EQ(Rows().size(), 1u);
    clock_.Set(10);
    EXPECT_TRUE(Ended(thread));
    EXPECT_FALSE(doc_->IsLogging());
    EXPECT_EQ(Rows().size(), 1u);
    // The file was closed with its stamp line.
    const std::vector<std::string> lines = Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.back().rfind("02.03.2026", 0), 0u);
}

TEST_F(Logging, ASelectionEmptiedWhileLoggingLeavesRowsOfDateAndTime) {
    auto analyzer = Analyzer("First");
    HANDLE thread = Start(analyzer.get());
    ASSERT_NE(thread, (HANDLE)NULL);
    ASSERT_TRUE(clock_.At(5));
    // The document does this when a port, converter or gateway is selected in the tree.
    doc_->GetProtocolPage()->SetCurrentInstrument(NULL);
    ASSERT_TRUE(clock_.At(10));
    const std::vector<std::string> rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_GT(Fields(rows[0]).size(), 2u);
    EXPECT_EQ(Fields(rows[1]), (std::vector<std::string>{"02.03.2026", "10:00:10"}));
    EXPECT_TRUE(frame_->StopLogging());
    EXPECT_TRUE(Ended(thread));
}

TEST_F(Logging, AFailingWriteIsShownOnceAndTriedAgainEachCycle) {
    auto analyzer = Analyzer("First");
    // A name the log refuses (206: too long).
    doc_->GetProtocol()->SetFileName((*folder_ / std::string(120, 'n')).c_str());
    HANDLE thread = Start(analyzer.get());
    ASSERT_NE(thread, (HANDLE)NULL);
    ASSERT_TRUE(clock_.At(5));
    ASSERT_TRUE(wkit::Driver::PumpUntil([&] { return !boxes_.texts.empty(); }, 10000));
    ASSERT_TRUE(clock_.At(10));
    ASSERT_TRUE(clock_.At(15));
    wkit::Driver::Pump(100);
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_EQ(boxes_.texts[0],
              "The protocol could not be written (error 206). Logging goes on and tries again.");
    // The trace has it once as well.
    std::string trace;
    for (const std::string& name : FilesIn(*folder_ / "Log"))
        trace += ReadFile(*folder_ / "Log" + "\\" + name);
    const std::string entry = "The measurement log could not be written: error 206";
    ASSERT_NE(trace.find(entry), std::string::npos) << trace;
    EXPECT_EQ(trace.find(entry), trace.rfind(entry));
    EXPECT_TRUE(doc_->IsLogging());
    EXPECT_TRUE(frame_->StopLogging());
    EXPECT_TRUE(Ended(thread));
}

// Between its polls the thread waits on its stop event for the poll period: a poll never
// follows the one before sooner (a wait that returned at once would spin on the processor).
TEST_F(Logging, ThePollsAreAPollPeriodApart) {
    auto analyzer = Analyzer("First");
    HANDLE thread = Start(analyzer.get());
    ASSERT_NE(thread, (HANDLE)NULL);
    clock_.TakeShortestGap();
    ASSERT_TRUE(clock_.Polls(5));
    const long long shortest = clock_.TakeShortestGap();
    ASSERT_GE(shortest, 0) << "no two polls were seen";
    // Timers may round a little; a wait cut short to nothing is far below this.
    EXPECT_GE(shortest, CProtocolThread::kPollMilliseconds * 3 / 4)
        << "the thread polled again " << shortest << " ms after a poll";
    EXPECT_TRUE(frame_->StopLogging());
    EXPECT_TRUE(Ended(thread));
}

TEST_F(Logging, SwitchingOffEndsTheThreadWithoutAnotherRow) {
    auto analyzer = Analyzer("First");
    HANDLE thread = Start(analyzer.get());
    ASSERT_NE(thread, (HANDLE)NULL);
    ASSERT_TRUE(clock_.At(5));
    // "Stop Protocol" only switches the log off; the thread ends by itself.
    Command(ID_PROTOCOL_VALUES);
    EXPECT_FALSE(doc_->IsLogging());
    EXPECT_TRUE(Ended(thread));
    clock_.Set(10);
    EXPECT_EQ(Rows().size(), 1u);
    // The log was closed: its last line is the closing stamp.
    ASSERT_FALSE(Lines().empty());
    EXPECT_EQ(Lines().back().rfind("02.03.2026; ", 0), 0u);
    EXPECT_TRUE(frame_->StopLogging());
    EXPECT_EQ(frame_->LoggingThread(), (HANDLE)NULL);
}

// ---- the page "Instruments" ------------------------------------------------------------------

// Two networks (a converter and a gateway) with their analyzers, and a port, in a node list
// of the test's own; the page in a sheet of its own.
class Page : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        converter_.reset(new CConverter("Line A"));
        gateway_.reset(new CGateway("host-b", "Gateway B"));
        for (const char* name : {"A2", "A1"}) AddAnalyzer(converter_.get(), name);
        AddAnalyzer(gateway_.get(), "B1");
        // An analyzer that takes no part is not offered.
        AddAnalyzer(gateway_.get(), "B0")->SetActive(0);
        nodes_.AddTail(&port_);
        nodes_.AddTail(converter_.get());
        nodes_.AddTail(gateway_.get());
    }
    CVaskInstrument* AddAnalyzer(CInstrument* network, const char* name) {
        analyzers_.emplace_back(new CVaskInstrument(name, 1, NULL, 1, 1, 4, 4, 0));
        analyzers_.back()->SetParent(network);
        return analyzers_.back().get();
    }
    CVaskInstrument* Named(const char* name) {
        for (auto& analyzer : analyzers_)
            if (analyzer->GetName() == name) return analyzer.get();
        return nullptr;
    }
    // The page run in a sheet with the script; the sheet's result.
    int Run(CPageProtocol& page, const wkit::Script& script) {
        wkit::Driver driver;
        driver.OnOpen(wkit::Template(IDD_PROTOCOL_PAGE), script);
        CPropertySheet sheet("Protocol");
        sheet.AddPage(&page);
        const int result = sheet.DoModal();
        EXPECT_TRUE(driver.AllRan());
        return result;
    }
    static std::vector<int> Checks(wkit::Window& w) {
        std::vector<int> checks;
        CCheckListBox* pList =
            (CCheckListBox*)CWnd::FromHandlePermanent(w.Control(IDC_PROTOCOL_INSTRUMENTS));
        for (int i = 0; pList != nullptr && i < pList->GetCount(); ++i)
            checks.push_back(pList->GetCheck(i));
        return checks;
    }
    static std::vector<CObject*> Selection(CPageProtocol& page) {
        std::vector<CObject*> selection;
        CObList list;
        CString delimiter;
        page.GetLoggingChoice(list, delimiter);
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
            selection.push_back(list.GetNext(pos));
        return selection;
    }

    CPort port_{"COM1"};
    std::unique_ptr<CConverter> converter_;
    std::unique_ptr<CGateway> gateway_;
    std::vector<std::unique_ptr<CVaskInstrument>> analyzers_;
    CObList nodes_;
};

TEST_F(Page, WithoutNetworksNothingIsOfferedAndOkEmptiesTheSelection) {
    CObList none;
    CPageProtocol page(&none);
    page.SetCurrentInstrument(Named("A1"));
    Run(page, [&](wkit::Window& w) {
        EXPECT_TRUE(w.Items(IDC_PROTOCOL_NETWORK).empty());
        EXPECT_TRUE(w.Items(IDC_PROTOCOL_INSTRUMENTS).empty());
        EXPECT_EQ(w.Items(IDC_PROTOCOL_DELIMITER), (std::vector<std::string>{",", "."}));
        EXPECT_EQ(w.Selection(IDC_PROTOCOL_DELIMITER), ".");
        w.PressOK();
    });
    EXPECT_TRUE(Selection(page).empty());
}

TEST_F(Page, TheCurrentAnalyzerIsCheckedAndOkKeepsIt) {
    CPageProtocol page(&nodes_);
    page.SetCurrentInstrument(Named("A2"));
    EXPECT_EQ(Run(page,
                  [&](wkit::Window& w) {
                      EXPECT_EQ(w.Items(IDC_PROTOCOL_NETWORK),
                                (std::vector<std::string>{"Gateway B", "Line A"}));
                      // The first network of the sorted list.
                      EXPECT_EQ(w.Selection(IDC_PROTOCOL_NETWORK), "Gateway B");
                      EXPECT_EQ(w.Items(IDC_PROTOCOL_INSTRUMENTS),
                                (std::vector<std::string>{"B1"}));
                      w.Pick(IDC_PROTOCOL_NETWORK, "Line A");
                      EXPECT_EQ(w.Items(IDC_PROTOCOL_INSTRUMENTS),
                                (std::vector<std::string>{"A1", "A2"}));
                      EXPECT_EQ(Checks(w), (std::vector<int>{0, 1}));
                      w.PressOK();
                  }),
              IDOK);
    EXPECT_EQ(Selection(page), (std::vector<CObject*>{Named("A2")}));
}

TEST_F(Page, OnlyTheChecksOfTheNetworkShownAtOkCount) {
    CPageProtocol page(&nodes_);
    page.SetCurrentInstrument(Named("B1"));
    Run(page, [&](wkit::Window& w) {
        w.Pick(IDC_PROTOCOL_NETWORK, "Line A");
        w.ClickItemBox(IDC_PROTOCOL_INSTRUMENTS, 0);
        w.ClickItemBox(IDC_PROTOCOL_INSTRUMENTS, 1);
        EXPECT_EQ(Checks(w), (std::vector<int>{1, 1}));
        // Back to the gateway: the list is rebuilt with the current analyzer's check alone.
        w.Pick(IDC_PROTOCOL_NETWORK, "Gateway B");
        EXPECT_EQ(Checks(w), (std::vector<int>{1}));
        w.PressOK();
    });
    EXPECT_EQ(Selection(page), (std::vector<CObject*>{Named("B1")}));

    // Both of network A, checked and kept.
    Run(page, [&](wkit::Window& w) {
        w.Pick(IDC_PROTOCOL_NETWORK, "Line A");
        w.ClickItemBox(IDC_PROTOCOL_INSTRUMENTS, 0);
        w.ClickItemBox(IDC_PROTOCOL_INSTRUMENTS, 1);
        w.PressOK();
    });
    EXPECT_EQ(Selection(page), (std::vector<CObject*>{Named("A1"), Named("A2")}));
    // Another analyzer selected in the tree replaces the whole selection.
    page.SetCurrentInstrument(Named("A1"));
    EXPECT_EQ(Selection(page), (std::vector<CObject*>{Named("A1")}));
    page.ClearSelection();
    EXPECT_TRUE(Selection(page).empty());
}

TEST_F(Page, TheDelimiterIsOneOfTheListAndLivesOn) {
    CPageProtocol page(&nodes_);
    Run(page, [&](wkit::Window& w) {
        w.Pick(IDC_PROTOCOL_DELIMITER, ",");
        w.PressOK();
    });
    EXPECT_EQ(std::string(page.GetDelimiter()), ",");
    Run(page, [&](wkit::Window& w) {
        EXPECT_EQ(w.Selection(IDC_PROTOCOL_DELIMITER), ",");
        // A list without a choice leaves the delimiter ".", never empty.
        SendMessageA(w.Control(IDC_PROTOCOL_DELIMITER), CB_SETCURSEL, (WPARAM)-1, 0);
        w.PressOK();
    });
    EXPECT_EQ(std::string(page.GetDelimiter()), ".");
}

}  // namespace
}  // namespace frametest
