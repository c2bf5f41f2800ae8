// CGridCellArea: the cell area's window: painting from the redraw hints, scrolling by moving
// pixels, keys, mouse, wheel, drags and cell tips.
#include "gridcellarea.h"

#include "gridinternal.h"
#include "gridselection.h"
#include "gridsettings.h"
#include "gridwnd.h"

#include <string.h>

BEGIN_MESSAGE_MAP(CGridCellArea, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_CHAR()
ON_WM_GETDLGCODE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEWHEEL()
ON_WM_MOUSEACTIVATE()
ON_WM_SETCURSOR()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {

// The cell of the last tool hit test: a tip shows once the mouse rested on one cell for two.
int g_nTipCol = -2;
int g_nTipRow = -2;

BOOL KeyHeld(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }

// The signed pixel distance from the old to the new first scrolling column (top row), or
// the limit's sign when it exceeds the limit: the sum stops there, so a jump over many
// thousand rows costs no more than a screen of them.
template <class Size>
int ScrollDistance(int nOld, int nNew, int nLimit, Size size) {
    if (nOld == nNew || nOld < 0) return nOld == nNew ? 0 : nLimit + 1;
    const int nFrom = nOld < nNew ? nOld : nNew, nTo = nOld < nNew ? nNew : nOld;
    int nSum = 0;
    for (int i = nFrom; i < nTo && nSum <= nLimit; ++i) nSum += size(i);
    return nOld < nNew ? nSum : -nSum;
}

}  // namespace

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

int CGridCellArea::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    if (m_pSettings != NULL && m_pSettings->m_bCellTips) EnableToolTips(TRUE);
    return 0;
}

// --- repainting ---------------------------------------------------------------------------

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
    if (m_hWnd == NULL || m_pGrid == NULL || m_pSettings == NULL) {
        m_hints.Clear();
        return;
    }
    // A pending update paints everything anyway.
    if (::GetUpdateRect(m_hWnd, NULL, FALSE)) {
        UpdateWindow();
        return;
    }
    CGridSettings* s = m_pSettings;
    if (m_pGrid->IsFindDialogOpen()) {
        Invalidate(TRUE);
        UpdateWindow();
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    int dx = ScrollDistance(s->m_nPrevLeftCol, s->m_nLeftCol, rc.Width(),
                            [s](int c) { return s->GetColWidth(c); });
    int dy = ScrollDistance(s->m_nPrevTopRow, s->m_nTopRow, rc.Height(),
                            [s](int r) { return s->GetRowHeight(r); });
    // Moving both ways would carry the locked rows and columns along: paint it all.
    const BOOL bBoth = dx != 0 && dy != 0 && (s->m_nLockedCols > 0 || s->m_nLockedRows > 0);
    if (dx > rc.Width() || -dx > rc.Width() || dy > rc.Height() || -dy > rc.Height() || bBoth) {
        m_hints.AddRange(0, 0, s->m_nColCount, s->m_nRowCount);
        dx = dy = 0;
    }

    CClientDC dc(this);
    CDC memDC;
    CBitmap* pOldBitmap = NULL;
    const BOOL bBack = m_bBackBuffer && m_pBackBitmap != NULL && memDC.CreateCompatibleDC(&dc);
    if (bBack) pOldBitmap = memDC.SelectObject(m_pBackBitmap);

    if (dx != 0 || dy != 0) {
        CRect rcScroll = rc;
        if (dx == 0) rcScroll.top += s->m_nLockedRowsHeight;
        if (dy == 0) rcScroll.left += s->m_nLockedColsWidth;
        // The window's pixels move (the back buffer's, when it is copied out whole); the
        // strip that comes into view is painted below.
        if (bBack)
            ::ScrollDC(memDC.GetSafeHdc(), -dx, -dy, &rcScroll, &rcScroll, NULL, NULL);
        else
            ::ScrollWindowEx(m_hWnd, -dx, -dy, &rcScroll, &rcScroll, NULL, NULL, 0);
        if (dx > 0) m_hints.AddRange(s->m_nLastVisibleCol, 0, s->m_nColCount, s->m_nRowCount);
        if (dx < 0) m_hints.AddRange(0, 0, s->m_nPrevLeftCol, s->m_nRowCount);
        if (dy > 0) m_hints.AddRange(0, s->m_nLastVisibleRow, s->m_nColCount, s->m_nRowCount);
        if (dy < 0) m_hints.AddRange(0, 0, s->m_nColCount, s->m_nPrevTopRow);
    }
    // The cursor cells when the cursor or the view moved; a repaint of other cells leaves
    // them alone.
    const BOOL bCursorMoved =
        s->m_nPrevCursorCol != s->m_nCursorCol || s->m_nPrevCursorRow != s->m_nCursorRow ||
        s->m_nPrevLeftCol != s->m_nLeftCol || s->m_nPrevTopRow != s->m_nTopRow;
    if (!bCursorMoved) {
        // nothing to add
    } else if (s->m_bWholeRowSelection) {
        if (s->m_nPrevCursorRow >= 0)
            m_hints.AddRange(0, s->m_nPrevCursorRow, s->m_nColCount, s->m_nPrevCursorRow);
        if (s->m_nCursorRow >= 0)
            m_hints.AddRange(0, s->m_nCursorRow, s->m_nColCount, s->m_nCursorRow);
    } else {
        if (s->m_nPrevCursorCol >= 0 && s->m_nPrevCursorRow >= 0)
            m_hints.AddCell(s->m_nPrevCursorCol, s->m_nPrevCursorRow);
        if (s->m_nCursorCol >= 0 && s->m_nCursorRow >= 0)
            m_hints.AddCell(s->m_nCursorCol, s->m_nCursorRow);
    }
    DrawCells(&dc, bBack ? &memDC : NULL);
    if (bBack) memDC.SelectObject(pOldBitmap);
    // Nothing was pending before, and what the scroll uncovered is painted now.
    if (dx != 0 || dy != 0) ValidateRect(NULL);
}

// --- painting -----------------------------------------------------------------------------

void CGridCellArea::OnPaint() {
    CPaintDC dc(this);
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    m_hints.AddRange(0, 0, m_pSettings->m_nColCount, m_pSettings->m_nRowCount);
    CDC memDC;
    CBitmap* pOldBitmap = NULL;
    const BOOL bBack = m_bBackBuffer && m_pBackBitmap != NULL && memDC.CreateCompatibleDC(&dc);
    if (bBack) pOldBitmap = memDC.SelectObject(m_pBackBitmap);
    DrawCells(&dc, bBack ? &memDC : NULL);
    if (bBack) memDC.SelectObject(pOldBitmap);
}

LRESULT CGridCellArea::OnPrintClient(WPARAM wParam, LPARAM) {
    // A picture of the window (screenshots): every cell, straight into the given context.
    if (m_pGrid == NULL || m_pSettings == NULL || wParam == 0) return 0;
    m_hints.AddRange(0, 0, m_pSettings->m_nColCount, m_pSettings->m_nRowCount);
    DrawCells(CDC::FromHandle((HDC)wParam), NULL);
    return 0;
}

BOOL CGridCellArea::OnEraseBkgnd(CDC*) { return TRUE; }

void CGridCellArea::DrawCells(CDC* pWnd, CDC* pBack) {
    CGridSettings* s = m_pSettings;
    CDC* pT = pBack != NULL ? pBack : pWnd;
    CRect rcClient;
    GetClientRect(&rcClient);
    const int W = rcClient.Width(), H = rcClient.Height();

    CFont* pOldWndFont = NULL;
    CFont* pOldBackFont = NULL;
    if (s->m_pDefaultFont != NULL) {
        pOldWndFont = pWnd->SelectObject(s->m_pDefaultFont);
        if (pBack != NULL) pOldBackFont = pBack->SelectObject(s->m_pDefaultFont);
    }
    m_pGrid->OnPaintSection(pWnd, pBack, GRIDSECTION_CELLS);
    s->m_nLastVisibleCol = s->m_nColCount;
    s->m_nLastVisibleRow = s->m_nRowCount;

    CRect rcFocus(0, 0, 0, 0);
    BOOL bFocusPainted = FALSE;
    int nBandX = -1;  // start of the empty band right of the cells
    int y = 0;
    BOOL bBottomReached = FALSE;
    CGridSelection* pSelection = s->m_pSelection;
    for (int r = 0; r < s->m_nRowCount; ++r) {
        if (r == s->m_nLockedRows && s->m_nTopRow > r) r = s->m_nTopRow;
        if (r >= s->m_nRowCount) break;
        const int h = s->GetRowHeight(r);
        if (h == 0) continue;
        // A row that starts below the window is not drawn at all.
        if (y >= H && H > 0) {
            s->m_nLastVisibleRow = r;
            bBottomReached = TRUE;
            break;
        }
        int x = 0;
        BOOL bRowCut = FALSE;
        for (int c = 0; c < s->m_nColCount; ++c) {
            if (c == s->m_nLockedCols && s->m_nLeftCol > c) c = s->m_nLeftCol;
            if (c >= s->m_nColCount) break;
            const int w = s->GetColWidth(c);
            if (w == 0) continue;
            if (x >= W && W > 0) {
                s->m_nLastVisibleCol = c;
                bRowCut = TRUE;
                break;
            }
            if (m_hints.IsInRange(c, r)) {
                CRect rc(x, y, x + w, y + h);
                m_pGrid->GetDisplayCell(c, r, m_workCell);
                int nCol = c, nRow = r;
                BOOL bSkip = FALSE;
                if (m_workCell.HasProperties(GRIDCELL_MERGE) && s->m_bMergedCells) {
                    int c2, r2;
                    if (m_pGrid->GetMergeRange(nCol, nRow, c2, r2) == 0) {
                        // A range is drawn once per paint, from its first cell.
                        if (m_hints.IsListedCell(nCol, nRow)) {
                            bSkip = TRUE;
                        } else {
                            m_hints.AddListedCell(nCol, nRow);
                            m_pGrid->GetRangeRect(nCol, nRow, c2, r2, rc);
                            if (nCol != c || nRow != r)
                                m_pGrid->GetDisplayCell(nCol, nRow, m_workCell);
                        }
                    }
                }
                if (!bSkip) {
                    CGridCellType* pType = m_pGrid->GetCellTypeObject(
                        m_workCell.HasProperties(GRIDCELL_CELLTYPE) ? m_workCell.GetCellType() : 0);
                    const BOOL bCurrent = s->m_bWholeRowSelection
                                              ? nRow == s->m_nCursorRow
                                              : nCol == s->m_nCursorCol && nRow == s->m_nCursorRow;
                    int nSelected = 0;
                    if (!bCurrent && pSelection != NULL) {
                        int nIndex = -1;
                        if (pSelection->IsSelected(nCol, nRow, &nIndex) != 0 && nIndex >= 0)
                            nSelected = nIndex + 1;
                    }
                    const int nSaved = pT->SaveDC();
                    pType->OnDraw(pT, &rc, nCol, nRow, &m_workCell, bCurrent ? 0 : nSelected,
                                  bCurrent ? 1 : 0);
                    // The lines between the locked and the scrolling cells.
                    CPen* pOldPen = (CPen*)pT->SelectStockObject(BLACK_PEN);
                    if (s->m_nLockedCols > 0) {
                        int xLine = -1;
                        if (c == s->m_nLeftCol && c >= s->m_nLockedCols) xLine = rc.left - 1;
                        if (c == s->m_nLockedCols - 1) xLine = rc.right - 1;
                        if (xLine >= 0) {
                            pT->MoveTo(xLine, rc.top);
                            pT->LineTo(xLine, rc.bottom + 1);
                        }
                    }
                    if (s->m_nLockedRows > 0) {
                        int yLine = -1;
                        if (r == s->m_nTopRow && r >= s->m_nLockedRows) yLine = rc.top - 1;
                        if (r == s->m_nLockedRows - 1) yLine = rc.bottom - 1;
                        if (yLine >= 0) {
                            pT->MoveTo(rc.left, yLine);
                            pT->LineTo(rc.right + 1, yLine);
                        }
                    }
                    pT->SelectObject(pOldPen);
                    pT->RestoreDC(nSaved);
                    if (bCurrent) {
                        if (s->m_bWholeRowSelection) {
                            if (!bFocusPainted) rcFocus = rc;
                            rcFocus.right = rc.right;
                        } else {
                            rcFocus = rc;
                        }
                        bFocusPainted = TRUE;
                    }
                }
            }
            x += w;
            if (x > W) {
                s->m_nLastVisibleCol = c;
                bRowCut = TRUE;
                break;
            }
        }
        if (!bRowCut && x < W) nBandX = x;
        y += h;
        if (y > H) {
            s->m_nLastVisibleRow = r;
            bBottomReached = TRUE;
            break;
        }
        if (r == s->m_nRowCount - 1) {
            // The row after the last: a data source may append rows for it.
            const int nCount = s->m_nRowCount;
            int nNext = r + 1;
            m_pGrid->AdjustMoveRow(nNext);
            if (s->m_nRowCount > nCount) m_hints.AddRange(0, nCount, s->m_nColCount, nCount);
        }
    }
    m_hints.Clear();

    CBrush brush(m_pGrid->OnGetDefaultColor(GRIDSECTION_CELLS));
    if (nBandX >= 0 && nBandX < W) pT->FillRect(CRect(nBandX, 0, W, y < H ? y : H), &brush);
    if (!bBottomReached && y < H) pT->FillRect(CRect(0, y, W, H), &brush);
    if (pBack != NULL) pWnd->BitBlt(0, 0, W, H, pBack, 0, 0, SRCCOPY);

    if (bFocusPainted && (m_bHasFocus || m_pGrid->IsFindDialogOpen())) {
        if (s->m_bWholeRowSelection) {
            rcFocus.left = 0;
            if (rcFocus.right > W) rcFocus.right = W;
        }
        m_pGrid->OnDrawFocusRect(pWnd, &rcFocus);
    }
    if (pOldWndFont != NULL) pWnd->SelectObject(pOldWndFont);
    if (pOldBackFont != NULL) pBack->SelectObject(pOldBackFont);
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

void CGridCellArea::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    GetClientRect(&m_rcClient);
    if (m_bBackBuffer) SetBackBuffer(1);
}

// --- keys ---------------------------------------------------------------------------------

CGridCellType* CGridCellArea::TypeAt(int nCol, int nRow) {
    return m_pGrid->GetCellTypeAt(nCol, nRow);
}

void CGridCellArea::OnKeyDown(UINT nChar, UINT, UINT) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    CGridSettings* s = m_pSettings;
    s->m_nSelectionParam = GRIDINPUT_KEYBOARD;
    int nStep = 1;
    if (s->m_nKeyAcceleration > 0) {
        ++m_nKeyRepeatCount;
        const int q = m_nKeyRepeatCount / s->m_nKeyAcceleration;
        nStep = q * q * q + 1;
        if (s->m_nKeyRepeatDelay > 0 && q == 0 && m_nKeyRepeatCount > 1)
            ::Sleep((DWORD)s->m_nKeyRepeatDelay);
    }
    UINT nKey = nChar;
    int bProcessed = 0;
    if (s->m_nCursorCol >= 0 && s->m_nCursorRow >= 0)
        bProcessed = TypeAt(s->m_nCursorCol, s->m_nCursorRow)
                         ->OnKeyDown(s->m_nCursorCol, s->m_nCursorRow, &nKey);
    m_pGrid->OnGridKeyDown(&nKey, bProcessed);
    switch (nKey) {
        case VK_LEFT: m_pGrid->GotoCol(s->m_nTargetCol - nStep); break;
        case VK_RIGHT: m_pGrid->GotoCol(s->m_nTargetCol + nStep); break;
        case VK_UP: m_pGrid->GotoRow(s->m_nTargetRow - nStep); break;
        case VK_DOWN: m_pGrid->GotoRow(s->m_nTargetRow + nStep); break;
        case VK_PRIOR: m_pGrid->MoveCursorRow(2); break;
        case VK_NEXT: m_pGrid->MoveCursorRow(3); break;
        case VK_HOME:
            if (KeyHeld(VK_CONTROL))
                m_pGrid->MoveCursorRow(4);
            else
                m_pGrid->MoveCursorCol(4);
            break;
        case VK_END:
            if (KeyHeld(VK_CONTROL))
                m_pGrid->MoveCursorRow(5);
            else
                m_pGrid->MoveCursorCol(5);
            break;
        default: break;
    }
}

void CGridCellArea::OnKeyUp(UINT, UINT, UINT) { m_nKeyRepeatCount = 0; }

void CGridCellArea::OnChar(UINT nChar, UINT, UINT) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    CGridSettings* s = m_pSettings;
    UINT nKey = nChar;
    int bProcessed = 0;
    if (s->m_nCursorCol >= 0 && s->m_nCursorRow >= 0)
        bProcessed = TypeAt(s->m_nCursorCol, s->m_nCursorRow)
                         ->OnChar(s->m_nCursorCol, s->m_nCursorRow, &nKey);
    m_pGrid->OnGridChar(&nKey, bProcessed);
}

UINT CGridCellArea::OnGetDlgCode() {
    const UINT nWant = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    HWND hFocus = ::GetFocus();
    if (hFocus != NULL && hFocus != m_hWnd && ::IsChild(m_hWnd, hFocus)) return nWant;
    return (UINT)Default() | nWant;
}

// --- mouse --------------------------------------------------------------------------------

void CGridCellArea::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_pGrid == NULL || m_pGrid->IsEditing()) return;
    CGridSettings* s = m_pSettings;
    SetCapture();
    s->m_nSelectionParam = GRIDINPUT_LEFTCLICK;
    s->m_nSelectionKeys = nFlags;
    int nCol, nRow;
    CRect rc(0, 0, 0, 0);
    int bProcessed = 0;
    if (m_pGrid->CellFromPoint(point.x, point.y, nCol, nRow, &rc) == 0) {
        m_pGrid->GotoCell(nCol, nRow);
        bProcessed = TypeAt(nCol, nRow)->OnLButton(nCol, nRow, TRUE, &rc, &point);
        if (bProcessed) m_bCellTypeTookMouse = 1;
    }
    m_pGrid->OnCellLeftClick(nCol, nRow, TRUE, &rc, &point, bProcessed);
    s->m_nSelectionParam = GRIDINPUT_KEYBOARD;
}

void CGridCellArea::OnLButtonUp(UINT, CPoint point) {
    if (m_pGrid == NULL || m_pGrid->IsEditing()) return;
    int nCol, nRow;
    CRect rc(0, 0, 0, 0);
    int bProcessed = 0;
    if (m_pGrid->CellFromPoint(point.x, point.y, nCol, nRow, &rc) == 0)
        bProcessed = TypeAt(nCol, nRow)->OnLButton(nCol, nRow, FALSE, &rc, &point);
    m_pGrid->OnCellLeftClick(nCol, nRow, FALSE, &rc, &point, bProcessed);
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_bCellTypeTookMouse = 0;
}

void CGridCellArea::OnLButtonDblClk(UINT, CPoint point) {
    if (m_pGrid == NULL || m_pGrid->IsEditing()) return;
    int nCol, nRow;
    CRect rc(0, 0, 0, 0);
    int bProcessed = 0;
    if (m_pGrid->CellFromPoint(point.x, point.y, nCol, nRow, &rc) == 0)
        bProcessed = TypeAt(nCol, nRow)->OnLButtonDblClk(nCol, nRow, &rc, &point);
    m_pGrid->OnCellDblClick(nCol, nRow, &rc, &point, bProcessed);
}

void CGridCellArea::OnRButtonDown(UINT nFlags, CPoint point) {
    if (m_pGrid == NULL || m_pGrid->IsEditing()) return;
    CGridSettings* s = m_pSettings;
    s->m_nSelectionParam = GRIDINPUT_RIGHTCLICK;
    s->m_nSelectionKeys = nFlags;
    int nCol, nRow;
    CRect rc(0, 0, 0, 0);
    int bProcessed = 0;
    if (m_pGrid->CellFromPoint(point.x, point.y, nCol, nRow, &rc) == 0) {
        m_pGrid->GotoCell(nCol, nRow);
        bProcessed = TypeAt(nCol, nRow)->OnRButton(nCol, nRow, TRUE, &rc, &point);
    }
    m_pGrid->OnCellRightClick(nCol, nRow, TRUE, &rc, &point, bProcessed);
    s->m_nSelectionParam = GRIDINPUT_KEYBOARD;
    GridShowMenuAt(m_pGrid, this, nCol, nRow, point, GRIDSECTION_CELLS);
}

void CGridCellArea::OnRButtonUp(UINT, CPoint point) {
    if (m_pGrid == NULL || m_pGrid->IsEditing()) return;
    int nCol, nRow;
    CRect rc(0, 0, 0, 0);
    int bProcessed = 0;
    if (m_pGrid->CellFromPoint(point.x, point.y, nCol, nRow, &rc) == 0)
        bProcessed = TypeAt(nCol, nRow)->OnRButton(nCol, nRow, FALSE, &rc, &point);
    m_pGrid->OnCellRightClick(nCol, nRow, FALSE, &rc, &point, bProcessed);
}

void CGridCellArea::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    CGridSettings* s = m_pSettings;
    if (m_bCellTypeTookMouse) {
        int bProcessed = 0;
        if (s->m_nCursorCol >= 0 && s->m_nCursorRow >= 0)
            bProcessed = TypeAt(s->m_nCursorCol, s->m_nCursorRow)
                             ->OnMouseMove(s->m_nCursorCol, s->m_nCursorRow, &point, nFlags);
        m_pGrid->OnCellMouseMove(s->m_nCursorCol, s->m_nCursorRow, &point, nFlags, bProcessed);
        return;
    }
    s->m_nSelectionParam = GRIDINPUT_DRAG;
    s->m_nSelectionKeys = nFlags;
    int nCol, nRow;
    int bProcessed = 0;
    if (m_pGrid->CellFromPoint(point.x, point.y, nCol, nRow) == 0)
        bProcessed = TypeAt(nCol, nRow)->OnMouseMove(nCol, nRow, &point, nFlags);
    m_pGrid->OnCellMouseMove(nCol, nRow, &point, nFlags, bProcessed);
    if ((nFlags & MK_LBUTTON) && !m_pGrid->IsEditing() && ::GetCapture() == m_hWnd) DragLoop(point);
    s->m_nSelectionParam = GRIDINPUT_KEYBOARD;
}

void CGridCellArea::DragLoop(CPoint point) {
    CGridSettings* s = m_pSettings;
    for (;;) {
        // Where the held mouse is: a cell to move onto, or outside to scroll towards.
        int nCol, nRow;
        BOOL bColDue = FALSE, bRowDue = FALSE;
        if (m_pGrid->CellFromPoint(point.x, point.y, nCol, nRow) == 0) {
            bColDue = nCol == s->m_nLastVisibleCol;
            bRowDue = nRow == s->m_nLastVisibleRow;
            if (s->m_nLockedCols == 0 && s->m_nLockedRows == 0) {
                m_pGrid->GotoCell(nCol, nRow);
            } else {
                if (s->m_nTargetCol >= s->m_nLockedCols && nCol < s->m_nLockedCols)
                    m_pGrid->MoveCursorCol(0);
                else
                    m_pGrid->GotoCol(nCol);
                if (s->m_nTargetRow >= s->m_nLockedRows && nRow < s->m_nLockedRows)
                    m_pGrid->MoveCursorRow(0);
                else
                    m_pGrid->GotoRow(nRow);
            }
        }
        // A default size of 0 counts as 1 here.
        const int nColWidth = s->m_nDefColWidth > 0 ? s->m_nDefColWidth : 1;
        const int nRowHeight = s->m_nDefRowHeight > 0 ? s->m_nDefRowHeight : 1;
        auto steps = [s](int nOut, int nSize) {
            int n = 1;
            for (int i = 0; i < s->m_nDragScrollStep; ++i) n *= nOut / nSize + 1;
            return n;
        };
        if (point.x < 0) {
            const int n = steps(-point.x, nColWidth);
            if (s->m_nDragScrollStep == 0)
                m_pGrid->MoveCursorCol(0);
            else
                m_pGrid->GotoCol(s->m_nTargetCol - n);
        } else if (point.x > s->m_nCellAreaWidth || bColDue) {
            const int n =
                point.x > s->m_nCellAreaWidth ? steps(point.x - s->m_nCellAreaWidth, nColWidth) : 1;
            if (s->m_nDragScrollStep == 0)
                m_pGrid->MoveCursorCol(1);
            else
                m_pGrid->GotoCol(s->m_nTargetCol + n);
        }
        if (point.y < 0) {
            const int n = steps(-point.y, nRowHeight);
            if (s->m_nDragScrollStep == 0)
                m_pGrid->MoveCursorRow(0);
            else
                m_pGrid->GotoRow(s->m_nTargetRow - n);
        } else if (point.y > s->m_nCellAreaHeight || bRowDue) {
            const int n = point.y > s->m_nCellAreaHeight
                              ? steps(point.y - s->m_nCellAreaHeight, nRowHeight)
                              : 1;
            if (s->m_nDragScrollStep == 0)
                m_pGrid->MoveCursorRow(1);
            else
                m_pGrid->GotoRow(s->m_nTargetRow + n);
        }
        // Between passes the thread waits for input until the drag-scroll interval is over,
        // handling what comes meanwhile: a held button scrolls one step per interval
        // without spinning. A mouse move or the button's release ends the loop and is left
        // for its handler.
        const ULONGLONG nDeadline = ::GetTickCount64() + (ULONGLONG)s->m_nDragScrollInterval;
        for (;;) {
            MSG msg;
            while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
                if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP ||
                    msg.message == WM_QUIT)
                    return;
                if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) break;
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            // The capture went elsewhere (another window, a menu): the drag is over.
            if (m_hWnd == NULL || ::GetCapture() != m_hWnd) return;
            const ULONGLONG nNow = ::GetTickCount64();
            if (nNow >= nDeadline) break;
            // Pending paints are handled above; they do not cut the wait short.
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, (DWORD)(nDeadline - nNow),
                                        QS_ALLINPUT & ~QS_PAINT);
        }
    }
}

BOOL CGridCellArea::OnMouseWheel(UINT, short zDelta, CPoint) {
    if (m_pGrid != NULL && m_pSettings != NULL)
        m_pGrid->SetTopRow(m_pSettings->m_nTopRow - (zDelta / WHEEL_DELTA) * 3);
    Default();
    return TRUE;
}

int CGridCellArea::OnMouseActivate(CWnd*, UINT, UINT) {
    const LRESULT nResult = Default();
    SetFocus();
    (void)nResult;
    return MA_ACTIVATE;
}

BOOL CGridCellArea::OnSetCursor(CWnd*, UINT, UINT) {
    ::SetCursor(m_pSettings != NULL ? m_pSettings->m_hArrowCursor : ::LoadCursorA(NULL, IDC_ARROW));
    return TRUE;
}

void CGridCellArea::OnSetFocus(CWnd*) {
    m_bHasFocus = 1;
    m_bCellTypeTookMouse = 0;
    m_nKeyRepeatCount = 0;
    Default();
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    m_pGrid->OnGridSetFocus(GRIDSECTION_CELLS);
    if (m_pSettings->m_nCursorCol >= 0 && m_pSettings->m_nCursorRow >= 0)
        RepaintCell(m_pSettings->m_nCursorCol, m_pSettings->m_nCursorRow);
}

void CGridCellArea::OnKillFocus(CWnd*) {
    m_bHasFocus = 0;
    Default();
    if (m_pGrid == NULL || m_pSettings == NULL) return;
    if (m_pSettings->m_nCursorCol >= 0 && m_pSettings->m_nCursorRow >= 0)
        RepaintCell(m_pSettings->m_nCursorCol, m_pSettings->m_nCursorRow);
    m_pGrid->OnGridKillFocus(GRIDSECTION_CELLS);
}

// --- cell tips ----------------------------------------------------------------------------

INT_PTR CGridCellArea::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    if (m_pGrid == NULL) return -1;
    int nCol, nRow;
    if (m_pGrid->CellFromPoint(point.x, point.y, nCol, nRow) != 0) return -1;
    if (nCol == g_nTipCol && nRow == g_nTipRow) {
        if (pTI != NULL) {
            pTI->hwnd = m_hWnd;
            pTI->uId = (UINT_PTR)m_hWnd;
            pTI->uFlags = TTF_IDISHWND;  // the thread's tip control shows tips always
            pTI->lpszText = LPSTR_TEXTCALLBACKA;
        }
        return 1;
    }
    g_nTipCol = nCol;
    g_nTipRow = nRow;
    CancelToolTips();
    return -1;
}

BOOL CGridCellArea::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    NMHDR* pHdr = (NMHDR*)lParam;
    if (pHdr == NULL || pHdr->code != TTN_NEEDTEXTA || m_pGrid == NULL)
        return CWnd::OnNotify(wParam, lParam, pResult);
    NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)lParam;
    POINT pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    int nCol, nRow;
    pInfo->szText[0] = '\0';
    pInfo->lpszText = pInfo->szText;
    if (m_pGrid->CellFromPoint(pt.x, pt.y, nCol, nRow) == 0) {
        CString text;
        m_pGrid->OnGetHintText(nCol, nRow, 1, &text);
        // The tip's buffer holds 80 characters: longer texts are cut.
        strncpy(pInfo->szText, (LPCSTR)text, sizeof pInfo->szText - 1);
        pInfo->szText[sizeof pInfo->szText - 1] = '\0';
    }
    if (pResult != NULL) *pResult = 0;
    return TRUE;
}
