// CGridWnd: moving the cursor cell and the scroll position, with the queries and
// notifications of every move.
#include "gridwnd.h"

#include "gridcellarea.h"
#include "gridcorner.h"
#include "gridheading.h"
#include "gridinternal.h"
#include "gridscrollbar.h"
#include "gridselection.h"

int CGridWnd::GetLeftCol() const { return m_pSettings->m_nLeftCol; }

int CGridWnd::GetTopRow() const { return m_pSettings->m_nTopRow; }

int CGridWnd::GetCursorCol() const { return m_pSettings->m_nCursorCol; }

int CGridWnd::GetCursorRow() const { return m_pSettings->m_nCursorRow; }

int CGridWnd::GetRightCol() const { return m_pSettings->m_nLastVisibleCol; }

int CGridWnd::GetBottomRow() const { return m_pSettings->m_nLastVisibleRow; }

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
    StepOverMergedRow(nRow);
    return 0;
}

// Moving down from above a merged range lands on its first row, from inside it on the row
// after it; moving up into or inside it goes to the row before it. A move that has no row
// on that side stays on the range's first row, so that it never ends inside the range.
void CGridWnd::StepOverMergedRow(int& nRow) {
    CGridSettings* s = m_pSettings;
    int c1 = s->m_nTargetCol, r1 = nRow, c2, r2;
    if (s->m_nTargetCol < 0 || nRow == s->m_nTargetRow || GetMergeRange(c1, r1, c2, r2) != 0)
        return;
    if (s->m_nSelectionMode != 0) {
        nRow = r1;
        return;
    }
    const int nFrom = s->m_nTargetRow;
    if (nRow > nFrom)
        nRow = nFrom < r1 ? r1 : (r2 + 1 < s->m_nRowCount ? r2 + 1 : r1);
    else
        nRow = r1 - 1 >= 0 ? r1 - 1 : r1;
}

void CGridWnd::StepOverMergedCol(int& nCol) {
    CGridSettings* s = m_pSettings;
    int c1 = nCol, r1 = s->m_nTargetRow, c2, r2;
    if (s->m_nTargetRow < 0 || nCol == s->m_nTargetCol || GetMergeRange(c1, r1, c2, r2) != 0)
        return;
    if (s->m_nSelectionMode != 0) {
        nCol = c1;
        return;
    }
    const int nFrom = s->m_nTargetCol;
    if (nCol > nFrom)
        nCol = nFrom < c1 ? c1 : (c2 + 1 < s->m_nColCount ? c2 + 1 : c1);
    else
        nCol = c1 - 1 >= 0 ? c1 - 1 : c1;
}

int CGridWnd::AdjustMoveCol(int& nCol) {
    CGridSettings* s = m_pSettings;
    if (nCol >= s->m_nColCount) {
        if (s->m_nTargetCol == s->m_nColCount - 1) return 1;
        nCol = s->m_nColCount - 1;
    }
    if (nCol == s->m_nTargetCol) return 0;
    if (nCol < 0) nCol = 0;
    StepOverMergedCol(nCol);
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
    int nLastCol, nLastRow;
    GetMergeRange(nCol, nRow, nLastCol, nLastRow);
    if (nCol == s->m_nTargetCol && nRow == s->m_nTargetRow) return 0;
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
    if (s->m_bMultiSelect && !m_bEditing && s->m_pSelection != NULL) {
        // The selection follows the move target as the input that made the move says.
        CGridSelection* pSel = s->m_pSelection;
        const int c = s->m_nTargetCol, r = s->m_nTargetRow;
        switch (s->m_nSelectionParam) {
            case GRIDINPUT_KEYBOARD: pSel->OnKeyMove(c, r); break;
            case GRIDINPUT_LEFTCLICK: pSel->OnClickMove(c, r, s->m_nSelectionKeys); break;
            case GRIDINPUT_RIGHTCLICK: pSel->OnRightClickMove(c, r, s->m_nSelectionKeys); break;
            case GRIDINPUT_DRAG: pSel->OnDragMove(c, r, s->m_nSelectionKeys); break;
            default: break;
        }
    }
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
    KeepFloatingWindowOffCursor();

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

// --- move codes and pages -----------------------------------------------------------------

// A page of rows from nFrom: rows are taken while they fit into the room below the locked
// rows. Rows at or beyond nLimit (and before row 0) count the default height. The walk
// stops one row past the grid's edge, where the move clamps anyway, so that rows of height
// 0 cannot keep it going.
int CGridWnd::PageRow(int nFrom, BOOL bForward, int nLimit) {
    const CGridSettings* s = m_pSettings;
    auto height = [&](int r) {
        return r < 0 || r >= nLimit ? s->m_nDefRowHeight : s->GetRowHeight(r);
    };
    int nRoom = s->m_nCellAreaHeight - s->m_nLockedRowsHeight;
    int r = nFrom;
    const int nStep = bForward ? 1 : -1;
    do {
        if (nRoom < 0) break;
        nRoom -= height(r);
        r += nStep;
        if (r < 0 || r >= s->m_nRowCount) break;
    } while (height(r) <= nRoom);
    return r;
}

// A page of columns: there is no test whether the next column still fits, so a column page
// goes one column further than a row page. Columns outside the grid are 1 wide here and
// before column 0 the default width; the walk stops one column past the edge.
int CGridWnd::PageCol(int nFrom, BOOL bForward) {
    const CGridSettings* s = m_pSettings;
    int nRoom = s->m_nCellAreaWidth - s->m_nLockedColsWidth;
    int c = nFrom;
    const int nStep = bForward ? 1 : -1;
    while (nRoom >= 0) {
        nRoom -= c < 0 ? s->m_nDefColWidth : s->GetColWidth(c);
        c += nStep;
        if (c < 0 || c >= s->m_nColCount) break;
    }
    return c;
}

int CGridWnd::MoveCursorRow(int nCode) {
    const CGridSettings* s = m_pSettings;
    const int r = s->m_nTargetRow;
    switch (nCode) {
        case 0: return GotoRow(r - 1);
        case 1: return GotoRow(r + 1);
        case 2: return GotoRow(PageRow(r, FALSE, s->m_nRowCount));
        case 3: return GotoRow(PageRow(r, TRUE, s->m_nRowCount));
        case 4: return GotoRow(0);
        case 5: return GotoRow(s->m_nRowCount - 1);
        default: return 0;
    }
}

int CGridWnd::MoveCursorCol(int nCode) {
    const CGridSettings* s = m_pSettings;
    const int c = s->m_nTargetCol;
    switch (nCode) {
        case 0: return GotoCol(c - 1);
        case 1: return GotoCol(c + 1);
        case 2: return GotoCol(PageCol(c, FALSE));
        case 3: return GotoCol(PageCol(c, TRUE));
        case 4: return GotoCol(0);
        case 5: return GotoCol(s->m_nColCount - 1);
        default: return 0;
    }
}

int CGridWnd::MoveCursorRowBy(int nCount) { return GotoRow(m_pSettings->m_nTargetRow + nCount); }

int CGridWnd::MoveCursorColBy(int nCount) { return GotoCol(m_pSettings->m_nTargetCol + nCount); }

int CGridWnd::ScrollRows(int nCode) {
    const CGridSettings* s = m_pSettings;
    const int r = s->m_nTopRow;
    switch (nCode) {
        case 0: return SetTopRow(r - 1);
        case 1: return SetTopRow(r + 1);
        case 2: return SetTopRow(PageRow(r, FALSE, s->m_nMaxTopRow));
        case 3: return SetTopRow(PageRow(r, TRUE, s->m_nMaxTopRow));
        case 4: return SetTopRow(0);
        case 5: return SetTopRow(s->m_nRowCount - 1);
        default: return 0;
    }
}

int CGridWnd::ScrollCols(int nCode) {
    const CGridSettings* s = m_pSettings;
    const int c = s->m_nLeftCol;
    switch (nCode) {
        case 0: return SetLeftCol(c - 1);
        case 1: return SetLeftCol(c + 1);
        case 2: return SetLeftCol(PageCol(c, FALSE));
        case 3: return SetLeftCol(PageCol(c, TRUE));
        case 4: return SetLeftCol(0);
        case 5: return SetLeftCol(s->m_nColCount - 1);
        default: return 0;
    }
}

int CGridWnd::ScrollRowsBy(int nCount) { return SetTopRow(m_pSettings->m_nTopRow + nCount); }

int CGridWnd::ScrollColsBy(int nCount) { return SetLeftCol(m_pSettings->m_nLeftCol + nCount); }

// --- cells and pixels ---------------------------------------------------------------------

int CGridWnd::CellFromPoint(int x, int y, int& nCol, int& nRow, CRect* pRect) {
    const CGridSettings* s = m_pSettings;
    nCol = nRow = -1;
    if (x < 0 || x > s->m_nCellAreaWidth || y < 0 || y > s->m_nCellAreaHeight) return 1;
    CRect rc(0, 0, 0, 0);
    GridWalkVisible(
        s->m_nColCount, s->m_nLockedCols, s->m_nLeftCol, s->m_nCellAreaWidth,
        [&](int c) { return s->GetColWidth(c); },
        [&](int c, int left, int w) {
            if (left + w <= x) return true;
            nCol = c;
            rc.left = left;
            rc.right = left + w;
            return false;
        });
    GridWalkVisible(
        s->m_nRowCount, s->m_nLockedRows, s->m_nTopRow, s->m_nCellAreaHeight,
        [&](int r) { return s->GetRowHeight(r); },
        [&](int r, int top, int h) {
            if (top + h <= y) return true;
            nRow = r;
            rc.top = top;
            rc.bottom = top + h;
            return false;
        });
    if (nCol < 0 || nRow < 0) {
        nCol = nRow = -1;
        return 1;
    }
    int nLastCol, nLastRow;
    if (GetMergeRange(nCol, nRow, nLastCol, nLastRow) == 0)
        GetRangeRect(nCol, nRow, nLastCol, nLastRow, rc);
    if (pRect != NULL) *pRect = rc;
    return 0;
}

int CGridWnd::GetCellRect(int nCol, int nRow, CRect& rect) {
    const CGridSettings* s = m_pSettings;
    int c1 = nCol, r1 = nRow, c2 = nCol, r2 = nRow;
    GetMergeRange(c1, r1, c2, r2);
    // A cell out of view gets an empty rectangle where the walk stopped: at the locked
    // boundary for a scrolled-out cell, at the area's end for one beyond it.
    int left = c1 < s->m_nLockedCols ? 0 : s->m_nLockedColsWidth, right = left, end = 0;
    BOOL bLeft = FALSE;
    GridWalkVisible(
        s->m_nColCount, s->m_nLockedCols, s->m_nLeftCol, s->m_nCellAreaWidth,
        [&](int c) { return s->GetColWidth(c); },
        [&](int c, int x, int w) {
            end = x + w;
            if (c == c1) left = x, bLeft = TRUE;
            if (c == c2) {
                right = x + w;
                return false;
            }
            return true;
        });
    if (!bLeft && c1 >= s->m_nLeftCol) left = right = end;
    if (right < left) right = left;
    int top = r1 < s->m_nLockedRows ? 0 : s->m_nLockedRowsHeight, bottom = top;
    BOOL bTop = FALSE;
    end = 0;
    GridWalkVisible(
        s->m_nRowCount, s->m_nLockedRows, s->m_nTopRow, s->m_nCellAreaHeight,
        [&](int r) { return s->GetRowHeight(r); },
        [&](int r, int y, int h) {
            end = y + h;
            if (r == r1) top = y, bTop = TRUE;
            if (r == r2) {
                bottom = y + h;
                return false;
            }
            return true;
        });
    if (!bTop && r1 >= s->m_nTopRow) top = bottom = end;
    if (bottom < top) bottom = top;
    rect.SetRect(left, top, right, bottom);
    return 0;
}

int CGridWnd::GetRangeRect(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow, CRect& rect) {
    const CGridSettings* s = m_pSettings;
    rect.SetRect(-10, -10, s->m_nCellAreaWidth + 10, s->m_nCellAreaHeight + 10);
    if (s->m_nLockedCols > 0 && nFirstCol >= s->m_nLockedCols && nFirstCol < s->m_nLeftCol)
        rect.left = s->m_nLockedColsWidth;
    GridWalkVisible(
        s->m_nColCount, s->m_nLockedCols, s->m_nLeftCol, s->m_nCellAreaWidth,
        [&](int c) { return s->GetColWidth(c); },
        [&](int c, int x, int w) {
            if (c == nFirstCol) rect.left = x;
            if (c == nLastCol) {
                rect.right = x + w;
                return false;
            }
            return true;
        });
    if (s->m_nLockedRows > 0 && nFirstRow >= s->m_nLockedRows && nFirstRow < s->m_nTopRow)
        rect.top = s->m_nLockedRowsHeight;
    GridWalkVisible(
        s->m_nRowCount, s->m_nLockedRows, s->m_nTopRow, s->m_nCellAreaHeight,
        [&](int r) { return s->GetRowHeight(r); },
        [&](int r, int y, int h) {
            if (r == nFirstRow) rect.top = y;
            if (r == nLastRow) {
                rect.bottom = y + h;
                return false;
            }
            return true;
        });
    return 0;
}
