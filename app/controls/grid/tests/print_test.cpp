// Printing a grid: the page layout as a function of the printer's measures (a table of
// ranges, sizes and options), then a real print on the build's PDF printer, read back with
// pdftotext (and its first page rendered for the documentation when screenshots are asked
// for).
#include "grid.h"
#include "gridtestkit.h"
#include "report_test.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A4 at 300 dots per inch: usable room 606 x 933 screen pixels inside 25 mm margins.
const GridPrinterMeasures kA4 = {210, 297, 2480, 3508};

struct Page {
    int firstCol, lastCol, firstRow, lastRow;
    bool operator==(const Page& o) const {
        return firstCol == o.firstCol && lastCol == o.lastCol && firstRow == o.firstRow &&
               lastRow == o.lastRow;
    }
};

std::ostream& operator<<(std::ostream& os, const Page& p) {
    return os << "cols " << p.firstCol << ".." << p.lastCol << " rows " << p.firstRow << ".."
              << p.lastRow;
}

// The pages a layout gives, in page order.
std::vector<Page> PagesOf(const CGridPrint& print) {
    std::vector<Page> pages;
    for (size_t i = 0; i < print.m_pages.size(); ++i) {
        const CGridPrint::PageRecord& r = print.m_pages[i];
        EXPECT_EQ(r.nPage, (int)i + 1);
        pages.push_back({r.nFirstCol, r.nLastCol, r.nFirstRow, r.nLastRow});
    }
    return pages;
}

TEST(PrintLayout, BandsFollowTheSizesTheMarginsAndTheRepeatedHeadings) {
    struct Case {
        const char* name;
        std::vector<int> widths, heights;
        bool repeatCols, repeatRows;
        GridPrinterMeasures measures;
        std::vector<Page> pages;
    } cases[] = {
        {"smaller than a page", {100, 100}, {20, 20, 20}, false, false, kA4, {{0, 1, 0, 2}}},
        // 3 column bands and 2 row bands; page 4 is the first column band of the second.
        {"three by two",
         {300, 300, 300, 300, 300},
         {500, 400, 500},
         false,
         false,
         kA4,
         {{0, 1, 0, 1}, {2, 3, 0, 1}, {4, 4, 0, 1}, {0, 1, 2, 2}, {2, 3, 2, 2}, {4, 4, 2, 2}}},
        // A column at least as wide as the room ends the band that it overflows.
        {"a wide column", {100, 700, 100}, {20}, false, false, kA4, {{0, 1, 0, 0}, {2, 2, 0, 0}}},
        {"a wide first column", {700, 100}, {20}, false, false, kA4, {{0, 0, 0, 0}, {1, 1, 0, 0}}},
        // Repeated column headings (20 high) take their room on every page.
        {"repeated column headings",
         {100},
         std::vector<int>(50, 20),
         true,
         false,
         kA4,
         {{0, 0, 0, 44}, {0, 0, 45, 49}}},
        {"no repeated headings",
         {100},
         std::vector<int>(50, 20),
         false,
         false,
         kA4,
         {{0, 0, 0, 45}, {0, 0, 46, 49}}},
        // Narrower than the room, wider than the room less the row headings (40): it starts
        // its band and stays in it instead of being put back for ever.
        {"a column beside the headings",
         {600, 600, 10},
         {20},
         false,
         true,
         kA4,
         {{0, 0, 0, 0}, {1, 1, 0, 0}, {2, 2, 0, 0}}},
        // A band that ends at the last column leaves no empty band behind it.
        {"headings after the last band",
         {600, 600},
         {20},
         false,
         true,
         kA4,
         {{0, 0, 0, 0}, {1, 1, 0, 0}}},
        {"rows beside the headings",
         {100},
         {920, 920},
         true,
         false,
         kA4,
         {{0, 0, 0, 0}, {0, 0, 1, 1}}},
        {"no millimetres", {100}, {20}, false, false, {0, 297, 2480, 3508}, {}},
        {"no pixels", {100}, {20}, false, false, {210, 297, 2480, 0}, {}},
        {"margins wider than the paper", {100}, {20}, false, false, {40, 297, 480, 3508}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridWnd grid;
        grid.SetColCount((int)c.widths.size(), FALSE);
        grid.SetRowCount((int)c.heights.size(), FALSE);
        grid.SetUniformRowHeight(FALSE);
        for (size_t i = 0; i < c.widths.size(); ++i) grid.SetColumnWidth((int)i, c.widths[i]);
        for (size_t i = 0; i < c.heights.size(); ++i) grid.SetRowHeight((int)i, c.heights[i]);
        grid.SetColumnHeadingHeight(20);
        grid.SetRowHeadingWidth(40);
        grid.SetPrintOption(GRIDPRINT_REPEATCOLHEADINGS, c.repeatCols);
        grid.SetPrintOption(GRIDPRINT_REPEATROWHEADINGS, c.repeatRows);
        CGridPrint* print = grid.GetPrintObject();
        print->m_pSettings = grid.GetSettings();
        const int nPages =
            print->Layout(c.measures, 0, 0, (int)c.widths.size() - 1, (int)c.heights.size() - 1);
        EXPECT_EQ(nPages, (int)c.pages.size());
        EXPECT_EQ(PagesOf(*print), c.pages);
        if (nPages > 0) {
            EXPECT_EQ(print->m_nLeftMargin, (int)(2480.0 / 210 * 25));
            EXPECT_EQ(print->m_nRightEdge, (int)(2480 - 2480.0 / 210 * 25));
        }
    }
}

TEST(PrintLayout, OptionsKeepTheirValuesAndUnknownOnesAnswer1) {
    CGridWnd grid;
    int nValue = -1;
    EXPECT_EQ(grid.GetPrintOption(GRIDPRINT_PAGEFRAME, &nValue), 0);
    EXPECT_EQ(nValue, 1);
    EXPECT_EQ(grid.GetPrintOption(GRIDPRINT_LEFTMARGIN, &nValue), 0);
    EXPECT_EQ(nValue, 25);
    EXPECT_EQ(grid.SetPrintOption(GRIDPRINT_PAGEFRAME, 7), 0);
    grid.GetPrintOption(GRIDPRINT_PAGEFRAME, &nValue);
    EXPECT_EQ(nValue, 1) << "a switch stores 1";
    EXPECT_EQ(grid.SetPrintOption(GRIDPRINT_TOPMARGIN, 12), 0);
    grid.GetPrintOption(GRIDPRINT_TOPMARGIN, &nValue);
    EXPECT_EQ(nValue, 12);
    EXPECT_EQ(grid.SetPrintOption(7, 3), 0);
    EXPECT_EQ(grid.GetPrintOption(7, &nValue), 1);
    EXPECT_EQ(nValue, 0);
    // Without a layout there is no page to print.
    EXPECT_EQ(grid.PrintPage(NULL, 1), 0);
}

std::string CellText(int c, int r) { return "r" + std::to_string(r) + "c" + std::to_string(c); }

TEST(GridPrint, ALongGridPrintsEveryCellWithTheHeadingsOnEveryPage) {
    CHostWnd host;
    ASSERT_TRUE(host.Create("grid print", 640, 480, FALSE));
    CGridWnd grid;
    ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 400), &host, 90));
    grid.SetColCount(8);
    grid.SetRowCount(300);
    for (int c = 0; c < 8; ++c) {
        grid.SetColumnWidth(c, 70);
        grid.SetCellText(c, -1, ("Head" + std::to_string(c)).c_str());
        for (int r = 0; r < 300; ++r) grid.SetCellText(c, r, CellText(c, r).c_str());
    }
    grid.EnableMergedCells(TRUE);
    ASSERT_EQ(grid.MergeCellRange(2, 44, 3, 47), 0);
    CString before[2][4];
    for (int c = 2; c <= 3; ++c)
        for (int r = 44; r <= 47; ++r) grid.GetCellTextString(c, r, before[c - 2][r - 44]);
    grid.SetPrintOption(GRIDPRINT_REPEATCOLHEADINGS, 1);

    char printer[256] = "";
    DWORD size = sizeof printer;
    ASSERT_TRUE(::GetDefaultPrinterA(printer, &size));
    HDC hDC = ::CreateDCA(NULL, printer, NULL, NULL);
    ASSERT_NE(hDC, (HDC)NULL);
    CDC* pDC = CDC::FromHandle(hDC);
    // A name of this print alone: the queue finds the job by it.
    const std::string document = "gridprint_" + std::to_string(::GetCurrentProcessId()) + "_" +
                                 std::to_string(::GetTickCount64());
    DOCINFOA doc = {sizeof doc, document.c_str(), NULL, NULL, 0};
    rtest::PrintJobs jobs;
    ASSERT_GT(::StartDocA(hDC, &doc), 0);
    const int nPages = grid.PreparePrint(pDC, 0, 0, 0, 7, 299);
    ASSERT_GT(nPages, 1);
    for (int p = 1; p <= nPages; ++p) {
        ::StartPage(hDC);
        EXPECT_EQ(grid.PrintPage(pDC, p), 0);
        ::EndPage(hDC);
    }
    ASSERT_GT(::EndDoc(hDC), 0);
    ::DeleteDC(hDC);

    const std::string pdf = jobs.PdfOf(document);
    ASSERT_FALSE(pdf.empty()) << jobs.Missed();
    SCOPED_TRACE(jobs.About());
    const std::vector<std::string> pages = rtest::PdfPages(pdf);
    EXPECT_EQ((int)pages.size(), nPages);
    std::string all;
    for (size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p + 1);
        for (int c = 0; c < 8; ++c)
            EXPECT_NE(pages[p].find("Head" + std::to_string(c)), std::string::npos);
        all += pages[p];
    }
    for (int r = 0; r < 300; ++r)
        for (int c = 0; c < 8; ++c) {
            // The merged range shows its first cell's content only.
            if (c >= 2 && c <= 3 && r >= 44 && r <= 47 && !(c == 2 && r == 44)) continue;
            EXPECT_NE(all.find(CellText(c, r)), std::string::npos) << CellText(c, r);
        }
    // The merged range and its cells are as they were.
    int c1 = 3, r1 = 45, c2, r2;
    EXPECT_EQ(grid.GetMergeRange(c1, r1, c2, r2), 0);
    EXPECT_EQ(std::vector<int>({c1, r1, c2, r2}), std::vector<int>({2, 44, 3, 47}));
    for (int c = 2; c <= 3; ++c)
        for (int r = 44; r <= 47; ++r) {
            CString now;
            grid.GetCellTextString(c, r, now);
            EXPECT_EQ(std::string(now), std::string(before[c - 2][r - 44]));
        }

    // The first page for the documentation, when screenshots are asked for.
    const char* shots = getenv("VASK_SCREENSHOTS");
    if (shots != NULL && strcmp(shots, "1") == 0) {
        std::string unix = pdf.substr(2);
        for (char& ch : unix)
            if (ch == '\\') ch = '/';
        const std::string out = std::string(VASK_DOCS_IMAGES_UNIX) + "/grid-print-page1";
        std::string command = "/bin/sh -c \"/usr/bin/pdftoppm -png -r 50 -f 1 -l 1 -singlefile '" +
                              unix + "' '" + out + "'\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        std::vector<char> line(command.begin(), command.end());
        line.push_back('\0');
        if (::CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
            ::CloseHandle(pi.hThread);
            ::CloseHandle(pi.hProcess);
        }
    }
    grid.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
