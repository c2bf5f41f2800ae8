// The millisecond timer, driven by a clock of the test's own: time-outs across the wrap
// of the 32-bit millisecond counter, the busy-wait delay, the clock-time text, and the
// timer resolution raised by the first live timer and restored by the last one.
#include "test_support.h"
#include "utilvask_seams.h"

#include <atomic>
#include <thread>
#include <vector>

namespace {

// The test's clock and multimedia timer.
std::atomic<DWORD> g_now(0);
std::atomic<DWORD> g_step(0);  // added after every read of the clock
std::atomic<int> g_reads(0);
std::atomic<int> g_raised(0);  // resolution raises outstanding
std::atomic<int> g_faults(0);  // a raise on top of a raise, or an end without a raise
std::atomic<int> g_begins(0);
std::atomic<UINT> g_lastPeriod(0);
std::atomic<bool> g_capsFail(false);
std::atomic<UINT> g_minPeriod(1);

DWORD WINAPI TestTime() {
    ++g_reads;
    return g_now.fetch_add(g_step);
}

MMRESULT WINAPI TestCaps(LPTIMECAPS caps, UINT) {
    // Give another thread the chance to run in the middle of the set-up.
    SwitchToThread();
    if (g_capsFail) return TIMERR_NOCANDO;
    caps->wPeriodMin = g_minPeriod;
    caps->wPeriodMax = 1000000;
    return TIMERR_NOERROR;
}

MMRESULT WINAPI TestBegin(UINT period) {
    if (g_raised.fetch_add(1) != 0) ++g_faults;
    ++g_begins;
    g_lastPeriod = period;
    return TIMERR_NOERROR;
}

MMRESULT WINAPI TestEnd(UINT period) {
    if (g_raised.fetch_sub(1) != 1) ++g_faults;
    if (period != g_lastPeriod) ++g_faults;
    return TIMERR_NOERROR;
}

class MTimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_now = 0;
        g_step = 0;
        g_reads = 0;
        g_raised = 0;
        g_faults = 0;
        g_begins = 0;
        g_capsFail = false;
        g_minPeriod = 1;
        CMTimerPlatform platform = {TestTime, TestCaps, TestBegin, TestEnd};
        SetTimerPlatform(&platform);
    }
    void TearDown() override { SetTimerPlatform(NULL); }
};

TEST_F(MTimerTest, NewTimerHasNoTimeout) {
    CMTimer t;
    g_now = 123456;
    EXPECT_EQ(t.Timeout(), 0);
    EXPECT_EQ(t.Remaining(), 0ul);
    t.SetTimeout(0);
    g_now = 0xFFFFFFF0;
    EXPECT_EQ(t.Timeout(), 0);  // 0 switches the time-out off, however long one waits
    EXPECT_EQ(t.Remaining(), 0ul);
}

TEST_F(MTimerTest, TimeoutsAcrossTheCounterWrap) {
    struct Case {
        DWORD start;
        unsigned long length;
        DWORD at;
        int expired;
        unsigned long remaining;
    } cases[] = {
        {1000, 500, 1000, 0, 500},
        {1000, 500, 1499, 0, 1},
        {1000, 500, 1500, 1, 0},
        {1000, 500, 999999, 1, 0},  // stays expired
        {0xFFFFFF00, 0x200, 0xFFFFFF00, 0, 0x200},
        {0xFFFFFF00, 0x200, 0xFFFFFFFF, 0, 0x101},
        {0xFFFFFF00, 0x200, 0x00000000, 0, 0x100},
        {0xFFFFFF00, 0x200, 0x000000FF, 0, 1},
        {0xFFFFFF00, 0x200, 0x00000100, 1, 0},
        {0xFFFFFFFF, 1, 0, 1, 0},
    };
    for (const Case& c : cases) {
        CMTimer t;
        g_now = c.start;
        t.SetTimeout(c.length);
        g_now = c.at;
        EXPECT_EQ(t.Timeout(), c.expired)
            << std::hex << c.start << " + " << c.length << " at " << c.at;
        EXPECT_EQ(t.Remaining(), c.remaining) << std::hex << c.start << " at " << c.at;
        t.ResetTimeout();
        EXPECT_EQ(t.Timeout(), 0);
    }
    EXPECT_EQ(CMTimer::TimeDiff(5, 0, 0xFFFFFFFB, 0), 10ul);
    EXPECT_EQ(CMTimer::TimeDiff(0xFFFFFFFB, 0, 5, 0), 0xFFFFFFF6ul);
}

TEST_F(MTimerTest, DelayPollsTheClockUntilItsLengthHasPassed) {
    CMTimer t;
    g_now = 0xFFFFFFFD;
    g_step = 1;
    t.Delay(5);
    // Started at ...FD, returned once the clock read 5 ms later, across the wrap.
    EXPECT_EQ(g_now.load(), 0x00000003u);
    EXPECT_EQ(t.Timeout(), 0);  // the delay's time-out is reset afterwards

    int reads = g_reads;
    t.Delay(0);
    EXPECT_EQ(g_reads.load(), reads);  // returns at once
}

TEST_F(MTimerTest, TimeStrings) {
    struct Case {
        unsigned long ms;
        const char* text;
    } cases[] = {
        {0, "00:00:00.000"},          {3723456, "01:02:03.456"},
        {90061001, "01:01:01.001"},  // hours modulo 24
        {59999, "00:00:59.999"},      {86399999, "23:59:59.999"},
        {0xFFFFFFFF, "17:02:47.295"},
    };
    CMTimer t;
    for (const Case& c : cases) EXPECT_STREQ(t.TimeString(c.ms, 0), c.text) << c.ms;
    EXPECT_EQ(t.TimeAbs(1234, 0), 0ul);
}

TEST_F(MTimerTest, CoarsePeriodKeepsMillisecondTexts) {
    // Without the timer's capabilities the period is 10 ms; the counter still counts
    // milliseconds.
    g_capsFail = true;
    CMTimer t;
    EXPECT_EQ(g_lastPeriod.load(), 10u);
    EXPECT_STREQ(t.TimeString(3723456, 0), "01:02:03.456");
}

TEST_F(MTimerTest, FirstTimerRaisesTheResolutionAndTheLastRestoresIt) {
    g_minPeriod = 2;
    {
        CMTimer a;
        EXPECT_EQ(g_raised.load(), 1);
        EXPECT_EQ(g_lastPeriod.load(), 2u);
        {
            CMTimer b;
            CMTimer c(a);  // a copy is a timer of its own
            b = a;
            EXPECT_EQ(g_begins.load(), 1);
        }
        EXPECT_EQ(g_raised.load(), 1);
    }
    EXPECT_EQ(g_raised.load(), 0);
    {
        CMTimer again;
        EXPECT_EQ(g_begins.load(), 2);
    }
    EXPECT_EQ(g_raised.load(), 0);
    EXPECT_EQ(g_faults.load(), 0);
}

TEST_F(MTimerTest, TimersMadeOnManyThreadsAtOnceKeepTheCountRight) {
    // Every timer must find the resolution raised while it lives, also when it is made
    // while another thread is still setting up the first one.
    const int threads = 8;
    const int rounds = 300;
    std::atomic<int> unraised(0);
    std::atomic<int> ready(0);
    std::vector<std::thread> workers;
    for (int k = 0; k < threads; ++k)
        workers.emplace_back([&] {
            ++ready;
            while (ready < threads) {}
            for (int r = 0; r < rounds; ++r) {
                CMTimer t;
                if (g_raised.load() != 1) ++unraised;
            }
        });
    for (auto& w : workers) w.join();
    EXPECT_EQ(unraised.load(), 0);
    EXPECT_EQ(g_raised.load(), 0);
    EXPECT_EQ(g_faults.load(), 0);
}

TEST_F(MTimerTest, CalibrateMeasuresTheCostOfATimeRead) {
    g_step = 3;
    CMTimer::Calibrate();
    EXPECT_EQ(CMTimer::GetTimeCorrection(), 3ul);
    EXPECT_EQ(g_reads.load(), 512);
    g_step = 0;
    CMTimer::Calibrate();
    EXPECT_EQ(CMTimer::GetTimeCorrection(), 0ul);
}

TEST(MTimerPlatform, RealClockAdvances) {
    // With the platform's own clock: a time-out of 1 ms expires, polled with a deadline.
    CMTimer t;
    t.SetTimeout(1);
    DWORD deadline = GetTickCount() + 10000;
    while (!t.Timeout() && (LONG)(GetTickCount() - deadline) < 0) Sleep(1);
    EXPECT_EQ(t.Timeout(), 1);
    EXPECT_EQ(t.Remaining(), 0ul);
}

}  // namespace
