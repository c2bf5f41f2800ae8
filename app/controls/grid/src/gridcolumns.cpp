// CGridWnd: shared pictures, column moves and column data sources, replacing the child
// objects, the print calls, the default editor and the floating window.
#include "gridwnd.h"

#include "gridcellarea.h"
#include "gridcorner.h"
#include "gridheading.h"
#include "gridprint.h"
#include "gridscrollbar.h"
#include "gridselection.h"
#include "gridsheettabs.h"

#include <stdio.h>
#include <string.h>

#include <vector>

// --- pictures -----------------------------------------------------------------------------

int CGridWnd::AddPictureObject(CBitmap* pBitmap) {
    const int nIndex = m_pPictures->Add(pBitmap, 0);
    if (nIndex < 0) delete pBitmap;
    return nIndex;
}

int CGridWnd::AddBitmap(UINT nResourceId, LPCSTR lpszResourceName) {
    CBitmap* pBitmap = new CBitmap;
    const BOOL bLoaded = lpszResourceName != NULL ? pBitmap->LoadBitmap(lpszResourceName)
                                                  : pBitmap->LoadBitmap(nResourceId);
    if (!bLoaded) {
        delete pBitmap;
        return -1;
    }
    return AddPictureObject(pBitmap);
}

namespace {

DWORD Read32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((DWORD)p[3] << 24); }

// The largest bitmap file taken; larger files are refused rather than read whole.
const long kMaxBitmapFile = 64L * 1024 * 1024;

}  // namespace

int GridCheckBitmapFile(const BYTE* p, size_t nLength, size_t* pColours, size_t* pBits) {
    // File header (14 bytes) and an information header of at least 40 bytes.
    if (nLength < 14 + 40 || p[0] != 'B' || p[1] != 'M') return 1;
    const DWORD nOffBits = Read32(p + 10);
    const BITMAPINFOHEADER* bih = (const BITMAPINFOHEADER*)(p + 14);
    if (bih->biSize < 40 || 14 + (size_t)bih->biSize > nLength) return 1;
    const int nBits = bih->biBitCount;
    if (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32)
        return 1;
    if (bih->biWidth <= 0 || bih->biHeight == 0 || bih->biPlanes != 1) return 1;
    if (bih->biCompression != BI_RGB && bih->biCompression != BI_BITFIELDS) return 1;
    if (bih->biCompression == BI_BITFIELDS && nBits != 16 && nBits != 32) return 1;
    // The colour table (or the three masks) follows the information header.
    size_t nColours = 0;
    if (nBits < 16) {
        const size_t nMost = (size_t)1 << nBits;
        nColours = bih->biClrUsed != 0 ? bih->biClrUsed : nMost;
        if (nColours > nMost) return 1;
    }
    // The three masks of a bit-field file follow a 40-byte header; larger headers hold them.
    const size_t nMasksAfter = bih->biCompression == BI_BITFIELDS && bih->biSize < 52 ? 3 : 0;
    const unsigned long long nTableEnd = 14ULL + bih->biSize + 4ULL * (nColours + nMasksAfter);
    if (nTableEnd > nLength || nOffBits < nTableEnd || nOffBits > nLength) return 1;
    const long long nHeight = bih->biHeight < 0 ? -(long long)bih->biHeight : bih->biHeight;
    const unsigned long long nStride = (((unsigned long long)bih->biWidth * nBits + 31) / 32) * 4;
    if (nStride * (unsigned long long)nHeight > nLength - nOffBits) return 1;
    if (pColours != NULL) *pColours = nColours;
    if (pBits != NULL) *pBits = nOffBits;
    return 0;
}

int CGridWnd::AddBitmapFile(LPCSTR lpszPath) {
    FILE* f = lpszPath != NULL ? fopen(lpszPath, "rb") : NULL;
    if (f == NULL) return -1;
    std::vector<BYTE> data;
    long nLength = -1;
    if (fseek(f, 0, SEEK_END) == 0) nLength = ftell(f);
    if (nLength > 0 && nLength <= kMaxBitmapFile && fseek(f, 0, SEEK_SET) == 0) {
        data.resize((size_t)nLength);
        if (fread(data.data(), 1, data.size(), f) != data.size()) data.clear();
    }
    fclose(f);
    size_t nColours = 0, nOffBits = 0;
    if (data.empty() || GridCheckBitmapFile(data.data(), data.size(), &nColours, &nOffBits) != 0)
        return -1;

    // The header and colour table (or the masks) as one BITMAPINFO of the plain 40-byte form.
    const BITMAPINFOHEADER* bih = (const BITMAPINFOHEADER*)(data.data() + 14);
    const size_t nMasks = bih->biCompression == BI_BITFIELDS ? 3 : 0;
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 4 * (nColours + nMasks));
    memcpy(info.data(), bih, sizeof(BITMAPINFOHEADER));
    ((BITMAPINFOHEADER*)info.data())->biSize = sizeof(BITMAPINFOHEADER);
    const BYTE* pTable = data.data() + 14 + bih->biSize;
    if (nMasks > 0 && bih->biSize >= 52) pTable = data.data() + 14 + 40;
    memcpy(info.data() + sizeof(BITMAPINFOHEADER), pTable, 4 * (nColours + nMasks));

    HWND hRef = m_pCellArea->m_hWnd;
    HDC hDC = ::GetDC(hRef);
    HBITMAP hBitmap =
        ::CreateDIBitmap(hDC, (const BITMAPINFOHEADER*)info.data(), CBM_INIT,
                         data.data() + nOffBits, (const BITMAPINFO*)info.data(), DIB_RGB_COLORS);
    ::ReleaseDC(hRef, hDC);
    if (hBitmap == NULL) return -1;
    CBitmap* pBitmap = new CBitmap;
    pBitmap->Attach(hBitmap);
    return AddPictureObject(pBitmap);
}

int CGridWnd::RemoveBitmap(int nIndex) {
    CObject* pBitmap = m_pPictures->GetAt(nIndex);
    if (pBitmap == NULL) return 1;
    m_pPictures->RemoveAt(nIndex);
    delete pBitmap;
    return 0;
}

int CGridWnd::RemoveAllBitmaps() {
    for (int i = 0; i < m_pPictures->GetSlotCount(); ++i) delete m_pPictures->GetAt(i);
    m_pPictures->RemoveAll();
    return 0;
}

CBitmap* CGridWnd::GetBitmap(int nIndex) const {
    return static_cast<CBitmap*>(m_pPictures->GetAt(nIndex));
}

// --- columns ------------------------------------------------------------------------------

int CGridWnd::MoveColumn(int nFrom, int nTo, BOOL bBefore) {
    CGridSettings* s = m_pSettings;
    const int nTarget = bBefore ? nTo : nTo + 1;
    if (nFrom < 0 || nFrom >= s->m_nColCount || nTarget < 0 || nTarget > s->m_nColCount) return 1;
    if (nTarget == nFrom || nTarget == nFrom + 1) return 0;
    const CGridColumn moved = s->m_columns[nFrom];
    s->m_columns.erase(s->m_columns.begin() + nFrom);
    s->m_columns.insert(s->m_columns.begin() + (nFrom < nTarget ? nTarget - 1 : nTarget), moved);
    s->SumLockedSizes();
    LayoutChildWindows();
    RepaintAll();
    return 0;
}

int CGridWnd::SetColumnDataSourceIndex(int nCol, int nIndex) {
    if (nIndex < 0 || nIndex > m_nDataSourceCount) return 1;
    return SetColumnDataSource(nCol, GetDataSource(nIndex));
}

int CGridWnd::SetColumnDataSource(int nCol, CGridDataSource* pSource) {
    CGridSettings* s = m_pSettings;
    if (nCol < 0 || nCol >= s->m_nColCount || pSource == NULL) return 1;
    s->m_columns[nCol].pDataSource = pSource;
    return 0;
}

// --- child objects ------------------------------------------------------------------------

// A replacement takes the old window's place: its class, styles, id and rectangle.
template <class T>
void CGridWnd::ReplaceChild(T*& pOld, T* pNew) {
    if (pNew == NULL || pNew == pOld) return;
    struct Place {
        char szClass[128];
        DWORD dwStyle, dwExStyle;
        UINT nID;
        CRect rc;
    } place;
    const BOOL bHadWindow = pOld != NULL && pOld->m_hWnd != NULL;
    if (bHadWindow) {
        // The editors live in the window they last edited over: they move back to the grid
        // (an open edit ends unstored) so that they do not go with the old window.
        if (m_bEditing) CancelEdit();
        CWnd* editors[] = {&m_inPlaceEdit, m_pSettings->m_pDefaultEditor, m_pActiveEditor};
        for (CWnd* pEditor : editors)
            if (pEditor != NULL && pEditor->m_hWnd != NULL &&
                ::GetParent(pEditor->m_hWnd) == pOld->m_hWnd) {
                pEditor->ShowWindow(SW_HIDE);
                pEditor->SetParent(this);
            }
        ::GetClassNameA(pOld->m_hWnd, place.szClass, sizeof place.szClass);
        place.dwStyle = (DWORD)::GetWindowLongA(pOld->m_hWnd, GWL_STYLE);
        place.dwExStyle = (DWORD)::GetWindowLongA(pOld->m_hWnd, GWL_EXSTYLE);
        place.nID = (UINT)::GetDlgCtrlID(pOld->m_hWnd);
        ::GetWindowRect(pOld->m_hWnd, &place.rc);
        ScreenToClient(&place.rc);
        pOld->DestroyWindow();
    }
    delete pOld;
    pOld = pNew;
    pNew->m_pGrid = this;
    pNew->m_pSettings = m_pSettings;
    if (bHadWindow && pNew->m_hWnd == NULL)
        pNew->CreateEx(place.dwExStyle, place.szClass, "", place.dwStyle, place.rc, this,
                       place.nID);
}

int CGridWnd::SetCellAreaWindow(CGridCellArea* pWnd) {
    ReplaceChild(m_pCellArea, pWnd);
    return 0;
}

int CGridWnd::SetColumnHeadingWindow(CGridColumnHeading* pWnd) {
    ReplaceChild(m_pColHeading, pWnd);
    return 0;
}

int CGridWnd::SetRowHeadingWindow(CGridRowHeading* pWnd) {
    ReplaceChild(m_pRowHeading, pWnd);
    return 0;
}

int CGridWnd::SetVScrollBarWindow(CGridVScrollBar* pWnd) {
    ReplaceChild(m_pVScrollBar, pWnd);
    return 0;
}

int CGridWnd::SetHScrollBarWindow(CGridHScrollBar* pWnd) {
    ReplaceChild(m_pHScrollBar, pWnd);
    return 0;
}

int CGridWnd::SetSheetTabsWindow(CGridSheetTabs* pWnd) {
    ReplaceChild(m_pSheetTabs, pWnd);
    return 0;
}

int CGridWnd::SetSelectionObject(CGridSelection* pSelection) {
    if (pSelection == NULL || pSelection == m_pSettings->m_pSelection) return 0;
    const int nMode = m_pSettings->m_pSelection->GetMode();
    delete m_pSettings->m_pSelection;
    m_pSettings->m_pSelection = pSelection;
    pSelection->SetGrid(this);
    pSelection->SetMode(nMode);
    return 0;
}

// --- printing -----------------------------------------------------------------------------

int CGridWnd::PreparePrint(CDC* pDC, int, int nFirstCol, int nFirstRow, int nLastCol,
                           int nLastRow) {
    m_pPrint->m_pSettings = m_pSettings;
    return m_pPrint->Layout(CGridPrint::MeasuresOf(pDC), nFirstCol, nFirstRow, nLastCol, nLastRow);
}

int CGridWnd::PrintPage(CDC* pDC, int nPage) { return m_pPrint->PrintPage(pDC, nPage); }

int CGridWnd::SetPrintOption(int nId, int nValue) {
    m_pPrint->SetOption(nId, nValue);
    return 0;
}

int CGridWnd::GetPrintOption(int nId, int* pValue) { return m_pPrint->GetOption(nId, pValue); }

// --- editor and floating window -----------------------------------------------------------

int CGridWnd::SetDefaultEditor(CWnd* pEditor) {
    m_pSettings->m_pDefaultEditor = pEditor;
    return 0;
}

CWnd* CGridWnd::GetDefaultEditor() const { return m_pSettings->m_pDefaultEditor; }

int CGridWnd::SetFloatingWindowMode(int nMode) {
    m_pSettings->m_nFloatingWindowMode = nMode;
    return 0;
}

int CGridWnd::SetFloatingWindow(CWnd* pWnd) {
    if (pWnd == NULL) return 1;
    m_pFloatingWnd = pWnd;
    if (pWnd->m_hWnd != NULL)
        ::SetWindowPos(pWnd->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return 0;
}

BOOL GridPlaceOffCell(const CRect& rcOld, const CRect& rcCell, int nScreenW, int nScreenH,
                      int nMode, CRect& rcNew) {
    CRect f = rcOld;
    BOOL bMoved = FALSE;
    if (nMode == 1) {
        f.OffsetRect(rcCell.right + 30 - f.left, rcCell.top - f.top);
        bMoved = TRUE;
    }
    CRect overlap;
    if (overlap.IntersectRect(&f, &rcCell)) {
        // The first shift that keeps the window on the screen.
        const int dRight = rcCell.right - f.left + 5;
        const int dDown = rcCell.bottom - f.top + 5;
        const int dLeft = rcCell.left - f.right - 5;
        const int dUp = rcCell.top - f.bottom - 5;
        f = rcOld;
        if (rcOld.right + dRight < nScreenW)
            f.OffsetRect(dRight, 0);
        else if (rcOld.bottom + dDown < nScreenH)
            f.OffsetRect(0, dDown);
        else if (rcOld.left + dLeft >= 1)
            f.OffsetRect(dLeft, 0);
        else if (rcOld.top + dUp >= 0)
            f.OffsetRect(0, dUp);
        bMoved = TRUE;
    }
    rcNew = f;
    return bMoved && f != rcOld;
}

void CGridWnd::KeepFloatingWindowOffCursor() {
    CGridSettings* s = m_pSettings;
    if (m_pFloatingWnd == NULL || m_pFloatingWnd->m_hWnd == NULL || m_pCellArea->m_hWnd == NULL ||
        s->m_nCursorCol < 0 || s->m_nCursorRow < 0)
        return;
    CRect rcOld, rcCell;
    m_pFloatingWnd->GetWindowRect(&rcOld);
    GetCellRect(s->m_nCursorCol, s->m_nCursorRow, rcCell);
    m_pCellArea->ClientToScreen(&rcCell);
    CRect rcNew;
    if (!GridPlaceOffCell(rcOld, rcCell, ::GetSystemMetrics(SM_CXSCREEN),
                          ::GetSystemMetrics(SM_CYSCREEN), s->m_nFloatingWindowMode, rcNew))
        return;
    OnFloatingWindowMoving(&rcOld, &rcNew);
    // A child window is placed in its parent's coordinates.
    CWnd* pParent = m_pFloatingWnd->GetParent();
    if ((m_pFloatingWnd->GetStyle() & WS_CHILD) && pParent != NULL) pParent->ScreenToClient(&rcNew);
    m_pFloatingWnd->MoveWindow(&rcNew, TRUE);
    UpdateChildWindows();
}
