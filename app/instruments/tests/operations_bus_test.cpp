// The analyzer's device operations against the simulator on COM1: every row of the table
// on its channel with the member's result, every row rejected with its report (flag set and
// clear) and its resets, the valves' order, the temperature cycle, the component test of
// a device with fewer components, the compare transfers and the offline-set transfer.
#include "analyzer_bus_fixture.h"
#include "main_window.h"
#include "nodemessages.h"
#include "operation_rows.h"
#include "resource.h"
#include "test_access.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

using operation_rows::Outcome;
using operation_rows::Resets;
using operation_rows::Row;
using operation_rows::Rows;
using vasksim::SimLogEntry;

namespace {

CWinApp theApp("KorvanGA operations bus test");

// The devices of the suite, one per concern. Every address of the line is taken, so that
// the scan waits for none.
enum Device {
    kRows = 1,           // four components: every row answered
    kRejected = 2,       // four components: every row rejected
    kValves = 3,         // the internal valves
    kTempCycle = 4,      // the temperature cycle
    kTwoOfFour = 5,      // two components, analyzers made for four
    kCompare = 6,        // two components: the compare transfers
    kCompareS23 = 7,     // two components: the compare transfers of a type-4 analyzer
    kOfflineSet = 8,     // two components: the offline-set transfer
    kNoCompare = 9,      // an analyzer without a compare set
    kFailedCompare = 10  // two components: compare transfers whose writes are refused
};
const int kLastDevice = 12;

// The rows that make no request; they answer 1 but for the reserved slot.
const std::set<std::string> kNoRequest = {"ReservedCommand", "GetDateOxy", "SetDateOxy",
                                          "GetDateH2S", "SetDateH2S"};

// The text that a row without a failure text of its own reports: that of the operation it
// calls.
const std::map<std::string, UINT> kReportedFor = {
    {"GetLateralGasCorrN", IDS_ERR_READ_LATERAL_GAS_CORR},
    {"SetLateralGasCorrN", IDS_ERR_WRITE_LATERAL_GAS_CORR},
    {"GetLateralGasParamsN", IDS_ERR_READ_LATERAL_GAS_PARAMS},
    {"SetLateralGasParamsN", IDS_ERR_WRITE_LATERAL_GAS_PARAMS},
    {"GetCompSwitchText", IDS_ERROR},
};

// The rows run under a StaleDeviceClock: every value that the access object keeps with a
// time stamp is read from the device. (The values it keeps without one, of ranges, limits,
// time constants and tolerances, come only from a read of the same channel, and each row's
// read comes before any write of its group.)
using ClockScope = StaleDeviceClock;

CString Loaded(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

class OperationsOnTheBus : public AnalyzerBusFixture {
protected:
    static void SetUpTestSuite() {
        std::vector<std::string> devices;
        for (int address = 1; address <= kLastDevice; ++address) {
            const int components = address <= kRejected ? 4 : address == kValves ? 1 : 2;
            devices.push_back("DEVICE " + std::to_string(address) +
                              " type=1 components=" + std::to_string(components));
        }
        OpenLine(devices, kLastDevice);
    }

    // The telegrams since the log was cleared, less the access object's upkeep of the other
    // devices: while a caller waits, it switches them between remote and local control
    // ("F" 1), one per timer tick.
    std::vector<SimLogEntry> Log(int address) {
        std::vector<SimLogEntry> entries, sent;
        EXPECT_TRUE(sim_.Log(entries)) << sim_.LastError();
        const std::string device = std::to_string(address) + "/";
        for (const SimLogEntry& e : entries)
            if (!(e.command == 'F' && e.function == 1 && e.to.compare(0, device.size(), device)))
                sent.push_back(e);
        return sent;
    }
    // "letter function to" of those telegrams.
    std::vector<std::string> Telegrams(int address) {
        std::vector<std::string> r;
        for (const SimLogEntry& e : Log(address))
            r.push_back(std::string(1, e.command) + std::to_string(e.function) + " " + e.to);
        return r;
    }
    static std::string Lines(const std::vector<SimLogEntry>& log) {
        std::string lines;
        for (const SimLogEntry& e : log) lines += e.line + "\n";
        return lines;
    }
};

TEST_F(OperationsOnTheBus, EveryRowAsksOnItsChannelAndGivesTheMembersResult) {
    auto analyzer = Analyzer(kRows, 4);
    ClockScope fresh;
    for (const Row& row : Rows()) {
        ASSERT_TRUE(Sim("CLEARLOG"));
        auto call = row.make(2);
        const int result = call->Run(*analyzer);
        const std::string channel = std::to_string(kRows) + (row.TakesComponent() ? "/2" : "/0");
        const std::vector<SimLogEntry> log = Log(kRows);
        if (kNoRequest.count(row.name)) {
            EXPECT_TRUE(log.empty()) << row.name;
            EXPECT_EQ(row.name == "ReservedCommand" ? 0 : 1, result) << row.name;
            continue;
        }
        EXPECT_FALSE(log.empty()) << row.name;
        for (const SimLogEntry& e : log) EXPECT_EQ(channel, e.to) << row.name << ": " << e.line;
        EXPECT_EQ(1, result) << row.name;
    }
    EXPECT_TRUE(host_.reports.empty());
}

TEST_F(OperationsOnTheBus, ARejectedRowReportsItsTextOnlyWhileTheFlagIsSetAndResetsItsOutputs) {
    auto analyzer = Analyzer(kRejected, 4);
    ASSERT_TRUE(Sim("FAULT 2 reject always ??"));
    ClockScope fresh;
    for (int flag : {1, 0}) {
        analyzer->EnableCommandReport(flag);
        for (const Row& row : Rows()) {
            if (kNoRequest.count(row.name)) continue;
            ASSERT_TRUE(Sim("CLEARLOG"));
            const size_t reports = host_.reports.size();
            auto call = row.make(2);
            const int result = call->Run(*analyzer);
            EXPECT_EQ(row.name == "GetInstrumentType" ? 1 : 0, result) << row.name;

            std::vector<Outcome> outcomes = call->Outcomes();
            const auto resets = Resets().find(row.name);
            for (size_t i = 0; i < outcomes.size(); ++i) {
                if (outcomes[i] == Outcome::Input) continue;
                const bool reset = resets != Resets().end() && resets->second.count((int)i);
                Outcome wanted = reset ? Outcome::Reset : Outcome::Sentinel;
                // The two answers of a failed read: the type falls back to 1, the status text
                // to "Unknown".
                if (row.name == "GetInstrumentType" || row.name == "GetCompSwitchText")
                    wanted = Outcome::Written;
                EXPECT_EQ(wanted, outcomes[i]) << row.name << " argument " << i;
            }

            const std::vector<SimLogEntry> log = Log(kRejected);
            ASSERT_FALSE(log.empty()) << row.name;
            const SimLogEntry& last = log.back();
            if (!flag || row.name == "GetInstrumentType") {
                EXPECT_EQ(reports, host_.reports.size()) << row.name;
                continue;
            }
            ASSERT_EQ(reports + 1, host_.reports.size()) << row.name;
            const auto own = kReportedFor.find(row.name);
            CString text;
            text.Format((LPCSTR)Loaded(own != kReportedFor.end() ? own->second : row.messageId), 3);
            const std::string expected = Text(text) + "\nVask command: \"" + last.command + ", " +
                                         std::to_string(last.function) + "\"";
            EXPECT_EQ(expected, host_.reports.back().text) << row.name;
        }
    }
    // A few rows' texts as the operation table gives them.
    const std::map<std::string, std::string> texts = {
        {"Reset", "Error while executing a Reset."},
        {"GetIntegrationTime", "Error while reading the integration times.\nComponent : 3"},
        {"SetMeasurementUpper", "Error while writing the measuring range endvalues.\nComponent: 3"},
        {"GetLateralGasConcentration1",
         "Error while reading the concentration of the external correction gas 1\nComonent: 3"},
        {"GetAutocalCheckTolerances", "Error while reading the autocal check tolerances."},
        {"SetAutocalCheckTolerances", "Error while writing the autocal check tolerances."},
        {"Standby", "Error while setting channel mode \"Standby\""},
        {"SuppressNegativeAnalog", "Error."},
    };
    for (const auto& t : texts) {
        bool found = false;
        for (const auto& report : host_.reports)
            found = found || report.text.compare(0, t.second.size() + 1, t.second + "\n") == 0;
        EXPECT_TRUE(found) << t.first << ": " << t.second;
    }
    EXPECT_TRUE(Sim("CLEARFAULTS 2"));
}

TEST_F(OperationsOnTheBus, TheInternalValvesTravelInReverseOrder) {
    auto analyzer = Analyzer(kValves, 1);
    // The device's valves a, b, c are bits 2, 3, 4 of the setting (bit 7 always set).
    struct Case {
        const char* stored;
        int sample, span, zero;
    } cases[] = {{"8400", 0, 0, 1}, {"9000", 1, 0, 0}, {"8800", 0, 1, 0}};
    for (const Case& c : cases) {
        ASSERT_TRUE(Sim(std::string("STORE 3 0 s41 ") + c.stored));
        int sample = 9, span = 9, zero = 9;
        ASSERT_EQ(1, analyzer->GetPressureInternalValves(sample, span, zero)) << c.stored;
        EXPECT_EQ(c.sample, sample) << c.stored;
        EXPECT_EQ(c.span, span) << c.stored;
        EXPECT_EQ(c.zero, zero) << c.stored;
    }
    ASSERT_EQ(1, analyzer->SetPressureInternalValves(1, 0, 0));
    EXPECT_EQ("9000", Read(kValves, 0, "s41"));
    ASSERT_EQ(1, analyzer->SetPressureInternalValves(0, 0, 1));
    EXPECT_EQ("8400", Read(kValves, 0, "s41"));
}

TEST_F(OperationsOnTheBus, TheTemperatureCycleEndsWithTheStageItsResultOnlyWhenItStarted) {
    auto analyzer = Analyzer(kTempCycle, 2);
    EXPECT_EQ(1, analyzer->AdjustTempCoefficient());
    std::vector<SimLogEntry> log = Log(kTempCycle);
    ASSERT_EQ(2u, log.size()) << Lines(log);
    const char start = log[0].command;
    const int startFunction = log[0].function;
    EXPECT_EQ('Z', start);
    EXPECT_EQ("4/0", log[0].to);
    EXPECT_EQ("S13 4/0",
              std::string(1, log[1].command) + std::to_string(log[1].function) + " " + log[1].to);
    // The library's wait of 2 s, shortened by the test.
    EXPECT_GE(log[1].timeMs - log[0].timeMs, 2000 / kWaitDivisor - 10);

    // The stage refused: the cycle's result is the stage's.
    ASSERT_TRUE(Sim("CLEARLOG"));
    ASSERT_TRUE(Sim("FAULT 4 reject 1 ?? on=S13"));
    EXPECT_EQ(0, analyzer->AdjustTempCoefficient());
    EXPECT_EQ(2u, Log(kTempCycle).size());
    ASSERT_EQ(1u, host_.reports.size());
    EXPECT_EQ("Error while writing compensation/calibration step.\nVask command: \"S, 13\"",
              host_.reports[0].text);

    // The start refused: nothing more is sent, and the stage cannot hide the failure.
    ASSERT_TRUE(Sim("CLEARLOG"));
    ASSERT_TRUE(
        Sim(std::string("FAULT 4 reject 1 ?? on=") + start + std::to_string(startFunction)));
    EXPECT_EQ(0, analyzer->AdjustTempCoefficient());
    log = Log(kTempCycle);
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ(start, log[0].command);
    ASSERT_EQ(2u, host_.reports.size());
    EXPECT_EQ("Error while executing the temperature cycle\nVask command: \"Z, " +
                  std::to_string(startFunction) + "\"",
              host_.reports[1].text);
}

TEST_F(OperationsOnTheBus, OnlineOnlyTheComponentsTheDeviceMeasuresArePresent) {
    auto analyzer = Analyzer(kTwoOfFour, 4);
    EXPECT_EQ(1, analyzer->HasMeasRange(0));
    EXPECT_EQ(1, analyzer->HasMeasRange(1));
    EXPECT_EQ(0, analyzer->HasMeasRange(2));
    EXPECT_EQ(0, analyzer->HasMeasRange(3));
    // Registered for two components only.
    EXPECT_NE(nullptr, analyzer->FindParameterByNumber(6));
    EXPECT_NE(nullptr, analyzer->FindParameterByNumber(7));
    EXPECT_EQ(nullptr, analyzer->FindParameterByNumber(8));
    EXPECT_EQ(nullptr, analyzer->FindParameterByNumber(9));
    // Without measured values the component count decides.
    ASSERT_TRUE(Sim("FAULT 5 reject always ?? on=k2"));
    ClockScope fresh;
    EXPECT_EQ(1, analyzer->HasMeasRange(2));
    EXPECT_EQ(0, analyzer->HasMeasRange(4));
    EXPECT_TRUE(Sim("CLEARFAULTS 5"));
    host_.SetMode(0);
    EXPECT_EQ(1, analyzer->HasMeasRange(3)) << "offline: the component count";
}

// A compare set of two components whose values differ from the device's.
class CompareSet {
public:
    CompareSet() : set_(new CVaskInstrument("Set", 0, nullptr, 0, 2, 4, 4, 0)) {
        for (int c = 0; c < 2; ++c) {
            Put(6 + c, 2.7 + c);  // selected range: 2 and 3 once truncated
            for (int r = 0; r < 4; ++r) {
                Put(30 + 4 * c + r, 0.5 + c + r);          // range start
                Put(46 + 4 * c + r, 100.0 * (r + 1) + c);  // range end
                Put(78 + 4 * c + r, 80.0 * (r + 1) + c);   // span gas
            }
            Put(107 + c, 3.0 + c);            // delta range
            Put(c == 0 ? 98 : 99, 11.0 + c);  // T90 inside
            Put(103 + c, 21.0 + c);           // T90 outside
            Put(111 + c, 31.0 + c);           // dead time
            Put(119 + c, 41.0 + c);           // limit 1
            Put(123 + c, 51.0 + c);           // limit 2
        }
        Put(236, 45.0);  // autocal cycle time
        Put(237, 7.0);   // adjustment after cycles
    }
    ~CompareSet() { delete set_; }
    // Handed to the analyzer, which owns it from then on.
    CVaskInstrument* Release() {
        CVaskInstrument* set = set_;
        set_ = nullptr;
        return set;
    }
    static std::pair<int, std::string> Outcome(CVaskInstrument& analyzer, int number) {
        int result = 5;
        CString text;
        analyzer.GetCompareInstrument()->FindParameterByNumber(number)->GetTransferResult(result,
                                                                                          text);
        return {result, Text(text)};
    }

private:
    void Put(int number, double value) {
        CVaskParameter* entry = set_->FindParameterByNumber(number);
        ASSERT_NE(nullptr, entry) << number;
        entry->SetValue(MakeValue(value, ""));
    }
    CVaskInstrument* set_;
};

TEST_F(OperationsOnTheBus, TheCompareTransfersWriteTheSetsValuesAndMarkTheirEntries) {
    auto analyzer = Analyzer(kCompare, 2);
    analyzer->SetCompareInstrument(CompareSet().Release());
    const std::pair<int, std::string> success = {1, "Successful"};
    ClockScope fresh;

    EXPECT_EQ(1, analyzer->TransferCompareMeasRange());
    for (int c = 0; c < 2; ++c) {
        int range = 0, autorange = 9;
        ASSERT_EQ(1, s_access->GetMeasRange(kCompare, c, range, autorange));
        EXPECT_EQ(2 + c, range) << c;
        EXPECT_EQ(success, CompareSet::Outcome(*analyzer, 6 + c));
    }

    EXPECT_EQ(1, analyzer->TransferCompareRangeLimits());
    EXPECT_EQ((std::vector<double>{0.5, 1.5, 2.5, 3.5}), Floats(Read(kCompare, 0, "w1")));
    EXPECT_EQ((std::vector<double>{1.5, 2.5, 3.5, 4.5}), Floats(Read(kCompare, 1, "w1")));
    EXPECT_EQ((std::vector<double>{100, 200, 300, 400}), Floats(Read(kCompare, 0, "w2")));
    EXPECT_EQ((std::vector<double>{101, 201, 301, 401}), Floats(Read(kCompare, 1, "w2")));
    EXPECT_EQ(success, CompareSet::Outcome(*analyzer, 33));
    EXPECT_EQ(success, CompareSet::Outcome(*analyzer, 53));

    EXPECT_EQ(1, analyzer->TransferCompareSlopeGas());
    EXPECT_EQ((std::vector<double>{80, 160, 240, 320}), Floats(Read(kCompare, 0, "w3")));
    EXPECT_EQ((std::vector<double>{81, 161, 241, 321}), Floats(Read(kCompare, 1, "w3")));
    EXPECT_EQ(success, CompareSet::Outcome(*analyzer, 85));

    // The next autocal travels first; it is the device's own and goes back as read.
    const std::vector<double> before = Floats(Read(kCompare, 0, "w6"));
    ASSERT_EQ(3u, before.size());
    EXPECT_EQ(1, analyzer->TransferCompareAutocalCycle());
    EXPECT_EQ((std::vector<double>{before[0], 45, 7}), Floats(Read(kCompare, 0, "w6")));
    EXPECT_EQ(success, CompareSet::Outcome(*analyzer, 236));
    EXPECT_EQ(success, CompareSet::Outcome(*analyzer, 237));

    EXPECT_EQ(1, analyzer->TransferCompareIntegrationTime());
    EXPECT_EQ((std::vector<double>{3, 11, 21, 31}), Floats(Read(kCompare, 0, "w11")));
    EXPECT_EQ((std::vector<double>{4, 12, 22, 32}), Floats(Read(kCompare, 1, "w11")));
    EXPECT_EQ(success, CompareSet::Outcome(*analyzer, 112));

    const std::vector<double> second = Floats(Read(kCompare, 1, "w9"));
    ASSERT_EQ(2u, second.size());
    EXPECT_EQ(1, analyzer->TransferCompareLimits());
    EXPECT_EQ(41, Floats(Read(kCompare, 0, "w9"))[0]);
    EXPECT_EQ((std::vector<double>{42, second[1]}), Floats(Read(kCompare, 1, "w9")));
    EXPECT_EQ(51, Floats(Read(kCompare, 0, "w10"))[0]);
    EXPECT_EQ(52, Floats(Read(kCompare, 1, "w10"))[0]);
    EXPECT_EQ(success, CompareSet::Outcome(*analyzer, 124));
    EXPECT_TRUE(host_.reports.empty());
}

TEST_F(OperationsOnTheBus, ARefusedCompareWriteMarksItsEntriesWithTheCommand) {
    auto analyzer = Analyzer(kFailedCompare, 2);
    analyzer->SetCompareInstrument(CompareSet().Release());
    analyzer->EnableCommandReport(0);
    ASSERT_TRUE(Sim("FAULT 10 reject always ?? on=W2"));
    EXPECT_EQ(1, analyzer->TransferCompareRangeLimits()) << "it ran through";
    const std::pair<int, std::string> refused = {-1, "Vask command: \"W, 2\""};
    EXPECT_EQ(refused, CompareSet::Outcome(*analyzer, 46));
    EXPECT_EQ(refused, CompareSet::Outcome(*analyzer, 53));
    EXPECT_EQ((std::pair<int, std::string>{1, "Successful"}), CompareSet::Outcome(*analyzer, 30));
    ASSERT_TRUE(Sim("CLEARFAULTS 10"));

    // A refused read: nothing written, the entries marked with the read.
    ASSERT_TRUE(Sim("FAULT 10 reject always ?? on=w6"));
    ClockScope fresh;
    ASSERT_TRUE(Sim("CLEARLOG"));
    EXPECT_EQ(0, analyzer->TransferCompareAutocalCycle());
    EXPECT_EQ((std::vector<std::string>{"w6 10/0"}), Telegrams(kFailedCompare));
    EXPECT_EQ((std::pair<int, std::string>{-1, "Vask command: \"w, 6\""}),
              CompareSet::Outcome(*analyzer, 237));
    ASSERT_TRUE(Sim("CLEARFAULTS 10"));
    EXPECT_TRUE(host_.reports.empty());
}

TEST_F(OperationsOnTheBus, OnTheSindor23OnlyTheUpperRangeValuesAreWritten) {
    auto analyzer = Analyzer(kCompareS23, 2, 4);
    analyzer->SetCompareInstrument(CompareSet().Release());
    EXPECT_EQ(1, analyzer->TransferCompareRangeLimits());
    EXPECT_EQ((std::vector<std::string>{"W2 7/0", "W2 7/1"}), Telegrams(kCompareS23));
    EXPECT_EQ((std::vector<double>{101, 201, 301, 401}), Floats(Read(kCompareS23, 1, "w2")));
}

TEST_F(OperationsOnTheBus, WithoutACompareSetNothingIsSent) {
    auto analyzer = Analyzer(kNoCompare, 2);
    EXPECT_EQ(0, analyzer->TransferCompareMeasRange());
    EXPECT_EQ(0, analyzer->TransferCompareRangeLimits());
    EXPECT_EQ(0, analyzer->TransferCompareSlopeGas());
    EXPECT_EQ(0, analyzer->TransferCompareAutocalCycle());
    EXPECT_EQ(0, analyzer->TransferCompareIntegrationTime());
    EXPECT_EQ(0, analyzer->TransferCompareLimits());
    EXPECT_EQ(0, analyzer->TransferOfflineSet(nullptr));
    EXPECT_TRUE(Telegrams(kNoCompare).empty());
}

TEST_F(OperationsOnTheBus, TheOfflineSetIsWrittenBackEntryByEntryWithProgressTo100) {
    auto analyzer = Analyzer(kOfflineSet, 2);
    // The set: the device's values as a document holds them, every offline entry loaded.
    CVaskInstrument* set = new CVaskInstrument("Set", 0, nullptr, 0, 2, 4, 4, 0);
    int inSet = 0;
    for (POSITION g = analyzer->GetGroupList().GetHeadPosition(); g != NULL;) {
        const CObList& entries =
            ((CParameterGroup*)analyzer->GetGroupList().GetNext(g))->GetParameterList();
        for (POSITION e = entries.GetHeadPosition(); e != NULL;) {
            CVaskParameter* entry = (CVaskParameter*)entries.GetNext(e);
            CVaskParameter* counterpart = set->FindParameterByNumber(entry->GetNumber());
            if (!entry->IsOfflineParameter() || counterpart == NULL) continue;
            VaskFloat value;
            if (!(s_access->*entry->GetFetch())(kOfflineSet, entry->GetChannel(),
                                                entry->GetIndex() + 1, value))
                continue;
            counterpart->SetValue(value);
            counterpart->SetValueText(value.text);
            counterpart->SetLoaded(1);
            ++inSet;
        }
    }
    ASSERT_GT(inSet, 100);
    analyzer->SetCompareInstrument(set);

    // The device changes meanwhile.
    VaskFloat changed = MakeValue(99.0, "99.000"), other = MakeValue(3.0, "3.000");
    ASSERT_EQ(1, s_access->SetLimit1(kOfflineSet, 1, changed, other));
    ASSERT_EQ(1, s_access->SetIntegrationTime(kOfflineSet, 0, changed, changed, changed, other));
    ASSERT_EQ(1, s_access->SetMeasRange(kOfflineSet, 1, 4, 1));
    ASSERT_EQ(1, s_access->SetNullGas(kOfflineSet, 0, changed));
    ASSERT_TRUE(Sim("SET 8 name Kiln 3"));
    ASSERT_EQ(99.0, Floats(Read(kOfflineSet, 1, "w9"))[0]);

    MainWindow window;
    std::vector<int> progress;
    std::set<int> flags;
    window.onMessage = [&](UINT m, WPARAM w, LPARAM) {
        if (m != GetOfflineTransferMessage()) return false;
        progress.push_back((int)w);
        flags.insert(analyzer->IsCommandReportEnabled());
        return true;
    };
    ASSERT_EQ(1, analyzer->TransferOfflineSet(window.Wnd()));

    // Progress: one message per offline entry, rising to exactly 100.
    ASSERT_EQ((size_t)analyzer->CountOfflineParameters(), progress.size());
    for (size_t i = 1; i < progress.size(); ++i) EXPECT_LE(progress[i - 1], progress[i]);
    EXPECT_LE(0, progress.front());
    EXPECT_EQ(100, progress.back());
    EXPECT_EQ(std::set<int>{0}, flags) << "reports off while it runs";
    EXPECT_EQ(1, analyzer->IsCommandReportEnabled());
    EXPECT_EQ("Kiln 3", Text(analyzer->GetName()));

    // Every transferable entry of the set reads back its value; read-only ones were not
    // written.
    ClockScope fresh;
    int checked = 0;
    for (POSITION g = analyzer->GetGroupList().GetHeadPosition(); g != NULL;) {
        const CObList& entries =
            ((CParameterGroup*)analyzer->GetGroupList().GetNext(g))->GetParameterList();
        for (POSITION e = entries.GetHeadPosition(); e != NULL;) {
            CVaskParameter* entry = (CVaskParameter*)entries.GetNext(e);
            CVaskParameter* source = analyzer->FindCompareParameter(entry);
            if (!entry->IsOfflineParameter() || source == NULL || !source->IsLoaded()) continue;
            int result = 5;
            CString text;
            source->GetTransferResult(result, text);
            const std::string key = Text(entry->GetKey());
            if (!entry->IsOfflineTransfer()) {
                EXPECT_EQ(0, result) << key;
                EXPECT_EQ("Parameter has not been transferred.", Text(text)) << key;
                continue;
            }
            EXPECT_EQ(1, result) << key << ": " << Text(text);
            VaskFloat value;
            ASSERT_EQ(1, (s_access->*entry->GetFetch())(kOfflineSet, entry->GetChannel(),
                                                        entry->GetIndex() + 1, value))
                << key;
            EXPECT_EQ(source->GetCachedValue().value, value.value) << key;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
    // The changed values, read from the device itself.
    EXPECT_EQ(Floats(Read(kOfflineSet, 1, "w9"))[0],
              analyzer->GetCompareInstrument()->FindParameterByNumber(120)->GetCachedValue().value);
    int range = 0, autorange = 0;
    ASSERT_EQ(1, s_access->GetMeasRange(kOfflineSet, 1, range, autorange));
    EXPECT_EQ(analyzer->GetCompareInstrument()->FindParameterByNumber(7)->GetCachedValue().value,
              (double)range);
    EXPECT_TRUE(host_.reports.empty());
}

}  // namespace
