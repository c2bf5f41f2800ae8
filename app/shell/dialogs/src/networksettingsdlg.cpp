// The network settings and its two small dialogs.
#include "networksettingsdlg.h"

#include "controlhelp.h"
#include "converter.h"
#include "pcvaskdoc.h"
#include "port.h"

namespace {

// The converter type that is a TCP/IP converter: a network has it or gateways.
const int kTcpIpConverter = 5;
const int kFirstType = 1;
const int kLastType = 6;

CString LoadText(UINT nID) {
    CString text;
    text.LoadString(nID);
    return text;
}

// A text of the string table with one %s.
void TellWithName(UINT nFormatId, const CString& name, UINT nType = MB_OK | MB_ICONEXCLAMATION) {
    CString text;
    text.Format((LPCSTR)LoadText(nFormatId), (LPCSTR)name);
    AfxMessageBox(text, nType);
}

int AskWithName(UINT nFormatId, const CString& name, UINT nType) {
    CString text;
    text.Format((LPCSTR)LoadText(nFormatId), (LPCSTR)name);
    return AfxMessageBox(text, nType);
}

// The entry of the list whose item data is `data`, -1 when none.
int FindData(const CComboBox& list, DWORD_PTR data) {
    for (int i = 0; i < list.GetCount(); ++i)
        if (list.GetItemData(i) == data) return i;
    return -1;
}

// The item data of the selected entry, 0 without a selection.
DWORD_PTR SelectedData(const CComboBox& list) {
    const int index = list.GetCurSel();
    if (index < 0) return 0;
    const DWORD_PTR data = list.GetItemData(index);
    return data == (DWORD_PTR)CB_ERR ? 0 : data;
}

void SelectData(CComboBox& list, DWORD_PTR data) {
    const int index = FindData(list, data);
    list.SetCurSel(index >= 0 ? index : FindData(list, 0));
}

// Whether the profile sections of the network's converters, "Converter\<name>_<row>", can be
// stored: a registry key's name has at most 255 characters, and the profile's registry calls
// take a section of at most 260 characters.
const int kMaxKeyName = 255;
const int kMaxSection = 260;

CString LastConverterSection(const CString& name) {
    CString section;
    section.Format("Converter\\%s_%d", (LPCSTR)name, (int)CNetworkSettingsDlg::kRows);
    return section;
}

bool FitsConverterSections(const CString& name) {
    const CString section = LastConverterSection(name);
    if (section.GetLength() > kMaxSection) return false;
    // A backslash in the name makes keys below keys: each of them has the limit.
    int start = 0;
    for (int end; (end = section.Find('\\', start)) >= 0; start = end + 1)
        if (end - start > kMaxKeyName) return false;
    return section.GetLength() - start <= kMaxKeyName;
}

// The longest network name that FitsConverterSections takes.
int MaxNetworkNameLength() {
    int length = 0;
    while (FitsConverterSections(CString('n', length + 1))) ++length;
    return length;
}

// FALSE after telling why the network file or the profile cannot hold the name.
BOOL CheckStorableName(const CString& name) {
    if (!IsValidIniName(name)) {
        AfxMessageBox(IDS_NETWORK_NAME_INVALID, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (!FitsConverterSections(name)) {
        CString text;
        text.Format((UINT)IDS_NETWORK_NAME_TOO_LONG, MaxNetworkNameLength());
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

CString PortName(const CPort* pPort) {
    CString name;
    pPort->GetPortName(name);
    return name;
}

}  // namespace

// ---- CNetworkSettingsDlg ----------------------------------------------------------------

BEGIN_MESSAGE_MAP(CNetworkSettingsDlg, CDialog)
ON_CBN_SELCHANGE(IDC_NETWORK_LIST, OnSelchangeNetwork)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_CONVERTER_TYPE_1, IDC_CONVERTER_PORT_4, OnSelchangeRow)
ON_CLBN_CHKCHANGE(IDC_GATEWAY_LIST, OnGatewayCheckChanged)
ON_BN_CLICKED(IDC_NETWORK_APPLY, OnApply)
ON_BN_CLICKED(IDC_NETWORK_NEW, OnNewNetwork)
ON_BN_CLICKED(IDC_NETWORK_DELETE, OnDeleteNetwork)
ON_BN_CLICKED(IDC_GATEWAY_NEW, OnNewGateway)
ON_BN_CLICKED(IDC_GATEWAY_DELETE, OnDeleteGateway)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CNetworkSettingsDlg::CNetworkSettingsDlg(LPCSTR lpszNetwork, CWnd* pParentWnd)
    : CDialog(IDD, pParentWnd),
      m_strNetworkName(lpszNetwork),
      m_pNodeList(NULL),
      m_nRememberedNetwork(-1),
      m_bChanged(0),
      m_bGatewayGroup(1) {
    if (CPCVaskDoc* pDoc = CPCVaskDoc::GetActive()) m_pNodeList = pDoc->GetPortList();
}

bool CNetworkSettingsDlg::GetTypeDefaults(int nType, SerialParam& param) {
    // Software RTS, RTS toggle, DTR and echo check of converter types 1 to 6.
    static const int kDefaults[kLastType][4] = {
        {1, 0, 0, 1}, {0, 0, 1, 0}, {1, 0, 1, 1}, {1, 0, 1, 0}, {1, 0, 1, 0}, {1, 0, 1, 0},
    };
    if (nType < kFirstType || nType > kLastType) return false;
    const int* row = kDefaults[nType - 1];
    param.converterType = nType;
    param.softwareRts = row[0];
    param.rtsToggle = row[1];
    param.assertDtr = row[2];
    param.readEcho = row[3];
    return true;
}

void CNetworkSettingsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int row = 0; row < kRows; ++row) {
        DDX_Control(pDX, IDC_CONVERTER_TYPE_1 + 2 * row, m_typeLists[row]);
        DDX_Control(pDX, IDC_CONVERTER_PORT_1 + 2 * row, m_portLists[row]);
    }
    DDX_Control(pDX, IDC_GATEWAY_LIST, m_gatewayList);
    DDX_Control(pDX, IDC_NETWORK_LIST, m_networkList);
}

BOOL CNetworkSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_comPorts.RemoveAll();
    if (m_pNodeList != NULL) {
        for (POSITION pos = m_pNodeList->GetHeadPosition(); pos != NULL;) {
            CObject* pNode = m_pNodeList->GetNext(pos);
            if (pNode != NULL && pNode->IsKindOf(RUNTIME_CLASS(CPort)) &&
                ((CPort*)pNode)->IsComPort())
                m_comPorts.AddTail(pNode);
        }
    }
    FillPorts();
    FillConverterTypes();
    FillGateways(CStringList());
    FillNetworks(m_strNetworkName);
    // The rows show the network that the list selects, the one that OK saves them to.
    ShowSelectedNetwork();
    return TRUE;
}

// ---- filling and showing ------------------------------------------------------------------

void CNetworkSettingsDlg::FillPortList(CComboBox& list) {
    list.ResetContent();
    list.SetItemData(list.AddString(LoadText(IDS_NO_CHOICE)), 0);
    for (POSITION pos = m_comPorts.GetHeadPosition(); pos != NULL;) {
        CPort* pPort = (CPort*)m_comPorts.GetNext(pos);
        list.SetItemDataPtr(list.AddString(PortName(pPort)), pPort);
    }
}

void CNetworkSettingsDlg::FillPorts() {
    for (CComboBox& list : m_portLists) {
        FillPortList(list);
        SelectData(list, 0);
    }
    RebuildPortLists();
    MarkChanged();
}

void CNetworkSettingsDlg::FillConverterTypes() {
    const CString none = LoadText(IDS_NO_CHOICE);
    for (CComboBox& list : m_typeLists) {
        list.ResetContent();
        list.SetItemData(list.AddString(none), 0);
        for (int type = kFirstType; type <= kLastType; ++type)
            list.SetItemData(list.AddString(LoadText(IDS_CONVERTER_TYPE_BASE + type)), type);
        SelectData(list, 0);
    }
}

void CNetworkSettingsDlg::FillGateways(const CStringList& checked) {
    m_gatewayList.ResetContent();
    CStringList names;
    ReadGatewayNames(names);
    for (POSITION pos = names.GetHeadPosition(); pos != NULL;) {
        const CString& name = names.GetNext(pos);
        if (name.IsEmpty()) continue;
        const int index = m_gatewayList.AddString(name);
        bool check = false;
        for (POSITION at = checked.GetHeadPosition(); at != NULL && !check;)
            check = checked.GetNext(at).CompareNoCase(name) == 0;
        if (index >= 0 && check) m_gatewayList.SetCheck(index, 1);
    }
}

void FillNetworkList(CComboBox& list, LPCSTR lpszNetwork) {
    list.ResetContent();
    CStringList names;
    ReadNetworkNames(names);
    for (POSITION pos = names.GetHeadPosition(); pos != NULL;) {
        const CString& name = names.GetNext(pos);
        if (!name.IsEmpty()) list.AddString(name);
    }
    CString wanted = lpszNetwork;
    if (wanted.IsEmpty()) wanted = GetNetworkName();
    const int index = wanted.IsEmpty() ? -1 : list.FindStringExact(-1, wanted);
    list.SetCurSel(index >= 0 ? index : 0);
}

void CNetworkSettingsDlg::FillNetworks(LPCSTR lpszNetwork) {
    FillNetworkList(m_networkList, lpszNetwork);
}

void CNetworkSettingsDlg::ShowSelectedNetwork() {
    m_nRememberedNetwork = m_networkList.GetCurSel();
    m_strNetworkName = GetSelectedNetwork();
    m_network.Load(m_strNetworkName);
    ShowConverters();
    ShowGatewayChecks();
    // The gateways of a network without a TCP/IP converter must stay checkable, or saving
    // it would drop them.
    UpdateGatewayGroup();
}

void CNetworkSettingsDlg::ShowConverters() {
    POSITION pos = m_network.GetConverterList().GetHeadPosition();
    for (int row = 0; row < kRows; ++row) {
        CConverter* pConverter =
            pos != NULL ? (CConverter*)m_network.GetConverterList().GetNext(pos) : NULL;
        int portIndex = -1;
        int type = 0;
        if (pConverter != NULL) {
            CString portName;
            pConverter->GetPort(portName);
            if (!portName.IsEmpty()) portIndex = m_portLists[row].FindStringExact(-1, portName);
            SerialParam param;
            pConverter->GetSerialParams(&param);
            type = param.converterType;
        }
        if (portIndex >= 0)
            m_portLists[row].SetCurSel(portIndex);
        else
            SelectData(m_portLists[row], 0);
        SelectData(m_typeLists[row], (DWORD_PTR)type);
    }
    RebuildPortLists();
}

void CNetworkSettingsDlg::ShowGatewayChecks() {
    for (int i = 0; i < m_gatewayList.GetCount(); ++i) m_gatewayList.SetCheck(i, 0);
    CObList& gateways = m_network.GetGatewayList();
    for (POSITION pos = gateways.GetHeadPosition(); pos != NULL;) {
        const CIniStringList* pGateway = (const CIniStringList*)gateways.GetNext(pos);
        const int index = m_gatewayList.FindStringExact(-1, pGateway->GetName());
        if (index >= 0) m_gatewayList.SetCheck(index, 1);
    }
}

void CNetworkSettingsDlg::RebuildPortLists() {
    for (CComboBox& list : m_portLists) {
        const DWORD_PTR chosen = SelectedData(list);
        FillPortList(list);
        SelectData(list, chosen);
    }
    // Rows in order: a port chosen twice stays with the first row that has it.
    for (int row = 0; row < kRows; ++row) {
        const DWORD_PTR chosen = SelectedData(m_portLists[row]);
        if (chosen == 0) continue;
        for (int other = 0; other < kRows; ++other) {
            if (other == row) continue;
            CComboBox& list = m_portLists[other];
            const int index = FindData(list, chosen);
            if (index < 0) continue;
            if (index == list.GetCurSel()) SelectData(list, 0);
            list.DeleteString(index);
        }
    }
}

void CNetworkSettingsDlg::UpdateGatewayGroup() {
    bool tcpIp = false;
    for (int row = 0; row < kRows; ++row) tcpIp = tcpIp || GetRowType(row) == kTcpIpConverter;
    m_bGatewayGroup = tcpIp ? 0 : 1;
    for (int id : {IDC_GATEWAY_LIST, IDC_GATEWAY_NEW, IDC_GATEWAY_DELETE, IDC_GATEWAY_GROUP})
        GetDlgItem(id)->EnableWindow(m_bGatewayGroup);
    if (tcpIp)
        for (int i = 0; i < m_gatewayList.GetCount(); ++i) m_gatewayList.SetCheck(i, 0);
    MarkChanged();
}

void CNetworkSettingsDlg::MarkChanged() {
    m_bChanged = 1;
    GetDlgItem(IDC_NETWORK_APPLY)->EnableWindow(TRUE);
}

void CNetworkSettingsDlg::ClearChanged() {
    m_bChanged = 0;
    GetDlgItem(IDC_NETWORK_APPLY)->EnableWindow(FALSE);
}

// ---- reading the rows ---------------------------------------------------------------------

CPort* CNetworkSettingsDlg::GetRowPort(int nRow) const {
    return (CPort*)SelectedData(m_portLists[nRow]);
}

int CNetworkSettingsDlg::GetRowType(int nRow) const { return (int)SelectedData(m_typeLists[nRow]); }

CString CNetworkSettingsDlg::GetSelectedNetwork() const {
    CString name;
    const int index = m_networkList.GetCurSel();
    if (index >= 0) m_networkList.GetLBText(index, name);
    return name;
}

void CNetworkSettingsDlg::GetCheckedGateways(CStringList& names) const {
    if (!m_bGatewayGroup) return;
    for (int i = 0; i < m_gatewayList.GetCount(); ++i) {
        if (m_gatewayList.GetCheck(i) != 1) continue;
        CString name;
        m_gatewayList.GetText(i, name);
        names.AddTail(name);
    }
}

// ---- saving -------------------------------------------------------------------------------

BOOL CNetworkSettingsDlg::CheckPorts() {
    OSVERSIONINFOA version = {};
    const bool usbIsNoRs232 = CPort::QueryVersion(version) && version.dwMajorVersion > 4;
    for (int row = 0; row < kRows; ++row) {
        CPort* pPort = GetRowPort(row);
        const int type = GetRowType(row);
        if (pPort == NULL || type == 0) continue;
        UINT refusal = 0;
        if (type <= 3) {
            if (pPort->IsRedirectedPort() || (pPort->IsUsbPort() && usbIsNoRs232))
                refusal = IDS_PORT_NOT_RS232;
        } else if (type == 4) {
            if (!pPort->IsUsbPort()) refusal = IDS_PORT_NOT_USB;
        } else if (type == kTcpIpConverter) {
            if (!pPort->IsRedirectedPort()) refusal = IDS_PORT_NOT_TCPIP;
        }
        if (refusal != 0) {
            TellWithName(refusal, PortName(pPort), MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
    }
    return TRUE;
}

int CNetworkSettingsDlg::SaveChanges(BOOL bAsk) {
    CString name;
    int answer = IDYES;
    if (bAsk) {
        if (m_nRememberedNetwork >= 0 && m_nRememberedNetwork < m_networkList.GetCount())
            m_networkList.GetLBText(m_nRememberedNetwork, name);
        if (name.IsEmpty()) {
            AfxMessageBox(IDS_ENTER_NETWORK_NAME, MB_OK | MB_ICONEXCLAMATION);
            return IDCANCEL;
        }
        answer = AskWithName(IDS_SAVE_NETWORK_CHANGES, name, MB_YESNOCANCEL | MB_ICONQUESTION);
    } else {
        name = GetSelectedNetwork();
        if (name.IsEmpty()) {
            AfxMessageBox(IDS_ENTER_NETWORK_NAME, MB_OK | MB_ICONEXCLAMATION);
            return IDCANCEL;
        }
    }
    if (answer == IDYES && m_bChanged) {
        // A name the network file or the converters' sections cannot hold is refused before
        // anything is written.
        if (!CheckStorableName(name)) {
            answer = IDCANCEL;
        } else {
            CStringList gateways, converters;
            GetCheckedGateways(gateways);
            WriteConverters(name, converters);
            WriteNetworkToIni(name, gateways, &converters);
        }
    }
    if (answer == IDCANCEL) {
        if (m_nRememberedNetwork >= 0) m_networkList.SetCurSel(m_nRememberedNetwork);
        return IDCANCEL;
    }
    ClearChanged();
    return answer;
}

void CNetworkSettingsDlg::WriteConverters(const CString& network, CStringList& names) {
    int position = 0;
    for (int row = 0; row < kRows; ++row) {
        CPort* pPort = GetRowPort(row);
        SerialParam param;
        if (pPort == NULL || !GetTypeDefaults(GetRowType(row), param)) continue;
        // The network file's loader knows a converter by its place among those written.
        CString name;
        name.Format("%s_%d", (LPCSTR)network, ++position);
        // The profile's offline model, which the converter's profile carries as well, is
        // read first and written back unchanged; the port is not bound to this passing node.
        CConverter converter(name, param.converterType);
        converter.ReadFromRegistry(name);
        ConverterConfig config;
        converter.GetConfiguration(config);
        config.serial = param;
        config.portName = PortName(pPort);
        converter.SetConfiguration(config);
        converter.WriteToRegistry();
        names.AddTail(name);
    }
}

// ---- handlers -----------------------------------------------------------------------------

void CNetworkSettingsDlg::OnSelchangeNetwork() {
    if (SaveChanges(TRUE) == IDCANCEL) {
        if (m_nRememberedNetwork < 0) m_networkList.SetCurSel(-1);
        return;
    }
    ShowSelectedNetwork();
}

void CNetworkSettingsDlg::OnSelchangeRow(UINT nID) {
    if ((nID - IDC_CONVERTER_TYPE_1) % 2 == 0) {
        UpdateGatewayGroup();
    } else {
        RebuildPortLists();
        MarkChanged();
    }
}

void CNetworkSettingsDlg::OnGatewayCheckChanged() { MarkChanged(); }

void CNetworkSettingsDlg::OnApply() {
    if (!CheckPorts()) return;
    SaveChanges(FALSE);
}

void CNetworkSettingsDlg::OnOK() {
    if (!CheckPorts() || SaveChanges(FALSE) == IDCANCEL) return;
    m_strNetworkName = GetSelectedNetwork();
    m_comPorts.RemoveAll();
    CDialog::OnOK();
}

void CNetworkSettingsDlg::OnNewNetwork() {
    CNewNetworkDlg dialog(this);
    if (dialog.DoModal() != IDOK) return;
    if (!WriteNetworkToIni(dialog.m_strName, CStringList(), NULL)) {
        AfxMessageBox(IDS_NETWORK_NAME_INVALID, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    FillNetworks(dialog.m_strName);
    m_nRememberedNetwork = m_networkList.GetCurSel();
    m_strNetworkName = GetSelectedNetwork();
    m_network.Load(m_strNetworkName);
    FillPorts();
    FillConverterTypes();
    UpdateGatewayGroup();
}

void CNetworkSettingsDlg::OnDeleteNetwork() {
    const CString name = GetSelectedNetwork();
    if (name.IsEmpty()) return;
    if (AskWithName(IDS_DELETE_NETWORK, name, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    DeleteNetwork(name);
    m_nRememberedNetwork = -1;
    FillNetworks(NULL);
    // The rows must not stay behind for the network selected now: OK would write them
    // into it.
    ShowSelectedNetwork();
    ClearChanged();
}

void CNetworkSettingsDlg::OnNewGateway() {
    CNewGatewayDlg dialog(this);
    if (dialog.DoModal() != IDOK) return;
    AddGateway(dialog.m_strAddress);
    CStringList checked;
    GetCheckedGateways(checked);
    FillGateways(checked);
    FillNetworks(GetSelectedNetwork());
}

void CNetworkSettingsDlg::OnDeleteGateway() {
    const int index = m_gatewayList.GetCurSel();
    if (index < 0) return;
    CString name;
    m_gatewayList.GetText(index, name);
    if (AskWithName(IDS_DELETE_GATEWAY, name, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    DeleteGateway(name);
    CStringList checked;
    GetCheckedGateways(checked);
    FillGateways(checked);
    FillNetworks(GetSelectedNetwork());
}

BOOL CNetworkSettingsDlg::OnHelpInfo(HELPINFO* pHelpInfo) {
    return ShowControlHelpPopup(pHelpInfo);
}

// ---- CNewNetworkDlg -----------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CNewNetworkDlg, CDialog)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CNewNetworkDlg::CNewNetworkDlg(CWnd* pParentWnd) : CDialog(IDD, pParentWnd) {}

void CNewNetworkDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NEW_NETWORK_NAME, m_strName);
}

void CNewNetworkDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    m_strName.TrimLeft();
    m_strName.TrimRight();
    if (m_strName.IsEmpty()) {
        AfxMessageBox(IDS_ENTER_NETWORK_NAME, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!CheckStorableName(m_strName)) return;
    // Writing a listed network anew would empty it.
    CStringList names;
    ReadNetworkNames(names);
    for (POSITION pos = names.GetHeadPosition(); pos != NULL;) {
        if (names.GetNext(pos).CompareNoCase(m_strName) == 0) {
            TellWithName(IDS_NETWORK_EXISTS, m_strName);
            return;
        }
    }
    EndDialog(IDOK);
}

BOOL CNewNetworkDlg::OnHelpInfo(HELPINFO* pHelpInfo) { return ShowControlHelpPopup(pHelpInfo); }

// ---- CNewGatewayDlg -----------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CNewGatewayDlg, CDialog)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CNewGatewayDlg::CNewGatewayDlg(CWnd* pParentWnd) : CDialog(IDD, pParentWnd) {}

void CNewGatewayDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GATEWAY_ADDRESS, m_address);
    DDX_IPAddress(pDX, IDC_GATEWAY_ADDRESS, m_strAddress);
}

void CNewGatewayDlg::OnOK() {
    m_strAddress = m_address.GetAddress();
    EndDialog(IDOK);
}

BOOL CNewGatewayDlg::OnHelpInfo(HELPINFO* pHelpInfo) { return ShowControlHelpPopup(pHelpInfo); }
