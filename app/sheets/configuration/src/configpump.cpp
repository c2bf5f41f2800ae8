// The pump and sync input page and the bus telegram page of the configuration sheet.
#include "configpages.h"

#include "devicerecords.h"
#include "parvel.h"
#include "quenta.h"
#include "resource.h"
#include "sheethost.h"
#include "sindor23.h"

namespace {
const int kGroupPump = 28;
const int kGroupSyncInput = 29;
const int kGroupBus = 32;
const char kPumpKey[] = "Pump";
const char kPumpOnZeroKey[] = "Pump on setpoint";
const char kPumpOnMeasKey[] = "Pump on measuring";
const char kSyncKey[] = "Sync imput";
}  // namespace

// ---- CPageConfigSync -------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CPageConfigSync, CPropertyPage)

BEGIN_MESSAGE_MAP(CPageConfigSync, CConfigPage)
ON_BN_CLICKED(IDC_CONFIG_PUMP_ON, OnControlChanged)
ON_BN_CLICKED(IDC_CONFIG_PUMP_ZERO, OnControlChanged)
ON_BN_CLICKED(IDC_CONFIG_PUMP_MEAS, OnControlChanged)
ON_BN_CLICKED(IDC_CONFIG_SYNC_ZERO, OnControlChanged)
ON_BN_CLICKED(IDC_CONFIG_SYNC_REPORT, OnControlChanged)
END_MESSAGE_MAP()

CPageConfigSync::CPageConfigSync(CVaskInstrument* pInstrument)
    : CConfigPage(IDD_CONFIG_SYNC, pInstrument),
      m_nPumpOn(0),
      m_nPumpOnZero(0),
      m_nPumpOnMeas(0),
      m_nSyncChoice(0),
      m_bSettingRead(FALSE),
      m_bSwitchRead(FALSE) {}

void CPageConfigSync::DoDataExchange(CDataExchange* pDX) {
    CConfigPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_CONFIG_PUMP_ON, m_nPumpOn);
    DDX_Check(pDX, IDC_CONFIG_PUMP_ZERO, m_nPumpOnZero);
    DDX_Check(pDX, IDC_CONFIG_PUMP_MEAS, m_nPumpOnMeas);
    DDX_Radio(pDX, IDC_CONFIG_SYNC_ZERO, m_nSyncChoice);
}

BOOL CPageConfigSync::OnInitDialog() {
    CWaitCursor wait;
    CDialog::OnInitDialog();
    CVaskInstrument* p = m_pInstrument;
    if (IsOnline()) {
        if (p->IsKindOf(RUNTIME_CLASS(CSindor23))) {
            int sync = 0, onMeas = 0, onZero = 0;
            m_bSettingRead = p->GetPump(sync, onMeas, onZero) != 0;
            if (m_bSettingRead) {
                m_nSyncChoice = sync != 0 ? 0 : 1;
                m_nPumpOnMeas = onMeas;
                m_nPumpOnZero = onZero;
            }
        }
        ChannelSwitchStruct switches = {};
        m_bSwitchRead = p->GetSwitches(switches) != 0;
        if (m_bSwitchRead) m_nPumpOn = switches.flags[ChannelSwitchStruct::Pump] ? 1 : 0;
    } else {
        int sync = 0;
        m_bSettingRead = ReadInt(kGroupPump, kPumpOnZeroKey, m_nPumpOnZero) &&
                         ReadInt(kGroupPump, kPumpOnMeasKey, m_nPumpOnMeas) &&
                         ReadInt(kGroupSyncInput, kSyncKey, sync);
        if (m_bSettingRead) m_nSyncChoice = sync != 0 ? 0 : 1;
        m_bSwitchRead = ReadInt(kGroupPump, kPumpKey, m_nPumpOn);
    }
    EnableControls();
    ShowData();
    return TRUE;
}

void CPageConfigSync::EnableControls() {
    const BOOL bEdit = MayEdit();
    const BOOL bPumpOnly = m_pInstrument->IsKindOf(RUNTIME_CLASS(CQuenta6)) ||
                           m_pInstrument->IsKindOf(RUNTIME_CLASS(CParvel64));
    EnableControl(IDC_CONFIG_PUMP_ON, bEdit && m_bSwitchRead);
    const BOOL bSetting = bEdit && !bPumpOnly && m_bSettingRead;
    for (int id :
         {IDC_CONFIG_PUMP_ZERO, IDC_CONFIG_PUMP_MEAS, IDC_CONFIG_SYNC_ZERO, IDC_CONFIG_SYNC_REPORT})
        EnableControl(id, bSetting);
}

BOOL CPageConfigSync::OnApply() {
    if (!m_nModified) return CConfigPage::OnApply();
    if (!UpdateData(TRUE)) return FALSE;
    CVaskInstrument* p = m_pInstrument;
    if (IsOnline()) {
        // A failed write keeps the page open and modified, so that it can be applied again.
        if (p->IsKindOf(RUNTIME_CLASS(CParvel64))) {
            if (m_bSwitchRead && !((CParvel64*)p)->Pump(m_nPumpOn)) return FALSE;
        } else {
            if (m_bSettingRead &&
                !p->SetPump(m_nSyncChoice == 0 ? 1 : 0, m_nPumpOnMeas, m_nPumpOnZero))
                return FALSE;
            if (m_bSwitchRead && p->IsKindOf(RUNTIME_CLASS(CSindor23)) &&
                !((CSindor23*)p)->Pump(m_nPumpOn))
                return FALSE;
        }
    } else {
        if (m_bSettingRead) {
            WriteInt(kGroupPump, kPumpOnZeroKey, m_nPumpOnZero);
            WriteInt(kGroupPump, kPumpOnMeasKey, m_nPumpOnMeas);
            WriteInt(kGroupSyncInput, kSyncKey, m_nSyncChoice == 0 ? 1 : 0);
        }
        if (m_bSwitchRead) WriteInt(kGroupPump, kPumpKey, m_nPumpOn);
    }
    return CConfigPage::OnApply();
}

// ---- CPageConfigVask -------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CPageConfigVask, CPropertyPage)

BEGIN_MESSAGE_MAP(CPageConfigVask, CConfigPage)
ON_BN_CLICKED(IDC_CONFIG_BROADCAST, OnControlChanged)
ON_EN_CHANGE(IDC_CONFIG_CHANNEL_NAME, OnControlChanged)
END_MESSAGE_MAP()

CPageConfigVask::CPageConfigVask(CVaskInstrument* pInstrument)
    : CConfigPage(IDD_CONFIG_VASK, pInstrument),
      m_nBroadcast(0),
      m_bNameRead(FALSE),
      m_bBroadcastRead(FALSE) {}

void CPageConfigVask::DoDataExchange(CDataExchange* pDX) {
    CConfigPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CONFIG_CHANNEL_NAME, m_strChannelName);
    DDV_MaxChars(pDX, m_strChannelName, 10);
    DDX_Check(pDX, IDC_CONFIG_BROADCAST, m_nBroadcast);
}

BOOL CPageConfigVask::OnInitDialog() {
    CDialog::OnInitDialog();
    if (IsOnline()) {
        ChannelSwitchStruct switches = {};
        m_bBroadcastRead = m_pInstrument->GetSwitches(switches) != 0;
        if (m_bBroadcastRead) m_nBroadcast = switches.flags[ChannelSwitchStruct::Broadcast] ? 1 : 0;
    }
    m_bNameRead = m_pInstrument->GetChannelName(m_strChannelName) != 0;
    ShowData();
    EnableControls();
    return TRUE;
}

void CPageConfigVask::EnableControls() {
    const BOOL bEdit = MayEdit();
    EnableControl(IDC_CONFIG_BROADCAST, bEdit && IsOnline() && m_bBroadcastRead);
    EnableControl(IDC_CONFIG_CHANNEL_NAME, bEdit && m_bNameRead);
}

BOOL CPageConfigVask::OnApply() {
    if (!m_nModified) return CConfigPage::OnApply();
    if (!UpdateData(TRUE)) return FALSE;
    if (IsOnline()) {
        if (m_bBroadcastRead && !m_pInstrument->Broadcast(m_nBroadcast)) return FALSE;
        if (m_bNameRead && !m_pInstrument->SetChannelName(m_strChannelName)) return FALSE;
        GetSheetHost().RequestMessageReload();
    } else if (m_bNameRead) {
        m_pInstrument->SetChannelName(m_strChannelName);
    }
    return CConfigPage::OnApply();
}
