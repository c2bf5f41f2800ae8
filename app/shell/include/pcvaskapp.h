// The application object of KorvanGA.exe: the operation mode of the program, the switch
// between the two pane views of the main frame, and the help that ignores the context
// 0x5FFFF.
//
// Its start-up builds no window yet: the program starts and ends at once. The pane views
// are exchanged once the instrument view exists; until then SwitchView tells the main frame
// only, which installs the view's menu.
#pragma once

#include "vaskfc.h"

class CKemMainFrame;

class CPCVaskApp : public CWinApp {
    DECLARE_DYNAMIC(CPCVaskApp)
public:
    CPCVaskApp();
    // Empties the list of free COM ports.
    ~CPCVaskApp() override;

    BOOL InitInstance() override;

    // The program's application object, or NULL when the process has another one (a test
    // program's stand-in).
    static CPCVaskApp* Get();

    // 0 offline, any other value online.
    int GetOperationMode() const { return m_nOperationMode; }
    BOOL IsOnlineMode() const { return m_nOperationMode != 0; }
    // Stores the mode; the main frame then refreshes its status bar, takes the mode and
    // rebuilds its title.
    void SetOperationMode(int nMode);

    // Makes the view of `nViewId` (119 the instrument view, any other id the main view) the
    // visible pane view and sends "WM_CHANGEMENU" (nViewId, 0) to the main frame; the view
    // shown now.
    CView* SwitchView(int nViewId);

    // Set while the instrument view loads a file to compare it with the device.
    int IsCompareMode() const { return m_nCompareMode; }
    void SetCompareMode(int nCompareMode) { m_nCompareMode = nCompareMode; }

    // The help context 0x5FFFF asks for nothing; every other request goes to the main
    // window's help.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;

    // The main window as the program's main frame, or NULL.
    CKemMainFrame* GetMainFrame() const;

protected:
    int m_nOperationMode;
    int m_nCompareMode;
};

// The free COM ports of the machine: for each COM port that could be opened at start-up, its
// name, a blank and its description, one piece after the other. The document's port nodes
// are the machine's ports found in it.
extern CString m_strFreeComPorts;
