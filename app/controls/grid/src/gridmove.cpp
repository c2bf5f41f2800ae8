// CGridWnd: moving the cursor cell and the scroll position, with the queries and
// notifications of every move.
#include "gridwnd.h"

#include "gridcellarea.h"
#include "gridcorner.h"
#include "gridheading.h"
#include "gridscrollbar.h"

int CGridWnd::GetLeftCol() const { return m_pSettings->m_nLeftCol; }

int CGridWnd::GetTopRow() const { return m_pSettings->m_nTopRow; }

int CGridWnd::GetCursorCol() const { return m_pSettings->m_nCursorCol; }

int CGridWnd::GetCursorRow() const { return m_pSettings->m_nCursorRow; }

int CGridWnd::AdjustMoveRow(int& nRow) {
    CGridSettings* s = m_pSettings;
    if (nRow >= s->m_nRowCount) {
        // The data source and then the grid may append rows for a move past the end.
        const int nCount = s->m_nRowCount;
        const int nPast = nRow - nCount + 1;
        int nValue = 0;
        if (s->m_pDataSource != NULL) s->m_pDataSource->OnRowsRequested(nCount, nPast, &nValue);
        OnRowsAppended(nCount, nPast, nValue);
        if (s->m_nTargetRow == s->m_nRowCount - 1) return 1;
        if (nRow >= s->m_nRowCount) nRow = s->m_nRowCount - 1;
    }
    if (nRow < 0) nRow = 0;
    return 0;
}

int CGridWnd::AdjustMoveCol(int& nCol) {
    CGridSettings* s = m_pSettings;
    if (nCol >= s->m_nColCount) {
        if (s->m_nTargetCol == s->m_nColCount - 1) return 1;
        nCol = s->m_nColCount - 1;
    }
    if (nCol == s->m_nTargetCol) return 0;
    if (nCol < 0) nCol = 0;
    return 0;
}

int CGridWnd::GotoRow(int nRow) {
    CGridSettings* s = m_pSettings;
    if (nRow == s->m_nTargetRow) return 0;
    if (AdjustMoveRow(nRow) != 0) return 1;
    if (nRow == s->m_nTargetRow) return 0;
    if (!OnCursorMoving(s->m_nTargetCol, s->m_nTargetRow, s->m_nTargetCol, nRow)) return 2;
    if (nRow >= s->m_nLastVisibleRow || nRow < s->m_nTopRow)
        if (!OnScrollPosChanging(s->m_nLeftCol, s->m_nTopRow, s->m_nLeftCol, nRow)) return 2;
    s->m_nTargetRow = nRow;
    EnsureCursorRowVisible();
    NotifyCursorMoved();
    return 0;
}

int CGridWnd::GotoCol(int nCol) {
    CGridSettings* s = m_pSettings;
    if (nCol == s->m_nTargetCol) return 0;
    if (AdjustMoveCol(nCol) != 0) return 1;
    if (nCol == s->m_nTargetCol) return 0;
    if (s->m_pDataSource != NULL &&
        s->m_pDataSource->CanMove(s->m_nTargetCol, s->m_nTargetRow, nCol, s->m_nTargetRow) != 1)
        return 2;
    if (!OnCursorMoving(s->m_nTargetCol, s->m_nTargetRow, nCol, s->m_nTargetRow)) return 2;
    if (nCol < s->m_nLeftCol || nCol > s->m_nLastVisibleCol)
        if (!OnScrollPosChanging(s->m_nLeftCol, s->m_nTopRow, nCol, s->m_nTopRow)) return 2;
    s->m_nTargetCol = nCol;
    EnsureCursorColVisible();
    NotifyCursorMoved();
    return 0;
}

int CGridWnd::GotoCell(int nCol, int nRow) {
    CGridSettings* s = m_pSettings;
    if (nCol == s->m_nTargetCol && nRow == s->m_nTargetRow) return 0;
    if (AdjustMoveRow(nRow) != 0) return 1;
    if (s->m_pDataSource != NULL &&
        s->m_pDataSource->CanMove(s->m_nCursorCol, s->m_nCursorRow, nCol, nRow) != 1)
        return 2;
    if (!OnCursorMoving(s->m_nTargetCol, s->m_nTargetRow, nCol, nRow)) return 2;
    const BOOL bColHidden = nCol < s->m_nLeftCol || nCol > s->m_nLastVisibleCol;
    const BOOL bRowHidden = nRow >= s->m_nLastVisibleRow || nRow < s->m_nTopRow;
    if (bColHidden || bRowHidden)
        if (!OnScrollPosChanging(s->m_nLeftCol, s->m_nTopRow, nCol, nRow)) return 2;
    s->m_nTargetCol = nCol;
    s->m_nTargetRow = nRow;
    EnsureCursorColVisible();
    EnsureCursorRowVisible();
    NotifyCursorMoved();
    return 0;
}

int CGridWnd::ClampTopRow(int nRow) const {
    const CGridSettings* s = m_pSettings;
    if (nRow > s->m_nMaxTopRow) nRow = s->m_nMaxTopRow;
    if (nRow < s->m_nLockedRows) nRow = s->m_nLockedRows;
    return nRow;
}

int CGridWnd::ClampLeftCol(int nCol) const {
    const CGridSettings* s = m_pSettings;
    if (nCol > s->m_nMaxLeftCol) nCol = s->m_nMaxLeftCol;
    if (nCol < s->m_nLockedCols) nCol = s->m_nLockedCols;
    return nCol;
}

int CGridWnd::SetTopRow(int nRow) {
    CGridSettings* s = m_pSettings;
    if (nRow == s->m_nTopRow) return 0;
    nRow = ClampTopRow(nRow);
    if (nRow == s->m_nTopRow) return 0;
    if (!OnScrollPosChanging(s->m_nLeftCol, s->m_nTopRow, s->m_nLeftCol, nRow)) return 2;
    s->m_nTopRow = nRow;
    NotifyCursorMoved();
    return 0;
}

int CGridWnd::SetLeftCol(int nCol) {
    CGridSettings* s = m_pSettings;
    if (nCol == s->m_nLeftCol) return 0;
    nCol = ClampLeftCol(nCol);
    if (nCol == s->m_nLeftCol) return 0;
    if (!OnScrollPosChanging(s->m_nLeftCol, s->m_nTopRow, nCol, s->m_nTopRow)) return 2;
    s->m_nLeftCol = nCol;
    NotifyCursorMoved();
    return 0;
}

void CGridWnd::EnsureCursorRowVisible() {
    CGridSettings* s = m_pSettings;
    const int nTarget = s->m_nTargetRow;
    if (nTarget < 0) return;
    if (nTarget < s->m_nTopRow)
        s->m_nTopRow = nTarget < s->m_nLockedRows ? s->m_nLockedRows : nTarget;
    if (s->m_nTopRow == nTarget) return;
    const int nAvail = s->m_nCellAreaHeight - s->m_nLockedRowsHeight;
    if (s->m_bUniformRowHeight) {
        const int nHeight = s->m_nDefRowHeight > 0 ? s->m_nDefRowHeight : 1;
        const int nFit = nAvail / nHeight;
        if (s->m_nTopRow < nTarget - nFit + 1) s->m_nTopRow = nTarget - nFit + 1;
    } else {
        int nRest = nAvail;
        for (int r = nTarget; r >= s->m_nTopRow; --r) {
            nRest -= s->GetRowHeight(r);
            if (nRest < 0) {
                // A row taller than the area still starts at its top.
                s->m_nTopRow = r + 1 <= nTarget ? r + 1 : nTarget;
                break;
            }
        }
    }
}

void CGridWnd::EnsureCursorColVisible() {
    CGridSettings* s = m_pSettings;
    const int nTarget = s->m_nTargetCol;
    if (nTarget < 0) return;
    if (nTarget < s->m_nLeftCol)
        s->m_nLeftCol = nTarget < s->m_nLockedCols ? s->m_nLockedCols : nTarget;
    if (s->m_nLeftCol == nTarget) return;
    int nRest = s->m_nCellAreaWidth - s->m_nLockedColsWidth;
    for (int c = nTarget; c >= s->m_nLeftCol; --c) {
        nRest -= s->GetColWidth(c);
        if (nRest < 0 && c < s->m_nMaxLeftCol) {
            s->m_nLeftCol = c + 1 <= nTarget ? c + 1 : nTarget;
            break;
        }
    }
}

namespace {

// The largest first scrolling row (column): the smallest one from which the rest of the
// rows (columns) still fill the room; at least the locked count.
int LargestFirst(const CGridSettings* s, int (CGridSettings::*size)(int) const, int nCount,
                 int nRoom, int nLocked) {
    int nMax = 0;
    for (int i = nCount - 1; i >= 0; --i) {
        nRoom -= (s->*size)(i);
        if (nRoom < 0) {
            nMax = i + 1;
            break;
        }
    }
    if (nMax > nCount - 1) nMax = nCount - 1;
    if (nMax < nLocked) nMax = nLocked;
    return nMax;
}

}  // namespace

void CGridWnd::CalcMaxTopRow() {
    CGridSettings* s = m_pSettings;
    const int nOld = s->m_nMaxTopRow;
    const int nMax = LargestFirst(s, &CGridSettings::GetRowHeight, s->m_nRowCount,
                                  s->m_nCellAreaHeight - s->m_nLockedRowsHeight, s->m_nLockedRows);
    s->m_nMaxTopRow = nMax;
    s->m_nTopRow = ClampTopRow(s->m_nTopRow);
    // The vertical bar comes or goes with the first row that is out of view.
    if ((nOld == 0 && nMax > 0) || (nOld >= 1 && nMax == 0)) LayoutChildWindows();
}

void CGridWnd::CalcMaxLeftCol() {
    CGridSettings* s = m_pSettings;
    s->m_nMaxLeftCol = LargestFirst(s, &CGridSettings::GetColWidth, s->m_nColCount,
                                    s->m_nCellAreaWidth - s->m_nLockedColsWidth, s->m_nLockedCols);
    s->m_nLeftCol = ClampLeftCol(s->m_nLeftCol);
}

void CGridWnd::NotifyCursorMoved() {
    CGridSettings* s = m_pSettings;
    s->m_nCursorCol = s->m_nTargetCol;
    s->m_nCursorRow = s->m_nTargetRow;
    const int nOldCol = s->m_nPrevCursorCol, nNewCol = s->m_nCursorCol;
    const int nOldRow = s->m_nPrevCursorRow, nNewRow = s->m_nCursorRow;
    const BOOL bColChanged = nOldCol != nNewCol;
    const BOOL bRowChanged = nOldRow != nNewRow;
    if (bColChanged) {
        if (s->m_pDataSource != NULL) s->m_pDataSource->OnColChanged(nOldCol, nNewCol);
        OnCursorColChanged(nOldCol, nNewCol);
    }
    if (bRowChanged) {
        if (s->m_pDataSource != NULL) s->m_pDataSource->OnRowChanged(nOldRow, nNewRow);
        OnCursorRowChanged(nOldRow, nNewRow);
    }
    if (bColChanged || bRowChanged) OnCursorCellChanged(nOldCol, nNewCol, nOldRow, nNewRow);
    if (s->m_nLeftCol != s->m_nPrevLeftCol) OnLeftColChanged(s->m_nPrevLeftCol, s->m_nLeftCol);
    if (s->m_nTopRow != s->m_nPrevTopRow) OnTopRowChanged(s->m_nPrevTopRow, s->m_nTopRow);

    if (bColChanged || bRowChanged) {
        CGridCell cell;
        if (nOldCol >= 0 && nOldRow >= 0) {
            GetDisplayCell(nOldCol, nOldRow, cell);
            TypeOfCell(cell)->OnLeaveCell(nOldCol, nOldRow, &cell);
        }
        if (nNewCol >= 0 && nNewRow >= 0) {
            GetDisplayCell(nNewCol, nNewRow, cell);
            TypeOfCell(cell)->OnEnterCell(nNewCol, nNewRow, &cell);
        }
        if (nOldCol >= 0 && nOldRow >= 0) m_pCellArea->GetHints().AddCell(nOldCol, nOldRow);
        if (nNewCol >= 0 && nNewRow >= 0) m_pCellArea->GetHints().AddCell(nNewCol, nNewRow);
    }
    // The cell area follows the scroll position and paints the old and new cursor cell.
    m_pCellArea->Refresh();
    m_pRowHeading->FollowCells();
    m_pColHeading->FollowCells();
    m_pVScrollBar->UpdateRange();
    m_pHScrollBar->UpdateRange();
    m_pCorner->Refresh();

    s->m_nPrevTopRow = s->m_nTopRow;
    s->m_nPrevLeftCol = s->m_nLeftCol;
    s->m_nPrevCursorRow = s->m_nCursorRow;
    s->m_nPrevCursorCol = s->m_nCursorCol;
}
