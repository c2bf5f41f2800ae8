// The measurement log in the program's main frame: the log writes into the program folder
// ("prot.txt", ";" between the values, rows ended by the thread), and the logging thread and
// the log library read one clock that the test sets in whole seconds. The test waits for the
// thread's polls by the clock's reads.
#pragma once

#include "document_fixture.h"

#include "nuraprotocol.h"

#include <atomic>
#include <sstream>

namespace frametest {

class LogClock {
public:
    // Both clocks follow `Set` from now on; the real ones again at the end.
    LogClock() {
        s_now = CTime(2026, 3, 2, 10, 0, 0).GetTime();
        s_reads = 0;
        s_lastTick = 0;
        s_shortestGap = -1;
        SetLoggingClock(&LogClock::ReadByThread);
        CnuraProtocol::SetClock(&LogClock::Read);
    }
    ~LogClock() {
        SetLoggingClock(NULL);
        CnuraProtocol::SetClock(NULL);
    }
    LogClock(const LogClock&) = delete;
    LogClock& operator=(const LogClock&) = delete;

    static CTime Start() { return CTime(2026, 3, 2, 10, 0, 0); }
    // The clock `seconds` after the start (negative: before).
    void Set(int seconds) { s_now = Start().GetTime() + seconds; }
    // Waits until the thread has polled twice more (a whole poll with the time set); false
    // after 20 s.
    bool Polls(int count = 2) {
        const int target = s_reads + count;
        return wkit::Driver::PumpUntil([&] { return s_reads >= target; }, 20000);
    }
    // Sets the time and waits for the polls that follow.
    bool At(int seconds) {
        Set(seconds);
        return Polls();
    }
    // The shortest time between two polls of the thread (ms) since the last call, -1 when
    // there were fewer than two polls.
    long long TakeShortestGap() {
        s_lastTick = 0;
        return s_shortestGap.exchange(-1);
    }

private:
    // The thread reads its clock once per poll; the log library reads its own more often.
    static CTime ReadByThread() {
        const long long tick = (long long)GetTickCount64();
        const long long last = s_lastTick.exchange(tick);
        if (last != 0) {
            long long shortest = s_shortestGap.load();
            while ((shortest < 0 || tick - last < shortest) &&
                   !s_shortestGap.compare_exchange_weak(shortest, tick - last)) {}
        }
        ++s_reads;
        return Read();
    }
    static CTime Read() { return CTime((time_t)s_now.load()); }
    static inline std::atomic<long long> s_now{0};
    static inline std::atomic<int> s_reads{0};
    static inline std::atomic<long long> s_lastTick{0};
    static inline std::atomic<long long> s_shortestGap{-1};
};

// The log of the document into the folder: "prot.txt" (its first file "prot0000.txt"), ";"
// after each value, rows as long as the thread makes them, a cycle of 5 s, no time window.
inline void SetUpLog(CPCVaskDoc* pDoc, const std::string& folder) {
    CnuraProtocol* pLog = pDoc->GetProtocol();
    pLog->SetFileName((folder + "\\prot.txt").c_str());
    pLog->SetSeparator(";");
    pLog->SetNumColumns(0);
    pLog->SetCycleTime(5000);
    // Times of the settings sheet's range, not in force.
    pLog->SetBeginTime(FALSE, LogClock::Start());
    pLog->SetEndTime(FALSE, LogClock::Start());
}

// The log's first file in the folder, line by line (the stamp lines included).
inline std::vector<std::string> LogLines(const std::string& folder) {
    std::vector<std::string> lines;
    std::istringstream in(shelltest::ReadFile(folder + "\\prot0000.txt"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The rows: the lines that begin with the start's date and a time.
inline std::vector<std::string> LogRows(const std::string& folder) {
    std::vector<std::string> rows;
    for (const std::string& line : LogLines(folder))
        if (line.rfind("02.03.2026;1", 0) == 0 || line.rfind("02.03.2026;0", 0) == 0)
            rows.push_back(line);
    return rows;
}

inline std::vector<std::string> Fields(const std::string& row) {
    std::vector<std::string> fields;
    std::istringstream in(row);
    for (std::string field; std::getline(in, field, ';');) fields.push_back(field);
    return fields;
}

// The frame's logging thread while it runs (a handle of the caller's), NULL when none runs.
inline HANDLE LoggingThreadOf(CTestFrame* pFrame) {
    HANDLE thread = NULL;
    if (pFrame->LoggingThread() != NULL)
        DuplicateHandle(GetCurrentProcess(), pFrame->LoggingThread(), GetCurrentProcess(), &thread,
                        SYNCHRONIZE, FALSE, 0);
    return thread;
}

// Whether the thread ends within 20 s; the handle is closed.
inline bool Ended(HANDLE thread) {
    const bool ended = wkit::Driver::PumpUntil(
        [&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 20000);
    CloseHandle(thread);
    return ended;
}

}  // namespace frametest
