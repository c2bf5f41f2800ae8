// The optional cell types: their computations as tables (slider value, level-bar label and
// snapping, pie slices, tags, option wrap), their guards on a canvas, input on a grid, and a
// sample window with two sheets, a multiple selection and a row of the types (its
// screenshot: docs/images/grid-optional-sample.png with VASK_SCREENSHOTS=1).
#include "grid.h"
#include "gridtestkit.h"
#include "recordinggrid.h"
#include "window_kit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

// A cell holding the text (none for NULL).
struct TextCell : CGridCell {
    explicit TextCell(const char* text) {
        if (text != NULL) SetText(text);
    }
};

TEST(SliderType, ValueThumbAndDragPositions) {
    struct Case {
        const char* text;
        int value;
    } values[] = {{"150", 100}, {"-5", 0}, {"not a number", 0}, {"40", 40}, {NULL, 0}};
    for (const Case& c : values) EXPECT_EQ(CGridBarType::ValueOf(TextCell(c.text)), c.value);
    // A cell 106 wide: the thumb runs from 3 to 103.
    EXPECT_EQ(CGridBarType::ThumbX(10, 106, 0), 13);
    EXPECT_EQ(CGridBarType::ThumbX(10, 106, 100), 113);
    struct Drag {
        int x, width, value;
    } drags[] = {{13, 106, 0}, {63, 106, 50}, {500, 106, 100}, {-50, 106, 0},
                 {15, 6, -1},  {15, 3, -1},   {13, 7, 0}};
    for (const Drag& d : drags) {
        SCOPED_TRACE(testing::Message() << d.x << " in " << d.width);
        EXPECT_EQ(CGridBarType::ValueAt(d.x, 10, d.width), d.value);
    }
}

TEST(LevelBarType, LabelsSnappingAndBands) {
    EXPECT_EQ(CGridLevelBarType::ValueOf(TextCell("150")), 100);
    EXPECT_EQ(std::string(CGridLevelBarType::LabelOf(100)), "% 100");
    EXPECT_EQ(CGridLevelBarType::ValueOf(TextCell("-5")), 0);
    EXPECT_EQ(std::string(CGridLevelBarType::LabelOf(0)), "% 0");
    struct Case {
        int distance, length;
        BOOL snap;
        float percent;
    } cases[] = {{1, 100, TRUE, 0.0f},  {99, 100, TRUE, 100.0f}, {50, 100, TRUE, 50.0f},
                 {1, 100, FALSE, 1.0f}, {99, 100, FALSE, 99.0f}, {10, 0, TRUE, 0.0f},
                 {1, 40, TRUE, 2.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.distance << "/" << c.length);
        EXPECT_FLOAT_EQ(CGridLevelBarType::PercentAt(c.distance, c.length, c.snap), c.percent);
    }

    CGridLevelBarType three;
    ASSERT_EQ(three.GetBandCount(), 3);
    EXPECT_EQ(three.GetBandLimit(1), 90);
    EXPECT_EQ(three.GetBandColor(1), RGB(200, 200, 0));
    EXPECT_EQ(three.SetBandLimit(1, 50), 1) << "equal to the band before";
    EXPECT_EQ(three.SetBandLimit(1, 51), 0);
    EXPECT_EQ(three.SetBandLimit(3, 60), 1);
    EXPECT_EQ(three.SetBandColor(3, 0), 1);
    EXPECT_EQ(three.SetBandCount(101), 1);
    EXPECT_EQ(three.GetBandCount(), 3);
    EXPECT_EQ(three.SetBandCount(4), 0);
    EXPECT_EQ(three.GetBandLimit(3), 75);
    EXPECT_EQ(three.GetBandColor(1), RGB(205, 0, 0));
    EXPECT_EQ(three.SetBandCount(0), 0);
    EXPECT_EQ(three.GetBandCount(), 0);
    EXPECT_EQ(three.SetTickStep(101), 1);
    EXPECT_EQ(three.SetDirection(5), 1);
    EXPECT_EQ(three.SetDirection(4), 0);

    CGridLevelBarType gradient(1, 10, 255);
    ASSERT_EQ(gradient.GetBandCount(), 100);
    EXPECT_EQ(gradient.GetBandLimit(0), 1);
    EXPECT_EQ(gradient.GetBandColor(99), RGB(255, 200, 20));
    EXPECT_EQ(gradient.GetBandColor(0), RGB(156, 2, 119));
    CGridLevelBarType one(0, 5, 0);
    EXPECT_EQ(one.GetBandCount(), 1);
    CGridLevelBarType none(0, 5, 7);
    EXPECT_EQ(none.GetBandCount(), 0);
}

TEST(PieChartType, RangesAndSlices) {
    int c0, r0, c1, r1;
    EXPECT_TRUE(CGridPieChartType::RangeOf("1\n2\n3\n4\n", &c0, &r0, &c1, &r1));
    EXPECT_EQ(std::vector<int>({c0, r0, c1, r1}), std::vector<int>({1, 2, 3, 4}));
    EXPECT_FALSE(CGridPieChartType::RangeOf("1\n2\n3\n4", &c0, &r0, &c1, &r1));
    EXPECT_FALSE(CGridPieChartType::RangeOf("3\n0\n1\n0\n", &c0, &r0, &c1, &r1));
    EXPECT_FALSE(CGridPieChartType::RangeOf(NULL, &c0, &r0, &c1, &r1));
    using Slices = std::vector<std::pair<int, int>>;
    struct Case {
        std::vector<double> values;
        Slices slices;
    } cases[] = {
        {{1, 1, 1}, {{0, 120}, {120, 240}, {240, 360}}},
        {{1, 0.001, 1}, {{0, 179}, {179, 360}}},
        {{0, 0, 0}, {}},
        {{}, {}},
        {{3}, {{0, 360}}},
    };
    for (const Case& c : cases) EXPECT_EQ(CGridPieChartType::Slices(c.values), c.slices);
    CGridPieChartType pie;
    EXPECT_EQ(pie.SetExplode(65), 1);
    EXPECT_EQ(pie.SetExplode(64), 0);
}

TEST(TaggedTextType, TagsSplitAndColour) {
    std::vector<std::string> parts;
    for (const auto& piece : CGridTaggedTextType::Split("ab<:C,255,0,0><:f,arial,20>cd<:x"))
        parts.push_back(std::string(piece.bTag ? "tag:" : "") + (LPCSTR)piece.text);
    EXPECT_THAT(parts, ElementsAre("a", "b", "tag:C,255,0,0", "tag:f,arial,20", "c", "d", "tag:x"));
    struct Case {
        const char* tag;
        BOOL colour;
        COLORREF cr;
    } cases[] = {{"C,255,0,0", TRUE, RGB(255, 0, 0)},
                 {"c,1,2,3", TRUE, RGB(1, 2, 3)},
                 {"C,300,256,0", TRUE, RGB(44, 0, 0)},
                 {"C,9", TRUE, RGB(9, 0, 0)},
                 {"F,ARIAL,20", FALSE, 0},
                 {"", FALSE, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        COLORREF cr = 0;
        EXPECT_EQ(CGridTaggedTextType::ColourOfTag(c.tag, &cr), c.colour);
        if (c.colour) { EXPECT_EQ(cr, c.cr); }
    }
}

TEST(OptionListType, OptionsAndWrap) {
    std::vector<std::string> options;
    for (const CString& s : CGridOptionListType::OptionsOf("one\ntwo\nthree"))
        options.push_back((LPCSTR)s);
    EXPECT_THAT(options, ElementsAre("one", "two")) << "the last line has no newline";
    EXPECT_TRUE(CGridOptionListType::OptionsOf(NULL).empty());
    EXPECT_EQ(CGridOptionListType::NextOption(1, 2), 0);
    EXPECT_EQ(CGridOptionListType::NextOption(0, 2), 1);
    EXPECT_EQ(CGridOptionListType::NextOption(7, 2), 0);
    EXPECT_EQ(CGridOptionListType::NextOption(0, 0), 0);
}

// --- drawing guards and input on a grid -----------------------------------------------------

class OptionalTypes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host_.Create("grid optional types", 760, 420));
        grid_.reset(new CRecordingGrid);
        ASSERT_TRUE(grid_->Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 740, 400), &host_, 95));
        grid_->SetColCount(9);
        grid_->SetRowCount(6);
        for (int c = 0; c < 9; ++c) grid_->SetColumnWidth(c, 80);
        grid_->SetRowHeight(1, 60);
        for (CGridCellType* p :
             std::vector<CGridCellType*>{&slider_, &spin_, &triangle_, &fit_, &tagged_, &pie_,
                                         &level_, &progress_, &options_})
            index_.push_back(grid_->RegisterCellType(p));
        grid_->LayoutChildWindows();
        PumpMessages();
        grid_->IgnorePainting();
        grid_->Clear();
    }
    void TearDown() override {
        grid_.reset();
        host_.DestroyWindow();
        PumpMessages();
    }
    void SetType(int nCol, int nRow, int nWhich, const char* text, int nStyle = 0) {
        grid_->SetCellTypeAt(nCol, nRow, index_[nWhich]);
        if (nStyle != 0) grid_->SetCellTypeStyleAt(nCol, nRow, nStyle);
        if (text != NULL) grid_->SetCellText(nCol, nRow, text);
    }
    CRect CellRect(int nCol, int nRow) {
        CRect rc;
        grid_->GetCellRect(nCol, nRow, rc);
        return rc;
    }
    std::string Cell(int nCol, int nRow) {
        LPCSTR p = grid_->GetCellText(nCol, nRow);
        return p != NULL ? p : "";
    }

    CHostWnd host_;
    std::unique_ptr<CRecordingGrid> grid_;
    CGridBarType slider_;
    CGridSpinType spin_;
    CGridTriangleType triangle_;
    CGridFitTextType fit_;
    CGridTaggedTextType tagged_;
    CGridPieChartType pie_;
    CGridLevelBarType level_{1, 5, 1};
    CGridProgressBarType progress_;
    CGridOptionListType options_;
    std::vector<int> index_;
};

TEST_F(OptionalTypes, TheSliderDragsByItsThumbUpTo100AndATrackPressChangesNothing) {
    SetType(0, 0, 0, "20");
    CRect rc = CellRect(0, 0);
    CPoint thumb(CGridBarType::ThumbX(rc.left, rc.Width(), 20), rc.CenterPoint().y);
    CPoint track(rc.right - 5, rc.CenterPoint().y);
    EXPECT_EQ(slider_.OnLButton(0, 0, TRUE, &rc, &track), 0);
    EXPECT_FALSE(slider_.IsDragging());
    CPoint beyond(rc.right + 300, thumb.y);
    EXPECT_EQ(slider_.OnMouseMove(0, 0, &beyond, MK_LBUTTON), 0);
    EXPECT_EQ(Cell(0, 0), "20");

    EXPECT_EQ(slider_.OnLButton(0, 0, TRUE, &rc, &thumb), 1);
    EXPECT_EQ(slider_.OnMouseMove(0, 0, &beyond, MK_LBUTTON), 1);
    double dValue = 0;
    CGridCell cell;
    grid_->GetCell(0, 0, cell);
    cell.GetDouble(&dValue);
    EXPECT_EQ(dValue, 100.0);
    EXPECT_EQ(Cell(0, 0), "100.000000");

    // A slider 6 pixels wide has no track: a drag changes nothing.
    grid_->SetColumnWidth(0, 6);
    grid_->SetCellText(0, 0, "50");
    rc = CellRect(0, 0);
    thumb = CPoint(CGridBarType::ThumbX(rc.left, rc.Width(), 50), rc.CenterPoint().y);
    EXPECT_EQ(slider_.OnLButton(0, 0, TRUE, &rc, &thumb), 1);
    slider_.OnMouseMove(0, 0, &beyond, MK_LBUTTON);
    EXPECT_EQ(Cell(0, 0), "50");
}

TEST_F(OptionalTypes, ASpinPressReportsOnceAndLeavesTheText) {
    SetType(1, 0, 1, "7");
    CRect rc = CellRect(1, 0);
    CPoint up(rc.right - 3, rc.top + 2), down(rc.right - 3, rc.bottom - 2);
    EXPECT_EQ(spin_.OnLButton(1, 0, TRUE, &rc, &up), 1);
    EXPECT_EQ(spin_.GetPressedButton(), 1);
    EXPECT_EQ(spin_.OnLButton(1, 0, FALSE, &rc, &up), 1);
    EXPECT_EQ(spin_.GetPressedButton(), 0);
    EXPECT_EQ(spin_.OnLButton(1, 0, TRUE, &rc, &down), 1);
    EXPECT_EQ(spin_.OnLButton(1, 0, FALSE, &rc, &down), 1);
    CPoint text(rc.left + 3, rc.top + 3);
    EXPECT_EQ(spin_.OnLButton(1, 0, TRUE, &rc, &text), 0);
    EXPECT_EQ(
        grid_->Texts({"OnCellTypeNotify"}),
        std::vector<std::string>({"OnCellTypeNotify(" + std::to_string(index_[1]) + ",1,0,16,0)",
                                  "OnCellTypeNotify(" + std::to_string(index_[1]) + ",1,0,17,0)"}));
    EXPECT_EQ(Cell(1, 0), "7");
}

TEST_F(OptionalTypes, SpaceWrapsTheOptionListAndAClickChoosesALine) {
    SetType(8, 1, 8, "1");
    grid_->SetCellCaption(8, 1, "one\ntwo\nthree");
    grid_->GotoCell(8, 1);
    grid_->Clear();
    grid_->GetCellArea()->SendMessage(WM_KEYDOWN, VK_SPACE, 1);
    CGridCell cell;
    grid_->GetCell(8, 1, cell);
    EXPECT_EQ((int)cell.GetNumber(), 0);
    EXPECT_THAT(grid_->Texts({"OnCellTypeNotify"}),
                ElementsAre("OnCellTypeNotify(" + std::to_string(index_[8]) + ",8,1,100,0)"));
    // The second line, then a line below the options.
    CRect rc = CellRect(8, 1);
    CClientDC dc(NULL);
    const int h = dc.GetTextExtent("X", 1).cy;
    CPoint second(rc.left + 5, rc.top + h + 1), below(rc.left + 5, rc.top + 3 * h + 1);
    EXPECT_EQ(options_.OnLButton(8, 1, TRUE, &rc, &second), 1);
    grid_->GetCell(8, 1, cell);
    EXPECT_EQ((int)cell.GetNumber(), 1);
    EXPECT_EQ(options_.OnLButton(8, 1, TRUE, &rc, &below), 0);
}

TEST_F(OptionalTypes, TheLevelBarSnapsAClickNearTheEndsAndDragsExactly) {
    SetType(6, 0, 6, "30");
    CRect rc = CellRect(6, 0);
    CPoint nearEnd(rc.right - 1, rc.CenterPoint().y);
    EXPECT_EQ(level_.OnLButton(6, 0, TRUE, &rc, &nearEnd), 1);
    CGridCell cell;
    grid_->GetCell(6, 0, cell);
    EXPECT_EQ(cell.GetNumber(), 100.0);
    CPoint nearStart(rc.left + 1, rc.CenterPoint().y);
    EXPECT_EQ(level_.OnLButton(6, 0, TRUE, &rc, &nearStart), 1);
    grid_->GetCell(6, 0, cell);
    EXPECT_EQ(cell.GetNumber(), 0.0);
    CPoint quarter(rc.left + rc.Width() / 4, rc.CenterPoint().y);
    EXPECT_EQ(level_.OnMouseMove(6, 0, &quarter, MK_LBUTTON), 1);
    grid_->GetCell(6, 0, cell);
    EXPECT_FLOAT_EQ((float)cell.GetNumber(), 25.0f);
    CPoint pastEnd(rc.right + 50, rc.CenterPoint().y);
    level_.OnMouseMove(6, 0, &pastEnd, MK_LBUTTON);
    grid_->GetCell(6, 0, cell);
    EXPECT_FLOAT_EQ((float)cell.GetNumber(), 100.0f) << "the drag is held in the cell";
    EXPECT_EQ(level_.OnLButton(6, 0, FALSE, &rc, &pastEnd), 0);
    // Without mouse setting the bar takes no input.
    CGridLevelBarType still;
    EXPECT_EQ(still.OnLButton(6, 0, TRUE, &rc, &nearEnd), 0);
}

TEST_F(OptionalTypes, GuardedCasesDrawOnlyTheirBackground) {
    DibCanvas canvas(100, 40);
    CRect rc(0, 0, 100, 40);
    const COLORREF white = RGB(255, 255, 255);
    // An empty fitted text draws as a cell without text.
    TextCell empty("");
    empty.SetBackColor(white);
    canvas.Fill(RGB(255, 0, 255));
    fit_.OnDraw(canvas.Dc(), &rc, 0, 0, &empty, 0, 0);
    EXPECT_EQ(canvas.CountNot(CRect(2, 2, 90, 30), white), 0);
    // Pie values summing to 0: the background only.
    grid_->SetCellText(0, 3, "0");
    grid_->SetCellText(1, 3, "x");
    TextCell pie("0\n3\n1\n3\n");
    pie.SetBackColor(white);
    canvas.Fill(RGB(255, 0, 255));
    pie_.OnDraw(canvas.Dc(), &rc, 0, 0, &pie, 0, 0);
    EXPECT_EQ(canvas.CountNot(CRect(2, 2, 90, 30), white), 0);
    // A level bar without bands: the rest from the start edge, in the normal colours.
    CGridLevelBarType bare(0, 0, 7);
    TextCell level("60");
    level.SetBackColor(white);
    level.SetAlignment(GRIDALIGN_CENTER);
    canvas.Fill(RGB(255, 0, 255));
    bare.SetGrid(grid_.get());
    bare.OnDraw(canvas.Dc(), &rc, 0, 0, &level, 0, 0);
    EXPECT_EQ(canvas.CountOf(CRect(2, 6, 20, 30), RGB(255, 0, 255)), 0);
    EXPECT_EQ(canvas.CountNot(CRect(2, 6, 20, 30), white), 0) << "no band colour at the start";
    // A fitting font fills the width and stays within the height.
    CFont* pFont = CGridFitTextType::CreateFittingFont(canvas.Dc(), "Hello", 90, 30);
    ASSERT_NE(pFont, (CFont*)NULL);
    CFont* pOld = canvas.Dc()->SelectObject(pFont);
    const CSize size = canvas.Dc()->GetTextExtent("Hello", 5);
    canvas.Dc()->SelectObject(pOld);
    delete pFont;
    EXPECT_LE(size.cx, 90);
    EXPECT_GT(size.cx, 45);
    EXPECT_EQ(CGridFitTextType::CreateFittingFont(canvas.Dc(), "", 90, 30), (CFont*)NULL);
}

TEST_F(OptionalTypes, BarsPaintTheirValueInBandsAndPiesInTheirCellsColours) {
    DibCanvas canvas(200, 30);
    CRect rc(0, 0, 200, 30);
    const COLORREF white = RGB(255, 255, 255), hilite = RGB(10, 20, 200);
    // Three bands (50, 90, 100) at 70: green to half the bar, yellow to 70, then the rest.
    CGridLevelBarType three;
    three.SetGrid(grid_.get());
    TextCell level("70");
    level.SetBackColor(white);
    three.OnDraw(canvas.Dc(), &rc, 0, 0, &level, 0, 0);
    EXPECT_EQ(canvas.Pixel(60, 8), RGB(0, 128, 0));
    EXPECT_EQ(canvas.Pixel(120, 8), RGB(200, 200, 0));
    EXPECT_EQ(canvas.Pixel(160, 8), white);
    EXPECT_EQ(canvas.Pixel(40, 1), white) << "the margin strip";
    // A progress bar at 25: the highlight colour up to a quarter.
    CGridProgressBarType progress;
    progress.SetGrid(grid_.get());
    TextCell bar("25");
    bar.SetBackColor(white);
    bar.SetHighlightBackColor(hilite);
    canvas.Fill(RGB(255, 0, 255));
    progress.OnDraw(canvas.Dc(), &rc, 0, 0, &bar, 0, 0);
    EXPECT_EQ(canvas.Pixel(42, 22), hilite);
    EXPECT_EQ(canvas.Pixel(150, 22), white);
    // A pie of three equal cells shows each cell's highlight background.
    const COLORREF slices[3] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};
    for (int c = 0; c < 3; ++c) {
        grid_->SetCellText(c, 5, "1");
        grid_->SetCellHighlightBackColor(c, 5, slices[c]);
    }
    TextCell pie("0\n5\n2\n5\n");
    pie.SetBackColor(white);
    DibCanvas square(60, 60);
    CRect rcPie(0, 0, 60, 60);
    pie_.OnDraw(square.Dc(), &rcPie, 0, 0, &pie, 0, 0);
    for (COLORREF cr : slices) EXPECT_GT(square.CountOf(rcPie, cr), 400);
}

TEST_F(OptionalTypes, ATaggedTextDrawsItsLaterCharactersInTheTagsColour) {
    DibCanvas canvas(120, 30);
    CRect rc(0, 0, 120, 30);
    TextCell cell("ab<:C,255,0,0>cd");
    cell.SetBackColor(RGB(255, 255, 255));
    cell.SetTextColor(RGB(0, 0, 0));
    tagged_.OnDraw(canvas.Dc(), &rc, 0, 0, &cell, 0, 0);
    CSize ab = canvas.Dc()->GetTextExtent("ab", 2);
    EXPECT_EQ(canvas.CountOf(CRect(0, 0, 3 + ab.cx, 30), RGB(255, 0, 0)), 0);
    EXPECT_GT(canvas.CountOf(CRect(3 + ab.cx, 0, 120, 30), RGB(255, 0, 0)), 0);
    EXPECT_GT(canvas.CountOf(CRect(0, 0, 3 + ab.cx, 30), RGB(0, 0, 0)), 0);
}

// --- the sample window ----------------------------------------------------------------------

// Sheets picked by their tabs.
class CSampleGrid : public CRecordingGrid {
public:
    void OnTabSelected(int nTabId) override { SelectSheet(nTabId, TRUE); }
};

TEST_F(OptionalTypes, ASampleWindowWithTwoSheetsASelectionAndTheTypes) {
    const char* heads[9] = {"Slider", "Spin",  "Triangle", "Fitted", "Tagged",
                            "Pie",    "Level", "Progress", "Options"};
    for (int c = 0; c < 9; ++c) grid_->SetCellText(c, -1, heads[c]);
    SetType(0, 1, 0, "40");
    SetType(1, 1, 1, "12");
    SetType(2, 1, 2, "up", GRIDSTYLE_TRIANGLE_UP);
    SetType(3, 1, 3, "Fit");
    SetType(4, 1, 4, "ab<:C,200,0,0>red<:C,0,0,200>blue");
    SetType(5, 1, 5, "0\n3\n2\n3\n");
    SetType(6, 1, 6, "70", 0);
    grid_->SetCellAlignment(6, 1, GRIDALIGN_CENTER | GRIDALIGN_VCENTER);
    SetType(7, 1, 7, "45");
    grid_->SetCellAlignment(7, 1, GRIDALIGN_CENTER | GRIDALIGN_VCENTER);
    SetType(8, 1, 8, "1");
    grid_->SetCellCaption(8, 1, "Off\nOn\nAuto\n");
    const COLORREF slices[3] = {RGB(200, 60, 60), RGB(60, 160, 60), RGB(60, 60, 200)};
    const char* values[3] = {"5", "3", "2"};
    for (int c = 0; c < 3; ++c) {
        grid_->SetCellText(c, 3, values[c]);
        grid_->SetCellHighlightBackColor(c, 3, slices[c]);
    }
    grid_->SetCellText(0, 4, "selected");
    grid_->EnableMultiSelect(TRUE);
    grid_->SelectRange(0, 3, 2, 4);
    grid_->SelectCell(4, 4);

    grid_->SetSheetCount(2);
    grid_->AddTab("Cell types", 0);
    grid_->AddTab("Second sheet", 1);
    grid_->SetTabStripWidth(220);
    grid_->LayoutChildWindows();
    PumpMessages();
    EXPECT_EQ(grid_->GetSheetTabs()->GetTabCount(), 2);
    int nSelected = 0;
    grid_->IsCellSelected(1, 4, nSelected);
    EXPECT_EQ(nSelected, 1);
    wkit::Window(host_.m_hWnd).Shot("grid-optional-sample");
}

}  // namespace
