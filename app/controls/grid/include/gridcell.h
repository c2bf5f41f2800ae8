// CGridCell: everything the grid knows about one cell, as a value that callers copy out of
// the grid, change and hand back.
//
// Every property is optional: one bit of the property word per property. A getter of an
// unset property returns that property's default, and copying and merging move only the
// properties whose bit is set, so the cell that is drawn is built by laying partial cells
// over each other (grid default, column default, stored cell). Colours that are unset are
// read from the system when the getter runs, so they follow a change of the colour scheme.
//
// A cell owns its strings and its data block. Pens, fonts, pictures, the fetch handler and
// the overlay cell it names belong to others and must outlive it. The two button pictures
// (SetBitmaps) are loaded from the resources once per id and shared by every cell naming
// that id, so copying cells never loads a picture again.
#pragma once

#include "vaskfc.h"

class CGridCell;

// Property bits of the property word.
#define GRIDCELL_TEXT        0x00000001u
#define GRIDCELL_MASK        0x00000002u
#define GRIDCELL_CAPTION     0x00000004u
#define GRIDCELL_DATATYPE    0x00000008u
#define GRIDCELL_PARAM       0x00000010u
#define GRIDCELL_CELLTYPE    0x00000020u
#define GRIDCELL_TYPESTYLE   0x00000040u
#define GRIDCELL_TEXTCOLOR   0x00000080u
#define GRIDCELL_BACKCOLOR   0x00000100u
#define GRIDCELL_HLTEXTCOLOR 0x00000200u
#define GRIDCELL_HLBACKCOLOR 0x00000400u
#define GRIDCELL_BORDER      0x00000800u
#define GRIDCELL_BORDERPEN   0x00001000u
#define GRIDCELL_FONT        0x00002000u
#define GRIDCELL_BITMAP      0x00004000u
#define GRIDCELL_ALIGNMENT   0x00008000u
#define GRIDCELL_DATA        0x00010000u
#define GRIDCELL_MERGE       0x00020000u
#define GRIDCELL_FETCH       0x00200000u
#define GRIDCELL_OVERLAY     0x00800000u
#define GRIDCELL_READONLY    0x01000000u
#define GRIDCELL_DECIMALS    0x02000000u

// Data types of a cell's text.
#define GRIDDATA_TEXT     1
#define GRIDDATA_NUMBER   2
#define GRIDDATA_BOOL     3
#define GRIDDATA_DATETIME 4

// An object that adjusts a cell each time the grid fetches it as shown.
class CGridFetchHandler : public CObject {
public:
    virtual void OnCellFetched(CGridCell* pCell) = 0;
};

// One loaded button picture, shared by all cells that name its resource id.
struct CGridSharedBitmap;

class CGridCell : public CObject {
public:
    CGridCell();
    ~CGridCell() override;

    // Property word 0, strings emptied, the button pictures released, the data block freed.
    void Clear();
    // Empty text, mask and caption, the four system colours, alignment 0; word 0x8787.
    void SetDefaults();

    // --- copying: only the properties set in the source move; the button-picture ids
    // always follow the source --------------------------------------------------------
    void CopyTo(CGridCell& other) const;
    void CopyFrom(const CGridCell& other);
    // This cell's set properties over other's; other's word becomes the union.
    void MergeInto(CGridCell& other) const;
    // other's set properties over this cell's; the word becomes the union.
    void MergeFrom(const CGridCell& other);
    static void CopyCell(const CGridCell& src, CGridCell& dst);

    // --- the property word --------------------------------------------------------------
    UINT GetFlags() const { return m_nFlags; }
    void SetFlags(UINT nFlags) { m_nFlags = nFlags; }
    BOOL HasProperties(UINT nMask) const { return (m_nFlags & nMask) != 0; }
    // Clears one property bit; the value stays but is no longer seen.
    void ClearProperty(UINT nBit) { m_nFlags &= ~nBit; }

    // --- text and values: setters return 0; copying getters return 0, or 1 when the
    // property is not set (the argument is then left as it was) -------------------------
    int SetText(LPCSTR lpszText);
    int AppendText(LPCSTR lpszText);
    LPCSTR GetText() const;
    int GetText(CString& rText) const;
    int GetTextLength() const;
    int SetNumber(double dValue);
    double GetNumber() const;
    int GetInt(int* pValue) const;
    int GetLong(long* pValue) const;
    int GetFloat(float* pValue) const;
    int GetDouble(double* pValue) const;
    int SetBool(bool bValue);
    bool GetBool() const;
    // Dates are not kept: the setter only records the data type; both return 1.
    int SetDateTime(const COleDateTime& date);
    int GetDateTime(COleDateTime& date) const;
    int SetMask(LPCSTR lpszMask);
    LPCSTR GetMask() const;
    int GetMask(CString& rMask) const;
    int SetCaptionText(LPCSTR lpszCaption);
    LPCSTR GetCaptionText() const;
    int GetCaptionText(CString& rCaption) const;
    int SetDataType(int nType);
    int GetDataType() const;
    int SetParam(int nParam);
    int GetParam() const;
    int SetDecimals(int nDecimals);
    int GetDecimals() const;
    int SetReadOnly(BOOL bReadOnly);
    BOOL GetReadOnly() const;

    // --- display ------------------------------------------------------------------------
    int SetCellType(int nType);
    int GetCellType() const;
    int SetCellTypeStyle(int nStyle);
    int GetCellTypeStyle() const;
    int SetTextColor(COLORREF cr);
    COLORREF GetTextColor() const;
    int SetBackColor(COLORREF cr);
    COLORREF GetBackColor() const;
    int SetHighlightTextColor(COLORREF cr);
    COLORREF GetHighlightTextColor() const;
    int SetHighlightBackColor(COLORREF cr);
    COLORREF GetHighlightBackColor() const;
    int SetBorder(int nBorder);
    int GetBorder() const;
    int SetBorderPen(CPen* pPen);
    CPen* GetBorderPen() const;
    int SetFont(CFont* pFont);
    CFont* GetFont() const;
    // A null picture clears the property.
    int SetBitmap(CBitmap* pBitmap);
    CBitmap* GetBitmap() const;
    int SetAlignment(int nAlignment);
    int GetAlignment() const;

    // --- caller data, merged ranges, fetch handler and overlay --------------------------
    // Frees any old block; NULL (property clear) when the allocation fails.
    void* AllocData(UINT nSize);
    void FreeData();
    void* GetData() const;
    UINT GetDataSize() const;
    int SetMergeInfo(int nOrigin, int nCols, int nRows);
    // 1 when the cell is in no merged range; the arguments are then untouched.
    int GetMergeInfo(int& nOrigin, int& nCols, int& nRows) const;
    // A null handler is refused (1).
    int SetFetchHandler(CGridFetchHandler* pHandler);
    CGridFetchHandler* GetFetchHandler() const;
    int SetOverlayCell(CGridCell* pCell);
    CGridCell* GetOverlayCell() const;

    // --- button pictures: resource ids, 0 for none --------------------------------------
    int SetBitmaps(UINT nId1, UINT nId2);
    UINT GetBitmapId(int nWhich) const { return m_nBmpId[nWhich != 0 ? 1 : 0]; }
    // The first (0) or second (non-zero) picture when it is loaded, else NULL.
    CBitmap* GetBitmapObject(int nWhich) const;

private:
    // Copies the values of the properties in nMask from src (no change of the word).
    void CopyValues(const CGridCell& src, UINT nMask);
    void ReleaseButton(int nWhich);

    UINT m_nFlags;
    CGridFetchHandler* m_pFetchHandler;
    CGridCell* m_pOverlayCell;
    CString m_strText;
    CString m_strMask;
    CString m_strCaption;
    WORD m_nDataType;
    int m_bReadOnly;
    int m_nParam;
    WORD m_nDecimals;
    int m_nCellType;
    int m_nCellTypeStyle;
    COLORREF m_crText;
    COLORREF m_crBack;
    COLORREF m_crHighlightText;
    COLORREF m_crHighlightBack;
    WORD m_nBorder;
    CPen* m_pBorderPen;
    CFont* m_pFont;
    CBitmap* m_pBitmap;
    CGridSharedBitmap* m_pButton[2];
    int m_bBmpLoaded[2];
    UINT m_nBmpId[2];
    WORD m_nAlignment;
    BYTE* m_pData;
    UINT m_nDataSize;
    WORD m_bMergeOrigin;
    int m_nMergeRows;
    int m_nMergeCols;
};
