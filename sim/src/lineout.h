// The bytes the devices put on the serial line, on their way into the pseudo-terminal.
// The simulator never waits for the line: what the terminal does not take now is written
// once it can, and while nobody reads the other end (a program that reaches the bus through
// the gateway alone) the oldest bytes beyond the limit are lost, as a bus line loses what
// nobody listens to. Waiting instead would stop the devices, the gateway side and the
// control channel with the line.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>

#include "codec.h"

namespace vasksim {

class LineOutput {
public:
    // About a minute of a 9600-baud line.
    static constexpr size_t kDefaultLimit = 64 * 1024;

    explicit LineOutput(size_t limit = kDefaultLimit) : limit_(limit) {}

    void put(const Bytes& bytes);
    // Writes what the non-blocking descriptor takes now. A line that fails keeps its bytes:
    // the reads find it gone and the line is opened again.
    void flush(int fd);
    void clear() { bytes_.clear(); }

    bool pending() const { return !bytes_.empty(); }
    size_t size() const { return bytes_.size(); }
    // Bytes lost so far because nobody took them.
    uint64_t dropped() const { return dropped_; }

private:
    size_t limit_;
    std::deque<uint8_t> bytes_;
    uint64_t dropped_ = 0;
};

}  // namespace vasksim
