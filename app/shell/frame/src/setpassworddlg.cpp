// The password change dialog.
#include "setpassworddlg.h"

#include "controlhelp.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CSetPasswordDlg, CDialog)

BEGIN_MESSAGE_MAP(CSetPasswordDlg, CDialog)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CSetPasswordDlg::CSetPasswordDlg(LPCSTR lpszLevel, CWnd* pParentWnd)
    : CDialog(IDD_SET_PASSWORD, pParentWnd), m_strLevel(lpszLevel) {}

void CSetPasswordDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PASSWORD_LEVEL, m_strLevel);
    DDX_Text(pDX, IDC_PASSWORD_OLD, m_strOld);
    DDX_Text(pDX, IDC_PASSWORD_NEW, m_strNew);
    DDX_Text(pDX, IDC_PASSWORD_CONFIRM, m_strConfirm);
}

void CSetPasswordDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (m_strNew != m_strConfirm) {
        AfxMessageBox(IDS_PASSWORDS_DIFFER);
        m_strNew.Empty();
        m_strConfirm.Empty();
        UpdateData(FALSE);
        GotoDlgCtrl(GetDlgItem(IDC_PASSWORD_NEW));
        return;
    }
    EndDialog(IDOK);
}

BOOL CSetPasswordDlg::OnHelpInfo(HELPINFO* pHelpInfo) { return ShowControlHelpPopup(pHelpInfo); }
