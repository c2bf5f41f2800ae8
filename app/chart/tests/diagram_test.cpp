// The diagram: the layout of its areas, its lists, and what it draws onto its window, into a
// device context and into an enhanced metafile (read back with the test kit's reader).
#include "chart_fixture.h"

#include <math.h>

#include <functional>

using namespace charttest;

namespace {

std::string RectText(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

CRect AxisRect(const CAxis* axis) {
    RECT r;
    axis->GetRect(r);
    return r;
}

CRect LegendRect(const CLegend* legend) {
    RECT r;
    legend->GetRect(r);
    return r;
}

// ---- layout ----

// A 400 x 300 diagram: margin 1 and spacing 10 leave the inner rectangle (11, 11, 389, 289).
struct Layout : public ::testing::Test {
    Layout() : window(400, 300), diagram(window.Wnd()) { diagram.SetTitle(NULL); }
    CLegend* ShowLegend(int position) {
        CLegend* legend = new CLegend;
        diagram.SetLegend(legend);
        legend->SetPosition(position);
        diagram.SetLegendShown(TRUE);
        return legend;
    }
    template <class Axis>
    Axis* AddAxis(int position) {
        Axis* axis = new Axis;
        axis->SetPosition(position);
        diagram.AddAxis(axis);
        return axis;
    }
    TestWindow window;
    CDiagram diagram;
};

TEST_F(Layout, TitleAndLegendPositions) {
    EXPECT_EQ(CRect(diagram.GetOuterRect()), CRect(0, 0, 400, 300)) << "the client rectangle";
    EXPECT_EQ(CRect(diagram.GetInnerRect()), CRect(11, 11, 389, 289));
    EXPECT_EQ(CRect(diagram.GetPlotRect()), CRect(11, 11, 389, 289)) << "no axes: all plot";

    struct Case {
        const char* what;
        int legend;  // -1: none
        const char* title;
        CRect legendRect, gap, title_, plot;
    };
    // Legend 20 % of 378 wide = 76 (or of 278 high = 56), gap 2 % of the width = 8; title 5 %
    // of the height left.
    const Case cases[] = {
        {"title only", -1, "Gas", CRect(), CRect(), CRect(11, 11, 389, 24),
         CRect(11, 25, 389, 289)},
        {"legend right", LEGEND_RIGHT, NULL, CRect(313, 11, 389, 289), CRect(304, 11, 312, 289),
         CRect(), CRect(11, 11, 303, 289)},
        {"legend left", LEGEND_LEFT, NULL, CRect(11, 11, 87, 289), CRect(88, 11, 96, 289), CRect(),
         CRect(97, 11, 389, 289)},
        {"legend below", LEGEND_BOTTOM, NULL, CRect(11, 233, 389, 289), CRect(11, 224, 389, 232),
         CRect(), CRect(11, 11, 389, 223)},
        {"legend above", LEGEND_TOP, NULL, CRect(11, 11, 389, 67), CRect(11, 68, 389, 76), CRect(),
         CRect(11, 77, 389, 289)},
        {"legend left, title beside it", LEGEND_LEFT, "Gas", CRect(11, 11, 87, 289),
         CRect(88, 11, 96, 289), CRect(97, 11, 389, 24), CRect(97, 25, 389, 289)},
    };
    for (const Case& c : cases) {
        TestWindow w(400, 300);
        CDiagram d(w.Wnd());
        d.SetTitle(c.title);
        CLegend* legend = NULL;
        if (c.legend >= 0) {
            legend = new CLegend;
            d.SetLegend(legend);
            legend->SetPosition(c.legend);
            d.SetLegendShown(TRUE);
            EXPECT_EQ(LegendRect(legend), c.legendRect) << c.what;
        }
        EXPECT_EQ(CRect(d.GetLegendGapRect()), c.gap) << c.what;
        if (c.title != NULL) {
            EXPECT_EQ(CRect(d.GetTitleRect()), c.title_) << c.what;
        }
        EXPECT_EQ(CRect(d.GetPlotRect()), c.plot) << c.what << " " << RectText(d.GetPlotRect());
    }
}

TEST_F(Layout, ALegendElsewhereStopsTheLayoutAndAnInvisibleOneTakesNoRoom) {
    CLegend* legend = ShowLegend(LEGEND_RIGHT);
    const CRect before = diagram.GetPlotRect();
    EXPECT_TRUE(legend->SetPosition(7));
    EXPECT_FALSE(diagram.Layout()) << "position 7 stops the layout";
    EXPECT_EQ(CRect(diagram.GetPlotRect()), before) << "nothing laid out";
    legend->SetPosition(LEGEND_RIGHT);
    EXPECT_TRUE(diagram.Layout());
    legend->SetVisible(FALSE);
    EXPECT_EQ(CRect(diagram.GetPlotRect()), CRect(11, 11, 389, 289));
    EXPECT_TRUE(CRect(diagram.GetLegendGapRect()).IsRectEmpty());
    legend->SetVisible(TRUE);
    diagram.SetLegendShown(FALSE);
    EXPECT_EQ(CRect(diagram.GetPlotRect()), CRect(11, 11, 389, 289)) << "not shown: no room";
}

TEST_F(Layout, FixedAxisShares) {
    // 10 % of the inner height (28) for all horizontal axes, 10 % of the width (38) for all
    // vertical ones.
    CAxisLinear* left = AddAxis<CAxisLinear>(AXIS_LEFT);
    CAxisTime* bottom = AddAxis<CAxisTime>(AXIS_BOTTOM);
    EXPECT_EQ(AxisRect(left), CRect(11, 11, 49, 261));
    EXPECT_EQ(AxisRect(bottom), CRect(49, 261, 389, 289));
    EXPECT_EQ(CRect(diagram.GetPlotRect()), CRect(49, 11, 389, 261));

    // Three vertical axes share 38 (12 each), two horizontal ones 28 (14 each); one side's
    // axes stack from the outer edge inward.
    CAxisLinear* left2 = AddAxis<CAxisLinear>(AXIS_LEFT);
    CAxisLinear* right = AddAxis<CAxisLinear>(AXIS_RIGHT);
    CAxisLinear* top = AddAxis<CAxisLinear>(AXIS_TOP);
    EXPECT_EQ(AxisRect(left), CRect(11, 25, 23, 275));
    EXPECT_EQ(AxisRect(left2), CRect(23, 25, 35, 275));
    EXPECT_EQ(AxisRect(right), CRect(377, 25, 389, 275));
    EXPECT_EQ(AxisRect(bottom), CRect(35, 275, 377, 289));
    EXPECT_EQ(AxisRect(top), CRect(35, 11, 377, 25));
    EXPECT_EQ(CRect(diagram.GetPlotRect()), CRect(35, 25, 377, 275));

    // Hidden axes take no room.
    top->SetVisible(FALSE);
    left2->SetVisible(FALSE);
    EXPECT_EQ(AxisRect(left), CRect(11, 11, 30, 261));
    EXPECT_EQ(AxisRect(right), CRect(370, 11, 389, 261));
    EXPECT_EQ(CRect(diagram.GetPlotRect()), CRect(30, 11, 370, 261));
}

// The curve page hides every y axis of an unused slot: a side without visible axes gets no
// share (the first opening divided by zero).
TEST_F(Layout, NoVisibleAxisOnASide) {
    CAxisLinear* left = AddAxis<CAxisLinear>(AXIS_LEFT);
    CAxisTime* bottom = AddAxis<CAxisTime>(AXIS_BOTTOM);
    left->SetVisible(FALSE);
    EXPECT_TRUE(diagram.Layout());
    EXPECT_EQ(AxisRect(bottom), CRect(11, 261, 389, 289));
    EXPECT_EQ(CRect(diagram.GetPlotRect()), CRect(11, 11, 389, 261));
    bottom->SetVisible(FALSE);
    left->SetVisible(TRUE);
    EXPECT_TRUE(diagram.Layout());
    EXPECT_EQ(CRect(diagram.GetPlotRect()), CRect(49, 11, 389, 289));
}

TEST_F(Layout, AHorizontalDigitalAxisTakesNoRoom) {
    CAxisLinear* left = AddAxis<CAxisLinear>(AXIS_LEFT);
    AddAxis<CAxisDigital>(AXIS_BOTTOM);
    EXPECT_EQ(AxisRect(left), CRect(11, 11, 49, 289));
    EXPECT_EQ(CRect(diagram.GetPlotRect()), CRect(49, 11, 389, 289));
    EXPECT_FALSE(CDiagram::IsDrawable(static_cast<CAxis*>(diagram.GetAxes().GetTail())));
}

TEST_F(Layout, AutomaticSizesFollowTheContent) {
    diagram.SetTitle("Gas analysis");
    CAxisLinear* left = AddAxis<CAxisLinear>(AXIS_LEFT);
    CAxisTime* bottom = AddAxis<CAxisTime>(AXIS_BOTTOM);
    left->SetRange(-1000, 25);
    diagram.SetAutoSize(TRUE);
    ASSERT_TRUE(diagram.IsChanged());
    CClientDC screen(NULL);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    diagram.Draw(&memory);
    EXPECT_FALSE(diagram.IsChanged()) << "sized once";

    CSize width, height, title;
    ASSERT_TRUE(left->GetRequiredSize(width));
    ASSERT_TRUE(bottom->GetRequiredSize(height));
    ASSERT_TRUE(diagram.GetTitleSize(title));
    const CRect plot = diagram.GetPlotRect();
    EXPECT_EQ(AxisRect(left).Width(), width.cx);
    EXPECT_EQ(AxisRect(bottom).Height(), height.cy);
    EXPECT_EQ(plot.left, 11 + width.cx);
    EXPECT_EQ(plot.bottom, 289 - height.cy);
    EXPECT_EQ(plot.right, 389);
    // The title takes 1.5 lines of its font, as a share of the outer height.
    EXPECT_DOUBLE_EQ(diagram.GetTitleHeight(), title.cy * 100.0 / 300);
    EXPECT_EQ(title.cx, -1);

    // An empty outer rectangle is not sized.
    diagram.SetRect(0, 0, 0, 0);
    const double before = diagram.GetTitleHeight();
    EXPECT_FALSE(diagram.AutoSize());
    EXPECT_TRUE(diagram.IsChanged());
    EXPECT_EQ(diagram.GetTitleHeight(), before);
}

TEST_F(Layout, ListsAndShares) {
    CAxisTime* x = AddAxis<CAxisTime>(AXIS_BOTTOM);
    CAxisLinear* y = AddAxis<CAxisLinear>(AXIS_LEFT);
    CAxisLinear* spare = AddAxis<CAxisLinear>(AXIS_RIGHT);
    CCurveDiscrete* curve = new CCurveDiscrete;
    EXPECT_TRUE(diagram.AddCurve(curve));
    EXPECT_FALSE(diagram.AddCurve(curve)) << "already in the list";
    EXPECT_FALSE(diagram.AddAxis(NULL));
    ASSERT_TRUE(curve->SetAxes(x, y));
    EXPECT_EQ(curve->GetDiagram(), &diagram);
    EXPECT_EQ(CRect(curve->GetPlotRect()), CRect(diagram.GetPlotRect()));

    EXPECT_FALSE(diagram.RemoveAxis(y)) << "a curve is bound to it";
    EXPECT_FALSE(diagram.RemoveAxis(x));
    CAxisLinear stranger;
    EXPECT_FALSE(diagram.RemoveAxis(&stranger));
    EXPECT_TRUE(diagram.RemoveAxis(spare));
    EXPECT_EQ(spare->GetDiagram(), nullptr);
    delete spare;
    EXPECT_EQ(diagram.GetAxes().GetCount(), 2);
    EXPECT_TRUE(diagram.RemoveCurve(curve));
    EXPECT_FALSE(diagram.RemoveCurve(curve));
    EXPECT_TRUE(diagram.RemoveAxis(y)) << "no curve in the diagram is bound to it any more";
    delete curve;
    delete y;

    EXPECT_FALSE(diagram.SetScrollShares(30, 101));
    EXPECT_FALSE(diagram.SetScrollShares(101, 50));
    EXPECT_FALSE(diagram.SetScrollShares(-1, 50));
    EXPECT_EQ(diagram.GetScrollShare(), 30.0) << "a refused pair changes nothing";
    EXPECT_EQ(diagram.GetViewShare(), 100.0);
    EXPECT_TRUE(diagram.SetScrollShares(80, 100));
    EXPECT_EQ(diagram.GetScrollShare(), 80.0);

    diagram.SetBackgroundColor(RGB(1, 2, 3));
    EXPECT_EQ(x->GetFaceColor(), RGB(1, 2, 3));
    EXPECT_EQ(diagram.GetShadowColor(), GetSysColor(COLOR_BTNHIGHLIGHT));
    diagram.SetBackgroundColor(RGB(0, 0, 0));
    EXPECT_EQ(diagram.GetShadowColor(), GetSysColor(COLOR_BACKGROUND));
    EXPECT_EQ(diagram.GetFontSize(), 12);
    diagram.SetFontSize(0);
    EXPECT_EQ(diagram.GetFontSize(), 12);

    // The window that owns a device context gives the rectangle; a memory DC has none.
    TestWindow other(250, 120);
    CClientDC otherDC(other.Wnd());
    EXPECT_TRUE(diagram.SetRectFromDC(&otherDC));
    EXPECT_EQ(CRect(diagram.GetOuterRect()), CRect(0, 0, 250, 120));
    CDC memory;
    memory.CreateCompatibleDC(&otherDC);
    EXPECT_FALSE(diagram.SetRectFromDC(&memory));
}

// ---- ticks ----

// The labels (text and height) and tick ends that a lone value axis draws.
struct Ticks {
    std::vector<std::pair<std::string, int>> labels;
    std::vector<int> ticks;
};

Ticks TicksOf(double minimum, double maximum, double origin, double step, int interval) {
    TestWindow window(300, 300);
    CDiagram diagram(window.Wnd());
    diagram.SetTitle(NULL);
    CAxisLinear* axis = new CAxisLinear;
    axis->SetPosition(AXIS_LEFT);
    axis->SetTitle("");
    diagram.AddAxis(axis);
    EXPECT_TRUE(axis->SetRange(minimum, maximum));
    EXPECT_TRUE(axis->SetTicks(origin, step, interval));
    const emf::File file = DrawToMetafile(diagram);
    Ticks t;
    for (const emf::Text& text : file.Texts()) t.labels.push_back({text.text, text.reference.y});
    for (const emf::Position& to : file.LineTos()) {
        const emf::Pen* pen = file.PenInEffect(to.index);
        if (pen != nullptr && pen->width == 1) t.ticks.push_back(to.point.y);
    }
    return t;
}

TEST(DiagramTicks, LinearTicksLieOnTheirOriginsGrid) {
    const Ticks zero = TicksOf(0, 100, 0, 10, 2);
    std::vector<std::string> texts;
    for (auto& label : zero.labels) texts.push_back(label.first);
    std::vector<std::string> expected;
    for (int v = 0; v <= 100; v += 20) expected.push_back(Format("%.2g", v));
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(zero.ticks.size(), 11u);

    // Origins a multiple of the label step apart, above or below the minimum: the same ticks.
    for (double origin : {200.0, -40.0, 60.0}) {
        const Ticks other = TicksOf(0, 100, origin, 10, 2);
        EXPECT_EQ(other.labels, zero.labels) << origin;
        EXPECT_EQ(other.ticks, zero.ticks) << origin;
    }
    const Ticks shifted = TicksOf(0, 100, 10, 10, 2);
    ASSERT_EQ(shifted.labels.size(), 5u) << "labels at 10, 30, ..., 90";
    EXPECT_EQ(shifted.labels[0].first, "10");
    EXPECT_EQ(shifted.ticks, zero.ticks) << "the ticks themselves stay";

    // Steps that binary fractions cannot hold: a tick near a label position is labelled.
    const Ticks tenths = TicksOf(0, 1, 0, 0.1, 2);
    texts.clear();
    for (auto& label : tenths.labels) texts.push_back(label.first);
    expected.clear();
    for (int k = 0; k <= 5; ++k) expected.push_back(Format("%.2g", k * 0.2));
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(tenths.ticks.size(), 11u);
}

TEST(DiagramTicks, WhatAnAxisDrawsWithoutADiagramOrHidden) {
    CAxisLinear lonely;
    EXPECT_FALSE(lonely.Draw());
    EXPECT_FALSE(lonely.DrawGridLine(5));
    EXPECT_FALSE(lonely.DrawLabelTick(5, "5"));
    EXPECT_FALSE(lonely.DrawTick(5));
    TEXTMETRIC tm;
    EXPECT_FALSE(lonely.GetLabelMetrics(&tm));

    TestWindow window(300, 200);
    CDiagram diagram(window.Wnd());
    diagram.SetTitle(NULL);
    CAxisTime* hidden = new CAxisTime;
    CAxisLinear* bare = new CAxisLinear;
    diagram.AddAxis(hidden);
    diagram.AddAxis(bare);
    bare->SetPosition(AXIS_LEFT);
    bare->SetTitle("");
    bare->SetTicks(0, 50, 1);
    hidden->SetTitle("Time");
    hidden->SetVisible(FALSE);
    EXPECT_FALSE(hidden->Draw());
    const emf::File file = DrawToMetafile(diagram);
    EXPECT_EQ(FindText(file, "Time"), nullptr) << "an invisible axis";
    EXPECT_EQ(FindText(file, ""), nullptr) << "no empty title";
    EXPECT_EQ(file.Texts().size(), 3u) << "the labels 0, 50 and 100 only";
}

// The name along a curve only where it has a text and is shown.
TEST(DiagramTicks, LabelsDrawOnlyShownTexts) {
    TestWindow window(300, 200);
    CDiagram diagram(window.Wnd());
    CLabel label;
    label.SetDiagram(&diagram);
    EXPECT_FALSE(label.Draw(10, 10, 0)) << "empty";
    label.SetText("O2", 0);
    EXPECT_EQ(label.GetFontSize(), 8);
    EXPECT_TRUE(label.Draw(10, 10, 450));
    CSize size;
    EXPECT_TRUE(label.GetSize(size));
    EXPECT_GT(size.cx, 0);
    label.SetShown(FALSE);
    EXPECT_FALSE(label.Draw(10, 10, 0)) << "hidden";
    CLabel free;
    free.SetText("O2", 10);
    EXPECT_FALSE(free.GetSize(size));
    EXPECT_EQ(size, CSize(0, 0)) << "no diagram";
    CGdiObject::DeleteTempMap();
}

// ---- drawing onto the window ----

// The pixels of a device context's area, as 32-bit rows from the top.
std::vector<DWORD> Pixels(HDC source, int width, int height) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HDC dc = CreateCompatibleDC(source);
    HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(dc, dib);
    BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<DWORD> pixels((const DWORD*)bits, (const DWORD*)bits + width * height);
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
    return pixels;
}

// Axes, two curves with symbols, a legend below, title, grid and shadows.
void FillDiagram(CDiagram& diagram) {
    diagram.SetTitle("Gas analysis");
    diagram.Set3D(TRUE);
    diagram.SetGrid(TRUE);
    CLegend* legend = new CLegend;
    diagram.SetLegend(legend);
    legend->SetPosition(LEGEND_BOTTOM);
    diagram.SetLegendShown(TRUE);
    CAxisTime* x = new CAxisTime;
    CAxisLinear* y = new CAxisLinear;
    y->SetPosition(AXIS_LEFT);
    diagram.AddAxis(x);
    diagram.AddAxis(y);
    x->SetRange(0, 600);
    x->SetTicks(0, 60, 2);
    x->SetEndText("01.01.1970");
    y->SetRange(0, 25);
    y->SetTicks(0, 2.5, 2);
    y->SetGrid(TRUE);
    y->SetTitle("O2 [%]");
    for (int i = 0; i < 2; ++i) {
        CCurveDiscrete* curve = new CCurveDiscrete;
        diagram.AddCurve(curve);
        curve->SetAxes(x, y);
        curve->SetColor(i == 0 ? RGB(0, 0, 255) : RGB(200, 0, 0));
        curve->SetSymbol(10, i + 1, 0);
        curve->SetTexts(i == 0 ? "Analyzer 1, C1: O2" : "Analyzer 1, C2: CO");
        for (int k = 0; k <= 10; ++k) curve->AddPoint(k * 50, 5 + 10 * i + 3 * sin(k + i), k == 4);
    }
}

TEST(DiagramWindow, DrawsDoubleBufferedWhatItDrawsIntoAMemoryDC) {
    CCurve::SeedSymbolPhase(3);
    TestWindow window(360, 260, true);
    CDiagram diagram(window.Wnd());
    FillDiagram(diagram);
    diagram.Draw(NULL);
    HDC windowDC = GetDC(window.Handle());
    const std::vector<DWORD> shown = Pixels(windowDC, 360, 260);

    // The same diagram into a memory DC of the window's size, over its background.
    CDC memory;
    CClientDC client(window.Wnd());
    ASSERT_TRUE(memory.CreateCompatibleDC(&client));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&client, 360, 260));
    HGDIOBJ old = memory.SelectObject(bitmap.m_hObject);
    memory.FillSolidRect(0, 0, 360, 260, diagram.GetBackgroundColor());
    diagram.Draw(&memory);
    const std::vector<DWORD> drawn = Pixels(memory.GetSafeHdc(), 360, 260);
    memory.SelectObject(old);
    ReleaseDC(window.Handle(), windowDC);

    ASSERT_EQ(shown.size(), drawn.size());
    size_t differing = 0, background = 0;
    const DWORD face = GetSysColor(COLOR_BTNFACE);
    const DWORD faceBits = (face & 0xFF) << 16 | (face & 0xFF00) | (face >> 16 & 0xFF);
    for (size_t i = 0; i < shown.size(); ++i) {
        if ((shown[i] & 0xFFFFFF) != (drawn[i] & 0xFFFFFF)) ++differing;
        if ((drawn[i] & 0xFFFFFF) == faceBits) ++background;
    }
    EXPECT_EQ(differing, 0u) << "of " << shown.size() << " pixels";
    EXPECT_LT(background, shown.size()) << "something was drawn";
    EXPECT_GT(background, shown.size() / 2) << "and on its background";
    CGdiObject::DeleteTempMap();
}

TEST(DiagramWindow, AnEmptyWindowDrawsNothingAndFailsNothing) {
    TestWindow window(0, 0, true);
    CDiagram diagram(window.Wnd());
    EXPECT_TRUE(CRect(diagram.GetOuterRect()).IsRectEmpty());
    FillDiagram(diagram);
    diagram.SetAutoSize(TRUE);
    diagram.Draw(NULL);
    CCurveDiscrete* curve = static_cast<CCurveDiscrete*>(diagram.GetCurves().GetHead());
    EXPECT_TRUE(curve->AddPoint(580, 1, FALSE));
    EXPECT_TRUE(curve->AddPoint(700, 1, FALSE));  // scrolls: the next segment redraws all
    curve->DrawLast();
    EXPECT_FALSE(diagram.AutoSize()) << "nothing to size";

    CDiagram unattached(NULL);
    EXPECT_EQ(unattached.GetDC(), nullptr);
    unattached.Draw(NULL);
    CClientDC screen(NULL);
    unattached.Draw(&screen);
    CGdiObject::DeleteTempMap();
}

// ---- drawing into a metafile ----

const COLORREF kAxisColor = RGB(0, 128, 0);

// The diagram of the curve page: a time axis below, a value axis left, a value curve and its
// reference line, the legend below.
struct Metafile : public ::testing::Test {
    Metafile() : window(420, 320), diagram(window.Wnd()) {
        CCurve::SeedSymbolPhase(11);
        diagram.SetTitle("Gas analysis");
        diagram.SetMargin(3);
        legend = new CLegend;
        diagram.SetLegend(legend);
        legend->SetPosition(LEGEND_BOTTOM);
        diagram.SetLegendShown(TRUE);
        x = new CAxisTime;
        y = new CAxisLinear;
        diagram.AddAxis(x);
        diagram.AddAxis(y);
        y->SetPosition(AXIS_LEFT);
        start = (double)CTime(2024, 3, 5, 14, 0, 0).GetTime();
        x->SetRange(start, start + 1800);
        x->SetTicks(start, 180, 2);
        x->SetLabelFormat("%H:%M");
        x->SetTitle("");
        x->SetEndText("05.03.2024");
        y->SetRange(0, 2000);
        y->SetTicks(0, 200, 2);
        y->SetTitle("CO [ppm]");
        y->SetColor(kAxisColor);
        value = new CCurveDiscrete;
        reference = new CCurveDiscrete;
        for (CCurveDiscrete* c : {value, reference}) {
            diagram.AddCurve(c);
            c->SetAxes(x, y);
            c->SetColor(RGB(0, 0, 255));
            c->SetSymbol(10, 2, 4);
            c->SetLegendValues(FALSE, FALSE);
        }
        value->SetTexts("Analyzer 1, C1: CO");
        reference->SetTexts("Ref. Analyzer 1, C1: CO");
        reference->SetSymbolsShown(FALSE);
        reference->SetPenStyle(PS_DOT);
        for (int k = 0; k <= 6; ++k) value->AddPoint(start + k * 240, 300 + 100 * k, FALSE);
        reference->AddPoint(start, 1000, FALSE);
        reference->AddPoint(start + 1440, 1000, FALSE);
    }
    ~Metafile() override { CGdiObject::DeleteTempMap(); }

    // Text records in this font face.
    std::vector<const emf::Text*> TextsIn(const emf::File& file, const std::string& face) {
        std::vector<const emf::Text*> found;
        for (const emf::Text& t : file.Texts()) {
            const emf::Font* font = file.FontInEffect(t.index);
            if (font != nullptr && font->face == face) found.push_back(&t);
        }
        return found;
    }

    // The legend's rows (in its "Arial"; a curve's name along its line has no face name).
    const emf::Text* Row(const emf::File& file, const std::string& text) {
        for (const emf::Text* t : TextsIn(file, "Arial"))
            if (t->text == text) return t;
        return nullptr;
    }

    TestWindow window;
    CDiagram diagram;
    CLegend* legend;
    CAxisTime* x;
    CAxisLinear* y;
    CCurveDiscrete* value;
    CCurveDiscrete* reference;
    double start;
};

TEST_F(Metafile, HeaderAndRecordsAreWhole) {
    const emf::File file = DrawToMetafile(diagram);
    const emf::Header& header = file.GetHeader();
    EXPECT_EQ(header.records, file.Records().size());
    EXPECT_EQ(file.Records().front().type, (uint32_t)emf::kHeader);
    EXPECT_EQ(file.Records().back().type, (uint32_t)emf::kEof);
    EXPECT_EQ(header.description.substr(0, 17), std::u16string(u"KorvanGA\0Diagram\0", 17));
    EXPECT_GT(header.frame.right, 0);
    EXPECT_FALSE(file.Texts().empty());
}

TEST_F(Metafile, TickLabelsTitlesEndTextAndLegendNames) {
    const emf::File file = DrawToMetafile(diagram);
    CClientDC screen(NULL);  // the metafile's reference device

    // Value axis: labels every second tick, "%%.%ig" with precision 2 giving "%.2g", written
    // upright and right-aligned left of their ticks, centred on them.
    TEXTMETRIC tm;
    ASSERT_TRUE(y->GetLabelMetrics(&tm, NULL, &screen));
    const CRect yRect = AxisRect(y);
    const int labelX =
        yRect.right - y->GetPenWidth() - y->GetLongTick(&screen) - (int)(tm.tmAveCharWidth * 0.5);
    for (double v = 0; v <= 2000; v += 400) {
        const std::string text = Format("%.2g", v);
        const emf::Text* t = FindText(file, text);
        ASSERT_NE(t, nullptr) << text;
        EXPECT_EQ(t->reference.x, labelX) << text;
        EXPECT_EQ(t->reference.y, yRect.bottom - y->ValueToPixel(v) - tm.tmHeight / 2) << text;
        const emf::Font* font = file.FontInEffect(t->index);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->face, "Arial");
        EXPECT_EQ(font->escapement, 0);
        EXPECT_EQ(font->height, -(8 * screen.GetDeviceCaps(LOGPIXELSY) / 72));
        uint32_t align = 0, color = 0;
        ASSERT_TRUE(file.TextAlignInEffect(t->index, &align));
        EXPECT_EQ(align, (uint32_t)(TA_RIGHT | TA_TOP));
        ASSERT_TRUE(file.TextColorInEffect(t->index, &color));
        EXPECT_EQ(color, kAxisColor);
    }
    EXPECT_EQ(FindText(file, Format("%.2g", 200)), nullptr) << "an unlabelled tick";

    // Time axis: clock times every 6 minutes, turned upward, in order along the axis.
    int lastX = -1;
    for (int minutes = 0; minutes <= 30; minutes += 6) {
        const std::string text = Str(CTime((time_t)start + minutes * 60).Format("%H:%M"));
        const emf::Text* t = FindText(file, text);
        ASSERT_NE(t, nullptr) << text;
        EXPECT_GT(t->reference.x, lastX) << text;
        lastX = t->reference.x;
        const emf::Font* font = file.FontInEffect(t->index);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->face, "Arial");
        EXPECT_EQ(font->escapement, 900) << text;
    }
    EXPECT_EQ(FindText(file, "14:03"), nullptr) << "an unlabelled tick";

    // The value axis's title runs upward; the end text stands upright under the time axis.
    const emf::Text* title = FindText(file, "CO [ppm]");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(file.FontInEffect(title->index)->escapement, 900);
    EXPECT_EQ(title->reference.x, yRect.left + 2);
    const emf::Text* end = FindText(file, "05.03.2024");
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(file.FontInEffect(end->index)->escapement, 0);
    EXPECT_EQ(end->reference.x, AxisRect(x).left);

    // The diagram's title, centred over the plot.
    const emf::Text* heading = FindText(file, "Gas analysis");
    ASSERT_NE(heading, nullptr);
    const CRect titleRect = diagram.GetTitleRect();
    EXPECT_EQ(heading->reference.x, (titleRect.left + titleRect.right) / 2);
    uint32_t align = 0;
    ASSERT_TRUE(file.TextAlignInEffect(heading->index, &align));
    EXPECT_EQ(align, (uint32_t)(TA_CENTER | TA_BASELINE));
    EXPECT_EQ(file.FontInEffect(heading->index)->height,
              -(12 * screen.GetDeviceCaps(LOGPIXELSY) / 72));

    // Legend rows: the names, one and a half lines apart, first.
    const emf::Text* row1 = Row(file, "Analyzer 1, C1: CO");
    const emf::Text* row2 = Row(file, "Ref. Analyzer 1, C1: CO");
    ASSERT_NE(row1, nullptr);
    ASSERT_NE(row2, nullptr);
    EXPECT_LT(row1->index, title->index) << "the legend is drawn before the axes";
    CSize extent;
    TEXTMETRIC legendTm;
    ASSERT_TRUE(legend->GetTextSize(extent, &legendTm, "x"));
    const CRect legendRect = LegendRect(legend);
    EXPECT_EQ(row1->reference.y, legendRect.top + legendTm.tmHeight / 2);
    EXPECT_EQ(row2->reference.y - row1->reference.y, legendTm.tmHeight + legendTm.tmHeight / 2);
    EXPECT_EQ(row1->reference.x, row2->reference.x);
}

TEST_F(Metafile, FontsOfSymbolsAndPensOfAxesCurvesAndFrame) {
    const emf::File file = DrawToMetafile(diagram);

    // Symbols: the glyph number in "Zavirur" of the symbol character set.
    const std::vector<const emf::Text*> symbols = TextsIn(file, "Zavirur");
    ASSERT_FALSE(symbols.empty());
    for (const emf::Text* t : symbols) {
        EXPECT_EQ(t->text, "2");
        EXPECT_EQ(file.FontInEffect(t->index)->charSet, SYMBOL_CHARSET);
    }

    bool axisLine = false, valueLine = false, dotted = false;
    for (const emf::Position& to : file.LineTos()) {
        const emf::Pen* pen = file.PenInEffect(to.index);
        if (pen == nullptr) continue;
        const uint32_t style = pen->style & PS_STYLE_MASK;
        axisLine |= pen->color == kAxisColor && pen->width == y->GetPenWidth();
        valueLine |= pen->color == RGB(0, 0, 255) && style == PS_SOLID;
        dotted |= pen->color == RGB(0, 0, 255) && style == PS_DOT;
    }
    EXPECT_TRUE(axisLine) << "the value axis's line in its colour and pen width";
    EXPECT_TRUE(valueLine) << "the value curve";
    EXPECT_TRUE(dotted) << "the reference line";

    // The frame: style 4 of the margin's width, filled with the background.
    ASSERT_FALSE(file.Rectangles().empty());
    const emf::Shape& frame = file.Rectangles().front();
    const emf::Pen* pen = file.PenInEffect(frame.index);
    ASSERT_NE(pen, nullptr);
    EXPECT_EQ(pen->style & PS_STYLE_MASK, (uint32_t)PS_DASHDOTDOT);
    EXPECT_EQ(pen->width, 3);
    EXPECT_EQ(pen->color, diagram.GetFrameColor());
    const emf::Brush* brush = file.BrushInEffect(frame.index);
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(brush->color, diagram.GetBackgroundColor());
    const CRect outer = diagram.GetOuterRect();
    EXPECT_EQ(frame.box.right, outer.right - 2) << "Rectangle(left, top, right - 1, bottom - 1)";

    // Print settings: no frame, white.
    diagram.SetFrame(FALSE);
    diagram.SetBackgroundColor(RGB(255, 255, 255));
    legend->SetBackgroundColor(RGB(255, 255, 255));
    const emf::File printed = DrawToMetafile(diagram);
    for (const emf::Shape& r : printed.Rectangles())
        EXPECT_NE(printed.BrushInEffect(r.index)->color, GetSysColor(COLOR_BTNFACE));
}

TEST_F(Metafile, ShadowsOnlyWith3D) {
    const COLORREF shadow = diagram.GetShadowColor();
    auto shadowLines = [shadow](const emf::File& file) {
        size_t n = 0;
        for (const emf::Position& to : file.LineTos()) {
            const emf::Pen* pen = file.PenInEffect(to.index);
            if (pen != nullptr && pen->color == shadow) ++n;
        }
        return n;
    };
    const emf::File flat = DrawToMetafile(diagram);
    EXPECT_EQ(shadowLines(flat), 0u);
    EXPECT_EQ(CountText(flat, "Gas analysis"), 1u);
    EXPECT_EQ(CountText(flat, "CO [ppm]"), 1u);

    diagram.Set3D(TRUE);
    const emf::File raised = DrawToMetafile(diagram);
    EXPECT_GT(shadowLines(raised), 0u) << "axis lines and ticks";
    for (const char* text : {"Gas analysis", "CO [ppm]"}) {
        ASSERT_EQ(CountText(raised, text), 2u) << text;
        const emf::Text* first = FindText(raised, text);
        uint32_t color = 0;
        ASSERT_TRUE(raised.TextColorInEffect(first->index, &color));
        EXPECT_EQ(color, shadow) << text << ": the shadow comes first";
    }
    const emf::Text* heading = FindText(raised, "Gas analysis");
    const emf::Text* headingAgain = nullptr;
    for (const emf::Text& t : raised.Texts())
        if (t.text == "Gas analysis" && &t != heading) headingAgain = &t;
    ASSERT_NE(headingAgain, nullptr);
    EXPECT_EQ(heading->reference.x, headingAgain->reference.x + 1) << "one pixel right";
    EXPECT_EQ(heading->reference.y, headingAgain->reference.y + 1) << "and down";
}

TEST_F(Metafile, GridLinesAcrossThePlot) {
    y->SetGrid(TRUE);
    const emf::File off = DrawToMetafile(diagram);
    auto gridLines = [this](const emf::File& file) {
        std::vector<int> ys;
        for (const emf::Position& to : file.LineTos()) {
            const emf::Pen* pen = file.PenInEffect(to.index);
            if (pen != nullptr && pen->color == diagram.GetGridColor()) ys.push_back(to.point.y);
        }
        return ys;
    };
    EXPECT_TRUE(gridLines(off).empty()) << "the diagram's grid switch is off";
    diagram.SetGrid(TRUE);
    const emf::File on = DrawToMetafile(diagram);
    const std::vector<int> ys = gridLines(on);
    ASSERT_EQ(ys.size(), 11u) << "one per tick of 0 to 2000 in steps of 200";
    const CRect plot = diagram.GetPlotRect();
    for (int i = 0; i <= 10; ++i) EXPECT_EQ(ys[i], plot.bottom - y->ValueToPixel(i * 200.0));
    // The axis line comes again over the grid.
    size_t lastGrid = 0, lastAxis = 0;
    for (const emf::Position& to : on.LineTos()) {
        const emf::Pen* pen = on.PenInEffect(to.index);
        if (pen == nullptr) continue;
        if (pen->color == diagram.GetGridColor()) lastGrid = to.index;
        if (pen->color == kAxisColor && pen->width == y->GetPenWidth()) lastAxis = to.index;
    }
    EXPECT_GT(lastAxis, lastGrid);
}

// The settled legend text: a row shows the text last stored for its curve, its name while
// none is stored; a hidden curve has no row.
TEST_F(Metafile, LegendRowsShowTheStoredTextAndSkipHiddenCurves) {
    value->SetLegendText("Analyzer 1, C1: CO: 812.000 [ppm]");
    emf::File file = DrawToMetafile(diagram);
    const emf::Text* stored = Row(file, "Analyzer 1, C1: CO: 812.000 [ppm]");
    ASSERT_NE(stored, nullptr);
    const emf::Text* second = Row(file, "Ref. Analyzer 1, C1: CO");
    ASSERT_NE(second, nullptr);
    const int firstRowY = stored->reference.y;
    EXPECT_GT(second->reference.y, firstRowY);

    // A new value redraws the curve's row with its legend text, which the row then keeps.
    value->SetLegendValues(FALSE, TRUE);
    EXPECT_TRUE(value->UpdateLegend(start, 900));
    const std::string updated = Str(value->GetLegendText(start, 900));
    EXPECT_EQ(Str(value->GetStoredLegendText()), updated);
    file = DrawToMetafile(diagram);
    EXPECT_NE(Row(file, updated), nullptr);

    value->SetShown(FALSE);
    file = DrawToMetafile(diagram);
    EXPECT_EQ(Row(file, Str(value->GetStoredLegendText())), nullptr) << "no row";
    second = Row(file, "Ref. Analyzer 1, C1: CO");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->reference.y, firstRowY) << "the next row moves up";
    legend->SetVisible(FALSE);
    file = DrawToMetafile(diagram);
    EXPECT_EQ(Row(file, "Ref. Analyzer 1, C1: CO"), nullptr) << "an invisible legend";
}

TEST_F(Metafile, DigitalAndLogarithmicAxes) {
    CAxisDigital* levels = new CAxisDigital;
    levels->SetPosition(AXIS_RIGHT);
    levels->SetTitle("Valve");
    diagram.AddAxis(levels);
    CAxisDigital* across = new CAxisDigital;
    across->SetTitle("Not drawn");
    diagram.AddAxis(across);  // below the plot: neither laid out nor drawn
    CCurveDigital* valve = new CCurveDigital;
    diagram.AddCurve(valve);
    ASSERT_TRUE(valve->SetDigitalAxes(x, levels));
    valve->SetLevels(80, 20, "open", "shut");
    valve->SetColor(RGB(128, 0, 128));
    valve->SetSymbolsShown(FALSE);
    diagram.SetLegendShown(FALSE);
    valve->AddPoint(start, 0, FALSE);
    valve->AddPoint(start + 600, 1, FALSE);
    CAxisLog* log = new CAxisLog;
    log->SetPosition(AXIS_LEFT);
    log->SetRange(1, 1000);
    log->SetTitle("");
    diagram.AddAxis(log);
    const emf::File file = DrawToMetafile(diagram);

    const emf::Text* open = FindText(file, "open");
    const emf::Text* shut = FindText(file, "shut");
    ASSERT_NE(open, nullptr);
    ASSERT_NE(shut, nullptr);
    EXPECT_LT(open->reference.y, shut->reference.y) << "the high level above the low one";
    EXPECT_EQ(FindText(file, "Not drawn"), nullptr);
    EXPECT_NE(FindText(file, "Valve"), nullptr);

    // The step: along the low level to the new x, then up to the high level.
    std::vector<CPoint> steps;
    for (const emf::Position& to : file.LineTos()) {
        const emf::Pen* pen = file.PenInEffect(to.index);
        if (pen != nullptr && pen->color == RGB(128, 0, 128))
            steps.push_back(CPoint(to.point.x, to.point.y));
    }
    ASSERT_EQ(steps.size(), 2u);
    const CRect plot = diagram.GetPlotRect();
    const int stepX = plot.left + x->ValueToPixel(start + 600);
    EXPECT_EQ(steps[0], CPoint(stepX, plot.bottom - levels->ValueToPixel(20)));
    EXPECT_EQ(steps[1], CPoint(stepX + 1, plot.bottom - levels->ValueToPixel(80)))
        << "a vertical segment is drawn one pixel wide";

    // A logarithmic axis labels its decades.
    for (double decade : {1.0, 10.0, 100.0})
        EXPECT_NE(FindText(file, Format("%.2g", decade)), nullptr) << decade;
}

}  // namespace
