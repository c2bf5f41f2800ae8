// The analyzer's catalogue as initialisation puts it together, offline: the fixed numbers,
// what each group registers and in which order, links and step parts, the attribute rules,
// page choices, relay and input counts, names and keys byte for byte, the component labels,
// the profile defaults, and the group operations as a model overrides them. The figures are
// typed in here, not computed from the tables.
#include "node_helpers.h"
#include "recording_host.h"
#include "resource.h"
#include "vaskinstrument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const char kMaker[] = "KorvanGA catalogue test";

// The base analyzer with the offline answers a test chooses: model type code, components,
// ranges, extension card, heating and Quenta variant. Initialised by the test (type code 0
// would initialise itself before the flags are set).
class Model : public CVaskInstrument {
public:
    Model(int type, int components, int ranges, int extensionCard, int heating, int quenta)
        : CVaskInstrument("Test", type, nullptr, 1, components, 4, ranges, extensionCard) {
        m_heatingFlag = heating;
        m_quentaVariant = quenta;
    }

    using CVaskInstrument::CatalogueRow;
    using CVaskInstrument::GetRowEntry;
};

// The full base analyzer: 4 components, 4 ranges, extension card, heating, Quenta type 2.
class Full : public Model {
public:
    explicit Full(int type = 1) : Model(type, 4, 4, 1, 1, 2) {}
};

std::vector<CVaskParameter*> Entries(const CParameterGroup* group) {
    std::vector<CVaskParameter*> entries;
    const CObList& list = group->GetParameterList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        entries.push_back((CVaskParameter*)list.GetNext(pos));
    return entries;
}

std::vector<int> Numbers(const CParameterGroup* group) {
    std::vector<int> numbers;
    for (CVaskParameter* entry : Entries(group)) numbers.push_back(entry->GetNumber());
    return numbers;
}

std::vector<CVaskParameter*> Embedded(CVaskInstrument& analyzer) {
    CObList list;
    analyzer.GetEmbeddedParameters(list);
    return Nodes<CVaskParameter>(&list);
}

std::vector<int> Range(int first, int last) {
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n) numbers.push_back(n);
    return numbers;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> all;
    for (const std::vector<int>& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

class Catalogue : public ::testing::Test {
protected:
    TestProfile profile_{kMaker};
    RecordingHost host_{0};
};

TEST_F(Catalogue, NumbersAreFixedUniqueAndSomeStayOutsideEveryGroup) {
    Full analyzer;
    analyzer.Initialize();
    const std::vector<CVaskParameter*> entries = Embedded(analyzer);
    ASSERT_EQ(609u, entries.size());
    std::multiset<int> numbers;
    for (CVaskParameter* entry : entries) numbers.insert(entry->GetNumber());
    std::multiset<int> expected = {0};
    for (int n = 1; n <= 612; ++n)
        if (n != 5 && n != 101 && n != 188 && n != 377) expected.insert(n);
    EXPECT_EQ(expected, numbers);

    // The component-4 unit entry keeps 0; component 1's range maximum has 378.
    CVaskParameter* unit4 = analyzer.FindParameterByName("Units\\C4: Unit");
    ASSERT_NE(nullptr, unit4);
    EXPECT_EQ(0, unit4->GetNumber());
    EXPECT_EQ("Units\\C1: Maximum", Text(analyzer.FindParameterByNumber(378)->GetKey()));

    std::set<int> outside;
    for (CVaskParameter* entry : entries)
        if (entry->GetGroup() == nullptr) outside.insert(entry->GetNumber());
    EXPECT_EQ((std::set<int>{283, 284, 285, 287, 288, 289, 291, 292, 293, 295, 296, 297, 531,
                             532, 533, 534, 535, 536, 537, 538, 539, 540, 541, 542, 602}),
              outside);
}

TEST_F(Catalogue, TheFullBaseAnalyzerRegisters584EntriesGroupByGroup) {
    Full analyzer;
    analyzer.Initialize();
    const int expected[37] = {10, 4,  52, 12, 25, 24, 28, 28, 28, 28, 7, 2, 36, 1, 1, 6, 5, 5, 2,
                              48, 48, 48, 48, 8,  16, 14, 8,  3,  1,  2, 2, 2,  3, 4, 2, 3, 20};
    int total = 0;
    for (int list = 1; list <= 37; ++list) {
        EXPECT_EQ(expected[list - 1],
                  (int)analyzer.GetParameterGroup(list)->GetParameterList().GetCount())
            << "list position " << list;
        total += expected[list - 1];
    }
    EXPECT_EQ(584, total);
    EXPECT_EQ(584, analyzer.CountParameters());
    EXPECT_EQ(578, analyzer.CountOfflineParameters());

    // Each group's entries belong to it; the access layer's members bound over all of them.
    std::vector<CvaskAccess::ParamAdapter> fetches, transfers;
    auto add = [](std::vector<CvaskAccess::ParamAdapter>& to, CvaskAccess::ParamAdapter member) {
        if (member != nullptr && std::find(to.begin(), to.end(), member) == to.end())
            to.push_back(member);
    };
    for (int list = 1; list <= 37; ++list)
        for (CVaskParameter* entry : Entries(analyzer.GetParameterGroup(list))) {
            EXPECT_EQ(analyzer.GetParameterGroup(list), entry->GetGroup());
            EXPECT_NE(nullptr, entry->GetFetch()) << entry->GetNumber();
            add(fetches, entry->GetFetch());
            add(transfers, entry->GetTransfer());
        }
    EXPECT_EQ(144u, fetches.size());
    EXPECT_EQ(112u, transfers.size());
    EXPECT_NE(fetches.end(),
              std::find(fetches.begin(), fetches.end(), &CvaskAccess::GetWarmupDeviceState));
}

TEST_F(Catalogue, EachGroupOperationFillsItsGroup) {
    class Unregistered : public Full {
    public:
        void RegisterParameterGroups() override {}
    };
    Unregistered analyzer;
    analyzer.Initialize();
    typedef void (CVaskInstrument::*Operation)();
    struct Case {
        Operation operation;
        int list;
    } cases[] = {
        {&CVaskInstrument::RegisterIdentity, 1},
        {&CVaskInstrument::RegisterSelectedMeasRange, 2},
        {&CVaskInstrument::RegisterMeasRanges, 3},
        {&CVaskInstrument::RegisterAutorange, 4},
        {&CVaskInstrument::RegisterAdjustGases, 5},
        {&CVaskInstrument::RegisterTimeConstants, 6},
        {&CVaskInstrument::RegisterLimit1, 7},
        {&CVaskInstrument::RegisterLimit2, 8},
        {&CVaskInstrument::RegisterLimit3, 9},
        {&CVaskInstrument::RegisterLimit4, 10},
        {&CVaskInstrument::RegisterAutocal, 11},
        {&CVaskInstrument::RegisterAutocalCycle, 12},
        {&CVaskInstrument::RegisterAutocalSequence, 13},
        {&CVaskInstrument::RegisterFrequencies, 14},
        {&CVaskInstrument::RegisterShockCompensation, 15},
        {&CVaskInstrument::RegisterSensorTimes, 16},
        {&CVaskInstrument::RegisterPressureCorrection, 17},
        {&CVaskInstrument::RegisterInterference1, 20},
        {&CVaskInstrument::RegisterInterference2, 21},
        {&CVaskInstrument::RegisterInterference3, 22},
        {&CVaskInstrument::RegisterInterference4, 23},
        {&CVaskInstrument::RegisterAnalogOutputs, 24},
        {&CVaskInstrument::RegisterRelays, 25},
        {&CVaskInstrument::RegisterBinaryInputs, 26},
        {&CVaskInstrument::RegisterUnits, 27},
        {&CVaskInstrument::RegisterPump, 28},
        {&CVaskInstrument::RegisterSyncInput, 29},
        {&CVaskInstrument::RegisterH2SSensor, 31},
        {&CVaskInstrument::RegisterO2Sensor, 30},
        {&CVaskInstrument::RegisterBusSettings, 32},
        {&CVaskInstrument::RegisterWarmUpState, 33},
        {&CVaskInstrument::RegisterHeating, 35},
        {&CVaskInstrument::RegisterBurnerPressures, 18},
        {&CVaskInstrument::RegisterTestGases, 36},
        {&CVaskInstrument::RegisterDriftValues, 37},
        {&CVaskInstrument::RegisterAirPressure, 19},
    };
    std::set<int> filled;
    for (const Case& c : cases) {
        (analyzer.*c.operation)();
        filled.insert(c.list);
        for (int list = 1; list <= 37; ++list)
            EXPECT_EQ(filled.count(list) != 0,
                      !analyzer.GetParameterGroup(list)->GetParameterList().IsEmpty())
                << "after the operation of list position " << c.list << ", group " << list;
    }
    EXPECT_EQ(36u, filled.size());
    analyzer.CVaskInstrument::RegisterParameterGroups();
    EXPECT_EQ(584, analyzer.CountParameters()) << "registered again, no entry twice";
}

TEST_F(Catalogue, GroupsKeepTheOrderOfTheirNotes) {
    Full analyzer;
    analyzer.Initialize();
    struct Case {
        int list;
        std::vector<int> numbers;
    } cases[] = {
        // Per component each range with its lower and upper limit, then the largest range.
        {3, {14, 30, 46, 15, 31, 47, 16, 32, 48, 17, 33, 49, 10, 18, 34, 50, 19, 35,
             51, 20, 36, 52, 21, 37, 53, 11, 22, 38, 54, 23, 39, 55, 24, 40, 56, 25,
             41, 57, 12, 26, 42, 58, 27, 43, 59, 28, 44, 60, 29, 45, 61, 13}},
        // Per component zero, four ranges, total range; the concerted zero last.
        {5, {74, 78, 79, 80, 81, 94, 75, 82, 83, 84, 85, 95, 76,
             86, 87, 88, 89, 96, 77, 90, 91, 92, 93, 97, 406}},
        // Step by step: step, number, time.
        {13, {238, 250, 262, 239, 251, 263, 240, 252, 264, 241, 253, 265,
              242, 254, 266, 243, 255, 267, 244, 256, 268, 245, 257, 269,
              246, 258, 270, 247, 259, 271, 248, 260, 272, 249, 261, 273}},
        // The four outputs, then each component's negative values.
        {24, {334, 335, 336, 337, 115, 116, 117, 118}},
        {6, {98,  103, 107, 111, 563, 559, 99,  104, 108, 112, 564, 560,
             100, 105, 109, 113, 565, 561, 102, 106, 110, 114, 566, 562}},
        {11, {233, 232, 234, 235, 570, 568, 569}},
        {33, {608, 606, 607}},
        {34, {338, 339, 340, 341}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.numbers, Numbers(analyzer.GetParameterGroup(c.list))) << c.list;

    // The interference groups: per component the type, four ranges, then the other rows.
    struct Interference {
        int list;
        std::vector<int> first, last;
    } interference[] = {
        {20,
         {298, 306, 307, 308, 309, 407, 302, 322, 326, 330, 390, 398},
         {301, 318, 319, 320, 321, 410, 305, 325, 329, 333, 393, 401}},
        {21,
         {423, 431, 432, 433, 434, 411, 427, 447, 451, 455, 394, 402},
         {426, 443, 444, 445, 446, 414, 430, 450, 454, 458, 397, 405}},
        {22,
         {459, 467, 468, 469, 470, 415, 463, 483, 487, 491, 543, 551},
         {462, 479, 480, 481, 482, 418, 466, 486, 490, 494, 546, 554}},
        {23,
         {495, 503, 504, 505, 506, 419, 499, 519, 523, 527, 547, 555},
         {498, 515, 516, 517, 518, 422, 502, 522, 526, 530, 550, 558}},
    };
    for (const Interference& c : interference) {
        const std::vector<int> numbers = Numbers(analyzer.GetParameterGroup(c.list));
        ASSERT_EQ(48u, numbers.size());
        EXPECT_EQ(c.first, std::vector<int>(numbers.begin(), numbers.begin() + 12)) << c.list;
        EXPECT_EQ(c.last, std::vector<int>(numbers.end() - 12, numbers.end())) << c.list;
    }
}

TEST_F(Catalogue, RangesLinkTheirLimitsAndStepsTheirNumberAndTime) {
    AfxGetApp()->WriteProfileString("Sindor 6\\Autocal steps", "Step1", "9;1;1");
    AfxGetApp()->WriteProfileString("Sindor 6\\Autocal steps", "Step number 1", "3;1;1");
    AfxGetApp()->WriteProfileString("Sindor 6\\Autocal steps", "Step time 1", "45;1;1");
    Full analyzer;
    analyzer.Initialize();
    // Initialised twice, an entry still has one link to each part.
    analyzer.Initialize();
    auto linked = [&](int number) {
        std::vector<int> numbers;
        const CObList& list = analyzer.FindParameterByNumber(number)->GetLinkedParameters();
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
            numbers.push_back(((CVaskParameter*)list.GetNext(pos))->GetNumber());
        return numbers;
    };
    EXPECT_EQ((std::vector<int>{30, 46}), linked(14));
    EXPECT_EQ((std::vector<int>{45, 61}), linked(29));
    EXPECT_EQ((std::vector<int>{250, 262}), linked(238));
    EXPECT_EQ((std::vector<int>{261, 273}), linked(249));
    EXPECT_TRUE(linked(30).empty());
    EXPECT_TRUE(linked(78).empty()) << "the adjustment ranges link nothing";

    // The step shows its number's step kind with its time entry's value.
    VaskFloat step;
    ASSERT_EQ(1, analyzer.FindParameterByNumber(238)->GetValue(step));
    const std::string text = Text(step.text);
    ASSERT_GE(text.size(), 4u);
    EXPECT_EQ(": 45", text.substr(text.size() - 4)) << text;
    EXPECT_EQ(0, analyzer.FindParameterByNumber(250)->GetEditSheet()) << "no edit page";
    EXPECT_EQ(0, analyzer.FindParameterByNumber(262)->GetEditSheet());
    EXPECT_EQ(1, analyzer.FindParameterByNumber(238)->GetEditSheet());
}

TEST_F(Catalogue, AttributeRules) {
    struct Case {
        int type, number, attributes;
    } cases[] = {
        // The Sindor 23's component-4 range and total-range adjustments have no bits.
        {4, 90, 0},
        {4, 93, 0},
        {4, 97, 0},
        {4, 89, 7},
        {4, 96, 7},
        {4, 77, 7},
        {1, 90, 7},
        {1, 97, 7},
        // Next Autocal: none; the concerted zero and the instrument status: changeable only.
        {1, 233, 0},
        {1, 406, 4},
        {1, 338, 4},
        {1, 339, 4},
        {1, 340, 4},
        {1, 341, 4},
        {1, 30, 6},
        {1, 46, 6},
        {1, 111, 6},
        {1, 250, 6},
        {1, 262, 6},
        {1, 14, 7},
    };
    for (int type : {1, 4}) {
        Full analyzer(type);
        analyzer.Initialize();
        for (const Case& c : cases) {
            if (c.type != type) continue;
            EXPECT_EQ(c.attributes, analyzer.FindParameterByNumber(c.number)->GetAttributes())
                << "type " << type << " number " << c.number;
        }
    }

    // The instrument status entries: no key, no edit page, read by their state members.
    Full analyzer;
    analyzer.Initialize();
    const CvaskAccess::ParamAdapter members[] = {
        &CvaskAccess::FetchStateFault, &CvaskAccess::FetchStateFunctionCheck,
        &CvaskAccess::FetchStateServiceReq, &CvaskAccess::FetchStateLimit};
    const char* names[] = {"Disturbance", "Function control", "Service request",
                           "Limit value reached"};
    const std::vector<CVaskParameter*> status = Entries(analyzer.GetParameterGroup(34));
    ASSERT_EQ(4u, status.size());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(names[i], Text(status[i]->GetName()));
        EXPECT_TRUE(status[i]->GetKeyText().IsEmpty());
        EXPECT_EQ(0, status[i]->GetEditSheet());
        EXPECT_EQ(members[i], status[i]->GetFetch());
        EXPECT_EQ(nullptr, status[i]->GetTransfer());
        EXPECT_EQ("k,4", Text(status[i]->GetBusText()));
    }
}

TEST_F(Catalogue, TwoComponentsAndTwoRangesRegisterTheirEntriesOnly) {
    Model analyzer(1, 2, 2, 1, 1, 2);
    analyzer.Initialize();
    EXPECT_EQ((std::vector<int>{14, 30, 46, 15, 31, 47, 10, 18, 34, 50, 19, 35, 51, 11}),
              Numbers(analyzer.GetParameterGroup(3)));
    EXPECT_EQ((std::vector<int>{6, 7}), Numbers(analyzer.GetParameterGroup(2)));
    EXPECT_EQ((std::vector<int>{74, 78, 79, 94, 75, 82, 83, 95, 406}),
              Numbers(analyzer.GetParameterGroup(5)));
    EXPECT_EQ((std::vector<int>{119, 135, 151, 167, 168, 120, 136, 152, 171, 172}),
              Numbers(analyzer.GetParameterGroup(7)));
    EXPECT_EQ((std::vector<int>{123, 139, 155, 183, 184, 124, 140, 156, 187, 189}),
              Numbers(analyzer.GetParameterGroup(8)));
    EXPECT_EQ((std::vector<int>{334, 335, 336, 337, 115, 116}),
              Numbers(analyzer.GetParameterGroup(24)));
    EXPECT_EQ(20, (int)analyzer.GetParameterGroup(20)->GetParameterList().GetCount());
    EXPECT_EQ(10, (int)analyzer.GetParameterGroup(37)->GetParameterList().GetCount());

    // Every registered entry is of C1 or C2 and of range 1 or 2; C3 and C4 keep their
    // numbers outside the groups.
    for (int list = 1; list <= 37; ++list)
        for (CVaskParameter* entry : Entries(analyzer.GetParameterGroup(list))) {
            const std::string key = Text(entry->GetKeyText());
            EXPECT_TRUE(key.find("C3") == std::string::npos && key.find("C4") == std::string::npos)
                << key;
            EXPECT_LT(entry->GetChannel(), 2) << key;
            if (list != 13 && list != 16 && list != 25 && list != 26) {
                EXPECT_LT(entry->GetIndex(), 2) << key;
            }
        }
    std::map<int, CVaskParameter*> byNumber;
    for (CVaskParameter* entry : Embedded(analyzer)) byNumber[entry->GetNumber()] = entry;
    for (int number : {8, 9, 12, 13, 16, 22, 90, 97, 121, 300, 585})
        EXPECT_EQ(nullptr, byNumber.at(number)->GetGroup()) << number;
}

TEST_F(Catalogue, ExtensionRelaysAndInputsCountOnAfterTheMainBoard) {
    class SixRelays : public Full {
    public:
        int GetRelayCount() override { return 6; }
        int GetBinaryInputCount() override { return 4; }
    };
    SixRelays analyzer;
    analyzer.Initialize();
    const std::vector<CVaskParameter*> relays = Entries(analyzer.GetParameterGroup(25));
    ASSERT_EQ(14u, relays.size());
    EXPECT_EQ(Join({Range(342, 347), Range(350, 357)}), Numbers(analyzer.GetParameterGroup(25)));
    for (int i = 0; i < 14; ++i) {
        const std::string n = std::to_string(i + 1);
        EXPECT_EQ("Relay " + n, Text(relays[i]->GetName()));
        EXPECT_EQ("Relay outputs\\Relay " + n, Text(relays[i]->GetKey()));
        EXPECT_EQ(i < 6 ? i : i - 6, relays[i]->GetIndex());
        EXPECT_EQ(0, relays[i]->GetChannel());
        EXPECT_EQ(i < 6 ? "s,4" : "s,5", Text(relays[i]->GetBusText()));
        EXPECT_TRUE(relays[i]->IsKindOf(RUNTIME_CLASS(CRelaisParameter)));
    }
    const std::vector<CVaskParameter*> inputs = Entries(analyzer.GetParameterGroup(26));
    EXPECT_EQ(Join({Range(358, 361), Range(364, 371)}), Numbers(analyzer.GetParameterGroup(26)));
    ASSERT_EQ(12u, inputs.size());
    EXPECT_EQ("Binary input 5", Text(inputs[4]->GetName()));
    EXPECT_EQ("Binary inputs\\Binary input 12", Text(inputs[11]->GetKey()));
    EXPECT_EQ(7, inputs[11]->GetIndex());

    // Every key of the table is unique, so each entry has its own profile default.
    std::set<std::string> keys;
    for (int list = 1; list <= 37; ++list)
        for (CVaskParameter* entry : Entries(analyzer.GetParameterGroup(list)))
            if (!entry->GetKey().IsEmpty()) {
                EXPECT_TRUE(keys.insert(Text(entry->GetKey())).second) << Text(entry->GetKey());
            }
}

TEST_F(Catalogue, PagesAndConditionalGroupsFollowTheAnalyzerAtRegistration) {
    struct Case {
        int extensionCard, heating, quenta;
        int unitsPage, pumpPage, syncPage, busPage, warmUpPage, heatingEntries, pressureEntries;
    } cases[] = {
        {1, 1, 2, 3, 4, 4, 4, 5, 2, 3},
        {0, 1, 1, 2, 3, 3, 4, 5, 2, 0},
        {1, 0, 1, 3, 4, 4, 3, 4, 0, 0},
        {0, 0, 2, 2, 3, 3, 3, 4, 0, 3},
    };
    for (const Case& c : cases) {
        Model analyzer(1, 4, 4, c.extensionCard, c.heating, c.quenta);
        analyzer.Initialize();
        auto page = [&](int number) {
            CVaskParameter* entry = analyzer.FindParameterByNumber(number);
            EXPECT_EQ(3, entry->GetEditSheet()) << number;
            return entry->GetEditPage();
        };
        const std::string at = "card " + std::to_string(c.extensionCard) + ", heating " +
                               std::to_string(c.heating) + ", type " + std::to_string(c.quenta);
        EXPECT_EQ(c.unitsPage, page(374)) << at;
        EXPECT_EQ(c.unitsPage, page(381)) << at;
        EXPECT_EQ(c.pumpPage, page(382)) << at;
        EXPECT_EQ(c.pumpPage, page(384)) << at;
        EXPECT_EQ(c.syncPage, page(385)) << at;
        EXPECT_EQ(c.busPage, page(372)) << at;
        EXPECT_EQ(c.busPage, page(373)) << at;
        EXPECT_EQ(c.warmUpPage, page(608)) << at;
        EXPECT_EQ(c.warmUpPage, page(607)) << at;
        EXPECT_EQ(c.heatingEntries,
                  (int)analyzer.GetParameterGroup(35)->GetParameterList().GetCount())
            << at;
        EXPECT_EQ(c.pressureEntries,
                  (int)analyzer.GetParameterGroup(36)->GetParameterList().GetCount())
            << at;
    }
}

TEST_F(Catalogue, NamesKeysAndBusTextsAreTheProgramsOwn) {
    Full analyzer;
    analyzer.SetComponentName(0, "CO");
    analyzer.Initialize();
    struct Case {
        int number;
        const char* name;
        const char* key;
        const char* bus;
        int channel, index, sheet, page;
    } cases[] = {
        {1, "Hardware Fact.-no.", "Diagnostic/Factory settings\\Hardware Fact.-no.", "k,6", 0, 0, 5,
         3},
        {577, "Adapterboard / Analysis module Boot Version",
         "Diagnostic/Factory settings\\Adapterboard Boot", "k,28", 0, 0, 5, 3},
        {7, "Component 2: Range", "Select measuring range\\C2: Range", "s,8", 1, 0, 2, 0},
        {14, "C1: CO: Range 1 : ", "Define measuring range\\C1: Range 1:", "w,1 + w,2", 0, 0, 2, 0},
        {35, "Component 2: Range2: lower limit", "Define measuring range\\C2: Range2: lower limit",
         "w,1", 1, 1, 2, 0},
        {62, "C1: CO:", "Autorange\\C1: Autorange", "s,8", 0, 0, 2, 0},
        {74, "C1: CO:Zeropoint", "Adjust measuring range\\C1: Zero", "w,5", 0, 0, 1, 0},
        {93, "Component 4: Range 4:", "Adjust measuring range\\C4: Range 4:", "w,3", 3, 3, 1, 0},
        {102, "Component 4: T90 inside", "Time constants\\C4 T90 inside", "w,11", 3, 0, 2, 2},
        {559, "C1: CO: Suppress noise signals above a level of",
         "Time constants\\C1: Suppress noise signals above a level of up", "w,77", 0, 0, 2, 2},
        {167, "C1: CO: Range1:", "Limit values 1\\C1: Range1: Limit alarml", "s,1", 0, 0, 2, 1},
        {189, "Component 2:Range2:", "Limit values 2\\C2: Range2: Limit alarm", "s,2", 1, 1, 2, 1},
        {233, "Next Autocal", "Autocal\\Next Autocal", "w,6", 0, 0, 1, 2},
        {238, "Step 1:", "Autocal steps\\Step1", "w,7 / w,8", 0, 0, 1, 2},
        {273, "Step Time 12", "Autocal steps\\Step time 12", "w,7 / w,8", 0, 11, 0, 0},
        {281, "Sample point 6:", "Sensor switching\\Sensor 6", "w,29", 0, 5, 2, 5},
        {282, "Compensation with", "Pressure correction\\C1:Type", "s,15", 0, 0, 2, 4},
        {294, "Analog input of ext. pressure", "Pressure correction\\C1: Range Current", "s,15", 0,
         0, 2, 4},
        {575, "Pressure deviation during pump start", "Pressure Settings\\Burngas Deviation",
         "w,82", 0, 0, 3, 5},
        {610, "Setpoint", "Pressure sensor\\Setpoint", "w,18", 0, 0, 1, 1},
        {322, "C1: CO: Range start value of ext. corr. gas", "Gas correction 1\\C1: Range Start",
         "w, 28", 0, 0, 2, 4},
        {326, "C1: CO: Range end value of ext. corr. gas", "Gas correction 1\\C1: Range End",
         "s,28", 0, 0, 2, 4},
        {431, "C1: CO: Range1", "Gas correction 2\\C1: Range1", "s,35", 0, 0, 2, 3},
        {334, "Range", "Analogous output\\Range", "s,s", 0, 0, 3, 0},
        {116, "Component 2: Negative Values", "Analogous output\\C2: Negative Values", "k,4", 1, 0,
         3, 0},
        {350, "Relay 9", "Relay outputs\\Relay 9", "s,5", 0, 0, 3, 1},
        {371, "Binary input 14", "Binary inputs\\Binary input 14", "s,7", 0, 7, 3, 2},
        {378, "C1: CO: Range max.", "Units\\C1: Maximum", "w,42", 0, 0, 3, 3},
        {385, "Sync input", "Sync imput\\Sync imput", "s,22", 0, 0, 3, 4},
        {387, "Set-point", "O2-Sensor\\Set-point (air)", "w,89", 0, 0, 1, 0},
        {611, "Installation date", "H2S-Sensor\\Installation date", "w,90", 0, 0, 1, 0},
        {372, "Channel name / TAG-Nr.", "VASK\\Channel name", "k,16", 0, 0, 3, 4},
        {608, "Current devicestate", "WarmUp State\\Current devicestate", "", 0, 0, 3, 5},
        {338, "Disturbance", "", "k,4", 0, 0, 0, 0},
        {389, "Nominal Temperature", "Heating\\Nominal Temperature", "s,29", 0, 0, 3, 3},
        {605, "Span gas", "External Pressure\\Span gas", "s,41", 0, 0, 2, 5},
        {601, "Component 4: measuring range 4", "Drift values\\C4: measuring range 4", "w,83", 3, 0,
         4, 0},
    };
    for (const Case& c : cases) {
        CVaskParameter* entry = analyzer.FindParameterByNumber(c.number);
        ASSERT_NE(nullptr, entry) << c.number;
        EXPECT_EQ(c.name, Text(entry->GetName())) << c.number;
        EXPECT_EQ(c.key, Text(entry->GetKey())) << c.number;
        EXPECT_EQ(c.bus, Text(entry->GetBusText())) << c.number;
        EXPECT_EQ(c.channel, entry->GetChannel()) << c.number;
        EXPECT_EQ(c.index, entry->GetIndex()) << c.number;
        EXPECT_EQ(c.sheet, entry->GetEditSheet()) << c.number;
        EXPECT_EQ(c.page, entry->GetEditPage()) << c.number;
    }

    // Both pressure sensor entries read the measured pressure.
    EXPECT_EQ(&CvaskAccess::FetchAirPressure, analyzer.FindParameterByNumber(609)->GetFetch());
    EXPECT_EQ(&CvaskAccess::FetchAirPressure, analyzer.FindParameterByNumber(610)->GetFetch());
    // Two-state and date entries show their texts.
    struct Shown {
        int number;
        const char* text;
    } shown[] = {
        {385, "only reports contact CAL"}, {151, "Below limit"}, {62, "off"}, {386, ""}, {611, ""}};
    for (const Shown& s : shown) {
        VaskFloat value;
        analyzer.FindParameterByNumber(s.number)->GetValue(value);
        EXPECT_EQ(s.text, Text(value.text)) << s.number;
    }
    EXPECT_TRUE(analyzer.FindParameterByNumber(386)->IsDate());
    EXPECT_TRUE(analyzer.FindParameterByNumber(611)->IsDate());
}

TEST_F(Catalogue, ComponentLabelsOffline) {
    struct Case {
        int type, components;
        const char* cached;
        int component;
        const char* label;
    } cases[] = {
        {1, 4, "O2", 2, "C3: O2"},
        {1, 4, "", 2, "Component 3"},
        {1, 4, "CO", 0, "C1: CO"},
        {1, 2, "NO", 3, "C4: NO"},
        // A Sindor 23 with two infrared components calls the third its H2S sensor, C2.
        {4, 2, "SO2", 2, "C2: H2S"},
        {4, 1, "SO2", 2, "C2: H2S"},
        {4, 3, "SO2", 2, "C3: SO2"},
        {4, 2, "SO2", 1, "C2: SO2"},
        {4, 2, "", 2, "Component 3"},
    };
    for (const Case& c : cases) {
        Model analyzer(c.type, c.components, 4, 0, 0, 1);
        analyzer.Initialize();
        analyzer.SetComponentName(c.component, c.cached);
        EXPECT_EQ(c.label, Text(analyzer.GetComponentLabel(c.component)))
            << c.type << " " << c.components << " " << c.component;
    }
}

TEST_F(Catalogue, GasTextsByQuantityCode) {
    struct Case {
        int code;
        const char* text;
    } cases[] = {
        {1, " "},        {2, "CO"},      {3, "CO2"},      {12, "O2"},          {50, "H2S"},
        {51, "Unknown"}, {0, "Unknown"}, {-1, "Unknown"}, {-19000, "Unknown"}, {500, "Unknown"}};
    for (const Case& c : cases)
        EXPECT_EQ(c.text, Text(CVaskInstrument::GetGasText(c.code))) << c.code;
}

TEST_F(Catalogue, InitializeLoadsTheProfileDefaultsOfTheRegisteredEntries) {
    AfxGetApp()->WriteProfileString("Sindor 6\\Limit values 1", "C1: Limit 1", "12.5;2;3");
    AfxGetApp()->WriteProfileString("Sindor 6\\Relay outputs", "Relay 9", "4;1;1");
    struct Case {
        int count;
        int registered;
    } cases[] = {{5, 4}, {0, 4}, {2, 2}};
    for (const Case& c : cases) {
        Model analyzer(1, c.count, 4, 1, 0, 1);
        analyzer.Initialize();
        EXPECT_EQ(c.registered, (int)analyzer.GetParameterGroup(2)->GetParameterList().GetCount())
            << c.count;
        const VaskFloat& limit = analyzer.FindParameterByNumber(119)->GetCachedValue();
        EXPECT_EQ(12.5, limit.value);
        EXPECT_EQ("12.5", Text(limit.text));
        EXPECT_EQ(2, limit.unit);
        EXPECT_EQ(3, limit.quantity);
        EXPECT_EQ(4.0, analyzer.FindParameterByNumber(350)->GetCachedValue().value);
        const VaskFloat& other = analyzer.FindParameterByNumber(120)->GetCachedValue();
        EXPECT_EQ("0", Text(other.text)) << "no profile value";
        EXPECT_EQ(1, other.unit);
    }
}

// A model that overrides group operations as the model classes do.
class Overriding : public Full {
public:
    void RegisterIdentity() override {
        flagWhileRegistering = IsCommandReportEnabled();
        Full::RegisterIdentity();
    }
    // Empty: the group stays empty whatever the analyzer says.
    void RegisterHeating() override {}
    // A subset of the rows.
    void RegisterAdjustGases() override {
        RegisterGroupRows(5, ComponentByComponent,
                          {CatalogueRow::m_adjustAll, CatalogueRow::m_slopeGas});
    }
    // Six steps.
    void RegisterAutocalSequence() override { RegisterGroupRows(13, StepByStep, {}, {6, 6, 6}); }
    // The base group, re-pointed.
    void RegisterSensorTimes() override {
        Full::RegisterSensorTimes();
        for (int i = 0; i < 6; ++i) GetRowEntry(CatalogueRow::m_sensorTime, i)->SetEditPage(2, 4);
    }
    int flagWhileRegistering = -1;
};

TEST_F(Catalogue, ModelsOverrideGroupOperations) {
    Overriding analyzer;
    analyzer.Initialize();
    EXPECT_EQ(0, analyzer.flagWhileRegistering) << "registration reports nothing";
    EXPECT_EQ(1, analyzer.IsCommandReportEnabled()) << "and sets the flag again";
    EXPECT_EQ(1, analyzer.HasHeating());
    EXPECT_TRUE(analyzer.GetParameterGroup(35)->GetParameterList().IsEmpty());
    EXPECT_EQ(nullptr, analyzer.FindParameterByNumber(388));
    // The rows in the group's order, whatever order they are named in.
    EXPECT_EQ((std::vector<int>{78, 79, 80, 81, 94, 82, 83, 84, 85, 95,
                                86, 87, 88, 89, 96, 90, 91, 92, 93, 97}),
              Numbers(analyzer.GetParameterGroup(5)));
    EXPECT_EQ((std::vector<int>{238, 250, 262, 239, 251, 263, 240, 252, 264, 241, 253, 265, 242,
                                254, 266, 243, 255, 267}),
              Numbers(analyzer.GetParameterGroup(13)));
    EXPECT_EQ(4, analyzer.FindParameterByNumber(276)->GetEditPage());
    EXPECT_EQ(nullptr, analyzer.GetRowEntry(Model::CatalogueRow::m_sensorTime, 6));
}

}  // namespace
