// "Network settings": the networks of "Comm.ini" (netlist.h). A network has up to four
// converter rows, each a COM port of the PC with a converter type, and TCP/IP gateways; the
// dialog creates and deletes networks and gateway addresses, shows one network at a time and
// saves it on OK and "Apply" (after its ports passed the check of their kind), or after the
// user agreed when he switches to another network. Each converter's line settings go to its
// profile section "Converter\<network>_<n>", where n is its place among the converters
// written; the loader of the network file knows the converters by that place.
//
// "Define a new network" asks for a network's name, "Define a new gateway" for a gateway's
// address. A network name that the network file or the converters' profile sections cannot
// hold (longer than a registry key's name allows) is refused with a message before anything
// is written.
#pragma once

#include "vaskfc.h"

#include "ipaddressedit.h"
#include "netlist.h"
#include "resource.h"
#include "serialparam.h"

class CPort;

class CNetworkSettingsDlg : public CDialog {
public:
    enum { IDD = IDD_NETWORK_SETTINGS, kRows = 4 };

    // `lpszNetwork` is shown first (the current network when NULL or empty, the first one
    // when it is not listed). The ports are the COM ports of the active document's nodes.
    explicit CNetworkSettingsDlg(LPCSTR lpszNetwork, CWnd* pParentWnd = NULL);

    BOOL OnInitDialog() override;

    // After OK: the network selected when the dialog closed.
    CString m_strNetworkName;

    // The settings that each converter type gives its line (software RTS, RTS toggle, DTR,
    // echo check); false for a code outside 1 to 6.
    static bool GetTypeDefaults(int nType, SerialParam& param);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnSelchangeNetwork();
    void OnSelchangeRow(UINT nID);
    void OnGatewayCheckChanged();
    void OnApply();
    void OnNewNetwork();
    void OnDeleteNetwork();
    void OnNewGateway();
    void OnDeleteGateway();

    // ---- filling and showing ----------------------------------------------------------
    // "- - -" and the COM ports, each with its node.
    void FillPortList(CComboBox& list);
    void FillPorts();
    void FillConverterTypes();
    // The gateways of "Comm.ini", unchecked except those in `checked`.
    void FillGateways(const CStringList& checked);
    // Selects `lpszNetwork` (the current network for an empty name), else the first entry.
    void FillNetworks(LPCSTR lpszNetwork);
    // Loads the selected network and shows its converters and gateways; it becomes the
    // remembered network.
    void ShowSelectedNetwork();
    void ShowConverters();
    void ShowGatewayChecks();
    // One COM port is chosen in at most one row: every row offers "- - -", the ports, and
    // none that another row has chosen.
    void RebuildPortLists();
    // A TCP/IP converter in any row disables the gateways and clears their checks.
    void UpdateGatewayGroup();
    void MarkChanged();
    void ClearChanged();

    // ---- reading the rows -------------------------------------------------------------
    // The row's port node, NULL for "- - -".
    CPort* GetRowPort(int nRow) const;
    // The row's converter type 1 to 6, 0 for "- - -".
    int GetRowType(int nRow) const;
    CString GetSelectedNetwork() const;
    void GetCheckedGateways(CStringList& names) const;

    // ---- saving -----------------------------------------------------------------------
    // FALSE after telling the first row whose port does not suit its converter type.
    BOOL CheckPorts();
    // IDYES (saved when changed), IDNO or IDCANCEL; with `bAsk` the user is asked first.
    int SaveChanges(BOOL bAsk);
    // The converters of the rows to their profile sections; their names in `names`.
    void WriteConverters(const CString& network, CStringList& names);

    CComboBox m_portLists[kRows];
    CComboBox m_typeLists[kRows];
    CCheckListBox m_gatewayList;
    CComboBox m_networkList;

    CObList m_comPorts;    // the COM port nodes, not owned
    CObList* m_pNodeList;  // the document's nodes, not owned
    int m_nRememberedNetwork;
    CIniObjectList m_network;
    int m_bChanged;
    int m_bGatewayGroup;

    DECLARE_MESSAGE_MAP()
};

// The networks of "Comm.ini" into a drop-down list; `lpszNetwork` is selected (the current
// network for an empty name), else the first entry.
void FillNetworkList(CComboBox& list, LPCSTR lpszNetwork);

class CNewNetworkDlg : public CDialog {
public:
    enum { IDD = IDD_NEW_NETWORK };

    explicit CNewNetworkDlg(CWnd* pParentWnd = NULL);

    // After OK: a name that the network file takes and that no network has yet.
    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()
};

class CNewGatewayDlg : public CDialog {
public:
    enum { IDD = IDD_NEW_GATEWAY };

    explicit CNewGatewayDlg(CWnd* pParentWnd = NULL);

    // After OK: the dotted address.
    CString m_strAddress;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    CIPAddressEdit m_address;

    DECLARE_MESSAGE_MAP()
};
