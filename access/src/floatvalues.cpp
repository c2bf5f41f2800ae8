// Float values of an analyzer channel: value reads ("w") and writes ("W") by value
// command number, the value caches in the device list, and the date values.
//
// Every group is described once in kFloatGroups (number, count, wire order, cache); the
// members below only bind their arguments to a row.
#include <time.h>

#include "typed_internal.h"

namespace {

// Where a group keeps its copy in the device list, and for how long it is good.
enum FloatCache {
    NoCache,
    RangeLower,  // per channel, range-count values, until the channel records are rebuilt
    RangeUpper,
    Limit1,  // per channel, 2 values, until the channel records are rebuilt
    Limit2,
    Limit3,
    Limit4,
    Integration,   // per channel, 4 values
    Tolerance,     // per channel, 3 values
    AutocalCycle,  // per device, 3 values, 10 s
    AirPressure,   // per device, 1 value, 60 s
    AnalogOutput   // per channel, 1 value, 60 s
};

enum {
    COUNT_1 = 1,
    COUNT_2 = 2,
    COUNT_3 = 3,
    COUNT_4 = 4,
    COUNT_5 = 5,
    COUNT_RANGES = -1,
    COUNT_SIX = -2,
    COUNT_DATE0 = -3,
    COUNT_DATE12 = -4,
    COUNT_CLOCK = -5
};

struct FloatGroup {
    int number;
    int count;          // a fixed count, or one of the COUNT_ kinds below 0
    const char* order;  // see VASK_FLOAT_GROUPS
    FloatCache cache;
};

const FloatGroup kFloatGroups[] = {
#define VASK_FLOAT_ROW(name, number, count, order, cache, access) \
    {number, COUNT_##count, order, cache},
    VASK_FLOAT_GROUPS(VASK_FLOAT_ROW)
#undef VASK_FLOAT_ROW
};

const FloatGroup& Group(int number) {
    for (const FloatGroup& g : kFloatGroups)
        if (g.number == number) return g;
    // Every member names a row of the table; reaching this is a programming error.
    static const FloatGroup none = {0, 0, "", NoCache};
    return none;
}

// Argument index (0-based) of wire value i.
int ArgumentOf(const FloatGroup& g, int i) {
    if (g.order[0] == 0) return i;
    return g.order[i] - '1';
}

const int kMaxGroup = 5;  // the largest fixed group

}  // namespace

// ---- the cache slots --------------------------------------------------------------------

namespace {

// Copies what the device list holds for a group into `out`; false when it holds nothing
// valid. `count` is the number of values of the group (range groups: the range count).
bool Cached(CDeviceData* device, FloatCache cache, int channel, int count, VaskFloat* out) {
    if (device == NULL) return false;
    // Only the device's own channels have slots.
    const bool inChannels = channel >= 0 && channel < device->GetComponentCount();
    const VaskFloat* held = NULL;
    switch (cache) {
        case RangeLower:
            // Null also when the range count has changed since the values were stored.
            held = inChannels ? device->GetRangeStart(channel) : NULL;
            break;
        case RangeUpper: held = inChannels ? device->GetRangeEnd(channel) : NULL; break;
        case Limit1:
        case Limit2:
        case Limit3:
        case Limit4:
            held = inChannels ? device->GetLimit(channel, cache - Limit1 + 1) : NULL;
            break;
        case Integration: held = inChannels ? device->GetIntegrationTimes(channel) : NULL; break;
        case Tolerance: held = inChannels ? device->GetAdjustTolerances(channel) : NULL; break;
        case AutocalCycle:
            if (CvaskAccess::UpToDate(device->GetAutocalCycleTime(), 10))
                held = device->GetAutocalCycle();
            break;
        case AirPressure:
            if (CvaskAccess::UpToDate(device->GetAirPressureTime(), 60))
                held = &device->GetAirPressure();
            break;
        case AnalogOutput:
            // A channel the device does not have is read from the device and not kept.
            return inChannels && CvaskAccess::UpToDate(device->GetAnalogOutputTime(channel), 60) &&
                   device->GetAnalogOutput(channel, out[0]);
        default: break;
    }
    if (held == NULL || count <= 0) return false;
    for (int i = 0; i < count; ++i) out[i] = held[i];
    return true;
}

// Keeps a group's values in the device list (stamped where the group has a time limit).
void Store(CDeviceData* device, FloatCache cache, int channel, const VaskFloat* values, int count) {
    if (device == NULL) return;
    const bool inChannels = channel >= 0 && channel < device->GetComponentCount();
    switch (cache) {
        case RangeLower:
            if (inChannels && count > 0) device->SetRangeStart(channel, values);
            break;
        case RangeUpper:
            if (inChannels && count > 0) device->SetRangeEnd(channel, values);
            break;
        case Limit1:
        case Limit2:
        case Limit3:
        case Limit4:
            if (inChannels) device->SetLimit(channel, cache - Limit1 + 1, values);
            break;
        case Integration:
            if (inChannels) device->SetIntegrationTimes(channel, values);
            break;
        case Tolerance:
            if (inChannels) device->SetAdjustTolerances(channel, values);
            break;
        case AutocalCycle: device->SetAutocalCycle(values); break;
        case AirPressure: device->SetAirPressure(values[0]); break;
        case AnalogOutput:
            if (inChannels) device->SetAnalogOutput(channel, values[0]);
            break;
        default: break;
    }
}

}  // namespace

// ---- fixed groups -----------------------------------------------------------------------

int CvaskAccess::ReadFloatGroup(int number, int address, int channel, VaskFloat* const* args) {
    const FloatGroup& g = Group(number);
    CDeviceData* device = NULL;
    if (g.cache == AirPressure) {
        // The air pressure is looked up quietly: an unknown address is no new error.
        device = GetDevice(address);
        if (device == NULL) return 0;
    } else if (g.cache != NoCache) {
        device = TypedCacheDevice(address);
        if (device == NULL) return 0;
    }
    VaskFloat held[kMaxGroup];
    if (Cached(device, g.cache, channel, g.count, held)) {
        for (int i = 0; i < g.count; ++i) *args[i] = held[i];
        return 1;
    }
    VaskFloat* wire[kMaxGroup];
    for (int i = 0; i < g.count; ++i) wire[i] = args[ArgumentOf(g, i)];
    int result = GetFloats((VaskValueCommand)number, address, channel, wire, g.count);
    if (result && device != NULL) {
        VaskFloat values[kMaxGroup];
        for (int i = 0; i < g.count; ++i) values[i] = *args[i];
        Store(device, g.cache, channel, values, g.count);
    }
    return result;
}

int CvaskAccess::WriteFloatGroup(int number, int address, int channel,
                                 const VaskFloat* const* args) {
    const FloatGroup& g = Group(number);
    CDeviceData* device = NULL;
    if (g.cache != NoCache) {
        device = TypedCacheDevice(address);
        if (device == NULL) return 0;
    }
    const VaskFloat* wire[kMaxGroup];
    for (int i = 0; i < g.count; ++i) {
        wire[i] = args[ArgumentOf(g, i)];
        if (!IsSendable(*wire[i])) {
            SetError(&Error(), ErrorInvalidParameter, 0);
            return 0;
        }
    }
    int result = SetFloats((VaskValueCommand)number, address, channel, wire, g.count);
    if (result && device != NULL) {
        VaskFloat values[kMaxGroup];
        for (int i = 0; i < g.count; ++i) values[i] = *args[i];
        Store(device, g.cache, channel, values, g.count);
    }
    return result;
}

// ---- lists: one value per measuring range, six rinse or sensor times --------------------

int CvaskAccess::ReadFloatList(int number, int address, int channel, VaskFloat* values) {
    const FloatGroup& g = Group(number);
    const bool perRange = g.count == COUNT_RANGES;
    CDeviceData* device = NULL;
    if (perRange) {
        device = TypedCacheDevice(address);
        if (device == NULL) return 0;
        int ranges = device->GetRangeCount();
        if (ranges > VASK_MAX_VALUES) ranges = VASK_MAX_VALUES;
        if (Cached(device, g.cache, channel, ranges, values)) return 1;
    }
    CParamArray none;
    CPCvaskMessage request('w', number, DT_REQUEST, &none);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, 1000);
    if (result && answer != NULL) {
        // The caller's list holds 30 values per range, six otherwise.
        const int room = perRange ? VASK_MAX_VALUES : 6;
        const CFloatParam* list = FirstFloatParam(answer);
        int k = list != NULL ? list->GetCount() : 0;
        if (k > room) k = room;
        for (int j = 0; j < k; ++j) list->GetValue(j + 1, values[j]);
        if (perRange) {
            device->SetRangeCount(k);
            Store(device, g.cache, channel, values, k);
        }
    }
    delete answer;
    return result;
}

int CvaskAccess::WriteFloatList(int number, int address, int channel, const VaskFloat* values,
                                int given) {
    const FloatGroup& g = Group(number);
    const bool perRange = g.count == COUNT_RANGES;
    CDeviceData* device = NULL;
    int count = 6;
    if (perRange) {
        device = TypedCacheDevice(address);
        if (device == NULL) return 0;
        count = device->GetRangeCount();
        if (count > VASK_MAX_VALUES) count = VASK_MAX_VALUES;
        if (count < 0) count = 0;
        given = count;
    }
    for (int j = 0; j < given && j < count; ++j)
        if (!IsSendable(values[j])) {
            SetError(&Error(), ErrorInvalidParameter, 0);
            return 0;
        }
    // Values the caller does not give keep the initial value of a new list, 0.000.
    CFloatParam* list = new CFloatParam('W', number, 0, DT_REQUEST, count);
    for (int j = 0; j < given && j < count; ++j) list->SetValue(j + 1, values[j]);
    CParamArray params;
    params.Add(list);
    CPCvaskMessage request('W', number, DT_REQUEST, &params);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, 1000);
    delete answer;
    if (result && perRange) Store(device, g.cache, channel, values, count);
    return result;
}

// ---- dates ------------------------------------------------------------------------------

namespace {

void SetNumber(VaskFloat& v, int number) {
    v.value = number;
    v.text.Format("%d", number);
    v.unit = 1;
    v.quantity = 1;
}

}  // namespace

int CvaskAccess::ReadDate(int number, int address, int channel, CTime& time) {
    const FloatGroup& g = Group(number);
    const int count = g.count == COUNT_CLOCK ? 5 : 3;
    VaskFloat fields[5];
    VaskFloat* out[5] = {&fields[0], &fields[1], &fields[2], &fields[3], &fields[4]};
    int result = GetFloats((VaskValueCommand)number, address, channel, out, count);
    if (!result) return result;
    if (count == 5) {
        // minute, hour, day, month, year
        const int year = TruncatedField(fields[4]), hour = TruncatedField(fields[1]),
                  minute = TruncatedField(fields[0]);
        time = IsDeviceTime(year, hour, minute)
                   ? MakeTime(year, TruncatedField(fields[3]), TruncatedField(fields[2]), hour,
                              minute, 0)
                   : CTime();
    } else {
        // day, month, year, at the hour the sensor's date is kept
        int hour = g.count == COUNT_DATE12 ? 12 : 0;
        const int year = TruncatedField(fields[2]);
        time = IsDeviceTime(year, hour, 0) ? MakeTime(year, TruncatedField(fields[1]),
                                                      TruncatedField(fields[0]), hour, 0, 0)
                                           : CTime();
    }
    return result;
}

int CvaskAccess::WriteDate(int number, int address, int channel, const CTime& time) {
    const FloatGroup& g = Group(number);
    struct tm local;
    time.GetLocalTm(&local);
    VaskFloat fields[5];
    int count = 0;
    if (g.count == COUNT_CLOCK) {
        SetNumber(fields[count++], local.tm_min);
        SetNumber(fields[count++], local.tm_hour);
    }
    SetNumber(fields[count++], local.tm_mday);
    SetNumber(fields[count++], local.tm_mon + 1);
    SetNumber(fields[count++], local.tm_year % 100);
    const VaskFloat* in[5] = {&fields[0], &fields[1], &fields[2], &fields[3], &fields[4]};
    return SetFloats((VaskValueCommand)number, address, channel, in, count);
}

// ---- the members --------------------------------------------------------------------------

#define VASK_ARGS_1  VaskFloat& a
#define VASK_ARGS_2  VaskFloat &a, VaskFloat &b
#define VASK_ARGS_3  VaskFloat &a, VaskFloat &b, VaskFloat &c
#define VASK_ARGS_4  VaskFloat &a, VaskFloat &b, VaskFloat &c, VaskFloat &d
#define VASK_ARGS_5  VaskFloat &a, VaskFloat &b, VaskFloat &c, VaskFloat &d, VaskFloat &e
#define VASK_CARGS_1 const VaskFloat& a
#define VASK_CARGS_2 const VaskFloat &a, const VaskFloat &b
#define VASK_CARGS_3 const VaskFloat &a, const VaskFloat &b, const VaskFloat &c
#define VASK_CARGS_4 const VaskFloat &a, const VaskFloat &b, const VaskFloat &c, const VaskFloat &d
#define VASK_CARGS_5                                                                \
    const VaskFloat &a, const VaskFloat &b, const VaskFloat &c, const VaskFloat &d, \
        const VaskFloat &e
#define VASK_PTRS_1 &a
#define VASK_PTRS_2 &a, &b
#define VASK_PTRS_3 &a, &b, &c
#define VASK_PTRS_4 &a, &b, &c, &d
#define VASK_PTRS_5 &a, &b, &c, &d, &e

#define VASK_FIXED_READ(name, number, n)                                  \
    int CvaskAccess::Get##name(int address, int channel, VASK_ARGS_##n) { \
        VaskFloat* const args[] = {VASK_PTRS_##n};                        \
        return ReadFloatGroup(number, address, channel, args);            \
    }
#define VASK_FIXED_WRITE(name, number, n)                                  \
    int CvaskAccess::Set##name(int address, int channel, VASK_CARGS_##n) { \
        const VaskFloat* const args[] = {VASK_PTRS_##n};                   \
        return WriteFloatGroup(number, address, channel, args);            \
    }

#define VASK_MEMBERS_R_1(name, number) VASK_FIXED_READ(name, number, 1)
#define VASK_MEMBERS_R_2(name, number) VASK_FIXED_READ(name, number, 2)
#define VASK_MEMBERS_R_3(name, number) VASK_FIXED_READ(name, number, 3)
#define VASK_MEMBERS_R_4(name, number) VASK_FIXED_READ(name, number, 4)
#define VASK_MEMBERS_R_5(name, number) VASK_FIXED_READ(name, number, 5)
#define VASK_MEMBERS_RW_1(name, number) \
    VASK_FIXED_READ(name, number, 1) VASK_FIXED_WRITE(name, number, 1)
#define VASK_MEMBERS_RW_2(name, number) \
    VASK_FIXED_READ(name, number, 2) VASK_FIXED_WRITE(name, number, 2)
#define VASK_MEMBERS_RW_3(name, number) \
    VASK_FIXED_READ(name, number, 3) VASK_FIXED_WRITE(name, number, 3)
#define VASK_MEMBERS_RW_4(name, number) \
    VASK_FIXED_READ(name, number, 4) VASK_FIXED_WRITE(name, number, 4)
#define VASK_MEMBERS_RW_5(name, number) \
    VASK_FIXED_READ(name, number, 5) VASK_FIXED_WRITE(name, number, 5)
#define VASK_MEMBERS_RW_RANGES(name, number)                                      \
    int CvaskAccess::Get##name(int address, int channel, VaskFloat* values) {     \
        return ReadFloatList(number, address, channel, values);                   \
    }                                                                             \
    int CvaskAccess::Set##name(int address, int channel, VaskFloat* values) {     \
        return WriteFloatList(number, address, channel, values, VASK_MAX_VALUES); \
    }
#define VASK_MEMBERS_RW_SIX(name, number)                                           \
    int CvaskAccess::Get##name(int address, int channel, VaskFloat* const values) { \
        return ReadFloatList(number, address, channel, values);                     \
    }                                                                               \
    int CvaskAccess::Set##name(int address, int channel, VaskFloat* const values) { \
        return WriteFloatList(number, address, channel, values, 6);                 \
    }
#define VASK_DATE_MEMBERS(name, number)                                       \
    int CvaskAccess::Get##name(int address, int channel, CTime& time) {       \
        return ReadDate(number, address, channel, time);                      \
    }                                                                         \
    int CvaskAccess::Set##name(int address, int channel, const CTime& time) { \
        return WriteDate(number, address, channel, time);                     \
    }
#define VASK_MEMBERS_RW_DATE0(name, number)  VASK_DATE_MEMBERS(name, number)
#define VASK_MEMBERS_RW_DATE12(name, number) VASK_DATE_MEMBERS(name, number)
#define VASK_MEMBERS_RW_CLOCK(name, number)  VASK_DATE_MEMBERS(name, number)

#define VASK_FLOAT_MEMBERS(name, number, count, order, cache, access) \
    VASK_MEMBERS_##access##_##count(name, number)
VASK_FLOAT_GROUPS(VASK_FLOAT_MEMBERS)
#undef VASK_FLOAT_MEMBERS

// The older rinse-time write of one analyzer model sets only the first two steps; the
// device keeps its list of six, so the others travel as 0.000.
int CvaskAccess::SetAutocalS23RinseTime1(int address, int channel, VaskFloat* const values) {
    return WriteFloatList(7, address, channel, values, 2);
}
