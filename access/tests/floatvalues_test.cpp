// The float values of CvaskAccess against the scripted bus: every value group's request,
// wire order and reply count, the lists per measuring range and per autocal step, the
// value caches and their lifetimes (on a wall clock the test sets), and the dates.
#include "access_test_support.h"
#include "test_bytes.h"

#include <stdio.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

using namespace scripted;

namespace {

// The request form of numbers: "%.3f" and a NUL each.
Bytes Numbers(std::initializer_list<const char*> texts) {
    Bytes out;
    for (const char* t : texts) {
        Bytes one = Float(t);
        out.insert(out.end(), one.begin(), one.end());
    }
    return out;
}

VaskFloat Value(double value, int unit = 1, const char* text = nullptr) {
    VaskFloat v;
    v.value = value;
    v.unit = unit;
    if (text != nullptr) v.text = text;
    return v;
}

VaskFloat Sentinel() { return Value(-777.0, 9, "untouched"); }

// The wall clock of the device list's time stamps, set by the tests.
time_t g_wallClock = 1000000000;
CTime WallClock() { return CTime(g_wallClock); }

}  // namespace

class FloatTest : public AccessFixture {
protected:
    void SetUp() override {
        AccessFixture::SetUp();
        SetDeviceClock(WallClock);
        Open(access);
    }
    void TearDown() override {
        AccessFixture::TearDown();
        SetDeviceClock(NULL);
    }
    // Answers every "w" request with these values and every "W" request without values.
    void Answer(const Bytes& values) {
        bus.SetScript([values](const SentRequest& request, int) {
            ScriptedBus::Reaction reaction;
            reaction.replies.push_back(
                {request.address, Body(request.command, request.function,
                                       request.command == 'w' ? values : Bytes())});
            return reaction;
        });
    }
    int Sent() { return bus.SentCount(); }
    Bytes LastBody() {
        std::vector<SentRequest> sent = bus.Sent();
        return sent.empty() ? Bytes() : sent.back().body;
    }
    void Later(int seconds) { g_wallClock += seconds; }
};

// ---- every fixed group -----------------------------------------------------------------------

typedef std::function<int(CvaskAccess&, int channel, VaskFloat*)> Getter;
typedef std::function<int(CvaskAccess&, int channel, const VaskFloat*)> Setter;

struct GroupCase {
    const char* name;
    int number;
    int count;
    // For each value as it travels, the argument (1 = first) it belongs to.
    const char* wireOrder;
    Getter get;
    Setter set;  // null for the read-only groups
};

#define VASK_GET_1(name) \
    [](CvaskAccess& a, int ch, VaskFloat* v) { return a.Get##name(3, ch, v[0]); }
#define VASK_GET_2(name) \
    [](CvaskAccess& a, int ch, VaskFloat* v) { return a.Get##name(3, ch, v[0], v[1]); }
#define VASK_GET_3(name) \
    [](CvaskAccess& a, int ch, VaskFloat* v) { return a.Get##name(3, ch, v[0], v[1], v[2]); }
#define VASK_GET_4(name) \
    [](CvaskAccess& a, int ch, VaskFloat* v) { return a.Get##name(3, ch, v[0], v[1], v[2], v[3]); }
#define VASK_GET_5(name)                                         \
    [](CvaskAccess& a, int ch, VaskFloat* v) {                   \
        return a.Get##name(3, ch, v[0], v[1], v[2], v[3], v[4]); \
    }
#define VASK_SET_1(name) \
    [](CvaskAccess& a, int ch, const VaskFloat* v) { return a.Set##name(3, ch, v[0]); }
#define VASK_SET_2(name) \
    [](CvaskAccess& a, int ch, const VaskFloat* v) { return a.Set##name(3, ch, v[0], v[1]); }
#define VASK_SET_3(name) \
    [](CvaskAccess& a, int ch, const VaskFloat* v) { return a.Set##name(3, ch, v[0], v[1], v[2]); }
#define VASK_SET_4(name)                                   \
    [](CvaskAccess& a, int ch, const VaskFloat* v) {       \
        return a.Set##name(3, ch, v[0], v[1], v[2], v[3]); \
    }
#define VASK_SET_5(name)                                         \
    [](CvaskAccess& a, int ch, const VaskFloat* v) {             \
        return a.Set##name(3, ch, v[0], v[1], v[2], v[3], v[4]); \
    }
#define VASK_RW(name, number, n, order) \
    GroupCase { #name, number, n, order, VASK_GET_##n(name), VASK_SET_##n(name) }
#define VASK_RO(name, number, n, order) \
    GroupCase { #name, number, n, order, VASK_GET_##n(name), nullptr }

class FloatGroupTest : public FloatTest, public ::testing::WithParamInterface<GroupCase> {
protected:
    void SetUp() override {
        FloatTest::SetUp();
        AddDevice(access, 3, 2);
    }
};

TEST_P(FloatGroupTest, ReadTakesTheValuesInWireOrder) {
    const GroupCase& c = GetParam();
    // Wire value i is (i + 1).25 in unit i + 2.
    Bytes reply;
    for (int i = 0; i < c.count; ++i) {
        char text[16];
        snprintf(text, sizeof text, " %d.25", i + 1);
        Bytes one = UFloat(text, i + 2);
        reply.insert(reply.end(), one.begin(), one.end());
    }
    Answer(reply);
    VaskFloat args[5] = {Sentinel(), Sentinel(), Sentinel(), Sentinel(), Sentinel()};
    ASSERT_EQ(1, c.get(access, 0, args)) << (LPCSTR)access.GetLastError().text;
    EXPECT_EQ(Hex(RequestBody('w', c.number)), Hex(LastBody()));
    for (int i = 0; i < c.count; ++i) {
        int argument = c.wireOrder[i] - '1';
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(i + 1.25, args[argument].value);
        EXPECT_EQ(i + 2, args[argument].unit);
        char text[16];
        snprintf(text, sizeof text, " %d.25", i + 1);
        EXPECT_STREQ(text, (LPCSTR)args[argument].text) << "as the device sent it";
    }
}

TEST_P(FloatGroupTest, ReadWithAValueMissingIsError37AndTouchesNothing) {
    const GroupCase& c = GetParam();
    Bytes reply;
    for (int i = 0; i < c.count - 1; ++i) {
        Bytes one = UFloat("4.5", 2);
        reply.insert(reply.end(), one.begin(), one.end());
    }
    Answer(reply);
    VaskFloat args[5] = {Sentinel(), Sentinel(), Sentinel(), Sentinel(), Sentinel()};
    EXPECT_EQ(0, c.get(access, 0, args));
    EXPECT_EQ(37, access.GetLastError().code);
    for (int i = 0; i < c.count; ++i) EXPECT_EQ(-777.0, args[i].value) << i;
    // Nothing was kept either: the next read asks again.
    Answer(Bytes());
    bus.ClearSent();
    EXPECT_EQ(0, c.get(access, 0, args));
    EXPECT_EQ(1, Sent());
}

TEST_P(FloatGroupTest, RejectedReadLeavesTheValues) {
    const GroupCase& c = GetParam();
    bus.SetScript(ScriptedBus::Rejecting());
    VaskFloat args[5] = {Sentinel(), Sentinel(), Sentinel(), Sentinel(), Sentinel()};
    EXPECT_EQ(0, c.get(access, 0, args));
    EXPECT_EQ(51, access.GetLastError().code);
    EXPECT_EQ(((unsigned long)'w' << 8) + (unsigned long)c.number, access.GetLastError().info);
    for (int i = 0; i < c.count; ++i) EXPECT_STREQ("untouched", (LPCSTR)args[i].text);
}

std::vector<GroupCase> AllGroups() {
    return {VASK_RW(LinearGas, 4, 2, "12"),
            VASK_RW(NullGas, 5, 1, "1"),
            VASK_RW(AutocalCycle, 6, 3, "213"),
            VASK_RW(Limit1, 9, 2, "12"),
            VASK_RW(Limit2, 10, 2, "12"),
            VASK_RW(IntegrationTime, 11, 4, "1234"),
            VASK_RW(AutorangeLimits, 12, 2, "21"),
            VASK_RW(PumpPower, 13, 1, "1"),
            VASK_RW(FlowSetting, 17, 1, "1"),
            VASK_RW(AirPressure, 18, 1, "1"),
            VASK_RW(AnalogOutput, 19, 1, "1"),
            VASK_RW(Frequency, 21, 1, "1"),
            VASK_RW(Reducer, 22, 1, "1"),
            VASK_RW(Phase, 23, 1, "1"),
            VASK_RW(FaultSignalDuration, 24, 1, "1"),
            VASK_RW(AdjustTolerance, 25, 3, "123"),
            VASK_RW(ShockCompensation, 26, 1, "1"),
            VASK_RW(ExtPressureRange, 27, 2, "12"),
            VASK_RW(LateralGasParams, 28, 3, "123"),
            VASK_RW(RelayDelay, 30, 3, "123"),
            VASK_RW(RefTemp, 31, 1, "1"),
            VASK_RW(ControllerParam, 32, 2, "12"),
            VASK_RW(ControllerValue, 33, 2, "12"),
            VASK_RW(ControllerLimits, 34, 2, "12"),
            VASK_RW(ControllerPoint1, 35, 3, "123"),
            VASK_RW(ControllerPoint2, 36, 3, "123"),
            VASK_RW(AlarmLimits, 37, 4, "1234"),
            VASK_RW(CleaningTimes, 38, 5, "12345"),
            VASK_RW(OutputMiddle, 39, 1, "1"),
            VASK_RW(AutorangeLower, 40, 3, "123"),
            VASK_RW(AutorangeUpper, 41, 3, "123"),
            VASK_RW(CharactEndValue, 42, 1, "1"),
            VASK_RO(Deviations, 43, 2, "12"),
            VASK_RW(LateralGasParams2, 44, 3, "123"),
            VASK_RW(Limit3, 63, 2, "12"),
            VASK_RW(Limit4, 64, 2, "12"),
            VASK_RW(AutocalCheckTolerances, 65, 2, "12"),
            VASK_RW(LateralGasParams3, 66, 3, "123"),
            VASK_RW(LateralGasParams4, 67, 3, "123"),
            VASK_RW(LateralGasConcentration1, 68, 1, "1"),
            VASK_RW(LateralGasConcentration2, 69, 1, "1"),
            VASK_RW(LateralGasConcentration3, 70, 1, "1"),
            VASK_RW(LateralGasConcentration4, 71, 1, "1"),
            VASK_RW(LateralGasCoeff1, 72, 3, "123"),
            VASK_RW(LateralGasCoeff2, 73, 3, "123"),
            VASK_RW(LateralGasCoeff3, 74, 3, "123"),
            VASK_RW(LateralGasCoeff4, 75, 3, "123"),
            VASK_RW(FaultSignalThreshold, 77, 1, "1"),
            VASK_RO(SetPointsPressure, 81, 2, "12"),
            VASK_RW(PressureTolerances, 82, 3, "231"),
            VASK_RW(DriftValues, 83, 5, "12345"),
            VASK_RW(SlopeGasO2, 89, 1, "1"),
            VASK_RW(SlopeGasH2S, 91, 1, "1")};
}

std::vector<GroupCase> WritableGroups() {
    std::vector<GroupCase> writable;
    for (const GroupCase& c : AllGroups())
        if (c.set) writable.push_back(c);
    return writable;
}

std::string GroupName(const ::testing::TestParamInfo<GroupCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Groups, FloatGroupTest, ::testing::ValuesIn(AllGroups()), GroupName);

class FloatGroupWriteTest : public FloatGroupTest {};

TEST_P(FloatGroupWriteTest, WriteSendsTheArgumentsInWireOrder) {
    const GroupCase& c = GetParam();
    Answer(Bytes());
    VaskFloat args[5];
    for (int j = 0; j < 5; ++j) args[j] = Value(10.0 * (j + 1) + 0.5, 2, "ignored text");
    ASSERT_EQ(1, c.set(access, 0, args)) << (LPCSTR)access.GetLastError().text;
    Bytes values;
    for (int i = 0; i < c.count; ++i) {
        char text[16];
        snprintf(text, sizeof text, "%d.500", 10 * (c.wireOrder[i] - '0'));
        Bytes one = Float(text);
        values.insert(values.end(), one.begin(), one.end());
    }
    EXPECT_EQ(Hex(RequestBody('W', c.number, values)), Hex(LastBody()));
}

// The device takes numbers as "%.3f": NaN and the infinities have no such text, and from
// 1e35 on it would be exponent form. Such a value is refused before anything is sent, and
// no cache keeps it: the next read goes to the device.
TEST_P(FloatGroupWriteTest, AValueWithoutAFixedPointTextIsRefusedAndNotKept) {
    const GroupCase& c = GetParam();
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(), -1e35, 1e300};
    Answer(Bytes());
    VaskFloat args[5];
    for (double b : bad) {
        SCOPED_TRACE(b);
        for (int j = 0; j < 5; ++j) args[j] = Value(j + 1);
        args[c.count - 1] = Value(b);
        EXPECT_EQ(0, c.set(access, 0, args));
        EXPECT_EQ(30, access.GetLastError().code);
    }
    EXPECT_EQ(0, Sent());
    Bytes reply;
    for (int i = 0; i < c.count; ++i) {
        Bytes one = UFloat("6");
        reply.insert(reply.end(), one.begin(), one.end());
    }
    Answer(reply);
    ASSERT_EQ(1, c.get(access, 0, args)) << (LPCSTR)access.GetLastError().text;
    EXPECT_EQ(1, Sent()) << "read from the device";
    EXPECT_EQ(6.0, args[c.count - 1].value);
}

INSTANTIATE_TEST_SUITE_P(Groups, FloatGroupWriteTest, ::testing::ValuesIn(WritableGroups()),
                         GroupName);

// The wire orders spelled out with the numbers of the edge cases.
TEST_F(FloatTest, AutocalCycleSwapsItsFirstTwoValues) {
    AddDevice(access, 3);
    Answer(Concat({UFloat("10"), UFloat("20"), UFloat("30")}));
    VaskFloat a, b, c;
    ASSERT_EQ(1, access.GetAutocalCycle(3, 0, a, b, c));
    EXPECT_EQ(20.0, a.value);
    EXPECT_EQ(10.0, b.value);
    EXPECT_EQ(30.0, c.value);
    ASSERT_EQ(1, access.SetAutocalCycle(3, 0, Value(1), Value(2), Value(3)));
    EXPECT_EQ(Hex(RequestBody('W', 6, Numbers({"2.000", "1.000", "3.000"}))), Hex(LastBody()));
}

TEST_F(FloatTest, AutorangeLimitsAndPressureTolerancesTakeTheirOrder) {
    Answer(Concat({UFloat("5"), UFloat("1")}));
    VaskFloat a, b, c;
    ASSERT_EQ(1, access.GetAutorangeLimits(3, 0, a, b));
    EXPECT_EQ(1.0, a.value);
    EXPECT_EQ(5.0, b.value);
    Answer(Concat({UFloat("1"), UFloat("2"), UFloat("3")}));
    ASSERT_EQ(1, access.GetPressureTolerances(3, 0, a, b, c));
    EXPECT_EQ(3.0, a.value);
    EXPECT_EQ(1.0, b.value);
    EXPECT_EQ(2.0, c.value);
}

TEST_F(FloatTest, LateralGasCoefficients4WritesNumber75) {
    Answer(Bytes());
    ASSERT_EQ(1, access.SetLateralGasCoeff4(3, 1, Value(1), Value(2), Value(3)));
    EXPECT_EQ(Hex(RequestBody('W', 75, Numbers({"1.000", "2.000", "3.000"}))), Hex(LastBody()));
    EXPECT_EQ("3/2", bus.Sent().back().address);
}

// ---- values kept per channel until the channel records are rebuilt ------------------------

struct ChannelCacheCase {
    const char* name;
    int count;
    Getter get;
    Setter set;
};

class ChannelCacheTest : public FloatTest, public ::testing::WithParamInterface<ChannelCacheCase> {
protected:
    CDeviceData* device = nullptr;
    void SetUp() override {
        FloatTest::SetUp();
        device = AddDevice(access, 3, 2);
    }
    Bytes Reply(const char* number) {
        Bytes reply;
        for (int i = 0; i < GetParam().count; ++i) {
            Bytes one = UFloat(number, 2);
            reply.insert(reply.end(), one.begin(), one.end());
        }
        return reply;
    }
};

TEST_P(ChannelCacheTest, ReadOnceThenFromTheDeviceListWhateverTheTime) {
    const ChannelCacheCase& c = GetParam();
    Answer(Reply("7.5"));
    VaskFloat v[5];
    ASSERT_EQ(1, c.get(access, 0, v));
    EXPECT_EQ(1, Sent());
    Answer(Reply("8.5"));
    Later(24 * 3600);
    for (int i = 0; i < 5; ++i) v[i] = Sentinel();
    ASSERT_EQ(1, c.get(access, 0, v));
    EXPECT_EQ(1, Sent()) << "served from the device list";
    for (int i = 0; i < c.count; ++i) {
        EXPECT_EQ(7.5, v[i].value);
        EXPECT_EQ(2, v[i].unit);
        EXPECT_STREQ("7.5", (LPCSTR)v[i].text) << "the number part of the text";
    }
    // Channel 1 has its own slot.
    ASSERT_EQ(1, c.get(access, 1, v));
    EXPECT_EQ(2, Sent());
    EXPECT_EQ(8.5, v[0].value);
    // New channel records drop what the old ones kept.
    device->SetComponentCount(2);
    ASSERT_EQ(1, c.get(access, 0, v));
    EXPECT_EQ(3, Sent());
    EXPECT_EQ(8.5, v[0].value);
}

TEST_P(ChannelCacheTest, AChannelTheDeviceDoesNotHaveIsReadEveryTime) {
    const ChannelCacheCase& c = GetParam();
    Answer(Reply("1.5"));
    VaskFloat v[5];
    ASSERT_EQ(1, c.get(access, 2, v));
    ASSERT_EQ(1, c.get(access, 2, v));
    EXPECT_EQ(2, Sent());
    EXPECT_EQ("3/3", bus.Sent().back().address);
}

TEST_P(ChannelCacheTest, AWriteIsKeptAndAFailedOneIsNot) {
    const ChannelCacheCase& c = GetParam();
    Answer(Reply("1.5"));
    VaskFloat in[5];
    for (VaskFloat& v : in) v = Value(4.25, 3, "4.25 ppm as typed");
    ASSERT_EQ(1, c.set(access, 1, in));
    VaskFloat v[5];
    ASSERT_EQ(1, c.get(access, 1, v));
    EXPECT_EQ(1, Sent()) << "the read is served from the written values";
    EXPECT_EQ(4.25, v[0].value);
    EXPECT_EQ(3, v[0].unit);
    EXPECT_STREQ("4.25", (LPCSTR)v[0].text) << "only the number part is kept";

    bus.SetScript(ScriptedBus::Rejecting());
    in[0] = Value(9.0);
    EXPECT_EQ(0, c.set(access, 0, in));
    Answer(Reply("1.5"));
    ASSERT_EQ(1, c.get(access, 0, v));
    EXPECT_EQ(3, Sent());
    EXPECT_EQ(1.5, v[0].value);
}

TEST_P(ChannelCacheTest, RejectedReadKeepsNothing) {
    const ChannelCacheCase& c = GetParam();
    bus.SetScript(ScriptedBus::Rejecting());
    VaskFloat v[5];
    EXPECT_EQ(0, c.get(access, 0, v));
    Answer(Reply("2.5"));
    ASSERT_EQ(1, c.get(access, 0, v));
    EXPECT_EQ(2, Sent());
}

TEST_P(ChannelCacheTest, UnlistedDeviceIsError36WithoutRequest) {
    const ChannelCacheCase& c = GetParam();
    Answer(Reply("2.5"));
    VaskFloat v[5] = {Sentinel(), Sentinel(), Sentinel(), Sentinel(), Sentinel()};
    access.ClearDeviceList();  // the members of the table are bound to address 3
    EXPECT_EQ(0, c.get(access, 0, v));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(0, c.set(access, 0, v));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(0, Sent());
    EXPECT_EQ(-777.0, v[0].value);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ChannelCacheTest,
    ::testing::Values(ChannelCacheCase{"limit1", 2, VASK_GET_2(Limit1), VASK_SET_2(Limit1)},
                      ChannelCacheCase{"limit2", 2, VASK_GET_2(Limit2), VASK_SET_2(Limit2)},
                      ChannelCacheCase{"limit3", 2, VASK_GET_2(Limit3), VASK_SET_2(Limit3)},
                      ChannelCacheCase{"limit4", 2, VASK_GET_2(Limit4), VASK_SET_2(Limit4)},
                      ChannelCacheCase{"integration_times", 4, VASK_GET_4(IntegrationTime),
                                       VASK_SET_4(IntegrationTime)},
                      ChannelCacheCase{"adjust_tolerances", 3, VASK_GET_3(AdjustTolerance),
                                       VASK_SET_3(AdjustTolerance)}),
    [](const ::testing::TestParamInfo<ChannelCacheCase>& info) {
        return std::string(info.param.name);
    });

// Limits 1 and 3 are kept apart although both hold two values.
TEST_F(FloatTest, LimitsAreKeptApart) {
    AddDevice(access, 3, 1);
    Answer(Concat({UFloat("1"), UFloat("2")}));
    VaskFloat a, b;
    ASSERT_EQ(1, access.GetLimit1(3, 0, a, b));
    Answer(Concat({UFloat("3"), UFloat("4")}));
    ASSERT_EQ(1, access.GetLimit3(3, 0, a, b));
    EXPECT_EQ(3.0, a.value);
    ASSERT_EQ(1, access.GetLimit1(3, 0, a, b));
    EXPECT_EQ(1.0, a.value);
    EXPECT_EQ(2, Sent());
}

// ---- values kept for a time -------------------------------------------------------------------

TEST_F(FloatTest, AutocalCycleIsKeptTenSecondsForTheWholeDevice) {
    AddDevice(access, 3, 2);
    Answer(Concat({UFloat("10"), UFloat("20"), UFloat("30")}));
    VaskFloat a, b, c;
    ASSERT_EQ(1, access.GetAutocalCycle(3, 0, a, b, c));
    Answer(Concat({UFloat("11"), UFloat("21"), UFloat("31")}));
    Later(10);
    VaskFloat x, y, z;
    ASSERT_EQ(1, access.GetAutocalCycle(3, 1, x, y, z));
    EXPECT_EQ(1, Sent()) << "channel 1 gets channel 0's values within 10 s";
    EXPECT_EQ(20.0, x.value);
    EXPECT_EQ(10.0, y.value);
    EXPECT_EQ(30.0, z.value);
    Later(1);
    ASSERT_EQ(1, access.GetAutocalCycle(3, 0, x, y, z));
    EXPECT_EQ(2, Sent());
    EXPECT_EQ(21.0, x.value);

    // A write is kept and stamped the same way.
    ASSERT_EQ(1, access.SetAutocalCycle(3, 0, Value(5), Value(6), Value(7)));
    Later(10);
    ASSERT_EQ(1, access.GetAutocalCycle(3, 0, x, y, z));
    EXPECT_EQ(3, Sent());
    EXPECT_EQ(5.0, x.value);
    EXPECT_EQ(6.0, y.value);
    EXPECT_EQ(7.0, z.value);
}

TEST_F(FloatTest, AirPressureIsKeptSixtySeconds) {
    AddDevice(access, 3);
    Answer(UFloat("1013.2", 34));
    VaskFloat p;
    ASSERT_EQ(1, access.GetAirPressure(3, 0, p));
    Answer(UFloat("990", 34));
    Later(60);
    ASSERT_EQ(1, access.GetAirPressure(3, 0, p));
    EXPECT_EQ(1, Sent());
    EXPECT_EQ(1013.2, p.value);
    Later(1);
    ASSERT_EQ(1, access.GetAirPressure(3, 0, p));
    EXPECT_EQ(2, Sent());
    EXPECT_EQ(990.0, p.value);
}

// The air pressure of an unlisted address reads nothing and records nothing new.
TEST_F(FloatTest, AirPressureOfAnUnlistedDeviceLeavesTheErrorRecord) {
    Answer(UFloat("1013"));
    VaskFloat p = Sentinel();
    int range = 0, autorange = 0;
    EXPECT_EQ(0, access.GetMeasRange(9, 0, range, autorange));
    ASSERT_EQ(36, access.GetLastError().code);
    SetError(&access.GetLastError(), 2, 77);
    EXPECT_EQ(0, access.GetAirPressure(9, 0, p));
    EXPECT_EQ(2, access.GetLastError().code);
    EXPECT_EQ(77u, access.GetLastError().info);
    EXPECT_EQ(0, Sent());
    EXPECT_EQ(-777.0, p.value);
    EXPECT_EQ(0, access.SetAirPressure(9, 0, Value(1)));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(0, Sent());
}

TEST_F(FloatTest, AnalogOutputIsKeptSixtySecondsPerChannel) {
    AddDevice(access, 3, 2);
    Answer(UFloat("12.5", 30));
    VaskFloat v;
    ASSERT_EQ(1, access.GetAnalogOutput(3, 0, v));
    Answer(UFloat("13.5", 30));
    ASSERT_EQ(1, access.GetAnalogOutput(3, 1, v));
    EXPECT_EQ(2, Sent()) << "each channel has its own value";
    Later(60);
    ASSERT_EQ(1, access.GetAnalogOutput(3, 0, v));
    EXPECT_EQ(12.5, v.value);
    EXPECT_EQ(2, Sent());
    Later(1);
    ASSERT_EQ(1, access.GetAnalogOutput(3, 0, v));
    EXPECT_EQ(13.5, v.value);
    EXPECT_EQ(3, Sent());
}

// A device record without channel records has no slot to look at or to fill: the value
// comes from the device every time.
TEST_F(FloatTest, AnalogOutputOfAChannelWithoutRecordIsReadAndNotKept) {
    AddDevice(access, 3, 0);
    Answer(UFloat("4.0", 30));
    VaskFloat v = Sentinel();
    ASSERT_EQ(1, access.GetAnalogOutput(3, 0, v));
    EXPECT_EQ(4.0, v.value);
    ASSERT_EQ(1, access.SetAnalogOutput(3, 0, Value(6)));
    ASSERT_EQ(1, access.GetAnalogOutput(3, 0, v));
    EXPECT_EQ(3, Sent());
    EXPECT_EQ(4.0, v.value);
    // A channel beyond the device's does not borrow channel 0's value either.
    CDeviceData* other = AddDevice(access, 5, 1);
    (void)other;
    Answer(UFloat("8.0", 30));
    ASSERT_EQ(1, access.GetAnalogOutput(5, 0, v));
    Answer(UFloat("9.0", 30));
    ASSERT_EQ(1, access.GetAnalogOutput(5, 3, v));
    EXPECT_EQ(9.0, v.value);
    ASSERT_EQ(1, access.GetAnalogOutput(5, 0, v));
    EXPECT_EQ(8.0, v.value) << "channel 0's value was not replaced";
}

// ---- one value per measuring range -------------------------------------------------------------

TEST_F(FloatTest, RangeStartValuesSetTheRangeCountAndAreKept) {
    CDeviceData* device = AddDevice(access, 3, 1);
    Answer(Concat({UFloat("0", 2), UFloat("1", 2), UFloat("2", 2), UFloat("3", 2)}));
    VaskFloat values[30];
    values[4] = Sentinel();
    ASSERT_EQ(1, access.GetMeasurementLower(3, 0, values));
    EXPECT_EQ(4, device->GetRangeCount());
    EXPECT_EQ(3.0, values[3].value);
    EXPECT_EQ(-777.0, values[4].value);

    bus.ClearSent();
    values[2] = Value(22.0);
    ASSERT_EQ(1, access.SetMeasurementLower(3, 0, values));
    EXPECT_EQ(Hex(RequestBody('W', 1, Numbers({"0.000", "1.000", "22.000", "3.000"}))),
              Hex(LastBody()));

    VaskFloat again[30];
    ASSERT_EQ(1, access.GetMeasurementLower(3, 0, again));
    EXPECT_EQ(1, Sent()) << "served from the written values";
    EXPECT_EQ(22.0, again[2].value);
}

TEST_F(FloatTest, RangeEndValuesAreKeptApartFromStartValues) {
    AddDevice(access, 3, 1);
    Answer(Concat({UFloat("0"), UFloat("0")}));
    VaskFloat values[30];
    ASSERT_EQ(1, access.GetMeasurementLower(3, 0, values));
    Answer(Concat({UFloat("10"), UFloat("100")}));
    ASSERT_EQ(1, access.GetMeasurementUpper(3, 0, values));
    ASSERT_EQ(1, access.GetMeasurementUpper(3, 0, values));
    ASSERT_EQ(1, access.GetMeasurementLower(3, 0, values));
    EXPECT_EQ(2, Sent());
    EXPECT_EQ(0.0, values[1].value);
}

// Values kept under one range count are not the device's ranges once the count changed.
TEST_F(FloatTest, KeptRangeValuesOfAnotherRangeCountAreReadAgain) {
    CDeviceData* device = AddDevice(access, 3, 1);
    Answer(Concat({UFloat("0"), UFloat("0"), UFloat("0"), UFloat("0")}));
    VaskFloat values[30];
    ASSERT_EQ(1, access.GetMeasurementLower(3, 0, values));
    // The span gases come back with three ranges.
    Answer(Concat({UFloat("5"), UFloat("50"), UFloat("500")}));
    ASSERT_EQ(1, access.GetSlopeGas(3, 0, values));
    EXPECT_EQ(3, device->GetRangeCount());
    Answer(Concat({UFloat("1"), UFloat("2"), UFloat("3")}));
    for (VaskFloat& v : values) v = Sentinel();
    ASSERT_EQ(1, access.GetMeasurementLower(3, 0, values));
    EXPECT_EQ(3, Sent());
    EXPECT_EQ(3.0, values[2].value);
    EXPECT_EQ(-777.0, values[3].value) << "three ranges, three values";
}

TEST_F(FloatTest, SpanGasesAreNeverKept) {
    AddDevice(access, 3, 1);
    Answer(Concat({UFloat("5"), UFloat("50")}));
    VaskFloat values[30];
    ASSERT_EQ(1, access.GetSlopeGas(3, 0, values));
    ASSERT_EQ(1, access.SetSlopeGas(3, 0, values));
    ASSERT_EQ(1, access.GetSlopeGas(3, 0, values));
    EXPECT_EQ(3, Sent());
    EXPECT_EQ(Hex(RequestBody('w', 3)), Hex(LastBody()));
}

TEST_F(FloatTest, RangeValuesWithoutRangesSendAnEmptyList) {
    AddDevice(access, 3, 1, 0);
    Answer(Bytes());
    VaskFloat values[30];
    ASSERT_EQ(1, access.SetMeasurementLower(3, 0, values));
    EXPECT_EQ(Hex(RequestBody('W', 1)), Hex(LastBody()));
}

TEST_F(FloatTest, RangeValuesOfAnUnlistedDeviceAreError36WithoutRequest) {
    Answer(UFloat("1"));
    VaskFloat values[30];
    values[0] = Sentinel();
    EXPECT_EQ(0, access.GetMeasurementUpper(3, 0, values));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(0, access.SetSlopeGas(3, 0, values));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(0, Sent());
    EXPECT_EQ(-777.0, values[0].value);
}

// ---- six rinse or sensor times ------------------------------------------------------------------

TEST_F(FloatTest, SixValueListsTakeWhatCameAndSendSix) {
    Answer(Concat({UFloat("60", 26), UFloat("30", 26), UFloat("15", 26)}));
    VaskFloat values[7];
    for (VaskFloat& v : values) v = Sentinel();
    ASSERT_EQ(1, access.GetAutocalRinseTime2(3, 0, values));
    EXPECT_EQ(Hex(RequestBody('w', 8)), Hex(LastBody()));
    EXPECT_EQ(15.0, values[2].value);
    EXPECT_EQ(26, values[2].unit);
    EXPECT_EQ(-777.0, values[3].value);

    VaskFloat times[6] = {Value(1), Value(2), Value(3), Value(4), Value(5), Value(6)};
    ASSERT_EQ(1, access.SetSensorTimes(3, 0, times));
    EXPECT_EQ(
        Hex(RequestBody('W', 29, Numbers({"1.000", "2.000", "3.000", "4.000", "5.000", "6.000"}))),
        Hex(LastBody()));
    ASSERT_EQ(1, access.SetAutocalRinseTime1(3, 0, times));
    EXPECT_EQ(
        Hex(RequestBody('W', 7, Numbers({"1.000", "2.000", "3.000", "4.000", "5.000", "6.000"}))),
        Hex(LastBody()));
}

// A list is refused as a whole for one value it cannot send; values it does not send are
// not looked at.
TEST_F(FloatTest, ListsWithAValueWithoutAFixedPointTextAreRefused) {
    AddDevice(access, 3, 1, 2);
    Answer(Concat({UFloat("1"), UFloat("2")}));
    VaskFloat ranges[30];
    ranges[0] = Value(5);
    ranges[1] = Value(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(0, access.SetMeasurementLower(3, 0, ranges));
    EXPECT_EQ(30, access.GetLastError().code);
    ranges[1] = Value(50);
    ranges[2] = Value(std::numeric_limits<double>::quiet_NaN());
    ASSERT_EQ(1, access.SetMeasurementUpper(3, 0, ranges)) << "two ranges, two values";
    VaskFloat times[6] = {Value(1), Value(2), Value(3), Value(4), Value(5), Value(-2e35)};
    EXPECT_EQ(0, access.SetSensorTimes(3, 0, times));
    EXPECT_EQ(30, access.GetLastError().code);
    EXPECT_EQ(0, access.SetAutocalRinseTime2(3, 0, times));
    EXPECT_EQ(1, Sent());
    times[1] = Value(std::numeric_limits<double>::infinity());
    EXPECT_EQ(0, access.SetAutocalS23RinseTime1(3, 0, times));
    EXPECT_EQ(30, access.GetLastError().code);
    EXPECT_EQ(1, Sent());
    // The old rinse-time write sends only the first two.
    times[1] = Value(2);
    ASSERT_EQ(1, access.SetAutocalS23RinseTime1(3, 0, times));
    EXPECT_EQ(
        Hex(RequestBody('W', 7, Numbers({"1.000", "2.000", "0.000", "0.000", "0.000", "0.000"}))),
        Hex(LastBody()));
    // Nothing refused was kept: the start values are read from the device.
    ASSERT_EQ(1, access.GetMeasurementLower(3, 0, ranges));
    EXPECT_EQ(3, Sent());
    EXPECT_EQ(2.0, ranges[1].value);
}

TEST_F(FloatTest, TheShortRinseTimeWriteSendsTwoValuesAndFourZeros) {
    Answer(Bytes());
    VaskFloat times[2] = {Value(12.5), Value(7)};
    ASSERT_EQ(1, access.SetAutocalS23RinseTime1(3, 0, times));
    EXPECT_EQ(
        Hex(RequestBody('W', 7, Numbers({"12.500", "7.000", "0.000", "0.000", "0.000", "0.000"}))),
        Hex(LastBody()));
}

// ---- dates ---------------------------------------------------------------------------------------

struct DateCase {
    const char* name;
    std::function<int(CvaskAccess&, CTime&)> read;
    Bytes reply;
    CTime expected;  // the zero time for an invalid date
};

class DateReadTest : public FloatTest, public ::testing::WithParamInterface<DateCase> {};

TEST_P(DateReadTest, GivesTheLocalTimeOrZeroForAnInvalidDate) {
    const DateCase& c = GetParam();
    Answer(c.reply);
    CTime t(12345);
    ASSERT_EQ(1, c.read(access, t)) << (LPCSTR)access.GetLastError().text;
    EXPECT_EQ(c.expected.GetTime(), t.GetTime()) << (LPCSTR)t.Format("%Y-%m-%d %H:%M");
}

Bytes Fields3(const char* a, const char* b, const char* c) {
    return Concat({UFloat(a), UFloat(b), UFloat(c)});
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateReadTest,
    ::testing::Values(
        DateCase{"oxygen_sensor_1999",
                 [](CvaskAccess& a, CTime& t) { return a.GetDateOxy(3, 0, t); },
                 Fields3("31", "12", "99"), CTime(1999, 12, 31, 12, 0, 0)},
        DateCase{"oxygen_sensor_2004",
                 [](CvaskAccess& a, CTime& t) { return a.GetDateOxy(3, 0, t); },
                 Fields3("5", "3", "4"), CTime(2004, 3, 5, 12, 0, 0)},
        DateCase{"no_29th_of_february_2001",
                 [](CvaskAccess& a, CTime& t) { return a.GetDateOxy(3, 0, t); },
                 Fields3("29", "2", "1"), CTime()},
        DateCase{"29th_of_february_2000",
                 [](CvaskAccess& a, CTime& t) { return a.GetDateH2S(3, 0, t); },
                 Fields3("29", "2", "0"), CTime(2000, 2, 29, 12, 0, 0)},
        DateCase{"fractions_are_cut",
                 [](CvaskAccess& a, CTime& t) { return a.GetDateH2S(3, 0, t); },
                 Fields3("5.9", "3.9", "4.9"), CTime(2004, 3, 5, 12, 0, 0)},
        DateCase{"no_sensor_at_midnight_is_nitric_oxide",
                 [](CvaskAccess& a, CTime& t) { return a.GetDateNitroxy(3, 0, t); },
                 Fields3("5", "3", "4"), CTime(2004, 3, 5, 0, 0, 0)},
        DateCase{"year_69_is_2069_beyond_the_range",
                 [](CvaskAccess& a, CTime& t) { return a.GetDateNitroxy(3, 0, t); },
                 Fields3("1", "1", "69"), CTime()},
        DateCase{"month_13", [](CvaskAccess& a, CTime& t) { return a.GetDateOxy(3, 0, t); },
                 Fields3("1", "13", "5"), CTime()},
        DateCase{"a_number_no_date_field_can_be",
                 [](CvaskAccess& a, CTime& t) { return a.GetDateOxy(3, 0, t); },
                 Fields3("1e300", "1", "5"), CTime()},
        // A field that cannot be a date's is no date, never a date in 2000 or 1999.
        DateCase{"a_year_no_date_field_can_be",
                 [](CvaskAccess& a, CTime& t) { return a.GetDateOxy(3, 0, t); },
                 Fields3("1", "1", "1e300"), CTime()},
        DateCase{"negative_year", [](CvaskAccess& a, CTime& t) { return a.GetDateOxy(3, 0, t); },
                 Fields3("1", "1", "-1"), CTime()},
        DateCase{"year_just_below_zero",
                 [](CvaskAccess& a, CTime& t) { return a.GetDateH2S(3, 0, t); },
                 Fields3("1", "1", "-0.5"), CTime()},
        // An hour or minute out of range is no time, not one carried into the next day.
        DateCase{"clock_hour_24", [](CvaskAccess& a, CTime& t) { return a.GetDate(3, 0, t); },
                 Concat({UFloat("30"), UFloat("24"), UFloat("1"), UFloat("7"), UFloat("5")}),
                 CTime()},
        DateCase{"clock_minute_60", [](CvaskAccess& a, CTime& t) { return a.GetDate(3, 0, t); },
                 Concat({UFloat("60"), UFloat("14"), UFloat("1"), UFloat("7"), UFloat("5")}),
                 CTime()},
        DateCase{
            "clock_negative_minute", [](CvaskAccess& a, CTime& t) { return a.GetDate(3, 0, t); },
            Concat({UFloat("-1"), UFloat("14"), UFloat("1"), UFloat("7"), UFloat("5")}), CTime()},
        DateCase{"clock_last_minute_of_the_year",
                 [](CvaskAccess& a, CTime& t) { return a.GetDate(3, 0, t); },
                 Concat({UFloat("59"), UFloat("23"), UFloat("31"), UFloat("12"), UFloat("35")}),
                 CTime(2035, 12, 31, 23, 59, 0)},
        DateCase{"clock", [](CvaskAccess& a, CTime& t) { return a.GetDate(3, 0, t); },
                 Concat({UFloat("30"), UFloat("14"), UFloat("1"), UFloat("7"), UFloat("5")}),
                 CTime(2005, 7, 1, 14, 30, 0)}),
    [](const ::testing::TestParamInfo<DateCase>& info) { return std::string(info.param.name); });

TEST_F(FloatTest, DateReadWithAFieldMissingFailsWith37) {
    Answer(Concat({UFloat("5"), UFloat("3")}));
    CTime t(12345);
    EXPECT_EQ(0, access.GetDateOxy(3, 0, t));
    EXPECT_EQ(37, access.GetLastError().code);
    EXPECT_EQ(12345, t.GetTime());
    Answer(Concat({UFloat("30"), UFloat("14"), UFloat("1"), UFloat("7")}));
    EXPECT_EQ(0, access.GetDate(3, 0, t));
    EXPECT_EQ(37, access.GetLastError().code);
    EXPECT_EQ(12345, t.GetTime());
}

TEST_F(FloatTest, DatesAreWrittenAsDayMonthAndTwoDigitYear) {
    Answer(Bytes());
    const CTime july(2005, 7, 1, 14, 30, 0);
    ASSERT_EQ(1, access.SetDateOxy(3, 0, july));
    EXPECT_EQ(Hex(RequestBody('W', 14, Numbers({"1.000", "7.000", "5.000"}))), Hex(LastBody()));
    ASSERT_EQ(1, access.SetDateNitroxy(3, 0, july));
    EXPECT_EQ(Hex(RequestBody('W', 15, Numbers({"1.000", "7.000", "5.000"}))), Hex(LastBody()));
    ASSERT_EQ(1, access.SetDateH2S(3, 0, CTime(1999, 12, 24, 0, 0, 0)));
    EXPECT_EQ(Hex(RequestBody('W', 90, Numbers({"24.000", "12.000", "99.000"}))), Hex(LastBody()));
    ASSERT_EQ(1, access.SetDate(3, 0, july));
    EXPECT_EQ(Hex(RequestBody('W', 16, Numbers({"30.000", "14.000", "1.000", "7.000", "5.000"}))),
              Hex(LastBody()));
}
