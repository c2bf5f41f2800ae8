// The Sindor 23 without a bus: its component count and component test with the sensors,
// its own versions of the catalogue's groups (what each keeps, drops and changes), the
// groups it registers only with a sensor or an extension card, its O2 rows of older
// firmware (offline the firmware test gives 0), the stubbed operations and its operations
// offline.
#include "entry_values.h"
#include "node_helpers.h"
#include "recording_grids.h"
#include "recording_host.h"
#include "sindor23.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

const char kMaker[] = "KorvanGA Sindor 23 test";

class Sindor23 : public ::testing::Test {
protected:
    TestProfile profile_{kMaker};
    RecordingHost host_{0};
    RecordingGrids grids_;
};

std::vector<int> Numbers(CVaskInstrument& analyzer, int list) {
    std::vector<int> numbers;
    for (CVaskParameter* entry : Entries(analyzer, list)) numbers.push_back(entry->GetNumber());
    return numbers;
}

// Offline the counts and flags as given: a count of 4 with the O2 sensor drops to 3, then a
// count of 3 with the H2S sensor to 2; the sensors stay components 2 and 3.
TEST_F(Sindor23, TheComponentCountCountsTheInfraredComponents) {
    struct Case {
        int given, o2, h2s;
        int count;
        std::vector<int> present;
    } cases[] = {
        {4, 1, 0, 3, {1, 1, 1, 1}},
        {4, 1, 1, 2, {1, 1, 1, 1}},
        {3, 0, 1, 2, {1, 1, 1, 0}},
        {2, 1, 0, 2, {1, 1, 0, 1}},
        {1, 0, 0, 1, {1, 0, 0, 0}},
        {3, 1, 0, 3, {1, 1, 1, 1}},
        // The default count bounds what is left.
        {4, 0, 0, 3, {1, 1, 1, 0}},
        {0, 0, 0, 3, {1, 1, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.given) + " O2 " + std::to_string(c.o2) + " H2S " +
                     std::to_string(c.h2s));
        CSindor23 s23("S23", nullptr, 1, c.given, 0, c.o2, c.h2s, 0, 0, 0);
        EXPECT_EQ(c.count, s23.GetComponentCount());
        EXPECT_EQ(c.o2, s23.HasO2Sensor());
        EXPECT_EQ(c.h2s, s23.HasH2SSensor());
        std::vector<int> present;
        for (int component = 0; component < 4; ++component)
            present.push_back(s23.HasMeasRange(component));
        EXPECT_EQ(c.present, present);
        EXPECT_EQ(0, s23.HasMeasRange(-1));
        EXPECT_EQ(0, s23.HasMeasRange(4));
        // The per-component groups walk the reachable components.
        int reachable = 0;
        for (int p : c.present) reachable += p;
        EXPECT_EQ((size_t)reachable, Entries(s23, 2).size());
    }
    CSindor23 flags("S23", nullptr, 1, 1, 0, 0, 0, 1, 0, 0);
    EXPECT_EQ(1, flags.O2DateReadFailed());
    EXPECT_EQ(0, flags.H2SDateReadFailed());
    EXPECT_EQ(2, flags.GetRangeCount());
}

// Its own versions of the catalogue's groups, one infrared component: the rows kept (with
// their catalogue numbers), the rows dropped, and what changes in the kept ones.
TEST_F(Sindor23, ItsGroupsKeepDropAndChangeTheCataloguesRows) {
    CSindor23 s23("S23", nullptr, 1, 1, 0, 0, 0, 0, 0, 0);
    struct Case {
        int list;
        std::vector<int> numbers;
    } cases[] = {
        // Two ranges: per range the range, its lower and upper limit; the largest range.
        {3, {14, 30, 46, 15, 31, 47, 10}},
        // The span gases and the total range calibration: no zero gas, no concerted zero.
        {5, {78, 79, 94}},
        // No dead time, no noise-signal suppression.
        {6, {98, 103, 107}},
        {7, {119, 135, 151, 167, 168}},
        {8, {123, 139, 155, 183, 184}},
        {9, {}},
        {10, {}},
        // The next autocal and the autocal; no starts, no autocal check.
        {11, {233, 232}},
        {12, {236}},
        // Six steps, each with its number and time.
        {13,
         {238, 250, 262, 239, 251, 263, 240, 252, 264, 241, 253, 265, 242, 254, 266, 243, 255,
          267}},
        // No frequency, shock compensation, sensor times, pressure correction.
        {14, {}},
        {15, {}},
        {16, {}},
        {17, {}},
        {18, {}},
        // Type, equivalent and the first compensation channel and component.
        {20, {298, 302, 390, 398}},
        // The second correction's equivalent, compensation channel and component.
        {21, {427, 394, 402}},
        {22, {}},
        {23, {}},
        // No inverted output.
        {24, {334, 336, 337, 115}},
        {25, {342, 343, 344, 345, 346, 347, 348, 349}},
        // No binary inputs without an extension card, no sensor groups without the sensors.
        {26, {}},
        {27, {374, 378}},
        {30, {}},
        {31, {}},
        {32, {372, 373}},
        {33, {}},
        {35, {}},
        {36, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.numbers, Numbers(s23, c.list)) << c.list;

    auto entry = [&](int number) {
        CVaskParameter* found = s23.FindParameterByNumber(number);
        EXPECT_NE(nullptr, found) << number;
        return found;
    };
    // Lower limits and largest range read-only, upper limits written.
    EXPECT_FALSE(entry(30)->IsOfflineTransfer());
    EXPECT_FALSE(entry(31)->IsOfflineTransfer());
    EXPECT_FALSE(entry(10)->IsOfflineTransfer());
    EXPECT_TRUE(entry(46)->GetTransfer() == &CvaskAccess::TransferMeasRangeUpper);
    // The per-range limit alarms neither shown, stored nor changeable.
    for (int number : {167, 168, 183, 184}) EXPECT_EQ(0, entry(number)->GetAttributes());
    EXPECT_EQ(7, entry(119)->GetAttributes());
    // The next autocal written (still with no attribute), the autocal read-only.
    EXPECT_TRUE(entry(233)->GetTransfer() == &CvaskAccess::TransferNextAutocal);
    EXPECT_EQ(0, entry(233)->GetAttributes());
    EXPECT_FALSE(entry(232)->IsOfflineTransfer());
    EXPECT_EQ(7, entry(232)->GetAttributes());
    // The step numbers read-only, the step times written into the rinse times.
    EXPECT_FALSE(entry(250)->IsOfflineTransfer());
    EXPECT_TRUE(entry(262)->GetTransfer() == &CvaskAccess::TransferS23AutocalStepTime);
    EXPECT_TRUE(entry(238)->GetTransfer() == &CvaskAccess::TransferAutocalStep);
    // Kept entries otherwise as the catalogue binds them.
    EXPECT_EQ("Time constants\\C1: T90 outside", Text(entry(103)->GetKey()));
    EXPECT_TRUE(entry(78)->GetTransfer() == &CvaskAccess::TransferSlopeGas);
    EXPECT_EQ(7, entry(78)->GetAttributes());
    EXPECT_EQ(1, entry(78)->GetEditSheet());

    // The corrections on the parameter sheet's correction page, the first one re-pointed.
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(s23, 20, 2, 3));
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(s23, 21, 2, 3));
    // The bus settings after units and pump.
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(s23, 32, 3, 4));
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(s23, 27, 3, 2));
}

// With an extension card: the binary inputs of the card alone (none on the main board), the
// extension relays, and every configuration page after the inputs one further.
TEST_F(Sindor23, AnExtensionCardBringsTheBinaryInputsAndMovesThePages) {
    CSindor23 s23("S23", nullptr, 1, 1, 1, 0, 0, 0, 0, 0);
    const std::vector<CVaskParameter*> inputs = Entries(s23, 26);
    ASSERT_EQ(8u, inputs.size());
    EXPECT_EQ(364, inputs.front()->GetNumber());
    EXPECT_EQ("Binary input 1", Text(inputs.front()->GetName()));
    EXPECT_EQ(371, inputs.back()->GetNumber());
    EXPECT_EQ(16u, Entries(s23, 25).size());
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(s23, 27, 3, 3));
    EXPECT_EQ(std::vector<std::string>{}, OtherPages(s23, 32, 3, 5));
}

// With both sensors: the H2S sensor's catalogue group, the O2 sensor's own rows of older
// firmware (offline the firmware test gives 0), the O2 channel without range adjustment, and
// the sensors as components 2 and 3 of the per-component groups.
TEST_F(Sindor23, TheSensorsGroups) {
    CSindor23 s23("S23", nullptr, 1, 2, 0, 1, 1, 0, 0, 0);
    EXPECT_EQ(0, s23.FetchFirmwareVersions());
    EXPECT_EQ((std::vector<int>{611, 612}), Numbers(s23, 31));
    const std::vector<CVaskParameter*> o2 = Entries(s23, 30);
    ASSERT_EQ(2u, o2.size());
    struct Case {
        int number;
        const char *name, *key, *bus;
        CvaskAccess::ParamAdapter fetch, transfer;
        int date;
    } cases[] = {
        {386, "Installation date", "O2-Sensor\\Installation date", "w,14",
         &CvaskAccess::FetchDateOxy, &CvaskAccess::TransferDateOxy, 1},
        {387, "Set-point", "O2-Sensor\\Set-point (air)", "Konstante: 20.95",
         &CvaskAccess::FetchSetPointAirOldFW, &CvaskAccess::TransferSetPointAir, 0},
    };
    for (size_t i = 0; i < 2; ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.number);
        CVaskParameter* entry = o2[i];
        EXPECT_EQ(c.number, entry->GetNumber());
        EXPECT_EQ(c.name, Text(entry->GetName()));
        EXPECT_EQ(c.key, Text(entry->GetKey()));
        EXPECT_EQ(c.bus, Text(entry->GetBusText()));
        EXPECT_TRUE(entry->GetFetch() == c.fetch);
        EXPECT_TRUE(entry->GetTransfer() == c.transfer);
        EXPECT_EQ(7, entry->GetAttributes());
        EXPECT_EQ(c.date, entry->IsDate());
        EXPECT_EQ(1, entry->GetEditSheet());
        EXPECT_EQ(0, entry->GetEditPage());
    }
    // Per component: the two infrared components, the H2S and the O2 sensor.
    EXPECT_EQ((std::vector<int>{6, 7, 8, 9}), Numbers(s23, 2));
    // The O2 channel's range adjustments are neither shown, stored nor changed.
    EXPECT_EQ((std::vector<int>{78, 79, 94, 82, 83, 95, 86, 87, 96, 90, 91, 97}), Numbers(s23, 5));
    for (int number : {90, 91, 97})
        EXPECT_EQ(0, s23.FindParameterByNumber(number)->GetAttributes());
    EXPECT_EQ(7, s23.FindParameterByNumber(96)->GetAttributes());

    CSindor23 without("S23", nullptr, 1, 2, 0, 0, 0, 0, 0, 0);
    EXPECT_TRUE(Entries(without, 30).empty());
    EXPECT_TRUE(Entries(without, 31).empty());
}

// The operations the device does not support succeed without a request and fill what they
// read; the others fail offline without a request and without a report, the dates at time
// 0 with their failure flags as they were.
TEST_F(Sindor23, StubsSucceedAndOfflineOperationsFailQuietly) {
    CSindor23 s23("S23", nullptr, 1, 2, 0, 1, 1, 0, 0, 0);
    int codes[8] = {0};
    ControlType steps[12] = {};
    VaskFloat values[30];
    VaskFloat value;
    EXPECT_EQ(1, s23.SetBinaryInputs(codes));
    EXPECT_EQ(1, s23.SetAutocalMode(1, 1, 1, 1));
    EXPECT_EQ(1, s23.SetAutocalSteps(steps));
    EXPECT_EQ(1, s23.SetMeasurementLower(0, values));
    EXPECT_EQ(1, s23.SetNullGas(0, value));
    EXPECT_EQ(1, s23.SetAutocalRinseTime2(values));
    int autocal = 7, onInput = 7, onCycle = 7, check = 7;
    EXPECT_EQ(1, s23.GetAutocalMode(autocal, onInput, onCycle, check));
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), (std::vector<int>{autocal, onInput, onCycle, check}));
    for (VaskFloat& v : values) {
        v.value = 9.5;
        v.text = "stale";
    }
    EXPECT_EQ(1, s23.GetAutocalRinseTime2(values));
    for (int i = 0; i < 6; ++i) EXPECT_EQ("0.0 0.000000 1 1", Show(values[i])) << i;
    EXPECT_EQ("stale", Text(values[6].text)) << "six rinse times";

    CTime time(1000000);
    EXPECT_EQ(0, s23.GetDateOxy(time));
    EXPECT_EQ(0, time.GetTime());
    time = CTime(1000000);
    EXPECT_EQ(0, s23.GetDateH2S(time));
    EXPECT_EQ(0, time.GetTime());
    EXPECT_EQ(0, s23.O2DateReadFailed()) << "offline is no failed read";
    EXPECT_EQ(0, s23.H2SDateReadFailed());
    EXPECT_EQ(0, s23.SetDateOxy(time));
    EXPECT_EQ(0, s23.SetDateH2S(time));
    EXPECT_EQ(0, s23.AdjustZeroPointOxy());
    EXPECT_EQ(0, s23.AdjustZeroPointH2S());
    EXPECT_EQ(0, s23.AdjustRiseO2());
    EXPECT_EQ(0, s23.AdjustRiseH2S());
    EXPECT_EQ(0, s23.GetSlopeGasO2(value));
    EXPECT_EQ(0, s23.SetSlopeGasO2(value));
    EXPECT_EQ(0, s23.GetSlopeGasH2S(value));
    EXPECT_EQ(0, s23.SetSlopeGasH2S(value));
    for (VaskFloat& v : values) v.text = "stale";
    EXPECT_EQ(0, s23.GetAutocalRinseTime1(values));
    EXPECT_EQ("stale", Text(values[1].text)) << "nothing copied from a failed read";
    EXPECT_EQ(0, s23.Pump(1));
    EXPECT_TRUE(host_.reports.empty());
}

}  // namespace
