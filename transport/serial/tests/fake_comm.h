// A COM port in memory behind the seam of CSerialInterface: it records every call in
// order, hands out scripted input, can echo what is written, and can fail any call.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "serialinterface.h"
#include "vask32_seams.h"

struct FakeComm {
    // What the port does.
    std::deque<unsigned char> input;  // bytes the device has sent
    bool echo = false;                // written bytes come back as input
    int echoCorruptAt = -1;           // this byte of the echo comes back inverted
    size_t maxPerRead = 100000;       // a read delivers at most this many bytes
    DWORD createError = 0;            // CreateFile fails with this system error
    std::string failCall;             // this call fails ("SetCommMask", "SETRTS", ...)
    int failAfter = 0;                // ... after this many good calls of that name
    DWORD shortWrite = 0;             // WriteFile reports this many fewer bytes
    DWORD commEvent = EV_TXEMPTY;     // what WaitCommEvent reports
    DWORD commErrors = 0;             // what the next ClearCommError reports

    // What was done to it.
    std::vector<std::string> calls;
    std::string openedName;
    std::vector<unsigned char> written;
    DCB dcb{};
    COMMTIMEOUTS timeouts{};
    std::vector<COMMTIMEOUTS> timeoutHistory;
    DWORD mask = 0xFFFFFFFF;
    DWORD inQueue = 0, outQueue = 0;
    DWORD purged = 0;
    int opened = 0, closed = 0;

    static FakeComm*& Current() {
        static FakeComm* current = nullptr;
        return current;
    }

    FakeComm() {
        Current() = this;
        SetSerialPlatform(&kPlatform);
    }
    ~FakeComm() {
        SetSerialPlatform(nullptr);
        Current() = nullptr;
    }

    void Give(const std::vector<unsigned char>& bytes) {
        input.insert(input.end(), bytes.begin(), bytes.end());
    }

    // The recorded calls from index `from` on, joined with blanks; the error polls and
    // the timeout switches around fetches are left out unless asked for.
    std::string Calls(size_t from = 0, bool all = false) const {
        std::string s;
        for (size_t k = from; k < calls.size(); ++k) {
            if (!all && (calls[k] == "ClearCommError" || calls[k] == "SetCommTimeouts")) continue;
            if (!s.empty()) s += ' ';
            s += calls[k];
        }
        return s;
    }

    static const HANDLE kHandle;

private:
    bool Fails(const std::string& name) {
        calls.push_back(name);
        if (failCall != name) return false;
        if (failAfter > 0) {
            --failAfter;
            return false;
        }
        return true;
    }

    static HANDLE WINAPI CreateFileF(LPCSTR name, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD,
                                     HANDLE) {
        FakeComm* f = Current();
        f->calls.push_back("CreateFile");
        f->openedName = name;
        if (f->createError) {
            SetLastError(f->createError);
            return INVALID_HANDLE_VALUE;
        }
        ++f->opened;
        return kHandle;
    }
    static BOOL WINAPI GetCommStateF(HANDLE, LPDCB dcb) {
        FakeComm* f = Current();
        if (f->Fails("GetCommState")) return FALSE;
        *dcb = f->dcb;
        return TRUE;
    }
    static BOOL WINAPI SetCommStateF(HANDLE, LPDCB dcb) {
        FakeComm* f = Current();
        if (f->Fails("SetCommState")) return FALSE;
        f->dcb = *dcb;
        return TRUE;
    }
    static BOOL WINAPI SetCommTimeoutsF(HANDLE, LPCOMMTIMEOUTS t) {
        FakeComm* f = Current();
        if (f->Fails("SetCommTimeouts")) return FALSE;
        f->timeouts = *t;
        f->timeoutHistory.push_back(*t);
        return TRUE;
    }
    static BOOL WINAPI SetCommMaskF(HANDLE, DWORD m) {
        FakeComm* f = Current();
        if (f->Fails("SetCommMask")) return FALSE;
        f->mask = m;
        return TRUE;
    }
    static BOOL WINAPI SetupCommF(HANDLE, DWORD in, DWORD out) {
        FakeComm* f = Current();
        if (f->Fails("SetupComm")) return FALSE;
        f->inQueue = in;
        f->outQueue = out;
        return TRUE;
    }
    static BOOL WINAPI ReadFileF(HANDLE, LPVOID buffer, DWORD want, LPDWORD got, LPOVERLAPPED) {
        FakeComm* f = Current();
        *got = 0;
        if (f->Fails("ReadFile")) return FALSE;
        unsigned char* out = static_cast<unsigned char*>(buffer);
        while (*got < want && *got < f->maxPerRead && !f->input.empty()) {
            out[(*got)++] = f->input.front();
            f->input.pop_front();
        }
        return TRUE;
    }
    static BOOL WINAPI WriteFileF(HANDLE, LPCVOID bytes, DWORD n, LPDWORD written, LPOVERLAPPED) {
        FakeComm* f = Current();
        *written = 0;
        if (f->Fails("WriteFile")) return FALSE;
        const unsigned char* b = static_cast<const unsigned char*>(bytes);
        f->written.insert(f->written.end(), b, b + n);
        if (f->echo)
            for (DWORD k = 0; k < n; ++k)
                f->input.push_back((int)k == f->echoCorruptAt ? (unsigned char)~b[k] : b[k]);
        *written = n - (f->shortWrite < n ? f->shortWrite : n);
        return TRUE;
    }
    static BOOL WINAPI PurgeCommF(HANDLE, DWORD flags) {
        FakeComm* f = Current();
        if (f->Fails("PurgeComm")) return FALSE;
        f->purged = flags;
        return TRUE;
    }
    static BOOL WINAPI ClearCommErrorF(HANDLE, LPDWORD errors, LPCOMSTAT stat) {
        FakeComm* f = Current();
        if (f->Fails("ClearCommError")) return FALSE;
        // The driver's receive queue, as the port tells it.
        if (stat != NULL) stat->cbInQue = (DWORD)f->input.size();
        *errors = f->commErrors;
        f->commErrors = 0;
        return TRUE;
    }
    static BOOL WINAPI EscapeCommFunctionF(HANDLE, DWORD what) {
        FakeComm* f = Current();
        const char* name = what == SETRTS ? "SETRTS" : what == CLRRTS ? "CLRRTS" : "Escape";
        return f->Fails(name) ? FALSE : TRUE;
    }
    static BOOL WINAPI WaitCommEventF(HANDLE, LPDWORD event, LPOVERLAPPED) {
        FakeComm* f = Current();
        if (f->Fails("WaitCommEvent")) return FALSE;
        *event = f->commEvent;
        return TRUE;
    }
    static BOOL WINAPI CloseHandleF(HANDLE) {
        FakeComm* f = Current();
        f->calls.push_back("CloseHandle");
        ++f->closed;
        return TRUE;
    }
    static void DelayF(unsigned long ms) {
        Current()->calls.push_back("Delay" + std::to_string(ms));
    }

    static constexpr SerialPlatform kPlatform = {
        CreateFileF,  GetCommStateF,   SetCommStateF,       SetCommTimeoutsF,
        SetCommMaskF, SetupCommF,      ReadFileF,           WriteFileF,
        PurgeCommF,   ClearCommErrorF, EscapeCommFunctionF, WaitCommEventF,
        CloseHandleF, DelayF};
};

inline const HANDLE FakeComm::kHandle = reinterpret_cast<HANDLE>(static_cast<intptr_t>(0x4711));
