// The bus scan end to end: CvaskAccess on COM1 against the analyzer simulator, which plays
// devices at addresses 2, 5 and 12, a busy device that rejects the version request at 7
// and two devices under address 9.
#include "progress_window.h"
#include "vaskaccess.h"
#include "serialparam.h"
#include "vasksim_client.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using vasksim::SimClient;
using vasksim::SimLogEntry;

const UINT kProgress = WM_APP + 23;

class BusScanOnTheBus : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim_.Connect()) << sim_.LastError();
        ASSERT_TRUE(sim_.Reset()) << sim_.LastError();
        for (const char* command :
             {"REMOVE 1", "REMOVE 2", "DEVICE 2 type=2 components=1 ranges=2",
              "SET 2 name Parvel O2", "DEVICE 5 type=4 components=2 ranges=4",
              "SET 5 name Sindor 23 Kanal", "STORE 5 0 s4 0B000C000D000E000F00",
              "DEVICE 12 type=7 components=3 ranges=3", "SET 12 name Lorvix", "DEVICE 7 type=1",
              "FAULT 7 reject always BS on=k6", "DEVICE 9 type=8",
              "FAULT 9 duplicate always on=k6"})
            ASSERT_TRUE(Sim(command)) << command;
        SerialParam param = {2, 0, 0, 1, 0};
        ASSERT_EQ(1, access_.Init("VASK", "COM1", param)) << (LPCSTR)access_.GetLastError().text;
    }
    void TearDown() override {
        access_.Done();
        // The next program on the bus finds the default devices again.
        sim_.Reset();
    }

    bool Sim(const std::string& command) {
        std::string message;
        bool ok = sim_.Command(command, nullptr, &message);
        if (!ok) ADD_FAILURE() << command << ": " << message;
        return ok;
    }
    std::vector<SimLogEntry> Log() {
        std::vector<SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries)) << sim_.LastError();
        return entries;
    }
    std::string Listed() {
        std::string s;
        CObList* list = access_.GetDeviceList();
        for (POSITION pos = list->GetHeadPosition(); pos != NULL;) {
            CDeviceInfo* d = (CDeviceInfo*)list->GetNext(pos);
            char text[160];
            snprintf(text, sizeof text, "%s%d:%d:%s:%d%s", s.empty() ? "" : " ", d->GetAddress(),
                     d->GetType(), (LPCSTR)d->GetName(), d->GetComponentCount(),
                     d->HasAddressConflict() ? ":conflict" : "");
            s += text;
        }
        return s;
    }

    struct Context : CObject {};

    SimClient sim_;
    CvaskAccess access_;
    ProgressWindow progress_{kProgress};
    Context context_;
};

TEST_F(BusScanOnTheBus, FindsEveryDeviceWithItsNameAndCounts) {
    ASSERT_EQ(1, access_.ScanForDevices(progress_.Wnd(), kProgress, &context_, 0))
        << (LPCSTR)access_.GetLastError().text;
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), progress_.addresses);
    for (LPARAM l : progress_.contexts) EXPECT_EQ((LPARAM)&context_, l);

    // The busy device is listed without a type, under its channel name; the two devices
    // under address 9 are one entry marked as a conflict.
    EXPECT_EQ(
        "2:2:Parvel O2:1 5:4:Sindor 23 Kanal:2 7:0:Analyzer 7:1 9:8:Analyzer 9:1:conflict "
        "12:7:Lorvix:3",
        Listed());
    EXPECT_EQ(1, access_.HasAddressConflict(9));
    EXPECT_EQ(0, access_.HasAddressConflict(5));

    struct {
        int address, ranges, relays;
    } counts[] = {{2, 2, 3}, {5, 4, 5}, {12, 3, 3}};
    for (const auto& c : counts) {
        ASSERT_NE(nullptr, access_.GetDevice(c.address));
        EXPECT_EQ(c.ranges, access_.GetMeasRangeCount(c.address)) << c.address;
        EXPECT_EQ(c.relays, access_.GetDevice(c.address)->GetRelayCount()) << c.address;
    }

    // Every address was asked for its version; nothing was switched to remote control.
    std::vector<std::string> asked;
    for (const SimLogEntry& e : Log()) {
        if (e.command == 'k' && e.function == 6 && (asked.empty() || asked.back() != e.to))
            asked.push_back(e.to);
        EXPECT_NE('F', e.command);
    }
    EXPECT_EQ(std::vector<std::string>({"1/0", "2/0", "3/0", "4/0", "5/0", "6/0", "7/0", "8/0",
                                        "9/0", "10/0", "11/0", "12/0"}),
              asked);

    // The device queries answer from the list.
    EXPECT_EQ(1, access_.IsAlive(5));
    EXPECT_EQ(1, access_.IsAlive(3)) << "no device, no faults";
    EXPECT_EQ(-1, access_.GetChannelState(3));
    EXPECT_EQ(0, access_.IsRemote(3));
    EXPECT_EQ(36, access_.GetLastError().code);
}

TEST_F(BusScanOnTheBus, StopsWhenTheProgressHandlerAborts) {
    progress_.onAddress = [this](int address) {
        if (address == 5) access_.AbortScan();
    };
    EXPECT_EQ(0, access_.ScanForDevices(progress_.Wnd(), kProgress, &context_, 0));
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4, 5}), progress_.addresses);
    EXPECT_EQ("2:2:Parvel O2:1", Listed());
    for (const SimLogEntry& e : Log()) {
        int device = atoi(e.to.c_str());
        EXPECT_LT(device, 5) << e.line;
    }
}

TEST_F(BusScanOnTheBus, WithRemoteTheDevicesAreSwitchedInTurn) {
    ASSERT_TRUE(Sim("REMOVE 7"));
    ASSERT_TRUE(Sim("REMOVE 9"));
    ASSERT_TRUE(Sim("REMOVE 12"));
    // Device 2 is left on its channel 1, which it must have.
    ASSERT_TRUE(Sim("SET 2 components 2"));
    ASSERT_EQ(1, access_.ScanForDevices(NULL, 0, NULL, 1));
    std::vector<std::string> switches;
    for (const SimLogEntry& e : Log())
        if (e.command == 'F' && e.function == 1) switches.push_back(e.to + " " + e.values);
    // Device 5 goes into remote control after device 2 has left it (on channel 1); the
    // switch value travels as the character "1" or "0".
    EXPECT_EQ(std::vector<std::string>({"2/0 49", "2/1 48", "5/0 49"}), switches);
    EXPECT_EQ(0, access_.GetDevice(2)->IsRemote());
    EXPECT_EQ(1, access_.GetDevice(5)->IsRemote());
}

TEST_F(BusScanOnTheBus, DeviceCountSeesTheBusyDeviceToo) {
    EXPECT_EQ(5, access_.GetDeviceCount());
    EXPECT_TRUE(access_.GetDeviceList()->IsEmpty());
}

}  // namespace
