// CGridSelection: the grid's multiple selection, an ordered list of rectangular blocks of
// cells, owned by the sheet's settings (or by the grid after a replacement). While multiple
// selection is off the grid leaves it alone.
//
// This selection keeps no blocks: no cell is selected, there is no bounding range, and
// iterating the selection gives the cursor cell; the move operations change nothing.
#pragma once

#include "vaskfc.h"

class CGridRedrawHints;
class CGridWnd;

// Mode flags.
#define GRIDSEL_CELLS     0x01  // blocks of cells
#define GRIDSEL_WHOLEROWS 0x02  // blocks span whole rows
#define GRIDSEL_FIRSTWINS 0x10  // of overlapping blocks the first decides

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

    // What the grid hands a move target to, by where the move came from.
    virtual int OnKeyMove(int nCol, int nRow);
    virtual int OnClickMove(int nCol, int nRow, UINT nKeyFlags);
    virtual int OnRightClickMove(int nCol, int nRow, UINT nKeyFlags);
    virtual int OnDragMove(int nCol, int nRow, UINT nKeyFlags);

protected:
    int m_nMode;
    int m_bIterating;
    int m_nLastClickCol;
    int m_nLastClickRow;
    CGridWnd* m_pGrid;
};
