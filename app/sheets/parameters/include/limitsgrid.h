// CLimitsGrid: one limit (1 to 4) of every component: the value, the alarm on below or above
// it, the ranges it is valid in and whether it is on. Rows follow the components (on a
// Sindor 23 also its sensors); a row whose settings could not be read shows empty read-only
// cells, and IsRowRead tells the page to leave it alone. On a Sindor 23 the range flags are
// always set and read-only.
#pragma once

#include "pagegrids.h"

class CLimitsGrid : public CParamGrid {
public:
    // The column of the limit's value.
    enum { kValueCol = 0 };

    CLimitsGrid();

    // Builds the grid for limit `nLimit` (1 to 4) and fills it.
    void Setup(CVaskInstrument* pAnalyzer, int nLimit);
    // The cells of every row into the records; the alarm choice keeps the value read when
    // the cell's text is no choice.
    void ReadBack();
    void OnCellChanged(int nCol, int nRow) override;
    // Component c's record into the offline entries of the limit: the value, the limit
    // control, the alarm direction and the range flags (each flag as 0 or 1).
    void WriteOffline(int c);

    void SetPage(CParamPageLink* pPage) { m_pPage = pPage; }
    int GetLimitNumber() const { return m_nLimit; }
    int GetRowCountShown() const { return m_nRows; }
    // The component a row shows, -1 for none.
    int GetRowComponent(int nRow) const;
    BOOL IsRowRead(int nRow) const;

    // Per component (the page checks and writes them).
    VaskFloat m_limitValues[kGridComponents];
    LimitStruct m_limitFlags[kGridComponents];

protected:
    // The get operation of limit m_nLimit in its two forms.
    BOOL ReadDeviceLimit(int c, VaskFloat& value, LimitStruct& flags);
    BOOL ReadOfflineLimit(int c, VaskFloat& value, LimitStruct& flags);

    CVaskInstrument* m_pAnalyzer;
    CParamPageLink* m_pPage;
    int m_nLimit;
    int m_nRows;
    std::vector<int> m_rows;
    BOOL m_bRead[kGridComponents];
};

// The flag of range k (1 to 4) of a limit record, and its setter.
BOOL& LimitRangeFlag(LimitStruct& flags, int k);
