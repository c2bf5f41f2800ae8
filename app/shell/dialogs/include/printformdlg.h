// "Print Form Selection": the print type whose form the designer edits.
#pragma once

#include "vaskfc.h"

class CPrintFormDlg : public CDialog {
    DECLARE_DYNAMIC(CPrintFormDlg)
public:
    explicit CPrintFormDlg(CWnd* pParentWnd = NULL);

    // After OK: the chosen print type (the string number of its name, 12501 to 12504), or
    // -1 when none was chosen.
    int GetPrintType() const { return m_nPrintType; }

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnDoubleClickList();

    int m_nPrintType;

    DECLARE_MESSAGE_MAP()
};
