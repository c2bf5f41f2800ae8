// CvaskAccess::Sleep waits its time while dispatching the thread's messages, on threads
// with and without window traffic.
#include "access_test_support.h"

namespace {

// Runs `work` on a thread of its own; false when it has not ended within `ms`.
bool RunOnThread(std::function<void()> work, DWORD ms = 10000) {
    struct Call {
        static DWORD WINAPI Proc(LPVOID p) {
            (*static_cast<std::function<void()>*>(p))();
            return 0;
        }
    };
    HANDLE thread = CreateThread(NULL, 0, Call::Proc, &work, 0, NULL);
    if (thread == NULL) return false;
    bool ended = WaitForSingleObject(thread, ms) == WAIT_OBJECT_0;
    if (ended) CloseHandle(thread);
    return ended;
}

}  // namespace

TEST(Sleep, EndsOnAThreadWithoutMessages) {
    CvaskAccess access;
    EXPECT_TRUE(RunOnThread([&] { access.Sleep(50); }));
}

TEST(Sleep, EndsUnderAFloodOfMessagesAndDispatchesThem) {
    CvaskAccess access;
    size_t dispatched = 0;
    EXPECT_TRUE(RunOnThread([&] {
        RecordingWindow window;
        window.Repost(WM_APP + 3);
        PostMessageA(window.Handle(), WM_APP + 3, 0, 0);
        access.Sleep(100);
        dispatched = window.Received(WM_APP + 3).size();
    }));
    EXPECT_GT(dispatched, 1u);
}

TEST(Sleep, DispatchesWhatArrivesDuringTheWait) {
    CvaskAccess access;
    std::atomic<HWND> hwnd(nullptr);
    size_t dispatched = 0;
    HANDLE poster = NULL;
    EXPECT_TRUE(RunOnThread([&] {
        RecordingWindow window;
        hwnd = window.Handle();
        // A message from another thread, waiting when the sleep starts.
        struct Post {
            static DWORD WINAPI Proc(LPVOID p) {
                PostMessageA((HWND)p, WM_APP + 4, 9, 0);
                return 0;
            }
        };
        poster = CreateThread(NULL, 0, Post::Proc, hwnd.load(), 0, NULL);
        WaitForSingleObject(poster, INFINITE);
        access.Sleep(30);
        dispatched = window.Received(WM_APP + 4).size();
    }));
    if (poster != NULL) CloseHandle(poster);
    EXPECT_EQ(1u, dispatched);
}

TEST(Sleep, LeavesAQuitMessageForTheThreadsOwnLoop) {
    CvaskAccess access;
    bool quitKept = false;
    EXPECT_TRUE(RunOnThread([&] {
        PostQuitMessage(5);
        access.Sleep(30);
        MSG msg;
        quitKept = PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) && msg.wParam == 5;
    }));
    EXPECT_TRUE(quitKept);
}
