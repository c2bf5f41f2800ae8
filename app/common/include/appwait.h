// The program's timed waits on the window thread: each is the one wait of windowwait.h (what
// starts work waits for its end), and blocks on other threads.
#pragma once

#include <windows.h>

// The program's fixed waits (the pause after a device command, the polls while a device
// restarts): `milliseconds` divided by the wait divisor. Answer time-outs of the bus do not
// go through here. A WM_QUIT ends it early and is left for the thread's loop.
void ProgramWait(DWORD milliseconds);

// Divides every later ProgramWait by `divisor` (1 and below: the full time). Tests shorten
// the program's waits with it.
void SetProgramWaitDivisor(int divisor);

// ProgramWait of whole seconds; nothing for 0 and below.
void WaitWithMessages(int seconds);

// Waits until `object` (a thread, an event) is signalled or `milliseconds` have passed
// (INFINITE: no limit), not shortened. TRUE when the object was signalled, FALSE on time-out,
// on WM_QUIT and for an invalid handle.
BOOL WaitForObjectWithMessages(HANDLE object, DWORD milliseconds);

// Whether the calling thread is the one of the program's main window.
BOOL IsMainWindowThread();
