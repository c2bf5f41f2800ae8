// Bytes placed right against memory that may not be touched, so that a read or write past
// either end of them faults at once instead of passing unnoticed; and a report of such a
// fault. A program that faults there prints which test and which guarded bytes it was
// touching, as a failure line, and ends with exit code 3 (a fault leaves nothing sound to
// go on with).
#pragma once

#include <stddef.h>

#include <string>
#include <vector>

class GuardedBody {
public:
    enum Guard {
        Tail,  // the no-access page right behind the last byte
        Head   // the no-access page right before the first byte
    };

    // `what` names the case in the report of a fault (the test's name comes with it).
    explicit GuardedBody(const std::vector<unsigned char>& bytes, Guard guard = Tail,
                         const std::string& what = std::string());
    ~GuardedBody();
    GuardedBody(const GuardedBody&) = delete;
    GuardedBody& operator=(const GuardedBody&) = delete;

    unsigned char* begin() const { return begin_; }
    unsigned char* end() const { return end_; }
    char* text() const { return reinterpret_cast<char*>(begin_); }
    size_t size() const { return (size_t)(end_ - begin_); }

private:
    unsigned char* base_;
    unsigned char* begin_;
    unsigned char* end_;
    unsigned char* guardPage_;
};
