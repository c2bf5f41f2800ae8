// The curve sheet against the analyzer simulator on COM1 with two analyzers, driven as the
// user does: two slots configured on the option page and applied, the main frame's ticks
// forwarded, a point per tick on each curve, and the export through the save dialog read back
// with the test kit's metafile reader.
#include "analyzer_bus_fixture.h"
#include "curvekit.h"
#include "emf_reader.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <regex>

#include "parvel.h"
#include "sindor6.h"

namespace {

const COLORREF kRed = RGB(0xC0, 0, 0);
const COLORREF kBlue = RGB(0, 0, 0xC0);

class CurvesOnTheBus : public AnalyzerBusFixture {
protected:
    static void SetUpTestSuite() {
        OpenLine(
            {"DEVICE 1 type=1 components=2", "DEVICE 2 type=2 components=1", "SET 1 meas 0 1.2345",
             "SET 1 meas 1 4.5", "SET 1 unit 0 2", "SET 1 gas 0 6", "SET 2 meas 0 20.9",
             "SET 2 unit 0 11", "SET 2 gas 0 12", "SET 1 remote 1", "SET 2 remote 1"},
            2);
    }
};

std::string Label(CVaskInstrument& a, int c) {
    CString name = a.GetDisplayName();
    name.TrimRight();
    return std::string((LPCSTR)name) + ", " + (LPCSTR)a.GetComponentLabel(c);
}

std::string Unit(CVaskInstrument& a, int c) {
    VaskFloat values[4];
    EXPECT_TRUE(a.GetMeas(values));
    CString unit;
    CVaskInstrument::GetUnitText(unit, values[c].unit);
    return (LPCSTR)unit;
}

bool HasText(const emf::File& file, const std::string& text) {
    for (const emf::Text& t : file.Texts())
        if (t.text == text) return true;
    return false;
}

double LastY(CCurve* curve) { return ((CCurvePoint*)curve->GetPoints().GetTail())->m_dY; }

TEST_F(CurvesOnTheBus, TwoSlotsSampleLiveAndExportWhatTheyShow) {
    CurveKit kit;
    kit.SetOnline(true);
    wkit::BoxRecorder boxes;
    CConverter line("VASK line");
    CSindor6 sindor("Sindor 6", s_access, 1, 2, 0, 0);
    CParvel6 parvel("Parvel 6", s_access, 2, 1, 0, 0);
    sindor.SetParent(&line);
    parvel.SetParent(&line);
    CObList nodes;
    nodes.AddTail(&line);

    ASSERT_NE(kit.Open(&nodes), nullptr);
    CCurveOptionPage& options = *kit.sheet->GetOptionPage();
    wkit::Window w = kit.Window();
    w.Pick(IDC_CURVE_NETWORK, "VASK line");
    w.Pick(IDC_CURVE_ANALYZER, "Sindor 6");
    w.PickIndex(IDC_CURVE_COMPONENT, 0);
    EXPECT_EQ(w.Text(IDC_CURVE_UPPER_UNIT), "ppm");
    w.SetText(IDC_CURVE_LOWER, "0");
    w.SetText(IDC_CURVE_UPPER, "5");
    w.Check(IDC_CURVE_ZERO_LINE);
    w.SetText(IDC_CURVE_ZERO_POINT, "0.5");
    options.m_colorButton.SetColor(kRed);
    w.Pick(IDC_CURVE_LEGEND, "Below");
    w.Check(IDC_CURVE_SHOW_VALUES);
    w.PickIndex(IDC_CURVE_LIST, 1);
    ASSERT_EQ(options.GetCurrentCurve(), 1);
    w.Pick(IDC_CURVE_NETWORK, "VASK line");
    w.Pick(IDC_CURVE_ANALYZER, "Parvel 6");
    w.PickIndex(IDC_CURVE_COMPONENT, 0);
    w.SetText(IDC_CURVE_LOWER, "0");
    w.SetText(IDC_CURVE_UPPER, "25");
    options.m_colorButton.SetColor(kBlue);
    w.PressApply();
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_FALSE(w.IsEnabled(ID_APPLY_NOW));
    EXPECT_EQ(std::string(TestApp().GetProfileString("Curve", "Instrument1")), "Sindor 6");
    EXPECT_EQ(std::string(TestApp().GetProfileString("Curve", "Instrument2")), "Parvel 6");

    ASSERT_TRUE(w.SelectPage(0));
    CCurvePage& page = *kit.sheet->GetCurvePage();
    for (int tick = 1; tick <= 3; ++tick) {
        kit.Tick();
        EXPECT_EQ(page.GetValueCurve(0)->GetPointCount(), tick);
        EXPECT_EQ(page.GetValueCurve(1)->GetPointCount(), tick);
    }
    EXPECT_EQ(page.GetValueCurve(2)->GetPointCount(), 0);
    EXPECT_NEAR(LastY(page.GetValueCurve(0)), 1.2345, 1e-3) << "the device sends three decimals";
    EXPECT_NEAR(LastY(page.GetValueCurve(1)), 20.9, 1e-3);
    EXPECT_EQ(page.GetYAxis(0)->GetPosition(), AXIS_LEFT);
    EXPECT_EQ(page.GetYAxis(1)->GetPosition(), AXIS_RIGHT);

    // The export, through the save dialog.
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "curve_bus_test.emf";
    ::DeleteFileA(path.c_str());
    {
        wkit::Driver driver;
        driver.Exempt(kit.sheet->GetSafeHwnd());
        driver.NameFile(path);
        w.Click(IDC_CURVE_EXPORT);
    }
    const emf::File file = emf::File::Load(path);
    ::DeleteFileA(path.c_str());

    const std::string sindorUnit = Unit(sindor, 0), parvelUnit = Unit(parvel, 0);
    const std::string sindorLabel = Label(sindor, 0), parvelLabel = Label(parvel, 0);
    EXPECT_EQ(sindorLabel,
              "VASK line: Sindor 6, C1: " + std::string((LPCSTR)CVaskInstrument::GetGasText(6)));
    EXPECT_TRUE(HasText(file, sindorLabel + " [" + sindorUnit + "]"));
    EXPECT_TRUE(HasText(file, parvelLabel + " [" + parvelUnit + "]"));
    CString row;
    row.Format("%s: %.3f [%s]", sindorLabel.c_str(), LastY(page.GetValueCurve(0)),
               sindorUnit.c_str());
    EXPECT_TRUE(HasText(file, (LPCSTR)row)) << (LPCSTR)row;
    row.Format("%s: %.3f [%s]", parvelLabel.c_str(), LastY(page.GetValueCurve(1)),
               parvelUnit.c_str());
    EXPECT_TRUE(HasText(file, (LPCSTR)row)) << (LPCSTR)row;
    EXPECT_TRUE(HasText(file, "Ref. " + sindorLabel + ": 0.500 [" + sindorUnit + "]"));
    EXPECT_TRUE(
        HasText(file, (LPCSTR)CTime((time_t)page.GetTimeAxis()->GetMinimum()).Format("%d.%m.%Y")));
    int clock = 0;
    for (const emf::Text& t : file.Texts())
        clock += std::regex_match(t.text, std::regex("[0-2][0-9]:[0-5][0-9]"));
    EXPECT_GE(clock, 2);
    bool red = false, blue = false, dotted = false;
    for (const emf::Pen& pen : file.Pens()) {
        red = red || pen.color == kRed;
        blue = blue || pen.color == kBlue;
        dotted = dotted || (pen.color == kRed && (pen.style & PS_STYLE_MASK) == PS_DOT);
    }
    EXPECT_TRUE(red && blue) << "the slots' colours";
    EXPECT_TRUE(dotted) << "the shown reference line";
    for (const emf::Brush& brush : file.Brushes())
        EXPECT_EQ(brush.color, RGB(0xFF, 0xFF, 0xFF)) << "white backgrounds, no frame";
    CClientDC screen(&page);
    EXPECT_EQ(file.GetHeader().millimeters.cx, screen.GetDeviceCaps(HORZSIZE));
    EXPECT_EQ(file.GetHeader().device.cy, screen.GetDeviceCaps(VERTRES));

    CDiagram* d = page.GetDiagram();
    EXPECT_TRUE(d->GetFrame()) << "the live diagram has its frame back";
    EXPECT_NE(d->GetBackgroundColor(), RGB(0xFF, 0xFF, 0xFF));
    EXPECT_TRUE(boxes.texts.empty());

    // An analyzer whose device the scan did not find: its reads fail, its curve gains
    // nothing, and nobody is told at every tick or page activation.
    CVaskInstrument ghost("Ghost", 0, s_access, 3, 1, 4, 4, 0);
    ghost.SetParent(&line);
    kit.reports.clear();
    CCurveSettings& settings = *kit.sheet->GetSettings();
    settings.m_pInstrument[2] = &ghost;
    settings.m_nComponent[2] = 0;
    page.ApplyCurveSettings();
    kit.Tick();
    EXPECT_TRUE(page.GetValueCurve(2)->IsShown());
    EXPECT_EQ(page.GetValueCurve(2)->GetPointCount(), 0);
    EXPECT_EQ(page.GetValueCurve(0)->GetPointCount(), 4);
    EXPECT_TRUE(kit.reports.empty());
    EXPECT_TRUE(boxes.texts.empty());
    kit.Close();
}

}  // namespace
