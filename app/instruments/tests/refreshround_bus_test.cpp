// The analyzer's reads within refresh rounds, against the simulator on COM1: a device that
// does not answer is asked once per round, a value read twice in a round is asked once, a
// rejection still counts as an answer, other threads are not bound by a round, and the
// registration reads the conditions of its groups once. The reads run under a
// StaleDeviceClock, so that every read outside a round asks the device. (The program's application object is the one of
// analyzer_bus_test.cpp.)
#include "analyzer_bus_fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <thread>
#include <vector>

using vasksim::SimLogEntry;

namespace {

// One device per test: what the access object counts of one (faults) does not reach another.
enum Device {
    kSilent = 1,      // stops answering
    kReadTwice = 2,   // answers
    kRejecting = 3,   // rejects everything
    kOtherThread = 4, // stops answering while another thread reads it
    kRegistered = 5,  // registers with heating and an extension card
    kGivenUp = 6,     // stops answering, read outside rounds
};

// The link layer's attempts at one telegram times the access object's tries at a request:
// what one unanswered request puts on the line.
const size_t kUnansweredRequest = 9;

// The reads that the main window's views make of an analyzer in a refresh, with what each
// gave.
struct ViewReads {
    int state = -1;
    int channelState = -2;
    int meas = -1, ext = -1, switches = -1, range = -1;
    VaskFloat values[4];
    ExtStatusStruct status = {};
    CompSwitchStruct compSwitches = {};
    VaskFloat rangeValue;

    void Read(CVaskInstrument& analyzer) {
        state = analyzer.GetState();
        channelState = analyzer.GetChannelState();
        meas = analyzer.GetMeas(values);
        ext = analyzer.GetExtStatus(status);
        switches = analyzer.GetCompSwitches(1, compSwitches);
        range = analyzer.FindParameterByNumber(6)->GetValue(rangeValue);
    }
};

class RefreshRounds : public AnalyzerBusFixture {
protected:
    static void SetUpTestSuite() {
        OpenLine({"DEVICE 1 type=1 components=2", "DEVICE 2 type=1 components=2",
                  "DEVICE 3 type=1 components=2", "DEVICE 4 type=1 components=2",
                  "DEVICE 5 type=1 components=2", "SET 5 optioncard 3",
                  "DEVICE 6 type=1 components=2"},
                 kGivenUp);
    }
    void TearDown() override { Sim("CLEARFAULTS"); }

    // The telegrams to a device since the log was cleared, counted by message ("k23").
    std::map<std::string, size_t> Counts(int address) {
        std::vector<SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries)) << sim_.LastError();
        std::map<std::string, size_t> counts;
        const std::string device = std::to_string(address) + "/";
        for (const SimLogEntry& e : entries)
            if (e.to.compare(0, device.size(), device) == 0)
                ++counts[std::string(1, e.command) + std::to_string(e.function)];
        return counts;
    }
    size_t Sent(int address) {
        size_t n = 0;
        for (const auto& count : Counts(address)) n += count.second;
        return n;
    }
};

TEST_F(RefreshRounds, ADeviceThatDoesNotAnswerIsAskedOncePerRoundAndAgainInTheNext) {
    auto analyzer = Analyzer(kSilent);
    ASSERT_TRUE(analyzer->FindParameterByNumber(6)->IsChangeable());
    StaleDeviceClock stale;
    ASSERT_TRUE(Sim("FAULT 1 silent always"));
    ViewReads reads;
    {
        CRefreshRound round;
        reads.Read(*analyzer);
        EXPECT_TRUE(analyzer->IsSilentInRound());
        // The reads that came after the first failure fail without a request, as reads that
        // found no answer.
        ViewReads again;
        again.Read(*analyzer);
        EXPECT_EQ(reads.state, again.state);
        EXPECT_EQ(-1, again.channelState);
        EXPECT_EQ(0, again.meas);
        EXPECT_EQ(0, again.ext);
        EXPECT_EQ(0, again.switches);
        EXPECT_EQ(0, again.range);
    }
    EXPECT_EQ(kUnansweredRequest, Sent(kSilent)) << "one unanswered request in the round";
    EXPECT_NE(4, reads.state) << "one unanswered request does not give the device up";
    EXPECT_EQ(-1, reads.channelState);
    EXPECT_EQ(0, reads.meas);
    EXPECT_EQ(0, reads.ext);
    EXPECT_EQ(0, reads.switches);
    EXPECT_EQ(0, reads.range);
    EXPECT_FALSE(analyzer->IsSilentInRound()) << "outside the round";

    // The next round asks again, and the device comes back by itself.
    ASSERT_TRUE(Sim("CLEARFAULTS 1"));
    ASSERT_TRUE(Sim("CLEARLOG"));
    {
        CRefreshRound round;
        reads.Read(*analyzer);
        EXPECT_FALSE(analyzer->IsSilentInRound());
    }
    EXPECT_TRUE(reads.state == 2 || reads.state == 3) << reads.state;
    EXPECT_EQ(1, reads.meas);
    EXPECT_EQ(1, reads.ext);
    EXPECT_EQ(1, reads.switches);
    EXPECT_EQ(1, reads.range);
}

TEST_F(RefreshRounds, OutsideARoundTheSameReadsAskUntilTheDeviceIsGivenUp) {
    auto analyzer = Analyzer(kGivenUp);
    StaleDeviceClock stale;
    ASSERT_TRUE(Sim("FAULT 6 silent always"));
    ViewReads reads;
    reads.Read(*analyzer);
    // Each read asks until two unanswered requests have counted the device out; the access
    // object then refuses the rest (until it gives the device its next chance).
    EXPECT_GE(Sent(kGivenUp), 2 * kUnansweredRequest);
}

TEST_F(RefreshRounds, AValueReadTwiceInARoundIsAskedOnce) {
    auto analyzer = Analyzer(kReadTwice);
    StaleDeviceClock stale;
    ViewReads first, second;
    {
        CRefreshRound round;
        first.Read(*analyzer);
        second.Read(*analyzer);
    }
    // The switches (which answer both of the state's questions, answering and remote), the
    // status (channel state) and component 1's switches, the measured values, the extended
    // status and the range: once each.
    const std::map<std::string, size_t> wanted = {
        {"k3", 1}, {"k4", 2}, {"k2", 1}, {"k23", 1}, {"s8", 1}};
    std::map<std::string, size_t> once = Counts(kReadTwice);
    for (const auto& w : wanted) EXPECT_EQ(w.second, once[w.first]) << w.first;
    EXPECT_EQ(first.state, second.state);
    EXPECT_EQ(first.channelState, second.channelState);
    EXPECT_EQ(1, second.meas);
    EXPECT_EQ(Text(first.values[0].text), Text(second.values[0].text));
    EXPECT_EQ(1, second.ext);
    EXPECT_EQ(0, memcmp(&first.status, &second.status, sizeof first.status));
    EXPECT_EQ(1, second.switches);
    EXPECT_EQ(0, memcmp(&first.compSwitches, &second.compSwitches, sizeof first.compSwitches));
    EXPECT_EQ(1, second.range);
    EXPECT_EQ(Text(first.rangeValue.text), Text(second.rangeValue.text));

    // Outside a round each read asks, and the state asks both of its questions.
    ASSERT_TRUE(Sim("CLEARLOG"));
    first.Read(*analyzer);
    second.Read(*analyzer);
    std::map<std::string, size_t> twice = Counts(kReadTwice);
    for (const auto& w : wanted)
        EXPECT_EQ((w.first == "k3" ? 4 : 2) * w.second, twice[w.first]) << w.first;
}

TEST_F(RefreshRounds, ARejectionIsAnAnswer) {
    auto analyzer = Analyzer(kRejecting);
    StaleDeviceClock stale;
    ASSERT_TRUE(Sim("FAULT 3 reject always ??"));
    CRefreshRound round;
    ExtStatusStruct status;
    CompSwitchStruct switches;
    EXPECT_EQ(0, analyzer->GetExtStatus(status));
    EXPECT_EQ(0, analyzer->GetCompSwitches(0, switches));
    EXPECT_FALSE(analyzer->IsSilentInRound());
    EXPECT_EQ((std::map<std::string, size_t>{{"k23", 1}, {"k4", 1}}), Counts(kRejecting));
}

TEST_F(RefreshRounds, AnotherThreadIsNotBoundByTheRound) {
    auto analyzer = Analyzer(kOtherThread);
    StaleDeviceClock stale;
    ASSERT_TRUE(Sim("FAULT 4 silent always"));
    CRefreshRound round;
    ExtStatusStruct status;
    EXPECT_EQ(0, analyzer->GetExtStatus(status));
    ASSERT_TRUE(analyzer->IsSilentInRound());
    const size_t roundSent = Sent(kOtherThread);
    int asked = -1;
    BOOL silentThere = TRUE;
    std::thread other([&] {
        CompSwitchStruct switches;
        asked = analyzer->GetCompSwitches(0, switches);
        silentThere = analyzer->IsSilentInRound();
    });
    other.join();
    EXPECT_EQ(0, asked);
    EXPECT_FALSE(silentThere);
    EXPECT_GT(Sent(kOtherThread), roundSent) << "the other thread asked the device";
}

TEST_F(RefreshRounds, RegistrationAsksTheConditionsOfItsGroupsOnce) {
    ASSERT_EQ(1, s_access->SetHeating(kRegistered, 0, 1, 150));
    ASSERT_TRUE(Sim("CLEARLOG"));
    auto analyzer = Registered(kRegistered);
    const std::map<std::string, size_t> sent = Counts(kRegistered);
    EXPECT_EQ(1u, sent.at("s29")) << "heating";
    EXPECT_EQ(1u, sent.at("s33")) << "option card";
    EXPECT_EQ(1u, sent.at("k31")) << "instrument type";
    // The groups that depend on them still follow the device.
    EXPECT_EQ(1, analyzer->HasHeating());
    EXPECT_EQ(1, analyzer->HasExtensionCard());
    EXPECT_EQ(2, (int)analyzer->GetParameterGroup(35)->GetParameterList().GetCount());
}

}  // namespace
