// The models and the document record against the simulator on COM1: a Parvel 6 stored
// online (its header flags and values asked from the device) and loaded back, the Parvel
// 64's pump and the Lorvix 62's heating from the device's order number, the channel of the
// Parvel 64's requests and faults, the Quenta's switches, the Sindor 23's probe, sensors,
// stubs, firmware test and radiator, and diagnostic reads that the device answers.
#include "analyzer_bus_fixture.h"
#include "entry_values.h"
#include "lorvix.h"
#include "parvel.h"
#include "quenta.h"
#include "record_bytes.h"
#include "recording_grids.h"
#include "sindor23.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

CWinApp theApp("KorvanGA models bus test");

const char kMaker[] = "KorvanGA models bus test";

// The access object keeps a device's version record (with the order number) from the scan
// on, so each order number has a device of its own.
enum Device {
    kParvel6 = 1,       // a Parvel 6 with an extension card, its identity set by the suite
    kPump = 2,          // Parvel 64s whose order numbers say: a pump,
    kNoPump = 3,        // no pump,
    kShortOrder = 4,    // nothing (too short)
    kHeated = 5,        // Lorvix 62s whose order numbers say: a heating,
    kUnheated = 6,      // no heating,
    kShortHeating = 7,  // nothing (too short)
    kSindor23 = 8,      // a Sindor 23 with four channels, the third in unit code 50 (H2S)
    kQuenta = 9,        // a Quenta 6
    kNoDevice = 11,     // no device answers here
};

// A Parvel 64 that can be moved to another device, to ask another order number.
class MovableParvel64 : public CParvel64 {
public:
    using CParvel64::CParvel64;
    void MoveTo(int address) { m_address = address; }
};

// The entries whose values a normal load leaves to the analyzer: the device's identity,
// channel name, frequency and board versions.
const std::set<int> kDeviceOwn = {1, 2, 3, 4, 274, 372, 576, 577, 578, 579, 580, 581};

class ModelsOnTheBus : public AnalyzerBusFixture {
protected:
    static void SetUpTestSuite() {
        OpenLine({"DEVICE 1 type=2 components=1",
                  "SET 1 serial PV6-SER-9",
                  "SET 1 order 4QX10-P6-ORDER",
                  "SET 1 hardware HW-P6-3",
                  "SET 1 firmware FW-6.02",
                  "SET 1 name Stack O2 left",
                  "SET 1 optioncard 2",
                  "DEVICE 2 type=8 components=1",
                  "SET 2 order   4qx10xxxxcyy  ",
                  "DEVICE 3 type=8 components=1",
                  "SET 3 order 4qx10xxxxdyy",
                  "DEVICE 4 type=8 components=1",
                  "SET 4 order 4QX10",
                  "DEVICE 5 type=9 components=1",
                  "SET 5 order 4qx17xxxxxxxxxxbyy",
                  "DEVICE 6 type=9 components=1",
                  "SET 6 order 4qx17xxxxxxxxxxcyy",
                  "DEVICE 7 type=9 components=1",
                  "SET 7 order 4QX17",
                  "DEVICE 8 type=4 components=4",
                  "SET 8 unit 2 50",
                  "DEVICE 9 type=3 components=1"},
                 kQuenta);
    }

    TestProfile profile_{kMaker};
    RecordingGrids grids_;
};

TEST_F(ModelsOnTheBus, AParvel6StoredOnlineLoadsItsValuesAndTheDevicesOwnOnlyToCompare) {
    // Heating on, an extension card: the analyzer, made without either, asks the device.
    ASSERT_EQ(1, s_access->SetHeating(kParvel6, 0, 1, 150));
    CParvel6 online("Parvel online", s_access, kParvel6, 1, 0, 0);
    RecordFile file;
    file.Store(&online);

    const StoredAnalyzer stored = ReadStoredAnalyzer(file.Bytes());
    EXPECT_EQ("CParvel6", stored.className);
    EXPECT_EQ(6u, stored.version);
    EXPECT_EQ(2u, stored.typeCode);
    EXPECT_EQ(1u, stored.components);
    EXPECT_EQ("Parvel online", stored.name);
    EXPECT_EQ(1u, stored.extensionCard);
    EXPECT_EQ(1u, stored.heating);
    EXPECT_EQ((DWORD)online.CountOfflineParameters(), stored.count);
    ASSERT_FALSE(stored.entries.empty());
    EXPECT_TRUE(stored.complete) << "no Quenta field, every record whole";
    EXPECT_EQ("Diagnostic/Factory settings\\Hardware Fact.-no.", stored.entries[0].key);
    EXPECT_EQ(1u, stored.entries[0].number);
    EXPECT_EQ(2u, stored.entries[0].marker);
    EXPECT_EQ("PV6-SER-9", stored.entries[0].text);
    EXPECT_EQ("PV6-SER-9 0.000000 1 1", Cached(online, 1));
    EXPECT_EQ("Stack O2 left", Text(online.FindParameterByNumber(372)->GetCachedValue().text));

    std::unique_ptr<CVaskInstrument> normal = file.Load<CVaskInstrument>();
    ASSERT_NE(nullptr, normal);
    EXPECT_STREQ("CParvel6", normal->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(nullptr, normal->GetAccess());
    ASSERT_EQ(OfflineNumbers(online), OfflineNumbers(*normal));
    for (int number : OfflineNumbers(online)) {
        SCOPED_TRACE(number);
        if (kDeviceOwn.count(number))
            EXPECT_EQ("0 0.000000 1 1", Cached(*normal, number)) << "the loader's own";
        else
            EXPECT_EQ(Cached(online, number), Cached(*normal, number));
    }

    host_.compare = 1;
    std::unique_ptr<CVaskInstrument> compare = file.Load<CVaskInstrument>();
    host_.compare = 0;
    ASSERT_NE(nullptr, compare);
    ASSERT_EQ(OfflineNumbers(online), OfflineNumbers(*compare));
    for (int number : OfflineNumbers(online))
        EXPECT_EQ(Cached(online, number), Cached(*compare, number)) << number;
    EXPECT_EQ("PV6-SER-9", Text(compare->FindParameterByNumber(1)->GetCachedValue().text));
    EXPECT_EQ("4QX10-P6-ORDER", Text(compare->FindParameterByNumber(2)->GetCachedValue().text));
}

// "4QX10" with "C" as its tenth character (either case, blanks after it) is a pump; another
// letter is none; a number of ten characters or fewer leaves the answer as it was.
TEST_F(ModelsOnTheBus, TheParvel64TakesItsPumpFromTheDevicesOrderNumber) {
    struct Case {
        int address;
        int pump;
    } cases[] = {{kPump, 1}, {kNoPump, 0}, {kShortOrder, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        MovableParvel64 p64("P64", s_access, c.address, 1, 0, 0);
        EXPECT_EQ(c.pump, p64.HasPump());
        EXPECT_EQ((size_t)c.pump, p64.GetParameterGroup(28)->GetParameterList().GetCount());
        EXPECT_EQ(std::vector<std::string>{}, OtherPages(p64, 32, 3, c.pump ? 5 : 4));
        EXPECT_EQ(std::vector<std::string>{}, OtherPages(p64, 27, 3, 3));

        p64.MoveTo(kShortOrder);
        p64.RegisterBusSettings();
        EXPECT_EQ(c.pump, p64.HasPump());
        EXPECT_EQ(std::vector<std::string>{}, OtherPages(p64, 32, 3, c.pump ? 5 : 4));
    }
}

// Where the device gives no order number, the order-number entry's last value counts.
TEST_F(ModelsOnTheBus, AFailedOrderNumberReadUsesTheStoredEntry) {
    MovableParvel64 p64("P64", s_access, kPump, 1, 0, 0);
    ASSERT_EQ(1, p64.HasPump());
    VaskFloat order;
    ASSERT_EQ(1, p64.FindParameterByNumber(2)->GetValue(order));
    p64.MoveTo(kNoPump);
    p64.RegisterPump();
    EXPECT_EQ(0, p64.HasPump()) << "the other device's number counts";
    p64.MoveTo(kNoDevice);
    p64.RegisterPump();
    EXPECT_EQ(1, p64.HasPump()) << "the entry still holds the first device's number";
    EXPECT_TRUE(host_.reports.empty());
}

TEST_F(ModelsOnTheBus, TheParvel64AsksRequestsAndFaultsOnTheChannelOfItsComponentCount) {
    CParvel64 p64("P64", s_access, kNoPump, 1, 0, 0);
    CVaskInstrument base("Base", 0, s_access, kNoPump, 1, 4, 4, 0);
    ASSERT_TRUE(Sim("CLEARLOG"));
    int list[64], count = 0;
    p64.GetMaintenanceRequests(list, count);
    p64.GetFaults(list, count);
    base.GetMaintenanceRequests(list, count);
    EXPECT_EQ((std::vector<std::string>{"k12 3/1", "k5 3/1", "k12 3/0"}), Telegrams());
}

TEST_F(ModelsOnTheBus, ADiagnosticReadTakesTheDevicesValue) {
    CParvel6 p6("P6", s_access, kParvel6, 1, 0, 0);
    VaskFloat value;
    EXPECT_NE(0, p6.DiagHeadTemp(value));
    EXPECT_NE("Unknown", Text(value.text));
    EXPECT_GT(value.value, 20.0);

    // Rejected: the no-value mark, and the model reports nothing where the base does.
    CParvel64 p64("P64", s_access, kNoPump, 1, 0, 0);
    CVaskInstrument base("Base", 0, s_access, kNoPump, 1, 4, 4, 0);
    ASSERT_TRUE(Sim("FAULT 3 reject 2 ?? on=h5"));
    EXPECT_EQ(0, p64.DiagDisplayTemp(value));
    EXPECT_EQ("Unknown", Text(value.text));
    EXPECT_TRUE(host_.reports.empty());
    EXPECT_EQ(0, base.DiagDisplayTemp(value));
    EXPECT_EQ(1u, host_.reports.size());
}

// ---- Lorvix 62 and Lorvix 6: the heating from the order number -------------------------

// A Lorvix 62 that can be moved to another device, to ask another order number.
class MovableLorvix62 : public CLorvix62 {
public:
    using CLorvix62::CLorvix62;
    void MoveTo(int address) { m_address = address; }
};

// Eighteen characters beginning "4qx17" with "b" third from the end: a heating; another
// letter: none; "4QX17" is too short to judge and keeps the previous answer, so a Lorvix 62
// that never judged a number has none, whatever heating it was given.
TEST_F(ModelsOnTheBus, TheLorvix62TakesItsHeatingFromTheDevicesOrderNumber) {
    struct Case {
        int address;
        int heating;
    } cases[] = {{kHeated, 1}, {kUnheated, 0}, {kShortHeating, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        MovableLorvix62 l62("L62", s_access, c.address, 1, 0, 1);
        EXPECT_EQ(c.heating, l62.HasHeating());
        EXPECT_EQ((size_t)(c.heating ? 2 : 0), Entries(l62, 35).size()) << "the heating group";
        EXPECT_EQ(std::vector<std::string>{}, OtherPages(l62, 32, 3, c.heating ? 4 : 3));

        l62.MoveTo(kShortHeating);
        EXPECT_EQ(c.heating, l62.HasHeating()) << "the previous answer";
    }
    EXPECT_TRUE(host_.reports.empty());
}

TEST_F(ModelsOnTheBus, TheLorvix6NeverHasAHeating) {
    CLorvix6 l6("L6", s_access, kHeated, 1, 0, 1);
    int count = 0;
    EXPECT_EQ(1, l6.GetRelayFunctionTable(count)[50]) << "its table flags the heating";
    EXPECT_EQ(0, l6.HasHeating());
    EXPECT_TRUE(Entries(l6, 35).empty());
}

// ---- Quenta 6 ---------------------------------------------------------------------------

// The burner's switches go to the device as switches 11, 30, 31 and 32 on channel 0; none
// of them reports.
TEST_F(ModelsOnTheBus, TheQuentasSwitchesSendTheirSwitchTelegrams) {
    CQuenta6 q6("Q6", s_access, kQuenta, 1, 0, 1);
    EXPECT_EQ(0, q6.HasHeating());
    ASSERT_TRUE(Sim("CLEARLOG"));
    q6.Pump(1);
    q6.Ignition(1);
    q6.Catalysator(0);
    q6.Fan(1);
    // The message catalogue has no answer for switches 30 to 32, so the library may send
    // them again: each switch once or more, in order.
    std::vector<std::string> sent = Telegrams();
    sent.erase(std::unique(sent.begin(), sent.end()), sent.end());
    EXPECT_EQ((std::vector<std::string>{"F11 9/0", "F30 9/0", "F31 9/0", "F32 9/0"}), sent);
    EXPECT_TRUE(host_.reports.empty());
}

// ---- Sindor 23 --------------------------------------------------------------------------

// A reply value of shape "text with unit": the text, its end and the unit bytes 01 00.
std::string TextHex(const std::string& text) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char c : text) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    return hex + "000100";
}

// A reply value of shape "number with unit": the number's text, its end, the unit code.
std::string NumberHex(const std::string& text, int unit) {
    std::string hex = TextHex(text);
    hex.resize(hex.size() - 4);
    char code[5];
    snprintf(code, sizeof code, "%02X00", unit);
    return hex + code;
}

// The device's board versions, the first one `first`.
std::string VersionsHex(const std::string& first) {
    std::string hex = TextHex(first);
    for (int i = 0; i < 5; ++i) hex += TextHex("9.9.9");
    return hex;
}

// A Sindor 23 that can be moved to another address.
class MovableSindor23 : public CSindor23 {
public:
    using CSindor23::CSindor23;
    void MoveTo(int address) { m_address = address; }
};

// Constructed online with four components, the device shows four channels, the third in
// unit code 50: the fourth is the O2 sensor, the third the H2S sensor, and two infrared
// components are left; the sensors stay reachable as components 2 and 3.
TEST_F(ModelsOnTheBus, TheSindor23ProbesItsSensors) {
    MovableSindor23 s23("S23", s_access, kSindor23, 4, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(1, s23.HasO2Sensor());
    EXPECT_EQ(1, s23.HasH2SSensor());
    EXPECT_EQ(2, s23.GetComponentCount());
    for (int c = 0; c < 4; ++c) EXPECT_EQ(1, s23.HasMeasRange(c)) << c;
    EXPECT_EQ(4u, Entries(s23, 2).size()) << "a measuring-range entry per channel";
    EXPECT_EQ(2u, Entries(s23, 31).size()) << "the H2S sensor's group";
    EXPECT_EQ(2u, Entries(s23, 30).size()) << "the O2 sensor's group";
    EXPECT_TRUE(host_.reports.empty());

    // Without the device's values the counts and flags answer, and nothing is reported.
    s23.MoveTo(kNoDevice);
    EXPECT_EQ(1, s23.HasMeasRange(1));
    EXPECT_EQ(1, s23.HasMeasRange(2)) << "the H2S sensor";
    EXPECT_EQ(1, s23.HasMeasRange(3)) << "the O2 sensor";
    EXPECT_EQ(0, s23.HasMeasRange(4));
    EXPECT_TRUE(host_.reports.empty());

    // Given fewer components, nothing is probed.
    CSindor23 three("S23", s_access, kSindor23, 3, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(0, three.HasO2Sensor());
    EXPECT_EQ(3, three.GetComponentCount());
}

// The operations the device does not support succeed without a request.
TEST_F(ModelsOnTheBus, TheSindor23sStubsSendNothing) {
    CSindor23 s23("S23", s_access, kSindor23, 2, 0, 0, 0, 0, 0, 0);
    ASSERT_TRUE(Sim("CLEARLOG"));
    int codes[14] = {0};
    ControlType steps[12] = {};
    VaskFloat values[6];
    VaskFloat value;
    value.text = "1.0";
    value.value = 1.0;
    int autocal = 5, onInput = 5, onCycle = 5, check = 5;
    EXPECT_EQ(1, s23.SetBinaryInputs(codes));
    EXPECT_EQ(1, s23.GetAutocalMode(autocal, onInput, onCycle, check));
    EXPECT_EQ(1, s23.SetAutocalMode(1, 0, 1, 0));
    EXPECT_EQ(1, s23.SetAutocalSteps(steps));
    EXPECT_EQ(1, s23.SetMeasurementLower(0, values));
    EXPECT_EQ(1, s23.SetNullGas(0, value));
    EXPECT_EQ(1, s23.GetAutocalRinseTime2(values));
    EXPECT_EQ(1, s23.SetAutocalRinseTime2(values));
    EXPECT_TRUE(Telegrams().empty());
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), (std::vector<int>{autocal, onInput, onCycle, check}));
    EXPECT_EQ("0.0", Text(values[3].text));
}

// The first rinse time stands for the first two steps; the others are 0.
TEST_F(ModelsOnTheBus, TheSindor23sRinseTimesAreTheFirstTwice) {
    std::string stored;
    for (const char* time : {"12.5", "7.0", "3.0", "4.0", "5.0", "6.0"})
        stored += NumberHex(time, 30);
    ASSERT_TRUE(Sim("STORE 8 0 w7 " + stored));
    CSindor23 s23("S23", s_access, kSindor23, 2, 0, 0, 0, 0, 0, 0);
    VaskFloat values[6];
    ASSERT_EQ(1, s23.GetAutocalRinseTime1(values));
    EXPECT_EQ(12.5, values[0].value);
    EXPECT_EQ(Show(values[0]), Show(values[1]));
    for (int i = 2; i < 6; ++i) {
        EXPECT_EQ(0.0, values[i].value) << i;
        EXPECT_EQ("0.0", Text(values[i].text)) << i;
    }
}

// A failed date read sets the sensor's failure flag (and only it); the flag stays.
TEST_F(ModelsOnTheBus, AFailedSensorDateReadSetsItsFlag) {
    CSindor23 s23("S23", s_access, kSindor23, 2, 0, 1, 1, 0, 0, 0);
    ASSERT_TRUE(Sim("CLEARLOG"));
    CTime time;
    EXPECT_EQ(1, s23.GetDateOxy(time));
    EXPECT_EQ(0, s23.O2DateReadFailed());
    ASSERT_TRUE(Sim("FAULT 8 reject 1 ?? on=w14"));
    EXPECT_EQ(0, s23.GetDateOxy(time));
    EXPECT_EQ(1, s23.O2DateReadFailed());
    EXPECT_EQ(0, s23.H2SDateReadFailed());
    ASSERT_TRUE(Sim("FAULT 8 reject 1 ?? on=w90"));
    EXPECT_EQ(0, s23.GetDateH2S(time));
    EXPECT_EQ(1, s23.H2SDateReadFailed());
    EXPECT_EQ(1, s23.GetDateOxy(time));
    EXPECT_EQ(1, s23.O2DateReadFailed()) << "a later good read leaves it";
    EXPECT_EQ((std::vector<std::string>{"w14 8/0", "w14 8/0", "w90 8/0", "w14 8/0"}), Telegrams());
}

// The sensors' adjustments and set points go to channel 3 (O2) and 2 (H2S), the dates to
// channel 0; a failure is reported with the operation's own text.
TEST_F(ModelsOnTheBus, TheSindor23sSensorOperationsReportTheirFailures) {
    CSindor23 s23("S23", s_access, kSindor23, 2, 0, 1, 1, 0, 0, 0);
    VaskFloat setPoint;
    setPoint.text = "20.5";
    setPoint.value = 20.5;
    setPoint.unit = 11;
    const CTime date(2024, 5, 17, 0, 0, 0);
    struct Case {
        std::string telegram;
        UINT messageId;
        std::function<int()> operation;
    } cases[] = {
        {"Z16 8/3", 18615, [&] { return s23.AdjustZeroPointOxy(); }},
        {"Z25 8/2", 18622, [&] { return s23.AdjustZeroPointH2S(); }},
        {"Z24 8/3", 18621, [&] { return s23.AdjustRiseO2(); }},
        {"Z26 8/2", 18623, [&] { return s23.AdjustRiseH2S(); }},
        {"W89 8/3", 18130, [&] { return s23.SetSlopeGasO2(setPoint); }},
        {"w89 8/3", 18131,
         [&] {
             VaskFloat value;
             return s23.GetSlopeGasO2(value);
         }},
        {"W91 8/2", 18134, [&] { return s23.SetSlopeGasH2S(setPoint); }},
        {"w91 8/2", 18135,
         [&] {
             VaskFloat value;
             return s23.GetSlopeGasH2S(value);
         }},
        {"W14 8/0", 18027, [&] { return s23.SetDateOxy(date); }},
        {"W90 8/0", 18132, [&] { return s23.SetDateH2S(date); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.telegram);
        ASSERT_TRUE(Sim("CLEARLOG"));
        EXPECT_NE(0, c.operation());
        EXPECT_EQ(std::vector<std::string>{c.telegram}, Telegrams());
        EXPECT_TRUE(host_.reports.empty());

        ASSERT_TRUE(Sim("FAULT 8 reject 1 ?? on=" + c.telegram.substr(0, c.telegram.find(' '))));
        EXPECT_EQ(0, c.operation());
        ASSERT_EQ(1u, host_.reports.size());
        CString text;
        ASSERT_TRUE(text.LoadString(c.messageId));
        const std::string& reported = host_.reports[0].text;
        EXPECT_EQ(Text(text), reported.substr(0, reported.find('\n')));
        host_.reports.clear();
    }
    VaskFloat value;
    ASSERT_EQ(1, s23.GetSlopeGasO2(value));
    EXPECT_EQ(20.5, value.value) << "the set point written";
}

// Firmware 2.14.3 and newer has the O2 set point in the device; the test reads the first of
// the device's board versions.
TEST_F(ModelsOnTheBus, TheSindor23sFirmwareTest) {
    CSindor23 s23("S23", s_access, kSindor23, 2, 0, 0, 0, 0, 0, 0);
    const std::pair<const char*, int> cases[] = {
        {"2.14.3", 1}, {"2.14.2", 0}, {"3.0", 1}, {"2.9.9", 0}, {"2.15", 1}, {"10", 1}, {"", 0},
    };
    for (const auto& [version, isNew] : cases) {
        ASSERT_TRUE(Sim("STORE 8 0 k28 " + VersionsHex(version)));
        EXPECT_EQ(isNew, s23.FetchFirmwareVersions()) << "\"" << version << "\"";
    }
    ASSERT_TRUE(Sim("FAULT 8 reject 1 ?? on=k28"));
    EXPECT_EQ(0, s23.FetchFirmwareVersions()) << "unreadable";
    EXPECT_TRUE(host_.reports.empty());
}

// With the O2 sensor and older firmware the model's own O2 rows: the date written directly,
// the set point the fixed 20.95; with new firmware the catalogue's.
TEST_F(ModelsOnTheBus, TheSindor23sO2RowsFollowTheFirmware) {
    ASSERT_TRUE(Sim("STORE 8 0 k28 " + VersionsHex("2.14.2")));
    CSindor23 old("S23", s_access, kSindor23, 2, 0, 1, 0, 0, 0, 0);
    CVaskParameter* date = old.FindParameterByNumber(386);
    CVaskParameter* setPoint = old.FindParameterByNumber(387);
    ASSERT_NE(nullptr, date);
    ASSERT_NE(nullptr, setPoint);
    EXPECT_TRUE(date->GetTransfer() == &CvaskAccess::TransferDateOxy);
    EXPECT_TRUE(setPoint->GetFetch() == &CvaskAccess::FetchSetPointAirOldFW);
    ASSERT_TRUE(Sim("CLEARLOG"));
    VaskFloat value;
    ASSERT_EQ(1, setPoint->GetValue(value));
    EXPECT_EQ(20.95, value.value);
    EXPECT_TRUE(Telegrams().empty()) << "a constant, not asked";
    ASSERT_EQ(1, date->GetValue(value));
    ASSERT_EQ(1, (s_access->*date->GetTransfer())(kSindor23, date->GetChannel(),
                                                  date->GetIndex() + 1, value));
    EXPECT_EQ((std::vector<std::string>{"w14 8/0", "W14 8/0"}), Telegrams());

    ASSERT_TRUE(Sim("STORE 8 0 k28 " + VersionsHex("2.14.3")));
    CSindor23 current("S23", s_access, kSindor23, 2, 0, 1, 0, 0, 0, 0);
    EXPECT_TRUE(current.FindParameterByNumber(387)->GetFetch() == &CvaskAccess::FetchSetPointAir);
    EXPECT_FALSE(current.FindParameterByNumber(386)->IsOfflineTransfer()) << "read-only";
}

// A radiator of 150.0 or more keeps its number and shows "---".
TEST_F(ModelsOnTheBus, AHotRadiatorShowsNoNumber) {
    CSindor23 s23("S23", s_access, kSindor23, 2, 0, 0, 0, 0, 0, 0);
    const std::pair<const char*, const char*> cases[] = {
        {"149.9", "149.9"}, {"150.0", "---"}, {"212.5", "---"}};
    for (const auto& [stored, shown] : cases) {
        SCOPED_TRACE(stored);
        ASSERT_TRUE(Sim(std::string("STORE 8 0 h2 ") + NumberHex(stored, 40)));
        VaskFloat value;
        ASSERT_NE(0, s23.DiagRadiatorTemp(value));
        EXPECT_EQ(shown, Text(value.text));
        EXPECT_EQ(atof(stored), value.value);
    }
    VaskFloat chamber;
    EXPECT_NE(0, s23.DiagChamberTemp(chamber));
    EXPECT_NE("Unknown", Text(chamber.text));
}

}  // namespace
