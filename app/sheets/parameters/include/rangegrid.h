// CRangeGrid: the measuring ranges of one component at a time, one row per range with its
// start and end value. It reads the ranges of every component once, so that the page can
// switch the shown component without reading the analyzer again; the page takes the edited
// texts back (ReadBack) before it checks, switches or writes them. A component whose ranges
// could not be read shows empty read-only cells, and IsComponentRead tells the page to
// leave it alone. On a Sindor 23 the start values cannot be edited.
#pragma once

#include "pagegrids.h"

class CRangeGrid : public CParamGrid {
public:
    CRangeGrid();

    // Builds the grid for the analyzer, reads all components' ranges and shows component 0.
    void Initialize(CObject* pAnalyzer) override;
    // Shows the ranges of component c (0 to 3).
    void ShowComponent(int c);
    // The shown component's cell texts into its records (the numbers are left to the page).
    void ReadBack();
    // The page's OnParamModified.
    void OnCellChanged(int nCol, int nRow) override;

    void SetPage(CParamPageLink* pPage) { m_pPage = pPage; }
    int GetShownComponent() const { return m_nShownComponent; }
    BOOL IsComponentRead(int c) const { return c >= 0 && c < kGridComponents && m_bRead[c]; }

    // Per component, per range (the page converts and writes them).
    VaskFloat m_endValues[kGridComponents][kGridRanges];
    VaskFloat m_startValues[kGridComponents][kGridRanges];

protected:
    // The cells of every range row from the shown component's records.
    void FillCells();
    // The row headings and the two columns a third of the window each, fitted into it and
    // widened for their texts.
    void FitColumns();
    int RowCount() const;

    CVaskInstrument* m_pAnalyzer;
    int m_nShownComponent;
    CParamPageLink* m_pPage;
    BOOL m_bRead[kGridComponents];
    BOOL m_bStartLocked;
};
