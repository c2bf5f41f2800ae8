// The trace channels. Their sink writes nothing unless a developer names a file in the
// environment variable VASK_TRACE (read once, when the first line is traced);
// VASK_TRACE_MASK then limits the channels (default: all).
#include "vaskerror.h"

#include "internal.h"

#include <atomic>
#include <stdio.h>
#include <stdlib.h>

namespace {

std::atomic<int> g_level(0);
std::atomic<unsigned long> g_mask(0);

INIT_ONCE g_sinkOnce = INIT_ONCE_STATIC_INIT;
SRWLOCK g_sinkLock = SRWLOCK_INIT;
HANDLE g_sinkFile = INVALID_HANDLE_VALUE;
unsigned long g_sinkMask = 0;

BOOL CALLBACK OpenSink(PINIT_ONCE, PVOID, PVOID*) {
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("VASK_TRACE", path, sizeof path);
    if (n == 0 || n >= sizeof path) return TRUE;
    g_sinkMask = 0xFFFFFFFFul;
    char mask[32];
    DWORD m = GetEnvironmentVariableA("VASK_TRACE_MASK", mask, sizeof mask);
    if (m > 0 && m < sizeof mask) g_sinkMask = strtoul(mask, NULL, 0);
    g_sinkFile = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    return TRUE;
}

void Sink(int level, unsigned long channel, const char* format, va_list args) {
    InitOnceExecuteOnce(&g_sinkOnce, OpenSink, NULL, NULL);
    if (g_sinkFile == INVALID_HANDLE_VALUE || (g_sinkMask & channel) == 0 || format == NULL) return;
    char line[1024];
    int n = vsnprintf(line, sizeof line, format, args);
    if (n < 0 || n >= (int)sizeof line) n = (int)sizeof line - 1;
    AcquireSRWLockExclusive(&g_sinkLock);
    DWORD written = 0;
    WriteFile(g_sinkFile, line, (DWORD)n, &written, NULL);
    ReleaseSRWLockExclusive(&g_sinkLock);
}

}  // namespace

#define VASK_TRACE_CHANNEL(name, channel)           \
    void name(int level, const char* format, ...) { \
        va_list args;                               \
        va_start(args, format);                     \
        Sink(level, channel, format, args);         \
        va_end(args);                               \
    }

VASK_TRACE_CHANNEL(TRACE_SERIALOUT, TRACE_MASK_SERIALOUT)
VASK_TRACE_CHANNEL(TRACE_SERIALIN, TRACE_MASK_SERIALIN)
VASK_TRACE_CHANNEL(TRACE_MSGOUT, TRACE_MASK_MSGOUT)
VASK_TRACE_CHANNEL(TRACE_MSGIN, TRACE_MASK_MSGIN)
VASK_TRACE_CHANNEL(TRACE_INFO, TRACE_MASK_INFO)
VASK_TRACE_CHANNEL(TRACE_THUNK, TRACE_MASK_THUNK)

void SetDebugSettings(int level, unsigned long mask) {
    g_level = level;
    g_mask = mask;
}

void GetDebugSettings(int& level, unsigned long& mask) {
    level = g_level;
    mask = g_mask;
}

void DebugInitialize(CString&) {}
