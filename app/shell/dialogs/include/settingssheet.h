// "Program configuration": the program's settings in the application profile. The page
// "Program options" holds the operation mode at start-up and the offline analyzer (section
// "Program options"), the page "General settings" the company, department and project that
// printed forms show (section "Company"). Each page reads its values when it opens and writes
// them on OK or Apply; the start-up, the document and the printing read them from there.
#pragma once

#include "helppropertypage.h"

#include "vaskfc.h"

class CSettingsConvPage : public CHelpPropertyPage {
    DECLARE_DYNAMIC(CSettingsConvPage)
public:
    CSettingsConvPage();

    // The most components of an offline analyzer of the type code (1 to 8); 4 for others.
    static int MaxComponents(int nType);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Refuses a number of components that the type cannot have; else writes the seven
    // values.
    BOOL OnApply() override;

    void EnableControls();
    void OnModeClicked();
    void OnTypeChange();
    void OnMarkChanged();
    void MarkChanged();

    // The stored values: profile name, member and default, in the order OK writes them.
    struct StoredValue {
        const char* name;
        int CSettingsConvPage::*member;
        int nDefault;
    };
    static const StoredValue kStoredValues[];

    CComboBox m_types;
    int m_nComponents;
    int m_nOperationMode;
    int m_bO2Sensor;
    int m_bH2SSensor;
    int m_bHeating;
    int m_bOptionBoard;
    int m_nType;
    int m_nMaxComponents;
    BOOL m_bChanged;

    DECLARE_MESSAGE_MAP()
};

class CSettingsGeneralPage : public CHelpPropertyPage {
    DECLARE_DYNAMIC(CSettingsGeneralPage)
public:
    CSettingsGeneralPage();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    void OnTextChange();

    struct StoredText {
        const char* name;
        CString CSettingsGeneralPage::*member;
    };
    static const StoredText kStoredTexts[];

    CString m_strCompany;
    CString m_strDepartment;
    CString m_strProject;
    BOOL m_bChanged;

    DECLARE_MESSAGE_MAP()
};

class CSettingsSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CSettingsSheet)
public:
    explicit CSettingsSheet(CWnd* pParentWnd = NULL);

protected:
    // Help on a control of the sheet or its pages: the control's pop-up (not for the tabs).
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    CSettingsConvPage m_convPage;
    CSettingsGeneralPage m_generalPage;

    DECLARE_MESSAGE_MAP()
};
