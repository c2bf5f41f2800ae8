// The grid window under Xvfb: both ways of creating it, its child windows, the layout of an
// empty grid with and without a tab strip, sheets, redraw control, system colour changes,
// the notification defaults, and the recording grid on the moves that exist so far.
#include "grid.h"
#include "grid_test_ids.h"
#include "gridtestkit.h"
#include "recordinggrid.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

const int kGridId = 77;

std::string ClassOf(HWND hWnd) {
    char name[128] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    return name;
}

std::string RectText(const RECT& rc) {
    return "[" + std::to_string(rc.left) + "," + std::to_string(rc.top) + "," +
           std::to_string(rc.right) + "," + std::to_string(rc.bottom) + "]";
}

std::vector<HWND> ChildrenOf(HWND hWnd) {
    std::vector<HWND> children;
    for (HWND h = ::GetWindow(hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    return children;
}

class GridWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host_.Create("grid host", 640, 480)); }
    void TearDown() override {
        grid_.reset();
        host_.DestroyWindow();
        PumpMessages();
    }
    // A grid 400 x 300 at (10, 10) of the host's client area.
    void CreateGrid() {
        grid_.reset(new CRecordingGrid);
        ASSERT_TRUE(grid_->Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 410, 310), &host_, kGridId));
        PumpMessages();
    }
    // The seven rectangles of the last layout, as the grid's notification gave them.
    std::string LastLayout() {
        const GridCall* call = grid_->Last("OnLayoutChange");
        return call != NULL ? call->text : "none";
    }
    // The child windows' places, in the order of the layout notification.
    std::string WindowPlaces() {
        HWND windows[] = {grid_->GetCellArea()->m_hWnd,   grid_->GetColumnHeading()->m_hWnd,
                          grid_->GetRowHeading()->m_hWnd, grid_->GetCornerWnd()->m_hWnd,
                          grid_->GetVScrollBar()->m_hWnd, grid_->GetHScrollBar()->m_hWnd,
                          grid_->GetSheetTabs()->m_hWnd};
        std::string text = "OnLayoutChange(";
        for (size_t i = 0; i < 7; ++i) text += (i ? "," : "") + RectText(RectInParent(windows[i]));
        return text + ")";
    }

    // Whether the focus is on the grid's cell area after the action, with the host in front
    // and its own window focused before it.
    bool FocusEndsOnTheCellArea(const std::function<void()>& action) {
        for (int attempt = 0; attempt < 20; ++attempt) {
            ::SetForegroundWindow(host_.m_hWnd);
            host_.SetFocus();
            if (CWnd::GetFocus() != &host_) {
                PumpMessages();
                continue;
            }
            action();
            if (CWnd::GetFocus() == grid_->GetCellArea()) return true;
            if (CWnd::GetActiveWindow() == &host_) return false;  // not taken: a real miss
            PumpMessages();
        }
        return false;
    }

    CHostWnd host_;
    std::unique_ptr<CRecordingGrid> grid_;
};

// --- creation -----------------------------------------------------------------------------

TEST_F(GridWindow, CreateMakesTheWindowItsChildrenThenCallsSetupAndSheetSetup) {
    CreateGrid();
    EXPECT_THAT(grid_->Texts({"OnGridSetup", "OnSheetSetup"}),
                ElementsAre("OnGridSetup()", "OnSheetSetup(0)"));
    EXPECT_EQ(ClassOf(grid_->m_hWnd).compare(0, 4, "Afx:"), 0) << ClassOf(grid_->m_hWnd);
    EXPECT_EQ(grid_->GetWindowTextLength(), 0);
    EXPECT_TRUE(grid_->GetStyle() & WS_CLIPCHILDREN);
    EXPECT_EQ(grid_->SendMessage(WM_GETDLGCODE), 5);
    // Other tests on the shared display may take the foreground at any moment: each check
    // brings the host to the front first and is tried again when it was taken meanwhile.
    EXPECT_TRUE(FocusEndsOnTheCellArea([&] { grid_->LayoutChildWindows(); }))
        << "every layout moves the focus in";
    EXPECT_TRUE(FocusEndsOnTheCellArea([&] { grid_->SetFocus(); }))
        << "the grid hands its focus on";
}

TEST_F(GridWindow, TheChildWindowsHaveTheirClassesStylesAndIds) {
    CreateGrid();
    struct Expected {
        CWnd* wnd;
        const char* cls;  // NULL: the class library's default class
        DWORD style;
        int id;
        bool visible;
    } expected[] = {
        {grid_->GetCellArea(), NULL, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, kGridId, true},
        {grid_->GetColumnHeading(), NULL, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, kGridId,
         true},
        {grid_->GetRowHeading(), NULL, WS_CHILD, kGridId, true},
        {grid_->GetCornerWnd(), NULL, WS_CHILD, kGridId, true},
        {grid_->GetSheetTabs(), NULL, WS_CHILD | WS_CLIPCHILDREN, kGridId, true},
        {grid_->GetVScrollBar(), "ScrollBar", WS_CHILD | SBS_VERT, kGridId, true},
        {grid_->GetHScrollBar(), "ScrollBar", WS_CHILD | SBS_HORZ, kGridId, true},
        {grid_->GetInPlaceEdit(), "Edit", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, GRID_EDITOR_ID,
         false},
    };
    std::vector<HWND> children = ChildrenOf(grid_->m_hWnd);
    EXPECT_EQ(children.size(), 8u);
    for (const Expected& e : expected) {
        HWND h = e.wnd->m_hWnd;
        SCOPED_TRACE(ClassOf(h));
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(::GetParent(h), grid_->m_hWnd);
        if (e.cls != NULL)
            EXPECT_EQ(ClassOf(h), e.cls);
        else
            EXPECT_EQ(ClassOf(h).compare(0, 4, "Afx:"), 0);
        EXPECT_EQ((DWORD)::GetWindowLongA(h, GWL_STYLE) & e.style, e.style);
        EXPECT_EQ(::GetDlgCtrlID(h), e.id);
        EXPECT_EQ(::IsWindowVisible(h) != 0, e.visible);
        EXPECT_EQ(::GetWindowTextLengthA(h), 0);
    }
    // The tab strip's own scroll bar.
    CScrollBar& tabsBar = grid_->GetSheetTabs()->GetScrollBar();
    EXPECT_EQ(::GetParent(tabsBar.m_hWnd), grid_->GetSheetTabs()->m_hWnd);
    EXPECT_EQ(tabsBar.GetDlgCtrlID(), GRIDTABS_SCROLLID);
    // The hint: a hidden pop-up, owned by the grid's top-level window (Windows gives a
    // pop-up made for a child window to the child's top-level window).
    HWND hint = grid_->GetHintWnd()->m_hWnd;
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(ClassOf(hint), "HintWnd");
    EXPECT_EQ(::GetWindow(hint, GW_OWNER), host_.m_hWnd);
    EXPECT_FALSE(::IsWindowVisible(hint));
    DWORD style = (DWORD)::GetWindowLongA(hint, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_BORDER), (DWORD)(WS_POPUP | WS_BORDER));
    DWORD exStyle = (DWORD)::GetWindowLongA(hint, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
              (DWORD)(WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    WNDCLASSA wc;
    ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), "HintWnd", &wc));
    EXPECT_EQ(wc.style & (CS_SAVEBITS | CS_DBLCLKS), (UINT)(CS_SAVEBITS | CS_DBLCLKS));
}

TEST_F(GridWindow, AFailedCreationCallsNoNotification) {
    grid_.reset(new CRecordingGrid);
    EXPECT_FALSE(grid_->Create(WS_CHILD, CRect(0, 0, 100, 100), NULL, 1));
    EXPECT_EQ(grid_->Count("OnGridSetup"), 0);
    EXPECT_EQ(grid_->Count("OnSheetSetup"), 0);
}

TEST_F(GridWindow, DeletingTheGridDestroysItsWindowsAndTheHint) {
    CreateGrid();
    std::vector<HWND> windows = ChildrenOf(grid_->m_hWnd);
    windows.push_back(grid_->m_hWnd);
    windows.push_back(grid_->GetHintWnd()->m_hWnd);
    grid_.reset();
    for (HWND h : windows) EXPECT_FALSE(::IsWindow(h));
}

TEST_F(GridWindow, AttachToDlgItemTakesOverADialogsControlWithBorderClippingAndTabStop) {
    for (int id : {IDC_TEST_GRID_STATIC, IDC_TEST_GRID_GROUP}) {
        SCOPED_TRACE(id);
        CDialog dialog;
        ASSERT_TRUE(dialog.Create(IDD_TEST_GRID_DIALOG, &host_));
        HWND hControl = ::GetDlgItem(dialog.m_hWnd, id);
        ASSERT_NE(hControl, nullptr);
        grid_.reset(new CRecordingGrid);
        ASSERT_TRUE(grid_->AttachToDlgItem(&dialog, id));
        EXPECT_EQ(grid_->m_hWnd, hControl);
        DWORD style = grid_->GetStyle();
        EXPECT_EQ(style & (WS_CLIPCHILDREN | WS_BORDER | WS_TABSTOP),
                  (DWORD)(WS_CLIPCHILDREN | WS_BORDER | WS_TABSTOP));
        EXPECT_THAT(grid_->Texts({"OnGridSetup", "OnSheetSetup"}),
                    ElementsAre("OnGridSetup()", "OnSheetSetup(0)"));
        std::vector<HWND> children = ChildrenOf(hControl);
        EXPECT_EQ(children.size(), 8u);
        for (HWND h : children)
            EXPECT_EQ(::GetDlgCtrlID(h),
                      h == grid_->GetInPlaceEdit()->m_hWnd ? GRID_EDITOR_ID : id);
        EXPECT_EQ(grid_->SendMessage(WM_GETDLGCODE), 5);
        // The border takes its room: the layout fills the client area inside it.
        CRect window, client;
        grid_->GetWindowRect(&window);
        grid_->GetClientRect(&client);
        EXPECT_EQ(client.Width(), window.Width() - 2 * ::GetSystemMetrics(SM_CXBORDER));
        CRect cells = RectInParent(grid_->GetCellArea()->m_hWnd);
        EXPECT_EQ(cells.right, client.right);
        EXPECT_EQ(cells.bottom, client.bottom);
        // The dialog ends its controls; the grid object outlives them harmlessly.
        dialog.DestroyWindow();
        EXPECT_EQ(grid_->m_hWnd, nullptr);
        grid_.reset();
    }
}

TEST_F(GridWindow, AttachingToAMissingItemFails) {
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_GRID_DIALOG, &host_));
    grid_.reset(new CRecordingGrid);
    EXPECT_FALSE(grid_->AttachToDlgItem(&dialog, 1003));
    EXPECT_FALSE(grid_->AttachToDlgItem(NULL, IDC_TEST_GRID_STATIC));
    EXPECT_EQ(grid_->Count("OnGridSetup"), 0);
    dialog.DestroyWindow();
}

// --- layout -------------------------------------------------------------------------------

TEST_F(GridWindow, AnEmptyGridHidesBothBarsWithoutATabStrip) {
    CreateGrid();
    const std::string expected =
        "OnLayoutChange([40,20,400,300],[40,0,400,20],[0,20,40,300],[0,0,40,20],"
        "[400,0,400,300],[0,300,400,300],[0,300,0,300])";
    EXPECT_EQ(LastLayout(), expected);
    EXPECT_EQ(WindowPlaces(), expected);
    CGridSettings* s = grid_->GetSettings();
    EXPECT_EQ(s->m_nCellAreaWidth, 360);
    EXPECT_EQ(s->m_nCellAreaHeight, 280);
    EXPECT_EQ(RectText(s->m_rcCorner), "[0,0,40,20]");
}

TEST_F(GridWindow, ATabStripKeepsTheBarLineAndIsCutOrRaisedForTheLayoutOnly) {
    CreateGrid();
    const int hb = grid_->GetHScrollBarHeight();
    const std::string bottom = std::to_string(300 - hb);
    struct Case {
        int width, drawn;
    } cases[] = {{100, 100}, {1000, 330}, {331, 330}, {330, 330}, {2, 4}, {1, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(grid_->SetTabStripWidth(c.width), 0);
        grid_->LayoutChildWindows();
        const std::string t = std::to_string(c.drawn);
        const std::string expected = "OnLayoutChange([40,20,400," + bottom +
                                     "],[40,0,400,20],[0,20,40," + bottom +
                                     "],[0,0,40,20],[400,0,400," + bottom + "],[" + t + "," +
                                     bottom + ",400,300],[0," + bottom + "," + t + ",300])";
        EXPECT_EQ(LastLayout(), expected);
        EXPECT_EQ(WindowPlaces(), expected);
        EXPECT_EQ(grid_->GetTabStripWidth(), c.width) << "the setting keeps its value";
    }
    grid_->SetTabStripWidth(0);
    grid_->LayoutChildWindows();
    EXPECT_EQ(RectText(RectInParent(grid_->GetSheetTabs()->m_hWnd)), "[0,300,0,300]");
}

TEST_F(GridWindow, ResizingTheGridLaysItOutAgain) {
    CreateGrid();
    grid_->MoveWindow(10, 10, 300, 200);
    EXPECT_EQ(LastLayout(),
              "OnLayoutChange([40,20,300,200],[40,0,300,20],[0,20,40,200],[0,0,40,20],"
              "[300,0,300,200],[0,200,300,200],[0,200,0,200])");
    EXPECT_TRUE(grid_->GetRedraw());
    // A program that switched redraw off keeps it off through a resize.
    grid_->SetRedraw(FALSE);
    grid_->MoveWindow(10, 10, 350, 250);
    EXPECT_FALSE(grid_->GetRedraw());
}

// --- redraw -------------------------------------------------------------------------------

TEST_F(GridWindow, WhileRedrawIsOffNoChildWindowIsRefreshed) {
    CreateGrid();
    grid_->Clear();
    grid_->RepaintAll();
    EXPECT_GT(grid_->Count("OnGetDefaultColor"), 0) << "the cell area painted";
    EXPECT_GT(grid_->Count("OnPaintSection"), 0) << "the corner painted";
    grid_->Clear();
    EXPECT_EQ(grid_->SetRedraw(FALSE), 0);
    grid_->RepaintAll();
    grid_->UpdateChildWindows();
    EXPECT_EQ(grid_->Count("OnGetDefaultColor"), 0);
    EXPECT_EQ(grid_->Count("OnPaintSection"), 0);
    grid_->SetRedraw(7);
    EXPECT_EQ(grid_->GetRedraw(), 1);
    grid_->RepaintAll();
    EXPECT_GT(grid_->Count("OnPaintSection"), 0);
}

// --- sheets -------------------------------------------------------------------------------

TEST_F(GridWindow, NewSheetsGetTheirOwnSettingsAndSetupWhileTheCurrentOneStays) {
    CreateGrid();
    grid_->Clear();
    EXPECT_EQ(grid_->SetSheetCount(0), 1);
    EXPECT_EQ(grid_->SetSheetCount(1025), 1);
    EXPECT_EQ(grid_->GetSheetCount(), 1);
    CGridSettings* first = grid_->GetSettings();
    EXPECT_EQ(grid_->SetSheetCount(3), 0);
    EXPECT_THAT(grid_->Texts({"OnSheetSetup"}), ElementsAre("OnSheetSetup(1)", "OnSheetSetup(2)"));
    EXPECT_EQ(grid_->GetCurrentSheet(), 0);
    EXPECT_EQ(grid_->GetSettings(), first);
    EXPECT_EQ(grid_->GetCellArea()->m_pSettings, first);
    for (int i = 1; i < 3; ++i) {
        CGridSettings* s = grid_->GetSheetSettings(i);
        ASSERT_NE(s, nullptr);
        EXPECT_NE(s, first);
        EXPECT_EQ(s->m_pMemDataSource->GetGrid(), grid_.get());
        EXPECT_EQ(s->m_pSelection->GetGrid(), grid_.get());
        EXPECT_EQ(s->m_pDefaultEditor, grid_->GetInPlaceEdit());
    }
    EXPECT_EQ(grid_->GetSheetSettings(3), nullptr);
}

TEST_F(GridWindow, SheetsKeepTheirOwnCountsCursorsAndCells) {
    CreateGrid();
    grid_->SetSheetCount(2);
    grid_->SetColCount(3);
    grid_->SetRowCount(4);
    grid_->SetCellText(1, 1, "sheet 0");
    grid_->GotoCell(2, 3);
    EXPECT_EQ(grid_->SelectSheet(1, TRUE), 0);
    EXPECT_EQ(grid_->GetCurrentSheet(), 1);
    EXPECT_EQ(grid_->GetColCount(), 0);
    EXPECT_EQ(grid_->GetRowCount(), 0);
    EXPECT_EQ(grid_->GetCursorCol(), -1);
    grid_->SetColCount(5);
    grid_->SetRowCount(9);
    grid_->SetCellText(1, 1, "sheet 1");
    for (CWnd* child : {(CWnd*)grid_->GetCellArea(), (CWnd*)grid_->GetColumnHeading(),
                        (CWnd*)grid_->GetRowHeading(), (CWnd*)grid_->GetCornerWnd()})
        EXPECT_NE(child->m_hWnd, nullptr);
    EXPECT_EQ(grid_->GetCellArea()->m_pSettings, grid_->GetSheetSettings(1));
    EXPECT_EQ(grid_->GetPrintObject()->m_pSettings, grid_->GetSheetSettings(1));
    EXPECT_EQ(grid_->SelectSheet(0, TRUE), 0);
    EXPECT_EQ(grid_->GetColCount(), 3);
    EXPECT_EQ(grid_->GetRowCount(), 4);
    EXPECT_EQ(grid_->GetCursorCol(), 2);
    EXPECT_EQ(grid_->GetCursorRow(), 3);
    EXPECT_STREQ(grid_->GetCellText(1, 1), "sheet 0");
    grid_->SelectSheet(1, TRUE);
    EXPECT_STREQ(grid_->GetCellText(1, 1), "sheet 1");
    EXPECT_EQ(grid_->SelectSheet(2, TRUE), 1);
    EXPECT_EQ(grid_->SelectSheet(-1, TRUE), 1);
    EXPECT_EQ(grid_->GetCurrentSheet(), 1);
}

TEST_F(GridWindow, SelectingASheetCarriesTheTabStripOverAndRedrawsOnlyWhenAsked) {
    CreateGrid();
    grid_->SetSheetCount(2);
    grid_->SetTabStripWidth(120);
    grid_->Clear();
    EXPECT_EQ(grid_->SelectSheet(1, FALSE), 0);
    EXPECT_EQ(grid_->GetTabStripWidth(), 120);
    EXPECT_EQ(grid_->Count("OnLayoutChange"), 1);
    EXPECT_EQ(grid_->Count("OnPaintSection"), 0) << "not refreshed";
    EXPECT_TRUE(grid_->GetRedraw());
    grid_->Clear();
    grid_->SelectSheet(0, TRUE);
    EXPECT_GT(grid_->Count("OnPaintSection"), 0);
}

TEST_F(GridWindow, RemovingTheCurrentSheetSelectsTheLastOneWithTheStripWidthItHad) {
    CreateGrid();
    grid_->SetSheetCount(4);
    grid_->SelectSheet(3, TRUE);
    grid_->SetTabStripWidth(150);
    grid_->SetRowCount(7);
    EXPECT_EQ(grid_->SetSheetCount(2), 0);
    EXPECT_EQ(grid_->GetSheetCount(), 2);
    EXPECT_EQ(grid_->GetCurrentSheet(), 1);
    EXPECT_EQ(grid_->GetSettings(), grid_->GetSheetSettings(1));
    EXPECT_EQ(grid_->GetTabStripWidth(), 150);
    EXPECT_EQ(grid_->GetRowCount(), 0);
    for (CGridSettings* s :
         {grid_->GetCellArea()->m_pSettings, grid_->GetColumnHeading()->m_pSettings,
          grid_->GetRowHeading()->m_pSettings, grid_->GetCornerWnd()->m_pSettings,
          grid_->GetVScrollBar()->m_pSettings, grid_->GetHScrollBar()->m_pSettings,
          grid_->GetSheetTabs()->m_pSettings, grid_->GetPrintObject()->m_pSettings})
        EXPECT_EQ(s, grid_->GetSettings());
    const std::string hb = std::to_string(300 - grid_->GetHScrollBarHeight());
    EXPECT_EQ(RectText(RectInParent(grid_->GetSheetTabs()->m_hWnd)), "[0," + hb + ",150,300]");
    // Fewer sheets that keep the current one leave it as it is.
    grid_->SelectSheet(0, TRUE);
    EXPECT_EQ(grid_->SetSheetCount(1), 0);
    EXPECT_EQ(grid_->GetCurrentSheet(), 0);
}

// --- notification defaults and commands ---------------------------------------------------

TEST(GridNotifications, AGridThatOverridesNothingAnswersEveryQueryWithYes) {
    CGridWnd grid;
    int n = 5;
    UINT ch = 'x';
    CWnd* editor = NULL;
    CRect rc(0, 0, 1, 1);
    for (BOOL answer :
         {grid.OnCursorMoving(0, 0, 1, 1), grid.OnScrollPosChanging(0, 0, 1, 1),
          grid.CanResizeColumn(0), grid.CanResizeRow(0), grid.CanResizeColumnHeading(),
          grid.CanResizeRowHeading(), grid.OnColumnHeadingHeightChanging(&n),
          grid.OnRowHeadingWidthChanging(&n), grid.OnColumnHeadingHeightChanged(&n),
          grid.OnRowHeadingWidthChanged(&n), grid.OnCellTypeNotify(2, 0, 0, 101, 0),
          grid.OnEditStart(0, 0, &editor), grid.OnEditChar(0, 0, NULL, &ch),
          grid.OnEditFinish(0, 0, NULL, "x", FALSE), grid.OnEditContinue(0, 0, &n, &n),
          grid.OnMenuStart(0, 0, 1), grid.CanDragColumn(0), grid.OnColumnMoving(0, 1)})
        EXPECT_EQ(answer, TRUE);
    CString text("untouched");
    EXPECT_TRUE(grid.OnGetVScrollHint(5, &text));
    EXPECT_TRUE(grid.OnGetHScrollHint(5, &text));
    EXPECT_EQ(std::string(text), "untouched");
    EXPECT_TRUE(grid.OnGetHintText(3, 70000, 1, &text));
    EXPECT_EQ(std::string(text), "Col:3 Row:70000");
    EXPECT_EQ(grid.OnGetDefaultColor(GRIDSECTION_CELLS), ::GetSysColor(COLOR_WINDOW));
    for (int section : {0, GRIDSECTION_COLHEADINGS, GRIDSECTION_ROWHEADINGS})
        EXPECT_EQ(grid.OnGetDefaultColor(section), ::GetSysColor(COLOR_BTNFACE));
}

TEST(GridNotifications, TheDefaultFocusMarkLiesOnePixelInsideTheRightAndBottomEdges) {
    CGridWnd grid;
    DibCanvas canvas(60, 40, RGB(255, 255, 255));
    CRect rc(10, 10, 30, 20);
    grid.OnDrawFocusRect(canvas.Dc(), &rc);
    EXPECT_EQ(canvas.CountNot(CRect(0, 0, 60, 40), RGB(255, 255, 255)),
              canvas.CountNot(CRect(10, 10, 29, 19), RGB(255, 255, 255)));
    EXPECT_GT(canvas.CountNot(CRect(10, 10, 29, 19), RGB(255, 255, 255)), 0);
    EXPECT_EQ(rc, CRect(10, 10, 30, 20)) << "the caller's rectangle stays";
}

TEST_F(GridWindow, MenuCommandsFrom1000OnReachOnMenuCommandFirst) {
    CreateGrid();
    grid_->Clear();
    grid_->SendMessage(WM_COMMAND, MAKEWPARAM(1000, 0), 0);
    grid_->SendMessage(WM_COMMAND, MAKEWPARAM(999, 0), 0);
    grid_->SendMessage(WM_COMMAND, MAKEWPARAM(1200, EN_CHANGE),
                       (LPARAM)grid_->GetInPlaceEdit()->m_hWnd);
    EXPECT_THAT(grid_->Texts({"OnMenuCommand"}), ElementsAre("OnMenuCommand(-1,-1,0,1000)"));
    ASSERT_NE(grid_->GetPopupMenu(), nullptr);
    EXPECT_TRUE(::IsMenu(grid_->GetPopupMenu()->m_hMenu));
    EXPECT_EQ(grid_->GetPopupMenu()->GetMenuItemCount(), 0u);
}

// --- moves and their notifications --------------------------------------------------------

class GridMoves : public GridWindow {
protected:
    void SetUp() override {
        GridWindow::SetUp();
        CreateGrid();
        grid_->IgnorePainting();
    }
};

TEST_F(GridMoves, TheFirstRowsAndColumnsPutTheCursorOnTheFirstCell) {
    grid_->Clear();
    grid_->SetColCount(3);
    EXPECT_THAT(grid_->Texts({"OnCursorMoving", "OnCursorColChanged", "OnCursorCellChanged"}),
                ElementsAre("OnCursorMoving(-1,-1,0,-1)", "OnCursorColChanged(-1,0)",
                            "OnCursorCellChanged(-1,0,-1,-1)"));
    grid_->Clear();
    grid_->SetRowCount(5);
    EXPECT_THAT(grid_->Texts({"OnCursorMoving", "OnCursorRowChanged", "OnCursorCellChanged"}),
                ElementsAre("OnCursorMoving(0,-1,0,0)", "OnCursorRowChanged(-1,0)",
                            "OnCursorCellChanged(0,0,-1,0)"));
    EXPECT_EQ(grid_->GetCursorCol(), 0);
    EXPECT_EQ(grid_->GetCursorRow(), 0);
    // Fewer rows than the cursor row bring it onto the last one; none leave no cursor.
    grid_->GotoRow(4);
    grid_->SetRowCount(2);
    EXPECT_EQ(grid_->GetCursorRow(), 1);
    grid_->SetColCount(0);
    EXPECT_EQ(grid_->GetCursorCol(), -1);
    EXPECT_EQ(grid_->SetColCount(32001), 1);
    EXPECT_EQ(grid_->SetRowCount(-1), 1);
}

TEST_F(GridMoves, AMoveThatScrollsNotifiesColumnRowCellThenScrollPosition) {
    grid_->SetColCount(20);
    grid_->SetRowCount(100);
    grid_->Clear();
    EXPECT_EQ(grid_->GotoCell(15, 60), 0);
    EXPECT_EQ(grid_->GetCursorCol(), 15);
    EXPECT_EQ(grid_->GetCursorRow(), 60);
    std::vector<std::string> names;
    for (const GridCall& call : grid_->Calls()) names.push_back(call.name);
    EXPECT_THAT(names, ElementsAre("OnCursorMoving", "OnScrollPosChanging", "OnCursorColChanged",
                                   "OnCursorRowChanged", "OnCursorCellChanged", "OnLeftColChanged",
                                   "OnTopRowChanged"));
    EXPECT_EQ(grid_->Calls()[0].text, "OnCursorMoving(0,0,15,60)");
    EXPECT_EQ(grid_->Calls()[1].text, "OnScrollPosChanging(0,0,15,60)");
    EXPECT_EQ(grid_->Calls()[4].text, "OnCursorCellChanged(0,15,0,60)");
    EXPECT_GT(grid_->GetTopRow(), 0);
    EXPECT_LE(grid_->GetTopRow(), 60);
    EXPECT_GT(grid_->GetLeftCol(), 0);
    // The same cell again: nothing.
    grid_->Clear();
    EXPECT_EQ(grid_->GotoCell(15, 60), 0);
    EXPECT_TRUE(grid_->Calls().empty());
}

TEST_F(GridMoves, ARefusingQueryLeavesCursorAndScrollPositionAndAnswers2) {
    grid_->SetColCount(20);
    grid_->SetRowCount(100);
    for (const char* query : {"OnCursorMoving", "OnScrollPosChanging"}) {
        SCOPED_TRACE(query);
        grid_->ResetAnswers();
        grid_->Refuse(query);
        grid_->Clear();
        EXPECT_EQ(grid_->GotoCell(15, 60), 2);
        EXPECT_EQ(grid_->GotoRow(70), 2);
        EXPECT_EQ(grid_->GotoCol(19), 2);
        EXPECT_EQ(grid_->GetCursorCol(), 0);
        EXPECT_EQ(grid_->GetCursorRow(), 0);
        EXPECT_EQ(grid_->GetTopRow(), 0);
        EXPECT_EQ(grid_->GetLeftCol(), 0);
        EXPECT_EQ(grid_->Count("OnCursorCellChanged"), 0);
        EXPECT_EQ(grid_->Count("OnTopRowChanged"), 0);
    }
    grid_->ResetAnswers();
    EXPECT_EQ(grid_->SetTopRow(5), 0);
    grid_->Refuse("OnScrollPosChanging");
    EXPECT_EQ(grid_->SetTopRow(9), 2);
    EXPECT_EQ(grid_->GetTopRow(), 5);
}

class CRefusingSource : public CGridMemDataSource {
public:
    int CanMove(int, int, int, int) override { return 0; }
};

TEST_F(GridMoves, TheDataSourcesMoveQueryBlocksCellAndColumnMovesButNotRowsOrScrolling) {
    CRefusingSource source;
    grid_->SetDataSource(grid_->AddDataSource(&source));
    grid_->SetColCount(20);
    grid_->SetRowCount(100);
    EXPECT_EQ(grid_->GetCursorCol(), -1) << "the first column was refused too";
    EXPECT_EQ(grid_->GotoCell(3, 3), 2);
    EXPECT_EQ(grid_->GotoCol(3), 2);
    EXPECT_EQ(grid_->GotoRow(7), 0);
    EXPECT_EQ(grid_->GetCursorRow(), 7);
    EXPECT_EQ(grid_->SetTopRow(4), 0);
    EXPECT_EQ(grid_->GetTopRow(), 4);
    grid_.reset();  // before the source it uses
}

TEST_F(GridMoves, TheScrollQueryGetsTheOldAndTheRequestedPosition) {
    grid_->SetColCount(20);
    grid_->SetRowCount(100);
    ASSERT_GE(grid_->GetSettings()->m_nMaxTopRow, 7);
    grid_->SetLeftCol(2);
    grid_->SetTopRow(3);
    grid_->Clear();
    EXPECT_EQ(grid_->SetTopRow(7), 0);
    EXPECT_THAT(grid_->Texts({"OnScrollPosChanging", "OnTopRowChanged"}),
                ElementsAre("OnScrollPosChanging(2,3,2,7)", "OnTopRowChanged(3,7)"));
    // Beyond the largest top row the top row stops there.
    EXPECT_EQ(grid_->SetTopRow(100000), 0);
    EXPECT_EQ(grid_->GetTopRow(), grid_->GetSettings()->m_nMaxTopRow);
    EXPECT_EQ(grid_->SetTopRow(-3), 0);
    EXPECT_EQ(grid_->GetTopRow(), 0);
}

TEST_F(GridMoves, AMovePastTheLastRowAsksForRowsAndEndsOnTheLastOne) {
    grid_->SetColCount(2);
    grid_->SetRowCount(10);
    grid_->Clear();
    EXPECT_EQ(grid_->GotoRow(15), 0);
    EXPECT_EQ(grid_->GetCursorRow(), 9);
    // The move asks for the six rows; the cell area's repaint, which reached the last row,
    // then asks for the one after it.
    EXPECT_THAT(grid_->Texts({"OnRowsAppended"}),
                ElementsAre("OnRowsAppended(10,6,0)", "OnRowsAppended(10,1,0)"));
    EXPECT_EQ(grid_->GotoRow(12), 1) << "already on the last row";
}

}  // namespace
