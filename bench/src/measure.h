// Wall time and CPU time around a piece of work: the process's own (all its threads,
// GetProcessTimes) and, when its process id is known, the Wine server's, which does the
// system-call work of the process under Wine.
#pragma once

#include <windows.h>

namespace bench {

struct Sample {
    double wallMs = 0;
    double cpuMs = 0;         // user + kernel time of this process
    double serverCpuMs = -1;  // of the Wine server; -1 when not known
};

class Stopwatch {
public:
    // serverPid: the Wine server's Unix process id, 0 when unknown.
    explicit Stopwatch(unsigned long serverPid) : m_serverPid(serverPid) {}
    void Start();
    Sample Stop() const;

private:
    static double ProcessCpuMs();
    double ServerCpuMs() const;

    unsigned long m_serverPid;
    LARGE_INTEGER m_start = {};
    double m_cpu = 0;
    double m_server = -1;
};

}  // namespace bench
