// A representative set of parameter adapters end to end: CvaskAccess on COM1 against the
// analyzer simulator, whose log shows the bytes each write put on the wire and whose store
// shows what the device kept.
#include "vaskaccess.h"
#include "serialparam.h"
#include "vasksim_client.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using vasksim::SimClient;
using vasksim::SimLogEntry;

const int kDevice = 5;

VaskFloat Value(double value, const char* text = "") {
    VaskFloat v;
    v.value = value;
    v.text = text;
    return v;
}

class AdaptersOnTheBus : public ::testing::Test {
protected:
    // One access object for the suite: the scan that fills its device list costs about a
    // second per empty address.
    static void SetUpTestSuite() {
        SimClient sim;
        s_ready = sim.Connect() && sim.Reset() && sim.Command("REMOVE 1") &&
                  sim.Command("REMOVE 2") && sim.Command("DEVICE 5 type=4 components=2 ranges=4");
        if (!s_ready) return;
        s_access = new CvaskAccess();
        SerialParam param = {2, 0, 0, 1, 0};
        s_ready = s_access->Init("VASK", "COM1", param) == 1 &&
                  s_access->ScanForDevices(NULL, 0, NULL, 0) == 1 &&
                  s_access->GetDevice(kDevice) != NULL;
    }
    static void TearDownTestSuite() {
        delete s_access;
        s_access = NULL;
        SimClient sim;
        if (sim.Connect()) sim.Reset();
    }

    void SetUp() override {
        ASSERT_TRUE(s_ready) << (s_access != NULL ? (LPCSTR)s_access->GetLastError().text
                                                  : "no simulator");
        ASSERT_TRUE(sim_.Connect()) << sim_.LastError();
        ASSERT_TRUE(Sim("CLEARLOG"));
    }

    CvaskAccess& access() { return *s_access; }

    bool Sim(const std::string& command, std::vector<std::string>* data = nullptr) {
        std::string message;
        bool ok = sim_.Command(command, data, &message);
        if (!ok) ADD_FAILURE() << command << ": " << message;
        return ok;
    }
    // What the device keeps for a read message, in hex.
    std::string Stored(int channel, const char* message) {
        std::string hex;
        EXPECT_TRUE(sim_.Read(kDevice, channel, message, hex)) << sim_.LastError();
        return hex;
    }
    // "letter function to" of every telegram since the test began.
    std::vector<std::string> Telegrams() {
        std::vector<SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries)) << sim_.LastError();
        std::vector<std::string> r;
        for (const SimLogEntry& e : entries)
            r.push_back(std::string(1, e.command) + std::to_string(e.function) + " " + e.to);
        return r;
    }
    // The body of the last telegram with that letter and function.
    std::string BodyOf(char command, int function) {
        std::vector<SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries)) << sim_.LastError();
        std::string body;
        for (const SimLogEntry& e : entries)
            if (e.command == command && e.function == function) body = e.body;
        return body;
    }
    // Hex of text and its NUL.
    static std::string HexText(const std::string& text) {
        static const char* d = "0123456789ABCDEF";
        std::string s;
        for (unsigned char c : text + std::string(1, '\0')) {
            s += d[c >> 4];
            s += d[c & 15];
        }
        return s;
    }

    static CvaskAccess* s_access;
    static bool s_ready;
    SimClient sim_;
};

CvaskAccess* AdaptersOnTheBus::s_access = NULL;
bool AdaptersOnTheBus::s_ready = false;

TEST_F(AdaptersOnTheBus, ALimitSwitchIsChangedAloneInItsRecord) {
    // Ranges 1 and 3 and the alarm on, control off.
    ASSERT_TRUE(Sim("STORE 5 0 s1 9500"));
    VaskFloat on = Value(1.0);
    ASSERT_EQ(1, access().TransferLimitControl1(kDevice, 0, 0, on))
        << (LPCSTR)access().GetLastError().text;
    EXPECT_EQ(std::vector<std::string>({"s1 5/0", "S1 5/0"}), Telegrams());
    EXPECT_EQ("5301B500", BodyOf('S', 1));
    EXPECT_EQ("B500", Stored(0, "s1"));

    VaskFloat v = Value(-1.0, "x");
    ASSERT_EQ(1, access().FetchLimitRange1(kDevice, 0, 3, v));
    EXPECT_STREQ("1", (LPCSTR)v.text);
    ASSERT_EQ(1, access().FetchLimitRange1(kDevice, 0, 2, v));
    EXPECT_STREQ("0", (LPCSTR)v.text);
}

TEST_F(AdaptersOnTheBus, OneRangeStartIsWrittenWithTheOthersAsRead) {
    VaskFloat v = Value(0.0);
    ASSERT_EQ(1, access().FetchMeasRangeUpper(kDevice, 0, 2, v))
        << (LPCSTR)access().GetLastError().text;
    EXPECT_EQ(100.0, v.value);
    EXPECT_STREQ("100.000", (LPCSTR)v.text);

    ASSERT_EQ(1, access().TransferMeasRangeLower(kDevice, 0, 2, v = Value(15.0)));
    EXPECT_EQ("5701" + HexText("0.000") + HexText("15.000") + HexText("0.000") + HexText("0.000"),
              BodyOf('W', 1));
    ASSERT_EQ(1, access().FetchMeasRangeLimits(kDevice, 0, 2, v));
    EXPECT_STREQ("15.000-100.000", (LPCSTR)v.text);

    // A fifth range does not exist: nothing is sent.
    ASSERT_TRUE(Sim("CLEARLOG"));
    EXPECT_EQ(0, access().TransferMeasRangeLower(kDevice, 0, 5, v));
    EXPECT_EQ(39, access().GetLastError().code);
    EXPECT_TRUE(Telegrams().empty());
}

TEST_F(AdaptersOnTheBus, RelayCodesTheDeviceDidNotSendAreNeitherReadNorWritten) {
    // The device has five relays.
    ASSERT_TRUE(Sim("STORE 5 0 s4 0B000C000D000E000F00"));
    VaskFloat v = Value(7.0);
    ASSERT_EQ(1, access().TransferRelais(kDevice, 0, 2, v)) << (LPCSTR)access().GetLastError().text;
    EXPECT_EQ(
        "5304"
        "0B00"
        "0700"
        "0D00"
        "0E00"
        "0F00",
        BodyOf('S', 4));
    ASSERT_EQ(1, access().FetchRelais(kDevice, 0, 5, v));
    EXPECT_EQ(15, v.value);
    ASSERT_TRUE(Sim("CLEARLOG"));
    EXPECT_EQ(0, access().FetchRelais(kDevice, 0, 6, v));
    EXPECT_EQ(39, access().GetLastError().code);
    EXPECT_EQ(0, access().TransferRelais(kDevice, 0, 6, v));
    EXPECT_EQ(39, access().GetLastError().code);
    EXPECT_EQ(std::vector<std::string>({"s4 5/0", "s4 5/0"}), Telegrams());
}

TEST_F(AdaptersOnTheBus, FloatGroupsKeepTheirWireOrder) {
    // The autocal cycle travels as next autocal, cycle time, adjust cycles.
    ASSERT_TRUE(
        Sim("STORE 5 0 w6 362E303030000700"
            "31322E303030000700"
            "332E303030000100"));
    VaskFloat v = Value(24.0);
    ASSERT_EQ(1, access().TransferAutocalCycleTime(kDevice, 0, 0, v))
        << (LPCSTR)access().GetLastError().text;
    EXPECT_EQ("5706" + HexText("6.000") + HexText("24.000") + HexText("3.000"), BodyOf('W', 6));
    ASSERT_EQ(1, access().FetchNextAutocal(kDevice, 0, 0, v));
    EXPECT_EQ(6.0, v.value);
}

TEST_F(AdaptersOnTheBus, TheAirSetPointIsReadFromChannelThree) {
    VaskFloat v = Value(0.0);
    access().FetchSetPointAir(kDevice, 0, 0, v);
    EXPECT_EQ(std::vector<std::string>({"w89 5/3"}), Telegrams());
}

TEST_F(AdaptersOnTheBus, SwitchesNamesAndStatusTravelAsTheyShould) {
    // Every answer from now on carries the status bits of a fault and a limit.
    ASSERT_TRUE(Sim("SET 5 flags 65"));
    VaskFloat v = Value(1.0);
    ASSERT_EQ(1, access().TransferBroadcast(kDevice, 0, 0, v))
        << (LPCSTR)access().GetLastError().text;
    ASSERT_EQ(1, access().FetchBroadcast(kDevice, 0, 0, v = Value(0.0)));
    EXPECT_STREQ("1", (LPCSTR)v.text);
    ASSERT_EQ(1, access().TransferBroadcast(kDevice, 0, 0, v = Value(0.0)));

    ASSERT_EQ(1, access().TransferChannelName(kDevice, 0, 0, v = Value(3.0, "Kamin 2")));
    ASSERT_EQ(1, access().FetchChannelName(kDevice, 0, 0, v = Value(0.0)));
    EXPECT_STREQ("Kamin 2", (LPCSTR)v.text);

    ASSERT_EQ(1, access().FetchStateFault(kDevice, 0, 0, v));
    EXPECT_EQ(1.0, v.value);
    ASSERT_EQ(1, access().FetchStateServiceReq(kDevice, 0, 0, v));
    EXPECT_EQ(0.0, v.value);
    ASSERT_EQ(1, access().FetchStateLimit(kDevice, 0, 0, v));
    EXPECT_EQ(1.0, v.value);
    ASSERT_TRUE(Sim("SET 5 flags 0"));
}

TEST_F(AdaptersOnTheBus, TheShortRinseTimeWriteRefusesStepsItCannotSend) {
    VaskFloat v = Value(9.0);
    EXPECT_EQ(0, access().TransferS23AutocalStepTime(kDevice, 0, 4, v));
    EXPECT_EQ(39, access().GetLastError().code);
    EXPECT_TRUE(Telegrams().empty());
    ASSERT_EQ(1, access().TransferS23AutocalStepTime(kDevice, 0, 2, v))
        << (LPCSTR)access().GetLastError().text;
    const std::string body = BodyOf('W', 7);
    ASSERT_GE(body.size(), 4u);
    // Six values: the first as read, the second the caller's, the rest 0.000.
    EXPECT_NE(std::string::npos, body.find(HexText("9.000") + HexText("0.000") + HexText("0.000") +
                                           HexText("0.000") + HexText("0.000")))
        << body;
}

}  // namespace
