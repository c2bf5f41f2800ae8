// The window thread's one wait, with the program's rule installed: what another thread sends
// to ask is answered inside the wait; commands, closes, clicks and notifications that it
// sends, messages posted meanwhile and calls handed to RunAfterWait are carried out after it,
// in the order they came, the user's input that waited in the queue among them; only a window
// that takes its input during the wait (the progress window) gets a click inside it; work
// that lets messages through holds them back from its dialog's loop as well.
#include "windowwait.h"

#include "appwait.h"
#include "windowwork.h"

#include "window_kit.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kPosted = WM_APP + 7;
constexpr UINT kHandOver = WM_APP + 8;
constexpr int kButtonId = 301;
constexpr int kTabsId = 302;

// A window of the class library that notes each message of interest and whether it came
// inside the wait.
class CNotingWnd : public CWnd {
public:
    struct Noted {
        UINT message;
        WPARAM wParam;
        bool insideWait;
        UINT notifyCode;
    };
    std::vector<Noted> noted;
    std::function<void()> onHandOver;

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
    std::vector<UINT> Order() const {
        std::vector<UINT> order;
        for (const Noted& n : noted)
            if (n.message != WM_GETTEXT) order.push_back(n.message);
        return order;
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
            case WM_NOTIFY:
            case kPosted:
                noted.push_back({message, wParam, IsInWindowWait() != 0,
                                 message == WM_NOTIFY ? ((NMHDR*)lParam)->code : 0});
                break;
            default: break;
        }
        if (message == kHandOver && onHandOver) onHandOver();
        if (message == WM_CLOSE || message == WM_COMMAND || message == WM_NOTIFY) return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A real click of the left button in the middle of a window.
void ClickOn(HWND hWnd) {
    RECT rect;
    GetWindowRect(hWnd, &rect);
    wkit::ClickAtScreen({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

// Returns once the tick count has moved on: what comes next comes in a later millisecond
// than what came before, so that the order by time is the order of the steps.
void NextTick() {
    const DWORD start = GetTickCount();
    while (GetTickCount() == start) SwitchToThread();
}

class WindowWait : public ::testing::Test {
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

    // The one wait on this thread until `action`, run on another thread, has ended; then
    // what the wait held is carried out, until `settled` holds.
    void WaitWhile(const std::function<void()>& action,
                   const std::function<bool()>& settled = [] { return true; }) {
        std::thread other([&] {
            action();
            SetEvent(done_);
        });
        WaitForRequestWithMessages(done_);
        other.join();
        EXPECT_TRUE(wkit::Driver::PumpUntil(settled, 10000)) << "what the wait held did not come";
    }

    CWinApp app_{"Window wait test"};
    CWindowWaitRule rule_;
    CNotingWnd main_;
    HANDLE done_ = NULL;
};

TEST_F(WindowWait, WhatAnotherThreadSendsIsAnsweredInsideAndWhatStartsWorkComesAfterInItsOrder) {
    const HWND hMain = main_.m_hWnd;
    char text[32] = "";
    LRESULT commandAnswer = -1;
    WaitWhile(
        [&] {
            // A question is answered at once; a command and a close return at once and are
            // carried out once the wait has ended, as is what was posted between them.
            SendMessageA(hMain, WM_GETTEXT, sizeof text, (LPARAM)text);
            PostMessageA(hMain, kPosted, 1, 0);
            NextTick();
            commandAnswer = SendMessageA(hMain, WM_COMMAND, 1234, 0);
            NextTick();
            PostMessageA(hMain, kPosted, 2, 0);
            NextTick();
            SendMessageA(hMain, WM_CLOSE, 0, 0);
        },
        [&] { return main_.Count(WM_CLOSE) == 1; });
    EXPECT_STREQ(text, "main");
    EXPECT_TRUE(main_.Has(WM_GETTEXT, true));
    EXPECT_EQ(commandAnswer, 0);
    EXPECT_FALSE(main_.Has(WM_COMMAND, true)) << "a command ran inside the wait";
    EXPECT_FALSE(main_.Has(WM_CLOSE, true));
    EXPECT_FALSE(main_.Has(kPosted, true));
    EXPECT_EQ(main_.Order(), (std::vector<UINT>{kPosted, WM_COMMAND, kPosted, WM_CLOSE}));
    ASSERT_EQ(main_.Count(kPosted), 2);
}

TEST_F(WindowWait, TheUsersClickComesBetweenWhatWasSentBeforeAndAfterIt) {
    const HWND hMain = main_.m_hWnd;
    WaitWhile(
        [&] {
            SendMessageA(hMain, WM_COMMAND, 1, 0);
            NextTick();
            ClickOn(hMain);
            // The click is in the thread's input once a later message to the window came.
            char text[8];
            SendMessageA(hMain, WM_GETTEXT, sizeof text, (LPARAM)text);
            NextTick();
            SendMessageA(hMain, WM_CLOSE, 0, 0);
        },
        [&] { return main_.Count(WM_CLOSE) == 1 && main_.Count(WM_LBUTTONUP) == 1; });
    EXPECT_FALSE(main_.Has(WM_LBUTTONDOWN, true)) << "the click was handled inside the wait";
    EXPECT_EQ(main_.Order(),
              (std::vector<UINT>{WM_COMMAND, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_CLOSE}));
}

TEST_F(WindowWait, AWindowThatTakesItsInputDuringTheWaitGetsItsClickInside) {
    CNotingWnd progress;
    ASSERT_TRUE(progress.Create("progress", 500));
    TakeInputDuringWait(progress.m_hWnd);
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

TEST_F(WindowWait, CallsHandedOverInsideTheWaitComeAfterItInTheirOrderButNotForAGoneWindow) {
    CNotingWnd other;
    ASSERT_TRUE(other.Create("other", 500));
    struct Call {
        int number;
        bool insideWait;
    };
    std::vector<Call> calls;
    auto note = [&](int number) { calls.push_back({number, IsInWindowWait() != 0}); };
    // A handler of a message that another thread sends during the wait hands its work over.
    const HWND hMain = main_.m_hWnd, hOther = other.m_hWnd;
    main_.onHandOver = [&] {
        RunAfterWait(hMain, [&] { note(1); });
        RunAfterWait(hOther, [&] { note(2); });
        RunAfterWait(hMain, [&] { note(3); });
    };
    WaitWhile([&] { SendMessageA(hMain, kHandOver, 0, 0); });
    EXPECT_TRUE(calls.empty()) << "a call ran inside the wait";
    other.DestroyWindow();
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return calls.size() >= 2; }, 10000));
    ASSERT_EQ(calls.size(), 2u) << "the gone window's call ran";
    EXPECT_EQ(calls[0].number, 1);
    EXPECT_EQ(calls[1].number, 3);
    EXPECT_FALSE(calls[0].insideWait);
    EXPECT_FALSE(calls[1].insideWait);
}

// Controls that the class library does not know: what they report to their owner when
// another thread works them waits; the report's record is the one the control made.
TEST_F(WindowWait, WhatAControlReportsOfWorkSentFromOutsideWaitsWithItsRecord) {
    const HWND hMain = main_.m_hWnd;
    const HWND hButton = CreateWindowExA(0, "BUTTON", "Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                         5, 5, 60, 25, hMain, (HMENU)(INT_PTR)kButtonId, NULL, NULL);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    const HWND hTabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 5, 40, 180, 60,
                                       hMain, (HMENU)(INT_PTR)kTabsId, NULL, NULL);
    ASSERT_NE(hButton, nullptr);
    ASSERT_NE(hTabs, nullptr);
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = (LPSTR) "one";
    SendMessageA(hTabs, TCM_INSERTITEMA, 0, (LPARAM)&item);
    item.pszText = (LPSTR) "two";
    SendMessageA(hTabs, TCM_INSERTITEMA, 1, (LPARAM)&item);
    main_.noted.clear();
    WaitWhile(
        [&] {
            SendMessageA(hButton, BM_CLICK, 0, 0);
            NextTick();
            SendMessageA(hTabs, TCM_SETCURFOCUS, 1, 0);
        },
        [&] {
            for (const CNotingWnd::Noted& n : main_.noted)
                if (n.message == WM_NOTIFY && n.notifyCode == (UINT)TCN_SELCHANGE) return true;
            return false;
        });
    bool clicked = false, selected = false;
    for (const CNotingWnd::Noted& n : main_.noted) {
        if (n.message == WM_COMMAND && LOWORD(n.wParam) == kButtonId &&
            HIWORD(n.wParam) == BN_CLICKED) {
            EXPECT_FALSE(n.insideWait) << "the button's click ran inside the wait";
            EXPECT_FALSE(selected) << "the tab's change came before the click";
            clicked = true;
        }
        if (n.message == WM_NOTIFY && n.notifyCode == (UINT)TCN_SELCHANGE) {
            EXPECT_FALSE(n.insideWait) << "the tab's change ran inside the wait";
            selected = true;
        }
    }
    EXPECT_TRUE(clicked);
    EXPECT_TRUE(selected);
    DestroyWindow(hTabs);
    DestroyWindow(hButton);
}

// Work that lets messages through (a transfer) and opens a box of its own: the box takes its
// input, the windows that were open before get nothing of their work until the work ends.
TEST_F(WindowWait, WorkHoldsBackWhatComesForTheWindowsOpenBeforeItAlsoFromItsBoxesLoop) {
    const HWND hMain = main_.m_hWnd;
    std::atomic<bool> boxAnswered{false};
    std::thread other([&] {
        HWND hBox = NULL;
        for (ULONGLONG end = GetTickCount64() + 10000; GetTickCount64() < end && hBox == NULL;) {
            hBox = FindWindowA("#32770", "work's box");
            if (hBox == NULL) Sleep(5);
        }
        PostMessageA(hMain, kPosted, 1, 0);
        NextTick();
        SendMessageA(hMain, WM_COMMAND, 77, 0);
        NextTick();
        // The box works.
        if (hBox != NULL) SendMessageA(hBox, WM_COMMAND, IDOK, 0);
        boxAnswered = hBox != NULL;
    });
    bool ranDuringWork = false;
    {
        CWindowWork work;
        MessageBoxA(hMain, "in the work", "work's box", MB_OK);
        ranDuringWork = main_.Count(WM_COMMAND) > 0 || main_.Count(kPosted) > 0;
    }
    other.join();
    ASSERT_TRUE(boxAnswered) << "the work's box did not come";
    EXPECT_FALSE(ranDuringWork) << "work for the main window ran inside the work";
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return main_.Count(WM_COMMAND) == 1; }, 10000));
    EXPECT_EQ(main_.Order(), (std::vector<UINT>{kPosted, WM_COMMAND}));
}

// A close confirmed while work runs, or while a modal loop is open, waits for both to end.
TEST_F(WindowWait, TheWindowMayEndOnlyWithoutWorkAndWithoutAModalLoop) {
    EXPECT_TRUE(MayEndWindowNow());
    {
        CWindowWork work;
        EXPECT_FALSE(MayEndWindowNow());
    }
    // Asked from the box's loop, while the box is open.
    std::atomic<int> duringBox{-1};
    main_.onHandOver = [&] { duringBox = MayEndWindowNow() ? 1 : 0; };
    const HWND hMain = main_.m_hWnd;
    std::thread other([&] {
        HWND hBox = NULL;
        for (ULONGLONG end = GetTickCount64() + 10000; GetTickCount64() < end && hBox == NULL;) {
            hBox = FindWindowA("#32770", "Window wait test");
            if (hBox == NULL) Sleep(5);
        }
        if (hBox == NULL) return;
        PostMessageA(hMain, kHandOver, 0, 0);
        for (ULONGLONG end = GetTickCount64() + 10000; GetTickCount64() < end && duringBox < 0;)
            Sleep(5);
        SendMessageA(hBox, WM_COMMAND, IDOK, 0);
    });
    AfxMessageBox("in a box", MB_OK);
    other.join();
    EXPECT_EQ(duringBox, 0) << "a modal box was not counted (-1: never asked)";
    EXPECT_TRUE(MayEndWindowNow());
}

}  // namespace
