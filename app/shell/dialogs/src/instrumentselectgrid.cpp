// The instrument overview's grid.
#include "instrumentselectgrid.h"

#include "accesslevel.h"
#include "resource.h"
#include "vaskinstrument.h"

#include <stdlib.h>

namespace {

const int kNameCol = 0;
const int kConnectionCol = 1;
const int kColumns = 2;
// From "Specialist" on the choices may be changed.
const int kChoiceLevel = 2;
const char kNoAnalyzer[] = "---";

bool MayChoose() { return GetProgramAccessLevel() >= kChoiceLevel; }

}  // namespace

CInstrumentSelectGrid::CInstrumentSelectGrid() {
    for (int row = 0; row < kRows; ++row) {
        m_analyzers[row] = NULL;
        m_savedChoices[row] = 0;
    }
}

CVaskInstrument* CInstrumentSelectGrid::GetRowAnalyzer(int nRow) const {
    return nRow >= 0 && nRow < kRows ? m_analyzers[nRow] : NULL;
}

void CInstrumentSelectGrid::Initialize(CObject* pAnalyzers) {
    CWaitCursor wait;
    CParamGrid::Initialize(pAnalyzers);
    SetRowCount(kRows, TRUE);
    SetColCount(kColumns, TRUE);
    SetColCheckBox(kConnectionCol);

    // "Address,Instrument,Connection": the corner, then one heading per column.
    CString headings;
    headings.LoadString(IDS_SELECT_GRID_HEADINGS);
    int col = -1;
    for (int start = 0; col < kColumns;) {
        const int comma = headings.Find(',', start);
        const CString heading =
            comma < 0 ? headings.Mid(start) : headings.Mid(start, comma - start);
        SetCellText(col++, -1, heading);
        if (comma < 0) break;
        start = comma + 1;
    }
    FormatHeadings();

    const COLORREF menu = ::GetSysColor(COLOR_MENU);
    SetColBackColor(kNameCol, menu);
    SetColReadOnly(kNameCol, TRUE);
    if (!MayChoose()) {
        SetColBackColor(kConnectionCol, menu);
        SetColReadOnly(kConnectionCol, TRUE);
    }

    CRect rect;
    GetWindowRect(&rect);
    const int width = rect.Width() / 3;
    for (int c = -1; c < kColumns; ++c) SetColumnWidth(c, width);

    FillRows(pAnalyzers != NULL && pAnalyzers->IsKindOf(RUNTIME_CLASS(CObList))
                 ? (CObList*)pAnalyzers
                 : NULL);
}

void CInstrumentSelectGrid::FillRows(CObList* pAnalyzers) {
    if (pAnalyzers == NULL) return;
    for (int row = 0; row < kRows; ++row) m_analyzers[row] = NULL;
    for (POSITION pos = pAnalyzers->GetHeadPosition(); pos != NULL;) {
        CObject* pNode = pAnalyzers->GetNext(pos);
        if (pNode == NULL || !pNode->IsKindOf(RUNTIME_CLASS(CVaskInstrument))) continue;
        CVaskInstrument* pAnalyzer = (CVaskInstrument*)pNode;
        const int address = pAnalyzer->GetAddress();
        if (address < 1 || address > kRows) continue;
        m_analyzers[address - 1] = pAnalyzer;
    }
    for (int row = 0; row < kRows; ++row) {
        CVaskInstrument* pAnalyzer = m_analyzers[row];
        CString name = kNoAnalyzer;
        m_savedChoices[row] = 0;
        if (pAnalyzer != NULL) {
            name = pAnalyzer->GetName();
            m_savedChoices[row] = pAnalyzer->IsConnectionEnabled();
        }
        // A row that had no analyzer on the bus shown before takes the column's state again.
        LockConnectionCell(row, pAnalyzer == NULL || !MayChoose());
        CString text;
        SetCellText(kNameCol, row, name);
        text.Format("%d", m_savedChoices[row]);
        SetCellText(kConnectionCol, row, text);
        text.Format("%d", row + 1);
        SetCellText(-1, row, text);
    }
}

void CInstrumentSelectGrid::LockConnectionCell(int nRow, BOOL bLocked) {
    CGridCell cell;
    GetCell(kConnectionCol, nRow, cell);
    cell.SetReadOnly(bLocked);
    if (bLocked)
        cell.SetBackColor(::GetSysColor(COLOR_MENU));
    else
        cell.ClearProperty(GRIDCELL_BACKCOLOR);
    SetCell(kConnectionCol, nRow, cell);
}

bool CInstrumentSelectGrid::ApplyConnectionFlags() {
    bool chosen = false;
    for (int row = 0; row < kRows; ++row) {
        CVaskInstrument* pAnalyzer = m_analyzers[row];
        if (pAnalyzer == NULL) continue;
        // A cell emptied by the Delete key has no text at all.
        const char* text = GetCellText(kConnectionCol, row);
        const int choice = text != NULL ? atoi(text) : 0;
        pAnalyzer->SetConnectionEnabled(choice);
        if (choice != 0) chosen = true;
    }
    return chosen;
}

void CInstrumentSelectGrid::RestoreConnectionFlags() {
    for (int row = 0; row < kRows; ++row)
        if (m_analyzers[row] != NULL) m_analyzers[row]->SetConnectionEnabled(m_savedChoices[row]);
}
