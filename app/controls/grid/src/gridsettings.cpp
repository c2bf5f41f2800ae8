// CGridSettings: one sheet's state with its defaults.
#include "gridsettings.h"

#include "griddatasource.h"
#include "gridobjtable.h"
#include "gridselection.h"

namespace {

const RECT kEmptyRect = {0, 0, 0, 0};

}  // namespace

CGridSettings::CGridSettings()
    : m_nColCount(0),
      m_nCursorCol(-1),
      m_nPrevCursorCol(-1),
      m_nLeftCol(0),
      m_nPrevLeftCol(0),
      m_nMaxLeftCol(0),
      m_nDefColWidth(75),
      m_nLastVisibleCol(0),
      m_nTargetCol(-1),
      m_nRowCount(0),
      m_nCursorRow(-1),
      m_nPrevCursorRow(-1),
      m_nTopRow(0),
      m_nPrevTopRow(0),
      m_nMaxTopRow(0),
      m_nDefRowHeight(20),
      m_bUniformRowHeight(0),
      m_nLastVisibleRow(0),
      m_nTargetRow(-1),
      m_nColHeadingRows(1),
      m_colHeadingHeights(1, 20),
      m_nRowHeadingCols(1),
      m_rowHeadingWidths(1, 25),
      m_pGridDefaultCell(new CGridCell),
      m_pHeadingDefaultCell(new CGridCell),
      m_nColHeadingHeight(20),
      m_nRowHeadingWidth(40),
      m_nVScrollWidth(::GetSystemMetrics(SM_CXVSCROLL)),
      m_nHScrollHeight(::GetSystemMetrics(SM_CYHSCROLL)),
      m_nTabStripWidth(0),
      m_nCellAreaWidth(0),
      m_nCellAreaHeight(0),
      m_rcCellArea(kEmptyRect),
      m_rcColHeadings(kEmptyRect),
      m_rcRowHeadings(kEmptyRect),
      m_rcCorner(kEmptyRect),
      m_rcTabStrip(kEmptyRect),
      m_rcVScroll(kEmptyRect),
      m_rcHScroll(kEmptyRect),
      m_bWholeRowSelection(0),
      m_bMultiSelect(0),
      m_nCursorCellStyle(1),
      m_n3DBorderWidth(1),
      m_bPopupMenu(0),
      m_bCellTips(0),
      m_bVScrollTips(0),
      m_bHScrollTips(0),
      m_nSizingMode(1),
      m_bDblClickBestFit(1),
      m_bMergedCells(1),
      m_bColumnMoving(0),
      m_bTextOverflow(1),
      m_bGridLines(1),
      m_nVScrollMode(0),
      m_nHScrollMode(0),
      m_nDragScrollStep(0),
      m_nDragScrollInterval(200),
      m_nKeyAcceleration(0),
      m_nKeyRepeatDelay(0),
      m_bBackBuffer(0),
      m_nLockedCols(0),
      m_nLockedRows(0),
      m_nLockedColsWidth(0),
      m_nLockedRowsHeight(0),
      m_pDefaultFont(NULL),
      m_nDataSourceIndex(0),
      m_pDataSource(NULL),
      m_pMemDataSource(new CGridMemDataSource),
      m_nSelectionMode(0),
      m_nSelectionParam(0),
      m_nSelectionKeys(0),
      m_pSelection(new CGridSelection),
      m_hArrowCursor(::LoadCursorA(NULL, IDC_ARROW)),
      m_hColSizeCursor(::LoadCursorA(NULL, IDC_SIZEWE)),
      m_hRowSizeCursor(::LoadCursorA(NULL, IDC_SIZENS)),
      m_pDefaultEditor(NULL),
      m_nTextMargin(4),
      m_pSpareTable(new CGridObjectTable),
      m_pGridLinePen(new CPen(PS_SOLID, 1, RGB(220, 220, 220))),
      m_nFloatingWindowMode(0),
      m_bCancelEditOnFocusLoss(1) {
    m_pHeadingDefaultCell->SetBackColor(::GetSysColor(COLOR_BTNFACE));
    m_pHeadingDefaultCell->SetBorder(0x2000);
    m_pHeadingDefaultCell->SetAlignment(36);
    m_pDataSource = m_pMemDataSource;
}

CGridSettings::~CGridSettings() {
    for (CGridColumn& column : m_columns) delete column.pDefaultCell;
    m_columns.clear();
    m_rowHeights.clear();
    m_colHeadingHeights.clear();
    m_rowHeadingWidths.clear();
    delete m_pGridDefaultCell;
    delete m_pHeadingDefaultCell;
    delete m_pSelection;
    delete m_pSpareTable;
    delete m_pMemDataSource;
    delete m_pGridLinePen;
}

int CGridSettings::SetArrowCursor(HCURSOR hCursor) {
    if (hCursor == NULL) return 1;
    m_hArrowCursor = hCursor;
    return 0;
}

int CGridSettings::SetColumnSizeCursor(HCURSOR hCursor) {
    if (hCursor == NULL) return 1;
    m_hColSizeCursor = hCursor;
    return 0;
}

int CGridSettings::SetRowSizeCursor(HCURSOR hCursor) {
    if (hCursor == NULL) return 1;
    m_hRowSizeCursor = hCursor;
    return 0;
}

int CGridSettings::SetCursorCellStyle(int nStyle) {
    if (nStyle < 0 || nStyle > 3) return 1;
    m_nCursorCellStyle = nStyle;
    return 0;
}

int CGridSettings::Set3DBorderWidth(int nWidth) {
    if (nWidth < 1 || nWidth > 16) return 1;
    m_n3DBorderWidth = nWidth;
    return 0;
}

int CGridSettings::GetRowHeight(int nRow) const {
    if (nRow < 0 || nRow >= m_nRowCount) return 0;
    if (m_bUniformRowHeight || nRow >= (int)m_rowHeights.size()) return m_nDefRowHeight;
    return m_rowHeights[nRow];
}

int CGridSettings::GetColWidth(int nCol) const {
    if (nCol < 0 || nCol >= m_nColCount || nCol >= (int)m_columns.size()) return 1;
    return m_columns[nCol].nWidth;
}

int CGridSettings::GetHeadingRowHeight(int nRow) const {
    int i = -nRow - 1;
    return i < 0 || i >= (int)m_colHeadingHeights.size() ? 0 : m_colHeadingHeights[i];
}

int CGridSettings::GetHeadingColWidth(int nCol) const {
    int i = -nCol - 1;
    return i < 0 || i >= (int)m_rowHeadingWidths.size() ? 0 : m_rowHeadingWidths[i];
}

void CGridSettings::SumLockedSizes() {
    m_nLockedColsWidth = 0;
    for (int c = 0; c < m_nLockedCols && c < m_nColCount; ++c) m_nLockedColsWidth += GetColWidth(c);
    m_nLockedRowsHeight = 0;
    for (int r = 0; r < m_nLockedRows && r < m_nRowCount; ++r)
        m_nLockedRowsHeight += GetRowHeight(r);
}
