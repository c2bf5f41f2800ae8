// From the user's side, with the analyzer simulator on COM1: a network made in "Network
// settings" with a converter on COM1, chosen online in "Communication Configuration", and
// "&Link Instrument" find the simulator's analyzers below that converter. Only the dialogs
// and the frame's commands are used; the test's own profile and "Comm.ini".
#include <winsock2.h>

#include "converter.h"
#include "mainframe_fixture.h"
#include "netlist.h"
#include "port.h"
#include "vaskinstrument.h"
#include "vasksim_client.h"

#include <memory>
#include <string>
#include <vector>

namespace frametest {
namespace {

// Wine lists no port device for COM1, so the port counts as a USB port (a port of no known
// kind does), and the USB converter is the one the dialog accepts on it.
const char kUsbConverter[] = "Talvern B7Q31907615 (USB)";

class NetworkLink : public ::testing::Test, public FrameHarness {
protected:
    void SetUp() override {
        // COM for the thread, as the program's start-up has it before the first rebuild.
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        std::string error;
        ASSERT_TRUE(sim_.Connect(&error)) << error;
        ASSERT_TRUE(sim_.Reset()) << sim_.LastError();
        OpenFrame();
        if (HasFatalFailure()) return;
        folder_.reset(new shelltest::ProgramFolder);
        // COM1, the simulator's line, is the machine's one free port, as the start-up's
        // survey would find it.
        m_strFreeComPorts = SurveyedPort("COM1:");
        ASSERT_FALSE(m_strFreeComPorts.IsEmpty()) << "COM1: is not among the system's ports";
        // The program starts offline: the tree holds the port nodes and the offline analyzer.
        SetMode(0);
        ASSERT_TRUE(doc_->InitTheInstruments());
    }
    void TearDown() override {
        if (doc_ != nullptr && IsWindow(hFrame_)) doc_->SetModifiedFlag(FALSE);
        folder_.reset();
        if (app_) CloseFrame();
        m_strFreeComPorts.Empty();
        sim_.Reset();
    }

    std::vector<CVaskInstrument*> Analyzers() {
        std::vector<CVaskInstrument*> analyzers;
        CObList* nodes = doc_->GetPortList();
        for (POSITION pos = nodes->GetHeadPosition(); pos != NULL;) {
            CObject* node = nodes->GetNext(pos);
            if (node->IsKindOf(RUNTIME_CLASS(CVaskInstrument)))
                analyzers.push_back((CVaskInstrument*)node);
        }
        return analyzers;
    }

    std::unique_ptr<shelltest::ProgramFolder> folder_;
    vasksim::SimClient sim_;
};

TEST_F(NetworkLink, ANetworkMadeInTheDialogsFindsTheAnalyzersOnItsConverter) {
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NEW_NETWORK), [](wkit::Window& n) {
        n.SetText(IDC_NEW_NETWORK_NAME, "Hall");
        n.PressOK();
    });
    driver.OnOpen(wkit::Template(IDD_NETWORK_SETTINGS), [&](wkit::Window& w) {
        w.Click(IDC_NETWORK_NEW);
        w.Pick(IDC_CONVERTER_TYPE_1, kUsbConverter);
        w.Pick(IDC_CONVERTER_PORT_1, "COM1:");
        w.PressOK();
        ASSERT_FALSE(w.IsOpen()) << (boxes_.texts.empty() ? "" : boxes_.texts.back());
    });
    driver.OnOpen(wkit::Template(IDD_COMM_CONFIG), [&](wkit::Window& c) {
        c.Click(IDC_ONLINE_MODE);
        EXPECT_TRUE(c.IsEnabled(IDC_NETWORK_SETTINGS));
        c.Click(IDC_NETWORK_SETTINGS);
        EXPECT_EQ("Hall", c.Selection(IDC_COMM_NETWORK));
        // A pseudo-terminal has no modem lines to switch or echo.
        profile_->SetDword("Converter\\Hall_1", "DoToggle", 0);
        profile_->SetDword("Converter\\Hall_1", "AutoToggle", 0);
        profile_->SetDword("Converter\\Hall_1", "ReadEcho", 0);
        c.PressOK();
    });
    Command(ID_COMMUNICATION_CONFIGURATION);
    EXPECT_TRUE(boxes_.texts.empty()) << boxes_.texts.front();
    EXPECT_EQ(app_->GetOperationMode(), 1);
    EXPECT_EQ("Hall", std::string(GetNetworkName()));

    Command(ID_LINK_INSTRUMENT);
    EXPECT_TRUE(boxes_.texts.empty()) << boxes_.texts.front();
    const std::vector<CVaskInstrument*> analyzers = Analyzers();
    std::vector<std::string> names;
    for (CVaskInstrument* analyzer : analyzers)
        names.push_back((LPCSTR)analyzer->CInstrument::GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"Sindor Kanal 1", "Parvel O2"}));
    CObList* converters = doc_->GetConverterList();
    ASSERT_EQ(converters->GetCount(), 1);
    CConverter* converter = (CConverter*)converters->GetHead();
    CString portName;
    CPort* port = converter->GetPort(portName);
    EXPECT_NE(port, nullptr);
    EXPECT_EQ(port, doc_->FindPort("COM1:"));
    for (CVaskInstrument* analyzer : analyzers) EXPECT_EQ(analyzer->GetParent(), converter);
    EXPECT_EQ(doc_->GetCurrentInstrument(), analyzers.empty() ? nullptr : analyzers.front());
}

}  // namespace
}  // namespace frametest
