// The "Create New Data" dialog.
#include "newdatadlg.h"

#include "controlhelp.h"

namespace {

// The models offered: their names are the default names of their type codes (not 6).
const int kOfferedTypes[] = {1, 2, 3, 4, 5, 7, 8};
// The most components by type code 0 to 8.
const int kMaxComponents[] = {4, 2, 1, 1, 3, 1, 1, 1, 4};
const int kSindor23 = 4;

bool HasHeatingOption(int nType) {
    return nType == 1 || nType == 2 || nType == 5 || nType == 7 || nType == 8;
}

}  // namespace

BEGIN_MESSAGE_MAP(CNewDataDlg, CDialog)
ON_CBN_SELCHANGE(IDC_NEW_DATA_TYPE, OnSelChangeType)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CNewDataDlg::CNewDataDlg(CWnd* pParent)
    : CDialog(IDD, pParent),
      m_nComponents(1),
      m_bO2Sensor(0),
      m_bH2SSensor(0),
      m_bHeating(0),
      m_bOptionBoard(0),
      m_nType(0),
      m_nMaxComponents(4) {}

int CNewDataDlg::MaxComponents(int nType) {
    return nType >= 0 && nType < (int)(sizeof kMaxComponents / sizeof kMaxComponents[0])
               ? kMaxComponents[nType]
               : 4;
}

void CNewDataDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NEW_DATA_TYPE, m_typeList);
    DDX_Text(pDX, IDC_NEW_DATA_COUNT, m_nComponents);
    DDX_Check(pDX, IDC_NEW_DATA_O2, m_bO2Sensor);
    DDX_Check(pDX, IDC_NEW_DATA_H2S, m_bH2SSensor);
    DDX_Check(pDX, IDC_NEW_DATA_HEATING, m_bHeating);
    DDX_Check(pDX, IDC_NEW_DATA_BOARD, m_bOptionBoard);
}

BOOL CNewDataDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_typeList.ResetContent();
    for (int nType : kOfferedTypes) {
        CString name;
        name.LoadString(IDS_DEFAULT_NAME_BASE + nType);
        const int index = m_typeList.AddString(name);
        if (index >= 0) m_typeList.SetItemData(index, (DWORD_PTR)nType);
    }
    m_typeList.SetCurSel(0);
    OnSelChangeType();
    return TRUE;
}

int CNewDataDlg::SelectedType() {
    const int index = m_typeList.GetCurSel();
    return index < 0 ? 0 : (int)m_typeList.GetItemData(index);
}

void CNewDataDlg::OnSelChangeType() {
    if (!UpdateData(TRUE)) return;
    const int nType = SelectedType();
    GetDlgItem(IDC_NEW_DATA_O2)->EnableWindow(nType == kSindor23);
    GetDlgItem(IDC_NEW_DATA_H2S)->EnableWindow(nType == kSindor23);
    GetDlgItem(IDC_NEW_DATA_HEATING)->EnableWindow(HasHeatingOption(nType));
    m_nMaxComponents = MaxComponents(nType);
    if (m_nComponents > m_nMaxComponents) m_nComponents = m_nMaxComponents;
    UpdateData(FALSE);
}

void CNewDataDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (m_nComponents > m_nMaxComponents) {
        CString text;
        if (m_nMaxComponents == 1)
            text.LoadString(IDS_ONLY_ONE_COMPONENT);
        else
            text.Format((UINT)IDS_MAX_COMPONENTS, m_nMaxComponents);
        AfxMessageBox(text);
        return;
    }
    if (m_nComponents < 1) {
        AfxMessageBox(IDS_MIN_ONE_COMPONENT);
        return;
    }
    m_nType = SelectedType();
    EndDialog(IDOK);
}

BOOL CNewDataDlg::OnHelpInfo(HELPINFO* pHelpInfo) { return ShowControlHelpPopup(pHelpInfo); }
