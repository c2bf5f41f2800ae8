// The grid's own scroll bars: CGridHScrollBar scrolls the columns, CGridVScrollBar the
// rows. The grid forwards its WM_HSCROLL and WM_VSCROLL to them and asks them to update
// after every cursor or scroll move.
//
// While a thumb is dragged a bar can show the grid's hint window with a text from the
// grid's OnGetHScrollHint / OnGetVScrollHint. With more than 1000 top rows the vertical bar
// runs on a scale of 0..1000.
#pragma once

#include "vaskfc.h"

class CGridSettings;
class CGridWnd;

class CGridHScrollBar : public CScrollBar {
public:
    CGridHScrollBar();
    ~CGridHScrollBar() override;

    CGridWnd* m_pGrid;
    CGridSettings* m_pSettings;

    // Recomputes range and position.
    virtual void UpdateRange();
    // A scroll message forwarded by the grid.
    virtual void OnScroll(UINT nSBCode, UINT nPos);
    // Invalidates the bar and updates it at once.
    void Redraw();
    // The column the last thumb-track named.
    int GetTrackedCol() const { return m_nTrackedCol; }

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    // The grid's context menu (when it is on) for column and row 0, section 5 or 6.
    void OnRButtonDown(UINT nFlags, CPoint point);

    int m_nCachedMaxLeftCol;
    int m_nCachedLockedCols;
    int m_nTrackedCol;

    DECLARE_MESSAGE_MAP()
};

class CGridVScrollBar : public CScrollBar {
public:
    CGridVScrollBar();
    ~CGridVScrollBar() override;

    CGridWnd* m_pGrid;
    CGridSettings* m_pSettings;

    virtual void UpdateRange();
    virtual void OnScroll(UINT nSBCode, UINT nPos);
    void Redraw();
    int GetTrackedRow() const { return m_nTrackedRow; }

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    // The grid's context menu (when it is on) for column and row 0, section 5 or 6.
    void OnRButtonDown(UINT nFlags, CPoint point);

    double m_dScale;
    double m_dInverse;
    int m_nCachedMaxTopRow;
    int m_nCachedMode;
    int m_nCachedLockedRows;
    int m_nTrackedRow;

    DECLARE_MESSAGE_MAP()
};
