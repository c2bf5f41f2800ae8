// The external-pressure page of the parameter sheet.
#include "paramextpressurepage.h"

#include "quenta.h"
#include "resource.h"
#include "sheethost.h"

namespace {
// The group of the Quenta 6's valves in the parameter table (its list position).
const int kExternalPressureGroup = 36;
}  // namespace

BEGIN_MESSAGE_MAP(CPageParamExtPressure, CParamPage)
ON_BN_CLICKED(IDC_PEXT_ZERO, OnValveClicked)
ON_BN_CLICKED(IDC_PEXT_SPAN, OnValveClicked)
ON_BN_CLICKED(IDC_PEXT_SAMPLE, OnValveClicked)
ON_BN_CLICKED(IDC_PEXT_CLOSED, OnValveClicked)
ON_WM_TIMER()
END_MESSAGE_MAP()

CPageParamExtPressure::CPageParamExtPressure(CVaskInstrument* pAnalyzer)
    : CParamPage(IDD_PARAM_EXT_PRESSURE, pAnalyzer), m_nValve(-1), m_bFollowDevice(TRUE) {}

void CPageParamExtPressure::DoDataExchange(CDataExchange* pDX) {
    CParamPage::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_PEXT_ZERO, m_nValve);
    DDX_Text(pDX, IDC_PEXT_PRESSURE, m_strPressure);
}

void CPageParamExtPressure::ReadValves() {
    int sample = 0, span = 0, zero = 0;
    m_pAnalyzer->GetPressureInternalValves(sample, span, zero);
    // Two flags at once: the later one in the order zero, span, sample.
    m_nValve = kAllClosed;
    if (zero) m_nValve = kZeroOpen;
    if (span) m_nValve = kSpanOpen;
    if (sample) m_nValve = kSampleOpen;
}

void CPageParamExtPressure::ReadPressure() {
    if (!IsModelOf(m_pAnalyzer, {RUNTIME_CLASS(CQuenta6)})) return;
    VaskFloat pressure;
    ((CQuenta6*)m_pAnalyzer)->DiagPressureBurnAir(pressure);
    m_strPressure = pressure.text;
}

BOOL CPageParamExtPressure::OnInitDialog() {
    CParamPage::OnInitDialog();
    if (m_pAnalyzer == NULL) return TRUE;
    if (!IsProgramOnline()) {
        static const char* const kValves[] = {"Zero gas", "Span gas", "Sample gas"};
        for (int i = 0; i < 3; ++i) {
            VaskFloat value;
            if (ReadGroupEntry(m_pAnalyzer, kExternalPressureGroup, kValves[i], value) &&
                (int)value.value != 0)
                m_nValve = i;
        }
    } else {
        ReadValves();
        ReadPressure();
    }
    const BOOL editable = MayEditParameters(m_pAnalyzer);
    for (int id : {IDC_PEXT_ZERO, IDC_PEXT_SPAN, IDC_PEXT_SAMPLE, IDC_PEXT_CLOSED})
        EnableControl(id, editable);
    UpdateData(FALSE);
    return TRUE;
}

BOOL CPageParamExtPressure::OnSetActive() {
    GetSheetHost().SetTimerTarget(this);
    return CParamPage::OnSetActive();
}

BOOL CPageParamExtPressure::OnKillActive() {
    GetSheetHost().SetTimerTarget(NULL);
    return CParamPage::OnKillActive();
}

void CPageParamExtPressure::OnCancel() {
    GetSheetHost().SetTimerTarget(NULL);
    CParamPage::OnCancel();
}

void CPageParamExtPressure::OnValveClicked() {
    m_bFollowDevice = FALSE;
    OnParamModified();
}

void CPageParamExtPressure::OnTimer(UINT_PTR nIDEvent) {
    UpdateData(TRUE);
    if (IsProgramOnline() && m_pAnalyzer != NULL) {
        if (m_bFollowDevice) ReadValves();
        ReadPressure();
    }
    UpdateData(FALSE);
    CParamPage::OnTimer(nIDEvent);
}

BOOL CPageParamExtPressure::OnApply() {
    if (!m_bModified) return CParamPage::OnApply();
    UpdateData(TRUE);
    if (IsProgramOnline()) {
        const int zero = m_nValve == kZeroOpen, span = m_nValve == kSpanOpen,
                  sample = m_nValve == kSampleOpen;
        // A failed write keeps the page modified, so that Apply can try again.
        if (!m_pAnalyzer->SetPressureInternalValves(sample, span, zero)) return FALSE;
        UpdateData(FALSE);
    }
    m_bModified = FALSE;
    return CParamPage::OnApply();
}
