// The gateway nodes without a gateway: an unreachable host, the lines' networks, the order
// in which gateway and lines go; the ICMP echo to loopback, to a name and to nowhere.
#include "gateway.h"
#include "ping.h"
#include "node_helpers.h"
#include "recording_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(GatewayNode, AnUnresolvableHostEndsOfflineWithoutLines) {
    RecordingHost host_(1);
    CGateway gateway("no-such-host.invalid", "");
    const DWORD start = GetTickCount();
    EXPECT_EQ(0, gateway.InitThePorts());
    EXPECT_LT(GetTickCount() - start, 1000u) << "no echo was waited for";
    EXPECT_TRUE(Lines(gateway).empty());
    EXPECT_EQ(0, gateway.IsOnline());
    EXPECT_EQ(0, gateway.InitTheCommunication());
    EXPECT_EQ(nullptr, gateway.EnumerateTheVaskInstruments());
    EXPECT_EQ((std::vector<std::string>{"Try to ping to no-such-host.invalid", "Ping failed"}),
              host_.WrittenIn("CGateway::InitThePorts"));
    CPing ping;
    EXPECT_EQ(CPing::NotResolved, ping.Ping("no-such-host.invalid"));
}

TEST(GatewayLine, NetworksAreMatchedExactly) {
    RecordingHost host(0);
    CGatewayPort line(nullptr, "COM1");
    EXPECT_EQ("COM1", Text(line.GetDisplayName())) << "a line without a gateway";
    line.AddNetwork("Plant");
    line.AddNetwork("Lab 2");
    EXPECT_EQ(1, line.IsInNetwork("Plant"));
    EXPECT_EQ(1, line.IsInNetwork("Lab 2"));
    EXPECT_EQ(0, line.IsInNetwork("plant"));
    EXPECT_EQ(0, line.IsInNetwork("Plant "));
    EXPECT_EQ(0, line.IsInNetwork("Lab"));
    EXPECT_EQ(0, line.IsInNetwork(""));
    EXPECT_EQ(0, line.InitTheCommunication()) << "offline";
}

TEST(GatewayLine, GatewayAndLinesMayGoInEitherOrder) {
    RecordingHost host(0);
    CGatewayPort* kept = nullptr;
    {
        CGateway gateway("127.0.0.1", "");
        // A line made for the gateway is one of its lines at once.
        kept = new CGatewayPort(&gateway, "COM1");
        CGatewayPort* gone = new CGatewayPort(&gateway, "COM2");
        EXPECT_EQ(Lines(gateway), (std::vector<CGatewayPort*>{kept, gone}));
        EXPECT_EQ(2, gateway.GetChildCount());
        delete gone;
        EXPECT_EQ(1, gateway.GetChildCount()) << "the line left the gateway";
        EXPECT_EQ(Lines(gateway), std::vector<CGatewayPort*>{kept});
        // Appended once more by a caller, a line still leaves the list whole.
        CGatewayPort* listedTwice = new CGatewayPort(&gateway, "COM3");
        gateway.GetPorts()->AddTail(listedTwice);
        delete listedTwice;
        EXPECT_EQ(Lines(gateway), std::vector<CGatewayPort*>{kept});
    }
    EXPECT_EQ(nullptr, kept->GetGateway());
    EXPECT_EQ(nullptr, kept->GetParent());
    EXPECT_EQ("COM1", Text(kept->GetDisplayName()));
    delete kept;
}

// ---- The ICMP echo ---------------------------------------------------------------------

int g_loads = 0;
int g_frees = 0;
HMODULE g_loaded = NULL;

HMODULE WINAPI CountingLoad(LPCSTR name) {
    ++g_loads;
    g_loaded = LoadLibraryA(name);
    return g_loaded;
}
BOOL WINAPI CountingFree(HMODULE module) {
    ++g_frees;
    EXPECT_EQ(g_loaded, module);
    return FreeLibrary(module);
}
// A library without the ICMP entry points.
HMODULE WINAPI WrongLibrary(LPCSTR) {
    ++g_loads;
    g_loaded = LoadLibraryA("version.dll");
    return g_loaded;
}
HMODULE WINAPI NoLibrary(LPCSTR) {
    ++g_loads;
    return NULL;
}

class Ping : public ::testing::Test {
protected:
    void SetUp() override {
        g_loads = g_frees = 0;
        load_ = CPing::SetLoadFunction(CountingLoad);
        free_ = CPing::SetFreeFunction(CountingFree);
    }
    void TearDown() override {
        CPing::SetLoadFunction(load_);
        CPing::SetFreeFunction(free_);
    }
    CPing::LoadFunction load_;
    CPing::FreeFunction free_;
};

TEST_F(Ping, LoopbackAnswersByAddressAndByName) {
    CPing ping;
    ASSERT_EQ(1, ping.IsReady()) << ping.GetError();
    EXPECT_EQ(CPing::Success, ping.Ping("127.0.0.1"));
    EXPECT_EQ(CPing::Success, ping.Ping("localhost"));
    EXPECT_EQ(CPing::NotResolved, ping.Ping("no-such-host.invalid"));
    EXPECT_EQ(CPing::NotResolved, ping.Ping(nullptr));
}

TEST_F(Ping, AnAddressThatNeverAnswersGivesNoReply) {
    // TEST-NET-3: reserved for documentation, never routed; the one wait for the time-out.
    CPing ping;
    EXPECT_EQ(CPing::NoReply, ping.Ping("203.0.113.1"));
}

TEST_F(Ping, TwoLivePingsLoadTheLibraryOnceAndTheLastOneFreesIt) {
    {
        CPing first;
        {
            CPing second;
            EXPECT_EQ(1, second.IsReady());
            EXPECT_EQ(1, g_loads);
        }
        EXPECT_EQ(0, g_frees) << "the first one still uses it";
        EXPECT_NE(nullptr, GetModuleHandleA("icmp.dll"));
        EXPECT_EQ(CPing::Success, first.Ping("127.0.0.1"));
    }
    EXPECT_EQ(1, g_loads);
    EXPECT_EQ(1, g_frees);
    EXPECT_EQ(nullptr, GetModuleHandleA("icmp.dll"));
    // The next one loads it again.
    CPing again;
    EXPECT_EQ(2, g_loads);
}

TEST_F(Ping, AMissingLibraryOrEntryPointIsError1) {
    CPing::SetLoadFunction(NoLibrary);
    {
        CPing ping;
        EXPECT_EQ(0, ping.IsReady());
        EXPECT_EQ(CPing::NoLibrary, ping.GetError());
        EXPECT_EQ(CPing::NoLibrary, ping.Ping("127.0.0.1"));
    }
    EXPECT_EQ(0, g_frees);
    CPing::SetLoadFunction(WrongLibrary);
    {
        CPing ping;
        EXPECT_EQ(CPing::NoLibrary, ping.GetError());
        EXPECT_EQ(1, g_frees) << "released at once";
    }
    EXPECT_EQ(1, g_frees);
}

}  // namespace
