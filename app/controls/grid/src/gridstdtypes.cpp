// The grid's standard cell types besides the normal one: drop list, check box and arrow.
#include "gridcelltype.h"

#include "gridcellarea.h"
#include "griddroplistbox.h"
#include "gridinternal.h"
#include "gridsettings.h"
#include "gridwnd.h"

#include <stdlib.h>
#include <string.h>

namespace {

// {1667A6A0-F746-11D0-9C7F-0080C83F712F}
const GUID kDropListGuid = {
    0x1667A6A0, 0xF746, 0x11D0, {0x9C, 0x7F, 0x00, 0x80, 0xC8, 0x3F, 0x71, 0x2F}};
// {93AAB8D0-F749-11D0-9C7F-0080C83F712F}
const GUID kCheckBoxGuid = {
    0x93AAB8D0, 0xF749, 0x11D0, {0x9C, 0x7F, 0x00, 0x80, 0xC8, 0x3F, 0x71, 0x2F}};

// The most entries a drop list shows at once; more scroll.
const int kMaxListRows = 15;

// Makes the pen again from the system colour's present value.
void RenewPen(CPen& pen, int nSysColor) {
    pen.DeleteObject();
    pen.CreatePen(PS_SOLID, 1, ::GetSysColor(nSysColor));
}

// A line from (x1, y1) to (x2, y2), the end point excluded.
void Line(CDC* pDC, int x1, int y1, int x2, int y2) {
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

// A polyline through the points.
void Strokes(CDC* pDC, std::initializer_list<POINT> points) {
    pDC->Polyline(points.begin(), (int)points.size());
}

// A rectangle's frame in one pen per half: top and left, then bottom and right (the far
// edges at r and b).
void Frame(CDC* pDC, int l, int t, int r, int b, CPen* pTopLeft, CPen* pBottomRight) {
    CPen* pOld = pDC->SelectObject(pTopLeft);
    Strokes(pDC, {{l, b}, {l, t}, {r, t}});
    pDC->SelectObject(pBottomRight);
    Strokes(pDC, {{r, t}, {r, b}, {l - 1, b}});
    pDC->SelectObject(pOld);
}

// The down arrow of the drop-list button: 5, 3 and 1 pixels.
void DownArrow(CDC* pDC, int x0, int y0) {
    CPen* pOld = (CPen*)pDC->SelectStockObject(BLACK_PEN);
    Line(pDC, x0, y0, x0 + 5, y0);
    Line(pDC, x0 + 1, y0 + 1, x0 + 4, y0 + 1);
    Line(pDC, x0 + 2, y0 + 2, x0 + 3, y0 + 2);
    pDC->SelectObject(pOld);
}

}  // namespace

void GridDrawButtonFace(CGridCellType* pType, CDC* pDC, CRect* pButton, CGridCell* pCell,
                        BOOL bSunken, CBrush* pFace) {
    const BOOL bHadBorder = pCell->HasProperties(GRIDCELL_BORDER);
    const int nBorder = pCell->GetBorder();
    pCell->SetBorder(bSunken ? GRIDBORDER_SUNKEN : GRIDBORDER_RAISED);
    CRect inner;
    pType->DrawBorder(pDC, pButton, &inner, pCell);
    pDC->FillRect(&inner, pFace);
    pCell->SetBorder(nBorder);
    if (!bHadBorder) pCell->ClearProperty(GRIDCELL_BORDER);
}

void GridSeparatorLine(CDC* pDC, CPen* pPen, int x, int nTop, int nBottom) {
    CPen* pOld = pDC->SelectObject(pPen);
    pDC->MoveTo(x, nTop);
    pDC->LineTo(x, nBottom);
    pDC->SelectObject(pOld);
}

// --- drop list ----------------------------------------------------------------------------

CGridDropListType::CGridDropListType()
    : m_nButtonWidth(::GetSystemMetrics(SM_CXVSCROLL)),
      m_bPressed(0),
      m_rcButton(0, 0, 0, 0),
      m_nOpenCol(-1),
      m_nOpenRow(-1),
      m_pListBox(new CGridDropListBox) {
    m_bCanOverflow = 0;
    m_penFace.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
    m_brFace.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
}

CGridDropListType::~CGridDropListType() { delete m_pListBox; }

LPCSTR CGridDropListType::GetTypeName() { return "Standard DropList"; }

const GUID* CGridDropListType::GetTypeGuid() { return &kDropListGuid; }

int CGridDropListType::OnSysColorChange() {
    RenewPen(m_penFace, COLOR_BTNFACE);
    m_brFace.DeleteObject();
    m_brFace.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    return 0;
}

int CGridDropListType::AdjustEditRect(CRect* pRect) {
    pRect->right -= m_nButtonWidth + 1;
    return 1;
}

int CGridDropListType::OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) {
    if (m_pGrid == NULL) return 0;
    if (!bDown) {
        if (!m_bPressed) return 0;
        m_bPressed = 0;
        m_pGrid->RepaintCell(nCol, nRow);
        return 1;
    }
    if (pPoint->x <= pRect->right - m_nButtonWidth) {
        if (m_nOpenCol == -2) m_nOpenCol = m_nOpenRow = -1;
        return 0;
    }
    if ((nCol == m_nOpenCol && nRow == m_nOpenRow) || m_nOpenCol == -2) {
        // The list closes; a press that just took the focus from it does not reopen it.
        m_pListBox->Close();
        m_nOpenCol = m_nOpenRow = -1;
        return 0;
    }
    m_rcButton = *pRect;
    m_rcButton.left = pRect->right - m_nButtonWidth;
    m_bPressed = 1;
    m_nOpenCol = nCol;
    m_nOpenRow = nRow;
    m_pGrid->RepaintCell(nCol, nRow);
    ShowDropList();
    return 1;
}

int CGridDropListType::OnLButtonDblClk(int nCol, int nRow, CRect* pRect, CPoint* pPoint) {
    if (pPoint->x <= pRect->right - m_nButtonWidth) return 0;
    return OnLButton(nCol, nRow, TRUE, pRect, pPoint);
}

int CGridDropListType::OnMouseMove(int, int, CPoint* pPoint, UINT nFlags) {
    if (!(nFlags & MK_LBUTTON)) return 1;
    const BOOL bInside = m_rcButton.PtInRect(*pPoint);
    if (bInside != (m_bPressed != 0)) {
        m_bPressed = bInside ? 1 : 0;
        if (m_pGrid != NULL && m_nOpenCol >= 0 && m_nOpenRow >= 0)
            m_pGrid->RepaintCell(m_nOpenCol, m_nOpenRow);
    }
    return 0;
}

int CGridDropListType::OnKeyDown(int, int, UINT* pKey) {
    if (*pKey == VK_RETURN || (*pKey == VK_DOWN && (::GetKeyState(VK_CONTROL) & 0x8000))) {
        ShowDropList();
        *pKey = 0;
        return 1;
    }
    return 0;
}

int CGridDropListType::OnChar(int, int, UINT* pChar) { return *pChar == 13 ? 1 : 0; }

int CGridDropListType::OnLeaveCell(int, int, CGridCell*) {
    m_nOpenCol = m_nOpenRow = -1;
    return 0;
}

int CGridDropListType::OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell,
                              int nSelected, int bCurrent) {
    if (m_pGrid == NULL || pCell == NULL) return 0;
    if ((pCell->GetCellTypeStyle() & 0x200) && !bCurrent)
        return CGridCellType::OnDraw(pDC, pRect, nCol, nRow, pCell, nSelected, bCurrent);
    CRect rc;
    DrawBorder(pDC, pRect, &rc, pCell);
    CRect rcButton(rc.right - m_nButtonWidth, rc.top, rc.right, rc.bottom);
    GridDrawButtonFace(this, pDC, &rcButton, pCell, m_bPressed && bCurrent, &m_brFace);
    GridSeparatorLine(pDC, &m_penFace, rcButton.left - 1, rc.top, rc.bottom);
    DownArrow(pDC, rcButton.left + (m_nButtonWidth - 5) / 2, rc.top + (rc.Height() - 3) / 2);
    rc.right -= m_nButtonWidth + 1;
    DrawText(pDC, &rc, 0, nCol, nRow, pCell, nSelected, bCurrent);
    return 0;
}

int CGridDropListType::GetBestSize(CDC* pDC, CSize* pSize, CGridCell* pCell) {
    CGridCellType::GetBestSize(pDC, pSize, pCell);
    pSize->cx += m_nButtonWidth + 1;
    return 0;
}

int CGridDropListType::ShowDropList() {
    if (m_pGrid == NULL || m_pListBox->m_hWnd != NULL || m_pListBox->m_bActive) return 1;
    CWnd* pCells = m_pGrid->GetCellArea();
    const int nCol = m_pGrid->GetCursorCol(), nRow = m_pGrid->GetCursorRow();
    if (pCells == NULL || pCells->m_hWnd == NULL || nCol < 0 || nRow < 0) return 1;
    m_nOpenCol = nCol;
    m_nOpenRow = nRow;
    CGridCell cell;
    m_pGrid->GetDisplayCell(nCol, nRow, cell);

    // Every entry ends with a newline; text after the last one is no entry.
    CStringList entries;
    LPCSTR p = cell.GetCaptionText() != NULL ? cell.GetCaptionText() : "";
    for (LPCSTR pEnd = strchr(p, '\n'); pEnd != NULL; p = pEnd + 1, pEnd = strchr(p, '\n'))
        entries.AddTail(CString(p, (int)(pEnd - p)));
    m_pGrid->OnCellTypeNotify(m_nIndex, nCol, nRow, GRIDNOTIFY_BUTTON, (LPARAM)&entries);

    CFont* pFont = cell.GetFont() != NULL ? cell.GetFont() : m_pGrid->GetSettings()->m_pDefaultFont;
    CGridDropListBox* pList = m_pListBox;
    pList->m_pGrid = m_pGrid;
    pList->m_nTypeIndex = m_nIndex;
    if (!pList->Create(WS_CHILD | WS_BORDER | WS_VSCROLL, CRect(0, 0, 0, 0), pCells,
                       GRID_DROPLIST_ID))
        return 1;
    if (pFont != NULL) pList->SetFont(pFont, FALSE);
    for (POSITION pos = entries.GetHeadPosition(); pos != NULL;)
        pList->AddString(entries.GetNext(pos));

    // As many rows as entries, at most 15 (one for an empty list), in the list's own row
    // height, which follows its font.
    int nItemHeight = (int)pList->SendMessage(LB_GETITEMHEIGHT, 0);
    if (nItemHeight <= 0) nItemHeight = 12;
    int nRows = (int)entries.GetCount();
    if (nRows > kMaxListRows) nRows = kMaxListRows;
    if (nRows < 1) nRows = 1;
    CRect rcCell, rcClient;
    m_pGrid->GetCellRect(nCol, nRow, rcCell);
    pCells->GetClientRect(&rcClient);
    CRect rc(rcCell.left + 10, rcCell.bottom, rcCell.right + 10,
             rcCell.bottom + nItemHeight * nRows + 2);
    // Near the bottom (right) edge the list moves up (left) so that it ends at the edge.
    if (rc.bottom > rcClient.bottom)
        rc.OffsetRect(
            0, -(rc.top < rc.bottom - rcClient.bottom ? rc.top : rc.bottom - rcClient.bottom));
    if (rc.right > rcClient.right)
        rc.OffsetRect(-(rc.left < rc.right - rcClient.right ? rc.left : rc.right - rcClient.right),
                      0);
    pList->MoveWindow(&rc, FALSE);
    pList->m_pOpenCol = &m_nOpenCol;
    pList->m_pOpenRow = &m_nOpenRow;
    pList->ShowWindow(SW_SHOW);
    pList->SetFocus();
    m_bPressed = 0;
    m_pGrid->RepaintCell(nCol, nRow);
    return 0;
}

// --- check box ----------------------------------------------------------------------------

CGridCheckBoxType::CGridCheckBoxType() {
    m_bUseEditor = 0;
    m_bCanOverflow = 0;
    m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    m_penLight.CreatePen(PS_SOLID, 1, RGB(0xE1, 0xE1, 0xE1));
    m_penFace.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
}

CGridCheckBoxType::~CGridCheckBoxType() {}

LPCSTR CGridCheckBoxType::GetTypeName() { return "Standard CheckBox Type"; }

const GUID* CGridCheckBoxType::GetTypeGuid() { return &kCheckBoxGuid; }

int CGridCheckBoxType::OnSysColorChange() {
    RenewPen(m_penShadow, COLOR_BTNSHADOW);
    RenewPen(m_penFace, COLOR_BTNFACE);
    return 0;
}

CRect CGridCheckBoxType::BoxRect(const CRect& rcCell) {
    int nSide = rcCell.Height() - 6;
    if (nSide > 12) nSide = 12;
    const int x = rcCell.left + 3, y = rcCell.top + (rcCell.Height() - nSide) / 2;
    return CRect(x, y, x + nSide, y + nSide);
}

int CGridCheckBoxType::Toggle(int nCol, int nRow, double dNew) {
    m_cellWork.SetNumber(dNew);
    m_pGrid->SetCell(nCol, nRow, m_cellWork);
    m_pGrid->RepaintCell(nCol, nRow);
    m_pGrid->OnCellTypeNotify(m_nIndex, nCol, nRow, GRIDNOTIFY_CHECKED, dNew > 0.0 ? 1 : 0);
    return 1;
}

int CGridCheckBoxType::OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) {
    if (bDown || m_pGrid == NULL) return 0;
    // The box with its edges.
    const CRect box = BoxRect(*pRect);
    if (pPoint->x < box.left || pPoint->x > box.right || pPoint->y < box.top ||
        pPoint->y > box.bottom)
        return 0;
    m_pGrid->GetDisplayCell(nCol, nRow, m_cellWork);
    if (m_cellWork.HasProperties(GRIDCELL_READONLY) && m_cellWork.GetReadOnly()) return 0;
    return Toggle(nCol, nRow, m_cellWork.GetNumber() == 0.0 ? 1.0 : 0.0);
}

int CGridCheckBoxType::OnLButtonDblClk(int nCol, int nRow, CRect* pRect, CPoint* pPoint) {
    return OnLButton(nCol, nRow, TRUE, pRect, pPoint);
}

int CGridCheckBoxType::OnChar(int, int, UINT* pChar) {
    if (*pChar != ' ' || m_pGrid == NULL) return 0;
    const int nCol = m_pGrid->GetCursorCol(), nRow = m_pGrid->GetCursorRow();
    if (nCol < 0 || nRow < 0) return 0;
    m_pGrid->GetCell(nCol, nRow, m_cellWork);
    if (m_cellWork.HasProperties(GRIDCELL_READONLY) && m_cellWork.GetReadOnly()) return 0;
    return Toggle(nCol, nRow, m_cellWork.GetBool() ? 0.0 : 1.0);
}

int CGridCheckBoxType::OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell,
                              int nSelected, int bCurrent) {
    if (m_pGrid == NULL || pCell == NULL) return 0;
    CRect rc;
    DrawBorder(pDC, pRect, &rc, pCell);
    const CRect box = BoxRect(rc);
    const int nSide = box.Width();
    const BOOL bHighlight =
        nSelected || (bCurrent && (m_pGrid->GetSettings()->m_nCursorCellStyle & 2));
    pDC->FillSolidRect(CRect(rc.left, rc.top, rc.left + 6 + nSide, rc.bottom),
                       bHighlight ? pCell->GetHighlightBackColor() : pCell->GetBackColor());

    if (nSide > 5) {
        const int L = box.left, T = box.top, R = box.right, B = box.bottom;
        const int nStyle = pCell->GetCellTypeStyle();
        CPen* pBlack = CPen::FromHandle((HPEN)::GetStockObject(BLACK_PEN));
        CRect fill;
        if (nStyle & 0x100) {
            Frame(pDC, L, T, R, B, &m_penShadow, &m_penLight);
            Frame(pDC, L + 1, T + 1, R - 1, B - 1, pBlack, &m_penFace);
            fill.SetRect(L + 2, T + 2, R - 1, B - 1);
        } else if (nStyle & 0x200) {
            Frame(pDC, L, T, R, B, &m_penLight, pBlack);
            Frame(pDC, L + 1, T + 1, R - 1, B - 1, &m_penFace, &m_penShadow);
            fill.SetRect(L + 2, T + 2, R - 1, B - 1);
        } else {
            Frame(pDC, L, T, R, B, pBlack, pBlack);
            fill.SetRect(L + 1, T + 1, R, B);
        }
        pDC->FillSolidRect(&fill, ::GetSysColor(COLOR_WINDOW));

        if (pCell->GetNumber() > 0.0) {
            CPen* pOld = pDC->SelectObject(pBlack);
            const int l = fill.left, t = fill.top, r = fill.right, b = fill.bottom;
            if (nStyle & 0x1000) {
                Strokes(pDC, {{l + 2, b - 4}, {l + 4, b - 2}, {r + 3, t - 1}});
                if (nSide > 9) {
                    Strokes(pDC, {{l + 2, b - 5}, {l + 4, b - 3}, {r + 3, t - 2}});
                    Line(pDC, l + 5, b - 2, r + 4, t - 1);
                    Line(pDC, l + 2, b - 6, l + 5, b - 3);
                }
            } else {
                const int l1 = l + 1, t1 = t + 1, r1 = r - 2, b1 = b - 2;
                Line(pDC, l1, t1, r1 + 1, b1 + 1);
                Line(pDC, l1, b1, r1 + 1, t1 - 1);
                if (nSide > 9) {
                    Line(pDC, l1 + 1, t1, r1 + 1, b1);
                    Line(pDC, l1, t1 + 1, r1, b1 + 1);
                    Line(pDC, l1, b1 - 1, r1, t1 - 1);
                    Line(pDC, l1 + 1, b1, r1 + 1, t1);
                }
            }
            pDC->SelectObject(pOld);
        }
    }
    m_bShowCaption = 1;
    rc.left += 6 + nSide;
    DrawText(pDC, &rc, 0, nCol, nRow, pCell, nSelected, bCurrent);
    return 0;
}

// --- arrow --------------------------------------------------------------------------------

CGridArrowType::CGridArrowType() { m_bUseEditor = 0; }

CGridArrowType::~CGridArrowType() {}

int CGridArrowType::OnDraw(CDC* pDC, CRect* pRect, int, int, CGridCell* pCell, int nSelected,
                           int bCurrent) {
    if (m_pGrid == NULL || pCell == NULL) return 0;
    CRect rc;
    DrawBorder(pDC, pRect, &rc, pCell);
    const COLORREF crBack =
        (nSelected || bCurrent) ? pCell->GetHighlightBackColor() : pCell->GetBackColor();
    pDC->FillSolidRect(&rc, crBack);
    if (rc.Width() < 4) return 0;

    // Strokes relative to the centre: a bar and a head, once or twice, pointing right or
    // mirrored to the left.
    const int nStyle = pCell->HasProperties(GRIDCELL_TYPESTYLE) ? pCell->GetCellTypeStyle() : 0x10;
    int nDir, nHeads;
    if ((nStyle & 0x10) || nStyle == 0)
        nDir = 1, nHeads = 1;
    else if (nStyle & 0x20)
        nDir = -1, nHeads = 1;
    else if (nStyle & 0x40)
        nDir = 1, nHeads = 2;
    else if (nStyle & 0x80)
        nDir = -1, nHeads = 2;
    else
        return 0;
    const int cx = rc.left + rc.Width() / 2, cy = rc.top + rc.Height() / 2;
    CPen pen(PS_SOLID, 1, pCell->GetTextColor());
    CPen* pOld = pDC->SelectObject(&pen);
    // One glyph: the bar at dx - 1 and the head from dx to dx + 2 (mirrored by nDir).
    auto glyph = [&](int dx) {
        const int x = cx + nDir * dx;
        Line(pDC, x - nDir, cy - 3, x - nDir, cy + 4);
        Strokes(
            pDC,
            {{x, cy - 2}, {x, cy + 2}, {x + 2 * nDir, cy}, {x + nDir, cy - 1}, {x + nDir, cy + 1}});
    };
    if (nHeads == 1) {
        glyph(0);
    } else {
        glyph(3);
        glyph(-3);
    }
    pDC->SelectObject(pOld);
    return 0;
}
