// The control channel's command language: one command per line, answered by data
// lines and a closing "OK ..." or "ERR ..." line (see sim/README.md).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bus.h"
#include "gateway.h"

namespace vasksim {

class Control {
public:
    struct Result {
        std::vector<std::string> lines;  // data lines before the closing line
        bool ok = true;
        std::string message;
        bool quit = false;
        // WAITLOG: the caller holds the answer until the log count reaches waitCount
        // or the deadline (in bus milliseconds) passes.
        bool wait = false;
        uint64_t waitCount = 0;
        int64_t waitDeadline = 0;
        size_t waitLine = 0;       // the gateway line whose log is waited on (0: the serial bus)
        std::string text() const;  // the whole answer, newline-terminated lines
    };

    // A control over one bus, which is then the only line of the gateway side too.
    explicit Control(Bus& bus);
    // A control over every line of the gateway side; the first is the serial bus.
    explicit Control(LineSet& lines);
    Result execute(const std::string& line);
    bool loadScenario(const std::string& name, std::string& why);
    const std::string& scenario() const { return scenario_; }

private:
    Result device(const std::vector<std::string>& w);
    Result set(const std::vector<std::string>& w, const std::string& line);
    Result fault(const std::vector<std::string>& w);
    Result lines(const std::vector<std::string>& w);
    Result onLine(const std::vector<std::string>& w, const std::string& line);
    Result lineRecord(const std::vector<std::string>& w, const std::string& line);
    std::unique_ptr<LineSet> ownLines_;
    LineSet* lines_;
    Bus* bus_;  // the line that commands act on: the first unless LINE says otherwise
    size_t lineIndex_ = 0;
    std::string scenario_ = "default";
};

bool parseMessageName(const std::string& text, char& letter, int& function);

}  // namespace vasksim
