// The parameter grid's look and setters.
#include "paramgrid.h"

namespace {

// The standard cell types of every grid.
const int kCheckBoxType = 2;
// The check box's style: its box centred in the cell.
const int kCheckBoxStyle = 0x1100;
const int kCentred = GRIDALIGN_CENTER | GRIDALIGN_VCENTER;
const int kHeadingStyle = 2;
const int kHeadingHeight = 20;

}  // namespace

CParamGrid::CParamGrid() : m_pDataObject(NULL), m_nNormalFont(-1), m_nBoldFont(-1) {}

CParamGrid::~CParamGrid() {}

void CParamGrid::OnGridSetup() {
    EnableTextOverflow(FALSE);
    SetBackBufferPainting(TRUE);
    SetCancelEditOnFocusLoss(FALSE);
    m_nNormalFont = CreateGridFont("MS Sans Serif", 8, FW_NORMAL);
    m_nBoldFont = CreateGridFont("MS Sans Serif", 8, FW_BOLD);
    SetColumnHeadingHeight(kHeadingHeight);
    SetDefaultFont(m_nNormalFont);
}

COLORREF CParamGrid::OnGetDefaultColor(int nSection) {
    return ::GetSysColor(nSection == GRIDSECTION_CELLS ? COLOR_MENU : COLOR_BTNFACE);
}

void CParamGrid::Initialize(CObject* pDataObject) { m_pDataObject = pDataObject; }

void CParamGrid::OnCellChanged(int, int) {}

void CParamGrid::OnCellButton(int, int) {}

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

int CParamGrid::GetCellInt(int nCol, int nRow) {
    CGridCell cell;
    GetCell(nCol, nRow, cell);
    const char* text = cell.GetText();
    return text != NULL ? (int)strtod(text, NULL) : 0;
}

int CParamGrid::SetCellInt(int nCol, int nRow, int nValue) {
    CGridCell cell;
    if (GetCell(nCol, nRow, cell) != 0) return 0;
    CString text;
    text.Format("%d", nValue);
    cell.SetText(text);
    SetCell(nCol, nRow, cell);
    return 0;
}

void CParamGrid::FormatHeadings() {
    for (int col = -1; col < GetColCount(); ++col) {
        CGridCell cell;
        GetCell(col, -1, cell);
        cell.SetCellTypeStyle(kHeadingStyle);
        cell.SetFont(GetFont(m_nBoldFont));
        cell.SetAlignment(GRIDALIGN_CENTER);
        SetCell(col, -1, cell);
    }
}
