// Helpers of the utilvask tests: byte strings, and received bodies read from guarded memory
// (guarded_memory.h), so that a read past either end of a body faults and is reported
// with its case instead of passing unnoticed.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "guarded_memory.h"
#include "test_bytes.h"
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

// What a parameter writes.
inline Bytes WriteOf(const CParam& param) {
    static unsigned char buffer[65536];
    unsigned char* cursor = buffer;
    param.Write(cursor);
    return Bytes(buffer, cursor);
}

// Reads the parameters in order from a guarded body as a received message is read: every
// Read must succeed and together they must consume the body exactly. Returns the index of
// the first parameter that failed, the number of parameters when bytes were left over,
// -1 on success.
inline int ReadSequence(const std::vector<CParam*>& params, const Bytes& body,
                        GuardedBody::Guard guard = GuardedBody::Tail) {
    GuardedBody guarded(body, guard, "the body " + Hex(body));
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
