// The pressure correction grid.
#include "correctiongrid.h"

#include "resource.h"

#include <stdlib.h>

namespace {
const int kKindCol = 0;
const int kStartCol = 1;
const int kEndCol = 2;
const int kCurrentCol = 3;
const int kChannelCol = 4;
const int kColumns = 5;
const int kHeadingHeight = 65;
// Device values of the compensation kind.
const int kInternalPressure = 1;
const int kAnalogCurrent2 = 2;
const int kBusPressure = 3;
}  // namespace

CCorrectionGrid::CCorrectionGrid()
    : m_busChannel(1), m_pAnalyzer(NULL), m_pPage(NULL), m_bRead(FALSE) {
    m_pressureCorrection.currentRange = 0;
    m_pressureCorrection.correctionType = 0;
}

void CCorrectionGrid::Initialize(CObject* pAnalyzer) {
    CWaitCursor wait;
    m_pAnalyzer = AsAnalyzer(pAnalyzer);
    CParamGrid::Initialize(pAnalyzer);
    if (m_pAnalyzer == NULL) return;
    const int typeCode = m_pAnalyzer->GetModelKind();
    SetRowCount(1);
    SetColCount(kColumns);
    SetColDropList(kKindCol, GetPressureChoiceTextId(typeCode));
    SetColDropList(kCurrentCol, IDS_CURRENT_TYPES);
    EnableMergedCells(TRUE);
    // The heading format goes to the lower heading row only: it is formatted while it is the
    // grid's one heading row; the upper row keeps the grid's plain heading cells.
    FormatHeadings();
    SetColumnHeadingRowCount(2);
    SetColumnHeadingHeight(kHeadingHeight);
    MergeCellRange(kStartCol, -2, kCurrentCol, -2);
    SetHeadingRowTexts(*this, IDS_PRESSURE_GRID_UPPER, -2);
    SetHeadingRowTexts(*this, IDS_PRESSURE_GRID_LOWER, -1);
    SetColumnWidth(-1, 1);

    if (IsProgramOnline()) {
        const BOOL corr = m_pAnalyzer->GetPressureCorr(0, m_pressureCorrection);
        const BOOL range = m_pAnalyzer->GetExtPressureRange(0, m_rangeStart[0], m_rangeEnd[0]);
        const BOOL channel = m_pAnalyzer->GetPressureCorrExt(m_busChannel);
        m_bRead = corr && range && channel;
    } else {
        const int group = kGroupPressureCorrection;
        BOOL ok = ReadGroupInt(m_pAnalyzer, group, "Compensation with",
                               m_pressureCorrection.correctionType);
        ok = ReadGroupInt(m_pAnalyzer, group, "Analog input of ext. pressure",
                          m_pressureCorrection.currentRange) &&
             ok;
        ok = ReadGroupEntry(m_pAnalyzer, group, "Range start value ext. pressure",
                            m_rangeStart[0]) &&
             ok;
        ok = ReadGroupEntry(m_pAnalyzer, group, "Range end value ext. pressure", m_rangeEnd[0]) &&
             ok;
        ok = ReadGroupInt(m_pAnalyzer, group, "VASK Channel", m_busChannel) && ok;
        m_bRead = ok;
    }

    if (m_bRead) {
        SetDropListIndex(kKindCol, 0,
                         PressureValueToChoiceIndex(typeCode, m_pressureCorrection.correctionType));
        SetCellText(kStartCol, 0, FormatValueText(m_rangeStart[0]));
        SetCellText(kEndCol, 0, FormatValueText(m_rangeEnd[0]));
        SetDropListIndex(kCurrentCol, 0, m_pressureCorrection.currentRange);
        CString channel;
        channel.Format("%d", m_busChannel);
        SetCellText(kChannelCol, 0, channel);
    }
    // A fifth of the window each, twenty pixels more for the compensation's list: fitted to
    // the window where the longest choice with its list button needs more.
    const int width = GetGridWidth(*this) / 5;
    std::vector<int> widths(kColumns, width);
    widths[kKindCol] = width + 20;
    FitColumnWidths(*this, 0, widths);
    UpdateCellStates();
    LayoutChildWindows();
}

void CCorrectionGrid::ReadBack() {
    if (m_pAnalyzer == NULL || !m_bRead) return;
    const int kind = GetDropListIndex(kKindCol, 0);
    if (kind >= 0)
        m_pressureCorrection.correctionType =
            PressureChoiceIndexToValue(m_pAnalyzer->GetModelKind(), kind);
    TakeValueText(GetCellText(kStartCol, 0), m_rangeStart[0]);
    TakeValueText(GetCellText(kEndCol, 0), m_rangeEnd[0]);
    const int current = GetDropListIndex(kCurrentCol, 0);
    if (current >= 0) m_pressureCorrection.currentRange = current;
    LPCSTR channel = GetCellText(kChannelCol, 0);
    m_busChannel = channel != NULL ? atoi(channel) : 0;
}

void CCorrectionGrid::UpdateCellStates() {
    if (m_pAnalyzer == NULL || GetRowCount() < 1) return;
    const COLORREF menu = ::GetSysColor(COLOR_MENU), window = ::GetSysColor(COLOR_WINDOW);
    if (!m_bRead) {
        BlankUnreadRow(*this, 0, kKindCol, kChannelCol);
        return;
    }
    const BOOL editable = ApplyAccessRule(*this, m_pAnalyzer, kKindCol, kChannelCol);
    ReadBack();
    if (!editable) return;
    const int kind = m_pressureCorrection.correctionType;
    const BOOL none = kind == 0 || kind == kInternalPressure;
    SetRangeReadOnlyColor(kStartCol, 0, kChannelCol, 0, none, none ? menu : window);
    const BOOL noInput = kind != kAnalogCurrent2;
    SetRangeReadOnlyColor(kStartCol, 0, kCurrentCol, 0, noInput, noInput ? menu : window);
    const BOOL noBus = kind != kBusPressure;
    SetRangeReadOnlyColor(kChannelCol, 0, kChannelCol, 0, noBus, noBus ? menu : window);
}

void CCorrectionGrid::OnCellChanged(int, int) {
    if (m_pPage != NULL) m_pPage->OnParamModified();
    UpdateCellStates();
}

void CCorrectionGrid::WriteOffline() {
    if (m_pAnalyzer == NULL) return;
    const int group = kGroupPressureCorrection;
    WriteEntryInt(FindGroupEntry(m_pAnalyzer, group, "Compensation with"),
                  m_pressureCorrection.correctionType);
    WriteEntryInt(FindGroupEntry(m_pAnalyzer, group, "Analog input of ext. pressure"),
                  m_pressureCorrection.currentRange);
    WriteEntryValue(FindGroupEntry(m_pAnalyzer, group, "Range start value ext. pressure"),
                    m_rangeStart[0]);
    WriteEntryValue(FindGroupEntry(m_pAnalyzer, group, "Range end value ext. pressure"),
                    m_rangeEnd[0]);
    WriteEntryInt(FindGroupEntry(m_pAnalyzer, group, "VASK Channel"), m_busChannel);
}
