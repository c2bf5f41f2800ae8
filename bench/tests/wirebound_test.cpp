// The benchmark's wire bound with cyclic broadcasts: where a collided telegram began
// against the gap rule's window, and the bound of a layer that never talks into a
// broadcast.
#include "wirebound.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const double kByteMs = 1000.0 / 960.0;

// The benchmark's bus: broadcasts of 34, 23 and 23 bytes beginning at 100, 200 and 300 ms,
// so ending at about 135.4, 224.0 and 324.0. The largest gap runs from 324.0 to 635.4; the
// gap rule's window for a telegram of 10 bytes (10.4 ms) from 324.0 to 89.6 of the next
// cycle, where it is off the line just as device 2's broadcast begins.
const std::vector<double> kLengths = {34 * kByteMs, 23 * kByteMs, 23 * kByteMs};
const std::vector<double> kPhases = {100 + kLengths[0], 200 + kLengths[1], 300 + kLengths[2]};

// A telegram of 10 bytes from the PC whose first byte began at `start` (simulator ms).
bench::WireTelegram Telegram(double start, int device, int deviceBytes, const std::string& action) {
    bench::WireTelegram t;
    t.pcBytes = 10;
    t.timeMs = (int64_t)(start + 10 * kByteMs + 0.5);
    t.deviceBytes = deviceBytes;
    t.device = device;
    t.command = 'k';
    t.function = 6;
    t.action = action;
    return t;
}

TEST(WindowSide, PlacesATimeAgainstTheRulesWindow) {
    const double ms = 10 * kByteMs;
    struct Case {
        double at;
        int side;
    } cases[] = {
        {330.0, 0},   // just after device 9's broadcast: the window is open
        {589.0, 0},   // 89 of the next cycle: still open (until 89.6)
        {1089.0, 0},  // the same two cycles later
        {594.0, 1},   // 94: closed, the telegram would run into device 2's broadcast
        {97.0, 1},    // just after it closed
        {180.0, 1},   // nearer to its end than to its next start
        {250.0, -1},  // nearer to its next start
        {320.0, -1},  // in device 9's broadcast, before the window opens
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.side, bench::WindowSide(c.at, ms, kPhases, kLengths)) << c.at;
    // A telegram of 60 bytes (62.5 ms) has to be off the line by 100: its window closes at
    // 37.5.
    EXPECT_EQ(0, bench::WindowSide(537.0, 60 * kByteMs, kPhases, kLengths));
    EXPECT_EQ(1, bench::WindowSide(538.0, 60 * kByteMs, kPhases, kLengths));
    EXPECT_EQ(0, bench::WindowSide(320.0, ms, std::vector<double>(), std::vector<double>()));
}

TEST(WireBound, CollisionsAfterTheCycleIsKnownAreSortedByTheWindow) {
    std::vector<bench::WireTelegram> log = {
        Telegram(376.0, 2, 20, "ack,reply"),
        // Before every device has broadcast once since the first telegram (by 824.0).
        Telegram(590.0, 11, 0, "collision:2/0"),
        Telegram(1089.0, 11, 0, "collision:2/0"),  // inside the window
        Telegram(1820.0, 11, 0, "collision:9/0"),  // before it opens
        Telegram(2099.0, 11, 0, "collision:2/0"),  // after it has closed
        Telegram(2400.0, 11, 0, "ignored:no-device"),
    };
    bench::WireBound b = bench::ComputeWireBound(log, 5, kPhases, kLengths, false);
    EXPECT_EQ(6, b.telegrams);
    EXPECT_EQ(4, b.collisions);
    EXPECT_EQ(3, b.lateCollisions);
    EXPECT_EQ(1, b.lateInWindow);
    EXPECT_EQ(1, b.lateBeforeWindow);
    EXPECT_EQ(1, b.lateAfterWindow);
    // Collided telegrams to an address where nobody answers count as unanswered ones.
    EXPECT_EQ(5, b.unanswered);
}

// A device's broadcast that a telegram garbled, or that was due while a device answered,
// does not count as one the PC could time: collisions before each device's first timed
// broadcast are late, but not counted against a layer that knows the cycle.
TEST(WireBound, CollisionsAfterEveryBroadcastCouldBeTimedAreCountedApart) {
    std::vector<bench::WireTelegram> log = {
        Telegram(376.0, 2, 20, "ack,reply"),
        Telegram(590.0, 11, 0, "collision:2/0"),  // garbles device 2's broadcast at 600
        // Device 5 answers from about 696 to 717: its broadcast due at 700 waits.
        Telegram(680.0, 5, 20, "ack,reply"),
        Telegram(1093.0, 11, 0, "collision:2/0"),  // after 824, before 1224
        Telegram(1820.0, 11, 0, "collision:9/0"),
    };
    bench::WireBound b = bench::ComputeWireBound(log, 5, kPhases, kLengths, false);
    EXPECT_EQ(3, b.collisions);
    EXPECT_EQ(2, b.lateCollisions);
    EXPECT_EQ(1, b.timedCollisions);
    // An answer that ends within the latency allowance before a broadcast is due spoils it
    // too; one that ends earlier does not.
    log[2] = Telegram(660.0, 5, 20, "ack,reply");  // on the line until about 697
    EXPECT_EQ(1, bench::ComputeWireBound(log, 5, kPhases, kLengths, false).timedCollisions);
    log[2] = Telegram(640.0, 5, 20, "ack,reply");  // until about 676
    EXPECT_EQ(2, bench::ComputeWireBound(log, 5, kPhases, kLengths, false).timedCollisions);
}

// Four telegrams back to back from the window's start: the fourth would begin at about
// 92 ms, where it would run into device 2's broadcast (100 to 135.4). The rule holds it
// until the window opens again, at 324.0, and so does a layer that only keeps clear of the
// broadcasts.
TEST(WireBound, TheRuleHoldsATelegramThatWouldRunIntoTheNextBroadcast) {
    std::vector<bench::WireTelegram> log = {
        Telegram(376.0, 2, 20, "ack,reply"),
        Telegram(1000.0, 11, 0, "ignored:no-device"),
        Telegram(1100.0, 11, 0, "ignored:no-device"),
        Telegram(1200.0, 11, 0, "ignored:no-device"),
    };
    bench::WireBound rule = bench::ComputeWireBound(log, 5, kPhases, kLengths, false);
    bench::WireBound clear = bench::ComputeWireBound(log, 5, kPhases, kLengths, false, true);
    // In the bound's own timeline the telegrams begin at 376.0 (the cycle still unknown),
    // 412.25, 502.25 and 592.25: the last one waits.
    EXPECT_NEAR(824.0 - 592.25, rule.gapMs, 1.0);
    EXPECT_NEAR(rule.TotalMs(), clear.TotalMs(), 1e-6);
    // Without broadcasts nothing waits.
    EXPECT_DOUBLE_EQ(
        rule.TotalMs() - rule.gapMs,
        bench::ComputeWireBound(log, 5, std::vector<double>(), std::vector<double>(), false)
            .TotalMs());
}

// A telegram longer than any gap's room (280 bytes, 292 ms) goes at the start of the largest
// gap, and the bound that keeps clear of the broadcasts cannot do better either.
TEST(WireBound, ATelegramThatFitsInNoGapGoesAtTheStartOfTheLargest) {
    bench::WireTelegram huge = Telegram(1000.0, 11, 0, "ignored:no-device");
    huge.pcBytes = 280;
    huge.timeMs = (int64_t)(1000.0 + 280 * kByteMs + 0.5);
    std::vector<bench::WireTelegram> log = {Telegram(376.0, 2, 20, "ack,reply"), huge};
    bench::WireBound rule = bench::ComputeWireBound(log, 5, kPhases, kLengths, false);
    bench::WireBound clear = bench::ComputeWireBound(log, 5, kPhases, kLengths, false, true);
    // The second telegram is ready at 412.25 and waits for 824.0.
    EXPECT_NEAR(824.0 - 412.25, rule.gapMs, 1.0);
    EXPECT_NEAR(rule.TotalMs(), clear.TotalMs(), 1e-6);
}

}  // namespace
