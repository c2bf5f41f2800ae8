// One simulated analyzer: its identity, a generic store of reply values per message
// and channel, and the behaviour that goes beyond storing (measured values, switches,
// logbook, firmware download and parameter-set transfer).
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "message.h"

namespace vasksim {

// What a device does with one request addressed to it.
struct Response {
    enum Kind { Reply, NoReply, Restart };
    Kind kind = Reply;
    char letter = 0;
    int function = 0;
    Bytes params;
    std::string note;  // for the log: what the device made of the request
};

// Unit codes of the values the devices send.
enum UnitCode {
    kNoUnit = 1,
    kPercent = 10,
    kPicoampere = 29,
    kMilliampere = 30,
    kMillivolt = 32,
    kVolt = 33,
    kMillibar = 34,
    kHectopascal = 35,
    kCelsius = 40,
    kHertz = 41,
    kLitrePerMinute = 45,
};

struct LogbookEntry {
    int first = 1, second = 1, flags = 0;
    int minute = 0, hour = 0, day = 1, month = 1, year = 0;  // two-digit year
};

class Device {
public:
    struct Component {
        double base = 0.0, amplitude = 0.0, periodMs = 60000.0;
        int unit = 2, gas = 2;
    };
    enum class Download { Idle, MainBoard, MainLoaded, OptionBoard };

    explicit Device(int address = 1, int type = 1, int components = 1, int ranges = 4);

    // Handles a request whose telegram arrived intact and was acknowledged.
    Response handle(char letter, int function, int channel, const Bytes& params, int64_t nowMs);
    // A request sent to the broadcast address: handled, never answered.
    void handleBroadcast(char letter, int function, const Bytes& params, int64_t nowMs);
    // The reply parameters of a rejection, e.g. "BS" -> letter 'B', function 'S'.
    static Response rejection(const std::string& code, const std::string& why);

    // The measured values that the device broadcasts ("k" 2 body parameters).
    Bytes measuredValues(int64_t nowMs) const;

    // Generic store: the reply values of (letter, function) for a channel.
    Values& stored(char letter, int function, int channel);
    bool setStored(char letter, int function, int channel, const Bytes& params, std::string& why);

    void setComponents(int n);
    void setRanges(int n);
    // The channel type; the diagnostic values go back to the type's defaults.
    void setType(int type);
    // Range `range` (0-based, below `ranges`) of a component: its lower and upper limit and
    // the span gas at 80 % of the upper one, in the component's unit.
    void setRange(int component, int range, double lower, double upper);
    // A component's unit, which its ranges and span gas take as well.
    void setUnit(int component, int unit);
    bool switchOn(int number) const;
    void setSwitch(int number, bool on) { switches_[number] = on; }
    std::string status() const;

    int address;
    int type;
    int components;
    int ranges;
    std::string serial = "S0000001", software = "V1.00", hardware = "H1", order = "A5E00001",
                firmware = "FW100", extra = "", name;
    uint8_t flags = 0;
    uint8_t state = 4;
    bool requireRemote = false;
    int restartMs = 2000;
    int downloadFaults = 0;  // bits reported by "k" 20 / "k" 24 after a download
    int writeWarning = 0;    // status 6, 7 or 8 reported after the last block of a set
    int blockSize = 50;      // bytes per parameter-set block that the device sends
    std::vector<Component> comps;
    std::vector<LogbookEntry> logbook;
    Bytes memory;  // parameter memory, at most kMemoryLimit bytes
    static constexpr size_t kMemoryLimit = 10000;

    // Download and transfer state, visible to the control channel.
    Download download = Download::Idle;
    int recordsReceived = 0;
    int64_t restartUntil = 0;
    enum class ParamSet { Idle, Reading, Writing, AwaitingConfirm } paramSet = ParamSet::Idle;
    size_t readOffset = 0;
    int nextBlock = 1;
    Bytes incoming;
    int paramStatus = 0;
    int broadcastPhase = -1;  // ms within the 500 ms cycle; -1: no cyclic broadcast
    int64_t lastBroadcastCycle = -1;

private:
    void setDiagnosticDefaults();
    bool deviceLevel(char letter, int function) const;
    Response reply(char letter, int function, const Values& vs, const std::string& note = "");
    Response handleRead(char letter, int function, int channel, const Values& req, int64_t nowMs);
    Response handleK(int function, const Values& req, int64_t nowMs);
    Values switchRecord(int64_t nowMs);
    double measured(int component, int64_t nowMs) const;

    std::map<std::tuple<char, int, int>, Values> store_;
    std::map<std::tuple<char, int, int>, Values> userSnapshot_, defaultSnapshot_;
    std::map<int, bool> switches_;
};

}  // namespace vasksim
