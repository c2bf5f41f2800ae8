// CRefreshRound: one refresh of the views, on the thread that makes it (the main frame's
// timer tick). While a round is the current one of its thread, the analyzers' device
// requests made on that thread share what the round has learnt:
//   - a device that has not answered one of the round's requests is not asked again in the
//     round: its requests fail at once, as a request that got no answer fails;
//   - a value already read in the round is not read again: the later reads get the answer
//     of the first (or its failure).
// The next round asks every device again, so a device that answers again comes back by
// itself. Requests of other threads, and requests made outside a round, are not touched.
//
// Rounds nest: an inner round (a tick handled while an outer one waits) is the current one
// until it ends; the outer one is current again afterwards.
#pragma once

class CRefreshRound {
public:
    CRefreshRound();
    ~CRefreshRound();
    CRefreshRound(const CRefreshRound&) = delete;
    CRefreshRound& operator=(const CRefreshRound&) = delete;

    // The number of the round current on the calling thread; 0 outside a round. Every round
    // has a number of its own, never 0.
    static unsigned long Current();

private:
    unsigned long m_outer;
    unsigned long m_number;
};
