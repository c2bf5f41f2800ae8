// The device list: entries, their cached values and the access object's lookups.
#include "access_test_support.h"

using namespace scripted;

namespace {

VaskFloat Value(double number, const char* text, int unit = 1, int quantity = 1) {
    VaskFloat v;
    v.value = number;
    v.text = text;
    v.unit = unit;
    v.quantity = quantity;
    return v;
}

}  // namespace

TEST(DeviceData, StartsUnknownWithRemoteSetAndOneRelay) {
    CDeviceData device;
    EXPECT_EQ(0, device.GetType());
    EXPECT_EQ(-1, device.GetAddress());
    EXPECT_EQ(0, device.GetComponentCount());
    EXPECT_EQ(1, device.IsRemote());
    EXPECT_EQ(1, device.GetRelayCount());
    EXPECT_EQ(0, device.GetRangeCount());
    EXPECT_EQ(0, device.GetFaultCounter());
    EXPECT_EQ(nullptr, device.GetMeasValue(0));
    EXPECT_EQ(nullptr, device.GetVersion());
    ChannelSwitchStruct switches;
    EXPECT_EQ(0, device.GetSwitches(switches));
}

TEST(DeviceData, CachedValuesKeepOnlyTheNumberOfTheirText) {
    struct Case {
        const char* text;
        const char* kept;
    } cases[] = {{"12.5 ppm", "12.5"}, {"-3", "-3"}, {"1e3x", "1e3"}, {"abc", ""}, {"", ""}};
    for (const Case& c : cases) {
        VaskFloat target;
        CDeviceData::CopyNumeric(target, Value(7.25, c.text, 4, 9));
        EXPECT_EQ(CString(c.kept), target.text) << c.text;
        EXPECT_DOUBLE_EQ(7.25, target.value);
        EXPECT_EQ(4, target.unit);
        EXPECT_EQ(9, target.quantity);
    }
}

TEST(DeviceData, ComponentRecordsFollowTheirCount) {
    CDeviceData device;
    device.SetComponentCount(2);
    device.SetMeasRange(1, 3, 1);
    VaskFloat output = Value(4.0, "4.0 mA");
    device.SetAnalogOutput(1, output);

    int range = 0, autorange = 0;
    ASSERT_EQ(1, device.GetMeasRange(1, range, autorange));
    EXPECT_EQ(3, range);
    EXPECT_EQ(1, autorange);
    EXPECT_NE(0, device.GetRangeTime(1).GetTime());
    // Out of the count a read addresses record 0, which is untouched.
    ASSERT_EQ(1, device.GetMeasRange(5, range, autorange));
    EXPECT_EQ(1, range);
    EXPECT_EQ(0, autorange);
    // A store out of the count does nothing.
    device.SetMeasRange(2, 4, 1);
    device.GetMeasRange(0, range, autorange);
    EXPECT_EQ(1, range);

    VaskFloat read;
    ASSERT_EQ(1, device.GetAnalogOutput(1, read));
    EXPECT_EQ(CString("4.0"), read.text);

    // A new count starts fresh records.
    device.SetComponentCount(3);
    device.GetMeasRange(1, range, autorange);
    EXPECT_EQ(1, range);
    EXPECT_EQ(0, device.GetRangeTime(1).GetTime());
    ASSERT_EQ(1, device.GetAnalogOutput(1, read));
    EXPECT_EQ(CString(), read.text);
    device.SetComponentCount(0);
    EXPECT_EQ(0, device.GetMeasRange(0, range, autorange));
    EXPECT_EQ(nullptr, device.GetMeasValue(0));
}

TEST(DeviceData, ValueArraysAreKeptPerComponentAndReadNullOutsideTheCount) {
    CDeviceData device;
    device.SetComponentCount(2);
    VaskFloat limits[2] = {Value(1, "1 a"), Value(2, "2 b")};
    device.SetLimit(1, 3, limits);
    ASSERT_NE(nullptr, device.GetLimit(1, 3));
    EXPECT_EQ(CString("2"), device.GetLimit(1, 3)[1].text);
    EXPECT_EQ(nullptr, device.GetLimit(0, 3));
    EXPECT_EQ(nullptr, device.GetLimit(2, 3));
    EXPECT_EQ(nullptr, device.GetLimit(1, 5));

    VaskFloat times[4] = {Value(1, "1"), Value(2, "2"), Value(3, "3"), Value(4, "4")};
    device.SetIntegrationTimes(0, times);
    EXPECT_DOUBLE_EQ(4.0, device.GetIntegrationTimes(0)[3].value);
    VaskFloat tolerances[3] = {Value(1, "1"), Value(2, "2"), Value(3, "3")};
    device.SetAdjustTolerances(0, tolerances);
    EXPECT_DOUBLE_EQ(3.0, device.GetAdjustTolerances(0)[2].value);
    EXPECT_EQ(nullptr, device.GetAdjustTolerances(-1));
}

TEST(DeviceData, RangeValuesNeedARangeCountAndGoStaleWhenItChanges) {
    CDeviceData device;
    device.SetComponentCount(1);
    VaskFloat starts[4] = {Value(0, "0"), Value(10, "10"), Value(20, "20"), Value(30, "30")};
    device.SetRangeStart(0, starts);
    EXPECT_EQ(nullptr, device.GetRangeStart(0));  // no range count yet

    device.SetRangeCount(2);
    device.SetRangeStart(0, starts);
    device.SetRangeEnd(0, starts + 2);
    ASSERT_NE(nullptr, device.GetRangeStart(0));
    EXPECT_DOUBLE_EQ(10.0, device.GetRangeStart(0)[1].value);
    EXPECT_DOUBLE_EQ(30.0, device.GetRangeEnd(0)[1].value);

    // Two values stored, four would be read.
    device.SetRangeCount(4);
    EXPECT_EQ(nullptr, device.GetRangeStart(0));
    EXPECT_EQ(nullptr, device.GetRangeEnd(0));
}

TEST(DeviceData, SwitchRecordSetsTheRemoteFlag) {
    CDeviceData device;
    ChannelSwitchStruct record = {};
    record.flags[ChannelSwitchStruct::Pump] = 1;
    device.SetSwitches(record);
    EXPECT_EQ(0, device.IsRemote());
    EXPECT_NE(0, device.GetSwitchTime().GetTime());
    record.flags[ChannelSwitchStruct::Remote] = 1;
    device.SetSwitches(record);
    EXPECT_EQ(1, device.IsRemote());
    ChannelSwitchStruct copy = {};
    ASSERT_EQ(1, device.GetSwitches(copy));
    EXPECT_EQ(1, copy.flags[ChannelSwitchStruct::Pump]);
}

TEST(DeviceData, DeviceValuesAreStampedAndVersionCanBeDropped) {
    CDeviceData device;
    device.SetAirPressure(Value(1013, "1013 hPa", 7));
    EXPECT_EQ(CString("1013"), device.GetAirPressure().text);
    EXPECT_EQ(7, device.GetAirPressure().unit);
    EXPECT_NE(0, device.GetAirPressureTime().GetTime());
    VaskFloat cycle[3] = {Value(1, "1h"), Value(2, "2"), Value(3, "3")};
    device.SetAutocalCycle(cycle);
    ASSERT_NE(nullptr, device.GetAutocalCycle());
    EXPECT_EQ(CString("1"), device.GetAutocalCycle()[0].text);

    VersionStruct version;
    version.channelType = 4;
    version.softwareVersion = "V2.1";
    device.SetVersion(version);
    ASSERT_NE(nullptr, device.GetVersion());
    EXPECT_EQ(CString("V2.1"), device.GetVersion()->softwareVersion);
    device.DropVersion();
    EXPECT_EQ(nullptr, device.GetVersion());
}

// ---- the access object's list ----------------------------------------------------------------

class DeviceListTest : public AccessFixture {};

TEST_F(DeviceListTest, LookupsAnswerNeutrallyForUnlistedAddresses) {
    CDeviceData* device = AddDevice(access, 4, 3, 2);
    device->SetType(7);
    EXPECT_EQ(device, access.GetDevice(4));
    EXPECT_EQ(nullptr, access.GetDevice(5));
    EXPECT_EQ(7, access.GetChannelType(4));
    EXPECT_EQ(3, access.GetComponentCount(4));
    EXPECT_EQ(2, access.GetMeasRangeCount(4));
    EXPECT_EQ(0, access.GetChannelType(5));
    EXPECT_EQ(0, access.GetComponentCount(5));
    EXPECT_EQ(0, access.GetMeasRangeCount(5));

    EXPECT_EQ(1, access.GetCacheDevice(4));
    EXPECT_EQ(0, access.GetCacheDevice(5));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(1, access.GetCacheDevice(4));

    // Without a conflict found no address has one, the number 0 included.
    EXPECT_EQ(0, access.HasAddressConflict(0));
    EXPECT_EQ(0, access.HasAddressConflict(4));
    CvaskAccessInternal::SetConflictAddress(access, 4);
    EXPECT_EQ(1, access.HasAddressConflict(4));
    EXPECT_EQ(0, access.HasAddressConflict(5));

    access.ClearDeviceList();
    EXPECT_TRUE(access.GetDeviceList()->IsEmpty());
    EXPECT_EQ(0, access.GetCacheDevice(4));
}

TEST_F(DeviceListTest, MeasuredValueAnswerWithAnotherCountUpdatesOnlyTheStatus) {
    CDeviceData* device = AddDevice(access, 2, 2);
    struct Case {
        Bytes values;
        bool stored;
    } cases[] = {{UQFloat("5.000"), false},
                 {Concat({UQFloat("5.000"), UQFloat("6.000"), UQFloat("7.000")}), false},
                 {Concat({UQFloat("5.000", 3), UQFloat("6.000", 4)}), true}};
    int flags = 1;
    for (const Case& c : cases) {
        Bytes body = Body('k', 2, c.values, (unsigned char)flags, 9);
        unsigned char* cursor = body.data();
        CPCvaskMessage answer(CString("2/1"), cursor, (int)body.size());
        ASSERT_EQ('k', answer.GetCommand());
        access.SetData(&answer, device);
        EXPECT_EQ(flags, device->GetStatusFlags());
        EXPECT_EQ(c.stored ? 5.0 : 0.0, device->GetMeasValue(0)->value);
        EXPECT_EQ(c.stored, device->GetMeasTime().GetTime() != 0);
        ++flags;
    }
    EXPECT_DOUBLE_EQ(6.0, device->GetMeasValue(1)->value);
    EXPECT_EQ(4, device->GetMeasValue(1)->unit);
}

TEST(DeviceListTime, UpToDateCountsWholeSeconds) {
    CTime now = CTime::GetCurrentTime();
    EXPECT_EQ(1, CvaskAccess::UpToDate(now, 2));
    EXPECT_EQ(1, CvaskAccess::UpToDate(now - CTimeSpan(60), 120));
    EXPECT_EQ(0, CvaskAccess::UpToDate(now - CTimeSpan(60), 2));
    EXPECT_EQ(0, CvaskAccess::UpToDate(CTime(), 2));
}

TEST(DeviceListTime, AStampAheadOfTheClockIsNotCurrent) {
    // The clock was set back after the value was stored.
    CTime now = CTime::GetCurrentTime();
    EXPECT_EQ(0, CvaskAccess::UpToDate(now + CTimeSpan(3600), 2));
    EXPECT_EQ(0, CvaskAccess::UpToDate(now + CTimeSpan(60), 120));
}
