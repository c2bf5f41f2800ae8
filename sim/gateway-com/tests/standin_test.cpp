// The gateway server stand-in as a COM client sees it, checked frame by frame at a fake
// gateway side.
#include "fake_gateway_side.h"  // winsock2.h before windows.h
#include "../src/interfaces.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

using namespace gwsim;
using gwpeer::FakeGatewaySide;

namespace {

constexpr unsigned kDeadlineMs = 10000;

// Records the line events; the server calls it on its own thread.
class EventLog : public IVaskLineEventsGW {
public:
    struct Event {
        bool done;
        ULONG_PTR cookie;
        LONG status;
        BYTE source, second;
        std::vector<BYTE> data;
    };

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIID_IVaskLineEventsGW)) {
            *out = static_cast<IVaskLineEventsGW*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }  // lives on the stack
    HRESULT STDMETHODCALLTYPE TransmitDone(ULONG_PTR cookie, LONG status) override {
        Add(Event{true, cookie, status, 0, 0, {}});
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Received(BYTE source, BYTE second, LONG length,
                                       const BYTE* data) override {
        Add(Event{false, 0, 0, source, second, std::vector<BYTE>(data, data + length)});
        return S_OK;
    }

    bool WaitFor(size_t n) {
        std::unique_lock<std::mutex> lock(m_lock);
        return m_changed.wait_for(lock, std::chrono::milliseconds(kDeadlineMs),
                                  [&] { return m_events.size() >= n; });
    }
    std::vector<Event> Events() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_events;
    }
    long Refs() const { return m_refs; }
    // The server lets go of a sink shortly after its last call returned.
    bool WaitForNoRefs() const {
        ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
        while (m_refs != 0) {
            if (GetTickCount64() > deadline) return false;
            SwitchToThread();
        }
        return true;
    }

private:
    void Add(Event e) {
        std::lock_guard<std::mutex> lock(m_lock);
        m_events.push_back(std::move(e));
        m_changed.notify_all();
    }
    std::atomic<long> m_refs{0};
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<Event> m_events;
};

class StandIn : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        peer_ = std::make_unique<FakeGatewaySide>(
            std::vector<gwpeer::PeerLine>{{"COM1", {1, 2, 3, 4, 5, 6, 7, 0, 0, 13, 11, 12}},
                                          {"COM2", {0, 0, 0, 0, 0, 0, 0, 1, 1, 14, 0, 0}}});
        ASSERT_TRUE(peer_->Listening());
        peer_->Use();
        CLSID clsid;
        ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(kProgId, &clsid));
        ASSERT_TRUE(IsEqualCLSID(clsid, kCLSID_StandIn));
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER,
                                                  kIID_IVaskConnectionGW,
                                                  reinterpret_cast<void**>(&gateway_)));
        ASSERT_HRESULT_SUCCEEDED(gateway_->FirstLine(&com1_));
        ASSERT_NE(com1_, nullptr);
    }
    void TearDown() override {
        if (com1_) com1_->Release();
        if (gateway_) gateway_->Release();
        peer_.reset();
        CoUninitialize();
    }

    DWORD Advise(IVaskLineGW* line, EventLog* log) {
        IConnectionPointContainer* container = nullptr;
        IConnectionPoint* point = nullptr;
        DWORD cookie = 0;
        EXPECT_HRESULT_SUCCEEDED(line->QueryInterface(IID_IConnectionPointContainer,
                                                      reinterpret_cast<void**>(&container)));
        EXPECT_HRESULT_SUCCEEDED(container->FindConnectionPoint(kIID_IVaskLineEventsGW, &point));
        EXPECT_HRESULT_SUCCEEDED(point->Advise(log, &cookie));
        point->Release();
        container->Release();
        return cookie;
    }

    // Sinks outlive TearDown, where the server lets go of those still advised.
    EventLog logs_[3];
    std::unique_ptr<FakeGatewaySide> peer_;
    IVaskConnectionGW* gateway_ = nullptr;
    IVaskLineGW* com1_ = nullptr;
};

TEST_F(StandIn, HandshakeFetchesTheLinesOfTheGatewaySide) {
    auto log = peer_->Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0].frame.type, gwpeer::kHello);
    EXPECT_EQ(log[0].frame.payload, std::vector<uint8_t>{1});

    BSTR name = nullptr;
    ASSERT_HRESULT_SUCCEEDED(com1_->Name(&name));
    EXPECT_STREQ(name, L"COM1");
    SysFreeString(name);
    IVaskLineGW* com2 = nullptr;
    ASSERT_EQ(com1_->NextLine(&com2), S_OK);
    ASSERT_HRESULT_SUCCEEDED(com2->Name(&name));
    EXPECT_STREQ(name, L"COM2");
    SysFreeString(name);
    IVaskLineGW* none = reinterpret_cast<IVaskLineGW*>(1);
    EXPECT_EQ(com2->NextLine(&none), S_FALSE);
    EXPECT_EQ(none, nullptr);
    com2->Release();
}

TEST_F(StandIn, RecordsAreReadAndWrittenAtTheGatewaySide) {
    LineRecord r = {};
    ASSERT_EQ(com1_->ReadConfiguration(&r), S_OK);
    gwpeer::Record got;
    std::copy(std::begin(r.bytes), std::end(r.bytes), got.begin());
    EXPECT_EQ(got, peer_->RecordOf(0));
    r.bytes[9] = 14;
    ASSERT_EQ(com1_->WriteConfiguration(r), S_OK);
    EXPECT_EQ(peer_->RecordOf(0)[9], 14);
    EXPECT_EQ(peer_->RecordOf(0)[0], 1);

    peer_->RefuseWrites(true);
    r.bytes[9] = 13;
    EXPECT_EQ(com1_->WriteConfiguration(r), E_FAIL);
    EXPECT_EQ(peer_->RecordOf(0)[9], 14);
    peer_->RefuseReads(true);
    EXPECT_EQ(com1_->ReadConfiguration(&r), E_FAIL);
    EXPECT_EQ(com1_->ReadConfiguration(nullptr), E_POINTER);
}

TEST_F(StandIn, TransmitGoesOutAsAFrameAndItsReportComesBackWithTheCookie) {
    EventLog& events = logs_[0];
    DWORD cookie = Advise(com1_, &events);
    const BYTE data[] = {0x77, 0x01, 0x00};
    ASSERT_EQ(com1_->Transmit(0xC0FFEE, 0x3A, 3, data), S_OK);
    gwpeer::Transmit t;
    ASSERT_TRUE(peer_->WaitForTransmit(0, &t));
    EXPECT_EQ(t.line, 0);
    EXPECT_EQ(t.destination, 0x3A);
    EXPECT_EQ(t.data, (std::vector<uint8_t>{0x77, 0x01, 0x00}));
    ASSERT_TRUE(peer_->SendTransmitDone(0, 0, t.id, 1));
    ASSERT_TRUE(events.WaitFor(1));
    auto e = events.Events();
    EXPECT_TRUE(e[0].done);
    EXPECT_EQ(e[0].cookie, 0xC0FFEEu);
    EXPECT_EQ(e[0].status, 1);

    // Refused before anything is sent.
    EXPECT_EQ(com1_->Transmit(1, 0x100, 3, data), E_INVALIDARG);
    EXPECT_EQ(com1_->Transmit(1, 0x21, -1, data), E_INVALIDARG);
    EXPECT_EQ(com1_->Transmit(1, 0x21, 3, nullptr), E_INVALIDARG);
    EXPECT_EQ(peer_->CountOf(gwpeer::kTransmit), 1u);

    IConnectionPointContainer* container = nullptr;
    IConnectionPoint* point = nullptr;
    ASSERT_HRESULT_SUCCEEDED(
        com1_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)));
    ASSERT_HRESULT_SUCCEEDED(container->FindConnectionPoint(kIID_IVaskLineEventsGW, &point));
    EXPECT_EQ(point->Unadvise(cookie + 100), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_TRUE(events.WaitForNoRefs()) << "the server let go of the sink";
    point->Release();
    container->Release();
}

TEST_F(StandIn, MalformedFramesFromTheGatewaySideAreIgnored) {
    EventLog& events = logs_[0];
    DWORD cookie = Advise(com1_, &events);
    ASSERT_NE(cookie, 0u);
    std::vector<gwpeer::Frame> bad = {
        {gwpeer::kReceived, 0, {0x21}},                           // no second byte
        {gwpeer::kReceived, 7, {0x21, 0, 1}},                     // no such line
        {gwpeer::kTransmitDone, 0, {1, 0, 0}},                    // cut short
        {gwpeer::kTransmitDone, 0, {0x44, 0x33, 0x22, 0x11, 0}},  // unknown transmit
        {gwpeer::kRecord, 0, {0}},                                // answer nobody asked for
        {0x99, 0, {1, 2, 3}},                                     // unknown type
        {gwpeer::kLines, 0, {}},                                  // out of place
    };
    for (const auto& f : bad) ASSERT_TRUE(peer_->SendFrame(0, f));
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x21, 0x02, {0xAB}));
    ASSERT_TRUE(events.WaitFor(1));
    auto e = events.Events();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_FALSE(e[0].done);
    EXPECT_EQ(e[0].source, 0x21);
    EXPECT_EQ(e[0].second, 0x02);
    EXPECT_EQ(e[0].data, std::vector<BYTE>{0xAB});
    // The connection is still in step.
    LineRecord r;
    EXPECT_EQ(com1_->ReadConfiguration(&r), S_OK);
}

TEST_F(StandIn, EveryAdvisedSinkOfTheLineGetsItsEvents) {
    EventLog& first = logs_[0];
    EventLog& second = logs_[1];
    EventLog& otherLine = logs_[2];
    Advise(com1_, &first);
    IVaskLineGW* again = nullptr;
    ASSERT_HRESULT_SUCCEEDED(gateway_->FirstLine(&again));
    Advise(again, &second);
    IVaskLineGW* com2 = nullptr;
    ASSERT_EQ(com1_->NextLine(&com2), S_OK);
    Advise(com2, &otherLine);
    ASSERT_TRUE(peer_->SendReceived(0, 0, 0x21, 0, {1}));
    ASSERT_TRUE(peer_->SendReceived(0, 1, 0x22, 0, {2}));
    ASSERT_TRUE(first.WaitFor(1));
    ASSERT_TRUE(second.WaitFor(1));
    ASSERT_TRUE(otherLine.WaitFor(1));
    EXPECT_EQ(first.Events().size(), 1u);
    EXPECT_EQ(otherLine.Events()[0].source, 0x22);
    com2->Release();
    again->Release();
    // Releasing every object ends the connection and lets go of the sinks.
    com1_->Release();
    com1_ = nullptr;
    gateway_->Release();
    gateway_ = nullptr;
    EXPECT_TRUE(peer_->WaitForClosed(0));
    EXPECT_TRUE(first.WaitForNoRefs());
    EXPECT_TRUE(second.WaitForNoRefs());
    EXPECT_TRUE(otherLine.WaitForNoRefs());
}

}  // namespace
