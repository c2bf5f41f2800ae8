// The simulated bus: every byte the PC sends arrives here; the devices on it
// acknowledge, answer, broadcast and misbehave as they are told, and everything
// received is logged.  Time comes from the caller, so the bus runs the same under a
// test's clock as under the real one.
#pragma once
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
  std::string line() const;
};

// A misbehaviour: applies to the next `remaining` telegrams for `device` (or all
// devices when 0) that match the optional message filter; -1 means always.
struct Fault {
  enum Kind { Silent, Nak, NoReply, Reject, Slow, BadCrc, WrongSource, Garbage, Duplicate };
  Kind kind = Silent;
  int device = 0;
  int remaining = 1;
  int arg = 0;              // Slow: ms; Garbage: bytes; WrongSource: address byte (0 = next device)
  std::string code;         // Reject: two-letter rejection
  char onLetter = 0;        // filter: only this message
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
  // Lets time pass: starts the cyclic broadcasts that are due.
  void advance();

  // Output waiting to go to the PC.  `takeDue` removes what is due now, in order.
  bool takeDue(Bytes& out);
  bool hasOutput() const { return !out_.empty(); }
  int64_t nextDue() const;  // -1 when nothing is queued
  int64_t nextBroadcast() const;  // -1 when no device broadcasts

  // Devices and settings.
  std::map<int, Device> devices;
  bool echo = false;
  bool pace = false;          // the I/O side paces output at 960 bytes/s when set
  uint8_t pcAddressByte = 0;  // 0: answer whoever asked
  std::vector<Fault> faults;

  const std::vector<LogEntry>& log() const { return log_; }
  uint64_t logCount() const { return seq_; }
  void clearLog() { log_.clear(); }
  void resetLog() {
    log_.clear();
    seq_ = 0;
  }
  size_t noiseBytes() const { return deframer_.noiseBytes(); }
  void resetLine() { deframer_.reset(); out_.clear(); }
  int64_t now() const { return clock_(); }

 private:
  struct Out {
    int64_t due;
    Bytes bytes;
  };
  void queue(int64_t due, Bytes bytes);
  void handleFrame(const Frame& f);
  Fault* matchFault(Fault::Kind kind, int device, char letter, int function);
  bool consume(Fault::Kind kind, int device, char letter, int function, Fault* copy = nullptr);

  Clock clock_;
  Deframer deframer_;
  std::deque<Out> out_;
  std::vector<LogEntry> log_;
  uint64_t seq_ = 0;
  static constexpr size_t kLogLimit = 100000;
};

}  // namespace vasksim
