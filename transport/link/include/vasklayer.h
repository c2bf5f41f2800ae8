// CvaskLayer: the telegram link layer of the Vask bus.
//
//   DLE SOT  destination  source  body  DLE ETX  CRC-low CRC-high
//   10  01   1-2 bytes    1-2     n-2n  10  03
//
// Every 0x10 in the addresses and the body goes out twice. The CRC is CRC-16 with the
// reflected polynomial 0xA001 and start 0xFFFF over every byte from the leading DLE up to
// and including ETX, as sent (doubled bytes count twice); its two bytes are never doubled.
//
// Sending waits for the largest free gap between the devices' cyclic broadcasts that the
// telegram fits in, then transmits and waits for DLE ACK, repeating on NAK or silence.
// Receiving assembles one telegram across as many calls as its bytes need, checks it and
// keeps only those for the PC or for everybody.
//
// Every byte taken from the port goes through the one receiver, whichever wait reads it:
// Receive, the wait for the acknowledgement (all but the DLE ACK or DLE NAK it waits for)
// and the wait for the gap (which listens to the line while it waits). A broadcast
// teaches the cycle tables as soon as its last byte is read, with the time at which the
// port read it; telegrams that complete during a wait are kept, in order, for Receive.
// Only a broadcast that the layer saw come in from a quiet line teaches its phase: one
// that followed another telegram without a pause (a device holds its broadcast while an
// answer is on the line) or that waited in the port while nobody read it ended earlier
// than it was read.
#pragma once

#include "mtimer.h"
#include "serialparam.h"
#include "vask_api.h"
#include "vaskaddress.h"
#include "vaskerror.h"
#include "vaskfc.h"

class CvaskPort;

// The counters of one link.
struct NetStat {
    unsigned long sent;      // telegrams sent, one per transmission attempt
    unsigned long received;  // complete telegrams received, before the CRC check
    unsigned long bytesSent;
    unsigned long bytesReceived;  // every byte read, those of acknowledgement waits included
    unsigned long failed;         // failed transmission attempts
    unsigned long crcErrors;
    unsigned long receiveErrors;  // failed port reads and receive-buffer overflows
};

class VASK_API CvaskLayer {
public:
    enum {
        ReceiveBufferSize = 1000,
        MaxSendBody = 68,   // the networks refuse longer bodies
        Devices = 16,       // device numbers 0..15 of the cycle tables
        AckWait = 90,       // ms
        LongAckWait = 500,  // ms, for "K" 24 and "K" 25
        SendAttempts = 3,
        DownloadAttempts = 100
    };
    static constexpr double Cycle = 500.0;        // ms of one bus cycle
    static constexpr double PhaseWindow = 250.0;  // a phase further off is taken as it is
    // One byte on the line: start bit, eight data bits and stop bit at 9600 baud (ms).
    static constexpr double ByteMs = 10.0 / 9.6;
    // What the times the layer works with may be off from the line (ms): a broadcast's
    // end is read up to a few ms after its last byte, a telegram reaches the line a few ms
    // after the layer decided to send it, and the clock counts whole milliseconds.
    static constexpr double LatencyAllowance = 10.0;
    // The length taken for a broadcast whose phase is known but that was never read whole
    // (ms); every broadcast read teaches its own.
    static constexpr double UnknownBroadcastMs = 40.0;
    static constexpr unsigned long TimeExpiry = 1500;

    CvaskLayer();
    // Releases the port when Done was not called.
    ~CvaskLayer();
    CvaskLayer(const CvaskLayer&) = delete;
    CvaskLayer& operator=(const CvaskLayer&) = delete;

    // Opens the port and prepares the layer; clears the cycle tables of every layer.
    int Init(const CString& port, const SerialParam* param, ErrorStruct_* err);
    // Closes and releases the port; the port's result, or 1 when none is open.
    int Done(ErrorStruct_* err);
    // One telegram with acknowledgement, up to 3 attempts. A missing or negative
    // acknowledgement leaves the error record untouched; a failed write leaves the
    // port's error there. A port that fails a read while waiting for the acknowledgement
    // ends all attempts at once, with its error.
    int Send(const CvaskAddress& destination, const unsigned char* body, int length,
             ErrorStruct_* err);
    // A download telegram: up to 100 attempts, each waits for the acknowledgement; a
    // failed port read ends them as in Send.
    int SendDL(const CvaskAddress& destination, const unsigned char* body, int length,
               ErrorStruct_* err);
    // Hands out the oldest telegram that a wait completed; otherwise advances the receiver
    // over what the port has. When a telegram for the PC or for everybody is complete: a
    // new source address (the caller deletes it), the body inside the layer (valid until
    // the next call) and its length. Otherwise length 0 and no address. 0 on a port
    // failure or after 1000 bytes without a telegram (error 10, the receiver starts
    // afresh). The bytes of a telegram with a bad CRC are looked at again behind its DLE
    // SOT, so that the start of a telegram taken into one that was cut off is still found.
    int Receive(CvaskAddress*& source, unsigned char*& body, int& length, ErrorStruct_* err);
    void ResetStatistics();
    void GetStatistics(NetStat* stat) const;
    int IsOpen() const { return m_port != NULL; }

    // CRC-16 of the bus over n bytes.
    static unsigned short Crc(const unsigned char* bytes, int n);
    // Frames a body into `out`, which holds at least 2 * length + 10 bytes; the length of
    // the telegram.
    static int BuildTelegram(const CvaskAddress& destination, const CvaskAddress& source,
                             const unsigned char* body, int length, unsigned char* out);
    // The gap rule. The phases (0 = unknown) are where each device's broadcast ends in the
    // cycle, the lengths how long each lasts on the line (ms; 0 = never read whole). A gap
    // runs from the end of one broadcast to the end of the next; the largest wins, of equal
    // ones the earlier, and the one that wraps around the cycle only when it is strictly
    // larger. A telegram that needs `needMs` (its own time on the line and the latency
    // allowance) goes in the first gap in that order that it fits in: the window opens
    // where the gap begins and ends `needMs` before the next broadcast begins. A telegram
    // that fits in no gap goes at the start of the largest (*fits is then 0).
    // Returns how long to wait before sending at `now` (ms, taken modulo the cycle); 0
    // means at once. gapStart and windowEnd describe the chosen window (both 0 when no
    // phase is known, and the telegram goes at once).
    static unsigned long GapWait(const double phases[Devices], const double lengths[Devices],
                                 double needMs, unsigned long now, double* gapStart = NULL,
                                 double* windowEnd = NULL, int* fits = NULL);

    // The process-wide cycle tables of each device number: phase in the bus cycle (ms,
    // 0 = unknown), time of the last broadcast (ms, 0 = none) and how long its last
    // broadcast read lasted on the line (ms, 0 = none read).
    static double GetBroadcastPhase(int device);
    static void SetBroadcastPhase(int device, double phase);
    static unsigned long GetBroadcastTime(int device);
    static void SetBroadcastTime(int device, unsigned long time);
    static double GetBroadcastLength(int device);
    static void SetBroadcastLength(int device, double ms);

    // The receiver's states; every received byte is one step from one to the next.
    enum ReceiveState {
        Searching,           // outside a telegram
        SearchingAfterDle,   // outside a telegram, after a DLE: SOT begins a telegram
        Started,             // the SOT of DLE SOT: a telegram begins at the DLE before it
        InTelegram,          // between DLE SOT and DLE ETX
        InTelegramAfterDle,  // inside, after a DLE: DLE is data, SOT starts anew, ETX ends it
        CrcLow,              // the CRC's low byte, taken as it is
        CrcHigh,             // the CRC's high byte, taken as it is
        Complete             // the telegram is whole: its last byte was the CRC high byte
    };
    // The state after one more byte (Complete is left only by a reset of the receiver).
    static ReceiveState NextState(ReceiveState state, unsigned char byte);

private:
    enum AckResult { AckReceived, NakReceived, NoAck, PortFailed };
    int Transmit(const CvaskAddress& destination, const unsigned char* body, int length,
                 ErrorStruct_* err, int download);
    // A failed port read ends the wait and leaves the port's error in err.
    AckResult WaitForAck(unsigned long ms, ErrorStruct_* err);
    // The wait for the window of a telegram of `bytes` bytes.
    void WaitForGap(int bytes);
    // While a telegram is coming in, reads on until it is complete or no byte has come for
    // the latency allowance (at most a cycle).
    void ListenWhileReceiving();
    // One byte from the port: n is 1 with the byte in c, 0 when none is waiting. 0 when
    // the read failed (counted as a receive error; the port's error in err).
    int ReadByte(unsigned char& c, int& n, ErrorStruct_* err);
    // The receiver takes one byte read from the port, and with it the bytes it has to
    // look at again; 0 when the buffer has overflowed (error 10, the receiver is reset).
    int Take(unsigned char c, ErrorStruct_* err);
    // Forgets the telegram in the buffer; bytes still to be taken move to its front.
    void ResetReceiver();
    // The receiver's step over the byte at the fill position: its new state, the start of
    // the telegram, the fill count. 0 when the buffer has overflowed (the receiver is reset
    // and error 10 set).
    int Step(ErrorStruct_* err);
    // A complete telegram whose CRC is wrong: its bytes behind the DLE SOT are moved to the
    // front of the buffer, to be taken again, and the receiver reset.
    void Rescan();
    // A complete telegram with a good CRC: unstuffed; a broadcast teaches the cycle
    // tables; kept for Receive when it is for the PC or for everybody.
    void Accept();
    // The oldest kept telegram to the caller: 0 when its address cannot be created.
    int HandOut(CvaskAddress*& source, unsigned char*& body, int& length, ErrorStruct_* err);
    void DropHandedOut();
    unsigned long Now() const;
    // The wait for the gap: listens to the line meanwhile, taking every byte through the
    // receiver (a test's clock seam passes the time at once instead).
    void Delay(unsigned long ms);
    void Sleep(unsigned long ms);
    // A broadcast of `bytes` bytes from `device` was read: its time, length and, when it
    // was timed as it came in, its phase.
    void NoteBroadcast(int device, int bytes);

    CvaskPort* m_port;
    unsigned char m_buffer[ReceiveBufferSize];
    ReceiveState m_state;
    int m_frameStart;  // index of the DLE of the telegram's DLE SOT, -1 outside a telegram
    int m_fill;        // bytes in the buffer that the receiver has taken
    int m_pending;     // bytes behind them still to be taken (after a bad CRC)
    // Telegrams for the PC or for everybody, complete and not yet handed out, oldest
    // first: source address byte, length (two bytes, low first), body.
    unsigned char m_ready[ReceiveBufferSize];
    int m_readyBytes;
    int m_handedOut;  // the oldest kept telegram went to the caller: dropped at the next call
    // When a read last found the port empty and when the last complete telegram was read,
    // each valid once its flag is set; when a read last brought a byte.
    unsigned long m_quietTime;
    int m_quietSeen;
    unsigned long m_telegramEnd;
    int m_telegramSeen;
    unsigned long m_byteTime;
    int m_noAck;
    int m_win32s;
    CMTimer m_timer;
    CvaskAddress m_own;
    NetStat m_stat;
};
