// The adjustment sheet and its pages: the closing rule by channel state, the broadcast
// failures, the range grid and the controls by access level, mode, remote state and model,
// the range and sensor calibrations through scripted analyzers (the device operations in
// order, the prompts answered), the pressure sensor, and AUTOCAL online and offline.
#include "adjustmentsheet.h"
#include "adjustscript.h"
#include "gridtest_support.h"
#include "resource.h"
#include "window_kit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using ::testing::ElementsAre;

namespace {

const UINT kVaskError = ::RegisterWindowMessageA("WM_VASK_ERROR");

std::string LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return (LPCSTR)text;
}

class AdjustSheet : public ::testing::Test {
protected:
    AdjustSheet() { kit.SetAccessLevel(2); }

    // Runs the sheet of the analyzer on page `nPage` with the script; the sheet's result.
    int Run(CVaskInstrument& a, int nPage,
            const std::function<void(wkit::Window&, CAdjustmentSheet&)>& script) {
        CAdjustmentSheet sheet(&a);
        sheet.SetActivePage(nPage);
        driver.OnOpen(wkit::Class(RUNTIME_CLASS(CAdjustmentSheet)),
                      [&](wkit::Window& w) { script(w, sheet); });
        return sheet.DoModal();
    }
    static void TypeCell(CParamGrid& grid, int col, int row, const char* text) {
        grid.SetCellText(col, row, text);
        grid.OnCellChanged(col, row);
    }
    // The grid's button in that cell pressed, as the grid reports it.
    static void PressCellButton(CParamGrid& grid, int col, int row) {
        grid.OnCellTypeNotify(grid.GetParamCellTypeIndex(), col, row, 100, 0);
    }
    std::vector<std::string> Calls(const std::vector<std::string>& prefixes) {
        std::vector<std::string> out;
        for (const std::string& call : script.calls)
            for (const std::string& p : prefixes)
                if (call.compare(0, p.size() + 1, p + "(") == 0) out.push_back(call);
        return out;
    }

    SheetKit kit;
    AdjustScript script;
    wkit::HelpRecorder help;
    wkit::Driver driver;
};

// ---- the sheet ---------------------------------------------------------------------------------

TEST_F(AdjustSheet, PagesCaptionHelpAndApplyRaisesTheHintOnce) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Sindor 6", 2);
    EXPECT_EQ(
        Run(*a, 0,
            [&](wkit::Window& w, CAdjustmentSheet&) {
                EXPECT_EQ(w.Caption(), "Adjustment");
                EXPECT_EQ(w.PageCount(), 3);
                EXPECT_TRUE(::GetWindowLongA(w.Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
                w.HelpOn(kSheetTabControlId);
                EXPECT_TRUE(TestApp().helpCalls.empty());
                w.HelpOn(IDC_ADJ_COMMON_ZERO);
                EXPECT_TRUE(TestApp().Asked(0x50000 + IDC_ADJ_COMMON_ZERO, HELP_CONTEXTPOPUP));
                w.Check(IDC_ADJ_COMMON_ZERO);
                w.PressApply();
                EXPECT_TRUE(w.IsOpen());
                EXPECT_THAT(kit.frame.hints, ElementsAre(kSheetUpdateHint));
                w.PressCancel();
            }),
        IDCANCEL);
    EXPECT_THAT(kit.frame.hints, ElementsAre(kSheetUpdateHint));
}

TEST_F(AdjustSheet, ClosingAsksOnlyInCalibrationStatesAndOkReturnsToMeasuring) {
    kit.SetOnline(true);
    struct Case {
        int state;  // analyzer state
        int channel;
        bool asks;
    } cases[] = {{2, 0, false}, {2, 4, false}, {2, 5, true},  {2, 10, true},  {2, 11, false},
                 {2, 12, true}, {2, 14, true}, {2, 21, true}, {2, 22, false}, {4, 14, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channel);
        AdjustScript s;
        s.state = c.state;
        s.channelState = c.channel;
        AdjustScripted<CParvel6> a(&s, "P6", nullptr, 1, 1, 0, 0);
        wkit::BoxRecorder boxes;
        CAdjustmentSheet sheet(&a);
        driver.OnOpen(wkit::Class(RUNTIME_CLASS(CAdjustmentSheet)), [&](wkit::Window& w) {
            s.calls.clear();
            w.PressCancel();
        });
        EXPECT_EQ(sheet.DoModal(), IDCANCEL);
        ASSERT_EQ(boxes.texts.size(), c.asks ? 1u : 0u);
        if (c.asks) {
            CString name;
            name.LoadString(IDS_DEVICE_STATE_BASE + c.channel);
            EXPECT_EQ(boxes.texts[0],
                      "The channel state \"" + std::string(name) + "\" will be cancelled.");
            EXPECT_EQ(boxes.types[0] & 0xF, (UINT)MB_OKCANCEL);
        }
        EXPECT_EQ(s.CallsStartingWith("Measure").size(), c.asks ? 1u : 0u);
    }
}

TEST_F(AdjustSheet, CancellingTheQuestionKeepsTheSheetAndSendsNothingAlsoFromTheCloseBox) {
    kit.SetOnline(true);
    script.channelState = 14;
    AdjustScripted<CParvel6> a(&script, "P6", nullptr, 1, 1, 0, 0);
    wkit::BoxRecorder boxes;
    boxes.answers = {IDCANCEL, IDCANCEL, IDOK};
    EXPECT_EQ(Run(a, 1,
                  [&](wkit::Window& w, CAdjustmentSheet&) {
                      script.calls.clear();
                      w.PressCancel();
                      EXPECT_TRUE(w.IsOpen());
                      w.Close();
                      EXPECT_TRUE(w.IsOpen());
                      EXPECT_TRUE(script.CallsStartingWith("Measure").empty());
                      w.Close();
                  }),
              IDCANCEL);
    ASSERT_EQ(boxes.texts.size(), 3u);
    EXPECT_EQ(boxes.texts[0], "The channel state \"Autocal\" will be cancelled.");
    EXPECT_EQ(script.CallsStartingWith("Measure").size(), 1u);
}

TEST_F(AdjustSheet, ABroadcastFailureIsShownOnceUnlessTheAnalyzerIsSilent) {
    kit.SetOnline(true);
    for (int state : {2, 4}) {
        SCOPED_TRACE(state);
        AdjustScript s;
        s.state = state;
        AdjustScripted<CParvel6> a(&s, "P6", nullptr, 1, 1, 0, 0);
        wkit::BoxRecorder boxes;
        CAdjustmentSheet sheet(&a);
        driver.OnOpen(wkit::Class(RUNTIME_CLASS(CAdjustmentSheet)), [&](wkit::Window& w) {
            ErrorStruct_ error;
            error.code = 7;
            error.text = "Timeout (E7)";
            EXPECT_EQ(
                ::SendMessageA(w.Handle(), kVaskError, (WPARAM) "Read slope gas", (LPARAM)&error),
                1);
            EXPECT_EQ(error.code, 0) << "the windows after this one show nothing";
            EXPECT_EQ(
                ::SendMessageA(w.Handle(), kVaskError, (WPARAM) "Read slope gas", (LPARAM)&error),
                1);
            w.PressOK();
        });
        sheet.DoModal();
        if (state == 2)
            EXPECT_THAT(boxes.texts, ElementsAre("Read slope gas\nTimeout (E7)"));
        else
            EXPECT_TRUE(boxes.texts.empty());
    }
}

// ---- the range page: grid and controls -------------------------------------------------------

TEST_F(AdjustSheet, TheRangeGridHasItsColumnsHeadingsButtonsAndSizes) {
    for (bool sindor23 : {false, true}) {
        SCOPED_TRACE(sindor23 ? "Sindor 23" : "Sindor 6");
        std::unique_ptr<CVaskInstrument> a =
            sindor23 ? MakeOffline("Sindor 23", 2) : MakeOffline("Sindor 6", 2);
        Run(*a, 0, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
            CAdjustRangeGrid& grid = sheet.m_rangePage.GetGrid();
            const int n = a->GetRangeCount();
            ASSERT_EQ(grid.GetColCount(), n + 3);
            EXPECT_EQ(grid.GetRowCount(), a->GetComponentCount());
            EXPECT_EQ(Text(grid, -1, -1), "Component");
            EXPECT_EQ(Text(grid, 0, -1), "Meas. Value");
            EXPECT_EQ(Text(grid, 1, -1), "Zeropoint");
            EXPECT_EQ(Text(grid, 2, -1), "Setpoint Range 1");
            EXPECT_EQ(Text(grid, n + 1, -1), "Setpoint Range " + std::to_string(n));
            EXPECT_EQ(Text(grid, n + 2, -1), "Total Range Calib.");
            EXPECT_EQ(Text(grid, -1, 0), std::string(a->GetComponentLabel(0)));
            CGridCell cell;
            grid.GetDisplayCell(1, 0, cell);
            EXPECT_EQ(cell.GetCellType() == grid.GetParamCellTypeIndex(), !sindor23)
                << "no zero calibration on a Sindor 23";
            grid.GetDisplayCell(2, 0, cell);
            EXPECT_EQ(cell.GetCellType(), grid.GetParamCellTypeIndex());
            CRect rect;
            grid.GetWindowRect(&rect);
            EXPECT_EQ(grid.GetColumnWidth(0), rect.Width() / 5);
            EXPECT_EQ(grid.GetRowHeight(0), (int)(rect.Height() / 4.5));
            EXPECT_EQ(ReadOnly(grid, 1, 0), sindor23);
            EXPECT_FALSE(ReadOnly(grid, 2, 0));
            w.PressCancel();
        });
    }
}

// Set-points as a plant's infrared analyzer holds them.
class WideSetPoints : public AdjustScripted<CSindor6> {
public:
    using AdjustScripted<CSindor6>::AdjustScripted;
    int GetSlopeGas(int c, VaskFloat* values) override {
        const int result = AdjustScripted<CSindor6>::GetSlopeGas(c, values);
        for (int r = 0; r < kGridRanges; ++r) {
            values[r].value = 400.0 * (r + 1);
            values[r].text.Format("%.3f", values[r].value);
        }
        return result;
    }
};

// Every value of the range grid shows whole beside its calibration button ("400.000 ppm" was
// cut), each column at least the fifth of the window that it has.
TEST_F(AdjustSheet, EveryValueOfTheRangeGridShowsWholeBesideItsButton) {
    kit.SetOnline(true);
    WideSetPoints a(&script, "S6", nullptr, 1, 2, 0, 0);
    Run(a, 0, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
        CAdjustRangeGrid& grid = sheet.m_rangePage.GetGrid();
        EXPECT_EQ(Text(grid, 2, 0), "400.000 ppm");
        EXPECT_EQ(wkit::Unfit(WholeGridTexts(grid)), "");
        CRect rect;
        grid.GetWindowRect(&rect);
        EXPECT_GE(grid.GetSettings()->GetHeadingColWidth(-1), rect.Width() / 5);
        for (int col = 0; col < grid.GetColCount(); ++col)
            EXPECT_GE(grid.GetColumnWidth(col), rect.Width() / 5) << col;
        w.PressCancel();
    });
}

TEST_F(AdjustSheet, ControlsFollowLevelModeRemoteStateAndModel) {
    struct Case {
        const char* what;
        int level;
        bool online;
        int state;
        bool gridEditable;
        bool buttons;  // sensor buttons and the concerted zero switch
    } cases[] = {
        {"Maintenance, online, remote", 1, true, 2, false, true},
        {"Specialist, online, local", 2, true, 3, false, true},
        {"Specialist, online, remote", 2, true, 2, true, true},
        {"Specialist, offline", 2, false, 0, true, true},
        {"Maintenance, online, local", 1, true, 3, false, false},
        {"Maintenance, offline", 1, false, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        kit.SetAccessLevel(c.level);
        kit.SetOnline(c.online);
        AdjustScript s;
        s.state = c.state;
        ScriptedSindor23 s23(&s, 1, 1);
        Run(s23, 0, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
            CAdjustRangeGrid& grid = sheet.m_rangePage.GetGrid();
            EXPECT_EQ(!ReadOnly(grid, 2, 0), c.gridEditable);
            EXPECT_TRUE(ReadOnly(grid, 1, 0)) << "the zero column of a Sindor 23";
            for (int id : {IDC_ADJ_O2_ZERO, IDC_ADJ_O2_RISE, IDC_ADJ_H2S_ZERO, IDC_ADJ_H2S_RISE})
                EXPECT_EQ(w.IsEnabled(id), c.buttons) << id;
            EXPECT_FALSE(w.IsEnabled(IDC_ADJ_COMMON_ZERO)) << "only a two-component Sindor 6";
            w.PressCancel();
        });
        AdjustScripted<CSindor6> s6(&s, "S6", nullptr, 1, 2, 0, 0);
        Run(s6, 0, [&](wkit::Window& w, CAdjustmentSheet&) {
            EXPECT_EQ(w.IsEnabled(IDC_ADJ_COMMON_ZERO), c.buttons);
            EXPECT_FALSE(w.IsEnabled(IDC_ADJ_O2_ZERO));
            w.PressCancel();
        });
    }
}

TEST_F(AdjustSheet, SensorFieldsFollowTheSensorsTheirDatesAndTheFirmware) {
    kit.SetOnline(true);
    struct Case {
        int o2, h2s, o2DateFailed;
        bool newFirmware;
    } cases[] = {{1, 1, 0, true}, {1, 0, 1, false}, {0, 1, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.o2 * 100 + c.h2s * 10 + c.o2DateFailed);
        AdjustScript s;
        s.newFirmware = c.newFirmware;
        ScriptedSindor23 a(&s, c.o2, c.h2s, c.o2DateFailed);
        Run(a, 0, [&](wkit::Window& w, CAdjustmentSheet&) {
            EXPECT_EQ(w.IsEnabled(IDC_ADJ_O2_MEAS), c.o2 == 1);
            EXPECT_EQ(w.IsEnabled(IDC_ADJ_O2_DATE), c.o2 == 1 && !c.o2DateFailed);
            EXPECT_EQ(w.Text(IDC_ADJ_O2_DATE), c.o2 && !c.o2DateFailed ? "04.03.2020" : "");
            EXPECT_EQ(w.IsEnabled(IDC_ADJ_O2_SETPOINT), c.o2 == 1 && c.newFirmware);
            EXPECT_EQ(w.IsEnabled(IDC_ADJ_H2S_MEAS), c.h2s == 1);
            EXPECT_EQ(w.Text(IDC_ADJ_H2S_DATE), c.h2s ? "06.05.2021" : "");
            if (c.o2 && c.h2s) w.Shot("adjustment-ranges-sindor23");
            EXPECT_EQ(w.Text(IDC_ADJ_H2S_MEAS), c.h2s ? "27.5 ppm" : "") << "component 2";
            EXPECT_EQ(w.Text(IDC_ADJ_O2_MEAS), c.o2 ? "37.5 ppm" : "") << "component 3";
            w.PressCancel();
        });
    }
}

// ---- the range page: writes and calibrations ------------------------------------------------

TEST_F(AdjustSheet, OkWithoutAnEditSendsNothing) {
    kit.SetOnline(true);
    AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
    Run(a, 0, [&](wkit::Window& w, CAdjustmentSheet&) {
        script.calls.clear();
        w.PressOK();
    });
    EXPECT_TRUE(Calls({"CommonZero", "AdjustAll", "SetNullGas", "SetSlopeGas"}).empty());
}

TEST_F(AdjustSheet, TheZeroButtonAppliesStartsAndThePromptSetsTheStageOrMeasures) {
    kit.SetOnline(true);
    for (int answer : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(answer);
        script.calls.clear();
        AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
        wkit::BoxRecorder boxes;
        boxes.answers = {answer};
        Run(a, 0, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
            CAdjustRangeGrid& grid = sheet.m_rangePage.GetGrid();
            TypeCell(grid, 2, 0, "2");
            script.calls.clear();
            PressCellButton(grid, 1, 1);
            EXPECT_EQ(Text(grid, 2, 0), "2.000 ppm") << "the accepted set-point as stored";
            w.PressCancel();
        });
        EXPECT_THAT(
            Calls({"CommonZero", "AdjustAll", "SetNullGas", "SetSlopeGas", "AdjustZeroPoint",
                   "AdjustSlope", "SetCompStage", "Measure"}),
            ElementsAre("CommonZero(0)", "AdjustAll(0,0)", "SetNullGas(0,9.500)",
                        "SetSlopeGas(0,2.000,1.500,2.500,3.500)", "AdjustAll(1,1)",
                        "SetNullGas(1,19.500)", "SetSlopeGas(1,10.500,11.500,12.500,13.500)",
                        "AdjustZeroPoint(1)", answer == IDOK ? "SetCompStage(1)" : "Measure()"));
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], LoadText(IDS_START_CALIBRATION));
    }
}

TEST_F(AdjustSheet, ASpanButtonSetsTheTotalRangeSwitchAndStartsItsRange) {
    kit.SetOnline(true);
    AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
    wkit::BoxRecorder boxes;
    Run(a, 0, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
        script.calls.clear();
        PressCellButton(sheet.m_rangePage.GetGrid(), 4, 0);
        w.PressCancel();
    });
    EXPECT_THAT(Calls({"AdjustAll", "AdjustSlope", "SetCompStage"}),
                ElementsAre("AdjustAll(0,0)", "AdjustSlope(0,3)", "SetCompStage(0)"));
}

TEST_F(AdjustSheet, ARunningCalibrationGoesStraightToThePrompt) {
    kit.SetOnline(true);
    for (int channel : {5, 6}) {
        script.calls.clear();
        script.channelState = channel;
        AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
        wkit::BoxRecorder boxes;
        boxes.answers = {IDOK, IDOK};
        Run(a, 0, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
            TypeCell(sheet.m_rangePage.GetGrid(), 2, 0, "no number");
            script.calls.clear();
            PressCellButton(sheet.m_rangePage.GetGrid(), 1, 0);
            w.PressCancel();
        });
        EXPECT_THAT(Calls({"CommonZero", "AdjustAll", "SetNullGas", "SetSlopeGas",
                           "AdjustZeroPoint", "SetCompStage", "Measure"}),
                    ElementsAre("SetCompStage(0)", "Measure()"))
            << "the prompt, then the closing question";
    }
}

TEST_F(AdjustSheet, TheButtonDoesNotStartAnotherCalibrationWhileThePromptIsOpen) {
    kit.SetOnline(true);
    AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
    CAdjustRangeGrid* pGrid = nullptr;
    driver.OnOpen(wkit::Box("to start the calibration"), [&](wkit::Window& box) {
        EXPECT_EQ(CPageAdjustRange::GetCalibrationDepth(), 1);
        const size_t before = script.calls.size();
        PressCellButton(*pGrid, 2, 1);
        EXPECT_EQ(script.calls.size(), before);
        box.PressOK();
    });
    Run(a, 0, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
        pGrid = &sheet.m_rangePage.GetGrid();
        script.calls.clear();
        PressCellButton(*pGrid, 1, 0);
        EXPECT_EQ(CPageAdjustRange::GetCalibrationDepth(), 0);
        w.PressCancel();
    });
    EXPECT_THAT(Calls({"AdjustZeroPoint", "AdjustSlope", "SetCompStage"}),
                ElementsAre("AdjustZeroPoint(0)", "SetCompStage(0)"));
}

TEST_F(AdjustSheet, AFailedWriteStopsTheCalibrationAndKeepsTheSheetOpen) {
    kit.SetOnline(true);
    script.results["SetNullGas"] = 0;
    AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
    wkit::BoxRecorder boxes;
    Run(a, 0, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
        TypeCell(sheet.m_rangePage.GetGrid(), 2, 0, "3");
        PressCellButton(sheet.m_rangePage.GetGrid(), 1, 0);
        w.PressOK();
        EXPECT_TRUE(w.IsOpen());
        script.results["SetNullGas"] = 1;
        w.PressCancel();
    });
    EXPECT_TRUE(Calls({"AdjustZeroPoint", "SetCompStage"}).empty());
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(AdjustSheet, ATextThatIsNoNumberKeepsThePageOfflineToo) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Sindor 6", 2);
    wkit::BoxRecorder boxes;
    Run(*a, 0, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
        CAdjustRangeGrid& grid = sheet.m_rangePage.GetGrid();
        TypeCell(grid, 1, 0, "zero");
        w.PressOK();
        EXPECT_TRUE(w.IsOpen());
        TypeCell(grid, 1, 0, "3");
        TypeCell(grid, 3, 1, "44.5");
        grid.SetCellInt(grid.GetSwitchCol(), 1, 1);
        grid.OnCellChanged(grid.GetSwitchCol(), 1);
        w.Check(IDC_ADJ_COMMON_ZERO);
        w.PressOK();
    });
    EXPECT_THAT(boxes.texts, ElementsAre("Please enter a numeric value."));
    Run(*a, 0, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
        CAdjustRangeGrid& grid = sheet.m_rangePage.GetGrid();
        EXPECT_EQ(grid.m_zeroGas[0].value, 3.0) << "the number, not the text, is stored";
        EXPECT_EQ(grid.m_spanGas[1][1].value, 44.5);
        EXPECT_EQ(grid.GetCellInt(grid.GetSwitchCol(), 1), 1);
        EXPECT_EQ(w.CheckState(IDC_ADJ_COMMON_ZERO), BST_CHECKED);
        w.PressCancel();
    });
}

TEST_F(AdjustSheet, AComponentWhoseValuesWereNotReadIsNeitherEditableNorWritten) {
    kit.SetOnline(true);
    AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
    script.results["GetSlopeGas"] = 0;
    Run(a, 0, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
        CAdjustRangeGrid& grid = sheet.m_rangePage.GetGrid();
        EXPECT_TRUE(Locked(grid, 2, 0));
        EXPECT_EQ(Text(grid, 2, 0), "");
        script.calls.clear();
        w.Check(IDC_ADJ_COMMON_ZERO);
        w.PressOK();
    });
    EXPECT_THAT(Calls({"CommonZero", "SetNullGas", "SetSlopeGas"}), ElementsAre("CommonZero(1)"));
}

TEST_F(AdjustSheet, SensorSetPointsAreNumbersWithTheirUnitAndThatNumberIsWritten) {
    kit.SetOnline(true);
    ScriptedSindor23 a(&script, 1, 1);
    wkit::BoxRecorder boxes;
    Run(a, 0, [&](wkit::Window& w, CAdjustmentSheet&) {
        // The number typed in place of the shown one, its unit text left behind it.
        const std::string shown = w.Text(IDC_ADJ_O2_SETPOINT);
        EXPECT_EQ(shown.substr(0, 2), "0 ");
        w.SetText(IDC_ADJ_O2_SETPOINT, "air");
        w.PressApply();
        EXPECT_THAT(boxes.texts, ElementsAre("Please enter a numeric value."));
        w.SetText(IDC_ADJ_O2_SETPOINT, "20.95" + shown.substr(1));
        w.SetText(IDC_ADJ_H2S_SETPOINT, "40");
        w.SetText(IDC_ADJ_H2S_DATE, "07.08.2022");
        script.calls.clear();
        w.PressOK();
    });
    EXPECT_THAT(
        Calls({"SetSlopeGasO2", "SetSlopeGasH2S", "SetDateH2S", "SetDateOxy"}),
        ElementsAre("SetDateH2S(07.08.2022)", "SetSlopeGasH2S(2,40)", "SetSlopeGasO2(3,20.95)"));
}

TEST_F(AdjustSheet, ABadDateKeepsThePage) {
    kit.SetOnline(true);
    ScriptedSindor23 a(&script, 1, 0);
    wkit::BoxRecorder boxes;
    Run(a, 0, [&](wkit::Window& w, CAdjustmentSheet&) {
        w.SetText(IDC_ADJ_O2_DATE, "31.02.1960");
        script.calls.clear();
        w.PressOK();
        EXPECT_TRUE(w.IsOpen());
        w.PressCancel();
    });
    EXPECT_THAT(boxes.texts, ElementsAre(LoadText(IDS_ENTER_VALID_DATE)));
    EXPECT_TRUE(Calls({"SetSlopeGasO2", "SetDateOxy", "SetSlopeGas"}).empty());
}

TEST_F(AdjustSheet, TheO2RateOfRiseDependsOnTheFirmware) {
    kit.SetOnline(true);
    for (bool newFirmware : {false, true}) {
        SCOPED_TRACE(newFirmware ? "2.14.3 or later" : "older");
        AdjustScript s;
        s.newFirmware = newFirmware;
        ScriptedSindor23 a(&s, 1, 0);
        driver.AnswerBox("to start the calibration", IDOK);
        CAdjustmentSheet sheet(&a);
        driver.OnOpen(wkit::Class(RUNTIME_CLASS(CAdjustmentSheet)), [&](wkit::Window& w) {
            s.calls.clear();
            w.Click(IDC_ADJ_O2_RISE);
            w.PressCancel();
        });
        sheet.DoModal();
        std::vector<std::string> expected = {"AdjustZeroPoint(0)", "SetCompStage(0)"};
        if (newFirmware) expected = {"SetSlopeGasO2(3,0)", "AdjustRiseO2()", "SetCompStage(0)"};
        std::vector<std::string> calls;
        for (const std::string& call : s.calls)
            if (call.find("SlopeGasO2") != std::string::npos ||
                call.find("Adjust") != std::string::npos || call.find("Stage") != std::string::npos)
                calls.push_back(call);
        EXPECT_EQ(calls, expected);
    }
}

TEST_F(AdjustSheet, ASensorZeroStartsOnlyInStandbyOrMeasureAndThePromptStandsAtTheGrid) {
    kit.SetOnline(true);
    for (int channel : {3, 4, 5}) {
        SCOPED_TRACE(channel);
        AdjustScript s;
        s.channelState = channel;
        ScriptedSindor23 a(&s, 1, 1);
        wkit::BoxRecorder boxes;
        RECT frame = {}, carrier = {};
        if (channel != 5)
            driver.OnOpen(wkit::Box("to start the calibration"), [&](wkit::Window& box) {
                // The box stands on its carrier, placed at the frame's corner.
                HWND hCarrier = ::FindWindowA(NULL, "nuraMessageBoxPosWnd");
                EXPECT_TRUE(hCarrier != NULL);
                if (hCarrier != NULL) ::GetWindowRect(hCarrier, &carrier);
                box.PressCancel();
            });
        CAdjustmentSheet sheet(&a);
        driver.OnOpen(wkit::Class(RUNTIME_CLASS(CAdjustmentSheet)), [&](wkit::Window& w) {
            ::GetWindowRect(w.Control(IDC_ADJ_GRID_FRAME), &frame);
            s.calls.clear();
            w.Click(IDC_ADJ_H2S_ZERO);
            w.PressCancel();
        });
        sheet.DoModal();
        if (channel == 5) {
            ASSERT_FALSE(boxes.texts.empty());
            EXPECT_EQ(boxes.texts[0], LoadText(IDS_SENSOR_ZERO_STATE));
            EXPECT_TRUE(s.CallsStartingWith("AdjustZeroPointH2S").empty());
        } else {
            EXPECT_THAT(s.CallsStartingWith("AdjustZeroPointH2S"),
                        ElementsAre("AdjustZeroPointH2S()"));
            EXPECT_THAT(s.CallsStartingWith("Measure"), ElementsAre("Measure()"));
            EXPECT_EQ(carrier.left, frame.left);
            EXPECT_EQ(carrier.top, frame.top);
            EXPECT_TRUE(boxes.texts.empty()) << "the prompt is not a plain box";
        }
    }
}

TEST_F(AdjustSheet, ForwardedTicksRefreshTheMeasuredValuesAndKeepTypedText) {
    kit.SetOnline(true);
    ScriptedSindor23 a(&script, 1, 1);
    Run(a, 0, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
        ASSERT_EQ(kit.frame.timerTarget, &sheet.m_rangePage);
        w.SetText(IDC_ADJ_H2S_SETPOINT, "12 typed");
        script.calls.clear();
        ::SendMessageA(sheet.m_rangePage.m_hWnd, WM_TIMER, 1, 0);
        EXPECT_THAT(script.CallsStartingWith("GetMeas"), ElementsAre("GetMeas()", "GetMeas()"));
        EXPECT_EQ(w.Text(IDC_ADJ_H2S_SETPOINT), "12 typed");
        EXPECT_EQ(Text(sheet.m_rangePage.GetGrid(), 0, 1), "17.5 ppm");
        ASSERT_TRUE(w.SelectPage(1));
        EXPECT_EQ(kit.frame.timerTarget, &sheet.m_sensorPage);
        w.PressCancel();
    });
    EXPECT_EQ(kit.frame.timerTarget, nullptr);
}

// ---- the pressure sensor page ---------------------------------------------------------------

TEST_F(AdjustSheet, ThePressureSetPointStartsAsTheMeasuredTextAndAdjustWritesItBack) {
    kit.SetOnline(true);
    AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 1, 0, 0);
    CString unit;
    CVaskInstrument::GetUnitText(unit, script.pressure.unit);
    wkit::BoxRecorder boxes;
    Run(a, 1, [&](wkit::Window& w, CAdjustmentSheet&) {
        EXPECT_EQ(w.Text(IDC_ADJ_PRESSURE_MEAS), "1013.250 " + std::string(unit));
        EXPECT_EQ(w.Text(IDC_ADJ_PRESSURE_SETPOINT), "1013.250 " + std::string(unit));
        script.calls.clear();
        w.Click(IDC_ADJ_PRESSURE_ADJUST);
        // A forwarded tick reads the pressure again and keeps what the user typed.
        script.pressure = AdjustScript::Pressure("990.5");
        w.SetText(IDC_ADJ_PRESSURE_SETPOINT, "1000");
        ::SendMessageA(::GetParent(w.Control(IDC_ADJ_PRESSURE_MEAS)), WM_TIMER, 1, 0);
        EXPECT_EQ(w.Text(IDC_ADJ_PRESSURE_MEAS), "990.5 " + std::string(unit));
        EXPECT_EQ(w.Text(IDC_ADJ_PRESSURE_SETPOINT), "1000");
        w.SetText(IDC_ADJ_PRESSURE_SETPOINT, "high");
        w.Click(IDC_ADJ_PRESSURE_ADJUST);
        w.PressOK();
    });
    EXPECT_THAT(script.CallsStartingWith("SetAirPressure"),
                ElementsAre("SetAirPressure(1013.250=1013.25)"));
    EXPECT_THAT(boxes.texts, ElementsAre("Please enter a numeric value."));
}

TEST_F(AdjustSheet, ThePressureControlsByModelAndAccess) {
    kit.SetOnline(true);
    struct Case {
        int model;  // 0 Sindor 6, 1 Quenta 6, 2 Lorvix 62
        int level, state;
        bool enabled;
    } cases[] = {
        {0, 2, 2, true}, {1, 2, 2, false}, {2, 2, 2, false}, {0, 1, 2, false}, {0, 2, 3, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model * 100 + c.level * 10 + c.state);
        kit.SetAccessLevel(c.level);
        AdjustScript s;
        s.state = c.state;
        std::unique_ptr<CVaskInstrument> a;
        if (c.model == 0) a.reset(new AdjustScripted<CSindor6>(&s, "S6", nullptr, 1, 1, 0, 0));
        if (c.model == 1) a.reset(new AdjustScripted<CQuenta6>(&s, "Q6", nullptr, 1, 1, 0, 0));
        if (c.model == 2) a.reset(new AdjustScripted<CLorvix62>(&s, "L62", nullptr, 1, 1, 0, 0));
        Run(*a, 1, [&](wkit::Window& w, CAdjustmentSheet&) {
            for (int id :
                 {IDC_ADJ_PRESSURE_ADJUST, IDC_ADJ_PRESSURE_MEAS, IDC_ADJ_PRESSURE_SETPOINT})
                EXPECT_EQ(w.IsEnabled(id), c.enabled) << id;
            w.PressCancel();
        });
    }
}

TEST_F(AdjustSheet, OfflineThePressurePageShowsNothingAndAdjustSendsNothing) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Sindor 6", 1);
    Run(*a, 1, [&](wkit::Window& w, CAdjustmentSheet&) {
        EXPECT_EQ(w.Text(IDC_ADJ_PRESSURE_MEAS), "");
        EXPECT_EQ(w.Text(IDC_ADJ_PRESSURE_SETPOINT), "");
        EXPECT_FALSE(w.IsEnabled(IDC_ADJ_PRESSURE_ADJUST));
        w.PressCancel();
    });
}

// ---- the AUTOCAL page -----------------------------------------------------------------------

std::vector<std::string> Column(wkit::Window& w, int col) {
    CListCtrl* pList = (CListCtrl*)CWnd::FromHandlePermanent(w.Control(IDC_ACAL_SEQUENCE));
    std::vector<std::string> texts;
    for (int i = 0; pList != NULL && i < pList->GetItemCount(); ++i)
        texts.push_back((LPCSTR)pList->GetItemText(i, col));
    return texts;
}

void SelectRow(wkit::Window& w, int row) {
    CListCtrlEx* pList = (CListCtrlEx*)CWnd::FromHandlePermanent(w.Control(IDC_ACAL_SEQUENCE));
    pList->SetItemState(-1, 0, LVIS_SELECTED);
    pList->SelectItem(row);
}

const int kAutocalControls[] = {IDC_ACAL_ASSIGN,    IDC_ACAL_START,          IDC_ACAL_SEQUENCE,
                                IDC_ACAL_STEPS,     IDC_ACAL_SETPOINT_AFTER, IDC_ACAL_CYCLE_TIME,
                                IDC_ACAL_ON,        IDC_ACAL_FUNCTION,       IDC_ACAL_NEXT_IN,
                                IDC_ACAL_STEP_TIME, IDC_ACAL_START_CHECK,    IDC_ACAL_BY_INPUT,
                                IDC_ACAL_BY_CYCLE,  IDC_ACAL_ZERO_TOL,       IDC_ACAL_SENS_TOL};

TEST_F(AdjustSheet, WithoutTheOptionBoardTheAutocalPageIsLockedAndReadsNothing) {
    for (bool online : {true, false}) {
        SCOPED_TRACE(online ? "online" : "offline");
        kit.SetOnline(online);
        script.calls.clear();
        AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 1, 0, 0);
        Run(a, 2, [&](wkit::Window& w, CAdjustmentSheet&) {
            EXPECT_TRUE(w.IsVisible(IDC_ACAL_NO_BOARD));
            EXPECT_EQ(w.Text(IDC_ACAL_NO_BOARD), "No AUTOCAL because optional board is missing");
            for (int id : kAutocalControls) EXPECT_FALSE(w.IsEnabled(id)) << id;
            EXPECT_TRUE(Column(w, 0).empty());
            w.PressCancel();
        });
        EXPECT_TRUE(script.CallsStartingWith("GetAutocal").empty());
    }
}

TEST_F(AdjustSheet, AutocalReadsShowsAndWritesInItsOrder) {
    kit.SetOnline(true);
    script.extensionCard = 1;
    AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 1, 0, 0);
    CString unit;
    CVaskInstrument::GetUnitText(unit, 20);
    const std::string u = " " + std::string(unit);
    Run(a, 2, [&](wkit::Window& w, CAdjustmentSheet&) {
        EXPECT_FALSE(w.IsVisible(IDC_ACAL_NO_BOARD));
        EXPECT_EQ(w.CheckState(IDC_ACAL_ON), BST_CHECKED);
        EXPECT_EQ(w.CheckState(IDC_ACAL_BY_CYCLE), BST_CHECKED);
        EXPECT_EQ(w.Selection(IDC_ACAL_FUNCTION), "AUTOCAL");
        EXPECT_EQ(w.Text(IDC_ACAL_CYCLE_TIME), "24" + u);
        EXPECT_EQ(w.Text(IDC_ACAL_NEXT_IN), "5" + u);
        EXPECT_EQ(w.Text(IDC_ACAL_ZERO_TOL), "1.5");
        std::vector<std::string> names = Column(w, 0);
        ASSERT_EQ(names.size(), 12u);
        EXPECT_EQ(names[0], "Zero gas 1");
        EXPECT_EQ(names[2], "Free");
        EXPECT_EQ(Column(w, 1)[0], "60" + u);
        EXPECT_EQ(Column(w, 1)[2], "---");
        EXPECT_EQ(w.Text(IDC_ACAL_STEP_TIME), "60" + u) << "the first row is selected";
        EXPECT_EQ(w.Selection(IDC_ACAL_STEPS), "Zero gas 1");
        w.Shot("adjustment-autocal");
        SelectRow(w, 2);
        w.Pick(IDC_ACAL_STEPS, "Span gas 2");
        w.SetText(IDC_ACAL_STEP_TIME, "45");
        w.Click(IDC_ACAL_ASSIGN);
        EXPECT_EQ(Column(w, 0)[2], "Span gas 2");
        w.SetText(IDC_ACAL_NEXT_IN, "12.7");
        w.PickIndex(IDC_ACAL_FUNCTION, 1);
        script.calls.clear();
        w.PressApply();
        EXPECT_EQ(w.Text(IDC_ACAL_NEXT_IN), "12" + u);
        w.PressCancel();
    });
    EXPECT_THAT(
        Calls({"SetAutocalMode", "SetAutocalSteps", "SetAutocalRinseTime1", "SetAutocalRinseTime2",
               "SetAutocalCycle", "SetAutocalCheckTolerances"}),
        ElementsAre("SetAutocalMode(1,0,1,1)", "SetAutocalSteps(2,4,5,8,1,1,1,1,1,1,1,1)",
                    "SetAutocalRinseTime1(60,90,45,120,0,0)", "SetAutocalRinseTime2(0,0,0,0,0,0)",
                    "SetAutocalCycle(24,12,3)", "SetAutocalCheckTolerances(1.5,2.5)"));
}

TEST_F(AdjustSheet, AFreeStepShowsNoTimeAndAnUnknownTypeIsKept) {
    kit.SetOnline(true);
    script.extensionCard = 1;
    script.steps[1] = 40;
    AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 1, 0, 0);
    Run(a, 2, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
        EXPECT_EQ(Column(w, 0)[1], "Unknown");
        SelectRow(w, 0);
        w.Pick(IDC_ACAL_STEPS, "Free");
        w.Click(IDC_ACAL_ASSIGN);
        EXPECT_EQ(Column(w, 1)[0], "---");
        EXPECT_EQ(sheet.m_autocalPage.GetStepTime(0).value, 0.0);
        script.calls.clear();
        w.PressApply();
        w.PressCancel();
    });
    EXPECT_THAT(script.CallsStartingWith("SetAutocalSteps"),
                ElementsAre("SetAutocalSteps(1,40,1,8,1,1,1,1,1,1,1,1)"));
    EXPECT_THAT(script.CallsStartingWith("SetAutocalRinseTime1"),
                ElementsAre("SetAutocalRinseTime1(0,90,0,120,0,0)"));
}

TEST_F(AdjustSheet, AnUnreadSequenceIsNotWrittenWithTheOtherSettings) {
    kit.SetOnline(true);
    script.extensionCard = 1;
    script.results["GetAutocalRinseTime2"] = 0;
    AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 1, 0, 0);
    Run(a, 2, [&](wkit::Window& w, CAdjustmentSheet&) {
        EXPECT_TRUE(Column(w, 0).empty());
        w.SetText(IDC_ACAL_CYCLE_TIME, "48");
        script.calls.clear();
        w.PressOK();
    });
    EXPECT_TRUE(Calls({"SetAutocalSteps", "SetAutocalRinseTime1", "SetAutocalRinseTime2"}).empty());
    EXPECT_THAT(Calls({"SetAutocalMode", "SetAutocalCycle", "SetAutocalCheckTolerances"}),
                ElementsAre("SetAutocalMode(1,0,1,0)", "SetAutocalCycle(48,5,3)",
                            "SetAutocalCheckTolerances(1.5,2.5)"));
}

TEST_F(AdjustSheet, AnUnreadCycleOrToleranceIsNeitherEditableNorWritten) {
    kit.SetOnline(true);
    script.extensionCard = 1;
    script.results["GetAutocalCycle"] = 0;
    script.results["GetAutocalCheckTolerances"] = 0;
    AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 1, 0, 0);
    Run(a, 2, [&](wkit::Window& w, CAdjustmentSheet&) {
        for (int id : {IDC_ACAL_NEXT_IN, IDC_ACAL_CYCLE_TIME, IDC_ACAL_SETPOINT_AFTER,
                       IDC_ACAL_ZERO_TOL, IDC_ACAL_SENS_TOL})
            EXPECT_FALSE(w.IsEnabled(id)) << id;
        w.Check(IDC_ACAL_BY_INPUT, BST_CHECKED);
        script.calls.clear();
        // The empty fields do not keep the page.
        w.PressOK();
    });
    EXPECT_THAT(Calls({"SetAutocalMode", "SetAutocalCycle", "SetAutocalCheckTolerances"}),
                ElementsAre("SetAutocalMode(1,1,1,0)"));
}

TEST_F(AdjustSheet, TheSindor23HasItsOwnLayoutOneStepTimeAndOnByItsCycleTime) {
    kit.SetOnline(true);
    script.cycle[0] = 0;
    ScriptedSindor23 a(&script, 0, 0);
    Run(a, 2, [&](wkit::Window& w, CAdjustmentSheet&) {
        EXPECT_EQ(w.CheckState(IDC_ACAL_ON), BST_UNCHECKED) << "cycle time 0";
        for (int id : {IDC_ACAL_SETPOINT_AFTER, IDC_ACAL_SETPOINT_LABEL, IDC_ACAL_CYCLES_LABEL,
                       IDC_ACAL_NO_BOARD})
            EXPECT_FALSE(w.IsVisible(id)) << id;
        for (int id : {IDC_ACAL_SEQUENCE, IDC_ACAL_STEPS, IDC_ACAL_FUNCTION, IDC_ACAL_NEXT_IN,
                       IDC_ACAL_ON, IDC_ACAL_START_CHECK, IDC_ACAL_ZERO_TOL, IDC_ACAL_SENS_TOL,
                       IDC_ACAL_BY_INPUT, IDC_ACAL_BY_CYCLE})
            EXPECT_FALSE(w.IsEnabled(id)) << id;
        for (int id : {IDC_ACAL_CYCLE_TIME, IDC_ACAL_STEP_TIME, IDC_ACAL_ASSIGN, IDC_ACAL_START})
            EXPECT_TRUE(w.IsEnabled(id)) << id;
        EXPECT_EQ(Column(w, 0).size(), 6u) << "without the option board";
        // The selected row is the first; the list itself is locked.
        w.SetText(IDC_ACAL_STEP_TIME, "30");
        w.Click(IDC_ACAL_ASSIGN);
        std::vector<std::string> times = Column(w, 1);
        CString unit;
        CVaskInstrument::GetUnitText(unit, 20);
        const std::string t = "30.000 " + std::string(unit);
        EXPECT_THAT(times, ElementsAre(t, t, "---", t, "---", "---"));
        // Leaving the cycle time switches AUTOCAL by it; a text that is no number is refused.
        auto leaveCycleTime = [&](const char* text) {
            w.SetText(IDC_ACAL_CYCLE_TIME, text);
            HWND edit = w.Control(IDC_ACAL_CYCLE_TIME);
            ::SendMessageA(::GetParent(edit), WM_COMMAND,
                           MAKEWPARAM(IDC_ACAL_CYCLE_TIME, EN_KILLFOCUS), (LPARAM)edit);
        };
        wkit::BoxRecorder boxes;
        leaveCycleTime("6");
        EXPECT_EQ(w.CheckState(IDC_ACAL_ON), BST_CHECKED);
        leaveCycleTime("never");
        EXPECT_THAT(boxes.texts, ElementsAre("Please enter a numeric value."));
        leaveCycleTime("0");
        EXPECT_EQ(w.CheckState(IDC_ACAL_ON), BST_UNCHECKED);
        w.SetText(IDC_ACAL_CYCLE_TIME, "6");
        script.calls.clear();
        w.PressOK();
    });
    EXPECT_THAT(Calls({"SetAutocalMode", "SetAutocalRinseTime1", "SetAutocalCycle",
                       "SetAutocalCheckTolerances"}),
                ElementsAre("SetAutocalMode(1,1,1,0)", "SetAutocalRinseTime1(30,30,0,30,0,0)",
                            "SetAutocalCycle(6,5,3)"));
}

TEST_F(AdjustSheet, StartingAsksToApplyPendingEditsAndStopsWhenTheyFail) {
    kit.SetOnline(true);
    script.extensionCard = 1;
    AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 1, 0, 0);
    wkit::BoxRecorder boxes;
    boxes.answers = {IDCANCEL, IDOK, IDOK};
    Run(a, 2, [&](wkit::Window& w, CAdjustmentSheet&) {
        script.calls.clear();
        w.Click(IDC_ACAL_START);
        EXPECT_TRUE(boxes.texts.empty()) << "no changes: started at once";
        EXPECT_THAT(script.CallsStartingWith("Autocal"), ElementsAre("Autocal()"));
        w.SetText(IDC_ACAL_CYCLE_TIME, "12");
        script.calls.clear();
        w.Click(IDC_ACAL_START_CHECK);  // Cancel
        EXPECT_TRUE(script.calls.empty());
        w.Click(IDC_ACAL_START_CHECK);  // OK
        EXPECT_THAT(Calls({"SetAutocalCycle", "AutocalCheck"}),
                    ElementsAre("SetAutocalCycle(12,5,3)", "AutocalCheck()"));
        EXPECT_EQ(kit.frame.hints.size(), 1u);
        script.results["SetAutocalMode"] = 0;
        script.calls.clear();
        w.Click(IDC_ACAL_START);  // OK, the write fails
        EXPECT_TRUE(script.CallsStartingWith("Autocal(").empty());
        script.results["SetAutocalMode"] = 1;
        w.PressCancel();
    });
    ASSERT_EQ(boxes.texts.size(), 3u);
    EXPECT_EQ(boxes.texts[0], LoadText(IDS_APPLY_BEFORE_ACAL_CHECK));
    EXPECT_EQ(boxes.texts[2], LoadText(IDS_APPLY_BEFORE_AUTOCAL));
}

TEST_F(AdjustSheet, APageThatFailsItsChecksIsNotLeft) {
    kit.SetOnline(true);
    script.extensionCard = 1;
    AdjustScripted<CSindor6> a(&script, "S6", nullptr, 1, 1, 0, 0);
    wkit::BoxRecorder boxes;
    Run(a, 2, [&](wkit::Window& w, CAdjustmentSheet&) {
        w.SetText(IDC_ACAL_ZERO_TOL, "wide");
        EXPECT_FALSE(w.SelectPage(0));
        EXPECT_EQ(w.ActivePage(), 2);
        w.SetText(IDC_ACAL_ZERO_TOL, "2");
        EXPECT_TRUE(w.SelectPage(0));
        w.PressCancel();
    });
    EXPECT_THAT(boxes.texts, ElementsAre("Please enter a numeric value."));
}

TEST_F(AdjustSheet, OfflineAutocalValuesAreStoredAsNumbers) {
    // With the option board.
    std::unique_ptr<CVaskInstrument> a = std::make_unique<CSindor6>("S6", nullptr, 1, 1, 1, 0);
    Run(*a, 2, [&](wkit::Window& w, CAdjustmentSheet&) {
        EXPECT_FALSE(w.IsEnabled(IDC_ACAL_START)) << "nothing starts offline";
        EXPECT_TRUE(w.IsEnabled(IDC_ACAL_CYCLE_TIME));
        w.SetText(IDC_ACAL_CYCLE_TIME, "36");
        w.SetText(IDC_ACAL_SETPOINT_AFTER, "4");
        w.SetText(IDC_ACAL_SENS_TOL, "2.25");
        w.SetText(IDC_ACAL_NEXT_IN, "7.9");
        w.Check(IDC_ACAL_BY_INPUT, BST_CHECKED);
        SelectRow(w, 1);
        w.Pick(IDC_ACAL_STEPS, "Span gas 2");
        w.SetText(IDC_ACAL_STEP_TIME, "75");
        w.Click(IDC_ACAL_ASSIGN);
        w.PressOK();
    });
    Run(*a, 2, [&](wkit::Window& w, CAdjustmentSheet& sheet) {
        EXPECT_EQ(w.Text(IDC_ACAL_CYCLE_TIME).substr(0, 6), "36.000");
        EXPECT_EQ(w.Text(IDC_ACAL_SETPOINT_AFTER).substr(0, 5), "4.000");
        EXPECT_EQ(w.Text(IDC_ACAL_SENS_TOL), "2.250");
        EXPECT_EQ(w.Text(IDC_ACAL_NEXT_IN).substr(0, 5), "7.000");
        EXPECT_EQ(w.CheckState(IDC_ACAL_BY_INPUT), BST_CHECKED);
        EXPECT_EQ(Column(w, 0)[1], "Span gas 2");
        EXPECT_EQ(sheet.m_autocalPage.GetStepTime(1).value, 75.0);
        w.PressCancel();
    });
}

}  // namespace
