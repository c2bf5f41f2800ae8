// CGridRedrawHints: which cells a grid window must paint next. The grid's repaint operations
// add ranges; the window paints what the hints cover and clears them.
#pragma once

#include "vaskfc.h"

class CGridRedrawHints {
public:
    CGridRedrawHints();
    ~CGridRedrawHints();
    CGridRedrawHints(const CGridRedrawHints&) = delete;
    CGridRedrawHints& operator=(const CGridRedrawHints&) = delete;

    // Appends a range (inclusive); the bounds grow to cover it.
    void AddRange(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow);
    void AddCell(int nCol, int nRow) { AddRange(nCol, nRow, nCol, nRow); }
    // Widens the first range to include this one, so that the list keeps one growing
    // rectangle (the first range when the list is empty).
    void UniteRange(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow);
    void UniteCell(int nCol, int nRow) { UniteRange(nCol, nRow, nCol, nRow); }
    // Whether any range holds the cell (the bounds only rule out cells quickly).
    BOOL IsInRange(int nCol, int nRow) const;
    // The separate list of single cells.
    void AddListedCell(int nCol, int nRow);
    BOOL IsListedCell(int nCol, int nRow) const;
    // The union of the ranges and TRUE; four zeros and FALSE without a range.
    BOOL GetBounds(int& nFirstCol, int& nFirstRow, int& nLastCol, int& nLastRow) const;
    // Frees both lists; the bounds keep their values until the next range.
    void Clear();

private:
    struct RangeNode {
        int nFirstCol, nFirstRow, nLastCol, nLastRow;
        RangeNode* pNext;
    };
    struct CellNode {
        int nCol, nRow;
        CellNode* pNext;
    };

    RangeNode* m_pRanges;
    RangeNode* m_pLastRange;
    CellNode* m_pCells;
    CellNode* m_pLastCell;
    int m_nBoundLeft, m_nBoundRight, m_nBoundTop, m_nBoundBottom;
};
