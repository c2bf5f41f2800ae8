// "Set Password": the old password of the current access level and the new one twice. OK
// keeps the dialog open while the new one and its confirmation differ.
#pragma once

#include "vaskfc.h"

class CSetPasswordDlg : public CDialog {
    DECLARE_DYNAMIC(CSetPasswordDlg)
public:
    // `lpszLevel`: the access level's profile entry name, shown read-only.
    explicit CSetPasswordDlg(LPCSTR lpszLevel, CWnd* pParentWnd = NULL);

    CString m_strLevel;
    CString m_strOld;
    CString m_strNew;
    CString m_strConfirm;

    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()
};
