// CCommunication with the type "TCPGATEWAY": the gateway network is the one built, through
// the gateway client and the server stand-in to a gateway side of the test, and a gateway
// that cannot be reached leaves no network behind.
#include "fake_gateway_side.h"  // winsock2.h before windows.h

#include <gtest/gtest.h>

#include "VaskGate.h"
#include "communication.h"

namespace {

class GatewayChoice : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        VGInitialize();  // the calling thread's gateway client
    }
    void TearDown() override {
        VGUninitialize();
        CoUninitialize();
    }
    SerialParam param{};
};

TEST_F(GatewayChoice, TheGatewayTypeBuildsTheGatewayNetwork) {
    gwpeer::FakeGatewaySide peer({{"COM1", {1, 2, 3, 4, 5, 6, 7, 0, 0, 13, 8, 9}}});
    ASSERT_TRUE(peer.Listening());
    peer.Use();
    CCommunication com;
    ErrorStruct_ err;
    ASSERT_EQ(1, com.Init("TCPGATEWAY", "gateway-host", param, &err)) << err.text;
    EXPECT_FALSE(com.NeedTimer()) << "the gateway reports its own receipts";
    EXPECT_EQ(2000u, com.GetTimeout());
    EXPECT_EQ(3, com.GetMaxRetry());
    EXPECT_EQ(1, com.Done(&err));
    EXPECT_FALSE(com.IsInitialized());
}

TEST_F(GatewayChoice, AnUnreachableGatewayLeavesNoNetworkAndItsError) {
    SetEnvironmentVariableA("VGWCE_ENDPOINT", "127.0.0.1:1");  // nobody listens there
    CCommunication com;
    ErrorStruct_ err;
    EXPECT_EQ(0, com.Init("TCPGATEWAY", "elsewhere", param, &err));
    EXPECT_EQ(59, err.code);
    EXPECT_FALSE(com.IsInitialized());
    CPCvaskMessage message('k', 6, DT_REQUEST, nullptr);
    EXPECT_EQ(0, com.Send("2/1", &message, &err));
    EXPECT_EQ(26, err.code);
}

}  // namespace
