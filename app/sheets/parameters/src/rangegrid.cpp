// The range grid.
#include "rangegrid.h"

#include "resource.h"
#include "sindor23.h"

namespace {
const int kStartCol = 0;
const int kEndCol = 1;
const int kColumns = 2;
}  // namespace

CRangeGrid::CRangeGrid()
    : m_pAnalyzer(NULL), m_nShownComponent(0), m_pPage(NULL), m_bStartLocked(FALSE) {
    for (int c = 0; c < kGridComponents; ++c) m_bRead[c] = FALSE;
}

int CRangeGrid::RowCount() const {
    int n = m_pAnalyzer != NULL ? m_pAnalyzer->GetRangeCount() : 0;
    return n > kGridRanges ? kGridRanges : (n < 0 ? 0 : n);
}

void CRangeGrid::Initialize(CObject* pAnalyzer) {
    CWaitCursor wait;
    m_pAnalyzer = AsAnalyzer(pAnalyzer);
    CParamGrid::Initialize(pAnalyzer);
    if (m_pAnalyzer == NULL) return;
    const int ranges = RowCount();
    SetRowCount(ranges);
    SetColCount(kColumns);
    SetColCellType(kStartCol, 0);
    SetColCellType(kEndCol, 0);
    m_bStartLocked = m_pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23));
    if (m_bStartLocked) {
        SetColReadOnly(kStartCol, TRUE);
        SetColBackColor(kStartCol, ::GetSysColor(COLOR_MENU));
    }
    SetHeadingRowTexts(*this, IDS_RANGE_GRID_HEADINGS, -1);
    FormatHeadings();
    CString format;
    format.LoadString(IDS_GRID_RANGE_ROW);
    for (int r = 0; r < ranges; ++r) {
        CString heading;
        heading.Format(format, r + 1);
        SetCellText(-1, r, heading);
    }

    const std::vector<int> components = GetComponentRows(m_pAnalyzer);
    const BOOL online = IsProgramOnline();
    for (int c : components) {
        if (online) {
            VaskFloat lower[kAccessRangeValues], upper[kAccessRangeValues];
            const BOOL ok = m_pAnalyzer->GetMeasurementLower(c, lower) &&
                            m_pAnalyzer->GetMeasurementUpper(c, upper);
            if (ok) {
                for (int r = 0; r < kGridRanges; ++r) {
                    m_startValues[c][r] = lower[r];
                    m_endValues[c][r] = upper[r];
                }
            }
            m_bRead[c] = ok;
        } else {
            BOOL ok = TRUE;
            for (int r = 0; r < ranges; ++r) {
                CString lowerName, upperName;
                lowerName.Format("%s: Range%d: lower limit",
                                 (LPCSTR)m_pAnalyzer->GetComponentLabel(c), r + 1);
                upperName.Format("%s: Range%d: upper limit",
                                 (LPCSTR)m_pAnalyzer->GetComponentLabel(c), r + 1);
                ok =
                    ReadGroupEntry(m_pAnalyzer, kGroupMeasRanges, lowerName, m_startValues[c][r]) &&
                    ok;
                ok = ReadGroupEntry(m_pAnalyzer, kGroupMeasRanges, upperName, m_endValues[c][r]) &&
                     ok;
            }
            m_bRead[c] = ok;
        }
    }
    m_nShownComponent = 0;
    FillCells();
    FitColumns();
    LayoutChildWindows();
}

void CRangeGrid::FitColumns() {
    // A third of the window for the headings and each value; the border takes its room
    // from the window, and the columns are fitted to what is left of it, so that three
    // columns that fit show no horizontal bar.
    FitColumnWidths(*this, -1, std::vector<int>(kColumns + 1, GetGridWidth(*this) / 3));
}

void CRangeGrid::FillCells() {
    const int c = m_nShownComponent;
    const int ranges = RowCount();
    if (ranges == 0) return;
    if (!IsComponentRead(c)) {
        for (int r = 0; r < ranges; ++r) BlankUnreadRow(*this, r, kStartCol, kEndCol);
        return;
    }
    const COLORREF menu = ::GetSysColor(COLOR_MENU), window = ::GetSysColor(COLOR_WINDOW);
    const BOOL editable = MayEditParameters(m_pAnalyzer);
    for (int r = 0; r < ranges; ++r) {
        SetCellText(kStartCol, r, FormatValueText(m_startValues[c][r]));
        SetCellText(kEndCol, r, FormatValueText(m_endValues[c][r]));
        // A component shown before may have been unread: the cells take the grid's rule again.
        SetRangeReadOnlyColor(kStartCol, r, kStartCol, r, !editable || m_bStartLocked,
                              editable && !m_bStartLocked ? window : menu);
        SetRangeReadOnlyColor(kEndCol, r, kEndCol, r, !editable, editable ? window : menu);
    }
}

void CRangeGrid::ShowComponent(int c) {
    if (c < 0 || c >= kGridComponents) return;
    m_nShownComponent = c;
    FillCells();
    RepaintAll();
}

void CRangeGrid::ReadBack() {
    const int c = m_nShownComponent;
    if (!IsComponentRead(c)) return;
    for (int r = 0; r < RowCount(); ++r) {
        LPCSTR start = GetCellText(kStartCol, r);
        m_startValues[c][r].text = start != NULL ? start : "";
        LPCSTR end = GetCellText(kEndCol, r);
        m_endValues[c][r].text = end != NULL ? end : "";
    }
}

void CRangeGrid::OnCellChanged(int, int) {
    if (m_pPage != NULL) m_pPage->OnParamModified();
}
