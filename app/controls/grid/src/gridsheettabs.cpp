// CGridSheetTabs: the sheet tab strip.
#include "gridsheettabs.h"

#include "gridinternal.h"
#include "gridwnd.h"

BEGIN_MESSAGE_MAP(CGridSheetTabs, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CGridSheetTabs::CGridSheetTabs()
    : m_pGrid(NULL),
      m_pSettings(NULL),
      m_nTabCount(0),
      m_nScrollPos(0),
      m_nScrollMax(0),
      m_nCurTab(0),
      m_nArrowWidth(2 * ::GetSystemMetrics(SM_CXHSCROLL)),
      m_pFont(NULL),
      m_bOverSizeEdge(0),
      m_bSizing(0) {
    for (int i = 0; i < GRIDTABS_MAX; ++i) {
        m_nTabWidth[i] = 0;
        m_nTabId[i] = 0;
        m_crTabText[i] = ::GetSysColor(COLOR_WINDOWTEXT);
        m_crTabBack[i] = ::GetSysColor(COLOR_BTNFACE);
    }
    m_font.CreateFont(14, 0, 0, 0, 500, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    m_pFont = &m_font;
}

CGridSheetTabs::~CGridSheetTabs() {}

BOOL CGridSheetTabs::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

int CGridSheetTabs::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    CRect rc(0, 0, m_nArrowWidth, lpcs->cy > 0 ? lpcs->cy : 0);
    if (!m_scrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, rc, this, GRIDTABS_SCROLLID))
        return -1;
    return 0;
}

void CGridSheetTabs::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (m_scrollBar.m_hWnd != NULL) m_scrollBar.MoveWindow(0, 0, m_nArrowWidth, cy);
}

void CGridSheetTabs::Refresh() { GridRedrawNow(this); }

void CGridSheetTabs::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
}

BOOL CGridSheetTabs::OnEraseBkgnd(CDC*) { return TRUE; }

void CGridSheetTabs::OnRButtonDown(UINT, CPoint point) {
    // The strip keeps no tabs of its own, so no tab lies under the mouse.
    GridShowMenuAt(m_pGrid, this, -1, 0, point, GRIDSECTION_SHEETTABS);
}
