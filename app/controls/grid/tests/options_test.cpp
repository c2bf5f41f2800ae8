// Column moves (by call and by a heading drag), bitmap files, the floating window, child
// objects replaced after the windows exist, and the sheet tab strip.
#include "grid.h"
#include "gridtestkit.h"
#include "recordinggrid.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <functional>

#include <memory>
#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

LPARAM At(const CPoint& pt) { return MAKELPARAM(pt.x, pt.y); }

std::vector<int> Widths(CGridWnd& grid) {
    std::vector<int> w;
    for (int c = 0; c < grid.GetColCount(); ++c) w.push_back(grid.GetColumnWidth(c));
    return w;
}

TEST(GridColumns, MoveColumnPutsTheColumnInFrontOfOrBehindTheTarget) {
    struct Case {
        int from, to, before, result;
        std::vector<int> widths;
    } cases[] = {
        {2, 5, 0, 0, {10, 20, 40, 50, 60, 30}},  // behind column 5: it ends at index 5
        {2, 5, 1, 0, {10, 20, 40, 50, 30, 60}},  // in front of column 5: index 4
        {2, 2, 0, 0, {10, 20, 30, 40, 50, 60}},  {2, 3, 1, 0, {10, 20, 30, 40, 50, 60}},
        {5, 0, 1, 0, {60, 10, 20, 30, 40, 50}},  {0, 6, 1, 0, {20, 30, 40, 50, 60, 10}},
        {6, 0, 1, 1, {10, 20, 30, 40, 50, 60}},  {0, 6, 0, 1, {10, 20, 30, 40, 50, 60}},
        {-1, 2, 1, 1, {10, 20, 30, 40, 50, 60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << "," << c.to << "," << c.before);
        CGridWnd grid;
        grid.SetColCount(6, FALSE);
        for (int i = 0; i < 6; ++i) grid.SetColumnWidth(i, 10 * (i + 1));
        EXPECT_EQ(grid.MoveColumn(c.from, c.to, c.before), c.result);
        EXPECT_EQ(Widths(grid), c.widths);
    }
}

TEST(GridColumns, ColumnDataSourcesByIndexOrObject) {
    CGridWnd grid;
    grid.SetColCount(3, FALSE);
    CGridMemDataSource other;
    const int nIndex = grid.AddDataSource(&other);
    EXPECT_EQ(grid.SetColumnDataSourceIndex(1, nIndex), 0);
    EXPECT_EQ(grid.GetSettings()->m_columns[1].pDataSource, &other);
    EXPECT_EQ(grid.SetColumnDataSourceIndex(1, 0), 0);
    EXPECT_EQ(grid.GetSettings()->m_columns[1].pDataSource, grid.GetSettings()->m_pMemDataSource);
    EXPECT_EQ(grid.SetColumnDataSourceIndex(1, nIndex + 1), 1);
    EXPECT_EQ(grid.SetColumnDataSource(3, &other), 1);
    EXPECT_EQ(grid.SetColumnDataSource(0, NULL), 1);
}

// --- bitmap files ---------------------------------------------------------------------------

void Put16(std::vector<BYTE>& v, size_t at, int n) {
    v[at] = (BYTE)n;
    v[at + 1] = (BYTE)(n >> 8);
}
void Put32(std::vector<BYTE>& v, size_t at, long n) {
    for (int i = 0; i < 4; ++i) v[at + i] = (BYTE)(n >> (8 * i));
}

// A bitmap file of w x h pixels: 14-byte header, 40-byte information header, the full
// colour table below 16 bits, then the pixel rows.
std::vector<BYTE> BitmapFile(int nBits, int w, int h) {
    const size_t nColours = nBits < 16 ? (size_t)1 << nBits : 0;
    const size_t nStride = ((size_t)w * nBits + 31) / 32 * 4;
    const size_t nOff = 14 + 40 + 4 * nColours;
    std::vector<BYTE> v(nOff + nStride * h, 0);
    v[0] = 'B';
    v[1] = 'M';
    Put32(v, 2, (long)v.size());
    Put32(v, 10, (long)nOff);
    Put32(v, 14, 40);
    Put32(v, 18, w);
    Put32(v, 22, h);
    Put16(v, 26, 1);
    Put16(v, 28, nBits);
    for (size_t i = 0; i < nColours; ++i) v[54 + 4 * i] = (BYTE)(i * 37);
    for (size_t i = nOff; i < v.size(); ++i) v[i] = (BYTE)(i * 13);
    return v;
}

std::string TempFile(const std::string& name, const std::vector<BYTE>& bytes) {
    char folder[MAX_PATH] = "";
    ::GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (f != NULL) {
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
    return path;
}

TEST(GridBitmaps, WellFormedFilesOfEveryDepthLoadAndMalformedOnesAnswerMinus1) {
    CHostWnd host;
    ASSERT_TRUE(host.Create("grid bitmaps", 300, 200, FALSE));
    CGridWnd grid;
    ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 180), &host, 91));
    for (int nBits : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(nBits);
        const std::string path = TempFile("gridbmp.bmp", BitmapFile(nBits, 5, 3));
        const int nIndex = grid.AddBitmapFile(path.c_str());
        ASSERT_GE(nIndex, 0);
        BITMAP bm = {};
        ASSERT_NE(::GetObjectA(grid.GetBitmap(nIndex)->GetSafeHandle(), sizeof bm, &bm), 0);
        EXPECT_EQ(bm.bmWidth, 5);
        EXPECT_EQ(bm.bmHeight, 3);
        ::DeleteFileA(path.c_str());
    }
    EXPECT_EQ(grid.AddBitmapFile("C:\\no\\such\\file.bmp"), -1);

    // Bit fields: three masks behind a 40-byte header, or inside a larger one.
    std::vector<BYTE> fields = BitmapFile(16, 4, 2);
    Put32(fields, 30, BI_BITFIELDS);
    fields.insert(fields.begin() + 54, 12, 0);
    Put32(fields, 54, 0xF800);
    Put32(fields, 58, 0x07E0);
    Put32(fields, 62, 0x001F);
    Put32(fields, 10, 66);
    Put32(fields, 2, (long)fields.size());
    EXPECT_GE(grid.AddBitmapFile(TempFile("gridbmp.bmp", fields).c_str()), 0);
    std::vector<BYTE> v5 = fields;
    Put32(v5, 14, 52);
    Put32(v5, 10, 66);
    EXPECT_GE(grid.AddBitmapFile(TempFile("gridbmp.bmp", v5).c_str()), 0);
    std::vector<BYTE> noMasks = BitmapFile(16, 4, 2);
    Put32(noMasks, 30, BI_BITFIELDS);
    EXPECT_EQ(grid.AddBitmapFile(TempFile("gridbad.bmp", noMasks).c_str()), -1)
        << "the masks would be read from the pixels";

    // A top-down file (negative height) is well-formed too.
    std::vector<BYTE> topDown = BitmapFile(24, 4, 2);
    Put32(topDown, 22, -2);
    EXPECT_GE(grid.AddBitmapFile(TempFile("gridbmp.bmp", topDown).c_str()), 0);

    struct Case {
        const char* name;
        std::function<void(std::vector<BYTE>&)> spoil;
    } cases[] = {
        {"wrong magic", [](std::vector<BYTE>& v) { v[0] = 'X'; }},
        {"core header of 12 bytes", [](std::vector<BYTE>& v) { Put32(v, 14, 12); }},
        {"header beyond the file", [](std::vector<BYTE>& v) { Put32(v, 14, 5000); }},
        {"2 bits per pixel", [](std::vector<BYTE>& v) { Put16(v, 28, 2); }},
        {"no width", [](std::vector<BYTE>& v) { Put32(v, 18, 0); }},
        {"no height", [](std::vector<BYTE>& v) { Put32(v, 22, 0); }},
        {"more colours than the depth has", [](std::vector<BYTE>& v) { Put32(v, 46, 300); }},
        {"pixels before the colour table ends", [](std::vector<BYTE>& v) { Put32(v, 10, 60); }},
        {"pixels beyond the file", [](std::vector<BYTE>& v) { Put32(v, 10, (long)v.size() + 4); }},
        {"rows missing", [](std::vector<BYTE>& v) { v.resize(v.size() - 3); }},
        {"huge rows", [](std::vector<BYTE>& v) { Put32(v, 18, 0x7FFFFFFF); }},
        {"compressed", [](std::vector<BYTE>& v) { Put32(v, 30, BI_RLE8); }},
        {"only a file header", [](std::vector<BYTE>& v) { v.resize(14); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> v = BitmapFile(8, 5, 3);
        c.spoil(v);
        EXPECT_EQ(grid.AddBitmapFile(TempFile("gridbad.bmp", v).c_str()), -1);
    }
    // The last reference removes a picture; an empty slot answers 1.
    const int n = grid.AddBitmapFile(TempFile("gridbmp.bmp", BitmapFile(24, 2, 2)).c_str());
    EXPECT_EQ(grid.RemoveBitmap(n), 0);
    EXPECT_EQ(grid.GetBitmap(n), (CBitmap*)NULL);
    EXPECT_EQ(grid.RemoveBitmap(n), 1);
    grid.DestroyWindow();
    host.DestroyWindow();
}

// --- windows --------------------------------------------------------------------------------

class GridOptions : public ::testing::Test {
protected:
    // Hidden: this test does not hold the focus locks, so it takes the foreground from no one.
    void SetUp() override { ASSERT_TRUE(host_.Create("grid options", 640, 480, FALSE)); }
    void TearDown() override {
        grid_.reset();
        host_.DestroyWindow();
        PumpMessages();
    }
    void CreateGrid(int nCols, int nRows) {
        grid_.reset(new CRecordingGrid);
        ASSERT_TRUE(grid_->Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 610, 410), &host_, 92));
        grid_->SetColCount(nCols);
        grid_->SetRowCount(nRows);
        for (int c = 0; c < nCols; ++c) grid_->SetColumnWidth(c, 10 * (c + 1) + 50);
        grid_->LayoutChildWindows();
        PumpMessages();
        grid_->IgnorePainting();
        grid_->Clear();
    }
    CHostWnd host_;
    std::unique_ptr<CRecordingGrid> grid_;
};

TEST_F(GridOptions, AHeadingDragMovesTheColumnWhenColumnMovingIsOnAndTheGridAgrees) {
    CreateGrid(5, 5);
    CWnd* pHeading = grid_->GetColumnHeading();
    auto centre = [&](int nCol, int dx) {
        CRect rc;
        grid_->GetCellRect(nCol, 0, rc);
        return CPoint(rc.CenterPoint().x + dx, 5);
    };
    auto drag = [&](int nFrom, int nTo, int dx) {
        pHeading->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(centre(nFrom, 0)));
        pHeading->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(centre(nTo, dx)));
        pHeading->SendMessage(WM_LBUTTONUP, 0, At(centre(nTo, dx)));
        PumpMessages();
    };
    // Off by default: nothing moves.
    drag(1, 3, 10);
    EXPECT_EQ(Widths(*grid_), std::vector<int>({60, 70, 80, 90, 100}));
    EXPECT_EQ(grid_->Count("OnColumnMoving"), 0);

    grid_->EnableColumnMoving(TRUE);
    // Into the right half of column 3: in front of column 4, which is index 3.
    drag(1, 3, 10);
    EXPECT_EQ(Widths(*grid_), std::vector<int>({60, 80, 90, 70, 100}));
    EXPECT_THAT(grid_->Texts({"CanDragColumn", "OnColumnMoving"}),
                ElementsAre("CanDragColumn(1)", "OnColumnMoving(1,3)"));
    // Into the left half of column 0.
    grid_->Clear();
    drag(4, 0, -10);
    EXPECT_EQ(Widths(*grid_), std::vector<int>({100, 60, 80, 90, 70}));
    EXPECT_THAT(grid_->Texts({"OnColumnMoving"}), ElementsAre("OnColumnMoving(4,0)"));
    // Refused at the end, or at the start: the columns stay.
    grid_->Refuse("OnColumnMoving");
    drag(0, 2, 10);
    grid_->ResetAnswers();
    grid_->Refuse("CanDragColumn");
    drag(0, 2, 10);
    EXPECT_EQ(Widths(*grid_), std::vector<int>({100, 60, 80, 90, 70}));
}

TEST_F(GridOptions, AColumnDraggedBeyondTheHeadingScrollsTheColumnsAndDropsNowhere) {
    CreateGrid(20, 5);
    grid_->EnableColumnMoving(TRUE);
    grid_->SetLeftCol(6);
    CWnd* pHeading = grid_->GetColumnHeading();
    CRect rc;
    grid_->GetCellRect(7, 0, rc);
    pHeading->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.CenterPoint().x, 5));
    // Posted, as the mouse sends them: the scrolling goes on until the next one waits.
    pHeading->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-20, 5));
    pHeading->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(-20, 5));
    PumpMessages();
    EXPECT_LT(grid_->GetLeftCol(), 6);
    EXPECT_EQ(Widths(*grid_)[7], 130) << "no drop place: nothing moves";
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
}

TEST(GridFloating, TheWindowTakesTheFirstShiftThatKeepsItOnTheScreen) {
    const CRect cell(100, 100, 200, 120);
    struct Case {
        const char* name;
        CRect window;
        int mode;
        bool moved;
        CRect result;
    } cases[] = {
        {"clear of the cell", CRect(300, 300, 400, 350), 0, false, CRect(300, 300, 400, 350)},
        {"to the right", CRect(150, 90, 250, 140), 0, true, CRect(205, 90, 305, 140)},
        {"down at the right edge", CRect(150, 90, 250, 140), 0, true, CRect(150, 125, 250, 175)},
        {"beside the cell", CRect(500, 500, 560, 540), 1, true, CRect(230, 100, 290, 140)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRect out;
        const int nScreenW = strcmp(c.name, "down at the right edge") == 0 ? 300 : 1280;
        EXPECT_EQ(GridPlaceOffCell(c.window, cell, nScreenW, 1024, c.mode, out) != FALSE, c.moved);
        EXPECT_EQ(out, c.result);
    }
}

TEST_F(GridOptions, TheFloatingWindowIsMovedOffTheCursorCellAndTheGridIsTold) {
    CreateGrid(5, 8);
    CWnd floating;
    ASSERT_TRUE(floating.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "floating",
                                  WS_POPUP | WS_VISIBLE, CRect(0, 0, 80, 40), &host_, 0));
    EXPECT_EQ(grid_->SetFloatingWindow(NULL), 1);
    EXPECT_EQ(grid_->SetFloatingWindow(&floating), 0);
    EXPECT_NE(floating.GetExStyle() & WS_EX_TOPMOST, 0u);
    // Put it over cell (2, 3), then move there.
    CRect cell;
    grid_->GetCellRect(2, 3, cell);
    grid_->GetCellArea()->ClientToScreen(&cell);
    floating.MoveWindow(cell.left + 5, cell.top + 2, 80, 40);
    grid_->Clear();
    grid_->GotoCell(2, 3);
    CRect now;
    floating.GetWindowRect(&now);
    CRect overlap;
    EXPECT_FALSE(overlap.IntersectRect(&now, &cell)) << "the cell is free";
    EXPECT_EQ(grid_->Count("OnFloatingWindowMoving"), 1);
    // In mode 1 it stays beside the cursor cell.
    grid_->SetFloatingWindowMode(1);
    grid_->GotoCell(1, 5);
    grid_->GetCellRect(1, 5, cell);
    grid_->GetCellArea()->ClientToScreen(&cell);
    floating.GetWindowRect(&now);
    EXPECT_EQ(now.left, cell.right + 30);
    EXPECT_EQ(now.top, cell.top);
    floating.DestroyWindow();
}

// A cell area of a derived grid.
class CMyCellArea : public CGridCellArea {};
class CMyVScrollBar : public CGridVScrollBar {};

TEST_F(GridOptions, AChildObjectReplacedAfterTheWindowsExistGetsItsWindowInTheOldOnesPlace) {
    CreateGrid(3, 40);
    struct Place {
        UINT id;
        DWORD style;
        CRect rc;
    };
    auto place = [](CWnd* p) {
        return Place{(UINT)::GetDlgCtrlID(p->m_hWnd), (DWORD)::GetWindowLongA(p->m_hWnd, GWL_STYLE),
                     RectInParent(p->m_hWnd)};
    };
    // An edit has left the in-place editor in the cell area.
    ASSERT_EQ(grid_->EditCell(0, 0, 0), 0);
    grid_->CancelEdit();
    const Place cells = place(grid_->GetCellArea());
    const Place bar = place(grid_->GetVScrollBar());
    CMyCellArea* pArea = new CMyCellArea;
    EXPECT_EQ(grid_->SetCellAreaWindow(pArea), 0);
    CMyVScrollBar* pBar = new CMyVScrollBar;
    EXPECT_EQ(grid_->SetVScrollBarWindow(pBar), 0);
    ASSERT_EQ(grid_->GetCellArea(), pArea);
    ASSERT_NE(pArea->m_hWnd, (HWND)NULL);
    ASSERT_NE(pBar->m_hWnd, (HWND)NULL);
    EXPECT_EQ(pArea->m_pGrid, grid_.get());
    EXPECT_EQ(pArea->m_pSettings, grid_->GetSettings());
    for (auto pair : {std::make_pair(cells, place(pArea)), std::make_pair(bar, place(pBar))}) {
        EXPECT_EQ(pair.first.id, pair.second.id);
        EXPECT_EQ(pair.first.style & ~WS_VISIBLE, pair.second.style & ~WS_VISIBLE);
        EXPECT_EQ(pair.first.rc, pair.second.rc);
    }
    // The grid works through the new objects, its editor included.
    ASSERT_NE(grid_->GetInPlaceEdit()->m_hWnd, (HWND)NULL);
    EXPECT_EQ(grid_->EditCell(1, 1, 0), 0);
    EXPECT_EQ(::GetParent(grid_->GetInPlaceEdit()->m_hWnd), pArea->m_hWnd);
    EXPECT_NE(grid_->GetInPlaceEdit()->GetStyle() & WS_VISIBLE, 0u);
    grid_->CancelEdit();
    EXPECT_EQ(grid_->GotoCell(1, 30), 0);
    EXPECT_GT(grid_->GetTopRow(), 0);
    int nCol = -1, nRow = -1;
    EXPECT_EQ(grid_->CellFromPoint(5, 5, nCol, nRow), 0);
    // A selection object of the grid's choosing keeps the mode.
    grid_->EnableMultiSelect(TRUE);
    CGridSelection* pSel = new CGridSelection;
    EXPECT_EQ(grid_->SetSelectionObject(pSel), 0);
    EXPECT_EQ(pSel->GetMode(), GRIDSEL_CELLS);
    EXPECT_EQ(pSel->GetGrid(), grid_.get());
}

// --- sheet tabs -----------------------------------------------------------------------------

// Tabs pick the sheets.
class CTabbedGrid : public CRecordingGrid {
public:
    void OnTabSelected(int nTabId) override {
        CRecordingGrid::OnTabSelected(nTabId);
        SelectSheet(nTabId, TRUE);
    }
};

TEST_F(GridOptions, ATabClickShowsItsSheetAndTheGripStopsAtItsLimits) {
    grid_.reset(new CTabbedGrid);
    ASSERT_TRUE(grid_->Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 610, 410), &host_, 93));
    grid_->SetSheetCount(2);
    grid_->SetColCount(3);
    grid_->SetRowCount(5);
    grid_->SelectSheet(1, TRUE);
    grid_->SetColCount(4);
    grid_->SetRowCount(9);
    grid_->GotoCell(2, 6);
    grid_->SelectSheet(0, TRUE);
    EXPECT_EQ(grid_->AddTab("First", 0), 0);
    EXPECT_EQ(grid_->AddTab("Second", 1), 0);
    grid_->SetTabStripWidth(250);
    grid_->LayoutChildWindows();
    PumpMessages();
    CGridSheetTabs* tabs = grid_->GetSheetTabs();
    EXPECT_EQ(tabs->GetScrollMax(), 0) << "two tabs fit beside the scroll bar";

    const int x1 = tabs->TabLeft(1) + tabs->GetTabWidth(1) / 2;
    tabs->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x1, 5));
    tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, 5));
    tabs->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x1, 5));
    EXPECT_EQ(grid_->GetCurrentSheet(), 1);
    EXPECT_EQ(grid_->GetRowCount(), 9);
    EXPECT_EQ(grid_->GetCursorRow(), 6);
    EXPECT_EQ(tabs->GetCurTab(), 1);
    EXPECT_EQ(grid_->GetTabStripWidth(), 250) << "the new sheet keeps the strip's width";

    // Where the slanted edges overlap (the first 2 pixels of the second tab), the left one.
    const int xOverlap = tabs->TabLeft(1) + 1;
    tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(xOverlap, 5));
    tabs->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(xOverlap, 5));
    EXPECT_EQ(grid_->GetCurrentSheet(), 0);
    EXPECT_EQ(grid_->GetRowCount(), 5);

    // The grip: pressed within 7 pixels of the right edge, dragged far left and far right.
    CRect rc;
    tabs->GetClientRect(&rc);
    tabs->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rc.right - 3, 5));
    tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.right - 3, 5));
    tabs->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-300, 5));
    EXPECT_EQ(grid_->GetTabStripWidth(), 5);
    tabs->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5000, 5));
    CRect client;
    grid_->GetClientRect(&client);
    EXPECT_EQ(grid_->GetTabStripWidth(), client.Width() - 15);
    tabs->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5000, 5));
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    EXPECT_EQ(grid_->GetCurrentSheet(), 0) << "sizing picks no tab";
}

TEST_F(GridOptions, ManyTabsScrollAndTheSelectedOneComesIntoView) {
    CreateGrid(3, 3);
    for (int i = 0; i < 12; ++i) grid_->AddTab(("Sheet number " + std::to_string(i)).c_str(), i);
    grid_->SetTabStripWidth(200);
    grid_->LayoutChildWindows();
    PumpMessages();
    CGridSheetTabs* tabs = grid_->GetSheetTabs();
    ASSERT_GT(tabs->GetScrollMax(), 0);
    EXPECT_EQ(grid_->SelectTab(11), 0);
    EXPECT_EQ(grid_->Count("OnTabSelected"), 1);
    EXPECT_EQ(tabs->GetScrollPos(), tabs->GetScrollMax()) << "scrolled to the end";
    const int nEnd = tabs->GetScrollPos();
    auto line = [&](UINT nCode) {
        tabs->SendMessage(WM_HSCROLL, nCode, (LPARAM)tabs->GetScrollBar().m_hWnd);
        return tabs->GetScrollPos();
    };
    EXPECT_EQ(line(SB_LINELEFT), nEnd - 5);
    EXPECT_EQ(line(SB_LINELEFT), nEnd - 10);
    EXPECT_EQ(line(SB_LINERIGHT), nEnd - 5);
    EXPECT_EQ(line(SB_LINERIGHT), nEnd - 5) << "line steps stop 5 short of the end";
    // Removing the current tab makes the first one current and brings it into view.
    EXPECT_EQ(grid_->DeleteTab(11), 0);
    EXPECT_EQ(tabs->GetCurTab(), 0);
    EXPECT_EQ(tabs->GetScrollPos(), 0);
    EXPECT_EQ(grid_->DeleteTab(11), 1);
    EXPECT_EQ(grid_->SelectTab(42), 1);
}

TEST(GridSheetTabs, TabsAreAddedInsertedRemovedAndSelectedById) {
    CGridSheetTabs tabs;
    for (int i = 0; i < GRIDTABS_MAX; ++i) ASSERT_EQ(tabs.AddTab("t", 100 + i), 0);
    EXPECT_EQ(tabs.AddTab("one too many", 1), 1);
    EXPECT_EQ(tabs.InsertTab(0, "no room", 2), 1);
    EXPECT_EQ(tabs.GetTabCount(), GRIDTABS_MAX);

    CGridSheetTabs few;
    few.AddTab("A", 1);
    few.AddTab("B", 2);
    few.AddTab("C", 3);
    EXPECT_EQ(few.InsertTab(5, "beyond", 9), 0);
    EXPECT_EQ(few.GetTabCount(), 3) << "an index beyond the count does nothing";
    EXPECT_EQ(few.SelectTab(3), 1);
    EXPECT_EQ(few.GetCurTab(), 2);
    EXPECT_EQ(few.InsertTab(1, "X", 4), 0);
    EXPECT_EQ(few.GetCurTab(), 3) << "the current tab moved right with its tab";
    EXPECT_EQ(few.InsertTab(4, "end", 5), 0);
    EXPECT_EQ(few.GetTabId(4), 5);
    EXPECT_EQ(few.RemoveTab(3), 1);
    EXPECT_EQ(few.GetCurTab(), 0) << "removing the current tab makes the first one current";
    EXPECT_EQ(few.GetScrollPos(), 0);
    EXPECT_EQ(few.RemoveTab(3), 0);
    EXPECT_EQ(few.SelectTab(42), 0);
    EXPECT_EQ(few.SetTabBackColor(4, RGB(1, 2, 3)), 1);
    EXPECT_EQ(few.SetTabTextColor(42, RGB(1, 2, 3)), 0);
    std::vector<std::string> names;
    for (int i = 0; i < few.GetTabCount(); ++i) names.push_back((LPCSTR)few.GetTabName(i));
    EXPECT_THAT(names, ElementsAre("A", "X", "B", "end"));
    EXPECT_EQ(few.GetTabWidth(0) > 10, true) << "caption width + 10";
}

}  // namespace
