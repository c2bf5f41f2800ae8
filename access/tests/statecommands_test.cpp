// State commands and switches: their numbers on the wire, Reset with its wait, the range
// check of AdjustSlope and the remote bookkeeping.
#include "access_test_support.h"

using namespace scripted;

namespace {

ScriptedBus::Script AnsweringExcept(std::string address, char command, int function) {
    return [=](const SentRequest& r, int) {
        ScriptedBus::Reaction reaction;
        if (!(r.address == address && r.command == command && r.function == function))
            reaction.replies.push_back({r.address, Body(r.command, r.function)});
        return reaction;
    };
}

}  // namespace

class StateCommandTest : public AccessFixture {
protected:
    void SetUp() override {
        AccessFixture::SetUp();
        Open(access);
        bus.SetScript(ScriptedBus::Answering());
    }
};

struct StateCase {
    const char* name;
    int (CvaskAccess::*member)(int, int);
    int state;
};

class StateTableTest : public StateCommandTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(StateTableTest, SendsItsStateWithoutValues) {
    ASSERT_EQ(1, (access.*GetParam().member)(4, 1));
    std::vector<SentRequest> sent = bus.Sent();
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ("4/2", sent[0].address);
    EXPECT_EQ(Bytes({'Z', (unsigned char)GetParam().state}), sent[0].body);
}

#define STATE(m, n) \
    StateCase { #m, &CvaskAccess::m, n }
INSTANTIATE_TEST_SUITE_P(
    Members, StateTableTest,
    ::testing::Values(STATE(Pause, 2), STATE(Standby, 3), STATE(Measure, 4),
                      STATE(AdjustZeroPoint, 5), STATE(AdustSlope, 7), STATE(AdjustLinearSag, 8),
                      STATE(AdjustLinearSens, 9), STATE(AdjustTempCoefficient, 10),
                      STATE(AdjustPressureComp, 11), STATE(AdjustZeroPointLinear, 12),
                      STATE(AdjustFlowSensor, 13), STATE(Autocal, 14), STATE(AdjustPhase, 15),
                      STATE(AdjustZeroPointOxy, 16), STATE(AdjustAnalogOutput, 19),
                      STATE(AdjustAnalogInput, 20), STATE(AutocalCheck, 21),
                      STATE(AdjustRiseO2, 24), STATE(AdjustZeroPointH2S, 25),
                      STATE(AdjustRiseH2S, 26)),
    [](const ::testing::TestParamInfo<StateCase>& info) { return std::string(info.param.name); });
#undef STATE

struct SwitchCase {
    const char* name;
    int (CvaskAccess::*member)(int, int, int);
    int number;
};

class SwitchTableTest : public StateCommandTest,
                        public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(SwitchTableTest, SendsItsSwitchWithTheOnOffValue) {
    const SwitchCase& c = GetParam();
    (access.*c.member)(2, 0, 1);
    (access.*c.member)(2, 0, 0);
    std::vector<SentRequest> sent = bus.Sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(Bytes({'F', (unsigned char)c.number, '1', 0}), sent.front().body);
    EXPECT_EQ(Bytes({'F', (unsigned char)c.number, '0', 0}), sent.back().body);
    EXPECT_EQ("2/1", sent.back().address);
    if (c.number <= 29) {
        // Every switch the catalogue knows is answered and accepted.
        EXPECT_EQ(2u, sent.size());
        EXPECT_EQ(1, (access.*c.member)(2, 0, 1));
    }
}

#define SWITCH(m, n) \
    SwitchCase { #m, &CvaskAccess::m, n }
INSTANTIATE_TEST_SUITE_P(
    Members, SwitchTableTest,
    ::testing::Values(SWITCH(Remote, 1), SWITCH(PressureSwitchMeas, 2),
                      SWITCH(PressureSwitchComp, 3), SWITCH(AdjustAll, 4), SWITCH(Service, 5),
                      SWITCH(NullGasValve, 6), SWITCH(Ignite, 7), SWITCH(MagneticField, 8),
                      SWITCH(MagneticValve, 9), SWITCH(Broadcast, 10), SWITCH(Pump, 11),
                      SWITCH(Radiator, 12), SWITCH(LogInhibit, 13), SWITCH(SensorSwitch, 14),
                      SWITCH(SuppressNegativeAnalog, 15), SWITCH(RangeWarning, 16),
                      SWITCH(Clean, 17), SWITCH(AdjustZeroBeforeSlope, 18), SWITCH(Heating, 23),
                      SWITCH(CommonZero, 28), SWITCH(SuppressNegativeDisplay, 29),
                      SWITCH(Ignition, 30), SWITCH(Catalysator, 31), SWITCH(Fan, 32)),
    [](const ::testing::TestParamInfo<SwitchCase>& info) { return std::string(info.param.name); });
#undef SWITCH

TEST_F(StateCommandTest, StateCommandsWaitOneSecondForTheirAnswer) {
    bus.SetScript(ScriptedBus::Silent());
    EXPECT_EQ(0, access.Measure(3, 0));
    std::vector<SentRequest> sent = bus.Sent();
    ASSERT_EQ(3u, sent.size());
    EXPECT_NEAR(1000, sent[1].receivesBefore - sent[0].receivesBefore, 1);
}

// ---- Reset ------------------------------------------------------------------------------------------

TEST_F(StateCommandTest, ResetWithoutWaitSendsOnlyTheReset) {
    ASSERT_EQ(1, access.Reset(3, 2, 0));
    EXPECT_EQ(std::vector<std::string>{"Z1 3/3"}, Requests());
}

TEST_F(StateCommandTest, ResetWithWaitPollsTheDeviceOnChannelZero) {
    ASSERT_EQ(1, access.Reset(3, 2, 1));
    EXPECT_EQ((std::vector<std::string>{"Z1 3/3", "k4 3/1"}), Requests());
}

TEST_F(StateCommandTest, ResetWithWaitGivesUpAfterEightySecondsOfSilence) {
    AddDevice(access, 3);
    bus.SetScript(AnsweringExcept("3/1", 'k', 4));
    int result = -1, code = -1;
    Start([&] {
        result = access.Reset(3, 0, 1);
        code = access.GetLastError().code;
    });
    ASSERT_TRUE(WaitUntil([&] { return bus.SentCount() >= 2; }));
    testclock::Advance(80000);
    ASSERT_TRUE(Join());
    EXPECT_EQ(0, result);
    EXPECT_EQ(9, code);
    std::vector<std::string> requests = Requests();
    EXPECT_EQ("Z1 3/1", requests.front());
    EXPECT_EQ("k4 3/1", requests.back());
}

TEST_F(StateCommandTest, ResetWaitKeepsPollingAListedDeviceThatStaysSilentLong) {
    // Six polls of three tries go unanswered, more than make a device unavailable; the
    // seventh is answered. The clock moves only with the polls of the line.
    AddDevice(access, 3);
    const int silentSends = 6 * 3;
    bus.SetScript([=](const SentRequest& r, int index) {
        ScriptedBus::Reaction reaction;
        if (index >= silentSends)
            reaction.replies.push_back({r.address, Body(r.command, r.function)});
        return reaction;
    });
    int result = -1;
    Start([&] { result = access.WaitAfterReset(3); });
    // Each try waits for its acknowledgement in real time: on a busy machine the 18 tries
    // have taken more than 20 s.
    const bool ended = Join(60000);
    if (!ended) {
        testclock::Advance(80000);  // lets a wait stuck on refusals end
        Join();
    }
    EXPECT_TRUE(ended) << "error " << access.GetLastError().code;
    EXPECT_EQ(1, result);
    EXPECT_EQ(silentSends + 1, bus.SentCount());
    EXPECT_EQ(0, access.GetDevice(3)->GetFaultCounter());
}

TEST_F(StateCommandTest, FailedResetDoesNotWait) {
    bus.SetScript([](const SentRequest& r, int) {
        ScriptedBus::Reaction reaction;
        reaction.replies.push_back({r.address, Body('B', 83)});
        return reaction;
    });
    EXPECT_EQ(0, access.Reset(3, 0, 1));
    EXPECT_EQ(49, access.GetLastError().code);
    EXPECT_EQ(std::vector<std::string>{"Z1 3/1"}, Requests());
}

// ---- AdjustSlope ------------------------------------------------------------------------------------

TEST_F(StateCommandTest, AdjustSlopeChecksTheRangeBeforeSending) {
    AddDevice(access, 3, 1, 2);
    struct Case {
        int address, range;
    } refused[] = {{3, 0}, {3, 3}, {3, -1}, {4, 1}};
    for (const Case& c : refused) {
        EXPECT_EQ(0, access.AdjustSlope(c.address, 0, c.range)) << c.address << " " << c.range;
        EXPECT_EQ(39, access.GetLastError().code);
        EXPECT_EQ(0u, access.GetLastError().info);
    }
    EXPECT_EQ(0, bus.SentCount());
    ASSERT_EQ(1, access.AdjustSlope(3, 0, 2));
    EXPECT_EQ(Bytes({'Z', 6, 2, 0}), bus.Sent()[0].body);
}

// ---- Remote -------------------------------------------------------------------------------------------

TEST_F(StateCommandTest, SecondRemoteDeviceFirstSwitchesThePreviousOneOffOnChannelOne) {
    ASSERT_EQ(1, access.Remote(3, 0, 1));
    EXPECT_EQ(3, CvaskAccessInternal::RemoteAddress(access));
    bus.ClearSent();
    ASSERT_EQ(1, access.Remote(5, 0, 1));
    EXPECT_EQ((std::vector<std::string>{"F1 3/2", "F1 5/1"}), Requests());
    std::vector<SentRequest> sent = bus.Sent();
    EXPECT_EQ('0', sent[0].body[2]);
    EXPECT_EQ('1', sent[1].body[2]);
    EXPECT_EQ(5, CvaskAccessInternal::RemoteAddress(access));
    EXPECT_EQ(1, CvaskAccessInternal::RemoteMode(access));

    // The same device again: no switching off.
    bus.ClearSent();
    ASSERT_EQ(1, access.Remote(5, 1, 1));
    EXPECT_EQ(std::vector<std::string>{"F1 5/2"}, Requests());
}

TEST_F(StateCommandTest, SwitchingAnotherDeviceOffKeepsTheRemoteDevice) {
    ASSERT_EQ(1, access.Remote(3, 0, 1));
    bus.ClearSent();
    ASSERT_EQ(1, access.Remote(5, 0, 0));
    EXPECT_EQ(std::vector<std::string>{"F1 5/1"}, Requests());
    EXPECT_EQ(3, CvaskAccessInternal::RemoteAddress(access));
    EXPECT_EQ(1, CvaskAccessInternal::RemoteMode(access));

    ASSERT_EQ(1, access.Remote(3, 0, 0));
    EXPECT_EQ(-1, CvaskAccessInternal::RemoteAddress(access));
    EXPECT_EQ(0, CvaskAccessInternal::RemoteMode(access));
}

TEST_F(StateCommandTest, RemoteBookkeepingStandsEvenWhenTheSwitchFails) {
    bus.SetScript(AnsweringExcept("7/1", 'F', 1));
    EXPECT_EQ(0, access.Remote(7, 0, 1));
    EXPECT_EQ(7, CvaskAccessInternal::RemoteAddress(access));
    EXPECT_EQ(1, CvaskAccessInternal::RemoteMode(access));
}

TEST_F(StateCommandTest, RemoteCheckKeepsTheRemoteDeviceOnAndSwitchesOthersOff) {
    CDeviceData* held = AddDevice(access, 3);
    CDeviceData* other = AddDevice(access, 4);  // remote as far as known
    ASSERT_EQ(1, access.Remote(3, 0, 1));
    bus.ClearSent();

    access.CheckRemote();  // device 3: in remote, nothing to do
    EXPECT_EQ(0, bus.SentCount());
    access.CheckRemote();  // device 4: switched off
    EXPECT_EQ(std::vector<std::string>{"F1 4/1"}, Requests());
    EXPECT_EQ(0, other->IsRemote());

    // The device lost remote control: restored once the keep-alive period is over.
    held->SetRemote(0);
    bus.ClearSent();
    access.CheckRemote();
    access.CheckRemote();
    testclock::Advance(5000);
    access.CheckRemote();
    EXPECT_EQ(std::vector<std::string>{"F1 3/1"}, Requests());
    EXPECT_EQ('1', bus.Sent()[0].body[2]);
    EXPECT_EQ(1, held->IsRemote());
}
