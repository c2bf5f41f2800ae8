// Diagnostic values: each member reads "h" with its model's code and takes the reply's
// value with its unit; a failed read leaves the caller's value alone.
#include "access_test_support.h"

using namespace scripted;

struct DiagCase {
    const char* name;
    int (CvaskAccess::*member)(int, int, VaskFloat&);
    int code;
};

class DiagValueTest : public AccessFixture, public ::testing::WithParamInterface<DiagCase> {
protected:
    void SetUp() override {
        AccessFixture::SetUp();
        Open(access);
    }
};

TEST_P(DiagValueTest, ReadsItsCodeAndTakesTheValueWithItsUnit) {
    const DiagCase& c = GetParam();
    bus.SetScript(ScriptedBus::Answering(UFloat("48.250", 21)));
    VaskFloat value;
    ASSERT_EQ(1, (access.*c.member)(5, 1, value));
    std::vector<SentRequest> sent = bus.Sent();
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ(Bytes({'h', (unsigned char)c.code}), sent[0].body);
    EXPECT_EQ("5/2", sent[0].address);
    EXPECT_DOUBLE_EQ(48.25, value.value);
    EXPECT_EQ(CString("48.250"), value.text);
    EXPECT_EQ(21, value.unit);
}

TEST_P(DiagValueTest, FailedReadLeavesTheValue) {
    const DiagCase& c = GetParam();
    bus.SetScript([](const SentRequest& r, int) {
        ScriptedBus::Reaction reaction;
        reaction.replies.push_back({r.address, Body('?', 63)});
        return reaction;
    });
    VaskFloat value;
    value.value = 1.0;
    value.text = "1.0";
    EXPECT_EQ(0, (access.*c.member)(5, 1, value));
    EXPECT_EQ(35, access.GetLastError().code);
    EXPECT_EQ(((unsigned long)'h' << 8) + c.code, access.GetLastError().info);
    EXPECT_DOUBLE_EQ(1.0, value.value);
    EXPECT_EQ(CString("1.0"), value.text);
}

#define DIAG(m, n) \
    DiagCase { #m, &CvaskAccess::m, n }
INSTANTIATE_TEST_SUITE_P(
    Members, DiagValueTest,
    ::testing::Values(
        DIAG(DiagPhysTemp, 1), DIAG(DiagHeadTemp, 2), DIAG(DiagChamberRaw, 3),
        DIAG(DiagMagneticField, 4), DIAG(DiagDisplayTemp, 5), DIAG(DiagControlReserve, 6),
        DIAG(DiagChopperTemp, 1), DIAG(DiagRecvChamberTemp, 2), DIAG(DiagChopperOffset, 4),
        DIAG(DiagAnalogInput, 7), DIAG(DiagSignalVector, 8), DIAG(DiagFaultVector, 9),
        DIAG(DiagTCDTemp, 1), DIAG(DiagAdjustTCDRaw, 3), DIAG(DiagTCDRaw, 4),
        DIAG(DiagSensorTemp, 1), DIAG(DiagGaslaneTemp, 2), DIAG(DiagSensorVoltage, 4),
        DIAG(DiagMeasureGasPressure, 8), DIAG(DiagMeasureGasFlow, 9), DIAG(DiagPhysicsTemp, 1),
        DIAG(DiagOvenTemp, 2), DIAG(DiagCatalysatorTemp, 4), DIAG(DiagFlameTemp, 6),
        DIAG(DiagElectronicTemp, 8), DIAG(DiagPressureBurnGas, 9), DIAG(DiagPressureBurnAir, 10),
        DIAG(DiagAdapterReferenceVoltage, 11), DIAG(DiagAdapterNegativeSupply, 12),
        DIAG(DiagAdapterPositiveSupply, 13), DIAG(DiagAdapterTensileStress, 14),
        DIAG(DiagChamberTemp, 1), DIAG(DiagRadiatorTemp, 2), DIAG(DiagSourceRaw, 4),
        DIAG(DiagVoltageO2, 7), DIAG(DiagFlow, 1), DIAG(DiagAnalogInput1, 2),
        DIAG(DiagAnalogInput2, 3), DIAG(DiagAirPressure, 4), DIAG(DiagHCTemp, 5),
        DIAG(DiagCOTemp, 6), DIAG(DiagNOTemp, 7), DIAG(DiagHCRadiatorTemp, 8),
        DIAG(DiagNORadiatorTemp, 9), DIAG(DiagDenrikSourceRaw, 10), DIAG(DiagRadiatorVoltage1, 11),
        DIAG(DiagRadiatorVoltage2, 12), DIAG(DiagDenrikChamberRaw, 13),
        DIAG(DiagDenrikVoltageO2, 14), DIAG(DiagMeasVoltageNO, 15), DIAG(DiagRefVoltageNO, 16),
        DIAG(DiagBridgeVoltage, 17)),
    [](const ::testing::TestParamInfo<DiagCase>& info) { return std::string(info.param.name); });
#undef DIAG

class DiagReplyTest : public AccessFixture {};

TEST_F(DiagReplyTest, ReplyWithoutItsValueFailsWith37) {
    Open(access);
    bus.SetScript(ScriptedBus::Answering());
    VaskFloat value;
    value.value = 2.0;
    EXPECT_EQ(0, access.DiagOvenTemp(5, 0, value));
    EXPECT_EQ(37, access.GetLastError().code);
    EXPECT_DOUBLE_EQ(2.0, value.value);
}
