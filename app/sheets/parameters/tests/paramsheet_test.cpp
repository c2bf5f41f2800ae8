// The parameter sheet and its pages on real analyzers of every model (offline, through the
// parameter table) and on scripted analyzers (online, the device operations in order).
#include "parameterpropertysheet.h"
#include "paramsheet_kit.h"
#include "resource.h"
#include "window_kit.h"

#include "appwait.h"

#include "gridtest_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

class ParamSheet : public ::testing::Test {
protected:
    ParamSheet() { kit.SetAccessLevel(2); }

    // Runs the sheet of the analyzer with the script on its first page; the sheet's result.
    int Run(CVaskInstrument& a,
            const std::function<void(wkit::Window&, CParameterPropertySheet&)>& script) {
        CParameterPropertySheet sheet(&a);
        driver.OnOpen(wkit::Class(RUNTIME_CLASS(CParameterPropertySheet)),
                      [&](wkit::Window& w) { script(w, sheet); });
        return sheet.DoModal();
    }
    // A typed cell of the range grid, as the grid reports the user's edit.
    static void TypeCell(CRangeGrid& grid, int col, int row, const char* text) {
        grid.SetCellText(col, row, text);
        grid.OnCellChanged(col, row);
    }

    SheetKit kit;
    wkit::BoxRecorder boxes;
    wkit::HelpRecorder help;
    wkit::Driver driver;
};

// ---- the sheet --------------------------------------------------------------------------------

TEST_F(ParamSheet, OkRefreshesTheViewsAlsoWhenNothingChangedAndHelpFollowsTheRule) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Sindor 6", 1);
    EXPECT_EQ(
        Run(*a,
            [&](wkit::Window& w, CParameterPropertySheet&) {
                EXPECT_EQ(w.Caption(), "Parameter");
                EXPECT_TRUE(::GetWindowLongA(w.Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
                w.HelpOn(kSheetTabControlId);
                EXPECT_TRUE(TestApp().helpCalls.empty()) << "the tab strip has no help";
                w.HelpOn(IDC_PRANGE_COMPONENT);
                EXPECT_TRUE(TestApp().Asked(0x50000 + IDC_PRANGE_COMPONENT, HELP_CONTEXTPOPUP));
                w.PressOK();
            }),
        IDOK);
    EXPECT_THAT(kit.frame.hints, ElementsAre(kSheetUpdateHint));
}

// The grids on a window's pages: every child window that is a grid.
std::vector<CGridWnd*> GridsOf(HWND hWnd) {
    std::vector<CGridWnd*> grids;
    ::EnumChildWindows(
        hWnd,
        [](HWND h, LPARAM p) -> BOOL {
            if (CGridWnd* pGrid = dynamic_cast<CGridWnd*>(CWnd::FromHandlePermanent(h)))
                if (::IsWindowVisible(h)) reinterpret_cast<std::vector<CGridWnd*>*>(p)->push_back(pGrid);
            return TRUE;
        },
        (LPARAM)&grids);
    return grids;
}

// The height of a window's font, in pixels (its character cell).
int FontHeight(HFONT hFont) {
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    TEXTMETRICA tm;
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    return tm.tmHeight;
}

// The font's record: its height in logical units and its face.
LOGFONTA LogFont(HFONT hFont) {
    LOGFONTA lf = {};
    ::GetObjectA(hFont, sizeof lf, &lf);
    return lf;
}

// Page by page, every text and every grid cell shows whole, the grids write in the page's
// font, and no grid whose columns fit shows a horizontal scroll bar (the gas correction's
// twelve columns are wider than its window).
TEST_F(ParamSheet, EveryTextAndGridCellOfEveryPageShowsWhole) {
    for (const char* model : {"Sindor 6", "Sindor 23", "Quenta 6"}) {
        SCOPED_TRACE(model);
        std::unique_ptr<CVaskInstrument> a = MakeOffline(model, 2);
        Run(*a, [&](wkit::Window& w, CParameterPropertySheet&) {
            for (int page = 0; page < w.PageCount(); ++page) {
                ASSERT_TRUE(w.SelectPage(page));
                SCOPED_TRACE(page);
                std::string unfit = wkit::Unfit(wkit::WholeTexts(w.Page()));
                const HFONT hPageFont = (HFONT)::SendMessageA(w.Page(), WM_GETFONT, 0, 0);
                ASSERT_NE(hPageFont, (HFONT)NULL);
                const LOGFONTA pageFont = LogFont(hPageFont);
                for (CGridWnd* pGrid : GridsOf(w.Page())) {
                    unfit += wkit::Unfit(WholeGridTexts(*pGrid));
                    CFont* pFont = pGrid->GetSettings()->m_pDefaultFont;
                    ASSERT_NE(pFont, nullptr);
                    const LOGFONTA gridFont = LogFont((HFONT)pFont->GetSafeHandle());
                    EXPECT_EQ(gridFont.lfHeight, pageFont.lfHeight);
                    EXPECT_STREQ(gridFont.lfFaceName, pageFont.lfFaceName);
                    EXPECT_EQ(FontHeight((HFONT)pFont->GetSafeHandle()), FontHeight(hPageFont));
                    if (::GetDlgCtrlID(pGrid->m_hWnd) != IDC_PCORR_GAS_GRID) {
                        EXPECT_EQ(HorizontalBarHeight(pGrid->m_hWnd), 0)
                            << "a horizontal bar on grid " << ::GetDlgCtrlID(pGrid->m_hWnd);
                    }
                }
                EXPECT_EQ(unfit, "");
            }
            w.PressCancel();
        });
    }
}

// ---- the range page offline --------------------------------------------------------------------

TEST_F(ParamSheet, RangesRoundTripThroughTheParameterTableOnEveryModel) {
    for (const char* model :
         {"Sindor 6", "Parvel 6", "Lorvix 6", "Sindor 23", "Quenta 6", "Parvel 64", "Lorvix 62"}) {
        SCOPED_TRACE(model);
        kit.frame.hints.clear();
        boxes.texts.clear();
        std::unique_ptr<CVaskInstrument> a = MakeOffline(model, 2);
        // The last component: the second on the models that have two.
        const int last = a->GetComponentCount() - 1;
        const std::string lastKey = "C" + std::to_string(last + 1);
        SetEntryValue(*a, "C1: Range", 1, 1);
        SetEntryValue(*a, "C1: Autorange", 0, 1);
        SetEntryValue(*a, "C1: Range2: lower limit", 2);
        SetEntryValue(*a, "C1: Range2: upper limit", 20);
        SetEntryValue(*a, lastKey + ": Autorange Up", 9);
        Run(*a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
            CPageParamRange& page = sheet.GetRangePage();
            EXPECT_EQ(Text(page.GetRangeGrid(), 1, 1), "20.000 ppm");
            TypeCell(page.GetRangeGrid(), 1, 1, "40");
            w.Pick(IDC_PRANGE_CURRENT, "2");
            // The last component: the first one's edits stay with it.
            w.PickIndex(IDC_PRANGE_COMPONENT, last);
            EXPECT_EQ(w.Text(IDC_PRANGE_SWITCH_UP), "9.000 ppm");
            TypeCell(page.GetRangeGrid(), 1, 0, "55");
            w.SetText(IDC_PRANGE_SWITCH_UP, "12.5 ppm");
            w.PressApply();
            EXPECT_FALSE(page.IsModified());
            w.PressOK();
        });
        EXPECT_THAT(boxes.texts, ElementsAre());
        EXPECT_THAT(kit.frame.hints, ElementsAre(kSheetUpdateHint, kSheetUpdateHint));
        EXPECT_EQ(EntryValue(*a, "C1: Range2: upper limit").value, 40);
        EXPECT_EQ(EntryValue(*a, "C1: Range").value, 2);
        EXPECT_EQ(EntryValue(*a, "C1: Autorange").value, 0);
        CVaskParameter* range2 = FindGroupEntry(a.get(), kGroupMeasRanges, "C1: Range 2:", TRUE);
        ASSERT_NE(range2, nullptr);
        VaskFloat text;
        range2->GetValue(text);
        EXPECT_EQ(std::string(text.text), "2.000 .. 40.000");
        EXPECT_EQ(EntryValue(*a, lastKey + ": Range1: upper limit").value, 55);
        EXPECT_EQ(EntryValue(*a, lastKey + ": Autorange Up").value, 12.5);

        // Opened again, the page shows what it wrote.
        Run(*a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
            EXPECT_EQ(Text(sheet.GetRangePage().GetRangeGrid(), 1, 1), "40.000 ppm");
            EXPECT_EQ(w.Selection(IDC_PRANGE_CURRENT), "2");
            w.PickIndex(IDC_PRANGE_COMPONENT, last);
            EXPECT_EQ(w.Text(IDC_PRANGE_SWITCH_UP), "12.500 ppm");
            w.PressCancel();
        });
    }
}

TEST_F(ParamSheet, ATextThatIsNoNumberKeepsTheComponentAndSwitchingMarksNothing) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Sindor 6", 2);
    Run(*a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        CPageParamRange& page = sheet.GetRangePage();
        w.PickIndex(IDC_PRANGE_COMPONENT, 1);
        w.PickIndex(IDC_PRANGE_COMPONENT, 0);
        EXPECT_FALSE(page.IsModified()) << "switching components changes nothing";
        TypeCell(page.GetRangeGrid(), 0, 0, "abc");
        w.PickIndex(IDC_PRANGE_COMPONENT, 1);
        EXPECT_EQ(w.SelectionIndex(IDC_PRANGE_COMPONENT), 0) << "the switch is refused";
        w.PressApply();
        EXPECT_TRUE(page.IsModified()) << "Apply refused";
        TypeCell(page.GetRangeGrid(), 0, 0, "1.25");
        w.PressOK();
    });
    EXPECT_THAT(boxes.texts,
                ElementsAre("Please enter a numeric value.", "Please enter a numeric value."));
    EXPECT_EQ(EntryValue(*a, "C1: Range1: lower limit").value, 1.25);
}

TEST_F(ParamSheet, TheSindor23OffersOneTwoAndAutorange) {
    ParamScript script;
    script.range = 1;
    script.autorange = 1;
    kit.SetOnline(true);
    ParamScripted<CSindor23> a(&script, "S23", nullptr, 1, 2, 0, 0, 0, 0, 0, 0);
    ASSERT_EQ(a.GetRangeCount(), 2);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        CPageParamRange& page = sheet.GetRangePage();
        EXPECT_THAT(w.Items(IDC_PRANGE_CURRENT), ElementsAre("1", "2", "1/2", "Autorange"));
        EXPECT_EQ(w.Selection(IDC_PRANGE_CURRENT), "Autorange");
        w.Pick(IDC_PRANGE_CURRENT, "1/2");
        EXPECT_EQ(page.GetCurrentRange(0), 3);
        EXPECT_FALSE(page.GetAutorange(0));
        w.Pick(IDC_PRANGE_CURRENT, "Autorange");
        EXPECT_TRUE(page.GetAutorange(0));
        EXPECT_EQ(page.GetCurrentRange(0), 3) << "autorange keeps the range";
        w.PressOK();
    });
    EXPECT_EQ(script.CallsStartingWith("SetMeasRange").size(), 2u);
    EXPECT_EQ(script.writes[2], "SetMeasRange(0,3,1)");
}

TEST_F(ParamSheet, BelowSpecialistTheRangeAndTheSwitchingPointsAreLocked) {
    ParamScript script;
    for (bool online : {false, true}) {
        for (int level : {1, 2}) {
            SCOPED_TRACE(std::string(online ? "online" : "offline") + " level " +
                         std::to_string(level));
            kit.SetOnline(online);
            kit.SetAccessLevel(level);
            ParamScripted<CSindor6> a(&script, "S6", nullptr, 1, 1, 0, 0);
            Run(a, [&](wkit::Window& w, CParameterPropertySheet&) {
                EXPECT_EQ(w.IsEnabled(IDC_PRANGE_CURRENT), level == 2);
                EXPECT_EQ(w.IsEnabled(IDC_PRANGE_SWITCH_UP), level == 2);
                EXPECT_EQ(w.IsEnabled(IDC_PRANGE_SWITCH_DOWN), level == 2);
                EXPECT_TRUE(w.IsEnabled(IDC_PRANGE_COMPONENT));
                w.PressCancel();
            });
        }
    }
}

// ---- the range page online ------------------------------------------------------------------

TEST_F(ParamSheet, OnlineTheRangesAreReadAndWrittenComponentByComponent) {
    ParamScript script;
    kit.SetOnline(true);
    ParamScripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        EXPECT_EQ(w.Text(IDC_PRANGE_LIN_END), "9.5 ppm");
        EXPECT_EQ(w.Text(IDC_PRANGE_LIN_START), "0.000 ppm");
        EXPECT_EQ(w.Text(IDC_PRANGE_SWITCH_DOWN), "5.5 ppm");
        EXPECT_EQ(w.Selection(IDC_PRANGE_CURRENT), "2");
        script.calls.clear();
        TypeCell(sheet.GetRangePage().GetRangeGrid(), 1, 0, "7.25 ppm");
        w.PressApply();
        w.PressCancel();
    });
    EXPECT_THAT(script.calls,
                ElementsAre("SetMeasurementLower(0)", "SetMeasurementUpper(0)", "SetMeasRange(0)",
                            "SetAutorangeLimits(0)", "SetMeasurementLower(1)",
                            "SetMeasurementUpper(1)", "SetMeasRange(1)", "SetAutorangeLimits(1)"));
    // Every written number checked and rewritten "%.3f", the other component's as well.
    EXPECT_EQ(script.writes[1], "SetMeasurementUpper(0,7.250|1.500|2.500|3.500)");
    EXPECT_EQ(script.writes[3], "SetAutorangeLimits(0,5.500,6.500)");
    EXPECT_EQ(script.writes[4], "SetMeasurementLower(1,10.500|11.500|12.500|13.500)");
}

TEST_F(ParamSheet, AComponentWhoseReadFailedIsNeverWritten) {
    for (const char* failing :
         {"GetMeasRange(1)", "GetAutorangeLimits(1)", "GetMeasurementUpper(1)"}) {
        SCOPED_TRACE(failing);
        ParamScript script;
        script.failing.insert(failing);
        kit.SetOnline(true);
        ParamScripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
        Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
            script.calls.clear();
            TypeCell(sheet.GetRangePage().GetRangeGrid(), 1, 0, "8");
            w.PressOK();
        });
        EXPECT_TRUE(script.CallsStartingWith("SetMeasRange(0)").size() == 1);
        for (const std::string& call : script.calls)
            EXPECT_EQ(call.find("(1)"), std::string::npos) << call;
    }
}

TEST_F(ParamSheet, AFailedWriteKeepsThePageModifiedAndStops) {
    ParamScript script;
    script.results["SetMeasurementUpper"] = 0;
    kit.SetOnline(true);
    ParamScripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        script.calls.clear();
        TypeCell(sheet.GetRangePage().GetRangeGrid(), 1, 0, "8");
        w.PressApply();
        EXPECT_TRUE(sheet.GetRangePage().IsModified());
        w.PressCancel();
    });
    EXPECT_THAT(script.calls, ElementsAre("SetMeasurementLower(0)", "SetMeasurementUpper(0)"));
}

// ---- the limits page ----------------------------------------------------------------------------

// A typed cell of a page grid, as the grid reports the user's edit.
void TypeGridCell(CParamGrid& grid, int col, int row, const char* text) {
    grid.SetCellText(col, row, text);
    grid.OnCellChanged(col, row);
}

TEST_F(ParamSheet, OnlineEachLimitIsWrittenWithTheDevicesSecondValueThenItsFlags) {
    ParamScript script;
    kit.SetOnline(true);
    ParamScripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(1));
        CPageParamLimits& page = sheet.GetLimitsPage();
        script.calls.clear();
        EXPECT_FALSE(w.IsEnabled(ID_APPLY_NOW)) << "nothing to apply yet";
        TypeGridCell(page.GetLimitsGrid(3), 0, 1, "7.5 ppm");
        // A choice text that is no choice keeps the direction read.
        TypeGridCell(page.GetLimitsGrid(2), 1, 0, "sideways");
        w.PressApply();
        EXPECT_FALSE(page.IsModified());
        w.PressCancel();
    });
    EXPECT_TRUE(boxes.texts.empty());
    std::vector<std::string> expected;
    for (int c = 0; c < 2; ++c)
        for (int n = 1; n <= 4; ++n)
            for (const char* op : {"GetLimit%d(%d)", "SetLimit%d(%d)", "SetLimit%dFlags(%d)"}) {
                char call[40];
                snprintf(call, sizeof call, op, n, c);
                expected.push_back(call);
            }
    EXPECT_EQ(script.calls, expected);
    auto written = [&](const std::string& prefix) {
        for (const std::string& w : script.writes)
            if (w.compare(0, prefix.size(), prefix) == 0) return w;
        return std::string();
    };
    EXPECT_EQ(written("SetLimit3(1,"), "SetLimit3(1,7.500,11.5)") << "the second value echoed";
    EXPECT_EQ(written("SetLimit1(0,"), "SetLimit1(0,0.500,1.5)");
    // The script's flags: ranges 1 and 3, alarm above, on.
    EXPECT_EQ(written("SetLimit2Flags(0,"), "SetLimit2Flags(0,101011)");
}

// Every limits grid shows all its rows and columns in its window, without a scroll bar, and
// every heading and value whole: two components with four ranges in four limits, and a
// Sindor 23's two components and two sensors in its two limits.
TEST_F(ParamSheet, TheLimitsGridsShowEveryRowAndColumnWhole) {
    const struct {
        const char* model;
        int sensors, limits, rows;
    } cases[] = {{"Sindor 6", 0, 4, 2}, {"Sindor 23", 1, 2, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model);
        std::unique_ptr<CVaskInstrument> a = MakeOffline(c.model, 2, c.sensors, c.sensors);
        ASSERT_GE(a->GetRangeCount(), 2) << "a heading spanning the ranges";
        // Limits as wide as a plant's: "400.000 ppm".
        VaskFloat limit;
        limit.value = 400;
        limit.text = "400.000";
        limit.unit = 2;
        for (int component : GetComponentRows(a.get()))
            for (int n = 1; n <= c.limits; ++n) {
                CString name;
                name.Format("%s: Limit %d", (LPCSTR)a->GetComponentLabel(component), n);
                WriteEntryValue(FindGroupEntry(a.get(), kGroupLimit1 + n - 1, name), limit);
            }
        Run(*a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
            ASSERT_TRUE(w.SelectPage(1));
            for (int n = 1; n <= c.limits; ++n) {
                SCOPED_TRACE(n);
                CLimitsGrid& grid = sheet.GetLimitsPage().GetLimitsGrid(n);
                EXPECT_EQ(Text(grid, 0, 0), "400.000 ppm");
                ASSERT_EQ(grid.GetRowCount(), c.rows);
                const CRect vBar(grid.GetSettings()->m_rcVScroll);
                EXPECT_EQ(HorizontalBarHeight(grid.m_hWnd), 0) << "columns beyond the window";
                EXPECT_EQ(vBar.Width(), 0) << "rows below the window";
                EXPECT_EQ(wkit::Unfit(WholeGridTexts(grid)), "");
            }
            w.PressCancel();
        });
    }
}

// A limit that is no number is named by its cell with the text it holds, and the cell becomes
// the current one; nothing is written.
TEST_F(ParamSheet, ALimitThatIsNoNumberIsNamedAndNothingIsWritten) {
    ParamScript script;
    kit.SetOnline(true);
    ParamScripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(1));
        CPageParamLimits& page = sheet.GetLimitsPage();
        CLimitsGrid& grid = page.GetLimitsGrid(3);
        script.calls.clear();
        TypeGridCell(grid, 0, 1, "abc");
        w.PressApply();
        EXPECT_TRUE(page.IsModified());
        EXPECT_EQ(grid.GetCursorCol(), 0);
        EXPECT_EQ(grid.GetCursorRow(), 1);
        w.PressCancel();
    });
    const std::string cell = "Limit 3, " + std::string(a.GetComponentLabel(1)) + ", Value";
    EXPECT_THAT(boxes.texts,
                ElementsAre("Please enter a numeric value.\n" + cell + " holds \"abc\"."));
    EXPECT_TRUE(script.CallsStartingWith("SetLimit").empty());
}

TEST_F(ParamSheet, TheSindor23HasTwoLimitsAndItsSensorsRows) {
    ParamScript script;
    kit.SetOnline(true);
    // One component and the H2S sensor (component 2).
    ParamScripted<CSindor23> a(&script, "S23", nullptr, 1, 1, 0, 0, 1, 0, 0, 0);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(1));
        EXPECT_FALSE(w.IsVisible(IDC_PLIMITS_CAPTION3));
        EXPECT_FALSE(w.IsVisible(IDC_PLIMITS_CAPTION4));
        EXPECT_TRUE(w.IsVisible(IDC_PLIMITS_CAPTION2));
        script.calls.clear();
        TypeGridCell(sheet.GetLimitsPage().GetLimitsGrid(1), 0, 1, "3");
        w.PressOK();
    });
    EXPECT_THAT(
        script.CallsStartingWith("SetLimit"),
        ElementsAre("SetLimit1(0)", "SetLimit1Flags(0)", "SetLimit2(0)", "SetLimit2Flags(0)",
                    "SetLimit1(2)", "SetLimit1Flags(2)", "SetLimit2(2)", "SetLimit2Flags(2)"));
}

TEST_F(ParamSheet, ALimitThatWasNotReadIsNotWritten) {
    ParamScript script;
    script.results["GetLimit2Flags"] = 0;
    kit.SetOnline(true);
    ParamScripted<CParvel64> a(&script, "P64", nullptr, 1, 1, 0, 0);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(1));
        script.calls.clear();
        TypeGridCell(sheet.GetLimitsPage().GetLimitsGrid(1), 0, 0, "3");
        w.PressOK();
    });
    EXPECT_TRUE(script.CallsStartingWith("SetLimit2").empty());
    EXPECT_EQ(script.CallsStartingWith("SetLimit3").size(), 2u);
}

TEST_F(ParamSheet, LimitsRoundTripThroughTheParameterTableOnEveryModel) {
    for (const char* model :
         {"Sindor 6", "Parvel 6", "Lorvix 6", "Sindor 23", "Quenta 6", "Parvel 64", "Lorvix 62"}) {
        SCOPED_TRACE(model);
        boxes.texts.clear();
        std::unique_ptr<CVaskInstrument> a = MakeOffline(model, 2);
        const int row = a->GetComponentCount() - 1;
        Run(*a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
            ASSERT_TRUE(w.SelectPage(1));
            CLimitsGrid& limit2 = sheet.GetLimitsPage().GetLimitsGrid(2);
            ASSERT_TRUE(limit2.IsRowRead(row));
            TypeGridCell(limit2, 0, row, "12.5");
            limit2.SetDropListIndex(1, row, 1);
            limit2.OnCellChanged(1, row);
            TypeGridCell(limit2, a->GetRangeCount() + 2, row, "1");
            w.PressOK();
        });
        EXPECT_THAT(boxes.texts, ElementsAre());
        const CString label = a->GetComponentLabel(row);
        VaskFloat v;
        ASSERT_TRUE(ReadGroupEntry(a.get(), kGroupLimit1 + 1, label + ": Limit 2", v));
        EXPECT_EQ(v.value, 12.5);
        int flag = -1;
        ASSERT_TRUE(ReadGroupInt(a.get(), kGroupLimit1 + 1, label + ": Alarm on", flag));
        EXPECT_EQ(flag, 1);
        ASSERT_TRUE(ReadGroupInt(a.get(), kGroupLimit1 + 1, label + ": Limit control", flag));
        EXPECT_EQ(flag, 1);
        Run(*a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
            ASSERT_TRUE(w.SelectPage(1));
            EXPECT_EQ(Text(sheet.GetLimitsPage().GetLimitsGrid(2), 1, row), "Above Limit");
            EXPECT_EQ(Text(sheet.GetLimitsPage().GetLimitsGrid(2), 0, row).substr(0, 6), "12.500");
            w.PressCancel();
        });
    }
}

// ---- the time constants and filters page ---------------------------------------------------------

TEST_F(ParamSheet, OnlineTheTimeConstantsGoAsOneBlockThenTheNoiseLevelThenItsDuration) {
    ParamScript script;
    kit.SetOnline(true);
    ParamScripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(2));
        CPageParamDisturbance& page = sheet.GetFilterPage();
        script.calls.clear();
        TypeGridCell(page.GetTimeGrid(), 0, 1, "4 ppm");
        w.PressApply();
        EXPECT_FALSE(page.IsModified());
        w.PressCancel();
    });
    EXPECT_THAT(script.calls,
                ElementsAre("SetIntegrationTime(0)", "SetFaultSignalThreshold(0)",
                            "SetFaultSignalDuration(0)", "SetIntegrationTime(1)",
                            "SetFaultSignalThreshold(1)", "SetFaultSignalDuration(1)"));
    // Delta, T90 inside, T90 outside, and the dead time as read.
    EXPECT_EQ(script.writes[3], "SetIntegrationTime(1,10.500,4.000,12.500,13.5)");
    EXPECT_EQ(script.writes[4], "SetFaultSignalThreshold(1,10.500)");
}

TEST_F(ParamSheet, EveryFilterValueIsCheckedBeforeAnythingIsWritten) {
    // Column of the time grid (0 T90 inside, 1 T90 outside, 2 delta range), or of the noise
    // grid (10 duration, 11 level).
    for (int col : {0, 1, 2, 10, 11}) {
        SCOPED_TRACE(col);
        ParamScript script;
        kit.SetOnline(true);
        boxes.texts.clear();
        ParamScripted<CQuenta6> a(&script, "Q6", nullptr, 1, 1, 0, 0);
        Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
            ASSERT_TRUE(w.SelectPage(2));
            CPageParamDisturbance& page = sheet.GetFilterPage();
            script.calls.clear();
            if (col < 10)
                TypeGridCell(page.GetTimeGrid(), col, 0, "abc");
            else
                TypeGridCell(page.GetNoiseGrid(), col - 10, 0, "abc");
            w.PressApply();
            EXPECT_TRUE(page.IsModified());
            w.PressCancel();
        });
        EXPECT_TRUE(script.calls.empty());
        EXPECT_THAT(boxes.texts, ElementsAre("Please enter a numeric value."));
    }
}

TEST_F(ParamSheet, TheSindor23HasNoInterferenceFilterAndUnreadRowsAreLeftAlone) {
    ParamScript script;
    script.results["GetIntegrationTime"] = 0;
    kit.SetOnline(true);
    ParamScripted<CSindor23> a(&script, "S23", nullptr, 1, 1, 0, 0, 0, 0, 0, 0);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(2));
        EXPECT_FALSE(w.IsVisible(IDC_PDIST_NOISE_CAPTION));
        script.calls.clear();
        sheet.GetFilterPage().OnParamModified();
        w.PressOK();
    });
    EXPECT_TRUE(script.calls.empty()) << "nothing read, nothing written";
}

TEST_F(ParamSheet, FiltersRoundTripThroughTheParameterTable) {
    for (const char* model : {"Sindor 6", "Sindor 23", "Lorvix 62"}) {
        SCOPED_TRACE(model);
        std::unique_ptr<CVaskInstrument> a = MakeOffline(model, 1);
        const bool noise = std::string(model) != "Sindor 23";
        Run(*a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
            ASSERT_TRUE(w.SelectPage(2));
            CPageParamDisturbance& page = sheet.GetFilterPage();
            TypeGridCell(page.GetTimeGrid(), 1, 0, "25");
            if (noise) TypeGridCell(page.GetNoiseGrid(), 0, 0, "3");
            w.PressOK();
        });
        const CString label = a->GetComponentLabel(0);
        VaskFloat v;
        ASSERT_TRUE(ReadGroupEntry(a.get(), kGroupTimeConstants, label + ": T90 outside", v));
        EXPECT_EQ(v.value, 25);
        if (noise) {
            ASSERT_TRUE(ReadGroupEntry(a.get(), kGroupTimeConstants,
                                       label + ": Suppress noise signals with a duration of", v));
            EXPECT_EQ(v.value, 3);
        }
    }
}

// ---- the gas correction page ---------------------------------------------------------------------

// The gas correction page's index among the pages of the model's sheet.
int CorrectionPageIndex(CVaskInstrument& a) {
    CParameterPropertySheet sheet(&a);
    return sheet.GetPageIndex(&sheet.GetCorrectionPage());
}

TEST_F(ParamSheet, TheCorrectionListAndThePressureGridFollowTheModel) {
    struct Case {
        const char* model;
        int corrections;  // entries of the list; 0: the list is disabled
        bool pressure;
    } cases[] = {{"Sindor 6", 0, true}, {"Parvel 6", 0, true},  {"Sindor 23", 2, false},
                 {"Lorvix 6", 4, true}, {"Quenta 6", 4, false}, {"Parvel 64", 4, false},
                 {"Lorvix 62", 4, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        std::unique_ptr<CVaskInstrument> a = MakeOffline(c.model, 1);
        const int page = CorrectionPageIndex(*a);
        Run(*a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
            ASSERT_TRUE(w.SelectPage(page));
            EXPECT_EQ(w.IsEnabled(IDC_PCORR_LIST), c.corrections != 0);
            if (c.corrections == 2) {
                EXPECT_THAT(w.Items(IDC_PCORR_LIST),
                            ElementsAre("Interference correction 1", "Interference correction 2"));
            }
            if (c.corrections == 4) { EXPECT_EQ(w.Items(IDC_PCORR_LIST).size(), 4u); }
            EXPECT_EQ(w.IsVisible(IDC_PCORR_PRESSURE_CAPTION), c.pressure);
            EXPECT_NE(sheet.GetCorrectionPage().GetGasGrid(), nullptr);
            w.PressCancel();
        });
        EXPECT_EQ(a->GetDiagValues(), nullptr) << "the page has the grid deleted";
    }
}

TEST_F(ParamSheet, OnlineThePressureCorrectionIsWrittenBeforeTheInterferenceCorrection) {
    ParamScript script;
    kit.SetOnline(true);
    ParamScripted<CSindor6> a(&script, "S6", nullptr, 1, 1, 0, 0);
    const int page = CorrectionPageIndex(a);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(page));
        // The values show their unit once, also after the grid took its cells back.
        CInstrumentGridBase& grid = *sheet.GetCorrectionPage().GetGasGrid();
        for (int col = 0; col < grid.GetColCount(); ++col)
            EXPECT_EQ(Text(grid, col, 0).find("ppm ppm"), std::string::npos) << Text(grid, col, 0);
        script.calls.clear();
        TypeGridCell(sheet.GetCorrectionPage().GetPressureGrid(), 2, 0, "900");
        w.PressOK();
    });
    EXPECT_THAT(boxes.texts, ElementsAre());
    std::vector<std::string> writes = script.CallsStartingWith("Set");
    ASSERT_GE(writes.size(), 4u);
    EXPECT_THAT(std::vector<std::string>(writes.begin(), writes.begin() + 4),
                ElementsAre("SetPressureCorr(0)", "SetExtPressureRange(0)", "SetPressureCorrExt(0)",
                            "SetLateralGasCorrN(1,0)"));
    EXPECT_EQ(script.writes[1], "SetExtPressureRange(0,0.500,900.000)");
}

TEST_F(ParamSheet, APressureCorrectionThatWasNotReadIsNotWritten) {
    ParamScript script;
    script.results["GetPressureCorr"] = 0;
    kit.SetOnline(true);
    ParamScripted<CLorvix6> a(&script, "L6", nullptr, 1, 1, 0, 0);
    const int page = CorrectionPageIndex(a);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(page));
        script.calls.clear();
        TypeGridCell(*sheet.GetCorrectionPage().GetGasGrid(), 6, 0, "2.5");
        w.PressOK();
    });
    EXPECT_TRUE(script.CallsStartingWith("SetPressure").empty());
    EXPECT_TRUE(script.CallsStartingWith("SetExtPressure").empty());
    EXPECT_FALSE(script.CallsStartingWith("SetLateralGasCorrN").empty());
}

TEST_F(ParamSheet, ChangingTheCorrectionWithEditsPendingAsks) {
    ParamScript script;
    kit.SetOnline(true);
    ParamScripted<CLorvix6> a(&script, "L6", nullptr, 1, 1, 0, 0);
    const int page = CorrectionPageIndex(a);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(page));
        CPageParamCorrection& correction = sheet.GetCorrectionPage();
        CInstrumentGridBase& grid = *correction.GetGasGrid();
        // Nothing pending: no question.
        w.PickIndex(IDC_PCORR_LIST, 1);
        EXPECT_EQ(grid.GetShownCorrection(), 1);
        EXPECT_TRUE(boxes.texts.empty());

        TypeGridCell(grid, 6, 0, "2.5");
        boxes.answers = {IDCANCEL};
        w.PickIndex(IDC_PCORR_LIST, 2);
        EXPECT_EQ(w.SelectionIndex(IDC_PCORR_LIST), 1) << "Cancel keeps the old entry";
        EXPECT_EQ(grid.GetShownCorrection(), 1);

        // Yes whose Apply fails stays on the old correction too.
        script.results["SetLateralGasCorrN"] = 0;
        boxes.answers = {IDYES};
        w.PickIndex(IDC_PCORR_LIST, 2);
        EXPECT_EQ(w.SelectionIndex(IDC_PCORR_LIST), 1);
        EXPECT_EQ(grid.GetShownCorrection(), 1);
        EXPECT_TRUE(correction.IsModified());

        script.results["SetLateralGasCorrN"] = 1;
        script.calls.clear();
        boxes.answers = {IDYES};
        w.PickIndex(IDC_PCORR_LIST, 2);
        EXPECT_EQ(grid.GetShownCorrection(), 2);
        EXPECT_FALSE(correction.IsModified());
        EXPECT_EQ(script.CallsStartingWith("SetLateralGasCorrN").front(), "SetLateralGasCorrN(2,0)")
            << "the shown correction, the second";

        TypeGridCell(grid, 6, 0, "3");
        boxes.answers = {IDNO};
        script.calls.clear();
        w.PickIndex(IDC_PCORR_LIST, 3);
        EXPECT_EQ(grid.GetShownCorrection(), 3);
        EXPECT_TRUE(correction.IsModified()) << "No leaves the changes unwritten";
        EXPECT_TRUE(script.CallsStartingWith("Set").empty());
        w.PressCancel();
    });
    EXPECT_EQ(boxes.texts.size(), 4u);
    EXPECT_EQ(boxes.texts.front(), "Do you want to apply your changes now?");
}

TEST_F(ParamSheet, ThePressureCorrectionRoundTripsThroughTheParameterTable) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Lorvix 62", 1);
    const int page = CorrectionPageIndex(*a);
    Run(*a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(page));
        ASSERT_TRUE(sheet.GetCorrectionPage().GetPressureGrid().IsRead());
        TypeGridCell(sheet.GetCorrectionPage().GetPressureGrid(), 2, 0, "900");
        TypeGridCell(sheet.GetCorrectionPage().GetPressureGrid(), 4, 0, "6");
        w.PressOK();
    });
    VaskFloat v;
    ASSERT_TRUE(
        ReadGroupEntry(a.get(), kGroupPressureCorrection, "Range end value ext. pressure", v));
    EXPECT_EQ(v.value, 900);
    int channel = 0;
    ASSERT_TRUE(ReadGroupInt(a.get(), kGroupPressureCorrection, "VASK Channel", channel));
    EXPECT_EQ(channel, 6);
}

// ---- the sample point page -----------------------------------------------------------------------

int SamplePointPageIndex(CVaskInstrument& a) {
    CParameterPropertySheet sheet(&a);
    return sheet.GetPageIndex(&sheet.GetSamplePointPage());
}

TEST_F(ParamSheet, OnlineTheSixTimesGoAsOneBlockThenTheSwitch) {
    ParamScript script;
    script.relays[0] = 18;  // sample point 1
    script.relays[3] = 19;  // sample point 2
    kit.SetOnline(true);
    ParamScripted<CParvel6> a(&script, "P6", nullptr, 1, 1, 0, 0);
    const int page = SamplePointPageIndex(a);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(page));
        EXPECT_EQ(w.CheckState(IDC_PSMP_ACTIVE), BST_CHECKED);
        CSwitchMPointGrid& grid = sheet.GetSamplePointPage().GetGrid();
        ASSERT_EQ(grid.GetRowCount(), 2);
        script.calls.clear();
        TypeGridCell(grid, 1, 1, "abc");
        // A sample point without a relay may hold any text.
        grid.m_sampleTimes[5].text = "n/a";
        w.PressApply();
        EXPECT_THAT(boxes.texts, ElementsAre("Please enter a numeric value."));
        EXPECT_TRUE(script.calls.empty());
        TypeGridCell(grid, 1, 1, "45 ppm");
        w.Check(IDC_PSMP_ACTIVE, BST_UNCHECKED);
        w.PressOK();
    });
    EXPECT_THAT(script.calls, ElementsAre("SetSensorTimes(0)", "SensorSwitch(0)"));
    EXPECT_THAT(script.writes,
                ElementsAre("SetSensorTimes(0,0.500|45.000|2.5|3.5|4.5|n/a)", "SensorSwitch(0,0)"));
}

TEST_F(ParamSheet, SampleTimesThatWereNotReadAreNotWrittenAndAFailedWriteKeepsThePage) {
    ParamScript script;
    script.relays[0] = 18;
    script.results["GetSensorTimes"] = 0;
    kit.SetOnline(true);
    ParamScripted<CQuenta6> a(&script, "Q6", nullptr, 1, 1, 0, 0);
    const int page = SamplePointPageIndex(a);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(page));
        script.calls.clear();
        script.results["SensorSwitch"] = 0;
        w.Check(IDC_PSMP_ACTIVE, BST_UNCHECKED);
        w.PressApply();
        EXPECT_TRUE(sheet.GetSamplePointPage().IsModified());
        w.PressCancel();
    });
    EXPECT_THAT(script.calls, ElementsAre("SensorSwitch(0)"));
}

TEST_F(ParamSheet, OfflineOnlyTheTimesAreStored) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Lorvix 6", 1);
    CVaskParameter* relay = FindGroupEntry(a.get(), kGroupRelays, "Relay 2");
    ASSERT_NE(relay, nullptr);
    WriteEntryInt(relay, 20);  // sample point 3
    const int page = SamplePointPageIndex(*a);
    Run(*a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(page));
        EXPECT_FALSE(w.IsEnabled(IDC_PSMP_ACTIVE));
        EXPECT_EQ(w.CheckState(IDC_PSMP_ACTIVE), BST_UNCHECKED);
        CSwitchMPointGrid& grid = sheet.GetSamplePointPage().GetGrid();
        ASSERT_EQ(grid.GetRowCount(), 1);
        TypeGridCell(grid, 1, 0, "75");
        w.PressOK();
    });
    VaskFloat v;
    ASSERT_TRUE(ReadGroupEntry(a.get(), kGroupSensorTimes, "Sample point 3:", v));
    EXPECT_EQ(v.value, 75);
}

// ---- the pages per model ---------------------------------------------------------------------

// The template ids of the sheet's pages, in tab order.
std::vector<UINT> PageTemplates(CParameterPropertySheet& sheet) {
    std::vector<UINT> ids;
    for (int i = 0; i < sheet.GetPageCount(); ++i)
        ids.push_back(static_cast<CHelpPropertyPage*>(sheet.GetPage(i))->GetTemplateId());
    return ids;
}

TEST_F(ParamSheet, EachModelGetsItsPagesInTheOneOrder) {
    const UINT R = IDD_PARAM_RANGE, L = IDD_PARAM_LIMITS, F = IDD_PARAM_DISTURBANCE,
               Q = IDD_PARAM_FREQUENCIES, C = IDD_PARAM_CORRECTION, S = IDD_PARAM_SWITCH_MPOINT;
    struct Case {
        const char* model;
        std::vector<UINT> pages;
    } cases[] = {{"Sindor 6", {R, L, F, Q, C, S}}, {"Parvel 6", {R, L, F, Q, C, S}},
                 {"Sindor 23", {R, L, F, C}},      {"Lorvix 6", {R, L, F, C, S}},
                 {"Lorvix 62", {R, L, F, C, S}},   {"Parvel 64", {R, L, F, C, S}},
                 {"Quenta 6", {R, L, F, C, S}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        std::unique_ptr<CVaskInstrument> a = MakeOffline(c.model, 1);
        CParameterPropertySheet sheet(a.get());
        EXPECT_EQ(PageTemplates(sheet), c.pages);
    }
    // Online the Quenta 6 is asked for its type; 2 adds the external pressure.
    kit.SetOnline(true);
    for (int type : {1, 2}) {
        ParamScript script;
        script.instrumentType = type;
        ParamScripted<CQuenta6> q(&script, "Q6", nullptr, 1, 1, 0, 0);
        CParameterPropertySheet sheet(&q);
        EXPECT_EQ(PageTemplates(sheet).back(),
                  type == 2 ? (UINT)IDD_PARAM_EXT_PRESSURE : (UINT)IDD_PARAM_SWITCH_MPOINT);
    }
}

TEST_F(ParamSheet, AParametersEditOpensItsPageCountedAmongTheModelsPages) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Sindor 23", 1);
    driver.OnOpen(wkit::Class(RUNTIME_CLASS(CParameterPropertySheet)), [&](wkit::Window& w) {
        EXPECT_EQ(w.PageCount(), 4);
        EXPECT_EQ(w.ActivePage(), 3);
        EXPECT_EQ(wkit::Window(w.Page()).TemplateId(), (UINT)IDD_PARAM_CORRECTION);
        w.PressCancel();
    });
    EXPECT_EQ(RunParameterSheet(a.get(), 3), IDCANCEL);
}

// ---- the frequencies page ------------------------------------------------------------------------

int FrequenciesPageIndex(CVaskInstrument& a) {
    CParameterPropertySheet sheet(&a);
    return sheet.GetPageIndex(&sheet.GetFrequenciesPage());
}

// The face name of the font a control shows.
std::string FontFace(HWND hWnd) {
    HFONT font = (HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0);
    LOGFONTA lf = {};
    if (font == NULL || !::GetObjectA(font, sizeof lf, &lf)) return "";
    return lf.lfFaceName;
}

TEST_F(ParamSheet, FrequenciesOnlineRefreshOnTheTimerAndKeepWhatTheUserTyped) {
    ParamScript script;
    kit.SetOnline(true);
    ParamScripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
    const int page = FrequenciesPageIndex(a);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(page));
        EXPECT_EQ(kit.frame.timerTarget, &sheet.GetFrequenciesPage());
        EXPECT_EQ(w.Text(IDC_PFREQ_GROUP), "Chopper frequency");
        EXPECT_EQ(w.Text(IDC_PFREQ_SETPOINT), "3.5 ppm");
        EXPECT_EQ(w.Text(IDC_PFREQ_REDUCER), "Unknown");
        for (int id : {IDC_PFREQ_PHI90_LABEL, IDC_PFREQ_PHI_LABEL, IDC_PFREQ_PHASE_LABEL})
            EXPECT_EQ(FontFace(w.Control(id)), "Symbol") << id;
        const std::string before = w.Text(IDC_PFREQ_MEAS);
        w.SetText(IDC_PFREQ_SETPOINT, "13.5");
        ::SendMessageA(w.Page(), WM_TIMER, 1, 0);
        EXPECT_NE(w.Text(IDC_PFREQ_MEAS), before) << "refreshed";
        EXPECT_EQ(w.Text(IDC_PFREQ_SETPOINT), "13.5") << "what the user typed stays";
        script.calls.clear();
        w.PressOK();
    });
    EXPECT_EQ(kit.frame.timerTarget, nullptr);
    EXPECT_THAT(script.CallsStartingWith("Set"), ElementsAre("SetFrequency(0)"));
    EXPECT_EQ(std::string(script.frequency.text), "13.500");
}

TEST_F(ParamSheet, DefaultSettingsWriteTheModelsFrequencyAtOnce) {
    struct Case {
        bool parvel;
        const char* frequency;
    } cases[] = {{false, "13.098"}, {true, "8.095"}};
    for (const Case& c : cases) {
        ParamScript script;
        kit.SetOnline(true);
        kit.frame.hints.clear();
        std::unique_ptr<CVaskInstrument> a;
        if (c.parvel)
            a.reset(new ParamScripted<CParvel6>(&script, "P6", nullptr, 1, 1, 0, 0));
        else
            a.reset(new ParamScripted<CSindor6>(&script, "S6", nullptr, 1, 1, 0, 0));
        const int page = FrequenciesPageIndex(*a);
        Run(*a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
            ASSERT_TRUE(w.SelectPage(page));
            EXPECT_EQ(w.IsEnabled(IDC_PFREQ_REDUCER), !c.parvel);
            w.Click(IDC_PFREQ_DEFAULTS);
            EXPECT_EQ(w.Text(IDC_PFREQ_SETPOINT), std::string(c.frequency) + " ppm");
            EXPECT_FALSE(sheet.GetFrequenciesPage().IsModified());
            w.PressCancel();
        });
        EXPECT_THAT(script.writes, ElementsAre("SetFrequency(0," + std::string(c.frequency) + ")"));
        EXPECT_THAT(kit.frame.hints, ElementsAre(kSheetUpdateHint));
    }
}

TEST_F(ParamSheet, TheWaitForThePhaseAdjustmentEndsAlsoWhenTheDeviceIsGone) {
    struct Case {
        const char* what;
        std::vector<int> states;
        int deviceState;  // the analyzer's state during the wait
        bool reported;
    } cases[] = {{"adjusted", {15, 15, 3}, 2, false},
                 {"not answering", {15}, 4, true},
                 {"three failed reads", {15, -1, -1, -1}, 2, true},
                 {"five minutes", {15}, 2, true}};
    SetProgramWaitDivisor(1000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ParamScript script;
        script.channelStates = c.states;
        kit.SetOnline(true);
        boxes.texts.clear();
        ParamScripted<CParvel6> a(&script, "P6", nullptr, 1, 1, 0, 0);
        const int page = FrequenciesPageIndex(a);
        Run(a, [&](wkit::Window& w, CParameterPropertySheet&) {
            ASSERT_TRUE(w.SelectPage(page));
            script.state = c.deviceState;
            script.calls.clear();
            w.Click(IDC_PFREQ_ADJUST_PHASE);
            EXPECT_TRUE(::IsWindowEnabled(w.Handle())) << "the sheet is enabled again";
            script.state = 2;
            w.PressCancel();
        });
        EXPECT_EQ(script.calls.front(), "AdjustPhase(0)");
        if (c.reported)
            EXPECT_THAT(boxes.texts, ElementsAre("Error while executing the phase adjustment"));
        else
            EXPECT_TRUE(boxes.texts.empty());
    }
    SetProgramWaitDivisor(1);
}

TEST_F(ParamSheet, OfflineTheSetPointIsEditableAndStored) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Parvel 6", 1);
    const int page = FrequenciesPageIndex(*a);
    Run(*a, [&](wkit::Window& w, CParameterPropertySheet&) {
        ASSERT_TRUE(w.SelectPage(page));
        EXPECT_EQ(w.Text(IDC_PFREQ_GROUP), "Magnetic field frequency");
        EXPECT_TRUE(w.IsEnabled(IDC_PFREQ_SETPOINT));
        for (int id : {IDC_PFREQ_DEFAULTS, IDC_PFREQ_ADJUST_PHASE, IDC_PFREQ_MEAS, IDC_PFREQ_PHASE,
                       IDC_PFREQ_REDUCER})
            EXPECT_FALSE(w.IsEnabled(id)) << id;
        w.SetText(IDC_PFREQ_SETPOINT, "abc");
        w.PressApply();
        EXPECT_THAT(boxes.texts, ElementsAre("Please enter a numeric value."));
        w.SetText(IDC_PFREQ_SETPOINT, "7.5");
        w.PressOK();
    });
    CParameterGroup* group = a->GetParameterGroup(14);
    ASSERT_NE(group, nullptr);
    VaskFloat v;
    ASSERT_TRUE(ReadEntry((CVaskParameter*)group->GetParameterList().GetHead(), v));
    EXPECT_EQ(v.value, 7.5);
}

TEST_F(ParamSheet, AFailedFrequencyWriteKeepsThePageModified) {
    ParamScript script;
    script.results["SetFrequency"] = 0;
    kit.SetOnline(true);
    ParamScripted<CSindor6> a(&script, "S6", nullptr, 1, 1, 0, 0);
    const int page = FrequenciesPageIndex(a);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(page));
        w.SetText(IDC_PFREQ_SETPOINT, "12");
        w.PressApply();
        EXPECT_TRUE(sheet.GetFrequenciesPage().IsModified());
        w.PressCancel();
    });
}

// ---- the external pressure page ------------------------------------------------------------------

TEST_F(ParamSheet, TheValvesFollowTheDeviceUntilTheFirstClick) {
    ParamScript script;
    script.instrumentType = 2;
    script.valves[2] = 1;  // zero gas
    kit.SetOnline(true);
    ParamScripted<CQuenta6> a(&script, "Q6", nullptr, 1, 1, 0, 0);
    Run(a, [&](wkit::Window& w, CParameterPropertySheet& sheet) {
        ASSERT_TRUE(w.SelectPage(w.PageCount() - 1));
        EXPECT_EQ(w.CheckState(IDC_PEXT_ZERO), BST_CHECKED);
        EXPECT_EQ(kit.frame.timerTarget, &sheet.GetExtPressurePage());
        // Two flags at once: the later in the order zero, span, sample.
        script.valves[0] = 1;
        ::SendMessageA(w.Page(), WM_TIMER, 1, 0);
        EXPECT_EQ(w.CheckState(IDC_PEXT_SAMPLE), BST_CHECKED);
        w.Check(IDC_PEXT_SPAN);
        script.valves[0] = 0;
        ::SendMessageA(w.Page(), WM_TIMER, 1, 0);
        EXPECT_EQ(w.CheckState(IDC_PEXT_SPAN), BST_CHECKED) << "no longer following";
        script.calls.clear();
        w.PressOK();
    });
    EXPECT_THAT(script.writes, ElementsAre("SetPressureInternalValves(0,010)"));
}

TEST_F(ParamSheet, OfflineNoValveIsChosenAndApplyStoresNothing) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Quenta 6", 1);
    CParameterPropertySheet sheet(a.get());
    CPageParamExtPressure& page = sheet.GetExtPressurePage();
    // An offline Quenta 6 of type 1 has no such tab; the page alone in a sheet of its own.
    CHelpPropertySheet own("External pressure");
    own.AddPage(&page);
    driver.OnOpen(wkit::Template(IDD_PARAM_EXT_PRESSURE), [&](wkit::Window& w) {
        for (int id : {IDC_PEXT_ZERO, IDC_PEXT_SPAN, IDC_PEXT_SAMPLE, IDC_PEXT_CLOSED})
            EXPECT_EQ(w.CheckState(id), BST_UNCHECKED);
        w.Check(IDC_PEXT_CLOSED);
        w.PressApply();
        EXPECT_FALSE(page.IsModified());
        w.PressCancel();
    });
    own.DoModal();
}

}  // namespace
