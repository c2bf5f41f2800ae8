// Wire codec of the analyzer bus as a device sees it: CRC, telegram framing with DLE
// stuffing, and the receiver that reassembles the PC's telegrams byte by byte.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vasksim {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t DLE = 0x10;
constexpr uint8_t SOT = 0x01;  // start of telegram, after DLE
constexpr uint8_t ETX = 0x03;  // end of telegram, after DLE
constexpr uint8_t ACK = 0x06;
constexpr uint8_t NAK = 0x15;
constexpr uint8_t BROADCAST_DEVICE = 15;

// CRC-16 with reflected polynomial 0xA001, start value 0xFFFF, no final XOR.
uint16_t crc16(const uint8_t* data, size_t size, uint16_t crc = 0xFFFF);
inline uint16_t crc16(const Bytes& b) { return crc16(b.data(), b.size()); }

// Address byte: device number in the high half-byte, component index in the low one.
inline uint8_t addressByte(int device, int component) {
    return static_cast<uint8_t>(((device & 0x0F) << 4) | (component & 0x0F));
}
std::string addressText(uint8_t address);  // "device/component", as the bus tools print it

// A complete telegram: DLE SOT, destination, source, body (each 0x10 doubled), DLE ETX,
// then the CRC over all of that as sent, low byte first.
Bytes buildTelegram(uint8_t destination, uint8_t source, const Bytes& body);
// The same with the CRC bytes given explicitly (to send a deliberately broken one).
Bytes buildTelegramWithCrc(uint8_t destination, uint8_t source, const Bytes& body, uint16_t crc);

inline Bytes ackBytes() { return {DLE, ACK}; }
inline Bytes nakBytes() { return {DLE, NAK}; }

// One telegram as the receiver found it.
struct Frame {
    enum Status { Ok, BadCrc, Malformed };
    Status status = Ok;
    Bytes raw;  // every byte from DLE SOT to the second CRC byte, as received
    uint8_t destination = 0;
    uint8_t source = 0;
    Bytes body;           // unstuffed, without the addresses
    std::string problem;  // why a Malformed frame was dropped
};

// Reassembles telegrams from a byte stream.  Bytes outside a telegram are counted as
// noise; a DLE SOT inside a telegram starts it again; a DLE followed by anything but
// DLE, SOT or ETX, an oversized telegram or one without both address bytes is reported
// as Malformed so that the caller can log it instead of guessing.
class Deframer {
public:
    static constexpr size_t kMaxTelegram = 1000;

    // Feeds one byte; returns true when a telegram (good or not) is complete in `out`.
    bool push(uint8_t byte, Frame& out);
    size_t noiseBytes() const { return noise_; }
    bool inTelegram() const { return state_ != Idle; }
    void reset();

private:
    enum State { Idle, IdleDle, Inside, InsideDle, Crc1, Crc2 };
    bool finish(Frame& out, Frame::Status st, const std::string& why);
    State state_ = Idle;
    Bytes raw_;
    Bytes unstuffed_;
    size_t noise_ = 0;
};

std::string toHex(const Bytes& b);
std::string toHex(const uint8_t* p, size_t n);
// Parses hex digits, blanks and colons ignored; false on an odd count or a bad digit.
bool fromHex(const std::string& text, Bytes& out);

}  // namespace vasksim
