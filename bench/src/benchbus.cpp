// The benchmark's simulated bus.
#include "benchbus.h"

#include <cstdio>
#include <cstdlib>

namespace bench {

// Three analyzers spread over the address range. Their broadcasts follow each other at
// 100 ms intervals, which leaves one clear largest gap of 300 ms for the PC's telegrams
// (with gaps of nearly equal length, which one the PC takes would depend on how exactly
// it has timed the broadcasts).
const BusDevice kDevices[3] = {
    {2, 1, 2, 4, 100, "Sindor Kanal 1"},
    {5, 2, 1, 2, 200, "Parvel O2"},
    {9, 1, 1, 4, 300, "Sindor Kanal 2"},
};

bool BenchBus::Connect(std::string* error) { return sim_.Connect(error); }

bool BenchBus::Command(const std::string& line, std::string* error) {
    if (sim_.Command(line)) return true;
    if (error) *error = line + ": " + sim_.LastError();
    return false;
}

bool BenchBus::Prepare(int reactionMs, bool echo, bool broadcasts, size_t memoryBytes,
                       std::string* error) {
    phases_.clear();
    lengths_.clear();
    if (!Command("SCENARIO empty", error) || !Command("CLEARLOG", error)) return false;
    for (const BusDevice& d : kDevices) {
        char line[160];
        std::snprintf(line, sizeof line, "DEVICE %d type=%d components=%d ranges=%d", d.address,
                      d.type, d.components, d.ranges);
        if (!Command(line, error)) return false;
        if (!Command("SET " + std::to_string(d.address) + " name " + d.name, error)) return false;
        // A restart after a firmware download is over well within the 30 s the program waits.
        if (!Command("SET " + std::to_string(d.address) + " restartms 2000", error)) return false;
        if (broadcasts) {
            if (!Command("BROADCAST " + std::to_string(d.address) + " " +
                             std::to_string(d.broadcastPhase),
                         error))
                return false;
            // The PC times a broadcast by its last byte: the phase at which it begins and
            // its length on the line, as the simulator reports them (the measured values of
            // every component, each with its unit and gas).
            std::vector<std::string> status;
            const std::string query = "BROADCAST " + std::to_string(d.address);
            size_t at = std::string::npos;
            if (!sim_.Command(query, &status) || status.size() != 1 ||
                (at = status[0].find("bytes=")) == std::string::npos) {
                if (error) *error = query + ": " + sim_.LastError();
                return false;
            }
            int bytes = std::atoi(status[0].c_str() + at + 6);
            phases_.push_back(d.broadcastPhase + bytes * 1000.0 / 960.0);
            lengths_.push_back(bytes * 1000.0 / 960.0);
        }
    }
    if (memoryBytes > 0) {
        // Bytes of every value, 0x10 among them, so that stuffing takes its share.
        std::string hex;
        hex.reserve(memoryBytes * 2);
        unsigned state = 12345;
        for (size_t k = 0; k < memoryBytes; ++k) {
            state = state * 1103515245u + 12345u;
            char two[3];
            std::snprintf(two, sizeof two, "%02X", (state >> 16) & 0xFF);
            hex += two;
        }
        if (!Command("MEMORY " + std::to_string(kDevices[1].address) + " " + hex, error))
            return false;
    }
    return Command("PACE both", error) &&
           Command("REACTION " + std::to_string(reactionMs), error) &&
           Command(echo ? "ECHO on" : "ECHO off", error);
}

bool BenchBus::LogCount(unsigned long long& count, std::string* error) {
    std::string message;
    if (!sim_.Command("LOGCOUNT", nullptr, &message)) {
        if (error) *error = "LOGCOUNT: " + sim_.LastError();
        return false;
    }
    count = std::strtoull(message.c_str(), nullptr, 10);
    return true;
}

bool BenchBus::Telegrams(unsigned long long from, std::vector<WireTelegram>& out,
                         std::string* error) {
    out.clear();
    std::vector<vasksim::SimLogEntry> entries;
    if (!sim_.Log(entries, from + 1)) {
        if (error) *error = "LOG: " + sim_.LastError();
        return false;
    }
    for (const vasksim::SimLogEntry& e : entries) {
        WireTelegram t;
        t.timeMs = e.timeMs;
        t.pcBytes = (int)(e.raw.size() / 2);
        if (e.sent < 0) {
            if (error)
                *error = "the simulator does not count the bytes it sends (an older vasksim?)";
            return false;
        }
        t.deviceBytes = e.sent;
        t.device = std::atoi(e.to.c_str());
        t.command = e.command;
        t.function = e.function;
        t.action = e.action;
        out.push_back(t);
    }
    return true;
}

}  // namespace bench
