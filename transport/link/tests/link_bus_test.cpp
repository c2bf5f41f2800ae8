// The link layer and the serial network on COM1, wired to the analyzer simulator: the
// telegrams on the wire byte for byte, acknowledgements, repeats, reassembly of paced
// answers, dropped corrupt answers, noise, broadcasts and the echo check.
#include <windows.h>

#include <gtest/gtest.h>

#include "vaskmessage.h"
#include "vasknetwork.h"
#include "vaskparamkinds.h"
#include "test_bytes.h"
#include "vasksim_client.h"

namespace {

typedef std::vector<unsigned char> Bytes;

// The telegram as the bus defines it, written here independently of the layer.
Bytes Frame(int destination, int source, const Bytes& body) {
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
    unsigned crc = 0xFFFF;
    for (unsigned char c : t) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    t.push_back((unsigned char)(crc & 0xFF));
    t.push_back((unsigned char)(crc >> 8));
    return t;
}

const int PC = 0xD0;

class LinkBus : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim.Connect(&error)) << error;
        ASSERT_TRUE(sim.Reset()) << sim.LastError();
        ASSERT_EQ(1, CvaskAddress::SetMyAddress(13));
    }
    void TearDown() override {
        layer.Done(nullptr);
        CvaskAddress::SetMyAddress(14);
    }
    void Open(int echo = 0) {
        SerialParam p = {2, 0, 0, 1, echo};
        ErrorStruct_ err;
        ASSERT_EQ(1, layer.Init("COM1", &p, &err)) << err.text;
    }
    int Send(int destination, const Bytes& body, ErrorStruct_* err = nullptr) {
        return layer.Send(CvaskAddress(destination), body.data(), (int)body.size(), err);
    }
    struct Got {
        std::string body, from;
        int errors = 0;  // calls that failed (with the last code in `code`)
        int code = 0;
    };
    // Polls Receive until a body has come or `ms` have passed.
    Got ReceiveBody(DWORD ms = 5000) {
        Got g;
        DWORD start = GetTickCount();
        while (GetTickCount() - start < ms) {
            CvaskAddress* source = nullptr;
            unsigned char* body = nullptr;
            int length = 0;
            ErrorStruct_ err;
            if (!layer.Receive(source, body, length, &err)) {
                ++g.errors;
                g.code = err.code;
                continue;
            }
            if (length > 0) {
                g.body = Hex(Bytes(body, body + length), "");
                g.from = (const char*)source->GetAddressString();
                delete source;
                return g;
            }
        }
        return g;
    }
    std::vector<vasksim::SimLogEntry> Log(size_t count) {
        std::vector<vasksim::SimLogEntry> log;
        EXPECT_TRUE(sim.WaitLog(count, 5000)) << sim.LastError();
        EXPECT_TRUE(sim.Log(log));
        return log;
    }
    NetStat Stat() {
        NetStat s;
        layer.GetStatistics(&s);
        return s;
    }

    vasksim::SimClient sim;
    CvaskLayer layer;
};

TEST_F(LinkBus, TelegramsArriveByteForByteAndAreAcknowledged) {
    Open();
    struct Case {
        int destination;
        Bytes body;
    } cases[] = {{0x20, {'k', 6}},
                 {0x10, {'k', 6}},                // address byte doubled
                 {0x10, {'K', 17, 0x10, 0x00}}};  // body byte doubled (the device refuses 16)
    size_t n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(c.body, ""));
        ErrorStruct_ err;
        ASSERT_EQ(1, Send(c.destination, c.body, &err)) << err.text;
        std::vector<vasksim::SimLogEntry> log = Log(++n);
        ASSERT_EQ(n, log.size());
        EXPECT_EQ(Hex(Frame(c.destination, PC, c.body), ""), log.back().raw);
        EXPECT_EQ("ok", log.back().crc);
        EXPECT_EQ(Hex(c.body, ""), log.back().body);
        // Each answer is read before the next request goes out.
        Got g = ReceiveBody();
        EXPECT_NE("", g.body);
    }
}

TEST_F(LinkBus, TheAnswerIsAssembledAndHandedOutWithItsSender) {
    Open();
    ASSERT_EQ(1, Send(0x10, {'k', 17}));
    Got g = ReceiveBody();
    EXPECT_EQ("1/1", g.from);
    ASSERT_GE(g.body.size(), 8u) << g.body;
    EXPECT_EQ("6B11", g.body.substr(4, 4)) << g.body;
    NetStat s = Stat();
    EXPECT_EQ(1u, s.sent);
    EXPECT_EQ(0u, s.failed);
    EXPECT_EQ(1u, s.received);
    EXPECT_EQ(0u, s.crcErrors);
}

TEST_F(LinkBus, APacedAnswerComesInPiecesAndIsStillAssembled) {
    ASSERT_TRUE(sim.Command("PACE on")) << sim.LastError();
    Open();
    ASSERT_EQ(1, Send(0x20, {'k', 6}));
    Got g = ReceiveBody();
    EXPECT_EQ("2/1", g.from);
    EXPECT_EQ(0u, Stat().crcErrors);
}

TEST_F(LinkBus, NakAndSilenceAreRepeatedUpToThreeAttempts) {
    Open();
    ASSERT_TRUE(sim.Fault("2 nak 1")) << sim.LastError();
    ASSERT_EQ(1, Send(0x20, {'k', 6}));
    NetStat s = Stat();
    EXPECT_EQ(2u, s.sent);
    EXPECT_EQ(1u, s.failed);
    std::vector<vasksim::SimLogEntry> log = Log(2);
    ASSERT_EQ(2u, log.size());
    EXPECT_EQ(log[0].raw, log[1].raw) << "the same telegram again";
    EXPECT_EQ("nak", log[0].action);
    ReceiveBody();

    ASSERT_TRUE(sim.Fault("2 silent always")) << sim.LastError();
    layer.ResetStatistics();
    ErrorStruct_ err;
    err.code = 4711;
    EXPECT_EQ(0, Send(0x20, {'k', 6}, &err));
    EXPECT_EQ(4711, err.code) << "a missing acknowledgement sets no error";
    s = Stat();
    EXPECT_EQ(3u, s.sent);
    EXPECT_EQ(3u, s.failed);
    EXPECT_EQ(5u, Log(5).size());
}

TEST_F(LinkBus, AnAnswerWithABadCrcIsDroppedAndTheNextOneTaken) {
    Open();
    ASSERT_TRUE(sim.Fault("2 badcrc 1")) << sim.LastError();
    ASSERT_EQ(1, Send(0x20, {'k', 6}));
    Got g = ReceiveBody(1500);
    EXPECT_EQ("", g.body);
    EXPECT_EQ(1u, Stat().crcErrors);
    ASSERT_EQ(1, Send(0x20, {'k', 6}));
    EXPECT_EQ("2/1", ReceiveBody().from);
}

TEST_F(LinkBus, NoiseBeforeTheAnswerIsSkipped) {
    Open();
    ASSERT_TRUE(sim.Fault("2 garbage 1 40")) << sim.LastError();
    ASSERT_EQ(1, Send(0x20, {'k', 6}));
    EXPECT_EQ("2/1", ReceiveBody().from);
}

TEST_F(LinkBus, EndlessNoiseRestartsTheReceiverAndTheAnswerBehindItArrives) {
    Open();
    ASSERT_TRUE(sim.Fault("2 garbage 1 1500")) << sim.LastError();
    ASSERT_EQ(1, Send(0x20, {'k', 6}));
    Got g = ReceiveBody(10000);
    EXPECT_EQ(1, g.errors);
    EXPECT_EQ(10, g.code);
    EXPECT_EQ("2/1", g.from) << "the receiver started afresh";
    EXPECT_EQ(1u, Stat().receiveErrors);
}

TEST_F(LinkBus, CyclicBroadcastsArriveAsBTwoAndTeachTheirPhase) {
    Open();
    ASSERT_TRUE(sim.Command("BROADCAST 1 200")) << sim.LastError();
    Got g = ReceiveBody(3000);
    EXPECT_EQ("1/1", g.from);
    ASSERT_GE(g.body.size(), 8u);
    EXPECT_EQ("6202", g.body.substr(4, 4)) << "'k' 2 to everybody arrives as 'b' 2";
    EXPECT_NE(0.0, CvaskLayer::GetBroadcastPhase(1));
    EXPECT_NE(0u, CvaskLayer::GetBroadcastTime(1));
    // Sending goes on between the broadcasts.
    ASSERT_EQ(1, Send(0x20, {'k', 6}));
    ASSERT_TRUE(sim.Command("BROADCAST 1 off")) << sim.LastError();
}

TEST_F(LinkBus, TheEchoCheckPassesOnAnEchoingLineAndTheAcknowledgementStillCounts) {
    ASSERT_TRUE(sim.Command("ECHO on")) << sim.LastError();
    Open(1);
    ErrorStruct_ err;
    ASSERT_EQ(1, Send(0x20, {'k', 6}, &err)) << err.text;
    EXPECT_EQ(1u, Stat().sent);
    EXPECT_EQ("2/1", ReceiveBody().from);
}

TEST_F(LinkBus, TheSerialNetworkSendsAMessageAndHandsBackTheParsedAnswer) {
    CvaskNetwork net;
    SerialParam p = {2, 0, 0, 1, 0};
    ErrorStruct_ err;
    ASSERT_EQ(1, net.Init("COM1", &p, &err)) << err.text;
    CParamArray params;
    CIntParam* value = new CIntParam('K', 17, -1, DT_REQUEST, 0, 255, 1);
    value->SetValue(1, 3);
    params.Add(value);
    CPCvaskMessage write('K', 17, DT_REQUEST, &params);
    ASSERT_EQ(1, net.Send("2/1", &write, &err)) << err.text;
    CPCvaskMessage read('k', 17, DT_REQUEST, nullptr);
    ASSERT_EQ(1, net.Send("2/1", &read, &err)) << err.text;

    CPCvaskMessage* answer = nullptr;
    CString from;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000) {
        ASSERT_EQ(1, net.Receive(from, answer, &err)) << err.text;
        if (answer && answer->GetCommand() == 'k') break;
        delete answer;  // the reply of "K" 17, if the device gave one
        answer = nullptr;
    }
    ASSERT_NE(nullptr, answer);
    EXPECT_EQ("2/1", from);
    EXPECT_EQ(17, answer->GetFunction());
    char text[64] = "";
    answer->GetParameters()->GetAt(0)->GetValue(1, text, sizeof text);
    EXPECT_STREQ("3", text);
    delete answer;
    EXPECT_EQ(1, net.Done(&err));
}

}  // namespace
