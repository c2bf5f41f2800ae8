// The program benchmark's refresh counter: a refresh begins where the line has been free for
// a while since every earlier exchange was over, whichever analyzer it asks first; a silent
// analyzer's time-outs and late answers inside a refresh begin none, nor do the reads a
// selection of the user brings.
#include "refreshes.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

using bench::Exchange;

const double kGapMs = 600;
const double kLongAgo = -std::numeric_limits<double>::infinity();

// A refresh at `at`: `count` requests, each answered after `answerMs`, the next one at once.
void Refresh(std::vector<Exchange>& log, double at, int count, double answerMs = 15) {
    for (int i = 0; i < count; ++i) {
        log.push_back({at, at + answerMs});
        at += answerMs + 3;
    }
}

TEST(RefreshStarts, FindsEachRefreshOnceWhateverItsRequestsWait) {
    struct Case {
        const char* what;
        std::vector<Exchange> log;
        std::vector<size_t> starts;
        double freeFrom = kLongAgo;
        std::vector<std::pair<double, double>> skip;
    };
    std::vector<Case> cases;
    {
        Case c;
        c.what = "three healthy refreshes, 1.2 s apart";
        for (int k = 0; k < 3; ++k) Refresh(c.log, 1200.0 * k, 6);
        c.starts = {0, 6, 12};
        cases.push_back(c);
    }
    {
        // A silent analyzer: asked, no answer for the second the program waits, asked again.
        Case c;
        c.what = "a silent analyzer's time-outs";
        Refresh(c.log, 0, 2);
        c.log.push_back({40, 1040});
        c.log.push_back({1045, 2045});
        Refresh(c.log, 2050, 2);
        Refresh(c.log, 3300, 3);
        c.starts = {0, 6};
        cases.push_back(c);
    }
    {
        Case c;
        c.what = "answers 800 ms late";
        Refresh(c.log, 0, 4, 810);
        Refresh(c.log, 4500, 4, 810);
        c.starts = {0, 4};
        cases.push_back(c);
    }
    {
        // The user's click between two refreshes: the reads of the selection begin none.
        Case c;
        c.what = "a selection's reads";
        Refresh(c.log, 0, 4);
        Refresh(c.log, 700, 3);  // the click at 650 shown at 690
        Refresh(c.log, 1200, 4);
        // Another click whose reads wait for late answers, beyond its window.
        c.log.push_back({1900, 2710});
        c.log.push_back({2712, 3520});
        Refresh(c.log, 3700, 2);
        c.skip = {{650, 690 + 300}, {1850, 1880 + 300}};
        c.starts = {0, 7, 13};
        cases.push_back(c);
    }
    {
        // The list begins while a refresh may be under way: its first telegram is no start
        // unless the line was free long enough before it.
        Case c;
        c.what = "a list that begins inside a refresh";
        Refresh(c.log, 100, 3);
        Refresh(c.log, 1300, 3);
        c.freeFrom = 0;
        c.starts = {3};
        cases.push_back(c);
    }
    for (const Case& c : cases)
        EXPECT_EQ(c.starts, bench::RefreshStarts(c.log, kGapMs, c.freeFrom, c.skip)) << c.what;
}

}  // namespace
