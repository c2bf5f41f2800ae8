// The bus scan and the by-address device queries against a scripted bus: what is listed
// for each kind of device, the progress messages, abort, address conflicts, remote
// control during the scan, and the neutral answers for addresses without a device.
#include "progress_window.h"
#include "access_test_support.h"

#include <map>

using namespace scripted;

namespace {

const UINT kProgress = WM_APP + 21;

// One device on the scripted bus. Counts of -1 make that read fail (rejection "??").
struct FakeDevice {
    int type = 1;
    const char* name = "Kanal";  // null: the name read is rejected
    int ranges = 2;
    int components = 1;
    int relays = 3;
    bool busy = false;   // answers the version request with "BS"
    bool twice = false;  // a second device answers under the same address
};

Bytes UText(const char* text) {
    Bytes b = Float(text);
    b.push_back(1);
    b.push_back(0);
    return b;
}

int DeviceOf(const std::string& address) { return atoi(address.c_str()); }

ScriptedBus::Script Bus(std::map<int, FakeDevice> devices) {
    return [devices](const SentRequest& r, int) {
        ScriptedBus::Reaction reaction;
        auto it = devices.find(DeviceOf(r.address));
        if (it == devices.end()) return reaction;  // nobody there
        const FakeDevice& d = it->second;
        Bytes reply;
        const std::string key = std::string(1, r.command) + std::to_string(r.function);
        char serial[16];
        snprintf(serial, sizeof serial, "SN%d", it->first);
        Bytes reject = Body('?', '?');  // "??"
        if (key == "k6") {
            reply = d.busy ? Body('B', 'S')  // "BS"
                           : Body('k', 6,
                                  Concat({IntByte(d.type), UText(serial), UText("SW 4.2"),
                                          UText("HW"), UText("ORD"), UText("FW"), UText("X")}));
        } else if (key == "k16") {
            reply = d.name != NULL ? Body('k', 16, UText(d.name)) : reject;
        } else if (key == "w1") {
            Bytes values;
            for (int i = 0; i < d.ranges; ++i) values = Concat({values, UFloat("10.000", 5)});
            reply = d.ranges >= 0 ? Body('w', 1, values) : reject;
        } else if (key == "k2") {
            Bytes values;
            for (int i = 0; i < d.components; ++i)
                values = Concat({values, UQFloat("1.000", 5, 2)});
            reply = d.components >= 0 ? Body('k', 2, values) : reject;
        } else if (key == "s4") {
            Bytes codes;
            for (int i = 0; i < d.relays; ++i) codes = Concat({codes, IntByte(i + 2)});
            reply = d.relays >= 0 ? Body('s', 4, codes) : reject;
        } else if (key == "k3") {
            // remote switch on
            reply =
                Body('k', 3, Concat({IntByte(0x82), IntByte(0x80), IntByte(0x80), IntByte(0x80)}));
        } else {
            reply = Body(r.command, r.function);  // switches and the rest are accepted
        }
        reaction.replies.push_back({r.address, reply});
        if (key == "k6" && d.twice) reaction.replies.push_back({r.address, reply});
        return reaction;
    };
}

class BusScanTest : public AccessFixture {
protected:
    void SetUp() override {
        AccessFixture::SetUp();
        // A scan waits out the answer time of every silent address and a second answer of
        // every device on the held clock, one look at the bus per step of it, and each look
        // costs round trips to the wineserver that the parallel tests share: steps of 10 ms
        // instead of 1 keep a scan's looks in the hundreds.
        bus.SetOnReceive([] { testclock::Advance(10); });
        Open(access);
    }

    // Address, type and name of every listed device, in list order.
    std::vector<std::string> Listed() {
        std::vector<std::string> result;
        CObList* list = access.GetDeviceList();
        for (POSITION pos = list->GetHeadPosition(); pos != NULL;) {
            CDeviceInfo* info = (CDeviceInfo*)list->GetNext(pos);
            char text[128];
            snprintf(text, sizeof text, "%d:%d:%s", info->GetAddress(), info->GetType(),
                     (LPCSTR)info->GetName());
            result.push_back(text);
        }
        return result;
    }
    // The devices that got a request, in order, without repeats in a row.
    std::vector<int> Asked() {
        std::vector<int> result;
        for (const SentRequest& r : bus.Sent()) {
            int d = DeviceOf(r.address);
            if (result.empty() || result.back() != d) result.push_back(d);
        }
        return result;
    }

    // What the caller hands through to the progress target.
    struct Context : CObject {};

    ProgressWindow progress{kProgress};
    Context context;
};

TEST_F(BusScanTest, AnEmptyBusListsNothingAndReportsEveryAddress) {
    bus.SetScript(ScriptedBus::Silent());
    EXPECT_EQ(1, access.ScanForDevices(progress.Wnd(), kProgress, &context, 0));
    EXPECT_TRUE(access.GetDeviceList()->IsEmpty());
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), progress.addresses);
    for (LPARAM l : progress.contexts) EXPECT_EQ((LPARAM)&context, l);
    // Only version requests, one address after the other.
    for (const SentRequest& r : bus.Sent()) EXPECT_EQ(Bytes({'k', 6}), r.body);
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), Asked());
}

TEST_F(BusScanTest, ListsEachDeviceWithItsNameAndCounts) {
    std::map<int, FakeDevice> devices;
    devices[2].type = 2;
    devices[2].name = "Parvel O2";
    devices[2].ranges = 2;
    devices[2].components = 1;
    devices[2].relays = 3;
    devices[5].type = 4;
    devices[5].name = "Sindor";
    devices[5].ranges = 4;
    devices[5].components = 3;
    devices[5].relays = 8;
    devices[12].type = 7;
    devices[12].name = NULL;  // no name: the software version stands in
    devices[12].ranges = -1;
    devices[12].components = -1;
    devices[12].relays = -1;
    bus.SetScript(Bus(devices));

    EXPECT_EQ(1, access.ScanForDevices(NULL, 0, NULL, 0)) << (LPCSTR)access.GetLastError().text;
    EXPECT_EQ(std::vector<std::string>({"2:2:Parvel O2", "5:4:Sindor", "12:7:SW 4.2"}), Listed());

    struct Counts {
        int address, ranges, components, relays;
    } expected[] = {{2, 2, 1, 3}, {5, 4, 3, 8}, {12, 1, 1, 1}};
    for (const Counts& c : expected) {
        CDeviceData* d = access.GetDevice(c.address);
        ASSERT_NE(nullptr, d) << c.address;
        EXPECT_EQ(c.ranges, access.GetMeasRangeCount(c.address)) << c.address;
        EXPECT_EQ(c.components, d->GetComponentCount()) << c.address;
        EXPECT_EQ(c.relays, d->GetRelayCount()) << c.address;
        EXPECT_EQ(0, d->HasAddressConflict()) << c.address;
        EXPECT_EQ(1, d->IsRemote()) << "nobody asked for remote control";
    }
    EXPECT_EQ(0, access.HasAddressConflict(5));
    // What a found device is asked, in order.
    std::vector<std::string> of5;
    for (const std::string& r : Requests())
        if (r.find(" 5/") != std::string::npos) of5.push_back(r);
    EXPECT_EQ(std::vector<std::string>({"k6 5/1", "k16 5/1", "w1 5/1", "k2 5/1", "s4 5/1"}), of5);
}

TEST_F(BusScanTest, ABusyDeviceIsListedWithoutTypeAndNotSwitchedToRemote) {
    std::map<int, FakeDevice> devices;
    devices[7].busy = true;
    devices[7].name = "Beschaeftigt";
    bus.SetScript(Bus(devices));
    EXPECT_EQ(1, access.ScanForDevices(NULL, 0, NULL, 1));
    EXPECT_EQ(std::vector<std::string>({"7:0:Beschaeftigt"}), Listed());
    for (const SentRequest& r : bus.Sent()) EXPECT_NE('F', r.command) << "no remote switch";
}

TEST_F(BusScanTest, TwoDevicesUnderOneAddressAreAConflict) {
    std::map<int, FakeDevice> devices;
    devices[3];
    devices[9].twice = true;
    bus.SetScript(Bus(devices));
    EXPECT_EQ(1, access.ScanForDevices(NULL, 0, NULL, 0));
    ASSERT_NE(nullptr, access.GetDevice(9));
    EXPECT_EQ(1, access.GetDevice(9)->HasAddressConflict());
    EXPECT_EQ(1, access.HasAddressConflict(9));
    EXPECT_EQ(0, access.GetDevice(3)->HasAddressConflict());
    EXPECT_EQ(0, access.HasAddressConflict(3));
}

TEST_F(BusScanTest, AbortFromTheProgressHandlerKeepsWhatWasFound) {
    std::map<int, FakeDevice> devices;
    devices[2];
    devices[4];
    devices[5];
    devices[12];
    bus.SetScript(Bus(devices));
    progress.onAddress = [this](int address) {
        if (address == 5) access.AbortScan();
    };
    EXPECT_EQ(0, access.ScanForDevices(progress.Wnd(), kProgress, &context, 0));
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4, 5}), progress.addresses);
    EXPECT_EQ(std::vector<std::string>({"2:1:Kanal", "4:1:Kanal"}), Listed());
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4}), Asked()) << "nothing after the abort";

    // The next scan runs in full again.
    progress.onAddress = nullptr;
    EXPECT_EQ(1, access.ScanForDevices(NULL, 0, NULL, 0));
    EXPECT_EQ(4u, Listed().size());
}

TEST_F(BusScanTest, WithRemoteOnlyTheLastDeviceStaysInRemoteControl) {
    std::map<int, FakeDevice> devices;
    devices[2];
    devices[6];
    bus.SetScript(Bus(devices));
    EXPECT_EQ(1, access.ScanForDevices(NULL, 0, NULL, 1));
    std::vector<std::string> switches;
    for (const SentRequest& r : bus.Sent())
        if (r.command == 'F') switches.push_back(r.address + (r.body[2] == '1' ? " on" : " off"));
    // Switching device 6 on first switches device 2 off, on channel 1.
    EXPECT_EQ(std::vector<std::string>({"2/1 on", "2/2 off", "6/1 on"}), switches);
    EXPECT_EQ(0, access.GetDevice(2)->IsRemote());
    EXPECT_EQ(1, access.GetDevice(6)->IsRemote());
}

TEST_F(BusScanTest, ANewScanStartsFromAnEmptyList) {
    std::map<int, FakeDevice> devices;
    devices[3];
    bus.SetScript(Bus(devices));
    ASSERT_EQ(1, access.ScanForDevices(NULL, 0, NULL, 0));
    devices.clear();
    devices[8];
    bus.SetScript(Bus(devices));
    ASSERT_EQ(1, access.ScanForDevices(NULL, 0, NULL, 0));
    EXPECT_EQ(std::vector<std::string>({"8:1:Kanal"}), Listed());
}

TEST_F(BusScanTest, DeviceCountIncludesBusyDevicesAndLeavesTheListAlone) {
    std::map<int, FakeDevice> devices;
    devices[1];
    devices[4].busy = true;
    devices[11];
    bus.SetScript(Bus(devices));
    EXPECT_EQ(3, access.GetDeviceCount());
    EXPECT_TRUE(access.GetDeviceList()->IsEmpty());
    for (const SentRequest& r : bus.Sent()) EXPECT_EQ(Bytes({'k', 6}), r.body);
}

TEST_F(BusScanTest, QueriesOfListedDevicesRefreshTheirEntry) {
    std::map<int, FakeDevice> devices;
    devices[4];
    bus.SetScript(Bus(devices));
    ASSERT_EQ(1, access.ScanForDevices(NULL, 0, NULL, 0));
    CDeviceData* device = access.GetDevice(4);
    ASSERT_NE(nullptr, device);
    device->SetRemote(0);
    bus.ClearSent();
    // The switch read finds the remote switch on.
    EXPECT_EQ(1, access.IsRemote(4));
    EXPECT_EQ(std::vector<std::string>({"k3 4/1"}), Requests());

    device->SetStatus(0x11, 6);
    bus.ClearSent();
    EXPECT_EQ(6, access.GetChannelState(4)) << "a status of now needs no refresh";
    EXPECT_EQ(0x11, access.GetChannelStatusFlags(4));
    EXPECT_TRUE(Requests().empty());

    EXPECT_EQ(1, access.IsAlive(4));
    device->SetFaultCounter(5);
    EXPECT_EQ(0, access.IsAlive(4));
}

TEST_F(BusScanTest, AStatusNeverStoredIsRefreshedAndAFailedRefreshIsNoState) {
    AddDevice(access, 4);
    AddDevice(access, 8);
    // Device 4 answers with flags 0x21 and state 3; device 8 is silent.
    bus.SetScript([](const SentRequest& r, int) {
        ScriptedBus::Reaction reaction;
        if (DeviceOf(r.address) == 4)
            reaction.replies.push_back(
                {r.address,
                 Body('k', 4, Concat({IntByte(0x80), IntByte(0x80), IntByte(0x80)}), 0x21, 3)});
        return reaction;
    });
    EXPECT_EQ(3, access.GetChannelState(4));
    EXPECT_EQ(std::vector<std::string>({"k4 4/1"}), Requests());
    EXPECT_EQ(0x21, access.GetChannelStatusFlags(4));

    bus.ClearSent();
    EXPECT_EQ(-1, access.GetChannelState(8));
    EXPECT_EQ(-1, access.GetChannelStatusFlags(8));
    VaskFloat v;
    EXPECT_EQ(1, access.GetWarmupDeviceState(8, 0, 0, v));
    EXPECT_STREQ("-1", (LPCSTR)v.text);
    EXPECT_EQ(0, access.FetchStateLimit(8, 0, 0, v));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_FALSE(Requests().empty());
    for (const std::string& r : Requests()) EXPECT_EQ("k4 8/1", r);
}

TEST_F(BusScanTest, AddressesWithoutADeviceGetTheNeutralAnswers) {
    bus.SetScript(ScriptedBus::Silent());
    EXPECT_EQ(0, access.IsRemote(6));
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(1, access.IsAlive(6));
    EXPECT_EQ(-1, access.GetChannelState(6));
    EXPECT_EQ(-1, access.GetChannelStatusFlags(6));
    EXPECT_TRUE(bus.Sent().empty());
}

TEST(BusScanClosed, NeedsAnInitialisedAccessObject) {
    CvaskAccess access;
    ProgressWindow progress{kProgress};
    EXPECT_EQ(0, access.ScanForDevices(progress.Wnd(), kProgress, NULL, 0));
    EXPECT_EQ(33, access.GetLastError().code);
    EXPECT_TRUE(progress.addresses.empty());
    EXPECT_EQ(0, access.GetDeviceCount());
    EXPECT_EQ(33, access.GetLastError().code);
}

}  // namespace
