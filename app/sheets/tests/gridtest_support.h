// What the grid tests of the sheets share: a hidden host window with a placeholder control
// for the grids, and readers of a grid's cells.
#pragma once

#include "gridtestkit.h"
#include "paramgrid.h"

#include <memory>
#include <string>

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
