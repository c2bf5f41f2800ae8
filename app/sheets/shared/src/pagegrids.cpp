// What the grids of the parameter pages share.
#include "pagegrids.h"

#include "sheethost.h"
#include "sindor23.h"

#include <stdlib.h>

namespace {
const int kEditLevel = 2;
const int kRemoteState = 2;
const int kH2SComponent = 2;
const int kO2Component = 3;
}  // namespace

std::vector<int> GetComponentRows(CVaskInstrument* pAnalyzer) {
    std::vector<int> rows;
    if (pAnalyzer == NULL) return rows;
    int count = pAnalyzer->GetComponentCount();
    if (count > kGridComponents) count = kGridComponents;
    for (int c = 0; c < count; ++c) rows.push_back(c);
    if (pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23))) {
        CSindor23* pSindor = (CSindor23*)pAnalyzer;
        if (pSindor->HasH2SSensor() && count <= kH2SComponent) rows.push_back(kH2SComponent);
        if (pSindor->HasO2Sensor() && count <= kO2Component) rows.push_back(kO2Component);
    }
    return rows;
}

CVaskInstrument* AsAnalyzer(CObject* pObject) {
    return pObject != NULL && pObject->IsKindOf(RUNTIME_CLASS(CVaskInstrument))
               ? (CVaskInstrument*)pObject
               : NULL;
}

BOOL IsProgramOnline() { return GetSheetHost().GetOperationMode() != 0; }

BOOL MayEditParameters(CVaskInstrument* pAnalyzer) {
    if (GetSheetHost().GetAccessLevel() < kEditLevel) return FALSE;
    if (!IsProgramOnline()) return TRUE;
    return pAnalyzer != NULL && pAnalyzer->GetState() == kRemoteState;
}

CString FormatValueText(const VaskFloat& value) {
    CString unit;
    CVaskInstrument::GetUnitText(unit, value.unit);
    return value.text + " " + unit;
}

void TakeValueText(LPCSTR lpszText, VaskFloat& value) {
    CString text = lpszText != NULL ? lpszText : "";
    // The unit that FormatValueText put behind the number stays out of the value's text, so
    // that a cell filled again from the value shows it once.
    CString unit;
    CVaskInstrument::GetUnitText(unit, value.unit);
    text.TrimRight();
    if (!unit.IsEmpty() && text.GetLength() > unit.GetLength() &&
        text.Right(unit.GetLength()) == unit &&
        text[text.GetLength() - unit.GetLength() - 1] == ' ') {
        text = text.Left(text.GetLength() - unit.GetLength());
        text.TrimRight();
    }
    value.text = text;
    value.value = atof(value.text);
}

CVaskParameter* FindGroupEntry(CVaskInstrument* pAnalyzer, int nGroup, const CString& text,
                               BOOL bKey) {
    if (pAnalyzer == NULL) return NULL;
    CParameterGroup* pGroup = pAnalyzer->GetParameterGroup(nGroup);
    if (pGroup == NULL) return NULL;
    const CObList& entries = pGroup->GetParameterList();
    for (POSITION pos = entries.GetHeadPosition(); pos != NULL;) {
        CVaskParameter* pEntry = (CVaskParameter*)entries.GetNext(pos);
        if ((bKey ? pEntry->GetKeyText() : pEntry->GetName()) == text) return pEntry;
    }
    return NULL;
}

CVaskParameter* FindEntryByKey(CVaskInstrument* pAnalyzer, const CString& key) {
    if (pAnalyzer == NULL) return NULL;
    CObList entries;
    pAnalyzer->GetEmbeddedParameters(entries);
    for (POSITION pos = entries.GetHeadPosition(); pos != NULL;) {
        CVaskParameter* pEntry = (CVaskParameter*)entries.GetNext(pos);
        if (pEntry->GetKeyText() == key) return pEntry;
    }
    return NULL;
}

BOOL ReadEntry(CVaskParameter* pEntry, VaskFloat& value) {
    if (pEntry == NULL) return FALSE;
    // An entry that a model binds without a group (the second compensation pair) has no
    // analyzer to read through: its offline value is the one it holds.
    if (pEntry->GetGroup() == NULL) {
        value = pEntry->GetCachedValue();
        return TRUE;
    }
    VaskFloat read;
    if (!pEntry->GetValue(read)) return FALSE;
    value = read;
    return TRUE;
}

BOOL ReadGroupEntry(CVaskInstrument* pAnalyzer, int nGroup, const CString& text, VaskFloat& value,
                    BOOL bKey) {
    return ReadEntry(FindGroupEntry(pAnalyzer, nGroup, text, bKey), value);
}

BOOL ReadGroupInt(CVaskInstrument* pAnalyzer, int nGroup, const CString& text, int& value,
                  BOOL bKey) {
    VaskFloat read;
    if (!ReadGroupEntry(pAnalyzer, nGroup, text, read, bKey)) return FALSE;
    value = (int)read.value;
    return TRUE;
}

void WriteEntryInt(CVaskParameter* pEntry, int value) {
    VaskFloat number;
    number.value = value;
    number.unit = 1;
    number.quantity = 1;
    WriteEntryValue(pEntry, number);
}

void WriteEntryValue(CVaskParameter* pEntry, const VaskFloat& value) {
    if (pEntry != NULL) pEntry->SetValue(value);
}

CString ComponentEntryName(CVaskInstrument* pAnalyzer, LPCSTR lpszFormat, int nComponent) {
    CString name;
    name.Format(lpszFormat, (LPCSTR)pAnalyzer->GetComponentLabel(nComponent));
    return name;
}

void SplitCommaText(UINT nStringId, CStringArray& items) {
    items.RemoveAll();
    CString text;
    text.LoadString(nStringId);
    for (int start = 0;;) {
        const int comma = text.Find(',', start);
        if (comma < 0) {
            items.Add(text.Mid(start));
            return;
        }
        items.Add(text.Mid(start, comma - start));
        start = comma + 1;
    }
}

void SetHeadingRowTexts(CParamGrid& grid, UINT nStringId, int nRow) {
    CStringArray items;
    SplitCommaText(nStringId, items);
    for (int i = 0; i < items.GetSize() && i - 1 < grid.GetColCount(); ++i)
        grid.SetCellText(i - 1, nRow, items[i]);
}

void SetComponentRowHeadings(CParamGrid& grid, CVaskInstrument* pAnalyzer,
                             const std::vector<int>& rows) {
    for (size_t r = 0; r < rows.size(); ++r)
        grid.SetCellText(-1, (int)r, pAnalyzer->GetComponentLabel(rows[r]));
}

void BlankUnreadRow(CParamGrid& grid, int nRow, int nFirstCol, int nLastCol) {
    for (int col = nFirstCol; col <= nLastCol; ++col) grid.SetCellText(col, nRow, "");
    grid.SetRangeReadOnlyColor(nFirstCol, nRow, nLastCol, nRow, TRUE, ::GetSysColor(COLOR_MENU));
}

BOOL ApplyAccessRule(CParamGrid& grid, CVaskInstrument* pAnalyzer, int nFirstCol, int nLastCol) {
    if (MayEditParameters(pAnalyzer)) return TRUE;
    const COLORREF menu = ::GetSysColor(COLOR_MENU);
    for (int col = nFirstCol; col <= nLastCol; ++col) {
        grid.SetColReadOnly(col, TRUE);
        grid.SetColBackColor(col, menu);
    }
    return FALSE;
}

int GetGridWidth(CParamGrid& grid) {
    if (grid.m_hWnd == NULL) return 0;
    CRect rect;
    grid.GetWindowRect(&rect);
    return rect.Width();
}

void FitColumnWidths(CParamGrid& grid, int nFirst, const std::vector<int>& widths) {
    const int n = (int)widths.size();
    if (n == 0) return;
    CGridSettings* s = grid.GetSettings();
    std::vector<int> result = widths;
    if (grid.m_hWnd != NULL) {
        grid.BestFitColumns(nFirst, nFirst + n - 1, 0, 1);
        std::vector<int> need(n);
        long long wanted = 0, needed = 0, widest = 0;
        for (int i = 0; i < n; ++i) {
            const int c = nFirst + i;
            need[i] = c < 0 ? s->GetHeadingColWidth(c) : s->GetColWidth(c);
            result[i] = widths[i] > need[i] ? widths[i] : need[i];
            wanted += widths[i];
            needed += need[i];
            widest += result[i];
        }
        CRect client;
        grid.GetClientRect(&client);
        int rowsHeight = s->m_nColHeadingHeight;
        for (int r = 0; r < grid.GetRowCount(); ++r) rowsHeight += s->GetRowHeight(r);
        const int room = client.Width() - (rowsHeight >= client.Height() ? s->m_nVScrollWidth : 0);
        // The layout drops the horizontal bar only while the columns leave a pixel free.
        if (widest >= room && needed < room && wanted > 0) {
            const long long spare = room - 1 - needed;
            for (int i = 0; i < n; ++i) result[i] = need[i] + (int)(spare * widths[i] / wanted);
        }
    }
    for (int i = 0; i < n; ++i) grid.SetColumnWidth(nFirst + i, result[i]);
}
