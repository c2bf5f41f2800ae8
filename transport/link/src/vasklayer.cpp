// The telegram link layer of the Vask bus.
#include "vasklayer.h"

#include "vask_seams.h"
#include "vaskport.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <new>
#include <vector>

namespace {

const unsigned char DLE = 0x10;
const unsigned char SOT = 0x01;
const unsigned char ETX = 0x03;
const unsigned char ACK = 0x06;
const unsigned char NAK = 0x15;

// The bus cycle as all layers of the process see it; a torn read only shifts one gap.
double g_phase[CvaskLayer::Devices];
unsigned long g_time[CvaskLayer::Devices];

CvaskLayerSeams g_seams = {NULL, NULL, NULL};

struct CrcTable {
    unsigned short entry[256];
    CrcTable() {
        for (int i = 0; i < 256; ++i) {
            unsigned short v = (unsigned short)i;
            for (int k = 0; k < 8; ++k)
                v = (v & 1) ? (unsigned short)((v >> 1) ^ 0xA001) : (unsigned short)(v >> 1);
            entry[i] = v;
        }
    }
};

const CrcTable& Table() {
    static const CrcTable table;
    return table;
}

int IsCommand(const unsigned char* body, int length, char letter, int function) {
    return length >= 2 && body[0] == (unsigned char)letter && body[1] == function;
}

}  // namespace

void SetLayerSeams(const CvaskLayerSeams* seams) {
    if (seams == NULL)
        memset(&g_seams, 0, sizeof g_seams);
    else
        g_seams = *seams;
}

double CvaskLayer::GetBroadcastPhase(int device) {
    return device >= 0 && device < Devices ? g_phase[device] : 0.0;
}

void CvaskLayer::SetBroadcastPhase(int device, double phase) {
    if (device >= 0 && device < Devices) g_phase[device] = phase;
}

unsigned long CvaskLayer::GetBroadcastTime(int device) {
    return device >= 0 && device < Devices ? g_time[device] : 0;
}

void CvaskLayer::SetBroadcastTime(int device, unsigned long time) {
    if (device >= 0 && device < Devices) g_time[device] = time;
}

unsigned short CvaskLayer::Crc(const unsigned char* bytes, int n) {
    const CrcTable& table = Table();
    unsigned short crc = 0xFFFF;
    for (int k = 0; k < n; ++k)
        crc = (unsigned short)((crc >> 8) ^ table.entry[(crc ^ bytes[k]) & 0xFF]);
    return crc;
}

int CvaskLayer::BuildTelegram(const CvaskAddress& destination, const CvaskAddress& source,
                              const unsigned char* body, int length, unsigned char* out) {
    unsigned char* cursor = out;
    *cursor++ = DLE;
    *cursor++ = SOT;
    destination.Write(cursor);
    source.Write(cursor);
    for (int k = 0; k < length; ++k) {
        *cursor++ = body[k];
        if (body[k] == DLE) *cursor++ = DLE;
    }
    *cursor++ = DLE;
    *cursor++ = ETX;
    unsigned short crc = Crc(out, (int)(cursor - out));
    *cursor++ = (unsigned char)(crc & 0xFF);
    *cursor++ = (unsigned char)(crc >> 8);
    return (int)(cursor - out);
}

unsigned long CvaskLayer::GapWait(const double phases[Devices], unsigned long now, double* gapStart,
                                  double* windowEnd) {
    if (gapStart) *gapStart = 0.0;
    if (windowEnd) *windowEnd = 0.0;
    double known[Devices];
    int m = 0;
    for (int d = 0; d < Devices; ++d)
        if (phases[d] != 0.0) known[m++] = phases[d];
    // Nothing known about the cycle: nobody to keep clear of.
    if (m == 0) return 0;
    std::sort(known, known + m);
    double gap = -1.0, start = 0.0;
    for (int k = 0; k + 1 < m; ++k)
        if (known[k + 1] - known[k] > gap) {
            gap = known[k + 1] - known[k];
            start = known[k];
        }
    double wrap = Cycle + known[0] - known[m - 1];
    if (wrap > gap) {
        gap = wrap;
        start = known[m - 1];
    }
    if (gap <= GapMargin) return 0;
    double end = start + gap - GapMargin;
    if (gapStart) *gapStart = start;
    if (windowEnd) *windowEnd = end;
    double t = (double)(now % (unsigned long)Cycle);
    if (t >= start) {
        if ((end < Cycle && t <= end) || end >= Cycle) return 0;
        return (unsigned long)(Cycle + start - t);
    }
    if (end < Cycle) return (unsigned long)(start - t);
    if (t <= end - Cycle) return 0;
    return (unsigned long)(start - t);
}

CvaskLayer::CvaskLayer()
    : m_port(NULL),
      m_state(Searching),
      m_frameStart(-1),
      m_fill(0),
      m_noAck(0),
      m_win32s(0),
      m_own(0) {
    memset(m_buffer, 0, sizeof m_buffer);
    memset(&m_stat, 0, sizeof m_stat);
}

CvaskLayer::~CvaskLayer() { Done(NULL); }

unsigned long CvaskLayer::Now() const {
    if (g_seams.now) return g_seams.now();
    unsigned long low, high;
    CMTimer::GetTime(low, high);
    return low;
}

// The gap wait can last up to a whole bus cycle: it sleeps for all but the last two
// milliseconds and spends only those on the timer, so that it ends on time without
// keeping a processor busy.
void CvaskLayer::Delay(unsigned long ms) {
    if (g_seams.delay) {
        g_seams.delay(ms);
        return;
    }
    if (ms == 0) return;
    m_timer.SetTimeout(ms);
    for (unsigned long left = m_timer.Remaining(); left > 2; left = m_timer.Remaining())
        ::Sleep(left - 2);
    while (!m_timer.Timeout()) {}
    m_timer.ResetTimeout();
}

void CvaskLayer::ResetReceiver() {
    m_state = Searching;
    m_fill = 0;
    m_frameStart = -1;
}

int CvaskLayer::Init(const CString& port, const SerialParam* param, ErrorStruct_* err) {
    DWORD version = GetVersion();
    m_win32s = (version & 0x80000000u) && (version & 0xFF) <= 3;
    if (m_win32s) {
        SetError(err, ErrorWin32s, 0);
        return 0;
    }
    // A second Init must not leave the first port open.
    Done(NULL);
    m_port = g_seams.createPort ? g_seams.createPort() : new (std::nothrow) CvaskSerialPort;
    if (m_port == NULL) {
        SetError(err, ErrorOutOfMemory, 0);
        return 0;
    }
    if (m_port->Open(port, param, err) != 1) {
        delete m_port;
        m_port = NULL;
        return 0;
    }
    Table();
    ResetReceiver();
    ResetStatistics();
    m_noAck = param != NULL && param->converterType == 1;
    m_own = CvaskAddress::GetMyAddress();
    for (int d = 0; d < Devices; ++d) {
        g_time[d] = 0;
        g_phase[d] = 0.0;
    }
    return 1;
}

int CvaskLayer::Done(ErrorStruct_* err) {
    if (m_port == NULL) return 1;
    int result = m_port->Close(err);
    delete m_port;
    m_port = NULL;
    return result;
}

void CvaskLayer::ResetStatistics() { memset(&m_stat, 0, sizeof m_stat); }

void CvaskLayer::GetStatistics(NetStat* stat) const {
    if (stat) *stat = m_stat;
}

int CvaskLayer::Send(const CvaskAddress& destination, const unsigned char* body, int length,
                     ErrorStruct_* err) {
    return Transmit(destination, body, length, err, 0);
}

int CvaskLayer::SendDL(const CvaskAddress& destination, const unsigned char* body, int length,
                       ErrorStruct_* err) {
    return Transmit(destination, body, length, err, 1);
}

int CvaskLayer::Transmit(const CvaskAddress& destination, const unsigned char* body, int length,
                         ErrorStruct_* err, int download) {
    if (m_port == NULL) {
        SetError(err, ErrorNetworkNotInitialized, 0);
        return 0;
    }
    if (body == NULL || length < 0) length = 0;
    std::vector<unsigned char> telegram;
    try {
        telegram.resize(2 * (size_t)length + 10);
    } catch (std::bad_alloc&) {
        SetError(err, ErrorOutOfMemory, 0);
        return 0;
    }
    int n = BuildTelegram(destination, m_own, body, length, telegram.data());

    unsigned long now = Now();
    for (int d = 0; d < Devices; ++d)
        if (g_time[d] != 0 && CMTimer::TimeDiff(now, 0, g_time[d], 0) > TimeExpiry) g_time[d] = 0;

    const int attempts = download ? DownloadAttempts : SendAttempts;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        WaitForGap();
        TRACE_MSGOUT(4, "Sending a message with %d bytes\n", n);
        ++m_stat.sent;
        m_stat.bytesSent += (unsigned long)n;
        int written = m_port->Write(telegram.data(), n, err);
        AckResult ack = NoAck;
        if (download) {
            ack = WaitForAck(AckWait, err);
        } else if (written) {
            if (m_noAck || destination.IsBroadcast() || IsCommand(body, length, 'K', 21)) return 1;
            unsigned long wait =
                IsCommand(body, length, 'K', 24) || IsCommand(body, length, 'K', 25) ? LongAckWait
                                                                                     : AckWait;
            ack = WaitForAck(wait, err);
        }
        if (ack == AckReceived) return 1;
        ++m_stat.failed;
        // A port that cannot be read (a converter that was unplugged) will not bring an
        // acknowledgement to a further attempt either.
        if (ack == PortFailed) return 0;
    }
    return 0;
}

CvaskLayer::AckResult CvaskLayer::WaitForAck(unsigned long ms, ErrorStruct_* err) {
    unsigned long start = Now();
    int dle = 0;
    int nak = 0;
    do {
        unsigned char c = 0;
        int n = 0;
        // A failed read returns at once: polling on would only spin until the wait ends.
        if (!m_port->Read(&c, 1, n, err)) {
            ++m_stat.receiveErrors;
            return PortFailed;
        }
        m_stat.bytesReceived += (unsigned long)n;
        if (n == 0) {
            TRACE_MSGOUT(8, "Expected DLE,ACK; got nothing\n");
        } else if (c == ACK && dle) {
            TRACE_MSGOUT(4, "ACK received\n");
            return AckReceived;
        } else if (c == DLE) {
            // A doubled DLE is a data byte of some telegram: what follows it is no ACK.
            dle = !dle;
        } else if (c == NAK && dle) {
            TRACE_MSGOUT(4, "NAK received\n");
            nak = 1;
        } else if (c == ACK || c == NAK) {
            dle = 0;
        } else {
            dle = 0;
            TRACE_MSGOUT(8, "Expected DLE,ACK; got %02x\n", c);
        }
    } while (!nak && CMTimer::TimeDiff(Now(), 0, start, 0) < ms);
    if (!nak) SetError((ErrorStruct_*)NULL, ErrorDeviceDoesNotRespond, 0);  // to the trace only
    return nak ? NakReceived : NoAck;
}

void CvaskLayer::WaitForGap() {
    double phases[Devices];
    for (int d = 0; d < Devices; ++d) phases[d] = g_phase[d];
    unsigned long now = Now() % (unsigned long)Cycle;
    double start = 0.0, end = 0.0;
    unsigned long wait = GapWait(phases, now, &start, &end);
    if (end == 0.0) return;  // no gap worth waiting for
    TRACE_MSGOUT(9, "Time %lu, gap from %5.1f to %5.1f, ", now, start, end);
    if (wait > 0) {
        if (now >= start)
            TRACE_MSGOUT(-9, "waiting2 for %lums", wait);
        else if (end < Cycle)
            TRACE_MSGOUT(-9, "waiting1 for %lums", wait);
        else
            TRACE_MSGOUT(-9, "waiting3 for %lums", wait);
        Delay(wait);
    }
    TRACE_MSGOUT(-9, "\n");
}

void CvaskLayer::NoteBroadcast(int device) {
    unsigned long time = m_port->GetRecvTime();
    g_time[device] = time;
    double v = (double)(time % (unsigned long)Cycle);
    double& phase = g_phase[device];
    if (fabs(v - phase) <= PhaseWindow)
        phase = 0.6 * phase + 0.4 * v;
    else
        phase = v;
}

CvaskLayer::ReceiveState CvaskLayer::NextState(ReceiveState state, unsigned char byte) {
    switch (state) {
        case Searching: return byte == DLE ? SearchingAfterDle : Searching;
        case SearchingAfterDle:
            // Outside a telegram nothing is doubled: of a run of DLEs the last may begin
            // one, so a stray DLE does not hide the DLE SOT behind it.
            if (byte == DLE) return SearchingAfterDle;
            return byte == SOT ? Started : Searching;
        case Started:
        case InTelegram: return byte == DLE ? InTelegramAfterDle : InTelegram;
        case InTelegramAfterDle:
            // A doubled DLE is one data byte; DLE SOT starts the telegram anew. A DLE
            // before anything else is no framing: the unstuffing drops such a telegram.
            if (byte == SOT) return Started;
            if (byte == ETX) return CrcLow;
            return InTelegram;
        // The two CRC bytes are taken as they are: a CRC such as 10 01 or 10 03 is no
        // framing.
        case CrcLow: return CrcHigh;
        case CrcHigh:
        case Complete: return Complete;
    }
    return Searching;
}

int CvaskLayer::Step(ErrorStruct_* err) {
    unsigned char c = m_buffer[m_fill];
    TRACE_MSGIN(-7, " %02x ", c);
    m_state = NextState(m_state, c);
    if (m_state == Started) m_frameStart = m_fill - 1;
    ++m_fill;
    if (m_fill >= ReceiveBufferSize) {
        ResetReceiver();
        ++m_stat.receiveErrors;
        TRACE_INFO(5, "Receive buffer overflow in CvaskLayer::Receive\n");
        SetError(err, ErrorTooManyInvalidCharacters, 0);
        return 0;
    }
    return 1;
}

int CvaskLayer::Rescan() {
    // Everything behind its DLE SOT is looked at again from outside a telegram: the
    // telegram may have been cut off, and the start of the next one taken into it.
    int from = m_frameStart + 1;
    int rest = m_fill - from;
    memmove(m_buffer, m_buffer + from, (size_t)rest);
    ResetReceiver();
    return rest;
}

int CvaskLayer::Receive(CvaskAddress*& source, unsigned char*& body, int& length,
                        ErrorStruct_* err) {
    source = NULL;
    body = m_buffer;
    length = 0;
    if (m_port == NULL) {
        SetError(err, ErrorNetworkNotInitialized, 0);
        return 0;
    }
    // The telegram handed out by the last call has been consumed.
    if (m_state == Complete) ResetReceiver();
    // Bytes of a telegram that failed its CRC, taken again before the port is read.
    int again = 0;
    for (;;) {
        if (again > 0) {
            --again;
        } else {
            int n = 0;
            if (!m_port->Read(m_buffer + m_fill, 1, n, err)) {
                ++m_stat.receiveErrors;
                return 0;
            }
            m_stat.bytesReceived += (unsigned long)n;
            if (n == 0) return 1;  // the rest of the telegram comes with a later call
        }
        if (!Step(err)) return 0;
        if (m_state != Complete) continue;

        ++m_stat.received;
        const unsigned char* telegram = m_buffer + m_frameStart;
        int total = m_fill - m_frameStart;
        unsigned short crc = Crc(telegram, total - 2);
        if ((crc & 0xFF) == telegram[total - 2] && (crc >> 8) == telegram[total - 1])
            return HandOut(source, length, err);
        TRACE_MSGIN(4, "Message with incorrect CRC received\n");
        ++m_stat.crcErrors;
        again = Rescan();
    }
}

int CvaskLayer::HandOut(CvaskAddress*& source, int& length, ErrorStruct_* err) {
    const unsigned char* telegram = m_buffer + m_frameStart;
    int total = m_fill - m_frameStart;

    // Unstuff addresses and body (between DLE SOT and DLE ETX) to the front of the buffer;
    // the write position never overtakes the read position.
    int count = 0;
    for (int k = 2; k < total - 4; ++k) {
        m_buffer[count++] = telegram[k];
        if (telegram[k] != DLE) continue;
        // A DLE that is not doubled has no meaning inside a telegram: skipping the byte
        // behind it would hand out a body that differs from what was sent.
        if (telegram[k + 1] != DLE) {
            TRACE_MSGIN(4, "Message with an undoubled DLE received\n");
            return 1;
        }
        ++k;
    }
    if (count < 2) {
        TRACE_MSGIN(4, "Message without addresses received\n");
        return 1;
    }
    CvaskAddress destination(m_buffer[0]);
    int sourceByte = m_buffer[1];
    if (destination.IsBroadcast())
        NoteBroadcast(sourceByte >> 4);
    else if (destination.GetAddress() != m_own.GetAddress())
        return 1;  // for another bus member
    if (count == 2) {
        TRACE_MSGIN(4, "Message without body received\n");
        return 1;
    }
    source = new (std::nothrow) CvaskAddress(sourceByte);
    if (source == NULL) {
        SetError(err, ErrorOutOfMemory, 0);
        return 0;
    }
    length = count - 2;
    memmove(m_buffer, m_buffer + 2, (size_t)length);
    if (length >= 4)
        TRACE_MSGIN(3, "Message from %s (%c,%d) with length %d received\n",
                    (const char*)source->GetAddressString(), m_buffer[2], m_buffer[3], length);
    // The devices' cyclic broadcast of all measured values is delivered as "b" 2.
    if (length >= 4 && m_buffer[2] == 'k' && m_buffer[3] == 2 && destination.IsBroadcast())
        m_buffer[2] = 'b';
    return 1;
}
