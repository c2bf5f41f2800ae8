// CGridCellArea: the cell area's window.
#include "gridcellarea.h"

#include "gridinternal.h"
#include "gridsettings.h"
#include "gridwnd.h"

BEGIN_MESSAGE_MAP(CGridCellArea, CWnd)
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CGridCellArea::CGridCellArea()
    : m_pGrid(NULL),
      m_pSettings(NULL),
      m_pBackBitmap(NULL),
      m_rcClient(0, 0, 0, 0),
      m_bBackBuffer(0),
      m_nKeyRepeatCount(0),
      m_bHasFocus(0),
      m_bCellTypeTookMouse(0) {}

CGridCellArea::~CGridCellArea() { delete m_pBackBitmap; }

BOOL CGridCellArea::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

void CGridCellArea::RepaintCell(int nCol, int nRow) { RepaintRange(nCol, nRow, nCol, nRow); }

void CGridCellArea::RepaintRow(int nRow) {
    RepaintRange(0, nRow, m_pSettings != NULL ? m_pSettings->m_nColCount - 1 : 0, nRow);
}

void CGridCellArea::RepaintColumn(int nCol) {
    RepaintRange(nCol, 0, nCol, m_pSettings != NULL ? m_pSettings->m_nRowCount - 1 : 0);
}

void CGridCellArea::RepaintRange(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow) {
    m_hints.AddRange(nFirstCol, nFirstRow, nLastCol, nLastRow);
    Refresh();
}

void CGridCellArea::RepaintAll() { GridRedrawNow(this); }

void CGridCellArea::Refresh() {
    if (m_hWnd == NULL) {
        m_hints.Clear();
        return;
    }
    Invalidate(FALSE);
    UpdateWindow();
}

int CGridCellArea::SetBackBuffer(int bOn) {
    delete m_pBackBitmap;
    m_pBackBitmap = NULL;
    m_bBackBuffer = bOn;
    if (bOn != 1) return 0;
    CRect rc(0, 0, 0, 0);
    if (m_hWnd != NULL) GetClientRect(&rc);
    int cx = rc.Width() > 0 ? rc.Width() : 1;
    int cy = rc.Height() > 0 ? rc.Height() : 1;
    m_pBackBitmap = new CBitmap;
    CClientDC dc(m_hWnd != NULL ? this : NULL);
    if (!m_pBackBitmap->CreateCompatibleBitmap(&dc, cx, cy)) {
        delete m_pBackBitmap;
        m_pBackBitmap = NULL;
        m_bBackBuffer = 0;
        return 1;
    }
    CDC memDC;
    if (memDC.CreateCompatibleDC(&dc)) {
        CBitmap* pOld = memDC.SelectObject(m_pBackBitmap);
        COLORREF cr = m_pGrid != NULL ? m_pGrid->OnGetDefaultColor(GRIDSECTION_CELLS)
                                      : ::GetSysColor(COLOR_WINDOW);
        memDC.FillSolidRect(0, 0, cx, cy, cr);
        memDC.SelectObject(pOld);
    }
    return 0;
}

void CGridCellArea::OnPaint() {
    CPaintDC dc(this);
    PaintBackground(&dc);
}

void CGridCellArea::PaintBackground(CDC* pDC) {
    CRect rc;
    GetClientRect(&rc);
    COLORREF cr = m_pGrid != NULL ? m_pGrid->OnGetDefaultColor(GRIDSECTION_CELLS)
                                  : ::GetSysColor(COLOR_WINDOW);
    pDC->FillSolidRect(&rc, cr);
    m_hints.Clear();
}

BOOL CGridCellArea::OnEraseBkgnd(CDC*) { return TRUE; }

void CGridCellArea::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    GetClientRect(&m_rcClient);
    if (m_bBackBuffer) SetBackBuffer(1);
}
