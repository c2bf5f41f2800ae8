// The gateway client through the stand-in to the simulator's gateway side: the lines the
// simulator offers, telegrams to its devices and their replies, the outcome of faults,
// and the line record, each checked against what the simulator's control channel reports.
#include <winsock2.h>

#include "VaskGate.h"
#include "vasksim_client.h"
#include "vasksim_gateway.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr unsigned kDeadlineMs = 10000;

bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs = kDeadlineMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        if (done()) return true;
        ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr,
                                    static_cast<DWORD>(deadline - now < 20 ? deadline - now : 20),
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

struct Received {
    int result = -1;
    unsigned char source = 0, second = 0;
    std::string body;
};

struct Sink {
    std::vector<Received> received;
    std::vector<int> transmitted;
    static void VGAPI OnReceive(HVGRECEIVE request, unsigned char source, unsigned char second,
                                VG_ERROR result, void* context) {
        Received r;
        r.result = result;
        r.source = source;
        r.second = second;
        unsigned char buffer[256];
        unsigned size = sizeof buffer;
        if (result == VG_OK && VGReceiveData(request, buffer, &size) == VG_OK)
            r.body.assign(reinterpret_cast<char*>(buffer), size);
        static_cast<Sink*>(context)->received.push_back(r);
    }
    static void VGAPI OnTransmit(HVGTRANSMIT, VG_ERROR result, void* context) {
        static_cast<Sink*>(context)->transmitted.push_back(result);
    }
};

class GatewaySim : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        std::string why;
        ASSERT_TRUE(vasksim::UseSimulatorGateway(&why)) << why;
        ASSERT_TRUE(sim_.Connect(&why)) << why;
        ASSERT_TRUE(sim_.Reset()) << sim_.LastError();
        ASSERT_EQ(VGInitialize(), VG_OK);
        ASSERT_EQ(VGConnect("gateway.example", &server_), VG_OK);
    }
    void TearDown() override {
        if (line_) VGCloseLine(line_);
        if (server_) VGDisconnect(server_);
        VGUninitialize();
        CoUninitialize();
    }

    // Transmits a body and waits for its completion and for `replies` telegrams.
    void Exchange(int destination, const std::string& body, size_t replies) {
        for (size_t i = 0; i < replies; ++i)
            ASSERT_EQ(VGReceive(line_, nullptr, Sink::OnReceive, &sink_), VG_OK);
        size_t sent = sink_.transmitted.size(), got = sink_.received.size();
        ASSERT_EQ(
            VGTransmit(line_, destination, reinterpret_cast<const unsigned char*>(body.data()),
                       static_cast<int>(body.size()), nullptr, Sink::OnTransmit, &sink_),
            VG_OK);
        ASSERT_TRUE(PumpUntil([&] {
            return sink_.transmitted.size() > sent && sink_.received.size() >= got + replies;
        })) << "transmit or reply missing";
    }

    vasksim::SimClient sim_;
    HVGSERVER server_ = nullptr;
    HVGLINE line_ = nullptr;
    Sink sink_;
};

std::vector<std::string> LineNames(HVGSERVER server) {
    std::vector<std::string> names;
    HVGLINE line = nullptr;
    if (VGGetFirstLine(server, &line) != VG_OK) return names;
    while (line) {
        char name[32];
        unsigned size = sizeof name;
        names.push_back(VGGetLineName(line, name, &size) == VG_OK ? name : "<error>");
        HVGLINE next = nullptr;
        if (VGGetNextLine(line, &next) != VG_OK) next = nullptr;
        VGCloseLine(line);
        line = next;
    }
    return names;
}

}  // namespace

TEST_F(GatewaySim, TheSimulatorsLinesAreTheGatewaysLines) {
    EXPECT_EQ(std::vector<std::string>{"COM1"}, LineNames(server_));
    // A new connection sees the lines as they are when it is made.
    ASSERT_TRUE(sim_.Command("LINES 3"));
    HVGSERVER other = nullptr;
    ASSERT_EQ(VGConnect("second.example", &other), VG_OK);
    EXPECT_EQ((std::vector<std::string>{"COM1", "COM2", "COM3"}), LineNames(other));
    EXPECT_EQ(VGDisconnect(other), VG_OK);
}

TEST_F(GatewaySim, ADeviceAnswersThroughTheGateway) {
    ASSERT_TRUE(sim_.Command("SET 1 serial 0815-GW"));
    ASSERT_EQ(VGOpenLine(server_, "COM1", &line_), VG_OK);
    Exchange(0x10, std::string("k\x06", 2), 1);
    ASSERT_EQ(1u, sink_.transmitted.size());
    EXPECT_EQ(VG_OK, sink_.transmitted[0]);
    const Received& r = sink_.received.at(0);
    EXPECT_EQ(VG_OK, r.result);
    EXPECT_EQ(0x10, r.source);
    EXPECT_EQ(0xD0, r.second);
    ASSERT_GE(r.body.size(), 4u);
    EXPECT_EQ('k', r.body[2]);
    EXPECT_EQ(6, r.body[3]);
    EXPECT_NE(std::string::npos, r.body.find("0815-GW"));

    std::vector<vasksim::SimLogEntry> log;
    ASSERT_TRUE(sim_.Log(log));
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ("1/0", log[0].to);
    EXPECT_EQ("13/0", log[0].from);
    EXPECT_EQ('k', log[0].command);
    EXPECT_NE(std::string::npos, log[0].line.find("via=gateway"));
}

TEST_F(GatewaySim, FaultsOfTheSimulatorBecomeTransmitResults) {
    ASSERT_EQ(VGOpenLine(server_, "COM1", &line_), VG_OK);
    struct Case {
        const char* fault;  // FAULT arguments, or empty
        int destination;
        VG_ERROR result;
    } cases[] = {
        {"", 0x20, VG_OK},
        {"2 silent", 0x20, VG_NO_ACK},
        {"", 0x70, VG_NO_ACK},  // nobody at 7
        {"2 nak", 0x20, VG_TRANSMIT_FAILED},
    };
    for (const Case& c : cases) {
        if (*c.fault) {
            ASSERT_TRUE(sim_.Fault(c.fault)) << c.fault;
        }
        size_t before = sink_.transmitted.size();
        ASSERT_EQ(VGTransmit(line_, c.destination, reinterpret_cast<const unsigned char*>("k\x03"),
                             2, nullptr, Sink::OnTransmit, &sink_),
                  VG_OK);
        ASSERT_TRUE(PumpUntil([&] { return sink_.transmitted.size() > before; })) << c.fault;
        EXPECT_EQ(c.result, sink_.transmitted.back()) << c.fault;
    }
}

TEST_F(GatewaySim, EachLineHasItsOwnDevicesAndAddress) {
    ASSERT_TRUE(sim_.Command("LINES 2"));
    ASSERT_TRUE(sim_.Command("LINE COM2 DEVICE 5 type=2"));
    HVGSERVER fresh = nullptr;  // the line list is taken when a connection is made
    ASSERT_EQ(VGDisconnect(server_), VG_OK);
    server_ = nullptr;
    ASSERT_EQ(VGConnect("gateway.example", &fresh), VG_OK);
    server_ = fresh;
    ASSERT_EQ(VGOpenLine(server_, "COM2", &line_), VG_OK);
    ASSERT_EQ(VGSetLineAddress(line_, 14), VG_OK);
    std::vector<std::string> record;
    ASSERT_TRUE(sim_.Command("LINE COM2 RECORD", &record));
    ASSERT_EQ(1u, record.size());
    EXPECT_EQ("0E", record[0].substr(18, 2)) << record[0];

    Exchange(0x50, std::string("k\x06", 2), 1);
    EXPECT_EQ(0x50, sink_.received.at(0).source);
    EXPECT_EQ(0xE0, sink_.received.at(0).second) << "answered to the line's own address";
    std::vector<std::string> log;
    ASSERT_TRUE(sim_.Command("LINE COM2 LOG", &log));
    ASSERT_EQ(1u, log.size());
    EXPECT_NE(std::string::npos, log[0].find("to=5/0 from=14/0"));
    std::vector<vasksim::SimLogEntry> com1;
    ASSERT_TRUE(sim_.Log(com1));
    EXPECT_TRUE(com1.empty()) << "nothing reached COM1";
}
