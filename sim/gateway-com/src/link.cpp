#include "link.h"
#include "wire.h"

#include <ws2tcpip.h>

#include <new>
#include <string.h>

namespace gwsim {

namespace {

constexpr DWORD kAnswerTimeoutMs = 5000;
constexpr const char* kDefaultEndpoint = "127.0.0.1:4710";

std::string Endpoint() {
    char value[256];
    DWORD n = GetEnvironmentVariableA("VGWCE_ENDPOINT", value, sizeof value);
    if (n == 0 || n >= sizeof value) return kDefaultEndpoint;
    return std::string(value, n);
}

SOCKET ConnectTo(const std::string& endpoint, int* error) {
    *error = WSAEINVAL;
    size_t colon = endpoint.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == endpoint.size())
        return INVALID_SOCKET;
    std::string host = endpoint.substr(0, colon), port = endpoint.substr(colon + 1);
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0 || !found) {
        *error = WSAHOST_NOT_FOUND;
        return INVALID_SOCKET;
    }
    SOCKET s = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
    if (s != INVALID_SOCKET &&
        connect(s, found->ai_addr, static_cast<int>(found->ai_addrlen)) != 0) {
        *error = WSAGetLastError();
        closesocket(s);
        s = INVALID_SOCKET;
    }
    freeaddrinfo(found);
    return s;
}

class SrwExclusive {
public:
    explicit SrwExclusive(SRWLOCK& lock) : m_lock(lock) { AcquireSRWLockExclusive(&m_lock); }
    ~SrwExclusive() { ReleaseSRWLockExclusive(&m_lock); }

private:
    SRWLOCK& m_lock;
};

class CsLock {
public:
    explicit CsLock(CRITICAL_SECTION& cs) : m_cs(cs) { EnterCriticalSection(&m_cs); }
    ~CsLock() { LeaveCriticalSection(&m_cs); }

private:
    CRITICAL_SECTION& m_cs;
};

}  // namespace

Link::Link() {
    InitializeCriticalSection(&m_sendLock);
    InitializeCriticalSection(&m_callLock);
    m_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_readDone = WSACreateEvent();
    InterlockedIncrement(&g_moduleUsers);
}

Link::~Link() {
    if (m_socket != INVALID_SOCKET) closesocket(m_socket);
    if (m_stop) CloseHandle(m_stop);
    if (m_readDone != WSA_INVALID_EVENT) WSACloseEvent(m_readDone);
    DeleteCriticalSection(&m_sendLock);
    DeleteCriticalSection(&m_callLock);
    WSACleanup();
    InterlockedDecrement(&g_moduleUsers);
}

void Link::AddRef() { InterlockedIncrement(&m_refs); }

void Link::Release() {
    if (InterlockedDecrement(&m_refs) == 0) delete this;
}

HRESULT Link::Open(Link** out) {
    *out = nullptr;
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return E_FAIL;
    Link* link = new (std::nothrow) Link();
    if (!link) {
        WSACleanup();
        return E_OUTOFMEMORY;
    }
    if (!link->m_stop || link->m_readDone == WSA_INVALID_EVENT) {
        link->Release();
        return E_OUTOFMEMORY;
    }
    int error = 0;
    link->m_socket = ConnectTo(Endpoint(), &error);
    if (link->m_socket == INVALID_SOCKET) {
        link->Release();
        return HRESULT_FROM_WIN32(error);
    }
    BOOL noDelay = TRUE;
    setsockopt(link->m_socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
               sizeof noDelay);
    bool ok = false;
    try {
        ok = link->Handshake();
        link->m_sinks.resize(link->m_lines.size());
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    if (!ok) {
        link->Release();
        return E_FAIL;
    }
    // Each thread keeps the link and the module alive until it has ended.
    LPTHREAD_START_ROUTINE mains[] = {ReaderMain, DispatcherMain};
    for (LPTHREAD_START_ROUTINE main : mains) {
        HMODULE pinned = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCWSTR>(const_cast<LONG*>(&g_moduleUsers)), &pinned);
        link->AddRef();
        HANDLE thread = CreateThread(nullptr, 0, main, link, 0, nullptr);
        if (!thread) {
            link->Release();
            FreeLibrary(pinned);
            link->ReleaseUser();
            return E_OUTOFMEMORY;
        }
        CloseHandle(thread);
    }
    *out = link;
    return S_OK;
}

bool Link::Handshake() {
    const BYTE version = kProtocolVersion;
    if (!SendFrame(kHello, 0, &version, 1)) return false;
    for (;;) {
        uint8_t type;
        size_t line;
        std::vector<BYTE> payload;
        if (!ReadFrame(&type, &line, &payload, kAnswerTimeoutMs)) return false;
        if (type != kLines) continue;
        if (payload.empty()) return false;
        size_t count = payload[0], at = 1;
        for (size_t i = 0; i < count; ++i) {
            if (at >= payload.size()) return false;
            size_t length = payload[at++];
            if (at + length > payload.size()) return false;
            m_lines.emplace_back(reinterpret_cast<const char*>(&payload[at]), length);
            at += length;
        }
        return true;
    }
}

bool Link::SendFrame(uint8_t type, size_t line, const BYTE* payload, size_t length) {
    if (length > kMaxPayload || line > 0xFF) return false;
    BYTE header[kHeaderSize] = {type, static_cast<BYTE>(line), static_cast<BYTE>(length & 0xFF),
                                static_cast<BYTE>(length >> 8)};
    CsLock lock(m_sendLock);
    const BYTE* parts[] = {header, payload};
    size_t sizes[] = {kHeaderSize, length};
    for (int p = 0; p < 2; ++p) {
        size_t done = 0;
        while (done < sizes[p]) {
            int n = send(m_socket, reinterpret_cast<const char*>(parts[p] + done),
                         static_cast<int>(sizes[p] - done), 0);
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
    }
    return true;
}

bool Link::ReadBytes(BYTE* to, size_t n, DWORD timeoutMs) {
    size_t done = 0;
    while (done < n) {
        WSABUF buffer = {static_cast<ULONG>(n - done), reinterpret_cast<char*>(to + done)};
        WSAOVERLAPPED ov = {};
        ov.hEvent = m_readDone;
        WSAResetEvent(m_readDone);
        DWORD got = 0, flags = 0;
        if (WSARecv(m_socket, &buffer, 1, &got, &flags, &ov, nullptr) == SOCKET_ERROR) {
            if (WSAGetLastError() != WSA_IO_PENDING) return false;
            HANDLE waits[2] = {m_readDone, m_stop};
            if (WaitForMultipleObjects(2, waits, FALSE, timeoutMs) != WAIT_OBJECT_0) {
                CancelIoEx(reinterpret_cast<HANDLE>(m_socket), &ov);
                WSAGetOverlappedResult(m_socket, &ov, &got, TRUE, &flags);
                return false;
            }
            if (!WSAGetOverlappedResult(m_socket, &ov, &got, FALSE, &flags)) return false;
        }
        if (got == 0) return false;  // closed by the gateway side
        done += got;
    }
    return true;
}

bool Link::ReadFrame(uint8_t* type, size_t* line, std::vector<BYTE>* payload, DWORD timeoutMs) {
    BYTE header[kHeaderSize];
    if (!ReadBytes(header, kHeaderSize, timeoutMs)) return false;
    *type = header[0];
    *line = header[1];
    payload->resize(header[2] | (header[3] << 8));
    return payload->empty() || ReadBytes(payload->data(), payload->size(), timeoutMs);
}

void Link::Break() {
    {
        SrwExclusive lock(m_lock);
        m_broken = true;
        WakeAllConditionVariable(&m_changed);
    }
    SetEvent(m_stop);
    shutdown(m_socket, SD_BOTH);
}

void Link::AddUser() { InterlockedIncrement(&m_users); }

void Link::ReleaseUser() {
    if (InterlockedDecrement(&m_users) != 0) return;
    std::vector<std::vector<Sink>> sinks;
    {
        SrwExclusive lock(m_lock);
        m_stopping = true;
        m_broken = true;
        sinks.swap(m_sinks);
        m_events.clear();
        WakeAllConditionVariable(&m_changed);
    }
    SetEvent(m_stop);
    shutdown(m_socket, SD_BOTH);
    for (auto& line : sinks)
        for (Sink& s : line) s.sink->Release();
    Release();
}

HRESULT Link::Call(uint8_t type, size_t line, const BYTE* payload, size_t length,
                   uint8_t answerType, std::vector<BYTE>* answer) {
    CsLock call(m_callLock);
    {
        SrwExclusive lock(m_lock);
        if (m_broken) return E_FAIL;
        m_awaitType = answerType;
        m_awaitLine = line;
        m_answered = false;
    }
    if (!SendFrame(type, line, payload, length)) {
        Break();
        return E_FAIL;
    }
    bool answered;
    {
        SrwExclusive lock(m_lock);
        ULONGLONG deadline = GetTickCount64() + kAnswerTimeoutMs;
        while (!m_answered && !m_broken) {
            ULONGLONG now = GetTickCount64();
            if (now >= deadline) break;
            SleepConditionVariableSRW(&m_changed, &m_lock, static_cast<DWORD>(deadline - now), 0);
        }
        answered = m_answered;
        if (answered) answer->swap(m_answer);
        m_awaitType = 0;
        m_answered = false;
    }
    if (!answered) {
        // An answer that comes later would be taken for the next one: give the link up.
        Break();
        return E_FAIL;
    }
    return S_OK;
}

HRESULT Link::ReadRecord(size_t line, LineRecord* record) {
    std::vector<BYTE> answer;
    HRESULT hr = Call(kReadRecord, line, nullptr, 0, kRecord, &answer);
    if (FAILED(hr)) return hr;
    if (answer.size() < 1 + kRecordSize || answer[0] != 0) return E_FAIL;
    memcpy(record->bytes, &answer[1], kRecordSize);
    return S_OK;
}

HRESULT Link::WriteRecord(size_t line, const LineRecord& record) {
    std::vector<BYTE> answer;
    HRESULT hr = Call(kWriteRecord, line, record.bytes, kRecordSize, kRecordWritten, &answer);
    if (FAILED(hr)) return hr;
    return answer.size() >= 1 && answer[0] == 0 ? S_OK : E_FAIL;
}

HRESULT Link::Transmit(size_t line, ULONG_PTR cookie, uint8_t destination, const BYTE* data,
                       size_t length) {
    if (length + 5 > kMaxPayload) return E_INVALIDARG;
    std::vector<BYTE> payload(5 + length);
    uint32_t id;
    {
        SrwExclusive lock(m_lock);
        if (m_broken) return E_FAIL;
        id = m_nextTransmit++;
        if (m_nextTransmit == 0) m_nextTransmit = 1;
        m_transmits[id] = PendingTransmit{line, cookie};
    }
    for (int i = 0; i < 4; ++i) payload[i] = static_cast<BYTE>(id >> (8 * i));
    payload[4] = destination;
    if (length) memcpy(&payload[5], data, length);
    if (!SendFrame(kTransmit, line, payload.data(), payload.size())) {
        {
            SrwExclusive lock(m_lock);
            m_transmits.erase(id);
        }
        Break();
        return E_FAIL;
    }
    return S_OK;
}

HRESULT Link::Advise(size_t line, IVaskLineEventsGW* sink, DWORD* cookie) {
    SrwExclusive lock(m_lock);
    if (m_stopping || line >= m_sinks.size()) return E_FAIL;
    *cookie = m_nextCookie++;
    m_sinks[line].push_back(Sink{*cookie, sink});
    sink->AddRef();
    return S_OK;
}

HRESULT Link::Unadvise(size_t line, DWORD cookie) {
    IVaskLineEventsGW* gone = nullptr;
    {
        SrwExclusive lock(m_lock);
        if (line < m_sinks.size()) {
            auto& sinks = m_sinks[line];
            for (auto it = sinks.begin(); it != sinks.end(); ++it) {
                if (it->cookie == cookie) {
                    gone = it->sink;
                    sinks.erase(it);
                    break;
                }
            }
        }
    }
    if (!gone) return CONNECT_E_NOCONNECTION;
    gone->Release();
    return S_OK;
}

DWORD WINAPI Link::ReaderMain(void* self) {
    auto* link = static_cast<Link*>(self);
    link->ReadLoop();
    link->Release();
    FreeLibraryAndExitThread(g_module, 0);
}

DWORD WINAPI Link::DispatcherMain(void* self) {
    auto* link = static_cast<Link*>(self);
    link->DispatchLoop();
    link->Release();
    FreeLibraryAndExitThread(g_module, 0);
}

void Link::ReadLoop() {
    try {
        uint8_t type;
        size_t line;
        std::vector<BYTE> payload;
        while (ReadFrame(&type, &line, &payload, INFINITE)) OnFrame(type, line, payload);
    } catch (const std::bad_alloc&) {}
    Break();
}

void Link::OnFrame(uint8_t type, size_t line, std::vector<BYTE>& payload) {
    SrwExclusive lock(m_lock);
    switch (type) {
        case kRecord:
        case kRecordWritten:
            if (m_awaitType == type && m_awaitLine == line && !m_answered) {
                m_answer.swap(payload);
                m_answered = true;
                WakeAllConditionVariable(&m_changed);
            }
            break;
        case kTransmitDone: {
            if (payload.size() < 5) break;  // malformed: ignored
            uint32_t id = payload[0] | (payload[1] << 8) | (payload[2] << 16) |
                          (static_cast<uint32_t>(payload[3]) << 24);
            auto it = m_transmits.find(id);
            if (it == m_transmits.end()) break;  // unknown: ignored
            Event e = {true, it->second.line, it->second.cookie, payload[4], 0, 0, {}};
            m_transmits.erase(it);
            m_events.push_back(std::move(e));
            WakeAllConditionVariable(&m_changed);
            break;
        }
        case kReceived: {
            if (payload.size() < 2 || line >= m_lines.size()) break;  // malformed: ignored
            Event e = {false,
                       line,
                       0,
                       0,
                       payload[0],
                       payload[1],
                       std::vector<BYTE>(payload.begin() + 2, payload.end())};
            m_events.push_back(std::move(e));
            WakeAllConditionVariable(&m_changed);
            break;
        }
        default: break;  // unknown or out of place: ignored
    }
}

void Link::DispatchLoop() {
    // Events reach the sinks on this thread, as on a server's own thread; a sink may block
    // until its client has handled the event, so records and transmits never wait for it.
    HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    for (;;) {
        Event e;
        std::vector<IVaskLineEventsGW*> sinks;
        {
            SrwExclusive lock(m_lock);
            while (!m_stopping && m_events.empty())
                SleepConditionVariableSRW(&m_changed, &m_lock, INFINITE, 0);
            if (m_stopping) break;
            e = std::move(m_events.front());
            m_events.pop_front();
            try {
                for (Sink& s : m_sinks[e.line]) {
                    sinks.push_back(s.sink);
                    s.sink->AddRef();
                }
            } catch (const std::bad_alloc&) {}
        }
        for (IVaskLineEventsGW* sink : sinks) {
            if (e.transmitDone)
                sink->TransmitDone(e.cookie, e.status);
            else
                sink->Received(e.source, e.second, static_cast<LONG>(e.data.size()),
                               e.data.empty() ? nullptr : e.data.data());
            sink->Release();
        }
    }
    if (SUCCEEDED(init)) CoUninitialize();
}

}  // namespace gwsim
