// The grids of the parameter pages and the instrument grids on real analyzer objects of
// every model: layouts, the offline entries they read and write, the access rule with each
// grid's own locks, and (through scripted analyzers) the device reads and writes online.
#include "correctiongrid.h"
#include "disturbancegrid.h"
#include "gridtest_support.h"
#include "instrumentgrid.h"
#include "limitsgrid.h"
#include "rangegrid.h"
#include "sheetkit.h"
#include "switchmpointgrid.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

class PageGrids : public ::testing::Test {
protected:
    PageGrids() { kit.SetAccessLevel(2); }

    // The entry of a group by its name, with the value given.
    void SetEntry(CVaskInstrument& a, int group, const CString& name, double value,
                  BOOL key = FALSE) {
        CVaskParameter* entry = FindGroupEntry(&a, group, name, key);
        ASSERT_NE(entry, nullptr) << (LPCSTR)name;
        VaskFloat v;
        v.value = value;
        v.unit = 2;
        entry->SetValue(v);
    }
    double EntryValue(CVaskInstrument& a, CVaskParameter* entry) {
        VaskFloat v;
        EXPECT_NE(entry, nullptr);
        if (entry != nullptr) entry->GetValue(v);
        return v.value;
    }
    CInstrumentGridBase* CreateInstrumentGrid(CVaskInstrument& a) {
        // Each grid takes a control of its own, as each page has its own.
        const int id = kGridControlId + 100 + ++grids_;
        host.AddPlaceholder(id);
        if (!a.CreateDiagValues(&host.host, id)) return nullptr;
        CInstrumentGridBase* grid = dynamic_cast<CInstrumentGridBase*>(a.GetDiagValues());
        if (grid != nullptr) grid->Initialize(&a);
        return grid;
    }

    SheetKit kit;
    GridHost host;
    int grids_ = 0;
};

// ---- layouts ---------------------------------------------------------------------------------

TEST_F(PageGrids, LayoutsPerModel) {
    struct Case {
        const char* model;
        int components, o2, h2s;
        int ranges;             // range grid rows, limit range columns
        int componentRows;      // limits, time constants, instrument grid
        int noiseRows;          // interference filter
        int instrumentColumns;  // 12, or 4 on the Sindor 23
        const char* kindChoices;
    } cases[] = {
        {"Sindor 6", 2, 0, 0, 4, 2, 2, 12,
         "Without interference\nConstant interference correction\nInterference corr. with input 1\n"
         "Interference corr. with VASK\nInterference corr. with int. component\n"},
        {"Sindor 6", 1, 0, 0, 4, 1, 1, 12,
         "Without interference\nConstant interference correction\nInterference corr. with input 1\n"
         "Interference corr. with VASK\n"},
        {"Parvel 6", 1, 0, 0, 4, 1, 1, 12, nullptr},
        {"Lorvix 6", 1, 0, 0, 4, 1, 1, 12, nullptr},
        {"Quenta 6", 1, 0, 0, 4, 1, 1, 12, nullptr},
        {"Parvel 64", 1, 0, 0, 4, 1, 1, 12, nullptr},
        {"Lorvix 62", 1, 0, 0, 4, 1, 1, 12, nullptr},
        {"Sindor 23", 2, 1, 1, 2, 4, 2, 4, "Without interference\nInterference corr. with VASK\n"},
        {"Sindor 23", 3, 0, 0, 2, 3, 3, 4, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " with " + std::to_string(c.components));
        std::unique_ptr<CVaskInstrument> a = MakeOffline(c.model, c.components, c.o2, c.h2s);
        ASSERT_NE(a, nullptr);
        ASSERT_EQ(a->GetComponentCount(), c.components);

        auto range = host.Make<CRangeGrid>();
        range->Initialize(a.get());
        EXPECT_EQ(range->GetRowCount(), c.ranges);
        EXPECT_EQ(range->GetColCount(), 2);
        EXPECT_EQ(Text(*range, -1, -1) + "|" + Text(*range, 0, -1) + "|" + Text(*range, 1, -1),
                  "Range|Start value|End value");
        EXPECT_EQ(Text(*range, -1, c.ranges - 1), "Range: " + std::to_string(c.ranges));
        // A third of the 600 pixels each, fitted into the window: no horizontal bar.
        int rangeTotal = range->GetSettings()->GetHeadingColWidth(-1);
        for (int col = 0; col < range->GetColCount(); ++col)
            rangeTotal += range->GetColumnWidth(col);
        CRect rangeClient;
        range->GetClientRect(&rangeClient);
        EXPECT_LT(rangeTotal, rangeClient.Width());
        EXPECT_GE(range->GetColumnWidth(0), 600 / 3 - 2);
        EXPECT_EQ(CRect(range->GetSettings()->m_rcHScroll).Height(), 0);

        auto limits = host.Make<CLimitsGrid>();
        limits->Setup(a.get(), 1);
        EXPECT_EQ(limits->GetRowCount(), c.componentRows);
        EXPECT_EQ(limits->GetColCount(), c.ranges + 3);
        EXPECT_EQ(limits->GetColumnHeadingRowCount(), 2);
        EXPECT_EQ(Text(*limits, 2, -2), "Valid in range");
        EXPECT_EQ(Text(*limits, c.ranges + 2, -2), "on");
        EXPECT_EQ(Text(*limits, 3, -1), "Range: 2");
        int col = 2, row = -2, lastCol = 0, lastRow = 0;
        ASSERT_EQ(limits->GetMergeRange(col, row, lastCol, lastRow), 0);
        EXPECT_EQ(lastCol, c.ranges + 1) << "the heading spans the range columns";
        // A fifth of the 600 pixels for the value, twice a fourteenth per range runs past the
        // window: fitted to it, every heading whole.
        int total = limits->GetSettings()->GetHeadingColWidth(-1);
        for (int col = 0; col < limits->GetColCount(); ++col) total += limits->GetColumnWidth(col);
        CRect client;
        limits->GetClientRect(&client);
        EXPECT_LT(total, client.Width());
        EXPECT_EQ(wkit::Unfit(WholeGridTexts(*limits)), "");
        EXPECT_EQ(Caption(*limits, 1, 0), "Below Limit\nAbove Limit\n");

        auto times = host.Make<CDisturbanceGrid>();
        times->Initialize(a.get());
        EXPECT_EQ(times->GetRowCount(), c.componentRows);
        EXPECT_EQ(Text(*times, 2, -1), "Delta range");
        auto noise = host.Make<CDisturbanceValueGrid>();
        noise->Initialize(a.get());
        EXPECT_EQ(noise->GetRowCount(), c.noiseRows);

        CInstrumentGridBase* grid = CreateInstrumentGrid(*a);
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(grid->GetColCount(), c.instrumentColumns);
        EXPECT_EQ(grid->GetRowCount(), c.componentRows);
        EXPECT_EQ(Text(*grid, 0, -2), "Compensation with");
        EXPECT_EQ(Text(*grid, 1, -2),
                  c.instrumentColumns == 12 ? "Valid for range" : "Compensation via VASK");
        EXPECT_EQ(Text(*grid, 1, -1), c.instrumentColumns == 12 ? "MB: 1" : "Correction- factor");
        if (c.kindChoices != nullptr) { EXPECT_EQ(Caption(*grid, 0, 0), c.kindChoices); }
        EXPECT_EQ(dynamic_cast<CSindor23Grid*>(grid) != nullptr, c.instrumentColumns == 4);
        // The placeholder is 600 pixels wide: the kind W/5 + 20 (+ 60 on the Sindor 23), a
        // range flag W/12, the other columns W/6.
        if (c.instrumentColumns == 12) {
            EXPECT_EQ(grid->GetColumnWidth(0), 140);
            EXPECT_EQ(grid->GetColumnWidth(c.ranges), 50);
            EXPECT_EQ(grid->GetColumnWidth(5), 100);
        } else {
            EXPECT_EQ(grid->GetColumnWidth(0), 180);
            EXPECT_EQ(grid->GetColumnWidth(1), 100);
        }
    }
}

TEST_F(PageGrids, ASindor23ShowsItsSensorsAsRowsOfTheirOwnComponents) {
    // Only the O2 sensor: the third row is component 3, not a row past the grid's end.
    Script script;
    script.unit = 2;
    kit.SetOnline(true);
    Scripted<CSindor23> a(&script, "S23", nullptr, 1, 2, 0, 1, 0, 0, 0, 0);
    auto times = host.Make<CDisturbanceGrid>();
    times->Initialize(&a);
    ASSERT_EQ(times->GetRowCount(), 3);
    EXPECT_EQ(times->GetRowComponent(2), 3);
    EXPECT_THAT(
        script.CallsStartingWith("GetIntegrationTime"),
        ElementsAre("GetIntegrationTime(0)", "GetIntegrationTime(1)", "GetIntegrationTime(3)"));
    EXPECT_EQ(Text(*times, 0, 2), "31.5 ppm") << "T90 inside of component 3";
    EXPECT_EQ(Text(*times, -1, 2), (LPCSTR)a.GetComponentLabel(3));

    auto limits = host.Make<CLimitsGrid>();
    limits->Setup(&a, 2);
    EXPECT_EQ(limits->GetRowComponent(2), 3);
    EXPECT_EQ(script.CallsStartingWith("GetLimit2").back(), "GetLimit2Flags(3)");
}

// ---- offline entries -------------------------------------------------------------------------

TEST_F(PageGrids, OfflineTheGridsReadTheEntriesByTheirNames) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Parvel 6", 1);
    const CString label = a->GetComponentLabel(0);
    SetEntry(*a, kGroupMeasRanges, label + ": Range2: lower limit", 7);
    SetEntry(*a, kGroupMeasRanges, label + ": Range2: upper limit", 25);
    // Limit 1 names its range flags "%s: Range%d:", limits 2 to 4 "%s:Range%d:".
    SetEntry(*a, kGroupLimit1, label + ": Range3:", 1);
    SetEntry(*a, kGroupLimit1, label + ": Limit 1", 12.5);
    SetEntry(*a, kGroupLimit1 + 1, label + ":Range3:", 1);
    SetEntry(*a, kGroupLimit1 + 1, label + ": Alarm on", 1);
    SetEntry(*a, kGroupTimeConstants, label + ": T90 outside", 30);
    SetEntry(*a, kGroupTimeConstants, "C1: Dead Time", 4, TRUE);

    auto range = host.Make<CRangeGrid>();
    range->Initialize(a.get());
    EXPECT_EQ(Text(*range, 0, 1), "7.000 ppm");
    EXPECT_EQ(Text(*range, 1, 1), "25.000 ppm");

    auto limit1 = host.Make<CLimitsGrid>();
    limit1->Setup(a.get(), 1);
    EXPECT_EQ(Text(*limit1, 0, 0), "12.500 ppm");
    EXPECT_EQ(Text(*limit1, 4, 0), "1");
    auto limit2 = host.Make<CLimitsGrid>();
    limit2->Setup(a.get(), 2);
    EXPECT_EQ(Text(*limit2, 4, 0), "1");
    EXPECT_EQ(Text(*limit2, 1, 0), "Above Limit");

    auto times = host.Make<CDisturbanceGrid>();
    times->Initialize(a.get());
    EXPECT_EQ(Text(*times, 1, 0), "30.000 ppm");
    times->SetCellText(1, 0, "20 s");
    times->ReadBack();
    EXPECT_EQ(std::string(times->m_t90Outside[0].text), "20 s");
    EXPECT_EQ(times->m_t90Outside[0].value, 20);
    EXPECT_EQ(times->m_deadTime[0].value, 4) << "the dead time stays as read";
}

TEST_F(PageGrids, OfflineTheInstrumentGridWritesTheEntriesOfTheShownCorrection) {
    for (const char* model : {"Sindor 6", "Parvel 6"}) {
        SCOPED_TRACE(model);
        std::unique_ptr<CVaskInstrument> a = MakeOffline(model, 1);
        SetEntry(*a, kGroupInterference1, "C1: Type", 3, TRUE);
        SetEntry(*a, kGroupInterference1, "C1: Correction gas concentration", 2, TRUE);
        CInstrumentGridBase* grid = CreateInstrumentGrid(*a);
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(Text(*grid, 0, 0), "Interference corr. with VASK");
        grid->SetCellText(10, 0, "9");
        grid->SetCellText(5, 0, "5");
        grid->SetDropListIndex(2 - 2, 0, 2);  // "Interference corr. with input 1"
        grid->ReadCells();
        EXPECT_TRUE(grid->WriteValues());
        EXPECT_EQ(EntryValue(*a, FindGroupEntry(a.get(), kGroupInterference1, "C1: Type", TRUE)),
                  2);
        EXPECT_EQ(EntryValue(*a, FindEntryByKey(a.get(), "C1: Compensation component channel 1")),
                  9);
        // Only the Sindor 6, Quenta 6 and Lorvix 6 store the concentration.
        EXPECT_EQ(EntryValue(*a, FindGroupEntry(a.get(), kGroupInterference1,
                                                "C1: Correction gas concentration", TRUE)),
                  std::string(model) == "Sindor 6" ? 5 : 2);
    }
}

// ---- the access rule -------------------------------------------------------------------------

TEST_F(PageGrids, TheAccessRuleLocksEveryGridsValueCells) {
    struct Grid {
        const char* name;
        int col;  // a value cell of row 0 that the grid's own rules leave editable
        std::function<std::unique_ptr<CParamGrid>(CVaskInstrument*)> make;
    };
    const std::vector<Grid> grids = {
        {"range end", 1,
         [&](CVaskInstrument* a) {
             auto g = host.Make<CRangeGrid>();
             g->Initialize(a);
             return std::unique_ptr<CParamGrid>(std::move(g));
         }},
        {"limit alarm", 1,
         [&](CVaskInstrument* a) {
             auto g = host.Make<CLimitsGrid>();
             g->Setup(a, 1);
             return std::unique_ptr<CParamGrid>(std::move(g));
         }},
        {"limit on", 6,
         [&](CVaskInstrument* a) {
             auto g = host.Make<CLimitsGrid>();
             g->Setup(a, 3);
             return std::unique_ptr<CParamGrid>(std::move(g));
         }},
        {"T90", 0,
         [&](CVaskInstrument* a) {
             auto g = host.Make<CDisturbanceGrid>();
             g->Initialize(a);
             return std::unique_ptr<CParamGrid>(std::move(g));
         }},
        {"noise level", 1,
         [&](CVaskInstrument* a) {
             auto g = host.Make<CDisturbanceValueGrid>();
             g->Initialize(a);
             return std::unique_ptr<CParamGrid>(std::move(g));
         }},
        {"pressure kind", 0,
         [&](CVaskInstrument* a) {
             auto g = host.Make<CCorrectionGrid>();
             g->Initialize(a);
             return std::unique_ptr<CParamGrid>(std::move(g));
         }},
        {"sample time", 1,
         [&](CVaskInstrument* a) {
             auto g = host.Make<CSwitchMPointGrid>();
             g->Initialize(a);
             return std::unique_ptr<CParamGrid>(std::move(g));
         }},
    };
    for (int level = 0; level <= 3; ++level) {
        for (bool online : {false, true}) {
            for (int state : {2, 3, 4}) {
                if (!online && state != 2) continue;  // offline the state is not asked
                const bool editable = level >= 2 && (!online || state == 2);
                Script script;
                script.state = state;
                script.relays[0] = 18;  // relay 1 switches sample point 1
                Scripted<CParvel6> a(&script, "P6", nullptr, 1, 1, 0, 0);
                if (!online) {
                    VaskFloat relay;
                    relay.value = 18;
                    FindGroupEntry(&a, kGroupRelays, "Relay 1")->SetValue(relay);
                }
                kit.SetAccessLevel(level);
                kit.SetOnline(online);
                for (const Grid& g : grids) {
                    SCOPED_TRACE(std::string(g.name) + " level " + std::to_string(level) +
                                 (online ? " online state " + std::to_string(state) : " offline"));
                    std::unique_ptr<CParamGrid> grid = g.make(&a);
                    ASSERT_GT(grid->GetRowCount(), 0);
                    EXPECT_EQ(ReadOnly(*grid, g.col, 0), !editable);
                    if (!editable) { EXPECT_TRUE(Locked(*grid, g.col, 0)); }
                }
                CInstrumentGridBase* ig = CreateInstrumentGrid(a);
                ASSERT_NE(ig, nullptr);
                EXPECT_EQ(ReadOnly(*ig, 0, 0), !editable) << "the compensation kind";
                kit.SetOnline(false);
            }
        }
    }
}

TEST_F(PageGrids, ASindor23KeepsItsRangeStartsAndLimitRangesFixed) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Sindor 23", 2);
    auto range = host.Make<CRangeGrid>();
    range->Initialize(a.get());
    EXPECT_TRUE(ReadOnly(*range, 0, 0));
    EXPECT_FALSE(ReadOnly(*range, 1, 0));
    auto limits = host.Make<CLimitsGrid>();
    limits->Setup(a.get(), 1);
    for (int col : {2, 3}) {
        EXPECT_EQ(Text(*limits, col, 1), "1") << "every range flag set";
        EXPECT_TRUE(ReadOnly(*limits, col, 1));
        EXPECT_EQ(Back(*limits, col, 1), ::GetSysColor(COLOR_BTNFACE));
    }
    EXPECT_FALSE(ReadOnly(*limits, 4, 1)) << "the on column stays editable";
}

TEST_F(PageGrids, ThePressureCellsFollowTheChosenKind) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Parvel 6", 1);
    auto grid = host.Make<CCorrectionGrid>();
    grid->Initialize(a.get());
    // Columns 1 to 4: range start, range end, current range, bus channel.
    const struct {
        int index;
        bool start, end, current, channel;
    } cases[] = {{0, false, false, false, false},
                 {1, false, false, false, false},
                 {2, true, true, true, false},
                 {3, false, false, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        grid->SetDropListIndex(0, 0, c.index);
        grid->OnCellChanged(0, 0);
        EXPECT_FALSE(ReadOnly(*grid, 0, 0));
        EXPECT_EQ(!ReadOnly(*grid, 1, 0), c.start);
        EXPECT_EQ(!ReadOnly(*grid, 2, 0), c.end);
        EXPECT_EQ(!ReadOnly(*grid, 3, 0), c.current);
        EXPECT_EQ(!ReadOnly(*grid, 4, 0), c.channel);
        EXPECT_EQ(grid->m_pressureCorrection.correctionType, c.index);
    }
    // A text that is no choice keeps the kind read.
    grid->SetCellText(0, 0, "Typed");
    grid->ReadBack();
    EXPECT_EQ(grid->m_pressureCorrection.correctionType, 3);
}

TEST_F(PageGrids, ThePressureGridFormatsItsLowerHeadingRowOnly) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Parvel 6", 1);
    auto grid = host.Make<CCorrectionGrid>();
    grid->Initialize(a.get());
    ASSERT_EQ(grid->GetColumnHeadingRowCount(), 2);
    EXPECT_EQ(Text(*grid, 0, -2), "Compensation with");
    EXPECT_EQ(Text(*grid, 1, -1), "Range start value");
    for (int col = -1; col < 5; ++col) {
        SCOPED_TRACE(col);
        CGridCell lower, upper;
        grid->GetCell(col, -1, lower);
        grid->GetCell(col, -2, upper);
        EXPECT_TRUE(lower.HasProperties(GRIDCELL_TYPESTYLE));
        EXPECT_EQ(lower.GetCellTypeStyle(), 2);
        EXPECT_TRUE(lower.HasProperties(GRIDCELL_FONT));
        EXPECT_FALSE(upper.HasProperties(GRIDCELL_TYPESTYLE));
        EXPECT_FALSE(upper.HasProperties(GRIDCELL_FONT));
    }
}

TEST_F(PageGrids, TheLorvix6PressureListLacksTheInternalPressure) {
    Script script;
    script.pressure.correctionType = 2;
    kit.SetOnline(true);
    Scripted<CLorvix6> a(&script, "L6", nullptr, 1, 1, 0, 0);
    auto grid = host.Make<CCorrectionGrid>();
    grid->Initialize(&a);
    EXPECT_EQ(Caption(*grid, 0, 0), "Without pressure compensation\nAnalog current 2\nVASK\n");
    EXPECT_EQ(Text(*grid, 0, 0), "Analog current 2");
    EXPECT_EQ(Text(*grid, 4, 0), "5");
    EXPECT_THAT(script.calls, ElementsAre("GetPressureCorr(0)", "GetExtPressureRange(0)",
                                          "GetPressureCorrExt(0)"));
}

TEST_F(PageGrids, TheInstrumentGridLocksCellsByTheRowsKind) {
    // Columns: 0 kind, 1-4 ranges, 5 concentration, 6 equivalent, 7-9 analog input, 10-11 bus.
    struct Case {
        const char* model;
        int kind;
        std::vector<int> writable;
    } cases[] = {
        {"Sindor 6", 0, {0}},
        {"Sindor 6", 1, {0, 1, 2, 3, 4, 6}},
        {"Sindor 6", 2, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"Sindor 6", 3, {0, 1, 2, 3, 4, 5, 6, 10, 11}},
        {"Lorvix 6", 5, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"Parvel 6", 2, {0, 1, 2, 3, 4, 6, 7, 8, 9}},  // never the concentration
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " kind " + std::to_string(c.kind));
        std::unique_ptr<CVaskInstrument> a = MakeOffline(c.model, 1);
        CInstrumentGridBase* grid = CreateInstrumentGrid(*a);
        ASSERT_NE(grid, nullptr);
        grid->SetDropListIndex(0, 0, InterferenceValueToChoiceIndex(a.get(), c.kind));
        grid->OnCellChanged(0, 0);
        std::vector<int> writable;
        for (int col = 0; col < 12; ++col)
            if (!ReadOnly(*grid, col, 0)) writable.push_back(col);
        EXPECT_EQ(writable, c.writable);
    }
}

TEST_F(PageGrids, ASindor23ChangesItsKindOnlyOnTheFirstCorrection) {
    Script script;
    script.correction.correctionType = 3;
    kit.SetOnline(true);
    Scripted<CSindor23> a(&script, "S23", nullptr, 1, 2, 0, 0, 0, 0, 0, 0);
    CInstrumentGridBase* grid = CreateInstrumentGrid(a);
    ASSERT_NE(grid, nullptr);
    EXPECT_FALSE(ReadOnly(*grid, 0, 0));
    EXPECT_EQ(Text(*grid, 2, 0), "3");
    script.calls.clear();
    grid->ShowCorrection(1);
    EXPECT_TRUE(ReadOnly(*grid, 0, 0));
    EXPECT_FALSE(ReadOnly(*grid, 1, 0)) << "kind VASK: the factor stays editable";
    EXPECT_EQ(Text(*grid, 2, 0), "4") << "the channel of correction 2";
    EXPECT_THAT(script.calls,
                ElementsAre("GetLateralGasCorrN(1,0)", "GetLateralGasParamsN(2,0)",
                            "GetCompensationComponent(0)", "GetLateralGasCorrN(1,1)",
                            "GetLateralGasParamsN(2,1)", "GetCompensationComponent(1)"));
    script.calls.clear();
    EXPECT_TRUE(grid->WriteValues());
    EXPECT_THAT(script.CallsStartingWith("Set"),
                ElementsAre("SetLateralGasCorrN(1,0)", "SetLateralGasParamsN(2,0)",
                            "SetCompensationComponent(0)", "SetLateralGasCorrN(1,1)",
                            "SetLateralGasParamsN(2,1)", "SetCompensationComponent(1)"));
}

// ---- online reads and writes -------------------------------------------------------------

TEST_F(PageGrids, TheInstrumentGridReadsAndWritesTheShownCorrectionInOrder) {
    struct Case {
        const char* model;
        bool concentration;
    } cases[] = {{"Sindor 6", true},  {"Quenta 6", true},   {"Lorvix 6", true},
                 {"Parvel 6", false}, {"Parvel 64", false}, {"Lorvix 62", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        Script script;
        kit.SetOnline(true);
        std::unique_ptr<CVaskInstrument> a;
        const std::string m = c.model;
        if (m == "Sindor 6") a.reset(new Scripted<CSindor6>(&script, "A", nullptr, 1, 1, 0, 0));
        if (m == "Quenta 6") a.reset(new Scripted<CQuenta6>(&script, "A", nullptr, 1, 1, 0, 0));
        if (m == "Lorvix 6") a.reset(new Scripted<CLorvix6>(&script, "A", nullptr, 1, 1, 0, 0));
        if (m == "Parvel 6") a.reset(new Scripted<CParvel6>(&script, "A", nullptr, 1, 1, 0, 0));
        if (m == "Parvel 64") a.reset(new Scripted<CParvel64>(&script, "A", nullptr, 1, 1, 0, 0));
        if (m == "Lorvix 62") a.reset(new Scripted<CLorvix62>(&script, "A", nullptr, 1, 1, 0, 0));
        ASSERT_NE(a, nullptr);
        CInstrumentGridBase* grid = CreateInstrumentGrid(*a);
        ASSERT_NE(grid, nullptr);
        script.calls.clear();
        grid->ShowCorrection(2);
        EXPECT_THAT(script.calls,
                    ElementsAre("GetLateralGasCorrN(3,0)", "GetLateralGasParamsN(3,0)",
                                "GetCompensationComponent3(0)", "GetLateralGasConcentration3(0)"));
        EXPECT_EQ(Text(*grid, 10, 0), "13") << "the first pair of corrections 3 and 4";
        EXPECT_EQ(Text(*grid, 6, 0), "0.5 ppm");
        script.calls.clear();
        EXPECT_TRUE(grid->WriteValues());
        std::vector<std::string> expected = {"SetLateralGasCorrN(3,0)", "SetLateralGasParamsN(3,0)",
                                             "SetCompensationComponent3(0)"};
        if (c.concentration) expected.push_back("SetLateralGasConcentration3(0)");
        EXPECT_EQ(script.calls, expected);
        kit.SetOnline(false);
    }
}

TEST_F(PageGrids, AFailedWriteEndsTheCorrectionAtOnce) {
    Script script;
    script.results["SetLateralGasParamsN"] = 0;
    kit.SetOnline(true);
    Scripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
    CInstrumentGridBase* grid = CreateInstrumentGrid(a);
    ASSERT_NE(grid, nullptr);
    script.calls.clear();
    EXPECT_FALSE(grid->WriteValues());
    EXPECT_THAT(script.calls, ElementsAre("SetLateralGasCorrN(1,0)", "SetLateralGasParamsN(1,0)"));
}

TEST_F(PageGrids, ShowCorrectionTakesTheFourCorrectionsAndNoOther) {
    Script script;
    kit.SetOnline(true);
    Scripted<CSindor6> a(&script, "S6", nullptr, 1, 1, 0, 0);
    CInstrumentGridBase* grid = CreateInstrumentGrid(a);
    ASSERT_NE(grid, nullptr);
    for (int index : {3, 0, 1, 2}) {
        grid->ShowCorrection(index);
        EXPECT_EQ(grid->GetShownCorrection(), index);
    }
    for (int index : {4, -1, 7}) {
        grid->ShowCorrection(index);
        EXPECT_EQ(grid->GetShownCorrection(), 0) << index;
    }
}

TEST_F(PageGrids, AnUnreadRecordShowsEmptyLockedCellsAndIsNotWritten) {
    Script script;
    script.results["GetLateralGasCorrN"] = 0;
    kit.SetOnline(true);
    Scripted<CSindor6> a(&script, "S6", nullptr, 1, 1, 0, 0);
    CInstrumentGridBase* grid = CreateInstrumentGrid(a);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(Text(*grid, 0, 0), "");
    for (int col = 0; col < 12; ++col) EXPECT_TRUE(ReadOnly(*grid, col, 0)) << col;
    script.calls.clear();
    EXPECT_TRUE(grid->WriteValues());
    EXPECT_THAT(script.CallsStartingWith("SetLateralGasCorrN"), ElementsAre());

    // The limits: a failed read blanks the row and keeps it out of the read-back.
    Script limitScript;
    limitScript.results["GetLimit2Flags"] = 0;
    Scripted<CSindor6> b(&limitScript, "S6", nullptr, 1, 2, 0, 0);
    auto limits = host.Make<CLimitsGrid>();
    limits->Setup(&b, 2);
    EXPECT_FALSE(limits->IsRowRead(0));
    EXPECT_EQ(Text(*limits, 0, 0), "");
    EXPECT_TRUE(ReadOnly(*limits, 0, 0));
    EXPECT_TRUE(ReadOnly(*limits, 1, 0));
}

TEST_F(PageGrids, TheLimitsKeepTheAlarmReadWhenTheTextIsNoChoice) {
    Script script;
    script.limit.alarmDirection = 1;
    kit.SetOnline(true);
    Scripted<CParvel6> a(&script, "P6", nullptr, 1, 1, 0, 0);
    auto limits = host.Make<CLimitsGrid>();
    limits->Setup(&a, 1);
    EXPECT_THAT(script.calls, ElementsAre("GetLimit1(0)", "GetLimit1Flags(0)"));
    EXPECT_EQ(Text(*limits, 1, 0), "Above Limit");
    limits->SetCellText(1, 0, "typed");
    limits->SetCellNumber(2, 0, 0.0);
    limits->ReadBack();
    EXPECT_EQ(limits->m_limitFlags[0].alarmDirection, 1);
    EXPECT_EQ(limits->m_limitFlags[0].activeInRange1, 0) << "a box unchecked by the user reads 0";
}

TEST_F(PageGrids, SamplePointsFollowTheRelaysThatSwitchThem) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> relays;  // relay 1-8 (9- the card's) -> function
        int extensionCard;
        std::map<std::string, int> results;
        std::vector<std::string> rows;  // "sample point:relay"
        int columns;
    } cases[] = {
        {"no relay switches a sample point", {{1, 3}}, 0, {}, {}, 2},
        {"each its own", {{3, 19}, {1, 21}}, 0, {}, {"2:3", "4:1"}, 2},
        {"the later of two relays", {{2, 18}, {5, 18}}, 0, {}, {"1:5"}, 2},
        {"an option-card relay after the six of the board", {{10, 22}}, 1, {}, {"5:8"}, 2},
        {"a failed relay read switches nothing", {{1, 18}}, 0, {{"GetRelayOutputs", 0}}, {}, 2},
        {"failed times leave the grid empty", {{1, 18}}, 0, {{"GetSensorTimes", 0}}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Script script;
        script.extensionCard = c.extensionCard;
        script.results = c.results;
        for (auto [relay, function] : c.relays) {
            if (relay <= 8)
                script.relays[relay - 1] = function;
            else
                script.extRelays[relay - 9] = function;
        }
        kit.SetOnline(true);
        Scripted<CParvel6> a(&script, "P6", nullptr, 1, 1, 0, 0);
        auto grid = host.Make<CSwitchMPointGrid>();
        grid->Initialize(&a);
        EXPECT_EQ(grid->GetColCount(), c.columns);
        std::vector<std::string> rows;
        for (int r = 0; r < grid->GetRowCount(); ++r)
            rows.push_back(Text(*grid, -1, r) + ":" + Text(*grid, 0, r));
        EXPECT_EQ(rows, c.rows);
        if (!c.rows.empty()) {
            EXPECT_TRUE(ReadOnly(*grid, 0, 0));
            const int k = std::stoi(c.rows[0]) - 1;
            EXPECT_EQ(Text(*grid, 1, 0), std::string(grid->m_sampleTimes[k].text) + " ppm")
                << "its own time";
            grid->SetCellText(1, 0, "12 s");
            grid->ReadBack();
            EXPECT_EQ(std::string(grid->m_sampleTimes[k].text), "12 s");
        }
        kit.SetOnline(false);
    }
}

TEST_F(PageGrids, TheRangeGridKeepsEveryComponentAndShowsOneAtATime) {
    Script script;
    kit.SetOnline(true);
    Scripted<CSindor6> a(&script, "S6", nullptr, 1, 2, 0, 0);
    auto grid = host.Make<CRangeGrid>();
    grid->Initialize(&a);
    EXPECT_THAT(script.calls, ElementsAre("GetMeasurementLower(0)", "GetMeasurementUpper(0)",
                                          "GetMeasurementLower(1)", "GetMeasurementUpper(1)"));
    EXPECT_EQ(Text(*grid, 1, 3), "3.5 ppm");
    grid->SetCellText(1, 3, "99");
    grid->ReadBack();
    grid->ShowComponent(1);
    EXPECT_EQ(Text(*grid, 1, 3), "13.5 ppm");
    grid->ShowComponent(0);
    EXPECT_EQ(Text(*grid, 1, 3), "99 ppm");
}

// ---- the model's grid ----------------------------------------------------------------------

TEST_F(PageGrids, TheModelCreatesKeepsAndDeletesItsInstrumentGrid) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Sindor 6", 1);
    ASSERT_TRUE(a->CreateDiagValues(&host.host, kGridControlId));
    CInstrumentGrid* first = dynamic_cast<CInstrumentGrid*>(a->GetDiagValues());
    ASSERT_NE(first, nullptr);
    const HWND firstWindow = first->m_hWnd;
    EXPECT_TRUE(::IsWindow(firstWindow));
    EXPECT_EQ(first->GetDlgCtrlID(), kGridControlId);
    // A second page takes a new grid; the old one is gone with its window.
    host.AddPlaceholder(kGridControlId + 1);
    ASSERT_TRUE(a->CreateDiagValues(&host.host, kGridControlId + 1));
    EXPECT_FALSE(::IsWindow(firstWindow));
    a->DeleteDiagValues();
    EXPECT_EQ(a->GetDiagValues(), nullptr);

    std::unique_ptr<CVaskInstrument> s23 = MakeOffline("Sindor 23", 2);
    host.AddPlaceholder(kGridControlId + 2);
    ASSERT_TRUE(s23->CreateDiagValues(&host.host, kGridControlId + 2));
    EXPECT_NE(dynamic_cast<CSindor23Grid*>(s23->GetDiagValues()), nullptr);
}

}  // namespace
