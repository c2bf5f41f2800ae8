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

// What the document's connection and bus scans show of their progress: the program's
// progress window, or a stand-in that a test sets.
class CScanProgress {
public:
    virtual ~CScanProgress() {}
    // Shown with the text of the string and the picture, with the bar's range 0 to 100 and
    // its end labels; the main window is disabled meanwhile.
    virtual void Start(UINT nTextId, int nBitmapId) = 0;
    // Hidden again; the main window is enabled.
    virtual void Stop() = 0;
    virtual void SetText(LPCSTR lpszText) = 0;
    virtual void SetPos(int nPos) = 0;
    // Lets one waiting message of the thread through; whether Cancel was pressed.
    virtual BOOL IsCancelled() = 0;
};
class CPCVaskDoc;
// The document's scans report to the stand-in (NULL: the program's progress window again).
// The stand-in stays the caller's and must outlive its use.
void SetScanProgress(CPCVaskDoc* pDoc, CScanProgress* pProgress);

// The logging thread's clock, in whole seconds: the system's, or the one a test sets; NULL
// sets the system's again. The clock set before. The thread reads it once per poll.
typedef CTime (*LoggingClock)();
LoggingClock SetLoggingClock(LoggingClock clock);
