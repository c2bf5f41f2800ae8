// CGridWnd: the defaults of the notification members. Queries answer 1 (go on),
// notifications do nothing, except where a default has work to do.
#include "gridwnd.h"

#include "gridinternal.h"

void CGridWnd::OnGridSetFocus(int) {}

void CGridWnd::OnGridSetup() {}

void CGridWnd::OnSheetSetup(int) {}

BOOL CGridWnd::OnCursorMoving(int, int, int, int) { return TRUE; }

BOOL CGridWnd::OnScrollPosChanging(int, int, int, int) { return TRUE; }

void CGridWnd::OnRowsAppended(int, int, int) {}

void CGridWnd::OnGridReserved1(int, int) {}

BOOL CGridWnd::CanResizeColumn(int) { return TRUE; }

void CGridWnd::OnColumnWidthChanging(int, int*) {}

void CGridWnd::OnColumnWidthChanged(int, int*) {}

BOOL CGridWnd::CanResizeRow(int) { return TRUE; }

void CGridWnd::OnRowHeightChanging(int, int*) {}

void CGridWnd::OnRowHeightChanged(int, int*) {}

BOOL CGridWnd::CanResizeColumnHeading() { return TRUE; }

BOOL CGridWnd::CanResizeRowHeading() { return TRUE; }

BOOL CGridWnd::OnColumnHeadingHeightChanging(int*) { return TRUE; }

BOOL CGridWnd::OnRowHeadingWidthChanging(int*) { return TRUE; }

BOOL CGridWnd::OnColumnHeadingHeightChanged(int*) { return TRUE; }

BOOL CGridWnd::OnRowHeadingWidthChanged(int*) { return TRUE; }

void CGridWnd::OnCursorColChanged(int, int) {}

void CGridWnd::OnCursorRowChanged(int, int) {}

void CGridWnd::OnCursorCellChanged(int, int, int, int) {}

void CGridWnd::OnLeftColChanged(int, int) {}

void CGridWnd::OnTopRowChanged(int, int) {}

void CGridWnd::OnCellLeftClick(int, int, BOOL, CRect*, CPoint*, BOOL) {}

void CGridWnd::OnCellRightClick(int, int, BOOL, CRect*, CPoint*, BOOL) {}

void CGridWnd::OnCellDblClick(int, int, CRect*, CPoint*, BOOL) {}

void CGridWnd::OnCellMouseMove(int, int, CPoint*, UINT, BOOL) {}

void CGridWnd::OnColHeadingLeftClick(int, int, BOOL, CRect*, CPoint*, BOOL) {}

void CGridWnd::OnColHeadingRightClick(int, int, BOOL, CRect*, CPoint*, BOOL) {}

void CGridWnd::OnColHeadingDblClick(int, int, CRect*, CPoint*, BOOL) {}

void CGridWnd::OnRowHeadingLeftClick(int, int, BOOL, CRect*, CPoint*, BOOL) {}

void CGridWnd::OnRowHeadingRightClick(int, int, BOOL, CRect*, CPoint*, BOOL) {}

void CGridWnd::OnRowHeadingDblClick(int, int, CRect*, CPoint*, BOOL) {}

void CGridWnd::OnCornerLeftClick(BOOL, CRect*, CPoint*, int) {}

void CGridWnd::OnCornerRightClick(BOOL, CRect*, CPoint*, int) {}

void CGridWnd::OnCornerDblClick(CRect*, CPoint*, int) {}

void CGridWnd::OnGridKeyDown(UINT*, BOOL) {}

void CGridWnd::OnGridChar(UINT*, BOOL) {}

void CGridWnd::OnCellFetched(int, int, CGridCell*) {}

void CGridWnd::OnCellStoring(int, int, CGridCell*) {}

void CGridWnd::OnGridReserved2(int, int, int) {}

BOOL CGridWnd::OnCellTypeNotify(int, int, int, int, LPARAM) { return TRUE; }

BOOL CGridWnd::OnEditStart(int, int, CWnd**) { return TRUE; }

BOOL CGridWnd::OnEditChar(int, int, CWnd*, UINT*) { return TRUE; }

BOOL CGridWnd::OnEditFinish(int, int, CWnd*, LPCSTR, BOOL) { return TRUE; }

BOOL CGridWnd::OnEditContinue(int, int, int*, int*) { return TRUE; }

void CGridWnd::OnMenuCommand(int, int, int, UINT) {}

BOOL CGridWnd::OnMenuStart(int, int, int) { return TRUE; }

BOOL CGridWnd::OnGetHintText(int nCol, int nRow, int, CString* pText) {
    if (pText != NULL) pText->Format("Col:%d Row:%ld", nCol, (long)nRow);
    return TRUE;
}

BOOL CGridWnd::OnGetVScrollHint(int, CString*) { return TRUE; }

BOOL CGridWnd::OnGetHScrollHint(int, CString*) { return TRUE; }

int CGridWnd::OnCompareCells(CGridCell* pCellA, CGridCell* pCellB, UINT nFlags) {
    CGridCell* a = pCellA;
    CGridCell* b = pCellB;
    if (nFlags & GRIDSORT_DESCENDING) {
        a = pCellB;
        b = pCellA;
    }
    if (a == NULL && b == NULL) return 0;
    if (a == NULL) return -1;
    if (b == NULL) return 1;
    if (!a->HasProperties(GRIDCELL_TEXT)) return b->HasProperties(GRIDCELL_TEXT) ? -1 : 0;
    switch (a->GetDataType()) {
        case GRIDDATA_NUMBER:
        case GRIDDATA_BOOL:
        case 5: {
            double x = a->GetNumber(), y = b->GetNumber();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        default: {
            if (!b->HasProperties(GRIDCELL_TEXT)) return 1;
            int n = GridCompareText(a->GetText(), b->GetText());
            return n < 0 ? -1 : (n > 0 ? 1 : 0);
        }
    }
}

void CGridWnd::OnPaintSection(CDC*, CDC*, int) {}

void CGridWnd::OnLayoutChange(CRect*, CRect*, CRect*, CRect*, CRect*, CRect*, CRect*) {}

void CGridWnd::OnTabSelected(int) {}

COLORREF CGridWnd::OnGetDefaultColor(int nSection) {
    return ::GetSysColor(nSection == GRIDSECTION_CELLS ? COLOR_WINDOW : COLOR_BTNFACE);
}

void CGridWnd::OnDrawFocusRect(CDC* pDC, CRect* pRect) {
    CRect rc = *pRect;
    rc.right -= 1;
    rc.bottom -= 1;
    pDC->DrawFocusRect(&rc);
}

void CGridWnd::OnGridKillFocus(int) {}

BOOL CGridWnd::CanDragColumn(int) { return TRUE; }

BOOL CGridWnd::OnColumnMoving(int, int) { return TRUE; }

void CGridWnd::OnFloatingWindowMoving(CRect*, CRect*) {}
