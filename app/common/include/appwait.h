// Waits of the program that keep the calling thread's window messages flowing: sent and
// posted messages are dispatched while the wait lasts. A WM_QUIT ends the wait at once and
// is posted again, so that the thread's message loop still ends.
#pragma once

#include <windows.h>

// Handles at most one message of the calling thread without waiting for one: a sent
// message is handled inside the look, a posted one is dispatched after the program's
// PreTranslateMessage. FALSE when the message was WM_QUIT, which is posted again.
// `nKinds`: the PM_QS_ flags of the kinds of message to look at; 0 looks at all.
BOOL HandleOneMessage(UINT nKinds = 0);

// The program's fixed waits (the pause after a device command, the polls while a device
// restarts): `milliseconds` divided by the wait divisor. Answer time-outs of the bus do not
// go through here.
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
