// Message bodies as a device reads and writes them: the value kinds, the table of reply
// shapes per (command letter, function number), and the request shapes that the PC's
// access layer actually sends (which sometimes differ from the catalogue's request lists).
#pragma once
#include <string>
#include <vector>

#include "codec.h"

namespace vasksim {

// One value in a message body.
struct Value {
    enum Kind {
        Byte,     // one raw byte and a NUL: integers, enumerations, a byte of bit fields
        Bare,     // one raw byte, no NUL
        Float,    // decimal text and a NUL
        UFloat,   // decimal text, NUL, unit code, NUL
        UQFloat,  // decimal text, NUL, unit code, NUL, gas component code, NUL
        Str,      // text and a NUL
        UStr,     // text, NUL, 01, 00
        Bin,      // record: n, three header bytes, n data bytes
        Block,    // the rest of the body; on the wire followed by one terminating NUL
    };
    Kind kind = Byte;
    int byte = 0;
    std::string text;  // numbers keep the text they travel with
    int unit = 1;
    int quantity = 1;
    Bytes data;  // Bin and Block

    static Value makeByte(int b) {
        Value v;
        v.kind = Byte;
        v.byte = b & 0xFF;
        return v;
    }
    static Value makeFloat(Kind k, double x, int unit = 1, int quantity = 1);
    static Value makeText(Kind k, const std::string& s) {
        Value v;
        v.kind = k;
        v.text = s;
        return v;
    }
    double number() const;
};
using Values = std::vector<Value>;

std::string formatNumber(double x);  // "%.3f", the form in which numbers travel
void encode(const Value& v, Bytes& out);
Bytes encode(const Values& vs);
std::string describe(const Values& vs);  // compact text for the log

// A shape item: `count` values of one kind; `open` lets a reply carry fewer (0..count).
struct ShapeItem {
    Value::Kind kind;
    int count = 1;
    bool open = false;
    bool group = false;  // a byte of bit fields (its default has the marker bit 7 set)
};
using Shape = std::vector<ShapeItem>;

struct MessageInfo {
    bool known = false;  // the pair is one the devices answer
    Shape reply;         // values of the reply, in wire order
};

// The reply shape of (letter, function); `known` is false for a pair no device knows.
MessageInfo replyInfo(char letter, int function);

// Decodes a body against a shape.  Open items and trailing items may be short when
// `allowShort`; any byte left over, a malformed number or a missing terminator fails.
bool decode(const Bytes& params, const Shape& shape, bool allowShort, Values& out,
            std::string& why);

// Request values as the PC sends them.  Returns false with `rejection` set to the
// two-letter code that the device answers ("SE" wrong count, "DE" bad data).
bool decodeRequest(char letter, int function, const Bytes& params, Values& out,
                   std::string& rejection, std::string& why);

// The default values of a reply shape: bytes 0x80 for bit groups, 1 for numbers
// that count from 1, 0.000 for floats, empty texts and blocks, empty open lists.
Values defaultValues(char letter, int function);

// Splits a body that the PC sends (letter, function, parameters).
struct Request {
    char letter = 0;
    int function = 0;
    Bytes params;
};
bool splitRequest(const Bytes& body, Request& out);

// Reply body: flags, state, letter, function, parameters.
Bytes replyBody(uint8_t flags, uint8_t state, char letter, int function, const Bytes& params);

}  // namespace vasksim
