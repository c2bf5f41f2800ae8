// The COM port of a bus converter.
#include "serialinterface.h"

#include "mtimer.h"
#include "vask32_seams.h"

#include <string.h>

namespace {

// The library's own timer for the RTS lead; it lives as long as the library.
CMTimer g_timer;

void PlatformDelay(unsigned long ms) { g_timer.Delay(ms); }

const SerialPlatform kPlatform = {CreateFileA, GetCommState,   SetCommState,       SetCommTimeouts,
                                  SetCommMask, SetupComm,      ReadFile,           WriteFile,
                                  PurgeComm,   ClearCommError, EscapeCommFunction, WaitCommEvent,
                                  CloseHandle, PlatformDelay};
SerialPlatform g_os = kPlatform;

unsigned long Now() {
    unsigned long low, high;
    CMTimer::GetTime(low, high);
    return low;
}

// "COM10" and above open only through the device namespace; "COM1" opens either way.
CString DevicePath(const CString& port) {
    if (port.GetLength() >= 2 && port[0] == '\\' && port[1] == '\\') return port;
    return CString("\\\\.\\") + port;
}

}  // namespace

void SetSerialPlatform(const SerialPlatform* platform) {
    g_os = kPlatform;
    if (platform == NULL) return;
#define VASK_TAKE(member) \
    if (platform->member) g_os.member = platform->member
    VASK_TAKE(createFile);
    VASK_TAKE(getCommState);
    VASK_TAKE(setCommState);
    VASK_TAKE(setCommTimeouts);
    VASK_TAKE(setCommMask);
    VASK_TAKE(setupComm);
    VASK_TAKE(readFile);
    VASK_TAKE(writeFile);
    VASK_TAKE(purgeComm);
    VASK_TAKE(clearCommError);
    VASK_TAKE(escapeCommFunction);
    VASK_TAKE(waitCommEvent);
    VASK_TAKE(closeHandle);
    VASK_TAKE(delay);
#undef VASK_TAKE
}

CSerialInterface::CSerialInterface()
    : m_handle(INVALID_HANDLE_VALUE), m_readPos(0), m_fill(0), m_recvTime(0) {
    memset(m_buffer, 0, sizeof m_buffer);
    memset(&m_param, 0, sizeof m_param);
}

CSerialInterface::~CSerialInterface() {
    if (m_handle != INVALID_HANDLE_VALUE) Close(NULL);
}

int CSerialInterface::Open(const CString& port, const SerialParam* param, ErrorStruct_* err) {
    if (param == NULL || param->converterType < 1 || param->converterType > 6) {
        SetError(err, ErrorInvalidConverterType, 0);
        return 0;
    }
    // A second Open must not leave the first handle open behind it.
    if (m_handle != INVALID_HANDLE_VALUE) Close(NULL);
    m_param = *param;

    HANDLE h = g_os.createFile(DevicePath(port), GENERIC_READ | GENERIC_WRITE, 0, NULL,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) {
        SetError(err, ErrorOpeningInterface, GetLastError());
        return 0;
    }
    int code = ErrorNone;
    if (!g_os.setCommMask(h, EV_TXEMPTY | EV_ERR))
        code = ErrorSetCommMask;
    else if (!g_os.setupComm(h, BufferSize, BufferSize))
        code = ErrorSetupComm;
    else if (!SetTimeouts(h, 1))
        code = ErrorSetCommTimeouts;
    if (code == ErrorNone) {
        m_readPos = 0;
        m_fill = 0;
        // The zero byte of converter type 1 goes out through Write, which needs the handle.
        m_handle = h;
        if (!SetDeviceState(h)) code = ErrorSetDeviceState;
    }
    if (code != ErrorNone) {
        g_os.closeHandle(h);
        m_handle = INVALID_HANDLE_VALUE;
        SetError(err, code, 0);
        return 0;
    }
    GetError("Init");
    return 1;
}

int CSerialInterface::SetTimeouts(HANDLE handle, DWORD t) {
    COMMTIMEOUTS timeouts;
    timeouts.ReadIntervalTimeout = t;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 2 * t;
    timeouts.WriteTotalTimeoutMultiplier = 1;
    timeouts.WriteTotalTimeoutConstant = 5;
    return g_os.setCommTimeouts(handle, &timeouts) ? 1 : 0;
}

int CSerialInterface::SetDeviceState(HANDLE handle) {
    DCB dcb;
    memset(&dcb, 0, sizeof dcb);
    dcb.DCBlength = sizeof dcb;
    if (!g_os.getCommState(handle, &dcb)) return 0;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.XonLim = 1;
    dcb.XoffLim = 1;
    dcb.fRtsControl = m_param.rtsToggle == 1 ? RTS_CONTROL_TOGGLE : RTS_CONTROL_DISABLE;
    dcb.fDtrControl = m_param.assertDtr == 1 ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    if (!g_os.setCommState(handle, &dcb)) return 0;
    if (m_param.converterType == 1) {
        const unsigned char zero = 0;
        Write(&zero, 1, NULL);
    }
    return 1;
}

DWORD CSerialInterface::GetError(const char* step, DWORD* waiting) {
    DWORD flags = 0;
    COMSTAT stat;
    memset(&stat, 0, sizeof stat);
    if (waiting != NULL) *waiting = 1;  // unknown: as if something had come
    if (!g_os.clearCommError(m_handle, &flags, &stat)) {
        DWORD reason = GetLastError();
        TRACE_INFO(5, "ClearCommError failed, reason = %.8lx\n", reason);
        return reason;
    }
    if (waiting != NULL) *waiting = stat.cbInQue;
    if (flags != 0) {
        if ((flags & CE_FRAME) == 0) TRACE_INFO(4, "%s Error %.8lx\n", step, flags);
        if (flags & CE_RXOVER) {
            g_os.purgeComm(m_handle, PURGE_RXABORT | PURGE_RXCLEAR);
            if (waiting != NULL) *waiting = 0;
        }
    }
    return flags;
}

// Reads what the device has sent into the input buffer behind the bytes not yet handed
// out. Any but the normal wait is a fetch without a buffer, which reports the number in
// count.
int CSerialInterface::Fetch(FetchWait wait, int& count, ErrorStruct_* err) {
    const int tellCount = wait != FetchNormal;
    // Unread bytes move to the front, so that a fetch always has room for new ones;
    // otherwise bytes that came before a write could be taken for its echo.
    if (m_readPos > 0) {
        int rest = m_fill > m_readPos ? m_fill - m_readPos : 0;
        if (rest > 0) memmove(m_buffer, m_buffer + m_readPos, (size_t)rest);
        m_fill = rest;
        m_readPos = 0;
    }
    if (wait == FetchLonger) {
        SetTimeouts(m_handle, 2);
    } else if (wait == FetchNoWait) {
        // A read that returns at once with what has arrived.
        COMMTIMEOUTS timeouts = {MAXDWORD, 0, 0, 1, 5};
        g_os.setCommTimeouts(m_handle, &timeouts);
    }
    GetError("Before Read");
    DWORD got = 0;
    BOOL ok = g_os.readFile(m_handle, m_buffer + m_fill, (DWORD)(BufferSize - m_fill), &got, NULL);
    if (!ok) {
        DWORD flags = GetError("Read");
        if (tellCount) SetTimeouts(m_handle, 1);
        SetError(err, ErrorReadingInterface, flags);
        return 0;
    }
    if (got > (DWORD)(BufferSize - m_fill)) got = (DWORD)(BufferSize - m_fill);
    if (tellCount) {
        count = (int)got;
        SetTimeouts(m_handle, 1);
    }
    GetError("Read");
    m_fill += (int)got;
    if (got > 0) {
        TRACE_SERIALIN(7, "Read:");
        for (int k = m_readPos; k < m_fill && k < m_readPos + 50; ++k)
            TRACE_SERIALIN(-7, " %.2x", m_buffer[k]);
        TRACE_SERIALIN(-7, "\n");
        m_recvTime = Now();
    }
    return 1;
}

int CSerialInterface::Read(unsigned char* buffer, int max, int& count, ErrorStruct_* err) {
    count = 0;
    if (m_handle == INVALID_HANDLE_VALUE) {
        SetError(err, ErrorReadingInterface, 0);
        return 0;
    }
    if (buffer == NULL) return Fetch(FetchLonger, count, err);
    if (m_readPos >= m_fill) {
        m_readPos = 0;
        m_fill = 0;
        int ignored = 0;
        if (!Fetch(FetchNormal, ignored, err)) return 0;
    }
    int n = m_fill - m_readPos;
    if (max < n) n = max;
    if (n < 0) n = 0;
    memcpy(buffer, m_buffer + m_readPos, (size_t)n);
    m_readPos += n;
    count = n;
    return 1;
}

int CSerialInterface::Write(const unsigned char* bytes, int n, ErrorStruct_* err) {
    if (m_handle == INVALID_HANDLE_VALUE) {
        SetError(err, ErrorWritingInterface, 0);
        return 0;
    }
    if (bytes == NULL || n < 0) n = 0;
    TRACE_SERIALOUT(7, "Msg at port:");
    for (int k = 0; k < n; ++k) TRACE_SERIALOUT(-7, " %.2x", bytes[k]);
    TRACE_SERIALOUT(-7, "\n");

    // Whatever arrived before this write is no echo of it. The echo check lets the line
    // settle first; without it, what is there is taken at once: waiting would only delay
    // every telegram by the read timeout.
    const bool echoCheck = m_param.readEcho == 1 && n <= EchoMax;
    int pending = 0;
    DWORD waiting = 1;
    if (echoCheck) {
        Read(NULL, 0, pending, NULL);
    } else {
        // Nothing in the driver's queue: a read would only cost its calls, and the
        // telegram waits for them.
        GetError("Before Write", &waiting);
        if (waiting != 0) Fetch(FetchNoWait, pending, NULL);
    }

    const bool softwareRts = m_param.softwareRts == 1 && m_param.rtsToggle == 0;
    if (softwareRts) {
        if (!g_os.escapeCommFunction(m_handle, SETRTS)) {
            SetError(err, ErrorWritingInterface, GetError("Set RTS"));
            g_os.escapeCommFunction(m_handle, CLRRTS);
            return 0;
        }
        g_os.delay(10);
    }

    int result = 1;
    // The error flags were just taken when nothing was read and no RTS was switched.
    if (echoCheck || waiting != 0 || softwareRts) GetError("Before Write");
    DWORD written = 0;
    BOOL ok = g_os.writeFile(m_handle, bytes, (DWORD)n, &written, NULL);
    if (!ok || written < (DWORD)n) {
        if (ok) TRACE_SERIALOUT(4, "WriteFile wrote only %lu bytes\n", written);
        SetError(err, ErrorWritingInterface, GetError("WriteFile"));
        result = 0;
    } else if (echoCheck) {
        GetError("Write");
        unsigned char echo[EchoMax];
        int got = 0;
        bool readFailed = false;
        for (int reads = 0; got < n && reads < 200; ++reads) {
            DWORD one = 0;
            if (!g_os.readFile(m_handle, echo + got, (DWORD)(n - got), &one, NULL)) {
                readFailed = true;
                break;
            }
            if (one > (DWORD)(n - got)) one = (DWORD)(n - got);
            TRACE_SERIALOUT(6, "%lu bytes read\n", one);
            got += (int)one;
        }
        for (int k = 0; k < got; ++k) TRACE_SERIALOUT(-7, "%.2x ", echo[k]);
        TRACE_SERIALOUT(-7, "\n");
        if (n > 0)
            TRACE_SERIALOUT(4, "Last byte written: %.2x, read: %.2x\n", bytes[n - 1],
                            got > 0 ? echo[got - 1] : 0);
        if (readFailed) {
            SetError(err, ErrorWritingIntoInterfaceReadBack, GetError("Read after write"));
            result = 0;
        } else if (got < n) {
            SetError(err, ErrorWritingIntoInterfaceReadBack, GetError("Read bytes"));
            result = 0;
        } else if (memcmp(echo, bytes, (size_t)n) != 0) {
            SetError(err, ErrorWritingIntoInterfaceCompare, GetError("Compare"));
            result = 0;
        }
    } else {
        GetError("Write");
        DWORD event = 0;
        BOOL waited = g_os.waitCommEvent(m_handle, &event, NULL);
        if (!waited || (event & EV_ERR)) {
            SetError(err, ErrorWritingInterface, GetError("WaitCommEvent"));
            result = 0;
        } else if (event != EV_TXEMPTY) {
            TRACE_SERIALOUT(2, "Unexpected event %.8lx in WaitCommEvent\n", event);
        }
    }

    if (softwareRts && !g_os.escapeCommFunction(m_handle, CLRRTS)) {
        SetError(err, ErrorWritingInterface, GetError("Clear RTS"));
        result = 0;
    }
    return result;
}

int CSerialInterface::Close(ErrorStruct_*) {
    if (m_handle == INVALID_HANDLE_VALUE) return 1;
    GetError("Before Close");
    g_os.setCommMask(m_handle, 0);
    g_os.purgeComm(m_handle, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    g_os.closeHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
    m_readPos = 0;
    m_fill = 0;
    return 1;
}
