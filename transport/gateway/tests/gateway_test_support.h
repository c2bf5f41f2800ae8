// Helpers of the VaskGate tests: a COM apartment per thread, message-dispatching waits with a
// deadline, and recorders for the receive and transmit callbacks.
#pragma once

#include "fake_gateway_side.h"  // winsock2.h before windows.h
#include "VaskGate.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace gwtest {

constexpr unsigned kDeadlineMs = 10000;

class Apartment {
public:
    explicit Apartment(DWORD model = COINIT_MULTITHREADED) : m_hr(CoInitializeEx(nullptr, model)) {}
    ~Apartment() {
        if (SUCCEEDED(m_hr)) CoUninitialize();
    }
    bool Ok() const { return SUCCEEDED(m_hr); }

private:
    HRESULT m_hr;
};

// Dispatches this thread's messages (callbacks arrive as sent messages) until pred holds or
// the deadline passes.
inline bool PumpUntil(const std::function<bool()>& pred, unsigned timeoutMs = kDeadlineMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (pred()) return true;
        ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        DWORD slice = static_cast<DWORD>(deadline - now < 50 ? deadline - now : 50);
        MsgWaitForMultipleObjectsEx(0, nullptr, slice, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

struct Completion {
    void* request = nullptr;
    int result = -1;
    unsigned char source = 0;
    unsigned char second = 0;
    std::vector<unsigned char> data;
    int dataResult = -1;
    DWORD thread = 0;
    void* context = nullptr;
};

// Collects completions; a receive completion copies its data inside the callback.
class Recorder {
public:
    std::vector<Completion> Taken() const {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_completions;
    }
    size_t Count() const {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_completions.size();
    }
    bool WaitFor(size_t n, unsigned timeoutMs = kDeadlineMs) const {
        return PumpUntil([&] { return Count() >= n; }, timeoutMs);
    }
    void Add(const Completion& c) {
        std::lock_guard<std::mutex> lock(m_lock);
        m_completions.push_back(c);
    }

    static void VGAPI OnReceive(HVGRECEIVE request, unsigned char source, unsigned char second,
                                VG_ERROR result, void* context) {
        auto* self = static_cast<Recorder*>(context);
        Completion c;
        c.request = request;
        c.result = result;
        c.source = source;
        c.second = second;
        c.thread = GetCurrentThreadId();
        c.context = context;
        unsigned char buffer[512];
        unsigned size = sizeof buffer;
        c.dataResult = VGReceiveData(request, buffer, &size);
        if (c.dataResult == VG_OK) c.data.assign(buffer, buffer + size);
        if (self->m_onReceive) self->m_onReceive(request);
        self->Add(c);
    }

    static void VGAPI OnTransmit(HVGTRANSMIT request, VG_ERROR result, void* context) {
        auto* self = static_cast<Recorder*>(context);
        Completion c;
        c.request = request;
        c.result = result;
        c.thread = GetCurrentThreadId();
        c.context = context;
        self->Add(c);
    }

    // Runs inside each receive callback, after the data was copied.
    std::function<void(HVGRECEIVE)> m_onReceive;

private:
    mutable std::mutex m_lock;
    std::vector<Completion> m_completions;
};

inline gwpeer::Record MakeRecord(uint8_t terminator, uint8_t slow, uint8_t address) {
    // Bytes the client does not interpret carry distinct values, to see them written back.
    gwpeer::Record r = {0xA0, 0xA1,       0xA2, 0xA3,    0xA4, 0xA5,
                        0xA6, terminator, slow, address, 0xB0, 0xB1};
    return r;
}

inline std::string LineName(HVGLINE line) {
    char name[64];
    unsigned size = sizeof name;
    if (VGGetLineName(line, name, &size) != VG_OK) return "<error>";
    return name;
}

}  // namespace gwtest
