// Where the program's refreshes begin.
#include "refreshes.h"

#include <algorithm>

namespace bench {

std::vector<size_t> RefreshStarts(const std::vector<Exchange>& exchanges, double gapMs,
                                  double freeFrom,
                                  const std::vector<std::pair<double, double>>& skip) {
    // A selection's reads follow one another at once: those after its window belong to it.
    const double kChainMs = 100;
    std::vector<size_t> starts;
    double free = freeFrom;
    double selectionOver = -1e300;
    for (size_t i = 0; i < exchanges.size(); ++i) {
        const Exchange& e = exchanges[i];
        const bool inWindow = std::any_of(skip.begin(), skip.end(), [&](const auto& window) {
            return window.first <= e.began && e.began <= window.second;
        });
        // A selection's reads neither begin a refresh nor hold the next one up.
        if (inWindow || e.began - selectionOver <= kChainMs) {
            selectionOver = e.over;
            continue;
        }
        selectionOver = -1e300;
        if (e.began - free >= gapMs) starts.push_back(i);
        free = std::max(free, e.over);
    }
    return starts;
}

}  // namespace bench
