// Where the program's refreshes begin in the simulator's log of telegrams.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace bench {

// One telegram on the line: when it began, and when its exchange was over (its answer
// received, a late one included, or the time the program waits for one given up).
struct Exchange {
    double began = 0;
    double over = 0;
};

// The indexes of the exchanges that begin a refresh: those that begin once the line has been
// free for `gapMs` since every earlier exchange was over (and since `freeFrom` for the first).
// The program's timer leaves about a second between two refreshes; within one, the next
// request follows the last answer at once, a silent analyzer's repetitions included. A
// refresh cut short by the user's input begins at another analyzer each time and is found
// all the same. Exchanges that begin within one of `skip` (the reads a selection of the user
// brings, from the input to shortly after its effect), and those that follow them at once,
// belong to the selection: they begin no refresh and do not hold the next one up.
std::vector<size_t> RefreshStarts(const std::vector<Exchange>& exchanges, double gapMs,
                                  double freeFrom,
                                  const std::vector<std::pair<double, double>>& skip = {});

}  // namespace bench
