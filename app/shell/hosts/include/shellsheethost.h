// The program's side of the sheets' host (sheethost.h): the main frame's access level and
// timer target, the application's operation mode and help, the message view's rebuild and
// the active document's update hint. InstallProgramSheets installs it, together with the
// factory of the analyzer models' instrument grids; the application calls it once at start.
#pragma once

#include "dlgmessage.h"
#include "sheethost.h"

#include <memory>

class CProgramSheetHost : public CSheetHost {
public:
    // The main frame's level; 0 without a main frame.
    int GetAccessLevel() override;
    // The application's mode; 0 without the program's application object.
    int GetOperationMode() override;
    // The main frame's timer target; nothing without a main frame.
    void SetTimerTarget(CWnd* pTarget) override;
    void RequestMessageReload() override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd) override;
    // UpdateAllViews (NULL, lHint, NULL) on the main frame's active document, if any.
    void UpdateActiveDocument(LPARAM lHint) override;
    // A CDlgMessage owned by the page while the operation runs.
    void StartProgress(CWnd* pOwner, UINT nTextId) override;
    void StopProgress() override;

private:
    std::unique_ptr<CDlgMessage> m_progress;
};

// Installs the program's sheet host, the instrument grids' factory and the curve host.
void InstallProgramSheets();
