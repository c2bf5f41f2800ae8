// A sample window of the grid's normal cell type: a gallery of cells drawn through it, one
// row per feature (borders, 3-D frames, alignments, "..." and word wrap, text run on into
// empty cells, pictures, highlight colours), each row labelled by a heading cell.
#pragma once

#include "grid.h"

class CGridGalleryWnd : public CWnd {
public:
    CGridGalleryWnd();
    ~CGridGalleryWnd() override;

    // A visible top-level window without a frame.
    BOOL Create();
    // The grid whose settings, types and store hold the gallery's cells (it has no window).
    CGridWnd& Grid() { return m_grid; }
    // Cells drawn by the last paint.
    int GetCellsDrawn() const { return m_nCellsDrawn; }
    int GetColumnCount() const { return m_grid.GetColCount(); }
    int GetRowCount() const { return m_grid.GetRowCount(); }

protected:
    void OnPaint();
    // WM_PRINTCLIENT: the same drawing into the given device context (screenshots).
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void Draw(CDC* pDC);
    void Fill();
    void Put(int col, int row, LPCSTR text, int border = 0, int alignment = -1, int style = 0);

    CGridWnd m_grid;
    CBitmap m_tall;
    CBitmap m_button;
    CPen m_penBorder;
    int m_nCellsDrawn;

    DECLARE_MESSAGE_MAP()
};
