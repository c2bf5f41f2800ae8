// The access level dialog of the login.
#include "accessleveldlg.h"

#include "controlhelp.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CAccessLevelDlg, CDialog)

BEGIN_MESSAGE_MAP(CAccessLevelDlg, CDialog)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CAccessLevelDlg::CAccessLevelDlg(CWnd* pParentWnd)
    : CDialog(IDD_ACCESS_LEVEL, pParentWnd), m_nLevel(0) {}

void CAccessLevelDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_LEVEL_MAINTENANCE, m_nLevel);
}

BOOL CAccessLevelDlg::OnHelpInfo(HELPINFO* pHelpInfo) { return ShowControlHelpPopup(pHelpInfo); }
