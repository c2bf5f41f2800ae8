// The simulated bus: every byte the PC sends arrives here; the devices on it
// acknowledge, answer, broadcast and misbehave as they are told, and everything
// received is logged.  Time comes from the caller, so the bus runs the same under a
// test's clock as under the real one.
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
    using Clock = std::function<int64_t()>;  // milliseconds, monotonic
    explicit Bus(Clock clock);

    // Bytes from the PC, in arrival order.
    void receive(const uint8_t* data, size_t size);
    // A telegram handed to the line by a gateway client: the devices treat it as one read
    // off the line from the line's own address (record byte 9); the outcome is reported as
    // gateway events for `connection`.
    void transmit(int connection, uint32_t id, uint8_t destination, const Bytes& body);
    // Lets time pass: starts the cyclic broadcasts that are due.
    void advance();

    // Output waiting to go to the PC.  `takeDue` removes what is due now, in order.
    bool takeDue(Bytes& out);
    bool hasOutput() const { return !out_.empty(); }
    int64_t nextDue() const;        // -1 when nothing is queued
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
        deframer_.reset();
        out_.clear();
        gatewayOut_.clear();
    }
    int64_t now() const { return clock_(); }

private:
    struct Out {
        int64_t due;
        Bytes bytes;
    };
    struct Origin {  // the gateway transmit that a frame came from
        int connection;
        uint32_t id;
    };
    void queue(int64_t due, Bytes bytes);
    void queueEvent(GatewayEvent e);
    void handleFrame(const Frame& f, const Origin* gateway = nullptr);
    Fault* matchFault(Fault::Kind kind, int device, char letter, int function);
    bool consume(Fault::Kind kind, int device, char letter, int function, Fault* copy = nullptr);

    Clock clock_;
    Deframer deframer_;
    std::deque<Out> out_;
    std::deque<GatewayEvent> gatewayOut_;
    std::vector<LogEntry> log_;
    uint64_t seq_ = 0;
    static constexpr size_t kLogLimit = 100000;
};

}  // namespace vasksim
