// CGridInPlaceEdit: the text editor that the grid lays over a cell while the user types
// into it, a multi-line edit control. Every grid owns one; it is created hidden as a child
// of the grid with the control id 123 and is the sheets' default editor.
//
// The grid opens it (CGridWnd::EditCell) and is told by it when the edit ends
// (CGridWnd::FinishEdit): Tab and Shift+Tab leave to the next and previous column, Enter to
// the next row, Up and Down to the row above and below until the editor was resized;
// Escape discards. Losing the focus ends the edit too, discarding it when the focus leaves
// the grid and the grid's cancel-on-focus-loss option is on. A refused finish keeps the
// edit open. The editor grows with its text (over the cells to its right, then downwards)
// and never shrinks while the edit lasts.
#pragma once

#include "vaskfc.h"

class CGridWnd;

#define GRID_EDITOR_ID 123

class CGridInPlaceEdit : public CEdit {
public:
    CGridInPlaceEdit();
    ~CGridInPlaceEdit() override;

    CGridWnd* m_pGrid;

    // The virtual-key code of the last key pressed in the editor (0 after it got the focus).
    int GetLastKey() const { return m_nLastKey; }
    // Any non-zero value stores 1; the previous value is returned.
    int SetAutoGrow(int bAutoGrow);
    // Whether Up and Down move the caret (the editor grew with its text) instead of leaving.
    BOOL HasGrown() const { return m_nCurrentHeight != m_nInitialHeight; }

protected:
    void OnKillFocus(CWnd* pNewWnd);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    UINT OnGetDlgCode();
    void OnUpdate();

    // Leaves the edit for the cell (move on) through the focus going to the grid.
    void Leave(int nCol, int nRow);
    // Grows the editor to show its text (while auto-grow is on).
    void AutoResize();

    int m_bCancel;
    int m_bMoveOn;
    int m_nTargetCol;
    int m_nTargetRow;
    int m_nLastKey;
    int m_bAutoGrow;
    int m_nInitialHeight;
    int m_nCurrentHeight;

    DECLARE_MESSAGE_MAP()
};

// What the grid's editors share: the dialog code they answer, whether a focus change ends
// the edit as cancelled, and the finish that keeps a refused edit open.
UINT GridEditorDlgCode(UINT nDefault, LPARAM lParam);
BOOL GridFocusLeavesGrid(CGridWnd* pGrid, CWnd* pNewWnd);
void GridEditorFinish(CWnd* pEditor, CGridWnd* pGrid, BOOL bCancel, BOOL bMoveOn, int nTargetCol,
                      int nTargetRow);
