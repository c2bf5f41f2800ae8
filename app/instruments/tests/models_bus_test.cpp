// The Parvel models and the document record against the simulator on COM1: a Parvel 6
// stored online (its header flags and values asked from the device) and loaded back, the
// Parvel 64's pump from the device's order number, the channel of its requests and faults,
// and a diagnostic read that the device answers.
#include "analyzer_bus_fixture.h"
#include "entry_values.h"
#include "parvel.h"
#include "record_bytes.h"
#include "recording_grids.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

CWinApp theApp("KorvanGA models bus test");

const char kMaker[] = "KorvanGA models bus test";

// The access object keeps a device's version record (with the order number) from the scan
// on, so each order number has a device of its own.
enum Device {
    kParvel6 = 1,     // a Parvel 6 with an extension card, its identity set by the suite
    kPump = 2,        // Parvel 64s whose order numbers say: a pump,
    kNoPump = 3,      // no pump,
    kShortOrder = 4,  // nothing (too short)
    kNoDevice = 11,   // no device answers here
};

// A Parvel 64 that can be moved to another device, to ask another order number.
class MovableParvel64 : public CParvel64 {
public:
    using CParvel64::CParvel64;
    void MoveTo(int address) { m_address = address; }
};

// The entries whose values a normal load leaves to the analyzer: the device's identity,
// channel name, frequency and board versions.
const std::set<int> kDeviceOwn = {1, 2, 3, 4, 274, 372, 576, 577, 578, 579, 580, 581};

class ModelsOnTheBus : public AnalyzerBusFixture {
protected:
    static void SetUpTestSuite() {
        OpenLine({"DEVICE 1 type=2 components=1", "SET 1 serial PV6-SER-9",
                  "SET 1 order 4QX10-P6-ORDER", "SET 1 hardware HW-P6-3", "SET 1 firmware FW-6.02",
                  "SET 1 name Stack O2 left", "SET 1 optioncard 2", "DEVICE 2 type=8 components=1",
                  "SET 2 order   4qx10xxxxcyy  ", "DEVICE 3 type=8 components=1",
                  "SET 3 order 4qx10xxxxdyy", "DEVICE 4 type=8 components=1", "SET 4 order 4QX10"},
                 kShortOrder);
    }

    TestProfile profile_{kMaker};
    RecordingGrids grids_;
};

TEST_F(ModelsOnTheBus, AParvel6StoredOnlineLoadsItsValuesAndTheDevicesOwnOnlyToCompare) {
    // Heating on, an extension card: the analyzer, made without either, asks the device.
    ASSERT_EQ(1, s_access->SetHeating(kParvel6, 0, 1, 150));
    CParvel6 online("Parvel online", s_access, kParvel6, 1, 0, 0);
    RecordFile file;
    file.Store(&online);

    const StoredAnalyzer stored = ReadStoredAnalyzer(file.Bytes());
    EXPECT_EQ("CParvel6", stored.className);
    EXPECT_EQ(6u, stored.version);
    EXPECT_EQ(2u, stored.typeCode);
    EXPECT_EQ(1u, stored.components);
    EXPECT_EQ("Parvel online", stored.name);
    EXPECT_EQ(1u, stored.extensionCard);
    EXPECT_EQ(1u, stored.heating);
    EXPECT_EQ((DWORD)online.CountOfflineParameters(), stored.count);
    ASSERT_FALSE(stored.entries.empty());
    EXPECT_TRUE(stored.complete) << "no Quenta field, every record whole";
    EXPECT_EQ("Diagnostic/Factory settings\\Hardware Fact.-no.", stored.entries[0].key);
    EXPECT_EQ(1u, stored.entries[0].number);
    EXPECT_EQ(2u, stored.entries[0].marker);
    EXPECT_EQ("PV6-SER-9", stored.entries[0].text);
    EXPECT_EQ("PV6-SER-9 0.000000 1 1", Cached(online, 1));
    EXPECT_EQ("Stack O2 left", Text(online.FindParameterByNumber(372)->GetCachedValue().text));

    std::unique_ptr<CVaskInstrument> normal = file.Load<CVaskInstrument>();
    ASSERT_NE(nullptr, normal);
    EXPECT_STREQ("CParvel6", normal->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(nullptr, normal->GetAccess());
    ASSERT_EQ(OfflineNumbers(online), OfflineNumbers(*normal));
    for (int number : OfflineNumbers(online)) {
        SCOPED_TRACE(number);
        if (kDeviceOwn.count(number))
            EXPECT_EQ("0 0.000000 1 1", Cached(*normal, number)) << "the loader's own";
        else
            EXPECT_EQ(Cached(online, number), Cached(*normal, number));
    }

    host_.compare = 1;
    std::unique_ptr<CVaskInstrument> compare = file.Load<CVaskInstrument>();
    host_.compare = 0;
    ASSERT_NE(nullptr, compare);
    ASSERT_EQ(OfflineNumbers(online), OfflineNumbers(*compare));
    for (int number : OfflineNumbers(online))
        EXPECT_EQ(Cached(online, number), Cached(*compare, number)) << number;
    EXPECT_EQ("PV6-SER-9", Text(compare->FindParameterByNumber(1)->GetCachedValue().text));
    EXPECT_EQ("4QX10-P6-ORDER", Text(compare->FindParameterByNumber(2)->GetCachedValue().text));
}

// "4QX10" with "C" as its tenth character (either case, blanks after it) is a pump; another
// letter is none; a number of ten characters or fewer leaves the answer as it was.
TEST_F(ModelsOnTheBus, TheParvel64TakesItsPumpFromTheDevicesOrderNumber) {
    struct Case {
        int address;
        int pump;
    } cases[] = {{kPump, 1}, {kNoPump, 0}, {kShortOrder, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        MovableParvel64 p64("P64", s_access, c.address, 1, 0, 0);
        EXPECT_EQ(c.pump, p64.HasPump());
        EXPECT_EQ((size_t)c.pump, p64.GetParameterGroup(28)->GetParameterList().GetCount());
        EXPECT_EQ(std::vector<std::string>{}, OtherPages(p64, 32, 3, c.pump ? 5 : 4));
        EXPECT_EQ(std::vector<std::string>{}, OtherPages(p64, 27, 3, 3));

        p64.MoveTo(kShortOrder);
        p64.RegisterBusSettings();
        EXPECT_EQ(c.pump, p64.HasPump());
        EXPECT_EQ(std::vector<std::string>{}, OtherPages(p64, 32, 3, c.pump ? 5 : 4));
    }
}

// Where the device gives no order number, the order-number entry's last value counts.
TEST_F(ModelsOnTheBus, AFailedOrderNumberReadUsesTheStoredEntry) {
    MovableParvel64 p64("P64", s_access, kPump, 1, 0, 0);
    ASSERT_EQ(1, p64.HasPump());
    VaskFloat order;
    ASSERT_EQ(1, p64.FindParameterByNumber(2)->GetValue(order));
    p64.MoveTo(kNoPump);
    p64.RegisterPump();
    EXPECT_EQ(0, p64.HasPump()) << "the other device's number counts";
    p64.MoveTo(kNoDevice);
    p64.RegisterPump();
    EXPECT_EQ(1, p64.HasPump()) << "the entry still holds the first device's number";
    EXPECT_TRUE(host_.reports.empty());
}

TEST_F(ModelsOnTheBus, TheParvel64AsksRequestsAndFaultsOnTheChannelOfItsComponentCount) {
    CParvel64 p64("P64", s_access, kNoPump, 1, 0, 0);
    CVaskInstrument base("Base", 0, s_access, kNoPump, 1, 4, 4, 0);
    ASSERT_TRUE(Sim("CLEARLOG"));
    int list[64], count = 0;
    p64.GetMaintenanceRequests(list, count);
    p64.GetFaults(list, count);
    base.GetMaintenanceRequests(list, count);
    EXPECT_EQ((std::vector<std::string>{"k12 3/1", "k5 3/1", "k12 3/0"}), Telegrams());
}

TEST_F(ModelsOnTheBus, ADiagnosticReadTakesTheDevicesValue) {
    CParvel6 p6("P6", s_access, kParvel6, 1, 0, 0);
    VaskFloat value;
    EXPECT_NE(0, p6.DiagHeadTemp(value));
    EXPECT_NE("Unknown", Text(value.text));
    EXPECT_GT(value.value, 20.0);

    // Rejected: the no-value mark, and the model reports nothing where the base does.
    CParvel64 p64("P64", s_access, kNoPump, 1, 0, 0);
    CVaskInstrument base("Base", 0, s_access, kNoPump, 1, 4, 4, 0);
    ASSERT_TRUE(Sim("FAULT 3 reject 2 ?? on=h5"));
    EXPECT_EQ(0, p64.DiagDisplayTemp(value));
    EXPECT_EQ("Unknown", Text(value.text));
    EXPECT_TRUE(host_.reports.empty());
    EXPECT_EQ(0, base.DiagDisplayTemp(value));
    EXPECT_EQ(1u, host_.reports.size());
}

}  // namespace
