// The port node: USB detection through the system's COM-port devices (none under Wine, or
// a list given by the test), the COM-port redirector's settings in the prefix's registry,
// and the binding to a converter.
#include "converter.h"
#include "port.h"
#include "node_helpers.h"
#include "recording_host.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

PORT_INFO_2A Record(const char* portName, DWORD type = PORT_TYPE_WRITE | PORT_TYPE_READ) {
    PORT_INFO_2A record = {};
    record.pPortName = const_cast<char*>(portName);
    record.pMonitorName = const_cast<char*>("Local Port");
    record.pDescription = const_cast<char*>("Serial Port");
    record.fPortType = type;
    return record;
}

// ---- The seams: the device list and the version that the next port sees -------------

std::vector<std::string> g_names;
DWORD g_listError = 0;  // not 0: the list cannot be obtained
int g_listCalls = 0;
OSVERSIONINFOA g_version;
BOOL g_versionKnown = TRUE;

BOOL TestNames(CStringArray& names, int limit, DWORD& error) {
    ++g_listCalls;
    if (g_listError != 0) {
        error = g_listError;
        return FALSE;
    }
    for (const std::string& n : g_names) names.Add(n.c_str());
    return TRUE;
}

BOOL TestVersion(OSVERSIONINFOA& version) {
    version = g_version;
    return g_versionKnown;
}

class PortSeams : public ::testing::Test {
protected:
    void SetUp() override {
        names_ = CPort::SetFriendlyNameSource(TestNames);
        version_ = CPort::SetVersionSource(TestVersion);
        g_names.clear();
        g_listError = 0;
        g_listCalls = 0;
        g_version = {};
        g_version.dwMajorVersion = 6;
        g_version.dwMinorVersion = 1;
        g_version.dwPlatformId = VER_PLATFORM_WIN32_NT;
        g_versionKnown = TRUE;
    }
    void TearDown() override {
        CPort::SetFriendlyNameSource(names_);
        CPort::SetVersionSource(version_);
    }
    CPort::FriendlyNameSource names_;
    CPort::VersionSource version_;
};

TEST(PortUnderWine, TheSystemListsNoComPortDevicesSoEveryPortCountsAsUsb) {
    // The system's own sources are the ones installed.
    CPort::FriendlyNameSource system = CPort::SetFriendlyNameSource(nullptr);
    CPort::VersionSource version = CPort::SetVersionSource(nullptr);
    EXPECT_EQ(system, CPort::SetFriendlyNameSource(nullptr));
    OSVERSIONINFOA info = {};
    ASSERT_TRUE(version(info));
    EXPECT_GE(info.dwMajorVersion, 5u) << "detection runs";
    CStringArray names;
    DWORD error = 0;
    ASSERT_TRUE(system(names, 27, error)) << error;
    EXPECT_EQ(0, (int)names.GetSize());

    for (const char* name : {"COM1:", "COM2:", "LPT1:"}) {
        CPort port(CString(name) + " Serial Port", Record(name));
        EXPECT_EQ(1, port.IsUsbPort()) << name;
    }
}

TEST_F(PortSeams, AFriendlyNameOfThePortTellsWhetherItIsUsb) {
    struct Case {
        const char* port;
        std::vector<std::string> names;
        int usb;
    } cases[] = {
        {"COM3:", {"USB Serial Port (COM3)"}, 1},
        {"COM3:", {"Communications Port (COM3)"}, 0},
        {"COM3: ", {"Communications Port (COM3)"}, 0},  // trailing blanks, then ":"
        {"COM3", {"Communications Port (COM3)"}, 0},
        {"COM1:", {"Communications Port (COM10)"}, 1},  // COM10 is another port
        {"COM1:", {"Communications Port (COM10)", "Communications Port (COM1)"}, 0},
        {"COM1:", {"Communications Port (COM10) COM1"}, 0},
        {"COM3:", {"", "USB Serial Port (COM3)", "Communications Port (COM3)"}, 1},
        {"LPT1:", {"Communications Port (COM1)"}, 1},
        {"COM4:", {}, 1},
    };
    for (const Case& c : cases) {
        g_names = c.names;
        CPort port(c.port, Record(c.port));
        EXPECT_EQ(c.usb, port.IsUsbPort()) << c.port << " " << c.names.size();
    }
}

TEST_F(PortSeams, AtMost27InterfacesAreExamined) {
    g_names.assign(26, "Communications Port (COM9)");
    g_names.push_back("Communications Port (COM3)");  // index 26: seen
    EXPECT_EQ(0, CPort("COM3:", Record("COM3:")).IsUsbPort());
    g_names.insert(g_names.begin(), "Communications Port (COM9)");  // now index 27
    EXPECT_EQ(1, CPort("COM3:", Record("COM3:")).IsUsbPort());
}

TEST_F(PortSeams, OldSystemsAndUnknownVersionsSkipTheDetection) {
    g_names = {"Communications Port (COM3)"};
    g_version.dwMajorVersion = 4;
    EXPECT_EQ(1, CPort("COM3:", Record("COM3:")).IsUsbPort());
    g_version.dwMajorVersion = 5;
    g_versionKnown = FALSE;
    EXPECT_EQ(1, CPort("COM3:", Record("COM3:")).IsUsbPort());
    EXPECT_EQ(0, g_listCalls);
    // The port known by its name alone is never examined.
    g_versionKnown = TRUE;
    EXPECT_EQ(1, CPort("COM3:").IsUsbPort());
    EXPECT_EQ(0, g_listCalls);
}

TEST_F(PortSeams, AnUnreadableDeviceListIsThrownToTheCaller) {
    g_listError = 0x57;
    CString message;
    try {
        CPort port("COM3:", Record("COM3:"));
        ADD_FAILURE() << "no exception";
    } catch (CPortListException* e) {
        message = e->GetText();
        char text[64];
        EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
        EXPECT_STREQ("SetupDiGetClassDevs failed. (err=57)", text);
        e->Delete();
    }
    EXPECT_EQ("SetupDiGetClassDevs failed. (err=57)", Text(message));
}

TEST_F(PortSeams, NamesTextsAndPortTypes) {
    CPort port("COM1: Serial Port", Record("COM1:", PORT_TYPE_WRITE | PORT_TYPE_REDIRECTED));
    CString name;
    port.GetPortName(name);
    EXPECT_EQ("COM1:", Text(name));
    EXPECT_EQ("COM1: Serial Port", Text(port.GetName()));
    EXPECT_EQ("Local Port", Text(port.GetMonitorName()));
    EXPECT_EQ("Serial Port", Text(port.GetDescription()));
    EXPECT_EQ(1, port.IsWritePort());
    EXPECT_EQ(0, port.IsReadPort());
    EXPECT_EQ(1, port.IsRedirectedType());
    EXPECT_EQ(0, port.IsNetAttached());
    EXPECT_EQ(1, port.GetImageIndex());
    EXPECT_EQ(0, port.GetState());
    EXPECT_EQ(nullptr, port.GetConverter());

    struct Case {
        const char* portName;
        const char* shortName;
        int com, lpt;
    } cases[] = {
        {"COM1:", "COM1", 1, 0}, {"COM1", "COM1", 1, 0}, {"LPT1:", "LPT1", 0, 1},
        {"FILE:", "FILE", 0, 0}, {"", "", 0, 0},         {":x", "", 0, 0},
    };
    for (const Case& c : cases) {
        CPort p(c.portName);
        EXPECT_EQ(c.shortName, Text(p.GetShortName())) << c.portName;
        EXPECT_EQ(c.com, p.IsComPort()) << c.portName;
        EXPECT_EQ(c.lpt, p.IsLptPort()) << c.portName;
        EXPECT_EQ(0, (int)p.GetPortType());
    }

    std::unique_ptr<CObject> created(RUNTIME_CLASS(CPort)->CreateObject());
    CPort* dynamic = static_cast<CPort*>(created.get());
    dynamic->GetPortName(name);
    EXPECT_EQ("", Text(name));
    EXPECT_EQ("Unknown", Text(dynamic->GetName()));
    EXPECT_EQ(0, (int)dynamic->GetPortType());
}

TEST_F(PortSeams, BindingAndUnbindingBothWays) {
    RecordingHost host(0);
    CPort first("COM1:"), second("COM2:");
    CConverter converter("Line A", 2);
    first.SetChanged(1);
    converter.SetPort(&first);
    EXPECT_EQ(&converter, first.GetConverter());
    EXPECT_EQ(0, first.GetChanged()) << "binding clears the changed mark";
    converter.SetPort(&second);
    EXPECT_EQ(nullptr, first.GetConverter()) << "the old port is freed";
    EXPECT_EQ(&converter, second.GetConverter());

    // A converter that goes frees its port; a port that goes frees its converter, which
    // keeps the port's name.
    {
        CConverter gone("Line B", 2);
        gone.SetPort(&first);
    }
    EXPECT_EQ(nullptr, first.GetConverter());
    {
        CPort gone("COM7:");
        converter.SetPort(&gone);
        EXPECT_EQ(nullptr, second.GetConverter());
    }
    CString name;
    EXPECT_EQ(nullptr, converter.GetPort(name));
    EXPECT_EQ("COM7:", Text(name));
}

// ---- The COM-port redirector's settings ------------------------------------------------

const char kRedirector[] = "SYSTEM\\CurrentControlSet\\Services\\WTComSrv";
const char kParameters[] = "SYSTEM\\CurrentControlSet\\Services\\WTComSrv\\Parameters";

class Redirector : public PortSeams {
protected:
    void SetUp() override {
        PortSeams::SetUp();
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRedirector);
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRedirector);
        PortSeams::TearDown();
    }
    // A subkey of the parameters; null values are left out.
    void Map(const char* subkey, const char* dosDevices, const char* target) {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                                                 (std::string(kParameters) + "\\" + subkey).c_str(),
                                                 0, NULL, 0, KEY_WRITE, NULL, &key, NULL));
        if (dosDevices != nullptr)
            RegSetValueExA(key, "DosDevices", 0, REG_SZ, (const BYTE*)dosDevices,
                           (DWORD)strlen(dosDevices) + 1);
        if (target != nullptr)
            RegSetValueExA(key, "TargetAddress", 0, REG_SZ, (const BYTE*)target,
                           (DWORD)strlen(target) + 1);
        RegCloseKey(key);
    }
    int Redirected(const char* port) { return CPort(port).IsRedirectedPort(); }
};

TEST_F(Redirector, APortMappedToARealAddressIsRedirected) {
    EXPECT_EQ(0, Redirected("COM2:")) << "no redirector";
    Map("Port1", "COM5", "0.0.0.0");
    Map("Port2", "COM2", "10.0.0.5");
    EXPECT_EQ(1, Redirected("COM2:"));
    EXPECT_EQ(1, Redirected("COM2"));
    EXPECT_EQ(0, Redirected("COM20:")) << "COM2 does not name COM20";
    EXPECT_EQ(0, Redirected("COM5:")) << "no target";
    EXPECT_EQ(0, Redirected("COM3:"));
}

TEST_F(Redirector, EmptyOrMissingValuesMarkNothing) {
    Map("Empty", "", "10.0.0.5");
    Map("NoName", nullptr, "10.0.0.6");
    Map("NoTarget", "COM4", nullptr);
    Map("EmptyTarget", "COM6", "");
    for (const char* port : {"COM1:", "COM4:", "COM6:"}) EXPECT_EQ(0, Redirected(port)) << port;
}

TEST_F(Redirector, WithoutAVersionOrOnWindows95ThePortMayBeRedirected) {
    g_versionKnown = FALSE;
    EXPECT_EQ(1, Redirected("COM3:"));
    g_versionKnown = TRUE;
    g_version.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    g_version.dwMajorVersion = 4;
    g_version.dwMinorVersion = 0;
    EXPECT_EQ(1, Redirected("COM3:"));
    g_version.dwMinorVersion = 10;  // Windows 98: the registry decides
    EXPECT_EQ(0, Redirected("COM3:"));
}

}  // namespace
