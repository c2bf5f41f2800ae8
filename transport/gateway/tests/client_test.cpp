// The per-thread client: VGInitialize and VGUninitialize, the hidden window, and a client
// that outlives VGUninitialize while requests hold it.
#include "gateway_fixture.h"

#include <thread>

using namespace gwtest;

namespace {

std::vector<HWND> SyncWindowsOf(DWORD thread) {
    std::vector<HWND> found;
    EnumThreadWindows(
        thread,
        [](HWND w, LPARAM p) -> BOOL {
            char cls[64] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (strcmp(cls, "VGWSyncWindow") == 0)
                reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

template <class F>
void OnFreshThread(F f) {
    std::thread t(f);
    t.join();
}

}  // namespace

TEST(ThreadClient, InitializeTwiceOnOneThreadIsRefused) {
    OnFreshThread([] {
        EXPECT_EQ(VGInitialize(), VG_OK);
        EXPECT_EQ(VGInitialize(), VG_ALREADY_INITIALIZED);
        EXPECT_EQ(VGUninitialize(), VG_OK);
        EXPECT_EQ(VGUninitialize(), VG_NOT_INITIALIZED);
        EXPECT_EQ(VGInitialize(), VG_OK);
        EXPECT_EQ(VGUninitialize(), VG_OK);
    });
}

TEST(ThreadClient, EveryFunctionNeedsTheCallingThreadsClient) {
    // Handles of another thread's client do not make a thread initialised.
    Apartment apartment;
    ASSERT_TRUE(apartment.Ok());
    gwpeer::FakeGatewaySide peer({{"COM1", MakeRecord(0, 0, 13)}});
    ASSERT_TRUE(peer.Listening());
    peer.Use();
    ASSERT_EQ(VGInitialize(), VG_OK);
    HVGSERVER server = nullptr;
    HVGLINE line = nullptr;
    ASSERT_EQ(VGConnect("gw", &server), VG_OK);
    ASSERT_EQ(VGOpenLine(server, "COM1", &line), VG_OK);
    Recorder rec;
    HVGRECEIVE rx = nullptr;
    ASSERT_EQ(VGReceive(line, &rx, Recorder::OnReceive, &rec), VG_OK);

    struct Call {
        const char* name;
        std::function<VG_ERROR()> call;
    };
    unsigned char byte = 0;
    unsigned size = 0;
    HVGSERVER s2 = nullptr;
    HVGLINE l2 = nullptr;
    HVGRECEIVE r2 = nullptr;
    HVGTRANSMIT t2 = nullptr;
    const unsigned char data[1] = {1};
    std::vector<Call> calls = {
        {"VGUninitialize", [] { return VGUninitialize(); }},
        {"VGConnect", [&] { return VGConnect("gw2", &s2); }},
        {"VGDisconnect", [&] { return VGDisconnect(server); }},
        {"VGGetFirstLine", [&] { return VGGetFirstLine(server, &l2); }},
        {"VGGetNextLine", [&] { return VGGetNextLine(line, &l2); }},
        {"VGOpenLine", [&] { return VGOpenLine(server, "COM1", &l2); }},
        {"VGCloseLine", [&] { return VGCloseLine(line); }},
        {"VGGetLineName", [&] { return VGGetLineName(line, nullptr, &size); }},
        {"VGConfigureLine", [&] { return VGConfigureLine(line, nullptr); }},
        {"VGGetLineAddress", [&] { return VGGetLineAddress(line, &byte); }},
        {"VGSetLineAddress", [&] { return VGSetLineAddress(line, 14); }},
        {"VGReceive", [&] { return VGReceive(line, &r2, Recorder::OnReceive, &rec); }},
        {"VGTransmit",
         [&] { return VGTransmit(line, 0x21, data, 1, &t2, Recorder::OnTransmit, &rec); }},
        {"VGReceiveData", [&] { return VGReceiveData(rx, nullptr, &size); }},
        {"VGCancelReceive", [&] { return VGCancelReceive(rx); }},
        {"VGCancelTransmit", [&] { return VGCancelTransmit(nullptr); }},
    };
    auto checkAll = [&](const char* when) {
        for (const Call& c : calls)
            EXPECT_EQ(c.call(), VG_NOT_INITIALIZED) << c.name << " " << when;
    };
    OnFreshThread([&] {
        Apartment inner;
        checkAll("before VGInitialize");
        ASSERT_EQ(VGInitialize(), VG_OK);
        ASSERT_EQ(VGUninitialize(), VG_OK);
        checkAll("after VGUninitialize");
    });
    // Nothing of the above reached the gateway side or the handles.
    EXPECT_EQ(peer.Connections(), 1u);
    EXPECT_EQ(peer.CountOf(gwpeer::kWriteRecord), 0u);
    EXPECT_EQ(peer.CountOf(gwpeer::kTransmit), 0u);
    EXPECT_EQ(LineName(line), "COM1");

    EXPECT_EQ(VGCloseLine(line), VG_OK);
    EXPECT_EQ(VGDisconnect(server), VG_OK);
    EXPECT_EQ(VGUninitialize(), VG_OK);
}

TEST(ThreadClient, EachThreadHasItsOwnHiddenWindow) {
    ASSERT_EQ(VGInitialize(), VG_OK);
    EXPECT_EQ(SyncWindowsOf(GetCurrentThreadId()).size(), 1u);
    OnFreshThread([] {
        EXPECT_TRUE(SyncWindowsOf(GetCurrentThreadId()).empty());
        EXPECT_EQ(VGInitialize(), VG_OK) << "another thread's client does not count";
        auto windows = SyncWindowsOf(GetCurrentThreadId());
        ASSERT_EQ(windows.size(), 1u);
        EXPECT_FALSE(IsWindowVisible(windows[0]));
        EXPECT_EQ(VGUninitialize(), VG_OK);
        EXPECT_TRUE(SyncWindowsOf(GetCurrentThreadId()).empty());
    });
    EXPECT_EQ(SyncWindowsOf(GetCurrentThreadId()).size(), 1u);
    EXPECT_EQ(VGUninitialize(), VG_OK);
    EXPECT_TRUE(SyncWindowsOf(GetCurrentThreadId()).empty());
}

class ClientLifetime : public GatewayTest {};

TEST_F(ClientLifetime, PendingRequestKeepsTheThreadInitialisedUntilItEnds) {
    HVGLINE line = Open("COM1");
    Recorder rec;
    HVGRECEIVE rx = nullptr;
    ASSERT_EQ(VGReceive(line, &rx, Recorder::OnReceive, &rec), VG_OK);
    ASSERT_EQ(VGUninitialize(), VG_OK);
    // The request still holds the client: the thread counts as initialised, and giving the
    // client up a second time does not release it again.
    EXPECT_EQ(VGInitialize(), VG_ALREADY_INITIALIZED);
    EXPECT_EQ(VGUninitialize(), VG_OK);
    EXPECT_EQ(SyncWindowsOf(GetCurrentThreadId()).size(), 1u);
    EXPECT_EQ(LineName(line), "COM1");

    EXPECT_EQ(VGCancelReceive(rx), VG_OK);
    EXPECT_TRUE(SyncWindowsOf(GetCurrentThreadId()).empty());
    EXPECT_EQ(VGInitialize(), VG_OK);
    EXPECT_EQ(LineName(line), "COM1");
}

TEST_F(ClientLifetime, ClientReleasedOnTheServersThreadFreesTheCallingThread) {
    HVGLINE line = Open("COM1");
    Recorder rec;
    bool reinitialised = false;
    size_t windowsAfter = 0;
    std::thread worker([&] {
        Apartment apartment;
        ASSERT_EQ(VGInitialize(), VG_OK);
        ASSERT_EQ(VGReceive(line, nullptr, Recorder::OnReceive, &rec), VG_OK);
        ASSERT_EQ(VGUninitialize(), VG_OK);
        ASSERT_TRUE(peer_->SendReceived(0, 0, 0x21, 0, {1, 2, 3}));
        ASSERT_TRUE(rec.WaitFor(1));
        // The request, and with it the client, is released on the server's thread once the
        // callback has returned; the thread is then uninitialised.
        reinitialised = PumpUntil([] {
            VG_ERROR rc = VGInitialize();
            return rc == VG_OK;
        });
        // The old client's window goes when the thread handles the request to destroy it.
        PumpUntil([&] { return SyncWindowsOf(GetCurrentThreadId()).size() == 1; });
        windowsAfter = SyncWindowsOf(GetCurrentThreadId()).size();
        HVGSERVER other = nullptr;
        EXPECT_EQ(VGConnect("another-host", &other), VG_OK);
        EXPECT_EQ(VGDisconnect(other), VG_OK);
        EXPECT_EQ(VGUninitialize(), VG_OK);
    });
    worker.join();
    EXPECT_TRUE(reinitialised);
    EXPECT_EQ(windowsAfter, 1u);
    auto got = rec.Taken();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].data, (std::vector<unsigned char>{1, 2, 3}));
}

TEST_F(ClientLifetime, RequestsOfAThreadThatEndedWithoutUninitializeAreHarmless) {
    HVGLINE line = Open("COM1");
    Recorder gone, mine;
    std::thread worker([&] {
        Apartment apartment;
        ASSERT_EQ(VGInitialize(), VG_OK);
        ASSERT_EQ(VGReceive(line, nullptr, Recorder::OnReceive, &gone), VG_OK);
        // ends without VGUninitialize
    });
    worker.join();
    ASSERT_EQ(VGReceive(line, nullptr, Recorder::OnReceive, &mine), VG_OK);
    // The first telegram goes to the ended thread's request and is dropped with it.
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x21, 0, {1}));
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x22, 0, {2}));
    ASSERT_TRUE(mine.WaitFor(1));
    Barrier();
    EXPECT_EQ(gone.Count(), 0u);
    ASSERT_EQ(mine.Count(), 1u);
    EXPECT_EQ(mine.Taken()[0].source, 0x22);
}
