// Records that the typed members of CvaskAccess fill and read: the structured settings of
// an analyzer (limits, outputs, inputs, ranges, heating, autocal, corrections, alarms,
// valves, pump, components, units) and the status records (component switches, extended
// status, firmware versions, logbook entries).
//
// The caller allocates and owns every record; a member writes it only when its request
// succeeded. BOOL fields receive only 0 and 1; on writing, any non-zero BOOL counts as 1.
// The enumerations are held in an int and passed through unchanged: their values are the
// device's codes.
#pragma once

#include "vaskfc.h"

// ---- limits, analog output, relays and binary inputs --------------------------------

// Switches of one limit (1 to 4); the limit values themselves are float values.
struct LimitStruct {
    BOOL activeInRange1;  // monitored while measuring range 1 is selected (bit 0)
    BOOL activeInRange2;  // bit 1
    BOOL activeInRange3;  // bit 2
    BOOL activeInRange4;  // bit 3
    BOOL alarmDirection;  // alarm on exceeding or on falling below the limit (bit 4)
    BOOL limitActive;     // limit monitoring on (bit 5)
};

// Live zero of the analog output, two bits on the wire.
enum CurrentType : int {
    Current0To20mA = 0,
    Current2To20mA = 1,
    Current4To20mA = 2,
    Current4To20mANamur = 3
};

// ---- ranges, heating, autocal and corrections ----------------------------------------

// Temperature setting of the measuring-head heating, 0 to 3.
enum TempType : int {};

// One step of the autocal sequence: a code of the autocal step list (1 = unassigned).
// The sequence is an array of 12, entry 0 for step 1.
enum ControlType : int { ControlUnassigned = 1 };

// Four flags: the temperature compensation and the alarm state.
struct ParamSetStruct {
    BOOL flag1;  // bit 0
    BOOL flag2;  // bit 1
    BOOL flag3;  // bit 2
    BOOL flag4;  // bit 3
};

// Pressure compensation. On the wire the first field lives in the second byte.
struct CorrectionStruct1 {
    int currentRange;    // current range of the pressure input, 0 to 3 (second byte)
    int correctionType;  // source of the pressure, 0 to 3 (first byte)
};

// Interference compensation 1 to 4. On the wire the last field lives in the first byte.
struct CorrectionStruct2 {
    int currentRange;    // current range of the interfering-gas input, 0 to 3
    BOOL validInRange1;  // applies in measuring range 1
    BOOL validInRange2;
    BOOL validInRange3;
    BOOL validInRange4;
    int correctionType;  // what the value is compensated with, 0 to 7
};

// ---- alarms, valves, pump, components and units --------------------------------------

// What the analog output shows during a functional check or a fault, two bits.
enum MeasStoreType : int {
    MeasStoreOff = 0,
    MeasStoreHold = 1,
    MeasStoreLowest = 2,
    MeasStoreHighest = 3
};

struct ValveStruct {
    BOOL valve1;  // bit 0
    BOOL valve2;
    BOOL valve3;
    BOOL valve4;
    BOOL valve5;
    BOOL valve6;  // bit 5
};

// Parameters of the asynchronous serial interface.
struct AsyncStruct {
    int choice1;            // code of the list with text base 12920
    int choice2;            // code of the list with text base 12940
    unsigned char number1;  // 1 to 255
    unsigned char number2;
    unsigned char number3;
};

// Two external interference components: channels on the bus whose measured values
// compensate this channel. A component of -1 with a channel of 0 means "no source".
struct CompStruct {
    int channel1;    // device part of the first source, 0 to 15
    int component1;  // its component counted from 1 (1 to 16), or -1
    int channel2;
    int component2;
};

// Unit of the channel's measured value: a code of the list with text base 12280.
enum SetUnitType : int {};

// Which option card the device carries, 1 to 5.
enum OptionCardType : int {};

// ---- status, logbook and versions ------------------------------------------------------

// Component functions ("k" 4): bits 0 to 6 of the first byte, 0 to 4 of the second.
struct CompSwitchStruct {
    BOOL autorange;      // byte 1 bit 0
    BOOL autocalCycles;  // autocal adjustment cycles
    BOOL adjustAll;
    BOOL negativeIntegration;
    BOOL limitMonitoring;
    BOOL bit5;  // the remaining bits in reply order
    BOOL bit6;
    BOOL byte2bit0;
    BOOL byte2bit1;
    BOOL byte2bit2;
    BOOL byte2bit3;
    BOOL byte2bit4;
};

// Extended status ("k" 23): bits 0 to 6 of two bytes and 0 to 3 of a third, in order.
struct ExtStatusStruct {
    BOOL bits[18];
};

// Firmware versions of the boards ("k" 28).
struct FirmwareVersionsStruct {
    CString adapterBoot;
    CString adapter;
    CString optionBoot;
    CString option;
    CString motherboardBoot;
    CString motherboard;
};

// One logbook entry ("k" 10).
struct LogbookStruct {
    int first;
    int second;
    BOOL flagA;  // bit 0 of the third value
    BOOL flagB;  // bit 1 of the third value
    CTime time;  // zero time when the device's date is not valid
};

// Operating states read as the device's codes.
enum AutocalType : int {};
enum WarmUpStatusType : int {};
enum StartStatusType : int {};
enum QuentaType : int {};
