// CCommunication: the network chosen by its type text, forwarding to it, and the
// answers without one. The serial network runs on the link layer's bus in memory.
#include <gtest/gtest.h>

#include "communication.h"
#include <string.h>

#include "fake_port.h"
#include "vaskparamkinds.h"

namespace {

const SerialParam kParam = {2, 0, 0, 1, 0};

class Communication : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(1, CvaskAddress::SetMyAddress(13)); }
    void TearDown() override { CvaskAddress::SetMyAddress(14); }
    FakeBus bus;
};

TEST_F(Communication, TheTypeTextChoosesTheSerialNetworkOrFails) {
    struct Case {
        const char* type;
        int result, code;
    } cases[] = {{"", 1, 0},       {"VASK", 1, 0},    {"vask", 0, 25},
                 {"VASK ", 0, 25}, {"SERIAL", 0, 25}, {"tcpgateway", 0, 25}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        CCommunication com;
        int opened = bus.opened;
        ErrorStruct_ err;
        EXPECT_EQ(c.result, com.Init(c.type, "COM1", kParam, &err));
        EXPECT_EQ(c.code, err.code);
        EXPECT_EQ(c.result, com.IsInitialized());
        EXPECT_EQ(opened + c.result, bus.opened) << "only the serial bus opens the port";
        if (c.result) {
            EXPECT_EQ("COM1", bus.openedName);
        }
    }
}

TEST_F(Communication, ANetworkThatCannotStartLeavesNothingAndItsError) {
    bus.openResult = 0;
    CCommunication com;
    ErrorStruct_ err;
    EXPECT_EQ(0, com.Init("VASK", "COM1", kParam, &err));
    EXPECT_EQ(12, err.code) << "the port's own error";
    EXPECT_FALSE(com.IsInitialized());
    EXPECT_EQ(bus.created, bus.destroyed);
    CPCvaskMessage message('k', 6, DT_REQUEST, nullptr);
    EXPECT_EQ(0, com.Send("2/1", &message, &err));
    EXPECT_EQ(26, err.code);
}

TEST_F(Communication, WithoutANetworkEveryOperationHasItsAnswer) {
    CCommunication com;
    CPCvaskMessage message('k', 6, DT_REQUEST, nullptr);
    CPCvaskMessage* received = reinterpret_cast<CPCvaskMessage*>(1);
    CString address;
    struct Case {
        const char* what;
        std::function<int(ErrorStruct_*)> call;
    } cases[] = {
        {"SetSelectedLine", [&](ErrorStruct_* e) { return com.SetSelectedLine("L", e); }},
        {"SetMyAddress", [&](ErrorStruct_* e) { return com.SetMyAddress(13, e); }},
        {"ConfigureLine", [&](ErrorStruct_* e) { return com.ConfigureLine(nullptr, e); }},
        {"GetLineName", [&](ErrorStruct_* e) { return com.GetLineName(e).IsEmpty() ? 0 : 1; }},
        {"Send", [&](ErrorStruct_* e) { return com.Send("2/1", &message, e); }},
        {"SendDL", [&](ErrorStruct_* e) { return com.SendDL("2/1", &message, e); }},
        {"Receive", [&](ErrorStruct_* e) { return com.Receive(address, received, e); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ErrorStruct_ err;
        EXPECT_EQ(0, c.call(&err));
        EXPECT_EQ(26, err.code);
        EXPECT_EQ(0, c.call(nullptr)) << "a null record is allowed";
    }
    EXPECT_EQ(nullptr, received);
    EXPECT_TRUE(bus.written.empty());

    ErrorStruct_ untouched;
    SetError(&untouched, 7, 3);
    EXPECT_EQ(33, com.GetSendResult());
    EXPECT_EQ("", com.GetSelectedLine());
    NetStat stat;
    memset(&stat, 0xAB, sizeof stat);
    com.ResetStatistics();
    com.GetStatistics(&stat);
    EXPECT_EQ(0xABABABABul, stat.sent) << "left as it was";
    EXPECT_EQ(1, com.Done(&untouched));
    EXPECT_EQ(7, untouched.code);
}

TEST_F(Communication, TheSerialNetworkIsReachedThroughIt) {
    CCommunication com;
    ErrorStruct_ err;
    ASSERT_EQ(1, com.Init("VASK", "COM1", kParam, &err)) << err.text;
    EXPECT_TRUE(com.NeedTimer());
    EXPECT_EQ(0u, com.GetTimeout());
    EXPECT_EQ(3, com.GetMaxRetry());
    EXPECT_NE(nullptr, com.GetSendEvent());
    EXPECT_NE(nullptr, com.GetRecvEvent());
    com.ThreadInit();
    EXPECT_EQ(1, com.SetSelectedLine("x", &err));
    EXPECT_EQ(1, com.SetMyAddress(13, &err));
    EXPECT_EQ(1, com.ConfigureLine(nullptr, &err));
    SetError(&err, 9, 0);
    EXPECT_EQ("", com.GetLineName(&err));
    EXPECT_EQ(0, err.code);

    bus.device = [this](const Bytes&) {
        bus.Ack();
        bus.Give(Frame(0xD0, 0x20, {0, 0, 'k', 17, 3, 0}));
    };
    CParamArray params;
    CIntParam* value = new CIntParam('K', 17, -1, DT_REQUEST, 0, 255, 1);
    value->SetValue(1, 3);
    params.Add(value);
    CPCvaskMessage message('K', 17, DT_REQUEST, &params);
    ASSERT_EQ(1, com.Send("2/1", &message, &err)) << err.text;
    EXPECT_EQ(0, com.GetSendResult());
    EXPECT_EQ(Hex(Frame(0x20, 0xD0, {'K', 17, 3, 0})), Hex(bus.written.back()));
    ASSERT_EQ(1, com.SendDL("2/1", &message, &err)) << err.text;
    EXPECT_EQ(2u, bus.written.size());

    CString from;
    CPCvaskMessage* answer = nullptr;
    ASSERT_EQ(1, com.Receive(from, answer, &err));
    ASSERT_NE(nullptr, answer);
    EXPECT_EQ("2/1", from);
    EXPECT_EQ('k', answer->GetCommand());
    delete answer;

    NetStat stat;
    com.GetStatistics(&stat);
    EXPECT_EQ(2u, stat.sent);
    com.ResetStatistics();
    com.GetStatistics(&stat);
    EXPECT_EQ(0u, stat.sent);
}

TEST_F(Communication, ASecondInitIsRefusedAndKeepsTheFirstNetwork) {
    CCommunication com;
    ASSERT_EQ(1, com.Init("VASK", "COM1", kParam, nullptr));
    ErrorStruct_ err;
    EXPECT_EQ(0, com.Init("VASK", "COM2", kParam, &err));
    EXPECT_EQ(34, err.code);
    EXPECT_EQ(1, bus.opened);
    EXPECT_EQ(0, bus.closed) << "the first port stays open and in use";
    EXPECT_TRUE(com.IsInitialized());
}

TEST_F(Communication, DoneTwiceDeletesTheNetworkOnceAndTheDestructorCleansUp) {
    {
        CCommunication com;
        ASSERT_EQ(1, com.Init("", "COM1", kParam, nullptr));
        EXPECT_EQ(1, com.Done(nullptr));
        EXPECT_EQ(1, com.Done(nullptr));
        EXPECT_EQ(1, bus.closed);
        EXPECT_EQ(1, bus.destroyed);
        ErrorStruct_ err;
        CPCvaskMessage message('k', 6, DT_REQUEST, nullptr);
        EXPECT_EQ(0, com.Send("2/1", &message, &err));
        EXPECT_EQ(26, err.code);
        ASSERT_EQ(1, com.Init("VASK", "COM1", kParam, nullptr)) << "may be initialised again";
    }
    EXPECT_EQ(2, bus.closed);
    EXPECT_EQ(2, bus.destroyed);
}

}  // namespace
