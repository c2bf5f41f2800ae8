#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "lineout.h"

using namespace vasksim;

namespace {

// A non-blocking pipe standing for the pseudo-terminal; its reader end reads on demand.
class Pipe {
public:
    Pipe() {
        if (::pipe(fds_) == 0) {
            ::fcntl(fds_[1], F_SETFL, ::fcntl(fds_[1], F_GETFL) | O_NONBLOCK);
            ::fcntl(fds_[0], F_SETFL, ::fcntl(fds_[0], F_GETFL) | O_NONBLOCK);
        }
    }
    ~Pipe() {
        ::close(fds_[0]);
        ::close(fds_[1]);
    }
    int writer() const { return fds_[1]; }
    Bytes readAll() {
        Bytes got;
        uint8_t b[4096];
        ssize_t n;
        while ((n = ::read(fds_[0], b, sizeof b)) > 0) got.insert(got.end(), b, b + n);
        return got;
    }

private:
    int fds_[2] = {-1, -1};
};

Bytes Numbers(size_t from, size_t n) {
    Bytes b;
    for (size_t i = from; i < from + n; ++i) b.push_back(static_cast<uint8_t>(i * 7));
    return b;
}

}  // namespace

TEST(LineOutput, EveryByteReachesAReaderThatKeepsUpInOrder) {
    Pipe pipe;
    LineOutput out(1024);
    Bytes got;
    for (size_t i = 0; i < 200; ++i) {
        out.put(Numbers(i * 300, 300));
        out.flush(pipe.writer());
        Bytes more = pipe.readAll();
        got.insert(got.end(), more.begin(), more.end());
    }
    EXPECT_FALSE(out.pending());
    EXPECT_EQ(0u, out.dropped());
    EXPECT_EQ(Numbers(0, 200 * 300), got);
}

// Nobody reads: the writes never wait, the bytes beyond the limit are lost from the oldest
// on, and a reader that comes later gets the newest ones in order.
TEST(LineOutput, ALineNobodyReadsKeepsOnlyTheNewestBytesAndNeverWaits) {
    Pipe pipe;
    LineOutput out(4096);
    const size_t total = 4000000;  // far beyond what the pipe and the limit hold
    for (size_t at = 0; at < total; at += 1000) {
        out.put(Numbers(at, 1000));
        out.flush(pipe.writer());
        ASSERT_LE(out.size(), 4096u);
    }
    EXPECT_GT(out.dropped(), 0u);
    Bytes got = pipe.readAll();  // what the pipe took before it was full
    while (out.pending()) {
        out.flush(pipe.writer());
        Bytes more = pipe.readAll();
        got.insert(got.end(), more.begin(), more.end());
    }
    EXPECT_EQ(total, got.size() + out.dropped());
    ASSERT_GE(got.size(), 4096u);
    Bytes newest(got.end() - 4096, got.end());
    EXPECT_EQ(Numbers(total - 4096, 4096), newest);
}
