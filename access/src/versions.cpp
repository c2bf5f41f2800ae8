// The version record of a channel, and the address-conflict test: two devices that answer
// under one address show up as two different version records (another channel type or
// another serial number) read from that address shortly one after the other.
#include <string.h>

#include "typed_internal.h"

namespace {

// One slot per bus address 0 to 15, shared by every access object of the process.
struct VersionSlot {
    bool held;
    int type;
    CString serial;
    DWORD tick;  // when the address was last read
};

VersionSlot g_versions[16];

// Two records within this time come from two devices under one address.
const DWORD kConflictWindowMs = 5000;

// The stack's millisecond counter.
DWORD Ticks() {
    unsigned long low, high;
    CMTimer::GetTime(low, high);
    return low;
}

}  // namespace

void CvaskAccess::ClearVersionTableEntry(int address) { ResetVersionTable(address, address); }

void CvaskAccess::ResetVersionTable(int first, int last) {
    if (first < 0) first = 0;
    if (last > 15) last = 15;
    for (int a = first; a <= last; ++a) {
        g_versions[a].held = false;
        g_versions[a].type = 0;
        g_versions[a].serial.Empty();
        g_versions[a].tick = 0;
    }
}

// Compares a freshly read record with the last one of its address.
void CvaskAccess::CheckVersionConflict(int address, const VersionStruct& record) {
    if (address < 0 || address > 15) return;
    VersionSlot& slot = g_versions[address];
    DWORD now = Ticks();
    if (!slot.held || slot.type == 0) {
        slot.held = true;
        slot.type = record.channelType;
        slot.serial = record.serialNumber;
    } else if (slot.type != record.channelType ||
               strcmp((LPCSTR)slot.serial, (LPCSTR)record.serialNumber) != 0) {
        if (now - slot.tick < kConflictWindowMs) {
            m_conflictAddress = address;
        } else {
            slot.type = record.channelType;
            slot.serial = record.serialNumber;
        }
    }
    slot.tick = now;
}

int CvaskAccess::GetChannelVersion(int address, int channel, VersionStruct& record) {
    CDeviceData* device = TypedCacheDevice(address);
    if (device == NULL) return 0;
    if (const VersionStruct* held = device->GetVersion()) {
        record = *held;
        return 1;
    }
    int result;
    CPCvaskMessage* answer = Query('k', 6, address, channel, 1000, result);
    if (answer == NULL) return result;
    int values[VASK_MAX_VALUES];
    int count = 0;
    CString texts[6];
    ReplyValues(answer, values, count);
    if (count >= 1 && ReplyTextsFrom(answer, 1, texts, 6)) {
        record.channelType = values[0];
        record.serialNumber = texts[0];
        record.softwareVersion = texts[1];
        record.hardwareVersion = texts[2];
        record.orderNumber = texts[3];
        record.firmwareNumber = texts[4];
        record.extra = texts[5];
        device->SetVersion(record);
        CheckVersionConflict(address, record);
    } else {
        result = ReplyIncomplete('k', 6);
    }
    delete answer;
    return result;
}
