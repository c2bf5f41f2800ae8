// CGridCornerWnd: the corner between the headings.
#include "gridcorner.h"

#include "gridinternal.h"
#include "gridsettings.h"
#include "gridwnd.h"

BEGIN_MESSAGE_MAP(CGridCornerWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
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
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    m_pGrid->OnPaintSection(&dc, NULL, GRIDSECTION_COLHEADINGS);
    CRect rc;
    GetClientRect(&rc);
    dc.SetBkColor(::GetSysColor(COLOR_BTNFACE));
    CGridCell cell;
    m_pGrid->GetDisplayCell(-1, -1, cell);
    CGridCellType* pType = m_pGrid->GetCellTypeObject(cell.GetCellType());
    CFont* pOldFont = NULL;
    if (m_pSettings->m_pDefaultFont != NULL)
        pOldFont = dc.SelectObject(m_pSettings->m_pDefaultFont);
    pType->OnDraw(&dc, &rc, -1, -1, &cell, 0, 0);
    if (pOldFont != NULL) dc.SelectObject(pOldFont);
}

BOOL CGridCornerWnd::OnEraseBkgnd(CDC*) { return TRUE; }
