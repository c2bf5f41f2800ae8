// The simulator program on a pseudo-terminal of this test's own, whose other end this test
// holds and never reads: a PC that reaches the bus through the gateway alone leaves the
// serial line unread.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "program_kit.h"

extern char** environ;

namespace {

using vasksim::kit::msNow;

// One vasksim process on the slave end of a pty whose master this object holds.
class OwnLine {
public:
    OwnLine() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
        const char* slave = ::ptsname(master_);
        char dir[] = "/tmp/vasksim-line-XXXXXX";
        if (!slave || !::mkdtemp(dir)) return;
        dir_ = dir;
        const char* sim = std::getenv("VASKSIM");
        if (!sim) return;
        std::string portFile = dir_ + "/control.port", gwFile = dir_ + "/gateway.port";
        std::vector<std::string> args = {sim, "--serial", slave, "--port-file", portFile,
                                         "--gateway-port-file", gwFile};
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(&a[0]);
        argv.push_back(nullptr);
        if (::posix_spawn(&pid_, sim, nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
        int port = 0;
        for (int64_t end = msNow() + 10000; port == 0 && msNow() < end; ::usleep(20000))
            port = vasksim::kit::readPort(portFile);
        ctl_.open(port);
    }
    ~OwnLine() {
        if (ctl_.ok()) ctl_.command("QUIT");
        if (pid_ > 0) {
            int status = 0;
            for (int64_t end = msNow() + 5000; msNow() < end; ::usleep(20000))
                if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                    pid_ = -1;
                    break;
                }
            if (pid_ > 0) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
            }
        }
        if (master_ >= 0) ::close(master_);
        if (!dir_.empty()) {
            ::unlink((dir_ + "/control.port").c_str());
            ::unlink((dir_ + "/gateway.port").c_str());
            ::rmdir(dir_.c_str());
        }
    }
    bool ok() const { return ctl_.ok(); }
    int master() const { return master_; }
    std::string command(const std::string& line) { return ctl_.command(line); }

private:
    int master_ = -1;
    vasksim::kit::ControlChannel ctl_;
    pid_t pid_ = -1;
    std::string dir_;
};

}  // namespace

// Every byte the test writes comes back as echo, and the test reads none of it: far more
// than the terminal holds. The simulator loses what nobody takes and goes on taking the
// line's bytes and answering its control channel.
TEST(UnreadLine, HoldsTheSimulatorUpNowhere) {
    OwnLine line;
    ASSERT_TRUE(line.ok());
    ASSERT_EQ("OK", line.command("ECHO on"));
    const std::vector<uint8_t> chunk(4096, 0x55);  // no DLE: no telegram either
    const size_t total = 1 << 20;
    size_t written = 0;
    for (int64_t end = msNow() + 20000; written < total && msNow() < end;) {
        ssize_t k = ::write(line.master(), chunk.data(), std::min(chunk.size(), total - written));
        if (k > 0) {
            written += static_cast<size_t>(k);
        } else {
            pollfd p{line.master(), POLLOUT, 0};
            ::poll(&p, 1, 100);
        }
    }
    EXPECT_EQ(total, written) << "the simulator stopped taking the line's bytes";
    EXPECT_EQ(0, line.command("CLOCK").compare(0, 3, "OK ")) << "the control channel";
}
