// Wall and CPU time.
#include "measure.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {

double Stopwatch::ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return (double)(k.QuadPart + u.QuadPart) / 10000.0;  // 100 ns units
}

// utime + stime of /proc/<pid>/stat, read through drive Z: (the Unix root under Wine).
double Stopwatch::ServerCpuMs() const {
    if (m_serverPid == 0) return -1;
    char path[64];
    std::snprintf(path, sizeof path, "Z:\\proc\\%lu\\stat", m_serverPid);
    FILE* f = std::fopen(path, "r");
    if (f == NULL) return -1;
    char line[1024];
    size_t n = std::fread(line, 1, sizeof line - 1, f);
    std::fclose(f);
    line[n] = 0;
    // The fields after the command name in parentheses: state is field 3, utime 14, stime 15.
    const char* p = std::strrchr(line, ')');
    if (p == NULL) return -1;
    ++p;
    unsigned long long value[16] = {};
    int field = 2;
    while (*p && field < 15) {
        while (*p == ' ') ++p;
        ++field;
        char* end = NULL;
        unsigned long long v = std::strtoull(p, &end, 10);
        if (field < 16) value[field] = v;
        while (*p && *p != ' ') ++p;
    }
    if (field < 15) return -1;
    return (double)(value[14] + value[15]) * 10.0;  // clock ticks of 10 ms
}

void Stopwatch::Start() {
    m_server = ServerCpuMs();
    m_cpu = ProcessCpuMs();
    QueryPerformanceCounter(&m_start);
}

Sample Stopwatch::Stop() const {
    LARGE_INTEGER now, freq;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&freq);
    Sample s;
    s.wallMs = (double)(now.QuadPart - m_start.QuadPart) * 1000.0 / (double)freq.QuadPart;
    s.cpuMs = ProcessCpuMs() - m_cpu;
    double server = ServerCpuMs();
    if (server >= 0 && m_server >= 0) s.serverCpuMs = server - m_server;
    return s;
}

}  // namespace bench
