// Where the CPU of a measurement goes: every thread of the program (named by the module its
// start address lies in, the window thread apart), the driver's own threads (its probes),
// every process of the Wine prefix, and the Unix processes of the set-up that scripts/bench
// names in VASK_BENCH_PIDS ("wineserver=123 vasksim=456 socat=789 Xvfb=1011"). Whole
// processes are read from /proc through drive Z: (their Unix processes: under Wine,
// GetProcessTimes answers with the caller's own times for any process), threads with
// GetThreadTimes (which Wine reads from /proc for any process's thread).
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace bench {

// CPU milliseconds by what used them, at one moment.
using CpuTimes = std::map<std::string, double>;

// A Unix process of the driver's Wine prefix and the name of the program it runs.
struct UnixProcess {
    unsigned long pid;
    std::string name;  // "KorvanGA.exe", "explorer.exe", ...
};
// The Unix processes whose environment names the driver's own WINEPREFIX.
std::vector<UnixProcess> PrefixProcesses();
// The Unix process id of a program of the prefix ("KorvanGA.exe"); 0 when none runs.
unsigned long FindPrefixProcess(const std::string& exe);
// The CPU time a Unix process used so far (ms), all its threads, those ended included; -1
// when it cannot be read.
double UnixProcessMs(unsigned long pid);

class CpuAccount {
public:
    // `programPid`: the program's process; `windowThread`: its window thread's id;
    // `programExe`: the name of its program file.
    CpuAccount(DWORD programPid, DWORD windowThread, const std::string& programExe);
    // A thread of the driver, under a name of its own (its handle stays the caller's).
    static void NameOwnThread(HANDLE thread, const std::string& name);
    CpuTimes Take() const;

private:
    std::string ThreadName(DWORD tid, HANDLE thread) const;
    DWORD pid_;
    DWORD windowThread_;
    std::string programExe_;
    std::vector<UnixProcess> processes_;
};

// What was used between two moments, by name: a thread that began meanwhile counts from 0,
// and what the program's threads that ended meanwhile used is given apart (from its total).
CpuTimes CpuUsed(const CpuTimes& before, const CpuTimes& after);

}  // namespace bench
