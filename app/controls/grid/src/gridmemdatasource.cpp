// CGridDataSource's neutral base and CGridMemDataSource, the grid's store of cells in
// memory.
#include "griddatasource.h"

#include "gridinternal.h"
#include "gridsettings.h"
#include "gridwnd.h"

#include <string.h>

#include <vector>

CGridDataSource::CGridDataSource() : m_pGrid(NULL), m_nId(-1) {}

CGridDataSource::~CGridDataSource() {}

// --- CGridMemDataSource -------------------------------------------------------------------

CGridMemDataSource::CGridMemDataSource()
    : m_pFirstRow(NULL),
      m_pLastRow(NULL),
      m_nFirstRow(0),
      m_nRows(0),
      m_nCurRow(0),
      m_pCurRow(NULL),
      m_nCurCol(0),
      m_pCurCell(NULL),
      m_nFindCol(0),
      m_nFindRow(0) {}

CGridMemDataSource::~CGridMemDataSource() { DeleteAll(); }

CGridMemDataSource::RowNode* CGridMemDataSource::NewRow() {
    RowNode* pRow = new RowNode;
    pRow->pFirst = NULL;
    pRow->nFirstCol = 0;
    pRow->pNext = NULL;
    pRow->pPrev = NULL;
    return pRow;
}

void CGridMemDataSource::FreeCells(RowNode* pRow) {
    CellNode* p = pRow->pFirst;
    while (p != NULL) {
        CellNode* pNext = p->pNext;
        delete p->pCell;
        delete p;
        p = pNext;
    }
    pRow->pFirst = NULL;
}

BOOL CGridMemDataSource::GotoRow(int nRow, BOOL bCreate) {
    if (m_nRows == 0) {
        if (!bCreate) return FALSE;
        m_pFirstRow = m_pLastRow = NewRow();
        m_nFirstRow = 0;
        m_nRows = 1;
        m_pCurRow = NULL;
    }
    int nLastRow = m_nFirstRow + m_nRows - 1;
    if (m_pCurRow == NULL) {
        m_pCurRow = m_pFirstRow;
        m_nCurRow = m_nFirstRow;
        m_pCurCell = NULL;
    }
    if (m_nCurRow == nRow) return TRUE;
    // Walk from whichever of the cursor and the two ends lies nearest to the row.
    int nFromCursor = nRow > m_nCurRow ? nRow - m_nCurRow : m_nCurRow - nRow;
    int nFromFirst = nRow > m_nFirstRow ? nRow - m_nFirstRow : m_nFirstRow - nRow;
    int nFromLast = nRow > nLastRow ? nRow - nLastRow : nLastRow - nRow;
    if (nFromFirst < nFromCursor && nFromFirst <= nFromLast) {
        m_pCurRow = m_pFirstRow;
        m_nCurRow = m_nFirstRow;
    } else if (nFromLast < nFromCursor) {
        m_pCurRow = m_pLastRow;
        m_nCurRow = nLastRow;
    }
    m_pCurCell = NULL;
    while (m_nCurRow < nRow) {
        if (m_pCurRow->pNext == NULL) {
            if (!bCreate) return FALSE;
            RowNode* pRow = NewRow();
            pRow->pPrev = m_pCurRow;
            m_pCurRow->pNext = pRow;
            m_pLastRow = pRow;
            ++m_nRows;
        }
        m_pCurRow = m_pCurRow->pNext;
        ++m_nCurRow;
    }
    while (m_nCurRow > nRow) {
        if (m_pCurRow->pPrev == NULL) {
            if (!bCreate) return FALSE;
            RowNode* pRow = NewRow();
            pRow->pNext = m_pCurRow;
            m_pCurRow->pPrev = pRow;
            m_pFirstRow = pRow;
            --m_nFirstRow;
            ++m_nRows;
        }
        m_pCurRow = m_pCurRow->pPrev;
        --m_nCurRow;
    }
    return TRUE;
}

BOOL CGridMemDataSource::GotoCol(int nCol, BOOL bCreate) {
    RowNode* pRow = m_pCurRow;
    if (pRow == NULL) return FALSE;
    if (pRow->pFirst == NULL) {
        if (!bCreate) return FALSE;
        pRow->pFirst = new CellNode{NULL, NULL, NULL};
        pRow->nFirstCol = 0;
        m_pCurCell = NULL;
    }
    // Walk from the cell cursor, or from the row's first cell when that lies nearer.
    int nFromCursor = nCol > m_nCurCol ? nCol - m_nCurCol : m_nCurCol - nCol;
    int nFromFirst = nCol > pRow->nFirstCol ? nCol - pRow->nFirstCol : pRow->nFirstCol - nCol;
    if (m_pCurCell == NULL || nFromFirst < nFromCursor) {
        m_pCurCell = pRow->pFirst;
        m_nCurCol = pRow->nFirstCol;
    }
    while (m_nCurCol < nCol) {
        if (m_pCurCell->pNext == NULL) {
            if (!bCreate) return FALSE;
            CellNode* pNode = new CellNode{NULL, NULL, m_pCurCell};
            m_pCurCell->pNext = pNode;
        }
        m_pCurCell = m_pCurCell->pNext;
        ++m_nCurCol;
    }
    while (m_nCurCol > nCol) {
        if (m_pCurCell->pPrev == NULL) {
            if (!bCreate) return FALSE;
            CellNode* pNode = new CellNode{NULL, m_pCurCell, NULL};
            m_pCurCell->pPrev = pNode;
            pRow->pFirst = pNode;
            --pRow->nFirstCol;
        }
        m_pCurCell = m_pCurCell->pPrev;
        --m_nCurCol;
    }
    return TRUE;
}

BOOL CGridMemDataSource::HasPosition(int nCol, int nRow) {
    return GotoRow(nRow, FALSE) && GotoCol(nCol, FALSE);
}

int CGridMemDataSource::GetCell(int nCol, int nRow, CGridCell* pCell) {
    if (!GotoRow(nRow, FALSE) || !GotoCol(nCol, FALSE) || m_pCurCell->pCell == NULL) return 1;
    if (pCell != NULL) pCell->MergeFrom(*m_pCurCell->pCell);
    return 0;
}

int CGridMemDataSource::SetCell(int nCol, int nRow, const CGridCell* pCell) {
    if (pCell == NULL) return 1;
    GotoRow(nRow, TRUE);
    GotoCol(nCol, TRUE);
    if (m_pCurCell->pCell == NULL) m_pCurCell->pCell = new CGridCell;
    pCell->CopyTo(*m_pCurCell->pCell);
    return 0;
}

int CGridMemDataSource::ClearCell(int nCol, int nRow) {
    if (!GotoRow(nRow, FALSE) || !GotoCol(nCol, FALSE)) return 1;
    delete m_pCurCell->pCell;
    m_pCurCell->pCell = NULL;
    return 0;
}

int CGridMemDataSource::DeleteAll() {
    RowNode* pRow = m_pFirstRow;
    while (pRow != NULL) {
        RowNode* pNext = pRow->pNext;
        FreeCells(pRow);
        delete pRow;
        pRow = pNext;
    }
    m_pFirstRow = m_pLastRow = NULL;
    m_nFirstRow = 0;
    m_nRows = 0;
    m_pCurRow = NULL;
    m_nCurRow = 0;
    m_pCurCell = NULL;
    m_nCurCol = 0;
    return -1;
}

// --- rows ---------------------------------------------------------------------------------

int CGridMemDataSource::InsertRow(int nRow) {
    // Heading rows (negative numbers) are not body rows: nothing is inserted among them.
    if (nRow < 0) return 1;
    if (!GotoRow(nRow, FALSE)) return 0;
    RowNode* pOld = m_pCurRow;
    RowNode* pRow = NewRow();
    pRow->pNext = pOld;
    pRow->pPrev = pOld->pPrev;
    if (pOld->pPrev != NULL)
        pOld->pPrev->pNext = pRow;
    else
        m_pFirstRow = pRow;
    pOld->pPrev = pRow;
    ++m_nRows;
    m_pCurRow = pRow;
    m_pCurCell = NULL;
    return 0;
}

int CGridMemDataSource::DeleteRow(int nRow) {
    if (nRow < 0) return 1;
    if (!GotoRow(nRow, FALSE)) return 0;
    RowNode* pRow = m_pCurRow;
    FreeCells(pRow);
    if (pRow->pPrev != NULL)
        pRow->pPrev->pNext = pRow->pNext;
    else
        m_pFirstRow = pRow->pNext;
    if (pRow->pNext != NULL)
        pRow->pNext->pPrev = pRow->pPrev;
    else
        m_pLastRow = pRow->pPrev;
    --m_nRows;
    // The cursor goes to the row that took this one's place, else to the one before it.
    if (pRow->pNext != NULL) {
        m_pCurRow = pRow->pNext;
    } else if (pRow->pPrev != NULL) {
        m_pCurRow = pRow->pPrev;
        --m_nCurRow;
    } else {
        m_pCurRow = NULL;
        m_nCurRow = 0;
        m_nFirstRow = 0;
    }
    m_pCurCell = NULL;
    delete pRow;
    return 0;
}

CGridMemDataSource::CellNode* CGridMemDataSource::NodeAt(RowNode* pRow, int nCol) {
    if (nCol < pRow->nFirstCol) return NULL;
    CellNode* pNode = pRow->pFirst;
    for (int c = pRow->nFirstCol; pNode != NULL && c < nCol; ++c) pNode = pNode->pNext;
    return pNode;
}

// --- columns ------------------------------------------------------------------------------

void CGridMemDataSource::ShiftGridColumns(int nFrom, int nDelta) {
    if (m_pGrid == NULL) return;
    CGridSettings* pSettings = m_pGrid->GetSettings();
    if (pSettings == NULL) return;
    for (int c = 0; c < pSettings->m_nColCount && c < (int)pSettings->m_columns.size(); ++c) {
        CGridColumn& column = pSettings->m_columns[c];
        if (column.pDataSource != this) continue;
        // An insert moves the columns at and after the place; a delete those after it.
        if (nDelta > 0 ? column.nDataSourceCol >= nFrom : column.nDataSourceCol > nFrom)
            column.nDataSourceCol += nDelta;
    }
}

int CGridMemDataSource::InsertCol(int nCol) {
    if (nCol < 0) return 1;
    int nPos = nCol;
    if (m_pGrid != NULL && m_pGrid->GetSettings() != NULL) {
        CGridSettings* pSettings = m_pGrid->GetSettings();
        for (int c = 0; c < pSettings->m_nColCount && c < (int)pSettings->m_columns.size(); ++c)
            if (pSettings->m_columns[c].pDataSource == this &&
                pSettings->m_columns[c].nDataSourceCol == nCol) {
                nPos = c;
                break;
            }
    }
    // Every row that reaches the place, the column-heading rows too, so that heading cells
    // stay with their columns.
    for (RowNode* pRow = m_pFirstRow; pRow != NULL; pRow = pRow->pNext) {
        CellNode* pNode = NodeAt(pRow, nPos);
        if (pNode == NULL) continue;
        CellNode* pNew = new CellNode{NULL, pNode, pNode->pPrev};
        if (pNode->pPrev != NULL)
            pNode->pPrev->pNext = pNew;
        else
            pRow->pFirst = pNew;
        pNode->pPrev = pNew;
    }
    m_pCurCell = NULL;
    ShiftGridColumns(nPos, +1);
    return 0;
}

int CGridMemDataSource::DeleteCol(int nCol) {
    if (nCol < 0) return 1;
    for (RowNode* pRow = m_pFirstRow; pRow != NULL; pRow = pRow->pNext) {
        CellNode* pNode = NodeAt(pRow, nCol);
        if (pNode == NULL) continue;
        delete pNode->pCell;
        pNode->pCell = NULL;
        // The last node of a row stays as an empty position.
        if (pNode->pNext == NULL) continue;
        pNode->pNext->pPrev = pNode->pPrev;
        if (pNode->pPrev != NULL)
            pNode->pPrev->pNext = pNode->pNext;
        else
            pRow->pFirst = pNode->pNext;
        delete pNode;
    }
    m_pCurCell = NULL;
    ShiftGridColumns(nCol, -1);
    return 0;
}

// --- searching ----------------------------------------------------------------------------

BOOL CGridMemDataSource::Matches(const CGridCell* pCell, LPCSTR lpszText, LPCSTR lpszUpper,
                                 UINT nFlags) {
    LPCSTR lpszCell = pCell->GetText();
    if (lpszCell == NULL) lpszCell = "";
    if (nFlags & GRIDFIND_PART) {
        if (nFlags & GRIDFIND_NOCASE) return strstr(GridUpperCopy(lpszCell), lpszUpper) != NULL;
        return strstr(lpszCell, lpszText) != NULL;
    }
    if (nFlags & GRIDFIND_NOCASE) return GridCompareTextNoCase(lpszCell, lpszText) == 0;
    return GridCompareText(lpszCell, lpszText) == 0;
}

int CGridMemDataSource::FindFirst(LPCSTR lpszText, int& nCol, int& nRow, UINT nFlags) {
    if (nFlags & GRIDFIND_BYROWS) {
        nCol = -1;
        nRow = 0;
    } else {
        nRow = -1;
    }
    return FindNext(lpszText, nCol, nRow, nFlags);
}

int CGridMemDataSource::FindNext(LPCSTR lpszText, int& nCol, int& nRow, UINT nFlags) {
    if (m_pGrid == NULL || lpszText == NULL) return 1;
    const int nRowCount = m_pGrid->GetRowCount();
    const int nColCount = m_pGrid->GetColCount();
    if (nRowCount <= 0 || ((nFlags & GRIDFIND_BYROWS) && nColCount <= 0)) return 1;
    const int nLastRow = nRowCount - 1;
    const int nLastCol = nColCount - 1;
    const BOOL bBack = (nFlags & GRIDFIND_BACKWARDS) != 0;
    const int nStep = bBack ? -1 : 1;
    // The caller's text stays as it is: case is ignored on a copy.
    const CString strUpper = (nFlags & GRIDFIND_NOCASE) ? GridUpperCopy(lpszText) : CString();

    int c = nCol, r = nRow;
    auto stepRow = [&]() {
        r += nStep;
        if (r > nLastRow) r = 0;
        if (r < 0) r = nLastRow;
    };
    auto cellAt = [&](int col, int row) -> const CGridCell* {
        if (!GotoRow(row, FALSE) || !GotoCol(col, FALSE)) return NULL;
        return m_pCurCell->pCell;
    };

    if (nFlags & GRIDFIND_BYROWS) {
        c += nStep;
        if (c > nLastCol) {
            c = 0;
            stepRow();
        } else if (c < 0) {
            c = nLastCol;
            stepRow();
        }
    } else {
        stepRow();
    }

    for (int nSteps = 0; nSteps < nRowCount + 1; ++nSteps) {
        if (nFlags & GRIDFIND_BYROWS) {
            if (GotoRow(r, FALSE)) {
                for (; c >= 0 && c <= nLastCol; c += nStep) {
                    if (!GotoCol(c, FALSE)) {
                        // Past the row's last stored cell nothing follows in this direction.
                        if (!bBack) break;
                        continue;
                    }
                    const CGridCell* pCell = m_pCurCell->pCell;
                    if (pCell != NULL && Matches(pCell, lpszText, strUpper, nFlags)) {
                        nCol = m_nFindCol = c;
                        nRow = m_nFindRow = r;
                        return 0;
                    }
                }
            }
            c = bBack ? nLastCol : 0;
        } else {
            const CGridCell* pCell = cellAt(c, r);
            if (pCell != NULL && Matches(pCell, lpszText, strUpper, nFlags)) {
                nCol = m_nFindCol = c;
                nRow = m_nFindRow = r;
                return 0;
            }
        }
        stepRow();
    }
    return 1;
}

int CGridMemDataSource::FindPrevFilled(int* pCol, int nRow) {
    if (pCol == NULL || !GotoRow(nRow, FALSE) || m_pCurRow->pFirst == NULL) return 1;
    // Body cells look no further left than column 0: heading cells do not run on.
    const int nLowest = *pCol >= 0 ? 0 : m_pCurRow->nFirstCol;
    int c = *pCol - 1;
    if (!GotoCol(c, FALSE)) {
        // Beyond the row's end the search starts at its last stored position.
        if (m_nCurCol > c) return 1;
        c = m_nCurCol;
    }
    for (CellNode* pNode = m_pCurCell; pNode != NULL && c >= nLowest; pNode = pNode->pPrev, --c) {
        if (pNode->pCell != NULL && pNode->pCell->GetTextLength() > 0) {
            *pCol = c;
            return 0;
        }
    }
    return 1;
}

// --- sorting ------------------------------------------------------------------------------

int CGridMemDataSource::SortByColumn(int nCol, UINT nFlags) { return SortRows(&nCol, 1, nFlags); }

int CGridMemDataSource::SortRows(const int* pCols, int nCount, UINT nFlags) {
    if (m_pGrid == NULL) return 1;
    if (pCols == NULL || nCount <= 0) return 0;
    if (!GotoRow(0, FALSE)) return 0;
    struct Row {
        CellNode* pFirst;
        int nFirstCol;
        std::vector<CGridCell*> keys;
    };
    std::vector<RowNode*> nodes;
    std::vector<Row> rows;
    for (RowNode* p = m_pCurRow; p != NULL; p = p->pNext) {
        nodes.push_back(p);
        Row row{p->pFirst, p->nFirstCol, std::vector<CGridCell*>(nCount, nullptr)};
        for (int k = 0; k < nCount; ++k) {
            CellNode* pNode = NodeAt(p, pCols[k]);
            row.keys[k] = pNode != NULL ? pNode->pCell : NULL;
        }
        rows.push_back(row);
    }
    if (rows.size() < 2) return 0;

    // A row goes behind another only when the grid's comparison says it is greater; a
    // stable merge sort gives the order that exchanging neighbours would, ends after
    // n log n comparisons whatever the comparison answers, and never reads outside the rows.
    auto greater = [&](const Row& a, const Row& b) {
        for (int k = 0; k < nCount; ++k) {
            int n = m_pGrid->OnCompareCells(a.keys[k], b.keys[k], nFlags);
            if (n > 0) return true;
            if (n < 0) return false;
        }
        return false;
    };
    std::vector<Row> buffer(rows.size());
    for (size_t width = 1; width < rows.size(); width *= 2) {
        for (size_t lo = 0; lo < rows.size(); lo += 2 * width) {
            size_t mid = lo + width < rows.size() ? lo + width : rows.size();
            size_t hi = lo + 2 * width < rows.size() ? lo + 2 * width : rows.size();
            size_t i = lo, j = mid, out = lo;
            while (i < mid && j < hi)
                buffer[out++] = greater(rows[i], rows[j]) ? rows[j++] : rows[i++];
            while (i < mid) buffer[out++] = rows[i++];
            while (j < hi) buffer[out++] = rows[j++];
        }
        rows.swap(buffer);
    }
    for (size_t i = 0; i < nodes.size(); ++i) {
        nodes[i]->pFirst = rows[i].pFirst;
        nodes[i]->nFirstCol = rows[i].nFirstCol;
    }
    if (m_pCurRow != NULL) {
        m_pCurCell = m_pCurRow->pFirst;
        m_nCurCol = m_pCurRow->nFirstCol;
    }
    return 0;
}
