// CGridDropListBox: the list that the drop-list cell type opens under a cell, a child of the
// grid's cell area with the control id 123 (the in-place editor's too: tell them apart by
// class). It holds the mouse capture while it has the focus and closes when it loses the
// focus. Enter or a release of the left button anywhere chooses the selected entry: code
// 101 with the text (a refusal keeps the cell), the cell's text set and repainted, code 102.
// Escape, or Enter without a selection, closes the list without a choice; the type's open
// position then reads -2.
#pragma once

#include "vaskfc.h"

class CGridWnd;

#define GRID_DROPLIST_ID 123

class CGridDropListBox : public CListBox {
public:
    CGridDropListBox();
    ~CGridDropListBox() override;

    CGridWnd* m_pGrid;
    int m_bActive;
    int* m_pOpenCol;
    int* m_pOpenRow;
    int m_bChosen;
    int m_nTypeIndex;

    // Destroys the list (once: the destruction's own focus loss finds it closing); without
    // a choice the open position becomes -2.
    void Close();

protected:
    void OnKillFocus(CWnd* pNewWnd);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    UINT OnGetDlgCode();

    // Writes the selected entry into the open cell (when the grid agrees) and hands the
    // focus back to the cell area, which closes the list.
    void ChooseSelected();
    int m_bClosing;

    DECLARE_MESSAGE_MAP()
};
