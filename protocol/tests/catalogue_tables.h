// The catalogue, prototype and name tables expanded into plain records, and what the
// message tests build from them: parameter objects of each record's own class, and reply
// bodies encoded here, independently of the library's parser.
#pragma once

#include "test_support.h"
#include "msginfo.h"
#include "vaskenums.h"
#include "vaskparamkinds.h"

#include <map>
#include <string>
#include <vector>

namespace tables {

struct Msg {
    char letter;
    int function;
    int nameId;
};

enum class Kind {
    Int,
    Bool,
    Float,
    UFloat,
    UQFloat,
    String,
    UString,
    Binary,
    Block,
    Bit,
    Bit0,
    Bit1,
    Enum,
    End
};

struct Proto {
    Kind kind;
    char letter;
    int function;
    int prompt;
    int direction;
    int multiple;
    int start, width;  // bit fields only
    int base;          // enumerated kinds only
};

inline const std::vector<Msg>& Catalogue() {
    static const std::vector<Msg> entries = {
#define VASK_MSG(letter, function, nameId) {letter, function, nameId},
#include "../tables/catalogue.def"
    };
    return entries;
}

inline const std::vector<Proto>& Prototypes() {
    static const std::vector<Proto> prototypes = {
#define VASK_PROTO_INT(c, f, p, d, lo, hi, m) {Kind::Int, c, f, p, d, m, 0, 0, 0},
#define VASK_PROTO_BOOL(c, f, p, d)           {Kind::Bool, c, f, p, d, 1, 0, 0, 0},
#define VASK_PROTO_FLOAT(c, f, p, d, m)       {Kind::Float, c, f, p, d, m, 0, 0, 0},
#define VASK_PROTO_UFLOAT(c, f, p, d, m)      {Kind::UFloat, c, f, p, d, m, 0, 0, 0},
#define VASK_PROTO_UQFLOAT(c, f, p, d, m)     {Kind::UQFloat, c, f, p, d, m, 0, 0, 0},
#define VASK_PROTO_STRING(c, f, p, d, m)      {Kind::String, c, f, p, d, m, 0, 0, 0},
#define VASK_PROTO_USTRING(c, f, p, d, m)     {Kind::UString, c, f, p, d, m, 0, 0, 0},
#define VASK_PROTO_BINARY(c, f, p, d, m)      {Kind::Binary, c, f, p, d, m, 0, 0, 0},
#define VASK_PROTO_BLOCK(c, f, p, d, m)       {Kind::Block, c, f, p, d, m, 0, 0, 0},
#define VASK_PROTO_BIT(c, f, p, d, s, w)      {Kind::Bit, c, f, p, d, 1, s, w, 0},
#define VASK_PROTO_BIT0(c, f, p, d, s, w)     {Kind::Bit0, c, f, p, d, 1, s, w, 0},
#define VASK_PROTO_BIT1(c, f, p, d, s, w)     {Kind::Bit1, c, f, p, d, 1, s, w, 0},
#define VASK_PROTO_ENUM(b, c, f, p, d, m)     {Kind::Enum, c, f, p, d, m, 0, 0, b},
#define VASK_PROTO_END(c, f, p, d, m)         {Kind::End, c, f, p, d, m, 0, 0, 0},
#include "../tables/prototypes.def"
    };
    return prototypes;
}

inline const std::map<int, std::string>& Names() {
    static const std::map<int, std::string> names = {
#define VASK_NAME(id, text) {id, text},
#include "../tables/names.def"
    };
    return names;
}

// The records of one message and direction, in table order up to the terminator.
inline std::vector<const Proto*> PrototypesOf(char letter, int function, int direction) {
    std::vector<const Proto*> list;
    for (const Proto& p : Prototypes()) {
        if (p.kind == Kind::End) break;
        if (p.letter == letter && p.function == function && p.direction == direction)
            list.push_back(&p);
    }
    return list;
}

// The ParamType an object of the record's class reports.
inline int TypeOf(const Proto& p) {
    switch (p.kind) {
        case Kind::Int:
        case Kind::Enum: return PT_INT;
        case Kind::Bool: return PT_BOOL;
        case Kind::String: return PT_STRING;
        case Kind::UString: return PT_USTRING;
        case Kind::Binary: return PT_BINARY;
        case Kind::Float: return PT_FLOAT;
        case Kind::UFloat: return PT_UFLOAT;
        case Kind::UQFloat: return PT_UQFLOAT;
        case Kind::Block: return PT_BLOCK;
        case Kind::Bit: return PT_BIT;
        case Kind::Bit0: return PT_BIT0;
        case Kind::Bit1: return PT_BIT1;
        case Kind::End: return PT_NONE;
    }
    return -1;
}

// A multiple that means "as many values as the body holds".
inline bool IsOpenList(const Proto& p) { return p.multiple >= 256 && p.multiple != 1024; }

// A new parameter object of the record's own class, for a request the test builds.
inline CParam* Make(const Proto& p) {
    const char c = p.letter;
    const int f = p.function, q = p.prompt, d = p.direction, m = p.multiple;
    switch (p.kind) {
        case Kind::Int: return new CIntParam(c, f, q, d, 0, 0, m);
        case Kind::Bool: return new CBoolParam(c, f, q, d);
        case Kind::Float: return new CFloatParam(c, f, q, d, m);
        case Kind::UFloat: return new CUFloatParam(c, f, q, d, m);
        case Kind::UQFloat: return new CUQFloatParam(c, f, q, d, m);
        case Kind::String: return new CStringParam(c, f, q, d, m);
        case Kind::UString: return new CUStringParam(c, f, q, d, m);
        case Kind::Binary: return new CBinaryParam(c, f, q, d, m);
        case Kind::Block: return new CBlockParam(c, f, q, d, m);
        case Kind::Bit: return new CBitParam(c, f, q, d, p.start, p.width);
        case Kind::Bit0: return new CBit0Param(c, f, q, d, p.start, p.width);
        case Kind::Bit1: return new CBit1Param(c, f, q, d, p.start, p.width);
        case Kind::Enum:
            // Every enumerated kind writes and reads the same value list.
            return new CEnum12100(c, f, q, d, m);
        case Kind::End: return new CParam(c, f, q, d, m);
    }
    return NULL;
}

// A reply body for a message's reply records, encoded by hand: flags 0x81, state 0x42,
// letter, function, then every value in its wire form. Open lists carry `openValues`
// values, fixed lists all of theirs. `counts` receives the number of values of each
// record.
inline Bytes EncodeReply(char letter, int function, const std::vector<const Proto*>& reply,
                         int openValues, std::vector<int>* counts = NULL) {
    Bytes body = B({0x81, 0x42, (unsigned char)letter, function});
    size_t bitByte = 0;
    int n = 0;
    for (const Proto* p : reply) {
        ++n;
        const int values = IsOpenList(*p) ? openValues : p->multiple;
        int count = values;
        for (int k = 0; k < values; ++k) {
            char number[32];
            snprintf(number, sizeof number, "%d.%03d", 10 + n, 125 * (k % 8));
            switch (p->kind) {
                case Kind::Int:
                case Kind::Enum: body = body + B({(n * 7 + k) % 250 + 1, 0}); break;
                case Kind::Bool: body = body + B("1", {0}); break;
                case Kind::Float: body = body + B(number, {0}); break;
                case Kind::UFloat: body = body + B(number, {0, 2 + k % 3, 0}); break;
                case Kind::UQFloat: body = body + B(number, {0, 2, 0, 3 + k % 5, 0}); break;
                case Kind::String: body = body + B("AB", {0}); break;
                case Kind::UString: body = body + B("Cd", {0, 1, 0}); break;
                case Kind::Binary: body = body + B({1, 0, 0x10, 0, 0xAB}); break;
                case Kind::Block: body = body + B({1, 2, 3, 0}); break;
                default: break;
            }
        }
        if (p->kind == Kind::Bit || p->kind == Kind::Bit0 || p->kind == Kind::Bit1) {
            if (p->start == 0) {
                body = body + B({0, 0});
                bitByte = body.size() - 2;
            }
            const int mask = (1 << p->width) - 1;
            const int value = p->kind == Kind::Bit1   ? mask
                              : p->kind == Kind::Bit0 ? 0
                                                      : (n * 5 + 3) & mask;
            body[bitByte] |= (unsigned char)(value << p->start);
            count = 1;
        }
        if (p->kind == Kind::Binary || p->kind == Kind::Block) count = 1;
        if (counts) counts->push_back(count);
    }
    return body;
}

}  // namespace tables
