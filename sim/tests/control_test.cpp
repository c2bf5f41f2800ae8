#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "control.h"

using namespace vasksim;

namespace {

class ControlTest : public ::testing::Test {
protected:
    ControlTest() : bus([this] { return now; }), control(bus) {
        std::string why;
        EXPECT_TRUE(control.loadScenario("default", why)) << why;
    }
    Control::Result run(const std::string& line) { return control.execute(line); }
    void request(uint8_t to, const Bytes& body) {
        Bytes t = buildTelegram(to, 0xD0, body);
        bus.receive(t.data(), t.size());
        Bytes out;
        bus.takeDue(out);
    }
    int64_t now = 0;
    Bus bus;
    Control control;
};

}  // namespace

TEST_F(ControlTest, TheDefaultScenarioHasTwoAnalyzers) {
    Control::Result r = run("DEVICES");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(2u, r.lines.size());
    EXPECT_EQ(0u, r.lines[0].find("address=1 type=1 components=2"));
    EXPECT_EQ(0u, r.lines[1].find("address=2 type=2 components=1 ranges=2"));
}

TEST_F(ControlTest, AnswersEndWithOkOrErr) {
    EXPECT_EQ("OK vasksim\n", run("ping").text());
    EXPECT_EQ("ERR unknown command FROB\n", run("FROB").text());
}

TEST_F(ControlTest, BadCommandsAreRefusedAndChangeNothing) {
    const char* bad[] = {
        "DEVICE 13",        "DEVICE 3 type=x",     "DEVICE 3 colour=2",
        "SET 7 name x",     "SET 1 components 0",  "SET 1 meas 5 1.0",
        "SET 1 bogus 1",    "STORE 1 0 k6 0100",   "STORE 1 0 s1 8000FF",
        "STORE 1 0 s1 xyz", "STORE 1 0 q9 00",     "FAULT 1 explode",
        "FAULT 1 nak 0",    "FAULT 1 reject 1 XX", "FAULT 1 reject",
        "FAULT 13 nak",     "BROADCAST 1 500",     "ECHO maybe",
        "WAITLOG x 10",     "MEMORY 1 0",          "LOG -1",
        "REMOVE 9",         "PACE maybe",          "PACE",
        "REACTION -1",      "REACTION 1001",       "REACTION x",
        "LOGBOOK 9",        "LOGBOOK 1 add 3 1",   "LOGBOOK 1 add 256 1 0",
        "LOGBOOK 1 wipe",   "SET 1 range 2 1 0 10", "SET 1 range 0 5 0 10",
        "SET 1 range 0 0 0 10", "SET 1 range 0 1 10 5", "SET 1 range 0 1 x 5",
        "SET 1 range 0 1 0",
    };
    std::string before = run("DEVICES").text();
    for (const char* cmd : bad) {
        Control::Result r = run(cmd);
        EXPECT_FALSE(r.ok) << cmd;
        EXPECT_FALSE(r.message.empty()) << cmd;
    }
    EXPECT_EQ(before, run("DEVICES").text());
    EXPECT_TRUE(bus.faults.empty());
}

TEST_F(ControlTest, DevicesAreChangedAndStoredRepliesReadBack) {
    ASSERT_TRUE(run("DEVICE 7 type=4 components=3 ranges=1").ok);
    ASSERT_TRUE(run("SET 7 name Kessel links").ok);
    ASSERT_TRUE(run("SET 7 serial 99-17").ok);
    EXPECT_EQ("Kessel links", bus.devices.at(7).name);
    ASSERT_TRUE(run("STORE 7 2 s1 A300").ok);
    Control::Result r = run("READ 7 2 s1");
    ASSERT_EQ(1u, r.lines.size());
    EXPECT_EQ("A300", r.lines[0]);
    EXPECT_EQ("8000", run("READ 7 0 s1").lines.at(0));
    ASSERT_TRUE(run("REMOVE 7").ok);
    EXPECT_EQ(0u, bus.devices.count(7));
}

TEST_F(ControlTest, RangesAreSetAndTakeTheUnitOfTheirComponent) {
    Device& d = bus.devices.at(1);  // CO in ppm, CO2 in %vol, four ranges each
    ASSERT_TRUE(run("SET 1 range 0 2 0 500").ok);
    ASSERT_TRUE(run("SET 1 range 1 1 0 25").ok);
    EXPECT_EQ("500.000", d.stored('w', 2, 0)[1].text);
    EXPECT_EQ("0.000", d.stored('w', 1, 0)[1].text);
    EXPECT_EQ("400.000", d.stored('w', 3, 0)[1].text);  // the span gas at 80 %
    EXPECT_EQ(2, d.stored('w', 2, 0)[1].unit);
    EXPECT_EQ("25.000", d.stored('w', 2, 1)[0].text);
    EXPECT_EQ(11, d.stored('w', 2, 1)[0].unit);
    // A new unit of the component is the unit of all its ranges and its span gas.
    ASSERT_TRUE(run("SET 1 unit 0 9").ok);
    for (int fn : {1, 2, 3})
        for (const Value& v : d.stored('w', fn, 0)) EXPECT_EQ(9, v.unit) << fn;
    EXPECT_EQ(11, d.stored('w', 2, 1)[0].unit);
}

// Channel types: 1 Sindor 6, 2 Parvel 6, 3 Quenta 6, 6 Denrik, 7 Lorvix 6, 8 Parvel 64,
// 9 Lorvix 62.
TEST_F(ControlTest, DiagnosticValuesCarryTheUnitOfWhatTheyAreByChannelType) {
    const int celsius = 40, percent = 10, millibar = 34, volt = 33, milliampere = 30,
              millivolt = 32;
    struct Case {
        int type, code, unit;
    } const cases[] = {
        {1, 1, celsius}, {1, 2, celsius}, {1, 4, percent}, {1, 5, celsius}, {1, 6, percent},
        {2, 2, celsius}, {2, 6, percent}, {3, 2, celsius}, {3, 7, milliampere},
        {3, 9, millibar}, {3, 10, millibar}, {3, 11, volt}, {8, 8, 35}, {9, 8, celsius},
        {7, 3, millivolt}, {6, 1, 45},  // a Denrik: the catalogue's flow
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(run("DEVICE 9 type=" + std::to_string(c.type)).ok);
        EXPECT_EQ(c.unit, bus.devices.at(9).stored('h', c.code, 0)[0].unit)
            << "type " << c.type << " h" << c.code;
    }
    // Another type takes that type's units; the air pressure is in hPa.
    ASSERT_TRUE(run("SET 9 type 1").ok);
    EXPECT_EQ(percent, bus.devices.at(9).stored('h', 4, 0)[0].unit);
    EXPECT_EQ(35, bus.devices.at(9).stored('w', 18, 0)[0].unit);
}

TEST_F(ControlTest, FaultsAreListedAndCleared) {
    ASSERT_TRUE(run("FAULT 1 nak 2 on=k6").ok);
    ASSERT_TRUE(run("FAULT 0 slow always 250").ok);
    ASSERT_TRUE(run("FAULT 2 reject 1 bs on=S").ok);
    Control::Result r = run("FAULTS");
    ASSERT_EQ(3u, r.lines.size());
    EXPECT_EQ("device=1 kind=nak remaining=2 arg=0 on=k6", r.lines[0]);
    EXPECT_EQ("device=0 kind=slow remaining=-1 arg=250", r.lines[1]);
    EXPECT_EQ("device=2 kind=reject remaining=1 arg=0 code=BS on=S", r.lines[2]);
    ASSERT_TRUE(run("CLEARFAULTS 1").ok);
    EXPECT_EQ(2u, bus.faults.size());
    ASSERT_TRUE(run("CLEARFAULTS").ok);
    EXPECT_TRUE(bus.faults.empty());
}

TEST_F(ControlTest, TheLogShowsRawAndDecodedTelegrams) {
    request(0x10, {'W', 9, '1', '.', '5', 0, '2', 0});
    request(0x10, {'k', 6});
    Control::Result r = run("LOG");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(2u, r.lines.size());
    EXPECT_EQ("2", r.message);
    const std::string& w = r.lines[0];
    EXPECT_NE(std::string::npos, w.find("seq=1 "));
    EXPECT_NE(std::string::npos, w.find("to=1/0 from=13/0 crc=ok cmd=W fn=9 action=ack,reply"));
    EXPECT_NE(std::string::npos, w.find("raw=10011010D05709"));
    EXPECT_NE(std::string::npos, w.find("values=1.5,2"));
    EXPECT_EQ(1u, run("LOG 2").lines.size());
    EXPECT_EQ("OK 2\n", run("LOGCOUNT").text());
    ASSERT_TRUE(run("CLEARLOG").ok);
    EXPECT_TRUE(run("LOG").lines.empty());
    EXPECT_EQ("OK 2\n", run("LOGCOUNT").text()) << "the count goes on, so waits stay meaningful";
}

TEST_F(ControlTest, TheClockIsTheOneOfTheLog) {
    now = 10412;
    request(0x10, {'k', 6});
    EXPECT_NE(std::string::npos, run("LOG").lines.at(0).find(" t=10412 "));
    now = 20007;
    EXPECT_EQ("OK 20007\n", run("CLOCK").text());
}

TEST_F(ControlTest, WaitlogAnswersAtOnceOrAsksTheCallerToWait) {
    request(0x10, {'k', 6});
    Control::Result r = run("WAITLOG 1 1000");
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(r.wait);
    r = run("WAITLOG 2 1000");
    EXPECT_TRUE(r.wait);
    EXPECT_EQ(2u, r.waitCount);
    EXPECT_EQ(now + 1000, r.waitDeadline);
}

TEST_F(ControlTest, PacingAndReactionTime) {
    struct Case {
        const char* command;
        bool pace, paceInput;
    } cases[] = {{"PACE on", true, false}, {"PACE both", true, true}, {"pace off", false, false}};
    for (const Case& c : cases) {
        ASSERT_TRUE(run(c.command).ok) << c.command;
        EXPECT_EQ(c.pace, bus.pace) << c.command;
        EXPECT_EQ(c.paceInput, bus.paceInput) << c.command;
    }
    ASSERT_TRUE(run("REACTION 12").ok);
    EXPECT_EQ(12, bus.reactionMs);
    ASSERT_TRUE(run("REACTION 0").ok);
    EXPECT_EQ(0, bus.reactionMs);
}

TEST_F(ControlTest, TheLogbookIsListedEmptiedAndFilled) {
    Control::Result r = run("LOGBOOK 1");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(2u, r.lines.size());
    ASSERT_TRUE(run("LOGBOOK 1 clear").ok);
    EXPECT_TRUE(bus.devices.at(1).logbook.empty());
    ASSERT_TRUE(run("LOGBOOK 1 add 7 1 0").ok);
    ASSERT_TRUE(run("LOGBOOK 1 add 255 0 2 5 9 24 12 99").ok);
    const std::vector<LogbookEntry>& log = bus.devices.at(1).logbook;
    ASSERT_EQ(2u, log.size());
    EXPECT_EQ(7, log[0].first);
    EXPECT_EQ(30, log[0].minute);
    EXPECT_EQ(255, log[1].first);
    EXPECT_EQ(2, log[1].flags);
    EXPECT_EQ(99, log[1].year);
    r = run("LOGBOOK 1");
    ASSERT_EQ(2u, r.lines.size());
    EXPECT_EQ("number=7 second=1 flags=0", r.lines[0]);
}

TEST_F(ControlTest, ResetRestoresTheScenario) {
    ASSERT_TRUE(run("DEVICE 9").ok);
    ASSERT_TRUE(run("FAULT 1 silent always").ok);
    ASSERT_TRUE(run("ECHO on").ok);
    ASSERT_TRUE(run("PACE both").ok);
    ASSERT_TRUE(run("REACTION 5").ok);
    request(0x10, {'k', 6});
    ASSERT_TRUE(run("RESET").ok);
    EXPECT_EQ(2u, bus.devices.size());
    EXPECT_TRUE(bus.faults.empty());
    EXPECT_FALSE(bus.echo);
    EXPECT_FALSE(bus.pace);
    EXPECT_FALSE(bus.paceInput);
    EXPECT_EQ(0, bus.reactionMs);
    EXPECT_TRUE(bus.log().empty());
}

TEST_F(ControlTest, ScenarioFiles) {
    std::string path = ::testing::TempDir() + "vasksim_scenario.txt";
    {
        std::ofstream f(path);
        f << "# one oxygen analyzer at 4\nDEVICE 4 type=2\nSET 4 name Rauchgas\nBROADCAST 4 100\n";
    }
    ASSERT_TRUE(run("SCENARIO " + path).ok);
    EXPECT_EQ(1u, bus.devices.size());
    EXPECT_EQ("Rauchgas", bus.devices.at(4).name);
    EXPECT_EQ(100, bus.devices.at(4).broadcastPhase);
    {
        std::ofstream f(path);
        f << "DEVICE 5\nSET 5 nonsense 1\n";
    }
    Control::Result r = run("SCENARIO " + path);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(std::string::npos, r.message.find("line 2"));
    EXPECT_EQ(1u, bus.devices.count(4)) << "a broken scenario leaves the previous one in place";
    EXPECT_FALSE(run("SCENARIO /nonexistent/file").ok);
    std::remove(path.c_str());
}

// The analyzers that scripts/run shows: each model on its channel type, with a gas and unit
// of what it measures, and values that stay inside the selected (first) range.
TEST_F(ControlTest, TheShowroomsValuesStayInsideTheirRanges) {
    const char* dir = std::getenv("VASKSIM_SCENARIOS");
    ASSERT_NE(nullptr, dir);
    Control::Result r = run(std::string("SCENARIO ") + dir + "/showroom.txt");
    ASSERT_TRUE(r.ok) << r.message;
    struct Expected {
        int address, type, component, gas, unit;
    } const expected[] = {
        {1, 1, 0, 2, 2},    // Sindor 6: CO in ppm
        {1, 1, 1, 3, 11},   // and CO2 in %vol
        {2, 2, 0, 12, 11},  // Parvel 6: O2 in %vol
        {3, 7, 0, 45, 11},  // Lorvix 6 (thermal conductivity): H2 in %vol
        {5, 3, 0, 14, 8},   // Quenta 6 (flame ionisation): THC in mg C/m^3
    };
    ASSERT_EQ(4u, bus.devices.size());
    for (const Expected& e : expected) {
        SCOPED_TRACE(std::to_string(e.address) + "/" + std::to_string(e.component));
        Device& d = bus.devices.at(e.address);
        EXPECT_EQ(e.type, d.type);
        const Device::Component& c = d.comps.at(static_cast<size_t>(e.component));
        EXPECT_EQ(e.gas, c.gas);
        EXPECT_EQ(e.unit, c.unit);
        const Value& lower = d.stored('w', 1, e.component).at(0);
        const Value& upper = d.stored('w', 2, e.component).at(0);
        EXPECT_EQ(e.unit, lower.unit);
        EXPECT_EQ(e.unit, upper.unit);
        const double low = std::stod(lower.text), high = std::stod(upper.text);
        EXPECT_LE(low, c.base - c.amplitude);
        EXPECT_GE(high, c.base + c.amplitude);
        // The bar shows something: the value is no sliver of the range.
        EXPECT_GT(c.base - c.amplitude, low + (high - low) * 0.1);
        // Every further range ends above the one before.
        const Values& ends = d.stored('w', 2, e.component);
        for (size_t i = 1; i < ends.size(); ++i)
            EXPECT_LT(std::stod(ends[i - 1].text), std::stod(ends[i].text)) << i;
    }
}

TEST_F(ControlTest, ABroadcastIsReportedWithItsLengthOnTheLine) {
    Control::Result r = run("BROADCAST 1");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(1u, r.lines.size());
    EXPECT_EQ(0u, r.lines[0].find("phase=off bytes="));
    ASSERT_TRUE(run("BROADCAST 1 120").ok);
    r = run("BROADCAST 1");
    ASSERT_EQ(1u, r.lines.size());
    size_t at = r.lines[0].find(" bytes=");
    ASSERT_NE(std::string::npos, at);
    EXPECT_EQ("phase=120", r.lines[0].substr(0, at));
    // As long as the broadcast that then goes out.
    now = 1000;
    bus.advance();
    now = 1120;
    bus.advance();
    Bytes out;
    bus.takeDue(out);
    EXPECT_EQ(std::to_string(out.size()), r.lines[0].substr(at + 7));
    EXPECT_FALSE(run("BROADCAST 1 120 9").ok);
}
