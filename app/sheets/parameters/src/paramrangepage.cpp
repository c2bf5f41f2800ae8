// The measuring-ranges page of the parameter sheet.
#include "paramrangepage.h"

#include "apputil.h"
#include "resource.h"
#include "sindor23.h"

#include <vector>

BEGIN_MESSAGE_MAP(CPageParamRange, CParamPage)
ON_CBN_SELCHANGE(IDC_PRANGE_COMPONENT, OnComponentChange)
ON_CBN_SELCHANGE(IDC_PRANGE_CURRENT, OnRangeChange)
ON_EN_CHANGE(IDC_PRANGE_SWITCH_DOWN, OnValueEdited)
ON_EN_CHANGE(IDC_PRANGE_SWITCH_UP, OnValueEdited)
END_MESSAGE_MAP()

CPageParamRange::CPageParamRange(CVaskInstrument* pAnalyzer)
    : CParamPage(IDD_PARAM_RANGE, pAnalyzer), m_nShownComponent(0), m_nListIndex(-1) {
    for (int c = 0; c < kGridComponents; ++c) {
        m_nCurrentRange[c] = 1;
        m_bAutorange[c] = FALSE;
        m_bRangeRead[c] = FALSE;
        m_bLimitsRead[c] = FALSE;
        m_bRangeChosen[c] = FALSE;
    }
}

void CPageParamRange::DoDataExchange(CDataExchange* pDX) {
    CParamPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PRANGE_COMPONENT, m_componentList);
    DDX_Control(pDX, IDC_PRANGE_CURRENT, m_rangeList);
    DDX_Text(pDX, IDC_PRANGE_SWITCH_DOWN, m_strSwitchDown);
    DDX_Text(pDX, IDC_PRANGE_SWITCH_UP, m_strSwitchUp);
    DDX_Text(pDX, IDC_PRANGE_LIN_END, m_strLinEnd);
    DDX_Text(pDX, IDC_PRANGE_LIN_START, m_strLinStart);
}

BOOL CPageParamRange::IsSindor23() const {
    return m_pAnalyzer != NULL && m_pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23));
}

BOOL CPageParamRange::IsComponentRead(int c) const {
    return c >= 0 && c < kGridComponents && m_bRangeRead[c] && m_bLimitsRead[c] &&
           m_rangeGrid.IsComponentRead(c);
}

namespace {

CVaskParameter* RangeEntry(CVaskInstrument* pAnalyzer, LPCSTR lpszKey, int c, int r = 0) {
    CString key;
    key.Format(lpszKey, c + 1, r + 1);
    return FindEntryByKey(pAnalyzer, key);
}

BOOL ReadRangeEntry(CVaskInstrument* pAnalyzer, LPCSTR lpszKey, int c, VaskFloat& value) {
    return ReadEntry(RangeEntry(pAnalyzer, lpszKey, c), value);
}

BOOL ReadRangeInt(CVaskInstrument* pAnalyzer, LPCSTR lpszKey, int c, int& value) {
    VaskFloat read;
    if (!ReadRangeEntry(pAnalyzer, lpszKey, c, read)) return FALSE;
    value = (int)read.value;
    return TRUE;
}

}  // namespace

BOOL CPageParamRange::OnInitDialog() {
    CWaitCursor wait;
    CParamPage::OnInitDialog();

    const std::vector<int> components = GetComponentRows(m_pAnalyzer);
    m_componentList.ResetContent();
    for (int c : components) {
        const int item = m_componentList.AddString(m_pAnalyzer->GetComponentLabel(c));
        m_componentList.SetItemData(item, c);
    }
    m_componentList.SetCurSel(0);

    const int n = m_pAnalyzer != NULL ? m_pAnalyzer->GetRangeCount() : 0;
    m_rangeList.ResetContent();
    for (int r = 1; r <= n; ++r) m_rangeList.AddString(IntToString(r));
    CString text;
    if (IsSindor23()) {
        text.LoadString(IDS_PRANGE_ONE_TWO);
        m_rangeList.AddString(text);
    }
    text.LoadString(IDS_PRANGE_AUTORANGE);
    m_rangeList.AddString(text);
    m_rangeList.SetCurSel(0);

    m_rangeGrid.AttachToDlgItem(this, IDC_PRANGE_GRID_BOX);
    m_rangeGrid.Initialize(m_pAnalyzer);
    m_rangeGrid.SetPage(this);

    const BOOL online = IsProgramOnline();
    for (int c : components) {
        if (online) {
            m_pAnalyzer->GetCharactEndValue(c, m_linEnd[c]);
            m_linStart[c].text = "0.000";
            m_linStart[c].unit = m_linEnd[c].unit;
            m_bLimitsRead[c] = m_pAnalyzer->GetAutorangeLimits(c, m_switchDown[c], m_switchUp[c]);
            int range = m_nCurrentRange[c], autorange = m_bAutorange[c];
            m_bRangeRead[c] = m_pAnalyzer->GetMeasRange(c, range, autorange);
            if (m_bRangeRead[c]) m_nCurrentRange[c] = range, m_bAutorange[c] = autorange != 0;
        } else {
            m_bLimitsRead[c] =
                ReadRangeEntry(m_pAnalyzer, "C%d: Autorange Up", c, m_switchUp[c]) &&
                ReadRangeEntry(m_pAnalyzer, "C%d: Autorange Down", c, m_switchDown[c]);
            int range = m_nCurrentRange[c], autorange = m_bAutorange[c];
            m_bRangeRead[c] = ReadRangeInt(m_pAnalyzer, "C%d: Range", c, range) &&
                              ReadRangeInt(m_pAnalyzer, "C%d: Autorange", c, autorange);
            if (m_bRangeRead[c]) m_nCurrentRange[c] = range, m_bAutorange[c] = autorange != 0;
        }
    }

    m_nListIndex = m_componentList.GetCurSel();
    m_nShownComponent = m_nListIndex >= 0 ? (int)m_componentList.GetItemData(m_nListIndex) : 0;
    ShowTexts(m_nShownComponent);
    m_rangeList.SetCurSel(RangeListIndex(m_nShownComponent));
    PutData();
    const BOOL enable = MayEditParameters(m_pAnalyzer);
    EnableControl(IDC_PRANGE_SWITCH_DOWN, enable);
    EnableControl(IDC_PRANGE_SWITCH_UP, enable);
    EnableControl(IDC_PRANGE_CURRENT, enable);
    return TRUE;
}

void CPageParamRange::ShowTexts(int c) {
    m_strSwitchDown = FormatValueText(m_switchDown[c]);
    m_strSwitchUp = FormatValueText(m_switchUp[c]);
    m_strLinEnd = FormatValueText(m_linEnd[c]);
    m_strLinStart = FormatValueText(m_linStart[c]);
}

int CPageParamRange::RangeListIndex(int c) const {
    const int n = m_pAnalyzer != NULL ? m_pAnalyzer->GetRangeCount() : 0;
    if (m_bAutorange[c]) return IsSindor23() ? n + 1 : n;
    return m_nCurrentRange[c] - 1;
}

void CPageParamRange::OnRangeChange() {
    UpdateData(TRUE);
    const int c = m_nShownComponent;
    const int s = m_rangeList.GetCurSel();
    const int n = m_pAnalyzer->GetRangeCount();
    // The Sindor 23's "1/2" (after the fixed ranges) is range n + 1.
    const int autorangeIndex = IsSindor23() ? n + 1 : n;
    if (s < 0) return;
    if (s >= autorangeIndex) {
        m_bAutorange[c] = TRUE;
    } else {
        m_nCurrentRange[c] = s + 1;
        m_bAutorange[c] = FALSE;
    }
    m_bRangeChosen[c] = TRUE;
    OnParamModified();
    PutData();
}

void CPageParamRange::OnComponentChange() {
    if (m_nListIndex != -1 && !CheckValues()) {
        m_componentList.SetCurSel(m_nListIndex);
        return;
    }
    m_nListIndex = m_componentList.GetCurSel();
    if (m_nListIndex < 0) return;
    const int c = (int)m_componentList.GetItemData(m_nListIndex);
    m_nShownComponent = c;
    m_rangeGrid.ShowComponent(c);
    // The device's range, unless the user has chosen one for this component meanwhile.
    if (IsProgramOnline() && !m_bRangeChosen[c]) {
        int range = m_nCurrentRange[c], autorange = m_bAutorange[c];
        if (m_pAnalyzer->GetMeasRange(c, range, autorange)) {
            m_nCurrentRange[c] = range;
            m_bAutorange[c] = autorange != 0;
            m_bRangeRead[c] = TRUE;
        }
    }
    ShowTexts(c);
    PutData();
    m_rangeList.SetCurSel(RangeListIndex(c));
    m_rangeGrid.RepaintAll();
}

BOOL CPageParamRange::CheckComponent(int c) {
    const int n = m_pAnalyzer->GetRangeCount() < kGridRanges ? m_pAnalyzer->GetRangeCount()
                                                             : (int)kGridRanges;
    for (int r = 0; r < n; ++r)
        if (!CheckNumber(m_rangeGrid.m_startValues[c][r]) ||
            !CheckNumber(m_rangeGrid.m_endValues[c][r]))
            return FALSE;
    return CheckNumber(m_switchDown[c]) && CheckNumber(m_switchUp[c]);
}

BOOL CPageParamRange::CheckValues() {
    if (!UpdateData(TRUE)) return FALSE;
    const int shown = m_nShownComponent;
    m_rangeGrid.ReadBack();
    // The edits' texts (value and unit) into the shown component's values.
    m_switchDown[shown].text = m_strSwitchDown;
    m_switchUp[shown].text = m_strSwitchUp;
    // The shown component first, so that its message comes first; then every other
    // component that Apply would write.
    if (IsComponentRead(shown) && !CheckComponent(shown)) return FALSE;
    for (int c : GetComponentRows(m_pAnalyzer))
        if (c != shown && IsComponentRead(c) && !CheckComponent(c)) return FALSE;
    if (IsComponentRead(shown)) {
        m_rangeGrid.ShowComponent(shown);
        ShowTexts(shown);
        PutData();
    }
    return TRUE;
}

BOOL CPageParamRange::OnKillActive() {
    if (!CheckValues()) return FALSE;
    return CParamPage::OnKillActive();
}

BOOL CPageParamRange::OnApply() {
    if (!m_bModified) return CParamPage::OnApply();
    if (!CheckValues()) return FALSE;
    for (int c : GetComponentRows(m_pAnalyzer)) {
        // A component whose settings could not be read keeps the device's (or the table's).
        if (!IsComponentRead(c)) continue;
        if (!WriteComponent(c)) return FALSE;
    }
    m_bModified = FALSE;
    return CParamPage::OnApply();
}

BOOL CPageParamRange::WriteComponent(int c) {
    VaskFloat* lower = m_rangeGrid.m_startValues[c];
    VaskFloat* upper = m_rangeGrid.m_endValues[c];
    if (IsProgramOnline()) {
        // The access layer takes per-range arrays of its full length.
        VaskFloat lowerValues[kAccessRangeValues], upperValues[kAccessRangeValues];
        for (int r = 0; r < kGridRanges; ++r) lowerValues[r] = lower[r], upperValues[r] = upper[r];
        return m_pAnalyzer->SetMeasurementLower(c, lowerValues) &&
               m_pAnalyzer->SetMeasurementUpper(c, upperValues) &&
               m_pAnalyzer->SetMeasRange(c, m_nCurrentRange[c], m_bAutorange[c] ? 1 : 0) &&
               m_pAnalyzer->SetAutorangeLimits(c, m_switchDown[c], m_switchUp[c]);
    }
    const int n = m_pAnalyzer->GetRangeCount() < kGridRanges ? m_pAnalyzer->GetRangeCount()
                                                             : (int)kGridRanges;
    for (int r = 0; r < n; ++r) {
        WriteEntryValue(RangeEntry(m_pAnalyzer, "C%d: Range%d: lower limit", c, r), lower[r]);
        WriteEntryValue(RangeEntry(m_pAnalyzer, "C%d: Range%d: upper limit", c, r), upper[r]);
        // The range's text "lower .. upper" (the key is also the span gas's, in its group).
        CString key;
        key.Format("C%d: Range %d:", c + 1, r + 1);
        CVaskParameter* pRange = FindGroupEntry(m_pAnalyzer, kGroupMeasRanges, key, TRUE);
        if (pRange != NULL) {
            pRange->SetValue(lower[r]);
            pRange->SetValueText(lower[r].text + " .. " + upper[r].text);
        }
    }
    VaskFloat current;
    current.value = m_nCurrentRange[c];
    current.text = IntToString(m_nCurrentRange[c]);
    current.unit = 1;
    current.quantity = 1;
    WriteEntryValue(RangeEntry(m_pAnalyzer, "C%d: Range", c), current);
    WriteEntryValue(RangeEntry(m_pAnalyzer, "C%d: Autorange Up", c), m_switchUp[c]);
    WriteEntryValue(RangeEntry(m_pAnalyzer, "C%d: Autorange Down", c), m_switchDown[c]);
    WriteEntryInt(RangeEntry(m_pAnalyzer, "C%d: Autorange", c), m_bAutorange[c] ? 1 : 0);
    return TRUE;
}
