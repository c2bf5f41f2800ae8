// The simulated bus as a benchmark sets it up: three analyzers, output and input paced
// at 960 bytes per second, a device reaction time, optionally cyclic broadcasts; and the
// telegrams a case put on the line, read back from the simulator's log.
#pragma once

#include <string>
#include <vector>

#include "vasksim_client.h"
#include "wirebound.h"

namespace bench {

struct BusDevice {
    int address;
    int type;
    int components;
    int ranges;
    int broadcastPhase;  // ms in the 500 ms cycle when broadcasting
    const char* name;
};

// The three analyzers of every case.
extern const BusDevice kDevices[3];

class BenchBus {
public:
    bool Connect(std::string* error);
    // Loads the three analyzers afresh: pacing both ways, the reaction time, the echo of
    // the converter, broadcasts on or off, a parameter memory of `memoryBytes` on the
    // parameter-set device.
    bool Prepare(int reactionMs, bool echo, bool broadcasts, size_t memoryBytes,
                 std::string* error);
    // The simulator's count of received telegrams: the start of a case's log.
    bool LogCount(unsigned long long& count, std::string* error);
    // The telegrams received after `from`.
    bool Telegrams(unsigned long long from, std::vector<WireTelegram>& out, std::string* error);
    // The broadcast phases in force, as the PC sees them (empty without broadcasts).
    const std::vector<double>& Phases() const { return phases_; }
    // How long each broadcast lasts on the line (ms), in the order of the phases.
    const std::vector<double>& BroadcastMs() const { return lengths_; }
    bool Command(const std::string& line, std::string* error);

private:
    vasksim::SimClient sim_;
    std::vector<double> phases_;
    std::vector<double> lengths_;
};

}  // namespace bench
