// The grid's heading windows: CGridColumnHeading above the cell area and CGridRowHeading at
// its left. Heading cells have negative numbers: the column headings are rows -1 .. -m
// (-1 next to the cells), the row headings columns -1 .. -n. Both paint their cells through
// the cells' types, report clicks to the grid's notifications, and let the user drag the
// edges of columns, rows and heading rows and columns to size them.
#pragma once

#include "gridcell.h"
#include "gridhints.h"

class CGridSettings;
class CGridWnd;

class CGridColumnHeading : public CWnd {
public:
    CGridColumnHeading();
    ~CGridColumnHeading() override;

    CGridWnd* m_pGrid;
    CGridSettings* m_pSettings;

    // Repaints at once when the first scrolling column moved.
    void FollowCells();
    // Invalidates the whole window and updates it at once.
    void Redraw();
    CGridRedrawHints& GetHints() { return m_hints; }
    // The outermost heading row takes the total height less the others (at least 0); the
    // window repaints at once.
    void FitOuterRow();
    // The height of heading row nRow (-1 .. -m), 0 outside the headings.
    int GetHeadingRowHeight(int nRow) const;
    // The heading cell under the point and its rectangle: 0; else -1, -1 and 1.
    int HitTest(CPoint point, int& nCol, int& nRow, CRect* pRect = NULL);
    // A heading cell's rectangle in this window (its merged range's, when merged).
    CRect GetHeadingCellRect(int nCol, int nRow);
    // The merged range of a heading cell: 0 and the range, else 1 (merging off) or 2.
    int GetMergedRange(int& nCol, int& nRow, int& nLastCol, int& nLastRow);
    BOOL IsResizing() const { return m_bResizing; }
    BOOL IsInSizingZone() const { return m_bInSizingZone; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void PaintCells(CDC* pDC);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    // Arms the edge under the point, if any.
    void TestSizingZone(CPoint point);
    // A click on a heading cell: its type first, then the grid.
    void NotifyClick(BOOL bRight, BOOL bDown, CPoint point);
    // A column dragged with the column-moving switch on: the drop place follows the mouse,
    // and the release moves the column there when the grid agrees.
    void DragColumn(CPoint point);
    void EndColumnDrag();

    CGridCell m_scratchCell;
    int m_bResizing;
    int m_bInSizingZone;
    int m_nResizeKind;
    int m_nResizeIndex;
    int m_nStartSize;
    int m_nStartPos;
    int m_nStartTotal;
    CRect m_rcMarker;
    CGridRedrawHints m_hints;
    int m_nMovedCol;
    int m_nDropCol;

    DECLARE_MESSAGE_MAP()
};

class CGridRowHeading : public CWnd {
public:
    CGridRowHeading();
    ~CGridRowHeading() override;

    CGridWnd* m_pGrid;
    CGridSettings* m_pSettings;

    // Follows a move of the top row (all of it) or of the cursor row (the two rows).
    void FollowCells();
    void Redraw();
    CGridRedrawHints& GetHints() { return m_hints; }
    void FitOuterColumn();
    int GetHeadingColWidth(int nCol) const;
    int HitTest(CPoint point, int& nCol, int& nRow, CRect* pRect = NULL);
    CRect GetHeadingCellRect(int nCol, int nRow);
    BOOL IsResizing() const { return m_bResizing; }
    BOOL IsInSizingZone() const { return m_bInSizingZone; }

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void PaintCells(CDC* pDC);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void TestSizingZone(CPoint point);
    void NotifyClick(BOOL bRight, BOOL bDown, CPoint point);

    CGridCell m_scratchCell;
    CGridRedrawHints m_hints;
    int m_nLastPaintedRow;
    int m_bResizing;
    int m_bInSizingZone;
    int m_nResizeKind;
    int m_nResizeIndex;
    int m_nStartSize;
    int m_nStartPos;
    int m_nStartTotal;
    int m_nRowsAbove;
    CRect m_rcMarker;

    DECLARE_MESSAGE_MAP()
};
