// CPCVaskDoc: the program's one document. It owns the tree of bus nodes that the views show:
// the PC's ports, the converters of the current network, the TCP/IP gateways with their
// lines, the analyzers found on the buses and the offline analyzer below the converter
// "Offline". It builds the tree at start-up and whenever the communication settings change,
// drives the bus scans behind a progress window that the user can cancel, switches the
// program between online and offline work, keeps the selected node, owns the measurement log
// with its settings page, reads and writes the offline parameter sets (*.prm) and tells the
// views what changed through update hints:
//
//   1  the selected node changed (the hint object is the node, or none)
//   2  the tree was rebuilt
//   3  periodic refresh (sent by the main frame's timer)
//   5  a parameter set is being loaded; the program goes offline
//   6  parameter values changed (a file was opened)
//   7  node names or components were edited (sent by the main frame)
//
// Worker threads (the measurement log, an analyzer's update read) use the nodes: before any
// node is deleted, the document ends them (StopWorkerThreads). Parameter sets are user data:
// a file that cannot be read changes nothing, and a save replaces the old file only once the
// new one was written whole.
#pragma once

#include "vaskfc.h"

#include "netlist.h"
#include "nuraprotocol.h"
#include "pageprotocol.h"

#include <winspool.h>

#include <vector>

class CConverter;
class CDlgMessage;
class CDocumentHost;
class CGateway;
class CInstrument;
class CNewDataDlg;
class CPort;
class CScanProgress;
class CVaskInstrument;
class CvaskAccess;
class CPCVaskDoc;

// Ends a worker thread that uses the document's nodes and waits for its end (a bounded wait
// that dispatches sent messages). The document runs every registered stopper before it
// deletes a node; whoever starts such a thread registers one while the thread may run.
class CWorkerThreadStopper {
public:
    virtual ~CWorkerThreadStopper() {}
    virtual void StopWorkerThread(CPCVaskDoc* pDoc) = 0;
    // The document is being deleted with this stopper still entered: forget it.
    virtual void DocumentGone(CPCVaskDoc*) {}
};

// The communication configuration dialog as the document runs it: modal, its Cancel button
// shown when bCancelAllowed; TRUE when it was closed with OK, with the operation mode chosen
// there (0 offline, 1 online) in nMode.
typedef BOOL (*CommConfigDialogRunner)(CPCVaskDoc* pDoc, BOOL bCancelAllowed, int& nMode);

// The offline model of a blank data set: what "Create New Data" chooses.
struct OfflineModelChoice {
    int nType;
    int nComponents;
    int bO2Sensor;
    int bH2SSensor;
    int bHeating;
    int bOptionBoard;
};

class CPCVaskDoc : public CDocument {
    DECLARE_DYNCREATE(CPCVaskDoc)
public:
    CPCVaskDoc();
    // Ends the worker threads, then deletes the tree.
    ~CPCVaskDoc() override;

    // The document of the main window, or NULL.
    static CPCVaskDoc* GetActive();

    // ---- the tree -------------------------------------------------------------------
    // Rebuilds the whole tree for the current operation mode and scans the buses; returns
    // TRUE once an analyzer is there (in offline mode the offline analyzer always is). With
    // nothing found online it says so, opens the communication dialog and tries again.
    // FALSE when the program's close was confirmed meanwhile: the scans stop and the search
    // ends before the window goes.
    BOOL InitTheInstruments();
    // Connects and scans: the first analyzer found (the last converter's that found any,
    // else the first gateway's), the offline analyzer when offline, NULL for none.
    CVaskInstrument* InitTheVaskInstruments();
    // Binds the converters to their ports and starts every converter and gateway (which
    // scans their buses), behind the progress window. Online, a converter whose port could
    // not be opened is told afterwards: the port with the access layer's error text and the
    // system's reason.
    void InitTheCommunication();
    // Stops the running bus scan of every converter and gateway line.
    void AbortScans();
    // The application's operation mode is online.
    static BOOL IsOnlineMode();
    // The port nodes of the machine's free COM ports, the gateway nodes with their lines
    // (online only) and the network's converters.
    BOOL InitThePorts();
    BOOL InitTheGateways();
    BOOL InitTheVaskConverter();
    // The analyzer object of a device found on a bus, of the model class of its type code,
    // appended to the tree; NULL (after the message 10095) for a type without a class. The
    // instrument host's analyzer factory while the document lives.
    CVaskInstrument* AddVaskInstrument(int nType, LPCSTR lpszName, int nAddress, int nComponents,
                                       CvaskAccess* pAccess);
    // One step of a bus scan: wParam the address about to be scanned, lParam the scanning
    // node. Shows the network and address with the percentage and stops the scan before
    // that address when the user has cancelled.
    void OnVaskInitProgress(WPARAM wParam, LPARAM lParam);
    // The communication configuration dialog (Cancel shown for nCancel > 0); on OK the mode
    // chosen there is switched to and TRUE returned.
    BOOL ConfigureTheCommunication(int nCancel);
    // The runner of the communication dialog (NULL: none, the dialog answers Cancel); the
    // one set before.
    static CommConfigDialogRunner SetCommConfigDialogRunner(CommConfigDialogRunner runner);
    // Operation mode 1 (online) or 0 (offline) for the program and every converter and
    // gateway; the path name is forgotten. Offline ends the worker threads first.
    void SetOnlineMode(int nMode);
    // The first port node of exactly that port name, or NULL.
    CPort* FindPort(LPCSTR lpszPortName);
    // The system's port records of the level (delete[] the result); NULL, with nCount -1,
    // when there are none or the system refuses.
    static BYTE* GetPortInfoBuffer(int& nCount, DWORD nLevel);
    // Pauses (1) or resumes (0) the broadcasts of every active analyzer; TRUE.
    BOOL PauseAllBroadcasts(int nPause);
    // Deletes every node but the converters of the network (which are unlinked) and the
    // offline converter; the worker threads are ended first.
    void ClearTheInstruments();
    // Unlinks every converter from the tree and empties the converter list.
    void RemoveConverters();

    // ---- worker threads ----------------------------------------------------------------
    // Ends the measurement log and joins its thread (the main frame's StopLogging), then
    // runs every registered stopper. Run before any node is deleted.
    void StopWorkerThreads();
    void AddWorkerThreadStopper(CWorkerThreadStopper* pStopper);
    void RemoveWorkerThreadStopper(CWorkerThreadStopper* pStopper);

    // ---- the selection --------------------------------------------------------------
    CInstrument* GetCurrentInstrument() const { return m_pSelected; }
    // Makes the node the selected one (NULL: none): the path name and the instrument view
    // text are forgotten, an analyzer becomes the only one selected for logging (any other
    // node empties that selection), the main frame's value pane follows whether it is an
    // analyzer, and the views get hint 1 with the node. Selecting the selected node does
    // nothing.
    void SelectNode(CInstrument* pNode);
    // The instrument view's text (its last PC data path), emptied at every selection change.
    CString GetInstrumentViewText() const { return m_strInstrumentViewText; }
    void SetInstrumentViewText(const CString& text) { m_strInstrumentViewText = text; }

    // ---- lists and names ------------------------------------------------------------
    // Every node of the tree (ports, converters, gateways, lines, analyzers, the offline
    // converter); the views only read it.
    CObList* GetPortList() { return &m_nodeList; }
    // The converters in use for the current network (online).
    CObList* GetConverterList() { return &m_converterList; }
    CObList* GetGatewayList() { return &m_gatewayList; }
    // The name of the network the tree was built for.
    CString GetNetworkListName() const { return m_networkList.GetName(); }
    // The node pictures of the tree view (empty when the bitmap could not be loaded); the
    // last six are the state overlays 1 to 6.
    CImageList* GetImageList() { return &m_imageList; }

    // ---- flags ----------------------------------------------------------------------
    // Set while the tree is rebuilt or a file loads: the periodic refreshes leave the tree
    // alone meanwhile.
    int IsBusy() const { return m_nBusy; }
    void SetBusy(int nBusy) { m_nBusy = nBusy; }
    // Set while the measurement log runs; the logging thread ends once it is clear.
    BOOL IsLogging() const { return m_bLogging; }
    void SetLogging(BOOL bLogging) { m_bLogging = bLogging; }
    // The status message: kind 1 a warning, 2 an error, any other none.
    void SetStatusText(const CString& text, int nKind);
    CString GetStatusText() const { return m_strStatusText; }
    int IsStatusError() const { return m_nStatusError; }
    int IsStatusWarning() const { return m_nStatusWarning; }
    // Some analyzer reports an error, a function check, a maintenance request, a limit.
    int GetAnyError() const { return m_nAnyError; }
    int GetAnyFunctionCheck() const { return m_nAnyFunctionCheck; }
    int GetAnyMaintenance() const { return m_nAnyMaintenance; }
    int GetAnyLimit() const { return m_nAnyLimit; }
    void SetAnyError(int n) { m_nAnyError = n; }
    void SetAnyFunctionCheck(int n) { m_nAnyFunctionCheck = n; }
    void SetAnyMaintenance(int n) { m_nAnyMaintenance = n; }
    void SetAnyLimit(int n) { m_nAnyLimit = n; }

    // ---- the measurement log --------------------------------------------------------
    CnuraProtocol* GetProtocol() { return &m_protocol; }
    CPageProtocol* GetProtocolPage() { return &m_pageProtocol; }

    // ---- document files and the offline analyzer ------------------------------------
    // Storing writes the selected analyzer (no object when another node is selected);
    // loading reads one analyzer and makes it the offline analyzer (see OnOpenDocument).
    void Serialize(CArchive& ar) override;
    // The path is not used: the user chooses a "*.prm" file. A readable parameter set
    // switches the program offline, rebuilds the tree with the file's analyzer as the
    // offline analyzer and selects it; a set without data asks for "Create New Data". A
    // file that cannot be read, or that an older version made, changes nothing: FALSE.
    BOOL OnOpenDocument(LPCSTR lpszPathName) override;
    // Saves to the path, or to a file the user chooses when it is empty. The file is written
    // beside the target and replaces it only when it is complete; a failed save keeps the
    // old file, the path and the modified flag.
    BOOL OnSaveDocument(LPCSTR lpszPathName) override;
    // No path empties the path name.
    void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE) override;
    void ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving,
                                 UINT nIDPDefault) override;
    // The file dialog of parameter sets; the chosen path, empty when cancelled.
    CString PromptFileName(BOOL bOpen);

    // The converter "Offline" that carries the offline analyzer, made on first use.
    void InitTheOfflineConverter();
    CConverter* GetOfflineConverter();
    CVaskInstrument* GetOfflineInstrument() const { return m_pOfflineInstrument; }
    // Replaces the offline analyzer with the one given (taken over), or with one made from
    // the offline converter's settings for NULL.
    void SetOfflineInstrument(CVaskInstrument* pInstrument);
    // A new analyzer of the offline converter's model, at address 0, appended to the tree;
    // a model without a class gives an inactive base analyzer (after the message 10095).
    CVaskInstrument* InitTheOfflineInstrument();
    // The model chosen in "Create New Data" for the next offline analyzer: applied to the
    // offline converter that the next rebuild makes, before its analyzer is built.
    void SetNewDataChoice(const OfflineModelChoice& choice);

private:
    friend void SetScanProgress(CPCVaskDoc* pDoc, CScanProgress* pProgress);
    class CProgressWindow;

    // What became of the last object read from a file.
    enum LoadOutcome { kNothingRead, kNoObject, kLoaded, kNewData, kRefused };

    CScanProgress* Progress();
    // The file's analyzer after it was read whole (the step after the read of Serialize).
    void TakeLoadedInstrument(CVaskInstrument* pInstrument);
    BOOL OpenParameterSet(const CString& path);
    // Whether a save may replace the file: its folder is there and it is not read-only (a
    // message otherwise).
    BOOL CanReplace(const CString& path);
    void CreateImageList();
    void RemoveFromNodeList(CInstrument* pNode);
    BOOL IsNode(CInstrument* pNode) const;

    // In the order the document's data are kept.
    CPageProtocol m_pageProtocol;
    CObList m_converterList;
    CConverter* m_pOfflineConverter;
    CObList m_nodeList;
    CImageList m_imageList;
    CObList m_gatewayList;
    CInstrument* m_pSelected;
    CVaskInstrument* m_pOfflineInstrument;
    CIniObjectList m_networkList;
    int m_nBusy;
    CnuraProtocol m_protocol;
    volatile BOOL m_bLogging;
    int m_nStatusError;
    int m_nAnyError;
    int m_nAnyMaintenance;
    int m_nAnyFunctionCheck;
    int m_nStatusWarning;
    int m_nAnyLimit;
    CString m_strStatusText;
    CProgressWindow* m_pProgressWindow;  // the program's progress window, made on first use
    CString m_strInstrumentViewText;

    CScanProgress* m_pProgressStandIn;
    CDocumentHost* m_pHost;
    std::vector<CWorkerThreadStopper*> m_stoppers;
    OfflineModelChoice m_newData;
    BOOL m_bNewDataHeld;
    LoadOutcome m_loadOutcome;
};
