// Client of the analyzer simulator's control channel (see sim/README.md), for Windows
// tests that need a bus: load scenarios, change devices, inject faults, read the log of
// the telegrams the simulator received.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vasksim {

// One line of the simulator's log, split into its fields.
struct SimLogEntry {
    uint64_t seq = 0;
    int64_t timeMs = 0;
    std::string to, from;  // "device/component"
    std::string crc;       // "ok", "bad" or "malformed"
    char command = 0;      // 0 when the telegram had no body
    int function = -1;
    std::string action;  // e.g. "ack,reply", "nak", "silent"
    std::string raw;     // the telegram as received, hex
    std::string body;    // its unstuffed body, hex
    std::string values;  // the request values as the device read them
    int sent = -1;       // bytes the devices sent about it (ACK, reply, noise); -1: not logged
    std::string line;    // the whole line
};
bool ParseSimLogLine(const std::string& line, SimLogEntry& out);
// The telegrams of `entries` with a body that went to device `address`, as "F1".
std::vector<std::string> TelegramsTo(const std::vector<SimLogEntry>& entries, int address);

class SimClient {
public:
    SimClient();
    ~SimClient();
    SimClient(const SimClient&) = delete;
    SimClient& operator=(const SimClient&) = delete;

    // The control port: VASK_SIM_PORT, else the number in the file VASK_SIM_PORTFILE
    // (a Unix path is read through drive Z:).  0 with `error` set when neither works.
    static int PortFromEnvironment(std::string* error);

    bool Connect(std::string* error = nullptr);  // to the port from the environment
    bool Connect(int port, std::string* error = nullptr);
    void Close();
    bool IsConnected() const;

    // One command.  True for an "OK" answer; `data` receives the data lines and `message`
    // the text after OK or ERR.  A broken connection or a silent simulator (10 s) gives
    // false with the reason in `message`.
    bool Command(const std::string& line, std::vector<std::string>* data = nullptr,
                 std::string* message = nullptr);

    // Shorthands.
    bool Reset() { return Command("RESET"); }
    bool Fault(const std::string& spec) { return Command("FAULT " + spec); }
    bool Log(std::vector<SimLogEntry>& entries, uint64_t fromSeq = 0);
    // Waits (in the simulator, not here) until `count` telegrams were received.
    bool WaitLog(uint64_t count, int timeoutMs);
    // One data line of READ: the reply values of a message in hex.
    bool Read(int address, int channel, const std::string& message, std::string& hex);

    const std::string& LastError() const { return lastError_; }

private:
    bool SendAll(const std::string& text);
    bool ReadLine(std::string& line, unsigned timeoutMs);
    uintptr_t socket_;
    std::string pending_;
    std::string lastError_;
};

}  // namespace vasksim
