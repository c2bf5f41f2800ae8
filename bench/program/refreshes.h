// Where the program's refreshes begin in the simulator's log of telegrams.
#pragma once

#include <cstddef>
#include <vector>

#include "vasksim_client.h"

namespace bench {

// The indexes of the telegrams that begin a refresh: an extended-status read ("k" 23) of the
// `marker` analyzer that telegrams to at least three other analyzers follow before the
// marker's next one. Every refresh asks each analyzer for something (its extended status,
// or its switches while it does not answer) right after the marker; two reads of the
// marker in a row, and the reads that a change of the selection brings, begin none. A
// refresh still under way at the list's end, whose others have not come yet, is not listed.
std::vector<size_t> RefreshStarts(const std::vector<vasksim::SimLogEntry>& entries, int marker);

}  // namespace bench
