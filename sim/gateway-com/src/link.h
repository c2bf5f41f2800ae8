// One TCP connection of the stand-in to the gateway side: the handshake that fetches the
// lines, the round trips for the line records, the transmits, and the two threads that read
// the socket and deliver the line events to the advised sinks.
#pragma once

#include <winsock2.h>

#include "interfaces.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace gwsim {

// Objects and threads alive in the module (DllCanUnloadNow).
extern volatile LONG g_moduleUsers;
extern HMODULE g_module;

class Link {
public:
    // Connects to the endpoint of the setting VGWCE_ENDPOINT ("host:port") and fetches the
    // lines.  The caller holds one user of the new link.
    static HRESULT Open(Link** link);

    void AddUser();
    // The last user shuts the connection down; the threads end on their own.
    void ReleaseUser();

    size_t LineCount() const { return m_lines.size(); }
    const std::string& LineName(size_t line) const { return m_lines[line]; }

    HRESULT ReadRecord(size_t line, LineRecord* record);
    HRESULT WriteRecord(size_t line, const LineRecord& record);
    HRESULT Transmit(size_t line, ULONG_PTR cookie, uint8_t destination, const BYTE* data,
                     size_t length);
    HRESULT Advise(size_t line, IVaskLineEventsGW* sink, DWORD* cookie);
    HRESULT Unadvise(size_t line, DWORD cookie);

private:
    struct Event {
        bool transmitDone;
        size_t line;
        ULONG_PTR cookie;
        LONG status;
        BYTE source;
        BYTE second;
        std::vector<BYTE> data;
    };
    struct Sink {
        DWORD cookie;
        IVaskLineEventsGW* sink;
    };
    struct PendingTransmit {
        size_t line;
        ULONG_PTR cookie;
    };

    Link();
    ~Link();
    void AddRef();
    void Release();

    bool Handshake();
    bool SendFrame(uint8_t type, size_t line, const BYTE* payload, size_t length);
    bool ReadFrame(uint8_t* type, size_t* line, std::vector<BYTE>* payload, DWORD timeoutMs);
    bool ReadBytes(BYTE* to, size_t n, DWORD timeoutMs);
    HRESULT Call(uint8_t type, size_t line, const BYTE* payload, size_t length, uint8_t answerType,
                 std::vector<BYTE>* answer);
    void Break();

    static DWORD WINAPI ReaderMain(void* self);
    static DWORD WINAPI DispatcherMain(void* self);
    void ReadLoop();
    void DispatchLoop();
    void OnFrame(uint8_t type, size_t line, std::vector<BYTE>& payload);

    volatile LONG m_refs = 1;
    volatile LONG m_users = 1;
    SOCKET m_socket = INVALID_SOCKET;
    // A blocked receive does not end when the socket is shut down from this side (not under
    // Wine, at least): reads are overlapped and also wait for this event.
    HANDLE m_stop = nullptr;
    WSAEVENT m_readDone = WSA_INVALID_EVENT;
    std::vector<std::string> m_lines;

    CRITICAL_SECTION m_sendLock;  // one frame at a time on the socket
    CRITICAL_SECTION m_callLock;  // one round trip at a time

    SRWLOCK m_lock = SRWLOCK_INIT;  // everything below
    CONDITION_VARIABLE m_changed = CONDITION_VARIABLE_INIT;
    bool m_broken = false;
    bool m_stopping = false;
    uint8_t m_awaitType = 0;
    size_t m_awaitLine = 0;
    bool m_answered = false;
    std::vector<BYTE> m_answer;
    uint32_t m_nextTransmit = 1;
    std::map<uint32_t, PendingTransmit> m_transmits;
    DWORD m_nextCookie = 1;
    std::vector<std::vector<Sink>> m_sinks;
    std::deque<Event> m_events;
};

}  // namespace gwsim
