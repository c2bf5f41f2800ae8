// The program's timed waits, on the one wait of the window thread.
#include "appwait.h"

#include "windowwait.h"

#include "vaskfc.h"

#include <atomic>

namespace {

std::atomic<int> g_divisor{1};

}  // namespace

BOOL IsMainWindowThread() {
    CWnd* pMain = AfxGetMainWnd();
    const HWND hMain = pMain != NULL ? pMain->GetSafeHwnd() : NULL;
    return hMain != NULL && GetWindowThreadProcessId(hMain, NULL) == GetCurrentThreadId();
}

void SetProgramWaitDivisor(int divisor) { g_divisor = divisor >= 1 ? divisor : 1; }

void ProgramWait(DWORD milliseconds) {
    if (milliseconds == INFINITE) milliseconds = INFINITE - 1;
    WaitOnWindowThread(NULL, milliseconds / (DWORD)g_divisor.load());
}

void WaitWithMessages(int seconds) {
    if (seconds <= 0) return;
    const ULONGLONG ms = (ULONGLONG)seconds * 1000;
    ProgramWait(ms < INFINITE ? (DWORD)ms : INFINITE - 1);
}

BOOL WaitForObjectWithMessages(HANDLE object, DWORD milliseconds) {
    if (object == NULL) return FALSE;
    return WaitOnWindowThread(object, milliseconds) == WaitEnd::Signalled;
}
