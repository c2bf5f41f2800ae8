// CGridRedrawHints: the ranges and cells a grid window paints next.
#include "gridhints.h"

CGridRedrawHints::CGridRedrawHints()
    : m_pRanges(NULL),
      m_pLastRange(NULL),
      m_pCells(NULL),
      m_pLastCell(NULL),
      m_nBoundLeft(0),
      m_nBoundRight(0),
      m_nBoundTop(0),
      m_nBoundBottom(0) {}

CGridRedrawHints::~CGridRedrawHints() { Clear(); }

void CGridRedrawHints::AddRange(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow) {
    RangeNode* pNode = new RangeNode{nFirstCol, nFirstRow, nLastCol, nLastRow, NULL};
    if (m_pRanges == NULL) {
        m_pRanges = m_pLastRange = pNode;
        m_nBoundLeft = nFirstCol;
        m_nBoundRight = nLastCol;
        m_nBoundTop = nFirstRow;
        m_nBoundBottom = nLastRow;
        return;
    }
    m_pLastRange->pNext = pNode;
    m_pLastRange = pNode;
    if (nFirstCol < m_nBoundLeft) m_nBoundLeft = nFirstCol;
    if (nLastCol > m_nBoundRight) m_nBoundRight = nLastCol;
    if (nFirstRow < m_nBoundTop) m_nBoundTop = nFirstRow;
    if (nLastRow > m_nBoundBottom) m_nBoundBottom = nLastRow;
}

void CGridRedrawHints::UniteRange(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow) {
    if (m_pRanges == NULL) {
        AddRange(nFirstCol, nFirstRow, nLastCol, nLastRow);
        return;
    }
    RangeNode* p = m_pRanges;
    if (nFirstCol < p->nFirstCol) p->nFirstCol = nFirstCol;
    if (nLastCol > p->nLastCol) p->nLastCol = nLastCol;
    if (nFirstRow < p->nFirstRow) p->nFirstRow = nFirstRow;
    if (nLastRow > p->nLastRow) p->nLastRow = nLastRow;
    if (nFirstCol < m_nBoundLeft) m_nBoundLeft = nFirstCol;
    if (nLastCol > m_nBoundRight) m_nBoundRight = nLastCol;
    if (nFirstRow < m_nBoundTop) m_nBoundTop = nFirstRow;
    if (nLastRow > m_nBoundBottom) m_nBoundBottom = nLastRow;
}

BOOL CGridRedrawHints::IsInRange(int nCol, int nRow) const {
    if (m_pRanges == NULL) return FALSE;
    if (nCol < m_nBoundLeft || nCol > m_nBoundRight || nRow < m_nBoundTop || nRow > m_nBoundBottom)
        return FALSE;
    for (const RangeNode* p = m_pRanges; p != NULL; p = p->pNext)
        if (nCol >= p->nFirstCol && nCol <= p->nLastCol && nRow >= p->nFirstRow &&
            nRow <= p->nLastRow)
            return TRUE;
    return FALSE;
}

void CGridRedrawHints::AddListedCell(int nCol, int nRow) {
    CellNode* pNode = new CellNode{nCol, nRow, NULL};
    if (m_pCells == NULL)
        m_pCells = pNode;
    else
        m_pLastCell->pNext = pNode;
    m_pLastCell = pNode;
}

BOOL CGridRedrawHints::IsListedCell(int nCol, int nRow) const {
    for (const CellNode* p = m_pCells; p != NULL; p = p->pNext)
        if (p->nCol == nCol && p->nRow == nRow) return TRUE;
    return FALSE;
}

BOOL CGridRedrawHints::GetBounds(int& nFirstCol, int& nFirstRow, int& nLastCol,
                                 int& nLastRow) const {
    if (m_pRanges == NULL) {
        nFirstCol = nFirstRow = nLastCol = nLastRow = 0;
        return FALSE;
    }
    nFirstCol = m_pRanges->nFirstCol;
    nFirstRow = m_pRanges->nFirstRow;
    nLastCol = m_pRanges->nLastCol;
    nLastRow = m_pRanges->nLastRow;
    for (const RangeNode* p = m_pRanges->pNext; p != NULL; p = p->pNext) {
        if (p->nFirstCol < nFirstCol) nFirstCol = p->nFirstCol;
        if (p->nFirstRow < nFirstRow) nFirstRow = p->nFirstRow;
        if (p->nLastCol > nLastCol) nLastCol = p->nLastCol;
        if (p->nLastRow > nLastRow) nLastRow = p->nLastRow;
    }
    return TRUE;
}

void CGridRedrawHints::Clear() {
    while (m_pRanges != NULL) {
        RangeNode* pNext = m_pRanges->pNext;
        delete m_pRanges;
        m_pRanges = pNext;
    }
    m_pLastRange = NULL;
    while (m_pCells != NULL) {
        CellNode* pNext = m_pCells->pNext;
        delete m_pCells;
        m_pCells = pNext;
    }
    m_pLastCell = NULL;
}
