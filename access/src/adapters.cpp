// The parameter adapters of CvaskAccess (see vaskadapters.h for the tables).
//
// A group is one setting of the device, read into and written from a Store: the flags,
// numbers and codes of a record or of out-arguments go to n[], float values to f[], texts
// to t[], a date to time, each in the order in which the record declares them or the
// member takes them. A pattern then reads, converts or replaces one item of the Store;
// every adapter member is one call of its pattern with its table row.
#include "vaskaccess.h"

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <vector>

namespace {

typedef CvaskAccess A;

enum {
    StoreSize = 30,  // the longest array of the device (ranges, codes: at most 30)
    NotSent = -1,    // an element the read did not fill (codes are 0 to 255)
    StepCount = 12,  // autocal steps
    HalfSteps = 6,   // autocal steps per rinse-time half
    SensorTimes = 6,
    RangeFlags = 4  // LimitStruct and CorrectionStruct2 have one flag per range 1 to 4
};

struct Store {
    int n[StoreSize];
    VaskFloat f[StoreSize];
    CString t[7];
    CTime time;
    Store() {
        for (int& x : n) x = NotSent;
        for (VaskFloat& x : f) x.unit = NotSent;
    }
};

// ---- reading a member's outputs into a Store -----------------------------------------

int Get(A& a, int ad, int ch, int (A::*m)(int, int, VaskFloat&), Store& s) {
    return (a.*m)(ad, ch, s.f[0]);
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, VaskFloat&, VaskFloat&), Store& s) {
    return (a.*m)(ad, ch, s.f[0], s.f[1]);
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, VaskFloat&, VaskFloat&, VaskFloat&), Store& s) {
    return (a.*m)(ad, ch, s.f[0], s.f[1], s.f[2]);
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, VaskFloat&, VaskFloat&, VaskFloat&, VaskFloat&),
        Store& s) {
    return (a.*m)(ad, ch, s.f[0], s.f[1], s.f[2], s.f[3]);
}
int Get(A& a, int ad, int ch,
        int (A::*m)(int, int, VaskFloat&, VaskFloat&, VaskFloat&, VaskFloat&, VaskFloat&),
        Store& s) {
    return (a.*m)(ad, ch, s.f[0], s.f[1], s.f[2], s.f[3], s.f[4]);
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, VaskFloat*), Store& s) {
    return (a.*m)(ad, ch, s.f);
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, CTime&), Store& s) {
    return (a.*m)(ad, ch, s.time);
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, CString&), Store& s) {
    return (a.*m)(ad, ch, s.t[0]);
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, int&), Store& s) {
    return (a.*m)(ad, ch, s.n[0]);
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, int&, int&), Store& s) {
    return (a.*m)(ad, ch, s.n[0], s.n[1]);
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, int&, int&, int&), Store& s) {
    return (a.*m)(ad, ch, s.n[0], s.n[1], s.n[2]);
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, int&, int&, int&, int&), Store& s) {
    return (a.*m)(ad, ch, s.n[0], s.n[1], s.n[2], s.n[3]);
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, int*), Store& s) { return (a.*m)(ad, ch, s.n); }
template <class E, std::enable_if_t<std::is_enum<E>::value, int> = 0>
int Get(A& a, int ad, int ch, int (A::*m)(int, int, E&), Store& s) {
    E e = E();
    if (!(a.*m)(ad, ch, e)) return 0;
    s.n[0] = static_cast<int>(e);
    return 1;
}
template <class E, std::enable_if_t<std::is_enum<E>::value, int> = 0>
int Get(A& a, int ad, int ch, int (A::*m)(int, int, E&, E&), Store& s) {
    E e1 = E(), e2 = E();
    if (!(a.*m)(ad, ch, e1, e2)) return 0;
    s.n[0] = static_cast<int>(e1);
    s.n[1] = static_cast<int>(e2);
    return 1;
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, int&, int&, CurrentType&), Store& s) {
    CurrentType range = CurrentType();
    if (!(a.*m)(ad, ch, s.n[0], s.n[1], range)) return 0;
    s.n[2] = range;
    return 1;
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, ControlType*), Store& s) {
    ControlType steps[StoreSize];
    for (ControlType& step : steps) step = static_cast<ControlType>(NotSent);
    if (!(a.*m)(ad, ch, steps)) return 0;
    for (int i = 0; i < StoreSize; ++i) s.n[i] = steps[i];
    return 1;
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, LimitStruct&), Store& s) {
    LimitStruct r = {};
    if (!(a.*m)(ad, ch, r)) return 0;
    const int fields[] = {r.activeInRange1, r.activeInRange2, r.activeInRange3,
                          r.activeInRange4, r.alarmDirection, r.limitActive};
    for (int i = 0; i < 6; ++i) s.n[i] = fields[i];
    return 1;
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, CorrectionStruct1&), Store& s) {
    CorrectionStruct1 r = {};
    if (!(a.*m)(ad, ch, r)) return 0;
    s.n[0] = r.currentRange;
    s.n[1] = r.correctionType;
    return 1;
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, CorrectionStruct2&), Store& s) {
    CorrectionStruct2 r = {};
    if (!(a.*m)(ad, ch, r)) return 0;
    const int fields[] = {r.currentRange,  r.validInRange1, r.validInRange2,
                          r.validInRange3, r.validInRange4, r.correctionType};
    for (int i = 0; i < 6; ++i) s.n[i] = fields[i];
    return 1;
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, CompStruct&), Store& s) {
    CompStruct r = {};
    if (!(a.*m)(ad, ch, r)) return 0;
    s.n[0] = r.channel1;
    s.n[1] = r.component1;
    s.n[2] = r.channel2;
    s.n[3] = r.component2;
    return 1;
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, ChannelSwitchStruct&), Store& s) {
    ChannelSwitchStruct r = {};
    if (!(a.*m)(ad, ch, r)) return 0;
    for (int i = 0; i < ChannelSwitchStruct::Count; ++i) s.n[i] = r.flags[i];
    return 1;
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, CompSwitchStruct&), Store& s) {
    CompSwitchStruct r = {};
    if (!(a.*m)(ad, ch, r)) return 0;
    const int fields[] = {r.autorange,       r.autocalCycles, r.adjustAll, r.negativeIntegration,
                          r.limitMonitoring, r.bit5,          r.bit6,      r.byte2bit0,
                          r.byte2bit1,       r.byte2bit2,     r.byte2bit3, r.byte2bit4};
    for (int i = 0; i < 12; ++i) s.n[i] = fields[i];
    return 1;
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, VersionStruct&), Store& s) {
    VersionStruct r;
    r.channelType = 0;
    if (!(a.*m)(ad, ch, r)) return 0;
    s.n[0] = r.channelType;
    const CString* texts[] = {&r.serialNumber, &r.softwareVersion, &r.hardwareVersion,
                              &r.orderNumber,  &r.firmwareNumber,  &r.extra};
    for (int i = 0; i < 6; ++i) s.t[i] = *texts[i];
    return 1;
}
int Get(A& a, int ad, int ch, int (A::*m)(int, int, FirmwareVersionsStruct&), Store& s) {
    FirmwareVersionsStruct r;
    if (!(a.*m)(ad, ch, r)) return 0;
    const CString* texts[] = {&r.adapterBoot, &r.adapter,         &r.optionBoot,
                              &r.option,      &r.motherboardBoot, &r.motherboard};
    for (int i = 0; i < 6; ++i) s.t[i] = *texts[i];
    return 1;
}

// ---- writing a member's inputs from a Store ------------------------------------------

int Put(A& a, int ad, int ch, int (A::*m)(int, int, const VaskFloat&), Store& s) {
    return (a.*m)(ad, ch, s.f[0]);
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, const VaskFloat&, const VaskFloat&), Store& s) {
    return (a.*m)(ad, ch, s.f[0], s.f[1]);
}
int Put(A& a, int ad, int ch,
        int (A::*m)(int, int, const VaskFloat&, const VaskFloat&, const VaskFloat&), Store& s) {
    return (a.*m)(ad, ch, s.f[0], s.f[1], s.f[2]);
}
int Put(A& a, int ad, int ch,
        int (A::*m)(int, int, const VaskFloat&, const VaskFloat&, const VaskFloat&,
                    const VaskFloat&),
        Store& s) {
    return (a.*m)(ad, ch, s.f[0], s.f[1], s.f[2], s.f[3]);
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, VaskFloat*), Store& s) {
    return (a.*m)(ad, ch, s.f);
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, const CTime&), Store& s) {
    return (a.*m)(ad, ch, s.time);
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, const CString&), Store& s) {
    return (a.*m)(ad, ch, s.t[0]);
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, int), Store& s) {
    return (a.*m)(ad, ch, s.n[0]);
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, int, int), Store& s) {
    return (a.*m)(ad, ch, s.n[0], s.n[1]);
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, int, int, int), Store& s) {
    return (a.*m)(ad, ch, s.n[0], s.n[1], s.n[2]);
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, int, int, int, int), Store& s) {
    return (a.*m)(ad, ch, s.n[0], s.n[1], s.n[2], s.n[3]);
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, int*), Store& s) { return (a.*m)(ad, ch, s.n); }
template <class E, std::enable_if_t<std::is_enum<E>::value, int> = 0>
int Put(A& a, int ad, int ch, int (A::*m)(int, int, E), Store& s) {
    return (a.*m)(ad, ch, static_cast<E>(s.n[0]));
}
template <class E, std::enable_if_t<std::is_enum<E>::value, int> = 0>
int Put(A& a, int ad, int ch, int (A::*m)(int, int, const E&), Store& s) {
    const E e = static_cast<E>(s.n[0]);
    return (a.*m)(ad, ch, e);
}
template <class E, std::enable_if_t<std::is_enum<E>::value, int> = 0>
int Put(A& a, int ad, int ch, int (A::*m)(int, int, E, E), Store& s) {
    return (a.*m)(ad, ch, static_cast<E>(s.n[0]), static_cast<E>(s.n[1]));
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, int, int, CurrentType), Store& s) {
    return (a.*m)(ad, ch, s.n[0], s.n[1], static_cast<CurrentType>(s.n[2]));
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, ControlType*), Store& s) {
    ControlType steps[StoreSize];
    for (int i = 0; i < StoreSize; ++i) steps[i] = static_cast<ControlType>(s.n[i]);
    return (a.*m)(ad, ch, steps);
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, const LimitStruct&), Store& s) {
    LimitStruct r;
    r.activeInRange1 = s.n[0];
    r.activeInRange2 = s.n[1];
    r.activeInRange3 = s.n[2];
    r.activeInRange4 = s.n[3];
    r.alarmDirection = s.n[4];
    r.limitActive = s.n[5];
    return (a.*m)(ad, ch, r);
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, const CorrectionStruct1&), Store& s) {
    CorrectionStruct1 r;
    r.currentRange = s.n[0];
    r.correctionType = s.n[1];
    return (a.*m)(ad, ch, r);
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, const CorrectionStruct2&), Store& s) {
    CorrectionStruct2 r;
    r.currentRange = s.n[0];
    r.validInRange1 = s.n[1];
    r.validInRange2 = s.n[2];
    r.validInRange3 = s.n[3];
    r.validInRange4 = s.n[4];
    r.correctionType = s.n[5];
    return (a.*m)(ad, ch, r);
}
int Put(A& a, int ad, int ch, int (A::*m)(int, int, const CompStruct&), Store& s) {
    CompStruct r;
    r.channel1 = s.n[0];
    r.component1 = s.n[1];
    r.channel2 = s.n[2];
    r.component2 = s.n[3];
    return (a.*m)(ad, ch, r);
}

// ---- groups ------------------------------------------------------------------------------

typedef int (*GroupIo)(A& access, int address, int channel, Store& store);

struct Group {
    GroupIo read;   // null: the adapters only write it
    GroupIo write;  // null: the adapters only read it
};

template <auto M>
int ReadVia(A& a, int ad, int ch, Store& s) {
    return Get(a, ad, ch, M, s);
}
// The set points of the oxygen and hydrogen-sulphide sensors live on fixed channels.
template <auto M, int Channel>
int ReadOnChannel(A& a, int ad, int, Store& s) {
    return Get(a, ad, Channel, M, s);
}
template <auto M>
int WriteVia(A& a, int ad, int ch, Store& s) {
    return Put(a, ad, ch, M, s);
}
// The set points are written on those channels too, where their reads find them.
template <auto M, int Channel>
int WriteOnChannel(A& a, int ad, int, Store& s) {
    return Put(a, ad, Channel, M, s);
}

// The overloads of the limit members: the switch record, and the two values.
typedef int (A::*LimitRecordGet)(int, int, LimitStruct&);
typedef int (A::*LimitRecordSet)(int, int, const LimitStruct&);
typedef int (A::*LimitValuesGet)(int, int, VaskFloat&, VaskFloat&);
typedef int (A::*LimitValuesSet)(int, int, const VaskFloat&, const VaskFloat&);

#define VASK_RW(get, set) \
    { &ReadVia<&A::get>, &WriteVia<&A::set> }
#define VASK_R(get) \
    { &ReadVia<&A::get>, nullptr }
#define VASK_W(set) \
    { nullptr, &WriteVia<&A::set> }
#define VASK_LIMIT(n)                                                                             \
    constexpr Group LimitSwitches##n = {&ReadVia<static_cast<LimitRecordGet>(&A::GetLimit##n)>,   \
                                        &WriteVia<static_cast<LimitRecordSet>(&A::SetLimit##n)>}; \
    constexpr Group LimitValues##n = {&ReadVia<static_cast<LimitValuesGet>(&A::GetLimit##n)>,     \
                                      &WriteVia<static_cast<LimitValuesSet>(&A::SetLimit##n)>};

namespace groups {
constexpr Group None = {nullptr, nullptr};

// records and out-arguments
constexpr Group MeasRange = VASK_RW(GetMeasRange, SetMeasRange);
constexpr Group AutocalMode = VASK_RW(GetAutocalMode, SetAutocalMode);
constexpr Group AutocalSteps = VASK_RW(GetAutocalSteps, SetAutocalSteps);
VASK_LIMIT(1)
VASK_LIMIT(2)
VASK_LIMIT(3)
VASK_LIMIT(4)
constexpr Group AnalogRange = VASK_RW(GetAnalogRange, SetAnalogRange);
constexpr Group MeasStore = VASK_RW(GetMeasStore, SetMeasStore);
constexpr Group Relays = VASK_RW(GetRelayOutputs, SetRelayOutputs);
constexpr Group ExtRelays = VASK_RW(GetExtRelayOutputs, SetExtRelayOutputs);
constexpr Group BinaryInputs = VASK_RW(GetBinaryInputs, SetBinaryInputs);
constexpr Group ExtBinaryInputs = VASK_RW(GetExtBinaryInputs, SetExtBinaryInputs);
constexpr Group PressureCorr = VASK_RW(GetPressureCorr, SetPressureCorr);
constexpr Group PressureCorrExt = VASK_RW(GetPressureCorrExt, SetPressureCorrExt);
constexpr Group LateralGasCorr1 = VASK_RW(GetLateralGasCorr, SetLateralGasCorr);
constexpr Group LateralGasCorr2 = VASK_RW(GetLateralGasCorr2, SetLateralGasCorr2);
constexpr Group LateralGasCorr3 = VASK_RW(GetLateralGasCorr3, SetLateralGasCorr3);
constexpr Group LateralGasCorr4 = VASK_RW(GetLateralGasCorr4, SetLateralGasCorr4);
constexpr Group Compensation12 = VASK_RW(GetCompensationComponent, SetCompensationComponent);
constexpr Group Compensation34 = VASK_RW(GetCompensationComponent3, SetCompensationComponent3);
constexpr Group Unit = VASK_RW(GetUnit, SetUnit);
constexpr Group Heating = VASK_RW(GetHeating, SetHeating);
constexpr Group Pump = VASK_RW(GetPump, SetPump);
constexpr Group InternalValves = VASK_RW(GetPressureInternalValves, SetPressureInternalValves);
constexpr Group StartingState = VASK_RW(GetStartingState, SetStartingState);
constexpr Group Switches = VASK_R(GetSwitches);
constexpr Group CompSwitches = VASK_R(GetCompSwitches);
constexpr Group WarmUpState = VASK_R(GetWarmUpState);
constexpr Group InstrumentType = VASK_R(GetInstrumentType);
constexpr Group ChannelName = VASK_RW(GetChannelName, SetChannelName);
constexpr Group Version = VASK_R(GetChannelVersion);
constexpr Group FirmwareVersions = VASK_R(GetFirmwareVersions);

// switches
constexpr Group SuppressNegativeAnalogSwitch = VASK_W(SuppressNegativeAnalog);
constexpr Group BroadcastSwitch = VASK_W(Broadcast);
constexpr Group PumpSwitch = VASK_W(Pump);
constexpr Group HeatingSwitch = VASK_W(Heating);
constexpr Group AdjustAllSwitch = VASK_W(AdjustAll);

// float values
constexpr Group AirPressure = VASK_R(GetAirPressure);
constexpr Group NullGas = VASK_RW(GetNullGas, SetNullGas);
constexpr Group CharactEndValue = VASK_RW(GetCharactEndValue, SetCharactEndValue);
constexpr Group Frequency = VASK_RW(GetFrequency, SetFrequency);
constexpr Group ShockCompensation = VASK_RW(GetShockCompensation, SetShockCompensation);
constexpr Group FaultSignalDuration = VASK_RW(GetFaultSignalDuration, SetFaultSignalDuration);
constexpr Group FaultSignalThreshold = VASK_RW(GetFaultSignalThreshold, SetFaultSignalThreshold);
constexpr Group SlopeGasO2 = {nullptr, &WriteOnChannel<&A::SetSlopeGasO2, 3>};
constexpr Group SlopeGasO2OnChannel3 = {&ReadOnChannel<&A::GetSlopeGasO2, 3>, nullptr};
constexpr Group SlopeGasH2S = {nullptr, &WriteOnChannel<&A::SetSlopeGasH2S, 2>};
constexpr Group SlopeGasH2SOnChannel2 = {&ReadOnChannel<&A::GetSlopeGasH2S, 2>, nullptr};
constexpr Group AutocalCycle = VASK_RW(GetAutocalCycle, SetAutocalCycle);
constexpr Group IntegrationTime = VASK_RW(GetIntegrationTime, SetIntegrationTime);
constexpr Group AutorangeLimits = VASK_RW(GetAutorangeLimits, SetAutorangeLimits);
constexpr Group ExtPressureRange = VASK_RW(GetExtPressureRange, SetExtPressureRange);
constexpr Group LateralGasParams1 = VASK_RW(GetLateralGasParams, SetLateralGasParams);
constexpr Group LateralGasParams2 = VASK_RW(GetLateralGasParams2, SetLateralGasParams2);
constexpr Group LateralGasParams3 = VASK_RW(GetLateralGasParams3, SetLateralGasParams3);
constexpr Group LateralGasParams4 = VASK_RW(GetLateralGasParams4, SetLateralGasParams4);
constexpr Group LateralGasConcentration1 =
    VASK_RW(GetLateralGasConcentration1, SetLateralGasConcentration1);
constexpr Group LateralGasConcentration2 =
    VASK_RW(GetLateralGasConcentration2, SetLateralGasConcentration2);
constexpr Group LateralGasConcentration3 =
    VASK_RW(GetLateralGasConcentration3, SetLateralGasConcentration3);
constexpr Group LateralGasConcentration4 =
    VASK_RW(GetLateralGasConcentration4, SetLateralGasConcentration4);
constexpr Group LateralGasCoeff1 = VASK_R(GetLateralGasCoeff1);
constexpr Group LateralGasCoeff2 = VASK_R(GetLateralGasCoeff2);
constexpr Group LateralGasCoeff3 = VASK_R(GetLateralGasCoeff3);
constexpr Group LateralGasCoeff4 = VASK_R(GetLateralGasCoeff4);
constexpr Group AutocalCheckTolerances =
    VASK_RW(GetAutocalCheckTolerances, SetAutocalCheckTolerances);
constexpr Group SetPointsPressure = VASK_R(GetSetPointsPressure);
constexpr Group PressureTolerances = VASK_RW(GetPressureTolerances, SetPressureTolerances);
constexpr Group DriftValues = VASK_R(GetDriftValues);
constexpr Group DateOxy = VASK_RW(GetDateOxy, SetDateOxy);
constexpr Group DateH2S = VASK_RW(GetDateH2S, SetDateH2S);

// float arrays
constexpr Group RangeStart = VASK_RW(GetMeasurementLower, SetMeasurementLower);
constexpr Group RangeEnd = VASK_RW(GetMeasurementUpper, SetMeasurementUpper);
constexpr Group SlopeGas = VASK_RW(GetSlopeGas, SetSlopeGas);
constexpr Group RinseTime1 = VASK_RW(GetAutocalRinseTime1, SetAutocalRinseTime1);
constexpr Group RinseTime2 = VASK_RW(GetAutocalRinseTime2, SetAutocalRinseTime2);
constexpr Group S23RinseTime1 = VASK_RW(GetAutocalRinseTime1, SetAutocalS23RinseTime1);
constexpr Group SensorTimes = VASK_RW(GetSensorTimes, SetSensorTimes);
}  // namespace groups

#undef VASK_RW
#undef VASK_R
#undef VASK_W
#undef VASK_LIMIT

// ---- static texts ----------------------------------------------------------------------

// Texts of the channel type codes of the version record.
const char* const ChannelTypeNames[] = {"",          "SINDOR 6", "PARVEL 6", "QUENTA 6",
                                        "SINDOR 23", "FOLVAR 3", "DENRIK",   "LORVIX 6",
                                        "PARVEL 64", "LORVIX 62"};
// Texts of the Quenta variants.
const char* const QuentaTypeNames[] = {"", "Quenta 6 E", "Quenta 6 G"};
const char* const RangeFormat = "%.3f-%.3f";

// An unknown code has the empty text.
template <size_t N>
const char* TextOf(const char* const (&table)[N], int code) {
    return code >= 0 && code < static_cast<int>(N) ? table[code] : "";
}

// ---- conversions ---------------------------------------------------------------------------

void SetCodes(VaskFloat& value) {
    value.unit = 1;
    value.quantity = 1;
}

void MakeFlag(VaskFloat& value, int flag) {
    value.text = flag ? "1" : "0";
    value.value = flag ? 1.0 : 0.0;
    SetCodes(value);
}

void MakeNumber(VaskFloat& value, int number) {
    value.text.Format("%d", number);
    value.value = number;
    SetCodes(value);
}

void MakePlain(VaskFloat& value, int number) {
    value.text.TrimLeft();
    value.value = number;
    SetCodes(value);
}

void MakeText(VaskFloat& value, const CString& text) {
    value.text = text;
    value.value = 0.0;
    SetCodes(value);
}

void MakeCopy(VaskFloat& value, const VaskFloat& source) {
    value = source;
    value.text.TrimLeft();
}

void MakeTime(VaskFloat& value, const CTime& time) {
    value.text.Empty();
    value.value = static_cast<double>(time.GetTime());
    SetCodes(value);
}

// The value truncated toward zero; 0 when no int holds it (NaN included).
int ToInt(const VaskFloat& value, int& out) {
    if (!(value.value > -2147483649.0 && value.value < 2147483648.0)) return 0;
    out = static_cast<int>(value.value);
    return 1;
}

// 1 when the write members can send the value: they send "%.3f", which NaN and the
// infinities do not have and which a magnitude of 1e35 or more would exceed (it would go
// out in exponent form).
int IsNumber(const VaskFloat& value) {
    return std::fabs(value.value) < 1e35;  // false for NaN
}

// The value truncated toward zero for a setting that travels as one byte; 0 when the byte
// cannot carry it (the device would get its low byte: 256 as 0, -1 as 255).
int ToByte(const VaskFloat& value, int& out) {
    int number = 0;
    if (!ToInt(value, number) || number < 0 || number > 255) return 0;
    out = number;
    return 1;
}

// Whole seconds since 1970-01-01 UTC; 0 for a value that is no time the device's date
// fields can carry: they hold the local date with a two-digit year, which reads back as
// 1970 to 2069 (NaN refused too).
int ToTime(const VaskFloat& value, CTime& out) {
    if (!(value.value >= 0.0 && value.value < 32503680000.0)) return 0;
    const CTime time(static_cast<time_t>(value.value));
    struct tm local;
    time.GetLocalTm(&local);
    const int year = local.tm_year + 1900;
    if (year < 1970 || year > 2069) return 0;
    out = time;
    return 1;
}

// ---- the patterns -----------------------------------------------------------------------

enum class Read {
    StatusBit,
    Flag,
    Number,
    Plain,
    Text,
    Copy,
    Pass,
    Time,
    RangeCopy,
    RangeFlag,
    StepNumber,
    CodeNumber,
    StepTime,
    SensorTime,
    ChannelType,
    MeasRange,
    MeasRangeMax,
    MeasRangeLimits,
    AutocalStep,
    SetPointOldFW,
    QuentaType
};

enum class Write {
    DirectCopy,
    DirectInt,
    DirectByte,
    DirectText,
    DirectTime,
    CheckedCopy,
    GroupCopy,
    GroupInt,
    GroupByte,
    RangeCopy,
    RangeFlag,
    StepTime,
    S23StepTime,
    SensorTime,
    StepInt,
    CodeInt,
    NoWrite
};

struct FetchRow {
    Read pattern;
    const Group* group;
    int position;
};

struct TransferRow {
    Write pattern;
    const Group* group;
    int position;
};

int Fail(A& a, int code) {
    SetError(&a.GetLastError(), code, 0);
    return 0;
}

int InBound(int index, int last) { return index >= 1 && index <= last; }

// The device's measuring ranges that an array of `capacity` elements can hold.
int RangeBound(A& a, int address, int capacity) {
    int count = a.GetMeasRangeCount(address);
    return count < capacity ? count : capacity;
}

// Number of codes a code-list read brought. They fill the front of the list; what
// follows is left as it was (NotSent) or filled with 0, and no list has a code 0.
int CodesSent(const Store& s) {
    int n = StoreSize;
    while (n > 0 && s.n[n - 1] <= 0) --n;
    return n;
}

// Number of values a list of rinse or sensor times brought. They fill the front of the
// list; what follows keeps the unit code NotSent (a unit code from the device is a byte).
int FloatsSent(const Store& s) {
    int n = 0;
    while (n < StoreSize && s.f[n].unit != NotSent) ++n;
    return n;
}

// The rinse-time half that holds an autocal step (1 to 12), and the step's element in it.
const Group& StepHalf(const Group& first, int index) {
    return index <= HalfSteps ? first : groups::RinseTime2;
}
int StepElement(int index) { return (index - 1) % HalfSteps; }

int RunFetch(A& a, const FetchRow& row, int address, int channel, int index, VaskFloat& value) {
    const Group& group = *row.group;
    Store s;
    switch (row.pattern) {
        case Read::StatusBit: {
            int flags = a.GetChannelStatusFlags(address);
            if (flags == -1) return Fail(a, ErrorNoDeviceAtAddress);
            MakeFlag(value, (flags & row.position) != 0);
            return 1;
        }
        case Read::Flag:
            if (!group.read(a, address, channel, s)) return 0;
            MakeFlag(value, s.n[row.position] != 0);
            return 1;
        case Read::Number:
            if (!group.read(a, address, channel, s)) return 0;
            MakeNumber(value, s.n[row.position]);
            return 1;
        case Read::Plain:
            if (!group.read(a, address, channel, s)) return 0;
            MakePlain(value, s.n[row.position]);
            return 1;
        case Read::Text:
            if (!group.read(a, address, channel, s)) return 0;
            MakeText(value, s.t[row.position]);
            return 1;
        case Read::Copy:
            if (!group.read(a, address, channel, s)) return 0;
            MakeCopy(value, s.f[row.position]);
            return 1;
        case Read::Pass:
            if (!group.read(a, address, channel, s)) return 0;
            value = s.f[row.position];
            return 1;
        case Read::Time:
            if (!group.read(a, address, channel, s)) return 0;
            MakeTime(value, s.time);
            return 1;
        case Read::RangeCopy:
            if (!InBound(index, RangeBound(a, address, StoreSize)))
                return Fail(a, ErrorInvalidRange);
            if (!group.read(a, address, channel, s)) return 0;
            // The read sets the range count to what the device sent; a range it did not send
            // has no value.
            if (!InBound(index, RangeBound(a, address, StoreSize)))
                return Fail(a, ErrorInvalidRange);
            MakeCopy(value, s.f[index - 1]);
            return 1;
        case Read::RangeFlag:
            // The records have one flag per range 1 to 4 only.
            if (!InBound(index, RangeBound(a, address, RangeFlags)))
                return Fail(a, ErrorInvalidRange);
            if (!group.read(a, address, channel, s)) return 0;
            MakeFlag(value, s.n[row.position + index - 1] != 0);
            return 1;
        case Read::StepNumber:
            if (!InBound(index, StepCount)) return Fail(a, ErrorInvalidRange);
            if (!group.read(a, address, channel, s)) return 0;
            if (index > CodesSent(s)) return Fail(a, ErrorInvalidRange);
            MakeNumber(value, s.n[index - 1]);
            return 1;
        case Read::CodeNumber:
            if (!InBound(index, 8)) return Fail(a, ErrorInvalidRange);
            if (!group.read(a, address, channel, s)) return 0;
            if (index > CodesSent(s)) return Fail(a, ErrorInvalidRange);
            MakeNumber(value, s.n[index - 1]);
            return 1;
        case Read::StepTime:
            if (!InBound(index, StepCount)) return Fail(a, ErrorInvalidRange);
            if (!StepHalf(group, index).read(a, address, channel, s)) return 0;
            if (StepElement(index) >= FloatsSent(s)) return Fail(a, ErrorInvalidRange);
            MakeCopy(value, s.f[StepElement(index)]);
            return 1;
        case Read::SensorTime:
            if (!InBound(index, SensorTimes)) return Fail(a, ErrorInvalidRange);
            if (!group.read(a, address, channel, s)) return 0;
            if (index > FloatsSent(s)) return Fail(a, ErrorInvalidRange);
            MakeCopy(value, s.f[index - 1]);
            return 1;
        case Read::ChannelType:
            if (!group.read(a, address, channel, s)) return 0;
            MakeText(value, TextOf(ChannelTypeNames, s.n[0]));
            return 1;
        case Read::MeasRange: {
            if (!group.read(a, address, channel, s)) return 0;
            const int range = s.n[0];
            VaskFloat type;
            a.FetchChannelType(address, channel, index, type);
            if (type.text == "SINDOR 23" && range == 3)
                value.text = "1/2";
            else
                value.text.Format("%d", range);
            value.value = range;
            SetCodes(value);
            return 1;
        }
        case Read::MeasRangeMax: {
            if (!group.read(a, address, channel, s)) return 0;
            value = s.f[0];
            value.text.Format(RangeFormat, 0.0, s.f[0].value);
            value.value = 0.0;
            return 1;
        }
        case Read::MeasRangeLimits: {
            if (!InBound(index, RangeBound(a, address, StoreSize)))
                return Fail(a, ErrorInvalidRange);
            if (!group.read(a, address, channel, s)) return 0;
            if (!InBound(index, RangeBound(a, address, StoreSize)))
                return Fail(a, ErrorInvalidRange);
            Store upper;
            if (!groups::RangeEnd.read(a, address, channel, upper)) return 0;
            if (!InBound(index, RangeBound(a, address, StoreSize)))
                return Fail(a, ErrorInvalidRange);
            const VaskFloat& high = upper.f[index - 1];
            value.text.Format(RangeFormat, s.f[index - 1].value, high.value);
            value.value = 0.0;
            value.unit = high.unit;
            value.quantity = high.quantity;
            return 1;
        }
        case Read::AutocalStep: {
            if (!InBound(index, StepCount)) return Fail(a, ErrorInvalidRange);
            Store steps;
            if (!groups::AutocalSteps.read(a, address, channel, steps)) return 0;
            if (index > CodesSent(steps)) return Fail(a, ErrorInvalidRange);
            if (!StepHalf(group, index).read(a, address, channel, s)) return 0;
            if (StepElement(index) >= FloatsSent(s)) return Fail(a, ErrorInvalidRange);
            MakeCopy(value, s.f[StepElement(index)]);
            value.value = steps.n[index - 1];
            return 1;
        }
        case Read::SetPointOldFW:
            value.text = "20.95";
            value.value = 20.95;
            value.unit = 10;  // "%"
            value.quantity = 1;
            return 1;
        case Read::QuentaType: {
            // A device that does not answer is taken for the first variant.
            int type = 1;
            if (group.read(a, address, channel, s)) type = s.n[0];
            value.text = TextOf(QuentaTypeNames, type);
            value.value = type;
            SetCodes(value);
            return 1;
        }
    }
    return 0;
}

// ---- writes that read their setting first -----------------------------------------------
//
// Every pattern but the direct writes and NoWrite puts one item into a setting it reads first:
// checks and conversion (Prepare), the read, the item into what was read (Put), the write. A
// write of one adapter runs these once; TransferTogether runs the read and the write once for
// several adapters of one setting, so that the device gets all their items in one write.

// One item to put into a setting: the adapter's row, the element number and the converted
// value (the number for the integer patterns).
struct Item {
    const TransferRow* row;
    int index;
    VaskFloat value;
    int number;
};

// The setting the row reads and writes back for element `index` (the rinse-time half of an
// autocal step); null for the patterns that write without reading.
const Group* SettingOf(const TransferRow& row, int index) {
    switch (row.pattern) {
        case Write::CheckedCopy:
        case Write::GroupCopy:
        case Write::GroupInt:
        case Write::GroupByte:
        case Write::RangeCopy:
        case Write::RangeFlag:
        case Write::SensorTime:
        case Write::StepInt:
        case Write::CodeInt: return row.group;
        case Write::StepTime:
        case Write::S23StepTime: return &StepHalf(*row.group, index);
        default: return nullptr;
    }
}

// The checks and the conversion that come before the read: 0 with the error, nothing sent.
int Prepare(A& a, const TransferRow& row, int address, int index, const VaskFloat& value,
            Item& item) {
    item.row = &row;
    item.index = index;
    item.value = value;
    item.number = 0;
    switch (row.pattern) {
        case Write::CheckedCopy:
        case Write::GroupCopy: return IsNumber(value) ? 1 : Fail(a, ErrorInvalidParameter);
        case Write::GroupInt: return ToInt(value, item.number) ? 1 : Fail(a, ErrorInvalidParameter);
        case Write::GroupByte:
            return ToByte(value, item.number) ? 1 : Fail(a, ErrorInvalidParameter);
        case Write::RangeCopy:
            if (!InBound(index, RangeBound(a, address, StoreSize)))
                return Fail(a, ErrorInvalidRange);
            return IsNumber(value) ? 1 : Fail(a, ErrorInvalidParameter);
        case Write::RangeFlag:
            if (!InBound(index, RangeBound(a, address, RangeFlags)))
                return Fail(a, ErrorInvalidRange);
            return ToInt(value, item.number) ? 1 : Fail(a, ErrorInvalidParameter);
        case Write::S23StepTime:
            // This write sends only the first two rinse times of the first half.
            if (index >= 3 && index <= HalfSteps) return Fail(a, ErrorInvalidRange);
            [[fallthrough]];
        case Write::StepTime:
            if (!InBound(index, StepCount)) return Fail(a, ErrorInvalidRange);
            return IsNumber(value) ? 1 : Fail(a, ErrorInvalidParameter);
        case Write::SensorTime:
            if (!InBound(index, SensorTimes)) return Fail(a, ErrorInvalidRange);
            return IsNumber(value) ? 1 : Fail(a, ErrorInvalidParameter);
        case Write::StepInt:
            if (!InBound(index, StepCount)) return Fail(a, ErrorInvalidRange);
            return ToByte(value, item.number) ? 1 : Fail(a, ErrorInvalidParameter);
        case Write::CodeInt:
            if (!InBound(index, 8)) return Fail(a, ErrorInvalidRange);
            return ToByte(value, item.number) ? 1 : Fail(a, ErrorInvalidParameter);
        default: return Fail(a, ErrorInvalidParameter);
    }
}

// Puts the item into the setting `s`; `sent` is the setting as the device sent it, which says
// whether the device has the item's element. 0 with the error when it has not.
int Put(A& a, const Item& item, int address, const Store& sent, Store& s) {
    const TransferRow& row = *item.row;
    const int index = item.index;
    switch (row.pattern) {
        case Write::CheckedCopy: s.f[0] = item.value; return 1;
        case Write::GroupCopy: s.f[row.position] = item.value; return 1;
        case Write::GroupInt:
        case Write::GroupByte: s.n[row.position] = item.number; return 1;
        case Write::RangeCopy:
            // The write sends as many values as the device sent to the read.
            if (!InBound(index, RangeBound(a, address, StoreSize)))
                return Fail(a, ErrorInvalidRange);
            s.f[index - 1] = item.value;
            return 1;
        case Write::RangeFlag: s.n[row.position + index - 1] = item.number; return 1;
        case Write::S23StepTime:
        case Write::StepTime: {
            // A half the device sent short would go back with 0.000 for the times it did not
            // give; the older write of steps 1 to 6 sends only the first two.
            const int needed =
                row.pattern == Write::S23StepTime && index <= HalfSteps ? 2 : HalfSteps;
            if (FloatsSent(sent) < needed) return Fail(a, ErrorParameterCount);
            s.f[StepElement(index)] = item.value;
            return 1;
        }
        case Write::SensorTime:
            if (FloatsSent(sent) < SensorTimes) return Fail(a, ErrorParameterCount);
            s.f[index - 1] = item.value;
            return 1;
        case Write::StepInt:
        case Write::CodeInt:
            // A list the device sent short is refused by its write (error 37): it would carry
            // codes the device never gave.
            if (index > CodesSent(sent)) return Fail(a, ErrorInvalidRange);
            s.n[index - 1] = item.number;
            return 1;
        default: return Fail(a, ErrorInvalidParameter);
    }
}

int RunTransfer(A& a, const TransferRow& row, int address, int channel, int index,
                const VaskFloat& value) {
    const Group& group = *row.group;
    Store s;
    switch (row.pattern) {
        case Write::DirectCopy:
            if (!IsNumber(value)) return Fail(a, ErrorInvalidParameter);
            s.f[0] = value;
            return group.write(a, address, channel, s);
        case Write::DirectInt:
            if (!ToInt(value, s.n[0])) return Fail(a, ErrorInvalidParameter);
            return group.write(a, address, channel, s);
        case Write::DirectByte:
            if (!ToByte(value, s.n[0])) return Fail(a, ErrorInvalidParameter);
            return group.write(a, address, channel, s);
        case Write::DirectText: s.t[0] = value.text; return group.write(a, address, channel, s);
        case Write::DirectTime:
            if (!ToTime(value, s.time)) return Fail(a, ErrorInvalidParameter);
            return group.write(a, address, channel, s);
        case Write::NoWrite: return 1;
        default: break;
    }
    Item item;
    if (!Prepare(a, row, address, index, value, item)) return 0;
    const Group& setting = *SettingOf(row, index);
    if (!setting.read(a, address, channel, s)) return 0;
    const Store sent = s;
    if (!Put(a, item, address, sent, s)) return 0;
    return setting.write(a, address, channel, s);
}

// The rows of the Transfer adapters, in the order of their table.
enum TransferId {
#define VASK_TRANSFER_ID(name, pattern, group, position) TransferId_##name,
    VASK_TRANSFER_ADAPTERS(VASK_TRANSFER_ID)
#undef VASK_TRANSFER_ID
    TransferIdCount
};
const TransferRow kTransferRows[] = {
#define VASK_TRANSFER_ROW(name, pattern, group, position) \
    {Write::pattern, &groups::group, position},
    VASK_TRANSFER_ADAPTERS(VASK_TRANSFER_ROW)
#undef VASK_TRANSFER_ROW
};

// The row of a Transfer adapter, null for any other member. The program takes the members'
// addresses in code (the catalogue's Imported), where they are the members themselves.
const TransferRow* RowOf(A::ParamAdapter transfer) {
    static const A::ParamAdapter members[] = {
#define VASK_TRANSFER_MEMBER(name, pattern, group, position) &A::name,
        VASK_TRANSFER_ADAPTERS(VASK_TRANSFER_MEMBER)
#undef VASK_TRANSFER_MEMBER
    };
    if (transfer == nullptr) return nullptr;
    for (int id = 0; id < TransferIdCount; ++id)
        if (members[id] == transfer) return &kTransferRows[id];
    return nullptr;
}

}  // namespace

// ---- the members ---------------------------------------------------------------------------

#define VASK_DEFINE_FETCH(name, pattern, group, position)                          \
    int CvaskAccess::name(int address, int channel, int index, VaskFloat& value) { \
        static const FetchRow row = {Read::pattern, &groups::group, position};     \
        return RunFetch(*this, row, address, channel, index, value);               \
    }

#define VASK_DEFINE_TRANSFER(name, pattern, group, position)                                 \
    int CvaskAccess::name(int address, int channel, int index, VaskFloat& value) {           \
        return RunTransfer(*this, kTransferRows[TransferId_##name], address, channel, index, \
                           value);                                                           \
    }

VASK_FETCH_ADAPTERS(VASK_DEFINE_FETCH)
VASK_TRANSFER_ADAPTERS(VASK_DEFINE_TRANSFER)

// ---- several adapters of one setting -----------------------------------------------------

const void* CvaskAccess::GetTransferSetting(ParamAdapter transfer, int index) {
    const TransferRow* row = RowOf(transfer);
    if (row == nullptr) return nullptr;
    // A step outside the twelve has no half: it is refused on its own.
    if ((row->pattern == Write::StepTime || row->pattern == Write::S23StepTime) &&
        !InBound(index, StepCount))
        return nullptr;
    return SettingOf(*row, index);
}

int CvaskAccess::TransferTogether(int address, int channel, TransferItem* items, int count) {
    if (count <= 0) return 1;
    for (int i = 0; i < count; ++i) {
        items[i].result = 0;
        items[i].error = ErrorStruct_();
    }
    const void* setting = GetTransferSetting(items[0].transfer, items[0].index);
    std::vector<Item> prepared(count);
    std::vector<int> ready(count, 0);
    int any = 0;
    for (int i = 0; i < count; ++i) {
        const TransferRow* row = RowOf(items[i].transfer);
        // Only adapters of the first item's setting go together.
        if (setting == nullptr || row == nullptr ||
            GetTransferSetting(items[i].transfer, items[i].index) != setting) {
            Fail(*this, ErrorInvalidParameter);
        } else if (Prepare(*this, *row, address, items[i].index, items[i].value, prepared[i])) {
            ready[i] = 1;
            any = 1;
            continue;
        }
        items[i].error = Error();
    }
    if (!any) return 0;

    const Group& group = *static_cast<const Group*>(setting);
    Store s;
    int written = group.read(*this, address, channel, s);
    if (written) {
        const Store sent = s;
        for (int i = 0; i < count; ++i) {
            if (!ready[i] || Put(*this, prepared[i], address, sent, s)) continue;
            ready[i] = 0;
            items[i].error = Error();
        }
        written = std::find(ready.begin(), ready.end(), 1) == ready.end()
                      ? 0
                      : group.write(*this, address, channel, s);
    }
    int all = 1;
    for (int i = 0; i < count; ++i) {
        if (ready[i]) {
            items[i].result = written;
            if (!written) items[i].error = Error();
        }
        all = all && items[i].result;
    }
    return all;
}
