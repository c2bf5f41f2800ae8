// The analyzer object without a bus: the shape of its embedded table (figures typed in here,
// not computed from the tables), its groups, construction and initialisation, the offline
// answers, the result report, the table lookups and what it owns.
#include "node_helpers.h"
#include "recording_host.h"
#include "resource.h"
#include "test_access.h"
#include "vaskinstrument.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

namespace {

const char kMaker[] = "KorvanGA analyzer test";

// The analyzer's protected parts, for the tests.
class Probe : public CVaskInstrument {
public:
    using CVaskInstrument::CVaskInstrument;
    Probe() {}

    // Per entry class: how many members of each element count the class declares, by the
    // declared type of each member that members.def names.
    std::map<std::string, std::map<int, int>> MemberShapes() {
        std::map<std::string, std::map<int, int>> shapes;
#define VASK_MEMBER(id, cls, count)                                                            \
    static_assert(std::is_same<std::remove_all_extents<decltype(id)>::type, cls>::value, #id); \
    ++shapes[#cls][(int)(sizeof(id) / sizeof(cls))];
#include "members.def"
        return shapes;
    }
    void SetDiagValues(CDiagnosticValues* values) { m_diagValues = values; }
    int ComponentCountField() const { return m_componentCount; }
};

// An initialised analyzer whose groups hold only the entries that a test puts there.
class Unregistered : public CVaskInstrument {
public:
    Unregistered() : CVaskInstrument("Test", 1, nullptr, 1, 2, 4, 4, 0) { Initialize(); }
    void RegisterParameterGroups() override {}
};

// A diagnostic display that tells when it is deleted.
class FakeDiagValues : public CDiagnosticValues {
public:
    explicit FakeDiagValues(int* deleted) : deleted_(deleted) {}
    ~FakeDiagValues() override { ++*deleted_; }
    BOOL AttachToDlgItem(CWnd*, UINT) override { return TRUE; }

private:
    int* deleted_;
};

class Analyzer : public ::testing::Test {
protected:
    TestProfile profile_{kMaker};
    RecordingHost host_{1};
    TestAccess access_;
};

TEST_F(Analyzer, Embeds158MembersWith609EntriesOfTheirClassesAllUnknownAndUnbound) {
    Probe analyzer;
    const std::map<std::string, std::map<int, int>> expected = {
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
    const auto shapes = analyzer.MemberShapes();
    EXPECT_EQ(expected, shapes);
    int members = 0;
    for (const auto& cls : shapes)
        for (const auto& shape : cls.second) members += shape.second;
    EXPECT_EQ(158, members);

    CObList entries;
    analyzer.GetEmbeddedParameters(entries);
    ASSERT_EQ(609, (int)entries.GetCount());
    std::map<std::string, int> byClass;
    std::set<CObject*> distinct;
    for (POSITION pos = entries.GetHeadPosition(); pos != NULL;) {
        CVaskParameter* entry = (CVaskParameter*)entries.GetNext(pos);
        distinct.insert(entry);
        ++byClass[entry->GetRuntimeClass()->m_lpszClassName];
        EXPECT_EQ("Unknown", Text(entry->GetName()));
        EXPECT_EQ(0, entry->GetNumber());
        EXPECT_EQ(nullptr, entry->GetGroup());
        EXPECT_EQ(nullptr, entry->GetFetch());
        EXPECT_EQ(0, entry->GetAttributes());
    }
    EXPECT_EQ(609u, distinct.size());
    EXPECT_EQ((std::map<std::string, int>{{"CVaskParameter", 516},
                                          {"CCurrentParameter", 21},
                                          {"CGasTypeParameter", 16},
                                          {"CRelaisParameter", 16},
                                          {"CBinaryParameter", 14},
                                          {"CAutocalStepParameter", 12},
                                          {"CPressureTypeParameter", 4},
                                          {"CUnitParameter", 4},
                                          {"CMeasStoreParameter", 2},
                                          {"CQuentaTypeParameter", 1},
                                          {"CWarmUpStatusParameter", 1},
                                          {"CStartStatusParameter", 1},
                                          {"CWarmUpDeviceStateParameter", 1}}),
              byClass);
}

TEST_F(Analyzer, ThirtySevenGroupsAreNamedFromTheStartAndListedByInitialize) {
    // Member order: name, title and position in the groups list.
    struct Group {
        const char* name;
        const char* title;
        int list;
    } groups[] = {
        {"Diagnostics/Factory settings", "Diagnostic/Factory settings", 1},
        {"Selected measuring range", "Select measuring range", 2},
        {"Measuring range", "Define measuring range", 3},
        {"Autorange", "Autorange", 4},
        {"Measuring range values", "Adjust measuring range", 5},
        {"Time constants", "Time constants", 6},
        {"Limit value 1", "Limit values 1", 7},
        {"Limit value 2", "Limit values 2", 8},
        {"Limit value 3", "Limit values 3", 9},
        {"Limit value 4", "Limit values 4", 10},
        {"Autocal", "Autocal", 11},
        {"Autocal cycle", "Autocal cycle", 12},
        {"Autocal sequence", "Autocal steps", 13},
        {"Frequencies", "Frequencies", 14},
        {"Shock compensation", "Compensation", 15},
        {"Sample point selection", "Sensor switching", 16},
        {"Pressure correction", "Pressure correction", 17},
        {"Interference correction 1", "Gas correction 1", 20},
        {"Interference correction 2", "Gas correction 2", 21},
        {"Interference correction 3", "Gas correction 3", 22},
        {"Interference correction 4", "Gas correction 4", 23},
        {"Analog outputs", "Analogous output", 24},
        {"Relay assignment", "Relay outputs", 25},
        {"Binary inputs", "Binary inputs", 26},
        {"Units", "Units", 27},
        {"Pump", "Pump", 28},
        {"Sync Input", "Sync imput", 29},
        {"VASK", "VASK", 32},
        {"Warm up state", "WarmUp State", 33},
        {"O2-Sensor", "O2-Sensor", 30},
        {"H2S-Sensor", "H2S-Sensor", 31},
        {"Heating", "Heating", 35},
        {"Pressure settings", "Pressure Settings", 18},
        {"External Pressure", "External Pressure", 36},
        {"Drift values", "Drift values", 37},
        {"Pressure sensor", "Pressure sensor", 19},
        {"Instrument status", "Instrument status", 34},
    };
    ASSERT_EQ(37u, sizeof groups / sizeof groups[0]);

    // A dynamically created analyzer has its named groups but no list and no owner yet.
    std::unique_ptr<CVaskInstrument> created(
        (CVaskInstrument*)RUNTIME_CLASS(CVaskInstrument)->CreateObject());
    ASSERT_NE(nullptr, created.get());
    EXPECT_TRUE(created->GetGroupList().IsEmpty());
    for (const Group& g : groups) {
        CParameterGroup* group = created->GetParameterGroup(g.list);
        ASSERT_NE(nullptr, group) << g.list;
        EXPECT_EQ(g.name, Text(group->GetName())) << g.list;
        EXPECT_EQ(g.title, Text(group->GetTitle())) << g.list;
        EXPECT_EQ(nullptr, group->GetInstrument());
        EXPECT_TRUE(group->GetParameterList().IsEmpty());
    }
    EXPECT_EQ(nullptr, created->GetParameterGroup(0));
    EXPECT_EQ(nullptr, created->GetParameterGroup(38));
    EXPECT_EQ(15211u, created->GetParameterGroup(30)->GetTitleId());
    EXPECT_EQ(15250u, created->GetParameterGroup(31)->GetTitleId());

    created->Initialize();
    std::vector<std::string> listed;
    const CObList& list = created->GetGroupList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CParameterGroup* group = (CParameterGroup*)list.GetNext(pos);
        listed.push_back(Text(group->GetName()));
        EXPECT_EQ(created.get(), group->GetInstrument());
    }
    std::vector<std::string> inListOrder(37);
    for (const Group& g : groups) inListOrder[g.list - 1] = g.name;
    EXPECT_EQ(inListOrder, listed);
    // A second initialisation lists them once.
    created->Initialize();
    EXPECT_EQ(37, (int)created->GetGroupList().GetCount());
}

TEST_F(Analyzer, DynamicCreationWaitsForTheDocumentTheBaseModelInitialisesItself) {
    std::unique_ptr<CVaskInstrument> created(
        (CVaskInstrument*)RUNTIME_CLASS(CVaskInstrument)->CreateObject());
    EXPECT_EQ("Unknown", Text(created->GetName()));
    EXPECT_EQ(0, created->HasData());
    EXPECT_EQ(4, created->GetComponentCount());
    EXPECT_EQ(4, created->GetDefaultComponentCount());
    EXPECT_EQ(4, created->GetRangeCount());
    EXPECT_EQ(0, created->GetModelKind());
    EXPECT_EQ(0, created->GetAddress());
    EXPECT_EQ(nullptr, created->GetAccess());
    EXPECT_EQ(6, created->GetRecordVersion());
    EXPECT_EQ(0, created->HasExtensionCard());
    EXPECT_EQ(0, created->HasHeating());
    EXPECT_EQ(0, created->GetImageIndex());
    QuentaType type = QuentaType(0);
    EXPECT_EQ(1, created->GetInstrumentType(type));
    EXPECT_EQ(1, (int)type);

    // The base model (type code 0) is initialised by its constructor; a model's is not.
    CVaskInstrument base("Base", 0, &access_, 3, 2, 4, 4, 1);
    EXPECT_EQ(1, base.HasData());
    EXPECT_EQ(4, base.GetImageIndex());
    EXPECT_EQ(1, base.IsConnectionEnabled());
    EXPECT_EQ(1, base.IsCommandReportEnabled());
    EXPECT_EQ(37, (int)base.GetGroupList().GetCount());
    CVaskInstrument model("Model", 2, &access_, 3, 2, 4, 4, 1);
    EXPECT_EQ(0, model.HasData());
    EXPECT_TRUE(model.GetGroupList().IsEmpty());
    EXPECT_EQ(0, model.IsConnectionEnabled());
}

TEST_F(Analyzer, InitializeGivesEveryEntryTheDefaultTheProfileHolds) {
    host_.SetMode(0);
    // Values for the first entries of three sections; the other sections are not in the
    // profile at all.
    CVaskInstrument first("Base", 0, nullptr, 1, 2, 4, 4, 0);
    std::map<std::string, std::string> stored;
    int n = 0;
    CString lastSection;
    for (POSITION g = first.GetGroupList().GetHeadPosition(); g != NULL && stored.size() < 3;) {
        const CObList& entries = ((CParameterGroup*)first.GetGroupList().GetNext(g))
                                     ->GetParameterList();
        if (entries.IsEmpty()) continue;
        CVaskParameter* entry = (CVaskParameter*)entries.GetHead();
        const CString path = first.GetModelName() + "\\" + entry->GetKey();
        const int at = path.ReverseFind('\\');
        if (entry->GetKey().IsEmpty() || path.Left(at) == lastSection) continue;
        lastSection = path.Left(at);
        ++n;
        const std::string value = std::to_string(n) + ".5;" + std::to_string(n + 2) + ";3";
        AfxGetApp()->WriteProfileString(path.Left(at), path.Mid(at + 1), value.c_str());
        stored[(LPCSTR)entry->GetKey()] = value;
    }
    ASSERT_EQ(3u, stored.size());

    CVaskInstrument analyzer("Base", 0, nullptr, 1, 2, 4, 4, 0);
    int entries = 0, fromProfile = 0;
    for (POSITION g = analyzer.GetGroupList().GetHeadPosition(); g != NULL;) {
        const CObList& list = ((CParameterGroup*)analyzer.GetGroupList().GetNext(g))
                                  ->GetParameterList();
        for (POSITION e = list.GetHeadPosition(); e != NULL; ++entries) {
            CVaskParameter* entry = (CVaskParameter*)list.GetNext(e);
            // What the entry reads from the profile on its own.
            VaskFloat read = MakeValue(0.0, "");
            entry->LoadDefault(read);
            const VaskFloat& taken = entry->GetCachedValue();
            EXPECT_EQ(Text(read.text), Text(taken.text)) << Text(entry->GetKey());
            EXPECT_EQ(read.unit, taken.unit) << Text(entry->GetKey());
            EXPECT_EQ(read.quantity, taken.quantity) << Text(entry->GetKey());
            const auto value = stored.find((LPCSTR)entry->GetKey());
            if (value == stored.end()) continue;
            ++fromProfile;
            EXPECT_EQ(value->second.substr(0, value->second.find(';')), Text(taken.text));
        }
    }
    EXPECT_GT(entries, 300);
    EXPECT_EQ(3, fromProfile);
}

TEST_F(Analyzer, InitializeBoundsTheComponentCountByTheDefault) {
    struct Case {
        int count, defaultCount, initialised;
    } cases[] = {{5, 4, 4}, {0, 4, 4}, {2, 4, 2}, {4, 4, 4}, {-1, 4, 4}, {2, 1, 1}};
    for (const Case& c : cases) {
        Probe analyzer("Test", 1, nullptr, 1, c.count, c.defaultCount, 4, 0);
        EXPECT_EQ(c.count, analyzer.ComponentCountField());
        analyzer.Initialize();
        EXPECT_EQ(c.initialised, analyzer.GetComponentCount()) << c.count;
    }
}

TEST_F(Analyzer, ComponentNamesComeFromTheModelsProfileSection) {
    AfxGetApp()->WriteProfileString("Sindor 6\\Components", "Component 1", "CO");
    AfxGetApp()->WriteProfileString("Sindor 6\\Components", "Component 4", "NO2");
    AfxGetApp()->WriteProfileString("Parvel 6\\Components", "Component 2", "O2");
    CVaskInstrument sindor("S", 1, nullptr, 1, 2, 4, 4, 0);
    EXPECT_EQ("CO", Text(sindor.GetComponentName(0)));
    EXPECT_EQ("", Text(sindor.GetComponentName(1)));
    EXPECT_EQ("NO2", Text(sindor.GetComponentName(3)));
    EXPECT_EQ("", Text(sindor.GetComponentName(-1)));
    EXPECT_EQ("", Text(sindor.GetComponentName(4)));
    sindor.SetComponentName(4, "X");
    sindor.SetComponentName(-1, "X");
    sindor.SetComponentName(1, "CO2");
    EXPECT_EQ("CO2", Text(sindor.GetComponentName(1)));
    EXPECT_EQ("Sindor 6", Text(sindor.GetModelName()));
    CVaskInstrument parvel("P", 2, nullptr, 1, 2, 4, 4, 0);
    EXPECT_EQ("O2", Text(parvel.GetComponentName(1)));
    EXPECT_EQ("", Text(parvel.GetComponentName(0)));
    CVaskInstrument unknown("U", 11, nullptr, 1, 2, 4, 4, 0);
    EXPECT_EQ("", Text(unknown.GetModelName()));
}

TEST_F(Analyzer, OfflineNothingIsAskedNorReported) {
    struct Case {
        const char* name;
        int mode;
        bool access;
    } cases[] = {{"application offline", 0, true}, {"no access object", 1, false}};
    for (const Case& c : cases) {
        host_.SetMode(c.mode);
        CVaskInstrument analyzer("Test", 0, c.access ? &access_ : nullptr, 5, 2, 4, 4, 1);
        EXPECT_FALSE(analyzer.IsOnline()) << c.name;
        EXPECT_EQ(0, analyzer.GetState()) << c.name;
        EXPECT_EQ(0, analyzer.GetChannelState()) << c.name;
        EXPECT_EQ(1, analyzer.HasExtensionCard()) << "the constructor's flag";
        EXPECT_EQ(0, analyzer.HasHeating());
        ChannelSwitchStruct switches;
        int on = 7, temperature = 7;
        OptionCardType card = OptionCardType(7);
        VaskFloat values[4];
        EXPECT_EQ(0, analyzer.GetSwitches(switches)) << c.name;
        EXPECT_EQ(0, analyzer.Broadcast(1));
        EXPECT_EQ(0, analyzer.GetHeating(on, temperature));
        EXPECT_EQ(0, analyzer.GetOptionCard(card));
        EXPECT_EQ(0, analyzer.GetMeas(values));
        EXPECT_EQ(7, on);
        EXPECT_EQ(7, (int)card);
        QuentaType type = QuentaType(0);
        EXPECT_EQ(1, analyzer.GetInstrumentType(type));
        EXPECT_EQ(1, (int)type);
        EXPECT_EQ(1, analyzer.PauseBroadcast(0)) << "nothing paused, nothing to do";
        EXPECT_EQ(0, analyzer.PauseBroadcast(1)) << "the switches cannot be read";
        EXPECT_EQ(0, analyzer.WriteParamSet("x.prm", nullptr, 0));
        EXPECT_EQ(0, analyzer.Download("x.hex", nullptr, 0));
        CStringList texts;
        texts.AddTail("old");
        EXPECT_FALSE(analyzer.GetStateTexts(texts));
        EXPECT_TRUE(texts.IsEmpty());
        CString command = "old";
        const ErrorStruct_ record = analyzer.GetLastErrorText(command);
        EXPECT_TRUE(command.IsEmpty());
        EXPECT_EQ(0, record.code);
    }
    EXPECT_TRUE(host_.reports.empty());
    EXPECT_TRUE(access_.fetches.empty());
}

TEST_F(Analyzer, TheResultReportGivesFailuresWithTheCommandToTheSink) {
    CVaskInstrument analyzer("Test", 0, &access_, 5, 2, 4, 4, 0);
    access_.GetLastError().code = 12;
    access_.GetLastError().info = ('k' << 8) | 3;
    access_.GetLastError().text = "The device refused the request (E12)";

    CString out = "old";
    analyzer.ReportResult(out, 1, IDS_ERROR, 0);
    EXPECT_EQ("Successful", Text(out));
    EXPECT_TRUE(host_.reports.empty()) << "success is never reported";

    analyzer.ReportResult(out, 0, IDS_COMPONENT_ENTRY, 3);
    EXPECT_EQ("Component 3", Text(out)) << "the text formatted with the argument";
    ASSERT_EQ(1u, host_.reports.size());
    EXPECT_EQ("Component 3\nVask command: \"k, 3\"", host_.reports[0].text);
    EXPECT_EQ(12, host_.reports[0].error.code);
    EXPECT_EQ((unsigned long)(('k' << 8) | 3), host_.reports[0].error.info);
    EXPECT_EQ("The device refused the request (E12)", Text(host_.reports[0].error.text));

    // The caller's copy does not follow the access object's record.
    CString command;
    ErrorStruct_ copy = analyzer.GetLastErrorText(command);
    EXPECT_EQ("Vask command: \"k, 3\"", Text(command));
    access_.GetLastError().text = "changed";
    access_.GetLastError().code = 9;
    EXPECT_EQ("The device refused the request (E12)", Text(copy.text));
    EXPECT_EQ(12, copy.code);

    // A failure before any command names none.
    access_.GetLastError().info = 0;
    analyzer.ReportResult(out, 0, IDS_ERROR, 0);
    ASSERT_EQ(2u, host_.reports.size());
    EXPECT_EQ("Error.", host_.reports[1].text);

    // With the report flag clear, failures give their text and nothing more.
    analyzer.EnableCommandReport(0);
    analyzer.ReportResult(out, 0, IDS_ERR_READ_HEATING, 0);
    EXPECT_EQ("Error while reading the heating parameters.", Text(out));
    EXPECT_EQ(2u, host_.reports.size());

    // Offline the report carries no command and an empty record.
    analyzer.EnableCommandReport(1);
    host_.SetMode(0);
    analyzer.ReportResult(out, 0, IDS_ERR_READ_OPTION_CARD, 0);
    ASSERT_EQ(3u, host_.reports.size());
    EXPECT_EQ("Error while reading the otional board.", host_.reports[2].text);
    EXPECT_EQ(0, host_.reports[2].error.code);
}

TEST_F(Analyzer, UnitTextsByCode) {
    struct Case {
        int code;
        const char* text;
    } cases[] = {{1, "  "}, {2, "ppm"}, {57, "ppm Cx"}, {58, ""}, {0, ""}, {-19499, ""}, {53, ""}};
    for (const Case& c : cases) {
        CString text = "old";
        CVaskInstrument::GetUnitText(text, c.code);
        EXPECT_EQ(c.text, Text(text)) << c.code;
    }
}

TEST_F(Analyzer, ModelConstantsOfTheBaseClass) {
    CVaskInstrument analyzer("Test", 0, nullptr, 1, 2, 4, 4, 0);
    EXPECT_EQ(8, analyzer.GetRelayCount());
    EXPECT_EQ(6, analyzer.GetBinaryInputCount());
    EXPECT_EQ(8, analyzer.GetExtRelayCount());
    EXPECT_EQ(8, analyzer.GetExtBinaryInputCount());
    int count = -5;
    EXPECT_EQ(nullptr, analyzer.GetRelayFunctionTable(count));
    EXPECT_EQ(nullptr, analyzer.GetBinaryInputFunctionTable(count));
    EXPECT_EQ(-5, count);
    EXPECT_EQ(0, analyzer.FetchState()) << "offline";
}

TEST_F(Analyzer, EntriesAreFoundByNumberAndKeyInGroupListOrder) {
    Unregistered analyzer;
    CVaskParameter first, second, third;
    first.Set("A", 0, 0, 1, nullptr, nullptr, nullptr, "Key", "");
    second.Set("B", 0, 0, 3, nullptr, nullptr, nullptr, "Key", "");
    third.Set("C", 0, 0, 7, nullptr, nullptr, nullptr, "Other", "");
    first.SetNumber(17);
    second.SetNumber(17);
    third.SetNumber(30);
    // List position 18 ("Pressure Settings") comes before 20 ("Gas correction 1").
    analyzer.GetParameterGroup(20)->AddParameter(&first);
    analyzer.GetParameterGroup(18)->AddParameter(&second);
    analyzer.GetParameterGroup(18)->AddParameter(&third);
    EXPECT_EQ(&second, analyzer.FindParameterByNumber(17));
    EXPECT_EQ(&third, analyzer.FindParameterByNumber(30));
    EXPECT_EQ(nullptr, analyzer.FindParameterByNumber(5));
    EXPECT_EQ(&first, analyzer.FindParameterByName("Gas correction 1\\Key"));
    EXPECT_EQ(&second, analyzer.FindParameterByName("Pressure Settings\\Key"));
    EXPECT_EQ(nullptr, analyzer.FindParameterByName("Key"));
    EXPECT_EQ(3, analyzer.CountParameters());
    EXPECT_EQ(2, analyzer.CountOfflineParameters());

    // The compare analyzer is owned; its entry of the same number is found.
    CVaskInstrument* compare = new Unregistered;
    CVaskParameter counterpart;
    counterpart.SetNumber(30);
    compare->GetParameterGroup(3)->AddParameter(&counterpart);
    EXPECT_EQ(nullptr, analyzer.FindCompareParameter(&third));
    analyzer.SetCompareInstrument(compare);
    analyzer.SetCompareInstrument(nullptr);
    analyzer.SetCompareInstrument(compare);
    EXPECT_EQ(compare, analyzer.GetCompareInstrument());
    EXPECT_EQ(&counterpart, analyzer.FindCompareParameter(&third));
    EXPECT_EQ(nullptr, analyzer.FindCompareParameter(&first));
    EXPECT_EQ(nullptr, analyzer.FindCompareParameter(nullptr));
}

TEST_F(Analyzer, TheDiagnosticValuesObjectIsOwned) {
    int deleted = 0;
    {
        Probe analyzer("Test", 0, nullptr, 1, 2, 4, 4, 0);
        EXPECT_EQ(nullptr, analyzer.GetDiagValues());
        FakeDiagValues* values = new FakeDiagValues(&deleted);
        analyzer.SetDiagValues(values);
        EXPECT_EQ(values, analyzer.GetDiagValues());
        EXPECT_FALSE(analyzer.CreateDiagValues(nullptr, 1270)) << "the base model has none";
        EXPECT_EQ(1, deleted);
        EXPECT_EQ(nullptr, analyzer.GetDiagValues());
        analyzer.SetDiagValues(new FakeDiagValues(&deleted));
        analyzer.DeleteDiagValues();
        EXPECT_EQ(2, deleted);
        analyzer.DeleteDiagValues();
        analyzer.SetDiagValues(new FakeDiagValues(&deleted));
    }
    EXPECT_EQ(3, deleted) << "the destructor deletes the last one";
}

TEST_F(Analyzer, TheDisplayNameFollowsTheParent) {
    CInstrument converter("COM1: Line A  ");
    CVaskInstrument analyzer("Sindor  ", 0, nullptr, 1, 2, 4, 4, 0);
    EXPECT_EQ("Sindor  ", Text(analyzer.GetDisplayName())) << "the name as it stands";
    analyzer.SetParent(&converter);
    EXPECT_EQ("COM1: Line A: Sindor  ", Text(analyzer.GetDisplayName()));
    const CInstrument& node = analyzer;
    EXPECT_EQ("Sindor  ", Text(node.GetName()));
}

}  // namespace
