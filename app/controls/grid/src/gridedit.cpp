// CGridWnd: opening, ending and chaining in-place edits, the selection as the grid hands it
// on, the clipboard, and the context menu.
#include "gridwnd.h"

#include "gridcellarea.h"
#include "gridheading.h"
#include "gridinternal.h"
#include "gridselection.h"

#include <string.h>

// --- editing ------------------------------------------------------------------------------

int CGridWnd::BeginEdit() {
    return EditCell(m_pSettings->m_nCursorCol, m_pSettings->m_nCursorRow, 0);
}

int CGridWnd::BeginEditWithKey(UINT nKey) {
    return EditCell(m_pSettings->m_nCursorCol, m_pSettings->m_nCursorRow, nKey);
}

int CGridWnd::EditCell(int nCol, int nRow, UINT nFirstKey) {
    CGridSettings* s = m_pSettings;
    // A body cell, or a heading cell next to the body; the corner has no editor.
    const BOOL bColInRange = nCol >= 0 ? nCol < s->m_nColCount : -nCol <= s->m_nRowHeadingCols;
    const BOOL bRowInRange = nRow >= 0 ? nRow < s->m_nRowCount : -nRow <= s->m_nColHeadingRows;
    if (!HasChildWindows() || !bColInRange || !bRowInRange || (nCol < 0 && nRow < 0)) return 1;

    m_bEditing = 1;
    int nLeft, nTop, nRight, nBottom;
    const BOOL bHadRange = s->m_pSelection->GetBoundingRange(&nLeft, &nTop, &nRight, &nBottom) == 0;
    ClearSelection();
    if (bHadRange && (nLeft != nCol || nRight != nCol || nTop != nRow || nBottom != nRow))
        RepaintRange(nLeft, nTop, nRight, nBottom);

    // The cursor cannot stand on a heading: a heading cell is edited where the cursor is.
    const BOOL bHeading = nCol < 0 || nRow < 0;
    if (!bHeading && (nCol != s->m_nCursorCol || nRow != s->m_nCursorRow) &&
        GotoCell(nCol, nRow) != 0) {
        m_bEditing = 0;
        return 2;
    }

    m_nEditCol = nCol;
    m_nEditRow = nRow;
    m_editCell.Clear();
    GetDisplayCell(nCol, nRow, m_editCell);
    CGridCellType* pType = TypeOfCell(m_editCell);
    if (!pType->UsesEditor()) {
        m_bEditing = 0;
        return 1;
    }

    CRect rc;
    CWnd* pOwner;
    if (!bHeading) {
        GetCellRect(nCol, nRow, rc);
        pOwner = m_pCellArea;
    } else if (nCol < 0) {
        rc = m_pRowHeading->GetHeadingCellRect(nCol, nRow);
        pOwner = m_pRowHeading;
    } else {
        rc = m_pColHeading->GetHeadingCellRect(nCol, nRow);
        pOwner = m_pColHeading;
    }
    rc.right -= 1;
    rc.bottom -= 1;
    pType->AdjustEditRect(&rc);

    if (m_editCell.HasProperties(GRIDCELL_READONLY) && m_editCell.GetReadOnly()) {
        m_bEditing = 0;
        return 1;
    }

    LPCSTR text = m_editCell.GetText() != NULL ? m_editCell.GetText() : "";
    CWnd* pDefault = s->m_pDefaultEditor;
    if (pDefault != NULL && pDefault->m_hWnd != NULL) pDefault->SetWindowText(text);
    m_pActiveEditor = pDefault;
    CGridDataSource* pSource = s->m_pDataSource;
    if ((pSource != NULL && pSource->OnEditStart(nCol, nRow, &m_pActiveEditor) == 0) ||
        !OnEditStart(nCol, nRow, &m_pActiveEditor) || m_pActiveEditor == NULL ||
        m_pActiveEditor->m_hWnd == NULL) {
        m_bEditing = 0;
        return 1;
    }

    m_bEditing = 1;
    m_pEditorOwner = pOwner;
    CWnd* pEditor = m_pActiveEditor;
    pEditor->SetWindowText(text);
    // Without a font of its own the editor takes the system's, not one a cell had before.
    CFont* pFont = m_editCell.GetFont() != NULL ? m_editCell.GetFont() : s->m_pDefaultFont;
    if (pFont != NULL)
        pEditor->SetFont(pFont, FALSE);
    else
        pEditor->SendMessage(WM_SETFONT, 0, FALSE);
    if (pEditor->GetParent() != pOwner) pEditor->SetParent(pOwner);
    ::SetWindowPos(pEditor->m_hWnd, HWND_TOP, rc.left, rc.top, rc.Width(), rc.Height(),
                   SWP_SHOWWINDOW);
    pEditor->SetFocus();
    if (nFirstKey > 0) pEditor->SendMessage(WM_CHAR, nFirstKey, 1);
    return 0;
}

void CGridWnd::AdjustNextEditCell(int& nNextCol, int& nNextRow) {
    CGridSettings* s = m_pSettings;
    int c1 = nNextCol, r1 = nNextRow, c2, r2;
    if (nNextCol >= 0 && nNextCol < s->m_nColCount && nNextRow >= 0 && nNextRow < s->m_nRowCount &&
        GetMergeRange(c1, r1, c2, r2) == 0) {
        // From the range's origin a step into the range lands past it; from elsewhere a
        // step into it lands on its origin.
        if (m_nEditCol == c1) {
            if (nNextCol > c1 && nNextCol <= c2) nNextCol += c2 - c1;
        } else if (nNextCol != c1) {
            nNextCol = c1;
        }
        if (m_nEditRow == r1) {
            if (nNextRow > r1 && nNextRow <= r2) nNextRow += r2 - r1;
        } else if (nNextRow != r1) {
            nNextRow = r1;
        }
    }
    if (nNextCol < 0) nNextCol = s->m_nColCount - 1;
    if (nNextCol >= s->m_nColCount) nNextCol = 0;
    if (nNextRow < 0) nNextRow = s->m_nRowCount - 1;
    if (nNextRow >= s->m_nRowCount) nNextRow = 0;
}

int CGridWnd::FinishEdit(LPCSTR lpszText, BOOL bCancelled, BOOL bContinue, int nNextCol,
                         int nNextRow) {
    CGridSettings* s = m_pSettings;
    if (!m_bEditing) bCancelled = TRUE;
    // The editor's text may live in the editor: keep a copy while the cell is stored.
    const CString text = lpszText != NULL ? lpszText : "";
    CGridDataSource* pSource = s->m_pDataSource;
    if ((pSource != NULL &&
         pSource->OnEditFinish(m_nEditCol, m_nEditRow, m_pActiveEditor, text, bCancelled) != 1) ||
        !OnEditFinish(m_nEditCol, m_nEditRow, m_pActiveEditor, text, bCancelled))
        return m_bEditing ? 0 : 1;

    if (m_pActiveEditor != NULL && m_pActiveEditor->m_hWnd != NULL)
        m_pActiveEditor->ShowWindow(SW_HIDE);
    if (!bCancelled) {
        SetCellText(m_nEditCol, m_nEditRow, text);
        RepaintCell(m_nEditCol, m_nEditRow);
    }

    if (bContinue && m_pEditorOwner == m_pCellArea && s->m_nColCount > 0 && s->m_nRowCount > 0) {
        AdjustNextEditCell(nNextCol, nNextRow);
        if ((pSource == NULL ||
             pSource->OnEditContinue(m_nEditCol, m_nEditRow, &nNextCol, &nNextRow) == 1) &&
            OnEditContinue(m_nEditCol, m_nEditRow, &nNextCol, &nNextRow)) {
            EditCell(nNextCol, nNextRow, 0);
            return 1;
        }
    }
    m_bEditing = 0;
    return 1;
}

int CGridWnd::CancelEdit() {
    m_bEditing = 0;
    // The active editor too: one that OnEditStart put in place must not stay open over a
    // cell with nothing behind it.
    CWnd* editors[] = {m_pSettings->m_pDefaultEditor, m_pActiveEditor};
    const HWND hFocus = ::GetFocus();
    for (CWnd* pEditor : editors)
        if (pEditor != NULL && pEditor->m_hWnd != NULL && pEditor->m_hWnd == hFocus &&
            m_pCellArea->m_hWnd != NULL) {
            m_pCellArea->SetFocus();
            break;
        }
    for (CWnd* pEditor : editors)
        if (pEditor != NULL && pEditor->m_hWnd != NULL) pEditor->ShowWindow(SW_HIDE);
    return 0;
}

// --- selection ----------------------------------------------------------------------------

int CGridWnd::ClearSelection() {
    CGridSettings* s = m_pSettings;
    s->m_pSelection->Clear();
    s->m_nTargetCol = s->m_nCursorCol;
    s->m_nTargetRow = s->m_nCursorRow;
    return 0;
}

int CGridWnd::SelectCell(int nCol, int nRow) {
    m_pSettings->m_pSelection->BeginBlock(nCol, nRow);
    RepaintCell(nCol, nRow);
    return 0;
}

int CGridWnd::IsCellSelected(int nCol, int nRow, int& nSelected) {
    nSelected = m_pSettings->m_pSelection->IsSelected(nCol, nRow);
    return 0;
}

int CGridWnd::SelectRange(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow) {
    CGridSettings* s = m_pSettings;
    if (!s->m_bMultiSelect) return 0;
    s->m_pSelection->BeginBlock(nFirstCol, nFirstRow);
    s->m_pSelection->ExtendBlock(nLastCol, nLastRow);
    s->m_nTargetCol = nLastCol;
    s->m_nTargetRow = nLastRow;
    RepaintRange(nFirstCol, nFirstRow, nLastCol, nLastRow);
    return 0;
}

int CGridWnd::GetFirstSelectedCell(int& nCol, int& nRow) {
    return m_pSettings->m_pSelection->GetFirstSelected(&nCol, &nRow);
}

int CGridWnd::GetNextSelectedCell(int& nCol, int& nRow) {
    return m_pSettings->m_pSelection->GetNextSelected(&nCol, &nRow);
}

int CGridWnd::EnableMultiSelect(BOOL bOn) {
    CGridSettings* s = m_pSettings;
    s->m_bMultiSelect = bOn ? 1 : 0;
    const int nMode = !bOn ? 0 : (s->m_bWholeRowSelection ? GRIDSEL_WHOLEROWS : GRIDSEL_CELLS);
    s->m_nSelectionMode = nMode;
    return s->m_pSelection->SetMode(nMode);
}

int CGridWnd::SetWholeRowSelection(BOOL bOn) {
    CGridSettings* s = m_pSettings;
    s->m_bWholeRowSelection = bOn ? 1 : 0;
    int nMode = s->m_pSelection->GetMode();
    nMode = bOn ? (nMode & ~GRIDSEL_CELLS) | GRIDSEL_WHOLEROWS
                : (nMode & ~GRIDSEL_WHOLEROWS) | GRIDSEL_CELLS;
    s->m_pSelection->SetMode(nMode);
    return 0;
}

// --- clipboard ----------------------------------------------------------------------------

int CGridWnd::GetSelectionText(CString& rText, BOOL bClear) {
    CGridSettings* s = m_pSettings;
    rText.Empty();
    auto inGrid = [s](int c, int r) {
        return c >= 0 && r >= 0 && c < s->m_nColCount && r < s->m_nRowCount;
    };
    CGridCell cell;
    const CGridCell empty;
    int nPrevRow = -1;
    BOOL bFirst = TRUE;
    int nCol, nRow;
    for (int n = GetFirstSelectedCell(nCol, nRow); n == 0; n = GetNextSelectedCell(nCol, nRow)) {
        // No cursor yet (or a stray cell) contributes nothing.
        if (!inGrid(nCol, nRow)) continue;
        if (!bFirst) rText += nRow == nPrevRow ? "\t" : "\n";
        GetDisplayCell(nCol, nRow, cell);
        if (cell.GetText() != NULL) rText += cell.GetText();
        if (bClear) SetCell(nCol, nRow, empty);
        nPrevRow = nRow;
        bFirst = FALSE;
    }
    return 0;
}

namespace {

// Copy and cut: the selection's text to the clipboard (emptying the cells for a cut), then
// no selection.
int CopyOut(CGridWnd* pGrid, BOOL bClear) {
    CString text;
    pGrid->GetSelectionText(text, bClear);
    const int nResult = pGrid->CopyTextToClipboard(text);
    pGrid->ClearSelection();
    pGrid->RepaintAll();
    return nResult;
}

}  // namespace

int CGridWnd::CopySelection() { return CopyOut(this, FALSE); }

int CGridWnd::CutSelection() { return CopyOut(this, TRUE); }

int CGridWnd::CopyTextToClipboard(LPCSTR lpszText) {
    if (lpszText == NULL) lpszText = "";
    if (!::OpenClipboard(m_hWnd)) return 3;
    int nResult = 3;
    ::EmptyClipboard();
    const size_t nLength = strlen(lpszText);
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nLength + 1);
    if (hMem != NULL) {
        char* p = (char*)::GlobalLock(hMem);
        if (p != NULL) {
            memcpy(p, lpszText, nLength + 1);
            ::GlobalUnlock(hMem);
            // The clipboard owns the memory once it took it.
            if (::SetClipboardData(CF_TEXT, hMem) != NULL) {
                nResult = 0;
                hMem = NULL;
            }
        }
        if (hMem != NULL) ::GlobalFree(hMem);
    }
    ::CloseClipboard();
    return nResult;
}

int CGridWnd::GetClipboardText(CString& rText) {
    if (!::OpenClipboard(m_hWnd)) return 3;
    int nResult = 1;
    HANDLE hData = ::GetClipboardData(CF_TEXT);
    if (hData != NULL) {
        LPCSTR p = (LPCSTR)::GlobalLock(hData);
        if (p != NULL) {
            // The block may lack its terminating zero: read no further than it reaches.
            const SIZE_T nSize = ::GlobalSize(hData);
            SIZE_T n = 0;
            while (n < nSize && p[n] != '\0') ++n;
            rText = CString(p, (int)n);
            ::GlobalUnlock(hData);
            nResult = 0;
        }
    }
    ::CloseClipboard();
    return nResult;
}

int CGridWnd::Paste() {
    CString text;
    const int nResult = GetClipboardText(text);
    if (nResult != 0) return nResult;
    return PasteText(text);
}

int CGridWnd::PasteText(const CString& rText) {
    CGridSettings* s = m_pSettings;
    const int c0 = s->m_nCursorCol, r0 = s->m_nCursorRow;
    int c = c0, r = r0, nMaxCol = c0, nMaxRow = r0;
    auto inGrid = [s](int col, int row) {
        return col >= 0 && row >= 0 && col < s->m_nColCount && row < s->m_nRowCount;
    };
    LPCSTR p = rText;
    const int nLength = rText.GetLength();
    int i = 0;
    while (i < nLength) {
        int nEnd = i;
        while (nEnd < nLength && p[nEnd] != '\t' && p[nEnd] != '\r' && p[nEnd] != '\n') ++nEnd;
        if (inGrid(c, r)) {
            SetCellText(c, r, CString(p + i, nEnd - i));
            if (nEnd > i) {
                if (c > nMaxCol) nMaxCol = c;
                if (r > nMaxRow) nMaxRow = r;
            }
        }
        if (nEnd >= nLength) break;
        if (p[nEnd] == '\t') {
            ++c;
        } else {
            if (p[nEnd] == '\r' && nEnd + 1 < nLength && p[nEnd + 1] == '\n') ++nEnd;
            c = c0;
            ++r;
        }
        i = nEnd + 1;
    }
    ClearSelection();
    SelectRange(c0, r0, nMaxCol, nMaxRow);
    RepaintAll();
    return 0;
}

// --- context menu -------------------------------------------------------------------------

int CGridWnd::ClearPopupMenu() {
    while (m_pPopupMenu->GetMenuItemCount() > 0 && m_pPopupMenu->DeleteMenu(0, MF_BYPOSITION)) {}
    return 0;
}

int CGridWnd::AddPopupMenuItem(UINT nID, LPCSTR lpszText) {
    const BOOL bSeparator = nID == (UINT)-1 || lpszText == NULL || *lpszText == '\0';
    const BOOL bDone = bSeparator ? m_pPopupMenu->AppendMenu(MF_SEPARATOR)
                                  : m_pPopupMenu->AppendMenu(MF_STRING, nID, lpszText);
    return bDone ? 0 : 3;
}

int CGridWnd::RemovePopupMenuItem(UINT nID) {
    return m_pPopupMenu->RemoveMenu(nID, MF_BYCOMMAND) ? 0 : 1;
}

int CGridWnd::EnablePopupMenu(BOOL bOn) {
    m_pSettings->m_bPopupMenu = bOn ? 1 : 0;
    return 0;
}

BOOL CGridWnd::IsPopupMenuEnabled() const { return m_pSettings->m_bPopupMenu; }

int CGridWnd::ShowPopupMenu(int nCol, int nRow, CPoint ptScreen, int nSection) {
    if (!m_pSettings->m_bPopupMenu) return 1;
    GetMergeOrigin(nCol, nRow);
    // A refusal changes nothing, the focus included.
    if (!OnMenuStart(nCol, nRow, nSection)) return 2;
    m_nMenuCol = nCol;
    m_nMenuRow = nRow;
    m_nMenuSection = nSection;
    return m_pPopupMenu->TrackPopupMenu(TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, this) ? 0 : 3;
}

void GridShowMenuAt(CGridWnd* pGrid, CWnd* pFrom, int nCol, int nRow, CPoint point, int nSection) {
    if (pGrid == NULL || !pGrid->IsPopupMenuEnabled()) return;
    pFrom->ClientToScreen(&point);
    pGrid->ShowPopupMenu(nCol, nRow, point, nSection);
}
