// CGridPrint: the grid's print settings and print job. The grid makes it with itself and
// points it at the current sheet's settings.
//
// It holds the page layout's fields and the print options with their defaults; pages are
// not laid out or printed by it.
#pragma once

#include "vaskfc.h"

#include <vector>

class CGridSettings;
class CGridWnd;

class CGridPrint : public CObject {
public:
    CGridPrint();
    ~CGridPrint() override;

    CGridWnd* m_pGrid;
    CGridSettings* m_pSettings;

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
};
