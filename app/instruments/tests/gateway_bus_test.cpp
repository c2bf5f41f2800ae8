// The gateway and its lines behind the gateway server stand-in, which carries the lines to
// the analyzer simulator's gateway side.
#include <winsock2.h>

#include "gateway.h"
#include "main_window.h"
#include "node_helpers.h"
#include "recording_host.h"
#include "VaskGate.h"
#include "vasksim_client.h"
#include "vasksim_gateway.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The program's application object, whose main window the nodes report to.
CWinApp theApp("KorvanGA gateway bus test");

// The thread is the program's: it runs COM and its own gateway client.
class GatewayNodes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        ASSERT_EQ(VG_OK, VGInitialize());
        std::string why;
        ASSERT_TRUE(vasksim::UseSimulatorGateway(&why)) << why;
        ASSERT_TRUE(sim_.Connect(&why)) << why;
        ASSERT_TRUE(sim_.Reset()) << sim_.LastError();
        // COM1 with a Lorvix 6 (channel type 7) at address 4 and a Parvel 6 (type 2) at 2;
        // a second line COM2 with a device of its own.
        for (const char* command : {"REMOVE 1", "DEVICE 4 type=7", "SET 4 name Lorvix Kanal",
                                    "LINES 2", "LINE COM2 DEVICE 6 type=3"})
            ASSERT_TRUE(sim_.Command(command)) << command;
        host_.make = [this](const RecordingHost::Request& r) -> CVaskInstrument* {
            made_.emplace_back(RecordingHost::Analyzer(r));
            return made_.back().get();
        };
    }
    void TearDown() override {
        sim_.Reset();
        VGUninitialize();
        CoUninitialize();
    }

    // The lines belong to the document, which deletes them after the gateway.
    struct Owned {
        ~Owned() {
            for (CGatewayPort* line : lines) delete line;
        }
        std::vector<CGatewayPort*> lines;
    };

    vasksim::SimClient sim_;
    RecordingHost host_{1};
    MainWindow main_;
    std::vector<std::unique_ptr<CVaskInstrument>> made_;
};

TEST_F(GatewayNodes, TheLinesOfTheGatewayAreFoundStartedAndScanned) {
    Owned owned;
    CGateway gateway("127.0.0.1", "");
    EXPECT_EQ("127.0.0.1", Text(gateway.GetName()));
    EXPECT_EQ("127.0.0.1", Text(gateway.GetHostAddress()));
    EXPECT_EQ(2, gateway.GetImageIndex());
    EXPECT_EQ(1, gateway.IsOnline());

    host_.trace.clear();
    ASSERT_EQ(1, gateway.InitThePorts());
    EXPECT_EQ(
        (std::vector<std::string>{
            "Start 0 CGateway::InitThePorts",
            "Line 0 CGateway::InitThePorts: Try to ping to 127.0.0.1",
            "Line 0 CGateway::InitThePorts: Ping succeeded", "Start 0 CGatewayPort::CGatewayPort",
            "End 0 CGatewayPort::CGatewayPort", "Start 0 CGateway::SetOnline",
            "Start 0 CGatewayPort::SetOnline", "End 0 CGatewayPort::SetOnline",
            "End 0 CGateway::SetOnline", "End 0 CGateway::InitThePorts"}),
        host_.trace);
    // The gateway client's line probe names COM1 only: the second line stays unseen.
    owned.lines = Lines(gateway);
    ASSERT_EQ(1u, owned.lines.size());
    CGatewayPort* line = owned.lines[0];
    EXPECT_EQ("127.0.0.1:COM1", Text(line->GetDisplayName()));
    EXPECT_EQ("COM1", Text(line->GetName()));
    EXPECT_EQ(&gateway, line->GetParent());
    EXPECT_EQ(&gateway, line->GetGateway());
    EXPECT_EQ(1, line->IsOnline());
    EXPECT_EQ(1, line->GetImageIndex());
    EXPECT_EQ(0, line->GetChanged());
    EXPECT_EQ(1, gateway.GetChildCount());

    host_.trace.clear();
    ASSERT_EQ(1, gateway.InitTheCommunication());
    EXPECT_EQ(
        (std::vector<std::string>{
            "Start 0 CGateway::InitTheCommunication", "Start 0 CGatewayPort::InitTheCommunication",
            "Line 0 CGatewayPort::InitTheCommunication: VaskAccess initialization "
            "succeeded",
            "End 0 CGatewayPort::InitTheCommunication", "End 0 CGateway::InitTheCommunication"}),
        host_.trace);
    EXPECT_EQ(2, line->GetAccess()->GetNetworkStatus());
    EXPECT_EQ("COM1", Text(line->GetAccess()->GetSelectedLine()));
    // The line was scanned at every address, named in the progress, by the PC at 14.
    ASSERT_EQ(12u, main_.progress.size());
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(i + 1, main_.progress[i].first) << i;
        EXPECT_EQ(line, main_.progress[i].second) << i;
    }
    std::vector<vasksim::SimLogEntry> log;
    ASSERT_TRUE(sim_.Log(log));
    ASSERT_FALSE(log.empty());
    for (const vasksim::SimLogEntry& e : log) {
        EXPECT_EQ("14/0", e.from) << e.line;
        EXPECT_NE(std::string::npos, e.line.find("via=gateway")) << e.line;
    }

    // The devices as models, on the line's access object, below the gateway.
    CInstrument* first = gateway.EnumerateTheVaskInstruments();
    ASSERT_EQ(2u, host_.requests.size());
    EXPECT_EQ(2, host_.requests[0].address);
    EXPECT_EQ(2, host_.requests[0].type);
    EXPECT_EQ("Parvel O2", host_.requests[0].name);
    EXPECT_EQ(4, host_.requests[1].address);
    EXPECT_EQ(3, host_.requests[1].type) << "channel type 7 is the Lorvix 6";
    EXPECT_EQ("Lorvix Kanal", host_.requests[1].name);
    for (const RecordingHost::Request& r : host_.requests) EXPECT_EQ(line->GetAccess(), r.access);
    ASSERT_EQ(2u, made_.size());
    EXPECT_EQ(made_[0].get(), first);
    for (auto& analyzer : made_) {
        EXPECT_EQ(&gateway, analyzer->GetParent()) << "the gateway, not its line";
        EXPECT_EQ("127.0.0.1: " + Text(analyzer->GetName()), Text(analyzer->GetDisplayName()));
    }
    EXPECT_EQ(3, gateway.GetChildCount()) << "the line and the two analyzers";
    EXPECT_EQ(0, line->GetChildCount());
    CObList* collected = gateway.CollectInstrumentLists();
    ASSERT_EQ(2, (int)collected->GetCount());
    EXPECT_EQ(made_[0].get(), collected->GetHead());
    EXPECT_EQ(made_[1].get(), collected->GetTail());

    // Enumerated again, the analyzers are not kept twice below the gateway.
    first = gateway.EnumerateTheVaskInstruments();
    EXPECT_EQ(made_[2].get(), first);
    EXPECT_EQ(3, gateway.GetChildCount());
    EXPECT_EQ(2, (int)line->GetInstrumentList()->GetCount());

    // Offline, the line ends its connection.
    gateway.SetOnline(0);
    EXPECT_EQ(0, line->IsOnline());
    EXPECT_EQ(1, line->GetAccess()->GetNetworkStatus());
}

TEST_F(GatewayNodes, InOfflineModeNoLineStarts) {
    Owned owned;
    CGateway gateway("127.0.0.1", "Plant gateway");
    EXPECT_EQ("Plant gateway", Text(gateway.GetName()));
    ASSERT_EQ(1, gateway.InitThePorts());
    owned.lines = Lines(gateway);
    ASSERT_EQ(1u, owned.lines.size());
    EXPECT_EQ("Plant gateway:COM1", Text(owned.lines[0]->GetDisplayName()));
    ASSERT_TRUE(sim_.Command("CLEARLOG"));
    host_.SetMode(0);
    EXPECT_EQ(0, gateway.InitTheCommunication());
    EXPECT_TRUE(main_.progress.empty());
    EXPECT_EQ(1, owned.lines[0]->GetAccess()->GetNetworkStatus());
    std::vector<vasksim::SimLogEntry> log;
    ASSERT_TRUE(sim_.Log(log));
    EXPECT_TRUE(log.empty());
}

}  // namespace
