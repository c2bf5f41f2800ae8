// CGridSelection: the grid's multiple selection.
#include "gridselection.h"

#include "gridcellarea.h"
#include "gridhints.h"
#include "gridwnd.h"

#include <algorithm>

CGridSelection::CGridSelection()
    : m_pHead(NULL),
      m_nAnchorCol(-1),
      m_nAnchorRow(-1),
      m_bBlockOpen(0),
      m_pOpen(NULL),
      m_nMode(0),
      m_nCounter(0),
      m_bPending(0),
      m_nIterLeft(0),
      m_nIterTop(0),
      m_nIterRight(-1),
      m_nIterBottom(-1),
      m_nIterCol(0),
      m_nIterRow(0),
      m_bIterating(0),
      m_pGrid(NULL),
      m_nLastClickCol(-1),
      m_nLastClickRow(-1),
      m_nAnchorCol2(-1),
      m_nAnchorRow2(-1) {}

CGridSelection::~CGridSelection() {
    while (m_pHead != NULL) {
        CGridSelBlock* pNext = m_pHead->pNext;
        delete m_pHead;
        m_pHead = pNext;
    }
}

CGridRedrawHints* CGridSelection::Hints() const {
    if (m_pGrid == NULL || m_pGrid->GetCellArea() == NULL) return NULL;
    return &m_pGrid->GetCellArea()->GetHints();
}

void CGridSelection::SpanBlock(CGridSelBlock* b) const {
    b->nTop = std::min(b->nAnchorRow, b->nEndRow);
    b->nBottom = std::max(b->nAnchorRow, b->nEndRow);
    if (m_nMode & GRIDSEL_WHOLEROWS) {
        // The last column is count - 1: a block reaching the count would name cells that
        // do not exist, and a cut would store into them.
        const int nCols = m_pGrid != NULL ? m_pGrid->GetColCount() : 0;
        b->nLeft = 0;
        b->nRight = nCols > 0 ? nCols - 1 : 0;
    } else {
        b->nLeft = std::min(b->nAnchorCol, b->nEndCol);
        b->nRight = std::max(b->nAnchorCol, b->nEndCol);
    }
}

int CGridSelection::BeginBlock(int nCol, int nRow) {
    m_nAnchorCol = m_nAnchorCol2 = nCol;
    m_nAnchorRow = m_nAnchorRow2 = nRow;
    m_bBlockOpen = 1;
    CGridSelBlock* b = new CGridSelBlock;
    b->nAnchorCol = b->nEndCol = nCol;
    b->nAnchorRow = b->nEndRow = nRow;
    b->nSelected = 1;
    b->pNext = NULL;
    SpanBlock(b);
    CGridSelBlock** ppTail = &m_pHead;
    while (*ppTail != NULL) ppTail = &(*ppTail)->pNext;
    *ppTail = b;
    m_pOpen = b;
    m_bPending = 1;
    ++m_nCounter;
    return 0;
}

int CGridSelection::ExtendBlock(int nCol, int nRow) {
    if (!m_bBlockOpen || m_pOpen == NULL) return 1;
    CGridSelBlock* b = m_pOpen;
    const int nOldLeft = b->nLeft, nOldRight = b->nRight, nOldTop = b->nTop,
              nOldBottom = b->nBottom;
    const int nOldEndCol = b->nEndCol, nOldEndRow = b->nEndRow;
    b->nEndCol = nCol;
    b->nEndRow = nRow;
    SpanBlock(b);
    b->nSelected = 1;
    if (m_bPending) {
        m_bPending = 0;
        ++m_nCounter;
    }
    CGridRedrawHints* pHints = Hints();
    if (pHints == NULL) return 0;
    // What changed: the rows (columns) between the old and the new end, across the union of
    // the old and new rectangles.
    const int uLeft = std::min(nOldLeft, b->nLeft), uRight = std::max(nOldRight, b->nRight);
    const int uTop = std::min(nOldTop, b->nTop), uBottom = std::max(nOldBottom, b->nBottom);
    if (b->nEndRow != nOldEndRow)
        pHints->AddRange(uLeft, std::min(nOldEndRow, b->nEndRow), uRight,
                         std::max(nOldEndRow, b->nEndRow));
    if (b->nEndCol != nOldEndCol)
        pHints->AddRange(std::min(nOldEndCol, b->nEndCol), uTop, std::max(nOldEndCol, b->nEndCol),
                         uBottom);
    return 0;
}

int CGridSelection::Clear() {
    m_bBlockOpen = 0;
    m_pOpen = NULL;
    while (m_pHead != NULL) {
        CGridSelBlock* pNext = m_pHead->pNext;
        delete m_pHead;
        m_pHead = pNext;
    }
    if (m_nCounter > 1 && m_pGrid != NULL && m_pGrid->m_hWnd != NULL) m_pGrid->RepaintAll();
    m_bIterating = 0;
    m_nCounter = 0;
    m_nLastClickCol = -1;
    m_nLastClickRow = -1;
    return 0;
}

int CGridSelection::GetAnchor(int* pCol, int* pRow) const {
    if (!m_bBlockOpen) return 1;
    *pCol = m_nAnchorCol;
    *pRow = m_nAnchorRow;
    return 0;
}

int CGridSelection::GetCurrentBlock(int* pLeft, int* pTop, int* pRight, int* pBottom) const {
    if (!m_bBlockOpen || m_pOpen == NULL) return 1;
    *pLeft = m_pOpen->nLeft;
    *pTop = m_pOpen->nTop;
    *pRight = m_pOpen->nRight;
    *pBottom = m_pOpen->nBottom;
    return 0;
}

int CGridSelection::IsSelected(int nCol, int nRow, int* pIndex) const {
    int nResult = 0, nIndex = 0;
    for (const CGridSelBlock* b = m_pHead; b != NULL; b = b->pNext, ++nIndex) {
        if (nCol < b->nLeft || nCol > b->nRight || nRow < b->nTop || nRow > b->nBottom) continue;
        nResult = b->nSelected;
        if (pIndex != NULL) *pIndex = nIndex;
        if (m_nMode & GRIDSEL_FIRSTWINS) break;
    }
    return nResult;
}

int CGridSelection::GetBoundingRange(int* pLeft, int* pTop, int* pRight, int* pBottom) const {
    if (m_pHead == NULL) return 2;
    int l = m_pHead->nLeft, t = m_pHead->nTop, r = m_pHead->nRight, btm = m_pHead->nBottom;
    for (const CGridSelBlock* b = m_pHead->pNext; b != NULL; b = b->pNext) {
        l = std::min(l, b->nLeft);
        t = std::min(t, b->nTop);
        r = std::max(r, b->nRight);
        btm = std::max(btm, b->nBottom);
    }
    *pLeft = l;
    *pTop = t;
    *pRight = r;
    *pBottom = btm;
    return 0;
}

int CGridSelection::GetBlockCount() const {
    int n = 0;
    for (const CGridSelBlock* b = m_pHead; b != NULL; b = b->pNext) ++n;
    return n;
}

void CGridSelection::RepaintSelection(CGridRedrawHints* pHints) const {
    int l, t, r, b;
    if (pHints != NULL && GetBoundingRange(&l, &t, &r, &b) == 0) pHints->AddRange(l, t, r, b);
}

int CGridSelection::GetFirstSelected(int* pCol, int* pRow) {
    const int nCursorCol = m_pGrid != NULL ? m_pGrid->GetCursorCol() : -1;
    const int nCursorRow = m_pGrid != NULL ? m_pGrid->GetCursorRow() : -1;
    if (m_pHead == NULL) {
        // Without blocks the selection is the cursor cell.
        m_bIterating = 0;
        *pCol = nCursorCol;
        *pRow = nCursorRow;
        return 0;
    }
    m_bIterating = 1;
    m_nIterLeft = m_nIterRight = nCursorCol;
    m_nIterTop = m_nIterBottom = nCursorRow;
    for (const CGridSelBlock* b = m_pHead; b != NULL; b = b->pNext) {
        m_nIterLeft = std::min(m_nIterLeft, b->nLeft);
        m_nIterRight = std::max(m_nIterRight, b->nRight);
        m_nIterTop = std::min(m_nIterTop, b->nTop);
        m_nIterBottom = std::max(m_nIterBottom, b->nBottom);
    }
    m_nIterCol = m_nIterLeft;
    m_nIterRow = m_nIterTop;
    return GetNextSelected(pCol, pRow);
}

int CGridSelection::GetNextSelected(int* pCol, int* pRow) {
    if (!m_bIterating) return 1;
    for (; m_nIterRow <= m_nIterBottom; ++m_nIterRow, m_nIterCol = m_nIterLeft) {
        for (; m_nIterCol <= m_nIterRight; ++m_nIterCol) {
            if (IsSelected(m_nIterCol, m_nIterRow) == 0) continue;
            *pCol = m_nIterCol;
            *pRow = m_nIterRow;
            ++m_nIterCol;
            return 0;
        }
    }
    m_bIterating = 0;
    return 1;
}

int CGridSelection::SetMode(int nFlags) {
    Clear();
    m_nMode = nFlags;
    return 0;
}

void CGridSelection::RepaintAndClear() {
    RepaintSelection(Hints());
    Clear();
}

int CGridSelection::OnClickMove(int nCol, int nRow, UINT nKeyFlags) {
    if (nCol == m_nLastClickCol && nRow == m_nLastClickRow) return 0;
    m_nLastClickCol = nCol;
    m_nLastClickRow = nRow;
    if (nKeyFlags & MK_CONTROL) return BeginBlock(nCol, nRow);
    if (nKeyFlags & MK_SHIFT) return ExtendBlock(nCol, nRow);
    RepaintAndClear();
    // Clearing forgot the click; it is still the last one.
    m_nLastClickCol = nCol;
    m_nLastClickRow = nRow;
    return BeginBlock(nCol, nRow);
}

int CGridSelection::OnRightClickMove(int nCol, int nRow, UINT) {
    if (IsSelected(nCol, nRow) != 0) return 0;
    RepaintAndClear();
    return BeginBlock(nCol, nRow);
}

int CGridSelection::OnKeyMove(int nCol, int nRow) {
    if (nCol == m_nLastClickCol && nRow == m_nLastClickRow) return 0;
    if (::GetKeyState(VK_SHIFT) < 0) return ExtendBlock(nCol, nRow);
    if (::GetKeyState(VK_CONTROL) >= 0) RepaintAndClear();
    return BeginBlock(nCol, nRow);
}

int CGridSelection::OnDragMove(int nCol, int nRow, UINT) {
    if (nCol == m_nLastClickCol && nRow == m_nLastClickRow) return 0;
    return ExtendBlock(nCol, nRow);
}
