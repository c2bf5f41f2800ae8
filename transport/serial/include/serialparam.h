// The serial line settings of one bus converter, passed unchanged from the program's
// converter profile through the access layer and the network to the serial port.
#pragma once

struct SerialParam {
    int converterType;  // 1..6; type 1 gets a zero byte at open and is never waited on for ACK
    int softwareRts;    // 1: raise RTS around each write (only while rtsToggle is 0)
    int rtsToggle;      // 1: the driver raises RTS while transmitting
    int assertDtr;      // 1: DTR asserted
    int readEcho;       // 1: read back and compare the echo of every write of up to 256 bytes
};
