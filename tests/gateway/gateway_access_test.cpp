// The access layer on a gateway line of the simulator: CvaskAccess opened with the network
// type "TCPGATEWAY", a line selected, and requests answered by the simulated devices
// through the gateway network, the gateway client and the server stand-in.  The test's
// thread is the program's: it initialises COM and its own gateway client, as the program
// does for the line operations; the sender thread sets up its own in ThreadInit.
#include <winsock2.h>

#include "serialparam.h"
#include "vaskaccess.h"
#include "VaskGate.h"
#include "vasksim_client.h"
#include "vasksim_gateway.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using vasksim::SimLogEntry;

namespace {

const char kGateway[] = "analyzer-gateway";

class GatewayAccess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        ASSERT_EQ(VG_OK, VGInitialize());
        std::string why;
        ASSERT_TRUE(vasksim::UseSimulatorGateway(&why)) << why;
        ASSERT_TRUE(sim_.Connect(&why)) << why;
        ASSERT_TRUE(sim_.Reset()) << sim_.LastError();
        ASSERT_EQ(1, CvaskAddress::SetMyAddress(13));
    }
    void TearDown() override {
        access_.Done();
        VGUninitialize();
        CoUninitialize();
    }

    void Open(const char* line = "COM1") {
        SerialParam param = {};
        ASSERT_EQ(1, access_.Init("TCPGATEWAY", kGateway, param))
            << (LPCSTR)access_.GetLastError().text;
        ASSERT_EQ(1, access_.SetSelectedLine(line)) << (LPCSTR)access_.GetLastError().text;
        ASSERT_EQ(1, access_.SetMyAddress(13)) << (LPCSTR)access_.GetLastError().text;
    }

    // An entry of the device list, as a bus scan leaves it.
    CDeviceData* List(int address, int components, int ranges) {
        CDeviceData* device = new CDeviceData;
        device->SetAddress(address);
        device->SetComponentCount(components);
        device->SetRangeCount(ranges);
        access_.GetDeviceList()->AddTail(device);
        return device;
    }

    std::vector<SimLogEntry> Log(uint64_t count, const char* line = nullptr) {
        std::vector<SimLogEntry> log;
        if (line) {
            std::vector<std::string> data;
            EXPECT_TRUE(sim_.Command(std::string("LINE ") + line + " WAITLOG " +
                                     std::to_string(count) + " 5000"));
            EXPECT_TRUE(sim_.Command(std::string("LINE ") + line + " LOG", &data));
            for (const std::string& l : data) {
                SimLogEntry e;
                if (vasksim::ParseSimLogLine(l, e)) log.push_back(e);
            }
            return log;
        }
        EXPECT_TRUE(sim_.WaitLog(count, 5000)) << sim_.LastError();
        EXPECT_TRUE(sim_.Log(log)) << sim_.LastError();
        return log;
    }

    vasksim::SimClient sim_;
    CvaskAccess access_;
};

}  // namespace

TEST_F(GatewayAccess, AValueReadComesFromTheSimulatedDeviceBehindTheGateway) {
    // "h" 1 of device 2 answers 21.500 with unit code 5.
    ASSERT_TRUE(sim_.Command("STORE 2 0 h1 32312E3530300005 00"));
    Open();
    EXPECT_EQ(2, access_.GetNetworkStatus());
    EXPECT_EQ("COM1", std::string((LPCSTR)access_.GetSelectedLine()));
    VaskFloat value;
    ASSERT_EQ(1, access_.DiagPhysTemp(2, 0, value)) << (LPCSTR)access_.GetLastError().text;
    EXPECT_DOUBLE_EQ(21.5, value.value);
    EXPECT_EQ("21.500", std::string((LPCSTR)value.text));

    std::vector<SimLogEntry> log = Log(1);
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ('h', log[0].command);
    EXPECT_EQ(1, log[0].function);
    EXPECT_EQ("2/0", log[0].to);
    EXPECT_EQ("13/0", log[0].from);
    EXPECT_NE(std::string::npos, log[0].line.find("via=gateway"));
}

TEST_F(GatewayAccess, TheScanFindsTheDevicesBehindTheGatewayAndTheirValuesAreRead) {
    ASSERT_TRUE(sim_.Command("STORE 2 0 w9 312E35002200322E30002200")) << sim_.LastError();
    Open();
    ASSERT_EQ(1, access_.ScanForDevices(NULL, 0, NULL, 0)) << (LPCSTR)access_.GetLastError().text;
    std::string listed;
    CObList* list = access_.GetDeviceList();
    for (POSITION pos = list->GetHeadPosition(); pos != NULL;) {
        CDeviceInfo* d = (CDeviceInfo*)list->GetNext(pos);
        listed += std::to_string(d->GetAddress()) + ":" + (LPCSTR)d->GetName() + ":" +
                  std::to_string(d->GetComponentCount()) + " ";
    }
    EXPECT_EQ("1:Sindor Kanal 1:2 2:Parvel O2:1 ", listed);

    // Every address of the range was asked, through the gateway.
    std::vector<SimLogEntry> log;
    ASSERT_TRUE(sim_.Log(log));
    std::vector<std::string> asked;
    for (const SimLogEntry& e : log) {
        EXPECT_NE(std::string::npos, e.line.find("via=gateway")) << e.line;
        if (e.command == 'k' && e.function == 6 && (asked.empty() || asked.back() != e.to))
            asked.push_back(e.to);
    }
    EXPECT_EQ(std::vector<std::string>({"1/0", "2/0", "3/0", "4/0", "5/0", "6/0", "7/0", "8/0",
                                        "9/0", "10/0", "11/0", "12/0"}),
              asked);

    // A value of a scanned device, as the simulator holds it.
    VaskFloat low, high;
    ASSERT_EQ(1, access_.GetLimit1(2, 0, low, high)) << (LPCSTR)access_.GetLastError().text;
    EXPECT_DOUBLE_EQ(1.5, low.value);
    EXPECT_DOUBLE_EQ(2.0, high.value);
}

// Analyzers broadcast their measured values twice a second, and a gateway passes every
// broadcast on to its clients. While nothing is asked they must not take up the line's
// receives: the reply to the next request would find none left and be lost.
TEST_F(GatewayAccess, AReplyAfterAQuietSpellFullOfBroadcastsIsTakenAtTheFirstTry) {
    ASSERT_TRUE(sim_.Command("STORE 2 0 h1 32312E3530300005 00"));
    for (int a = 3; a <= 6; ++a) ASSERT_TRUE(sim_.Command("DEVICE " + std::to_string(a)));
    Open();
    List(2, 1, 2);
    VaskFloat value;
    ASSERT_EQ(1, access_.DiagPhysTemp(2, 0, value)) << (LPCSTR)access_.GetLastError().text;

    std::string clock;
    ASSERT_TRUE(sim_.Command("CLOCK", nullptr, &clock));
    const long long quietUntil = std::atoll(clock.c_str()) + 4000;
    for (int a = 1; a <= 6; ++a)
        ASSERT_TRUE(sim_.Command("BROADCAST " + std::to_string(a) + " " + std::to_string(70 * a)));
    // Six devices twice a second: some 48 broadcasts in four seconds of the simulator's
    // clock, more than twice the twenty receives that the network keeps.
    const DWORD deadline = GetTickCount() + 30000;
    while (std::atoll(clock.c_str()) < quietUntil && GetTickCount() < deadline) {
        Sleep(50);
        ASSERT_TRUE(sim_.Command("CLOCK", nullptr, &clock));
    }
    ASSERT_GE(std::atoll(clock.c_str()), quietUntil);

    ASSERT_TRUE(sim_.Command("CLEARLOG"));
    value = VaskFloat();
    ASSERT_EQ(1, access_.DiagPhysTemp(2, 0, value)) << (LPCSTR)access_.GetLastError().text;
    EXPECT_DOUBLE_EQ(21.5, value.value);
    std::vector<SimLogEntry> log;
    ASSERT_TRUE(sim_.Log(log));
    EXPECT_EQ(1u, log.size()) << "answered on the first try";
}

TEST_F(GatewayAccess, TwoDevicesUnderOneAddressAreAConflictBehindTheGatewayToo) {
    // The second answer comes after the scan's request has been answered, while the sender
    // thread that armed the gateway's receives has nothing to send.
    ASSERT_TRUE(sim_.Command("FAULT 2 duplicate always on=k6")) << sim_.LastError();
    Open();
    ASSERT_EQ(1, access_.ScanForDevices(NULL, 0, NULL, 0)) << (LPCSTR)access_.GetLastError().text;
    EXPECT_EQ(1, access_.HasAddressConflict(2));
    EXPECT_EQ(0, access_.HasAddressConflict(1));
}

TEST_F(GatewayAccess, FloatValuesAreReadAndWrittenThroughTheGateway) {
    // Limit 1 of device 2: 1.5 and 2.0 in unit 34 (mbar).
    ASSERT_TRUE(sim_.Command("STORE 2 0 w9 312E35002200322E30002200")) << sim_.LastError();
    Open();
    List(2, 1, 2);
    VaskFloat low, high;
    ASSERT_EQ(1, access_.GetLimit1(2, 0, low, high)) << (LPCSTR)access_.GetLastError().text;
    EXPECT_DOUBLE_EQ(1.5, low.value);
    EXPECT_DOUBLE_EQ(2.0, high.value);
    EXPECT_EQ(34, low.unit);

    low.value = 3.25;
    high.value = 4.5;
    ASSERT_EQ(1, access_.SetLimit1(2, 0, low, high)) << (LPCSTR)access_.GetLastError().text;
    std::string hex;
    ASSERT_TRUE(sim_.Read(2, 0, "w9", hex)) << sim_.LastError();
    EXPECT_EQ(
        "332E3235300022"
        "00"
        "342E3530300022"
        "00",
        hex)
        << "3.250 and 4.500, the unit kept";
}

TEST_F(GatewayAccess, TheOwnAddressIsWrittenToTheLine) {
    Open();
    ASSERT_EQ(1, access_.SetMyAddress(14)) << (LPCSTR)access_.GetLastError().text;
    std::vector<std::string> record;
    ASSERT_TRUE(sim_.Command("RECORD", &record));
    EXPECT_EQ("0E", record.at(0).substr(18, 2));
    VaskFloat value;
    ASSERT_EQ(1, access_.DiagPhysTemp(1, 0, value)) << (LPCSTR)access_.GetLastError().text;
    EXPECT_EQ("14/0", Log(1).at(0).from);
}

TEST_F(GatewayAccess, ARejectionIsReportedAndNotRepeated) {
    ASSERT_TRUE(sim_.Fault("2 reject 1 DE")) << sim_.LastError();
    Open();
    EXPECT_EQ(0, access_.AdjustZeroPoint(2, 0));
    EXPECT_EQ(51, access_.GetLastError().code);
    EXPECT_EQ(('Z' << 8) + 5u, access_.GetLastError().info);
    EXPECT_EQ(1u, Log(1).size());
}

TEST_F(GatewayAccess, ADeviceThatNeverAcknowledgesIsTriedThreeTimes) {
    ASSERT_TRUE(sim_.Fault("2 silent always")) << sim_.LastError();
    Open();
    CDeviceData* device = List(2, 1, 2);
    VaskFloat value;
    value.text = "untouched";
    EXPECT_EQ(0, access_.DiagPhysTemp(2, 0, value));
    EXPECT_EQ(9, access_.GetLastError().code);
    EXPECT_EQ("untouched", std::string((LPCSTR)value.text));
    EXPECT_EQ(4, device->GetFaultCounter())
        << "three unacknowledged transmits and the final time-out";
    // One transmit per try: the gateway itself does not repeat.
    std::vector<SimLogEntry> log = Log(3);
    ASSERT_EQ(3u, log.size());
    for (const SimLogEntry& e : log) EXPECT_EQ("silent", e.action);
}

TEST_F(GatewayAccess, TheGatewaysTimeOutAppliesNotTheCallers) {
    // The reply comes after the caller's 1000 ms but well within the gateway's 2000 ms.
    ASSERT_TRUE(sim_.Fault("2 slow 1 1400")) << sim_.LastError();
    Open();
    VaskFloat value;
    ASSERT_EQ(1, access_.DiagPhysTemp(2, 0, value)) << (LPCSTR)access_.GetLastError().text;
    std::vector<SimLogEntry> log;
    ASSERT_TRUE(sim_.Log(log));
    EXPECT_EQ(1u, log.size()) << "answered on the first try";
}

TEST_F(GatewayAccess, EachLineReachesItsOwnDevices) {
    ASSERT_TRUE(sim_.Command("LINES 2"));
    ASSERT_TRUE(sim_.Command("LINE COM2 DEVICE 6 type=2"));
    ASSERT_TRUE(sim_.Command("LINE COM2 STORE 6 0 h2 372E3235300005 00"));
    Open("COM2");
    VaskFloat value;
    ASSERT_EQ(1, access_.DiagHeadTemp(6, 0, value)) << (LPCSTR)access_.GetLastError().text;
    EXPECT_DOUBLE_EQ(7.25, value.value);
    EXPECT_EQ(1u, Log(1, "COM2").size());
    std::vector<SimLogEntry> com1;
    ASSERT_TRUE(sim_.Log(com1));
    EXPECT_TRUE(com1.empty());
}

TEST_F(GatewayAccess, LineFailures) {
    SerialParam param = {};
    ASSERT_EQ(1, access_.Init("TCPGATEWAY", kGateway, param))
        << (LPCSTR)access_.GetLastError().text;
    EXPECT_EQ(0, access_.SetSelectedLine("COM7"));
    EXPECT_EQ(26, access_.GetLastError().code);
    EXPECT_EQ("", std::string((LPCSTR)access_.GetSelectedLine()));
    EXPECT_EQ("COM1", std::string((LPCSTR)access_.GetLineName()));
    EXPECT_EQ("", std::string((LPCSTR)access_.GetLineName()));
    VaskFloat value;
    EXPECT_EQ(0, access_.DiagPhysTemp(2, 0, value)) << "no line is open";
    EXPECT_EQ(36, access_.GetLastError().code)
        << "every try refused before anything went out, to an unlisted device";
    EXPECT_EQ(0u, Log(0).size());
}

TEST_F(GatewayAccess, AGatewayThatCannotBeReachedLeavesNoNetwork) {
    SetEnvironmentVariableA("VGWCE_ENDPOINT", "127.0.0.1:1");
    SerialParam param = {};
    EXPECT_EQ(0, access_.Init("TCPGATEWAY", "nowhere", param));
    EXPECT_EQ(59, access_.GetLastError().code);
    EXPECT_EQ(1, access_.GetNetworkStatus());
    VaskFloat value;
    EXPECT_EQ(0, access_.DiagPhysTemp(2, 0, value));
    EXPECT_EQ(33, access_.GetLastError().code);
}

TEST_F(GatewayAccess, DoneAndInitAgainOnTheSameGateway) {
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        Open();
        EXPECT_EQ("COM1", std::string((LPCSTR)access_.GetLineName()));  // leaves a probe line open
        VaskFloat value;
        ASSERT_EQ(1, access_.DiagPhysTemp(1, 0, value)) << (LPCSTR)access_.GetLastError().text;
        EXPECT_EQ(1, access_.Done());
    }
    EXPECT_EQ(4u, Log(4).size());
}
