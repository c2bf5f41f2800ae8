// The AUTOCAL page of the adjustment sheet.
#include "adjustpages.h"

#include "apputil.h"
#include "resource.h"
#include "sheethost.h"
#include "sindor23.h"

#include <math.h>

namespace {
const int kFreeStep = 1;
const int kGroupAutocal = 11;
const int kGroupAutocalCycle = 12;
const int kGroupAutocalSequence = 13;
const char kNextInKey[] = "Next Autocal";
const char kOnKey[] = "Autocal";
const char kByInputKey[] = "Start per Binary Input";
const char kByCycleKey[] = "Start per Cycle";
const char kFunctionKey[] = "Autocal check";
const char kZeroToleranceKey[] = "Autocal check calibr. tolerance at zeropoint";
const char kSensitivityKey[] = "Autocal check calibr. tolerance of sensitivity";
const char kCycleTimeKey[] = "Cycle time";
const char kSetPointAfterKey[] = "Adjustment";
const char* const kFunctionItems[] = {"AUTOCAL", "ACAL Check"};

CString StepKey(LPCSTR lpszFormat, int nStep) {
    CString key;
    key.Format(lpszFormat, nStep + 1);
    return key;
}

// A switch as the parameter table keeps it: "1" or "0".
VaskFloat FlagValue(int on) {
    VaskFloat flag;
    flag.value = on ? 1.0 : 0.0;
    flag.text = on ? "1" : "0";
    return flag;
}

// The value's text without its unit as a number; FALSE when it is none.
BOOL ToNumber(const CString& text, const VaskFloat& value, double& number) {
    CString unit;
    CVaskInstrument::GetUnitText(unit, value.unit);
    return StringToDouble(text, number, unit);
}
}  // namespace

IMPLEMENT_DYNCREATE(CPageAdjustAutocal, CPropertyPage)

BEGIN_MESSAGE_MAP(CPageAdjustAutocal, CAdjustPage)
ON_EN_CHANGE(IDC_ACAL_NEXT_IN, OnChanged)
ON_EN_CHANGE(IDC_ACAL_CYCLE_TIME, OnChanged)
ON_EN_CHANGE(IDC_ACAL_SETPOINT_AFTER, OnChanged)
ON_EN_CHANGE(IDC_ACAL_STEP_TIME, OnChanged)
ON_EN_CHANGE(IDC_ACAL_SENS_TOL, OnChanged)
ON_EN_CHANGE(IDC_ACAL_ZERO_TOL, OnChanged)
ON_CBN_SELCHANGE(IDC_ACAL_FUNCTION, OnChanged)
ON_BN_CLICKED(IDC_ACAL_ON, OnChanged)
ON_BN_CLICKED(IDC_ACAL_BY_INPUT, OnChanged)
ON_BN_CLICKED(IDC_ACAL_BY_CYCLE, OnChanged)
ON_EN_KILLFOCUS(IDC_ACAL_CYCLE_TIME, OnCycleTimeLeft)
ON_BN_CLICKED(IDC_ACAL_START, OnStartAutocal)
ON_BN_CLICKED(IDC_ACAL_START_CHECK, OnStartCheck)
ON_BN_CLICKED(IDC_ACAL_ASSIGN, OnAssign)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_ACAL_SEQUENCE, OnSequenceChanged)
ON_WM_TIMER()
END_MESSAGE_MAP()

CPageAdjustAutocal::CPageAdjustAutocal(CVaskInstrument* pInstrument)
    : CAdjustPage(IDD_ADJUST_AUTOCAL, pInstrument),
      m_nOn(0),
      m_nByInput(0),
      m_nByCycle(0),
      m_nFunction(0),
      m_nAvailable(1),
      m_bSequenceRead(FALSE),
      m_bCycleRead(FALSE),
      m_bTolerancesRead(FALSE) {
    for (int& step : m_steps) step = 0;
}

void CPageAdjustAutocal::DoDataExchange(CDataExchange* pDX) {
    CParamPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ACAL_STEPS, m_stepList);
    DDX_Control(pDX, IDC_ACAL_FUNCTION, m_function);
    DDX_Control(pDX, IDC_ACAL_SEQUENCE, m_sequence);
    DDX_Check(pDX, IDC_ACAL_ON, m_nOn);
    DDX_Check(pDX, IDC_ACAL_BY_INPUT, m_nByInput);
    DDX_Check(pDX, IDC_ACAL_BY_CYCLE, m_nByCycle);
    DDX_Text(pDX, IDC_ACAL_SETPOINT_AFTER, m_strSetPointAfter);
    DDX_Text(pDX, IDC_ACAL_CYCLE_TIME, m_strCycleTime);
    DDX_Text(pDX, IDC_ACAL_NEXT_IN, m_strNextIn);
    DDX_Text(pDX, IDC_ACAL_STEP_TIME, m_strStepTime);
    DDX_Text(pDX, IDC_ACAL_SENS_TOL, m_strSensitivity);
    DDX_Text(pDX, IDC_ACAL_ZERO_TOL, m_strZeroTolerance);
}

BOOL CPageAdjustAutocal::IsSindor23() const {
    return IsModelOf(m_pAnalyzer, {RUNTIME_CLASS(CSindor23)});
}

const VaskFloat& CPageAdjustAutocal::GetStepTime(int nStep) const {
    return nStep < kHalfSteps ? m_times1[nStep] : m_times2[nStep - kHalfSteps];
}

VaskFloat& CPageAdjustAutocal::StepTime(int nStep) {
    return nStep < kHalfSteps ? m_times1[nStep] : m_times2[nStep - kHalfSteps];
}

CString CPageAdjustAutocal::StepName(int nType) const {
    if (nType <= 0) nType = 1;
    if (nType <= m_stepNames.GetSize()) return m_stepNames[nType - 1];
    // A type the model's list does not name is shown as such and kept.
    CString unknown;
    unknown.LoadString(IDS_AUTOCAL_STEPS_BASE);
    return unknown;
}

CString CPageAdjustAutocal::StepTimeText(int nStep) const {
    // A type of 0 or less is shown as the first name, "Free", and has no time either.
    return m_steps[nStep] <= kFreeStep ? CString("---") : FormatValueText(GetStepTime(nStep));
}

BOOL CPageAdjustAutocal::OnInitDialog() {
    CParamPage::OnInitDialog();
    if (m_pAnalyzer == NULL) return TRUE;
    SplitCommaText(IDS_AUTOCAL_STEPS_BASE + m_pAnalyzer->GetModelKind(), m_stepNames);
    for (int i = 0; i < m_stepNames.GetSize(); ++i) m_stepList.AddString(m_stepNames[i]);
    for (const char* item : kFunctionItems) m_function.AddString(item);
    m_sequence.InsertColumnsFromString(IDS_ACAL_SEQUENCE_HEADINGS);
    const BOOL read = IsProgramOnline() ? ReadOnline() : ReadOffline();
    if (!read) {
        // No option board, or its mode could not be read: the page is shown, locked.
        m_nAvailable = 0;
        EnableControls();
        PutData();
        return TRUE;
    }
    PutData();
    FillSequence();
    EnableControls();
    return TRUE;
}

BOOL CPageAdjustAutocal::ReadOnline() {
    if (IsSindor23()) {
        m_nOn = m_nByInput = m_nByCycle = 1;
    } else if (!m_pAnalyzer->HasExtensionCard()) {
        m_nOn = 0, m_nByInput = 1, m_nByCycle = 1;
        return FALSE;
    } else if (!m_pAnalyzer->GetAutocalMode(m_nOn, m_nByInput, m_nByCycle, m_nFunction)) {
        return FALSE;
    }
    m_function.SetCurSel(m_nFunction != 0 ? 1 : 0);
    m_bCycleRead = m_pAnalyzer->GetAutocalCycle(m_cycleTime, m_nextIn, m_setPointAfter) != 0;
    if (IsSindor23()) {
        m_nOn = m_cycleTime.value != 0.0;
    } else {
        m_bTolerancesRead =
            m_pAnalyzer->GetAutocalCheckTolerances(m_zeroTolerance, m_sensitivity) != 0;
        if (m_bTolerancesRead) {
            m_strZeroTolerance = m_zeroTolerance.text;
            m_strSensitivity = m_sensitivity.text;
        }
    }
    if (m_bCycleRead) {
        m_strNextIn = FormatValueText(m_nextIn);
        m_strCycleTime = FormatValueText(m_cycleTime);
        m_strSetPointAfter = FormatValueText(m_setPointAfter);
    }
    // The sequence follows in FillSequence.
    return TRUE;
}

BOOL CPageAdjustAutocal::ReadOffline() {
    if (!IsSindor23() && !m_pAnalyzer->HasExtensionCard()) return FALSE;
    CVaskInstrument* a = m_pAnalyzer;
    m_bCycleRead = ReadGroupEntry(a, kGroupAutocalCycle, kCycleTimeKey, m_cycleTime, TRUE);
    ReadGroupEntry(a, kGroupAutocal, kNextInKey, m_nextIn, TRUE);
    ReadGroupEntry(a, kGroupAutocalCycle, kSetPointAfterKey, m_setPointAfter, TRUE);
    ReadGroupInt(a, kGroupAutocal, kOnKey, m_nOn, TRUE);
    ReadGroupInt(a, kGroupAutocal, kByInputKey, m_nByInput, TRUE);
    ReadGroupInt(a, kGroupAutocal, kByCycleKey, m_nByCycle, TRUE);
    ReadGroupInt(a, kGroupAutocal, kFunctionKey, m_nFunction, TRUE);
    m_bTolerancesRead = ReadGroupEntry(a, kGroupAutocal, kZeroToleranceKey, m_zeroTolerance, TRUE);
    ReadGroupEntry(a, kGroupAutocal, kSensitivityKey, m_sensitivity, TRUE);
    m_bSequenceRead = FALSE;
    for (int i = 0; i < kSteps; ++i) {
        if (ReadGroupInt(a, kGroupAutocalSequence, StepKey("Step number %d", i), m_steps[i], TRUE))
            m_bSequenceRead = TRUE;
        ReadGroupEntry(a, kGroupAutocalSequence, StepKey("Step time %d", i), StepTime(i), TRUE);
    }
    m_function.SetCurSel(m_nFunction != 0 ? 1 : 0);
    m_strNextIn = FormatValueText(m_nextIn);
    m_strCycleTime = FormatValueText(m_cycleTime);
    m_strSetPointAfter = FormatValueText(m_setPointAfter);
    m_strZeroTolerance = m_zeroTolerance.text;
    m_strSensitivity = m_sensitivity.text;
    return TRUE;
}

void CPageAdjustAutocal::FillSequence() {
    if (IsProgramOnline()) {
        ControlType steps[kSteps];
        VaskFloat first[kAccessRangeValues], second[kAccessRangeValues];
        m_bSequenceRead = m_pAnalyzer->GetAutocalSteps(steps) &&
                          m_pAnalyzer->GetAutocalRinseTime1(first) &&
                          m_pAnalyzer->GetAutocalRinseTime2(second);
        // A sequence that could not be read stays empty, and is never written back.
        if (!m_bSequenceRead) return;
        for (int i = 0; i < kSteps; ++i) m_steps[i] = steps[i];
        for (int i = 0; i < kHalfSteps; ++i) m_times1[i] = first[i], m_times2[i] = second[i];
    }
    if (!m_bSequenceRead) return;
    const int rows = m_pAnalyzer->HasExtensionCard() ? kSteps : kHalfSteps;
    for (int row = 0; row < rows; ++row) {
        m_sequence.SetItemTextFitColumn(row, 0, StepName(m_steps[row]));
        m_sequence.SetItemTextFitColumn(row, 1, StepTimeText(row), -1, 1);
    }
    m_sequence.SelectItem(0);
}

void CPageAdjustAutocal::EnableControls() {
    static const int kControls[] = {
        IDC_ACAL_ASSIGN,         IDC_ACAL_START,      IDC_ACAL_SEQUENCE,    IDC_ACAL_STEPS,
        IDC_ACAL_SETPOINT_AFTER, IDC_ACAL_CYCLE_TIME, IDC_ACAL_ON,          IDC_ACAL_FUNCTION,
        IDC_ACAL_NEXT_IN,        IDC_ACAL_STEP_TIME,  IDC_ACAL_START_CHECK, IDC_ACAL_BY_INPUT,
        IDC_ACAL_BY_CYCLE,       IDC_ACAL_ZERO_TOL,   IDC_ACAL_SENS_TOL};
    const BOOL online = IsProgramOnline();
    const BOOL locked = !MayEditParameters(m_pAnalyzer) || !m_nAvailable;
    for (int id : kControls) EnableControl(id, !locked);
    if (!locked && !online) {
        // Nothing can be started offline.
        EnableControl(IDC_ACAL_START, FALSE);
        EnableControl(IDC_ACAL_START_CHECK, FALSE);
    }
    // What could not be read cannot be edited.
    if (!m_bCycleRead)
        for (int id : {IDC_ACAL_NEXT_IN, IDC_ACAL_CYCLE_TIME, IDC_ACAL_SETPOINT_AFTER})
            EnableControl(id, FALSE);
    if (!m_bTolerancesRead)
        for (int id : {IDC_ACAL_ZERO_TOL, IDC_ACAL_SENS_TOL}) EnableControl(id, FALSE);
    if (!m_bSequenceRead)
        for (int id : {IDC_ACAL_SEQUENCE, IDC_ACAL_STEPS, IDC_ACAL_ASSIGN, IDC_ACAL_STEP_TIME})
            EnableControl(id, FALSE);
    if (IsSindor23()) {
        // Only the cycle time, the step time, "<<" and "Start AUTOCAL".
        for (int id : {IDC_ACAL_SEQUENCE, IDC_ACAL_STEPS, IDC_ACAL_FUNCTION, IDC_ACAL_NEXT_IN,
                       IDC_ACAL_ON, IDC_ACAL_START_CHECK, IDC_ACAL_ZERO_TOL, IDC_ACAL_SENS_TOL,
                       IDC_ACAL_BY_INPUT, IDC_ACAL_BY_CYCLE})
            EnableControl(id, FALSE);
        for (int id : {IDC_ACAL_SETPOINT_AFTER, IDC_ACAL_SETPOINT_LABEL, IDC_ACAL_CYCLES_LABEL,
                       IDC_ACAL_NO_BOARD})
            ShowControl(id, FALSE);
    } else {
        for (int id : {IDC_ACAL_SETPOINT_AFTER, IDC_ACAL_SETPOINT_LABEL, IDC_ACAL_CYCLES_LABEL})
            ShowControl(id, TRUE);
        ShowControl(IDC_ACAL_NO_BOARD, !m_nAvailable);
    }
}

void CPageAdjustAutocal::OnSequenceChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    NMLISTVIEW* pView = (NMLISTVIEW*)pNMHDR;
    *pResult = 0;
    if (pView->iItem < 0 || !(pView->uChanged & LVIF_STATE) ||
        !(pView->uNewState & LVIS_SELECTED) || (pView->uOldState & LVIS_SELECTED))
        return;
    ShowRow(pView->iItem);
}

void CPageAdjustAutocal::ShowRow(int nRow) {
    if (nRow < 0 || nRow >= kSteps) return;
    UpdateData(TRUE);
    m_strStepTime = FormatValueText(GetStepTime(nRow));
    const int type = m_steps[nRow] <= 0 ? 1 : m_steps[nRow];
    m_stepList.SetCurSel(type <= m_stepNames.GetSize() ? type - 1 : -1);
    PutData();
}

void CPageAdjustAutocal::OnAssign() {
    UpdateData(TRUE);
    const int row = m_sequence.GetFirstSelectedItem();
    const int selected = m_stepList.GetCurSel();
    if (row < 0 || row >= kSteps || selected < 0) return;
    VaskFloat& time = StepTime(row);
    double number = 0;
    if (!ToNumber(m_strStepTime, time, number)) {
        AfxMessageBox(IDS_ENTER_NUMERIC_VALUE);
        return;
    }
    m_steps[row] = selected + 1;
    // A free step has no time.
    if (m_steps[row] == kFreeStep) number = 0;
    CString format;
    format.LoadString(IDS_VALUE_FORMAT);
    time.value = number;
    time.text.Format(format, number);
    m_sequence.SetItemTextFitColumn(row, 0, StepName(m_steps[row]), -1, 1);
    m_sequence.SetItemTextFitColumn(row, 1, StepTimeText(row), -1, 1);
    // A Sindor 23 has one time for all its steps: every step in use takes it.
    if (IsSindor23() && m_steps[row] != kFreeStep) {
        for (int i = 0; i < kHalfSteps; ++i) {
            if (m_steps[i] <= kFreeStep || i == row) continue;
            StepTime(i).value = time.value;
            StepTime(i).text = time.text;
            m_sequence.SetItemTextFitColumn(i, 1, StepTimeText(i), -1, 1);
        }
    }
    OnParamModified();
}

void CPageAdjustAutocal::OnCycleTimeLeft() {
    if (!IsSindor23() || !m_nAvailable) return;
    UpdateData(TRUE);
    double number = 0;
    if (!ToNumber(m_strCycleTime, m_cycleTime, number)) {
        AfxMessageBox(IDS_ENTER_NUMERIC_VALUE);
        CWnd* pEdit = GetDlgItem(IDC_ACAL_CYCLE_TIME);
        if (pEdit != NULL) pEdit->SetFocus();
        return;
    }
    m_nOn = number != 0.0;
    PutData();
}

BOOL CPageAdjustAutocal::Validate() {
    if (!m_bModified) return TRUE;
    if (!UpdateData(TRUE)) return FALSE;
    if (!m_nAvailable) return TRUE;
    // Only what was read is checked (and written); a Sindor 23 has neither the set-point
    // cycles nor the tolerances on its page.
    const BOOL bSindor23 = IsSindor23();
    if (m_bCycleRead) {
        double number = 0;
        if (!ToNumber(m_strNextIn, m_nextIn, number)) {
            AfxMessageBox(IDS_ENTER_NUMERIC_VALUE);
            return FALSE;
        }
        // The analyzer counts whole units to the next run.
        m_nextIn.value = floor(number);
        m_nextIn.text.Format("%d", (int)m_nextIn.value);
    }
    // Converted offline too: the parameter table keeps the number, not the text.
    const struct {
        BOOL check;
        CString* text;
        VaskFloat* value;
    } numbers[] = {{m_bCycleRead, &m_strCycleTime, &m_cycleTime},
                   {m_bCycleRead && !bSindor23, &m_strSetPointAfter, &m_setPointAfter},
                   {m_bTolerancesRead && !bSindor23, &m_strZeroTolerance, &m_zeroTolerance},
                   {m_bTolerancesRead && !bSindor23, &m_strSensitivity, &m_sensitivity}};
    for (const auto& n : numbers) {
        if (n.check && !TakeNumber(*n.text, *n.value)) {
            AfxMessageBox(IDS_ENTER_NUMERIC_VALUE);
            return FALSE;
        }
    }
    if (m_bCycleRead) {
        m_strNextIn = FormatValueText(m_nextIn);
        m_strCycleTime = FormatValueText(m_cycleTime);
        if (!bSindor23) m_strSetPointAfter = FormatValueText(m_setPointAfter);
    }
    if (m_bTolerancesRead && !bSindor23) {
        m_strZeroTolerance = m_zeroTolerance.text;
        m_strSensitivity = m_sensitivity.text;
    }
    PutData();
    return TRUE;
}

BOOL CPageAdjustAutocal::OnApply() {
    if (!m_bModified || m_pAnalyzer == NULL) return CParamPage::OnApply();
    if (!Validate()) return FALSE;
    const int selected = m_function.GetCurSel();
    m_nFunction = selected > 0 ? 1 : 0;
    if (IsSindor23()) m_nOn = m_cycleTime.value != 0.0;
    if (IsProgramOnline()) {
        CVaskInstrument* a = m_pAnalyzer;
        if (!a->SetAutocalMode(m_nOn, m_nByInput, m_nByCycle, m_nFunction)) return FALSE;
        // A sequence that was not read is left as the device has it.
        if (m_bSequenceRead) {
            ControlType steps[kSteps];
            for (int i = 0; i < kSteps; ++i) steps[i] = (ControlType)m_steps[i];
            VaskFloat first[kAccessRangeValues], second[kAccessRangeValues];
            for (int i = 0; i < kHalfSteps; ++i) first[i] = m_times1[i], second[i] = m_times2[i];
            if (!a->SetAutocalSteps(steps) || !a->SetAutocalRinseTime1(first) ||
                !a->SetAutocalRinseTime2(second))
                return FALSE;
        }
        if (m_bCycleRead && !a->SetAutocalCycle(m_cycleTime, m_nextIn, m_setPointAfter))
            return FALSE;
        if (!IsSindor23() && m_bTolerancesRead &&
            !a->SetAutocalCheckTolerances(m_zeroTolerance, m_sensitivity))
            return FALSE;
    } else {
        WriteOffline();
    }
    return CParamPage::OnApply();
}

void CPageAdjustAutocal::WriteOffline() {
    CVaskInstrument* a = m_pAnalyzer;
    const struct {
        int group;
        const char* key;
        VaskFloat value;
    } entries[] = {{kGroupAutocalCycle, kCycleTimeKey, m_cycleTime},
                   {kGroupAutocal, kNextInKey, m_nextIn},
                   {kGroupAutocalCycle, kSetPointAfterKey, m_setPointAfter},
                   {kGroupAutocal, kOnKey, FlagValue(m_nOn)},
                   {kGroupAutocal, kByInputKey, FlagValue(m_nByInput)},
                   {kGroupAutocal, kByCycleKey, FlagValue(m_nByCycle)},
                   {kGroupAutocal, kFunctionKey, FlagValue(m_nFunction)},
                   {kGroupAutocal, kZeroToleranceKey, m_zeroTolerance},
                   {kGroupAutocal, kSensitivityKey, m_sensitivity}};
    for (const auto& e : entries) WriteEntryValue(FindGroupEntry(a, e.group, e.key, TRUE), e.value);
    for (int i = 0; i < kSteps; ++i) {
        WriteEntryInt(FindGroupEntry(a, kGroupAutocalSequence, StepKey("Step number %d", i), TRUE),
                      m_steps[i]);
        WriteEntryValue(FindGroupEntry(a, kGroupAutocalSequence, StepKey("Step time %d", i), TRUE),
                        StepTime(i));
    }
}

void CPageAdjustAutocal::Start(UINT nQuestionId, BOOL bCheck) {
    if (m_bModified) {
        if (AfxMessageBox(nQuestionId, MB_OKCANCEL) != IDOK) return;
        // What could not be written is not followed by a start.
        if (!OnApply()) return;
        GetSheetHost().UpdateActiveDocument(kSheetUpdateHint);
    }
    if (!IsProgramOnline()) return;
    if (bCheck)
        m_pAnalyzer->AutocalCheck();
    else
        m_pAnalyzer->Autocal();
}

void CPageAdjustAutocal::OnStartAutocal() { Start(IDS_APPLY_BEFORE_AUTOCAL, FALSE); }

void CPageAdjustAutocal::OnStartCheck() { Start(IDS_APPLY_BEFORE_ACAL_CHECK, TRUE); }

void CPageAdjustAutocal::OnTimer(UINT_PTR nIDEvent) {
    if (IsProgramOnline() && m_nAvailable) {
        UpdateData(TRUE);
        PutData();
    }
    CParamPage::OnTimer(nIDEvent);
}

BOOL CPageAdjustAutocal::OnKillActive() {
    // A page whose values do not convert is not left.
    if (!Validate()) return FALSE;
    return CAdjustPage::OnKillActive();
}

void CPageAdjustAutocal::OnOK() {
    GetSheetHost().SetTimerTarget(NULL);
    CParamPage::OnOK();
}

void CPageAdjustAutocal::OnCancel() {
    GetSheetHost().SetTimerTarget(NULL);
    CParamPage::OnCancel();
}
