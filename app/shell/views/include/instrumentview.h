// CInstrumentView: the pane view of instrument mode (menu 119). It lists the selected
// analyzer's parameter groups and parameters with their current values in a tree-list,
// keeps the values fresh through the update thread (a full read after a change of selection,
// a value refresh every 60 timer hints and at once after hint 6) and carries the device
// commands of the menu: offline data sets, comparison with an offline parameter set and its
// transfer, user and factory data, the device memory as a PC file, printing of the parameter
// list, the device clock and the firmware downloads.
//
// Long commands run on the GUI thread behind the progress window; their progress arrives as
// registered messages. The view never starts a device command while the update thread runs:
// it asks the thread to stop and waits for its end, dispatching messages meanwhile.
//
// The analyzer belongs to the document: the view uses the one it shows only while it is
// still among the document's nodes.
#pragma once

#include "vaskfc.h"

#include "dlgmessage.h"
#include "pcvaskdoc.h"
#include "resource.h"
#include "treelist.h"
#include "vaskerror.h"

class CVaskInstrument;
class CvaskAccess;
class CParameterGroup;

// The print of the parameter list on the report engine. The view asks through this for every
// step, so that tests can record the rows and answer a full page.
class CParameterListPrinter {
public:
    virtual ~CParameterListPrinter() {}
    // Opens the job "List of parameters"; the job, or -1 (the user was told or cancelled).
    virtual int StartJob(CWnd* pParent) = 0;
    // The last page of the chosen range (from 1), or a number above every page.
    virtual int LastPage(int hJob) = 0;
    virtual int CurrentPage(int hJob) = 0;
    // The page header with the instrument's name; the engine's answer.
    virtual int PrintHeader(int hJob, LPCSTR lpszInstrument) = 0;
    // One row: 0, -998 when the page is full, another value on failure.
    virtual int PrintRow(int hJob, LPCSTR lpszGroup, LPCSTR lpszParameter, LPCSTR lpszValue) = 0;
    // The end of a job that printed every row (the preview when it went there), or of one
    // that failed.
    virtual void EndJob(int hJob, CWnd* pParent) = 0;
    virtual void AbortJob(int hJob) = 0;
};

class CInstrumentView : public CFormView, public CWorkerThreadStopper {
    DECLARE_DYNCREATE(CInstrumentView)
public:
    enum { IDD = IDD_INSTRUMENT_VIEW };

    CInstrumentView();
    // Waits for the update thread.
    ~CInstrumentView() override;

    // ---- the class library's view -------------------------------------------------------
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnInitialUpdate() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // ---- the update thread --------------------------------------------------------------
    // Asks a running update thread to stop; TRUE when one was running.
    BOOL RequestStop();
    // RequestStop, then waits for the thread's end while dispatching messages, at most
    // dwLimit ms (a read that has begun finishes first; each is bounded by the bus's own
    // time-outs); TRUE when it was running. IsUpdateThreadRunning tells whether it ended.
    enum { kUpdateThreadWaitLimit = 60000 };
    BOOL WaitForUpdateThread(DWORD dwLimit = kUpdateThreadWaitLimit);
    // An update thread was started and has not ended yet.
    BOOL IsUpdateThreadRunning() const;
    // Waits for the running thread and starts a new one for the analyzer: a refresh of the
    // rows that are there (bRefreshOnly) or a fill anew.
    void StartUpdateThread(CVaskInstrument* pInstrument, int bRefreshOnly);
    // The document's worker-thread stopper: the thread ends before nodes are deleted.
    void StopWorkerThread(CPCVaskDoc* pDoc) override;

    // ---- what the update thread and the tests use ---------------------------------------
    CTLTreeCtrl& GetTreeCtrl() { return m_wndTree.GetTreeCtrl(); }
    CTLFrame& GetTreeFrame() { return m_wndTree; }
    CVaskInstrument* GetInstrument() const { return m_pInstrument; }
    CDlgMessage& GetMessageDialog() { return m_dlgMessage; }
    BOOL IsCompareMode() const { return m_bCompareMode; }

    // The model type code that a firmware file name stands for: for the main board by its
    // prefix, for the fieldbus card ("CGA*.HEX") the instrument's own; -1 when the name
    // breaks the naming rule.
    static int FirmwareModelCode(LPCSTR lpszFileName, BOOL bFieldbus, int nInstrumentModel);

    // The printer of the parameter list (NULL: the report engine's); the one set before.
    static CParameterListPrinter* SetParameterListPrinter(CParameterListPrinter* pPrinter);

    // Fields shared with the update thread: plain flags, as the thread reads them.
    volatile int m_bBusy;           // a long command or the update thread runs
    volatile int m_bStopRequested;  // the running update thread is to end early
    int m_bRefreshPending;          // the rows are there: the next start only refreshes
    int m_nComparePass;             // read passes made with compare mode on

protected:
    // ---- commands ---------------------------------------------------------------------
    void OnLoadFromDisk();
    void OnSaveToDisk();
    void OnSaveToDiskAs();
    void OnCreateNewDataSet();
    void OnFactorySettings();
    void OnLoadPcData();
    void OnSavePcData();
    void OnLoadUserData();
    void OnSaveUserData();
    void OnLoadFactoryData();
    void OnPrint();
    void OnCompare();
    void OnTransferOffline();
    void OnDeviceClock();
    void OnDownload();
    void OnDownloadProfibus();
    // One enabling table over the analyzer, its model, online, the access level, the
    // compare set and compare mode.
    void OnUpdateCommand(CCmdUI* pCmdUI);

    // ---- messages ---------------------------------------------------------------------
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnVaskErrorMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDownloadProgress(WPARAM wParam, LPARAM lParam);
    LRESULT OnParameterProgress(WPARAM wParam, LPARAM lParam);
    LRESULT OnTreeChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnOfflineTransfer(WPARAM wParam, LPARAM lParam);

    // Shows a device failure once per outage, or the failure's text and record.
    void OnVaskError(LPCSTR lpszText, ErrorStruct_* pError);

    // ---- helpers ----------------------------------------------------------------------
    CPCVaskDoc* GetDoc() const;
    // The selected node when it is an analyzer.
    CVaskInstrument* GetSelectedAnalyzer() const;
    // The analyzer shown, when the document still holds it; else NULL.
    CVaskInstrument* ValidInstrument() const;
    // Every column and row goes, the rows' links in the model are cleared.
    void DeleteRows();
    void ResetTreeLinks();
    void InsertHeaders();
    // Compare mode ends: the compare set is deleted, the application's flag cleared.
    void EndCompareMode();
    // User data, factory data: the shared pattern of the three commands.
    void RunConfigCommand(UINT nAskId, UINT nWaitTextId, int (CVaskInstrument::*command)(),
                          BOOL bFactory);
    // Device memory to (bSave) or from a PC data file.
    void TransferPcData(BOOL bSave);
    // The online download into the main board or the fieldbus card.
    void RunOnlineDownload(BOOL bFieldbus);
    // A download into a device without firmware through an access object of its own; TRUE
    // when it downloaded.
    BOOL DownloadWithoutFirmware();
    // The file dialog and the naming rule; FALSE when no file was chosen or it was refused.
    BOOL SelectFirmwareFile(CString& path);
    // The access object's error record as "%s, Code: %d"; when the record names the request
    // that failed, its command text ("Vask command: ...") stands on the line before, so that
    // the step of a transfer that failed is named.
    void ShowError(const ErrorStruct_& error);

    CTLFrame m_wndTree;
    int m_bCommLostShown;
    int m_bInitialized;
    CvaskAccess* m_pDownloadAccess;
    int m_bCompareMode;
    CDlgMessage m_dlgMessage;
    int m_nRefreshTicks;
    int m_nRefreshLimit;
    CVaskInstrument* m_pInstrument;
    int m_bFieldbusDownload;
    HANDLE m_hUpdateThread;  // the running update thread's handle, kept for the wait
    BOOL m_bStopperAdded;

    DECLARE_MESSAGE_MAP()
};
