// CPing: one ICMP echo to a host, through the system's ICMP library loaded at run time.
// Lives on the caller's stack for one operation; the library stays loaded while any ready
// CPing exists. The echo blocks the caller for up to 1000 ms.
#pragma once

#include <windows.h>

class CPing {
public:
    enum Error {
        Success = 0,
        NoLibrary = 1,     // the library or one of its entry points is missing
        NoWinsock = 2,     // WinSock did not start
        WrongWinsock = 3,  // WinSock is not version 2.2
        NotResolved = 4,   // the host's address is unknown
        NoReply = 5,       // no echo reply
        NoIcmpHandle = 6   // the library gave no handle
    };

    // Loads the library and starts WinSock; GetError tells what failed.
    CPing();
    // Ends WinSock and releases the library after the last ready CPing.
    ~CPing();
    CPing(const CPing&) = delete;
    CPing& operator=(const CPing&) = delete;

    // Sends one echo (TTL 255, 1000 ms) to a dotted IPv4 address or a host name; the error
    // code (Success when the host answered).
    int Ping(const char* host);
    int GetError() const { return m_error; }
    int IsReady() const { return m_ready; }

    // Seam over loading and releasing the library (null: the system's own); each returns
    // the one replaced.
    typedef HMODULE(WINAPI* LoadFunction)(LPCSTR name);
    typedef BOOL(WINAPI* FreeFunction)(HMODULE module);
    static LoadFunction SetLoadFunction(LoadFunction load);
    static FreeFunction SetFreeFunction(FreeFunction free);

private:
    typedef HANDLE(WINAPI* CreateFileFunction)();
    typedef BOOL(WINAPI* CloseHandleFunction)(HANDLE handle);
    typedef DWORD(WINAPI* SendEchoFunction)(HANDLE handle, ULONG address, LPVOID data,
                                            WORD dataSize, void* options, LPVOID reply,
                                            DWORD replySize, DWORD timeout);

    // The host's IPv4 address (network order); 0 when it cannot be resolved.
    static ULONG Resolve(const char* host);
    static void ReleaseLibrary();

    CreateFileFunction m_createFile;
    CloseHandleFunction m_closeHandle;
    SendEchoFunction m_sendEcho;
    int m_ready;
    int m_error;

    static HMODULE s_library;
    static int s_useCount;
};
