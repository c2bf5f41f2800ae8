// Support of the access layer's unit tests: a millisecond clock that the tests drive, a
// window that records the messages it gets, and a fixture that puts an access object on a
// scripted bus. The private part of CvaskAccess is reached through its seam
// (CvaskAccessInternal in commvask_seams.h).
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "commvask_seams.h"
#include "scripted_network.h"
#include "vaskaccess.h"

// The millisecond clock of every CMTimer in the test program. Frozen, it moves only when
// a test advances it or when the scripted network is polled (one millisecond per poll,
// as if each poll of the line took that long), so every time-out of the access layer
// runs out after a known number of polls and never because the machine was slow.
namespace testclock {
void Install();
void Freeze();
// Real time flows again (from the current reading on).
void Thaw();
void Advance(DWORD ms);
DWORD Now();
}  // namespace testclock

// Waits (without dispatching messages) until the condition holds; false after `ms`.
bool WaitUntil(const std::function<bool()>& condition, DWORD ms = 10000);

// A hidden window on the creating thread that counts the messages it gets.
class RecordingWindow {
public:
    RecordingWindow();
    ~RecordingWindow();
    HWND Handle() const { return m_hwnd; }
    CWnd* Wnd() { return &m_wnd; }
    // Messages of that number dispatched to the window so far, with their wParam.
    std::vector<WPARAM> Received(UINT message);
    // Takes what is waiting for the window without blocking.
    void Drain();
    // Each message of this number is posted again as it arrives (a flood of traffic).
    void Repost(UINT message) { m_repost = message; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd;
    CWnd m_wnd;
    UINT m_repost = 0;
    std::vector<std::pair<UINT, WPARAM>> m_got;
};

// An access object on a scripted bus, with a frozen clock that the bus's polls move.
class AccessFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Init with the type "VASK" on the scripted bus; asserts success.
    void Open(CvaskAccess& access);
    // Appends an entry for `address` to the device list.
    CDeviceData* AddDevice(CvaskAccess& access, int address, int components = 1, int ranges = 0);
    // The requests the bus saw, as "letter function address" texts ("F1 3/1").
    std::vector<std::string> Requests();
    // Runs `work` on a thread of its own; Join waits for it (false after the deadline).
    void Start(std::function<void()> work);
    bool Join(DWORD ms = 10000);
    // Waits for the worker; when it has not ended by the deadline the test fails with
    // `what` and the program ends at once with exit code 4, for a worker stuck in the
    // access object holds its locks and nothing after it could end.
    void JoinOrEnd(const char* what, DWORD ms = 10000);
    bool Finished();
    // Moves the held clock `step` ms at a time until the worker has ended (at most `limit`
    // ms); how far it moved it. A wait that starts at an unknown moment thus ends after
    // its length of clock, however the threads are scheduled.
    DWORD AdvanceUntilFinished(DWORD step, DWORD limit);

    scripted::ScriptedBus bus;
    RecordingWindow owner;
    CvaskAccess access{owner.Wnd(), WM_APP + 7};

private:
    HANDLE m_worker = NULL;
    std::function<void()> m_work;
    static DWORD WINAPI WorkerProc(LPVOID self);
};

SerialParam TestSerialParam();
