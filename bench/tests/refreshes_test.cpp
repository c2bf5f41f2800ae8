// The program benchmark's refresh counter: a refresh begins with the first analyzer's
// extended status once the others have been asked since the last one, whatever they were
// asked and however often the first analyzer was.
#include "refreshes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Telegrams as "address letter function", e.g. "1 k23".
std::vector<vasksim::SimLogEntry> Log(const std::vector<std::string>& telegrams) {
    std::vector<vasksim::SimLogEntry> log;
    for (const std::string& t : telegrams) {
        vasksim::SimLogEntry e;
        const size_t blank = t.find(' ');
        e.to = t.substr(0, blank) + "/0";
        e.command = t[blank + 1];
        e.function = std::atoi(t.c_str() + blank + 2);
        log.push_back(e);
    }
    return log;
}

// A healthy refresh of four analyzers: each one's extended status, then the selected one's
// values.
std::vector<std::string> Healthy() { return {"1 k23", "2 k23", "3 k23", "4 k23", "1 k2", "1 s8"}; }

TEST(RefreshStarts, FindsEachRefreshOnce) {
    struct Case {
        const char* what;
        std::vector<std::string> telegrams;
        std::vector<size_t> starts;
    } cases[] = {
        {"three refreshes", {}, {0, 6, 12}},
        // A late answer: the first analyzer's status read twice in a row.
        {"a read repeated", {"1 k23", "1 k23", "2 k23", "3 k23", "4 k23", "1 k23", "2 k23",
                             "3 k23", "4 k23", "1 k23"},
         {1, 5}},
        // The others silent: they are asked for their switches, nine times each.
        {"others silent", {"1 k23", "2 k3", "2 k3", "3 k3", "4 k3", "1 k23", "2 k3", "3 k3",
                           "4 k3", "1 k23"},
         {0, 5}},
        // A click selects analyzer 2 and one back: their reads, the first analyzer's status
        // among them, between two refreshes begin none.
        {"a change of selection", {"1 k23", "2 k23", "3 k23", "4 k23", "2 k2", "2 s8", "1 k23",
                                   "1 k2", "1 k23", "2 k23", "3 k23", "4 k23", "1 k23"},
         {0, 8}},
    };
    for (const std::string& t : Healthy()) cases[0].telegrams.push_back(t);
    for (int k = 0; k < 2; ++k)
        for (const std::string& t : Healthy()) cases[0].telegrams.push_back(t);
    for (const Case& c : cases)
        EXPECT_EQ(c.starts, bench::RefreshStarts(Log(c.telegrams), 1)) << c.what;
}

}  // namespace
