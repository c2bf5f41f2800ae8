// "Program Information": the program's version line ("Korvan GA Version 1.11.05") above a
// second line, with context help for its controls.
#pragma once

#include "vaskfc.h"

class CAboutDlg : public CDialog {
public:
    // The version the about box shows.
    static const char kVersion[];

    explicit CAboutDlg(CWnd* pParentWnd = NULL);

    BOOL OnInitDialog() override;

protected:
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()
};
