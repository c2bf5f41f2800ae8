// CGridSheetTabs: the grid's sheet tab strip at the bottom left, beside the horizontal
// scroll bar: one tab per sheet, picked with the mouse, scrolled with the strip's own small
// scroll bar (control id 100), and widened or narrowed by dragging the grip at its right
// edge. Its width is kept in the grid's settings; the grid lays it out. Tabs and sheets are
// independent: the grid is told the picked tab's id (OnTabSelected).
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

    // 1 when 64 tabs exist, else 0.
    int AddTab(LPCSTR lpszCaption, int nId);
    // An index outside 0..count does nothing (0); the count appends; 1 when full.
    int InsertTab(int nIndex, LPCSTR lpszCaption, int nId);
    // 1 removed, 0 when no tab has the id.
    int RemoveTab(int nId);
    // Makes the tab current and scrolls it into view: 1, or 0 when no tab has the id.
    int SelectTab(int nId);
    int GetTabCount() const { return m_nTabCount; }
    int GetCurTab() const { return m_nCurTab; }
    // 1 done, 0 when no tab has the id; no repaint.
    int SetTabBackColor(int nId, COLORREF cr);
    int SetTabTextColor(int nId, COLORREF cr);
    // A non-null font replaces the one in use; the tabs are measured again.
    int SetTabFont(CFont* pFont);
    // The strip width, at least 5 and at most the parent's width - 15; the bars are laid
    // out again.
    void SetStripWidth(int x);
    void RecalcScroll();
    // Repaints at once.
    void Refresh();

    // What tests and derived strips read.
    int GetTabId(int nIndex) const;
    CString GetTabName(int nIndex) const;
    int GetTabWidth(int nIndex) const;
    int GetScrollPos() const { return m_nScrollPos; }
    int GetScrollMax() const { return m_nScrollMax; }
    int GetArrowWidth() const { return m_nArrowWidth; }
    // The index of the tab under x (the span widened 2 pixels to the right), -1 when none.
    int TabFromPoint(int x) const;
    // The left edge of a tab in the strip's client coordinates.
    int TabLeft(int nIndex) const;
    CScrollBar& GetScrollBar() { return m_scrollBar; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    // The grid's context menu (when it is on), section 7.
    void OnRButtonDown(UINT nFlags, CPoint point);
    int IndexOf(int nId) const;
    // One tab's record into another place of the arrays.
    void CopyTab(int nTo, int nFrom);
    // A new tab's record at index i, in the default colours, measured.
    void SetTab(int i, LPCSTR lpszCaption, int nId);
    int MeasureTab(LPCSTR lpszCaption);
    void DrawTab(CDC* pDC, int i, int x, const CRect& rc, BOOL bCurrent);

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
