// "Access Password": the password of the access level chosen at the login. The dialog only
// collects the text; the login compares it.
#pragma once

#include "vaskfc.h"

class CAccessPasswordDlg : public CDialog {
    DECLARE_DYNAMIC(CAccessPasswordDlg)
public:
    explicit CAccessPasswordDlg(CWnd* pParentWnd = NULL);

    // After OK: the text typed (empty when nothing was typed).
    CString m_strPassword;

    // Centred over its parent, the cursor in the password field.
    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()
};
