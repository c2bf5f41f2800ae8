// The bus scan, the by-address device queries and the parameter adapters of CvaskAccess
// (busscan.cpp, adapters.cpp; the adapters are listed in vaskadapters.h). Included inside
// the class declaration (vaskaccess.h); it starts and ends in the public part.
#include "vaskadapters.h"

public:
// A parameter adapter as the program's parameter entries store it: every Fetch and
// Transfer member below, and GetWarmupDeviceState.
typedef int (CvaskAccess::*ParamAdapter)(int address, int channel, int index, VaskFloat& value);

// ==== bus scan and device queries (busscan.cpp) =====================================
// Walks the network's address range in ascending order. Per address it first sends
// `message` to `progress` (wParam the address, lParam `context`) when both are given,
// then lists the device if it answers the version request (a busy one too), with its
// name, range, component and relay counts; with `remote` the devices are switched to
// remote control in turn. 0 before Init (error 33), or when AbortScan was called from
// the progress handler (the devices found so far stay listed); else 1.
int ScanForDevices(CWnd* progress, UINT message, CObject* context, int remote);
// Number of addresses of the range that answer a version request (busy ones
// included); the device list is not touched.
int GetDeviceCount();
// The remote flag of the listed device after a switch-state read; 0 and error 36 for
// an address that is not listed.
int IsRemote(int address);
// 1 unless the listed device has failed 5 requests in a row (after a switch-state
// read); an address that is not listed counts as alive.
int IsAlive(int address);
// State byte and flags byte of the device's last answer, refreshed by a component
// switch read when older than 2 s; -1 when not listed or the refresh failed.
int GetChannelState(int address);
int GetChannelStatusFlags(int address);
// The channel state as a parameter value ("%d"); always 1.
int GetWarmupDeviceState(int address, int channel, int index, VaskFloat& value);

// ==== parameter adapters (adapters.cpp) =============================================
#define VASK_DECLARE_ADAPTER(name, pattern, group, position) \
    int name(int address, int channel, int index, VaskFloat& value);
VASK_FETCH_ADAPTERS(VASK_DECLARE_ADAPTER)
VASK_TRANSFER_ADAPTERS(VASK_DECLARE_ADAPTER)
#undef VASK_DECLARE_ADAPTER

// The setting of the device (a record, a float group or array, a rinse-time half) into which
// the Transfer adapter puts element `index`, as a key to compare: adapters with the same key
// on one channel write items of one setting. Null for the adapters that write without
// reading it first (direct writes, switches, texts, dates, the combined items) and for a
// member that is no Transfer adapter.
static const void* GetTransferSetting(ParamAdapter transfer, int index);

// One value of a TransferTogether: the Transfer adapter, the element number (from 1) and the
// value, as the adapter takes them; after the call the outcome: 1 written, else 0 with the
// cause.
struct TransferItem {
    ParamAdapter transfer;
    int index;
    VaskFloat value;
    int result;
    ErrorStruct_ error;
};
// Writes the items of one setting (GetTransferSetting: that of the first item) of the channel
// in one write, so that the device never holds some of them with its old values beside:
// each item's checks and conversion as its adapter makes them (an item that fails them, or
// belongs to another setting, is left out with its error), then one read of the setting,
// every item put in in the given order (an element the device did not send is left out as
// its adapter leaves it), and one write. 1 when every item was written; the error record
// holds the last failure.
int TransferTogether(int address, int channel, TransferItem* items, int count);

private:
// "k" 6 alone: neither the device list nor the address-conflict table is used.
int GetChannelVersionFast(int address, int channel, VersionStruct& record);

public:
