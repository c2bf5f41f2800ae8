// Error records: every code's text from utilvask's own string table, the flat copy, and
// the trace channels' sink, which writes nothing unless a developer switches it on.
#include "test_support.h"

#include <fstream>
#include <sstream>

namespace {

struct ErrorText {
    int code;
    VaskErrorCode name;  // the code's name in the error header
    const char* text;
};

// The error texts of the system, 13000 + code in utilvask's string table, with the names
// the code uses for them.
const ErrorText kErrorTexts[] = {
    {0, ErrorNone, "No error"},
    {1, ErrorOutOfMemory, "Out of memory"},
    {2, ErrorDeviceDoesNotRespond, "The device does not respond"},
    {3, ErrorWritingInterface, "Error while writing to the interface"},
    {4, ErrorConverterSettings, "The converter settings are incorrect"},
    {5, ErrorReadingInterface, "Error while reading the interface"},
    {6, ErrorInterfaceNotOpened, "The interface could not be opened"},
    {7, ErrorInterfaceNotClosed, "The interface could not be closed cleanly"},
    {8, ErrorCommandTooLong, "The command is longer than permitted by the protocol"},
    {9, ErrorNoResponse, "The device does not send a response\nor the response has been missed"},
    {10, ErrorTooManyInvalidCharacters, "Too many invalid characters. Receiver is restarted."},
    {11, ErrorInvalidMessageData, "A message with invalid data was received"},
    {12, ErrorOpeningInterface, "Error while opening the interface"},
    {13, ErrorSetCommMask, "Error in call to function SetCommMask"},
    {14, ErrorSetupComm, "Error in call to function SetupComm"},
    {15, ErrorSetCommTimeouts, "Error in call to function SetCommTimeouts"},
    {16, ErrorSetDeviceState, "Error in call to function SetDeviceState"},
    {17, ErrorTryingToOpenInterface, "Error while trying to open the interface"},
    {18, ErrorUTRegisterNotLocalized,
     "The function UTRegister (KERNEL32.DLL) could not be localized"},
    {19, ErrorKernel32NotLoaded, "The KERNEL32 DLL could not be loaded"},
    {20, ErrorVaskInstanceNull, "The instance handle of VASK.DLL is NULL"},
    {21, ErrorUTRegister, "Error in call to function UTRegister"},
    {22, ErrorThunkNull, "Thunk function is NULL"},
    {23, ErrorUTUnRegisterNotLocalized,
     "The function UTUnRegister (KERNEL32.DLL) could not be localized"},
    {24, ErrorKernel32NotFreed, "The KERNEL32 DLL could not be freed"},
    {25, ErrorInvalidNetworkType, "The network type given is invalid or is not supported"},
    {26, ErrorNetworkNotInitialized, "The network is not initialized"},
    {27, ErrorInvalidMessageType, "Invalid message type"},
    {28, ErrorTooFewParameters, "To few parameters given for the command"},
    {29, ErrorTooManyParameters, "Too many parameters given for the command"},
    {30, ErrorInvalidParameter, "One of the given command parameters is invalid"},
    {31, ErrorWritingIntoInterfaceCompare, "Error while writing into the interface"},
    {32, ErrorWritingIntoInterfaceReadBack, "Error while writing into the interface"},
    {33, ErrorNotYetInitialized, "The communication module is not yet initialized"},
    {34, ErrorAlreadyInitialized, "The communication module is already initialized"},
    {35, ErrorRejectedUnknownCommand, "The VASK device has rejected the command:\nUnknown command"},
    {36, ErrorNoDeviceAtAddress, "No VASK device at the given address"},
    {37, ErrorParameterCount, "Incorrect number of command parameters"},
    {38, ErrorInvalidComponent, "The component number is invalid"},
    {39, ErrorInvalidRange, "The measurement range number is invalid"},
    {40, ErrorFirmwareFileNotOpened, "The firmware file could not be opened"},
    {41, ErrorReadingFirmwareFile, "Error while reading the firmware file"},
    {42, ErrorInvalidFirmwareData, "The firmware file contains invalid data"},
    {43, ErrorMissingColon, "A colon at the beginning of a line is missing"},
    {44, ErrorIncompleteLine, "Incomplete line in the firmware file"},
    {45, ErrorDeviceNotAvailable, "The device is not available"},
    {46, ErrorInvalidConverterType, "Invalid converter type"},
    {47, ErrorDownloadAborted, "Download aborted"},
    {48, ErrorRejectedNotRemote,
     "The VASK device has rejected the command:\nChannel not in remote state (OF)"},
    {49, ErrorRejectedBusy,
     "The VASK device has rejected the command:\nFunction in progress or wrong state (BS)"},
    {50, ErrorRejectedComponent,
     "The VASK device has rejected the command:\nInvalid component number (CE)"},
    {51, ErrorRejectedDataValues,
     "The VASK device has rejected the command:\nInvalid data values (DE)"},
    {52, ErrorRejectedDataCount,
     "The VASK device has rejected the command:\nInvalid data count (SE)"},
    {53, ErrorWin32s, "This version doesn't run on Win32s"},
    {54, ErrorFlashProm, "Flash PROM error during download"},
    {55, ErrorDownloadData, "Data error during download"},
    {56, ErrorDownloadTransmission, "Transmission error during download"},
    {57, ErrorDownloadStartTimeout, "Timeout during initialization of the download"},
    {58, ErrorGatewayDoesNotRespond, "Gateway does not respond"},
    {59, ErrorDcomCreateInstance, "DCOM: Could not create instance"},
    {60, ErrorDcomInterface, "DCOM: Server could not provide interface"},
    {61, ErrorGatewayAlreadyConnected, "Already connected to the gateway"},
    {62, ErrorGatewayConnectionLost, "Connection to gateway lost"},
    {63, ErrorRemoteServerObject, "Error in remote server object"},
    {64, ErrorRemoteLineObject, "Error in remote line object"},
    {65, ErrorNoMoreLineObjects, "No more line objects in enumeration"},
    {66, ErrorNoAck, "No ack from the device"},
    {67, ErrorBufferTooSmall, "Buffer too small"},
    {68, ErrorNoData, "No data available"},
    {69, ErrorInvalidGatewayAddress, "Invalid VASK address in gateway"},
    {70, ErrorOpeningFile, "Error while opening file"},
    {71, ErrorReadingFile, "Error while reading file"},
    {72, ErrorWritingFile, "Error while writing file"},
    {73, ErrorParamSetReadAborted, "Reading of the parameter set aborted by user"},
    {74, ErrorParamSetReadOrder, "Wrong data order while reading the parameter set"},
    {75, ErrorParamSetWriteAborted, "Writing of the parameter set aborted by user"},
    {76, ErrorParamSetWriteUnknown, "Unknown error while writing the parameter set"},
    {77, ErrorParamSetWriteData, "Data error while writing the parameter set"},
    {78, ErrorParamSetWriteOrder, "Wrong data order while writing the parameter set"},
    {80, ErrorParamSetOtherDevice,
     "Warning while writing the parameter set: Data originate from a different device"},
    {81, ErrorParamSetOtherDeviceType,
     "Warning while writing the parameter set: Data originate from a different device type"},
    {82, ErrorParamSetOneChannel,
     "Warning while writing the parameter set: Data were only written for one channel. Please "
     "check."},
};

TEST(SetError, EveryCodeGetsItsTextAndSuffix) {
    for (const ErrorText& e : kErrorTexts) {
        EXPECT_EQ(e.name, e.code) << e.text;
        ErrorStruct_ record;
        SetError(&record, e.name, 0x4B1Aul);
        EXPECT_EQ(record.code, e.code);
        EXPECT_EQ(record.info, 0x4B1Aul);
        std::string expected = std::string(e.text) + " (E" + std::to_string(e.code) + ")";
        EXPECT_STREQ(record.text, expected.c_str()) << "code " << e.code;
    }
}

TEST(SetError, TextsComeFromUtilvaskItselfNotFromTheCaller) {
    // The resource chain searches the program first: it finds the program's string ...
    CString own;
    ASSERT_TRUE(own.LoadString(13009));
    EXPECT_STREQ(own, "The program's own text 13009");
    // ... and, through utilvask's link in the chain, utilvask's strings the program lacks.
    CString chained;
    ASSERT_TRUE(chained.LoadString(13010));
    EXPECT_STREQ(chained, "Too many invalid characters. Receiver is restarted.");
    ASSERT_TRUE(chained.LoadString(12040));
    EXPECT_STREQ(chained,
                 "\xB0"
                 "C");

    // The library's own texts are always its own.
    ErrorStruct_ record;
    SetError(&record, 9, 0);
    EXPECT_STREQ(record.text,
                 "The device does not send a response\nor the response has been missed (E9)");
    EXPECT_STREQ(CBoolParam('F', 1, 1, DT_REQUEST).GetPrompt(),
                 "Me\xDF"
                 "bereich");
}

TEST(SetError, CodesWithoutTextReadAsErrorWithoutMessage) {
    for (int code : {79, 83, 200, -1, 1000000}) {
        ErrorStruct_ record;
        SetError(&record, code, 7);
        std::string expected = "Error without message (E" + std::to_string(code) + ")";
        EXPECT_STREQ(record.text, expected.c_str());
        EXPECT_EQ(record.code, code);
        EXPECT_EQ(record.info, 7ul);
    }
    // Codes far outside the table must not find some other string of the library.
    ErrorStruct_ record;
    SetError(&record, 65536 + 9, 0);  // 13000 + this code is 0x10000 + 13009
    EXPECT_STREQ(record.text, "Error without message (E65545)");
}

TEST(SetError, FlatFormCopiesAtMost255BytesAndTerminates) {
    struct Case {
        int length;
        int kept;
    } cases[] = {{0, 0}, {10, 10}, {254, 254}, {255, 255}, {256, 255}, {300, 255}};
    for (const Case& c : cases) {
        ErrorStruct_ record;
        record.code = 42;
        record.info = 0x4B1A;
        record.text = CString('x', c.length);
        ErrorInfo_ flat;
        memset(&flat, 0x55, sizeof flat);
        SetError(&flat, &record);
        EXPECT_EQ(flat.code, 42);
        EXPECT_EQ(flat.info, 0x4B1Aul);
        EXPECT_EQ(strlen(flat.text), (size_t)c.kept) << c.length;
        EXPECT_EQ(flat.text[255], 0);
        EXPECT_EQ(std::string(flat.text), std::string(c.kept, 'x'));
    }
}

TEST(SetError, FlatFormFilledDirectly) {
    ErrorInfo_ flat;
    memset(&flat, 0x55, sizeof flat);
    SetError(&flat, 9, 0x6B11ul);
    EXPECT_EQ(flat.code, 9);
    EXPECT_EQ(flat.info, 0x6B11ul);
    EXPECT_STREQ(flat.text,
                 "The device does not send a response\nor the response has been missed (E9)");

    // Null records are allowed and leave everything else alone.
    ErrorStruct_ record;
    record.code = 5;
    record.text = "kept";
    SetError((ErrorInfo_*)NULL, &record);
    SetError(&flat, (ErrorStruct_*)NULL);
    SetError((ErrorInfo_*)NULL, 3, 0);
    SetError((ErrorStruct_*)NULL, 3, 0);
    EXPECT_EQ(flat.code, 9);
    EXPECT_EQ(record.code, 5);
    EXPECT_STREQ(record.text, "kept");
}

TEST(DebugSettings, ReturnWhatWasStored) {
    int level = -1;
    unsigned long mask = 1;
    GetDebugSettings(level, mask);
    EXPECT_EQ(level, 0);
    EXPECT_EQ(mask, 0ul);
    SetDebugSettings(7, 0x3Ful);
    GetDebugSettings(level, mask);
    EXPECT_EQ(level, 7);
    EXPECT_EQ(mask, 0x3Ful);
    CString name("trace");
    DebugInitialize(name);
    GetDebugSettings(level, mask);
    EXPECT_EQ(level, 7);
    SetDebugSettings(0, 0);
}

// ---- The trace sink, observed from a child process ------------------------------------

// Runs trace_probe.exe with the given VASK_TRACE settings (null: not set) and returns
// what it wrote to its standard output and error.
std::string RunProbe(const char* traceFile, const char* traceMask) {
    // The child's environment: ours without any VASK_TRACE*, plus the given settings.
    std::string environment;
    LPCH block = GetEnvironmentStringsA();
    for (const char* p = block; *p; p += strlen(p) + 1)
        if (_strnicmp(p, "VASK_TRACE", 10) != 0) environment.append(p, strlen(p) + 1);
    FreeEnvironmentStringsA(block);
    if (traceFile) environment += std::string("VASK_TRACE=") + traceFile + '\0';
    if (traceMask) environment += std::string("VASK_TRACE_MASK=") + traceMask + '\0';
    environment += '\0';

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE readEnd = NULL, writeEnd = NULL;
    EXPECT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    char commandLine[] = "trace_probe.exe";
    BOOL started = CreateProcessA(NULL, commandLine, NULL, NULL, TRUE, 0, &environment[0], NULL,
                                  &startup, &process);
    CloseHandle(writeEnd);
    EXPECT_TRUE(started) << "trace_probe.exe not started, error " << GetLastError();
    std::string output;
    if (started) {
        char chunk[256];
        DWORD n = 0;
        while (ReadFile(readEnd, chunk, sizeof chunk, &n, NULL) && n > 0) output.append(chunk, n);
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD exitCode = 1;
        GetExitCodeProcess(process.hProcess, &exitCode);
        EXPECT_EQ(exitCode, 0u);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    return output;
}

std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + name;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(TraceSink, WritesNothingByDefault) {
    // The probe switches every setting on and traces on every channel.
    EXPECT_EQ(RunProbe(NULL, NULL), "");
}

TEST(TraceSink, WritesEveryChannelIntoTheNamedFileWhenSwitchedOn) {
    std::string path = TempPath("utilvask_trace_all.txt");
    DeleteFileA(path.c_str());
    EXPECT_EQ(RunProbe(path.c_str(), NULL), "");
    EXPECT_EQ(FileText(path),
              "serial out 1\n"
              "serial in 2\n"
              "message out 4\n"
              "message in 8\n"
              "info 16\n"
              "thunk 32\n"
              " continued 0a\n"
              "Error 9, Info = 27409\n"  // SetError with a record
              "Error 83, Info = 0\n"     // with a null record: the line only
              "Error 4, Info = 1\n"      // flat form filled directly
              "TIMER Calibrate: timeCorrection = 0\n");
    DeleteFileA(path.c_str());
}

TEST(TraceSink, MaskLimitsTheChannels) {
    std::string path = TempPath("utilvask_trace_mask.txt");
    DeleteFileA(path.c_str());
    RunProbe(path.c_str(), "0x12");  // serial in and info
    EXPECT_EQ(FileText(path),
              "serial in 2\n"
              "info 16\n"
              " continued 0a\n"
              "Error 9, Info = 27409\n"
              "Error 83, Info = 0\n"
              "Error 4, Info = 1\n"
              "TIMER Calibrate: timeCorrection = 0\n");
    DeleteFileA(path.c_str());
}

}  // namespace
