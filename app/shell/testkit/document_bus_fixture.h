// The document in the program's main frame with the analyzer simulator: a network of one
// converter on COM1, the simulator's line, with its profile and COM1 among the free ports;
// COM for the thread as the program has it; the trace into the program folder.
#pragma once

#include <winsock2.h>

#include "document_fixture.h"

#include "netlist.h"
#include "vaskaccess.h"
#include "vasksim_client.h"

namespace frametest {

class DocumentBus : public ::testing::Test, public DocumentHarness {
protected:
    void SetUp() override {
        // COM for the thread, as the program's start-up has it before the first rebuild; it
        // stays for the process, as in the program.
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        std::string error;
        ASSERT_TRUE(sim_.Connect(&error)) << error;
        ASSERT_TRUE(sim_.Reset()) << sim_.LastError();
        OpenDocument();
        if (HasFatalFailure()) return;
        // The network "Bus" with its converter Bus_1 on COM1, as the bus tests set the line.
        CStringList gateways, converters;
        converters.AddTail("COM1");
        ASSERT_TRUE(WriteNetworkToIni("Bus", gateways, &converters));
        const std::string section = "Converter\\Bus_1";
        profile_->SetDword(section, "Hardware", 2);
        profile_->SetDword(section, "DoToggle", 0);
        profile_->SetDword(section, "AutoToggle", 0);
        profile_->SetDword(section, "ReadEcho", 0);
        profile_->SetDword(section, "AssertDtr", 1);
        profile_->SetString(section, "Port", "COM1:");
        // The trace of the communication goes into the program folder.
        profile_->SetDword("Protokoll_Communication", "Aktiv", 1);
        profile_->SetString("Protokoll_Communication", "Speicherort", *folder_ / "Log");
        // COM1 is one of the machine's free ports.
        m_strFreeComPorts = SurveyedPort("COM1:");
        ASSERT_FALSE(m_strFreeComPorts.IsEmpty()) << "COM1: is not among the system's ports";
        SetMode(1);
    }
    void TearDown() override {
        CloseDocument();
        m_strFreeComPorts.Empty();
        sim_.Reset();
    }

    bool Sim(const std::string& command) {
        std::string message;
        const bool ok = sim_.Command(command, nullptr, &message);
        if (!ok) ADD_FAILURE() << command << ": " << message;
        return ok;
    }
    // The addresses of the telegrams the simulator received since its log was cleared.
    std::vector<int> Addresses() {
        std::vector<vasksim::SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries)) << sim_.LastError();
        std::vector<int> addresses;
        for (const vasksim::SimLogEntry& e : entries) addresses.push_back(std::atoi(e.to.c_str()));
        return addresses;
    }
    // Every line of the trace files.
    std::string Trace() {
        std::string text;
        for (const std::string& name : FilesIn(*folder_ / "Log"))
            text += ReadFile(*folder_ / "Log" + "\\" + name);
        return text;
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (CVaskInstrument* analyzer : Analyzers())
            names.push_back((LPCSTR)analyzer->CInstrument::GetName());
        return names;
    }

    vasksim::SimClient sim_;
};

}  // namespace frametest
