// CParamGrid: the grid on which the program's parameter grids are built. It gives a grid its
// fixed look (fonts, heading format, colours), typed column and cell setters, in-place
// editing (the masked edit in column 0 and for cells with an edit mask, never on a drop
// list), and it lets a derived grid learn of the user's changes and button presses through
// two hooks, OnCellChanged and OnCellButton.
//
// Conventions: columns and rows count from 0; column -1 is the row-heading column and rows
// -1 .. -n the column-heading rows. Cell type 0 is the normal cell, 1 the drop list, 2 the
// check box; the parameter cell type (a picture button at the cell's left) has the index
// GetParamCellTypeIndex. A number is the cell's text; a check-box cell is checked when its
// number is not 0. A drop list keeps its choices in the cell's caption, each ended by "\n".
//
// The setters change the stored record of a cell (an empty one when none is stored) and
// store it back, so the column's defaults are not frozen into the cells; what the grid reads
// of a cell (edit start, notifications, drop-list index, numbers) is the cell as displayed.
#pragma once

#include "gridbuttontypes.h"
#include "gridmaskededit.h"
#include "gridwnd.h"

class CParamGrid : public CGridWnd {
public:
    CParamGrid();
    ~CParamGrid() override;

    // Text overflow off, back-buffer painting on, an edit left for a window outside the grid
    // ends normally, the parameter cell type, the two fonts (the font of the window the grid
    // sits on, normal and bold; MS Sans Serif of 8 points without one), the masked edit,
    // column headings 20 pixels high, the normal font as the grid's font.
    void OnGridSetup() override;
    // A double click edits the current cell.
    void OnCellDblClick(int nCol, int nRow, CRect* pRect, CPoint* pPoint, BOOL bProcessed) override;
    // Delete empties the current cell back to its column's defaults and repaints the grid;
    // a read-only cell, or one that is not a plain text cell (drop list, check box, button),
    // keeps its record.
    void OnGridKeyDown(UINT* pKey, BOOL bProcessed) override;
    // A character not yet processed opens the editor with it as the first key.
    void OnGridChar(UINT* pChar, BOOL bProcessed) override;
    // 53 check box toggled: OnCellChanged. 100 the parameter cell type's button: refused on a read-only cell, else
    // OnCellButton. 101 drop-list choice: refused on a read-only cell, else OnCellChanged.
    // 102 choice stored: OnCellChanged. 1 unless refused.
    BOOL OnCellTypeNotify(int nCellType, int nCol, int nRow, int nCode, LPARAM nData) override;
    // Refused for a cell outside the grid and for a drop list; column 0 and cells with an
    // edit mask edit with the masked edit, the others with the grid's in-place editor.
    BOOL OnEditStart(int nCol, int nRow, CWnd** ppEditor) override;
    // OnCellChanged when the typed text differs from the cell's, also for a cancelled edit;
    // always accepted.
    BOOL OnEditFinish(int nCol, int nRow, CWnd* pEditor, LPCSTR lpszText, BOOL bCancelled) override;
    BOOL OnEditContinue(int nCol, int nRow, int* pNextCol, int* pNextRow) override;
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
    // The drop list (index 1), centred both ways, the choices of string `nStringId` (each
    // ended by "\n") as every cell's caption.
    void SetColDropList(int nCol, UINT nStringId);
    // The parameter cell type with the two button pictures (bitmap resource ids).
    void SetColButton(int nCol, UINT nBitmapUp, UINT nBitmapDown);
    // Read-only flag and background colour of every cell of the inclusive rectangle, each
    // cell repainted as it is stored.
    void SetRangeReadOnlyColor(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow,
                               BOOL bReadOnly, COLORREF cr);

    // --- cells ---------------------------------------------------------------------------
    // The cell's text becomes choice `nIndex` (from 0) of its list; unchanged when the list
    // has no such choice ended by "\n".
    void SetDropListIndex(int nCol, int nRow, int nIndex);
    // The index of the cell's text among the choices ended by "\n" (exact); -1 when none.
    int GetDropListIndex(int nCol, int nRow);
    // The cell's two button pictures; 0 clears one.
    void SetCellButtonBitmaps(int nCol, int nRow, UINT nBitmapUp, UINT nBitmapDown);
    // The cell's number truncated towards zero (0 for a cell without text).
    int GetCellInt(int nCol, int nRow);
    // Stores the number as the cell's text; nothing for a cell outside the grid. 0.
    int SetCellInt(int nCol, int nRow, int nValue);
    // Every cell of the column-heading rows, corner included: heading style 2, the bold font,
    // centred.
    void FormatHeadings();

    int GetNormalFont() const { return m_nNormalFont; }
    int GetBoldFont() const { return m_nBoldFont; }
    int GetParamCellTypeIndex() const { return m_nParamCellType; }
    CGridMaskedEdit& GetMaskedEdit() { return m_maskedEdit; }

protected:
    // Fetches the stored record of every row of the column, lets `change` alter it and
    // stores it back.
    template <class Change>
    void ChangeColumn(int nCol, Change change);
    // Whether the cell lies in the grid, heading cells included.
    BOOL IsGridCell(int nCol, int nRow) const;
    // Whether the cell as displayed is read-only.
    BOOL IsCellReadOnly(int nCol, int nRow);

    CObject* m_pDataObject;
    CGridMaskedEdit m_maskedEdit;
    CGridParamCellType m_paramCellType;
    int m_nParamCellType;
    int m_nNormalFont;
    int m_nBoldFont;
};
