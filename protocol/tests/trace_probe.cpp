// A child process for the trace tests: switches every trace setting on, traces on every
// channel and through SetError and CMTimer, and writes nothing itself.
#include "utilvask.h"
#include "utilvask_seams.h"

namespace {
DWORD WINAPI FixedTime() { return 1000; }
}  // namespace

int main() {
    SetDebugSettings(9, 0xFFFFFFFFul);
    CString name("probe");
    DebugInitialize(name);
    TRACE_SERIALOUT(1, "serial out %d\n", 1);
    TRACE_SERIALIN(2, "serial in %d\n", 2);
    TRACE_MSGOUT(3, "message out %d\n", 4);
    TRACE_MSGIN(-4, "message in %d\n", 8);
    TRACE_INFO(5, "info %d\n", 16);
    TRACE_THUNK(6, "thunk %d\n", 32);
    TRACE_INFO(-7, " continued %.2x\n", 10);
    ErrorStruct_ record;
    SetError(&record, 9, 0x6B11ul);
    SetError((ErrorStruct_*)NULL, 83, 0);
    SetError((ErrorInfo_*)NULL, 5, 5);  // no record at all: no line
    ErrorInfo_ flat;
    SetError(&flat, 4, 1);
    CMTimerPlatform platform = {FixedTime, NULL, NULL, NULL};
    SetTimerPlatform(&platform);
    CMTimer::Calibrate();
    return 0;
}
