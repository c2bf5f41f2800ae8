// CGridPrint: the grid's page layout and the printing of one page.
#include "gridprint.h"

#include "gridcelltype.h"
#include "gridsettings.h"
#include "gridwnd.h"

#include <algorithm>

CGridPrint::CGridPrint()
    : m_pGrid(NULL),
      m_pSettings(NULL),
      m_nPagesAcross(0),
      m_nPagesDown(0),
      m_fVScale(1.0f),
      m_fHScale(1.0f),
      m_nLeftMargin(0),
      m_nTopMargin(0),
      m_nRightEdge(0),
      m_nBottomEdge(0),
      m_nPrinterWidth(0),
      m_nPrinterHeight(0),
      m_nLeftMarginMM(25),
      m_nTopMarginMM(25),
      m_nRightMarginMM(25),
      m_nBottomMarginMM(25),
      m_bPageFrame(1),
      m_bRepeatColHeadings(0),
      m_bRepeatRowHeadings(0) {}

CGridPrint::~CGridPrint() {}

GridPrinterMeasures CGridPrint::MeasuresOf(CDC* pDC) {
    GridPrinterMeasures m = {0, 0, 0, 0};
    if (pDC == NULL || pDC->GetSafeHdc() == NULL) return m;
    m.nWidthMM = pDC->GetDeviceCaps(HORZSIZE);
    m.nHeightMM = pDC->GetDeviceCaps(VERTSIZE);
    m.nWidthPx = pDC->GetDeviceCaps(HORZRES);
    m.nHeightPx = pDC->GetDeviceCaps(VERTRES);
    return m;
}

template <class Size>
std::vector<CGridPrint::Band> CGridPrint::CutBands(int nFirst, int nLast, int nRoom, int nHeading,
                                                   Size size) {
    std::vector<Band> bands;
    int nSum = nHeading, nStart = nFirst;
    for (int i = nFirst; i <= nLast; ++i) {
        nSum += size(i);
        if (nSum <= nRoom) continue;
        nSum = nHeading;
        // A column that does not fit behind the others starts the next band. The first of a
        // band stays in it however wide it is (it is cut at the paper's edge): stepping it
        // back would start the same band again without end.
        if (size(i) < nRoom && i > nStart) --i;
        bands.push_back({nStart, i});
        nStart = i + 1;
    }
    if (nStart <= nLast) bands.push_back({nStart, nLast});
    return bands;
}

int CGridPrint::Layout(const GridPrinterMeasures& m, int c0, int r0, int c1, int r1) {
    m_pages.clear();
    m_nPagesAcross = m_nPagesDown = 0;
    const CGridSettings* s = m_pSettings;
    const int nInnerWmm = m.nWidthMM - m_nLeftMarginMM - m_nRightMarginMM;
    const int nInnerHmm = m.nHeightMM - m_nTopMarginMM - m_nBottomMarginMM;
    if (s == NULL || m.nWidthMM <= 0 || m.nHeightMM <= 0 || m.nWidthPx <= 0 || m.nHeightPx <= 0)
        return 0;
    // The usable room in screen pixels.
    const int W = (int)(nInnerWmm * 3.79);
    const int H = (int)(nInnerHmm * 3.78);
    if (W <= 0 || H <= 0) return 0;

    const double dPxPerMmX = (double)m.nWidthPx / m.nWidthMM;
    const double dPxPerMmY = (double)m.nHeightPx / m.nHeightMM;
    m_fVScale = (float)(dPxPerMmY * nInnerHmm / H);
    m_fHScale = (float)(dPxPerMmX * nInnerWmm / W);
    m_nLeftMargin = (int)(dPxPerMmX * m_nLeftMarginMM);
    m_nTopMargin = (int)(dPxPerMmY * m_nTopMarginMM);
    m_nRightEdge = (int)(m.nWidthPx - dPxPerMmX * m_nRightMarginMM);
    m_nBottomEdge = (int)(m.nHeightPx - dPxPerMmY * m_nBottomMarginMM);
    m_nPrinterWidth = m.nWidthPx;
    m_nPrinterHeight = m.nHeightPx;

    const std::vector<Band> cols =
        CutBands(c0, c1, W, m_bRepeatRowHeadings ? s->m_nRowHeadingWidth : 0,
                 [s](int c) { return s->GetColWidth(c); });
    const std::vector<Band> rows =
        CutBands(r0, r1, H, m_bRepeatColHeadings ? s->m_nColHeadingHeight : 0,
                 [s](int r) { return s->GetRowHeight(r); });
    m_nPagesAcross = (int)cols.size();
    m_nPagesDown = (int)rows.size();
    for (int down = 0; down < m_nPagesDown; ++down)
        for (int across = 0; across < m_nPagesAcross; ++across)
            m_pages.push_back({down * m_nPagesAcross + across + 1, cols[across].nFirst,
                               cols[across].nLast, rows[down].nFirst, rows[down].nLast});
    return m_nPagesAcross * m_nPagesDown;
}

int CGridPrint::SetOption(int nId, int nValue) {
    switch (nId) {
        case GRIDPRINT_REPEATCOLHEADINGS: m_bRepeatColHeadings = nValue ? 1 : 0; break;
        case GRIDPRINT_REPEATROWHEADINGS: m_bRepeatRowHeadings = nValue ? 1 : 0; break;
        case GRIDPRINT_LEFTMARGIN: m_nLeftMarginMM = nValue; break;
        case GRIDPRINT_TOPMARGIN: m_nTopMarginMM = nValue; break;
        case GRIDPRINT_RIGHTMARGIN: m_nRightMarginMM = nValue; break;
        case GRIDPRINT_BOTTOMMARGIN: m_nBottomMarginMM = nValue; break;
        case GRIDPRINT_PAGEFRAME: m_bPageFrame = nValue ? 1 : 0; break;
        default: return 1;
    }
    return 0;
}

int CGridPrint::GetOption(int nId, int* pValue) const {
    int nValue = 0, nResult = 0;
    switch (nId) {
        case GRIDPRINT_REPEATCOLHEADINGS: nValue = m_bRepeatColHeadings; break;
        case GRIDPRINT_REPEATROWHEADINGS: nValue = m_bRepeatRowHeadings; break;
        case GRIDPRINT_LEFTMARGIN: nValue = m_nLeftMarginMM; break;
        case GRIDPRINT_TOPMARGIN: nValue = m_nTopMarginMM; break;
        case GRIDPRINT_RIGHTMARGIN: nValue = m_nRightMarginMM; break;
        case GRIDPRINT_BOTTOMMARGIN: nValue = m_nBottomMarginMM; break;
        case GRIDPRINT_PAGEFRAME: nValue = m_bPageFrame; break;
        default: nResult = 1; break;
    }
    if (pValue != NULL) *pValue = nValue;
    return nResult;
}

int CGridPrint::PrintPage(CDC* pDC, int nPage) {
    const PageRecord* pRecord = NULL;
    for (const PageRecord& rec : m_pages)
        if (rec.nPage == nPage) pRecord = &rec;
    if (pRecord == NULL || pDC == NULL || m_pGrid == NULL || m_pSettings == NULL) return 0;
    const PageRecord page = *pRecord;
    CGridSettings* s = m_pSettings;

    // The rows and columns of the page, the repeated headings first (outermost first).
    std::vector<int> rows, cols;
    if (m_bRepeatColHeadings)
        for (int r = -s->m_nColHeadingRows; r <= -1; ++r) rows.push_back(r);
    for (int r = page.nFirstRow; r <= page.nLastRow; ++r) rows.push_back(r);
    if (m_bRepeatRowHeadings)
        for (int c = -s->m_nRowHeadingCols; c <= -1; ++c) cols.push_back(c);
    for (int c = page.nFirstCol; c <= page.nLastCol; ++c) cols.push_back(c);
    auto height = [&](int r) {
        return (int)((r < 0 ? s->GetHeadingRowHeight(r) : s->GetRowHeight(r)) * m_fVScale);
    };
    auto width = [&](int c) {
        return (int)((c < 0 ? s->GetHeadingColWidth(c) : s->GetColWidth(c)) * m_fHScale);
    };
    const int nFirstBodyRow = page.nFirstRow, nFirstBodyCol = page.nFirstCol;
    // The cells scale the font they find from screen to printer: they must find the screen's
    // font (the grid's default font, else the dialog font), not the printer's own.
    const int nPageState = pDC->SaveDC();
    if (s->m_pDefaultFont != NULL)
        pDC->SelectObject(s->m_pDefaultFont);
    else
        pDC->SelectStockObject(DEFAULT_GUI_FONT);

    CGridCell cell;
    int y = m_nTopMargin;
    for (size_t ri = 0; ri < rows.size(); ++ri) {
        const int r = rows[ri];
        const int h = height(r);
        if (h <= 0) continue;
        int x = m_nLeftMargin;
        for (size_t ci = 0; ci < cols.size(); ++ci) {
            const int c = cols[ci];
            const int w = width(c);
            if (w <= 0) continue;
            CRect rc(x, y, x + w, y + h);
            x += w;
            int oc = c, orow = r, lc = c, lr = r;
            BOOL bMerged = FALSE;
            if (c >= 0 && r >= 0 && m_pGrid->GetMergeRange(oc, orow, lc, lr) == 0) {
                bMerged = TRUE;
                // A range is printed once, from its first cell on this page, grown over the
                // rest of it that lies on the page.
                if (c != std::max(oc, nFirstBodyCol) || r != std::max(orow, nFirstBodyRow))
                    continue;
                for (int c2 = c + 1; c2 <= std::min(lc, page.nLastCol); ++c2) rc.right += width(c2);
                for (int r2 = r + 1; r2 <= std::min(lr, page.nLastRow); ++r2)
                    rc.bottom += height(r2);
            }
            cell.Clear();
            m_pGrid->GetDisplayCell(bMerged ? oc : c, bMerged ? orow : r, cell);
            CGridCellType* pType = m_pGrid->GetCellTypeObject(
                cell.HasProperties(GRIDCELL_CELLTYPE) ? cell.GetCellType() : 0);
            const int nSaved = pDC->SaveDC();
            pType->OnPrintDraw(pDC, &rc, bMerged ? oc : c, bMerged ? orow : r, &cell);
            pDC->RestoreDC(nSaved);

            if (m_bPageFrame) {
                CPen* pOld = (CPen*)pDC->SelectStockObject(BLACK_PEN);
                if (ri == 0) {
                    pDC->MoveTo(rc.left, rc.top);
                    pDC->LineTo(rc.right + 1, rc.top);
                }
                if (r == page.nLastRow || (bMerged && lr >= page.nLastRow)) {
                    pDC->MoveTo(rc.left, rc.bottom);
                    pDC->LineTo(rc.right + 1, rc.bottom);
                }
                if (ci == 0) {
                    pDC->MoveTo(rc.left, r < 0 ? m_nTopMargin : rc.top);
                    pDC->LineTo(rc.left, rc.bottom + 1);
                }
                if (c == page.nLastCol || (bMerged && lc >= page.nLastCol)) {
                    pDC->MoveTo(rc.right, rc.top);
                    pDC->LineTo(rc.right, rc.bottom + 1);
                }
                pDC->SelectObject(pOld);
            }
        }
        y += h;
    }
    pDC->RestoreDC(nPageState);
    return 0;
}
