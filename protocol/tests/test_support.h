// Helpers of the utilvask tests: byte strings, and received bodies placed right against
// memory that may not be touched, so that a read past either end of a body crashes the
// test instead of passing unnoticed.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "utilvask.h"

typedef std::vector<unsigned char> Bytes;

// Bytes of a text followed by more bytes: B("12.500", {0, 2, 0}).
inline Bytes B(const char* text, std::initializer_list<int> tail = {}) {
    Bytes bytes(text, text + strlen(text));
    for (int b : tail) bytes.push_back((unsigned char)b);
    return bytes;
}

inline Bytes B(std::initializer_list<int> bytes) {
    Bytes result;
    for (int b : bytes) result.push_back((unsigned char)b);
    return result;
}

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline std::string Hex(const Bytes& bytes) {
    std::string text;
    char item[4];
    for (unsigned char b : bytes) {
        snprintf(item, sizeof item, "%02X ", b);
        text += item;
    }
    return text;
}

// What a parameter writes.
inline Bytes WriteOf(const CParam& param) {
    static unsigned char buffer[65536];
    unsigned char* cursor = buffer;
    param.Write(cursor);
    return Bytes(buffer, cursor);
}

// A body in its own pages with a no-access page right behind its last byte (Tail) or
// right before its first byte (Head).
class GuardedBody {
public:
    enum Guard { Tail, Head };

    explicit GuardedBody(const Bytes& body, Guard guard = Tail) {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        size_t page = info.dwPageSize;
        size_t dataPages = (body.size() + page - 1) / page + 1;
        size_t total = (dataPages + 1) * page;
        base_ = static_cast<unsigned char*>(
            VirtualAlloc(NULL, total, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        if (guard == Tail) {
            unsigned char* guardPage = base_ + dataPages * page;
            VirtualProtect(guardPage, page, PAGE_NOACCESS, &old);
            begin_ = guardPage - body.size();
        } else {
            VirtualProtect(base_, page, PAGE_NOACCESS, &old);
            begin_ = base_ + page;
        }
        if (!body.empty()) memcpy(begin_, body.data(), body.size());
        end_ = begin_ + body.size();
    }
    ~GuardedBody() { VirtualFree(base_, 0, MEM_RELEASE); }
    GuardedBody(const GuardedBody&) = delete;
    GuardedBody& operator=(const GuardedBody&) = delete;

    unsigned char* begin() const { return begin_; }
    unsigned char* end() const { return end_; }

private:
    unsigned char* base_;
    unsigned char* begin_;
    unsigned char* end_;
};

// Reads the parameters in order from a guarded body as a received message is read: every
// Read must succeed and together they must consume the body exactly. Returns the index of
// the first parameter that failed, the number of parameters when bytes were left over,
// -1 on success.
inline int ReadSequence(const std::vector<CParam*>& params, const Bytes& body,
                        GuardedBody::Guard guard = GuardedBody::Tail) {
    GuardedBody guarded(body, guard);
    unsigned char* cursor = guarded.begin();
    for (size_t k = 0; k < params.size(); ++k) {
        if (!params[k]->Read(cursor, guarded.end())) return (int)k;
        EXPECT_LE(cursor, guarded.end()) << "parameter " << k << " moved past the body";
    }
    return cursor == guarded.end() ? -1 : (int)params.size();
}

// Writes the parameters in order, as a request body is written.
inline Bytes WriteSequence(const std::vector<CParam*>& params) {
    static unsigned char buffer[65536];
    unsigned char* cursor = buffer;
    for (CParam* p : params) p->Write(cursor);
    return Bytes(buffer, cursor);
}

inline std::string ValueText(const CParam& param, int i) {
    char buffer[2048];
    strcpy(buffer, "(untouched)");
    param.GetValue(i, buffer, sizeof buffer);
    return buffer;
}
