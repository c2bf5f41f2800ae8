// The column and row heading windows.
#include "gridheading.h"

#include "gridinternal.h"
#include "gridsettings.h"

namespace {

// The headings' background where no heading cell is drawn.
void PaintHeadingBackground(CWnd* pWnd, CDC* pDC, const CGridSettings* pSettings) {
    CRect rc;
    pWnd->GetClientRect(&rc);
    COLORREF cr = pSettings != NULL ? pSettings->m_pHeadingDefaultCell->GetBackColor()
                                    : ::GetSysColor(COLOR_BTNFACE);
    pDC->FillSolidRect(&rc, cr);
}

}  // namespace

// --- column headings ----------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGridColumnHeading, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
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

void CGridColumnHeading::OnPaint() {
    CPaintDC dc(this);
    PaintHeadingBackground(this, &dc, m_pSettings);
    m_hints.Clear();
}

BOOL CGridColumnHeading::OnEraseBkgnd(CDC*) { return TRUE; }

// --- row headings -------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGridRowHeading, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
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
    if (m_pSettings == NULL) return;
    if (m_pSettings->m_nTopRow == m_pSettings->m_nPrevTopRow &&
        m_pSettings->m_nCursorRow == m_pSettings->m_nPrevCursorRow)
        return;
    GridRedrawNow(this);
}

void CGridRowHeading::Redraw() { GridRedrawNow(this); }

void CGridRowHeading::OnPaint() {
    CPaintDC dc(this);
    PaintHeadingBackground(this, &dc, m_pSettings);
    m_hints.Clear();
}

BOOL CGridRowHeading::OnEraseBkgnd(CDC*) { return TRUE; }
