// The document in the program's main frame with a network of one gateway, the gateway server
// stand-in on loopback whose line COM1 is the simulator's bus: the progress names the line
// with its gateway.
#include "document_bus_fixture.h"

#include "gateway.h"
#include "VaskGate.h"
#include "vasksim_gateway.h"

namespace frametest {
namespace {

// The network of one gateway, the gateway server stand-in on loopback: its line COM1 is the
// simulator's bus.
TEST_F(DocumentBus, AGatewayLineIsNamedWithItsGateway) {
    std::string why;
    ASSERT_TRUE(vasksim::UseSimulatorGateway(&why)) << why;
    CStringList gateways;
    gateways.AddTail("127.0.0.1");
    ASSERT_TRUE(WriteNetworkToIni("Gateway", gateways, NULL));
    ASSERT_TRUE(Sim("REMOVE 1"));
    // Earlier rebuilds restarted the thread's gateway client.
    SetMode(0);
    ASSERT_TRUE(doc_->InitTheInstruments());
    ASSERT_TRUE(doc_->InitTheInstruments());
    SetMode(1);

    EXPECT_TRUE(doc_->InitTheInstruments());

    const std::vector<CGateway*> nodes = Nodes<CGateway>(RUNTIME_CLASS(CGateway));
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(doc_->GetGatewayList()->GetCount(), 1);
    EXPECT_EQ(Nodes<CGatewayPort>(RUNTIME_CLASS(CGatewayPort)).size(),
              (size_t)nodes[0]->GetPorts()->GetCount());
    ASSERT_FALSE(progress_.texts.empty());
    EXPECT_EQ(progress_.texts[0], "Network: " + std::string(nodes[0]->GetName()) +
                                      " : COM1\nSearching for device at address 1.");
    EXPECT_EQ(Names(), std::vector<std::string>{"Parvel O2"});
    EXPECT_EQ(doc_->GetCurrentInstrument(), Analyzers().front());
}

}  // namespace
}  // namespace frametest
