// The seams of the shell: what tests set or read of the shell's process-wide state. Declared
// only here, in a folder outside the include path of the shell's users; tests reach it
// through the target korvanga_shell_seams.
#pragma once

#include "vaskfc.h"

// The trace's process-wide nesting, as the open trace objects left it.
int GetTraceDepth();
CString GetTraceIndentation();
// Back to no nesting, as at the start of the program, whatever objects are still open.
void ResetTraceNesting();

// The report list's cell-drawing recorder (the report list lives in the controls library).
#include "listctrl_seams.h"

// The main frame's process-wide counters as at the start of the program: the timer's tick
// count and the last tray icon set by UpdateTrayIcon.
void ResetMainFrameCounters();
// The tray icon call of the main frame (Shell_NotifyIconA unless a test sets its own); NULL
// sets the system's again. The call set before.
typedef BOOL(WINAPI* NotifyIconCall)(DWORD dwMessage, NOTIFYICONDATAA* pData);
NotifyIconCall SetNotifyIconCall(NotifyIconCall call);
