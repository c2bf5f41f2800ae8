// The normal cell type drawn on a 24-bit DIB section. Only what the drawing fixes in pixels
// is checked (lines, frames, fills, picture places, where text may and may not appear);
// fonts are the system's substitutes, so no check depends on a text width beyond what the
// test measures on the same device context.
#include "grid.h"
#include "grid_test_ids.h"
#include "gridtestkit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const COLORREF kFill = RGB(255, 0, 255);  // the canvas before drawing
const COLORREF kGridLine = RGB(220, 220, 220);
const COLORREF kBack = RGB(0, 0, 128);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlue = RGB(0, 0, 255);

class NormalType : public ::testing::Test {
protected:
    CGridCellType* Type() { return grid_.GetNormalCellType(); }
    void Draw(CGridCell& cell, CRect rc, int col = 0, int row = 0, int selected = 0,
              int current = 0) {
        Type()->OnDraw(canvas_.Dc(), &rc, col, row, &cell, selected, current);
    }

    CGridWnd grid_;
    DibCanvas canvas_{240, 120, kFill};
};

TEST_F(NormalType, AnEmptyCellGetsGridLinesAtItsRightAndBottomOnlyOnTheWindowColour) {
    CGridCell cell;
    const CRect rc(10, 10, 60, 30);
    Draw(cell, rc);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(canvas_.CountOf(CRect(59, 10, 60, 30), kGridLine), 20) << "right line";
    EXPECT_EQ(canvas_.CountOf(CRect(10, 29, 60, 30), kGridLine), 50) << "bottom line";
    EXPECT_EQ(canvas_.CountNot(CRect(10, 10, 59, 29), window), 0) << "no left or top line";
    EXPECT_EQ(canvas_.CountNot(CRect(0, 0, 240, 10), kFill), 0) << "nothing above";
    EXPECT_EQ(canvas_.CountNot(CRect(0, 30, 240, 120), kFill), 0) << "nothing below";
    EXPECT_EQ(canvas_.CountNot(CRect(0, 10, 10, 30), kFill), 0) << "nothing left";
    EXPECT_EQ(canvas_.CountNot(CRect(60, 10, 240, 30), kFill), 0) << "nothing right";

    grid_.EnableGridLines(FALSE);
    canvas_.Fill(kFill);
    Draw(cell, rc);
    EXPECT_EQ(canvas_.CountNot(rc, window), 0) << "without grid lines the cell is all background";
}

TEST_F(NormalType, BorderLinesAreOneTwoOrThreePixelsInsideTheCell) {
    grid_.EnableGridLines(FALSE);
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    const CRect rc(10, 10, 50, 40);
    // For each border: the pixels (on the middle row or column) that carry the line, and
    // the first background pixel inside it.
    struct Case {
        int border;
        bool vertical;  // a line along the left or right edge
        int lineFrom, lineTo, firstBack;
    } cases[] = {
        {GRIDBORDER_LEFT, true, 10, 10, 11},  {GRIDBORDER_RIGHT, true, 49, 49, 48},
        {GRIDBORDER_TOP, false, 10, 10, 11},  {GRIDBORDER_BOTTOM, false, 39, 39, 38},
        {GRIDBORDER_LEFT2, true, 10, 11, 12}, {GRIDBORDER_RIGHT2, true, 48, 49, 47},
        {GRIDBORDER_TOP2, false, 10, 11, 12}, {GRIDBORDER_BOTTOM2, false, 38, 39, 37},
        {GRIDBORDER_LEFT3, true, 10, 12, 13}, {GRIDBORDER_RIGHT3, true, 47, 49, 46},
        {GRIDBORDER_TOP3, false, 10, 12, 13}, {GRIDBORDER_BOTTOM3, false, 37, 39, 36},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("border " + std::to_string(c.border));
        canvas_.Fill(kFill);
        CGridCell cell;
        cell.SetBorder(c.border);
        cell.SetBorderPen(&black);
        cell.SetBackColor(kBack);
        Draw(cell, rc);
        for (int p = c.lineFrom; p <= c.lineTo; ++p)
            EXPECT_EQ(c.vertical ? canvas_.Pixel(p, 25) : canvas_.Pixel(30, p), RGB(0, 0, 0)) << p;
        EXPECT_EQ(c.vertical ? canvas_.Pixel(c.firstBack, 25) : canvas_.Pixel(30, c.firstBack),
                  kBack);
    }
}

TEST_F(NormalType, ThreeDimensionalFramesAreAsWideAsTheSettingAndHaveNoGridLines) {
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    ASSERT_NE(shadow, light);
    const CRect rc(10, 10, 50, 40);
    for (int width : {1, 3}) {
        ASSERT_EQ(grid_.Set3DBorderWidth(width), 0);
        for (int border : {GRIDBORDER_SUNKEN, GRIDBORDER_RAISED}) {
            SCOPED_TRACE("width " + std::to_string(width) + " border " + std::to_string(border));
            const COLORREF topLeft = border == GRIDBORDER_SUNKEN ? shadow : light;
            const COLORREF bottomRight = border == GRIDBORDER_SUNKEN ? light : shadow;
            canvas_.Fill(kFill);
            CGridCell cell;
            cell.SetBorder(border);
            cell.SetBackColor(kBack);
            Draw(cell, rc);
            for (int i = 0; i < width; ++i) {
                EXPECT_EQ(canvas_.Pixel(10 + i, 25), topLeft) << i;
                EXPECT_EQ(canvas_.Pixel(30, 10 + i), topLeft) << i;
                EXPECT_EQ(canvas_.Pixel(49 - i, 25), bottomRight) << i;
                EXPECT_EQ(canvas_.Pixel(30, 39 - i), bottomRight) << i;
            }
            EXPECT_EQ(canvas_.Pixel(10 + width, 25), kBack);
            EXPECT_EQ(canvas_.Pixel(49 - width, 25), kBack);
            EXPECT_EQ(canvas_.Pixel(30, 10 + width), kBack);
            EXPECT_EQ(canvas_.Pixel(30, 39 - width), kBack);
            EXPECT_EQ(canvas_.CountOf(rc, kGridLine), 0);
        }
    }
    EXPECT_EQ(grid_.Set3DBorderWidth(0), 1);
    EXPECT_EQ(grid_.Set3DBorderWidth(17), 1);
    EXPECT_EQ(grid_.GetSettings()->m_n3DBorderWidth, 3);
}

// --- text run on into empty cells ---------------------------------------------------------

class Overflow : public NormalType {
protected:
    void SetUp() override {
        grid_.SetDefaultColumnWidth(50);
        grid_.SetColCount(4, FALSE);
        grid_.SetRowCount(1, FALSE);
        CGridCell defaults;
        defaults.SetBackColor(kWhite);
        defaults.SetTextColor(RGB(255, 0, 0));
        for (int c = 0; c < 4; ++c) grid_.SetColumnDefaultCell(c, defaults);
        grid_.SetCellText(0, 0, std::string(60, 'W').c_str());
    }
    // Pixels of the cell's inside that are neither background nor grid line: its ink.
    int InkIn(int col) {
        canvas_.Fill(kFill);
        CGridCell cell;
        grid_.GetDisplayCell(col, 0, cell);
        CRect rc(col * 50, 0, col * 50 + 50, 20);
        Draw(cell, rc, col, 0);
        return canvas_.CountNot(CRect(rc.left, 0, rc.right - 1, 19), kWhite);
    }
};

TEST_F(Overflow, ALongTextRunsOnIntoEmptyCellsUntilTheFirstFilledOne) {
    EXPECT_GT(InkIn(0), 0);
    EXPECT_GT(InkIn(1), 0);
    EXPECT_GT(InkIn(2), 0);
    grid_.SetCellText(1, 0, "i");
    EXPECT_EQ(InkIn(2), 0) << "column 1 has a text of its own now";
    EXPECT_GT(InkIn(1), 0);
}

TEST_F(Overflow, NothingRunsOnWhenItIsSwitchedOffTheTextFitsOrTheSourceMayNot) {
    grid_.EnableTextOverflow(FALSE);
    EXPECT_EQ(InkIn(1), 0);
    grid_.EnableTextOverflow(TRUE);
    EXPECT_GT(InkIn(1), 0);
    grid_.SetCellText(0, 0, "WW");
    EXPECT_EQ(InkIn(1), 0) << "a text that fits its column";
    grid_.SetCellText(0, 0, std::string(60, 'W').c_str());
    CGridCell centred;
    grid_.GetCell(0, 0, centred);
    centred.SetAlignment(GRIDALIGN_CENTER);
    grid_.SetCell(0, 0, centred);
    EXPECT_EQ(InkIn(1), 0) << "only a left-aligned text runs on";
}

TEST(GridCellTypeOverflow, WhoMayRunOnByAlignmentStyleAndMerge) {
    CGridWnd grid;
    CGridCellType* type = grid.GetNormalCellType();
    CGridCellType* checkBox = grid.GetCellTypeObject(2);
    struct Case {
        int alignment;  // -1: none
        int style;      // -1: none
        bool merged;
        BOOL normal;
    } cases[] = {
        {-1, -1, false, 1}, {GRIDALIGN_LEFT, -1, false, 1},   {GRIDALIGN_LEFT | 0x20, 2, true, 1},
        {0, -1, false, 0},  {GRIDALIGN_CENTER, -1, false, 0}, {-1, 2, false, 0},
        {-1, -1, true, 0},
    };
    for (const Case& c : cases) {
        CGridCell cell;
        if (c.alignment >= 0) cell.SetAlignment(c.alignment);
        if (c.style >= 0) cell.SetCellTypeStyle(c.style);
        if (c.merged) cell.SetMergeInfo(1, 1, 0);
        EXPECT_EQ(type->CanOverflow(&cell), c.normal)
            << c.alignment << " " << c.style << " " << c.merged;
        EXPECT_EQ(checkBox->CanOverflow(&cell), 0);
    }
}

// --- ellipsis, word wrap, colours ---------------------------------------------------------

TEST_F(NormalType, ATooWideTextEndsInDotsAtTheRightEdgeAndAFittingTextHasNone) {
    grid_.EnableGridLines(FALSE);
    CDC* dc = canvas_.Dc();
    const int dots = dc->GetTextExtent("...", 3).cx + 3;
    const int height = dc->GetTextExtent("W", 1).cy;
    const CRect rc(0, 0, 40 + dots + 20, height + 2);
    const int partRight = rc.right - dots;
    CGridCell cell;
    cell.SetText(std::string(40, 'W').c_str());
    cell.SetCellTypeStyle(GRIDSTYLE_ELLIPSIS);
    cell.SetBackColor(kWhite);
    cell.SetTextColor(RGB(0, 0, 0));
    Draw(cell, rc);
    // Letters reach high in the line, dots stay at its foot.
    const int bandTop = 1 + height / 4, bandBottom = 1 + height / 2;
    EXPECT_GT(canvas_.CountNot(CRect(3, bandTop, partRight, bandBottom), kWhite), 0);
    EXPECT_EQ(canvas_.CountNot(CRect(partRight, bandTop, rc.right, bandBottom), kWhite), 0);
    EXPECT_GT(canvas_.CountNot(CRect(partRight, 0, rc.right, rc.bottom), kWhite), 0) << "dots";
    EXPECT_EQ(canvas_.CountNot(CRect(rc.right, 0, 240, 120), kFill), 0) << "inside the cell";

    canvas_.Fill(kFill);
    cell.SetText("ab");
    Draw(cell, rc);
    EXPECT_GT(canvas_.CountNot(CRect(0, 0, 30, rc.bottom), kWhite), 0);
    EXPECT_EQ(canvas_.CountNot(CRect(partRight, 0, rc.right, rc.bottom), kWhite), 0)
        << "a text that fits is shown whole, without dots";
}

TEST_F(NormalType, WordWrapBreaksALongTextIntoLinesBelowEachOther) {
    grid_.EnableGridLines(FALSE);
    const int height = canvas_.Dc()->GetTextExtent("W", 1).cy;
    const CRect rc(0, 0, 100, height * 4);
    CGridCell cell;
    cell.SetText("word word word word word word word word word word word word");
    cell.SetBackColor(kWhite);
    cell.SetTextColor(RGB(0, 0, 0));
    Draw(cell, rc);
    EXPECT_EQ(canvas_.CountNot(CRect(0, height + 2, 100, height * 4), kWhite), 0)
        << "without the style the text stays on one line";
    cell.SetCellTypeStyle(GRIDSTYLE_WORDWRAP);
    canvas_.Fill(kFill);
    Draw(cell, rc);
    EXPECT_GT(canvas_.CountNot(CRect(0, height + 1, 100, height * 2), kWhite), 0);
    EXPECT_EQ(canvas_.CountNot(CRect(100, 0, 240, 120), kFill), 0);
}

TEST_F(NormalType, SelectedAndCurrentCellsUseTheHighlightColoursAsTheSettingsSay) {
    grid_.EnableGridLines(FALSE);
    CGridCell cell;
    cell.SetBackColor(kBack);
    cell.SetHighlightBackColor(RGB(0, 128, 0));
    const CRect rc(0, 0, 30, 20);
    struct Case {
        int selected, current, cursorStyle;
        COLORREF back;
    } cases[] = {
        {0, 0, 1, kBack},          {1, 0, 1, RGB(0, 128, 0)}, {0, 1, 1, kBack},
        {0, 1, 2, RGB(0, 128, 0)}, {0, 1, 3, RGB(0, 128, 0)},
    };
    for (const Case& c : cases) {
        grid_.SetCursorCellStyle(c.cursorStyle);
        canvas_.Fill(kFill);
        Draw(cell, rc, 0, 0, c.selected, c.current);
        EXPECT_EQ(canvas_.Pixel(15, 18), c.back)
            << c.selected << " " << c.current << " " << c.cursorStyle;
    }
    EXPECT_EQ(grid_.SetCursorCellStyle(4), 1);
    EXPECT_EQ(grid_.SetCursorCellStyle(-1), 1);
}

TEST_F(NormalType, StyleEightShowsTheCaptionInsteadOfTheText) {
    grid_.EnableGridLines(FALSE);
    CGridCell cell;
    cell.SetBackColor(kWhite);
    cell.SetTextColor(RGB(0, 0, 0));
    cell.SetCaptionText("WWW");
    const CRect rc(0, 0, 60, 20);
    Draw(cell, rc);
    EXPECT_EQ(canvas_.CountNot(rc, kWhite), 0) << "no text, caption not shown";
    cell.SetCellTypeStyle(GRIDSTYLE_SHOWCAPTION);
    Draw(cell, rc);
    EXPECT_GT(canvas_.CountNot(rc, kWhite), 0);
}

// --- pictures -----------------------------------------------------------------------------

TEST_F(NormalType, APictureTallerThanTheCellIsScaledDownToItsHeight) {
    CBitmap tall;
    ASSERT_TRUE(tall.LoadBitmap(IDB_TEST_PICTURE_TALL));  // 20 x 40
    CRect rc(10, 10, 110, 30);                            // room for 16 rows
    EXPECT_EQ(Type()->DrawBitmap(canvas_.Dc(), &tall, &rc, kWhite), 8 + 4);
    EXPECT_EQ(canvas_.CountOf(CRect(12, 12, 20, 28), kBlue), 8 * 16);
    EXPECT_EQ(canvas_.CountOf(CRect(10, 10, 22, 30), kWhite), 12 * 20 - 8 * 16);
    EXPECT_EQ(canvas_.CountNot(CRect(22, 10, 110, 30), kFill), 0) << "the strip ends there";

    // One that fits is copied as it is, centred vertically.
    CBitmap small;
    ASSERT_TRUE(small.LoadBitmap(IDB_TEST_BUTTON_UP));  // 12 x 12
    canvas_.Fill(kFill);
    rc.SetRect(0, 40, 100, 70);
    EXPECT_EQ(Type()->DrawBitmap(canvas_.Dc(), &small, &rc, kWhite), 12 + 4);
    EXPECT_EQ(canvas_.CountOf(CRect(2, 49, 14, 61), kBlue), 144);
    EXPECT_EQ(canvas_.Pixel(2, 48), kWhite);
    EXPECT_EQ(canvas_.Pixel(2, 61), kWhite);

    // A cell narrower than the picture cuts it.
    canvas_.Fill(kFill);
    rc.SetRect(0, 80, 10, 110);
    EXPECT_EQ(Type()->DrawBitmap(canvas_.Dc(), &small, &rc, kWhite), 10);
    EXPECT_EQ(canvas_.CountOf(CRect(0, 80, 240, 110), kBlue), 6 * 12);
}

TEST_F(NormalType, TheTextOfACellWithAPictureStartsRightOfIt) {
    grid_.EnableGridLines(FALSE);
    CBitmap small;
    ASSERT_TRUE(small.LoadBitmap(IDB_TEST_BUTTON_UP));
    CGridCell cell;
    cell.SetBitmap(&small);
    cell.SetText("W");
    cell.SetBackColor(kWhite);
    cell.SetTextColor(RGB(0, 0, 0));
    CRect rc(0, 0, 80, 24);
    Draw(cell, rc);
    EXPECT_EQ(canvas_.CountOf(CRect(2, 6, 14, 18), kBlue), 144);
    const int margin = grid_.GetSettings()->m_nTextMargin;
    EXPECT_EQ(canvas_.CountNot(CRect(14, 0, 16 + margin, 24), kWhite), 0);
    EXPECT_GT(canvas_.CountNot(CRect(16 + margin, 0, 80, 24), kWhite), 0);
}

// --- best size and printing ---------------------------------------------------------------

TEST_F(NormalType, TheBestSizeIsTheTextExtentWithRoomAround) {
    CGridCell cell;
    CSize size;
    Type()->GetBestSize(canvas_.Dc(), &size, &cell);
    EXPECT_EQ(size, CSize(9, 5));
    cell.SetText("Hello");
    Type()->GetBestSize(canvas_.Dc(), &size, &cell);
    CSize extent = canvas_.Dc()->GetTextExtent("Hello", 5);
    EXPECT_EQ(size, CSize(extent.cx + 6, extent.cy + 2));
}

TEST_F(NormalType, PrintingScalesByTheRowHeightAndSkipsARowWithoutHeight) {
    grid_.SetColCount(1, FALSE);
    grid_.SetRowCount(2, FALSE);
    grid_.SetRowHeight(1, 0);
    CGridCell cell;
    cell.SetText("W");
    cell.SetBackColor(kWhite);
    CRect rc(0, 0, 100, 40);
    EXPECT_EQ(Type()->OnPrintDraw(canvas_.Dc(), &rc, 0, 1, &cell), 0);
    EXPECT_EQ(canvas_.CountNot(CRect(0, 0, 240, 120), kFill), 0) << "a 0-height row prints nothing";
    Type()->OnPrintDraw(canvas_.Dc(), &rc, 0, 0, &cell);
    EXPECT_GT(canvas_.CountOf(rc, kWhite), 0);
    EXPECT_FALSE(cell.HasProperties(GRIDCELL_FONT)) << "the printing font is not left in the cell";
}

// --- the table of types -------------------------------------------------------------------

TEST(GridCellTypes, TheStandardTypesHaveFixedIndexesAndUnknownIndexesGiveTheNormalOne) {
    CGridWnd grid;
    CGridCellType* normal = grid.GetNormalCellType();
    EXPECT_EQ(normal->GetTypeIndex(), 0);
    EXPECT_STREQ(normal->GetTypeName(), "Normal Cell Type (default)");
    EXPECT_STREQ(grid.GetCellTypeObject(1)->GetTypeName(), "Standard DropList");
    EXPECT_STREQ(grid.GetCellTypeObject(2)->GetTypeName(), "Standard CheckBox Type");
    EXPECT_STREQ(grid.GetCellTypeObject(3)->GetTypeName(), "Normal Cell Type (default)");
    EXPECT_NE(grid.GetCellTypeObject(3), normal);
    EXPECT_FALSE(grid.GetCellTypeObject(2)->UsesEditor());
    EXPECT_FALSE(grid.GetCellTypeObject(3)->UsesEditor());
    EXPECT_TRUE(grid.GetCellTypeObject(1)->UsesEditor());
    for (int index : {-5, 0, 4, 99}) EXPECT_EQ(grid.GetCellTypeObject(index), normal) << index;
    const GUID* guid = normal->GetTypeGuid();
    EXPECT_EQ(guid->Data1, 0x78A705C1u);
    EXPECT_EQ(grid.GetCellTypeObject(2)->GetTypeGuid()->Data1, 0x93AAB8D0u);
    EXPECT_EQ(grid.GetCellTypeObject(1)->GetTypeGuid()->Data1, 0x1667A6A0u);

    CGridCellType custom;
    EXPECT_EQ(grid.RegisterCellType(NULL), -1);
    EXPECT_EQ(grid.RegisterCellType(&custom), 4);
    EXPECT_EQ(custom.GetGrid(), &grid);
    EXPECT_EQ(custom.GetTypeIndex(), 4);
    EXPECT_EQ(grid.GetCellTypeObject(4), &custom);
    EXPECT_EQ(grid.FindCellType(&custom), 4);
    EXPECT_EQ(grid.RemoveCellType(4), 0);
    EXPECT_EQ(grid.GetCellTypeObject(4), normal);
    EXPECT_EQ(grid.FindCellType(&custom), -1);
}

TEST(GridCellTypes, TheTypeAtACellIsItsOwnOrTheNormalOne) {
    CGridWnd grid;
    grid.SetColCount(2, FALSE);
    grid.SetRowCount(2, FALSE);
    CGridCell cell;
    cell.SetCellType(2);
    grid.SetCell(1, 1, cell);
    EXPECT_EQ(grid.GetCellTypeAt(1, 1), grid.GetCellTypeObject(2));
    EXPECT_EQ(grid.GetCellTypeAt(0, 1), grid.GetNormalCellType());
    cell.SetCellType(42);
    grid.SetCell(0, 0, cell);
    EXPECT_EQ(grid.GetCellTypeAt(0, 0), grid.GetNormalCellType());
}

// --- the types that take input: check box, arrow, drop list, buttons ----------------------------

const COLORREF kBlack = RGB(0, 0, 0);

class InputTypes : public NormalType {
protected:
    void SetUp() override { grid_.EnableGridLines(FALSE); }
    void DrawWith(CGridCellType* pType, CGridCell& cell, CRect rc, int current = 0) {
        canvas_.Fill(kFill);
        pType->OnDraw(canvas_.Dc(), &rc, 0, 0, &cell, 0, current);
    }
};

TEST_F(InputTypes, TheCheckBoxDrawsItsBoxAndMarkOnlyWhenThereIsRoom) {
    CGridCellType* box = grid_.GetCellTypeObject(2);
    struct Case {
        int height;
        int style;
        const char* text;
        bool frame;  // the flat box's black frame
        bool mark;   // black inside the box
    } cases[] = {
        {20, 0, "0.000000", true, false},      {20, 0, "1.000000", true, true},
        {20, 0x1000, "1.000000", true, true},  {20, 0x100, "0.000000", false, false},
        {20, 0x1100, "1.000000", false, true}, {11, 0, "1.000000", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.height) + " style " + std::to_string(c.style) + " " + c.text);
        CGridCell cell;
        cell.SetText(c.text);
        cell.SetCellTypeStyle(c.style);
        cell.SetBackColor(kBack);
        const CRect rc(10, 10, 100, 10 + c.height);
        DrawWith(box, cell, rc);
        const CRect b = CGridCheckBoxType::BoxRect(rc);
        EXPECT_EQ(b.Width(), c.height == 11 ? 5 : 12);
        EXPECT_EQ(canvas_.Pixel(b.left, b.CenterPoint().y) == kBlack, c.frame);
        EXPECT_EQ(
            canvas_.CountOf(CRect(b.left + 2, b.top + 2, b.right - 1, b.bottom - 1), kBlack) > 0,
            c.mark);
        if (c.height == 11) {
            EXPECT_EQ(canvas_.CountNot(CRect(10, 10, 10 + 6 + 5, 21), kBack), 0)
                << "a 5-pixel box is not drawn at all";
        }
        EXPECT_EQ(canvas_.CountNot(CRect(0, 0, 240, 10), kFill), 0) << "nothing above";
    }
}

TEST_F(InputTypes, AnArrowNeedsFourPixelsAndDrawsInTheTextColour) {
    CGridCellType* arrow = grid_.GetCellTypeObject(3);
    const COLORREF text = RGB(0, 128, 0);
    struct Case {
        int width;
        int style;  // -1: none (a right arrow)
        bool drawn;
    } cases[] = {{3, -1, false},   {20, -1, true},   {20, 0x20, true},
                 {20, 0x40, true}, {20, 0x80, true}, {20, 0x01, false}};
    int inkRight = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " style " + std::to_string(c.style));
        CGridCell cell;
        if (c.style >= 0) cell.SetCellTypeStyle(c.style);
        cell.SetBackColor(kBack);
        cell.SetTextColor(text);
        const CRect rc(10, 10, 10 + c.width, 30);
        DrawWith(arrow, cell, rc);
        const int ink = canvas_.CountOf(rc, text);
        EXPECT_EQ(ink > 0, c.drawn);
        EXPECT_EQ(canvas_.CountNot(rc, kBack), ink) << "the rest is background";
        if (c.width == 20 && c.style == -1) inkRight = ink;
        if (c.style == 0x40) { EXPECT_EQ(ink, 2 * inkRight) << "two heads"; }
    }
}

TEST_F(InputTypes, ButtonsSitAtTheirEndsAndStyle0x200KeepsThemToTheCurrentCell) {
    CGridEllipsisButtonType ellipsis;
    grid_.RegisterCellType(&ellipsis);
    CGridCellType* list = grid_.GetCellTypeObject(1);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const int nButton = ::GetSystemMetrics(SM_CXVSCROLL);
    const CRect rc(10, 10, 130, 30);
    const CRect button(rc.right - nButton, rc.top, rc.right, rc.bottom);
    struct Case {
        const char* what;
        CGridCellType* type;
        int style, current;
        int black;  // black pixels in the button: the arrow's 5 + 3 + 1, or three dots of 2
    } cases[] = {
        {"drop list", list, 0, 0, 9},
        {"drop list, current only", list, 0x200, 1, 9},
        {"drop list, not current", list, 0x200, 0, -1},
        {"ellipsis", &ellipsis, 0, 0, 6},
        {"ellipsis, not current", &ellipsis, 0x200, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CGridCell cell;
        cell.SetBackColor(kBack);
        cell.SetCellTypeStyle(c.style);
        DrawWith(c.type, cell, rc, c.current);
        if (c.black < 0) {
            EXPECT_EQ(canvas_.CountOf(rc, face), 0) << "no button";
            EXPECT_EQ(canvas_.CountNot(rc, kBack), 0);
        } else {
            EXPECT_GT(canvas_.CountOf(button, face), button.Width() * button.Height() / 2);
            EXPECT_EQ(canvas_.CountOf(button, kBlack), c.black);
            EXPECT_EQ(canvas_.CountOf(CRect(rc.left, rc.top, button.left - 1, rc.bottom), face), 0)
                << "the text part keeps its background";
        }
    }
}

TEST_F(InputTypes, AParameterCellShowsItsPictureButtonOrDrawsAsANormalCell) {
    CGridParamCellType param;
    grid_.RegisterCellType(&param);
    const CRect rc(10, 10, 130, 30);
    CGridCell plain;
    plain.SetText("12.5");
    plain.SetBackColor(kBack);
    DrawWith(grid_.GetNormalCellType(), plain, rc);
    std::vector<COLORREF> normal;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) normal.push_back(canvas_.Pixel(x, y));
    DrawWith(&param, plain, rc);
    std::vector<COLORREF> drawn;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) drawn.push_back(canvas_.Pixel(x, y));
    EXPECT_EQ(drawn, normal) << "without pictures: a normal cell";

    CGridCell pictured;
    pictured.SetText("12.5");
    pictured.SetBackColor(kBack);
    pictured.SetBitmaps(IDB_TEST_BUTTON_UP, IDB_TEST_BUTTON_DOWN);
    DrawWith(&param, pictured, rc);
    const CRect button(rc.left, rc.top, rc.left + 16, rc.bottom);
    EXPECT_GT(canvas_.CountOf(button, kBlue), 100) << "the 12 x 12 released picture";
    EXPECT_EQ(canvas_.CountOf(CRect(button.right, rc.top, rc.right, rc.bottom), kBlue), 0);
    pictured.SetCellTypeStyle(0x200);
    DrawWith(&param, pictured, rc);
    EXPECT_EQ(canvas_.CountOf(rc, kBlue), 0) << "style 0x200: only on the current cell";
    DrawWith(&param, pictured, rc, 1);
    EXPECT_GT(canvas_.CountOf(button, kBlue), 100);
}

// A drop list's and a pictured parameter cell's best size hold their button beside the text:
// a column fitted to them does not hide the text under the button.
TEST_F(InputTypes, TheBestSizeHoldsTheButtonBesideTheText) {
    CGridParamCellType param;
    grid_.RegisterCellType(&param);
    CGridCell cell;
    cell.SetText("Below Limit");
    CSize plain, size;
    grid_.GetNormalCellType()->GetBestSize(canvas_.Dc(), &plain, &cell);
    grid_.GetCellTypeObject(1)->GetBestSize(canvas_.Dc(), &size, &cell);
    EXPECT_EQ(size, CSize(plain.cx + ::GetSystemMetrics(SM_CXVSCROLL) + 1, plain.cy));
    param.GetBestSize(canvas_.Dc(), &size, &cell);
    EXPECT_EQ(size, plain) << "without pictures: a normal cell";
    cell.SetBitmaps(IDB_TEST_BUTTON_UP, IDB_TEST_BUTTON_DOWN);
    param.GetBestSize(canvas_.Dc(), &size, &cell);
    EXPECT_EQ(size, CSize(plain.cx + 12 + 4, plain.cy)) << "the 12 x 12 picture and its frame";
}

}  // namespace
