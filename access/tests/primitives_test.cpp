// The request shapes: what each sends, what it takes from the answer, and the all-device
// switches and date helpers.
#include "access_test_support.h"

using namespace scripted;

namespace {

ScriptedBus::Script RejectFrom(std::string address, char letter, int function) {
    return [=](const SentRequest& r, int) {
        ScriptedBus::Reaction reaction;
        if (r.address == address)
            reaction.replies.push_back({r.address, Body(letter, function)});
        else
            reaction.replies.push_back({r.address, Body(r.command, r.function)});
        return reaction;
    };
}

VaskFloat Value(double number) {
    VaskFloat v;
    v.value = number;
    v.text = "unchanged";
    return v;
}

}  // namespace

class PrimitivesTest : public AccessFixture {
protected:
    void SetUp() override {
        AccessFixture::SetUp();
        Open(access);
    }
};

// ---- switches ------------------------------------------------------------------------------------

TEST_F(PrimitivesTest, SwitchSendsItsOnOffValueWithin400ms) {
    bus.SetScript(ScriptedBus::Answering());
    ASSERT_EQ(1, CvaskAccessInternal::SetSwitch(access, SwitchPump, 3, 1, 1));
    ASSERT_EQ(1, CvaskAccessInternal::SetSwitch(access, SwitchPump, 3, 1, 0));
    std::vector<SentRequest> sent = bus.Sent();
    ASSERT_EQ(2u, sent.size());
    EXPECT_EQ(Bytes({'F', 11, '1', 0}), sent[0].body);
    EXPECT_EQ(Bytes({'F', 11, '0', 0}), sent[1].body);
    EXPECT_EQ("3/2", sent[0].address);

    // The time-out shows in the polls between two tries of a silent device.
    bus.SetScript(ScriptedBus::Silent());
    bus.ClearSent();
    EXPECT_EQ(0, CvaskAccessInternal::SetSwitch(access, SwitchPump, 3, 0, 1));
    sent = bus.Sent();
    ASSERT_EQ(3u, sent.size());
    EXPECT_NEAR(400, sent[1].receivesBefore - sent[0].receivesBefore, 1);
}

TEST_F(PrimitivesTest, RemoteSwitchUpdatesTheEntryOnlyWhenAccepted) {
    CDeviceData* device = AddDevice(access, 3);
    ASSERT_EQ(1, device->IsRemote());
    bus.SetScript(RejectFrom("3/1", 'O', 70));
    EXPECT_EQ(0, CvaskAccessInternal::SetSwitch(access, SwitchRemote, 3, 0, 0));
    EXPECT_EQ(48, access.GetLastError().code);
    EXPECT_EQ(1, device->IsRemote());

    bus.SetScript(ScriptedBus::Answering());
    EXPECT_EQ(1, CvaskAccessInternal::SetSwitch(access, SwitchRemote, 3, 0, 0));
    EXPECT_EQ(0, device->IsRemote());
    EXPECT_EQ(1, CvaskAccessInternal::SetSwitch(access, SwitchRemote, 3, 0, 1));
    EXPECT_EQ(1, device->IsRemote());
    // Another switch leaves the flag alone.
    EXPECT_EQ(1, CvaskAccessInternal::SetSwitch(access, SwitchPump, 3, 0, 0));
    EXPECT_EQ(1, device->IsRemote());
}

TEST_F(PrimitivesTest, SwitchAllOnAnEmptyListSucceedsWithoutTraffic) {
    EXPECT_EQ(1, access.RemoteOn());
    EXPECT_EQ(1, access.BroadcastOff());
    EXPECT_EQ(0, bus.SentCount());
}

TEST_F(PrimitivesTest, SwitchAllGoesOnAfterAFailingDevice) {
    AddDevice(access, 2);
    AddDevice(access, 5);
    AddDevice(access, 9);
    bus.SetScript(RejectFrom("5/1", 'B', 83));
    EXPECT_EQ(0, access.BroadcastOn());
    EXPECT_EQ((std::vector<std::string>{"F10 2/1", "F10 5/1", "F10 9/1"}), Requests());
    for (const SentRequest& r : bus.Sent()) EXPECT_EQ(Bytes({'F', 10, '1', 0}), r.body);

    bus.SetScript(ScriptedBus::Answering());
    bus.ClearSent();
    EXPECT_EQ(1, access.RemoteOff());
    EXPECT_EQ((std::vector<std::string>{"F1 2/1", "F1 5/1", "F1 9/1"}), Requests());
    // The all-device switch does not touch the remote bookkeeping.
    EXPECT_EQ(-1, CvaskAccessInternal::RemoteAddress(access));
}

// ---- integers and report lists --------------------------------------------------------------------

TEST_F(PrimitivesTest, IntegerReadAndWrite) {
    // Reads are answered with the value, the write without.
    bus.SetScript([](const SentRequest& r, int) {
        ScriptedBus::Reaction reaction;
        reaction.replies.push_back(
            {r.address, Body(r.command, r.function, r.command == 'k' ? IntByte(3) : Bytes())});
        return reaction;
    });
    int value = 0;
    ASSERT_EQ(1, CvaskAccessInternal::GetInt(access, 'k', 17, 4, 0, value));
    EXPECT_EQ(3, value);
    ASSERT_EQ(1, CvaskAccessInternal::SetInt(access, 'K', 17, 4, 0, 3));
    EXPECT_EQ(Bytes({'K', 17, 3, 0}), bus.Sent()[1].body);
}

TEST_F(PrimitivesTest, IntegerReadWithoutAValueFailsWith37) {
    bus.SetScript(ScriptedBus::Answering());  // "k" 17 without its value still parses
    int value = 9;
    EXPECT_EQ(0, CvaskAccessInternal::GetInt(access, 'k', 17, 4, 0, value));
    EXPECT_EQ(37, access.GetLastError().code);
    EXPECT_EQ(('k' << 8) + 17u, access.GetLastError().info);
    EXPECT_EQ(9, value);
}

TEST_F(PrimitivesTest, ReportListTakesEveryValueAndMayBeEmpty) {
    bus.SetScript(ScriptedBus::Answering(Concat({IntByte(4), IntByte(17), IntByte(201)})));
    int list[30] = {};
    int count = -1;
    ASSERT_EQ(1, CvaskAccessInternal::GetReports(access, 5, 3, 0, list, count));
    ASSERT_EQ(3, count);
    EXPECT_EQ(4, list[0]);
    EXPECT_EQ(17, list[1]);
    EXPECT_EQ(201, list[2]);

    bus.SetScript(ScriptedBus::Answering());
    ASSERT_EQ(1, CvaskAccessInternal::GetReports(access, 5, 3, 0, list, count));
    EXPECT_EQ(0, count);
}

// ---- floats ----------------------------------------------------------------------------------------

struct FloatsCase {
    const char* name;
    int count;     // values the caller expects
    Bytes values;  // what "w" 6 (three values) brings
    bool ok;
};

class GetFloatsTest : public PrimitivesTest, public ::testing::WithParamInterface<FloatsCase> {};

TEST_P(GetFloatsTest, TakesTheValuesOnlyWhenEveryExpectedOneIsThere) {
    const FloatsCase& c = GetParam();
    bus.SetScript(ScriptedBus::Answering(c.values));
    VaskFloat v[3] = {Value(-1), Value(-2), Value(-3)};
    VaskFloat* values[3] = {&v[0], &v[1], &v[2]};
    int result = CvaskAccessInternal::GetFloats(access, 6, 2, 0, values, c.count);
    EXPECT_EQ(1, bus.SentCount());
    if (c.ok) {
        ASSERT_EQ(1, result);
        EXPECT_DOUBLE_EQ(1.5, v[0].value);
        EXPECT_EQ(CString("1.500"), v[0].text);
        EXPECT_EQ(5, v[0].unit);
        EXPECT_DOUBLE_EQ(3.5, v[2].value);
    } else {
        EXPECT_EQ(0, result);
        EXPECT_EQ(37, access.GetLastError().code);
        EXPECT_EQ(('w' << 8) + 6u, access.GetLastError().info);
        EXPECT_DOUBLE_EQ(-1, v[0].value);
        EXPECT_EQ(CString("unchanged"), v[0].text);
        EXPECT_DOUBLE_EQ(-2, v[1].value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, GetFloatsTest,
    ::testing::Values(FloatsCase{"all_three", 3,
                                 Concat({UFloat("1.500", 5), UFloat("2.500"), UFloat("3.500")}),
                                 true},
                      FloatsCase{"two_expected_of_three", 2,
                                 Concat({UFloat("1.500", 5), UFloat("2.500"), UFloat("3.500")}),
                                 false},
                      FloatsCase{"answered_with_one_value", 3, UFloat("1.500", 5), false},
                      FloatsCase{"answered_without_values", 3, Bytes(), false}),
    [](const ::testing::TestParamInfo<FloatsCase>& info) { return std::string(info.param.name); });

TEST_F(PrimitivesTest, FloatWriteSendsEachValueAsANumber) {
    bus.SetScript(ScriptedBus::Answering());
    VaskFloat a = Value(1.5), b = Value(-20);
    const VaskFloat* values[2] = {&a, &b};
    ASSERT_EQ(1, CvaskAccessInternal::SetFloats(access, 4, 2, 0, values, 2));
    EXPECT_EQ(Concat({Bytes({'W', 4}), Float("1.500"), Float("-20.000")}), bus.Sent()[0].body);
}

// ---- configuration transfer ----------------------------------------------------------------------

TEST_F(PrimitivesTest, TransferPausesFifteenSecondsAfterSuccessOnly) {
    // A rejected transfer returns without the pause: the frozen clock would hold it.
    bus.SetScript(RejectFrom("3/1", 'B', 83));
    int failed = -1, code = -1;
    Start([&] {
        failed = CvaskAccessInternal::Transfer(access, 3, 0, TransferSaveUser);
        code = access.GetLastError().code;
    });
    ASSERT_TRUE(Join());
    EXPECT_EQ(0, failed);
    EXPECT_EQ(49, code);
    EXPECT_EQ(Bytes({'K', 14, 2, 0}), bus.Sent()[0].body);

    bus.SetScript(ScriptedBus::Answering());
    std::atomic<int> done(-1);
    Start([&] { done = CvaskAccessInternal::Transfer(access, 3, 0, TransferLoadBase); });
    ASSERT_TRUE(WaitUntil([&] { return bus.SentCount() == 2; }));
    DWORD moved = AdvanceUntilFinished(1000, 30000);
    ASSERT_TRUE(Join());
    EXPECT_GE(moved, 15000u);
    EXPECT_EQ(1, done.load());
}

// ---- dates -------------------------------------------------------------------------------------------

TEST(DateHelpers, LeapYearsAndMonthLengths) {
    EXPECT_EQ(1, CvaskAccessInternal::IsLeapYear(1996));
    EXPECT_EQ(0, CvaskAccessInternal::IsLeapYear(1997));
    EXPECT_EQ(0, CvaskAccessInternal::IsLeapYear(1900));
    EXPECT_EQ(1, CvaskAccessInternal::IsLeapYear(2000));
    EXPECT_EQ(1, CvaskAccessInternal::DayIsCorrect(31, 1, 2001));
    EXPECT_EQ(0, CvaskAccessInternal::DayIsCorrect(31, 4, 2001));
    EXPECT_EQ(1, CvaskAccessInternal::DayIsCorrect(29, 2, 2004));
    EXPECT_EQ(0, CvaskAccessInternal::DayIsCorrect(29, 2, 2003));
    EXPECT_EQ(0, CvaskAccessInternal::DayIsCorrect(30, 2, 2004));
    EXPECT_EQ(0, CvaskAccessInternal::DayIsCorrect(1, 13, 2004));
    EXPECT_EQ(0, CvaskAccessInternal::DayIsCorrect(1, 0, 2004));
}

TEST(DateHelpers, TwoDigitYearsFrom1970To2035) {
    struct Case {
        int y, mo, d, h, mi, s;
        int year;  // 0: the zero time
    } cases[] = {{0, 1, 1, 0, 0, 0, 2000}, {69, 12, 31, 23, 59, 59, 0}, {96, 2, 29, 12, 0, 0, 1996},
                 {97, 2, 29, 12, 0, 0, 0}, {70, 1, 2, 0, 0, 0, 1970},   {35, 6, 1, 8, 30, 0, 2035},
                 {36, 1, 1, 0, 0, 0, 0},   {5, 0, 10, 0, 0, 0, 0},      {5, 4, 0, 0, 0, 0, 0}};
    for (const Case& c : cases) {
        CTime t = CvaskAccessInternal::MakeTime(c.y, c.mo, c.d, c.h, c.mi, c.s);
        if (c.year == 0) {
            EXPECT_EQ(0, t.GetTime()) << c.y << "-" << c.mo << "-" << c.d;
        } else {
            EXPECT_EQ(c.year, t.GetYear()) << c.y;
            EXPECT_EQ(c.mo, t.GetMonth());
            EXPECT_EQ(c.d, t.GetDay());
            EXPECT_EQ(c.h, t.GetHour());
            EXPECT_EQ(c.mi, t.GetMinute());
        }
    }
}
