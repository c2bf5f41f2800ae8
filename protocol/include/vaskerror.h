// The error record every operation of the communication stack fills on failure, and the
// trace channels of the stack.
#pragma once

#include "utilvask_api.h"
#include "vaskfc.h"

struct ErrorStruct_ {
    int code = 0;            // error code; its text is string 13000 + code of utilvask
    unsigned long info = 0;  // reporter's extra value (a failed request: letter * 256 + function)
    CString text;            // the code's text followed by " (E<code>)"
};

// The same record for callers without classes.
struct ErrorInfo_ {
    int code;
    unsigned long info;
    char text[256];  // at most 255 bytes of the text, always NUL-terminated
};

// The error codes of the communication stack, each named after its text (string 13000 +
// code of utilvask). The numbers are fixed: callers and the string table rely on them.
enum VaskErrorCode : int {
    ErrorNone = 0,                  // "No error"
    ErrorOutOfMemory = 1,           // "Out of memory"
    ErrorDeviceDoesNotRespond = 2,  // "The device does not respond"
    ErrorWritingInterface = 3,      // "Error while writing to the interface"
    ErrorConverterSettings = 4,     // "The converter settings are incorrect"
    ErrorReadingInterface = 5,      // "Error while reading the interface"
    ErrorInterfaceNotOpened = 6,    // "The interface could not be opened"
    ErrorInterfaceNotClosed = 7,    // "The interface could not be closed cleanly"
    ErrorCommandTooLong = 8,        // "The command is longer than permitted by the protocol"
    // "The device does not send a response\nor the response has been missed"
    ErrorNoResponse = 9,
    ErrorTooManyInvalidCharacters = 10,  // "Too many invalid characters. Receiver is restarted."
    ErrorInvalidMessageData = 11,        // "A message with invalid data was received"
    ErrorOpeningInterface = 12,          // "Error while opening the interface"
    ErrorSetCommMask = 13,               // "Error in call to function SetCommMask"
    ErrorSetupComm = 14,                 // "Error in call to function SetupComm"
    ErrorSetCommTimeouts = 15,           // "Error in call to function SetCommTimeouts"
    ErrorSetDeviceState = 16,            // "Error in call to function SetDeviceState"
    ErrorTryingToOpenInterface = 17,     // "Error while trying to open the interface"
    // "The function UTRegister (KERNEL32.DLL) could not be localized"
    ErrorUTRegisterNotLocalized = 18,
    ErrorKernel32NotLoaded = 19,  // "The KERNEL32 DLL could not be loaded"
    ErrorVaskInstanceNull = 20,   // "The instance handle of VASK.DLL is NULL"
    ErrorUTRegister = 21,         // "Error in call to function UTRegister"
    ErrorThunkNull = 22,          // "Thunk function is NULL"
    // "The function UTUnRegister (KERNEL32.DLL) could not be localized"
    ErrorUTUnRegisterNotLocalized = 23,
    ErrorKernel32NotFreed = 24,       // "The KERNEL32 DLL could not be freed"
    ErrorInvalidNetworkType = 25,     // "The network type given is invalid or is not supported"
    ErrorNetworkNotInitialized = 26,  // "The network is not initialized"
    ErrorInvalidMessageType = 27,     // "Invalid message type"
    ErrorTooFewParameters = 28,       // "To few parameters given for the command"
    ErrorTooManyParameters = 29,      // "Too many parameters given for the command"
    ErrorInvalidParameter = 30,       // "One of the given command parameters is invalid"
    // Both "Error while writing into the interface": the echo of a write differs from the
    // bytes written (31), or it could not be read back whole (32).
    ErrorWritingIntoInterfaceCompare = 31,
    ErrorWritingIntoInterfaceReadBack = 32,
    ErrorNotYetInitialized = 33,   // "The communication module is not yet initialized"
    ErrorAlreadyInitialized = 34,  // "The communication module is already initialized"
    // "The VASK device has rejected the command:\nUnknown command"
    ErrorRejectedUnknownCommand = 35,
    ErrorNoDeviceAtAddress = 36,      // "No VASK device at the given address"
    ErrorParameterCount = 37,         // "Incorrect number of command parameters"
    ErrorInvalidComponent = 38,       // "The component number is invalid"
    ErrorInvalidRange = 39,           // "The measurement range number is invalid"
    ErrorFirmwareFileNotOpened = 40,  // "The firmware file could not be opened"
    ErrorReadingFirmwareFile = 41,    // "Error while reading the firmware file"
    ErrorInvalidFirmwareData = 42,    // "The firmware file contains invalid data"
    ErrorMissingColon = 43,           // "A colon at the beginning of a line is missing"
    ErrorIncompleteLine = 44,         // "Incomplete line in the firmware file"
    ErrorDeviceNotAvailable = 45,     // "The device is not available"
    ErrorInvalidConverterType = 46,   // "Invalid converter type"
    ErrorDownloadAborted = 47,        // "Download aborted"
    // "The VASK device has rejected the command:\n" and the device's reason.
    ErrorRejectedNotRemote = 48,        // "Channel not in remote state (OF)"
    ErrorRejectedBusy = 49,             // "Function in progress or wrong state (BS)"
    ErrorRejectedComponent = 50,        // "Invalid component number (CE)"
    ErrorRejectedDataValues = 51,       // "Invalid data values (DE)"
    ErrorRejectedDataCount = 52,        // "Invalid data count (SE)"
    ErrorWin32s = 53,                   // "This version doesn't run on Win32s"
    ErrorFlashProm = 54,                // "Flash PROM error during download"
    ErrorDownloadData = 55,             // "Data error during download"
    ErrorDownloadTransmission = 56,     // "Transmission error during download"
    ErrorDownloadStartTimeout = 57,     // "Timeout during initialization of the download"
    ErrorGatewayDoesNotRespond = 58,    // "Gateway does not respond"
    ErrorDcomCreateInstance = 59,       // "DCOM: Could not create instance"
    ErrorDcomInterface = 60,            // "DCOM: Server could not provide interface"
    ErrorGatewayAlreadyConnected = 61,  // "Already connected to the gateway"
    ErrorGatewayConnectionLost = 62,    // "Connection to gateway lost"
    ErrorRemoteServerObject = 63,       // "Error in remote server object"
    ErrorRemoteLineObject = 64,         // "Error in remote line object"
    ErrorNoMoreLineObjects = 65,        // "No more line objects in enumeration"
    ErrorNoAck = 66,                    // "No ack from the device"
    ErrorBufferTooSmall = 67,           // "Buffer too small"
    ErrorNoData = 68,                   // "No data available"
    ErrorInvalidGatewayAddress = 69,    // "Invalid VASK address in gateway"
    ErrorOpeningFile = 70,              // "Error while opening file"
    ErrorReadingFile = 71,              // "Error while reading file"
    ErrorWritingFile = 72,              // "Error while writing file"
    ErrorParamSetReadAborted = 73,      // "Reading of the parameter set aborted by user"
    ErrorParamSetReadOrder = 74,        // "Wrong data order while reading the parameter set"
    ErrorParamSetWriteAborted = 75,     // "Writing of the parameter set aborted by user"
    ErrorParamSetWriteUnknown = 76,     // "Unknown error while writing the parameter set"
    ErrorParamSetWriteData = 77,        // "Data error while writing the parameter set"
    ErrorParamSetWriteOrder = 78,       // "Wrong data order while writing the parameter set"
    // 79 has no text. "Warning while writing the parameter set: ..."
    ErrorParamSetOtherDevice = 80,      // "Data originate from a different device"
    ErrorParamSetOtherDeviceType = 81,  // "Data originate from a different device type"
    ErrorParamSetOneChannel = 82        // "Data were only written for one channel. Please check."
};

// Fills the record with the code, the info and the code's text; a null record only writes
// the trace line.
UTILVASK_API void SetError(ErrorStruct_* record, int code, unsigned long info);
// Copies a filled record into the flat form; nothing when either pointer is null.
UTILVASK_API void SetError(ErrorInfo_* flat, ErrorStruct_* record);
// Fills the flat form directly; nothing at all when it is null.
UTILVASK_API void SetError(ErrorInfo_* flat, int code, unsigned long info);

// Trace channels, printf-style with a leading level (negative levels continue a line).
enum {
    TRACE_MASK_SERIALOUT = 1,
    TRACE_MASK_SERIALIN = 2,
    TRACE_MASK_MSGOUT = 4,
    TRACE_MASK_MSGIN = 8,
    TRACE_MASK_INFO = 16,
    TRACE_MASK_THUNK = 32
};

UTILVASK_API void TRACE_SERIALOUT(int level, const char* format, ...);
UTILVASK_API void TRACE_SERIALIN(int level, const char* format, ...);
UTILVASK_API void TRACE_MSGOUT(int level, const char* format, ...);
UTILVASK_API void TRACE_MSGIN(int level, const char* format, ...);
UTILVASK_API void TRACE_INFO(int level, const char* format, ...);
UTILVASK_API void TRACE_THUNK(int level, const char* format, ...);

// The stored trace settings; the shipped sink writes nothing whatever they are. For
// debugging, the environment variable VASK_TRACE names a file that then receives every
// trace line (VASK_TRACE_MASK, decimal or 0x-hex, limits the channels).
UTILVASK_API void SetDebugSettings(int level, unsigned long mask);
UTILVASK_API void GetDebugSettings(int& level, unsigned long& mask);
// Where a caller would name its trace destination; nothing is stored or opened.
UTILVASK_API void DebugInitialize(CString& name);
