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

std::string ClassOf(HWND hWnd) {
    char name[64] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND hWnd) {
    char text[512] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

// Holds a key down (for GetKeyState) while it lives.
class KeyHeld {
public:
    explicit KeyHeld(int vk) : vk_(vk) { Set(0x80); }
    ~KeyHeld() { Set(0); }

private:
    void Set(BYTE state) {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[vk_] = state;
        ::SetKeyboardState(keys);
    }
    int vk_;
};

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
    // One line still: Up leaves the cell.
    Key(VK_UP);
    EXPECT_EQ(grid_->GetEditRow(), 0);
    EXPECT_EQ(Cell(1, 1), "a wide line of text");
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
    Key(VK_ESCAPE);
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
    if (!::OpenClipboard(NULL)) return false;
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

}  // namespace
