// CGridSheetTabs: the sheet tab strip.
#include "gridsheettabs.h"

#include "gridinternal.h"
#include "gridwnd.h"

BEGIN_MESSAGE_MAP(CGridSheetTabs, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_HSCROLL()
ON_WM_MOUSEMOVE()
ON_WM_SETCURSOR()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
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
    RecalcScroll();
}

void CGridSheetTabs::Refresh() { GridRedrawNow(this); }

// --- tabs ---------------------------------------------------------------------------------

int CGridSheetTabs::IndexOf(int nId) const {
    for (int i = 0; i < m_nTabCount; ++i)
        if (m_nTabId[i] == nId) return i;
    return -1;
}

int CGridSheetTabs::GetTabId(int nIndex) const {
    return nIndex >= 0 && nIndex < m_nTabCount ? m_nTabId[nIndex] : -1;
}

CString CGridSheetTabs::GetTabName(int nIndex) const {
    return nIndex >= 0 && nIndex < m_nTabCount ? m_strTabName[nIndex] : CString();
}

int CGridSheetTabs::GetTabWidth(int nIndex) const {
    return nIndex >= 0 && nIndex < m_nTabCount ? m_nTabWidth[nIndex] : 0;
}

int CGridSheetTabs::MeasureTab(LPCSTR lpszCaption) {
    // Measured in the strip's font on the screen, whether or not the strip has a window.
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, m_pFont->GetSafeHandle());
    SIZE size = {0, 0};
    const int nLength = lpszCaption != NULL ? lstrlenA(lpszCaption) : 0;
    ::GetTextExtentPoint32A(hDC, lpszCaption != NULL ? lpszCaption : "", nLength, &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    return size.cx + 10;
}

void CGridSheetTabs::CopyTab(int nTo, int nFrom) {
    m_strTabName[nTo] = m_strTabName[nFrom];
    m_nTabWidth[nTo] = m_nTabWidth[nFrom];
    m_nTabId[nTo] = m_nTabId[nFrom];
    m_crTabText[nTo] = m_crTabText[nFrom];
    m_crTabBack[nTo] = m_crTabBack[nFrom];
}

void CGridSheetTabs::SetTab(int i, LPCSTR lpszCaption, int nId) {
    m_strTabName[i] = lpszCaption != NULL ? lpszCaption : "";
    m_nTabId[i] = nId;
    m_crTabText[i] = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crTabBack[i] = ::GetSysColor(COLOR_BTNFACE);
    m_nTabWidth[i] = MeasureTab(m_strTabName[i]);
}

int CGridSheetTabs::AddTab(LPCSTR lpszCaption, int nId) {
    if (m_nTabCount >= GRIDTABS_MAX) return 1;
    SetTab(m_nTabCount++, lpszCaption, nId);
    RecalcScroll();
    return 0;
}

int CGridSheetTabs::InsertTab(int nIndex, LPCSTR lpszCaption, int nId) {
    if (nIndex < 0 || nIndex > m_nTabCount) return 0;
    if (nIndex == m_nTabCount) return AddTab(lpszCaption, nId);
    if (m_nTabCount >= GRIDTABS_MAX) return 1;
    for (int i = m_nTabCount; i > nIndex; --i) CopyTab(i, i - 1);
    ++m_nTabCount;
    if (m_nCurTab >= nIndex) ++m_nCurTab;
    SetTab(nIndex, lpszCaption, nId);
    RecalcScroll();
    Refresh();
    return 0;
}

int CGridSheetTabs::RemoveTab(int nId) {
    const int nIndex = IndexOf(nId);
    if (nIndex < 0) return 0;
    for (int i = nIndex; i + 1 < m_nTabCount; ++i) CopyTab(i, i + 1);
    --m_nTabCount;
    m_strTabName[m_nTabCount].Empty();
    if (nIndex == m_nCurTab) {
        m_nCurTab = 0;
        if (m_nTabCount > 0) SelectTab(m_nTabId[0]);
    } else if (nIndex < m_nCurTab) {
        --m_nCurTab;
    }
    RecalcScroll();
    Refresh();
    return 1;
}

int CGridSheetTabs::SelectTab(int nId) {
    const int nIndex = IndexOf(nId);
    if (nIndex < 0) return 0;
    m_nCurTab = nIndex;
    int x = -5;
    for (int i = 0; i < nIndex; ++i) x += m_nTabWidth[i];
    if (x < 0) x = 0;
    const int nStrip = m_pSettings != NULL ? m_pSettings->m_nTabStripWidth : 0;
    const int w = m_nTabWidth[nIndex];
    if (x < m_nScrollPos)
        m_nScrollPos = x;
    else if (x > m_nScrollPos + nStrip - 2 * w - 10)
        m_nScrollPos = x + 2 * w - nStrip + 10;
    if (x > m_nScrollMax) m_nScrollPos = m_nScrollMax;
    if (m_nScrollPos < 0) m_nScrollPos = 0;
    Refresh();
    return 1;
}

int CGridSheetTabs::SetTabBackColor(int nId, COLORREF cr) {
    const int i = IndexOf(nId);
    if (i < 0) return 0;
    m_crTabBack[i] = cr;
    return 1;
}

int CGridSheetTabs::SetTabTextColor(int nId, COLORREF cr) {
    const int i = IndexOf(nId);
    if (i < 0) return 0;
    m_crTabText[i] = cr;
    return 1;
}

int CGridSheetTabs::SetTabFont(CFont* pFont) {
    if (pFont != NULL) m_pFont = pFont;
    for (int i = 0; i < m_nTabCount; ++i) m_nTabWidth[i] = MeasureTab(m_strTabName[i]);
    RecalcScroll();
    Refresh();
    return 1;
}

void CGridSheetTabs::RecalcScroll() {
    if (m_nTabCount == 0) return;
    CRect rc(0, 0, 0, 0);
    if (m_hWnd != NULL) GetClientRect(&rc);
    int nSum = 0;
    for (int i = 0; i < m_nTabCount; ++i) nSum += m_nTabWidth[i];
    const int nExcess = nSum - (rc.Width() - m_nArrowWidth);
    m_nScrollMax = nExcess >= 1 ? nExcess + 20 : 0;
}

void CGridSheetTabs::SetStripWidth(int x) {
    if (m_pSettings == NULL || m_pGrid == NULL) return;
    int nMost = x;
    CWnd* pParent = m_hWnd != NULL ? GetParent() : NULL;
    if (pParent != NULL) {
        CRect rc;
        pParent->GetClientRect(&rc);
        nMost = rc.Width() - 15;
    }
    if (x > nMost) x = nMost;
    if (x < 5) x = 5;
    m_pSettings->m_nTabStripWidth = x;
    m_pGrid->LayoutBarsOnly();
}

int CGridSheetTabs::TabLeft(int nIndex) const {
    int x = m_nArrowWidth - m_nScrollPos;
    for (int i = 0; i < nIndex && i < m_nTabCount; ++i) x += m_nTabWidth[i];
    return x;
}

int CGridSheetTabs::TabFromPoint(int px) const {
    // Left to right: where slanted edges overlap, the left tab wins.
    int x = m_nArrowWidth - m_nScrollPos;
    for (int i = 0; i < m_nTabCount; ++i) {
        if (px >= x && px < x + m_nTabWidth[i] + 2) return i;
        x += m_nTabWidth[i];
    }
    return -1;
}

// --- painting -----------------------------------------------------------------------------

void CGridSheetTabs::DrawTab(CDC* pDC, int i, int x, const CRect& rc, BOOL bCurrent) {
    const int w = m_nTabWidth[i];
    const COLORREF crBack = bCurrent ? RGB(255, 255, 255) : m_crTabBack[i];
    POINT pts[4] = {{x, rc.top}, {x + 7, rc.bottom}, {x + w + 2, rc.bottom}, {x + w + 9, rc.top}};
    CBrush brush(crBack);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = (CPen*)pDC->SelectStockObject(BLACK_PEN);
    pDC->Polygon(pts, 4);
    pDC->SetTextColor(m_crTabText[i]);
    pDC->SetBkColor(crBack);
    pDC->TextOut(x + 10, rc.top + 1, m_strTabName[i]);
    if (bCurrent) {
        // The current tab joins the sheet above it.
        CPen white(PS_SOLID, 1, RGB(255, 255, 255));
        pDC->SelectObject(&white);
        pDC->MoveTo(x + 1, rc.top);
        pDC->LineTo(x + w + 9, rc.top);
        pDC->SelectStockObject(BLACK_PEN);
    }
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

void CGridSheetTabs::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    rc.right -= 1;
    rc.bottom -= 1;
    CFont* pOldFont = dc.SelectObject(m_pFont);
    int x = m_nArrowWidth - m_nScrollPos;
    int xCurrent = x;
    for (int i = 0; i < m_nTabCount; ++i) {
        if (i == m_nCurTab)
            xCurrent = x;
        else
            DrawTab(&dc, i, x, rc, FALSE);
        x += m_nTabWidth[i];
    }
    // The current tab last, over its neighbours' edges.
    if (m_nCurTab < m_nTabCount) DrawTab(&dc, m_nCurTab, xCurrent, rc, TRUE);
    dc.SelectObject(pOldFont);

    // The grip at the right edge, from the outside in.
    const COLORREF grip[6] = {RGB(0, 0, 0),
                              ::GetSysColor(COLOR_BTNSHADOW),
                              ::GetSysColor(COLOR_BTNFACE),
                              ::GetSysColor(COLOR_BTNFACE),
                              RGB(255, 255, 255),
                              ::GetSysColor(COLOR_BTNFACE)};
    for (int i = 0; i < 6; ++i) {
        CPen pen(PS_SOLID, 1, grip[i]);
        CPen* pOld = dc.SelectObject(&pen);
        dc.MoveTo(rc.right - i, rc.top);
        dc.LineTo(rc.right - i, rc.bottom + 1);
        dc.SelectObject(pOld);
    }
    CPen* pOld = (CPen*)dc.SelectStockObject(BLACK_PEN);
    dc.MoveTo(0, rc.top);
    dc.LineTo(m_nArrowWidth + 1, rc.top);
    dc.SelectObject(pOld);
    if (m_scrollBar.m_hWnd != NULL) m_scrollBar.Invalidate(FALSE);
}

BOOL CGridSheetTabs::OnEraseBkgnd(CDC*) { return TRUE; }

// --- mouse and scrolling ------------------------------------------------------------------

void CGridSheetTabs::OnHScroll(UINT nSBCode, UINT, CScrollBar*) {
    if (nSBCode == SB_LINELEFT && m_nScrollPos > 0) {
        m_nScrollPos = m_nScrollPos - 5 > 0 ? m_nScrollPos - 5 : 0;
        Refresh();
    } else if (nSBCode == SB_LINERIGHT && m_nScrollPos < m_nScrollMax - 5) {
        m_nScrollPos += 5;
        Refresh();
    }
}

void CGridSheetTabs::OnMouseMove(UINT, CPoint point) {
    if (m_bSizing) {
        // The strip's own x is its width: it starts at the grid's left edge.
        SetStripWidth(point.x);
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    m_bOverSizeEdge = point.x > rc.right - 7 ? 1 : 0;
}

BOOL CGridSheetTabs::OnSetCursor(CWnd*, UINT, UINT) {
    if (m_bOverSizeEdge && m_pSettings != NULL)
        ::SetCursor(m_pSettings->m_hColSizeCursor);
    else
        ::SetCursor(::LoadCursorA(NULL, IDC_ARROW));
    return TRUE;
}

void CGridSheetTabs::OnLButtonDown(UINT, CPoint point) {
    if (m_bOverSizeEdge) {
        SetCapture();
        m_bSizing = 1;
        return;
    }
    const int i = TabFromPoint(point.x);
    if (i < 0) return;
    m_nCurTab = i;
    CRect rc;
    GetClientRect(&rc);
    const int x = TabLeft(i);
    if (x - 5 < m_nArrowWidth) {
        m_nScrollPos -= m_nArrowWidth - (x - 5);
        if (m_nScrollPos < 0) m_nScrollPos = 0;
    } else if (x + m_nTabWidth[i] + 19 > rc.right) {
        m_nScrollPos += x + m_nTabWidth[i] + 19 - rc.right;
        if (m_nScrollPos > m_nScrollMax) m_nScrollPos = m_nScrollMax;
    }
    Refresh();
    if (m_pGrid != NULL) m_pGrid->OnTabSelected(m_nTabId[i]);
}

void CGridSheetTabs::OnLButtonUp(UINT, CPoint) {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_bSizing = 0;
}

void CGridSheetTabs::OnRButtonDown(UINT, CPoint point) {
    GridShowMenuAt(m_pGrid, this, TabFromPoint(point.x), 0, point, GRIDSECTION_SHEETTABS);
}
