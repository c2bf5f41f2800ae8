// The optional cell types: slider, spin, triangle, fitted text, tagged text, pie chart,
// level bar, progress bar and option list.
#include "gridoptionaltypes.h"

#include "gridinternal.h"
#include "gridsettings.h"
#include "gridwnd.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace {

void Line(CDC* pDC, int x1, int y1, int x2, int y2) {
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

// Whether a cell draws in its highlight colours: selected, or the cursor cell when the
// cursor-cell style says so.
BOOL Highlighted(CGridWnd* pGrid, int nSelected, int bCurrent) {
    if (nSelected) return TRUE;
    return bCurrent && pGrid != NULL && (pGrid->GetSettings()->m_nCursorCellStyle & 2);
}

// The origin of a text placed in the rectangle by the cell's alignment bits.
CPoint PlaceByAlignment(CDC* pDC, const CRect& rc, int nAlign, LPCSTR lpszText) {
    const CSize size = pDC->GetTextExtent(lpszText, lstrlenA(lpszText));
    CPoint pt(rc.left + 3, rc.top + 1);
    if (nAlign & GRIDALIGN_CENTER)
        pt.x = rc.left + (rc.Width() - size.cx) / 2;
    else if (nAlign & GRIDALIGN_RIGHT)
        pt.x = rc.right - size.cx - 3;
    if (nAlign & GRIDALIGN_VCENTER)
        pt.y = rc.top + (rc.Height() - size.cy) / 2;
    else if (nAlign & GRIDALIGN_BOTTOM)
        pt.y = rc.bottom - size.cy - 1;
    return pt;
}

int AlignmentOf(const CGridCell* pCell) {
    return pCell->HasProperties(GRIDCELL_ALIGNMENT) ? pCell->GetAlignment() : 0;
}

int StyleOf(const CGridCell* pCell) {
    return pCell->HasProperties(GRIDCELL_TYPESTYLE) ? pCell->GetCellTypeStyle() : 0;
}

int Clamp100(long n) { return n < 0 ? 0 : (n > 100 ? 100 : (int)n); }

// The label drawn opaque and clipped to a segment, in the given colours.
void LabelIn(CDC* pDC, const CRect& rc, CPoint pt, const CString& label, COLORREF crText,
             COLORREF crBack) {
    pDC->SetTextColor(crText);
    pDC->SetBkColor(crBack);
    pDC->ExtTextOut(pt.x, pt.y, ETO_OPAQUE | ETO_CLIPPED, &rc, label, label.GetLength(), NULL);
}

}  // namespace

// --- slider -------------------------------------------------------------------------------

CGridBarType::CGridBarType()
    : m_penLight(PS_SOLID, 1, RGB(200, 200, 200)),
      m_penDark(PS_SOLID, 1, RGB(100, 100, 100)),
      m_bDragging(0) {
    SetUseEditor(FALSE);
}

CGridBarType::~CGridBarType() {}

int CGridBarType::ValueOf(const CGridCell& cell) {
    LPCSTR p = cell.GetText();
    return Clamp100(p != NULL ? atol(p) : 0);
}

int CGridBarType::ThumbX(int nLeft, int nWidth, int nValue) {
    return nLeft + 3 + (nWidth - 6) * nValue / 100;
}

int CGridBarType::ValueAt(int x, int nLeft, int nWidth) {
    if (nWidth <= 6) return -1;
    int nNumerator = x - nLeft - 3;
    if (nNumerator < 0) nNumerator = 0;
    return Clamp100(nNumerator * 100 / (nWidth - 6));
}

int CGridBarType::OnDraw(CDC* pDC, CRect* pRect, int, int, CGridCell* pCell, int, int) {
    CRect rc = *pRect;
    DrawBorder(pDC, &rc, &rc, pCell);
    pDC->FillSolidRect(&rc, pCell->GetBackColor());
    const int w = rc.Width() - 6;
    const int x = ThumbX(rc.left, rc.Width(), ValueOf(*pCell));
    CPen* pOld = (CPen*)pDC->SelectStockObject(BLACK_PEN);
    if (w > 6) {
        const int ym = rc.top + rc.Height() / 2;
        Line(pDC, rc.left + 1, ym - 1, rc.right, ym - 1);
        Line(pDC, rc.left + 1, ym + 1, rc.right, ym + 1);
        pDC->SelectObject(&m_penDark);
        Line(pDC, rc.left + 1, ym, rc.right, ym);
    }
    pDC->SelectObject(&m_penDark);
    pDC->MoveTo(x + 3, rc.top + 2);
    pDC->LineTo(x - 2, rc.top + 2);
    pDC->LineTo(x - 2, rc.bottom - 2);
    pDC->LineTo(x + 3, rc.bottom - 2);
    pDC->LineTo(x + 3, rc.top + 2);
    pDC->SelectStockObject(WHITE_PEN);
    pDC->MoveTo(x + 2, rc.top + 3);
    pDC->LineTo(x - 1, rc.top + 3);
    pDC->LineTo(x - 1, rc.bottom - 3);
    pDC->SelectObject(&m_penDark);
    pDC->LineTo(x + 2, rc.bottom - 3);
    pDC->LineTo(x + 2, rc.top + 3);
    pDC->SelectObject(&m_penLight);
    pDC->MoveTo(x + 1, rc.top + 4);
    pDC->LineTo(x, rc.top + 4);
    pDC->LineTo(x, rc.bottom - 4);
    pDC->LineTo(x + 1, rc.bottom - 4);
    pDC->LineTo(x + 1, rc.top + 4);
    pDC->SelectObject(pOld);
    return 0;
}

int CGridBarType::OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) {
    if (bDown) m_bDragging = 0;
    if (m_pGrid == NULL) return 0;
    CGridCell cell;
    m_pGrid->GetCell(nCol, nRow, cell);
    const int x = ThumbX(pRect->left, pRect->Width(), ValueOf(cell));
    if (abs(pPoint->x - x) < 4) {
        m_bDragging = 1;
        return 1;
    }
    return 0;
}

int CGridBarType::OnMouseMove(int nCol, int nRow, CPoint* pPoint, UINT nFlags) {
    if (!(nFlags & MK_LBUTTON) || !m_bDragging || m_pGrid == NULL) return 0;
    CRect rc;
    m_pGrid->GetCellRect(nCol, nRow, rc);
    const int nValue = ValueAt(pPoint->x, rc.left, rc.Width());
    if (nValue < 0) return 1;
    CGridCell cell;
    m_pGrid->GetCell(nCol, nRow, cell);
    if (nValue != (int)cell.GetNumber()) {
        cell.SetNumber(nValue);
        m_pGrid->SetCell(nCol, nRow, cell);
        m_pGrid->RepaintCell(nCol, nRow);
    }
    return 1;
}

// --- spin ---------------------------------------------------------------------------------

CGridSpinType::CGridSpinType()
    : m_penFace(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE)),
      m_brFace(::GetSysColor(COLOR_BTNFACE)),
      m_bDownPressed(0),
      m_bUpPressed(0),
      m_nSpinButton(0),
      m_nButtonWidth(::GetSystemMetrics(SM_CXVSCROLL)),
      m_rcButton(0, 0, 0, 0),
      m_nSpinCol(-1),
      m_nSpinRow(-1) {
    SetUseEditor(TRUE);
}

CGridSpinType::~CGridSpinType() {}

int CGridSpinType::OnSysColorChange() {
    m_penFace.DeleteObject();
    m_penFace.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
    m_brFace.DeleteObject();
    m_brFace.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    return 0;
}

int CGridSpinType::AdjustEditRect(CRect* pRect) {
    pRect->right -= m_nButtonWidth + 1;
    return 1;
}

int CGridSpinType::OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell,
                          int nSelected, int bCurrent) {
    if ((StyleOf(pCell) & GRIDSTYLE_SPIN_CURRENTONLY) && !bCurrent)
        return CGridCellType::OnDraw(pDC, pRect, nCol, nRow, pCell, nSelected, bCurrent);
    CRect rc = *pRect;
    DrawBorder(pDC, &rc, &rc, pCell);
    const int nHalf = rc.Height() / 2;
    CRect rcUp(rc.right - m_nButtonWidth, rc.top, rc.right, rc.top + nHalf);
    CRect rcDown(rcUp.left, rc.top + nHalf, rc.right, rc.bottom);
    const BOOL bHere = nCol == m_nSpinCol && nRow == m_nSpinRow;
    GridDrawButtonFace(this, pDC, &rcUp, pCell, m_bUpPressed && bHere && bCurrent, &m_brFace);
    GridDrawButtonFace(this, pDC, &rcDown, pCell, m_bDownPressed && bHere && bCurrent, &m_brFace);
    if (rc.Height() > 9) {
        const int x = rcUp.left + (m_nButtonWidth - 5) / 2;
        const COLORREF black = RGB(0, 0, 0);
        int y = rc.top + (nHalf - 3) / 2;
        pDC->SetPixel(x + 2, y, black);
        for (int i = 0; i < 3; ++i) pDC->SetPixel(x + 1 + i, y + 1, black);
        for (int i = 0; i < 5; ++i) pDC->SetPixel(x + i, y + 2, black);
        y = rcDown.top + (rcDown.Height() - 3) / 2 + 1;
        for (int i = 0; i < 5; ++i) pDC->SetPixel(x + i, y, black);
        for (int i = 0; i < 3; ++i) pDC->SetPixel(x + 1 + i, y + 1, black);
        pDC->SetPixel(x + 2, y + 2, black);
    }
    GridSeparatorLine(pDC, &m_penFace, rcUp.left - 1, rc.top, rc.bottom);
    rc.right -= m_nButtonWidth + 1;
    DrawText(pDC, &rc, 0, nCol, nRow, pCell, nSelected, bCurrent);
    return 0;
}

int CGridSpinType::OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) {
    if (bDown) {
        if (pPoint->x <= pRect->right - m_nButtonWidth || m_pGrid == NULL) return 0;
        m_nSpinCol = nCol;
        m_nSpinRow = nRow;
        const int nMiddle = pRect->top + pRect->Height() / 2;
        if (pPoint->y < nMiddle) {
            m_rcButton.SetRect(pRect->right - m_nButtonWidth, pRect->top, pRect->right, nMiddle);
            m_bUpPressed = 1;
            m_nSpinButton = 1;
            m_pGrid->OnCellTypeNotify(m_nIndex, nCol, nRow, GRIDNOTIFY_SPINUP, 0);
        } else {
            m_rcButton.SetRect(pRect->right - m_nButtonWidth, nMiddle, pRect->right, pRect->bottom);
            m_bDownPressed = 1;
            m_nSpinButton = 2;
            m_pGrid->OnCellTypeNotify(m_nIndex, nCol, nRow, GRIDNOTIFY_SPINDOWN, 0);
        }
        m_pGrid->RepaintCell(nCol, nRow);
        return 1;
    }
    if (!m_bUpPressed && !m_bDownPressed) return 0;
    m_bUpPressed = m_bDownPressed = 0;
    m_nSpinButton = 0;
    if (m_pGrid != NULL) m_pGrid->RepaintCell(nCol, nRow);
    return 1;
}

int CGridSpinType::OnLButtonDblClk(int nCol, int nRow, CRect* pRect, CPoint* pPoint) {
    return OnLButton(nCol, nRow, TRUE, pRect, pPoint);
}

int CGridSpinType::OnMouseMove(int, int, CPoint* pPoint, UINT nFlags) {
    if (!(nFlags & MK_LBUTTON)) {
        m_bUpPressed = m_bDownPressed = 0;
        return 0;
    }
    if (m_nSpinButton == 0 || m_pGrid == NULL) return 0;
    const BOOL bInside = m_rcButton.PtInRect(*pPoint);
    const int bUp = bInside && m_nSpinButton == 1;
    const int bDn = bInside && m_nSpinButton == 2;
    if (bUp != m_bUpPressed || bDn != m_bDownPressed) {
        m_bUpPressed = bUp;
        m_bDownPressed = bDn;
        m_pGrid->RepaintCell(m_nSpinCol, m_nSpinRow);
    }
    return 0;
}

// --- triangle -----------------------------------------------------------------------------

CGridTriangleType::CGridTriangleType() : m_nButtonWidth(::GetSystemMetrics(SM_CXVSCROLL)) {}

CGridTriangleType::~CGridTriangleType() {}

int CGridTriangleType::OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell,
                              int nSelected, int bCurrent) {
    CRect rc = *pRect;
    DrawBorder(pDC, &rc, &rc, pCell);
    CRect strip(rc.right - m_nButtonWidth, rc.top, rc.right, rc.bottom);
    pDC->FillSolidRect(&strip, pCell->GetBackColor());
    int s = m_nButtonWidth / 4;
    if (s >= rc.Height()) s = rc.Height() - 1;
    const int y = rc.top + rc.Height() / 2 - s;
    const int l = strip.left, r = strip.right;
    CPen* pOld = (CPen*)pDC->SelectStockObject(BLACK_PEN);
    if (StyleOf(pCell) & GRIDSTYLE_TRIANGLE_UP) {
        pDC->SelectStockObject(WHITE_PEN);
        pDC->MoveTo(l + s, y + 2 * s);
        pDC->LineTo(r - s, y + 2 * s);
        pDC->LineTo(l + 2 * s, y);
        pDC->SelectStockObject(BLACK_PEN);
        pDC->LineTo(l + s, y + 2 * s);
    } else {
        pDC->MoveTo(r - s, y);
        pDC->LineTo(l + s, y);
        pDC->LineTo(l + 2 * s, y + 2 * s);
        pDC->SelectStockObject(WHITE_PEN);
        pDC->LineTo(r - s, y);
    }
    pDC->SelectObject(pOld);
    rc.right = strip.left;
    DrawText(pDC, &rc, 0, nCol, nRow, pCell, nSelected, bCurrent);
    return 0;
}

// --- fitted text --------------------------------------------------------------------------

CGridFitTextType::CGridFitTextType() { m_bCanOverflow = 0; }

CGridFitTextType::~CGridFitTextType() {}

CFont* CGridFitTextType::CreateFittingFont(CDC* pDC, LPCSTR lpszText, int W, int nHeight) {
    const int n = lpszText != NULL ? lstrlenA(lpszText) : 0;
    // The first guess divides by the length: an empty text has nothing to fit.
    if (n == 0 || W <= 0) return NULL;
    char face[61] = "";
    pDC->GetTextFace(60, face);
    const int nSaved = pDC->SaveDC();
    CFont* pFont = NULL;
    CSize size(0, 0);
    auto make = [&](int h) {
        if (pFont != NULL) {
            pDC->RestoreDC(-1);
            pDC->SaveDC();
            delete pFont;
        }
        pFont = new CFont;
        pFont->CreateFont(h, 0, 0, 0, 600, 0, 0, 0, 0, 0, 0, 0, 0, face);
        pDC->SelectObject(pFont);
        size = pDC->GetTextExtent(lpszText, n);
    };
    pDC->SaveDC();
    int h = W / n + (W / n) / 2;
    make(h);
    if (size.cx > 0) {
        const float fRatio = (float)size.cy / (float)size.cx;
        h = (int)(W * fRatio);
        make(h);
    }
    if (W > size.cx) {
        while (W > size.cx && h < 500) make(++h);
        make(--h);
    } else if (W < size.cx) {
        while (W < size.cx && h >= 2) make(--h);
        make(--h);
    }
    if (h > nHeight) make(nHeight >= 2 ? nHeight : 2);
    pDC->RestoreDC(-1);
    pDC->RestoreDC(nSaved);
    return pFont;
}

int CGridFitTextType::OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell,
                             int nSelected, int bCurrent) {
    CRect rc = *pRect, inner;
    DrawBorder(pDC, &rc, &inner, pCell);
    if (pCell->GetFont() != NULL) pDC->SelectObject(pCell->GetFont());
    LPCSTR text = pCell->GetText();
    // A text property holding an empty text draws as a cell without text.
    if (text == NULL || *text == '\0') {
        DrawText(pDC, &inner, 0, nCol, nRow, pCell, nSelected, bCurrent);
        return 0;
    }
    const int nMargin = m_pGrid != NULL ? m_pGrid->GetSettings()->m_nTextMargin : 4;
    CFont* pFont = CreateFittingFont(pDC, text, inner.Width() - nMargin, inner.Height());
    if (pFont != NULL) {
        pDC->SelectObject(pFont);
        pCell->ClearProperty(GRIDCELL_FONT);
    }
    DrawText(pDC, &inner, 0, nCol, nRow, pCell, nSelected, bCurrent);
    if (pFont != NULL) {
        pDC->SelectStockObject(SYSTEM_FONT);
        delete pFont;
    }
    return 0;
}

// --- tagged text --------------------------------------------------------------------------

CGridTaggedTextType::CGridTaggedTextType() : m_pTagFont(NULL) { m_bCanOverflow = 0; }

CGridTaggedTextType::~CGridTaggedTextType() { delete m_pTagFont; }

std::vector<CGridTaggedTextType::Piece> CGridTaggedTextType::Split(LPCSTR lpszText) {
    std::vector<Piece> pieces;
    if (lpszText == NULL) return pieces;
    const char* p = lpszText;
    while (*p != '\0') {
        if (p[0] == '<' && p[1] == ':') {
            const char* q = strchr(p + 2, '>');
            const char* end = q != NULL ? q : p + strlen(p);
            pieces.push_back({TRUE, CString(p + 2, (int)(end - p - 2))});
            p = q != NULL ? q + 1 : end;
        } else {
            pieces.push_back({FALSE, CString(p, 1)});
            ++p;
        }
    }
    return pieces;
}

namespace {

// A tag upper-cased and cut at its commas.
std::vector<CString> TagFields(LPCSTR lpszTag) {
    CString tag(lpszTag);
    tag.MakeUpper();
    std::vector<CString> fields;
    int nStart = 0;
    for (int i = 0; i <= tag.GetLength(); ++i) {
        if (i == tag.GetLength() || tag[i] == ',') {
            fields.push_back(tag.Mid(nStart, i - nStart));
            nStart = i + 1;
        }
    }
    return fields;
}

}  // namespace

BOOL CGridTaggedTextType::ColourOfTag(LPCSTR lpszTag, COLORREF* pColour) {
    const std::vector<CString> f = TagFields(lpszTag);
    if (f.empty() || f[0].IsEmpty() || f[0][0] != 'C') return FALSE;
    auto part = [&f](size_t i) { return i < f.size() ? atoi(f[i]) % 256 : 0; };
    *pColour = RGB(part(1), part(2), part(3));
    return TRUE;
}

void CGridTaggedTextType::ApplyTag(CDC* pDC, LPCSTR lpszTag) {
    COLORREF cr;
    if (ColourOfTag(lpszTag, &cr)) {
        pDC->SetTextColor(cr);
        return;
    }
    const std::vector<CString> f = TagFields(lpszTag);
    if (f.empty() || f[0].IsEmpty() || f[0][0] != 'F') return;
    const CString face = f.size() > 1 ? f[1] : CString();
    const int nHeight = f.size() > 2 ? atoi(f[2]) : 0;
    // The new font goes into the DC before the old one is deleted: a font still selected
    // cannot be deleted.
    CFont* pFont = new CFont;
    pFont->CreateFont(nHeight, 0, 0, 0, 500, 0, 0, 0, 0, 0, 0, 0, 0, face);
    pDC->SelectObject(pFont);
    delete m_pTagFont;
    m_pTagFont = pFont;
}

int CGridTaggedTextType::OnDraw(CDC* pDC, CRect* pRect, int, int, CGridCell* pCell, int nSelected,
                                int bCurrent) {
    const CString text = pCell->GetText() != NULL ? pCell->GetText() : "";
    CRect rc = *pRect, inner;
    DrawBorder(pDC, &rc, &inner, pCell);
    const BOOL bHigh = Highlighted(m_pGrid, nSelected, bCurrent);
    const COLORREF crBack = bHigh ? pCell->GetHighlightBackColor() : pCell->GetBackColor();
    pDC->SetTextColor(bHigh ? pCell->GetHighlightTextColor() : pCell->GetTextColor());
    pDC->SetBkColor(crBack);
    if (pCell->GetBitmap() != NULL)
        inner.left += DrawBitmap(pDC, pCell->GetBitmap(), &inner, crBack);
    CPoint pt = PlaceByAlignment(pDC, inner, AlignmentOf(pCell), text);
    CRect clip = inner;
    BOOL bFirst = TRUE;
    for (const Piece& piece : Split(text)) {
        if (piece.bTag) {
            ApplyTag(pDC, piece.text);
            continue;
        }
        // The first character fills the whole rectangle with the background.
        pDC->ExtTextOut(pt.x, pt.y, bFirst ? ETO_OPAQUE | ETO_CLIPPED : ETO_CLIPPED, &clip,
                        piece.text, 1, NULL);
        bFirst = FALSE;
        const int w = pDC->GetTextExtent(piece.text, 1).cx;
        pt.x += w;
        clip.left += w;
    }
    if (bFirst) pDC->ExtTextOut(pt.x, pt.y, ETO_OPAQUE, &inner, "", 0, NULL);
    return 0;
}

// --- pie chart ----------------------------------------------------------------------------

CGridPieChartType::CGridPieChartType()
    : m_nSwatchWidth(::GetSystemMetrics(SM_CXVSCROLL)), m_nExplode(0), m_bKeepSquare(1) {}

CGridPieChartType::~CGridPieChartType() {}

int CGridPieChartType::SetExplode(int nOffset) {
    if (nOffset < 0 || nOffset > 64) return 1;
    m_nExplode = nOffset;
    return 0;
}

int CGridPieChartType::AdjustEditRect(CRect* pRect) {
    pRect->right -= m_nSwatchWidth;
    return 0;
}

BOOL CGridPieChartType::RangeOf(LPCSTR lpszText, int* pFirstCol, int* pFirstRow, int* pLastCol,
                                int* pLastRow) {
    int v[4];
    const char* p = lpszText != NULL ? lpszText : "";
    for (int i = 0; i < 4; ++i) {
        // Each number counts only with its newline after it.
        const char* nl = strchr(p, '\n');
        if (nl == NULL) return FALSE;
        v[i] = atoi(p);
        p = nl + 1;
    }
    *pFirstCol = v[0];
    *pFirstRow = v[1];
    *pLastCol = v[2];
    *pLastRow = v[3];
    return v[2] >= v[0] && v[3] >= v[1];
}

std::vector<std::pair<int, int>> CGridPieChartType::Slices(const std::vector<double>& values) {
    std::vector<std::pair<int, int>> slices;
    double dSum = 0.0;
    for (double d : values) dSum += d;
    if (dSum == 0.0) return slices;
    const double dScale = 360.0 / dSum;
    int nStart = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        int nEnd = nStart + (int)(values[i] * dScale);
        if (nEnd == nStart) continue;
        if (i + 1 == values.size()) nEnd = 360;
        slices.push_back({nStart, nEnd});
        nStart = nEnd;
    }
    return slices;
}

int CGridPieChartType::OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell,
                              int nSelected, int bCurrent) {
    CRect rc = *pRect, inner;
    DrawBorder(pDC, &rc, &inner, pCell);
    const BOOL bHigh = Highlighted(m_pGrid, nSelected, bCurrent);
    const COLORREF crBack = bHigh ? pCell->GetHighlightBackColor() : pCell->GetBackColor();
    const int nStyle = StyleOf(pCell);
    if (nStyle & GRIDSTYLE_PIE_LEGEND) {
        const int nSwatch = m_nSwatchWidth < inner.Width() ? m_nSwatchWidth : inner.Width();
        CRect sw(inner.right - nSwatch, inner.top, inner.right, inner.bottom);
        pDC->FillSolidRect(&sw, crBack);
        int dy = (sw.Height() - nSwatch) / 2 + 1;
        if (dy < 0) dy = 0;
        CRect square(sw.left + 2, sw.top + dy, sw.right - 2, sw.bottom - dy);
        pDC->FillSolidRect(&square, pCell->GetHighlightBackColor());
        CRect rest(inner.left, inner.top, sw.left, inner.bottom);
        DrawText(pDC, &rest, 0, nCol, nRow, pCell, nSelected, bCurrent);
        return 0;
    }
    int nExplode = m_nExplode;
    if ((nStyle & GRIDSTYLE_PIE_EXPLODE) && nExplode == 0) nExplode = 2;
    CBrush back(crBack);
    pDC->FillRect(&inner, &back);
    CRect pie = inner;
    pie.DeflateRect(2 + nExplode, 2 + nExplode);
    if (m_bKeepSquare) {
        const int d = pie.Width() - pie.Height();
        if (d > 0)
            pie.DeflateRect(d / 2, 0);
        else if (d < 0)
            pie.DeflateRect(0, -d / 2);
    }
    int c0, r0, c1, r1;
    if (m_pGrid == NULL || !RangeOf(pCell->GetText(), &c0, &r0, &c1, &r1)) return 0;
    std::vector<double> values;
    std::vector<COLORREF> colours;
    CGridCell slice;
    for (int c = c0; c <= c1; ++c)
        for (int r = r0; r <= r1; ++r) {
            slice.Clear();
            m_pGrid->GetDisplayCell(c, r, slice);
            values.push_back(slice.GetNumber());
            colours.push_back(slice.GetHighlightBackColor());
        }
    // The slices keep the colours of their cells: skipped ones are matched by value order.
    double dSum = 0.0;
    for (double d : values) dSum += d;
    if (dSum == 0.0) return 0;
    const double dScale = 360.0 / dSum;
    const double kRad = 0.017453277777777776 * -1;
    int nStart = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        int nEnd = nStart + (int)(values[i] * dScale);
        if (nEnd == nStart) continue;
        if (i + 1 == values.size()) nEnd = 360;
        CRect r = pie;
        const int nMid = nStart + (nEnd - nStart) / 2;
        if (nExplode > 0)
            r.OffsetRect((int)(cos(nMid * kRad) * (nExplode + 1)),
                         (int)(sin(nMid * kRad) * (nExplode + 1)));
        const int w = r.Width(), h = r.Height();
        const int cx = r.left + w / 2, cy = r.top + h / 2;
        CBrush brush(colours[i]);
        CBrush* pOld = pDC->SelectObject(&brush);
        pDC->Pie(&r, CPoint((int)(cos(nStart * kRad) * w) + cx, (int)(sin(nStart * kRad) * h) + cy),
                 CPoint((int)(cos(nEnd * kRad) * w) + cx, (int)(sin(nEnd * kRad) * h) + cy));
        pDC->SelectObject(pOld);
        nStart = nEnd;
    }
    return 0;
}

// --- level bar ----------------------------------------------------------------------------

CGridLevelBarType::CGridLevelBarType() { Init(0, 5, 1); }

CGridLevelBarType::CGridLevelBarType(int bMouseSetting, int nTickStep, int nPreset) {
    Init(bMouseSetting, nTickStep, nPreset);
}

void CGridLevelBarType::Init(int bMouseSetting, int nTickStep, int nPreset) {
    m_bDragging = 0;
    m_bMouseSetting = bMouseSetting ? 1 : 0;
    m_nDragRow = m_nDragCol = -1;
    m_rcDrag.SetRect(0, 0, 0, 0);
    m_nBandCount = 0;
    m_pLimits = NULL;
    m_pColors = NULL;
    m_nTickStep = 5;
    m_nDirection = 2;
    m_nMargin = 4;
    SetUseEditor(FALSE);
    SetTickStep(nTickStep);
    if (nPreset == 1) {
        const int limits[3] = {50, 90, 100};
        const COLORREF colours[3] = {RGB(0, 128, 0), RGB(200, 200, 0), RGB(255, 0, 0)};
        SetBandCount(3);
        for (int i = 0; i < 3; ++i) {
            m_pLimits[i] = limits[i];
            m_pColors[i] = colours[i];
        }
    } else if (nPreset == 0) {
        SetBandCount(1);
        m_pLimits[0] = 100;
        m_pColors[0] = RGB(0, 128, 0);
    } else if (nPreset == 255) {
        SetBandCount(100);
        for (int i = 0; i < 100; ++i) {
            m_pLimits[i] = i + 1;
            m_pColors[99 - i] = RGB((255 - i) % 256, (200 - 2 * i + 256) % 256, (i + 20) % 256);
        }
    }
}

CGridLevelBarType::~CGridLevelBarType() {
    delete[] m_pLimits;
    delete[] m_pColors;
}

int CGridLevelBarType::SetBandCount(int nCount) {
    if (nCount < 0 || nCount > 100) return 1;
    delete[] m_pLimits;
    delete[] m_pColors;
    m_pLimits = NULL;
    m_pColors = NULL;
    m_nBandCount = nCount;
    // No bands, no defaults: they would divide by the count.
    if (nCount == 0) return 0;
    m_pLimits = new int[nCount];
    m_pColors = new COLORREF[nCount];
    for (int i = 0; i < nCount; ++i) {
        m_pLimits[i] = (100 / nCount) * i;
        m_pColors[i] = RGB((255 - (200 / nCount) * i) % 256, 0, 0);
    }
    return 0;
}

int CGridLevelBarType::SetBandLimit(int nIndex, int nLimit) {
    if (nIndex < 0 || nIndex >= m_nBandCount || nLimit < 0 || nLimit > 100) return 1;
    if (nIndex > 0 && nLimit < m_pLimits[nIndex - 1] + 1) return 1;
    m_pLimits[nIndex] = nLimit;
    return 0;
}

int CGridLevelBarType::SetBandColor(int nIndex, COLORREF cr) {
    if (nIndex < 0 || nIndex >= m_nBandCount) return 1;
    m_pColors[nIndex] = cr;
    return 0;
}

int CGridLevelBarType::SetTickStep(int nStep) {
    if (nStep < 0 || nStep > 100) return 1;
    m_nTickStep = nStep;
    return 0;
}

int CGridLevelBarType::EnableMouseSetting(int bOn) {
    if (bOn) m_bMouseSetting = 1;
    return 0;
}

int CGridLevelBarType::SetDirection(int nDirection) {
    if (nDirection < 1 || nDirection > 4) return 1;
    m_nDirection = nDirection;
    return 0;
}

int CGridLevelBarType::SetMargin(int nPixels) {
    m_nMargin = nPixels;
    return 0;
}

int CGridLevelBarType::ValueOf(const CGridCell& cell) {
    LPCSTR p = cell.GetText();
    return Clamp100(p != NULL ? atol(p) : 0);
}

CString CGridLevelBarType::LabelOf(int nValue) {
    CString label;
    label.Format("%% %ld", (long)nValue);
    return label;
}

float CGridLevelBarType::PercentAt(int nDistance, int nLength, BOOL bSnap) {
    if (nLength <= 0) return 0.0f;
    float f = (float)nDistance / (float)nLength * 100.0f;
    if (bSnap) {
        if (f > 98.0f) f = 100.0f;
        if (f < 2.0f) f = 0.0f;
    }
    return f;
}

float CGridLevelBarType::PercentIn(const CRect& rc, CPoint pt, BOOL bSnap) const {
    switch (m_nDirection) {
        case 1: return PercentAt(pt.y - rc.top, rc.Height(), bSnap);
        case 3: return PercentAt(rc.right - pt.x, rc.Width(), bSnap);
        case 4: return PercentAt(rc.bottom - pt.y, rc.Height(), bSnap);
        default: return PercentAt(pt.x - rc.left, rc.Width(), bSnap);
    }
}

void CGridLevelBarType::StorePercent(int nCol, int nRow, float fPercent) {
    CGridCell cell;
    m_pGrid->GetCell(nCol, nRow, cell);
    cell.SetNumber(fPercent);
    m_pGrid->SetCell(nCol, nRow, cell);
    m_pGrid->RepaintCell(nCol, nRow);
}

int CGridLevelBarType::OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) {
    if (!m_bMouseSetting || m_pGrid == NULL) return 0;
    if (!bDown) {
        m_bDragging = 0;
        return 0;
    }
    StorePercent(nCol, nRow, PercentIn(*pRect, *pPoint, TRUE));
    m_bDragging = 1;
    m_nDragCol = nCol;
    m_nDragRow = nRow;
    m_rcDrag = *pRect;
    return 1;
}

int CGridLevelBarType::OnLButtonDblClk(int nCol, int nRow, CRect* pRect, CPoint* pPoint) {
    return OnLButton(nCol, nRow, TRUE, pRect, pPoint);
}

int CGridLevelBarType::OnMouseMove(int, int, CPoint* pPoint, UINT nFlags) {
    if (!m_bMouseSetting || !(nFlags & MK_LBUTTON) || !m_bDragging || m_pGrid == NULL) return 0;
    CPoint pt = *pPoint;
    if (pt.x < m_rcDrag.left) pt.x = m_rcDrag.left;
    if (pt.x > m_rcDrag.right) pt.x = m_rcDrag.right;
    if (pt.y < m_rcDrag.top) pt.y = m_rcDrag.top;
    if (pt.y > m_rcDrag.bottom) pt.y = m_rcDrag.bottom;
    StorePercent(m_nDragCol, m_nDragRow, PercentIn(m_rcDrag, pt, FALSE));
    return 1;
}

int CGridLevelBarType::OnDraw(CDC* pDC, CRect* pRect, int, int, CGridCell* pCell, int, int) {
    const int nValue = ValueOf(*pCell);
    const CString label =
        (StyleOf(pCell) & GRIDSTYLE_BAR_CAPTION) && pCell->GetCaptionText() != NULL
            ? CString(pCell->GetCaptionText())
            : LabelOf(nValue);
    CRect rc = *pRect, bar;
    DrawBorder(pDC, &rc, &bar, pCell);
    const CPoint pt = PlaceByAlignment(pDC, bar, AlignmentOf(pCell), label);
    const BOOL bVertical = m_nDirection == 1 || m_nDirection == 4;
    CRect inner = bar;
    if (bVertical)
        inner.DeflateRect(m_nMargin, 0);
    else
        inner.DeflateRect(0, m_nMargin);
    // The bar runs from its start edge to its end edge, in the bar's direction.
    int from, to;
    switch (m_nDirection) {
        case 1: from = inner.top, to = inner.bottom; break;
        case 3: from = inner.right, to = inner.left; break;
        case 4: from = inner.bottom, to = inner.top; break;
        default: from = inner.left, to = inner.right; break;
    }
    auto segment = [&](int a, int b) {
        CRect s = inner;
        if (bVertical) {
            s.top = a < b ? a : b;
            s.bottom = a < b ? b : a;
        } else {
            s.left = a < b ? a : b;
            s.right = a < b ? b : a;
        }
        return s;
    };
    // With no bands the unfilled rest begins at the start edge.
    int nEnd = from;
    for (int i = 0; i < m_nBandCount; ++i) {
        const int nLimit = m_pLimits[i] < nValue ? m_pLimits[i] : nValue;
        const int nBandEnd = from + ((to - from) * nLimit) / 100;
        LabelIn(pDC, segment(nEnd, nBandEnd), pt, label, pCell->GetHighlightTextColor(),
                m_pColors[i]);
        nEnd = nBandEnd;
    }
    if (nValue < 100)
        LabelIn(pDC, segment(nEnd, to), pt, label, pCell->GetTextColor(), pCell->GetBackColor());
    if (m_nMargin > 0) {
        const COLORREF crBack = pCell->GetBackColor();
        if (bVertical) {
            pDC->FillSolidRect(bar.left, bar.top, m_nMargin, bar.Height(), crBack);
            pDC->FillSolidRect(bar.right - m_nMargin, bar.top, m_nMargin, bar.Height(), crBack);
        } else {
            pDC->FillSolidRect(bar.left, bar.top, bar.Width(), m_nMargin, crBack);
            pDC->FillSolidRect(bar.left, bar.bottom - m_nMargin, bar.Width(), m_nMargin, crBack);
        }
    }
    if (!bVertical && m_nTickStep > 0) {
        const int nBarHeight = inner.Height();
        for (int t = 0; t < 100; t += m_nTickStep) {
            const int x = from + ((to - from) * t) / 100;
            int nFirst = x, nLast = x, nLength = nBarHeight / 4;
            if (m_nTickStep == 5 && t % 50 == 0) {
                nFirst = x - 1, nLast = x + 1, nLength = nBarHeight / 2;
            } else if (m_nTickStep == 5 && t % 25 == 0) {
                nLast = x + 1, nLength = nBarHeight / 3;
            }
            for (int xi = nFirst; xi <= nLast; ++xi)
                Line(pDC, xi, inner.bottom, xi, inner.bottom - nLength);
        }
    }
    return 0;
}

// --- progress bar -------------------------------------------------------------------------

CGridProgressBarType::CGridProgressBarType() {}

CGridProgressBarType::~CGridProgressBarType() {}

int CGridProgressBarType::OnDraw(CDC* pDC, CRect* pRect, int, int, CGridCell* pCell, int, int) {
    CRect rc = *pRect, inner;
    DrawBorder(pDC, &rc, &inner, pCell);
    const int nValue = pCell->GetText() != NULL ? Clamp100((long)pCell->GetNumber()) : 0;
    const CString label = StyleOf(pCell) == 1 && pCell->GetCaptionText() != NULL
                              ? CString(pCell->GetCaptionText())
                              : CGridLevelBarType::LabelOf(nValue);
    if (pCell->GetFont() != NULL) pDC->SelectObject(pCell->GetFont());
    const CPoint pt = PlaceByAlignment(pDC, inner, AlignmentOf(pCell), label);
    pDC->SetBkColor(pCell->GetBackColor());
    pDC->ExtTextOut(0, 0, ETO_OPAQUE, &inner, "", 0, NULL);
    CRect filled(inner.left, inner.top + 1, inner.left + (inner.Width() * nValue) / 100,
                 inner.bottom - 1);
    LabelIn(pDC, filled, pt, label, pCell->GetHighlightTextColor(), pCell->GetHighlightBackColor());
    if (nValue < 100)
        LabelIn(pDC, CRect(filled.right, filled.top, inner.right, filled.bottom), pt, label,
                pCell->GetTextColor(), pCell->GetBackColor());
    return 0;
}

// --- option list --------------------------------------------------------------------------

CGridOptionListType::CGridOptionListType() { SetUseEditor(FALSE); }

CGridOptionListType::~CGridOptionListType() {}

std::vector<CString> CGridOptionListType::OptionsOf(LPCSTR lpszCaption) {
    std::vector<CString> options;
    const char* p = lpszCaption != NULL ? lpszCaption : "";
    for (const char* nl; (nl = strchr(p, '\n')) != NULL; p = nl + 1)
        options.push_back(CString(p, (int)(nl - p)));
    return options;
}

int CGridOptionListType::NextOption(int nChosen, int nCount) {
    if (nCount <= 0) return 0;
    return nChosen + 1 >= nCount || nChosen < 0 ? 0 : nChosen + 1;
}

void CGridOptionListType::Choose(int nCol, int nRow, int nOption) {
    if ((int)m_cell.GetNumber() != nOption || m_cell.GetText() == NULL) {
        m_cell.SetNumber(nOption);
        m_pGrid->SetCell(nCol, nRow, m_cell);
        m_pGrid->RepaintCell(nCol, nRow);
    }
    m_pGrid->OnCellTypeNotify(m_nIndex, nCol, nRow, GRIDNOTIFY_BUTTON, nOption);
}

int CGridOptionListType::OnDraw(CDC* pDC, CRect* pRect, int, int, CGridCell* pCell, int, int) {
    CRect rc = *pRect, inner;
    DrawBorder(pDC, &rc, &inner, pCell);
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rc);
    if (pCell->GetFont() != NULL) pDC->SelectObject(pCell->GetFont());
    pDC->SetBkColor(pCell->GetBackColor());
    pDC->SetTextColor(pCell->GetTextColor());
    pDC->ExtTextOut(0, 0, ETO_OPAQUE, &rc, "", 0, NULL);
    const int h = pDC->GetTextExtent("X", 1).cy;
    const int nChosen = (int)pCell->GetNumber();
    int x = rc.left + 3, y = rc.top + 1;
    const std::vector<CString> options = OptionsOf(pCell->GetCaptionText());
    for (int i = 0; i < (int)options.size(); ++i) {
        pDC->SelectStockObject(WHITE_BRUSH);
        pDC->Ellipse(x, y + 2, x + h - 3, y + h - 2);
        if (i == nChosen) {
            pDC->SelectStockObject(BLACK_BRUSH);
            pDC->Ellipse(x + 2, y + 4, x + h - 5, y + h - 4);
        }
        const CRect line(x + h, y, rc.right, y + h);
        const CPoint pt = PlaceByAlignment(pDC, line, AlignmentOf(pCell) & 0x0F, options[i]);
        pDC->ExtTextOut(pt.x, y, ETO_CLIPPED, &line, options[i], options[i].GetLength(), NULL);
        y += h;
    }
    pDC->RestoreDC(nSaved);
    return 0;
}

int CGridOptionListType::OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) {
    if (!bDown || m_pGrid == NULL) return 0;
    m_cell.Clear();
    m_pGrid->GetCell(nCol, nRow, m_cell);
    CFont* pFont =
        m_cell.GetFont() != NULL ? m_cell.GetFont() : m_pGrid->GetSettings()->m_pDefaultFont;
    CClientDC dc(NULL);
    CFont* pOld = pFont != NULL ? dc.SelectObject(pFont) : NULL;
    const int h = dc.GetTextExtent("X", 1).cy;
    if (pOld != NULL) dc.SelectObject(pOld);
    if (h <= 0) return 0;
    const int nLine = (pPoint->y - pRect->top) / h;
    if (nLine < 0 || nLine >= (int)OptionsOf(m_cell.GetCaptionText()).size()) return 0;
    Choose(nCol, nRow, nLine);
    return 1;
}

int CGridOptionListType::OnKeyDown(int nCol, int nRow, UINT* pKey) {
    if (*pKey != VK_SPACE || m_pGrid == NULL) return 0;
    m_cell.Clear();
    m_pGrid->GetCell(nCol, nRow, m_cell);
    const int nCount = (int)OptionsOf(m_cell.GetCaptionText()).size();
    if (nCount == 0) return 0;
    Choose(nCol, nRow, NextOption((int)m_cell.GetNumber(), nCount));
    return 1;
}
