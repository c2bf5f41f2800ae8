// The grid's value classes on their own: the cell record, the redraw hints and the object
// table.
#include "grid.h"
#include "grid_test_ids.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string TextOf(const CGridCell& cell) {
    return cell.GetText() != NULL ? cell.GetText() : "<none>";
}

// --- cell record ------------------------------------------------------------------------

TEST(GridCell, ANewCellShowsTheDefaultsOfEveryProperty) {
    CGridCell cell;
    EXPECT_EQ(cell.GetFlags(), 0u);
    EXPECT_EQ(cell.GetText(), nullptr);
    EXPECT_EQ(cell.GetTextLength(), 0);
    EXPECT_EQ(cell.GetMask(), nullptr);
    EXPECT_EQ(cell.GetCaptionText(), nullptr);
    EXPECT_EQ(cell.GetDataType(), GRIDDATA_TEXT);
    EXPECT_EQ(cell.GetParam(), 0);
    EXPECT_EQ(cell.GetCellType(), 0);
    EXPECT_EQ(cell.GetCellTypeStyle(), 0);
    EXPECT_EQ(cell.GetAlignment(), 0);
    EXPECT_EQ(cell.GetBorder(), 0);
    EXPECT_FALSE(cell.GetReadOnly());
    EXPECT_EQ(cell.GetDecimals(), 0);
    EXPECT_EQ(cell.GetTextColor(), ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(cell.GetBackColor(), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(cell.GetHighlightTextColor(), ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(cell.GetHighlightBackColor(), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(cell.GetBorderPen(), nullptr);
    EXPECT_EQ(cell.GetFont(), nullptr);
    EXPECT_EQ(cell.GetBitmap(), nullptr);
    EXPECT_EQ(cell.GetData(), nullptr);
    EXPECT_EQ(cell.GetDataSize(), 0u);
    EXPECT_EQ(cell.GetFetchHandler(), nullptr);
    EXPECT_EQ(cell.GetOverlayCell(), nullptr);
    EXPECT_EQ(cell.GetBitmapObject(0), nullptr);
    CString text("kept");
    EXPECT_EQ(cell.GetText(text), 1);
    EXPECT_EQ(std::string(text), "kept");
    int origin = 7, cols = 8, rows = 9;
    EXPECT_EQ(cell.GetMergeInfo(origin, cols, rows), 1);
    EXPECT_EQ(origin, 7);
    EXPECT_EQ(cols, 8);
    EXPECT_EQ(rows, 9);
}

TEST(GridCell, SetDefaultsGivesTheEightDisplayPropertiesAndNothingElse) {
    CGridCell cell;
    cell.SetDefaults();
    EXPECT_EQ(cell.GetFlags(), 0x8787u);
    EXPECT_STREQ(cell.GetText(), "");
    EXPECT_STREQ(cell.GetMask(), "");
    EXPECT_STREQ(cell.GetCaptionText(), "");
    EXPECT_EQ(cell.GetBackColor(), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(cell.GetHighlightBackColor(), ::GetSysColor(COLOR_HIGHLIGHT));
}

// Every typed setter sets exactly its property's bit, its getter gives the value back, and
// clearing the bit hides the value again.
TEST(GridCell, EachSetterSetsItsOwnBitAndClearPropertyHidesTheValue) {
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    CFont font;
    font.CreateFont(10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    CBitmap bitmap;
    bitmap.CreateBitmap(2, 2, 1, 1, NULL);
    struct Handler : CGridFetchHandler {
        void OnCellFetched(CGridCell*) override {}
    } handler;
    CGridCell overlay;
    struct Case {
        const char* name;
        UINT bits;
        std::function<void(CGridCell&)> set;
        std::function<bool(const CGridCell&)> isSet;
    };
    const std::vector<Case> cases = {
        {"text", GRIDCELL_TEXT | GRIDCELL_DATATYPE, [](CGridCell& c) { c.SetText("x"); },
         [](const CGridCell& c) { return c.GetText() != NULL && c.GetDataType() == 1; }},
        {"mask", GRIDCELL_MASK, [](CGridCell& c) { c.SetMask("99"); },
         [](const CGridCell& c) { return c.GetMask() != NULL; }},
        {"caption", GRIDCELL_CAPTION, [](CGridCell& c) { c.SetCaptionText("a\nb\n"); },
         [](const CGridCell& c) { return c.GetCaptionText() != NULL; }},
        {"data type", GRIDCELL_DATATYPE, [](CGridCell& c) { c.SetDataType(3); },
         [](const CGridCell& c) { return c.GetDataType() == 3; }},
        {"param", GRIDCELL_PARAM, [](CGridCell& c) { c.SetParam(42); },
         [](const CGridCell& c) { return c.GetParam() == 42; }},
        {"cell type", GRIDCELL_CELLTYPE, [](CGridCell& c) { c.SetCellType(2); },
         [](const CGridCell& c) { return c.GetCellType() == 2; }},
        {"type style", GRIDCELL_TYPESTYLE, [](CGridCell& c) { c.SetCellTypeStyle(0x1100); },
         [](const CGridCell& c) { return c.GetCellTypeStyle() == 0x1100; }},
        {"text colour", GRIDCELL_TEXTCOLOR, [](CGridCell& c) { c.SetTextColor(RGB(1, 2, 3)); },
         [](const CGridCell& c) { return c.GetTextColor() == RGB(1, 2, 3); }},
        {"back colour", GRIDCELL_BACKCOLOR, [](CGridCell& c) { c.SetBackColor(RGB(4, 5, 6)); },
         [](const CGridCell& c) { return c.GetBackColor() == RGB(4, 5, 6); }},
        {"highlight text", GRIDCELL_HLTEXTCOLOR,
         [](CGridCell& c) { c.SetHighlightTextColor(RGB(7, 8, 9)); },
         [](const CGridCell& c) { return c.GetHighlightTextColor() == RGB(7, 8, 9); }},
        {"highlight back", GRIDCELL_HLBACKCOLOR,
         [](CGridCell& c) { c.SetHighlightBackColor(RGB(10, 11, 12)); },
         [](const CGridCell& c) { return c.GetHighlightBackColor() == RGB(10, 11, 12); }},
        {"border", GRIDCELL_BORDER, [](CGridCell& c) { c.SetBorder(0x2000); },
         [](const CGridCell& c) { return c.GetBorder() == 0x2000; }},
        {"border pen", GRIDCELL_BORDERPEN, [&](CGridCell& c) { c.SetBorderPen(&pen); },
         [&](const CGridCell& c) { return c.GetBorderPen() == &pen; }},
        {"font", GRIDCELL_FONT, [&](CGridCell& c) { c.SetFont(&font); },
         [&](const CGridCell& c) { return c.GetFont() == &font; }},
        {"bitmap", GRIDCELL_BITMAP, [&](CGridCell& c) { c.SetBitmap(&bitmap); },
         [&](const CGridCell& c) { return c.GetBitmap() == &bitmap; }},
        {"alignment", GRIDCELL_ALIGNMENT, [](CGridCell& c) { c.SetAlignment(36); },
         [](const CGridCell& c) { return c.GetAlignment() == 36; }},
        {"data", GRIDCELL_DATA, [](CGridCell& c) { c.AllocData(8); },
         [](const CGridCell& c) { return c.GetData() != NULL && c.GetDataSize() == 8; }},
        {"merge", GRIDCELL_MERGE, [](CGridCell& c) { c.SetMergeInfo(1, 2, 3); },
         [](const CGridCell& c) {
             int o = 0, cols = 0, rows = 0;
             return c.GetMergeInfo(o, cols, rows) == 0 && o == 1 && cols == 2 && rows == 3;
         }},
        {"fetch handler", GRIDCELL_FETCH, [&](CGridCell& c) { c.SetFetchHandler(&handler); },
         [&](const CGridCell& c) { return c.GetFetchHandler() == &handler; }},
        {"overlay", GRIDCELL_OVERLAY, [&](CGridCell& c) { c.SetOverlayCell(&overlay); },
         [&](const CGridCell& c) { return c.GetOverlayCell() == &overlay; }},
        {"read-only", GRIDCELL_READONLY, [](CGridCell& c) { c.SetReadOnly(5); },
         [](const CGridCell& c) { return c.GetReadOnly() == 1; }},
        {"decimals", GRIDCELL_DECIMALS, [](CGridCell& c) { c.SetDecimals(3); },
         [](const CGridCell& c) { return c.GetDecimals() == 3; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCell cell;
        c.set(cell);
        EXPECT_EQ(cell.GetFlags(), c.bits);
        EXPECT_TRUE(c.isSet(cell));
        for (UINT bit = 1; bit != 0; bit <<= 1)
            if (c.bits & bit) cell.ClearProperty(bit);
        EXPECT_EQ(cell.GetFlags(), 0u);
        EXPECT_FALSE(c.isSet(cell));
    }
}

TEST(GridCell, ANumberIsWrittenWithSixDecimalsOrTheCellsOwnCount) {
    struct Case {
        double value;
        int decimals;  // -1: none set
        const char* text;
    } cases[] = {
        {2.5, -1, "2.500000"},  {2.5, 2, "2.50"},      {-0.125, 1, "-0.1"},
        {1234.5678, 0, "1235"}, {1.0, -1, "1.000000"},
    };
    for (const Case& c : cases) {
        CGridCell cell;
        if (c.decimals >= 0) cell.SetDecimals(c.decimals);
        cell.SetNumber(c.value);
        EXPECT_STREQ(cell.GetText(), c.text) << c.value;
        EXPECT_EQ(cell.GetDataType(), GRIDDATA_NUMBER);
        EXPECT_TRUE(cell.HasProperties(GRIDCELL_DATATYPE));
    }
}

TEST(GridCell, TextsReadAsNumbersAndTruthValues) {
    struct Case {
        const char* text;
        bool truth;
        double number;
        int integer;
    } cases[] = {
        {"True", true, 0.0, 0},     {"t", true, 0.0, 0},         {"1", true, 1.0, 1},
        {"1.000000", true, 1.0, 1}, {"", false, 0.0, 0},         {"0", false, 0.0, 0},
        {"F", false, 0.0, 0},       {"0.000000", false, 0.0, 0}, {"12.75 ppm", true, 12.75, 12},
        {"-3", true, -3.0, -3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CGridCell cell;
        cell.SetText(c.text);
        EXPECT_EQ(cell.GetBool(), c.truth);
        EXPECT_DOUBLE_EQ(cell.GetNumber(), c.number);
        int i = -99;
        long l = -99;
        float f = -99;
        double d = -99;
        EXPECT_EQ(cell.GetInt(&i), 0);
        EXPECT_EQ(cell.GetLong(&l), 0);
        EXPECT_EQ(cell.GetFloat(&f), 0);
        EXPECT_EQ(cell.GetDouble(&d), 0);
        EXPECT_EQ(i, c.integer);
        EXPECT_EQ(l, c.integer);
        EXPECT_FLOAT_EQ(f, (float)c.number);
        EXPECT_DOUBLE_EQ(d, c.number);
    }
    // Without text every reader reports 1 and leaves its argument alone.
    CGridCell empty;
    int i = 5;
    double d = 6;
    EXPECT_EQ(empty.GetInt(&i), 1);
    EXPECT_EQ(empty.GetDouble(&d), 1);
    EXPECT_EQ(i, 5);
    EXPECT_EQ(d, 6);
    EXPECT_FALSE(empty.GetBool());
    EXPECT_EQ(empty.GetNumber(), 0.0);
}

TEST(GridCell, BooleansDatesAndAppendedTexts) {
    CGridCell cell;
    cell.SetBool(true);
    EXPECT_STREQ(cell.GetText(), "1");
    EXPECT_EQ(cell.GetDataType(), GRIDDATA_BOOL);
    cell.AppendText("23");
    EXPECT_STREQ(cell.GetText(), "123");
    EXPECT_EQ(cell.GetDataType(), GRIDDATA_TEXT);
    // Dates are not kept: only the type is written, without its property bit.
    CGridCell date;
    COleDateTime when(2024, 5, 6, 7, 8, 9);
    EXPECT_EQ(date.SetDateTime(when), 1);
    EXPECT_EQ(date.GetDateTime(when), 1);
    EXPECT_FALSE(date.HasProperties(GRIDCELL_DATATYPE));
    EXPECT_EQ(date.GetDataType(), GRIDDATA_TEXT);
}

TEST(GridCell, RefusedAndClearingSetters) {
    CGridCell cell;
    EXPECT_EQ(cell.SetFetchHandler(NULL), 1);
    EXPECT_FALSE(cell.HasProperties(GRIDCELL_FETCH));
    CBitmap bitmap;
    bitmap.CreateBitmap(1, 1, 1, 1, NULL);
    cell.SetBitmap(&bitmap);
    EXPECT_TRUE(cell.HasProperties(GRIDCELL_BITMAP));
    cell.SetBitmap(NULL);
    EXPECT_FALSE(cell.HasProperties(GRIDCELL_BITMAP));
}

TEST(GridCell, MergingMovesOnlyTheSetPropertiesAndUnitesTheWords) {
    CGridCell target;
    target.SetText("kept");
    target.SetAlignment(4);
    CGridCell background;
    background.SetBackColor(RGB(1, 2, 3));
    target.MergeFrom(background);
    EXPECT_EQ(TextOf(target), "kept");
    EXPECT_EQ(target.GetAlignment(), 4);
    EXPECT_EQ(target.GetBackColor(), RGB(1, 2, 3));
    EXPECT_EQ(target.GetFlags(),
              GRIDCELL_TEXT | GRIDCELL_DATATYPE | GRIDCELL_ALIGNMENT | GRIDCELL_BACKCOLOR);

    CGridCell over;
    over.SetText("over");
    over.MergeInto(target);
    EXPECT_EQ(TextOf(target), "over");
    EXPECT_EQ(target.GetBackColor(), RGB(1, 2, 3));
}

TEST(GridCell, CopyingReplacesTheWordSoUnsetPropertiesDisappear) {
    CGridCell target;
    target.SetText("old");
    target.SetBorder(1);
    CGridCell source;
    source.SetCellType(2);
    target.CopyFrom(source);
    EXPECT_EQ(target.GetText(), nullptr);
    EXPECT_EQ(target.GetBorder(), 0);
    EXPECT_EQ(target.GetCellType(), 2);
    EXPECT_EQ(target.GetFlags(), source.GetFlags());

    CGridCell other;
    source.CopyTo(other);
    EXPECT_EQ(other.GetCellType(), 2);
    CGridCell third;
    CGridCell::CopyCell(other, third);
    EXPECT_EQ(third.GetFlags(), GRIDCELL_CELLTYPE);
}

TEST(GridCell, ACopiedDataBlockIsAFreshBlockWithTheSameBytes) {
    CGridCell source;
    BYTE* p = (BYTE*)source.AllocData(16);
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 16; ++i) p[i] = (BYTE)(i * 3);
    CGridCell copy;
    copy.CopyFrom(source);
    ASSERT_NE(copy.GetData(), nullptr);
    EXPECT_NE(copy.GetData(), source.GetData());
    EXPECT_EQ(copy.GetDataSize(), 16u);
    EXPECT_EQ(memcmp(copy.GetData(), p, 16), 0);
    // The copy's block lives on after the source is gone.
    source.FreeData();
    EXPECT_EQ(((BYTE*)copy.GetData())[15], 45);
    // Copying a cell without a block leaves none.
    copy.CopyFrom(source);
    EXPECT_EQ(copy.GetData(), nullptr);
    EXPECT_EQ(copy.GetDataSize(), 0u);
}

// --- button pictures: one loaded picture per resource id ---------------------------------

TEST(GridCellButtons, CellsNamingTheSameIdShareOneLoadedPictureUntilTheLastGoes) {
    HBITMAP hUp = NULL;
    {
        CGridCell cell;
        cell.SetBitmaps(IDB_TEST_BUTTON_UP, IDB_TEST_BUTTON_DOWN);
        ASSERT_NE(cell.GetBitmapObject(0), nullptr);
        ASSERT_NE(cell.GetBitmapObject(1), nullptr);
        EXPECT_NE(cell.GetBitmapObject(0), cell.GetBitmapObject(1));
        hUp = (HBITMAP)cell.GetBitmapObject(0)->GetSafeHandle();
        BITMAP bm;
        ASSERT_NE(::GetObjectA(hUp, sizeof bm, &bm), 0);
        EXPECT_EQ(bm.bmWidth, 12);

        // Thousands of copies, as painting makes them, load nothing again.
        std::vector<std::unique_ptr<CGridCell>> copies;
        for (int i = 0; i < 3000; ++i) {
            copies.emplace_back(new CGridCell);
            copies.back()->CopyFrom(cell);
        }
        for (const auto& copy : copies) {
            ASSERT_EQ(copy->GetBitmapObject(0), cell.GetBitmapObject(0));
            ASSERT_EQ(copy->GetBitmapObject(1), cell.GetBitmapObject(1));
        }
        CGridCell work;
        work.MergeFrom(*copies.back());
        EXPECT_EQ(work.GetBitmapObject(0), cell.GetBitmapObject(0));
        EXPECT_EQ(work.GetBitmapId(1), (UINT)IDB_TEST_BUTTON_DOWN);
        copies.clear();
        EXPECT_NE(::GetObjectType(hUp), 0u) << "still named by the first cell";
    }
    EXPECT_EQ(::GetObjectType(hUp), 0u) << "freed with the last cell naming it";
}

TEST(GridCellButtons, IdsZeroAndMissingResourcesGiveNoPicture) {
    CGridCell cell;
    cell.SetBitmaps(IDB_TEST_MISSING, 0);
    EXPECT_EQ(cell.GetBitmapId(0), (UINT)IDB_TEST_MISSING);
    EXPECT_EQ(cell.GetBitmapObject(0), nullptr);
    EXPECT_EQ(cell.GetBitmapObject(1), nullptr);
    cell.SetBitmaps(IDB_TEST_BUTTON_UP, IDB_TEST_BUTTON_UP);
    EXPECT_NE(cell.GetBitmapObject(0), nullptr);
    EXPECT_EQ(cell.GetBitmapObject(0), cell.GetBitmapObject(1));
    // A copy follows the source's ids whatever its property word says.
    CGridCell plain;
    cell.CopyFrom(plain);
    EXPECT_EQ(cell.GetBitmapId(0), 0u);
    EXPECT_EQ(cell.GetBitmapObject(0), nullptr);
    cell.SetBitmaps(IDB_TEST_BUTTON_DOWN, 0);
    cell.Clear();
    EXPECT_EQ(cell.GetBitmapObject(0), nullptr);
}

// --- redraw hints -------------------------------------------------------------------------

TEST(GridRedrawHints, SeparateRangesKeepTheirHolesOneUnitedRangeDoesNot) {
    CGridRedrawHints hints;
    int l, t, r, b;
    EXPECT_FALSE(hints.GetBounds(l, t, r, b));
    EXPECT_EQ(l | t | r | b, 0);
    EXPECT_FALSE(hints.IsInRange(0, 0));

    hints.AddCell(5, 5);
    hints.AddCell(1, 9);
    ASSERT_TRUE(hints.GetBounds(l, t, r, b));
    EXPECT_EQ(CRect(l, t, r, b), CRect(1, 5, 5, 9));
    EXPECT_FALSE(hints.IsInRange(3, 7));
    EXPECT_TRUE(hints.IsInRange(5, 5));
    EXPECT_TRUE(hints.IsInRange(1, 9));

    hints.Clear();
    EXPECT_FALSE(hints.IsInRange(5, 5));
    hints.UniteCell(5, 5);
    hints.UniteCell(1, 9);
    ASSERT_TRUE(hints.GetBounds(l, t, r, b));
    EXPECT_EQ(CRect(l, t, r, b), CRect(1, 5, 5, 9));
    EXPECT_TRUE(hints.IsInRange(3, 7));
    EXPECT_FALSE(hints.IsInRange(6, 7));
}

TEST(GridRedrawHints, ListedCellsAreAListOfTheirOwn) {
    CGridRedrawHints hints;
    hints.AddListedCell(2, 3);
    hints.AddListedCell(-1, -1);
    EXPECT_TRUE(hints.IsListedCell(2, 3));
    EXPECT_TRUE(hints.IsListedCell(-1, -1));
    EXPECT_FALSE(hints.IsListedCell(3, 2));
    EXPECT_FALSE(hints.IsInRange(2, 3));
    hints.AddRange(0, -2, 10, 0);
    EXPECT_TRUE(hints.IsInRange(4, -1));
    hints.Clear();
    EXPECT_FALSE(hints.IsListedCell(2, 3));
}

// --- object table -------------------------------------------------------------------------

TEST(GridObjectTable, GrowsByTenKeepsIndexesAndReusesTheFirstFreeSlot) {
    CGridObjectTable table;
    EXPECT_EQ(table.GetSlotCount(), 0);
    std::vector<std::unique_ptr<CGridCell>> objects;
    for (int i = 0; i < 11; ++i) objects.emplace_back(new CGridCell);
    EXPECT_EQ(table.Add(objects[0].get(), 100), 0);
    EXPECT_EQ(table.GetSlotCount(), 10);
    for (int i = 1; i < 11; ++i) EXPECT_EQ(table.Add(objects[i].get(), 100 + i), i);
    EXPECT_EQ(table.GetSlotCount(), 20);
    EXPECT_EQ(table.GetUsedCount(), 11);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(table.GetAt(i), objects[i].get());

    EXPECT_EQ(table.RemoveAt(3), 0);
    EXPECT_EQ(table.GetAt(3), nullptr);
    EXPECT_EQ(table.SetTag(3, 9), 2);
    EXPECT_EQ(table.GetTag(3), 103) << "a free slot keeps its tag";
    EXPECT_EQ(table.Find(objects[3].get()), -1);
    EXPECT_EQ(table.GetUsedCount(), 10);
    CGridCell again;
    EXPECT_EQ(table.Add(&again, 7), 3);
    EXPECT_EQ(table.GetAt(4), objects[4].get());
    EXPECT_EQ(table.Find(&again), 3);
}

TEST(GridObjectTable, IndexesOutsideTheSlotsAreRefused) {
    CGridObjectTable table;
    CGridCell object;
    const BYTE extra[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    int index = table.Add(&object, 5, extra);
    EXPECT_EQ(memcmp(table.GetExtra(index), extra, 16), 0);
    for (int bad : {-1, 10, 1000}) {
        EXPECT_EQ(table.GetAt(bad), nullptr);
        EXPECT_EQ(table.GetTag(bad), 0);
        EXPECT_EQ(table.SetTag(bad, 1), 1);
        EXPECT_EQ(table.RemoveAt(bad), 1);
    }
    EXPECT_EQ(table.SetTag(index, 6), 0);
    EXPECT_EQ(table.GetTag(index), 6);
    EXPECT_EQ(table.RemoveAll(), 0);
    EXPECT_EQ(table.GetSlotCount(), 0);
    EXPECT_EQ(table.GetUsedCount(), 0);
    EXPECT_EQ(table.GetAt(index), nullptr);
}

}  // namespace
