// Test support of the grid: a grid that records every notification with its arguments, in
// order, and answers its queries as a test tells it; and small helpers for window tests of
// the grid (a top-level host window, message pumping, drawing on a 24-bit DIB section).
//
// Each call is kept as its name, its numeric arguments and a text such as
// "OnCursorCellChanged(-1,0,-1,0)". Rectangles read "[l,t,r,b]", points "(x,y)", values
// behind pointers "*v", windows "#id" (their control id) or "null", texts in double quotes,
// cells as the text they hold. A test that must change what a notification hands back
// derives from CRecordingGrid and calls the base to keep the record.
#pragma once

#include "grid.h"

#include <map>
#include <set>
#include <string>
#include <vector>

struct GridCall {
    std::string name;
    std::vector<long long> args;
    std::string text;
};

class CRecordingGrid : public CGridWnd {
public:
    CRecordingGrid();

    // --- the record ---------------------------------------------------------------------
    const std::vector<GridCall>& Calls() const { return m_calls; }
    // The texts of the calls, and the same while emptying the record.
    std::vector<std::string> Texts() const;
    std::vector<std::string> Take();
    // The texts of the calls of these names only.
    std::vector<std::string> Texts(const std::set<std::string>& names) const;
    int Count(const std::string& name) const;
    // The last call of that name, or NULL.
    const GridCall* Last(const std::string& name) const;
    void Clear() { m_calls.clear(); }
    // Calls of these names are not recorded (painting asks for colours on every paint).
    void Ignore(const std::set<std::string>& names) { m_ignored = names; }
    // Ignores the notifications that every paint and fetch sends.
    void IgnorePainting();

    // --- answers of the queries ---------------------------------------------------------
    // The query of that name answers the value (0 refuses) until Reset.
    void Answer(const std::string& name, int nAnswer) { m_answers[name] = nAnswer; }
    void Refuse(const std::string& name) { Answer(name, 0); }
    void ResetAnswers() { m_answers.clear(); }

    // --- the notifications --------------------------------------------------------------
    void OnGridSetFocus(int nSection) override;
    void OnGridSetup() override;
    void OnSheetSetup(int nSheet) override;
    BOOL OnCursorMoving(int nOldCol, int nOldRow, int nNewCol, int nNewRow) override;
    BOOL OnScrollPosChanging(int nOldLeftCol, int nOldTopRow, int nNewLeftCol,
                             int nNewTopRow) override;
    void OnRowsAppended(int nFirstNewRow, int nCount, int nSourceValue) override;
    void OnGridReserved1(int a, int b) override;
    BOOL CanResizeColumn(int nCol) override;
    void OnColumnWidthChanging(int nCol, int* pWidth) override;
    void OnColumnWidthChanged(int nCol, int* pWidth) override;
    BOOL CanResizeRow(int nRow) override;
    void OnRowHeightChanging(int nRow, int* pHeight) override;
    void OnRowHeightChanged(int nRow, int* pHeight) override;
    BOOL CanResizeColumnHeading() override;
    BOOL CanResizeRowHeading() override;
    BOOL OnColumnHeadingHeightChanging(int* pHeight) override;
    BOOL OnRowHeadingWidthChanging(int* pWidth) override;
    BOOL OnColumnHeadingHeightChanged(int* pHeight) override;
    BOOL OnRowHeadingWidthChanged(int* pWidth) override;
    void OnCursorColChanged(int nOldCol, int nNewCol) override;
    void OnCursorRowChanged(int nOldRow, int nNewRow) override;
    void OnCursorCellChanged(int nOldCol, int nNewCol, int nOldRow, int nNewRow) override;
    void OnLeftColChanged(int nOldLeftCol, int nNewLeftCol) override;
    void OnTopRowChanged(int nOldTopRow, int nNewTopRow) override;
    void OnCellLeftClick(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint,
                         BOOL bProcessed) override;
    void OnCellRightClick(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint,
                          BOOL bProcessed) override;
    void OnCellDblClick(int nCol, int nRow, CRect* pRect, CPoint* pPoint, BOOL bProcessed) override;
    void OnCellMouseMove(int nCol, int nRow, CPoint* pPoint, UINT nFlags, BOOL bProcessed) override;
    void OnColHeadingLeftClick(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint,
                               BOOL bProcessed) override;
    void OnColHeadingRightClick(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint,
                                BOOL bProcessed) override;
    void OnColHeadingDblClick(int nCol, int nRow, CRect* pRect, CPoint* pPoint,
                              BOOL bProcessed) override;
    void OnRowHeadingLeftClick(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint,
                               BOOL bProcessed) override;
    void OnRowHeadingRightClick(int nCol, int nRow, BOOL bDown, CRect* pRect, CPoint* pPoint,
                                BOOL bProcessed) override;
    void OnRowHeadingDblClick(int nCol, int nRow, CRect* pRect, CPoint* pPoint,
                              BOOL bProcessed) override;
    void OnCornerLeftClick(BOOL bDown, CRect* pRect, CPoint* pPoint, int nReserved) override;
    void OnCornerRightClick(BOOL bDown, CRect* pRect, CPoint* pPoint, int nReserved) override;
    void OnCornerDblClick(CRect* pRect, CPoint* pPoint, int nReserved) override;
    void OnGridKeyDown(UINT* pKey, BOOL bProcessed) override;
    void OnGridChar(UINT* pChar, BOOL bProcessed) override;
    void OnCellFetched(int nCol, int nRow, CGridCell* pCell) override;
    void OnCellStoring(int nCol, int nRow, CGridCell* pCell) override;
    void OnGridReserved2(int a, int b, int c) override;
    BOOL OnCellTypeNotify(int nCellType, int nCol, int nRow, int nCode, LPARAM nData) override;
    BOOL OnEditStart(int nCol, int nRow, CWnd** ppEditor) override;
    BOOL OnEditChar(int nCol, int nRow, CWnd* pEditor, UINT* pChar) override;
    BOOL OnEditFinish(int nCol, int nRow, CWnd* pEditor, LPCSTR lpszText, BOOL bCancelled) override;
    BOOL OnEditContinue(int nCol, int nRow, int* pNextCol, int* pNextRow) override;
    void OnMenuCommand(int nCol, int nRow, int nFlags, UINT nID) override;
    BOOL OnMenuStart(int nCol, int nRow, int nFlags) override;
    BOOL OnGetHintText(int nCol, int nRow, int nKind, CString* pText) override;
    BOOL OnGetVScrollHint(int nRow, CString* pText) override;
    BOOL OnGetHScrollHint(int nCol, CString* pText) override;
    int OnCompareCells(CGridCell* pCellA, CGridCell* pCellB, UINT nFlags) override;
    void OnPaintSection(CDC* pDC, CDC* pBackDC, int nSection) override;
    void OnLayoutChange(CRect* pCellArea, CRect* pColHeadings, CRect* pRowHeadings, CRect* pCorner,
                        CRect* pVScroll, CRect* pHScroll, CRect* pSheetTabs) override;
    void OnTabSelected(int nTabId) override;
    COLORREF OnGetDefaultColor(int nSection) override;
    void OnDrawFocusRect(CDC* pDC, CRect* pRect) override;
    void OnGridKillFocus(int nSection) override;
    BOOL CanDragColumn(int nCol) override;
    BOOL OnColumnMoving(int nFromCol, int nToCol) override;
    void OnFloatingWindowMoving(CRect* pOldRect, CRect* pNewRect) override;

protected:
    // Builds the record of one call from its pieces (see the header's note on the forms).
    class Args {
    public:
        Args& Int(long long n);
        Args& Ptr(const int* p);
        Args& Uint(const UINT* p);
        Args& Rect(const CRect* p);
        Args& Point(const CPoint* p);
        Args& Wnd(const CWnd* p);
        Args& Text(LPCSTR p);
        Args& Cell(const CGridCell* p);
        Args& Dc(const CDC* p);
        std::vector<long long> values;
        std::vector<std::string> parts;
    };
    void Record(const char* name, const Args& args);
    // The test's answer for the query, else the default.
    int AnswerOf(const char* name, int nDefault) const;

    std::vector<GridCall> m_calls;
    std::set<std::string> m_ignored;
    std::map<std::string, int> m_answers;
};
