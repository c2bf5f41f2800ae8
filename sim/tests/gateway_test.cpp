// The gateway side with a hand-driven clock: the stand-in's frames go in as bytes, the
// frames that come out are decoded by the test's own reading of the protocol.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "control.h"
#include "gateway.h"

using namespace vasksim;

namespace {

struct Out {
    uint8_t type = 0, line = 0;
    Bytes payload;
    uint32_t id() const {
        return payload[0] | (payload[1] << 8) | (payload[2] << 16) | (uint32_t(payload[3]) << 24);
    }
};

Bytes frame(uint8_t type, uint8_t line, const Bytes& payload) {
    Bytes b(4 + payload.size());
    b[0] = type;
    b[1] = line;
    b[2] = static_cast<uint8_t>(payload.size());
    b[3] = static_cast<uint8_t>(payload.size() >> 8);
    std::copy(payload.begin(), payload.end(), b.begin() + 4);
    return b;
}

Bytes transmitPayload(uint32_t id, uint8_t destination, const Bytes& body) {
    Bytes p(5 + body.size());
    for (int i = 0; i < 4; ++i) p[static_cast<size_t>(i)] = static_cast<uint8_t>(id >> (8 * i));
    p[4] = destination;
    std::copy(body.begin(), body.end(), p.begin() + 5);
    return p;
}

class GatewayTest : public ::testing::Test {
protected:
    GatewayTest() : bus([this] { return now; }), lines(bus), control(lines), gateway(lines) {
        std::string why;
        EXPECT_TRUE(control.loadScenario("default", why)) << why;
        conn = gateway.open();
    }

    Control::Result run(const std::string& line) {
        Control::Result r = control.execute(line);
        EXPECT_TRUE(r.ok) << line << ": " << r.message;
        return r;
    }

    bool feed(int c, const Bytes& bytes) { return gateway.receive(c, bytes.data(), bytes.size()); }

    // Everything the connection has been sent by now, frame by frame, read independently
    // of the gateway side's own codec.
    std::vector<Out> output(int c) {
        gateway.pump();
        Bytes b;
        gateway.takeOutput(c, b);
        std::vector<Out> frames;
        size_t p = 0;
        while (p + 4 <= b.size()) {
            size_t n = b[p + 2] | (b[p + 3] << 8);
            EXPECT_LE(p + 4 + n, b.size()) << "a frame cut short";
            if (p + 4 + n > b.size()) break;
            Out o;
            o.type = b[p];
            o.line = b[p + 1];
            o.payload.assign(b.begin() + static_cast<long>(p + 4),
                             b.begin() + static_cast<long>(p + 4 + n));
            frames.push_back(o);
            p += 4 + n;
        }
        EXPECT_EQ(p, b.size()) << "bytes after the last frame";
        return frames;
    }

    std::vector<Out> transmit(uint8_t line, uint32_t id, uint8_t destination, const Bytes& body) {
        EXPECT_TRUE(feed(conn, frame(0x04, line, transmitPayload(id, destination, body))));
        return output(conn);
    }

    int64_t now = 0;
    Bus bus;
    LineSet lines;
    Control control;
    GatewaySide gateway;
    int conn = 0;
};

std::vector<std::string> lineNames(const Out& list) {
    std::vector<std::string> names;
    const Bytes& p = list.payload;
    size_t at = 1;
    for (int i = 0; i < p.at(0); ++i) {
        size_t n = p.at(at);
        names.emplace_back(p.begin() + static_cast<long>(at + 1),
                           p.begin() + static_cast<long>(at + 1 + n));
        at += 1 + n;
    }
    EXPECT_EQ(at, p.size());
    return names;
}

}  // namespace

TEST_F(GatewayTest, HelloIsAnsweredWithTheLines) {
    ASSERT_TRUE(feed(conn, frame(0x01, 0, {1})));
    std::vector<Out> out = output(conn);
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ(0x81, out[0].type);
    EXPECT_EQ(0, out[0].line);
    EXPECT_EQ((std::vector<std::string>{"COM1"}), lineNames(out[0]));

    run("LINES 3");
    ASSERT_TRUE(feed(conn, frame(0x01, 0, {1})));
    out = output(conn);
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ((std::vector<std::string>{"COM1", "COM2", "COM3"}), lineNames(out[0]));
}

TEST_F(GatewayTest, AnotherProtocolVersionEndsTheConnection) {
    EXPECT_FALSE(feed(conn, frame(0x01, 0, {2})));
    EXPECT_TRUE(output(conn).empty());
}

TEST_F(GatewayTest, FramesAreReassembledAndStrayOnesIgnored) {
    Bytes stream = frame(0x7E, 0, {1, 2, 3});         // unknown type
    Bytes shortTransmit = frame(0x04, 0, {1, 0, 0});  // no room for an id and address
    Bytes hello = frame(0x01, 0, {1});
    Bytes ask = frame(0x04, 0, transmitPayload(9, 0x10, {'k', 6}));
    for (const Bytes* b : {&shortTransmit, &hello, &ask})
        stream.insert(stream.end(), b->begin(), b->end());
    for (uint8_t byte : stream) ASSERT_TRUE(feed(conn, {byte}));  // one byte at a time
    std::vector<Out> out = output(conn);
    ASSERT_EQ(3u, out.size());
    EXPECT_EQ(0x81, out[0].type);
    EXPECT_EQ(0x84, out[1].type);
    EXPECT_EQ(9u, out[1].id());
    EXPECT_EQ(0x85, out[2].type);
    EXPECT_EQ(1u, bus.logCount()) << "the short transmit never reached the line";
}

TEST_F(GatewayTest, RecordsAreReadAndOnlyTheLineOptionsAreWritten) {
    ASSERT_TRUE(feed(conn, frame(0x02, 0, {})));
    std::vector<Out> out = output(conn);
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ(0x82, out[0].type);
    ASSERT_EQ(13u, out[0].payload.size());
    EXPECT_EQ(0, out[0].payload[0]);
    Bytes record(out[0].payload.begin() + 1, out[0].payload.end());
    EXPECT_EQ(0, record[7]);
    EXPECT_EQ(0, record[8]);
    EXPECT_EQ(13, record[9]);

    Bytes changed = record;
    changed[0] ^= 0xFF;  // the gateway's own byte: not the client's to change
    changed[7] = 1;
    changed[8] = 1;
    changed[9] = 14;
    ASSERT_TRUE(feed(conn, frame(0x03, 0, changed)));
    out = output(conn);
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ(0x83, out[0].type);
    EXPECT_EQ(Bytes{0}, out[0].payload);
    Bytes expect = record;
    expect[7] = 1;
    expect[8] = 1;
    expect[9] = 14;
    EXPECT_EQ(toHex(expect), toHex(bus.record.data(), bus.record.size()));
}

TEST_F(GatewayTest, BadRecordRequestsAreRefusedAndChangeNothing) {
    LineRecord before = bus.record;
    Bytes good(before.begin(), before.end());
    struct Case {
        const char* what;
        uint8_t type, line;
        Bytes payload;
        uint8_t answer;
    };
    Bytes flag2 = good, addr15 = good, eleven(good.begin(), good.end() - 1);
    flag2[7] = 2;
    addr15[9] = 15;
    const Case cases[] = {
        {"read on a line that does not exist", 0x02, 4, {}, 0x82},
        {"write on a line that does not exist", 0x03, 4, good, 0x83},
        {"record of eleven bytes", 0x03, 0, eleven, 0x83},
        {"terminator flag 2", 0x03, 0, flag2, 0x83},
        {"own address 15", 0x03, 0, addr15, 0x83},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(feed(conn, frame(c.type, c.line, c.payload))) << c.what;
        std::vector<Out> out = output(conn);
        ASSERT_EQ(1u, out.size()) << c.what;
        EXPECT_EQ(c.answer, out[0].type) << c.what;
        EXPECT_EQ(c.line, out[0].line) << c.what;
        EXPECT_EQ(Bytes{1}, out[0].payload) << c.what;
        EXPECT_EQ(before, bus.record) << c.what;
    }
}

TEST_F(GatewayTest, TransmitsEndAsTheDevicesAndFaultsGive) {
    struct Case {
        const char* setup;  // a control command, or empty
        Bytes body;
        uint8_t status;
        size_t replies;
        char replyLetter;
        const char* action;
    };
    const Case cases[] = {
        {"", {'k', 6}, 0, 1, 'k', "ack,reply"},
        {"FAULT 1 silent", {'k', 6}, 1, 0, 0, "silent"},
        {"REMOVE 1", {'k', 6}, 1, 0, 0, "ignored:no-device"},
        {"FAULT 1 nak", {'k', 6}, 2, 0, 0, "nak"},
        {"", {'k'}, 2, 0, 0, "nak:short"},
        {"FAULT 1 noreply", {'k', 6}, 0, 0, 0, "ack,noreply"},
        {"FAULT 1 badcrc",
         {'k', 6},
         0,
         0,
         0,
         "ack,badcrc,reply"},  // the gateway drops what it cannot check
        {"FAULT 1 garbage", {'k', 6}, 0, 1, 'k', "ack,garbage,reply"},
        {"FAULT 1 duplicate", {'k', 6}, 0, 2, 'k', "ack,reply,duplicate"},
        {"FAULT 1 reject 1 CE", {'k', 6}, 0, 1, 'C', "ack,reject CE (injected),reply"},
        {"", {'q', 99}, 0, 1, '?', nullptr},
    };
    uint32_t id = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.setup) + " / body " + toHex(c.body));
        run("RESET");
        if (*c.setup) run(c.setup);
        std::vector<Out> out = transmit(0, ++id, 0x10, c.body);
        ASSERT_EQ(1 + c.replies, out.size());
        EXPECT_EQ(0x84, out[0].type);
        EXPECT_EQ(0, out[0].line);
        ASSERT_EQ(5u, out[0].payload.size());
        EXPECT_EQ(id, out[0].id());
        EXPECT_EQ(c.status, out[0].payload[4]);
        for (size_t i = 1; i < out.size(); ++i) {
            EXPECT_EQ(0x85, out[i].type);
            ASSERT_GE(out[i].payload.size(), 6u);
            EXPECT_EQ(0x10, out[i].payload[0]) << "source: the device asked";
            EXPECT_EQ(0xD0, out[i].payload[1])
                << "second byte: the telegram's destination, the PC at 13";
            EXPECT_EQ(c.replyLetter, static_cast<char>(out[i].payload[4]));
        }
        ASSERT_EQ(1u, bus.log().size());
        if (c.action) EXPECT_EQ(c.action, bus.log()[0].action);
    }
}

TEST_F(GatewayTest, TheLineSpeaksFromItsOwnAddressAndTheLogShowsTheGateway) {
    bus.record[9] = 14;
    std::vector<Out> out = transmit(0, 1, 0x11, {'k', 6});
    ASSERT_EQ(2u, out.size());
    EXPECT_EQ(0x11, out[1].payload[0]);
    EXPECT_EQ(0xE0, out[1].payload[1]);
    Control::Result r = run("LOG");
    ASSERT_EQ(1u, r.lines.size());
    EXPECT_NE(std::string::npos,
              r.lines[0].find("to=1/1 from=14/0 crc=ok via=gateway cmd=k fn=6 action=ack,reply"))
        << r.lines[0];
    EXPECT_NE(std::string::npos, r.lines[0].find(" raw=100111E06B06"))
        << "the telegram as the gateway sends it";
}

TEST_F(GatewayTest, ASlowReplyFollowsItsTransmitDoneLater) {
    run("FAULT 1 slow 1 300");
    std::vector<Out> out = transmit(0, 5, 0x10, {'k', 6});
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ(0x84, out[0].type);
    EXPECT_EQ(300, gateway.nextDue());
    now = 299;
    EXPECT_TRUE(output(conn).empty());
    now = 300;
    out = output(conn);
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ(0x85, out[0].type);
}

TEST_F(GatewayTest, AWrongSourceIsPassedOn) {
    run("FAULT 1 wrongsrc 1 0x30");
    std::vector<Out> out = transmit(0, 1, 0x10, {'k', 6});
    ASSERT_EQ(2u, out.size());
    EXPECT_EQ(0x30, out[1].payload[0]);
}

TEST_F(GatewayTest, BroadcastsAreSentAndObeyedButNeverAnswered) {
    std::vector<Out> out = transmit(0, 3, 0xF0, {'F', 10, '1', 0});
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ(0, out[0].payload[4]);
    EXPECT_TRUE(bus.devices.at(1).switchOn(10));
    EXPECT_TRUE(bus.devices.at(2).switchOn(10));
}

TEST_F(GatewayTest, CyclicBroadcastsReachEveryConnection) {
    int other = gateway.open();
    run("BROADCAST 2 100");
    now = 1000;
    bus.advance();  // first look
    now = 1100;
    bus.advance();
    for (int c : {conn, other}) {
        std::vector<Out> out = output(c);
        ASSERT_EQ(1u, out.size()) << "connection " << c;
        EXPECT_EQ(0x85, out[0].type);
        EXPECT_EQ(0x20, out[0].payload[0]);
        EXPECT_EQ(0xF0, out[0].payload[1]);
        EXPECT_EQ('k', out[0].payload[4]);
        EXPECT_EQ(2, out[0].payload[5]);
    }
}

TEST_F(GatewayTest, RepliesGoToTheConnectionThatAskedAndAClosedOneLosesThem) {
    int other = gateway.open();
    ASSERT_TRUE(feed(other, frame(0x04, 0, transmitPayload(1, 0x10, {'k', 6}))));
    EXPECT_TRUE(output(conn).empty());
    EXPECT_EQ(2u, output(other).size());
    run("FAULT 1 slow 1 50");
    ASSERT_TRUE(feed(other, frame(0x04, 0, transmitPayload(2, 0x10, {'k', 6}))));
    gateway.close(other);
    now = 50;
    EXPECT_TRUE(output(conn).empty());
    EXPECT_FALSE(feed(other, frame(0x01, 0, {1}))) << "a closed connection takes nothing";
}

TEST_F(GatewayTest, EachLineIsABusOfItsOwn) {
    run("LINES 2");
    run("LINE COM2 DEVICE 5 type=2");
    std::vector<Out> out = transmit(1, 1, 0x50, {'k', 6});
    ASSERT_EQ(2u, out.size());
    EXPECT_EQ(1, out[0].line);
    EXPECT_EQ(0, out[0].payload[4]);
    EXPECT_EQ(1, out[1].line);
    EXPECT_EQ(0x50, out[1].payload[0]);

    out = transmit(0, 2, 0x50, {'k', 6});
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ(1, out[0].payload[4]) << "no device 5 on COM1";

    run("LINE com2 FAULT 5 nak");
    out = transmit(1, 3, 0x50, {'k', 6});
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ(2, out[0].payload[4]);
    EXPECT_TRUE(bus.faults.empty()) << "the fault belongs to COM2";

    Control::Result log = run("LINE COM2 LOG");
    EXPECT_EQ("2", log.message);
    EXPECT_EQ(1u, bus.logCount());

    out = transmit(7, 4, 0x10, {'k', 6});
    ASSERT_EQ(1u, out.size()) << "a line that does not exist";
    EXPECT_EQ(0x84, out[0].type);
    EXPECT_EQ(7, out[0].line);
    EXPECT_EQ(4u, out[0].id());
    EXPECT_EQ(2, out[0].payload[4]);
}

TEST_F(GatewayTest, TheSerialLineAndCom1AreOneBus) {
    Bytes t = buildTelegram(0x10, 0xD0, {'K', 16, 'O', 'f', 'e', 'n', 0});
    bus.receive(t.data(), t.size());
    std::vector<Out> out = transmit(0, 1, 0x10, {'k', 16});
    ASSERT_EQ(2u, out.size());
    std::string body(out[1].payload.begin() + 2, out[1].payload.end());
    EXPECT_NE(std::string::npos, body.find("Ofen"))
        << "what the serial line wrote, the gateway reads";
    EXPECT_EQ(2u, bus.logCount());
}

TEST_F(GatewayTest, LineCommandsOfTheControlChannel) {
    Control::Result r = run("LINES");
    ASSERT_EQ(1u, r.lines.size());
    EXPECT_EQ("name=COM1 devices=2 record=5647570100000000000D8025", r.lines[0]);
    run("LINES 2");
    EXPECT_EQ("name=COM2 devices=0 record=5647570100000000000D8025", run("LINES").lines.at(1));

    run("LINE COM2 RECORD 000000000000000101 0E 0000");
    EXPECT_EQ("000000000000000101", run("LINE COM2 RECORD").lines.at(0).substr(0, 18));
    EXPECT_EQ(14, lines.at(1).record[9]);
    EXPECT_EQ(13, bus.record[9]);

    Control::Result w = run("LINE COM2 WAITLOG 1 500");
    EXPECT_TRUE(w.wait);
    EXPECT_EQ(1u, w.waitLine);
    EXPECT_EQ(0u, run("WAITLOG 1 500").waitLine);

    const char* bad[] = {
        "LINES 0",        "LINES 17",        "LINES x",           "LINE COM3 DEVICES",
        "LINE COM2",      "LINE COM2 RESET", "LINE COM2 LINES 1", "LINE COM2 SCENARIO default",
        "LINE COM2 QUIT", "RECORD 0102",     "RECORD xyz"};
    for (const char* cmd : bad) {
        Control::Result b = control.execute(cmd);
        EXPECT_FALSE(b.ok) << cmd;
        EXPECT_FALSE(b.message.empty()) << cmd;
    }
    EXPECT_EQ(2u, lines.size());
    EXPECT_EQ(14, lines.at(1).record[9]);
}

TEST_F(GatewayTest, ScenariosConfigureLinesAndResetGoesBackToOne) {
    std::string path = ::testing::TempDir() + "vasksim_gateway_scenario.txt";
    {
        std::ofstream f(path);
        f << "DEVICE 1\nLINES 3\nLINE COM3 DEVICE 4 type=2\nLINE COM3 FAULT 4 silent always\n";
    }
    run("SCENARIO " + path);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(1u, lines.at(2).devices.count(4));
    EXPECT_EQ(1u, lines.at(2).faults.size());
    EXPECT_TRUE(lines.at(1).devices.empty());

    bus.record[9] = 14;
    std::string broken = ::testing::TempDir() + "vasksim_gateway_broken.txt";
    {
        std::ofstream f(broken);
        f << "LINES 2\nLINE COM2 DEVICE 99\n";
    }
    EXPECT_FALSE(control.execute("SCENARIO " + broken).ok);
    ASSERT_EQ(3u, lines.size()) << "a broken scenario leaves the lines as they were";
    EXPECT_EQ(1u, lines.at(2).devices.count(4));
    EXPECT_EQ(14, bus.record[9]);

    run("RESET");
    EXPECT_EQ(3u, lines.size()) << "the scenario in use names three lines";
    EXPECT_EQ(13, bus.record[9]) << "and the record starts over";
    run("SCENARIO default");
    EXPECT_EQ(1u, lines.size());
    std::remove(path.c_str());
    std::remove(broken.c_str());
}
