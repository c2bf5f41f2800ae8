// The analyzer's document record without a bus: the bytes a model stores, documents of every
// record version read back (fixtures written here from the record's layout, with a value of
// their own in every field, so that a field read in the wrong place or not at all shows),
// the records a reader drops, the documents it refuses, and the device's own entries, which
// a file gives only to a compare load.
#include "entry_values.h"
#include "lorvix.h"
#include "node_helpers.h"
#include "parvel.h"
#include "quenta.h"
#include "record_bytes.h"
#include "recording_host.h"
#include "sindor23.h"
#include "sindor6.h"
#include "test_access.h"
#include "vaskinstrument.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const char kMaker[] = "KorvanGA record test";
const char kReadError[] = "An error occured while reading this file.";
const char kOldQuenta[] =
    "This file was created with an older version of KorvanGA. Cannot compare offline data.";

// The keys of the entries the fixtures fill: the selected range, the T90 time and the first
// relay of component 1 (numbers 6, 98 and 342), and the component-4 unit (number 0).
const char kRangeKey[] = "Select measuring range\\C1: Range";
const char kT90Key[] = "Time constants\\C1 T90 inside";
const char kRelayKey[] = "Relay outputs\\Relay 1";

// Answers every message box with OK and keeps its text.
class BoxHook {
public:
    BoxHook() { AfxSetMessageBoxHook(&Answer, this); }
    ~BoxHook() { AfxSetMessageBoxHook(NULL, NULL); }
    BoxHook(const BoxHook&) = delete;
    BoxHook& operator=(const BoxHook&) = delete;
    std::vector<std::string> texts;

private:
    static int Answer(LPCSTR text, UINT, UINT, void* context) {
        static_cast<BoxHook*>(context)->texts.push_back(text);
        return IDOK;
    }
};

class Probe : public CVaskInstrument {
public:
    using CVaskInstrument::CVaskInstrument;
    void SetQuentaVariant(int variant) { m_quentaVariant = variant; }
    void SetHeating(int heating) { m_heatingFlag = heating; }
};

// The numbers of the entries that the groups at `lists` hold on a base analyzer with every
// component, the extension card, heating and the Quenta variant 2: all a group may hold.
std::set<int> NumbersOfFullGroups(std::initializer_list<int> lists) {
    Probe full("Full", 2, nullptr, 1, 4, 4, 4, 1);
    full.SetHeating(1);
    full.SetQuentaVariant(2);
    full.Initialize();
    std::set<int> numbers;
    for (int list : lists)
        for (CVaskParameter* entry :
             Nodes<CVaskParameter>(&full.GetParameterGroup(list)->GetParameterList()))
            numbers.insert(entry->GetNumber());
    return numbers;
}

// The device's own identity, channel name, frequency and board versions: a normal load
// leaves the loader's own.
const std::set<int> kDeviceOwn = {1, 2, 3, 4, 274, 372, 576, 577, 578, 579, 580, 581};

// Profile defaults of the analyzer's model for every offline entry with a key: a value of
// its own per entry and per `tag`, so that a value read from a file shows against the
// loader's.
void WriteDefaults(CVaskInstrument& analyzer, int tag) {
    for (CParameterGroup* group : Nodes<CParameterGroup>(&analyzer.GetGroupList()))
        for (CVaskParameter* entry : Nodes<CVaskParameter>(&group->GetParameterList())) {
            if (!entry->IsOfflineParameter() || entry->GetKeyText().IsEmpty()) continue;
            const int n = entry->GetNumber();
            CString value;
            value.Format("%d%d.5;%d;%d", tag, n, n % 50 + 1, n % 7 + 1);
            AfxGetApp()->WriteProfileString(analyzer.GetModelName() + "\\" + group->GetTitle(),
                                            entry->GetKeyText(), value);
        }
}

// The Sindor 23 that the file holds; null when it loads as something else or not at all.
std::unique_ptr<CSindor23> LoadSindor23(RecordFile& file) {
    std::unique_ptr<CVaskInstrument> loaded = file.Load<CVaskInstrument>();
    if (dynamic_cast<CSindor23*>(loaded.get()) == nullptr) return nullptr;
    return std::unique_ptr<CSindor23>(static_cast<CSindor23*>(loaded.release()));
}

// The header of a record of `version` (the heating flag from version 3 on, no Quenta field).
void Header(RecordWriter& w, DWORD version, DWORD typeCode, DWORD components,
            const std::string& name, DWORD extensionCard, DWORD heating,
            const std::vector<std::string>& componentNames, DWORD count) {
    w.Dword(version).Dword(typeCode).Dword(components).String(name).Dword(extensionCard);
    if (version >= 3) w.Dword(heating);
    for (const std::string& componentName : componentNames) w.String(componentName);
    w.Dword(count);
}

// An entry record of a version before 4 (keyed by the key alone) or from 4 on.
void Entry(RecordWriter& w, const std::string& key, const VaskFloat& value) {
    w.String(key).Value((LPCSTR)value.text, value.value, value.unit, value.quantity);
}
void Entry(RecordWriter& w, const std::string& key, DWORD number, const VaskFloat& value) {
    w.String(key).Dword(number).Value((LPCSTR)value.text, value.value, value.unit, value.quantity);
}

// An analyzer whose "Time constants" group holds two entries of one key: the entry after
// the T90 time (number 98) takes its key text.
class CTwinKeys : public CVaskInstrument {
    DECLARE_SERIAL(CTwinKeys)
public:
    void RegisterParameterGroups() override {
        CVaskInstrument::RegisterParameterGroups();
        CVaskParameter* twin = Twin();
        twin->Set(twin->GetName(), twin->GetChannel(), twin->GetIndex(), twin->GetAttributes(),
                  twin->GetFetch(), twin->GetTransfer(), twin->GetAccess(),
                  FindParameterByNumber(98)->GetKeyText(), twin->GetBusText());
    }
    // The entry that shares the key of entry 98, after it in the group.
    CVaskParameter* Twin() const {
        CVaskParameter* first = FindParameterByNumber(98);
        const CObList& group = first->GetGroup()->GetParameterList();
        POSITION pos = group.Find(first);
        group.GetNext(pos);
        return (CVaskParameter*)group.GetAt(pos);
    }
};
IMPLEMENT_SERIAL(CTwinKeys, CVaskInstrument, VERSIONABLE_SCHEMA | 2)

// Every entry of the analyzer's groups, in list order.
std::vector<CVaskParameter*> AllEntries(const CVaskInstrument& analyzer) {
    std::vector<CVaskParameter*> all;
    for (CParameterGroup* group : Nodes<CParameterGroup>(&analyzer.GetGroupList()))
        for (CVaskParameter* entry : Nodes<CVaskParameter>(&group->GetParameterList()))
            all.push_back(entry);
    return all;
}

class Record : public ::testing::Test {
protected:
    TestProfile profile_{kMaker};
    RecordingHost host_{0};
    RecordFile file_;
};

TEST_F(Record, AParvel6StoresItsHeaderAndOneRecordPerOfflineEntryInListOrder) {
    AfxGetApp()->WriteProfileString("Parvel 6\\Diagnostic/Factory settings", "Hardware Fact.-no.",
                                    "SN-77;3;4");
    AfxGetApp()->WriteProfileString("Parvel 6\\Components", "Component 1", "Oxygen");
    AfxGetApp()->WriteProfileString("Parvel 6\\Components", "Component 3", "Argon");
    CParvel6 analyzer("Parvel offline", nullptr, 3, 1, 1, 1);
    file_.Store(&analyzer);

    const StoredAnalyzer stored = ReadStoredAnalyzer(file_.Bytes());
    EXPECT_EQ("CParvel6", stored.className);
    EXPECT_EQ(2, stored.schema);
    EXPECT_EQ(6u, stored.version);
    EXPECT_EQ(2u, stored.typeCode);
    EXPECT_EQ(1u, stored.components);
    EXPECT_EQ("Parvel offline", stored.name);
    EXPECT_EQ(1u, stored.extensionCard);
    EXPECT_EQ(1u, stored.heating) << "no Quenta field follows on this model";
    EXPECT_EQ("Oxygen", stored.componentNames[0]);
    EXPECT_EQ("", stored.componentNames[1]);
    EXPECT_EQ("Argon", stored.componentNames[2]);
    EXPECT_EQ((DWORD)analyzer.CountOfflineParameters(), stored.count);
    ASSERT_EQ(stored.count, stored.entries.size());
    EXPECT_TRUE(stored.complete);

    const StoredEntry& first = stored.entries.front();
    EXPECT_EQ("Diagnostic/Factory settings\\Hardware Fact.-no.", first.key);
    EXPECT_EQ(1u, first.number);
    EXPECT_EQ(2u, first.marker);
    EXPECT_EQ("SN-77", first.text);
    EXPECT_EQ(0.0, first.value);
    EXPECT_EQ(3u, first.unit);
    EXPECT_EQ(4u, first.quantity);

    std::vector<int> numbers;
    for (const StoredEntry& e : stored.entries) {
        numbers.push_back((int)e.number);
        EXPECT_EQ(2u, e.marker) << e.key;
        EXPECT_EQ(Text(analyzer.FindParameterByNumber((int)e.number)->GetKey()), e.key);
    }
    EXPECT_EQ(OfflineNumbers(analyzer), numbers);

    // None of the groups the model lacks, in full on a base analyzer of the same type, and
    // none of the compensation entries bound without a group.
    Probe full("Full", 2, nullptr, 1, 4, 4, 4, 1);
    full.Initialize();
    std::set<int> absent = {394, 395, 396, 397, 402, 403, 404, 405};
    for (int list : {18, 21, 22, 23, 27, 28, 29, 30, 31, 33})
        for (CVaskParameter* entry :
             Nodes<CVaskParameter>(&full.GetParameterGroup(list)->GetParameterList()))
            absent.insert(entry->GetNumber());
    EXPECT_GT(absent.size(), 100u);
    for (int number : numbers) EXPECT_FALSE(absent.count(number)) << number;
    const std::set<int> present(numbers.begin(), numbers.end());
    EXPECT_TRUE(present.count(274)) << "the frequency";
    EXPECT_TRUE(present.count(388)) << "the heating, with heating";
    EXPECT_TRUE(present.count(357)) << "the extension relays, with the card";
    EXPECT_FALSE(present.count(348)) << "six relays on the main board";
}

TEST_F(Record, ADocumentLoadsAsItsModelAndGivesTheDevicesOwnEntriesOnlyToACompareLoad) {
    CWinApp* app = AfxGetApp();
    app->WriteProfileString("Parvel 64\\Diagnostic/Factory settings", "Hardware Fact.-no.",
                            "SN-1;1;1");
    app->WriteProfileString("Parvel 64\\VASK", "Channel name", "Tank 7;1;1");
    app->WriteProfileString("Parvel 64\\Time constants", "C1 T90 inside", "12.5;23;2");
    app->WriteProfileString("Parvel 64\\Components", "Component 1", "O2 probe");
    CParvel64 stored("Parvel 64 file", nullptr, 4, 1, 1, 0);
    file_.Store(&stored);

    // The analyzer that loads has its own identity and channel name.
    app->WriteProfileString("Parvel 64\\Diagnostic/Factory settings", "Hardware Fact.-no.",
                            "SN-2;1;1");
    app->WriteProfileString("Parvel 64\\VASK", "Channel name", "Tank 8;1;1");
    app->WriteProfileString("Parvel 64\\Time constants", "C1 T90 inside", "99;1;1");
    app->WriteProfileString("Parvel 64\\Components", "Component 1", "");

    std::unique_ptr<CVaskInstrument> normal = file_.Load<CVaskInstrument>();
    ASSERT_NE(nullptr, normal);
    EXPECT_STREQ("CParvel64", normal->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(7, normal->GetModelKind());
    EXPECT_EQ(1, normal->HasData());
    EXPECT_EQ(0, normal->IsIncompatible());
    EXPECT_EQ("Parvel 64 file", Text(normal->GetName()));
    EXPECT_EQ("O2 probe", Text(normal->GetComponentName(0)));
    EXPECT_EQ(1, normal->HasExtensionCard());
    EXPECT_EQ("12.5 12.500000 23 2", Cached(*normal, 98));
    EXPECT_EQ("SN-2 0.000000 1 1", Cached(*normal, 1)) << "the loader's own";
    EXPECT_EQ("Tank 8 0.000000 1 1", Cached(*normal, 372)) << "the loader's own";
    EXPECT_TRUE(Loaded(*normal, 1));
    EXPECT_TRUE(Loaded(*normal, 98));

    host_.compare = 1;
    std::unique_ptr<CVaskInstrument> compare = file_.Load<CVaskInstrument>();
    ASSERT_NE(nullptr, compare);
    ASSERT_EQ(OfflineNumbers(stored), OfflineNumbers(*compare));
    for (int number : OfflineNumbers(stored)) {
        EXPECT_EQ(Cached(stored, number), Cached(*compare, number)) << number;
        EXPECT_TRUE(Loaded(*compare, number)) << number;
    }
    EXPECT_EQ("SN-1 0.000000 1 1", Cached(*compare, 1));
    EXPECT_EQ("Tank 7 0.000000 1 1", Cached(*compare, 372));
}

// Versions 1 to 3 keyed by key text, 4 by number (its key texts name other entries, which
// must not take the values); each field a value of its own. Version 1 is the first that holds
// values.
TEST_F(Record, OlderVersionsAreReadInTheirOwnLayout) {
    for (DWORD version : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE("version " + std::to_string(version));
        const std::string v = std::to_string(version);
        RecordWriter w;
        w.Class("CParvel6", 2);
        Header(w, version, 2, 1, "Fixture " + v, 1, 1, {"Oxy " + v, "N2", "N3", "N4"}, 3);
        const VaskFloat range = MakeValue(2.25, ("range " + v).c_str(), 11, 12);
        const VaskFloat t90 = MakeValue(37.5, ("t90 " + v).c_str(), 21, 22);
        const VaskFloat relay = MakeValue(4.0, ("relay " + v).c_str(), 31, 32);
        if (version < 4) {
            Entry(w, kRangeKey, range);
            Entry(w, kT90Key, t90);
            Entry(w, kRelayKey, relay);
        } else {
            Entry(w, kRelayKey, 6, range);
            Entry(w, kRangeKey, 98, t90);
            Entry(w, kT90Key, 342, relay);
        }
        file_.SetBytes(w.bytes);

        std::unique_ptr<CVaskInstrument> loaded = file_.Load<CVaskInstrument>();
        ASSERT_NE(nullptr, loaded);
        EXPECT_EQ((int)version, loaded->GetRecordVersion());
        EXPECT_EQ(0, loaded->IsIncompatible());
        EXPECT_EQ(1, loaded->HasData());
        EXPECT_EQ("Fixture " + v, Text(loaded->GetName()));
        EXPECT_EQ("Oxy " + v, Text(loaded->GetComponentName(0)));
        EXPECT_EQ("N4", Text(loaded->GetComponentName(3)));
        EXPECT_EQ(1, loaded->HasExtensionCard());
        // Created for the file, the analyzer has no heating until a file gives it one.
        EXPECT_EQ(version >= 3 ? 1 : 0, loaded->HasHeating());
        EXPECT_EQ(Show(range), Cached(*loaded, 6));
        EXPECT_EQ(Show(t90), Cached(*loaded, 98));
        EXPECT_EQ(Show(relay), Cached(*loaded, 342));
        EXPECT_TRUE(Loaded(*loaded, 342));
    }
}

TEST_F(Record, AVersion2RecordLeavesTheConstructedHeatingFlag) {
    for (DWORD heating : {0u, 1u}) {
        CParvel6 analyzer("Heated", nullptr, 3, 1, 0, 1);
        RecordWriter w;
        Header(w, 2, 2, 1, "No heating field", 0, heating, {"A", "B", "C", "D"}, 0);
        file_.SetBytes(w.bytes);
        file_.LoadInto(analyzer, 2);
        EXPECT_EQ(1, analyzer.HasHeating());
        EXPECT_EQ("D", Text(analyzer.GetComponentName(3)));
    }
    // Version 3 carries it.
    CParvel6 analyzer("Heated", nullptr, 3, 1, 0, 1);
    RecordWriter w;
    Header(w, 3, 2, 1, "Heating field", 0, 0, {"A", "B", "C", "D"}, 0);
    file_.SetBytes(w.bytes);
    file_.LoadInto(analyzer, 2);
    EXPECT_EQ(0, analyzer.HasHeating());
}

// Obsolete numbers (5 in any file, 603-605 in a Sindor 23 file), a number of no entry and an
// entry that is not stored are read and dropped; the records after them still land.
TEST_F(Record, RecordsThatNoEntryTakesAreDroppedAndTheNextOnesLand) {
    RecordWriter w;
    w.Class("CVaskInstrument", 2);
    Header(w, 6, 4, 1, "Sindor file", 0, 0, {"C1", "C2", "C3", "C4"}, 8);
    Entry(w, "Old\\Five", 5, MakeValue(5.5, "five", 55, 56));
    Entry(w, "Old\\Sample gas", 603, MakeValue(603.5, "six-o-three", 63, 64));
    Entry(w, "Old\\Zero gas", 604, MakeValue(604.5, "six-o-four", 65, 66));
    Entry(w, "Old\\Span gas", 605, MakeValue(605.5, "six-o-five", 67, 68));
    Entry(w, "No\\Such entry", 9999, MakeValue(9.5, "none", 71, 72));
    Entry(w, "Disturbance", 338, MakeValue(1.0, "status", 73, 74));
    Entry(w, kRangeKey, 6, MakeValue(3.0, "lands", 75, 76));
    Entry(w, kT90Key, 98, MakeValue(12.0, "lands too", 77, 78));
    file_.SetBytes(w.bytes);

    std::unique_ptr<CVaskInstrument> loaded = file_.Load<CVaskInstrument>();
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(4, loaded->GetModelKind());
    EXPECT_EQ("lands 3.000000 75 76", Cached(*loaded, 6));
    EXPECT_EQ("lands too 12.000000 77 78", Cached(*loaded, 98));
    ASSERT_NE(nullptr, loaded->FindParameterByNumber(338));
    EXPECT_FALSE(loaded->FindParameterByNumber(338)->IsLoaded());
    EXPECT_EQ(nullptr, loaded->FindParameterByNumber(603)) << "no test gases on this analyzer";
}

// With the test gases registered, entries 603-605 exist: their records of a Sindor 23 file
// are still dropped, once, and storing keeps them.
TEST_F(Record, TheObsoleteRecordsOfExistingEntriesAreDroppedOnceAndStoredAsAnyOther) {
    Probe analyzer("Gases", 4, nullptr, 1, 1, 4, 4, 0);
    analyzer.SetQuentaVariant(2);
    analyzer.Initialize();
    ASSERT_NE(nullptr, analyzer.FindParameterByNumber(603));
    const std::string before = Cached(analyzer, 603);

    RecordWriter w;
    Header(w, 6, 4, 1, "Gases", 0, 0, {"", "", "", ""}, 2);
    Entry(w, "External Pressure\\Sample gas", 603, MakeValue(6.03, "obsolete", 81, 82));
    Entry(w, kRangeKey, 6, MakeValue(2.0, "after", 83, 84));
    file_.SetBytes(w.bytes);
    file_.LoadInto(analyzer, 2);
    EXPECT_EQ(before, Cached(analyzer, 603));
    EXPECT_FALSE(analyzer.FindParameterByNumber(603)->IsLoaded());
    EXPECT_EQ("after 2.000000 83 84", Cached(analyzer, 6));

    RecordFile stored;
    stored.Store(&analyzer);
    const StoredAnalyzer a = ReadStoredAnalyzer(stored.Bytes());
    EXPECT_TRUE(a.complete);
    std::set<DWORD> numbers;
    for (const StoredEntry& e : a.entries) numbers.insert(e.number);
    for (DWORD n : {603u, 604u, 605u}) EXPECT_TRUE(numbers.count(n)) << n;
}

TEST_F(Record, ARecordNumbered0ReachesTheComponent4Unit) {
    RecordWriter w;
    w.Class("CVaskInstrument", 2);
    Header(w, 6, 1, 4, "Four components", 0, 0, {"", "", "", ""}, 1);
    Entry(w, "Units\\C4: Unit", 0, MakeValue(4.0, "unit four", 91, 92));
    file_.SetBytes(w.bytes);
    std::unique_ptr<CVaskInstrument> loaded = file_.Load<CVaskInstrument>();
    ASSERT_NE(nullptr, loaded);
    CVaskParameter* unit4 = loaded->FindParameterByName("Units\\C4: Unit");
    ASSERT_NE(nullptr, unit4);
    EXPECT_EQ("unit four 4.000000 91 92", Show(unit4->GetCachedValue()));
    EXPECT_TRUE(unit4->IsLoaded());
}

TEST_F(Record, RefusedDocumentsLeaveTheAnalyzerWithoutData) {
    BoxHook boxes;
    {
        // Schema 1: the message, and not a byte of the record read.
        RecordWriter w;
        w.Class("CParvel6", 1);
        Header(w, 6, 2, 1, "Old schema", 1, 1, {"", "", "", ""}, 0);
        file_.SetBytes(w.bytes);
        std::unique_ptr<CVaskInstrument> loaded = file_.Load<CVaskInstrument>();
        ASSERT_NE(nullptr, loaded);
        EXPECT_EQ(0, loaded->HasData());
        EXPECT_EQ(0, loaded->HasExtensionCard());
        EXPECT_NE("Old schema", Text(loaded->GetName()));
        EXPECT_TRUE(loaded->GetGroupList().IsEmpty());
        EXPECT_EQ(std::vector<std::string>{kReadError}, boxes.texts);
    }
    boxes.texts.clear();
    {
        // Version 0: silently nothing more.
        RecordWriter w;
        w.Class("CParvel6", 2).Dword(0).String("after the version");
        file_.SetBytes(w.bytes);
        std::unique_ptr<CVaskInstrument> loaded = file_.Load<CVaskInstrument>();
        ASSERT_NE(nullptr, loaded);
        EXPECT_EQ(0, loaded->HasData());
        EXPECT_EQ(1, loaded->IsIncompatible());
        EXPECT_EQ(0, loaded->GetRecordVersion());
        EXPECT_TRUE(boxes.texts.empty());
    }
    {
        // A Quenta file whose variant is neither 1 nor 2.
        RecordWriter w;
        w.Class("CVaskInstrument", 2);
        w.Dword(6).Dword(5).Dword(1).String("Quenta").Dword(0).Dword(0).Dword(3);
        w.String("").String("").String("").String("").Dword(0);
        file_.SetBytes(w.bytes);
        std::unique_ptr<CVaskInstrument> loaded = file_.Load<CVaskInstrument>();
        ASSERT_NE(nullptr, loaded);
        EXPECT_EQ(0, loaded->HasData());
        EXPECT_EQ(0, loaded->IsIncompatible());
        EXPECT_EQ(std::vector<std::string>{kOldQuenta}, boxes.texts);
    }
}

TEST_F(Record, AQuentaRecordCarriesItsVariantAfterTheHeatingFlag) {
    RecordWriter w;
    w.Class("CVaskInstrument", 2);
    w.Dword(6).Dword(5).Dword(1).String("Quenta").Dword(1).Dword(0).Dword(2);
    w.String("Methane").String("").String("").String("").Dword(0);
    file_.SetBytes(w.bytes);
    std::unique_ptr<CVaskInstrument> loaded = file_.Load<CVaskInstrument>();
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(1, loaded->HasData());
    QuentaType variant = QuentaType(0);
    loaded->GetInstrumentType(variant);
    EXPECT_EQ(2, (int)variant);
    EXPECT_EQ("Methane", Text(loaded->GetComponentName(0)));

    // Stored again, the variant follows the heating flag.
    RecordFile again;
    again.Store(loaded.get());
    RecordReader in(again.Bytes());
    WORD schema;
    EXPECT_EQ("CVaskInstrument", in.Class(schema));
    for (DWORD expected : {6u, 5u, 1u}) EXPECT_EQ(expected, in.Dword());
    EXPECT_EQ("Quenta", in.String());
    EXPECT_EQ(1u, in.Dword());
    EXPECT_EQ(0u, in.Dword());
    EXPECT_EQ(2u, in.Dword());
    EXPECT_EQ("Methane", in.String());
}

TEST_F(Record, AFileThatEndsEarlyRaisesTheArchivesEndOfFile) {
    CParvel6 analyzer("Cut short", nullptr, 3, 1, 0, 0);
    file_.Store(&analyzer);
    const std::string whole = file_.Bytes();
    // In the header, in the first record's value, one byte before the end.
    for (size_t length : {(size_t)30, (size_t)80, whole.size() - 1}) {
        SCOPED_TRACE(length);
        file_.SetBytes(whole.substr(0, length));
        int cause = -1;
        try {
            file_.Load<CVaskInstrument>();
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(CArchiveException::endOfFile, cause);
    }
}

// A file keyed by text (versions 1 to 3) gives each record to the entry that the search by
// key finds: the first in list order of those that share a key, the key compared exactly.
// The same records addressed by those entries' numbers (version 4, the same header) are the
// reference: both loads must leave every entry alike. The file holds every entry's key, keys
// again with later values, and keys of no entry: other case, a trailing blank, the key text
// without its group's title, the title alone, the empty key (which finds an entry that is
// not stored), and the twin key of CTwinKeys.
TEST_F(Record, AFileKeyedByTextGivesEachRecordToTheEntryTheSearchByKeyFinds) {
    for (DWORD version : {1u, 2u, 3u}) {
        SCOPED_TRACE("version " + std::to_string(version));
        const DWORD heating = version >= 3 ? 1 : 0;
        auto header = [&](RecordWriter& w, DWORD v, DWORD count) {
            w.Class("CTwinKeys", 2);
            Header(w, v, 1, 4, "Keys", 1, heating, {"K1", "K2", "K3", "K4"}, count);
        };
        // The analyzer as the file makes it, without records: the search by key runs on it.
        RecordWriter empty;
        header(empty, version, 0);
        file_.SetBytes(empty.bytes);
        std::unique_ptr<CVaskInstrument> made = file_.Load<CVaskInstrument>();
        ASSERT_NE(nullptr, made);
        CTwinKeys& reference = static_cast<CTwinKeys&>(*made);
        ASSERT_EQ(Text(reference.FindParameterByNumber(98)->GetKey()),
                  Text(reference.Twin()->GetKey()));
        ASSERT_EQ(nullptr, reference.FindParameterByNumber(9999));

        std::vector<std::pair<std::string, VaskFloat>> records;
        int n = 0;
        auto add = [&](const std::string& key) {
            ++n;
            records.push_back({key, MakeValue(n + 0.25, ("r" + std::to_string(n)).c_str(),
                                              n % 50 + 1, n % 7 + 1)});
        };
        const std::vector<CVaskParameter*> entries = AllEntries(reference);
        for (CVaskParameter* entry : entries) add(Text(entry->GetKey()));
        for (size_t i = 0; i < entries.size(); i += 3) add(Text(entries[i]->GetKey()));
        for (const std::string& key :
             {std::string("time constants\\C1 T90 inside"), std::string(kT90Key) + " ",
              std::string("C1 T90 inside"), std::string("Time constants"), std::string(),
              std::string("No such group\\No such entry"), std::string(kRangeKey) + "\\"})
            add(key);
        add(kT90Key);  // last: its value is the one that stays

        RecordWriter byKey, byNumber;
        header(byKey, version, (DWORD)records.size());
        header(byNumber, 4, (DWORD)records.size());
        for (const auto& record : records) {
            Entry(byKey, record.first, record.second);
            CVaskParameter* found = reference.FindParameterByName(record.first.c_str());
            if (found != nullptr) {
                ASSERT_EQ(found, reference.FindParameterByNumber(found->GetNumber()))
                    << "a number of one entry";
            }
            Entry(byNumber, record.first, found != nullptr ? found->GetNumber() : 9999,
                  record.second);
        }
        file_.SetBytes(byKey.bytes);
        std::unique_ptr<CVaskInstrument> keyed = file_.Load<CVaskInstrument>();
        file_.SetBytes(byNumber.bytes);
        std::unique_ptr<CVaskInstrument> numbered = file_.Load<CVaskInstrument>();
        ASSERT_NE(nullptr, keyed);
        ASSERT_NE(nullptr, numbered);

        const std::vector<CVaskParameter*> got = AllEntries(*keyed), want = AllEntries(*numbered);
        ASSERT_EQ(want.size(), got.size());
        for (size_t i = 0; i < got.size(); ++i) {
            SCOPED_TRACE(got[i]->GetNumber());
            EXPECT_EQ(Show(want[i]->GetCachedValue()), Show(got[i]->GetCachedValue()));
            EXPECT_EQ(want[i]->IsLoaded(), got[i]->IsLoaded());
            // Every stored entry has a record, except the twin, whose key is the T90 time's.
            const bool twin = got[i] == static_cast<CTwinKeys&>(*keyed).Twin();
            EXPECT_EQ(got[i]->IsOfflineParameter() && !twin, got[i]->IsLoaded() != 0);
        }
        EXPECT_EQ(Show(records.back().second), Cached(*keyed, 98)) << "the last record of a key";
    }
}

// A record count that the rest of the file cannot hold, even in records of the shortest
// form, is the archive's end of file, raised before any record is read: the analyzer keeps
// its name, model, component names and values, and no message is shown (the caller reports
// the file). A count that the rest can hold, to the byte, is read.
TEST_F(Record, ACountBeyondTheFileIsRefusedBeforeAnyRecordIsRead) {
    BoxHook boxes;
    for (DWORD version : {1u, 2u, 3u, 4u, 6u}) {
        const bool byNumber = version >= 4;
        // The shortest record: an empty key (the number of no entry), an empty text.
        RecordWriter least;
        least.String("");
        if (byNumber) least.Dword(9999);
        least.Value("", 0.0, 0, 0);
        const std::string shortest = least.bytes;
        ASSERT_EQ(byNumber ? 26u : 22u, shortest.size());
        // Three records with values for entries 6, 98 and 342.
        RecordWriter values;
        const VaskFloat range = MakeValue(2.5, "range", 11, 12);
        const VaskFloat t90 = MakeValue(37.5, "t90", 21, 22);
        const VaskFloat relay = MakeValue(4.0, "relay", 31, 32);
        if (byNumber) {
            Entry(values, kRangeKey, 6, range);
            Entry(values, kT90Key, 98, t90);
            Entry(values, kRelayKey, 342, relay);
        } else {
            Entry(values, kRangeKey, range);
            Entry(values, kT90Key, t90);
            Entry(values, kRelayKey, relay);
        }
        const std::string three = shortest + shortest + shortest;
        // The least count whose shortest records need more than the three records with values.
        const DWORD beyond = (DWORD)(values.bytes.size() / shortest.size() + 1);
        struct Case {
            const char* name;
            std::string records;
            DWORD count;
            bool refused;
        } const cases[] = {
            {"three with values", values.bytes, 3, false},
            {"three with values, counted as more than the rest holds", values.bytes, beyond, true},
            {"three with values, the largest count", values.bytes, 0xFFFFFFFF, true},
            {"three shortest", three, 3, false},
            {"three shortest, one more counted", three, 4, true},
            {"three shortest and one a byte short", three + shortest.substr(1), 4, true},
            {"four shortest", three + shortest, 4, false},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE("version " + std::to_string(version) + ", " + c.name);
            RecordWriter w;
            Header(w, version, 2, 1, "From the file", 1, 1, {"F1", "F2", "F3", "F4"}, c.count);
            file_.SetBytes(w.bytes + c.records);

            CParvel6 analyzer("Own name", nullptr, 3, 1, 0, 0);
            for (int i = 0; i < 4; ++i)
                analyzer.SetComponentName(i, ("Own " + std::to_string(i)).c_str());
            const std::vector<std::string> before = [&] {
                std::vector<std::string> shown;
                for (CVaskParameter* entry : AllEntries(analyzer))
                    shown.push_back(Show(entry->GetCachedValue()));
                return shown;
            }();
            int cause = -1;
            try {
                file_.LoadInto(analyzer, 2);
            } catch (CArchiveException* e) {
                cause = e->m_cause;
                e->Delete();
            }
            EXPECT_TRUE(boxes.texts.empty());
            if (!c.refused) {
                EXPECT_EQ(-1, cause);
                EXPECT_EQ("From the file", Text(analyzer.GetName()));
                EXPECT_EQ("F4", Text(analyzer.GetComponentName(3)));
                if (c.records == values.bytes) {
                    EXPECT_EQ(Show(range), Cached(analyzer, 6));
                    EXPECT_EQ(Show(t90), Cached(analyzer, 98));
                    EXPECT_EQ(Show(relay), Cached(analyzer, 342));
                }
                continue;
            }
            EXPECT_EQ(CArchiveException::endOfFile, cause);
            EXPECT_EQ("Own name", Text(analyzer.GetName()));
            EXPECT_EQ(2, analyzer.GetModelKind());
            EXPECT_EQ("Own 0", Text(analyzer.GetComponentName(0)));
            EXPECT_EQ("Own 3", Text(analyzer.GetComponentName(3)));
            const std::vector<CVaskParameter*> after = AllEntries(analyzer);
            ASSERT_EQ(before.size(), after.size()) << "not initialised again";
            for (size_t i = 0; i < after.size(); ++i) {
                EXPECT_EQ(before[i], Show(after[i]->GetCachedValue())) << after[i]->GetNumber();
                EXPECT_FALSE(after[i]->IsLoaded()) << after[i]->GetNumber();
            }
        }
    }
}

TEST_F(Record, EveryLoadStartsCompatible) {
    Probe analyzer("Twice", 2, nullptr, 1, 1, 1, 4, 0);
    analyzer.Initialize();
    RecordWriter old;
    old.Dword(0);
    file_.SetBytes(old.bytes);
    file_.LoadInto(analyzer, 2);
    EXPECT_EQ(1, analyzer.IsIncompatible());

    RecordWriter current;
    Header(current, 6, 2, 1, "Twice", 0, 0, {"", "", "", ""}, 0);
    file_.SetBytes(current.bytes);
    file_.LoadInto(analyzer, 2);
    EXPECT_EQ(0, analyzer.IsIncompatible());
    EXPECT_EQ(6, analyzer.GetRecordVersion());
}

// ---- the models' documents ----------------------------------------------------------------

// Each model's document loads back as the same model with the same fields and offline
// values (the device's own ones excepted: a normal load keeps the loader's), and holds no
// entry of the groups the model lacks.
TEST_F(Record, EachModelsDocumentRoundTrips) {
    struct Case {
        std::string name;
        std::function<CVaskInstrument*()> make;
        std::set<int> absent;
    } cases[] = {
        {"Lorvix 6", [] { return new CLorvix6("Lorvix file", nullptr, 3, 1, 1, 1); },
         NumbersOfFullGroups({14, 15, 27, 28, 29, 30, 31, 33, 18, 35})},
        {"Lorvix 62", [] { return new CLorvix62("Lorvix 62 file", nullptr, 4, 1, 0, 1); },
         NumbersOfFullGroups({14, 15, 27, 28, 29, 30, 31, 33, 18, 35})},
        {"Sindor 6", [] { return new CSindor6("Sindor 6 file", nullptr, 5, 2, 1, 1); },
         NumbersOfFullGroups({15, 21, 22, 23, 27, 28, 29, 30, 31, 33, 18})},
        {"Quenta 6", [] { return new CQuenta6("Quenta file", nullptr, 6, 1, 1, 1); },
         NumbersOfFullGroups({14, 15, 17, 27, 28, 29, 30, 31, 35})},
        {"Sindor 23",
         [] { return new CSindor23("Sindor 23 file", nullptr, 7, 2, 1, 1, 1, 0, 0, 0); },
         NumbersOfFullGroups({9, 10, 14, 15, 16, 17, 22, 23, 33, 35, 18, 36})},
    };
    // Not stored on the Sindor 6: the second correction's entries, bound without a group.
    for (int n : {394, 395, 396, 397, 402, 403, 404, 405}) cases[2].absent.insert(n);
    // Dropped rows of the Sindor 23's own groups: zero gas, dead time, autocal starts, step 7,
    // inverted output, correction ranges and concentrations.
    for (int n : {74, 406, 111, 234, 570, 237, 244, 335, 306, 407, 423}) cases[4].absent.insert(n);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AfxGetApp()->WriteProfileString((c.name + "\\Components").c_str(), "Component 1", "Gas A");
        std::unique_ptr<CVaskInstrument> stored(c.make());
        WriteDefaults(*stored, 1);
        file_.Store(stored.get());
        const std::vector<int> numbers = OfflineNumbers(*stored);
        ASSERT_FALSE(numbers.empty());
        for (int n : numbers) EXPECT_FALSE(c.absent.count(n)) << n << " stored";

        // The loader's own defaults differ from the stored ones.
        WriteDefaults(*stored, 9);
        AfxGetApp()->WriteProfileString((c.name + "\\Components").c_str(), "Component 1", "");
        std::unique_ptr<CVaskInstrument> loaded = file_.Load<CVaskInstrument>();
        ASSERT_NE(nullptr, loaded);
        EXPECT_STREQ(stored->GetRuntimeClass()->m_lpszClassName,
                     loaded->GetRuntimeClass()->m_lpszClassName);
        EXPECT_EQ(1, loaded->HasData());
        EXPECT_EQ(stored->GetModelKind(), loaded->GetModelKind());
        EXPECT_EQ(stored->GetComponentCount(), loaded->GetComponentCount());
        EXPECT_EQ(stored->HasExtensionCard(), loaded->HasExtensionCard());
        EXPECT_EQ(stored->HasHeating(), loaded->HasHeating());
        EXPECT_EQ(Text(stored->GetName()), Text(loaded->GetName()));
        EXPECT_EQ("Gas A", Text(loaded->GetComponentName(0)));
        ASSERT_EQ(numbers, OfflineNumbers(*loaded));
        for (int n : numbers) {
            SCOPED_TRACE(n);
            if (kDeviceOwn.count(n)) {
                EXPECT_NE(Cached(*stored, n), Cached(*loaded, n)) << "the loader's own";
            } else {
                EXPECT_EQ(Cached(*stored, n), Cached(*loaded, n));
                EXPECT_TRUE(Loaded(*loaded, n));
            }
        }
    }
}

// The Quenta stores its variant as GetInstrumentType gives it (offline the variant field)
// and takes it back; with variant 2 it has the external pressure group, on both sides.
TEST_F(Record, TheQuentaKeepsItsVariant) {
    class Quenta : public CQuenta6 {
    public:
        using CQuenta6::CQuenta6;
        void SetVariant(int variant) {
            m_quentaVariant = variant;
            Initialize();
        }
    };
    for (int variant : {1, 2}) {
        SCOPED_TRACE(variant);
        Quenta stored("Quenta", nullptr, 3, 1, 0, 0);
        stored.SetVariant(variant);
        file_.Store(&stored);
        RecordReader in(file_.Bytes());
        WORD schema;
        EXPECT_EQ("CQuenta6", in.Class(schema));
        EXPECT_EQ(6u, in.Dword());
        EXPECT_EQ(5u, in.Dword());
        EXPECT_EQ(1u, in.Dword());
        EXPECT_EQ("Quenta", in.String());
        in.Dword();
        EXPECT_EQ(0u, in.Dword()) << "no heating";
        EXPECT_EQ((DWORD)variant, in.Dword());

        std::unique_ptr<CVaskInstrument> loaded = file_.Load<CVaskInstrument>();
        ASSERT_NE(nullptr, loaded);
        QuentaType type = QuentaType(0);
        loaded->GetInstrumentType(type);
        EXPECT_EQ(variant, (int)type);
        EXPECT_EQ(variant == 2 ? 3u : 0u,
                  (size_t)loaded->GetParameterGroup(36)->GetParameterList().GetCount());
        EXPECT_TRUE(Loaded(*loaded, 602)) << "the variant entry";
    }
}

// The Sindor 23 puts the record version and its sensor flags before the base record.
TEST_F(Record, TheSindor23StoresItsSensorFlagsBeforeTheBaseRecord) {
    CSindor23 analyzer("Sindor 23 file", nullptr, 3, 2, 1, 0, 1, 0, 0, 0);
    file_.Store(&analyzer);
    RecordReader in(file_.Bytes());
    WORD schema;
    EXPECT_EQ("CSindor23", in.Class(schema));
    EXPECT_EQ(2, schema);
    EXPECT_EQ(6u, in.Dword()) << "the version";
    EXPECT_EQ(0u, in.Dword()) << "no O2 sensor";
    EXPECT_EQ(1u, in.Dword()) << "the H2S sensor";
    // The base record: version, type code, the infrared components, the name, the card.
    EXPECT_EQ(6u, in.Dword());
    EXPECT_EQ(4u, in.Dword());
    EXPECT_EQ(2u, in.Dword());
    EXPECT_EQ("Sindor 23 file", in.String());
    EXPECT_EQ(1u, in.Dword());

    std::unique_ptr<CSindor23> s23 = LoadSindor23(file_);
    ASSERT_NE(nullptr, s23);
    EXPECT_EQ(0, s23->HasO2Sensor());
    EXPECT_EQ(1, s23->HasH2SSensor());
    std::vector<int> h2s;
    for (CVaskParameter* entry : Entries(*s23, 31)) h2s.push_back(entry->GetNumber());
    EXPECT_EQ((std::vector<int>{611, 612}), h2s);
}

// An older file holds the O2 flag alone before the base record: it loads with that flag and
// without the H2S sensor. Stored again it gets the current prefix, whatever version the
// file had, and loads back the same.
TEST_F(Record, AnOlderSindor23FileHoldsTheO2FlagAlone) {
    const VaskFloat t90 = MakeValue(12.5, "t90 of old", 21, 22);
    const VaskFloat setPoint = MakeValue(20.5, "20.5", 11, 12);
    RecordWriter w;
    w.Class("CSindor23", 2).Dword(1);
    Header(w, 5, 4, 2, "Old Sindor 23", 0, 0, {"CO", "CO2", "", ""}, 2);
    Entry(w, kT90Key, 98, t90);
    Entry(w, "O2-Sensor\\Set-point (air)", 387, setPoint);
    file_.SetBytes(w.bytes);

    for (int again : {0, 1}) {
        SCOPED_TRACE(again ? "stored again" : "the old file");
        std::unique_ptr<CSindor23> s23 = LoadSindor23(file_);
        ASSERT_NE(nullptr, s23);
        EXPECT_EQ(1, s23->HasO2Sensor());
        EXPECT_EQ(0, s23->HasH2SSensor());
        EXPECT_EQ(again ? 6 : 5, s23->GetRecordVersion());
        EXPECT_EQ(2, s23->GetComponentCount());
        EXPECT_EQ("Old Sindor 23", Text(s23->GetName()));
        EXPECT_EQ(Show(t90), Cached(*s23, 98));
        EXPECT_EQ(Show(setPoint), Cached(*s23, 387));
        EXPECT_TRUE(Entries(*s23, 31).empty());
        if (again) break;
        file_.Store(s23.get());
        RecordReader in(file_.Bytes());
        WORD schema;
        in.Class(schema);
        EXPECT_EQ(6u, in.Dword()) << "not the old file's version";
    }

    // A first DWORD of 6 or more is the version, and both flags follow.
    RecordWriter current;
    current.Class("CSindor23", 2).Dword(7).Dword(0).Dword(1);
    Header(current, 6, 4, 1, "Later", 0, 0, {"", "", "", ""}, 0);
    file_.SetBytes(current.bytes);
    std::unique_ptr<CSindor23> s23 = LoadSindor23(file_);
    ASSERT_NE(nullptr, s23);
    EXPECT_EQ(0, s23->HasO2Sensor());
    EXPECT_EQ(1, s23->HasH2SSensor());
    EXPECT_EQ("Later", Text(s23->GetName()));
}

TEST_F(Record, ASindor23DocumentOfSchema1IsRefused) {
    BoxHook boxes;
    RecordWriter w;
    w.Class("CSindor23", 1).Dword(6).Dword(1).Dword(1);
    Header(w, 6, 4, 1, "Old schema", 1, 0, {"", "", "", ""}, 0);
    file_.SetBytes(w.bytes);
    std::unique_ptr<CSindor23> s23 = LoadSindor23(file_);
    ASSERT_NE(nullptr, s23);
    EXPECT_EQ(std::vector<std::string>{kReadError}, boxes.texts) << "once";
    EXPECT_EQ(0, s23->HasData());
    EXPECT_EQ(0, s23->HasO2Sensor()) << "nothing read";
    EXPECT_NE("Old schema", Text(s23->GetName()));
}

// A schema that the archive has handed out already reads as -1 the next time: no readable
// schema, for the base record as for the Sindor 23's prefix.
TEST_F(Record, ASchemaAlreadyTakenIsRefusedLikeAnOldOne) {
    BoxHook boxes;
    RecordWriter base;
    Header(base, 6, 2, 1, "Schema taken", 1, 1, {"A", "B", "C", "D"}, 0);
    RecordWriter sindor;
    sindor.Dword(6).Dword(1).Dword(1);
    Header(sindor, 6, 4, 1, "Schema taken", 1, 0, {"A", "B", "C", "D"}, 0);

    CParvel6 parvel("Before", nullptr, 3, 1, 0, 0);
    file_.SetBytes(base.bytes);
    file_.LoadInto(parvel, (UINT)-1);
    EXPECT_EQ(std::vector<std::string>{kReadError}, boxes.texts);
    EXPECT_EQ("Before", Text(parvel.GetName())) << "nothing read";
    EXPECT_EQ(0, parvel.HasExtensionCard());

    boxes.texts.clear();
    CSindor23 s23("Before", nullptr, 3, 2, 0, 0, 0, 0, 0, 0);
    file_.SetBytes(sindor.bytes);
    file_.LoadInto(s23, (UINT)-1);
    EXPECT_EQ(std::vector<std::string>{kReadError}, boxes.texts);
    EXPECT_EQ("Before", Text(s23.GetName())) << "nothing read";
    EXPECT_EQ(0, s23.HasO2Sensor());
}

}  // namespace
