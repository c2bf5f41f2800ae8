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
double g_length[CvaskLayer::Devices];

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

// What a broadcast read at `time` makes of its device's phase: the first one read sets it,
// later ones move it 40 % of the way, or set it when they are more than half a cycle off.
double LearntPhase(double phase, unsigned long time) {
    double v = (double)(time % (unsigned long)CvaskLayer::Cycle);
    // 0 is "not yet known". Smoothed from 0, a first broadcast would be taken for up to
    // 250 ms early; the window would open while that broadcast is still on the line, and
    // the telegrams sent there would garble the very broadcasts that could correct it.
    if (phase == 0.0 || fabs(v - phase) > CvaskLayer::PhaseWindow) return v;
    return 0.6 * phase + 0.4 * v;
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

double CvaskLayer::GetBroadcastLength(int device) {
    return device >= 0 && device < Devices ? g_length[device] : 0.0;
}

void CvaskLayer::SetBroadcastLength(int device, double ms) {
    if (device >= 0 && device < Devices) g_length[device] = ms;
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

unsigned long CvaskLayer::GapWait(const double phases[Devices], const double lengths[Devices],
                                  double needMs, unsigned long now, double* gapStart,
                                  double* windowEnd, int* fits) {
    if (gapStart) *gapStart = 0.0;
    if (windowEnd) *windowEnd = 0.0;
    if (fits) *fits = 1;
    struct Broadcast {
        double end, length;
    } known[Devices];
    int m = 0;
    for (int d = 0; d < Devices; ++d)
        if (phases[d] != 0.0) {
            known[m].end = phases[d];
            known[m].length =
                lengths != NULL && lengths[d] > 0.0 ? lengths[d] : (double)UnknownBroadcastMs;
            ++m;
        }
    // Nothing known about the cycle: nobody to keep clear of.
    if (m == 0) return 0;
    std::sort(known, known + m,
              [](const Broadcast& a, const Broadcast& b) { return a.end < b.end; });
    // The gaps in the rule's order: the wrap-around gap comes last, and a stable sort keeps
    // the earlier of equal gaps first and the wrap-around one behind the inner ones.
    struct Gap {
        double start, length, room;  // room: how long a telegram may start after start
    } gaps[Devices];
    for (int k = 0; k < m; ++k) {
        const Broadcast& next = known[(k + 1) % m];
        double length = k + 1 < m ? next.end - known[k].end : Cycle + next.end - known[k].end;
        gaps[k].start = known[k].end;
        gaps[k].length = length;
        gaps[k].room = length - next.length - needMs;
    }
    std::stable_sort(gaps, gaps + m,
                     [](const Gap& a, const Gap& b) { return a.length > b.length; });
    // A telegram that fits nowhere goes where it garbles the least: at the start of the
    // largest gap, so that it still goes and the broadcast behind it is the only one at
    // risk.
    const Gap* chosen = &gaps[0];
    double room = 0.0;
    if (fits) *fits = 0;
    for (int k = 0; k < m; ++k)
        if (gaps[k].room >= 0.0) {
            chosen = &gaps[k];
            room = gaps[k].room;
            if (fits) *fits = 1;
            break;
        }
    double start = chosen->start;
    double end = start + room;
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
      m_pending(0),
      m_readyBytes(0),
      m_handedOut(0),
      m_quietTime(0),
      m_quietSeen(0),
      m_telegramEnd(0),
      m_telegramSeen(0),
      m_byteTime(0),
      m_noAck(0),
      m_win32s(0),
      m_own(0) {
    memset(m_buffer, 0, sizeof m_buffer);
    memset(m_ready, 0, sizeof m_ready);
    memset(&m_stat, 0, sizeof m_stat);
}

CvaskLayer::~CvaskLayer() { Done(NULL); }

unsigned long CvaskLayer::Now() const {
    if (g_seams.now) return g_seams.now();
    unsigned long low, high;
    CMTimer::GetTime(low, high);
    return low;
}

// The gap wait lasts while the devices broadcast: it reads the port all the while, so that
// each broadcast is timed when it arrives and not when the next wait finds it. The port's
// reads return within about 2 ms when nothing comes, which paces the loop.
void CvaskLayer::Delay(unsigned long ms) {
    if (g_seams.delay) {
        g_seams.delay(ms);
        return;
    }
    unsigned long start = Now();
    for (;;) {
        unsigned long passed = CMTimer::TimeDiff(Now(), 0, start, 0);
        if (passed >= ms) return;
        unsigned char c = 0;
        int n = 0;
        if (!ReadByte(c, n, NULL)) {
            // A port that cannot be read is not polled on: the rest is slept.
            Sleep(ms - passed);
            return;
        }
        if (n == 1) Take(c, NULL);
    }
}

// Sleeps for all but the last two milliseconds and spends only those on the timer, so
// that the wait ends on time without keeping a processor busy.
void CvaskLayer::Sleep(unsigned long ms) {
    if (ms == 0) return;
    m_timer.SetTimeout(ms);
    for (unsigned long left = m_timer.Remaining(); left > 2; left = m_timer.Remaining())
        ::Sleep(left - 2);
    while (!m_timer.Timeout()) {}
    m_timer.ResetTimeout();
}

void CvaskLayer::ResetReceiver() {
    if (m_pending > 0) memmove(m_buffer, m_buffer + m_fill, (size_t)m_pending);
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
    m_pending = 0;
    ResetReceiver();
    m_readyBytes = 0;
    m_handedOut = 0;
    m_quietSeen = 0;
    m_telegramSeen = 0;
    ResetStatistics();
    m_noAck = param != NULL && param->converterType == 1;
    m_own = CvaskAddress::GetMyAddress();
    for (int d = 0; d < Devices; ++d) {
        g_time[d] = 0;
        g_phase[d] = 0.0;
        g_length[d] = 0.0;
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
        WaitForGap(n);
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

int CvaskLayer::ReadByte(unsigned char& c, int& n, ErrorStruct_* err) {
    n = 0;
    if (!m_port->Read(&c, 1, n, err)) {
        ++m_stat.receiveErrors;
        n = 0;
        return 0;
    }
    m_stat.bytesReceived += (unsigned long)n;
    if (n == 0) {
        m_quietTime = Now();
        m_quietSeen = 1;
    } else {
        m_byteTime = Now();
    }
    return 1;
}

// The acknowledgement is DLE ACK (or DLE NAK) outside a telegram. Every other byte goes to
// the receiver: a broadcast that comes in meanwhile is timed and kept like any other. A DLE
// is held back until the byte behind it shows whether it began the acknowledgement.
CvaskLayer::AckResult CvaskLayer::WaitForAck(unsigned long ms, ErrorStruct_* err) {
    unsigned long start = Now();
    int held = 0;  // a DLE read and not yet given to the receiver
    int nak = 0;
    AckResult result = NoAck;
    do {
        unsigned char c = 0;
        int n = 0;
        // A failed read returns at once: polling on would only spin until the wait ends.
        if (!ReadByte(c, n, err)) {
            result = PortFailed;
            break;
        }
        if (n == 0) {
            TRACE_MSGOUT(8, "Expected DLE,ACK; got nothing\n");
        } else if (!held && (m_state == CrcLow || m_state == CrcHigh)) {
            Take(c, NULL);  // a CRC byte of a telegram, whatever its value
        } else if (held) {
            held = 0;
            if (c == ACK) {
                TRACE_MSGOUT(4, "ACK received\n");
                return AckReceived;
            }
            if (c == NAK) {
                TRACE_MSGOUT(4, "NAK received\n");
                nak = 1;
                continue;
            }
            // A doubled DLE is a data byte of some telegram: what follows it is no ACK.
            Take(DLE, NULL);
            Take(c, NULL);
            if (c != DLE) TRACE_MSGOUT(8, "Expected DLE,ACK; got %02x\n", c);
        } else if (c == DLE) {
            held = 1;
        } else {
            Take(c, NULL);
            if (c != ACK && c != NAK) TRACE_MSGOUT(8, "Expected DLE,ACK; got %02x\n", c);
        }
    } while (!nak && CMTimer::TimeDiff(Now(), 0, start, 0) < ms);
    // It may begin a telegram.
    if (held) Take(DLE, NULL);
    if (result == PortFailed) return PortFailed;
    if (!nak) SetError((ErrorStruct_*)NULL, ErrorDeviceDoesNotRespond, 0);  // to the trace only
    return nak ? NakReceived : NoAck;
}

// The telegram has to be off the line before the next broadcast begins: its window ends
// its own time and the latency allowance before that.
void CvaskLayer::WaitForGap(int bytes) {
    double phases[Devices], lengths[Devices];
    for (int d = 0; d < Devices; ++d) {
        phases[d] = g_phase[d];
        lengths[d] = g_length[d];
    }
    unsigned long now = Now() % (unsigned long)Cycle;
    double start = 0.0, end = 0.0;
    int fits = 1;
    unsigned long wait =
        GapWait(phases, lengths, bytes * ByteMs + LatencyAllowance, now, &start, &end, &fits);
    if (end == 0.0) return;  // no broadcast known
    TRACE_MSGOUT(9, "Time %lu, gap from %5.1f to %5.1f, ", now, start, end);
    if (!fits)
        TRACE_MSGOUT(-9, "no gap fits a telegram of %d bytes: sent at the start of the largest, ",
                     bytes);
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
    // A broadcast that runs late is still coming in when its window opens: the telegram
    // waits for its end rather than talk into it.
    ListenWhileReceiving();
}

// A receiver left inside a telegram by bytes that stopped long ago (noise) holds nothing.
void CvaskLayer::ListenWhileReceiving() {
    const unsigned long start = Now();
    while (m_state != Searching && m_state != SearchingAfterDle && m_state != Complete) {
        unsigned long now = Now();
        if (CMTimer::TimeDiff(now, 0, start, 0) >= (unsigned long)Cycle ||
            CMTimer::TimeDiff(now, 0, m_byteTime, 0) > (unsigned long)LatencyAllowance)
            return;
        unsigned char c = 0;
        int n = 0;
        if (!ReadByte(c, n, NULL)) return;
        if (n == 1) Take(c, NULL);
    }
}

void CvaskLayer::NoteBroadcast(int device, int bytes) {
    unsigned long time = m_port->GetRecvTime();
    g_time[device] = time;
    g_length[device] = bytes * ByteMs;
    // Its time is where it ended only when the line was quiet before it began: the port was
    // read empty and no other telegram ended within the latency allowance before it. Otherwise
    // it may have waited in the port while nobody read it, or behind another telegram (a
    // device holds its broadcast while an answer is on the line), and a phase taught from it
    // would be late: the window would end late, and its telegrams would garble the very
    // broadcasts that could put the phase right.
    const double since = bytes * ByteMs + LatencyAllowance;
    if (m_quietSeen && CMTimer::TimeDiff(time, 0, m_quietTime, 0) <= since &&
        (!m_telegramSeen || CMTimer::TimeDiff(time, 0, m_telegramEnd, 0) > since))
        g_phase[device] = LearntPhase(g_phase[device], time);
    else
        TRACE_MSGIN(4, "Broadcast from device %d not timed: the line was not quiet before it\n",
                    device);
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
        m_pending = 0;
        ResetReceiver();
        ++m_stat.receiveErrors;
        TRACE_INFO(5, "Receive buffer overflow in CvaskLayer::Receive\n");
        SetError(err, ErrorTooManyInvalidCharacters, 0);
        return 0;
    }
    return 1;
}

void CvaskLayer::Rescan() {
    // Everything behind its DLE SOT is looked at again from outside a telegram: the
    // telegram may have been cut off, and the start of the next one taken into it.
    int from = m_frameStart + 1;
    int rest = m_fill - from;
    memmove(m_buffer, m_buffer + from, (size_t)(rest + m_pending));
    m_pending += rest;
    m_fill = 0;
    m_state = Searching;
    m_frameStart = -1;
}

int CvaskLayer::Take(unsigned char c, ErrorStruct_* err) {
    m_buffer[m_fill + m_pending++] = c;
    while (m_pending > 0) {
        --m_pending;
        if (!Step(err)) return 0;
        if (m_state != Complete) continue;

        ++m_stat.received;
        const unsigned long end = m_port->GetRecvTime();
        const unsigned char* telegram = m_buffer + m_frameStart;
        int total = m_fill - m_frameStart;
        unsigned short crc = Crc(telegram, total - 2);
        if ((crc & 0xFF) == telegram[total - 2] && (crc >> 8) == telegram[total - 1]) {
            Accept();
            ResetReceiver();
        } else {
            TRACE_MSGIN(4, "Message with incorrect CRC received\n");
            ++m_stat.crcErrors;
            Rescan();
        }
        m_telegramEnd = end;
        m_telegramSeen = 1;
    }
    return 1;
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
    DropHandedOut();
    while (m_readyBytes == 0) {
        unsigned char c = 0;
        int n = 0;
        if (!ReadByte(c, n, err)) return 0;
        if (n == 0) return 1;  // the rest of the telegram comes with a later call
        if (!Take(c, err)) return 0;
    }
    return HandOut(source, body, length, err);
}

void CvaskLayer::Accept() {
    const unsigned char* telegram = m_buffer + m_frameStart;
    int total = m_fill - m_frameStart;

    // Unstuff addresses and body (between DLE SOT and DLE ETX) to the front of the buffer;
    // the write position never overtakes the read position, and the bytes still to be
    // taken lie behind the telegram.
    int count = 0;
    for (int k = 2; k < total - 4; ++k) {
        m_buffer[count++] = telegram[k];
        if (telegram[k] != DLE) continue;
        // A DLE that is not doubled has no meaning inside a telegram: skipping the byte
        // behind it would hand out a body that differs from what was sent.
        if (telegram[k + 1] != DLE) {
            TRACE_MSGIN(4, "Message with an undoubled DLE received\n");
            return;
        }
        ++k;
    }
    if (count < 2) {
        TRACE_MSGIN(4, "Message without addresses received\n");
        return;
    }
    CvaskAddress destination(m_buffer[0]);
    int sourceByte = m_buffer[1];
    if (destination.IsBroadcast())
        NoteBroadcast(sourceByte >> 4, total);
    else if (destination.GetAddress() != m_own.GetAddress())
        return;  // for another bus member
    int length = count - 2;
    if (length == 0) {
        TRACE_MSGIN(4, "Message without body received\n");
        return;
    }
    unsigned char* body = m_buffer + 2;
    if (length >= 4)
        TRACE_MSGIN(3, "Message from %s (%c,%d) with length %d received\n",
                    (const char*)CvaskAddress(sourceByte).GetAddressString(), body[2], body[3],
                    length);
    // The devices' cyclic broadcast of all measured values is delivered as "b" 2.
    if (length >= 4 && body[2] == 'k' && body[3] == 2 && destination.IsBroadcast()) body[2] = 'b';
    if (m_readyBytes + 3 + length > ReceiveBufferSize) {
        // Nobody has asked for what came in for a long time: the newest is lost.
        ++m_stat.receiveErrors;
        TRACE_INFO(5, "Too many telegrams waiting in CvaskLayer, the newest is dropped\n");
        return;
    }
    unsigned char* record = m_ready + m_readyBytes;
    record[0] = (unsigned char)sourceByte;
    record[1] = (unsigned char)(length & 0xFF);
    record[2] = (unsigned char)(length >> 8);
    memcpy(record + 3, body, (size_t)length);
    m_readyBytes += 3 + length;
}

int CvaskLayer::HandOut(CvaskAddress*& source, unsigned char*& body, int& length,
                        ErrorStruct_* err) {
    source = new (std::nothrow) CvaskAddress(m_ready[0]);
    if (source == NULL) {
        SetError(err, ErrorOutOfMemory, 0);
        return 0;
    }
    body = m_ready + 3;
    length = m_ready[1] | m_ready[2] << 8;
    m_handedOut = 1;
    return 1;
}

void CvaskLayer::DropHandedOut() {
    if (!m_handedOut) return;
    m_handedOut = 0;
    int size = 3 + (m_ready[1] | m_ready[2] << 8);
    m_readyBytes -= size;
    memmove(m_ready, m_ready + size, (size_t)m_readyBytes);
}
