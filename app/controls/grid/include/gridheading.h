// The grid's heading windows: CGridColumnHeading above the cell area and CGridRowHeading at
// its left. Heading cells have negative numbers: the column headings are rows -1 .. -m
// (-1 next to the cells), the row headings columns -1 .. -n.
//
// These windows hold what the grid sets and what their drags will keep, follow scrolling
// by repainting, and paint their client area in the heading background; heading cells,
// sizing and clicks are not drawn or handled by them.
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

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);

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

    // Repaints at once when the top row or the cursor row moved.
    void FollowCells();
    void Redraw();
    CGridRedrawHints& GetHints() { return m_hints; }

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);

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
