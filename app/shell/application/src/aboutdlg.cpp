// The about box.
#include "aboutdlg.h"

#include "controlhelp.h"
#include "resource.h"

const char CAboutDlg::kVersion[] = "1.11.05";

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* pParentWnd) : CDialog(IDD_ABOUTBOX, pParentWnd) {}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CString format, line;
    format.LoadString(IDS_ABOUT_VERSION);
    line.Format(format, kVersion);
    SetDlgItemText(IDC_ABOUT_VERSION, line);
    return TRUE;
}

BOOL CAboutDlg::OnHelpInfo(HELPINFO* pHelpInfo) { return ShowControlHelpPopup(pHelpInfo); }
