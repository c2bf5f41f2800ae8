// The frame of the tree-list control in real windows, attached to a static and created
// from its window class: the layout of header, tree and scroll bar, sideways scrolling,
// and what the owner hears. Asserted through Win32 queries.
#include "tlsample.h"
#include "tlshot.h"
#include "tltest.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace tltest;

namespace {

class Frame : public ::testing::TestWithParam<FrameKind> {
protected:
    void SetUp() override {
        ASSERT_TRUE(owner_.CreateOwner());
        frame_ = MakeFrame(owner_, GetParam());
        ASSERT_NE(frame_, nullptr);
        tree_ = &frame_->GetTreeCtrl();
        bar_ = &frame_->GetScrollBar();
    }
    void TearDown() override {
        frame_.reset();
        owner_.DestroyWindow();
        Pump();
        CWnd::DeleteTempMap();
    }

    // Three groups of rows under columns of these widths.
    void Fill(std::initializer_list<int> widths) {
        int c = 0;
        for (int width : widths) tree_->InsertColumn(c++, "title", 0, width);
        for (int g = 0; g < 3; g++) {
            HTREEITEM hGroup = tree_->InsertItem(("Group " + std::to_string(g)).c_str());
            for (int r = 0; r < 4; r++) tree_->InsertItem("row", hGroup);
        }
    }

    void SetColumnWidth(int nColumn, int nWidth) {
        HDITEMA hd = {};
        hd.mask = HDI_WIDTH;
        hd.cxy = nWidth;
        ASSERT_TRUE(tree_->GetHeaderCtrl().SetItem(nColumn, &hd));
    }

    void Scroll(UINT nCode, UINT nPos = 0) {
        frame_->SendMessage(WM_HSCROLL, MAKEWPARAM(nCode, nPos), (LPARAM)bar_->m_hWnd);
    }

    CRect F() { return ClientOf(frame_->m_hWnd); }
    CRect HeaderRect() { return RectIn(tree_->GetHeaderCtrl().m_hWnd, frame_->m_hWnd); }
    CRect TreeRect() { return RectIn(tree_->m_hWnd, frame_->m_hWnd); }
    CRect BarRect() { return RectIn(bar_->m_hWnd, frame_->m_hWnd); }
    int W() { return ClientOf(tree_->m_hWnd).Width(); }
    int T() { return tree_->GetTotalColumnWidth(); }
    SCROLLINFO Info() {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(bar_->m_hWnd, SB_CTL, &info);
        return info;
    }
    bool BarShown() { return IsWindowVisible(bar_->m_hWnd) && IsWindowEnabled(bar_->m_hWnd); }

    // The layout while every column fits.
    void ExpectNoBar() {
        EXPECT_FALSE(IsWindowVisible(bar_->m_hWnd));
        EXPECT_FALSE(IsWindowEnabled(bar_->m_hWnd));
        SCROLLINFO info = Info();
        EXPECT_EQ(info.nMin, 0);
        EXPECT_EQ(info.nMax, 0);
        EXPECT_EQ(tree_->GetHorizontalOffset(), 0);
        EXPECT_EQ(HeaderRect().left, 0);
        EXPECT_EQ(HeaderRect().Width(), F().Width());
        EXPECT_EQ(TreeRect(), CRect(0, HeaderRect().Height(), F().Width(), F().Height()));
    }

    COwnerWnd owner_;
    std::unique_ptr<CTLFrame> frame_;
    CTLTreeCtrl* tree_ = nullptr;
    CScrollBar* bar_ = nullptr;
};

TEST_P(Frame, MakesItsPartsWithTheParentsFont) {
    EXPECT_EQ(GetDlgCtrlID(tree_->m_hWnd), TL_TREE_ID);
    EXPECT_EQ(GetDlgCtrlID(tree_->GetHeaderCtrl().m_hWnd), TL_HEADER_ID);
    EXPECT_EQ(GetDlgCtrlID(bar_->m_hWnd), TL_SCROLLBAR_ID);
    EXPECT_EQ(tree_->GetFrame(), frame_.get());
    DWORD style = tree_->GetStyle();
    EXPECT_EQ(style & (TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS),
              (DWORD)(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS));
    EXPECT_TRUE(tree_->GetHeaderCtrl().GetStyle() & HDS_BUTTONS);
    EXPECT_TRUE(GetWindowLongA(bar_->m_hWnd, GWL_STYLE) & SBS_BOTTOMALIGN);
    // The owner's font, and a header as high as its text "A" and 4 pixels.
    LOGFONT own = {}, copied = {};
    CFont::FromHandle((HFONT)owner_.SendMessage(WM_GETFONT))->GetLogFont(&own);
    tree_->m_font.GetLogFont(&copied);
    EXPECT_STREQ(copied.lfFaceName, own.lfFaceName);
    EXPECT_EQ(copied.lfHeight, own.lfHeight);
    CClientDC dc(tree_);
    CFont* pOld = dc.SelectObject(&tree_->m_font);
    EXPECT_EQ(HeaderRect().Height(), dc.GetTextExtent("A", 1).cy + 4);
    dc.SelectObject(pOld);
    ExpectNoBar();
}

TEST_P(Frame, NarrowColumnsHideTheBarAndAWiderColumnShowsIt) {
    Fill({100, 80});
    ExpectNoBar();
    // Widened through the header: HDN_ITEMCHANGED lays out again.
    SetColumnWidth(1, 400);
    ASSERT_EQ(T(), 500);
    EXPECT_TRUE(BarShown());
    SCROLLINFO info = Info();
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, T() - W());
    int s = GetSystemMetrics(SM_CYHSCROLL);
    EXPECT_EQ(BarRect().top, F().Height() - s);
    EXPECT_EQ(BarRect().bottom, F().Height());
    EXPECT_EQ(BarRect().left, 0);
    EXPECT_EQ(TreeRect().top, HeaderRect().Height());
    EXPECT_EQ(TreeRect().bottom, F().Height() - s);
    EXPECT_EQ(TreeRect().Width(), F().Width());
    // Narrowed again: the bar goes.
    SetColumnWidth(1, 80);
    ExpectNoBar();
}

struct ScrollCase {
    const char* name;
    UINT code;
    UINT thumb;
    int from;      // -1: the last position L - 1
    int expected;  // -1: L - 1; -2: L - 7; -3: min(w, L - 1)
};

TEST_P(Frame, TheBarScrollsRowsAndHeaderTogether) {
    Fill({100, 400});
    ASSERT_TRUE(BarShown());
    const int L = frame_->GetScrollBar().GetScrollLimit();
    ASSERT_EQ(L, T() - W());
    const ScrollCase cases[] = {
        {"thumb 7 goes to the next step of 6", SB_THUMBPOSITION, 7, 0, 12},
        {"thumb 12 goes to 18", SB_THUMBTRACK, 12, 0, 18},
        {"thumb 0 stays at 0", SB_THUMBPOSITION, 0, 30, 0},
        {"thumb past the end stops at L - 1", SB_THUMBPOSITION, 5000, 0, -1},
        {"one step right", SB_LINERIGHT, 0, 0, 6},
        {"one step right at the end", SB_LINERIGHT, 0, -1, -1},
        {"one step left", SB_LINELEFT, 0, -1, -2},
        {"one step left at the start", SB_LINELEFT, 0, 3, 0},
        {"a page right", SB_PAGERIGHT, 0, 0, -3},
        {"a page left", SB_PAGELEFT, 0, 30, 0},
        {"to the right end", SB_RIGHT, 0, 0, -1},
        {"to the left end", SB_LEFT, 0, -1, 0},
    };
    for (const ScrollCase& c : cases) {
        SCOPED_TRACE(c.name);
        bar_->SetScrollPos(c.from == -1 ? L - 1 : c.from);
        Scroll(c.code, c.thumb);
        int expected = c.expected == -1   ? L - 1
                       : c.expected == -2 ? L - 7
                       : c.expected == -3 ? std::min(W(), L - 1)
                                          : c.expected;
        EXPECT_EQ(bar_->GetScrollPos(), expected);
        EXPECT_EQ(tree_->GetHorizontalOffset(), -expected);
        EXPECT_EQ(HeaderRect().left, -expected) << "the header moves with the rows";
        EXPECT_GE(HeaderRect().right, T() - expected) << "and reaches past the last column";
    }
    // The rows are painted at the offset: cells of a row lie where the header shows them.
    Scroll(SB_THUMBPOSITION, 12);
    ASSERT_EQ(tree_->GetHorizontalOffset(), -18);
    CRect title;
    tree_->GetHeaderCtrl().GetItemRect(1, &title);
    EXPECT_EQ(title.left + HeaderRect().left, 100 - 18);
}

TEST_P(Frame, ColumnsNarrowedAtTheRightEndKeepTheLastColumnAtTheEdge) {
    Fill({100, 400});
    Scroll(SB_RIGHT);
    SetColumnWidth(1, 300);
    ASSERT_TRUE(BarShown());
    EXPECT_EQ(tree_->GetHorizontalOffset(), W() - T());
    EXPECT_EQ(HeaderRect().left, W() - T());
    EXPECT_EQ(bar_->GetScrollPos(), T() - W());
}

TEST_P(Frame, ResizingAndMovingKeepHeaderRowsAndBarInStep) {
    Fill({100, 400});
    Scroll(SB_THUMBPOSITION, 12);
    ASSERT_EQ(tree_->GetHorizontalOffset(), -18);
    // Wide enough for every column: the bar goes and no column stays out of reach.
    frame_->SetWindowPos(NULL, 0, 0, 620, 200, SWP_NOMOVE | SWP_NOZORDER);
    ExpectNoBar();
    // Narrow again: the size's own range, 0..T with a page of w.
    frame_->SetWindowPos(NULL, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(BarShown());
    SCROLLINFO info = Info();
    EXPECT_EQ(info.nMax, T());
    EXPECT_EQ((int)info.nPage, W());
    EXPECT_EQ(bar_->GetScrollPos(), -tree_->GetHorizontalOffset());
    EXPECT_EQ(HeaderRect().left, tree_->GetHorizontalOffset());
    // A move alone changes no layout.
    SetColumnWidth(1, 80);
    ExpectNoBar();
    frame_->SetWindowPos(NULL, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ExpectNoBar();
}

TEST_P(Frame, AFrameWithoutWidthDividesByNothing) {
    Fill({100, 400});
    Scroll(SB_THUMBPOSITION, 30);
    frame_->SetWindowPos(NULL, 0, 0, 0, 200, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_LE(F().Width(), 0);
    EXPECT_EQ(HeaderRect().Width(), std::max(0, (int)F().Width()));
    for (UINT code : {SB_PAGERIGHT, SB_THUMBPOSITION, SB_LINERIGHT, SB_PAGELEFT}) {
        Scroll(code, 9);
        EXPECT_EQ(HeaderRect().Width(), std::max(0, (int)F().Width()));
    }
    SetColumnWidth(0, 50);  // a layout with a tree of no width
    frame_->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
    tree_->SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    frame_->SetWindowPos(NULL, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(BarShown());
    EXPECT_EQ(TreeRect().Width(), F().Width());
}

TEST_P(Frame, TheTreesOwnBarMakesRoomForTheColumns) {
    // Columns a little narrower than the tree: no bar while the rows fit the height.
    Fill({100, (int)F().Width() - 105});
    ExpectNoBar();
    for (HTREEITEM h = tree_->GetRootItem(); h != NULL; h = tree_->GetNextSiblingItem(h))
        tree_->ExpandItem(h, 1);
    ASSERT_TRUE(tree_->GetStyle() & WS_VSCROLL) << "the rows need the tree's own bar";
    ASSERT_GT(T(), W());
    // The next key in the tree lays out: the bar comes, beside the tree's own.
    tree_->SendMessage(WM_KEYDOWN, VK_HOME, 0);
    EXPECT_TRUE(BarShown());
    EXPECT_EQ(Info().nMax, T() - W());
    EXPECT_EQ(BarRect().Width(), F().Width() - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(TreeRect().bottom, F().Height() - GetSystemMetrics(SM_CYHSCROLL));
    // Without the tree's bar the columns fit again: the bar goes.
    for (HTREEITEM h = tree_->GetRootItem(); h != NULL; h = tree_->GetNextSiblingItem(h))
        tree_->ExpandItem(h, 0);
    ASSERT_FALSE(tree_->GetStyle() & WS_VSCROLL);
    tree_->SendMessage(WM_KEYDOWN, VK_HOME, 0);
    ExpectNoBar();
}

INSTANTIATE_TEST_SUITE_P(Kinds, Frame, ::testing::Values(FrameKind::Attached, FrameKind::Created),
                         [](const ::testing::TestParamInfo<FrameKind>& info) {
                             return info.param == FrameKind::Attached ? "AttachedToAStatic"
                                                                      : "CreatedFromItsClass";
                         });

// --- making frames ----------------------------------------------------------------------------

TEST(FrameClass, IsRegisteredOnceWithItsStyle) {
    ATOM atom = CTLFrame::RegisterClass();
    ASSERT_NE(atom, 0);
    EXPECT_EQ(CTLFrame::RegisterClass(), atom);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(AfxGetInstanceHandle(), TL_WINDOW_CLASS, &wc));
    EXPECT_EQ(wc.style, 0x400Bu);
    EXPECT_EQ(wc.hbrBackground, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
    EXPECT_EQ(wc.hCursor, nullptr);
    EXPECT_EQ(wc.cbClsExtra, 0);
    EXPECT_EQ(wc.cbWndExtra, 0);
}

TEST(FrameClass, AFailedAttachMakesNothing) {
    COwnerWnd owner;
    ASSERT_TRUE(owner.CreateOwner());
    CTLFrame frame;
    EXPECT_FALSE(frame.AttachToDlgItem(kStaticId, &owner)) << "no such control";
    EXPECT_EQ(frame.m_hWnd, nullptr);
    EXPECT_EQ(frame.GetTreeCtrl().m_hWnd, nullptr);
    // A control that has its object already cannot be subclassed a second time.
    std::unique_ptr<CTLFrame> first = MakeFrame(owner, FrameKind::Attached);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(frame.AttachToDlgItem(kStaticId, &owner));
    EXPECT_EQ(frame.GetTreeCtrl().m_hWnd, nullptr);
    EXPECT_EQ(frame.GetScrollBar().m_hWnd, nullptr);
}

// --- what the owner hears -------------------------------------------------------------------

class Owner : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(owner_.CreateOwner());
        frame_ = MakeFrame(owner_, FrameKind::Created, 360, 240);
        ASSERT_NE(frame_, nullptr);
        tree_ = &frame_->GetTreeCtrl();
        tree_->InsertColumn(0, "Parameter group", 0, 150);
        tree_->InsertColumn(1, "Cur. value", 0, 120);
        for (const char* name : {"Group 10", "Group 9", "Group 1"}) {
            HTREEITEM hGroup = tree_->InsertItem(name);
            groups_.push_back(hGroup);
            for (int r = 0; r < 2; r++) tree_->InsertItem("row", hGroup);
        }
        Pump();
        owner_.notices.clear();
    }
    void TearDown() override {
        frame_.reset();
        owner_.DestroyWindow();
        Pump();
        CWnd::DeleteTempMap();
    }

    void ClickHeader(int nItem) {
        CRect item;
        tree_->GetHeaderCtrl().GetItemRect(nItem, &item);
        LPARAM at = MAKELPARAM(item.CenterPoint().x, item.CenterPoint().y);
        tree_->GetHeaderCtrl().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        tree_->GetHeaderCtrl().SendMessage(WM_LBUTTONUP, 0, at);
    }

    std::vector<int> Images() {
        std::vector<int> images;
        for (int c = 0; c < 2; c++) images.push_back(tree_->GetHeaderCtrl().GetItemImage(c));
        return images;
    }

    COwnerWnd owner_;
    std::unique_ptr<CTLFrame> frame_;
    CTLTreeCtrl* tree_ = nullptr;
    std::vector<HTREEITEM> groups_;
};

TEST_F(Owner, HearsEveryNotificationButTheHeadersClickAndChange) {
    tree_->SelectItem(groups_[1]);
    EXPECT_TRUE(owner_.Saw(TL_TREE_ID, TVN_SELCHANGINGA));
    EXPECT_TRUE(owner_.Saw(TL_TREE_ID, TVN_SELCHANGEDA));
    tree_->ExpandItem(groups_[0], 1);
    EXPECT_TRUE(owner_.Saw(TL_TREE_ID, TVN_ITEMEXPANDINGA));
    EXPECT_TRUE(owner_.Saw(TL_TREE_ID, TVN_ITEMEXPANDEDA));
    HDITEMA hd = {};
    hd.mask = HDI_WIDTH;
    hd.cxy = 130;
    tree_->GetHeaderCtrl().SetItem(1, &hd);
    EXPECT_TRUE(owner_.Saw(TL_HEADER_ID, HDN_ITEMCHANGINGA));
    EXPECT_FALSE(owner_.Saw(TL_HEADER_ID, HDN_ITEMCHANGEDA));
    EXPECT_EQ(tree_->GetTotalColumnWidth(), 280) << "the frame took the change";
    ClickHeader(1);
    EXPECT_FALSE(owner_.Saw(TL_HEADER_ID, HDN_ITEMCLICKA));
    EXPECT_EQ(Images(), (std::vector<int>{-1, 0})) << "the frame took the click";
}

TEST_F(Owner, AHeaderClickWithoutSortingFlipsOnlyTheImages) {
    EXPECT_EQ(Images(), (std::vector<int>{0, -1})) << "column 0 starts ascending";
    ClickHeader(0);
    EXPECT_EQ(Images(), (std::vector<int>{1, -1}));
    ClickHeader(0);
    EXPECT_EQ(Images(), (std::vector<int>{0, -1}));
    ClickHeader(1);
    EXPECT_EQ(Images(), (std::vector<int>{-1, 0}));
    EXPECT_EQ(tree_->GetItemByIndex(0), groups_[0]) << "no row moved";
    EXPECT_EQ(tree_->GetItemByIndex(2), groups_[2]);
    // With sorting on the click sorts as its image says.
    tree_->EnableSort(TRUE);
    ClickHeader(0);
    EXPECT_EQ(Images(), (std::vector<int>{0, -1}));
    EXPECT_EQ(tree_->GetItemTextByIndex(0, 0), "Group 1");
    EXPECT_EQ(tree_->GetItemTextByIndex(2, 0), "Group 10");
    ClickHeader(0);
    EXPECT_EQ(Images(), (std::vector<int>{1, -1}));
    EXPECT_EQ(tree_->GetItemTextByIndex(0, 0), "Group 10");
}

TEST_F(Owner, ContextMenusAndDoubleClicksArePassedOn) {
    tree_->SendMessage(WM_CONTEXTMENU, (WPARAM)tree_->m_hWnd, MAKELPARAM(120, 90));
    ASSERT_EQ(owner_.contextMenus.size(), 1u);
    EXPECT_EQ(owner_.contextMenus[0].first, (WPARAM)tree_->m_hWnd);
    EXPECT_EQ(owner_.contextMenus[0].second, MAKELPARAM(120, 90));
    // Right of column 0: posted on, the tree-view itself does nothing with it.
    CRect row;
    tree_->CTreeCtrl::GetItemRect(groups_[0], &row, FALSE);
    LPARAM inColumn1 = MAKELPARAM(200, row.CenterPoint().y);
    tree_->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, inColumn1);
    EXPECT_TRUE(owner_.doubleClicks.empty()) << "posted, not sent";
    ASSERT_TRUE(PumpUntil([&] { return !owner_.doubleClicks.empty(); }));
    EXPECT_EQ(owner_.doubleClicks[0], std::make_pair((WPARAM)MK_LBUTTON, inColumn1));
    EXPECT_FALSE(tree_->IsItemExpanded(groups_[0]));
}

TEST_F(Owner, TheButtonDownPointIsTakenInTheTreesCoordinates) {
    // The WM_PARENTNOTIFY point is the frame's; the item under it is the one announced.
    UINT treeChanged = TreeChangedMessage();
    ASSERT_NE(treeChanged, 0u);
    for (HTREEITEM hGroup : groups_) {
        CPoint button = FindHit(*tree_, hGroup, TVHT_ONITEMBUTTON);
        ASSERT_NE(button.x, -1);
        tree_->MapWindowPoints(frame_.get(), &button, 1);
        owner_.treeChanged.clear();
        frame_->SendMessage(WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0),
                            MAKELPARAM(button.x, button.y));
        ASSERT_TRUE(PumpUntil([&] { return !owner_.treeChanged.empty(); }));
        EXPECT_EQ(owner_.treeChanged[0], hGroup);
    }
    // Over a cell text nothing is announced (a posted mark shows the queue went through).
    CRect row;
    tree_->CTreeCtrl::GetItemRect(groups_[0], &row, FALSE);
    CPoint text(200, row.CenterPoint().y);
    tree_->MapWindowPoints(frame_.get(), &text, 1);
    owner_.treeChanged.clear();
    frame_->SendMessage(WM_PARENTNOTIFY, MAKEWPARAM(WM_RBUTTONDOWN, 0), MAKELPARAM(text.x, text.y));
    owner_.PostMessage(treeChanged, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !owner_.treeChanged.empty(); }));
    EXPECT_EQ(owner_.treeChanged, std::vector<HTREEITEM>{NULL});
}

TEST_F(Owner, FittedColumnsFillTheFrame) {
    CTLHeaderCtrl& header = tree_->GetHeaderCtrl();
    const int width = ClientOf(frame_->m_hWnd).Width();
    auto widths = [&] {
        return std::vector<int>{tree_->GetColumnWidth(0), tree_->GetColumnWidth(1)};
    };
    header.m_bAutoFit = 0;
    header.FitColumns(-1, 0);
    EXPECT_EQ(widths(), (std::vector<int>{150, 120})) << "only with the auto-fit flag";
    header.m_bAutoFit = 1;
    header.FitColumns(-1, 0);
    EXPECT_EQ(widths(), (std::vector<int>{150 * width / 270, 120 * width / 270}));
    EXPECT_EQ(tree_->GetTotalColumnWidth(), widths()[0] + widths()[1]) << "the frame heard it";
    // A skipped column keeps its width; the others share what it leaves.
    std::vector<int> before = widths();
    header.FitColumns(1, 100);
    EXPECT_EQ(widths(), (std::vector<int>{width - 100, before[1]}));
    // Columns without any width have nothing to scale.
    HDITEMA hd = {};
    hd.mask = HDI_WIDTH;
    hd.cxy = 0;
    header.SetItem(0, &hd);
    header.FitColumns(1, 100);
    EXPECT_EQ(tree_->GetColumnWidth(0), 0);
}

// --- the sample --------------------------------------------------------------------------------

TEST(Sample, ShowsParameterGroupsWithMarkedRowsAndItsBar) {
    CTLSampleWnd sample;
    ASSERT_TRUE(sample.CreateSample());
    sample.UpdateWindow();
    Pump();
    CTLFrame& frame = sample.Frame();
    CTLTreeCtrl& tree = frame.GetTreeCtrl();
    ASSERT_EQ(tree.GetHeaderCtrl().GetItemCount(), 3);
    const char* titles[] = {"Parameter group", "Cur. value", "Parameter set"};
    for (int c = 0; c < 3; c++) {
        char title[64] = "";
        HDITEMA hd = {};
        hd.mask = HDI_TEXT;
        hd.pszText = title;
        hd.cchTextMax = sizeof title;
        tree.GetHeaderCtrl().GetItem(c, &hd);
        EXPECT_STREQ(title, titles[c]);
    }
    EXPECT_TRUE(IsWindowVisible(frame.GetScrollBar().m_hWnd)) << "narrow enough for the bar";
    EXPECT_TRUE(IsWindowEnabled(frame.GetScrollBar().m_hWnd));
    std::vector<COLORREF> marks;
    int groups = 0;
    for (HTREEITEM hGroup = tree.GetRootItem(); hGroup != NULL;
         hGroup = tree.GetNextSiblingItem(hGroup), groups++) {
        EXPECT_TRUE(((CTLItemData*)tree.GetItemData(hGroup))->m_bBold);
        for (HTREEITEM h = tree.GetChildItem(hGroup); h != NULL; h = tree.GetNextSiblingItem(h))
            marks.push_back(((CTLItemData*)tree.GetItemData(h))->m_crText);
    }
    EXPECT_GE(groups, 3);
    for (COLORREF mark : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(150, 0, 255)})
        EXPECT_NE(std::find(marks.begin(), marks.end(), mark), marks.end());
    // Asked for: its picture for the documentation.
    std::string error;
    EXPECT_TRUE(SaveScreenshotIfAsked(sample.m_hWnd, "treelist.png", &error)) << error;
    sample.DestroyWindow();
}

}  // namespace
