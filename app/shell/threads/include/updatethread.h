// CUpdateThread: the one-shot worker that reads the values of one analyzer's device-data
// parameters once and writes them into the instrument view's tree-list: every row anew
// (first read) or the rows that are there (refresh). While it runs, the view's busy flag is
// set; it ends early when the view asks it to stop, and clears the busy flag and the stop
// request at its end. With compare mode on and a compare set present, the third column
// shows the compare set's values, coloured by the result of the comparison.
//
// The view starts it suspended, gives it the view, the main window and the job, and resumes
// it; the object deletes itself when the thread ends.
#pragma once

#include "vaskfc.h"

class CInstrumentView;
class CParameterGroup;
class CTLTreeCtrl;
class CVaskInstrument;

class CUpdateThread : public CWinThread {
    DECLARE_DYNCREATE(CUpdateThread)
public:
    CUpdateThread();

    void SetOwnerView(CInstrumentView* pView) { m_pView = pView; }
    void SetMainWindow(CWnd* pMainWnd) { m_pMainWindow = pMainWnd; }
    void SetUpdateJob(CVaskInstrument* pInstrument, int bRefreshOnly) {
        m_pInstrument = pInstrument;
        m_bRefreshOnly = bRefreshOnly;
    }

    BOOL InitInstance() override;
    // The thread's whole life: the read, then the view's flags cleared, then COM left when
    // InitInstance started it. No message loop.
    int Run() override;
    // Reads the values and fills the tree; 1 when it ran to the end or had nothing to do,
    // 0 without an analyzer or when it was asked to stop.
    int ReadInstrumentData();

protected:
    // Sends the message to the main window and all its children.
    void Broadcast(UINT message, WPARAM wParam);
    // The compare group's entries shown in the device data window that no row showed in
    // this pass, appended under the group's row with their name and compare value only.
    void AppendCompareLeftovers(CTLTreeCtrl& tree, CParameterGroup* pCompareGroup,
                                HTREEITEM hGroupItem);

    CInstrumentView* m_pView;
    CWnd* m_pMainWindow;
    CVaskInstrument* m_pInstrument;
    int m_bRefreshOnly;
    BOOL m_bComStarted;  // InitInstance initialised COM for this thread
};
