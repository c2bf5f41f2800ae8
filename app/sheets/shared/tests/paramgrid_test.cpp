// The parameter grid in a page, driven by real messages: what opens the editor (the masked
// edit in column 0, nothing on a drop list), when a change is reported, the drop list, check
// box and button on writable and read-only cells, the Delete key, the drop-list index and the
// default colours.
#include "gridcellarea.h"
#include "gridtestkit.h"
#include "helppropertypage.h"
#include "paramgrid.h"
#include "resource.h"
#include "sheetkit.h"
#include "window_kit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

const UINT kPage = 118;
const UINT kLargeFontPage = 119;
const UINT kGroupBox = 1071;
const UINT kButtonUp = 3001, kButtonDown = 3002;
// Columns of the test grid.
const int kMasked = 0, kPlain = 1, kList = 2, kCheck = 3, kButton = 4;

LPARAM At(const CPoint& pt) { return MAKELPARAM(pt.x, pt.y); }

class CTestGrid : public CParamGrid {
public:
    void OnCellChanged(int nCol, int nRow) override {
        events.push_back("changed " + std::to_string(nCol) + "," + std::to_string(nRow));
    }
    void OnCellButton(int nCol, int nRow) override {
        events.push_back("button " + std::to_string(nCol) + "," + std::to_string(nRow));
    }
    std::vector<std::string> events;
};

class CGridPage : public CHelpPropertyPage {
public:
    explicit CGridPage(UINT nTemplate = kPage) : CHelpPropertyPage(nTemplate) {}
    BOOL OnInitDialog() override {
        CHelpPropertyPage::OnInitDialog();
        grid.AttachToDlgItem(this, kGroupBox);
        grid.SetRowCount(3);
        grid.SetColCount(5);
        grid.SetColDropList(kList, IDS_ALARM_ON_CHOICES);
        grid.SetColCheckBox(kCheck);
        grid.SetColButton(kButton, kButtonUp, kButtonDown);
        for (int col = 0; col < 5; ++col) grid.SetColumnWidth(col, 80);
        // Row 1 is read-only throughout.
        grid.SetRangeReadOnlyColor(0, 1, 4, 1, TRUE, ::GetSysColor(COLOR_MENU));
        grid.LayoutChildWindows();
        return TRUE;
    }
    CTestGrid grid;
};

class ParamGridPage : public ::testing::Test {
protected:
    // Runs the page in a sheet; `script` works the grid.
    void Run(std::function<void(CTestGrid&)> script, UINT nTemplate = kPage) {
        wkit::Driver driver;
        CGridPage page(nTemplate);
        CHelpPropertySheet sheet("Parameter grid");
        sheet.AddPage(&page);
        driver.OnOpen(wkit::Template(nTemplate), [&](wkit::Window& w) {
            grid_ = &page.grid;
            Cells()->SetFocus();
            script(page.grid);
            if (page.grid.IsEditing()) page.grid.CancelEdit();
            w.PressCancel();
        });
        EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    }
    CWnd* Cells() { return grid_->GetCellArea(); }
    CPoint Centre(int col, int row) {
        CRect rc;
        grid_->GetCellRect(col, row, rc);
        return rc.CenterPoint();
    }
    void DoubleClick(int col, int row) {
        grid_->GotoCell(col, row);
        Cells()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(col, row)));
        Cells()->SendMessage(WM_LBUTTONUP, 0, At(Centre(col, row)));
        Cells()->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(Centre(col, row)));
    }
    void TypeOn(int col, int row, char c) {
        grid_->GotoCell(col, row);
        Cells()->SendMessage(WM_CHAR, (BYTE)c, 1);
    }
    // A key to the window with the focus (the open editor).
    void Key(UINT vk) {
        HWND h = ::GetFocus();
        ::SendMessageA(h, WM_KEYDOWN, vk, 1);
        if (::IsWindow(h)) ::SendMessageA(h, WM_KEYUP, vk, 0xC0000001);
    }
    void Type(const std::string& text) {
        for (char c : text) ::SendMessageA(::GetFocus(), WM_CHAR, (BYTE)c, 1);
    }
    std::string Cell(int col, int row) {
        LPCSTR text = grid_->GetCellText(col, row);
        return text != NULL ? text : "";
    }
    HWND List() { return ::FindWindowExA(Cells()->m_hWnd, NULL, "ListBox", NULL); }
    // Drops the list of the cell with Enter and chooses `index`.
    void Pick(int row, int index) {
        grid_->GotoCell(kList, row);
        Cells()->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
        HWND list = List();
        ASSERT_NE(list, (HWND)NULL);
        ::SendMessageA(list, LB_SETCURSEL, index, 0);
        ::SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }

    SheetKit kit;
    CTestGrid* grid_ = nullptr;
};

TEST_F(ParamGridPage, DoubleClickAndTypingOpenTheEditorsButNeverOnADropList) {
    Run([&](CTestGrid& grid) {
        DoubleClick(kPlain, 0);
        ASSERT_TRUE(grid.IsEditing());
        EXPECT_EQ(grid.GetActiveEditor(), (CWnd*)grid.GetInPlaceEdit());
        grid.CancelEdit();

        TypeOn(kMasked, 0, 'x');
        ASSERT_TRUE(grid.IsEditing());
        EXPECT_EQ(grid.GetActiveEditor(), (CWnd*)&grid.GetMaskedEdit());
        EXPECT_TRUE(::IsWindowVisible(grid.GetMaskedEdit().m_hWnd));
        Key(VK_RETURN);
        EXPECT_EQ(Cell(kMasked, 0), "x");

        TypeOn(kPlain, 2, 'y');
        ASSERT_TRUE(grid.IsEditing());
        EXPECT_EQ(grid.GetActiveEditor(), (CWnd*)grid.GetInPlaceEdit());
        grid.CancelEdit();

        DoubleClick(kList, 0);
        EXPECT_FALSE(grid.IsEditing());
        TypeOn(kList, 2, 'z');
        EXPECT_FALSE(grid.IsEditing());
        EXPECT_EQ(Cell(kList, 2), "");
    });
}

TEST_F(ParamGridPage, AnEditReportsAChangeOnlyWhenTheTextDiffers) {
    Run([&](CTestGrid& grid) {
        grid.SetCellText(kPlain, 0, "5");
        struct Case {
            const char* what;
            std::function<void()> act;
            std::string stored;
            size_t changes;
        } cases[] = {
            {"the same text", [&] { DoubleClick(kPlain, 0), Key(VK_RETURN); }, "5", 0},
            // The editor opens with the text selected: typing replaces it.
            {"another text", [&] { DoubleClick(kPlain, 0), Type("7"), Key(VK_RETURN); }, "7", 1},
            {"another text, cancelled", [&] { DoubleClick(kPlain, 0), Type("8"), Key(VK_ESCAPE); },
             "7", 1},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            grid.events.clear();
            c.act();
            EXPECT_FALSE(grid.IsEditing());
            EXPECT_EQ(Cell(kPlain, 0), c.stored);
            EXPECT_EQ(grid.events.size(), c.changes);
        }
    });
}

TEST_F(ParamGridPage, DropListCheckBoxAndButtonOnWritableAndReadOnlyCells) {
    Run([&](CTestGrid& grid) {
        Pick(0, 1);
        EXPECT_EQ(Cell(kList, 0), "Above Limit");
        EXPECT_THAT(grid.events, ElementsAre("changed 2,0", "changed 2,0"));
        grid.events.clear();
        Pick(1, 1);
        EXPECT_EQ(Cell(kList, 1), "") << "read-only: the choice is refused";
        EXPECT_THAT(grid.events, ElementsAre());

        for (int row : {0, 1}) {
            grid.GotoCell(kCheck, row);
            Cells()->SendMessage(WM_CHAR, ' ', 1);
        }
        EXPECT_EQ(grid.GetCellInt(kCheck, 0), 1);
        EXPECT_EQ(grid.GetCellInt(kCheck, 1), 0);
        EXPECT_THAT(grid.events, ElementsAre("changed 3,0"));
        grid.events.clear();

        for (int row : {0, 1}) {
            CRect rc;
            grid.GetCellRect(kButton, row, rc);
            const CPoint button(rc.left + 6, rc.CenterPoint().y);
            Cells()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(button));
            Cells()->SendMessage(WM_LBUTTONUP, 0, At(button));
        }
        EXPECT_THAT(grid.events, ElementsAre("button 4,0"));
    });
}

TEST_F(ParamGridPage, DeleteEmptiesOnlyWritablePlainCells) {
    Run([&](CTestGrid& grid) {
        grid.SetCellText(kPlain, 0, "1");
        grid.SetCellText(kPlain, 1, "2");
        grid.SetDropListIndex(kList, 0, 0);
        grid.SetCellInt(kCheck, 0, 1);
        const struct {
            int col, row;
            std::string after;
        } cases[] = {
            {kPlain, 0, ""}, {kPlain, 1, "2"}, {kList, 0, "Below Limit"}, {kCheck, 0, "1.000000"}};
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(c.col) + "," + std::to_string(c.row));
            grid.GotoCell(c.col, c.row);
            Cells()->SendMessage(WM_KEYDOWN, VK_DELETE, 1);
            EXPECT_EQ(Cell(c.col, c.row), c.after);
        }
        // The drop list and the check box keep their kinds.
        CGridCell cell;
        grid.GetDisplayCell(kList, 0, cell);
        EXPECT_EQ(cell.GetCellType(), 1);
        grid.GetDisplayCell(kCheck, 0, cell);
        EXPECT_EQ(cell.GetCellType(), 2);
    });
}

TEST_F(ParamGridPage, TheDropListIndexCountsOnlyChoicesEndedByALineFeed) {
    Run([&](CTestGrid& grid) {
        grid.SetCellCaption(kList, 2, "A\nB\nC");
        grid.SetDropListIndex(kList, 2, 1);
        EXPECT_EQ(Cell(kList, 2), "B");
        EXPECT_EQ(grid.GetDropListIndex(kList, 2), 1);
        grid.SetDropListIndex(kList, 2, 2);
        EXPECT_EQ(Cell(kList, 2), "B") << "the unterminated choice";
        grid.SetDropListIndex(kList, 2, 5);
        EXPECT_EQ(Cell(kList, 2), "B") << "past the end";
        grid.SetDropListIndex(kList, 2, -1);
        EXPECT_EQ(Cell(kList, 2), "B");
        for (const char* text : {"C", "Z", "b", ""}) {
            grid.SetCellText(kList, 2, text);
            EXPECT_EQ(grid.GetDropListIndex(kList, 2), -1) << text;
        }
        EXPECT_EQ(grid.OnGetDefaultColor(GRIDSECTION_CELLS), ::GetSysColor(COLOR_MENU));
        for (int section : {0, 2, 3, 4})
            EXPECT_EQ(grid.OnGetDefaultColor(section), ::GetSysColor(COLOR_BTNFACE)) << section;
    });
}

LOGFONTA LogFont(HFONT hFont) {
    LOGFONTA lf = {};
    ::GetObjectA(hFont, sizeof lf, &lf);
    return lf;
}

// The cells are written in the font of the page the grid sits on, whichever it is, and the
// headings in that font made bold: text as tall as the page's labels beside the grid.
TEST_F(ParamGridPage, TheCellsAndHeadingsAreInThePagesFont) {
    std::vector<LONG> heights;
    for (UINT nTemplate : {kPage, kLargeFontPage}) {
        SCOPED_TRACE(nTemplate);
        Run(
            [&](CTestGrid& grid) {
                const LOGFONTA page =
                    LogFont((HFONT)::SendMessageA(::GetParent(grid.m_hWnd), WM_GETFONT, 0, 0));
                ASSERT_NE(page.lfHeight, 0);
                heights.push_back(page.lfHeight);
                const LOGFONTA cells =
                    LogFont((HFONT)grid.GetSettings()->m_pDefaultFont->GetSafeHandle());
                EXPECT_EQ(cells.lfHeight, page.lfHeight);
                EXPECT_STREQ(cells.lfFaceName, page.lfFaceName);
                EXPECT_EQ(cells.lfWeight, FW_NORMAL);
                grid.SetCellText(0, -1, "Value");
                grid.FormatHeadings();
                CGridCell heading;
                grid.GetDisplayCell(0, -1, heading);
                ASSERT_NE(heading.GetFont(), nullptr);
                const LOGFONTA bold = LogFont((HFONT)heading.GetFont()->GetSafeHandle());
                EXPECT_EQ(bold.lfHeight, page.lfHeight);
                EXPECT_STREQ(bold.lfFaceName, page.lfFaceName);
                EXPECT_EQ(bold.lfWeight, FW_BOLD);
            },
            nTemplate);
    }
    // The grid followed two fonts of different heights, not a height of its own.
    ASSERT_EQ(heights.size(), 2u);
    EXPECT_NE(heights[0], heights[1]);
}

}  // namespace