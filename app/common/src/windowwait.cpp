// The window thread's one wait and the work it holds back (see windowwait.h).
#include "windowwait.h"

#include "appwait.h"
#include "windowwork.h"

#include <commctrl.h>

#include <cstring>
#include <deque>
#include <utility>
#include <vector>

namespace {

const int kPaintsPerLook = 64;
const int kPostedPerLook = 64;
const char kTakesInputProperty[] = "KorvanGA.TakesInputDuringWait";
const char kReplayClass[] = "KorvanGA.HeldWork";
const UINT kReplayMessage = WM_APP + 0x3A5;

// One thing held: a message that was posted (or taken from the queue by a dialog's loop),
// one that was sent, or a call; with the time it came.
struct Held {
    enum class Kind { Posted, Sent, Call } kind;
    DWORD time;
    MSG msg;
    std::vector<unsigned char> notify;  // a sent WM_NOTIFY's record, which lives only as long as the send
    std::function<void()> call;
};

// All of it belongs to the window thread.
thread_local int t_waits = 0;
// The waits the thread has begun, and where the refresh under way began.
thread_local unsigned long t_waitsBegun = 0;
thread_local bool t_refreshActive = false;
thread_local unsigned long t_refreshStart = 0;
thread_local std::deque<Held> t_held;
thread_local HWND t_replayWindow = NULL;
thread_local bool t_replayPosted = false;

// Whether the tick `a` came after `b` (the tick count wraps after 49 days).
bool Later(DWORD a, DWORD b) { return (LONG)(a - b) > 0; }

// The time of something that comes now: not before the user's last input, whose message
// may carry a time a little ahead of the tick count (it is the input's own).
DWORD TimeNow() {
    DWORD now = ::GetTickCount();
    LASTINPUTINFO info = {sizeof info, 0};
    if (::GetLastInputInfo(&info) && Later(info.dwTime, now)) now = info.dwTime;
    return now;
}

BOOL TakesInput(HWND hRoot) {
    return hRoot != NULL && ::GetPropA(hRoot, kTakesInputProperty) != NULL;
}

// The top-level window of `hWnd`: its first ancestor that is not a child. (GA_ROOT would
// give the one parent of every message-only window.)
HWND RootOf(HWND hWnd) {
    while (hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)) {
        const HWND hParent = ::GetAncestor(hWnd, GA_PARENT);
        if (hParent == NULL || hParent == ::GetDesktopWindow()) break;
        hWnd = hParent;
    }
    return hWnd;
}

bool Holding() { return CWindowWork::Running() > 0; }

// Whether what comes for the window now is held: while work runs, for a window that waits
// for it; while held work waits to be carried out, for every window, so that it stays behind
// what came before. The progress window takes its own.
bool HoldsFor(HWND hWnd) {
    if (!Holding() && t_held.empty()) return false;
    if (hWnd != NULL && hWnd == t_replayWindow) return false;
    if (!IsMainWindowThread()) return false;
    const HWND hRoot = RootOf(hWnd);
    if (TakesInput(hRoot)) return false;
    return !Holding() || hWnd == NULL || CWindowWork::IsWaitingWindow(hRoot);
}

bool IsInputMessage(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) ||
           message == WM_MOUSEHOVER || message == WM_MOUSELEAVE || message == WM_NCMOUSEHOVER ||
           message == WM_NCMOUSELEAVE;
}

bool IsPointerMove(UINT message) {
    return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_MOUSEHOVER ||
           message == WM_MOUSELEAVE || message == WM_NCMOUSEHOVER || message == WM_NCMOUSELEAVE;
}

// The size of the record of a notification that reports what a control did: such a
// notification starts work in its owner and is held; 0 for the rest (asking for texts, custom
// drawing, tool tips, asking leave before a change), which are answered at once.
size_t DoneNotificationSize(UINT code) {
    switch (code) {
        case NM_CLICK:
        case NM_DBLCLK:
        case NM_RCLICK:
        case NM_RDBLCLK:
        case NM_RETURN: return sizeof(NMITEMACTIVATE);
        case TCN_SELCHANGE: return sizeof(NMHDR);
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW:
        case TVN_ITEMEXPANDEDA:
        case TVN_ITEMEXPANDEDW: return sizeof(NMTREEVIEWW);
        case LVN_ITEMCHANGED:
        case LVN_COLUMNCLICK: return sizeof(NMLISTVIEW);
        case LVN_ITEMACTIVATE: return sizeof(NMITEMACTIVATE);
        case HDN_ITEMCLICKA:
        case HDN_ITEMCLICKW: return sizeof(NMHEADERW);
        default: return 0;
    }
}

// What starts work when a window handles it: a command (a menu's, an accelerator's, a
// control's notification), a system command, the close, help, the context menu, a
// notification of what a control did, keyboard and mouse input.
BOOL StartsWork(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_SYSCOMMAND:
        case WM_CLOSE:
        case WM_HELP:
        case WM_CONTEXTMENU: return TRUE;
        case WM_NOTIFY:
            return lParam != 0 && DoneNotificationSize(((const NMHDR*)lParam)->code) != 0;
        default: break;
    }
    return IsInputMessage(message);
}

// The close of the program's main window (its WM_CLOSE, or the system command that sends it).
bool IsCloseOfMainWindow(HWND hWnd, UINT message, WPARAM wParam) {
    if (message != WM_CLOSE && !(message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE))
        return false;
    CWnd* pMain = AfxGetMainWnd();
    return pMain != NULL && hWnd != NULL && hWnd == pMain->GetSafeHwnd();
}

// Whether a loop of the work's own (a box or dialog it opened, which waits for the user)
// takes the thread's messages now: the program's close is carried out there, since its
// question may end the work.
bool WorkWaitsForTheUser() { return Holding() && t_waits == 0; }

// Held work goes in the order it came: after whatever came at the same time or before.
void Hold(Held&& held) {
    auto it = t_held.end();
    while (it != t_held.begin() && Later((it - 1)->time, held.time)) --it;
    t_held.insert(it, std::move(held));
}

void HoldSent(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Held held{Held::Kind::Sent, TimeNow(), MSG(), {}, {}};
    held.msg.hwnd = hWnd;
    held.msg.message = message;
    held.msg.wParam = wParam;
    held.msg.lParam = lParam;
    if (message == WM_NOTIFY) {
        const size_t size = DoneNotificationSize(((const NMHDR*)lParam)->code);
        held.notify.assign((const unsigned char*)lParam, (const unsigned char*)lParam + size);
    }
    Hold(std::move(held));
}

void HoldRetrieved(const MSG& msg) {
    Held held{Held::Kind::Posted, msg.time, msg, {}, {}};
    Hold(std::move(held));
}

// ---- carrying out what was held ---------------------------------------------------------------

void ReplayNext();

LRESULT CALLBACK ReplayProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kReplayMessage) {
        ReplayNext();
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

HWND ReplayWindow() {
    if (t_replayWindow != NULL && ::IsWindow(t_replayWindow)) return t_replayWindow;
    static const bool registered = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ReplayProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.lpszClassName = kReplayClass;
        return ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    t_replayWindow = registered ? ::CreateWindowExA(0, kReplayClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                                    NULL, ::GetModuleHandleA(NULL), NULL)
                                : NULL;
    return t_replayWindow;
}

// While nothing is held back any more, what is held is carried out one at a time, each from
// the loop that runs then (a dialog's that an earlier one opened as well).
void ScheduleReplay() {
    if (Holding() || t_held.empty() || t_replayPosted) return;
    const HWND hWnd = ReplayWindow();
    if (hWnd != NULL && ::PostMessageA(hWnd, kReplayMessage, 0, 0)) t_replayPosted = true;
}

// A message taken from the queue as the thread's loop handles it.
void DispatchAsLoop(MSG& msg) {
    CWinThread* thread = AfxGetThread();
    if (thread != NULL && thread->PreTranslateMessage(&msg)) return;
    // A dialog that the class library does not know of (a box) handles its keys itself.
    const HWND hRoot = RootOf(msg.hwnd);
    if (hRoot != NULL && CWnd::FromHandlePermanent(hRoot) == NULL) {
        char className[16] = "";
        ::GetClassNameA(hRoot, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0 && ::IsDialogMessageA(hRoot, &msg)) return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
}

void CarryOut(Held& held) {
    const HWND hWnd = held.msg.hwnd;
    if (hWnd != NULL && !::IsWindow(hWnd)) return;
    switch (held.kind) {
        case Held::Kind::Posted: DispatchAsLoop(held.msg); break;
        case Held::Kind::Sent:
            ::SendMessageA(hWnd, held.msg.message, held.msg.wParam,
                           held.notify.empty() ? held.msg.lParam : (LPARAM)held.notify.data());
            break;
        case Held::Kind::Call:
            if (held.call) held.call();
            break;
    }
}

void ReplayNext() {
    t_replayPosted = false;
    if (Holding() || t_held.empty()) return;
    // The user's input that came before the oldest held work goes first, as the loop would
    // have taken it.
    MSG input;
    if (::PeekMessageA(&input, NULL, 0, 0, PM_NOREMOVE | PM_QS_INPUT) &&
        !Later(input.time, t_held.front().time)) {
        ScheduleReplay();
        if (::PeekMessageA(&input, NULL, 0, 0, PM_REMOVE | PM_QS_INPUT)) DispatchAsLoop(input);
        return;
    }
    Held held = std::move(t_held.front());
    t_held.pop_front();
    // The rest comes after it, also when it opens a loop of its own.
    ScheduleReplay();
    CarryOut(held);
}

// The closes held for the main window, taken out of the held work in their order.
std::vector<Held> TakeHeldCloses() {
    std::vector<Held> closes;
    for (auto it = t_held.begin(); it != t_held.end();) {
        if (it->kind != Held::Kind::Call &&
            IsCloseOfMainWindow(it->msg.hwnd, it->msg.message, it->msg.wParam)) {
            closes.push_back(std::move(*it));
            it = t_held.erase(it);
        } else {
            ++it;
        }
    }
    return closes;
}

// The closes held for the main window come again for the loop that runs now.
void ReleaseHeldCloses() {
    for (auto it = t_held.begin(); it != t_held.end();) {
        if (it->kind != Held::Kind::Call &&
            IsCloseOfMainWindow(it->msg.hwnd, it->msg.message, it->msg.wParam)) {
            ::PostMessageA(it->msg.hwnd, it->msg.message, it->msg.wParam, it->msg.lParam);
            it = t_held.erase(it);
        } else {
            ++it;
        }
    }
}

void DropHeldFor(HWND hWnd) {
    for (auto it = t_held.begin(); it != t_held.end();)
        it = it->msg.hwnd == hWnd ? t_held.erase(it) : it + 1;
}

// ---- the rule's filter and hooks --------------------------------------------------------------

BOOL Filter(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_NCDESTROY && !t_held.empty()) DropHeldFor(hWnd);
    if (!HoldsFor(hWnd)) return FALSE;
    // A timer that a dialog's loop dispatches while work runs comes again after it.
    if ((message == WM_TIMER || message == 0x0118 /* WM_SYSTIMER */) && Holding()) {
        *pResult = 0;
        return TRUE;
    }
    // What the thread's own code sends its windows is its work; what comes from another
    // thread or program (and what a control does at its bidding) waits.
    if (!::InSendMessage() || !StartsWork(message, wParam, lParam)) return FALSE;
    if (WorkWaitsForTheUser() && IsCloseOfMainWindow(hWnd, message, wParam)) return FALSE;
    HoldSent(hWnd, message, wParam, lParam);
    *pResult = 0;
    return TRUE;
}

// Whether a message that a loop takes from the queue now is held.
bool HoldsRetrieved(const MSG& msg) {
    switch (msg.message) {
        case WM_NULL:
        case WM_QUIT:
        case WM_PAINT:
        case WM_TIMER:
        case 0x0118:  // WM_SYSTIMER
            return false;
        default: break;
    }
    if (!HoldsFor(msg.hwnd)) return false;
    if (WorkWaitsForTheUser() && IsCloseOfMainWindow(msg.hwnd, msg.message, msg.wParam))
        return false;
    if (IsInputMessage(msg.message)) {
        // Input waits in the queue and is weighed against what is held by its time; only a
        // dialog's loop that takes it while work runs hands it over.
        return Holding() && !IsPointerMove(msg.message);
    }
    return true;
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && lParam != 0) {
        if (WorkWaitsForTheUser() && !t_held.empty()) ReleaseHeldCloses();
        MSG* msg = (MSG*)lParam;
        if (HoldsRetrieved(*msg)) {
            HoldRetrieved(*msg);
            msg->message = WM_NULL;
            msg->wParam = 0;
            msg->lParam = 0;
        }
    }
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && Holding()) {
        const CREATESTRUCTA* cs = ((const CBT_CREATEWNDA*)lParam)->lpcs;
        if (!(cs->style & WS_CHILD) || cs->hwndParent == HWND_MESSAGE)
            CWindowWork::NoteWindowMade((HWND)wParam);
    }
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}

// ---- the wait ---------------------------------------------------------------------------------

// Takes the posted messages: the hook holds what waits; the rest (the progress window's, the
// replay's) is handled now. Timers stay for later. FALSE at a WM_QUIT, which is posted again.
bool TakePosted() {
    static const struct {
        UINT first, last;
    } kRanges[] = {{0, WM_TIMER - 1}, {WM_TIMER + 1, 0x0117}, {0x0119, 0xFFFFFFFF}};
    for (const auto& range : kRanges) {
        MSG msg;
        for (int n = 0; n < kPostedPerLook &&
                        ::PeekMessageA(&msg, NULL, range.first, range.last, PM_REMOVE | PM_QS_POSTMESSAGE);
             ++n) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage((int)msg.wParam);
                return false;
            }
            if (msg.message != WM_NULL) DispatchAsLoop(msg);
        }
    }
    return true;
}

// Dispatches the input waiting for the windows that take theirs inside the wait.
void DispatchTakenInput() {
    std::vector<HWND> windows;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM p) -> BOOL {
            if (TakesInput(hWnd) && ::IsWindowVisible(hWnd))
                ((std::vector<HWND>*)p)->push_back(hWnd);
            return TRUE;
        },
        (LPARAM)&windows);
    MSG msg;
    for (HWND hWnd : windows) {
        while (::IsWindow(hWnd) && ::PeekMessageA(&msg, hWnd, 0, 0, PM_REMOVE | PM_QS_INPUT))
            DispatchAsLoop(msg);
    }
}

// One look at what has come: false at a WM_QUIT.
bool Look(bool paints) {
    if (!TakePosted()) return false;
    MSG msg;
    // A window that paints without validating itself would come again at once.
    for (int n = 0;
         paints && n < kPaintsPerLook && ::PeekMessageA(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE); ++n)
        ::DispatchMessageA(&msg);
    DispatchTakenInput();
    // What is sent comes inside each look; one more for what came during the rest.
    ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    return true;
}

struct WaitDepth {
    WaitDepth() { ++t_waits; }
    ~WaitDepth() { --t_waits; }
};

}  // namespace

// ---- the interface ----------------------------------------------------------------------------

WaitEnd WaitOnWindowThread(HANDLE object, DWORD milliseconds) {
    const DWORD count = object != NULL ? 1 : 0;
    if (!IsMainWindowThread()) {
        if (!count && milliseconds == INFINITE) return WaitEnd::Failed;
        const DWORD r = count ? ::WaitForSingleObject(object, milliseconds)
                              : (::Sleep(milliseconds), WAIT_TIMEOUT);
        return r == WAIT_OBJECT_0 ? WaitEnd::Signalled
                                  : r == WAIT_TIMEOUT ? WaitEnd::Time : WaitEnd::Failed;
    }
    ++t_waitsBegun;
    CWindowWork work;
    WaitDepth depth;
    const bool limited = milliseconds != INFINITE;
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    for (;;) {
        DWORD timeout = INFINITE;
        if (limited) {
            const ULONGLONG now = ::GetTickCount64();
            timeout = now < deadline ? (DWORD)(deadline - now) : 0;
        }
        // Only messages that came since the last look wake the wait: what stays in the queue
        // (input, timers) waits for its end.
        const DWORD woken =
            ::MsgWaitForMultipleObjectsEx(count, count ? &object : NULL, timeout, QS_ALLINPUT, 0);
        if (count && woken == WAIT_OBJECT_0) return WaitEnd::Signalled;
        if (woken == WAIT_TIMEOUT) return WaitEnd::Time;
        if (woken != WAIT_OBJECT_0 + count) return WaitEnd::Failed;
        if (!Look(true)) return WaitEnd::Quit;
        if (limited && ::GetTickCount64() >= deadline) return WaitEnd::Time;
    }
}

void WaitForRequestWithMessages(HANDLE object) {
    const WaitEnd end = WaitOnWindowThread(object, INFINITE);
    if (end == WaitEnd::Signalled) return;
    // The request must still end; after a WM_QUIT its sender may still send to this thread.
    while (end == WaitEnd::Quit) {
        const DWORD woken = ::MsgWaitForMultipleObjectsEx(1, &object, INFINITE, QS_SENDMESSAGE, 0);
        if (woken == WAIT_OBJECT_0) return;
        if (woken != WAIT_OBJECT_0 + 1) break;
        MSG msg;
        ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    ::WaitForSingleObject(object, INFINITE);
}

void LookAtWindowMessages() {
    if (!IsMainWindowThread()) return;
    {
        CWindowWork work;
        WaitDepth depth;
        Look(false);
    }
    // The program's close ends the work whose progress the window shows: it is asked here,
    // as the window's Cancel is.
    if (t_held.empty()) return;
    for (Held& close : TakeHeldCloses()) CarryOut(close);
}

BOOL IsInWindowWait() { return t_waits > 0; }

BOOL WouldRunOutOfTurn(HWND hWnd) { return HoldsFor(hWnd) && ::InSendMessage(); }

BOOL IsUserInputWaiting() {
    // The high word: what the queue holds now, whether or not it has been looked at.
    return HIWORD(::GetQueueStatus(QS_KEY | QS_MOUSEBUTTON)) != 0 || !t_held.empty();
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

void TakeInputDuringWait(HWND hWnd) {
    if (hWnd != NULL) ::SetPropA(hWnd, kTakesInputProperty, (HANDLE)1);
}

void RunAfterWait(HWND hWnd, std::function<void()> call) {
    if (!::IsWindow(hWnd)) return;
    Held held{Held::Kind::Call, TimeNow(), MSG(), {}, std::move(call)};
    held.msg.hwnd = hWnd;
    Hold(std::move(held));
    ScheduleReplay();
}

void NoteWindowWorkEnded() { ScheduleReplay(); }

CWindowWaitRule::CWindowWaitRule()
    : m_pfnPrevious(AfxSetWndProcFilter(Filter)),
      m_hGetMessage(::SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, NULL, ::GetCurrentThreadId())),
      m_hCbt(::SetWindowsHookExA(WH_CBT, CbtHook, NULL, ::GetCurrentThreadId())) {}

CWindowWaitRule::~CWindowWaitRule() {
    if (m_hCbt != NULL) ::UnhookWindowsHookEx(m_hCbt);
    if (m_hGetMessage != NULL) ::UnhookWindowsHookEx(m_hGetMessage);
    AfxSetWndProcFilter(m_pfnPrevious);
}

// ---- the program's waits ----------------------------------------------------------------------

#include "programwaits.h"

CProgramWaits::CProgramWaits()
    : m_previousCallerWait(CvaskAccess::SetCallerWait(WaitForRequestWithMessages)) {}

CProgramWaits::~CProgramWaits() { CvaskAccess::SetCallerWait(m_previousCallerWait); }
