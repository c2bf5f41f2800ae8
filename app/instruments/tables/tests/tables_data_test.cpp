// The analyzer's parameter tables (members.def, groups.def, catalogue.def, models.def)
// checked from outside, before any class reads them: the shape of the embedded members, the
// 37 groups, every row's member, numbers, formats and bindings, the models' function tables
// and rows, one id per text, and every id's text in the string table of the built
// KorvanGA.exe. The expected figures are typed in here, not computed from the tables.
#include <windows.h>

#include <gtest/gtest.h>

#include "vaskaccess.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Member {
    std::string id;
    std::string cls;
    int count;
};

const Member kMembers[] = {
#define VASK_MEMBER(id, cls, count) {#id, #cls, count},
#include "members.def"
};

struct Group {
    int member;
    int list;
    int nameId;
    std::string name;
    int titleId;
    std::string title;
    std::string registrar;
};

const Group kGroups[] = {
#define VASK_GROUP(member, list, nameId, name, titleId, title, registrar) \
    {member, list, nameId, name, titleId, title, #registrar},
#include "groups.def"
};

// A bound member as the rows name it; a misspelt name does not compile.
struct Adapter {
    CvaskAccess::ParamAdapter pointer;
    std::string name;
};

struct Row {
    int group;
    std::string member;
    std::string kind;
    int count;
    std::vector<int> numbers;
    int nameId;
    std::string name;
    int keyId;
    std::string key;
    std::string cls;
    Adapter fetch;
    Adapter transfer;
    int attributes;
    std::string bus;
    int sheet;
    int page;
    std::string condition;
    int otherPage;
    int zeroId;
    std::string zero;
    int nonzeroId;
    std::string nonzero;
    int date;
    std::string link;
};

#define VASK_UNPAREN(...) __VA_ARGS__
const std::vector<Row> kRows = {
#define VASK_ADAPTER(name) \
    Adapter { &CvaskAccess::name, #name }
#define VASK_NO_ADAPTER \
    Adapter { nullptr, "" }
#define VASK_PARAMETER(group, member, kind, count, numbers, nameId, name, keyId, key, cls, fetch,  \
                       transfer, attributes, bus, sheet, page, condition, otherPage, zeroId, zero, \
                       nonzeroId, nonzero, date, link)                                             \
    Row{group,     #member,    #kind,      count,  {VASK_UNPAREN numbers},                         \
        nameId,    name,       keyId,      key,    #cls,                                           \
        fetch,     transfer,   attributes, bus,    sheet,                                          \
        page,      #condition, otherPage,  zeroId, zero,                                           \
        nonzeroId, nonzero,    date,       #link},
#define VASK_NUMBER_ONLY(member, element, number)
#include "catalogue.def"
};

struct NumberOnly {
    std::string member;
    int element;
    int number;
};

const std::vector<NumberOnly> kNumberOnly = {
#define VASK_ADAPTER(name)
#define VASK_NO_ADAPTER
#define VASK_PARAMETER(...)
#define VASK_NUMBER_ONLY(member, element, number) {#member, element, number},
#include "catalogue.def"
};

// The models' own rows (models.def): a catalogue row with the model and the group operation
// that bind it; group 0 binds without a group.
struct ModelRow {
    std::string model;
    std::string operation;
    Row row;
};

const std::vector<ModelRow> kModelRows = {
#define VASK_ADAPTER(name) \
    Adapter { &CvaskAccess::name, #name }
#define VASK_NO_ADAPTER \
    Adapter { nullptr, "" }
#define VASK_MODEL_FUNCTIONS(model, table, ranges)
#define VASK_MODEL_PARAMETER(model, operation, group, member, kind, count, numbers, nameId, name, \
                             keyId, key, cls, fetch, transfer, attributes, bus, sheet, page,      \
                             condition, otherPage, zeroId, zero, nonzeroId, nonzero, date, link)  \
    {#model, #operation, Row{group,     #member,    #kind,      count,  {VASK_UNPAREN numbers},   \
                             nameId,    name,       keyId,      key,    #cls,                     \
                             fetch,     transfer,   attributes, bus,    sheet,                    \
                             page,      #condition, otherPage,  zeroId, zero,                     \
                             nonzeroId, nonzero,    date,       #link}},
#define VASK_MODEL_GROUP(...)
#define VASK_MODEL_ATTRIBUTES(...)
#define VASK_MODEL_TRANSFER(...)
#define VASK_MODEL_EDIT_PAGE(...)
#include "models.def"
};

// The models' function tables: the flags on, as inclusive ranges.
struct ModelFunctions {
    std::string model;
    std::string table;
    std::vector<std::pair<int, int>> on;
};

const std::vector<ModelFunctions> kModelFunctions = {
#define VASK_ADAPTER(name)
#define VASK_NO_ADAPTER
#define VASK_MODEL_FUNCTIONS(model, table, ranges) {#model, #table, {VASK_UNPAREN ranges}},
#define VASK_MODEL_PARAMETER(...)
#define VASK_MODEL_GROUP(...)
#define VASK_MODEL_ATTRIBUTES(...)
#define VASK_MODEL_TRANSFER(...)
#define VASK_MODEL_EDIT_PAGE(...)
#include "models.def"
};

// The models' own versions of catalogue groups: the rows kept, and the changes (one line
// each: the kind, the member or "" for the whole group, the new value as text).
struct ModelGroup {
    std::string model;
    std::string operation;
    std::string order;
    std::string rows;
    std::vector<int> counts;
};

const std::vector<ModelGroup> kModelGroups = {
#define VASK_ADAPTER(name)
#define VASK_NO_ADAPTER
#define VASK_MODEL_FUNCTIONS(...)
#define VASK_MODEL_PARAMETER(...)
#define VASK_MODEL_GROUP(model, operation, order, rows, counts) \
    {#model, #operation, #order, #rows, {VASK_UNPAREN counts}},
#define VASK_MODEL_ATTRIBUTES(...)
#define VASK_MODEL_TRANSFER(...)
#define VASK_MODEL_EDIT_PAGE(...)
#include "models.def"
};

struct ModelChange {
    std::string model;
    std::string operation;
    std::string kind;
    std::string member;
    Adapter transfer;
    int value;
    int sheet, page;
    std::string condition;
    int otherPage;
};

const std::vector<ModelChange> kModelChanges = {
#define VASK_ADAPTER(name) \
    Adapter { &CvaskAccess::name, #name }
#define VASK_NO_ADAPTER \
    Adapter { nullptr, "" }
#define VASK_MODEL_FUNCTIONS(...)
#define VASK_MODEL_PARAMETER(...)
#define VASK_MODEL_GROUP(...)
#define VASK_MODEL_ATTRIBUTES(model, operation, member, attributes) \
    {#model, #operation, "Attributes", #member, VASK_NO_ADAPTER, attributes, 0, 0, "", 0},
#define VASK_MODEL_TRANSFER(model, operation, member, transfer) \
    {#model, #operation, "Transfer", #member, transfer, 0, 0, 0, "", 0},
#define VASK_MODEL_EDIT_PAGE(model, operation, sheet, page, condition, otherPage) \
    {#model, #operation, "EditPage", "", VASK_NO_ADAPTER, 0, sheet, page, #condition, otherPage},
#include "models.def"
};

#if defined(VASK_MEMBER) || defined(VASK_GROUP) || defined(VASK_PARAMETER) ||                      \
    defined(VASK_NUMBER_ONLY) || defined(VASK_ADAPTER) || defined(VASK_NO_ADAPTER) ||              \
    defined(VASK_MODEL_FUNCTIONS) || defined(VASK_MODEL_PARAMETER) || defined(VASK_MODEL_GROUP) || \
    defined(VASK_MODEL_ATTRIBUTES) || defined(VASK_MODEL_TRANSFER) ||                              \
    defined(VASK_MODEL_EDIT_PAGE)
#error "a table left its macro defined"
#endif

const Member* FindMember(const std::string& id) {
    for (const Member& m : kMembers)
        if (m.id == id) return &m;
    return nullptr;
}

const Group* GroupAtList(int list) {
    for (const Group& g : kGroups)
        if (g.list == list) return &g;
    return nullptr;
}

// The element of the row's member that entry i of the row (0 .. count - 1) is.
int ElementOf(const Row& row, int i) { return row.kind == "Single" ? 0 : i; }

// printf conversions of a text, in order ("%%" skipped).
std::string Conversions(const std::string& text) {
    std::string out;
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '%') {
            if (text[i + 1] != '%') out += text[i + 1];
            ++i;
        }
    return out;
}

std::string Format(const std::string& format, int a) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format.c_str(), a);
    return buffer;
}

std::string Format(const std::string& format, int a, int b) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format.c_str(), a, b);
    return buffer;
}

// ---- The embedded members ------------------------------------------------------------

TEST(Members, AreTheAnalyzers158MembersByClassAndSize) {
    EXPECT_EQ(std::size(kMembers), 158u);
    std::set<std::string> ids;
    for (const Member& m : kMembers) EXPECT_TRUE(ids.insert(m.id).second) << m.id;

    // class -> (count -> members of that count)
    std::map<std::string, std::map<int, int>> shapes;
    for (const Member& m : kMembers) ++shapes[m.cls][m.count];
    const std::map<std::string, std::map<int, int>> wanted = {
        {"CVaskParameter", {{1, 62}, {4, 58}, {6, 1}, {12, 2}, {16, 12}}},
        {"CQuentaTypeParameter", {{1, 1}}},
        {"CCurrentParameter", {{1, 1}, {4, 5}}},
        {"CMeasStoreParameter", {{1, 2}}},
        {"CWarmUpStatusParameter", {{1, 1}}},
        {"CStartStatusParameter", {{1, 1}}},
        {"CWarmUpDeviceStateParameter", {{1, 1}}},
        {"CAutocalStepParameter", {{12, 1}}},
        {"CGasTypeParameter", {{4, 4}}},
        {"CPressureTypeParameter", {{4, 1}}},
        {"CRelaisParameter", {{8, 2}}},
        {"CBinaryParameter", {{6, 1}, {8, 1}}},
        {"CUnitParameter", {{4, 1}}},
    };
    EXPECT_EQ(shapes, wanted);

    std::map<std::string, int> entries;
    int total = 0;
    for (const Member& m : kMembers) {
        entries[m.cls] += m.count;
        total += m.count;
    }
    EXPECT_EQ(total, 609);
    const std::map<std::string, int> wantedEntries = {
        {"CVaskParameter", 516},       {"CCurrentParameter", 21},
        {"CGasTypeParameter", 16},     {"CRelaisParameter", 16},
        {"CBinaryParameter", 14},      {"CAutocalStepParameter", 12},
        {"CPressureTypeParameter", 4}, {"CUnitParameter", 4},
        {"CMeasStoreParameter", 2},    {"CWarmUpStatusParameter", 1},
        {"CStartStatusParameter", 1},  {"CWarmUpDeviceStateParameter", 1},
        {"CQuentaTypeParameter", 1},
    };
    EXPECT_EQ(entries, wantedEntries);
}

// ---- The groups ----------------------------------------------------------------------

TEST(Groups, AreTheThirtySevenNamedGroupsWithTheirPlacesAndOperations) {
    // member, name, title, list position, registering operation
    const std::vector<std::tuple<int, std::string, std::string, int, std::string>> wanted = {
        {1, "Diagnostics/Factory settings", "Diagnostic/Factory settings", 1, "RegisterIdentity"},
        {2, "Selected measuring range", "Select measuring range", 2, "RegisterSelectedMeasRange"},
        {3, "Measuring range", "Define measuring range", 3, "RegisterMeasRanges"},
        {4, "Autorange", "Autorange", 4, "RegisterAutorange"},
        {5, "Measuring range values", "Adjust measuring range", 5, "RegisterAdjustGases"},
        {6, "Time constants", "Time constants", 6, "RegisterTimeConstants"},
        {7, "Limit value 1", "Limit values 1", 7, "RegisterLimit1"},
        {8, "Limit value 2", "Limit values 2", 8, "RegisterLimit2"},
        {9, "Limit value 3", "Limit values 3", 9, "RegisterLimit3"},
        {10, "Limit value 4", "Limit values 4", 10, "RegisterLimit4"},
        {11, "Autocal", "Autocal", 11, "RegisterAutocal"},
        {12, "Autocal cycle", "Autocal cycle", 12, "RegisterAutocalCycle"},
        {13, "Autocal sequence", "Autocal steps", 13, "RegisterAutocalSequence"},
        {14, "Frequencies", "Frequencies", 14, "RegisterFrequencies"},
        {15, "Shock compensation", "Compensation", 15, "RegisterShockCompensation"},
        {16, "Sample point selection", "Sensor switching", 16, "RegisterSensorTimes"},
        {17, "Pressure correction", "Pressure correction", 17, "RegisterPressureCorrection"},
        {18, "Interference correction 1", "Gas correction 1", 20, "RegisterInterference1"},
        {19, "Interference correction 2", "Gas correction 2", 21, "RegisterInterference2"},
        {20, "Interference correction 3", "Gas correction 3", 22, "RegisterInterference3"},
        {21, "Interference correction 4", "Gas correction 4", 23, "RegisterInterference4"},
        {22, "Analog outputs", "Analogous output", 24, "RegisterAnalogOutputs"},
        {23, "Relay assignment", "Relay outputs", 25, "RegisterRelays"},
        {24, "Binary inputs", "Binary inputs", 26, "RegisterBinaryInputs"},
        {25, "Units", "Units", 27, "RegisterUnits"},
        {26, "Pump", "Pump", 28, "RegisterPump"},
        {27, "Sync Input", "Sync imput", 29, "RegisterSyncInput"},
        {28, "VASK", "VASK", 32, "RegisterBusSettings"},
        {29, "Warm up state", "WarmUp State", 33, "RegisterWarmUpState"},
        {30, "O2-Sensor", "O2-Sensor", 30, "RegisterO2Sensor"},
        {31, "H2S-Sensor", "H2S-Sensor", 31, "RegisterH2SSensor"},
        {32, "Heating", "Heating", 35, "RegisterHeating"},
        {33, "Pressure settings", "Pressure Settings", 18, "RegisterBurnerPressures"},
        {34, "External Pressure", "External Pressure", 36, "RegisterTestGases"},
        {35, "Drift values", "Drift values", 37, "RegisterDriftValues"},
        {36, "Pressure sensor", "Pressure sensor", 19, "RegisterAirPressure"},
        {37, "Instrument status", "Instrument status", 34, "RegisterParameterGroups"},
    };
    ASSERT_EQ(std::size(kGroups), wanted.size());
    for (size_t i = 0; i < wanted.size(); ++i) {
        const Group& g = kGroups[i];
        EXPECT_EQ(std::make_tuple(g.member, g.name, g.title, g.list, g.registrar), wanted[i]);
        EXPECT_EQ(g.nameId, 16000 + g.member - 1) << g.name;
        EXPECT_GE(g.titleId, 15007) << g.title;
        EXPECT_LE(g.titleId, 15250) << g.title;
    }
    EXPECT_EQ(GroupAtList(30)->titleId, 15211);
    EXPECT_EQ(GroupAtList(31)->titleId, 15250);
}

// ---- The rows: members, shapes, formats ---------------------------------------------

TEST(Catalogue, EveryRowFillsOneMemberOfItsClassAndSize) {
    EXPECT_EQ(kRows.size(), 145u);
    std::set<std::string> used;
    std::set<int> groupsWithRows;
    const std::set<std::string> kinds = {"Single", "PerComponent", "PerComponentRange", "Counted",
                                         "FirstComponent"};
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.member);
        ASSERT_TRUE(GroupAtList(row.group)) << row.group;
        groupsWithRows.insert(row.group);
        const Member* m = FindMember(row.member);
        ASSERT_TRUE(m);
        EXPECT_TRUE(used.insert(row.member).second) << "two rows fill one member";
        EXPECT_EQ(row.cls, m->cls);
        ASSERT_TRUE(kinds.count(row.kind)) << row.kind;
        EXPECT_EQ(row.numbers.size(), static_cast<size_t>(row.count));
        if (row.kind == "Single") {
            EXPECT_EQ(row.count, 1);
            EXPECT_EQ(m->count, 1);
        } else if (row.kind == "FirstComponent") {
            EXPECT_EQ(row.count, 1);
            EXPECT_EQ(m->count, 4);
        } else {
            EXPECT_EQ(row.count, m->count);
            const int wanted = row.kind == "PerComponent"        ? 4
                               : row.kind == "PerComponentRange" ? 16
                                                                 : 0;
            EXPECT_TRUE(wanted == 0 || row.count == wanted) << row.kind;
        }
    }
    EXPECT_EQ(groupsWithRows.size(), 37u);
    // Only the reserved entries and the Quenta type have no row.
    std::set<std::string> withoutRow;
    for (const Member& m : kMembers)
        if (!used.count(m.id)) withoutRow.insert(m.id);
    EXPECT_EQ(withoutRow.size(), 13u);
    EXPECT_TRUE(withoutRow.count("m_quentaType"));
    EXPECT_EQ(FindMember("m_quentaType")->cls, "CQuentaTypeParameter");
}

// Names and keys are formats that the group operations fill with the label, the component,
// range or running number: a conversion that does not fit the arguments would read garbage.
TEST(Catalogue, NamesAndKeysTakeTheArgumentsOfTheirKind) {
    const std::map<std::string, std::pair<std::string, std::string>> conversions = {
        // kind: name conversions, key conversions
        {"Single", {"", ""}},         {"FirstComponent", {"", "d"}},
        {"PerComponent", {"s", "d"}}, {"PerComponentRange", {"sd", "dd"}},
        {"Counted", {"d", "d"}},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.member);
        const auto& [name, key] = conversions.at(row.kind);
        EXPECT_EQ(Conversions(row.name), name) << row.name;
        if (row.keyId == 0) {
            EXPECT_EQ(row.key, "");
        } else {
            EXPECT_EQ(Conversions(row.key), key) << row.key;
        }
    }
}

TEST(Catalogue, AttributesPagesTwoStateTextsAndLinksAreWellFormed) {
    const std::set<std::string> conditions = {"Always", "ExtensionCard", "Heating"};
    const std::set<std::string> links = {"NoLink",     "Range", "RangeLower", "RangeUpper",
                                         "StepNumber", "Step",  "StepTime"};
    std::map<std::string, std::vector<const Row*>> byLink;
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.member);
        EXPECT_EQ(row.attributes & ~7, 0);
        EXPECT_GE(row.sheet, 0);
        EXPECT_LE(row.sheet, 5);
        EXPECT_TRUE(conditions.count(row.condition)) << row.condition;
        EXPECT_TRUE(row.condition != "Always" || row.otherPage == row.page);
        EXPECT_TRUE(row.sheet != 0 || row.page == 0);
        EXPECT_EQ(row.zeroId == 0, row.nonzeroId == 0);
        EXPECT_EQ(row.zeroId == 0, row.zero.empty() && row.nonzero.empty());
        EXPECT_TRUE(row.date == 0 || row.date == 1);
        EXPECT_FALSE(row.date && row.zeroId) << "a date is not two-state";
        ASSERT_TRUE(links.count(row.link)) << row.link;
        byLink[row.link].push_back(&row);
    }
    // Each range entry finds its two limits per component and range, each step its number
    // and time per step: the partners have the same shape in the same group.
    for (const auto& [owner, parts] : std::vector<std::pair<std::string, std::vector<std::string>>>{
             {"Range", {"RangeLower", "RangeUpper"}}, {"Step", {"StepNumber", "StepTime"}}}) {
        ASSERT_EQ(byLink[owner].size(), 1u) << owner;
        const Row* o = byLink[owner][0];
        for (const std::string& part : parts) {
            ASSERT_EQ(byLink[part].size(), 1u) << part;
            const Row* p = byLink[part][0];
            EXPECT_EQ(p->group, o->group) << part;
            EXPECT_EQ(p->kind, o->kind) << part;
            EXPECT_EQ(p->count, o->count) << part;
        }
    }
    EXPECT_EQ(byLink["Step"][0]->cls, "CAutocalStepParameter");
    EXPECT_EQ(byLink["StepNumber"][0]->sheet, 0);
    EXPECT_EQ(byLink["StepTime"][0]->sheet, 0);
}

// ---- Numbers -------------------------------------------------------------------------

TEST(Catalogue, NumbersEveryEntryOnceWithTheCatalogueNumbers) {
    // element numbers per member, -1 while unnumbered
    std::map<std::string, std::vector<int>> numbers;
    for (const Member& m : kMembers) numbers[m.id].assign(m.count, -1);
    auto assign = [&](const std::string& member, int element, int number) {
        auto& elements = numbers.at(member);
        ASSERT_LT(static_cast<size_t>(element), elements.size()) << member;
        EXPECT_EQ(elements[element], -1) << member << "[" << element << "] numbered twice";
        elements[element] = number;
    };
    for (const Row& row : kRows)
        for (int i = 0; i < row.count; ++i) assign(row.member, ElementOf(row, i), row.numbers[i]);
    std::set<int> numberOnly;
    for (const NumberOnly& n : kNumberOnly) {
        assign(n.member, n.element, n.number);
        numberOnly.insert(n.number);
    }

    std::multiset<int> all;
    for (const auto& [member, elements] : numbers)
        for (size_t e = 0; e < elements.size(); ++e) {
            EXPECT_NE(elements[e], -1) << member << "[" << e << "] has no number";
            all.insert(elements[e]);
        }
    std::multiset<int> wanted = {0};
    for (int n = 1; n <= 612; ++n)
        if (n != 5 && n != 101 && n != 188 && n != 377) wanted.insert(n);
    EXPECT_EQ(all, wanted);

    std::set<int> wantedNumberOnly = {602};
    for (int first : {283, 287, 291, 295})
        for (int n = first; n < first + 3; ++n) wantedNumberOnly.insert(n);
    for (int n = 531; n <= 542; ++n) wantedNumberOnly.insert(n);
    EXPECT_EQ(numberOnly, wantedNumberOnly);
    EXPECT_EQ(numbers.at("m_quentaType"), std::vector<int>{602});
}

TEST(Catalogue, SpotNumbers) {
    auto row = [](const std::string& name, int group) -> const Row& {
        for (const Row& r : kRows)
            if (r.name == name && r.group == group) return r;
        static const Row none{};
        ADD_FAILURE() << name;
        return none;
    };
    // The component-4 unit keeps 0; component 1's range maximum is 378 (377 is free).
    EXPECT_EQ(row("%s: Unit", 27).numbers, (std::vector<int>{374, 375, 376, 0}));
    EXPECT_EQ(row("%s: Range max.", 27).numbers.at(0), 378);
    EXPECT_EQ(row("%s: T90 inside", 6).numbers, (std::vector<int>{98, 99, 100, 102}));
    const std::vector<int> alarms2 = row("%s:Range%d:", 8).numbers;
    EXPECT_EQ(std::vector<int>(alarms2.begin() + 4, alarms2.begin() + 8),
              (std::vector<int>{187, 189, 190, 191}));
    EXPECT_EQ(row("Relay %d", 25).numbers.front(), 342);
    EXPECT_EQ(row("Relay %d", 25).numbers.back(), 349);
    EXPECT_EQ(kRows.back().numbers, (std::vector<int>{598, 599, 600, 601}));
}

// Every row taken with all its entries (4 components, 4 ranges, every relay, input and
// step): what a base analyzer with extension card, heating and Quenta type 2 registers.
TEST(Catalogue, FullyTakenGivesTheEntriesOfEachListPosition) {
    std::map<int, int> perList;
    int total = 0, offline = 0;
    for (const Row& row : kRows) {
        perList[row.group] += row.count;
        total += row.count;
        if (row.attributes & 2) offline += row.count;
    }
    std::map<int, int> wanted = {{1, 10}, {2, 4},   {3, 52},  {4, 12},  {5, 25}, {6, 24}, {11, 7},
                                 {12, 2}, {13, 36}, {14, 1},  {15, 1},  {16, 6}, {17, 5}, {18, 5},
                                 {19, 2}, {24, 8},  {25, 16}, {26, 14}, {27, 8}, {28, 3}, {29, 1},
                                 {33, 3}, {34, 4},  {35, 2},  {36, 3},  {37, 20}};
    for (int list : {7, 8, 9, 10}) wanted[list] = 28;
    for (int list : {20, 21, 22, 23}) wanted[list] = 48;
    for (int list : {30, 31, 32}) wanted[list] = 2;
    EXPECT_EQ(perList, wanted);
    EXPECT_EQ(total, 584);
    EXPECT_EQ(offline, 578);
}

// ---- Bindings ------------------------------------------------------------------------

TEST(Catalogue, BindsTheAccessLayersMembers) {
    std::vector<Adapter> fetches, transfers;
    auto add = [](std::vector<Adapter>& list, const Adapter& a) {
        for (const Adapter& known : list)
            if (known.name == a.name) {
                EXPECT_TRUE(known.pointer == a.pointer) << a.name;
                return;
            }
        for (const Adapter& known : list)
            EXPECT_FALSE(known.pointer == a.pointer) << known.name << " and " << a.name;
        list.push_back(a);
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.member);
        ASSERT_TRUE(row.fetch.pointer != nullptr);
        add(fetches, row.fetch);
        EXPECT_EQ(row.transfer.pointer == nullptr, row.transfer.name.empty());
        if (row.transfer.pointer) add(transfers, row.transfer);
    }
    EXPECT_EQ(fetches.size(), 144u);
    EXPECT_EQ(transfers.size(), 112u);
    const auto named = [&](const std::string& name) {
        return std::any_of(fetches.begin(), fetches.end(),
                           [&](const Adapter& a) { return a.name == name; });
    };
    EXPECT_TRUE(named("GetWarmupDeviceState"));
    EXPECT_TRUE(named("FetchAirPressure"));
}

// ---- The models' tables ----------------------------------------------------------------

TEST(Models, FunctionTablesHoldOrderedRangesOfTheirFlags) {
    std::set<std::pair<std::string, std::string>> seen;
    for (const ModelFunctions& f : kModelFunctions) {
        SCOPED_TRACE(f.model + " " + f.table);
        EXPECT_TRUE(seen.insert({f.model, f.table}).second) << "one line per model and table";
        ASSERT_TRUE(f.table == "Relay" || f.table == "BinaryInput");
        const int flags = f.table == "Relay" ? 63 : 50;
        int after = -1;
        for (const auto& [first, last] : f.on) {
            EXPECT_GT(first, after) << "ranges in order, apart";
            EXPECT_LE(first, last);
            EXPECT_LT(last, flags);
            after = last;
        }
    }
    // The Parvel models' figures.
    auto flagsOn = [](const std::string& model, const std::string& table) {
        int on = 0;
        for (const ModelFunctions& f : kModelFunctions)
            if (f.model == model && f.table == table)
                for (const auto& [first, last] : f.on) on += last - first + 1;
        return on;
    };
    EXPECT_EQ(flagsOn("CParvel6", "Relay"), 43);
    EXPECT_EQ(flagsOn("CParvel6", "BinaryInput"), 36);
    EXPECT_EQ(flagsOn("CParvel64", "Relay"), 36);
    EXPECT_EQ(flagsOn("CParvel64", "BinaryInput"), 33);
    // And those of the Lorvix, Sindor and Quenta models.
    for (const char* lorvix : {"CLorvix6", "CLorvix62"}) {
        EXPECT_EQ(flagsOn(lorvix, "Relay"), 35);
        EXPECT_EQ(flagsOn(lorvix, "BinaryInput"), 33);
    }
    EXPECT_EQ(flagsOn("CSindor23", "Relay"), 20);
    EXPECT_EQ(flagsOn("CSindor23", "BinaryInput"), 32);
    EXPECT_EQ(flagsOn("CSindor6", "Relay"), 50);
    EXPECT_EQ(flagsOn("CSindor6", "BinaryInput"), 42);
    EXPECT_EQ(flagsOn("CQuenta6", "Relay"), 40);
    EXPECT_EQ(flagsOn("CQuenta6", "BinaryInput"), 33);
    EXPECT_EQ(seen.size(), 14u) << "both tables of seven models";
}

// A model's row binds a member of the analyzer with its class and size, keeps the numbers
// the catalogue gives that member, belongs to a group operation and joins a group or none
// (then without an edit location).
TEST(Models, RowsBindMembersWithTheirCatalogueNumbers) {
    for (const ModelRow& m : kModelRows) {
        const Row& row = m.row;
        SCOPED_TRACE(m.model + " " + row.member);
        const Member* member = FindMember(row.member);
        ASSERT_NE(member, nullptr);
        EXPECT_EQ(member->cls, row.cls);
        EXPECT_EQ(row.count, row.kind == "Single" ? 1 : member->count);
        ASSERT_EQ(row.numbers.size(), (size_t)row.count);
        const bool operation =
            std::any_of(std::begin(kGroups), std::end(kGroups),
                        [&](const Group& g) { return g.registrar == m.operation; });
        EXPECT_TRUE(operation) << m.operation;
        if (row.group == 0) {
            EXPECT_EQ(row.sheet, 0);
        } else {
            EXPECT_NE(GroupAtList(row.group), nullptr);
        }
        for (const Row& catalogue : kRows) {
            if (catalogue.member != row.member) continue;
            EXPECT_EQ(catalogue.numbers, row.numbers);
        }
        EXPECT_TRUE(row.fetch.pointer != nullptr);
        EXPECT_EQ(row.transfer.pointer == nullptr, row.transfer.name.empty());
    }
}

// The members that a parenthesised list names: "(m_a, m_b)".
std::vector<std::string> MembersNamed(const std::string& list) {
    std::vector<std::string> members;
    std::string name;
    for (char c : list) {
        if (c == '(' || c == ' ') continue;
        if (c == ',' || c == ')') {
            if (!name.empty()) members.push_back(name);
            name.clear();
            continue;
        }
        name += c;
    }
    return members;
}

// The catalogue row of `member` in the group of `operation`; null when the group has none.
const Row* GroupRow(const std::string& operation, const std::string& member) {
    for (const Group& g : kGroups)
        if (g.registrar == operation)
            for (const Row& row : kRows)
                if (row.group == g.list && row.member == member) return &row;
    return nullptr;
}

// A model's own group keeps rows of the catalogue's group of its operation, and changes only
// rows that its group holds: a member of another group would change nothing.
TEST(Models, OwnGroupsKeepAndChangeTheRowsOfTheirGroups) {
    const std::set<std::string> orders = {"ComponentByComponent", "RangeByRange", "StepByStep"};
    std::set<std::pair<std::string, std::string>> own;
    for (const ModelGroup& g : kModelGroups) {
        SCOPED_TRACE(g.model + " " + g.operation);
        EXPECT_TRUE(own.insert({g.model, g.operation}).second) << "one line per group";
        EXPECT_TRUE(orders.count(g.order)) << g.order;
        const std::vector<std::string> kept = MembersNamed(g.rows);
        ASSERT_FALSE(kept.empty());
        size_t counted = 0;
        for (const std::string& member : kept) {
            const Row* row = GroupRow(g.operation, member);
            ASSERT_NE(row, nullptr) << member << " is no row of the group";
            if (row->kind == "Counted") {
                ++counted;
                if (counted <= g.counts.size()) {
                    EXPECT_LE(g.counts[counted - 1], row->count);
                }
            }
        }
        EXPECT_LE(g.counts.size(), counted) << "a count for each counted row at most";
    }
    const std::set<std::string> conditions = {"Always", "ExtensionCard", "Heating"};
    for (const ModelChange& c : kModelChanges) {
        SCOPED_TRACE(c.model + " " + c.operation + " " + c.kind + " " + c.member);
        if (c.kind == "EditPage") {
            EXPECT_TRUE(std::any_of(std::begin(kGroups), std::end(kGroups),
                                    [&](const Group& g) { return g.registrar == c.operation; }));
            EXPECT_GE(c.sheet, 1);
            EXPECT_LE(c.sheet, 5);
            EXPECT_TRUE(conditions.count(c.condition));
            if (c.condition == "Always") {
                EXPECT_EQ(c.page, c.otherPage);
            }
            continue;
        }
        ASSERT_NE(GroupRow(c.operation, c.member), nullptr) << "no row of the group";
        for (const ModelGroup& g : kModelGroups)
            if (g.model == c.model && g.operation == c.operation) {
                const std::vector<std::string> kept = MembersNamed(g.rows);
                EXPECT_NE(std::find(kept.begin(), kept.end(), c.member), kept.end())
                    << "a dropped row";
            }
        if (c.kind == "Attributes") {
            EXPECT_GE(c.value, 0);
            EXPECT_LE(c.value, 7);
        } else {
            EXPECT_EQ(c.transfer.pointer == nullptr, c.transfer.name.empty());
            if (c.transfer.pointer) {
                EXPECT_EQ(c.transfer.name.compare(0, 8, "Transfer"), 0) << c.transfer.name;
            }
        }
    }
    // The Sindor 23's: eight groups of its own over the catalogue's, changes in seven.
    EXPECT_EQ(own.size(), 8u);
    std::set<std::string> changed;
    for (const ModelChange& c : kModelChanges) changed.insert(c.operation);
    EXPECT_EQ(changed.size(), 7u);
}

// ---- Texts and their ids -------------------------------------------------------------

// Every text of the tables with its id, by id space: names and value texts, keys and
// titles, group names.
struct Text {
    int id;
    std::string text;
    std::string where;
};

std::vector<Text> AllTexts() {
    std::vector<Text> all;
    for (const Group& g : kGroups) {
        all.push_back({g.nameId, g.name, "group name " + g.name});
        all.push_back({g.titleId, g.title, "title of " + g.name});
    }
    std::vector<Row> rows = kRows;
    for (const ModelRow& m : kModelRows) rows.push_back(m.row);
    for (const Row& row : rows) {
        all.push_back({row.nameId, row.name, "name of " + row.member});
        if (row.keyId) all.push_back({row.keyId, row.key, "key of " + row.member});
        if (row.zeroId) all.push_back({row.zeroId, row.zero, "zero text of " + row.member});
        if (row.nonzeroId)
            all.push_back({row.nonzeroId, row.nonzero, "nonzero text of " + row.member});
    }
    return all;
}

TEST(Texts, OneIdPerDistinctTextInItsRange) {
    std::map<int, std::string> byId;
    std::map<std::pair<int, std::string>, int> bySpaceAndText;  // space: the thousands
    for (const Text& t : AllTexts()) {
        SCOPED_TRACE(t.where);
        const auto [at, fresh] = byId.emplace(t.id, t.text);
        EXPECT_EQ(at->second, t.text) << "id " << t.id << " has two texts";
        const int space = t.id / 1000;
        const auto [seen, first] = bySpaceAndText.emplace(std::make_pair(space, t.text), t.id);
        EXPECT_EQ(seen->second, t.id) << "text \"" << t.text << "\" has two ids";
        const bool inRange = (t.id >= 15007 && t.id <= 15250) || (t.id >= 16000 && t.id <= 16036) ||
                             (t.id >= 17000 && t.id <= 17200) || t.id == 56002 || t.id == 56003;
        EXPECT_TRUE(inRange) << t.id;
    }
    // The ids of other texts of the program in the key range stay theirs.
    for (int taken : {15100, 15105, 15110, 15111, 15112, 15121, 15124, 15220, 15221})
        EXPECT_FALSE(byId.count(taken)) << taken;
}

TEST(Texts, FixedIdsKeepTheirTexts) {
    const std::vector<std::pair<int, std::string>> fixed = {
        {17003, "%s: Range %d:"},
        {17004, "Next Autocal"},
        {17041, "Autocal"},
        {17044, "Cycle time"},
        {17047, "Magnetic field frequency"},
        {17067, "Channel name / TAG-Nr."},
        {17068, "Meas. value telegrams"},
        {17069, "%s: Unit"},
        {17070, "%s: Range max."},
        {17071, "Pump"},
        {17076, "Installation date"},
        {17077, "Set-point"},
        {17082, "%s: Total Range Calibration"},
        {17084, "%s: Compensation component channel 2"},
        {17086, "%s: Compensation component component 2"},
        {15070, "Magnetic field"},
        {15098, "Channel name"},
        {15099, "Broadcast"},
        {15128, "C%d: Compensation component channel 2"},
        {15130, "C%d: Compensation component component 2"},
        {15203, "C%d: Unit"},
        {15204, "C%d: Maximum"},
        {15206, "Pump"},
        {15211, "O2-Sensor"},
        {15212, "Installation date"},
        {15213, "Set-point (air)"},
        {15250, "H2S-Sensor"},
        {56002, "on"},
        {56003, "off"},
    };
    const std::vector<Text> all = AllTexts();
    for (const auto& [id, text] : fixed) {
        const bool found = std::any_of(all.begin(), all.end(),
                                       [&](const Text& t) { return t.id == id && t.text == text; });
        EXPECT_TRUE(found) << id << " \"" << text << "\"";
    }
}

TEST(Texts, AreTheProgramsOwnBytes) {
    auto member = [](const std::string& id) -> const Row& {
        for (const Row& r : kRows)
            if (r.member == id) return r;
        static const Row none{};
        ADD_FAILURE() << id;
        return none;
    };
    EXPECT_EQ(member("m_limitRange1").key, "C%d: Range%d: Limit alarml");
    EXPECT_EQ(member("m_limitRange2").key, "C%d: Range%d: Limit alarm");
    EXPECT_EQ(member("m_limitRange1").name, "%s: Range%d:");
    EXPECT_EQ(member("m_limitRange3").name, "%s:Range%d:");
    EXPECT_EQ(member("m_syncInput").key, "Sync imput");
    EXPECT_EQ(GroupAtList(29)->title, "Sync imput");
    EXPECT_EQ(member("m_integrationT90in").key, "C%d T90 inside");
    EXPECT_EQ(member("m_measRangeLimits").name, "%s: Range %d : ");
    EXPECT_EQ(member("m_autorange").name, "%s:");
    EXPECT_EQ(member("m_gasRangeStart").bus, "w, 28");
    EXPECT_EQ(member("m_gasRangeEnd").bus, "s,28");
    EXPECT_EQ(member("m_analogRange").bus, "s,s");
    EXPECT_EQ(member("m_warmupDeviceState").bus, "");
    EXPECT_EQ(member("m_syncInput").zero, "only reports contact CAL");
    EXPECT_EQ(member("m_syncInput").nonzero, "initiates zero calibration");
    EXPECT_EQ(member("m_limitAlarm4").zero, "Below limit");
    EXPECT_EQ(member("m_limitAlarm4").nonzero, "Above limit");
}

// Keys name the entries in documents and in the profile: the group's title, a backslash
// and the key formatted for the entry. Rows of one group with the same key text (the main
// and extension relays and inputs) continue the running number.
TEST(Texts, EveryEntrysKeyIsUnique) {
    std::map<std::string, std::string> keys;  // key -> entry
    std::map<std::pair<int, std::string>, int> running;
    for (const Row& row : kRows) {
        if (row.keyId == 0) continue;
        const std::string title = GroupAtList(row.group)->title;
        std::vector<std::string> formatted;
        if (row.kind == "Single") formatted.push_back(row.key);
        if (row.kind == "FirstComponent") formatted.push_back(Format(row.key, 1));
        if (row.kind == "PerComponent")
            for (int c = 1; c <= 4; ++c) formatted.push_back(Format(row.key, c));
        if (row.kind == "PerComponentRange")
            for (int c = 1; c <= 4; ++c)
                for (int r = 1; r <= 4; ++r) formatted.push_back(Format(row.key, c, r));
        if (row.kind == "Counted") {
            int& next = running[{row.group, row.key}];
            for (int i = 0; i < row.count; ++i) formatted.push_back(Format(row.key, ++next));
        }
        for (const std::string& key : formatted) {
            const std::string full = title + "\\" + key;
            const auto [at, fresh] = keys.emplace(full, row.member);
            EXPECT_TRUE(fresh) << full << ": " << at->second << " and " << row.member;
        }
    }
    EXPECT_EQ(keys.size(), 584u - 4u);  // every entry taken but the four without a key
    EXPECT_TRUE(keys.count("Relay outputs\\Relay 16"));
    EXPECT_TRUE(keys.count("Binary inputs\\Binary input 14"));
}

class ProgramStrings : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        program_ = LoadLibraryExA("KorvanGA.exe", NULL, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        if (program_) FreeLibrary(program_);
    }
    static HMODULE program_;
};

HMODULE ProgramStrings::program_ = NULL;

TEST_F(ProgramStrings, HoldEveryIdOfTheTablesWithItsExactText) {
    ASSERT_NE(program_, nullptr) << "KorvanGA.exe not loadable, error " << GetLastError();
    ASSERT_EQ(GetACP(), 1252u);
    for (const Text& t : AllTexts()) {
        char buffer[1024];
        const int n = LoadStringA(program_, static_cast<UINT>(t.id), buffer, sizeof buffer);
        EXPECT_GT(n, 0) << t.id << " missing (" << t.where << ")";
        EXPECT_EQ(std::string(buffer, n > 0 ? n : 0), t.text) << t.id << " (" << t.where << ")";
    }
}

}  // namespace
