// The typed members of CvaskAccess end to end, through COM1 against the analyzer
// simulator: the request bodies the simulated devices received, byte for byte, settings
// and values written and read back, the simulator's rejections and silence leaving the
// caller's records alone, and two devices under one address.
//
// Simulator's default bus: device 1 (two components, four ranges), device 2 (one
// component, two ranges).
#include <windows.h>

#include <gtest/gtest.h>

#include <ctype.h>
#include <stdio.h>

#include <functional>
#include <string>
#include <vector>

#include "commvask_seams.h"
#include "serialparam.h"
#include "vaskaccess.h"
#include "vasksim_client.h"

namespace {

time_t g_wallClock = 1000000000;
CTime WallClock() { return CTime(g_wallClock); }

std::string Upper(std::string s) {
    for (char& c : s) c = (char)toupper((unsigned char)c);
    return s;
}

class TypedBus : public ::testing::Test {
protected:
    void SetUp() override {
        // The device list's time stamps read a clock the test holds still: what is kept
        // for 2 s stays kept however slow the machine.
        SetDeviceClock(WallClock);
        CvaskAccess::ResetVersionTable(0, 15);
        std::string error;
        ASSERT_TRUE(sim.Connect(&error)) << error;
        ASSERT_TRUE(sim.Reset()) << sim.LastError();
        SerialParam param = {2, 0, 0, 1, 0};
        ASSERT_EQ(1, access.Init("VASK", "COM1", param)) << (LPCSTR)access.GetLastError().text;
        ASSERT_TRUE(sim.Command("CLEARLOG")) << sim.LastError();
    }
    void TearDown() override {
        access.Done();
        SetDeviceClock(NULL);
    }

    // Puts the simulator's devices into the device list as a scan would.
    CDeviceData* List(int address, int components, int ranges) {
        CDeviceData* device = new CDeviceData;
        device->SetAddress(address);
        device->SetComponentCount(components);
        device->SetRangeCount(ranges);
        access.GetDeviceList()->AddTail(device);
        return device;
    }

    std::vector<vasksim::SimLogEntry> Log() {
        std::vector<vasksim::SimLogEntry> entries;
        EXPECT_TRUE(sim.Log(entries)) << sim.LastError();
        return entries;
    }
    // The bodies the devices received since the last look, in hex.
    std::vector<std::string> Bodies() {
        std::vector<std::string> bodies;
        for (const vasksim::SimLogEntry& e : Log()) bodies.push_back(Upper(e.body));
        EXPECT_TRUE(sim.Command("CLEARLOG"));
        return bodies;
    }
    std::string Read(int address, int channel, const char* message) {
        std::string hex;
        EXPECT_TRUE(sim.Read(address, channel, message, hex)) << sim.LastError();
        return Upper(hex);
    }

    vasksim::SimClient sim;
    CvaskAccess access;
};

// ---- writes: the bytes the device received ---------------------------------------------------

struct WireCase {
    const char* name;
    std::function<int(CvaskAccess&)> write;
    const char* body;  // as the device received it, hex
};

class TypedBusWrite : public TypedBus, public ::testing::WithParamInterface<WireCase> {};

TEST_P(TypedBusWrite, TheDeviceReceivesExactlyTheseBytes) {
    List(2, 1, 2);
    ASSERT_EQ(1, GetParam().write(access)) << (LPCSTR)access.GetLastError().text;
    std::vector<std::string> bodies = Bodies();
    ASSERT_EQ(1u, bodies.size());
    EXPECT_EQ(GetParam().body, bodies[0]);
}

LimitStruct Limit(int r1, int r2, int r3, int r4, int direction, int active) {
    LimitStruct l = {r1, r2, r3, r4, direction, active};
    return l;
}

VaskFloat Number(double value) {
    VaskFloat v;
    v.value = value;
    return v;
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, TypedBusWrite,
    ::testing::Values(
        WireCase{"limit_all_off",
                 [](CvaskAccess& a) { return a.SetLimit1(2, 0, Limit(0, 0, 0, 0, 0, 0)); },
                 "53018000"},
        WireCase{"limit_active_7",
                 [](CvaskAccess& a) { return a.SetLimit1(2, 0, Limit(0, 0, 0, 0, 0, 7)); },
                 "5301A000"},
        WireCase{"meas_range_1", [](CvaskAccess& a) { return a.SetMeasRange(2, 0, 1, 0); },
                 "53088000"},
        WireCase{"meas_range_4_autorange",
                 [](CvaskAccess& a) { return a.SetMeasRange(2, 0, 4, 1); }, "53088700"},
        WireCase{"head_heating",
                 [](CvaskAccess& a) { return a.SetHeadHeating(2, 0, 1, (TempType)2); }, "530A8A00"},
        WireCase{"autocal_mode", [](CvaskAccess& a) { return a.SetAutocalMode(2, 0, 1, 0, 0, 0); },
                 "530B8400"},
        WireCase{"pressure_correction",
                 [](CvaskAccess& a) {
                     CorrectionStruct1 c = {1, 3};
                     return a.SetPressureCorr(2, 0, c);
                 },
                 "530F83008100"},
        WireCase{"lateral_gas_correction",
                 [](CvaskAccess& a) {
                     CorrectionStruct2 c = {2, 0, 1, 0, 0, 5};
                     return a.SetLateralGasCorr(2, 0, c);
                 },
                 "531085008A00"},
        WireCase{"comp_stage", [](CvaskAccess& a) { return a.SetCompStage(2, 0); }, "530D0100"},
        WireCase{"no_compensation_sources",
                 [](CvaskAccess& a) {
                     CompStruct c = {0, -1, 0, -1};
                     return a.SetCompensationComponent(2, 0, c);
                 },
                 "5317FF00FF00"},
        WireCase{"compensation_component_3_channel_5",
                 [](CvaskAccess& a) {
                     CompStruct c = {5, 3, 15, 16};
                     return a.SetCompensationComponent3(2, 0, c);
                 },
                 "53265200FF00"},
        WireCase{
            "meas_store",
            [](CvaskAccess& a) { return a.SetMeasStore(2, 0, MeasStoreHold, MeasStoreHighest); },
            "5313B100"},
        WireCase{"pump", [](CvaskAccess& a) { return a.SetPump(2, 0, 0, 1, 1); }, "53168600"},
        WireCase{"valve_6",
                 [](CvaskAccess& a) {
                     ValveStruct v = {0, 0, 0, 0, 0, 1};
                     return a.SetValves(2, 0, v);
                 },
                 "5314A000"},
        WireCase{"heating", [](CvaskAccess& a) { return a.SetHeating(2, 0, 1, 60); },
                 "531D81003C00"},
        WireCase{"pressure_source", [](CvaskAccess& a) { return a.SetPressureCorrExt(2, 0, 5); },
                 "53275000"},
        WireCase{"internal_valves",
                 [](CvaskAccess& a) { return a.SetPressureInternalValves(2, 0, 1, 0, 1); },
                 "53299400"},
        WireCase{"analog_range",
                 [](CvaskAccess& a) { return a.SetAnalogRange(2, 0, 1, 0, Current4To20mA); },
                 "53038600"},
        WireCase{
            "autocal_cycle_swapped",
            [](CvaskAccess& a) { return a.SetAutocalCycle(2, 0, Number(1), Number(2), Number(3)); },
            "5706322E30303000312E30303000332E30303000"},
        WireCase{"lateral_gas_coefficients_4",
                 [](CvaskAccess& a) {
                     return a.SetLateralGasCoeff4(2, 0, Number(1), Number(2), Number(3));
                 },
                 "574B312E30303000322E30303000332E30303000"},
        WireCase{"oxygen_sensor_date",
                 [](CvaskAccess& a) { return a.SetDateOxy(2, 0, CTime(2005, 7, 1, 12, 0, 0)); },
                 "570E312E30303000372E30303000352E30303000"},
        WireCase{"clock",
                 [](CvaskAccess& a) { return a.SetDate(2, 0, CTime(2005, 7, 1, 14, 30, 0)); },
                 "571033302E3030300031342E30303000312E30303000372E30303000352E30303000"},
        WireCase{"range_start_values_one_per_range",
                 [](CvaskAccess& a) {
                     VaskFloat v[30];
                     v[0] = Number(0);
                     v[1] = Number(5);
                     return a.SetMeasurementLower(2, 0, v);
                 },
                 "5701302E30303000352E30303000"},
        WireCase{"short_rinse_time_write",
                 [](CvaskAccess& a) {
                     VaskFloat v[2] = {Number(12.5), Number(7)};
                     return a.SetAutocalS23RinseTime1(2, 0, v);
                 },
                 "570731322E35303000372E30303000302E30303000302E30303000302E30303000302E30303000"},
        WireCase{"channel_name", [](CvaskAccess& a) { return a.SetChannelName(2, 0, "O2 Kanal"); },
                 "4B104F32204B616E616C00"},
        WireCase{"log_entry_read",
                 [](CvaskAccess& a) {
                     LogbookStruct e;
                     return a.GetLogEntry(2, 0, 2, e);
                 },
                 "6B0A0200"}),
    [](const ::testing::TestParamInfo<WireCase>& info) { return std::string(info.param.name); });

// ---- written, stored by the device, read back ------------------------------------------------

TEST_F(TypedBus, SettingsComeBackAsWritten) {
    List(2, 1, 2);
    LimitStruct limit = Limit(1, 0, 1, 0, 1, 1), l = {};
    ASSERT_EQ(1, access.SetLimit3(2, 0, limit));
    ASSERT_EQ(1, access.GetLimit3(2, 0, l));
    EXPECT_EQ(1, l.activeInRange1);
    EXPECT_EQ(0, l.activeInRange2);
    EXPECT_EQ(1, l.activeInRange3);
    EXPECT_EQ(1, l.alarmDirection);
    EXPECT_EQ(1, l.limitActive);

    CorrectionStruct2 c = {3, 1, 0, 0, 1, 6}, back = {};
    ASSERT_EQ(1, access.SetLateralGasCorr3(2, 0, c));
    ASSERT_EQ(1, access.GetLateralGasCorr3(2, 0, back));
    EXPECT_EQ(3, back.currentRange);
    EXPECT_EQ(1, back.validInRange1);
    EXPECT_EQ(1, back.validInRange4);
    EXPECT_EQ(6, back.correctionType);

    CompStruct comp = {4, 2, 0, -1}, compBack = {};
    ASSERT_EQ(1, access.SetCompensationComponent(2, 0, comp));
    ASSERT_EQ(1, access.GetCompensationComponent(2, 0, compBack));
    EXPECT_EQ(4, compBack.channel1);
    EXPECT_EQ(2, compBack.component1);
    EXPECT_EQ(0, compBack.channel2);
    EXPECT_EQ(-1, compBack.component2);

    int set = 3, setBack = 0;
    ASSERT_EQ(1, access.SetParameterSet(2, 0, set));
    ASSERT_EQ(1, access.GetParameterSet(2, 0, setBack));
    EXPECT_EQ(3, setBack) << "both bits of the set come back";

    int on = 0, temperature = 0;
    ASSERT_EQ(1, access.SetHeating(2, 0, 1, 75));
    ASSERT_EQ(1, access.GetHeating(2, 0, on, temperature));
    EXPECT_EQ(1, on);
    EXPECT_EQ(75, temperature);

    int range = 0, autorange = 0;
    ASSERT_EQ(1, access.SetMeasRange(2, 0, 2, 1));
    ASSERT_EQ(1, access.GetMeasRange(2, 0, range, autorange));
    EXPECT_EQ(2, range);
    EXPECT_EQ(1, autorange);
}

TEST_F(TypedBus, FloatValuesComeBackInTheirArguments) {
    List(2, 1, 2);
    VaskFloat a, b, c;
    ASSERT_EQ(1, access.SetPressureTolerances(2, 0, Number(1.5), Number(2.5), Number(3.5)));
    ASSERT_EQ(1, access.GetPressureTolerances(2, 0, a, b, c));
    EXPECT_EQ(1.5, a.value);
    EXPECT_EQ(2.5, b.value);
    EXPECT_EQ(3.5, c.value);
    ASSERT_EQ(1, access.SetAutorangeLimits(2, 0, Number(10), Number(90)));
    ASSERT_EQ(1, access.GetAutorangeLimits(2, 0, a, b));
    EXPECT_EQ(10.0, a.value);
    EXPECT_EQ(90.0, b.value);

    CTime date;
    ASSERT_EQ(1, access.SetDateH2S(2, 0, CTime(2011, 2, 28, 9, 0, 0)));
    ASSERT_EQ(1, access.GetDateH2S(2, 0, date));
    EXPECT_EQ(CTime(2011, 2, 28, 12, 0, 0).GetTime(), date.GetTime());
}

// The device's ranges: read, set the range count, written back whole.
TEST_F(TypedBus, RangeValuesOfTheDevice) {
    CDeviceData* device = List(1, 2, 0);
    VaskFloat upper[30];
    ASSERT_EQ(1, access.GetMeasurementUpper(1, 0, upper));
    EXPECT_EQ(4, device->GetRangeCount());
    EXPECT_EQ(10000.0, upper[3].value);
    Bodies();
    upper[3] = Number(5000);
    ASSERT_EQ(1, access.SetMeasurementUpper(1, 0, upper));
    ASSERT_EQ(1, access.GetMeasurementUpper(1, 0, upper));
    EXPECT_EQ(1u, Bodies().size()) << "the second read is served from the written values";
    EXPECT_EQ(5000.0, upper[3].value);
    VaskFloat spans[30];
    ASSERT_EQ(1, access.GetSlopeGas(1, 1, spans));
    EXPECT_EQ(8000.0, spans[3].value);
}

// ---- the device reads of the simulator's store --------------------------------------------------

TEST_F(TypedBus, RecordsFromStoredReplies) {
    ASSERT_TRUE(sim.Command("STORE 2 0 s3 B200"));
    int inverted = 9, bit3 = 9;
    CurrentType current = Current0To20mA;
    ASSERT_EQ(1, access.GetAnalogRange(2, 0, inverted, bit3, current));
    EXPECT_EQ(2, current);
    EXPECT_EQ(0, inverted);
    EXPECT_EQ(1, bit3);

    ASSERT_TRUE(sim.Command("STORE 2 0 s8 8500"));
    List(2, 1, 2);
    int range = 0, autorange = 0;
    ASSERT_EQ(1, access.GetMeasRange(2, 0, range, autorange));
    EXPECT_EQ(2, range);
    EXPECT_EQ(1, autorange);

    ASSERT_TRUE(sim.Command("STORE 2 0 s23 FF002100"));
    CompStruct comp = {};
    ASSERT_EQ(1, access.GetCompensationComponent(2, 0, comp));
    EXPECT_EQ(0, comp.channel1);
    EXPECT_EQ(-1, comp.component1);
    EXPECT_EQ(2, comp.channel2);
    EXPECT_EQ(2, comp.component2);

    // The device's reply to the temperature correction holds one value, not four flags.
    ParamSetStruct flags = {5, 5, 5, 5};
    EXPECT_EQ(0, access.GetTempCorrection(2, 0, flags));
    EXPECT_EQ(37, access.GetLastError().code);
    EXPECT_EQ(5, flags.flag2);
}

TEST_F(TypedBus, ShortOptionCardListIsNotWrittenBack) {
    ASSERT_TRUE(sim.Command("STORE 2 0 s5 030004000500"));
    int codes[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    ASSERT_EQ(1, access.GetExtRelayOutputs(2, 0, codes));
    EXPECT_EQ(3, codes[0]);
    EXPECT_EQ(5, codes[2]);
    EXPECT_EQ(0, codes[3]);
    EXPECT_EQ(0, codes[7]);
    Bodies();
    codes[1] = 7;
    EXPECT_EQ(0, access.SetExtRelayOutputs(2, 0, codes));
    EXPECT_EQ(37, access.GetLastError().code);
    EXPECT_TRUE(Bodies().empty());
    EXPECT_EQ("030004000500", Read(2, 0, "s5")) << "the device's list is unchanged";
}

TEST_F(TypedBus, RelayCountOfTheDevice) {
    CDeviceData* device = List(1, 2, 4);
    int codes[8];
    ASSERT_EQ(1, access.GetRelayOutputs(1, 0, codes));
    EXPECT_EQ(3, device->GetRelayCount());
    codes[2] = 9;
    Bodies();
    ASSERT_EQ(1, access.SetRelayOutputs(1, 0, codes));
    std::vector<std::string> bodies = Bodies();
    ASSERT_EQ(1u, bodies.size());
    EXPECT_EQ("5304010002000900", bodies[0]);
}

// ---- failures leave the caller's records ---------------------------------------------------------

TEST_F(TypedBus, RejectedAndUnansweredReadsLeaveTheRecords) {
    List(2, 1, 2);
    ASSERT_TRUE(sim.Fault("2 reject 1 DE on=s1"));
    LimitStruct l = Limit(5, 5, 5, 5, 5, 5);
    EXPECT_EQ(0, access.GetLimit1(2, 0, l));
    EXPECT_EQ(51, access.GetLastError().code);
    EXPECT_EQ(((unsigned long)'s' << 8) + 1, access.GetLastError().info);
    EXPECT_EQ(5, l.activeInRange1);
    EXPECT_EQ(5, l.limitActive);

    ASSERT_TRUE(sim.Fault("2 silent always on=w4"));
    VaskFloat a, b;
    a.value = -1;
    EXPECT_EQ(0, access.GetLinearGas(2, 0, a, b));
    EXPECT_EQ(9, access.GetLastError().code);
    EXPECT_EQ(-1.0, a.value);
    ASSERT_TRUE(sim.Command("CLEARFAULTS"));
}

TEST_F(TypedBus, ACacheIsNotFilledByAFailedRead) {
    List(2, 1, 2);
    ASSERT_TRUE(sim.Fault("2 reject 1 BS on=w9"));
    VaskFloat a, b;
    EXPECT_EQ(0, access.GetLimit1(2, 0, a, b));
    EXPECT_EQ(49, access.GetLastError().code);
    // 1.5 and 2.0 in unit 34 (mbar)
    ASSERT_TRUE(sim.Command("STORE 2 0 w9 312E35002200322E30002200")) << sim.LastError();
    Bodies();
    ASSERT_EQ(1, access.GetLimit1(2, 0, a, b));
    ASSERT_EQ(1, access.GetLimit1(2, 0, a, b));
    EXPECT_EQ(1u, Bodies().size());
    EXPECT_EQ(1.5, a.value);
}

// ---- measured values kept in the device list -----------------------------------------------------

TEST_F(TypedBus, MeasuredValuesAreServedFromTheDeviceList) {
    CDeviceData* device = List(1, 1, 4);
    VaskFloat all[30];
    ASSERT_EQ(1, access.GetMeas(1, 0, all, 1));
    EXPECT_EQ(2, device->GetComponentCount()) << "the device has two components";
    VaskFloat co2;
    ASSERT_EQ(1, access.GetComponentMeas(1, 1, co2));
    std::vector<std::string> bodies = Bodies();
    ASSERT_EQ(1u, bodies.size()) << "one all-values read, nothing more";
    EXPECT_EQ("6B02", bodies[0]);
    EXPECT_EQ(all[1].value, co2.value);
    EXPECT_EQ(11, co2.unit);
    EXPECT_EQ(3, co2.quantity);
    g_wallClock += 3;
    ASSERT_EQ(1, access.GetComponentMeas(1, 1, co2));
    bodies = Bodies();
    ASSERT_EQ(1u, bodies.size());
    EXPECT_EQ("6B01", bodies[0]);
}

// ---- two devices under one address ---------------------------------------------------------------

TEST_F(TypedBus, AnotherSerialNumberUnderTheSameAddressIsAConflict) {
    CDeviceData* device = List(2, 1, 2);
    VersionStruct v;
    ASSERT_EQ(1, access.GetChannelVersion(2, 0, v));
    EXPECT_EQ(2, v.channelType);
    EXPECT_EQ(0, access.HasAddressConflict(2));
    // A second device answers under address 2 before the first has been forgotten.
    ASSERT_TRUE(sim.Command("SET 2 serial X0000002"));
    device->DropVersion();
    ASSERT_EQ(1, access.GetChannelVersion(2, 0, v));
    EXPECT_STREQ("X0000002", (LPCSTR)v.serialNumber);
    EXPECT_EQ(1, access.HasAddressConflict(2));
}

}  // namespace
