// CGridCornerWnd: the grid's child window where the column and row headings meet. It paints
// the corner cell (column -1, row -1) with that cell's type.
//
// Clicks and the dragging of its edges are not handled by it.
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

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);

    int m_bSizing;
    int m_bOverEdge;
    int m_bHeightSizing;
    int m_bWidthSizing;

    DECLARE_MESSAGE_MAP()
};
