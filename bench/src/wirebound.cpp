// The wire's lower bound of a case.
#include "wirebound.h"

#include <algorithm>
#include <cmath>

#include "vasklayer.h"

namespace bench {

namespace {

const double kByteMs = kLineByteMs;
const double kCycle = kBroadcastCycleMs;
// The protocol's acknowledgement waits (ms): 500 for "K" 24 and "K" 25, else 90.
const int kAckWaitMs = 90;
const int kLongAckWaitMs = 500;
// How soon after an answer's end a broadcast may follow and still be timed from a quiet
// line (ms): the link layer's latency allowance, used only to sort collisions.
const double kQuietMs = CvaskLayer::LatencyAllowance;

// The gap rule's tables from the true phases and lengths.
struct Tables {
    double phases[CvaskLayer::Devices] = {};
    double lengths[CvaskLayer::Devices] = {};
    Tables(const std::vector<double>& p, const std::vector<double>& l) {
        for (size_t k = 0; k < p.size() && k < (size_t)CvaskLayer::Devices; ++k) {
            phases[k] = p[k];
            lengths[k] = k < l.size() ? l[k] : 0.0;
        }
    }
};

// How long a telegram of `ms` on the line that wants to start at `at` (simulator ms) has
// to wait for its window between the broadcasts: the link layer's rule with the true
// phases and lengths and no latency, to the fraction of a millisecond (the layer compares
// whole ones).
double GapDelay(double at, double ms, const std::vector<double>& phases,
                const std::vector<double>& lengths) {
    if (phases.empty()) return 0.0;
    Tables tables(phases, lengths);
    double start = 0.0, end = 0.0;
    CvaskLayer::GapWait(tables.phases, tables.lengths, ms, 0, &start, &end);
    const double cycle = kCycle;
    double sinceStart = std::fmod(std::fmod(at - start, cycle) + cycle, cycle);
    return sinceStart <= end - start ? 0.0 : cycle - sinceStart;
}

// Whether a telegram on the line from `from` to `to` (simulator ms) meets a broadcast that
// ends at phases[k] and lasts lengths[k].
// The end (simulator ms) of a broadcast that a telegram on the line from `from` to `to`
// meets, the latest of them; 0 when it meets none. A broadcast ends at phases[k] of each
// cycle and lasts lengths[k].
double MetBroadcastEnd(double from, double to, const std::vector<double>& phases,
                       const std::vector<double>& lengths) {
    double base = std::floor(from / kCycle) * kCycle;
    double met = 0.0;
    for (size_t k = 0; k < phases.size() && k < lengths.size(); ++k)
        for (int c = -1; c <= 2; ++c) {
            double end = base + c * kCycle + phases[k];
            if (from < end && to > end - lengths[k]) met = std::max(met, end);
        }
    return met;
}

// How long a telegram of `ms` that wants to start at `at` waits until it meets no
// broadcast: each broadcast it would meet moves it behind that broadcast's end. One that
// meets a broadcast wherever it starts (it fits in no gap) goes at once.
double FreeDelay(double at, double ms, const std::vector<double>& phases,
                 const std::vector<double>& lengths) {
    double t = at;
    // Each step passes a broadcast; a cycle holds one of each.
    for (size_t step = 0; step <= 2 * phases.size() + 2; ++step) {
        const double met = MetBroadcastEnd(t, t + ms, phases, lengths);
        if (met == 0.0) return t - at;
        t = met;
        if (t - at > kCycle) break;
    }
    return 0.0;
}

// When the PC could first have timed every device's broadcast (simulator ms): for each
// device, the end of its first broadcast since `from` that went out at its phase from a
// quiet line and intact: no answer of a device on the line when it was due or ending
// within the latency allowance before (the device holds its broadcast behind an answer,
// and the link layer does not time a broadcast that follows another telegram), and no
// telegram of the PC garbling it.
double FirstTimedCycle(const std::vector<WireTelegram>& telegrams, int reactionMs,
                       const std::vector<double>& phases, const std::vector<double>& lengths,
                       double from) {
    const double cycle = kCycle;
    double timed = from;
    for (size_t k = 0; k < phases.size() && k < lengths.size(); ++k) {
        double end = from + std::fmod(std::fmod(phases[k] - from, cycle) + cycle, cycle);
        for (int c = 0; c < 1000; ++c, end += cycle) {
            const double begin = end - lengths[k];
            bool spoilt = false;
            for (const WireTelegram& t : telegrams) {
                const double sent = (double)t.timeMs;
                if (t.Collided() && sent - t.pcBytes * kByteMs < end && sent > begin) spoilt = true;
                const double answer = sent + reactionMs;
                if (t.deviceBytes > 0 && answer < begin &&
                    answer + t.deviceBytes * kByteMs > begin - kQuietMs)
                    spoilt = true;
                if (spoilt) break;
            }
            if (!spoilt) break;
        }
        timed = std::max(timed, end);
    }
    return timed;
}

}  // namespace

int WindowSide(double at, double ms, const std::vector<double>& broadcastPhases,
               const std::vector<double>& broadcastMs) {
    if (broadcastPhases.empty()) return 0;
    Tables tables(broadcastPhases, broadcastMs);
    const double cycle = kCycle;
    double start = 0.0, end = 0.0;
    double t = std::fmod(std::fmod(at, cycle) + cycle, cycle);
    // The rule compares whole milliseconds; so does this.
    if (CvaskLayer::GapWait(tables.phases, tables.lengths, ms, (unsigned long)t, &start, &end) == 0)
        return 0;
    double sinceEnd = std::fmod(t - end + 2 * cycle, cycle);
    double untilStart = std::fmod(start - t + 2 * cycle, cycle);
    return untilStart <= sinceEnd ? -1 : 1;
}

int AckWaitFor(const WireTelegram& t) {
    if (t.device == 15) return 0;  // nobody acknowledges a broadcast
    if (t.command == 'K' && (t.function == 24 || t.function == 25)) return kLongAckWaitMs;
    return kAckWaitMs;
}

WireBound ComputeWireBound(const std::vector<WireTelegram>& telegrams, int reactionMs,
                           const std::vector<double>& broadcastPhases,
                           const std::vector<double>& broadcastMs, bool echo, Gaps gaps) {
    WireBound b;
    if (telegrams.empty()) return b;
    // A timeline in the simulator's clock, from the moment the first telegram began.
    double now = (double)telegrams.front().timeMs - telegrams.front().pcBytes * kByteMs;
    // By then every device has broadcast once since the first telegram began.
    double learnt = now;
    for (double phase : broadcastPhases) {
        double first = now + std::fmod(std::fmod(phase - now, kCycle) + kCycle, kCycle);
        learnt = std::max(learnt, first);
    }
    const double timed = FirstTimedCycle(telegrams, reactionMs, broadcastPhases, broadcastMs, now);
    // Without an echo to read back, the port's write under Wine returns before the telegram
    // has crossed the paced line (a pseudo-terminal has no baud rate), so an acknowledgement
    // wait that runs out begins with the telegram: it covers the telegram's time.
    auto ackWait = [echo](const WireTelegram& t) {
        return std::max(0.0, AckWaitFor(t) - (echo ? 0.0 : t.pcBytes * kByteMs));
    };
    // Until the PC has read a reply it has read nothing of the line and knows no phase;
    // the gap rule then lets it send at once.
    bool cycleKnown = false;
    for (const WireTelegram& t : telegrams) {
        double ms = t.pcBytes * kByteMs;
        double start = (double)t.timeMs - ms;
        if (GapDelay(start, ms, broadcastPhases, broadcastMs) > 0) ++b.outsideGap;
        ++b.telegrams;
        b.pcBytes += t.pcBytes;
        if (t.Collided()) {
            ++b.collisions;
            if (start >= timed) ++b.timedCollisions;
            if (start >= learnt) {
                ++b.lateCollisions;
                int side = WindowSide(start, ms, broadcastPhases, broadcastMs);
                ++(side < 0 ? b.lateBeforeWindow : side > 0 ? b.lateAfterWindow : b.lateInWindow);
            }
            // What it cost: it went without waiting for a window, took its time on the line
            // and left its acknowledgement wait to run out; its repetition is a telegram of
            // its own in the log.
            const double cost = (t.pcBytes + t.deviceBytes) * kByteMs + (t.device != 15 ? ackWait(t) : 0.0);
            b.collidedMs += cost;
            now += cost;
            b.deviceBytes += t.deviceBytes;
            continue;
        }
        double gap = gaps == Gaps::Free ? FreeDelay(now, ms, broadcastPhases, broadcastMs)
                     : cycleKnown       ? GapDelay(now, ms, broadcastPhases, broadcastMs)
                                        : 0.0;
        b.gapMs += gap;
        now += gap;
        double line = (t.pcBytes + t.deviceBytes) * kByteMs;
        b.lineMs += line;
        now += line;
        b.deviceBytes += t.deviceBytes;
        if (t.deviceBytes > 2) cycleKnown = true;
        if (t.deviceBytes > 0) {
            b.reactionMs += reactionMs;
            now += reactionMs;
        } else if (t.device != 15) {
            ++b.unanswered;
            const double wait = ackWait(t);
            b.ackWaitMs += wait;
            now += wait;
        }
    }
    return b;
}

}  // namespace bench
