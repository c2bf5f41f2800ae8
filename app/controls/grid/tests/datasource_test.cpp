// The data-source interface, the grid's registry of data sources, and the memory store:
// sparse rows and cells below and above 0, inserts and deletes with the grid columns'
// mapping, finding and sorting.
#include "grid.h"
#include "recordinggrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A cell holding a text or a number, made in place.
struct TextCell : CGridCell {
    explicit TextCell(LPCSTR text) { SetText(text); }
};

struct NumberCell : CGridCell {
    explicit NumberCell(double value) { SetNumber(value); }
};

void Store(CGridDataSource& source, int col, int row, const CGridCell& cell) {
    source.SetCell(col, row, &cell);
}

// The text stored at a data-source position: "-" for none, "<empty>" for a cell without
// text.
std::string Stored(CGridMemDataSource& source, int col, int row) {
    CGridCell cell;
    if (source.GetCell(col, row, &cell) != 0) return "-";
    return cell.GetText() != NULL ? cell.GetText() : "<empty>";
}

// A grid without a window: its own memory store is the source under test.
class MemoryStore : public ::testing::Test {
protected:
    void SetUp() override {
        grid_.SetColCount(4, FALSE);
        grid_.SetRowCount(6, FALSE);
        store_ = static_cast<CGridMemDataSource*>(grid_.GetDataSource(0));
        ASSERT_NE(store_, nullptr);
    }
    void Put(int col, int row, LPCSTR text) { Store(*store_, col, row, TextCell(text)); }
    // The texts of a row of the store, columns first..last.
    std::string Row(int row, int first = 0, int last = 3) {
        std::string out;
        for (int c = first; c <= last; ++c) out += (c > first ? "|" : "") + Stored(*store_, c, row);
        return out;
    }

    CGridWnd grid_;
    CGridMemDataSource* store_ = nullptr;
};

// --- the interface's defaults -------------------------------------------------------------

TEST(GridDataSource, TheBaseAnswersEveryOperationNeutrally) {
    CGridDataSource source;
    CGridCell cell;
    int col = 0, row = 0, value = 0;
    CWnd* editor = NULL;
    UINT ch = 'a';
    EXPECT_EQ(source.GetGrid(), nullptr);
    EXPECT_EQ(source.GetId(), -1);
    for (int result : {source.GetRowCount(),
                       source.GetColCount(),
                       source.AppendRow(),
                       source.InsertRow(0),
                       source.AppendCol(),
                       source.InsertCol(0),
                       source.DeleteRow(0),
                       source.DeleteCol(0),
                       source.ClearCell(0, 0),
                       source.DeleteAll(),
                       source.GetCell(0, 0, &cell),
                       source.SetCell(0, 0, &cell),
                       source.FindFirst("x", col, row, 0),
                       source.FindNext("x", col, row, 0),
                       source.SortRows(&col, 1, 0),
                       source.SortByColumn(0, 0),
                       source.OnRowsRequested(1, 1, &value),
                       source.FindPrevFilled(&col, 0),
                       source.Reserved1(0, 0),
                       source.Reserved26(0, 0, 0)})
        EXPECT_EQ(result, -1);
    for (int result :
         {source.CanMove(0, 0, 1, 1), source.OnEditStart(0, 0, &editor),
          source.OnEditChar(0, 0, NULL, &ch), source.OnEditFinish(0, 0, NULL, "x", FALSE),
          source.OnEditContinue(0, 0, &col, &row)})
        EXPECT_EQ(result, 1);
}

TEST(GridDataSource, ASheetOnASourceThatStoresNothingShowsOnlyItsDefaults) {
    CGridWnd grid;
    CGridDataSource source;
    grid.SetColCount(2, FALSE);
    grid.SetRowCount(2, FALSE);
    CGridCell defaults;
    defaults.SetBackColor(RGB(9, 9, 9));
    grid.SetColumnDefaultCell(1, defaults);
    int index = grid.AddDataSource(&source);
    ASSERT_EQ(grid.SetDataSource(index), 0);
    EXPECT_EQ(grid.SetCell(1, 1, TextCell("lost")), -1);
    CGridCell cell;
    EXPECT_EQ(grid.GetCell(1, 1, cell), -1);
    grid.GetDisplayCell(1, 1, cell);
    EXPECT_EQ(cell.GetText(), nullptr);
    EXPECT_EQ(cell.GetBackColor(), RGB(9, 9, 9));
}

// --- the grid's registry ------------------------------------------------------------------

TEST(GridDataSourceRegistry, IndexesStartAt1AndEmptiedSlotsAreFilledAgain) {
    CGridWnd grid;
    std::vector<CGridDataSource> sources(16);
    EXPECT_EQ(grid.AddDataSource(NULL), -1);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(grid.AddDataSource(&sources[i]), i + 1);
        EXPECT_EQ(sources[i].GetId(), i + 1);
        EXPECT_EQ(sources[i].GetGrid(), &grid);
    }
    EXPECT_EQ(grid.GetDataSource(16), &sources[15]);
    EXPECT_EQ(grid.GetDataSource(17), nullptr);
    EXPECT_EQ(grid.GetDataSource(-1), nullptr);
    EXPECT_EQ(grid.GetDataSource(0), grid.GetSettings()->m_pMemDataSource);

    EXPECT_EQ(grid.RemoveDataSource(2), 0);
    EXPECT_EQ(grid.GetDataSource(2), nullptr);
    EXPECT_EQ(grid.RemoveDataSource(2), 1) << "already empty";
    EXPECT_EQ(grid.RemoveDataSource(0), 1);
    EXPECT_EQ(grid.RemoveDataSource(17), 1);
    CGridDataSource again;
    EXPECT_EQ(grid.AddDataSource(&again), 2);
}

TEST(GridDataSourceRegistry, FillingAnEmptiedSlotAgainAndAgainNeverNamesASlotBeyondTheArray) {
    CGridWnd grid;
    std::vector<CGridDataSource> sources(15);
    for (CGridDataSource& source : sources) grid.AddDataSource(&source);
    for (int round = 0; round < 40; ++round) {
        ASSERT_EQ(grid.RemoveDataSource(1), 0);
        ASSERT_EQ(grid.AddDataSource(&sources[0]), 1);
    }
    for (int index = 16; index < 80; ++index) {
        EXPECT_EQ(grid.GetDataSource(index), nullptr) << index;
        EXPECT_EQ(grid.SetDataSource(index), 1) << index;
        EXPECT_EQ(grid.RemoveDataSource(index), 1) << index;
    }
}

TEST(GridDataSourceRegistry, SetDataSourcePointsTheSheetAndItsColumnsAtTheSource) {
    CGridWnd grid;
    grid.SetColCount(3, FALSE);
    CGridDataSource first, second;
    int a = grid.AddDataSource(&first);
    int b = grid.AddDataSource(&second);
    EXPECT_EQ(grid.SetDataSource(a), 0);
    EXPECT_EQ(grid.GetDataSourceIndex(), a);
    for (const CGridColumn& column : grid.GetSettings()->m_columns)
        EXPECT_EQ(column.pDataSource, &first);
    // An emptied slot holds no source: the sheet keeps the one it has.
    grid.RemoveDataSource(b);
    EXPECT_EQ(grid.SetDataSource(b), 1);
    EXPECT_EQ(grid.GetDataSourceIndex(), a);
    EXPECT_EQ(grid.GetSettings()->m_pDataSource, &first);
    EXPECT_EQ(grid.SetDataSource(-1), 1);
    EXPECT_EQ(grid.SetDataSource(0), 0);
    EXPECT_EQ(grid.GetSettings()->m_pDataSource, grid.GetSettings()->m_pMemDataSource);
    EXPECT_EQ(grid.GetSettings()->m_columns[2].pDataSource, grid.GetSettings()->m_pMemDataSource);
}

class CSizedSource : public CGridDataSource {
public:
    CSizedSource(int rows, int cols) : m_nRows(rows), m_nCols(cols) {}
    int GetRowCount() override { return m_nRows; }
    int GetColCount() override { return m_nCols; }
    int m_nRows, m_nCols;
};

TEST(GridDataSourceRegistry, SizeFromDataSourceTakesTheSourcesCounts) {
    CGridWnd grid;
    CSizedSource sized(12, 7), noRows(-1, 3), noCols(5, 0);
    int sizedIndex = grid.AddDataSource(&sized);
    int noRowsIndex = grid.AddDataSource(&noRows);
    int noColsIndex = grid.AddDataSource(&noCols);
    EXPECT_EQ(grid.SizeFromDataSource(sizedIndex), 0);
    EXPECT_EQ(grid.GetColCount(), 7);
    EXPECT_EQ(grid.GetRowCount(), 12);
    EXPECT_EQ(grid.SizeFromDataSource(noRowsIndex), 0);
    EXPECT_EQ(grid.GetColCount(), 3);
    EXPECT_EQ(grid.GetRowCount(), 12) << "a source without a row count keeps the grid's";
    EXPECT_EQ(grid.SizeFromDataSource(noColsIndex), 2);
    EXPECT_EQ(grid.GetColCount(), 3);
    EXPECT_EQ(grid.SizeFromDataSource(9), 1);
}

// --- the memory store: positions and cells ------------------------------------------------

TEST_F(MemoryStore, StoringACellMakesEveryPositionUpToItButOnlyTheOneCell) {
    CGridMemDataSource fresh;
    CGridCell cell;
    EXPECT_EQ(fresh.GetCell(0, 0, &cell), 1);
    EXPECT_EQ(fresh.GetStoredRowCount(), 0);
    Store(fresh, 3, 5, TextCell("x"));
    EXPECT_EQ(fresh.GetFirstRow(), 0);
    EXPECT_EQ(fresh.GetStoredRowCount(), 6);
    for (int c = 0; c <= 3; ++c) EXPECT_TRUE(fresh.HasPosition(c, 5)) << c;
    EXPECT_FALSE(fresh.HasPosition(4, 5));
    EXPECT_FALSE(fresh.HasPosition(0, 4)) << "rows on the way have no positions";
    EXPECT_EQ(Stored(fresh, 2, 5), "-");
    EXPECT_EQ(Stored(fresh, 3, 5), "x");
    EXPECT_EQ(fresh.GetCell(0, 6, &cell), 1);
}

TEST_F(MemoryStore, AFetchAddsOnlyTheStoredPropertiesToTheCallersCell) {
    CGridCell stored;
    stored.SetBackColor(RGB(1, 2, 3));
    store_->SetCell(1, 1, &stored);
    CGridCell cell;
    cell.SetText("caller's");
    EXPECT_EQ(store_->GetCell(1, 1, &cell), 0);
    EXPECT_STREQ(cell.GetText(), "caller's");
    EXPECT_EQ(cell.GetBackColor(), RGB(1, 2, 3));
    // Missing positions leave the caller's cell as it was.
    EXPECT_EQ(store_->GetCell(2, 1, &cell), 1);
    EXPECT_STREQ(cell.GetText(), "caller's");
}

TEST_F(MemoryStore, HeadingAndCornerCellsLiveBelowIndexZeroInTheSameStore) {
    Put(-1, -1, "corner");
    Put(2, -1, "heading 2");
    Put(2, -2, "upper heading 2");
    Put(-1, 3, "row 3");
    Put(-2, 3, "outer row 3");
    Put(1, 3, "cell");
    EXPECT_EQ(store_->GetFirstRow(), -2);
    EXPECT_EQ(Stored(*store_, -1, -1), "corner");
    EXPECT_EQ(Stored(*store_, 2, -1), "heading 2");
    EXPECT_EQ(Stored(*store_, 2, -2), "upper heading 2");
    EXPECT_EQ(Stored(*store_, -1, 3), "row 3");
    EXPECT_EQ(Stored(*store_, -2, 3), "outer row 3");
    EXPECT_EQ(Stored(*store_, 1, 3), "cell");
    // The grid reads them through the same numbers.
    EXPECT_STREQ(grid_.GetCellText(2, -1), "heading 2");
    CGridCell cell;
    grid_.GetDisplayCell(-1, -1, cell);
    EXPECT_STREQ(cell.GetText(), "corner");
    EXPECT_EQ(cell.GetBorder(), GRIDBORDER_RAISED)
        << "heading cells start from the heading default";
}

TEST_F(MemoryStore, ClearCellLeavesAnEmptyPositionAndReportsMissingOnes) {
    Put(2, 2, "x");
    EXPECT_EQ(store_->ClearCell(2, 2), 0);
    EXPECT_TRUE(store_->HasPosition(2, 2));
    EXPECT_EQ(Stored(*store_, 2, 2), "-");
    EXPECT_EQ(store_->ClearCell(3, 2), 1);
    EXPECT_EQ(store_->ClearCell(0, 40), 1);
}

TEST_F(MemoryStore, DeleteAllEmptiesTheStore) {
    Put(0, 0, "a");
    Put(-1, -1, "b");
    EXPECT_EQ(store_->DeleteAll(), -1);
    EXPECT_EQ(store_->GetStoredRowCount(), 0);
    EXPECT_EQ(Stored(*store_, 0, 0), "-");
    Put(1, 1, "again");
    EXPECT_EQ(Stored(*store_, 1, 1), "again");
}

// --- rows ---------------------------------------------------------------------------------

TEST_F(MemoryStore, ABodyRowInsertMovesTheLaterRowsAndLeavesHeadingRowsAlone) {
    Put(0, -1, "heading");
    Put(0, 0, "r0");
    Put(0, 1, "r1");
    Put(0, 2, "r2");
    EXPECT_EQ(store_->InsertRow(1), 0);
    EXPECT_EQ(Stored(*store_, 0, -1), "heading");
    EXPECT_EQ(Stored(*store_, 0, 0), "r0");
    EXPECT_EQ(Stored(*store_, 0, 1), "-");
    EXPECT_EQ(Stored(*store_, 0, 2), "r1");
    EXPECT_EQ(Stored(*store_, 0, 3), "r2");
    EXPECT_EQ(store_->InsertRow(0), 0);
    EXPECT_EQ(Stored(*store_, 0, -1), "heading");
    EXPECT_EQ(Stored(*store_, 0, 1), "r0");
    // Beyond the stored rows nothing happens; heading rows are no body rows.
    EXPECT_EQ(store_->InsertRow(10), 0);
    EXPECT_EQ(store_->GetStoredRowCount(), 6);
    EXPECT_EQ(store_->InsertRow(-1), 1);
    EXPECT_EQ(Stored(*store_, 0, -1), "heading");
}

TEST_F(MemoryStore, ADeletedRowsPlaceIsTakenByTheNextAndHeadingRowsStay) {
    Put(0, -1, "heading");
    Put(0, 0, "r0");
    Put(0, 1, "r1");
    Put(0, 2, "r2");
    EXPECT_EQ(store_->DeleteRow(0), 0);
    EXPECT_EQ(Stored(*store_, 0, -1), "heading");
    EXPECT_EQ(Stored(*store_, 0, 0), "r1");
    EXPECT_EQ(Stored(*store_, 0, 1), "r2");
    EXPECT_EQ(store_->DeleteRow(1), 0) << "the last row";
    EXPECT_EQ(Stored(*store_, 0, 0), "r1");
    EXPECT_EQ(Stored(*store_, 0, 1), "-");
    EXPECT_EQ(store_->DeleteRow(7), 0) << "a missing row";
    EXPECT_EQ(store_->DeleteRow(-1), 1);
    EXPECT_EQ(store_->DeleteRow(0), 0);
    EXPECT_EQ(Stored(*store_, 0, -1), "heading");
    EXPECT_EQ(store_->GetStoredRowCount(), 1);
    Put(1, 2, "after");
    EXPECT_EQ(Stored(*store_, 1, 2), "after");
}

// --- columns and the grid columns' mapping ------------------------------------------------

std::vector<int> Mapping(CGridWnd& grid) {
    std::vector<int> mapping;
    for (int c = 0; c < grid.GetColCount(); ++c) mapping.push_back(grid.GetDataSourceCol(c));
    return mapping;
}

TEST_F(MemoryStore, AColumnInsertMovesCellsAndColumnHeadingsAndTheGridColumnsThatShowThem) {
    for (int c = 0; c < 4; ++c) {
        Put(c, -1, ("h" + std::to_string(c)).c_str());
        Put(c, 0, ("a" + std::to_string(c)).c_str());
    }
    Put(-1, 0, "row heading");
    Put(1, 2, "short");  // a row that ends before column 2
    EXPECT_EQ(store_->InsertCol(2), 0);
    EXPECT_EQ(Row(-1, 0, 4), "h0|h1|-|h2|h3");
    EXPECT_EQ(Row(0, -1, 4), "row heading|a0|a1|-|a2|a3");
    EXPECT_EQ(Row(2, 0, 2), "-|short|-");
    EXPECT_EQ(Mapping(grid_), (std::vector<int>{0, 1, 3, 4}));
    // Through the grid every column still shows its cells.
    EXPECT_STREQ(grid_.GetCellText(2, 0), "a2");
    EXPECT_STREQ(grid_.GetCellText(3, -1), "h3");
}

TEST_F(MemoryStore, AColumnInsertTakesThePlaceOfTheGridColumnShowingTheDataSourceColumn) {
    // Grid column 1 shows data-source column 3.
    const int mapping[] = {0, 3, 1, 2};
    for (int c = 0; c < 4; ++c) grid_.SetDataSourceCol(c, mapping[c]);
    for (int c = 0; c < 4; ++c) Put(c, 0, ("d" + std::to_string(c)).c_str());
    EXPECT_EQ(store_->InsertCol(3), 0);
    EXPECT_EQ(Row(0, 0, 4), "d0|-|d1|d2|d3");
    EXPECT_EQ(Mapping(grid_), (std::vector<int>{0, 4, 2, 3}));
    EXPECT_STREQ(grid_.GetCellText(1, 0), "d3");
    EXPECT_STREQ(grid_.GetCellText(2, 0), "d1");
}

TEST_F(MemoryStore, AColumnDeleteMovesTheCellsAndColumnsRightOfItLeft) {
    for (int c = 0; c < 4; ++c) {
        Put(c, -1, ("h" + std::to_string(c)).c_str());
        Put(c, 0, ("a" + std::to_string(c)).c_str());
    }
    Put(-1, -1, "corner");
    EXPECT_EQ(store_->DeleteCol(1), 0);
    EXPECT_EQ(Row(-1, -1, 3), "corner|h0|h2|h3|-");
    EXPECT_EQ(Row(0, 0, 3), "a0|a2|a3|-");
    EXPECT_TRUE(store_->HasPosition(2, 0));
    EXPECT_EQ(Mapping(grid_), (std::vector<int>{0, 1, 1, 2}));
    // The last position of a row stays, without its cell.
    EXPECT_EQ(store_->DeleteCol(2), 0);
    EXPECT_EQ(Row(0, 0, 3), "a0|a2|-|-");
    EXPECT_EQ(store_->DeleteCol(-1), 1);
    EXPECT_EQ(Stored(*store_, -1, -1), "corner");
}

TEST_F(MemoryStore, ColumnInsertsAndDeletesOnAnEmptyStoreStillMoveTheGridColumns) {
    EXPECT_EQ(store_->InsertCol(1), 0);
    EXPECT_EQ(Mapping(grid_), (std::vector<int>{0, 2, 3, 4}));
    EXPECT_EQ(store_->DeleteCol(1), 0);
    EXPECT_EQ(Mapping(grid_), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(MemoryStore, ColumnsWithAnotherSourceKeepTheirMapping) {
    CGridDataSource other;
    grid_.GetSettings()->m_columns[3].pDataSource = &other;
    store_->InsertCol(0);
    EXPECT_EQ(Mapping(grid_), (std::vector<int>{1, 2, 3, 3}));
}

// --- finding ------------------------------------------------------------------------------

TEST_F(MemoryStore, FindMatchesPartOrWholeTextsWithCaseKeptOrIgnored) {
    Put(1, 2, "xAbx");
    Put(1, 4, "AB");
    Put(2, 3, "ab");
    struct Case {
        const char* text;
        UINT flags;
        int col, row;  // found, or -1
    } cases[] = {
        {"ab", GRIDFIND_PART | GRIDFIND_NOCASE, 1, 2},
        {"Ab", GRIDFIND_PART, 1, 2},
        {"ab", GRIDFIND_PART, -1, -1},
        {"ab", 0, -1, -1},
        {"ab", GRIDFIND_NOCASE, 1, 4},
        {"AB", 0, 1, 4},
        {"ab", GRIDFIND_BYROWS, 2, 3},
        {"ab", GRIDFIND_BYROWS | GRIDFIND_PART | GRIDFIND_NOCASE, 1, 2},
        {"x", GRIDFIND_PART | GRIDFIND_BACKWARDS, 1, 2},
        {"zz", GRIDFIND_PART | GRIDFIND_BYROWS, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " flags " + std::to_string(c.flags));
        int col = 1, row = 0;
        int result = store_->FindFirst(c.text, col, row, c.flags);
        if (c.col < 0) {
            EXPECT_EQ(result, 1);
        } else {
            EXPECT_EQ(result, 0);
            EXPECT_EQ(col, c.col);
            EXPECT_EQ(row, c.row);
        }
    }
}

TEST_F(MemoryStore, FindingWithCaseIgnoredLeavesTheCallersTextAsItWas) {
    Put(0, 1, "ABC");
    char text[] = "abc";
    int col = 0, row = 0;
    EXPECT_EQ(store_->FindNext(text, col, row, GRIDFIND_NOCASE), 0);
    EXPECT_EQ(row, 1);
    EXPECT_STREQ(text, "abc");
}

TEST_F(MemoryStore, FindWrapsAroundAndEndsAfterOnePass) {
    Put(2, 1, "target");
    // Down the column from the last row: wraps to row 0 and on to row 1.
    int col = 2, row = 5;
    EXPECT_EQ(store_->FindNext("target", col, row, 0), 0);
    EXPECT_EQ(row, 1);
    // From the found cell the search goes round once and finds it again.
    EXPECT_EQ(store_->FindNext("target", col, row, 0), 0);
    EXPECT_EQ(row, 1);
    // Row by row from the cell after it, wrapping over the last cell to the first.
    col = 3;
    row = 1;
    EXPECT_EQ(store_->FindNext("target", col, row, GRIDFIND_BYROWS), 0);
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 1);
    // Upwards from row 0 wraps to the last row.
    col = 2;
    row = 0;
    EXPECT_EQ(store_->FindNext("target", col, row, GRIDFIND_BACKWARDS), 0);
    EXPECT_EQ(row, 1);
    // Nothing found: 1, and the position is left as it was.
    col = 0;
    row = 3;
    EXPECT_EQ(store_->FindNext("missing", col, row, GRIDFIND_BYROWS | GRIDFIND_BACKWARDS), 1);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 3);
}

TEST_F(MemoryStore, FindingInAnEmptyGridFindsNothing) {
    CGridWnd empty;
    CGridMemDataSource* store = static_cast<CGridMemDataSource*>(empty.GetDataSource(0));
    int col = 0, row = 0;
    EXPECT_EQ(store->FindFirst("x", col, row, 0), 1);
    EXPECT_EQ(store->FindFirst("x", col, row, GRIDFIND_BYROWS), 1);
}

TEST_F(MemoryStore, FindPrevFilledGivesTheNearestNonEmptyCellToTheLeft) {
    Put(0, 1, "a");
    Put(2, 1, "");
    Put(-1, 1, "heading");
    struct Case {
        int from, row, result, col;
    } cases[] = {
        {4, 1, 0, 0}, {1, 1, 0, 0}, {0, 1, 1, 0}, {9, 1, 0, 0}, {4, 2, 1, 4}, {4, 40, 1, 4},
    };
    for (const Case& c : cases) {
        int col = c.from;
        EXPECT_EQ(store_->FindPrevFilled(&col, c.row), c.result) << c.from << "," << c.row;
        EXPECT_EQ(col, c.col) << c.from << "," << c.row;
    }
    Put(3, 1, "b");
    int col = 4;
    EXPECT_EQ(store_->FindPrevFilled(&col, 1), 0);
    EXPECT_EQ(col, 3);
}

// --- sorting ------------------------------------------------------------------------------

class CCountingGrid : public CGridWnd {
public:
    int OnCompareCells(CGridCell* a, CGridCell* b, UINT flags) override {
        ++m_nCompares;
        if (m_nFixed != 2) return m_nFixed;
        return CGridWnd::OnCompareCells(a, b, flags);
    }
    long m_nCompares = 0;
    int m_nFixed = 2;  // 2: the grid's comparison
};

class Sorting : public ::testing::Test {
protected:
    void SetUp() override {
        grid_.SetColCount(3, FALSE);
        grid_.SetRowCount(6, FALSE);
        store_ = static_cast<CGridMemDataSource*>(grid_.GetDataSource(0));
    }
    void PutRow(int row, const CGridCell& key, LPCSTR name) {
        Store(*store_, 0, row, key);
        Store(*store_, 1, row, TextCell(name));
    }
    std::string Names(int rows) {
        std::string out;
        for (int r = 0; r < rows; ++r) out += (r ? "," : "") + Stored(*store_, 1, r);
        return out;
    }
    CCountingGrid grid_;
    CGridMemDataSource* store_ = nullptr;
};

TEST_F(Sorting, RowsSortByOneColumnBothWaysAndBySeveralColumns) {
    PutRow(0, NumberCell(10), "ten");
    PutRow(1, NumberCell(2), "two");
    PutRow(2, NumberCell(33), "thirty-three");
    PutRow(3, NumberCell(2), "two again");
    Store(*store_, -1, 0, TextCell("heading stays"));
    Store(*store_, 0, -1, TextCell("column heading stays"));
    EXPECT_EQ(store_->SortByColumn(0, 0), 0);
    EXPECT_EQ(Names(4), "two,two again,ten,thirty-three");
    EXPECT_EQ(Stored(*store_, 0, -1), "column heading stays");
    EXPECT_EQ(store_->SortByColumn(0, GRIDSORT_DESCENDING), 0);
    EXPECT_EQ(Names(4), "thirty-three,ten,two,two again");
    // Equal first keys are ordered by the second key.
    const int keys[] = {0, 1};
    EXPECT_EQ(store_->SortRows(keys, 2, GRIDSORT_DESCENDING), 0);
    EXPECT_EQ(Names(4), "thirty-three,ten,two again,two");
}

TEST_F(Sorting, CellsWithoutTextComeFirstAscendingAndLastDescending) {
    PutRow(0, TextCell("b"), "b");
    PutRow(1, CGridCell(), "no text");
    PutRow(2, TextCell("a"), "a");
    store_->SortByColumn(0, 0);
    EXPECT_EQ(Names(3), "no text,a,b");
    store_->SortByColumn(0, GRIDSORT_DESCENDING);
    EXPECT_EQ(Names(3), "b,a,no text");
}

TEST_F(Sorting, AComparisonThatFindsEverythingEqualLeavesTheOrder) {
    for (int r = 0; r < 5; ++r) PutRow(r, NumberCell(5 - r), std::to_string(r).c_str());
    grid_.m_nFixed = 0;
    EXPECT_EQ(store_->SortByColumn(0, 0), 0);
    EXPECT_EQ(Names(5), "0,1,2,3,4");
}

// Text "abc" against number "5" is greater both ways: exchanging neighbours until none
// exchanges would never end. The sort ends and keeps every row.
TEST_F(Sorting, AnInconsistentComparisonEndsAndKeepsEveryRow) {
    PutRow(0, TextCell("abc"), "text");
    PutRow(1, NumberCell(5), "number");
    PutRow(2, TextCell("abd"), "text 2");
    TextCell a("abc");
    NumberCell b(5);
    ASSERT_EQ(grid_.OnCompareCells(&a, &b, 0), 1);
    ASSERT_EQ(grid_.OnCompareCells(&b, &a, 0), 1);
    EXPECT_EQ(store_->SortByColumn(0, 0), 0);
    std::string names = Names(3);
    for (const char* name : {"text", "number", "text 2"})
        EXPECT_NE(names.find(name), std::string::npos) << names;
    grid_.m_nFixed = 1;  // always greater
    EXPECT_EQ(store_->SortByColumn(0, 0), 0);
    EXPECT_EQ(Names(3).size(), names.size());
}

TEST_F(Sorting, ThousandsOfRowsTakeAboutNLogNComparisons) {
    const int rows = 4000;
    grid_.SetRowCount(rows, FALSE);
    for (int r = 0; r < rows; ++r) Store(*store_, 0, r, NumberCell((r * 7919) % rows));
    grid_.m_nCompares = 0;
    EXPECT_EQ(store_->SortByColumn(0, 0), 0);
    EXPECT_LE(grid_.m_nCompares, 4000L * 12);
    for (int r = 1; r < rows; ++r) {
        CGridCell above, below;
        store_->GetCell(0, r - 1, &above);
        store_->GetCell(0, r, &below);
        ASSERT_LE(above.GetNumber(), below.GetNumber()) << r;
    }
}

TEST_F(Sorting, FewerThanTwoRowsAndNoGridChangeNothing) {
    PutRow(0, TextCell("z"), "only");
    EXPECT_EQ(store_->SortByColumn(0, 0), 0);
    EXPECT_EQ(Names(1), "only");
    CGridMemDataSource alone;
    EXPECT_EQ(alone.SortByColumn(0, 0), 1);
}

// --- the grid's comparison ----------------------------------------------------------------

TEST(GridCompareCells, TheDefaultComparisonByTheFirstCellsDataType) {
    CGridWnd grid;
    CGridCell none;
    TextCell text_a("a"), text_b("b"), text_5("5");
    NumberCell one(1.0), two(2.0);
    CGridCell one_again;
    one_again.SetText("1");
    one_again.SetDataType(GRIDDATA_NUMBER);
    CGridCell truth;
    truth.SetBool(true);
    CGridCell type5;
    type5.SetText("7");
    type5.SetDataType(5);
    struct Case {
        CGridCell *a, *b;
        UINT flags;
        int result;
    } cases[] = {
        {NULL, NULL, 0, 0},       {NULL, &text_a, 0, -1},
        {&text_a, NULL, 0, 1},    {&text_a, NULL, GRIDSORT_DESCENDING, -1},
        {&none, &text_a, 0, -1},  {&none, &none, 0, 0},
        {&text_a, &none, 0, 1},   {&text_a, &text_b, 0, -1},
        {&text_b, &text_a, 0, 1}, {&text_a, &text_b, GRIDSORT_DESCENDING, 1},
        {&one, &one_again, 0, 0}, {&one, &two, 0, -1},
        {&two, &none, 0, 1},      {&truth, &one, 0, 0},
        {&type5, &two, 0, 1},     {&text_5, &one, 0, 1},
        {&one, &text_5, 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(grid.OnCompareCells(c.a, c.b, c.flags), c.result)
            << (c.a != NULL && c.a->GetText() ? c.a->GetText() : "null") << " vs "
            << (c.b != NULL && c.b->GetText() ? c.b->GetText() : "null") << " flags " << c.flags;
}

}  // namespace
