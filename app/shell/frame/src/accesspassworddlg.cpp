// The access password dialog.
#include "accesspassworddlg.h"

#include "controlhelp.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CAccessPasswordDlg, CDialog)

BEGIN_MESSAGE_MAP(CAccessPasswordDlg, CDialog)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CAccessPasswordDlg::CAccessPasswordDlg(CWnd* pParentWnd)
    : CDialog(IDD_ACCESS_PASSWORD, pParentWnd) {}

void CAccessPasswordDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ACCESS_PASSWORD, m_strPassword);
}

BOOL CAccessPasswordDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    if (CWnd* pEdit = GetDlgItem(IDC_ACCESS_PASSWORD)) pEdit->SetFocus();
    return FALSE;
}

BOOL CAccessPasswordDlg::OnHelpInfo(HELPINFO* pHelpInfo) { return ShowControlHelpPopup(pHelpInfo); }
