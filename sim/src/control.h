// The control channel's command language: one command per line, answered by data
// lines and a closing "OK ..." or "ERR ..." line (see sim/README.md).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "bus.h"

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
    std::string text() const;  // the whole answer, newline-terminated lines
  };

  explicit Control(Bus& bus) : bus_(bus) {}
  Result execute(const std::string& line);
  bool loadScenario(const std::string& name, std::string& why);
  const std::string& scenario() const { return scenario_; }

 private:
  Result device(const std::vector<std::string>& w);
  Result set(const std::vector<std::string>& w, const std::string& line);
  Result fault(const std::vector<std::string>& w);
  Bus& bus_;
  std::string scenario_ = "default";
};

bool parseMessageName(const std::string& text, char& letter, int& function);

}  // namespace vasksim
