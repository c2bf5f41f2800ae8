// Status, measurement, logbook and version reads of CvaskAccess against the scripted bus:
// the measured values and switch states served from the device list, the flag records,
// the version record with the address-conflict test, the logbook, and the small writes.
#include "access_test_support.h"
#include "test_bytes.h"

#include <stdio.h>
#include <string.h>

#include <functional>
#include <string>
#include <vector>

using namespace scripted;

namespace {

// A text value with its unit code, as version and name replies carry them.
Bytes UText(const char* text) {
    Bytes out(text, text + strlen(text));
    out.push_back(0);
    out.push_back(1);
    out.push_back(0);
    return out;
}

Bytes Version(int type, const char* serial, const char* software = "2.10") {
    return Concat({IntByte(type), UText(serial), UText(software), UText("H1"), UText("A5E001"),
                   UText("F7"), UText("x")});
}

time_t g_wallClock = 1000000000;
CTime WallClock() { return CTime(g_wallClock); }

const int S = 77;

}  // namespace

class StatusTest : public AccessFixture {
protected:
    void SetUp() override {
        AccessFixture::SetUp();
        SetDeviceClock(WallClock);
        CvaskAccess::ResetVersionTable(0, 15);
        Open(access);
    }
    void TearDown() override {
        AccessFixture::TearDown();
        SetDeviceClock(NULL);
    }
    void Answer(const Bytes& values) { bus.SetScript(ScriptedBus::Answering(values)); }
    int Sent() { return bus.SentCount(); }
    Bytes LastBody() {
        std::vector<SentRequest> sent = bus.Sent();
        return sent.empty() ? Bytes() : sent.back().body;
    }
    std::string LastAddress() {
        std::vector<SentRequest> sent = bus.Sent();
        return sent.empty() ? std::string() : sent.back().address;
    }
    void Later(int seconds) { g_wallClock += seconds; }
};

// ---- measured values -------------------------------------------------------------------------

TEST_F(StatusTest, ComponentValuesComeFromTheLastAllValuesReadForTwoSeconds) {
    AddDevice(access, 3, 2);
    Answer(Concat({UQFloat("1.5", 2, 2), UQFloat("2.5", 11, 3)}));
    VaskFloat all[30];
    ASSERT_EQ(1, access.GetMeas(3, 0, all, 1));
    Answer(UQFloat("9.5", 2, 2));
    VaskFloat v;
    ASSERT_EQ(1, access.GetComponentMeas(3, 1, v));
    Later(2);
    ASSERT_EQ(1, access.GetComponentMeas(3, 1, v));
    EXPECT_EQ(1, Sent());
    EXPECT_EQ(2.5, v.value);
    EXPECT_EQ(11, v.unit);
    EXPECT_EQ(3, v.quantity);
    Later(1);
    ASSERT_EQ(1, access.GetComponentMeas(3, 1, v));
    EXPECT_EQ(2, Sent());
    EXPECT_EQ(Hex(RequestBody('k', 1)), Hex(LastBody()));
    EXPECT_EQ("3/2", LastAddress());
    EXPECT_EQ(9.5, v.value);
}

TEST_F(StatusTest, ComponentBeyondTheDevicesIsError38WithoutRequest) {
    AddDevice(access, 3, 2);
    Answer(UQFloat("9.5"));
    VaskFloat v;
    v.value = -1;
    EXPECT_EQ(0, access.GetComponentMeas(3, 2, v));
    EXPECT_EQ(38, access.GetLastError().code);
    EXPECT_EQ(0u, access.GetLastError().info);
    EXPECT_EQ(0, access.GetComponentMeas(3, -1, v));
    EXPECT_EQ(38, access.GetLastError().code);
    EXPECT_EQ(0, Sent());
    EXPECT_EQ(-1.0, v.value);
}

TEST_F(StatusTest, ComponentOfADeviceWithoutKnownComponentsIsRead) {
    AddDevice(access, 3, 0);
    Answer(UQFloat("4.0", 2, 7));
    VaskFloat v;
    ASSERT_EQ(1, access.GetComponentMeas(3, 5, v));
    EXPECT_EQ(4.0, v.value);
    EXPECT_EQ(7, v.quantity);
    EXPECT_EQ("3/6", LastAddress());
    EXPECT_EQ(0, access.GetComponentMeas(4, 0, v));
    EXPECT_EQ(36, access.GetLastError().code);
}

TEST_F(StatusTest, AllValuesAreReadFromChannelZeroAndResizeTheComponents) {
    CDeviceData* device = AddDevice(access, 3, 1);
    Answer(Concat({UQFloat("1"), UQFloat("2"), UQFloat("3")}));
    VaskFloat all[30];
    all[3].value = -1;
    ASSERT_EQ(1, access.GetMeas(3, 2, all, 1));
    EXPECT_EQ("3/1", LastAddress());
    EXPECT_EQ(Hex(RequestBody('k', 2)), Hex(LastBody()));
    EXPECT_EQ(3, device->GetComponentCount());
    EXPECT_EQ(3.0, all[2].value);
    EXPECT_EQ(-1.0, all[3].value);
    EXPECT_EQ(3.0, device->GetMeasValue(2)->value);
    // Within 2 s from the device list.
    Later(2);
    VaskFloat again[30];
    ASSERT_EQ(1, access.GetMeas(3, 0, again, 0));
    EXPECT_EQ(1, Sent());
    EXPECT_EQ(2.0, again[1].value);
}

// A reply with the same number of values keeps the channel records and what they hold.
TEST_F(StatusTest, AllValuesWithTheSameCountKeepTheChannelRecords) {
    AddDevice(access, 3, 2);
    bus.SetScript([](const SentRequest& request, int) {
        ScriptedBus::Reaction reaction;
        Bytes values = request.command == 'w' ? Concat({UFloat("8"), UFloat("9")})
                                              : Concat({UQFloat("1"), UQFloat("2")});
        reaction.replies.push_back(
            {request.address, Body(request.command, request.function, values)});
        return reaction;
    });
    VaskFloat a, b, all[30];
    ASSERT_EQ(1, access.GetLimit1(3, 1, a, b));
    ASSERT_EQ(1, access.GetMeas(3, 0, all, 1));
    ASSERT_EQ(1, access.GetLimit1(3, 1, a, b));
    EXPECT_EQ(2, Sent()) << "the limit is still kept";
}

TEST_F(StatusTest, AllValuesOfAnUnlistedDevice) {
    Answer(UQFloat("1"));
    VaskFloat all[30];
    SetError(&access.GetLastError(), 2, 5);
    EXPECT_EQ(0, access.GetMeas(4, 0, all, 0));
    EXPECT_EQ(2, access.GetLastError().code) << "looked up quietly";
    EXPECT_EQ(0, access.GetMeas(4, 0, all, 1));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(0, Sent());
}

// Exactly the values the reply holds; nothing beyond them is touched.
TEST_F(StatusTest, LambdaTakesTheValuesTheReplyHolds) {
    Answer(Concat({Float("1.5"), Float("2.5"), Float("0.98")}));
    VaskFloat values[31];
    for (VaskFloat& v : values) v.value = -1;
    ASSERT_EQ(1, access.GetLambda(3, 1, values));
    EXPECT_EQ("3/1", LastAddress());
    EXPECT_EQ(Hex(RequestBody('k', 11)), Hex(LastBody()));
    EXPECT_EQ(0.98, values[2].value);
    EXPECT_EQ(-1.0, values[3].value);
}

// ---- switch and status records ---------------------------------------------------------------

TEST_F(StatusTest, SwitchStatesAreKeptTwoSecondsAndCarryTheRemoteFlag) {
    CDeviceData* device = AddDevice(access, 3, 1);
    // Service (bit 0) and remote (bit 1) of byte 1, bit 0 of byte 2, bit 6 of byte 3.
    Answer(Octets({0x83, 0, 0x81, 0, 0xC0, 0, 0x80, 0}));
    ChannelSwitchStruct r;
    ASSERT_EQ(1, access.GetSwitches(3, 0, r));
    EXPECT_EQ(1, r.flags[ChannelSwitchStruct::Service]);
    EXPECT_EQ(1, r.flags[ChannelSwitchStruct::Remote]);
    EXPECT_EQ(0, r.flags[ChannelSwitchStruct::Broadcast]);
    EXPECT_EQ(1, r.flags[7]);
    EXPECT_EQ(1, r.flags[20]);
    int set = 0;
    for (BOOL f : r.flags) set += f;
    EXPECT_EQ(4, set);
    EXPECT_EQ(1, device->IsRemote());

    Answer(Octets({0x80, 0, 0x80, 0, 0x80, 0, 0x80, 0}));
    Later(2);
    ChannelSwitchStruct again;
    ASSERT_EQ(1, access.GetSwitches(3, 0, again));
    EXPECT_EQ(1, Sent());
    EXPECT_EQ(1, again.flags[20]);
    Later(1);
    ASSERT_EQ(1, access.GetSwitches(3, 0, again));
    EXPECT_EQ(2, Sent());
    EXPECT_EQ(0, again.flags[ChannelSwitchStruct::Remote]);
    EXPECT_EQ(0, device->IsRemote());
}

TEST_F(StatusTest, ComponentSwitchesAndExtendedStatusSkipTheMarkerBits) {
    // Byte 1: bits 0, 2, 6; byte 2: bit 4 (bit 5 would be outside the record).
    Answer(Octets({0xC5, 0, 0xB0, 0, 0x80, 0}));
    CompSwitchStruct c;
    memset(&c, 0x55, sizeof c);
    ASSERT_EQ(1, access.GetCompSwitches(3, 0, c));
    const int compFields[] = {
        c.autorange,       c.autocalCycles, c.adjustAll, c.negativeIntegration,
        c.limitMonitoring, c.bit5,          c.bit6,      c.byte2bit0,
        c.byte2bit1,       c.byte2bit2,     c.byte2bit3, c.byte2bit4};
    const int compExpected[] = {1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(compExpected[i], compFields[i]) << i;

    // Byte 1: bit 1; byte 2: bit 6; byte 3: bits 0 and 3 (bit 4 is no field).
    Answer(Octets({0x82, 0, 0xC0, 0, 0x99, 0, 0x80, 0}));
    ExtStatusStruct e;
    memset(&e, 0x55, sizeof e);
    ASSERT_EQ(1, access.GetExtStatus(3, 0, e));
    EXPECT_EQ(Hex(RequestBody('k', 23)), Hex(LastBody()));
    const int extExpected[18] = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 1};
    for (int i = 0; i < 18; ++i) EXPECT_EQ(extExpected[i], e.bits[i]) << i;
}

TEST_F(StatusTest, RejectedStatusReadsLeaveTheRecords) {
    AddDevice(access, 3, 1);
    bus.SetScript(ScriptedBus::Rejecting());
    ChannelSwitchStruct r;
    for (BOOL& f : r.flags) f = S;
    EXPECT_EQ(0, access.GetSwitches(3, 0, r));
    EXPECT_EQ(S, r.flags[0]);
    CompSwitchStruct c;
    memset(&c, 0x55, sizeof c);
    EXPECT_EQ(0, access.GetCompSwitches(3, 0, c));
    EXPECT_EQ(0x55555555, c.autorange);
    ExtStatusStruct e;
    memset(&e, 0x55, sizeof e);
    EXPECT_EQ(0, access.GetExtStatus(3, 0, e));
    EXPECT_EQ(0x55555555, e.bits[17]);
    EXPECT_EQ(51, access.GetLastError().code);
}

// ---- versions and the address-conflict test --------------------------------------------------

TEST_F(StatusTest, VersionIsReadOnceAndKeptInTheDeviceList) {
    AddDevice(access, 3);
    Answer(Version(2, "S0001003"));
    VersionStruct v;
    ASSERT_EQ(1, access.GetChannelVersion(3, 0, v));
    EXPECT_EQ(2, v.channelType);
    EXPECT_STREQ("S0001003", (LPCSTR)v.serialNumber);
    EXPECT_STREQ("2.10", (LPCSTR)v.softwareVersion);
    EXPECT_STREQ("H1", (LPCSTR)v.hardwareVersion);
    EXPECT_STREQ("A5E001", (LPCSTR)v.orderNumber);
    EXPECT_STREQ("F7", (LPCSTR)v.firmwareNumber);
    EXPECT_STREQ("x", (LPCSTR)v.extra);
    VersionStruct again;
    ASSERT_EQ(1, access.GetChannelVersion(3, 0, again));
    EXPECT_EQ(1, Sent());
    EXPECT_STREQ("S0001003", (LPCSTR)again.serialNumber);
    EXPECT_EQ(0, access.HasAddressConflict(3));
}

struct ConflictCase {
    const char* name;
    Bytes first, second;
    DWORD apartMs;
    int conflict;
};

class VersionConflictTest : public StatusTest,
                            public ::testing::WithParamInterface<ConflictCase> {};

TEST_P(VersionConflictTest, TwoRecordsOfOneAddress) {
    const ConflictCase& c = GetParam();
    CDeviceData* device = AddDevice(access, 3);
    Answer(c.first);
    VersionStruct v;
    ASSERT_EQ(1, access.GetChannelVersion(3, 0, v));
    // The entry forgets its record (as after a new scan); the next read asks the device.
    device->DropVersion();
    testclock::Advance(c.apartMs);
    Answer(c.second);
    ASSERT_EQ(1, access.GetChannelVersion(3, 0, v));
    EXPECT_EQ(c.conflict, access.HasAddressConflict(3));
    EXPECT_EQ(0, access.HasAddressConflict(4));
}

INSTANTIATE_TEST_SUITE_P(
    Records, VersionConflictTest,
    ::testing::Values(
        ConflictCase{"same_record", Version(2, "S1"), Version(2, "S1"), 10, 0},
        ConflictCase{"another_type_at_once", Version(2, "S1"), Version(1, "S1"), 10, 1},
        ConflictCase{"another_serial_at_once", Version(2, "S1"), Version(2, "S2"), 10, 1},
        ConflictCase{"another_serial_4900_ms_later", Version(2, "S1"), Version(2, "S2"), 4900, 1},
        ConflictCase{"another_serial_5000_ms_later", Version(2, "S1"), Version(2, "S2"), 5000, 0},
        ConflictCase{"software_versions_do_not_count", Version(2, "S1", "1.0"),
                     Version(2, "S1", "2.0"), 10, 0},
        ConflictCase{"after_an_unknown_type", Version(0, "S1"), Version(1, "S2"), 10, 0}),
    [](const ::testing::TestParamInfo<ConflictCase>& info) {
        return std::string(info.param.name);
    });

// A record that came 5 s or more after its predecessor replaces it: the next different one
// is compared with the new record.
TEST_F(StatusTest, ALateRecordReplacesTheStoredOne) {
    CDeviceData* device = AddDevice(access, 3);
    VersionStruct v;
    Answer(Version(2, "S1"));
    ASSERT_EQ(1, access.GetChannelVersion(3, 0, v));
    device->DropVersion();
    testclock::Advance(6000);
    Answer(Version(2, "S2"));
    ASSERT_EQ(1, access.GetChannelVersion(3, 0, v));
    device->DropVersion();
    testclock::Advance(100);
    ASSERT_EQ(1, access.GetChannelVersion(3, 0, v));
    EXPECT_EQ(0, access.HasAddressConflict(3)) << "S2 again is no conflict";
    device->DropVersion();
    Answer(Version(2, "S1"));
    ASSERT_EQ(1, access.GetChannelVersion(3, 0, v));
    EXPECT_EQ(1, access.HasAddressConflict(3));
}

// The table is shared by every access object and holds the addresses 0 to 15 whatever a
// scan walked; a scan clears the entries of its own addresses.
TEST_F(StatusTest, TheConflictTableIsSharedAndClearedPerAddress) {
    CvaskAccess other;
    Open(other);
    AddDevice(access, 3);
    AddDevice(other, 3);
    AddDevice(other, 12);
    VersionStruct v;
    Answer(Version(2, "S1"));
    ASSERT_EQ(1, access.GetChannelVersion(3, 0, v));
    ASSERT_EQ(1, access.GetChannelVersion(3, 0, v));
    Answer(Version(4, "S9"));
    ASSERT_EQ(1, other.GetChannelVersion(3, 0, v));
    EXPECT_EQ(1, other.HasAddressConflict(3)) << "another object read the first record";
    EXPECT_EQ(0, access.HasAddressConflict(3));

    // Address 12 is beyond what a short scan walks; its entry still works.
    CvaskAccess::ResetVersionTable(1, 5);
    ASSERT_EQ(1, other.GetChannelVersion(12, 0, v));
    AddDevice(access, 12);
    Answer(Version(5, "S5"));
    ASSERT_EQ(1, access.GetChannelVersion(12, 0, v));
    EXPECT_EQ(1, access.HasAddressConflict(12));

    // A cleared entry compares with nothing.
    CvaskAccess::ClearVersionTableEntry(12);
    other.ClearDeviceList();
    AddDevice(other, 12);
    Answer(Version(6, "S6"));
    ASSERT_EQ(1, other.GetChannelVersion(12, 0, v));
    EXPECT_EQ(0, other.HasAddressConflict(12));
    other.Done();
}

TEST_F(StatusTest, VersionOfAnUnlistedDeviceIsError36) {
    Answer(Version(2, "S1"));
    VersionStruct v;
    v.channelType = S;
    EXPECT_EQ(0, access.GetChannelVersion(3, 0, v));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(0, Sent());
    EXPECT_EQ(S, v.channelType);
}

TEST_F(StatusTest, RejectedVersionReadLeavesRecordEntryAndTable) {
    CDeviceData* device = AddDevice(access, 3);
    bus.SetScript(ScriptedBus::Rejecting());
    VersionStruct v;
    v.channelType = S;
    v.serialNumber = "mine";
    EXPECT_EQ(0, access.GetChannelVersion(3, 0, v));
    EXPECT_EQ(S, v.channelType);
    EXPECT_STREQ("mine", (LPCSTR)v.serialNumber);
    EXPECT_EQ(nullptr, device->GetVersion());
    Answer(Version(2, "S1"));
    ASSERT_EQ(1, access.GetChannelVersion(3, 0, v));
    EXPECT_EQ(0, access.HasAddressConflict(3));
}

TEST_F(StatusTest, FirmwareVersionsAndName) {
    Answer(Concat({UText("b1"), UText("a1"), UText("b2"), UText("o2"), UText("b3"), UText("m3")}));
    FirmwareVersionsStruct f;
    ASSERT_EQ(1, access.GetFirmwareVersions(3, 0, f));
    EXPECT_STREQ("b1", (LPCSTR)f.adapterBoot);
    EXPECT_STREQ("a1", (LPCSTR)f.adapter);
    EXPECT_STREQ("b2", (LPCSTR)f.optionBoot);
    EXPECT_STREQ("o2", (LPCSTR)f.option);
    EXPECT_STREQ("b3", (LPCSTR)f.motherboardBoot);
    EXPECT_STREQ("m3", (LPCSTR)f.motherboard);
    Answer(UText("Kanal O2"));
    CString name;
    ASSERT_EQ(1, access.GetChannelName(3, 0, name));
    EXPECT_EQ(Hex(RequestBody('k', 16)), Hex(LastBody()));
    EXPECT_STREQ("Kanal O2", (LPCSTR)name);
    // A reply without the text is no name.
    Answer(Bytes());
    EXPECT_EQ(0, access.GetChannelName(3, 0, name));
    EXPECT_EQ(37, access.GetLastError().code);
    EXPECT_STREQ("Kanal O2", (LPCSTR)name);
}

// ---- logbook ---------------------------------------------------------------------------------

struct LogCase {
    const char* name;
    const char* minute;
    const char* hour;
    const char* day;
    const char* month;
    const char* year;
    int flags;
    CTime expected;
};

class LogEntryTest : public StatusTest, public ::testing::WithParamInterface<LogCase> {};

TEST_P(LogEntryTest, ReadsNumbersFlagsAndTime) {
    const LogCase& c = GetParam();
    Answer(Concat({IntByte(12), IntByte(3), IntByte(c.flags), UFloat(c.minute), UFloat(c.hour),
                   UFloat(c.day), UFloat(c.month), UFloat(c.year)}));
    LogbookStruct entry;
    entry.time = CTime(777);
    ASSERT_EQ(1, access.GetLogEntry(3, 0, 2, entry));
    EXPECT_EQ(Hex(RequestBody('k', 10, IntByte(2))), Hex(LastBody()));
    EXPECT_EQ(12, entry.first);
    EXPECT_EQ(3, entry.second);
    EXPECT_EQ(c.flags & 1, entry.flagA);
    EXPECT_EQ((c.flags >> 1) & 1, entry.flagB);
    EXPECT_EQ(c.expected.GetTime(), entry.time.GetTime());
}

INSTANTIATE_TEST_SUITE_P(
    Entries, LogEntryTest,
    ::testing::Values(
        LogCase{"year_70_is_1970", "30", "14", "1", "7", "70", 1, CTime(1970, 7, 1, 14, 30, 0)},
        LogCase{"year_69_is_2069_and_no_time", "30", "14", "1", "7", "69", 2, CTime()},
        LogCase{"year_5_is_2005", "5", "9", "24", "12", "5", 3, CTime(2005, 12, 24, 9, 5, 0)},
        LogCase{"31st_of_april", "0", "0", "31", "4", "10", 0, CTime()},
        // Fields out of range are no time rather than another day or century.
        LogCase{"hour_24", "0", "24", "30", "4", "10", 0, CTime()},
        LogCase{"minute_60", "60", "23", "30", "4", "10", 0, CTime()},
        LogCase{"negative_year", "0", "12", "1", "1", "-1", 0, CTime()},
        LogCase{"year_no_field_can_be", "0", "12", "1", "1", "1e300", 0, CTime()},
        LogCase{"last_minute_of_a_day", "59", "23", "30", "4", "10", 1,
                CTime(2010, 4, 30, 23, 59, 0)}),
    [](const ::testing::TestParamInfo<LogCase>& info) { return std::string(info.param.name); });

// The entry number travels as one byte: a number it cannot carry would name another entry.
TEST_F(StatusTest, EntryNumbersBeyondOneByteAreRefusedBeforeSending) {
    Answer(Bytes());
    for (int entry : {256, 300, -1}) {
        SCOPED_TRACE(entry);
        LogbookStruct record;
        record.first = S;
        EXPECT_EQ(0, access.GetLogEntry(3, 0, entry, record));
        EXPECT_EQ(30, access.GetLastError().code);
        EXPECT_EQ(S, record.first);
        EXPECT_EQ(0, access.AckLogEntry(3, 0, entry));
        EXPECT_EQ(30, access.GetLastError().code);
    }
    EXPECT_EQ(0, Sent());
    ASSERT_EQ(1, access.AckLogEntry(3, 0, 255));
    EXPECT_EQ(Hex(RequestBody('K', 10, IntByte(255))), Hex(LastBody()));
}

TEST_F(StatusTest, RejectedLogEntryLeavesTheRecord) {
    bus.SetScript(ScriptedBus::Rejecting());
    LogbookStruct entry;
    entry.first = S;
    entry.time = CTime(777);
    EXPECT_EQ(0, access.GetLogEntry(3, 0, 9, entry));
    EXPECT_EQ(S, entry.first);
    EXPECT_EQ(777, entry.time.GetTime());
}

// ---- single values, lists, download faults ---------------------------------------------------

TEST_F(StatusTest, StateCodesAndNumbersArePassedOn) {
    struct {
        int function;
        std::function<int(CvaskAccess&, int&)> read;
    } reads[] = {
        {19,
         [](CvaskAccess& a, int& v) {
             AutocalType t;
             int ok = a.GetAutocalState(3, 0, t);
             v = t;
             return ok;
         }},
        {29,
         [](CvaskAccess& a, int& v) {
             WarmUpStatusType t;
             int ok = a.GetWarmUpState(3, 0, t);
             v = t;
             return ok;
         }},
        {30,
         [](CvaskAccess& a, int& v) {
             StartStatusType t;
             int ok = a.GetStartingState(3, 0, t);
             v = t;
             return ok;
         }},
        {31,
         [](CvaskAccess& a, int& v) {
             QuentaType t;
             int ok = a.GetInstrumentType(3, 0, t);
             v = t;
             return ok;
         }},
        {26, [](CvaskAccess& a, int& v) { return a.GetParamStatus(3, 0, v); }},
        {17, [](CvaskAccess& a, int& v) { return a.GetIoParameterSet(3, 0, v); }},
    };
    for (auto& r : reads) {
        SCOPED_TRACE(r.function);
        Answer(IntByte(r.function + 100));
        int value = 0;
        ASSERT_EQ(1, r.read(access, value));
        EXPECT_EQ(Hex(RequestBody('k', r.function)), Hex(LastBody()));
        EXPECT_EQ(r.function + 100, value);
    }
}

TEST_F(StatusTest, RemainingTimesAreTheFirstValue) {
    Answer(UFloat("120", 26));
    VaskFloat t;
    ASSERT_EQ(1, access.GetRestTime(3, 0, t));
    EXPECT_EQ(Hex(RequestBody('k', 8)), Hex(LastBody()));
    EXPECT_EQ(120.0, t.value);
    EXPECT_EQ(26, t.unit);
    Answer(UFloat("45", 26));
    ASSERT_EQ(1, access.GetZeroAdjustTime(3, 0, t));
    EXPECT_EQ(Hex(RequestBody('k', 9)), Hex(LastBody()));
    EXPECT_EQ(45.0, t.value);
}

TEST_F(StatusTest, ReportListsUseTheirFunctions) {
    struct {
        int function;
        std::function<int(CvaskAccess&, int*, int&)> read;
    } lists[] = {
        {5, [](CvaskAccess& a, int* l, int& n) { return a.GetFaults(3, 0, l, n); }},
        {12, [](CvaskAccess& a, int* l, int& n) { return a.GetMaintenanceRequests(3, 0, l, n); }},
        {13,
         [](CvaskAccess& a, int* l, int& n) { return a.GetFaultsBeforeTransition(3, 0, l, n); }},
        {18, [](CvaskAccess& a, int* l, int& n) { return a.GetReportStatus(3, 0, l, n); }},
    };
    for (auto& l : lists) {
        SCOPED_TRACE(l.function);
        Answer(Concat({IntByte(4), IntByte(l.function)}));
        int list[30];
        int count = 0;
        ASSERT_EQ(1, l.read(access, list, count));
        EXPECT_EQ(Hex(RequestBody('k', l.function)), Hex(LastBody()));
        ASSERT_EQ(2, count);
        EXPECT_EQ(l.function, list[1]);
    }
}

struct MaskCase {
    const char* name;
    int replyByte;
    int mask;        // of the main board's fault read
    int optionMask;  // of the option board's
};

class DownloadFaultTest : public StatusTest, public ::testing::WithParamInterface<MaskCase> {};

TEST_P(DownloadFaultTest, ReplyBitsBecomeTheMask) {
    const MaskCase& c = GetParam();
    Answer(Octets({c.replyByte | 0x80, 0}));
    int faults = -1;
    ASSERT_EQ(1, access.GetDownloadFaults(3, 0, faults));
    EXPECT_EQ(Hex(RequestBody('k', 20)), Hex(LastBody()));
    EXPECT_EQ(c.mask, faults);
    Answer(Concat({Octets({c.replyByte, 0}), IntByte(1)}));
    ASSERT_EQ(1, access.GetDownloadFaultsPBO(3, 0, faults));
    EXPECT_EQ(Hex(RequestBody('k', 24)), Hex(LastBody()));
    EXPECT_EQ(c.optionMask, faults);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, DownloadFaultTest,
    ::testing::Values(MaskCase{"none", 0x00, 0, 0}, MaskCase{"bit0", 0x01, 1, 1},
                      MaskCase{"bits_1_2", 0x06, 6, 6}, MaskCase{"bit3_ignored", 0x08, 0, 0},
                      MaskCase{"bits_4_to_6", 0x70, 0, 112}, MaskCase{"all", 0x7F, 7, 119}),
    [](const ::testing::TestParamInfo<MaskCase>& info) { return std::string(info.param.name); });

TEST_F(StatusTest, DownloadFaultsAreClearedBeforeTheRequest) {
    bus.SetScript(ScriptedBus::Rejecting());
    int faults = 99;
    EXPECT_EQ(0, access.GetDownloadFaults(3, 0, faults));
    EXPECT_EQ(0, faults);
    faults = 99;
    EXPECT_EQ(0, access.GetDownloadFaultsPBO(3, 0, faults));
    EXPECT_EQ(0, faults);
}

// The stop command is not answered; it returns once it has been sent.
TEST_F(StatusTest, StopOptionBoardDownloadSendsOneAndWaitsForNoAnswer) {
    bus.SetScript(ScriptedBus::Silent());
    int faults = 99;
    ASSERT_EQ(1, access.StopDownloadPBO(3, 0, faults));
    EXPECT_EQ(0, faults);
    EXPECT_EQ(Hex(RequestBody('K', 24, IntByte(1))), Hex(LastBody()));
    EXPECT_EQ(1, Sent());
}

// ---- writes ----------------------------------------------------------------------------------

struct StatusWriteCase {
    const char* name;
    std::function<int(CvaskAccess&)> write;
    Bytes body;
};

class StatusWriteTest : public StatusTest, public ::testing::WithParamInterface<StatusWriteCase> {};

TEST_P(StatusWriteTest, SendsExactlyTheseBytes) {
    Answer(Bytes());
    ASSERT_EQ(1, GetParam().write(access)) << (LPCSTR)access.GetLastError().text;
    EXPECT_EQ(Hex(GetParam().body), Hex(LastBody()));
    EXPECT_EQ(1, Sent());
}

INSTANTIATE_TEST_SUITE_P(
    Writes, StatusWriteTest,
    ::testing::Values(
        StatusWriteCase{"channel_name",
                        [](CvaskAccess& a) { return a.SetChannelName(3, 0, "Kanal A"); },
                        RequestBody('K', 16, Float("Kanal A"))},
        StatusWriteCase{"io_parameter_set",
                        [](CvaskAccess& a) { return a.SetIoParameterSet(3, 0, 3); },
                        RequestBody('K', 17, IntByte(3))},
        StatusWriteCase{"starting_state",
                        [](CvaskAccess& a) { return a.SetStartingState(3, 0, (StartStatusType)2); },
                        RequestBody('K', 30, IntByte(2))},
        StatusWriteCase{"acknowledge_log_entry",
                        [](CvaskAccess& a) { return a.AckLogEntry(3, 0, 7); },
                        RequestBody('K', 10, IntByte(7))},
        StatusWriteCase{"clear_log", [](CvaskAccess& a) { return a.ClearLog(3, 0); },
                        RequestBody('K', 22)},
        StatusWriteCase{"reset_linearisation",
                        [](CvaskAccess& a) { return a.ResetLinearCoefficients(3, 0); },
                        RequestBody('K', 7)}),
    [](const ::testing::TestParamInfo<StatusWriteCase>& info) {
        return std::string(info.param.name);
    });

// The configuration transfers name their kind; a rejected one returns at once.
TEST_F(StatusTest, ConfigurationTransfersSendTheirKind) {
    bus.SetScript(ScriptedBus::Rejecting());
    std::function<int(CvaskAccess&)> transfers[] = {
        [](CvaskAccess& a) { return a.LoadUserConfig(3, 0); },
        [](CvaskAccess& a) { return a.SaveUserConfig(3, 0); },
        [](CvaskAccess& a) { return a.LoadDefaultConfig(3, 0); },
        [](CvaskAccess& a) { return a.SaveDefaultConfig(3, 0); },
        [](CvaskAccess& a) { return a.LoadBaseConfig(3, 0); },
    };
    for (int kind = 1; kind <= 5; ++kind) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(0, transfers[kind - 1](access));
        EXPECT_EQ(Hex(RequestBody('K', 14, IntByte(kind))), Hex(LastBody()));
    }
}

// ---- answer time-outs ------------------------------------------------------------------------

struct WaitCase {
    const char* name;
    std::function<int(CvaskAccess&)> read;
    int polls;  // the frozen clock moves one millisecond per poll of the line
};

class AnswerWaitTest : public StatusTest, public ::testing::WithParamInterface<WaitCase> {};

// The polls between two tries of an unanswered request are the time-out it was sent with:
// the option board's fault reads wait 500 ms, every other read 1000 ms.
TEST_P(AnswerWaitTest, UnansweredReadWaitsItsTimeOut) {
    bus.SetMaxRetry(2);
    bus.SetScript(ScriptedBus::Silent());
    AddDevice(access, 3, 1, 2);
    EXPECT_EQ(0, GetParam().read(access));
    EXPECT_EQ(9, access.GetLastError().code);
    std::vector<SentRequest> sent = bus.Sent();
    ASSERT_EQ(2u, sent.size());
    EXPECT_NEAR(GetParam().polls, sent[1].receivesBefore - sent[0].receivesBefore, 1);
}

INSTANTIATE_TEST_SUITE_P(Reads, AnswerWaitTest,
                         ::testing::Values(WaitCase{"option_board_faults",
                                                    [](CvaskAccess& a) {
                                                        int f;
                                                        return a.GetDownloadFaultsPBO(3, 0, f);
                                                    },
                                                    500},
                                           WaitCase{"main_board_faults",
                                                    [](CvaskAccess& a) {
                                                        int f;
                                                        return a.GetDownloadFaults(3, 0, f);
                                                    },
                                                    1000},
                                           WaitCase{"version",
                                                    [](CvaskAccess& a) {
                                                        VersionStruct v;
                                                        return a.GetChannelVersion(3, 0, v);
                                                    },
                                                    1000},
                                           WaitCase{"limit_switches",
                                                    [](CvaskAccess& a) {
                                                        LimitStruct l;
                                                        return a.GetLimit2(3, 0, l);
                                                    },
                                                    1000},
                                           WaitCase{"range_end_values",
                                                    [](CvaskAccess& a) {
                                                        VaskFloat v[30];
                                                        return a.GetMeasurementUpper(3, 0, v);
                                                    },
                                                    1000},
                                           WaitCase{"clock",
                                                    [](CvaskAccess& a) {
                                                        CTime t;
                                                        return a.GetDate(3, 0, t);
                                                    },
                                                    1000},
                                           WaitCase{"relay_codes",
                                                    [](CvaskAccess& a) {
                                                        int codes[8];
                                                        return a.GetRelayOutputs(3, 0, codes);
                                                    },
                                                    1000}),
                         [](const ::testing::TestParamInfo<WaitCase>& info) {
                             return std::string(info.param.name);
                         });
