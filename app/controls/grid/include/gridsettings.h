// CGridSettings: everything that belongs to one sheet of a grid: sizes, counts, scroll and
// cursor position, column records, default cells, switches, cursors, the sheet's own memory
// data source and its selection. The grid keeps one per sheet and points all its child
// windows at the current one, so switching sheets is a pointer change. Colours are read
// from the system when used, except the heading background, which the grid renews on every
// system colour change.
#pragma once

#include "gridcell.h"

#include <vector>

class CGridDataSource;
class CGridMemDataSource;
class CGridObjectTable;
class CGridSelection;

// One column of a sheet.
struct CGridColumn {
    int nWidth;
    CGridDataSource* pDataSource;  // the sheet's source unless the column has its own
    CGridCell* pDefaultCell;       // owned by the settings
    int nDataSourceCol;            // the column number passed to the data source
};

class CGridSettings : public CObject {
public:
    CGridSettings();
    ~CGridSettings() override;

    // --- columns ------------------------------------------------------------------------
    int m_nColCount;
    int m_nCursorCol;
    int m_nPrevCursorCol;
    int m_nLeftCol;  // first scrolling column
    int m_nPrevLeftCol;
    int m_nMaxLeftCol;
    int m_nDefColWidth;
    int m_nLastVisibleCol;  // written by the cell area's painting
    int m_nTargetCol;       // where the last move went
    std::vector<CGridColumn> m_columns;

    // --- rows ---------------------------------------------------------------------------
    int m_nRowCount;
    int m_nCursorRow;
    int m_nPrevCursorRow;
    int m_nTopRow;
    int m_nPrevTopRow;
    int m_nMaxTopRow;
    std::vector<int> m_rowHeights;  // one per row while heights are not uniform
    int m_nDefRowHeight;
    int m_bUniformRowHeight;
    int m_nLastVisibleRow;
    int m_nTargetRow;

    // --- headings: index 0 is the heading row (column) next to the cells ----------------
    int m_nColHeadingRows;
    std::vector<int> m_colHeadingHeights;
    int m_nRowHeadingCols;
    std::vector<int> m_rowHeadingWidths;
    CGridCell* m_pGridDefaultCell;     // template of new columns' default cells
    CGridCell* m_pHeadingDefaultCell;  // start of heading, corner and out-of-range cells
    CGridCell m_scratchCell;
    int m_nColHeadingHeight;  // totals used by the layout
    int m_nRowHeadingWidth;

    // --- layout -------------------------------------------------------------------------
    int m_nVScrollWidth;
    int m_nHScrollHeight;
    int m_nTabStripWidth;  // 0: no tab strip
    int m_nCellAreaWidth;
    int m_nCellAreaHeight;
    RECT m_rcCellArea;
    RECT m_rcColHeadings;
    RECT m_rcRowHeadings;
    RECT m_rcCorner;
    RECT m_rcTabStrip;
    RECT m_rcVScroll;
    RECT m_rcHScroll;

    // --- switches and options -----------------------------------------------------------
    int m_bWholeRowSelection;
    int m_bMultiSelect;
    int m_nCursorCellStyle;  // value 2: the cursor cell is drawn in its highlight colours
    int m_n3DBorderWidth;
    int m_bPopupMenu;
    int m_bCellTips;
    int m_bVScrollTips;
    int m_bHScrollTips;
    int m_nSizingMode;  // 0 none, 1 live heading with a marker line, else whole grid live
    int m_bDblClickBestFit;
    int m_bMergedCells;
    int m_bColumnMoving;
    int m_bTextOverflow;
    int m_bGridLines;
    int m_nVScrollMode;
    int m_nHScrollMode;
    int m_nDragScrollStep;
    int m_nDragScrollInterval;
    int m_nKeyAcceleration;
    int m_nKeyRepeatDelay;
    int m_bBackBuffer;
    int m_nLockedCols;
    int m_nLockedRows;
    int m_nLockedColsWidth;
    int m_nLockedRowsHeight;
    CFont* m_pDefaultFont;

    // --- data, selection, cursors, editor ------------------------------------------------
    int m_nDataSourceIndex;
    CGridDataSource* m_pDataSource;
    CGridMemDataSource* m_pMemDataSource;  // owned
    int m_nSelectionMode;
    int m_nSelectionParam;         // where the last move came from (keyboard, mouse, bar)
    UINT m_nSelectionKeys;         // the key flags (MK_SHIFT, MK_CONTROL) of that mouse message
    CGridSelection* m_pSelection;  // owned
    HCURSOR m_hArrowCursor;
    HCURSOR m_hColSizeCursor;
    HCURSOR m_hRowSizeCursor;
    CWnd* m_pDefaultEditor;
    int m_nTextMargin;
    CGridObjectTable* m_pSpareTable;  // owned, not filled
    CPen* m_pGridLinePen;             // owned
    int m_nFloatingWindowMode;
    int m_bCancelEditOnFocusLoss;

    // --- setters with their checks: 0 done, 1 refused -----------------------------------
    // The cursor setters take a non-null handle.
    int SetArrowCursor(HCURSOR hCursor);
    int SetColumnSizeCursor(HCURSOR hCursor);
    int SetRowSizeCursor(HCURSOR hCursor);
    int SetCursorCellStyle(int nStyle);  // 0..3
    int Set3DBorderWidth(int nWidth);    // 1..16

    // Sizes of rows and columns as the walks read them: a row outside 0..count - 1 has
    // height 0, a column outside 0..count - 1 width 1; heading rows and columns (negative
    // numbers) their heading size, 0 outside the headings.
    int GetRowHeight(int nRow) const;
    int GetColWidth(int nCol) const;
    int GetHeadingRowHeight(int nRow) const;  // nRow -1 .. -heading rows
    int GetHeadingColWidth(int nCol) const;   // nCol -1 .. -heading columns
    // Sums the locked columns' widths and rows' heights again.
    void SumLockedSizes();
};
