// Structured settings of an analyzer: small records packed into the bits of one or two
// bytes, read with "s" and written with "S" and the setting's function number, and the
// lists of function codes of the relays, binary inputs and autocal steps.
//
// Each record kind has one shape: how its fields are taken from the reply's values and
// how they are laid out in the request. The shapes are written in the notation of the
// message catalogue:
//   read:  one rule per field of the record, in field order:
//          fK   the flag of reply value K (1 when non-zero)
//          vK   reply value K as it is
//          vK+1 reply value K plus one
//   write: the request's values in wire order:
//          bS/W=j    a field of W bits at start bit S from record field j; one bit takes
//                    any non-zero field as 1, wider fields accept 0 to 2^W - 1 only
//          bS/W=j-1  the same from field j minus one
//          zS/W      bits that are always 0
//          oS/W      bits that are always 1 (bit 7 of every flag byte is a marker)
//          I=j       an integer value from field j, unchecked
//   A field with start bit 0 opens a new byte.
#include "typed_internal.h"

namespace {

struct SettingShape {
    const char* read;
    const char* write;
};

const SettingShape kLimitShape = {"f1 f2 f3 f4 f5 f6",
                                  "b0/1=0 b1/1=1 b2/1=2 b3/1=3 b4/1=4 b5/1=5 z6/1 o7/1"};
// inverted, bit3Flag, range
const SettingShape kAnalogShape = {"f2 f3 v1", "b0/2=2 b2/1=0 b3/1=1 z4/3 o7/1"};
// range (1 to 4), autorange
const SettingShape kMeasRangeShape = {"v1+1 f2", "b0/2=0-1 b2/1=1 z3/4 o7/1"};
// the two low bits of the set number: the write sends one field of two bits, while the
// reply describes the same bits as single flags
const SettingShape kParameterSetShape = {"v1 v2", "b0/2=0 z2/5 o7/1"};
// on, temperature
const SettingShape kHeadHeatingShape = {"f3 v1", "b0/2=1 z2/1 b3/1=0 z4/3 o7/1"};
// autocal, startOnInput, startOnCycle, autocalCheck
const SettingShape kAutocalModeShape = {"f3 f2 f1 f4", "b0/1=2 b1/1=1 b2/1=0 b3/1=3 z4/3 o7/1"};
const SettingShape kFourFlagsShape = {"f1 f2 f3 f4", "b0/1=0 b1/1=1 b2/1=2 b3/1=3 z4/3 o7/1"};
// currentRange, correctionType
const SettingShape kPressureCorrShape = {"v4 v1", "b0/2=1 z2/5 o7/1 b0/2=0 z2/5 o7/1"};
// currentRange, validInRange1..4, correctionType
const SettingShape kLateralCorrShape = {
    "v4 f5 f6 f7 f8 v1", "b0/3=5 z3/4 o7/1 b0/2=0 b2/1=1 b3/1=2 b4/1=3 b5/1=4 z6/1 o7/1"};
// state1, state2
const SettingShape kControllerShape = {"f1 f2", "b0/1=0 b1/1=1 z2/5 o7/1"};
// onFunctionCheck, onFault
const SettingShape kMeasStoreShape = {"v1 v3", "b0/2=0 z2/2 b4/2=1 z6/1 o7/1"};
const SettingShape kValvesShape = {"f1 f2 f3 f4 f5 f6",
                                   "b0/1=0 b1/1=1 b2/1=2 b3/1=3 b4/1=4 b5/1=5 z6/1 o7/1"};
// choice1, choice2, number1..3
const SettingShape kAsyncShape = {"v1 v2 v3 v4 v5", ""};
// syncInput, pumpOnMeas, pumpOnSetpoint
const SettingShape kPumpShape = {"f1 f2 f3", "b0/1=0 b1/1=1 b2/1=2 z3/4 o7/1"};
// low and high half-byte of the first source, then of the second
const SettingShape kCompShape = {"v1 v2 v3 v4", "b0/4=0 b4/4=1 b0/4=2 b4/4=3"};
// on, temperature
const SettingShape kHeatingShape = {"f1 v4", "b0/1=0 z1/6 o7/1 I=1"};
const SettingShape kOptionCardShape = {"v1", ""};
// the high half-byte; the low one is 0
const SettingShape kPressureCorrExtShape = {"v2", "z0/4 b4/4=0"};
// valves a, b, c in bits 2, 3, 4
const SettingShape kInternalValvesShape = {"f3 f4 f5", "z0/2 b2/1=0 b3/1=1 b4/1=2 z5/2 o7/1"};

template <class T, size_t N>
int Unpack(const int* fields, int T::*const (&members)[N], T& record) {
    for (size_t i = 0; i < N; ++i) record.*members[i] = fields[i];
    return 1;
}

template <class T, size_t N>
const int* Pack(const T& record, int T::*const (&members)[N], int* fields) {
    for (size_t i = 0; i < N; ++i) fields[i] = record.*members[i];
    return fields;
}

int LimitStruct::*const kLimitFields[] = {
    &LimitStruct::activeInRange1, &LimitStruct::activeInRange2, &LimitStruct::activeInRange3,
    &LimitStruct::activeInRange4, &LimitStruct::alarmDirection, &LimitStruct::limitActive};
int ParamSetStruct::*const kFlagFields[] = {&ParamSetStruct::flag1, &ParamSetStruct::flag2,
                                            &ParamSetStruct::flag3, &ParamSetStruct::flag4};
int CorrectionStruct1::*const kPressureCorrFields[] = {&CorrectionStruct1::currentRange,
                                                       &CorrectionStruct1::correctionType};
int CorrectionStruct2::*const kLateralCorrFields[] = {
    &CorrectionStruct2::currentRange,  &CorrectionStruct2::validInRange1,
    &CorrectionStruct2::validInRange2, &CorrectionStruct2::validInRange3,
    &CorrectionStruct2::validInRange4, &CorrectionStruct2::correctionType};
int ValveStruct::*const kValveFields[] = {&ValveStruct::valve1, &ValveStruct::valve2,
                                          &ValveStruct::valve3, &ValveStruct::valve4,
                                          &ValveStruct::valve5, &ValveStruct::valve6};

// A source of an interference component as the two half-bytes of its byte: 15 and 15
// stand for no source.
void CompToHalves(int channel, int component, int* halves) {
    if (component == -1 && channel == 0) {
        halves[0] = 15;
        halves[1] = 15;
    } else {
        halves[0] = component - 1;
        halves[1] = channel;
    }
}

void HalvesToComp(const int* halves, int& channel, int& component) {
    if (halves[0] == 15 && halves[1] == 15) {
        channel = 0;
        component = -1;
    } else {
        channel = halves[1];
        component = halves[0] + 1;
    }
}

// The list settings: relays, binary inputs, autocal steps.
enum ListKind { RelayList, BinaryList, AutocalList };

struct ListSetting {
    int function;
    ListKind kind;
    int count;  // codes a full list holds; 0: the device's relay count
};

const ListSetting kRelayOutputs = {4, RelayList, 0};
const ListSetting kExtRelayOutputs = {5, RelayList, 8};
const ListSetting kBinaryInputs = {6, BinaryList, 6};
const ListSetting kExtBinaryInputs = {7, BinaryList, 8};
const ListSetting kAutocalSteps = {12, AutocalList, 12};

}  // namespace

// ---- the two shapes -------------------------------------------------------------------------

namespace {

// The decimal number at p of a shape's text; p moves behind it.
int Number(const char*& p) {
    int n = 0;
    while (*p >= '0' && *p <= '9') n = n * 10 + (*p++ - '0');
    return n;
}

}  // namespace

int CvaskAccess::ReadSetting(int function, int address, int channel, const char* rules,
                             int* fields) {
    CParamArray none;
    CPCvaskMessage request('s', function, DT_REQUEST, &none);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, 1000);
    if (result && answer != NULL) {
        int taken[VASK_MAX_VALUES];
        int count = 0;
        ReplyValues(answer, taken, count);
        // Take the fields only when the reply holds every value the rules name.
        int values[16];
        int n = 0;
        const char* p = rules;
        bool complete = true;
        while (*p) {
            while (*p == ' ') ++p;
            if (!*p) break;
            char how = *p++;
            int k = Number(p);
            int plus = 0;
            if (*p == '+') plus = Number(++p);
            if (k < 1 || k > count) {
                complete = false;
                break;
            }
            int v = taken[k - 1];
            values[n++] = how == 'f' ? (v != 0 ? 1 : 0) : v + plus;
        }
        if (complete) {
            for (int i = 0; i < n; ++i) fields[i] = values[i];
        } else {
            SetError(&Error(), ErrorParameterCount, MakeCommandInfo('s', function));
            result = 0;
        }
    }
    delete answer;
    return result;
}

int CvaskAccess::WriteSetting(int function, int address, int channel, const char* layout,
                              const int* fields) {
    // Build every value first: a field out of range refuses the whole write, in wire order.
    CParamArray params;
    CPCvaskMessage request('S', function, DT_REQUEST, &params);
    const char* p = layout;
    while (*p) {
        while (*p == ' ') ++p;
        if (!*p) break;
        char kind = *p++;
        if (kind == 'I') {
            int j = Number(++p);  // behind "I="
            CIntParam* value = new CIntParam('S', function, -1, DT_REQUEST, 0, 0, 1);
            value->SetValue(1, fields[j]);
            params.Add(value);
            continue;
        }
        const int start = Number(p);
        const int width = Number(++p);  // behind the '/'
        int j = -1, bias = 0;
        if (*p == '=') {
            j = Number(++p);
            if (*p == '-') bias = Number(++p);
        }
        CBitParam* field;
        if (kind == 'z') {
            field = new CBit0Param('S', function, -1, DT_REQUEST, start, width);
        } else if (kind == 'o') {
            field = new CBit1Param('S', function, -1, DT_REQUEST, start, width);
        } else {
            field = new CBitParam('S', function, -1, DT_REQUEST, start, width);
            int value = fields[j] - bias;
            if (width == 1) {
                field->SetValue(fields[j] != 0 ? 1 : 0);
            } else if (!field->SetValue(value)) {
                delete field;
                SetError(&Error(), ErrorInvalidParameter, 0);
                return 0;
            }
        }
        params.Add(field);
    }
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, 1000);
    delete answer;
    return result;
}

// ---- limits, analog output, relays and binary inputs ----------------------------------------

#define VASK_LIMIT_MEMBERS(number, function)                                                \
    int CvaskAccess::GetLimit##number(int address, int channel, LimitStruct& limit) {       \
        int f[6];                                                                           \
        return ReadSetting(function, address, channel, kLimitShape.read, f) &&              \
               Unpack(f, kLimitFields, limit);                                              \
    }                                                                                       \
    int CvaskAccess::SetLimit##number(int address, int channel, const LimitStruct& limit) { \
        int f[6];                                                                           \
        return WriteSetting(function, address, channel, kLimitShape.write,                  \
                            Pack(limit, kLimitFields, f));                                  \
    }
VASK_LIMIT_MEMBERS(1, 1)
VASK_LIMIT_MEMBERS(2, 2)
VASK_LIMIT_MEMBERS(3, 30)
VASK_LIMIT_MEMBERS(4, 31)
#undef VASK_LIMIT_MEMBERS

int CvaskAccess::GetAnalogRange(int address, int channel, int& inverted, int& bit3Flag,
                                CurrentType& range) {
    int f[3];
    if (!ReadSetting(3, address, channel, kAnalogShape.read, f)) return 0;
    inverted = f[0];
    bit3Flag = f[1];
    range = (CurrentType)f[2];
    return 1;
}

int CvaskAccess::SetAnalogRange(int address, int channel, int inverted, int bit3Flag,
                                CurrentType range) {
    const int f[3] = {inverted, bit3Flag, range};
    return WriteSetting(3, address, channel, kAnalogShape.write, f);
}

int CvaskAccess::GetRelayOutputs(int address, int channel, int* codes) {
    return ReadCodeList(kRelayOutputs.function, address, channel, codes);
}
int CvaskAccess::SetRelayOutputs(int address, int channel, int* codes) {
    return WriteCodeList(kRelayOutputs.function, address, channel, codes);
}
int CvaskAccess::GetExtRelayOutputs(int address, int channel, int* codes) {
    return ReadCodeList(kExtRelayOutputs.function, address, channel, codes);
}
int CvaskAccess::SetExtRelayOutputs(int address, int channel, int* codes) {
    return WriteCodeList(kExtRelayOutputs.function, address, channel, codes);
}
int CvaskAccess::GetBinaryInputs(int address, int channel, int* codes) {
    return ReadCodeList(kBinaryInputs.function, address, channel, codes);
}
int CvaskAccess::SetBinaryInputs(int address, int channel, int* codes) {
    return WriteCodeList(kBinaryInputs.function, address, channel, codes);
}
int CvaskAccess::GetExtBinaryInputs(int address, int channel, int* codes) {
    return ReadCodeList(kExtBinaryInputs.function, address, channel, codes);
}
int CvaskAccess::SetExtBinaryInputs(int address, int channel, int* codes) {
    return WriteCodeList(kExtBinaryInputs.function, address, channel, codes);
}

// ---- ranges, heating, autocal and corrections ----------------------------------------------

int CvaskAccess::GetMeasRange(int address, int channel, int& range, int& autorange) {
    CDeviceData* device = TypedCacheDevice(address);
    if (device == NULL) return 0;
    int f[2];
    if (!ReadSetting(8, address, channel, kMeasRangeShape.read, f)) return 0;
    range = f[0];
    autorange = f[1];
    if (channel >= 0 && channel < device->GetComponentCount())
        device->SetMeasRange(channel, range, autorange);
    return 1;
}

int CvaskAccess::SetMeasRange(int address, int channel, int range, int autorange) {
    CDeviceData* device = TypedCacheDevice(address);
    if (device == NULL) return 0;
    const int f[2] = {range, autorange};
    if (!WriteSetting(8, address, channel, kMeasRangeShape.write, f)) return 0;
    if (channel >= 0 && channel < device->GetComponentCount())
        device->SetMeasRange(channel, range, autorange != 0 ? 1 : 0);
    return 1;
}

int CvaskAccess::GetParameterSet(int address, int channel, int& set) {
    int f[2];
    if (!ReadSetting(9, address, channel, kParameterSetShape.read, f)) return 0;
    set = (f[0] & 1) | ((f[1] & 1) << 1);
    return 1;
}

int CvaskAccess::SetParameterSet(int address, int channel, int& set) {
    const int f[1] = {set};
    return WriteSetting(9, address, channel, kParameterSetShape.write, f);
}

int CvaskAccess::GetHeadHeating(int address, int channel, int& on, TempType& temperature) {
    int f[2];
    if (!ReadSetting(10, address, channel, kHeadHeatingShape.read, f)) return 0;
    on = f[0];
    temperature = (TempType)f[1];
    return 1;
}

int CvaskAccess::SetHeadHeating(int address, int channel, int on, TempType temperature) {
    const int f[2] = {on, temperature};
    return WriteSetting(10, address, channel, kHeadHeatingShape.write, f);
}

int CvaskAccess::GetAutocalMode(int address, int channel, int& autocal, int& startOnInput,
                                int& startOnCycle, int& autocalCheck) {
    int f[4];
    if (!ReadSetting(11, address, channel, kAutocalModeShape.read, f)) return 0;
    autocal = f[0];
    startOnInput = f[1];
    startOnCycle = f[2];
    autocalCheck = f[3];
    return 1;
}

int CvaskAccess::SetAutocalMode(int address, int channel, int autocal, int startOnInput,
                                int startOnCycle, int autocalCheck) {
    const int f[4] = {autocal, startOnInput, startOnCycle, autocalCheck};
    return WriteSetting(11, address, channel, kAutocalModeShape.write, f);
}

int CvaskAccess::GetAutocalSteps(int address, int channel, ControlType* steps) {
    int codes[12];
    if (!ReadCodeList(kAutocalSteps.function, address, channel, codes)) return 0;
    for (int i = 0; i < 12; ++i) steps[i] = (ControlType)codes[i];
    return 1;
}

int CvaskAccess::SetAutocalSteps(int address, int channel, ControlType* steps) {
    int codes[12];
    for (int i = 0; i < 12; ++i) codes[i] = steps[i];
    return WriteCodeList(kAutocalSteps.function, address, channel, codes);
}

int CvaskAccess::GetCompStage(int address, int channel, int& stage) {
    return GetInt('s', 13, address, channel, stage);
}

// The stage is always set to 1: the device leaves it by itself.
int CvaskAccess::SetCompStage(int address, int channel) {
    return SetInt('S', 13, address, channel, 1);
}

int CvaskAccess::GetTempCorrection(int address, int channel, ParamSetStruct& flags) {
    int f[4];
    return ReadSetting(14, address, channel, kFourFlagsShape.read, f) &&
           Unpack(f, kFlagFields, flags);
}

int CvaskAccess::SetTempCorrection(int address, int channel, const ParamSetStruct& flags) {
    int f[4];
    return WriteSetting(14, address, channel, kFourFlagsShape.write, Pack(flags, kFlagFields, f));
}

int CvaskAccess::GetPressureCorr(int address, int channel, CorrectionStruct1& corr) {
    int f[2];
    return ReadSetting(15, address, channel, kPressureCorrShape.read, f) &&
           Unpack(f, kPressureCorrFields, corr);
}

int CvaskAccess::SetPressureCorr(int address, int channel, const CorrectionStruct1& corr) {
    int f[2];
    return WriteSetting(15, address, channel, kPressureCorrShape.write,
                        Pack(corr, kPressureCorrFields, f));
}

#define VASK_LATERAL_MEMBERS(suffix, function)                                       \
    int CvaskAccess::GetLateralGasCorr##suffix(int address, int channel,             \
                                               CorrectionStruct2& corr) {            \
        int f[6];                                                                    \
        return ReadSetting(function, address, channel, kLateralCorrShape.read, f) && \
               Unpack(f, kLateralCorrFields, corr);                                  \
    }                                                                                \
    int CvaskAccess::SetLateralGasCorr##suffix(int address, int channel,             \
                                               const CorrectionStruct2& corr) {      \
        int f[6];                                                                    \
        return WriteSetting(function, address, channel, kLateralCorrShape.write,     \
                            Pack(corr, kLateralCorrFields, f));                      \
    }
VASK_LATERAL_MEMBERS(, 16)
VASK_LATERAL_MEMBERS(2, 35)
VASK_LATERAL_MEMBERS(3, 36)
VASK_LATERAL_MEMBERS(4, 37)
#undef VASK_LATERAL_MEMBERS

// ---- alarms, valves, pump, components and units ---------------------------------------------

int CvaskAccess::GetAlarmState(int address, int channel, ParamSetStruct& flags) {
    int f[4];
    return ReadSetting(17, address, channel, kFourFlagsShape.read, f) &&
           Unpack(f, kFlagFields, flags);
}

int CvaskAccess::SetAlarmState(int address, int channel, const ParamSetStruct& flags) {
    int f[4];
    return WriteSetting(17, address, channel, kFourFlagsShape.write, Pack(flags, kFlagFields, f));
}

int CvaskAccess::GetControllerState(int address, int channel, int& state1, int& state2) {
    int f[2];
    if (!ReadSetting(18, address, channel, kControllerShape.read, f)) return 0;
    state1 = f[0];
    state2 = f[1];
    return 1;
}

int CvaskAccess::SetControllerState(int address, int channel, int state1, int state2) {
    const int f[2] = {state1, state2};
    return WriteSetting(18, address, channel, kControllerShape.write, f);
}

int CvaskAccess::GetMeasStore(int address, int channel, MeasStoreType& onFunctionCheck,
                              MeasStoreType& onFault) {
    int f[2];
    if (!ReadSetting(19, address, channel, kMeasStoreShape.read, f)) return 0;
    onFunctionCheck = (MeasStoreType)f[0];
    onFault = (MeasStoreType)f[1];
    return 1;
}

int CvaskAccess::SetMeasStore(int address, int channel, MeasStoreType onFunctionCheck,
                              MeasStoreType onFault) {
    const int f[2] = {onFunctionCheck, onFault};
    return WriteSetting(19, address, channel, kMeasStoreShape.write, f);
}

int CvaskAccess::GetValves(int address, int channel, ValveStruct& valves) {
    int f[6];
    return ReadSetting(20, address, channel, kValvesShape.read, f) &&
           Unpack(f, kValveFields, valves);
}

int CvaskAccess::SetValves(int address, int channel, const ValveStruct& valves) {
    int f[6];
    return WriteSetting(20, address, channel, kValvesShape.write, Pack(valves, kValveFields, f));
}

int CvaskAccess::GetAsyncParameters(int address, int channel, AsyncStruct& params) {
    int f[5];
    if (!ReadSetting(21, address, channel, kAsyncShape.read, f)) return 0;
    params.choice1 = f[0];
    params.choice2 = f[1];
    params.number1 = (unsigned char)(f[2] & 0xFF);
    params.number2 = (unsigned char)(f[3] & 0xFF);
    params.number3 = (unsigned char)(f[4] & 0xFF);
    return 1;
}

int CvaskAccess::GetPump(int address, int channel, int& syncInput, int& pumpOnMeas,
                         int& pumpOnSetpoint) {
    int f[3];
    if (!ReadSetting(22, address, channel, kPumpShape.read, f)) return 0;
    syncInput = f[0];
    pumpOnMeas = f[1];
    pumpOnSetpoint = f[2];
    return 1;
}

int CvaskAccess::SetPump(int address, int channel, int syncInput, int pumpOnMeas,
                         int pumpOnSetpoint) {
    const int f[3] = {syncInput, pumpOnMeas, pumpOnSetpoint};
    return WriteSetting(22, address, channel, kPumpShape.write, f);
}

int CvaskAccess::ReadCompensation(int function, int address, int channel, CompStruct& comp) {
    int f[4];
    if (!ReadSetting(function, address, channel, kCompShape.read, f)) return 0;
    HalvesToComp(f, comp.channel1, comp.component1);
    HalvesToComp(f + 2, comp.channel2, comp.component2);
    return 1;
}

int CvaskAccess::WriteCompensation(int function, int address, int channel, const CompStruct& comp) {
    int f[4];
    CompToHalves(comp.channel1, comp.component1, f);
    CompToHalves(comp.channel2, comp.component2, f + 2);
    return WriteSetting(function, address, channel, kCompShape.write, f);
}

int CvaskAccess::GetCompensationComponent(int address, int channel, CompStruct& comp) {
    return ReadCompensation(23, address, channel, comp);
}
int CvaskAccess::SetCompensationComponent(int address, int channel, const CompStruct& comp) {
    return WriteCompensation(23, address, channel, comp);
}
int CvaskAccess::GetCompensationComponent3(int address, int channel, CompStruct& comp) {
    return ReadCompensation(38, address, channel, comp);
}
int CvaskAccess::SetCompensationComponent3(int address, int channel, const CompStruct& comp) {
    return WriteCompensation(38, address, channel, comp);
}

int CvaskAccess::GetUnit(int address, int channel, SetUnitType& unit) {
    int value = 0;
    if (!GetInt('s', 24, address, channel, value)) return 0;
    unit = (SetUnitType)value;
    return 1;
}

int CvaskAccess::SetUnit(int address, int channel, SetUnitType unit) {
    return SetInt('S', 24, address, channel, unit);
}

int CvaskAccess::GetHeating(int address, int channel, int& on, int& temperature) {
    int f[2];
    if (!ReadSetting(29, address, channel, kHeatingShape.read, f)) return 0;
    on = f[0];
    temperature = f[1];
    return 1;
}

int CvaskAccess::SetHeating(int address, int channel, int on, int temperature) {
    const int f[2] = {on, temperature};
    return WriteSetting(29, address, channel, kHeatingShape.write, f);
}

int CvaskAccess::GetOptionCard(int address, int channel, OptionCardType& card) {
    int f[1];
    if (!ReadSetting(33, address, channel, kOptionCardShape.read, f)) return 0;
    card = (OptionCardType)f[0];
    return 1;
}

int CvaskAccess::GetPressureCorrExt(int address, int channel, int& value) {
    int f[1];
    if (!ReadSetting(39, address, channel, kPressureCorrExtShape.read, f)) return 0;
    value = f[0];
    return 1;
}

int CvaskAccess::SetPressureCorrExt(int address, int channel, int value) {
    const int f[1] = {value};
    return WriteSetting(39, address, channel, kPressureCorrExtShape.write, f);
}

int CvaskAccess::GetPressureInternalValves(int address, int channel, int& a, int& b, int& c) {
    int f[3];
    if (!ReadSetting(41, address, channel, kInternalValvesShape.read, f)) return 0;
    a = f[0];
    b = f[1];
    c = f[2];
    return 1;
}

int CvaskAccess::SetPressureInternalValves(int address, int channel, int a, int b, int c) {
    const int f[3] = {a, b, c};
    return WriteSetting(41, address, channel, kInternalValvesShape.write, f);
}

// ---- lists of function codes ------------------------------------------------------------------

namespace {

const ListSetting& List(int function) {
    static const ListSetting* const all[] = {&kRelayOutputs, &kExtRelayOutputs, &kBinaryInputs,
                                             &kExtBinaryInputs, &kAutocalSteps};
    for (const ListSetting* s : all)
        if (s->function == function) return *s;
    return kRelayOutputs;
}

template <class Kind>
CParam* MakeCodeList(int count, const int* codes) {
    Kind* list = new Kind('0', 0, 0, DT_REQUEST, count);
    for (int i = 1; i <= list->GetMultiple(); ++i) list->SetValue(i, codes[i - 1]);
    return list;
}

// A request list of `count` codes, sent unchecked as their low bytes.
CParam* NewCodeList(ListKind kind, int count, const int* codes) {
    switch (kind) {
        case RelayList: return MakeCodeList<CEnum12100>(count, codes);
        case BinaryList: return MakeCodeList<CEnum12200>(count, codes);
        default: return MakeCodeList<CEnum12600>(count, codes);
    }
}

}  // namespace

// The standard relays are as many as the device said it has. The fixed lists are filled
// with the codes the device sent and zeros after them; a short list is remembered, so that
// writing it back is refused instead of sending codes the device never gave.
int CvaskAccess::ReadCodeList(int function, int address, int channel, int* codes) {
    const ListSetting& s = List(function);
    CDeviceData* device = NULL;
    if (s.count == 0) {
        device = TypedCacheDevice(address);
        if (device == NULL) return 0;
    }
    CParamArray none;
    CPCvaskMessage request('s', function, DT_REQUEST, &none);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, 1000);
    if (result && answer != NULL) {
        int received[VASK_MAX_VALUES];
        int n = 0;
        ReplyList(answer, received, n);
        if (device != NULL) {
            for (int i = 0; i < n; ++i) codes[i] = received[i];
            device->SetRelayCount(n);
        } else {
            if (n > s.count) n = s.count;
            for (int i = 0; i < s.count; ++i) codes[i] = i < n ? received[i] : 0;
            SetListShort(function, address, channel, n < s.count);
        }
    }
    delete answer;
    return result;
}

int CvaskAccess::WriteCodeList(int function, int address, int channel, const int* codes) {
    const ListSetting& s = List(function);
    int count = s.count;
    if (count == 0) {
        CDeviceData* device = TypedCacheDevice(address);
        if (device == NULL) return 0;
        count = device->GetRelayCount();
        if (count < 0) count = 0;
        if (count > VASK_MAX_VALUES) count = VASK_MAX_VALUES;
    } else if (IsListShort(function, address, channel)) {
        SetError(&Error(), ErrorParameterCount, MakeCommandInfo('S', function));
        return 0;
    }
    CParamArray params;
    params.Add(NewCodeList(s.kind, count, codes));
    CPCvaskMessage request('S', function, DT_REQUEST, &params);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, 1000);
    delete answer;
    if (result && s.count != 0) SetListShort(function, address, channel, false);
    return result;
}

namespace {

// The bit of a fixed list in the short-list record of an address and channel.
int ListBit(int function) {
    switch (function) {
        case 5: return 1;
        case 6: return 2;
        case 7: return 4;
        case 12: return 8;
        default: return 0;
    }
}

bool Tracked(int address, int channel) {
    return address >= 0 && address < 16 && channel >= 0 && channel < 16;
}

}  // namespace

bool CvaskAccess::IsListShort(int function, int address, int channel) const {
    return Tracked(address, channel) && (m_shortLists[address][channel] & ListBit(function)) != 0;
}

void CvaskAccess::SetListShort(int function, int address, int channel, bool isShort) {
    if (!Tracked(address, channel)) return;
    if (isShort)
        m_shortLists[address][channel] |= (unsigned char)ListBit(function);
    else
        m_shortLists[address][channel] &= (unsigned char)~ListBit(function);
}
