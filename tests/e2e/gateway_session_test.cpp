// KorvanGA.exe on twelve analyzers behind a gateway (the gateway server stand-in and the
// simulator's gateway side), left alone for five minutes with its refreshes running. The
// analyzers broadcast their measured values twice a second, as analyzers on a bus do, and
// the gateway passes every broadcast on. The traffic must go on without a pause longer than
// the program allows itself (kLongestPauseMs), and no answer may be lost.
#include "program_driver.h"

#include "vasksim_client.h"
#include "vasksim_gateway.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const DWORD kStartTime = 60000;
const DWORD kScanTime = 120000;
const DWORD kSessionMs = 5 * 60 * 1000;
const int kAnalyzers = 12;
const int64_t kRefreshPeriodMs = 1200;   // the main frame's refresh: twelve ticks of 100 ms
const int64_t kTickMs = 100;             // one tick of the main frame's timer
const int64_t kSendCompletionMs = 1000;  // the access layer's wait for a transmit's completion
const int64_t kReplyTimeoutMs = 2000;    // the gateway network's wait for an answer
// The longest the program stays silent on the bus while its refreshes run, whatever it reads
// and however long a refresh takes: within a request a try waits for its transmit's
// completion and then for the answer before the next try or the next request goes out; after
// the last request of a refresh the next refresh follows within the timer's period and a
// tick. The analyzers answer at once (REACTION 5), so every wait but these ends early.
const int64_t kLongestPauseMs = kSendCompletionMs + kReplyTimeoutMs + kRefreshPeriodMs + kTickMs;

struct Model {
    int type, components, ranges;
    const char* name;
    const char* meas;
};
// The showroom's four models (sim/scenarios/showroom.txt), repeated at addresses 1 to 12.
const Model kModels[4] = {
    {1, 2, 4, "Sindor Kiln", "412 25 40000"},
    {2, 1, 2, "Parvel Stack", "20.9 0.3 30000"},
    {7, 1, 4, "Lorvix H2", "45 5 60000"},
    {3, 1, 4, "Quenta THC", "120 30 50000"},
};

std::string AnalyzerName(int address) {
    return std::string(kModels[(address - 1) % 4].name) + " " + std::to_string(address);
}

int64_t SimClock(vasksim::SimClient& sim) {
    std::string message;
    return sim.Command("CLOCK", nullptr, &message) ? std::atoll(message.c_str()) : -1;
}

// The longest time between two of the times (in order), counted from `from` to `to`.
struct Longest {
    int64_t ms = 0, at = 0;
};
Longest LongestGap(int64_t from, const std::vector<int64_t>& times, int64_t to) {
    Longest longest;
    int64_t last = from;
    for (int64_t t : times) {
        if (t - last > longest.ms) longest = {t - last, last - from};
        last = t;
    }
    if (to - last > longest.ms) longest = {to - last, last - from};
    return longest;
}

class GatewaySession : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(sim_.Connect(&why)) << why;
        ASSERT_TRUE(sim_.Command("SCENARIO empty")) << sim_.LastError();
        for (int a = 1; a <= kAnalyzers; ++a) {
            const Model& m = kModels[(a - 1) % 4];
            const std::string address = std::to_string(a);
            ASSERT_TRUE(sim_.Command("DEVICE " + address + " type=" + std::to_string(m.type) +
                                     " components=" + std::to_string(m.components) +
                                     " ranges=" + std::to_string(m.ranges)));
            ASSERT_TRUE(sim_.Command("SET " + address + " name " + AnalyzerName(a)));
            ASSERT_TRUE(sim_.Command("SET " + address + " meas 0 " + m.meas));
            // Their broadcasts spread over the bus cycle of 500 ms.
            ASSERT_TRUE(sim_.Command("BROADCAST " + address + " " + std::to_string(40 * a)));
        }
        ASSERT_TRUE(sim_.Command("REACTION 5"));
        ASSERT_TRUE(vasksim::UseSimulatorGateway(&why)) << why;  // inherited by the program
        e2e::ClearProfile();
        folder_.reset(new e2e::ProgramFolder(e2e::OwnFolder()));
        ASSERT_TRUE(folder_->Ok());
    }
    void TearDown() override {
        program_.reset();  // ends it if it still runs
        folder_.reset();
        e2e::ClearProfile();
        sim_.Reset();
    }

    vasksim::SimClient sim_;
    std::unique_ptr<e2e::ProgramFolder> folder_;
    std::unique_ptr<e2e::Program> program_;
};

TEST_F(GatewaySession, FiveMinutesOfRefreshesThroughTheGatewayGoOnWithoutAPause) {
    program_.reset(new e2e::Program);
    e2e::Program& program = *program_;
    ASSERT_TRUE(program.Start(folder_->Exe(), "-nologo /host 127.0.0.1", folder_->BinFolder()));
    HWND hLogin =
        program.WaitFor([&] { return program.FindCaption("Access Authorization"); }, kStartTime);
    ASSERT_NE(hLogin, nullptr) << "no login";
    e2e::Press(hLogin, IDOK);
    std::vector<std::string> items;
    HWND hMain = program.WaitFor(
        [&]() -> HWND {
            items = program.TreeItems();
            // The Quenta shows its model's name in place of the device's.
            for (int a = 1; a <= kAnalyzers; ++a)
                if (!e2e::Holds(items, (a - 1) % 4 == 3 ? "Quenta" : AnalyzerName(a))) return NULL;
            if (std::count_if(items.begin(), items.end(), [](const std::string& item) {
                    return item.find("Quenta") != std::string::npos;
                }) != kAnalyzers / 4)
                return NULL;
            return program.FindDialogWithText("Searching for device") == NULL ? program.MainWindow()
                                                                              : NULL;
        },
        kScanTime);
    ASSERT_NE(hMain, nullptr) << e2e::Joined(items);

    std::string count;
    ASSERT_TRUE(sim_.Command("LOGCOUNT", nullptr, &count));
    const uint64_t before = std::strtoull(count.c_str(), nullptr, 10);
    const int64_t start = SimClock(sim_);
    ASSERT_GE(start, 0) << sim_.LastError();
    // The session: nothing is done at the program; only the simulator's clock is read now
    // and then until five minutes have gone by on it.
    int64_t now = start;
    while (now >= 0 && now - start < (int64_t)kSessionMs && program.Running()) {
        Sleep(1000);
        now = SimClock(sim_);
    }
    ASSERT_TRUE(program.Running()) << "the program ended during the session";
    ASSERT_GE(now, 0) << sim_.LastError();
    std::vector<vasksim::SimLogEntry> log;
    ASSERT_TRUE(sim_.Log(log, before + 1)) << sim_.LastError();

    std::vector<int64_t> telegrams, refreshes;
    int repeated = 0;
    for (size_t i = 0; i < log.size() && log[i].timeMs <= now; ++i) {
        const vasksim::SimLogEntry& e = log[i];
        telegrams.push_back(e.timeMs);
        // Every refresh asks the first analyzer for its extended status once.
        if (e.command == 'k' && e.function == 23 && e.to == "1/0") refreshes.push_back(e.timeMs);
        // The same request twice in a row: the first try's answer was lost.
        if (i > 0 && log[i - 1].to == e.to && log[i - 1].command == e.command &&
            log[i - 1].function == e.function)
            ++repeated;
    }
    ASSERT_GE(refreshes.size(), 2u);
    std::vector<int64_t> periods;
    for (size_t i = 1; i < refreshes.size(); ++i)
        periods.push_back(refreshes[i] - refreshes[i - 1]);
    std::sort(periods.begin(), periods.end());
    // The refresh period as it came out on this machine, shown only: a longer refresh round
    // lengthens it without leaving the bus silent, and a pause is held to what the program
    // promises, not to what it did. (The time between two refreshes is shown too: other
    // reads, such as the selected analyzer's, hold a refresh up without a pause.)
    const int64_t period = periods[periods.size() / 2];
    const Longest pause = LongestGap(start, telegrams, now);
    const Longest between = LongestGap(start, refreshes, now);
    std::printf(
        "%zu telegrams and %zu refreshes in %lld ms, the refresh period %lld ms (median); the "
        "longest pause %lld ms (from %lld ms, allowed %lld ms), the longest time between two "
        "refreshes %lld ms (from %lld ms); %d telegrams repeated\n",
        telegrams.size(), refreshes.size(), (long long)(now - start), (long long)period,
        (long long)pause.ms, (long long)pause.at, (long long)kLongestPauseMs, (long long)between.ms,
        (long long)between.at, repeated);
    for (size_t i = 0; i < log.size(); ++i)
        if (log[i].timeMs >= start + between.at && log[i].timeMs <= start + between.at + between.ms)
            std::printf("  %lld %c%d %s %s\n", (long long)(log[i].timeMs - start), log[i].command,
                        log[i].function, log[i].to.c_str(), log[i].action.c_str());
    // The telegrams on either side of the longest pause, to tell what the program was asking.
    for (size_t i = 0; i < log.size(); ++i)
        if (log[i].timeMs == start + pause.at || log[i].timeMs == start + pause.at + pause.ms)
            std::printf("  pause: %lld %c%d %s %s\n", (long long)(log[i].timeMs - start),
                        log[i].command, log[i].function, log[i].to.c_str(), log[i].action.c_str());
    EXPECT_LE(pause.ms, kLongestPauseMs) << "a pause in the traffic";
    EXPECT_EQ(0, repeated) << "answers lost";

    // The program is still what it was: it closes as asked.
    PostMessageA(hMain, WM_CLOSE, 0, 0);
    HWND hQuestion = program.WaitFor(
        [&] { return program.FindDialogWithText("Do you really want to exit"); }, 20000);
    ASSERT_NE(hQuestion, nullptr) << "no exit question";
    e2e::Press(hQuestion, IDYES);
    EXPECT_EQ(program.WaitExit(60000), 0);
}

}  // namespace
