// Connections to the gateway server, its lines, the checks of handles and the line's own
// bus address.
#include "gateway_fixture.h"

using namespace gwtest;

namespace {

class Connection : public GatewayTest {};

TEST_F(Connection, SecondConnectionToTheSameNameIsRefusedWhileInUse) {
    HVGSERVER again = nullptr;
    EXPECT_EQ(VGConnect("gateway-host", &again), VG_ALREADY_CONNECTED);
    EXPECT_EQ(again, nullptr);
    // Names compare exactly: another spelling is another connection.
    HVGSERVER other = nullptr;
    ASSERT_EQ(VGConnect("Gateway-Host", &other), VG_OK);
    EXPECT_NE(other, server_);
    EXPECT_TRUE(PumpUntil([&] { return peer_->Connections() == 2; }));
    EXPECT_EQ(VGDisconnect(other), VG_OK);

    ASSERT_EQ(VGDisconnect(server_), VG_OK);
    server_ = nullptr;
    ASSERT_EQ(VGConnect("gateway-host", &server_), VG_OK);
}

TEST_F(Connection, OpenLineKeepsTheConnectionInUse) {
    HVGLINE line = nullptr;
    ASSERT_EQ(VGOpenLine(server_, "COM1", &line), VG_OK);
    ASSERT_EQ(VGDisconnect(server_), VG_OK);
    // The line still works on the connection it holds.
    EXPECT_EQ(LineName(line), "COM1");
    unsigned char address = 0;
    EXPECT_EQ(VGGetLineAddress(line, &address), VG_OK);
    HVGSERVER again = nullptr;
    EXPECT_EQ(VGConnect("gateway-host", &again), VG_ALREADY_CONNECTED);
    ASSERT_EQ(VGCloseLine(line), VG_OK);
    ASSERT_EQ(VGConnect("gateway-host", &again), VG_OK);
    server_ = again;
}

TEST_F(Connection, DisconnectedHandleIsRefused) {
    HVGLINE line = Open("COM1");
    HVGSERVER given = server_;
    ASSERT_EQ(VGDisconnect(given), VG_OK);
    server_ = nullptr;
    // The server object lives on for its line, but the handle was given up.
    EXPECT_EQ(VGDisconnect(given), VG_INVALID_SERVER);
    HVGLINE other = nullptr;
    EXPECT_EQ(VGGetFirstLine(given, &other), VG_INVALID_SERVER);
    EXPECT_EQ(VGOpenLine(given, "COM1", &other), VG_INVALID_SERVER);
    EXPECT_EQ(LineName(line), "COM1");
}

TEST(ConnectionFailure, ServerObjectThatCannotReachItsGatewayIsNotCreated) {
    Apartment apartment;
    ASSERT_TRUE(apartment.Ok());
    ASSERT_EQ(VGInitialize(), VG_OK);
    std::string closedPort;
    {
        gwpeer::FakeGatewaySide gone({});
        closedPort = gone.Endpoint();
    }
    struct Case {
        const char* name;
        gwpeer::Handshake handshake;
        bool listening;
    } cases[] = {
        {"nobody listens", gwpeer::Handshake::kAnswer, false},
        {"connection closed at once", gwpeer::Handshake::kClose, true},
        {"line list cut short", gwpeer::Handshake::kMalformed, true},
    };
    for (const Case& c : cases) {
        gwpeer::FakeGatewaySide peer({{"COM1", MakeRecord(0, 0, 13)}});
        peer.SetHandshake(c.handshake);
        if (c.listening)
            peer.Use();
        else
            SetEnvironmentVariableA("VGWCE_ENDPOINT", closedPort.c_str());
        HVGSERVER server = reinterpret_cast<HVGSERVER>(1);
        EXPECT_EQ(VGConnect("gateway-host", &server), VG_NO_INSTANCE) << c.name;
        EXPECT_EQ(server, nullptr) << c.name;
        // A failed connection leaves nothing behind under that name.
        peer.SetHandshake(gwpeer::Handshake::kAnswer);
        peer.Use();
        ASSERT_EQ(VGConnect("gateway-host", &server), VG_OK) << c.name;
        EXPECT_EQ(VGDisconnect(server), VG_OK);
    }
    EXPECT_EQ(VGUninitialize(), VG_OK);
}

class Lines : public GatewayTest {};

TEST_F(Lines, EnumerationWalksTheLinesInOrderAndKeepsEachOpen) {
    HVGLINE first = nullptr, second = nullptr, third = reinterpret_cast<HVGLINE>(1);
    ASSERT_EQ(VGGetFirstLine(server_, &first), VG_OK);
    lines_.push_back(first);
    ASSERT_EQ(VGGetNextLine(first, &second), VG_OK);
    lines_.push_back(second);
    EXPECT_EQ(VGGetNextLine(second, &third), VG_NO_LINE);
    EXPECT_EQ(third, nullptr);
    EXPECT_EQ(LineName(first), "COM1");
    EXPECT_EQ(LineName(second), "COM2");
    EXPECT_NE(first, second);
}

TEST_F(Lines, LineNameReportsTheSizeItNeeds) {
    HVGLINE line = Open("COM2");
    struct Case {
        bool withBuffer;
        unsigned size;
        VG_ERROR expected;
    } cases[] = {
        {false, 0, VG_BUFFER_TOO_SMALL},
        {false, 100, VG_BUFFER_TOO_SMALL},
        {true, 0, VG_BUFFER_TOO_SMALL},
        {true, 4, VG_BUFFER_TOO_SMALL},
        {true, 5, VG_OK},
        {true, 64, VG_OK},
    };
    for (const Case& c : cases) {
        char buffer[64];
        memset(buffer, 'x', sizeof buffer);
        unsigned size = c.size;
        EXPECT_EQ(VGGetLineName(line, c.withBuffer ? buffer : nullptr, &size), c.expected)
            << "size " << c.size;
        EXPECT_EQ(size, 5u) << "size " << c.size;
        if (c.expected == VG_OK) {
            EXPECT_STREQ(buffer, "COM2");
        } else if (c.withBuffer) {
            EXPECT_EQ(buffer[0], 'x') << "nothing copied into a short buffer";
        }
    }
}

TEST_F(Lines, OpenLineMatchesTheWholeNameExactly) {
    struct Case {
        const char* name;
        VG_ERROR expected;
    } cases[] = {
        {"COM2", VG_OK},       {"COM1", VG_OK},  {"com1", VG_NO_LINE}, {"COM", VG_NO_LINE},
        {"COM12", VG_NO_LINE}, {"", VG_NO_LINE}, {"COM3", VG_NO_LINE},
    };
    for (const Case& c : cases) {
        HVGLINE line = reinterpret_cast<HVGLINE>(1);
        EXPECT_EQ(VGOpenLine(server_, c.name, &line), c.expected) << c.name;
        if (c.expected == VG_OK) {
            EXPECT_EQ(LineName(line), c.name);
            EXPECT_EQ(VGCloseLine(line), VG_OK);
        } else {
            EXPECT_EQ(line, nullptr) << c.name;
        }
        // No line was left open on the way: the connection has no user but the handle.
        ASSERT_EQ(VGDisconnect(server_), VG_OK);
        server_ = nullptr;
        ASSERT_EQ(VGConnect("gateway-host", &server_), VG_OK) << "after " << c.name;
    }
}

class NoLines : public GatewayTest {
protected:
    std::vector<gwpeer::PeerLine> PeerLines() const override { return {}; }
};

TEST_F(NoLines, GatewayWithoutLinesHasNoFirstLine) {
    HVGLINE line = reinterpret_cast<HVGLINE>(1);
    EXPECT_EQ(VGGetFirstLine(server_, &line), VG_NO_LINE);
    EXPECT_EQ(line, nullptr);
    EXPECT_EQ(VGOpenLine(server_, "COM1", &line), VG_NO_LINE);
}

class Handles : public GatewayTest {};

TEST_F(Handles, HandleOfAnotherKindOrOfAnEndedObjectIsRefused) {
    HVGLINE line = Open("COM1");
    HVGLINE closed = nullptr;
    ASSERT_EQ(VGOpenLine(server_, "COM2", &closed), VG_OK);
    ASSERT_EQ(VGCloseLine(closed), VG_OK);
    Recorder rec;
    HVGRECEIVE rx = nullptr;
    HVGTRANSMIT tx = nullptr;
    const unsigned char data[2] = {0x10, 0x20};
    ASSERT_EQ(VGReceive(line, &rx, Recorder::OnReceive, &rec), VG_OK);
    ASSERT_EQ(VGTransmit(line, 0x21, data, 2, &tx, Recorder::OnTransmit, &rec), VG_OK);
    HVGRECEIVE cancelled = nullptr;
    ASSERT_EQ(VGReceive(line, &cancelled, Recorder::OnReceive, &rec), VG_OK);
    ASSERT_EQ(VGCancelReceive(cancelled), VG_OK);

    auto asServer = [](const void* h) { return reinterpret_cast<HVGSERVER>(const_cast<void*>(h)); };
    auto asLine = [](const void* h) { return reinterpret_cast<HVGLINE>(const_cast<void*>(h)); };
    auto asRx = [](const void* h) { return reinterpret_cast<HVGRECEIVE>(const_cast<void*>(h)); };
    auto asTx = [](const void* h) { return reinterpret_cast<HVGTRANSMIT>(const_cast<void*>(h)); };
    const void* minusOne = reinterpret_cast<const void*>(static_cast<intptr_t>(-1));
    unsigned char byte = 0;
    unsigned size = 16;
    char name[16];
    HVGLINE outLine = nullptr;
    struct Case {
        const char* what;
        std::function<VG_ERROR()> call;
        VG_ERROR expected;
    };
    std::vector<Case> cases = {
        {"disconnect a line", [&] { return VGDisconnect(asServer(line)); }, VG_INVALID_SERVER},
        {"first line of -1", [&] { return VGGetFirstLine(asServer(minusOne), &outLine); },
         VG_INVALID_SERVER},
        {"open on null", [&] { return VGOpenLine(nullptr, "COM1", &outLine); }, VG_INVALID_SERVER},
        {"open without name", [&] { return VGOpenLine(server_, nullptr, &outLine); },
         VG_INVALID_SERVER},
        {"connect without out", [&] { return VGConnect("x", nullptr); }, VG_INVALID_SERVER},
        {"close a server", [&] { return VGCloseLine(asLine(server_)); }, VG_INVALID_LINE},
        {"close -1", [&] { return VGCloseLine(asLine(minusOne)); }, VG_INVALID_LINE},
        {"close a closed line", [&] { return VGCloseLine(closed); }, VG_INVALID_LINE},
        {"name of a closed line", [&] { return VGGetLineName(closed, name, &size); },
         VG_INVALID_LINE},
        {"name without size", [&] { return VGGetLineName(line, name, nullptr); }, VG_INVALID_LINE},
        {"next of a request", [&] { return VGGetNextLine(asLine(rx), &outLine); }, VG_INVALID_LINE},
        {"address of a closed line", [&] { return VGGetLineAddress(closed, &byte); },
         VG_INVALID_LINE},
        {"set address of null", [&] { return VGSetLineAddress(nullptr, 14); }, VG_INVALID_LINE},
        {"configure a closed line", [&] { return VGConfigureLine(closed, nullptr); },
         VG_INVALID_LINE},
        {"receive on a closed line",
         [&] { return VGReceive(closed, nullptr, Recorder::OnReceive, &rec); }, VG_INVALID_LINE},
        {"receive without callback", [&] { return VGReceive(line, nullptr, nullptr, &rec); },
         VG_INVALID_LINE},
        {"transmit on a server",
         [&] {
             return VGTransmit(asLine(server_), 1, data, 2, nullptr, Recorder::OnTransmit, &rec);
         },
         VG_INVALID_LINE},
        {"receive data of a transmit", [&] { return VGReceiveData(asRx(tx), nullptr, &size); },
         VG_INVALID_RECEIVE},
        {"receive data without size", [&] { return VGReceiveData(rx, nullptr, nullptr); },
         VG_INVALID_RECEIVE},
        {"cancel receive of a transmit", [&] { return VGCancelReceive(asRx(tx)); },
         VG_INVALID_RECEIVE},
        {"cancel receive of a line", [&] { return VGCancelReceive(asRx(line)); },
         VG_INVALID_RECEIVE},
        {"cancel a cancelled receive", [&] { return VGCancelReceive(cancelled); },
         VG_INVALID_RECEIVE},
        {"cancel transmit of a receive", [&] { return VGCancelTransmit(asTx(rx)); },
         VG_INVALID_TRANSMIT},
        {"cancel transmit of -1", [&] { return VGCancelTransmit(asTx(minusOne)); },
         VG_INVALID_TRANSMIT},
    };
    for (const Case& c : cases) EXPECT_EQ(c.call(), c.expected) << c.what;

    // The refused calls changed nothing: both requests are still pending.
    EXPECT_EQ(VGReceiveData(rx, nullptr, &size), VG_NO_DATA);
    EXPECT_EQ(VGCancelTransmit(tx), VG_OK);
    EXPECT_EQ(VGCancelReceive(rx), VG_OK);
    EXPECT_EQ(rec.Count(), 0u);
}

class LineAddress : public GatewayTest {};

TEST_F(LineAddress, SetAddressWritesOnlyTheAddressByteAndRefusesAbove14) {
    HVGLINE line = Open("COM1");
    struct Case {
        int address;
        VG_ERROR expected;
        uint8_t stored;  // byte 9 afterwards
    } cases[] = {
        {15, VG_INVALID_ADDRESS, 13},
        {255, VG_INVALID_ADDRESS, 13},
        {-1, VG_INVALID_ADDRESS, 13},
        {14, VG_OK, 14},
        {0, VG_OK, 0},
        {0x10D, VG_OK, 13},
    };
    for (const Case& c : cases) {
        size_t writesBefore = peer_->CountOf(gwpeer::kWriteRecord);
        EXPECT_EQ(VGSetLineAddress(line, c.address), c.expected) << c.address;
        EXPECT_EQ(peer_->CountOf(gwpeer::kWriteRecord), writesBefore + (c.expected == VG_OK))
            << c.address;
        gwpeer::Record expected = MakeRecord(0, 0, c.stored);
        EXPECT_EQ(peer_->RecordOf(0), expected) << c.address;
        unsigned char read = 0xFF;
        EXPECT_EQ(VGGetLineAddress(line, &read), VG_OK);
        EXPECT_EQ(read, c.stored) << c.address;
    }
}

TEST_F(LineAddress, GatewayFailuresAreReportedAs11) {
    HVGLINE line = Open("COM2");
    unsigned char address = 0;
    ASSERT_EQ(VGGetLineAddress(line, &address), VG_OK);
    EXPECT_EQ(address, 14);

    peer_->RefuseWrites(true);
    EXPECT_EQ(VGSetLineAddress(line, 13), VG_LINE_FAILED);
    EXPECT_EQ(peer_->RecordOf(1), MakeRecord(1, 0, 14));
    peer_->RefuseWrites(false);
    peer_->RefuseReads(true);
    address = 0x55;
    EXPECT_EQ(VGGetLineAddress(line, &address), VG_LINE_FAILED);
    EXPECT_EQ(address, 0x55) << "nothing given out on failure";
    EXPECT_EQ(VGSetLineAddress(line, 13), VG_LINE_FAILED);
    EXPECT_EQ(peer_->CountOf(gwpeer::kWriteRecord), 1u) << "no write after a failed read";
    peer_->RefuseReads(false);
    ASSERT_EQ(VGSetLineAddress(line, 13), VG_OK);

    // The gateway side goes away.
    peer_->Close(0);
    EXPECT_EQ(VGGetLineAddress(line, &address), VG_LINE_FAILED);
    EXPECT_EQ(VGSetLineAddress(line, 14), VG_LINE_FAILED);
}

}  // namespace
