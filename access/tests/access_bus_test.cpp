// CvaskAccess on COM1 against the analyzer simulator (default scenario: device 1 with two
// components, device 2 with one; no device at 7): answers, the tries of a silent address,
// a rejection with its owner message, the order of the remote switching, and Done and
// Init again on the same object.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "serialparam.h"
#include "test_deadline.h"
#include "vaskaccess.h"
#include "vasksim_client.h"

using vasksim::SimClient;
using vasksim::SimLogEntry;

namespace {

const UINT kOwnerMessage = WM_APP + 11;

// A hidden window that keeps the wParam of every owner message it gets.
class OwnerWindow {
public:
    OwnerWindow() {
        static ATOM atom = 0;
        if (atom == 0) {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleA(NULL);
            wc.lpszClassName = "AccessBusOwner";
            atom = RegisterClassA(&wc);
        }
        hwnd = CreateWindowA("AccessBusOwner", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                             GetModuleHandleA(NULL), NULL);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, (LONG_PTR)this);
        wnd.Attach(hwnd);
    }
    ~OwnerWindow() {
        wnd.Detach();
        DestroyWindow(hwnd);
    }
    std::vector<WPARAM> Drain() {
        MSG msg;
        while (PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        return got;
    }
    HWND hwnd;
    CWnd wnd;
    std::vector<WPARAM> got;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        OwnerWindow* self = (OwnerWindow*)GetWindowLongPtrA(h, GWLP_USERDATA);
        if (self != NULL && m == kOwnerMessage) {
            self->got.push_back(w);
            return 0;
        }
        return DefWindowProcA(h, m, w, l);
    }
};

class AccessBus : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim.Connect(&error)) << error;
        ASSERT_TRUE(sim.Reset()) << sim.LastError();
        ASSERT_EQ(1, CvaskAddress::SetMyAddress(13));
        Open();
    }
    void TearDown() override {
        access.Done();
        sim.Command("CLEARFAULTS");
        CvaskAddress::SetMyAddress(14);
    }
    void Open() {
        SerialParam param = {2, 0, 0, 1, 0};
        ASSERT_EQ(1, access.Init("VASK", "COM1", param)) << (LPCSTR)access.GetLastError().text;
    }
    CDeviceData* List(int address) {
        CDeviceData* device = new CDeviceData;
        device->SetAddress(address);
        device->SetComponentCount(1);
        access.GetDeviceList()->AddTail(device);
        return device;
    }
    // The simulator's log, once it holds at least `count` telegrams.
    std::vector<SimLogEntry> Log(uint64_t count) {
        std::vector<SimLogEntry> log;
        EXPECT_TRUE(sim.WaitLog(count, 5000)) << sim.LastError();
        EXPECT_TRUE(sim.Log(log)) << sim.LastError();
        return log;
    }

    SimClient sim;
    OwnerWindow owner;
    CvaskAccess access{&owner.wnd, kOwnerMessage};
};

}  // namespace

TEST_F(AccessBus, PresentDeviceAnswersADiagnosticRead) {
    VaskFloat value;
    value.text = "untouched";
    ASSERT_EQ(1, access.DiagPhysTemp(2, 0, value)) << (LPCSTR)access.GetLastError().text;
    EXPECT_NE(CString("untouched"), value.text);
    std::vector<SimLogEntry> log = Log(1);
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ('h', log[0].command);
    EXPECT_EQ(1, log[0].function);
    EXPECT_EQ("2/0", log[0].to);
    EXPECT_EQ("13/0", log[0].from);
    EXPECT_EQ("ack,reply", log[0].action);
}

TEST_F(AccessBus, AbsentDeviceFailsAfterThreeTriesOfThreeAttempts) {
    CDeviceData* device = List(7);
    EXPECT_EQ(0, access.Measure(7, 0));
    EXPECT_EQ(9, access.GetLastError().code);
    EXPECT_EQ(('Z' << 8) + 4u, access.GetLastError().info);
    // Each try is refused by the link layer, which itself sends three times.
    EXPECT_EQ(4, device->GetFaultCounter());
    std::vector<SimLogEntry> log = Log(9);
    ASSERT_EQ(9u, log.size());
    for (const SimLogEntry& e : log) {
        EXPECT_EQ("7/0", e.to);
        EXPECT_EQ('Z', e.command);
        EXPECT_EQ(4, e.function);
    }

    // Unlisted, the same silence is reported as no device at that address.
    ASSERT_TRUE(sim.Command("CLEARLOG"));
    EXPECT_EQ(0, access.Standby(8, 0));
    EXPECT_EQ(36, access.GetLastError().code);
}

TEST_F(AccessBus, RejectionGivesItsErrorAndTellsTheOwner) {
    ASSERT_TRUE(sim.Fault("2 reject 1 CE on=Z5")) << sim.LastError();
    EXPECT_EQ(0, access.AdjustZeroPoint(2, 0));
    EXPECT_EQ(50, access.GetLastError().code);
    EXPECT_EQ(std::vector<WPARAM>{2}, owner.Drain());

    ASSERT_TRUE(sim.Fault("1 reject 1 OF on=F11")) << sim.LastError();
    EXPECT_EQ(0, access.Pump(1, 0, 1));
    EXPECT_EQ(48, access.GetLastError().code);
    EXPECT_EQ(std::vector<WPARAM>{2}, owner.Drain()) << "only the invalid component is reported";
    std::vector<SimLogEntry> log = Log(2);
    EXPECT_EQ(2u, log.size()) << "a rejection is not retried";
}

TEST_F(AccessBus, RemoteControlMovesFromOneDeviceToTheNext) {
    ASSERT_EQ(1, access.Remote(1, 0, 1)) << (LPCSTR)access.GetLastError().text;
    ASSERT_EQ(1, access.Remote(2, 0, 1)) << (LPCSTR)access.GetLastError().text;
    std::vector<SimLogEntry> log = Log(3);
    ASSERT_EQ(3u, log.size());
    // The on/off value travels as the character "1" or "0" (49 and 48).
    EXPECT_EQ("1/0", log[0].to);
    EXPECT_EQ("49", log[0].values);
    EXPECT_EQ("ack,on,reply", log[0].action);
    // The previous device is switched off first, on its channel 1.
    EXPECT_EQ("1/1", log[1].to);
    EXPECT_EQ("48", log[1].values);
    EXPECT_EQ("ack,off,reply", log[1].action);
    EXPECT_EQ("2/0", log[2].to);
    EXPECT_EQ("49", log[2].values);
    EXPECT_EQ("ack,on,reply", log[2].action);
    for (const SimLogEntry& e : log) {
        EXPECT_EQ('F', e.command);
        EXPECT_EQ(1, e.function);
    }
}

TEST_F(AccessBus, DoneAndInitAgainFiveTimes) {
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        // A wait of Done or Init that never returns ends the program with this message.
        TestDeadline deadline("round " + std::to_string(round) + " of Done and Init again",
                              30000);
        VaskFloat value;
        ASSERT_EQ(1, access.DiagHeadTemp(1, 0, value)) << (LPCSTR)access.GetLastError().text;
        EXPECT_EQ(1, access.Done());
        EXPECT_EQ(0, access.DiagHeadTemp(1, 0, value));
        EXPECT_EQ(33, access.GetLastError().code);
        Open();
    }
    std::vector<SimLogEntry> log = Log(5);
    EXPECT_EQ(5u, log.size());
}
