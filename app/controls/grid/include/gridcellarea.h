// CGridCellArea: the grid's child window that shows the cells and takes the mouse, key and
// wheel input for them. The grid adds the cells to repaint to its redraw hints; the window
// paints only what the hints name, optionally through a back-buffer bitmap, and moves the
// pixels it already has when the grid scrolls. Input goes first to the cell type of the
// cell concerned, then to the grid's notifications, and then becomes cursor and scroll
// moves of the grid.
#pragma once

#include "gridcell.h"
#include "gridhints.h"

class CGridCellType;
class CGridSettings;
class CGridWnd;

class CGridCellArea : public CWnd {
public:
    CGridCellArea();
    ~CGridCellArea() override;

    CGridWnd* m_pGrid;
    CGridSettings* m_pSettings;

    // Add the cells to the hints and paint what the hints name.
    void RepaintCell(int nCol, int nRow);
    void RepaintRow(int nRow);
    void RepaintColumn(int nCol);
    void RepaintRange(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow);
    // Invalidates the whole window and updates it at once.
    void RepaintAll();
    // Paints what the hints name now, after moving the pixels the window has by the scroll
    // distance since the last move.
    void Refresh();
    // 0 on success; 1 when the bitmap cannot be made (back buffering is then off).
    int SetBackBuffer(int bOn);
    BOOL IsBackBufferOn() const { return m_bBackBuffer; }
    CBitmap* GetBackBitmap() const { return m_pBackBitmap; }
    CGridRedrawHints& GetHints() { return m_hints; }
    BOOL HasFocus() const { return m_bHasFocus; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The tool under the point: the window itself once the mouse rested on one cell for two
    // hit tests, else none.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Paints the cells the hints name on W, through B when back buffering, and clears the
    // hints.
    void DrawCells(CDC* pWnd, CDC* pBack);
    // Moves the cursor while the left button is held at the point, until the mouse moves or
    // the button is released.
    void DragLoop(CPoint point);
    // The cell type of a cell as displayed.
    CGridCellType* TypeAt(int nCol, int nRow);

    CGridRedrawHints m_hints;
    CBitmap* m_pBackBitmap;
    CRect m_rcClient;
    int m_bBackBuffer;
    CGridCell m_workCell;
    int m_nKeyRepeatCount;
    int m_bHasFocus;
    int m_bCellTypeTookMouse;

    DECLARE_MESSAGE_MAP()
};
