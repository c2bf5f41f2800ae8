// The heating page and the warm-up page of the configuration sheet.
#include "configpages.h"

#include "devicerecords.h"
#include "lorvix.h"
#include "parvel.h"
#include "quenta.h"
#include "resource.h"
#include "sheethost.h"
#include "sindor6.h"

namespace {
const int kGroupWarmUp = 33;
const int kGroupHeating = 35;
const char kHeatingKey[] = "Heating";
const char kHeatingTempKey[] = "Nominal Temperature";
const char kWarmUpKey[] = "WarmUp State";
const char kStartKey[] = "WarmUp Start State";
const int kWarmingUp = 1;
const int kStandby = 2;
const int kTypeWithoutStandby = 2;
}  // namespace

// ---- CPageConfigHeating ----------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CPageConfigHeating, CPropertyPage)

BEGIN_MESSAGE_MAP(CPageConfigHeating, CConfigPage)
ON_BN_CLICKED(IDC_CONFIG_HEATING_ON, OnControlChanged)
ON_EN_CHANGE(IDC_CONFIG_HEATING_TEMP, OnControlChanged)
END_MESSAGE_MAP()

CPageConfigHeating::CPageConfigHeating(CVaskInstrument* pInstrument)
    : CConfigPage(IDD_CONFIG_HEATING, pInstrument),
      m_nHeatingOn(0),
      m_nTemperature(0),
      m_bSettingRead(FALSE),
      m_bSwitchRead(FALSE) {}

void CPageConfigHeating::DoDataExchange(CDataExchange* pDX) {
    CConfigPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_CONFIG_HEATING_ON, m_nHeatingOn);
    DDX_Text(pDX, IDC_CONFIG_HEATING_TEMP, m_nTemperature);
}

BOOL CPageConfigHeating::OnInitDialog() {
    CWaitCursor wait;
    CDialog::OnInitDialog();
    if (IsOnline()) {
        int flag = 0, temperature = 0;
        m_bSettingRead = m_pInstrument->GetHeating(flag, temperature) != 0;
        if (m_bSettingRead) m_nTemperature = temperature;
        ChannelSwitchStruct switches = {};
        m_bSwitchRead = m_pInstrument->GetSwitches(switches) != 0;
        if (m_bSwitchRead) m_nHeatingOn = switches.flags[ChannelSwitchStruct::Heating] ? 1 : 0;
    } else {
        m_bSwitchRead = ReadInt(kGroupHeating, kHeatingKey, m_nHeatingOn);
        m_bSettingRead = ReadInt(kGroupHeating, kHeatingTempKey, m_nTemperature);
    }
    ShowData();
    EnableControls();
    return TRUE;
}

void CPageConfigHeating::EnableControls() {
    const BOOL bEdit = MayEdit();
    CVaskInstrument* p = m_pInstrument;
    const BOOL bTemperature =
        p->IsKindOf(RUNTIME_CLASS(CParvel6)) || p->IsKindOf(RUNTIME_CLASS(CQuenta6)) ||
        p->IsKindOf(RUNTIME_CLASS(CLorvix62)) || p->IsKindOf(RUNTIME_CLASS(CSindor6));
    EnableControl(IDC_CONFIG_HEATING_ON, bEdit && m_bSwitchRead);
    EnableControl(IDC_CONFIG_HEATING_TEMP, bEdit && bTemperature && m_bSettingRead);
}

BOOL CPageConfigHeating::OnApply() {
    if (!m_nModified) return CConfigPage::OnApply();
    if (!UpdateData(TRUE)) return FALSE;
    if (IsOnline()) {
        // An unread temperature is not written: the page would send 0 °C.
        if (m_bSettingRead && !m_pInstrument->SetHeating(1, m_nTemperature)) return FALSE;
        if (m_bSwitchRead && !m_pInstrument->Heating(m_nHeatingOn)) return FALSE;
    } else {
        if (m_bSwitchRead) WriteInt(kGroupHeating, kHeatingKey, m_nHeatingOn);
        if (m_bSettingRead) WriteInt(kGroupHeating, kHeatingTempKey, m_nTemperature);
    }
    return CConfigPage::OnApply();
}

// ---- CPageConfigWarmUp -----------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CPageConfigWarmUp, CPropertyPage)

BEGIN_MESSAGE_MAP(CPageConfigWarmUp, CConfigPage)
ON_CBN_SELCHANGE(IDC_CONFIG_START_STATE, OnStartingStateChanged)
ON_WM_TIMER()
END_MESSAGE_MAP()

CPageConfigWarmUp::CPageConfigWarmUp(CVaskInstrument* pInstrument)
    : CConfigPage(IDD_CONFIG_WARMUP, pInstrument),
      m_nRefresh(1),
      m_nInstrumentType(1),
      m_bStartRead(FALSE) {
    m_bLive = TRUE;
}

void CPageConfigWarmUp::DoDataExchange(CDataExchange* pDX) {
    CConfigPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CONFIG_DEVICE_STATE, m_strState);
    DDX_Text(pDX, IDC_CONFIG_WARMUP_PHASE, m_strPhase);
}

BOOL CPageConfigWarmUp::OnInitDialog() {
    CDialog::OnInitDialog();
    const int state = m_pInstrument->GetChannelState();
    int warmUp = kWarmingUp, start = 0;
    // A failed read of the type leaves 1, as the analyzer answers then.
    m_nInstrumentType = 1;
    if (IsOnline()) {
        WarmUpStatusType w = (WarmUpStatusType)kWarmingUp;
        if (m_pInstrument->GetWarmUpState(w)) warmUp = w;
        StartStatusType s = (StartStatusType)0;
        m_bStartRead = m_pInstrument->GetStartingState(s) != 0;
        if (m_bStartRead) start = s;
        QuentaType type = (QuentaType)1;
        if (m_pInstrument->GetInstrumentType(type)) m_nInstrumentType = type;
    } else {
        ReadInt(kGroupWarmUp, kWarmUpKey, warmUp);
        m_bStartRead = ReadInt(kGroupWarmUp, kStartKey, start);
    }
    BuildTexts(state, warmUp);
    FillStartingStates(start);
    ShowData();
    EnableControls();
    return TRUE;
}

void CPageConfigWarmUp::BuildTexts(int channelState, int warmUpState) {
    m_strState.LoadString(IDS_DEVICE_STATE_BASE + channelState);
    m_strPhase.Empty();
    if (channelState == kWarmingUp) m_strPhase.LoadString(IDS_WARMUP_STATUS_BASE + warmUpState);
}

void CPageConfigWarmUp::FillStartingStates(int state) {
    CComboBox* pList = (CComboBox*)GetDlgItem(IDC_CONFIG_START_STATE);
    if (pList == NULL) return;
    pList->ResetContent();
    CString remembered;
    for (int s = 1; s <= 3; ++s) {
        CString text;
        text.LoadString(IDS_START_STATUS_BASE + s);
        const int item = pList->AddString(text);
        if (item >= 0) pList->SetItemData(item, (DWORD_PTR)s);
        if (s == state) remembered = text;
    }
    if (!remembered.IsEmpty()) pList->SelectString(-1, remembered);
}

void CPageConfigWarmUp::EnableControls() {
    EnableControl(IDC_CONFIG_START_STATE, MayEdit() && m_bStartRead);
}

void CPageConfigWarmUp::OnStartingStateChanged() {
    m_nModified = 1;
    // The timer no longer overwrites the user's choice.
    m_nRefresh = 0;
    SetModified(TRUE);
}

void CPageConfigWarmUp::OnTimer(UINT_PTR) {
    if (m_nRefresh && IsOnline()) {
        UpdateData(TRUE);
        const int state = m_pInstrument->GetChannelState();
        WarmUpStatusType w = (WarmUpStatusType)kWarmingUp;
        const int warmUp = m_pInstrument->GetWarmUpState(w) ? (int)w : kWarmingUp;
        StartStatusType s = (StartStatusType)0;
        const BOOL bStart = m_pInstrument->GetStartingState(s) != 0;
        BuildTexts(state, warmUp);
        // A failed read keeps the state shown before.
        if (bStart) {
            m_bStartRead = TRUE;
            FillStartingStates(s);
            EnableControls();
        }
        ShowData();
    }
    Default();
}

void CPageConfigWarmUp::OnCancel() {
    GetSheetHost().SetTimerTarget(NULL);
    CConfigPage::OnCancel();
}

BOOL CPageConfigWarmUp::OnApply() {
    if (!m_nModified) return CConfigPage::OnApply();
    if (!UpdateData(TRUE)) return FALSE;
    CComboBox* pList = (CComboBox*)GetDlgItem(IDC_CONFIG_START_STATE);
    const int sel = pList != NULL ? pList->GetCurSel() : CB_ERR;
    if (sel == CB_ERR) return FALSE;
    const int s = (int)pList->GetItemData(sel);
    if (IsOnline()) {
        if (m_nInstrumentType == kTypeWithoutStandby && s == kStandby) {
            AfxMessageBox(IDS_STANDBY_NOT_ALLOWED);
            m_nRefresh = 1;
            return FALSE;
        }
        if (!m_pInstrument->SetStartingState((StartStatusType)s)) return FALSE;
        GetSheetHost().RequestMessageReload();
    } else {
        WriteInt(kGroupWarmUp, kStartKey, s);
    }
    m_nRefresh = 1;
    return CConfigPage::OnApply();
}
