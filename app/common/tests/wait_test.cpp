// The waits that keep messages flowing: they last their time (shortened by the divisor
// where they are the program's fixed waits), dispatch what comes meanwhile, end at a
// WM_QUIT and leave it for the message loop, and see a thread end that sends to them.
#include "appwait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr UINT kSent = WM_APP + 1;
constexpr UINT kPosted = WM_APP + 2;
constexpr UINT kFlood = WM_APP + 3;

// A message-only window of the test thread that records what reaches it.
class Recorder {
public:
    Recorder() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &Recorder::Proc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "KorvanGAWaitTestRecorder";
        RegisterClassA(&wc);
        m_hwnd = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                                 wc.hInstance, this);
    }
    ~Recorder() { DestroyWindow(m_hwnd); }
    HWND Handle() const { return m_hwnd; }
    int Count(UINT message) const {
        int n = 0;
        for (UINT m : m_seen) n += m == message;
        return n;
    }
    std::atomic<bool> flooding{false};

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                              (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
        auto* self = reinterpret_cast<Recorder*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self != nullptr && message >= WM_APP) {
            self->m_seen.push_back(message);
            if (message == kFlood && self->flooding) PostMessageA(hwnd, kFlood, 0, 0);
            return 1;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    HWND m_hwnd;
    std::vector<UINT> m_seen;  // touched only by the test thread
};

class Waits : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(recorder_.Handle(), nullptr); }
    void TearDown() override { SetProgramWaitDivisor(1); }

    static ULONGLONG Now() { return GetTickCount64(); }

    Recorder recorder_;
};

TEST_F(Waits, AProgramWaitLastsItsTimeAndDispatchesWhatComesMeanwhile) {
    const HWND target = recorder_.Handle();
    const ULONGLONG start = Now();
    // A send from another thread is handled only while this thread takes messages: here
    // only inside the wait.
    std::thread other([target] {
        SendMessageA(target, kSent, 0, 0);
        PostMessageA(target, kPosted, 0, 0);
    });
    ProgramWait(300);
    const ULONGLONG elapsed = Now() - start;
    other.join();
    EXPECT_GE(elapsed, 300u);
    EXPECT_LT(elapsed, 10000u);
    EXPECT_EQ(recorder_.Count(kSent), 1);
    EXPECT_EQ(recorder_.Count(kPosted), 1);
}

TEST_F(Waits, TheDivisorShortensTheProgramsWaitsWithoutAMessageArriving) {
    SetProgramWaitDivisor(50);
    ULONGLONG start = Now();
    WaitWithMessages(5);  // 100 ms
    ULONGLONG elapsed = Now() - start;
    EXPECT_GE(elapsed, 100u);
    EXPECT_LT(elapsed, 5000u);
    // Divisors below 1 give the full time.
    SetProgramWaitDivisor(0);
    start = Now();
    ProgramWait(150);
    elapsed = Now() - start;
    EXPECT_GE(elapsed, 150u);
    // Nothing for no time.
    start = Now();
    WaitWithMessages(0);
    WaitWithMessages(-3);
    EXPECT_LT(Now() - start, 1000u);
}

TEST_F(Waits, AQuitEndsTheWaitAndIsLeftForTheMessageLoop) {
    PostMessageA(recorder_.Handle(), kPosted, 0, 0);
    PostQuitMessage(7);
    const ULONGLONG start = Now();
    WaitWithMessages(60);
    EXPECT_LT(Now() - start, 30000u);
    EXPECT_EQ(recorder_.Count(kPosted), 1) << "what came before the quit is dispatched";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(Waits, AFloodOfMessagesDoesNotHoldTheWaitPastItsTime) {
    recorder_.flooding = true;
    PostMessageA(recorder_.Handle(), kFlood, 0, 0);
    const ULONGLONG start = Now();
    ProgramWait(200);
    const ULONGLONG elapsed = Now() - start;
    recorder_.flooding = false;
    EXPECT_GE(elapsed, 200u);
    EXPECT_LT(elapsed, 10000u);
    EXPECT_GT(recorder_.Count(kFlood), 1);
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

TEST_F(Waits, AThreadThatSendsToTheWaitingThreadIsSeenToEnd) {
    // A plain WaitForSingleObject would wait for ever: the thread waits for this one.
    const HWND target = recorder_.Handle();
    HANDLE thread = CreateThread(
        NULL, 0,
        [](LPVOID p) -> DWORD {
            SendMessageA((HWND)p, kSent, 0, 0);
            return 0;
        },
        target, 0, NULL);
    ASSERT_NE(thread, nullptr);
    SetProgramWaitDivisor(100);  // waits for an object are not shortened
    EXPECT_TRUE(WaitForObjectWithMessages(thread, INFINITE));
    EXPECT_EQ(recorder_.Count(kSent), 1);
    CloseHandle(thread);
}

TEST_F(Waits, AnObjectWaitEndsAtItsTimeWhenNothingIsSignalled) {
    HANDLE event = CreateEventA(NULL, TRUE, FALSE, NULL);
    SetProgramWaitDivisor(100);
    const ULONGLONG start = Now();
    EXPECT_FALSE(WaitForObjectWithMessages(event, 200));
    EXPECT_GE(Now() - start, 200u);
    SetEvent(event);
    EXPECT_TRUE(WaitForObjectWithMessages(event, 0));
    CloseHandle(event);
    EXPECT_FALSE(WaitForObjectWithMessages(NULL, INFINITE));
}

TEST_F(Waits, AQuitEndsAnObjectWaitToo) {
    HANDLE event = CreateEventA(NULL, TRUE, FALSE, NULL);
    PostQuitMessage(3);
    EXPECT_FALSE(WaitForObjectWithMessages(event, INFINITE));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    CloseHandle(event);
}

}  // namespace
