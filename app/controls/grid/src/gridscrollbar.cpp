// The grid's scroll bars.
#include "gridscrollbar.h"

#include "gridinternal.h"

CGridHScrollBar::CGridHScrollBar()
    : m_pGrid(NULL),
      m_pSettings(NULL),
      m_nCachedMaxLeftCol(-1),
      m_nCachedLockedCols(-1),
      m_nTrackedCol(0) {}

CGridHScrollBar::~CGridHScrollBar() {}

void CGridHScrollBar::UpdateRange() {
    if (m_hWnd != NULL) Invalidate(FALSE);
}

void CGridHScrollBar::OnScroll(UINT, UINT) {}

void CGridHScrollBar::Redraw() { GridRedrawNow(this); }

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

void CGridVScrollBar::UpdateRange() {
    if (m_hWnd != NULL) Invalidate(FALSE);
}

void CGridVScrollBar::OnScroll(UINT, UINT) {}

void CGridVScrollBar::Redraw() { GridRedrawNow(this); }
