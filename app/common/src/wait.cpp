// Waits that keep the calling thread's window messages flowing.
#include "appwait.h"

#include "windowwork.h"

#include "vaskfc.h"

#include <atomic>

namespace {

std::atomic<int> g_divisor{1};

enum class WaitEnd { Time, Signalled, Quit, Failed };

HWND MainWindowHandle() {
    CWnd* pMain = AfxGetMainWnd();
    return pMain != NULL ? pMain->GetSafeHwnd() : NULL;
}

}  // namespace

BOOL HandleOneMessage(UINT nKinds) {
    // The caller waits while the message is handled: a close it brings stays pending.
    CWindowWork work;
    // Sent messages are handled inside PeekMessage; a posted one is dispatched here.
    MSG msg;
    if (!PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE | nKinds)) return TRUE;
    if (msg.message == WM_QUIT) {
        // The thread's message loop must still see it.
        PostQuitMessage((int)msg.wParam);
        return FALSE;
    }
    CWinThread* thread = AfxGetThread();
    if (thread == NULL || !thread->PreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return TRUE;
}

namespace {

// Waits for the object (none: only the time) up to `milliseconds` (INFINITE: no limit),
// dispatching each message as it comes. The object is looked at before every message and the
// time after each, so a flood of messages holds neither the object nor the deadline back.
WaitEnd Wait(HANDLE object, DWORD milliseconds) {
    const bool limited = milliseconds != INFINITE;
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    const DWORD count = object != NULL ? 1 : 0;
    for (;;) {
        DWORD timeout = INFINITE;
        if (limited) {
            const ULONGLONG now = GetTickCount64();
            timeout = now < deadline ? (DWORD)(deadline - now) : 0;
        }
        const DWORD woken = MsgWaitForMultipleObjectsEx(count, count ? &object : NULL, timeout,
                                                        QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (count && woken == WAIT_OBJECT_0) return WaitEnd::Signalled;
        if (woken != WAIT_TIMEOUT) {
            if (woken != WAIT_OBJECT_0 + count) return WaitEnd::Failed;
            if (!HandleOneMessage()) return WaitEnd::Quit;
        }
        if (limited && GetTickCount64() >= deadline) return WaitEnd::Time;
    }
}

}  // namespace

BOOL IsMainWindowThread() {
    const HWND hMain = MainWindowHandle();
    return hMain != NULL && GetWindowThreadProcessId(hMain, NULL) == GetCurrentThreadId();
}

void SetProgramWaitDivisor(int divisor) { g_divisor = divisor >= 1 ? divisor : 1; }

void ProgramWait(DWORD milliseconds) {
    if (milliseconds == INFINITE) milliseconds = INFINITE - 1;
    Wait(NULL, milliseconds / (DWORD)g_divisor.load());
}

void WaitWithMessages(int seconds) {
    if (seconds <= 0) return;
    const ULONGLONG ms = (ULONGLONG)seconds * 1000;
    ProgramWait(ms < INFINITE ? (DWORD)ms : INFINITE - 1);
}

BOOL WaitForObjectWithMessages(HANDLE object, DWORD milliseconds) {
    if (object == NULL) return FALSE;
    return Wait(object, milliseconds) == WaitEnd::Signalled;
}
