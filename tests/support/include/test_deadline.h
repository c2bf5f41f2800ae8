// A deadline for a step of a test that could block for ever (a wait of the code under test
// that never returns): when the step has not ended in time, the program prints a failure
// line that names the test and the step and ends with exit code 4, instead of running into
// the CTest limit without a word. The step ends with the object.
#pragma once

#include <string>

class TestDeadline {
public:
    TestDeadline(const std::string& what, unsigned long milliseconds);
    ~TestDeadline();
    TestDeadline(const TestDeadline&) = delete;
    TestDeadline& operator=(const TestDeadline&) = delete;

private:
    static unsigned long __stdcall Watch(void* self);
    std::string what_;
    unsigned long milliseconds_;
    void* ended_;
    void* watcher_;
};
