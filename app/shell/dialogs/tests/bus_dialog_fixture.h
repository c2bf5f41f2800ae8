// The dialog tests on the simulated bus: twelve analyzers of one component at the addresses 1
// to 12 of COM1 for the suite, and for each test a main window of the test's own that
// answers the access level the test sets.
#pragma once

#include "accesslevel.h"
#include "analyzer_bus_fixture.h"

#include <string>
#include <vector>

// The main window of the tests: the level it is given.
class CLevelFrame : public CFrameWnd, public CAccessLevelSource {
public:
    int GetAccessLevel() const override { return level; }
    int level = 0;
};

class BusDialogFixture : public AnalyzerBusFixture {
protected:
    static const int kLastDevice = 12;

    static void SetUpTestSuite() {
        std::vector<std::string> devices;
        for (int address = 1; address <= kLastDevice; ++address)
            devices.push_back("DEVICE " + std::to_string(address) + " type=1 components=1");
        OpenLine(devices, kLastDevice);
    }

    void SetUp() override {
        AnalyzerBusFixture::SetUp();
        frame = new CLevelFrame;  // deletes itself with its window
        ASSERT_TRUE(frame->Create(NULL, "KorvanGA"));
        AfxGetApp()->m_pMainWnd = frame;
    }
    void TearDown() override {
        AfxGetApp()->m_pMainWnd = NULL;
        if (frame != nullptr && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    }

    CLevelFrame* frame = nullptr;
};
