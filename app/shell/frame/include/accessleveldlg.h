// "Access Authorization": the access level of the login, Maintenance or Specialist;
// "Factory settings" is shown but cannot be chosen.
#pragma once

#include "vaskfc.h"

class CAccessLevelDlg : public CDialog {
    DECLARE_DYNAMIC(CAccessLevelDlg)
public:
    explicit CAccessLevelDlg(CWnd* pParentWnd = NULL);

    // The index of the chosen radio button: 0 Maintenance, 1 Specialist (the level is one
    // more).
    int m_nLevel;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()
};
