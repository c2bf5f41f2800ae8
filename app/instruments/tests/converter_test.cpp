// The converter node without a bus: serial defaults, the profile, its name, the
// configuration record, the start without a port and the analyzers of a device list.
#include "converter.h"
#include "port.h"
#include "node_helpers.h"
#include "recording_host.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char kMaker[] = "KorvanGA instruments test";

std::string Serial(const SerialParam& p) {
    char text[64];
    snprintf(text, sizeof text, "%d %d %d %d %d", p.converterType, p.softwareRts, p.rtsToggle,
             p.assertDtr, p.readEcho);
    return text;
}

// Every field of the record but the reserved one.
std::string Describe(const ConverterConfig& c) {
    char text[256];
    snprintf(text, sizeof text,
             "%s; type %d, %d components, O2 %d, H2S %d, port %s, heating %d, board %d; "
             "valid %d; %s",
             Serial(c.serial).c_str(), c.offlineType, c.components, c.hasO2Sensor, c.hasH2SSensor,
             (LPCSTR)c.portName, c.hasHeating, c.hasOptionBoard, c.valid, (LPCSTR)c.converterName);
    return text;
}

// The profile lives under a key of the test's own, emptied before and after each case.
class ConverterProfile : public ::testing::Test {
protected:
    TestProfile profile_{kMaker};
    RecordingHost host_{0};
};

TEST_F(ConverterProfile, EachConverterTypeHasItsSerialDefaults) {
    struct Case {
        int type;
        const char* serial;  // type, software RTS, RTS toggle, DTR, echo check
    } cases[] = {
        {1, "1 1 0 0 1"}, {2, "2 0 0 1 0"}, {3, "3 1 0 1 1"}, {4, "4 1 0 1 1"},
        {5, "5 1 0 1 1"}, {6, "6 1 0 0 1"}, {0, "0 1 0 0 1"}, {9, "9 1 0 0 1"},
    };
    for (const Case& c : cases) {
        CConverter converter("Line A", c.type);
        SerialParam p;
        converter.GetSerialParams(&p);
        EXPECT_EQ(c.serial, Serial(p)) << c.type;
    }
    CConverter converter("Line A", 2);
    EXPECT_EQ(1, converter.GetImageIndex());
    EXPECT_EQ("Line A", Text(converter.GetConverterName()));
    EXPECT_EQ(1, converter.GetOfflineType());
    EXPECT_EQ(0, converter.GetOfflineComponents());
    converter.GetSerialParams(nullptr);  // nothing to fill
    converter.SetSerialParams(nullptr, 1);
    EXPECT_EQ(0, converter.IsOnline()) << "the application is offline";

    std::unique_ptr<CObject> created(RUNTIME_CLASS(CConverter)->CreateObject());
    SerialParam p;
    static_cast<CConverter*>(created.get())->GetSerialParams(&p);
    EXPECT_EQ("1 1 0 0 1", Serial(p));
}

TEST_F(ConverterProfile, AFreshProfileGivesTheDefaults) {
    CConverter converter("Plant_1", 5);
    converter.SetOfflineType(7, 3, "x", 1, 1, 1, 1);
    EXPECT_EQ(1, converter.ReadFromRegistry("Plant_2"));
    EXPECT_EQ("Plant_2", Text(converter.GetConverterName()));
    EXPECT_EQ("Plant_1", Text(converter.GetName())) << "the node keeps its name";
    SerialParam p;
    converter.GetSerialParams(&p);
    EXPECT_EQ("2 1 0 0 1", Serial(p)) << "Hardware 2, DoToggle 1, AutoToggle 0, AssertDtr 0, "
                                         "ReadEcho 1";
    CString port;
    EXPECT_EQ(nullptr, converter.GetPort(port));
    EXPECT_EQ("", Text(port));
    EXPECT_EQ(4, converter.GetOfflineType());
    EXPECT_EQ(1, converter.GetOfflineComponents());
    EXPECT_EQ(0, converter.GetOfflineO2Sensor());
    EXPECT_EQ(0, converter.GetOfflineH2SSensor());
    EXPECT_EQ(0, converter.GetOfflineHeating());
    EXPECT_EQ(0, converter.GetOfflineOptionBoard());
}

TEST_F(ConverterProfile, OnlyConverterTypesOneToSixAreTakenFromTheProfile) {
    struct Case {
        int stored;
        int type;
    } cases[] = {{-1, 2}, {0, 2}, {1, 1}, {3, 3}, {6, 6}, {7, 2}, {1000, 2}};
    for (const Case& c : cases) {
        AfxGetApp()->WriteProfileInt("Converter\\Plant_1", "Hardware", c.stored);
        CConverter converter("Plant_1", 1);
        converter.ReadFromRegistry("Plant_1");
        SerialParam p;
        converter.GetSerialParams(&p);
        EXPECT_EQ(c.type, p.converterType) << c.stored;
    }
}

TEST_F(ConverterProfile, WhatIsWrittenIsReadBack) {
    CConverter written("Plant_1", 1);
    const SerialParam serial = {5, 0, 1, 1, 0};
    written.SetSerialParams(&serial, 0);
    CPort port("COM4:");
    written.SetPort(&port);
    written.SetOfflineType(7, 3, "Parvel 64", 1, 1, 1, 1);
    written.WriteToRegistry();
    EXPECT_EQ(5u, AfxGetApp()->GetProfileInt("Converter\\Plant_1", "Hardware", 0));
    EXPECT_EQ("COM4:", Text(AfxGetApp()->GetProfileString("Converter\\Plant_1", "Port")));
    EXPECT_EQ(7u, AfxGetApp()->GetProfileInt("Program options", "Offline instrument", 0));

    CConverter read("Other", 1);
    read.ReadFromRegistry("Plant_1");
    SerialParam p;
    read.GetSerialParams(&p);
    EXPECT_EQ(Serial(serial), Serial(p));
    CString name;
    EXPECT_EQ(nullptr, read.GetPort(name)) << "only the name is stored";
    EXPECT_EQ("COM4:", Text(name));
    EXPECT_EQ(7, read.GetOfflineType());
    EXPECT_EQ(3, read.GetOfflineComponents());
    EXPECT_EQ(1, read.GetOfflineO2Sensor());
    EXPECT_EQ(1, read.GetOfflineH2SSensor());
    EXPECT_EQ(1, read.GetOfflineHeating());
    EXPECT_EQ(1, read.GetOfflineOptionBoard());

    // Saving serial settings writes the profile.
    const SerialParam saved = {3, 1, 0, 1, 1};
    read.SetSerialParams(&saved, 1);
    EXPECT_EQ(3u, AfxGetApp()->GetProfileInt("Converter\\Plant_1", "Hardware", 0));
}

TEST_F(ConverterProfile, TheNameBeginsWithThePortUpToItsColon) {
    struct Case {
        const char* portNode;  // null: no port node bound
        const char* portName;  // stored port name when no node is bound
        const char* shown;
    } cases[] = {
        {"COM1: USB Serial", nullptr, "COM1: Line A"},
        {"COM1", nullptr, "COM1 Line A"},
        {nullptr, "COM3", "COM3 Line A"},
        {nullptr, "COM3: x", "COM3: Line A"},
        {nullptr, ":COM3", ":COM3 Line A"},  // a colon in front is not cut at
        {nullptr, "", "Line A"},
    };
    for (const Case& c : cases) {
        CConverter converter("Line A", 2);
        std::unique_ptr<CPort> port;
        if (c.portNode != nullptr) {
            PORT_INFO_2A record = {};
            record.pPortName = const_cast<char*>("COM1:");
            CPort::VersionSource version = CPort::SetVersionSource(
                [](OSVERSIONINFOA&) -> BOOL { return FALSE; });  // no detection
            port.reset(new CPort(c.portNode, record));
            CPort::SetVersionSource(version);
            converter.SetPort(port.get());
        } else {
            ConverterConfig config;
            converter.GetConfiguration(config);
            config.portName = c.portName;
            converter.SetConfiguration(config);
        }
        EXPECT_EQ(c.shown, Text(converter.GetName())) << c.shown;
        EXPECT_EQ(c.shown, Text(converter.GetDisplayName())) << c.shown;
    }
}

TEST_F(ConverterProfile, AValidConfigurationIsTakenOverAnInvalidOneReturnsTheStoredValues) {
    CConverter converter("Plant_1", 2);
    converter.WriteToRegistry();  // type 2, DTR 1, no echo; offline type 1, no components

    ConverterConfig config;
    config.serial = {4, 1, 0, 1, 1};
    config.offlineType = 5;
    config.components = 2;
    config.hasO2Sensor = 0;
    config.hasH2SSensor = 1;
    config.reserved = 0;
    config.portName = "COM6:";
    config.hasHeating = 1;
    config.hasOptionBoard = 0;
    config.valid = 1;
    config.converterName = "Plant_9";
    converter.SetConfiguration(config);

    ConverterConfig got;
    got.valid = 0;
    converter.GetConfiguration(got);
    EXPECT_EQ(
        "4 1 0 1 1; type 5, 2 components, O2 0, H2S 1, port COM6:, heating 1, board 0; "
        "valid 1; Plant_9",
        Describe(got));
    EXPECT_EQ(2u, AfxGetApp()->GetProfileInt("Converter\\Plant_1", "Hardware", 0))
        << "the profile is not written";

    // Without the valid flag the record's values are dropped: what the profile holds for
    // the converter name comes back in it.
    config.valid = 0;
    converter.SetName("Plant_1");
    converter.SetConfiguration(config);
    EXPECT_EQ(
        "2 0 0 1 0; type 1, 0 components, O2 0, H2S 0, port , heating 0, board 0; "
        "valid 1; Plant_1",
        Describe(config));
}

TEST_F(ConverterProfile, WithoutAPortNothingStarts) {
    host_.SetMode(1);
    CConverter converter("Line A", 2);
    EXPECT_EQ(1, converter.IsOnline());
    EXPECT_EQ(0, converter.InitTheCommunication());
    EXPECT_EQ(1, converter.GetAccess()->GetNetworkStatus()) << "not opened";
}

TEST_F(ConverterProfile, EveryOperationTracesItsScope) {
    host_.trace.clear();
    {
        CConverter converter("Line A", 2);
        converter.InitTheCommunication();
        converter.SetOnline(1);
    }
    EXPECT_EQ(
        (std::vector<std::string>{
            "Start 0 CConverter::CConverter", "End 0 CConverter::CConverter",
            "Start 0 CConverter::InitTheCommunication", "End 0 CConverter::InitTheCommunication",
            "Start 0 CConverter::SetOnline", "End 0 CConverter::SetOnline",
            "Start 0 CConverter::~CConverter", "Start 0 CConverter::RemoveTheVaskInstruments",
            "End 0 CConverter::RemoveTheVaskInstruments", "End 0 CConverter::~CConverter"}),
        host_.trace);
}

// ---- The analyzers of a device list, as a scan leaves it -----------------------------

CDeviceData* Listed(CvaskAccess* access, int address, int channelType, const char* name,
                    int components) {
    CDeviceData* device = new CDeviceData;
    device->SetAddress(address);
    device->SetType(channelType);
    device->SetName(name);
    device->SetComponentCount(components);
    access->GetDeviceList()->AddTail(device);
    return device;
}

TEST_F(ConverterProfile, EachListedDeviceGoesToTheFactoryInListOrder) {
    std::vector<std::unique_ptr<CVaskInstrument>> made;
    host_.make = [&](const RecordingHost::Request& r) -> CVaskInstrument* {
        if (r.type == 0) return nullptr;  // the document refuses unknown models
        made.emplace_back(RecordingHost::Analyzer(r));
        return made.back().get();
    };
    CConverter converter("Line A", 2);
    CvaskAccess* access = converter.GetAccess();
    EXPECT_EQ(nullptr, converter.EnumerateTheVaskInstruments()) << "no devices";

    Listed(access, 5, 3, "Quenta", 2);
    Listed(access, 2, 0, "Analyzer 2", 1);
    Listed(access, 9, 7, "Lorvix", 1);
    CInstrument* first = converter.EnumerateTheVaskInstruments();

    ASSERT_EQ(3u, host_.requests.size());
    struct Expected {
        int type;
        const char* name;
        int address, components;
    } expected[] = {{5, "Quenta", 5, 2}, {0, "Analyzer 2", 2, 1}, {3, "Lorvix", 9, 1}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(expected[i].type, host_.requests[i].type) << i;
        EXPECT_EQ(expected[i].name, host_.requests[i].name) << i;
        EXPECT_EQ(expected[i].address, host_.requests[i].address) << i;
        EXPECT_EQ(expected[i].components, host_.requests[i].components) << i;
        EXPECT_EQ(access, host_.requests[i].access) << i;
    }
    ASSERT_EQ(2u, made.size());
    EXPECT_EQ(made[0].get(), first);
    EXPECT_EQ((std::vector<CInstrument*>{made[0].get(), made[1].get()}),
              Nodes(converter.GetInstrumentList()));
    EXPECT_EQ(Nodes(converter.GetInstrumentList()), Children(converter));
    for (auto& node : made) EXPECT_EQ(&converter, node->GetParent());

    // A new enumeration starts from empty lists.
    access->ClearDeviceList();
    Listed(access, 9, 7, "Lorvix", 1);
    EXPECT_EQ(made[2].get(), converter.EnumerateTheVaskInstruments());
    EXPECT_EQ((std::vector<CInstrument*>{made[2].get()}), Nodes(converter.GetInstrumentList()));
    EXPECT_EQ(Nodes(converter.GetInstrumentList()), Children(converter));

    // Without analyzers from the host (no document) the lists stay empty.
    host_.make = nullptr;
    EXPECT_EQ(nullptr, converter.EnumerateTheVaskInstruments());
    EXPECT_TRUE(Nodes(converter.GetInstrumentList()).empty());
    EXPECT_TRUE(Children(converter).empty());
    access->ClearDeviceList();
}

}  // namespace
