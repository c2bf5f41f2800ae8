// The least time the bus itself needs for what a case put on the wire, computed from the
// simulator's log of the telegrams it received: every byte at 960 bytes per second in
// both directions, the devices' reaction time, acknowledgement waits that ran out in
// full, and (with cyclic broadcasts) each transmission starting only where it keeps out of
// the broadcasts: where the link layer's gap rule lets it start (the rule's bound), or at
// the earliest moment at which it meets no broadcast (the free bound, which takes nothing
// from the link layer). A telegram sent into a broadcast counts at what it cost: its time
// on the line and the acknowledgement wait that ran out, without a wait for a window (its
// repetition follows as a telegram of its own). Waits fixed by the protocol (duplicate
// test, download pauses) are added by the case. The line's and the protocol's times are
// the bench's own (the simulator's pace, the protocol's acknowledgement waits), not the
// link layer's constants.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// One telegram that the PC put on the line, as the simulator logged it.
struct WireTelegram {
    int64_t timeMs = 0;   // simulator clock, when its last byte was in
    int pcBytes = 0;      // the telegram as sent, stuffing included
    int deviceBytes = 0;  // what the devices sent about it: ACK or NAK, reply, noise
    int device = 0;       // destination device number; 15 is everybody
    char command = 0;
    int function = -1;
    std::string action;  // the simulator's account ("ack,reply", "silent", ...)
    // Sent into a device's broadcast: garbled on the line, taken by no device.
    bool Collided() const { return action.compare(0, 9, "collision") == 0; }
};

struct WireBound {
    double lineMs = 0;      // bytes of both directions at 960 per second
    double reactionMs = 0;  // the devices' reaction before each answer
    double ackWaitMs = 0;   // acknowledgement waits that ran out, beyond the telegram's own time
    double gapMs = 0;       // waits for the broadcast gap
    double collidedMs = 0;  // telegrams sent into a broadcast: line time and acknowledgement wait
    double fixedMs = 0;     // protocol waits the case adds
    int telegrams = 0;      // every telegram the PC sent, those that collided included
    int unanswered = 0;     // telegrams nobody acknowledged, apart from those that collided
    int outsideGap = 0;     // telegrams that began where the gap rule would not start one
    int collisions = 0;     // telegrams garbled by a broadcast they were sent into
    // ... of which began after every broadcasting device had broadcast once since the
    // case's first telegram, whether or not the PC could read or time that broadcast.
    int lateCollisions = 0;
    // Collisions that began after the PC could first have timed every device's broadcast:
    // after each device's first broadcast that no telegram garbled and that went out at its
    // phase from a quiet line (not held back behind a device's answer, nor right behind
    // one). Before that, a device may be one the link layer has not yet heard.
    int timedCollisions = 0;
    // Where the late ones began against the window that the gap rule opens for them with
    // the true phases: inside it (a layer that knew every broadcast exactly would
    // have sent them too: only a telegram that fits in no gap), before it opens or after it
    // has closed (the phases the layer learnt were off, or the set-up's latency moved the
    // telegram).
    int lateInWindow = 0;
    int lateBeforeWindow = 0;
    int lateAfterWindow = 0;
    long pcBytes = 0;
    long deviceBytes = 0;
    double TotalMs() const { return lineMs + reactionMs + ackWaitMs + gapMs + collidedMs + fixedMs; }
};

// How a telegram keeps out of the broadcasts in the bound.
enum class Gaps {
    // The link layer's gap rule with the true phases and lengths and no latency: each
    // telegram's window ends where it is off the line just as the next broadcast begins,
    // so the bound is that of a layer that keeps the rule and never talks into a broadcast.
    // Until the PC has read a reply it knows no phase, and the rule lets it send at once.
    Rule,
    // The earliest moment at which the telegram meets no broadcast, from the true phases
    // and lengths alone; one that fits in no gap goes at once. Nothing of the link layer:
    // what the bound falls short of the rule's is what the rule costs.
    Free,
};

// The broadcast phases (ms in the 500 ms cycle) of the devices that broadcast, as the PC
// sees them: when the broadcast's last byte is in; and how long each broadcast lasts on
// the line (ms, in the order of the phases). Both empty when none broadcasts.
// `echo`: the converter echoes what the PC sends and the port reads the echo back, so a
// write returns only once the telegram has crossed the line, as on real hardware.
WireBound ComputeWireBound(const std::vector<WireTelegram>& telegrams, int reactionMs,
                           const std::vector<double>& broadcastPhases,
                           const std::vector<double>& broadcastMs, bool echo,
                           Gaps gaps = Gaps::Rule);

// Where a telegram of `ms` on the line that began at `at` (simulator ms) lies against the
// window that the gap rule opens for it with the true phases: 0 inside it (or no window),
// -1 before it opens (nearer to its start), 1 after it has closed (nearer to its end).
int WindowSide(double at, double ms, const std::vector<double>& broadcastPhases,
               const std::vector<double>& broadcastMs);

// The acknowledgement wait the protocol fixes for a telegram nobody acknowledged (ms).
int AckWaitFor(const WireTelegram& t);

// One byte on the paced line (ms): the simulator passes 960 bytes per second.
const double kLineByteMs = 1000.0 / 960.0;
// The devices' broadcast cycle (ms).
const double kBroadcastCycleMs = 500.0;

}  // namespace bench
