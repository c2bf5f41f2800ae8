// Status, measurement, logbook and version reads of an analyzer channel, the few small
// settings that go with them, and the address-conflict test over the version records.
#include "typed_internal.h"

namespace {

// Records of flags that a reply carries in the low seven bits of its bytes (bit 7 of each
// byte is a marker): `bits[b]` flags are taken from byte b, in order.
struct FlagRecord {
    int function;
    int bytes;
    int bits[3];
};

const FlagRecord kChannelSwitches = {3, 3, {7, 7, 7}};
const FlagRecord kCompSwitches = {4, 2, {7, 5, 0}};
const FlagRecord kExtStatus = {23, 3, {7, 7, 4}};

// The flags of a reply in record order; 0 when the reply does not hold the record's bytes.
int TakeFlags(CPCvaskMessage* answer, const FlagRecord& record, BOOL* flags) {
    unsigned char bytes[8];
    int n = ReplyBitBytes(answer, bytes, 8);
    if (n < record.bytes) return 0;
    int k = 0;
    for (int b = 0; b < record.bytes; ++b)
        for (int bit = 0; bit < record.bits[b]; ++bit) flags[k++] = (bytes[b] >> bit) & 1;
    return 1;
}

int CompSwitchStruct::*const kCompSwitchFields[] = {&CompSwitchStruct::autorange,
                                                    &CompSwitchStruct::autocalCycles,
                                                    &CompSwitchStruct::adjustAll,
                                                    &CompSwitchStruct::negativeIntegration,
                                                    &CompSwitchStruct::limitMonitoring,
                                                    &CompSwitchStruct::bit5,
                                                    &CompSwitchStruct::bit6,
                                                    &CompSwitchStruct::byte2bit0,
                                                    &CompSwitchStruct::byte2bit1,
                                                    &CompSwitchStruct::byte2bit2,
                                                    &CompSwitchStruct::byte2bit3,
                                                    &CompSwitchStruct::byte2bit4};

// Download fault masks: reply bit i sets mask value kMask[i] (0: ignored).
const int kDownloadMask[8] = {1, 2, 4, 0, 0, 0, 0, 0};
const int kOptionDownloadMask[8] = {1, 2, 4, 0, 16, 32, 64, 0};

int FaultMask(CPCvaskMessage* answer, const int* mask) {
    unsigned char bytes[2];
    if (ReplyBitBytes(answer, bytes, 2) < 1) return 0;
    int faults = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (bytes[0] & (1 << bit)) faults |= mask[bit];
    return faults;
}

}  // namespace

// ---- shared by the typed members -------------------------------------------------------------

// The device-list entry of the address, which becomes the cached one; null with error 36
// when the address has none.
CDeviceData* CvaskAccess::TypedCacheDevice(int address) {
    if (!GetCacheDevice(address)) return NULL;
    return LookupDevice(address);
}

// ---- one request, one reply -----------------------------------------------------------------

// Sends a request without values and hands back the reply of a successful request (the
// caller deletes it); null after a failure.
CPCvaskMessage* CvaskAccess::Query(char command, int function, int address, int channel,
                                   DWORD timeout, int& result) {
    CParamArray none;
    CPCvaskMessage request(command, function, DT_REQUEST, &none);
    CPCvaskMessage* answer = NULL;
    result = Send(address, channel, &request, answer, timeout);
    if (!result) {
        delete answer;
        return NULL;
    }
    return answer;
}

// Error 37 for a reply that lacks what the read takes from it.
int CvaskAccess::ReplyIncomplete(char command, int function) {
    SetError(&Error(), ErrorParameterCount, MakeCommandInfo(command, function));
    return 0;
}

// ---- measured values and switch states -------------------------------------------------------

int CvaskAccess::GetComponentMeas(int address, int channel, VaskFloat& value) {
    CDeviceData* device = TypedCacheDevice(address);
    if (device == NULL) return 0;
    int components = device->GetComponentCount();
    if (components != 0) {
        if (channel < 0 || channel >= components) {
            SetError(&Error(), ErrorInvalidComponent, 0);
            return 0;
        }
        const VaskFloat* held = device->GetMeasValue(channel);
        if (held != NULL && UpToDate(device->GetMeasTime(), 2)) {
            value = *held;
            return 1;
        }
    }
    int result;
    CPCvaskMessage* answer = Query('k', 1, address, channel, 1000, result);
    if (answer == NULL) return result;
    const CFloatParam* first = FirstFloatParam(answer);
    if (first != NULL && first->GetCount() >= 1)
        first->GetValue(1, value);
    else
        result = ReplyIncomplete('k', 1);
    delete answer;
    return result;
}

int CvaskAccess::GetMeas(int address, int channel, VaskFloat* values, int makeCurrent) {
    CDeviceData* device = makeCurrent ? TypedCacheDevice(address) : GetDevice(address);
    if (device == NULL) return 0;
    int components = device->GetComponentCount();
    if (components != 0 && UpToDate(device->GetMeasTime(), 2)) {
        for (int i = 0; i < components; ++i) values[i] = *device->GetMeasValue(i);
        return 1;
    }
    int result;
    CPCvaskMessage* answer = Query('k', 2, address, 0, 1000, result);
    if (answer == NULL) return result;
    const CFloatParam* list = FirstFloatParam(answer);
    int n = list != NULL ? list->GetCount() : 0;
    // A new count rebuilds the channel records (and drops what they cache); the same
    // count keeps them.
    if (n != device->GetComponentCount()) device->SetComponentCount(n);
    for (int i = 0; i < n; ++i) {
        list->GetValue(i + 1, values[i]);
        if (VaskFloat* kept = device->GetMeasValue(i)) *kept = values[i];
    }
    device->StampMeasValues();
    delete answer;
    return result;
}

int CvaskAccess::GetSwitches(int address, int channel, ChannelSwitchStruct& record) {
    CDeviceData* device = TypedCacheDevice(address);
    if (device == NULL) return 0;
    ChannelSwitchStruct held;
    if (device->GetSwitches(held) && UpToDate(device->GetSwitchTime(), 2)) {
        record = held;
        return 1;
    }
    int result;
    CPCvaskMessage* answer = Query('k', 3, address, channel, 1000, result);
    if (answer == NULL) return result;
    BOOL flags[21];
    if (TakeFlags(answer, kChannelSwitches, flags)) {
        for (int i = 0; i < ChannelSwitchStruct::Count; ++i) record.flags[i] = flags[i];
        device->SetSwitches(record);
    } else {
        result = ReplyIncomplete('k', 3);
    }
    delete answer;
    return result;
}

int CvaskAccess::GetCompSwitches(int address, int channel, CompSwitchStruct& record) {
    int result;
    CPCvaskMessage* answer = Query('k', 4, address, channel, 1000, result);
    if (answer == NULL) return result;
    BOOL flags[12];
    if (TakeFlags(answer, kCompSwitches, flags)) {
        for (int i = 0; i < 12; ++i) record.*kCompSwitchFields[i] = flags[i];
    } else {
        result = ReplyIncomplete('k', 4);
    }
    delete answer;
    return result;
}

int CvaskAccess::GetExtStatus(int address, int channel, ExtStatusStruct& record) {
    int result;
    CPCvaskMessage* answer = Query('k', 23, address, channel, 1000, result);
    if (answer == NULL) return result;
    BOOL flags[18];
    if (TakeFlags(answer, kExtStatus, flags)) {
        for (int i = 0; i < 18; ++i) record.bits[i] = flags[i];
    } else {
        result = ReplyIncomplete('k', 23);
    }
    delete answer;
    return result;
}

// ---- lists of numbers ------------------------------------------------------------------------

int CvaskAccess::GetFaults(int address, int channel, int* list, int& count) {
    return GetReports(MiscFaults, address, channel, list, count);
}
int CvaskAccess::GetMaintenanceRequests(int address, int channel, int* list, int& count) {
    return GetReports(MiscMaintenanceRequests, address, channel, list, count);
}
int CvaskAccess::GetFaultsBeforeTransition(int address, int channel, int* list, int& count) {
    return GetReports(MiscFaultsBeforeTransition, address, channel, list, count);
}
int CvaskAccess::GetReportStatus(int address, int channel, int* list, int& count) {
    return GetReports(MiscReportStatus, address, channel, list, count);
}

// ---- single values ---------------------------------------------------------------------------

int CvaskAccess::ReadFirstFloat(int function, int address, int channel, VaskFloat& value) {
    int result;
    CPCvaskMessage* answer = Query('k', function, address, channel, 1000, result);
    if (answer == NULL) return result;
    const CFloatParam* first = FirstFloatParam(answer);
    if (first != NULL && first->GetCount() >= 1)
        first->GetValue(1, value);
    else
        result = ReplyIncomplete('k', function);
    delete answer;
    return result;
}

int CvaskAccess::GetRestTime(int address, int channel, VaskFloat& value) {
    return ReadFirstFloat(8, address, channel, value);
}

int CvaskAccess::GetZeroAdjustTime(int address, int channel, VaskFloat& value) {
    return ReadFirstFloat(9, address, channel, value);
}

// The device's state codes are passed on unchanged.
#define VASK_STATE_READ(member, type, function)                        \
    int CvaskAccess::member(int address, int channel, type& state) {   \
        int value = 0;                                                 \
        if (!GetInt('k', function, address, channel, value)) return 0; \
        state = (type)value;                                           \
        return 1;                                                      \
    }
VASK_STATE_READ(GetAutocalState, AutocalType, 19)
VASK_STATE_READ(GetWarmUpState, WarmUpStatusType, 29)
VASK_STATE_READ(GetStartingState, StartStatusType, 30)
VASK_STATE_READ(GetInstrumentType, QuentaType, 31)
#undef VASK_STATE_READ

int CvaskAccess::SetStartingState(int address, int channel, const StartStatusType& state) {
    return SetInt('K', 30, address, channel, state);
}

int CvaskAccess::GetParamStatus(int address, int channel, int& status) {
    return GetInt('k', 26, address, channel, status);
}

int CvaskAccess::GetIoParameterSet(int address, int channel, int& set) {
    return GetInt('k', 17, address, channel, set);
}

int CvaskAccess::SetIoParameterSet(int address, int channel, int set) {
    return SetInt('K', 17, address, channel, set);
}

// ---- name, versions -------------------------------------------------------------------------

int CvaskAccess::GetChannelName(int address, int channel, CString& name) {
    int result;
    CPCvaskMessage* answer = Query('k', 16, address, channel, 1000, result);
    if (answer == NULL) return result;
    CString texts[1];
    if (ReplyTexts(answer, texts, 1))
        name = texts[0];
    else
        result = ReplyIncomplete('k', 16);
    delete answer;
    return result;
}

int CvaskAccess::SetChannelName(int address, int channel, const CString& name) {
    CStringParam* text = new CStringParam('K', 16, -1, DT_REQUEST, 1);
    text->SetValue(name);
    CParamArray params;
    params.Add(text);
    CPCvaskMessage request('K', 16, DT_REQUEST, &params);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, 1000);
    delete answer;
    return result;
}

int CvaskAccess::GetFirmwareVersions(int address, int channel, FirmwareVersionsStruct& record) {
    int result;
    CPCvaskMessage* answer = Query('k', 28, address, channel, 1000, result);
    if (answer == NULL) return result;
    CString texts[6];
    if (ReplyTexts(answer, texts, 6)) {
        record.adapterBoot = texts[0];
        record.adapter = texts[1];
        record.optionBoot = texts[2];
        record.option = texts[3];
        record.motherboardBoot = texts[4];
        record.motherboard = texts[5];
    } else {
        result = ReplyIncomplete('k', 28);
    }
    delete answer;
    return result;
}

// ---- logbook ---------------------------------------------------------------------------------

// The entry number travels as one byte: a number it cannot carry is refused rather than
// sent as its low byte, which would name another entry.
static bool IsEntryNumber(int entry) { return entry >= 0 && entry <= 255; }

int CvaskAccess::GetLogEntry(int address, int channel, int entry, LogbookStruct& record) {
    if (!IsEntryNumber(entry)) {
        SetError(&Error(), ErrorInvalidParameter, 0);
        return 0;
    }
    CIntParam* number = new CIntParam('k', 10, -1, DT_REQUEST, 0, 0, 1);
    number->SetValue(1, entry);
    CParamArray params;
    params.Add(number);
    CPCvaskMessage request('k', 10, DT_REQUEST, &params);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, 1000);
    if (result && answer != NULL) {
        // three numbers, then minute, hour, day, month and two-digit year
        int numbers[VASK_MAX_VALUES];
        int count = 0;
        ReplyValues(answer, numbers, count);
        VaskFloat date[5];
        if (count >= 3 && ReplyFloats(answer, 3, date, 5)) {
            record.first = numbers[0];
            record.second = numbers[1];
            record.flagA = numbers[2] & 1;
            record.flagB = (numbers[2] >> 1) & 1;
            const int year = TruncatedField(date[4]), hour = TruncatedField(date[1]),
                      minute = TruncatedField(date[0]);
            record.time = IsDeviceTime(year, hour, minute)
                              ? MakeTime(year, TruncatedField(date[3]), TruncatedField(date[2]),
                                         hour, minute, 0)
                              : CTime();
        } else {
            result = ReplyIncomplete('k', 10);
        }
    }
    delete answer;
    return result;
}

int CvaskAccess::AckLogEntry(int address, int channel, int entry) {
    if (!IsEntryNumber(entry)) {
        SetError(&Error(), ErrorInvalidParameter, 0);
        return 0;
    }
    return SetInt('K', 10, address, channel, entry);
}

int CvaskAccess::ClearLog(int address, int channel) {
    return SimpleCommand('K', 22, address, channel);
}

// ---- lambda ----------------------------------------------------------------------------------

// The reply's values, as many as it holds (at most 30).
int CvaskAccess::GetLambda(int address, int channel, VaskFloat* values) {
    int result;
    CPCvaskMessage* answer = Query('k', 11, address, 0, 1000, result);
    if (answer == NULL) return result;
    const CFloatParam* list = FirstFloatParam(answer);
    int n = list != NULL ? list->GetCount() : 0;
    for (int i = 0; i < n; ++i) list->GetValue(i + 1, values[i]);
    delete answer;
    return result;
}

// ---- configuration and coefficients ------------------------------------------------------------

int CvaskAccess::ResetLinearCoefficients(int address, int channel) {
    return SimpleCommand('K', 7, address, channel);
}

int CvaskAccess::LoadUserConfig(int address, int channel) {
    return Transfer(address, channel, TransferLoadUser);
}
int CvaskAccess::SaveUserConfig(int address, int channel) {
    return Transfer(address, channel, TransferSaveUser);
}
int CvaskAccess::LoadDefaultConfig(int address, int channel) {
    return Transfer(address, channel, TransferLoadDefault);
}
int CvaskAccess::SaveDefaultConfig(int address, int channel) {
    return Transfer(address, channel, TransferSaveDefault);
}
int CvaskAccess::LoadBaseConfig(int address, int channel) {
    return Transfer(address, channel, TransferLoadBase);
}

// ---- download faults -------------------------------------------------------------------------

int CvaskAccess::GetDownloadFaults(int address, int channel, int& faults) {
    faults = 0;
    int result;
    CPCvaskMessage* answer = Query('k', 20, address, channel, 1000, result);
    if (answer == NULL) return result;
    faults = FaultMask(answer, kDownloadMask);
    delete answer;
    return result;
}

int CvaskAccess::GetDownloadFaultsPBO(int address, int channel, int& faults) {
    faults = 0;
    int result;
    CPCvaskMessage* answer = Query('k', 24, address, channel, 500, result);
    if (answer == NULL) return result;
    faults = FaultMask(answer, kOptionDownloadMask);
    delete answer;
    return result;
}

// The stop is a command the device does not answer; a reply, where one comes, carries the
// same faults as the fault read.
int CvaskAccess::StopDownloadPBO(int address, int channel, int& faults) {
    faults = 0;
    CIntParam* stop = new CIntParam('K', 24, -1, DT_REQUEST, 0, 0, 1);
    stop->SetValue(1, 1);
    CParamArray params;
    params.Add(stop);
    CPCvaskMessage request('K', 24, DT_REQUEST, &params);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, 500);
    if (result && answer != NULL) faults = FaultMask(answer, kOptionDownloadMask);
    delete answer;
    return result;
}
