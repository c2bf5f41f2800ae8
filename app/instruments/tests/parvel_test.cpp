// The Parvel models without a bus: their equipment and function tables, the groups they lack
// and the pages they point to, the entries the Parvel 6 binds without a group, the Parvel
// 64's pump from its order number (offline, the order-number entry's profile value), the
// diagnostic reads and the grids they take from the display factory.
#include "entry_values.h"
#include "node_helpers.h"
#include "parvel.h"
#include "recording_grids.h"
#include "recording_host.h"
#include "vaskinstrument.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kMaker[] = "KorvanGA Parvel test";

template <class Model>
class Probe : public Model {
public:
    using CVaskInstrument::CatalogueRow;
    using CVaskInstrument::GetRowEntry;
    using Model::Model;
};

int GridNumber(const CVaskInstrument& analyzer) {
    auto* grid = dynamic_cast<RecordingGrids::Grid*>(analyzer.GetDiagValues());
    return grid != nullptr ? grid->Number() : 0;
}

class Parvel : public ::testing::Test {
protected:
    TestProfile profile_{kMaker};
    RecordingHost host_{0};
    RecordingGrids grids_;
};

TEST_F(Parvel, EquipmentAndFunctionTablesOfEachModel) {
    CParvel6 p6("P6", nullptr, 1, 1, 0, 1);
    CParvel64 p64("P64", nullptr, 1, 1, 0, 1);
    struct Case {
        CVaskInstrument* analyzer;
        std::vector<int> relays, inputs;
    } cases[] = {
        {&p6, Indices({{0, 38}, {46, 47}, {50, 51}}),
         Indices({{0, 30}, {33, 34}, {37, 37}, {45, 46}})},
        {&p64, Indices({{0, 29}, {32, 32}, {46, 47}, {50, 51}, {62, 62}}),
         Indices({{0, 30}, {45, 46}})},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(Text(c.analyzer->GetName()));
        int count = 0;
        const int* relays = c.analyzer->GetRelayFunctionTable(count);
        ASSERT_NE(nullptr, relays);
        ASSERT_EQ(63, count);
        EXPECT_EQ(c.relays, On(relays, count));
        const int* inputs = c.analyzer->GetBinaryInputFunctionTable(count);
        ASSERT_NE(nullptr, inputs);
        ASSERT_EQ(50, count);
        EXPECT_EQ(c.inputs, On(inputs, count));
        EXPECT_EQ(6, c.analyzer->GetRelayCount());
        EXPECT_EQ(6, c.analyzer->GetBinaryInputCount());
        EXPECT_EQ(0, c.analyzer->GetExtRelayCount()) << "no extension card";
        EXPECT_EQ(0, c.analyzer->GetExtBinaryInputCount());
        EXPECT_EQ(1, c.analyzer->GetComponentCount());
        EXPECT_EQ(6u, Entries(*c.analyzer, 25).size()) << "relays";
    }
    EXPECT_EQ(43u, cases[0].relays.size());
    EXPECT_EQ(36u, cases[0].inputs.size());
    EXPECT_EQ(36u, cases[1].relays.size());
    EXPECT_EQ(33u, cases[1].inputs.size());

    CParvel6 card6("P6", nullptr, 1, 1, 1, 0);
    CParvel64 card64("P64", nullptr, 1, 1, 1, 0);
    for (CVaskInstrument* analyzer : {(CVaskInstrument*)&card6, (CVaskInstrument*)&card64}) {
        EXPECT_EQ(8, analyzer->GetExtRelayCount());
        EXPECT_EQ(8, analyzer->GetExtBinaryInputCount());
        EXPECT_EQ(14u, Entries(*analyzer, 25).size());
    }
    // The base analyzer offers no functions of its own.
    CVaskInstrument base("Base", 0, nullptr, 1, 1, 4, 4, 0);
    int untouched = -7;
    EXPECT_EQ(nullptr, base.GetRelayFunctionTable(untouched));
    EXPECT_EQ(-7, untouched);
}

// "Heating" (relay function 50) is offered while HasHeating holds: the Parvel 6 as the base,
// the Parvel 64 never, whatever heating it was given.
TEST_F(Parvel, OnlyTheParvel6HasAHeating) {
    for (int heating : {0, 1}) {
        CParvel6 p6("P6", nullptr, 1, 1, 0, heating);
        CParvel64 p64("P64", nullptr, 1, 1, 0, heating);
        EXPECT_EQ(heating, p6.HasHeating());
        EXPECT_EQ((size_t)(heating ? 2 : 0), Entries(p6, 35).size());
        EXPECT_EQ(0, p64.HasHeating());
        EXPECT_TRUE(Entries(p64, 35).empty());
    }
}

TEST_F(Parvel, EachModelLacksItsGroups) {
    CParvel6 p6("P6", nullptr, 1, 1, 1, 1);
    CParvel64 p64("P64", nullptr, 1, 1, 1, 1);
    struct Case {
        CVaskInstrument* analyzer;
        std::vector<int> empty, present;
    } cases[] = {
        // Interference 2-4, units, pump, sync input, O2 and H2S sensor, warm-up state,
        // pressure settings.
        {&p6, {21, 22, 23, 27, 28, 29, 30, 31, 33, 18}, {14, 15, 16, 17, 20, 32, 35}},
        // Frequencies, shock compensation, pressure correction, sync input, the sensors,
        // warm-up state, heating, pressure settings; no pump without one in the order number.
        {&p64, {14, 15, 17, 29, 30, 31, 33, 35, 18, 28}, {16, 20, 21, 22, 23, 27, 32}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(Text(c.analyzer->GetName()));
        for (int list : c.empty) EXPECT_TRUE(Entries(*c.analyzer, list).empty()) << list;
        for (int list : c.present) EXPECT_FALSE(Entries(*c.analyzer, list).empty()) << list;
    }
    ASSERT_EQ(1u, Entries(p6, 14).size());
    EXPECT_EQ("Magnetic field frequency", Text(Entries(p6, 14)[0]->GetName()));
    EXPECT_EQ(2, Entries(p6, 14)[0]->GetEditSheet());
    EXPECT_EQ(3, Entries(p6, 14)[0]->GetEditPage());
}

// Without a frequencies page the Parvel 64's parameter sheet has the correction on page 3
// and the switch-measuring-point page (the sensor times) on 4; its units are on
// configuration page 3 and the bus settings on 4 (no pump). The Parvel 6 keeps the base's.
TEST_F(Parvel, TheParvel64PointsItsGroupsToItsOwnPages) {
    CParvel64 p64("P64", nullptr, 1, 1, 0, 0);
    EXPECT_EQ(12u, Entries(p64, 20).size());
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(p64, 20, 2, 3));
    EXPECT_EQ(6u, Entries(p64, 16).size());
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(p64, 16, 2, 4));
    EXPECT_EQ(2u, Entries(p64, 27).size());
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(p64, 27, 3, 3)) << "the base gives 2";
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(p64, 32, 3, 4));

    CParvel6 p6("P6", nullptr, 1, 1, 0, 0);
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(p6, 20, 2, 4));
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(p6, 16, 2, 5));
}

// The second correction's compensation channel and component of each present component:
// bound, but in no group and without an edit location, so never listed or stored.
TEST_F(Parvel, TheParvel6BindsTheSecondCompensationWithoutAGroup) {
    Probe<CParvel6> p6("P6", nullptr, 1, 1, 0, 0);
    struct Case {
        Probe<CParvel6>::CatalogueRow row;
        const char* name;
        const char* key;
        CvaskAccess::ParamAdapter fetch, transfer;
        int number;
    } cases[] = {
        {Probe<CParvel6>::CatalogueRow::m_gasCompensationChannel2,
         "Component 1: Compensation component channel 2", "C1: Compensation component channel 2",
         &CvaskAccess::FetchGasCompensationChannel2, &CvaskAccess::TransferGasCompensationChannel2,
         394},
        {Probe<CParvel6>::CatalogueRow::m_gasCompensationComponent2,
         "Component 1: Compensation component component 2",
         "C1: Compensation component component 2", &CvaskAccess::FetchGasCompensationComponent2,
         &CvaskAccess::TransferGasCompensationComponent2, 402},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVaskParameter* entry = p6.GetRowEntry(c.row, 0);
        ASSERT_NE(nullptr, entry);
        EXPECT_EQ(c.name, Text(entry->GetName()));
        EXPECT_EQ(c.key, Text(entry->GetKey()));
        EXPECT_EQ(4, entry->GetAttributes());
        EXPECT_TRUE(entry->GetFetch() == c.fetch);
        EXPECT_TRUE(entry->GetTransfer() == c.transfer);
        EXPECT_EQ("s,23", Text(entry->GetBusText()));
        EXPECT_EQ(nullptr, entry->GetGroup());
        EXPECT_EQ(0, entry->GetEditSheet());
        EXPECT_EQ(c.number, entry->GetNumber());
        EXPECT_EQ(nullptr, p6.FindParameterByNumber(c.number));
        // One component: the others stay unbound.
        EXPECT_EQ("Unknown", Text(p6.GetRowEntry(c.row, 1)->GetName()));
    }
}

// Offline the order number is the order-number entry's value (here from the profile).
TEST_F(Parvel, TheParvel64HasAPumpWhenItsOrderNumberSaysSo) {
    struct Case {
        const char* order;
        int pump;
    } cases[] = {
        {"  4qx10xxxxcyy  ", 1}, {"4QX10XXXXCYY", 1}, {"4qx10xxxxdyy", 0},
        {"4qx11xxxxcyy", 0},     {"4QX10xxxxC", 0},  // ten characters: not judged
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        AfxGetApp()->WriteProfileString("Parvel 64\\Diagnostic/Factory settings",
                                        "Hardware Ordering no.",
                                        (std::string(c.order) + ";1;1").c_str());
        CParvel64 p64("P64", nullptr, 1, 1, 0, 0);
        EXPECT_EQ(c.pump, p64.HasPump());
        const std::vector<CVaskParameter*> pump = Entries(p64, 28);
        if (c.pump) {
            ASSERT_EQ(1u, pump.size()) << "the pump-on switches do not exist on this model";
            EXPECT_EQ(382, pump[0]->GetNumber());
            EXPECT_EQ(3, pump[0]->GetEditSheet());
            EXPECT_EQ(4, pump[0]->GetEditPage());
        } else {
            EXPECT_TRUE(pump.empty());
        }
        EXPECT_EQ(std::vector<std::string>{}, OtherPages(p64, 32, 3, c.pump ? 5 : 4));
    }
}

TEST_F(Parvel, AShortOrderNumberKeepsThePreviousAnswer) {
    for (int pump : {1, 0}) {
        AfxGetApp()->WriteProfileString("Parvel 64\\Diagnostic/Factory settings",
                                        "Hardware Ordering no.",
                                        pump ? "4qx10xxxxcyy;1;1" : "4qx10xxxxdyy;1;1");
        CParvel64 p64("P64", nullptr, 1, 1, 0, 0);
        ASSERT_EQ(pump, p64.HasPump());
        p64.FindParameterByNumber(2)->SetValueText("4QX10");
        p64.RegisterBusSettings();
        EXPECT_EQ(pump, p64.HasPump());
        EXPECT_EQ(std::vector<std::string>{}, OtherPages(p64, 32, 3, pump ? 5 : 4));
    }
}

// Offline, and online with a device that does not answer, a model's diagnostic read gives
// the no-value mark and 0 without a report; the base analyzer's display temperature reports.
TEST_F(Parvel, DiagnosticReadsFailToUnknownWithoutAReport) {
    CvaskAccess access;  // never opened: every request fails at once
    CParvel6 p6("P6", &access, 1, 1, 0, 0);
    CParvel64 p64("P64", &access, 2, 1, 0, 0);
    const std::vector<DiagnosticRead> reads = {
        {"DiagPhysTemp", [&](VaskFloat& v) { return p6.DiagPhysTemp(v); }},
        {"DiagHeadTemp", [&](VaskFloat& v) { return p6.DiagHeadTemp(v); }},
        {"DiagMagneticField", [&](VaskFloat& v) { return p6.DiagMagneticField(v); }},
        {"P6 DiagAnalogInput", [&](VaskFloat& v) { return p6.DiagAnalogInput(1, v); }},
        {"P6 DiagSignalVector", [&](VaskFloat& v) { return p6.DiagSignalVector(2, v); }},
        {"P6 DiagFaultVector", [&](VaskFloat& v) { return p6.DiagFaultVector(3, v); }},
        {"DiagTCDTemp", [&](VaskFloat& v) { return p64.DiagTCDTemp(v); }},
        {"DiagAdjustTCDRaw", [&](VaskFloat& v) { return p64.DiagAdjustTCDRaw(v); }},
        {"DiagTCDRaw", [&](VaskFloat& v) { return p64.DiagTCDRaw(v); }},
        {"DiagDisplayTemp", [&](VaskFloat& v) { return p64.DiagDisplayTemp(v); }},
        {"DiagFlameTemp", [&](VaskFloat& v) { return p64.DiagFlameTemp(v); }},
        {"P64 DiagAnalogInput", [&](VaskFloat& v) { return p64.DiagAnalogInput(v); }},
        {"P64 DiagSignalVector", [&](VaskFloat& v) { return p64.DiagSignalVector(v); }},
        {"P64 DiagFaultVector", [&](VaskFloat& v) { return p64.DiagFaultVector(v); }},
    };
    for (int mode : {0, 1}) {
        host_.SetMode(mode);
        ExpectReadsFailToNoValue(reads, "in mode " + std::to_string(mode));
        EXPECT_EQ(0, p64.Pump(1));
    }
    EXPECT_TRUE(host_.reports.empty());

    // The base's own display temperature, and the Parvel 64's requests and faults, report.
    CVaskInstrument base("Base", 0, &access, 3, 1, 4, 4, 0);
    VaskFloat value;
    EXPECT_EQ(0, base.DiagDisplayTemp(value));
    int list[64], count = 0;
    EXPECT_EQ(0, p64.GetMaintenanceRequests(list, count));
    EXPECT_EQ(0, p64.GetFaults(list, count));
    ASSERT_EQ(3u, host_.reports.size());
    EXPECT_EQ("Error.\nVask command: \"h, 5\"", host_.reports[0].text);
    EXPECT_EQ("Error.\nVask command: \"k, 12\"", host_.reports[1].text);
    EXPECT_EQ("Error.\nVask command: \"k, 5\"", host_.reports[2].text);

    host_.SetMode(0);
    host_.reports.clear();
    EXPECT_EQ(0, p64.GetMaintenanceRequests(list, count));
    EXPECT_EQ(0, p64.GetFaults(list, count));
    EXPECT_TRUE(host_.reports.empty());
}

TEST_F(Parvel, EachConstructorMakesOneUnattachedGridAndCreateDiagValuesReplacesIt) {
    {
        CParvel6 p6("P6", nullptr, 1, 1, 0, 0);
        EXPECT_EQ(std::vector<std::string>{"new 1 #1"}, grids_.events);
        EXPECT_EQ(1, GridNumber(p6));
        EXPECT_TRUE(p6.CreateDiagValues(nullptr, 1270));
        EXPECT_EQ((std::vector<std::string>{"new 1 #1", "delete #1", "new 1 #2", "attach #2 1270"}),
                  grids_.events);
        EXPECT_EQ(2, GridNumber(p6));
        grids_.attachResult = FALSE;
        EXPECT_FALSE(p6.CreateDiagValues(nullptr, 1071));
        EXPECT_EQ(3, GridNumber(p6)) << "kept, although not attached";
        grids_.events.clear();
    }
    EXPECT_EQ(std::vector<std::string>{"delete #3"}, grids_.events);

    grids_.events.clear();
    {
        CParvel64 made;
        CParvel6 made6;
        EXPECT_EQ((std::vector<std::string>{"new 1 #4", "new 1 #5"}), grids_.events);
        made.DeleteDiagValues();
        EXPECT_EQ(0, GridNumber(made));
    }

    // Before the sheets install their factory the models have no grid.
    const DiagValuesFactory factory = SetDiagValuesFactory(nullptr);
    CParvel64 without("P64", nullptr, 1, 1, 0, 0);
    EXPECT_EQ(nullptr, without.GetDiagValues());
    EXPECT_FALSE(without.CreateDiagValues(nullptr, 1270));
    SetDiagValuesFactory(factory);
}

}  // namespace
