#include <gtest/gtest.h>

#include <string>

#include "codec.h"

using namespace vasksim;

namespace {

// Feeds bytes to a fresh receiver and collects every telegram it reports.
std::vector<Frame> deframe(const Bytes& bytes, Deframer& d) {
    std::vector<Frame> out;
    Frame f;
    for (uint8_t b : bytes)
        if (d.push(b, f)) out.push_back(f);
    return out;
}
std::vector<Frame> deframe(const Bytes& bytes) {
    Deframer d;
    return deframe(bytes, d);
}

}  // namespace

TEST(Crc, CheckValueOfTheNineDigits) {
    const std::string digits = "123456789";
    EXPECT_EQ(0x4B37, crc16(reinterpret_cast<const uint8_t*>(digits.data()), digits.size()));
}

TEST(Crc, EmptyInputLeavesTheStartValue) { EXPECT_EQ(0xFFFF, crc16(Bytes{})); }

// The PC (13/0) sends "Z" 4 without values; the telegrams as they must appear on the line.
struct WorkedTelegram {
    const char* name;
    uint8_t destination;
    Bytes expected;
};

class WorkedTelegrams : public ::testing::TestWithParam<WorkedTelegram> {};

TEST_P(WorkedTelegrams, AreReproducedByteForByte) {
    const WorkedTelegram& w = GetParam();
    EXPECT_EQ(toHex(w.expected), toHex(buildTelegram(w.destination, 0xD0, {0x5A, 0x04})));
}

TEST_P(WorkedTelegrams, AreReadBackWithAddressesAndBody) {
    const WorkedTelegram& w = GetParam();
    std::vector<Frame> frames = deframe(w.expected);
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(Frame::Ok, frames[0].status);
    EXPECT_EQ(w.destination, frames[0].destination);
    EXPECT_EQ(0xD0, frames[0].source);
    EXPECT_EQ("5A04", toHex(frames[0].body));
    EXPECT_EQ(toHex(w.expected), toHex(frames[0].raw));
}

INSTANTIATE_TEST_SUITE_P(
    Z4, WorkedTelegrams,
    ::testing::Values(
        WorkedTelegram{
            "ToDevice2", 0x20, {0x10, 0x01, 0x20, 0xD0, 0x5A, 0x04, 0x10, 0x03, 0x89, 0xAD}},
        WorkedTelegram{"ToDevice1DoubledAddress",
                       0x10,
                       {0x10, 0x01, 0x10, 0x10, 0xD0, 0x5A, 0x04, 0x10, 0x03, 0xCA, 0xA7}}),
    [](const ::testing::TestParamInfo<WorkedTelegram>& i) { return i.param.name; });

TEST(Framing, EveryDleOfAddressesAndBodyIsDoubledAndCountsInTheCrc) {
    Bytes t = buildTelegram(0x10, 0x10, {0x10, 0x41, 0x10});
    EXPECT_EQ("10011010101010104110101003", toHex(t).substr(0, 26));
    // The CRC covers the stuffed bytes exactly as sent.
    uint16_t crc = crc16(t.data(), t.size() - 2);
    EXPECT_EQ(crc & 0xFF, t[t.size() - 2]);
    EXPECT_EQ(crc >> 8, t[t.size() - 1]);
    // A receiver that unstuffed before computing the CRC would get another value.
    Bytes unstuffed{0x10, 0x01, 0x10, 0x10, 0x10, 0x41, 0x10, 0x10, 0x03};
    EXPECT_NE(crc, crc16(unstuffed));
}

TEST(Framing, CrcBytesAreNeverDoubled) {
    // Search a body whose CRC has a 0x10 byte, so that the rule is really exercised.
    for (int i = 0; i < 4096; ++i) {
        Bytes body{0x6B, 0x06, static_cast<uint8_t>(i & 0xFF), static_cast<uint8_t>(i >> 8)};
        Bytes t = buildTelegram(0x20, 0xD0, body);
        uint8_t lo = t[t.size() - 2], hi = t[t.size() - 1];
        if (lo != 0x10 && hi != 0x10) continue;
        EXPECT_EQ(0x03, t[t.size() - 3]);
        EXPECT_EQ(0x10, t[t.size() - 4]);
        std::vector<Frame> frames = deframe(t);
        ASSERT_EQ(1u, frames.size());
        EXPECT_EQ(Frame::Ok, frames[0].status);
        EXPECT_EQ(toHex(body), toHex(frames[0].body));
        return;
    }
    FAIL() << "no body with a DLE in its CRC found";
}

TEST(Framing, RoundTripsOfAwkwardBodies) {
    Bytes all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<uint8_t>(i));
    const Bytes bodies[] = {{}, {0x10}, {0x10, 0x10, 0x10}, {0x10, 0x01}, {0x10, 0x03, 0x00}, all};
    const uint8_t addresses[][2] = {{0x20, 0xD0}, {0x10, 0x10}, {0xF0, 0x30}, {0xD0, 0x10}};
    for (const Bytes& body : bodies) {
        for (const auto& a : addresses) {
            std::vector<Frame> frames = deframe(buildTelegram(a[0], a[1], body));
            ASSERT_EQ(1u, frames.size()) << toHex(body);
            EXPECT_EQ(Frame::Ok, frames[0].status);
            EXPECT_EQ(a[0], frames[0].destination);
            EXPECT_EQ(a[1], frames[0].source);
            EXPECT_EQ(toHex(body), toHex(frames[0].body));
        }
    }
}

TEST(Receiver, TelegramsBackToBackAndSplitAnywhere) {
    Bytes stream = buildTelegram(0x20, 0xD0, {0x6B, 0x06});
    Bytes second = buildTelegram(0x10, 0xD0, {0x4B, 0x10, 0x10});
    stream.insert(stream.end(), second.begin(), second.end());
    Deframer d;
    std::vector<Frame> frames;
    Frame f;
    for (uint8_t b : stream) {
        if (d.push(b, f)) frames.push_back(f);
        if (frames.empty()) EXPECT_TRUE(d.inTelegram());
    }
    ASSERT_EQ(2u, frames.size());
    EXPECT_EQ("6B06", toHex(frames[0].body));
    EXPECT_EQ("4B1010", toHex(frames[1].body));
    EXPECT_EQ(0u, d.noiseBytes());
}

TEST(Receiver, AFlippedBitIsABadCrcNotAGoodTelegram) {
    Bytes t = buildTelegram(0x20, 0xD0, {0x6B, 0x06});
    for (size_t i = 2; i < t.size(); ++i) {
        if (t[i] == DLE || t[i - 1] == DLE || (t[i] ^ 0x04) == DLE)
            continue;  // keep the framing intact
        Bytes broken = t;
        broken[i] ^= 0x04;
        std::vector<Frame> frames = deframe(broken);
        ASSERT_EQ(1u, frames.size()) << "byte " << i;
        EXPECT_EQ(Frame::BadCrc, frames[0].status) << "byte " << i;
    }
}

TEST(Receiver, GarbageBeforeATelegramIsCountedAndSkipped) {
    Bytes stream{0x55, 0xAA, 0x10, 0x42, 0x03, 0x10};  // a stray DLE pair among the noise
    Bytes t = buildTelegram(0x20, 0xD0, {0x6B, 0x06});
    stream.insert(stream.end(), t.begin(), t.end());
    Deframer d;
    std::vector<Frame> frames = deframe(stream, d);
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(Frame::Ok, frames[0].status);
    EXPECT_EQ(6u, d.noiseBytes());
}

TEST(Receiver, ANewStartInsideATelegramRestartsIt) {
    Bytes stream{0x10, 0x01, 0x20, 0xD0, 0x6B};  // the sender broke off here
    Bytes t = buildTelegram(0x30, 0xD0, {0x6B, 0x03});
    stream.insert(stream.end(), t.begin(), t.end());
    std::vector<Frame> frames = deframe(stream);
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(Frame::Ok, frames[0].status);
    EXPECT_EQ(0x30, frames[0].destination);
}

TEST(Receiver, MalformedTelegramsAreReportedAndTheNextOneStillArrives) {
    struct Case {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"DLE followed by a stray byte", {0x10, 0x01, 0x20, 0xD0, 0x10, 0x42}},
        {"no source address", {0x10, 0x01, 0x20, 0x10, 0x03, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        Bytes stream = c.bytes;
        Bytes good = buildTelegram(0x20, 0xD0, {0x6B, 0x06});
        stream.insert(stream.end(), good.begin(), good.end());
        std::vector<Frame> frames = deframe(stream);
        ASSERT_EQ(2u, frames.size()) << c.what;
        EXPECT_EQ(Frame::Malformed, frames[0].status) << c.what;
        EXPECT_EQ(Frame::Ok, frames[1].status) << c.what;
    }
}

TEST(Receiver, AnEndlessTelegramIsCutAtTheLimit) {
    Bytes stream{0x10, 0x01};
    stream.resize(Deframer::kMaxTelegram + 10, 0x41);
    std::vector<Frame> frames = deframe(stream);
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(Frame::Malformed, frames[0].status);
    EXPECT_EQ(Deframer::kMaxTelegram, frames[0].raw.size());
}

TEST(Hex, RoundTripAndRejections) {
    Bytes b;
    ASSERT_TRUE(fromHex("10 01:ab", b));
    EXPECT_EQ("1001AB", toHex(b));
    EXPECT_FALSE(fromHex("123", b));
    EXPECT_FALSE(fromHex("zz", b));
}
