// The sample-point page of the parameter sheet.
#include "paramswitchmpointpage.h"

#include "devicerecords.h"
#include "resource.h"

namespace {
// The switch of the sample-point selection among the device's switches.
const int kSamplePointSwitch = 12;
}  // namespace

BEGIN_MESSAGE_MAP(CPageParamSwitchMPoint, CParamPage)
ON_BN_CLICKED(IDC_PSMP_ACTIVE, OnActiveClicked)
END_MESSAGE_MAP()

CPageParamSwitchMPoint::CPageParamSwitchMPoint(CVaskInstrument* pAnalyzer)
    : CParamPage(IDD_PARAM_SWITCH_MPOINT, pAnalyzer), m_bActive(FALSE), m_bActiveRead(FALSE) {}

void CPageParamSwitchMPoint::DoDataExchange(CDataExchange* pDX) {
    CParamPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PSMP_ACTIVE, m_bActive);
}

BOOL CPageParamSwitchMPoint::OnInitDialog() {
    CParamPage::OnInitDialog();
    m_grid.AttachToDlgItem(this, IDC_PSMP_GRID);
    m_grid.Initialize(m_pAnalyzer);
    m_grid.SetPage(this);
    const BOOL online = IsProgramOnline();
    if (online && m_pAnalyzer != NULL) {
        ChannelSwitchStruct switches = {};
        m_bActiveRead = m_pAnalyzer->GetSwitches(switches);
        if (m_bActiveRead) m_bActive = switches.flags[kSamplePointSwitch] ? TRUE : FALSE;
    }
    // The switch lives on the device only: offline there is nothing to change.
    EnableControl(IDC_PSMP_ACTIVE, online && MayEditParameters(m_pAnalyzer));
    UpdateData(FALSE);
    return TRUE;
}

void CPageParamSwitchMPoint::OnActiveClicked() { OnParamModified(); }

BOOL CPageParamSwitchMPoint::OnApply() {
    if (!m_bModified) return CParamPage::OnApply();
    if (!UpdateData(TRUE)) return FALSE;
    const BOOL timesRead = m_grid.AreTimesRead();
    if (timesRead) {
        m_grid.ReadBack();
        // The times of the sample points in use; the others are written as they are.
        for (int k = 0; k < CSwitchMPointGrid::kSamplePoints; ++k)
            if (m_grid.IsSamplePointUsed(k) &&
                !CheckNumber(m_grid.m_sampleTimes[m_grid.m_timeIndex[k]]))
                return FALSE;
    }
    if (!IsProgramOnline()) {
        if (timesRead) m_grid.WriteOffline();
    } else {
        // Times that were not read are not written: the device would take six empty ones.
        if (timesRead && !m_pAnalyzer->SetSensorTimes(m_grid.m_sampleTimes)) return FALSE;
        if (m_bActiveRead && !m_pAnalyzer->SensorSwitch(m_bActive ? 1 : 0)) return FALSE;
    }
    m_bModified = FALSE;
    return CParamPage::OnApply();
}
