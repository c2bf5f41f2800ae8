// The measurement log with the analyzers of the simulated bus on COM1: the page "Instruments"
// of the log's settings sheet chooses the analyzers and the delimiter, and its OK with "Start
// protocol" starts the log, whose rows carry the analyzers' names and values; the extra
// fields of each model kind; the program closed while a row is being read over a slow bus.
#include "document_bus_fixture.h"
#include "protocol_fixture.h"

#include "nuraprotocol_res.h"
#include "sindor23.h"

namespace frametest {
namespace {

class ProtocolBus : public DocumentBus {
protected:
    void SetUp() override {
        DocumentBus::SetUp();
        if (HasFatalFailure()) return;
        KillTimer(hFrame_, frame_->GetTimerId());
        SetUpLog(doc_, folder_->Path());
    }
    void TearDown() override {
        if (frame_ != nullptr && app_ && IsWindow(hFrame_)) {
            EXPECT_TRUE(frame_->StopLogging());
        }
        DocumentBus::TearDown();
    }

    void Rebuild(size_t analyzers) {
        ASSERT_TRUE(doc_->InitTheInstruments());
        for (const std::string& text : boxes_.texts) ADD_FAILURE() << "box: " << text;
        ASSERT_EQ(Analyzers().size(), analyzers);
    }
    CVaskInstrument* ByAddress(int address) {
        for (CVaskInstrument* analyzer : Analyzers())
            if (analyzer->GetAddress() == address) return analyzer;
        ADD_FAILURE() << "no analyzer at " << address;
        return nullptr;
    }
    std::vector<std::string> Rows() { return LogRows(folder_->Path()); }

    // The log's settings sheet as the user works it: the extra values checked on "Format",
    // on "Instruments" every analyzer checked when `all` and the delimiter chosen; then OK,
    // which starts the log ("Start protocol" is set).
    void ChooseInSheet(const std::vector<int>& extras, bool all, const std::string& delimiter,
                       std::vector<std::string>* listed = nullptr,
                       std::vector<int>* checks = nullptr) {
        wkit::Driver driver;
        driver.OnOpen(wkit::Template(IDD_PROTOCOL_PAGE), [&](wkit::Window& w) {
            ASSERT_TRUE(w.SelectPage(1));
            for (int id : extras) w.Check(id);
            ASSERT_TRUE(w.SelectPage(2));
            if (listed != nullptr) *listed = w.Items(IDC_PROTOCOL_INSTRUMENTS);
            CCheckListBox* pList =
                (CCheckListBox*)CWnd::FromHandlePermanent(w.Control(IDC_PROTOCOL_INSTRUMENTS));
            ASSERT_NE(pList, nullptr);
            for (int i = 0; i < pList->GetCount(); ++i) {
                if (checks != nullptr) checks->push_back(pList->GetCheck(i));
                if (all && pList->GetCheck(i) == 0) w.ClickItemBox(IDC_PROTOCOL_INSTRUMENTS, i);
            }
            w.Pick(IDC_PROTOCOL_DELIMITER, delimiter);
            w.PressOK();
        });
        clock_.Set(0);
        Command(ID_PROTOCOL_PARAMETERS);
        EXPECT_TRUE(driver.AllRan());
        for (const std::string& text : boxes_.texts) ADD_FAILURE() << "box: " << text;
        // The thread takes the start's time once it runs.
        EXPECT_TRUE(clock_.Polls());
    }

    LogClock clock_;
};

// The device's value text as the log writes it with the delimiter: each decimal sign
// replaced.
std::string WithDelimiter(const CString& text, char delimiter) {
    std::string value = (LPCSTR)text;
    for (char& ch : value)
        if (ch == ',' || ch == ';' || ch == '.') ch = delimiter;
    return value;
}

TEST_F(ProtocolBus, StartProtocolLogsTheChosenAnalyzersWithTheirValues) {
    Rebuild(2);
    CVaskInstrument* sindor = ByAddress(1);
    CVaskInstrument* parvel = ByAddress(2);
    ASSERT_TRUE(sindor != nullptr && parvel != nullptr);
    // The devices' values hold still, so that the log's row and the read after it agree
    // however long the machine takes between them.
    for (const char* set : {"SET 1 meas 0 10.25 0", "SET 1 meas 1 19.5 0", "SET 2 meas 0 20.75 0"})
        ASSERT_TRUE(Sim(set)) << set;
    // The access object keeps the values it read for a moment: the log starts once it holds
    // the still ones.
    ASSERT_TRUE(wkit::Driver::PumpUntil(
        [&] {
            VaskFloat p[4], s[4];
            return parvel->GetMeas(p) && sindor->GetMeas(s) && p[0].value == 20.75f &&
                   s[0].value == 10.25f && s[1].value == 19.5f;
        },
        30000));
    const std::string labels[] = {(LPCSTR)sindor->GetComponentLabel(0),
                                  (LPCSTR)sindor->GetComponentLabel(1),
                                  (LPCSTR)parvel->GetComponentLabel(0)};

    for (const char* delimiter : {",", "."}) {
        SCOPED_TRACE(delimiter);
        // The analyzer selected in the tree is the one checked on the page.
        doc_->SelectNode(parvel);
        std::vector<std::string> listed;
        std::vector<int> checks;
        ChooseInSheet({}, true, delimiter, &listed, &checks);
        EXPECT_EQ(listed,
                  (std::vector<std::string>{(LPCSTR)parvel->GetName(), (LPCSTR)sindor->GetName()}));
        EXPECT_EQ(checks, (std::vector<int>{1, 0}));
        ASSERT_TRUE(doc_->IsLogging());
        HANDLE thread = LoggingThreadOf(frame_);
        ASSERT_TRUE(clock_.At(5));
        const std::vector<std::string> rows = Rows();
        ASSERT_EQ(rows.size(), 1u);
        const std::vector<std::string> f = Fields(rows[0]);
        // Date, time, then each analyzer in the page's (sorted) order: name, state and per
        // component label, value and unit.
        ASSERT_EQ(f.size(), 2u + 2 + 3 + 2 + 2 * 3) << rows[0];
        EXPECT_EQ(f[1], "10:00:05");
        EXPECT_EQ(f[2], (LPCSTR)parvel->GetDisplayName());
        EXPECT_EQ(f[3], "Measure");
        EXPECT_EQ(f[4], labels[2]);
        EXPECT_EQ(f[6], "%vol");
        EXPECT_EQ(f[7], (LPCSTR)sindor->GetDisplayName());
        EXPECT_EQ(f[9], labels[0]);
        EXPECT_EQ(f[11], "ppm");
        EXPECT_EQ(f[12], labels[1]);
        // The values as the analyzers give them now.
        VaskFloat parvelValues[4], sindorValues[4];
        ASSERT_TRUE(parvel->GetMeas(parvelValues));
        ASSERT_TRUE(sindor->GetMeas(sindorValues));
        EXPECT_EQ(f[5], WithDelimiter(parvelValues[0].text, delimiter[0]));
        EXPECT_EQ(f[10], WithDelimiter(sindorValues[0].text, delimiter[0]));
        EXPECT_EQ(f[13], WithDelimiter(sindorValues[1].text, delimiter[0]));
        EXPECT_NE(f[5].find(delimiter[0]), std::string::npos) << "a value with decimals";
        EXPECT_TRUE(frame_->StopLogging());
        EXPECT_TRUE(Ended(thread));
    }
}

TEST_F(ProtocolBus, EachModelKindWritesItsExtraFields) {
    // The bus's channel types: 3 a Quenta 6, 4 a Sindor 23 (its fourth channel the O2
    // sensor), 7 a Lorvix 6, 8 a Parvel 64.
    ASSERT_TRUE(Sim("DEVICE 3 type=3 components=1"));
    ASSERT_TRUE(Sim("DEVICE 4 type=4 components=4"));
    ASSERT_TRUE(Sim("DEVICE 5 type=8 components=1"));
    ASSERT_TRUE(Sim("DEVICE 6 type=7 components=1"));
    Rebuild(6);
    ChooseInSheet(
        {IDC_NURA_LOG_TEMPERATURE, IDC_NURA_LOG_PRESSURE, IDC_NURA_LOG_EP, IDC_NURA_LOG_EP90}, true,
        ".");
    ASSERT_TRUE(doc_->IsLogging());
    HANDLE thread = LoggingThreadOf(frame_);
    ASSERT_TRUE(clock_.At(5));
    EXPECT_TRUE(frame_->StopLogging());
    EXPECT_TRUE(Ended(thread));

    // What each analyzer writes; "*" is any text, a text ending in "*" a prefix.
    struct Kind {
        int kind;
        bool temperature;  // a temperature read of its own
        bool ep;           // EP and EP90 values
    } const kinds[] = {{1, true, true},  {2, true, true},  {3, false, false},
                       {4, true, false}, {5, true, false}, {7, false, false}};
    std::vector<std::string> expected = {"02.03.2026", "10:00:05"};
    // The page lists the analyzers sorted by name.
    std::vector<CVaskInstrument*> analyzers = Analyzers();
    std::sort(analyzers.begin(), analyzers.end(), [](CVaskInstrument* a, CVaskInstrument* b) {
        return a->GetName().CompareNoCase(b->GetName()) < 0;
    });
    int sensorRows = 0;
    std::vector<int> seen;
    for (CVaskInstrument* analyzer : analyzers) {
        seen.push_back(analyzer->GetModelKind());
        const Kind* kind = nullptr;
        for (const Kind& k : kinds)
            if (k.kind == analyzer->GetModelKind()) kind = &k;
        ASSERT_NE(kind, nullptr) << analyzer->GetModelKind();
        expected.push_back((LPCSTR)analyzer->GetDisplayName());
        expected.push_back("*");
        for (int c = 0; c < analyzer->GetComponentCount(); ++c) {
            for (const char* field : {"C*", "*", "*"}) expected.push_back(field);
            if (kind->temperature) {
                expected.insert(expected.end(), {"T: *", "*"});
            } else {
                expected.insert(expected.end(), {"T: ", ""});
            }
            expected.insert(expected.end(), {"P: *", "*"});
            if (kind->ep) {
                expected.insert(expected.end(), {"Ep: *", "---", "Ep90: *", "---"});
            } else {
                expected.insert(expected.end(), {"", "", "", ""});
            }
        }
        if (kind->kind == 4) {
            CSindor23* sindor23 = (CSindor23*)analyzer;
            // The sensors after the counted components: label, value and unit only.
            for (bool present : {sindor23->HasH2SSensor() != 0, sindor23->HasO2Sensor() != 0})
                if (present) {
                    expected.insert(expected.end(), {"C*", "*", "*"});
                    ++sensorRows;
                }
        }
    }
    EXPECT_GE(sensorRows, 1) << "the Sindor 23 of four channels has its O2 sensor";
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 7}));
    const std::vector<std::string> rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    const std::vector<std::string> f = Fields(rows[0]);
    ASSERT_EQ(f.size(), expected.size()) << rows[0];
    for (size_t i = 0; i < f.size(); ++i) {
        const std::string& e = expected[i];
        if (!e.empty() && e.back() == '*')
            EXPECT_EQ(f[i].rfind(e.substr(0, e.size() - 1), 0), 0u) << i << ": " << f[i];
        else
            EXPECT_EQ(f[i], e) << "field " << i;
    }
}

TEST_F(ProtocolBus, TheWatchedAnalyzersDownloadHoldsTheRowsBetweenItsTwoLines) {
    Rebuild(2);
    CVaskInstrument* sindor = ByAddress(1);
    CVaskInstrument* parvel = ByAddress(2);
    ASSERT_TRUE(sindor != nullptr && parvel != nullptr);
    // The analyzer selected when the log starts is watched; the log covers the other one.
    doc_->SelectNode(sindor);
    doc_->GetProtocolPage()->SetCurrentInstrument(parvel);
    clock_.Set(0);
    Command(ID_PROTOCOL_VALUES);
    ASSERT_TRUE(doc_->IsLogging());
    HANDLE thread = LoggingThreadOf(frame_);
    ASSERT_TRUE(clock_.Polls());
    const std::string file = *folder_ / "prot0000.txt";
    // Cycle after cycle until the text is in the log (the bus layer keeps a device's state
    // for a while).
    int second = 0;
    auto logged = [&](const std::string& text) {
        for (int cycle = 0; cycle < 20; ++cycle) {
            if (!clock_.At(second += 5)) return false;
            if (shelltest::ReadFile(file).find(text) != std::string::npos) return true;
        }
        return false;
    };
    const std::string begin =
        "Download initiated at device  \"" + std::string(sindor->GetDisplayName()) + "\"";

    ASSERT_TRUE(Sim("SET 1 state 22"));
    ASSERT_TRUE(logged(begin + "\n")) << shelltest::ReadFile(file);
    // While it downloads, the due cycles write nothing.
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(clock_.At(second += 5));
    ASSERT_TRUE(Sim("SET 1 state 4"));
    ASSERT_TRUE(logged("Download finished\n")) << shelltest::ReadFile(file);
    ASSERT_TRUE(clock_.At(second += 5));
    EXPECT_TRUE(frame_->StopLogging());
    EXPECT_TRUE(Ended(thread));

    // Rows before, the two lines one after the other, rows of the logged analyzer after.
    const std::vector<std::string> lines = LogLines(folder_->Path());
    const auto first = std::find(lines.begin(), lines.end(), begin);
    ASSERT_NE(first, lines.end());
    ASSERT_NE(first + 1, lines.end());
    EXPECT_EQ(*(first + 1), "Download finished");
    ASSERT_GE(lines.end() - first, 4) << "a row after the download";
    for (auto row = first + 2; row != lines.end() - 1; ++row)
        EXPECT_EQ(Fields(*row)[2], (LPCSTR)parvel->GetDisplayName());
}

TEST_F(ProtocolBus, ClosingWhileARowIsReadOverASlowBusEndsCleanlyWithTheRowWhole) {
    Rebuild(2);
    CVaskInstrument* sindor = ByAddress(1);
    ASSERT_NE(sindor, nullptr);
    doc_->SelectNode(sindor);
    // The temperature as well: a diagnostic read per component, which no cache answers.
    ChooseInSheet({IDC_NURA_LOG_TEMPERATURE}, false, ".");
    ASSERT_TRUE(doc_->IsLogging());
    HANDLE thread = LoggingThreadOf(frame_);
    // Every answer comes late: the row takes its reads' time.
    ASSERT_TRUE(Sim("FAULT 0 slow always 400"));
    clock_.Set(5);
    const std::string file = *folder_ / "prot0000.txt";
    ASSERT_TRUE(wkit::Driver::PumpUntil(
        [&] {
            return shelltest::ReadFile(file).find("\n02.03.2026;10:00:05;") != std::string::npos;
        },
        20000));
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_EQ(shelltest::ReadFile(file).back(), ';') << "the row is being written\n"
                                                     << shelltest::ReadFile(file);

    // The user closes the program meanwhile.
    doc_->RemoveView(&hints_);
    doc_->SetModifiedFlag(FALSE);
    SetScanProgress(doc_, NULL);
    boxes_.answers.push_back(IDYES);
    PostMessageA(hFrame_, WM_CLOSE, 0, 0);
    EXPECT_EQ(app_->Run(), 0);
    EXPECT_FALSE(IsWindow(hFrame_));
    EXPECT_TRUE(Ended(thread));
    app_.reset();
    profile_.reset();
    Sim("CLEARFAULTS");

    // The row is whole: date, time, name, state, two components of label, value, unit and
    // temperature; then the file's closing stamp.
    const std::vector<std::string> lines = LogLines(folder_->Path());
    ASSERT_GE(lines.size(), 3u);
    const std::vector<std::string> row = Fields(lines[lines.size() - 2]);
    ASSERT_EQ(row.size(), 4u + 2 * 5) << lines[lines.size() - 2];
    EXPECT_EQ(row[12].rfind("T: ", 0), 0u);
    EXPECT_EQ(row[1], "10:00:05");
    EXPECT_NE(row[5], "") << "the value was read";
    EXPECT_EQ(lines.back().rfind("02.03.2026", 0), 0u);
}

}  // namespace
}  // namespace frametest
