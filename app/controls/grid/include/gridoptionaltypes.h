// Optional cell types of the grid: a program constructs them and registers them with
// CGridWnd::RegisterCellType; the grid registers none of them itself. All report the normal
// type's name and identifier.
//
// - CGridBarType: a slider over the value 0..100 (the cell text as a number), dragged by its
//   thumb; a moved slider writes a whole number with SetNumber.
// - CGridSpinType: up and down buttons at the right end; presses report codes 16 and 17 (the
//   receiver changes the value). Style 0x200: the buttons show on the current cell only.
// - CGridTriangleType: a small triangle at the right end; style 0x10 points it up.
// - CGridFitTextType: the text in a bold font sized to fill the cell.
// - CGridTaggedTextType: text with inline tags <:F,face,height> (font) and <:C,r,g,b>
//   (colour), read case-insensitively.
// - CGridPieChartType: a pie of the numbers of a cell range named by the cell text as
//   "firstCol\nfirstRow\nlastCol\nlastRow\n" (slice colours: the cells' highlight
//   backgrounds); style 0x40 draws a legend entry, 0x10 explodes the slices a little.
// - CGridLevelBarType: a value 0..100 as a bar in colour bands, optionally set with the mouse;
//   style 1 labels it with the caption.
// - CGridProgressBarType: a two-tone bar with a percentage label (style 1: the caption).
// - CGridOptionListType: the caption's lines (each ended by "\n") as options with a round
//   mark; the cell's number is the chosen one; a click or Space chooses and reports code 100.
#pragma once

#include "gridcelltype.h"

#include <utility>
#include <vector>

// Cell type styles of the optional types.
#define GRIDSTYLE_SPIN_CURRENTONLY 0x200
#define GRIDSTYLE_TRIANGLE_UP      0x10
#define GRIDSTYLE_PIE_EXPLODE      0x10
#define GRIDSTYLE_PIE_LEGEND       0x40
#define GRIDSTYLE_BAR_CAPTION      0x01

class CGridBarType : public CGridCellType {
public:
    CGridBarType();
    ~CGridBarType() override;

    int OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) override;
    int OnMouseMove(int nCol, int nRow, CPoint* pPoint, UINT nFlags) override;
    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;

    // The value a cell shows: its text as an integer, held in 0..100.
    static int ValueOf(const CGridCell& cell);
    // Where the thumb stands in a cell from nLeft, nWidth pixels wide.
    static int ThumbX(int nLeft, int nWidth, int nValue);
    // The value under x while dragging; -1 for a cell of 6 pixels or less, which has no
    // track to drag along.
    static int ValueAt(int x, int nLeft, int nWidth);
    BOOL IsDragging() const { return m_bDragging; }

protected:
    CPen m_penLight;
    CPen m_penDark;
    int m_bDragging;
};

class CGridSpinType : public CGridCellType {
public:
    CGridSpinType();
    ~CGridSpinType() override;

    int OnSysColorChange() override;
    int AdjustEditRect(CRect* pRect) override;
    int OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) override;
    int OnLButtonDblClk(int nCol, int nRow, CRect* pRect, CPoint* pPoint) override;
    int OnMouseMove(int nCol, int nRow, CPoint* pPoint, UINT nFlags) override;
    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;

    // 1 up, 2 down, 0 none.
    int GetPressedButton() const { return m_nSpinButton; }

protected:
    CPen m_penFace;
    CBrush m_brFace;
    int m_bDownPressed;
    int m_bUpPressed;
    int m_nSpinButton;
    int m_nButtonWidth;
    CRect m_rcButton;
    int m_nSpinCol;
    int m_nSpinRow;
};

class CGridTriangleType : public CGridCellType {
public:
    CGridTriangleType();
    ~CGridTriangleType() override;

    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;

protected:
    int m_nButtonWidth;
};

class CGridFitTextType : public CGridCellType {
public:
    CGridFitTextType();
    ~CGridFitTextType() override;

    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;
    // A bold font of the DC's face whose text fills nWidth, at most the height; the caller
    // owns it. NULL for an empty text.
    static CFont* CreateFittingFont(CDC* pDC, LPCSTR lpszText, int nWidth, int nHeight);
};

class CGridTaggedTextType : public CGridCellType {
public:
    CGridTaggedTextType();
    ~CGridTaggedTextType() override;

    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;

    // One piece of a tagged text: a tag (its text between "<:" and ">") or one character.
    struct Piece {
        BOOL bTag;
        CString text;
    };
    static std::vector<Piece> Split(LPCSTR lpszText);
    // A colour tag's colour: TRUE for a tag beginning with C.
    static BOOL ColourOfTag(LPCSTR lpszTag, COLORREF* pColour);

protected:
    // Applies a tag to the DC: a font tag selects a new font (this type owns it), a colour
    // tag sets the text colour; others are ignored.
    void ApplyTag(CDC* pDC, LPCSTR lpszTag);

    CFont* m_pTagFont;
};

class CGridPieChartType : public CGridCellType {
public:
    CGridPieChartType();
    ~CGridPieChartType() override;

    int AdjustEditRect(CRect* pRect) override;
    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;

    // 0..64; 1 refuses.
    int SetExplode(int nOffset);
    void SetKeepSquare(BOOL bOn) { m_bKeepSquare = bOn ? 1 : 0; }
    // The range a cell text names; FALSE when it names none or a reversed one.
    static BOOL RangeOf(LPCSTR lpszText, int* pFirstCol, int* pFirstRow, int* pLastCol,
                        int* pLastRow);
    // The slices (start, end) in whole degrees for the values in order; none when they sum
    // to 0, which leaves nothing to apportion.
    static std::vector<std::pair<int, int>> Slices(const std::vector<double>& values);

protected:
    int m_nSwatchWidth;
    int m_nExplode;
    int m_bKeepSquare;
};

class CGridLevelBarType : public CGridCellType {
public:
    CGridLevelBarType();
    // Mouse setting on when non-zero; the tick step; the bands: 1 three, 0 one, 255 a
    // hundred-band gradient, other values none.
    CGridLevelBarType(int bMouseSetting, int nTickStep, int nPreset);
    ~CGridLevelBarType() override;

    int OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) override;
    int OnLButtonDblClk(int nCol, int nRow, CRect* pRect, CPoint* pPoint) override;
    int OnMouseMove(int nCol, int nRow, CPoint* pPoint, UINT nFlags) override;
    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;

    // Setters: 0 done, 1 refused (nothing changes).
    int SetBandCount(int nCount);  // 0..100, with default limits and red shades
    int SetBandLimit(int nIndex, int nLimit);
    int SetBandColor(int nIndex, COLORREF cr);
    int SetTickStep(int nStep);  // 0..100
    int EnableMouseSetting(int bOn);
    int SetDirection(int nDirection);  // 1 top to bottom, 2 left to right, 3, 4 the reverse
    int SetMargin(int nPixels);
    int GetBandCount() const { return m_nBandCount; }
    int GetBandLimit(int i) const { return m_pLimits[i]; }
    COLORREF GetBandColor(int i) const { return m_pColors[i]; }

    // The value a cell shows (its text as a number, held in 0..100) and its label.
    static int ValueOf(const CGridCell& cell);
    static CString LabelOf(int nValue);
    // The percentage at a distance along the bar; a click snaps to 0 and 100 near the ends.
    static float PercentAt(int nDistance, int nLength, BOOL bSnap);

protected:
    void Init(int bMouseSetting, int nTickStep, int nPreset);
    // The point's percentage along the bar of the rectangle, in the bar's direction.
    float PercentIn(const CRect& rc, CPoint pt, BOOL bSnap) const;
    // Sets the percentage into the stored cell and repaints it.
    void StorePercent(int nCol, int nRow, float fPercent);

    int m_bDragging;
    int m_bMouseSetting;
    int m_nDragRow;
    int m_nDragCol;
    CRect m_rcDrag;
    int m_nBandCount;
    int* m_pLimits;
    COLORREF* m_pColors;
    int m_nTickStep;
    int m_nDirection;
    int m_nMargin;
};

class CGridProgressBarType : public CGridCellType {
public:
    CGridProgressBarType();
    ~CGridProgressBarType() override;

    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;
};

class CGridOptionListType : public CGridCellType {
public:
    CGridOptionListType();
    ~CGridOptionListType() override;

    int OnLButton(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint) override;
    int OnKeyDown(int nCol, int nRow, UINT* pKey) override;
    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override;

    // The options of a caption: its lines, each ended by "\n".
    static std::vector<CString> OptionsOf(LPCSTR lpszCaption);
    // The option after the chosen one, from the last back to 0.
    static int NextOption(int nChosen, int nCount);

protected:
    // Chooses an option of the stored cell: stores and repaints when it changed, reports 100.
    void Choose(int nCol, int nRow, int nOption);

    CGridCell m_cell;
};
