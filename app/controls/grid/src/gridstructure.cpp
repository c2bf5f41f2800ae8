// CGridWnd: single-cell setters, column widths and heading sizes, best fit, inserting and
// deleting rows and columns, and merged ranges.
#include "gridwnd.h"

#include "gridcellarea.h"
#include "gridselection.h"

#include <algorithm>
#include <vector>

// --- single-cell setters ------------------------------------------------------------------

CGridCell& CGridWnd::FetchWorkCell(int nCol, int nRow) {
    GetCell(nCol, nRow, m_workCell);
    return m_workCell;
}

int CGridWnd::StoreWorkCell(int nCol, int nRow) {
    SetCell(nCol, nRow, m_workCell);
    return 0;
}

int CGridWnd::SetCellNumber(int nCol, int nRow, double dValue) {
    FetchWorkCell(nCol, nRow).SetNumber(dValue);
    return StoreWorkCell(nCol, nRow);
}

int CGridWnd::SetCellMask(int nCol, int nRow, LPCSTR lpszMask) {
    FetchWorkCell(nCol, nRow).SetMask(lpszMask);
    return StoreWorkCell(nCol, nRow);
}

int CGridWnd::SetCellCaption(int nCol, int nRow, LPCSTR lpszCaption) {
    FetchWorkCell(nCol, nRow).SetCaptionText(lpszCaption);
    return StoreWorkCell(nCol, nRow);
}

int CGridWnd::SetCellTextColor(int nCol, int nRow, COLORREF cr) {
    FetchWorkCell(nCol, nRow).SetTextColor(cr);
    return StoreWorkCell(nCol, nRow);
}

int CGridWnd::SetCellHighlightTextColor(int nCol, int nRow, COLORREF cr) {
    FetchWorkCell(nCol, nRow).SetHighlightTextColor(cr);
    return StoreWorkCell(nCol, nRow);
}

int CGridWnd::SetCellBackColor(int nCol, int nRow, COLORREF cr) {
    FetchWorkCell(nCol, nRow).SetBackColor(cr);
    return StoreWorkCell(nCol, nRow);
}

int CGridWnd::SetCellHighlightBackColor(int nCol, int nRow, COLORREF cr) {
    FetchWorkCell(nCol, nRow).SetHighlightBackColor(cr);
    return StoreWorkCell(nCol, nRow);
}

int CGridWnd::SetCellBitmap(int nCol, int nRow, CBitmap* pBitmap) {
    FetchWorkCell(nCol, nRow).SetBitmap(pBitmap);
    return StoreWorkCell(nCol, nRow);
}

int CGridWnd::SetCellBitmap(int nCol, int nRow, int nPictureIndex) {
    return SetCellBitmap(nCol, nRow, static_cast<CBitmap*>(m_pPictures->GetAt(nPictureIndex)));
}

int CGridWnd::SetCellFontObject(int nCol, int nRow, CFont* pFont) {
    CGridCell& cell = FetchWorkCell(nCol, nRow);
    if (pFont != NULL)
        cell.SetFont(pFont);
    else
        cell.ClearProperty(GRIDCELL_FONT);
    return StoreWorkCell(nCol, nRow);
}

int CGridWnd::SetCellFont(int nCol, int nRow, int nFontIndex) {
    return SetCellFontObject(nCol, nRow, GetFont(nFontIndex));
}

int CGridWnd::SetCellAlignment(int nCol, int nRow, int nAlignment) {
    FetchWorkCell(nCol, nRow).SetAlignment(nAlignment & 0xFFFF);
    return StoreWorkCell(nCol, nRow);
}

int CGridWnd::SetCellBorder(int nCol, int nRow, int nBorder) {
    FetchWorkCell(nCol, nRow).SetBorder(nBorder & 0xFFFF);
    return StoreWorkCell(nCol, nRow);
}

int CGridWnd::SetCellBorderPen(int nCol, int nRow, CPen* pPen) {
    FetchWorkCell(nCol, nRow).SetBorderPen(pPen);
    return StoreWorkCell(nCol, nRow);
}

int CGridWnd::SetCellTypeAt(int nCol, int nRow, int nCellType) {
    FetchWorkCell(nCol, nRow).SetCellType(nCellType);
    return StoreWorkCell(nCol, nRow);
}

int CGridWnd::SetCellTypeStyleAt(int nCol, int nRow, int nStyle) {
    FetchWorkCell(nCol, nRow).SetCellTypeStyle(nStyle);
    return StoreWorkCell(nCol, nRow);
}

// --- widths and heights -------------------------------------------------------------------

int CGridWnd::SetColumnWidth(int nCol, int nWidth) {
    CGridSettings* s = m_pSettings;
    if (nCol < 0) {
        SetRowHeadingColWidth(nCol, nWidth);
        return 1;
    }
    if (nCol >= s->m_nColCount) return 1;
    s->m_columns[nCol].nWidth = nWidth > 0 ? nWidth : 0;
    if (nCol < s->m_nLockedCols) s->SumLockedSizes();
    CalcMaxLeftCol();
    return 0;
}

int CGridWnd::SetUniformRowHeight(BOOL bOn) {
    CGridSettings* s = m_pSettings;
    if (bOn) {
        s->m_rowHeights.clear();
        s->m_rowHeights.shrink_to_fit();
        s->m_bUniformRowHeight = 1;
    } else {
        if (s->m_bUniformRowHeight && s->m_rowHeights.empty())
            s->m_rowHeights.assign(s->m_nRowCount, s->m_nDefRowHeight);
        s->m_bUniformRowHeight = 0;
    }
    s->SumLockedSizes();
    return 0;
}

int CGridWnd::SetVScrollBarWidth(int nWidth) {
    if (nWidth < 0 || nWidth > 1024) return 1;
    m_pSettings->m_nVScrollWidth = nWidth;
    LayoutChildWindows();
    return 0;
}

int CGridWnd::SetHScrollBarHeight(int nHeight) {
    if (nHeight < 0 || nHeight > 1024) return 1;
    m_pSettings->m_nHScrollHeight = nHeight;
    LayoutChildWindows();
    return 0;
}

// --- headings -----------------------------------------------------------------------------

namespace {

// Scales the heading sizes to a new total. Sizes that sum to 0 share the total equally
// (there is no ratio to keep).
void ScaleSizes(std::vector<int>& sizes, int nTotal) {
    if (sizes.empty()) return;
    long long nSum = 0;
    for (int n : sizes) nSum += n;
    const int nCount = (int)sizes.size();
    for (int i = 0; i < nCount; ++i) {
        if (nSum <= 0)
            sizes[i] = (int)((long long)nTotal * (i + 1) / nCount - (long long)nTotal * i / nCount);
        else
            sizes[i] = (int)(sizes[i] * ((double)nTotal / (double)nSum) + 0.5);
    }
}

}  // namespace

int CGridWnd::SetColumnHeadingRowCount(int nCount) {
    if (nCount < 1 || nCount > 64) return 1;
    CGridSettings* s = m_pSettings;
    s->m_colHeadingHeights.resize(nCount, s->m_nDefRowHeight);
    s->m_nColHeadingRows = nCount;
    return 0;
}

int CGridWnd::GetColumnHeadingRowCount() const { return m_pSettings->m_nColHeadingRows; }

int CGridWnd::SetColumnHeadingRowHeight(int nRow, int nHeight) {
    CGridSettings* s = m_pSettings;
    const int i = -nRow - 1;
    if (i < 0 || i >= s->m_nColHeadingRows) return 1;
    if (nHeight < 0 || nHeight > 1024) return 2;
    s->m_colHeadingHeights[i] = nHeight;
    return 0;
}

int CGridWnd::SetColumnHeadingHeight(int nHeight) {
    if (nHeight < 0 || nHeight > 1024) return 1;
    m_pSettings->m_nColHeadingHeight = nHeight;
    ScaleSizes(m_pSettings->m_colHeadingHeights, nHeight);
    LayoutChildWindows();
    return 0;
}

int CGridWnd::SetRowHeadingColCount(int nCount) {
    if (nCount < 1 || nCount > 64) return 1;
    CGridSettings* s = m_pSettings;
    s->m_rowHeadingWidths.resize(nCount, s->m_nDefColWidth);
    s->m_nRowHeadingCols = nCount;
    return 0;
}

int CGridWnd::GetRowHeadingColCount() const { return m_pSettings->m_nRowHeadingCols; }

int CGridWnd::SetRowHeadingColWidth(int nCol, int nWidth) {
    CGridSettings* s = m_pSettings;
    const int i = -nCol - 1;
    if (i < 0 || i >= s->m_nRowHeadingCols) return 1;
    if (nWidth < 0 || nWidth > 1024) return 2;
    if (s->m_rowHeadingWidths[i] == nWidth) return 0;
    if (s->m_nRowHeadingCols == 1) return SetRowHeadingWidth(nWidth);
    s->m_rowHeadingWidths[i] = nWidth;
    return 0;
}

int CGridWnd::SetRowHeadingWidth(int nWidth) {
    if (nWidth < 0 || nWidth > 1024) return 1;
    m_pSettings->m_nRowHeadingWidth = nWidth;
    ScaleSizes(m_pSettings->m_rowHeadingWidths, nWidth);
    LayoutChildWindows();
    return 0;
}

// --- fitting columns ----------------------------------------------------------------------

int CGridWnd::BestFitColumns(int nFirstCol, int nLastCol, int nRowsToScan, UINT nFlags) {
    CGridSettings* s = m_pSettings;
    if (nFirstCol < -s->m_nRowHeadingCols) return 1;
    if (nLastCol >= s->m_nColCount) return 2;
    if (nFirstCol > nLastCol) return 3;

    // The rows scanned: the heading rows when asked, the locked rows, then from the top row.
    std::vector<int> rows;
    const size_t nLimit = nRowsToScan > 0 ? (size_t)nRowsToScan : (size_t)-1;
    if (nFlags & 1)
        for (int r = -s->m_nColHeadingRows; r < 0 && rows.size() < nLimit; ++r) rows.push_back(r);
    for (int r = 0; r < s->m_nLockedRows && r < s->m_nRowCount && rows.size() < nLimit; ++r)
        rows.push_back(r);
    for (int r = s->m_nTopRow; r < s->m_nRowCount && rows.size() < nLimit; ++r)
        if (r >= s->m_nLockedRows) rows.push_back(r);

    CClientDC dc(m_hWnd != NULL ? this : NULL);
    CFont* pOldFont = s->m_pDefaultFont != NULL ? dc.SelectObject(s->m_pDefaultFont) : NULL;
    std::vector<int> best(nLastCol - nFirstCol + 1, 3);
    CGridCell cell;
    for (int c = nFirstCol; c <= nLastCol; ++c) {
        for (int r : rows) {
            GetDisplayCell(c, r, cell);
            if (cell.HasProperties(GRIDCELL_MERGE)) continue;
            CSize size(0, 0);
            TypeOfCell(cell)->GetBestSize(&dc, &size, &cell);
            if (size.cx > best[c - nFirstCol]) best[c - nFirstCol] = size.cx;
        }
    }
    if (pOldFont != NULL) dc.SelectObject(pOldFont);

    int nMax = 300;
    if (m_pCellArea->m_hWnd != NULL) {
        CRect rc;
        m_pCellArea->GetClientRect(&rc);
        if (rc.Width() > 0) nMax = rc.Width() - s->m_nVScrollWidth;
    }
    for (int c = nFirstCol; c <= nLastCol; ++c) {
        const int nBest = best[c - nFirstCol];
        SetColumnWidth(c, nBest > nMax ? nMax : nBest + 2);
    }
    LayoutChildWindows();
    return 0;
}

int CGridWnd::FitColumnsToWidth(int nFirstCol, int nLastCol) {
    CGridSettings* s = m_pSettings;
    if (nFirstCol < 0 || nFirstCol > nLastCol || nLastCol >= s->m_nColCount) return 1;
    long long nSum = 0;
    for (int c = nFirstCol; c <= nLastCol; ++c) nSum += s->m_columns[c].nWidth;
    // Widths summing to 0 give no ratio to keep.
    if (nSum <= 0) return 0;
    const int nArea = s->m_nCellAreaWidth;
    const float fRatio = (float)nArea / (float)nSum;
    int nUsed = 0;
    for (int c = nFirstCol; c < nLastCol; ++c) {
        s->m_columns[c].nWidth = (int)(s->m_columns[c].nWidth * fRatio);
        nUsed += s->m_columns[c].nWidth;
    }
    s->m_columns[nLastCol].nWidth = nArea - nUsed > 0 ? nArea - nUsed : 0;
    s->SumLockedSizes();
    CalcMaxLeftCol();
    UpdateChildWindows();
    return 0;
}

// --- inserting and deleting ---------------------------------------------------------------

int CGridWnd::InsertColumn(int nCol) {
    CGridSettings* s = m_pSettings;
    const int nCount = s->m_nColCount;
    if (nCol == nCount) return AppendColumn();
    if (nCol < 0 || nCol > nCount) return 1;
    CGridDataSource* pSource = s->m_columns[nCol].pDataSource;
    if (pSource == NULL) return 1;
    const int nResult = pSource->InsertCol(s->m_columns[nCol].nDataSourceCol);
    if (nResult != 0) return nResult;
    SetColCount(nCount + 1, FALSE);
    CGridColumn fresh = s->m_columns[nCount];
    for (int c = nCount; c > nCol; --c) s->m_columns[c] = s->m_columns[c - 1];
    fresh.nDataSourceCol = nCol;
    s->m_columns[nCol] = fresh;
    s->SumLockedSizes();
    CalcMaxLeftCol();
    RepaintAll();
    return 0;
}

int CGridWnd::AppendColumn() {
    CGridSettings* s = m_pSettings;
    if (s->m_pDataSource == NULL) return 1;
    const int nResult = s->m_pDataSource->AppendCol();
    if (nResult != 0) return nResult;
    SetColCount(s->m_nColCount + 1, TRUE);
    return 0;
}

int CGridWnd::DeleteColumn(int nCol) {
    CGridSettings* s = m_pSettings;
    const int nCount = s->m_nColCount;
    if (nCount == 0 || nCol < 0 || nCol >= nCount) return 1;
    CGridDataSource* pSource = s->m_columns[nCol].pDataSource;
    if (pSource == NULL) return 1;
    const int nResult = pSource->DeleteCol(s->m_columns[nCol].nDataSourceCol);
    if (nResult != 0) return nResult;
    CGridColumn gone = s->m_columns[nCol];
    for (int c = nCol; c < nCount - 1; ++c) s->m_columns[c] = s->m_columns[c + 1];
    // The last record now holds the deleted default cell, which the count change deletes.
    s->m_columns[nCount - 1] = gone;
    SetColCount(nCount - 1, TRUE);
    return 0;
}

int CGridWnd::InsertRow(int nRow) {
    CGridSettings* s = m_pSettings;
    if (nRow < 0 || nRow > s->m_nRowCount || s->m_pDataSource == NULL) return 1;
    const int nResult = s->m_pDataSource->InsertRow(nRow);
    if (nResult != 0) return nResult;
    SetRowCount(s->m_nRowCount + 1, TRUE);
    return 0;
}

int CGridWnd::AppendRow() {
    CGridSettings* s = m_pSettings;
    if (s->m_pDataSource == NULL) return 1;
    const int nResult = s->m_pDataSource->AppendRow();
    if (nResult != 0) return nResult;
    SetRowCount(s->m_nRowCount + 1, TRUE);
    return 0;
}

int CGridWnd::DeleteRow(int nRow) {
    CGridSettings* s = m_pSettings;
    if (nRow < 0 || nRow >= s->m_nRowCount || s->m_pDataSource == NULL) return 1;
    const int nResult = s->m_pDataSource->DeleteRow(nRow);
    if (nResult != 0) return nResult;
    SetRowCount(s->m_nRowCount - 1, TRUE);
    return 0;
}

// --- merged ranges ------------------------------------------------------------------------

int CGridWnd::MergeCellRange(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow) {
    CGridSettings* s = m_pSettings;
    if (nFirstCol > nLastCol || nFirstRow > nLastRow || nLastCol >= s->m_nColCount ||
        nLastRow >= s->m_nRowCount || nFirstCol < -s->m_nRowHeadingCols ||
        nFirstRow < -s->m_nColHeadingRows)
        return 1;
    for (int r = nFirstRow; r <= nLastRow; ++r)
        for (int c = nFirstCol; c <= nLastCol; ++c) {
            FetchWorkCell(c, r).SetMergeInfo(0, nFirstCol - c, nFirstRow - r);
            StoreWorkCell(c, r);
        }
    FetchWorkCell(nFirstCol, nFirstRow).SetMergeInfo(1, nLastCol - nFirstCol, nLastRow - nFirstRow);
    StoreWorkCell(nFirstCol, nFirstRow);
    return 0;
}

BOOL CGridWnd::StoredMergeRange(int nCol, int nRow, int& nFirstCol, int& nFirstRow, int& nLastCol,
                                int& nLastRow) {
    CGridCell cell;
    int nOrigin = 0, nCols = 0, nRows = 0;
    if (GetCell(nCol, nRow, cell) != 0 || cell.GetMergeInfo(nOrigin, nCols, nRows) != 0)
        return FALSE;
    nFirstCol = nCol;
    nFirstRow = nRow;
    if (!nOrigin) {
        nFirstCol += nCols;
        nFirstRow += nRows;
        if (GetCell(nFirstCol, nFirstRow, cell) != 0 ||
            cell.GetMergeInfo(nOrigin, nCols, nRows) != 0 || !nOrigin) {
            // An origin that lost its record: the range is the cell alone.
            nFirstCol = nLastCol = nCol;
            nFirstRow = nLastRow = nRow;
            return TRUE;
        }
    }
    nLastCol = nFirstCol + (nCols > 0 ? nCols : 0);
    nLastRow = nFirstRow + (nRows > 0 ? nRows : 0);
    return TRUE;
}

int CGridWnd::UnmergeCells(int nCol, int nRow) {
    int c1, r1, c2, r2;
    if (!StoredMergeRange(nCol, nRow, c1, r1, c2, r2)) return 0;
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c) {
            FetchWorkCell(c, r).ClearProperty(GRIDCELL_MERGE);
            StoreWorkCell(c, r);
        }
    return 0;
}

int CGridWnd::GetMergeOrigin(int& nCol, int& nRow) {
    if (!m_pSettings->m_bMergedCells) return 1;
    int c1, r1, c2, r2;
    if (!StoredMergeRange(nCol, nRow, c1, r1, c2, r2)) return 2;
    nCol = c1;
    nRow = r1;
    return 0;
}

int CGridWnd::GetMergeRange(int& nCol, int& nRow, int& nLastCol, int& nLastRow) {
    if (!m_pSettings->m_bMergedCells) return 1;
    int c1, r1, c2, r2;
    if (!StoredMergeRange(nCol, nRow, c1, r1, c2, r2)) return 2;
    nCol = c1;
    nRow = r1;
    nLastCol = c2;
    nLastRow = r2;
    return 0;
}
