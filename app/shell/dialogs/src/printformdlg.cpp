// The print-form selection.
#include "printformdlg.h"

#include "controlhelp.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CPrintFormDlg, CDialog)

BEGIN_MESSAGE_MAP(CPrintFormDlg, CDialog)
ON_WM_HELPINFO()
ON_LBN_DBLCLK(IDC_PRINT_FORM_LIST, OnDoubleClickList)
END_MESSAGE_MAP()

CPrintFormDlg::CPrintFormDlg(CWnd* pParentWnd)
    : CDialog(IDD_PRINT_FORM, pParentWnd), m_nPrintType(-1) {}

BOOL CPrintFormDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    // The sorted list keeps each name's string number as its item data.
    for (UINT id = IDS_PRINT_TYPE_FIRST; id <= IDS_PRINT_TYPE_LAST; ++id) {
        CString name;
        if (!name.LoadString(id)) continue;
        const int index =
            (int)SendDlgItemMessage(IDC_PRINT_FORM_LIST, LB_ADDSTRING, 0, (LPARAM)(LPCSTR)name);
        if (index >= 0) SendDlgItemMessage(IDC_PRINT_FORM_LIST, LB_SETITEMDATA, index, id);
    }
    SendDlgItemMessage(IDC_PRINT_FORM_LIST, LB_SETCURSEL, 0);
    return TRUE;
}

void CPrintFormDlg::OnOK() {
    const int index = (int)SendDlgItemMessage(IDC_PRINT_FORM_LIST, LB_GETCURSEL);
    m_nPrintType =
        index >= 0 ? (int)SendDlgItemMessage(IDC_PRINT_FORM_LIST, LB_GETITEMDATA, index) : -1;
    CDialog::OnOK();
}

void CPrintFormDlg::OnDoubleClickList() { OnOK(); }

BOOL CPrintFormDlg::OnHelpInfo(HELPINFO* pHelpInfo) { return ShowControlHelpPopup(pHelpInfo); }
