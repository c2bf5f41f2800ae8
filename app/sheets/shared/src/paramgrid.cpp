// The parameter grid's look, setters, editing and hooks.
#include "paramgrid.h"

#include <stdlib.h>
#include <string.h>

namespace {

// The standard cell types of every grid.
const int kNormalType = 0;
const int kDropListType = 1;
const int kCheckBoxType = 2;
// The check box's style: its box centred in the cell.
const int kCheckBoxStyle = 0x1100;
const int kCentred = GRIDALIGN_CENTER | GRIDALIGN_VCENTER;
const int kHeadingStyle = 2;
const int kHeadingHeight = 20;
const UINT kMaskedEditId = 0x7FF0;

// The choices of a drop-list caption that are ended by a line feed, in order; a last choice
// without one cannot be chosen.
void SplitChoices(LPCSTR caption, CStringArray& choices) {
    choices.RemoveAll();
    if (caption == NULL) return;
    for (LPCSTR start = caption;;) {
        LPCSTR end = strchr(start, '\n');
        if (end == NULL) return;
        choices.Add(CString(start, (int)(end - start)));
        start = end + 1;
    }
}

// The font of the window the grid sits on (a page, a dialog), as its record; without one,
// the dialogs' MS Sans Serif of 8 points.
LOGFONTA DialogFont(HWND hGrid) {
    LOGFONTA lf;
    HWND hParent = hGrid != NULL ? ::GetParent(hGrid) : NULL;
    HFONT hFont = hParent != NULL ? (HFONT)::SendMessageA(hParent, WM_GETFONT, 0, 0) : NULL;
    if (hFont != NULL && ::GetObjectA(hFont, sizeof lf, &lf) == sizeof lf) return lf;
    memset(&lf, 0, sizeof lf);
    HDC hDC = ::GetDC(NULL);
    lf.lfHeight = -::MulDiv(8, hDC != NULL ? ::GetDeviceCaps(hDC, LOGPIXELSY) : 96, 72);
    if (hDC != NULL) ::ReleaseDC(NULL, hDC);
    lf.lfWeight = FW_NORMAL;
    strcpy(lf.lfFaceName, "MS Sans Serif");
    return lf;
}

}  // namespace

CParamGrid::CParamGrid()
    : m_pDataObject(NULL), m_nParamCellType(-1), m_nNormalFont(-1), m_nBoldFont(-1) {}

CParamGrid::~CParamGrid() {}

void CParamGrid::OnGridSetup() {
    EnableTextOverflow(FALSE);
    SetBackBufferPainting(TRUE);
    SetCancelEditOnFocusLoss(FALSE);
    m_nParamCellType = RegisterCellType(&m_paramCellType);
    // The cells in the text of the dialog around them, the headings in it made bold: a
    // height in pixels of its own would not grow with the dialog's on a screen of more dots
    // per inch.
    const LOGFONTA lf = DialogFont(m_hWnd);
    for (int* pIndex : {&m_nNormalFont, &m_nBoldFont})
        *pIndex = CreateGridFontEx(lf.lfHeight, lf.lfWidth, 0, 0,
                                   pIndex == &m_nBoldFont ? FW_BOLD : FW_NORMAL, lf.lfItalic, 0, 0,
                                   lf.lfCharSet, lf.lfOutPrecision, lf.lfClipPrecision,
                                   lf.lfQuality, lf.lfPitchAndFamily, lf.lfFaceName);
    if (m_maskedEdit.m_hWnd == NULL)
        m_maskedEdit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, kMaskedEditId);
    SetColumnHeadingHeight(kHeadingHeight);
    SetDefaultFont(m_nNormalFont);
}

void CParamGrid::OnCellDblClick(int, int, CRect*, CPoint*, BOOL) { BeginEdit(); }

void CParamGrid::OnGridKeyDown(UINT* pKey, BOOL) {
    if (pKey == NULL || *pKey != VK_DELETE) return;
    const int col = GetCursorCol(), row = GetCursorRow();
    if (!IsGridCell(col, row)) return;
    // Clearing a protected cell, or a drop list, check box or button into a plain empty text
    // cell, would let any user undo the grid's locks and turn choices into unreadable text.
    CGridCell cell;
    GetDisplayCell(col, row, cell);
    if (cell.GetReadOnly() || cell.GetCellType() != kNormalType) return;
    if (ClearCell(col, row) == 0) RepaintAll();
}

void CParamGrid::OnGridChar(UINT* pChar, BOOL bProcessed) {
    if (bProcessed || pChar == NULL) return;
    BeginEditWithKey(*pChar);
}

BOOL CParamGrid::OnCellTypeNotify(int nCellType, int nCol, int nRow, int nCode, LPARAM) {
    switch (nCode) {
        case GRIDNOTIFY_CHECKED: OnCellChanged(nCol, nRow); return TRUE;
        case GRIDNOTIFY_BUTTON:
            // The drop list sends this code too, with its entries, when it opens.
            if (nCellType != m_nParamCellType) return TRUE;
            if (IsCellReadOnly(nCol, nRow)) return FALSE;
            OnCellButton(nCol, nRow);
            return TRUE;
        case GRIDNOTIFY_LISTCHOSEN:
            if (IsCellReadOnly(nCol, nRow)) return FALSE;
            OnCellChanged(nCol, nRow);
            return TRUE;
        case GRIDNOTIFY_LISTSTORED: OnCellChanged(nCol, nRow); return TRUE;
        default: return TRUE;
    }
}

BOOL CParamGrid::OnEditStart(int nCol, int nRow, CWnd** ppEditor) {
    if (!IsGridCell(nCol, nRow)) return FALSE;
    CGridCell cell;
    GetDisplayCell(nCol, nRow, cell);
    if (cell.GetCellType() == kDropListType) return FALSE;
    if ((cell.HasProperties(GRIDCELL_MASK) || nCol == 0) && ppEditor != NULL &&
        m_maskedEdit.m_hWnd != NULL) {
        m_maskedEdit.SetMask(cell.GetMask());
        *ppEditor = &m_maskedEdit;
    }
    return TRUE;
}

BOOL CParamGrid::OnEditFinish(int nCol, int nRow, CWnd*, LPCSTR lpszText, BOOL) {
    CGridCell cell;
    GetDisplayCell(nCol, nRow, cell);
    const CString before = cell.GetText() != NULL ? cell.GetText() : "";
    if (before != (lpszText != NULL ? lpszText : "")) OnCellChanged(nCol, nRow);
    return TRUE;
}

BOOL CParamGrid::OnEditContinue(int, int, int*, int*) { return TRUE; }

COLORREF CParamGrid::OnGetDefaultColor(int nSection) {
    return ::GetSysColor(nSection == GRIDSECTION_CELLS ? COLOR_MENU : COLOR_BTNFACE);
}

void CParamGrid::Initialize(CObject* pDataObject) { m_pDataObject = pDataObject; }

void CParamGrid::OnCellChanged(int, int) {}

void CParamGrid::OnCellButton(int, int) {}

BOOL CParamGrid::IsGridCell(int nCol, int nRow) const {
    return nCol >= -GetRowHeadingColCount() && nCol < GetColCount() &&
           nRow >= -GetColumnHeadingRowCount() && nRow < GetRowCount();
}

BOOL CParamGrid::IsCellReadOnly(int nCol, int nRow) {
    CGridCell cell;
    GetDisplayCell(nCol, nRow, cell);
    return cell.GetReadOnly() != 0;
}

template <class Change>
void CParamGrid::ChangeColumn(int nCol, Change change) {
    const int rows = GetRowCount();
    for (int row = 0; row < rows; ++row) {
        CGridCell cell;
        GetCell(nCol, row, cell);
        change(cell);
        SetCell(nCol, row, cell);
    }
}

void CParamGrid::SetColCellType(int nCol, int nCellType) {
    ChangeColumn(nCol, [&](CGridCell& cell) { cell.SetCellType(nCellType); });
}

void CParamGrid::SetColCellTypeStyle(int nCol, int nStyle) {
    ChangeColumn(nCol, [&](CGridCell& cell) { cell.SetCellTypeStyle(nStyle); });
}

void CParamGrid::SetColBackColor(int nCol, COLORREF cr) {
    ChangeColumn(nCol, [&](CGridCell& cell) { cell.SetBackColor(cr); });
}

void CParamGrid::SetColReadOnly(int nCol, BOOL bReadOnly) {
    ChangeColumn(nCol, [&](CGridCell& cell) { cell.SetReadOnly(bReadOnly); });
}

void CParamGrid::SetColCell(int nCol, const CGridCell& cell) {
    ChangeColumn(nCol, [&](CGridCell& stored) { stored.CopyFrom(cell); });
}

void CParamGrid::SetColCheckBox(int nCol) {
    ChangeColumn(nCol, [](CGridCell& cell) {
        cell.SetCellType(kCheckBoxType);
        cell.SetCellTypeStyle(kCheckBoxStyle);
        cell.SetAlignment(kCentred);
    });
}

void CParamGrid::SetColsCheckBox(int nFirstCol, int nLastCol) {
    for (int col = nFirstCol; col <= nLastCol; ++col) SetColCheckBox(col);
}

void CParamGrid::SetColDropList(int nCol, UINT nStringId) {
    CString choices;
    choices.LoadString(nStringId);
    SetColCellType(nCol, kDropListType);
    for (int row = 0; row < GetRowCount(); ++row) {
        SetCellAlignment(nCol, row, kCentred);
        SetCellCaption(nCol, row, choices);
    }
}

void CParamGrid::SetColButton(int nCol, UINT nBitmapUp, UINT nBitmapDown) {
    for (int row = 0; row < GetRowCount(); ++row) {
        SetCellTypeAt(nCol, row, m_nParamCellType);
        SetCellButtonBitmaps(nCol, row, nBitmapUp, nBitmapDown);
    }
}

void CParamGrid::SetCellButtonBitmaps(int nCol, int nRow, UINT nBitmapUp, UINT nBitmapDown) {
    CGridCell cell;
    GetCell(nCol, nRow, cell);
    cell.SetBitmaps(nBitmapUp, nBitmapDown);
    SetCell(nCol, nRow, cell);
}

void CParamGrid::SetRangeReadOnlyColor(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow,
                                       BOOL bReadOnly, COLORREF cr) {
    for (int row = nFirstRow; row <= nLastRow; ++row) {
        for (int col = nFirstCol; col <= nLastCol; ++col) {
            CGridCell cell;
            GetCell(col, row, cell);
            cell.SetReadOnly(bReadOnly);
            cell.SetBackColor(cr);
            SetCell(col, row, cell);
            RepaintCell(col, row);
        }
    }
}

void CParamGrid::SetDropListIndex(int nCol, int nRow, int nIndex) {
    CGridCell shown;
    GetDisplayCell(nCol, nRow, shown);
    CStringArray choices;
    SplitChoices(shown.GetCaptionText(), choices);
    if (nIndex < 0 || nIndex >= choices.GetSize()) return;
    CGridCell cell;
    GetCell(nCol, nRow, cell);
    cell.SetText(choices[nIndex]);
    SetCell(nCol, nRow, cell);
}

int CParamGrid::GetDropListIndex(int nCol, int nRow) {
    CGridCell cell;
    GetDisplayCell(nCol, nRow, cell);
    if (cell.GetText() == NULL) return -1;
    CStringArray choices;
    SplitChoices(cell.GetCaptionText(), choices);
    for (int i = 0; i < choices.GetSize(); ++i)
        if (choices[i] == cell.GetText()) return i;
    return -1;
}

int CParamGrid::GetCellInt(int nCol, int nRow) {
    CGridCell cell;
    GetDisplayCell(nCol, nRow, cell);
    const char* text = cell.GetText();
    return text != NULL ? (int)strtod(text, NULL) : 0;
}

int CParamGrid::SetCellInt(int nCol, int nRow, int nValue) {
    if (!IsGridCell(nCol, nRow)) return 0;
    CGridCell cell;
    GetCell(nCol, nRow, cell);
    cell.SetNumber(nValue);
    SetCell(nCol, nRow, cell);
    return 0;
}

void CParamGrid::FormatHeadings() {
    for (int row = -1; row >= -GetColumnHeadingRowCount(); --row) {
        for (int col = -1; col < GetColCount(); ++col) {
            CGridCell cell;
            GetCell(col, row, cell);
            cell.SetCellTypeStyle(kHeadingStyle);
            cell.SetFont(GetFont(m_nBoldFont));
            cell.SetAlignment(GRIDALIGN_CENTER);
            SetCell(col, row, cell);
        }
    }
}
