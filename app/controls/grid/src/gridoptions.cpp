// CGridWnd: the shared fonts, the options the child windows read, locked columns and rows,
// and the tip switches.
#include "gridwnd.h"

#include "gridcellarea.h"
#include "gridscrollbar.h"

#include <string.h>

// --- fonts --------------------------------------------------------------------------------

int CGridWnd::CreateGridFont(LPCSTR lpszFace, int nHeight, int nWeight) {
    return CreateGridFontEx(nHeight, 0, 0, 0, nWeight, 0, 0, 0, 0, 0, 0, 0, 0, lpszFace);
}

int CGridWnd::CreateGridFontEx(int nHeight, int nWidth, int nEscapement, int nOrientation,
                               int nWeight, BYTE bItalic, BYTE bUnderline, BYTE bStrikeOut,
                               BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                               BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFace) {
    LOGFONTA lf;
    memset(&lf, 0, sizeof lf);
    lf.lfHeight = nHeight;
    lf.lfWidth = nWidth;
    lf.lfEscapement = nEscapement;
    lf.lfOrientation = nOrientation;
    lf.lfWeight = nWeight;
    lf.lfItalic = bItalic;
    lf.lfUnderline = bUnderline;
    lf.lfStrikeOut = bStrikeOut;
    lf.lfCharSet = nCharSet;
    lf.lfOutPrecision = nOutPrecision;
    lf.lfClipPrecision = nClipPrecision;
    lf.lfQuality = nQuality;
    lf.lfPitchAndFamily = nPitchAndFamily;
    // A face that does not fit the record is no face at all.
    if (lpszFace != NULL && strlen(lpszFace) < LF_FACESIZE) strcpy(lf.lfFaceName, lpszFace);

    // An equal font made before is shared: the same numbers and the same face.
    const size_t nNumeric = offsetof(LOGFONTA, lfFaceName);
    for (int i = 0; i < m_pFonts->GetSlotCount(); ++i) {
        CFont* pFont = static_cast<CFont*>(m_pFonts->GetAt(i));
        LOGFONTA have;
        if (pFont == NULL || ::GetObjectA(pFont->GetSafeHandle(), sizeof have, &have) == 0)
            continue;
        if (memcmp(&have, &lf, nNumeric) == 0 && strcmp(have.lfFaceName, lf.lfFaceName) == 0) {
            m_pFonts->SetTag(i, m_pFonts->GetTag(i) + 1);
            return i;
        }
    }
    CFont* pFont = new CFont;
    if (!pFont->CreateFontIndirect(&lf)) {
        delete pFont;
        return -1;
    }
    const int nIndex = m_pFonts->Add(pFont, 1);
    if (nIndex < 0) delete pFont;
    return nIndex;
}

int CGridWnd::ReleaseFont(int nIndex) {
    CObject* pFont = m_pFonts->GetAt(nIndex);
    if (pFont == NULL) return 1;
    const int nRefs = m_pFonts->GetTag(nIndex) - 1;
    m_pFonts->SetTag(nIndex, nRefs);
    if (nRefs <= 0) {
        m_pFonts->RemoveAt(nIndex);
        for (int i = 0; i < m_nSheetCount; ++i)
            if (m_ppSheets[i]->m_pDefaultFont == pFont) m_ppSheets[i]->m_pDefaultFont = NULL;
        delete pFont;
    }
    return 0;
}

int CGridWnd::RemoveAllFonts() {
    for (int i = 0; i < m_pFonts->GetSlotCount(); ++i) {
        CObject* pFont = m_pFonts->GetAt(i);
        if (pFont == NULL) continue;
        for (int n = 0; n < m_nSheetCount; ++n)
            if (m_ppSheets[n]->m_pDefaultFont == pFont) m_ppSheets[n]->m_pDefaultFont = NULL;
        delete pFont;
    }
    m_pFonts->RemoveAll();
    return 0;
}

CFont* CGridWnd::GetFont(int nIndex) const { return static_cast<CFont*>(m_pFonts->GetAt(nIndex)); }

int CGridWnd::SetDefaultFontObject(CFont* pFont) {
    if (pFont == NULL) return 1;
    m_pSettings->m_pDefaultFont = pFont;
    return 0;
}

int CGridWnd::SetDefaultFont(int nIndex) { return SetDefaultFontObject(GetFont(nIndex)); }

// --- options ------------------------------------------------------------------------------

namespace {

int StoreInRange(int& nValue, int nNew, int nMin, int nMax) {
    if (nNew < nMin || nNew > nMax) return 1;
    nValue = nNew;
    return 0;
}

const int kNoLimit = 0x7FFFFFFF;

}  // namespace

int CGridWnd::SetDragScrollStep(int nStep) {
    return StoreInRange(m_pSettings->m_nDragScrollStep, nStep, 0, 3);
}

int CGridWnd::SetDragScrollInterval(int nMs) {
    return StoreInRange(m_pSettings->m_nDragScrollInterval, nMs, 0, 32000);
}

int CGridWnd::SetKeyAcceleration(int nDivisor) {
    return StoreInRange(m_pSettings->m_nKeyAcceleration, nDivisor, 0, 1000);
}

int CGridWnd::SetKeyRepeatDelay(int nMs) {
    return StoreInRange(m_pSettings->m_nKeyRepeatDelay, nMs, 0, kNoLimit);
}

int CGridWnd::SetTextMargin(int nPixels) {
    return StoreInRange(m_pSettings->m_nTextMargin, nPixels, 0, kNoLimit);
}

int CGridWnd::SetSizingMode(int nMode) {
    m_pSettings->m_nSizingMode = nMode;
    return 0;
}

int CGridWnd::SetBackBufferPainting(BOOL bOn) {
    m_pSettings->m_bBackBuffer = bOn ? 1 : 0;
    m_pCellArea->SetBackBuffer(m_pSettings->m_bBackBuffer);
    return 0;
}

int CGridWnd::SetLockedColumnCount(int nCount) {
    CGridSettings* s = m_pSettings;
    if (nCount < 0 || nCount > s->m_nColCount) return 1;
    if (nCount == s->m_nLockedCols) return 0;
    s->m_nLockedCols = nCount;
    s->SumLockedSizes();
    s->m_nLeftCol = s->m_nPrevLeftCol = nCount;
    CalcMaxLeftCol();
    UpdateChildWindows();
    return 0;
}

int CGridWnd::SetLockedRowCount(int nCount) {
    CGridSettings* s = m_pSettings;
    if (nCount < 0 || nCount > s->m_nRowCount) return 1;
    if (nCount == s->m_nLockedRows) return 0;
    s->m_nLockedRows = nCount;
    s->SumLockedSizes();
    s->m_nTopRow = s->m_nPrevTopRow = nCount;
    CalcMaxTopRow();
    UpdateChildWindows();
    return 0;
}

int CGridWnd::GetLockedColumnCount() const { return m_pSettings->m_nLockedCols; }

int CGridWnd::GetLockedRowCount() const { return m_pSettings->m_nLockedRows; }

// --- tips ---------------------------------------------------------------------------------

int CGridWnd::EnableCellTips(BOOL bOn) {
    m_pSettings->m_bCellTips = bOn ? 1 : 0;
    if (m_pCellArea->m_hWnd != NULL) m_pCellArea->EnableToolTips(m_pSettings->m_bCellTips);
    return 0;
}

int CGridWnd::EnableVScrollTips(BOOL bOn) {
    m_pSettings->m_bVScrollTips = bOn ? 1 : 0;
    if (m_pVScrollBar->m_hWnd != NULL) m_pVScrollBar->EnableToolTips(m_pSettings->m_bVScrollTips);
    return 0;
}

int CGridWnd::EnableHScrollTips(BOOL bOn) {
    m_pSettings->m_bHScrollTips = bOn ? 1 : 0;
    if (m_pHScrollBar->m_hWnd != NULL) m_pHScrollBar->EnableToolTips(m_pSettings->m_bHScrollTips);
    return 0;
}
