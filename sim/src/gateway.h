// The simulator's gateway side: the bus lines "COM1", "COM2", ... of a TCP/IP gateway,
// served over loopback TCP in the framed protocol that the gateway server stand-in
// speaks (sim/gateway-com/README.md).  Its frame codec is written here, apart from the
// stand-in's and the program's.  Sockets stay in main.cpp: this part only turns bytes
// received on a connection into work on the lines and the lines' reports into bytes.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bus.h"

namespace vasksim {

// The lines of the gateway.  Line 1 is the simulator's own bus, the one on the serial
// line too; further lines are buses of their own with the same clock.
class LineSet {
public:
    static constexpr size_t kMaxLines = 16;
    explicit LineSet(Bus& first) : first_(first) {}

    size_t size() const { return 1 + extra_.size(); }
    Bus& at(size_t index) { return index == 0 ? first_ : *extra_.at(index - 1); }
    const Bus& at(size_t index) const { return index == 0 ? first_ : *extra_.at(index - 1); }
    static std::string name(size_t index) { return "COM" + std::to_string(index + 1); }
    // The index of a line by its name, letters in any case; -1 when there is none.
    int find(const std::string& name) const;
    // 1 to kMaxLines lines; new lines start with no devices, removed ones are gone.
    bool resize(size_t count);
    // Copies of the lines after the first, to put back with `restore`.
    std::vector<Bus> saveExtra() const;
    void restore(const std::vector<Bus>& extra);
    // Lets time pass on the lines after the first (the caller runs the first); what they
    // would put on a serial line has nowhere to go and is dropped.
    void advanceExtra();
    int64_t nextWake() const;  // earliest broadcast or gateway report of any line; -1: none

private:
    Bus& first_;
    std::vector<std::unique_ptr<Bus>> extra_;
};

// One frame of the gateway protocol: type, line index, payload (length little-endian).
struct GatewayFrame {
    uint8_t type = 0;
    uint8_t line = 0;
    Bytes payload;
};
Bytes encodeGatewayFrame(const GatewayFrame& f);
// Takes the first whole frame off the front of `buffer`; false while none is complete.
bool takeGatewayFrame(Bytes& buffer, GatewayFrame& out);

enum GatewayFrameType : uint8_t {
    kGwHello = 0x01,
    kGwReadRecord = 0x02,
    kGwWriteRecord = 0x03,
    kGwTransmit = 0x04,
    kGwLines = 0x81,
    kGwRecord = 0x82,
    kGwRecordWritten = 0x83,
    kGwTransmitDone = 0x84,
    kGwReceived = 0x85,
};

class GatewaySide {
public:
    static constexpr uint8_t kVersion = 1;
    explicit GatewaySide(LineSet& lines) : lines_(lines) {}

    int open();  // a new connection; its id
    void close(int id);
    size_t connections() const { return conns_.size(); }
    // Bytes received on a connection.  False when the connection must be closed (a
    // protocol version this side does not speak).
    bool receive(int id, const uint8_t* data, size_t size);
    // Moves the lines' reports that are due into the output of their connections.
    void pump();
    // Output waiting for a connection; removed.
    bool takeOutput(int id, Bytes& out);
    int64_t nextDue() const { return lines_.nextWake(); }

private:
    struct Connection {
        Bytes in;
        Bytes out;
    };
    void handle(Connection& c, int id, const GatewayFrame& f, bool& keep);
    static void put(Connection& c, uint8_t type, uint8_t line, const Bytes& payload);

    LineSet& lines_;
    std::map<int, Connection> conns_;
    int nextId_ = 1;
};

}  // namespace vasksim
