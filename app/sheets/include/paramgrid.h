// CParamGrid: the grid on which the program's parameter grids are built. It gives a grid its
// fixed look (fonts, heading format, colours) and typed column and cell setters, and it lets
// a derived grid learn of the user's changes and button presses through two hooks.
//
// This is its first form: the look, the column setters, the integer cells and the hooks.
// In-place editing and the parameter cell type with its button come with the parameter
// pages. A check-box column holds "0" and "1" in cells of the grid's check-box type.
//
// Conventions: columns and rows count from 0; column -1 is the row-heading column and row -1
// the column-heading row. A check-box cell is checked when its number is not 0.
#pragma once

#include "gridwnd.h"

class CParamGrid : public CGridWnd {
public:
    CParamGrid();
    ~CParamGrid() override;

    // Text overflow off, back-buffer painting on, an edit left for a window outside the grid
    // ends normally, the two fonts, column headings 20 pixels high, the normal font as the
    // grid's font.
    void OnGridSetup() override;
    // The cell area (section 1) in the menu colour, every other section in the face colour.
    COLORREF OnGetDefaultColor(int nSection) override;

    // --- what a derived grid overrides, after the grid's notifications ------------------
    // Stores the object whose values the grid shows (not owned); a derived grid builds and
    // fills its cells and calls this first.
    virtual void Initialize(CObject* pDataObject);
    // The user changed a cell; nothing here.
    virtual void OnCellChanged(int nCol, int nRow);
    // The user pressed a cell's button; nothing here.
    virtual void OnCellButton(int nCol, int nRow);

    CObject* GetDataObject() const { return m_pDataObject; }

    // --- columns: every row 0 .. GetRowCount() - 1 of the column ----------------------------
    void SetColCellType(int nCol, int nCellType);
    void SetColCellTypeStyle(int nCol, int nStyle);
    void SetColBackColor(int nCol, COLORREF cr);
    void SetColReadOnly(int nCol, BOOL bReadOnly);
    void SetColCell(int nCol, const CGridCell& cell);
    // The check-box type (index 2), style 0x1100, centred both ways.
    void SetColCheckBox(int nCol);
    void SetColsCheckBox(int nFirstCol, int nLastCol);
    // Read-only flag and background colour of every cell of the inclusive rectangle, each
    // cell repainted as it is stored.
    void SetRangeReadOnlyColor(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow,
                               BOOL bReadOnly, COLORREF cr);

    // --- cells ---------------------------------------------------------------------------
    // The cell's number truncated towards zero (0 for a cell without text).
    int GetCellInt(int nCol, int nRow);
    // Stores the number as the cell's text; nothing when the cell cannot be fetched. 0.
    int SetCellInt(int nCol, int nRow, int nValue);
    // Every cell of the column-heading row, corner included: heading style 2, the bold font,
    // centred.
    void FormatHeadings();

    int GetNormalFont() const { return m_nNormalFont; }
    int GetBoldFont() const { return m_nBoldFont; }

protected:
    // Fetches the stored record of every row of the column, lets `change` alter it and
    // stores it back.
    template <class Change>
    void ChangeColumn(int nCol, Change change);

    CObject* m_pDataObject;
    int m_nNormalFont;
    int m_nBoldFont;
};
