// The program's timed waits, on the window thread's one wait: they last their time (shortened
// by the divisor where they are the program's fixed waits), answer what another thread sends
// meanwhile and hold what is posted for after them, end at a WM_QUIT and leave it for the
// message loop, and see a thread end that sends to them. The caller wait of a bus request
// still waits for its request after a WM_QUIT.
#include "appwait.h"
#include "windowwait.h"

#include "window_kit.h"

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
private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                              (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
        auto* self = reinterpret_cast<Recorder*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self != nullptr && message >= WM_APP) {
            self->m_seen.push_back(message);
            return 1;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    HWND m_hwnd;
    std::vector<UINT> m_seen;  // touched only by the test thread
};

// The test thread is the one of the main window, with the program's rule installed.
class Waits : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(recorder_.Handle(), nullptr);
        ASSERT_TRUE(main_.CreateEx(0, AfxRegisterWndClass(0), "main", WS_POPUP, 0, 0, 10, 10,
                                   NULL, NULL));
        app_.m_pMainWnd = &main_;
    }
    void TearDown() override {
        SetProgramWaitDivisor(1);
        app_.m_pMainWnd = NULL;
        main_.DestroyWindow();
    }

    static ULONGLONG Now() { return GetTickCount64(); }

    CWinApp app_{"Wait test"};
    CWindowWaitRule rule_;
    CWnd main_;
    Recorder recorder_;
};

TEST_F(Waits, AProgramWaitLastsItsTimeAnswersWhatIsSentAndHoldsWhatIsPostedForAfterIt) {
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
    EXPECT_EQ(recorder_.Count(kPosted), 0) << "a posted message was dispatched inside the wait";
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return recorder_.Count(kPosted) == 1; }, 10000));
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
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    // What came before the quit is not lost.
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return recorder_.Count(kPosted) == 1; }, 10000));
}

TEST_F(Waits, AFloodOfMessagesDoesNotHoldTheWaitPastItsTimeAndNoneIsLost) {
    const HWND target = recorder_.Handle();
    std::atomic<bool> flooding{true};
    std::atomic<int> posted{0};
    std::thread flood([&] {
        while (flooding && posted < 20000)
            if (PostMessageA(target, kFlood, 0, 0)) ++posted;
    });
    const ULONGLONG start = Now();
    ProgramWait(200);
    const ULONGLONG elapsed = Now() - start;
    flooding = false;
    flood.join();
    EXPECT_GE(elapsed, 200u);
    EXPECT_LT(elapsed, 10000u);
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return recorder_.Count(kFlood) == posted; }, 30000))
        << recorder_.Count(kFlood) << " of " << posted;
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

TEST_F(Waits, ARequestIsStillWaitedForAfterAQuitWhileWhatIsSentIsAnswered) {
    HANDLE request = CreateSemaphoreA(NULL, 0, 1, NULL);
    const HWND target = recorder_.Handle();
    std::thread sender([&] {
        // The sender asks the waiting thread something before it ends the request.
        SendMessageA(target, kSent, 0, 0);
        ReleaseSemaphore(request, 1, NULL);
    });
    PostQuitMessage(5);
    WaitForRequestWithMessages(request);
    sender.join();
    EXPECT_EQ(recorder_.Count(kSent), 1);
    EXPECT_EQ(WaitForSingleObject(request, 0), (DWORD)WAIT_TIMEOUT) << "the request was not taken";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
    CloseHandle(request);
}

}  // namespace
