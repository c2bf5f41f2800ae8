// What the grid tests of the sheets share: a hidden host window with a placeholder control
// for the grids, and readers of a grid's cells.
#pragma once

#include "gridbuttontypes.h"
#include "gridtestkit.h"
#include "paramgrid.h"
#include "window_kit.h"

#include <memory>
#include <string>
#include <vector>

// The control the instrument grids take the place of.
enum { kGridControlId = 1071 };

class GridHost {
public:
    GridHost() {
        host.Create("sheet grids", 700, 400, FALSE);
        AddPlaceholder(kGridControlId);
    }
    ~GridHost() {
        host.DestroyWindow();
        PumpMessages();
    }
    // A control of the host that a grid can take the place of, as a dialog's group box: a
    // window without an object of the class library.
    void AddPlaceholder(int id) {
        ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 600, 300, host.m_hWnd,
                          (HMENU)(INT_PTR)id, ::GetModuleHandleA(NULL), NULL);
    }
    // A grid of the page grids' kind, created over the host's client area.
    template <class Grid>
    std::unique_ptr<Grid> Make() {
        std::unique_ptr<Grid> grid(new Grid);
        grid->Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 610, 310), &host, 2000 + ++made_);
        return grid;
    }

    CHostWnd host;

private:
    int made_ = 0;
};

// The height of the grid's horizontal scroll bar as it shows (0 when it is hidden): the
// scroll-bar control among the grid's child windows that is not the vertical one.
inline int HorizontalBarHeight(HWND hGrid) {
    int height = 0;
    for (HWND h = ::GetWindow(hGrid, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        char name[32] = "";
        ::GetClassNameA(h, name, sizeof name);
        if (_stricmp(name, "ScrollBar") != 0 || (::GetWindowLongA(h, GWL_STYLE) & SBS_VERT))
            continue;
        RECT rc;
        if (::IsWindowVisible(h) && ::GetWindowRect(h, &rc)) height = rc.bottom - rc.top;
    }
    return height;
}

inline std::string Text(CGridWnd& grid, int col, int row) {
    CGridCell cell;
    grid.GetDisplayCell(col, row, cell);
    return cell.GetText() != NULL ? cell.GetText() : "";
}

inline bool ReadOnly(CGridWnd& grid, int col, int row) {
    CGridCell cell;
    grid.GetDisplayCell(col, row, cell);
    return cell.GetReadOnly() != 0;
}

inline COLORREF Back(CGridWnd& grid, int col, int row) {
    CGridCell cell;
    grid.GetDisplayCell(col, row, cell);
    return cell.HasProperties(GRIDCELL_BACKCOLOR) ? cell.GetBackColor() : CLR_INVALID;
}

inline std::string Caption(CGridWnd& grid, int col, int row) {
    CGridCell cell;
    grid.GetDisplayCell(col, row, cell);
    return cell.GetCaptionText() != NULL ? cell.GetCaptionText() : "";
}

// The cell is read-only on the menu colour, as the access rule leaves it.
inline bool Locked(CGridWnd& grid, int col, int row) {
    return ReadOnly(grid, col, row) && Back(grid, col, row) == ::GetSysColor(COLOR_MENU);
}

// The width of a cell that its type keeps from the text: a drop list's button, a parameter
// cell's button picture.
inline int CellDecorationWidth(CGridWnd& grid, CGridCell& cell) {
    CGridCellType* pType = grid.GetCellTypeObject(cell.GetCellType());
    if (dynamic_cast<CGridDropListType*>(pType)) return ::GetSystemMetrics(SM_CXVSCROLL) + 1;
    BITMAP bm;
    CBitmap* pPicture = cell.GetBitmapObject(0);
    if (dynamic_cast<CGridParamCellType*>(pType) && pPicture != NULL && pPicture->GetBitmap(&bm))
        return bm.bmWidth + 4;
    return 0;
}

// Every text cell of the grid, headings included, against its cell in the font the cell draws
// with (its own, else the grid's): one line within the cell's width less the text margins
// and what the cell's type draws beside the text, or, in a cell that wraps its words, the
// broken lines within its height. Check boxes, empty cells, hidden columns and the inner
// cells of a merged range are left out; a merged range counts as one.
inline std::vector<wkit::TextRoom> WholeGridTexts(CGridWnd& grid) {
    std::vector<wkit::TextRoom> rooms;
    CGridSettings* s = grid.GetSettings();
    for (int row = -grid.GetColumnHeadingRowCount(); row < grid.GetRowCount(); ++row) {
        for (int col = -1; col < grid.GetColCount(); ++col) {
            CGridCell cell;
            grid.GetDisplayCell(col, row, cell);
            if (cell.GetText() == NULL || *cell.GetText() == '\0') continue;
            if (dynamic_cast<CGridCheckBoxType*>(grid.GetCellTypeObject(cell.GetCellType())))
                continue;
            int width = col < 0 ? s->GetHeadingColWidth(col) : s->GetColWidth(col);
            int height = row < 0 ? s->GetHeadingRowHeight(row) : s->GetRowHeight(row);
            int origin = 0, cols = 0, rows = 0;
            if (cell.GetMergeInfo(origin, cols, rows) == 0) {
                if (!origin) continue;
                for (int c = 1; c <= cols; ++c) width += s->GetColWidth(col + c);
                for (int r = 1; r <= rows; ++r)
                    height += row + r < 0 ? s->GetHeadingRowHeight(row + r) : s->GetRowHeight(row + r);
            }
            // A column or row made narrower than the text margins is hidden, not cut off.
            if (width <= 2 * s->m_nTextMargin || height <= 2) continue;
            CFont* pFont = cell.GetFont() != NULL ? cell.GetFont() : s->m_pDefaultFont;
            HFONT hFont = pFont != NULL ? (HFONT)pFont->GetSafeHandle() : NULL;
            const std::string text = cell.GetText();
            const int room = width - 2 * s->m_nTextMargin - CellDecorationWidth(grid, cell);
            if (cell.GetCellTypeStyle() & GRIDSTYLE_WORDWRAP) {
                HDC hDC = ::GetDC(NULL);
                HGDIOBJ hOld = ::SelectObject(hDC, hFont);
                RECT rc = {0, 0, room, 0};
                ::DrawTextA(hDC, text.c_str(), (int)text.size(), &rc,
                            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
                ::SelectObject(hDC, hOld);
                ::ReleaseDC(NULL, hDC);
                wkit::TextRoom r;
                r.text = text;
                r.needWidth = rc.right;
                r.needHeight = rc.bottom;
                r.roomWidth = room;
                r.roomHeight = height - 2;
                rooms.push_back(r);
            } else {
                rooms.push_back(wkit::MeasureText(hFont, text, room, height - 2));
            }
        }
    }
    return rooms;
}
