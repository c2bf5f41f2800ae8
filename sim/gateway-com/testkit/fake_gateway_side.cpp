#include "fake_gateway_side.h"

#include <ws2tcpip.h>

#include <chrono>

namespace gwpeer {

namespace {

bool WriteAll(SOCKET s, const uint8_t* from, size_t n) {
    size_t done = 0;
    while (done < n) {
        int put =
            send(s, reinterpret_cast<const char*>(from + done), static_cast<int>(n - done), 0);
        if (put <= 0) return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

std::vector<uint8_t> Encode(const Frame& f) {
    std::vector<uint8_t> bytes = {f.type, f.line, static_cast<uint8_t>(f.payload.size() & 0xFF),
                                  static_cast<uint8_t>(f.payload.size() >> 8)};
    bytes.insert(bytes.end(), f.payload.begin(), f.payload.end());
    return bytes;
}

}  // namespace

bool FakeGatewaySide::ReadAll(SOCKET s, WSAEVENT done, uint8_t* to, size_t n) {
    size_t have = 0;
    while (have < n) {
        WSABUF buffer = {static_cast<ULONG>(n - have), reinterpret_cast<char*>(to + have)};
        WSAOVERLAPPED ov = {};
        ov.hEvent = done;
        WSAResetEvent(done);
        DWORD got = 0, flags = 0;
        if (WSARecv(s, &buffer, 1, &got, &flags, &ov, nullptr) == SOCKET_ERROR) {
            if (WSAGetLastError() != WSA_IO_PENDING) return false;
            HANDLE waits[2] = {done, m_stop};
            if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
                CancelIoEx(reinterpret_cast<HANDLE>(s), &ov);
                WSAGetOverlappedResult(s, &ov, &got, TRUE, &flags);
                return false;
            }
            if (!WSAGetOverlappedResult(s, &ov, &got, FALSE, &flags)) return false;
        }
        if (got == 0) return false;
        have += got;
    }
    return true;
}

FakeGatewaySide::FakeGatewaySide(std::vector<PeerLine> lines) : m_lines(std::move(lines)) {
    m_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return;
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    int len = sizeof a;
    if (m_listener == INVALID_SOCKET ||
        bind(m_listener, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        listen(m_listener, 8) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        if (m_listener != INVALID_SOCKET) closesocket(m_listener);
        m_listener = INVALID_SOCKET;
        return;
    }
    m_port = ntohs(a.sin_port);
    m_acceptor = std::thread([this] { AcceptLoop(); });
}

FakeGatewaySide::~FakeGatewaySide() {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stopping = true;
    }
    if (m_listener != INVALID_SOCKET) {
        // A blocked accept is ended by a connection of our own, which it then drops.
        SOCKET wake = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in a = {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(m_port);
        connect(wake, reinterpret_cast<sockaddr*>(&a), sizeof a);
        if (m_acceptor.joinable()) m_acceptor.join();
        closesocket(wake);
        closesocket(m_listener);
    }
    // No connection is added once the acceptor has ended.
    SetEvent(m_stop);
    for (auto& c : m_connections) {
        if (c->reader.joinable()) c->reader.join();
        closesocket(c->socket);
    }
    CloseHandle(m_stop);
    WSACleanup();
}

std::string FakeGatewaySide::Endpoint() const { return "127.0.0.1:" + std::to_string(m_port); }

void FakeGatewaySide::Use() const { SetEnvironmentVariableA("VGWCE_ENDPOINT", Endpoint().c_str()); }

void FakeGatewaySide::SetHandshake(Handshake h) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_handshake = h;
}

void FakeGatewaySide::RefuseReads(bool refuse) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_refuseReads = refuse;
}

void FakeGatewaySide::RefuseWrites(bool refuse) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_refuseWrites = refuse;
}

Record FakeGatewaySide::RecordOf(size_t line) const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_lines.at(line).record;
}

void FakeGatewaySide::SetRecord(size_t line, const Record& record) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_lines.at(line).record = record;
}

size_t FakeGatewaySide::Connections() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_connections.size();
}

std::vector<Logged> FakeGatewaySide::Log() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_log;
}

long FakeGatewaySide::WaitForLogged(const std::function<bool(const Logged&)>& pred, size_t from,
                                    unsigned timeoutMs) const {
    std::unique_lock<std::mutex> lock(m_lock);
    long found = -1;
    m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        for (size_t i = from; i < m_log.size(); ++i) {
            if (pred(m_log[i])) {
                found = static_cast<long>(i);
                return true;
            }
        }
        return false;
    });
    return found;
}

bool FakeGatewaySide::WaitForTransmit(size_t nth, Transmit* t, unsigned timeoutMs) const {
    std::unique_lock<std::mutex> lock(m_lock);
    const Logged* hit = nullptr;
    m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        size_t seen = 0;
        for (const Logged& l : m_log) {
            if (l.frame.type == kTransmit && l.frame.payload.size() >= 5 && seen++ == nth) {
                hit = &l;
                return true;
            }
        }
        return false;
    });
    if (!hit) return false;
    const auto& p = hit->frame.payload;
    t->connection = hit->connection;
    t->line = hit->frame.line;
    t->id = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
    t->destination = p[4];
    t->data.assign(p.begin() + 5, p.end());
    return true;
}

size_t FakeGatewaySide::CountOf(uint8_t type) const {
    std::lock_guard<std::mutex> lock(m_lock);
    size_t n = 0;
    for (const Logged& l : m_log) n += l.frame.type == type;
    return n;
}

bool FakeGatewaySide::SendReceived(size_t connection, uint8_t line, uint8_t source, uint8_t second,
                                   const std::vector<uint8_t>& data) {
    Frame f;
    f.type = kReceived;
    f.line = line;
    f.payload = {source, second};
    f.payload.insert(f.payload.end(), data.begin(), data.end());
    return SendFrame(connection, f);
}

bool FakeGatewaySide::SendTransmitDone(size_t connection, uint8_t line, uint32_t id,
                                       uint8_t status) {
    Frame f;
    f.type = kTransmitDone;
    f.line = line;
    f.payload = {static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8),
                 static_cast<uint8_t>(id >> 16), static_cast<uint8_t>(id >> 24), status};
    return SendFrame(connection, f);
}

bool FakeGatewaySide::SendFrame(size_t connection, const Frame& frame) {
    return SendRaw(connection, Encode(frame));
}

bool FakeGatewaySide::SendRaw(size_t connection, const std::vector<uint8_t>& bytes) {
    Connection* c;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (connection >= m_connections.size()) return false;
        c = m_connections[connection].get();
    }
    std::lock_guard<std::mutex> lock(c->sendLock);
    return WriteAll(c->socket, bytes.data(), bytes.size());
}

void FakeGatewaySide::Close(size_t connection) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (connection < m_connections.size()) shutdown(m_connections[connection]->socket, SD_BOTH);
}

bool FakeGatewaySide::WaitForClosed(size_t connection, unsigned timeoutMs) const {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        return connection < m_connections.size() && m_connections[connection]->closed;
    });
}

void FakeGatewaySide::AcceptLoop() {
    for (;;) {
        SOCKET s = accept(m_listener, nullptr, nullptr);
        if (s == INVALID_SOCKET) return;
        BOOL noDelay = TRUE;
        setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
                   sizeof noDelay);
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_stopping) {
            closesocket(s);
            return;
        }
        auto c = std::make_unique<Connection>();
        c->socket = s;
        size_t index = m_connections.size();
        m_connections.push_back(std::move(c));
        m_connections.back()->reader = std::thread([this, index, s] { ReadLoop(index, s); });
        m_changed.notify_all();
    }
}

void FakeGatewaySide::ReadLoop(size_t index, SOCKET s) {
    WSAEVENT done = WSACreateEvent();
    for (;;) {
        uint8_t header[4];
        if (!ReadAll(s, done, header, 4)) break;
        Frame f;
        f.type = header[0];
        f.line = header[1];
        f.payload.resize(header[2] | (header[3] << 8));
        if (!f.payload.empty() && !ReadAll(s, done, f.payload.data(), f.payload.size())) break;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_log.push_back(Logged{index, f});
            m_changed.notify_all();
        }
        Answer(index, s, f);
    }
    WSACloseEvent(done);
    std::lock_guard<std::mutex> lock(m_lock);
    m_connections[index]->closed = true;
    m_changed.notify_all();
}

void FakeGatewaySide::Answer(size_t index, SOCKET s, const Frame& f) {
    Frame reply;
    reply.line = f.line;
    std::vector<uint8_t> raw;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        switch (f.type) {
            case kHello:
                if (m_handshake == Handshake::kClose) {
                    shutdown(s, SD_BOTH);
                    return;
                }
                reply.type = kLines;
                reply.line = 0;
                if (m_handshake == Handshake::kMalformed) {
                    // Claims two lines but holds one name cut short.
                    reply.payload = {2, 4, 'C', 'O'};
                    break;
                }
                reply.payload.push_back(static_cast<uint8_t>(m_lines.size()));
                for (const PeerLine& l : m_lines) {
                    reply.payload.push_back(static_cast<uint8_t>(l.name.size()));
                    reply.payload.insert(reply.payload.end(), l.name.begin(), l.name.end());
                }
                break;
            case kReadRecord:
                reply.type = kRecord;
                if (m_refuseReads || f.line >= m_lines.size()) {
                    reply.payload = {1};
                } else {
                    reply.payload = {0};
                    const Record& r = m_lines[f.line].record;
                    reply.payload.insert(reply.payload.end(), r.begin(), r.end());
                }
                break;
            case kWriteRecord:
                reply.type = kRecordWritten;
                if (m_refuseWrites || f.line >= m_lines.size() || f.payload.size() != 12) {
                    reply.payload = {1};
                } else {
                    std::copy(f.payload.begin(), f.payload.end(), m_lines[f.line].record.begin());
                    reply.payload = {0};
                }
                break;
            default: return;  // transmits are answered by the test
        }
    }
    SendFrame(index, reply);
}

}  // namespace gwpeer
