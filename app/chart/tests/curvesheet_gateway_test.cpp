// The curve sheet with an analyzer behind a gateway line, through the gateway server
// stand-in and the simulator's gateway side: the slot finds the analyzer below the gateway,
// loading it selects the gateway in the network list, and the curve samples through the line.
// (A program of its own: COM1 scans and the in-process stand-in never share one.)
#include <winsock2.h>

#include "curvekit.h"
#include "node_helpers.h"
#include "resource.h"
#include "VaskGate.h"
#include "vasksim_client.h"
#include "vasksim_gateway.h"

#include <gtest/gtest.h>

namespace {

class CurvesBehindAGateway : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        ASSERT_EQ(VG_OK, VGInitialize());
        std::string why;
        ASSERT_TRUE(vasksim::UseSimulatorGateway(&why)) << why;
        ASSERT_TRUE(sim_.Connect(&why)) << why;
        ASSERT_TRUE(sim_.Reset()) << sim_.LastError();
        for (const char* command :
             {"REMOVE 1", "DEVICE 4 type=7 components=1", "SET 4 meas 0 3.5", "SET 4 remote 1"})
            ASSERT_TRUE(sim_.Command(command)) << command;
    }
    void TearDown() override {
        sim_.Reset();
        VGUninitialize();
        CoUninitialize();
    }

    vasksim::SimClient sim_;
};

TEST_F(CurvesBehindAGateway, TheSlotSelectsTheGatewayAndSamplesThroughItsLine) {
    CurveKit kit;
    kit.SetOnline(true);
    wkit::BoxRecorder boxes;
    CGateway gateway("127.0.0.1", "");
    ASSERT_EQ(1, gateway.InitThePorts());
    std::vector<CGatewayPort*> lines = Lines(gateway);
    ASSERT_EQ(1u, lines.size());
    std::unique_ptr<CGatewayPort> line(lines[0]);
    ASSERT_EQ(1, gateway.InitTheCommunication());
    ASSERT_NE(line->GetAccess()->GetDevice(4), nullptr);
    // As the line makes its analyzers: the gateway is the parent.
    CVaskInstrument analyzer("Lorvix Kanal", 7, line->GetAccess(), 4, 1, 4, 4, 0);
    analyzer.SetParent(&gateway);
    // The document's node list: a converter (listed first), then the gateway and its line.
    CConverter converter("00 converter");
    CObList nodes;
    nodes.AddTail(&converter);
    nodes.AddTail(&gateway);
    nodes.AddTail(line.get());

    TestApp().WriteProfileString("Curve", "Network1", "127.0.0.1");
    TestApp().WriteProfileString("Curve", "Instrument1", "Lorvix Kanal");
    ASSERT_NE(kit.Open(&nodes), nullptr);
    EXPECT_EQ(kit.sheet->GetSettings()->m_pInstrument[0], &analyzer);
    wkit::Window w = kit.Window();
    EXPECT_EQ(w.Items(IDC_CURVE_NETWORK), (std::vector<std::string>{"00 converter", "127.0.0.1"}));
    EXPECT_EQ(w.Selection(IDC_CURVE_NETWORK), "127.0.0.1") << "the analyzer's nearest network";
    EXPECT_EQ(w.Selection(IDC_CURVE_ANALYZER), "Lorvix Kanal");
    EXPECT_EQ(w.SelectionIndex(IDC_CURVE_COMPONENT), 0);

    ASSERT_TRUE(w.SelectPage(0));
    kit.Tick();
    kit.Tick();
    CCurveDiscrete* curve = kit.sheet->GetCurvePage()->GetValueCurve(0);
    ASSERT_EQ(curve->GetPointCount(), 2);
    EXPECT_NEAR(((CCurvePoint*)curve->GetPoints().GetTail())->m_dY, 3.5, 1e-3);
    EXPECT_TRUE(boxes.texts.empty());
    kit.Close();
    analyzer.SetParent(NULL);
    gateway.RemoveChild(&analyzer);
}

}  // namespace
