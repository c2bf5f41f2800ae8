// The network list file "Comm.ini" in the program folder: the names of networks and
// gateways, writing and deleting networks and gateways, the names that would corrupt the
// file, and loading a network's converters and gateway entries.
#include "netlist.h"
#include "shell_test_support.h"

#include "converter.h"

#include <gtest/gtest.h>

#include <string>
#include <initializer_list>
#include <vector>

namespace {

using namespace shelltest;

const char kMaker[] = "KorvanGA network list test";

std::vector<std::string> Strings(const CStringList& list) {
    std::vector<std::string> strings;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        strings.push_back((LPCSTR)list.GetNext(pos));
    return strings;
}

// A string list made in place.
struct Names : CStringList {
    Names(std::initializer_list<const char*> names) {
        for (const char* name : names) AddTail(name);
    }
};

class NetworkList : public ::testing::Test {
protected:
    std::string Ini() const { return folder_ / "Comm.ini"; }
    void WriteIni(const std::string& text) const { WriteFile(Ini(), text); }
    // The entries of a section as the profile functions give them, "key=value" each.
    std::vector<std::string> Section(const char* section) const {
        return shelltest::IniSection(Ini(), section);
    }
    std::vector<std::string> NetworkNames() const {
        CStringList names;
        ReadNetworkNames(names);
        return Strings(names);
    }
    std::vector<std::string> GatewayNames() const {
        CStringList names;
        ReadGatewayNames(names);
        return Strings(names);
    }

    ProgramFolder folder_;
    ProfileKey profile_{kMaker};
};

TEST_F(NetworkList, NamesAreTheKeysOfTheirSection) {
    struct Case {
        const char* file;  // null: no file
        std::vector<std::string> networks;
        std::vector<std::string> gateways;
    } cases[] = {
        {nullptr, {}, {}},
        {"", {}, {}},
        {"[Networklist]\r\n[Gateways]\r\n", {}, {}},
        {"[Networklist]\r\nPlant=Plant\r\nLab 2=Lab 2\r\n"
         "[Gateways]\r\n10.0.0.1=10.0.0.1\r\n",
         {"Plant", "Lab 2"},
         {"10.0.0.1"}},
        // Lines without a key, without "=", and a key given twice.
        {"[Networklist]\r\n=nameless\r\nloose line\r\nA=A\r\nB=x=y\r\na=again\r\n", {"A", "B"}, {}},
        {"[Gateways]\r\ngw=gw\r\n[Networklist]\r\nN=N\r\n", {"N"}, {"gw"}},
    };
    for (const Case& c : cases) {
        DeleteFileA(Ini().c_str());
        if (c.file != nullptr) WriteIni(c.file);
        const std::string what = c.file != nullptr ? c.file : "no file";
        EXPECT_EQ(c.networks, NetworkNames()) << what;
        EXPECT_EQ(c.gateways, GatewayNames()) << what;
    }
    // A missing file leaves what the list held.
    DeleteFileA(Ini().c_str());
    Names names{"kept"};
    ReadNetworkNames(names);
    EXPECT_EQ((std::vector<std::string>{"kept"}), Strings(names));
}

TEST_F(NetworkList, WritingANetworkRewritesItsSectionAndMakesItCurrent) {
    const Names gateways{"10.0.0.1", "", "gw2"};
    const Names converters{"A", "", "B"};
    ASSERT_TRUE(WriteNetworkToIni("Plant", gateways, &converters));
    EXPECT_EQ("Plant", std::string(GetNetworkName()));
    EXPECT_EQ((std::vector<std::string>{"Plant=Plant"}), Section("Networklist"));
    EXPECT_EQ((std::vector<std::string>{"10.0.0.1=10.0.0.1", "gw2=gw2"}), Section("Gateways"));
    EXPECT_EQ((std::vector<std::string>{"Converter_1=A", "Converter_3=B", "10.0.0.1=10.0.0.1",
                                        "gw2=gw2"}),
              Section("Plant"));

    // Again, with other converters and no gateways: the old section is gone, the gateways
    // stay known.
    const Names one{"x"};
    ASSERT_TRUE(WriteNetworkToIni("Lab", CStringList(), NULL));
    ASSERT_TRUE(WriteNetworkToIni("Plant", CStringList(), &one));
    EXPECT_EQ("Plant", std::string(GetNetworkName()));
    EXPECT_EQ((std::vector<std::string>{"Converter_1=x"}), Section("Plant"));
    EXPECT_EQ((std::vector<std::string>{"Plant", "Lab"}), NetworkNames());
    EXPECT_EQ((std::vector<std::string>{"10.0.0.1", "gw2"}), GatewayNames());
    EXPECT_TRUE(Section("Lab").empty());

    SetNetworkName("Lab");
    EXPECT_EQ("Lab", std::string(GetNetworkName()));
    EXPECT_EQ("Lab", std::string(AfxGetApp()->GetProfileString("Program options", "Network")));
}

TEST_F(NetworkList, DeletingAGatewayRemovesItFromEveryListedNetwork) {
    WriteIni(
        "[Networklist]\r\nA=A\r\nB=B\r\n"
        "[Gateways]\r\ngw=gw\r\nother=other\r\n"
        "[A]\r\nConverter_1=c\r\ngw=gw\r\n"
        "[B]\r\nGW=GW\r\nother=other\r\n"
        "[Unlisted]\r\ngw=gw\r\n");
    DeleteGateway("gw");
    EXPECT_EQ((std::vector<std::string>{"other"}), GatewayNames());
    EXPECT_EQ((std::vector<std::string>{"Converter_1=c"}), Section("A"));
    EXPECT_EQ((std::vector<std::string>{"other=other"}), Section("B")) << "names ignore case";
    EXPECT_EQ((std::vector<std::string>{"gw=gw"}), Section("Unlisted"));

    DeleteNetwork("A");
    EXPECT_EQ((std::vector<std::string>{"B"}), NetworkNames());
    EXPECT_TRUE(Section("A").empty());

    // Empty names touch nothing.
    const std::string before = ReadFile(Ini());
    DeleteNetwork("");
    DeleteGateway("");
    EXPECT_EQ(before, ReadFile(Ini()));

    EXPECT_TRUE(AddGateway("192.168.1.7"));
    EXPECT_EQ((std::vector<std::string>{"other", "192.168.1.7"}), GatewayNames());
}

// Names that would become broken keys or sections are refused before anything is written.
TEST_F(NetworkList, NamesThatWouldCorruptTheFileAreRefused) {
    const CStringList none;
    ASSERT_TRUE(WriteNetworkToIni("Plant", Names{"gw"}, NULL));
    const std::string before = ReadFile(Ini());
    const char* refused[] = {"",          "a=b",           "[x",   "x]",      "a]b[",
                             "tab\there", "line\r\nbreak", "\x01", "del\x7F", ";comment"};
    for (const char* name : refused) {
        EXPECT_FALSE(IsValidIniName(name)) << name;
        EXPECT_FALSE(WriteNetworkToIni(name, none, NULL)) << name;
        EXPECT_FALSE(AddGateway(name)) << name;
        if (*name != '\0') {
            EXPECT_FALSE(WriteNetworkToIni("Lab", Names{"ok", name}, NULL)) << name;
        }
    }
    const Names brokenConverter{"a\r\n[Gateways]\r\nx=x"};
    EXPECT_FALSE(WriteNetworkToIni("Lab", none, &brokenConverter));
    EXPECT_EQ(before, ReadFile(Ini())) << "nothing was written";
    EXPECT_EQ("Plant", std::string(GetNetworkName()));

    for (const char* name : {"Plant 7", "a;b", "10.0.0.1", "\xC4rger", "x.y-z_1"}) {
        EXPECT_TRUE(IsValidIniName(name)) << name;
        EXPECT_TRUE(AddGateway(name)) << name;
    }
    EXPECT_EQ((std::vector<std::string>{"gw", "Plant 7", "a;b", "10.0.0.1", "\xC4rger", "x.y-z_1"}),
              GatewayNames());
}

std::vector<std::string> GatewayEntries(CIniObjectList& network) {
    std::vector<std::string> entries;
    CObList& list = network.GetGatewayList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        const CIniStringList* entry = (const CIniStringList*)list.GetNext(pos);
        entries.push_back(std::string(entry->GetName()) + "=" + (LPCSTR)entry->GetValue());
    }
    return entries;
}

std::vector<std::string> ConverterNames(CIniObjectList& network) {
    std::vector<std::string> names;
    CObList& list = network.GetConverterList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CConverter* converter = (CConverter*)list.GetNext(pos);
        EXPECT_TRUE(converter->IsKindOf(RUNTIME_CLASS(CConverter)));
        EXPECT_EQ(std::string(converter->GetConverterName()),
                  std::string(converter->GetDisplayName()));
        names.push_back((LPCSTR)converter->GetConverterName());
    }
    return names;
}

// The key Converter_k at position k gives the converter "<network>_k"; every other key a
// gateway entry.
TEST_F(NetworkList, LoadingANetworkTakesConvertersByPosition) {
    struct Case {
        const char* section;
        std::vector<std::string> converters;
        std::vector<std::string> gateways;
    } cases[] = {
        {"Converter_1=a\r\nConverter_2=b\r\ngw=gw\r\n", {"Plant_1", "Plant_2"}, {"gw=gw"}},
        {"gw=gw\r\nConverter_1=a\r\n", {}, {"gw=gw", "Converter_1=a"}},
        {"Converter_1=a\r\nConverter_3=c\r\n", {"Plant_1"}, {"Converter_3=c"}},
        {"converter_1=x\r\nCONVERTER_2=y\r\n", {"Plant_1", "Plant_2"}, {}},
        {"no value\r\n=nameless\r\nConverter_1=a\r\n", {"Plant_1"}, {}},
        {"gw=\r\n10.1.1.1=10.1.1.1\r\n", {}, {"gw=", "10.1.1.1=10.1.1.1"}},
        {"", {}, {}},
    };
    for (const Case& c : cases) {
        WriteIni(std::string("[Other]\r\nConverter_1=z\r\n[Plant]\r\n") + c.section);
        CIniObjectList network;
        network.Load("Plant");
        EXPECT_EQ("Plant", std::string(network.GetName()));
        EXPECT_EQ(c.converters, ConverterNames(network)) << c.section;
        EXPECT_EQ(c.gateways, GatewayEntries(network)) << c.section;
    }
}

TEST_F(NetworkList, LoadedConvertersReadTheirProfileAndLoadingAgainStartsAfresh) {
    AfxGetApp()->WriteProfileString("Converter\\Plant_2", "Port", "COM4");
    AfxGetApp()->WriteProfileInt("Converter\\Plant_2", "Hardware", 5);
    WriteIni("[Plant]\r\nConverter_1=a\r\nConverter_2=b\r\ngw=gw\r\n");
    CIniObjectList network;
    network.Load("Plant");
    ASSERT_EQ(2, network.GetConverterList().GetCount());
    CConverter* second = (CConverter*)network.GetConverterList().GetTail();
    CString port;
    second->GetPort(port);
    EXPECT_EQ("COM4", std::string(port));
    SerialParam serial;
    second->GetSerialParams(&serial);
    EXPECT_EQ(5, serial.converterType);

    network.Load("Missing");
    EXPECT_EQ("Missing", std::string(network.GetName()));
    EXPECT_EQ(0, network.GetConverterList().GetCount());
    EXPECT_EQ(0, network.GetGatewayList().GetCount());

    DeleteFileA(Ini().c_str());
    network.Load("Plant");
    EXPECT_EQ(0, network.GetConverterList().GetCount()) << "no file";
    WriteIni("");
    network.Load("Plant");
    EXPECT_EQ(0, network.GetGatewayList().GetCount()) << "an empty file";
}

// What the start-up's host option writes loads back as that network with one gateway.
TEST_F(NetworkList, AWrittenNetworkLoadsBack) {
    const Names converters{"first", "second"};
    ASSERT_TRUE(WriteNetworkToIni("10.0.0.9", Names{"10.0.0.9"}, &converters));
    CIniObjectList network;
    network.Load(GetNetworkName());
    EXPECT_EQ((std::vector<std::string>{"10.0.0.9_1", "10.0.0.9_2"}), ConverterNames(network));
    EXPECT_EQ((std::vector<std::string>{"10.0.0.9=10.0.0.9"}), GatewayEntries(network));
}

}  // namespace
