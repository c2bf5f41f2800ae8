// CGridWnd: the find and replace dialogs, searching through the sheet's data source and
// sorting its rows.
#include "gridwnd.h"

#include "gridinternal.h"

#include <string.h>

namespace {

// Whether the text holds the part (or equals it, bWhole), as the search's case rule says.
BOOL TextHolds(const CString& text, const CString& part, BOOL bNoCase, BOOL bWhole) {
    if (bWhole)
        return bNoCase ? GridCompareTextNoCase(text, part) == 0 : GridCompareText(text, part) == 0;
    if (bNoCase) return strstr(GridUpperCopy(text), GridUpperCopy(part)) != NULL;
    return strstr(text, part) != NULL;
}

}  // namespace

UINT CGridWnd::GetFindReplaceMessage() {
    // Registered once for the process, whichever grid source asks first.
    static const UINT nMessage = ::RegisterWindowMessageA(FINDMSGSTRINGA);
    return nMessage;
}

BOOL CALLBACK CGridWnd::ReplaceChildText(HWND hWnd, LPARAM lParam) {
    LPCSTR* texts = (LPCSTR*)lParam;
    char text[256] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    // Case aside: the system's dialogs differ in how they capitalise the box's label.
    if (strstr(GridUpperCopy(text), GridUpperCopy(texts[0])) == NULL) return TRUE;
    ::SetWindowTextA(hWnd, texts[1]);
    return FALSE;
}

int CGridWnd::OpenFindDialog(BOOL bFindOnly) {
    if (m_bFindDialogOpen && m_pFindDialog != NULL && m_pFindDialog->m_hWnd != NULL) return 1;
    CFindReplaceDialog* pDialog = new CFindReplaceDialog;
    if (!pDialog->Create(bFindOnly, "", NULL, FR_DOWN, this)) {
        delete pDialog;
        return 3;
    }
    m_pFindDialog = pDialog;
    m_bFindDialogOpen = 1;
    // The whole-word box means the whole cell here.
    LPCSTR texts[2] = {"&whole word", "Match &entire cell text"};
    ::EnumChildWindows(pDialog->m_hWnd, ReplaceChildText, (LPARAM)texts);
    return 0;
}

int CGridWnd::ShowFindDialog() { return OpenFindDialog(TRUE); }

int CGridWnd::ShowReplaceDialog() { return OpenFindDialog(FALSE); }

int CGridWnd::SetFindAllColumns(BOOL bOn) {
    m_bSearchAllColumns = bOn ? 1 : 0;
    return 0;
}

int CGridWnd::GridColOfSourceCol(int nSourceCol) const {
    const CGridSettings* s = m_pSettings;
    for (int c = 0; c < s->m_nColCount; ++c)
        if (s->m_columns[c].nDataSourceCol == nSourceCol &&
            s->m_columns[c].pDataSource == s->m_pDataSource)
            return c;
    return nSourceCol;
}

int CGridWnd::Search(BOOL bFirst, LPCSTR lpszText, int& nCol, int& nRow, UINT nFlags) {
    CGridDataSource* pSource = m_pSettings->m_pDataSource;
    if (pSource == NULL) return 1;
    nCol = GetDataSourceCol(nCol);
    const int nResult = bFirst ? pSource->FindFirst(lpszText, nCol, nRow, nFlags)
                               : pSource->FindNext(lpszText, nCol, nRow, nFlags);
    // The source finds its own column: the grid column showing it is where the cursor goes
    // and what is written (after a column move they differ).
    if (nResult == 0) nCol = GridColOfSourceCol(nCol);
    return nResult;
}

int CGridWnd::FindFirst(LPCSTR lpszText, int& nCol, int& nRow, UINT nFlags) {
    return Search(TRUE, lpszText, nCol, nRow, nFlags);
}

int CGridWnd::FindNext(LPCSTR lpszText, int& nCol, int& nRow, UINT nFlags) {
    return Search(FALSE, lpszText, nCol, nRow, nFlags);
}

int CGridWnd::SortByColumn(int nCol, UINT nFlags) { return SortByColumns(&nCol, 1, nFlags); }

int CGridWnd::SortByColumns(int* pCols, int nCount, UINT nFlags) {
    CGridDataSource* pSource = m_pSettings->m_pDataSource;
    if (pSource == NULL) return 1;
    for (int i = 0; pCols != NULL && i < nCount; ++i) pCols[i] = GetDataSourceCol(pCols[i]);
    const int nResult = pSource->SortRows(pCols, nCount, nFlags);
    RepaintAll();
    return nResult;
}

LRESULT CGridWnd::OnFindReplace(WPARAM, LPARAM lParam) {
    CFindReplaceDialog* pDialog = m_pFindDialog;
    if (pDialog == NULL || pDialog->m_hWnd == NULL) return 0;
    if (CFindReplaceDialog::GetNotifier(lParam) != pDialog) return 0;
    if (pDialog->IsTerminating()) {
        // The dialog deletes itself as its window goes.
        m_bFindDialogOpen = 0;
        m_pFindDialog = NULL;
        return 1;
    }
    CGridSettings* s = m_pSettings;
    int nCol = s->m_nCursorCol, nRow = s->m_nCursorRow;
    const CString what = pDialog->GetFindString();
    const CString with = pDialog->GetReplaceString();
    const BOOL bWhole = pDialog->MatchWholeWord();
    const BOOL bNoCase = !pDialog->MatchCase();
    UINT nFlags = 0;
    if (!bWhole) nFlags |= GRIDFIND_PART;
    if (bNoCase) nFlags |= GRIDFIND_NOCASE;
    if (!pDialog->SearchDown()) nFlags |= GRIDFIND_BACKWARDS;
    if (m_bSearchAllColumns) nFlags |= GRIDFIND_BYROWS;

    // Replace writes the cursor cell only when it holds what is searched for: pressed before
    // any Find, it would otherwise overwrite whatever cell the cursor stands on.
    CString current;
    if (pDialog->ReplaceCurrent() && nCol >= 0 && nRow >= 0 &&
        GetCellTextString(nCol, nRow, current) == 0 && TextHolds(current, what, bNoCase, bWhole)) {
        SetCellText(nCol, nRow, with);
        RepaintCell(nCol, nRow);
    }
    if (pDialog->ReplaceAll()) {
        // A replacement the search finds again (equal, or holding the search text, under
        // the search's own case rule) would be replaced without end.
        if (TextHolds(with, what, bNoCase, TRUE)) return 0;
        if (!bWhole && TextHolds(with, what, bNoCase, FALSE)) return 0;
        int nReplaced = 0;
        int nFirstCol = -1, nFirstRow = -1;
        const long nMost = (long)s->m_nColCount * (long)s->m_nRowCount;
        while (nReplaced < nMost && FindNext(what, nCol, nRow, nFlags) == 0) {
            // Once round the grid is enough: a cell the source would not change is found
            // again where the pass began.
            if (nCol == nFirstCol && nRow == nFirstRow) break;
            if (GotoCell(nCol, nRow) != 0) break;
            if (nReplaced == 0) {
                nFirstCol = nCol;
                nFirstRow = nRow;
            }
            SetCellText(nCol, nRow, with);
            RepaintCell(nCol, nRow);
            ++nReplaced;
        }
        if (nReplaced > 0) return 0;
        nCol = s->m_nCursorCol;
        nRow = s->m_nCursorRow;
    }
    if (FindNext(what, nCol, nRow, nFlags) == 0) {
        GotoCell(nCol, nRow);
        return 0;
    }
    MessageBox("Item not found", "Not Found", MB_OK);
    if (m_pFindDialog != NULL && m_pFindDialog->m_hWnd != NULL) m_pFindDialog->SetFocus();
    return 0;
}
