// The link layer against a bus in memory: telegrams as they go on the wire, the
// acknowledgement handshake with its waits and attempts, the receiver, the statistics,
// and the wait for a gap in the devices' broadcast cycle.
#include <gtest/gtest.h>

#include "fake_port.h"

#include <algorithm>
#include <random>

namespace {

const int PC = 0xD0;         // 13/1
const int BROADCAST = 0xF0;  // 15/1

Bytes Body(const char* letterAndMore, std::initializer_list<int> tail = {}) {
    Bytes b(letterAndMore, letterAndMore + strlen(letterAndMore));
    for (int c : tail) b.push_back((unsigned char)c);
    return b;
}

class Layer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(1, CvaskAddress::SetMyAddress(13));
        Open(2);
    }
    void TearDown() override {
        layer.Done(nullptr);
        CvaskAddress::SetMyAddress(14);
    }
    void Open(int converterType) {
        SerialParam p = {converterType, 0, 0, 1, 0};
        ErrorStruct_ err;
        ASSERT_EQ(1, layer.Init("COM1", &p, &err)) << err.text;
    }
    int Send(int destination, const Bytes& body, ErrorStruct_* err = nullptr) {
        return layer.Send(CvaskAddress(destination), body.data(), (int)body.size(), err);
    }
    NetStat Stat() {
        NetStat s;
        layer.GetStatistics(&s);
        return s;
    }
    // One Receive call: the body as hex and the sender's text, or "" when nothing came.
    struct Got {
        int result;
        std::string body, from;
    };
    Got ReceiveOnce(ErrorStruct_* err = nullptr) {
        CvaskAddress* source = nullptr;
        unsigned char* body = nullptr;
        int length = -1;
        Got g;
        g.result = layer.Receive(source, body, length, err);
        if (length > 0) g.body = Hex(Bytes(body, body + length));
        if (source) g.from = (const char*)source->GetAddressString();
        EXPECT_EQ(length > 0, source != nullptr) << "an address exactly with a body";
        delete source;
        return g;
    }

    // `telegram` arrives at `time` on a line the layer has just read empty.
    void ArriveFromAQuietLine(unsigned long time, const Bytes& telegram) {
        bus.clock = time - 2;
        ReceiveOnce();  // an empty read moves the clock to `time`
        bus.Give(telegram);
    }

    // The bodies of every telegram handed out until the port has nothing more.
    std::vector<std::string> ReceiveAll() {
        std::vector<std::string> bodies;
        for (int calls = 0; calls < 100; ++calls) {
            bool more = !bus.input.empty();
            Got g = ReceiveOnce();
            if (!g.body.empty()) bodies.push_back(g.body);
            if (!more) break;
        }
        return bodies;
    }

    FakeBus bus;
    CvaskLayer layer;
};

// ---- The telegram ----

TEST(LayerCrc, TheTableGivesTheModbusCheckValueAndMatchesBitwiseForEveryByte) {
    const char* check = "123456789";
    EXPECT_EQ(0x4B37, CvaskLayer::Crc(reinterpret_cast<const unsigned char*>(check), 9));
    for (int i = 0; i < 256; ++i) {
        Bytes one = {(unsigned char)i, (unsigned char)(255 - i)};
        EXPECT_EQ(BitCrc(one), CvaskLayer::Crc(one.data(), 2)) << i;
    }
}

TEST_F(Layer, TelegramsGoOnTheWireFramedStuffedAndWithTheCrcOverTheBytesAsSent) {
    struct Case {
        const char* what;
        int destination;
        Bytes body;
        const char* wire;
    } cases[] = {
        {"to 2/1", 0x20, Body("Z", {4}), "10 01 20 D0 5A 04 10 03 89 AD"},
        {"to 1/1: the address byte is doubled", 0x10, Body("Z", {4}),
         "10 01 10 10 D0 5A 04 10 03 CA A7"},
        {"a 0x10 in the body is doubled", 0x20, Body("W", {0x10, 0x31, 0x00}), nullptr},
        {"DLE SOT and DLE ETX inside the body", 0x20, Body("S", {0x10, 0x01, 0x10, 0x03}), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bus.written.clear();
        bus.device = [this](const Bytes&) { bus.Ack(); };
        ASSERT_EQ(1, Send(c.destination, c.body));
        ASSERT_EQ(1u, bus.written.size());
        Bytes expected = Frame(c.destination, PC, c.body);
        if (c.wire) {
            EXPECT_EQ(c.wire, Hex(expected)) << "the test's own framing";
        }
        EXPECT_EQ(Hex(expected), Hex(bus.written[0]));
    }
}

TEST_F(Layer, AReceiverThatUnstuffsBeforeTheCrcRejectsTheTelegram) {
    // The CRC covers both bytes of a doubled DLE: computed over the unstuffed bytes it
    // differs, which is how a wrong receiver would be caught.
    bus.device = [this](const Bytes&) { bus.Ack(); };
    ASSERT_EQ(1, Send(0x20, Body("W", {0x10, 0x00})));
    Bytes wire = bus.written[0];
    Bytes unstuffed = {0x10, 0x01, 0x20, PC, 'W', 0x10, 0x00, 0x10, 0x03};
    EXPECT_NE(BitCrc(unstuffed), BitCrc(Bytes(wire.begin(), wire.end() - 2)));
    EXPECT_EQ(BitCrc(Bytes(wire.begin(), wire.end() - 2)),
              (unsigned)(wire[wire.size() - 2] | wire.back() << 8));
}

// ---- Acknowledgements ----

TEST_F(Layer, AcknowledgementOutcomes) {
    struct Case {
        const char* what;
        std::vector<const char*> answers;  // per attempt: "ack", "nak", "", or raw hex-ish
        int result;
        unsigned long sent, failed;
    } cases[] = {
        {"acknowledged at once", {"ack"}, 1, 1, 0},
        {"NAK, then ACK", {"nak", "ack"}, 1, 2, 1},
        {"silence, then ACK", {"", "ack"}, 1, 2, 1},
        {"two NAKs, then ACK", {"nak", "nak", "ack"}, 1, 3, 2},
        {"never acknowledged", {"", "", ""}, 0, 3, 3},
        {"NAK three times", {"nak", "nak", "nak"}, 0, 3, 3},
        {"ACK without DLE is no ACK", {"bare", "bare", "bare"}, 0, 3, 3},
        {"DLE, other byte, ACK is no ACK", {"broken", "broken", "broken"}, 0, 3, 3},
        {"noise before DLE ACK", {"noisy"}, 1, 1, 0},
        {"a doubled DLE and 06 are data, not ACK", {"data", "data", "data"}, 0, 3, 3},
        {"DLE DLE DLE ACK: the third DLE starts the ACK", {"triple"}, 1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        layer.ResetStatistics();
        bus.written.clear();
        size_t attempt = 0;
        bus.device = [&](const Bytes&) {
            std::string a = attempt < c.answers.size() ? c.answers[attempt] : "";
            ++attempt;
            if (a == "ack") bus.Ack();
            if (a == "nak") bus.Nak();
            if (a == "bare") bus.Give({0x06});
            if (a == "broken") bus.Give({0x10, 0x41, 0x06});
            if (a == "noisy") bus.Give({0x55, 0x10, 0x03, 0x10, 0x06});
            if (a == "data") bus.Give({0x10, 0x10, 0x06});
            if (a == "triple") bus.Give({0x10, 0x10, 0x10, 0x06});
        };
        ErrorStruct_ err;
        err.code = 4711;  // must stay untouched by a missing acknowledgement
        EXPECT_EQ(c.result, Send(0x20, Body("k", {6}), &err));
        EXPECT_EQ(4711, err.code);
        NetStat s = Stat();
        EXPECT_EQ(c.sent, s.sent);
        EXPECT_EQ(c.failed, s.failed);
        EXPECT_EQ(c.sent * 10, s.bytesSent);
        bus.input.clear();
    }
}

TEST_F(Layer, TheAcknowledgementWaitLastsNinetyOrFiveHundredMilliseconds) {
    struct Case {
        Bytes body;
        unsigned long wait;
    } cases[] = {{Body("k", {6}), 90},
                 {Body("K", {24, 1, 0}), 500},
                 {Body("K", {25, 1, 0}), 500},
                 {Body("K", {26, 1, 0}), 90},
                 {Body("Z", {24}), 90}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(c.body));
        bus.written.clear();
        bus.writeTimes.clear();
        EXPECT_EQ(0, Send(0x20, c.body));
        ASSERT_EQ(3u, bus.writeTimes.size());
        // The clock moves only while the layer polls the silent port.
        unsigned long between = bus.writeTimes[1] - bus.writeTimes[0];
        EXPECT_GE(between, c.wait);
        EXPECT_LE(between, c.wait + 2);
    }
}

TEST_F(Layer, ANakEndsTheWaitAtOnce) {
    bus.device = [this](const Bytes&) { bus.Nak(); };
    EXPECT_EQ(0, Send(0x20, Body("k", {6})));
    ASSERT_EQ(3u, bus.writeTimes.size());
    EXPECT_EQ(bus.writeTimes[0], bus.writeTimes[1]) << "no polling after the NAK";
}

TEST_F(Layer, SomeTelegramsAreNotWaitedOn) {
    struct Case {
        const char* what;
        int converterType, destination;
        Bytes body;
    } cases[] = {{"broadcast", 2, BROADCAST, Body("F", {10, '0', 0})},
                 {"download record K 21", 2, 0x20, Body("K", {21, 1, 0, 0, 0, 0xAA})},
                 {"converter type 1 sends without acknowledgements", 1, 0x20, Body("k", {6})}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open(c.converterType);
        bus.reads = 0;
        bus.written.clear();
        EXPECT_EQ(1, Send(c.destination, c.body));
        EXPECT_EQ(1u, bus.written.size());
        EXPECT_EQ(0, bus.reads) << "nothing is read";
    }
}

TEST_F(Layer, AFailedWriteIsRepeatedAndLeavesThePortsError) {
    bus.writeFailures = 1;
    bus.device = [this](const Bytes&) { bus.Ack(); };
    ErrorStruct_ err;
    EXPECT_EQ(1, Send(0x20, Body("k", {6}), &err));
    EXPECT_EQ(2u, bus.written.size());
    EXPECT_EQ(1u, Stat().failed);
    bus.writeFailures = 3;
    EXPECT_EQ(0, Send(0x20, Body("k", {6}), &err));
    EXPECT_EQ(3, err.code);
}

TEST_F(Layer, DownloadTelegramsTryAHundredTimesAndAlwaysWaitForTheAcknowledgement) {
    EXPECT_EQ(0, layer.SendDL(CvaskAddress(0x20), Body("K", {21}).data(), 2, nullptr));
    EXPECT_EQ(100u, bus.written.size());
    EXPECT_EQ(100u, Stat().failed);
    // Even to the broadcast address, and with a failing write, the wait is made.
    bus.written.clear();
    bus.writeFailures = 1;
    int n = 0;
    bus.device = [&](const Bytes&) {
        if (++n == 1) bus.Ack();
    };
    EXPECT_EQ(1, layer.SendDL(CvaskAddress(BROADCAST), Body("K", {21}).data(), 2, nullptr));
    EXPECT_EQ(2u, bus.written.size())
        << "the failed write counts as an attempt, the next is acknowledged";
}

// A converter unplugged while the port is open fails every read at once: the wait for an
// acknowledgement must not spin on it, and no further attempt is made.
TEST_F(Layer, APortThatFailsItsReadsEndsTheAttemptsWithItsError) {
    struct Case {
        const char* what;
        bool download;
        int writeFailures;
    } cases[] = {{"send, the write still goes out", false, 0},
                 {"download, the write still goes out", true, 0},
                 {"download, the write fails too", true, 1000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        layer.ResetStatistics();
        bus.written.clear();
        bus.reads = 0;
        bus.readFails = true;
        bus.writeFailures = c.writeFailures;
        // A failing read returns at once; the clock moves anyway so that a spinning wait
        // still ends.
        bus.onRead = [this] { ++bus.clock; };
        ErrorStruct_ err;
        Bytes body = Body("k", {6});
        int result = c.download ? layer.SendDL(CvaskAddress(0x20), body.data(), 2, &err)
                                : layer.Send(CvaskAddress(0x20), body.data(), 2, &err);
        EXPECT_EQ(0, result);
        EXPECT_EQ(5, err.code) << "the port's read error";
        EXPECT_EQ(1u, bus.written.size());
        EXPECT_EQ(1, bus.reads);
        EXPECT_EQ(1u, Stat().failed);
    }
    // Open again once the converter is back: the layer works as before.
    bus.readFails = false;
    bus.writeFailures = 0;
    bus.onRead = nullptr;
    Open(2);
    bus.device = [this](const Bytes&) { bus.Ack(); };
    EXPECT_EQ(1, Send(0x20, Body("k", {6})));
}

// The timer's receive may have taken part of a telegram when a send begins; the
// acknowledgement wait then takes the rest. The telegram is completed there and kept, and
// the reply behind the acknowledgement arrives after it, wherever the send cut in.
TEST_F(Layer, ATelegramHalfReceivedBeforeASendDoesNotCostTheReply) {
    const Bytes broadcast = Frame(BROADCAST, 0x10, {0x10, 0x10, 'k', 2, '1', 0});
    const Bytes reply = {0, 0, 'k', 6, 3, 0};
    for (size_t k = 1; k < broadcast.size(); ++k) {
        Bytes head(broadcast.begin(), broadcast.begin() + k),
            tail(broadcast.begin() + k, broadcast.end());
        SCOPED_TRACE(Hex(head));
        bus.Give(head);
        ASSERT_EQ("", ReceiveOnce().body);
        bus.device = [&](const Bytes&) {
            bus.Give(tail);
            bus.Ack();
            bus.Give(Frame(PC, 0x20, reply));
        };
        ASSERT_EQ(1, Send(0x20, Body("k", {6})));
        EXPECT_EQ((std::vector<std::string>{"10 10 62 02 31 00", Hex(reply)}), ReceiveAll());
    }
}

// A telegram whose two CRC bytes are the wanted ones, found by trying two body bytes.
Bytes FrameWithCrc(int destination, int source, unsigned wanted) {
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            Bytes t =
                Frame(destination, source, {0, 0, 'k', 2, (unsigned char)a, (unsigned char)b});
            if ((unsigned)(t[t.size() - 2] | t.back() << 8) == wanted) return t;
        }
    return {};
}

// What the acknowledgement wait reads besides the acknowledgement is the receiver's: a
// broadcast teaches its phase at once, with the time the port read it, and every telegram
// for the PC or for everybody is handed out afterwards, in order.
TEST_F(Layer, TelegramsArrivingDuringTheAcknowledgementWaitAreTakenAndKept) {
    const Bytes broadcast = Frame(BROADCAST, 0x30, {0, 0, 'k', 2, '7', 0});
    const Bytes forPc = Frame(PC, 0x40, {0, 0, 'k', 9});
    const Bytes reply = Frame(PC, 0x20, {0, 0, 'k', 6, 3, 0});
    unsigned long writtenAt = 0;
    int step = 0;
    bus.device = [&](const Bytes&) { writtenAt = bus.clock; };
    // The line while the layer waits: a broadcast 30 ms after the telegram, noise, a
    // telegram for another device and one for the PC, then the acknowledgement and the
    // reply.
    bus.onRead = [&] {
        if (step == 0 && bus.clock >= writtenAt + 30) {
            ++step;
            bus.Give(broadcast);
        } else if (step == 1 && bus.clock >= writtenAt + 50) {
            ++step;
            bus.Give(Cat(Cat({0x55, 0x10, 0x10}, Frame(0x50, 0x20, {0, 0, 'k', 1})), forPc));
        } else if (step == 2 && bus.clock >= writtenAt + 70) {
            ++step;
            bus.Ack();
            bus.Give(reply);
        }
    };
    ASSERT_EQ(1, Send(0x20, Body("k", {6})));
    EXPECT_EQ(1u, Stat().sent);
    EXPECT_EQ(3, step);
    EXPECT_EQ(writtenAt + 30, CvaskLayer::GetBroadcastTime(3)) << "known before any Receive";
    EXPECT_EQ((writtenAt + 30) % 500, CvaskLayer::GetBroadcastPhase(3)) << "the first one read";
    EXPECT_EQ(3u, Stat().received) << "the reply is still in the port";
    bus.onRead = nullptr;
    EXPECT_EQ((std::vector<std::string>{"00 00 62 02 37 00", "00 00 6B 09", "00 00 6B 06 03 00"}),
              ReceiveAll());
    EXPECT_EQ("", ReceiveOnce().body);
}

// Inside a telegram the CRC bytes are data: a CRC of 10 06 is no acknowledgement.
TEST_F(Layer, ACrcThatReadsDleAckIsNoAcknowledgement) {
    const Bytes broadcast = FrameWithCrc(BROADCAST, 0x30, 0x0610);
    ASSERT_FALSE(broadcast.empty());
    ASSERT_EQ("10 06", Hex(Bytes(broadcast.end() - 2, broadcast.end())));
    int attempt = 0;
    bus.device = [&](const Bytes&) {
        if (++attempt == 1)
            bus.Give(broadcast);
        else
            bus.Ack();
    };
    ASSERT_EQ(1, Send(0x20, Body("k", {6})));
    EXPECT_EQ(2u, Stat().sent) << "the first attempt was not acknowledged";
    EXPECT_NE(0u, CvaskLayer::GetBroadcastTime(3));
    std::vector<std::string> got = ReceiveAll();
    ASSERT_EQ(1u, got.size());
    EXPECT_EQ("00 00 62 02", got[0].substr(0, 11));
}

// Telegrams kept while nobody receives fill at most the receive buffer; what does not fit
// is lost and counted, the rest is handed out.
TEST_F(Layer, TelegramsKeptDuringWaitsAreBounded) {
    Bytes longBody = {0, 0, 'k', 2};
    longBody.resize(40, '1');
    bus.device = [&](const Bytes&) { bus.Give(Frame(BROADCAST, 0x30, longBody)); };
    EXPECT_EQ(0, layer.SendDL(CvaskAddress(0x20), Body("K", {21}).data(), 2, nullptr));
    const unsigned long kept = CvaskLayer::ReceiveBufferSize / (3 + longBody.size());
    EXPECT_EQ(100u, Stat().received);
    EXPECT_EQ(100u - kept, Stat().receiveErrors);
    unsigned long handedOut = 0;
    while (ReceiveOnce().body != "") ++handedOut;
    EXPECT_EQ(kept, handedOut);
}

// The wait for the gap reads the line while it waits: a broadcast that comes in is timed
// when it arrives, and a late acknowledgement heard meanwhile does not count for the
// telegram that follows.
TEST_F(Layer, TheGapWaitListensToTheLine) {
    bus.ListenWhileWaiting();
    Open(2);
    CvaskLayer::SetBroadcastPhase(4, 100);
    CvaskLayer::SetBroadcastPhase(7, 300);
    bus.clock = 1000200;  // 100 ms before the window opens at 300
    // Reads of an empty port move the clock by 2 ms, reads that bring a byte do not.
    bool broadcastGiven = false, ackGiven = false;
    bus.onRead = [&] {
        if (!broadcastGiven && bus.clock == 1000250) {
            broadcastGiven = true;
            bus.Give(Frame(BROADCAST, 0x50, {0, 0, 'k', 2}));
        }
        if (!ackGiven && bus.clock == 1000270) {
            ackGiven = true;
            bus.Ack();  // for some telegram before
        }
    };
    int attempt = 0;
    bus.device = [&](const Bytes&) {
        if (++attempt == 2) bus.Ack();
    };
    ASSERT_EQ(1, Send(0x20, Body("k", {6})));
    EXPECT_TRUE(bus.delays.empty()) << "the wait reads the port instead";
    ASSERT_EQ(2u, bus.writeTimes.size()) << "the late ACK acknowledged nothing";
    EXPECT_EQ(1000300u, bus.writeTimes[0]) << "written when the window opens";
    EXPECT_EQ(1000250u, CvaskLayer::GetBroadcastTime(5));
    EXPECT_EQ(250, CvaskLayer::GetBroadcastPhase(5));
    bus.onRead = nullptr;
    EXPECT_EQ(std::vector<std::string>{"00 00 62 02"}, ReceiveAll());
}

// A broadcast that runs late is still coming in when the window opens: the telegram waits
// until it has ended. Bytes that stop in the middle of a telegram hold it only until none
// has come for the latency allowance.
TEST_F(Layer, ATelegramIsNotSentWhileABroadcastIsComingIn) {
    bus.ListenWhileWaiting();
    Open(2);
    CvaskLayer::SetBroadcastPhase(4, 100);
    CvaskLayer::SetBroadcastLength(4, 20);
    CvaskLayer::SetBroadcastPhase(7, 300);
    CvaskLayer::SetBroadcastLength(7, 20);
    const Bytes late = Frame(BROADCAST, 0x70, {0, 0, 'k', 2, 1, 2, 3, 4});
    bus.device = [this](const Bytes&) { bus.Ack(); };
    bus.clock = 1000200;  // 100 ms before the window opens at 300
    bool first = false, rest = false;
    bus.onRead = [&] {
        if (!first && bus.clock >= 1000296) {
            first = true;
            bus.Give(Bytes(late.begin(), late.begin() + 8));
        }
        if (!rest && bus.clock >= 1000306) {
            rest = true;
            bus.Give(Bytes(late.begin() + 8, late.end()));
        }
    };
    ASSERT_EQ(1, Send(0x20, Body("k", {6})));
    ASSERT_EQ(1u, bus.writeTimes.size());
    EXPECT_EQ(1000306u, bus.writeTimes[0]) << "written when the broadcast was in";
    EXPECT_EQ(1000306u, CvaskLayer::GetBroadcastTime(7));

    bus.onRead = nullptr;
    EXPECT_EQ(std::vector<std::string>{"00 00 62 02 01 02 03 04"}, ReceiveAll());

    // The start of a telegram and then nothing: the telegram goes once no byte has come for
    // 10 ms.
    CvaskLayer::SetBroadcastPhase(7, 300);
    bus.clock = 1000795;
    bus.Give(Bytes(late.begin(), late.begin() + 8));
    EXPECT_EQ("", ReceiveOnce().body);
    bus.clock = 1000800;
    ASSERT_EQ(1, Send(0x20, Body("k", {6})));
    ASSERT_EQ(2u, bus.writeTimes.size());
    EXPECT_EQ(1000806u, bus.writeTimes[1]);
    // Left inside that telegram, the receiver holds the next one no more.
    bus.clock = 1001300;
    ASSERT_EQ(1, Send(0x20, Body("k", {6})));
    ASSERT_EQ(3u, bus.writeTimes.size());
    EXPECT_EQ(1001300u, bus.writeTimes[2]);
}

TEST_F(Layer, BytesReadWhileWaitingForTheAcknowledgementAreCounted) {
    bus.device = [this](const Bytes&) { bus.Give({0x33, 0x10, 0x06}); };
    ASSERT_EQ(1, Send(0x20, Body("k", {6})));
    EXPECT_EQ(3u, Stat().bytesReceived);
}

// ---- Receiving ----

// Each step of the receiver on its own: every state with the bytes that decide on it.
TEST(LayerReceiver, EachByteTakesTheReceiverFromOneStateToTheNext) {
    typedef CvaskLayer L;
    const unsigned char DLE = 0x10, SOT = 0x01, ETX = 0x03, other = 0x55;
    struct Row {
        L::ReceiveState from;
        unsigned char byte;
        L::ReceiveState to;
    } rows[] = {
        {L::Searching, DLE, L::SearchingAfterDle},
        {L::Searching, SOT, L::Searching},
        {L::Searching, other, L::Searching},
        {L::SearchingAfterDle, SOT, L::Started},
        {L::SearchingAfterDle, DLE, L::SearchingAfterDle},  // of a run of DLEs the last counts
        {L::SearchingAfterDle, ETX, L::Searching},          // no telegram to end
        {L::SearchingAfterDle, other, L::Searching},
        {L::Started, DLE, L::InTelegramAfterDle},
        {L::Started, other, L::InTelegram},
        {L::InTelegram, SOT, L::InTelegram},
        {L::InTelegram, ETX, L::InTelegram},
        {L::InTelegram, DLE, L::InTelegramAfterDle},
        {L::InTelegramAfterDle, DLE, L::InTelegram},  // a doubled DLE is data
        {L::InTelegramAfterDle, SOT, L::Started},     // a telegram starts anew
        {L::InTelegramAfterDle, ETX, L::CrcLow},
        {L::InTelegramAfterDle, other, L::InTelegram},
        {L::CrcLow, DLE, L::CrcHigh},  // the CRC bytes are no framing
        {L::CrcLow, SOT, L::CrcHigh},
        {L::CrcHigh, ETX, L::Complete},
        {L::CrcHigh, DLE, L::Complete},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.to, L::NextState(r.from, r.byte))
            << "state " << r.from << ", byte " << Hex(Bytes{r.byte});
}

TEST_F(Layer, ATelegramForThePcIsHandedOutUnstuffedWithItsSender) {
    Bytes body = {0x00, 0x01, 'k', 17, 0x10, 0x00};
    bus.Give(Frame(PC, 0x21, body));
    Got g = ReceiveOnce();
    EXPECT_EQ(1, g.result);
    EXPECT_EQ(Hex(body), g.body);
    EXPECT_EQ("2/2", g.from);
    NetStat s = Stat();
    EXPECT_EQ(1u, s.received);
    EXPECT_EQ(Frame(PC, 0x21, body).size(), s.bytesReceived);
}

TEST_F(Layer, ASenderWhoseAddressByteIsDoubledIsFound) {
    bus.Give(Frame(PC, 0x10, {0, 0, 'k', 6}));
    EXPECT_EQ("1/1", ReceiveOnce().from);
}

TEST_F(Layer, ATelegramSplitOverManyCallsIsAssembled) {
    Bytes t = Frame(PC, 0x20, {0, 0, 'k', 17, 3, 0});
    for (size_t k = 0; k + 1 < t.size(); ++k) {
        bus.Give({t[k]});
        Got g = ReceiveOnce();
        EXPECT_EQ(1, g.result);
        EXPECT_EQ("", g.body) << "after byte " << k;
    }
    bus.Give({t.back()});
    EXPECT_EQ("00 00 6B 11 03 00", ReceiveOnce().body);
}

TEST_F(Layer, TwoTelegramsInOneReadComeOutOneByOne) {
    bus.Give(Cat(Frame(PC, 0x20, {0, 0, 'k', 1}), Frame(PC, 0x30, {0, 0, 'k', 2})));
    EXPECT_EQ("2/1", ReceiveOnce().from);
    EXPECT_EQ("3/1", ReceiveOnce().from);
    EXPECT_EQ("", ReceiveOnce().body);
}

TEST_F(Layer, GarbageBeforeTheFrameAndAnAbortedFrameAreSkipped) {
    Bytes noise = {0x55, 0x10, 0x03, 0xAA, 0x10, 0x10, 0x03};
    Bytes aborted = {0x10, 0x01, PC, 0x20, 'k'};  // a new DLE SOT restarts the telegram
    bus.Give(Cat(Cat(noise, aborted), Frame(PC, 0x20, {0, 0, 'k', 9})));
    EXPECT_EQ("00 00 6B 09", ReceiveOnce().body);
}

// A telegram whose CRC is wrong in one bit.
Bytes WithBadCrc(Bytes t) {
    t.back() ^= 0x01;
    return t;
}

TEST_F(Layer, DroppedTelegrams) {
    struct Case {
        const char* what;
        Bytes wire;
        unsigned long crcErrors;
    } cases[] = {
        {"for device 5", Frame(0x50, 0x20, {0, 0, 'k', 6}), 0},
        {"for the other PC address", Frame(0xE0, 0x20, {0, 0, 'k', 6}), 0},
        {"without body", Frame(PC, 0x20, {}), 0},
        {"with only one address byte", Sealed({0x10, 0x01, PC, 0x10, 0x03}), 0},
        {"without any address", Sealed({0x10, 0x01, 0x10, 0x03}), 0},
        {"with a bad CRC", WithBadCrc(Frame(PC, 0x20, {0, 0, 'k', 6})), 1},
        {"with an undoubled DLE inside, under a correct CRC",
         Sealed({0x10, 0x01, PC, 0x20, 0, 0, 'k', 6, 0x10, 0x41, 0x10, 0x03}), 0},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        layer.ResetStatistics();
        bus.Give(c.wire);
        Got g = ReceiveOnce();
        EXPECT_EQ(1, g.result);
        EXPECT_EQ("", g.body);
        EXPECT_EQ(1u, Stat().received);
        EXPECT_EQ(c.crcErrors, Stat().crcErrors);
        // The receiver is clean for the next telegram.
        bus.Give(Frame(PC, 0x20, {0, 0, 'k', 6}));
        EXPECT_EQ("00 00 6B 06", ReceiveOnce().body);
    }
}

// Two body bytes that give the telegram the wanted CRC.
Bytes WithCrc(unsigned wanted) {
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            Bytes body = {0, 0, 'k', 1, (unsigned char)a, (unsigned char)b};
            Bytes t = Frame(PC, 0x20, body);
            if ((unsigned)(t[t.size() - 2] | t.back() << 8) == wanted) return t;
        }
    return {};
}

TEST_F(Layer, ACrcWhoseBytesLookLikeFramingIsStillAGoodTelegram) {
    // On the wire: ... 10 03 | 10 01  and  ... 10 03 | 10 03.
    for (unsigned crc : {0x0110u, 0x0310u, 0x1010u}) {
        SCOPED_TRACE(crc);
        Bytes t = WithCrc(crc);
        ASSERT_FALSE(t.empty());
        Bytes next = Frame(PC, 0x30, {0, 0, 'k', 2});
        bus.Give(Cat(t, next));
        Got first = ReceiveOnce();
        EXPECT_EQ("2/1", first.from) << Hex(t);
        Got second = ReceiveOnce();
        EXPECT_EQ("3/1", second.from) << "the next telegram is whole";
        EXPECT_EQ(0u, Stat().crcErrors);
    }
}

// A telegram broken off at any byte, or with bytes thrown into it, is lost (or, where the
// bytes only repeat its start, taken whole), but never the good telegram behind it: not
// when its DLE SOT was taken for the CRC of the broken one, nor when it followed the first
// half of a doubled DLE.
TEST_F(Layer, WhateverBreaksATelegramTheNextOneArrives) {
    struct Broken {
        Bytes wire;
        std::string whole;  // its body as handed out
    } broken[] = {{Frame(PC, 0x10, {0, 0, 'k', 3, 0x10, 0}), "00 00 6B 03 10 00"},
                  {Frame(BROADCAST, 0x20, {0x10, 0x10, 'k', 2, '1', 0}), "10 10 62 02 31 00"}};
    const Bytes interlopers[] = {{0x10, 0x06}, {0x10, 0x15}, {0x10},
                                 {0x55},       {0x10, 0x01}, {0x10, 0x03}};
    const Bytes next = Frame(PC, 0x30, {0, 0, 'k', 9});
    const std::string nextBody = "00 00 6B 09";
    for (const Broken& b : broken) {
        const Bytes& t = b.wire;
        for (size_t k = 1; k < t.size(); ++k) {
            Bytes head(t.begin(), t.begin() + k), tail(t.begin() + k, t.end());
            bus.Give(Cat(head, next));
            EXPECT_EQ(std::vector<std::string>{nextBody}, ReceiveAll()) << "cut: " << Hex(head);
            for (const Bytes& i : interlopers) {
                bus.Give(Cat(Cat(Cat(head, i), tail), next));
                std::vector<std::string> got = ReceiveAll();
                std::string wire = Hex(head) + " [" + Hex(i) + "] " + Hex(tail);
                ASSERT_FALSE(got.empty()) << wire;
                EXPECT_EQ(nextBody, got.back()) << wire;
                for (size_t n = 0; n + 1 < got.size(); ++n) EXPECT_EQ(b.whole, got[n]) << wire;
                EXPECT_LE(got.size(), 2u) << wire;
            }
        }
    }
}

// Random noise rich in framing bytes between good telegrams, from a fixed seed: every good
// telegram arrives, once and whole.
TEST_F(Layer, NoiseBetweenTelegramsNeverCostsAGoodOne) {
    std::mt19937 random(20261210u);
    const unsigned char noise[] = {0x10, 0x10, 0x10, 0x01, 0x03, 0x06, 0x15, 0x00, 0x55, PC, 0x20};
    for (int round = 0; round < 2000; ++round) {
        Bytes garbage(random() % 40);
        for (unsigned char& b : garbage) b = noise[random() % sizeof noise];
        Bytes body = {0, 0, 'k', (unsigned char)(random() % 40)};
        for (size_t n = random() % 12; n > 0; --n) body.push_back(noise[random() % sizeof noise]);
        bus.Give(Cat(garbage, Frame(PC, 0x20 + (int)(random() % 9), body)));
        std::vector<std::string> got = ReceiveAll();
        ASSERT_FALSE(got.empty()) << Hex(garbage) << " | " << Hex(body);
        EXPECT_EQ(Hex(body), got.back()) << Hex(garbage);
        EXPECT_EQ(1, std::count(got.begin(), got.end(), Hex(body))) << Hex(garbage);
    }
}

TEST_F(Layer, BroadcastsAreTakenAndKTwoBecomesBTwo) {
    bus.Give(Frame(BROADCAST, 0x20, {0, 0, 'k', 2}));
    EXPECT_EQ("00 00 62 02", ReceiveOnce().body) << "'b' 2";
    bus.Give(Frame(PC, 0x20, {0, 0, 'k', 2}));
    EXPECT_EQ("00 00 6B 02", ReceiveOnce().body) << "addressed to the PC it stays 'k' 2";
    bus.Give(Frame(BROADCAST, 0x20, {0, 0, 'k', 3}));
    EXPECT_EQ("00 00 6B 03", ReceiveOnce().body) << "other broadcasts stay as they are";
}

TEST_F(Layer, ThousandBytesWithoutATelegramRestartTheReceiver) {
    bus.Give(Bytes(999, 0x55));
    EXPECT_EQ(1, ReceiveOnce().result) << "999 bytes still fit";
    bus.Give({0x55});
    ErrorStruct_ err;
    Got g = ReceiveOnce(&err);
    EXPECT_EQ(0, g.result);
    EXPECT_EQ(10, err.code);
    EXPECT_EQ(1u, Stat().receiveErrors);
    // An endless stream gives the error once per 1000 bytes and never hangs.
    bus.Give(Bytes(2500, 0x10));
    int errors = 0;
    for (int k = 0; k < 10 && !bus.input.empty(); ++k)
        if (ReceiveOnce().result == 0) ++errors;
    EXPECT_EQ(2, errors);
    // A frame that begins and never ends is dropped in the same way.
    Open(2);
    bus.Give(Cat({0x10, 0x01}, Bytes(998, 0x41)));
    EXPECT_EQ(0, ReceiveOnce().result);
    bus.Give(Frame(PC, 0x20, {0, 0, 'k', 6}));
    EXPECT_EQ("00 00 6B 06", ReceiveOnce().body) << "clean restart";
}

TEST_F(Layer, AFailingPortReadCountsAReceiveErrorAndKeepsThePortsError) {
    bus.readFails = true;
    ErrorStruct_ err;
    EXPECT_EQ(0, ReceiveOnce(&err).result);
    EXPECT_EQ(5, err.code);
    EXPECT_EQ(1u, Stat().receiveErrors);
}

// A phase of 0 is "not yet known": the first broadcast read sets it to where it was read
// in the cycle; later ones are smoothed, or taken as they are when more than half a cycle
// off. Each broadcast read also teaches how long it lasted on the line.
TEST_F(Layer, BroadcastsTeachTheCyclePhaseOfEachDevice) {
    struct Step {
        const char* what;
        unsigned long time;
        double phase;
    } steps[] = {{"unknown, then read: taken as it is", 100200, 200},
                 {"the same phase again", 100700, 200},
                 {"close enough: smoothed", 101250, 0.6 * 200 + 0.4 * 250},
                 {"smoothed again", 101730, 0.6 * 220 + 0.4 * 230},
                 {"more than 250 off: taken as it is", 101975, 475},
                 {"250 off: smoothed", 102225, 0.6 * 475 + 0.4 * 225}};
    const Bytes broadcast = Frame(BROADCAST, 0x30, {0, 0, 'k', 2, 0x10, 1, 2});
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        ArriveFromAQuietLine(s.time, broadcast);
        ASSERT_NE("", ReceiveOnce().body);
        EXPECT_NEAR(s.phase, CvaskLayer::GetBroadcastPhase(3), 1e-9);
        EXPECT_EQ(s.time, CvaskLayer::GetBroadcastTime(3));
    }
    // Every byte on the wire, the doubled DLE and the CRC included, at 9600 baud 8N1.
    ASSERT_EQ(16u, broadcast.size());
    EXPECT_NEAR(16 * 10.0 / 9.6, CvaskLayer::GetBroadcastLength(3), 1e-9);
    EXPECT_EQ(0.0, CvaskLayer::GetBroadcastPhase(2)) << "other devices untouched";
    EXPECT_EQ(0.0, CvaskLayer::GetBroadcastLength(2));
    // A telegram to the PC teaches nothing.
    ArriveFromAQuietLine(102400, Frame(PC, 0x20, {0, 0, 'k', 2}));
    ReceiveOnce();
    EXPECT_EQ(0.0, CvaskLayer::GetBroadcastPhase(2));

    // Another device's first broadcast is taken as it is too, whatever the others know.
    ArriveFromAQuietLine(103090, Frame(BROADCAST, 0x20, {0, 0, 'k', 2}));
    ASSERT_NE("", ReceiveOnce().body);
    EXPECT_EQ(90, CvaskLayer::GetBroadcastPhase(2));
    EXPECT_NEAR(12 * 10.0 / 9.6, CvaskLayer::GetBroadcastLength(2), 1e-9);
}

// The time at which a broadcast is read is where it ended only when the layer saw it come
// in from a quiet line: the port read empty, and no other telegram, within the latency
// allowance before it began. One that followed another telegram without a pause (a device
// holds its broadcast while an answer is on the line), or that waited in the port while
// nobody read it, ended earlier: it is handed out and its time and length are kept, but it
// teaches no phase, neither a first one nor a smoothed one.
TEST_F(Layer, OnlyABroadcastTimedAsItCameInTeachesThePhase) {
    // 20 bytes of broadcast, 20.8 ms on the line: with the latency allowance, its last byte
    // may be read up to 30.8 ms after the port was last found empty.
    const Bytes broadcast = Frame(BROADCAST, 0x30, {0, 0, 'k', 2, 1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_EQ(20u, broadcast.size());
    const Bytes answer = Frame(PC, 0x50, Bytes(30, '5'));
    // Bytes come in at the line's pace: a read that brings one moves the clock by 1 ms.
    bus.onRead = [this] {
        if (!bus.input.empty()) ++bus.clock;
    };
    struct Case {
        const char* what;
        unsigned long quietFor;  // ms between the last empty read and the first byte
        Bytes before;            // what came right before it
        bool taught;
    } cases[] = {
        {"from a quiet line", 0, {}, true},
        {"after 10 ms of waiting in the port", 10, {}, true},
        {"after 11 ms of waiting in the port", 11, {}, false},
        {"after 100 ms of waiting in the port", 100, {}, false},
        {"right behind an answer", 0, answer, false},
    };
    unsigned long at = 200000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CvaskLayer::SetBroadcastPhase(3, 0);
        at += 1000;
        bus.clock = at - 2;
        ReceiveOnce();  // an empty read: the line is quiet at `at`
        bus.clock += c.quietFor;
        bus.Give(Cat(c.before, broadcast));
        std::vector<std::string> got = ReceiveAll();
        ASSERT_EQ(c.before.empty() ? 1u : 2u, got.size());
        unsigned long end = at + c.quietFor + c.before.size() + broadcast.size();
        EXPECT_EQ(end, CvaskLayer::GetBroadcastTime(3));
        EXPECT_NEAR(20 * 10.0 / 9.6, CvaskLayer::GetBroadcastLength(3), 1e-9);
        EXPECT_EQ(c.taught ? (double)(end % 500) : 0.0, CvaskLayer::GetBroadcastPhase(3));
    }
    // An answer, the port read empty in the moment between, and the broadcast right behind:
    // it may still have waited for the answer. Beginning more than 10 ms after the answer
    // (its last byte read 31 ms after the answer's), it is timed.
    for (unsigned long pause : {0ul, 6ul, 7ul}) {
        SCOPED_TRACE(pause);
        CvaskLayer::SetBroadcastPhase(3, 0);
        at += 1000;
        bus.clock = at;
        bus.Give(answer);
        ASSERT_EQ(1u, ReceiveAll().size());  // ends with an empty read
        bus.clock += pause;
        ReceiveOnce();
        bus.Give(broadcast);
        ASSERT_EQ(1u, ReceiveAll().size());
        EXPECT_EQ(pause == 7 ? (double)(CvaskLayer::GetBroadcastTime(3) % 500) : 0.0,
                  CvaskLayer::GetBroadcastPhase(3));
    }

    // A phase already known is not smoothed towards a late reading either.
    CvaskLayer::SetBroadcastPhase(3, 100);
    bus.clock = 300098;
    ReceiveOnce();
    bus.Give(Cat(answer, broadcast));
    ReceiveAll();
    EXPECT_EQ(100, CvaskLayer::GetBroadcastPhase(3));

    // Before the layer has once read the port empty, nothing tells how long a broadcast
    // waited.
    Open(2);
    bus.clock = 400100;
    bus.Give(broadcast);
    ASSERT_NE("", ReceiveOnce().body);
    EXPECT_EQ(0.0, CvaskLayer::GetBroadcastPhase(3));
}

// ---- The gap in the broadcast cycle ----

// Broadcasts given by where they end and how long they last (ms).
struct Cycle {
    double phases[16] = {0};
    double lengths[16] = {0};
    Cycle(std::initializer_list<std::pair<double, double>> broadcasts) {
        int d = 15;
        for (const auto& b : broadcasts) {
            phases[d] = b.first;
            lengths[d] = b.second;
            --d;
        }
    }
};

// The window of a telegram that needs 10 ms before the next broadcast begins, behind
// broadcasts of 30 ms: it ends 40 ms before the next broadcast ends.
TEST(LayerGap, WaitForEachPositionInTheCycle) {
    struct Case {
        const char* what;
        std::vector<double> phases;
        unsigned long now, wait;
    } cases[] = {
        {"nothing known: at once", {}, 123, 0},
        {"wrapped window, inside its wrapped part", {100, 300}, 50, 0},
        {"wrapped window, before the gap", {100, 300}, 200, 100},
        {"wrapped window, inside the gap", {100, 300}, 350, 0},
        {"wrapped window, the cycle's end", {100, 300}, 499, 0},
        {"wrapped window, just past its end", {100, 300}, 61, 239},
        {"time modulo the cycle", {100, 300}, 1000200, 100},
        {"inner gap, inside the window", {100, 130, 460}, 200, 0},
        {"inner gap, at the window's end", {100, 130, 460}, 420, 0},
        {"inner gap, window passed", {100, 130, 460}, 421, 209},
        {"inner gap, before it", {100, 130, 460}, 20, 110},
        {"one device, inside the wrapped window", {250}, 100, 0},
        {"one device, before it", {250}, 230, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        double phases[16] = {0}, lengths[16] = {0};
        for (size_t k = 0; k < c.phases.size(); ++k) {
            phases[15 - k] = c.phases[k];
            lengths[15 - k] = 30;
        }
        EXPECT_EQ(c.wait, CvaskLayer::GapWait(phases, lengths, 10, c.now));
    }
}

TEST(LayerGap, TiesGoToTheEarlierGapAndTheWrapWinsOnlyWhenLarger) {
    struct Case {
        const char* what;
        Cycle cycle;
        double start, end;
    } cases[] = {
        {"gaps 100, 150, wrap 250: the wrap", {{100, 30}, {200, 30}, {350, 30}}, 350, 560},
        {"gaps 100, 200, wrap 200: the inner gap", {{100, 30}, {200, 30}, {400, 30}}, 200, 360},
        {"gaps 150, 150, wrap 200", {{100, 30}, {250, 30}, {400, 30}}, 400, 560},
        {"gaps 150, 100, 100, wrap 150: the first of the ties",
         {{100, 30}, {250, 30}, {350, 30}, {450, 30}},
         100,
         210},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        double start = -1, end = -1;
        CvaskLayer::GapWait(c.cycle.phases, c.cycle.lengths, 10, 0, &start, &end);
        EXPECT_EQ(c.start, start);
        EXPECT_EQ(c.end, end);
    }
}

// The window ends where a telegram that starts at its end is off the line, with the
// latency allowance, just before the next broadcast begins: its end moves with the
// telegram's own time and with the length of the broadcast behind the gap. A telegram
// that does not fit in the largest gap takes the next one in the rule's order that it
// fits in; one that fits in none goes at the start of the largest.
TEST(LayerGap, TheWindowEndsWhereTheTelegramStillFitsBeforeTheNextBroadcast) {
    // The benchmark's bus: broadcasts of 34, 23 and 23 bytes ending at 135.4, 224 and 324.
    const double b34 = 34 * CvaskLayer::ByteMs, b23 = 23 * CvaskLayer::ByteMs;
    const Cycle bench = {{100 + b34, b34}, {200 + b23, b23}, {300 + b23, b23}};
    struct Case {
        const char* what;
        Cycle cycle;
        double need;
        double start, end;
        int fits;
    } cases[] = {
        {"a 10-byte request", bench, 10 * CvaskLayer::ByteMs + 10, 300 + b23,
         600 - 10 * CvaskLayer::ByteMs - 10, 1},
        {"a 146-byte telegram", bench, 146 * CvaskLayer::ByteMs + 10, 300 + b23,
         600 - 146 * CvaskLayer::ByteMs - 10, 1},
        {"a short broadcast behind the gap", {{100, 10}, {300, 10}}, 20, 300, 570, 1},
        {"a long broadcast behind the gap", {{100, 100}, {300, 10}}, 20, 300, 480, 1},
        {"an unread broadcast counts as 40 ms", {{100, 0}, {300, 10}}, 20, 300, 540, 1},
        {"exactly fits", {{100, 30}, {300, 30}}, 270, 300, 300, 1},
        {"the largest gap too short: the next that fits", {{100, 10}, {360, 240}}, 50, 360, 540, 1},
        {"fits in no gap: at the start of the largest", {{100, 10}, {360, 240}}, 240, 100, 100, 0},
        {"sixteen broadcasts leave no room: the first of the equal gaps", Cycle{}, 20, 10, 10, 0},
    };
    // Sixteen broadcasts of 15 ms evenly over the cycle: gaps of 31.25 ms.
    for (int k = 0; k < 16; ++k) {
        cases[8].cycle.phases[k] = 10 + k * 31.25;
        cases[8].cycle.lengths[k] = 15;
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        double start = -1, end = -1;
        int fits = -1;
        CvaskLayer::GapWait(c.cycle.phases, c.cycle.lengths, c.need, 0, &start, &end, &fits);
        EXPECT_NEAR(c.start, start, 1e-9);
        EXPECT_NEAR(c.end, end, 1e-9);
        EXPECT_EQ(c.fits, fits);
    }
}

// A telegram that fits nowhere waits for the start of the largest gap and goes there,
// whenever it was handed over: it never waits longer than a cycle.
TEST(LayerGap, ATelegramThatFitsNowhereGoesAtTheStartOfTheLargestGap) {
    const Cycle cycle = {{100, 10}, {360, 240}};
    struct Case {
        unsigned long now, wait;
    } cases[] = {{0, 100}, {99, 1}, {100, 0}, {101, 499}, {359, 241}, {499, 101}};
    for (const Case& c : cases)
        EXPECT_EQ(c.wait, CvaskLayer::GapWait(cycle.phases, cycle.lengths, 240, c.now)) << c.now;
}

// The layer asks for the window of each telegram as it goes on the wire: its own bytes,
// stuffing included, at 9600 baud and the latency allowance. A short request goes late in
// the gap; a long one at the same moment waits for the next window.
TEST_F(Layer, EachTelegramWaitsForAWindowItFitsIn) {
    CvaskLayer::SetBroadcastPhase(4, 100);
    CvaskLayer::SetBroadcastLength(4, 20);
    CvaskLayer::SetBroadcastPhase(7, 300);
    CvaskLayer::SetBroadcastLength(7, 20);
    bus.device = [this](const Bytes&) { bus.Ack(); };
    // The wrapped window of a 10-byte telegram ends at 600 - 20 - 10.4 - 10 = 559.6.
    const Bytes shortBody = Body("k", {6});
    bus.clock = 1000059;
    ASSERT_EQ(1, Send(0x20, shortBody));
    EXPECT_TRUE(bus.delays.empty()) << "at 59 a 10-byte telegram still fits";
    bus.clock = 1000060;
    ASSERT_EQ(1, Send(0x20, shortBody));
    EXPECT_EQ(std::vector<unsigned long>{240}, bus.delays) << "at 60 it no longer does";

    // 30 bytes on the wire, 10 of them the doubled DLEs: the window ends at 538.75.
    bus.delays.clear();
    Bytes longBody = Body("W", {9});
    longBody.resize(12, 0x10);
    bus.clock = 1000038;
    ASSERT_EQ(1, Send(0x20, longBody));
    ASSERT_EQ(30u, bus.written.back().size());
    EXPECT_TRUE(bus.delays.empty());
    bus.clock = 1000039;
    ASSERT_EQ(1, Send(0x20, longBody));
    EXPECT_EQ(std::vector<unsigned long>{261}, bus.delays);
}

TEST_F(Layer, EachAttemptWaitsForTheGapWithTheLayersClock) {
    CvaskLayer::SetBroadcastPhase(4, 100);
    CvaskLayer::SetBroadcastLength(4, 20);
    CvaskLayer::SetBroadcastPhase(7, 300);
    CvaskLayer::SetBroadcastLength(7, 20);
    bus.clock = 1000200;  // 200 in the cycle: 100 ms to the wrapped window at 300
    bus.device = [this](const Bytes&) { bus.Ack(); };
    ASSERT_EQ(1, Send(0x20, Body("k", {6})));
    ASSERT_EQ(1u, bus.delays.size());
    EXPECT_EQ(100u, bus.delays[0]);
    EXPECT_EQ(1000300u, bus.writeTimes[0]) << "written after the wait";

    // At 50 in the cycle the wrapped window is open: no wait.
    bus.delays.clear();
    bus.clock = 1000050;
    ASSERT_EQ(1, Send(0x20, Body("k", {6})));
    EXPECT_TRUE(bus.delays.empty());

    // Without known phases nothing waits.
    CvaskLayer::SetBroadcastPhase(4, 0);
    CvaskLayer::SetBroadcastPhase(7, 0);
    bus.clock = 1000200;
    ASSERT_EQ(1, Send(0x20, Body("k", {6})));
    EXPECT_TRUE(bus.delays.empty());
}

TEST_F(Layer, BroadcastTimesOlderThanThreeCyclesAreClearedBySendButPhasesStay) {
    CvaskLayer::SetBroadcastPhase(3, 120);
    CvaskLayer::SetBroadcastTime(3, bus.clock - 1501);
    CvaskLayer::SetBroadcastTime(4, bus.clock - 1500);
    bus.device = [this](const Bytes&) { bus.Ack(); };
    ASSERT_EQ(1, Send(0x20, Body("k", {6})));
    EXPECT_EQ(0u, CvaskLayer::GetBroadcastTime(3));
    EXPECT_NE(0u, CvaskLayer::GetBroadcastTime(4));
    EXPECT_EQ(120, CvaskLayer::GetBroadcastPhase(3));
}

TEST_F(Layer, InitClearsTheCycleTablesAndTheStatistics) {
    CvaskLayer::SetBroadcastPhase(3, 120);
    CvaskLayer::SetBroadcastTime(3, 5);
    CvaskLayer::SetBroadcastLength(3, 20);
    bus.Give(Frame(PC, 0x20, {0, 0, 'k', 6}));
    ReceiveOnce();
    Open(2);
    EXPECT_EQ(0.0, CvaskLayer::GetBroadcastPhase(3));
    EXPECT_EQ(0.0, CvaskLayer::GetBroadcastLength(3));
    EXPECT_EQ(0u, CvaskLayer::GetBroadcastTime(3));
    EXPECT_EQ(0u, Stat().received);
    EXPECT_EQ(2, bus.created);
    EXPECT_EQ(1, bus.destroyed) << "the first port is released by the second Init";
}

// ---- Life cycle ----

TEST(LayerLife, APortThatCannotBeOpenedLeavesNoPortBehind) {
    FakeBus bus;
    bus.openResult = 0;
    CvaskLayer layer;
    SerialParam p = {2, 0, 0, 1, 0};
    ErrorStruct_ err;
    EXPECT_EQ(0, layer.Init("COM3", &p, &err));
    EXPECT_EQ(12, err.code);
    EXPECT_EQ("COM3", bus.openedName);
    EXPECT_EQ(1, bus.destroyed);
    EXPECT_FALSE(layer.IsOpen());
    EXPECT_EQ(1, layer.Done(nullptr)) << "nothing to close";
}

TEST(LayerLife, WithoutAPortSendAndReceiveFailCleanly) {
    FakeBus bus;
    CvaskLayer layer;
    ErrorStruct_ err;
    unsigned char body[2] = {'k', 6};
    EXPECT_EQ(0, layer.Send(CvaskAddress(0x20), body, 2, &err));
    EXPECT_EQ(26, err.code);
    CvaskAddress* source = nullptr;
    unsigned char* got = nullptr;
    int length = -1;
    EXPECT_EQ(0, layer.Receive(source, got, length, &err));
    EXPECT_EQ(26, err.code);
    EXPECT_EQ(0, length);
    EXPECT_EQ(nullptr, source);
}

TEST(LayerLife, DoneClosesAndReleasesThePortAndTheDestructorDoesWhenDoneWasMissed) {
    FakeBus bus;
    SerialParam p = {2, 0, 0, 1, 0};
    {
        CvaskLayer layer;
        ASSERT_EQ(1, layer.Init("COM1", &p, nullptr));
        EXPECT_EQ(1, layer.Done(nullptr));
        EXPECT_EQ(1, bus.closed);
        EXPECT_EQ(1, bus.destroyed);
        ASSERT_EQ(1, layer.Init("COM1", &p, nullptr));
    }
    EXPECT_EQ(2, bus.closed);
    EXPECT_EQ(2, bus.destroyed);
}

}  // namespace
