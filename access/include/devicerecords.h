// The two records that the device list keeps a copy of: the switch states of a channel
// ("k" 3) and its version record ("k" 6). Plain structures owned by whoever holds them.
#pragma once

#include "vaskfc.h"

// Channel type of a device: the code of the channel-type list (text base 12400); 0 while
// unknown.
typedef int ChannelType;

// Switch states of a channel: bits 0 to 6 of each of the reply's three bytes, in reply
// order (flags[0] is bit 0 of the first byte, flags[7] bit 0 of the second).
struct ChannelSwitchStruct {
    enum {
        Service = 0,
        Remote = 1,
        Broadcast = 2,
        Pump = 8,
        Heating = 17,
        CommonZero = 19,
        Count = 21
    };
    BOOL flags[Count];
};

// Version record of a channel.
struct VersionStruct {
    ChannelType channelType;
    CString serialNumber;
    CString softwareVersion;
    CString hardwareVersion;
    CString orderNumber;
    CString firmwareNumber;
    CString extra;
};
