// CGridSheetTabs: the grid's sheet tab strip at the bottom left, beside the horizontal
// scroll bar. Its width is kept in the grid's settings; the grid lays it out.
//
// The strip holds its tab records, font and own small scroll bar (control id 100) and
// paints its background; tabs are not kept, drawn or chosen by it.
#pragma once

#include "vaskfc.h"

class CGridSettings;
class CGridWnd;

#define GRIDTABS_MAX      64
#define GRIDTABS_SCROLLID 100

class CGridSheetTabs : public CWnd {
public:
    CGridSheetTabs();
    ~CGridSheetTabs() override;

    CGridWnd* m_pGrid;
    CGridSettings* m_pSettings;

    int GetTabCount() const { return m_nTabCount; }
    int GetCurTab() const { return m_nCurTab; }
    CScrollBar& GetScrollBar() { return m_scrollBar; }
    // Repaints at once.
    void Refresh();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    // The grid's context menu (when it is on), section 7.
    void OnRButtonDown(UINT nFlags, CPoint point);

    CString m_strTabName[GRIDTABS_MAX];
    int m_nTabWidth[GRIDTABS_MAX];
    int m_nTabId[GRIDTABS_MAX];
    COLORREF m_crTabText[GRIDTABS_MAX];
    COLORREF m_crTabBack[GRIDTABS_MAX];
    int m_nTabCount;
    int m_nScrollPos;
    int m_nScrollMax;
    int m_nCurTab;
    int m_nArrowWidth;
    CScrollBar m_scrollBar;
    CFont m_font;
    CFont* m_pFont;
    int m_bOverSizeEdge;
    int m_bSizing;

    DECLARE_MESSAGE_MAP()
};
