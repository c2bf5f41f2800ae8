// Where the program's refreshes begin.
#include "refreshes.h"

#include <cstdlib>

namespace bench {

std::vector<size_t> RefreshStarts(const std::vector<vasksim::SimLogEntry>& entries, int marker) {
    auto isMarkerStatus = [&](const vasksim::SimLogEntry& e) {
        return (std::atoi(e.to.c_str()) & 15) == marker && e.command == 'k' && e.function == 23;
    };
    std::vector<size_t> starts;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!isMarkerStatus(entries[i])) continue;
        // The analyzers asked before the marker's next status read.
        std::vector<bool> asked(16, false);
        int others = 0;
        for (size_t k = i + 1; k < entries.size() && !isMarkerStatus(entries[k]); ++k) {
            const int address = std::atoi(entries[k].to.c_str()) & 15;
            if (address == marker || asked[address]) continue;
            asked[address] = true;
            ++others;
        }
        if (others >= 3) starts.push_back(i);
    }
    return starts;
}

}  // namespace bench
