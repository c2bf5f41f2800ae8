// The pressure settings page of the configuration sheet.
#include "configpages.h"

#include "apputil.h"
#include "quenta.h"
#include "resource.h"
#include "sheethost.h"

namespace {
const int kGroupBurnerPressures = 18;
const char kGasSetPointKey[] = "Burngas Setpoint";
const char kAirSetPointKey[] = "Burnair Setpoint";
const char kGasToleranceKey[] = "Burngas Tolerance";
const char kAirToleranceKey[] = "Burnair Tolerance";
const char kPumpToleranceKey[] = "Burngas Deviation";
const int kTypeWithoutStandby = 2;

CString ValueText(const VaskFloat& value) { return FormatValueText(value); }

// The tolerance's text as a number (its unit text allowed behind it), rewritten "%.3f".
BOOL TakeTolerance(CString& text, VaskFloat& value) {
    CString unit;
    CVaskInstrument::GetUnitText(unit, value.unit);
    double number = 0;
    if (!StringToDouble(text, number, unit)) {
        AfxMessageBox(IDS_ENTER_NUMERIC);
        return FALSE;
    }
    CString format;
    format.LoadString(IDS_VALUE_FORMAT);
    value.text.Format(format, number);
    value.value = number;
    text = value.text;
    return TRUE;
}
}  // namespace

IMPLEMENT_DYNCREATE(CPageConfigPressureSettings, CPropertyPage)

BEGIN_MESSAGE_MAP(CPageConfigPressureSettings, CConfigPage)
ON_EN_CHANGE(IDC_CONFIG_AIR_TOLERANCE, OnControlChanged)
ON_EN_CHANGE(IDC_CONFIG_GAS_TOLERANCE, OnControlChanged)
ON_EN_CHANGE(IDC_CONFIG_PUMP_TOLERANCE, OnControlChanged)
ON_WM_TIMER()
END_MESSAGE_MAP()

CPageConfigPressureSettings::CPageConfigPressureSettings(CVaskInstrument* pInstrument)
    : CConfigPage(IDD_CONFIG_PRESSURE, pInstrument),
      m_pumpTolerance(),
      m_gasTolerance(),
      m_airTolerance(),
      m_bTolerancesRead(FALSE) {
    m_bLive = TRUE;
}

void CPageConfigPressureSettings::DoDataExchange(CDataExchange* pDX) {
    CConfigPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CONFIG_AIR_MEASURED, m_strAirMeasured);
    DDX_Text(pDX, IDC_CONFIG_GAS_MEASURED, m_strGasMeasured);
    DDX_Text(pDX, IDC_CONFIG_AIR_TOLERANCE, m_strAirTolerance);
    DDX_Text(pDX, IDC_CONFIG_GAS_TOLERANCE, m_strGasTolerance);
    DDX_Text(pDX, IDC_CONFIG_PUMP_TOLERANCE, m_strPumpTolerance);
    DDX_Text(pDX, IDC_CONFIG_AIR_SETPOINT, m_strAirSetPoint);
    DDX_Text(pDX, IDC_CONFIG_GAS_SETPOINT, m_strGasSetPoint);
}

BOOL CPageConfigPressureSettings::OnInitDialog() {
    CDialog::OnInitDialog();
    VaskFloat gasSetPoint, airSetPoint;
    BOOL bSetPoints = FALSE;
    int type = 1;
    if (IsOnline()) {
        m_bTolerancesRead = m_pInstrument->GetPressureTolerances(m_pumpTolerance, m_gasTolerance,
                                                                 m_airTolerance) != 0;
        bSetPoints = m_pInstrument->GetSetPointsPressure(gasSetPoint, airSetPoint) != 0;
        ReadMeasuredPressures();
        QuentaType read = (QuentaType)1;
        if (m_pInstrument->GetInstrumentType(read)) type = read;
    } else {
        bSetPoints = ReadGroupEntry(m_pInstrument, kGroupBurnerPressures, kGasSetPointKey,
                                    gasSetPoint, TRUE) &&
                     ReadGroupEntry(m_pInstrument, kGroupBurnerPressures, kAirSetPointKey,
                                    airSetPoint, TRUE);
        m_bTolerancesRead = ReadGroupEntry(m_pInstrument, kGroupBurnerPressures, kGasToleranceKey,
                                           m_gasTolerance, TRUE) &&
                            ReadGroupEntry(m_pInstrument, kGroupBurnerPressures, kAirToleranceKey,
                                           m_airTolerance, TRUE) &&
                            ReadGroupEntry(m_pInstrument, kGroupBurnerPressures, kPumpToleranceKey,
                                           m_pumpTolerance, TRUE);
    }
    GetDlgItem(IDC_CONFIG_PUMP_TOL_LABEL)
        ->ShowWindow(type == kTypeWithoutStandby ? SW_HIDE : SW_SHOW);
    GetDlgItem(IDC_CONFIG_STANDBY_LABEL)
        ->ShowWindow(type == kTypeWithoutStandby ? SW_SHOW : SW_HIDE);
    if (bSetPoints) {
        m_strGasSetPoint = ValueText(gasSetPoint);
        m_strAirSetPoint = ValueText(airSetPoint);
    }
    if (m_bTolerancesRead) {
        m_strGasTolerance = ValueText(m_gasTolerance);
        m_strAirTolerance = ValueText(m_airTolerance);
        m_strPumpTolerance = ValueText(m_pumpTolerance);
    }
    ShowData();
    EnableControls();
    return TRUE;
}

void CPageConfigPressureSettings::ReadMeasuredPressures() {
    if (!m_pInstrument->IsKindOf(RUNTIME_CLASS(CQuenta6))) return;
    CQuenta6* pQuenta = (CQuenta6*)m_pInstrument;
    VaskFloat air, gas;
    m_strAirMeasured = pQuenta->DiagPressureBurnAir(air) ? ValueText(air) : CString();
    m_strGasMeasured = pQuenta->DiagPressureBurnGas(gas) ? ValueText(gas) : CString();
}

void CPageConfigPressureSettings::EnableControls() {
    const BOOL bEdit = MayEdit() && m_bTolerancesRead;
    for (int id : {IDC_CONFIG_GAS_TOLERANCE, IDC_CONFIG_AIR_TOLERANCE, IDC_CONFIG_PUMP_TOLERANCE})
        EnableControl(id, bEdit);
}

BOOL CPageConfigPressureSettings::ValidateInput() {
    if (!UpdateData(TRUE)) return FALSE;
    if (!TakeTolerance(m_strPumpTolerance, m_pumpTolerance)) return FALSE;
    if (!TakeTolerance(m_strAirTolerance, m_airTolerance)) return FALSE;
    if (!TakeTolerance(m_strGasTolerance, m_gasTolerance)) return FALSE;
    return TRUE;
}

BOOL CPageConfigPressureSettings::OnApply() {
    if (!m_nModified) return CConfigPage::OnApply();
    if (!m_bTolerancesRead) return CConfigPage::OnApply();
    if (!ValidateInput()) return FALSE;
    if (IsOnline()) {
        // A failed write keeps the page open and modified.
        if (!m_pInstrument->SetPressureTolerances(m_pumpTolerance, m_gasTolerance, m_airTolerance))
            return FALSE;
    } else {
        WriteEntryValue(
            FindGroupEntry(m_pInstrument, kGroupBurnerPressures, kGasToleranceKey, TRUE),
            m_gasTolerance);
        WriteEntryValue(
            FindGroupEntry(m_pInstrument, kGroupBurnerPressures, kAirToleranceKey, TRUE),
            m_airTolerance);
        WriteEntryValue(
            FindGroupEntry(m_pInstrument, kGroupBurnerPressures, kPumpToleranceKey, TRUE),
            m_pumpTolerance);
    }
    m_nModified = 0;
    return CConfigPage::OnApply();
}

void CPageConfigPressureSettings::OnTimer(UINT_PTR) {
    if (IsOnline()) {
        // What the user typed stays: the fields are taken first.
        UpdateData(TRUE);
        ReadMeasuredPressures();
        ShowData();
    }
    Default();
}
