// The program's document: the selected node of the instrument tree, the busy and logging
// flags, the analyzers' summary flags that the status bar shows, and the measurement log.
//
// The tree of networks and analyzers, its scans, the switch between online and offline
// work and the document files are not built yet: the node list holds only the offline
// converter and analyzer, and a rebuild only raises and clears the busy flag.
#pragma once

#include "vaskfc.h"

#include "nuraprotocol.h"

class CConverter;
class CInstrument;
class CVaskInstrument;

class CPCVaskDoc : public CDocument {
    DECLARE_DYNCREATE(CPCVaskDoc)
public:
    CPCVaskDoc();
    ~CPCVaskDoc() override;

    // The document of the main window, or NULL.
    static CPCVaskDoc* GetActive();

    // ---- the tree -------------------------------------------------------------------
    // Every node of the tree (ports, converters, gateways, lines, analyzers); the document
    // owns them.
    CObList* GetPortList() { return &m_nodeList; }
    // Rebuilds the tree for the current operation mode; TRUE once an analyzer is there.
    BOOL InitTheInstruments();
    // The communication settings dialog; TRUE when it was closed with OK (the mode chosen
    // there is then in force).
    BOOL ConfigureTheCommunication(int nCancelAllowed);
    // Switches the document to operation mode 1 (online) or 0 (offline); offline ends the
    // measurement log.
    void SetOnlineMode(int nMode);
    // One step of a bus scan: the address about to be scanned and the scanning node.
    void OnVaskInitProgress(WPARAM wParam, LPARAM lParam);

    // ---- the offline analyzer ---------------------------------------------------------
    // The converter "Offline" that carries the offline analyzer's description, read from its
    // profile: made on first use, then in the node list; the document owns it.
    CConverter* GetOfflineConverter();
    // The analyzer of the offline data set, or NULL.
    CVaskInstrument* GetOfflineInstrument() const { return m_pOfflineInstrument; }
    // Takes the analyzer (NULL: none) as the offline analyzer below the offline converter,
    // into the node list; the one before is deleted.
    void SetOfflineInstrument(CVaskInstrument* pAnalyzer);

    // ---- the selection --------------------------------------------------------------
    CInstrument* GetCurrentInstrument() const { return m_pSelected; }
    // Makes the node the selected one (NULL: none): the path name and the instrument view
    // text are forgotten, the main frame's value pane follows whether it is an analyzer,
    // and the views get hint 1 with the node. Selecting the selected node does nothing.
    void SelectNode(CInstrument* pNode);
    CString GetInstrumentViewText() const { return m_strInstrumentViewText; }
    void SetInstrumentViewText(const CString& text) { m_strInstrumentViewText = text; }

    // ---- flags ----------------------------------------------------------------------
    // Set while the tree is rebuilt or a file loads: the periodic refreshes leave the tree
    // alone meanwhile.
    int IsBusy() const { return m_nBusy; }
    void SetBusy(int nBusy) { m_nBusy = nBusy; }
    // Set while the measurement log runs; the logging thread ends once it is clear.
    BOOL IsLogging() const { return m_bLogging; }
    void SetLogging(BOOL bLogging) { m_bLogging = bLogging; }
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

protected:
    CObList m_nodeList;
    CInstrument* m_pSelected;
    int m_nBusy;
    CnuraProtocol m_protocol;
    volatile BOOL m_bLogging;
    int m_nAnyError;
    int m_nAnyMaintenance;
    int m_nAnyFunctionCheck;
    int m_nAnyLimit;
    CString m_strInstrumentViewText;
    CConverter* m_pOfflineConverter;
    CVaskInstrument* m_pOfflineInstrument;
};
