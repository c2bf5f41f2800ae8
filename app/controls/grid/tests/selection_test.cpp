// The grid's multiple selection driven by real mouse and key messages with their modifier
// flags, copying and pasting ranges, and finding, replacing and sorting through the real
// modeless find dialog.
#include "grid.h"
#include "gridtestkit.h"
#include "recordinggrid.h"

#include <dlgs.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using ::testing::ElementsAre;

namespace {

const int kGridId = 81;

LPARAM At(const CPoint& pt) { return MAKELPARAM(pt.x, pt.y); }

// A cell type that keeps, per cell, the selection value it was last drawn with (-1 for the
// cursor cell, drawn as current).
class CDrawRecorder : public CGridCellType {
public:
    int OnDraw(CDC* pDC, CRect* pRect, int nCol, int nRow, CGridCell* pCell, int nSelected,
               int bCurrent) override {
        drawn[{nCol, nRow}] = bCurrent ? -1 : nSelected;
        return CGridCellType::OnDraw(pDC, pRect, nCol, nRow, pCell, nSelected, bCurrent);
    }
    std::map<std::pair<int, int>, int> drawn;
};

// The texts of the message boxes shown while it lives.
class BoxRecorder {
public:
    BoxRecorder() { AfxSetMessageBoxHook(Record, this); }
    ~BoxRecorder() { AfxSetMessageBoxHook(nullptr, nullptr); }
    std::vector<std::string> texts;

private:
    static int Record(LPCSTR text, UINT, UINT, void* context) {
        static_cast<BoxRecorder*>(context)->texts.push_back(text);
        return IDOK;
    }
};

class Selection : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host_.Create("grid selection", 640, 480)); }
    void TearDown() override {
        grid_.reset();
        host_.DestroyWindow();
        PumpMessages();
    }
    // Columns of 60 and rows of 20, multiple selection on; every cell drawn by the recorder.
    void CreateGrid(int nCols, int nRows) {
        grid_.reset(new CRecordingGrid);
        ASSERT_TRUE(grid_->Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 600, 400), &host_, kGridId));
        grid_->SetColCount(nCols);
        grid_->SetRowCount(nRows);
        grid_->SetDefaultColumnWidth(60);
        for (int c = 0; c < nCols; ++c) grid_->SetColumnWidth(c, 60);
        const int nType = grid_->RegisterCellType(&recorder_);
        CGridCell cell;
        cell.SetCellType(nType);
        for (int c = 0; c < nCols; ++c) grid_->SetColumnDefaultCell(c, cell);
        grid_->EnableMultiSelect(TRUE);
        grid_->LayoutChildWindows();
        PumpMessages();
        grid_->IgnorePainting();
        grid_->Clear();
    }
    CWnd* Cells() { return grid_->GetCellArea(); }
    CPoint Centre(int nCol, int nRow) {
        CRect rc;
        grid_->GetCellRect(nCol, nRow, rc);
        return rc.CenterPoint();
    }
    // A click with the given key flags (MK_SHIFT, MK_CONTROL) on a cell.
    void Click(int nCol, int nRow, UINT nKeys = 0, bool bRight = false) {
        const CPoint pt = Centre(nCol, nRow);
        Cells()->SendMessage(bRight ? WM_RBUTTONDOWN : WM_LBUTTONDOWN,
                             (bRight ? MK_RBUTTON : MK_LBUTTON) | nKeys, At(pt));
        Cells()->SendMessage(bRight ? WM_RBUTTONUP : WM_LBUTTONUP, nKeys, At(pt));
        PumpMessages();
    }
    CGridSelection* Sel() { return grid_->GetSettings()->m_pSelection; }
    std::vector<int> Bounds() {
        int l = -9, t = -9, r = -9, b = -9;
        Sel()->GetBoundingRange(&l, &t, &r, &b);
        return {l, t, r, b};
    }
    // The cells of the range drawn since the last Forget, with the value they were drawn with.
    void Forget() { recorder_.drawn.clear(); }
    int DrawnWith(int nCol, int nRow) {
        auto it = recorder_.drawn.find({nCol, nRow});
        return it == recorder_.drawn.end() ? -99 : it->second;
    }
    std::string Cell(int nCol, int nRow) {
        LPCSTR p = grid_->GetCellText(nCol, nRow);
        return p != NULL ? p : "";
    }

    CHostWnd host_;
    CDrawRecorder recorder_;
    std::unique_ptr<CRecordingGrid> grid_;
};

// --- blocks -----------------------------------------------------------------------------------

TEST_F(Selection, ClickShiftClickMakesOneBlockPaintedAsSelectedAndCtrlClickAddsASecond) {
    CreateGrid(8, 10);
    Click(2, 3);
    Forget();
    Click(5, 1, MK_SHIFT);
    EXPECT_EQ(Sel()->GetBlockCount(), 1);
    EXPECT_EQ(Bounds(), std::vector<int>({2, 1, 5, 3}));
    EXPECT_EQ(grid_->GetCursorCol(), 5);
    EXPECT_EQ(grid_->GetCursorRow(), 1);
    // The whole block was repainted: selected cells with value 1, the cursor cell current.
    for (int r = 1; r <= 3; ++r)
        for (int c = 2; c <= 5; ++c) {
            SCOPED_TRACE(testing::Message() << c << "," << r);
            EXPECT_EQ(DrawnWith(c, r), c == 5 && r == 1 ? -1 : 1);
        }
    EXPECT_EQ(DrawnWith(6, 2), -99) << "nothing outside the block was painted";

    Forget();
    Click(7, 6, MK_CONTROL);
    EXPECT_EQ(Sel()->GetBlockCount(), 2);
    int nIndex = -1;
    EXPECT_EQ(Sel()->IsSelected(7, 6, &nIndex), 1);
    EXPECT_EQ(nIndex, 1);
    Click(0, 0, MK_CONTROL);
    Forget();
    grid_->RepaintAll();
    PumpMessages();
    EXPECT_EQ(DrawnWith(7, 6), 2) << "a cell of the second block draws with selection value 2";
    EXPECT_EQ(DrawnWith(3, 2), 1);
    EXPECT_EQ(DrawnWith(1, 1), 0);

    // A right click inside the selection keeps every block; outside it leaves one cell.
    Click(4, 2, 0, true);
    EXPECT_EQ(Sel()->GetBlockCount(), 3);
    Click(1, 8, 0, true);
    EXPECT_EQ(Sel()->GetBlockCount(), 1);
    EXPECT_EQ(Bounds(), std::vector<int>({1, 8, 1, 8}));
    // A plain click starts over.
    Click(3, 3);
    EXPECT_EQ(Bounds(), std::vector<int>({3, 3, 3, 3}));
}

TEST_F(Selection, ARefusedMoveLeavesTheSelectionAsItWas) {
    CreateGrid(6, 6);
    Click(1, 1);
    Click(3, 2, MK_SHIFT);
    grid_->Refuse("OnCursorMoving");
    Click(5, 5);
    Click(4, 4, MK_CONTROL);
    grid_->ResetAnswers();
    EXPECT_EQ(Bounds(), std::vector<int>({1, 1, 3, 2}));
    EXPECT_EQ(Sel()->GetBlockCount(), 1);
    EXPECT_EQ(grid_->GetCursorCol(), 3);
}

TEST_F(Selection, ADragExtendsTheBlockAndReturningToTheClickedCellKeepsItsExtent) {
    CreateGrid(8, 10);
    // Posted, as the mouse sends them: the drag loop runs until the next one is waiting.
    const CPoint start = Centre(1, 1);
    Cells()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(start));
    Cells()->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, At(Centre(3, 4)));
    Cells()->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, At(start));
    Cells()->PostMessage(WM_LBUTTONUP, 0, At(start));
    PumpMessages();
    EXPECT_EQ(Bounds(), std::vector<int>({1, 1, 3, 4}));
    EXPECT_EQ(Sel()->GetBlockCount(), 1);
}

TEST_F(Selection, ShiftWithArrowKeysExtendsAndAPlainKeyMoveStartsAgain) {
    CreateGrid(6, 6);
    grid_->GotoCell(1, 1);
    {
        KeyHeld shift(VK_SHIFT);
        Cells()->SendMessage(WM_KEYDOWN, VK_DOWN, 1);
        Cells()->SendMessage(WM_KEYDOWN, VK_RIGHT, 1);
    }
    EXPECT_EQ(Bounds(), std::vector<int>({1, 1, 2, 2}));
    Cells()->SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(Bounds(), std::vector<int>({2, 3, 2, 3}));
    {
        KeyHeld ctrl(VK_CONTROL);
        Cells()->SendMessage(WM_KEYDOWN, VK_RIGHT, 1);
    }
    EXPECT_EQ(Sel()->GetBlockCount(), 2) << "Ctrl keeps the earlier blocks";
}

TEST(SelectionObject, OverlapsAnIteratorAndAnEmptySelection) {
    CGridSelection sel;
    sel.SetMode(GRIDSEL_CELLS);
    int nCol = -1, nRow = -1;
    // Empty: the cursor cell (none without a grid), then the end.
    EXPECT_EQ(sel.GetFirstSelected(&nCol, &nRow), 0);
    EXPECT_EQ(sel.GetNextSelected(&nCol, &nRow), 1);
    EXPECT_EQ(sel.GetAnchor(&nCol, &nRow), 1);
    EXPECT_EQ(sel.ExtendBlock(1, 1), 1) << "no block is open";

    sel.BeginBlock(1, 1);
    sel.ExtendBlock(3, 2);
    sel.BeginBlock(2, 2);
    sel.ExtendBlock(4, 3);
    int nIndex = -1;
    EXPECT_EQ(sel.IsSelected(3, 2, &nIndex), 1);
    EXPECT_EQ(nIndex, 1) << "the later block decides";
    sel.SetMode(GRIDSEL_CELLS | GRIDSEL_FIRSTWINS);
    EXPECT_EQ(sel.GetBlockCount(), 0) << "changing the mode clears";
    sel.BeginBlock(1, 1);
    sel.ExtendBlock(3, 2);
    sel.BeginBlock(2, 2);
    sel.ExtendBlock(4, 3);
    EXPECT_EQ(sel.IsSelected(3, 2, &nIndex), 1);
    EXPECT_EQ(nIndex, 0) << "the first block decides";
    EXPECT_EQ(sel.GetAnchor(&nCol, &nRow), 0);
    EXPECT_EQ(nCol * 10 + nRow, 22);
    int l, t, r, b;
    EXPECT_EQ(sel.GetCurrentBlock(&l, &t, &r, &b), 0);
    EXPECT_EQ(std::vector<int>({l, t, r, b}), std::vector<int>({2, 2, 4, 3}));

    // Row by row, each selected cell once.
    std::vector<std::pair<int, int>> cells;
    for (int n = sel.GetFirstSelected(&nCol, &nRow); n == 0; n = sel.GetNextSelected(&nCol, &nRow))
        cells.push_back({nCol, nRow});
    EXPECT_THAT(cells, ElementsAre(std::make_pair(1, 1), std::make_pair(2, 1), std::make_pair(3, 1),
                                   std::make_pair(1, 2), std::make_pair(2, 2), std::make_pair(3, 2),
                                   std::make_pair(4, 2), std::make_pair(2, 3), std::make_pair(3, 3),
                                   std::make_pair(4, 3)));
}

TEST_F(Selection, WholeRowBlocksEndAtTheLastColumnSoACutStoresNothingBeyondIt) {
    CreateGrid(4, 5);
    grid_->SetWholeRowSelection(TRUE);
    grid_->EnableMultiSelect(TRUE);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) grid_->SetCellText(c, r, "x");
    Click(1, 1);
    Click(2, 2, MK_SHIFT);
    EXPECT_EQ(Bounds(), std::vector<int>({0, 1, 3, 2}));
    EXPECT_EQ(grid_->CutSelection(), 0);
    CString text;
    ASSERT_EQ(grid_->GetClipboardText(text), 0);
    EXPECT_EQ(std::string(text), "x\tx\tx\tx\nx\tx\tx\tx");
    CGridMemDataSource* pSource = grid_->GetSettings()->m_pMemDataSource;
    for (int r = 1; r <= 2; ++r) {
        CGridCell cell;
        EXPECT_NE(pSource->GetCell(4, r, &cell), 0) << "no cell was made beyond the columns";
        EXPECT_EQ(Cell(3, r), "");
    }
    EXPECT_EQ(Cell(3, 3), "x");
}

TEST_F(Selection, CopyingARangeGivesTabsAndLineFeedsAndAPasteSelectsItsRange) {
    CreateGrid(5, 5);
    grid_->SetCellText(1, 1, "a");
    grid_->SetCellText(2, 1, "b");
    grid_->SetCellText(1, 2, "c");
    grid_->SetCellText(2, 2, "d");
    Click(1, 1);
    Click(2, 2, MK_SHIFT);
    EXPECT_EQ(grid_->CopySelection(), 0);
    CString text;
    ASSERT_EQ(grid_->GetClipboardText(text), 0);
    EXPECT_EQ(std::string(text), "a\tb\nc\td");

    grid_->GotoCell(2, 3);
    EXPECT_EQ(grid_->Paste(), 0);
    EXPECT_EQ(Cell(3, 4), "d");
    EXPECT_EQ(Bounds(), std::vector<int>({2, 3, 3, 4}));
}

// --- find, replace, sort ----------------------------------------------------------------------

class Find : public Selection {
protected:
    void TearDown() override {
        if (Dialog() != NULL) ::DestroyWindow(Dialog());
        PumpMessages();
        Selection::TearDown();
    }
    HWND Dialog() {
        CFindReplaceDialog* p = grid_ != nullptr ? grid_->GetFindDialog() : NULL;
        return p != NULL ? p->m_hWnd : NULL;
    }
    void SetText(int nId, const char* text) { ::SetDlgItemTextA(Dialog(), nId, text); }
    void Check(int nId, bool bOn) {
        ::SendDlgItemMessageA(Dialog(), nId, BM_SETCHECK, bOn ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    void Press(int nId) {
        ::SendMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED),
                       (LPARAM)::GetDlgItem(Dialog(), nId));
        PumpMessages();
    }
    // A column of texts in column 0, the rest empty.
    void Fill(const std::vector<std::string>& texts) {
        for (size_t i = 0; i < texts.size(); ++i) grid_->SetCellText(0, (int)i, texts[i].c_str());
    }
    std::vector<std::string> Column(int nCol, int nRows) {
        std::vector<std::string> out;
        for (int r = 0; r < nRows; ++r) out.push_back(Cell(nCol, r));
        return out;
    }
};

TEST_F(Find, TheDialogOpensOnceWithTheEntireCellBoxAndReportsItemNotFound) {
    CreateGrid(3, 5);
    Fill({"one", "two", "three"});
    grid_->SetCellText(2, 4, "elsewhere");
    grid_->GotoCell(0, 0);
    EXPECT_EQ(grid_->ShowFindDialog(), 0);
    ASSERT_NE(Dialog(), (HWND)NULL);
    const HWND hFirst = Dialog();
    EXPECT_EQ(grid_->ShowFindDialog(), 1);
    EXPECT_EQ(grid_->ShowReplaceDialog(), 1);
    EXPECT_EQ(Dialog(), hFirst) << "one dialog stays";
    EXPECT_TRUE(grid_->IsFindDialogOpen());
    char text[64] = "";
    ::GetDlgItemTextA(Dialog(), chx1, text, sizeof text);
    EXPECT_STREQ(text, "Match &entire cell text");

    BoxRecorder boxes;
    SetText(edt1, "THREE");
    Press(IDOK);
    EXPECT_EQ(grid_->GetCursorRow(), 2) << "case is ignored while the match-case box is off";
    // Another column is searched only with all columns on.
    SetText(edt1, "elsewhere");
    Press(IDOK);
    EXPECT_THAT(boxes.texts, ElementsAre("Item not found"));
    grid_->SetFindAllColumns(TRUE);
    Press(IDOK);
    EXPECT_EQ(grid_->GetCursorCol(), 2);
    EXPECT_EQ(grid_->GetCursorRow(), 4);
    EXPECT_EQ(boxes.texts.size(), 1u);

    // Closing the dialog lets a new one open.
    Press(IDCANCEL);
    EXPECT_FALSE(grid_->IsFindDialogOpen());
    EXPECT_EQ(Dialog(), (HWND)NULL);
    EXPECT_EQ(grid_->ShowReplaceDialog(), 0);
}

TEST_F(Find, ReplaceWritesTheWholeCursorCellHoldingTheTextAndGoesOn) {
    CreateGrid(2, 4);
    Fill({"start", "a cat here", "x", "cat"});
    grid_->GotoCell(0, 0);
    ASSERT_EQ(grid_->ShowReplaceDialog(), 0);
    SetText(edt1, "cat");
    SetText(edt2, "dog");
    // Pressed before any Find, on a cell without the text: it only finds.
    Press(psh1);
    EXPECT_EQ(Cell(0, 0), "start");
    EXPECT_EQ(grid_->GetCursorRow(), 1);
    Press(psh1);
    EXPECT_EQ(Cell(0, 1), "dog") << "the whole text, not the matching part";
    EXPECT_EQ(grid_->GetCursorRow(), 3) << "then on to the next match";
}

TEST_F(Find, ReplaceAllEndsWhateverTheReplacementAndTheCaseRule) {
    struct Case {
        const char* what;
        const char* with;
        bool matchCase, wholeCell;
        std::vector<std::string> after;
    } cases[] = {
        // Found again in another case: nothing is replaced rather than looping.
        {"abc", "ABC", false, false, {"abc", "xabcx", "q", "ABC"}},
        {"abc", "ABC", false, true, {"abc", "xabcx", "q", "ABC"}},
        {"abc", "xABCx", false, false, {"abc", "xabcx", "q", "ABC"}},
        // Whole cells only: the longer text holding the search text replaces exact cells.
        {"abc", "xabcx", true, true, {"xabcx", "xabcx", "q", "ABC"}},
        {"abc", "xabcx", false, true, {"xabcx", "xabcx", "q", "xabcx"}},
        {"abc", "Z", true, false, {"Z", "Z", "q", "ABC"}},
        {"abc", "Z", false, false, {"Z", "Z", "q", "Z"}},
    };
    CreateGrid(2, 4);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " -> " + c.with);
        Fill({"abc", "xabcx", "q", "ABC"});
        grid_->GotoCell(0, 2);
        if (Dialog() == NULL) { ASSERT_EQ(grid_->ShowReplaceDialog(), 0); }
        SetText(edt1, c.what);
        SetText(edt2, c.with);
        Check(chx1, c.wholeCell);
        Check(chx2, c.matchCase);
        BoxRecorder boxes;
        Press(psh2);
        EXPECT_EQ(Column(0, 4), c.after);
        EXPECT_TRUE(boxes.texts.empty());
    }
}

TEST_F(Find, ReplaceAllStopsWhenTheCursorMayNotMoveAndWritesNoOtherCell) {
    CreateGrid(2, 4);
    Fill({"keep", "abc", "x", "abc"});
    grid_->GotoCell(0, 0);
    ASSERT_EQ(grid_->ShowReplaceDialog(), 0);
    SetText(edt1, "abc");
    SetText(edt2, "Z");
    grid_->Refuse("OnCursorMoving");
    Press(psh2);
    EXPECT_EQ(Column(0, 4), std::vector<std::string>({"keep", "abc", "x", "abc"}));
    grid_->ResetAnswers();
}

TEST_F(Find, TheDirectionBoxesSearchDownOrUp) {
    CreateGrid(2, 5);
    Fill({"one", "two", "three", "one again"});
    ASSERT_EQ(grid_->ShowFindDialog(), 0);
    SetText(edt1, "one");
    struct Case {
        bool up;
        int row;
    } cases[] = {{false, 3}, {true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.up ? "up" : "down");
        grid_->GotoCell(0, 1);
        Check(rad1, c.up);
        Check(rad2, !c.up);
        Press(IDOK);
        EXPECT_EQ(grid_->GetCursorRow(), c.row);
    }
}

TEST_F(Find, AfterAColumnMoveTheFoundCellIsTheOneTheGridShows) {
    CreateGrid(3, 3);
    grid_->SetCellText(0, 1, "needle");
    grid_->SetCellText(2, 1, "other");
    ASSERT_EQ(grid_->MoveColumn(0, 2, FALSE), 0);  // the needle's column is now the last
    ASSERT_EQ(Cell(2, 1), "needle");
    grid_->SetFindAllColumns(TRUE);
    grid_->GotoCell(0, 0);
    ASSERT_EQ(grid_->ShowReplaceDialog(), 0);
    SetText(edt1, "needle");
    SetText(edt2, "thread");
    Press(IDOK);
    EXPECT_EQ(grid_->GetCursorCol(), 2);
    EXPECT_EQ(grid_->GetCursorRow(), 1);
    grid_->GotoCell(0, 0);
    Press(psh2);
    EXPECT_EQ(Cell(2, 1), "thread");
    EXPECT_EQ(Cell(1, 1), "other") << "the cell the source numbers so is left alone";
}

TEST_F(Find, SortsByOneAndSeveralColumnsInBothDirections) {
    CreateGrid(2, 5);
    const char* rows[5][2] = {{"b", "2"}, {"a", "9"}, {"b", "1"}, {"c", "5"}, {"a", "3"}};
    auto fill = [&] {
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 2; ++c) grid_->SetCellText(c, r, rows[r][c]);
    };
    auto pairs = [&] {
        std::vector<std::string> out;
        for (int r = 0; r < 5; ++r) out.push_back(Cell(0, r) + Cell(1, r));
        return out;
    };
    fill();
    EXPECT_EQ(grid_->SortByColumn(1, 0), 0);
    EXPECT_EQ(pairs(), std::vector<std::string>({"b1", "b2", "a3", "c5", "a9"}));
    EXPECT_EQ(grid_->SortByColumn(1, GRIDSORT_DESCENDING), 0);
    EXPECT_EQ(pairs(), std::vector<std::string>({"a9", "c5", "a3", "b2", "b1"}));
    fill();
    int cols[2] = {0, 1};
    EXPECT_EQ(grid_->SortByColumns(cols, 2, 0), 0);
    EXPECT_EQ(pairs(), std::vector<std::string>({"a3", "a9", "b1", "b2", "c5"}));
    int colsDown[2] = {0, 1};
    EXPECT_EQ(grid_->SortByColumns(colsDown, 2, GRIDSORT_DESCENDING), 0);
    EXPECT_EQ(pairs(), std::vector<std::string>({"c5", "b2", "b1", "a9", "a3"}));
}

}  // namespace
