// A client connected through the stand-in to a fake gateway side with two lines.
#pragma once

#include "gateway_test_support.h"

#include <memory>

namespace gwtest {

class GatewayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(apartment_.Ok());
        peer_ = std::make_unique<gwpeer::FakeGatewaySide>(PeerLines());
        ASSERT_TRUE(peer_->Listening());
        peer_->Use();
        ASSERT_EQ(VGInitialize(), VG_OK);
        ASSERT_EQ(VGConnect("gateway-host", &server_), VG_OK);
        ASSERT_NE(server_, nullptr);
    }

    void TearDown() override {
        for (HVGLINE l : lines_) VGCloseLine(l);  // 17 for those the test closed itself
        if (server_) VGDisconnect(server_);
        VGUninitialize();
        peer_.reset();
    }

    virtual std::vector<gwpeer::PeerLine> PeerLines() const {
        return {{"COM1", MakeRecord(0, 0, 13)}, {"COM2", MakeRecord(1, 0, 14)}};
    }

    HVGLINE Open(const char* name) {
        HVGLINE line = nullptr;
        EXPECT_EQ(VGOpenLine(server_, name, &line), VG_OK) << name;
        lines_.push_back(line);
        return line;
    }

    // Every event the gateway side sent before is delivered once a telegram sent after
    // them on the marker line (COM2 of the same connection) has arrived: the server
    // delivers the events of one connection in order.
    void Barrier() {
        if (!marker_) marker_ = Open("COM2");
        size_t before = markerSeen_.Count();
        ASSERT_EQ(VGReceive(marker_, nullptr, Recorder::OnReceive, &markerSeen_), VG_OK);
        ASSERT_TRUE(peer_->SendReceived(0, 1, 0x7F, 0x7F, {0xEE}));
        ASSERT_TRUE(markerSeen_.WaitFor(before + 1)) << "marker telegram not delivered";
    }

    Apartment apartment_;
    std::unique_ptr<gwpeer::FakeGatewaySide> peer_;
    HVGSERVER server_ = nullptr;
    std::vector<HVGLINE> lines_;
    HVGLINE marker_ = nullptr;
    Recorder markerSeen_;
};

}  // namespace gwtest
