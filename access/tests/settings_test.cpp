// The structured settings of CvaskAccess against the scripted bus: the bytes every write
// sends, the fields every read takes from a reply, the refused values, the lists of
// function codes, and what a failed request leaves behind.
#include "access_test_support.h"
#include "test_bytes.h"

#include <functional>
#include <string>
#include <vector>

using namespace scripted;

namespace {

typedef std::vector<int> Fields;
const int S = 77;  // what a record holds before a read that must not touch it

}  // namespace

class SettingsTest : public AccessFixture {
protected:
    void SetUp() override {
        AccessFixture::SetUp();
        Open(access);
    }
    Bytes OnlyBody() {
        std::vector<SentRequest> sent = bus.Sent();
        EXPECT_EQ(1u, sent.size());
        return sent.empty() ? Bytes() : sent.back().body;
    }
};

// ---- writes: every layout, byte for byte ----------------------------------------------------

struct WriteCase {
    const char* name;
    std::function<int(CvaskAccess&)> write;
    Bytes body;
};

class SettingsWriteTest : public SettingsTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(SettingsWriteTest, SendsExactlyTheseBytes) {
    bus.SetScript(ScriptedBus::Answering());
    AddDevice(access, 3, 2);
    ASSERT_EQ(1, GetParam().write(access)) << (LPCSTR)access.GetLastError().text;
    EXPECT_EQ(Hex(GetParam().body), Hex(OnlyBody()));
    EXPECT_EQ("3/1", bus.Sent()[0].address);
}

LimitStruct Limit(int r1, int r2, int r3, int r4, int direction, int active) {
    LimitStruct l = {r1, r2, r3, r4, direction, active};
    return l;
}
CorrectionStruct2 Lateral(int currentRange, int v1, int v2, int v3, int v4, int type) {
    CorrectionStruct2 c = {currentRange, v1, v2, v3, v4, type};
    return c;
}
CompStruct Comp(int channel1, int component1, int channel2, int component2) {
    CompStruct c = {channel1, component1, channel2, component2};
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, SettingsWriteTest,
    ::testing::Values(
        WriteCase{"limit_all_off_is_the_marker_alone",
                  [](CvaskAccess& a) { return a.SetLimit1(3, 0, Limit(0, 0, 0, 0, 0, 0)); },
                  RequestBody('S', 1, Octets({0x80, 0}))},
        WriteCase{"limit_active_any_nonzero_is_one",
                  [](CvaskAccess& a) { return a.SetLimit1(3, 0, Limit(0, 0, 0, 0, 0, 7)); },
                  RequestBody('S', 1, Octets({0xA0, 0}))},
        WriteCase{"limit2_ranges_and_direction",
                  [](CvaskAccess& a) { return a.SetLimit2(3, 0, Limit(1, 0, 1, 0, 1, 0)); },
                  RequestBody('S', 2, Octets({0x95, 0}))},
        WriteCase{"limit3_is_function_30",
                  [](CvaskAccess& a) { return a.SetLimit3(3, 0, Limit(1, 0, 0, 0, 1, 0)); },
                  RequestBody('S', 30, Octets({0x91, 0}))},
        WriteCase{"limit4_is_function_31_all_set",
                  [](CvaskAccess& a) { return a.SetLimit4(3, 0, Limit(1, 1, 1, 1, 1, 1)); },
                  RequestBody('S', 31, Octets({0xBF, 0}))},
        WriteCase{"analog_range_inverted_and_bit3",
                  [](CvaskAccess& a) { return a.SetAnalogRange(3, 0, 1, 5, Current4To20mANamur); },
                  RequestBody('S', 3, Octets({0x8F, 0}))},
        WriteCase{"analog_range_zero_live_zero",
                  [](CvaskAccess& a) { return a.SetAnalogRange(3, 0, 0, 0, Current0To20mA); },
                  RequestBody('S', 3, Octets({0x80, 0}))},
        WriteCase{"meas_range_1_without_autorange",
                  [](CvaskAccess& a) { return a.SetMeasRange(3, 0, 1, 0); }, RequestBody('S', 8, Octets({0x80, 0}))},
        WriteCase{"meas_range_4_with_autorange",
                  [](CvaskAccess& a) { return a.SetMeasRange(3, 0, 4, 1); }, RequestBody('S', 8, Octets({0x87, 0}))},
        WriteCase{"parameter_set_two_bits",
                  [](CvaskAccess& a) {
                      int set = 2;
                      return a.SetParameterSet(3, 0, set);
                  },
                  RequestBody('S', 9, Octets({0x82, 0}))},
        WriteCase{"head_heating_on_temperature_2",
                  [](CvaskAccess& a) { return a.SetHeadHeating(3, 0, 1, (TempType)2); },
                  RequestBody('S', 10, Octets({0x8A, 0}))},
        WriteCase{"autocal_lives_in_bit_2",
                  [](CvaskAccess& a) { return a.SetAutocalMode(3, 0, 1, 0, 0, 0); },
                  RequestBody('S', 11, Octets({0x84, 0}))},
        WriteCase{"autocal_start_on_input_bit_1",
                  [](CvaskAccess& a) { return a.SetAutocalMode(3, 0, 0, 1, 0, 0); },
                  RequestBody('S', 11, Octets({0x82, 0}))},
        WriteCase{"autocal_start_on_cycle_bit_0_check_bit_3",
                  [](CvaskAccess& a) { return a.SetAutocalMode(3, 0, 0, 0, 1, 1); },
                  RequestBody('S', 11, Octets({0x89, 0}))},
        WriteCase{"comp_stage_is_always_1",
                  [](CvaskAccess& a) { return a.SetCompStage(3, 0); }, RequestBody('S', 13, Octets({1, 0}))},
        WriteCase{"temperature_correction_flags",
                  [](CvaskAccess& a) {
                      ParamSetStruct f = {1, 0, 1, 0};
                      return a.SetTempCorrection(3, 0, f);
                  },
                  RequestBody('S', 14, Octets({0x85, 0}))},
        WriteCase{"pressure_correction_type_first_then_current_range",
                  [](CvaskAccess& a) {
                      CorrectionStruct1 c = {1, 3};
                      return a.SetPressureCorr(3, 0, c);
                  },
                  RequestBody('S', 15, Octets({0x83, 0, 0x81, 0}))},
        WriteCase{"lateral_gas_correction_1",
                  [](CvaskAccess& a) { return a.SetLateralGasCorr(3, 0, Lateral(2, 0, 1, 0, 0, 5)); },
                  RequestBody('S', 16, Octets({0x85, 0, 0x8A, 0}))},
        WriteCase{"lateral_gas_correction_2_is_function_35",
                  [](CvaskAccess& a) { return a.SetLateralGasCorr2(3, 0, Lateral(0, 1, 0, 0, 0, 0)); },
                  RequestBody('S', 35, Octets({0x80, 0, 0x84, 0}))},
        WriteCase{"lateral_gas_correction_3_is_function_36",
                  [](CvaskAccess& a) { return a.SetLateralGasCorr3(3, 0, Lateral(1, 0, 0, 1, 0, 2)); },
                  RequestBody('S', 36, Octets({0x82, 0, 0x91, 0}))},
        WriteCase{"lateral_gas_correction_4_everything_set",
                  [](CvaskAccess& a) { return a.SetLateralGasCorr4(3, 0, Lateral(3, 1, 1, 1, 1, 7)); },
                  RequestBody('S', 37, Octets({0x87, 0, 0xBF, 0}))},
        WriteCase{"alarm_state_flag4",
                  [](CvaskAccess& a) {
                      ParamSetStruct f = {0, 0, 0, 9};
                      return a.SetAlarmState(3, 0, f);
                  },
                  RequestBody('S', 17, Octets({0x88, 0}))},
        WriteCase{"controller_state_both",
                  [](CvaskAccess& a) { return a.SetControllerState(3, 0, 1, 1); }, RequestBody('S', 18, Octets({0x83, 0}))},
        WriteCase{"meas_store_hold_and_highest",
                  [](CvaskAccess& a) { return a.SetMeasStore(3, 0, MeasStoreHold, MeasStoreHighest); },
                  RequestBody('S', 19, Octets({0xB1, 0}))},
        WriteCase{"valve_6_alone",
                  [](CvaskAccess& a) {
                      ValveStruct v = {0, 0, 0, 0, 0, 1};
                      return a.SetValves(3, 0, v);
                  },
                  RequestBody('S', 20, Octets({0xA0, 0}))},
        WriteCase{"pump_on_meas_and_setpoint",
                  [](CvaskAccess& a) { return a.SetPump(3, 0, 0, 1, 1); }, RequestBody('S', 22, Octets({0x86, 0}))},
        WriteCase{"no_compensation_sources",
                  [](CvaskAccess& a) { return a.SetCompensationComponent(3, 0, Comp(0, -1, 0, -1)); },
                  RequestBody('S', 23, Octets({0xFF, 0, 0xFF, 0}))},
        WriteCase{"compensation_component_3_channel_5",
                  [](CvaskAccess& a) { return a.SetCompensationComponent(3, 0, Comp(5, 3, 15, 16)); },
                  RequestBody('S', 23, Octets({0x52, 0, 0xFF, 0}))},
        WriteCase{"compensation_3_and_4_is_function_38",
                  [](CvaskAccess& a) { return a.SetCompensationComponent3(3, 0, Comp(2, 1, 0, -1)); },
                  RequestBody('S', 38, Octets({0x20, 0, 0xFF, 0}))},
        WriteCase{"unit", [](CvaskAccess& a) { return a.SetUnit(3, 0, (SetUnitType)4); },
                  RequestBody('S', 24, Octets({4, 0}))},
        WriteCase{"heating_flag_then_temperature",
                  [](CvaskAccess& a) { return a.SetHeating(3, 0, 1, 60); }, RequestBody('S', 29, Octets({0x81, 0, 60, 0}))},
        WriteCase{"heating_temperature_unchecked_low_byte",
                  [](CvaskAccess& a) { return a.SetHeating(3, 0, 0, 300); }, RequestBody('S', 29, Octets({0x80, 0, 0x2C, 0}))},
        WriteCase{"pressure_source_in_high_half_byte",
                  [](CvaskAccess& a) { return a.SetPressureCorrExt(3, 0, 5); }, RequestBody('S', 39, Octets({0x50, 0}))},
        WriteCase{"internal_valves_bits_2_to_4",
                  [](CvaskAccess& a) { return a.SetPressureInternalValves(3, 0, 1, 0, 2); },
                  RequestBody('S', 41, Octets({0x94, 0}))},
        WriteCase{"binary_inputs_six_codes",
                  [](CvaskAccess& a) {
                      int codes[6] = {1, 2, 3, 4, 5, 6};
                      return a.SetBinaryInputs(3, 0, codes);
                  },
                  RequestBody('S', 6, Octets({1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0}))},
        WriteCase{"option_card_relays_eight_codes_low_bytes_unchecked",
                  [](CvaskAccess& a) {
                      int codes[8] = {1, 46, 47, 300, 0, 2, 3, 4};
                      return a.SetExtRelayOutputs(3, 0, codes);
                  },
                  RequestBody('S', 5, Octets({1, 0, 46, 0, 47, 0, 0x2C, 0, 0, 0, 2, 0, 3, 0, 4, 0}))},
        WriteCase{"option_card_inputs_eight_codes",
                  [](CvaskAccess& a) {
                      int codes[8] = {8, 7, 6, 5, 4, 3, 2, 1};
                      return a.SetExtBinaryInputs(3, 0, codes);
                  },
                  RequestBody('S', 7, Octets({8, 0, 7, 0, 6, 0, 5, 0, 4, 0, 3, 0, 2, 0, 1, 0}))},
        WriteCase{"autocal_steps_twelve_codes",
                  [](CvaskAccess& a) {
                      ControlType steps[12];
                      for (int i = 0; i < 12; ++i) steps[i] = (ControlType)(i % 11 + 1);
                      return a.SetAutocalSteps(3, 0, steps);
                  },
                  RequestBody('S', 12, Octets({1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0, 11, 0, 1, 0}))}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

// ---- refused values: error 30, nothing sent --------------------------------------------------

struct RefusedCase {
    const char* name;
    std::function<int(CvaskAccess&)> write;
};

class SettingsRefusedTest : public SettingsTest,
                            public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(SettingsRefusedTest, FailsWith30AndSendsNothing) {
    bus.SetScript(ScriptedBus::Answering());
    AddDevice(access, 3, 2);
    EXPECT_EQ(0, GetParam().write(access));
    EXPECT_EQ(30, access.GetLastError().code);
    EXPECT_EQ(0u, access.GetLastError().info);
    EXPECT_EQ(0, bus.SentCount());
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsRefusedTest,
    ::testing::Values(
        RefusedCase{"analog_range_4",
                    [](CvaskAccess& a) { return a.SetAnalogRange(3, 0, 0, 0, (CurrentType)4); }},
        RefusedCase{"analog_range_negative",
                    [](CvaskAccess& a) { return a.SetAnalogRange(3, 0, 0, 0, (CurrentType)-1); }},
        RefusedCase{"meas_range_0", [](CvaskAccess& a) { return a.SetMeasRange(3, 0, 0, 0); }},
        RefusedCase{"meas_range_5", [](CvaskAccess& a) { return a.SetMeasRange(3, 0, 5, 1); }},
        RefusedCase{"parameter_set_4",
                    [](CvaskAccess& a) {
                        int set = 4;
                        return a.SetParameterSet(3, 0, set);
                    }},
        RefusedCase{"head_heating_temperature_4",
                    [](CvaskAccess& a) { return a.SetHeadHeating(3, 0, 1, (TempType)4); }},
        RefusedCase{"pressure_correction_type_4_with_a_valid_range",
                    [](CvaskAccess& a) {
                        CorrectionStruct1 c = {1, 4};
                        return a.SetPressureCorr(3, 0, c);
                    }},
        RefusedCase{"pressure_current_range_4",
                    [](CvaskAccess& a) {
                        CorrectionStruct1 c = {4, 0};
                        return a.SetPressureCorr(3, 0, c);
                    }},
        RefusedCase{
            "lateral_correction_type_8",
            [](CvaskAccess& a) { return a.SetLateralGasCorr(3, 0, Lateral(0, 0, 0, 0, 0, 8)); }},
        RefusedCase{
            "lateral_current_range_4",
            [](CvaskAccess& a) { return a.SetLateralGasCorr3(3, 0, Lateral(4, 0, 0, 0, 0, 1)); }},
        RefusedCase{
            "meas_store_on_check_4",
            [](CvaskAccess& a) { return a.SetMeasStore(3, 0, (MeasStoreType)4, MeasStoreOff); }},
        RefusedCase{
            "meas_store_on_fault_negative",
            [](CvaskAccess& a) { return a.SetMeasStore(3, 0, MeasStoreOff, (MeasStoreType)-1); }},
        RefusedCase{
            "component_0",
            [](CvaskAccess& a) { return a.SetCompensationComponent(3, 0, Comp(1, 0, 0, -1)); }},
        RefusedCase{
            "component_17",
            [](CvaskAccess& a) { return a.SetCompensationComponent(3, 0, Comp(1, 17, 0, -1)); }},
        RefusedCase{
            "channel_16",
            [](CvaskAccess& a) { return a.SetCompensationComponent(3, 0, Comp(16, 1, 0, -1)); }},
        RefusedCase{
            "channel_negative",
            [](CvaskAccess& a) { return a.SetCompensationComponent3(3, 0, Comp(-1, 1, 0, -1)); }},
        RefusedCase{
            "no_component_with_a_channel",
            [](CvaskAccess& a) { return a.SetCompensationComponent(3, 0, Comp(2, -1, 0, -1)); }},
        RefusedCase{
            "second_source_component_0",
            [](CvaskAccess& a) { return a.SetCompensationComponent3(3, 0, Comp(0, -1, 1, 0)); }},
        RefusedCase{"pressure_source_16",
                    [](CvaskAccess& a) { return a.SetPressureCorrExt(3, 0, 16); }},
        RefusedCase{"pressure_source_negative",
                    [](CvaskAccess& a) { return a.SetPressureCorrExt(3, 0, -1); }}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

// ---- reads: what each takes from its reply ----------------------------------------------------

struct ReadCase {
    const char* name;
    int function;  // of the "s" request
    Bytes reply;   // the reply's values
    Fields expected;
    // Reads into a record that holds S in every field; `fields` receives them all.
    std::function<int(CvaskAccess&, Fields& fields)> read;
};

class SettingsReadTest : public SettingsTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(SettingsReadTest, TakesTheFieldsFromTheReply) {
    const ReadCase& c = GetParam();
    bus.SetScript(ScriptedBus::Answering(c.reply));
    AddDevice(access, 3, 2);
    Fields fields;
    ASSERT_EQ(1, c.read(access, fields)) << (LPCSTR)access.GetLastError().text;
    EXPECT_EQ(c.expected, fields);
    EXPECT_EQ(Hex(RequestBody('s', c.function)), Hex(OnlyBody()));
}

// A rejected read leaves every field as it was, with the device's error.
TEST_P(SettingsReadTest, RejectedReadLeavesTheRecordUntouched) {
    const ReadCase& c = GetParam();
    bus.SetScript(ScriptedBus::Rejecting());
    AddDevice(access, 3, 2);
    Fields fields;
    EXPECT_EQ(0, c.read(access, fields));
    EXPECT_EQ(Fields(c.expected.size(), S), fields);
    EXPECT_EQ(51, access.GetLastError().code);
    EXPECT_EQ(((unsigned long)'s' << 8) + (unsigned long)c.function, access.GetLastError().info);
}

// So does a device that stays silent.
TEST_P(SettingsReadTest, UnansweredReadLeavesTheRecordUntouched) {
    const ReadCase& c = GetParam();
    bus.SetScript(ScriptedBus::Silent());
    AddDevice(access, 3, 2);
    Fields fields;
    EXPECT_EQ(0, c.read(access, fields));
    EXPECT_EQ(Fields(c.expected.size(), S), fields);
    EXPECT_EQ(9, access.GetLastError().code);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, SettingsReadTest,
    ::testing::Values(
        ReadCase{"limit1", 1, Octets({0xB3, 0}), {1, 1, 0, 0, 1, 1},
                 [](CvaskAccess& a, Fields& f) {
                     LimitStruct r = {S, S, S, S, S, S};
                     int ok = a.GetLimit1(3, 0, r);
                     f = {r.activeInRange1, r.activeInRange2, r.activeInRange3, r.activeInRange4,
                          r.alarmDirection, r.limitActive};
                     return ok;
                 }},
        ReadCase{"limit4", 31, Octets({0x8C, 0}), {0, 0, 1, 1, 0, 0},
                 [](CvaskAccess& a, Fields& f) {
                     LimitStruct r = {S, S, S, S, S, S};
                     int ok = a.GetLimit4(3, 0, r);
                     f = {r.activeInRange1, r.activeInRange2, r.activeInRange3, r.activeInRange4,
                          r.alarmDirection, r.limitActive};
                     return ok;
                 }},
        // Bits 4 and 5 set: bit3Flag reads any of bits 3 to 6.
        ReadCase{"analog_range_bit3_flag_from_bits_3_to_6", 3, Octets({0xB2, 0}), {2, 0, 1},
                 [](CvaskAccess& a, Fields& f) {
                     int inverted = S, bit3 = S;
                     CurrentType range = (CurrentType)S;
                     int ok = a.GetAnalogRange(3, 0, inverted, bit3, range);
                     f = {range, inverted, bit3};
                     return ok;
                 }},
        ReadCase{"analog_range_inverted", 3, Octets({0x87, 0}), {3, 1, 0},
                 [](CvaskAccess& a, Fields& f) {
                     int inverted = S, bit3 = S;
                     CurrentType range = (CurrentType)S;
                     int ok = a.GetAnalogRange(3, 0, inverted, bit3, range);
                     f = {range, inverted, bit3};
                     return ok;
                 }},
        ReadCase{"meas_range_counts_from_1", 8, Octets({0x85, 0}), {2, 1},
                 [](CvaskAccess& a, Fields& f) {
                     int range = S, autorange = S;
                     int ok = a.GetMeasRange(3, 0, range, autorange);
                     f = {range, autorange};
                     return ok;
                 }},
        // The write sends the set as two bits; the read takes the same two bits.
        ReadCase{"parameter_set_two_bits", 9, Octets({0x82, 0}), {2},
                 [](CvaskAccess& a, Fields& f) {
                     int set = S;
                     int ok = a.GetParameterSet(3, 0, set);
                     f = {set};
                     return ok;
                 }},
        ReadCase{"head_heating", 10, Octets({0x8B, 0}), {1, 3},
                 [](CvaskAccess& a, Fields& f) {
                     int on = S;
                     TempType t = (TempType)S;
                     int ok = a.GetHeadHeating(3, 0, on, t);
                     f = {on, t};
                     return ok;
                 }},
        ReadCase{"autocal_mode", 11, Octets({0x85, 0}), {1, 0, 1, 0},
                 [](CvaskAccess& a, Fields& f) {
                     int autocal = S, input = S, cycle = S, check = S;
                     int ok = a.GetAutocalMode(3, 0, autocal, input, cycle, check);
                     f = {autocal, input, cycle, check};
                     return ok;
                 }},
        ReadCase{"autocal_mode_check", 11, Octets({0x8A, 0}), {0, 1, 0, 1},
                 [](CvaskAccess& a, Fields& f) {
                     int autocal = S, input = S, cycle = S, check = S;
                     int ok = a.GetAutocalMode(3, 0, autocal, input, cycle, check);
                     f = {autocal, input, cycle, check};
                     return ok;
                 }},
        ReadCase{"comp_stage", 13, Octets({3, 0}), {3},
                 [](CvaskAccess& a, Fields& f) {
                     int stage = S;
                     int ok = a.GetCompStage(3, 0, stage);
                     f = {stage};
                     return ok;
                 }},
        ReadCase{"pressure_correction", 15, Octets({0x83, 0, 0x81, 0}), {1, 3},
                 [](CvaskAccess& a, Fields& f) {
                     CorrectionStruct1 c = {S, S};
                     int ok = a.GetPressureCorr(3, 0, c);
                     f = {c.currentRange, c.correctionType};
                     return ok;
                 }},
        ReadCase{"lateral_gas_correction_2", 35, Octets({0x85, 0, 0x8A, 0}), {2, 0, 1, 0, 0, 5},
                 [](CvaskAccess& a, Fields& f) {
                     CorrectionStruct2 c = {S, S, S, S, S, S};
                     int ok = a.GetLateralGasCorr2(3, 0, c);
                     f = {c.currentRange, c.validInRange1, c.validInRange2, c.validInRange3, c.validInRange4,
                          c.correctionType};
                     return ok;
                 }},
        ReadCase{"lateral_gas_correction_4", 37, Octets({0x87, 0, 0xB1, 0}), {1, 0, 0, 1, 1, 7},
                 [](CvaskAccess& a, Fields& f) {
                     CorrectionStruct2 c = {S, S, S, S, S, S};
                     int ok = a.GetLateralGasCorr4(3, 0, c);
                     f = {c.currentRange, c.validInRange1, c.validInRange2, c.validInRange3, c.validInRange4,
                          c.correctionType};
                     return ok;
                 }},
        ReadCase{"alarm_state", 17, Octets({0x8A, 0}), {0, 1, 0, 1},
                 [](CvaskAccess& a, Fields& f) {
                     ParamSetStruct p = {S, S, S, S};
                     int ok = a.GetAlarmState(3, 0, p);
                     f = {p.flag1, p.flag2, p.flag3, p.flag4};
                     return ok;
                 }},
        ReadCase{"controller_state", 18, Octets({0x82, 0}), {0, 1},
                 [](CvaskAccess& a, Fields& f) {
                     int s1 = S, s2 = S;
                     int ok = a.GetControllerState(3, 0, s1, s2);
                     f = {s1, s2};
                     return ok;
                 }},
        ReadCase{"meas_store", 19, Octets({0xB1, 0}), {1, 3},
                 [](CvaskAccess& a, Fields& f) {
                     MeasStoreType check = (MeasStoreType)S, fault = (MeasStoreType)S;
                     int ok = a.GetMeasStore(3, 0, check, fault);
                     f = {check, fault};
                     return ok;
                 }},
        ReadCase{"valves", 20, Octets({0xA1, 0}), {1, 0, 0, 0, 0, 1},
                 [](CvaskAccess& a, Fields& f) {
                     ValveStruct v = {S, S, S, S, S, S};
                     int ok = a.GetValves(3, 0, v);
                     f = {v.valve1, v.valve2, v.valve3, v.valve4, v.valve5, v.valve6};
                     return ok;
                 }},
        ReadCase{"async_parameters", 21, Octets({3, 0, 5, 0, 200, 0, 1, 0, 255, 0}), {3, 5, 200, 1, 255},
                 [](CvaskAccess& a, Fields& f) {
                     AsyncStruct p = {S, S, S, S, S};
                     int ok = a.GetAsyncParameters(3, 0, p);
                     f = {p.choice1, p.choice2, p.number1, p.number2, p.number3};
                     return ok;
                 }},
        ReadCase{"pump", 22, Octets({0x85, 0}), {1, 0, 1},
                 [](CvaskAccess& a, Fields& f) {
                     int sync = S, meas = S, setpoint = S;
                     int ok = a.GetPump(3, 0, sync, meas, setpoint);
                     f = {sync, meas, setpoint};
                     return ok;
                 }},
        ReadCase{"compensation_none_then_channel_2_component_2", 23, Octets({0xFF, 0, 0x21, 0}), {0, -1, 2, 2},
                 [](CvaskAccess& a, Fields& f) {
                     CompStruct c = {S, S, S, S};
                     int ok = a.GetCompensationComponent(3, 0, c);
                     f = {c.channel1, c.component1, c.channel2, c.component2};
                     return ok;
                 }},
        ReadCase{"compensation_3_and_4", 38, Octets({0x52, 0, 0xFF, 0}), {5, 3, 0, -1},
                 [](CvaskAccess& a, Fields& f) {
                     CompStruct c = {S, S, S, S};
                     int ok = a.GetCompensationComponent3(3, 0, c);
                     f = {c.channel1, c.component1, c.channel2, c.component2};
                     return ok;
                 }},
        ReadCase{"unit", 24, Octets({4, 0}), {4},
                 [](CvaskAccess& a, Fields& f) {
                     SetUnitType u = (SetUnitType)S;
                     int ok = a.GetUnit(3, 0, u);
                     f = {u};
                     return ok;
                 }},
        ReadCase{"heating", 29, Octets({0x81, 0, 60, 0}), {1, 60},
                 [](CvaskAccess& a, Fields& f) {
                     int on = S, temperature = S;
                     int ok = a.GetHeating(3, 0, on, temperature);
                     f = {on, temperature};
                     return ok;
                 }},
        ReadCase{"option_card", 33, Octets({2, 0}), {2},
                 [](CvaskAccess& a, Fields& f) {
                     OptionCardType card = (OptionCardType)S;
                     int ok = a.GetOptionCard(3, 0, card);
                     f = {card};
                     return ok;
                 }},
        ReadCase{"pressure_source_high_half_byte", 39, Octets({0x7A, 0}), {7},
                 [](CvaskAccess& a, Fields& f) {
                     int source = S;
                     int ok = a.GetPressureCorrExt(3, 0, source);
                     f = {source};
                     return ok;
                 }},
        ReadCase{"internal_valves", 41, Octets({0x88, 0}), {0, 1, 0},
                 [](CvaskAccess& a, Fields& f) {
                     int x = S, y = S, z = S;
                     int ok = a.GetPressureInternalValves(3, 0, x, y, z);
                     f = {x, y, z};
                     return ok;
                 }},
        ReadCase{"autocal_steps", 12, Octets({2, 0, 3, 0, 1, 0, 1, 0, 7, 0, 8, 0, 9, 0, 1, 0, 1, 0, 1, 0, 4, 0, 5, 0}),
                 {2, 3, 1, 1, 7, 8, 9, 1, 1, 1, 4, 5},
                 [](CvaskAccess& a, Fields& f) {
                     ControlType steps[12];
                     for (ControlType& s : steps) s = (ControlType)S;
                     int ok = a.GetAutocalSteps(3, 0, steps);
                     f.assign(steps, steps + 12);
                     return ok;
                 }}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// ---- the measuring range is kept in the device list ------------------------------------------

TEST_F(SettingsTest, MeasuringRangeIsKeptForTheChannelAfterReadAndWrite) {
    CDeviceData* device = AddDevice(access, 3, 2);
    bus.SetScript(ScriptedBus::Answering(Octets({0x86, 0})));
    int range = 0, autorange = 0;
    ASSERT_EQ(1, access.GetMeasRange(3, 1, range, autorange));
    int kept = 0, keptAuto = 0;
    ASSERT_EQ(1, device->GetMeasRange(1, kept, keptAuto));
    EXPECT_EQ(3, kept);
    EXPECT_EQ(1, keptAuto);

    bus.SetScript(ScriptedBus::Answering());
    ASSERT_EQ(1, access.SetMeasRange(3, 0, 4, 0));
    ASSERT_EQ(1, device->GetMeasRange(0, kept, keptAuto));
    EXPECT_EQ(4, kept);
    EXPECT_EQ(0, keptAuto);

    // A failed write leaves the entry alone.
    bus.SetScript(ScriptedBus::Rejecting());
    EXPECT_EQ(0, access.SetMeasRange(3, 0, 2, 1));
    ASSERT_EQ(1, device->GetMeasRange(0, kept, keptAuto));
    EXPECT_EQ(4, kept);
}

TEST_F(SettingsTest, MeasuringRangeOfAnUnlistedDeviceIsError36WithoutRequest) {
    bus.SetScript(ScriptedBus::Answering(Octets({0x80, 0})));
    int range = S, autorange = S;
    EXPECT_EQ(0, access.GetMeasRange(4, 0, range, autorange));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(0, access.SetMeasRange(4, 0, 1, 0));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(0, bus.SentCount());
    EXPECT_EQ(S, range);
}

// The message catalogue describes the temperature correction's reply as one integer, so
// the four flags are not there: the read fails instead of inventing three of them.
TEST_F(SettingsTest, TemperatureCorrectionWithoutFourValuesFailsWith37) {
    bus.SetScript(ScriptedBus::Answering(Octets({0x85, 0})));
    ParamSetStruct flags = {S, S, S, S};
    EXPECT_EQ(0, access.GetTempCorrection(3, 0, flags));
    EXPECT_EQ(37, access.GetLastError().code);
    EXPECT_EQ(((unsigned long)'s' << 8) + 14, access.GetLastError().info);
    EXPECT_EQ(S, flags.flag1);
    EXPECT_EQ(S, flags.flag4);
}

// ---- relay codes ------------------------------------------------------------------------------

TEST_F(SettingsTest, RelayCountFollowsTheCodesReadAndTheWriteSendsThatMany) {
    CDeviceData* device = AddDevice(access, 3);
    bus.SetScript(ScriptedBus::Answering(Octets({1, 0, 2, 0, 11, 0})));
    int codes[8] = {S, S, S, S, S, S, S, S};
    ASSERT_EQ(1, access.GetRelayOutputs(3, 0, codes));
    EXPECT_EQ(3, device->GetRelayCount());
    EXPECT_EQ(1, codes[0]);
    EXPECT_EQ(2, codes[1]);
    EXPECT_EQ(11, codes[2]);
    EXPECT_EQ(S, codes[3]);

    bus.ClearSent();
    bus.SetScript(ScriptedBus::Answering());
    codes[1] = 30;
    ASSERT_EQ(1, access.SetRelayOutputs(3, 0, codes));
    EXPECT_EQ(Hex(RequestBody('S', 4, Octets({1, 0, 30, 0, 11, 0}))), Hex(OnlyBody()));
}

TEST_F(SettingsTest, RelaysOfAnUnlistedDeviceAreError36WithoutRequest) {
    bus.SetScript(ScriptedBus::Answering(Octets({1, 0})));
    int codes[8] = {S, S, S, S, S, S, S, S};
    EXPECT_EQ(0, access.GetRelayOutputs(5, 0, codes));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(0, access.SetRelayOutputs(5, 0, codes));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(0, bus.SentCount());
    EXPECT_EQ(S, codes[0]);
}

TEST_F(SettingsTest, FailedRelayReadKeepsTheRelayCount) {
    CDeviceData* device = AddDevice(access, 3);
    device->SetRelayCount(5);
    bus.SetScript(ScriptedBus::Rejecting());
    int codes[8] = {S, S, S, S, S, S, S, S};
    EXPECT_EQ(0, access.GetRelayOutputs(3, 0, codes));
    EXPECT_EQ(5, device->GetRelayCount());
    EXPECT_EQ(S, codes[0]);
}

// ---- the fixed lists: short replies --------------------------------------------------------

struct FixedListCase {
    const char* name;
    int function;
    int length;
    std::function<int(CvaskAccess&, int channel, int*)> read;
    std::function<int(CvaskAccess&, int channel, int*)> write;
};

class FixedListTest : public SettingsTest, public ::testing::WithParamInterface<FixedListCase> {};

// A list the device sent short is filled with zeros, not with codes it never sent, and
// writing it back is refused: the device would receive codes it never gave.
TEST_P(FixedListTest, ShortReplyIsZeroFilledAndCannotBeWrittenBack) {
    const FixedListCase& c = GetParam();
    bus.SetScript(ScriptedBus::Answering(Octets({4, 0, 5, 0, 6, 0})));
    int codes[13];
    for (int& code : codes) code = S;
    ASSERT_EQ(1, c.read(access, 0, codes));
    EXPECT_EQ(4, codes[0]);
    EXPECT_EQ(5, codes[1]);
    EXPECT_EQ(6, codes[2]);
    for (int i = 3; i < c.length; ++i) EXPECT_EQ(0, codes[i]) << i;
    EXPECT_EQ(S, codes[c.length]) << "beyond the list";

    bus.ClearSent();
    EXPECT_EQ(0, c.write(access, 0, codes));
    EXPECT_EQ(37, access.GetLastError().code);
    EXPECT_EQ(((unsigned long)'S' << 8) + (unsigned long)c.function, access.GetLastError().info);
    EXPECT_EQ(0, bus.SentCount());

    // The same list of another channel was never read short.
    bus.SetScript(ScriptedBus::Answering());
    EXPECT_EQ(1, c.write(access, 1, codes)) << (LPCSTR)access.GetLastError().text;
}

TEST_P(FixedListTest, FullReplyCanBeWrittenBack) {
    const FixedListCase& c = GetParam();
    // First a short read, then a complete one: the complete one counts.
    bus.SetScript(ScriptedBus::Answering(Octets({4, 0})));
    int codes[13];
    ASSERT_EQ(1, c.read(access, 0, codes));
    Bytes full;
    for (int i = 0; i < c.length; ++i) {
        full.push_back((unsigned char)(i + 1));
        full.push_back(0);
    }
    bus.SetScript(ScriptedBus::Answering(full));
    ASSERT_EQ(1, c.read(access, 0, codes));
    bus.ClearSent();
    bus.SetScript(ScriptedBus::Answering());
    ASSERT_EQ(1, c.write(access, 0, codes)) << (LPCSTR)access.GetLastError().text;
    EXPECT_EQ(Hex(RequestBody('S', c.function, full)), Hex(OnlyBody()));
}

TEST_P(FixedListTest, RejectedReadLeavesTheCallersList) {
    const FixedListCase& c = GetParam();
    bus.SetScript(ScriptedBus::Rejecting());
    int codes[13];
    for (int& code : codes) code = S;
    EXPECT_EQ(0, c.read(access, 0, codes));
    for (int code : codes) EXPECT_EQ(S, code);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, FixedListTest,
    ::testing::Values(
        FixedListCase{
            "option_card_relays", 5, 8,
            [](CvaskAccess& a, int ch, int* c) { return a.GetExtRelayOutputs(3, ch, c); },
            [](CvaskAccess& a, int ch, int* c) { return a.SetExtRelayOutputs(3, ch, c); }},
        FixedListCase{"binary_inputs", 6, 6,
                      [](CvaskAccess& a, int ch, int* c) { return a.GetBinaryInputs(3, ch, c); },
                      [](CvaskAccess& a, int ch, int* c) { return a.SetBinaryInputs(3, ch, c); }},
        FixedListCase{
            "option_card_inputs", 7, 8,
            [](CvaskAccess& a, int ch, int* c) { return a.GetExtBinaryInputs(3, ch, c); },
            [](CvaskAccess& a, int ch, int* c) { return a.SetExtBinaryInputs(3, ch, c); }},
        FixedListCase{"autocal_steps", 12, 12,
                      [](CvaskAccess& a, int ch, int* c) {
                          ControlType steps[12];
                          int ok = a.GetAutocalSteps(3, ch, steps);
                          if (ok)
                              for (int i = 0; i < 12; ++i) c[i] = steps[i];
                          return ok;
                      },
                      [](CvaskAccess& a, int ch, int* c) {
                          ControlType steps[12];
                          for (int i = 0; i < 12; ++i) steps[i] = (ControlType)c[i];
                          return a.SetAutocalSteps(3, ch, steps);
                      }}),
    [](const ::testing::TestParamInfo<FixedListCase>& info) {
        return std::string(info.param.name);
    });
