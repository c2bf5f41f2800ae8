// CGridSelection: the grid's multiple selection, an ordered list of rectangular blocks of
// cells, owned by the sheet's settings (or by the grid after a replacement). While multiple
// selection is off the grid leaves it alone.
#pragma once

#include "vaskfc.h"

class CGridRedrawHints;
class CGridWnd;

// Mode flags.
#define GRIDSEL_CELLS     0x01  // blocks of cells
#define GRIDSEL_WHOLEROWS 0x02  // blocks span whole rows
#define GRIDSEL_FIRSTWINS 0x10  // of overlapping blocks the first decides

// One block: where it began, its moving end and the rectangle the two span.
struct CGridSelBlock {
    int nAnchorCol;
    int nEndCol;
    int nAnchorRow;
    int nEndRow;
    int nLeft, nRight;
    int nTop, nBottom;
    int nSelected;
    CGridSelBlock* pNext;
};

class CGridSelection : public CObject {
public:
    CGridSelection();
    ~CGridSelection() override;

    CGridWnd* GetGrid() const { return m_pGrid; }
    void SetGrid(CGridWnd* pGrid) { m_pGrid = pGrid; }

    // A new block at (col, row), both corners there; 0.
    virtual int BeginBlock(int nCol, int nRow);
    // Moves the newest block's moving end; 0, or 1 when no block is open.
    virtual int ExtendBlock(int nCol, int nRow);
    // Empties the selection; 0.
    virtual int Clear();
    // The anchor of the newest block; 1 when no block is open.
    virtual int GetAnchor(int* pCol, int* pRow) const;
    // The newest block's rectangle; 1 when no block is open.
    virtual int GetCurrentBlock(int* pLeft, int* pTop, int* pRight, int* pBottom) const;
    // The selected value of the deciding block that holds the cell, 0 when none; its
    // position in the list goes to *pIndex.
    virtual int IsSelected(int nCol, int nRow, int* pIndex = NULL) const;
    // The union of all blocks; 2 when there are none.
    virtual int GetBoundingRange(int* pLeft, int* pTop, int* pRight, int* pBottom) const;
    // Adds the bounding range to the hints (nothing when empty).
    virtual void RepaintSelection(CGridRedrawHints* pHints) const;
    // The selected cells row by row: 0 while a cell is returned. An empty selection gives
    // the grid's cursor cell once.
    virtual int GetFirstSelected(int* pCol, int* pRow);
    virtual int GetNextSelected(int* pCol, int* pRow);
    // Clears, then sets the mode flags.
    virtual int SetMode(int nFlags);
    int GetMode() const { return m_nMode; }
    // The number of blocks.
    int GetBlockCount() const;

    // What the grid hands a move target to, by where the move came from.
    virtual int OnKeyMove(int nCol, int nRow);
    virtual int OnClickMove(int nCol, int nRow, UINT nKeyFlags);
    virtual int OnRightClickMove(int nCol, int nRow, UINT nKeyFlags);
    virtual int OnDragMove(int nCol, int nRow, UINT nKeyFlags);

protected:
    // The block's rectangle from its corners; whole rows end at the last column.
    void SpanBlock(CGridSelBlock* pBlock) const;
    // The old selection into the cell area's hints, then no selection.
    void RepaintAndClear();
    // The cell area's hints, NULL without a grid.
    CGridRedrawHints* Hints() const;

    CGridSelBlock* m_pHead;
    int m_nAnchorCol;
    int m_nAnchorRow;
    int m_bBlockOpen;
    CGridSelBlock* m_pOpen;
    int m_nMode;
    int m_nCounter;
    int m_bPending;
    int m_nIterLeft, m_nIterTop, m_nIterRight, m_nIterBottom;
    int m_nIterCol, m_nIterRow;
    int m_bIterating;
    CGridWnd* m_pGrid;
    int m_nLastClickCol;
    int m_nLastClickRow;
    int m_nAnchorCol2;
    int m_nAnchorRow2;
};
