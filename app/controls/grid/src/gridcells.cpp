// CGridWnd: cell records through the data sources, default cells, the column mapping, and
// the row and column counts and sizes.
#include "gridwnd.h"

// --- cell records -------------------------------------------------------------------------

CGridDataSource* CGridWnd::ColumnSource(int nCol, int* pSourceCol) const {
    const CGridSettings* s = m_pSettings;
    if (nCol >= 0 && nCol < s->m_nColCount && nCol < (int)s->m_columns.size()) {
        *pSourceCol = s->m_columns[nCol].nDataSourceCol;
        return s->m_columns[nCol].pDataSource;
    }
    *pSourceCol = nCol;
    return s->m_pDataSource;
}

int CGridWnd::GetCell(int nCol, int nRow, CGridCell& cell) {
    if (nCol >= m_pSettings->m_nColCount) return 1;
    cell.Clear();
    int nSourceCol;
    CGridDataSource* pSource = ColumnSource(nCol, &nSourceCol);
    return pSource != NULL ? pSource->GetCell(nSourceCol, nRow, &cell) : 1;
}

int CGridWnd::GetDisplayCell(int nCol, int nRow, CGridCell& cell) {
    CGridSettings* s = m_pSettings;
    cell.Clear();
    if (nCol < 0 || nRow < 0 || nCol >= s->m_nColCount || nCol >= (int)s->m_columns.size())
        cell.CopyFrom(*s->m_pHeadingDefaultCell);
    else
        cell.CopyFrom(*s->m_columns[nCol].pDefaultCell);
    if (nRow < s->m_nRowCount) {
        int nSourceCol;
        CGridDataSource* pSource = ColumnSource(nCol, &nSourceCol);
        if (pSource != NULL) pSource->GetCell(nSourceCol, nRow, &cell);
        OnCellFetched(nSourceCol, nRow, &cell);
    }
    CGridFetchHandler* pHandler = cell.GetFetchHandler();
    if (pHandler != NULL) pHandler->OnCellFetched(&cell);
    CGridCell* pOverlay = cell.GetOverlayCell();
    if (pOverlay != NULL && pOverlay != &cell) cell.MergeFrom(*pOverlay);
    return 0;
}

int CGridWnd::SetCell(int nCol, int nRow, const CGridCell& cell) {
    // The notification may change the record: it gets a copy of its own.
    CGridCell record;
    record.CopyFrom(cell);
    OnCellStoring(nCol, nRow, &record);
    int nSourceCol;
    CGridDataSource* pSource = ColumnSource(nCol, &nSourceCol);
    return pSource != NULL ? pSource->SetCell(nSourceCol, nRow, &record) : 1;
}

int CGridWnd::SetCellRange(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow,
                           const CGridCell& cell) {
    int nFailed = 0;
    for (int r = nFirstRow; r <= nLastRow; ++r)
        for (int c = nFirstCol; c <= nLastCol; ++c)
            if (SetCell(c, r, cell) != 0) ++nFailed;
    return nFailed;
}

int CGridWnd::ClearCell(int nCol, int nRow) {
    int nSourceCol;
    CGridDataSource* pSource = ColumnSource(nCol, &nSourceCol);
    return pSource != NULL ? pSource->ClearCell(nSourceCol, nRow) : 1;
}

int CGridWnd::SetCellText(int nCol, int nRow, LPCSTR lpszText) {
    GetCell(nCol, nRow, m_workCell);
    m_workCell.SetText(lpszText);
    SetCell(nCol, nRow, m_workCell);
    return 0;
}

LPCSTR CGridWnd::GetCellText(int nCol, int nRow) {
    GetCell(nCol, nRow, m_workCell);
    LPCSTR text = m_workCell.GetText();
    return text != NULL ? text : "";
}

int CGridWnd::GetCellTextString(int nCol, int nRow, CString& rText) {
    rText = GetCellText(nCol, nRow);
    return 0;
}

// --- default cells and the column mapping -------------------------------------------------

int CGridWnd::SetColumnDefaultCell(int nCol, const CGridCell& cell) {
    if (nCol < 0 || nCol >= m_pSettings->m_nColCount) return 1;
    m_pSettings->m_columns[nCol].pDefaultCell->CopyFrom(cell);
    return 0;
}

int CGridWnd::GetColumnDefaultCell(int nCol, CGridCell& cell) {
    if (nCol < 0 || nCol >= m_pSettings->m_nColCount) return 1;
    cell.CopyFrom(*m_pSettings->m_columns[nCol].pDefaultCell);
    return 0;
}

int CGridWnd::SetGridDefaultCell(const CGridCell& cell) {
    m_pSettings->m_pGridDefaultCell->CopyFrom(cell);
    return 0;
}

int CGridWnd::GetGridDefaultCell(CGridCell& cell) {
    cell.CopyFrom(*m_pSettings->m_pGridDefaultCell);
    return 0;
}

int CGridWnd::SetHeadingDefaultCell(const CGridCell& cell) {
    m_pSettings->m_pHeadingDefaultCell->CopyFrom(cell);
    return 0;
}

int CGridWnd::GetHeadingDefaultCell(CGridCell& cell) {
    cell.CopyFrom(*m_pSettings->m_pHeadingDefaultCell);
    return 0;
}

int CGridWnd::GetDataSourceCol(int nCol) const {
    if (nCol < 0 || nCol >= m_pSettings->m_nColCount) return nCol;
    return m_pSettings->m_columns[nCol].nDataSourceCol;
}

int CGridWnd::SetDataSourceCol(int nCol, int nDataSourceCol) {
    if (nCol < 0 || nCol >= m_pSettings->m_nColCount) return 1;
    m_pSettings->m_columns[nCol].nDataSourceCol = nDataSourceCol;
    return 0;
}

// --- rows and columns ---------------------------------------------------------------------

int CGridWnd::SetRowCount(int nCount, BOOL bRedraw) {
    if (nCount < 0) return 1;
    CGridSettings* s = m_pSettings;
    if (nCount > 0 && nCount <= s->m_nLockedRows) s->m_nLockedRows = nCount - 1;
    if (nCount > 64000 && !s->m_bUniformRowHeight) {
        s->m_bUniformRowHeight = 1;
        s->m_rowHeights.clear();
        s->m_rowHeights.shrink_to_fit();
    }
    s->m_nRowCount = nCount;
    if (!s->m_bUniformRowHeight) s->m_rowHeights.resize(nCount, s->m_nDefRowHeight);
    const int nOldTop = s->m_nTopRow;
    CalcMaxTopRow();
    if (s->m_nTopRow != nOldTop) NotifyCursorMoved();
    if (nCount <= s->m_nCursorRow) {
        s->m_nCursorRow = s->m_nPrevCursorRow = s->m_nTargetRow = nCount - 1;
    }
    if (nCount <= s->m_nTargetRow) s->m_nTargetRow = nCount - 1;
    s->SumLockedSizes();
    if (s->m_nCursorRow < 0 && nCount > 0) GotoRow(0);
    if (bRedraw) RepaintAll();
    return 0;
}

int CGridWnd::GetRowCount() const { return m_pSettings->m_nRowCount; }

int CGridWnd::SetColCount(int nCount, BOOL bRedraw) {
    if (nCount < 0 || nCount > 32000) return 1;
    CGridSettings* s = m_pSettings;
    if (nCount >= 1 && nCount <= s->m_nLockedCols) s->m_nLockedCols = nCount - 1;
    for (int c = nCount; c < (int)s->m_columns.size(); ++c) delete s->m_columns[c].pDefaultCell;
    if ((int)s->m_columns.size() > nCount) s->m_columns.resize(nCount);
    while ((int)s->m_columns.size() < nCount) {
        CGridColumn column;
        column.nWidth = s->m_nDefColWidth;
        column.pDataSource = s->m_pDataSource;
        column.pDefaultCell = new CGridCell;
        column.pDefaultCell->CopyFrom(*s->m_pGridDefaultCell);
        column.nDataSourceCol = (int)s->m_columns.size();
        s->m_columns.push_back(column);
    }
    s->m_nColCount = nCount;
    CalcMaxLeftCol();
    if (nCount <= s->m_nCursorCol) s->m_nCursorCol = s->m_nTargetCol = nCount - 1;
    s->SumLockedSizes();
    if (s->m_nCursorCol < 0 && nCount > 0) GotoCol(0);
    if (bRedraw) RepaintAll();
    return 0;
}

int CGridWnd::GetColCount() const { return m_pSettings->m_nColCount; }

int CGridWnd::GetColumnWidth(int nCol, int& nWidth) const {
    if (nCol < 0 || nCol >= m_pSettings->m_nColCount) return 1;
    nWidth = m_pSettings->m_columns[nCol].nWidth;
    return 0;
}

int CGridWnd::GetColumnWidth(int nCol) const { return m_pSettings->GetColWidth(nCol); }

int CGridWnd::GetRowHeight(int nRow, int& nHeight) const {
    if (nRow < 0 || nRow >= m_pSettings->m_nRowCount) return 1;
    nHeight = m_pSettings->GetRowHeight(nRow);
    return 0;
}

int CGridWnd::GetRowHeight(int nRow) const { return m_pSettings->GetRowHeight(nRow); }

int CGridWnd::SetRowHeight(int nRow, int nHeight) {
    CGridSettings* s = m_pSettings;
    if (nRow < 0 || nRow >= s->m_nRowCount) return 0;
    // Every walk over uniform rows divides by their height: it stays at least 1. A single
    // row may have height 0 (hidden).
    if (s->m_bUniformRowHeight)
        s->m_nDefRowHeight = nHeight > 1 ? nHeight : 1;
    else if (nRow < (int)s->m_rowHeights.size())
        s->m_rowHeights[nRow] = nHeight > 0 ? nHeight : 0;
    s->SumLockedSizes();
    return 0;
}

int CGridWnd::SetDefaultColumnWidth(int nWidth) {
    if (nWidth < 0) return 1;
    m_pSettings->m_nDefColWidth = nWidth;
    return 0;
}

int CGridWnd::SetDefaultRowHeight(int nHeight) {
    if (nHeight < 1 || nHeight > 1024) return 1;
    m_pSettings->m_nDefRowHeight = nHeight;
    return 0;
}

int CGridWnd::GetColumnHeadingHeight() const { return m_pSettings->m_nColHeadingHeight; }

int CGridWnd::GetRowHeadingWidth() const { return m_pSettings->m_nRowHeadingWidth; }

int CGridWnd::GetVScrollBarWidth() const { return m_pSettings->m_nVScrollWidth; }

int CGridWnd::GetHScrollBarHeight() const { return m_pSettings->m_nHScrollHeight; }
