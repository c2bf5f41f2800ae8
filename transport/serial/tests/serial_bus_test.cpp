// CSerialInterface on COM1, wired to the analyzer simulator: what it writes arrives
// unchanged, what the devices send is read back, and the echo check works against a
// converter that echoes and fails against one that does not.
#include <windows.h>

#include <gtest/gtest.h>

#include "serialinterface.h"
#include "test_bytes.h"
#include "vasksim_client.h"

namespace {

typedef std::vector<unsigned char> Bytes;

// "k" 6 from the PC (13/0) to device 2/0, with its CRC.
const Bytes kVersionRequest = {0x10, 0x01, 0x20, 0xD0, 0x6B, 0x06, 0x10, 0x03, 0x26, 0x91};

unsigned Crc(const Bytes& b) {
    unsigned crc = 0xFFFF;
    for (unsigned char c : b) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

class SerialBus : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim.Connect(&error)) << error;
        ASSERT_TRUE(sim.Reset()) << sim.LastError();
    }
    void TearDown() override { port.Close(nullptr); }

    void Open(int type, int echo) {
        SerialParam p = {type, 0, 0, 1, echo};
        ErrorStruct_ err;
        ASSERT_EQ(1, port.Open("COM1", &p, &err)) << err.text;
    }

    // Reads until `count` bytes have come or 5 s have passed.
    Bytes ReadBytes(size_t count) {
        Bytes got;
        DWORD start = GetTickCount();
        while (got.size() < count && GetTickCount() - start < 5000) {
            unsigned char buf[64];
            int n = 0;
            ErrorStruct_ err;
            if (!port.Read(buf, (int)std::min<size_t>(sizeof buf, count - got.size()), n, &err)) {
                ADD_FAILURE() << err.text;
                break;
            }
            got.insert(got.end(), buf, buf + n);
        }
        return got;
    }

    vasksim::SimClient sim;
    CSerialInterface port;
};

TEST_F(SerialBus, AWrittenTelegramArrivesAsWrittenAndTheAnswerIsRead) {
    ASSERT_EQ(0x9126u, Crc(Bytes(kVersionRequest.begin(), kVersionRequest.end() - 2)));
    Open(2, 0);
    ErrorStruct_ err;
    ASSERT_EQ(1, port.Write(kVersionRequest.data(), (int)kVersionRequest.size(), &err)) << err.text;
    EXPECT_EQ("1006", Hex(ReadBytes(2), "")) << "DLE ACK";
    EXPECT_NE(0u, port.GetRecvTime());
    Bytes head = ReadBytes(4);
    EXPECT_EQ("1001D020", Hex(head, "")) << "an answer to the PC from 2/0";

    ASSERT_TRUE(sim.WaitLog(1, 5000)) << sim.LastError();
    std::vector<vasksim::SimLogEntry> log;
    ASSERT_TRUE(sim.Log(log));
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ(Hex(kVersionRequest, ""), log[0].raw);
    EXPECT_EQ("ok", log[0].crc);
}

TEST_F(SerialBus, EchoCheckPassesOnAnEchoingConverterAndTheAnswerFollows) {
    ASSERT_TRUE(sim.Command("ECHO on")) << sim.LastError();
    Open(2, 1);
    ErrorStruct_ err;
    ASSERT_EQ(1, port.Write(kVersionRequest.data(), (int)kVersionRequest.size(), &err)) << err.text;
    // The echo was consumed by the check: the next bytes are the device's.
    EXPECT_EQ("1006", Hex(ReadBytes(2), ""));
    EXPECT_EQ("1001D020", Hex(ReadBytes(4), ""));
}

TEST_F(SerialBus, EchoCheckFailsWithError32WhenTheConverterDoesNotEcho) {
    Open(2, 1);
    // Keep the device quiet, so that its answer cannot pass for an echo.
    ASSERT_TRUE(sim.Fault("2 silent 1")) << sim.LastError();
    ErrorStruct_ err;
    EXPECT_EQ(0, port.Write(kVersionRequest.data(), (int)kVersionRequest.size(), &err));
    EXPECT_EQ(32, err.code) << err.text;
}

TEST_F(SerialBus, ConverterType1SendsOneZeroByteWhenOpened) {
    std::string before, after;
    ASSERT_TRUE(sim.Command("NOISE", nullptr, &before)) << sim.LastError();
    Open(1, 0);
    // The byte travels through the line; the simulator counts it once it has read it.
    // Writing a telegram behind it and waiting for its log entry orders the two.
    ErrorStruct_ err;
    ASSERT_EQ(1, port.Write(kVersionRequest.data(), (int)kVersionRequest.size(), &err)) << err.text;
    ASSERT_TRUE(sim.WaitLog(1, 5000)) << sim.LastError();
    ASSERT_TRUE(sim.Command("NOISE", nullptr, &after)) << sim.LastError();
    EXPECT_EQ(std::stoul(before) + 1, std::stoul(after));
}

TEST_F(SerialBus, AnotherConverterTypeSendsNothingWhenOpened) {
    std::string before, after;
    ASSERT_TRUE(sim.Command("NOISE", nullptr, &before)) << sim.LastError();
    Open(3, 0);
    ErrorStruct_ err;
    ASSERT_EQ(1, port.Write(kVersionRequest.data(), (int)kVersionRequest.size(), &err)) << err.text;
    ASSERT_TRUE(sim.WaitLog(1, 5000)) << sim.LastError();
    ASSERT_TRUE(sim.Command("NOISE", nullptr, &after)) << sim.LastError();
    EXPECT_EQ(before, after);
}

TEST_F(SerialBus, APortThatDoesNotExistCannotBeOpened) {
    SerialParam p = {2, 0, 0, 1, 0};
    ErrorStruct_ err;
    EXPECT_EQ(0, port.Open("COM9", &p, &err));
    EXPECT_EQ(12, err.code);
    EXPECT_NE(0u, err.info) << "the system's reason";
}

}  // namespace
