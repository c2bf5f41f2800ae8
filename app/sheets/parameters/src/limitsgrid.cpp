// The limits grid.
#include "limitsgrid.h"

#include "resource.h"
#include "sindor23.h"

#include <stdlib.h>

namespace {
const int kAlarmCol = 1;
const int kFirstRangeCol = 2;
const int kHeadingHeight = 40;
// The names of a limit's entries; the range flags of limit 1 are named without the blank
// of the others.
const char* const kLimitValueNames[] = {"%s: Limit 1", "%s: Limit 2", "%s: Limit 3", "%s: Limit 4"};
const char kLimitControlName[] = "%s: Limit control";
const char kAlarmOnName[] = "%s: Alarm on";
const char kFirstLimitRangeName[] = "%s: Range%d:";
const char kOtherLimitRangeName[] = "%s:Range%d:";
}  // namespace

BOOL& LimitRangeFlag(LimitStruct& flags, int k) {
    switch (k) {
        case 1: return flags.activeInRange1;
        case 2: return flags.activeInRange2;
        case 3: return flags.activeInRange3;
        default: return flags.activeInRange4;
    }
}

CLimitsGrid::CLimitsGrid() : m_pAnalyzer(NULL), m_pPage(NULL), m_nLimit(1), m_nRows(1) {
    for (int c = 0; c < kGridComponents; ++c) {
        memset(&m_limitFlags[c], 0, sizeof(LimitStruct));
        m_bRead[c] = FALSE;
    }
}

int CLimitsGrid::GetRowComponent(int nRow) const {
    return nRow >= 0 && nRow < (int)m_rows.size() ? m_rows[nRow] : -1;
}

BOOL CLimitsGrid::IsRowRead(int nRow) const {
    const int c = GetRowComponent(nRow);
    return c >= 0 && m_bRead[c];
}

BOOL CLimitsGrid::ReadDeviceLimit(int c, VaskFloat& value, LimitStruct& flags) {
    VaskFloat second;
    switch (m_nLimit) {
        case 1: return m_pAnalyzer->GetLimit1(c, value, second) && m_pAnalyzer->GetLimit1(c, flags);
        case 2: return m_pAnalyzer->GetLimit2(c, value, second) && m_pAnalyzer->GetLimit2(c, flags);
        case 3: return m_pAnalyzer->GetLimit3(c, value, second) && m_pAnalyzer->GetLimit3(c, flags);
        default:
            return m_pAnalyzer->GetLimit4(c, value, second) && m_pAnalyzer->GetLimit4(c, flags);
    }
}

BOOL CLimitsGrid::ReadOfflineLimit(int c, VaskFloat& value, LimitStruct& flags) {
    const int group = kGroupLimit1 + m_nLimit - 1;
    const CString label = m_pAnalyzer->GetComponentLabel(c);
    CString name;
    name.Format(kLimitValueNames[m_nLimit - 1], (LPCSTR)label);
    BOOL ok = ReadGroupEntry(m_pAnalyzer, group, name, value);
    int number = 0;
    name.Format(kLimitControlName, (LPCSTR)label);
    if (ReadGroupInt(m_pAnalyzer, group, name, number))
        flags.limitActive = number;
    else
        ok = FALSE;
    name.Format(kAlarmOnName, (LPCSTR)label);
    if (ReadGroupInt(m_pAnalyzer, group, name, number))
        flags.alarmDirection = number;
    else
        ok = FALSE;
    const BOOL sindor23 = m_pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23));
    for (int k = 1; k <= m_pAnalyzer->GetRangeCount() && k <= kGridRanges; ++k) {
        name.Format(m_nLimit == 1 ? kFirstLimitRangeName : kOtherLimitRangeName, (LPCSTR)label, k);
        if (sindor23)
            LimitRangeFlag(flags, k) = 1;
        else if (ReadGroupInt(m_pAnalyzer, group, name, number))
            LimitRangeFlag(flags, k) = number;
        else
            ok = FALSE;
    }
    return ok;
}

void CLimitsGrid::Setup(CVaskInstrument* pAnalyzer, int nLimit) {
    CWaitCursor wait;
    m_pAnalyzer = pAnalyzer;
    m_nLimit = nLimit < 1 || nLimit > 4 ? 1 : nLimit;
    CParamGrid::Initialize(pAnalyzer);
    if (m_pAnalyzer == NULL) return;
    int n = m_pAnalyzer->GetRangeCount();
    if (n > kGridRanges) n = kGridRanges;
    const int onCol = n + 2;
    m_rows = GetComponentRows(m_pAnalyzer);
    m_nRows = (int)m_rows.size();
    SetRowCount(m_nRows);
    SetColCount(n + 3);
    SetColDropList(kAlarmCol, IDS_ALARM_ON_CHOICES);
    SetColsCheckBox(kFirstRangeCol, onCol);
    SetColumnHeadingRowCount(2);
    SetColumnHeadingHeight(kHeadingHeight);
    if (n > 1) MergeCellRange(kFirstRangeCol, -2, n + 1, -2);

    CStringArray upper;
    SplitCommaText(IDS_LIMITS_GRID_HEADINGS, upper);
    const int upperCols[] = {-1, kValueCol, kAlarmCol, kFirstRangeCol, onCol};
    for (int i = 0; i < upper.GetSize() && i < 5; ++i) SetCellText(upperCols[i], -2, upper[i]);
    CString format;
    format.LoadString(IDS_GRID_RANGE_ROW);
    for (int k = 1; k <= n; ++k) {
        CString heading;
        heading.Format(format, k);
        SetCellText(k + 1, -1, heading);
    }
    FormatHeadings();
    SetComponentRowHeadings(*this, m_pAnalyzer, m_rows);

    const BOOL online = IsProgramOnline();
    for (int c : m_rows)
        m_bRead[c] = online ? ReadDeviceLimit(c, m_limitValues[c], m_limitFlags[c])
                            : ReadOfflineLimit(c, m_limitValues[c], m_limitFlags[c]);

    ApplyAccessRule(*this, m_pAnalyzer, kValueCol, onCol);
    if (m_pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23)) && n > 0)
        SetRangeReadOnlyColor(kFirstRangeCol, 0, n + 1, m_nRows - 1, TRUE,
                              ::GetSysColor(COLOR_BTNFACE));

    for (int r = 0; r < m_nRows; ++r) {
        const int c = m_rows[r];
        if (!m_bRead[c]) {
            BlankUnreadRow(*this, r, kValueCol, onCol);
            continue;
        }
        SetCellText(kValueCol, r, FormatValueText(m_limitValues[c]));
        SetDropListIndex(kAlarmCol, r, m_limitFlags[c].alarmDirection);
        for (int k = 1; k <= n; ++k) {
            CString flag;
            flag.Format("%d", LimitRangeFlag(m_limitFlags[c], k));
            SetCellText(k + 1, r, flag);
        }
        CString on;
        on.Format("%d", m_limitFlags[c].limitActive);
        SetCellText(onCol, r, on);
    }
    // A fifth of the window for the headings, the value and the alarm, twice a fourteenth for
    // each range and the switch: with two ranges or more that runs past the window, and the
    // columns are fitted to it.
    const int width = GetGridWidth(*this);
    std::vector<int> widths(3, width / 5);
    widths.resize(onCol + 2, width / 14 * 2);
    FitColumnWidths(*this, -1, widths);
    LayoutChildWindows();
}

void CLimitsGrid::ReadBack() {
    if (m_pAnalyzer == NULL) return;
    int n = m_pAnalyzer->GetRangeCount();
    if (n > kGridRanges) n = kGridRanges;
    for (int r = 0; r < m_nRows; ++r) {
        const int c = m_rows[r];
        if (!m_bRead[c]) continue;
        LPCSTR value = GetCellText(kValueCol, r);
        m_limitValues[c].text = value != NULL ? value : "";
        const int alarm = GetDropListIndex(kAlarmCol, r);
        if (alarm >= 0) m_limitFlags[c].alarmDirection = alarm;
        for (int k = 1; k <= n; ++k) {
            LPCSTR flag = GetCellText(k + 1, r);
            LimitRangeFlag(m_limitFlags[c], k) = flag != NULL ? atoi(flag) : 0;
        }
        LPCSTR on = GetCellText(n + 2, r);
        m_limitFlags[c].limitActive = on != NULL ? atoi(on) : 0;
    }
}

void CLimitsGrid::OnCellChanged(int, int) {
    if (m_pPage != NULL) m_pPage->OnParamModified();
}

void CLimitsGrid::WriteOffline(int c) {
    if (m_pAnalyzer == NULL || c < 0 || c >= kGridComponents) return;
    const int group = kGroupLimit1 + m_nLimit - 1;
    const CString label = m_pAnalyzer->GetComponentLabel(c);
    CString name;
    name.Format(kLimitValueNames[m_nLimit - 1], (LPCSTR)label);
    WriteEntryValue(FindGroupEntry(m_pAnalyzer, group, name), m_limitValues[c]);
    name.Format(kLimitControlName, (LPCSTR)label);
    WriteEntryInt(FindGroupEntry(m_pAnalyzer, group, name), m_limitFlags[c].limitActive ? 1 : 0);
    name.Format(kAlarmOnName, (LPCSTR)label);
    WriteEntryInt(FindGroupEntry(m_pAnalyzer, group, name), m_limitFlags[c].alarmDirection ? 1 : 0);
    for (int k = 1; k <= m_pAnalyzer->GetRangeCount() && k <= kGridRanges; ++k) {
        name.Format(m_nLimit == 1 ? kFirstLimitRangeName : kOtherLimitRangeName, (LPCSTR)label, k);
        WriteEntryInt(FindGroupEntry(m_pAnalyzer, group, name),
                      LimitRangeFlag(m_limitFlags[c], k) ? 1 : 0);
    }
}
