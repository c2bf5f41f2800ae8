// The grid's own scroll bars: CGridHScrollBar scrolls the columns, CGridVScrollBar the
// rows. The grid forwards its WM_HSCROLL and WM_VSCROLL to them and asks them to update
// after every cursor or scroll move.
//
// These bars hold what the grid sets and the values they cache; they keep no range yet and
// do not scroll.
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

protected:
    int m_nCachedMaxLeftCol;
    int m_nCachedLockedCols;
    int m_nTrackedCol;
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

protected:
    double m_dScale;
    double m_dInverse;
    int m_nCachedMaxTopRow;
    int m_nCachedMode;
    int m_nCachedLockedRows;
    int m_nTrackedRow;
};
