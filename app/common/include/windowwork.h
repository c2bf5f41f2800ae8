// Work of the program's window thread that lets window messages through while it runs (the
// wait of windowwait.h, a scan, a transfer, a download, a print), and the close of the
// program while such work runs. While work runs, what the windows open at its start are
// given is held as windowwait.h says.
//
// A handler that the work's messages reach may not free what the work still uses: a close
// that the user confirms meanwhile is kept pending. Each running work is asked to end
// through its abort, the dialogs then open are cancelled, and the main window closes once
// the last work has returned and the last modal loop (dialog, sheet, box, menu, progress
// window) has ended.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// Holds for its lifetime on the calling thread; `abort` (may be empty) is called when a close
// is confirmed meanwhile, or at once when the work starts while one is pending. Other threads
// than the one of the program's main window count nothing.
class CWindowWork {
public:
    explicit CWindowWork(std::function<void()> abort = std::function<void()>());
    ~CWindowWork();
    CWindowWork(const CWindowWork&) = delete;
    CWindowWork& operator=(const CWindowWork&) = delete;

    // How many works run on the calling thread.
    static int Running();

    // Whether the top-level window `hRoot` was open when the innermost work under way began
    // (it waits for the work; a window that the work opened does not). FALSE without work.
    static BOOL IsWaitingWindow(HWND hRoot);
    // Notes a top-level window made on the calling thread while the innermost work runs.
    static void NoteWindowMade(HWND hRoot);

private:
    friend void BeginPendingClose(HWND hMainWnd);
    std::function<void()> m_abort;
    bool m_counted;
    std::vector<HWND> m_made;  // the top-level windows made while this work was innermost
};

// Whether the close of `hMainWnd` is pending (NULL: of any window).
BOOL IsClosePending(HWND hMainWnd = NULL);
// Notes the confirmed close of `hMainWnd`: calls every running work's abort and cancels the
// dialogs open now (CancelOpenDialogs). WM_CLOSE is posted to the window when the last work
// ends.
void BeginPendingClose(HWND hMainWnd);
// TRUE when the pending close may end the window now: no work runs and no modal loop
// (AfxGetModalLoopCount: a dialog, sheet, box, menu or progress window) is open.
BOOL PendingCloseMayEnd(HWND hMainWnd);
// Whether the main window may be ended at once by a close confirmed now: no work runs and
// no modal loop is open. Else the close is kept pending (BeginPendingClose).
BOOL MayEndWindowNow();
// The pending close is carried out (or given up).
void EndPendingClose();

// Cancels the dialogs of the calling thread that take input now (visible and enabled), but
// the main window `hMainWnd` and windows marked with LeaveOpenOnClose: a property sheet as
// its Cancel button does, a dialog or message box with "No" when it has that button, else
// with "Cancel"; an open menu is closed.
void CancelOpenDialogs(HWND hMainWnd);
// A modeless window that the close leaves to its owner (the progress window).
void LeaveOpenOnClose(HWND hWnd);
