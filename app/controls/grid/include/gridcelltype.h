// CGridCellType: the object that draws cells and reacts to input on them; the cell's data
// lives in CGridCell. The base is itself the grid's normal type: it draws the background,
// the border, an optional picture and the text of a cell and does nothing on input.
// Derived types override some virtual operations and reuse the drawing operations.
//
// Types are registered with a grid, which keeps them by index; a cell names its type by
// that index. Every grid registers four standard types at fixed indexes: 0 the normal type,
// 1 the drop list, 2 the check box, 3 the arrow.
//
// Cell properties given meaning here:
// - alignment: 0x01 left, 0x02 right, 0x04 centred; 0x10 bottom, 0x20 centred vertically;
//   none: left and top;
// - border: 0x0001/2/4/8 one-pixel lines at the left, top, right, bottom; 0x0010..0x0080
//   two-pixel lines; 0x0100..0x0800 three-pixel lines; 0x1000 sunken and 0x2000 raised
//   three-dimensional frames, as wide as the settings' 3-D border width;
// - cell type style of the normal type: 0x02 word wrap, 0x04 "..." when the text is too
//   wide; exactly 8 shows the caption instead of the text.
#pragma once

#include "gridcell.h"

class CGridWnd;

// Alignment bits.
#define GRIDALIGN_LEFT    0x01
#define GRIDALIGN_RIGHT   0x02
#define GRIDALIGN_CENTER  0x04
#define GRIDALIGN_BOTTOM  0x10
#define GRIDALIGN_VCENTER 0x20

// Border bits.
#define GRIDBORDER_LEFT    0x0001
#define GRIDBORDER_TOP     0x0002
#define GRIDBORDER_RIGHT   0x0004
#define GRIDBORDER_BOTTOM  0x0008
#define GRIDBORDER_LEFT2   0x0010
#define GRIDBORDER_TOP2    0x0020
#define GRIDBORDER_RIGHT2  0x0040
#define GRIDBORDER_BOTTOM2 0x0080
#define GRIDBORDER_LEFT3   0x0100
#define GRIDBORDER_TOP3    0x0200
#define GRIDBORDER_RIGHT3  0x0400
#define GRIDBORDER_BOTTOM3 0x0800
#define GRIDBORDER_SUNKEN  0x1000
#define GRIDBORDER_RAISED  0x2000

// Cell type styles of the normal type.
#define GRIDSTYLE_WORDWRAP    0x02
#define GRIDSTYLE_ELLIPSIS    0x04
#define GRIDSTYLE_SHOWCAPTION 8

// Codes of OnCellTypeNotify.
#define GRIDNOTIFY_CLICKED    1
#define GRIDNOTIFY_PRESSED    2
#define GRIDNOTIFY_RELEASED   3
#define GRIDNOTIFY_SPINUP     16
#define GRIDNOTIFY_SPINDOWN   17
#define GRIDNOTIFY_CHECKED    53
#define GRIDNOTIFY_BUTTON     100
#define GRIDNOTIFY_LISTCHOSEN 101
#define GRIDNOTIFY_LISTSTORED 102

class CGridCellType : public CObject {
public:
    CGridCellType();
    ~CGridCellType() override;

    virtual LPCSTR GetTypeName();
    virtual const GUID* GetTypeGuid();
    // Shrinks the rectangle the in-place editor may cover; the grid ignores the result.
    virtual int AdjustEditRect(CRect* pRect);
    virtual int OnReserved1(int, int);
    virtual int OnReserved2(int, int);
    // The system colours changed: types that made pens or brushes from them renew them.
    virtual int OnSysColorChange();
    // Input on a cell; a non-zero result tells the grid that the type handled it.
    virtual int OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint);
    virtual int OnRButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint);
    virtual int OnLButtonDblClk(int nCol, int nRow, CRect* pRect, CPoint* pPoint);
    // A type that consumes the key (character) sets it to 0.
    virtual int OnKeyDown(int nCol, int nRow, UINT* pKey);
    virtual int OnChar(int nCol, int nRow, UINT* pChar);
    virtual int OnMouseMove(int nCol, int nRow, CPoint* pPoint, UINT nFlags);
    // Draws the cell into the rectangle; nSelected is the selection block's number + 1.
    virtual int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
                       int bCurrent);
    // Draws the cell for the printer, scaled from the screen row height to the rectangle.
    virtual int OnPrintDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell);
    virtual int OnEnterCell(int nCol, int nRow, CGridCell* pCell);
    virtual int OnLeaveCell(int nCol, int nRow, CGridCell* pCell);
    // The size that shows the whole text.
    virtual int GetBestSize(CDC* pDC, CSize* pSize, CGridCell* pCell);

    // --- drawing shared with the derived types --------------------------------------------
    // Draws the border and grid lines; pInner receives the rectangle that they leave.
    void DrawBorder(CDC* pDC, CRect* pRect, CRect* pInner, CGridCell* pCell);
    // Draws the text (or caption) with the picture at its left into the inner rectangle;
    // a negative x offset draws text that runs on from a cell to the left.
    void DrawText(CDC* pDC, CRect* pInner, int nXOffset, int nCol, int nRow, CGridCell* pCell,
                  int nSelected, int bCurrent);
    // Draws the picture at the left of the rectangle on the background colour, scaled down
    // to the height when taller; returns the width it used.
    int DrawBitmap(CDC* pDC, CBitmap* pBitmap, CRect* pRect, COLORREF crBack);
    // Whether the cell's text may run on into empty cells to its right.
    BOOL CanOverflow(CGridCell* pCell);

    void SetUseEditor(BOOL bUse) { m_bUseEditor = bUse ? 1 : 0; }
    BOOL UsesEditor() const { return m_bUseEditor; }
    void SetShowCaption(BOOL bShow) { m_bShowCaption = bShow ? 1 : 0; }
    void SetTypeIndex(int nIndex) { m_nIndex = nIndex; }
    int GetTypeIndex() const { return m_nIndex; }
    void SetGrid(CGridWnd* pGrid) { m_pGrid = pGrid; }
    CGridWnd* GetGrid() const { return m_pGrid; }

protected:
    int m_bUseEditor;
    int m_bShowCaption;
    int m_bCanOverflow;
    double m_dPrintScale;
    CGridWnd* m_pGrid;
    int m_nIndex;
};

// The drop-list type (standard index 1): a button at the cell's right end (Enter or Ctrl+Down
// on the current cell press it too) that drops a list of the choices held in the cell's
// caption, each ended by a newline; choosing one writes it as the cell's text. Code 100
// hands the receiver the list of entries (a CStringList*) before the list opens; the list box
// sends 101 (may refuse) and 102 with the chosen text (LPCSTR). Style 0x200: the button
// shows on the current cell only. The cell can also be typed into with the editor.
class CGridDropListBox;

class CGridDropListType : public CGridCellType {
public:
    CGridDropListType();
    ~CGridDropListType() override;

    LPCSTR GetTypeName() override;
    const GUID* GetTypeGuid() override;
    int OnSysColorChange() override;
    int AdjustEditRect(CRect* pRect) override;
    int OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) override;
    int OnLButtonDblClk(int nCol, int nRow, CRect* pRect, CPoint* pPoint) override;
    int OnKeyDown(int nCol, int nRow, UINT* pKey) override;
    int OnChar(int nCol, int nRow, UINT* pChar) override;
    int OnMouseMove(int nCol, int nRow, CPoint* pPoint, UINT nFlags) override;
    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;
    int OnLeaveCell(int nCol, int nRow, CGridCell* pCell) override;
    // The text's size with the list's button beside it.
    int GetBestSize(CDC* pDC, CSize* pSize, CGridCell* pCell) override;

    // Opens the list under the grid's current cell: 0; 1 when it is open already.
    int ShowDropList();
    // The cell whose list is open; -1, -1 when none; -2, -2 right after the list closed by
    // losing the focus without a choice.
    int GetOpenCol() const { return m_nOpenCol; }
    int GetOpenRow() const { return m_nOpenRow; }
    CGridDropListBox* GetListBox() const { return m_pListBox; }

protected:
    int m_nButtonWidth;
    int m_bPressed;
    CRect m_rcButton;
    int m_nOpenCol;
    int m_nOpenRow;
    CPen m_penFace;
    CBrush m_brFace;
    CGridDropListBox* m_pListBox;
};

// The check-box type (standard index 2): a check box before the caption, toggled by a
// release of the left button in the box or by the space key; the value is the cell's text
// as a number (above 0 checked), written back as 1.0 or 0.0, then code 53 with the new
// state. Read-only cells do not toggle. Styles: 0x100 sunken box, 0x200 raised box,
// 0x1000 a tick instead of a cross.
class CGridCheckBoxType : public CGridCellType {
public:
    CGridCheckBoxType();
    ~CGridCheckBoxType() override;

    LPCSTR GetTypeName() override;
    const GUID* GetTypeGuid() override;
    int OnSysColorChange() override;
    int OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) override;
    int OnLButtonDblClk(int nCol, int nRow, CRect* pRect, CPoint* pPoint) override;
    int OnChar(int nCol, int nRow, UINT* pChar) override;
    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;

    // The box of a cell rectangle: its side is the height - 6, at most 12.
    static CRect BoxRect(const CRect& rcCell);

    CPen& GetShadowPen() { return m_penShadow; }
    CPen& GetFacePen() { return m_penFace; }

protected:
    // Stores the cell with its new value, repaints it and reports the new state.
    int Toggle(int nCol, int nRow, double dNew);

    CPen m_penShadow;
    CPen m_penLight;
    CPen m_penFace;
    CGridCell m_cellWork;
};

// The arrow type (standard index 3): a small arrow glyph in the cell's text colour, chosen
// by the cell type style: 0x10 (or 0) right, 0x20 left, 0x40 double right, 0x80 double left.
class CGridArrowType : public CGridCellType {
public:
    CGridArrowType();
    ~CGridArrowType() override;

    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;
};
