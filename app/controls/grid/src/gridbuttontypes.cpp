// The cell types with buttons: push button, ellipsis button and the parameter grids'
// picture button.
#include "gridbuttontypes.h"

#include "gridinternal.h"
#include "gridsettings.h"
#include "gridwnd.h"

namespace {

// Whether the point lies in the rectangle, its edges included.
BOOL Within(const CRect& rc, const CPoint& pt) {
    return pt.x >= rc.left && pt.x <= rc.right && pt.y >= rc.top && pt.y <= rc.bottom;
}

// A move with the left button held after a press on a button: back over the button presses
// it again, off it releases it; each change repaints the pressed cell. 1 over the button.
int TrackPress(CGridWnd* pGrid, const CRect& rcButton, const CPoint& pt, UINT nFlags, int& bPressed,
               int nCol, int nRow) {
    if (!(nFlags & MK_LBUTTON) || pGrid == NULL || nCol < 0 || nRow < 0) return 0;
    const BOOL bInside = Within(rcButton, pt);
    if (bInside != (bPressed != 0)) {
        bPressed = bInside ? 1 : 0;
        pGrid->RepaintCell(nCol, nRow);
    }
    return bInside ? 1 : 0;
}

}  // namespace

// --- push button --------------------------------------------------------------------------

CGridPushButtonType::CGridPushButtonType()
    : m_bPressed(0), m_nPressedCol(-1), m_nPressedRow(-1), m_rcButton(0, 0, 0, 0) {
    m_bCanOverflow = 0;
}

CGridPushButtonType::~CGridPushButtonType() {}

int CGridPushButtonType::OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell,
                                int nSelected, int bCurrent) {
    if (m_pGrid == NULL || pCell == NULL) return 0;
    pCell->SetBorder(m_bPressed && bCurrent ? GRIDBORDER_SUNKEN : GRIDBORDER_RAISED);
    CRect rc;
    DrawBorder(pDC, pRect, &rc, pCell);
    DrawText(pDC, &rc, 0, nCol, nRow, pCell, nSelected, bCurrent);
    if (pCell->GetCellTypeStyle() & 0x10) {
        pRect->right = pRect->left;
        pRect->bottom = pRect->top;
    }
    return 0;
}

int CGridPushButtonType::OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint*) {
    if (m_pGrid == NULL) return 0;
    if (bDown) {
        m_pGrid->OnCellTypeNotify(m_nIndex, nCol, nRow, GRIDNOTIFY_PRESSED, 0);
        m_bPressed = 1;
        m_nPressedCol = nCol;
        m_nPressedRow = nRow;
        m_rcButton = *pRect;
    } else {
        m_pGrid->OnCellTypeNotify(m_nIndex, nCol, nRow, GRIDNOTIFY_RELEASED, 0);
        if (nCol == m_nPressedCol && nRow == m_nPressedRow && m_bPressed)
            m_pGrid->OnCellTypeNotify(m_nIndex, nCol, nRow, GRIDNOTIFY_CLICKED, 0);
        m_bPressed = 0;
        // Later drags over the type press nothing until the next press.
        m_nPressedCol = m_nPressedRow = -1;
    }
    m_pGrid->RepaintCell(nCol, nRow);
    return 1;
}

int CGridPushButtonType::OnLButtonDblClk(int nCol, int nRow, CRect* pRect, CPoint* pPoint) {
    return OnLButton(nCol, nRow, TRUE, pRect, pPoint);
}

int CGridPushButtonType::OnMouseMove(int, int, CPoint* pPoint, UINT nFlags) {
    return TrackPress(m_pGrid, m_rcButton, *pPoint, nFlags, m_bPressed, m_nPressedCol,
                      m_nPressedRow);
}

int CGridPushButtonType::OnKeyDown(int, int, UINT* pKey) {
    if (*pKey != VK_RETURN || m_pGrid == NULL) return 0;
    m_pGrid->OnCellTypeNotify(m_nIndex, m_pGrid->GetCursorCol(), m_pGrid->GetCursorRow(),
                              GRIDNOTIFY_CLICKED, 0);
    return 1;
}

int CGridPushButtonType::OnLeaveCell(int nCol, int nRow, CGridCell* pCell) {
    CGridCellType::OnLeaveCell(nCol, nRow, pCell);
    m_bPressed = 0;
    return 0;
}

// --- ellipsis button ----------------------------------------------------------------------

CGridEllipsisButtonType::CGridEllipsisButtonType()
    : m_nButtonWidth(::GetSystemMetrics(SM_CXVSCROLL)),
      m_bPressed(0),
      m_nPressedRow(-1),
      m_nPressedCol(-1),
      m_rcButton(0, 0, 0, 0) {
    m_bCanOverflow = 0;
    m_penSeparator.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
    m_brFace.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
}

CGridEllipsisButtonType::~CGridEllipsisButtonType() {}

int CGridEllipsisButtonType::OnSysColorChange() {
    m_penSeparator.DeleteObject();
    m_penSeparator.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
    m_brFace.DeleteObject();
    m_brFace.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    return 0;
}

int CGridEllipsisButtonType::OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell,
                                    int nSelected, int bCurrent) {
    if (m_pGrid == NULL || pCell == NULL) return 0;
    if ((pCell->GetCellTypeStyle() & 0x200) && !bCurrent)
        return CGridCellType::OnDraw(pDC, pRect, nCol, nRow, pCell, nSelected, 0);
    CRect rc;
    DrawBorder(pDC, pRect, &rc, pCell);
    CRect rcButton(rc.right - m_nButtonWidth, rc.top, rc.right, rc.bottom);
    GridDrawButtonFace(this, pDC, &rcButton, pCell, m_bPressed && bCurrent, &m_brFace);
    pDC->SetBkColor(::GetSysColor(COLOR_BTNFACE));
    GridSeparatorLine(pDC, &m_penSeparator, rcButton.left - 1, rc.top, rc.bottom);
    // Three dots: short strokes in the lower part of the button.
    CPen* pOld = (CPen*)pDC->SelectStockObject(BLACK_PEN);
    const int x0 = rcButton.left + (m_nButtonWidth - 7) / 2;
    const int y0 = rc.top + (rc.Height() / 4) * 3;
    for (int i = 0; i < 3; ++i) {
        pDC->MoveTo(x0 + 3 * i, y0);
        pDC->LineTo(x0 + 3 * i, y0 + 2);
    }
    pDC->SelectObject(pOld);
    rc.right -= m_nButtonWidth + 1;
    DrawText(pDC, &rc, 0, nCol, nRow, pCell, nSelected, bCurrent);
    return 0;
}

int CGridEllipsisButtonType::OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect,
                                       CPoint* pPoint) {
    if (m_pGrid == NULL) return 0;
    if (bDown) {
        if (pPoint->x <= pRect->right - m_nButtonWidth) {
            m_nPressedCol = m_nPressedRow = -1;
            return 0;
        }
        m_rcButton = *pRect;
        m_rcButton.left = pRect->right - m_nButtonWidth;
        return PressButton(nCol, nRow);
    }
    return ReleaseButton(nCol, nRow);
}

int CGridEllipsisButtonType::PressButton(int nCol, int nRow) {
    m_bPressed = 1;
    m_nPressedCol = nCol;
    m_nPressedRow = nRow;
    m_pGrid->RepaintCell(nCol, nRow);
    return 1;
}

int CGridEllipsisButtonType::ReleaseButton(int nCol, int nRow) {
    if (!m_bPressed) return 0;
    m_pGrid->OnCellTypeNotify(m_nIndex, nCol, nRow, GRIDNOTIFY_BUTTON, 0);
    m_bPressed = 0;
    m_nPressedCol = m_nPressedRow = -1;
    m_pGrid->RepaintCell(nCol, nRow);
    return 1;
}

int CGridEllipsisButtonType::OnLButtonDblClk(int, int, CRect*, CPoint*) { return 1; }

int CGridEllipsisButtonType::TrackButton(CPoint* pPoint, UINT nFlags) {
    return TrackPress(m_pGrid, m_rcButton, *pPoint, nFlags, m_bPressed, m_nPressedCol,
                      m_nPressedRow);
}

int CGridEllipsisButtonType::OnMouseMove(int, int, CPoint* pPoint, UINT nFlags) {
    return TrackButton(pPoint, nFlags);
}

// --- parameter button ---------------------------------------------------------------------

namespace {

// The width of a cell's button: its picture's + 4; 0 without a loaded picture.
int ButtonWidth(const CGridCell* pCell, int nWhich) {
    CBitmap* pPicture = pCell->GetBitmapObject(nWhich);
    BITMAP bm;
    if (pPicture == NULL || pPicture->GetBitmap(&bm) == 0) return 0;
    return bm.bmWidth + 4;
}

}  // namespace

CGridParamCellType::CGridParamCellType() {}

CGridParamCellType::~CGridParamCellType() {}

void CGridParamCellType::CalcButtonRect(const CRect& rcCell, const CGridCell* pCell) {
    // A cell without a picture has no button to hit.
    const int nWidth = ButtonWidth(pCell, m_bPressed ? 1 : 0);
    m_rcButton = rcCell;
    m_rcButton.right = nWidth > 0 ? rcCell.left + nWidth : rcCell.left - 1;
}

int CGridParamCellType::AdjustEditRect(CRect* pRect) {
    if (m_pGrid != NULL) pRect->left += ButtonWidth(&m_pGrid->GetEditCell(), 0);
    return 0;
}

int CGridParamCellType::OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell,
                               int nSelected, int bCurrent) {
    if (m_pGrid == NULL || pCell == NULL) return 0;
    const BOOL bReadOnly = pCell->HasProperties(GRIDCELL_READONLY) && pCell->GetReadOnly();
    const int nWhich = m_bPressed && bCurrent && !bReadOnly ? 1 : 0;
    CBitmap* pPicture = pCell->GetBitmapObject(nWhich);
    if (pPicture == NULL || ((pCell->GetCellTypeStyle() & 0x200) && !bCurrent))
        return CGridCellType::OnDraw(pDC, pRect, nCol, nRow, pCell, nSelected, bCurrent);
    CRect rc;
    DrawBorder(pDC, pRect, &rc, pCell);
    // The button of the cell drawn; the pressed button's rectangle stays as it was.
    CRect rcButton = rc;
    rcButton.right = rc.left + ButtonWidth(pCell, nWhich);
    rc.left = rcButton.right;
    DrawText(pDC, &rc, 0, nCol, nRow, pCell, nSelected, bCurrent);
    DrawBitmap(pDC, pPicture, &rcButton, pCell->GetBackColor());
    return 0;
}

int CGridParamCellType::GetBestSize(CDC* pDC, CSize* pSize, CGridCell* pCell) {
    CGridCellType::GetBestSize(pDC, pSize, pCell);
    if (pCell != NULL) pSize->cx += ButtonWidth(pCell, 0);
    return 0;
}

int CGridParamCellType::OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) {
    if (m_pGrid == NULL) return 0;
    CGridCell cell;
    m_pGrid->GetCell(nCol, nRow, cell);
    if (bDown) {
        CalcButtonRect(*pRect, &cell);
        if (!Within(m_rcButton, *pPoint) || m_rcButton.right < m_rcButton.left) {
            m_nPressedCol = m_nPressedRow = -1;
            return 0;
        }
        return PressButton(nCol, nRow);
    }
    return ReleaseButton(nCol, nRow);
}

int CGridParamCellType::OnLButtonDblClk(int, int, CRect*, CPoint*) { return 1; }

int CGridParamCellType::OnMouseMove(int, int, CPoint* pPoint, UINT nFlags) {
    return TrackButton(pPoint, nFlags);
}
