// The wire's lower bound of a case.
#include "wirebound.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "vasklayer.h"

namespace bench {

namespace {

const double kByteMs = 1000.0 / 960.0;  // ten bits at 9600 baud

// How long a transmission that wants to start at `at` (simulator ms) has to wait for the
// gap between the broadcasts; the same rule as the link layer's, with the true phases.
double GapDelay(double at, const std::vector<double>& phases) {
    if (phases.empty()) return 0.0;
    double table[CvaskLayer::Devices] = {};
    for (size_t k = 0; k < phases.size() && k < (size_t)CvaskLayer::Devices; ++k)
        table[k] = phases[k];
    unsigned long whole = (unsigned long)at;
    unsigned long wait = CvaskLayer::GapWait(table, whole % (unsigned long)CvaskLayer::Cycle);
    return wait == 0 ? 0.0 : (double)wait - (at - (double)whole);
}

// Whether a telegram on the line from `from` to `to` (simulator ms) meets a broadcast that
// ends at phases[k] and lasts lengths[k].
bool MeetsBroadcast(double from, double to, const std::vector<double>& phases,
                    const std::vector<double>& lengths) {
    const double cycle = CvaskLayer::Cycle;
    double base = std::floor(from / cycle) * cycle;
    for (size_t k = 0; k < phases.size() && k < lengths.size(); ++k)
        for (int c = -1; c <= 1; ++c) {
            double end = base + c * cycle + phases[k];
            if (from < end && to > end - lengths[k]) return true;
        }
    return false;
}

// The gap rule's wait and, beyond it, whatever more keeps a telegram of `ms` clear of the
// broadcasts.
double ClearDelay(double at, double ms, const std::vector<double>& phases,
                  const std::vector<double>& lengths) {
    double t = at;
    for (int step = 0; step < 4000; ++step) {
        t += GapDelay(t, phases);
        if (!MeetsBroadcast(t, t + ms, phases, lengths)) break;
        t += 0.25;
    }
    return t - at;
}

}  // namespace

int WindowSide(double at, const std::vector<double>& broadcastPhases) {
    if (broadcastPhases.empty()) return 0;
    double table[CvaskLayer::Devices] = {};
    for (size_t k = 0; k < broadcastPhases.size() && k < (size_t)CvaskLayer::Devices; ++k)
        table[k] = broadcastPhases[k];
    const double cycle = CvaskLayer::Cycle;
    double start = 0.0, end = 0.0;
    double t = std::fmod(std::fmod(at, cycle) + cycle, cycle);
    // The rule compares whole milliseconds; so does this.
    if (CvaskLayer::GapWait(table, (unsigned long)t, &start, &end) == 0) return 0;
    double sinceEnd = std::fmod(t - end + 2 * cycle, cycle);
    double untilStart = std::fmod(start - t + 2 * cycle, cycle);
    return untilStart <= sinceEnd ? -1 : 1;
}

int AckWaitFor(const WireTelegram& t) {
    if (t.device == 15) return 0;  // nobody acknowledges a broadcast
    if (t.command == 'K' && (t.function == 24 || t.function == 25)) return CvaskLayer::LongAckWait;
    return CvaskLayer::AckWait;
}

WireBound ComputeWireBound(const std::vector<WireTelegram>& telegrams, int reactionMs,
                           const std::vector<double>& broadcastPhases, bool echo,
                           const std::vector<double>* keepClearOf) {
    WireBound b;
    if (telegrams.empty()) return b;
    // A timeline in the simulator's clock, from the moment the first telegram began.
    double now = (double)telegrams.front().timeMs - telegrams.front().pcBytes * kByteMs;
    // By then every device has broadcast once since the first telegram began.
    double learnt = now;
    for (double phase : broadcastPhases) {
        double cycle = CvaskLayer::Cycle;
        double first = now + std::fmod(std::fmod(phase - now, cycle) + cycle, cycle);
        learnt = std::max(learnt, first);
    }
    // The devices that answered anything: a telegram that collided on its way to one of
    // them was sent again, and the repetition is what the bound counts. To an address
    // where nobody answers it would have gone unanswered anyway.
    std::set<int> present;
    for (const WireTelegram& t : telegrams)
        if (t.deviceBytes > 0) present.insert(t.device);
    // Until the PC has read a reply it has read nothing of the line and knows no phase;
    // the gap rule then lets it send at once.
    bool cycleKnown = false;
    for (const WireTelegram& t : telegrams) {
        double start = (double)t.timeMs - t.pcBytes * kByteMs;
        if (GapDelay(start, broadcastPhases) > 0) ++b.outsideGap;
        ++b.telegrams;
        b.pcBytes += t.pcBytes;
        if (t.Collided()) {
            ++b.collisions;
            if (start >= learnt) {
                ++b.lateCollisions;
                int side = WindowSide(start, broadcastPhases);
                ++(side < 0 ? b.lateBeforeWindow : side > 0 ? b.lateAfterWindow : b.lateInWindow);
            }
            if (present.count(t.device) || t.device == 15) continue;
        }
        double gap = !cycleKnown ? 0.0
                     : keepClearOf
                         ? ClearDelay(now, t.pcBytes * kByteMs, broadcastPhases, *keepClearOf)
                         : GapDelay(now, broadcastPhases);
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
            // Without an echo to read back, the port's write under Wine returns before the
            // telegram has crossed the paced line (a pseudo-terminal has no baud rate), so
            // a wait that runs out begins with the telegram: it covers the telegram's time.
            ++b.unanswered;
            double wait = AckWaitFor(t) - (echo ? 0.0 : t.pcBytes * kByteMs);
            if (wait > 0) {
                b.ackWaitMs += wait;
                now += wait;
            }
        }
    }
    return b;
}

}  // namespace bench
