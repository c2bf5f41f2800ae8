// CGridCellType: the normal cell type, and the drawing that the other types share.
#include "gridcelltype.h"

#include "griddatasource.h"
#include "gridsettings.h"
#include "gridwnd.h"

#include <string.h>

namespace {

// {78A705C1-F3E9-11D0-9C7B-0080C83F712F}
const GUID kNormalTypeGuid = {
    0x78A705C1, 0xF3E9, 0x11D0, {0x9C, 0x7B, 0x00, 0x80, 0xC8, 0x3F, 0x71, 0x2F}};

// Draws a line from (x1, y1) to (x2, y2), the end point excluded.
void Line(CDC* pDC, int x1, int y1, int x2, int y2) {
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

// The text a cell shows: the caption when the type or the style asks for it.
LPCSTR ShownText(const CGridCell* pCell, BOOL bShowCaption) {
    LPCSTR text = (bShowCaption || pCell->GetCellTypeStyle() == GRIDSTYLE_SHOWCAPTION)
                      ? pCell->GetCaptionText()
                      : pCell->GetText();
    return text != NULL ? text : "";
}

}  // namespace

CGridCellType::CGridCellType()
    : m_bUseEditor(1),
      m_bShowCaption(0),
      m_bCanOverflow(1),
      m_dPrintScale(1.0),
      m_pGrid(NULL),
      m_nIndex(-1) {}

CGridCellType::~CGridCellType() {}

LPCSTR CGridCellType::GetTypeName() { return "Normal Cell Type (default)"; }

const GUID* CGridCellType::GetTypeGuid() { return &kNormalTypeGuid; }

int CGridCellType::AdjustEditRect(CRect*) { return 0; }

int CGridCellType::OnReserved1(int, int) { return -1; }

int CGridCellType::OnReserved2(int, int) { return -1; }

int CGridCellType::OnSysColorChange() { return 0; }

int CGridCellType::OnLButton(int, int, BOOL, CRect*, CPoint*) { return 0; }

int CGridCellType::OnRButton(int, int, BOOL, CRect*, CPoint*) { return 0; }

int CGridCellType::OnLButtonDblClk(int, int, CRect*, CPoint*) { return 0; }

int CGridCellType::OnKeyDown(int, int, UINT*) { return 0; }

int CGridCellType::OnChar(int, int, UINT*) { return 0; }

int CGridCellType::OnMouseMove(int, int, CPoint*, UINT) { return 0; }

int CGridCellType::OnEnterCell(int, int, CGridCell*) { return 0; }

int CGridCellType::OnLeaveCell(int, int, CGridCell*) { return 0; }

BOOL CGridCellType::CanOverflow(CGridCell* pCell) {
    if (pCell->HasProperties(GRIDCELL_ALIGNMENT))
        return (pCell->GetAlignment() & GRIDALIGN_LEFT) ? m_bCanOverflow : 0;
    return pCell->GetCellTypeStyle() == 0 && !pCell->HasProperties(GRIDCELL_MERGE) ? m_bCanOverflow
                                                                                   : 0;
}

int CGridCellType::OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell,
                          int nSelected, int bCurrent) {
    if (m_pGrid == NULL || pCell == NULL) return 0;
    CGridSettings* pSettings = m_pGrid->GetSettings();
    CRect inner;
    if (pSettings->m_bTextOverflow && CanOverflow(pCell) && pCell->GetTextLength() == 0 &&
        nCol > 0 && nCol < pSettings->m_nColCount) {
        // Text run on from a cell to the left: the nearest filled cell whose text is wider
        // than its column and reaches this far.
        int nSourceCol = -1;
        int nDsCol = m_pGrid->GetDataSourceCol(nCol);
        CGridDataSource* pSource = pSettings->m_columns[nCol].pDataSource;
        if (pSource != NULL && pSource->FindPrevFilled(&nDsCol, nRow) == 0) {
            for (int c = nCol - 1; c >= 0; --c)
                if (pSettings->m_columns[c].pDataSource == pSource &&
                    pSettings->m_columns[c].nDataSourceCol == nDsCol) {
                    nSourceCol = c;
                    break;
                }
        }
        if (nSourceCol >= 0) {
            CGridCell source;
            m_pGrid->GetDisplayCell(nSourceCol, nRow, source);
            CGridCellType* pSourceType = m_pGrid->GetCellTypeObject(source.GetCellType());
            CFont* pOldFont = NULL;
            CFont* pFont = source.GetFont();
            if (pFont != NULL) pOldFont = pDC->SelectObject(pFont);
            LPCSTR sourceText = ShownText(&source, FALSE);
            int nTextWidth = pDC->GetTextExtent(sourceText, (int)strlen(sourceText)).cx;
            if (pOldFont != NULL) pDC->SelectObject(pOldFont);
            int nSpan = 0;
            for (int c = nSourceCol; c < nCol; ++c) nSpan += pSettings->GetColWidth(c);
            if (nTextWidth + pSettings->m_nTextMargin > pSettings->GetColWidth(nSourceCol) &&
                pSourceType->CanOverflow(&source) && nSpan <= nTextWidth) {
                DrawBorder(pDC, pRect, &inner, pCell);
                DrawText(pDC, &inner, -(int)(nSpan * m_dPrintScale), nSourceCol, nRow, &source,
                         nSelected, bCurrent);
                return 0;
            }
        }
    }
    DrawBorder(pDC, pRect, &inner, pCell);
    DrawText(pDC, &inner, 0, nCol, nRow, pCell, nSelected, bCurrent);
    return 0;
}

void CGridCellType::DrawBorder(CDC* pDC, CRect* pRect, CRect* pInner, CGridCell* pCell) {
    CGridSettings* pSettings = m_pGrid->GetSettings();
    const CRect rc = *pRect;
    const int nBorder = pCell->GetBorder();
    const BOOL b3D = (nBorder & (GRIDBORDER_SUNKEN | GRIDBORDER_RAISED)) != 0;
    const BOOL bGridLines = pSettings->m_bGridLines && !b3D;
    CPen* pGridPen = pSettings->m_pGridLinePen;
    CPen* pPen = pCell->GetBorderPen() != NULL ? pCell->GetBorderPen() : pGridPen;
    int nLeft = 0, nTop = 0, nRight = 0, nBottom = 0;
    CPen* pOldPen = pDC->SelectObject(pPen);

    // One-pixel lines; grid lines draw only the right and bottom edges, in the grid pen.
    if (nBorder & GRIDBORDER_LEFT) {
        Line(pDC, rc.left, rc.top, rc.left, rc.bottom);
        nLeft = 1;
    }
    if (nBorder & GRIDBORDER_TOP) {
        Line(pDC, rc.left, rc.top, rc.right, rc.top);
        nTop = 1;
    }
    if ((nBorder & GRIDBORDER_RIGHT) || bGridLines) {
        pDC->SelectObject((nBorder & GRIDBORDER_RIGHT) ? pPen : pGridPen);
        Line(pDC, rc.right - 1, rc.top, rc.right - 1, rc.bottom);
        nRight = 1;
    }
    if ((nBorder & GRIDBORDER_BOTTOM) || bGridLines) {
        pDC->SelectObject((nBorder & GRIDBORDER_BOTTOM) ? pPen : pGridPen);
        Line(pDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1);
        nBottom = 1;
    }
    pDC->SelectObject(pPen);

    // Two- and three-pixel lines: adjacent one-pixel lines inwards from the edge.
    static const struct {
        int nLeft, nTop, nRight, nBottom, nWidth;
    } kThick[] = {
        {GRIDBORDER_LEFT2, GRIDBORDER_TOP2, GRIDBORDER_RIGHT2, GRIDBORDER_BOTTOM2, 2},
        {GRIDBORDER_LEFT3, GRIDBORDER_TOP3, GRIDBORDER_RIGHT3, GRIDBORDER_BOTTOM3, 3},
    };
    for (const auto& thick : kThick) {
        for (int i = 0; i < thick.nWidth; ++i) {
            if (nBorder & thick.nLeft) Line(pDC, rc.left + i, rc.top, rc.left + i, rc.bottom);
            if (nBorder & thick.nTop) Line(pDC, rc.left, rc.top + i, rc.right, rc.top + i);
            if (nBorder & thick.nRight)
                Line(pDC, rc.right - 1 - i, rc.top, rc.right - 1 - i, rc.bottom);
            if (nBorder & thick.nBottom)
                Line(pDC, rc.left, rc.bottom - 1 - i, rc.right, rc.bottom - 1 - i);
        }
        if (nBorder & thick.nLeft) nLeft = thick.nWidth;
        if (nBorder & thick.nTop) nTop = thick.nWidth;
        if (nBorder & thick.nRight) nRight = thick.nWidth;
        if (nBorder & thick.nBottom) nBottom = thick.nWidth;
    }

    // Three-dimensional frames: nested one-pixel frames, as many as the 3-D border width.
    if (b3D) {
        const BOOL bSunken = (nBorder & GRIDBORDER_SUNKEN) != 0;
        CPen* pTopLeft = bSunken ? m_pGrid->GetShadowPen() : m_pGrid->GetHighlightPen();
        CPen* pBottomRight = bSunken ? m_pGrid->GetHighlightPen() : m_pGrid->GetShadowPen();
        const int w = pSettings->m_n3DBorderWidth;
        for (int i = 0; i < w; ++i) {
            pDC->SelectObject(pTopLeft);
            pDC->MoveTo(rc.left + i, rc.bottom - i - 1);
            pDC->LineTo(rc.left + i, rc.top + i);
            pDC->LineTo(rc.right - i - 1, rc.top + i);
            pDC->SelectObject(pBottomRight);
            pDC->MoveTo(rc.right - i - 1, rc.top + i);
            pDC->LineTo(rc.right - i - 1, rc.bottom - i - 1);
            pDC->LineTo(rc.left + i, rc.bottom - i - 1);
        }
        nLeft = nTop = nRight = nBottom = w;
    }
    pDC->SelectObject(pOldPen);
    pInner->SetRect(rc.left + nLeft, rc.top + nTop, rc.right - nRight, rc.bottom - nBottom);
}

void CGridCellType::DrawText(CDC* pDC, CRect* pInner, int nXOffset, int nCol, int nRow,
                             CGridCell* pCell, int nSelected, int bCurrent) {
    CGridSettings* pSettings = m_pGrid->GetSettings();
    CRect& rc = *pInner;
    const int nSavedLeft = rc.left;
    LPCSTR text = ShownText(pCell, m_bShowCaption);
    const int nLength = (int)strlen(text);

    const BOOL bHighlight = nSelected || (bCurrent && (pSettings->m_nCursorCellStyle & 2));
    const COLORREF crText = bHighlight ? pCell->GetHighlightTextColor() : pCell->GetTextColor();
    const COLORREF crBack = bHighlight ? pCell->GetHighlightBackColor() : pCell->GetBackColor();
    pDC->SetTextColor(crText);
    pDC->SetBkColor(crBack);
    CFont* pOldFont = NULL;
    if (pCell->GetFont() != NULL) pOldFont = pDC->SelectObject(pCell->GetFont());

    if (pCell->GetBitmap() != NULL) rc.left += DrawBitmap(pDC, pCell->GetBitmap(), &rc, crBack);

    const int nAlign = pCell->GetAlignment();
    const int nMargin = pSettings->m_nTextMargin;
    const CSize extent = pDC->GetTextExtent(text, nLength);
    int x = rc.left + nMargin + nXOffset;
    int y = rc.top + 1;
    if (nAlign != 0) {
        if (nAlign & GRIDALIGN_CENTER)
            x = rc.left + (rc.Width() - extent.cx) / 2;
        else if (nAlign & GRIDALIGN_RIGHT)
            x = rc.right - extent.cx - nMargin;
        if (nAlign & GRIDALIGN_VCENTER)
            y = rc.top + (rc.Height() - extent.cy) / 2;
        else if (nAlign & GRIDALIGN_BOTTOM)
            y = rc.bottom - extent.cy - 1;
    }
    if (nXOffset < 0) rc.left -= 1;

    const int nStyle = pCell->GetCellTypeStyle();
    if (nStyle & GRIDSTYLE_WORDWRAP) {
        pDC->FillSolidRect(&rc, crBack);
        CRect rcText = rc;
        UINT nFormat = DT_WORDBREAK | DT_NOPREFIX;
        if (nAlign & GRIDALIGN_CENTER) {
            nFormat |= DT_CENTER;
        } else if (nAlign & GRIDALIGN_RIGHT) {
            nFormat |= DT_RIGHT;
            rcText.right -= nMargin + nXOffset;
        } else {
            nFormat |= DT_LEFT;
            if (nAlign == 0 || (nAlign & GRIDALIGN_LEFT)) rcText.left += nMargin + nXOffset;
        }
        int nOldMode = pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(text, nLength, &rcText, nFormat);
        pDC->SetBkMode(nOldMode);
    } else if ((nStyle & GRIDSTYLE_ELLIPSIS) && rc.Width() < extent.cx + 6) {
        // The start of the text, then "..." at the right edge, all inside the cell.
        const int nDots = pDC->GetTextExtent("...", 3).cx + 3;
        pDC->FillSolidRect(&rc, crBack);
        CRect rcPart = rc;
        rcPart.right -= nDots;
        if (rcPart.right > rcPart.left)
            pDC->ExtTextOut(rcPart.left + 3, y, ETO_CLIPPED | ETO_OPAQUE, &rcPart, text, nLength,
                            NULL);
        CRect rcDots(rcPart.right + 1, rc.top, rcPart.right + 1 + nDots, rc.bottom);
        if (rcDots.left < nSavedLeft + 1) rcDots.left = nSavedLeft + 1;
        if (rcDots.right > rc.right) rcDots.right = rc.right;
        if (rcDots.right > rcDots.left)
            pDC->ExtTextOut(rcDots.left, y, ETO_CLIPPED | ETO_OPAQUE, &rcDots, "...", 3, NULL);
    } else {
        pDC->ExtTextOut(x, y, ETO_CLIPPED | ETO_OPAQUE, &rc, text, nLength, NULL);
    }

    if (pOldFont != NULL) pDC->SelectObject(pOldFont);
    rc.left = nSavedLeft;
}

int CGridCellType::DrawBitmap(CDC* pDC, CBitmap* pBitmap, CRect* pRect, COLORREF crBack) {
    BITMAP bm;
    if (pBitmap == NULL || pBitmap->GetBitmap(&bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return 0;
    const CRect rc = *pRect;
    const int nAvail = rc.Height() - 4;
    // A picture taller than the room is scaled down to it, keeping its aspect ratio.
    int nShownWidth = bm.bmWidth, nShownHeight = bm.bmHeight;
    int y = rc.top + (rc.Height() - bm.bmHeight) / 2;
    if (bm.bmHeight > nAvail) {
        nShownHeight = nAvail > 0 ? nAvail : 0;
        nShownWidth = nAvail > 0 ? bm.bmWidth * (nAvail * 100 / bm.bmHeight) / 100 : 0;
        y = rc.top + 2;
    }
    int nWidth = nShownWidth;
    if (nWidth > rc.Width() - 4) nWidth = rc.Width() - 4;
    if (nWidth < 0) nWidth = 0;
    pDC->FillSolidRect(rc.left, rc.top, nWidth + 4, rc.Height(), crBack);
    CDC memDC;
    if (nWidth > 0 && nShownHeight > 0 && memDC.CreateCompatibleDC(pDC)) {
        CBitmap* pOld = memDC.SelectObject(pBitmap);
        if (nShownHeight != bm.bmHeight) {
            // Cut at the cell's edge: only the part of the source that shows is stretched.
            int nSrcWidth = bm.bmWidth * nWidth / nShownWidth;
            int nOldMode = pDC->SetStretchBltMode(COLORONCOLOR);
            pDC->StretchBlt(rc.left + 2, y, nWidth, nShownHeight, &memDC, 0, 0, nSrcWidth,
                            bm.bmHeight, SRCCOPY);
            pDC->SetStretchBltMode(nOldMode);
        } else {
            pDC->BitBlt(rc.left + 2, y, nWidth, nShownHeight, &memDC, 0, 0, SRCCOPY);
        }
        memDC.SelectObject(pOld);
    }
    return nWidth + 4;
}

int CGridCellType::OnPrintDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell) {
    if (m_pGrid == NULL || pCell == NULL) return 0;
    CGridSettings* pSettings = m_pGrid->GetSettings();
    int nScreenHeight =
        nRow < 0 ? pSettings->GetHeadingRowHeight(nRow) : pSettings->GetRowHeight(nRow);
    // A row without height has nothing to print, and nothing to scale by.
    if (nScreenHeight <= 0) return 0;
    double dScale = (double)pRect->Height() / nScreenHeight;
    int nOrigin, nMergeCols, nMergeRows;
    if (pCell->GetMergeInfo(nOrigin, nMergeCols, nMergeRows) == 0 && nOrigin && nMergeRows > 0)
        dScale /= nMergeRows + 1;

    LOGFONT lf;
    memset(&lf, 0, sizeof lf);
    CFont* pBase = pCell->GetFont() != NULL ? pCell->GetFont() : pSettings->m_pDefaultFont;
    if (pBase == NULL || pBase->GetLogFont(&lf) == 0) {
        CFont* pCurrent = pDC->GetCurrentFont();
        if (pCurrent == NULL || pCurrent->GetLogFont(&lf) == 0)
            ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    }
    lf.lfHeight = (LONG)(lf.lfHeight * dScale);
    CFont font;
    if (!font.CreateFontIndirect(&lf)) return 0;

    const BOOL bHadFont = pCell->HasProperties(GRIDCELL_FONT);
    CFont* pCellFont = pCell->GetFont();
    pCell->SetFont(&font);
    CFont* pOldFont = pDC->SelectObject(&font);
    m_dPrintScale = dScale;
    OnDraw(pDC, pRect, nCol, nRow, pCell, 0, 0);
    m_dPrintScale = 1.0;
    pDC->SelectObject(pOldFont);
    // The cell is the caller's: it must not keep the font that ends here.
    if (bHadFont)
        pCell->SetFont(pCellFont);
    else
        pCell->ClearProperty(GRIDCELL_FONT);
    return 0;
}

int CGridCellType::GetBestSize(CDC* pDC, CSize* pSize, CGridCell* pCell) {
    CFont* pFont = pCell->GetFont();
    if (pFont == NULL && m_pGrid != NULL) pFont = m_pGrid->GetSettings()->m_pDefaultFont;
    CFont* pOldFont = pFont != NULL ? pDC->SelectObject(pFont) : NULL;
    *pSize = CSize(3, 3);
    LPCSTR text = pCell->GetText();
    if (text != NULL && *text != '\0') *pSize = pDC->GetTextExtent(text, (int)strlen(text));
    pSize->cx += 6;
    pSize->cy += 2;
    if (pOldFont != NULL) pDC->SelectObject(pOldFont);
    return 0;
}
