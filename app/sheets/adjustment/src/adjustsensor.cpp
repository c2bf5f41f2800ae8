// The pressure sensor page of the adjustment sheet.
#include "adjustpages.h"

#include "apputil.h"
#include "lorvix.h"
#include "parvel.h"
#include "quenta.h"
#include "resource.h"
#include "sheethost.h"

IMPLEMENT_DYNCREATE(CPageAdjustSensor, CPropertyPage)

BEGIN_MESSAGE_MAP(CPageAdjustSensor, CAdjustPage)
ON_BN_CLICKED(IDC_ADJ_PRESSURE_ADJUST, OnAdjust)
ON_WM_TIMER()
END_MESSAGE_MAP()

CPageAdjustSensor::CPageAdjustSensor(CVaskInstrument* pInstrument)
    : CAdjustPage(IDD_ADJUST_SENSOR, pInstrument) {}

void CPageAdjustSensor::DoDataExchange(CDataExchange* pDX) {
    CParamPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ADJ_PRESSURE_SETPOINT, m_strSetPoint);
    DDX_Text(pDX, IDC_ADJ_PRESSURE_MEAS, m_strMeasured);
}

BOOL CPageAdjustSensor::OnInitDialog() {
    CParamPage::OnInitDialog();
    if (m_pAnalyzer == NULL) return TRUE;
    const BOOL online = IsProgramOnline();
    // Specialist, online and remote.
    BOOL enable = online && MayEditParameters(m_pAnalyzer);
    // These models have no pressure sensor to adjust.
    if (IsModelOf(m_pAnalyzer, {RUNTIME_CLASS(CLorvix6), RUNTIME_CLASS(CQuenta6),
                                RUNTIME_CLASS(CLorvix62), RUNTIME_CLASS(CParvel64)}))
        enable = FALSE;
    for (int id : {IDC_ADJ_PRESSURE_ADJUST, IDC_ADJ_PRESSURE_MEAS, IDC_ADJ_PRESSURE_SETPOINT})
        EnableControl(id, enable);
    if (online) {
        ReadPressure();
        m_strSetPoint = m_strMeasured;
    }
    PutData();
    return TRUE;
}

void CPageAdjustSensor::ReadPressure() {
    // A failed read leaves the texts as they were.
    VaskFloat pressure;
    if (!m_pAnalyzer->GetAirPressure(pressure)) return;
    m_pressure = pressure;
    m_strMeasured = FormatValueText(m_pressure);
}

BOOL CPageAdjustSensor::OnApply() { return CParamPage::OnApply(); }

void CPageAdjustSensor::OnTimer(UINT_PTR nIDEvent) {
    if (IsProgramOnline() && m_pAnalyzer != NULL) {
        // The set-point the user is typing survives the refresh.
        UpdateData(TRUE);
        ReadPressure();
        PutData();
    }
    CParamPage::OnTimer(nIDEvent);
}

void CPageAdjustSensor::OnAdjust() {
    if (!UpdateData(TRUE)) return;
    CString unit;
    CVaskInstrument::GetUnitText(unit, m_pressure.unit);
    double number = 0;
    if (!StringToDouble(m_strSetPoint, number, unit)) {
        AfxMessageBox(IDS_ENTER_NUMERIC_VALUE);
        return;
    }
    if (!IsProgramOnline() || m_pAnalyzer == NULL) return;
    VaskFloat setPoint = m_pressure;
    setPoint.value = number;
    setPoint.text = m_strSetPoint;
    // The device takes the text: it goes without the unit.
    if (!unit.IsEmpty()) {
        const int at = setPoint.text.Find(unit);
        if (at >= 0)
            setPoint.text = setPoint.text.Left(at) + setPoint.text.Mid(at + unit.GetLength());
    }
    setPoint.text.TrimLeft();
    setPoint.text.TrimRight();
    m_pAnalyzer->SetAirPressure(setPoint);
}
