// The window thread's one wait, and the work it holds back.
//
// The rule: while the thread of the program's main window waits (for a bus request, for a
// fixed time, for another thread) or runs work that lets window messages through (a
// CWindowWork: a transfer, a download, a scan), the windows that were open when it began
// handle only what starts no work: what other threads and programs send them to ask
// something, and paints; only a window marked with TakeInputDuringWait (the progress window,
// whose Cancel ends the work) takes its input. Everything else that comes for them meanwhile
// is held: messages posted to them, input that a dialog's loop takes for them, commands,
// clicks, closes and notifications that another thread or program sends them (answered with
// 0), and calls handed to RunAfterWait. Once the last wait or work has ended it is carried out
// in the order it came, the user's input that waited in the queue among it by its time;
// until then what comes is held behind it. Timers are not held: they come again. The close
// of the main window is held as well, but while work runs it is carried out where the work
// takes the user's word: at its progress window's look for Cancel, or in a box or dialog of
// its own; like Cancel, the close's question may end the work.
#pragma once

#include "vaskfc.h"

#include <functional>

enum class WaitEnd { Signalled, Time, Quit, Failed };

// The one wait. Returns once `object` is signalled (and taken), once `milliseconds` have
// passed (INFINITE: no limit; `object` NULL: only the time), at a WM_QUIT (posted again for
// the thread's loop), or at once for a handle that cannot be waited for. On other threads
// than the one of the program's main window it blocks without messages.
WaitEnd WaitOnWindowThread(HANDLE object, DWORD milliseconds);

// The caller's wait for a bus request (CvaskAccess::SetCallerWait): the one wait until
// `object` is signalled; after a WM_QUIT the rest is waited answering only what is sent.
void WaitForRequestWithMessages(HANDLE object);

// One look at the thread's messages without waiting, under the wait's rule: what is sent
// is answered and the progress window takes its input (paints are left to the next wait).
// A close of the main window that was held is carried out after the look: like the
// progress window's Cancel, its question may end the work.
void LookAtWindowMessages();

// Whether the calling thread is inside WaitOnWindowThread.
BOOL IsInWindowWait();

// Whether work that a window of the calling thread is sent now would run out of turn: it is
// held by the rule above. A handler that answers before it acts (a selection about to change)
// refuses then and hands its work to RunAfterWait.
BOOL WouldRunOutOfTurn(HWND hWnd);

// Whether a key or a mouse button of the user waits in the calling thread's queue, or held
// work waits to be carried out.
BOOL IsUserInputWaiting();

// A refresh that gives way to the user's input: while one is under way on the calling
// thread, RefreshGivesWay() says whether it should stop where it is and leave the rest to
// the next refresh: input or held work waits, and the refresh has already waited for one
// request (so that every refresh asks something). Slow or silent analyzers then hold a
// click up by the request under way, not by a whole round. Outside such a refresh it is
// always FALSE.
class CRefreshGivingWay {
public:
    CRefreshGivingWay();
    ~CRefreshGivingWay();
    CRefreshGivingWay(const CRefreshGivingWay&) = delete;
    CRefreshGivingWay& operator=(const CRefreshGivingWay&) = delete;

private:
    bool m_outerActive;
    unsigned long m_outerStart;
};
BOOL RefreshGivesWay();

// Marks a window (and its children) as one that takes its input inside the wait.
void TakeInputDuringWait(HWND hWnd);

// Runs `call` on the calling thread (the one of `hWnd`) in its turn: held like a message
// that comes now, so after the wait or work under way and after what came before it. The
// call is dropped when the window is destroyed first.
void RunAfterWait(HWND hWnd, std::function<void()> call);

// Installs the rule for the windows of the calling thread, which must be the one of the
// program's main window: the filter of the class library's windows (AfxSetWndProcFilter)
// and the thread's hooks that take what is held out of any message loop. The previous
// filter comes back at the end of the object's life.
class CWindowWaitRule {
public:
    CWindowWaitRule();
    ~CWindowWaitRule();
    CWindowWaitRule(const CWindowWaitRule&) = delete;
    CWindowWaitRule& operator=(const CWindowWaitRule&) = delete;

private:
    AFX_WNDPROC_FILTER m_pfnPrevious;
    HHOOK m_hGetMessage;
    HHOOK m_hCbt;
};

// For CWindowWork (windowwork.h): the last work on the window thread has ended.
void NoteWindowWorkEnded();
