// The instrument overview.
#include "instrumentoverviewdlg.h"

#include "accesslevel.h"
#include "controlhelp.h"
#include "converter.h"
#include "gateway.h"

IMPLEMENT_DYNAMIC(CInstrumentOverviewDlg, CDialog)

namespace {

// From "Specialist" on the choices may be changed.
const int kChoiceLevel = 2;

}  // namespace

BEGIN_MESSAGE_MAP(CInstrumentOverviewDlg, CDialog)
ON_CBN_SELCHANGE(IDC_OVERVIEW_NETWORK, OnSelchangeNetwork)
ON_WM_HELPINFO()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CInstrumentOverviewDlg::CInstrumentOverviewDlg(CObList* pNodeList, CWnd* pParentWnd)
    : CDialog(IDD, pParentWnd), m_pNodeList(pNodeList), m_children(10) {}

CInstrumentOverviewDlg::~CInstrumentOverviewDlg() { m_children.RemoveAll(); }

void CInstrumentOverviewDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OVERVIEW_NETWORK, m_networkList);
}

BOOL CInstrumentOverviewDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_grid.AttachToDlgItem(this, IDC_OVERVIEW_GRID);
    m_grid.Initialize(NULL);
    FillNetworks();
    GetDlgItem(IDOK)->EnableWindow(GetProgramAccessLevel() >= kChoiceLevel);
    return TRUE;
}

void FillNetworkNodes(CComboBox& combo, CObList* pNodeList) {
    combo.ResetContent();
    for (POSITION pos = pNodeList != NULL ? pNodeList->GetHeadPosition() : NULL; pos != NULL;) {
        CObject* pObject = pNodeList->GetNext(pos);
        if (pObject == NULL || (!pObject->IsKindOf(RUNTIME_CLASS(CConverter)) &&
                                !pObject->IsKindOf(RUNTIME_CLASS(CGateway))))
            continue;
        CInstrument* pNode = (CInstrument*)pObject;
        const int index = combo.AddString(pNode->GetDisplayName());
        if (index >= 0) combo.SetItemDataPtr(index, pNode);
    }
    combo.SetCurSel(0);
}

void CInstrumentOverviewDlg::FillNetworks() {
    FillNetworkNodes(m_networkList, m_pNodeList);
    OnSelchangeNetwork();
}

void CInstrumentOverviewDlg::OnSelchangeNetwork() {
    m_children.RemoveAll();
    const int index = m_networkList.GetCurSel();
    CInstrument* pNode = index >= 0 ? (CInstrument*)m_networkList.GetItemDataPtr(index) : NULL;
    if (pNode != NULL && (DWORD_PTR)pNode != (DWORD_PTR)CB_ERR) {
        // A gateway's analyzers hang below the gateway itself, beside its lines.
        for (POSITION pos = pNode->GetFirstChildPosition(); pos != NULL;) {
            CInstrument* pChild = pNode->GetNextChild(pos);
            if (pChild != NULL) m_children.AddTail(pChild);
        }
    }
    m_grid.FillRows(&m_children);
    m_grid.RepaintAll();
}

void CInstrumentOverviewDlg::OnOK() {
    if (GetProgramAccessLevel() < kChoiceLevel) return;
    if (!m_grid.ApplyConnectionFlags()) {
        // A refused OK leaves the analyzers as they were: the choices stay in the grid only,
        // and a later Cancel or another network cannot leave them half written.
        m_grid.RestoreConnectionFlags();
        AfxMessageBox(IDS_CONNECT_ONE_INSTRUMENT, MB_OK);
        return;
    }
    CDialog::OnOK();
}

void CInstrumentOverviewDlg::OnCancel() {
    m_grid.RestoreConnectionFlags();
    CDialog::OnCancel();
}

void CInstrumentOverviewDlg::OnDestroy() {
    m_children.RemoveAll();
    CDialog::OnDestroy();
}

BOOL CInstrumentOverviewDlg::OnHelpInfo(HELPINFO* pHelpInfo) {
    return ShowControlHelpPopup(pHelpInfo);
}
