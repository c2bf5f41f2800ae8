// Cell types with buttons: the push button (the whole cell), the ellipsis button (a "..."
// button at the cell's right end) and the parameter grids' picture button at the cell's left
// end. A program constructs them and registers them with CGridWnd::RegisterCellType; they
// report through CGridWnd::OnCellTypeNotify with their own index:
// - push button: 2 when the left button goes down on the cell, 3 when it goes up on a cell
//   of the type, 1 for a click (up on the pressed cell while still pressed, or Enter on the
//   current cell);
// - ellipsis and parameter button: 100 when the left button goes up while the button is
//   pressed (moving out with the button held releases it, moving back presses it again).
// The answers are not used.
#pragma once

#include "gridcelltype.h"

class CGridPushButtonType : public CGridCellType {
public:
    CGridPushButtonType();
    ~CGridPushButtonType() override;

    int OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) override;
    int OnLButtonDblClk(int nCol, int nRow, CRect* pRect, CPoint* pPoint) override;
    int OnKeyDown(int nCol, int nRow, UINT* pKey) override;
    int OnMouseMove(int nCol, int nRow, CPoint* pPoint, UINT nFlags) override;
    // Raised, sunken while pressed on the current cell; style 0x10 collapses the rectangle
    // handed in to its top-left corner afterwards.
    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;
    int OnLeaveCell(int nCol, int nRow, CGridCell* pCell) override;

    BOOL IsPressed() const { return m_bPressed; }

protected:
    int m_bPressed;
    int m_nPressedCol;
    int m_nPressedRow;
    CRect m_rcButton;
};

// Style 0x200: the button shows on the current cell only.
class CGridEllipsisButtonType : public CGridCellType {
public:
    CGridEllipsisButtonType();
    ~CGridEllipsisButtonType() override;

    int OnSysColorChange() override;
    int OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) override;
    int OnLButtonDblClk(int nCol, int nRow, CRect* pRect, CPoint* pPoint) override;
    int OnMouseMove(int nCol, int nRow, CPoint* pPoint, UINT nFlags) override;
    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;

    BOOL IsPressed() const { return m_bPressed; }

protected:
    // The move with the left button held: presses the button inside its rectangle and
    // releases it outside (each change repaints); 1 inside.
    int TrackButton(CPoint* pPoint, UINT nFlags);
    // A press on the button (its rectangle already recorded): pressed, repainted; 1.
    int PressButton(int nCol, int nRow);
    // A release while pressed reports code 100 and releases the button: 1; else 0.
    int ReleaseButton(int nCol, int nRow);

    int m_nButtonWidth;
    int m_bPressed;
    int m_nPressedRow;
    int m_nPressedCol;
    CRect m_rcButton;
    CPen m_penSeparator;
    CBrush m_brFace;
};

// The parameter grids' type: the cell's first button picture (CGridCell::SetBitmaps) at the
// left end as a button, the second while it is pressed, followed by the text. A read-only
// cell never shows the pressed picture, but its button still reports. A cell without
// pictures is a plain cell. Style 0x200: the button shows on the current cell only.
class CGridParamCellType : public CGridEllipsisButtonType {
public:
    CGridParamCellType();
    ~CGridParamCellType() override;

    // The editor starts right of the edited cell's button.
    int AdjustEditRect(CRect* pRect) override;
    int OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) override;
    int OnLButtonDblClk(int nCol, int nRow, CRect* pRect, CPoint* pPoint) override;
    int OnMouseMove(int nCol, int nRow, CPoint* pPoint, UINT nFlags) override;
    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;
    // The text's size with the cell's button before it.
    int GetBestSize(CDC* pDC, CSize* pSize, CGridCell* pCell) override;

    // The button's rectangle in the cell rectangle: as wide as the picture + 4 (the pressed
    // picture while pressed); left as it was without a picture.
    void CalcButtonRect(const CRect& rcCell, const CGridCell* pCell);
    CRect GetButtonRect() const { return m_rcButton; }
};
