// The analyzer against the simulator on COM1: an entry bound to a real Fetch member, the
// device state and its changed mark, the channel's messages, the report of a rejected
// request, broadcast pausing, the silent background queries, the measured values, the
// instrument type and the channel and warm-up states during a parameter-set transfer.
#include "analyzer_bus_fixture.h"
#include "main_window.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using vasksim::SimLogEntry;

namespace {

CWinApp theApp("KorvanGA analyzer bus test");

// The devices of the suite, one per concern, so that what the access object caches of one
// (switches for 2 s, fault counts) does not reach another.
enum Device {
    kIdentity = 1,   // the default Sindor 6 with two components: serial, state, messages
    kSilent = 2,     // stops answering
    kConflict = 3,   // answers its version request twice
    kReport = 4,     // rejects its switch reads
    kQuiet = 5,      // broadcasting off
    kOptions = 6,    // heating and option card
    kParamSet = 7,   // takes a parameter set
    kBroadcast = 8,  // broadcasting on
    kSixValues = 9,  // six components
    kLabels = 10,    // two components measuring CO and CO2
    kNoValues = 11,  // rejects its measured-value requests
    kPages = 12,     // option card and heating for the page choices
};

const char kSerial[] = "4711-0815";

// Polls `done` every 50 ms until it holds or `ms` have passed.
bool WaitFor(const std::function<bool()>& done, DWORD ms = 8000) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start > ms) return false;
        Sleep(50);
    }
}

class AnalyzerOnTheBus : public AnalyzerBusFixture {
protected:
    static void SetUpTestSuite() {
        OpenLine(
            {"SET 1 serial 4711-0815", "DEVICE 3 type=1", "FAULT 3 duplicate always on=k6",
             "DEVICE 4 type=1", "DEVICE 5 type=1", "SET 5 switch 10 0", "DEVICE 6 type=1",
             "DEVICE 7 type=2", "DEVICE 8 type=1", "SET 8 switch 10 1",
             "DEVICE 9 type=1 components=6", "DEVICE 10 type=1 components=2", "SET 10 gas 0 2",
             "SET 10 gas 1 3", "DEVICE 11 type=1 components=2", "DEVICE 12 type=1 components=2"},
            kSixValues);
    }
};

TEST_F(AnalyzerOnTheBus, AnEntryReadsTheDeviceThroughItsFetchMember) {
    auto analyzer = Analyzer(kIdentity);
    CVaskParameter serial;
    serial.Init(17000, 0, 0, 3, &CvaskAccess::FetchSerialNumber, nullptr, s_access, 15041, "k,6");
    analyzer->GetParameterGroup(1)->AddParameter(&serial);
    VaskFloat value;
    ASSERT_EQ(1, serial.GetValue(value)) << (LPCSTR)s_access->GetLastError().text;
    EXPECT_EQ(kSerial, Text(value.text));
    EXPECT_EQ("Diagnostic/Factory settings\\Hardware Fact.-no.", Text(serial.GetKey()));
}

TEST_F(AnalyzerOnTheBus, TheStateFollowsTheRemoteSwitchAndMarksOnlyItsFlips) {
    auto analyzer = Analyzer(kIdentity);
    ASSERT_TRUE(Sim("SET 1 remote 0"));
    analyzer->SetChanged(0);
    ASSERT_TRUE(WaitFor([&] { return analyzer->GetState() == 3; }));
    EXPECT_EQ(0, analyzer->GetChanged()) << "local from the start: no flip";

    ASSERT_TRUE(Sim("SET 1 remote 1"));
    ASSERT_TRUE(WaitFor([&] { return analyzer->GetState() == 2; }));
    EXPECT_EQ(1, analyzer->GetChanged());

    // The access object switches devices that it did not put into remote control back to
    // local; either way the flip is marked.
    ASSERT_TRUE(Sim("SET 1 remote 0"));
    analyzer->SetChanged(0);
    ASSERT_TRUE(WaitFor([&] { return analyzer->GetState() == 3; }));
    EXPECT_EQ(1, analyzer->GetChanged());
    analyzer->SetChanged(0);
    EXPECT_EQ(3, analyzer->GetState());
    EXPECT_EQ(0, analyzer->GetChanged());
    EXPECT_EQ(3, analyzer->FetchState());

    // Not chosen for connection: 5, answering or not, and nothing is asked.
    ASSERT_TRUE(Sim("CLEARLOG"));
    analyzer->SetConnectionEnabled(0);
    EXPECT_EQ(5, analyzer->GetState());
    EXPECT_TRUE(Telegrams().empty());
}

TEST_F(AnalyzerOnTheBus, TwoDevicesAtOneAddressGive6) {
    auto conflict = Analyzer(kConflict);
    EXPECT_EQ(6, conflict->GetState());
    auto other = Analyzer(kIdentity);
    EXPECT_NE(6, other->GetState());
}

TEST_F(AnalyzerOnTheBus, ADeviceThatStopsAnsweringGives4AndIsMarkedOnce) {
    auto analyzer = Analyzer(kSilent, 1);
    ASSERT_TRUE(WaitFor([&] { return analyzer->GetState() == 3; }));
    analyzer->SetChanged(0);
    ASSERT_TRUE(Sim("FAULT 2 silent always"));
    ASSERT_TRUE(WaitFor([&] { return analyzer->GetState() == 4; }, 60000));
    EXPECT_EQ(1, analyzer->GetChanged());
    // Counted as gone, the device is not asked again.
    ASSERT_TRUE(Sim("CLEARLOG"));
    analyzer->SetChanged(0);
    EXPECT_EQ(4, analyzer->GetState());
    EXPECT_EQ(0, analyzer->GetChanged());
    EXPECT_TRUE(Telegrams().empty());
    EXPECT_TRUE(Sim("CLEARFAULTS 2"));
}

TEST_F(AnalyzerOnTheBus, TheChannelsMessagesFollowItsStatusFlags) {
    auto analyzer = Analyzer(kIdentity);
    struct Case {
        int flags;
        std::vector<std::string> texts;
        BOOL fault;
    } cases[] = {
        {1 | 2 | 16, {"Error", "warning / maintenance request", "function check"}, TRUE},
        {2, {"warning / maintenance request"}, FALSE},
        {16 | 64, {"function check"}, FALSE},
        {0, {}, FALSE},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Sim("SET 1 flags " + std::to_string(c.flags)));
        std::vector<std::string> texts;
        BOOL fault = FALSE;
        EXPECT_TRUE(WaitFor([&] {
            CStringList list;
            fault = analyzer->GetStateTexts(list);
            texts.clear();
            for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
                texts.push_back(Text(list.GetNext(pos)));
            return texts == c.texts;
        })) << c.flags;
        EXPECT_EQ(c.texts, texts) << c.flags;
        EXPECT_EQ(c.fault, fault) << c.flags;
    }
}

TEST_F(AnalyzerOnTheBus, ARejectedRequestReachesTheSinkWithItsCommandWhileTheFlagIsSet) {
    auto analyzer = Analyzer(kReport);
    ASSERT_TRUE(Sim("FAULT 4 reject 1 ?? on=k3"));
    ChannelSwitchStruct switches;
    EXPECT_EQ(0, analyzer->GetSwitches(switches));
    ASSERT_EQ(1u, host_.reports.size());
    EXPECT_EQ("Error.\nVask command: \"k, 3\"", host_.reports[0].text);
    const ErrorStruct_& record = s_access->GetLastError();
    EXPECT_NE(0, host_.reports[0].error.code);
    EXPECT_EQ(record.code, host_.reports[0].error.code);
    EXPECT_EQ((unsigned long)(('k' << 8) | 3), host_.reports[0].error.info);
    EXPECT_EQ(Text(record.text), Text(host_.reports[0].error.text));

    analyzer->EnableCommandReport(0);
    ASSERT_TRUE(Sim("FAULT 4 reject 1 ?? on=k3"));
    EXPECT_EQ(0, analyzer->GetSwitches(switches));
    EXPECT_EQ(1u, host_.reports.size()) << "nothing while the flag is clear";
    EXPECT_EQ((std::vector<std::string>{"k3 4/0", "k3 4/0"}), Telegrams());

    // Read again, it answers.
    analyzer->EnableCommandReport(1);
    EXPECT_EQ(1, analyzer->GetSwitches(switches));
    EXPECT_EQ(1u, host_.reports.size());
}

TEST_F(AnalyzerOnTheBus, PausingSwitchesBroadcastingOffAndBackOnlyWhenItWasOn) {
    // Without a pause, resuming sends nothing.
    auto quiet = Analyzer(kQuiet);
    EXPECT_EQ(1, quiet->PauseBroadcast(0));
    EXPECT_TRUE(Telegrams().empty());
    // Broadcasting is off: the pause only reads the switches.
    EXPECT_EQ(1, quiet->PauseBroadcast(1));
    EXPECT_EQ(1, quiet->PauseBroadcast(0));
    EXPECT_EQ((std::vector<std::string>{"k3 5/0"}), Telegrams());

    ASSERT_TRUE(Sim("CLEARLOG"));
    auto broadcasting = Analyzer(kBroadcast);
    EXPECT_EQ(1, broadcasting->PauseBroadcast(1));
    EXPECT_EQ(1, broadcasting->PauseBroadcast(0));
    EXPECT_EQ(1, broadcasting->PauseBroadcast(0)) << "resumed once";
    std::vector<SimLogEntry> log;
    ASSERT_TRUE(sim_.Log(log));
    std::vector<std::string> sent;
    for (const SimLogEntry& e : log)
        sent.push_back(std::string(1, e.command) + std::to_string(e.function) + " " + e.to +
                       (e.command == 'F' ? " " + e.values : ""));
    // The switch travels as the character '0' or '1'.
    EXPECT_EQ((std::vector<std::string>{"k3 8/0", "F10 8/0 " + std::to_string('0'),
                                        "F10 8/0 " + std::to_string('1')}),
              sent);
    EXPECT_TRUE(host_.reports.empty());
}

TEST_F(AnalyzerOnTheBus, HeatingAndOptionCardAreAskedSilentlyAndFailToNo) {
    auto analyzer = Analyzer(kOptions);
    ASSERT_EQ(1, s_access->SetHeating(kOptions, 0, 1, 150));
    EXPECT_EQ(1, analyzer->HasHeating());
    ASSERT_EQ(1, s_access->SetHeating(kOptions, 0, 0, 150));
    EXPECT_EQ(0, analyzer->HasHeating());
    ASSERT_EQ(1, s_access->SetHeating(kOptions, 0, 1, 150));
    ASSERT_TRUE(Sim("FAULT 6 reject 1 ?? on=s29"));
    EXPECT_EQ(0, analyzer->HasHeating());

    ASSERT_TRUE(Sim("SET 6 optioncard 2"));
    EXPECT_EQ(1, analyzer->HasExtensionCard());
    ASSERT_TRUE(Sim("SET 6 optioncard 1"));
    EXPECT_EQ(0, analyzer->HasExtensionCard());
    ASSERT_TRUE(Sim("SET 6 optioncard 3"));
    ASSERT_TRUE(Sim("FAULT 6 reject 1 ?? on=s33"));
    EXPECT_EQ(0, analyzer->HasExtensionCard());

    EXPECT_TRUE(host_.reports.empty()) << "background queries report nothing";
    EXPECT_EQ(1, analyzer->IsCommandReportEnabled()) << "and leave the flag as it was";
    // Asked directly, the same failures are reported with their own texts.
    int on, temperature;
    ASSERT_TRUE(Sim("FAULT 6 reject 1 ?? on=s29"));
    EXPECT_EQ(0, analyzer->GetHeating(on, temperature));
    ASSERT_TRUE(Sim("FAULT 6 reject 1 ?? on=s33"));
    OptionCardType card;
    EXPECT_EQ(0, analyzer->GetOptionCard(card));
    ASSERT_EQ(2u, host_.reports.size());
    EXPECT_EQ("Error while reading the heating parameters.\nVask command: \"s, 29\"",
              host_.reports[0].text);
    EXPECT_EQ("Error while reading the otional board.\nVask command: \"s, 33\"",
              host_.reports[1].text);
}

TEST_F(AnalyzerOnTheBus, MeasuredValuesFillFourComponentsAndMarkTheMissingOnes) {
    auto two = Analyzer(kIdentity);
    VaskFloat values[4];
    ASSERT_EQ(1, two->GetMeas(values)) << (LPCSTR)s_access->GetLastError().text;
    EXPECT_EQ(2, values[0].quantity) << "CO";
    EXPECT_EQ(3, values[1].quantity) << "CO2";
    for (int c = 2; c < 4; ++c) {
        EXPECT_EQ("Unknown", Text(values[c].text)) << c;
        EXPECT_EQ(0.0, values[c].value);
        EXPECT_EQ(1, values[c].unit);
        EXPECT_EQ(1, values[c].quantity);
    }
    // A device with more components fills no more than the four.
    auto six = Analyzer(kSixValues, 4);
    VaskFloat guarded[6];
    guarded[4].text = guarded[5].text = "guard";
    ASSERT_EQ(1, six->GetMeas(guarded)) << (LPCSTR)s_access->GetLastError().text;
    EXPECT_EQ("guard", Text(guarded[4].text));
    EXPECT_EQ("guard", Text(guarded[5].text));
    EXPECT_NE("Unknown", Text(guarded[3].text));
    EXPECT_TRUE(host_.reports.empty());
}

TEST_F(AnalyzerOnTheBus, TheInstrumentTypeIsAlwaysGivenAndFallsBackTo1) {
    auto analyzer = Analyzer(kIdentity);
    ASSERT_TRUE(Sim("FAULT 1 reject 1 ?? on=k31"));
    QuentaType type = QuentaType(7);
    EXPECT_EQ(1, analyzer->GetInstrumentType(type));
    EXPECT_EQ(1, (int)type);
    EXPECT_EQ((std::vector<std::string>{"k31 1/0"}), Telegrams());
    EXPECT_TRUE(host_.reports.empty()) << "the type read reports nothing";
}

TEST_F(AnalyzerOnTheBus, DuringAParameterSetTransferTheChannelStateIs22AndTheDeviceWarmsUp) {
    auto analyzer = Analyzer(kParamSet, 1);
    char dir[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "prm", 0, path);
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        std::string set(120, '\0');
        for (size_t i = 0; i < set.size(); ++i) set[i] = (char)(i * 7 + 1);
        file.Write(set.data(), (UINT)set.size());
    }
    const UINT message = WM_APP + 24;
    MainWindow window;
    std::vector<int> states;
    // The warm-up state meanwhile: 1 (warming up), without asking the device.
    std::vector<std::pair<int, int>> warmUp;
    window.onMessage = [&](UINT m, WPARAM, LPARAM) {
        if (m != message) return false;
        states.push_back(analyzer->GetChannelState());
        WarmUpStatusType state = WarmUpStatusType(0);
        const int result = analyzer->GetWarmUpState(state);
        warmUp.emplace_back(result, (int)state);
        return true;
    };
    EXPECT_EQ(1, analyzer->WriteParamSet(path, window.Wnd(), message))
        << (LPCSTR)s_access->GetLastError().text;
    DeleteFileA(path);
    ASSERT_FALSE(states.empty());
    for (int state : states) EXPECT_EQ(22, state);
    for (const auto& w : warmUp) EXPECT_EQ(std::make_pair(0, 1), w);
    const std::vector<std::string> sent = Telegrams();
    EXPECT_EQ(sent.end(), std::find(sent.begin(), sent.end(), "k29 7/0"));
    EXPECT_TRUE(host_.reports.empty());
    EXPECT_EQ(0, analyzer->IsTransferRunning());
    EXPECT_NE(22, analyzer->GetChannelState());
    // Afterwards the device is asked again.
    WarmUpStatusType state = WarmUpStatusType(0);
    ASSERT_TRUE(Sim("CLEARLOG"));
    EXPECT_EQ(1, analyzer->GetWarmUpState(state));
    EXPECT_EQ((std::vector<std::string>{"k29 7/0"}), Telegrams());
}

TEST_F(AnalyzerOnTheBus, EntryNamesBeginWithTheGasesTheDeviceMeasures) {
    auto analyzer = Registered(kLabels);
    EXPECT_EQ("C2: CO2: Range", Text(analyzer->FindParameterByNumber(7)->GetName()));
    EXPECT_EQ("C2: CO2: Range 1 : ", Text(analyzer->FindParameterByNumber(18)->GetName()));
    EXPECT_EQ("C1: CO: T90 inside", Text(analyzer->FindParameterByNumber(98)->GetName()));
    EXPECT_EQ(nullptr, analyzer->FindParameterByNumber(8)) << "two components";
    // The measured values' gases became the component names; components the device lacks
    // carry the no-value mark, whose quantity 1 is the blank gas.
    EXPECT_EQ("CO", Text(analyzer->GetComponentName(0)));
    EXPECT_EQ("CO2", Text(analyzer->GetComponentName(1)));
    EXPECT_EQ(" ", Text(analyzer->GetComponentName(2)));
    EXPECT_EQ(" ", Text(analyzer->GetComponentName(3)));
    EXPECT_EQ("C2: CO2", Text(analyzer->GetComponentLabel(1)));

    // A quantity past the gas table is "Unknown" (the access object keeps measured values
    // for two seconds).
    ASSERT_TRUE(Sim("SET 10 gas 1 51"));
    EXPECT_TRUE(WaitFor([&] { return analyzer->GetComponentLabel(1) == "C2: Unknown"; }));
    EXPECT_EQ("Unknown", Text(analyzer->GetComponentName(1)));
    ASSERT_TRUE(Sim("SET 10 gas 1 3"));

    // Offline the cached names label, and nothing is asked.
    ASSERT_TRUE(Sim("CLEARLOG"));
    host_.SetMode(0);
    EXPECT_EQ("C1: CO", Text(analyzer->GetComponentLabel(0)));
    analyzer->SetComponentName(2, "");
    EXPECT_EQ("Component 3", Text(analyzer->GetComponentLabel(2)));
    EXPECT_TRUE(Telegrams().empty());
    EXPECT_TRUE(host_.reports.empty());
}

TEST_F(AnalyzerOnTheBus, RegistrationReportsNoFailureOfItsQueries) {
    ASSERT_TRUE(Sim("FAULT 11 reject always ?? on=k2"));
    auto analyzer = Registered(kNoValues);
    EXPECT_TRUE(host_.reports.empty());
    EXPECT_EQ(1, analyzer->IsCommandReportEnabled());
    const std::vector<std::string> sent = Telegrams();
    EXPECT_NE(sent.end(), std::find(sent.begin(), sent.end(), "k2 11/0"))
        << "the labels were asked for";
    // Without measured values the labels fall back.
    EXPECT_EQ("Component 2: Range", Text(analyzer->FindParameterByNumber(7)->GetName()));

    // Asked afterwards, the same failure is reported.
    VaskFloat values[4];
    EXPECT_EQ(0, analyzer->GetMeas(values));
    ASSERT_EQ(1u, host_.reports.size());
    EXPECT_EQ("Error.\nVask command: \"k, 2\"", host_.reports[0].text);
    EXPECT_TRUE(Sim("CLEARFAULTS 11"));
}

TEST_F(AnalyzerOnTheBus, PageChoicesFollowTheDeviceAtRegistration) {
    struct Case {
        int card, heating;
        int unitsPage, busPage, heatingEntries;
    } cases[] = {{3, 1, 3, 4, 2}, {1, 0, 2, 3, 0}};
    for (const Case& c : cases) {
        ASSERT_TRUE(Sim("SET 12 optioncard " + std::to_string(c.card)));
        ASSERT_EQ(1, s_access->SetHeating(kPages, 0, c.heating, 150));
        auto analyzer = Registered(kPages);
        EXPECT_EQ(c.unitsPage, analyzer->FindParameterByNumber(374)->GetEditPage()) << c.card;
        EXPECT_EQ(c.busPage, analyzer->FindParameterByNumber(372)->GetEditPage()) << c.heating;
        EXPECT_EQ(c.heatingEntries,
                  (int)analyzer->GetParameterGroup(35)->GetParameterList().GetCount());
    }
    EXPECT_TRUE(host_.reports.empty());
}

}  // namespace
