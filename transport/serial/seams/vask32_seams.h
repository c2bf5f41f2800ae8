// The seams of vask32: the Win32 calls of the serial port, which tests replace since a
// pseudo-terminal has no modem lines. The function is exported, but declared only here, in
// a folder that the deliverables' include path does not hold; tests reach it through the
// target vask32_seams.
#pragma once

#include <windows.h>

#include "vask32_api.h"

// The Win32 calls the port makes; null members fall back to the platform's own.
struct SerialPlatform {
    HANDLE(WINAPI* createFile)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    BOOL(WINAPI* getCommState)(HANDLE, LPDCB);
    BOOL(WINAPI* setCommState)(HANDLE, LPDCB);
    BOOL(WINAPI* setCommTimeouts)(HANDLE, LPCOMMTIMEOUTS);
    BOOL(WINAPI* setCommMask)(HANDLE, DWORD);
    BOOL(WINAPI* setupComm)(HANDLE, DWORD, DWORD);
    BOOL(WINAPI* readFile)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI* purgeComm)(HANDLE, DWORD);
    BOOL(WINAPI* clearCommError)(HANDLE, LPDWORD, LPCOMSTAT);
    BOOL(WINAPI* escapeCommFunction)(HANDLE, DWORD);
    BOOL(WINAPI* waitCommEvent)(HANDLE, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI* closeHandle)(HANDLE);
    // The RTS lead before a write (busy wait on the library's millisecond timer).
    void (*delay)(unsigned long ms);
};

// Replaces the Win32 calls (null: the platform's own). Change it only while no port is
// open.
VASK32_API void SetSerialPlatform(const SerialPlatform* platform);
