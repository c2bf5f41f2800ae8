// grid_bench: how the grid's costs grow with its size. Fills cells, repaints, scrolls by a
// row and by a page and jumps with the thumb across 50 000 rows, in a real window (Wine and
// a display), and prints each case's time per operation with the ratios the grid has to
// keep. Started by scripts/bench --grid; never a CTest test.
//
//   grid_bench [--repeat N]
//
// Each case runs N times (default 3); the fastest run counts.
#include "grid.h"
#include "gridtestkit.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)freq.QuadPart;
}

double CpuNow() {
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& ft) {
        return (double)(((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

struct Result {
    double wall;  // seconds per operation
    double cpu;
    double draws;  // cells drawn per operation
};

// Every cell is drawn through this type (the grid's default cell names it): the count shows
// how much each case really painted.
class CCountingType : public CGridCellType {
public:
    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override {
        ++g_nDraws;
        return CGridCellType::OnDraw(pDC, pRect, nCol, nRow, pCell, nSelected, bCurrent);
    }
    static long long g_nDraws;
};
long long CCountingType::g_nDraws = 0;

int g_nRepeat = 3;

// The best of the repeats of `run`, which does `count` operations after `prepare`.
Result Measure(int count, const std::function<void()>& prepare, const std::function<void()>& run) {
    Result best = {1e9, 1e9, 0};
    for (int i = 0; i < g_nRepeat; ++i) {
        prepare();
        PumpMessages();
        CCountingType::g_nDraws = 0;
        const double t0 = Now(), c0 = CpuNow();
        run();
        const double wall = (Now() - t0) / count, cpu = (CpuNow() - c0) / count;
        if (wall < best.wall) best = {wall, cpu, (double)CCountingType::g_nDraws / count};
    }
    return best;
}

// A grid of the given size in a window of its own, as the program shows one.
struct Bench {
    CCountingType type;
    CHostWnd host;
    CGridWnd grid;
    Bench(int nCols, int nRows) {
        host.Create("grid bench", 820, 640);
        // The first show of a process may follow its start-up's show state: show it again.
        host.ShowWindow(SW_SHOWNORMAL);
        host.UpdateWindow();
        grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 800, 600), &host, 1);
        CGridCell cell;
        cell.SetCellType(grid.RegisterCellType(&type));
        grid.SetGridDefaultCell(cell);
        grid.SetColCount(nCols);
        grid.SetRowCount(nRows);
        PumpMessages();
    }
    ~Bench() {
        grid.DestroyWindow();
        host.DestroyWindow();
        PumpMessages();
    }
    void Fill(int nRows) {
        char text[32];
        for (int r = 0; r < nRows; ++r)
            for (int c = 0; c < grid.GetColCount(); ++c) {
                snprintf(text, sizeof text, "%d.%d", r, c);
                grid.SetCellText(c, r, text);
            }
    }
    // Everything the grid shows: cells, headings, corner and bars.
    void Repaint() { grid.RepaintAll(); }
};

void Print(const char* name, const char* what, const Result& r, const char* unit, double scale) {
    printf("%-16s %-40s %9.3f %-7s %9.3f %-7s %8.1f\n", name, what, r.wall * scale, unit,
           r.cpu * scale, unit, r.draws);
}

void Ratio(const char* what, double ratio, double limit) {
    printf("  %-60s %6.2f  (to beat: <= %.1f) %s\n", what, ratio, limit,
           ratio <= limit ? "ok" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) g_nRepeat = atoi(argv[++i]);
    printf("%-16s %-40s %17s %17s %8s\n", "case", "what", "wall", "cpu", "drawn");

    // Filling: 10 columns, rows of cells set one by one.
    Result fill[2];
    const int cells[2] = {10000, 100000};
    for (int i = 0; i < 2; ++i) {
        const int nRows = cells[i] / 10;
        Bench* b = nullptr;
        fill[i] = Measure(
            cells[i],
            [&] {
                delete b;
                b = new Bench(10, nRows);
            },
            [&] { b->Fill(nRows); });
        delete b;
        Print(i == 0 ? "fill-10k" : "fill-100k",
              i == 0 ? "SetCellText, 10 000 cells row by row" : "SetCellText, 100 000 cells",
              fill[i], "us/cell", 1e6);
    }

    // Full repaints of the same window, 50 and 50 000 rows, all cells filled in view.
    Result repaint[2];
    const int rows[2] = {50, 50000};
    for (int i = 0; i < 2; ++i) {
        Bench b(12, rows[i]);
        b.Fill(rows[i] < 200 ? rows[i] : 200);
        repaint[i] = Measure(
            100, [] {},
            [&] {
                for (int n = 0; n < 100; ++n) b.Repaint();
            });
        Print(i == 0 ? "repaint-50" : "repaint-50000",
              i == 0 ? "whole grid, 50 rows" : "whole grid, 50 000 rows", repaint[i], "ms", 1e3);
    }

    // Scrolling a 50 000-row grid: one row, one page, and thumb jumps 0 -> 49 000 -> 0.
    Bench b(12, 50000);
    b.Fill(50000);
    const Result line = Measure(
        200, [&] { b.grid.SetTopRow(1000); },
        [&] {
            for (int n = 0; n < 200; ++n) b.grid.ScrollRows(1);
        });
    Print("scroll-row", "ScrollRows one row down", line, "ms", 1e3);
    const Result page = Measure(
        100, [&] { b.grid.SetTopRow(1000); },
        [&] {
            for (int n = 0; n < 100; ++n) b.grid.ScrollRows(3);
        });
    Print("scroll-page", "ScrollRows one page down", page, "ms", 1e3);
    HWND hBar = b.grid.GetVScrollBar()->m_hWnd;
    const int nMax = b.grid.GetSettings()->m_nMaxTopRow;
    const WORD nPos = (WORD)(49000.0 * 1000.0 / nMax);
    const Result jump = Measure(
        100, [&] { b.grid.SetTopRow(0); },
        [&] {
            for (int n = 0; n < 50; ++n) {
                b.grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, nPos), (LPARAM)hBar);
                b.grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), (LPARAM)hBar);
            }
        });
    Print("thumb-jump", "thumb 0 -> 49 000 -> 0, per jump", jump, "ms", 1e3);
    printf("  (the last jump ended on top row %d)\n", b.grid.GetTopRow());
    const Result full = Measure(
        100, [] {},
        [&] {
            for (int n = 0; n < 100; ++n) b.Repaint();
        });
    Print("repaint-filled", "whole grid, 50 000 filled rows", full, "ms", 1e3);

    if (repaint[0].draws < 1 || full.draws < 1) {
        printf("\nthe grid drew no cells: is there a display?\n");
        return 1;
    }
    printf("\n");
    Ratio("fill time per cell, 100 000 / 10 000 cells", fill[1].wall / fill[0].wall, 1.5);
    Ratio("full repaint, 50 000 / 50 rows", repaint[1].wall / repaint[0].wall, 1.2);
    Ratio("thumb jump / full repaint (50 000 filled rows)", jump.wall / full.wall, 2.0);
    return 0;
}
