// The axes: the arithmetic of the four kinds (pixels, ranges, shifts, tick settings), their
// label texts and the room they ask for.
#include "chart_fixture.h"
#include "chart_test_ids.h"

#include <math.h>

#include <functional>

using namespace charttest;

namespace {

// An axis of the given kind and position on a rectangle of the given length.
template <class Axis>
std::unique_ptr<Axis> AxisOfLength(int position, int length) {
    std::unique_ptr<Axis> axis(new Axis);
    axis->SetPosition(position);
    if (position == AXIS_LEFT || position == AXIS_RIGHT)
        axis->SetRect(0, 0, 10, length);
    else
        axis->SetRect(0, 0, length, 10);
    return axis;
}

TEST(AxisPixels, ValueToPixelAndBackOfTheFourKinds) {
    struct Case {
        const char* what;
        std::function<CAxis*()> make;
        double value;
        int pixel;
    };
    auto linear = [](int position, int length, double minimum, double maximum) {
        return [=]() -> CAxis* {
            CAxis* a = AxisOfLength<CAxisLinear>(position, length).release();
            a->SetRange(minimum, maximum);
            return a;
        };
    };
    auto log = [](double minimum, double maximum) {
        return [=]() -> CAxis* {
            CAxis* a = AxisOfLength<CAxisLog>(AXIS_LEFT, 300).release();
            a->SetRange(minimum, maximum);
            return a;
        };
    };
    auto time = [](double minimum, double maximum) {
        return [=]() -> CAxis* {
            CAxis* a = AxisOfLength<CAxisTime>(AXIS_BOTTOM, 600).release();
            a->SetRange(minimum, maximum);
            return a;
        };
    };
    auto digital = []() -> CAxis* { return AxisOfLength<CAxisDigital>(AXIS_LEFT, 200).release(); };
    const Case cases[] = {
        {"linear, start", linear(AXIS_BOTTOM, 200, 0, 100), 0.0, 0},
        {"linear, middle", linear(AXIS_BOTTOM, 200, 0, 100), 50.0, 100},
        {"linear, end", linear(AXIS_BOTTOM, 200, 0, 100), 100.0, 200},
        {"linear, beyond the end", linear(AXIS_BOTTOM, 200, 0, 100), 150.0, 300},
        {"linear, half a pixel rounds up", linear(AXIS_BOTTOM, 200, 0, 100), 0.25, 1},
        {"linear, one and a half pixels", linear(AXIS_BOTTOM, 200, 0, 100), 0.75, 2},
        {"linear, minus half a pixel rounds up to 0", linear(AXIS_BOTTOM, 200, 0, 100), -0.25, 0},
        {"linear, minus one and a half pixels", linear(AXIS_BOTTOM, 200, 0, 100), -0.75, -1},
        {"linear, vertical from the bottom", linear(AXIS_LEFT, 100, -1, 9), 4.0, 50},
        {"log, minimum", log(1, 1000), 1.0, 0},
        {"log, one decade", log(1, 1000), 10.0, 100},
        {"log, two decades", log(1, 1000), 100.0, 200},
        {"log, between", log(1, 1000), sqrt(10.0), 50},
        {"log, zero", log(1, 1000), 0.0, 0},
        {"log, negative", log(1, 1000), -5.0, 0},
        // Measured from the minimum, whatever it is.
        {"log from 0.1, its minimum", log(0.1, 100), 0.1, 0},
        {"log from 0.1, one decade up", log(0.1, 100), 1.0, 100},
        {"log from 10, two decades up", log(10, 10000), 1000.0, 200},
        {"time, middle", time(1000, 1600), 1300.0, 300},
        {"time, before the start", time(1000, 1600), 900.0, -100},
        {"digital, percent of the length", digital, 50.0, 100},
        {"digital, high level", digital, 90.0, 180},
        {"digital, a quarter percent rounds up", digital, 0.25, 1},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CAxis> axis(c.make());
        EXPECT_EQ(axis->ValueToPixel(c.value), c.pixel) << c.what;
    }

    // Back from pixels, measured the same way (from the left or the bottom).
    std::unique_ptr<CAxis> l(linear(AXIS_LEFT, 100, -1, 9)());
    EXPECT_DOUBLE_EQ(l->PixelToValue(50), 4.0);
    EXPECT_DOUBLE_EQ(l->PixelToValue(0), -1.0);
    std::unique_ptr<CAxis> g(log(1, 1000)());
    EXPECT_DOUBLE_EQ(g->PixelToValue(100), 10.0);
    EXPECT_DOUBLE_EQ(g->PixelToValue(0), 1.0);
    EXPECT_EQ(g->PixelToValue(-1), 0.0) << "a negative pixel is 0.0";
    std::unique_ptr<CAxis> g10(log(10, 10000)());
    EXPECT_DOUBLE_EQ(g10->PixelToValue(0), 10.0);
    EXPECT_DOUBLE_EQ(g10->PixelToValue(200), 1000.0);
    std::unique_ptr<CAxis> t(time(1000, 1600)());
    EXPECT_DOUBLE_EQ(t->PixelToValue(300), 1300.0);
    std::unique_ptr<CAxis> d(digital());
    EXPECT_DOUBLE_EQ(d->PixelToValue(100), 0.5) << "as a linear axis over 0 to 1";
}

TEST(AxisRange, CheckRangeVerdictsOfEachKind) {
    struct Case {
        const char* what;
        std::function<CAxis*()> make;
        double minimum, maximum;
        bool accepted;
        double newMinimum, newMaximum;  // what the axis holds afterwards
    };
    auto make = [](CRuntimeClass* cls) {
        return [cls]() { return static_cast<CAxis*>(cls->CreateObject()); };
    };
    const auto linear = make(RUNTIME_CLASS(CAxisLinear));
    const auto log = make(RUNTIME_CLASS(CAxisLog));
    const auto time = make(RUNTIME_CLASS(CAxisTime));
    const auto digital = make(RUNTIME_CLASS(CAxisDigital));
    const Case cases[] = {
        {"linear, ordered", linear, -5, 5, true, -5, 5},
        {"linear, equal ends", linear, 5, 5, false, 0, 100},
        {"linear, turned over", linear, 5, -5, false, 0, 100},
        {"linear, no number", linear, NAN, 5, false, 0, 100},
        {"log, ordered", log, 0.1, 1000, true, 0.1, 1000},
        {"log, minimum 0 becomes 0.01", log, 0, 50, true, 0.01, 50},
        {"log, negative minimum becomes 0.01", log, -3, 50, true, 0.01, 50},
        {"log, both negative: 0.01 to 100", log, -3, -1, true, 0.01, 100},
        {"log, turned over", log, 50, -1, false, 0.01, 100},
        {"log, equal ends", log, 5, 5, false, 0.01, 100},
        {"log, maximum below the corrected minimum", log, -1, 0.001, false, 0.01, 100},
        {"time, ordered", time, 1000, 2800, true, 1000, 2800},
        {"time, equal ends", time, 1000, 1000, false, 0, 100},
        {"digital, any range", digital, 0, 1, false, 0, 1},
        {"digital, another range", digital, 0, 100, false, 0, 1},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CAxis> axis(c.make());
        EXPECT_EQ(axis->SetRange(c.minimum, c.maximum) != FALSE, c.accepted) << c.what;
        EXPECT_DOUBLE_EQ(axis->GetMinimum(), c.newMinimum) << c.what;
        EXPECT_DOUBLE_EQ(axis->GetMaximum(), c.newMaximum) << c.what;
    }
}

TEST(AxisRange, Shifts) {
    CAxisTime time;
    ASSERT_TRUE(time.SetRange(10, 100));
    EXPECT_FALSE(time.Shift(-20)) << "below 0";
    EXPECT_EQ(time.GetMinimum(), 0.0);
    EXPECT_EQ(time.GetMaximum(), 100.0) << "the maximum stays";
    EXPECT_TRUE(time.Shift(30));
    EXPECT_EQ(time.GetMinimum(), 30.0);
    EXPECT_EQ(time.GetMaximum(), 130.0);

    CAxisLinear linear;
    EXPECT_TRUE(linear.Shift(-250));
    EXPECT_EQ(linear.GetMinimum(), -250.0);
    EXPECT_EQ(linear.GetMaximum(), -150.0);

    // A logarithmic end moves by the unit of its decade, downward one decade finer.
    CAxisLog log;
    ASSERT_TRUE(log.SetRange(1, 100));
    EXPECT_TRUE(log.Shift(1));
    EXPECT_DOUBLE_EQ(log.GetMinimum(), 2.0);
    EXPECT_DOUBLE_EQ(log.GetMaximum(), 200.0);
    EXPECT_TRUE(log.Shift(-1));
    EXPECT_DOUBLE_EQ(log.GetMinimum(), 1.9);
    EXPECT_DOUBLE_EQ(log.GetMaximum(), 190.0);
    // A shift that would take the minimum to 0 or below has no logarithmic scale.
    ASSERT_TRUE(log.SetRange(1, 100));
    EXPECT_FALSE(log.Shift(-10));
    EXPECT_DOUBLE_EQ(log.GetMinimum(), 1.0);
    EXPECT_DOUBLE_EQ(log.GetMaximum(), 100.0);

    CAxisDigital digital;
    EXPECT_FALSE(digital.Shift(1));
}

TEST(AxisTicks, SettingsThatWouldStallOrDivideByZeroAreRefused) {
    CAxisLinear linear;
    CAxisTime time;
    struct Case {
        double origin, step;
        int interval;
        bool accepted;
    };
    const Case cases[] = {
        {0, 1, 10, true},    {5, 2.5, 2, true},        {0, 0, 10, false},
        {0, -1, 10, false},  {0, 1, 0, false},         {0, 1, -2, false},
        {0, NAN, 10, false}, {0, INFINITY, 10, false}, {NAN, 1, 10, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(linear.SetTicks(c.origin, c.step, c.interval) != FALSE, c.accepted)
            << "linear " << c.origin << " " << c.step << " " << c.interval;
        EXPECT_EQ(time.SetTicks(c.origin, c.step, c.interval) != FALSE, c.accepted)
            << "time " << c.origin << " " << c.step << " " << c.interval;
    }
    EXPECT_EQ(linear.GetStep(), 2.5) << "a refused setting changes nothing";
    EXPECT_EQ(linear.GetOrigin(), 5.0);
    EXPECT_EQ(linear.GetLabelInterval(), 2);

    CAxisLog log;
    EXPECT_FALSE(log.SetSubdivisions(10, 2)) << "although 10 is the default";
    EXPECT_EQ(log.GetSubdivisions(), 10);
    EXPECT_FALSE(log.SetSubdivisions(-1, 2));
    EXPECT_FALSE(log.SetSubdivisions(0, 2));
    EXPECT_FALSE(log.SetSubdivisions(5, 0));
    EXPECT_TRUE(log.SetSubdivisions(9, 3));
    EXPECT_EQ(log.GetSubdivisions(), 9);
    EXPECT_EQ(log.GetLabelInterval(), 3);

    EXPECT_FALSE(log.SetGridInterval(2)) << "a logarithmic axis has no grid interval";
    EXPECT_FALSE(linear.SetGridInterval(0));
    EXPECT_TRUE(linear.SetGridInterval(3));
    EXPECT_EQ(linear.GetGridInterval(), 3);

    EXPECT_FALSE(linear.SetLabelOrientation(2));
    EXPECT_TRUE(linear.SetLabelOrientation(0));
    EXPECT_EQ(linear.GetLabelOrientation(), 0);
}

TEST(AxisLabels, FormatsOfTheKinds) {
    CAxisLinear linear;
    EXPECT_EQ(Str(linear.GetLabelFormat()), "%%.%ig");
    // The format is made from the precision first: "%%.%ig" with 2 gives "%.2g".
    EXPECT_EQ(Str(linear.FormatLabel(1234.5)), Format("%.2g", 1234.5));
    EXPECT_EQ(Str(linear.FormatLabel(0.5)), "0.5");
    linear.SetPrecision(4);
    EXPECT_EQ(Str(linear.FormatLabel(1234.4)), "1234");

    EXPECT_TRUE(linear.LoadLabelFormat(IDS_TEST_VALUE_FORMAT));
    EXPECT_EQ(Str(linear.GetLabelFormat()), "%%.2f");
    EXPECT_EQ(Str(linear.FormatLabel(3.14159)), "3.14");
    EXPECT_FALSE(linear.LoadLabelFormat(IDS_TEST_MISSING));
    EXPECT_EQ(Str(linear.GetLabelFormat()), "%%.2f") << "a missing string keeps the format";

    // Times in the test's pinned time zone.
    CAxisTime time;
    const CTime at(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(Str(time.FormatLabel((double)at.GetTime())), "07:09") << "minutes and seconds";
    EXPECT_EQ(Str(time.FormatLabel(at.GetTime() + 0.9)), "07:09") << "truncated to seconds";
    EXPECT_TRUE(time.LoadLabelFormat(IDS_TEST_TIME_FORMAT));
    EXPECT_EQ(Str(time.FormatLabel((double)at.GetTime())), "14:07");
    time.SetLabelFormat("%d.%m.%Y, %H:%M");
    EXPECT_EQ(Str(time.FormatLabel((double)at.GetTime())), "05.03.2024, 14:07");
    EXPECT_EQ(Str(time.FormatLabel(NAN)), "") << "no time to show";

    CAxisDigital digital;
    CCurveDigital registered, other;
    ASSERT_TRUE(digital.AddCurve(&registered));
    EXPECT_EQ(Str(digital.FormatLabel(1.0, &registered)), "ON") << "the threshold is high";
    EXPECT_EQ(Str(digital.FormatLabel(0.99, &registered)), "OFF");
    EXPECT_EQ(Str(digital.FormatLabel(1.0, &other)), "") << "not registered";
    EXPECT_EQ(Str(digital.FormatLabel(1.0, NULL)), "");
    EXPECT_TRUE(digital.RemoveCurve(&registered));
    EXPECT_FALSE(digital.RemoveCurve(&registered));
    EXPECT_FALSE(digital.RemoveCurve(NULL));
    EXPECT_EQ(Str(digital.FormatLabel(1.0, &registered)), "");
}

TEST(AxisClasses, ConcreteKindsAreCreatedByClassAndCopied) {
    CRuntimeClass* kinds[] = {RUNTIME_CLASS(CAxisLinear), RUNTIME_CLASS(CAxisLog),
                              RUNTIME_CLASS(CAxisTime), RUNTIME_CLASS(CAxisDigital)};
    for (CRuntimeClass* kind : kinds) {
        std::unique_ptr<CObject> object(kind->CreateObject());
        ASSERT_NE(object, nullptr) << kind->m_lpszClassName;
        EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CAxis)));
    }
    EXPECT_EQ(RUNTIME_CLASS(CAxis)->CreateObject(), nullptr) << "abstract";

    TestWindow window(200, 100);
    CDiagram diagram(window.Wnd());
    CAxisLinear* axis = new CAxisLinear;
    diagram.AddAxis(axis);
    axis->SetRange(-3, 7);
    axis->SetTicks(1, 0.5, 4);
    axis->SetTitle("O2");
    axis->SetColor(RGB(1, 2, 3));
    std::unique_ptr<CAxis> copy(axis->Clone());
    ASSERT_TRUE(copy->IsKindOf(RUNTIME_CLASS(CAxisLinear)));
    EXPECT_EQ(copy->GetDiagram(), nullptr) << "the copy belongs to no diagram";
    EXPECT_EQ(copy->GetMinimum(), -3.0);
    EXPECT_EQ(Str(copy->GetTitle()), "O2");
    EXPECT_EQ(copy->GetTextColor(), RGB(1, 2, 3));
    EXPECT_EQ(static_cast<CAxisLinear*>(copy.get())->GetStep(), 0.5);

    CAxisDigital digital;
    CCurveDigital curve;
    digital.AddCurve(&curve);
    digital.SetTitle("Valve");
    std::unique_ptr<CAxis> digitalCopy(digital.Clone());
    EXPECT_EQ(Str(digitalCopy->GetTitle()), "Valve");
    EXPECT_EQ(static_cast<CAxisDigital*>(digitalCopy.get())->GetCurveCount(), 0)
        << "a copy starts without curves";
}

// The room an axis asks for, by kind, from the label font's metrics in the diagram's DC.
TEST(AxisSize, RequiredSizeByKind) {
    CAxisLinear lonely;
    CSize size(5, 5);
    EXPECT_FALSE(lonely.GetRequiredSize(size)) << "no device context to measure in";
    EXPECT_EQ(size.cx, -1);
    EXPECT_EQ(size.cy, -1);

    TestWindow window(400, 300);
    CDiagram diagram(window.Wnd());
    CDC* dc = diagram.GetDC();
    ASSERT_NE(dc, nullptr);
    struct Metrics {
        int H, W, longTick, gap, pw, title;
    };
    auto metricsOf = [dc](CAxis* axis) {
        TEXTMETRIC tm;
        EXPECT_TRUE(axis->GetLabelMetrics(&tm));
        return Metrics{(int)tm.tmHeight,      (int)tm.tmAveCharWidth,
                       axis->GetLongTick(dc), axis->GetLabelGap(dc),
                       axis->GetPenWidth(),   axis->GetTitle().IsEmpty() ? 0 : (int)tm.tmHeight};
    };

    // Linear, vertical: the minimum's label is the longer one and decides.
    CAxisLinear* linear = new CAxisLinear;
    diagram.AddAxis(linear);
    linear->SetPosition(AXIS_LEFT);
    linear->SetRange(-12345, 5);
    const int n = linear->FormatLabel(-12345).GetLength();
    ASSERT_GT(n, linear->FormatLabel(5).GetLength());
    Metrics m = metricsOf(linear);
    ASSERT_TRUE(linear->GetRequiredSize(size));
    EXPECT_EQ(size.cy, -1);
    EXPECT_EQ(size.cx, m.longTick + 4 * m.gap + (m.W + 1) * (n + 1) + m.pw + m.title);

    // Linear, horizontal: turned labels need their length, upright ones their height.
    linear->SetPosition(AXIS_BOTTOM);
    m = metricsOf(linear);
    ASSERT_TRUE(linear->GetRequiredSize(size));
    EXPECT_EQ(size.cx, -1);
    EXPECT_EQ(size.cy, m.longTick + 4 * m.gap + (m.W + 1) * n + m.pw + m.title);
    linear->SetLabelOrientation(0);
    m = metricsOf(linear);
    ASSERT_TRUE(linear->GetRequiredSize(size));
    EXPECT_EQ(size.cy, m.longTick + (5 * m.H) / 2 + m.pw);

    // Logarithmic, vertical, without a title.
    CAxisLog* log = new CAxisLog;
    diagram.AddAxis(log);
    log->SetPosition(AXIS_RIGHT);
    log->SetTitle("");
    const int nLog = log->FormatLabel(100).GetLength();
    m = metricsOf(log);
    ASSERT_TRUE(log->GetRequiredSize(size));
    EXPECT_EQ(size.cx, (m.gap + nLog) * (m.W + 1) + m.longTick + m.pw);

    // Time, horizontal, upright labels.
    CAxisTime* time = new CAxisTime;
    diagram.AddAxis(time);
    time->SetLabelOrientation(0);
    const int nTime = time->FormatLabel(0).GetLength();
    m = metricsOf(time);
    ASSERT_TRUE(time->GetRequiredSize(size));
    EXPECT_EQ(size.cy, m.gap * (m.W + 1) + m.longTick + m.pw + m.H + m.title);
    EXPECT_EQ(nTime, 5);

    // Digital: the longest level text of its curves; no room at all when horizontal.
    CAxisDigital* digital = new CAxisDigital;
    diagram.AddAxis(digital);
    digital->SetPosition(AXIS_LEFT);
    CCurveDigital curve;
    curve.SetLevels(80, 20, "Open", "Closed");
    digital->AddCurve(&curve);
    m = metricsOf(digital);
    ASSERT_TRUE(digital->GetRequiredSize(size));
    EXPECT_EQ(size.cx, (m.gap + 6) * (m.W + 1) + m.longTick + m.pw + m.title);
    digital->SetPosition(AXIS_TOP);
    ASSERT_TRUE(digital->GetRequiredSize(size));
    EXPECT_EQ(size.cx, -1);
    EXPECT_EQ(size.cy, -1);
    digital->RemoveCurve(&curve);
    CGdiObject::DeleteTempMap();
}

}  // namespace
