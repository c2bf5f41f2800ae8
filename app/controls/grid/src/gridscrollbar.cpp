// The grid's scroll bars: ranges from the grid's largest first column and top row, scroll
// codes into the grid's scroll operations, and thumb hints.
#include "gridscrollbar.h"

#include "gridcellarea.h"
#include "gridhintwnd.h"
#include "gridinternal.h"
#include "gridsettings.h"
#include "gridwnd.h"

namespace {

// Gives the cell area the focus, as every use of a bar does.
void FocusCells(CGridWnd* pGrid) {
    CGridCellArea* pCells = pGrid->GetCellArea();
    if (pCells->m_hWnd != NULL && ::GetFocus() != pCells->m_hWnd) pCells->SetFocus();
}

// The mouse position in the grid's client coordinates.
CPoint MouseInGrid(CGridWnd* pGrid) {
    CPoint pt;
    ::GetCursorPos(&pt);
    pGrid->ScreenToClient(&pt);
    return pt;
}

// The grid's scroll operation for a line, page or end code; -1 for the other codes.
int MoveCodeOf(UINT nSBCode) {
    switch (nSBCode) {
        case SB_LINEUP: return 0;
        case SB_LINEDOWN: return 1;
        case SB_PAGEUP: return 2;
        case SB_PAGEDOWN: return 3;
        case SB_TOP: return 4;
        case SB_BOTTOM: return 5;
        default: return -1;
    }
}

// What both bars do first with a scroll code: the cell area takes the focus, and the line,
// page and end codes become the grid's column (row) scrolls. TRUE when the code was one of
// those.
BOOL ScrollByCode(CGridWnd* pGrid, CGridSettings* s, UINT nSBCode, BOOL bRows) {
    FocusCells(pGrid);
    s->m_nSelectionParam = GRIDINPUT_SCROLLBAR;
    const int nCode = MoveCodeOf(nSBCode);
    if (nCode < 0) return FALSE;
    if (bRows)
        pGrid->ScrollRows(nCode);
    else
        pGrid->ScrollCols(nCode);
    return TRUE;
}

}  // namespace

// --- horizontal ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGridHScrollBar, CScrollBar)
ON_WM_CREATE()
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CGridHScrollBar::CGridHScrollBar()
    : m_pGrid(NULL),
      m_pSettings(NULL),
      m_nCachedMaxLeftCol(-1),
      m_nCachedLockedCols(-1),
      m_nTrackedCol(0) {}

CGridHScrollBar::~CGridHScrollBar() {}

int CGridHScrollBar::OnCreate(LPCREATESTRUCT lpcs) {
    if (CScrollBar::OnCreate(lpcs) == -1) return -1;
    if (m_pSettings != NULL && m_pSettings->m_bHScrollTips) EnableToolTips(TRUE);
    return 0;
}

void CGridHScrollBar::UpdateRange() {
    if (m_hWnd == NULL || m_pGrid == NULL || m_pSettings == NULL) return;
    CGridSettings* s = m_pSettings;
    if (s->m_nMaxLeftCol != m_nCachedMaxLeftCol || s->m_nLockedCols != m_nCachedLockedCols) {
        m_nCachedMaxLeftCol = s->m_nMaxLeftCol;
        m_nCachedLockedCols = s->m_nLockedCols;
        // A default width of 0 counts as 1.
        const int nWidth = s->m_nDefColWidth > 0 ? s->m_nDefColWidth : 1;
        const int nPage = (s->m_nCellAreaWidth - s->m_nLockedColsWidth) / nWidth;
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        si.nMin = 0;
        si.nMax = s->m_nMaxLeftCol - s->m_nLockedCols + nPage - 1;
        si.nPage = nPage > 0 ? (UINT)nPage : 0;
        SetScrollInfo(&si, TRUE);
        if (s->m_rcHScroll.bottom - s->m_rcHScroll.top == 0) m_pGrid->LayoutChildWindows();
    }
    if (s->m_nLeftCol != s->m_nPrevLeftCol) SetScrollPos(s->m_nLeftCol - s->m_nLockedCols, TRUE);
    Invalidate(FALSE);
}

void CGridHScrollBar::OnScroll(UINT nSBCode, UINT nPos) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    CGridSettings* s = m_pSettings;
    if (ScrollByCode(m_pGrid, s, nSBCode, FALSE)) return;
    const int nPosition = (int)(short)nPos;
    if (nSBCode == SB_THUMBPOSITION) {
        if (s->m_bHScrollTips) m_pGrid->GetHintWnd()->Hide();
        m_pGrid->SetLeftCol(nPosition + s->m_nLockedCols);
    } else if (nSBCode == SB_THUMBTRACK) {
        if (s->m_nHScrollMode == 1) m_pGrid->SetLeftCol(nPosition + s->m_nLockedCols);
        m_nTrackedCol = nPosition + s->m_nLockedCols;
        if (s->m_bHScrollTips) {
            CGridHintWnd* pHint = m_pGrid->GetHintWnd();
            pHint->SetAlignment(GRIDHINT_HCENTER | GRIDHINT_BOTTOM);
            CString text;
            m_pGrid->OnGetHScrollHint(m_nTrackedCol, &text);
            pHint->SetText(text, FALSE);
            pHint->ShowAt(MouseInGrid(m_pGrid).x, s->m_rcHScroll.top - 1, 20);
            pHint->Show();
        }
    }
}

void CGridHScrollBar::Redraw() { GridRedrawNow(this); }

// --- vertical -----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGridVScrollBar, CScrollBar)
ON_WM_CREATE()
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CGridVScrollBar::CGridVScrollBar()
    : m_pGrid(NULL),
      m_pSettings(NULL),
      m_dScale(1.0),
      m_dInverse(1.0),
      m_nCachedMaxTopRow(-2),
      m_nCachedMode(-2),
      m_nCachedLockedRows(-2),
      m_nTrackedRow(0) {}

CGridVScrollBar::~CGridVScrollBar() {}

int CGridVScrollBar::OnCreate(LPCREATESTRUCT lpcs) {
    if (CScrollBar::OnCreate(lpcs) == -1) return -1;
    if (m_pSettings != NULL && m_pSettings->m_bVScrollTips) EnableToolTips(TRUE);
    return 0;
}

void CGridVScrollBar::UpdateRange() {
    if (m_hWnd == NULL || m_pGrid == NULL || m_pSettings == NULL) return;
    CGridSettings* s = m_pSettings;
    const int nMode = s->m_nVScrollMode;
    if (s->m_nMaxTopRow != m_nCachedMaxTopRow || nMode != m_nCachedMode ||
        s->m_nLockedRows != m_nCachedLockedRows) {
        m_nCachedMaxTopRow = s->m_nMaxTopRow;
        m_nCachedMode = nMode;
        m_nCachedLockedRows = s->m_nLockedRows;
        const int R = s->m_nMaxTopRow;
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        if (R > 1000) {
            // Beyond 1000 rows the bar runs on a scale of 0..1000.
            m_dScale = 1000.0 / R;
            m_dInverse = R / 1000.0;
            if (nMode == 2) {
                SetScrollRange(0, 2, FALSE);
                m_dScale = m_dInverse = 1.0;
            } else {
                si.fMask = SIF_RANGE | SIF_PAGE;
                si.nMin = s->m_nLockedRows;
                si.nMax = 1000;
                si.nPage = 1;
                SetScrollInfo(&si, TRUE);
            }
        } else {
            if (nMode == 2) {
                si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
                si.nMin = 0;
                si.nMax = 2;
                si.nPage = 0;
                si.nPos = 1;
            } else {
                // A default height of 0 counts as 1.
                const int nHeight = s->m_nDefRowHeight > 0 ? s->m_nDefRowHeight : 1;
                const int nPage = s->m_nCellAreaHeight / nHeight;
                si.fMask = SIF_RANGE | SIF_PAGE;
                si.nMin = s->m_nLockedRows;
                si.nMax = R + nPage - 1;
                si.nPage = nPage > 0 ? (UINT)nPage : 0;
            }
            SetScrollInfo(&si, TRUE);
            Invalidate(FALSE);
            m_dScale = m_dInverse = 1.0;
        }
        if (s->m_rcVScroll.right - s->m_rcVScroll.left == 0) m_pGrid->LayoutChildWindows();
    }
    if (s->m_nTopRow != s->m_nPrevTopRow)
        SetScrollPos(nMode == 2 ? 1 : (int)(s->m_nTopRow * m_dScale), TRUE);
}

void CGridVScrollBar::OnScroll(UINT nSBCode, UINT nPos) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    CGridSettings* s = m_pSettings;
    if (ScrollByCode(m_pGrid, s, nSBCode, TRUE)) return;
    const int nPosition = (int)(short)nPos;
    if (nSBCode == SB_THUMBPOSITION) {
        if (s->m_bVScrollTips) m_pGrid->GetHintWnd()->Hide();
        m_pGrid->SetTopRow((int)(nPosition * m_dInverse));
    } else if (nSBCode == SB_THUMBTRACK) {
        if (s->m_nVScrollMode == 1) m_pGrid->SetTopRow((int)(nPosition * m_dInverse));
        m_nTrackedRow = (int)(nPosition * m_dInverse);
        if (s->m_bVScrollTips) {
            CGridHintWnd* pHint = m_pGrid->GetHintWnd();
            pHint->SetAlignment(GRIDHINT_RIGHT | GRIDHINT_VCENTER);
            CString text;
            m_pGrid->OnGetVScrollHint(m_nTrackedRow, &text);
            pHint->SetText(text, FALSE);
            pHint->ShowAt(s->m_rcVScroll.left - 1, MouseInGrid(m_pGrid).y, 40);
            pHint->Show();
        }
    }
}

void CGridVScrollBar::Redraw() { GridRedrawNow(this); }

void CGridHScrollBar::OnRButtonDown(UINT, CPoint point) {
    GridShowMenuAt(m_pGrid, this, 0, 0, point, GRIDSECTION_HSCROLL);
    Default();
}

void CGridVScrollBar::OnRButtonDown(UINT, CPoint point) {
    GridShowMenuAt(m_pGrid, this, 0, 0, point, GRIDSECTION_VSCROLL);
    Default();
}
