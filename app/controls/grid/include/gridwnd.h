// CGridWnd: the program's spreadsheet-like grid control. It owns its child windows (cell
// area, column and row headings, corner, two scroll bars, sheet tab strip, hint pop-up,
// in-place editor), one settings object per sheet, the tables of cell types, fonts and
// pictures, the registry of data sources and the four standard cell types.
//
// A program grid derives from CGridWnd and overrides the notification members below (they
// follow the window-class virtuals in a fixed order; a derived grid declares its own
// virtuals behind the last of them). Every notification has a default: most do nothing or
// answer 1 (go on); a query answering 0 refuses.
//
// Addresses: cells are (column, row), 0-based, the column first. Heading cells have
// negative numbers: the column headings are rows -1 .. -N, the row headings columns
// -1 .. -M, -1 next to the cells; corner cells have both negative. Section codes: 1 cell
// area, 2 column headings and corner, 3 row headings.
//
// Results: 0 done, 1 argument out of range or nothing to do, 2 refused by a notification or
// the data source, 3 a system call failed; registrations return an index or -1. Switch
// setters store 1 for any non-zero argument. The grid runs on the thread that made it.
#pragma once

#include "gridcell.h"
#include "gridcelltype.h"
#include "griddatasource.h"
#include "gridinplaceedit.h"
#include "gridobjtable.h"
#include "gridsettings.h"

class CFindReplaceDialog;
class CGridCellArea;
class CGridColumnHeading;
class CGridCornerWnd;
class CGridHintWnd;
class CGridHScrollBar;
class CGridPrint;
class CGridRowHeading;
class CGridSelection;
class CGridSheetTabs;
class CGridVScrollBar;

// Sections of the grid.
#define GRIDSECTION_CELLS       1
#define GRIDSECTION_COLHEADINGS 2
#define GRIDSECTION_ROWHEADINGS 3
#define GRIDSECTION_CORNER      4
#define GRIDSECTION_HSCROLL     5
#define GRIDSECTION_VSCROLL     6
#define GRIDSECTION_SHEETTABS   7

// Where a move came from (the settings' selection parameter).
#define GRIDINPUT_KEYBOARD   0
#define GRIDINPUT_LEFTCLICK  1
#define GRIDINPUT_RIGHTCLICK 2
#define GRIDINPUT_DRAG       3
#define GRIDINPUT_SCROLLBAR  4

// The most sheets a grid has.
#define GRID_MAX_SHEETS 1024

// Whether a bitmap file's bytes hold a well-formed Windows bitmap: 0, with the number of
// colour-table entries and the offset of the pixel bits; 1 when anything is out of place.
int GridCheckBitmapFile(const BYTE* p, size_t nLength, size_t* pColours, size_t* pBits);
// Where a floating window goes so that it leaves the cell free (screen coordinates; mode 1
// puts it beside the cell first). TRUE when it moves.
BOOL GridPlaceOffCell(const CRect& rcOld, const CRect& rcCell, int nScreenW, int nScreenH,
                      int nMode, CRect& rcNew);

class CGridWnd : public CWnd {
public:
    CGridWnd();
    ~CGridWnd() override;

    // --- creation: the grid's identifier is also its child windows' --------------------
    using CWnd::Create;
    // Creates the grid window; its child windows come with it. Then OnGridSetup and
    // OnSheetSetup (0).
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Takes over a control of a dialog (a static, a group box), adds WS_CLIPCHILDREN,
    // WS_BORDER and WS_TABSTOP to it, creates the child windows, then OnGridSetup and
    // OnSheetSetup (0).
    BOOL AttachToDlgItem(CWnd* pDlg, UINT nID);
    // Identifier 0 is taken as 1. 0, or 3 when a window could not be made.
    int CreateChildWindows(UINT nID);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Commands of 1000 and above from a menu reach OnMenuCommand first.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // --- notifications, in their fixed order --------------------------------------------
    virtual void OnGridSetFocus(int nSection);
    virtual void OnGridSetup();
    virtual void OnSheetSetup(int nSheet);
    virtual BOOL OnCursorMoving(int nOldCol, int nOldRow, int nNewCol, int nNewRow);
    virtual BOOL OnScrollPosChanging(int nOldLeftCol, int nOldTopRow, int nNewLeftCol,
                                     int nNewTopRow);
    virtual void OnRowsAppended(int nFirstNewRow, int nCount, int nSourceValue);
    virtual void OnGridReserved1(int, int);
    virtual BOOL CanResizeColumn(int nCol);
    virtual void OnColumnWidthChanging(int nCol, int* pWidth);
    virtual void OnColumnWidthChanged(int nCol, int* pWidth);
    virtual BOOL CanResizeRow(int nRow);
    virtual void OnRowHeightChanging(int nRow, int* pHeight);
    virtual void OnRowHeightChanged(int nRow, int* pHeight);
    virtual BOOL CanResizeColumnHeading();
    virtual BOOL CanResizeRowHeading();
    virtual BOOL OnColumnHeadingHeightChanging(int* pHeight);
    virtual BOOL OnRowHeadingWidthChanging(int* pWidth);
    virtual BOOL OnColumnHeadingHeightChanged(int* pHeight);
    virtual BOOL OnRowHeadingWidthChanged(int* pWidth);
    virtual void OnCursorColChanged(int nOldCol, int nNewCol);
    virtual void OnCursorRowChanged(int nOldRow, int nNewRow);
    virtual void OnCursorCellChanged(int nOldCol, int nNewCol, int nOldRow, int nNewRow);
    virtual void OnLeftColChanged(int nOldLeftCol, int nNewLeftCol);
    virtual void OnTopRowChanged(int nOldTopRow, int nNewTopRow);
    virtual void OnCellLeftClick(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint,
                                 BOOL bProcessed);
    virtual void OnCellRightClick(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint,
                                  BOOL bProcessed);
    virtual void OnCellDblClick(int nCol, int nRow, CRect* pRect, CPoint* pPoint, BOOL bProcessed);
    virtual void OnCellMouseMove(int nCol, int nRow, CPoint* pPoint, UINT nFlags, BOOL bProcessed);
    virtual void OnColHeadingLeftClick(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint,
                                       BOOL bProcessed);
    virtual void OnColHeadingRightClick(int nCol, int nRow, BOOL bDown, CRect* pRect,
                                        CPoint* pPoint, BOOL bProcessed);
    virtual void OnColHeadingDblClick(int nCol, int nRow, CRect* pRect, CPoint* pPoint,
                                      BOOL bProcessed);
    virtual void OnRowHeadingLeftClick(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint,
                                       BOOL bProcessed);
    virtual void OnRowHeadingRightClick(int nCol, int nRow, BOOL bDown, CRect* pRect,
                                        CPoint* pPoint, BOOL bProcessed);
    virtual void OnRowHeadingDblClick(int nCol, int nRow, CRect* pRect, CPoint* pPoint,
                                      BOOL bProcessed);
    virtual void OnCornerLeftClick(BOOL bDown, CRect* pRect, CPoint* pPoint, int nReserved);
    virtual void OnCornerRightClick(BOOL bDown, CRect* pRect, CPoint* pPoint, int nReserved);
    virtual void OnCornerDblClick(CRect* pRect, CPoint* pPoint, int nReserved);
    virtual void OnGridKeyDown(UINT* pKey, BOOL bProcessed);
    virtual void OnGridChar(UINT* pChar, BOOL bProcessed);
    virtual void OnCellFetched(int nCol, int nRow, CGridCell* pCell);
    virtual void OnCellStoring(int nCol, int nRow, CGridCell* pCell);
    virtual void OnGridReserved2(int, int, int);
    // nCellType: the reporting type's index; nData: its value, or a pointer for the codes
    // that pass one. Only the answer to code 101 is read.
    virtual BOOL OnCellTypeNotify(int nCellType, int nCol, int nRow, int nCode, LPARAM nData);
    virtual BOOL OnEditStart(int nCol, int nRow, CWnd** ppEditor);
    virtual BOOL OnEditChar(int nCol, int nRow, CWnd* pEditor, UINT* pChar);
    virtual BOOL OnEditFinish(int nCol, int nRow, CWnd* pEditor, LPCSTR lpszText, BOOL bCancelled);
    virtual BOOL OnEditContinue(int nCol, int nRow, int* pNextCol, int* pNextRow);
    virtual void OnMenuCommand(int nCol, int nRow, int nFlags, UINT nID);
    virtual BOOL OnMenuStart(int nCol, int nRow, int nFlags);
    virtual BOOL OnGetHintText(int nCol, int nRow, int nKind, CString* pText);
    virtual BOOL OnGetVScrollHint(int nRow, CString* pText);
    virtual BOOL OnGetHScrollHint(int nCol, CString* pText);
    virtual int OnCompareCells(CGridCell* pCellA, CGridCell* pCellB, UINT nFlags);
    virtual void OnPaintSection(CDC* pDC, CDC* pBackDC, int nSection);
    virtual void OnLayoutChange(CRect* pCellArea, CRect* pColHeadings, CRect* pRowHeadings,
                                CRect* pCorner, CRect* pVScroll, CRect* pHScroll,
                                CRect* pSheetTabs);
    virtual void OnTabSelected(int nTabId);
    virtual COLORREF OnGetDefaultColor(int nSection);
    virtual void OnDrawFocusRect(CDC* pDC, CRect* pRect);
    virtual void OnGridKillFocus(int nSection);
    virtual BOOL CanDragColumn(int nCol);
    virtual BOOL OnColumnMoving(int nFromCol, int nToCol);
    virtual void OnFloatingWindowMoving(CRect* pOldRect, CRect* pNewRect);

    // --- sheets -------------------------------------------------------------------------
    // 1..1024 sheets; new sheets get their own settings and OnSheetSetup.
    int SetSheetCount(int nCount);
    int GetSheetCount() const { return m_nSheetCount; }
    int GetCurrentSheet() const { return m_nCurSheet; }
    // 1 when the index is not a sheet. With bRedraw 0 the windows are not refreshed.
    int SelectSheet(int nIndex, BOOL bRedraw);
    CGridSettings* GetSettings() const { return m_pSettings; }
    CGridSettings* GetSheetSettings(int nSheet) const;
    // Sheet tabs, forwarded to the tab strip; tabs and sheets are linked by a derived grid
    // in OnTabSelected. AddTab and InsertTab: 1 when 64 tabs exist.
    int AddTab(LPCSTR lpszText, int nId);
    int InsertTab(int nIndex, LPCSTR lpszText, int nId);
    // 0, or 1 when no tab has the id.
    int DeleteTab(int nId);
    // 0 and OnTabSelected (id), or 1 when no tab has the id.
    int SelectTab(int nId);
    int GetCurrentTab() const;
    int SetTabBackColor(int nId, COLORREF cr);
    int SetTabTextColor(int nId, COLORREF cr);
    // Moves only the horizontal bar and the tab strip (the strip's grip is being dragged).
    void LayoutBarsOnly();
    // Stored in the current settings; the next layout uses it. 0 means no tab strip.
    int SetTabStripWidth(int nWidth);
    int GetTabStripWidth() const;

    // --- cell types ---------------------------------------------------------------------
    int RegisterCellType(CGridCellType* pType);
    int RemoveCellType(int nIndex);
    // An index below 1, or one no type holds, gives the normal type.
    CGridCellType* GetCellTypeObject(int nIndex) const;
    int FindCellType(const CGridCellType* pType) const;
    CGridCellType* GetCellTypeAt(int nCol, int nRow);
    CGridObjectTable* GetCellTypeTable() const { return m_pCellTypes; }
    CGridObjectTable* GetFontTable() const { return m_pFonts; }
    CGridObjectTable* GetPictureTable() const { return m_pPictures; }

    // --- redraw -------------------------------------------------------------------------
    void RepaintAll();
    void RepaintCell(int nCol, int nRow);
    void RepaintRow(int nRow);
    void RepaintColumn(int nCol);
    void RepaintRange(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow);
    // Tells every child window to refresh, while redraw is on.
    void UpdateChildWindows();
    void LayoutChildWindows();
    // The grid's redraw switch (not the window's WM_SETREDRAW).
    int SetRedraw(BOOL bOn);
    BOOL GetRedraw() const { return m_bRedraw; }

    // --- data sources -------------------------------------------------------------------
    int AddDataSource(CGridDataSource* pSource);
    CGridDataSource* GetDataSource(int nIndex) const;
    int SetDataSource(int nIndex);
    int GetDataSourceIndex() const;
    int RemoveDataSource(int nIndex);
    int SizeFromDataSource(int nIndex);

    // --- settings switches and values ---------------------------------------------------
    int EnableMergedCells(BOOL bOn);
    int EnableTextOverflow(BOOL bOn);
    int EnableColumnMoving(BOOL bOn);
    int EnableGridLines(BOOL bOn);
    int SetCancelEditOnFocusLoss(BOOL bOn);
    BOOL GetCancelEditOnFocusLoss() const;
    int SetCursorCellStyle(int nStyle);
    int Set3DBorderWidth(int nWidth);
    int SetArrowCursor(HCURSOR hCursor);
    int SetColumnSizeCursor(HCURSOR hCursor);
    int SetRowSizeCursor(HCURSOR hCursor);
    int SetVScrollBarMode(int nMode);
    int SetHScrollBarMode(int nMode);

    // --- cells --------------------------------------------------------------------------
    // The stored record only (no defaults); the data source's result, 1 beyond the columns.
    int GetCell(int nCol, int nRow, CGridCell& cell);
    // The cell as painted: heading or column default, the stored record, the fetch handler
    // and the overlay.
    int GetDisplayCell(int nCol, int nRow, CGridCell& cell);
    // OnCellStoring, then the column's data source stores it; the source's result.
    int SetCell(int nCol, int nRow, const CGridCell& cell);
    // The number of stores that failed.
    int SetCellRange(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow,
                     const CGridCell& cell);
    int ClearCell(int nCol, int nRow);
    int SetCellText(int nCol, int nRow, LPCSTR lpszText);
    // The stored text, NULL without one; valid until the next single-cell operation.
    LPCSTR GetCellText(int nCol, int nRow);
    int GetCellTextString(int nCol, int nRow, CString& rText);
    // Single-cell setters: the stored record with one property changed, stored again;
    // all return 0. The index forms look the font or picture up in the grid's tables (an
    // index not in use clears the property).
    int SetCellNumber(int nCol, int nRow, double dValue);
    int SetCellMask(int nCol, int nRow, LPCSTR lpszMask);
    int SetCellCaption(int nCol, int nRow, LPCSTR lpszCaption);
    int SetCellTextColor(int nCol, int nRow, COLORREF cr);
    int SetCellHighlightTextColor(int nCol, int nRow, COLORREF cr);
    int SetCellBackColor(int nCol, int nRow, COLORREF cr);
    int SetCellHighlightBackColor(int nCol, int nRow, COLORREF cr);
    int SetCellBitmap(int nCol, int nRow, CBitmap* pBitmap);
    int SetCellBitmap(int nCol, int nRow, int nPictureIndex);
    int SetCellFontObject(int nCol, int nRow, CFont* pFont);
    int SetCellFont(int nCol, int nRow, int nFontIndex);
    int SetCellAlignment(int nCol, int nRow, int nAlignment);
    int SetCellBorder(int nCol, int nRow, int nBorder);
    int SetCellBorderPen(int nCol, int nRow, CPen* pPen);
    int SetCellTypeAt(int nCol, int nRow, int nCellType);
    int SetCellTypeStyleAt(int nCol, int nRow, int nStyle);
    int SetColumnDefaultCell(int nCol, const CGridCell& cell);
    int GetColumnDefaultCell(int nCol, CGridCell& cell);
    int SetGridDefaultCell(const CGridCell& cell);
    int GetGridDefaultCell(CGridCell& cell);
    int SetHeadingDefaultCell(const CGridCell& cell);
    int GetHeadingDefaultCell(CGridCell& cell);
    // The data-source column a grid column shows (the column itself outside the columns).
    int GetDataSourceCol(int nCol) const;
    int SetDataSourceCol(int nCol, int nDataSourceCol);

    // --- rows and columns ---------------------------------------------------------------
    int SetRowCount(int nCount, BOOL bRedraw = TRUE);
    int GetRowCount() const;
    int SetColCount(int nCount, BOOL bRedraw = TRUE);
    int GetColCount() const;
    int GetColumnWidth(int nCol, int& nWidth) const;
    int GetColumnWidth(int nCol) const;
    int GetRowHeight(int nRow, int& nHeight) const;
    int GetRowHeight(int nRow) const;
    int SetRowHeight(int nRow, int nHeight);
    int SetDefaultColumnWidth(int nWidth);
    int SetDefaultRowHeight(int nHeight);
    // A data column's width (a locked column sums the locked width again); a negative
    // column sets that row-heading column through SetRowHeadingColWidth and answers 1, as
    // does a column beyond the count.
    int SetColumnWidth(int nCol, int nWidth);
    int SetUniformRowHeight(BOOL bOn);
    int GetColumnHeadingHeight() const;
    int GetRowHeadingWidth() const;
    int GetVScrollBarWidth() const;
    int GetHScrollBarHeight() const;
    int SetVScrollBarWidth(int nWidth);
    int SetHScrollBarHeight(int nHeight);

    // --- headings: heading rows -1 .. -N, heading columns -1 .. -M ------------------------
    int SetColumnHeadingRowCount(int nCount);
    int GetColumnHeadingRowCount() const;
    // One heading row's height; the total the layout uses stays.
    int SetColumnHeadingRowHeight(int nRow, int nHeight);
    // The total; the heading rows are scaled to it.
    int SetColumnHeadingHeight(int nHeight);
    int SetRowHeadingColCount(int nCount);
    int GetRowHeadingColCount() const;
    int SetRowHeadingColWidth(int nCol, int nWidth);
    int SetRowHeadingWidth(int nWidth);

    // --- structure ----------------------------------------------------------------------
    // Widths that show the widest displayed cell of the rows scanned (flags 1: the heading
    // rows too), capped at the cell area's width less the vertical bar's.
    int BestFitColumns(int nFirstCol, int nLastCol, int nRowsToScan, UINT nFlags);
    // Shares the cell area's width among the columns in the ratio of their widths.
    int FitColumnsToWidth(int nFirstCol, int nLastCol);
    // A column number at the count appends; others outside the columns answer 1.
    int InsertColumn(int nCol);
    int AppendColumn();
    int DeleteColumn(int nCol);
    int InsertRow(int nRow);
    int AppendRow();
    int DeleteRow(int nRow);

    // --- merged ranges ------------------------------------------------------------------
    int MergeCellRange(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow);
    int UnmergeCells(int nCol, int nRow);
    // 0 and the origin; 1 when merging is off; 2 when the cell is in no range.
    int GetMergeOrigin(int& nCol, int& nRow);
    // 0 with the origin in nCol, nRow and the far corner in nLastCol, nLastRow; 1, 2 as above.
    int GetMergeRange(int& nCol, int& nRow, int& nLastCol, int& nLastRow);

    // --- fonts --------------------------------------------------------------------------
    // The index of a font made from these values, shared with an equal one already made.
    int CreateGridFont(LPCSTR lpszFace, int nHeight, int nWeight);
    int CreateGridFontEx(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                         BYTE bItalic, BYTE bUnderline, BYTE bStrikeOut, BYTE nCharSet,
                         BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                         BYTE nPitchAndFamily, LPCSTR lpszFace);
    int ReleaseFont(int nIndex);
    int RemoveAllFonts();
    using CWnd::GetFont;
    CFont* GetFont(int nIndex) const;
    int SetDefaultFontObject(CFont* pFont);
    int SetDefaultFont(int nIndex);

    // --- pictures: owned by the grid, shared by the cells that name them ----------------
    // A bitmap resource by name (when given), else by id; its index, -1 when not found.
    int AddBitmap(UINT nResourceId, LPCSTR lpszResourceName);
    // A Windows bitmap file of 1, 4, 8, 16, 24 or 32 bits per pixel, made a device-dependent
    // bitmap of the cell area; its index, -1 when the file cannot be read or is malformed.
    int AddBitmapFile(LPCSTR lpszPath);
    int RemoveBitmap(int nIndex);
    int RemoveAllBitmaps();
    CBitmap* GetBitmap(int nIndex) const;

    // --- column operations --------------------------------------------------------------
    // Moves column nFrom in front of nTo (bBefore) or behind it; a move onto itself or
    // its own right neighbour's front changes nothing. 1 out of range.
    int MoveColumn(int nFrom, int nTo, BOOL bBefore);
    // 0 the sheet's memory source, 1.. the grid's added sources.
    int SetColumnDataSourceIndex(int nCol, int nIndex);
    int SetColumnDataSource(int nCol, CGridDataSource* pSource);

    // --- child objects: a derived grid replaces them with objects of derived classes ------
    // The grid owns the new object; when the windows exist, its window is made in the old
    // one's place (class, styles, id, rectangle).
    int SetCellAreaWindow(CGridCellArea* pWnd);
    int SetColumnHeadingWindow(CGridColumnHeading* pWnd);
    int SetRowHeadingWindow(CGridRowHeading* pWnd);
    int SetVScrollBarWindow(CGridVScrollBar* pWnd);
    int SetHScrollBarWindow(CGridHScrollBar* pWnd);
    int SetSheetTabsWindow(CGridSheetTabs* pWnd);
    // The current sheet's selection; it keeps the mode the old one had.
    int SetSelectionObject(CGridSelection* pSelection);

    // --- printing -----------------------------------------------------------------------
    // Lays the range out into pages on the printer's device context: the number of pages.
    int PreparePrint(CDC* pDC, int nReserved, int nFirstCol, int nFirstRow, int nLastCol,
                     int nLastRow);
    // Prints page 1.. of the layout; 0.
    int PrintPage(CDC* pDC, int nPage);
    int SetPrintOption(int nId, int nValue);
    // 1 and 0 for an identifier that is not an option.
    int GetPrintOption(int nId, int* pValue);

    // --- floating window: kept off the cursor cell after every move -----------------------
    int SetFloatingWindow(CWnd* pWnd);
    CWnd* GetFloatingWindow() const { return m_pFloatingWnd; }
    // 1 keeps it right beside the cursor cell.
    int SetFloatingWindowMode(int nMode);
    int SetDefaultEditor(CWnd* pEditor);
    CWnd* GetDefaultEditor() const;

    // --- options read by the child windows ------------------------------------------------
    int SetDragScrollStep(int nStep);      // 0..3
    int SetDragScrollInterval(int nMs);    // 0..32000
    int SetKeyAcceleration(int nDivisor);  // 0..1000, 0 off
    int SetKeyRepeatDelay(int nMs);        // 0 or more
    int SetBackBufferPainting(BOOL bOn);
    int SetTextMargin(int nPixels);  // 0 or more
    int SetSizingMode(int nMode);
    int SetLockedColumnCount(int nCount);
    int SetLockedRowCount(int nCount);
    int GetLockedColumnCount() const;
    int GetLockedRowCount() const;
    int EnableCellTips(BOOL bOn);
    int EnableVScrollTips(BOOL bOn);
    int EnableHScrollTips(BOOL bOn);

    // --- editing: the in-place editor (or the one OnEditStart puts in place) over a cell --
    // EditCell (cursor cell, no first key) and EditCell (cursor cell, the key).
    int BeginEdit();
    int BeginEditWithKey(UINT nKey);
    // Opens the editor on the cell, moving the cursor there first (heading cells keep the
    // cursor where it is): 0 open; 1 refused (a type without editor, a read-only cell, a
    // query said no); 2 the cursor did not move there. A first key > 0 reaches the editor as
    // a character.
    int EditCell(int nCol, int nRow, UINT nFirstKey);
    // Called by the editor as the edit ends: 1 ended (or went on to the next cell, wrapped
    // over the grid's edges), 0 refused by a finish query (the edit stays open).
    int FinishEdit(LPCSTR lpszText, BOOL bCancelled, BOOL bContinue, int nNextCol, int nNextRow);
    // Ends the edit without storing; the cell area takes the focus from the default editor.
    int CancelEdit();
    int GetEditCol() const { return m_nEditCol; }
    int GetEditRow() const { return m_nEditRow; }
    CWnd* GetActiveEditor() const { return m_pActiveEditor; }
    // The edited cell as displayed when the edit opened.
    const CGridCell& GetEditCell() const { return m_editCell; }

    // --- selection (the sheet's selection object keeps the blocks) ------------------------
    int ClearSelection();
    int SelectCell(int nCol, int nRow);
    int IsCellSelected(int nCol, int nRow, int& nSelected);
    int SelectRange(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow);
    // 0 while a cell is returned, non-zero at the end.
    int GetFirstSelectedCell(int& nCol, int& nRow);
    int GetNextSelectedCell(int& nCol, int& nRow);
    int EnableMultiSelect(BOOL bOn);
    int SetWholeRowSelection(BOOL bOn);

    // --- clipboard: CF_TEXT, cells separated by tabs, rows by line ends --------------------
    // Copy and cut: the selected cells' texts (the cursor cell without a selection).
    int CopySelection();
    int CutSelection();
    // The displayed texts of the selected cells; with bClear the cells are emptied.
    int GetSelectionText(CString& rText, BOOL bClear);
    // 0; 3 when the clipboard cannot be opened or the memory not had.
    int CopyTextToClipboard(LPCSTR lpszText);
    // 0; 1 when the clipboard holds no text; 3 when it cannot be opened.
    int GetClipboardText(CString& rText);
    int Paste();
    // Fields separated by tabs go to the next column, lines to the next row, from the cursor
    // cell on; cells beyond the counts are skipped. The pasted range becomes the selection.
    int PasteText(const CString& rText);

    // --- context menu: items from id 1000 reach OnMenuCommand ------------------------------
    int ClearPopupMenu();
    // An empty text or id -1 appends a separator. 0, or 3 when the item cannot be added.
    int AddPopupMenuItem(UINT nID, LPCSTR lpszText);
    int RemovePopupMenuItem(UINT nID);
    int EnablePopupMenu(BOOL bOn);
    BOOL IsPopupMenuEnabled() const;
    // Called by the right clicks of the child windows with their section code (1 cells,
    // 2 column headings, 3 row headings, 4 corner, 5 and 6 the bars, 7 sheet tabs): 0 shown;
    // 1 menu off; 2 refused by OnMenuStart; 3 tracking failed.
    int ShowPopupMenu(int nCol, int nRow, CPoint ptScreen, int nSection);

    // --- cursor and scrolling -----------------------------------------------------------
    int GotoCell(int nCol, int nRow);
    int GotoCol(int nCol);
    int GotoRow(int nRow);
    int SetLeftCol(int nCol);
    int SetTopRow(int nRow);
    int GetLeftCol() const;
    int GetTopRow() const;
    int GetCursorCol() const;
    int GetCursorRow() const;
    // The last column and row the cell area showed when it last painted.
    int GetRightCol() const;
    int GetBottomRow() const;
    // Move codes: 0 back one, 1 forward one, 2 page back, 3 page forward, 4 first, 5 last.
    int MoveCursorCol(int nCode);
    int MoveCursorRow(int nCode);
    int MoveCursorColBy(int nCount);
    int MoveCursorRowBy(int nCount);
    int ScrollCols(int nCode);
    int ScrollRows(int nCode);
    int ScrollColsBy(int nCount);
    int ScrollRowsBy(int nCount);
    // The cell under a point of the cell area (its range's origin when merged), and its
    // rectangle; 0 found, 1 not on a cell.
    int CellFromPoint(int x, int y, int& nCol, int& nRow, CRect* pRect = NULL);
    // Rectangles in cell-area pixels (a merged cell: its whole range); 0.
    int GetCellRect(int nCol, int nRow, CRect& rect);
    int GetRangeRect(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow, CRect& rect);
    // Steps of the moves, also used by the layout and the child windows.
    int AdjustMoveRow(int& nRow);
    int AdjustMoveCol(int& nCol);
    void EnsureCursorRowVisible();
    void EnsureCursorColVisible();
    void CalcMaxTopRow();
    void CalcMaxLeftCol();
    int ClampTopRow(int nRow) const;
    int ClampLeftCol(int nCol) const;
    // After every move: cursor notifications against the values before it.
    void NotifyCursorMoved();

    // --- find, replace and sort: the sheet's data source searches and sorts ------------
    // 0 opened; 1 when a dialog is already open; 3 when it could not be made.
    int ShowFindDialog();
    int ShowReplaceDialog();
    // Searches go through every column row by row (else along the start cell's column).
    int SetFindAllColumns(BOOL bOn);
    // The column is mapped to its data-source column; the data source's result (0 found,
    // the position in the references, its column as the grid column that shows it).
    int FindFirst(LPCSTR lpszText, int& nCol, int& nRow, UINT nFlags);
    int FindNext(LPCSTR lpszText, int& nCol, int& nRow, UINT nFlags);
    int SortByColumn(int nCol, UINT nFlags);
    // The columns in the array are mapped to data-source columns in place.
    int SortByColumns(int* pCols, int nCount, UINT nFlags);
    // The grid column that shows a column of the sheet's data source (the number itself
    // when none does).
    int GridColOfSourceCol(int nSourceCol) const;
    // The dialogs' notification ("commdlg_FindReplace").
    static UINT GetFindReplaceMessage();
    CFindReplaceDialog* GetFindDialog() const { return m_pFindDialog; }
    // With a dialog's child windows: the first whose text holds texts[0] (in any case) gets
    // texts[1].
    static BOOL CALLBACK ReplaceChildText(HWND hWnd, LPARAM lParam);

    // --- parts ----------------------------------------------------------------------------
    CGridCellArea* GetCellArea() const { return m_pCellArea; }
    CGridColumnHeading* GetColumnHeading() const { return m_pColHeading; }
    CGridRowHeading* GetRowHeading() const { return m_pRowHeading; }
    CGridCornerWnd* GetCornerWnd() const { return m_pCorner; }
    CGridVScrollBar* GetVScrollBar() const { return m_pVScrollBar; }
    CGridHScrollBar* GetHScrollBar() const { return m_pHScrollBar; }
    CGridHintWnd* GetHintWnd() const { return m_pHintWnd; }
    CGridSheetTabs* GetSheetTabs() const { return m_pSheetTabs; }
    CGridInPlaceEdit* GetInPlaceEdit() { return &m_inPlaceEdit; }
    CGridPrint* GetPrintObject() const { return m_pPrint; }
    CMenu* GetPopupMenu() const { return m_pPopupMenu; }
    CPen* GetHighlightPen() { return &m_penHighlight; }
    CPen* GetShadowPen() { return &m_penShadow; }
    CGridCellType* GetNormalCellType() { return &m_normalType; }
    // Whether a cell is being edited; whether the find or replace dialog is open.
    BOOL IsEditing() const { return m_bEditing; }
    BOOL IsFindDialogOpen() const { return m_bFindDialogOpen; }

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    void OnSetFocus(CWnd* pOldWnd);
    void OnDestroy();
    void OnSysColorChange();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    UINT OnGetDlgCode();
    LRESULT OnFindReplace(WPARAM wParam, LPARAM lParam);
    int OpenFindDialog(BOOL bFindOnly);
    // FindFirst (bFirst) or FindNext through the sheet's data source.
    int Search(BOOL bFirst, LPCSTR lpszText, int& nCol, int& nRow, UINT nFlags);
    int AddPictureObject(CBitmap* pBitmap);
    template <class T>
    void ReplaceChild(T*& pOld, T* pNew);
    // Moves the floating window off the cursor cell when it covers it.
    void KeepFloatingWindowOffCursor();

    // Makes the sheet current with the tab-strip width carried over from the old one.
    void ActivateSheet(int nIndex, int nCarriedTabWidth);
    // Points every child window and the printing object at the settings.
    void PointChildrenAt(CGridSettings* pSettings);
    // Wires a new sheet's settings to this grid.
    void WireSettings(CGridSettings* pSettings);
    // The data source and column number a grid column's cells are fetched with.
    CGridDataSource* ColumnSource(int nCol, int* pSourceCol) const;
    // The cell-type object of a cell as fetched.
    CGridCellType* TypeOfCell(const CGridCell& cell) const;
    // Whether the child windows exist.
    BOOL HasChildWindows() const;
    // The work cell filled with a cell's stored record, and stored back.
    CGridCell& FetchWorkCell(int nCol, int nRow);
    int StoreWorkCell(int nCol, int nRow);
    // The merged range a cell's stored record names, whatever the merging switch says.
    BOOL StoredMergeRange(int nCol, int nRow, int& nFirstCol, int& nFirstRow, int& nLastCol,
                          int& nLastRow);
    // The row (column) a page move from nFrom reaches (Part of the move codes 2 and 3).
    int PageRow(int nFrom, BOOL bForward, int nLimit);
    int PageCol(int nFrom, BOOL bForward);
    // The cell an edit goes on to: skipped past (or onto the origin of) a merged range and
    // wrapped over the grid's edges.
    void AdjustNextEditCell(int& nNextCol, int& nNextRow);
    // Steps the move over merged ranges (selection mode 0) or onto their first row
    // (column) in the other modes.
    void StepOverMergedRow(int& nRow);
    void StepOverMergedCol(int& nCol);

    // Data sources added by the program (slot 0 stays empty).
    CGridDataSource** m_ppDataSources;
    int m_nDataSourceCount;
    int m_nDataSourceSlots;
    CGridObjectTable* m_pFonts;     // fonts owned by the grid
    CGridObjectTable* m_pPictures;  // pictures owned by the grid
    CGridObjectTable* m_pCellTypes;
    CGridCellType m_normalType;
    CGridDropListType m_dropListType;
    CGridCheckBoxType m_checkBoxType;
    CGridArrowType m_arrowType;
    CGridPrint* m_pPrint;
    CMenu* m_pPopupMenu;
    int m_nMenuCol;
    int m_nMenuRow;
    int m_nMenuSection;
    CGridCell m_workCell;
    CGridSettings** m_ppSheets;
    int m_nCurSheet;
    int m_nSheetCount;
    int m_bRedraw;
    CGridSettings* m_pSettings;
    CGridCellArea* m_pCellArea;
    CGridColumnHeading* m_pColHeading;
    CGridRowHeading* m_pRowHeading;
    CGridCornerWnd* m_pCorner;
    CGridVScrollBar* m_pVScrollBar;
    CGridHScrollBar* m_pHScrollBar;
    CGridHintWnd* m_pHintWnd;
    CGridSheetTabs* m_pSheetTabs;
    int m_bBarsOnlyLayout;
    CWnd* m_pFloatingWnd;
    CGridInPlaceEdit m_inPlaceEdit;
    int m_bEditing;
    int m_nEditRow;
    int m_nEditCol;
    CWnd* m_pActiveEditor;
    CGridCell m_editCell;
    CWnd* m_pEditorOwner;
    CPen m_penHighlight;
    CPen m_penShadow;
    int m_bFindDialogOpen;
    int m_bSearchAllColumns;
    CFindReplaceDialog* m_pFindDialog;
    int m_nLayoutDepth;  // layouts running, one within the other

    DECLARE_MESSAGE_MAP()
};
