// The simulated bus: every byte the PC sends arrives here; the devices on it
// acknowledge, answer, broadcast and misbehave as they are told, and everything
// received is logged.  Time comes from the caller, so the bus runs the same under a
// test's clock as under the real one.
//
// With pacing the bus is also the line: a half-duplex pair at 9600 baud on which every
// byte takes 1/960 s, the devices' output one byte after the other and, with input
// pacing, the PC's bytes too.  A telegram of the PC whose bytes are on the line while a
// device broadcasts collides with the broadcast: both are garbled, no device takes the
// telegram, and the broadcast reaches the PC with a broken CRC.
#pragma once
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "codec.h"
#include "device.h"

namespace vasksim {

struct LogEntry {
    uint64_t seq = 0;
    int64_t timeMs = 0;
    Frame frame;
    std::string decoded;  // "k6" style name and the values as the device read them
    std::string action;   // what the bus did about it
    size_t sent = 0;      // bytes the devices put on the line in answer (ACK, NAK, reply, noise)
    bool viaGateway = false;  // handed over by a gateway client rather than read off the line
    std::string line() const;
};

// What the line reports to the gateway side: a transmit finished (with the status a
// gateway gives) or a telegram that a device put on the line.
struct GatewayEvent {
    enum Kind { TransmitDone, Received };
    enum Status : uint8_t { Done = 0, NoAck = 1, Failed = 2 };
    Kind kind = TransmitDone;
    int64_t due = 0;
    int connection = -1;  // the connection that transmitted; -1: every connection
    uint32_t id = 0;      // TransmitDone: the transmit's id, only echoed
    uint8_t status = Done;
    uint8_t source = 0;  // Received: the sender's address byte
    uint8_t second = 0;  // Received: the telegram's destination address byte
    Bytes body;          // Received: flags, state, letter, function, values
};

// The 12-byte configuration record of a gateway line: bytes 7 to 9 are the line
// terminator, the slow waveform and the line's own address; the rest is the gateway's.
using LineRecord = std::array<uint8_t, 12>;
LineRecord defaultLineRecord();

// A misbehaviour: applies to the next `remaining` telegrams for `device` (or all
// devices when 0) that match the optional message filter; -1 means always.
struct Fault {
    enum Kind { Silent, Nak, NoReply, Reject, Slow, BadCrc, WrongSource, Garbage, Duplicate };
    Kind kind = Silent;
    int device = 0;
    int remaining = 1;
    int arg = 0;        // Slow: ms; Garbage: bytes; WrongSource: address byte (0 = next device)
    std::string code;   // Reject: two-letter rejection
    char onLetter = 0;  // filter: only this message
    int onFunction = -1;
};
bool parseFaultKind(const std::string& name, Fault::Kind& kind);
const char* faultName(Fault::Kind kind);

class Bus {
public:
    using Clock = std::function<int64_t()>;  // monotonic
    // `clock` gives milliseconds; `microClock`, when given, the same time in microseconds
    // for the line's byte times (otherwise they follow the milliseconds).
    explicit Bus(Clock clock, Clock microClock = Clock());

    // Bytes from the PC, in arrival order.  With input pacing they reach the devices only
    // once each has crossed the line (see `advance`); otherwise at once.
    void receive(const uint8_t* data, size_t size);
    // A telegram handed to the line by a gateway client: the devices treat it as one read
    // off the line from the line's own address (record byte 9); the outcome is reported as
    // gateway events for `connection`.
    void transmit(int connection, uint32_t id, uint8_t destination, const Bytes& body);
    // Lets time pass: hands the devices the PC's bytes that have crossed the line and
    // starts the cyclic broadcasts that are due.
    void advance();

    // Output waiting to go to the PC.  `takeDue` removes what is due now, in order; with
    // pacing only the bytes whose stop bit is in.
    bool takeDue(Bytes& out);
    bool hasOutput() const { return !out_.empty() || !line_.empty(); }
    // The cyclic broadcast telegram of the device at `address` at time `t` (ms).
    static Bytes broadcastTelegram(int address, const Device& d, int64_t t);
    // When something is next due (ms): output, a paced byte either way; -1 when nothing.
    int64_t nextDue() const;
    // The same in microseconds, for a loop that wakes at the line's own times.
    int64_t nextDueUs() const;
    int64_t nextBroadcast() const;  // -1 when no device broadcasts
    // Gateway events that are due now, in order; removed from the queue.
    bool takeGatewayDue(std::vector<GatewayEvent>& out);
    int64_t nextGatewayDue() const;  // -1 when none is queued

    // Devices and settings.
    std::map<int, Device> devices;
    bool echo = false;
    bool pace = false;          // the I/O side paces output at 960 bytes/s when set
    bool paceInput = false;     // ... and takes the PC's bytes at that pace too
    int reactionMs = 0;         // the devices answer this long after a telegram's last byte
    uint8_t pcAddressByte = 0;  // 0: answer whoever asked
    std::vector<Fault> faults;
    LineRecord record = defaultLineRecord();

    const std::vector<LogEntry>& log() const { return log_; }
    uint64_t logCount() const { return seq_; }
    void clearLog() { log_.clear(); }
    void resetLog() {
        log_.clear();
        seq_ = 0;
    }
    size_t noiseBytes() const { return deframer_.noiseBytes(); }
    void resetLine() {
        ++lineResets_;
        deframer_.reset();
        out_.clear();
        gatewayOut_.clear();
        line_.clear();
        inbound_.clear();
        broadcasts_.clear();
        frameHit_ = 0;
    }
    int64_t now() const { return clock_(); }
    // Counts resetLine: what the I/O side still holds of the line's output goes with it.
    uint64_t lineResets() const { return lineResets_; }

    static constexpr int64_t kBytesPerSecond = 960;  // ten bits a byte at 9600 baud

private:
    struct Out {
        int64_t dueUs;
        Bytes bytes;
        uint8_t broadcaster = 0;  // address byte of the device whose broadcast this is
    };
    // A byte on the line, whole at `endUs`.  `broadcaster`: of the device output, the
    // broadcasting device (0: other output); of the PC's bytes, the device whose
    // broadcast it collided with (0: none).
    struct LineByte {
        int64_t endUs;
        uint8_t byte;
        uint8_t broadcaster;
        uint64_t telegram;  // device output: the telegram's number, to find its last byte
    };
    // One run of bytes back to back on the line: byte k is whole at start + (k+1)/960 s.
    struct Run {
        int64_t startUs = 0;
        int64_t bytes = 0;
        int64_t nextEnd(int64_t nowUs, int64_t lastEndUs);
    };
    // A broadcast telegram on the line, from the start of its first byte to the end of
    // its last.
    struct Airing {
        int64_t fromUs, toUs;
        uint8_t broadcaster;
        uint64_t telegram;
        bool garbled;
    };
    int64_t lineNow() const { return microClock_ ? microClock_() : clock_() * 1000; }
    void deliver(const LineByte* bytes, size_t size);
    // Output that is due goes on the line (with pacing) or straight to the PC.
    void schedule();
    // The broadcast that the PC's byte on the line from..to collides with, garbled by it;
    // 0 when none.
    uint8_t collide(int64_t fromUs, int64_t toUs);
    void garble(Airing& a);
    struct Origin {  // the gateway transmit that a frame came from
        int connection;
        uint32_t id;
    };
    // Output due at `due` ms; queueUs takes the time in microseconds.
    void queue(int64_t due, Bytes bytes, uint8_t broadcaster = 0);
    void queueUs(int64_t dueUs, Bytes bytes, uint8_t broadcaster = 0);
    void queueEvent(GatewayEvent e);
    // `endUs`: when the telegram's last byte was whole on the line; -1 when the line does not
    // know (a gateway's transmit): the devices' times then count from the millisecond.
    void handleFrame(const Frame& f, const Origin* gateway = nullptr, uint8_t collidedWith = 0,
                     int64_t endUs = -1);
    Fault* matchFault(Fault::Kind kind, int device, char letter, int function);
    bool consume(Fault::Kind kind, int device, char letter, int function, Fault* copy = nullptr);

    Clock clock_;
    Clock microClock_;
    Deframer deframer_;
    std::deque<Out> out_;
    std::deque<LineByte> line_;      // device output on the line or ready for the PC
    std::deque<LineByte> inbound_;   // the PC's bytes on the line, not yet whole
    std::deque<Airing> broadcasts_;  // broadcasts on the line that a PC byte may still meet
    Run outRun_, inRun_;
    uint64_t telegrams_ = 0;
    uint8_t frameHit_ = 0;  // the broadcaster that the telegram being read collided with
    uint64_t lineResets_ = 0;
    std::deque<GatewayEvent> gatewayOut_;
    std::vector<LogEntry> log_;
    uint64_t seq_ = 0;
    static constexpr size_t kLogLimit = 100000;
};

}  // namespace vasksim
