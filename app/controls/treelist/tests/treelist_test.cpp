// The tree part of the tree-list control in a real frame: column texts, the order of rows,
// the records' lives, painting economy, drawing of the rows and the operations of a worker
// thread.
#include "tltest.h"

#include <atomic>
#include <string>
#include <vector>

using namespace tltest;

namespace {

const char kSep = '\xB6';

class TreeList : public ::testing::Test {
protected:
    void SetUp() override {
        baseline_ = TLLiveItemRecords();
        ASSERT_TRUE(owner_.CreateOwner());
        frame_ = MakeFrame(owner_, FrameKind::Created, 420, 260);
        ASSERT_NE(frame_, nullptr);
        tree_ = &frame_->GetTreeCtrl();
    }
    void TearDown() override {
        frame_.reset();
        owner_.DestroyWindow();
        Pump();
        EXPECT_EQ(TLLiveItemRecords(), baseline_) << "records left after the frame ended";
        CWnd::DeleteTempMap();
    }

    void Columns(std::initializer_list<int> widths) {
        int c = 0;
        for (int width : widths) {
            ASSERT_EQ(tree_->InsertColumn(c, ("Column " + std::to_string(c)).c_str(), 0, width), c);
            c++;
        }
    }

    std::vector<std::string> Texts(HTREEITEM hItem, int nColumns) {
        std::vector<std::string> texts;
        for (int c = 0; c < nColumns; c++) texts.push_back((LPCSTR)tree_->GetItemText(hItem, c));
        return texts;
    }

    std::vector<std::string> TopLevel() {
        std::vector<std::string> texts;
        for (HTREEITEM h = tree_->GetRootItem(); h != NULL; h = tree_->GetNextSiblingItem(h))
            texts.push_back((LPCSTR)tree_->GetItemText(h, 0));
        return texts;
    }

    bool HasUpdateRegion() { return GetUpdateRect(tree_->m_hWnd, NULL, FALSE) != FALSE; }

    long baseline_ = 0;
    COwnerWnd owner_;
    std::unique_ptr<CTLFrame> frame_;
    CTLTreeCtrl* tree_ = nullptr;
};

// --- column texts --------------------------------------------------------------------------

struct TextCase {
    const char* name;
    std::function<void(CTLTreeCtrl&, HTREEITEM)> steps;
    std::vector<std::string> columns;  // read back from column 0 on
};

TEST_F(TreeList, ColumnTextsSitBetweenTheSeparators) {
    Columns({100, 100, 100});
    const TextCase cases[] = {
        {"column 3 of a one-column item appends separators",
         [](CTLTreeCtrl& t, HTREEITEM h) { EXPECT_TRUE(t.SetItemText(h, 3, "d")); },
         {"first", "", "", "d", ""}},
        {"column 1 after an empty column 0 keeps both neighbours",
         [](CTLTreeCtrl& t, HTREEITEM h) {
             t.SetItemText(h, 0, "");
             t.SetItemText(h, 2, "z");
             EXPECT_TRUE(t.SetItemText(h, 1, "y"));
         },
         {"", "y", "z"}},
        {"a longer and a shorter text replace only their own column",
         [](CTLTreeCtrl& t, HTREEITEM h) {
             t.SetItemText(h, 1, "b");
             t.SetItemText(h, 2, "c");
             t.SetItemText(h, 1, "a much longer text");
             t.SetItemText(h, 0, "");
         },
         {"", "a much longer text", "c"}},
        {"a separator inside a text stays in its column",
         [](CTLTreeCtrl& t, HTREEITEM h) {
             t.SetItemText(h, 2, "c");
             EXPECT_TRUE(t.SetItemText(h, 1, std::string("x").append(1, kSep).append("y").c_str()));
             EXPECT_TRUE(t.SetItemText(h, 1, std::string("x").append(1, kSep).append("y").c_str()))
                 << "the same text again is no change";
         },
         {"first", "x y", "c"}},
        {"a negative column is refused",
         [](CTLTreeCtrl& t, HTREEITEM h) { EXPECT_FALSE(t.SetItemText(h, -1, "x")); },
         {"first", ""}},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        HTREEITEM hItem = tree_->InsertItem("first");
        ASSERT_NE(hItem, nullptr);
        c.steps(*tree_, hItem);
        EXPECT_EQ(Texts(hItem, (int)c.columns.size()), c.columns);
    }
}

TEST_F(TreeList, DeletingAColumnKeepsTheNumbersOfLaterColumns) {
    Columns({100, 100, 100});
    HTREEITEM hGroup = tree_->InsertItem("group");
    HTREEITEM hRow = tree_->InsertItem("row", hGroup);
    for (HTREEITEM h : {hGroup, hRow}) {
        tree_->SetItemText(h, 1, "one");
        tree_->SetItemText(h, 2, "two");
    }
    EXPECT_TRUE(tree_->DeleteColumn(1));
    EXPECT_EQ(tree_->GetColumnCount(), 2);
    EXPECT_EQ(tree_->GetHeaderCtrl().GetItemCount(), 2);
    EXPECT_EQ(tree_->GetTotalColumnWidth(), 200);
    for (HTREEITEM h : {hGroup, hRow}) EXPECT_EQ(Texts(h, 3)[1], "") << "the column is emptied";
    EXPECT_EQ(Texts(hRow, 3), (std::vector<std::string>{"row", "", "two"}));
    // No such column: nothing removed, the texts stay.
    EXPECT_FALSE(tree_->DeleteColumn(5));
    EXPECT_EQ(tree_->GetColumnCount(), 2);
    EXPECT_EQ(Texts(hRow, 3), (std::vector<std::string>{"row", "", "two"}));
    // From an item on: that row (and what follows it) only, the header keeps its columns.
    EXPECT_FALSE(tree_->DeleteColumn(2, hRow));
    EXPECT_EQ(Texts(hRow, 3)[2], "");
    EXPECT_EQ(Texts(hGroup, 3)[2], "two");
    EXPECT_EQ(tree_->GetHeaderCtrl().GetItemCount(), 2);
    // The owner's way to clear the header: column 0 until none is left.
    while (tree_->DeleteColumn(0)) {}
    EXPECT_EQ(tree_->GetColumnCount(), 0);
    EXPECT_EQ(tree_->GetTotalColumnWidth(), 0);
}

TEST_F(TreeList, AnItemWithoutARecordIsLeftAlone) {
    Columns({100, 100});
    // Made through the tree-view itself: no record.
    HTREEITEM hBare = tree_->CTreeCtrl::InsertItem("bare");
    ASSERT_NE(hBare, nullptr);
    EXPECT_FALSE(tree_->SetItemText(hBare, 1, "x"));
    EXPECT_EQ(tree_->GetItemText(hBare, 0), "");
    EXPECT_FALSE(tree_->SetItemUserValue(hBare, 7));
    EXPECT_EQ(tree_->GetItemUserValue(hBare), 0u);
    EXPECT_FALSE(tree_->SetItemMark(hBare, RGB(255, 0, 0), TRUE));
    EXPECT_FALSE(tree_->SetItemBold(hBare, TRUE, TRUE));
    EXPECT_FALSE(tree_->DeleteItem(hBare));
    EXPECT_EQ(tree_->GetCount(), 1u) << "the item stays";
    EXPECT_EQ(tree_->GetItemText(NULL, 0), "");
    EXPECT_EQ(tree_->GetItemTextByIndex(3, 0), "") << "no fourth top-level item";
    // Its row is painted without texts.
    emf::File row = DrawRow(*tree_, hBare);
    EXPECT_TRUE(DrawnTexts(row).empty());
}

TEST_F(TreeList, UserValuesMarksAndIndexesBelongToTheirRows) {
    Columns({100, 100});
    int objects[3];
    HTREEITEM items[3];
    for (int i = 0; i < 3; i++) {
        items[i] = tree_->InsertItem(("row " + std::to_string(i)).c_str());
        EXPECT_TRUE(tree_->SetItemUserValue(items[i], (DWORD_PTR)&objects[i]));
    }
    // Pointers keep all their bits: the owner stores its objects' addresses.
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(tree_->GetItemUserValue(items[i]), (DWORD_PTR)&objects[i]);
    EXPECT_EQ(tree_->GetItemByIndex(2), items[2]);
    EXPECT_EQ(tree_->GetItemByIndex(3), nullptr);
    EXPECT_EQ(tree_->GetItemByIndex(-1), nullptr);
    EXPECT_EQ(tree_->GetItemIndex(items[1]), 1);
    HTREEITEM hChild = tree_->InsertItem("child", items[0]);
    EXPECT_EQ(tree_->GetItemIndex(hChild), 3) << "not a top-level item: the count";
    EXPECT_EQ(tree_->GetItemTextByIndex(1, 0), "row 1");
    EXPECT_TRUE(tree_->DeleteItemByIndex(1));
    EXPECT_EQ(tree_->GetItemTextByIndex(1, 0), "row 2");
    EXPECT_TRUE(tree_->SetItemMark(items[0], RGB(255, 0, 0), FALSE));
    EXPECT_TRUE(tree_->SetItemMark(items[0], RGB(255, 0, 0), FALSE)) << "unchanged";
    EXPECT_EQ(((CTLItemData*)tree_->GetItemData(items[0]))->m_crText, RGB(255, 0, 0));
    EXPECT_EQ(((CTLItemData*)tree_->GetItemData(items[2]))->m_crText,
              GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_TRUE(tree_->IsItemExpanded(TVI_ROOT));
    EXPECT_FALSE(tree_->IsItemExpanded(NULL));
    EXPECT_FALSE(tree_->IsItemExpanded(items[0]));
    tree_->ExpandItem(items[0], 1);
    EXPECT_TRUE(tree_->IsItemExpanded(items[0]));
    tree_->ExpandItem(items[0], 0);
    EXPECT_FALSE(tree_->IsItemExpanded(items[0]));
    tree_->ExpandItem(NULL, 1);  // ignored
}

TEST_F(TreeList, ColumnsFromAStringAreLeftAlignedAndWide) {
    // String 1 of the test program: "Parameter group,Cur. value,Parameter set".
    tree_->InsertColumnsFromString(1);
    ASSERT_EQ(tree_->GetColumnCount(), 3);
    EXPECT_EQ(tree_->GetTotalColumnWidth(), 750);
    char title[64] = "";
    HDITEMA hd = {};
    hd.mask = HDI_TEXT | HDI_FORMAT;
    hd.pszText = title;
    hd.cchTextMax = sizeof title;
    ASSERT_TRUE(tree_->GetHeaderCtrl().GetItem(1, &hd));
    EXPECT_STREQ(title, "Cur. value");
    EXPECT_TRUE(hd.fmt & HDF_OWNERDRAW);
    EXPECT_EQ(tree_->GetColumnAlign(1), 0);
    EXPECT_TRUE(tree_->GetStyle() & TVS_EDITLABELS);
    EXPECT_EQ(tree_->GetHeaderCtrl().GetItemImage(0), 0) << "the first column shows the order";
    EXPECT_EQ(tree_->GetHeaderCtrl().GetItemImage(1), -1);
    // Alignments and the header's own width.
    EXPECT_EQ(tree_->InsertColumn(3, "right", 1, 40), 3);
    EXPECT_EQ(tree_->InsertColumn(4, "centre", 2, 40, 4), 4);
    EXPECT_EQ(tree_->GetColumnAlign(3), 1);
    EXPECT_EQ(tree_->GetColumnAlign(4), 2);
    EXPECT_EQ(tree_->GetColumnWidth(9), 0);
    EXPECT_EQ(tree_->GetTotalColumnWidth(), 830);
}

// --- order ---------------------------------------------------------------------------------

struct OrderCase {
    const char* first;
    const char* second;
    BOOL ascending;
    int expected;
};

TEST(TreeListOrder, TextsCompareByTheNumberAfterTheSameLetters) {
    const OrderCase cases[] = {
        {"Item 9", "Item 10", TRUE, -1},  // the number, not the characters
        {"Item 10", "Item 9", TRUE, 1},
        {"Item 10", "Item 10", TRUE, 0},
        {"abc", "ABC", TRUE, 0},          // letter case does not count
        {"Item 10", "item 10", TRUE, 0},  // other letters: compared as texts
        {"Beta 1", "alpha 2", TRUE, 1},   // other letters: not by the number
        {"abc", "abd", TRUE, -1},         // no digits
        {"", "a", TRUE, -1},
        {"x007", "x7", TRUE, -1},                     // the same number: compared as texts
        {"n99999999999", "n100000000000", TRUE, -1},  // beyond a 32-bit number
        {"Item", "Item 1", TRUE, -1},                 // no digits read as 0
        {"Item 9", "Item 10", FALSE, 1},              // descending reverses
        {"Item 10", "Item 9", FALSE, -1},
        {"abc", "ABC", FALSE, 0},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " / " + c.second);
        CTLItemData a, b;
        a.SetColumnText(1, c.first);
        b.SetColumnText(1, c.second);
        TLSortParam param = {1, c.ascending};
        EXPECT_EQ(CTLTreeCtrl::CompareItems((LPARAM)&a, (LPARAM)&b, (LPARAM)&param), c.expected);
    }
    // A row without a record reads as empty.
    CTLItemData a;
    a.SetColumnText(0, "a");
    TLSortParam param = {0, TRUE};
    EXPECT_EQ(CTLTreeCtrl::CompareItems(0, (LPARAM)&a, (LPARAM)&param), -1);
}

TEST_F(TreeList, SortingRunsOnlyWhenEnabled) {
    Columns({100, 100});
    HTREEITEM hGroup = NULL;
    for (const char* text : {"Item 10", "Item 9", "item 1"}) {
        HTREEITEM h = tree_->InsertItem(text);
        if (hGroup == NULL) hGroup = h;
    }
    for (const char* text : {"b 2", "b 11", "a"}) tree_->InsertItem(text, hGroup);
    EXPECT_FALSE(tree_->IsSortEnabled());
    EXPECT_FALSE(tree_->SortItems(0, TRUE));
    EXPECT_EQ(TopLevel(), (std::vector<std::string>{"Item 10", "Item 9", "item 1"}));
    tree_->EnableSort(TRUE);
    EXPECT_TRUE(tree_->SortItems(0, TRUE));
    EXPECT_EQ(TopLevel(), (std::vector<std::string>{"item 1", "Item 9", "Item 10"}));
    EXPECT_TRUE(tree_->SortItems(0, FALSE, NULL));
    EXPECT_EQ(TopLevel(), (std::vector<std::string>{"Item 10", "Item 9", "item 1"}));
    // Every level below.
    frame_->SortRecursive(0, TRUE, tree_->GetRootItem());
    std::vector<std::string> children;
    for (HTREEITEM h = tree_->GetChildItem(hGroup); h != NULL; h = tree_->GetNextSiblingItem(h))
        children.push_back((LPCSTR)tree_->GetItemText(h, 0));
    EXPECT_EQ(children, (std::vector<std::string>{"a", "b 2", "b 11"}));
}

// --- the records' lives ---------------------------------------------------------------------

TEST_F(TreeList, EveryDeletedRowTakesItsRecordAlong) {
    Columns({100, 100});
    HTREEITEM hGroup = tree_->InsertItem("group");
    for (int i = 0; i < 3; i++) tree_->InsertItem("row", hGroup);
    HTREEITEM hOther = tree_->InsertItem("other");
    EXPECT_EQ(TLLiveItemRecords(), baseline_ + 5);
    // The group and its three rows.
    EXPECT_TRUE(tree_->DeleteItem(hGroup));
    EXPECT_EQ(TLLiveItemRecords(), baseline_ + 1);
    // Deleted through the tree-view itself, as the owner may do.
    HTREEITEM hRow = tree_->InsertItem("row", hOther);
    EXPECT_TRUE(tree_->CTreeCtrl::DeleteItem(hRow));
    EXPECT_EQ(TLLiveItemRecords(), baseline_ + 1);
    // The owner still sees the record of a row that goes.
    DWORD_PTR seen = 0;
    owner_.onNotify = [&](NMHDR* p) {
        if (p->code == TVN_DELETEITEMA) seen = ((NMTREEVIEWA*)p)->itemOld.lParam;
    };
    EXPECT_TRUE(tree_->DeleteItem(hOther));
    EXPECT_NE(seen, 0u);
    EXPECT_EQ(TLLiveItemRecords(), baseline_);
}

TEST_F(TreeList, DeleteAllFreesEveryRecordUnderTheUpdateLock) {
    Columns({100, 100});
    for (int g = 0; g < 3; g++) {
        HTREEITEM hGroup = tree_->InsertItem("group");
        for (int i = 0; i < 4; i++) tree_->InsertItem("row", hGroup);
    }
    EXPECT_EQ(TLLiveItemRecords(), baseline_ + 15);
    // While the tree-view deletes its items another window cannot take the lock; the
    // records are gone before the items.
    int deleted = 0, lockedOut = 0, withRecord = 0;
    owner_.onNotify = [&](NMHDR* p) {
        if (p->code != TVN_DELETEITEMA) return;
        deleted++;
        if (((NMTREEVIEWA*)p)->itemOld.lParam != 0) withRecord++;
        if (LockWindowUpdate(owner_.m_hWnd))
            LockWindowUpdate(NULL);
        else
            lockedOut++;
    };
    tree_->DeleteAll();
    EXPECT_EQ(deleted, 15);
    EXPECT_EQ(lockedOut, 15);
    EXPECT_EQ(withRecord, 0);
    EXPECT_EQ(TLLiveItemRecords(), baseline_);
    EXPECT_EQ(tree_->GetCount(), 0u);
    EXPECT_EQ(tree_->GetColumnCount(), 0);
    EXPECT_EQ(tree_->GetTotalColumnWidth(), 0);
    EXPECT_EQ(tree_->GetHorizontalOffset(), 0);
    EXPECT_EQ(tree_->GetHeaderCtrl().GetItemCount(), 2) << "the header keeps its columns";
    EXPECT_TRUE(LockWindowUpdate(owner_.m_hWnd)) << "the lock was given back";
    LockWindowUpdate(NULL);
}

TEST_F(TreeList, CopiedAndMovedRowsKeepTheirTexts) {
    Columns({100, 100});
    HTREEITEM hFrom = tree_->InsertItem("from");
    HTREEITEM hTo = tree_->InsertItem("to");
    HTREEITEM hRow = tree_->InsertItem("row", hFrom);
    tree_->SetItemText(hRow, 1, "value");
    tree_->SetItemBold(hRow, TRUE, FALSE);
    EXPECT_EQ(tree_->CopyItem(hFrom, hTo, TVI_LAST), nullptr) << "a row with children";
    HTREEITEM hCopy = tree_->CopyItem(hRow, hTo, TVI_LAST);
    ASSERT_NE(hCopy, nullptr);
    EXPECT_EQ(Texts(hCopy, 2), (std::vector<std::string>{"row", "value"}));
    EXPECT_NE(tree_->GetItemData(hCopy), tree_->GetItemData(hRow)) << "a record of its own";
    EXPECT_EQ(TLLiveItemRecords(), baseline_ + 4);
    EXPECT_EQ(tree_->MoveItem(hRow, hRow, TVI_LAST), nullptr) << "under itself";
    HTREEITEM hMoved = tree_->MoveItem(hRow, hTo, TVI_FIRST);
    ASSERT_NE(hMoved, nullptr);
    EXPECT_EQ(tree_->GetChildItem(hFrom), nullptr);
    EXPECT_EQ(tree_->GetChildItem(hTo), hMoved);
    EXPECT_EQ(Texts(hMoved, 2), (std::vector<std::string>{"row", "value"}));
    EXPECT_TRUE(((CTLItemData*)tree_->GetItemData(hMoved))->m_bBold);
    EXPECT_EQ(TLLiveItemRecords(), baseline_ + 4);
}

// --- painting economy ------------------------------------------------------------------------

TEST_F(TreeList, AnUnchangedTextLeavesNothingToPaint) {
    Columns({120, 120});
    HTREEITEM hRow = tree_->InsertItem("row");
    tree_->SetItemText(hRow, 1, "12.5 ppm");
    tree_->UpdateWindow();
    ASSERT_FALSE(HasUpdateRegion());
    EXPECT_EQ(tree_->SetItemText(hRow, 1, "12.5 ppm"), 1);
    EXPECT_FALSE(HasUpdateRegion());
    EXPECT_TRUE(tree_->SetItemText(hRow, 1, "12.6 ppm"));
    EXPECT_TRUE(HasUpdateRegion()) << "a changed text is painted";
    tree_->UpdateWindow();
    EXPECT_FALSE(HasUpdateRegion());
}

TEST_F(TreeList, ARowUnderACollapsedParentSwallowsOnePaint) {
    Columns({120, 120});
    HTREEITEM hGroup = tree_->InsertItem("group");
    tree_->InsertItem("first", hGroup);
    tree_->UpdateWindow();
    // Under the collapsed group: the next paint request does nothing.
    tree_->InsertItem("second", hGroup);
    tree_->Invalidate();
    tree_->UpdateWindow();
    EXPECT_TRUE(HasUpdateRegion()) << "the swallowed paint left the window invalid";
    tree_->UpdateWindow();
    EXPECT_FALSE(HasUpdateRegion());
    // At the top level (the root counts as expanded) and under an expanded group: never.
    tree_->ExpandItem(hGroup, 1);
    for (HTREEITEM hParent : {TVI_ROOT, hGroup}) {
        tree_->InsertItem("more", hParent);
        tree_->Invalidate();
        tree_->UpdateWindow();
        EXPECT_FALSE(HasUpdateRegion());
    }
    // SetRedraw(FALSE) swallows one paint as well.
    tree_->SetRedraw(FALSE);
    tree_->SetRedraw(TRUE);
    tree_->Invalidate();
    tree_->UpdateWindow();
    EXPECT_FALSE(HasUpdateRegion());
}

// --- drawing ---------------------------------------------------------------------------------

TEST_F(TreeList, RowsDrawTheirColumnsWithinTheCells) {
    Columns({160, 90, 120});
    HTREEITEM hGroup = tree_->InsertItem("Measuring range");
    tree_->SetItemBold(hGroup, TRUE, FALSE);
    HTREEITEM hRow = tree_->InsertItem("Upper limit", hGroup);
    tree_->ExpandItem(hGroup, 1);
    const std::string longText = "a value text far wider than its column can show";
    tree_->SetItemText(hRow, 1, longText.c_str());
    tree_->SetItemText(hRow, 2, "100 ppm");
    tree_->SetItemMark(hRow, RGB(150, 0, 255), FALSE);

    emf::File row = DrawRow(*tree_, hRow);
    std::vector<const emf::Text*> texts = DrawnTexts(row);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0]->text, "Upper limit");
    EXPECT_EQ(texts[2]->text, "100 ppm");
    // The long text is cut and ends in dots; nothing of it reaches past its column.
    const std::string& cut = texts[1]->text;
    ASSERT_GT(cut.size(), 3u);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_EQ(longText.compare(0, cut.size() - 3, cut, 0, cut.size() - 3), 0);
    const int edges[] = {160, 250, 370};
    for (int c = 0; c < 3; c++) {
        SCOPED_TRACE(c);
        EXPECT_TRUE(texts[c]->options & ETO_CLIPPED);
        EXPECT_LE(texts[c]->clip.right, edges[c]);
        EXPECT_GE(texts[c]->clip.left, c == 0 ? 0 : edges[c - 1]);
        uint32_t color = 0;
        ASSERT_TRUE(row.TextColorInEffect(texts[c]->index, &color));
        EXPECT_EQ(color, (uint32_t)RGB(150, 0, 255));
        const emf::Font* font = row.FontInEffect(texts[c]->index);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->weight, FW_NORMAL);
    }
    // The cut text fits its cell with the dots (sizes of the substituted font, measured).
    {
        CClientDC dc(tree_);
        CFont* pOld = dc.SelectObject(&tree_->m_font);
        EXPECT_LE(dc.GetTextExtent(cut.substr(0, cut.size() - 3).c_str()).cx, 90 - 12 - 4);
        dc.SelectObject(pOld);
    }
    // The group row is bold.
    emf::File group = DrawRow(*tree_, hGroup);
    std::vector<const emf::Text*> groupTexts = DrawnTexts(group);
    ASSERT_EQ(groupTexts.size(), 1u);
    EXPECT_EQ(groupTexts[0]->text, "Measuring range");
    ASSERT_NE(group.FontInEffect(groupTexts[0]->index), nullptr);
    EXPECT_EQ(group.FontInEffect(groupTexts[0]->index)->weight, FW_BOLD);
    // A column narrower than the dots shows nothing.
    HDITEMA hd = {};
    hd.mask = HDI_WIDTH;
    hd.cxy = 10;
    tree_->GetHeaderCtrl().SetItem(1, &hd);
    texts = DrawnTexts(DrawRow(*tree_, hRow));
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1]->text, "100 ppm");
}

TEST_F(TreeList, ASelectedRowIsDrawnInTheHighlightColours) {
    Columns({160, 90});
    HTREEITEM hRow = tree_->InsertItem("row");
    tree_->SetItemText(hRow, 1, "value");
    tree_->SetItemMark(hRow, RGB(255, 0, 0), FALSE);
    tree_->SelectItem(hRow);
    emf::File row = DrawRow(*tree_, hRow);
    std::vector<const emf::Text*> texts = DrawnTexts(row);
    ASSERT_EQ(texts.size(), 2u);
    uint32_t color = 0;
    ASSERT_TRUE(row.TextColorInEffect(texts[1]->index, &color));
    EXPECT_EQ(color, (uint32_t)GetSysColor(COLOR_HIGHLIGHTTEXT));
}

// A tree on its own, without a frame: its header is the owner's child.
TEST(TreeListAlone, PaintsWithoutAFrameAndLaysNothingOut) {
    long baseline = TLLiveItemRecords();
    {
        COwnerWnd owner;
        ASSERT_TRUE(owner.CreateOwner());
        CTLTreeCtrl tree;
        ASSERT_TRUE(tree.GetHeaderCtrl().Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 20), &owner,
                                                TL_HEADER_ID));
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT,
                                CRect(0, 20, 300, 220), &owner, TL_TREE_ID));
        tree.InsertColumn(0, "name", 0, 150);
        tree.InsertColumn(1, "value", 0, 150);
        HTREEITEM hGroup = tree.InsertItem("group");
        HTREEITEM hRow = tree.InsertItem("row", hGroup);
        tree.SetItemText(hRow, 1, "1.5");
        CRect before = RectIn(tree.m_hWnd, owner.m_hWnd);
        CPoint button = FindHit(tree, hGroup, TVHT_ONITEMBUTTON);
        ASSERT_NE(button.x, -1);
        tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.x, button.y));
        tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(button.x, button.y));
        EXPECT_TRUE(tree.IsItemExpanded(hGroup)) << "the button toggles at offset 0";
        tree.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        tree.Invalidate();
        tree.UpdateWindow();
        EXPECT_EQ(RectIn(tree.m_hWnd, owner.m_hWnd), before) << "no layout without a frame";
        std::vector<const emf::Text*> texts;
        emf::File row = DrawRow(tree, hRow);
        texts = DrawnTexts(row);
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_GE(texts[1]->clip.left, 150);
        tree.DestroyWindow();
    }
    EXPECT_EQ(TLLiveItemRecords(), baseline) << "the tree's end frees its records";
}

// --- a worker thread --------------------------------------------------------------------------

std::atomic<DWORD> g_guiThread(0);
std::atomic<long> g_touchesOnGui(0);
std::atomic<long> g_touchesElsewhere(0);

void CountTouch(const CTLItemData*) {
    if (GetCurrentThreadId() == g_guiThread)
        ++g_touchesOnGui;
    else
        ++g_touchesElsewhere;
}

struct WorkerJob {
    CTLTreeCtrl* tree;
    std::vector<HTREEITEM> groups;
    std::vector<std::vector<HTREEITEM>> rows;
    int mismatches = 0;
    std::atomic<long> steps{0};  // rows done, for the wait that watches the worker go on
};

std::string RowText(int g, int r, int pass) {
    return "g" + std::to_string(g) + " r" + std::to_string(r) + " p" + std::to_string(pass);
}

COLORREF RowColour(int g, int r) {
    static const COLORREF marks[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(150, 0, 255)};
    return marks[(g + r) % 3];
}

DWORD WINAPI FillFromWorker(LPVOID p) {
    WorkerJob* job = (WorkerJob*)p;
    CTLTreeCtrl& tree = *job->tree;
    for (int g = 0; g < 30; g++) {
        HTREEITEM hGroup = tree.InsertItem(("Group " + std::to_string(g)).c_str());
        tree.SetItemBold(hGroup, TRUE, FALSE);
        tree.SetItemUserValue(hGroup, 1000 + g);
        job->groups.push_back(hGroup);
        job->rows.emplace_back();
        for (int r = 0; r < 20; r++) {
            HTREEITEM hRow = tree.InsertItem(("Parameter " + std::to_string(r)).c_str(), hGroup);
            tree.SetItemText(hRow, 1, RowText(g, r, 0).c_str());
            job->rows[g].push_back(hRow);
            ++job->steps;
        }
        if (g % 2 == 0) tree.ExpandItem(hGroup, 1);
    }
    // A refresh pass: new texts and colours, read back from here as well.
    for (int g = 0; g < 30; g++)
        for (int r = 0; r < 20; r++) {
            HTREEITEM hRow = job->rows[g][r];
            tree.SetItemMark(hRow, RowColour(g, r), FALSE);
            tree.SetItemText(hRow, 1, RowText(g, r, 1).c_str());
            tree.SetItemText(hRow, 2, "set");
            if (tree.GetItemText(hRow, 1) != RowText(g, r, 1).c_str()) job->mismatches++;
            ++job->steps;
        }
    return 0;
}

TEST_F(TreeList, AWorkerFillsTheRowsWhileTheGuiThreadPaints) {
    Columns({150, 150, 80});
    g_guiThread = GetCurrentThreadId();
    g_touchesOnGui = 0;
    g_touchesElsewhere = 0;
    TLSetRecordTouchHook(CountTouch);
    WorkerJob job;
    job.tree = tree_;
    HANDLE hThread = CreateThread(NULL, 0, FillFromWorker, &job, 0, NULL);
    ASSERT_NE(hThread, nullptr);
    // The GUI thread keeps dispatching (the worker's calls arrive as sent messages) and
    // keeps painting. The worker goes as fast as a loaded machine lets the two threads take
    // turns: the wait fails when it has done no row for 30 s.
    DWORD lastPaint = GetTickCount();
    int paints = 0;
    long steps = -1;
    ULONGLONG lastStep = GetTickCount64();
    bool ended = false;
    while (!ended && GetTickCount64() - lastStep < 30000) {
        ended = PumpUntil(
            [&] {
                if (GetTickCount() - lastPaint >= 20) {
                    tree_->Invalidate();
                    tree_->UpdateWindow();
                    lastPaint = GetTickCount();
                    paints++;
                }
                return WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0;
            },
            1000);
        if (job.steps != steps) {
            steps = job.steps;
            lastStep = GetTickCount64();
        }
    }
    if (!ended) {
        ADD_FAILURE() << "the worker did no row for 30 s (" << steps << " rows done)";
        TLSetRecordTouchHook(NULL);
        fflush(stdout);
        ExitProcess(4);  // its calls would reach a tree that is gone
    }
    CloseHandle(hThread);
    tree_->UpdateWindow();
    TLSetRecordTouchHook(NULL);

    EXPECT_EQ(job.mismatches, 0);
    EXPECT_GT(paints, 0);
    ASSERT_EQ(job.groups.size(), 30u);
    int wrong = 0;
    for (int g = 0; g < 30; g++) {
        EXPECT_EQ(tree_->GetItemUserValue(job.groups[g]), (DWORD_PTR)(1000 + g));
        EXPECT_EQ(tree_->IsItemExpanded(job.groups[g]), g % 2 == 0);
        for (int r = 0; r < 20; r++) {
            HTREEITEM hRow = job.rows[g][r];
            CTLItemData* pRecord = (CTLItemData*)tree_->GetItemData(hRow);
            if (tree_->GetItemText(hRow, 0) != ("Parameter " + std::to_string(r)).c_str() ||
                tree_->GetItemText(hRow, 1) != RowText(g, r, 1).c_str() ||
                tree_->GetItemText(hRow, 2) != "set" || pRecord->m_crText != RowColour(g, r))
                wrong++;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(TLLiveItemRecords(), baseline_ + 30 * 21);
    EXPECT_GT(g_touchesOnGui, 30 * 21) << "the seam saw the records";
    EXPECT_EQ(g_touchesElsewhere, 0) << "a record was touched off the GUI thread";
}

}  // namespace
