// The parameter adapters, table by table, against a scripted device: which requests each
// one makes, which value it takes out of the reply (Fetch), which bytes it writes back
// (Transfer), and the element bounds and conversions that refuse a call before anything
// is sent.
//
// The device at address 5 answers every read from the profile below; its values are
// chosen so that neighbouring fields, bits, out-arguments and elements differ, so an
// adapter that takes the wrong one reads a wrong value.
#include "access_test_support.h"
#include "test_bytes.h"

#include <cmath>
#include <limits>
#include <map>

using namespace scripted;

namespace {

const int kAddress = 5;
const unsigned char kFlags = 0x43;  // status bits 1, 2 and 64 of every answer
const unsigned char kState = 7;

Bytes Bits(unsigned char byte) { return IntByte(byte); }
Bytes Bits(unsigned char first, unsigned char second) {
    return Concat({IntByte(first), IntByte(second)});
}
Bytes Codes(std::initializer_list<int> codes) {
    Bytes b;
    for (int c : codes) {
        b.push_back((unsigned char)c);
        b.push_back(0);
    }
    return b;
}
// A text with its unit bytes 01 00.
Bytes UText(const char* text) {
    Bytes b = Float(text);
    b.push_back(1);
    b.push_back(0);
    return b;
}
Bytes UFloats(std::initializer_list<const char*> numbers, int unit) {
    Bytes b;
    for (const char* n : numbers) {
        Bytes one = UFloat(n, unit);
        b.insert(b.end(), one.begin(), one.end());
    }
    return b;
}

// Reply values of every read ("s1") the device answers; "w89@5/4" holds for one channel only.
std::map<std::string, Bytes> Profile() {
    return {
        // limit switches: ranges 1-4, alarm (bit 4), control (bit 5)
        {"s1", Bits(0x95)},   // 1 0 1 0, alarm 1, control 0
        {"s2", Bits(0xAA)},   // 0 1 0 1, alarm 0, control 1
        {"s30", Bits(0x93)},  // 1 1 0 0, alarm 1, control 0
        {"s31", Bits(0xAC)},  // 0 0 1 1, alarm 0, control 1
        {"s3", Bits(0x86)},   // current type 2, inverted 1
        {"s4", Codes({11, 12, 13})},
        {"s5", Codes({21, 22, 23, 24, 25, 26, 27, 28})},
        {"s6", Codes({3, 4, 5, 6, 7, 8})},
        {"s7", Codes({9, 10, 11, 12, 13})},  // five of the eight option-card inputs
        {"s8", Bits(0x86)},                  // range 3, autorange 1
        {"s11", Bits(0x8A)},                 // cycle 0, input 1, autocal 0, check 1
        {"s12", Codes({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 1, 2})},
        {"s15", Bits(0x82, 0x81)},  // correction type 2, current range 1
        {"s16", Bits(0x85, 0x96)},  // type 5, current 2, valid 1 0 1 0
        {"s35", Bits(0x83, 0xA9)},  // type 3, current 1, valid 0 1 0 1
        {"s36", Bits(0x86, 0x8C)},  // type 6, current 0, valid 1 1 0 0
        {"s37", Bits(0x81, 0xB3)},  // type 1, current 3, valid 0 0 1 1
        {"s19", Bits(0xB1)},        // function check 1, fault 3
        {"s22", Bits(0x85)},        // sync 1, on measuring 0, on set point 1
        {"s23", Bits(0x52, 0xFF)},  // (channel 5, component 3), no second source
        {"s38", Bits(0x21, 0x34)},  // (2, 2), (3, 5)
        {"s24", IntByte(3)},
        {"s29", Concat({Bits(0x81), IntByte(60)})},
        {"s39", Bits(0x70)},  // external pressure from channel 7
        {"s41", Bits(0x94)},  // zero gas 1, span gas 0, sample gas 1
        {"k3",
         Concat({Bits(0x84), Bits(0x82), Bits(0xA0), Bits(0x80)})},  // broadcast, pump, common zero
        {"k4", Concat({Bits(0x84), Bits(0x80), Bits(0x80)})},        // adjust all
        {"k6", Concat({IntByte(4), UText("SN-0815"), UText("SW 1.2"), UText("HW 3"), UText("ORD-7"),
                       UText("FW 9"), UText("extra")})},
        {"k16", UText("Kanal 5")},
        {"k28", Concat({UText("AB 1"), UText("A 2"), UText("OB 3"), UText("O 4"), UText("MB 5"),
                        UText("M 6")})},
        {"k29", IntByte(2)},
        {"k30", IntByte(1)},
        {"k31", IntByte(2)},
        {"w1", UFloats({" 0.000", " 10.000", "20.000", "30.000"}, 5)},
        {"w2", UFloats({"100.000", "200.000", "300.000", "400.000"}, 6)},
        {"w3", UFloats({"50.000", "60.000", "70.000", "80.000"}, 5)},
        {"w5", UFloat(" 5.500", 3)},
        {"w6", UFloats({"6.000", "12.000", "3.000"}, 7)},  // wire order: next, cycle, adjust
        {"w7", UFloats({"1.000", "2.000", "3.000", "4.000", "5.000", "6.000"}, 7)},
        {"w8", UFloats({"7.000", "8.000", "9.000", "10.000", "11.000", "12.000"}, 7)},
        {"w9", Concat({UFloat("11.000", 3), UFloat("1.100", 10)})},
        {"w10", Concat({UFloat("22.000", 3), UFloat("2.200", 10)})},
        {"w63", Concat({UFloat("33.000", 3), UFloat("3.300", 10)})},
        {"w64", Concat({UFloat("44.000", 3), UFloat("4.400", 10)})},
        {"w11", UFloats({"1.500", "2.500", "3.500", "4.500"}, 7)},
        {"w12", UFloats({"5.000", "1.000"}, 3)},  // wire order: up, down
        {"w14", UFloats({"5.000", "3.000", "4.000"}, 1)},
        {"w18", UFloat(" 1013.000", 12)},
        {"w21", UFloat("50.000", 1)},
        {"w24", UFloat("2.000", 7)},
        {"w26", UFloat(" 0.700", 1)},
        {"w27", UFloats({"800.000", "1200.000"}, 12)},
        {"w28", UFloats({"0.100", "0.200", "0.300"}, 3)},
        {"w29", UFloats({"100.000", "200.000", "300.000", "400.000", "500.000", "600.000"}, 7)},
        {"w42", UFloat("25.000", 3)},
        {"w44", UFloats({"0.400", "0.500", "0.600"}, 3)},
        {"w65", UFloats({" 0.050", " 0.060"}, 3)},
        {"w66", UFloats({"0.700", "0.800", "0.900"}, 3)},
        {"w67", UFloats({"1.100", "1.200", "1.300"}, 3)},
        {"w68", UFloat(" 1.000", 3)},
        {"w69", UFloat(" 2.000", 3)},
        {"w70", UFloat(" 3.000", 3)},
        {"w71", UFloat(" 4.000", 3)},
        {"w72", UFloats({"1.100", "1.200", " 1.300"}, 1)},
        {"w73", UFloats({"2.100", " 2.200", "2.300"}, 1)},
        {"w74", UFloats({"3.100", " 3.200", "3.300"}, 1)},
        {"w75", UFloats({" 4.100", "4.200", "4.300"}, 1)},
        {"w77", UFloat("7.000", 1)},
        {"w81", UFloats({"2.500", " 3.500"}, 12)},
        {"w82", UFloats({"1.000", "2.000", "3.000"}, 12)},  // wire order: 2nd, 3rd, 1st
        {"w83", UFloats({"0.010", "0.020", "0.030", "0.040", " 0.050"}, 3)},
        {"w89@5/4", UFloat("20.900", 10)},
        {"w90", UFloats({"1.000", "7.000", "5.000"}, 1)},
        {"w91@5/3", UFloat("10.000", 2)},
    };
}

// Reads come from the profile (else the rejection "??"); writes are accepted.
ScriptedBus::Script Device(std::map<std::string, Bytes> profile) {
    return [profile](const SentRequest& r, int) {
        ScriptedBus::Reaction reaction;
        std::string key = std::string(1, r.command) + std::to_string(r.function);
        Bytes body;
        if (r.command >= 'a' && r.command <= 'z') {
            auto hit = profile.find(key + "@" + r.address);
            if (hit == profile.end()) hit = profile.find(key);
            body = hit != profile.end() ? Body(r.command, r.function, hit->second, kFlags, kState)
                                        : Body('?', '?', Bytes(), kFlags, kState);  // "??"
        } else {
            body = Body(r.command, r.function, Bytes(), kFlags, kState);
        }
        reaction.replies.push_back({r.address, body});
        return reaction;
    };
}

// The hex of a text and its NUL.
std::string HexText(const char* text) { return Hex(Float(text), ""); }

VaskFloat Value(double value, const char* text = "", int unit = 1, int quantity = 1) {
    VaskFloat v;
    v.value = value;
    v.text = text;
    v.unit = unit;
    v.quantity = quantity;
    return v;
}

class AdapterTest : public AccessFixture {
protected:
    void SetUp() override {
        AccessFixture::SetUp();
        Open(access);
        device = AddDevice(access, kAddress, 2, 4);
        bus.SetScript(Device(Profile()));
    }

    // "letter function" of every request, with the address when it is not 5/1.
    std::string Sent() {
        std::string s;
        for (const SentRequest& r : bus.Sent()) {
            if (!s.empty()) s += ' ';
            s += std::string(1, r.command) + std::to_string(r.function);
            if (r.address != "5/1") s += "@" + r.address;
        }
        return s;
    }
    std::string LastBody() {
        std::vector<SentRequest> sent = bus.Sent();
        return sent.empty() ? std::string() : Hex(sent.back().body, "");
    }

    CDeviceData* device = NULL;
};

// What the caller's value holds before a read: a read that builds its own text must not
// keep any of it.
VaskFloat Before() { return Value(-1.0, "  alt", 99, 99); }

// ---- reads ----------------------------------------------------------------------------------

struct FetchCase {
    const char* name;
    CvaskAccess::ParamAdapter adapter;
    int index;
    const char* requests;  // what the adapter asks the device, in order
    const char* text;
    double value;
    int unit;
    int quantity;  // -1: as the device sent it
};

std::ostream& operator<<(std::ostream& os, const FetchCase& c) {
    return os << c.name << "(" << c.index << ")";
}

class FetchTable : public AdapterTest, public ::testing::WithParamInterface<FetchCase> {};

TEST_P(FetchTable, ReadsItsItem) {
    const FetchCase& c = GetParam();
    VaskFloat v = Before();
    ASSERT_EQ(1, (access.*c.adapter)(kAddress, 0, c.index, v))
        << (LPCSTR)access.GetLastError().text;
    EXPECT_EQ(c.requests, Sent());
    EXPECT_STREQ(c.text, (LPCSTR)v.text);
    EXPECT_DOUBLE_EQ(c.value, v.value);
    EXPECT_EQ(c.unit, v.unit);
    if (c.quantity >= 0) {
        EXPECT_EQ(c.quantity, v.quantity);
    }
}

#define F(adapter, index, requests, text, value, unit) \
    FetchCase { #adapter, &CvaskAccess::adapter, index, requests, text, value, unit, 1 }
// Copied from the device: text, value and unit as sent.
#define C(adapter, index, requests, text, value, unit) \
    FetchCase { #adapter, &CvaskAccess::adapter, index, requests, text, value, unit, -1 }

// Flags, numbers, enumerations and texts of records and out-arguments.
INSTANTIATE_TEST_SUITE_P(
    Settings, FetchTable,
    ::testing::Values(
        F(FetchStateFault, 0, "k4", "1", 1, 1), F(FetchStateServiceReq, 0, "k4", "1", 1, 1),
        F(FetchStateNotReady, 0, "k4", "0", 0, 1), F(FetchStateFunctionCheck, 0, "k4", "0", 0, 1),
        F(FetchStateLimit, 0, "k4", "1", 1, 1), F(GetWarmupDeviceState, 0, "k4", "7", 7, 1),
        // "SINDOR 23" shows its range 3 as "1/2"
        F(FetchMeasRange, 0, "s8 k6", "1/2", 3, 1), F(FetchAutorange, 0, "s8", "1", 1, 1),
        F(FetchAutocal, 0, "s11", "0", 0, 1), F(FetchAutocalStartOnInput, 0, "s11", "1", 1, 1),
        F(FetchAutocalStartOnCycle, 0, "s11", "0", 0, 1), F(FetchAutocalCheck, 0, "s11", "1", 1, 1),
        F(FetchAutocalStepNumber, 1, "s12", "2", 2, 1),
        F(FetchAutocalStepNumber, 12, "s12", "2", 2, 1),
        F(FetchAutocalStepNumber, 11, "s12", "1", 1, 1), F(FetchLimitRange1, 1, "s1", "1", 1, 1),
        F(FetchLimitRange1, 2, "s1", "0", 0, 1), F(FetchLimitRange2, 2, "s2", "1", 1, 1),
        F(FetchLimitRange2, 3, "s2", "0", 0, 1), F(FetchLimitRange3, 2, "s30", "1", 1, 1),
        F(FetchLimitRange3, 3, "s30", "0", 0, 1), F(FetchLimitRange4, 4, "s31", "1", 1, 1),
        F(FetchLimitRange4, 1, "s31", "0", 0, 1), F(FetchLimitAlarm1, 0, "s1", "1", 1, 1),
        F(FetchLimitAlarm2, 0, "s2", "0", 0, 1), F(FetchLimitAlarm3, 0, "s30", "1", 1, 1),
        F(FetchLimitAlarm4, 0, "s31", "0", 0, 1), F(FetchLimitControl1, 0, "s1", "0", 0, 1),
        F(FetchLimitControl2, 0, "s2", "1", 1, 1), F(FetchLimitControl3, 0, "s30", "0", 0, 1),
        F(FetchLimitControl4, 0, "s31", "1", 1, 1), F(FetchAnalogInverted, 0, "s3", "1", 1, 1),
        F(FetchAnalogRange, 0, "s3", "alt", 2, 1),  // the program makes the text
        F(FetchAnalogCtrl, 0, "s19", "1", 1, 1), F(FetchAnalogFault, 0, "s19", "3", 3, 1),
        F(FetchRelais, 1, "s4", "11", 11, 1), F(FetchRelais, 3, "s4", "13", 13, 1),
        F(FetchRelaisExt, 8, "s5", "28", 28, 1), F(FetchBinary, 6, "s6", "8", 8, 1),
        F(FetchBinaryExt, 5, "s7", "13", 13, 1),
        F(FetchPressureRangeCurrent, 0, "s15", "alt", 1, 1),
        F(FetchPressureCorrType, 0, "s15", "alt", 2, 1),
        F(FetchPressureCorrChannel, 0, "s39", "7", 7, 1),
        F(FetchGasRangeCurrent, 0, "s16", "alt", 2, 1), F(FetchGasRange, 1, "s16", "1", 1, 1),
        F(FetchGasRange, 2, "s16", "0", 0, 1), F(FetchGasCorrType, 0, "s16", "alt", 5, 1),
        F(FetchGasRangeCurrent2, 0, "s35", "alt", 1, 1), F(FetchGasRange2, 2, "s35", "1", 1, 1),
        F(FetchGasRange2, 3, "s35", "0", 0, 1), F(FetchGasCorrType2, 0, "s35", "alt", 3, 1),
        F(FetchGasRangeCurrent3, 0, "s36", "alt", 0, 1), F(FetchGasRange3, 2, "s36", "1", 1, 1),
        F(FetchGasRange3, 4, "s36", "0", 0, 1), F(FetchGasCorrType3, 0, "s36", "alt", 6, 1),
        F(FetchGasRangeCurrent4, 0, "s37", "alt", 3, 1), F(FetchGasRange4, 4, "s37", "1", 1, 1),
        F(FetchGasRange4, 1, "s37", "0", 0, 1), F(FetchGasCorrType4, 0, "s37", "alt", 1, 1),
        F(FetchGasCompensationChannel1, 0, "s23", "5", 5, 1),
        F(FetchGasCompensationComponent1, 0, "s23", "3", 3, 1),
        F(FetchGasCompensationChannel2, 0, "s23", "0", 0, 1),
        F(FetchGasCompensationComponent2, 0, "s23", "-1", -1, 1),
        F(FetchGasCompensationChannel3, 0, "s38", "2", 2, 1),
        F(FetchGasCompensationComponent3, 0, "s38", "2", 2, 1),
        F(FetchGasCompensationChannel4, 0, "s38", "3", 3, 1),
        F(FetchGasCompensationComponent4, 0, "s38", "5", 5, 1), F(FetchUnit, 0, "s24", "3", 3, 1),
        F(FetchHeatingTemp, 0, "s29", "60", 60, 1), F(FetchSyncInput, 0, "s22", "1", 1, 1),
        F(FetchPumpOnMeas, 0, "s22", "0", 0, 1), F(FetchPumpOnSetpoint, 0, "s22", "1", 1, 1),
        F(FetchPressureZeroGas, 0, "s41", "1", 1, 1), F(FetchPressureSpanGas, 0, "s41", "0", 0, 1),
        F(FetchPressureSampleGas, 0, "s41", "1", 1, 1), F(FetchBroadcast, 0, "k3", "1", 1, 1),
        F(FetchPump, 0, "k3", "1", 1, 1), F(FetchHeating, 0, "k3", "0", 0, 1),
        F(FetchCommonZeroCalibration, 0, "k3", "1", 1, 1), F(FetchAdjustAll, 0, "k4", "1", 1, 1),
        F(FetchIntegrationNegative, 0, "k4", "0", 0, 1), F(FetchWarmUpState, 0, "k29", "2", 2, 1),
        F(FetchStartingState, 0, "k30", "1", 1, 1),
        F(FetchQUENTAType, 0, "k31", "Quenta 6 G", 2, 1),
        F(FetchChannelName, 0, "k16", "Kanal 5", 0, 1),
        F(FetchChannelType, 0, "k6", "SINDOR 23", 0, 1),
        F(FetchSerialNumber, 0, "k6", "SN-0815", 0, 1),
        F(FetchSoftwareVersion, 0, "k6", "SW 1.2", 0, 1),
        F(FetchHardwareVersion, 0, "k6", "HW 3", 0, 1), F(FetchOrderNumber, 0, "k6", "ORD-7", 0, 1),
        F(FetchFirmwareNumber, 0, "k6", "FW 9", 0, 1),
        F(FetchAdapterboardBootVersion, 0, "k28", "AB 1", 0, 1),
        F(FetchAdapterboardVersion, 0, "k28", "A 2", 0, 1),
        F(FetchOptionboardBootVersion, 0, "k28", "OB 3", 0, 1),
        F(FetchOptionboardVersion, 0, "k28", "O 4", 0, 1),
        F(FetchMotherboardBootVersion, 0, "k28", "MB 5", 0, 1),
        F(FetchMotherboardVersion, 0, "k28", "M 6", 0, 1)),
    [](const ::testing::TestParamInfo<FetchCase>& info) {
        return std::string(info.param.name) + "_" + std::to_string(info.param.index);
    });

// Float values: copies lose the leading blanks of their text, pass-through reads keep them.
INSTANTIATE_TEST_SUITE_P(
    Floats, FetchTable,
    ::testing::Values(
        C(FetchAirPressure, 0, "w18", " 1013.000", 1013, 12),
        C(FetchNullGas, 0, "w5", "5.500", 5.5, 3), C(FetchUnitMax, 0, "w42", "25.000", 25, 3),
        C(FetchMeasRangeMax, 0, "w42", "0.000-25.000", 0, 3),
        C(FetchFrequency, 0, "w21", "50.000", 50, 1),
        C(FetchShockCompensation, 0, "w26", "0.700", 0.7, 1),
        C(FetchFaultSignalDuration, 0, "w24", "2.000", 2, 7),
        C(FetchFaultSignalThreshold, 0, "w77", "7.000", 7, 1),
        C(FetchSetPointAir, 0, "w89@5/4", "20.900", 20.9, 10),
        C(FetchSetPointH2S, 0, "w91@5/3", "10.000", 10, 2),
        F(FetchSetPointAirOldFW, 0, "", "20.95", 20.95, 10),
        C(FetchAutocalCycleTime, 0, "w6", "12.000", 12, 7),
        C(FetchNextAutocal, 0, "w6", "6.000", 6, 7),
        C(FetchAutocalCycleAdjust, 0, "w6", "3.000", 3, 7),
        C(FetchIntegrationLimit, 0, "w11", "1.500", 1.5, 7),
        C(FetchIntegrationT90in, 0, "w11", "2.500", 2.5, 7),
        C(FetchIntegrationT90out, 0, "w11", "3.500", 3.5, 7),
        C(FetchIntegrationDeadTime, 0, "w11", "4.500", 4.5, 7),
        C(FetchLimit1, 0, "w9", "11.000", 11, 3), C(FetchLimit2, 0, "w10", "22.000", 22, 3),
        C(FetchLimit3, 0, "w63", "33.000", 33, 3), C(FetchLimit4, 0, "w64", "44.000", 44, 3),
        C(FetchAutorangeDown, 0, "w12", "1.000", 1, 3),
        C(FetchAutorangeUp, 0, "w12", "5.000", 5, 3),
        C(FetchPressureRangeStart, 0, "w27", "800.000", 800, 12),
        C(FetchPressureRangeEnd, 0, "w27", "1200.000", 1200, 12),
        C(FetchGasCorrEqui, 0, "w28", "0.100", 0.1, 3),
        C(FetchGasRangeStart, 0, "w28", "0.200", 0.2, 3),
        C(FetchGasRangeEnd, 0, "w28", "0.300", 0.3, 3),
        C(FetchGasCorrEqui2, 0, "w44", "0.400", 0.4, 3),
        C(FetchGasRangeStart2, 0, "w44", "0.500", 0.5, 3),
        C(FetchGasRangeEnd2, 0, "w44", "0.600", 0.6, 3),
        C(FetchGasCorrEqui3, 0, "w66", "0.700", 0.7, 3),
        C(FetchGasRangeStart3, 0, "w66", "0.800", 0.8, 3),
        C(FetchGasRangeEnd3, 0, "w66", "0.900", 0.9, 3),
        C(FetchGasCorrEqui4, 0, "w67", "1.100", 1.1, 3),
        C(FetchGasRangeStart4, 0, "w67", "1.200", 1.2, 3),
        C(FetchGasRangeEnd4, 0, "w67", "1.300", 1.3, 3),
        C(FetchLateralGasConcentration1, 0, "w68", " 1.000", 1, 3),
        C(FetchLateralGasConcentration2, 0, "w69", " 2.000", 2, 3),
        C(FetchLateralGasConcentration3, 0, "w70", " 3.000", 3, 3),
        C(FetchLateralGasConcentration4, 0, "w71", " 4.000", 4, 3),
        C(FetchLateralGas1Coeff1, 0, "w72", "1.100", 1.1, 1),
        C(FetchLateralGas1Coeff2, 0, "w72", "1.200", 1.2, 1),
        C(FetchLateralGas1Coeff3, 0, "w72", " 1.300", 1.3, 1),
        C(FetchLateralGas2Coeff1, 0, "w73", "2.100", 2.1, 1),
        C(FetchLateralGas2Coeff2, 0, "w73", " 2.200", 2.2, 1),
        C(FetchLateralGas2Coeff3, 0, "w73", "2.300", 2.3, 1),
        C(FetchLateralGas3Coeff1, 0, "w74", "3.100", 3.1, 1),
        C(FetchLateralGas3Coeff2, 0, "w74", " 3.200", 3.2, 1),
        C(FetchLateralGas3Coeff3, 0, "w74", "3.300", 3.3, 1),
        C(FetchLateralGas4Coeff1, 0, "w75", " 4.100", 4.1, 1),
        C(FetchLateralGas4Coeff2, 0, "w75", "4.200", 4.2, 1),
        C(FetchLateralGas4Coeff3, 0, "w75", "4.300", 4.3, 1),
        C(FetchAutocalCheckZeropoint, 0, "w65", " 0.050", 0.05, 3),
        C(FetchAutocalCheckSensitivity, 0, "w65", " 0.060", 0.06, 3),
        C(FetchSetPointBurnGas, 0, "w81", "2.500", 2.5, 12),
        C(FetchSetPointBurnAir, 0, "w81", " 3.500", 3.5, 12),
        C(FetchPressureDeviation, 0, "w82", "3.000", 3, 12),
        C(FetchBurnGasTolerance, 0, "w82", "1.000", 1, 12),
        C(FetchBurnAirTolerance, 0, "w82", "2.000", 2, 12),
        C(FetchDriftValueZeroPoint, 0, "w83", "0.010", 0.01, 3),
        C(FetchDriftValueMeasRange1, 0, "w83", "0.020", 0.02, 3),
        C(FetchDriftValueMeasRange2, 0, "w83", "0.030", 0.03, 3),
        C(FetchDriftValueMeasRange3, 0, "w83", "0.040", 0.04, 3),
        C(FetchDriftValueMeasRange4, 0, "w83", " 0.050", 0.05, 3),
        C(FetchMeasRangeLower, 1, "w1", "0.000", 0, 5),
        C(FetchMeasRangeLower, 2, "w1", "10.000", 10, 5),
        C(FetchMeasRangeUpper, 4, "w2", "400.000", 400, 6),
        C(FetchSlopeGas, 3, "w3", "70.000", 70, 5),
        C(FetchMeasRangeLimits, 2, "w1 w2", "10.000-200.000", 0, 6),
        C(FetchAutocalStepTime, 1, "w7", "1.000", 1, 7),
        C(FetchAutocalStepTime, 6, "w7", "6.000", 6, 7),
        C(FetchAutocalStepTime, 7, "w8", "7.000", 7, 7),
        C(FetchAutocalStepTime, 12, "w8", "12.000", 12, 7),
        // the time of step 7 with the step's kind as value
        C(FetchAutocalStep, 7, "s12 w8", "7.000", 8, 7),
        C(FetchAutocalStep, 2, "s12 w7", "2.000", 3, 7),
        C(FetchSensorTime, 1, "w29", "100.000", 100, 7),
        C(FetchSensorTime, 6, "w29", "600.000", 600, 7)),
    [](const ::testing::TestParamInfo<FetchCase>& info) {
        return std::string(info.param.name) + "_" + std::to_string(info.param.index);
    });
#undef F
#undef C

// Element numbers outside the array, or beyond what the device sent: error 39.
struct BoundCase {
    const char* name;
    CvaskAccess::ParamAdapter adapter;
    int index;
    const char* requests;  // what was asked before the refusal
};
std::ostream& operator<<(std::ostream& os, const BoundCase& c) {
    return os << c.name << "(" << c.index << ")";
}

class ElementBound : public AdapterTest, public ::testing::WithParamInterface<BoundCase> {};

TEST_P(ElementBound, IsRefusedWithError39) {
    const BoundCase& c = GetParam();
    VaskFloat v = Value(1.0, "1");
    EXPECT_EQ(0, (access.*c.adapter)(kAddress, 0, c.index, v));
    EXPECT_EQ(39, access.GetLastError().code) << (LPCSTR)access.GetLastError().text;
    EXPECT_EQ(0u, access.GetLastError().info);
    EXPECT_EQ(c.requests, Sent());
}

#define B(adapter, index, requests) \
    BoundCase { #adapter, &CvaskAccess::adapter, index, requests }
INSTANTIATE_TEST_SUITE_P(
    Fetch, ElementBound,
    ::testing::Values(B(FetchMeasRangeLower, 0, ""), B(FetchMeasRangeLower, 5, ""),
                      B(FetchMeasRangeUpper, -1, ""), B(FetchSlopeGas, 5, ""),
                      B(FetchMeasRangeLimits, 5, ""), B(FetchMeasRangeLimits, 0, ""),
                      B(FetchLimitRange1, 0, ""), B(FetchLimitRange2, 5, ""),
                      B(FetchLimitRange3, 5, ""), B(FetchLimitRange4, 5, ""),
                      B(FetchGasRange, 0, ""), B(FetchGasRange2, 5, ""), B(FetchGasRange3, 5, ""),
                      B(FetchGasRange4, 5, ""), B(FetchAutocalStepNumber, 0, ""),
                      B(FetchAutocalStepNumber, 13, ""), B(FetchAutocalStepTime, 0, ""),
                      B(FetchAutocalStepTime, 13, ""), B(FetchAutocalStep, 0, ""),
                      B(FetchAutocalStep, 13, ""), B(FetchSensorTime, 0, ""),
                      B(FetchSensorTime, 7, ""), B(FetchRelais, 0, ""), B(FetchRelais, 9, ""),
                      B(FetchRelaisExt, 9, ""), B(FetchBinary, 9, ""), B(FetchBinaryExt, 0, ""),
                      // the device sent three relay codes and five option-card input codes
                      B(FetchRelais, 4, "s4"), B(FetchBinaryExt, 6, "s7")),
    [](const ::testing::TestParamInfo<BoundCase>& info) {
        return std::string(info.param.name) + "_" + std::to_string(info.param.index + 1);
    });

INSTANTIATE_TEST_SUITE_P(
    Transfer, ElementBound,
    ::testing::Values(B(TransferMeasRangeLower, 0, ""), B(TransferMeasRangeLower, 5, ""),
                      B(TransferMeasRangeUpper, 5, ""), B(TransferSlopeGas, 0, ""),
                      B(TransferLimitRange1, 5, ""), B(TransferLimitRange2, 0, ""),
                      B(TransferLimitRange3, 5, ""), B(TransferLimitRange4, 5, ""),
                      B(TransferGasRange, 5, ""), B(TransferGasRange2, 0, ""),
                      B(TransferGasRange3, 5, ""), B(TransferGasRange4, 5, ""),
                      B(TransferAutocalStepNumber, 13, ""), B(TransferAutocalStepTime, 13, ""),
                      B(TransferAutocalStepTime, 0, ""), B(TransferS23AutocalStepTime, 13, ""),
                      B(TransferSensorTime, 0, ""), B(TransferSensorTime, 7, ""),
                      B(TransferRelais, 9, ""), B(TransferRelaisExt, 0, ""),
                      B(TransferBinary, 9, ""), B(TransferBinaryExt, 9, ""),
                      // the rinse-time write of this model sends only the first two of steps 1 to 6
                      B(TransferS23AutocalStepTime, 3, ""), B(TransferS23AutocalStepTime, 6, ""),
                      // elements the device did not send are not written
                      B(TransferRelais, 4, "s4"), B(TransferBinaryExt, 7, "s7")),
    [](const ::testing::TestParamInfo<BoundCase>& info) {
        return std::string(info.param.name) + "_" + std::to_string(info.param.index + 1);
    });
#undef B

// ---- writes ---------------------------------------------------------------------------------

struct TransferCase {
    const char* name;
    CvaskAccess::ParamAdapter adapter;
    int index;
    double value;
    const char* text;
    const char* requests;
    std::string body;  // the write as sent: letter, function, values
};
std::ostream& operator<<(std::ostream& os, const TransferCase& c) {
    return os << c.name << "(" << c.index << ")";
}

class TransferTable : public AdapterTest, public ::testing::WithParamInterface<TransferCase> {};

TEST_P(TransferTable, WritesItsItemAndKeepsTheRest) {
    const TransferCase& c = GetParam();
    VaskFloat v = Value(c.value, c.text, 3, 2);
    const VaskFloat before = v;
    ASSERT_NE(0, (access.*c.adapter)(kAddress, 0, c.index, v))
        << (LPCSTR)access.GetLastError().text;
    EXPECT_EQ(c.requests, Sent());
    EXPECT_EQ(c.body, LastBody());
    // A write adapter only reads the caller's value.
    EXPECT_EQ(before.value, v.value);
    EXPECT_STREQ((LPCSTR)before.text, (LPCSTR)v.text);
    EXPECT_EQ(before.unit, v.unit);
}

std::string H(std::initializer_list<int> bytes) {
    Bytes b;
    for (int x : bytes) b.push_back((unsigned char)x);
    return Hex(b, "");
}
std::string Numbers(char command, int function, std::initializer_list<const char*> numbers) {
    std::string s = H({command, function});
    for (const char* n : numbers) s += HexText(n);
    return s;
}

#define T(adapter, index, value, text, requests, body) \
    TransferCase { #adapter, &CvaskAccess::adapter, index, value, text, requests, body }

INSTANTIATE_TEST_SUITE_P(
    Direct, TransferTable,
    ::testing::Values(
        T(TransferNullGas, 0, 2.25, "2.25", "W5", Numbers('W', 5, {"2.250"})),
        T(TransferMeasRangeMax, 0, 30, "30", "W42", Numbers('W', 42, {"30.000"})),
        T(TransferUnitMax, 0, 31, "31", "W42", Numbers('W', 42, {"31.000"})),
        T(TransferFrequency, 0, 60, "60", "W21", Numbers('W', 21, {"60.000"})),
        T(TransferShockCompensation, 0, 0.5, "0.5", "W26", Numbers('W', 26, {"0.500"})),
        T(TransferFaultSignalDuration, 0, 4, "4", "W24", Numbers('W', 24, {"4.000"})),
        T(TransferFaultSignalThreshold, 0, 8, "8", "W77", Numbers('W', 77, {"8.000"})),
        // the set points are written on the channels of their reads, whatever the caller's
        T(TransferSetPointAir, 0, 20.5, "20.5", "W89@5/4", Numbers('W', 89, {"20.500"})),
        T(TransferSetPointH2S, 0, 11, "11", "W91@5/3", Numbers('W', 91, {"11.000"})),
        T(TransferChannelName, 0, 42, "Neu 7", "K16", H({'K', 16}) + HexText("Neu 7")),
        T(TransferUnit, 0, 4.9, "", "S24", H({'S', 24, 4, 0})),
        T(TransferPressureCorrChannel, 0, 9, "", "S39", H({'S', 39, 0x90, 0})),
        T(TransferIntegrationNegative, 0, 1, "", "F15", H({'F', 15, '1', 0})),
        T(TransferBroadcast, 0, 0, "", "F10", H({'F', 10, '0', 0})),
        T(TransferBroadcast, 0, 1, "", "F10", H({'F', 10, '1', 0})),
        T(TransferPump, 0, 1, "", "F11", H({'F', 11, '1', 0})),
        T(TransferHeating, 0, 0.9, "", "F23", H({'F', 23, '0', 0})),
        T(TransferAdjustAll, 0, 1, "", "F4", H({'F', 4, '1', 0})),
        T(TransferLateralGasConcentration1, 0, 9.5, "9.5", "w68 W68", Numbers('W', 68, {"9.500"})),
        T(TransferLateralGasConcentration2, 0, 9.5, "9.5", "w69 W69", Numbers('W', 69, {"9.500"})),
        T(TransferLateralGasConcentration3, 0, 9.5, "9.5", "w70 W70", Numbers('W', 70, {"9.500"})),
        T(TransferLateralGasConcentration4, 0, 9.5, "9.5", "w71 W71", Numbers('W', 71, {"9.500"})),
        T(TransferMeasRangeLimits, 2, 1, "", "", ""), T(TransferAutocalStep, 3, 1, "", "", "")),
    [](const ::testing::TestParamInfo<TransferCase>& info) {
        return std::string(info.param.name) + "_" + std::to_string(info.param.index) + "_" +
               std::to_string((int)(info.param.value * 10));
    });

INSTANTIATE_TEST_SUITE_P(
    FloatGroups, TransferTable,
    ::testing::Values(
        T(TransferLimit1, 0, 12.5, "", "w9 W9", Numbers('W', 9, {"12.500", "1.100"})),
        T(TransferLimit2, 0, 12.5, "", "w10 W10", Numbers('W', 10, {"12.500", "2.200"})),
        T(TransferLimit3, 0, 12.5, "", "w63 W63", Numbers('W', 63, {"12.500", "3.300"})),
        T(TransferLimit4, 0, 12.5, "", "w64 W64", Numbers('W', 64, {"12.500", "4.400"})),
        // wire order of the autocal cycle: next, cycle time, adjust
        T(TransferAutocalCycleTime, 0, 24, "", "w6 W6",
          Numbers('W', 6, {"6.000", "24.000", "3.000"})),
        T(TransferNextAutocal, 0, 8, "", "w6 W6", Numbers('W', 6, {"8.000", "12.000", "3.000"})),
        T(TransferAutocalCycleAdjust, 0, 2, "", "w6 W6",
          Numbers('W', 6, {"6.000", "12.000", "2.000"})),
        T(TransferIntegrationLimit, 0, 9, "", "w11 W11",
          Numbers('W', 11, {"9.000", "2.500", "3.500", "4.500"})),
        T(TransferIntegrationT90in, 0, 9, "", "w11 W11",
          Numbers('W', 11, {"1.500", "9.000", "3.500", "4.500"})),
        T(TransferIntegrationT90out, 0, 9, "", "w11 W11",
          Numbers('W', 11, {"1.500", "2.500", "9.000", "4.500"})),
        T(TransferIntegrationDeadTime, 0, 9, "", "w11 W11",
          Numbers('W', 11, {"1.500", "2.500", "3.500", "9.000"})),
        // wire order of the autorange limits: up, down
        T(TransferAutorangeDown, 0, 0.5, "", "w12 W12", Numbers('W', 12, {"5.000", "0.500"})),
        T(TransferAutorangeUp, 0, 9, "", "w12 W12", Numbers('W', 12, {"9.000", "1.000"})),
        T(TransferPressureRangeStart, 0, 700, "", "w27 W27",
          Numbers('W', 27, {"700.000", "1200.000"})),
        T(TransferPressureRangeEnd, 0, 1100, "", "w27 W27",
          Numbers('W', 27, {"800.000", "1100.000"})),
        T(TransferGasCorrEqui, 0, 5, "", "w28 W28", Numbers('W', 28, {"5.000", "0.200", "0.300"})),
        T(TransferGasRangeStart, 0, 5, "", "w28 W28",
          Numbers('W', 28, {"0.100", "5.000", "0.300"})),
        T(TransferGasRangeEnd, 0, 5, "", "w28 W28", Numbers('W', 28, {"0.100", "0.200", "5.000"})),
        T(TransferGasCorrEqui2, 0, 5, "", "w44 W44", Numbers('W', 44, {"5.000", "0.500", "0.600"})),
        T(TransferGasRangeStart2, 0, 5, "", "w44 W44",
          Numbers('W', 44, {"0.400", "5.000", "0.600"})),
        T(TransferGasRangeEnd2, 0, 5, "", "w44 W44", Numbers('W', 44, {"0.400", "0.500", "5.000"})),
        T(TransferGasCorrEqui3, 0, 5, "", "w66 W66", Numbers('W', 66, {"5.000", "0.800", "0.900"})),
        T(TransferGasRangeStart3, 0, 5, "", "w66 W66",
          Numbers('W', 66, {"0.700", "5.000", "0.900"})),
        T(TransferGasRangeEnd3, 0, 5, "", "w66 W66", Numbers('W', 66, {"0.700", "0.800", "5.000"})),
        T(TransferGasCorrEqui4, 0, 5, "", "w67 W67", Numbers('W', 67, {"5.000", "1.200", "1.300"})),
        T(TransferGasRangeStart4, 0, 5, "", "w67 W67",
          Numbers('W', 67, {"1.100", "5.000", "1.300"})),
        T(TransferGasRangeEnd4, 0, 5, "", "w67 W67", Numbers('W', 67, {"1.100", "1.200", "5.000"})),
        // wire order of the pressure tolerances: 2nd, 3rd, 1st argument
        T(TransferPressureDeviation, 0, 7, "", "w82 W82",
          Numbers('W', 82, {"1.000", "2.000", "7.000"})),
        T(TransferBurnGasTolerance, 0, 7, "", "w82 W82",
          Numbers('W', 82, {"7.000", "2.000", "3.000"})),
        T(TransferBurnAirTolerance, 0, 7, "", "w82 W82",
          Numbers('W', 82, {"1.000", "7.000", "3.000"})),
        T(TransferAutocalCheckZeropoint, 0, 0.1, "", "w65 W65",
          Numbers('W', 65, {"0.100", "0.060"})),
        T(TransferAutocalCheckSensitivity, 0, 0.1, "", "w65 W65",
          Numbers('W', 65, {"0.050", "0.100"})),
        // arrays: the per-range ones with the device's range count
        T(TransferMeasRangeLower, 2, 15, "", "w1 W1",
          Numbers('W', 1, {"0.000", "15.000", "20.000", "30.000"})),
        T(TransferMeasRangeUpper, 4, 450, "", "w2 W2",
          Numbers('W', 2, {"100.000", "200.000", "300.000", "450.000"})),
        T(TransferSlopeGas, 1, 55, "", "w3 W3",
          Numbers('W', 3, {"55.000", "60.000", "70.000", "80.000"})),
        T(TransferAutocalStepTime, 1, 0.5, "", "w7 W7",
          Numbers('W', 7, {"0.500", "2.000", "3.000", "4.000", "5.000", "6.000"})),
        T(TransferAutocalStepTime, 7, 70, "", "w8 W8",
          Numbers('W', 8, {"70.000", "8.000", "9.000", "10.000", "11.000", "12.000"})),
        T(TransferS23AutocalStepTime, 2, 20, "", "w7 W7",
          Numbers('W', 7, {"1.000", "20.000", "0.000", "0.000", "0.000", "0.000"})),
        T(TransferS23AutocalStepTime, 12, 99, "", "w8 W8",
          Numbers('W', 8, {"7.000", "8.000", "9.000", "10.000", "11.000", "99.000"})),
        T(TransferSensorTime, 6, 650, "", "w29 W29",
          Numbers('W', 29, {"100.000", "200.000", "300.000", "400.000", "500.000", "650.000"}))),
    [](const ::testing::TestParamInfo<TransferCase>& info) {
        return std::string(info.param.name) + "_" + std::to_string(info.param.index);
    });

INSTANTIATE_TEST_SUITE_P(
    IntegerSettings, TransferTable,
    ::testing::Values(
        // range 2 (2.7 truncated), autorange kept: range - 1 in bits 0-1, autorange bit 2
        T(TransferMeasRange, 0, 2.7, "", "s8 S8", H({'S', 8, 0x85, 0})),
        T(TransferAutorange, 0, 0, "", "s8 S8", H({'S', 8, 0x82, 0})),
        T(TransferAutocal, 0, 1, "", "s11 S11", H({'S', 11, 0x8E, 0})),
        T(TransferAutocalStartOnInput, 0, 0, "", "s11 S11", H({'S', 11, 0x88, 0})),
        T(TransferAutocalStartOnCycle, 0, 1, "", "s11 S11", H({'S', 11, 0x8B, 0})),
        T(TransferAutocalCheck, 0, 0, "", "s11 S11", H({'S', 11, 0x82, 0})),
        T(TransferAutocalStepNumber, 12, 5, "", "s12 S12",
          H({'S', 12, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0, 11, 0, 1, 0, 5, 0})),
        T(TransferLimitRange1, 2, 1, "", "s1 S1", H({'S', 1, 0x97, 0})),
        T(TransferLimitRange2, 2, 0, "", "s2 S2", H({'S', 2, 0xA8, 0})),
        T(TransferLimitRange3, 3, 1, "", "s30 S30", H({'S', 30, 0x97, 0})),
        T(TransferLimitRange4, 4, 0, "", "s31 S31", H({'S', 31, 0xA4, 0})),
        T(TransferLimitAlarm1, 0, 0, "", "s1 S1", H({'S', 1, 0x85, 0})),
        T(TransferLimitAlarm2, 0, 1, "", "s2 S2", H({'S', 2, 0xBA, 0})),
        T(TransferLimitAlarm3, 0, 0, "", "s30 S30", H({'S', 30, 0x83, 0})),
        T(TransferLimitAlarm4, 0, 1, "", "s31 S31", H({'S', 31, 0xBC, 0})),
        T(TransferLimitControl1, 0, 1, "", "s1 S1", H({'S', 1, 0xB5, 0})),
        T(TransferLimitControl2, 0, 0, "", "s2 S2", H({'S', 2, 0x8A, 0})),
        T(TransferLimitControl3, 0, 2, "", "s30 S30", H({'S', 30, 0xB3, 0})),
        T(TransferLimitControl4, 0, 0, "", "s31 S31", H({'S', 31, 0x8C, 0})),
        T(TransferPressureRangeCurrent, 0, 3, "", "s15 S15", H({'S', 15, 0x82, 0, 0x83, 0})),
        T(TransferPressureCorrType, 0, 1, "", "s15 S15", H({'S', 15, 0x81, 0, 0x81, 0})),
        T(TransferGasRangeCurrent, 0, 0, "", "s16 S16", H({'S', 16, 0x85, 0, 0x94, 0})),
        T(TransferGasRange, 2, 1, "", "s16 S16", H({'S', 16, 0x85, 0, 0x9E, 0})),
        T(TransferGasCorrType, 0, 7, "", "s16 S16", H({'S', 16, 0x87, 0, 0x96, 0})),
        T(TransferGasRangeCurrent2, 0, 3, "", "s35 S35", H({'S', 35, 0x83, 0, 0xAB, 0})),
        T(TransferGasRange2, 1, 1, "", "s35 S35", H({'S', 35, 0x83, 0, 0xAD, 0})),
        T(TransferGasCorrType2, 0, 0, "", "s35 S35", H({'S', 35, 0x80, 0, 0xA9, 0})),
        T(TransferGasRangeCurrent3, 0, 2, "", "s36 S36", H({'S', 36, 0x86, 0, 0x8E, 0})),
        T(TransferGasRange3, 1, 0, "", "s36 S36", H({'S', 36, 0x86, 0, 0x88, 0})),
        T(TransferGasCorrType3, 0, 7, "", "s36 S36", H({'S', 36, 0x87, 0, 0x8C, 0})),
        T(TransferGasRangeCurrent4, 0, 0, "", "s37 S37", H({'S', 37, 0x81, 0, 0xB0, 0})),
        T(TransferGasRange4, 4, 0, "", "s37 S37", H({'S', 37, 0x81, 0, 0x93, 0})),
        T(TransferGasCorrType4, 0, 4, "", "s37 S37", H({'S', 37, 0x84, 0, 0xB3, 0})),
        T(TransferGasCompensationChannel, 0, 6, "", "s23 S23", H({'S', 23, 0x62, 0, 0xFF, 0})),
        T(TransferGasCompensationComponent, 0, 1, "", "s23 S23", H({'S', 23, 0x50, 0, 0xFF, 0})),
        T(TransferGasCompensationChannel2, 0, 0, "", "s23 S23", H({'S', 23, 0x52, 0, 0xFF, 0})),
        T(TransferGasCompensationComponent2, 0, 4, "", "s23 S23", H({'S', 23, 0x52, 0, 0x03, 0})),
        T(TransferGasCompensationChannel3, 0, 9, "", "s38 S38", H({'S', 38, 0x91, 0, 0x34, 0})),
        T(TransferGasCompensationComponent3, 0, 16, "", "s38 S38", H({'S', 38, 0x2F, 0, 0x34, 0})),
        T(TransferGasCompensationChannel4, 0, 9, "", "s38 S38", H({'S', 38, 0x21, 0, 0x94, 0})),
        T(TransferGasCompensationComponent4, 0, 1, "", "s38 S38", H({'S', 38, 0x21, 0, 0x30, 0})),
        T(TransferAnalogInverted, 0, 0, "", "s3 S3", H({'S', 3, 0x82, 0})),
        T(TransferAnalogRange, 0, 3, "", "s3 S3", H({'S', 3, 0x87, 0})),
        T(TransferAnalogCtrl, 0, 2, "", "s19 S19", H({'S', 19, 0xB2, 0})),
        T(TransferAnalogFault, 0, 0, "", "s19 S19", H({'S', 19, 0x81, 0})),
        T(TransferRelais, 2, 40, "", "s4 S4", H({'S', 4, 11, 0, 40, 0, 13, 0})),
        T(TransferRelaisExt, 8, 45, "", "s5 S5",
          H({'S', 5, 21, 0, 22, 0, 23, 0, 24, 0, 25, 0, 26, 0, 27, 0, 45, 0})),
        T(TransferBinary, 6, 28, "", "s6 S6", H({'S', 6, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 28, 0})),
        T(TransferSyncInput, 0, 0, "", "s22 S22", H({'S', 22, 0x84, 0})),
        T(TransferPumpOnMeas, 0, 1, "", "s22 S22", H({'S', 22, 0x87, 0})),
        T(TransferPumpOnSetpoint, 0, 0, "", "s22 S22", H({'S', 22, 0x81, 0})),
        T(TransferHeatingTemp, 0, 80, "", "s29 S29", H({'S', 29, 0x81, 0, 80, 0})),
        T(TransferStartingState, 0, 3, "", "k30 K30", H({'K', 30, 3, 0})),
        T(TransferZeroGas, 0, 0, "", "s41 S41", H({'S', 41, 0x90, 0})),
        T(TransferSpanGas, 0, 1, "", "s41 S41", H({'S', 41, 0x9C, 0})),
        T(TransferSampleGas, 0, 0, "", "s41 S41", H({'S', 41, 0x84, 0}))),
    [](const ::testing::TestParamInfo<TransferCase>& info) {
        return std::string(info.param.name) + "_" + std::to_string(info.param.index);
    });
#undef T

// ---- behaviour beyond the tables -------------------------------------------------------------

TEST_F(AdapterTest, DatesTravelAsSecondsSince1970) {
    VaskFloat v = Before();
    ASSERT_EQ(1, access.FetchDateOxy(kAddress, 0, 0, v));
    EXPECT_EQ((double)CTime(2004, 3, 5, 12, 0, 0).GetTime(), v.value);
    EXPECT_STREQ("", (LPCSTR)v.text);
    EXPECT_EQ(1, v.unit);
    ASSERT_EQ(1, access.FetchDateH2S(kAddress, 0, 0, v));
    EXPECT_EQ((double)CTime(2005, 7, 1, 12, 0, 0).GetTime(), v.value);

    // 2005-07-01 00:00:00 UTC, a fraction of a second later: the local date of that instant.
    const time_t instant = 1120176000;
    const CTime local(instant);
    bus.ClearSent();
    ASSERT_EQ(1, access.TransferDateOxy(kAddress, 0, 0, v = Value(instant + 0.75)));
    char expected[3][16];
    snprintf(expected[0], sizeof expected[0], "%d.000", local.GetDay());
    snprintf(expected[1], sizeof expected[1], "%d.000", local.GetMonth());
    snprintf(expected[2], sizeof expected[2], "%d.000", local.GetYear() % 100);
    EXPECT_EQ("W14", Sent());
    EXPECT_EQ(Numbers('W', 14, {expected[0], expected[1], expected[2]}), LastBody());
    bus.ClearSent();
    ASSERT_EQ(1, access.TransferDateH2S(kAddress, 0, 0, v));
    EXPECT_EQ(Numbers('W', 90, {expected[0], expected[1], expected[2]}), LastBody());
}

TEST_F(AdapterTest, ValuesNoIntegerOrTimeCanHoldAreRefusedBeforeAnythingIsSent) {
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(), 1e12, -3e9,
                          std::numeric_limits<double>::infinity()};
    for (double x : bad) {
        VaskFloat v = Value(x);
        EXPECT_EQ(0, access.TransferMeasRange(kAddress, 0, 0, v)) << x;
        EXPECT_EQ(30, access.GetLastError().code) << x;
        EXPECT_EQ(0, access.TransferRelais(kAddress, 0, 1, v)) << x;
        EXPECT_EQ(0, access.TransferBroadcast(kAddress, 0, 0, v)) << x;
        EXPECT_EQ(0, access.TransferLimitRange1(kAddress, 0, 1, v)) << x;
        EXPECT_EQ(0, access.TransferDateOxy(kAddress, 0, 0, v)) << x;
        EXPECT_EQ(30, access.GetLastError().code) << x;
    }
    VaskFloat before1970 = Value(-1.0);
    EXPECT_EQ(0, access.TransferDateH2S(kAddress, 0, 0, before1970));
    EXPECT_EQ(30, access.GetLastError().code);
    EXPECT_EQ("", Sent());
}

TEST_F(AdapterTest, TruncationTowardZeroReachesTheDevice) {
    // -0.7 is range 0, which the range write refuses after the read.
    VaskFloat v = Value(-0.7);
    EXPECT_EQ(0, access.TransferMeasRange(kAddress, 0, 0, v));
    EXPECT_EQ(30, access.GetLastError().code);
    EXPECT_EQ("s8", Sent());
    // 5.0 is no range either.
    bus.ClearSent();
    v = Value(5.0);
    EXPECT_EQ(0, access.TransferMeasRange(kAddress, 0, 0, v));
    EXPECT_EQ(30, access.GetLastError().code);
    EXPECT_EQ("s8", Sent());
}

TEST_F(AdapterTest, AFailedReadWritesNothingAndKeepsItsError) {
    std::map<std::string, Bytes> profile = Profile();
    profile.erase("w69");
    profile.erase("s1");
    profile.erase("w7");
    profile.erase("s4");
    bus.SetScript(Device(profile));
    VaskFloat v = Value(1.0);
    EXPECT_EQ(0, access.TransferLateralGasConcentration2(kAddress, 0, 0, v));
    EXPECT_EQ(35, access.GetLastError().code);
    EXPECT_EQ(0, access.TransferLimitControl1(kAddress, 0, 0, v));
    EXPECT_EQ(0, access.TransferAutocalStepTime(kAddress, 0, 3, v));
    EXPECT_EQ(0, access.TransferRelais(kAddress, 0, 1, v));
    EXPECT_EQ(35, access.GetLastError().code);
    EXPECT_EQ("w69 s1 w7 s4", Sent());

    // Reads return at once: the limits of a range are not asked for when its start failed.
    profile = Profile();
    profile.erase("w1");
    bus.SetScript(Device(profile));
    bus.ClearSent();
    EXPECT_EQ(0, access.FetchMeasRangeLimits(kAddress, 0, 1, v));
    EXPECT_EQ(35, access.GetLastError().code);
    EXPECT_EQ(1, access.FetchNullGas(kAddress, 0, 0, v));
    EXPECT_EQ("w1 w5", Sent());
}

TEST_F(AdapterTest, AShortListOfTheOptionCardIsNotWrittenBack) {
    // The device sent five of the eight option-card input codes: writing one of them back
    // would send three codes it never gave.
    VaskFloat v = Value(2.0);
    EXPECT_EQ(0, access.TransferBinaryExt(kAddress, 0, 2, v));
    EXPECT_EQ(37, access.GetLastError().code);
    EXPECT_EQ("s7", Sent());
}

TEST_F(AdapterTest, AnAutocalStepTheDeviceDidNotSendIsNoStep) {
    std::map<std::string, Bytes> profile = Profile();
    profile["s12"] = Codes({2, 3, 4});
    bus.SetScript(Device(profile));
    VaskFloat v = Before();
    EXPECT_EQ(1, access.FetchAutocalStepNumber(kAddress, 0, 3, v));
    EXPECT_EQ(4, v.value);
    EXPECT_EQ(0, access.FetchAutocalStepNumber(kAddress, 0, 4, v));
    EXPECT_EQ(39, access.GetLastError().code);
    EXPECT_EQ(0, access.FetchAutocalStep(kAddress, 0, 4, v));
    EXPECT_EQ(39, access.GetLastError().code);
    EXPECT_EQ(0, access.TransferAutocalStepNumber(kAddress, 0, 5, v = Value(3)));
    EXPECT_EQ(39, access.GetLastError().code);
    for (const SentRequest& r : bus.Sent()) EXPECT_NE('S', r.command);
}

TEST_F(AdapterTest, TimesTheDeviceDidNotSendAreNeitherReadNorWrittenBack) {
    // Three of the six rinse times of steps 1 to 6 and one sensor time came back.
    std::map<std::string, Bytes> profile = Profile();
    profile["w7"] = UFloats({"1.000", "2.000", "3.000"}, 7);
    profile["w29"] = UFloats({"100.000"}, 7);
    bus.SetScript(Device(profile));
    VaskFloat v = Before();
    ASSERT_EQ(1, access.FetchAutocalStepTime(kAddress, 0, 3, v))
        << (LPCSTR)access.GetLastError().text;
    EXPECT_EQ(3, v.value);
    struct Refused {
        const char* name;
        CvaskAccess::ParamAdapter adapter;
        int index;
        int code;
    } refused[] = {
        {"FetchAutocalStepTime", &CvaskAccess::FetchAutocalStepTime, 4, 39},
        {"FetchAutocalStep", &CvaskAccess::FetchAutocalStep, 6, 39},
        {"FetchSensorTime", &CvaskAccess::FetchSensorTime, 2, 39},
        // a write would send 0.000 for every time the device did not give
        {"TransferAutocalStepTime", &CvaskAccess::TransferAutocalStepTime, 1, 37},
        {"TransferSensorTime", &CvaskAccess::TransferSensorTime, 1, 37},
    };
    for (const Refused& c : refused) {
        SCOPED_TRACE(c.name);
        v = Value(5.0, "5");
        EXPECT_EQ(0, (access.*c.adapter)(kAddress, 0, c.index, v));
        EXPECT_EQ(c.code, access.GetLastError().code);
    }
    for (const SentRequest& r : bus.Sent()) EXPECT_NE('W', r.command);
    // This model's write sends only the first two times, which the device did give.
    ASSERT_EQ(1, access.TransferS23AutocalStepTime(kAddress, 0, 2, v = Value(20)));
    EXPECT_EQ(Numbers('W', 7, {"1.000", "20.000", "0.000", "0.000", "0.000", "0.000"}), LastBody());
}

TEST_F(AdapterTest, IntegersOneByteCannotCarryAreRefusedBeforeAnythingIsSent) {
    // The unit, the heating temperature, the starting state and the function codes travel
    // as one byte each: 256 would reach the device as 0 and -1 as 255.
    struct Case {
        const char* name;
        CvaskAccess::ParamAdapter adapter;
        int index;
        double value;
    } cases[] = {
        {"TransferUnit", &CvaskAccess::TransferUnit, 0, 256},
        {"TransferUnit", &CvaskAccess::TransferUnit, 0, -1},
        {"TransferHeatingTemp", &CvaskAccess::TransferHeatingTemp, 0, 300},
        {"TransferStartingState", &CvaskAccess::TransferStartingState, 0, -2},
        {"TransferRelais", &CvaskAccess::TransferRelais, 2, 256},
        {"TransferRelaisExt", &CvaskAccess::TransferRelaisExt, 1, -1},
        {"TransferBinary", &CvaskAccess::TransferBinary, 6, 1000},
        {"TransferAutocalStepNumber", &CvaskAccess::TransferAutocalStepNumber, 3, 258},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.value));
        VaskFloat v = Value(c.value);
        EXPECT_EQ(0, (access.*c.adapter)(kAddress, 0, c.index, v));
        EXPECT_EQ(30, access.GetLastError().code);
    }
    EXPECT_EQ("", Sent());
    // The largest byte goes out as it is.
    VaskFloat v = Value(255);
    ASSERT_EQ(1, access.TransferHeatingTemp(kAddress, 0, 0, v))
        << (LPCSTR)access.GetLastError().text;
    EXPECT_EQ(H({'S', 29, 0x81, 0, 255, 0}), LastBody());
}

TEST_F(AdapterTest, FloatsWithoutADecimalTextAreRefusedBeforeAnythingIsSent) {
    // The device takes numbers as "%.3f": NaN and infinities have no such text, and a
    // magnitude beyond 35 digits would go out in exponent form.
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(), 1e300, -1e36};
    const CvaskAccess::ParamAdapter writes[] = {
        &CvaskAccess::TransferNullGas,         &CvaskAccess::TransferLateralGasConcentration1,
        &CvaskAccess::TransferLimit1,          &CvaskAccess::TransferMeasRangeLower,
        &CvaskAccess::TransferAutocalStepTime, &CvaskAccess::TransferS23AutocalStepTime,
        &CvaskAccess::TransferSensorTime};
    for (double x : bad) {
        for (CvaskAccess::ParamAdapter write : writes) {
            VaskFloat v = Value(x, "1");
            EXPECT_EQ(0, (access.*write)(kAddress, 0, 1, v)) << x;
            EXPECT_EQ(30, access.GetLastError().code) << x;
        }
    }
    EXPECT_EQ("", Sent());
}

TEST_F(AdapterTest, ADateOutsideTheTwoDigitYearIsRefused) {
    // The device keeps the year as two digits, which read back as 1970 to 2069: 2070 would
    // come back as 1970.
    VaskFloat v = Value((double)CTime(2070, 1, 15, 12, 0, 0).GetTime());
    EXPECT_EQ(0, access.TransferDateOxy(kAddress, 0, 0, v));
    EXPECT_EQ(30, access.GetLastError().code);
    EXPECT_EQ(0, access.TransferDateH2S(kAddress, 0, 0,
                                        v = Value((double)CTime(2105, 3, 1, 12, 0, 0).GetTime())));
    EXPECT_EQ(30, access.GetLastError().code);
    EXPECT_EQ("", Sent());
    ASSERT_EQ(1, access.TransferDateOxy(
                     kAddress, 0, 0, v = Value((double)CTime(2069, 12, 15, 12, 0, 0).GetTime())));
    EXPECT_EQ(Numbers('W', 14, {"15.000", "12.000", "69.000"}), LastBody());
}

TEST_F(AdapterTest, PerRangeFlagsStopAtTheFourthRange) {
    // A device with six ranges: the switch records hold flags for ranges 1 to 4 only, and
    // field 5 of the limit record is the alarm flag.
    device->SetRangeCount(6);
    VaskFloat v = Before();
    EXPECT_EQ(0, access.FetchLimitRange1(kAddress, 0, 5, v));
    EXPECT_EQ(39, access.GetLastError().code);
    EXPECT_EQ(0, access.FetchGasRange(kAddress, 0, 5, v));
    EXPECT_EQ(0, access.TransferLimitRange1(kAddress, 0, 5, v = Value(1)));
    EXPECT_EQ(0, access.TransferGasRange(kAddress, 0, 5, v));
    EXPECT_EQ(39, access.GetLastError().code);
    EXPECT_EQ("", Sent());
    EXPECT_EQ(1, access.FetchLimitRange1(kAddress, 0, 4, v = Before()));
    EXPECT_EQ("0", std::string(v.text));
}

TEST_F(AdapterTest, ARangeTheDeviceStoppedSendingIsNoRange) {
    // The list says four ranges; the device now sends two slope values.
    std::map<std::string, Bytes> profile = Profile();
    profile["w3"] = UFloats({"50.000", "60.000"}, 5);
    bus.SetScript(Device(profile));
    VaskFloat v = Before();
    EXPECT_EQ(0, access.FetchSlopeGas(kAddress, 0, 3, v));
    EXPECT_EQ(39, access.GetLastError().code);
    // The write would send two values and drop the third.
    device->SetRangeCount(4);
    EXPECT_EQ(0, access.TransferSlopeGas(kAddress, 0, 3, v = Value(1)));
    EXPECT_EQ(39, access.GetLastError().code);
    EXPECT_EQ("w3 w3", Sent());
    EXPECT_EQ(1, access.TransferSlopeGas(kAddress, 0, 2, v = Value(61)));
    EXPECT_EQ(Numbers('W', 3, {"50.000", "61.000"}), LastBody());
}

TEST_F(AdapterTest, UnlistedDevicesHaveNoRangesAndNoStatus) {
    VaskFloat v = Before();
    EXPECT_EQ(0, access.FetchMeasRangeLower(9, 0, 1, v));
    EXPECT_EQ(39, access.GetLastError().code);
    EXPECT_EQ(0, access.TransferLimitRange2(9, 0, 1, v));
    EXPECT_EQ(39, access.GetLastError().code);
    EXPECT_EQ(0, access.FetchStateFault(9, 0, 0, v));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(0u, access.GetLastError().info);
    EXPECT_EQ(1, access.GetWarmupDeviceState(9, 0, 0, v));
    EXPECT_STREQ("-1", (LPCSTR)v.text);
    EXPECT_EQ(-1, v.value);
    EXPECT_EQ("", Sent());
}

TEST_F(AdapterTest, UnknownCodesHaveTheEmptyText) {
    std::map<std::string, Bytes> profile = Profile();
    profile["k6"] = Concat(
        {IntByte(10), UText("S"), UText("W"), UText("H"), UText("O"), UText("F"), UText("X")});
    profile["k31"] = IntByte(3);
    profile["s8"] = Bits(0x82);
    bus.SetScript(Device(profile));
    VaskFloat v = Before();
    ASSERT_EQ(1, access.FetchChannelType(kAddress, 0, 0, v));
    EXPECT_STREQ("", (LPCSTR)v.text);
    ASSERT_EQ(1, access.FetchQUENTAType(kAddress, 0, 0, v = Before()));
    EXPECT_STREQ("", (LPCSTR)v.text);
    EXPECT_EQ(3, v.value);
    // Range 3 of a channel that is no "SINDOR 23" reads as 3.
    ASSERT_EQ(1, access.FetchMeasRange(kAddress, 0, 0, v = Before()));
    EXPECT_STREQ("3", (LPCSTR)v.text);
    EXPECT_EQ(3, v.value);
}

TEST_F(AdapterTest, AQuentaThatDoesNotAnswerIsTheFirstVariant) {
    bus.SetScript(ScriptedBus::Silent());
    VaskFloat v = Before();
    EXPECT_EQ(1, access.FetchQUENTAType(kAddress, 0, 0, v));
    EXPECT_STREQ("Quenta 6 E", (LPCSTR)v.text);
    EXPECT_EQ(1, v.value);
    EXPECT_EQ(9, access.GetLastError().code);
}

TEST_F(AdapterTest, TheOldAirSetPointNeedsNoDevice) {
    CvaskAccess closed;
    VaskFloat v = Before();
    EXPECT_EQ(1, closed.FetchSetPointAirOldFW(3, 1, 0, v));
    EXPECT_STREQ("20.95", (LPCSTR)v.text);
    EXPECT_EQ(20.95, v.value);
    EXPECT_EQ(10, v.unit);
    EXPECT_EQ(1, v.quantity);
}

TEST_F(AdapterTest, FixedChannelsOfTheSetPointsWhateverTheCaller) {
    VaskFloat v = Before();
    ASSERT_EQ(1, access.FetchSetPointAir(kAddress, 1, 0, v));
    ASSERT_EQ(1, access.FetchSetPointH2S(kAddress, 3, 0, v));
    // A set point written goes where its read finds it.
    ASSERT_EQ(1, access.TransferSetPointAir(kAddress, 1, 0, v = Value(20.5)));
    ASSERT_EQ(1, access.TransferSetPointH2S(kAddress, 3, 0, v = Value(11.0)));
    EXPECT_EQ("w89@5/4 w91@5/3 W89@5/4 W91@5/3", Sent());
}

TEST_F(AdapterTest, CachedGroupsAreReadOnceAndWrittenWhole) {
    VaskFloat v = Value(10.0);
    ASSERT_EQ(1, access.TransferMeasRangeLower(kAddress, 0, 1, v));
    ASSERT_EQ(1, access.TransferMeasRangeLower(kAddress, 0, 4, v = Value(40.0)));
    // The second write takes the start values that the first one left in the cache.
    EXPECT_EQ("w1 W1 W1", Sent());
    EXPECT_EQ(Numbers('W', 1, {"10.000", "10.000", "20.000", "40.000"}), LastBody());
    ASSERT_EQ(1, access.FetchMeasRangeLower(kAddress, 0, 4, v = Before()));
    EXPECT_EQ(40, v.value);
    EXPECT_EQ("w1 W1 W1", Sent());
}

// ---- several adapters of one setting --------------------------------------------------

// A member's address as code takes it. Laid down as static data it would be this program's
// import stub, which calls the member but compares unequal to it.
__attribute__((noipa)) CvaskAccess::ParamAdapter Member(CvaskAccess::ParamAdapter member) {
    return member;
}

TEST_F(AdapterTest, AdaptersThatWriteIntoOneSettingShareItsKey) {
    typedef CvaskAccess A;
    struct Case {
        A::ParamAdapter first;
        int firstIndex;
        A::ParamAdapter second;
        int secondIndex;
        bool same;
    } cases[] = {
        {Member(&A::TransferAutorangeUp), 1, Member(&A::TransferAutorangeDown), 1, true},
        {Member(&A::TransferMeasRange), 1, Member(&A::TransferAutorange), 1, true},
        {Member(&A::TransferLimitRange1), 2, Member(&A::TransferLimitControl1), 1, true},
        {Member(&A::TransferRelais), 1, Member(&A::TransferRelais), 8, true},
        {Member(&A::TransferGasCompensationChannel2), 1,
         Member(&A::TransferGasCompensationComponent), 1, true},
        // the limit's value is a float group, its switches a record
        {Member(&A::TransferLimit1), 1, Member(&A::TransferLimitControl1), 1, false},
        {Member(&A::TransferMeasRangeLower), 1, Member(&A::TransferMeasRangeUpper), 1, false},
        // the rinse times of steps 1-6 and 7-12 are two settings
        {Member(&A::TransferAutocalStepTime), 6, Member(&A::TransferAutocalStepTime), 7, false},
    };
    for (const Case& c : cases) {
        const void* first = A::GetTransferSetting(c.first, c.firstIndex);
        EXPECT_NE(nullptr, first);
        EXPECT_EQ(c.same, first == A::GetTransferSetting(c.second, c.secondIndex))
            << c.firstIndex << " " << c.secondIndex;
    }
    // What is written without a read has no setting to share, nor has a read or a step
    // that does not exist.
    for (A::ParamAdapter alone :
         {Member(&A::TransferNullGas), Member(&A::TransferBroadcast), Member(&A::TransferDateOxy),
          Member(&A::TransferChannelName), Member(&A::TransferMeasRangeLimits),
          Member(&A::FetchAutorangeUp)})
        EXPECT_EQ(nullptr, A::GetTransferSetting(alone, 1));
    EXPECT_EQ(nullptr, A::GetTransferSetting(Member(&A::TransferAutocalStepTime), 13));
    EXPECT_EQ(nullptr, A::GetTransferSetting(Member(&A::GetWarmupDeviceState), 1));
    EXPECT_EQ(nullptr, A::GetTransferSetting(nullptr, 1));
}

struct TogetherCase {
    const char* name;
    std::vector<CvaskAccess::TransferItem> items;
    const char* requests;
    std::string body;         // the one write
    std::vector<int> errors;  // per item: 0 written, else the error that left it out
};
std::ostream& operator<<(std::ostream& os, const TogetherCase& c) { return os << c.name; }

CvaskAccess::TransferItem Item(CvaskAccess::ParamAdapter transfer, int index, double value) {
    return {Member(transfer), index, Value(value), 5, ErrorStruct_()};
}

class TransferTogetherTable : public AdapterTest,
                              public ::testing::WithParamInterface<TogetherCase> {};

TEST_P(TransferTogetherTable, ReadsTheSettingOnceAndWritesAllItsItemsInOneWrite) {
    TogetherCase c = GetParam();
    int all = 1;
    for (int error : c.errors) all = all && error == 0;
    EXPECT_EQ(all, access.TransferTogether(kAddress, 0, c.items.data(), (int)c.items.size()));
    EXPECT_EQ(c.requests, Sent());
    EXPECT_EQ(c.body, LastBody());
    for (size_t i = 0; i < c.items.size(); ++i) {
        EXPECT_EQ(c.errors[i] == 0 ? 1 : 0, c.items[i].result) << i;
        EXPECT_EQ(c.errors[i], c.items[i].error.code) << i;
    }
}

typedef CvaskAccess A;
INSTANTIATE_TEST_SUITE_P(
    Settings, TransferTogetherTable,
    ::testing::Values(
        // the switching points (device: up 5, down 1), in wire order up, down
        TogetherCase{
            "SwitchingPoints",
            {Item(&A::TransferAutorangeUp, 1, 21.5), Item(&A::TransferAutorangeDown, 1, 4.25)},
            "w12 W12",
            Numbers('W', 12, {"21.500", "4.250"}),
            {0, 0}},
        // a second compensation source where there is none: its channel alone would make a
        // source without component, which the setting cannot carry
        TogetherCase{"CompensationSource",
                     {Item(&A::TransferGasCompensationChannel2, 1, 1),
                      Item(&A::TransferGasCompensationComponent2, 1, 2)},
                     "s23 S23",
                     H({'S', 23, 0x52, 0, 0x11, 0}),
                     {0, 0}},
        TogetherCase{"RangeAndAutorange",
                     {Item(&A::TransferMeasRange, 1, 2), Item(&A::TransferAutorange, 1, 0)},
                     "s8 S8",
                     H({'S', 8, 0x81, 0}),
                     {0, 0}},
        // elements the device has, and one beyond its four ranges
        TogetherCase{
            "RangeStarts",
            {Item(&A::TransferMeasRangeLower, 1, 1), Item(&A::TransferMeasRangeLower, 3, 3),
             Item(&A::TransferMeasRangeLower, 5, 5)},
            "w1 W1",
            Numbers('W', 1, {"1.000", "10.000", "3.000", "30.000"}),
            {0, 0, ErrorInvalidRange}},
        // the device sent three relay codes
        TogetherCase{"RelayCodes",
                     {Item(&A::TransferRelais, 1, 31), Item(&A::TransferRelais, 3, 33),
                      Item(&A::TransferRelais, 8, 38)},
                     "s4 S4",
                     H({'S', 4, 31, 0, 12, 0, 33, 0}),
                     {0, 0, ErrorInvalidRange}},
        // the first item names the setting; one of another is left out
        TogetherCase{"AnotherSetting",
                     {Item(&A::TransferLimit1, 1, 12), Item(&A::TransferLimitControl1, 1, 1)},
                     "w9 W9",
                     Numbers('W', 9, {"12.000", "1.100"}),
                     {0, ErrorInvalidParameter}},
        TogetherCase{"AValueThatCannotBeSent",
                     {Item(&A::TransferAutorangeUp, 1, std::numeric_limits<double>::quiet_NaN()),
                      Item(&A::TransferAutorangeDown, 1, 2)},
                     "w12 W12",
                     Numbers('W', 12, {"5.000", "2.000"}),
                     {ErrorInvalidParameter, 0}},
        // nothing that can be written: nothing is sent
        TogetherCase{"NothingToWrite",
                     {Item(&A::TransferMeasRangeLower, 0, 1), Item(&A::TransferNullGas, 1, 2)},
                     "",
                     "",
                     {ErrorInvalidRange, ErrorInvalidParameter}}),
    [](const ::testing::TestParamInfo<TogetherCase>& info) {
        return std::string(info.param.name);
    });

TEST_F(AdapterTest, AFailedReadOfTheSettingLeavesEveryItemUnwritten) {
    std::map<std::string, Bytes> profile = Profile();
    profile.erase("w12");
    bus.SetScript(Device(profile));
    std::vector<CvaskAccess::TransferItem> items = {Item(&A::TransferAutorangeUp, 1, 21.5),
                                                    Item(&A::TransferAutorangeDown, 1, 4.25)};
    EXPECT_EQ(0, access.TransferTogether(kAddress, 0, items.data(), 2));
    EXPECT_EQ("w12", Sent());
    for (const CvaskAccess::TransferItem& item : items) {
        EXPECT_EQ(0, item.result);
        EXPECT_NE(0, item.error.code);
        EXPECT_EQ(access.GetLastError().code, item.error.code);
    }
}

TEST_F(AdapterTest, EveryAdapterIsAMemberOfTheOneSignature) {
    // The program keeps them all in one slot type; the tables give 160 reads and 120 writes.
    std::vector<CvaskAccess::ParamAdapter> all;
#define VASK_COLLECT(name, pattern, group, position) all.push_back(&CvaskAccess::name);
    VASK_FETCH_ADAPTERS(VASK_COLLECT)
    EXPECT_EQ(160u, all.size());
    all.clear();
    VASK_TRANSFER_ADAPTERS(VASK_COLLECT)
    EXPECT_EQ(120u, all.size());
#undef VASK_COLLECT
}

}  // namespace
