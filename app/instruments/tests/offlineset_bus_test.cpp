// The offline-set transfer against the simulator on COM1, as the user makes it: a set saved
// from one device, every entry the set can carry changed there first, is loaded for
// comparison and transferred into a device of the same model that holds other values. Per
// model, every kind of entry the set holds (single values, value groups and arrays written
// together, choice-list codes, switches, dates): what the target device holds afterwards is
// what the set holds, each setting reached the device in one write carrying the set's values,
// and each entry of the set carries its outcome.
#include "analyzer_bus_fixture.h"
#include "entry_values.h"
#include "parvel.h"
#include "quenta.h"
#include "record_bytes.h"
#include "recording_grids.h"
#include "sindor23.h"
#include "test_access.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

CWinApp theApp("KorvanGA offline set bus test");

const char kMaker[] = "KorvanGA offline set bus test";

typedef CvaskAccess::ParamAdapter Adapter;

// A member's address as code takes it, as the catalogue's entries hold it (laid down as static
// data it would be this program's import stub).
__attribute__((noipa)) Adapter Imported(Adapter member) { return member; }

// Every Transfer adapter with the way its value is written (vaskadapters.h).
struct TransferKind {
    Adapter member;
    std::string name;
    std::string pattern;
};
const std::vector<TransferKind>& TransferKinds() {
    static const std::vector<TransferKind> kinds = {
#define VASK_KIND(name, pattern, group, position) {Imported(&CvaskAccess::name), #name, #pattern},
        VASK_TRANSFER_ADAPTERS(VASK_KIND)
#undef VASK_KIND
    };
    return kinds;
}
const TransferKind* KindOf(Adapter member) {
    for (const TransferKind& kind : TransferKinds())
        if (kind.member == member) return &kind;
    return nullptr;
}

// How an entry's value is made different from the device's: a number of its own (so that a
// value put in another member's place shows), a date, or the next code of the values the
// setting takes (the switches and flags 0 and 1).
enum class Change { Number, Date, Code, None };

Change ChangeOf(const TransferKind& kind) {
    static const std::set<std::string> numbers = {"DirectCopy", "CheckedCopy", "GroupCopy",
                                                  "RangeCopy",  "StepTime",    "S23StepTime",
                                                  "SensorTime"};
    if (numbers.count(kind.pattern)) return Change::Number;
    if (kind.pattern == "DirectTime") return Change::Date;
    if (kind.pattern == "NoWrite") return Change::None;
    return Change::Code;
}

// The codes a setting takes, by adapter name without its trailing number; 0 and 1 for the
// switches and flags.
std::vector<int> CodesOf(std::string name, int ranges) {
    while (!name.empty() && isdigit((unsigned char)name.back())) name.pop_back();
    if (name == "TransferMeasRange") {
        std::vector<int> all;
        for (int r = 1; r <= ranges; ++r) all.push_back(r);
        return all;
    }
    static const std::map<std::string, std::vector<int>> codes = {
        {"TransferUnit", {1, 2, 3}},
        {"TransferPressureCorrChannel", {0, 1, 2}},
        {"TransferPressureRangeCurrent", {0, 1, 2, 3}},
        {"TransferPressureCorrType", {0, 1, 2, 3}},
        {"TransferGasRangeCurrent", {0, 1, 2, 3}},
        {"TransferGasCorrType", {0, 1, 2, 3}},
        {"TransferGasCompensationChannel", {1, 2}},
        {"TransferGasCompensationComponent", {1, 2}},
        {"TransferAnalogRange", {0, 1, 2, 3}},
        {"TransferAnalogCtrl", {0, 1, 2, 3}},
        {"TransferAnalogFault", {0, 1, 2, 3}},
        {"TransferRelais", {1, 2, 3, 4, 5, 6}},
        {"TransferRelaisExt", {1, 2, 3, 4, 5, 6}},
        {"TransferBinary", {1, 2, 3, 4, 5, 6}},
        {"TransferBinaryExt", {1, 2, 3, 4, 5, 6}},
        {"TransferHeatingTemp", {60, 80}},
        {"TransferStartingState", {1, 2, 3}},
        {"TransferAutocalStepNumber", {1, 2, 3, 4, 5}},
    };
    auto it = codes.find(name);
    return it != codes.end() ? it->second : std::vector<int>{0, 1};
}

VaskFloat Number(double value, int unit) {
    CString text;
    text.Format("%.3f", value);
    return MakeValue(value, text, unit < 1 ? 1 : unit);
}

// The entry's value for the source device: unlike the value read there and unlike every
// other entry's.
VaskFloat NewValue(const TransferKind& kind, const CVaskParameter& entry, const VaskFloat& now,
                   int ranges) {
    switch (ChangeOf(kind)) {
        case Change::Number: return Number(now.value + 1.0 + entry.GetNumber() * 0.125, now.unit);
        case Change::Date: {
            // Noon, local time, as the device's date fields come back.
            const CTime day(2011 + entry.GetNumber() % 20, 3, 14, 12, 0, 0);
            return MakeValue((double)day.GetTime(), "");
        }
        default: {
            const std::vector<int> codes = CodesOf(kind.name, ranges);
            const int current = (int)now.value;
            auto it = std::find(codes.begin(), codes.end(), current);
            const int next = it == codes.end() || it + 1 == codes.end() ? codes.front() : *(it + 1);
            return Number(next == current ? codes.back() : next, 1);
        }
    }
}

// Entries whose device read does not show what their write sets: the simulator keeps the
// switch of negative values out of the component switch record it answers, and the Sindor
// 23's older set point is a constant. And a Sindor 23's rinse times of steps 3 to 6, which
// its write cannot carry (it sends the first two).
bool LeftOut(const CVaskParameter& entry) {
    const std::string name = KindOf(entry.GetTransfer())->name;
    return name == "TransferIntegrationNegative" ||
           entry.GetFetch() == Imported(&CvaskAccess::FetchSetPointAirOldFW) ||
           (name == "TransferS23AutocalStepTime" && entry.GetIndex() >= 2 && entry.GetIndex() <= 5);
}

// The entries of an analyzer that its documents hold and that are written into the device,
// in list order.
std::vector<CVaskParameter*> Transferable(CVaskInstrument& analyzer) {
    std::vector<CVaskParameter*> entries;
    for (CParameterGroup* group : Nodes<CParameterGroup>(&analyzer.GetGroupList()))
        for (CVaskParameter* entry : Nodes<CVaskParameter>(&group->GetParameterList())) {
            if (!entry->IsOfflineParameter() || !entry->IsOfflineTransfer()) continue;
            const TransferKind* kind = KindOf(entry->GetTransfer());
            if (kind != nullptr && ChangeOf(*kind) != Change::None) entries.push_back(entry);
        }
    return entries;
}

// One model of the suite: its analyzer on a device, and the simulator's device for it.
struct Model {
    const char* name;
    const char* device;  // the DEVICE command's arguments after the address
    int ranges;
    std::function<CVaskInstrument*(CvaskAccess*, int)> make;
};

const std::vector<Model>& Models() {
    static const std::vector<Model> models = {
        {"base analyzer", "type=1 components=4 ranges=4", 4,
         [](CvaskAccess* access, int address) {
             return new CVaskInstrument("Base", 0, access, address, 4, 4, 4, 0);
         }},
        {"Parvel 6", "type=2 components=1 ranges=2", 2,
         [](CvaskAccess* access, int address) {
             return new CParvel6("Parvel", access, address, 1, 0, 0);
         }},
        {"Parvel 64", "type=8 components=1 ranges=4", 4,
         [](CvaskAccess* access, int address) {
             return new CParvel64("Parvel 64", access, address, 1, 0, 0);
         }},
        {"Quenta 6", "type=3 components=1 ranges=4", 4,
         [](CvaskAccess* access, int address) {
             return new CQuenta6("Quenta", access, address, 1, 0, 0);
         }},
        {"Sindor 23", "type=4 components=3 ranges=2", 2,
         [](CvaskAccess* access, int address) {
             return new CSindor23("Sindor 23", access, address, 3, 0, 1, 0, 0, 0, 0);
         }},
    };
    return models;
}

// Model i has its source device at 2i + 1 and its target device at 2i + 2.
int SourceOf(size_t model) { return (int)(2 * model + 1); }
int TargetOf(size_t model) { return (int)(2 * model + 2); }

class OfflineSetOnTheBus : public AnalyzerBusFixture, public ::testing::WithParamInterface<size_t> {
protected:
    static void SetUpTestSuite() {
        std::vector<std::string> devices;
        for (size_t m = 0; m < Models().size(); ++m)
            for (int address : {SourceOf(m), TargetOf(m)})
                devices.push_back("DEVICE " + std::to_string(address) + " " + Models()[m].device);
        // The addresses above the models' are taken too: the scan waits for none.
        for (int address = TargetOf(Models().size() - 1) + 1; address <= kLastDevice; ++address)
            devices.push_back("DEVICE " + std::to_string(address) + " type=1 components=1");
        OpenLine(devices, kLastDevice);
    }

    // The entry's value as the device holds it now (no value the access object keeps).
    bool Fetch(CVaskParameter& entry, int address, VaskFloat& value) {
        ClockScope fresh;
        return (s_access->*entry.GetFetch())(address, entry.GetChannel(), entry.GetIndex() + 1,
                                             value) == 1;
    }
    // The writes to a device since the log was cleared, less the access object's upkeep
    // (remote control on and off, "F" 1).
    std::vector<vasksim::SimLogEntry> Writes(int address) {
        std::vector<vasksim::SimLogEntry> log, writes;
        EXPECT_TRUE(sim_.Log(log)) << sim_.LastError();
        const std::string device = std::to_string(address) + "/";
        for (const vasksim::SimLogEntry& e : log)
            if (e.to.compare(0, device.size(), device) == 0 && isupper((unsigned char)e.command) &&
                !(e.command == 'F' && e.function == 1))
                writes.push_back(e);
        return writes;
    }
    // "W12 /0": letter, function and channel of a write.
    static std::string Setting(const vasksim::SimLogEntry& e) {
        return std::string(1, e.command) + std::to_string(e.function) + " /" +
               e.to.substr(e.to.find('/') + 1);
    }
    static std::string Shown(const VaskFloat& value) {
        return Text(value.text) + " " + std::to_string(value.value);
    }

    using ClockScope = StaleDeviceClock;
    static const int kLastDevice = 12;
    TestProfile profile_{kMaker};
    RecordingGrids grids_;
};

TEST_P(OfflineSetOnTheBus, EveryEntryOfTheSetReachesTheDeviceInOneWriteOfItsSetting) {
    const Model& model = Models()[GetParam()];
    SCOPED_TRACE(model.name);
    const int source = SourceOf(GetParam()), target = TargetOf(GetParam());

    // The source device gets a value of its own in every entry it has. One entry at a time,
    // a member of a setting may only be taken once another has its value (a compensation
    // channel needs its component): what fails is tried again after the others.
    std::set<int> changed;
    ASSERT_TRUE(Sim("CLEARLOG"));
    {
        std::unique_ptr<CVaskInstrument> scratch(model.make(s_access, source));
        std::vector<std::pair<CVaskParameter*, VaskFloat>> pending;
        for (CVaskParameter* entry : Transferable(*scratch)) {
            VaskFloat now;
            // An entry the device does not have is left out of the set's comparison.
            if (!Fetch(*entry, source, now) || LeftOut(*entry)) continue;
            pending.push_back(
                {entry, NewValue(*KindOf(entry->GetTransfer()), *entry, now, model.ranges)});
        }
        for (int pass = 0; pass < 2 && !pending.empty(); ++pass) {
            std::vector<std::pair<CVaskParameter*, VaskFloat>> failed;
            for (auto& p : pending) {
                CVaskParameter* entry = p.first;
                if ((s_access->*entry->GetTransfer())(source, entry->GetChannel(),
                                                      entry->GetIndex() + 1, p.second))
                    changed.insert(entry->GetNumber());
                else
                    failed.push_back(p);
            }
            pending.swap(failed);
        }
        for (auto& p : pending)
            ADD_FAILURE() << Text(p.first->GetKey()) << ": " << Show(p.second)
                          << " not taken by the source device";
    }
    ASSERT_GT(changed.size(), 20u);
    // The settings that hold them.
    std::set<std::string> settings;
    for (const vasksim::SimLogEntry& e : Writes(source)) settings.insert(Setting(e));

    // The set, saved from the source device and loaded for comparison.
    RecordFile file;
    {
        std::unique_ptr<CVaskInstrument> saved(model.make(s_access, source));
        file.Store(saved.get());
    }
    host_.compare = 1;
    std::unique_ptr<CVaskInstrument> set = file.Load<CVaskInstrument>();
    host_.compare = 0;
    ASSERT_NE(nullptr, set);

    std::unique_ptr<CVaskInstrument> analyzer(model.make(s_access, target));
    // Every changed entry differs between the set and the target device.
    int differing = 0;
    for (CVaskParameter* entry : Transferable(*analyzer)) {
        if (!changed.count(entry->GetNumber())) continue;
        VaskFloat before;
        ASSERT_TRUE(Fetch(*entry, target, before)) << Text(entry->GetKey());
        const VaskFloat& inSet = set->FindParameterByNumber(entry->GetNumber())->GetCachedValue();
        EXPECT_NE(inSet.value, before.value) << Text(entry->GetKey());
        ++differing;
    }
    ASSERT_EQ(changed.size(), (size_t)differing);

    analyzer->SetCompareInstrument(set.release());
    ASSERT_TRUE(Sim("CLEARLOG"));
    ASSERT_EQ(1, analyzer->TransferOfflineSet(nullptr));

    // The target device holds the set's value of every entry, and the set's entry says so.
    CVaskInstrument* compare = analyzer->GetCompareInstrument();
    for (CVaskParameter* entry : Transferable(*analyzer)) {
        if (!changed.count(entry->GetNumber())) continue;
        SCOPED_TRACE(Text(entry->GetKey()) + " (" + KindOf(entry->GetTransfer())->name + ")");
        CVaskParameter* inSet = compare->FindParameterByNumber(entry->GetNumber());
        VaskFloat held;
        ASSERT_TRUE(Fetch(*entry, target, held));
        EXPECT_EQ(inSet->GetCachedValue().value, held.value) << Shown(held);
        int result = 0;
        CString text;
        inSet->GetTransferResult(result, text);
        EXPECT_EQ(1, result) << Text(text);
    }

    // Each setting went out once: the set's values of all its members in one write, never a
    // write that mixes the set's values with the device's old ones. Every setting the source
    // device's entries changed holds what the source device holds, as the simulator sees it.
    std::map<std::string, int> writes;
    for (const vasksim::SimLogEntry& e : Writes(target)) ++writes[Setting(e)];
    for (const auto& w : writes) EXPECT_EQ(1, w.second) << w.first << " went out more than once";
    for (const std::string& setting : settings) {
        EXPECT_EQ(1u, writes.count(setting)) << setting << " not written";
        const char letter = (char)tolower(setting[0]);
        if (letter != 'w' && letter != 's') continue;
        const std::string read = letter + setting.substr(1, setting.find(' ') - 1);
        const int channel = std::stoi(setting.substr(setting.find('/') + 1));
        EXPECT_EQ(Read(source, channel, read), Read(target, channel, read)) << setting;
    }
    EXPECT_TRUE(host_.reports.empty());
}

INSTANTIATE_TEST_SUITE_P(Models, OfflineSetOnTheBus, ::testing::Range<size_t>(0, Models().size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                             std::string name = Models()[info.param].name;
                             name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
                             return name;
                         });

}  // namespace
