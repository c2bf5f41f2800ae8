// "Instrument Overview": network by network (each converter and gateway of the document's
// node list), the analyzers found behind it by bus address, and which of them the program
// connects to. OK writes the shown network's choices into its analyzers and needs at least
// one analyzer chosen; Cancel gives them back the choices they had. Below access level 2
// ("Specialist") OK is disabled.
//
// The main frame runs it modally and, after OK, has the tree redrawn (update hint 7).
#pragma once

#include "vaskfc.h"

#include "instrumentselectgrid.h"
#include "resource.h"

// The networks of the node list (NULL: none), each converter and gateway by its display name
// with the node as item data, into the emptied combo box; the first entry selected.
void FillNetworkNodes(CComboBox& combo, CObList* pNodeList);

class CInstrumentOverviewDlg : public CDialog {
    DECLARE_DYNAMIC(CInstrumentOverviewDlg)
public:
    enum { IDD = IDD_INSTRUMENT_OVERVIEW };

    // The document's list of nodes (NULL: none); the dialog owns none of them.
    explicit CInstrumentOverviewDlg(CObList* pNodeList, CWnd* pParentWnd = NULL);
    ~CInstrumentOverviewDlg() override;

    BOOL OnInitDialog() override;

    CInstrumentSelectGrid& GetGrid() { return m_grid; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    void OnSelchangeNetwork();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnDestroy();

    // The converters and gateways of the node list; the first one is shown.
    void FillNetworks();

    CComboBox m_networkList;
    CObList* m_pNodeList;
    CObList m_children;  // the shown node's children, not owned
    CInstrumentSelectGrid m_grid;

    DECLARE_MESSAGE_MAP()
};
