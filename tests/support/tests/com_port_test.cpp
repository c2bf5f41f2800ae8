// A version request written by hand to COM1 must come back acknowledged and answered by
// a telegram that is whole: framing, stuffing, CRC, addresses and reply body.
#include <gtest/gtest.h>

#include "com_line.h"
#include "vasksim_client.h"

namespace {

// CRC-16 as the bus uses it, bit by bit (no table, nothing shared with any codec).
unsigned Crc(const std::vector<unsigned char>& b, size_t n) {
    unsigned crc = 0xFFFF;
    for (size_t i = 0; i < n; ++i) {
        crc ^= b[i];
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

class ComPort : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim_.Connect(&error)) << error;
        ASSERT_TRUE(sim_.Reset()) << sim_.LastError();
        ASSERT_TRUE(sim_.Command("SET 1 serial 4711-A")) << sim_.LastError();
        ASSERT_TRUE(com_.Open("COM1", &error)) << error;
    }
    vasksim::SimClient sim_;
    ComLine com_;
};

}  // namespace

TEST_F(ComPort, VersionRequestIsAcknowledgedAndAnswered) {
    // "k" 6 from the PC (13/0) to device 1/0: the address byte 0x10 goes doubled.
    const std::vector<unsigned char> request = {0x10, 0x01, 0x10, 0x10, 0xD0, 0x6B,
                                                0x06, 0x10, 0x03, 0x65, 0x9B};
    ASSERT_EQ(0x9B65u, Crc(request, request.size() - 2)) << "the request itself";
    ASSERT_TRUE(com_.Write(request));

    EXPECT_EQ("1006", Hex(com_.Read(2), "")) << "DLE ACK";
    std::vector<unsigned char> t = com_.ReadTelegram();
    ASSERT_GE(t.size(), 10u) << Hex(t, "");
    EXPECT_EQ(0x10, t[0]);
    EXPECT_EQ(0x01, t[1]);
    unsigned crc = Crc(t, t.size() - 2);
    EXPECT_EQ(crc & 0xFF, t[t.size() - 2]) << Hex(t, "");
    EXPECT_EQ(crc >> 8, t[t.size() - 1]) << Hex(t, "");

    // Unstuff everything between DLE SOT and DLE ETX.
    std::vector<unsigned char> u;
    for (size_t i = 2; i + 4 < t.size(); ++i) {
        u.push_back(t[i]);
        if (t[i] == 0x10) ++i;
    }
    ASSERT_GE(u.size(), 6u);
    EXPECT_EQ(0xD0, u[0]) << "to the PC";
    EXPECT_EQ(0x10, u[1]) << "from device 1/0";
    EXPECT_EQ('k', u[4]);
    EXPECT_EQ(6, u[5]);
    std::string body(u.begin() + 6, u.end());
    EXPECT_EQ(1, body[0]) << "channel type";
    EXPECT_EQ(0, body[1]);
    EXPECT_EQ(std::string("4711-A\0\1\0", 9), body.substr(2, 9))
        << "serial number with its unit bytes";
}

TEST_F(ComPort, ATelegramForAnAbsentDeviceGetsNoAnswer) {
    // "k" 6 to device 9, which the default bus does not have, then to device 2.
    std::vector<unsigned char> absent = {0x10, 0x01, 0x90, 0xD0, 0x6B, 0x06, 0x10, 0x03};
    std::vector<unsigned char> present = {0x10, 0x01, 0x20, 0xD0, 0x6B, 0x06, 0x10, 0x03};
    for (auto* t : {&absent, &present}) {
        unsigned crc = Crc(*t, t->size());
        t->push_back(static_cast<unsigned char>(crc & 0xFF));
        t->push_back(static_cast<unsigned char>(crc >> 8));
    }
    ASSERT_TRUE(com_.Write(absent));
    ASSERT_TRUE(com_.Write(present));
    // The first bytes on the line are the acknowledgement of device 2, nothing before.
    EXPECT_EQ("1006", Hex(com_.Read(2), ""));
    std::vector<unsigned char> t = com_.ReadTelegram();
    ASSERT_GE(t.size(), 6u);
    EXPECT_EQ(0x20, t[3]) << "answered by device 2: " << Hex(t, "");
    ASSERT_TRUE(sim_.WaitLog(2, 5000)) << sim_.LastError();
    std::vector<vasksim::SimLogEntry> log;
    ASSERT_TRUE(sim_.Log(log)) << sim_.LastError();
    ASSERT_EQ(2u, log.size());
    EXPECT_EQ("ignored:no-device", log[0].action);
    EXPECT_EQ("ack,reply", log[1].action);
}
