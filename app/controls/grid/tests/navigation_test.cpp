// Moving through a grid and what it shows: cell access and structure, cursor and scroll
// moves, keys, wheel and mouse sent as real messages to the child windows, scroll bars and
// thumb hints, heading and corner drags, the hint window, cell tips, how little a repaint
// draws, the drag loop's waiting, and the sample grid's screenshots.
#include "grid.h"
#include "gridtestkit.h"
#include "recordinggrid.h"
#include "window_kit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

const int kGridId = 78;

// A cell type that counts its drawings; made the type of every cell through the grid's
// default cell.
class CCountingType : public CGridCellType {
public:
    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override {
        ++draws;
        return CGridCellType::OnDraw(pDC, pRect, nCol, nRow, pCell, nSelected, bCurrent);
    }
    int draws = 0;
};

// Holds the Ctrl key down (for GetKeyState) while it lives.
class CtrlHeld {
public:
    CtrlHeld() { Set(0x80); }
    ~CtrlHeld() { Set(0); }

private:
    static void Set(BYTE state) {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = state;
        ::SetKeyboardState(keys);
    }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

std::string Text(const CRect& rc) {
    return "[" + std::to_string(rc.left) + "," + std::to_string(rc.top) + "," +
           std::to_string(rc.right) + "," + std::to_string(rc.bottom) + "]";
}

class Navigation : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host_.Create("grid navigation", 640, 480)); }
    void TearDown() override {
        grid_.reset();
        host_.DestroyWindow();
        PumpMessages();
    }
    // A grid whose cell area is 300 x 200 when both bars show: columns of 75, rows of 20.
    void CreateGrid(int nCols, int nRows, bool bCounting = false) {
        grid_.reset(new CRecordingGrid);
        ASSERT_TRUE(grid_->Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 370, 250), &host_, kGridId));
        grid_->SetVScrollBarWidth(20);
        grid_->SetHScrollBarHeight(20);
        if (bCounting) {
            CGridCell cell;
            cell.SetCellType(grid_->RegisterCellType(&counting_));
            grid_->SetGridDefaultCell(cell);
        }
        grid_->SetColCount(nCols);
        grid_->SetRowCount(nRows);
        grid_->LayoutChildWindows();
        PumpMessages();
        grid_->IgnorePainting();
        grid_->Clear();
    }
    CWnd* Cells() { return grid_->GetCellArea(); }
    void Key(UINT vk) {
        Cells()->SendMessage(WM_KEYDOWN, vk, 1);
        Cells()->SendMessage(WM_KEYUP, vk, 0xC0000001);
    }
    // The centre of a cell in cell-area pixels.
    CPoint Centre(int nCol, int nRow) {
        CRect rc;
        grid_->GetCellRect(nCol, nRow, rc);
        return rc.CenterPoint();
    }
    // Paints what is pending and starts the count afresh.
    void Settle() {
        grid_->UpdateWindow();
        grid_->GetCellArea()->UpdateWindow();
        PumpMessages();
        counting_.draws = 0;
    }

    CCountingType counting_;  // outlives the grid that uses it
    CHostWnd host_;
    std::unique_ptr<CRecordingGrid> grid_;
};

// --- structure ------------------------------------------------------------------------------

TEST_F(Navigation, SingleCellSettersChangeOnePropertyOfTheStoredRecord) {
    CreateGrid(4, 4);
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    CBitmap bitmap;
    bitmap.CreateBitmap(4, 4, 1, 1, NULL);
    const int nFont = grid_->CreateGridFont("Arial", 14, FW_BOLD);
    struct Case {
        const char* what;
        std::function<void()> set;
        std::function<bool(const CGridCell&)> holds;
    } cases[] = {
        {"number", [&] { grid_->SetCellNumber(1, 1, 2.5); },
         [](const CGridCell& c) {
             return c.GetDataType() == GRIDDATA_NUMBER && c.GetNumber() == 2.5;
         }},
        {"mask", [&] { grid_->SetCellMask(1, 1, "99"); },
         [](const CGridCell& c) { return std::string(c.GetMask()) == "99"; }},
        {"caption", [&] { grid_->SetCellCaption(1, 1, "cap"); },
         [](const CGridCell& c) { return std::string(c.GetCaptionText()) == "cap"; }},
        {"text colour", [&] { grid_->SetCellTextColor(1, 1, RGB(9, 8, 7)); },
         [](const CGridCell& c) { return c.GetTextColor() == RGB(9, 8, 7); }},
        {"highlight text", [&] { grid_->SetCellHighlightTextColor(1, 1, RGB(1, 1, 1)); },
         [](const CGridCell& c) { return c.GetHighlightTextColor() == RGB(1, 1, 1); }},
        {"background", [&] { grid_->SetCellBackColor(1, 1, RGB(2, 2, 2)); },
         [](const CGridCell& c) { return c.GetBackColor() == RGB(2, 2, 2); }},
        {"highlight background", [&] { grid_->SetCellHighlightBackColor(1, 1, RGB(3, 3, 3)); },
         [](const CGridCell& c) { return c.GetHighlightBackColor() == RGB(3, 3, 3); }},
        {"picture", [&] { grid_->SetCellBitmap(1, 1, &bitmap); },
         [&](const CGridCell& c) { return c.GetBitmap() == &bitmap; }},
        {"picture index not in use", [&] { grid_->SetCellBitmap(1, 1, 7); },
         [](const CGridCell& c) { return !c.HasProperties(GRIDCELL_BITMAP); }},
        {"font by index", [&] { grid_->SetCellFont(1, 1, nFont); },
         [&](const CGridCell& c) { return c.GetFont() == grid_->GetFont(nFont); }},
        {"alignment", [&] { grid_->SetCellAlignment(1, 1, 0x24); },
         [](const CGridCell& c) { return c.GetAlignment() == 0x24; }},
        {"border", [&] { grid_->SetCellBorder(1, 1, 0x2000); },
         [](const CGridCell& c) { return c.GetBorder() == 0x2000; }},
        {"border pen", [&] { grid_->SetCellBorderPen(1, 1, &pen); },
         [&](const CGridCell& c) { return c.GetBorderPen() == &pen; }},
        {"cell type", [&] { grid_->SetCellTypeAt(1, 1, 2); },
         [](const CGridCell& c) { return c.GetCellType() == 2; }},
        {"type style", [&] { grid_->SetCellTypeStyleAt(1, 1, 0x1100); },
         [](const CGridCell& c) { return c.GetCellTypeStyle() == 0x1100; }},
    };
    grid_->SetCellText(1, 1, "kept");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.set();
        CGridCell cell;
        EXPECT_EQ(grid_->GetCell(1, 1, cell), 0);
        EXPECT_TRUE(c.holds(cell));
        EXPECT_STREQ(cell.GetText(), c.what == std::string("number") ? "2.500000" : "kept")
            << "the other properties stay";
        if (c.what == std::string("number")) grid_->SetCellText(1, 1, "kept");
    }
    EXPECT_STREQ(grid_->GetCellText(3, 3), "") << "a cell without text reads empty";
    grid_.reset();
}

TEST_F(Navigation, HeadingSizesAndTheirLimits) {
    CreateGrid(3, 3);
    // A negative column is the row heading; with one heading column it sets the total.
    EXPECT_EQ(grid_->SetColumnWidth(-1, 30), 1);
    EXPECT_EQ(grid_->GetRowHeadingWidth(), 30);
    EXPECT_EQ(grid_->SetColumnWidth(3, 30), 1);

    EXPECT_EQ(grid_->SetColumnHeadingRowCount(65), 1);
    EXPECT_EQ(grid_->SetColumnHeadingRowCount(2), 0);
    EXPECT_EQ(grid_->SetColumnHeadingRowHeight(-3, 10), 1);
    EXPECT_EQ(grid_->SetColumnHeadingRowHeight(-2, 1025), 2);
    EXPECT_EQ(grid_->SetColumnHeadingRowHeight(-2, 30), 0);
    EXPECT_EQ(grid_->GetColumnHeadingHeight(), 20) << "a heading row leaves the total";
    EXPECT_EQ(grid_->GetSettings()->GetHeadingRowHeight(-2), 30);

    // The total scales the rows: 20 and 30 to 100 give 40 and 60.
    EXPECT_EQ(grid_->SetColumnHeadingHeight(100), 0);
    EXPECT_EQ(grid_->GetSettings()->GetHeadingRowHeight(-1), 40);
    EXPECT_EQ(grid_->GetSettings()->GetHeadingRowHeight(-2), 60);
    EXPECT_EQ(grid_->GetSettings()->m_rcColHeadings.bottom, 100) << "laid out again";
    // Rows that sum to 0 share the total equally.
    grid_->SetColumnHeadingRowHeight(-1, 0);
    grid_->SetColumnHeadingRowHeight(-2, 0);
    EXPECT_EQ(grid_->SetColumnHeadingHeight(41), 0);
    EXPECT_EQ(grid_->GetSettings()->GetHeadingRowHeight(-1) +
                  grid_->GetSettings()->GetHeadingRowHeight(-2),
              41);
    EXPECT_GE(grid_->GetSettings()->GetHeadingRowHeight(-1), 20);
    EXPECT_EQ(grid_->SetColumnHeadingHeight(1025), 1);
    EXPECT_EQ(grid_->SetVScrollBarWidth(-1), 1);
}

TEST_F(Navigation, RowHeightsStayUsableAndCountsSwitchToUniformHeights) {
    CreateGrid(3, 10);
    // A uniform height of 0 would be divided by: it stays at least 1; a single row may hide.
    grid_->SetUniformRowHeight(TRUE);
    EXPECT_EQ(grid_->SetRowHeight(2, 0), 0);
    EXPECT_EQ(grid_->GetRowHeight(5), 1);
    grid_->SetRowHeight(2, 20);
    grid_->SetUniformRowHeight(FALSE);
    grid_->SetRowHeight(4, 0);
    EXPECT_EQ(grid_->GetRowHeight(4), 0);
    EXPECT_EQ(grid_->GetRowHeight(5), 20);
    EXPECT_EQ(grid_->SetRowHeight(10, 5), 0) << "out of range: nothing happens";

    grid_->SetRowCount(64001);
    EXPECT_TRUE(grid_->GetSettings()->m_bUniformRowHeight);
    grid_->SetRowHeight(7, 25);
    EXPECT_EQ(grid_->GetRowHeight(64000), 25) << "one height for every row";
    EXPECT_EQ(grid_->SetDefaultRowHeight(0), 1);
}

TEST_F(Navigation, FittingColumnsKeepsTheirRatioAndLeavesZeroWidthsAlone) {
    CreateGrid(4, 3);
    for (int c = 0; c < 4; ++c) grid_->SetColumnWidth(c, 0);
    EXPECT_EQ(grid_->FitColumnsToWidth(0, 3), 0);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(grid_->GetColumnWidth(c), 0);
    grid_->SetColumnWidth(0, 10);
    grid_->SetColumnWidth(1, 30);
    EXPECT_EQ(grid_->FitColumnsToWidth(0, 1), 0);
    const int nArea = grid_->GetSettings()->m_nCellAreaWidth;
    EXPECT_EQ(grid_->GetColumnWidth(0), nArea / 4);
    EXPECT_EQ(grid_->GetColumnWidth(0) + grid_->GetColumnWidth(1), nArea);
    EXPECT_EQ(grid_->FitColumnsToWidth(1, 0), 1);
    EXPECT_EQ(grid_->FitColumnsToWidth(0, 4), 1);

    // A text wider than the area: the width stops at the area less the vertical bar.
    grid_->SetCellText(2, 0, std::string(200, 'W').c_str());
    EXPECT_EQ(grid_->BestFitColumns(2, 2, 0, 0), 0);
    EXPECT_EQ(grid_->GetColumnWidth(2), nArea - grid_->GetVScrollBarWidth());
    grid_->SetCellText(3, 1, "ab");
    EXPECT_EQ(grid_->BestFitColumns(3, 3, 0, 0), 0);
    EXPECT_LT(grid_->GetColumnWidth(3), 40);
    EXPECT_EQ(grid_->BestFitColumns(-2, 1, 0, 0), 1);
    EXPECT_EQ(grid_->BestFitColumns(0, 4, 0, 0), 2);
    EXPECT_EQ(grid_->BestFitColumns(2, 1, 0, 0), 3);
}

class CNoColumnsSource : public CGridMemDataSource {
public:
    int InsertCol(int) override { return 2; }
    int DeleteCol(int) override { return 2; }
    int InsertRow(int) override { return 2; }
};

TEST_F(Navigation, InsertingAndDeletingColumnsAndRows) {
    CreateGrid(3, 3);
    for (int c = 0; c < 3; ++c) grid_->SetCellText(c, 0, std::string(1, (char)('a' + c)).c_str());
    grid_->SetColumnWidth(1, 40);
    EXPECT_EQ(grid_->InsertColumn(1), 0);
    EXPECT_EQ(grid_->GetColCount(), 4);
    EXPECT_STREQ(grid_->GetCellText(0, 0), "a");
    EXPECT_STREQ(grid_->GetCellText(1, 0), "");
    EXPECT_STREQ(grid_->GetCellText(2, 0), "b");
    EXPECT_STREQ(grid_->GetCellText(3, 0), "c");
    EXPECT_EQ(grid_->GetColumnWidth(2), 40) << "the record moved with its column";
    EXPECT_EQ(grid_->InsertColumn(4), 0) << "the count itself appends";
    EXPECT_EQ(grid_->GetColCount(), 5);
    EXPECT_EQ(grid_->InsertColumn(6), 1);
    EXPECT_EQ(grid_->InsertColumn(-1), 1);
    EXPECT_EQ(grid_->DeleteColumn(1), 0);
    EXPECT_STREQ(grid_->GetCellText(1, 0), "b");
    EXPECT_EQ(grid_->GetColumnWidth(1), 40);
    EXPECT_EQ(grid_->DeleteColumn(4), 1);
    EXPECT_EQ(grid_->InsertRow(0), 0);
    EXPECT_EQ(grid_->GetRowCount(), 4);
    EXPECT_STREQ(grid_->GetCellText(0, 1), "a");
    EXPECT_EQ(grid_->InsertRow(5), 1);
    EXPECT_EQ(grid_->AppendRow(), 0);
    EXPECT_EQ(grid_->DeleteRow(0), 0);
    EXPECT_EQ(grid_->GetRowCount(), 4);
    EXPECT_EQ(grid_->DeleteRow(4), 1);

    // A source that refuses: its answer comes back and the counts stay.
    CNoColumnsSource source;
    grid_->SetDataSource(grid_->AddDataSource(&source));
    grid_->SetColCount(3);
    EXPECT_EQ(grid_->InsertColumn(0), 2);
    EXPECT_EQ(grid_->DeleteColumn(0), 2);
    EXPECT_EQ(grid_->InsertRow(0), 2);
    EXPECT_EQ(grid_->GetColCount(), 3);
    EXPECT_EQ(grid_->GetRowCount(), 4);
    grid_.reset();
}

TEST_F(Navigation, MergedRangesAndTheirChecks) {
    CreateGrid(6, 10);
    EXPECT_EQ(grid_->MergeCellRange(2, 3, 1, 3), 1);
    EXPECT_EQ(grid_->MergeCellRange(0, 0, 6, 0), 1);
    EXPECT_EQ(grid_->MergeCellRange(0, -2, 1, -1), 1) << "one heading row only";
    EXPECT_EQ(grid_->MergeCellRange(0, -1, 2, -1), 0) << "three column-heading cells";
    int c = 1, r = -1, c2 = 0, r2 = 0;
    EXPECT_EQ(grid_->GetMergeRange(c, r, c2, r2), 0);
    EXPECT_EQ(std::vector<int>({c, r, c2, r2}), std::vector<int>({0, -1, 2, -1}));
    EXPECT_EQ(grid_->MergeCellRange(1, 2, 2, 4), 0);
    c = 2, r = 4;
    EXPECT_EQ(grid_->GetMergeOrigin(c, r), 0);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(r, 2);
    c = 3, r = 4;
    EXPECT_EQ(grid_->GetMergeOrigin(c, r), 2);
    grid_->EnableMergedCells(FALSE);
    EXPECT_EQ(grid_->GetMergeOrigin(c, r), 1);
    grid_->EnableMergedCells(TRUE);
    EXPECT_EQ(grid_->UnmergeCells(2, 3), 0);
    c = 1, r = 2;
    EXPECT_EQ(grid_->GetMergeOrigin(c, r), 2);
    CGridCell cell;
    EXPECT_EQ(grid_->GetCell(6, 0, cell), 1) << "beyond the columns";
    grid_->GetDisplayCell(6, 0, cell);
    EXPECT_EQ(cell.GetBorder(), 0x2000) << "the heading default cell";
}

// --- moves ------------------------------------------------------------------------------------

TEST_F(Navigation, LockedRowsAndColumnsHoldTheScrollPositionBack) {
    CreateGrid(20, 100);
    EXPECT_EQ(grid_->SetLockedRowCount(3), 0);
    EXPECT_EQ(grid_->GetTopRow(), 3);
    grid_->SetTopRow(10);
    EXPECT_EQ(grid_->SetTopRow(0), 0);
    EXPECT_EQ(grid_->GetTopRow(), 3);
    EXPECT_EQ(grid_->SetLockedColumnCount(21), 1);
    EXPECT_EQ(grid_->SetLockedColumnCount(2), 0);
    EXPECT_EQ(grid_->GetLeftCol(), 2);
    EXPECT_EQ(grid_->GetSettings()->m_nLockedColsWidth, 150);
    // A scrolled-out column has an empty rectangle at the locked boundary.
    grid_->SetLeftCol(6);
    CRect rc;
    grid_->GetCellRect(3, 5, rc);
    EXPECT_EQ(rc.left, 150);
    EXPECT_EQ(rc.Width(), 0);
    grid_->GetCellRect(6, 5, rc);
    EXPECT_EQ(Text(rc), "[150,100,225,120]") << "three locked rows, then row 5 from row 3 on";
    EXPECT_EQ(grid_->SetColCount(2), 0);
    EXPECT_EQ(grid_->GetLockedColumnCount(), 1) << "lowered below the new count";
}

TEST_F(Navigation, PagesOfRowsAndColumns) {
    CreateGrid(20, 100);
    EXPECT_EQ(grid_->MoveCursorRow(3), 0);
    EXPECT_EQ(grid_->GetCursorRow(), 10) << "ten rows of 20 fill the 200 pixels";
    EXPECT_EQ(grid_->MoveCursorRow(2), 0);
    EXPECT_EQ(grid_->GetCursorRow(), 0);
    // A column page goes one column further than the rows' rule would.
    EXPECT_EQ(grid_->MoveCursorCol(3), 0);
    EXPECT_EQ(grid_->GetCursorCol(), 5);
    EXPECT_EQ(grid_->ScrollRows(3), 0);
    EXPECT_EQ(grid_->GetTopRow(), 10);
    EXPECT_EQ(grid_->ScrollRows(5), 0);
    EXPECT_EQ(grid_->GetTopRow(), grid_->GetSettings()->m_nMaxTopRow);
    EXPECT_EQ(grid_->ScrollRowsBy(-5), 0);
    EXPECT_EQ(grid_->GetTopRow(), 85);
    EXPECT_EQ(grid_->MoveCursorColBy(-2), 0);
    EXPECT_EQ(grid_->GetCursorCol(), 3);
    EXPECT_EQ(grid_->MoveCursorRow(9), 0) << "an unknown code does nothing";

    // All rows fit: page down lands on the last one; zero heights do not keep it walking.
    grid_->SetRowCount(6);
    grid_->GotoRow(0);
    for (int r = 0; r < 6; ++r) grid_->SetRowHeight(r, 0);
    EXPECT_EQ(grid_->MoveCursorRow(3), 0);
    EXPECT_EQ(grid_->GetCursorRow(), 5);
    EXPECT_EQ(grid_->MoveCursorRow(2), 0);
    EXPECT_EQ(grid_->GetCursorRow(), 0);
}

TEST_F(Navigation, MovesStepOverMergedRangesAndLandOnTheirOrigin) {
    CreateGrid(5, 20);
    grid_->MergeCellRange(0, 3, 1, 5);
    struct Step {
        std::function<int()> move;
        int col, row;
    } steps[] = {
        {[&] { return grid_->GotoRow(2); }, 0, 2},
        {[&] { return grid_->GotoRow(3); }, 0, 3},  // down from above: the first row
        {[&] { return grid_->GotoRow(4); }, 0, 6},  // down from inside: past it
        {[&] { return grid_->GotoRow(5); }, 0, 2},  // up into it: the row before it
        {[&] { return grid_->GotoCell(1, 4); }, 0, 3},
        {[&] { return grid_->GotoCol(1); }, 2, 3},  // right from inside: past it
        {[&] { return grid_->GotoCol(1); }, 0, 3},  // left into it: before it, none: the origin
    };
    int i = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(i++);
        EXPECT_EQ(step.move(), 0);
        EXPECT_EQ(grid_->GetCursorCol(), step.col);
        EXPECT_EQ(grid_->GetCursorRow(), step.row);
    }
}

TEST_F(Navigation, PointsBecomeCellsAndCellsRectangles) {
    CreateGrid(3, 4);  // 225 x 80 pixels of cells, all in view
    int c, r;
    CRect rc;
    EXPECT_EQ(grid_->CellFromPoint(80, 25, c, r, &rc), 0);
    EXPECT_EQ(std::vector<int>({c, r}), std::vector<int>({1, 1}));
    EXPECT_EQ(Text(rc), "[75,20,150,40]");
    EXPECT_EQ(grid_->CellFromPoint(225, 10, c, r), 1) << "the line right of the last column";
    EXPECT_EQ(grid_->CellFromPoint(-1, 10, c, r), 1);
    EXPECT_EQ(grid_->CellFromPoint(10, 80, c, r), 1);
    grid_->MergeCellRange(1, 1, 2, 2);
    EXPECT_EQ(grid_->CellFromPoint(200, 50, c, r, &rc), 0);
    EXPECT_EQ(std::vector<int>({c, r}), std::vector<int>({1, 1}));
    EXPECT_EQ(Text(rc), "[75,20,225,60]");
    grid_->GetCellRect(2, 2, rc);
    EXPECT_EQ(Text(rc), "[75,20,225,60]");
    grid_->GetRangeRect(1, 3, 5, 9, rc);
    EXPECT_EQ(rc.left, 75);
    EXPECT_EQ(rc.top, 60);
    EXPECT_EQ(rc.right, grid_->GetSettings()->m_nCellAreaWidth + 10) << "off screen: overhang";
}

TEST_F(Navigation, TheBarsComeWithRowsAndColumnsThatDoNotFit) {
    struct Case {
        int cols, rows;
        bool vbar, hbar;
    } cases[] = {
        {2, 5, false, false}, {2, 100, true, false}, {20, 5, false, true}, {20, 100, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cols) + " x " + std::to_string(c.rows));
        CreateGrid(c.cols, c.rows);
        const CGridSettings* s = grid_->GetSettings();
        EXPECT_EQ(s->m_rcVScroll.right - s->m_rcVScroll.left, c.vbar ? 20 : 0);
        EXPECT_EQ(s->m_rcHScroll.bottom - s->m_rcHScroll.top, c.hbar ? 20 : 0);
    }
}

// --- keys, wheel and bars -------------------------------------------------------------------

TEST_F(Navigation, KeysMoveTheCursor) {
    CreateGrid(20, 100);
    struct Case {
        UINT vk;
        bool ctrl;
        int col, row;
    } cases[] = {
        {VK_DOWN, false, 0, 1}, {VK_RIGHT, false, 1, 1}, {VK_UP, false, 1, 0},
        {VK_LEFT, false, 0, 0}, {VK_NEXT, false, 0, 10}, {VK_PRIOR, false, 0, 0},
        {VK_END, false, 19, 0}, {VK_END, true, 19, 99},  {VK_HOME, false, 0, 99},
        {VK_HOME, true, 0, 0},  {VK_LEFT, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.vk) + (c.ctrl ? " with Ctrl" : ""));
        std::unique_ptr<CtrlHeld> ctrl(c.ctrl ? new CtrlHeld : nullptr);
        Key(c.vk);
        EXPECT_EQ(grid_->GetCursorCol(), c.col);
        EXPECT_EQ(grid_->GetCursorRow(), c.row);
    }
    EXPECT_EQ(grid_->Count("OnGridKeyDown"), 11);
}

TEST_F(Navigation, HeldArrowKeysAccelerateByTheDivisor) {
    CreateGrid(3, 200);
    EXPECT_EQ(grid_->SetKeyAcceleration(1001), 1);
    EXPECT_EQ(grid_->SetDragScrollStep(4), 1);
    EXPECT_EQ(grid_->SetKeyAcceleration(4), 0);
    // Repeats without a key-up: steps 1 1 1, then 2 from the fourth, 9 from the eighth,
    // 28 from the twelfth.
    std::vector<int> rows;
    for (int i = 0; i < 12; ++i) {
        Cells()->SendMessage(WM_KEYDOWN, VK_DOWN, 0x40000001);
        rows.push_back(grid_->GetCursorRow());
    }
    EXPECT_EQ(rows, std::vector<int>({1, 2, 3, 5, 7, 9, 11, 20, 29, 38, 47, 75}));
    Cells()->SendMessage(WM_KEYUP, VK_DOWN, 0xC0000001);
    Cells()->SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(grid_->GetCursorRow(), 76) << "a key-up starts again";
}

TEST_F(Navigation, TheWheelScrollsThreeRowsPerNotch) {
    CreateGrid(3, 100);
    CPoint pt(50, 50);
    Cells()->ClientToScreen(&pt);
    Cells()->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-240), At(pt.x, pt.y));
    EXPECT_EQ(grid_->GetTopRow(), 6);
    Cells()->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), At(pt.x, pt.y));
    EXPECT_EQ(grid_->GetTopRow(), 3);
    EXPECT_EQ(grid_->GetCursorRow(), 0) << "the wheel moves the view, not the cursor";
}

TEST_F(Navigation, TheVerticalBarRunsOnAThousandStepsForManyRows) {
    CreateGrid(20, 5010);  // ten rows in view: the largest top row is 5000
    ASSERT_EQ(grid_->GetSettings()->m_nMaxTopRow, 5000);
    CGridVScrollBar* pBar = grid_->GetVScrollBar();
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    pBar->GetScrollInfo(&si);
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 1000);
    grid_->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 500), (LPARAM)pBar->m_hWnd);
    EXPECT_EQ(grid_->GetTopRow(), 2500);
    pBar->GetScrollInfo(&si);
    EXPECT_EQ(si.nPos, 500);
    grid_->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), (LPARAM)pBar->m_hWnd);
    EXPECT_EQ(grid_->GetTopRow(), 2501);
    grid_->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0), (LPARAM)pBar->m_hWnd);
    EXPECT_EQ(grid_->GetTopRow(), 2491);
    grid_->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), (LPARAM)pBar->m_hWnd);
    EXPECT_EQ(grid_->GetTopRow(), 5000);

    // Locked rows start the range; the spin mode rests in the middle.
    grid_->SetLockedRowCount(3);
    pBar->GetScrollInfo(&si);
    EXPECT_EQ(si.nMin, 3);
    grid_->SetVScrollBarMode(2);
    pBar->GetScrollInfo(&si);
    EXPECT_EQ(si.nMax, 2);
    grid_->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), (LPARAM)pBar->m_hWnd);
    EXPECT_EQ(grid_->GetTopRow(), 4);
    EXPECT_EQ(pBar->GetScrollPos(), 1);

    // Few rows: the bar counts rows with a page of the rows in view.
    grid_->SetVScrollBarMode(0);
    grid_->SetLockedRowCount(0);
    grid_->SetRowCount(30);
    pBar->GetScrollInfo(&si);
    EXPECT_EQ(si.nMax, 20 + 10 - 1);
    EXPECT_EQ(si.nPage, 10u);
}

TEST_F(Navigation, ThumbHintsShowOnlyWhenSwitchedOn) {
    CreateGrid(40, 5010);
    CGridVScrollBar* pV = grid_->GetVScrollBar();
    CGridHScrollBar* pH = grid_->GetHScrollBar();
    grid_->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 300), (LPARAM)pV->m_hWnd);
    grid_->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 3), (LPARAM)pH->m_hWnd);
    EXPECT_EQ(grid_->Count("OnGetVScrollHint") + grid_->Count("OnGetHScrollHint"), 0);
    EXPECT_FALSE(grid_->GetHintWnd()->IsWindowVisible());
    EXPECT_EQ(grid_->GetTopRow(), 0) << "a normal bar scrolls on release";

    grid_->EnableVScrollTips(TRUE);
    grid_->EnableHScrollTips(TRUE);
    grid_->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 300), (LPARAM)pV->m_hWnd);
    EXPECT_THAT(grid_->Texts({"OnGetVScrollHint"}), ElementsAre("OnGetVScrollHint(1500)"));
    EXPECT_TRUE(grid_->GetHintWnd()->IsWindowVisible());
    EXPECT_EQ(grid_->GetHintWnd()->GetAlignment(), GRIDHINT_RIGHT | GRIDHINT_VCENTER);
    grid_->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 300), (LPARAM)pV->m_hWnd);
    EXPECT_FALSE(grid_->GetHintWnd()->IsWindowVisible());
    EXPECT_EQ(grid_->GetTopRow(), 1500);
    grid_->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 3), (LPARAM)pH->m_hWnd);
    EXPECT_THAT(grid_->Texts({"OnGetHScrollHint"}), ElementsAre("OnGetHScrollHint(3)"));
    EXPECT_EQ(grid_->GetHintWnd()->GetAlignment(), GRIDHINT_HCENTER | GRIDHINT_BOTTOM);

    // Live tracking scrolls while the thumb moves.
    grid_->SetHScrollBarMode(1);
    grid_->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 4), (LPARAM)pH->m_hWnd);
    EXPECT_EQ(grid_->GetLeftCol(), 4);
}

// --- mouse on the cells, headings and corner ------------------------------------------------

TEST_F(Navigation, ClicksMoveTheCursorAndReachTheNotifications) {
    CreateGrid(20, 100);
    CPoint pt = Centre(2, 3);
    Cells()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pt.x, pt.y));
    Cells()->SendMessage(WM_LBUTTONUP, 0, At(pt.x, pt.y));
    EXPECT_EQ(grid_->GetCursorCol(), 2);
    EXPECT_EQ(grid_->GetCursorRow(), 3);
    EXPECT_THAT(grid_->Texts({"OnCellLeftClick"}),
                ElementsAre("OnCellLeftClick(2,3,1,[150,60,225,80],(187,70),0)",
                            "OnCellLeftClick(2,3,0,[150,60,225,80],(187,70),0)"));
    grid_->Clear();
    pt = Centre(3, 1);
    Cells()->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, At(pt.x, pt.y));
    Cells()->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(pt.x, pt.y));
    EXPECT_EQ(grid_->GetCursorCol(), 3);
    EXPECT_EQ(grid_->GetCursorRow(), 1);
    // Beyond the last column in view: no cell, column and row -1.
    Cells()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(301, 10));
    Cells()->SendMessage(WM_LBUTTONUP, 0, At(301, 10));
    EXPECT_EQ(grid_->Last("OnCellLeftClick")->text,
              "OnCellLeftClick(-1,-1,0,[0,0,0,0],(301,10),0)");
    EXPECT_EQ(grid_->GetCursorCol(), 3);
    EXPECT_EQ(grid_->Count("OnCellRightClick"), 1);
    EXPECT_EQ(grid_->Count("OnCellDblClick"), 1);
    Cells()->SendMessage(WM_SETCURSOR, (WPARAM)Cells()->m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(NULL, IDC_ARROW));
}

TEST_F(Navigation, AColumnEdgeArmsWithinTwoPixelsAndADragNeverGoesBelowZero) {
    CreateGrid(20, 100);
    CWnd* pHeading = grid_->GetColumnHeading();
    const HCURSOR hSizeWE = ::LoadCursorA(NULL, IDC_SIZEWE);
    struct Case {
        int x;
        bool armed;
    } cases[] = {{225 - 2, true}, {225 + 2, true}, {225 - 3, false}, {225 + 3, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        pHeading->SendMessage(WM_MOUSEMOVE, 0, At(c.x, 10));
        pHeading->SendMessage(WM_SETCURSOR, (WPARAM)pHeading->m_hWnd,
                              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor() == hSizeWE, c.armed);
        EXPECT_EQ(grid_->GetColumnHeading()->IsInSizingZone() != 0, c.armed);
    }
    // Column 2's right edge dragged left of its left edge: width 0.
    pHeading->SendMessage(WM_MOUSEMOVE, 0, At(224, 10));
    pHeading->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(224, 10));
    pHeading->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(100, 10));
    pHeading->SendMessage(WM_LBUTTONUP, 0, At(100, 10));
    EXPECT_EQ(grid_->GetColumnWidth(2), 0);
    EXPECT_THAT(grid_->Texts({"OnColumnWidthChanging", "OnColumnWidthChanged"}),
                ElementsAre("OnColumnWidthChanging(2,*0)", "OnColumnWidthChanged(2,*0)"));
    // The edge to its left now reopens it.
    grid_->Clear();
    pHeading->SendMessage(WM_MOUSEMOVE, 0, At(151, 10));
    pHeading->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(151, 10));
    pHeading->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(191, 10));
    pHeading->SendMessage(WM_LBUTTONUP, 0, At(191, 10));
    EXPECT_EQ(grid_->GetColumnWidth(2), 40);
    EXPECT_EQ(grid_->GetColumnWidth(1), 75);
    // A refusing hook arms nothing; without sizing nothing arms either.
    grid_->Refuse("CanResizeColumn");
    pHeading->SendMessage(WM_MOUSEMOVE, 0, At(75, 10));
    EXPECT_FALSE(grid_->GetColumnHeading()->IsInSizingZone());
    grid_->ResetAnswers();
    grid_->SetSizingMode(0);
    pHeading->SendMessage(WM_MOUSEMOVE, 0, At(75, 10));
    EXPECT_FALSE(grid_->GetColumnHeading()->IsInSizingZone());
}

TEST_F(Navigation, HeadingClicksRowEdgesAndTheCornerEdges) {
    CreateGrid(20, 100);
    CWnd* pCols = grid_->GetColumnHeading();
    pCols->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(100, 10));
    pCols->SendMessage(WM_LBUTTONUP, 0, At(100, 10));
    EXPECT_THAT(grid_->Texts({"OnColHeadingLeftClick"}),
                ElementsAre("OnColHeadingLeftClick(1,-1,1,[75,0,150,20],(100,10),0)",
                            "OnColHeadingLeftClick(1,-1,0,[75,0,150,20],(100,10),0)"));
    CWnd* pRows = grid_->GetRowHeading();
    pRows->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, At(10, 30));
    EXPECT_THAT(grid_->Texts({"OnRowHeadingRightClick"}),
                ElementsAre("OnRowHeadingRightClick(-1,1,1,[0,20,25,40],(10,30),0)"));
    // A row edge: the row's height follows the drag.
    pRows->SendMessage(WM_MOUSEMOVE, 0, At(10, 41));
    EXPECT_TRUE(grid_->GetRowHeading()->IsInSizingZone());
    pRows->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 41));
    pRows->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(10, 51));
    pRows->SendMessage(WM_LBUTTONUP, 0, At(10, 51));
    EXPECT_EQ(grid_->GetRowHeight(1), 30);
    EXPECT_EQ(grid_->Count("OnRowHeightChanged"), 1);

    // The corner: its right edge sizes the row headings, a click reports up and down.
    CWnd* pCorner = grid_->GetCornerWnd();
    grid_->Clear();
    pCorner->SendMessage(WM_MOUSEMOVE, 0, At(38, 5));
    pCorner->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(38, 5));
    pCorner->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(60, 5));
    pCorner->SendMessage(WM_LBUTTONUP, 0, At(60, 5));
    EXPECT_EQ(grid_->GetRowHeadingWidth(), 60);
    EXPECT_THAT(
        grid_->Texts({"OnRowHeadingWidthChanging", "OnCornerLeftClick"}),
        ElementsAre("OnRowHeadingWidthChanging(*60)", "OnCornerLeftClick(0,[0,0,60,20],(60,5),0)"));
    pCorner->SendMessage(WM_MOUSEMOVE, 0, At(5, 5));
    pCorner->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(grid_->Count("OnCornerLeftClick"), 2);
}

// --- hint window and tips -------------------------------------------------------------------

TEST_F(Navigation, TheHintWindowStaysInsideTheGrid) {
    CreateGrid(3, 3);
    CGridHintWnd* pHint = grid_->GetHintWnd();
    auto place = [&]() {
        CRect rc;
        pHint->GetWindowRect(&rc);
        grid_->ScreenToClient(&rc);
        return rc;
    };
    pHint->SetText("", FALSE);
    pHint->SetAlignment(GRIDHINT_HCENTER);
    pHint->ShowAt(100, 50, 40);
    EXPECT_TRUE(pHint->IsWindowVisible());
    EXPECT_EQ(place().left, 80);
    EXPECT_EQ(place().right, 120);
    pHint->SetAlignment(0);
    pHint->ShowAt(10, -30, 40);
    EXPECT_EQ(place().top, 0);
    // Wider than the minimum: text width + 4, moved left to stay in the grid.
    pHint->SetText("A rather long hint text for the right edge", FALSE);
    pHint->ShowAt(340, 50, 20);
    EXPECT_GT(place().Width(), 40);
    EXPECT_EQ(place().right, 360);
    pHint->Hide();
}

class CTipGrid : public CRecordingGrid {
public:
    BOOL OnGetHintText(int nCol, int nRow, int nKind, CString* pText) override {
        CRecordingGrid::OnGetHintText(nCol, nRow, nKind, pText);
        *pText = CString(std::string(100, 'x').c_str());
        return TRUE;
    }
};

TEST_F(Navigation, ACellTipNeedsTwoHitTestsOnOneCellAndIsCutTo79Characters) {
    grid_.reset(new CTipGrid);
    ASSERT_TRUE(grid_->Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 370, 250), &host_, kGridId));
    grid_->SetColCount(3);
    grid_->SetRowCount(5);
    grid_->EnableCellTips(TRUE);
    CGridCellArea* pCells = grid_->GetCellArea();
    EXPECT_EQ(pCells->OnToolHitTest(CPoint(10, 10), NULL), -1) << "the first rest on the cell";
    TOOLINFO ti = {};
    EXPECT_EQ(pCells->OnToolHitTest(CPoint(12, 11), &ti), 1);
    EXPECT_EQ(ti.hwnd, pCells->m_hWnd);
    EXPECT_EQ(pCells->OnToolHitTest(CPoint(80, 11), NULL), -1) << "another cell starts again";
    EXPECT_EQ(pCells->OnToolHitTest(CPoint(500, 500), NULL), -1);

    CPoint pt(80, 30);
    pCells->ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = grid_->GetHintWnd()->m_hWnd;  // a pop-up, as the tip control is
    info.hdr.code = TTN_NEEDTEXTA;
    pCells->SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_EQ(strlen(info.lpszText), 79u);
    EXPECT_THAT(grid_->Texts({"OnGetHintText"}), ElementsAre("OnGetHintText(1,1,1)"));
}

// --- what a repaint draws -------------------------------------------------------------------

TEST_F(Navigation, ARepaintDrawsOnlyWhatChanged) {
    CreateGrid(20, 100, true);
    grid_->SetFocus();
    Settle();
    grid_->RepaintCell(2, 2);
    EXPECT_EQ(counting_.draws, 1) << "one cell";
    Settle();
    grid_->GotoCell(1, 1);
    EXPECT_EQ(counting_.draws, 2) << "the old and the new cursor cell";
    Settle();
    // One row down: the pixels move; the row that came into view and the cursor cell draw.
    grid_->GotoCell(1, 5);
    Settle();
    EXPECT_EQ(grid_->ScrollRows(1), 0);
    EXPECT_EQ(counting_.draws, 4 + 1) << "four columns in view, and the cursor cell";
    EXPECT_FALSE(::GetUpdateRect(Cells()->m_hWnd, NULL, FALSE)) << "nothing left to paint";
    Settle();
    EXPECT_EQ(grid_->ScrollCols(1), 0);
    EXPECT_EQ(counting_.draws, 10 + 1) << "a column of ten rows, and the cursor cell";
    EXPECT_FALSE(::GetUpdateRect(Cells()->m_hWnd, NULL, FALSE));
    Settle();
    // A merged range draws once, whichever of its cells is named.
    grid_->MergeCellRange(2, 2, 3, 4);
    grid_->RepaintRange(2, 2, 3, 4);
    EXPECT_EQ(counting_.draws, 1);
    Settle();
    grid_->RepaintCell(3, 4);
    EXPECT_EQ(counting_.draws, 1);
    Settle();
    // A jump over more than a screen paints the screen, no more.
    grid_->SetTopRow(60);
    EXPECT_EQ(counting_.draws, 40);
    grid_.reset();
}

TEST_F(Navigation, TheBackBufferFollowsTheAreaAndIsOnePixelWhenThereIsNone) {
    CreateGrid(20, 100, true);
    EXPECT_EQ(grid_->SetBackBufferPainting(TRUE), 0);
    BITMAP bm = {};
    ASSERT_NE(grid_->GetCellArea()->GetBackBitmap(), nullptr);
    grid_->GetCellArea()->GetBackBitmap()->GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 300);
    EXPECT_EQ(bm.bmHeight, 200);
    grid_->GotoCell(1, 5);
    Settle();
    grid_->ScrollRows(1);
    EXPECT_EQ(counting_.draws, 4 + 1) << "the buffer's pixels move too";
    grid_->MoveWindow(10, 10, 40, 20);
    grid_->GetCellArea()->GetBackBitmap()->GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    grid_.reset();
}

// --- the drag loop ----------------------------------------------------------------------------

struct ReleaseLater {
    HWND hWnd;
    DWORD ms;
    volatile LONG posted;
};

DWORD WINAPI ReleaseButton(void* p) {
    ReleaseLater* r = static_cast<ReleaseLater*>(p);
    ::Sleep(r->ms);
    ::PostMessageA(r->hWnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    ::InterlockedExchange(&r->posted, 1);
    return 0;
}

TEST_F(Navigation, ADragHeldRightOfTheWindowScrollsPerIntervalWithoutSpinning) {
    CreateGrid(400, 20);
    grid_->SetDragScrollInterval(50);
    CPoint pt = Centre(1, 1);
    Cells()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pt.x, pt.y));
    ASSERT_EQ(::GetCapture(), Cells()->m_hWnd);
    ReleaseLater release = {Cells()->m_hWnd, 1000, 0};
    HANDLE hThread = ::CreateThread(NULL, 0, ReleaseButton, &release, 0, NULL);
    QueueLookCounter looks;
    ASSERT_TRUE(looks.Installed());
    const ULONGLONG t0 = ::GetTickCount64();
    // Held right of the area: the loop runs inside this message until the button-up waits.
    // A mouse move of the display's own pointer also ends it, as a real move would; it is
    // handled (no button is down for it) and the held mouse goes on.
    do {
        Cells()->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(330, pt.y));
        MSG msg;
        while (::PeekMessageA(&msg, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
            ::DispatchMessageA(&msg);
    } while (!release.posted && ::GetTickCount64() - t0 < 5000);
    const double elapsed = (::GetTickCount64() - t0) / 1000.0;
    const long turns = looks.Looks();
    ::WaitForSingleObject(hThread, 5000);
    ::CloseHandle(hThread);
    PumpMessages();
    EXPECT_EQ(::GetCapture(), (HWND)NULL) << "the button-up was handled after the loop";
    EXPECT_GE(elapsed, 0.9);
    const int nColumns = grid_->GetCursorCol() - 1;
    EXPECT_GE(nColumns, 5) << "one column per interval";
    EXPECT_LE(nColumns, (int)(elapsed * 1000 / 50) + 5);
    // Waiting, the loop looks at the queue once per step and once per message that comes
    // meanwhile; spinning, it would look thousands of times per step, whatever the load.
    EXPECT_GE(turns, nColumns) << "the loop looks at the queue between its steps";
    EXPECT_LE(turns, 10 * (nColumns + 1)) << "the loop waits between passes";
}

// --- the sample grid --------------------------------------------------------------------------

TEST_F(Navigation, TheSampleGridScrollsAndSizesForItsScreenshots) {
    grid_.reset(new CRecordingGrid);
    host_.MoveWindow(20, 20, 620, 420);
    ASSERT_TRUE(grid_->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 380), &host_, kGridId));
    CRecordingGrid& g = *grid_;
    g.SetColCount(12);
    g.SetRowCount(2000);
    g.SetRowHeadingWidth(50);
    g.SetColumnHeadingRowCount(2);
    g.SetColumnHeadingHeight(40);
    g.SetColumnWidth(0, 90);
    g.SetLockedColumnCount(1);
    g.SetBackBufferPainting(TRUE);
    g.SetDefaultFont(g.CreateGridFont("Arial", -12, FW_NORMAL));
    g.SetCellText(0, -2, "Analyzer");
    g.MergeCellRange(0, -2, 0, -1);
    const char* groups[] = {"Concentrations", "Limits", "States"};
    for (int i = 0; i < 3; ++i) {
        g.SetCellText(1 + 4 * i, -2, groups[i]);
        g.MergeCellRange(1 + 4 * i, -2, 4 + 4 * i, -2);
        for (int c = 0; c < 4; ++c)
            g.SetCellText(1 + 4 * i + c, -1, (std::string("Channel ") + (char)('A' + c)).c_str());
    }
    for (int r = 0; r < 2000; ++r) {
        g.SetCellText(-1, r, std::to_string(r + 1).c_str());
        g.SetCellText(0, r, (std::string("Device ") + std::to_string(r % 12 + 2)).c_str());
        for (int c = 1; c < 12; ++c)
            g.SetCellText(c, r,
                          std::to_string((r * 37 + c * 11) % 1000 / 10.0).substr(0, 5).c_str());
    }
    g.SetCellAlignment(-1, 0, 0x24);
    PumpMessages();
    g.GotoCell(9, 1230);
    EXPECT_EQ(g.GetCursorRow(), 1230);
    EXPECT_GT(g.GetLeftCol(), 1);
    EXPECT_EQ(g.GetRightCol() >= g.GetCursorCol(), true);
    wkit::Window(host_.m_hWnd).Shot("grid-navigation-scrolled");

    // A column edge dragged: the heading and the cells follow the pointer.
    CWnd* pHeading = g.GetColumnHeading();
    CRect rc;
    g.GetCellRect(g.GetLeftCol(), g.GetTopRow(), rc);
    pHeading->SendMessage(WM_MOUSEMOVE, 0, At(rc.right, 30));
    ASSERT_TRUE(g.GetColumnHeading()->IsInSizingZone());
    pHeading->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(rc.right, 30));
    pHeading->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(rc.right + 60, 30));
    EXPECT_EQ(g.GetColumnWidth(g.GetLeftCol()), 135);
    wkit::Window(host_.m_hWnd).Shot("grid-navigation-column-drag");
    pHeading->SendMessage(WM_LBUTTONUP, 0, At(rc.right + 60, 30));
    EXPECT_FALSE(g.GetColumnHeading()->IsResizing());
}

}  // namespace
