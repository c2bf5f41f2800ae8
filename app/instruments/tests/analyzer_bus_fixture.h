// The fixture of the analyzer tests on the simulator's line COM1: one access object and one
// scan for the suite (the scan costs about a second per empty address), the simulator's
// control channel, a recording host, and base analyzers of the suite's devices. The log
// starts empty for every test. Every test runs with the program's waits (programwaits.h) on
// its thread, the one of the main window: the fixture's own hidden window, unless the test
// makes another window the main window.
#pragma once

#include "appwait.h"
#include "programwaits.h"
#include "commvask_seams.h"
#include "node_helpers.h"
#include "recording_host.h"
#include "serialparam.h"
#include "vaskinstrument.h"
#include "vasksim_client.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

// The values of a float group as the simulator holds them (READ: each value its text, a NUL,
// its unit and a NUL).
inline std::vector<double> Floats(const std::string& hex) {
    std::vector<double> values;
    std::string text;
    int skip = 0;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        const int byte = std::stoi(hex.substr(i, 2), nullptr, 16);
        if (skip > 0) {
            --skip;
        } else if (byte == 0) {
            values.push_back(std::stod(text));
            text.clear();
            skip = 2;
        } else {
            text += (char)byte;
        }
    }
    return values;
}

// While it lives, the access object's device records take their time from a clock that runs
// an hour on at every look: no value that they keep with a time stamp is ever current, so
// every such read asks the device.
class StaleDeviceClock {
public:
    StaleDeviceClock() { SetDeviceClock(&Now); }
    ~StaleDeviceClock() { SetDeviceClock(nullptr); }
    StaleDeviceClock(const StaleDeviceClock&) = delete;
    StaleDeviceClock& operator=(const StaleDeviceClock&) = delete;

private:
    static CTime Now() {
        static std::atomic<long long> hours{0};
        return CTime((time_t)(1600000000LL + 3600LL * ++hours));
    }
};

class AnalyzerBusFixture : public ::testing::Test {
protected:
    // Resets the simulator, gives it `commands`, opens COM1 and scans; the suite is ready
    // when the device at `lastAddress` was found. The fixed waits of the library and of the
    // program are shortened meanwhile.
    static void OpenLine(const std::vector<std::string>& commands, int lastAddress) {
        vasksim::SimClient sim;
        s_ready = sim.Connect() && sim.Reset();
        for (const std::string& command : commands) s_ready = s_ready && sim.Command(command);
        if (!s_ready) return;
        s_access = new CvaskAccess();
        SerialParam param = {2, 0, 0, 1, 0};
        s_ready = s_access->Init("VASK", "COM1", param) == 1 &&
                  s_access->ScanForDevices(NULL, 0, NULL, 0) == 1 &&
                  s_access->GetDevice(lastAddress) != NULL;
        SetTransferWaitDivisor(kWaitDivisor);
        SetProgramWaitDivisor(kWaitDivisor);
    }
    static void TearDownTestSuite() {
        SetTransferWaitDivisor(1);
        SetProgramWaitDivisor(1);
        delete s_access;
        s_access = NULL;
        vasksim::SimClient sim;
        if (sim.Connect()) sim.Reset();
    }

    void SetUp() override {
        if (AfxGetApp()->m_pMainWnd == NULL &&
            mainWindow_.CreateEx(0, AfxRegisterWndClass(0), "KorvanGA", WS_POPUP, 0, 0, 10, 10,
                                 NULL, NULL))
            AfxGetApp()->m_pMainWnd = &mainWindow_;
        waits_.reset(new CProgramWaits);
        ASSERT_TRUE(s_ready) << (s_access != NULL ? (LPCSTR)s_access->GetLastError().text
                                                  : "no simulator");
        ASSERT_TRUE(sim_.Connect()) << sim_.LastError();
        ASSERT_TRUE(Sim("CLEARLOG"));
    }
    ~AnalyzerBusFixture() override {
        waits_.reset();
        if (AfxGetApp()->m_pMainWnd == &mainWindow_) AfxGetApp()->m_pMainWnd = NULL;
        if (mainWindow_.m_hWnd != NULL) mainWindow_.DestroyWindow();
    }

    // The initialised analyzer of model `typeCode` (the base model 0 by default) of a device
    // of the suite; the log starts after the requests of its registration.
    std::unique_ptr<CVaskInstrument> Analyzer(int address, int components = 2, int typeCode = 0) {
        std::unique_ptr<CVaskInstrument> analyzer = Registered(address, components, typeCode);
        Sim("CLEARLOG");
        return analyzer;
    }
    std::unique_ptr<CVaskInstrument> Registered(int address, int components = 2, int typeCode = 0) {
        std::unique_ptr<CVaskInstrument> analyzer(
            new CVaskInstrument("Analyzer", typeCode, s_access, address, components, 4, 4, 0));
        // The base model initialises itself; a model class would do it for its own.
        if (typeCode != 0) analyzer->Initialize();
        return analyzer;
    }

    bool Sim(const std::string& command) {
        std::string message;
        const bool ok = sim_.Command(command, nullptr, &message);
        if (!ok) ADD_FAILURE() << command << ": " << message;
        return ok;
    }
    // "letter function to" of every telegram since the test began (or the last CLEARLOG).
    std::vector<std::string> Telegrams() {
        std::vector<vasksim::SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries)) << sim_.LastError();
        std::vector<std::string> r;
        for (const vasksim::SimLogEntry& e : entries)
            r.push_back(std::string(1, e.command) + std::to_string(e.function) + " " + e.to);
        return r;
    }
    // The simulator's reply values of a read message, in hex.
    std::string Read(int address, int channel, const std::string& message) {
        std::string hex;
        EXPECT_TRUE(sim_.Read(address, channel, message, hex)) << sim_.LastError();
        return hex;
    }

    // The library's waits of seconds become tens of milliseconds.
    static const int kWaitDivisor = 50;

    static inline CvaskAccess* s_access = NULL;
    static inline bool s_ready = false;
    vasksim::SimClient sim_;
    RecordingHost host_{1};
    CWnd mainWindow_;
    std::unique_ptr<CProgramWaits> waits_;
};
