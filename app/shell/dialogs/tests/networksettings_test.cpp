// "Network settings" and its two small dialogs in real windows over the program's main frame
// and document, with port nodes of the test's own: the port rule between the rows, the
// gateway group and a TCP/IP converter, the changed mark and "Apply", the save question when
// networks are switched, converters written and loaded back, the port checks by converter
// type, port kind and system version, deleting and creating networks and gateways, the IP
// address control and help. Each test has its own "Comm.ini" and registry profile.
#include "converter.h"
#include "ipaddressedit.h"
#include "mainframe_fixture.h"
#include "netlist.h"
#include "networksettingsdlg.h"
#include "port.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using frametest::FrameHarness;
using shelltest::ProgramFolder;

const char kNone[] = "- - -";
const char* const kTypes[] = {"",
                              "Patton 285F (RS232)",
                              "Talvern / K40213-Q-7702-R4  (RS232)",
                              "Genesys Mini-con  (RS232)",
                              "Talvern B7Q31907615 (USB)",
                              "Talvern B7Q31907616 (TCP/IP)",
                              "User defined converter"};
const int kPortLists[] = {IDC_CONVERTER_PORT_1, IDC_CONVERTER_PORT_2, IDC_CONVERTER_PORT_3,
                          IDC_CONVERTER_PORT_4};
const int kTypeLists[] = {IDC_CONVERTER_TYPE_1, IDC_CONVERTER_TYPE_2, IDC_CONVERTER_TYPE_3,
                          IDC_CONVERTER_TYPE_4};
const int kGatewayControls[] = {IDC_GATEWAY_LIST, IDC_GATEWAY_NEW, IDC_GATEWAY_DELETE,
                                IDC_GATEWAY_GROUP};

const char kRedirector[] = "SYSTEM\\CurrentControlSet\\Services\\WTComSrv";

// The dialog with its gateway checks in view.
class CTestSettingsDlg : public CNetworkSettingsDlg {
public:
    using CNetworkSettingsDlg::CNetworkSettingsDlg;
    std::vector<int> GatewayChecks() {
        std::vector<int> checks;
        for (int i = 0; i < m_gatewayList.GetCount(); ++i)
            checks.push_back(m_gatewayList.GetCheck(i));
        return checks;
    }
};

bool Contains(const std::vector<std::string>& items, const std::string& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

// The system's version as the port checks see it.
DWORD g_majorVersion = 6;
BOOL TestVersion(OSVERSIONINFOA& version) {
    version.dwMajorVersion = g_majorVersion;
    version.dwMinorVersion = 1;
    version.dwPlatformId = VER_PLATFORM_WIN32_NT;
    return TRUE;
}
// The COM-port devices: COM2 is a plain serial port.
BOOL TestFriendlyNames(CStringArray& names, int, DWORD&) {
    names.Add("Communications Port (COM2)");
    return TRUE;
}

class NetworkSettings : public ::testing::Test, public FrameHarness {
protected:
    void SetUp() override {
        OpenFrame();
        folder_.reset(new ProgramFolder);
        oldVersion_ = CPort::SetVersionSource(TestVersion);
        oldNames_ = CPort::SetFriendlyNameSource(TestFriendlyNames);
        g_majorVersion = 6;
        // COM1 and COM4 are USB ports (the flag of a port known by name), COM2 a plain
        // serial port, COM3 a port of the TCP/IP redirector.
        AddPort(new CPort("COM1"));
        PORT_INFO_2A record = {};
        record.pPortName = (LPSTR) "COM2";
        record.pMonitorName = (LPSTR) "";
        record.pDescription = (LPSTR) "Serial";
        AddPort(new CPort("COM2 Serial", record));
        AddPort(new CPort("COM3"));
        AddPort(new CPort("COM4"));
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRedirector);
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                                  (std::string(kRedirector) + "\\Parameters\\Port1").c_str(), 0,
                                  NULL, 0, KEY_WRITE, NULL, &key, NULL));
        RegSetValueExA(key, "DosDevices", 0, REG_SZ, (const BYTE*)"COM3", 5);
        RegSetValueExA(key, "TargetAddress", 0, REG_SZ, (const BYTE*)"10.0.0.5", 9);
        RegCloseKey(key);
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRedirector);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kRedirector);
        CObList* nodes = doc_->GetPortList();
        for (CPort* port : ports_) {
            POSITION at = nodes->Find(port);
            if (at != NULL) nodes->RemoveAt(at);
            delete port;
        }
        CPort::SetVersionSource(oldVersion_);
        CPort::SetFriendlyNameSource(oldNames_);
        folder_.reset();
        CloseFrame();
    }
    void AddPort(CPort* port) {
        ports_.push_back(port);
        doc_->GetPortList()->AddTail(port);
    }

    std::string Ini() const { return *folder_ / "Comm.ini"; }
    void WriteIni(const std::string& text) const { shelltest::WriteFile(Ini(), text); }
    // "key=value" of each entry of a section of "Comm.ini".
    std::vector<std::string> Section(const char* section) const {
        return shelltest::IniSection(Ini(), section);
    }
    std::string ProfileText(const char* section, const char* entry) {
        return (LPCSTR)AfxGetApp()->GetProfileString(section, entry, "<none>");
    }

    // Runs the dialog for the network with the script (the driver may hold the scripts of
    // the dialogs it opens); the dialog's result.
    int Run(const char* network, wkit::Script script) {
        CTestSettingsDlg dialog(network);
        return Run(dialog, script);
    }
    int Run(CTestSettingsDlg& dialog, wkit::Script script) {
        wkit::Driver driver;
        return Run(dialog, driver, script);
    }
    int Run(CTestSettingsDlg& dialog, wkit::Driver& driver, wkit::Script script) {
        driver.OnOpen(wkit::Template(IDD_NETWORK_SETTINGS), script);
        return (int)dialog.DoModal();
    }
    // A row's port and type as the user picks them.
    static void SetRow(wkit::Window& w, int row, const std::string& port, int type) {
        w.Pick(kTypeLists[row - 1], type == 0 ? kNone : kTypes[type]);
        w.Pick(kPortLists[row - 1], port);
    }
    static std::vector<std::string> Row(wkit::Window& w, int row) {
        return {w.Selection(kPortLists[row - 1]), w.Selection(kTypeLists[row - 1])};
    }

    std::unique_ptr<ProgramFolder> folder_;
    std::vector<CPort*> ports_;
    CPort::VersionSource oldVersion_ = NULL;
    CPort::FriendlyNameSource oldNames_ = NULL;
};

TEST_F(NetworkSettings, APortChosenInOneRowLeavesTheOtherRows) {
    WriteIni("[Networklist]\r\nPlant=Plant\r\n");
    Run("Plant", [&](wkit::Window& w) {
        EXPECT_EQ("Network settings", w.Caption());
        for (int row = 1; row <= 4; ++row) {
            EXPECT_EQ((std::vector<std::string>{kNone, "COM1", "COM2", "COM3", "COM4"}),
                      w.Items(kPortLists[row - 1]));
            EXPECT_EQ(7u, w.Items(kTypeLists[row - 1]).size());
            EXPECT_EQ((std::vector<std::string>{kNone, kNone}), Row(w, row));
        }
        w.Pick(IDC_CONVERTER_PORT_1, "COM2");
        w.Pick(IDC_CONVERTER_PORT_3, "COM4");
        EXPECT_TRUE(Contains(w.Items(IDC_CONVERTER_PORT_1), "COM2"));
        for (int id : {IDC_CONVERTER_PORT_2, IDC_CONVERTER_PORT_3, IDC_CONVERTER_PORT_4})
            EXPECT_FALSE(Contains(w.Items(id), "COM2")) << id;
        for (int id : {IDC_CONVERTER_PORT_1, IDC_CONVERTER_PORT_2, IDC_CONVERTER_PORT_4})
            EXPECT_FALSE(Contains(w.Items(id), "COM4")) << id;
        // "- - -" in row 1 offers COM2 to every row again.
        w.Pick(IDC_CONVERTER_PORT_1, kNone);
        for (int id : kPortLists) EXPECT_TRUE(Contains(w.Items(id), "COM2")) << id;
        EXPECT_EQ("COM4", w.Selection(IDC_CONVERTER_PORT_3));
        w.PressCancel();
    });
    EXPECT_EQ((std::vector<std::string>{}), Section("Plant")) << "Cancel writes nothing";
}

TEST_F(NetworkSettings, ATcpIpConverterTakesTheGatewaysAway) {
    WriteIni(
        "[Networklist]\r\nPlant=Plant\r\n[Gateways]\r\n10.0.0.1=10.0.0.1\r\n10.0.0.2=10.0.0.2\r\n"
        "[Plant]\r\n10.0.0.2=10.0.0.2\r\n");
    CTestSettingsDlg dialog("Plant");
    const int result = Run(dialog, [&](wkit::Window& w) {
        EXPECT_EQ((std::vector<std::string>{"10.0.0.1", "10.0.0.2"}), w.Items(IDC_GATEWAY_LIST));
        EXPECT_EQ((std::vector<int>{0, 1}), dialog.GatewayChecks());
        for (int id : kGatewayControls) EXPECT_TRUE(w.IsEnabled(id)) << id;
        w.Pick(IDC_CONVERTER_TYPE_2, kTypes[5]);
        for (int id : kGatewayControls) EXPECT_FALSE(w.IsEnabled(id)) << id;
        EXPECT_EQ((std::vector<int>{0, 0}), dialog.GatewayChecks());
        // Another type gives the gateways back, unchecked.
        w.Pick(IDC_CONVERTER_TYPE_2, kTypes[6]);
        for (int id : kGatewayControls) EXPECT_TRUE(w.IsEnabled(id)) << id;
        w.ClickItemBox(IDC_GATEWAY_LIST, 0);
        EXPECT_EQ((std::vector<int>{1, 0}), dialog.GatewayChecks());
        w.Pick(IDC_CONVERTER_TYPE_4, kTypes[5]);
        w.PressOK();
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ((std::vector<std::string>{}), Section("Plant")) << "no gateway beside the converter";
    EXPECT_EQ((std::vector<std::string>{"10.0.0.1=10.0.0.1", "10.0.0.2=10.0.0.2"}),
              Section("Gateways"));
    EXPECT_EQ("Plant", std::string(dialog.m_strNetworkName));
}

TEST_F(NetworkSettings, AShownNetworksGatewaysStayCheckableAfterATcpIpNetwork) {
    WriteIni(
        "[Networklist]\r\nPlant=Plant\r\nYard=Yard\r\n[Gateways]\r\n10.0.0.1=10.0.0.1\r\n"
        "10.0.0.2=10.0.0.2\r\n[Plant]\r\n10.0.0.2=10.0.0.2\r\n[Yard]\r\nConverter_1=Yard_1\r\n");
    profile_->SetString("Converter\\Yard_1", "Port", "COM3");
    profile_->SetDword("Converter\\Yard_1", "Hardware", 5);
    boxes_.answer = IDNO;
    CTestSettingsDlg dialog("Yard");
    EXPECT_EQ(IDOK, Run(dialog, [&](wkit::Window& w) {
                  EXPECT_EQ((std::vector<std::string>{"COM3", kTypes[5]}), Row(w, 1));
                  for (int id : kGatewayControls) EXPECT_FALSE(w.IsEnabled(id)) << id;
                  w.Pick(IDC_NETWORK_LIST, "Plant");
                  for (int id : kGatewayControls) EXPECT_TRUE(w.IsEnabled(id)) << id;
                  EXPECT_EQ((std::vector<int>{0, 1}), dialog.GatewayChecks());
                  w.PressOK();
              }));
    EXPECT_EQ((std::vector<std::string>{"10.0.0.2=10.0.0.2"}), Section("Plant"))
        << "saving Plant keeps its gateway";
}

TEST_F(NetworkSettings, ApplyIsEnabledByAChangeAndDisabledByASave) {
    WriteIni("[Networklist]\r\nPlant=Plant\r\n");
    Run("Plant", [&](wkit::Window& w) {
        // Opening loads the network, which counts as a change.
        EXPECT_TRUE(w.IsEnabled(IDC_NETWORK_APPLY));
        w.Click(IDC_NETWORK_APPLY);
        EXPECT_FALSE(w.IsEnabled(IDC_NETWORK_APPLY));
        for (auto change : std::vector<std::function<void()>>{
                 [&] { w.Pick(IDC_CONVERTER_PORT_2, "COM4"); },
                 [&] { w.Pick(IDC_CONVERTER_TYPE_2, kTypes[6]); },
             }) {
            change();
            EXPECT_TRUE(w.IsEnabled(IDC_NETWORK_APPLY));
            w.Click(IDC_NETWORK_APPLY);
            EXPECT_FALSE(w.IsEnabled(IDC_NETWORK_APPLY));
        }
        EXPECT_EQ((std::vector<std::string>{"Converter_1=Plant_1"}), Section("Plant"));
        w.PressCancel();
    });
    EXPECT_EQ("COM4", ProfileText("Converter\\Plant_1", "Port"));
    EXPECT_TRUE(boxes_.texts.empty());
}

TEST_F(NetworkSettings, SwitchingNetworksAlwaysAsks) {
    WriteIni(
        "[Networklist]\r\nLab=Lab\r\nPlant=Plant\r\nYard=Yard\r\n[Plant]\r\n"
        "Converter_1=Plant_1\r\n");
    profile_->SetString("Converter\\Plant_1", "Port", "COM1");
    profile_->SetDword("Converter\\Plant_1", "Hardware", 6);
    const std::string question = "Do you want to save  'Plant' changes?";
    boxes_.answers = {IDNO, IDCANCEL, IDYES};
    Run("Plant", [&](wkit::Window& w) {
        EXPECT_EQ((std::vector<std::string>{"COM1", kTypes[6]}), Row(w, 1));
        // No: Lab is shown, Plant's rows are dropped.
        w.Pick(IDC_NETWORK_LIST, "Lab");
        ASSERT_EQ(1u, boxes_.texts.size());
        EXPECT_EQ(question, boxes_.texts[0]);
        EXPECT_EQ((UINT)MB_YESNOCANCEL, boxes_.types[0] & MB_TYPEMASK);
        EXPECT_EQ((std::vector<std::string>{kNone, kNone}), Row(w, 1));
        // Cancel: Lab stays, and so does its changed mark.
        w.Pick(IDC_NETWORK_LIST, "Yard");
        ASSERT_EQ(2u, boxes_.texts.size());
        EXPECT_EQ("Do you want to save  'Lab' changes?", boxes_.texts[1]);
        EXPECT_EQ("Lab", w.Selection(IDC_NETWORK_LIST));
        EXPECT_TRUE(w.IsEnabled(IDC_NETWORK_APPLY));
        // Yes: Lab is saved with the row entered, then Yard shown.
        SetRow(w, 1, "COM2", 6);
        w.Pick(IDC_NETWORK_LIST, "Yard");
        ASSERT_EQ(3u, boxes_.texts.size());
        EXPECT_EQ("Yard", w.Selection(IDC_NETWORK_LIST));
        EXPECT_EQ((std::vector<std::string>{kNone, kNone}), Row(w, 1));
        w.PressCancel();
    });
    EXPECT_EQ((std::vector<std::string>{"Converter_1=Plant_1"}), Section("Plant"));
    EXPECT_EQ((std::vector<std::string>{"Converter_1=Lab_1"}), Section("Lab"));
    EXPECT_EQ("COM2", ProfileText("Converter\\Lab_1", "Port"));
    EXPECT_EQ("Lab", std::string(GetNetworkName()));
}

TEST_F(NetworkSettings, RowsOneAndThreeComeBackAsTheNetworksTwoConverters) {
    WriteIni("[Networklist]\r\nPlant=Plant\r\n[Gateways]\r\n10.0.0.1=10.0.0.1\r\n");
    // The user's offline model, which the converters' profile carries too.
    profile_->SetDword("Program options", "Offline instrument", 4);
    profile_->SetDword("Program options", "Number of components", 3);
    profile_->SetDword("Program options", "Has H2S Sensor", 1);
    EXPECT_EQ(IDOK, Run("Plant", [&](wkit::Window& w) {
                  SetRow(w, 1, "COM1", 4);
                  SetRow(w, 3, "COM2", 6);
                  SetRow(w, 4, kNone, 1);  // a type without a port: no converter
                  w.ClickItemBox(IDC_GATEWAY_LIST, 0);
                  w.PressOK();
              }));
    EXPECT_TRUE(boxes_.texts.empty());
    EXPECT_EQ((std::vector<std::string>{"Converter_1=Plant_1", "Converter_2=Plant_2",
                                        "10.0.0.1=10.0.0.1"}),
              Section("Plant"));
    EXPECT_FALSE(profile_->SectionExists("Converter\\Plant_3"));
    EXPECT_FALSE(profile_->SectionExists("Converter\\Plant_4"));
    struct Expected {
        const char* port;
        int hardware, doToggle, autoToggle, assertDtr, readEcho;
    } const expected[] = {{"COM1", 4, 1, 0, 1, 0}, {"COM2", 6, 1, 0, 1, 0}};
    CIniObjectList network;
    network.Load("Plant");
    ASSERT_EQ(2, network.GetConverterList().GetCount());
    POSITION pos = network.GetConverterList().GetHeadPosition();
    for (const Expected& e : expected) {
        CConverter* converter = (CConverter*)network.GetConverterList().GetNext(pos);
        SCOPED_TRACE(e.port);
        CString port;
        EXPECT_EQ(nullptr, converter->GetPort(port)) << "no port node stays bound";
        EXPECT_EQ(e.port, std::string(port));
        SerialParam param = {};
        converter->GetSerialParams(&param);
        EXPECT_EQ(e.hardware, param.converterType);
        EXPECT_EQ(e.doToggle, param.softwareRts);
        EXPECT_EQ(e.autoToggle, param.rtsToggle);
        EXPECT_EQ(e.assertDtr, param.assertDtr);
        EXPECT_EQ(e.readEcho, param.readEcho);
    }
    for (CPort* port : ports_) EXPECT_EQ(nullptr, port->GetConverter());
    EXPECT_EQ(4, profile_->Dword("Program options", "Offline instrument"));
    EXPECT_EQ(3, profile_->Dword("Program options", "Number of components"));
    EXPECT_EQ(1, profile_->Dword("Program options", "Has H2S Sensor"));
    EXPECT_EQ("Plant", std::string(GetNetworkName()));

    // Opened again: both converters in the first rows, the gateway checked.
    CTestSettingsDlg dialog(NULL);
    Run(dialog, [&](wkit::Window& w) {
        EXPECT_EQ("Plant", w.Selection(IDC_NETWORK_LIST));
        EXPECT_EQ((std::vector<std::string>{"COM1", kTypes[4]}), Row(w, 1));
        EXPECT_EQ((std::vector<std::string>{"COM2", kTypes[6]}), Row(w, 2));
        EXPECT_EQ((std::vector<std::string>{kNone, kNone}), Row(w, 3));
        EXPECT_FALSE(Contains(w.Items(IDC_CONVERTER_PORT_3), "COM1"));
        EXPECT_EQ((std::vector<int>{1}), dialog.GatewayChecks());
        w.PressCancel();
    });
}

TEST_F(NetworkSettings, PortsAreCheckedAgainstTheirConverterType) {
    const std::string rs232 = "Port %s is no RS-232 port. Please choose a correct port.";
    const std::string usb = "Port %s is no USB-Port. Please choose a correct port.";
    const std::string tcpIp =
        "Port %s is not configured as a TCP/IP port. Please choose a correct port.";
    struct Case {
        const char* port;  // COM1 USB, COM2 serial, COM3 redirected
        int type;
        DWORD major;
        std::string refusal;  // empty: accepted
    } const cases[] = {
        {"COM1", 1, 6, rs232}, {"COM1", 2, 4, ""},  {"COM2", 3, 6, ""}, {"COM3", 1, 4, rs232},
        {"COM3", 3, 6, rs232}, {"COM2", 4, 6, usb}, {"COM1", 4, 6, ""}, {"COM2", 5, 6, tcpIp},
        {"COM1", 5, 6, tcpIp}, {"COM3", 5, 6, ""},  {"COM2", 6, 6, ""}, {"COM3", 6, 4, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.port) + " type " + std::to_string(c.type) + " version " +
                     std::to_string(c.major));
        WriteIni("[Networklist]\r\nPlant=Plant\r\n");
        RegDeleteTreeA(HKEY_CURRENT_USER, profile_->Section("Converter").c_str());
        g_majorVersion = c.major;
        boxes_.texts.clear();
        const int result = Run("Plant", [&](wkit::Window& w) {
            SetRow(w, 2, c.port, c.type);
            w.PressOK();
            if (c.refusal.empty()) return;
            EXPECT_TRUE(w.IsOpen()) << "a refused port keeps the dialog";
            w.Click(IDC_NETWORK_APPLY);
            EXPECT_TRUE(w.IsEnabled(IDC_NETWORK_APPLY));
            w.PressCancel();
        });
        std::string text = c.refusal;
        if (!text.empty()) text.replace(text.find("%s"), 2, c.port);
        if (c.refusal.empty()) {
            EXPECT_EQ(IDOK, result);
            EXPECT_TRUE(boxes_.texts.empty());
            EXPECT_EQ((std::vector<std::string>{"Converter_1=Plant_1"}), Section("Plant"));
            EXPECT_EQ(c.type, profile_->Dword("Converter\\Plant_1", "Hardware"));
        } else {
            EXPECT_EQ(IDCANCEL, result);
            EXPECT_EQ((std::vector<std::string>{text, text}), boxes_.texts);
            EXPECT_EQ((std::vector<std::string>{}), Section("Plant"));
            EXPECT_FALSE(profile_->SectionExists("Converter\\Plant_1"));
        }
    }
}

TEST_F(NetworkSettings, ADeletedNetworksRowsDoNotPassToTheNext) {
    WriteIni(
        "[Networklist]\r\nLab=Lab\r\nPlant=Plant\r\n[Lab]\r\nConverter_1=Lab_1\r\n"
        "[Plant]\r\nConverter_1=Plant_1\r\n");
    profile_->SetString("Converter\\Lab_1", "Port", "COM4");
    profile_->SetDword("Converter\\Lab_1", "Hardware", 4);
    profile_->SetString("Converter\\Plant_1", "Port", "COM2");
    profile_->SetDword("Converter\\Plant_1", "Hardware", 6);
    boxes_.answers = {IDNO, IDYES};
    EXPECT_EQ(IDOK, Run("Plant", [&](wkit::Window& w) {
                  EXPECT_EQ((std::vector<std::string>{"COM2", kTypes[6]}), Row(w, 1));
                  w.Click(IDC_NETWORK_DELETE);  // No: nothing happens
                  EXPECT_EQ((std::vector<std::string>{"Lab", "Plant"}), w.Items(IDC_NETWORK_LIST));
                  w.Click(IDC_NETWORK_DELETE);
                  EXPECT_EQ((std::vector<std::string>{"Lab"}), w.Items(IDC_NETWORK_LIST));
                  EXPECT_EQ("Lab", w.Selection(IDC_NETWORK_LIST));
                  EXPECT_EQ((std::vector<std::string>{"COM4", kTypes[4]}), Row(w, 1));
                  EXPECT_FALSE(w.IsEnabled(IDC_NETWORK_APPLY));
                  w.PressOK();
              }));
    EXPECT_EQ((std::vector<std::string>{"Do you really want to delete the network 'Plant'?",
                                        "Do you really want to delete the network 'Plant'?"}),
              boxes_.texts);
    EXPECT_EQ((std::vector<std::string>{"Lab=Lab"}), Section("Networklist"));
    EXPECT_EQ((std::vector<std::string>{}), Section("Plant"));
    EXPECT_EQ((std::vector<std::string>{"Converter_1=Lab_1"}), Section("Lab"));
    EXPECT_EQ("COM4", ProfileText("Converter\\Lab_1", "Port"));
    EXPECT_TRUE(profile_->SectionExists("Converter\\Plant_1")) << "a converter's settings stay";
}

TEST_F(NetworkSettings, ANewNetworkNeedsANameTheFileCanHold) {
    WriteIni("[Networklist]\r\nPlant=Plant\r\n[Plant]\r\nConverter_1=Plant_1\r\n");
    CTestSettingsDlg dialog("Plant");
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NEW_NETWORK), [&](wkit::Window& n) {
        EXPECT_EQ("Define a new network", n.Caption());
        EXPECT_EQ("", n.Text(IDC_NEW_NETWORK_NAME));
        for (const char* name : {"", "a=b", "[x]", ";x", "plant"}) {
            n.SetText(IDC_NEW_NETWORK_NAME, name);
            n.PressOK();
            EXPECT_TRUE(n.IsOpen()) << name;
        }
        n.SetText(IDC_NEW_NETWORK_NAME, "Hall");
        n.PressOK();
    });
    EXPECT_EQ(IDOK, Run(dialog, driver, [&](wkit::Window& w) {
                  w.Click(IDC_NETWORK_NEW);
                  EXPECT_EQ((std::vector<std::string>{"Hall", "Plant"}), w.Items(IDC_NETWORK_LIST));
                  EXPECT_EQ("Hall", w.Selection(IDC_NETWORK_LIST));
                  EXPECT_EQ((std::vector<std::string>{kNone, kNone}), Row(w, 1));
                  w.PressOK();
              }));
    ASSERT_EQ(5u, boxes_.texts.size());
    EXPECT_EQ("Please enter a network name.", boxes_.texts[0]);
    for (int i = 1; i <= 3; ++i)
        EXPECT_NE(std::string::npos, boxes_.texts[i].find("must not")) << boxes_.texts[i];
    EXPECT_EQ("The network 'plant' exists already.", boxes_.texts[4]);
    EXPECT_EQ((std::vector<std::string>{"Plant=Plant", "Hall=Hall"}), Section("Networklist"));
    EXPECT_EQ((std::vector<std::string>{"Converter_1=Plant_1"}), Section("Plant"));
    EXPECT_EQ("Hall", std::string(dialog.m_strNetworkName));
    EXPECT_EQ("Hall", std::string(GetNetworkName()));
}

TEST_F(NetworkSettings, ANameTooLongForTheConvertersSectionsIsRefusedBeforeAnythingIsWritten) {
    const std::string refusal =
        "A network name may have at most 248 characters: the settings of its converters could "
        "not be stored.";
    // A new network: one character more than the converters' sections can take is refused
    // ("Converter\<name>_4" is at most 260 characters long).
    const std::string longest(248, 'n'), tooLong = std::string(249, 'n');
    WriteIni("[Networklist]\r\nPlant=Plant\r\n");
    {
        CTestSettingsDlg dialog("Plant");
        wkit::Driver driver;
        driver.OnOpen(wkit::Template(IDD_NEW_NETWORK), [&](wkit::Window& n) {
            for (const std::string& name : {std::string(300, 'x'), tooLong}) {
                n.SetText(IDC_NEW_NETWORK_NAME, name);
                n.PressOK();
                EXPECT_TRUE(n.IsOpen()) << name.size();
            }
            n.SetText(IDC_NEW_NETWORK_NAME, longest);
            n.PressOK();
        });
        EXPECT_EQ(IDOK, Run(dialog, driver, [&](wkit::Window& w) {
                      w.Click(IDC_NETWORK_NEW);
                      EXPECT_EQ(longest, w.Selection(IDC_NETWORK_LIST));
                      SetRow(w, 4, "COM2", 6);
                      SetRow(w, 1, "COM1", 4);
                      w.PressOK();
                  }));
    }
    EXPECT_EQ((std::vector<std::string>{refusal, refusal}), boxes_.texts);
    // The longest name keeps its converters: both sections are stored and named in the file.
    EXPECT_EQ((std::vector<std::string>{"Converter_1=" + longest + "_1",
                                        "Converter_2=" + longest + "_2"}),
              Section(longest.c_str()));
    EXPECT_EQ("COM1", ProfileText(("Converter\\" + longest + "_1").c_str(), "Port"));
    EXPECT_EQ("COM2", ProfileText(("Converter\\" + longest + "_2").c_str(), "Port"));

    // A network that the file lists with a name too long: Apply and OK write nothing.
    const std::string listed(300, 'p');
    WriteIni("[Networklist]\r\n" + listed + "=" + listed + "\r\n");
    boxes_.texts.clear();
    SetNetworkName("");
    EXPECT_EQ(IDCANCEL, Run(listed.c_str(), [&](wkit::Window& w) {
                  EXPECT_EQ(listed, w.Selection(IDC_NETWORK_LIST));
                  SetRow(w, 1, "COM2", 6);
                  w.Click(IDC_NETWORK_APPLY);
                  EXPECT_TRUE(w.IsEnabled(IDC_NETWORK_APPLY)) << "nothing was saved";
                  w.PressOK();
                  EXPECT_TRUE(w.IsOpen());
                  w.PressCancel();
              }));
    EXPECT_EQ((std::vector<std::string>{refusal, refusal}), boxes_.texts);
    EXPECT_EQ((std::vector<std::string>{listed + "=" + listed}), Section("Networklist"));
    EXPECT_EQ((std::vector<std::string>{}), Section(listed.c_str()));
    EXPECT_EQ("", std::string(GetNetworkName()));
}

TEST_F(NetworkSettings, GatewaysAreAddedAndDeleted) {
    WriteIni(
        "[Networklist]\r\nPlant=Plant\r\nLab=Lab\r\n[Gateways]\r\n10.0.0.1=10.0.0.1\r\n"
        "[Plant]\r\n10.0.0.1=10.0.0.1\r\n[Lab]\r\n10.0.0.1=10.0.0.1\r\n");
    CTestSettingsDlg dialog("Plant");
    boxes_.answers = {IDYES};
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NEW_GATEWAY), [&](wkit::Window& g) {
        EXPECT_EQ("Define a new gateway", g.Caption());
        EXPECT_TRUE(CIPAddressEdit::SetAddress(g.Control(IDC_GATEWAY_ADDRESS), "10.0.0.9"));
        g.PressOK();
    });
    EXPECT_EQ(IDOK, Run(dialog, driver, [&](wkit::Window& w) {
                  w.Click(IDC_GATEWAY_NEW);
                  EXPECT_EQ((std::vector<std::string>{"10.0.0.1", "10.0.0.9"}),
                            w.Items(IDC_GATEWAY_LIST));
                  // The checks made stay.
                  EXPECT_EQ((std::vector<int>{1, 0}), dialog.GatewayChecks());
                  w.Pick(IDC_GATEWAY_LIST, "10.0.0.1");
                  w.Click(IDC_GATEWAY_DELETE);
                  EXPECT_EQ((std::vector<std::string>{"10.0.0.9"}), w.Items(IDC_GATEWAY_LIST));
                  w.ClickItemBox(IDC_GATEWAY_LIST, 0);
                  EXPECT_EQ("Plant", w.Selection(IDC_NETWORK_LIST));
                  w.PressOK();
              }));
    EXPECT_EQ((std::vector<std::string>{"Do you really want to delete the gateway '10.0.0.1'?"}),
              boxes_.texts);
    EXPECT_EQ((std::vector<std::string>{"10.0.0.9=10.0.0.9"}), Section("Gateways"));
    EXPECT_EQ((std::vector<std::string>{"10.0.0.9=10.0.0.9"}), Section("Plant"));
    EXPECT_EQ((std::vector<std::string>{}), Section("Lab"));
}

TEST_F(NetworkSettings, TheIpAddressControlTakesOnlyAddresses) {
    CNewGatewayDlg dialog;
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NEW_GATEWAY), [&](wkit::Window& g) {
        HWND control = g.Control(IDC_GATEWAY_ADDRESS);
        ::SendMessageA(control, IPM_CLEARADDRESS, 0, 0);
        EXPECT_EQ("0.0.0.0", std::string(CIPAddressEdit::GetAddress(control)));
        EXPECT_TRUE(CIPAddressEdit::SetAddress(control, "10.0.0.5"));
        EXPECT_EQ("10.0.0.5", std::string(CIPAddressEdit::GetAddress(control)));
        DWORD shown = 0;
        ::SendMessageA(control, IPM_GETADDRESS, 0, (LPARAM)&shown);
        EXPECT_EQ(MAKEIPADDRESS(10, 0, 0, 5), shown) << "first field in the highest byte";
        for (const char* bad : {"255.255.255.255", "abc"}) {
            EXPECT_FALSE(CIPAddressEdit::SetAddress(control, bad)) << bad;
            EXPECT_EQ("10.0.0.5", std::string(CIPAddressEdit::GetAddress(control))) << bad;
        }
        g.PressOK();
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ("10.0.0.5", std::string(dialog.m_strAddress));
}

TEST_F(NetworkSettings, HelpPopsUpForEveryControl) {
    WriteIni("[Networklist]\r\nPlant=Plant\r\n");
    CTestSettingsDlg dialog("Plant");
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NEW_NETWORK), [&](wkit::Window& n) {
        n.HelpOn(IDC_NEW_NETWORK_NAME);
        n.PressCancel();
    });
    driver.OnOpen(wkit::Template(IDD_NEW_GATEWAY), [&](wkit::Window& g) {
        g.HelpOn(IDC_GATEWAY_ADDRESS);
        g.PressCancel();
    });
    Run(dialog, driver, [&](wkit::Window& w) {
        w.HelpOn(IDC_CONVERTER_PORT_3);
        w.Click(IDC_NETWORK_NEW);
        w.Click(IDC_GATEWAY_NEW);
        w.PressCancel();
    });
    std::vector<DWORD_PTR> topics;
    for (const frametest::HelpCall& call : recorders_.help) topics.push_back(call.data);
    EXPECT_EQ(
        (std::vector<DWORD_PTR>{0x50000 + IDC_CONVERTER_PORT_3, 0x50000 + IDC_NEW_NETWORK_NAME,
                                0x50000 + IDC_GATEWAY_ADDRESS}),
        topics);
}

}  // namespace
