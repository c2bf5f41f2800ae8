#include <gtest/gtest.h>

#include <string>

#include "bus.h"
#include "message.h"

using namespace vasksim;

namespace {

constexpr uint8_t kPc = 0xD0;  // the PC as device 13

Bytes text(const std::string& s) {
    Bytes b(s.begin(), s.end());
    b.push_back(0);
    return b;
}

// A bus with a hand-driven clock and helpers that speak as the PC does.
class BusTest : public ::testing::Test {
protected:
    BusTest() : bus([this] { return now; }) {
        bus.devices.emplace(1, Device(1, 1, 2, 4));
        bus.devices.emplace(2, Device(2, 2, 1, 2));
    }

    void send(uint8_t to, char letter, int function, const Bytes& params = {}) {
        Bytes body{static_cast<uint8_t>(letter), static_cast<uint8_t>(function)};
        for (uint8_t x : params) body.push_back(x);
        Bytes t = buildTelegram(to, kPc, body);
        bus.receive(t.data(), t.size());
    }

    // Everything due now, split into acknowledgements, telegrams and stray bytes.
    struct Wire {
        int acks = 0, naks = 0;
        std::vector<Frame> frames;
        size_t noise = 0;
        Bytes raw;
    };
    Wire drain() {
        Bytes out;
        bus.takeDue(out);
        return parse(out);
    }
    static Wire parse(const Bytes& out) {
        Wire w;
        w.raw = out;
        Deframer d;
        Frame f;
        for (size_t i = 0; i < out.size(); ++i) {
            if (!d.inTelegram() && out[i] == DLE && i + 1 < out.size() &&
                (out[i + 1] == ACK || out[i + 1] == NAK)) {
                (out[i + 1] == ACK ? w.acks : w.naks)++;
                ++i;
                continue;
            }
            if (d.push(out[i], f)) w.frames.push_back(f);
        }
        w.noise = d.noiseBytes();
        return w;
    }

    // One request, one good reply expected: returns its parameters.
    Bytes ask(uint8_t to, char letter, int function, const Bytes& params = {}) {
        send(to, letter, function, params);
        Wire w = drain();
        EXPECT_EQ(1, w.acks);
        EXPECT_EQ(1u, w.frames.size());
        if (w.frames.size() != 1) return {};
        const Frame& f = w.frames[0];
        EXPECT_EQ(Frame::Ok, f.status);
        EXPECT_EQ(kPc, f.destination);
        EXPECT_EQ(to, f.source);
        EXPECT_GE(f.body.size(), 4u);
        if (f.body.size() < 4) return {};
        EXPECT_EQ(letter, static_cast<char>(f.body[2]));
        EXPECT_EQ(function, f.body[3]);
        return Bytes(f.body.begin() + 4, f.body.end());
    }

    // The two letters of the rejection with which the device answered.
    std::string rejectionOf(uint8_t to, char letter, int function, const Bytes& params = {}) {
        send(to, letter, function, params);
        Wire w = drain();
        if (w.frames.size() != 1 || w.frames[0].body.size() != 4) return "no single empty reply";
        return std::string{static_cast<char>(w.frames[0].body[2]),
                           static_cast<char>(w.frames[0].body[3])};
    }

    int64_t now = 1000;
    Bus bus;
};

}  // namespace

TEST_F(BusTest, VersionRequestIsAcknowledgedAndAnswered) {
    Device& d = bus.devices.at(1);
    d.serial = "4711";
    d.software = "V2.10";
    Bytes p = ask(0x10, 'k', 6);
    Values vs;
    std::string why;
    ASSERT_TRUE(decode(p, replyInfo('k', 6).reply, false, vs, why)) << why;
    EXPECT_EQ(1, vs[0].byte);
    EXPECT_EQ("4711", vs[1].text);
    EXPECT_EQ("V2.10", vs[2].text);
    ASSERT_EQ(1u, bus.log().size());
    EXPECT_EQ("ack,reply", bus.log()[0].action);
    EXPECT_NE(std::string::npos, bus.log()[0].line().find("cmd=k fn=6"));
}

TEST_F(BusTest, ReplyGoesBackToWhoeverAskedOnTheChannelAsked) {
    Bytes body{'k', 1};
    Bytes t = buildTelegram(0x11, 0xE0, body);  // device 1 component 1, from the PC as device 14
    bus.receive(t.data(), t.size());
    Wire w = drain();
    ASSERT_EQ(1u, w.frames.size());
    EXPECT_EQ(0xE0, w.frames[0].destination);
    EXPECT_EQ(0x11, w.frames[0].source);
}

TEST_F(BusTest, AbsentDevicesAndOtherTelegramsGetNoAnswer) {
    send(0x50, 'k', 6);
    Wire w = drain();
    EXPECT_TRUE(w.raw.empty());
    EXPECT_EQ("ignored:no-device", bus.log().back().action);
}

TEST_F(BusTest, TheReactionTimeDelaysAcknowledgementAndReply) {
    bus.reactionMs = 7;
    send(0x10, 'k', 6);
    EXPECT_TRUE(drain().raw.empty());
    EXPECT_EQ(now + 7, bus.nextDue());
    now += 7;
    Wire w = drain();
    EXPECT_EQ(1, w.acks);
    ASSERT_EQ(1u, w.frames.size());
    // The log counts what the device put on the line for the telegram.
    ASSERT_EQ(1u, bus.log().size());
    EXPECT_EQ(w.raw.size(), bus.log()[0].sent);
    EXPECT_NE(std::string::npos,
              bus.log()[0].line().find(" sent=" + std::to_string(w.raw.size()) + " "));
}

TEST_F(BusTest, SilenceAndRejectionsAreCountedAsSent) {
    send(0x50, 'k', 6);
    EXPECT_EQ(0u, bus.log().back().sent);
    Bytes t = buildTelegram(0x10, kPc, {'k', 6});
    t.back() ^= 0xFF;
    bus.receive(t.data(), t.size());
    EXPECT_EQ(2u, bus.log().back().sent);  // DLE NAK
    EXPECT_EQ("??", rejectionOf(0x10, 'q', 99));
    EXPECT_EQ(2u + buildTelegram(kPc, 0x10, replyBody(0, 0, '?', '?', {})).size(),
              bus.log().back().sent);
}

TEST_F(BusTest, ABadCrcIsAnsweredWithNak) {
    Bytes t = buildTelegram(0x10, kPc, {'k', 6});
    t.back() ^= 0xFF;
    bus.receive(t.data(), t.size());
    Wire w = drain();
    EXPECT_EQ(1, w.naks);
    EXPECT_TRUE(w.frames.empty());
    EXPECT_EQ("nak:crc", bus.log().back().action);
}

TEST_F(BusTest, WhatIsWrittenIsReadBack) {
    // Settings of bit fields, floats keep their units, names, switches.
    ask(0x10, 'S', 1, {0xA0, 0x00});
    EXPECT_EQ("A000", toHex(ask(0x10, 's', 1)));
    EXPECT_EQ("8000", toHex(ask(0x11, 's', 1))) << "the other component keeps its own setting";

    bus.devices.at(1).stored('w', 9, 0) = {Value::makeFloat(Value::UFloat, 0, 40),
                                           Value::makeFloat(Value::UFloat, 0, 10)};
    ask(0x10, 'W', 9, [] {
        Bytes b = text("150.000");
        Bytes h = text("5.000");
        b.insert(b.end(), h.begin(), h.end());
        return b;
    }());
    Bytes expect = text("150.000");
    expect.insert(expect.end(), {40, 0});
    Bytes h = text("5.000");
    expect.insert(expect.end(), h.begin(), h.end());
    expect.insert(expect.end(), {10, 0});
    EXPECT_EQ(toHex(expect), toHex(ask(0x10, 'w', 9)));

    ask(0x10, 'K', 16, text("Ofen 3"));
    Bytes name = text("Ofen 3");
    name.insert(name.end(), {1, 0});
    EXPECT_EQ(toHex(name), toHex(ask(0x10, 'k', 16)));

    ask(0x10, 'S', 4, {0x05, 0x00, 0x06, 0x00});
    EXPECT_EQ("05000600", toHex(ask(0x10, 's', 4)))
        << "a device keeps as many relays as it was given";
}

TEST_F(BusTest, SwitchStatesShowInTheSwitchRecord) {
    Bytes before = ask(0x10, 'k', 3);
    ASSERT_EQ(8u, before.size());
    EXPECT_EQ(0x80, before[0]);
    ask(0x10, 'F', 1, {'1', 0});
    ask(0x10, 'F', 11, {'1', 0});
    Bytes after = ask(0x10, 'k', 3);
    EXPECT_EQ(0x82, after[0]) << "remote is the second flag";
    EXPECT_EQ(0x82, after[2]) << "the pump is the ninth flag";
    ask(0x10, 'F', 1, {'0', 0});
    EXPECT_EQ(0x80, ask(0x10, 'k', 3)[0]);
}

TEST_F(BusTest, MeasuredValuesChangeOverTime) {
    Device& d = bus.devices.at(1);
    d.comps[0] = {10.0, 2.0, 1000.0, 2, 2};
    now = 0;
    Bytes a = ask(0x10, 'k', 2);
    now = 250;
    Bytes b = ask(0x10, 'k', 2);
    EXPECT_NE(toHex(a), toHex(b));
    Values vs;
    std::string why;
    ASSERT_TRUE(decode(b, replyInfo('k', 2).reply, false, vs, why)) << why;
    ASSERT_EQ(2u, vs.size());
    EXPECT_EQ("12.000", vs[0].text);
    EXPECT_EQ(2, vs[0].quantity);
}

TEST_F(BusTest, RejectionsOfTheDevice) {
    bus.devices.at(2).requireRemote = true;
    EXPECT_EQ("??", rejectionOf(0x10, 'k', 7));
    EXPECT_EQ("CE", rejectionOf(0x12, 'k', 1)) << "device 1 has two components";
    EXPECT_EQ("SE", rejectionOf(0x10, 'W', 9, text("1.000")));
    EXPECT_EQ("DE", rejectionOf(0x10, 'Z', 6, {0x05, 0x00})) << "four ranges";
    EXPECT_EQ("SE", rejectionOf(0x10, 'W', 1, text("1.000"))) << "one value per range";
    EXPECT_EQ("OF", rejectionOf(0x20, 'S', 1, {0x80, 0x00}));
    ask(0x20, 'F', 1, {'1', 0});
    ask(0x20, 'S', 1, {0x80, 0x00});
}

// Misbehaviour on request, each for the next telegram only.
struct FaultCase {
    const char* name;
    Fault::Kind kind;
    int arg;
    const char* code;
};

class BusFaults : public BusTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(BusFaults, AppliesOnceThenTheDeviceBehavesAgain) {
    const FaultCase& c = GetParam();
    Fault f;
    f.kind = c.kind;
    f.device = 1;
    f.arg = c.arg;
    f.code = c.code;
    bus.faults.push_back(f);

    send(0x10, 'k', 6);
    Wire w = drain();
    switch (c.kind) {
        case Fault::Silent: EXPECT_TRUE(w.raw.empty()); break;
        case Fault::Nak:
            EXPECT_EQ(1, w.naks);
            EXPECT_TRUE(w.frames.empty());
            break;
        case Fault::NoReply:
            EXPECT_EQ(1, w.acks);
            EXPECT_TRUE(w.frames.empty());
            break;
        case Fault::Reject:
            ASSERT_EQ(1u, w.frames.size());
            EXPECT_EQ("BS", std::string(w.frames[0].body.begin() + 2, w.frames[0].body.end()));
            break;
        case Fault::Slow: {
            EXPECT_EQ(1, w.acks);
            EXPECT_TRUE(w.frames.empty());
            EXPECT_EQ(now + c.arg, bus.nextDue());
            now += c.arg;
            w = drain();
            EXPECT_EQ(1u, w.frames.size());
            break;
        }
        case Fault::BadCrc:
            ASSERT_EQ(1u, w.frames.size());
            EXPECT_EQ(Frame::BadCrc, w.frames[0].status);
            break;
        case Fault::WrongSource:
            ASSERT_EQ(1u, w.frames.size());
            EXPECT_EQ(0x20, w.frames[0].source);
            break;
        case Fault::Garbage:
            EXPECT_EQ(static_cast<size_t>(c.arg), w.noise);
            EXPECT_EQ(1u, w.frames.size());
            break;
        case Fault::Duplicate:
            ASSERT_EQ(2u, w.frames.size());
            EXPECT_EQ(toHex(w.frames[0].raw), toHex(w.frames[1].raw));
            break;
    }
    EXPECT_NE(std::string::npos, bus.log().back().action.find(faultName(c.kind)))
        << bus.log().back().action;
    // The next identical request is served normally.
    ask(0x10, 'k', 6);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BusFaults,
                         ::testing::Values(FaultCase{"Silent", Fault::Silent, 0, ""},
                                           FaultCase{"Nak", Fault::Nak, 0, ""},
                                           FaultCase{"NoReply", Fault::NoReply, 0, ""},
                                           FaultCase{"Reject", Fault::Reject, 0, "BS"},
                                           FaultCase{"Slow", Fault::Slow, 300, ""},
                                           FaultCase{"BadCrc", Fault::BadCrc, 0, ""},
                                           FaultCase{"WrongSource", Fault::WrongSource, 0, ""},
                                           FaultCase{"Garbage", Fault::Garbage, 12, ""},
                                           FaultCase{"Duplicate", Fault::Duplicate, 0, ""}),
                         [](const ::testing::TestParamInfo<FaultCase>& i) { return i.param.name; });

TEST_F(BusTest, FaultCountsAndMessageFilters) {
    Fault f;
    f.kind = Fault::Nak;
    f.device = 1;
    f.remaining = 2;
    f.onLetter = 'k';
    f.onFunction = 6;
    bus.faults.push_back(f);
    ask(0x10, 'k', 3);  // other messages pass
    for (int i = 0; i < 2; ++i) {
        send(0x10, 'k', 6);
        EXPECT_EQ(1, drain().naks);
    }
    ask(0x10, 'k', 6);
    ask(0x20, 'k', 6);
}

TEST_F(BusTest, EchoReturnsEveryByteBeforeTheAnswer) {
    bus.echo = true;
    Bytes t = buildTelegram(0x10, kPc, {'k', 6});
    bus.receive(t.data(), t.size());
    Bytes out;
    bus.takeDue(out);
    ASSERT_GT(out.size(), t.size() + 2);
    EXPECT_EQ(toHex(t), toHex(Bytes(out.begin(), out.begin() + static_cast<long>(t.size()))));
    EXPECT_EQ("1006", toHex(Bytes(out.begin() + static_cast<long>(t.size()),
                                  out.begin() + static_cast<long>(t.size()) + 2)));
}

TEST_F(BusTest, CyclicBroadcastsComeAtTheirPhaseOncePerCycle) {
    Device& d = bus.devices.at(2);
    d.broadcastPhase = 120;
    d.setSwitch(10, true);
    now = 1000;
    bus.advance();  // first look
    EXPECT_FALSE(bus.hasOutput());
    EXPECT_EQ(1120, bus.nextBroadcast());
    now = 1119;
    bus.advance();
    EXPECT_FALSE(bus.hasOutput());
    std::vector<int64_t> times;
    for (now = 1120; now < 2700; now += 10) {
        bus.advance();
        Wire w = drain();
        for (const Frame& f : w.frames) {
            EXPECT_EQ(0xF0, f.destination);
            EXPECT_EQ(0x20, f.source);
            EXPECT_EQ("k2", std::string{static_cast<char>(f.body[2])} + std::to_string(f.body[3]));
            times.push_back(now);
        }
    }
    EXPECT_EQ((std::vector<int64_t>{1120, 1620, 2120, 2620}), times);
    ask(0x20, 'F', 10, {'0', 0});  // the program switches broadcasting off
    now += 1000;
    bus.advance();
    EXPECT_FALSE(bus.hasOutput());
}

TEST_F(BusTest, BroadcastRequestsAreObeyedButNeverAnswered) {
    send(0xF0, 'F', 10, {'1', 0});
    EXPECT_FALSE(bus.hasOutput());
    EXPECT_TRUE(bus.devices.at(1).switchOn(10));
    EXPECT_TRUE(bus.devices.at(2).switchOn(10));
}

TEST_F(BusTest, MainBoardDownloadEndsWithASilentRestart) {
    Device& d = bus.devices.at(1);
    d.restartMs = 3000;
    send(0x10, 'K', 20, {0x02, 0x00});
    Wire w = drain();
    EXPECT_EQ(1, w.acks);
    EXPECT_TRUE(w.frames.empty()) << "the start needs no answer";
    EXPECT_EQ("BS", rejectionOf(0x10, 'k', 4)) << "only download messages while it runs";
    Bytes data{0x02, 0x00, 0x00, 0x00, 0x12, 0x34};
    send(0x10, 'K', 21, data);
    send(0x10, 'K', 21, {0x00, 0x00, 0x00, 0x01});  // end-of-file record
    w = drain();
    EXPECT_EQ(2, w.acks);
    EXPECT_TRUE(w.frames.empty());
    EXPECT_EQ(2, d.recordsReceived);
    d.downloadFaults = 4;
    EXPECT_EQ("8400", toHex(ask(0x10, 'k', 20)));
    send(0x10, 'Z', 1);
    EXPECT_TRUE(drain().raw.empty()) << "the reset after a download is not answered";
    now += 2999;
    send(0x10, 'k', 6);
    EXPECT_TRUE(drain().raw.empty()) << "still restarting";
    now += 1;
    ask(0x10, 'k', 6);
    ask(0x10, 'k', 4);
}

// The state byte of every reply follows a calibration: the command's state, back to
// measuring when its stage has run or by the measure command.
TEST_F(BusTest, ACalibrationHoldsItsChannelStateUntilItsStageOrMeasure) {
    auto stateAfter = [&](char letter, int function, const Bytes& params) {
        send(0x10, letter, function, params);
        Wire w = drain();
        EXPECT_EQ(1u, w.frames.size());
        return w.frames.empty() || w.frames[0].body.size() < 2 ? -1 : w.frames[0].body[1];
    };
    EXPECT_EQ(4, stateAfter('k', 4, {}));
    EXPECT_EQ(5, stateAfter('Z', 5, {}));
    EXPECT_EQ(5, stateAfter('k', 4, {}));
    EXPECT_EQ(4, stateAfter('S', 13, {0x01, 0x00}));
    EXPECT_EQ(6, stateAfter('Z', 6, {0x02, 0x00}));
    EXPECT_EQ(4, stateAfter('Z', 4, {}));
    EXPECT_EQ(4, stateAfter('S', 13, {0x01, 0x00})) << "no calibration: the stage changes nothing";
    EXPECT_EQ(14, stateAfter('Z', 14, {}));
    EXPECT_EQ(3, stateAfter('Z', 3, {}));
}

TEST_F(BusTest, ParameterSetIsReadInNumberedBlocks) {
    Device& d = bus.devices.at(1);
    d.memory.clear();
    for (int i = 0; i < 120; ++i) d.memory.push_back(static_cast<uint8_t>(i));
    ask(0x10, 'K', 26, {0x01, 0x00});
    Bytes got;
    std::vector<int> numbers;
    for (int i = 0; i < 10; ++i) {
        Bytes p = ask(0x10, 'k', 27);
        ASSERT_GE(p.size(), 3u);
        numbers.push_back(p[0]);
        got.insert(got.end(), p.begin() + 2, p.end() - 1);
        if (p[0] == 255) break;
    }
    EXPECT_EQ((std::vector<int>{1, 2, 255}), numbers);
    EXPECT_EQ(toHex(d.memory), toHex(got));
    EXPECT_EQ("BS", rejectionOf(0x10, 'k', 27)) << "the read is over";
}

TEST_F(BusTest, ParameterSetWriteChecksTheOrderAndAsksAboutForeignData) {
    Device& d = bus.devices.at(1);
    auto block = [](int n, int size) {
        Bytes b{static_cast<uint8_t>(n), 0};
        for (int i = 0; i < size; ++i) b.push_back(static_cast<uint8_t>(n + i));
        b.push_back(0);
        return b;
    };
    // In order: 1, 2, then an empty 255 for a set of exactly 100 bytes.
    ask(0x10, 'K', 26, {0x02, 0x00});
    ask(0x10, 'K', 27, block(1, 50));
    ask(0x10, 'K', 27, block(2, 50));
    ask(0x10, 'K', 27, block(255, 0));
    EXPECT_EQ("0000", toHex(ask(0x10, 'k', 26)));
    EXPECT_EQ(100u, d.memory.size());

    // Out of order: status 4, memory untouched.
    Bytes before = d.memory;
    ask(0x10, 'K', 26, {0x02, 0x00});
    ask(0x10, 'K', 27, block(2, 50));
    EXPECT_EQ("0400", toHex(ask(0x10, 'k', 26)));
    EXPECT_EQ(toHex(before), toHex(d.memory));

    // Data from another device type: status 7 until the PC confirms.
    d.writeWarning = 7;
    ask(0x10, 'K', 26, {0x02, 0x00});
    ask(0x10, 'K', 27, block(255, 10));
    EXPECT_EQ("0700", toHex(ask(0x10, 'k', 26)));
    EXPECT_EQ(toHex(before), toHex(d.memory));
    ask(0x10, 'K', 26, {0x03, 0x00});
    EXPECT_EQ(10u, d.memory.size());
}

TEST_F(BusTest, LogbookEntriesAreReadAndAcknowledged) {
    Bytes p = ask(0x10, 'k', 10, {0x01, 0x00});
    Values vs;
    std::string why;
    ASSERT_TRUE(decode(p, replyInfo('k', 10).reply, false, vs, why)) << why;
    EXPECT_EQ(0, vs[2].byte);
    ask(0x10, 'K', 10, {0x01, 0x00});
    p = ask(0x10, 'k', 10, {0x01, 0x00});
    ASSERT_TRUE(decode(p, replyInfo('k', 10).reply, false, vs, why));
    EXPECT_EQ(2, vs[2].byte);
    // Past the last entry (two by default) the logbook ends with message number 255.
    for (uint8_t entry : {3, 9, 255}) {
        p = ask(0x10, 'k', 10, {entry, 0x00});
        ASSERT_TRUE(decode(p, replyInfo('k', 10).reply, false, vs, why)) << why;
        EXPECT_EQ(255, vs[0].byte) << int(entry);
        EXPECT_EQ(0, vs[2].byte) << int(entry);
    }
    EXPECT_EQ("DE", rejectionOf(0x10, 'k', 10, {0x00, 0x00}));
    // The end mark cannot be acknowledged.
    EXPECT_EQ("DE", rejectionOf(0x10, 'K', 10, {0x09, 0x00}));
}

TEST_F(BusTest, MalformedTelegramsAreLoggedAndIgnored) {
    Bytes junk{0x10, 0x01, 0x10, 0xD0, 0x10, 0x7F};
    bus.receive(junk.data(), junk.size());
    EXPECT_FALSE(bus.hasOutput());
    ASSERT_EQ(1u, bus.log().size());
    EXPECT_EQ(0u, bus.log()[0].action.find("dropped:"));
    ask(0x10, 'k', 6);
}

// Every request shape that the PC's access layer sends gets the reply that belongs to it,
// and that reply reads back against the reply shape of its message with nothing left over.
struct AnsweredCase {
    char letter;
    int function;
    Bytes params;
};

class EveryAccessRequest : public BusTest, public ::testing::WithParamInterface<AnsweredCase> {};

TEST_P(EveryAccessRequest, IsAnsweredWithAReplyOfItsShape) {
    const AnsweredCase& c = GetParam();
    Bytes p = ask(0x10, c.letter, c.function, c.params);
    MessageInfo info = replyInfo(c.letter, c.function);
    ASSERT_TRUE(info.known);
    Values vs;
    std::string why;
    EXPECT_TRUE(decode(p, info.reply, false, vs, why))
        << c.letter << c.function << ": " << why << " " << toHex(p);
    EXPECT_NE(std::string::npos, bus.log().back().action.find("reply")) << bus.log().back().action;
}

namespace {
Bytes floats(int n) {
    Bytes b;
    for (int i = 0; i < n; ++i) {
        Bytes t = text(std::to_string(i) + ".000");
        b.insert(b.end(), t.begin(), t.end());
    }
    return b;
}
std::vector<AnsweredCase> accessRequests() {
    std::vector<AnsweredCase> v;
    for (int fn : {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 19, 20, 21, 24, 25, 26})
        v.push_back({'Z', fn, {}});
    v.push_back({'Z', 6, {0x02, 0x00}});
    for (int fn = 1; fn <= 32; ++fn) v.push_back({'F', fn, {'1', 0}});
    for (int fn = 1; fn <= 43; ++fn) v.push_back({'s', fn, {}});
    for (int fn : {1, 2, 3, 8, 9, 10, 11, 14, 17, 18, 19, 20, 22, 30, 31, 39, 41})
        v.push_back({'S', fn, {0x80, 0x00}});
    for (int fn : {15, 16, 23, 29, 35, 36, 37, 38})
        v.push_back({'S', fn, {0x80, 0x00, 0x81, 0x00}});
    v.push_back({'S', 12, Bytes(24, 0x00)});
    for (size_t i = 0; i < 24; i += 2) v.back().params[i] = 1;
    v.push_back({'S', 13, {0x01, 0x00}});
    v.push_back({'S', 24, {0x01, 0x00}});
    for (int fn = 1; fn <= 91; ++fn) {
        if (fn >= 84 && fn <= 88) continue;
        v.push_back({'w', fn, {}});
        MessageInfo info = replyInfo('w', fn);
        int n = 0;
        for (const ShapeItem& it : info.reply) n += it.count;
        if (fn <= 3) n = 4;  // one per measuring range of device 1
        v.push_back({'W', fn, floats(n)});
    }
    for (int fn = 1; fn <= 17; ++fn) v.push_back({'h', fn, {}});
    for (int fn = 1; fn <= 9; ++fn) v.push_back({'i', fn, {}});
    for (int fn = 1; fn <= 7; ++fn) v.push_back({'j', fn, {}});
    for (int fn = 1; fn <= 9; ++fn) v.push_back({'J', fn, {}});
    for (int fn :
         {1, 2, 3, 4, 5, 6, 8, 9, 11, 12, 13, 16, 17, 18, 19, 20, 23, 24, 25, 26, 28, 29, 30, 31})
        v.push_back({'k', fn, {}});
    v.push_back({'k', 10, {0x01, 0x00}});
    for (int fn : {7, 15, 22, 28, 29}) v.push_back({'K', fn, {}});
    v.push_back({'K', 10, {0x01, 0x00}});
    v.push_back({'K', 14, {0x02, 0x00}});
    v.push_back({'K', 16, text("Linie 2")});
    v.push_back({'K', 17, {0x02, 0x00}});
    v.push_back({'K', 26, {0x01, 0x00}});
    v.push_back({'K', 30, {0x01, 0x00}});
    return v;
}
}  // namespace

INSTANTIATE_TEST_SUITE_P(AccessLayer, EveryAccessRequest, ::testing::ValuesIn(accessRequests()),
                         [](const ::testing::TestParamInfo<AnsweredCase>& i) {
                             char c = i.param.letter;
                             return std::string(c >= 'a' ? "read_" : "write_") + c +
                                    std::to_string(i.param.function);
                         });

// ---- The line: pacing and collisions ----

TEST_F(BusTest, PacedOutputLeavesOneByteEach960thOfASecond) {
    bus.pace = true;
    send(0x10, 'k', 6);
    Bytes all;
    std::vector<size_t> counts;
    for (int ms = 0; ms <= 30; ++ms) {
        now = 1000 + ms;
        Bytes out;
        bus.takeDue(out);
        all.insert(all.end(), out.begin(), out.end());
        counts.push_back(all.size());
    }
    // Byte k is whole (k + 1) / 960 s after the answer went on the line.
    for (int ms = 0; ms <= 30; ++ms)
        EXPECT_EQ(static_cast<size_t>(ms * 960 / 1000), counts[static_cast<size_t>(ms)]) << ms;
    now = 2000;
    Bytes rest;
    bus.takeDue(rest);
    all.insert(all.end(), rest.begin(), rest.end());
    Wire w = parse(all);
    EXPECT_EQ(1, w.acks);
    ASSERT_EQ(1u, w.frames.size());
    EXPECT_EQ(Frame::Ok, w.frames[0].status);
    EXPECT_EQ(-1, bus.nextDue());
}

TEST_F(BusTest, PacedInputReachesTheDevicesOnceItsLastByteHasCrossedTheLine) {
    bus.pace = bus.paceInput = true;
    Bytes t = buildTelegram(0x10, kPc, {'k', 6});
    bus.receive(t.data(), t.size());
    const int64_t lineMs = static_cast<int64_t>(t.size()) * 1000 / 960;  // 11 bytes: 11.5 ms
    EXPECT_EQ(now + 2, bus.nextDue()) << "the first byte is whole after 1.04 ms";
    now += lineMs;
    bus.advance();
    EXPECT_TRUE(bus.log().empty()) << "the last byte is not in yet";
    now += 1;
    bus.advance();
    ASSERT_EQ(1u, bus.log().size());
    EXPECT_EQ("ack,reply", bus.log()[0].action);
}

// The devices' reaction counts from the end of the telegram's last byte to the microsecond,
// not from the millisecond in which the line handed it over: a loop that woke in whole
// milliseconds held every answer back by up to one.
TEST(BusMicroseconds, TheAnswerIsDueTheReactionTimeAfterTheLastByteWasWhole) {
    int64_t us = 1000300;
    Bus bus([&us] { return us / 1000; }, [&us] { return us; });
    bus.devices.emplace(1, Device(1, 1, 2, 4));
    bus.pace = bus.paceInput = true;
    bus.reactionMs = 5;
    const Bytes t = buildTelegram(0x10, kPc, {'k', 6});
    bus.receive(t.data(), t.size());
    const int64_t lastByteUs = 1000300 + static_cast<int64_t>(t.size()) * 1000000 / 960;
    EXPECT_EQ(1000300 + 1000000 / 960, bus.nextDueUs()) << "the first byte of the telegram";
    us = lastByteUs + 700;  // the line noticed it a little later
    bus.advance();
    ASSERT_EQ(1u, bus.log().size());
    const int64_t answerUs = lastByteUs + 5000;
    EXPECT_EQ(answerUs, bus.nextDueUs());
    EXPECT_EQ((answerUs + 999) / 1000, bus.nextDue()) << "the same in whole milliseconds";
    Bytes out;
    us = answerUs - 1;
    EXPECT_FALSE(bus.takeDue(out)) << "nothing before the reaction time is over";
    us = answerUs;  // the loop wakes when it is due and puts it on the line
    EXPECT_FALSE(bus.takeDue(out));
    us = answerUs + 1000000 / 960;
    EXPECT_TRUE(bus.takeDue(out));
    EXPECT_EQ(1u, out.size()) << "the acknowledgement's first byte, whole one byte time later";
}

namespace {

// Device 2 broadcasts at 1100 ms; the PC writes a "k" 6 for device 1 (11 bytes, the
// address doubled) at a given time. What the devices and the PC made of it.
struct Meeting {
    std::string action;       // the simulator's account of the PC's telegram
    int acks = 0;             // acknowledgements the PC read
    Frame::Status broadcast;  // the broadcast as the PC read it
    size_t broadcastBytes = 0;
};

}  // namespace

class BusCollision : public BusTest {
protected:
    // `writeAt`: ms when the PC writes (-1: never); `paceInput`: its bytes take line time.
    Meeting meet(int64_t writeAt, bool pace, bool paceInput) {
        bus.resetLine();
        bus.resetLog();
        bus.pace = pace;
        bus.paceInput = paceInput;
        Device& d = bus.devices.at(2);
        d.broadcastPhase = 100;
        d.lastBroadcastCycle = -1;
        d.setSwitch(10, true);
        Bytes all;
        for (now = 1000; now < 1300; ++now) {
            bus.advance();  // first look at 1000, the broadcast at 1100
            if (now == writeAt) send(0x10, 'k', 6);
            bus.advance();
            Bytes out;
            bus.takeDue(out);
            all.insert(all.end(), out.begin(), out.end());
        }
        Meeting m;
        Wire w = parse(all);
        m.acks = w.acks;
        m.broadcast = Frame::Malformed;
        for (const Frame& f : w.frames)
            if (f.destination == 0xF0) {
                m.broadcast = f.status;
                m.broadcastBytes = f.raw.size();
            }
        if (!bus.log().empty()) m.action = bus.log().back().action;
        return m;
    }
};

TEST_F(BusCollision, ATelegramOverlappingABroadcastReachesNoDeviceAndGarblesTheBroadcast) {
    // How long the broadcast is on the line, from a run without the PC.
    Meeting alone = meet(-1, true, true);
    ASSERT_EQ(Frame::Ok, alone.broadcast);
    const int64_t endUs = 1100000 + static_cast<int64_t>(alone.broadcastBytes) * 1000000 / 960;
    const int64_t firstFree = (endUs + 999) / 1000;  // the first whole ms after its last byte
    // The PC's telegram takes 11.5 ms: written at 1088 it ends before the broadcast begins.
    const int64_t pcUs =
        static_cast<int64_t>(buildTelegram(0x10, kPc, {'k', 6}).size()) * 1000000 / 960;
    const int64_t lastClear = (1100000 - pcUs) / 1000;

    struct Case {
        const char* what;
        int64_t writeAt;
        bool pace, paceInput, collides;
    } cases[] = {
        {"ends just before the broadcast", lastClear, true, true, false},
        {"its last byte meets the broadcast's first", lastClear + 1, true, true, true},
        {"begins inside the broadcast", 1105, true, true, true},
        {"begins on the broadcast's last byte", firstFree - 1, true, true, true},
        {"begins after the broadcast", firstFree, true, true, false},
        {"unpaced input written inside the broadcast", 1105, true, false, true},
        {"unpaced input written before it", 1099, true, false, false},
        {"without pacing the line takes no time", 1100, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Meeting m = meet(c.writeAt, c.pace, c.paceInput);
        if (c.collides) {
            EXPECT_EQ("collision:2/0", m.action);
            EXPECT_EQ(0, m.acks) << "no device takes the telegram";
            EXPECT_EQ(Frame::BadCrc, m.broadcast) << "the PC reads a garbled broadcast";
            ASSERT_FALSE(bus.log().empty());
            EXPECT_NE(std::string::npos, bus.log().back().line().find(" action=collision:2/0 "));
            EXPECT_EQ(0u, bus.log().back().sent);
        } else {
            EXPECT_EQ("ack,reply", m.action);
            EXPECT_EQ(1, m.acks);
            EXPECT_EQ(Frame::Ok, m.broadcast);
        }
    }
    // The next telegram after a collision is answered again.
    send(0x10, 'k', 6);
    now += 100;
    bus.advance();
    EXPECT_EQ("ack,reply", bus.log().back().action);
}
