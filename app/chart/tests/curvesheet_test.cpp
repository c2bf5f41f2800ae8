// The curve sheet and its pages against scripted analyzers: the sheet's buttons and its
// Apply, the option page's rules for storing a slot, the curve page's rules for drawing and
// sampling, the export into a metafile read back with the test kit's reader, the print's
// refusal path, and the dropping and finding again of the analyzers around a rebuild of the
// document's tree.
#include "curvekit.h"
#include "emf_reader.h"
#include "resource.h"
#include "vaskreport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "parvel.h"
#include "sindor6.h"

namespace {

using Analyzer = MeasScripted<CSindor6>;

const COLORREF kRed = RGB(0xC0, 0, 0);
const COLORREF kBlue = RGB(0, 0, 0xC0);

std::string ProfileText(const char* key) {
    return (LPCSTR)TestApp().GetProfileString("Curve", key);
}
int ProfileInt(const char* key, int missing = -12345) {
    return (int)TestApp().GetProfileInt("Curve", key, missing);
}
void PutSlot(int n, const char* network, const char* analyzer, int component,
             COLORREF color = kRed) {
    CString key;
    key.Format("Network%d", n);
    TestApp().WriteProfileString("Curve", key, network);
    key.Format("Instrument%d", n);
    TestApp().WriteProfileString("Curve", key, analyzer);
    key.Format("Component%d", n);
    TestApp().WriteProfileInt("Curve", key, component);
    key.Format("ColorCurve%d", n);
    CString text;
    text.Format("%ld", (long)color);
    TestApp().WriteProfileString("Curve", key, text);
}

// Two converter networks: "Line A" with two analyzers, "Line B" with one.
class CurveSheet : public ::testing::Test {
protected:
    CurveSheet()
        : lineA_("Line A"),
          lineB_("Line B"),
          first_("Sindor 6", lineA_.converter.GetAccess(), 1, 2, 0, 0),
          second_("Sindor 6b", lineA_.converter.GetAccess(), 2, 2, 0, 0),
          third_("Sindor 6c", lineB_.converter.GetAccess(), 3, 2, 0, 0) {
        lineA_.Add(&first_);
        lineA_.Add(&second_);
        lineB_.Add(&third_);
        nodes_.AddTail(&lineA_.converter);
        nodes_.AddTail(&lineB_.converter);
        kit_.SetOnline(true);
    }
    ~CurveSheet() override { kit_.Close(); }

    CCurvePropSheet* Open(UINT page = 1) {
        CCurvePropSheet* pSheet = kit_.Open(&nodes_, page);
        EXPECT_NE(pSheet, nullptr);
        return pSheet;
    }
    CCurveSettings& Settings() { return *kit_.sheet->GetSettings(); }
    CCurvePage& Page() { return *kit_.sheet->GetCurvePage(); }
    CCurveOptionPage& Options() { return *kit_.sheet->GetOptionPage(); }
    // The label of the analyzer's component as the curve page writes it.
    std::string Label(Analyzer& a, int c) {
        CString name = a.GetDisplayName();
        name.TrimRight();
        return std::string((LPCSTR)name) + ", " + (LPCSTR)a.GetComponentLabel(c);
    }

    CurveKit kit_;
    wkit::BoxRecorder boxes_;
    wkit::HelpRecorder help_;
    TestNetwork lineA_, lineB_;
    Analyzer first_, second_, third_;
    CObList nodes_;
};

// ---- the sheet -----------------------------------------------------------------------------

TEST_F(CurveSheet, AnEmptyProfileOpensOnTheOptionPageWithCloseApplyAndHelp) {
    CObList none;
    ASSERT_NE(kit_.Open(&none), nullptr);
    wkit::Window w = kit_.Window();
    EXPECT_EQ(w.PageCount(), 2);
    EXPECT_EQ(w.ActivePage(), 1) << "the main frame passes page 1";
    EXPECT_EQ(kit_.sheet->GetPage(0), kit_.sheet->GetCurvePage()) << "the curve page is first";
    EXPECT_EQ(w.Text(IDCANCEL), "&Close");
    EXPECT_TRUE(w.IsVisible(ID_APPLY_NOW));
    EXPECT_FALSE(w.IsEnabled(ID_APPLY_NOW));
    EXPECT_TRUE(w.IsVisible(IDHELP));
    EXPECT_TRUE(w.IsEnabled(IDHELP));
    EXPECT_EQ(w.Text(IDC_CURVE_TIME_SPAN), "00:30");
    EXPECT_EQ(w.Items(IDC_CURVE_LEGEND),
              (std::vector<std::string>{"<None>", "Left", "Right", "Below", "Above"}));
    EXPECT_EQ(w.Items(IDC_CURVE_SYMBOL).size(), 11u);
    EXPECT_EQ(w.Items(IDC_CURVE_LIST).size(), 6u);
    EXPECT_TRUE(boxes_.texts.empty());
    w.HelpOn(IDC_CURVE_LEGEND);
    EXPECT_TRUE(TestApp().Asked(0x50000 + IDC_CURVE_LEGEND, HELP_CONTEXTPOPUP));

    // The same pages in a plain sheet: the curve sheet is 32 pixels taller.
    CHelpPropertyPage curve(IDD_CURVE_PAGE), options(IDD_CURVE_OPTIONS);
    CHelpPropertySheet plain("Curve view", NULL, 1);
    plain.AddPage(&curve);
    plain.AddPage(&options);
    ASSERT_TRUE(plain.Create(NULL, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0));
    CRect mine, theirs;
    kit_.sheet->GetWindowRect(&mine);
    plain.GetWindowRect(&theirs);
    plain.DestroyWindow();
    EXPECT_EQ(mine.Height(), theirs.Height() + 32);
    EXPECT_EQ(mine.Width(), theirs.Width());
    EXPECT_EQ(mine.TopLeft(), theirs.TopLeft());
}

// The sheet's buttons lie side by side inside its window, and Help serves either page.
TEST_F(CurveSheet, TheButtonsLieInsideTheSheetAndHelpServesBothPages) {
    Open();
    wkit::Window w = kit_.Window();
    CRect client;
    kit_.sheet->GetClientRect(&client);
    std::vector<CRect> buttons;
    for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP}) {
        if (!w.IsVisible(id)) continue;
        CRect rect;
        ::GetWindowRect(w.Control(id), &rect);
        kit_.sheet->ScreenToClient(&rect);
        EXPECT_TRUE(client.PtInRect(rect.TopLeft()) && rect.right <= client.right &&
                    rect.bottom <= client.bottom)
            << "button " << id << " at " << rect.left << "-" << rect.right
            << ", the client ends at " << client.right;
        for (const CRect& other : buttons) {
            CRect overlap;
            EXPECT_FALSE(overlap.IntersectRect(&rect, &other)) << "button " << id;
        }
        buttons.push_back(rect);
    }
    EXPECT_GE(buttons.size(), 3u);
    for (int page : {0, 1}) {
        ASSERT_TRUE(w.SelectPage(page));
        EXPECT_TRUE(w.IsVisible(IDHELP) && w.IsEnabled(IDHELP)) << "page " << page;
    }
}

// Without an analyzer on any curve, the curve page says where to choose one; a curve with an
// analyzer takes the hint away.
TEST_F(CurveSheet, TheCurvePageTellsWhereToChooseAnAnalyzerWhileNoCurveHasOne) {
    Open(0);
    wkit::Window w = kit_.Window();
    EXPECT_TRUE(w.IsVisible(IDC_CURVE_NO_ANALYZER));
    EXPECT_EQ(w.Text(IDC_CURVE_NO_ANALYZER),
              "No curve has an analyzer: choose one on the page \"Settings\".");
    EXPECT_EQ(wkit::Unfit({wkit::WholeText(w.Control(IDC_CURVE_NO_ANALYZER))}), "");
    ASSERT_TRUE(w.SelectPage(1));
    w.Pick(IDC_CURVE_ANALYZER, "Sindor 6");
    ASSERT_TRUE(w.SelectPage(0));
    EXPECT_FALSE(w.IsVisible(IDC_CURVE_NO_ANALYZER));
    ASSERT_TRUE(w.SelectPage(1));
    w.Pick(IDC_CURVE_ANALYZER, "No instrument");
    ASSERT_TRUE(w.SelectPage(0));
    EXPECT_TRUE(w.IsVisible(IDC_CURVE_NO_ANALYZER));
}

TEST_F(CurveSheet, ApplyFollowsAChangeSavesTheSettingsAndCloseDestroysTheWindow) {
    Open();
    wkit::Window w = kit_.Window();
    w.SetText(IDC_CURVE_SCROLL_AREA, "50");
    EXPECT_TRUE(w.IsEnabled(ID_APPLY_NOW));
    w.PressApply();
    EXPECT_FALSE(w.IsEnabled(ID_APPLY_NOW));
    EXPECT_EQ(ProfileInt("Hop1"), 50);
    EXPECT_EQ(ProfileInt("Time"), 1800);
    EXPECT_EQ(ProfileText("Network1"), "Line A");
    EXPECT_EQ(ProfileText("Instrument1"), "") << "an empty profile's slot is off";
    w.Check(IDC_CURVE_GRID);
    EXPECT_TRUE(w.IsEnabled(ID_APPLY_NOW));
    w.PressCancel();
    EXPECT_FALSE(::IsWindow(kit_.sheet->GetSafeHwnd()));
    EXPECT_EQ(ProfileInt("Grid1"), 0) << "unsaved changes are lost";
    EXPECT_TRUE(kit_.nodeUsers.empty()) << "the closed sheet left the document's step";
}

TEST_F(CurveSheet, ApplyWithAnInvalidSpanTellsAndStillSavesTheSettingsAsTheyStand) {
    Open();
    wkit::Window w = kit_.Window();
    w.SetText(IDC_CURVE_TIME_SPAN, "00:00");
    w.SetText(IDC_CURVE_SCROLL_AREA, "40");
    w.PressApply();
    ASSERT_EQ(boxes_.texts, std::vector<std::string>{"Invalid time span"});
    EXPECT_EQ(ProfileInt("Time"), 1800);
    EXPECT_EQ(ProfileInt("Hop1"), 80) << "the refused slot's values were not taken";
    EXPECT_EQ(w.ActivePage(), 1);
}

// ---- the option page ---------------------------------------------------------------------

TEST_F(CurveSheet, TheTimeSpanAndTheScrollAreaAreCheckedAsTheSlotIsStored) {
    const struct {
        const char* span;
        const char* scroll;
        bool stored;
        DWORD seconds;
        const char* shown;
    } cases[] = {
        {"00:30", "80", true, 1800, "00:30"},    {"01:05", "80", true, 3900, "01:05"},
        {"00:59:59", "80", true, 3540, "00:59"}, {"48:00", "80", true, 172800, "48:00"},
        {"00:00", "80", false, 1800, "00:00"},   {"0:0:59", "80", false, 1800, "0:0:59"},
        {"half", "80", false, 1800, "half"},     {"00:30", "0", false, 1800, "00:30"},
        {"00:30", "101", false, 1800, "00:30"},  {"00:30", "100", true, 1800, "00:30"},
    };
    Open();
    wkit::Window w = kit_.Window();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.span) + " / " + c.scroll);
        Settings().m_dwTimeSpan = 1800;
        Settings().m_bRestart = FALSE;
        boxes_.texts.clear();
        w.SetText(IDC_CURVE_TIME_SPAN, c.span);
        w.SetText(IDC_CURVE_SCROLL_AREA, c.scroll);
        EXPECT_EQ(Options().StoreCurve() != 0, c.stored);
        EXPECT_EQ(Settings().m_dwTimeSpan, c.seconds);
        EXPECT_EQ(w.Text(IDC_CURVE_TIME_SPAN), c.shown);
        EXPECT_EQ(Settings().m_bRestart != 0, c.stored && c.seconds != 1800)
            << "a new span restarts the diagram";
        EXPECT_EQ(boxes_.texts.size(), c.stored ? 0u : 1u);
        if (!c.stored && std::string(c.scroll) == "80") {
            EXPECT_EQ(boxes_.texts[0], "Invalid time span");
        }
        w.SetText(IDC_CURVE_TIME_SPAN, "00:30");
        w.SetText(IDC_CURVE_SCROLL_AREA, "80");
    }
}

TEST_F(CurveSheet, AnotherCurveWithABadSpanOrLimitsStaysOnTheCurve) {
    Open();
    wkit::Window w = kit_.Window();
    w.PickIndex(IDC_CURVE_LIST, 1);
    ASSERT_EQ(Options().GetCurrentCurve(), 1);
    w.SetText(IDC_CURVE_TIME_SPAN, "00:00");
    w.PickIndex(IDC_CURVE_LIST, 4);
    EXPECT_EQ(w.SelectionIndex(IDC_CURVE_LIST), 1);
    EXPECT_EQ(Options().GetCurrentCurve(), 1);
    EXPECT_EQ(boxes_.texts, std::vector<std::string>{"Invalid time span"});

    // Limits: the upper one must lie above the lower one.
    boxes_.texts.clear();
    w.SetText(IDC_CURVE_TIME_SPAN, "00:30");
    w.SetText(IDC_CURVE_LOWER, "5");
    w.SetText(IDC_CURVE_UPPER, "5");
    w.PickIndex(IDC_CURVE_LIST, 4);
    EXPECT_EQ(Options().GetCurrentCurve(), 1);
    EXPECT_EQ(boxes_.texts,
              std::vector<std::string>{"The upper limit must be greater than the lower limit."});
    EXPECT_FALSE(w.SelectPage(0)) << "leaving the page is refused as well";
    w.SetText(IDC_CURVE_UPPER, "7.5");
    w.PickIndex(IDC_CURVE_LIST, 4);
    EXPECT_EQ(Options().GetCurrentCurve(), 4);
    EXPECT_EQ(Settings().m_fLowerLimit[1], 5.0f);
    EXPECT_EQ(Settings().m_fUpperLimit[1], 7.5f);
}

TEST_F(CurveSheet, ASlotTakesItsNetworkAnalyzerComponentAndLooks) {
    Open();
    wkit::Window w = kit_.Window();
    EXPECT_EQ(w.Items(IDC_CURVE_NETWORK), (std::vector<std::string>{"Line A", "Line B"}));
    w.PickIndex(IDC_CURVE_LIST, 2);
    w.Pick(IDC_CURVE_NETWORK, "Line B");
    EXPECT_EQ(w.Items(IDC_CURVE_ANALYZER),
              (std::vector<std::string>{"No instrument", "Sindor 6c"}));
    w.Pick(IDC_CURVE_ANALYZER, "Sindor 6c");
    ASSERT_EQ(w.Items(IDC_CURVE_COMPONENT).size(), 2u);
    w.PickIndex(IDC_CURVE_COMPONENT, 1);
    EXPECT_EQ(w.Text(IDC_CURVE_UPPER_UNIT), "ppm");
    EXPECT_EQ(w.Text(IDC_CURVE_LOWER_UNIT), "ppm");
    w.SetText(IDC_CURVE_LOWER, "-2");
    w.SetText(IDC_CURVE_UPPER, "20");
    w.Check(IDC_CURVE_GRID);
    w.PickIndex(IDC_CURVE_SYMBOL, 3);
    w.Check(IDC_CURVE_ZERO_LINE);
    EXPECT_TRUE(w.IsEnabled(IDC_CURVE_ZERO_POINT));
    w.SetText(IDC_CURVE_ZERO_POINT, "0.5");
    Options().m_colorButton.SetColor(kBlue);
    Settings().m_bRestart = FALSE;
    ASSERT_TRUE(Options().StoreCurve());
    const CCurveSettings& s = Settings();
    EXPECT_EQ(s.m_pInstrument[2], &third_);
    EXPECT_EQ(s.m_nComponent[2], 1);
    EXPECT_EQ(std::string(s.m_strNetwork[2]), "Line B");
    EXPECT_EQ(std::string(s.m_strInstrument[2]), "Sindor 6c");
    EXPECT_EQ(s.m_fLowerLimit[2], -2.0f);
    EXPECT_EQ(s.m_fUpperLimit[2], 20.0f);
    EXPECT_TRUE(s.m_bGrid[2]);
    EXPECT_EQ(s.m_nSymbol[2], 3);
    EXPECT_TRUE(s.m_bShowRefLine[2]);
    EXPECT_EQ(s.m_fRefValue[2], 0.5f);
    EXPECT_EQ(s.m_crColor[2], kBlue);
    EXPECT_TRUE(s.m_bRestart) << "a new analyzer restarts the diagram";

    // Back on the slot later: the controls show it again.
    w.PickIndex(IDC_CURVE_LIST, 0);
    w.PickIndex(IDC_CURVE_LIST, 2);
    EXPECT_EQ(w.Selection(IDC_CURVE_NETWORK), "Line B");
    EXPECT_EQ(w.Selection(IDC_CURVE_ANALYZER), "Sindor 6c");
    EXPECT_EQ(w.SelectionIndex(IDC_CURVE_COMPONENT), 1);
    EXPECT_EQ(w.Text(IDC_CURVE_UPPER), "20");
    EXPECT_EQ(w.CheckState(IDC_CURVE_ZERO_LINE), BST_CHECKED);
}

TEST_F(CurveSheet, NoInstrumentTurnsTheSlotOffAndIsStoredByName) {
    PutSlot(1, "Line A", "Sindor 6", 0);
    Open();
    ASSERT_EQ(Settings().m_pInstrument[0], &first_);
    wkit::Window w = kit_.Window();
    EXPECT_EQ(w.Selection(IDC_CURVE_ANALYZER), "Sindor 6");
    w.Pick(IDC_CURVE_ANALYZER, "No instrument");
    EXPECT_TRUE(w.Items(IDC_CURVE_COMPONENT).empty());
    EXPECT_EQ(w.Text(IDC_CURVE_UPPER_UNIT), "");
    w.PressApply();
    EXPECT_EQ(Settings().m_pInstrument[0], nullptr);
    EXPECT_EQ(ProfileText("Instrument1"), "No instrument");
}

TEST_F(CurveSheet, SlotsThatNameNothingOrABadComponentStayOffAndKeepTheirNames) {
    PutSlot(1, "Line A", "Renamed analyzer", 0);
    PutSlot(2, "Line C", "Sindor 6", 0);
    PutSlot(3, "Line A", "Sindor 6b", 7);
    PutSlot(4, "Line A", "Sindor 6b", 1);
    Open();
    const CCurveSettings& s = Settings();
    EXPECT_EQ(s.m_pInstrument[0], nullptr);
    EXPECT_EQ(s.m_pInstrument[1], nullptr);
    EXPECT_EQ(s.m_pInstrument[2], nullptr) << "component 8 has no measured value";
    EXPECT_EQ(s.m_pInstrument[3], &second_);
    wkit::Window w = kit_.Window();
    EXPECT_EQ(w.Selection(IDC_CURVE_ANALYZER), "No instrument");
    w.SetText(IDC_CURVE_SCROLL_AREA, "60");
    w.PressApply();
    EXPECT_EQ(ProfileText("Instrument1"), "Renamed analyzer");
    EXPECT_EQ(ProfileText("Network2"), "Line C");
}

TEST_F(CurveSheet, WithoutNetworksTheSlotIsStoredOffAndThePageCanBeLeft) {
    CObList none;
    ASSERT_NE(kit_.Open(&none), nullptr);
    wkit::Window w = kit_.Window();
    EXPECT_TRUE(w.Items(IDC_CURVE_NETWORK).empty());
    w.SetText(IDC_CURVE_TIME_SPAN, "02:00");
    EXPECT_TRUE(Options().StoreCurve());
    EXPECT_EQ(Settings().m_pInstrument[0], nullptr);
    EXPECT_EQ(Settings().m_dwTimeSpan, 7200u);
    EXPECT_TRUE(w.SelectPage(0));
    EXPECT_TRUE(boxes_.texts.empty());
}

// ---- the curve page ----------------------------------------------------------------------

class CurvePage : public CurveSheet {
protected:
    // Slots 1 and 2 on the first analyzer's components, 3 off, 4 on the second analyzer.
    void OpenOnTheCurvePage() {
        PutSlot(1, "Line A", "Sindor 6", 0, kRed);
        PutSlot(2, "Line A", "Sindor 6", 1, kBlue);
        PutSlot(4, "Line A", "Sindor 6b", 0, RGB(0, 0x80, 0));
        Open(0);
    }
};

TEST_F(CurvePage, ShownSlotsGetTheirAxesOnAlternatingSidesAndHiddenSlotsNone) {
    OpenOnTheCurvePage();
    ASSERT_NE(Page().GetDiagram(), nullptr);
    EXPECT_EQ(kit_.frame.timerTarget, &Page()) << "the active curve page takes the ticks";
    const struct {
        int slot;
        bool shown;
        int position;
    } cases[] = {{0, true, AXIS_LEFT}, {1, true, AXIS_RIGHT}, {2, false, -1},
                 {3, true, AXIS_LEFT}, {4, false, -1},        {5, false, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        EXPECT_EQ(Page().GetYAxis(c.slot)->IsVisible() != 0, c.shown);
        EXPECT_EQ(Page().GetValueCurve(c.slot)->IsShown() != 0, c.shown);
        EXPECT_FALSE(Page().GetReferenceCurve(c.slot)->IsShown()) << "no reference line asked";
        if (c.shown) { EXPECT_EQ(Page().GetYAxis(c.slot)->GetPosition(), c.position); }
    }
    CAxisLinear* y = Page().GetYAxis(1);
    EXPECT_EQ(std::string(y->GetTitle()), Label(first_, 1) + " [ppm]");
    EXPECT_EQ(y->GetColor(), kBlue);
    EXPECT_EQ(y->GetMinimum(), -1.0);
    EXPECT_EQ(y->GetMaximum(), 10.0);
    EXPECT_DOUBLE_EQ(y->GetStep(), 1.1);
    EXPECT_EQ(y->GetLabelInterval(), 2);
    EXPECT_EQ(std::string(Page().GetValueCurve(1)->GetName()), Label(first_, 1));
    EXPECT_EQ(std::string(Page().GetReferenceCurve(1)->GetName()), "Ref. " + Label(first_, 1));
    EXPECT_EQ(Page().GetReferenceCurve(1)->GetPenStyle(), PS_DOT);
    EXPECT_TRUE(Page().GetDiagram()->GetDropHiddenPoints()) << "scrolled-out points are dropped";
}

TEST_F(CurvePage, TheTimeAxisLabelsTimesBelowTwoDaysAndDatesFromThen) {
    OpenOnTheCurvePage();
    const struct {
        DWORD span;
        const char* format;
    } cases[] = {{60, "%H:%M"}, {172799, "%H:%M"}, {172800, "%d.%m.%Y, %H:%M"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.span);
        Settings().m_dwTimeSpan = c.span;
        Page().ApplyCurveSettings();
        EXPECT_EQ(std::string(Page().GetTimeAxis()->GetLabelFormat()), c.format);
    }
}

TEST_F(CurvePage, ARestartEmptiesTheCurvesAndStartsTheTimeAxisNow) {
    OpenOnTheCurvePage();
    kit_.Tick();
    kit_.Tick();
    ASSERT_EQ(Page().GetValueCurve(0)->GetPointCount(), 2);
    Settings().m_dwTimeSpan = 3600;
    Settings().m_bRestart = TRUE;
    kit_.Tick();
    EXPECT_EQ(Page().GetValueCurve(0)->GetPointCount(), 2) << "no samples while restarting";
    const double before = (double)CTime::GetCurrentTime().GetTime();
    Page().ApplyCurveSettings();
    const double after = (double)CTime::GetCurrentTime().GetTime();
    EXPECT_FALSE(Settings().m_bRestart);
    EXPECT_EQ(Page().GetValueCurve(0)->GetPointCount(), 0);
    CAxisTime* t = Page().GetTimeAxis();
    EXPECT_GE(t->GetMinimum(), before);
    EXPECT_LE(t->GetMinimum(), after);
    EXPECT_EQ(t->GetMaximum() - t->GetMinimum(), 3600.0);
    EXPECT_EQ(t->GetOrigin(), t->GetMinimum());
    EXPECT_EQ(t->GetStep(), 360.0);
    EXPECT_EQ(t->GetLabelInterval(), 2);
    EXPECT_EQ(std::string(t->GetEndText()),
              std::string(CTime((time_t)t->GetMinimum()).Format("%d.%m.%Y")));
}

TEST_F(CurvePage, EachTickAddsOnePointPerCurveAndReadsEachAnalyzerOnce) {
    OpenOnTheCurvePage();
    first_.Set(0, 1.25);
    first_.Set(1, 2.5);
    first_.reads = second_.reads = 0;
    for (int i = 0; i < 3; ++i) kit_.Tick();
    EXPECT_EQ(first_.reads, 3) << "two slots of one analyzer share its read";
    EXPECT_EQ(second_.reads, 3);
    EXPECT_EQ(Page().GetValueCurve(0)->GetPointCount(), 3);
    EXPECT_EQ(Page().GetValueCurve(1)->GetPointCount(), 3);
    EXPECT_EQ(Page().GetValueCurve(3)->GetPointCount(), 3);
    EXPECT_EQ(Page().GetValueCurve(2)->GetPointCount(), 0);
    CCurvePoint* last = (CCurvePoint*)Page().GetValueCurve(1)->GetPoints().GetTail();
    EXPECT_EQ(last->m_dY, 2.5);

    // A failed read adds nothing for that analyzer; the others go on.
    second_.answer = 0;
    kit_.Tick();
    EXPECT_EQ(Page().GetValueCurve(3)->GetPointCount(), 3);
    EXPECT_EQ(Page().GetValueCurve(0)->GetPointCount(), 4);
    EXPECT_TRUE(kit_.reports.empty()) << "a failed read at a tick is not reported";
}

TEST_F(CurvePage, TheLegendCarriesTheCurrentValuesAndTheReferenceLineSpansToNow) {
    PutSlot(1, "Line A", "Sindor 6", 0, kRed);
    TestApp().WriteProfileInt("Curve", "Show values in legend", 1);
    TestApp().WriteProfileInt("Curve", "Legend", 3);
    Open(1);
    wkit::Window w = kit_.Window();
    w.Check(IDC_CURVE_ZERO_LINE);
    w.SetText(IDC_CURVE_ZERO_POINT, "0.5");
    ASSERT_TRUE(w.SelectPage(0));
    first_.Set(0, 1.2345);
    kit_.Tick();
    EXPECT_EQ(Page().GetLegend()->GetPosition(), LEGEND_BOTTOM);
    EXPECT_TRUE(Page().GetDiagram()->GetLegendShown());
    EXPECT_EQ(std::string(Page().GetValueCurve(0)->GetLegendRowText()),
              Label(first_, 0) + ": 1.234 [ppm]");
    EXPECT_EQ(std::string(Page().GetReferenceCurve(0)->GetLegendRowText()),
              "Ref. " + Label(first_, 0) + ": 0.500 [ppm]");
    CCurveDiscrete* ref = Page().GetReferenceCurve(0);
    ASSERT_TRUE(ref->IsShown());
    ASSERT_EQ(ref->GetPointCount(), 2);
    EXPECT_EQ(((CCurvePoint*)ref->GetPoints().GetHead())->m_dX, Page().GetTimeAxis()->GetMinimum());
    EXPECT_EQ(((CCurvePoint*)ref->GetPoints().GetTail())->m_dX,
              ((CCurvePoint*)Page().GetValueCurve(0)->GetPoints().GetTail())->m_dX);
}

// ---- drawing for the report engine and into files ----------------------------------------------

std::vector<BYTE> Bits(HENHMETAFILE meta) {
    std::vector<BYTE> bytes(::GetEnhMetaFileBits(meta, 0, NULL));
    ::GetEnhMetaFileBits(meta, (UINT)bytes.size(), bytes.data());
    return bytes;
}

bool HasText(const emf::File& file, const std::string& text) {
    for (const emf::Text& t : file.Texts())
        if (t.text == text) return true;
    return false;
}

TEST_F(CurvePage, TheEnginesDrawingRequestDrawsIntoItsContextAndGivesTheLiveDiagramBack) {
    OpenOnTheCurvePage();
    CDiagram* d = Page().GetDiagram();
    const RECT before = d->GetOuterRect();
    CRect client;
    Page().GetDlgItem(IDC_CURVE_DIAGRAM)->GetClientRect(&client);
    EXPECT_TRUE(::EqualRect(&before, &client));
    d->SetFrame(TRUE);
    d->SetBackgroundColor(RGB(0xD0, 0xD0, 0xD0));
    Page().GetLegend()->SetBackgroundColor(RGB(0xE0, 0xE0, 0xE0));

    HDC dc = ::CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
    LLDRAWREQUEST request = {{100, 100, 900, 700}, dc, dc};
    EXPECT_EQ(
        Page().SendMessage(::RegisterWindowMessageA(LL_DRAWREQUEST_MESSAGE), 0, (LPARAM)&request),
        0);
    HENHMETAFILE meta = ::CloseEnhMetaFile(dc);
    const std::vector<BYTE> bytes = Bits(meta);
    ::DeleteEnhMetaFile(meta);
    const emf::File file = emf::File::Parse(bytes.data(), bytes.size());
    EXPECT_TRUE(HasText(file, Label(first_, 0) + " [ppm]"));
    EXPECT_TRUE(HasText(file, Label(second_, 0) + " [ppm]"));

    const RECT after = d->GetOuterRect();
    EXPECT_TRUE(::EqualRect(&after, &before)) << "the window's rectangle comes back";
    EXPECT_TRUE(d->GetFrame());
    EXPECT_FALSE(d->Get3D());
    EXPECT_EQ(d->GetBackgroundColor(), RGB(0xD0, 0xD0, 0xD0));
    EXPECT_EQ(Page().GetLegend()->GetBackgroundColor(), RGB(0xE0, 0xE0, 0xE0));
}

TEST_F(CurvePage, AnExportFileThatCannotBeCreatedIsToldAndChangesNothing) {
    OpenOnTheCurvePage();
    CDiagram* d = Page().GetDiagram();
    const COLORREF background = d->GetBackgroundColor();
    const BOOL frame = d->GetFrame();
    EXPECT_FALSE(Page().ExportTo("C:\\no such folder\\KorvanGA.emf"));
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_FALSE(boxes_.texts[0].empty());
    EXPECT_EQ(d->GetBackgroundColor(), background);
    EXPECT_EQ(d->GetFrame(), frame);
}

TEST_F(CurvePage, ExportThroughTheSaveDialogWritesTheDiagramForPaper) {
    TestApp().WriteProfileInt("Curve", "Show values in legend", 1);
    TestApp().WriteProfileInt("Curve", "Legend", 3);
    OpenOnTheCurvePage();
    Settings().m_bShowRefLine[0] = TRUE;
    Settings().m_fRefValue[0] = 0.5f;
    Page().ApplyCurveSettings();
    first_.Set(0, 1.2345);
    for (int i = 0; i < 3; ++i) kit_.Tick();
    CDiagram* d = Page().GetDiagram();
    const COLORREF background = d->GetBackgroundColor();
    ASSERT_TRUE(d->GetFrame());

    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "curve_export_test.emf";
    ::DeleteFileA(path.c_str());
    {
        wkit::Driver driver;
        driver.Exempt(kit_.sheet->GetSafeHwnd());
        driver.NameFile(path);
        kit_.Window().Click(IDC_CURVE_EXPORT);
    }
    const emf::File file = emf::File::Load(path);
    ::DeleteFileA(path.c_str());

    EXPECT_TRUE(HasText(file, Label(first_, 0) + " [ppm]"));
    EXPECT_TRUE(HasText(file, Label(first_, 0) + ": 1.234 [ppm]"));
    EXPECT_TRUE(HasText(file, "Ref. " + Label(first_, 0) + ": 0.500 [ppm]"));
    const std::string date =
        (LPCSTR)CTime((time_t)Page().GetTimeAxis()->GetMinimum()).Format("%d.%m.%Y");
    EXPECT_TRUE(HasText(file, date)) << "the end text";
    int clock = 0;
    for (const emf::Text& t : file.Texts())
        clock += std::regex_match(t.text, std::regex("[0-2][0-9]:[0-5][0-9]"));
    EXPECT_GE(clock, 2) << "hh:mm labels";
    bool red = false, dotted = false;
    for (const emf::Pen& pen : file.Pens()) {
        red = red || pen.color == kRed;
        dotted = dotted || (pen.color == kRed && (pen.style & PS_STYLE_MASK) == PS_DOT);
    }
    EXPECT_TRUE(red) << "the slot's colour";
    EXPECT_TRUE(dotted) << "the reference line's dotted pen";
    for (const emf::Brush& brush : file.Brushes())
        EXPECT_EQ(brush.color, RGB(0xFF, 0xFF, 0xFF)) << "white backgrounds only";

    // The frame: the page's client rectangle in 0.01 mm of the screen.
    CClientDC screen(&Page());
    CRect client;
    Page().GetClientRect(&client);
    const emf::Header& h = file.GetHeader();
    EXPECT_EQ(h.device.cx, screen.GetDeviceCaps(HORZRES));
    EXPECT_EQ(h.device.cy, screen.GetDeviceCaps(VERTRES));
    EXPECT_EQ(h.millimeters.cx, screen.GetDeviceCaps(HORZSIZE));
    EXPECT_EQ(h.millimeters.cy, screen.GetDeviceCaps(VERTSIZE));
    const double x = screen.GetDeviceCaps(HORZSIZE) * 100.0 / screen.GetDeviceCaps(HORZRES);
    EXPECT_NEAR(h.frame.right, client.right * x, 2.0);
    EXPECT_EQ(h.frame.left, 0);

    // The live diagram has its looks back.
    EXPECT_TRUE(d->GetFrame());
    EXPECT_EQ(d->GetBackgroundColor(), background);
}

TEST_F(CurvePage, ACancelledExportWritesNothing) {
    OpenOnTheCurvePage();
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    ::SetCurrentDirectoryA(temp);
    ::DeleteFileA((std::string(temp) + "KorvanGA.emf").c_str());
    {
        wkit::Driver driver;
        driver.Exempt(kit_.sheet->GetSafeHwnd());
        driver.CancelFile();
        kit_.Window().Click(IDC_CURVE_EXPORT);
    }
    EXPECT_EQ(::GetFileAttributesA((std::string(temp) + "KorvanGA.emf").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

TEST_F(CurvePage, APrintWithoutAJobDoesNothingVisible) {
    OpenOnTheCurvePage();
    CDiagram* d = Page().GetDiagram();
    const COLORREF background = d->GetBackgroundColor();
    kit_.Window().Click(IDC_CURVE_PRINT);
    EXPECT_EQ(kit_.calls, std::vector<std::string>{"StartReportJob(12502)"});
    EXPECT_EQ(kit_.startParent, &Page());
    EXPECT_EQ(d->GetBackgroundColor(), background);
    EXPECT_TRUE(boxes_.texts.empty());
}

// ---- nodes deleted by the document -------------------------------------------------------

TEST_F(CurvePage, NodesDroppedBeforeARebuildAreFoundAgainByNameWhenTheDocumentIsIdle) {
    OpenOnTheCurvePage();
    ASSERT_EQ(kit_.nodeUsers.size(), 1u);
    kit_.DocumentReleasesNodes();
    for (int i = 0; i < CCurveSettings::CURVES; ++i)
        EXPECT_EQ(Settings().m_pInstrument[i], nullptr);
    EXPECT_EQ(std::string(Settings().m_strInstrument[0]), "Sindor 6") << "the names stay";

    // The tree is rebuilt: new analyzer objects under the same names.
    Analyzer renewed("Sindor 6", lineA_.converter.GetAccess(), 1, 2, 0, 0);
    lineA_.converter.RemoveAllChildren();
    lineA_.Add(&renewed);
    kit_.busy = TRUE;
    kit_.Tick();
    EXPECT_TRUE(kit_.sheet->AreNodesReleased()) << "never while the document is busy";
    EXPECT_EQ(Settings().m_pInstrument[0], nullptr);
    kit_.busy = FALSE;
    kit_.Tick();
    EXPECT_FALSE(kit_.sheet->AreNodesReleased());
    EXPECT_EQ(Settings().m_pInstrument[0], &renewed);
    EXPECT_EQ(Settings().m_pInstrument[1], &renewed);
    EXPECT_EQ(Settings().m_pInstrument[3], nullptr) << "Sindor 6b is gone";
    EXPECT_EQ(Page().GetValueCurve(0)->GetPointCount(), 1) << "the found analyzer's sample";

    // The option page's lists hold the new nodes.
    wkit::Window w = kit_.Window();
    ASSERT_TRUE(w.SelectPage(1));
    EXPECT_EQ(w.Selection(IDC_CURVE_NETWORK), "Line A");
    EXPECT_EQ(w.Items(IDC_CURVE_ANALYZER), (std::vector<std::string>{"No instrument", "Sindor 6"}));
    EXPECT_EQ(w.Selection(IDC_CURVE_ANALYZER), "Sindor 6");
    lineA_.converter.RemoveAllChildren();
}

TEST_F(CurveSheet, ReleasedListsOnTheOptionPageAreRefilledWhenThePageIsActivated) {
    PutSlot(1, "Line A", "Sindor 6b", 1);
    Open(1);
    wkit::Window w = kit_.Window();
    kit_.DocumentReleasesNodes();
    EXPECT_TRUE(w.Items(IDC_CURVE_NETWORK).empty());
    EXPECT_TRUE(w.Items(IDC_CURVE_ANALYZER).empty());
    ASSERT_TRUE(w.SelectPage(0));
    ASSERT_TRUE(w.SelectPage(1));
    EXPECT_EQ(Settings().m_pInstrument[0], &second_);
    EXPECT_EQ(w.Selection(IDC_CURVE_ANALYZER), "Sindor 6b");
    EXPECT_EQ(w.SelectionIndex(IDC_CURVE_COMPONENT), 1);
}

}  // namespace
