// CGridCornerWnd: the corner between the headings.
#include "gridcorner.h"

#include "gridinternal.h"
#include "gridsettings.h"
#include "gridwnd.h"

BEGIN_MESSAGE_MAP(CGridCornerWnd, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_SETCURSOR()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CGridCornerWnd::CGridCornerWnd()
    : m_pGrid(NULL),
      m_pSettings(NULL),
      m_bSizing(0),
      m_bOverEdge(0),
      m_bHeightSizing(0),
      m_bWidthSizing(0) {}

CGridCornerWnd::~CGridCornerWnd() {}

void CGridCornerWnd::Redraw() { GridRedrawNow(this); }

void CGridCornerWnd::OnPaint() {
    CPaintDC dc(this);
    PaintCorner(&dc);
}

LRESULT CGridCornerWnd::OnPrintClient(WPARAM wParam, LPARAM) {
    if (wParam != 0) PaintCorner(CDC::FromHandle((HDC)wParam));
    return 0;
}

void CGridCornerWnd::PaintCorner(CDC* pDC) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    m_pGrid->OnPaintSection(pDC, NULL, GRIDSECTION_COLHEADINGS);
    CRect rc;
    GetClientRect(&rc);
    pDC->SetBkColor(::GetSysColor(COLOR_BTNFACE));
    CGridCell cell;
    m_pGrid->GetDisplayCell(-1, -1, cell);
    CGridCellType* pType =
        m_pGrid->GetCellTypeObject(cell.HasProperties(GRIDCELL_CELLTYPE) ? cell.GetCellType() : 0);
    CFont* pOldFont = NULL;
    if (m_pSettings->m_pDefaultFont != NULL)
        pOldFont = pDC->SelectObject(m_pSettings->m_pDefaultFont);
    pType->OnDraw(pDC, &rc, -1, -1, &cell, 0, 0);
    if (pOldFont != NULL) pDC->SelectObject(pOldFont);
}

void CGridCornerWnd::OnLButtonDblClk(UINT, CPoint point) {
    if (m_pGrid == NULL) return;
    CRect rc(m_pSettings->m_rcCorner);
    m_pGrid->OnCornerDblClick(&rc, &point, 0);
}

void CGridCornerWnd::OnLButtonDown(UINT, CPoint point) {
    if (m_pGrid == NULL) return;
    if (m_bOverEdge) {
        m_bSizing = 1;
        SetCapture();
        return;
    }
    CRect rc(m_pSettings->m_rcCorner);
    m_pGrid->OnCornerLeftClick(TRUE, &rc, &point, 0);
}

void CGridCornerWnd::OnLButtonUp(UINT, CPoint point) {
    if (m_pGrid == NULL) return;
    if (m_bSizing) {
        m_bSizing = 0;
        if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    }
    CRect rc(m_pSettings->m_rcCorner);
    m_pGrid->OnCornerLeftClick(FALSE, &rc, &point, 0);
}

void CGridCornerWnd::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    CGridSettings* s = m_pSettings;
    if (!m_bSizing && !(nFlags & MK_LBUTTON) && s->m_nSizingMode > 0) {
        m_bOverEdge = m_bHeightSizing = m_bWidthSizing = 0;
        CRect rc;
        GetClientRect(&rc);
        // The right edge wins where both apply.
        if (point.x > rc.right - 4 && m_pGrid->CanResizeRowHeading()) {
            m_bOverEdge = m_bWidthSizing = 1;
            ::SetCursor(s->m_hColSizeCursor);
        } else if (point.y > rc.bottom - 4 && m_pGrid->CanResizeColumnHeading()) {
            m_bOverEdge = m_bHeightSizing = 1;
            ::SetCursor(s->m_hRowSizeCursor);
        }
        return;
    }
    if (!m_bSizing) return;
    if (m_bWidthSizing) {
        int nWidth = point.x > 0 ? point.x : 0;
        m_pGrid->OnRowHeadingWidthChanging(&nWidth);
        m_pGrid->SetRowHeadingWidth(nWidth);
    } else {
        int nHeight = point.y > 0 ? point.y : 0;
        m_pGrid->OnColumnHeadingHeightChanging(&nHeight);
        m_pGrid->SetColumnHeadingHeight(nHeight);
    }
    m_pGrid->LayoutChildWindows();
}

void CGridCornerWnd::OnRButtonDown(UINT, CPoint point) {
    if (m_pGrid == NULL) return;
    CRect rc(m_pSettings->m_rcCorner);
    m_pGrid->OnCornerRightClick(TRUE, &rc, &point, 0);
    GridShowMenuAt(m_pGrid, this, -1, -1, point, GRIDSECTION_CORNER);
}

void CGridCornerWnd::OnRButtonUp(UINT, CPoint point) {
    if (m_pGrid == NULL) return;
    CRect rc(m_pSettings->m_rcCorner);
    m_pGrid->OnCornerRightClick(FALSE, &rc, &point, 0);
}

BOOL CGridCornerWnd::OnSetCursor(CWnd*, UINT, UINT) {
    if (m_pSettings == NULL) return FALSE;
    HCURSOR hCursor = m_pSettings->m_hArrowCursor;
    if (m_bOverEdge || m_bSizing)
        hCursor = m_bWidthSizing ? m_pSettings->m_hColSizeCursor : m_pSettings->m_hRowSizeCursor;
    ::SetCursor(hCursor);
    return TRUE;
}
