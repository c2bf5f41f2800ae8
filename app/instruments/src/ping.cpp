// The ICMP echo to a gateway's host.
#include <winsock2.h>

#include "ping.h"

#include "seam.h"

#include <ipexport.h>

HMODULE CPing::s_library = NULL;
int CPing::s_useCount = 0;

namespace {

CPing::LoadFunction g_load = LoadLibraryA;
CPing::FreeFunction g_free = FreeLibrary;

const UCHAR kTimeToLive = 255;
const DWORD kTimeoutMs = 1000;
// The echo carries no data.
const WORD kRequestSize = 0;
// One reply record, the echoed data and the 8 bytes of an ICMP error message: a buffer of
// the reply record alone is refused (error 87) where the record holds 64-bit pointers.
const DWORD kReplySize = sizeof(ICMP_ECHO_REPLY) + kRequestSize + 8;

}  // namespace

CPing::CPing()
    : m_createFile(NULL), m_closeHandle(NULL), m_sendEcho(NULL), m_ready(0), m_error(Success) {
    if (s_library == NULL) s_library = g_load("ICMP.DLL");
    if (s_library != NULL) {
        m_createFile = (CreateFileFunction)(void*)GetProcAddress(s_library, "IcmpCreateFile");
        m_closeHandle = (CloseHandleFunction)(void*)GetProcAddress(s_library, "IcmpCloseHandle");
        m_sendEcho = (SendEchoFunction)(void*)GetProcAddress(s_library, "IcmpSendEcho");
        if (m_createFile == NULL || m_closeHandle == NULL || m_sendEcho == NULL) {
            m_error = NoLibrary;
        } else {
            WSADATA data;
            if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
                m_error = NoWinsock;
            } else if (data.wVersion != MAKEWORD(2, 2)) {
                m_error = WrongWinsock;
                WSACleanup();
            } else {
                m_ready = 1;
                ++s_useCount;
            }
        }
    } else {
        m_error = NoLibrary;
    }
    if (!m_ready && s_useCount <= 0) ReleaseLibrary();
}

CPing::~CPing() {
    if (!m_ready) return;
    WSACleanup();
    if (--s_useCount <= 0) ReleaseLibrary();
}

void CPing::ReleaseLibrary() {
    if (s_library != NULL) g_free(s_library);
    s_library = NULL;
    s_useCount = 0;
}

ULONG CPing::Resolve(const char* host) {
    if (host == NULL) return 0;
    ULONG address = inet_addr(host);
    if (address != INADDR_NONE) {
        // A dotted address needs no name; its reverse look-up is only preferred.
        const hostent* entry = gethostbyaddr((const char*)&address, sizeof address, AF_INET);
        if (entry != NULL && entry->h_addrtype == AF_INET && entry->h_addr_list[0] != NULL)
            memcpy(&address, entry->h_addr_list[0], sizeof address);
        return address;
    }
    const hostent* entry = gethostbyname(host);
    if (entry == NULL || entry->h_addrtype != AF_INET || entry->h_addr_list[0] == NULL) return 0;
    memcpy(&address, entry->h_addr_list[0], sizeof address);
    return address;
}

int CPing::Ping(const char* host) {
    if (!m_ready) return m_error;
    const ULONG address = Resolve(host);
    if (address == 0) return NotResolved;
    HANDLE handle = m_createFile();
    if (handle == INVALID_HANDLE_VALUE || handle == NULL) return NoIcmpHandle;

    IP_OPTION_INFORMATION options = {};
    options.Ttl = kTimeToLive;
    char request[1] = {0};
    union {
        ICMP_ECHO_REPLY record;
        unsigned char bytes[kReplySize];
    } reply = {};
    const DWORD replies = m_sendEcho(handle, address, request, kRequestSize, &options, &reply,
                                     kReplySize, kTimeoutMs);
    const int result = replies == 0 || reply.record.Status != IP_SUCCESS ? NoReply : Success;
    m_closeHandle(handle);
    return result;
}

CPing::LoadFunction CPing::SetLoadFunction(LoadFunction load) {
    return ReplaceSeam(g_load, load, (LoadFunction)LoadLibraryA);
}

CPing::FreeFunction CPing::SetFreeFunction(FreeFunction free) {
    return ReplaceSeam(g_free, free, (FreeFunction)FreeLibrary);
}
