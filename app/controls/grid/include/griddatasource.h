// CGridDataSource: the store behind a grid sheet. The grid keeps no cell contents: it asks
// its data source for every cell record, for structural changes, searching and sorting, and
// tells it of cursor moves and edits (with a veto before the grid's own notifications).
// The base answers every operation with a neutral default (-1: not supported), so a source
// overrides only what it supports. The operations stand in a fixed order, reserved ones
// included, so that every data source has the same virtual operations in the same order.
//
// Column numbers passed to the cell, column, search and sort operations are data-source
// columns (the grid column's mapping); heading cells keep their negative numbers.
//
// CGridMemDataSource: the grid's own store of cells in memory, one per sheet unless the
// program registers another source. Rows and cells are linked lists that exist up to the
// highest index ever written, below 0 too (heading cells have negative numbers); a position
// may exist without a cell. A cursor makes sequential access cheap.
#pragma once

#include "vaskfc.h"

class CGridCell;
class CGridWnd;

// Search flags of FindFirst and FindNext.
#define GRIDFIND_PART      0x01  // the text may be any part of the cell's text
#define GRIDFIND_NOCASE    0x02  // case is ignored
#define GRIDFIND_BACKWARDS 0x04
#define GRIDFIND_BYROWS    0x08  // row by row through all columns, else along one column
// Sort flag: descending order.
#define GRIDSORT_DESCENDING 0x02

class CGridDataSource {
public:
    CGridDataSource();
    virtual ~CGridDataSource();
    CGridDataSource(const CGridDataSource&) = delete;
    CGridDataSource& operator=(const CGridDataSource&) = delete;

    virtual int Reserved1(int, int) { return -1; }
    virtual int Reserved2(int, int) { return -1; }
    virtual int Reserved3() { return -1; }
    virtual int Reserved4() { return -1; }
    virtual int Reserved5(int, int) { return -1; }
    // Size reported to SizeFromDataSource; -1 when the source keeps none.
    virtual int GetRowCount() { return -1; }
    virtual int GetColCount() { return -1; }
    virtual int Reserved8(int, int) { return -1; }
    virtual int Reserved9(int, int) { return -1; }
    virtual int Reserved10(int, int) { return -1; }
    virtual int Reserved11(int, int) { return -1; }
    // Structure: 0 lets the grid change its counts; anything else is passed back.
    virtual int AppendRow() { return -1; }
    virtual int InsertRow(int nRow) { return -1; }
    virtual int AppendCol() { return -1; }
    virtual int InsertCol(int nCol) { return -1; }
    virtual int DeleteRow(int nRow) { return -1; }
    virtual int DeleteCol(int nCol) { return -1; }
    virtual int ClearCell(int nCol, int nRow) { return -1; }
    virtual int DeleteAll() { return -1; }
    // Adds the stored properties to the given record; 0 when a cell was found.
    virtual int GetCell(int nCol, int nRow, CGridCell* pCell) { return -1; }
    virtual int SetCell(int nCol, int nRow, const CGridCell* pCell) { return -1; }
    // 0 when found, the position in the references.
    virtual int FindFirst(LPCSTR lpszText, int& nCol, int& nRow, UINT nFlags) { return -1; }
    virtual int FindNext(LPCSTR lpszText, int& nCol, int& nRow, UINT nFlags) { return -1; }
    virtual int SortRows(const int* pCols, int nCount, UINT nFlags) { return -1; }
    virtual int SortByColumn(int nCol, UINT nFlags) { return -1; }
    virtual int Reserved26(int, int, int) { return -1; }
    virtual int Reserved27(int, int, int) { return -1; }
    virtual int Reserved28(int, int, int) { return -1; }
    // A move asks for a row at or beyond the row count; the value set goes on to the
    // grid's OnRowsAppended.
    virtual int OnRowsRequested(int nRowCount, int nRowsPast, int* pValue) { return -1; }
    virtual void OnRowChanged(int nOldRow, int nNewRow) {}
    virtual void OnColChanged(int nOldCol, int nNewCol) {}
    // Anything but 1 refuses the move.
    virtual int CanMove(int nOldCol, int nOldRow, int nNewCol, int nNewRow) { return 1; }
    virtual int Reserved33() { return -1; }
    virtual int Reserved34() { return -1; }
    virtual int Reserved35() { return -1; }
    // Edit queries, asked before the grid's own: start and character agree with any
    // non-zero answer, finish and continue only with exactly 1.
    virtual int OnEditStart(int nCol, int nRow, CWnd** ppEditor) { return 1; }
    virtual int OnEditChar(int nCol, int nRow, CWnd* pEditor, UINT* pChar) { return 1; }
    virtual int OnEditFinish(int nCol, int nRow, CWnd* pEditor, LPCSTR lpszText, BOOL bCancelled) {
        return 1;
    }
    virtual int OnEditContinue(int nCol, int nRow, int* pNextCol, int* pNextRow) { return 1; }
    // The nearest non-empty cell left of the column (the column itself skipped): 0 and
    // its column in the reference.
    virtual int FindPrevFilled(int* pCol, int nRow) { return -1; }

    CGridWnd* GetGrid() const { return m_pGrid; }
    void SetGrid(CGridWnd* pGrid) { m_pGrid = pGrid; }
    int GetId() const { return m_nId; }
    void SetId(int nId) { m_nId = nId; }

protected:
    CGridWnd* m_pGrid;
    int m_nId;
};

class CGridMemDataSource : public CGridDataSource {
public:
    CGridMemDataSource();
    ~CGridMemDataSource() override;

    int AppendRow() override { return 0; }
    int InsertRow(int nRow) override;
    int AppendCol() override { return 0; }
    int InsertCol(int nCol) override;
    int DeleteRow(int nRow) override;
    int DeleteCol(int nCol) override;
    int ClearCell(int nCol, int nRow) override;
    int DeleteAll() override;
    int GetCell(int nCol, int nRow, CGridCell* pCell) override;
    int SetCell(int nCol, int nRow, const CGridCell* pCell) override;
    int FindFirst(LPCSTR lpszText, int& nCol, int& nRow, UINT nFlags) override;
    int FindNext(LPCSTR lpszText, int& nCol, int& nRow, UINT nFlags) override;
    int SortRows(const int* pCols, int nCount, UINT nFlags) override;
    int SortByColumn(int nCol, UINT nFlags) override;
    int FindPrevFilled(int* pCol, int nRow) override;
    virtual int ReservedMem1(int, int, int) { return -1; }

    // The stored rows run from GetFirstRow to GetFirstRow + GetStoredRowCount - 1.
    int GetFirstRow() const { return m_nFirstRow; }
    int GetStoredRowCount() const { return m_nRows; }
    // Whether the position exists (with or without a cell).
    BOOL HasPosition(int nCol, int nRow);

private:
    struct CellNode {
        CGridCell* pCell;
        CellNode* pNext;
        CellNode* pPrev;
    };
    struct RowNode {
        CellNode* pFirst;
        int nFirstCol;  // column of pFirst
        RowNode* pNext;
        RowNode* pPrev;
    };

    // Moves the cursor to the row; FALSE when the row is not held (the cursor then rests
    // on the last row reached). With bCreate missing rows are made on the way.
    BOOL GotoRow(int nRow, BOOL bCreate);
    // Moves the cell cursor of the current row to the column; likewise.
    BOOL GotoCol(int nCol, BOOL bCreate);
    RowNode* NewRow();
    // The row's node at the column, or NULL when the row does not reach it (not moving the
    // cursor).
    static CellNode* NodeAt(RowNode* pRow, int nCol);
    static void FreeCells(RowNode* pRow);
    // Remaps the grid columns that show data-source columns at or after nFrom by nDelta.
    void ShiftGridColumns(int nFrom, int nDelta);
    // Whether a stored cell's text matches, by the search flags.
    static BOOL Matches(const CGridCell* pCell, LPCSTR lpszText, LPCSTR lpszUpper, UINT nFlags);

    RowNode* m_pFirstRow;
    RowNode* m_pLastRow;
    int m_nFirstRow;
    int m_nRows;
    int m_nCurRow;
    RowNode* m_pCurRow;
    int m_nCurCol;
    CellNode* m_pCurCell;
    int m_nFindCol;
    int m_nFindRow;
};
