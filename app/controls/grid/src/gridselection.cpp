// CGridSelection: the grid's multiple selection; it holds no blocks.
#include "gridselection.h"

#include "gridhints.h"
#include "gridwnd.h"

CGridSelection::CGridSelection()
    : m_nMode(0), m_bIterating(0), m_nLastClickCol(-1), m_nLastClickRow(-1), m_pGrid(NULL) {}

CGridSelection::~CGridSelection() {}

int CGridSelection::BeginBlock(int, int) { return 0; }

int CGridSelection::ExtendBlock(int, int) { return 1; }

int CGridSelection::Clear() {
    m_bIterating = 0;
    m_nLastClickCol = -1;
    m_nLastClickRow = -1;
    return 0;
}

int CGridSelection::IsSelected(int, int, int*) const { return 0; }

int CGridSelection::GetBoundingRange(int*, int*, int*, int*) const { return 2; }

void CGridSelection::RepaintSelection(CGridRedrawHints*) const {}

int CGridSelection::GetFirstSelected(int* pCol, int* pRow) {
    // Without blocks the selection is the cursor cell.
    m_bIterating = 0;
    *pCol = m_pGrid != NULL ? m_pGrid->GetCursorCol() : -1;
    *pRow = m_pGrid != NULL ? m_pGrid->GetCursorRow() : -1;
    return 0;
}

int CGridSelection::GetNextSelected(int*, int*) { return 1; }

int CGridSelection::SetMode(int nFlags) {
    Clear();
    m_nMode = nFlags;
    return 0;
}

int CGridSelection::OnKeyMove(int, int) { return 0; }

int CGridSelection::OnClickMove(int, int, UINT) { return 0; }

int CGridSelection::OnRightClickMove(int, int, UINT) { return 0; }

int CGridSelection::OnDragMove(int, int, UINT) { return 0; }
