// Editing in a grid, driven by real messages: the in-place editor's cycle (start from a typed
// key or a double click as the parameter grids do, keys, refusals, focus loss, growing), the
// masked edit, the clipboard, the context menu, and the check-box, drop-list, push-button and
// parameter-button cell types; and the screenshots of a sample row like a parameter grid's.
#include "grid.h"
#include "grid_test_ids.h"
#include "gridtestkit.h"
#include "recordinggrid.h"
#include "window_kit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

const int kGridId = 78;
const int kMaskedId = 124;

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
LPARAM At(const CPoint& pt) { return MAKELPARAM(pt.x, pt.y); }

std::string Text(const CRect& rc) {
    return "[" + std::to_string(rc.left) + "," + std::to_string(rc.top) + "," +
           std::to_string(rc.right) + "," + std::to_string(rc.bottom) + "]";
}

std::string TextOf(HWND hWnd) {
    char text[512] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

// The grid as a parameter grid uses it: a typed character that no cell type took opens the
// editor with it, a double click opens it; column 0 edits with the masked edit when asked.
// The texts that the drop list's notifications carry are kept, and code 100 may change the
// entries.
class CEditGrid : public CRecordingGrid {
public:
    void OnGridChar(UINT* pChar, BOOL bProcessed) override {
        CRecordingGrid::OnGridChar(pChar, bProcessed);
        if (!bProcessed && *pChar >= 32) BeginEditWithKey(*pChar);
    }
    void OnCellDblClick(int nCol, int nRow, CRect* pRect, CPoint* pPoint,
                        BOOL bProcessed) override {
        CRecordingGrid::OnCellDblClick(nCol, nRow, pRect, pPoint, bProcessed);
        if (!bProcessed) BeginEdit();
    }
    BOOL OnEditStart(int nCol, int nRow, CWnd** ppEditor) override {
        const BOOL bGo = CRecordingGrid::OnEditStart(nCol, nRow, ppEditor);
        if (bGo && nCol == 0 && masked.m_hWnd != NULL) *ppEditor = &masked;
        return bGo;
    }
    BOOL OnCellTypeNotify(int nCellType, int nCol, int nRow, int nCode, LPARAM nData) override {
        if (nCode == GRIDNOTIFY_LISTCHOSEN || nCode == GRIDNOTIFY_LISTSTORED)
            listTexts.push_back(std::to_string(nCode) + ":" + (LPCSTR)nData);
        if (nCode == GRIDNOTIFY_BUTTON && changeEntries) {
            CStringList* pEntries = (CStringList*)nData;
            if (pEntries->GetCount() > 0) pEntries->RemoveHead();
            pEntries->AddTail("Added");
        }
        return CRecordingGrid::OnCellTypeNotify(nCellType, nCol, nRow, nCode, nData);
    }
    // Makes the masked edit, a hidden child of the grid, the editor of column 0.
    bool CreateMasked() {
        return masked.Create(WS_CHILD, CRect(0, 0, 0, 0), this, kMaskedId) != FALSE;
    }

    CGridMaskedEdit masked;
    std::vector<std::string> listTexts;
    bool changeEntries = false;
};

class Editing : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host_.Create("grid editing", 640, 480)); }
    void TearDown() override {
        if (grid_ != nullptr && grid_->m_hWnd != NULL) grid_->CancelEdit();
        grid_.reset();
        host_.DestroyWindow();
        PumpMessages();
    }
    // Columns of 75 and rows of 20 on a cell area of 300 x 200 (both bars shown), the cell
    // area focused.
    void CreateGrid(int nCols, int nRows) {
        grid_.reset(new CEditGrid);
        ASSERT_TRUE(grid_->Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 370, 250), &host_, kGridId));
        grid_->SetVScrollBarWidth(20);
        grid_->SetHScrollBarHeight(20);
        grid_->SetColCount(nCols);
        grid_->SetRowCount(nRows);
        grid_->LayoutChildWindows();
        PumpMessages();
        TakeFocus();
        grid_->IgnorePainting();
        grid_->Clear();
    }
    // Puts the host in front with the cell area focused.
    void TakeFocus() {
        for (int attempt = 0; attempt < 20 && CWnd::GetFocus() != Cells(); ++attempt) {
            ::SetForegroundWindow(host_.m_hWnd);
            Cells()->SetFocus();
            PumpMessages();
        }
        ASSERT_EQ(CWnd::GetFocus(), Cells());
    }
    CWnd* Cells() { return grid_->GetCellArea(); }
    HWND Editor() { return grid_->GetInPlaceEdit()->m_hWnd; }
    bool EditorShown() { return ::IsWindowVisible(Editor()) != FALSE; }
    // The window with the focus, as the keyboard would reach it.
    HWND Focus() { return ::GetFocus(); }
    void KeyTo(HWND hWnd, UINT vk) {
        ::SendMessageA(hWnd, WM_KEYDOWN, vk, 1);
        if (::IsWindow(hWnd)) ::SendMessageA(hWnd, WM_KEYUP, vk, 0xC0000001);
    }
    // A key to the focused window, as the keyboard sends it.
    void Key(UINT vk) { KeyTo(Focus(), vk); }
    void Type(const std::string& text) {
        for (char c : text) ::SendMessageA(Focus(), WM_CHAR, (BYTE)c, 1);
    }
    CPoint Centre(int nCol, int nRow) {
        CRect rc;
        grid_->GetCellRect(nCol, nRow, rc);
        return rc.CenterPoint();
    }
    void Click(CWnd* pWnd, const CPoint& pt, bool bRight = false) {
        pWnd->SendMessage(bRight ? WM_RBUTTONDOWN : WM_LBUTTONDOWN,
                          bRight ? MK_RBUTTON : MK_LBUTTON, At(pt));
        pWnd->SendMessage(bRight ? WM_RBUTTONUP : WM_LBUTTONUP, 0, At(pt));
    }
    // The left button down, moved with it held, and up, on the cell area.
    void Down(const CPoint& pt) { Cells()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pt)); }
    void Move(const CPoint& pt) { Cells()->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(pt)); }
    void Up(const CPoint& pt) { Cells()->SendMessage(WM_LBUTTONUP, 0, At(pt)); }
    std::string Cell(int nCol, int nRow) {
        LPCSTR p = grid_->GetCellText(nCol, nRow);
        return p != NULL ? p : "";
    }
    // The editor's place in its parent's client coordinates.
    CRect EditorRect(HWND hWnd) { return RectInParent(hWnd); }

    CHostWnd host_;
    std::unique_ptr<CEditGrid> grid_;
};

// --- the in-place editor ----------------------------------------------------------------------

TEST_F(Editing, ATypedKeyOpensTheEditorHoldingItAndEnterStoresAndGoesOnDown) {
    CreateGrid(3, 3);
    grid_->SetCellText(1, 2, "old");
    grid_->GotoCell(1, 1);
    Type("4");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Focus(), Editor());
    EXPECT_EQ(::GetParent(Editor()), Cells()->m_hWnd) << "the editor lies over the cells";
    EXPECT_EQ(TextOf(Editor()), "4") << "the key replaced the selected text";
    EXPECT_EQ(Text(EditorRect(Editor())), Text(CRect(75, 20, 149, 39)))
        << "the cell less a pixel at the right and bottom";
    Type("2");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(1, 1), "42");
    EXPECT_EQ(grid_->GetCursorRow(), 2);
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Focus(), Editor()) << "the edit goes on in the next row";
    EXPECT_EQ(TextOf(Editor()), "old");
    Type("x");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(1, 2), "x");
    EXPECT_EQ(grid_->GetCursorRow(), 0) << "from the last row to row 0";
    EXPECT_EQ(grid_->GetEditRow(), 0);
    EXPECT_THAT(grid_->Texts({"OnEditFinish"}),
                ElementsAre("OnEditFinish(1,1,#123,\"42\",0)", "OnEditFinish(1,2,#123,\"x\",0)"));
    Key(VK_ESCAPE);
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(grid_->IsEditing());
    EXPECT_EQ(Focus(), Cells()->m_hWnd);
}

TEST_F(Editing, TabAndShiftTabWrapWithinTheRowAndAContinuePastBothEdgesStartsAtTheOrigin) {
    CreateGrid(3, 3);
    struct Case {
        int col, row;
        UINT vk;
        bool shift;
        int toCol, toRow;
    } cases[] = {
        {0, 1, VK_TAB, false, 1, 1},    {2, 1, VK_TAB, false, 0, 1}, {0, 1, VK_TAB, true, 2, 1},
        {2, 2, VK_TAB, false, 0, 2},    {1, 0, VK_UP, false, 1, 2},  {1, 2, VK_DOWN, false, 1, 0},
        {2, 2, VK_RETURN, false, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.col) + "," + std::to_string(c.row) + " key " +
                     std::to_string(c.vk) + (c.shift ? " shift" : ""));
        ASSERT_EQ(grid_->EditCell(c.col, c.row, 'v'), 0);
        {
            std::unique_ptr<KeyHeld> shift(c.shift ? new KeyHeld(VK_SHIFT) : nullptr);
            Key(c.vk);
        }
        EXPECT_EQ(Cell(c.col, c.row), "v");
        EXPECT_EQ(grid_->GetEditCol(), c.toCol);
        EXPECT_EQ(grid_->GetEditRow(), c.toRow);
        EXPECT_EQ(grid_->GetCursorCol(), c.toCol);
        EXPECT_EQ(grid_->GetCursorRow(), c.toRow);
        EXPECT_EQ(Focus(), Editor());
        Key(VK_ESCAPE);
    }
    // Past the last column and the last row at once: column 0 of row 0.
    ASSERT_EQ(grid_->EditCell(2, 2, 0), 0);
    EXPECT_EQ(grid_->FinishEdit("end", FALSE, TRUE, 3, 3), 1);
    EXPECT_EQ(Cell(2, 2), "end");
    EXPECT_EQ(grid_->GetEditCol(), 0);
    EXPECT_EQ(grid_->GetEditRow(), 0);
    EXPECT_TRUE(grid_->IsEditing());
    Key(VK_ESCAPE);
}

TEST_F(Editing, EscapeDiscardsARefusedFinishKeepsTheEditOpenAndHooksFilterCharacters) {
    CreateGrid(3, 3);
    grid_->SetCellText(0, 0, "kept");
    grid_->GotoCell(0, 0);
    Type("new");
    Key(VK_ESCAPE);
    EXPECT_EQ(Cell(0, 0), "kept");
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid_->Last("OnEditFinish")->text, "OnEditFinish(0,0,#123,\"new\",1)");

    grid_->Refuse("OnEditFinish");
    Type("n");
    Key(VK_RETURN);
    EXPECT_TRUE(EditorShown());
    EXPECT_TRUE(grid_->IsEditing());
    EXPECT_EQ(Focus(), Editor()) << "a refused finish keeps the editor focused";
    EXPECT_EQ(Cell(0, 0), "kept");
    EXPECT_EQ(grid_->GetCursorRow(), 0);
    grid_->ResetAnswers();

    // A hook that says no keeps the character out; Tab, Enter and Escape characters never
    // reach the text.
    grid_->Refuse("OnEditChar");
    Type("q");
    grid_->ResetAnswers();
    for (char c : {'\t', '\r', '\x1b'}) ::SendMessageA(Focus(), WM_CHAR, c, 1);
    EXPECT_EQ(TextOf(Editor()), "n");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(0, 0), "n");
    Key(VK_ESCAPE);
}

TEST_F(Editing, ADoubleClickOpensTheEditorAndClicksDuringAnEditDoNothing) {
    CreateGrid(3, 3);
    grid_->SetCellText(2, 1, "dbl");
    const CPoint pt = Centre(2, 1);
    Cells()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pt));
    Cells()->SendMessage(WM_LBUTTONUP, 0, At(pt));
    Cells()->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(pt));
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(TextOf(Editor()), "dbl");
    grid_->Clear();
    Click(Cells(), Centre(0, 0));
    Click(Cells(), Centre(0, 0), true);
    Cells()->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(Centre(0, 0)));
    EXPECT_EQ(grid_->GetCursorCol(), 2);
    EXPECT_EQ(grid_->GetCursorRow(), 1);
    EXPECT_EQ(grid_->Count("OnCellLeftClick") + grid_->Count("OnCellRightClick") +
                  grid_->Count("OnCellDblClick"),
              0);
    EXPECT_TRUE(EditorShown());
    Key(VK_ESCAPE);
}

TEST_F(Editing, ReadOnlyCellsAndTypesWithoutEditorRefuseAndAQueryMayRefuse) {
    CreateGrid(3, 3);
    CGridCell cell;
    cell.SetText("ro");
    cell.SetReadOnly(TRUE);
    grid_->SetCell(0, 0, cell);
    grid_->SetCellTypeAt(1, 0, 2);
    EXPECT_EQ(grid_->EditCell(0, 0, 0), 1);
    EXPECT_EQ(grid_->EditCell(1, 0, 0), 1) << "a check box has no editor";
    grid_->Refuse("OnEditStart");
    EXPECT_EQ(grid_->EditCell(2, 0, 0), 1);
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(grid_->IsEditing());
    grid_->ResetAnswers();
    grid_->Refuse("OnCursorMoving");
    EXPECT_EQ(grid_->EditCell(2, 2, 0), 2) << "the cursor did not get there";
    EXPECT_FALSE(grid_->IsEditing());
}

TEST_F(Editing, AnEditorPutInPlaceByOnEditStartGetsTheTextAndTheCellsPlace) {
    CreateGrid(3, 3);
    ASSERT_TRUE(grid_->CreateMasked());
    grid_->SetCellText(0, 2, "12:34");
    ASSERT_EQ(grid_->EditCell(0, 2, 0), 0);
    HWND hMasked = grid_->masked.m_hWnd;
    EXPECT_EQ(Focus(), hMasked);
    EXPECT_TRUE(::IsWindowVisible(hMasked));
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(TextOf(hMasked), "12:34");
    EXPECT_EQ(::GetParent(hMasked), Cells()->m_hWnd);
    EXPECT_EQ(Text(EditorRect(hMasked)), Text(CRect(0, 40, 74, 59)));
    Type("7");
    Key(VK_TAB);
    EXPECT_EQ(Cell(0, 2), "7");
    EXPECT_FALSE(::IsWindowVisible(hMasked));
    EXPECT_EQ(Focus(), Editor()) << "column 1 edits with the in-place editor";
    EXPECT_EQ(grid_->Last("OnEditFinish")->text, "OnEditFinish(0,2,#124,\"7\",0)");
    Key(VK_ESCAPE);
    // CancelEdit hides the default editor and hands the focus to the cells.
    ASSERT_EQ(grid_->EditCell(1, 1, 0), 0);
    EXPECT_EQ(grid_->CancelEdit(), 0);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Focus(), Cells()->m_hWnd);
}

TEST_F(Editing, AHeadingCellEditsInItsHeadingWindowAndDoesNotGoOn) {
    CreateGrid(3, 3);
    grid_->SetCellText(1, -1, "Value");
    ASSERT_EQ(grid_->EditCell(1, -1, 0), 0);
    EXPECT_EQ(::GetParent(Editor()), grid_->GetColumnHeading()->m_hWnd);
    EXPECT_EQ(TextOf(Editor()), "Value");
    Type("Span");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(1, -1), "Span");
    EXPECT_FALSE(grid_->IsEditing()) << "only an edit over the cells goes on";
    EXPECT_FALSE(EditorShown());
    ASSERT_EQ(grid_->EditCell(-1, 2, 0), 0);
    EXPECT_EQ(::GetParent(Editor()), grid_->GetRowHeading()->m_hWnd);
    Type("third");
    Key(VK_TAB);
    EXPECT_EQ(Cell(-1, 2), "third");
    EXPECT_FALSE(grid_->IsEditing());
    EXPECT_EQ(grid_->EditCell(-1, -1, 0), 1) << "the corner has no editor";
    // The next body edit is over the cells again.
    ASSERT_EQ(grid_->EditCell(0, 0, 0), 0);
    EXPECT_EQ(::GetParent(Editor()), Cells()->m_hWnd);
    Key(VK_ESCAPE);
}

TEST_F(Editing, AGridDestroyedDuringAnEditTakesItsEditorsAlong) {
    for (int nCol : {0, 1}) {
        SCOPED_TRACE(nCol);
        CreateGrid(3, 3);
        ASSERT_TRUE(grid_->CreateMasked());
        ASSERT_EQ(grid_->EditCell(nCol, 1, 0), 0);
        Type("open");
        ASSERT_TRUE(grid_->IsEditing());
        grid_->DestroyWindow();
        PumpMessages();
        EXPECT_EQ(grid_->m_hWnd, (HWND)NULL);
        EXPECT_EQ(grid_->GetInPlaceEdit()->m_hWnd, (HWND)NULL);
        EXPECT_EQ(grid_->masked.m_hWnd, (HWND)NULL);
        EXPECT_FALSE(grid_->IsEditing());
        EXPECT_EQ(Cell(nCol, 1), "") << "not stored";
        grid_.reset();
    }
}

// In a dialog (as on a parameter page) the dialog manager hands Enter, Escape and Tab to the
// editors instead of pressing OK or Cancel or moving the focus on.
int g_nDialogCommands = 0;
INT_PTR CALLBACK CountingDialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ++g_nDialogCommands;
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

TEST_F(Editing, InADialogTheEditorsGetEnterEscapeAndTab) {
    HWND hDlg =
        ::CreateDialogParamA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_TEST_GRID_DIALOG),
                             host_.m_hWnd, CountingDialogProc, 0);
    ASSERT_NE(hDlg, (HWND)NULL);
    g_nDialogCommands = 0;
    grid_.reset(new CEditGrid);
    ASSERT_TRUE(grid_->Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(5, 5, 300, 150),
                              CWnd::FromHandle(hDlg), kGridId));
    ASSERT_TRUE(grid_->CreateMasked());
    grid_->SetColCount(3);
    grid_->SetRowCount(3);
    for (int attempt = 0; attempt < 20 && ::GetForegroundWindow() != hDlg; ++attempt) {
        ::SetForegroundWindow(hDlg);
        PumpMessages();
    }
    auto dialogKey = [&](UINT vk) {
        KeyHeld held(vk);
        MSG msg = {::GetFocus(), WM_KEYDOWN, vk, 1, 0, {0, 0}};
        EXPECT_TRUE(::IsDialogMessageA(hDlg, &msg));
    };
    for (int nCol : {1, 0}) {
        SCOPED_TRACE(nCol == 0 ? "masked edit" : "in-place editor");
        ASSERT_EQ(grid_->EditCell(nCol, 0, 'a'), 0);
        dialogKey(VK_RETURN);
        EXPECT_EQ(Cell(nCol, 0), "a");
        EXPECT_EQ(grid_->GetEditRow(), 1);
        Type("b");
        dialogKey(VK_TAB);
        EXPECT_EQ(Cell(nCol, 1), "b");
        EXPECT_TRUE(grid_->IsEditing());
        dialogKey(VK_ESCAPE);
        EXPECT_FALSE(grid_->IsEditing());
        EXPECT_EQ(g_nDialogCommands, 0);
    }
    grid_.reset();
    ::DestroyWindow(hDlg);
}

// Focus to another top-level window ends the edit: discarded with the option on, stored with
// it off; the masked edit keeps the same rule.
TEST_F(Editing, FocusToAnotherWindowDiscardsWithTheOptionOnAndStoresWithItOff) {
    CreateGrid(3, 3);
    ASSERT_TRUE(grid_->CreateMasked());
    CHostWnd other;
    ASSERT_TRUE(other.Create("other", 200, 100));
    struct Case {
        BOOL cancelOnLoss;
        int col;
        const char* stored;
    } cases[] = {
        {TRUE, 1, "before"}, {FALSE, 1, "typed"}, {TRUE, 0, "before"}, {FALSE, 0, "typed"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cancelOnLoss) + " column " + std::to_string(c.col));
        grid_->SetCancelEditOnFocusLoss(c.cancelOnLoss);
        EXPECT_EQ(grid_->GetCancelEditOnFocusLoss(), c.cancelOnLoss);
        grid_->SetCellText(c.col, 1, "before");
        TakeFocus();
        ASSERT_EQ(grid_->EditCell(c.col, 1, 0), 0);
        Type("typed");
        ::SetForegroundWindow(other.m_hWnd);
        other.SetFocus();
        PumpMessages();
        EXPECT_EQ(Cell(c.col, 1), c.stored);
        EXPECT_FALSE(grid_->IsEditing());
        EXPECT_FALSE(EditorShown());
        EXPECT_FALSE(::IsWindowVisible(grid_->masked.m_hWnd));
    }
    other.DestroyWindow();
}

TEST_F(Editing, TheEditorGrowsOverTheCellsToItsRightThenDownAndNeverShrinks) {
    CreateGrid(4, 8);
    grid_->GotoCell(1, 1);
    Type("a");
    const CRect rcStart = EditorRect(Editor());
    EXPECT_EQ(Text(rcStart), Text(CRect(75, 20, 149, 39)));
    // A line wider than the cell widens the editor over the next cells, one row high.
    Type(" wide line of text");
    CRect rc = EditorRect(Editor());
    EXPECT_GT(rc.right, rcStart.right);
    EXPECT_EQ((rc.right + 1) % 75, 0) << "it ends at a cell's edge: " << Text(rc);
    EXPECT_EQ(rc.bottom, rcStart.bottom);
    // Once it was resized, also only wider, Up and Down move the caret and stay in the cell.
    Key(VK_UP);
    EXPECT_EQ(grid_->GetEditRow(), 1);
    Key(VK_DOWN);
    EXPECT_EQ(grid_->GetEditRow(), 1);
    EXPECT_EQ(Focus(), Editor());
    EXPECT_EQ(Text(EditorRect(Editor())), Text(rc));
    // Enter still leaves it, with the text.
    Key(VK_RETURN);
    EXPECT_EQ(Cell(1, 1), "a wide line of text");
    EXPECT_EQ(grid_->GetEditRow(), 2);
    Key(VK_ESCAPE);

    grid_->GotoCell(1, 1);
    Type("b");
    Type(" and many more words that run past the right edge of the cells");
    rc = EditorRect(Editor());
    CRect rcClient;
    Cells()->GetClientRect(&rcClient);
    EXPECT_EQ(rc.right, rcClient.right) << "the whole width";
    EXPECT_GT(rc.bottom, rcStart.bottom);
    EXPECT_EQ((rc.bottom + 1) % 20, 0) << "it ends at a row boundary: " << Text(rc);
    // Emptied, it keeps its size; Up and Down now move the caret.
    ::SetWindowTextA(Editor(), "");
    EXPECT_EQ(Text(EditorRect(Editor())), Text(rc));
    ::SetWindowTextA(Editor(), "one\r\ntwo");
    Key(VK_UP);
    Key(VK_DOWN);
    EXPECT_EQ(grid_->GetEditRow(), 1);
    EXPECT_EQ(Focus(), Editor());
    Key(VK_ESCAPE);
    // The next edit starts at the cell's size again.
    grid_->GotoCell(2, 3);
    Type("c");
    EXPECT_EQ(Text(EditorRect(Editor())), Text(CRect(150, 60, 224, 79)));
    ::SendMessageA(Editor(), WM_SETCURSOR, (WPARAM)Editor(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(NULL, IDC_IBEAM));
    Key(VK_ESCAPE);
    // Without auto-grow the editor keeps the cell's size.
    EXPECT_EQ(grid_->GetInPlaceEdit()->SetAutoGrow(0), 1);
    grid_->GotoCell(1, 4);
    Type("d and many more words that run past the right edge of the cells");
    EXPECT_EQ(Text(EditorRect(Editor())), Text(CRect(75, 80, 149, 99)));
    Key(VK_DOWN);
    EXPECT_EQ(grid_->GetEditRow(), 5) << "one line high: Down leaves";
    Key(VK_ESCAPE);
    EXPECT_EQ(grid_->GetInPlaceEdit()->SetAutoGrow(5), 0);
    EXPECT_EQ(grid_->GetInPlaceEdit()->SetAutoGrow(1), 1);
}

// --- the masked edit --------------------------------------------------------------------------

TEST_F(Editing, TheMaskedEditChecksTypedCharactersAndTypesLiterals) {
    CreateGrid(3, 3);
    ASSERT_TRUE(grid_->CreateMasked());
    struct Case {
        const char* mask;
        const char* before;  // the cell's text; the typing replaces it unless kept
        bool keep;           // the caret after the text instead of a whole selection
        const char* typed;
        const char* shown;
    } cases[] = {
        {"99:99", "", false, "1234", "12:34"},
        {"99:99", "", false, "1a2", "12"},
        {"(999)999", "", false, "5", "(5"},
        {"\\999", "", false, "12", "912"},
        {"99:99", "12", true, ":", "12:"},
        {"99:99", "", false, "12345", "12:34"},
        {"LL-00", "", false, "ab12cd", "ab-12"},
        {"##", "", false, "+-", "+-"},
        {"??", "", false, "a1 ", "a "},
        {"Aa", "", false, "Z ", "Z "},
        {"&C", "", false, "\x01x!", "x!"},
        // Characters above 127 are not printable in the default locale: they pass unchecked.
        {"00", "", false,
         "\xe4"
         "1",
         "\xe4"
         "1"},
        {"", "", false, "free text", "free text"},
        {"99:99", "hello", false, "\b", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("mask ") + c.mask + " typed " + c.typed);
        grid_->SetCellText(0, 0, c.before);
        grid_->SetCellMask(0, 0, c.mask);
        ASSERT_EQ(grid_->EditCell(0, 0, 0), 0);
        ASSERT_EQ(Focus(), grid_->masked.m_hWnd);
        if (c.keep) grid_->masked.SetSel(-1, -1);
        Type(c.typed);
        EXPECT_EQ(TextOf(grid_->masked.m_hWnd), c.shown);
        Key(VK_ESCAPE);
    }
}

TEST_F(Editing, TheMaskReformatsTheTextAndRejectedCharactersStillDeleteTheSelection) {
    CreateGrid(3, 3);
    ASSERT_TRUE(grid_->CreateMasked());
    CGridMaskedEdit& m = grid_->masked;
    struct Case {
        const char* mask;
        const char* text;
        const char* applied;
    } cases[] = {
        {"99:99", "12:34", "12:34"}, {"99:99", "1234", "12:34"}, {"99:99", "1", "1"},
        {"(999)", "12", "(12"},      {"0-0", "a1b2c", "1-2"},    {"", "as is", "as is"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " " + c.text);
        m.SetMask(c.mask);
        CString text(c.text);
        EXPECT_EQ(m.ApplyMask(text), *c.mask ? 0 : 1);
        EXPECT_EQ(std::string((LPCSTR)text), c.applied);
    }
    // The cell's text is re-formatted when the control gets the focus.
    grid_->SetCellText(0, 1, "9876");
    grid_->SetCellMask(0, 1, "99:99");
    ASSERT_EQ(grid_->EditCell(0, 1, 0), 0);
    EXPECT_EQ(TextOf(m.m_hWnd), "98:76");
    // A rejected letter over the selection still takes the selection away.
    m.SetSel(0, 2);
    Type("x");
    EXPECT_EQ(TextOf(m.m_hWnd), ":76");
    // At the end of the mask nothing more fits.
    m.SetWindowText("12:34");
    m.SetSel(5, 5);
    Type("5");
    EXPECT_EQ(TextOf(m.m_hWnd), "12:34");
    // Up and Down always leave, whatever the text.
    Key(VK_DOWN);
    EXPECT_EQ(Cell(0, 1), "12:34");
    EXPECT_EQ(grid_->GetEditRow(), 2);
    Key(VK_UP);
    EXPECT_EQ(grid_->GetEditRow(), 1);
    Key(VK_ESCAPE);
    // Without a mask the control takes any text and no limit is left over.
    grid_->SetCellMask(0, 1, "");
    grid_->SetCellText(0, 1, "");
    ASSERT_EQ(grid_->EditCell(0, 1, 0), 0);
    EXPECT_FALSE(m.IsMaskActive());
    Type("longer than five");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(0, 1), "longer than five");
    Key(VK_ESCAPE);
}

// --- the clipboard ----------------------------------------------------------------------------

// Whether another window can open the clipboard (nobody left it open); its text, if any.
bool ClipboardFree(std::string* pText = nullptr) {
    // The clipboard belongs to every program of the Wine prefix: a test running beside this one
    // may hold it for a moment, but not for seconds, as a grid that left it open would.
    const ULONGLONG deadline = ::GetTickCount64() + 5000;
    while (!::OpenClipboard(NULL)) {
        if (::GetTickCount64() >= deadline) return false;
        ::Sleep(10);
    }
    if (pText != nullptr) {
        HANDLE h = ::GetClipboardData(CF_TEXT);
        const char* p = h != NULL ? (const char*)::GlobalLock(h) : NULL;
        *pText = p != NULL ? p : "";
        if (p != NULL) ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    return true;
}

TEST_F(Editing, CopyAndPasteGoThroughTheClipboardAndLeaveItClosed) {
    CreateGrid(3, 3);
    grid_->SetCellText(1, 1, "cursor cell");
    grid_->GotoCell(1, 1);
    EXPECT_EQ(grid_->CopySelection(), 0);
    std::string text;
    ASSERT_TRUE(ClipboardFree(&text));
    EXPECT_EQ(text, "cursor cell");

    struct Case {
        const char* clip;
        int col, row;
        std::vector<std::string> cells;  // the whole grid, row by row, after the paste
    } cases[] = {
        {"a\tb\r\nc", 1, 1, {"0", "0", "0", "0", "a", "b", "0", "c", "0"}},
        {"\t\tx", 0, 0, {"", "", "x", "0", "0", "0", "0", "0", "0"}},
        // Beyond the counts nothing is stored and the grid does not grow.
        {"p\tq\nr\ns", 2, 2, {"0", "0", "0", "0", "0", "0", "0", "0", "p"}},
        {"u\n\nv", 0, 1, {"0", "0", "0", "u", "0", "0", "", "0", "0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clip);
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < 3; ++col) grid_->SetCellText(col, r, "0");
        grid_->GotoCell(c.col, c.row);
        ASSERT_EQ(grid_->CopyTextToClipboard(c.clip), 0);
        ASSERT_TRUE(ClipboardFree());
        EXPECT_EQ(grid_->Paste(), 0);
        EXPECT_TRUE(ClipboardFree());
        std::vector<std::string> cells;
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < 3; ++col) cells.push_back(Cell(col, r));
        EXPECT_EQ(cells, c.cells);
        EXPECT_EQ(grid_->GetColCount(), 3);
        EXPECT_EQ(grid_->GetRowCount(), 3);
    }

    // Cut empties the cell it copied.
    grid_->SetCellText(2, 0, "cut me");
    grid_->GotoCell(2, 0);
    EXPECT_EQ(grid_->CutSelection(), 0);
    ASSERT_TRUE(ClipboardFree(&text));
    EXPECT_EQ(text, "cut me");
    EXPECT_EQ(Cell(2, 0), "");

    // A clipboard without text: nothing pasted, 1, and the clipboard closed again.
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    ::CloseClipboard();
    CString none;
    EXPECT_EQ(grid_->GetClipboardText(none), 1);
    EXPECT_EQ(grid_->Paste(), 1);
    EXPECT_TRUE(ClipboardFree());
    // Held open by another window: the grid says so and changes nothing.
    ASSERT_TRUE(::OpenClipboard(host_.m_hWnd));
    EXPECT_EQ(grid_->CopyTextToClipboard("x"), 3);
    EXPECT_EQ(grid_->Paste(), 3);
    ::CloseClipboard();
    EXPECT_TRUE(ClipboardFree());
}

// --- the context menu -------------------------------------------------------------------------

// Runs the action while a timer drives the modal menu that it opens: the keys go to the
// menu window once it shows; without keys the menu is ended.
class MenuDriver {
public:
    explicit MenuDriver(std::vector<UINT> keys) : keys_(std::move(keys)) {
        s_pCurrent = this;
        timer_ = ::SetTimer(NULL, 0, 30, OnTimer);
    }
    ~MenuDriver() {
        ::KillTimer(NULL, timer_);
        s_pCurrent = nullptr;
    }
    bool Shown() const { return shown_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (s_pCurrent != nullptr) s_pCurrent->Tick();
    }
    void Tick() {
        HWND hMenu = ::FindWindowA("#32768", NULL);
        if (hMenu == NULL || !::IsWindowVisible(hMenu)) return;
        shown_ = true;
        if (keys_.empty()) {
            ::EndMenu();
            return;
        }
        for (UINT vk : keys_) {
            ::PostMessageA(hMenu, WM_KEYDOWN, vk, 1);
            ::PostMessageA(hMenu, WM_KEYUP, vk, 0xC0000001);
        }
        keys_.clear();
    }
    static MenuDriver* s_pCurrent;
    std::vector<UINT> keys_;
    UINT_PTR timer_ = 0;
    bool shown_ = false;
};
MenuDriver* MenuDriver::s_pCurrent = nullptr;

TEST_F(Editing, MenuItemsFromId1000ReachOnMenuCommandWithTheStoredCellAndSection) {
    CreateGrid(6, 20);
    EXPECT_EQ(grid_->AddPopupMenuItem(1000, "Thousand"), 0);
    EXPECT_EQ(grid_->AddPopupMenuItem((UINT)-1, ""), 0);
    EXPECT_EQ(grid_->AddPopupMenuItem(999, "Below"), 0);
    EXPECT_EQ(grid_->GetPopupMenu()->GetMenuItemCount(), 3);

    // Off by default: a right click opens nothing.
    Click(Cells(), Centre(2, 3), true);
    EXPECT_EQ(grid_->Count("OnMenuStart"), 0);
    EXPECT_EQ(grid_->ShowPopupMenu(0, 0, CPoint(50, 50), 1), 1);

    grid_->EnablePopupMenu(TRUE);
    {
        MenuDriver driver({VK_DOWN, VK_RETURN});
        Click(Cells(), Centre(2, 3), true);
        EXPECT_TRUE(driver.Shown());
    }
    PumpMessages();
    EXPECT_THAT(grid_->Texts({"OnMenuStart", "OnMenuCommand"}),
                ElementsAre("OnMenuStart(2,3,1)", "OnMenuCommand(2,3,1,1000)"));
    grid_->Clear();
    {
        // The separator is skipped: two steps down reach 999.
        MenuDriver driver({VK_DOWN, VK_DOWN, VK_RETURN});
        Click(Cells(), Centre(1, 1), true);
        EXPECT_TRUE(driver.Shown());
    }
    PumpMessages();
    EXPECT_THAT(grid_->Texts({"OnMenuStart", "OnMenuCommand"}), ElementsAre("OnMenuStart(1,1,1)"));

    // A refusal shows nothing and leaves the focus where it was.
    grid_->Clear();
    grid_->Refuse("OnMenuStart");
    HWND hFocus = Focus();
    {
        MenuDriver driver({});
        EXPECT_EQ(grid_->ShowPopupMenu(1, 1, CPoint(100, 100), 1), 2);
        EXPECT_FALSE(driver.Shown());
    }
    EXPECT_EQ(Focus(), hFocus);
    grid_->ResetAnswers();

    EXPECT_EQ(grid_->RemovePopupMenuItem(999), 0);
    EXPECT_EQ(grid_->RemovePopupMenuItem(999), 1);
    EXPECT_EQ(grid_->ClearPopupMenu(), 0);
    EXPECT_EQ(grid_->GetPopupMenu()->GetMenuItemCount(), 0);
}

TEST_F(Editing, RightClicksOfEveryPartOpenTheMenuWithTheirSectionCodes) {
    CreateGrid(6, 20);
    grid_->AddPopupMenuItem(1000, "Thousand");
    grid_->EnablePopupMenu(TRUE);
    const CPoint cell = Centre(2, 3);
    struct Case {
        CWnd* wnd;
        CPoint pt;
        const char* start;
    } cases[] = {
        {Cells(), cell, "OnMenuStart(2,3,1)"},
        {grid_->GetColumnHeading(), CPoint(cell.x, 5), "OnMenuStart(2,-1,2)"},
        {grid_->GetRowHeading(), CPoint(5, cell.y), "OnMenuStart(-1,3,3)"},
        {grid_->GetCornerWnd(), CPoint(3, 3), "OnMenuStart(-1,-1,4)"},
        {grid_->GetHScrollBar(), CPoint(30, 5), "OnMenuStart(0,0,5)"},
        {grid_->GetVScrollBar(), CPoint(5, 30), "OnMenuStart(0,0,6)"},
        {grid_->GetSheetTabs(), CPoint(2, 2), "OnMenuStart(-1,0,7)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        grid_->Clear();
        MenuDriver driver({});
        c.wnd->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, At(c.pt));
        c.wnd->SendMessage(WM_RBUTTONUP, 0, At(c.pt));
        EXPECT_TRUE(driver.Shown());
        EXPECT_THAT(grid_->Texts({"OnMenuStart"}), ElementsAre(c.start));
    }
    PumpMessages();
    EXPECT_EQ(grid_->Count("OnMenuCommand"), 0) << "an ended menu chooses nothing";
}

// --- the check box ----------------------------------------------------------------------------

// A column of check boxes as the parameter grids make it: type 2, style 0x1100 (sunken box,
// a tick), alignment 0x24, the caption after the box.
void CheckBoxColumn(CGridWnd& g, int nCol) {
    CGridCell cell;
    cell.SetCellType(2);
    cell.SetCellTypeStyle(0x1100);
    cell.SetAlignment(0x24);
    cell.SetCaptionText("Enabled");
    g.SetColumnDefaultCell(nCol, cell);
}

TEST_F(Editing, ACheckBoxTogglesByAClickInTheBoxOrTheSpaceKey) {
    CreateGrid(3, 4);
    CheckBoxColumn(*grid_, 1);
    CGridCell ro;
    ro.SetText("1.000000");
    ro.SetReadOnly(TRUE);
    grid_->SetCell(1, 3, ro);
    grid_->SetRowHeight(2, 11);
    CRect rc;
    auto box = [&](int nRow) {
        grid_->GetCellRect(1, nRow, rc);
        return CGridCheckBoxType::BoxRect(rc);
    };
    auto notices = [&] { return grid_->Texts({"OnCellTypeNotify"}); };

    struct Case {
        const char* what;
        int row;
        const char* before;
        std::function<void()> act;
        const char* after;
        std::vector<std::string> notified;
    } cases[] = {
        {"a click in the box checks",
         0,
         "0.000000",
         [&] { Click(Cells(), box(0).CenterPoint()); },
         "1.000000",
         {"OnCellTypeNotify(2,1,0,53,1)"}},
        {"and unchecks",
         0,
         "1.000000",
         [&] { Click(Cells(), box(0).CenterPoint()); },
         "0.000000",
         {"OnCellTypeNotify(2,1,0,53,0)"}},
        {"the box's far corner counts",
         0,
         "0.000000",
         [&] { Click(Cells(), box(0).BottomRight()); },
         "1.000000",
         {"OnCellTypeNotify(2,1,0,53,1)"}},
        {"the caption does not toggle",
         0,
         "0.000000",
         [&] { Click(Cells(), CPoint(box(0).right + 20, box(0).top + 2)); },
         "0.000000",
         {}},
        {"the space key",
         1,
         "0.000000",
         [&] {
             grid_->GotoCell(1, 1);
             Cells()->SendMessage(WM_CHAR, ' ', 1);
         },
         "1.000000",
         {"OnCellTypeNotify(2,1,1,53,1)"}},
        // The key judges by GetBool, the mouse by the number.
        {"space takes T as checked",
         1,
         "T",
         [&] {
             grid_->GotoCell(1, 1);
             Cells()->SendMessage(WM_CHAR, ' ', 1);
         },
         "0.000000",
         {"OnCellTypeNotify(2,1,1,53,0)"}},
        {"the mouse takes T as unchecked",
         1,
         "T",
         [&] { Click(Cells(), box(1).CenterPoint()); },
         "1.000000",
         {"OnCellTypeNotify(2,1,1,53,1)"}},
        {"a 5-pixel box still toggles",
         2,
         "0.000000",
         [&] { Click(Cells(), box(2).CenterPoint()); },
         "1.000000",
         {"OnCellTypeNotify(2,1,2,53,1)"}},
        {"read-only ignores the mouse",
         3,
         nullptr,
         [&] { Click(Cells(), box(3).CenterPoint()); },
         "1.000000",
         {}},
        {"read-only ignores the space key",
         3,
         nullptr,
         [&] {
             grid_->GotoCell(1, 3);
             Cells()->SendMessage(WM_CHAR, ' ', 1);
         },
         "1.000000",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.before != nullptr) grid_->SetCellText(1, c.row, c.before);
        grid_->Clear();
        c.act();
        EXPECT_EQ(Cell(1, c.row), c.after);
        EXPECT_EQ(notices(), c.notified);
        EXPECT_FALSE(EditorShown()) << "a check box has no editor";
    }
    EXPECT_EQ(box(2).Width(), 5);
    CGridCell cell;
    grid_->GetCell(1, 0, cell);
    EXPECT_STREQ(cell.GetCaptionText(), "Enabled") << "the stored cell took the column's defaults";
}

// --- the drop list ----------------------------------------------------------------------------

class DropList : public Editing {
protected:
    // Column 1 drops the caption's entries; rows of 20, so 10 rows fill the cell area.
    void CreateListGrid(const std::string& entries) {
        CreateGrid(3, 30);
        CGridCell cell;
        cell.SetCellType(1);
        cell.SetAlignment(0x24);
        cell.SetCaptionText(entries.c_str());
        grid_->SetColumnDefaultCell(1, cell);
    }
    HWND List() { return ::FindWindowExA(Cells()->m_hWnd, NULL, "ListBox", NULL); }
    CGridDropListType* ListType() { return (CGridDropListType*)grid_->GetCellTypeObject(1); }
    // A press and release on the cell's button.
    void PressButton(int nRow) {
        CRect rc;
        grid_->GetCellRect(1, nRow, rc);
        Click(Cells(), CPoint(rc.right - 4, rc.CenterPoint().y));
    }
    std::vector<std::string> Items() {
        std::vector<std::string> items;
        const int n = (int)::SendMessageA(List(), LB_GETCOUNT, 0, 0);
        for (int i = 0; i < n; ++i) {
            char text[64] = "";
            ::SendMessageA(List(), LB_GETTEXT, i, (LPARAM)text);
            items.push_back(text);
        }
        return items;
    }
    static std::string Numbered(int n) {
        std::string text;
        for (int i = 1; i <= n; ++i) text += "E" + std::to_string(i) + "\n";
        return text;
    }
};

TEST_F(DropList, TheButtonDropsFifteenOfTwentyEntriesUnderTheCell) {
    CreateListGrid(Numbered(20) + "tail without newline");
    grid_->MoveWindow(10, 10, 360, 420);  // room for the list under the cell
    grid_->GotoCell(1, 1);
    PressButton(1);
    HWND hList = List();
    ASSERT_NE(hList, (HWND)NULL);
    EXPECT_TRUE(::IsWindowVisible(hList));
    EXPECT_EQ(::GetFocus(), hList);
    EXPECT_EQ(::GetDlgCtrlID(hList), 123) << "the editor's id too";
    EXPECT_EQ(::GetCapture(), hList);
    EXPECT_EQ(Items().size(), 20u) << "text after the last newline is no entry";
    CRect rcClient;
    ::GetClientRect(hList, &rcClient);
    const int nItem = (int)::SendMessageA(hList, LB_GETITEMHEIGHT, 0, 0);
    EXPECT_EQ(rcClient.Height() / nItem, 15);
    const CRect rc = RectInParent(hList);
    CRect rcCell;
    grid_->GetCellRect(1, 1, rcCell);
    EXPECT_EQ(rc.top, rcCell.bottom);
    EXPECT_EQ(rc.left, rcCell.left + 10);
    EXPECT_EQ(ListType()->GetOpenCol(), 1);
    EXPECT_EQ(ListType()->GetOpenRow(), 1);
    EXPECT_EQ(grid_->Last("OnCellTypeNotify")->text.substr(0, 27), "OnCellTypeNotify(1,1,1,100,")
        << "the entries went to the receiver first";

    // A press on the button of the open list closes it; the next one opens it again.
    PressButton(1);
    EXPECT_EQ(List(), (HWND)NULL);
    EXPECT_EQ(ListType()->GetOpenCol(), -1);
    PressButton(1);
    EXPECT_NE(List(), (HWND)NULL);
    // The focus taken from the list (as a click on the cells takes it) closes it without a
    // choice; the press that follows on the button does not reopen it.
    Cells()->SetFocus();
    EXPECT_EQ(List(), (HWND)NULL);
    EXPECT_EQ(ListType()->GetOpenCol(), -2);
    PressButton(1);
    EXPECT_EQ(List(), (HWND)NULL);
    EXPECT_EQ(ListType()->GetOpenCol(), -1);
    EXPECT_EQ(Cell(1, 1), "");
}

TEST_F(DropList, NearTheBottomTheListOpensUpwardAndEmptyCaptionsGiveOneRow) {
    CreateListGrid(Numbered(8));
    CRect rcClient;
    Cells()->GetClientRect(&rcClient);
    grid_->GotoCell(1, 8);
    PressButton(8);
    ASSERT_NE(List(), (HWND)NULL);
    CRect rc = RectInParent(List());
    EXPECT_EQ(rc.bottom, rcClient.bottom) << "moved up to end at the edge";
    CRect rcCell;
    grid_->GetCellRect(1, 8, rcCell);
    EXPECT_LT(rc.top, rcCell.bottom);
    Key(VK_ESCAPE);

    grid_->SetCellCaption(1, 2, "");
    grid_->GotoCell(1, 2);
    PressButton(2);
    ASSERT_NE(List(), (HWND)NULL);
    EXPECT_TRUE(Items().empty());
    CRect rcList;
    ::GetClientRect(List(), &rcList);
    EXPECT_EQ(rcList.Height(), (int)::SendMessageA(List(), LB_GETITEMHEIGHT, 0, 0));
    Key(VK_ESCAPE);
}

TEST_F(DropList, ChoosingStoresTheEntryUnlessTheReceiverRefuses) {
    CreateListGrid("Below Limit\nAbove Limit\nOff\n");
    grid_->changeEntries = true;
    grid_->GotoCell(1, 3);
    // Enter on the current cell drops the list too; code 100 changed the entries.
    Cells()->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_NE(List(), (HWND)NULL);
    EXPECT_THAT(Items(), ElementsAre("Above Limit", "Off", "Added"));
    EXPECT_FALSE(EditorShown()) << "the key went to the list, not to an edit";
    // A release anywhere, with an entry selected, chooses it (the list holds the mouse).
    ::SendMessageA(List(), LB_SETCURSEL, 2, 0);
    ::SendMessageA(List(), WM_LBUTTONUP, 0, At(-50, 300));
    EXPECT_EQ(List(), (HWND)NULL);
    EXPECT_EQ(Cell(1, 3), "Added");
    EXPECT_THAT(grid_->listTexts, ElementsAre("101:Added", "102:Added"));
    EXPECT_EQ(ListType()->GetOpenCol(), -1);
    EXPECT_EQ(::GetFocus(), Cells()->m_hWnd);

    struct Case {
        const char* what;
        std::function<void(HWND)> act;
        int answer;  // of code 101
        const char* stored;
        std::vector<std::string> texts;
        int open;
    } cases[] = {
        {"Enter chooses the selection",
         [&](HWND h) {
             ::SendMessageA(h, LB_SETCURSEL, 0, 0);
             KeyTo(h, VK_RETURN);
         },
         1,
         "Above Limit",
         {"101:Above Limit", "102:Above Limit"},
         -1},
        {"a refusal leaves the cell and sends no 102",
         [&](HWND h) {
             ::SendMessageA(h, LB_SETCURSEL, 1, 0);
             KeyTo(h, VK_RETURN);
         },
         0,
         "kept",
         {"101:Off"},
         -1},
        {"Escape closes without a choice", [&](HWND h) { KeyTo(h, VK_ESCAPE); }, 1, "kept", {}, -2},
        {"Enter without a selection closes without a choice",
         [&](HWND h) { KeyTo(h, VK_RETURN); },
         1,
         "kept",
         {},
         -2},
        {"a release without a selection keeps the list",
         [&](HWND h) {
             ::SendMessageA(h, WM_LBUTTONUP, 0, At(5, 5));
             EXPECT_TRUE(::IsWindow(h));
             KeyTo(h, VK_ESCAPE);
         },
         1,
         "kept",
         {},
         -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        grid_->SetCellText(1, 3, "kept");
        grid_->listTexts.clear();
        TakeFocus();
        // A press on the text first: after a close without a choice the button's next press
        // only re-arms it.
        CRect rc;
        grid_->GetCellRect(1, 3, rc);
        Click(Cells(), CPoint(rc.left + 5, rc.top + 5));
        PressButton(3);
        HWND hList = List();
        ASSERT_NE(hList, (HWND)NULL);
        grid_->Answer("OnCellTypeNotify", c.answer);
        c.act(hList);
        grid_->ResetAnswers();
        PumpMessages();
        EXPECT_FALSE(::IsWindow(hList)) << "destroyed once, and nothing ran on it after";
        EXPECT_EQ(List(), (HWND)NULL);
        EXPECT_EQ(Cell(1, 3), c.stored);
        EXPECT_EQ(grid_->listTexts, c.texts);
        EXPECT_EQ(ListType()->GetOpenCol(), c.open);
        EXPECT_NE(::GetCapture(), hList);
        EXPECT_EQ(::GetFocus(), Cells()->m_hWnd) << "the keyboard goes on in the grid";
    }
    // The type takes the carriage return that Enter makes: no edit opens from it.
    grid_->Clear();
    Cells()->SendMessage(WM_CHAR, '\r', 1);
    EXPECT_EQ(grid_->Last("OnGridChar")->text, "OnGridChar(*13,1)");
    // Other characters open the editor, short of the button (while the text fits).
    grid_->SetCellText(1, 3, "");
    Type("t");
    ASSERT_TRUE(EditorShown());
    CRect rcCell;
    grid_->GetCellRect(1, 3, rcCell);
    EXPECT_EQ(EditorRect(Editor()).right, rcCell.right - 1 - ::GetSystemMetrics(SM_CXVSCROLL) - 1);
    Key(VK_RETURN);
    EXPECT_EQ(Cell(1, 3), "t");
    Key(VK_ESCAPE);
}

// --- buttons ----------------------------------------------------------------------------------

TEST_F(Editing, APushButtonClicksOnlyWhenReleasedWhereItWasPressed) {
    CreateGrid(3, 4);
    CGridPushButtonType push;
    const int nType = grid_->RegisterCellType(&push);
    for (int r = 0; r < 3; ++r) grid_->SetCellTypeAt(1, r, nType);
    const std::string t = std::to_string(nType);
    const CPoint a = Centre(1, 0), b = Centre(1, 1);
    struct Case {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> notified;
    } cases[] = {
        {"press and release",
         [&] { Down(a), Up(a); },
         {"(" + t + ",1,0,2,0)", "(" + t + ",1,0,3,0)", "(" + t + ",1,0,1,0)"}},
        {"dragged off and released on another button",
         [&] {
             Down(a);
             Move(b);
             EXPECT_FALSE(push.IsPressed());
             Up(b);
         },
         {"(" + t + ",1,0,2,0)", "(" + t + ",1,1,3,0)"}},
        {"dragged off and back",
         [&] {
             Down(a);
             Move(b);
             Move(a);
             EXPECT_TRUE(push.IsPressed());
             Up(a);
         },
         {"(" + t + ",1,0,2,0)", "(" + t + ",1,0,3,0)", "(" + t + ",1,0,1,0)"}},
        {"Enter on the cursor cell",
         [&] {
             grid_->GotoCell(1, 2);
             Cells()->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
         },
         {"(" + t + ",1,2,1,0)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        grid_->Clear();
        c.act();
        std::vector<std::string> notified;
        for (const std::string& s : grid_->Texts({"OnCellTypeNotify"}))
            notified.push_back(s.substr(std::string("OnCellTypeNotify").size()));
        EXPECT_EQ(notified, c.notified);
        EXPECT_FALSE(push.IsPressed());
    }
    grid_.reset();  // before the type it uses
}

TEST_F(Editing, AnEllipsisButtonNotifiesOnReleaseAndSwallowsDoubleClicks) {
    CreateGrid(3, 4);
    CGridEllipsisButtonType ellipsis;
    const int nType = grid_->RegisterCellType(&ellipsis);
    grid_->SetCellTypeAt(1, 1, nType);
    grid_->SetCellText(1, 1, "file");
    CRect rc;
    grid_->GetCellRect(1, 1, rc);
    const CPoint button(rc.right - 3, rc.CenterPoint().y), text(rc.left + 5, rc.CenterPoint().y);
    Click(Cells(), button);
    EXPECT_EQ(
        grid_->Texts({"OnCellTypeNotify"}),
        std::vector<std::string>{"OnCellTypeNotify(" + std::to_string(nType) + ",1,1,100,0)"});
    grid_->Clear();
    Click(Cells(), text);
    Cells()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(button));
    Cells()->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(text));
    Cells()->SendMessage(WM_LBUTTONUP, 0, At(text));
    EXPECT_EQ(grid_->Count("OnCellTypeNotify"), 0) << "dragged off the button";
    Cells()->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(text));
    EXPECT_FALSE(EditorShown()) << "the type took the double click";
    Type("x");
    ASSERT_TRUE(EditorShown()) << "typing still edits the text";
    EXPECT_EQ(EditorRect(Editor()).right, rc.right - 1) << "over the button while it edits";
    Key(VK_ESCAPE);
    grid_.reset();
}

TEST_F(Editing, AParameterButtonNotifiesOnceWhenReleasedPressed) {
    CreateGrid(3, 4);
    CGridParamCellType param;
    const int nType = grid_->RegisterCellType(&param);
    for (int r = 0; r < 3; ++r) {
        CGridCell cell;
        cell.SetCellType(nType);
        cell.SetText("value");
        if (r != 1) cell.SetBitmaps(IDB_TEST_BUTTON_UP, IDB_TEST_BUTTON_DOWN);
        if (r == 2) cell.SetReadOnly(TRUE);
        grid_->SetCell(2, r, cell);
    }
    auto button = [&](int nRow) {
        CRect rc;
        grid_->GetCellRect(2, nRow, rc);
        return CPoint(rc.left + 6, rc.CenterPoint().y);
    };
    auto text = [&](int nRow) {
        CRect rc;
        grid_->GetCellRect(2, nRow, rc);
        return CPoint(rc.left + 50, rc.CenterPoint().y);
    };
    const std::string notice = "OnCellTypeNotify(" + std::to_string(nType) + ",2,";
    struct Case {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> notified;
    } cases[] = {
        {"press, out, in, release",
         [&] {
             Down(button(0));
             EXPECT_TRUE(param.IsPressed());
             Move(text(0));
             EXPECT_FALSE(param.IsPressed());
             Move(button(0));
             EXPECT_TRUE(param.IsPressed());
             Up(button(0));
         },
         {notice + "0,100,0)"}},
        {"press, out, release", [&] { Down(button(0)), Move(text(0)), Up(text(0)); }, {}},
        {"a press on the text", [&] { Down(text(0)), Up(text(0)); }, {}},
        {"a cell without pictures", [&] { Down(button(1)), Up(button(1)); }, {}},
        {"read-only still notifies",
         [&] { Down(button(2)), Up(button(2)); },
         {notice + "2,100,0)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        grid_->Clear();
        c.act();
        EXPECT_EQ(grid_->Texts({"OnCellTypeNotify"}), c.notified);
        EXPECT_FALSE(param.IsPressed());
    }
    // A double click is the type's own: no edit opens from it on the button.
    Cells()->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(button(0)));
    EXPECT_FALSE(EditorShown());
    // The editor starts right of the button (12-pixel pictures, 4 pixels around).
    grid_->GotoCell(2, 0);
    Type("7");
    ASSERT_TRUE(EditorShown());
    CRect rcCell;
    grid_->GetCellRect(2, 0, rcCell);
    EXPECT_EQ(EditorRect(Editor()).left, rcCell.left + 16);
    Key(VK_ESCAPE);
    grid_.reset();
}

// --- the sample parameter rows --------------------------------------------------------------

// Rows like a parameter page's: the name edited with the masked edit, the value behind a
// picture button, a check box and a drop list of fixed choices.
TEST_F(Editing, TheSampleParameterRowsForTheirScreenshots) {
    grid_.reset(new CEditGrid);
    host_.MoveWindow(20, 20, 560, 230);
    CRect rcHost;
    host_.GetClientRect(&rcHost);
    CEditGrid& g = *grid_;
    ASSERT_TRUE(g.Create(WS_CHILD | WS_VISIBLE, rcHost, &host_, kGridId));
    ASSERT_TRUE(g.CreateMasked());
    CGridParamCellType param;
    const int nParam = g.RegisterCellType(&param);
    g.SetColCount(4);
    g.SetRowCount(6);
    g.SetRowHeadingWidth(30);
    g.SetDefaultFont(g.CreateGridFont("Arial", -12, FW_NORMAL));
    g.SetCancelEditOnFocusLoss(FALSE);
    const int widths[] = {150, 110, 110, 140};
    const char* headings[] = {"Parameter", "Value", "Active", "Alarm"};
    for (int c = 0; c < 4; ++c) {
        g.SetColumnWidth(c, widths[c]);
        g.SetCellText(c, -1, headings[c]);
    }
    CheckBoxColumn(g, 2);
    CGridCell list;
    list.SetCellType(1);
    list.SetAlignment(0x24);
    list.SetCaptionText("Below Limit\nAbove Limit\nOutside Band\nOff\n");
    g.SetColumnDefaultCell(3, list);
    const char* names[] = {"Range 1 end",   "Range 2 end",   "Damping",
                           "Limit 1 value", "Limit 2 value", "Hold time"};
    const char* values[] = {"25.00", "100.00", "5", "20.00", "80.00", "60"};
    for (int r = 0; r < 6; ++r) {
        g.SetCellText(-1, r, std::to_string(r + 1).c_str());
        g.SetCellText(0, r, names[r]);
        CGridCell value;
        value.SetCellType(nParam);
        value.SetText(values[r]);
        value.SetAlignment(0x20);
        value.SetBitmaps(IDB_TEST_BUTTON_UP, IDB_TEST_BUTTON_DOWN);
        g.SetCell(1, r, value);
        g.SetCellText(2, r, r % 2 == 0 ? "1.000000" : "0.000000");
        g.SetCellText(3, r, r % 3 == 0 ? "Above Limit" : "Below Limit");
    }
    PumpMessages();
    TakeFocus();

    // The alarm list of row 3 open.
    g.GotoCell(3, 3);
    Cells()->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    HWND hList = ::FindWindowExA(Cells()->m_hWnd, NULL, "ListBox", NULL);
    ASSERT_NE(hList, (HWND)NULL);
    ::SendMessageA(hList, LB_SETCURSEL, 2, 0);
    wkit::Window(host_.m_hWnd).Shot("grid-editing-droplist");
    KeyTo(hList, VK_RETURN);
    EXPECT_EQ(Cell(3, 3), "Outside Band");

    // A name edited in column 0 with the masked edit, halfway.
    g.GotoCell(0, 2);
    Type("Damping time");
    ASSERT_EQ(Focus(), g.masked.m_hWnd);
    wkit::Window(host_.m_hWnd).Shot("grid-editing-edit");
    // Leaving for another window stores it: the parameter pages' OK and Apply keep edits.
    host_.SetFocus();
    EXPECT_EQ(Cell(0, 2), "Damping time");
    grid_.reset();
}

}  // namespace
