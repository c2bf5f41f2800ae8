// Frames of the line protocol between the stand-in and the gateway side (see README.md):
// type (1 byte), line index (1 byte), payload length (2 bytes, little-endian), payload.
#pragma once

#include <stdint.h>

namespace gwsim {

enum FrameType : uint8_t {
    kHello = 0x01,          // stand-in: version byte
    kReadRecord = 0x02,     // stand-in: (empty)
    kWriteRecord = 0x03,    // stand-in: 12-byte record
    kTransmit = 0x04,       // stand-in: id (4), destination (1), data
    kLines = 0x81,          // gateway side: count (1), per line: name length (1), name
    kRecord = 0x82,         // gateway side: status (1), record (12) when status is 0
    kRecordWritten = 0x83,  // gateway side: status (1)
    kTransmitDone = 0x84,   // gateway side: id (4), status (1)
    kReceived = 0x85,       // gateway side: source (1), second byte (1), data
};

constexpr uint8_t kProtocolVersion = 1;
constexpr size_t kHeaderSize = 4;
constexpr size_t kMaxPayload = 0xFFFF;
constexpr size_t kRecordSize = 12;

}  // namespace gwsim
