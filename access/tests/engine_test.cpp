// The request engine against the scripted bus: Init and Done, the sender thread, answer
// matching, retries and time-outs, rejections, fault counters, the download-only mode, the
// answer queue and the timer.
#include "access_test_support.h"

#include <atomic>
#include <thread>

using namespace scripted;

namespace {

unsigned long Info(char command, int function) {
    return ((unsigned long)(unsigned char)command << 8) + function;
}

// A request without values, with its own parameter array.
struct Request {
    CParamArray parameters;
    CPCvaskMessage message;
    Request(char command, int function) : message(command, function, DT_REQUEST, &parameters) {}
};

// Sends one request and keeps what came back.
struct Outcome {
    int result = -1;
    CPCvaskMessage* answer = nullptr;
    ~Outcome() { delete answer; }
};

void SendOne(CvaskAccess& access, int address, int channel, char command, int function,
             Outcome& out, DWORD timeout = 1000) {
    Request request(command, function);
    out.result = access.Send(address, channel, &request.message, out.answer, timeout);
}

ScriptedBus::Reaction Reply(std::initializer_list<std::pair<std::string, Bytes>> replies) {
    ScriptedBus::Reaction reaction;
    for (auto& r : replies) reaction.replies.push_back(r);
    return reaction;
}

}  // namespace

class EngineTest : public AccessFixture {};

// ---- Init and Done ---------------------------------------------------------------------------

TEST_F(EngineTest, RequestBeforeInitFailsAtOnceWith33AndSendsNothing) {
    Request request('k', 6);
    CPCvaskMessage* answer = &request.message;  // must be cleared
    EXPECT_EQ(0, access.Send(3, 0, &request.message, answer, 1000));
    EXPECT_EQ(nullptr, answer);
    EXPECT_EQ(33, access.GetLastError().code);
    EXPECT_EQ(Info('k', 6), access.GetLastError().info);
    EXPECT_EQ(0, bus.SentCount());
    EXPECT_EQ(1, access.GetNetworkStatus());
    EXPECT_EQ(CString(), access.GetNetworkType());
}

struct FailedInitCase {
    const char* name;
    const char* type;
    int networkInitError;  // 0: the network opens
    int code;
};

class FailedInitTest : public AccessFixture,
                       public ::testing::WithParamInterface<FailedInitCase> {};

TEST_P(FailedInitTest, LeavesNoNetworkAndEveryRequestFailsWith33) {
    const FailedInitCase& c = GetParam();
    if (c.networkInitError) bus.FailInit(c.networkInitError);
    EXPECT_EQ(0, access.Init(c.type, "COM9", TestSerialParam()));
    EXPECT_EQ(c.code, access.GetLastError().code);
    EXPECT_EQ(0, bus.NetworksAlive());
    for (int i = 0; i < 2; ++i) {
        Outcome out;
        SendOne(access, 3, 0, 'Z', 2, out);
        EXPECT_EQ(0, out.result);
        EXPECT_EQ(33, access.GetLastError().code);
    }
    EXPECT_EQ(0, bus.SentCount());
    EXPECT_EQ(1, access.Done());
    // The object is usable afterwards.
    bus.FailInit(0);
    bus.SetScript(ScriptedBus::Answering());
    Open(access);
    Outcome out;
    SendOne(access, 3, 0, 'Z', 2, out);
    EXPECT_EQ(1, out.result);
}

INSTANTIATE_TEST_SUITE_P(
    Types, FailedInitTest,
    ::testing::Values(FailedInitCase{"unknown_type", "vask", 0, 25},
                      // The communication object opens the serial bus for it; the access
                      // layer refuses it and closes it again.
                      FailedInitCase{"empty_type", "", 0, 25},
                      FailedInitCase{"network_does_not_open", "VASK", 6, 6}),
    [](const ::testing::TestParamInfo<FailedInitCase>& info) {
        return std::string(info.param.name);
    });

TEST_F(EngineTest, SecondInitIsRefusedWith34) {
    Open(access);
    EXPECT_EQ(0, access.Init("VASK", "COM9", TestSerialParam()));
    EXPECT_EQ(34, access.GetLastError().code);
    EXPECT_EQ(1, bus.NetworksAlive());
    EXPECT_EQ(2, access.GetNetworkStatus());
    EXPECT_EQ(CString("VASK"), access.GetNetworkType());
    int first = 0, last = 0;
    access.GetNetworkAddressRange(first, last);
    EXPECT_EQ(1, first);
    EXPECT_EQ(12, last);
}

// On a thread of its own: a Done that leaves a semaphore without its free count makes the
// next Init or request wait for ever, and the test is to fail with that, not hang.
TEST_F(EngineTest, DoneThenInitWorksAsAfterConstructionFiveTimes) {
    bus.SetScript(ScriptedBus::Answering());
    Start([&] {
        for (int round = 0; round < 5; ++round) {
            SCOPED_TRACE(round);
            if (round % 2 == 1) {
                // Done on an object whose Init failed is harmless too.
                EXPECT_EQ(0, access.Init("SERIAL", "COM9", TestSerialParam()));
                EXPECT_EQ(1, access.Done());
            }
            Open(access);
            AddDevice(access, 3);
            EXPECT_EQ(1, access.Remote(3, 0, 1));
            Outcome out;
            SendOne(access, 3, 0, 'Z', 4, out);
            EXPECT_EQ(1, out.result);
            ASSERT_NE(nullptr, out.answer);
            EXPECT_EQ('Z', out.answer->GetCommand());

            bus.ClearSent();
            EXPECT_EQ(1, access.Done());
            // Remote control was left on the way out.
            ASSERT_EQ(1, bus.SentCount());
            EXPECT_EQ(Bytes({'F', 1, '0', 0}), bus.Sent()[0].body);
            EXPECT_EQ(0, bus.NetworksAlive());
            EXPECT_EQ(0, CvaskAccessInternal::RemoteMode(access));
            EXPECT_EQ(-1, CvaskAccessInternal::RemoteAddress(access));
            EXPECT_TRUE(access.GetDeviceList()->IsEmpty());
            bus.ClearSent();
            Outcome after;
            SendOne(access, 3, 0, 'Z', 4, after);
            EXPECT_EQ(0, after.result);
            EXPECT_EQ(33, access.GetLastError().code);
        }
    });
    JoinOrEnd("five rounds of Init, a request and Done did not end");
    EXPECT_EQ(5, bus.NetworksInitialised());
}

namespace {
CWinThread* NoThread(CvaskAccess*) { return NULL; }
}  // namespace

TEST_F(EngineTest, FailedThreadStartUndoesInitAndNothingWaitsForIt) {
    CvaskAccessInternal::SetThreadStarter(NoThread);
    int result = access.Init("VASK", "COM9", TestSerialParam());
    CvaskAccessInternal::SetThreadStarter(NULL);
    EXPECT_EQ(0, result);
    EXPECT_EQ(1, access.GetLastError().code);
    EXPECT_EQ(0, bus.NetworksAlive());
    EXPECT_FALSE(CvaskAccessInternal::HasTimer(access));

    Start([&] {
        Outcome out;
        SendOne(access, 3, 0, 'Z', 4, out);
        EXPECT_EQ(0, out.result);
        // The record is the requesting thread's.
        EXPECT_EQ(33, access.GetLastError().code);
        EXPECT_EQ(1, access.Done());
    });
    ASSERT_TRUE(Join()) << "a request or Done waited for a sender thread that never started";

    bus.SetScript(ScriptedBus::Answering());
    Open(access);
    Outcome out;
    SendOne(access, 3, 0, 'Z', 4, out);
    EXPECT_EQ(1, out.result);
}

TEST_F(EngineTest, RequestsGoOutOnTheSenderThreadThatRanThreadInit) {
    bus.SetScript(ScriptedBus::Answering());
    Open(access);
    Outcome out;
    SendOne(access, 12, 2, 'Z', 4, out);
    ASSERT_EQ(1, out.result);
    std::vector<SentRequest> sent = bus.Sent();
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ("12/3", sent[0].address);
    EXPECT_NE(GetCurrentThreadId(), sent[0].thread);
    EXPECT_EQ(bus.ThreadInitThread(), sent[0].thread);
}

// ---- matching ----------------------------------------------------------------------------------

TEST_F(EngineTest, OnlyTheAnswerOfTheSenderWithLetterAndFunctionIsTaken) {
    Open(access);
    CDeviceData* device = AddDevice(access, 3);
    device->SetFaultCounter(3);
    bus.SetScript([](const SentRequest&, int) {
        return Reply({{"4/1", Body('Z', 2)},                 // another device
                      {"3/1", Body('Z', 3)},                 // another function
                      {"3/1", Body('F', 2)},                 // another letter
                      {"3/1", Body('Z', 2, {}, 0x21, 7)}});  // the answer
    });
    Outcome out;
    SendOne(access, 3, 0, 'Z', 2, out);
    EXPECT_EQ(1, out.result);
    ASSERT_NE(nullptr, out.answer);
    EXPECT_EQ(2, out.answer->GetFunction());
    EXPECT_EQ(0x21, out.answer->GetFlags());
    EXPECT_EQ(1, bus.SentCount());
    EXPECT_EQ(0, device->GetFaultCounter());
    EXPECT_EQ(0x21, device->GetStatusFlags());
    EXPECT_EQ(7, device->GetChannelState());
    EXPECT_NE(0, device->GetStatusTime().GetTime());
}

// Each telegram is handled as soon as it is complete: the line is not read on after the
// answer, which would hold the answer back by a read time-out of the port.
TEST_F(EngineTest, TheAnswerIsTakenWithoutReadingTheLineOnAfterIt) {
    Open(access);
    CDeviceData* device = AddDevice(access, 3, 1);
    bus.SetScript([](const SentRequest&, int index) {
        if (index > 0) return Reply({});
        return Reply(
            {{"3/1", Body('k', 2, UQFloat("1.5"))}, {"3/1", Body('Z', 2)}, {"3/1", Body('Z', 9)}});
    });
    int before = bus.ReceiveCalls();
    Outcome out;
    SendOne(access, 3, 0, 'Z', 2, out);
    ASSERT_EQ(1, out.result);
    EXPECT_EQ(2, bus.ReceiveCalls() - before) << "the telegram before the answer, then the answer";
    EXPECT_EQ(1, bus.PendingCount()) << "what came after the answer waits for the next reader";
    ASSERT_NE(nullptr, device->GetMeasValue(0));
    EXPECT_DOUBLE_EQ(1.5, device->GetMeasValue(0)->value)
        << "what came before it was handled first";
    // The next request finds it first, in the order it came.
    Outcome next;
    SendOne(access, 3, 0, 'Z', 9, next);
    EXPECT_EQ(1, next.result);
    EXPECT_EQ(0, bus.PendingCount());
}

TEST_F(EngineTest, FailedRequestHandsOutNoAnswerAfterOtherTelegramsWentBy) {
    Open(access);
    AddDevice(access, 3);
    AddDevice(access, 4, 1);
    // Every try sees telegrams that are not the answer; none may reach the caller.
    bus.SetScript([](const SentRequest&, int) {
        return Reply({{"3/1", Body('Z', 9)},
                      {"4/1", Body('k', 2, UQFloat("1.5"))},
                      {"3/1", Body('k', 2, UQFloat("2.5"))},
                      {"5/1", Body('Z', 2)}});
    });
    Outcome out;
    SendOne(access, 3, 0, 'Z', 2, out);
    EXPECT_EQ(0, out.result);
    EXPECT_EQ(nullptr, out.answer);
    EXPECT_EQ(9, access.GetLastError().code);
    EXPECT_EQ(3, bus.SentCount());
}

TEST_F(EngineTest, LateAnswerLeftFromAnEarlierRequestAnswersTheNextIdenticalOne) {
    Open(access);
    AddDevice(access, 3);
    Outcome first;
    SendOne(access, 3, 0, 'Z', 5, first);
    ASSERT_EQ(0, first.result);
    ASSERT_EQ(9, access.GetLastError().code);

    bus.Inject("3/1", Body('Z', 5));
    bus.ClearSent();
    Outcome second;
    SendOne(access, 3, 0, 'Z', 5, second);
    EXPECT_EQ(1, second.result);
    EXPECT_EQ(1, bus.SentCount());
}

TEST_F(EngineTest, MeasuredValuesPassingByAreStoredInTheirSendersEntries) {
    Open(access);
    CDeviceData* asked = AddDevice(access, 3, 2);
    CDeviceData* other = AddDevice(access, 4, 1);
    bus.SetScript([](const SentRequest&, int) {
        return Reply(
            {{"4/1", Body('k', 2, UQFloat("20.900", 5), 1, 2)},
             {"3/1", Body('k', 2, Concat({UQFloat("1.250", 3), UQFloat("7.500", 4)}), 4, 5)},
             {"3/1", Body('Z', 4)}});
    });
    Outcome out;
    SendOne(access, 3, 0, 'Z', 4, out);
    ASSERT_EQ(1, out.result);
    ASSERT_NE(nullptr, other->GetMeasValue(0));
    EXPECT_DOUBLE_EQ(20.9, other->GetMeasValue(0)->value);
    EXPECT_EQ(5, other->GetMeasValue(0)->unit);
    EXPECT_EQ(1, other->GetStatusFlags());
    EXPECT_DOUBLE_EQ(1.25, asked->GetMeasValue(0)->value);
    EXPECT_DOUBLE_EQ(7.5, asked->GetMeasValue(1)->value);
    EXPECT_NE(0, asked->GetMeasTime().GetTime());
}

// ---- retries and time-outs --------------------------------------------------------------------

TEST_F(EngineTest, SilentListedDeviceFailsAfterThreeTriesWith9) {
    Open(access);
    CDeviceData* device = AddDevice(access, 3);
    Outcome out;
    SendOne(access, 3, 0, 'h', 5, out);
    EXPECT_EQ(0, out.result);
    EXPECT_EQ(nullptr, out.answer);
    EXPECT_EQ(9, access.GetLastError().code);
    EXPECT_EQ(Info('h', 5), access.GetLastError().info);
    EXPECT_EQ(3, bus.SentCount());
    EXPECT_EQ(1, device->GetFaultCounter());
}

TEST_F(EngineTest, SilentUnlistedDeviceFailsWith36) {
    Open(access);
    Outcome out;
    SendOne(access, 7, 0, 'h', 5, out);
    EXPECT_EQ(0, out.result);
    EXPECT_EQ(36, access.GetLastError().code);
    EXPECT_EQ(3, bus.SentCount());
}

struct TimeoutCase {
    const char* name;
    DWORD networkTimeout;
    DWORD callerTimeout;
    int expected;  // polls of the line between two tries
};

class AnswerTimeoutTest : public AccessFixture,
                          public ::testing::WithParamInterface<TimeoutCase> {};

// The frozen clock moves one millisecond per poll, so the polls between two tries are the
// time-out that the engine used.
TEST_P(AnswerTimeoutTest, NetworkTimeoutWinsOverTheCallersUnlessItIsZero) {
    bus.SetTimeout(GetParam().networkTimeout);
    bus.SetMaxRetry(2);
    Open(access);
    AddDevice(access, 3);
    Outcome out;
    SendOne(access, 3, 0, 'h', 1, out, GetParam().callerTimeout);
    std::vector<SentRequest> sent = bus.Sent();
    ASSERT_EQ(2u, sent.size());
    int polls = sent[1].receivesBefore - sent[0].receivesBefore;
    EXPECT_NEAR(GetParam().expected, polls, 1);
}

INSTANTIATE_TEST_SUITE_P(Networks, AnswerTimeoutTest,
                         ::testing::Values(TimeoutCase{"serial_uses_the_callers", 0, 700, 700},
                                           TimeoutCase{"gateway_uses_its_own", 2000, 700, 2000}),
                         [](const ::testing::TestParamInfo<TimeoutCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(EngineTest, ZeroTimeoutStillEndsEachTry) {
    Open(access);
    AddDevice(access, 3);
    Outcome out;
    SendOne(access, 3, 0, 'Z', 4, out, 0);
    EXPECT_EQ(0, out.result);
    EXPECT_EQ(9, access.GetLastError().code);
    EXPECT_EQ(3, bus.SentCount());
}

// ---- rejections ----------------------------------------------------------------------------------

struct RejectCase {
    char letter;
    int function;
    int code;
};

class RejectTest : public AccessFixture, public ::testing::WithParamInterface<RejectCase> {};

TEST_P(RejectTest, MapsToItsCodeAndHandsTheRejectionToTheCaller) {
    const RejectCase& c = GetParam();
    Open(access);
    CDeviceData* device = AddDevice(access, 6);
    device->SetFaultCounter(2);
    bus.SetScript([c](const SentRequest& r, int) {
        return Reply({{r.address, Body(c.letter, c.function)}});
    });
    Outcome out;
    SendOne(access, 6, 1, 'Z', 5, out);
    EXPECT_EQ(0, out.result);
    EXPECT_EQ(c.code, access.GetLastError().code);
    EXPECT_EQ(Info('Z', 5), access.GetLastError().info);
    ASSERT_NE(nullptr, out.answer);
    EXPECT_EQ(c.letter, out.answer->GetCommand());
    EXPECT_EQ(1, bus.SentCount());
    EXPECT_EQ(0, device->GetFaultCounter());
    owner.Drain();
    std::vector<WPARAM> posted = owner.Received(WM_APP + 7);
    if (c.code == 50) {
        ASSERT_EQ(1u, posted.size());
        EXPECT_EQ(6u, posted[0]);
    } else {
        EXPECT_TRUE(posted.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Letters, RejectTest,
                         ::testing::Values(RejectCase{'?', 63, 35}, RejectCase{'O', 70, 48},
                                           RejectCase{'B', 83, 49}, RejectCase{'C', 69, 50},
                                           RejectCase{'D', 69, 51}, RejectCase{'S', 69, 52}));

TEST_F(EngineTest, AnSAnswerWithAnotherFunctionIsNoRejection) {
    bus.SetTimeout(5);
    Open(access);
    AddDevice(access, 3);
    bus.SetScript([](const SentRequest& r, int) { return Reply({{r.address, Body('S', 5)}}); });
    Outcome out;
    SendOne(access, 3, 0, 'Z', 5, out);
    EXPECT_EQ(0, out.result);
    EXPECT_EQ(9, access.GetLastError().code);
    EXPECT_EQ(nullptr, out.answer);
}

// ---- requests without an answer -----------------------------------------------------------------

TEST_F(EngineTest, BroadcastReturnsOnceSentWithoutAnswer) {
    Open(access);
    Outcome out;
    SendOne(access, 15, 0, 'F', 10, out);
    EXPECT_EQ(1, out.result);
    EXPECT_EQ(nullptr, out.answer);
    ASSERT_EQ(1, bus.SentCount());
    EXPECT_EQ("15/1", bus.Sent()[0].address);
}

TEST_F(EngineTest, DownloadRecordsExpectNoAnswerAndK21TakesTheDownloadPathOnlyDuringADownload) {
    Open(access);
    for (int fn : {20, 21, 24, 25}) {
        Outcome out;
        SendOne(access, 3, 0, 'K', fn, out);
        EXPECT_EQ(1, out.result) << fn;
        EXPECT_EQ(nullptr, out.answer);
    }
    CvaskAccessInternal::SetDownloadRunning(access, 1);
    Outcome out;
    SendOne(access, 3, 0, 'K', 21, out);
    EXPECT_EQ(1, out.result);
    std::vector<SentRequest> sent = bus.Sent();
    ASSERT_EQ(5u, sent.size());
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(sent[i].download) << i;
    EXPECT_TRUE(sent[4].download);
}

struct DownloadModeCase {
    char command;
    int function;
    bool passes;
};

class DownloadModeTest : public AccessFixture,
                         public ::testing::WithParamInterface<DownloadModeCase> {};

TEST_P(DownloadModeTest, OnlyDownloadTrafficPasses) {
    const DownloadModeCase& c = GetParam();
    bus.SetScript(ScriptedBus::Answering());
    Open(access);
    CvaskAccessInternal::SetDownloadRunning(access, 1);
    Outcome out;
    SendOne(access, 3, 0, c.command, c.function, out);
    if (c.passes) {
        EXPECT_EQ(1, bus.SentCount());
    } else {
        EXPECT_EQ(0, out.result);
        EXPECT_EQ(45, access.GetLastError().code);
        EXPECT_EQ(0, bus.SentCount());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Requests, DownloadModeTest,
    ::testing::Values(DownloadModeCase{'k', 4, false}, DownloadModeCase{'h', 1, false},
                      DownloadModeCase{'F', 1, false}, DownloadModeCase{'k', 20, true},
                      DownloadModeCase{'k', 24, true}, DownloadModeCase{'Z', 1, true},
                      DownloadModeCase{'K', 7, true}, DownloadModeCase{'K', 26, true}));

// ---- fault counters -----------------------------------------------------------------------------

struct FaultCase {
    const char* name;
    bool sendFails;
    int sendResult;
};

class FaultCountTest : public AccessFixture, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultCountTest, ThreeFailedSendsRaiseTheCounterByFour) {
    Open(access);
    CDeviceData* device = AddDevice(access, 3);
    FaultCase c = GetParam();
    bus.SetScript([c](const SentRequest&, int) {
        ScriptedBus::Reaction reaction;
        reaction.sendFails = c.sendFails;
        reaction.sendResult = c.sendResult;
        return reaction;
    });
    Outcome out;
    SendOne(access, 3, 0, 'Z', 4, out);
    EXPECT_EQ(0, out.result);
    EXPECT_EQ(9, access.GetLastError().code);
    EXPECT_EQ(3, bus.SentCount());
    EXPECT_EQ(4, device->GetFaultCounter());
}

INSTANTIATE_TEST_SUITE_P(Sends, FaultCountTest,
                         ::testing::Values(FaultCase{"send_refused", true, 0},
                                           FaultCase{"send_completed_with_error", false, 56}),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(EngineTest, SendThatNeverCompletesEndsTheRequestWith2AfterOneSecond) {
    Open(access);
    CDeviceData* device = AddDevice(access, 3);
    bus.SetScript([](const SentRequest&, int) {
        ScriptedBus::Reaction reaction;
        reaction.completeSend = false;
        return reaction;
    });
    int result = -1, code = -1;
    Start([&] {
        Outcome out;
        SendOne(access, 3, 0, 'Z', 4, out);
        result = out.result;
        code = access.GetLastError().code;
    });
    ASSERT_TRUE(WaitUntil([&] { return bus.SentCount() == 1; }));
    EXPECT_GE(AdvanceUntilFinished(100, 5000), 1000u);
    ASSERT_TRUE(Join());
    EXPECT_EQ(0, result);
    EXPECT_EQ(2, code);
    EXPECT_EQ(1, bus.SentCount());  // no further try
    EXPECT_EQ(1, device->GetFaultCounter());
}

TEST_F(EngineTest, DeviceWithFiveFaultsIsLeftAloneUntilItsNewChance) {
    bus.SetTimeout(10);
    Open(access);
    CDeviceData* device = AddDevice(access, 3);
    for (int i = 0; i < 5; ++i) {
        Outcome out;
        SendOne(access, 3, 0, 'Z', 4, out);
        ASSERT_EQ(9, access.GetLastError().code) << i;
    }
    ASSERT_EQ(5, device->GetFaultCounter());
    int sent = bus.SentCount();
    Outcome refused;
    SendOne(access, 3, 0, 'Z', 4, refused);
    EXPECT_EQ(45, access.GetLastError().code);
    EXPECT_EQ(sent, bus.SentCount());

    testclock::Advance(10000);
    Outcome again;
    SendOne(access, 3, 0, 'Z', 4, again);
    EXPECT_EQ(9, access.GetLastError().code);
    EXPECT_EQ(sent + 3, bus.SentCount());
    Outcome refusedAgain;
    SendOne(access, 3, 0, 'Z', 4, refusedAgain);
    EXPECT_EQ(45, access.GetLastError().code);
    EXPECT_EQ(sent + 3, bus.SentCount());

    // Other devices are not concerned.
    bus.SetScript(ScriptedBus::Answering());
    Outcome other;
    SendOne(access, 4, 0, 'Z', 4, other);
    EXPECT_EQ(1, other.result);
}

// ---- the waits keep the sender thread's window messages moving ------------------------------------

TEST_F(EngineTest, SendCompletionWaitEndsOnTimeUnderAFloodOfMessages) {
    Open(access);
    std::atomic<RecordingWindow*> window(nullptr);
    bus.SetOnSend([&] {
        RecordingWindow* w = new RecordingWindow;  // lives on the sender thread until it ends
        w->Repost(WM_APP + 1);
        PostMessageA(w->Handle(), WM_APP + 1, 0, 0);
        window = w;
    });
    bus.SetScript([](const SentRequest&, int) {
        ScriptedBus::Reaction reaction;
        reaction.completeSend = false;
        return reaction;
    });
    int result = -1, code = -1;
    Start([&] {
        Outcome out;
        SendOne(access, 3, 0, 'Z', 4, out);
        result = out.result;
        code = access.GetLastError().code;
    });
    ASSERT_TRUE(WaitUntil([&] { return window.load() != nullptr; }));
    AdvanceUntilFinished(100, 5000);
    ASSERT_TRUE(Join()) << "the send wait did not end under window traffic";
    EXPECT_EQ(0, result);
    EXPECT_EQ(2, code);
    EXPECT_FALSE(window.load()->Received(WM_APP + 1).empty());
}

TEST_F(EngineTest, MessagesSentToTheSenderThreadGetThroughWhileItWaitsAndBetweenRequests) {
    Open(access);
    std::atomic<HWND> hwnd(nullptr);
    RecordingWindow* window = nullptr;
    bus.SetOnSend([&] {
        if (hwnd.load() != nullptr) return;
        window = new RecordingWindow;
        hwnd = window->Handle();
    });
    bus.SetScript([](const SentRequest& r, int index) {
        ScriptedBus::Reaction reaction = Reply({{r.address, Body(r.command, r.function)}});
        reaction.completeSend = false;
        return reaction;
    });
    int result = -1;
    Start([&] {
        Outcome out;
        SendOne(access, 3, 0, 'Z', 4, out);
        result = out.result;
    });
    ASSERT_TRUE(WaitUntil([&] { return hwnd.load() != nullptr; }));
    DWORD_PTR reply = 0;
    EXPECT_NE(0, SendMessageTimeoutA(hwnd, WM_APP + 2, 42, 0, SMTO_NORMAL, 5000, &reply));
    bus.CompleteSend();
    ASSERT_TRUE(Join());
    EXPECT_EQ(1, result);
    // With nothing to send the thread still takes them: a gateway hands it a late second
    // answer (the duplicate test's) this way.
    EXPECT_NE(0, SendMessageTimeoutA(hwnd, WM_APP + 2, 43, 0, SMTO_NORMAL, 5000, &reply));
    EXPECT_EQ(std::vector<WPARAM>({42, 43}), window->Received(WM_APP + 2));
}

// ---- the caller's wait ----------------------------------------------------------------------------

namespace {

// A caller wait that dispatches the thread's messages, as the program's window thread has one.
void PumpingWait(HANDLE object) {
    for (;;) {
        if (MsgWaitForMultipleObjects(1, &object, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0)
            return;
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
}

// A window of the calling thread whose WM_APP runs `onMessage`.
class HandlerWindow {
public:
    explicit HandlerWindow(std::function<void()> onMessage) : m_onMessage(std::move(onMessage)) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &HandlerWindow::Proc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "EngineTestHandlerWindow";
        RegisterClassA(&wc);
        m_hwnd = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                               wc.hInstance, NULL);
        SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, (LONG_PTR)this);
    }
    ~HandlerWindow() { DestroyWindow(m_hwnd); }
    HWND Handle() const { return m_hwnd; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        HandlerWindow* self = (HandlerWindow*)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
        if (message == WM_APP && self != nullptr) {
            self->m_onMessage();
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    std::function<void()> m_onMessage;
    HWND m_hwnd;
};

// The caller wait installed for a test.
struct CallerWaitScope {
    explicit CallerWaitScope(CvaskAccess::CallerWait wait) : previous(CvaskAccess::SetCallerWait(wait)) {}
    ~CallerWaitScope() { CvaskAccess::SetCallerWait(previous); }
    CvaskAccess::CallerWait previous;
};

}  // namespace

// A request that a window message makes while its thread waits for a request of the same
// object goes out once the request in flight has ended, and each caller gets its own answer
// or failure: the one of the request in flight is not lost.
struct NestedCase {
    const char* name;
    bool firstAnswered;  // the request in flight is answered at its second try, else never
};

class NestedRequestTest : public AccessFixture,
                          public ::testing::WithParamInterface<NestedCase> {};

TEST_P(NestedRequestTest, GoesOutAfterTheRequestInFlightAndBothCallersGetTheirOwnOutcome) {
    const NestedCase& c = GetParam();
    bus.SetScript([&c](const SentRequest& request, int index) {
        ScriptedBus::Reaction reaction;
        // The request in flight is silent at first, so that the message is handled while it
        // is still on the bus.
        const bool answered = request.command == 'w' || (c.firstAnswered && index > 0);
        if (answered)
            reaction.replies.push_back(
                {request.address, Body(request.command, request.function, Bytes())});
        return reaction;
    });
    Open(access);
    AddDevice(access, 3);
    CallerWaitScope installed(PumpingWait);
    Outcome nested;
    int nestedCode = -1, sentBefore = -1;
    BOOL waitingInside = FALSE;
    HandlerWindow window([&] {
        waitingInside = CvaskAccess::IsCallerWaiting();
        sentBefore = bus.SentCount();
        SendOne(access, 3, 0, 'w', 7, nested);
        nestedCode = access.GetLastError().code;
    });
    std::atomic<bool> posted{false};
    bus.SetOnSend([&] {
        if (!posted.exchange(true)) PostMessageA(window.Handle(), WM_APP, 0, 0);
    });
    Outcome first;
    SendOne(access, 3, 0, 'h', 5, first, 50);
    bus.SetOnSend(nullptr);
    EXPECT_TRUE(waitingInside);
    EXPECT_FALSE(CvaskAccess::IsCallerWaiting());
    // The nested request: sent after every try of the first, answered.
    EXPECT_EQ(1, nested.result);
    ASSERT_NE(nullptr, nested.answer);
    EXPECT_EQ('w', nested.answer->GetCommand());
    EXPECT_EQ(7, nested.answer->GetFunction());
    EXPECT_NE(45, nestedCode);
    const std::vector<SentRequest> sent = bus.Sent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(1, sentBefore);
    EXPECT_EQ('w', sent.back().command);
    for (size_t i = 0; i + 1 < sent.size(); ++i) EXPECT_EQ('h', sent[i].command) << i;
    // The first request's own outcome.
    if (c.firstAnswered) {
        EXPECT_EQ(3u, sent.size());
        EXPECT_EQ(1, first.result);
        ASSERT_NE(nullptr, first.answer);
        EXPECT_EQ('h', first.answer->GetCommand());
        EXPECT_EQ(5, first.answer->GetFunction());
    } else {
        EXPECT_EQ(4u, sent.size());
        EXPECT_EQ(0, first.result);
        EXPECT_EQ(nullptr, first.answer);
        EXPECT_EQ(9, access.GetLastError().code);
        EXPECT_EQ(Info('h', 5), access.GetLastError().info);
    }
    // The hand-over is whole again: the next request of another thread goes through.
    Outcome after;
    std::thread other([&] { SendOne(access, 3, 0, 'w', 8, after); });
    other.join();
    EXPECT_EQ(1, after.result);
    EXPECT_EQ(1, access.Done());
}

// Each thread reads the failure of its own last request, whatever another thread's request
// did meanwhile.
TEST_F(EngineTest, EachThreadKeepsTheRecordOfItsOwnLastFailure) {
    bus.SetScript([](const SentRequest& request, int) {
        // Function 1 is rejected as busy, function 2 gets no answer.
        return request.function == 1 ? Reply({{request.address, Body('B', 'S')}})
                                     : ScriptedBus::Reaction();
    });
    Open(access);
    AddDevice(access, 3);
    Outcome rejected;
    SendOne(access, 3, 0, 'h', 1, rejected);
    ASSERT_EQ(0, rejected.result);
    ASSERT_EQ(49, access.GetLastError().code);
    int otherCode = -1;
    unsigned long otherInfo = 0;
    Start([&] {
        Outcome unanswered;
        SendOne(access, 3, 0, 'h', 2, unanswered, 50);
        otherCode = access.GetLastError().code;
        otherInfo = access.GetLastError().info;
    });
    ASSERT_TRUE(Join());
    EXPECT_EQ(9, otherCode);
    EXPECT_EQ(Info('h', 2), otherInfo);
    EXPECT_EQ(49, access.GetLastError().code);
    EXPECT_EQ(Info('h', 1), access.GetLastError().info);
}

INSTANTIATE_TEST_SUITE_P(InFlight, NestedRequestTest,
                         ::testing::Values(NestedCase{"answered", true},
                                           NestedCase{"unanswered", false}),
                         [](const ::testing::TestParamInfo<NestedCase>& info) {
                             return std::string(info.param.name);
                         });

// ---- the receive path and the timer --------------------------------------------------------------

TEST_F(EngineTest, TimerTickDrainsOnlyNetworksThatAskForIt) {
    bus.SetNeedTimer(0);
    Open(access);
    bus.Inject("3/1", Body('Z', 1));
    CvaskAccessInternal::TimerTick(access);
    EXPECT_EQ(0, CvaskAccessInternal::QueueCount(access));
    EXPECT_EQ(1, bus.PendingCount());
    access.Done();

    bus.SetNeedTimer(1);
    Open(access);
    CvaskAccessInternal::TimerTick(access);
    EXPECT_EQ(1, CvaskAccessInternal::QueueCount(access));
    EXPECT_EQ(0, bus.PendingCount());
    // Done empties the queue.
    access.Done();
    EXPECT_EQ(0, CvaskAccessInternal::QueueCount(access));
}

// A network that the timer leaves alone and that signals each telegram as it comes (the
// gateway's) is drained by the sender thread while no request is in flight: a gateway
// passes on every device's broadcasts, and left in the network they would take up its
// receives (twenty) until the reply to the next request found none.
TEST_F(EngineTest, TelegramsOfANetworkWithoutTheTimerAreQueuedBetweenRequests) {
    bus.SetNeedTimer(0);
    bus.SignalArrivals(true);
    Open(access);
    CDeviceData* other = AddDevice(access, 4, 1);
    AddDevice(access, 3);
    for (int i = 0; i < 25; ++i) bus.Inject("4/1", Body('k', 2, UQFloat("20.900", 5)));
    ASSERT_TRUE(WaitUntil([&] { return bus.PendingCount() == 0; }))
        << bus.PendingCount() << " telegrams left in the network";
    EXPECT_EQ(25, CvaskAccessInternal::QueueCount(access));
    for (DWORD thread : bus.ReceiveThreads()) EXPECT_EQ(bus.ThreadInitThread(), thread);

    // The next request's answer loop takes them before its answer, in the order they came.
    bus.SetScript(ScriptedBus::Answering());
    Outcome out;
    SendOne(access, 3, 0, 'Z', 4, out);
    EXPECT_EQ(1, out.result);
    EXPECT_EQ(1, bus.SentCount());
    EXPECT_EQ(0, CvaskAccessInternal::QueueCount(access));
    ASSERT_NE(nullptr, other->GetMeasValue(0));
    EXPECT_DOUBLE_EQ(20.9, other->GetMeasValue(0)->value);
}

namespace {

// Whether a thread waits to enter the section; Wine counts the waiters in LockCount, which
// is -1 while the section is free and 0 while it is held by one thread alone.
bool SomeoneWaitsFor(CCriticalSection& lock) { return lock.m_sect.LockCount > 0; }

}  // namespace

// Every object drains its network under one process-wide lock. A reply that a gateway
// signals while another object (a converter on the timer) drains is taken once that drain
// is over, not after the answer time: the gateway signals it once.
TEST_F(EngineTest, AnAnswerSignalledWhileAnotherObjectDrainsIsTakenWhenThatDrainEnds) {
    bus.SetNeedTimer(0);
    bus.SignalArrivals(true);
    bus.SetTimeout(2000);
    Open(access);
    AddDevice(access, 3);
    bus.SetScript([](const SentRequest&, int) { return ScriptedBus::Reaction(); });
    CCriticalSection& lock = CvaskAccessInternal::ReceiveLock();
    lock.Lock();
    int result = -1;
    Start([&] {
        Outcome out;
        SendOne(access, 3, 0, 'Z', 4, out);
        result = out.result;
    });
    bool signalled = WaitUntil([&] { return bus.SentCount() == 1; });
    if (signalled) bus.Inject("3/1", Body('Z', 4));
    // The sender thread has seen the signal once it waits for the lock.
    const bool waiting = signalled && WaitUntil([&] { return SomeoneWaitsFor(lock); });
    lock.Unlock();
    ASSERT_TRUE(waiting);
    // The clock stands still: only the drain after the lock can end the request.
    const bool ended = Join(5000);
    if (!ended) AdvanceUntilFinished(100, 10000);
    EXPECT_TRUE(ended) << "the answer waited in the network for the time-out";
    EXPECT_EQ(1, result);
    EXPECT_EQ(1, bus.SentCount());
}

TEST_F(EngineTest, TimerFiresWhileTheInitThreadDispatchesAndStopsWithTheLastObject) {
    testclock::Thaw();
    Open(access);
    EXPECT_TRUE(CvaskAccessInternal::HasTimer(access));
    bus.Inject("3/1", Body('Z', 1));
    DWORD start = GetTickCount();
    while (CvaskAccessInternal::QueueCount(access) == 0 && GetTickCount() - start < 10000)
        access.Sleep(20);
    EXPECT_EQ(1, CvaskAccessInternal::QueueCount(access));
    access.Done();
    EXPECT_FALSE(CvaskAccessInternal::HasTimer(access));
}

TEST_F(EngineTest, EachTimerServesEveryObject) {
    testclock::Thaw();
    Open(access);
    ScriptedBus second;
    UseBus(&second);
    {
        CvaskAccess other;
        Open(other);
        UseBus(&bus);
        second.Inject("4/1", Body('Z', 1));
        bus.Inject("3/1", Body('Z', 1));
        // Only this thread's dispatching runs the timers, and either serves both objects.
        DWORD start = GetTickCount();
        while ((CvaskAccessInternal::QueueCount(access) == 0 ||
                CvaskAccessInternal::QueueCount(other) == 0) &&
               GetTickCount() - start < 10000)
            access.Sleep(20);
        EXPECT_EQ(1, CvaskAccessInternal::QueueCount(access));
        EXPECT_EQ(1, CvaskAccessInternal::QueueCount(other));
        // Not the last object: its timer goes on serving the others.
        other.Done();
        EXPECT_TRUE(CvaskAccessInternal::HasTimer(other));
    }
    access.Done();
    EXPECT_FALSE(CvaskAccessInternal::HasTimer(access));
}

TEST_F(EngineTest, DoneWaitsForTheRequestInFlight) {
    Open(access);
    bus.SetScript([](const SentRequest&, int) {
        ScriptedBus::Reaction reaction;
        reaction.completeSend = false;
        return reaction;
    });
    int result = -1;
    Start([&] {
        Outcome out;
        SendOne(access, 3, 0, 'Z', 4, out);
        result = out.result;
    });
    ASSERT_TRUE(WaitUntil([&] { return bus.SentCount() == 1; }));
    struct Closer {
        static DWORD WINAPI Proc(LPVOID a) {
            static_cast<CvaskAccess*>(a)->Done();
            return 0;
        }
    };
    HANDLE closer = CreateThread(NULL, 0, Closer::Proc, &access, 0, NULL);
    ASSERT_NE((HANDLE)NULL, closer);
    // The network stays open while the request waits for its send to complete.
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(closer, 200));
    EXPECT_EQ(0, bus.NetworksClosed());
    AdvanceUntilFinished(100, 5000);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(closer, 10000));
    CloseHandle(closer);
    EXPECT_EQ(0, result);
    EXPECT_EQ(1, bus.NetworksClosed());
    EXPECT_EQ(0, bus.NetworksAlive());
}

TEST_F(EngineTest, ReceiveDuplicateFindsASecondAnswerToTheLastRequest) {
    bus.SetScript([](const SentRequest& r, int) {
        return Reply({{r.address, Body('Z', 4)}, {"3/1", Body('Z', 1)}, {r.address, Body('Z', 4)}});
    });
    Open(access);
    Outcome out;
    SendOne(access, 3, 0, 'Z', 4, out);
    ASSERT_EQ(1, out.result);
    EXPECT_EQ(1, access.ReceiveDuplicate());

    bus.SetScript(ScriptedBus::Answering());
    Outcome single;
    SendOne(access, 3, 0, 'Z', 4, single);
    ASSERT_EQ(1, single.result);
    // The wait ends after the profile's 400 ms: each poll of the bus moves the clock.
    int polls = bus.ReceiveCalls();
    EXPECT_EQ(0, access.ReceiveDuplicate());
    EXPECT_NEAR(400, bus.ReceiveCalls() - polls, 1);
}

TEST_F(EngineTest, ReceiveDuplicateStaysBoundedUnderABadProfileValue) {
    // The program's profile value, written for the case and removed again.
    struct ProfileValue {
        explicit ProfileValue(int ms) {
            AfxGetApp()->WriteProfileInt("Program options", "DuplicateTimeout", ms);
        }
        ~ProfileValue() {
            AfxGetApp()->WriteProfileString("Program options", "DuplicateTimeout", NULL);
        }
    };
    bus.SetScript(ScriptedBus::Answering());
    Open(access);
    // A negative value (read back as a huge unsigned one) and one of many days.
    for (int ms : {-1, 2000000000}) {
        ProfileValue value(ms);
        Outcome single;
        SendOne(access, 3, 0, 'Z', 4, single);
        ASSERT_EQ(1, single.result);
        int found = -1;
        Start([&] { found = access.ReceiveDuplicate(); });
        // Each poll of the bus moves the clock by a millisecond: a wait of days would
        // not end here.
        ASSERT_TRUE(Join(20000)) << ms;
        EXPECT_EQ(0, found) << ms;
    }
}

// ---- forwarding ---------------------------------------------------------------------------------

TEST_F(EngineTest, LineMembersNeedANetwork) {
    EXPECT_EQ(0, access.SetSelectedLine("line 2"));
    EXPECT_EQ(33, access.GetLastError().code);
    EXPECT_EQ(CString(), access.GetLineName());
    EXPECT_EQ(0, access.ConfigureLine(NULL));
    EXPECT_EQ(0, access.SetMyAddress(12));  // refused before anything else

    Open(access);
    EXPECT_EQ(1, access.SetSelectedLine("line 2"));
    EXPECT_EQ(CString("line 2"), access.GetSelectedLine());
    EXPECT_EQ(1, access.SetMyAddress(13));
    EXPECT_EQ(13, CvaskAddress::Myself);
    EXPECT_EQ(1, access.SetMyAddress(14));
    EXPECT_EQ(0x10801u, CvaskAccess::GetDllVersion());
    EXPECT_EQ(0x10500u, CvaskAccess::GetVaskVersion());
}
