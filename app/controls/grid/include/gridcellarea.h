// CGridCellArea: the grid's child window that shows the cells. The grid adds the cells to
// repaint to its redraw hints; the window paints what the hints name.
//
// This window holds what the grid sets (grid, settings, hints, back-buffer switch) and
// paints its client area in the grid's cell-area colour; cells, input and tooltips are not
// drawn or handled by it.
#pragma once

#include "gridcell.h"
#include "gridhints.h"

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
    // Paints what the hints name now.
    void Refresh();
    // 0 on success; 1 when the bitmap cannot be made (back buffering is then off).
    int SetBackBuffer(int bOn);
    BOOL IsBackBufferOn() const { return m_bBackBuffer; }
    CBitmap* GetBackBitmap() const { return m_pBackBitmap; }
    CGridRedrawHints& GetHints() { return m_hints; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    // Fills the client area with the grid's cell-area colour and clears the hints.
    void PaintBackground(CDC* pDC);

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
