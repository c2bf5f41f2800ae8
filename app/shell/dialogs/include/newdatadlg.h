// "Create New Data": the model of a blank offline data set (an analyzer with no values of
// its own yet), its number of components and its options. The models are listed in
// alphabetical order, each with its type code; a model allows its own maximum of components
// and offers the options it has (heating for Sindor 6, Parvel 6, Quenta 6, Parvel 64 and
// Lorvix 62; the O2 and H2S sensors for the Sindor 23; the optional board for every model).
// The caller reads the fields after OK.
#pragma once

#include "vaskfc.h"

#include "resource.h"

class CNewDataDlg : public CDialog {
public:
    enum { IDD = IDD_NEW_DATA };

    explicit CNewDataDlg(CWnd* pParent = NULL);

    // The most components a model of the type code may have (4 for codes out of range).
    static int MaxComponents(int nType);

    BOOL OnInitDialog() override;

    int m_nComponents;  // 1 at first
    int m_bO2Sensor;
    int m_bH2SSensor;
    int m_bHeating;
    int m_bOptionBoard;
    int m_nType;           // the chosen model's type code, set on OK
    int m_nMaxComponents;  // of the selected model

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Refuses a number of components outside 1 to the model's maximum with its message.
    void OnOK() override;
    void OnSelChangeType();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    // The type code of the selected model, 0 when none is selected.
    int SelectedType();

    CComboBox m_typeList;

    DECLARE_MESSAGE_MAP()
};
