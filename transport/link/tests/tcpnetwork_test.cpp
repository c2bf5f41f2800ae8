// The gateway network through the gateway client and the server stand-in to a fake gateway
// side that the test drives: what reaches the line, how transmit results and received
// telegrams come back through the receive slots, and the line operations.  Everything runs
// on the test's thread, which plays the access layer's sender thread: callbacks arrive
// while it dispatches messages.
#include "fake_gateway_side.h"  // winsock2.h before windows.h

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>

#include "tcpnetwork.h"
#include "vaskmessage.h"
#include "vaskparamkinds.h"

namespace {

constexpr unsigned kDeadlineMs = 10000;

bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs = kDeadlineMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        if (done()) return true;
        ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr,
                                    static_cast<DWORD>(deadline - now < 20 ? deadline - now : 20),
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

// Waits, dispatching messages, until an auto-reset event is set (and so resets it).
bool WaitForEvent(HANDLE event) {
    return PumpUntil([&] { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; });
}

bool Signalled(HANDLE event) { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

gwpeer::Record Record(uint8_t address) { return {1, 2, 3, 4, 5, 6, 7, 0, 0, address, 8, 9}; }

// A request with at most one parameter; the message takes the parameter over.
struct Request {
    CParamArray params;
    CPCvaskMessage message;
    Request(char letter, int function, CParam* param = nullptr)
        : params(), message(letter, function, DT_REQUEST, Fill(params, param)) {}
    static CParamArray* Fill(CParamArray& a, CParam* p) {
        if (p) a.Add(p);
        return &a;
    }
};

CParam* Text(int length) {
    CStringParam* p = new CStringParam('K', 1, -1, DT_REQUEST, 1);
    p->SetValue(CString('a', length));
    return p;
}

CParam* Floats(int count, double value) {
    CFloatParam* p = new CFloatParam('W', 9, -1, DT_REQUEST, count);
    for (int k = 1; k <= count; ++k) {
        VaskFloat v;
        v.value = value;
        p->SetValue(k, v);
    }
    return p;
}

// A reply "k" 17 that the catalogue parses, carrying `n` to tell telegrams apart.
std::vector<uint8_t> Reply(uint8_t n) { return {0, 0, 'k', 17, n, 0}; }

int ValueOf(CPCvaskMessage* m) {
    if (!m || m->GetParameters() == nullptr || m->GetParameters()->GetSize() != 1) return -1;
    char text[32] = "";
    m->GetParameters()->GetAt(0)->GetValue(1, text, sizeof text);
    return atoi(text);
}

class TcpNetwork : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        peer_ = std::make_unique<gwpeer::FakeGatewaySide>(Lines());
        ASSERT_TRUE(peer_->Listening());
        peer_->Use();
        net_.ThreadInit();  // this thread is the sender thread and the caller at once
    }
    void TearDown() override {
        net_.Done(nullptr);
        net_.ThreadDone();
        peer_.reset();
        CoUninitialize();
        CoUninitialize();  // ThreadInit's
    }
    virtual std::vector<gwpeer::PeerLine> Lines() const {
        return {{"COM1", Record(13)}, {"COM2", Record(13)}};
    }

    void Open(const char* line = "COM1") {
        ErrorStruct_ err;
        ASSERT_EQ(1, net_.Init("gateway-host", nullptr, &err)) << err.text;
        ASSERT_EQ(1, net_.SetSelectedLine(line, &err)) << err.text;
    }

    // Sends one request and returns what the gateway side saw of it.
    gwpeer::Transmit SendOne(const char* address = "2/1", char letter = 'k', int function = 17) {
        Request r(letter, function);
        ErrorStruct_ err;
        EXPECT_EQ(1, net_.Send(address, &r.message, &err)) << err.text;
        gwpeer::Transmit t;
        EXPECT_TRUE(peer_->WaitForTransmit(sent_++, &t)) << "nothing reached the gateway";
        return t;
    }

    // Delivers telegrams from the gateway side and waits until the network has them.
    void Deliver(uint8_t line,
                 const std::vector<std::pair<uint8_t, std::vector<uint8_t>>>& telegrams) {
        for (const auto& t : telegrams)
            ASSERT_TRUE(peer_->SendReceived(0, line, t.first, 0xD0, t.second));
        Barrier();
    }
    // The server hands the events of one connection over in order: once a transmit sent
    // after them is reported done, everything the gateway side sent before has arrived.
    void Barrier() {
        gwpeer::Transmit t = SendOne();
        ASSERT_TRUE(peer_->SendTransmitDone(t.connection, t.line, t.id, 0));
        ASSERT_TRUE(WaitForEvent(net_.GetSendEvent())) << "barrier transmit not reported";
    }

    CPCvaskMessage* ReceiveOnce(CString& from, int* result = nullptr, ErrorStruct_* err = nullptr) {
        CPCvaskMessage* m = reinterpret_cast<CPCvaskMessage*>(1);
        int r = net_.Receive(from, m, err);
        if (result) *result = r;
        return m;
    }
    // Receives until nothing is ready; the values of the messages, in order.
    std::vector<int> ReceiveAll() {
        std::vector<int> values;
        for (int guard = 0; guard < 100; ++guard) {
            CString from;
            int result = 0;
            CPCvaskMessage* m = ReceiveOnce(from, &result);
            EXPECT_EQ(1, result);
            if (!m) break;
            values.push_back(ValueOf(m));
            delete m;
        }
        return values;
    }

    std::unique_ptr<gwpeer::FakeGatewaySide> peer_;
    CtcpNetwork net_;
    size_t sent_ = 0;
};

}  // namespace

TEST_F(TcpNetwork, TheGatewayNetworksFixedAnswers) {
    EXPECT_EQ(2000u, net_.GetTimeout());
    EXPECT_EQ(3, net_.GetMaxRetry());
    EXPECT_EQ(0, net_.NeedTimer());
    NetStat stat;
    memset(&stat, 0xFF, sizeof stat);
    net_.GetStatistics(&stat);
    EXPECT_EQ(0u, stat.sent);
    EXPECT_EQ(0u, stat.received);
}

TEST_F(TcpNetwork, ThreadInitGivesTheThreadAGatewayClient) {
    CtcpNetwork other;
    VG_ERROR before = VG_OK, after = VG_OK;
    std::thread t([&] {
        before = VGInitialize();  // a fresh thread has none: this makes one
        VGUninitialize();
        other.ThreadInit();
        after = VGInitialize();
        other.ThreadDone();
        CoUninitialize();
    });
    t.join();
    EXPECT_EQ(VG_OK, before);
    EXPECT_EQ(VG_ALREADY_INITIALIZED, after);
}

TEST_F(TcpNetwork, InitConnectsAndDoneLetsTheConnectionGo) {
    Open("COM2");
    EXPECT_EQ(1u, peer_->Connections());
    EXPECT_EQ("COM2", std::string((const char*)net_.GetSelectedLine()));
    EXPECT_NE(nullptr, net_.GetSendEvent());
    ErrorStruct_ err;
    EXPECT_EQ(1, net_.Done(&err)) << err.text;
    EXPECT_EQ(nullptr, net_.GetSendEvent());
    EXPECT_TRUE(peer_->WaitForClosed(0))
        << "the stand-in keeps the connection while anything holds it";
}

TEST_F(TcpNetwork, LineSelection) {
    ErrorStruct_ err;
    ASSERT_EQ(1, net_.Init("gateway-host", nullptr, &err)) << err.text;
    EXPECT_EQ(1, net_.SetSelectedLine("COM2", &err));
    err.code = -1;
    EXPECT_EQ(0, net_.SetSelectedLine("COM3", &err));
    EXPECT_EQ(26, err.code) << "whatever the client's reason";
    EXPECT_EQ("", std::string((const char*)net_.GetSelectedLine()));
    Request r('k', 17);
    EXPECT_EQ(0, net_.Send("2/1", &r.message, &err)) << "no line is open any longer";
    EXPECT_EQ(4, err.code);
}

TEST_F(TcpNetwork, ConnectionFailuresAreMapped) {
    ErrorStruct_ err;
    ASSERT_EQ(1, net_.Init("gateway-host", nullptr, &err));
    CtcpNetwork second;
    EXPECT_EQ(0, second.Init("gateway-host", nullptr, &err)) << "one connection per server name";
    EXPECT_EQ(61, err.code);
    err.code = -1;
    EXPECT_EQ(0, second.Done(&err)) << "a network whose Init failed has no server";
    EXPECT_EQ(4, err.code);

    SetEnvironmentVariableA("VGWCE_ENDPOINT", "127.0.0.1:1");  // nobody listens there
    CtcpNetwork unreachable;
    EXPECT_EQ(0, unreachable.Init("elsewhere", nullptr, &err));
    EXPECT_EQ(59, err.code);
    EXPECT_EQ(0, unreachable.Done(nullptr));
}

TEST_F(TcpNetwork, ARefusedSecondInitKeepsTheConnectionForDone) {
    ErrorStruct_ err;
    ASSERT_EQ(1, net_.Init("gateway-host", nullptr, &err));
    EXPECT_EQ(0, net_.Init("gateway-host", nullptr, &err));
    EXPECT_EQ(61, err.code);
    EXPECT_EQ(1, net_.Done(&err)) << err.text;
    EXPECT_TRUE(peer_->WaitForClosed(0));
}

TEST_F(TcpNetwork, DoneAfterALineProbeLetsTheSameGatewayBeOpenedAgain) {
    ErrorStruct_ err;
    ASSERT_EQ(1, net_.Init("gateway-host", nullptr, &err));
    EXPECT_EQ("COM1",
              std::string((const char*)net_.GetLineName(&err)));  // the probe line stays open
    ASSERT_EQ(1, net_.Done(&err)) << err.text;
    EXPECT_TRUE(peer_->WaitForClosed(0));
    EXPECT_EQ(1, net_.Init("gateway-host", nullptr, &err)) << err.text;
}

TEST_F(TcpNetwork, LineProbesAlternate) {
    ErrorStruct_ err;
    ASSERT_EQ(1, net_.Init("gateway-host", nullptr, &err));
    const char* expected[] = {"COM1", "", "COM1", ""};
    for (const char* e : expected) {
        err.code = -1;
        EXPECT_EQ(e, std::string((const char*)net_.GetLineName(&err)));
        EXPECT_EQ(-1, err.code) << "a probe that answers records nothing";
    }
}

class TcpNetworkWithoutCom1 : public TcpNetwork {
protected:
    std::vector<gwpeer::PeerLine> Lines() const override { return {{"LINE-A", Record(13)}}; }
};

TEST_F(TcpNetworkWithoutCom1, AProbeThatFindsNoCom1ReportsError26) {
    ErrorStruct_ err;
    ASSERT_EQ(1, net_.Init("gateway-host", nullptr, &err));
    ASSERT_EQ(1, net_.SetSelectedLine("LINE-A", &err));
    EXPECT_EQ("", std::string((const char*)net_.GetLineName(&err)));
    EXPECT_EQ(26, err.code);
    EXPECT_EQ("", std::string((const char*)net_.GetLineName(&err))) << "still none";
    // The probe leaves the selected line alone: it is still open, and still named.
    EXPECT_EQ("LINE-A", std::string((const char*)net_.GetSelectedLine()));
    gwpeer::Transmit t = SendOne();
    EXPECT_EQ(0, t.line);
}

TEST_F(TcpNetwork, OwnAddressGoesIntoTheLineRecord) {
    ErrorStruct_ err;
    ASSERT_EQ(1, net_.Init("gateway-host", nullptr, &err));
    err.code = -1;
    EXPECT_EQ(0, net_.SetMyAddress(14, &err)) << "no line yet";
    EXPECT_EQ(-1, err.code) << "and nothing recorded";
    ASSERT_EQ(1, net_.SetSelectedLine("COM2", &err));
    EXPECT_EQ(1, net_.SetMyAddress(14, &err)) << err.text;
    EXPECT_EQ(14, peer_->RecordOf(1)[9]);
    EXPECT_EQ(13, peer_->RecordOf(0)[9]);
    EXPECT_EQ(0, net_.SetMyAddress(15, &err));
    EXPECT_EQ(69, err.code);
    peer_->RefuseReads(true);
    EXPECT_EQ(0, net_.SetMyAddress(13, &err));
    EXPECT_EQ(64, err.code);
}

TEST_F(TcpNetwork, ConfigureLineWithoutALineIsRefused) {
    ErrorStruct_ err;
    ASSERT_EQ(1, net_.Init("gateway-host", nullptr, &err));
    EXPECT_EQ(0, net_.ConfigureLine(nullptr, &err));
    EXPECT_EQ(4, err.code);
}

TEST_F(TcpNetwork, SendWithoutALineFailsWithError4) {
    ErrorStruct_ err;
    ASSERT_EQ(1, net_.Init("gateway-host", nullptr, &err));
    Request r('k', 17);
    EXPECT_EQ(0, net_.Send("2/1", &r.message, &err));
    EXPECT_EQ(4, err.code);
    CString from;
    int result = -1;
    EXPECT_EQ(nullptr, ReceiveOnce(from, &result, &err));
    EXPECT_EQ(0, result);
    EXPECT_EQ(4, err.code);
}

TEST_F(TcpNetwork, TheBodyGoesToTheDestinationAddressByte) {
    Open();
    gwpeer::Transmit t = SendOne("2/2", 'k', 17);  // components are counted from 1 in the text
    EXPECT_EQ(0, t.line);
    EXPECT_EQ(0x21, t.destination);
    EXPECT_EQ((std::vector<uint8_t>{'k', 17}), t.data);
    t = SendOne("15/1", 'k', 17);
    EXPECT_EQ(0xF0, t.destination);
    for (const char* address : {"", "abc", "0", "3/10", "16"}) {
        Request r('k', 17);
        ErrorStruct_ err;
        EXPECT_EQ(0, net_.Send(address, &r.message, &err)) << address;
        EXPECT_EQ(36, err.code) << address;
    }
}

TEST_F(TcpNetwork, BodiesOverTheBusLimitNeverReachTheLine) {
    Open();
    struct Case {
        const char* what;
        CParam* param;
        int result;
        size_t size;
    } cases[] = {
        {"68 bytes", Text(65), 1, 68},  // letter, function, 65 characters and the NUL
        {"69 bytes", Text(66), 0, 0},
        {"thirty floats of 1e300", Floats(30, 1e300), 0, 0},
        {"a small float", Floats(1, 12.5), 1, 9},  // "12.500" and its NUL
        {"a text of 5000 characters", Text(5000), 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Request r('K', 1, c.param);
        for (int download = 0; download <= 1; ++download) {
            ErrorStruct_ err;
            EXPECT_EQ(c.result, download ? net_.SendDL("2/1", &r.message, &err)
                                         : net_.Send("2/1", &r.message, &err));
            if (c.result) {
                gwpeer::Transmit t;
                ASSERT_TRUE(peer_->WaitForTransmit(sent_++, &t));
                EXPECT_EQ(c.size, t.data.size());
            } else {
                EXPECT_EQ(8, err.code);
            }
        }
    }
    // The next transmit the gateway sees is the next request: none of the refused came.
    gwpeer::Transmit next = SendOne("2/1", 'k', 17);
    EXPECT_EQ((std::vector<uint8_t>{'k', 17}), next.data);
}

TEST_F(TcpNetwork, TransmitResultsBecomeTheSendResult) {
    Open();
    struct Case {
        uint8_t status;
        int result;
    } cases[] = {{0, 0}, {1, 66}, {2, 2}, {0, 0}};
    for (const Case& c : cases) {
        gwpeer::Transmit t = SendOne();
        ASSERT_TRUE(peer_->SendTransmitDone(t.connection, t.line, t.id, c.status));
        ASSERT_TRUE(WaitForEvent(net_.GetSendEvent())) << "status " << int(c.status);
        EXPECT_EQ(c.result, net_.GetSendResult()) << "status " << int(c.status);
    }
}

TEST_F(TcpNetwork, ACompletionOfAnEarlierTransmitDoesNotStandForTheLatest) {
    Open();
    gwpeer::Transmit first = SendOne();  // the access layer gave up waiting for this one
    gwpeer::Transmit second = SendOne();
    ASSERT_TRUE(peer_->SendTransmitDone(first.connection, first.line, first.id, 0));
    // A telegram after the report: once it is in, the report has been handled.
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x21, 0xD0, Reply(1)));
    ASSERT_TRUE(WaitForEvent(net_.GetRecvEvent()));
    EXPECT_FALSE(Signalled(net_.GetSendEvent())) << "the second has not gone out yet";
    ASSERT_TRUE(peer_->SendTransmitDone(second.connection, second.line, second.id, 1));
    ASSERT_TRUE(WaitForEvent(net_.GetSendEvent()));
    EXPECT_EQ(66, net_.GetSendResult());
}

TEST_F(TcpNetwork, ReceivedTelegramsAreHandedOutInArrivalOrder) {
    Open();
    SendOne();
    Deliver(0, {{0x21, Reply(1)}, {0x22, Reply(2)}, {0x23, Reply(3)}});
    EXPECT_TRUE(Signalled(net_.GetRecvEvent()));
    CString from;
    CPCvaskMessage* m = ReceiveOnce(from);
    ASSERT_NE(nullptr, m);
    EXPECT_EQ("2/2", std::string((const char*)from));
    EXPECT_EQ('k', m->GetCommand());
    EXPECT_EQ(1, ValueOf(m));
    delete m;
    EXPECT_EQ((std::vector<int>{2, 3}), ReceiveAll());
}

TEST_F(TcpNetwork, ASendBeforeReceiveLosesNoReply) {
    Open();
    SendOne();
    Deliver(0, {{0x21, Reply(1)}});
    SendOne();  // the first reply is still in its slot
    Deliver(0, {{0x21, Reply(2)}});
    SendOne();
    Deliver(0, {{0x21, Reply(3)}});
    EXPECT_EQ((std::vector<int>{1, 2, 3}), ReceiveAll());
}

TEST_F(TcpNetwork, ACompletedSlotIsFoundBehindAFreeOne) {
    Open();
    SendOne();
    // The first completion fails (a telegram too long for a slot); the second has data.
    std::vector<uint8_t> tooLong(89, 0x41);
    Deliver(0, {{0x21, tooLong}, {0x21, Reply(7)}});
    CString from;
    int result = -1;
    ErrorStruct_ err;
    EXPECT_EQ(nullptr, ReceiveOnce(from, &result, &err));
    EXPECT_EQ(0, result);
    EXPECT_EQ(67, err.code) << "reported once";
    EXPECT_EQ((std::vector<int>{7}), ReceiveAll()) << "and the reply behind it is not lost";
}

TEST_F(TcpNetwork, TelegramsThatAreNoValidAnswerAreDropped) {
    Open();
    SendOne();
    std::vector<uint8_t> longest(88, 0);   // fits a slot, but no message has this shape
    Deliver(0, {{0x00, Reply(1)},          // from device 0
                {0x29, Reply(2)},          // from component 10
                {0x21, {0, 0, 'x', 200}},  // unknown message
                {0x21, {0}},               // one byte
                {0x21, longest},
                {0x21, Reply(9)}});
    for (int k = 0; k < 5; ++k) {
        CString from = "unchanged";
        int result = -1;
        EXPECT_EQ(nullptr, ReceiveOnce(from, &result)) << k;
        EXPECT_EQ(1, result) << k;
        EXPECT_EQ("unchanged", std::string((const char*)from)) << k;
    }
    EXPECT_EQ((std::vector<int>{9}), ReceiveAll());
}

TEST_F(TcpNetwork, WhatWaitsBehindADroppedTelegramWakesTheReceiverAgain) {
    Open();
    SendOne();
    Deliver(0, {{0x00, Reply(1)}, {0x21, Reply(2)}});
    ResetEvent(net_.GetRecvEvent());  // the access layer resets it before it drains
    CString from;
    int result = -1;
    EXPECT_EQ(nullptr, ReceiveOnce(from, &result)) << "from device 0: dropped";
    EXPECT_EQ(1, result);
    EXPECT_TRUE(Signalled(net_.GetRecvEvent()))
        << "the reply behind it must not wait for the time-out";
    CPCvaskMessage* m = ReceiveOnce(from);
    EXPECT_EQ(2, ValueOf(m));
    delete m;
    EXPECT_FALSE(Signalled(net_.GetRecvEvent())) << "nothing is left";
}

TEST_F(TcpNetwork, TwentyReceivesArePending) {
    Open();
    SendOne();
    std::vector<std::pair<uint8_t, std::vector<uint8_t>>> burst;
    for (uint8_t k = 1; k <= 21; ++k) burst.push_back({0x21, Reply(k)});
    Deliver(0, burst);
    std::vector<int> got = ReceiveAll();
    ASSERT_EQ(20u, got.size()) << "a telegram without a pending receive is dropped by the client";
    EXPECT_EQ(1, got.front());
    EXPECT_EQ(20, got.back());
    // Handing them out armed the slots again.
    Deliver(0, {{0x21, Reply(42)}});
    EXPECT_EQ((std::vector<int>{42}), ReceiveAll());
}

TEST_F(TcpNetwork, AReceiveOnAnotherThreadLeavesTheSlotToTheSenderThread) {
    Open();
    SendOne();
    Deliver(0, {{0x21, Reply(1)}});
    std::vector<int> taken;
    std::thread other([&] {  // as the bus scan's duplicate test does on the caller's thread
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        VGInitialize();
        CString from;
        CPCvaskMessage* m = nullptr;
        ErrorStruct_ err;
        if (net_.Receive(from, m, &err) == 1 && m) taken.push_back(ValueOf(m));
        delete m;
        VGUninitialize();
        CoUninitialize();
    });
    other.join();
    EXPECT_EQ(std::vector<int>{1}, taken);
    // The next send arms the slot again, on this thread: twenty telegrams reach it.
    SendOne();
    std::vector<std::pair<uint8_t, std::vector<uint8_t>>> burst;
    for (uint8_t k = 1; k <= 20; ++k) burst.push_back({0x21, Reply(k)});
    Deliver(0, burst);
    EXPECT_EQ(20u, ReceiveAll().size());
}

TEST_F(TcpNetwork, AfterAnotherLineIsSelectedRepliesArriveAgain) {
    Open("COM1");
    SendOne();  // arms every slot on COM1
    ErrorStruct_ err;
    ASSERT_EQ(1, net_.SetSelectedLine("COM2", &err));
    gwpeer::Transmit t = SendOne();
    EXPECT_EQ(1, t.line);
    ASSERT_TRUE(peer_->SendReceived(0, 1, 0x21, 0xD0, Reply(5)));
    ASSERT_TRUE(WaitForEvent(net_.GetRecvEvent()));
    EXPECT_EQ((std::vector<int>{5}), ReceiveAll());
}

TEST_F(TcpNetwork, ReceiveWithNothingReadyGivesNoMessage) {
    Open();
    CString from = "unchanged";
    int result = -1;
    EXPECT_EQ(nullptr, ReceiveOnce(from, &result));
    EXPECT_EQ(1, result);
    EXPECT_EQ("unchanged", std::string((const char*)from));
}
