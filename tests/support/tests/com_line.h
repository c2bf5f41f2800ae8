// COM1 as a test sees it: plain Win32 serial calls, 9600 8N1, reads with a deadline.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "test_bytes.h"

class ComLine {
public:
    ~ComLine() { Close(); }

    bool Open(const char* name, std::string* error) {
        std::string path = std::string("\\\\.\\") + name;
        h_ = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                         nullptr);
        if (h_ == INVALID_HANDLE_VALUE) {
            *error = "CreateFile " + path + " failed with error " + std::to_string(GetLastError());
            return false;
        }
        DCB dcb;
        ZeroMemory(&dcb, sizeof dcb);
        dcb.DCBlength = sizeof dcb;
        GetCommState(h_, &dcb);
        dcb.BaudRate = CBR_9600;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
        dcb.fRtsControl = RTS_CONTROL_DISABLE;
        if (!SetCommState(h_, &dcb)) {
            *error = "SetCommState failed with error " + std::to_string(GetLastError());
            return false;
        }
        COMMTIMEOUTS t = {1, 0, 20, 1, 100};  // a read returns after at most about 20 ms
        if (!SetCommTimeouts(h_, &t)) {
            *error = "SetCommTimeouts failed";
            return false;
        }
        PurgeComm(h_, PURGE_RXCLEAR | PURGE_TXCLEAR);
        return true;
    }

    void Close() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
    }

    bool Write(const std::vector<unsigned char>& bytes) {
        DWORD n = 0;
        return WriteFile(h_, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) &&
               n == bytes.size();
    }

    // Reads until `count` bytes have come or `ms` have passed.
    std::vector<unsigned char> Read(size_t count, DWORD ms = 5000) {
        std::vector<unsigned char> got;
        DWORD start = GetTickCount();
        while (got.size() < count && GetTickCount() - start < ms) {
            unsigned char buf[256];
            DWORD want = static_cast<DWORD>(count - got.size() < sizeof buf ? count - got.size()
                                                                            : sizeof buf);
            DWORD n = 0;
            if (!ReadFile(h_, buf, want, &n, nullptr)) break;
            got.insert(got.end(), buf, buf + n);
        }
        return got;
    }

    // Reads one telegram: DLE SOT up to DLE ETX and the two CRC bytes, as received.
    std::vector<unsigned char> ReadTelegram(DWORD ms = 5000) {
        std::vector<unsigned char> t;
        DWORD start = GetTickCount();
        bool dle = false;
        int trailer = -1;
        while (GetTickCount() - start < ms) {
            std::vector<unsigned char> b = Read(1, 50);
            if (b.empty()) continue;
            unsigned char c = b[0];
            t.push_back(c);
            if (trailer > 0) {
                if (--trailer == 0) return t;
                continue;
            }
            if (dle) {
                dle = false;
                if (c == 0x03) trailer = 2;
            } else if (c == 0x10) {
                dle = true;
            }
        }
        return t;
    }

private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};
