// The column and row heading windows: painting the heading cells, clicks, and sizing
// columns, rows and the headings by dragging their edges.
#include "gridheading.h"

#include "gridcellarea.h"
#include "gridinternal.h"
#include "gridsettings.h"
#include "gridwnd.h"

#include <stdlib.h>

namespace {

// An edge is hit when the pointer lies strictly within 3 pixels of it.
BOOL NearEdge(int nPos, int nEdge) { return abs(nPos - nEdge) < 3; }

// The column (row) whose far edge lies at the pointer, or the hidden one after it when that
// is 0 wide: its index when the grid lets it be sized, -2 when the grid refuses, -1 when no
// edge is there.
int EdgeAt(CGridWnd* pGrid, const CGridSettings* s, BOOL bRows, int nPos) {
    const int nCount = bRows ? s->m_nRowCount : s->m_nColCount;
    auto size = [s, bRows](int i) { return bRows ? s->GetRowHeight(i) : s->GetColWidth(i); };
    int nHit = -1;
    GridWalkVisible(
        nCount, bRows ? s->m_nLockedRows : s->m_nLockedCols, bRows ? s->m_nTopRow : s->m_nLeftCol,
        bRows ? s->m_nCellAreaHeight : s->m_nCellAreaWidth, size,
        [&](int i, int nStart, int nSize) {
            if (!NearEdge(nPos, nStart + nSize)) return true;
            if (i + 1 < nCount && size(i + 1) == 0) ++i;
            nHit = (bRows ? pGrid->CanResizeRow(i) : pGrid->CanResizeColumn(i)) ? i : -2;
            return false;
        });
    return nHit;
}

// Fills the part of the window that no heading cell covers.
void FillRest(CDC* pDC, const CGridSettings* s, const CRect& rc) {
    if (rc.IsRectEmpty()) return;
    pDC->FillSolidRect(&rc, s->m_pHeadingDefaultCell->GetBackColor());
}

// Draws one heading cell if the hints name it; a merged range once per paint, from its first
// cell. rangeRect gives a range's rectangle.
template <class RangeRect>
void PaintHeadingCell(CGridWnd* pGrid, CGridRedrawHints& hints, CGridCell& cell, CDC* pDC, int nCol,
                      int nRow, CRect rc, int nPressed, RangeRect rangeRect) {
    if (!hints.IsInRange(nCol, nRow)) return;
    pGrid->GetDisplayCell(nCol, nRow, cell);
    if (cell.HasProperties(GRIDCELL_MERGE)) {
        int c1 = nCol, r1 = nRow, c2, r2;
        if (pGrid->GetMergeRange(c1, r1, c2, r2) == 0) {
            if (hints.IsListedCell(c1, r1)) return;
            hints.AddListedCell(c1, r1);
            rc = rangeRect(c1, r1, c2, r2);
            if (c1 != nCol || r1 != nRow) pGrid->GetDisplayCell(c1, r1, cell);
            nCol = c1;
            nRow = r1;
        }
    }
    if (rc.Width() <= 0) return;
    const int nSaved = pDC->SaveDC();
    CGridCellType* pType =
        pGrid->GetCellTypeObject(cell.HasProperties(GRIDCELL_CELLTYPE) ? cell.GetCellType() : 0);
    pType->OnDraw(pDC, &rc, nCol, nRow, &cell, nPressed, 0);
    pDC->RestoreDC(nSaved);
}

// The drag marker: a focus rectangle on the cell area, erased where it was and drawn anew
// (an empty rectangle only erases).
void MoveMarker(CGridWnd* pGrid, CRect& rcMarker, const CRect& rcNew) {
    CWnd* pCells = pGrid->GetCellArea();
    if (pCells->m_hWnd == NULL) return;
    CClientDC dc(pCells);
    if (rcMarker.left >= 0 || rcMarker.top >= 0) dc.DrawFocusRect(&rcMarker);
    rcMarker = rcNew;
    if (rcMarker.left >= 0 || rcMarker.top >= 0) dc.DrawFocusRect(&rcMarker);
}

void FocusCells(CGridWnd* pGrid) {
    CWnd* pCells = pGrid->GetCellArea();
    if (pCells->m_hWnd != NULL && ::GetFocus() != pCells->m_hWnd) pCells->SetFocus();
}

// The heading sizes summed from the outside in: the start of heading row (column) i.
int OuterSum(const std::vector<int>& sizes, int nCount, int nUpTo) {
    int nSum = 0;
    for (int i = nCount - 1; i > nUpTo; --i) nSum += i < (int)sizes.size() ? sizes[i] : 0;
    return nSum;
}

}  // namespace

// --- column headings ----------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGridColumnHeading, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CGridColumnHeading::CGridColumnHeading()
    : m_pGrid(NULL),
      m_pSettings(NULL),
      m_bResizing(0),
      m_bInSizingZone(0),
      m_nResizeKind(0),
      m_nResizeIndex(0),
      m_nStartSize(0),
      m_nStartPos(0),
      m_nStartTotal(0),
      m_rcMarker(-1, -1, -1, -1),
      m_nMovedCol(-1),
      m_nDropCol(-1) {}

CGridColumnHeading::~CGridColumnHeading() {}

BOOL CGridColumnHeading::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

void CGridColumnHeading::FollowCells() {
    if (m_pSettings != NULL && m_pSettings->m_nLeftCol != m_pSettings->m_nPrevLeftCol)
        GridRedrawNow(this);
}

void CGridColumnHeading::Redraw() { GridRedrawNow(this); }

int CGridColumnHeading::GetHeadingRowHeight(int nRow) const {
    return m_pSettings != NULL ? m_pSettings->GetHeadingRowHeight(nRow) : 0;
}

int CGridColumnHeading::GetMergedRange(int& nCol, int& nRow, int& nLastCol, int& nLastRow) {
    return m_pGrid->GetMergeRange(nCol, nRow, nLastCol, nLastRow);
}

CRect CGridColumnHeading::GetHeadingCellRect(int nCol, int nRow) {
    const CGridSettings* s = m_pSettings;
    int c1 = nCol, r1 = nRow, c2 = nCol, r2 = nRow;
    GetMergedRange(c1, r1, c2, r2);
    CRect rc;
    m_pGrid->GetRangeRect(c1, 0, c2, 0, rc);
    // Heading rows from the outermost (-m) down to -1.
    int y = 0;
    for (int r = -s->m_nColHeadingRows; r < r1; ++r) y += s->GetHeadingRowHeight(r);
    int nBottom = y;
    for (int r = r1; r <= r2 && r < 0; ++r) nBottom += s->GetHeadingRowHeight(r);
    rc.top = y;
    rc.bottom = nBottom;
    return rc;
}

int CGridColumnHeading::HitTest(CPoint point, int& nCol, int& nRow, CRect* pRect) {
    const CGridSettings* s = m_pSettings;
    nCol = nRow = -1;
    GridWalkVisible(
        s->m_nColCount, s->m_nLockedCols, s->m_nLeftCol, s->m_nCellAreaWidth,
        [s](int c) { return s->GetColWidth(c); },
        [&](int c, int x, int w) {
            if (point.x >= x + w) return true;
            if (point.x >= x) nCol = c;
            return false;
        });
    BOOL bRow = FALSE;
    int y = 0;
    for (int r = -s->m_nColHeadingRows; r < 0 && !bRow; ++r) {
        y += s->GetHeadingRowHeight(r);
        if (point.y >= 0 && point.y < y) {
            nRow = r;
            bRow = TRUE;
        }
    }
    if (nCol < 0 || !bRow) {
        nCol = nRow = -1;
        return 1;
    }
    if (pRect != NULL) *pRect = GetHeadingCellRect(nCol, nRow);
    return 0;
}

void CGridColumnHeading::OnPaint() {
    CPaintDC dc(this);
    PaintCells(&dc);
}

LRESULT CGridColumnHeading::OnPrintClient(WPARAM wParam, LPARAM) {
    if (wParam != 0) PaintCells(CDC::FromHandle((HDC)wParam));
    return 0;
}

BOOL CGridColumnHeading::OnEraseBkgnd(CDC*) { return TRUE; }

void CGridColumnHeading::PaintCells(CDC* pDC) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    const CGridSettings* s = m_pSettings;
    m_hints.AddRange(0, -s->m_nColHeadingRows, s->m_nColCount, 0);
    m_pGrid->OnPaintSection(pDC, NULL, GRIDSECTION_COLHEADINGS);
    CFont* pOldFont = s->m_pDefaultFont != NULL ? pDC->SelectObject(s->m_pDefaultFont) : NULL;
    auto rangeRect = [this](int c1, int r1, int, int) { return GetHeadingCellRect(c1, r1); };
    int nWidest = 0, y = 0;
    for (int r = -s->m_nColHeadingRows; r < 0; ++r) {
        const int h = s->GetHeadingRowHeight(r);
        int nRight = 0;
        GridWalkVisible(
            s->m_nColCount, s->m_nLockedCols, s->m_nLeftCol, s->m_nCellAreaWidth,
            [s](int c) { return s->GetColWidth(c); },
            [&](int c, int x, int w) {
                const int nPressed = c == m_nMovedCol && m_nDropCol >= 0 ? 1 : 0;
                PaintHeadingCell(m_pGrid, m_hints, m_scratchCell, pDC, c, r,
                                 CRect(x, y, x + w, y + h), nPressed, rangeRect);
                nRight = x + w;
                return true;
            });
        if (nRight > nWidest) nWidest = nRight;
        y += h;
    }
    m_hints.Clear();
    if (pOldFont != NULL) pDC->SelectObject(pOldFont);
    CRect rc;
    GetClientRect(&rc);
    FillRest(pDC, s, CRect(nWidest, 0, rc.right, rc.bottom));
    FillRest(pDC, s, CRect(0, y, nWidest, rc.bottom));
}

void CGridColumnHeading::FitOuterRow() {
    const CGridSettings* s = m_pSettings;
    const int m = s->m_nColHeadingRows;
    int nOuter = s->m_nColHeadingHeight - OuterSum(s->m_colHeadingHeights, m - 1, -1);
    m_pGrid->SetColumnHeadingRowHeight(-m, nOuter > 0 ? nOuter : 0);
    GridRedrawNow(this);
}

void CGridColumnHeading::TestSizingZone(CPoint point) {
    CGridSettings* s = m_pSettings;
    const int nWasInZone = m_bInSizingZone;
    m_bInSizingZone = 0;
    // The column edges first.
    const int nHit = EdgeAt(m_pGrid, s, FALSE, point.x);
    if (nHit == -2) return;
    if (nHit >= 0) {
        m_bInSizingZone = 1;
        m_nResizeKind = 0;
        m_nResizeIndex = nHit;
        m_nStartSize = s->GetColWidth(nHit);
        m_nStartPos = point.x;
        ::SetCursor(s->m_hColSizeCursor);
        return;
    }
    // Then the heading-row edges, from the bottom one up.
    int nEdge = s->m_nColHeadingHeight;
    for (int i = 0; i < s->m_nColHeadingRows; ++i) {
        if (NearEdge(point.y, nEdge)) {
            if (!m_pGrid->CanResizeColumnHeading()) return;
            m_bInSizingZone = 1;
            m_nResizeKind = 1;
            m_nResizeIndex = i;
            m_nStartSize = s->m_colHeadingHeights[i];
            m_nStartPos = point.y;
            m_nStartTotal = s->m_nColHeadingHeight;
            ::SetCursor(s->m_hRowSizeCursor);
            return;
        }
        nEdge -= s->m_colHeadingHeights[i];
    }
    if (nWasInZone) ::SetCursor(s->m_hArrowCursor);
}

void CGridColumnHeading::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    CGridSettings* s = m_pSettings;
    if (!m_bResizing) {
        if (!(nFlags & MK_LBUTTON) && s->m_nSizingMode != 0) TestSizingZone(point);
        if ((nFlags & MK_LBUTTON) && m_nMovedCol >= 0) DragColumn(point);
        return;
    }
    const int d = (m_nResizeKind == 0 ? point.x : point.y) - m_nStartPos;
    if (m_nResizeKind == 0) {
        // Never left of the column's left edge: the width stops at 0.
        const int x = point.x > m_nStartPos - m_nStartSize ? point.x : m_nStartPos - m_nStartSize;
        int nWidth = m_nStartSize + (x - m_nStartPos);
        m_pGrid->OnColumnWidthChanging(m_nResizeIndex, &nWidth);
        m_pGrid->SetColumnWidth(m_nResizeIndex, nWidth);
        if (s->m_nSizingMode == 1) {
            FitOuterRow();
            MoveMarker(m_pGrid, m_rcMarker, CRect(x - 1, 0, x + 1, s->m_nCellAreaHeight));
        } else {
            m_pGrid->RepaintAll();
        }
    } else {
        const int nHeight = m_nStartSize + d;
        s->m_colHeadingHeights[m_nResizeIndex] = nHeight > 0 ? nHeight : 0;
        int nTotal = m_nStartTotal + d > 0 ? m_nStartTotal + d : 0;
        m_pGrid->OnColumnHeadingHeightChanging(&nTotal);
        s->m_nColHeadingHeight = nTotal;
        m_pGrid->LayoutChildWindows();
    }
}

void CGridColumnHeading::NotifyClick(BOOL bRight, BOOL bDown, CPoint point) {
    int nCol, nRow;
    CRect rc;
    if (HitTest(point, nCol, nRow, &rc) != 0) return;
    const int nHook =
        m_pGrid->GetCellTypeAt(nCol, nRow)->OnLButton(nCol, nRow, bDown && !bRight, &rc, &point);
    if (bRight)
        m_pGrid->OnColHeadingRightClick(nCol, nRow, bDown, &rc, &point, nHook);
    else
        m_pGrid->OnColHeadingLeftClick(nCol, nRow, bDown, &rc, &point, nHook);
}

void CGridColumnHeading::OnLButtonDown(UINT, CPoint point) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    FocusCells(m_pGrid);
    SetCapture();
    if (m_bInSizingZone) {
        m_bResizing = 1;
        return;
    }
    int nCol, nRow;
    if (m_pSettings->m_bColumnMoving && HitTest(point, nCol, nRow) == 0 &&
        m_pGrid->CanDragColumn(nCol))
        m_nMovedCol = nCol;
    NotifyClick(FALSE, TRUE, point);
}

void CGridColumnHeading::DragColumn(CPoint point) {
    CGridSettings* s = m_pSettings;
    if (point.x < 0 || point.x > s->m_nCellAreaWidth) {
        // Outside: the columns scroll towards the pointer until the mouse moves again or
        // the button goes up (those messages stay for their handlers).
        MoveMarker(m_pGrid, m_rcMarker, CRect(-1, -1, -1, -1));
        for (;;) {
            const int nWas = s->m_nLeftCol;
            m_pGrid->ScrollCols(point.x < 0 ? 0 : 1);
            MSG msg;
            BOOL bStop = FALSE;
            while (!bStop && ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
                if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP ||
                    msg.message == WM_QUIT) {
                    bStop = TRUE;
                } else if (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageA(&msg);
                }
            }
            if (bStop || m_hWnd == NULL || ::GetCapture() != m_hWnd) return;
            // At the end of the columns the loop waits for input instead of spinning.
            if (s->m_nLeftCol == nWas) ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
        }
    }
    int nCol, nRow;
    CRect rc;
    if (HitTest(CPoint(point.x, 1), nCol, nRow, &rc) != 0) return;
    if (nCol == m_nMovedCol && m_nDropCol < 0) return;
    const BOOL bFirst = m_nDropCol < 0;
    int x;
    if (point.x - rc.left > rc.Width() / 2) {
        m_nDropCol = nCol + 1;
        x = rc.right;
    } else {
        m_nDropCol = nCol;
        x = rc.left;
    }
    if (m_nDropCol > s->m_nColCount) m_nDropCol = s->m_nColCount;
    if (bFirst) Redraw();
    MoveMarker(m_pGrid, m_rcMarker, CRect(x - 1, 0, x + 1, s->m_nCellAreaHeight));
}

void CGridColumnHeading::EndColumnDrag() {
    const int nMoved = m_nMovedCol, nDrop = m_nDropCol;
    if (m_pSettings->m_bColumnMoving && nMoved >= 0) {
        const int nTarget = nDrop - (nMoved < nDrop ? 1 : 0);
        MoveMarker(m_pGrid, m_rcMarker, CRect(-1, -1, -1, -1));
        if (m_pGrid->OnColumnMoving(nMoved, nTarget)) {
            if (nDrop >= 0) m_pGrid->MoveColumn(nMoved, nDrop, TRUE);
            if (nDrop < 0) {
                Invalidate(TRUE);
            } else {
                m_nDropCol = -1;
                m_pGrid->RepaintAll();
            }
        } else {
            m_pGrid->RepaintAll();
        }
    }
    m_nMovedCol = m_nDropCol = -1;
    m_rcMarker.left = m_rcMarker.right = -1;
}

void CGridColumnHeading::OnLButtonUp(UINT, CPoint point) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    CGridSettings* s = m_pSettings;
    if (!m_bResizing) {
        NotifyClick(FALSE, FALSE, point);
        EndColumnDrag();
        if (::GetCapture() == m_hWnd) ::ReleaseCapture();
        return;
    }
    if (m_nResizeKind == 0) {
        int nWidth = s->GetColWidth(m_nResizeIndex);
        const int nWas = nWidth;
        m_pGrid->OnColumnWidthChanged(m_nResizeIndex, &nWidth);
        if (nWidth != nWas) m_pGrid->SetColumnWidth(m_nResizeIndex, nWidth);
    } else {
        int nTotal = s->m_nColHeadingHeight;
        m_pGrid->OnColumnHeadingHeightChanged(&nTotal);
    }
    m_bResizing = 0;
    MoveMarker(m_pGrid, m_rcMarker, CRect(-1, -1, -1, -1));
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    Invalidate(TRUE);
    m_pGrid->LayoutChildWindows();
}

void CGridColumnHeading::OnLButtonDblClk(UINT, CPoint point) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    if (m_bInSizingZone) {
        if (m_nResizeKind == 0 && m_pSettings->m_bDblClickBestFit) {
            m_pGrid->BestFitColumns(m_nResizeIndex, m_nResizeIndex, 20, 1);
            TestSizingZone(point);
        }
        return;
    }
    int nCol, nRow;
    CRect rc;
    if (HitTest(point, nCol, nRow, &rc) != 0) return;
    const int nHook = m_pGrid->GetCellTypeAt(nCol, nRow)->OnLButtonDblClk(nCol, nRow, &rc, &point);
    m_pGrid->OnColHeadingDblClick(nCol, nRow, &rc, &point, nHook);
}

void CGridColumnHeading::OnRButtonDown(UINT, CPoint point) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    FocusCells(m_pGrid);
    NotifyClick(TRUE, TRUE, point);
    int nCol, nRow;
    if (HitTest(point, nCol, nRow) != 0) nCol = nRow = -1;
    GridShowMenuAt(m_pGrid, this, nCol, nRow, point, GRIDSECTION_COLHEADINGS);
}

void CGridColumnHeading::OnRButtonUp(UINT, CPoint point) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    NotifyClick(TRUE, FALSE, point);
}

BOOL CGridColumnHeading::OnSetCursor(CWnd*, UINT, UINT) {
    if (m_pSettings == NULL) return FALSE;
    const CGridSettings* s = m_pSettings;
    if (m_bInSizingZone || m_bResizing)
        ::SetCursor(m_nResizeKind == 0 ? s->m_hColSizeCursor : s->m_hRowSizeCursor);
    else
        ::SetCursor(s->m_hArrowCursor);
    return TRUE;
}

// --- row headings -------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGridRowHeading, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_RBUTTONDBLCLK()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CGridRowHeading::CGridRowHeading()
    : m_pGrid(NULL),
      m_pSettings(NULL),
      m_nLastPaintedRow(0),
      m_bResizing(0),
      m_bInSizingZone(0),
      m_nResizeKind(0),
      m_nResizeIndex(0),
      m_nStartSize(0),
      m_nStartPos(0),
      m_nStartTotal(0),
      m_nRowsAbove(0),
      m_rcMarker(-1, -1, -1, -1) {}

CGridRowHeading::~CGridRowHeading() {}

void CGridRowHeading::FollowCells() {
    if (m_pSettings == NULL || m_hWnd == NULL) return;
    const CGridSettings* s = m_pSettings;
    const BOOL bTop = s->m_nTopRow != s->m_nPrevTopRow;
    if (!bTop && s->m_nCursorRow == s->m_nPrevCursorRow) return;
    if (::GetUpdateRect(m_hWnd, NULL, FALSE)) {
        UpdateWindow();
        return;
    }
    // A new top row repaints the heading; a cursor move only its two rows.
    if (bTop) {
        GridRedrawNow(this);
        return;
    }
    m_hints.AddRange(-s->m_nRowHeadingCols, s->m_nPrevCursorRow, 0, s->m_nPrevCursorRow);
    m_hints.AddRange(-s->m_nRowHeadingCols, s->m_nCursorRow, 0, s->m_nCursorRow);
    CClientDC dc(this);
    PaintCells(&dc);
}

void CGridRowHeading::Redraw() { GridRedrawNow(this); }

int CGridRowHeading::GetHeadingColWidth(int nCol) const {
    return m_pSettings != NULL ? m_pSettings->GetHeadingColWidth(nCol) : 0;
}

CRect CGridRowHeading::GetHeadingCellRect(int nCol, int nRow) {
    const CGridSettings* s = m_pSettings;
    int c1 = nCol, r1 = nRow, c2 = nCol, r2 = nRow;
    m_pGrid->GetMergeRange(c1, r1, c2, r2);
    CRect rc;
    m_pGrid->GetRangeRect(0, r1, 0, r2, rc);
    int x = 0;
    for (int c = -s->m_nRowHeadingCols; c < c1; ++c) x += s->GetHeadingColWidth(c);
    int nRight = x;
    for (int c = c1; c <= c2 && c < 0; ++c) nRight += s->GetHeadingColWidth(c);
    rc.left = x;
    rc.right = nRight;
    return rc;
}

int CGridRowHeading::HitTest(CPoint point, int& nCol, int& nRow, CRect* pRect) {
    const CGridSettings* s = m_pSettings;
    nCol = nRow = -1;
    BOOL bCol = FALSE;
    int x = 0;
    for (int c = -s->m_nRowHeadingCols; c < 0 && !bCol; ++c) {
        x += s->GetHeadingColWidth(c);
        if (point.x >= 0 && point.x < x) {
            nCol = c;
            bCol = TRUE;
        }
    }
    GridWalkVisible(
        s->m_nRowCount, s->m_nLockedRows, s->m_nTopRow, s->m_nCellAreaHeight,
        [s](int r) { return s->GetRowHeight(r); },
        [&](int r, int y, int h) {
            if (point.y >= y + h) return true;
            if (point.y >= y) nRow = r;
            return false;
        });
    if (!bCol || nRow < 0) {
        nCol = nRow = -1;
        return 1;
    }
    if (pRect != NULL) *pRect = GetHeadingCellRect(nCol, nRow);
    return 0;
}

void CGridRowHeading::OnPaint() {
    CPaintDC dc(this);
    if (m_pSettings != NULL)
        m_hints.AddRange(-m_pSettings->m_nRowHeadingCols, 0, 0, m_pSettings->m_nRowCount);
    PaintCells(&dc);
}

LRESULT CGridRowHeading::OnPrintClient(WPARAM wParam, LPARAM) {
    if (wParam == 0 || m_pSettings == NULL) return 0;
    m_hints.AddRange(-m_pSettings->m_nRowHeadingCols, 0, 0, m_pSettings->m_nRowCount);
    PaintCells(CDC::FromHandle((HDC)wParam));
    return 0;
}

BOOL CGridRowHeading::OnEraseBkgnd(CDC*) { return TRUE; }

void CGridRowHeading::PaintCells(CDC* pDC) {
    if (m_pGrid == NULL || m_pSettings == NULL) {
        m_hints.Clear();
        return;
    }
    const CGridSettings* s = m_pSettings;
    m_pGrid->OnPaintSection(pDC, NULL, GRIDSECTION_ROWHEADINGS);
    CFont* pOldFont = s->m_pDefaultFont != NULL ? pDC->SelectObject(s->m_pDefaultFont) : NULL;
    auto rangeRect = [this](int c1, int r1, int, int) { return GetHeadingCellRect(c1, r1); };
    int nBottom = 0;
    m_nLastPaintedRow = -1;
    GridWalkVisible(
        s->m_nRowCount, s->m_nLockedRows, s->m_nTopRow, s->m_nCellAreaHeight,
        [s](int r) { return s->GetRowHeight(r); },
        [&](int r, int y, int h) {
            if (h == 0) return true;
            int x = 0;
            for (int c = -s->m_nRowHeadingCols; c < 0; ++c) {
                const int w = s->GetHeadingColWidth(c);
                PaintHeadingCell(m_pGrid, m_hints, m_scratchCell, pDC, c, r,
                                 CRect(x, y, x + w, y + h), 0, rangeRect);
                x += w;
            }
            nBottom = y + h;
            m_nLastPaintedRow = r;
            return true;
        });
    m_hints.Clear();
    if (pOldFont != NULL) pDC->SelectObject(pOldFont);
    CRect rc;
    GetClientRect(&rc);
    FillRest(pDC, s, CRect(0, nBottom, rc.right, rc.bottom));
    int nWidth = 0;
    for (int c = -s->m_nRowHeadingCols; c < 0; ++c) nWidth += s->GetHeadingColWidth(c);
    FillRest(pDC, s, CRect(nWidth, 0, rc.right, nBottom));
}

void CGridRowHeading::FitOuterColumn() {
    const CGridSettings* s = m_pSettings;
    const int n = s->m_nRowHeadingCols;
    int nOuter = s->m_nRowHeadingWidth - OuterSum(s->m_rowHeadingWidths, n - 1, -1);
    m_pGrid->SetRowHeadingColWidth(-n, nOuter > 0 ? nOuter : 0);
    GridRedrawNow(this);
}

void CGridRowHeading::TestSizingZone(CPoint point) {
    CGridSettings* s = m_pSettings;
    m_bInSizingZone = 0;
    // The heading-column edges first, from the one next to the cells outwards.
    int nEdge = s->m_nRowHeadingWidth;
    for (int i = 0; i < s->m_nRowHeadingCols; ++i) {
        if (NearEdge(point.x, nEdge)) {
            if (!m_pGrid->CanResizeRowHeading()) return;
            m_bInSizingZone = 1;
            m_nResizeKind = 0;
            m_nResizeIndex = i;
            m_nStartSize = s->m_rowHeadingWidths[i];
            m_nStartPos = point.x;
            m_nStartTotal = s->m_nRowHeadingWidth;
            ::SetCursor(s->m_hColSizeCursor);
            return;
        }
        nEdge -= s->m_rowHeadingWidths[i];
    }
    // Then the row edges.
    const int nHit = EdgeAt(m_pGrid, s, TRUE, point.y);
    if (nHit == -2) return;
    if (nHit >= 0) {
        m_bInSizingZone = 1;
        m_nResizeKind = 1;
        m_nResizeIndex = nHit;
        m_nStartSize = s->GetRowHeight(nHit);
        m_nStartPos = point.y;
        if (s->m_bUniformRowHeight)
            m_nRowsAbove = point.y / (s->m_nDefRowHeight > 0 ? s->m_nDefRowHeight : 1);
        ::SetCursor(s->m_hRowSizeCursor);
        return;
    }
    ::SetCursor(s->m_hArrowCursor);
}

void CGridRowHeading::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    CGridSettings* s = m_pSettings;
    if (!m_bResizing) {
        if (!(nFlags & MK_LBUTTON) && s->m_nSizingMode != 0) TestSizingZone(point);
        return;
    }
    if (m_nResizeKind == 0) {
        const int d = point.x - m_nStartPos;
        const int nWidth = m_nStartSize + d;
        s->m_rowHeadingWidths[m_nResizeIndex] = nWidth > 0 ? nWidth : 0;
        int nTotal = m_nStartTotal + d > 0 ? m_nStartTotal + d : 0;
        m_pGrid->OnRowHeadingWidthChanging(&nTotal);
        s->m_nRowHeadingWidth = nTotal;
        m_pGrid->LayoutChildWindows();
        return;
    }
    int nHeight;
    if (s->m_bUniformRowHeight) {
        const int y = point.y > 1 ? point.y : 1;
        nHeight = m_nRowsAbove >= 1 ? y / m_nRowsAbove : y;
    } else {
        nHeight = m_nStartSize + (point.y - m_nStartPos);
    }
    if (nHeight < 0) nHeight = 0;
    m_pGrid->OnRowHeightChanging(m_nResizeIndex, &nHeight);
    m_pGrid->SetRowHeight(m_nResizeIndex, nHeight);
    if (s->m_nSizingMode == 1) {
        FitOuterColumn();
        MoveMarker(m_pGrid, m_rcMarker, CRect(0, point.y - 1, s->m_nCellAreaWidth, point.y + 1));
    } else {
        m_pGrid->RepaintAll();
    }
}

void CGridRowHeading::NotifyClick(BOOL bRight, BOOL bDown, CPoint point) {
    int nCol, nRow;
    CRect rc;
    if (HitTest(point, nCol, nRow, &rc) != 0) return;
    const int nHook =
        m_pGrid->GetCellTypeAt(nCol, nRow)->OnLButton(nCol, nRow, bDown && !bRight, &rc, &point);
    if (bRight)
        m_pGrid->OnRowHeadingRightClick(nCol, nRow, bDown, &rc, &point, nHook);
    else
        m_pGrid->OnRowHeadingLeftClick(nCol, nRow, bDown, &rc, &point, nHook);
}

void CGridRowHeading::OnLButtonDown(UINT, CPoint point) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    FocusCells(m_pGrid);
    if (m_bInSizingZone) {
        m_bResizing = 1;
        SetCapture();
        return;
    }
    NotifyClick(FALSE, TRUE, point);
}

void CGridRowHeading::OnLButtonUp(UINT, CPoint point) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    CGridSettings* s = m_pSettings;
    if (!m_bResizing) {
        NotifyClick(FALSE, FALSE, point);
        return;
    }
    if (m_nResizeKind == 1) {
        int nHeight = s->GetRowHeight(m_nResizeIndex);
        m_pGrid->OnRowHeightChanged(m_nResizeIndex, &nHeight);
        m_pGrid->SetRowHeight(m_nResizeIndex, nHeight);
    } else {
        int nTotal = s->m_nRowHeadingWidth;
        m_pGrid->OnRowHeadingWidthChanged(&nTotal);
    }
    m_bResizing = 0;
    MoveMarker(m_pGrid, m_rcMarker, CRect(-1, -1, -1, -1));
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_pGrid->LayoutChildWindows();
}

void CGridRowHeading::OnLButtonDblClk(UINT, CPoint point) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    int nCol, nRow;
    CRect rc;
    if (HitTest(point, nCol, nRow, &rc) != 0) return;
    const int nHook = m_pGrid->GetCellTypeAt(nCol, nRow)->OnLButton(nCol, nRow, 0, &rc, &point);
    m_pGrid->OnRowHeadingDblClick(nCol, nRow, &rc, &point, nHook);
}

void CGridRowHeading::OnRButtonDown(UINT, CPoint point) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    FocusCells(m_pGrid);
    NotifyClick(TRUE, TRUE, point);
    int nCol, nRow;
    if (HitTest(point, nCol, nRow) != 0) nCol = nRow = -1;
    GridShowMenuAt(m_pGrid, this, nCol, nRow, point, GRIDSECTION_ROWHEADINGS);
}

void CGridRowHeading::OnRButtonUp(UINT, CPoint point) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    NotifyClick(TRUE, FALSE, point);
}

void CGridRowHeading::OnRButtonDblClk(UINT, CPoint) { Default(); }

BOOL CGridRowHeading::OnSetCursor(CWnd*, UINT, UINT) {
    if (m_pSettings == NULL) return FALSE;
    const CGridSettings* s = m_pSettings;
    if (m_bInSizingZone || m_bResizing)
        ::SetCursor(m_nResizeKind == 0 ? s->m_hColSizeCursor : s->m_hRowSizeCursor);
    else
        ::SetCursor(s->m_hArrowCursor);
    return TRUE;
}
