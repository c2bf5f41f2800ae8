// CGridCornerWnd: the grid's child window where the column and row headings meet. It paints
// the corner cell (column -1, row -1) with that cell's type, reports clicks to the grid's
// corner notifications, and lets the user drag its right edge (the row headings' width) and
// its bottom edge (the column headings' height).
#pragma once

#include "vaskfc.h"

class CGridSettings;
class CGridWnd;

class CGridCornerWnd : public CWnd {
public:
    CGridCornerWnd();
    ~CGridCornerWnd() override;

    CGridWnd* m_pGrid;
    CGridSettings* m_pSettings;

    // Invalidates the whole window and updates it at once.
    void Redraw();
    // Follows a cursor move: the corner shows nothing of the cursor.
    void Refresh() {}
    BOOL IsSizing() const { return m_bSizing; }

protected:
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void PaintCorner(CDC* pDC);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    int m_bSizing;
    int m_bOverEdge;
    int m_bHeightSizing;
    int m_bWidthSizing;

    DECLARE_MESSAGE_MAP()
};
