// Helpers shared by the grid's sources; not part of the grid's interface.
#pragma once

#include "gridcell.h"

class CGridCellType;
class CGridWnd;

// A button picture loaded once per resource id and counted by the cells that name it.
struct CGridSharedBitmap {
    UINT nId;
    int nRefs;
    BOOL bLoaded;
    CBitmap bitmap;
};

// The shared picture of a resource id with one more reference (never NULL; bLoaded tells
// whether the resource was found), and the release of such a reference.
CGridSharedBitmap* GridAcquireButtonBitmap(UINT nId);
void GridReleaseButtonBitmap(CGridSharedBitmap* pShared);

// Invalidates the window (with erasing) and paints it at once; nothing without a window.
void GridRedrawNow(CWnd* pWnd);

// Text comparisons of the grid: byte-wise in the program's code page, and the same ignoring
// case.
int GridCompareText(LPCSTR a, LPCSTR b);
int GridCompareTextNoCase(LPCSTR a, LPCSTR b);
// Upper-cases a copy of the text in the program's code page.
CString GridUpperCopy(LPCSTR lpszText);

// The visible columns (rows) in screen order: the locked ones, then from the first scrolling
// one. Calls visit (index, start pixel, size) until it answers false or the pixels pass
// nLimit.
template <class Size, class Visit>
void GridWalkVisible(int nCount, int nLocked, int nFirst, int nLimit, Size size, Visit visit) {
    int x = 0;
    for (int i = 0; i < nCount; ++i) {
        if (i == nLocked && nFirst > i) i = nFirst;
        if (i >= nCount) break;
        const int w = size(i);
        if (!visit(i, x, w)) return;
        x += w;
        if (x > nLimit) return;
    }
}

// A button's 3-D frame through the cell's border property (raised, or sunken while pressed),
// its inside filled with the face brush; the cell keeps its own border.
void GridDrawButtonFace(CGridCellType* pType, CDC* pDC, CRect* pButton, CGridCell* pCell,
                        BOOL bSunken, CBrush* pFace);
// The vertical line between a cell's text and its button.
void GridSeparatorLine(CDC* pDC, CPen* pPen, int x, int nTop, int nBottom);

// A right click's context menu: the point in the window's client coordinates.
void GridShowMenuAt(CGridWnd* pGrid, CWnd* pFrom, int nCol, int nRow, CPoint point, int nSection);
