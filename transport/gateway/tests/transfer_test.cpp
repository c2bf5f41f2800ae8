// Transmit and receive requests: what reaches the gateway, how completions come back, on
// which thread, and what cancelling and closing do.
#include "gateway_fixture.h"

#include <stdexcept>
#include <thread>

using namespace gwtest;

namespace {

class Transmit : public GatewayTest {
protected:
    HVGTRANSMIT Send(HVGLINE line, int destination, std::vector<unsigned char> data) {
        HVGTRANSMIT tx = nullptr;
        EXPECT_EQ(VGTransmit(line, destination, data.data(), static_cast<int>(data.size()), &tx,
                             Recorder::OnTransmit, &rec_),
                  VG_OK);
        EXPECT_NE(tx, nullptr);
        return tx;
    }
    gwpeer::Transmit Seen(size_t nth) {
        gwpeer::Transmit t;
        EXPECT_TRUE(peer_->WaitForTransmit(nth, &t)) << "transmit " << nth << " not seen";
        return t;
    }
    Recorder rec_;
};

TEST_F(Transmit, GatewayStatusBecomesTheCallbacksResult) {
    HVGLINE line = Open("COM2");
    struct Case {
        uint8_t status;
        VG_ERROR result;
    } cases[] = {{0, VG_OK}, {1, VG_NO_ACK}, {2, VG_TRANSMIT_FAILED}, {255, VG_TRANSMIT_FAILED}};
    size_t n = 0;
    for (const Case& c : cases) {
        HVGTRANSMIT tx = Send(line, 0x3A, {0x77, 0x01, c.status});
        gwpeer::Transmit seen = Seen(n);
        EXPECT_EQ(seen.line, 1);
        EXPECT_EQ(seen.destination, 0x3A);
        EXPECT_EQ(seen.data, (std::vector<uint8_t>{0x77, 0x01, c.status}));
        ASSERT_TRUE(peer_->SendTransmitDone(seen.connection, seen.line, seen.id, c.status));
        ASSERT_TRUE(rec_.WaitFor(n + 1)) << "status " << int(c.status);
        Completion got = rec_.Taken()[n];
        EXPECT_EQ(got.result, c.result) << "status " << int(c.status);
        EXPECT_EQ(got.request, tx);
        EXPECT_EQ(got.context, &rec_);
        EXPECT_EQ(got.thread, GetCurrentThreadId());
        ++n;
    }
}

TEST_F(Transmit, CompletionSupersedesTheRequestsQueuedBeforeIt) {
    HVGLINE line = Open("COM1");
    struct Case {
        const char* name;
        std::vector<size_t> reported;   // transmits reported done, in this order
        std::vector<size_t> cancelled;  // cancelled before the reports
        std::vector<std::pair<size_t, VG_ERROR>> expected;
    } cases[] = {
        {"second done first", {1}, {}, {{0, VG_LINE_FAILED}, {1, VG_OK}}},
        {"in order", {0, 1}, {}, {{0, VG_OK}, {1, VG_OK}}},
        {"third done", {2}, {}, {{0, VG_LINE_FAILED}, {1, VG_LINE_FAILED}, {2, VG_OK}}},
        {"cancelled one is not superseded", {2}, {1}, {{0, VG_LINE_FAILED}, {2, VG_OK}}},
        {"report of a cancelled one is ignored", {0, 2}, {0}, {{1, VG_LINE_FAILED}, {2, VG_OK}}},
    };
    size_t transmitsSeen = 0;
    for (const Case& c : cases) {
        Recorder rec;
        std::vector<HVGTRANSMIT> handles(3);
        std::vector<gwpeer::Transmit> seen;
        for (size_t i = 0; i < 3; ++i) {
            const unsigned char data[1] = {static_cast<unsigned char>(i)};
            ASSERT_EQ(VGTransmit(line, 0x21, data, 1, &handles[i], Recorder::OnTransmit, &rec),
                      VG_OK);
            seen.push_back(Seen(transmitsSeen++));
        }
        for (size_t i : c.cancelled) EXPECT_EQ(VGCancelTransmit(handles[i]), VG_OK);
        for (size_t i : c.reported) ASSERT_TRUE(peer_->SendTransmitDone(0, 0, seen[i].id, 0));
        Barrier();
        auto got = rec.Taken();
        ASSERT_EQ(got.size(), c.expected.size()) << c.name;
        for (size_t k = 0; k < got.size(); ++k) {
            EXPECT_EQ(got[k].request, handles[c.expected[k].first]) << c.name << " #" << k;
            EXPECT_EQ(got[k].result, c.expected[k].second) << c.name << " #" << k;
        }
        for (HVGTRANSMIT h : handles) VGCancelTransmit(h);  // whatever is left
    }
}

TEST_F(Transmit, RefusedTransmitHasNoCallback) {
    HVGLINE line = Open("COM1");
    const unsigned char data[3] = {1, 2, 3};
    struct Case {
        const char* what;
        int destination;
        const unsigned char* data;
        int length;
    } cases[] = {
        {"destination beyond a byte", 0x100, data, 3},
        {"negative destination", -1, data, 3},
        {"negative length", 0x21, data, -1},
        {"no data", 0x21, nullptr, 3},
    };
    for (const Case& c : cases) {
        HVGTRANSMIT tx = reinterpret_cast<HVGTRANSMIT>(1);
        EXPECT_EQ(
            VGTransmit(line, c.destination, c.data, c.length, &tx, Recorder::OnTransmit, &rec_),
            VG_LINE_FAILED)
            << c.what;
        EXPECT_EQ(tx, nullptr) << c.what;
    }
    // A later transmit completes alone: the refused ones left nothing in the queue.
    HVGTRANSMIT good = Send(line, 0x21, {9});
    gwpeer::Transmit seen = Seen(0);
    EXPECT_EQ(seen.data, (std::vector<uint8_t>{9}));
    ASSERT_TRUE(peer_->SendTransmitDone(0, 0, seen.id, 0));
    ASSERT_TRUE(rec_.WaitFor(1));
    Barrier();
    auto got = rec_.Taken();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].request, good);
    EXPECT_EQ(got[0].result, VG_OK);
}

TEST_F(Transmit, EmptyTelegramIsTransmitted) {
    HVGLINE line = Open("COM1");
    HVGTRANSMIT tx = nullptr;
    ASSERT_EQ(VGTransmit(line, 0x0F, nullptr, 0, &tx, Recorder::OnTransmit, &rec_), VG_OK);
    gwpeer::Transmit seen = Seen(0);
    EXPECT_EQ(seen.destination, 0x0F);
    EXPECT_TRUE(seen.data.empty());
}

TEST_F(Transmit, TransmitOverALostConnectionIsRefused) {
    HVGLINE line = Open("COM1");
    peer_->Close(0);
    unsigned char address = 0;
    // The record request finds the connection gone, and so does every transmit after it.
    ASSERT_EQ(VGGetLineAddress(line, &address), VG_LINE_FAILED);
    const unsigned char data[1] = {1};
    HVGTRANSMIT tx = nullptr;
    EXPECT_EQ(VGTransmit(line, 0x21, data, 1, &tx, Recorder::OnTransmit, &rec_), VG_LINE_FAILED);
    EXPECT_EQ(tx, nullptr);
    EXPECT_EQ(rec_.Count(), 0u);
}

TEST_F(Transmit, ReportForAnUnknownRequestIsIgnored) {
    HVGLINE line = Open("COM1");
    HVGTRANSMIT tx = Send(line, 0x21, {1});
    gwpeer::Transmit seen = Seen(0);
    ASSERT_TRUE(peer_->SendTransmitDone(0, 0, seen.id + 1000, 0));
    Barrier();
    EXPECT_EQ(rec_.Count(), 0u);
    ASSERT_TRUE(peer_->SendTransmitDone(0, 0, seen.id, 0));
    ASSERT_TRUE(rec_.WaitFor(1));
    EXPECT_EQ(rec_.Taken()[0].request, tx);
}

class Receive : public GatewayTest {};

TEST_F(Receive, TelegramReachesTheCallbackWithItsData) {
    HVGLINE line = Open("COM1");
    Recorder rec;
    // Inside the callback the data can be asked with too small or no buffer first.
    std::vector<std::pair<int, unsigned>> probes;
    rec.m_onReceive = [&](HVGRECEIVE r) {
        unsigned char small[2];
        unsigned size = sizeof small;
        probes.emplace_back(VGReceiveData(r, small, &size), size);
        size = 1000;
        probes.emplace_back(VGReceiveData(r, nullptr, &size), size);
    };
    HVGRECEIVE rx = nullptr;
    ASSERT_EQ(VGReceive(line, &rx, Recorder::OnReceive, &rec), VG_OK);
    unsigned size = 10;
    EXPECT_EQ(VGReceiveData(rx, nullptr, &size), VG_NO_DATA) << "a pending request holds no data";

    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x21, 0x5C, {0x00, 0x41, 0xFF, 0x0D, 0x10}));
    ASSERT_TRUE(rec.WaitFor(1));
    Completion got = rec.Taken()[0];
    EXPECT_EQ(got.request, rx);
    EXPECT_EQ(got.result, VG_OK);
    EXPECT_EQ(got.source, 0x21);
    EXPECT_EQ(got.second, 0x5C);
    EXPECT_EQ(got.context, &rec);
    EXPECT_EQ(got.thread, GetCurrentThreadId());
    EXPECT_EQ(got.dataResult, VG_OK);
    EXPECT_EQ(got.data, (std::vector<unsigned char>{0x00, 0x41, 0xFF, 0x0D, 0x10}));
    ASSERT_EQ(probes.size(), 2u);
    EXPECT_EQ(probes[0], std::make_pair(int(VG_BUFFER_TOO_SMALL), 5u));
    EXPECT_EQ(probes[1], std::make_pair(int(VG_BUFFER_TOO_SMALL), 5u));
    // Once the callback has returned the request holds no data any more (or is gone).
    unsigned char after[16];
    size = sizeof after;
    VG_ERROR rc = VGReceiveData(rx, after, &size);
    EXPECT_TRUE(rc == VG_NO_DATA || rc == VG_INVALID_RECEIVE) << rc;
}

TEST_F(Receive, EmptyTelegramCompletesWithNoBytes) {
    HVGLINE line = Open("COM1");
    Recorder rec;
    ASSERT_EQ(VGReceive(line, nullptr, Recorder::OnReceive, &rec), VG_OK);
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x31, 0, {}));
    ASSERT_TRUE(rec.WaitFor(1));
    EXPECT_EQ(rec.Taken()[0].dataResult, VG_OK);
    EXPECT_TRUE(rec.Taken()[0].data.empty());
}

TEST_F(Receive, RequestsCompleteOldestFirstAndTelegramsWithoutOneAreDropped) {
    HVGLINE line = Open("COM1");
    Recorder rec;
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x11, 0, {0xD0}));  // nobody waits: dropped
    Barrier();
    HVGRECEIVE first = nullptr, cancelled = nullptr, second = nullptr;
    ASSERT_EQ(VGReceive(line, &first, Recorder::OnReceive, &rec), VG_OK);
    ASSERT_EQ(VGReceive(line, &cancelled, Recorder::OnReceive, &rec), VG_OK);
    ASSERT_EQ(VGReceive(line, &second, Recorder::OnReceive, &rec), VG_OK);
    ASSERT_EQ(VGCancelReceive(cancelled), VG_OK);
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x21, 0, {0xA1}));
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x22, 0, {0xA2}));
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x23, 0, {0xA3}));  // nobody left: dropped
    Barrier();
    auto got = rec.Taken();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].request, first);
    EXPECT_EQ(got[0].data, std::vector<unsigned char>{0xA1});
    EXPECT_EQ(got[1].request, second);
    EXPECT_EQ(got[1].data, std::vector<unsigned char>{0xA2});
}

TEST_F(Receive, TelegramsOfOtherLinesDoNotCompleteTheRequest) {
    HVGLINE com1 = Open("COM1");
    Recorder rec;
    ASSERT_EQ(VGReceive(com1, nullptr, Recorder::OnReceive, &rec), VG_OK);
    Barrier();  // a telegram on COM2
    EXPECT_EQ(rec.Count(), 0u);
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x21, 0, {1}));
    ASSERT_TRUE(rec.WaitFor(1));
}

TEST_F(Receive, CallbackRunsOnTheThreadThatQueuedTheRequest) {
    HVGLINE line = Open("COM1");
    Recorder mine, theirs;
    DWORD workerId = 0;
    HANDLE queued = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread worker([&] {
        Apartment apartment;
        workerId = GetCurrentThreadId();
        ASSERT_EQ(VGInitialize(), VG_OK);
        EXPECT_EQ(VGReceive(line, nullptr, Recorder::OnReceive, &theirs), VG_OK);
        SetEvent(queued);
        EXPECT_TRUE(theirs.WaitFor(1));
        EXPECT_EQ(VGUninitialize(), VG_OK);
    });
    ASSERT_EQ(WaitForSingleObject(queued, kDeadlineMs), WAIT_OBJECT_0);
    ASSERT_EQ(VGReceive(line, nullptr, Recorder::OnReceive, &mine), VG_OK);
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x21, 0, {1}));
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x22, 0, {2}));
    EXPECT_TRUE(mine.WaitFor(1));
    worker.join();
    CloseHandle(queued);
    ASSERT_EQ(theirs.Count(), 1u);
    ASSERT_EQ(mine.Count(), 1u);
    EXPECT_EQ(theirs.Taken()[0].thread, workerId);
    EXPECT_EQ(theirs.Taken()[0].source, 0x21);
    EXPECT_EQ(mine.Taken()[0].thread, GetCurrentThreadId());
    EXPECT_EQ(mine.Taken()[0].source, 0x22);
}

TEST_F(Receive, SingleThreadedApartmentGetsItsCallbacks) {
    Recorder rec;
    std::thread worker([&] {
        Apartment apartment(COINIT_APARTMENTTHREADED);
        ASSERT_TRUE(apartment.Ok());
        ASSERT_EQ(VGInitialize(), VG_OK);
        HVGSERVER server = nullptr;
        HVGLINE line = nullptr;
        ASSERT_EQ(VGConnect("sta-host", &server), VG_OK);
        ASSERT_EQ(VGOpenLine(server, "COM2", &line), VG_OK);
        ASSERT_EQ(VGReceive(line, nullptr, Recorder::OnReceive, &rec), VG_OK);
        ASSERT_TRUE(PumpUntil([&] { return peer_->Connections() == 2; }));
        EXPECT_TRUE(peer_->SendReceived(1, 1, 0x2E, 0x01, {0x42}));
        EXPECT_TRUE(rec.WaitFor(1));
        EXPECT_EQ(VGCloseLine(line), VG_OK);
        EXPECT_EQ(VGDisconnect(server), VG_OK);
        EXPECT_EQ(VGUninitialize(), VG_OK);
    });
    worker.join();
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.Taken()[0].data, std::vector<unsigned char>{0x42});
}

TEST_F(Receive, ExceptionThrownByACallbackIsSwallowed) {
    HVGLINE line = Open("COM1");
    Recorder rec;
    rec.m_onReceive = [](HVGRECEIVE) { throw std::runtime_error("caller's fault"); };
    ASSERT_EQ(VGReceive(line, nullptr, Recorder::OnReceive, &rec), VG_OK);
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x21, 0, {1}));
    Barrier();
    rec.m_onReceive = nullptr;
    ASSERT_EQ(VGReceive(line, nullptr, Recorder::OnReceive, &rec), VG_OK);
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x22, 0, {2}));
    ASSERT_TRUE(rec.WaitFor(1));
    EXPECT_EQ(rec.Taken()[0].source, 0x22);
}

class CloseLine : public GatewayTest {};

TEST_F(CloseLine, PendingRequestsAreDroppedWithoutCallbacks) {
    HVGLINE line = nullptr;
    ASSERT_EQ(VGOpenLine(server_, "COM1", &line), VG_OK);
    Recorder rec;
    HVGRECEIVE rx = nullptr;
    HVGTRANSMIT tx = nullptr;
    const unsigned char data[1] = {5};
    ASSERT_EQ(VGReceive(line, &rx, Recorder::OnReceive, &rec), VG_OK);
    ASSERT_EQ(VGTransmit(line, 0x21, data, 1, &tx, Recorder::OnTransmit, &rec), VG_OK);
    gwpeer::Transmit seen;
    ASSERT_TRUE(peer_->WaitForTransmit(0, &seen));
    ASSERT_EQ(VGCloseLine(line), VG_OK);
    EXPECT_EQ(VGCancelReceive(rx), VG_INVALID_RECEIVE);
    EXPECT_EQ(VGCancelTransmit(tx), VG_INVALID_TRANSMIT);

    ASSERT_TRUE(peer_->SendTransmitDone(0, 0, seen.id, 0));
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x21, 0, {1}));
    Barrier();
    EXPECT_EQ(rec.Count(), 0u);
}

TEST_F(CloseLine, CallbackMayCloseItsOwnLine) {
    HVGLINE line = nullptr;
    ASSERT_EQ(VGOpenLine(server_, "COM1", &line), VG_OK);
    Recorder rec;
    std::vector<VG_ERROR> closes;
    rec.m_onReceive = [&](HVGRECEIVE) { closes.push_back(VGCloseLine(line)); };
    ASSERT_EQ(VGReceive(line, nullptr, Recorder::OnReceive, &rec), VG_OK);
    ASSERT_EQ(VGReceive(line, nullptr, Recorder::OnReceive, &rec), VG_OK);
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x21, 0, {1}));
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x22, 0, {2}));
    Barrier();
    ASSERT_EQ(rec.Count(), 1u) << "the second request went with the line";
    EXPECT_EQ(closes, std::vector<VG_ERROR>{VG_OK});
    EXPECT_EQ(rec.Taken()[0].data, std::vector<unsigned char>{1});
}

// A completion that the server has already handed to this thread's window, but that the
// thread has not dispatched yet, is in flight: cancelling the request or closing its line
// meanwhile must still mean that no callback follows.
class InFlight : public GatewayTest {
protected:
    // Waits, without dispatching, until a sent message waits for this thread.
    static bool WaitForSentMessage() {
        const ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
        while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE)) {
            if (GetTickCount64() >= deadline) return false;
            Sleep(1);
        }
        return true;
    }
};

TEST_F(InFlight, CancelledOrClosedRequestGetsNoCallback) {
    enum What { kReceive, kTransmit };
    enum How { kCancel, kCloseLine };
    struct Case {
        const char* name;
        What what;
        How how;
    } cases[] = {
        {"receive cancelled", kReceive, kCancel},
        {"receive of a closed line", kReceive, kCloseLine},
        {"transmit cancelled", kTransmit, kCancel},
        {"transmit of a closed line", kTransmit, kCloseLine},
    };
    size_t transmits = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HVGLINE line = nullptr;
        ASSERT_EQ(VGOpenLine(server_, "COM1", &line), VG_OK);
        Recorder rec;
        HVGRECEIVE rx = nullptr;
        HVGTRANSMIT tx = nullptr;
        if (c.what == kReceive) {
            ASSERT_EQ(VGReceive(line, &rx, Recorder::OnReceive, &rec), VG_OK);
            ASSERT_TRUE(peer_->SendReceived(0, 0, 0x21, 0, {1}));
        } else {
            const unsigned char data[1] = {1};
            ASSERT_EQ(VGTransmit(line, 0x21, data, 1, &tx, Recorder::OnTransmit, &rec), VG_OK);
            gwpeer::Transmit seen;
            ASSERT_TRUE(peer_->WaitForTransmit(transmits++, &seen));
            ASSERT_TRUE(peer_->SendTransmitDone(0, 0, seen.id, 0));
        }
        ASSERT_TRUE(WaitForSentMessage()) << "the completion did not come";
        if (c.how == kCancel) {
            EXPECT_EQ(c.what == kReceive ? VGCancelReceive(rx) : VGCancelTransmit(tx), VG_OK);
        } else {
            EXPECT_EQ(VGCloseLine(line), VG_OK);
        }
        Barrier();
        EXPECT_EQ(rec.Count(), 0u);
        if (c.how == kCancel) {
            EXPECT_EQ(c.what == kReceive ? VGCancelReceive(rx) : VGCancelTransmit(tx),
                      c.what == kReceive ? VG_INVALID_RECEIVE : VG_INVALID_TRANSMIT)
                << "the request has ended";
            EXPECT_EQ(VGCloseLine(line), VG_OK);
        }
    }
}

}  // namespace
