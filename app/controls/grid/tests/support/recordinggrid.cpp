// CRecordingGrid: every notification recorded, queries answered as told.
#include "recordinggrid.h"

#include <algorithm>

namespace {

std::string Num(long long n) { return std::to_string(n); }

}  // namespace

CRecordingGrid::CRecordingGrid() {}

std::vector<std::string> CRecordingGrid::Texts() const {
    std::vector<std::string> texts;
    for (const GridCall& call : m_calls) texts.push_back(call.text);
    return texts;
}

std::vector<std::string> CRecordingGrid::Take() {
    std::vector<std::string> texts = Texts();
    m_calls.clear();
    return texts;
}

std::vector<std::string> CRecordingGrid::Texts(const std::set<std::string>& names) const {
    std::vector<std::string> texts;
    for (const GridCall& call : m_calls)
        if (names.count(call.name) != 0) texts.push_back(call.text);
    return texts;
}

int CRecordingGrid::Count(const std::string& name) const {
    return (int)std::count_if(m_calls.begin(), m_calls.end(),
                              [&](const GridCall& call) { return call.name == name; });
}

const GridCall* CRecordingGrid::Last(const std::string& name) const {
    for (auto it = m_calls.rbegin(); it != m_calls.rend(); ++it)
        if (it->name == name) return &*it;
    return NULL;
}

void CRecordingGrid::IgnorePainting() {
    m_ignored = {"OnPaintSection", "OnGetDefaultColor", "OnCellFetched", "OnDrawFocusRect"};
}

// --- building the record ------------------------------------------------------------------

CRecordingGrid::Args& CRecordingGrid::Args::Int(long long n) {
    values.push_back(n);
    parts.push_back(Num(n));
    return *this;
}

CRecordingGrid::Args& CRecordingGrid::Args::Ptr(const int* p) {
    values.push_back(p != NULL ? *p : 0);
    parts.push_back(p != NULL ? "*" + Num(*p) : "null");
    return *this;
}

CRecordingGrid::Args& CRecordingGrid::Args::Uint(const UINT* p) {
    values.push_back(p != NULL ? *p : 0);
    parts.push_back(p != NULL ? "*" + Num(*p) : "null");
    return *this;
}

CRecordingGrid::Args& CRecordingGrid::Args::Rect(const CRect* p) {
    if (p == NULL) {
        parts.push_back("null");
        return *this;
    }
    values.insert(values.end(), {p->left, p->top, p->right, p->bottom});
    parts.push_back("[" + Num(p->left) + "," + Num(p->top) + "," + Num(p->right) + "," +
                    Num(p->bottom) + "]");
    return *this;
}

CRecordingGrid::Args& CRecordingGrid::Args::Point(const CPoint* p) {
    if (p == NULL) {
        parts.push_back("null");
        return *this;
    }
    values.insert(values.end(), {p->x, p->y});
    parts.push_back("(" + Num(p->x) + "," + Num(p->y) + ")");
    return *this;
}

CRecordingGrid::Args& CRecordingGrid::Args::Wnd(const CWnd* p) {
    HWND hWnd = CWnd::GetSafeHwnd(p);
    parts.push_back(hWnd != NULL ? "#" + Num(::GetDlgCtrlID(hWnd)) : "null");
    return *this;
}

CRecordingGrid::Args& CRecordingGrid::Args::Text(LPCSTR p) {
    parts.push_back(p != NULL ? "\"" + std::string(p) + "\"" : "null");
    return *this;
}

CRecordingGrid::Args& CRecordingGrid::Args::Cell(const CGridCell* p) {
    if (p == NULL) return Text(NULL);
    return Text(p->GetText() != NULL ? p->GetText() : "");
}

CRecordingGrid::Args& CRecordingGrid::Args::Dc(const CDC* p) {
    parts.push_back(p != NULL ? "dc" : "null");
    return *this;
}

void CRecordingGrid::Record(const char* name, const Args& args) {
    if (m_ignored.count(name) != 0) return;
    GridCall call;
    call.name = name;
    call.args = args.values;
    call.text = std::string(name) + "(";
    for (size_t i = 0; i < args.parts.size(); ++i) call.text += (i ? "," : "") + args.parts[i];
    call.text += ")";
    m_calls.push_back(call);
}

int CRecordingGrid::AnswerOf(const char* name, int nDefault) const {
    auto it = m_answers.find(name);
    return it != m_answers.end() ? it->second : nDefault;
}

// --- the notifications --------------------------------------------------------------------

void CRecordingGrid::OnGridSetFocus(int nSection) {
    Record("OnGridSetFocus", Args().Int(nSection));
}

void CRecordingGrid::OnGridSetup() { Record("OnGridSetup", Args()); }

void CRecordingGrid::OnSheetSetup(int nSheet) { Record("OnSheetSetup", Args().Int(nSheet)); }

BOOL CRecordingGrid::OnCursorMoving(int nOldCol, int nOldRow, int nNewCol, int nNewRow) {
    Record("OnCursorMoving", Args().Int(nOldCol).Int(nOldRow).Int(nNewCol).Int(nNewRow));
    return AnswerOf("OnCursorMoving", CGridWnd::OnCursorMoving(nOldCol, nOldRow, nNewCol, nNewRow));
}

BOOL CRecordingGrid::OnScrollPosChanging(int nOldLeftCol, int nOldTopRow, int nNewLeftCol,
                                         int nNewTopRow) {
    Record("OnScrollPosChanging",
           Args().Int(nOldLeftCol).Int(nOldTopRow).Int(nNewLeftCol).Int(nNewTopRow));
    return AnswerOf("OnScrollPosChanging", CGridWnd::OnScrollPosChanging(nOldLeftCol, nOldTopRow,
                                                                         nNewLeftCol, nNewTopRow));
}

void CRecordingGrid::OnRowsAppended(int nFirstNewRow, int nCount, int nSourceValue) {
    Record("OnRowsAppended", Args().Int(nFirstNewRow).Int(nCount).Int(nSourceValue));
}

void CRecordingGrid::OnGridReserved1(int a, int b) {
    Record("OnGridReserved1", Args().Int(a).Int(b));
}

BOOL CRecordingGrid::CanResizeColumn(int nCol) {
    Record("CanResizeColumn", Args().Int(nCol));
    return AnswerOf("CanResizeColumn", CGridWnd::CanResizeColumn(nCol));
}

void CRecordingGrid::OnColumnWidthChanging(int nCol, int* pWidth) {
    Record("OnColumnWidthChanging", Args().Int(nCol).Ptr(pWidth));
}

void CRecordingGrid::OnColumnWidthChanged(int nCol, int* pWidth) {
    Record("OnColumnWidthChanged", Args().Int(nCol).Ptr(pWidth));
}

BOOL CRecordingGrid::CanResizeRow(int nRow) {
    Record("CanResizeRow", Args().Int(nRow));
    return AnswerOf("CanResizeRow", CGridWnd::CanResizeRow(nRow));
}

void CRecordingGrid::OnRowHeightChanging(int nRow, int* pHeight) {
    Record("OnRowHeightChanging", Args().Int(nRow).Ptr(pHeight));
}

void CRecordingGrid::OnRowHeightChanged(int nRow, int* pHeight) {
    Record("OnRowHeightChanged", Args().Int(nRow).Ptr(pHeight));
}

BOOL CRecordingGrid::CanResizeColumnHeading() {
    Record("CanResizeColumnHeading", Args());
    return AnswerOf("CanResizeColumnHeading", CGridWnd::CanResizeColumnHeading());
}

BOOL CRecordingGrid::CanResizeRowHeading() {
    Record("CanResizeRowHeading", Args());
    return AnswerOf("CanResizeRowHeading", CGridWnd::CanResizeRowHeading());
}

BOOL CRecordingGrid::OnColumnHeadingHeightChanging(int* pHeight) {
    Record("OnColumnHeadingHeightChanging", Args().Ptr(pHeight));
    return AnswerOf("OnColumnHeadingHeightChanging",
                    CGridWnd::OnColumnHeadingHeightChanging(pHeight));
}

BOOL CRecordingGrid::OnRowHeadingWidthChanging(int* pWidth) {
    Record("OnRowHeadingWidthChanging", Args().Ptr(pWidth));
    return AnswerOf("OnRowHeadingWidthChanging", CGridWnd::OnRowHeadingWidthChanging(pWidth));
}

BOOL CRecordingGrid::OnColumnHeadingHeightChanged(int* pHeight) {
    Record("OnColumnHeadingHeightChanged", Args().Ptr(pHeight));
    return AnswerOf("OnColumnHeadingHeightChanged",
                    CGridWnd::OnColumnHeadingHeightChanged(pHeight));
}

BOOL CRecordingGrid::OnRowHeadingWidthChanged(int* pWidth) {
    Record("OnRowHeadingWidthChanged", Args().Ptr(pWidth));
    return AnswerOf("OnRowHeadingWidthChanged", CGridWnd::OnRowHeadingWidthChanged(pWidth));
}

void CRecordingGrid::OnCursorColChanged(int nOldCol, int nNewCol) {
    Record("OnCursorColChanged", Args().Int(nOldCol).Int(nNewCol));
}

void CRecordingGrid::OnCursorRowChanged(int nOldRow, int nNewRow) {
    Record("OnCursorRowChanged", Args().Int(nOldRow).Int(nNewRow));
}

void CRecordingGrid::OnCursorCellChanged(int nOldCol, int nNewCol, int nOldRow, int nNewRow) {
    Record("OnCursorCellChanged", Args().Int(nOldCol).Int(nNewCol).Int(nOldRow).Int(nNewRow));
}

void CRecordingGrid::OnLeftColChanged(int nOldLeftCol, int nNewLeftCol) {
    Record("OnLeftColChanged", Args().Int(nOldLeftCol).Int(nNewLeftCol));
}

void CRecordingGrid::OnTopRowChanged(int nOldTopRow, int nNewTopRow) {
    Record("OnTopRowChanged", Args().Int(nOldTopRow).Int(nNewTopRow));
}

void CRecordingGrid::OnCellLeftClick(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint,
                                     BOOL bProcessed) {
    Record("OnCellLeftClick",
           Args().Int(nCol).Int(nRow).Int(bDown).Rect(pRect).Point(pPoint).Int(bProcessed));
}

void CRecordingGrid::OnCellRightClick(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint,
                                      BOOL bProcessed) {
    Record("OnCellRightClick",
           Args().Int(nCol).Int(nRow).Int(bDown).Rect(pRect).Point(pPoint).Int(bProcessed));
}

void CRecordingGrid::OnCellDblClick(int nCol, int nRow, CRect* pRect, CPoint* pPoint,
                                    BOOL bProcessed) {
    Record("OnCellDblClick", Args().Int(nCol).Int(nRow).Rect(pRect).Point(pPoint).Int(bProcessed));
}

void CRecordingGrid::OnCellMouseMove(int nCol, int nRow, CPoint* pPoint, UINT nFlags,
                                     BOOL bProcessed) {
    Record("OnCellMouseMove", Args().Int(nCol).Int(nRow).Point(pPoint).Int(nFlags).Int(bProcessed));
}

void CRecordingGrid::OnColHeadingLeftClick(int nCol, int nRow, BOOL bDown, CRect* pRect,
                                           CPoint* pPoint, BOOL bProcessed) {
    Record("OnColHeadingLeftClick",
           Args().Int(nCol).Int(nRow).Int(bDown).Rect(pRect).Point(pPoint).Int(bProcessed));
}

void CRecordingGrid::OnColHeadingRightClick(int nCol, int nRow, BOOL bDown, CRect* pRect,
                                            CPoint* pPoint, BOOL bProcessed) {
    Record("OnColHeadingRightClick",
           Args().Int(nCol).Int(nRow).Int(bDown).Rect(pRect).Point(pPoint).Int(bProcessed));
}

void CRecordingGrid::OnColHeadingDblClick(int nCol, int nRow, CRect* pRect, CPoint* pPoint,
                                          BOOL bProcessed) {
    Record("OnColHeadingDblClick",
           Args().Int(nCol).Int(nRow).Rect(pRect).Point(pPoint).Int(bProcessed));
}

void CRecordingGrid::OnRowHeadingLeftClick(int nCol, int nRow, BOOL bDown, CRect* pRect,
                                           CPoint* pPoint, BOOL bProcessed) {
    Record("OnRowHeadingLeftClick",
           Args().Int(nCol).Int(nRow).Int(bDown).Rect(pRect).Point(pPoint).Int(bProcessed));
}

void CRecordingGrid::OnRowHeadingRightClick(int nCol, int nRow, BOOL bDown, CRect* pRect,
                                            CPoint* pPoint, BOOL bProcessed) {
    Record("OnRowHeadingRightClick",
           Args().Int(nCol).Int(nRow).Int(bDown).Rect(pRect).Point(pPoint).Int(bProcessed));
}

void CRecordingGrid::OnRowHeadingDblClick(int nCol, int nRow, CRect* pRect, CPoint* pPoint,
                                          BOOL bProcessed) {
    Record("OnRowHeadingDblClick",
           Args().Int(nCol).Int(nRow).Rect(pRect).Point(pPoint).Int(bProcessed));
}

void CRecordingGrid::OnCornerLeftClick(BOOL bDown, CRect* pRect, CPoint* pPoint, int nReserved) {
    Record("OnCornerLeftClick", Args().Int(bDown).Rect(pRect).Point(pPoint).Int(nReserved));
}

void CRecordingGrid::OnCornerRightClick(BOOL bDown, CRect* pRect, CPoint* pPoint, int nReserved) {
    Record("OnCornerRightClick", Args().Int(bDown).Rect(pRect).Point(pPoint).Int(nReserved));
}

void CRecordingGrid::OnCornerDblClick(CRect* pRect, CPoint* pPoint, int nReserved) {
    Record("OnCornerDblClick", Args().Rect(pRect).Point(pPoint).Int(nReserved));
}

void CRecordingGrid::OnGridKeyDown(UINT* pKey, BOOL bProcessed) {
    Record("OnGridKeyDown", Args().Uint(pKey).Int(bProcessed));
}

void CRecordingGrid::OnGridChar(UINT* pChar, BOOL bProcessed) {
    Record("OnGridChar", Args().Uint(pChar).Int(bProcessed));
}

void CRecordingGrid::OnCellFetched(int nCol, int nRow, CGridCell* pCell) {
    Record("OnCellFetched", Args().Int(nCol).Int(nRow).Cell(pCell));
}

void CRecordingGrid::OnCellStoring(int nCol, int nRow, CGridCell* pCell) {
    Record("OnCellStoring", Args().Int(nCol).Int(nRow).Cell(pCell));
}

void CRecordingGrid::OnGridReserved2(int a, int b, int c) {
    Record("OnGridReserved2", Args().Int(a).Int(b).Int(c));
}

BOOL CRecordingGrid::OnCellTypeNotify(int nCellType, int nCol, int nRow, int nCode, LPARAM nData) {
    Record("OnCellTypeNotify", Args().Int(nCellType).Int(nCol).Int(nRow).Int(nCode).Int(nData));
    return AnswerOf("OnCellTypeNotify",
                    CGridWnd::OnCellTypeNotify(nCellType, nCol, nRow, nCode, nData));
}

BOOL CRecordingGrid::OnEditStart(int nCol, int nRow, CWnd** ppEditor) {
    Record("OnEditStart", Args().Int(nCol).Int(nRow).Wnd(ppEditor != NULL ? *ppEditor : NULL));
    return AnswerOf("OnEditStart", CGridWnd::OnEditStart(nCol, nRow, ppEditor));
}

BOOL CRecordingGrid::OnEditChar(int nCol, int nRow, CWnd* pEditor, UINT* pChar) {
    Record("OnEditChar", Args().Int(nCol).Int(nRow).Wnd(pEditor).Uint(pChar));
    return AnswerOf("OnEditChar", CGridWnd::OnEditChar(nCol, nRow, pEditor, pChar));
}

BOOL CRecordingGrid::OnEditFinish(int nCol, int nRow, CWnd* pEditor, LPCSTR lpszText,
                                  BOOL bCancelled) {
    Record("OnEditFinish", Args().Int(nCol).Int(nRow).Wnd(pEditor).Text(lpszText).Int(bCancelled));
    return AnswerOf("OnEditFinish",
                    CGridWnd::OnEditFinish(nCol, nRow, pEditor, lpszText, bCancelled));
}

BOOL CRecordingGrid::OnEditContinue(int nCol, int nRow, int* pNextCol, int* pNextRow) {
    Record("OnEditContinue", Args().Int(nCol).Int(nRow).Ptr(pNextCol).Ptr(pNextRow));
    return AnswerOf("OnEditContinue", CGridWnd::OnEditContinue(nCol, nRow, pNextCol, pNextRow));
}

void CRecordingGrid::OnMenuCommand(int nCol, int nRow, int nFlags, UINT nID) {
    Record("OnMenuCommand", Args().Int(nCol).Int(nRow).Int(nFlags).Int(nID));
}

BOOL CRecordingGrid::OnMenuStart(int nCol, int nRow, int nFlags) {
    Record("OnMenuStart", Args().Int(nCol).Int(nRow).Int(nFlags));
    return AnswerOf("OnMenuStart", CGridWnd::OnMenuStart(nCol, nRow, nFlags));
}

BOOL CRecordingGrid::OnGetHintText(int nCol, int nRow, int nKind, CString* pText) {
    Record("OnGetHintText", Args().Int(nCol).Int(nRow).Int(nKind));
    return AnswerOf("OnGetHintText", CGridWnd::OnGetHintText(nCol, nRow, nKind, pText));
}

BOOL CRecordingGrid::OnGetVScrollHint(int nRow, CString* pText) {
    Record("OnGetVScrollHint", Args().Int(nRow));
    return AnswerOf("OnGetVScrollHint", CGridWnd::OnGetVScrollHint(nRow, pText));
}

BOOL CRecordingGrid::OnGetHScrollHint(int nCol, CString* pText) {
    Record("OnGetHScrollHint", Args().Int(nCol));
    return AnswerOf("OnGetHScrollHint", CGridWnd::OnGetHScrollHint(nCol, pText));
}

int CRecordingGrid::OnCompareCells(CGridCell* pCellA, CGridCell* pCellB, UINT nFlags) {
    Record("OnCompareCells", Args().Cell(pCellA).Cell(pCellB).Int(nFlags));
    return CGridWnd::OnCompareCells(pCellA, pCellB, nFlags);
}

void CRecordingGrid::OnPaintSection(CDC* pDC, CDC* pBackDC, int nSection) {
    Record("OnPaintSection", Args().Dc(pDC).Dc(pBackDC).Int(nSection));
}

void CRecordingGrid::OnLayoutChange(CRect* pCellArea, CRect* pColHeadings, CRect* pRowHeadings,
                                    CRect* pCorner, CRect* pVScroll, CRect* pHScroll,
                                    CRect* pSheetTabs) {
    Record("OnLayoutChange", Args()
                                 .Rect(pCellArea)
                                 .Rect(pColHeadings)
                                 .Rect(pRowHeadings)
                                 .Rect(pCorner)
                                 .Rect(pVScroll)
                                 .Rect(pHScroll)
                                 .Rect(pSheetTabs));
}

void CRecordingGrid::OnTabSelected(int nTabId) { Record("OnTabSelected", Args().Int(nTabId)); }

COLORREF CRecordingGrid::OnGetDefaultColor(int nSection) {
    Record("OnGetDefaultColor", Args().Int(nSection));
    return CGridWnd::OnGetDefaultColor(nSection);
}

void CRecordingGrid::OnDrawFocusRect(CDC* pDC, CRect* pRect) {
    Record("OnDrawFocusRect", Args().Dc(pDC).Rect(pRect));
    CGridWnd::OnDrawFocusRect(pDC, pRect);
}

void CRecordingGrid::OnGridKillFocus(int nSection) {
    Record("OnGridKillFocus", Args().Int(nSection));
}

BOOL CRecordingGrid::CanDragColumn(int nCol) {
    Record("CanDragColumn", Args().Int(nCol));
    return AnswerOf("CanDragColumn", CGridWnd::CanDragColumn(nCol));
}

BOOL CRecordingGrid::OnColumnMoving(int nFromCol, int nToCol) {
    Record("OnColumnMoving", Args().Int(nFromCol).Int(nToCol));
    return AnswerOf("OnColumnMoving", CGridWnd::OnColumnMoving(nFromCol, nToCol));
}

void CRecordingGrid::OnFloatingWindowMoving(CRect* pOldRect, CRect* pNewRect) {
    Record("OnFloatingWindowMoving", Args().Rect(pOldRect).Rect(pNewRect));
}
