// The window thread's wait for a bus request, with the program's filter installed: what
// another thread sends is answered inside the wait; commands, closes and input that it
// sends are carried out after it; real input for the main window, posted messages and
// calls handed to AfterBusWait wait for its end and then come in their order; only a window
// that takes its input during the wait (the progress window) gets a click inside it.
#include "buswait.h"

#include "window_kit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kPosted = WM_APP + 7;

// A window of the class library that notes each message of interest and whether it came
// inside the bus wait.
class CNotingWnd : public CWnd {
public:
    struct Noted {
        UINT message;
        WPARAM wParam;
        bool insideWait;
    };
    std::vector<Noted> noted;
    std::function<void()> onApp;  // runs for WM_APP + 8

    bool Create(const char* title, int x) {
        return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), title, WS_POPUP | WS_VISIBLE, x, 100,
                        200, 150, NULL, NULL) != FALSE;
    }
    bool Has(UINT message, bool insideWait) const {
        for (const Noted& n : noted)
            if (n.message == message && n.insideWait == insideWait) return true;
        return false;
    }
    int Count(UINT message) const {
        int count = 0;
        for (const Noted& n : noted) count += n.message == message;
        return count;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_COMMAND:
            case WM_CLOSE:
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP:
            case WM_KEYDOWN:
            case WM_GETTEXT:
            case kPosted: noted.push_back({message, wParam, IsInBusWait() != 0}); break;
            default: break;
        }
        if (message == WM_APP + 8 && onApp) onApp();
        if (message == WM_CLOSE || message == WM_COMMAND) return 0;  // nothing else to do
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A real click of the left button in the middle of a window.
void ClickOn(HWND hWnd) {
    RECT rect;
    GetWindowRect(hWnd, &rect);
    wkit::ClickAtScreen({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

class BusWait : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(main_.Create("main", 100));
        app_.m_pMainWnd = &main_;
        done_ = CreateEventA(NULL, FALSE, FALSE, NULL);
    }
    void TearDown() override {
        app_.m_pMainWnd = NULL;
        main_.DestroyWindow();
        CloseHandle(done_);
    }

    // The bus wait on this thread until `action`, run on another thread, has ended; then
    // what the wait left is carried out, until `settled` holds.
    void WaitWhile(const std::function<void()>& action,
                   const std::function<bool()>& settled = [] { return true; }) {
        std::thread other([&] {
            action();
            SetEvent(done_);
        });
        WaitForRequestWithMessages(done_);
        waitEnded_ = true;
        other.join();
        EXPECT_TRUE(wkit::Driver::PumpUntil(settled, 10000)) << "what the wait left did not come";
    }

    CWinApp app_{"Bus wait test"};
    CBusWaitFilter filter_;
    CNotingWnd main_;
    HANDLE done_ = NULL;
    bool waitEnded_ = false;
};

TEST_F(BusWait, WhatAnotherThreadSendsIsAnsweredInsideAndWhatStartsWorkComesAfter) {
    const HWND hMain = main_.m_hWnd;
    char text[32] = "";
    LRESULT commandAnswer = -1;
    WaitWhile(
        [&] {
            // A question is answered at once; a command and a close return at once and are
            // carried out once the wait has ended.
            SendMessageA(hMain, WM_GETTEXT, sizeof text, (LPARAM)text);
            commandAnswer = SendMessageA(hMain, WM_COMMAND, 1234, 0);
            SendMessageA(hMain, WM_CLOSE, 0, 0);
            PostMessageA(hMain, kPosted, 5, 0);
        },
        [&] { return main_.Count(kPosted) == 1; });
    EXPECT_STREQ(text, "main");
    EXPECT_TRUE(main_.Has(WM_GETTEXT, true));
    EXPECT_EQ(commandAnswer, 0);
    EXPECT_TRUE(main_.Has(WM_COMMAND, false));
    EXPECT_FALSE(main_.Has(WM_COMMAND, true)) << "a command ran inside the wait";
    EXPECT_EQ(main_.Count(WM_COMMAND), 1);
    EXPECT_TRUE(main_.Has(WM_CLOSE, false));
    EXPECT_FALSE(main_.Has(WM_CLOSE, true));
    EXPECT_TRUE(main_.Has(kPosted, false));
    // In the order they came.
    std::vector<UINT> order;
    for (const CNotingWnd::Noted& n : main_.noted)
        if (n.message != WM_GETTEXT) order.push_back(n.message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_COMMAND, WM_CLOSE, kPosted}));
}

TEST_F(BusWait, AClickOnTheMainWindowIsKeptForTheEndOfTheWait) {
    const HWND hMain = main_.m_hWnd;
    WaitWhile(
        [&] {
            ClickOn(hMain);
            // The click is in the thread's input once a later message to the window came.
            char text[8];
            SendMessageA(hMain, WM_GETTEXT, sizeof text, (LPARAM)text);
        },
        [&] { return main_.Count(WM_LBUTTONUP) == 1; });
    EXPECT_TRUE(main_.Has(WM_LBUTTONDOWN, false)) << "the click was lost";
    EXPECT_FALSE(main_.Has(WM_LBUTTONDOWN, true)) << "the click was handled inside the wait";
    EXPECT_EQ(main_.Count(WM_LBUTTONDOWN), 1);
}

TEST_F(BusWait, AWindowThatTakesItsInputDuringTheWaitGetsItsClickInside) {
    CNotingWnd progress;
    ASSERT_TRUE(progress.Create("progress", 500));
    TakeInputDuringBusWait(progress.m_hWnd);
    const HWND hProgress = progress.m_hWnd;
    std::atomic<bool> taken{false};
    WaitWhile([&] {
        ClickOn(hProgress);
        // The wait lasts until the click was taken, or 10 s.
        for (ULONGLONG end = GetTickCount64() + 10000; GetTickCount64() < end && !taken;) {
            Sleep(5);
            taken = progress.Count(WM_LBUTTONUP) > 0;
        }
    });
    EXPECT_TRUE(progress.Has(WM_LBUTTONDOWN, true));
    EXPECT_TRUE(progress.Has(WM_LBUTTONUP, true));
    progress.DestroyWindow();
}

TEST_F(BusWait, CallsHandedOverInsideTheWaitComeAfterItInTheirOrderButNotForAGoneWindow) {
    CNotingWnd other;
    ASSERT_TRUE(other.Create("other", 500));
    struct Call {
        int number;
        bool insideWait;
    };
    std::vector<Call> calls;
    auto note = [&](int number) { calls.push_back({number, IsInBusWait() != 0}); };
    // A handler of a message that another thread sends during the wait hands its work over.
    const HWND hMain = main_.m_hWnd, hOther = other.m_hWnd;
    main_.onApp = [&] {
        AfterBusWait(hMain, [&] { note(1); });
        AfterBusWait(hOther, [&] { note(2); });
        AfterBusWait(hMain, [&] { note(3); });
    };
    WaitWhile([&] { SendMessageA(hMain, WM_APP + 8, 0, 0); });
    EXPECT_TRUE(calls.empty()) << "a call ran inside the wait";
    other.DestroyWindow();
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return calls.size() >= 2; }, 10000));
    ASSERT_EQ(calls.size(), 2u) << "the gone window's call ran";
    EXPECT_EQ(calls[0].number, 1);
    EXPECT_EQ(calls[1].number, 3);
    EXPECT_FALSE(calls[0].insideWait);
    EXPECT_FALSE(calls[1].insideWait);
}

}  // namespace
