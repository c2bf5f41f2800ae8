// The program settings sheet.
#include "settingssheet.h"

#include "pcvaskdoc.h"
#include "resource.h"
#include "vaskinstrument.h"

namespace {

const char kOptionsSection[] = "Program options";
const char kCompanySection[] = "Company";

// The offline models offered, by analyzer type code ("Denrik", 6, is not).
const int kOfferedTypes[] = {1, 2, 3, 4, 5, 7, 8};
// The most components by type code 0 to 8 (as "Create New Data" has them).
const int kMaxComponents[] = {4, 2, 1, 1, 3, 1, 1, 1, 4};
const int kDefaultType = 4;
const int kLorvix62 = 8;

bool IsOffered(int nType) {
    for (int type : kOfferedTypes)
        if (type == nType) return true;
    return false;
}

CString ModelName(int nType) {
    CString name;
    name.LoadString(IDS_OFFLINE_MODEL_BASE + nType);
    return name;
}

}  // namespace

// ---- "Program options" ----------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSettingsConvPage, CPropertyPage)

const CSettingsConvPage::StoredValue CSettingsConvPage::kStoredValues[] = {
    {"Operation mode", &CSettingsConvPage::m_nOperationMode, 0},
    {"Offline instrument", &CSettingsConvPage::m_nType, kDefaultType},
    {"Has O2 Sensor", &CSettingsConvPage::m_bO2Sensor, 0},
    {"Has H2S Sensor", &CSettingsConvPage::m_bH2SSensor, 0},
    {"Number of components", &CSettingsConvPage::m_nComponents, 1},
    {"Has Heating", &CSettingsConvPage::m_bHeating, 0},
    {"Has Option Board", &CSettingsConvPage::m_bOptionBoard, 0},
};

BEGIN_MESSAGE_MAP(CSettingsConvPage, CHelpPropertyPage)
ON_BN_CLICKED(IDC_SETTINGS_OFFLINE, OnModeClicked)
ON_BN_CLICKED(IDC_SETTINGS_ONLINE, OnModeClicked)
ON_CBN_SELCHANGE(IDC_SETTINGS_TYPE, OnTypeChange)
ON_BN_CLICKED(IDC_SETTINGS_O2_SENSOR, OnMarkChanged)
ON_EN_CHANGE(IDC_SETTINGS_COMPONENTS, OnMarkChanged)
END_MESSAGE_MAP()

CSettingsConvPage::CSettingsConvPage()
    : CHelpPropertyPage(IDD_SETTINGS_CONV),
      m_nComponents(1),
      m_nOperationMode(0),
      m_bO2Sensor(0),
      m_bH2SSensor(0),
      m_bHeating(0),
      m_bOptionBoard(0),
      m_nType(kDefaultType),
      m_nMaxComponents(4),
      m_bChanged(FALSE) {}

int CSettingsConvPage::MaxComponents(int nType) {
    return IsOffered(nType) ? kMaxComponents[nType] : 4;
}

void CSettingsConvPage::DoDataExchange(CDataExchange* pDX) {
    CHelpPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SETTINGS_TYPE, m_types);
    DDX_Text(pDX, IDC_SETTINGS_COMPONENTS, m_nComponents);
    DDX_Radio(pDX, IDC_SETTINGS_OFFLINE, m_nOperationMode);
    DDX_Check(pDX, IDC_SETTINGS_O2_SENSOR, m_bO2Sensor);
    DDX_Check(pDX, IDC_SETTINGS_H2S_SENSOR, m_bH2SSensor);
    DDX_Check(pDX, IDC_SETTINGS_HEATING, m_bHeating);
    DDX_Check(pDX, IDC_SETTINGS_OPTION_BOARD, m_bOptionBoard);
}

BOOL CSettingsConvPage::OnInitDialog() {
    CHelpPropertyPage::OnInitDialog();
    CWinApp* pApp = AfxGetApp();
    for (const StoredValue& value : kStoredValues)
        this->*value.member = (int)pApp->GetProfileInt(kOptionsSection, value.name, value.nDefault);
    // Only the two modes exist: another stored number shows as online.
    if (m_nOperationMode != 0) m_nOperationMode = 1;
    // The check of OK holds the number to the type stored, until another type is picked.
    m_nMaxComponents = MaxComponents(m_nType);

    m_types.ResetContent();
    for (int type : kOfferedTypes) {
        const int index = m_types.AddString(ModelName(type));
        if (index >= 0) m_types.SetItemData(index, (DWORD_PTR)type);
    }
    const CString stored = ModelName(m_nType);
    const int index = stored.IsEmpty() ? -1 : m_types.FindStringExact(-1, stored);
    m_types.SetCurSel(index >= 0 ? index : 0);

    UpdateData(FALSE);
    m_bChanged = FALSE;
    EnableControls();
    return TRUE;
}

void CSettingsConvPage::EnableControls() {
    const BOOL offline = m_nOperationMode == 0;
    GetDlgItem(IDC_SETTINGS_TYPE)->EnableWindow(offline);
    GetDlgItem(IDC_SETTINGS_COMPONENTS)->EnableWindow(offline);
    GetDlgItem(IDC_SETTINGS_OPTION_BOARD)->EnableWindow(offline);
    BOOL heating = FALSE, sensors = FALSE;
    switch (m_nType) {
        case 1:
        case 2:
        case 5: heating = offline; break;
        case 4:
        case 7: sensors = offline; break;
        case kLorvix62: {
            // The stored flag of the analyzer selected now; the device is not asked.
            CPCVaskDoc* pDoc = CPCVaskDoc::GetActive();
            CInstrument* pNode = pDoc != NULL ? pDoc->GetCurrentInstrument() : NULL;
            heating = pNode != NULL && pNode->IsKindOf(RUNTIME_CLASS(CVaskInstrument)) &&
                      ((CVaskInstrument*)pNode)->GetStoredHeating();
            break;
        }
        default: break;
    }
    GetDlgItem(IDC_SETTINGS_O2_SENSOR)->EnableWindow(sensors);
    GetDlgItem(IDC_SETTINGS_H2S_SENSOR)->EnableWindow(sensors);
    GetDlgItem(IDC_SETTINGS_HEATING)->EnableWindow(heating);
}

void CSettingsConvPage::OnModeClicked() {
    // The mode alone: the number field may hold a text that OK refuses later.
    const int mode = IsDlgButtonChecked(IDC_SETTINGS_ONLINE) == BST_CHECKED ? 1 : 0;
    if (mode != m_nOperationMode) {
        m_nOperationMode = mode;
        MarkChanged();
    }
    EnableControls();
}

void CSettingsConvPage::OnTypeChange() {
    const int index = m_types.GetCurSel();
    if (index < 0) return;
    m_nType = (int)m_types.GetItemData(index);
    EnableControls();
    MarkChanged();
    m_nMaxComponents = MaxComponents(m_nType);
}

void CSettingsConvPage::OnMarkChanged() { MarkChanged(); }

void CSettingsConvPage::MarkChanged() {
    m_bChanged = TRUE;
    SetModified(TRUE);
}

BOOL CSettingsConvPage::OnApply() {
    if (!UpdateData(TRUE)) return FALSE;
    if (m_nComponents > m_nMaxComponents) {
        if (m_nMaxComponents == 1) {
            AfxMessageBox(IDS_ONLY_ONE_COMPONENT, MB_OK | MB_ICONEXCLAMATION);
        } else {
            CString text;
            text.Format((UINT)IDS_MAX_COMPONENTS, m_nMaxComponents);
            AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        }
        return FALSE;
    }
    if (m_nComponents < 1) {
        AfxMessageBox(IDS_MIN_COMPONENTS, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    CWinApp* pApp = AfxGetApp();
    for (const StoredValue& value : kStoredValues)
        pApp->WriteProfileInt(kOptionsSection, value.name, this->*value.member);
    m_bChanged = FALSE;
    return CHelpPropertyPage::OnApply();
}

// ---- "General settings" ---------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSettingsGeneralPage, CPropertyPage)

const CSettingsGeneralPage::StoredText CSettingsGeneralPage::kStoredTexts[] = {
    {"Company", &CSettingsGeneralPage::m_strCompany},
    {"Department", &CSettingsGeneralPage::m_strDepartment},
    {"Project", &CSettingsGeneralPage::m_strProject},
};

BEGIN_MESSAGE_MAP(CSettingsGeneralPage, CHelpPropertyPage)
ON_EN_CHANGE(IDC_SETTINGS_COMPANY, OnTextChange)
ON_EN_CHANGE(IDC_SETTINGS_DEPARTMENT, OnTextChange)
ON_EN_CHANGE(IDC_SETTINGS_PROJECT, OnTextChange)
END_MESSAGE_MAP()

CSettingsGeneralPage::CSettingsGeneralPage()
    : CHelpPropertyPage(IDD_SETTINGS_GENERAL), m_bChanged(FALSE) {}

void CSettingsGeneralPage::DoDataExchange(CDataExchange* pDX) {
    CHelpPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SETTINGS_COMPANY, m_strCompany);
    DDX_Text(pDX, IDC_SETTINGS_DEPARTMENT, m_strDepartment);
    DDX_Text(pDX, IDC_SETTINGS_PROJECT, m_strProject);
}

BOOL CSettingsGeneralPage::OnInitDialog() {
    CHelpPropertyPage::OnInitDialog();
    for (const StoredText& text : kStoredTexts)
        this->*text.member = AfxGetApp()->GetProfileString(kCompanySection, text.name);
    UpdateData(FALSE);
    // Showing the texts is no change.
    m_bChanged = FALSE;
    SetModified(FALSE);
    return TRUE;
}

void CSettingsGeneralPage::OnTextChange() {
    m_bChanged = TRUE;
    SetModified(TRUE);
}

BOOL CSettingsGeneralPage::OnApply() {
    if (m_bChanged) {
        if (!UpdateData(TRUE)) return FALSE;
        for (const StoredText& text : kStoredTexts)
            AfxGetApp()->WriteProfileString(kCompanySection, text.name, this->*text.member);
        m_bChanged = FALSE;
    }
    return CHelpPropertyPage::OnApply();
}

// ---- the sheet ------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSettingsSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CSettingsSheet, CPropertySheet)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CSettingsSheet::CSettingsSheet(CWnd* pParentWnd)
    : CPropertySheet(IDS_SETTINGS_CAPTION, pParentWnd) {
    AddPage(&m_convPage);
    AddPage(&m_generalPage);
}

BOOL CSettingsSheet::OnHelpInfo(HELPINFO* pHelpInfo) { return OnControlHelp(pHelpInfo, TRUE); }
