// The analyzer's device operations without a bus: every row offline, the stored channel name,
// the component status text, the dispatchers by gas and the progress of the offline-set
// transfer (entries bound to a scripted access object).
#include "main_window.h"
#include "node_helpers.h"
#include "nodemessages.h"
#include "operation_rows.h"
#include "recording_host.h"
#include "resource.h"
#include "test_access.h"
#include "vaskinstrument.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

using operation_rows::Outcome;
using operation_rows::Row;
using operation_rows::Rows;

namespace {

const char kMaker[] = "KorvanGA operations test";

// What each argument of a row's offline call becomes: the resets above, the offline answers
// of the channel name, the instrument type and the status text ("Unknown"), every other
// output left alone.
std::vector<Outcome> ExpectedOffline(const Row& row, const std::vector<Outcome>& got) {
    std::vector<Outcome> expected = got;
    const auto resets = operation_rows::Resets().find(row.name);
    for (size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] == Outcome::Input) continue;
        expected[i] = Outcome::Sentinel;
        if (resets != operation_rows::Resets().end() && resets->second.count((int)i))
            expected[i] = Outcome::Reset;
    }
    if (row.name == "GetChannelName" || row.name == "GetInstrumentType")
        expected[0] = Outcome::Written;
    if (row.name == "GetCompSwitchText") expected[1] = Outcome::Written;
    return expected;
}

class Probe : public CVaskInstrument {
public:
    using CVaskInstrument::CVaskInstrument;
    void SetQuentaVariant(int variant) { m_quentaVariant = variant; }
};

class Operations : public ::testing::Test {
protected:
    TestProfile profile_{kMaker};
    RecordingHost host_{1};
    TestAccess access_;
};

TEST_F(Operations, TheTableHasEveryRowOfTheSlotOrder) {
    const std::vector<Row>& rows = Rows();
    ASSERT_EQ(204u, rows.size());
    EXPECT_EQ("Reset", rows.front().name);
    EXPECT_EQ("ReservedCommand", rows[6].name);
    EXPECT_EQ("GetInstrumentType", rows.back().name);
    // The overloads of the limits: values first, then the switches.
    EXPECT_EQ("GetLimit1", rows[25].name);
    EXPECT_EQ("(int c, VaskFloat& value1, VaskFloat& value2)", rows[25].parameters);
    EXPECT_EQ("(int c, LimitStruct& limit)", rows[26].parameters);
}

TEST_F(Operations, OfflineNoRowAsksTheDeviceOrReports) {
    // The rows that answer offline without a device.
    const std::set<std::string> answering = {"Remote",         "GetDateOxy",       "SetDateOxy",
                                             "GetDateH2S",     "SetDateH2S",       "GetChannelName",
                                             "SetChannelName", "GetInstrumentType"};
    struct Case {
        const char* name;
        int mode;
        bool access;
    } cases[] = {{"application offline", 0, true}, {"no access object", 1, false}};
    for (const Case& c : cases) {
        host_.SetMode(c.mode);
        Probe analyzer("Test", 0, c.access ? &access_ : nullptr, 5, 4, 4, 4, 0);
        for (const Row& row : Rows()) {
            // Any request would leave its mark in the access object's error record.
            access_.GetLastError().code = 4242;
            auto call = row.make(2);
            const int result = call->Run(analyzer);
            EXPECT_EQ(answering.count(row.name) ? 1 : 0, result) << c.name << ": " << row.name;
            const std::vector<Outcome> got = call->Outcomes();
            EXPECT_EQ(ExpectedOffline(row, got), got) << c.name << ": " << row.name;
            EXPECT_EQ(4242, access_.GetLastError().code) << c.name << ": " << row.name;
        }
    }
    EXPECT_TRUE(host_.reports.empty());
}

TEST_F(Operations, OfflineTheChannelNameIsTheStoredEntryAndNamesTheNode) {
    host_.SetMode(0);
    CVaskInstrument analyzer("Analyzer 5", 0, &access_, 5, 2, 4, 4, 0);
    CString name = "old";
    EXPECT_EQ(1, analyzer.GetChannelName(name));
    EXPECT_EQ("0", Text(name)) << "the profile's default";

    analyzer.SetChanged(0);
    EXPECT_EQ(1, analyzer.SetChannelName("Kiln 3"));
    EXPECT_EQ("Kiln 3", Text(analyzer.GetName()));
    EXPECT_EQ(1, analyzer.GetChanged());
    CVaskParameter* entry = analyzer.FindParameterByNumber(372);
    ASSERT_NE(nullptr, entry);
    const VaskFloat& stored = entry->GetCachedValue();
    EXPECT_EQ("Kiln 3", Text(stored.text));
    EXPECT_EQ(0.0, stored.value);
    EXPECT_EQ(1, stored.unit);
    EXPECT_EQ(1, stored.quantity);
    EXPECT_EQ(1, analyzer.GetChannelName(name));
    EXPECT_EQ("Kiln 3", Text(name));
    EXPECT_TRUE(host_.reports.empty());
}

TEST_F(Operations, OfflineTheInstrumentTypeIsTheStoredOne) {
    host_.SetMode(0);
    Probe analyzer("Test", 0, &access_, 5, 2, 4, 4, 0);
    analyzer.SetQuentaVariant(2);
    QuentaType type = QuentaType(0);
    EXPECT_EQ(1, analyzer.GetInstrumentType(type));
    EXPECT_EQ(2, (int)type);
}

// An analyzer whose component switches the test gives.
class Switches : public CVaskInstrument {
public:
    Switches() : CVaskInstrument("Switches", 1, nullptr, 1, 4, 4, 4, 0) {}
    int GetCompSwitches(int c, CompSwitchStruct& record) override {
        asked.push_back(c);
        if (!succeed) return 0;
        record = switches;
        return 1;
    }
    bool succeed = true;
    CompSwitchStruct switches = {};
    std::vector<int> asked;
};

TEST_F(Operations, TheComponentStatusTextShowsTheFirstFiveSwitches) {
    struct Case {
        BOOL ar, gw, gj, nu, jm;
        const char* text;
    } cases[] = {
        {1, 1, 1, 1, 1, "[ AR GW GJ NU JM ] "}, {0, 0, 0, 0, 0, "[ __ __ __ __ __ ] "},
        {0, 1, 0, 1, 1, "[ __ GW __ NU JM ] "}, {1, 0, 1, 0, 1, "[ AR __ GJ __ JM ] "},
        {1, 1, 1, 1, 0, "[ AR GW GJ NU __ ] "}, {0, 1, 1, 1, 1, "[ __ GW GJ NU JM ] "},
    };
    Switches analyzer;
    for (const Case& c : cases) {
        analyzer.switches = {};
        analyzer.switches.autorange = c.ar;
        analyzer.switches.autocalCycles = c.gw;
        analyzer.switches.adjustAll = c.gj;
        analyzer.switches.negativeIntegration = c.nu;
        analyzer.switches.limitMonitoring = c.jm;
        CString text;
        EXPECT_NE(0, analyzer.GetCompSwitchText(3, text));
        EXPECT_EQ(c.text, Text(text));
    }
    // The other seven switches are not shown.
    analyzer.switches = {};
    analyzer.switches.bit5 = analyzer.switches.bit6 = analyzer.switches.byte2bit0 = TRUE;
    analyzer.switches.byte2bit4 = TRUE;
    CString text;
    EXPECT_NE(0, analyzer.GetCompSwitchText(1, text));
    EXPECT_EQ("[ __ __ __ __ __ ] ", Text(text));

    analyzer.succeed = false;
    EXPECT_EQ(0, analyzer.GetCompSwitchText(2, text));
    EXPECT_EQ("Unknown", Text(text));
    EXPECT_EQ((std::vector<int>{3, 3, 3, 3, 3, 3, 1, 2}), analyzer.asked);
}

// An analyzer whose operations of the four gases record their calls and answer 10 + gas.
class Gases : public CVaskInstrument {
public:
    Gases() : CVaskInstrument("Gases", 1, nullptr, 1, 4, 4, 4, 0) {}
// (The parameters name the component c.)
#define GAS_OVERRIDE(operation, gas, parameters)                            \
    int operation parameters override {                                     \
        calls.push_back(std::string(#operation) + " " + std::to_string(c)); \
        return 10 + gas;                                                    \
    }
#define GAS_OVERRIDES(prefix, suffix1, parameters) \
    GAS_OVERRIDE(prefix##suffix1, 1, parameters)   \
    GAS_OVERRIDE(prefix##2, 2, parameters)         \
    GAS_OVERRIDE(prefix##3, 3, parameters)         \
    GAS_OVERRIDE(prefix##4, 4, parameters)
    GAS_OVERRIDES(GetLateralGasCorr, , (int c, CorrectionStruct2&))
    GAS_OVERRIDES(SetLateralGasCorr, , (int c, const CorrectionStruct2&))
    GAS_OVERRIDES(GetLateralGasParams, , (int c, VaskFloat&, VaskFloat&, VaskFloat&))
    GAS_OVERRIDES(SetLateralGasParams, ,
                  (int c, const VaskFloat&, const VaskFloat&, const VaskFloat&))
    GAS_OVERRIDES(GetLateralGasConcentration, 1, (int c, VaskFloat&))
    GAS_OVERRIDES(SetLateralGasConcentration, 1, (int c, const VaskFloat&))
#undef GAS_OVERRIDES
#undef GAS_OVERRIDE
    std::vector<std::string> calls;
};

TEST_F(Operations, TheDispatchersCallTheOperationOfTheirGasThroughTheVirtualTable) {
    struct Dispatcher {
        const char* name;
        std::vector<std::string> targets;  // the operations of gases 1 to 4
        std::function<int(Gases&, int n)> call;
    };
    CorrectionStruct2 corr = {};
    VaskFloat a, b, d;
    const Dispatcher dispatchers[] = {
        {"GetLateralGasCorrN",
         {"GetLateralGasCorr", "GetLateralGasCorr2", "GetLateralGasCorr3", "GetLateralGasCorr4"},
         [&](Gases& g, int n) { return g.GetLateralGasCorrN(n, 3, corr); }},
        {"SetLateralGasCorrN",
         {"SetLateralGasCorr", "SetLateralGasCorr2", "SetLateralGasCorr3", "SetLateralGasCorr4"},
         [&](Gases& g, int n) { return g.SetLateralGasCorrN(n, 3, corr); }},
        {"GetLateralGasParamsN",
         {"GetLateralGasParams", "GetLateralGasParams2", "GetLateralGasParams3",
          "GetLateralGasParams4"},
         [&](Gases& g, int n) { return g.GetLateralGasParamsN(n, 3, a, b, d); }},
        {"SetLateralGasParamsN",
         {"SetLateralGasParams", "SetLateralGasParams2", "SetLateralGasParams3",
          "SetLateralGasParams4"},
         [&](Gases& g, int n) { return g.SetLateralGasParamsN(n, 3, a, b, d); }},
        {"GetLateralGasConcentrationN",
         {"GetLateralGasConcentration1", "GetLateralGasConcentration2",
          "GetLateralGasConcentration3", "GetLateralGasConcentration4"},
         [&](Gases& g, int n) { return g.GetLateralGasConcentrationN(n, 3, a); }},
        {"SetLateralGasConcentrationN",
         {"SetLateralGasConcentration1", "SetLateralGasConcentration2",
          "SetLateralGasConcentration3", "SetLateralGasConcentration4"},
         [&](Gases& g, int n) { return g.SetLateralGasConcentrationN(n, 3, a); }},
    };
    Gases analyzer;
    for (const Dispatcher& dispatcher : dispatchers) {
        for (int n : {0, 5, -1}) {
            analyzer.calls.clear();
            EXPECT_EQ(0, dispatcher.call(analyzer, n)) << dispatcher.name << " " << n;
            EXPECT_TRUE(analyzer.calls.empty()) << dispatcher.name << " " << n;
        }
        for (int n = 1; n <= 4; ++n) {
            analyzer.calls.clear();
            EXPECT_EQ(10 + n, dispatcher.call(analyzer, n)) << dispatcher.name << " " << n;
            EXPECT_EQ(std::vector<std::string>{dispatcher.targets[n - 1] + " 3"}, analyzer.calls)
                << dispatcher.name;
        }
    }
}

TEST_F(Operations, TheBaseSensorDatesAreNoneAndOtherOperationsOfNoRequestGive0) {
    // Online as well: the base analyzer has no sensor dates.
    CVaskInstrument analyzer("Test", 0, &access_, 5, 2, 4, 4, 0);
    CTime date = CTime(2019, 1, 2, 3, 4, 5);
    EXPECT_EQ(1, analyzer.GetDateOxy(date));
    EXPECT_EQ(0, date.GetTime());
    date = CTime(2019, 1, 2, 3, 4, 5);
    EXPECT_EQ(1, analyzer.GetDateH2S(date));
    EXPECT_EQ(0, date.GetTime());
    EXPECT_EQ(1, analyzer.SetDateOxy(date));
    EXPECT_EQ(1, analyzer.SetDateH2S(date));
    access_.GetLastError().code = 4242;
    EXPECT_EQ(0, analyzer.ReservedCommand());
    EXPECT_EQ(4242, access_.GetLastError().code);
    EXPECT_TRUE(host_.reports.empty());
}

// An initialised analyzer whose groups hold only the entries a test puts there.
class Bare : public CVaskInstrument {
public:
    explicit Bare(CvaskAccess* access) : CVaskInstrument("Bare", 1, access, 3, 2, 4, 4, 0) {
        Initialize();
    }
    void RegisterParameterGroups() override {}
};

// Entries of a bare analyzer bound to the scripted access object, and their counterparts in
// a bare compare analyzer with values "loaded" as a document gives them.
class OfflineSet {
public:
    OfflineSet(CVaskInstrument& analyzer, TestAccess& access) : analyzer_(analyzer) {
        compare_ = new Bare(nullptr);
        analyzer.SetCompareInstrument(compare_);
    }
    // An entry numbered `number` in group `group` with `attributes`; `transfer` binds the
    // scripted write; its counterpart holds `value`. Only offline entries come from a
    // document: only their counterparts are loaded.
    void Add(int group, int number, int attributes, bool transfer, double value,
             TestAccess& access) {
        entries_.emplace_back(new CVaskParameter);
        CVaskParameter* entry = entries_.back().get();
        entry->Set("E", 1, number % 4, attributes, TestAccess::FetchAdapter(),
                   transfer ? TestAccess::TransferAdapter() : nullptr, &access, "K", "");
        entry->SetNumber(number);
        analyzer_.GetParameterGroup(group)->AddParameter(entry);
        entries_.emplace_back(new CVaskParameter);
        CVaskParameter* source = entries_.back().get();
        source->Set("E", 1, number % 4, attributes, nullptr, nullptr, nullptr, "K", "");
        source->SetNumber(number);
        VaskFloat v = MakeValue(value, "");
        source->SetValue(v);
        source->SetLoaded((attributes & 2) != 0);
        compare_->GetParameterGroup(group)->AddParameter(source);
    }
    CVaskParameter* Source(int number) { return compare_->FindParameterByNumber(number); }

private:
    CVaskInstrument& analyzer_;
    CVaskInstrument* compare_;
    std::vector<std::unique_ptr<CVaskParameter>> entries_;
};

TEST_F(Operations, TheOfflineTransferCountsTheOfflineEntriesUpToExactly100) {
    Bare analyzer(&access_);
    OfflineSet set(analyzer, access_);
    // Three offline entries among five; the entry of list position 18 comes before those of
    // position 20 (group-list order).
    set.Add(20, 11, 7, true, 1.5, access_);
    set.Add(20, 12, 1, true, 2.5, access_);   // not offline: not counted, not written
    set.Add(18, 13, 6, false, 3.5, access_);  // offline, read-only: counted, not written
    set.Add(3, 14, 5, true, 4.5, access_);    // not offline
    set.Add(21, 15, 2, true, 5.5, access_);
    ASSERT_EQ(3, analyzer.CountOfflineParameters());

    MainWindow window;
    std::vector<int> progress;
    std::vector<int> flags;
    window.onMessage = [&](UINT m, WPARAM w, LPARAM l) {
        if (m != GetOfflineTransferMessage()) return false;
        progress.push_back((int)w);
        flags.push_back(analyzer.IsCommandReportEnabled());
        EXPECT_EQ(0, l);
        return true;
    };
    EXPECT_EQ(1, analyzer.TransferOfflineSet(window.Wnd()));
    EXPECT_EQ((std::vector<int>{33, 66, 100}), progress);
    EXPECT_EQ((std::vector<int>{0, 0, 0}), flags) << "no reports while it runs";
    EXPECT_EQ(1, analyzer.IsCommandReportEnabled());

    // Written: the loaded values of the transferable offline entries, in group-list order.
    std::vector<double> written;
    for (const TestAccess::Call& call : access_.transfers) written.push_back(call.value);
    EXPECT_EQ((std::vector<double>{1.5, 5.5}), written);
    int result;
    CString text;
    set.Source(13)->GetTransferResult(result, text);
    EXPECT_EQ(0, result);
    EXPECT_EQ("Parameter has not been transferred.", Text(text));
    set.Source(15)->GetTransferResult(result, text);
    EXPECT_EQ(1, result);
    EXPECT_EQ("Successful", Text(text));
    // The channel name cannot be read from the scripted device: the node keeps its name.
    EXPECT_EQ("Bare", Text(analyzer.GetName()));
}

TEST_F(Operations, WithoutOfflineEntriesTheTransferEndsAt100AndWithoutASetNothingHappens) {
    Bare analyzer(&access_);
    MainWindow window;
    std::vector<int> progress;
    window.onMessage = [&](UINT m, WPARAM w, LPARAM) {
        if (m == GetOfflineTransferMessage()) progress.push_back((int)w);
        return m == GetOfflineTransferMessage();
    };
    EXPECT_EQ(0, analyzer.TransferOfflineSet(window.Wnd())) << "no compare analyzer";
    EXPECT_TRUE(progress.empty());

    OfflineSet set(analyzer, access_);
    set.Add(20, 12, 1, true, 2.5, access_);
    EXPECT_EQ(1, analyzer.TransferOfflineSet(window.Wnd()));
    EXPECT_EQ(std::vector<int>{100}, progress);
    EXPECT_EQ(1, analyzer.TransferOfflineSet(nullptr)) << "no progress window";
    EXPECT_EQ(std::vector<int>{100}, progress);
}

TEST_F(Operations, CompareTransfersWithoutACompareAnalyzerGive0) {
    CVaskInstrument analyzer("Test", 0, &access_, 5, 2, 4, 4, 0);
    access_.GetLastError().code = 4242;
    EXPECT_EQ(0, analyzer.TransferCompareMeasRange());
    EXPECT_EQ(0, analyzer.TransferCompareRangeLimits());
    EXPECT_EQ(0, analyzer.TransferCompareSlopeGas());
    EXPECT_EQ(0, analyzer.TransferCompareAutocalCycle());
    EXPECT_EQ(0, analyzer.TransferCompareIntegrationTime());
    EXPECT_EQ(0, analyzer.TransferCompareLimits());
    EXPECT_EQ(4242, access_.GetLastError().code) << "nothing asked";
}

}  // namespace
