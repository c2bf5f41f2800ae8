// A small gateway side for tests: listens on a loopback port, answers the stand-in's
// handshake and record requests from its own table of lines, logs every frame it receives,
// and sends received telegrams and transmit-done reports when the test says so.  It speaks
// the line protocol of README.md with its own codec.
#pragma once

#include <winsock2.h>

#include <array>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace gwpeer {

using Record = std::array<uint8_t, 12>;

struct PeerLine {
    std::string name;
    Record record;
};

struct Frame {
    uint8_t type = 0;
    uint8_t line = 0;
    std::vector<uint8_t> payload;
};

// A frame as the gateway side received it.
struct Logged {
    size_t connection;
    Frame frame;
};

// A transmit as the gateway side received it.
struct Transmit {
    size_t connection = 0;
    uint8_t line = 0;
    uint32_t id = 0;
    uint8_t destination = 0;
    std::vector<uint8_t> data;
};

enum class Handshake { kAnswer, kClose, kMalformed };

class FakeGatewaySide {
public:
    explicit FakeGatewaySide(std::vector<PeerLine> lines);
    ~FakeGatewaySide();
    FakeGatewaySide(const FakeGatewaySide&) = delete;
    FakeGatewaySide& operator=(const FakeGatewaySide&) = delete;

    bool Listening() const { return m_listener != INVALID_SOCKET; }
    std::string Endpoint() const;
    // Points the stand-in of this process at this gateway side.
    void Use() const;

    void SetHandshake(Handshake h);
    void RefuseReads(bool refuse);
    void RefuseWrites(bool refuse);
    Record RecordOf(size_t line) const;
    void SetRecord(size_t line, const Record& record);

    size_t Connections() const;
    std::vector<Logged> Log() const;
    // Waits (with a deadline) until the log holds an entry for which pred holds; gives its
    // index in the log, or -1.
    long WaitForLogged(const std::function<bool(const Logged&)>& pred, size_t from = 0,
                       unsigned timeoutMs = 10000) const;
    // The nth transmit received (counted from 0), waiting for it with a deadline.
    bool WaitForTransmit(size_t nth, Transmit* transmit, unsigned timeoutMs = 10000) const;
    size_t CountOf(uint8_t type) const;

    bool SendReceived(size_t connection, uint8_t line, uint8_t source, uint8_t second,
                      const std::vector<uint8_t>& data);
    bool SendTransmitDone(size_t connection, uint8_t line, uint32_t id, uint8_t status);
    bool SendFrame(size_t connection, const Frame& frame);
    bool SendRaw(size_t connection, const std::vector<uint8_t>& bytes);
    // Closes the connection from the gateway side.
    void Close(size_t connection);
    // Waits (with a deadline) until the other end has closed the connection.
    bool WaitForClosed(size_t connection, unsigned timeoutMs = 10000) const;

private:
    struct Connection {
        SOCKET socket = INVALID_SOCKET;
        std::thread reader;
        std::mutex sendLock;
        bool closed = false;
    };

    void AcceptLoop();
    void ReadLoop(size_t index, SOCKET s);
    bool ReadAll(SOCKET s, WSAEVENT done, uint8_t* to, size_t n);
    void Answer(size_t index, SOCKET s, const Frame& frame);

    std::vector<PeerLine> m_lines;
    SOCKET m_listener = INVALID_SOCKET;
    // Ends the readers: a blocked receive does not return when its own socket is shut down.
    HANDLE m_stop = nullptr;
    unsigned short m_port = 0;
    std::thread m_acceptor;
    mutable std::mutex m_lock;
    mutable std::condition_variable m_changed;
    std::vector<std::unique_ptr<Connection>> m_connections;
    std::vector<Logged> m_log;
    Handshake m_handshake = Handshake::kAnswer;
    bool m_refuseReads = false;
    bool m_refuseWrites = false;
    bool m_stopping = false;
};

// Frame types of the line protocol.
enum : uint8_t {
    kHello = 0x01,
    kReadRecord = 0x02,
    kWriteRecord = 0x03,
    kTransmit = 0x04,
    kLines = 0x81,
    kRecord = 0x82,
    kRecordWritten = 0x83,
    kTransmitDone = 0x84,
    kReceived = 0x85,
};

}  // namespace gwpeer
