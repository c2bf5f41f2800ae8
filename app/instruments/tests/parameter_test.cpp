// The parameter entries and groups without a bus: entries bound to a scripted access object
// through the adapter pointer type read, rest, default, show and transfer their values as
// the analyzer's pages and documents expect.
#include "node_helpers.h"
#include "recording_host.h"
#include "resource.h"
#include "test_access.h"
#include "vaskinstrument.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char kMaker[] = "KorvanGA parameter test";
const int kAddress = 7;

// List positions of groups the tests place entries in.
const int kIdentity = 1;       // "Diagnostic/Factory settings"
const int kRangeValues = 5;    // "Adjust measuring range"
const int kO2Sensor = 30;      // "O2-Sensor"
const int kH2SSensor = 31;     // "H2S-Sensor"
const int kAutocalSteps = 13;  // "Autocal steps"

std::string Describe(const VaskFloat& v) {
    char text[64];
    snprintf(text, sizeof text, "%g u%d q%d", v.value, v.unit, v.quantity);
    return Text(v.text) + " | " + text;
}

// The profile lives under a key of the test's own, emptied before and after each case; the
// C runtime takes the zone from Windows (the test runs with TZ=UTC).
class Entries : public ::testing::Test {
protected:
    void SetUp() override {
        _putenv("TZ=");
        _tzset();
    }

    // An initialised analyzer of model `type` at kAddress on the scripted access object,
    // whose groups hold only the entries that a test puts there.
    std::unique_ptr<CVaskInstrument> Analyzer(int type = 1) {
        struct Unregistered : CVaskInstrument {
            using CVaskInstrument::CVaskInstrument;
            void RegisterParameterGroups() override {}
        };
        std::unique_ptr<CVaskInstrument> analyzer(
            new Unregistered("Test", type, &access_, kAddress, 2, 4, 4, 0));
        analyzer->Initialize();
        return analyzer;
    }

    // Binds `entry` to the scripted adapters (component 1, element 2) and puts it into the
    // group at `list` of `analyzer`.
    void Place(CVaskParameter& entry, CVaskInstrument& analyzer, int list = kIdentity,
               int attributes = 3, const char* key = "Key") {
        entry.Set("Entry", 1, 2, attributes, TestAccess::FetchAdapter(),
                  TestAccess::TransferAdapter(), &access_, key, "k,6");
        analyzer.GetParameterGroup(list)->AddParameter(&entry);
    }

    void Profile(const char* section, const char* entry, const char* value) {
        AfxGetApp()->WriteProfileString(section, entry, value);
    }

    // An entry that lives as long as the test: a group keeps its entries' addresses, and an
    // entry made again at the address of a gone one would count as present.
    template <class Entry = CVaskParameter>
    Entry& Make() {
        owned_.emplace_back(new Entry);
        return static_cast<Entry&>(*owned_.back());
    }
    CVaskParameter& Make(CRuntimeClass* kind) {
        owned_.emplace_back((CVaskParameter*)kind->CreateObject());
        return *owned_.back();
    }

    TestProfile profile_{kMaker};
    RecordingHost host_{1};
    TestAccess access_;
    std::vector<std::unique_ptr<CVaskParameter>> owned_;
};

TEST_F(Entries, AnUnansweredReadRestsAfterThreeTriesAndTriesAgainOnThe52ndCall) {
    auto analyzer = Analyzer();
    CVaskParameter entry;
    Place(entry, *analyzer);
    access_.succeed = false;
    std::vector<int> requested;
    for (int call = 1; call <= 52; ++call) {
        const size_t before = access_.fetches.size();
        VaskFloat out = MakeValue(5.0, "old", 9, 9);
        EXPECT_EQ(0, entry.GetValue(out)) << call;
        EXPECT_EQ("Unknown | 0 u1 q1", Describe(out)) << "the no-value mark, call " << call;
        if (access_.fetches.size() > before) requested.push_back(call);
    }
    EXPECT_EQ((std::vector<int>{1, 2, 3, 52}), requested);
    // The adapter gets the analyzer's address, the entry's channel and its index + 1.
    EXPECT_EQ((TestAccess::Call{kAddress, 1, 3, 5.0, "old"}), access_.fetches[0]);

    // The next call reads again (the count restarted at 52) and the value sticks: an entry
    // that is not changeable is not read once it holds a value.
    access_.succeed = true;
    access_.answer = MakeValue(12.5, "12.5", 4, 2);
    VaskFloat out;
    EXPECT_EQ(1, entry.GetValue(out));
    EXPECT_EQ("12.5 | 12.5 u4 q2", Describe(out));
    EXPECT_EQ(1, entry.IsValueChanged());
    const size_t reads = access_.fetches.size();
    EXPECT_EQ(1, entry.GetValue(out));
    EXPECT_EQ(reads, access_.fetches.size());
}

TEST_F(Entries, AChangeableEntryIsReadEveryTimeKeepsItsValueOnFailureAndMarksChanges) {
    auto analyzer = Analyzer();
    CVaskParameter entry;
    Place(entry, *analyzer, kIdentity, 4);
    struct Step {
        bool succeed;
        VaskFloat answer;
        const char* shown;
        int changed;
    } steps[] = {
        {true, MakeValue(1.0, "1.0", 2, 3), "1.0 | 1 u2 q3", 1},
        {true, MakeValue(1.0, "1.0", 2, 3), "1.0 | 1 u2 q3", 0},
        {true, MakeValue(1.0, "1.0", 5, 3), "1.0 | 1 u5 q3", 1},   // unit
        {true, MakeValue(1.0, "1.0", 5, 7), "1.0 | 1 u5 q7", 1},   // quantity
        {true, MakeValue(2.0, "1.0", 5, 7), "1.0 | 2 u5 q7", 0},   // the number alone
        {false, MakeValue(9.0, "9.0", 1, 1), "1.0 | 2 u5 q7", 0},  // failure keeps it
        {true, MakeValue(3.0, "3.0", 5, 7), "3.0 | 3 u5 q7", 1},
    };
    for (const Step& s : steps) {
        access_.succeed = s.succeed;
        access_.answer = s.answer;
        entry.SetValueChanged(0);
        const size_t before = access_.fetches.size();
        VaskFloat out;
        EXPECT_EQ(1, entry.GetValue(out)) << s.shown;
        EXPECT_EQ(before + 1, access_.fetches.size()) << s.shown;
        EXPECT_EQ(s.shown, Describe(out));
        EXPECT_EQ(s.changed, entry.IsValueChanged()) << s.shown;
    }
}

TEST_F(Entries, WithoutAGroupOrAnAnalyzerNothingIsReadAndTheValueStays) {
    CVaskParameter loose;
    loose.Set("Entry", 0, 0, 7, TestAccess::FetchAdapter(), nullptr, &access_, "Key", "");
    VaskFloat out = MakeValue(4.0, "kept");
    EXPECT_EQ(0, loose.GetValue(out));
    EXPECT_EQ("kept | 4 u1 q1", Describe(out));
    CParameterGroup group;  // no analyzer
    group.AddParameter(&loose);
    EXPECT_EQ(0, loose.GetValue(out));
    loose.LoadDefault(out);
    EXPECT_EQ("kept | 4 u1 q1", Describe(out));
    EXPECT_TRUE(access_.fetches.empty());
}

TEST_F(Entries, OfflineTheProfileGivesTextUnitAndQuantity) {
    host_.SetMode(0);
    auto analyzer = Analyzer(1);
    CVaskParameter entry;
    Place(entry, *analyzer, kRangeValues, 3, "Zero gas C1");
    struct Case {
        const char* stored;  // null: no value in the profile
        const char* loaded;
    } cases[] = {
        {nullptr, "0 | 0 u1 q1"},
        {"12.5;23;1", "12.5 | 12.5 u23 q1"},
        {"3;5;12", "3 | 3 u5 q12"},  // a one-digit unit before a two-digit quantity
        {"-0.25;57;50", "-0.25 | -0.25 u57 q50"},
        {"7", "7 | 7 u0 q0"},
        {"abc;2", "abc | 0 u2 q0"},
        {"", "0 | 0 u1 q1"},
    };
    for (const Case& c : cases) {
        Profile("Sindor 6\\Adjust measuring range", "Zero gas C1", c.stored);
        VaskFloat out = MakeValue(99.0, "x", 9, 9);
        entry.LoadDefault(out);
        EXPECT_EQ(c.loaded, Describe(out)) << (c.stored ? c.stored : "(none)");
    }
    // The first offline read takes the default once; no device is asked.
    Profile("Sindor 6\\Adjust measuring range", "Zero gas C1", "4.5;2;3");
    VaskFloat out;
    EXPECT_EQ(1, entry.GetValue(out));
    EXPECT_EQ("4.5 | 4.5 u2 q3", Describe(out));
    Profile("Sindor 6\\Adjust measuring range", "Zero gas C1", "8;2;3");
    EXPECT_EQ(1, entry.GetValue(out));
    EXPECT_EQ("4.5 | 4.5 u2 q3", Describe(out));
    EXPECT_TRUE(access_.fetches.empty());

    // A backslash in the key moves the entry's section down; no key, no profile.
    CVaskParameter deeper, keyless;
    Place(deeper, *analyzer, kRangeValues, 3, "More\\Span");
    Place(keyless, *analyzer, kRangeValues, 3, "");
    Profile("Sindor 6\\Adjust measuring range\\More", "Span", "6;4;4");
    deeper.LoadDefault(out);
    EXPECT_EQ("6 | 6 u4 q4", Describe(out));
    keyless.LoadDefault(out);
    EXPECT_EQ("0 | 0 u1 q1", Describe(out));
}

TEST_F(Entries, ADateDefaultIsTheLocalMidnightOfItsDay) {
    host_.SetMode(0);
    auto analyzer = Analyzer(4);
    CVaskParameter date;
    Place(date, *analyzer, kO2Sensor, 3, "Installed");
    date.SetDateDisplay(1, IDS_DATE_FORMAT);
    ASSERT_EQ(1, date.IsDate());
    Profile("Sindor 23\\O2-Sensor", "Installed", "2024-03-05;1;1");
    VaskFloat out = MakeValue(42.0, "");
    date.LoadDefault(out);
    EXPECT_EQ(1709596800.0, out.value);
    EXPECT_EQ("2024-03-05", Text(out.text));
    EXPECT_EQ(1, date.GetValue(out));
    EXPECT_EQ("05.03.2024", Text(out.text));

    // A text that is no date leaves the value as it was.
    Profile("Sindor 23\\O2-Sensor", "Installed", "soon;1;1");
    out = MakeValue(42.0, "");
    date.LoadDefault(out);
    EXPECT_EQ(42.0, out.value);
    EXPECT_EQ("soon", Text(out.text));
}

TEST_F(Entries, EachKindShowsItsValueAsText) {
    auto sindor6 = Analyzer(1);
    auto sindor23 = Analyzer(4);
    auto parvel64 = Analyzer(7);
    struct Case {
        CRuntimeClass* kind;
        CVaskInstrument* analyzer;
        double value;
        const char* text;
    } cases[] = {
        {RUNTIME_CLASS(CVaskParameter), sindor6.get(), 2.5, "2.500"},
        {RUNTIME_CLASS(CQuentaTypeParameter), sindor6.get(), 2.0, "2.000"},
        {RUNTIME_CLASS(CPressureTypeParameter), sindor6.get(), 0.0,
         "Without pressure compensation"},
        {RUNTIME_CLASS(CPressureTypeParameter), sindor6.get(), 3.0, "VASK"},
        {RUNTIME_CLASS(CPressureTypeParameter), sindor6.get(), 4.0, "VASK"},
        {RUNTIME_CLASS(CPressureTypeParameter), sindor6.get(), 1.9, "Int. pressure"},
        {RUNTIME_CLASS(CPressureTypeParameter), sindor6.get(), -1.0, "Unknown"},
        {RUNTIME_CLASS(CCurrentParameter), sindor6.get(), 2.0, "4 - 20 mA"},
        {RUNTIME_CLASS(CCurrentParameter), sindor6.get(), 7.0, "Namur 4 - 20 mA"},
        {RUNTIME_CLASS(CGasTypeParameter), sindor6.get(), 0.0, "Without interference"},
        {RUNTIME_CLASS(CGasTypeParameter), sindor6.get(), 5.0, "Interference corr. with input 2"},
        {RUNTIME_CLASS(CGasTypeParameter), sindor6.get(), 6.0,
         "Interference corr. with int. component"},
        {RUNTIME_CLASS(CGasTypeParameter), sindor6.get(), 7.0,
         "Interference corr. with int. component"},
        {RUNTIME_CLASS(CGasTypeParameter), sindor6.get(), -2.0, "Unknown"},
        {RUNTIME_CLASS(CMeasStoreParameter), sindor6.get(), 0.0, "Store function off"},
        {RUNTIME_CLASS(CMeasStoreParameter), sindor6.get(), 3.0, "Highest value 20 mA"},
        {RUNTIME_CLASS(CMeasStoreParameter), sindor6.get(), 4.0, "Lowest value (0/2/4 mA)"},
        {RUNTIME_CLASS(CRelaisParameter), sindor6.get(), 1.0, "Free"},
        {RUNTIME_CLASS(CRelaisParameter), sindor6.get(), 9.0, "C1, limit alarm 1 was hit "},
        {RUNTIME_CLASS(CRelaisParameter), sindor6.get(), 63.0, "Device with unit % vol"},
        {RUNTIME_CLASS(CRelaisParameter), sindor6.get(), 64.0, "Not yet defined"},
        {RUNTIME_CLASS(CRelaisParameter), sindor6.get(), -677.0, "Not yet defined"},
        {RUNTIME_CLASS(CBinaryParameter), sindor6.get(), 50.0, "Component 2 zero calibration"},
        {RUNTIME_CLASS(CBinaryParameter), sindor6.get(), 51.0, "Not yet defined"},
        {RUNTIME_CLASS(CBinaryParameter), sindor6.get(), -1.0, "Not yet defined"},
        {RUNTIME_CLASS(CUnitParameter), sindor23.get(), 4.0, "mg / m\xB3"},
        {RUNTIME_CLASS(CUnitParameter), sindor23.get(), 5.0, "ppm"},
        {RUNTIME_CLASS(CUnitParameter), sindor23.get(), 6.0, ""},
        {RUNTIME_CLASS(CUnitParameter), parvel64.get(), 1.0, "% vol"},
        {RUNTIME_CLASS(CUnitParameter), parvel64.get(), 50.0, ""},
        {RUNTIME_CLASS(CUnitParameter), parvel64.get(), -1.0, ""},
        {RUNTIME_CLASS(CUnitParameter), sindor6.get(), 2.0, ""},
        {RUNTIME_CLASS(CWarmUpStatusParameter), sindor6.get(), 9.0, "Pump starting"},
        {RUNTIME_CLASS(CWarmUpStatusParameter), sindor6.get(), 0.0, ""},
        {RUNTIME_CLASS(CWarmUpStatusParameter), sindor6.get(), 10.0, ""},
        {RUNTIME_CLASS(CWarmUpDeviceStateParameter), sindor6.get(), 0.0, " "},
        {RUNTIME_CLASS(CWarmUpDeviceStateParameter), sindor6.get(), 22.0, "Download"},
        {RUNTIME_CLASS(CWarmUpDeviceStateParameter), sindor6.get(), 25.0,
         "Span calibration of H2S sensor"},
        {RUNTIME_CLASS(CWarmUpDeviceStateParameter), sindor6.get(), 26.0, ""},
        {RUNTIME_CLASS(CStartStatusParameter), sindor6.get(), 1.0, "Measuring"},
        {RUNTIME_CLASS(CStartStatusParameter), sindor6.get(), 5.0, ""},
        {RUNTIME_CLASS(CStartStatusParameter), sindor6.get(), -100.0, ""},
    };
    for (const Case& c : cases) {
        CVaskParameter& entry = Make(c.kind);
        ASSERT_TRUE(entry.IsKindOf(c.kind)) << c.kind->m_lpszClassName;
        EXPECT_EQ("Unknown", Text(entry.GetName())) << "the class factory's default";
        Place(entry, *c.analyzer);
        entry.SetValue(MakeValue(c.value, "ignored", 3, 4));
        VaskFloat out;
        EXPECT_EQ(1, entry.GetValue(out)) << c.kind->m_lpszClassName << " " << c.value;
        EXPECT_EQ(c.text, Text(out.text)) << c.kind->m_lpszClassName << " " << c.value;
        EXPECT_EQ(c.value, out.value);
        EXPECT_EQ(3, out.unit);
        EXPECT_EQ(4, out.quantity);
    }
}

TEST_F(Entries, WithoutAValueTheCodeTablesShowNothingAndTheOthersTheNoValueMark) {
    auto analyzer = Analyzer(4);
    access_.succeed = false;
    struct Case {
        CRuntimeClass* kind;
        const char* text;
    } cases[] = {
        {RUNTIME_CLASS(CVaskParameter), "Unknown"},
        {RUNTIME_CLASS(CPressureTypeParameter), "Unknown"},
        {RUNTIME_CLASS(CGasTypeParameter), "Unknown"},
        {RUNTIME_CLASS(CMeasStoreParameter), "Unknown"},
        {RUNTIME_CLASS(CRelaisParameter), ""},
        {RUNTIME_CLASS(CBinaryParameter), ""},
        {RUNTIME_CLASS(CUnitParameter), ""},
        {RUNTIME_CLASS(CWarmUpStatusParameter), ""},
        {RUNTIME_CLASS(CWarmUpDeviceStateParameter), ""},
        {RUNTIME_CLASS(CStartStatusParameter), ""},
    };
    for (const Case& c : cases) {
        CVaskParameter& entry = Make(c.kind);
        Place(entry, *analyzer);
        VaskFloat out;
        EXPECT_EQ(0, entry.GetValue(out)) << c.kind->m_lpszClassName;
        EXPECT_EQ(c.text, Text(out.text)) << c.kind->m_lpszClassName;
    }
    // A unit entry outside any group leaves the text alone.
    CUnitParameter loose;
    VaskFloat out = MakeValue(1.0, "kept");
    EXPECT_EQ(0, loose.GetValue(out));
    EXPECT_EQ("kept", Text(out.text));
}

TEST_F(Entries, TwoStateTextsAndDatesReplaceTheValueText) {
    auto analyzer = Analyzer(4);
    struct Case {
        int list;
        int twoState;  // 1: the off/on texts; 2: a text id without a string
        int date;
        double value;
        const char* text;
    } cases[] = {
        {kIdentity, 1, 0, 0.0, "off"},
        {kIdentity, 1, 0, -3.0, "on"},
        {kIdentity, 2, 0, 1.0, "1.000"},
        {kO2Sensor, 0, 1, 86400.0, "02.01.1970"},
        {kO2Sensor, 0, 1, 0.0, ""},
        {kH2SSensor, 0, 1, 0.0, ""},
        {kIdentity, 0, 1, 0.0, "01.01.1970"},
        {kIdentity, 0, 1, 1709596800.0 + 86399.0, "05.03.2024"},
        {kIdentity, 0, 2, 86400.0, "86400.000"},
        {kIdentity, 0, 1, 1e300, "01.01.1970"},
    };
    for (const Case& c : cases) {
        CVaskParameter& entry = Make();
        Place(entry, *analyzer, c.list);
        if (c.twoState == 1) entry.SetChoiceTexts(1, IDS_TWO_STATE_OFF, IDS_TWO_STATE_ON);
        if (c.twoState == 2) entry.SetChoiceTexts(1, IDS_TWO_STATE_OFF, 9);
        if (c.date == 1) entry.SetDateDisplay(1, IDS_DATE_FORMAT);
        if (c.date == 2) entry.SetDateDisplay(1, 9);
        entry.SetValue(MakeValue(c.value, ""));
        VaskFloat out;
        entry.GetValue(out);
        EXPECT_EQ(c.text, Text(out.text)) << c.list << " " << c.value;
    }
}

TEST_F(Entries, AnAutocalStepShowsTheModelsStepKindAndItsTime) {
    auto sindor6 = Analyzer(1);
    auto parvel6 = Analyzer(2);
    struct Case {
        CVaskInstrument* analyzer;
        double step;
        const char* time;
        int timeUnit;
        const char* text;
    } cases[] = {
        {sindor6.get(), 1, "120", 5, "Free: "},
        {sindor6.get(), 3, "120", 5, "Zero gas 2: 120"},
        {sindor6.get(), 15, "30", 5, "Span gas 4 component 2: 30"},
        {sindor6.get(), 16, "30", 5, "Span gas 4 component 2: 30"},
        {sindor6.get(), 0, "30", 5, ": 30"},
        {parvel6.get(), 11, "45", 5, "signal contact: 45"},
        {sindor6.get(), 3, "01:30", 5, "3.000"},  // a time with a colon stands alone
    };
    for (const Case& c : cases) {
        CAutocalStepParameter& step = Make<CAutocalStepParameter>();
        CVaskParameter& number = Make();
        CVaskParameter& time = Make();
        Place(step, *c.analyzer, kAutocalSteps);
        Place(number, *c.analyzer, kAutocalSteps);
        Place(time, *c.analyzer, kAutocalSteps);
        step.SetStepParameters(&number, &time);
        number.SetValue(MakeValue(c.step, ""));
        time.SetValue(MakeValue(0.0, "", c.timeUnit));
        time.SetValueText(c.time);
        VaskFloat out;
        EXPECT_EQ(1, step.GetValue(out)) << c.step;
        EXPECT_EQ(c.text, Text(out.text)) << c.step;
        EXPECT_EQ(c.step, out.value);
        EXPECT_EQ(c.step == 1 ? 1 : c.timeUnit, out.unit) << c.step;
    }
    // Without its step entries the step's own value gives the kind and its text the time.
    CAutocalStepParameter alone;
    Place(alone, *sindor6, kAutocalSteps);
    alone.SetValue(MakeValue(2.0, ""));
    VaskFloat out;
    EXPECT_EQ(1, alone.GetValue(out));
    EXPECT_EQ("Zero gas 1: 2.000", Text(out.text));
}

TEST_F(Entries, ATransferWritesALoadedSourceAndRecordsItsOutcomeOnTheSource) {
    auto analyzer = Analyzer(1);
    access_.failure.code = 12;
    access_.failure.info = ('s' << 8) | 8;
    access_.failure.text = "Rejected (E12)";
    struct Case {
        const char* name;
        int mode;
        bool writable;
        bool loaded;
        bool succeed;
        int returned, result;
        const char* text;
        size_t writes;
    } cases[] = {
        {"written", 1, true, true, true, 1, 1, "Successful", 1},
        {"device error", 1, true, true, false, 0, -1, "Vask command: \"s, 8\"", 1},
        {"source not loaded", 1, true, false, true, 0, 0, "Parameter has not been transferred.", 0},
        {"offline", 0, true, true, true, 0, 0, "Parameter has not been transferred.", 0},
        {"read-only", 1, false, true, true, 0, 0, "Parameter has not been transferred.", 0},
    };
    for (const Case& c : cases) {
        host_.SetMode(c.mode);
        access_.succeed = c.succeed;
        access_.transfers.clear();
        CVaskParameter& target = Make();
        CVaskParameter& source = Make();
        Place(target, *analyzer);
        if (!c.writable) target.ClearTransfer();
        Place(source, *analyzer);
        source.SetValue(MakeValue(3.25, ""));
        source.SetLoaded(c.loaded ? 1 : 0);
        EXPECT_EQ(c.returned, target.TransferFrom(&source)) << c.name;
        int result = 9;
        CString text;
        source.GetTransferResult(result, text);
        EXPECT_EQ(c.result, result) << c.name;
        EXPECT_EQ(c.text, Text(text)) << c.name;
        ASSERT_EQ(c.writes, access_.transfers.size()) << c.name;
        if (c.writes) {
            EXPECT_EQ((TestAccess::Call{kAddress, 1, 3, 3.25, "3.250"}), access_.transfers[0]);
        }
        if (c.returned) {
            EXPECT_EQ(3.25, target.GetCachedValue().value);
            EXPECT_EQ(1, target.IsValid());
        }
    }
    // Without a source, or without a group, nothing is written and the source keeps its
    // result.
    CVaskParameter loose, source;
    Place(source, *analyzer);
    source.SetLoaded(1);
    source.SetTransferResult(1, "before");
    EXPECT_EQ(0, loose.TransferFrom(&source));
    CVaskParameter placed;
    Place(placed, *analyzer);
    EXPECT_EQ(0, placed.TransferFrom(nullptr));
    int result;
    CString text;
    source.GetTransferResult(result, text);
    EXPECT_EQ(1, result);
    EXPECT_EQ("before", Text(text));
}

TEST_F(Entries, TheTransferResultOfARangeJoinsItsLimits) {
    struct Outcome {
        int result;
        const char* text;
    };
    struct Case {
        Outcome range, lower, upper;
        bool upperWritable;
        int result;
        const char* text;
    } cases[] = {
        {{1, "Successful"}, {1, "Successful"}, {1, "Successful"}, true, 1, "Successful"},
        {{1, "Successful"}, {-1, "E1"}, {0, "Not"}, true, -1, "E1, Not"},
        {{0, "Not"}, {1, "Successful"}, {-1, "E2"}, true, -1, "Not, E2"},
        {{-1, "E0"}, {0, "Not"}, {1, "Successful"}, true, -1, "E0, Not"},
        {{0, ""}, {0, "Not"}, {0, "Not"}, true, 0, "Not, Not"},
        {{1, "Successful"}, {1, "Successful"}, {-1, "E3"}, false, 1, "Successful"},
    };
    for (const Case& c : cases) {
        CVaskParameter range, lower, upper;
        range.SetTransferResult(c.range.result, c.range.text);
        lower.Set("Lower", 0, 0, 7, nullptr, TestAccess::TransferAdapter(), &access_, "", "");
        lower.SetTransferResult(c.lower.result, c.lower.text);
        upper.Set("Upper", 0, 0, 7, nullptr,
                  c.upperWritable ? TestAccess::TransferAdapter() : nullptr, &access_, "", "");
        upper.SetTransferResult(c.upper.result, c.upper.text);
        range.AddLinkedParameter(&lower);
        range.AddLinkedParameter(nullptr);
        range.AddLinkedParameter(&upper);
        EXPECT_EQ(2, (int)range.GetLinkedParameters().GetCount());
        int result;
        CString text;
        range.GetTransferResult(result, text);
        EXPECT_EQ(c.result, result) << c.text;
        EXPECT_EQ(c.text, Text(text));
    }
}

TEST_F(Entries, BindingNamesKeysValuesAndTheEditPage) {
    auto analyzer = Analyzer(1);
    CVaskParameter entry;
    EXPECT_EQ("Unknown", Text(entry.GetName()));
    EXPECT_EQ(0, entry.GetNumber());
    EXPECT_EQ(nullptr, entry.GetGroup());
    EXPECT_TRUE(entry.GetKey().IsEmpty());

    entry.Init(17000, 2, 3, 5, TestAccess::FetchAdapter(), nullptr, &access_, 15041, "k,6");
    EXPECT_EQ("Hardware Fact.-no.", Text(entry.GetName()));
    EXPECT_EQ("Hardware Fact.-no.", Text(entry.GetKey())) << "no group: the key text alone";
    EXPECT_EQ(2, entry.GetChannel());
    EXPECT_EQ(3, entry.GetIndex());
    EXPECT_EQ("k,6", Text(entry.GetBusText()));
    EXPECT_TRUE(entry.IsInDeviceDataWindow());
    EXPECT_FALSE(entry.IsOfflineParameter());
    EXPECT_TRUE(entry.IsChangeable());
    EXPECT_FALSE(entry.IsOfflineTransfer());

    CParameterGroup* group = analyzer->GetParameterGroup(kIdentity);
    group->AddParameter(&entry);
    group->AddParameter(&entry);
    EXPECT_EQ(1, (int)group->GetParameterList().GetCount());
    EXPECT_EQ(group, entry.GetGroup());
    EXPECT_EQ(analyzer.get(), entry.GetInstrument());
    EXPECT_EQ("Diagnostic/Factory settings\\Hardware Fact.-no.", Text(entry.GetKey()));

    entry.Set("", 0, 0, 2, nullptr, TestAccess::TransferAdapter(), &access_, "", "");
    EXPECT_EQ("Unknown", Text(entry.GetName()));
    EXPECT_TRUE(entry.GetKey().IsEmpty());
    EXPECT_TRUE(entry.IsOfflineTransfer());
    entry.ClearTransfer();
    EXPECT_FALSE(entry.IsOfflineTransfer());

    // SetValue formats the number and ignores the given text; the text and unit setters
    // touch only their field.
    entry.SetValue(MakeValue(1.23456, "typed", 6, 7));
    EXPECT_EQ("1.235 | 1.23456 u6 q7", Describe(entry.GetCachedValue()));
    entry.SetValueText("Kiln 2");
    entry.SetValueUnit(11);
    EXPECT_EQ("Kiln 2 | 1.23456 u11 q7", Describe(entry.GetCachedValue()));

    // Edit runs the sheet of the edit page through the host; no sheet, no run.
    entry.Edit(analyzer.get());
    entry.SetEditPage(6, 1);
    entry.Edit(analyzer.get());
    EXPECT_TRUE(host_.sheets.empty());
    entry.SetEditPage(3, 2);
    entry.Edit(analyzer.get());
    ASSERT_EQ(1u, host_.sheets.size());
    EXPECT_EQ(3, host_.sheets[0].sheet);
    EXPECT_EQ(2, host_.sheets[0].page);
    EXPECT_EQ(analyzer.get(), host_.sheets[0].analyzer);
}

TEST_F(Entries, AGroupKeepsItsExpandedFlagInTheProfileOfItsModelAndTitle) {
    auto analyzer = Analyzer(1);
    CParameterGroup* identity = analyzer->GetParameterGroup(kIdentity);
    EXPECT_EQ(0, identity->ReadProfileFlags());
    identity->WriteProfileFlags(1);
    EXPECT_EQ(
        1, (int)AfxGetApp()->GetProfileInt("Sindor 6\\Diagnostic/Factory settings", "Expanded", 0));
    AfxGetApp()->WriteProfileInt("Sindor 6\\Diagnostic/Factory settings", "Expanded", 0);
    EXPECT_EQ(1, identity->IsExpanded());
    EXPECT_EQ(0, identity->ReadProfileFlags());
    EXPECT_EQ(0, identity->IsExpanded());

    // Without an analyzer or a title nothing is read or written.
    CParameterGroup loose;
    loose.SetTextIds(16000, 15007);
    AfxGetApp()->WriteProfileInt("Sindor 6\\Diagnostic/Factory settings", "Expanded", 1);
    EXPECT_EQ(0, loose.ReadProfileFlags());
    CParameterGroup untitled;
    untitled.SetTextIds(16000, 0);
    untitled.SetInstrument(analyzer.get());
    untitled.WriteProfileFlags(1);
    EXPECT_EQ(1, untitled.IsExpanded());
    EXPECT_EQ(0, untitled.ReadProfileFlags());
    EXPECT_EQ(0, untitled.IsExpanded());
    EXPECT_EQ("Unknown", Text(CParameterGroup().GetName()));
    EXPECT_TRUE(CParameterGroup().GetTitle().IsEmpty());

    // The device data window shows a group with an entry of attribute bit 1.
    CParameterGroup* ranges = analyzer->GetParameterGroup(kRangeValues);
    EXPECT_FALSE(ranges->HasDeviceDataWindowParameter());
    CVaskParameter hidden, shown;
    Place(hidden, *analyzer, kRangeValues, 6);
    EXPECT_FALSE(ranges->HasDeviceDataWindowParameter());
    Place(shown, *analyzer, kRangeValues, 1);
    EXPECT_TRUE(ranges->HasDeviceDataWindowParameter());
}

TEST(ChoiceMappings, PressureListsByModel) {
    struct Case {
        int type, value, index, back;
    } cases[] = {
        {1, 3, 3, 3}, {2, 0, 0, 0}, {4, 2, 2, 2}, {7, 1, 1, 1}, {8, 3, 3, 3},
        {3, 0, 0, 0}, {3, 1, 1, 2}, {3, 2, 1, 2}, {3, 3, 2, 3},  // Lorvix 6: no internal
        {5, 3, 0, 0}, {6, 2, 0, 0}, {0, 1, 0, 0}, {9, 1, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(11000 + c.type, GetPressureChoiceTextId(c.type));
        EXPECT_EQ(c.index, PressureValueToChoiceIndex(c.type, c.value)) << c.type << " " << c.value;
        EXPECT_EQ(c.back, PressureChoiceIndexToValue(c.type, c.index)) << c.type << " " << c.value;
    }
}

TEST(ChoiceMappings, InterferenceListsByModelAndComponents) {
    RecordingHost host(0);
    struct Case {
        int type, components, textId, value, index, back;
    } cases[] = {
        {1, 2, 30179, 4, 4, 4}, {1, 2, 30179, 5, 0, 0}, {1, 1, 30171, 3, 3, 3},
        {1, 1, 30171, 4, 0, 0}, {2, 1, 30172, 3, 3, 3}, {2, 3, 30172, 4, 0, 0},
        {3, 1, 30173, 5, 4, 5}, {3, 1, 30173, 2, 2, 2}, {5, 2, 30175, 5, 4, 5},
        {4, 2, 30174, 3, 1, 3}, {4, 2, 30174, 0, 0, 0}, {4, 2, 30174, 2, 0, 0},
        {7, 1, 30177, 2, 0, 0}, {8, 1, 30178, 1, 0, 0},
    };
    for (const Case& c : cases) {
        CVaskInstrument analyzer("Test", c.type, nullptr, 1, c.components, 4, 4, 0);
        analyzer.Initialize();
        EXPECT_EQ(c.textId, GetInterferenceChoiceTextId(&analyzer)) << c.type;
        EXPECT_EQ(c.index, InterferenceValueToChoiceIndex(&analyzer, c.value))
            << c.type << " " << c.value;
        EXPECT_EQ(c.back, InterferenceChoiceIndexToValue(&analyzer, c.index))
            << c.type << " " << c.value;
    }
}

}  // namespace
