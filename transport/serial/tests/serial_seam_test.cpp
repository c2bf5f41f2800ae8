// CSerialInterface against a COM port in memory: the order of the comm calls (RTS, echo,
// transmit wait), the line set-up, the error codes of each failing step, and the input
// buffer.
#include <gtest/gtest.h>

#include "fake_comm.h"

namespace {

typedef std::vector<unsigned char> Bytes;

Bytes Cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

SerialParam Param(int type, int softwareRts = 0, int rtsToggle = 0, int dtr = 1, int echo = 0) {
    SerialParam p = {type, softwareRts, rtsToggle, dtr, echo};
    return p;
}

class SerialSeam : public ::testing::Test {
protected:
    // Opens with the given settings and forgets the calls of the opening.
    void OpenWith(const SerialParam& p) {
        ErrorStruct_ err;
        ASSERT_EQ(1, port.Open("COM1", &p, &err)) << err.text;
        mark = comm.calls.size();
        comm.written.clear();
    }
    std::string CallsSinceOpen() const { return comm.Calls(mark); }

    FakeComm comm;
    CSerialInterface port;
    size_t mark = 0;
};

// ---- Opening the line ----

TEST_F(SerialSeam, ConverterTypeOutsideOneToSixIsRefusedBeforeThePortIsTouched) {
    for (int type : {0, 7, -1, 100}) {
        SerialParam p = Param(type);
        ErrorStruct_ err;
        EXPECT_EQ(0, port.Open("COM1", &p, &err)) << type;
        EXPECT_EQ(46, err.code) << type;
    }
    ErrorStruct_ err;
    EXPECT_EQ(0, port.Open("COM1", nullptr, &err));
    EXPECT_EQ(46, err.code) << "no settings at all";
    EXPECT_TRUE(comm.calls.empty()) << comm.Calls();
}

TEST_F(SerialSeam, OpenSetsUpTheLineAt9600Baud8N1) {
    struct Case {
        int rtsToggle, dtr;
        DWORD rtsControl, dtrControl;
    } cases[] = {{0, 0, RTS_CONTROL_DISABLE, DTR_CONTROL_DISABLE},
                 {1, 1, RTS_CONTROL_TOGGLE, DTR_CONTROL_ENABLE},
                 {0, 1, RTS_CONTROL_DISABLE, DTR_CONTROL_ENABLE},
                 {2, 2, RTS_CONTROL_DISABLE, DTR_CONTROL_DISABLE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "toggle " << c.rtsToggle << " dtr " << c.dtr);
        // Start from a line left in a state that must all be overwritten.
        comm.dcb.fParity = TRUE;
        comm.dcb.fOutxCtsFlow = TRUE;
        comm.dcb.fOutX = TRUE;
        comm.dcb.fInX = TRUE;
        comm.dcb.fAbortOnError = TRUE;
        comm.dcb.fNull = TRUE;
        comm.dcb.BaudRate = 19200;
        comm.dcb.ByteSize = 7;
        comm.dcb.Parity = EVENPARITY;
        comm.dcb.StopBits = TWOSTOPBITS;
        SerialParam p = Param(2, 0, c.rtsToggle, c.dtr);
        ErrorStruct_ err;
        ASSERT_EQ(1, port.Open("COM1", &p, &err)) << err.text;
        EXPECT_EQ(9600u, comm.dcb.BaudRate);
        EXPECT_EQ(8, comm.dcb.ByteSize);
        EXPECT_EQ(NOPARITY, comm.dcb.Parity);
        EXPECT_EQ(ONESTOPBIT, comm.dcb.StopBits);
        EXPECT_TRUE(comm.dcb.fBinary);
        EXPECT_FALSE(comm.dcb.fParity);
        EXPECT_FALSE(comm.dcb.fOutxCtsFlow);
        EXPECT_FALSE(comm.dcb.fOutxDsrFlow);
        EXPECT_FALSE(comm.dcb.fDsrSensitivity);
        EXPECT_FALSE(comm.dcb.fOutX);
        EXPECT_FALSE(comm.dcb.fInX);
        EXPECT_FALSE(comm.dcb.fNull);
        EXPECT_FALSE(comm.dcb.fAbortOnError);
        EXPECT_TRUE(comm.dcb.fTXContinueOnXoff);
        EXPECT_EQ(c.rtsControl, comm.dcb.fRtsControl);
        EXPECT_EQ(c.dtrControl, comm.dcb.fDtrControl);
        EXPECT_EQ((DWORD)(EV_TXEMPTY | EV_ERR), comm.mask);
        EXPECT_EQ(1000u, comm.inQueue);
        EXPECT_EQ(1000u, comm.outQueue);
        EXPECT_EQ(1u, comm.timeouts.ReadIntervalTimeout);
        EXPECT_EQ(0u, comm.timeouts.ReadTotalTimeoutMultiplier);
        EXPECT_EQ(2u, comm.timeouts.ReadTotalTimeoutConstant);
        EXPECT_EQ(1u, comm.timeouts.WriteTotalTimeoutMultiplier);
        EXPECT_EQ(5u, comm.timeouts.WriteTotalTimeoutConstant);
        EXPECT_TRUE(comm.written.empty()) << "only converter type 1 gets a zero byte";
        port.Close(nullptr);
    }
    EXPECT_EQ(comm.opened, comm.closed);
}

TEST_F(SerialSeam, ConverterType1GetsOneZeroByteAtOpen) {
    SerialParam p = Param(1);
    ErrorStruct_ err;
    ASSERT_EQ(1, port.Open("COM1", &p, &err)) << err.text;
    EXPECT_EQ(Bytes({0x00}), comm.written);
}

TEST_F(SerialSeam, EachFailingStepOfOpenHasItsCodeAndClosesThePortAgain) {
    struct Case {
        const char* call;
        int code;
    } cases[] = {{"SetCommMask", 13},
                 {"SetupComm", 14},
                 {"SetCommTimeouts", 15},
                 {"GetCommState", 16},
                 {"SetCommState", 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        comm.failCall = c.call;
        comm.opened = comm.closed = 0;
        SerialParam p = Param(2);
        ErrorStruct_ err;
        EXPECT_EQ(0, port.Open("COM1", &p, &err));
        EXPECT_EQ(c.code, err.code);
        EXPECT_EQ(1, comm.opened);
        EXPECT_EQ(1, comm.closed) << "the handle must not stay open";
        EXPECT_FALSE(port.IsOpen());
    }
}

TEST_F(SerialSeam, APortThatCannotBeOpenedReportsTheSystemErrorAsInfo) {
    comm.createError = ERROR_FILE_NOT_FOUND;
    SerialParam p = Param(2);
    ErrorStruct_ err;
    EXPECT_EQ(0, port.Open("COM7", &p, &err));
    EXPECT_EQ(12, err.code);
    EXPECT_EQ((unsigned long)ERROR_FILE_NOT_FOUND, err.info);
}

TEST_F(SerialSeam, PortNamesAreOpenedThroughTheDeviceNamespace) {
    // Ports above COM9 open only so.
    SerialParam p = Param(2);
    ASSERT_EQ(1, port.Open("COM12", &p, nullptr));
    EXPECT_EQ("\\\\.\\COM12", comm.openedName);
    port.Close(nullptr);
    ASSERT_EQ(1, port.Open("\\\\.\\COM3", &p, nullptr));
    EXPECT_EQ("\\\\.\\COM3", comm.openedName);
}

TEST_F(SerialSeam, ASecondOpenClosesTheFirstHandle) {
    SerialParam p = Param(2);
    ASSERT_EQ(1, port.Open("COM1", &p, nullptr));
    ASSERT_EQ(1, port.Open("COM1", &p, nullptr));
    EXPECT_EQ(2, comm.opened);
    EXPECT_EQ(1, comm.closed);
}

TEST_F(SerialSeam, CloseClearsTheMaskPurgesEverythingAndClosesOnce) {
    OpenWith(Param(2));
    EXPECT_EQ(1, port.Close(nullptr));
    EXPECT_EQ("SetCommMask PurgeComm CloseHandle", CallsSinceOpen());
    EXPECT_EQ(0u, comm.mask);
    EXPECT_EQ((DWORD)(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR), comm.purged);
    EXPECT_EQ(1, port.Close(nullptr));
    EXPECT_EQ(1, comm.closed) << "closing twice closes the handle once";
}

TEST_F(SerialSeam, TheDestructorClosesAnOpenPort) {
    {
        CSerialInterface other;
        SerialParam p = Param(2);
        ASSERT_EQ(1, other.Open("COM1", &p, nullptr));
    }
    EXPECT_EQ(1, comm.closed);
}

// ---- RTS switching ----

TEST_F(SerialSeam, SoftwareRtsFramesTheWriteWithTenMillisecondsLead) {
    OpenWith(Param(2, 1, 0, 1, 0));
    ASSERT_EQ(1, port.Write(Bytes{1, 2, 3}.data(), 3, nullptr));
    EXPECT_EQ("SETRTS Delay10 WriteFile WaitCommEvent CLRRTS", CallsSinceOpen());
    EXPECT_EQ(Bytes({1, 2, 3}), comm.written);
}

TEST_F(SerialSeam, WithDriverToggleOnThePortDoesNotSwitchRts) {
    OpenWith(Param(2, 1, 1, 1, 0));
    ASSERT_EQ(1, port.Write(Bytes{1}.data(), 1, nullptr));
    EXPECT_EQ("WriteFile WaitCommEvent", CallsSinceOpen());
}

TEST_F(SerialSeam, ARefusedRaiseOfRtsDropsItAndWritesNothing) {
    OpenWith(Param(2, 1, 0, 1, 0));
    comm.failCall = "SETRTS";
    ErrorStruct_ err;
    EXPECT_EQ(0, port.Write(Bytes{1}.data(), 1, &err));
    EXPECT_EQ(3, err.code);
    EXPECT_EQ("SETRTS CLRRTS", CallsSinceOpen());
    EXPECT_TRUE(comm.written.empty());
}

TEST_F(SerialSeam, AFailedWriteStillDropsRts) {
    OpenWith(Param(2, 1, 0, 1, 0));
    comm.failCall = "WriteFile";
    ErrorStruct_ err;
    EXPECT_EQ(0, port.Write(Bytes{1}.data(), 1, &err));
    EXPECT_EQ(3, err.code);
    EXPECT_EQ("SETRTS Delay10 WriteFile CLRRTS", CallsSinceOpen());
}

TEST_F(SerialSeam, ARefusedDropOfRtsFailsTheWrite) {
    OpenWith(Param(2, 1, 0, 1, 0));
    comm.failCall = "CLRRTS";
    ErrorStruct_ err;
    EXPECT_EQ(0, port.Write(Bytes{1}.data(), 1, &err));
    EXPECT_EQ(3, err.code);
    EXPECT_EQ(Bytes({1}), comm.written) << "the bytes themselves went out";
}

// ---- Writes: transmit wait and echo check ----

TEST_F(SerialSeam, WriteFailuresOfTheTransmitPath) {
    struct Case {
        const char* what;
        const char* failCall;
        DWORD shortWrite;
        DWORD event;
        int result, code;
    } cases[] = {{"all went out", "", 0, EV_TXEMPTY, 1, 0},
                 {"WriteFile refused", "WriteFile", 0, EV_TXEMPTY, 0, 3},
                 {"short write", "", 1, EV_TXEMPTY, 0, 3},
                 {"wait refused", "WaitCommEvent", 0, EV_TXEMPTY, 0, 3},
                 {"line error during the wait", "", 0, EV_ERR, 0, 3},
                 {"other event is only traced", "", 0, EV_RXCHAR, 1, 0}};
    OpenWith(Param(2));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        comm.failCall = c.failCall;
        comm.shortWrite = c.shortWrite;
        comm.commEvent = c.event;
        ErrorStruct_ err;
        EXPECT_EQ(c.result, port.Write(Bytes{1, 2, 3}.data(), 3, &err));
        EXPECT_EQ(c.code, err.code);
    }
}

TEST_F(SerialSeam, EchoCheckResults) {
    struct Case {
        const char* what;
        bool echo;
        int corruptAt;
        size_t perRead;
        const char* failCall;
        int result, code;
    } cases[] = {{"echo as written", true, -1, 100000, "", 1, 0},
                 {"echo in one-byte pieces", true, -1, 1, "", 1, 0},
                 {"no echo at all", false, -1, 100000, "", 0, 32},
                 {"one byte differs", true, 2, 100000, "", 0, 31},
                 {"first byte differs", true, 0, 100000, "", 0, 31},
                 {"the echo read fails", true, -1, 100000, "ReadFile", 0, 32}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenWith(Param(2, 0, 0, 1, 1));
        comm.echo = c.echo;
        comm.echoCorruptAt = c.corruptAt;
        comm.maxPerRead = c.perRead;
        comm.failCall = c.failCall;
        comm.failAfter = 1;  // the fetch before the write goes through
        ErrorStruct_ err;
        EXPECT_EQ(c.result, port.Write(Bytes{0x10, 0x01, 0x20, 0xD0}.data(), 4, &err));
        EXPECT_EQ(c.code, err.code);
        EXPECT_EQ(std::string::npos, CallsSinceOpen().find("WaitCommEvent"))
            << "the echo replaces the wait";
        comm.failCall.clear();
        comm.input.clear();
        port.Close(nullptr);
    }
}

TEST_F(SerialSeam, EchoErrorsCarryTheSameTextButDifferentCodes) {
    ErrorStruct_ a, b;
    SetError(&a, 31, 0);
    SetError(&b, 32, 0);
    EXPECT_EQ(a.text.Left(a.text.Find(" (E")), b.text.Left(b.text.Find(" (E")));
    EXPECT_NE(a.text, b.text);
}

TEST_F(SerialSeam, AWriteOfMoreThan256BytesSkipsTheEchoCheck) {
    OpenWith(Param(2, 0, 0, 1, 1));
    Bytes big(257, 0x55);
    ErrorStruct_ err;
    EXPECT_EQ(1, port.Write(big.data(), 257, &err))
        << err.text << " (no echo is there, none is read)";
    EXPECT_EQ("WriteFile WaitCommEvent", CallsSinceOpen());
    Bytes limit(256, 0x55);
    comm.echo = true;
    EXPECT_EQ(1, port.Write(limit.data(), 256, &err)) << err.text;
}

TEST_F(SerialSeam, BytesThatCameBeforeAWriteAreNoEchoAndAreReadLater) {
    OpenWith(Param(2, 0, 0, 1, 1));
    comm.echo = true;
    comm.Give({0xAA, 0xBB});
    ErrorStruct_ err;
    ASSERT_EQ(1, port.Write(Bytes{1, 2}.data(), 2, &err)) << err.text;
    unsigned char got[10];
    int n = 0;
    ASSERT_EQ(1, port.Read(got, 10, n, &err));
    EXPECT_EQ(Bytes({0xAA, 0xBB}), Bytes(got, got + n));
}

// The fetch before a write waits for the line to settle only where an echo is compared;
// otherwise waiting would delay every telegram by the read timeout.
TEST_F(SerialSeam, TheFetchBeforeAWriteWaitsOnlyForAnEchoCheck) {
    struct Case {
        const char* what;
        int echoCheck;
        size_t length;
        DWORD interval, total;
    } cases[] = {{"no echo check: takes what is there", 0, 3, MAXDWORD, 0},
                 {"echo check: the longer timeouts", 1, 3, 2, 4},
                 {"more than 256 bytes, no echo compared", 1, 257, MAXDWORD, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenWith(Param(2, 0, 0, 1, c.echoCheck));
        comm.echo = c.echoCheck == 1;
        comm.Give({0xAA});
        comm.timeoutHistory.clear();
        Bytes data(c.length, 0x55);
        ErrorStruct_ err;
        ASSERT_EQ(1, port.Write(data.data(), (int)data.size(), &err)) << err.text;
        ASSERT_EQ(2u, comm.timeoutHistory.size());
        EXPECT_EQ(c.interval, comm.timeoutHistory[0].ReadIntervalTimeout);
        EXPECT_EQ(0u, comm.timeoutHistory[0].ReadTotalTimeoutMultiplier);
        EXPECT_EQ(c.total, comm.timeoutHistory[0].ReadTotalTimeoutConstant);
        EXPECT_EQ(1u, comm.timeoutHistory[1].ReadIntervalTimeout)
            << "the port's own timeouts afterwards";
        EXPECT_EQ(2u, comm.timeoutHistory[1].ReadTotalTimeoutConstant);
        unsigned char got[4];
        int n = 0;
        ASSERT_EQ(1, port.Read(got, 4, n, &err));
        EXPECT_EQ(Bytes({0xAA}), Bytes(got, got + n)) << "the earlier byte is read after the write";
        comm.input.clear();
        port.Close(nullptr);
    }
}

// Without an echo check an empty receive queue is not read before the write: the telegram
// would only wait for the read's calls. What comes afterwards is read as before.
TEST_F(SerialSeam, AWriteWithNothingQueuedGoesOutWithoutARead) {
    OpenWith(Param(2, 0, 0, 1, 0));
    comm.timeoutHistory.clear();
    ErrorStruct_ err;
    ASSERT_EQ(1, port.Write(Bytes{1, 2}.data(), 2, &err)) << err.text;
    EXPECT_EQ("WriteFile WaitCommEvent", CallsSinceOpen());
    EXPECT_TRUE(comm.timeoutHistory.empty()) << "no timeouts switched for a read";
    comm.Give({0xAA});
    unsigned char got[4];
    int n = 0;
    ASSERT_EQ(1, port.Read(got, 4, n, &err));
    EXPECT_EQ(Bytes({0xAA}), Bytes(got, got + n));
}

TEST_F(SerialSeam, EarlierBytesAreKeptApartFromTheEchoEvenWhenTheBufferIsFull) {
    OpenWith(Param(2, 0, 0, 1, 1));
    // A full input buffer of which only part has been read out.
    comm.Give(Bytes(1000, 0x11));
    unsigned char got[1000];
    int n = 0;
    ASSERT_EQ(1, port.Read(got, 600, n, nullptr));
    ASSERT_EQ(600, n);
    comm.Give(Bytes(20, 0x22));  // arrive before the write
    comm.echo = true;
    ErrorStruct_ err;
    ASSERT_EQ(1, port.Write(Bytes{1, 2, 3}.data(), 3, &err)) << err.text;
    Bytes all;
    while (port.Read(got, 1000, n, nullptr) && n > 0) all.insert(all.end(), got, got + n);
    EXPECT_EQ(Cat(Bytes(400, 0x11), Bytes(20, 0x22)), all);
}

// ---- Reads ----

TEST_F(SerialSeam, ReadHandsOutBufferedBytesInPieces) {
    OpenWith(Param(2));
    comm.Give({1, 2, 3, 4, 5});
    unsigned char got[3];
    int n = -1;
    ASSERT_EQ(1, port.Read(got, 2, n, nullptr));
    EXPECT_EQ(Bytes({1, 2}), Bytes(got, got + n));
    ASSERT_EQ(1, port.Read(got, 3, n, nullptr));
    EXPECT_EQ(Bytes({3, 4, 5}), Bytes(got, got + n));
    EXPECT_EQ("ReadFile", CallsSinceOpen()) << "one fetch for all five bytes";
    ASSERT_EQ(1, port.Read(got, 3, n, nullptr));
    EXPECT_EQ(0, n) << "nothing there";
}

TEST_F(SerialSeam, AReadWithoutBufferOnlyFetchesAndTellsTheCount) {
    OpenWith(Param(2));
    comm.timeoutHistory.clear();
    comm.Give({7, 8, 9});
    int n = -1;
    ASSERT_EQ(1, port.Read(nullptr, 0, n, nullptr));
    EXPECT_EQ(3, n);
    ASSERT_EQ(2u, comm.timeoutHistory.size());
    EXPECT_EQ(2u, comm.timeoutHistory[0].ReadIntervalTimeout) << "longer timeouts while fetching";
    EXPECT_EQ(4u, comm.timeoutHistory[0].ReadTotalTimeoutConstant);
    EXPECT_EQ(1u, comm.timeoutHistory[1].ReadIntervalTimeout) << "and back afterwards";
    unsigned char got[5];
    ASSERT_EQ(1, port.Read(got, 5, n, nullptr));
    EXPECT_EQ(Bytes({7, 8, 9}), Bytes(got, got + n));
}

TEST_F(SerialSeam, TheReceiveTimeFollowsReadsThatBroughtBytes) {
    OpenWith(Param(2));
    EXPECT_EQ(0u, port.GetRecvTime());
    unsigned char got[4];
    int n = 0;
    port.Read(got, 4, n, nullptr);
    EXPECT_EQ(0u, port.GetRecvTime()) << "an empty read is no receipt";
    comm.Give({1});
    port.Read(got, 4, n, nullptr);
    EXPECT_NE(0u, port.GetRecvTime());
}

TEST_F(SerialSeam, AVanishedPortFailsReadsAndWritesWithoutHanging) {
    OpenWith(Param(2));
    comm.failCall = "ReadFile";
    unsigned char got[4];
    int n = -1;
    ErrorStruct_ err;
    EXPECT_EQ(0, port.Read(got, 4, n, &err));
    EXPECT_EQ(5, err.code);
    EXPECT_EQ(0, n);
    int ticks = 0;
    EXPECT_EQ(0, port.Read(nullptr, 0, ticks, &err));
    EXPECT_EQ(1u, comm.timeouts.ReadIntervalTimeout) << "timeouts restored after a failed fetch";
    comm.failCall = "WriteFile";
    EXPECT_EQ(0, port.Write(Bytes{1}.data(), 1, &err));
    EXPECT_EQ(3, err.code);
}

TEST_F(SerialSeam, AClosedPortRefusesReadsAndWritesWithoutCallingTheSystem) {
    ErrorStruct_ err;
    unsigned char got[4];
    int n = -1;
    EXPECT_EQ(0, port.Read(got, 4, n, &err));
    EXPECT_EQ(5, err.code);
    EXPECT_EQ(0, port.Write(got, 1, &err));
    EXPECT_EQ(3, err.code);
    EXPECT_TRUE(comm.calls.empty()) << comm.Calls();
}

TEST_F(SerialSeam, AnInputOverflowPurgesTheDriverInput) {
    OpenWith(Param(2));
    comm.commErrors = CE_RXOVER;
    comm.purged = 0;
    unsigned char got[4];
    int n = 0;
    port.Read(got, 4, n, nullptr);
    EXPECT_EQ((DWORD)(PURGE_RXABORT | PURGE_RXCLEAR), comm.purged);
}

}  // namespace
