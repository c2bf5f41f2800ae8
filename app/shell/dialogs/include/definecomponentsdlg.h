// "Define components": the names of the four components of one analyzer. The edits of the
// components that the analyzer lacks are disabled; OK gives the analyzer all four names and
// writes them to the profile of its model, whence every analyzer of that model reads them.
// The tree view opens it for the selected analyzer and refreshes the views after OK.
#pragma once

#include "vaskfc.h"

#include "resource.h"

class CVaskInstrument;

class CDefineComponentsDlg : public CDialog {
public:
    enum { IDD = IDD_DEFINE_COMPONENTS, kComponents = 4 };

    // The analyzer stays the caller's.
    CDefineComponentsDlg(CVaskInstrument* pAnalyzer, CWnd* pParentWnd = NULL);

    BOOL OnInitDialog() override;

    CString m_strNames[kComponents];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CVaskInstrument* m_pAnalyzer;
};
