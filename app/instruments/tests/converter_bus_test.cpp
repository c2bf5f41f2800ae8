// The converter on COM1 against the analyzer simulator: the start of the communication,
// the bus scan and the analyzers of the devices found, a failing start and offline work.
#include "converter.h"
#include "main_window.h"
#include "node_helpers.h"
#include "port.h"
#include "recording_host.h"
#include "vasksim_client.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using vasksim::SimClient;
using vasksim::SimLogEntry;

namespace {

// The program's application object, whose main window the nodes report to.
CWinApp theApp("KorvanGA converter bus test");

class ConverterOnTheBus : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim_.Connect(&error)) << error;
        ASSERT_TRUE(sim_.Reset()) << sim_.LastError();
    }
    void TearDown() override { sim_.Reset(); }

    bool Sim(const std::string& command) {
        std::string message;
        const bool ok = sim_.Command(command, nullptr, &message);
        if (!ok) ADD_FAILURE() << command << ": " << message;
        return ok;
    }
    std::vector<SimLogEntry> Log() {
        std::vector<SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries)) << sim_.LastError();
        return entries;
    }

    SimClient sim_;
    RecordingHost host_{1};
    MainWindow main_;
};

TEST_F(ConverterOnTheBus, OnlineItOpensThePortScansAndHandsEachDeviceToTheFactory) {
    // Besides the default devices 1 (channel type 1) and 2 (type 2): a Quenta 6, a Lorvix 6
    // and a Parvel 64, and a busy device whose type stays unknown.
    for (const char* command :
         {"DEVICE 3 type=3 components=2", "SET 3 name Quenta", "DEVICE 7 type=7",
          "SET 7 name Lorvix", "DEVICE 8 type=8", "SET 8 name Parvel 64", "DEVICE 11 type=1",
          "FAULT 11 reject always BS on=k6"})
        ASSERT_TRUE(Sim(command)) << command;

    std::vector<std::unique_ptr<CVaskInstrument>> made;
    host_.make = [&](const RecordingHost::Request& r) -> CVaskInstrument* {
        if (r.type == 0) return nullptr;  // no analyzer class for an unknown model
        made.emplace_back(RecordingHost::Analyzer(r));
        return made.back().get();
    };

    CPort port("COM1:");
    CConverter converter("Line A", 2);  // the serial settings of the bus tests
    ASSERT_EQ(1, converter.IsOnline());
    converter.SetPort(&port);
    ASSERT_EQ(1, converter.InitTheCommunication())
        << (LPCSTR)converter.GetAccess()->GetLastError().text;
    EXPECT_EQ(2, converter.GetAccess()->GetNetworkStatus());

    // The scan walked every address, naming the converter to the main window.
    ASSERT_EQ(12u, main_.progress.size());
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(i + 1, main_.progress[i].first);
        EXPECT_EQ(&converter, main_.progress[i].second);
    }
    // The PC spoke as address 14.
    const std::vector<SimLogEntry> log = Log();
    ASSERT_FALSE(log.empty());
    for (const SimLogEntry& e : log) EXPECT_EQ("14/0", e.from) << e.line;

    CInstrument* first = converter.EnumerateTheVaskInstruments();
    struct Expected {
        int address, type;
        const char* name;
    } expected[] = {{1, 1, "Sindor Kanal 1"}, {2, 2, "Parvel O2"}, {3, 5, "Quenta"},
                    {7, 3, "Lorvix"},         {8, 7, "Parvel 64"}, {11, 0, ""}};
    ASSERT_EQ(6u, host_.requests.size());
    for (size_t i = 0; i < 6; ++i) {
        const RecordingHost::Request& r = host_.requests[i];
        EXPECT_EQ(expected[i].address, r.address) << i;
        EXPECT_EQ(expected[i].type, r.type) << "address " << r.address;
        if (*expected[i].name) {
            EXPECT_EQ(expected[i].name, r.name) << r.address;
        }
        EXPECT_EQ(converter.GetAccess(), r.access);
    }
    EXPECT_EQ(2, host_.requests[0].components);
    EXPECT_EQ(2, host_.requests[2].components);
    ASSERT_EQ(5u, made.size());
    EXPECT_EQ(made[0].get(), first);
    EXPECT_EQ(5, (int)converter.GetInstrumentList()->GetCount());
    EXPECT_EQ(5, converter.GetChildCount());
    // Each analyzer hangs below the converter and is shown under its name.
    for (auto& analyzer : made) {
        EXPECT_EQ(&converter, analyzer->GetParent());
        EXPECT_EQ(Text(converter.GetDisplayName()) + ": " + Text(analyzer->GetName()),
                  Text(analyzer->GetDisplayName()));
    }
    EXPECT_EQ("COM1: Line A: Sindor Kanal 1", Text(made[0]->GetDisplayName()));

    // Going offline ends the connection.
    converter.SetOnline(0);
    EXPECT_EQ(1, converter.GetAccess()->GetNetworkStatus());
}

TEST_F(ConverterOnTheBus, AFailedStartStillScansAndTheScanReportsItsOwnFailure) {
    CPort port("COM99:");  // no such port
    CConverter converter("Line A", 2);
    converter.SetPort(&port);
    CDeviceData* stale = new CDeviceData;
    stale->SetAddress(4);
    converter.GetAccess()->GetDeviceList()->AddTail(stale);

    EXPECT_EQ(0, converter.InitTheCommunication());
    EXPECT_EQ(1, converter.GetAccess()->GetNetworkStatus());
    // The scan ran: it dropped the old list and failed for want of a network.
    EXPECT_TRUE(converter.GetAccess()->GetDeviceList()->IsEmpty());
    EXPECT_EQ(33, converter.GetAccess()->GetLastError().code);
    EXPECT_EQ(nullptr, converter.EnumerateTheVaskInstruments());
    EXPECT_TRUE(host_.requests.empty());
}

TEST_F(ConverterOnTheBus, OfflineWithAPortItStartsWithoutTheBus) {
    host_.SetMode(0);
    CPort port("COM1:");
    CConverter converter("Line A", 2);
    converter.SetPort(&port);
    EXPECT_EQ(0, converter.IsOnline());
    EXPECT_EQ(1, converter.InitTheCommunication());
    CConverter noPort("Line B", 2);
    EXPECT_EQ(0, noPort.InitTheCommunication());
    EXPECT_EQ(1, converter.GetAccess()->GetNetworkStatus());
    EXPECT_TRUE(main_.progress.empty());
    EXPECT_TRUE(Log().empty()) << "no telegram";
}

}  // namespace
