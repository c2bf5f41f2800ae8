// A bus in memory behind the link layer's seams: a byte port whose input the test
// scripts, a device that answers each written telegram as the test says, and a clock
// that moves only when the layer reads an empty port (as a real read waits about 2 ms)
// or delays.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "test_bytes.h"
#include "vask_seams.h"
#include "vasklayer.h"
#include "vaskport.h"

typedef std::vector<unsigned char> Bytes;

inline Bytes Cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// CRC-16 of the bus, bit by bit (nothing shared with the layer's table).
inline unsigned BitCrc(const Bytes& b) {
    unsigned crc = 0xFFFF;
    for (unsigned char c : b) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

// Wire bytes from DLE SOT to DLE ETX with their CRC behind them.
inline Bytes Sealed(Bytes t) {
    unsigned crc = BitCrc(t);
    t.push_back((unsigned char)(crc & 0xFF));
    t.push_back((unsigned char)(crc >> 8));
    return t;
}

// A telegram as a device puts it on the wire.
inline Bytes Frame(int destination, int source, const Bytes& body) {
    Bytes t = {0x10, 0x01};
    auto put = [&t](unsigned char c) {
        t.push_back(c);
        if (c == 0x10) t.push_back(c);
    };
    put((unsigned char)destination);
    put((unsigned char)source);
    for (unsigned char c : body) put(c);
    t.push_back(0x10);
    t.push_back(0x03);
    return Sealed(t);
}

struct FakeBus {
    // The port.
    std::deque<unsigned char> input;
    size_t chunk = 100000;         // bytes a read hands out at most
    int openResult = 1;            // what Open returns (0: error 12)
    int writeFailures = 0;         // this many writes fail with error 3
    bool readFails = false;        // every read fails with error 5
    std::function<void()> onRead;  // runs at the start of every read
    // The device: called with each telegram written; it may queue bytes.
    std::function<void(const Bytes&)> device;

    // The clock.
    unsigned long clock = 100000;
    unsigned long recvTime = 0;
    std::vector<unsigned long> delays;

    // What happened.
    std::vector<Bytes> written;
    std::vector<unsigned long> writeTimes;
    int created = 0, opened = 0, closed = 0, destroyed = 0, reads = 0;
    std::string openedName;
    SerialParam openedParam{};

    void Give(const Bytes& b) { input.insert(input.end(), b.begin(), b.end()); }
    void Ack() { Give({0x10, 0x06}); }
    void Nak() { Give({0x10, 0x15}); }

    static FakeBus*& Current() {
        static FakeBus* current = nullptr;
        return current;
    }

    FakeBus() {
        Current() = this;
        static const CvaskLayerSeams seams = {CreatePort, Now, Delay};
        SetLayerSeams(&seams);
    }
    ~FakeBus() {
        SetLayerSeams(nullptr);
        Current() = nullptr;
    }
    // Layers initialised afterwards wait for the gap as they do on a real port, reading it
    // all the while (an empty read moves the clock), instead of through the delay seam.
    void ListenWhileWaiting() {
        static const CvaskLayerSeams seams = {CreatePort, Now, nullptr};
        SetLayerSeams(&seams);
    }

    class Port : public CvaskPort {
    public:
        ~Port() override { ++Current()->destroyed; }
        int Open(const CString& port, const SerialParam* param, ErrorStruct_* err) override {
            FakeBus* b = Current();
            b->openedName = (const char*)port;
            if (param) b->openedParam = *param;
            if (!b->openResult) {
                SetError(err, 12, 2);
                return 0;
            }
            ++b->opened;
            return 1;
        }
        int Read(unsigned char* buffer, int max, int& count, ErrorStruct_* err) override {
            FakeBus* b = Current();
            ++b->reads;
            count = 0;
            if (b->onRead) b->onRead();
            if (b->readFails) {
                SetError(err, 5, 0);
                return 0;
            }
            if (b->input.empty()) {
                b->clock += 2;
                return 1;
            }
            while (count < max && (size_t)count < b->chunk && !b->input.empty()) {
                buffer[count++] = b->input.front();
                b->input.pop_front();
            }
            b->recvTime = b->clock;
            return 1;
        }
        int Write(const unsigned char* bytes, int n, ErrorStruct_* err) override {
            FakeBus* b = Current();
            Bytes t(bytes, bytes + n);
            b->written.push_back(t);
            b->writeTimes.push_back(b->clock);
            if (b->writeFailures > 0) {
                --b->writeFailures;
                SetError(err, 3, 0);
                return 0;
            }
            if (b->device) b->device(t);
            return 1;
        }
        int Close(ErrorStruct_*) override {
            ++Current()->closed;
            return 1;
        }
        unsigned long GetRecvTime() override { return Current()->recvTime; }
    };

private:
    static CvaskPort* CreatePort() {
        ++Current()->created;
        return new Port;
    }
    static unsigned long Now() { return Current()->clock; }
    static void Delay(unsigned long ms) {
        Current()->delays.push_back(ms);
        Current()->clock += ms;
    }
};
