#include "test_deadline.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>

TestDeadline::TestDeadline(const std::string& what, unsigned long milliseconds)
    : what_(what), milliseconds_(milliseconds), ended_(NULL), watcher_(NULL) {
    ended_ = CreateEventA(NULL, TRUE, FALSE, NULL);
    if (ended_ != NULL) watcher_ = CreateThread(NULL, 0, &TestDeadline::Watch, this, 0, NULL);
    if (watcher_ == NULL) ADD_FAILURE() << "no deadline for " << what_ << ": no watcher thread";
}

TestDeadline::~TestDeadline() {
    if (watcher_ != NULL) {
        SetEvent(ended_);
        WaitForSingleObject(watcher_, INFINITE);
        CloseHandle(watcher_);
    }
    if (ended_ != NULL) CloseHandle(ended_);
}

unsigned long __stdcall TestDeadline::Watch(void* p) {
    TestDeadline* self = static_cast<TestDeadline*>(p);
    if (WaitForSingleObject(self->ended_, self->milliseconds_) == WAIT_OBJECT_0) return 0;
    // The test's thread is stuck: nothing of it can report, so this thread does and ends it.
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = test != nullptr
                                 ? std::string(test->test_suite_name()) + "." + test->name()
                                 : std::string("(outside a test)");
    printf("\nFailure: %s did not end within %lu ms; the test program ends here\n"
           "[  FAILED  ] %s\n",
           self->what_.c_str(), self->milliseconds_, name.c_str());
    fflush(stdout);
    fprintf(stderr, "%s: %s did not end within %lu ms\n", name.c_str(), self->what_.c_str(),
            self->milliseconds_);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 4);
    return 0;
}
