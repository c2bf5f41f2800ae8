// The benchmark's wire bound with cyclic broadcasts: where a collided telegram began
// against the gap rule's window, what a collided telegram costs, and the bounds of the gap
// rule and of a bus free of any rule.
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
    // Collided telegrams are charged apart, at their line time and acknowledgement wait.
    EXPECT_EQ(1, b.unanswered);
    EXPECT_NEAR(4 * 90.0, b.collidedMs, 1e-6);
}

// A telegram sent into a broadcast went without waiting for a window and left its
// acknowledgement wait to run out: that is what it cost, whether its address answers (it is
// sent again, and the repetition counts as a telegram of its own) or not. Charging it a
// window it never waited for put runs with many collisions below their own bound.
TEST(WireBound, ACollidedTelegramCostsItsLineTimeAndAcknowledgementWait) {
    std::vector<bench::WireTelegram> log = {
        Telegram(376.0, 2, 20, "ack,reply"),
        Telegram(590.0, 2, 0, "collision:2/0"),  // in device 2's broadcast, to device 2
        Telegram(680.0, 2, 20, "ack,reply"),     // its repetition
    };
    for (bench::Gaps gaps : {bench::Gaps::Rule, bench::Gaps::Free}) {
        bench::WireBound b = bench::ComputeWireBound(log, 5, kPhases, kLengths, false, gaps);
        // Without an echo the acknowledgement wait covers the telegram's own time.
        EXPECT_NEAR(90.0, b.collidedMs, 1e-6);
        EXPECT_EQ(0, b.unanswered);
        EXPECT_EQ(1, b.collisions);
        // The line time of the two exchanges; the collided telegram's is in its own cost.
        EXPECT_NEAR(2 * 10 * kByteMs + 2 * 20 * kByteMs, b.lineMs, 1e-6);
        EXPECT_NEAR(2 * 5.0, b.reactionMs, 1e-6);
        // In the bound's timeline the collided telegram ends at 376.0 + 25.0 + 90.0 = 501.0
        // (the first exchange: 10 + 20 bytes and 5 ms): the repetition then meets no
        // broadcast and the rule's window (324.0 to 89.6) is open.
        EXPECT_NEAR(0.0, b.gapMs, 1e-6);
    }
    // With an echo the wait begins once the telegram is out.
    EXPECT_NEAR(90.0 + 10 * kByteMs,
                bench::ComputeWireBound(log, 5, kPhases, kLengths, true).collidedMs, 1e-6);
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
// until its window opens again, at 324.0; free of the rule, it waits only until that
// broadcast has ended.
TEST(WireBound, TheRuleHoldsATelegramThatWouldRunIntoTheNextBroadcast) {
    std::vector<bench::WireTelegram> log = {
        Telegram(376.0, 2, 20, "ack,reply"),
        Telegram(1000.0, 11, 0, "ignored:no-device"),
        Telegram(1100.0, 11, 0, "ignored:no-device"),
        Telegram(1200.0, 11, 0, "ignored:no-device"),
    };
    bench::WireBound rule = bench::ComputeWireBound(log, 5, kPhases, kLengths, false);
    bench::WireBound free =
        bench::ComputeWireBound(log, 5, kPhases, kLengths, false, bench::Gaps::Free);
    // In the bound's own timeline the telegrams begin at 376.0 (the cycle still unknown),
    // 412.25, 502.25 and 592.25: the last one waits.
    EXPECT_NEAR(824.0 - 592.25, rule.gapMs, 1.0);
    EXPECT_NEAR(500.0 + kPhases[0] - 592.25, free.gapMs, 1.0);
    EXPECT_NEAR(rule.TotalMs() - rule.gapMs, free.TotalMs() - free.gapMs, 1e-6);
    // Without broadcasts nothing waits.
    EXPECT_DOUBLE_EQ(
        rule.TotalMs() - rule.gapMs,
        bench::ComputeWireBound(log, 5, std::vector<double>(), std::vector<double>(), false)
            .TotalMs());
}

// A telegram longer than any gap's room (280 bytes, 292 ms) goes at the start of the largest
// gap under the rule; free of the rule, nothing keeps it clear, and it goes at once.
TEST(WireBound, ATelegramThatFitsInNoGapGoesAtTheStartOfTheLargest) {
    bench::WireTelegram huge = Telegram(1000.0, 11, 0, "ignored:no-device");
    huge.pcBytes = 280;
    huge.timeMs = (int64_t)(1000.0 + 280 * kByteMs + 0.5);
    std::vector<bench::WireTelegram> log = {Telegram(376.0, 2, 20, "ack,reply"), huge};
    bench::WireBound rule = bench::ComputeWireBound(log, 5, kPhases, kLengths, false);
    bench::WireBound free =
        bench::ComputeWireBound(log, 5, kPhases, kLengths, false, bench::Gaps::Free);
    // The second telegram is ready at 412.25 and waits for 824.0.
    EXPECT_NEAR(824.0 - 412.25, rule.gapMs, 1.0);
    EXPECT_NEAR(0.0, free.gapMs, 1e-6);
}

// Free of the rule, a telegram moves behind every broadcast it would meet, one after the
// other, and goes in the first gap that holds it, however small: 70 bytes (72.9 ms) ready
// at 130 meet device 2's broadcast (to 135.4) and, begun there, device 5's (200 to 224.0);
// the gap from 224.0 to 300 holds them. The rule knows only its window behind device 9.
TEST(WireBound, FreeOfTheRuleATelegramTakesTheFirstGapThatHoldsIt) {
    bench::WireTelegram first = Telegram(0.0, 2, 72, "ack,reply");
    bench::WireTelegram next = Telegram(0.0, 11, 0, "ignored:no-device");
    // The first exchange from 39.58: 10 + 72 bytes and 5 ms, so the next is ready at 130.0.
    first.timeMs = 50;
    next.pcBytes = 70;
    next.timeMs = 1000;
    std::vector<bench::WireTelegram> log = {first, next};
    bench::WireBound free =
        bench::ComputeWireBound(log, 5, kPhases, kLengths, false, bench::Gaps::Free);
    EXPECT_NEAR(kPhases[1] - 130.0, free.gapMs, 1e-6);
    bench::WireBound rule = bench::ComputeWireBound(log, 5, kPhases, kLengths, false);
    EXPECT_NEAR(kPhases[2] - 130.0, rule.gapMs, 1.0);
}

}  // namespace
