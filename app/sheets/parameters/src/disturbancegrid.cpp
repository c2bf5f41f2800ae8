// The time-constant and interference-filter grids.
#include "disturbancegrid.h"

#include "resource.h"

namespace {
const int kNoiseHeadingHeight = 60;

// The cells of a row: the values as texts with their units, or empty and read-only when
// they could not be read.
void FillValueRow(CParamGrid& grid, int nRow, BOOL bRead, const VaskFloat* const* values,
                  int nCount) {
    if (!bRead) {
        BlankUnreadRow(grid, nRow, 0, nCount - 1);
        return;
    }
    for (int col = 0; col < nCount; ++col)
        grid.SetCellText(col, nRow, FormatValueText(*values[col]));
}

void TakeRowBack(CParamGrid& grid, int nRow, VaskFloat* const* values, int nCount) {
    for (int col = 0; col < nCount; ++col) TakeValueText(grid.GetCellText(col, nRow), *values[col]);
}
}  // namespace

// ---- CDisturbanceGrid ----------------------------------------------------------------------

CDisturbanceGrid::CDisturbanceGrid() : m_pAnalyzer(NULL), m_pPage(NULL), m_nRows(1) {
    for (int c = 0; c < kGridComponents; ++c) m_bRead[c] = FALSE;
}

int CDisturbanceGrid::GetRowComponent(int nRow) const {
    return nRow >= 0 && nRow < (int)m_rows.size() ? m_rows[nRow] : -1;
}

BOOL CDisturbanceGrid::IsRowRead(int nRow) const {
    const int c = GetRowComponent(nRow);
    return c >= 0 && m_bRead[c];
}

void CDisturbanceGrid::Initialize(CObject* pAnalyzer) {
    CWaitCursor wait;
    m_pAnalyzer = AsAnalyzer(pAnalyzer);
    CParamGrid::Initialize(pAnalyzer);
    if (m_pAnalyzer == NULL) return;
    m_rows = GetComponentRows(m_pAnalyzer);
    m_nRows = (int)m_rows.size();
    SetRowCount(m_nRows);
    SetColCount(3);
    SetHeadingRowTexts(*this, IDS_TIME_CONSTANT_HEADINGS, -1);
    FormatHeadings();
    SetComponentRowHeadings(*this, m_pAnalyzer, m_rows);

    const BOOL online = IsProgramOnline();
    for (int c : m_rows) {
        if (online) {
            m_bRead[c] = m_pAnalyzer->GetIntegrationTime(c, m_deltaRange[c], m_t90Inside[c],
                                                         m_t90Outside[c], m_deadTime[c]);
        } else {
            BOOL ok = ReadGroupEntry(m_pAnalyzer, kGroupTimeConstants,
                                     ComponentEntryName(m_pAnalyzer, "%s: T90 inside", c),
                                     m_t90Inside[c]);
            ok = ReadGroupEntry(m_pAnalyzer, kGroupTimeConstants,
                                ComponentEntryName(m_pAnalyzer, "%s: T90 outside", c),
                                m_t90Outside[c]) &&
                 ok;
            ok = ReadGroupEntry(m_pAnalyzer, kGroupTimeConstants,
                                ComponentEntryName(m_pAnalyzer, "%s: Delta Range", c),
                                m_deltaRange[c]) &&
                 ok;
            // The dead time is neither shown nor written offline, and the Sindor 23 has no
            // entry for it: the row is read without it.
            CString deadTimeKey;
            deadTimeKey.Format("C%d: Dead Time", c + 1);
            ReadGroupEntry(m_pAnalyzer, kGroupTimeConstants, deadTimeKey, m_deadTime[c], TRUE);
            m_bRead[c] = ok;
        }
    }
    ApplyAccessRule(*this, m_pAnalyzer, 0, 2);
    for (int r = 0; r < m_nRows; ++r) {
        const int c = m_rows[r];
        const VaskFloat* values[] = {&m_t90Inside[c], &m_t90Outside[c], &m_deltaRange[c]};
        FillValueRow(*this, r, m_bRead[c], values, 3);
    }
    // A quarter of the window each, fitted into what its border leaves of it: four columns
    // that fit show no horizontal bar.
    FitColumnWidths(*this, -1, std::vector<int>(4, GetGridWidth(*this) / 4));
    LayoutChildWindows();
}

void CDisturbanceGrid::ReadBack() {
    for (int r = 0; r < m_nRows && r < (int)m_rows.size(); ++r) {
        const int c = m_rows[r];
        if (!m_bRead[c]) continue;
        VaskFloat* values[] = {&m_t90Inside[c], &m_t90Outside[c], &m_deltaRange[c]};
        TakeRowBack(*this, r, values, 3);
    }
}

void CDisturbanceGrid::OnCellChanged(int, int) {
    if (m_pPage != NULL) m_pPage->OnParamModified();
}

// ---- CDisturbanceValueGrid -----------------------------------------------------------------

CDisturbanceValueGrid::CDisturbanceValueGrid() : m_pAnalyzer(NULL), m_pPage(NULL), m_nRows(0) {
    for (int c = 0; c < kGridComponents; ++c) m_bRead[c] = FALSE;
}

BOOL CDisturbanceValueGrid::IsRowRead(int nRow) const {
    return nRow >= 0 && nRow < m_nRows && m_bRead[nRow];
}

void CDisturbanceValueGrid::Initialize(CObject* pAnalyzer) {
    CWaitCursor wait;
    m_pAnalyzer = AsAnalyzer(pAnalyzer);
    CParamGrid::Initialize(pAnalyzer);
    if (m_pAnalyzer == NULL) return;
    m_nRows = m_pAnalyzer->GetComponentCount();
    if (m_nRows > kGridComponents) m_nRows = kGridComponents;
    SetRowCount(m_nRows);
    SetColCount(2);
    SetHeadingRowTexts(*this, IDS_NOISE_FILTER_HEADINGS, -1);
    FormatHeadings();
    std::vector<int> rows;
    for (int c = 0; c < m_nRows; ++c) rows.push_back(c);
    SetComponentRowHeadings(*this, m_pAnalyzer, rows);
    SetColumnHeadingHeight(kNoiseHeadingHeight);
    const int width = GetGridWidth(*this) / 4;
    for (int col = -1; col < 2; ++col) SetColumnWidth(col, width);

    const BOOL online = IsProgramOnline();
    for (int c = 0; c < m_nRows; ++c) {
        if (online) {
            const BOOL duration = m_pAnalyzer->GetFaultSignalDuration(c, m_duration[c]);
            const BOOL level = m_pAnalyzer->GetFaultSignalThreshold(c, m_level[c]);
            m_bRead[c] = duration && level;
        } else {
            BOOL ok = ReadGroupEntry(
                m_pAnalyzer, kGroupTimeConstants,
                ComponentEntryName(m_pAnalyzer, "%s: Suppress noise signals with a duration of", c),
                m_duration[c]);
            ok = ReadGroupEntry(m_pAnalyzer, kGroupTimeConstants,
                                ComponentEntryName(
                                    m_pAnalyzer, "%s: Suppress noise signals above a level of", c),
                                m_level[c]) &&
                 ok;
            m_bRead[c] = ok;
        }
    }
    ApplyAccessRule(*this, m_pAnalyzer, 0, 1);
    for (int c = 0; c < m_nRows; ++c) {
        const VaskFloat* values[] = {&m_duration[c], &m_level[c]};
        FillValueRow(*this, c, m_bRead[c], values, 2);
    }
    LayoutChildWindows();
}

void CDisturbanceValueGrid::ReadBack() {
    for (int c = 0; c < m_nRows; ++c) {
        if (!m_bRead[c]) continue;
        VaskFloat* values[] = {&m_duration[c], &m_level[c]};
        TakeRowBack(*this, c, values, 2);
    }
}

void CDisturbanceValueGrid::OnCellChanged(int, int) {
    if (m_pPage != NULL) m_pPage->OnParamModified();
}
