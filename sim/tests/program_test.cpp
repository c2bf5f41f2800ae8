// The simulator program on a real pseudo-terminal pair, started and stopped by the same
// fixture script that the Windows tests use, with this test playing the PC.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

#include "codec.h"
#include "program_kit.h"

using namespace vasksim;

namespace {

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

using kit::msNow;

class Program : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = env("VASKSIM_TEST_DIR");
        std::string cmd =
            env("VASKBUS_FIXTURE") + " start " + dir_ + " " + env("VASKSIM") + " >/dev/null";
        ASSERT_EQ(0, std::system(cmd.c_str())) << cmd;
    }
    static void TearDownTestSuite() {
        std::string cmd = env("VASKBUS_FIXTURE") + " stop " + dir_;
        std::system(cmd.c_str());
    }

    void SetUp() override {
        ASSERT_TRUE(ctl_.open(kit::readPort(dir_ + "/control.port")));
        line_ = ::open((dir_ + "/com-wine").c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(line_, 0);
        termios t{};
        tcgetattr(line_, &t);
        cfmakeraw(&t);
        tcsetattr(line_, TCSANOW, &t);
        ASSERT_EQ("OK default", command("RESET"));
        // What an earlier test left in the pseudo-terminal (a broadcast on its way when it
        // ended) is not this test's.
        tcflush(line_, TCIFLUSH);
    }
    void TearDown() override {
        if (line_ >= 0) ::close(line_);
    }

    // Sends a control command; returns the closing line, data lines in `data`.
    std::string command(const std::string& cmd, std::vector<std::string>* data = nullptr) {
        return ctl_.command(cmd, data);
    }

    void write(const Bytes& b) {
        ASSERT_EQ(static_cast<ssize_t>(b.size()), ::write(line_, b.data(), b.size()));
    }

    // Reads until `n` bytes have come or the deadline passes.
    Bytes read(size_t n, int64_t ms = 5000) {
        Bytes got;
        int64_t deadline = msNow() + ms;
        for (int64_t left; got.size() < n && (left = deadline - msNow()) > 0;) {
            pollfd p{line_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(std::min<int64_t>(50, left))) > 0) {
                uint8_t b[256];
                ssize_t k = ::read(line_, b, std::min(sizeof b, n - got.size()));
                if (k > 0) got.insert(got.end(), b, b + k);
            }
        }
        return got;
    }

    // Reads one whole telegram (skipping nothing: the first bytes must start it).
    Frame readTelegram() {
        Deframer d;
        Frame f;
        int64_t deadline = msNow() + 5000;
        while (msNow() < deadline) {
            Bytes b = read(1, 100);
            if (!b.empty() && d.push(b[0], f)) return f;
        }
        f.status = Frame::Malformed;
        f.problem = "timeout";
        return f;
    }

    static std::string dir_;
    kit::ControlChannel ctl_;
    int line_ = -1;
};
std::string Program::dir_;

}  // namespace

TEST_F(Program, AnswersAVersionRequestOnTheLine) {
    ASSERT_EQ("OK", command("SET 1 serial 12345"));
    write(buildTelegram(0x10, 0xD0, {'k', 6}));
    EXPECT_EQ("1006", toHex(read(2)));
    Frame f = readTelegram();
    ASSERT_EQ(Frame::Ok, f.status) << f.problem;
    EXPECT_EQ(0xD0, f.destination);
    EXPECT_EQ(0x10, f.source);
    std::string body(f.body.begin(), f.body.end());
    EXPECT_EQ('k', body[2]);
    EXPECT_EQ(6, body[3]);
    EXPECT_NE(std::string::npos, body.find("12345"));
    std::vector<std::string> log;
    ASSERT_EQ("OK 1", command("WAITLOG 1 5000"));
    ASSERT_EQ("OK 1", command("LOG", &log));
    ASSERT_EQ(1u, log.size());
    EXPECT_NE(std::string::npos, log[0].find("cmd=k fn=6 action=ack,reply"));
}

TEST_F(Program, NakOnTheFirstAttemptThenTheAnswer) {
    ASSERT_EQ("OK", command("FAULT 1 nak 1"));
    Bytes request = buildTelegram(0x10, 0xD0, {'k', 3});
    write(request);
    EXPECT_EQ("1015", toHex(read(2)));
    write(request);
    EXPECT_EQ("1006", toHex(read(2)));
    EXPECT_EQ(Frame::Ok, readTelegram().status);
    std::vector<std::string> log;
    ASSERT_EQ("OK 2", command("WAITLOG 2 5000"));
    ASSERT_EQ("OK 2", command("LOG", &log));
    EXPECT_NE(std::string::npos, log.at(0).find("action=nak "));
    EXPECT_NE(std::string::npos, log.at(1).find("action=ack,reply "));
}

TEST_F(Program, EchoAndPacedOutputKeepEveryByte) {
    ASSERT_EQ("OK", command("ECHO on"));
    ASSERT_EQ("OK", command("PACE on"));
    Bytes request = buildTelegram(0x20, 0xD0, {'k', 2});
    write(request);
    EXPECT_EQ(toHex(request), toHex(read(request.size())));
    EXPECT_EQ("1006", toHex(read(2)));
    Frame f = readTelegram();
    ASSERT_EQ(Frame::Ok, f.status) << f.problem;
    EXPECT_EQ(0x20, f.source);
}

// With input pacing a telegram reaches the devices only once its last byte would have
// crossed a 9600-baud line: nothing can come back sooner than that.
TEST_F(Program, PacedInputTakesTheLinesTime) {
    ASSERT_EQ("OK", command("PACE both"));
    Bytes request = buildTelegram(0x10, 0xD0, {'k', 6});
    const auto lineTime = std::chrono::microseconds(request.size() * 1000000 / 960);
    const auto start = std::chrono::steady_clock::now();
    write(request);
    EXPECT_EQ("1006", toHex(read(2)));
    EXPECT_GE(std::chrono::steady_clock::now() - start, lineTime);
    EXPECT_EQ(Frame::Ok, readTelegram().status);
}

TEST_F(Program, WaitlogTimesOutWhenNothingArrives) {
    EXPECT_EQ("ERR timeout 0", command("WAITLOG 1 200"));
}

TEST_F(Program, CyclicBroadcastsReachTheLine) {
    ASSERT_EQ("OK", command("BROADCAST 2 250"));
    Frame f = readTelegram();
    ASSERT_EQ(Frame::Ok, f.status) << f.problem;
    EXPECT_EQ(0xF0, f.destination);
    EXPECT_EQ(0x20, f.source);
    ASSERT_GE(f.body.size(), 4u);
    EXPECT_EQ('k', f.body[2]);
    EXPECT_EQ(2, f.body[3]);
    ASSERT_EQ("OK", command("BROADCAST 2 off"));
}

// A telegram written so that it is on the line when the next broadcast begins collides
// with it: the devices take nothing (no acknowledgement), the broadcast arrives garbled and
// the log marks the telegram. The PC's telegram is long (45 bytes, 47 ms) and laid over
// the broadcast's start with 20 ms to spare on either side.
TEST_F(Program, ATelegramSentIntoABroadcastCollides) {
    ASSERT_EQ("OK", command("PACE both"));
    ASSERT_EQ("OK", command("BROADCAST 2 250"));
    Frame first = readTelegram();
    const int64_t firstEnd = msNow();
    ASSERT_EQ(Frame::Ok, first.status) << first.problem;
    const int64_t broadcastMs = static_cast<int64_t>(first.raw.size()) * 1000 / 960;
    Bytes body = {'k', 6};
    body.resize(36, 0x30);
    Bytes request = buildTelegram(0x10, 0xD0, body);
    ASSERT_EQ(45u, request.size());
    // The next broadcast's first byte goes on the line at firstEnd + 500 - broadcastMs.
    const int64_t writeAt = firstEnd + 500 - broadcastMs - 20;
    EXPECT_TRUE(read(1, writeAt - msNow()).empty()) << "nothing on the line before";
    write(request);
    Frame garbled = readTelegram();
    EXPECT_EQ(Frame::BadCrc, garbled.status) << garbled.problem;
    EXPECT_EQ(0xF0, garbled.destination);
    EXPECT_TRUE(read(2, 300).empty()) << "no acknowledgement";
    std::vector<std::string> log;
    ASSERT_EQ("OK 1", command("WAITLOG 1 5000"));
    ASSERT_EQ("OK 1", command("LOG", &log));
    EXPECT_NE(std::string::npos, log.at(0).find(" action=collision:2/0 ")) << log.at(0);
    ASSERT_EQ("OK", command("BROADCAST 2 off"));
}

namespace {

// A client of the simulator's gateway side, as the stand-in is one: frames on a socket.
class GatewayClient {
public:
    explicit GatewayClient(const std::string& dir)
        : fd_(kit::connectLoopback(kit::readPort(dir + "/gateway.port"))) {}
    ~GatewayClient() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool ok() const { return fd_ >= 0; }

    bool send(uint8_t type, uint8_t line, const Bytes& payload) {
        Bytes b{type, line, static_cast<uint8_t>(payload.size()),
                static_cast<uint8_t>(payload.size() >> 8)};
        b.insert(b.end(), payload.begin(), payload.end());
        return ::send(fd_, b.data(), b.size(), 0) == static_cast<ssize_t>(b.size());
    }

    // The next frame, waiting up to 5 s; type 0 when none came.
    uint8_t next(Bytes& payload) {
        int64_t deadline = msNow() + 5000;
        while (msNow() < deadline) {
            if (in_.size() >= 4) {
                size_t n = in_[2] | (in_[3] << 8);
                if (in_.size() >= 4 + n) {
                    uint8_t type = in_[0];
                    payload.assign(in_.begin() + 4, in_.begin() + 4 + static_cast<long>(n));
                    in_.erase(in_.begin(), in_.begin() + 4 + static_cast<long>(n));
                    return type;
                }
            }
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 50) > 0) {
                uint8_t b[512];
                ssize_t k = ::recv(fd_, b, sizeof b, 0);
                if (k <= 0) return 0;
                in_.insert(in_.end(), b, b + k);
            }
        }
        return 0;
    }

private:
    int fd_ = -1;
    Bytes in_;
};

}  // namespace

TEST_F(Program, ServesTheGatewayLinesOverTcp) {
    GatewayClient gw(dir_);
    ASSERT_TRUE(gw.ok()) << "no gateway side at the port in " << dir_ << "/gateway.port";
    Bytes p;
    ASSERT_TRUE(gw.send(0x01, 0, {1}));
    ASSERT_EQ(0x81, gw.next(p));
    EXPECT_EQ(
        "01"
        "04"
        "434F4D31",
        toHex(p))
        << "one line, COM1";

    ASSERT_EQ("OK", command("SET 1 serial 4711"));
    ASSERT_TRUE(gw.send(0x04, 0, {7, 0, 0, 0, 0x10, 'k', 6}));
    ASSERT_EQ(0x84, gw.next(p));
    EXPECT_EQ("0700000000", toHex(p)) << "transmit 7 done";
    ASSERT_EQ(0x85, gw.next(p));
    ASSERT_GE(p.size(), 6u);
    EXPECT_EQ(0x10, p[0]);
    EXPECT_EQ(0xD0, p[1]);
    EXPECT_NE(std::string::npos, std::string(p.begin(), p.end()).find("4711"));

    ASSERT_EQ("OK", command("FAULT 1 silent"));
    ASSERT_TRUE(gw.send(0x04, 0, {8, 0, 0, 0, 0x10, 'k', 6}));
    ASSERT_EQ(0x84, gw.next(p));
    EXPECT_EQ("0800000001", toHex(p)) << "no acknowledgement";

    std::vector<std::string> log;
    ASSERT_EQ("OK 2", command("LOG", &log));
    EXPECT_NE(std::string::npos, log.at(0).find("via=gateway cmd=k fn=6 action=ack,reply"));
    EXPECT_NE(std::string::npos, log.at(1).find("via=gateway cmd=k fn=6 action=silent"));
}
