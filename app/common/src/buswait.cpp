// The window thread's wait for a bus request and the messages it holds back.
#include "buswait.h"

#include "appwait.h"
#include "windowwork.h"

#include <deque>
#include <vector>
#include <utility>

namespace {

const int kPaintsPerLook = 64;
const char kTakesInputProperty[] = "KorvanGA.TakesInputDuringBusWait";

thread_local int t_busWaits = 0;
// The bus waits the thread has begun, and where the refresh under way began.
thread_local unsigned long t_waitsBegun = 0;
thread_local bool t_refreshActive = false;
thread_local unsigned long t_refreshStart = 0;

// The calls of AfterBusWait, each with its number and window, in the order they were made.
struct AfterCall {
    unsigned long number;
    HWND hWnd;
    std::function<void()> call;
};
thread_local std::deque<AfterCall> t_afterCalls;
thread_local unsigned long t_lastAfterCall = 0;

UINT AfterCallMessage() {
    static const UINT message = ::RegisterWindowMessageA("KorvanGA.AfterBusWait");
    return message;
}

BOOL TakesInput(HWND hWnd) {
    const HWND hRoot = hWnd != NULL ? ::GetAncestor(hWnd, GA_ROOT) : NULL;
    return hRoot != NULL && ::GetPropA(hRoot, kTakesInputProperty) != NULL;
}

// What starts work when a window handles it: a command (menu, accelerator, a button's
// click), a system command, the close, the context menu, keyboard and mouse input.
// Notifications of controls that the program's own code changes pass.
BOOL StartsWork(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: return lParam == 0 || HIWORD(wParam) == BN_CLICKED;
        case WM_SYSCOMMAND:
        case WM_CLOSE:
        case WM_CONTEXTMENU: return TRUE;
        default: break;
    }
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

void RunAfterCall(unsigned long number) {
    for (auto it = t_afterCalls.begin(); it != t_afterCalls.end(); ++it) {
        if (it->number != number) continue;
        std::function<void()> call = std::move(it->call);
        t_afterCalls.erase(it);
        if (call) call();
        return;
    }
}

void DropAfterCalls(HWND hWnd) {
    for (auto it = t_afterCalls.begin(); it != t_afterCalls.end();)
        it = it->hWnd == hWnd ? t_afterCalls.erase(it) : it + 1;
}

BOOL Filter(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == AfterCallMessage() && message != 0) {
        // A posted message is not dispatched inside the wait; should a loop that does run
        // there, the call waits on.
        if (t_busWaits > 0)
            ::PostMessageA(hWnd, message, wParam, lParam);
        else
            RunAfterCall((unsigned long)wParam);
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_NCDESTROY && !t_afterCalls.empty()) DropAfterCalls(hWnd);
    if (t_busWaits == 0 || !StartsWork(message, wParam, lParam) || TakesInput(hWnd)) return FALSE;
    // Sent to the window while it waits: it comes again once the wait has ended.
    ::PostMessageA(hWnd, message, wParam, lParam);
    *pResult = 0;
    return TRUE;
}

// Dispatches the input waiting for the windows that take theirs inside the wait.
void DispatchTakenInput() {
    std::vector<HWND> windows;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM p) -> BOOL {
            if (::GetPropA(hWnd, kTakesInputProperty) != NULL && ::IsWindowVisible(hWnd))
                ((std::vector<HWND>*)p)->push_back(hWnd);
            return TRUE;
        },
        (LPARAM)&windows);
    MSG msg;
    for (HWND hWnd : windows) {
        while (::IsWindow(hWnd) && ::PeekMessageA(&msg, hWnd, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
            CWinThread* thread = AfxGetThread();
            if (thread == NULL || !thread->PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }
}

}  // namespace

BOOL IsInBusWait() { return t_busWaits > 0; }

BOOL IsUserInputWaiting() {
    // The high word: what the queue holds now, whether or not it has been looked at.
    return HIWORD(::GetQueueStatus(QS_KEY | QS_MOUSEBUTTON)) != 0;
}

CRefreshGivingWay::CRefreshGivingWay()
    : m_outerActive(t_refreshActive), m_outerStart(t_refreshStart) {
    t_refreshActive = true;
    t_refreshStart = t_waitsBegun;
}

CRefreshGivingWay::~CRefreshGivingWay() {
    t_refreshActive = m_outerActive;
    t_refreshStart = m_outerStart;
}

BOOL RefreshGivesWay() {
    return t_refreshActive && t_waitsBegun != t_refreshStart && IsUserInputWaiting();
}

void TakeInputDuringBusWait(HWND hWnd) {
    if (hWnd != NULL) ::SetPropA(hWnd, kTakesInputProperty, (HANDLE)1);
}

void AfterBusWait(HWND hWnd, std::function<void()> call) {
    const UINT message = AfterCallMessage();
    if (message == 0 || !::IsWindow(hWnd)) return;
    const unsigned long number = ++t_lastAfterCall;
    t_afterCalls.push_back({number, hWnd, std::move(call)});
    if (!::PostMessageA(hWnd, message, (WPARAM)number, 0)) t_afterCalls.pop_back();
}

void WaitForRequestWithMessages(HANDLE object) {
    if (!IsMainWindowThread()) {
        ::WaitForSingleObject(object, INFINITE);
        return;
    }
    ++t_waitsBegun;
    CWindowWork work;
    struct Depth {
        Depth() { ++t_busWaits; }
        ~Depth() { --t_busWaits; }
    } depth;
    for (;;) {
        // Only messages that came since the last look wake the wait: what stays in the
        // queue (input, timers, posted messages) waits for the request's end.
        const DWORD woken = ::MsgWaitForMultipleObjectsEx(1, &object, INFINITE, QS_ALLINPUT, 0);
        if (woken == WAIT_OBJECT_0) return;
        if (woken != WAIT_OBJECT_0 + 1) break;
        // Sent messages are handled inside each look.
        MSG msg;
        if (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
            // For the thread's loop; the rest is waited without messages.
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        // A window that paints without validating itself would come again at once.
        for (int n = 0;
             n < kPaintsPerLook && ::PeekMessageA(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE); ++n)
            ::DispatchMessageA(&msg);
        DispatchTakenInput();
    }
    ::WaitForSingleObject(object, INFINITE);
}

CBusWaitFilter::CBusWaitFilter() : m_pfnPrevious(AfxSetWndProcFilter(Filter)) {}

CBusWaitFilter::~CBusWaitFilter() { AfxSetWndProcFilter(m_pfnPrevious); }
