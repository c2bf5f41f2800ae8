// The gateway network against the simulator's gateway side: requests reach the simulated
// devices through the gateway client and the server stand-in, their replies come back as
// parsed messages, and the simulator's faults come back as the send results the access
// layer sees.  The test's thread plays both the caller and the sender thread.
#include <winsock2.h>

#include "tcpnetwork.h"
#include "vaskmessage.h"
#include "vasksim_client.h"
#include "vasksim_gateway.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr unsigned kDeadlineMs = 10000;

// Waits, dispatching messages as the sender thread does, until the auto-reset event is set.
bool WaitForEvent(HANDLE event, unsigned timeoutMs = kDeadlineMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        if (WaitForSingleObject(event, 0) == WAIT_OBJECT_0) return true;
        ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        MsgWaitForMultipleObjectsEx(1, &event,
                                    static_cast<DWORD>(deadline - now < 20 ? deadline - now : 20),
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

std::vector<std::string> Texts(CPCvaskMessage* m) {
    std::vector<std::string> texts;
    CParamArray* params = m ? m->GetParameters() : nullptr;
    for (int k = 0; params && k < params->GetSize(); ++k) {
        char text[256] = "";
        params->GetAt(k)->GetValue(1, text, sizeof text);
        texts.push_back(text);
    }
    return texts;
}

class GatewayNetwork : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(vasksim::UseSimulatorGateway(&why)) << why;
        ASSERT_TRUE(sim_.Connect(&why)) << why;
        ASSERT_TRUE(sim_.Reset()) << sim_.LastError();
        net_.ThreadInit();
    }
    void TearDown() override {
        net_.Done(nullptr);
        net_.ThreadDone();
        CoUninitialize();
    }

    void Open(const char* line) {
        ErrorStruct_ err;
        ASSERT_EQ(1, net_.Init("analyzer-gateway", nullptr, &err)) << err.text;
        ASSERT_EQ(1, net_.SetSelectedLine(line, &err)) << err.text;
    }

    // One request as the access layer makes it: send, wait for the send result, then for
    // the answer until the network's own time-out.  The answer, or null.
    CPCvaskMessage* Ask(const char* address, char letter, int function, int* sendResult,
                        CString* from) {
        CPCvaskMessage request(letter, function, DT_REQUEST, nullptr);
        ErrorStruct_ err;
        EXPECT_EQ(1, net_.Send(address, &request, &err)) << err.text;
        if (!WaitForEvent(net_.GetSendEvent())) {
            ADD_FAILURE() << "no transmit result";
            return nullptr;
        }
        *sendResult = net_.GetSendResult();
        if (*sendResult != 0) return nullptr;
        const ULONGLONG deadline = GetTickCount64() + net_.GetTimeout();
        while (GetTickCount64() < deadline) {
            if (!WaitForEvent(net_.GetRecvEvent(),
                              static_cast<unsigned>(deadline - GetTickCount64())))
                break;
            CPCvaskMessage* answer = nullptr;
            EXPECT_EQ(1, net_.Receive(*from, answer, &err)) << err.text;
            if (answer) return answer;
        }
        return nullptr;
    }

    vasksim::SimClient sim_;
    CtcpNetwork net_;
};

}  // namespace

TEST_F(GatewayNetwork, AVersionRequestIsAnsweredByTheSimulatedDevice) {
    ASSERT_TRUE(sim_.Command("SET 2 serial GW-4711"));
    Open("COM1");
    int result = -1;
    CString from;
    CPCvaskMessage* answer = Ask("2/1", 'k', 6, &result, &from);
    EXPECT_EQ(0, result);
    ASSERT_NE(nullptr, answer);
    EXPECT_EQ("2/1", std::string((const char*)from));
    EXPECT_EQ('k', answer->GetCommand());
    EXPECT_EQ(6, answer->GetFunction());
    std::vector<std::string> texts = Texts(answer);
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "GW-4711"));
    delete answer;

    std::vector<vasksim::SimLogEntry> log;
    ASSERT_TRUE(sim_.Log(log));
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ("2/0", log[0].to);
    EXPECT_EQ("13/0", log[0].from);
    EXPECT_EQ("6B06", log[0].body);
}

TEST_F(GatewayNetwork, TheOwnAddressIsTheLinesAndTheDevicesAnswerIt) {
    Open("COM1");
    ErrorStruct_ err;
    ASSERT_EQ(1, net_.SetMyAddress(14, &err)) << err.text;
    std::vector<std::string> record;
    ASSERT_TRUE(sim_.Command("RECORD", &record));
    EXPECT_EQ("0E", record.at(0).substr(18, 2)) << record.at(0);
    int result = -1;
    CString from;
    CPCvaskMessage* answer = Ask("1/1", 'k', 3, &result, &from);
    ASSERT_NE(nullptr, answer);
    delete answer;
    std::vector<vasksim::SimLogEntry> log;
    ASSERT_TRUE(sim_.Log(log));
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ("14/0", log[0].from);
}

TEST_F(GatewayNetwork, FaultsOnTheLineBecomeSendResults) {
    Open("COM1");
    struct Case {
        const char* fault;  // FAULT arguments, or empty
        const char* address;
        int result;
        bool answered;
    } cases[] = {
        {"", "1/1", 0, true},
        {"1 silent", "1/1", 66, false},  // no acknowledgement
        {"", "7/1", 66, false},          // nobody at 7
        {"1 nak", "1/1", 2, false},      // the device does not respond
        {"1 noreply", "1/1", 0, false},  // acknowledged, never answered: the access layer times out
        {"1 reject 1 CE", "1/1", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + " to " + c.address);
        if (*c.fault) {
            ASSERT_TRUE(sim_.Fault(c.fault));
        }
        int result = -1;
        CString from;
        CPCvaskMessage* answer = Ask(c.address, 'k', 3, &result, &from);
        EXPECT_EQ(c.result, result);
        EXPECT_EQ(c.answered, answer != nullptr);
        delete answer;
    }
}

TEST_F(GatewayNetwork, AnotherLineHasItsOwnDevices) {
    ASSERT_TRUE(sim_.Command("LINES 2"));
    ASSERT_TRUE(sim_.Command("LINE COM2 DEVICE 9 type=2"));
    ASSERT_TRUE(sim_.Command("LINE COM2 SET 9 serial SECOND-LINE"));
    Open("COM2");
    int result = -1;
    CString from;
    CPCvaskMessage* answer = Ask("9/1", 'k', 6, &result, &from);
    ASSERT_NE(nullptr, answer);
    std::vector<std::string> texts = Texts(answer);
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "SECOND-LINE"));
    delete answer;
    EXPECT_EQ(nullptr, Ask("1/1", 'k', 6, &result, &from)) << "device 1 is on COM1 only";
    EXPECT_EQ(66, result);
}
