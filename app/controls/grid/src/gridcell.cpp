// CGridCell: the optional properties of one cell.
#include "gridinternal.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

CGridCell::CGridCell()
    : m_nFlags(0),
      m_pFetchHandler(NULL),
      m_pOverlayCell(NULL),
      m_nDataType(GRIDDATA_TEXT),
      m_bReadOnly(0),
      m_nParam(-1),
      m_nDecimals(0),
      m_nCellType(-1),
      m_nCellTypeStyle(-1),
      m_crText(0),
      m_crBack(0),
      m_crHighlightText(0),
      m_crHighlightBack(0),
      m_nBorder(0),
      m_pBorderPen(NULL),
      m_pFont(NULL),
      m_pBitmap(NULL),
      m_nAlignment(0),
      m_pData(NULL),
      m_nDataSize(0),
      m_bMergeOrigin(0),
      m_nMergeRows(-1),
      m_nMergeCols(-1) {
    m_pButton[0] = m_pButton[1] = NULL;
    m_bBmpLoaded[0] = m_bBmpLoaded[1] = 0;
    m_nBmpId[0] = m_nBmpId[1] = 0;
    Clear();
}

CGridCell::~CGridCell() { Clear(); }

void CGridCell::Clear() {
    m_nFlags = 0;
    m_strText.Empty();
    m_strCaption.Empty();
    m_nParam = -1;
    m_nCellType = -1;
    m_nCellTypeStyle = -1;
    m_nMergeRows = -1;
    m_nMergeCols = -1;
    // A picture no cell names any more is freed now rather than at the next load, so that
    // cleared work cells hold no drawing objects.
    ReleaseButton(0);
    ReleaseButton(1);
    m_nBmpId[0] = m_nBmpId[1] = 0;
    free(m_pData);
    m_pData = NULL;
    m_nDataSize = 0;
}

void CGridCell::SetDefaults() {
    m_strText.Empty();
    m_strMask.Empty();
    m_strCaption.Empty();
    m_crText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crBack = ::GetSysColor(COLOR_WINDOW);
    m_crHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_crHighlightBack = ::GetSysColor(COLOR_HIGHLIGHT);
    m_nAlignment = 0;
    m_pFetchHandler = NULL;
    m_pOverlayCell = NULL;
    m_nFlags = GRIDCELL_TEXT | GRIDCELL_MASK | GRIDCELL_CAPTION | GRIDCELL_TEXTCOLOR |
               GRIDCELL_BACKCOLOR | GRIDCELL_HLTEXTCOLOR | GRIDCELL_HLBACKCOLOR |
               GRIDCELL_ALIGNMENT;
}

// --- copying ------------------------------------------------------------------------------

void CGridCell::CopyValues(const CGridCell& src, UINT nMask) {
    if (nMask & GRIDCELL_TEXT) m_strText = src.m_strText;
    if (nMask & GRIDCELL_MASK) m_strMask = src.m_strMask;
    if (nMask & GRIDCELL_CAPTION) m_strCaption = src.m_strCaption;
    if (nMask & GRIDCELL_DATATYPE) m_nDataType = src.m_nDataType;
    if (nMask & GRIDCELL_PARAM) m_nParam = src.m_nParam;
    if (nMask & GRIDCELL_CELLTYPE) m_nCellType = src.m_nCellType;
    if (nMask & GRIDCELL_TYPESTYLE) m_nCellTypeStyle = src.m_nCellTypeStyle;
    if (nMask & GRIDCELL_TEXTCOLOR) m_crText = src.m_crText;
    if (nMask & GRIDCELL_BACKCOLOR) m_crBack = src.m_crBack;
    if (nMask & GRIDCELL_HLTEXTCOLOR) m_crHighlightText = src.m_crHighlightText;
    if (nMask & GRIDCELL_HLBACKCOLOR) m_crHighlightBack = src.m_crHighlightBack;
    if (nMask & GRIDCELL_BORDER) m_nBorder = src.m_nBorder;
    if (nMask & GRIDCELL_BORDERPEN) m_pBorderPen = src.m_pBorderPen;
    if (nMask & GRIDCELL_FONT) m_pFont = src.m_pFont;
    if (nMask & GRIDCELL_BITMAP) m_pBitmap = src.m_pBitmap;
    if (nMask & GRIDCELL_ALIGNMENT) m_nAlignment = src.m_nAlignment;
    if (nMask & GRIDCELL_MERGE) {
        m_bMergeOrigin = src.m_bMergeOrigin;
        m_nMergeCols = src.m_nMergeCols;
        m_nMergeRows = src.m_nMergeRows;
    }
    if (nMask & GRIDCELL_FETCH) m_pFetchHandler = src.m_pFetchHandler;
    if (nMask & GRIDCELL_OVERLAY) m_pOverlayCell = src.m_pOverlayCell;
    if (nMask & GRIDCELL_READONLY) m_bReadOnly = src.m_bReadOnly;
    if (nMask & GRIDCELL_DECIMALS) m_nDecimals = src.m_nDecimals;
    if ((nMask & GRIDCELL_DATA) && this != &src) {
        free(m_pData);
        m_pData = NULL;
        m_nDataSize = 0;
        m_nFlags &= ~GRIDCELL_DATA;
        if (src.m_pData != NULL) {
            m_pData = (BYTE*)malloc(src.m_nDataSize != 0 ? src.m_nDataSize : 1);
            if (m_pData != NULL) {
                memcpy(m_pData, src.m_pData, src.m_nDataSize);
                m_nDataSize = src.m_nDataSize;
            }
        }
    }
    SetBitmaps(src.m_nBmpId[0], src.m_nBmpId[1]);
}

void CGridCell::CopyFrom(const CGridCell& other) {
    if (this == &other) return;
    CopyValues(other, other.m_nFlags);
    m_nFlags = other.m_nFlags;
    if (m_pData == NULL) m_nFlags &= ~GRIDCELL_DATA;
    if (!(m_nFlags & GRIDCELL_DATA) && m_pData != NULL) FreeData();
}

void CGridCell::CopyTo(CGridCell& other) const { other.CopyFrom(*this); }

void CGridCell::MergeFrom(const CGridCell& other) {
    if (this == &other) return;
    UINT nHadData = m_nFlags & GRIDCELL_DATA;
    CopyValues(other, other.m_nFlags);
    m_nFlags |= other.m_nFlags | nHadData;
    if (m_pData == NULL) m_nFlags &= ~GRIDCELL_DATA;
}

void CGridCell::MergeInto(CGridCell& other) const { other.MergeFrom(*this); }

void CGridCell::CopyCell(const CGridCell& src, CGridCell& dst) { dst.CopyFrom(src); }

// --- text and values ----------------------------------------------------------------------

int CGridCell::SetText(LPCSTR lpszText) {
    m_strText = lpszText != NULL ? lpszText : "";
    m_nDataType = GRIDDATA_TEXT;
    m_nFlags |= GRIDCELL_TEXT | GRIDCELL_DATATYPE;
    return 0;
}

int CGridCell::AppendText(LPCSTR lpszText) {
    if (!(m_nFlags & GRIDCELL_TEXT)) m_strText.Empty();
    m_strText += lpszText != NULL ? lpszText : "";
    m_nDataType = GRIDDATA_TEXT;
    m_nFlags |= GRIDCELL_TEXT | GRIDCELL_DATATYPE;
    return 0;
}

LPCSTR CGridCell::GetText() const { return (m_nFlags & GRIDCELL_TEXT) ? (LPCSTR)m_strText : NULL; }

int CGridCell::GetText(CString& rText) const {
    if (!(m_nFlags & GRIDCELL_TEXT)) return 1;
    rText = m_strText;
    return 0;
}

int CGridCell::GetTextLength() const {
    return (m_nFlags & GRIDCELL_TEXT) ? m_strText.GetLength() : 0;
}

int CGridCell::SetNumber(double dValue) {
    char text[400];
    if (m_nFlags & GRIDCELL_DECIMALS) {
        char format[32];
        sprintf(format, "%%1.%dlf", (int)m_nDecimals);
        snprintf(text, sizeof text, format, dValue);
    } else {
        snprintf(text, sizeof text, "%lf", dValue);
    }
    m_strText = text;
    m_nDataType = GRIDDATA_NUMBER;
    m_nFlags |= GRIDCELL_TEXT | GRIDCELL_DATATYPE;
    return 0;
}

double CGridCell::GetNumber() const {
    LPCSTR text = GetText();
    return text != NULL ? strtod(text, NULL) : 0.0;
}

int CGridCell::GetInt(int* pValue) const {
    LPCSTR text = GetText();
    if (text == NULL) return 1;
    *pValue = atoi(text);
    return 0;
}

int CGridCell::GetLong(long* pValue) const {
    LPCSTR text = GetText();
    if (text == NULL) return 1;
    *pValue = atol(text);
    return 0;
}

int CGridCell::GetFloat(float* pValue) const {
    LPCSTR text = GetText();
    if (text == NULL) return 1;
    *pValue = (float)strtod(text, NULL);
    return 0;
}

int CGridCell::GetDouble(double* pValue) const {
    LPCSTR text = GetText();
    if (text == NULL) return 1;
    *pValue = strtod(text, NULL);
    return 0;
}

int CGridCell::SetBool(bool bValue) {
    m_strText = bValue ? "1" : "0";
    m_nDataType = GRIDDATA_BOOL;
    m_nFlags |= GRIDCELL_TEXT | GRIDCELL_DATATYPE;
    return 0;
}

bool CGridCell::GetBool() const {
    LPCSTR text = GetText();
    if (text == NULL || *text == '\0') return false;
    if (*text == 'T' || *text == 't') return true;
    return atoi(text) != 0;
}

int CGridCell::SetDateTime(const COleDateTime&) {
    m_nDataType = GRIDDATA_DATETIME;
    return 1;
}

int CGridCell::GetDateTime(COleDateTime&) const { return 1; }

int CGridCell::SetMask(LPCSTR lpszMask) {
    m_strMask = lpszMask != NULL ? lpszMask : "";
    m_nFlags |= GRIDCELL_MASK;
    return 0;
}

LPCSTR CGridCell::GetMask() const { return (m_nFlags & GRIDCELL_MASK) ? (LPCSTR)m_strMask : NULL; }

int CGridCell::GetMask(CString& rMask) const {
    if (!(m_nFlags & GRIDCELL_MASK)) return 1;
    rMask = m_strMask;
    return 0;
}

int CGridCell::SetCaptionText(LPCSTR lpszCaption) {
    m_strCaption = lpszCaption != NULL ? lpszCaption : "";
    m_nFlags |= GRIDCELL_CAPTION;
    return 0;
}

LPCSTR CGridCell::GetCaptionText() const {
    return (m_nFlags & GRIDCELL_CAPTION) ? (LPCSTR)m_strCaption : NULL;
}

int CGridCell::GetCaptionText(CString& rCaption) const {
    if (!(m_nFlags & GRIDCELL_CAPTION)) return 1;
    rCaption = m_strCaption;
    return 0;
}

int CGridCell::SetDataType(int nType) {
    m_nDataType = (WORD)nType;
    m_nFlags |= GRIDCELL_DATATYPE;
    return 0;
}

int CGridCell::GetDataType() const {
    return (m_nFlags & GRIDCELL_DATATYPE) ? m_nDataType : GRIDDATA_TEXT;
}

int CGridCell::SetParam(int nParam) {
    m_nParam = nParam;
    m_nFlags |= GRIDCELL_PARAM;
    return 0;
}

int CGridCell::GetParam() const { return (m_nFlags & GRIDCELL_PARAM) ? m_nParam : 0; }

int CGridCell::SetDecimals(int nDecimals) {
    m_nDecimals = (WORD)nDecimals;
    m_nFlags |= GRIDCELL_DECIMALS;
    return 0;
}

int CGridCell::GetDecimals() const { return (m_nFlags & GRIDCELL_DECIMALS) ? m_nDecimals : 0; }

int CGridCell::SetReadOnly(BOOL bReadOnly) {
    m_bReadOnly = bReadOnly ? 1 : 0;
    m_nFlags |= GRIDCELL_READONLY;
    return 0;
}

BOOL CGridCell::GetReadOnly() const { return (m_nFlags & GRIDCELL_READONLY) ? m_bReadOnly : 0; }

// --- display ------------------------------------------------------------------------------

int CGridCell::SetCellType(int nType) {
    m_nCellType = nType;
    m_nFlags |= GRIDCELL_CELLTYPE;
    return 0;
}

int CGridCell::GetCellType() const { return (m_nFlags & GRIDCELL_CELLTYPE) ? m_nCellType : 0; }

int CGridCell::SetCellTypeStyle(int nStyle) {
    m_nCellTypeStyle = nStyle;
    m_nFlags |= GRIDCELL_TYPESTYLE;
    return 0;
}

int CGridCell::GetCellTypeStyle() const {
    return (m_nFlags & GRIDCELL_TYPESTYLE) ? m_nCellTypeStyle : 0;
}

int CGridCell::SetTextColor(COLORREF cr) {
    m_crText = cr;
    m_nFlags |= GRIDCELL_TEXTCOLOR;
    return 0;
}

COLORREF CGridCell::GetTextColor() const {
    return (m_nFlags & GRIDCELL_TEXTCOLOR) ? m_crText : ::GetSysColor(COLOR_WINDOWTEXT);
}

int CGridCell::SetBackColor(COLORREF cr) {
    m_crBack = cr;
    m_nFlags |= GRIDCELL_BACKCOLOR;
    return 0;
}

COLORREF CGridCell::GetBackColor() const {
    return (m_nFlags & GRIDCELL_BACKCOLOR) ? m_crBack : ::GetSysColor(COLOR_WINDOW);
}

int CGridCell::SetHighlightTextColor(COLORREF cr) {
    m_crHighlightText = cr;
    m_nFlags |= GRIDCELL_HLTEXTCOLOR;
    return 0;
}

COLORREF CGridCell::GetHighlightTextColor() const {
    return (m_nFlags & GRIDCELL_HLTEXTCOLOR) ? m_crHighlightText
                                             : ::GetSysColor(COLOR_HIGHLIGHTTEXT);
}

int CGridCell::SetHighlightBackColor(COLORREF cr) {
    m_crHighlightBack = cr;
    m_nFlags |= GRIDCELL_HLBACKCOLOR;
    return 0;
}

COLORREF CGridCell::GetHighlightBackColor() const {
    return (m_nFlags & GRIDCELL_HLBACKCOLOR) ? m_crHighlightBack : ::GetSysColor(COLOR_HIGHLIGHT);
}

int CGridCell::SetBorder(int nBorder) {
    m_nBorder = (WORD)nBorder;
    m_nFlags |= GRIDCELL_BORDER;
    return 0;
}

int CGridCell::GetBorder() const { return (m_nFlags & GRIDCELL_BORDER) ? m_nBorder : 0; }

int CGridCell::SetBorderPen(CPen* pPen) {
    m_pBorderPen = pPen;
    m_nFlags |= GRIDCELL_BORDERPEN;
    return 0;
}

CPen* CGridCell::GetBorderPen() const {
    return (m_nFlags & GRIDCELL_BORDERPEN) ? m_pBorderPen : NULL;
}

int CGridCell::SetFont(CFont* pFont) {
    m_pFont = pFont;
    m_nFlags |= GRIDCELL_FONT;
    return 0;
}

CFont* CGridCell::GetFont() const { return (m_nFlags & GRIDCELL_FONT) ? m_pFont : NULL; }

int CGridCell::SetBitmap(CBitmap* pBitmap) {
    m_pBitmap = pBitmap;
    if (pBitmap != NULL)
        m_nFlags |= GRIDCELL_BITMAP;
    else
        m_nFlags &= ~GRIDCELL_BITMAP;
    return 0;
}

CBitmap* CGridCell::GetBitmap() const { return (m_nFlags & GRIDCELL_BITMAP) ? m_pBitmap : NULL; }

int CGridCell::SetAlignment(int nAlignment) {
    m_nAlignment = (WORD)nAlignment;
    m_nFlags |= GRIDCELL_ALIGNMENT;
    return 0;
}

int CGridCell::GetAlignment() const { return (m_nFlags & GRIDCELL_ALIGNMENT) ? m_nAlignment : 0; }

// --- caller data, merged ranges, fetch handler and overlay -------------------------------

void* CGridCell::AllocData(UINT nSize) {
    FreeData();
    m_pData = (BYTE*)malloc(nSize != 0 ? nSize : 1);
    if (m_pData == NULL) return NULL;
    memset(m_pData, 0, nSize != 0 ? nSize : 1);
    m_nDataSize = nSize;
    m_nFlags |= GRIDCELL_DATA;
    return m_pData;
}

void CGridCell::FreeData() {
    m_nFlags &= ~GRIDCELL_DATA;
    free(m_pData);
    m_pData = NULL;
    m_nDataSize = 0;
}

void* CGridCell::GetData() const { return (m_nFlags & GRIDCELL_DATA) ? m_pData : NULL; }

UINT CGridCell::GetDataSize() const { return (m_nFlags & GRIDCELL_DATA) ? m_nDataSize : 0; }

int CGridCell::SetMergeInfo(int nOrigin, int nCols, int nRows) {
    m_bMergeOrigin = (WORD)nOrigin;
    m_nMergeCols = nCols;
    m_nMergeRows = nRows;
    m_nFlags |= GRIDCELL_MERGE;
    return 0;
}

int CGridCell::GetMergeInfo(int& nOrigin, int& nCols, int& nRows) const {
    if (!(m_nFlags & GRIDCELL_MERGE)) return 1;
    nOrigin = m_bMergeOrigin;
    nCols = m_nMergeCols;
    nRows = m_nMergeRows;
    return 0;
}

int CGridCell::SetFetchHandler(CGridFetchHandler* pHandler) {
    if (pHandler == NULL) return 1;
    m_pFetchHandler = pHandler;
    m_nFlags |= GRIDCELL_FETCH;
    return 0;
}

CGridFetchHandler* CGridCell::GetFetchHandler() const {
    return (m_nFlags & GRIDCELL_FETCH) ? m_pFetchHandler : NULL;
}

int CGridCell::SetOverlayCell(CGridCell* pCell) {
    m_pOverlayCell = pCell;
    m_nFlags |= GRIDCELL_OVERLAY;
    return 0;
}

CGridCell* CGridCell::GetOverlayCell() const {
    return (m_nFlags & GRIDCELL_OVERLAY) ? m_pOverlayCell : NULL;
}

// --- button pictures ----------------------------------------------------------------------

void CGridCell::ReleaseButton(int nWhich) {
    GridReleaseButtonBitmap(m_pButton[nWhich]);
    m_pButton[nWhich] = NULL;
    m_bBmpLoaded[nWhich] = 0;
}

int CGridCell::SetBitmaps(UINT nId1, UINT nId2) {
    const UINT ids[2] = {nId1, nId2};
    for (int i = 0; i < 2; ++i) {
        if (ids[i] == 0) {
            ReleaseButton(i);
        } else if (m_pButton[i] == NULL || m_nBmpId[i] != ids[i]) {
            // Cells naming the same id share one loaded picture: a copy only counts it.
            CGridSharedBitmap* pShared = GridAcquireButtonBitmap(ids[i]);
            ReleaseButton(i);
            m_pButton[i] = pShared;
            m_bBmpLoaded[i] = pShared->bLoaded;
        }
        m_nBmpId[i] = ids[i];
    }
    return 0;
}

CBitmap* CGridCell::GetBitmapObject(int nWhich) const {
    int i = nWhich != 0 ? 1 : 0;
    return m_bBmpLoaded[i] && m_pButton[i] != NULL ? &m_pButton[i]->bitmap : NULL;
}
