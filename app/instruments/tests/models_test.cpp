// The Lorvix, Sindor 6 and Quenta models without a bus: their equipment and function
// tables, the groups they lack and the pages they point to, the heating of each (the Lorvix
// 62's from the order number, offline the order-number entry's profile value), the Sindor
// 6's chopper frequency and component count, the Quenta's variant entry and switches, the
// diagnostic reads and the grids they take from the display factory.
#include "entry_values.h"
#include "lorvix.h"
#include "node_helpers.h"
#include "quenta.h"
#include "recording_grids.h"
#include "recording_host.h"
#include "sindor23.h"
#include "sindor6.h"
#include "vaskinstrument.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kMaker[] = "KorvanGA models test";

// The relay function "Heating".
const int kHeatingFunction = 50;

// The relay functions a configuration page offers: the flagged ones, "Heating" only while
// the analyzer has a heating.
std::vector<int> OfferedRelayFunctions(CVaskInstrument& analyzer) {
    int count = 0;
    const int* flags = analyzer.GetRelayFunctionTable(count);
    std::vector<int> offered;
    for (int i : On(flags, count))
        if (i != kHeatingFunction || analyzer.HasHeating()) offered.push_back(i);
    return offered;
}

bool Offers(const std::vector<int>& functions, int function) {
    return std::find(functions.begin(), functions.end(), function) != functions.end();
}

std::vector<std::string> GridEvents(const std::function<void()>& make, RecordingGrids& grids) {
    grids.events.clear();
    make();
    return grids.events;
}

class Models : public ::testing::Test {
protected:
    TestProfile profile_{kMaker};
    RecordingHost host_{0};
    RecordingGrids grids_;
};

// The five models without an extension card; the relay and input tables of each.
struct Equipment {
    std::string name;
    std::function<CVaskInstrument*(int card)> make;
    std::vector<int> relays, inputs;
    int relayCount, inputCount;
};

std::vector<Equipment> AllModels() {
    return {
        {"Lorvix 6", [](int card) { return new CLorvix6("L6", nullptr, 1, 1, card, 1); },
         Indices({{0, 29}, {32, 32}, {46, 47}, {50, 51}}), Indices({{0, 30}, {45, 46}}), 6, 6},
        {"Lorvix 62", [](int card) { return new CLorvix62("L62", nullptr, 1, 1, card, 1); },
         Indices({{0, 29}, {32, 32}, {46, 47}, {50, 51}}), Indices({{0, 30}, {45, 46}}), 6, 6},
        {"Sindor 6", [](int card) { return new CSindor6("S6", nullptr, 1, 2, card, 1); },
         Indices({{0, 38}, {46, 56}}), Indices({{0, 30}, {33, 37}, {44, 49}}), 6, 6},
        {"Quenta 6", [](int card) { return new CQuenta6("Q6", nullptr, 1, 1, card, 1); },
         Indices({{0, 29}, {32, 32}, {46, 47}, {50, 51}, {57, 61}}), Indices({{0, 30}, {45, 46}}),
         6, 6},
        {"Sindor 23",
         [](int card) { return new CSindor23("S23", nullptr, 1, 2, card, 0, 0, 0, 0, 0); },
         Indices({{0, 2}, {5, 5}, {8, 10}, {12, 13}, {29, 29}, {34, 34}, {37, 45}}),
         Indices({{0, 13}, {15, 16}, {19, 19}, {25, 30}, {33, 34}, {37, 43}}), 8, 0},
    };
}

TEST_F(Models, EquipmentAndFunctionTablesOfEachModel) {
    for (const Equipment& model : AllModels()) {
        SCOPED_TRACE(model.name);
        for (int card : {0, 1}) {
            std::unique_ptr<CVaskInstrument> analyzer(model.make(card));
            int count = 0;
            const int* relays = analyzer->GetRelayFunctionTable(count);
            ASSERT_NE(nullptr, relays);
            ASSERT_EQ(63, count);
            EXPECT_EQ(model.relays, On(relays, count));
            const int* inputs = analyzer->GetBinaryInputFunctionTable(count);
            ASSERT_NE(nullptr, inputs);
            ASSERT_EQ(50, count);
            EXPECT_EQ(model.inputs, On(inputs, count));
            EXPECT_EQ(model.relayCount, analyzer->GetRelayCount());
            EXPECT_EQ(model.inputCount, analyzer->GetBinaryInputCount());
            EXPECT_EQ(card ? 8 : 0, analyzer->GetExtRelayCount()) << "card " << card;
            EXPECT_EQ(card ? 8 : 0, analyzer->GetExtBinaryInputCount()) << "card " << card;
            EXPECT_EQ((size_t)(model.relayCount + (card ? 8 : 0)), Entries(*analyzer, 25).size());
        }
    }
}

// "Heating" is offered while HasHeating holds: the Sindor 6 as the base (the stored flag
// offline), the Lorvix 6 and the Quenta never, whatever they were given, although their
// tables flag it; the Sindor 23's table has no heating at all.
TEST_F(Models, TheHeatingFunctionAndGroupFollowHasHeating) {
    for (int heating : {0, 1}) {
        SCOPED_TRACE(heating);
        CSindor6 s6("S6", nullptr, 1, 1, 0, heating);
        CLorvix6 l6("L6", nullptr, 1, 1, 0, heating);
        CQuenta6 q6("Q6", nullptr, 1, 1, 0, heating);
        EXPECT_EQ(heating, s6.HasHeating());
        EXPECT_EQ(heating != 0, Offers(OfferedRelayFunctions(s6), kHeatingFunction));
        EXPECT_EQ((size_t)(heating ? 2 : 0), Entries(s6, 35).size());
        for (CVaskInstrument* none : {(CVaskInstrument*)&l6, (CVaskInstrument*)&q6}) {
            EXPECT_EQ(0, none->HasHeating());
            EXPECT_FALSE(Offers(OfferedRelayFunctions(*none), kHeatingFunction));
            EXPECT_TRUE(Entries(*none, 35).empty());
            // The bus settings stay on the page after the units as without heating.
            EXPECT_EQ(std::vector<std::string>{}, OtherPages(*none, 32, 3, 3));
        }
    }
    CSindor6 s6("S6", nullptr, 1, 1, 0, 1);
    EXPECT_FALSE(Offers(OfferedRelayFunctions(s6), 45)) << "no CAL/MEAS on the Sindor 6";
}

// The groups each model lacks stay empty; the others are there.
TEST_F(Models, EachModelLacksItsGroups) {
    CLorvix6 l6("L6", nullptr, 1, 1, 1, 1);
    CLorvix62 l62("L62", nullptr, 1, 1, 1, 1);
    CSindor6 s6("S6", nullptr, 1, 2, 1, 1);
    CQuenta6 q6("Q6", nullptr, 1, 1, 1, 1);
    struct Case {
        CVaskInstrument* analyzer;
        std::vector<int> empty, present;
    } cases[] = {
        // Frequencies, shock compensation, units, pump, sync input, the sensors, warm-up
        // state, pressure settings (and the heating).
        {&l6, {14, 15, 27, 28, 29, 30, 31, 33, 18, 35}, {16, 17, 20, 21, 22, 23, 32}},
        {&l62, {14, 15, 27, 28, 29, 30, 31, 33, 18, 35}, {16, 17, 20, 21, 22, 23, 32}},
        // Shock compensation, interference 2-4, units, pump, sync input, the sensors,
        // warm-up state, pressure settings.
        {&s6, {15, 21, 22, 23, 27, 28, 29, 30, 31, 33, 18}, {14, 16, 17, 20, 32, 35}},
        // Frequencies, shock compensation, pressure correction, units, pump, sync input, the
        // sensors (and the heating).
        {&q6, {14, 15, 17, 27, 28, 29, 30, 31, 35}, {16, 18, 20, 21, 22, 23, 32, 33}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(Text(c.analyzer->GetName()));
        for (int list : c.empty) EXPECT_TRUE(Entries(*c.analyzer, list).empty()) << list;
        for (int list : c.present) EXPECT_FALSE(Entries(*c.analyzer, list).empty()) << list;
    }
}

// Without a frequencies page the Lorvix and Quenta parameter sheets have the correction on
// page 3 and the switch-measuring-point page (the sensor times) on 4; the Sindor 6 has the
// frequencies page and keeps the base's 4 and 5.
TEST_F(Models, ModelsWithoutAFrequenciesPagePointTheirGroupsOnePageEarlier) {
    CLorvix6 l6("L6", nullptr, 1, 1, 0, 0);
    CLorvix62 l62("L62", nullptr, 1, 1, 0, 0);
    CQuenta6 q6("Q6", nullptr, 1, 1, 0, 0);
    CSindor6 s6("S6", nullptr, 1, 2, 0, 0);
    for (CVaskInstrument* analyzer : {(CVaskInstrument*)&l6, (CVaskInstrument*)&l62}) {
        SCOPED_TRACE(Text(analyzer->GetName()));
        EXPECT_EQ(5u, Entries(*analyzer, 17).size()) << "the pressure correction";
        EXPECT_EQ(std::vector<std::string>{}, OtherPages(*analyzer, 17, 2, 3));
    }
    for (CVaskInstrument* analyzer :
         {(CVaskInstrument*)&l6, (CVaskInstrument*)&l62, (CVaskInstrument*)&q6}) {
        SCOPED_TRACE(Text(analyzer->GetName()));
        EXPECT_EQ(12u, Entries(*analyzer, 20).size());
        EXPECT_EQ(std::vector<std::string>{}, OtherPages(*analyzer, 20, 2, 3));
        EXPECT_EQ(6u, Entries(*analyzer, 16).size());
        EXPECT_EQ(std::vector<std::string>{}, OtherPages(*analyzer, 16, 2, 4));
        // Not re-pointed: the second correction stays on the base's page.
        EXPECT_EQ(std::vector<std::string>{}, OtherPages(*analyzer, 21, 2, 3));
    }
    EXPECT_EQ(24u, Entries(s6, 20).size()) << "two components";
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(s6, 20, 2, 4));
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(s6, 16, 2, 5));
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(s6, 17, 2, 4));
}

// ---- Lorvix 62: the heating from the order number ---------------------------------------

// Offline the order number is the order-number entry's value (here from the profile): one
// of more than 15 characters that begins with "4QX17" and has "B" third from its end means
// heating; another such number none; a shorter one leaves the answer as it was.
TEST_F(Models, TheLorvix62TakesItsHeatingFromTheOrderNumber) {
    struct Case {
        const char* order;
        int heating;
    } cases[] = {
        {"4qx17xxxxxxxxxxbyy", 1},
        {"  4QX17XXXXXXXXXXBYY  ", 1},
        {"4qx17xxxxxxxxxxcyy", 0},
        {"4qx18xxxxxxxxxxbyy", 0},
        // Sixteen characters are judged, fifteen are not.
        {"4QX17xxxxxxxxByy", 1},
        {"4QX17xxxxxxxByy", 0},
        {"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.order + "\"");
        AfxGetApp()->WriteProfileString("Lorvix 62\\Diagnostic/Factory settings",
                                        "Hardware Ordering no.",
                                        (std::string(c.order) + ";1;1").c_str());
        // The heating argument alone gives no heating.
        CLorvix62 l62("L62", nullptr, 1, 1, 0, 1);
        EXPECT_EQ(c.heating, l62.HasHeating());
        EXPECT_EQ((size_t)(c.heating ? 2 : 0), Entries(l62, 35).size());
        EXPECT_EQ(c.heating != 0, Offers(OfferedRelayFunctions(l62), kHeatingFunction));
        // The bus settings follow the heating page.
        EXPECT_EQ(std::vector<std::string>{}, OtherPages(l62, 32, 3, c.heating ? 4 : 3));
    }
}

TEST_F(Models, AShortOrderNumberKeepsTheLorvix62sPreviousAnswer) {
    for (int heating : {1, 0}) {
        SCOPED_TRACE(heating);
        AfxGetApp()->WriteProfileString(
            "Lorvix 62\\Diagnostic/Factory settings", "Hardware Ordering no.",
            heating ? "4qx17xxxxxxxxxxbyy;1;1" : "4qx17xxxxxxxxxxcyy;1;1");
        CLorvix62 l62("L62", nullptr, 1, 1, 0, 0);
        ASSERT_EQ(heating, l62.HasHeating());
        AfxGetApp()->WriteProfileString("Lorvix 62\\Diagnostic/Factory settings",
                                        "Hardware Ordering no.", "4QX17;1;1");
        EXPECT_EQ(heating, l62.HasHeating());
    }
}

TEST_F(Models, TheLorvix6NeverHasAHeating) {
    AfxGetApp()->WriteProfileString("Lorvix 6\\Diagnostic/Factory settings",
                                    "Hardware Ordering no.", "4qx17xxxxxxxxxxbyy;1;1");
    CLorvix6 l6("L6", nullptr, 1, 1, 0, 1);
    int count = 0;
    EXPECT_EQ(1, l6.GetRelayFunctionTable(count)[kHeatingFunction]) << "flagged in its table";
    EXPECT_EQ(0, l6.HasHeating());
    EXPECT_TRUE(Entries(l6, 35).empty());
}

// ---- Sindor 6 ---------------------------------------------------------------------------

TEST_F(Models, TheSindor6HasAtMostTwoComponents) {
    const std::pair<int, int> cases[] = {{0, 2}, {1, 1}, {2, 2}, {3, 2}, {4, 2}};
    for (const auto& [given, count] : cases) {
        CSindor6 s6("S6", nullptr, 1, given, 0, 0);
        EXPECT_EQ(count, s6.GetComponentCount()) << given;
        EXPECT_EQ((size_t)count, Entries(s6, 2).size()) << given;
    }
}

// Entry 274 is named after the chopper on the Sindor 6, after the magnetic field on the
// base analyzer.
TEST_F(Models, TheSindor6sFrequencyIsTheChoppers) {
    CSindor6 s6("S6", nullptr, 1, 2, 0, 0);
    CVaskInstrument base("Base", 0, nullptr, 1, 1, 4, 4, 0);
    const std::vector<CVaskParameter*> frequencies = Entries(s6, 14);
    ASSERT_EQ(1u, frequencies.size());
    CVaskParameter* chopper = frequencies[0];
    EXPECT_EQ(274, chopper->GetNumber());
    EXPECT_EQ("Chopper frequency", Text(chopper->GetName()));
    EXPECT_EQ("Frequencies\\Chopper frequency", Text(chopper->GetKey()));
    EXPECT_EQ(7, chopper->GetAttributes());
    EXPECT_TRUE(chopper->GetFetch() == &CvaskAccess::FetchFrequency);
    EXPECT_FALSE(chopper->IsOfflineTransfer()) << "read-only";
    EXPECT_EQ("w,21", Text(chopper->GetBusText()));
    EXPECT_EQ(2, chopper->GetEditSheet());
    EXPECT_EQ(3, chopper->GetEditPage());
    EXPECT_EQ("Magnetic field frequency", Text(base.FindParameterByNumber(274)->GetName()));
}

// The second correction's channel and component of each present component: bound with
// attribute 4 only, without a group and an edit location, so never listed or stored.
TEST_F(Models, TheSindor6BindsTheSecondCompensationWithoutAGroup) {
    CSindor6 s6("S6", nullptr, 1, 2, 0, 0);
    CObList all;
    s6.GetEmbeddedParameters(all);
    int bound = 0;
    for (CVaskParameter* entry : Nodes<CVaskParameter>(&all)) {
        const int n = entry->GetNumber();
        if (!((n >= 394 && n <= 397) || (n >= 402 && n <= 405))) continue;
        SCOPED_TRACE(n);
        const bool present = n == 394 || n == 395 || n == 402 || n == 403;
        EXPECT_EQ(present, Text(entry->GetName()) != "Unknown") << "two components";
        if (!present) continue;
        ++bound;
        EXPECT_EQ(4, entry->GetAttributes());
        EXPECT_EQ(nullptr, entry->GetGroup());
        EXPECT_EQ(0, entry->GetEditSheet());
        EXPECT_EQ("s,23", Text(entry->GetBusText()));
        EXPECT_EQ(nullptr, s6.FindParameterByNumber(n));
    }
    EXPECT_EQ(4, bound);
}

// ---- Quenta 6 ---------------------------------------------------------------------------

TEST_F(Models, TheQuentaIdentifiesItsVariantInTheIdentityGroup) {
    CQuenta6 q6("Q6", nullptr, 1, 3, 0, 1);
    EXPECT_EQ(1, q6.GetComponentCount()) << "one component, whatever it was given";
    CVaskParameter* variant = q6.FindParameterByNumber(602);
    ASSERT_NE(nullptr, variant);
    EXPECT_TRUE(variant->IsKindOf(RUNTIME_CLASS(CQuentaTypeParameter)));
    EXPECT_EQ(q6.GetParameterGroup(1), variant->GetGroup());
    EXPECT_EQ(variant, Entries(q6, 1).back()) << "after the base group's entries";
    EXPECT_EQ(11u, Entries(q6, 1).size());
    EXPECT_EQ("Quenta type", Text(variant->GetName()));
    EXPECT_EQ("Diagnostic/Factory settings\\Instrument Type", Text(variant->GetKey()));
    EXPECT_EQ(7, variant->GetAttributes());
    EXPECT_TRUE(variant->GetFetch() == &CvaskAccess::FetchQUENTAType);
    EXPECT_FALSE(variant->IsOfflineTransfer());
    EXPECT_EQ("k,31", Text(variant->GetBusText()));
    EXPECT_EQ(5, variant->GetEditSheet());
    EXPECT_EQ(3, variant->GetEditPage());

    CLorvix6 l6("L6", nullptr, 1, 1, 0, 0);
    EXPECT_EQ(nullptr, l6.FindParameterByNumber(602)) << "the Quenta's alone";
}

// ---- every model: diagnostic reads, switches and grids ----------------------------------

// Offline, and online with a device that does not answer, a model's diagnostic read gives
// the no-value mark and 0 without a report, and a switch gives 0.
TEST_F(Models, DiagnosticReadsFailToUnknownWithoutAReport) {
    CvaskAccess access;  // never opened: every request fails at once
    CLorvix6 l6("L6", &access, 1, 1, 0, 0);
    CLorvix62 l62("L62", &access, 2, 1, 0, 0);
    CSindor6 s6("S6", &access, 3, 1, 0, 0);
    CQuenta6 q6("Q6", &access, 4, 1, 0, 0);
    CSindor23 s23("S23", &access, 5, 2, 0, 0, 0, 0, 0, 0);
    const std::vector<DiagnosticRead> reads = {
        {"L6 DiagChopperTemp", [&](VaskFloat& v) { return l6.DiagChopperTemp(v); }},
        {"L6 DiagAdjustTCDRaw", [&](VaskFloat& v) { return l6.DiagAdjustTCDRaw(v); }},
        {"L6 DiagTCDRaw", [&](VaskFloat& v) { return l6.DiagTCDRaw(v); }},
        {"L6 DiagAnalogInput", [&](VaskFloat& v) { return l6.DiagAnalogInput(2, v); }},
        {"L62 DiagSensorTemp", [&](VaskFloat& v) { return l62.DiagSensorTemp(v); }},
        {"L62 DiagGaslaneTemp", [&](VaskFloat& v) { return l62.DiagGaslaneTemp(v); }},
        {"L62 DiagAdjustTCDRaw", [&](VaskFloat& v) { return l62.DiagAdjustTCDRaw(v); }},
        {"L62 DiagSensorVoltage", [&](VaskFloat& v) { return l62.DiagSensorVoltage(v); }},
        {"L62 DiagDisplayTemp", [&](VaskFloat& v) { return l62.DiagDisplayTemp(v); }},
        {"L62 DiagFlameTemp", [&](VaskFloat& v) { return l62.DiagFlameTemp(v); }},
        {"L62 DiagAnalogInput", [&](VaskFloat& v) { return l62.DiagAnalogInput(v); }},
        {"L62 DiagElectronicTemp", [&](VaskFloat& v) { return l62.DiagElectronicTemp(v); }},
        {"S6 DiagChopperTemp", [&](VaskFloat& v) { return s6.DiagChopperTemp(v); }},
        {"S6 DiagRecvChamberTemp", [&](VaskFloat& v) { return s6.DiagRecvChamberTemp(v); }},
        {"S6 DiagChopperOffset", [&](VaskFloat& v) { return s6.DiagChopperOffset(v); }},
        {"S6 DiagAnalogInput", [&](VaskFloat& v) { return s6.DiagAnalogInput(1, v); }},
        {"S6 DiagSignalVector", [&](VaskFloat& v) { return s6.DiagSignalVector(2, v); }},
        {"S6 DiagFaultVector", [&](VaskFloat& v) { return s6.DiagFaultVector(3, v); }},
        {"Q6 DiagPhysicsTemp", [&](VaskFloat& v) { return q6.DiagPhysicsTemp(v); }},
        {"Q6 DiagOvenTemp", [&](VaskFloat& v) { return q6.DiagOvenTemp(v); }},
        {"Q6 DiagAdjustTCDRaw", [&](VaskFloat& v) { return q6.DiagAdjustTCDRaw(v); }},
        {"Q6 DiagCatalysatorTemp", [&](VaskFloat& v) { return q6.DiagCatalysatorTemp(v); }},
        {"Q6 DiagDisplayTemp", [&](VaskFloat& v) { return q6.DiagDisplayTemp(v); }},
        {"Q6 DiagFlameTemp", [&](VaskFloat& v) { return q6.DiagFlameTemp(v); }},
        {"Q6 DiagAnalogInput", [&](VaskFloat& v) { return q6.DiagAnalogInput(v); }},
        {"Q6 DiagElectronicTemp", [&](VaskFloat& v) { return q6.DiagElectronicTemp(v); }},
        {"Q6 DiagPressureBurnGas", [&](VaskFloat& v) { return q6.DiagPressureBurnGas(v); }},
        {"Q6 DiagPressureBurnAir", [&](VaskFloat& v) { return q6.DiagPressureBurnAir(v); }},
        {"Q6 DiagAdapterReferenceVoltage",
         [&](VaskFloat& v) { return q6.DiagAdapterReferenceVoltage(v); }},
        {"Q6 DiagAdapterNegativeSupply",
         [&](VaskFloat& v) { return q6.DiagAdapterNegativeSupply(v); }},
        {"Q6 DiagAdapterPositiveSupply",
         [&](VaskFloat& v) { return q6.DiagAdapterPositiveSupply(v); }},
        {"Q6 DiagAdapterTensileStress",
         [&](VaskFloat& v) { return q6.DiagAdapterTensileStress(v); }},
        {"S23 DiagChamberTemp", [&](VaskFloat& v) { return s23.DiagChamberTemp(v); }},
        {"S23 DiagRadiatorTemp", [&](VaskFloat& v) { return s23.DiagRadiatorTemp(v); }},
    };
    for (int mode : {0, 1}) {
        host_.SetMode(mode);
        ExpectReadsFailToNoValue(reads, "in mode " + std::to_string(mode));
        for (int on : {0, 1}) {
            EXPECT_EQ(0, q6.Pump(on));
            EXPECT_EQ(0, q6.Ignition(on));
            EXPECT_EQ(0, q6.Catalysator(on));
            EXPECT_EQ(0, q6.Fan(on));
            EXPECT_EQ(0, s23.Pump(on));
        }
    }
    EXPECT_TRUE(host_.reports.empty());

    // The Lorvix 6 and the Sindor 6 keep the base's display temperature, which reports.
    VaskFloat value;
    EXPECT_EQ(0, l6.DiagDisplayTemp(value));
    EXPECT_EQ(0, s6.DiagDisplayTemp(value));
    EXPECT_EQ(2u, host_.reports.size());
}

// The Sindor 6 and the Lorvix 62 have an unattached instrument grid from construction; the
// Lorvix 6, the Quenta and the Sindor 23 only after CreateDiagValues, the Sindor 23 its own.
TEST_F(Models, GridsFromConstructionOrFromCreateDiagValues) {
    struct Case {
        std::string name;
        std::function<CVaskInstrument*()> make, made;
        int kind;
        bool fromConstruction;
    } cases[] = {
        {"Sindor 6", [] { return new CSindor6("S6", nullptr, 1, 1, 0, 0); },
         [] { return new CSindor6; }, InstrumentGridKind, true},
        {"Lorvix 62", [] { return new CLorvix62("L62", nullptr, 1, 1, 0, 0); },
         [] { return new CLorvix62; }, InstrumentGridKind, true},
        {"Lorvix 6", [] { return new CLorvix6("L6", nullptr, 1, 1, 0, 0); },
         [] { return new CLorvix6; }, InstrumentGridKind, false},
        {"Quenta 6", [] { return new CQuenta6("Q6", nullptr, 1, 1, 0, 0); },
         [] { return new CQuenta6; }, InstrumentGridKind, false},
        {"Sindor 23", [] { return new CSindor23("S23", nullptr, 1, 2, 0, 0, 0, 0, 0, 0); },
         [] { return new CSindor23; }, Sindor23GridKind, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string kind = std::to_string(c.kind);
        for (const auto& construct : {c.make, c.made}) {
            std::unique_ptr<CVaskInstrument> analyzer;
            const std::vector<std::string> made =
                GridEvents([&] { analyzer.reset(construct()); }, grids_);
            EXPECT_EQ(c.fromConstruction, analyzer->GetDiagValues() != nullptr);
            EXPECT_EQ(c.fromConstruction ? 1u : 0u, made.size());
            const std::vector<std::string> created =
                GridEvents([&] { EXPECT_TRUE(analyzer->CreateDiagValues(nullptr, 1270)); }, grids_);
            ASSERT_FALSE(created.empty());
            EXPECT_EQ(c.fromConstruction ? 3u : 2u, created.size());
            EXPECT_EQ(0u, created[created.size() - 2].find("new " + kind + " #"));
            EXPECT_EQ(0u, created.back().find("attach #"));
            EXPECT_NE(nullptr, analyzer->GetDiagValues());
            const std::vector<std::string> gone =
                GridEvents([&] { analyzer->DeleteDiagValues(); }, grids_);
            EXPECT_EQ(1u, gone.size());
            EXPECT_EQ(nullptr, analyzer->GetDiagValues());
        }
    }
}

}  // namespace
