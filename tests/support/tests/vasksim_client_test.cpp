// The control-channel client against the running simulator: faults set through it show
// on the wire of COM1, and its log reports every telegram as received.
#include <gtest/gtest.h>

#include "com_line.h"
#include "vasksim_client.h"

using vasksim::SimClient;
using vasksim::SimLogEntry;

namespace {

// "k" 6 and "S" 1 (one byte of bit fields 0xA0) from the PC to device 1/0, stuffed and
// with their CRCs, as the line carries them.
const std::vector<unsigned char> kVersionRequest = {0x10, 0x01, 0x10, 0x10, 0xD0, 0x6B,
                                                    0x06, 0x10, 0x03, 0x65, 0x9B};

class SimClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim_.Connect(&error)) << error;
        ASSERT_TRUE(sim_.Reset()) << sim_.LastError();
        ASSERT_TRUE(com_.Open("COM1", &error)) << error;
    }
    void TearDown() override { sim_.Command("CLEARFAULTS"); }
    SimClient sim_;
    ComLine com_;
};

}  // namespace

TEST_F(SimClientTest, NakOnTheFirstAttemptShowsOnTheWireAndInTheLog) {
    ASSERT_TRUE(sim_.Fault("1 nak 1 on=k6")) << sim_.LastError();
    ASSERT_TRUE(com_.Write(kVersionRequest));
    EXPECT_EQ("1015", Hex(com_.Read(2), "")) << "DLE NAK for the first attempt";
    ASSERT_TRUE(com_.Write(kVersionRequest));
    EXPECT_EQ("1006", Hex(com_.Read(2), "")) << "DLE ACK for the repetition";
    std::vector<unsigned char> reply = com_.ReadTelegram();
    ASSERT_GE(reply.size(), 10u);
    EXPECT_EQ("1001D01010", Hex(std::vector<unsigned char>(reply.begin(), reply.begin() + 5), ""))
        << "to the PC, from device 1/0 (doubled)";

    ASSERT_TRUE(sim_.WaitLog(2, 5000)) << sim_.LastError();
    std::vector<SimLogEntry> log;
    ASSERT_TRUE(sim_.Log(log)) << sim_.LastError();
    ASSERT_EQ(2u, log.size());
    for (const SimLogEntry& e : log) {
        EXPECT_EQ(Hex(kVersionRequest, ""), e.raw);
        EXPECT_EQ("6B06", e.body);
        EXPECT_EQ('k', e.command);
        EXPECT_EQ(6, e.function);
        EXPECT_EQ("1/0", e.to);
        EXPECT_EQ("13/0", e.from);
        EXPECT_EQ("ok", e.crc);
    }
    EXPECT_EQ("nak", log[0].action);
    EXPECT_EQ("ack,reply", log[1].action);
    EXPECT_LT(log[0].seq, log[1].seq);
}

TEST_F(SimClientTest, AValueWrittenOnTheLineIsReadBackThroughTheControlChannel) {
    // "S" 1 with the byte A0 (limit active, range 1 off): 10 01 10 10 D0 53 01 A0 00 10 03 crc.
    std::vector<unsigned char> t = {0x10, 0x01, 0x10, 0x10, 0xD0, 0x53,
                                    0x01, 0xA0, 0x00, 0x10, 0x03};
    unsigned crc = 0xFFFF;
    for (unsigned char c : t) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    t.push_back(static_cast<unsigned char>(crc & 0xFF));
    t.push_back(static_cast<unsigned char>(crc >> 8));
    std::string before;
    ASSERT_TRUE(sim_.Read(1, 0, "s1", before)) << sim_.LastError();
    EXPECT_EQ("8000", before);
    ASSERT_TRUE(com_.Write(t));
    EXPECT_EQ("1006", Hex(com_.Read(2), ""));
    EXPECT_GE(com_.ReadTelegram().size(), 10u);
    std::string after;
    ASSERT_TRUE(sim_.Read(1, 0, "s1", after)) << sim_.LastError();
    EXPECT_EQ("A000", after);
    std::vector<SimLogEntry> log;
    ASSERT_TRUE(sim_.Log(log));
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ("160", log[0].values);
}

TEST_F(SimClientTest, SilenceLeavesTheLineQuietAndIsLogged) {
    ASSERT_TRUE(sim_.Fault("1 silent 1")) << sim_.LastError();
    ASSERT_TRUE(com_.Write(kVersionRequest));
    ASSERT_TRUE(sim_.WaitLog(1, 5000)) << sim_.LastError();
    std::vector<SimLogEntry> log;
    ASSERT_TRUE(sim_.Log(log));
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ("silent", log[0].action);
    // The device answers the next attempt; had the silent one been answered, its ACK
    // and reply would come first and this ACK would not follow a complete reply.
    ASSERT_TRUE(com_.Write(kVersionRequest));
    EXPECT_EQ("1006", Hex(com_.Read(2), ""));
    std::vector<unsigned char> reply = com_.ReadTelegram();
    EXPECT_GE(reply.size(), 10u);
    EXPECT_TRUE(com_.Read(1, 200).empty()) << "exactly one answer";
}

TEST_F(SimClientTest, CommandErrorsComeBackAsFalseWithTheReason) {
    std::string message;
    EXPECT_FALSE(sim_.Command("FROB", nullptr, &message));
    EXPECT_EQ("unknown command FROB", message);
    EXPECT_FALSE(sim_.Command("PING\nRESET", nullptr, &message));
    EXPECT_TRUE(sim_.IsConnected());
    EXPECT_TRUE(sim_.Command("PING", nullptr, &message));
    EXPECT_EQ("vasksim", message);
    EXPECT_FALSE(sim_.WaitLog(1, 100)) << "nothing was sent";
    EXPECT_EQ("timeout 0", sim_.LastError());
    sim_.Close();
    EXPECT_FALSE(sim_.Command("PING", nullptr, &message));
    EXPECT_EQ("not connected to the simulator", message);
}

TEST(SimLogLine, FieldsAreSplitAndGarbageIsRefused) {
    SimLogEntry e;
    ASSERT_TRUE(
        vasksim::ParseSimLogLine("seq=7 t=1234 to=2/1 from=13/0 crc=bad cmd=W fn=9 action=nak:crc "
                                 "raw=100121D0 body=5709 values=1.500,2.000",
                                 e));
    EXPECT_EQ(7u, e.seq);
    EXPECT_EQ(1234, e.timeMs);
    EXPECT_EQ("2/1", e.to);
    EXPECT_EQ("bad", e.crc);
    EXPECT_EQ('W', e.command);
    EXPECT_EQ(9, e.function);
    EXPECT_EQ("nak:crc", e.action);
    EXPECT_EQ("100121D0", e.raw);
    EXPECT_EQ("1.500,2.000", e.values);
    EXPECT_FALSE(vasksim::ParseSimLogLine("OK 3", e));
    EXPECT_FALSE(vasksim::ParseSimLogLine("seq=1 t=2 to=1/0", e));
}
