// Where the CPU of a measurement goes.
#include "cpuaccount.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <sstream>

namespace bench {

namespace {

double FiletimeMs(const FILETIME& t) {
    return (double)(((ULONGLONG)t.dwHighDateTime << 32) | t.dwLowDateTime) / 10000.0;
}

double ThreadMs(HANDLE thread) {
    FILETIME created, ended, kernel, user;
    if (!GetThreadTimes(thread, &created, &ended, &kernel, &user)) return -1;
    return FiletimeMs(kernel) + FiletimeMs(user);
}

// utime + stime of a Unix process, from /proc/<pid>/stat through drive Z: (ticks of 10 ms).
double UnixMs(unsigned long pid) {
    char path[64];
    std::snprintf(path, sizeof path, "Z:\\proc\\%lu\\stat", pid);
    FILE* f = std::fopen(path, "r");
    if (f == NULL) return -1;
    char line[1024];
    const size_t n = std::fread(line, 1, sizeof line - 1, f);
    std::fclose(f);
    line[n] = 0;
    // The fields after the command name in parentheses: utime is field 14, stime 15.
    const char* p = std::strrchr(line, ')');
    if (p == NULL) return -1;
    std::istringstream fields(p + 1);
    std::string field;
    double ticks = 0;
    for (int k = 3; k <= 15 && fields >> field; ++k)
        if (k >= 14) ticks += std::atof(field.c_str());
    return ticks * 10.0;
}

// A file of /proc through drive Z:, whole ("" when it cannot be read).
std::string ProcFile(const std::string& path) {
    std::string name = "Z:\\proc\\" + path;
    FILE* f = std::fopen(name.c_str(), "rb");
    if (f == NULL) return "";
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
    return text;
}

// "WINEPREFIX=..." of the driver's own Unix process, as its environment holds it.
std::string OwnPrefixEntry() {
    const std::string variables = ProcFile("self\\environ");
    for (size_t at = 0; at < variables.size();) {
        const size_t end = variables.find('\0', at);
        const std::string entry = variables.substr(at, end == std::string::npos ? end : end - at);
        if (entry.compare(0, 11, "WINEPREFIX=") == 0) return entry;
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return "";
}

std::mutex g_ownMutex;
std::map<HANDLE, std::string>& OwnThreads() {
    static std::map<HANDLE, std::string> threads;
    return threads;
}

typedef LONG(WINAPI* QueryThread)(HANDLE, int, PVOID, ULONG, PULONG);

}  // namespace

double UnixProcessMs(unsigned long pid) { return UnixMs(pid); }

std::vector<UnixProcess> PrefixProcesses() {
    std::vector<UnixProcess> found;
    const std::string prefix = OwnPrefixEntry();
    if (prefix.empty()) return found;
    const std::string wanted = std::string(1, '\0') + prefix + std::string(1, '\0');
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        char* end = NULL;
        const unsigned long pid = std::strtoul(entry.cFileName, &end, 10);
        if (pid == 0 || *end != 0) continue;
        const std::string variables =
            std::string(1, '\0') + ProcFile(std::string(entry.cFileName) + "\\environ");
        if (variables.find(wanted) == std::string::npos) continue;
        std::string command = ProcFile(std::string(entry.cFileName) + "\\cmdline");
        command = command.substr(0, command.find('\0'));
        const size_t slash = command.find_last_of("/\\");
        found.push_back({pid, slash == std::string::npos ? command : command.substr(slash + 1)});
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

unsigned long FindPrefixProcess(const std::string& exe) {
    for (const UnixProcess& p : PrefixProcesses())
        if (_stricmp(p.name.c_str(), exe.c_str()) == 0) return p.pid;
    return 0;
}

CpuAccount::CpuAccount(DWORD programPid, DWORD windowThread, const std::string& programExe)
    : pid_(programPid), windowThread_(windowThread), programExe_(programExe),
      processes_(PrefixProcesses()) {}

void CpuAccount::NameOwnThread(HANDLE thread, const std::string& name) {
    std::lock_guard<std::mutex> lock(g_ownMutex);
    OwnThreads()[thread] = name;
}

// The module that holds a thread's start address ("KorvanGA.exe", "commvask.dll", ...).
std::string CpuAccount::ThreadName(DWORD tid, HANDLE thread) const {
    if (tid == windowThread_) return "program: window thread";
    static QueryThread query = (QueryThread)(void*)GetProcAddress(GetModuleHandleA("ntdll.dll"),
                                                                   "NtQueryInformationThread");
    ULONG_PTR start = 0;
    // ThreadQuerySetWin32StartAddress
    if (query == NULL || query(thread, 9, &start, sizeof start, NULL) != 0 || start == 0)
        return "program: thread of unknown start";
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid_);
    std::string name = "program: thread started in another module";
    if (process != NULL) {
        HMODULE modules[512];
        DWORD needed = 0;
        if (EnumProcessModules(process, modules, sizeof modules, &needed))
            for (DWORD k = 0; k < needed / sizeof(HMODULE) && k < 512; ++k) {
                MODULEINFO info = {};
                if (!GetModuleInformation(process, modules[k], &info, sizeof info)) continue;
                const ULONG_PTR base = (ULONG_PTR)info.lpBaseOfDll;
                if (start < base || start >= base + info.SizeOfImage) continue;
                char module[MAX_PATH] = "";
                GetModuleBaseNameA(process, modules[k], module, sizeof module);
                name = std::string("program: thread started in ") + module;
                break;
            }
        CloseHandle(process);
    }
    return name;
}

CpuTimes CpuAccount::Take() const {
    CpuTimes t;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        THREADENTRY32 thread = {};
        thread.dwSize = sizeof thread;
        for (BOOL more = Thread32First(snapshot, &thread); more;
             more = Thread32Next(snapshot, &thread)) {
            if (thread.th32OwnerProcessID != pid_) continue;
            HANDLE h = OpenThread(THREAD_QUERY_INFORMATION, FALSE, thread.th32ThreadID);
            if (h == NULL) continue;
            const double ms = ThreadMs(h);
            // By thread, so that one that ends or begins between two takes counts apart.
            if (ms >= 0)
                t[ThreadName(thread.th32ThreadID, h) + "#" + std::to_string(thread.th32ThreadID)] =
                    ms;
            CloseHandle(h);
        }
        CloseHandle(snapshot);
    }
    {
        std::lock_guard<std::mutex> lock(g_ownMutex);
        for (const auto& own : OwnThreads()) {
            const double ms = ThreadMs(own.first);
            if (ms >= 0) t["driver: " + own.second] += ms;
        }
    }
    // The set-up's Unix processes, as scripts/bench names them.
    char pids[1024] = "";
    GetEnvironmentVariableA("VASK_BENCH_PIDS", pids, sizeof pids);
    std::istringstream names(pids);
    std::string entry;
    std::vector<unsigned long> named;
    while (names >> entry) {
        const size_t eq = entry.find('=');
        if (eq == std::string::npos) continue;
        named.push_back(std::strtoul(entry.c_str() + eq + 1, NULL, 10));
        const double ms = UnixMs(named.back());
        if (ms >= 0) t["set-up: " + entry.substr(0, eq)] += ms;
    }
    // Whole processes from /proc: under Wine, GetProcessTimes gives the calling process's
    // own times whichever process it is asked about.
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof path);
    const std::string own = path;
    const std::string self = own.substr(own.find_last_of("\\/") + 1);
    for (const UnixProcess& p : processes_) {
        if (std::find(named.begin(), named.end(), p.pid) != named.end()) continue;
        const double ms = UnixMs(p.pid);
        if (ms < 0) continue;
        if (_stricmp(p.name.c_str(), programExe_.c_str()) == 0)
            t["program, all threads"] += ms;
        else if (_stricmp(p.name.c_str(), self.c_str()) == 0)
            t["driver, all threads"] += ms;
        else
            t["Wine process: " + p.name] += ms;
    }
    return t;
}

CpuTimes CpuUsed(const CpuTimes& before, const CpuTimes& after) {
    CpuTimes used;
    double threads = 0;
    for (const auto& a : after) {
        const auto b = before.find(a.first);
        const double ms = a.second - (b != before.end() ? b->second : 0.0);
        const size_t hash = a.first.find('#');
        used[a.first.substr(0, hash)] += ms;
        if (hash != std::string::npos) threads += ms;
    }
    // The program's threads that ended before the second take are in its total only.
    const auto total = used.find("program, all threads");
    if (total != used.end()) used["program: threads that ended meanwhile"] = total->second - threads;
    return used;
}

}  // namespace bench
