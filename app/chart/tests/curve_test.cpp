// Curves with their points and symbols: settings that are refused, the legend text, clipping,
// dropping hidden points, scrolling, digital steps, the symbol phase, the lock, and what a
// curve draws (read back from a metafile).
#include "chart_fixture.h"

#include <math.h>
#include <stdlib.h>

#include <functional>

using namespace charttest;

namespace {

// Runs the work on a thread of its own; false when it has not ended by the deadline (the
// thread is then ended by force: it hangs or waits for ever).
bool FinishesWithin(DWORD milliseconds, std::function<void()> work) {
    struct Job {
        std::function<void()> work;
        static DWORD WINAPI Run(LPVOID p) {
            static_cast<Job*>(p)->work();
            return 0;
        }
    };
    Job* job = new Job{std::move(work)};
    HANDLE thread = CreateThread(NULL, 0, &Job::Run, job, 0, NULL);
    if (thread == NULL) return false;
    const bool ended = WaitForSingleObject(thread, milliseconds) == WAIT_OBJECT_0;
    if (!ended)
        TerminateThread(thread, 1);  // its job stays allocated: the thread may still use it
    else
        delete job;
    CloseHandle(thread);
    return ended;
}

// A diagram on a window with a time axis below and a linear axis left, fixed sizes, no title.
struct Chart {
    explicit Chart(int width = 400, int height = 300)
        : window(width, height), diagram(window.Wnd()) {
        diagram.SetTitle(NULL);
        x = new CAxisTime;
        y = new CAxisLinear;
        y->SetPosition(AXIS_LEFT);
        diagram.AddAxis(x);
        diagram.AddAxis(y);
        x->SetRange(0, 100);
        y->SetRange(0, 100);
        x->SetTicks(0, 10, 2);
        y->SetTicks(0, 10, 2);
    }
    template <class Curve>
    Curve* Add(Curve* curve) {
        diagram.AddCurve(curve);
        curve->SetAxes(x, y);
        return curve;
    }
    // Screen position of a point of a curve.
    CPoint At(const CCurve* curve, const CCurvePoint* point) const {
        const RECT& plot = curve->GetPlotRect();
        return CPoint(plot.left + point->m_nPixelX, plot.bottom - point->m_nPixelY);
    }
    TestWindow window;
    CDiagram diagram;
    CAxisTime* x;
    CAxisLinear* y;
};

CCurvePoint* PointAt(CCurve* curve, int index) {
    return static_cast<CCurvePoint*>(curve->GetPoints().GetAt(curve->GetPoints().FindIndex(index)));
}

TEST(CurveParts, PointsSymbolsAndLevels) {
    CHiLoStr levels;
    EXPECT_EQ(levels.GetHighValue(), 90.0);
    EXPECT_EQ(Str(levels.GetHighText()), "ON");
    EXPECT_EQ(levels.GetLowValue(), 10.0);
    EXPECT_EQ(Str(levels.GetLowText()), "OFF");

    CSymbol symbol;
    CSize size(3, 3);
    EXPECT_FALSE(symbol.GetSize(size, TRUE)) << "no diagram";
    EXPECT_EQ(size, CSize(0, 0));
    EXPECT_FALSE(symbol.Draw(10, 10, TRUE));
    symbol.SetNumberAndSize(5, 0);
    EXPECT_EQ(symbol.GetNumber(), 5);
    EXPECT_EQ(symbol.GetFontSize(), 8) << "size 0 means 8 points";
    symbol.SetNumberAndSize(7, 12);
    EXPECT_EQ(symbol.GetFontSize(), 12);

    CAxisLinear axis;
    axis.SetRect(0, 0, 200, 10);
    CCurvePlainPoint point(0, 0, TRUE);
    point.SetX(25, &axis);
    point.SetY(75);
    EXPECT_EQ(point.m_nPixelX, 50);
    EXPECT_EQ(point.m_nPixelY, 0) << "no axis, no pixel";
    std::unique_ptr<CCurvePoint> copy(point.Clone());
    EXPECT_TRUE(copy->IsKindOf(RUNTIME_CLASS(CCurvePlainPoint)));
    EXPECT_EQ(copy->m_dX, 25.0);
    EXPECT_EQ(copy->m_dY, 75.0);
    EXPECT_EQ(copy->m_nPixelX, 50);
    EXPECT_TRUE(copy->m_bMarked);
    CCurveMarkPoint mark(1, 2);
    EXPECT_FALSE(mark.m_bMarked);
    EXPECT_EQ(mark.m_nMarkSize, 8);
    EXPECT_EQ(mark.m_crMark, RGB(255, 255, 255));
}

TEST(CurveSettings, RefusedValues) {
    CCurveDiscrete curve;
    EXPECT_FALSE(curve.SetSymbol(10, 256, 4)) << "glyph numbers end at 255";
    EXPECT_FALSE(curve.SetSymbol(10, -1, 4));
    EXPECT_FALSE(curve.SetSymbol(0, 3, 4)) << "no symbols per width divides by zero";
    EXPECT_FALSE(curve.SetSymbol(-5, 3, 4));
    EXPECT_EQ(curve.GetSymbol()->GetNumber(), 1) << "refused settings change nothing";
    EXPECT_EQ(curve.GetSymbolCount(), 10);
    curve.SetColor(RGB(0, 0, 200));
    EXPECT_TRUE(curve.SetSymbol(20, 255, 0));
    EXPECT_EQ(curve.GetSymbol()->GetNumber(), 255);
    EXPECT_EQ(curve.GetSymbol()->GetFontSize(), 8);
    EXPECT_EQ(curve.GetSymbol()->GetColor(), RGB(0, 0, 200));
    EXPECT_EQ(curve.GetSymbolCount(), 20);
    EXPECT_FALSE(curve.SetSymbolCount(0));
    EXPECT_EQ(curve.GetSymbolCount(), 20);

    for (int style : {0, 1, 4}) EXPECT_TRUE(curve.SetValueStyle(style)) << style;
    for (int style : {-1, 2, 3, 5}) EXPECT_FALSE(curve.SetValueStyle(style)) << style;
    EXPECT_EQ(curve.GetValueStyle(), 4);

    curve.SetPenStyle(PS_DOT);
    EXPECT_EQ(curve.GetPenStyle(), PS_DOT);
    EXPECT_EQ(curve.GetSymbol()->GetPenStyle(), PS_DOT) << "the legend line of the symbol";
    curve.SetSymbolsShown(FALSE);
    EXPECT_FALSE(curve.GetSymbol()->IsShown());
}

TEST(CurveAxes, CheckAxesTakesAHorizontalXAndAVerticalY) {
    const int none = -1;
    struct Case {
        int x, y;
        bool accepted;
    };
    const Case cases[] = {
        {AXIS_BOTTOM, AXIS_LEFT, true},  {AXIS_TOP, AXIS_RIGHT, true},
        {AXIS_BOTTOM, AXIS_RIGHT, true}, {AXIS_LEFT, AXIS_LEFT, false},
        {AXIS_LEFT, AXIS_RIGHT, false},  {AXIS_BOTTOM, AXIS_BOTTOM, false},
        {AXIS_LEFT, AXIS_BOTTOM, false}, {none, AXIS_LEFT, false},
        {AXIS_BOTTOM, none, false},
    };
    for (const Case& c : cases) {
        CAxisLinear x, y;
        x.SetPosition(c.x);
        y.SetPosition(c.y);
        CCurveDiscrete curve;
        EXPECT_EQ(curve.SetAxes(c.x == none ? NULL : &x, c.y == none ? NULL : &y) != FALSE,
                  c.accepted)
            << c.x << " " << c.y;
        EXPECT_EQ(curve.GetXAxis() != NULL, c.accepted);
    }

    // A digital curve is bound with SetDigitalAxes, which moves it between digital axes.
    CAxisLinear time;
    CAxisDigital first, second;
    first.SetPosition(AXIS_LEFT);
    second.SetPosition(AXIS_RIGHT);
    CCurveDigital digital;
    EXPECT_FALSE(digital.SetAxes(&time, &first));
    ASSERT_TRUE(digital.SetDigitalAxes(&time, &first));
    EXPECT_TRUE(first.HasCurve(&digital));
    ASSERT_TRUE(digital.SetDigitalAxes(&time, &second));
    EXPECT_FALSE(first.HasCurve(&digital));
    EXPECT_TRUE(second.HasCurve(&digital));
    EXPECT_FALSE(digital.SetDigitalAxes(&first, &second)) << "refused: the old axes stay";
    EXPECT_TRUE(second.HasCurve(&digital));
    {
        CCurveDigital passing;
        passing.SetDigitalAxes(&time, &second);
        EXPECT_EQ(second.GetCurveCount(), 2);
    }
    EXPECT_EQ(second.GetCurveCount(), 1) << "a deleted curve leaves its axes";
    {
        std::unique_ptr<CCurve> copy(digital.Clone());
        EXPECT_EQ(copy->GetYAxis(), &second);
        EXPECT_EQ(second.GetCurveCount(), 1) << "a copy is not entered";
    }
    EXPECT_TRUE(second.HasCurve(&digital)) << "nor does its end take the original out";
}

TEST(CurveLegend, LegendTexts) {
    CAxisLinear x, y;
    x.SetPosition(AXIS_BOTTOM);
    y.SetPosition(AXIS_LEFT);
    CCurveDiscrete curve;
    ASSERT_TRUE(curve.SetAxes(&x, &y));
    curve.SetTexts("O2", "", "");
    const std::string xText = Str(x.FormatLabel(5)), yText = Str(y.FormatLabel(7.5));
    struct Case {
        const char* what;
        BOOL showX, showY;
        const char *yPrefix, *xPrefix, *xUnit, *yUnit;
        std::string expected;
    };
    const Case cases[] = {
        {"both, no prefixes or units", TRUE, TRUE, "", "", "", "",
         "O2 [X= " + xText + " | Y= " + yText + "]"},
        {"x only", TRUE, FALSE, "", "", "", "", "O2 X= " + xText},
        {"y only", FALSE, TRUE, "", "", "", "", "O2 Y= " + yText},
        {"neither", FALSE, FALSE, "", "", "", "", "O2"},
        {"prefixes and units", TRUE, TRUE, "c", "t", "s", "ppm",
         "O2 [t " + xText + " s | c " + yText + " ppm]"},
        {"y with its unit", FALSE, TRUE, "Conc.", "", "", "%", "O2 Conc. " + yText + " %"},
    };
    for (const Case& c : cases) {
        curve.SetLegendValues(c.showX, c.showY);
        curve.SetTexts(NULL, c.yPrefix, c.xPrefix);
        x.SetUnit(c.xUnit);
        y.SetUnit(c.yUnit);
        EXPECT_EQ(Str(curve.GetLegendText(5, 7.5)), c.expected) << c.what;
    }
    EXPECT_EQ(Str(curve.GetName()), "O2") << "NULL texts leave the name";

    // On a digital y axis the level text stands for the value.
    CAxisDigital levels;
    levels.SetPosition(AXIS_RIGHT);
    CCurveDigital digital;
    ASSERT_TRUE(digital.SetDigitalAxes(&x, &levels));
    digital.SetTexts("Pump", "", "");
    digital.SetLegendValues(FALSE, TRUE);
    EXPECT_EQ(Str(digital.GetLegendText(5, 1.0)), "Pump Y= ON") << "the threshold is high";
    EXPECT_EQ(Str(digital.GetLegendText(5, 0.5)), "Pump Y= OFF");
}

TEST(CurveClip, ClipLineAgainstThePlot) {
    struct Case {
        const char* what;
        RECT plot;
        int x1, y1, x2, y2;
        bool visible;
        int cx1, cy1, cx2, cy2;  // the ends afterwards
    };
    const RECT plot = {10, 10, 110, 60};
    const RECT centred = {-100, -100, 100, 100};
    const Case cases[] = {
        {"inside", plot, 20, 20, 80, 50, true, 20, 20, 80, 50},
        {"vertical: one pixel wide", plot, 50, 20, 50, 40, true, 50, 20, 51, 40},
        {"vertical outside", plot, 5, 20, 5, 40, false, 0, 0, 0, 0},
        {"both left", plot, 0, 20, 5, 40, false, 0, 0, 0, 0},
        {"both below", plot, 20, 70, 90, 99, false, 0, 0, 0, 0},
        {"across the left edge", plot, 0, 20, 20, 40, true, 10, 30, 20, 40},
        {"across the top edge", plot, 50, 0, 70, 20, true, 60, 10, 70, 20},
        {"across the right edge", plot, 100, 20, 120, 40, true, 100, 20, 110, 30},
        {"through the whole plot", plot, 0, 35, 120, 35, true, 10, 35, 110, 35},
        {"around a corner", plot, 0, 50, 30, 100, false, 0, 0, 0, 0},
        {"half a pixel rounds up", plot, 5, 20, 15, 21, true, 10, 21, 15, 21},
        {"minus one and a half rounds to -1", centred, -110, 0, -90, -3, true, -100, -1, -90, -3},
    };
    for (const Case& c : cases) {
        CCurveDiscrete curve;
        curve.SetRect(c.plot.left, c.plot.top, c.plot.right, c.plot.bottom);
        int x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
        const bool visible = curve.ClipLine(x1, y1, x2, y2) != FALSE;
        EXPECT_EQ(visible, c.visible) << c.what;
        if (visible && c.visible) {
            EXPECT_EQ(CPoint(x1, y1), CPoint(c.cx1, c.cy1)) << c.what;
            EXPECT_EQ(CPoint(x2, y2), CPoint(c.cx2, c.cy2)) << c.what;
        }
    }
}

TEST(CurvePoints, RemoveHiddenPointsKeepsOneLeftOfTheRange) {
    Chart chart;
    chart.diagram.SetScrollShares(0, 100);  // no scrolling while the points go in
    CCurveDiscrete* curve = chart.Add(new CCurveDiscrete);
    for (double x : {10.0, 20.0, 30.0, 150.0, 160.0}) ASSERT_TRUE(curve->AddPoint(x, 1, FALSE));
    chart.x->SetRange(100, 200);
    EXPECT_FALSE(curve->RemoveHiddenPoints()) << "only when the diagram drops hidden points";
    EXPECT_EQ(curve->GetPointCount(), 5);
    chart.diagram.SetDropHiddenPoints(TRUE);
    EXPECT_TRUE(curve->RemoveHiddenPoints());
    ASSERT_EQ(curve->GetPointCount(), 3);
    EXPECT_EQ(PointAt(curve, 0)->m_dX, 30.0) << "the line still enters from the left";
    EXPECT_EQ(PointAt(curve, 1)->m_dX, 150.0);
    EXPECT_TRUE(curve->RemoveHiddenPoints());
    EXPECT_EQ(curve->GetPointCount(), 3);
    EXPECT_TRUE(curve->DeleteAllPoints());
    EXPECT_EQ(curve->GetPointCount(), 0);
}

TEST(CurvePoints, DiscreteCurveScrollsItsTimeAxis) {
    struct Case {
        const char* what;
        double scroll, view;
        double sample;
        bool scrolls;
        double minimum;
    };
    const Case cases[] = {
        {"just past the maximum: 70 % forward", 30, 100, 100.5, true, 70},
        {"at the maximum: no scroll", 30, 100, 100, false, 0},
        {"view share 50: past the middle", 20, 50, 51, true, 80},
        {"scroll share 0: never", 0, 100, 150, false, 0},
    };
    for (const Case& c : cases) {
        Chart chart;
        chart.diagram.SetDropHiddenPoints(TRUE);
        ASSERT_TRUE(chart.diagram.SetScrollShares(c.scroll, c.view));
        CCurveDiscrete* curve = chart.Add(new CCurveDiscrete);
        ASSERT_TRUE(curve->AddPoint(5, 1, FALSE));
        ASSERT_TRUE(curve->AddPoint(40, 2, FALSE));
        const int firstPixel = PointAt(curve, 0)->m_nPixelX;
        ASSERT_TRUE(curve->AddPoint(c.sample, 3, FALSE));
        EXPECT_EQ(chart.x->GetMinimum(), c.minimum) << c.what;
        EXPECT_EQ(chart.x->GetMaximum(), c.minimum + 100) << c.what << ": the width stays";
        EXPECT_EQ(curve->GetRedrawAll() != FALSE, c.scrolls) << c.what;
        if (c.scrolls) {
            EXPECT_EQ(curve->GetScrollDistance(), abs(firstPixel - chart.x->ValueToPixel(5)))
                << c.what;
            // Left of the new minimum only the newest of the hidden points stays.
            EXPECT_EQ(PointAt(curve, 0)->m_dX, c.minimum > 40 ? 40.0 : 5.0) << c.what;
            // The next segment redraws the whole diagram once.
            EXPECT_TRUE(curve->DrawLast());
            EXPECT_FALSE(curve->GetRedrawAll()) << c.what;
        }
        EXPECT_EQ(PointAt(curve, curve->GetPointCount() - 1)->m_nPixelX,
                  chart.x->ValueToPixel(c.sample))
            << c.what << ": the new point's pixel on the moved axis";
    }
    CCurveDiscrete unbound;
    EXPECT_FALSE(unbound.AddPoint(1, 1, FALSE)) << "no diagram, no axes";
}

TEST(CurvePoints, DigitalCurveStepsForwardAtItsLevels) {
    Chart chart;
    CAxisDigital* levels = new CAxisDigital;
    levels->SetPosition(AXIS_RIGHT);
    chart.diagram.AddAxis(levels);
    CCurveDigital* curve = new CCurveDigital;
    chart.diagram.AddCurve(curve);
    EXPECT_FALSE(curve->AddPoint(1, 1, FALSE)) << "not bound yet";
    ASSERT_TRUE(curve->SetDigitalAxes(chart.x, levels));
    ASSERT_TRUE(curve->AddPoint(10, 1.0, FALSE));
    EXPECT_EQ(PointAt(curve, 0)->m_nPixelY, levels->ValueToPixel(90))
        << "exactly the threshold takes the high level";
    EXPECT_FALSE(curve->AddPoint(10, 0.0, FALSE)) << "the same x again";
    EXPECT_FALSE(curve->AddPoint(9, 0.0, FALSE)) << "an earlier x";
    ASSERT_TRUE(curve->AddPoint(11, 0.5, FALSE));
    EXPECT_EQ(PointAt(curve, 1)->m_nPixelY, levels->ValueToPixel(10));
    EXPECT_EQ(curve->GetPointCount(), 2);
    EXPECT_TRUE(curve->RecalcPixels());
    EXPECT_EQ(PointAt(curve, 0)->m_nPixelY, levels->ValueToPixel(90)) << "the same rule again";
    ASSERT_TRUE(curve->AddPoint(500, 1.0, FALSE));
    EXPECT_EQ(chart.x->GetMinimum(), 0.0) << "a digital curve does not scroll";
}

TEST(CurvePhase, TheChartsOwnGeneratorIsSeedable) {
    CCurve::SeedSymbolPhase(42);
    srand(1);
    CCurveDiscrete a, b;
    CCurve::SeedSymbolPhase(42);
    srand(999);
    CCurveDiscrete c;
    const int afterCurve = rand();
    EXPECT_EQ(a.GetSymbolPhase(), c.GetSymbolPhase()) << "the process's seed plays no part";
    EXPECT_NE(a.GetSymbolPhase(), b.GetSymbolPhase()) << "each curve its own phase";
    srand(999);
    EXPECT_EQ(rand(), afterCurve) << "the curves leave the process's generator alone";
    for (const CCurve* curve : {(CCurve*)&a, (CCurve*)&b}) {
        EXPECT_GE(curve->GetSymbolPhase(), 0.0);
        EXPECT_LE(curve->GetSymbolPhase(), 1.0);
    }

    // The first symbol stands at phase x spacing; the spacing is the x axis width / count.
    Chart chart;
    CCurveDiscrete* curve = chart.Add(new CCurveDiscrete);
    RECT r;
    chart.x->GetRect(r);
    const int spacing = (r.right - r.left) / 10;
    EXPECT_EQ(curve->GetSymbolSpacing(), (double)spacing);
    EXPECT_DOUBLE_EQ(curve->GetFirstSymbolDistance(), curve->GetSymbolPhase() * spacing);
}

// Adding a point redraws the legend row while the curve holds the diagram's lock, and the
// newest segment takes the lock twice: the lock is re-entrant. Another thread waits.
TEST(CurveLock, TheDiagramsLockIsReentrantAndGuardsAdding) {
    Chart chart;
    chart.diagram.SetLegend(new CLegend);
    chart.diagram.SetLegendShown(TRUE);
    CCurveDiscrete* curve = chart.Add(new CCurveDiscrete);
    curve->SetTexts("O2");
    EXPECT_TRUE(FinishesWithin(10000, [&] {
        curve->AddPoint(10, 5, FALSE);
        curve->AddPoint(20, 6, FALSE);
        curve->DrawLast();
    }));
    EXPECT_EQ(curve->GetPointCount(), 2);
    EXPECT_EQ(Str(curve->GetStoredLegendText()), Str(curve->GetLegendText(20, 6)))
        << "the row was redrawn with the newest values";

    CSingleLock held(chart.diagram.GetLock(), TRUE);
    HANDLE added = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE thread = CreateThread(
        NULL, 0,
        [](LPVOID p) -> DWORD {
            auto* args = static_cast<std::pair<CCurve*, HANDLE>*>(p);
            args->first->AddPoint(30, 7, FALSE);
            SetEvent(args->second);
            delete args;
            return 0;
        },
        new std::pair<CCurve*, HANDLE>(curve, added), 0, NULL);
    ASSERT_NE(thread, (HANDLE)NULL);
    EXPECT_EQ(WaitForSingleObject(added, 300), (DWORD)WAIT_TIMEOUT)
        << "the point waits for the lock";
    held.Unlock();
    EXPECT_EQ(WaitForSingleObject(added, 10000), (DWORD)WAIT_OBJECT_0);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    CloseHandle(added);
    EXPECT_EQ(curve->GetPointCount(), 3);
    CGdiObject::DeleteTempMap();
}

// ---- what a curve draws ----

std::vector<const emf::Position*> LinesWithPen(const emf::File& file, COLORREF color,
                                               int width = -1) {
    std::vector<const emf::Position*> lines;
    for (const emf::Position& to : file.LineTos()) {
        const emf::Pen* pen = file.PenInEffect(to.index);
        if (pen != nullptr && pen->color == color && (width < 0 || pen->width == width))
            lines.push_back(&to);
    }
    return lines;
}

TEST(CurveDrawing, OnePointDrawsOnlyItsCross) {
    Chart chart;
    CCurveDiscrete* curve = chart.Add(new CCurveDiscrete);
    curve->SetTexts("Lonely");
    curve->SetColor(RGB(0, 0, 255));
    ASSERT_TRUE(curve->AddPoint(50, 50, FALSE));
    const emf::File file = DrawToMetafile(chart.diagram);
    EXPECT_EQ(FindText(file, "Lonely"), nullptr) << "no label with one point";
    EXPECT_TRUE(LinesWithPen(file, RGB(0, 0, 255)).empty()) << "no segment";
    const std::vector<const emf::Position*> cross = LinesWithPen(file, curve->GetCrossColor());
    ASSERT_EQ(cross.size(), 2u);
    const CPoint at = chart.At(curve, PointAt(curve, 0));
    EXPECT_EQ(cross[0]->point.x, at.x + 3);
    EXPECT_EQ(cross[0]->point.y, at.y + 3);
    EXPECT_EQ(cross[1]->point.x, at.x + 3);
    EXPECT_EQ(cross[1]->point.y, at.y - 3);
}

TEST(CurveDrawing, SegmentsSymbolsMarkersAndTheNameAlongTheLine) {
    CCurve::SeedSymbolPhase(7);
    Chart chart;
    CCurveDiscrete* curve = chart.Add(new CCurveDiscrete);
    curve->SetTexts("Rising");
    const COLORREF blue = RGB(0, 0, 255);
    curve->SetColor(blue);
    curve->SetPenStyle(PS_DOT);
    ASSERT_TRUE(curve->SetSymbol(10, 3, 0));
    ASSERT_TRUE(curve->AddPoint(0, 0, FALSE));
    ASSERT_TRUE(curve->AddPoint(50, 25, TRUE));
    ASSERT_TRUE(curve->AddPoint(100, 50, FALSE));
    const emf::File file = DrawToMetafile(chart.diagram);

    // Segments in the curve's dotted pen, ending at the points.
    const std::vector<const emf::Position*> segments = LinesWithPen(file, blue, 1);
    ASSERT_GE(segments.size(), 2u);
    EXPECT_EQ(file.PenInEffect(segments[0]->index)->style & PS_STYLE_MASK, (uint32_t)PS_DOT);
    EXPECT_EQ(CPoint(segments[1]->point.x, segments[1]->point.y),
              chart.At(curve, PointAt(curve, 2)));

    // The marked point's marker line across the plot.
    const std::vector<const emf::Position*> markers = LinesWithPen(file, RGB(100, 255, 0), 5);
    ASSERT_EQ(markers.size(), 1u);
    const RECT& plot = chart.diagram.GetPlotRect();
    EXPECT_EQ(markers[0]->point.x, chart.At(curve, PointAt(curve, 1)).x);
    EXPECT_EQ(markers[0]->point.y, plot.bottom - 5);

    // Symbols: the glyph number in the symbol font, in the curve's colour, inside the plot.
    size_t symbols = 0;
    for (const emf::Text& t : file.Texts()) {
        const emf::Font* font = file.FontInEffect(t.index);
        if (font == nullptr || font->face != "Zavirur") continue;
        ++symbols;
        EXPECT_EQ(t.text, "3");
        EXPECT_EQ(font->charSet, SYMBOL_CHARSET);
        uint32_t color = 0;
        ASSERT_TRUE(file.TextColorInEffect(t.index, &color));
        EXPECT_EQ(color, blue);
        EXPECT_GE(t.reference.x, plot.left);
        EXPECT_LE(t.reference.x, plot.right);
    }
    // Along the line at (first distance + spacing) + k x spacing.
    const double length = hypot(plot.right - plot.left, (plot.bottom - plot.top) / 2.0);
    const double first = curve->GetFirstSymbolDistance() + curve->GetSymbolSpacing();
    const size_t expected = (size_t)floor((length - first) / curve->GetSymbolSpacing()) + 1;
    EXPECT_NEAR((double)symbols, (double)expected, 1.0);

    // The name along the rising line, turned by its angle.
    const emf::Text* name = FindText(file, "Rising");
    ASSERT_NE(name, nullptr);
    const emf::Font* font = file.FontInEffect(name->index);
    ASSERT_NE(font, nullptr);
    const CCurvePoint* p1 = PointAt(curve, 1);
    const CCurvePoint* p2 = PointAt(curve, 2);
    const double theta =
        atan((double)(p2->m_nPixelY - p1->m_nPixelY) / (p2->m_nPixelX - p1->m_nPixelX));
    EXPECT_EQ(font->escapement, (int)(theta * 1800 / 3.14159265358979323846));
    EXPECT_EQ(CPoint(name->reference.x, name->reference.y), chart.At(curve, p1));
}

TEST(CurveDrawing, UnconnectedPointsWithoutSymbolsAreSinglePixels) {
    Chart chart;
    CCurveDiscrete* curve = chart.Add(new CCurveDiscrete);
    curve->SetColor(RGB(0, 128, 0));
    curve->SetConnectPoints(FALSE);
    curve->SetSymbolsShown(FALSE);
    chart.diagram.SetScrollShares(0, 100);
    // The last two lie beyond the plot's width: skipped.
    for (double x : {10.0, 30.0, 60.0, 130.0, 150.0}) curve->AddPoint(x, x / 2, FALSE);
    const emf::File file = DrawToMetafile(chart.diagram);
    std::vector<CPoint> pixels;
    for (const emf::Pixel& p : file.Pixels())
        if (p.color == RGB(0, 128, 0)) pixels.push_back(CPoint(p.point.x, p.point.y));
    ASSERT_EQ(pixels.size(), 3u) << "one per point inside the plot width";
    for (int i = 0; i < 3; ++i) EXPECT_EQ(pixels[i], chart.At(curve, PointAt(curve, i)));
    EXPECT_TRUE(LinesWithPen(file, RGB(0, 128, 0)).empty());
}

// Many symbols over a narrow plot leave less than a pixel between them: none are placed, and
// the drawing ends.
TEST(CurveDrawing, SymbolsCloserThanAPixelAreLeftOut) {
    Chart chart(160, 120);
    CCurveDiscrete* curve = chart.Add(new CCurveDiscrete);
    ASSERT_TRUE(curve->SetSymbol(1000, 4, 0));
    ASSERT_LT(curve->GetSymbolSpacing(), 1.0);
    for (int i = 0; i <= 10; ++i) curve->AddPoint(i * 10, (i % 3) * 30, FALSE);
    std::unique_ptr<emf::File> file;
    ASSERT_TRUE(
        FinishesWithin(10000, [&] { file.reset(new emf::File(DrawToMetafile(chart.diagram))); }));
    ASSERT_NE(file, nullptr);
    for (const emf::Text& t : file->Texts()) {
        const emf::Font* font = file->FontInEffect(t.index);
        EXPECT_TRUE(font == nullptr || font->face != "Zavirur") << "a symbol: " << t.text;
    }
}

}  // namespace
