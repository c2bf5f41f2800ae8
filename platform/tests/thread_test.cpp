// Threads and synchronisation objects.
#include "vaskfc.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

const DWORD kDeadline = 20000;  // ms; only reached when something is broken

// Waits for the thread to end and returns its exit code.
DWORD Finish(CWinThread* pThread) {
    EXPECT_EQ(WaitForSingleObject(pThread->m_hThread, kDeadline), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(pThread->m_hThread, &code);
    return code;
}

struct Job {
    std::atomic<int> ran{0};
    std::atomic<bool> after{false};
    CWinThread* seen = NULL;
};

void EndFromDeepInside(Job* job) {
    AfxEndThread(77, FALSE);
    job->after = true;  // never reached
}

UINT Worker(LPVOID p) {
    Job* job = static_cast<Job*>(p);
    job->seen = AfxGetThread();
    ++job->ran;
    EndFromDeepInside(job);
    return 1;
}

TEST(Thread, SuspendedStartPriorityAndEndFromInside) {
    Job job;
    CWinThread* t = AfxBeginThread(Worker, &job, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    t->m_bAutoDelete = FALSE;
    EXPECT_EQ(t->GetThreadPriority(), THREAD_PRIORITY_BELOW_NORMAL);
    EXPECT_EQ(job.ran, 0);
    EXPECT_EQ(t->ResumeThread(), 1u);  // it was suspended once: it has not run yet
    EXPECT_EQ(Finish(t), 77u);
    EXPECT_EQ(job.ran, 1);
    EXPECT_FALSE(job.after);
    EXPECT_EQ(job.seen, t);
    delete t;
}

TEST(Thread, WorkerReturnValueAndAutoDelete) {
    static CEvent done(FALSE, TRUE);
    struct Local {
        static UINT Proc(LPVOID) {
            done.SetEvent();
            return 5;
        }
    };
    HANDLE h = NULL;
    CWinThread* t = AfxBeginThread(Local::Proc, NULL, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), t->m_hThread, GetCurrentProcess(), &h, 0,
                                FALSE, DUPLICATE_SAME_ACCESS));
    t->ResumeThread();  // t deletes itself when the thread ends
    ASSERT_EQ(WaitForSingleObject(h, kDeadline), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(h, &code);
    CloseHandle(h);
    EXPECT_EQ(code, 5u);
    EXPECT_TRUE(done.Lock(0));
}

// A thread class with a message loop.
class CLoopThread : public CWinThread {
    DECLARE_DYNCREATE(CLoopThread)
public:
    BOOL InitInstance() override {
        MSG msg;
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);  // the queue exists from here on
        s_ready->SetEvent();
        return s_init;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_APP) s_sum += (int)pMsg->wParam;
        return FALSE;
    }
    int ExitInstance() override { return CWinThread::ExitInstance() + 1000; }

    static BOOL s_init;
    static std::atomic<int> s_sum;
    static CEvent* s_ready;
};
IMPLEMENT_DYNCREATE(CLoopThread, CWinThread)
BOOL CLoopThread::s_init = TRUE;
std::atomic<int> CLoopThread::s_sum{0};
CEvent* CLoopThread::s_ready = NULL;

TEST(Thread, RuntimeClassThreadRunsItsMessageLoop) {
    CEvent ready;
    CLoopThread::s_ready = &ready;
    CLoopThread::s_init = TRUE;
    CWinThread* t =
        AfxBeginThread(RUNTIME_CLASS(CLoopThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    ASSERT_TRUE(t->IsKindOf(RUNTIME_CLASS(CLoopThread)));
    t->m_bAutoDelete = FALSE;
    t->ResumeThread();
    ASSERT_TRUE(ready.Lock(kDeadline));
    EXPECT_TRUE(t->PostThreadMessage(WM_APP, 3, 0));
    EXPECT_TRUE(t->PostThreadMessage(WM_APP, 4, 0));
    EXPECT_TRUE(t->PostThreadMessage(WM_QUIT, 9, 0));
    EXPECT_EQ(Finish(t), 1009u);  // the quit code, through ExitInstance
    EXPECT_EQ(CLoopThread::s_sum, 7);
    delete t;

    CLoopThread::s_init = FALSE;  // a failed start goes straight to ExitInstance
    t = AfxBeginThread(RUNTIME_CLASS(CLoopThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    t->m_bAutoDelete = FALSE;
    t->ResumeThread();
    EXPECT_EQ(Finish(t), 1000u);
    delete t;

    EXPECT_EQ(AfxBeginThread(RUNTIME_CLASS(CEvent)), nullptr);  // not a thread class
}

TEST(Sync, CriticalSectionTryLockFromAnotherThread) {
    CCriticalSection cs;
    CSingleLock mine(&cs, TRUE);
    ASSERT_TRUE(mine.IsLocked());
    struct Probe {
        CCriticalSection* cs;
        BOOL got;
    } probe = {&cs, TRUE};
    auto tryLock = [](LPVOID p) -> UINT {
        Probe* probe = static_cast<Probe*>(p);
        CSingleLock lock(probe->cs);
        probe->got = lock.Lock(0);
        return 0;
    };
    CWinThread* t = AfxBeginThread(tryLock, &probe, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    t->m_bAutoDelete = FALSE;
    t->ResumeThread();
    Finish(t);
    delete t;
    EXPECT_FALSE(probe.got);

    mine.Unlock();
    EXPECT_FALSE(mine.IsLocked());
    t = AfxBeginThread(tryLock, &probe, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    t->m_bAutoDelete = FALSE;
    t->ResumeThread();
    Finish(t);
    delete t;
    EXPECT_TRUE(probe.got);  // and the lock of that thread was given back at its end
    EXPECT_TRUE(cs.Lock(0));
    cs.Unlock();
}

TEST(Sync, SemaphoreCountsAndEventKinds) {
    CSemaphore sem(1, 1);
    {
        CSingleLock a(&sem, TRUE);
        EXPECT_TRUE(a.IsLocked());
        EXPECT_TRUE(a.Lock(0));  // already held by this lock: no second count taken
        CSingleLock b(&sem);
        EXPECT_FALSE(b.Lock(0));
    }  // a gives its count back here
    CSingleLock c(&sem);
    EXPECT_TRUE(c.Lock(0));
    c.Unlock();
    LONG previous = -1;
    EXPECT_TRUE(sem.Lock(0));
    EXPECT_TRUE(sem.Unlock(1, &previous));
    EXPECT_EQ(previous, 0);
    EXPECT_FALSE(sem.Unlock());  // beyond the maximum count

    CEvent autoReset;
    autoReset.SetEvent();
    EXPECT_TRUE(autoReset.Lock(0));
    EXPECT_FALSE(autoReset.Lock(0));
    CEvent manual(TRUE, TRUE);
    EXPECT_TRUE(manual.Lock(0));
    EXPECT_TRUE(manual.Lock(0));
    manual.ResetEvent();
    EXPECT_FALSE(manual.Lock(0));
}

}  // namespace
