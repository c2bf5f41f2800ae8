// CGridPrint: the grid's print settings and print job. The grid makes it with itself and
// points it at the current sheet's settings.
//
// A range of cells is first laid out into pages that fit the paper inside the margins
// (Layout, a pure function of the device's measures and the sheet's sizes), then printed a
// page at a time, each cell through its cell type's print drawing.
#pragma once

#include "vaskfc.h"

#include <vector>

class CGridSettings;
class CGridWnd;

// Print option identifiers.
#define GRIDPRINT_REPEATCOLHEADINGS 1
#define GRIDPRINT_REPEATROWHEADINGS 2
#define GRIDPRINT_LEFTMARGIN        3
#define GRIDPRINT_TOPMARGIN         4
#define GRIDPRINT_RIGHTMARGIN       5
#define GRIDPRINT_BOTTOMMARGIN      6
#define GRIDPRINT_PAGEFRAME         10

// What the page layout reads of a printer: its size in millimetres and in pixels.
struct GridPrinterMeasures {
    int nWidthMM;
    int nHeightMM;
    int nWidthPx;
    int nHeightPx;
};

class CGridPrint : public CObject {
public:
    CGridPrint();
    ~CGridPrint() override;

    CGridWnd* m_pGrid;
    CGridSettings* m_pSettings;

    // The measures of a printer's device context.
    static GridPrinterMeasures MeasuresOf(CDC* pDC);
    // Lays the range out into pages for a printer of these measures: the number of pages,
    // 0 when the paper has no room inside the margins or the range is empty.
    int Layout(const GridPrinterMeasures& m, int nFirstCol, int nFirstRow, int nLastCol,
               int nLastRow);
    // Prints one page of the last layout; 0 when the layout has no such page.
    int PrintPage(CDC* pDC, int nPage);
    // 0; 1 for an identifier that is not an option (the getter then gives 0).
    int SetOption(int nId, int nValue);
    int GetOption(int nId, int* pValue) const;

    int m_nPagesAcross;
    int m_nPagesDown;
    float m_fVScale;
    float m_fHScale;
    int m_nLeftMargin;  // printer pixels
    int m_nTopMargin;
    int m_nRightEdge;
    int m_nBottomEdge;
    int m_nPrinterWidth;
    int m_nPrinterHeight;
    int m_nLeftMarginMM;
    int m_nTopMarginMM;
    int m_nRightMarginMM;
    int m_nBottomMarginMM;
    int m_bPageFrame;
    int m_bRepeatColHeadings;
    int m_bRepeatRowHeadings;

    // One page of the layout: its number and the cells it covers.
    struct PageRecord {
        int nPage;
        int nFirstCol;
        int nLastCol;
        int nFirstRow;
        int nLastRow;
    };
    std::vector<PageRecord> m_pages;

protected:
    // One band of columns (rows): the first and the last.
    struct Band {
        int nFirst;
        int nLast;
    };
    // Cuts first..last into bands of at most nRoom pixels, each starting with nHeading.
    template <class Size>
    static std::vector<Band> CutBands(int nFirst, int nLast, int nRoom, int nHeading, Size size);
};
