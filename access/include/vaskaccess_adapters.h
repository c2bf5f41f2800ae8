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

private:
// "k" 6 alone: neither the device list nor the address-conflict table is used.
int GetChannelVersionFast(int address, int channel, VersionStruct& record);

public:
