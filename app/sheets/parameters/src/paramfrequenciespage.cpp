// The frequencies page of the parameter sheet.
#include "paramfrequenciespage.h"

#include "appwait.h"
#include "parvel.h"
#include "resource.h"
#include "sheethost.h"
#include "sindor6.h"

namespace {
const int kFrequencyGroup = 14;
const int kShockCompensationGroup = 15;
const int kDeviceNoResponse = 9;
const double kSindor6Frequency = 13.098;
const double kParvel6Frequency = 8.095;

// "text unit" of a value.
CString ValueText(const VaskFloat& value) { return FormatValueText(value); }

// The first entry of a group of the parameter table; NULL for an empty group.
CVaskParameter* FirstEntry(CVaskInstrument* pAnalyzer, int nGroup) {
    CParameterGroup* pGroup = pAnalyzer != NULL ? pAnalyzer->GetParameterGroup(nGroup) : NULL;
    if (pGroup == NULL || pGroup->GetParameterList().IsEmpty()) return NULL;
    return (CVaskParameter*)pGroup->GetParameterList().GetHead();
}
}  // namespace

BEGIN_MESSAGE_MAP(CPageParamFrequencies, CParamPage)
ON_BN_CLICKED(IDC_PFREQ_DEFAULTS, OnDefaults)
ON_BN_CLICKED(IDC_PFREQ_ADJUST_PHASE, OnAdjustPhase)
ON_CBN_SELCHANGE(IDC_PFREQ_COMPONENT, OnComponentChange)
ON_EN_CHANGE(IDC_PFREQ_REDUCER, OnValueEdited)
ON_EN_CHANGE(IDC_PFREQ_SETPOINT, OnValueEdited)
ON_WM_TIMER()
END_MESSAGE_MAP()

CPageParamFrequencies::CPageParamFrequencies(CVaskInstrument* pAnalyzer)
    : CParamPage(IDD_PARAM_FREQUENCIES, pAnalyzer), m_bWaiting(FALSE) {}

void CPageParamFrequencies::DoDataExchange(CDataExchange* pDX) {
    CParamPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PFREQ_COMPONENT, m_componentList);
    DDX_Text(pDX, IDC_PFREQ_REDUCER, m_strReducer);
    DDX_Text(pDX, IDC_PFREQ_E_PHI, m_strEPhi);
    DDX_Text(pDX, IDC_PFREQ_E_PHI90, m_strEPhi90);
    DDX_Text(pDX, IDC_PFREQ_SETPOINT, m_strSetpoint);
    DDX_Text(pDX, IDC_PFREQ_MEAS, m_strMeas);
    DDX_Text(pDX, IDC_PFREQ_PHASE, m_strPhase);
}

BOOL CPageParamFrequencies::IsParvel6() const {
    return IsModelOf(m_pAnalyzer, {RUNTIME_CLASS(CParvel6)});
}

BOOL CPageParamFrequencies::IsSindor6() const {
    return IsModelOf(m_pAnalyzer, {RUNTIME_CLASS(CSindor6)});
}

BOOL CPageParamFrequencies::OnInitDialog() {
    CWaitCursor wait;
    CParamPage::OnInitDialog();
    CString caption;
    if (IsSindor6())
        caption.LoadString(IDS_PFREQ_CHOPPER);
    else if (IsParvel6())
        caption.LoadString(IDS_PFREQ_MAGNETIC_FIELD);
    SetDlgItemText(IDC_PFREQ_GROUP, caption);

    m_componentList.ResetContent();
    const int count = m_pAnalyzer != NULL ? m_pAnalyzer->GetComponentCount() : 0;
    for (int c = 0; c < count; ++c) {
        const int item = m_componentList.AddString(m_pAnalyzer->GetComponentLabel(c));
        m_componentList.SetItemData(item, c);
    }
    m_componentList.SetCurSel(0);

    const BOOL online = IsProgramOnline();
    if (online) RefreshPhasing();
    if (IsParvel6()) {
        if (online)
            m_pAnalyzer->GetShockCompensation(m_shockCompensation);
        else
            ReadGroupEntry(m_pAnalyzer, kShockCompensationGroup, "Reducer", m_shockCompensation);
        m_strReducer = ValueText(m_shockCompensation);
    } else {
        m_strReducer.LoadString(IDS_UNKNOWN);
        CEdit* pReducer = (CEdit*)GetDlgItem(IDC_PFREQ_REDUCER);
        if (pReducer != NULL) pReducer->SendMessage(EM_SETREADONLY, TRUE);
    }
    if (online)
        m_pAnalyzer->GetFrequency(m_frequency);
    else
        ReadEntry(FirstEntry(m_pAnalyzer, kFrequencyGroup), m_frequency);
    m_strSetpoint = ValueText(m_frequency);

    const BOOL editable = MayEditParameters(m_pAnalyzer);
    // The device's buttons and its live values have nothing to do offline.
    static const int deviceIds[] = {IDC_PFREQ_ADJUST_PHASE, IDC_PFREQ_DEFAULTS, IDC_PFREQ_E_PHI,
                                    IDC_PFREQ_E_PHI90,      IDC_PFREQ_MEAS,     IDC_PFREQ_PHASE};
    for (int id : deviceIds) EnableControl(id, editable && online);
    EnableControl(IDC_PFREQ_SETPOINT, editable);
    EnableControl(IDC_PFREQ_REDUCER, editable && !IsParvel6());

    // The letter j of the three labels shows as phi in the Symbol font.
    m_symbolFont.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, "Symbol");
    static const int symbolIds[] = {IDC_PFREQ_PHI90_LABEL, IDC_PFREQ_PHI_LABEL,
                                    IDC_PFREQ_PHASE_LABEL};
    for (int id : symbolIds) {
        CWnd* pLabel = GetDlgItem(id);
        if (pLabel != NULL) pLabel->SetFont(&m_symbolFont);
    }
    PutData();
    return TRUE;
}

BOOL CPageParamFrequencies::OnSetActive() {
    GetSheetHost().SetTimerTarget(this);
    return CParamPage::OnSetActive();
}

BOOL CPageParamFrequencies::OnKillActive() {
    if (!CheckValues()) return FALSE;
    GetSheetHost().SetTimerTarget(NULL);
    return CParamPage::OnKillActive();
}

void CPageParamFrequencies::OnOK() {
    GetSheetHost().SetTimerTarget(NULL);
    CParamPage::OnOK();
}

void CPageParamFrequencies::OnCancel() {
    GetSheetHost().SetTimerTarget(NULL);
    CParamPage::OnCancel();
}

void CPageParamFrequencies::OnTimer(UINT_PTR nIDEvent) {
    // The adjustment's wait polls the device itself.
    if (!m_bWaiting) RefreshPhasing();
    CParamPage::OnTimer(nIDEvent);
}

void CPageParamFrequencies::OnComponentChange() { RefreshPhasing(); }

void CPageParamFrequencies::RefreshPhasing() {
    if (!IsProgramOnline() || m_pAnalyzer == NULL) return;
    const int item = m_componentList.GetCurSel();
    if (item < 0) return;
    const int c = (int)m_componentList.GetItemData(item);
    // Keeps what the user typed into the set-point.
    UpdateData(TRUE);
    m_pAnalyzer->EnableCommandReport(0);
    VaskFloat meas, phase, signal, fault;
    m_pAnalyzer->GetComponentMeas(c, meas);
    m_pAnalyzer->GetPhase(c, phase);
    m_strMeas = ValueText(meas);
    m_strPhase = ValueText(phase);
    BOOL vectors = TRUE;
    if (IsSindor6()) {
        ((CSindor6*)m_pAnalyzer)->DiagSignalVector(c, signal);
        ((CSindor6*)m_pAnalyzer)->DiagFaultVector(c, fault);
    } else if (IsParvel6()) {
        ((CParvel6*)m_pAnalyzer)->DiagSignalVector(c, signal);
        ((CParvel6*)m_pAnalyzer)->DiagFaultVector(c, fault);
    } else {
        vectors = FALSE;
    }
    m_strEPhi = vectors ? ValueText(signal) : CString();
    m_strEPhi90 = vectors ? ValueText(fault) : CString();
    m_pAnalyzer->EnableCommandReport(1);
    PutData();
}

void CPageParamFrequencies::OnDefaults() {
    if (!IsProgramOnline() || m_pAnalyzer == NULL) return;
    UpdateData(TRUE);
    m_pAnalyzer->GetFrequency(m_frequency);
    if (IsSindor6())
        m_frequency.value = kSindor6Frequency;
    else if (IsParvel6())
        m_frequency.value = kParvel6Frequency;
    CString format;
    format.LoadString(IDS_VALUE_FORMAT);
    m_frequency.text.Format(format, m_frequency.value);
    m_pAnalyzer->SetFrequency(m_frequency);
    m_pAnalyzer->GetFrequency(m_frequency);
    m_strSetpoint = ValueText(m_frequency);
    PutData();
    GetSheetHost().UpdateActiveDocument(kSheetUpdateHint);
}

BOOL CPageParamFrequencies::WaitForAdjustment() {
    int failedReads = 0;
    for (DWORD waited = 0; waited < (DWORD)kAdjustWaitMs; waited += kAdjustPollMs) {
        const int state = m_pAnalyzer->GetChannelState();
        if (state < 0) {
            if (++failedReads >= kFailedReadsLimit) return FALSE;
        } else {
            failedReads = 0;
            if (state != kAdjustingState) return TRUE;
        }
        if (m_pAnalyzer->GetState() == kNotAnsweringState) return FALSE;
        // Keeps the timer and the progress window alive meanwhile.
        ProgramWait(kAdjustPollMs);
    }
    return FALSE;
}

void CPageParamFrequencies::OnAdjustPhase() {
    if (!IsProgramOnline() || m_pAnalyzer == NULL || m_bWaiting) return;
    const int item = m_componentList.GetCurSel();
    const int c = item >= 0 ? (int)m_componentList.GetItemData(item) : 0;
    if (!m_pAnalyzer->AdjustPhase(c)) {
        // A device that starts the adjustment may not answer the request.
        CString command;
        if (m_pAnalyzer->GetLastErrorText(command).code != kDeviceNoResponse) return;
    }
    m_bWaiting = TRUE;
    CWnd* pSheet = GetParent();
    if (pSheet != NULL) pSheet->EnableWindow(FALSE);
    GetSheetHost().StartProgress(this, IDS_PHASE_ADJUST_RUNS);
    const BOOL ended = WaitForAdjustment();
    GetSheetHost().StopProgress();
    if (pSheet != NULL) pSheet->EnableWindow(TRUE);
    m_bWaiting = FALSE;
    RefreshPhasing();
    GetSheetHost().UpdateActiveDocument(kSheetUpdateHint);
    if (!ended) AfxMessageBox(IDS_ERR_ADJUST_PHASE);
}

BOOL CPageParamFrequencies::CheckValues() {
    if (!UpdateData(TRUE)) return FALSE;
    if (IsParvel6() && !TakeNumber(m_strReducer, m_shockCompensation)) {
        AfxMessageBox(IDS_ENTER_NUMERIC_VALUE);
        return FALSE;
    }
    if (!TakeNumber(m_strSetpoint, m_frequency)) {
        AfxMessageBox(IDS_ENTER_NUMERIC_VALUE);
        return FALSE;
    }
    return TRUE;
}

BOOL CPageParamFrequencies::OnApply() {
    if (!m_bModified) return CParamPage::OnApply();
    if (!CheckValues()) return FALSE;
    if (!IsProgramOnline()) {
        if (IsParvel6())
            WriteEntryValue(FindGroupEntry(m_pAnalyzer, kShockCompensationGroup, "Reducer"),
                            m_shockCompensation);
        WriteEntryValue(FirstEntry(m_pAnalyzer, kFrequencyGroup), m_frequency);
    } else {
        // A failed write keeps the page modified, so that Apply can try again.
        if (IsParvel6() && !m_pAnalyzer->SetShockCompensation(m_shockCompensation)) return FALSE;
        if (!m_pAnalyzer->SetFrequency(m_frequency)) return FALSE;
    }
    m_bModified = FALSE;
    return CParamPage::OnApply();
}
