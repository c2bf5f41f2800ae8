// The page "Instruments" of the measurement log's settings sheet: which analyzers the log
// reads, and the decimal delimiter of the logged values. The document owns the page and hands
// it to the log library, whose sheet shows it; the selection and the delimiter live on
// between openings of the sheet.
//
// The logging thread reads the selection and the delimiter while it runs: it takes a copy of
// both under the page's lock at the start of each row (GetLoggingChoice), and every rebuild of
// the selection and every change of the delimiter happens under that lock.
#pragma once

#include "helppropertypage.h"

#include "vaskfc.h"

class CInstrument;
class CVaskInstrument;

class CPageProtocol : public CHelpPropertyPage {
    DECLARE_DYNCREATE(CPageProtocol)
public:
    // The document's list of network nodes (converters, gateways and the rest of the tree);
    // NULL offers no network.
    explicit CPageProtocol(CObList* pNodeList = NULL);
    ~CPageProtocol() override;

    // The analyzer becomes the current one and the only one selected for logging; NULL
    // empties the selection.
    void SetCurrentInstrument(CVaskInstrument* pInstrument);
    void ClearSelection();
    // The analyzers selected for logging, in order. The GUI thread's view; other threads
    // take GetLoggingChoice.
    CObList* GetSelection() { return &m_selection; }
    // A copy of the selection and the delimiter, taken together under the page's lock.
    void GetLoggingChoice(CObList& selection, CString& delimiter);
    CString GetDelimiter();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnApply() override;

    // The converters and gateways of the node list into the network combo, the first chosen.
    void FillNetworks();
    // The chosen network's child nodes become the candidates; the analyzer list follows.
    void OnNetworkChange();
    // The active analyzers among the candidates, only the current one checked.
    void FillAnalyzers();
    void OnModified();

    CComboBox m_networks;
    CCheckListBox m_analyzers;
    CString m_strDelimiter;
    CObList m_candidates;
    CObList* m_pNodeList;
    CObList m_selection;
    CInstrument* m_pCurrent;
    // Guards the selection and the delimiter against the logging thread's copy.
    CCriticalSection m_lock;

    DECLARE_MESSAGE_MAP()
};
