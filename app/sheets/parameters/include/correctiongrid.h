// CCorrectionGrid: the pressure correction of the analyzer in one row: the compensation
// kind (the model's list), the range of an external pressure on analog input 2 (start, end,
// current range) and the bus channel the pressure can come over instead. Which cells can be
// edited follows the chosen kind and changes at once when the user picks another one. When
// the correction could not be read the row shows empty read-only cells and IsRead tells the
// page to leave it alone.
#pragma once

#include "pagegrids.h"

class CCorrectionGrid : public CParamGrid {
public:
    CCorrectionGrid();

    void Initialize(CObject* pAnalyzer) override;
    // The row's cells into the records; a kind or current range whose text is no choice
    // keeps the value read.
    void ReadBack();
    // Re-reads the cells and sets which cells are editable.
    void UpdateCellStates();
    // The page's OnParamModified, then UpdateCellStates.
    void OnCellChanged(int nCol, int nRow) override;

    // The record into the offline entries of the pressure-correction group: the kind, the
    // analog input, the range start and end, the bus channel.
    void WriteOffline();

    void SetPage(CParamPageLink* pPage) { m_pPage = pPage; }
    BOOL IsRead() const { return m_bRead; }

    VaskFloat m_rangeStart[kGridComponents];  // element 0 used
    VaskFloat m_rangeEnd[kGridComponents];    // element 0 used
    CorrectionStruct1 m_pressureCorrection;
    int m_busChannel;

protected:
    CVaskInstrument* m_pAnalyzer;
    CParamPageLink* m_pPage;
    BOOL m_bRead;
};
