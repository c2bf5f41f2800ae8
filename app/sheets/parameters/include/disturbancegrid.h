// The grids of the page "Time constants/Filters": CDisturbanceGrid with the filter time
// constants of each component (T90 inside, T90 outside, delta range; the dead time is read
// and kept, never shown) and CDisturbanceValueGrid with the suppression of noise signals
// (duration and level). Each reads the analyzer when initialised, keeps the values per
// component and takes the edited texts back on request (ReadBack). A row whose values could
// not be read shows empty read-only cells, and IsRowRead tells the page to leave it alone.
#pragma once

#include "pagegrids.h"

class CDisturbanceGrid : public CParamGrid {
public:
    CDisturbanceGrid();

    void Initialize(CObject* pAnalyzer) override;
    // Text and leading number of every read row's cells into its records; the dead time
    // stays as read.
    void ReadBack();
    void OnCellChanged(int nCol, int nRow) override;

    void SetPage(CParamPageLink* pPage) { m_pPage = pPage; }
    int GetRowCountShown() const { return m_nRows; }
    int GetRowComponent(int nRow) const;
    BOOL IsRowRead(int nRow) const;

    VaskFloat m_t90Inside[kGridComponents];
    VaskFloat m_t90Outside[kGridComponents];
    VaskFloat m_deltaRange[kGridComponents];
    VaskFloat m_deadTime[kGridComponents];

protected:
    CVaskInstrument* m_pAnalyzer;
    CParamPageLink* m_pPage;
    int m_nRows;
    std::vector<int> m_rows;
    BOOL m_bRead[kGridComponents];
};

class CDisturbanceValueGrid : public CParamGrid {
public:
    CDisturbanceValueGrid();

    void Initialize(CObject* pAnalyzer) override;
    void ReadBack();
    void OnCellChanged(int nCol, int nRow) override;

    void SetPage(CParamPageLink* pPage) { m_pPage = pPage; }
    BOOL IsRowRead(int nRow) const;

    VaskFloat m_duration[kGridComponents];
    VaskFloat m_level[kGridComponents];

protected:
    CVaskInstrument* m_pAnalyzer;
    CParamPageLink* m_pPage;
    int m_nRows;
    BOOL m_bRead[kGridComponents];
};
