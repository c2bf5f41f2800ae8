// The range adjustment page of the adjustment sheet and its grid.
#include "adjustpages.h"

#include "apputil.h"
#include "posbox.h"
#include "resource.h"
#include "sheethost.h"
#include "sindor23.h"
#include "sindor6.h"

namespace {
const int kEditLevel = 2;
const int kRemote = 2;
const int kH2SComponent = 2;
const int kO2Component = 3;
const int kGroupAdjustGases = 5;
const int kGroupO2Sensor = 30;
const int kGroupH2SSensor = 31;
const char kCommonZeroKey[] = "Concerted Zero Calibration";
const char kDateKey[] = "Installation date";
const char kO2SetPointKey[] = "Set-point (air)";
const char kH2SSetPointKey[] = "Set-point";

// Calibrations started from the grid whose prompts are still open, in the whole process.
int g_nCalibrationDepth = 0;

BOOL IsSpecialist() { return GetSheetHost().GetAccessLevel() >= kEditLevel; }

BOOL IsRemote(CVaskInstrument* pAnalyzer) { return pAnalyzer->GetState() == kRemote; }

CString ComponentKey(LPCSTR lpszFormat, int c, int r = 0) {
    CString key;
    key.Format(lpszFormat, c + 1, r + 1);
    return key;
}

// A date as the page shows it ("%d.%m.%Y").
CString DateText(const CTime& time) {
    CString format;
    format.LoadString(IDS_DATE_FORMAT);
    return time.Format(format);
}

// OK starts the stage of the component's calibration, Cancel returns the channel to measuring.
void AnswerCalibrationPrompt(CVaskInstrument* pAnalyzer, int nAnswer, int nComponent) {
    if (nAnswer == IDOK)
        pAnalyzer->SetCompStage(nComponent);
    else
        pAnalyzer->Measure();
}
}  // namespace

// ---- CAdjustRangeGrid ------------------------------------------------------------------------

CAdjustRangeGrid::CAdjustRangeGrid() : m_pAnalyzer(NULL), m_pOwner(NULL), m_nRanges(0) {
    memset(m_switches, 0, sizeof(m_switches));
    for (int c = 0; c < kGridComponents; ++c) m_bRead[c] = FALSE;
}

int CAdjustRangeGrid::RowCount() {
    int rows = m_pAnalyzer != NULL ? m_pAnalyzer->GetComponentCount() : 0;
    return rows > kGridComponents ? kGridComponents : (rows < 0 ? 0 : rows);
}

void CAdjustRangeGrid::Initialize(CObject* pAnalyzer) {
    CWaitCursor wait;
    m_pAnalyzer = AsAnalyzer(pAnalyzer);
    CParamGrid::Initialize(pAnalyzer);
    if (m_pAnalyzer == NULL) return;
    m_nRanges = m_pAnalyzer->GetRangeCount();
    if (m_nRanges > kGridRanges) m_nRanges = kGridRanges;
    if (m_nRanges < 0) m_nRanges = 0;
    const int rows = RowCount();
    const int n = m_nRanges;
    const BOOL bSindor23 = m_pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23));
    SetRowCount(rows);
    SetColCount(n + 3);
    SetColReadOnly(0, TRUE);
    SetLockedColumnCount(1);
    for (int col = 1; col <= n + 1; ++col) SetColButton(col, IDB_CALIBRATE_UP, IDB_CALIBRATE_DOWN);
    // A Sindor 23 has no zero gases to calibrate from here.
    if (bSindor23) {
        SetColCellType(GetZeroCol(), 0);
        for (int row = 0; row < rows; ++row) SetCellButtonBitmaps(GetZeroCol(), row, 0, 0);
    }
    SetColCheckBox(GetSwitchCol());

    CStringArray headings;
    SplitCommaText(IDS_ADJ_GRID_HEADINGS, headings);
    for (int i = 0; i < 3 && i < headings.GetSize(); ++i) SetCellText(i - 1, -1, headings[i]);
    CString format;
    format.LoadString(IDS_ADJ_SETPOINT_RANGE);
    for (int r = 0; r < n; ++r) {
        CString heading;
        heading.Format(format, r + 1);
        SetCellText(r + 2, -1, heading);
    }
    if (headings.GetSize() > 3) SetCellText(GetSwitchCol(), -1, headings[3]);
    FormatHeadings();
    for (int row = 0; row < rows; ++row) SetCellText(-1, row, m_pAnalyzer->GetComponentLabel(row));

    // Five columns and four and a half rows fill the window.
    CRect rect(0, 0, 0, 0);
    if (m_hWnd != NULL) GetWindowRect(&rect);
    const int width = rect.Width() / 5;
    const int height = (int)(rect.Height() / 4.5);
    for (int col = -1; col <= GetSwitchCol(); ++col) SetColumnWidth(col, width);
    SetColumnHeadingHeight(height);
    for (int row = 0; row < rows; ++row) SetRowHeight(row, height);

    const COLORREF menu = ::GetSysColor(COLOR_MENU);
    if (!MayEditParameters(m_pAnalyzer)) {
        for (int col = 1; col <= GetSwitchCol(); ++col) {
            SetColReadOnly(col, TRUE);
            SetColBackColor(col, menu);
        }
    } else if (bSindor23) {
        SetColReadOnly(GetZeroCol(), TRUE);
        SetColBackColor(GetZeroCol(), menu);
    }
    LayoutChildWindows();
}

void CAdjustRangeGrid::WriteValueCell(int nCol, int nRow, const VaskFloat& value) {
    SetCellText(nCol, nRow, value.text.IsEmpty() ? CString() : FormatValueText(value));
}

void CAdjustRangeGrid::Fill(BOOL bFull) {
    if (m_pAnalyzer == NULL) return;
    const BOOL online = IsProgramOnline();
    const int rows = RowCount();
    VaskFloat measured[kAccessRangeValues];
    if (online && m_pAnalyzer->GetMeas(measured)) {
        for (int c = 0; c < kGridComponents; ++c) m_measured[c] = measured[c];
    } else if (!online) {
        for (int c = 0; c < kGridComponents; ++c) m_measured[c].text.Empty();
    }
    for (int row = 0; row < rows; ++row) WriteValueCell(0, row, m_measured[row]);
    if (!bFull) return;

    CWaitCursor wait;
    const BOOL bSindor23 = m_pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23));
    for (int c = 0; c < rows; ++c) {
        BOOL spanRead = TRUE, zeroRead = TRUE, switchRead = TRUE;
        if (online) {
            VaskFloat span[kAccessRangeValues];
            spanRead = m_pAnalyzer->GetSlopeGas(c, span) != 0;
            if (spanRead)
                for (int r = 0; r < kGridRanges; ++r) m_spanGas[c][r] = span[r];
            zeroRead = m_pAnalyzer->GetNullGas(c, m_zeroGas[c]) != 0;
            switchRead = m_pAnalyzer->GetCompSwitches(c, m_switches[c]) != 0;
        } else {
            for (int r = 0; r < m_nRanges; ++r)
                spanRead =
                    ReadGroupEntry(m_pAnalyzer, kGroupAdjustGases,
                                   ComponentKey("C%d: Range %d:", c, r), m_spanGas[c][r], TRUE) &&
                    spanRead;
            zeroRead = ReadGroupEntry(m_pAnalyzer, kGroupAdjustGases, ComponentKey("C%d: Zero", c),
                                      m_zeroGas[c], TRUE);
            int all = 0;
            switchRead = ReadGroupInt(m_pAnalyzer, kGroupAdjustGases,
                                      ComponentKey("C%d: Total Range Calibration", c), all, TRUE);
            m_switches[c].adjustAll = all;
        }
        // What could not be read is not written back either: the row stays blank and locked.
        // A Sindor 23 has no zero gas of its own.
        m_bRead[c] = spanRead && switchRead && (zeroRead || bSindor23);
        if (!m_bRead[c]) {
            BlankUnreadRow(*this, c, 1, GetSwitchCol());
            continue;
        }
        for (int r = 0; r < m_nRanges; ++r) WriteValueCell(r + 2, c, m_spanGas[c][r]);
        SetCellInt(GetSwitchCol(), c, m_switches[c].adjustAll ? 1 : 0);
        if (zeroRead) WriteValueCell(GetZeroCol(), c, m_zeroGas[c]);
    }
    // Every column a fifth of the window, wider where a value with its calibration button
    // needs it.
    FitColumnWidths(*this, -1, std::vector<int>(GetSwitchCol() + 2, GetGridWidth(*this) / 5));
}

void CAdjustRangeGrid::ReadBack() {
    for (int c = 0; c < RowCount(); ++c) {
        if (!m_bRead[c]) continue;
        LPCSTR zero = GetCellText(GetZeroCol(), c);
        m_zeroGas[c].text = zero != NULL ? zero : "";
        for (int r = 0; r < m_nRanges; ++r) {
            LPCSTR span = GetCellText(r + 2, c);
            m_spanGas[c][r].text = span != NULL ? span : "";
        }
        m_switches[c].adjustAll = GetCellInt(GetSwitchCol(), c) != 0;
    }
}

void CAdjustRangeGrid::OnCellChanged(int nCol, int nRow) {
    if (nCol == GetSwitchCol() && nRow >= 0 && nRow < kGridComponents)
        m_switches[nRow].adjustAll = GetCellInt(nCol, nRow) != 0;
    if (m_pOwner != NULL) m_pOwner->OnParamModified();
}

void CAdjustRangeGrid::OnCellButton(int nCol, int nRow) {
    // A calibration still in its prompts is not joined by another.
    if (m_pOwner == NULL || CPageAdjustRange::GetCalibrationDepth() > 0) return;
    m_pOwner->StartRangeCalibration(nRow, nCol - 2);
}

// ---- CAdjustPage --------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CAdjustPage, CParamPage)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CAdjustPage::CAdjustPage(UINT nIDTemplate, CVaskInstrument* pInstrument)
    : CParamPage(nIDTemplate, pInstrument) {}

BOOL CAdjustPage::OnSetActive() {
    GetSheetHost().SetTimerTarget(this);
    return CParamPage::OnSetActive();
}

BOOL CAdjustPage::OnKillActive() {
    GetSheetHost().SetTimerTarget(NULL);
    return CParamPage::OnKillActive();
}

void CAdjustPage::OnDestroy() {
    // OK and Cancel reach only the pages that were shown; the sheet ends with all of them.
    GetSheetHost().SetTimerTarget(NULL);
    CParamPage::OnDestroy();
}

// ---- CPageAdjustRange --------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CPageAdjustRange, CPropertyPage)

BEGIN_MESSAGE_MAP(CPageAdjustRange, CAdjustPage)
ON_EN_CHANGE(IDC_ADJ_O2_SETPOINT, OnEdited)
ON_EN_CHANGE(IDC_ADJ_O2_DATE, OnEdited)
ON_EN_CHANGE(IDC_ADJ_H2S_SETPOINT, OnEdited)
ON_EN_CHANGE(IDC_ADJ_H2S_DATE, OnEdited)
ON_BN_CLICKED(IDC_ADJ_COMMON_ZERO, OnEdited)
ON_BN_CLICKED(IDC_ADJ_O2_ZERO, OnO2Zero)
ON_BN_CLICKED(IDC_ADJ_O2_RISE, OnO2Rise)
ON_BN_CLICKED(IDC_ADJ_H2S_ZERO, OnH2SZero)
ON_BN_CLICKED(IDC_ADJ_H2S_RISE, OnH2SRise)
ON_WM_TIMER()
END_MESSAGE_MAP()

CPageAdjustRange::CPageAdjustRange(CVaskInstrument* pInstrument)
    : CAdjustPage(IDD_ADJUST_RANGE, pInstrument),
      m_nCommonZero(0),
      m_bO2DateRead(FALSE),
      m_bH2SDateRead(FALSE),
      m_bNewFirmware(FALSE) {}

int CPageAdjustRange::GetCalibrationDepth() { return g_nCalibrationDepth; }

void CPageAdjustRange::DoDataExchange(CDataExchange* pDX) {
    CParamPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ADJ_O2_DATE, m_strO2Date);
    DDX_Text(pDX, IDC_ADJ_O2_MEAS, m_strO2Measured);
    DDX_Text(pDX, IDC_ADJ_O2_SETPOINT, m_strO2SetPoint);
    DDX_Check(pDX, IDC_ADJ_COMMON_ZERO, m_nCommonZero);
    DDX_Text(pDX, IDC_ADJ_H2S_DATE, m_strH2SDate);
    DDX_Text(pDX, IDC_ADJ_H2S_MEAS, m_strH2SMeasured);
    DDX_Text(pDX, IDC_ADJ_H2S_SETPOINT, m_strH2SSetPoint);
}

BOOL CPageAdjustRange::IsSindor23() const {
    return IsModelOf(m_pAnalyzer, {RUNTIME_CLASS(CSindor23)});
}

BOOL CPageAdjustRange::HasO2() const {
    return IsSindor23() && ((CSindor23*)m_pAnalyzer)->HasO2Sensor();
}

BOOL CPageAdjustRange::HasH2S() const {
    return IsSindor23() && ((CSindor23*)m_pAnalyzer)->HasH2SSensor();
}

BOOL CPageAdjustRange::OnInitDialog() {
    CParamPage::OnInitDialog();
    if (m_pAnalyzer == NULL) return TRUE;
    m_grid.AttachToDlgItem(this, IDC_ADJ_GRID);
    m_grid.SetOwner(this);
    m_grid.Initialize(m_pAnalyzer);
    const BOOL online = IsProgramOnline();
    if (online) {
        ChannelSwitchStruct switches = {};
        if (m_pAnalyzer->GetSwitches(switches))
            m_nCommonZero = switches.flags[ChannelSwitchStruct::CommonZero] ? 1 : 0;
    } else {
        int common = 0;
        if (ReadGroupInt(m_pAnalyzer, kGroupAdjustGases, kCommonZeroKey, common, TRUE))
            m_nCommonZero = common != 0;
    }
    // The firmware decides how the O2 set-point is adjusted; it is asked once.
    m_bNewFirmware = IsSindor23() && ((CSindor23*)m_pAnalyzer)->FetchFirmwareVersions();
    ReadSensors();
    EnableControls();
    PutData();
    m_grid.Fill(TRUE);
    return TRUE;
}

void CPageAdjustRange::ReadSensors() {
    if (!IsSindor23()) {
        m_strO2Date.Empty(), m_strO2Measured.Empty(), m_strO2SetPoint.Empty();
        m_strH2SDate.Empty(), m_strH2SMeasured.Empty(), m_strH2SSetPoint.Empty();
        return;
    }
    CSindor23* pSindor = (CSindor23*)m_pAnalyzer;
    if (ReadGroupEntry(m_pAnalyzer, kGroupO2Sensor, kO2SetPointKey, m_o2SetPoint, TRUE))
        m_strO2SetPoint = FormatValueText(m_o2SetPoint);
    if (ReadGroupEntry(m_pAnalyzer, kGroupH2SSensor, kH2SSetPointKey, m_h2sSetPoint, TRUE))
        m_strH2SSetPoint = FormatValueText(m_h2sSetPoint);
    if (IsProgramOnline()) {
        if (pSindor->HasH2SSensor()) {
            CTime date;
            pSindor->GetDateH2S(date);
            m_bH2SDateRead = !pSindor->H2SDateReadFailed();
            m_strH2SDate = m_bH2SDateRead ? DateText(date) : CString();
        } else {
            m_strH2SDate.Empty(), m_strH2SMeasured.Empty(), m_strH2SSetPoint.Empty();
        }
        ShowSensorMeasured();
        if (pSindor->HasO2Sensor()) {
            CTime date;
            pSindor->GetDateOxy(date);
            m_bO2DateRead = !pSindor->O2DateReadFailed();
            m_strO2Date = m_bO2DateRead ? DateText(date) : CString();
        }
    } else {
        VaskFloat date;
        if (ReadGroupEntry(m_pAnalyzer, kGroupO2Sensor, kDateKey, date, TRUE)) {
            m_strO2Date = date.text;
            m_bO2DateRead = TRUE;
        }
        if (pSindor->HasH2SSensor() &&
            ReadGroupEntry(m_pAnalyzer, kGroupH2SSensor, kDateKey, date, TRUE)) {
            m_strH2SDate = date.text;
            m_bH2SDateRead = TRUE;
        }
    }
}

void CPageAdjustRange::ShowSensorMeasured() {
    VaskFloat measured[kAccessRangeValues];
    if (!m_pAnalyzer->GetMeas(measured)) return;
    if (HasH2S()) m_strH2SMeasured = FormatValueText(measured[kH2SComponent]);
    if (HasO2()) m_strO2Measured = FormatValueText(measured[kO2Component]);
}

void CPageAdjustRange::EnableControls() {
    for (int id : {IDC_ADJ_O2_RISE, IDC_ADJ_O2_DATE, IDC_ADJ_O2_MEAS, IDC_ADJ_O2_SETPOINT,
                   IDC_ADJ_O2_ZERO, IDC_ADJ_H2S_RISE, IDC_ADJ_H2S_DATE, IDC_ADJ_H2S_MEAS,
                   IDC_ADJ_H2S_SETPOINT, IDC_ADJ_H2S_ZERO, IDC_ADJ_COMMON_ZERO})
        EnableControl(id, FALSE);
    const BOOL online = IsProgramOnline();
    // The switch and the sensor buttons follow the analyzer's remote state online, not the
    // grid's access rule: a Maintenance user may start a sensor calibration.
    const BOOL mayStart = IsSpecialist() || (online && IsRemote(m_pAnalyzer));
    if (IsModelOf(m_pAnalyzer, {RUNTIME_CLASS(CSindor6)}) && m_pAnalyzer->GetComponentCount() == 2)
        EnableControl(IDC_ADJ_COMMON_ZERO, mayStart);
    if (!IsSindor23()) return;
    const struct {
        BOOL present;
        int date, measured, setPoint, zero, rise;
        BOOL dateRead;
    } sensors[] = {{HasH2S(), IDC_ADJ_H2S_DATE, IDC_ADJ_H2S_MEAS, IDC_ADJ_H2S_SETPOINT,
                    IDC_ADJ_H2S_ZERO, IDC_ADJ_H2S_RISE, m_bH2SDateRead},
                   {HasO2(), IDC_ADJ_O2_DATE, IDC_ADJ_O2_MEAS, IDC_ADJ_O2_SETPOINT, IDC_ADJ_O2_ZERO,
                    IDC_ADJ_O2_RISE, m_bO2DateRead}};
    for (const auto& s : sensors) {
        if (!s.present) continue;
        // A date that could not be read stays empty and locked.
        EnableControl(s.date, !online || s.dateRead);
        EnableControl(s.measured, TRUE);
        EnableControl(s.setPoint, m_bNewFirmware || !online);
        EnableControl(s.zero, mayStart);
        EnableControl(s.rise, mayStart);
    }
}

void CPageAdjustRange::OnCancel() {
    GetSheetHost().SetTimerTarget(NULL);
    CAdjustPage::OnCancel();
}

void CPageAdjustRange::OnTimer(UINT_PTR nIDEvent) {
    m_grid.Fill(FALSE);
    if (IsProgramOnline() && m_pAnalyzer != NULL) {
        // What the user typed stays.
        UpdateData(TRUE);
        if (IsSindor23()) ShowSensorMeasured();
        m_grid.RepaintAll();
        PutData();
    }
    CParamPage::OnTimer(nIDEvent);
}

BOOL CPageAdjustRange::TakeSetPoint(CString& text, VaskFloat& value) {
    if (!TakeNumber(text, value)) {
        AfxMessageBox(IDS_ENTER_NUMERIC_VALUE);
        return FALSE;
    }
    text = FormatValueText(value);
    return TRUE;
}

BOOL CPageAdjustRange::Validate() {
    if (!m_bModified) return TRUE;
    if (!UpdateData(TRUE)) return FALSE;
    m_grid.ReadBack();
    const BOOL online = IsProgramOnline();
    if (online && IsSindor23()) {
        const struct {
            BOOL check;
            const CString& text;
        } dates[] = {{HasH2S() && m_bH2SDateRead, m_strH2SDate},
                     {HasO2() && m_bO2DateRead, m_strO2Date}};
        for (const auto& d : dates) {
            CTime parsed;
            if (d.check && !ParseDateTimeText(d.text, parsed)) {
                AfxMessageBox(IDS_ENTER_VALID_DATE);
                return FALSE;
            }
        }
    }
    // The sensors' set-points that will be written are numbers (their unit allowed).
    if (HasH2S() && !TakeSetPoint(m_strH2SSetPoint, m_h2sSetPoint)) return FALSE;
    if (HasO2() && (!online || m_bNewFirmware) && !TakeSetPoint(m_strO2SetPoint, m_o2SetPoint))
        return FALSE;
    // Zero gases (none on a Sindor 23) and set-points, online and offline alike: the number
    // converted is the one written.
    const int rows = m_grid.GetRowCount();
    for (int c = 0; c < rows; ++c) {
        if (!m_grid.IsRowRead(c)) continue;
        if (!IsSindor23() && !CheckNumber(m_grid.m_zeroGas[c])) return FALSE;
        for (int r = 0; r < m_grid.GetRangeCount(); ++r)
            if (!CheckNumber(m_grid.m_spanGas[c][r])) return FALSE;
    }
    // The accepted texts as they are stored ("%.3f").
    for (int c = 0; c < rows; ++c) {
        if (!m_grid.IsRowRead(c)) continue;
        if (!IsSindor23()) m_grid.SetCellText(1, c, FormatValueText(m_grid.m_zeroGas[c]));
        for (int r = 0; r < m_grid.GetRangeCount(); ++r)
            m_grid.SetCellText(r + 2, c, FormatValueText(m_grid.m_spanGas[c][r]));
    }
    m_grid.RepaintAll();
    return TRUE;
}

BOOL CPageAdjustRange::OnApply() {
    if (!m_bModified || m_pAnalyzer == NULL) return CParamPage::OnApply();
    if (!Validate()) return FALSE;
    const BOOL twoComponentSindor6 =
        IsModelOf(m_pAnalyzer, {RUNTIME_CLASS(CSindor6)}) && m_pAnalyzer->GetComponentCount() == 2;
    const int rows = m_grid.GetRowCount();
    if (IsProgramOnline()) {
        if (twoComponentSindor6 && !m_pAnalyzer->CommonZero(m_nCommonZero)) return FALSE;
        CSindor23* pSindor = IsSindor23() ? (CSindor23*)m_pAnalyzer : NULL;
        if (pSindor != NULL && pSindor->HasH2SSensor()) {
            CTime stored, typed;
            pSindor->GetDateH2S(stored);
            if (m_bH2SDateRead && m_strH2SDate != DateText(stored) &&
                ParseDateTimeText(m_strH2SDate, typed))
                pSindor->SetDateH2S(typed);
            if (!m_pAnalyzer->SetSlopeGasH2S(kH2SComponent, m_h2sSetPoint)) return FALSE;
        }
        if (pSindor != NULL && pSindor->HasO2Sensor()) {
            CTime stored, typed;
            pSindor->GetDateOxy(stored);
            if (m_bO2DateRead && m_strO2Date != DateText(stored) &&
                ParseDateTimeText(m_strO2Date, typed))
                pSindor->SetDateOxy(typed);
            if (m_bNewFirmware && !m_pAnalyzer->SetSlopeGasO2(kO2Component, m_o2SetPoint))
                return FALSE;
        }
        for (int c = 0; c < rows; ++c) {
            if (!m_grid.IsRowRead(c)) continue;
            VaskFloat span[kAccessRangeValues];
            for (int r = 0; r < kGridRanges; ++r) span[r] = m_grid.m_spanGas[c][r];
            if (!m_pAnalyzer->AdjustAll(c, m_grid.m_switches[c].adjustAll ? 1 : 0) ||
                !m_pAnalyzer->SetNullGas(c, m_grid.m_zeroGas[c]) ||
                !m_pAnalyzer->SetSlopeGas(c, span))
                return FALSE;
        }
    } else {
        if (twoComponentSindor6)
            WriteEntryInt(FindGroupEntry(m_pAnalyzer, kGroupAdjustGases, kCommonZeroKey, TRUE),
                          m_nCommonZero);
        const struct {
            BOOL present;
            int group;
            const char* setPointKey;
            const CString& date;
            const VaskFloat& setPoint;
        } sensors[] = {{HasO2(), kGroupO2Sensor, kO2SetPointKey, m_strO2Date, m_o2SetPoint},
                       {HasH2S(), kGroupH2SSensor, kH2SSetPointKey, m_strH2SDate, m_h2sSetPoint}};
        for (const auto& s : sensors) {
            if (!s.present) continue;
            CTime date;
            if (ParseDateTimeText(s.date, date)) {
                VaskFloat value;
                value.value = (double)date.GetTime();
                WriteEntryValue(FindGroupEntry(m_pAnalyzer, s.group, kDateKey, TRUE), value);
            }
            WriteEntryValue(FindGroupEntry(m_pAnalyzer, s.group, s.setPointKey, TRUE), s.setPoint);
        }
        for (int c = 0; c < rows; ++c) {
            if (!m_grid.IsRowRead(c)) continue;
            WriteEntryValue(
                FindGroupEntry(m_pAnalyzer, kGroupAdjustGases, ComponentKey("C%d: Zero", c), TRUE),
                m_grid.m_zeroGas[c]);
            for (int r = 0; r < m_grid.GetRangeCount(); ++r)
                WriteEntryValue(FindGroupEntry(m_pAnalyzer, kGroupAdjustGases,
                                               ComponentKey("C%d: Range %d:", c, r), TRUE),
                                m_grid.m_spanGas[c][r]);
            WriteEntryInt(FindGroupEntry(m_pAnalyzer, kGroupAdjustGases,
                                         ComponentKey("C%d: Total Range Calibration", c), TRUE),
                          m_grid.m_switches[c].adjustAll ? 1 : 0);
        }
    }
    PutData();
    // The flag stays: every later Apply sends everything again.
    return CParamPage::OnApply();
}

void CPageAdjustRange::StartRangeCalibration(int nComponent, int nRange) {
    if (m_pAnalyzer == NULL) return;
    ++g_nCalibrationDepth;
    const int state = m_pAnalyzer->GetChannelState();
    // A zero or span calibration already running goes straight to its prompt.
    BOOL prompt = state == 5 || state == 6;
    if (!prompt && Validate() && IsProgramOnline() && OnApply()) {
        if (nRange < 0)
            prompt = m_pAnalyzer->AdjustZeroPoint(nComponent) != 0;
        else
            prompt = m_pAnalyzer->AdjustAll(nComponent,
                                            m_grid.m_switches[nComponent].adjustAll ? 1 : 0) &&
                     m_pAnalyzer->AdjustSlope(nComponent, nRange + 1);
    }
    if (prompt)
        AnswerCalibrationPrompt(m_pAnalyzer, AfxMessageBox(IDS_START_CALIBRATION, MB_OKCANCEL),
                                nComponent);
    --g_nCalibrationDepth;
}

void CPageAdjustRange::PlacedPrompt() {
    // The prompt stands at the grid's frame, so the sensor values stay in sight.
    CRect frame(0, 0, 0, 0);
    CWnd* pFrame = GetDlgItem(IDC_ADJ_GRID_FRAME);
    if (pFrame != NULL) pFrame->GetWindowRect(&frame);
    AnswerCalibrationPrompt(
        m_pAnalyzer, PosMessageBoxId(IDS_START_CALIBRATION, MB_OKCANCEL, frame.left, frame.top), 0);
}

void CPageAdjustRange::SensorZero(BOOL bOxygen) {
    if (!IsProgramOnline() || !IsSindor23()) return;
    CSindor23* pSindor = (CSindor23*)m_pAnalyzer;
    const int state = pSindor->GetChannelState();
    if (state != 3 && state != 4) {
        AfxMessageBox(IDS_SENSOR_ZERO_STATE);
        return;
    }
    if (!(bOxygen ? pSindor->AdjustZeroPointOxy() : pSindor->AdjustZeroPointH2S())) return;
    PlacedPrompt();
}

void CPageAdjustRange::OnO2Zero() { SensorZero(TRUE); }

void CPageAdjustRange::OnH2SZero() { SensorZero(FALSE); }

void CPageAdjustRange::OnO2Rise() {
    if (!IsProgramOnline() || !IsSindor23()) return;
    CSindor23* pSindor = (CSindor23*)m_pAnalyzer;
    if (m_bNewFirmware) {
        if (!UpdateData(TRUE)) return;
        if (!TakeSetPoint(m_strO2SetPoint, m_o2SetPoint)) return;
        if (!pSindor->SetSlopeGasO2(kO2Component, m_o2SetPoint)) return;
    }
    const int state = pSindor->GetChannelState();
    if (state != 5 && state != 16) {
        // Older firmware knows no rise adjustment of its own: the zero point command does it.
        if (!(m_bNewFirmware ? pSindor->AdjustRiseO2() : pSindor->AdjustZeroPoint(0))) return;
    }
    PlacedPrompt();
}

void CPageAdjustRange::OnH2SRise() {
    if (!UpdateData(TRUE)) return;
    if (!TakeSetPoint(m_strH2SSetPoint, m_h2sSetPoint)) return;
    if (!IsProgramOnline() || !IsSindor23()) return;
    CSindor23* pSindor = (CSindor23*)m_pAnalyzer;
    if (!pSindor->SetSlopeGasH2S(kH2SComponent, m_h2sSetPoint)) return;
    const int state = pSindor->GetChannelState();
    if (state != 5 && state != 25 && !pSindor->AdjustRiseH2S()) return;
    PlacedPrompt();
}
