// The sheets' one way to the shell: a host installed once per process. The pages ask it for
// the access level and the application's operation mode, register the window that gets the
// main frame's forwarded timer, have the message view rebuild its list, open help topics and
// have the active document's views reread the analyzer after OK or Apply. The main frame and
// the application implement it (app/shell), tests install their own.
//
// Until a host is installed the built-in one answers: level 0 ("Not logged in"), the
// instrument host's operation mode, no timer target, no message view, help through the
// application object (AfxGetApp()->WinHelp), no document.
#pragma once

#include "vaskfc.h"

class CSheetHost {
public:
    virtual ~CSheetHost() {}

    // The logged-in access level: 0 "Not logged in", 1 "Maintenance", 2 "Specialist",
    // 3 "Factory settings".
    virtual int GetAccessLevel() = 0;
    // Non-zero when the program works online with the devices.
    virtual int GetOperationMode() = 0;
    // The one window that gets the forwarded timer (NULL: none).
    virtual void SetTimerTarget(CWnd* pTarget) = 0;
    // Marks the message view so that its next update rebuilds its list.
    virtual void RequestMessageReload() = 0;
    // The application's help: a context and its command (HELP_CONTEXT, HELP_CONTEXTPOPUP,
    // HELP_CONTENTS).
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd) = 0;
    // UpdateAllViews(NULL, hint, NULL) on the active document; nothing without one.
    virtual void UpdateActiveDocument(LPARAM lHint) = 0;
    // The program's progress window over `pOwner` with string `nTextId` while a device
    // operation runs that the page waits for (the phase adjustment); StopProgress takes it
    // away. Nothing unless the host shows one.
    virtual void StartProgress(CWnd* pOwner, UINT nTextId) {}
    virtual void StopProgress() {}
};

// The update hint after OK or Apply of a sheet: the views reread the analyzer's values.
enum { kSheetUpdateHint = 6 };

// Installs the process's host (NULL: the built-in one) and returns the one installed before.
// The host must outlive its use.
CSheetHost* SetSheetHost(CSheetHost* pHost);

// The installed host, else the built-in one.
CSheetHost& GetSheetHost();
