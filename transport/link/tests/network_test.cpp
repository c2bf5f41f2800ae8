// The serial network against a bus in memory: message bodies on the wire and their
// limit, parsed answers and dropped ones, the events, and the one lock that keeps the
// timer's receive away from a send's acknowledgement.
#include <gtest/gtest.h>

#include "fake_port.h"
#include "vaskmessage.h"
#include "vasknetwork.h"
#include "vaskparamkinds.h"

namespace {

const int PC = 0xD0;

// A request with one parameter; the message takes the parameter over.
struct Request {
    CParamArray params;
    CPCvaskMessage message;
    Request(char letter, int function, CParam* param)
        : params(), message(letter, function, DT_REQUEST, Fill(params, param)) {}
    static CParamArray* Fill(CParamArray& a, CParam* p) {
        if (p) a.Add(p);
        return &a;
    }
};

CParam* Int(int value) {
    CIntParam* p = new CIntParam('K', 17, -1, DT_REQUEST, 0, 255, 1);
    p->SetValue(1, value);
    return p;
}

CParam* Text(int length) {
    CStringParam* p = new CStringParam('K', 1, -1, DT_REQUEST, 1);
    p->SetValue(CString('a', length));
    return p;
}

CParam* Floats(int count, double value) {
    CFloatParam* p = new CFloatParam('W', 9, -1, DT_REQUEST, count);
    for (int k = 1; k <= (count == 1 ? 1 : 30); ++k) {
        VaskFloat v;
        v.value = value;
        p->SetValue(k, v);
    }
    return p;
}

bool Signalled(HANDLE event) { return event && WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

class Network : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(1, CvaskAddress::SetMyAddress(13));
        SerialParam p = {2, 0, 0, 1, 0};
        ErrorStruct_ err;
        ASSERT_EQ(1, net.Init("COM1", &p, &err)) << err.text;
        bus.device = [this](const Bytes&) { bus.Ack(); };
    }
    void TearDown() override {
        net.Done(nullptr);
        CvaskAddress::SetMyAddress(14);
    }
    // One Receive: the message (owned by the test) or null.
    CPCvaskMessage* ReceiveOnce(CString& from, int* result = nullptr, ErrorStruct_* err = nullptr) {
        CPCvaskMessage* m = reinterpret_cast<CPCvaskMessage*>(1);
        int r = net.Receive(from, m, err);
        if (result) *result = r;
        return m;
    }

    FakeBus bus;
    CvaskNetwork net;
};

TEST_F(Network, AMessageGoesOutAsItsBodyInATelegram) {
    Request r('K', 17, Int(3));
    ErrorStruct_ err;
    ASSERT_EQ(1, net.Send("2/1", &r.message, &err)) << err.text;
    ASSERT_EQ(1u, bus.written.size());
    EXPECT_EQ(Hex(Frame(0x20, PC, {0x4B, 0x11, 0x03, 0x00})), Hex(bus.written[0]));
    EXPECT_EQ('K', r.message.GetCommand()) << "the message stays the caller's";
}

TEST_F(Network, BodiesUpToSixtyEightBytesGoOutLongerOnesNeverReachThePort) {
    struct Case {
        const char* what;
        CParam* param;
        int result, code;
    } cases[] = {
        {"68 bytes", Text(65), 1, 0},
        {"69 bytes", Text(66), 0, 8},
        {"a text of 2000 bytes", Text(2000), 0, 8},
        {"thirty floats of 1e300", Floats(30, 1e300), 0, 8},
        {"thirty floats", Floats(30, 1.5), 0, 8},
        {"a small float", Floats(1, 12.5), 1, 0},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        bus.written.clear();
        Request r('K', 1, c.param);
        ErrorStruct_ err;
        EXPECT_EQ(c.result, net.Send("2/1", &r.message, &err));
        EXPECT_EQ(c.code, err.code);
        EXPECT_EQ(c.result ? 1u : 0u, bus.written.size());
        bus.written.clear();
        EXPECT_EQ(c.result, net.SendDL("2/1", &r.message, &err)) << "the download path too";
        EXPECT_EQ(c.result ? 1u : 0u, bus.written.size());
    }
    // The 68-byte body on the wire.
    Request r('K', 1, Text(65));
    bus.written.clear();
    ASSERT_EQ(1, net.Send("2/1", &r.message, nullptr));
    Bytes body = {'K', 1};
    body.insert(body.end(), 65, 'a');
    body.push_back(0);
    EXPECT_EQ(Hex(Frame(0x20, PC, body)), Hex(bus.written[0]));
}

TEST_F(Network, AnAddressThatIsNoBusAddressIsRefused) {
    for (const char* address : {"", "abc", "0", "3/10", "16"}) {
        Request r('K', 17, Int(3));
        ErrorStruct_ err;
        EXPECT_EQ(0, net.Send(address, &r.message, &err)) << address;
        EXPECT_EQ(36, err.code) << address;
    }
    EXPECT_TRUE(bus.written.empty());
    ErrorStruct_ err;
    EXPECT_EQ(0, net.Send("2/1", nullptr, &err));
    EXPECT_NE(0, err.code);
}

TEST_F(Network, ASuccessfulSendSignalsBothEventsAFailedOneNeither) {
    Request r('K', 17, Int(3));
    ASSERT_EQ(1, net.Send("2/1", &r.message, nullptr));
    EXPECT_TRUE(Signalled(net.GetSendEvent()));
    EXPECT_TRUE(Signalled(net.GetRecvEvent()));
    bus.device = nullptr;
    EXPECT_EQ(0, net.Send("2/1", &r.message, nullptr));
    EXPECT_FALSE(Signalled(net.GetSendEvent()));
    EXPECT_FALSE(Signalled(net.GetRecvEvent()));
    NetStat s;
    net.GetStatistics(&s);
    EXPECT_EQ(4u, s.sent);
    EXPECT_EQ(3u, s.failed);
    net.ResetStatistics();
    net.GetStatistics(&s);
    EXPECT_EQ(0u, s.sent);
}

TEST_F(Network, ReceiveWithNothingThereGivesNoMessageAndSetsTheEvent) {
    CString from = "unchanged";
    int result = -1;
    EXPECT_EQ(nullptr, ReceiveOnce(from, &result));
    EXPECT_EQ(1, result);
    EXPECT_EQ("unchanged", from);
    EXPECT_TRUE(Signalled(net.GetRecvEvent()));
}

TEST_F(Network, AnAnswerIsParsedAgainstTheCatalogue) {
    bus.Give(Frame(PC, 0x21, {0x04, 0x05, 'k', 17, 2, 0}));
    CString from;
    CPCvaskMessage* m = ReceiveOnce(from);
    ASSERT_NE(nullptr, m);
    EXPECT_EQ("2/2", from);
    EXPECT_EQ('k', m->GetCommand());
    EXPECT_EQ(17, m->GetFunction());
    EXPECT_EQ(4, m->GetFlags());
    EXPECT_EQ(5, m->GetState());
    ASSERT_EQ(1, m->GetParameters()->GetSize());
    char text[64] = "";
    m->GetParameters()->GetAt(0)->GetValue(1, text, sizeof text);
    EXPECT_STREQ("2", text);
    delete m;
}

TEST_F(Network, TelegramsThatAreNoValidAnswerAreDropped) {
    struct Case {
        const char* what;
        Bytes wire;
    } cases[] = {
        {"from device 0", Frame(PC, 0x00, {0, 0, 'k', 17, 2, 0})},
        {"from component 10", Frame(PC, 0x29, {0, 0, 'k', 17, 2, 0})},
        {"an unknown message", Frame(PC, 0x20, {0, 0, 'x', 200})},
        {"bytes left over", Frame(PC, 0x20, {0, 0, 'k', 17, 2, 0, 7})},
        {"a one-byte body", Frame(PC, 0x20, {0})},
        {"a three-byte body", Frame(PC, 0x20, {0, 0, 'k'})},
        {"garbage", {0x55, 0xAA, 0x10, 0x10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bus.Give(c.wire);
        CString from;
        int result = -1;
        EXPECT_EQ(nullptr, ReceiveOnce(from, &result));
        EXPECT_EQ(1, result);
    }
    bus.Give(Frame(PC, 0x20, {0, 0, 'k', 17, 2, 0}));
    CString from;
    CPCvaskMessage* m = ReceiveOnce(from);
    EXPECT_NE(nullptr, m) << "a good answer still comes through";
    delete m;
}

TEST_F(Network, APortFailureIsReportedByReceive) {
    bus.readFails = true;
    CString from;
    int result = -1;
    ErrorStruct_ err;
    EXPECT_EQ(nullptr, ReceiveOnce(from, &result, &err));
    EXPECT_EQ(0, result);
    EXPECT_EQ(5, err.code);
}

// The timer's receive, run on a thread of its own while the sender thread is inside Send.
struct TimerReceive {
    CvaskNetwork* net;
    int result = -1;
    CPCvaskMessage* message = nullptr;
    static DWORD WINAPI Run(void* p) {
        TimerReceive* t = static_cast<TimerReceive*>(p);
        CString from;
        t->result = t->net->Receive(from, t->message, nullptr);
        return 0;
    }
};

TEST_F(Network, TheTimersReceiveCannotTakeTheAcknowledgementOfASend) {
    // The device acknowledges and answers at once; in that very moment the timer's
    // receive runs on its own thread.
    int timerCalls = 0;
    bool finished = true;
    int readsDuringReceive = -1;
    TimerReceive t;
    t.net = &net;
    bus.device = [&](const Bytes&) {
        bus.Ack();
        bus.Give(Frame(PC, 0x20, {0, 0, 'k', 17, 2, 0}));
        int before = bus.reads;
        HANDLE thread = CreateThread(nullptr, 0, TimerReceive::Run, &t, 0, nullptr);
        finished = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
        CloseHandle(thread);
        readsDuringReceive = bus.reads - before;
        ++timerCalls;
    };
    Request r('k', 17, nullptr);
    ASSERT_EQ(1, net.Send("2/1", &r.message, nullptr)) << "the acknowledgement was not lost";
    EXPECT_TRUE(finished) << "the timer's receive must not wait for the send";
    EXPECT_EQ(1, timerCalls) << "one attempt";
    EXPECT_EQ(1, t.result);
    EXPECT_EQ(nullptr, t.message) << "nothing ready while the port is in use";
    EXPECT_EQ(0, readsDuringReceive) << "the port was not touched";
    // The answer behind the acknowledgement is still there for the next receive.
    CString from;
    CPCvaskMessage* m = ReceiveOnce(from);
    ASSERT_NE(nullptr, m);
    EXPECT_EQ('k', m->GetCommand());
    delete m;
}

TEST_F(Network, TheSerialNetworksFixedAnswers) {
    EXPECT_EQ(0u, net.GetTimeout());
    EXPECT_EQ(3, net.GetMaxRetry());
    EXPECT_EQ(1, net.NeedTimer());
    EXPECT_EQ(0, net.GetSendResult());
    EXPECT_EQ(1, net.SetSelectedLine("Line 1", nullptr));
    EXPECT_EQ("", net.GetSelectedLine());
    EXPECT_EQ(1, net.ConfigureLine(nullptr, nullptr));
    EXPECT_EQ(1, net.SetMyAddress(14, nullptr));
    EXPECT_EQ(0, net.IsConnected(""));
    ErrorStruct_ err;
    SetError(&err, 12, 3);
    EXPECT_EQ("", net.GetLineName(&err));
    EXPECT_EQ(0, err.code) << "GetLineName resets the record";
    EXPECT_EQ(0u, err.info);
}

TEST_F(Network, DoneClosesPortAndEventsAndInitMayFollow) {
    EXPECT_NE(nullptr, net.GetSendEvent());
    EXPECT_EQ(1, net.Done(nullptr));
    EXPECT_EQ(nullptr, net.GetSendEvent());
    EXPECT_EQ(nullptr, net.GetRecvEvent());
    EXPECT_EQ(1, bus.closed);
    Request r('K', 17, Int(3));
    ErrorStruct_ err;
    EXPECT_EQ(0, net.Send("2/1", &r.message, &err));
    EXPECT_EQ(26, err.code);
    CString from;
    int result = -1;
    EXPECT_EQ(nullptr, ReceiveOnce(from, &result, &err));
    EXPECT_EQ(0, result);
    SerialParam p = {2, 0, 0, 1, 0};
    ASSERT_EQ(1, net.Init("COM1", &p, &err));
    EXPECT_NE(nullptr, net.GetSendEvent());
    EXPECT_EQ(1, net.Send("2/1", &r.message, &err)) << err.text;
}

TEST(NetworkLife, AFailingPortLeavesTheErrorAndNothingOpen) {
    FakeBus bus;
    bus.openResult = 0;
    {
        CvaskNetwork net;
        SerialParam p = {2, 0, 0, 1, 0};
        ErrorStruct_ err;
        EXPECT_EQ(0, net.Init("COM4", &p, &err));
        EXPECT_EQ(12, err.code);
        EXPECT_EQ("COM4", bus.openedName);
        EXPECT_EQ(1, bus.destroyed);
    }
    // A second Init without Done, and a destructor without Done, leave nothing behind.
    bus.openResult = 1;
    {
        CvaskNetwork net;
        SerialParam p = {2, 0, 0, 1, 0};
        ASSERT_EQ(1, net.Init("COM1", &p, nullptr));
        ASSERT_EQ(1, net.Init("COM1", &p, nullptr));
    }
    EXPECT_EQ(2, bus.opened);
    EXPECT_EQ(2, bus.closed);
    EXPECT_EQ(3, bus.destroyed);
}

}  // namespace
