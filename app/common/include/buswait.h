// The window thread's wait for a bus request, and what it holds back until the request has
// ended.
//
// While the window thread waits for a request (see CvaskAccess::SetCallerWait) the windows
// stay alive: messages sent from other threads and programs are answered and the windows
// repaint. Nothing that starts work runs inside the wait, since work may make a request of
// its own or open a modal loop: keyboard and mouse input, timers and posted messages stay in
// the queue; commands, clicks, key strokes and closes sent to a window are posted to it
// again; a handler that must not act now hands its work to AfterBusWait. All of it is
// carried out, in its order, once the request has ended. Only the windows marked with
// TakeInputDuringBusWait (the progress window, whose Cancel ends the work) take their input
// inside the wait.
#pragma once

#include "vaskfc.h"

#include <functional>

// The caller's wait for a bus request: on the thread of the program's main window as
// described above, as one CWindowWork (windowwork.h); on other threads, and after a WM_QUIT
// (posted again), it blocks. Returns once `object` is signalled (and taken).
void WaitForRequestWithMessages(HANDLE object);

// Whether the calling thread is inside WaitForRequestWithMessages.
BOOL IsInBusWait();

// Whether a key or a mouse button of the user waits in the calling thread's queue.
BOOL IsUserInputWaiting();

// A refresh that gives way to the user's input: while one is under way on the calling
// thread, RefreshGivesWay() says whether it should stop where it is and leave the rest to
// the next refresh: a key or a mouse button waits, and the refresh has already waited for
// one request (so that every refresh asks something). Slow or silent analyzers then hold a
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

// Marks a window (and its children) as one that takes its input inside the bus wait.
void TakeInputDuringBusWait(HWND hWnd);

// Runs `call` on the calling thread (the one of `hWnd`) through a message posted to `hWnd`,
// so after the bus wait that runs now and in the order of the thread's other posted
// messages. The call is dropped when the window is destroyed first.
void AfterBusWait(HWND hWnd, std::function<void()> call);

// Installs the caller wait's message filter for the windows of the class library, which
// holds back what a window is sent during the bus wait (AfxSetWndProcFilter); the previous
// filter comes back at the end of the object's life.
class CBusWaitFilter {
public:
    CBusWaitFilter();
    ~CBusWaitFilter();
    CBusWaitFilter(const CBusWaitFilter&) = delete;
    CBusWaitFilter& operator=(const CBusWaitFilter&) = delete;

private:
    AFX_WNDPROC_FILTER m_pfnPrevious;
};
