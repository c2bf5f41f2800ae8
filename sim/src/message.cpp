#include "message.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vasksim {

Value Value::makeFloat(Kind k, double x, int unit, int quantity) {
    Value v;
    v.kind = k;
    v.text = formatNumber(x);
    v.unit = unit;
    v.quantity = quantity;
    return v;
}

double Value::number() const {
    switch (kind) {
        case Float:
        case UFloat:
        case UQFloat: return std::strtod(text.c_str(), nullptr);
        default: return byte;
    }
}

std::string formatNumber(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", x);
    return buf;
}

void encode(const Value& v, Bytes& out) {
    auto text = [&](const std::string& s) {
        out.insert(out.end(), s.begin(), s.end());
        out.push_back(0);
    };
    switch (v.kind) {
        case Value::Byte:
            out.push_back(static_cast<uint8_t>(v.byte));
            out.push_back(0);
            break;
        case Value::Bare: out.push_back(static_cast<uint8_t>(v.byte)); break;
        case Value::Float: text(v.text); break;
        case Value::UFloat:
            text(v.text);
            out.push_back(static_cast<uint8_t>(v.unit));
            out.push_back(0);
            break;
        case Value::UQFloat:
            text(v.text);
            out.push_back(static_cast<uint8_t>(v.unit));
            out.push_back(0);
            out.push_back(static_cast<uint8_t>(v.quantity));
            out.push_back(0);
            break;
        case Value::Str: text(v.text); break;
        case Value::UStr:
            text(v.text);
            out.push_back(1);
            out.push_back(0);
            break;
        case Value::Bin: out.insert(out.end(), v.data.begin(), v.data.end()); break;
        case Value::Block:
            out.insert(out.end(), v.data.begin(), v.data.end());
            out.push_back(0);
            break;
    }
}

Bytes encode(const Values& vs) {
    Bytes out;
    for (const Value& v : vs) encode(v, out);
    return out;
}

std::string describe(const Values& vs) {
    std::string s;
    for (size_t i = 0; i < vs.size(); ++i) {
        const Value& v = vs[i];
        if (i) s += ",";
        char buf[32];
        switch (v.kind) {
            case Value::Byte:
            case Value::Bare:
                std::snprintf(buf, sizeof buf, "%d", v.byte);
                s += buf;
                break;
            case Value::Float: s += v.text; break;
            case Value::UFloat:
                std::snprintf(buf, sizeof buf, "u%d", v.unit);
                s += v.text + buf;
                break;
            case Value::UQFloat:
                std::snprintf(buf, sizeof buf, "u%dq%d", v.unit, v.quantity);
                s += v.text + buf;
                break;
            case Value::Str:
            case Value::UStr: {
                s += '"';
                for (char c : v.text)
                    s += (c == ' ' || c == '"' || static_cast<unsigned char>(c) < 0x20) ? '_' : c;
                s += '"';
                break;
            }
            case Value::Bin:
            case Value::Block: s += "#" + toHex(v.data); break;
        }
    }
    return s;
}

// ---- the reply table ----------------------------------------------------------------
// Letters: B byte, G byte of bit fields, R bare byte, F float, U float with unit, Q float with unit and gas,
// S text, T text with unit, N binary record, K block; digits give a count, '*' an open
// list that may be shorter.
namespace {

Shape parseShape(const char* spec) {
    Shape s;
    for (const char* p = spec; *p;) {
        ShapeItem it{};
        switch (*p++) {
            case 'B': it.kind = Value::Byte; break;
            case 'G':
                it.kind = Value::Byte;
                it.group = true;
                break;
            case 'R': it.kind = Value::Bare; break;
            case 'F': it.kind = Value::Float; break;
            case 'U': it.kind = Value::UFloat; break;
            case 'Q': it.kind = Value::UQFloat; break;
            case 'S': it.kind = Value::Str; break;
            case 'T': it.kind = Value::UStr; break;
            case 'N': it.kind = Value::Bin; break;
            case 'K': it.kind = Value::Block; break;
            default: continue;
        }
        int n = 0;
        while (*p >= '0' && *p <= '9') n = n * 10 + (*p++ - '0');
        it.count = n ? n : 1;
        if (*p == '*') {
            it.open = true;
            ++p;
        }
        s.push_back(it);
    }
    return s;
}

struct Row {
    char letter;
    int first, last;
    const char* reply;
};

const Row kReplies[] = {
    {'b', 2, 2, "Q30*"},       {'Z', 1, 16, ""},      {'Z', 19, 21, ""},      {'Z', 24, 26, ""},
    {'F', 1, 32, ""},          {'s', 1, 2, "G"},      {'s', 3, 3, "G"},       {'s', 4, 5, "B8*"},
    {'s', 6, 6, "B6*"},        {'s', 7, 7, "B8*"},    {'s', 8, 11, "G"},      {'s', 12, 12, "B12*"},
    {'s', 13, 13, "B"},        {'s', 14, 14, "G"},    {'s', 15, 16, "GG"},    {'s', 17, 20, "G"},
    {'s', 21, 21, "BBBBB"},    {'s', 22, 22, "G"},    {'s', 23, 23, "GG"},    {'s', 24, 24, "B"},
    {'s', 25, 28, ""},         {'s', 29, 29, "GB"},   {'s', 30, 31, "G"},     {'s', 32, 32, ""},
    {'s', 33, 33, "B"},        {'s', 34, 34, ""},     {'s', 35, 38, "GG"},    {'s', 39, 39, "G"},
    {'s', 40, 40, "GG"},       {'s', 41, 41, "G"},    {'s', 42, 43, "GG"},    {'S', 1, 43, ""},
    {'w', 1, 3, "U30*"},       {'w', 4, 4, "UU"},     {'w', 5, 5, "U"},       {'w', 6, 6, "UUU"},
    {'w', 7, 8, "U6*"},        {'w', 9, 10, "UU"},    {'w', 11, 11, "UUUU"},  {'w', 12, 12, "UU"},
    {'w', 13, 13, "U"},        {'w', 14, 15, "UUU"},  {'w', 16, 16, "UUUUU"}, {'w', 17, 24, "U"},
    {'w', 25, 25, "UUU"},      {'w', 26, 26, "U"},    {'w', 27, 27, "UU"},    {'w', 28, 28, "UUU"},
    {'w', 29, 29, "U6*"},      {'w', 30, 30, "UUU"},  {'w', 31, 31, "U"},     {'w', 32, 34, "UU"},
    {'w', 35, 36, "UUU"},      {'w', 37, 37, "UUUU"}, {'w', 38, 38, "UUUUU"}, {'w', 39, 39, "U"},
    {'w', 40, 41, "UUU"},      {'w', 42, 42, "U"},    {'w', 43, 43, "UU"},    {'w', 44, 44, "UUU"},
    {'w', 45, 62, ""},         {'w', 63, 65, "UU"},   {'w', 66, 67, "UUU"},   {'w', 68, 71, "U"},
    {'w', 72, 75, "UUU"},      {'w', 76, 77, "U"},    {'w', 78, 79, "UU"},    {'w', 80, 80, "UUUU"},
    {'w', 81, 81, "UU"},       {'w', 82, 82, "UUU"},  {'w', 83, 83, "UUUUU"}, {'w', 89, 89, "U"},
    {'w', 90, 90, "UUU"},      {'w', 91, 91, "U"},    {'W', 1, 83, ""},       {'W', 89, 91, ""},
    {'h', 1, 17, "U"},         {'i', 1, 2, "U"},      {'i', 3, 9, ""},        {'j', 1, 7, "U"},
    {'J', 1, 9, ""},           {'k', 1, 1, "Q"},      {'k', 2, 2, "Q30*"},    {'k', 3, 3, "GGGG"},
    {'k', 4, 4, "GGG"},        {'k', 5, 5, "B30*"},   {'k', 6, 6, "BTTTTTT"}, {'k', 8, 9, "U"},
    {'k', 10, 10, "BBBUUUUU"}, {'k', 11, 11, "F30*"}, {'k', 12, 13, "B30*"},  {'k', 16, 16, "T"},
    {'k', 17, 17, "B"},        {'k', 18, 18, "B30*"}, {'k', 19, 19, "B"},     {'k', 20, 20, "G"},
    {'k', 23, 23, "GGGG"},     {'k', 24, 25, "GB"},   {'k', 26, 26, "B"},     {'k', 27, 27, "BK"},
    {'k', 28, 28, "TTTTTT"},   {'k', 29, 31, "B"},    {'K', 7, 7, ""},        {'K', 10, 10, ""},
    {'K', 14, 17, ""},         {'K', 20, 22, ""},     {'K', 24, 30, ""},
};

int valueCount(const Shape& s) {
    int n = 0;
    for (const ShapeItem& it : s) n += it.count;
    return n;
}

// strtod over the whole text; numbers travel as plain decimal text.
bool isNumber(const std::string& t) {
    if (t.empty()) return false;
    char* end = nullptr;
    std::strtod(t.c_str(), &end);
    return end && end != t.c_str() && *end == 0;
}

// Reads one value of `kind` at p; false when the bytes do not fit.
bool readValue(Value::Kind kind, const Bytes& b, size_t& p, Value& v, std::string& why) {
    auto text = [&](std::string& out) -> bool {
        size_t z = p;
        while (z < b.size() && b[z] != 0) ++z;
        if (z >= b.size()) {
            why = "text without its NUL";
            return false;
        }
        out.assign(b.begin() + static_cast<long>(p), b.begin() + static_cast<long>(z));
        p = z + 1;
        return true;
    };
    auto codeByte = [&](int& out) -> bool {
        if (p + 2 > b.size() || b[p + 1] != 0) {
            why = "code byte without its NUL";
            return false;
        }
        out = b[p];
        p += 2;
        return true;
    };
    v = Value{};
    v.kind = kind;
    switch (kind) {
        case Value::Byte: return codeByte(v.byte);
        case Value::Bare:
            if (p >= b.size()) {
                why = "missing byte";
                return false;
            }
            v.byte = b[p++];
            return true;
        case Value::Float:
        case Value::UFloat:
        case Value::UQFloat:
            if (!text(v.text)) return false;
            if (!isNumber(v.text)) {
                why = "not a number: " + v.text;
                return false;
            }
            if (kind != Value::Float && !codeByte(v.unit)) return false;
            if (kind == Value::UQFloat && !codeByte(v.quantity)) return false;
            return true;
        case Value::Str: return text(v.text);
        case Value::UStr:
            if (!text(v.text)) return false;
            if (p + 2 > b.size() || b[p] != 1 || b[p + 1] != 0) {
                why = "text without its unit bytes 01 00";
                return false;
            }
            p += 2;
            return true;
        case Value::Bin: {
            if (p >= b.size()) {
                why = "missing record";
                return false;
            }
            size_t n = static_cast<size_t>(b[p]) + 4;
            if (b.size() - p != n) {
                why = "record length does not match its count byte";
                return false;
            }
            v.data.assign(b.begin() + static_cast<long>(p), b.end());
            p = b.size();
            return true;
        }
        case Value::Block:
            if (p >= b.size()) {
                why = "block without its terminator";
                return false;
            }
            v.data.assign(b.begin() + static_cast<long>(p), b.end() - 1);
            p = b.size();
            return true;
    }
    return false;
}

}  // namespace

MessageInfo replyInfo(char letter, int function) {
    MessageInfo info;
    for (const Row& r : kReplies) {
        if (r.letter == letter && function >= r.first && function <= r.last) {
            info.known = true;
            info.reply = parseShape(r.reply);
            return info;
        }
    }
    return info;
}

bool decode(const Bytes& params, const Shape& shape, bool allowShort, Values& out,
            std::string& why) {
    out.clear();
    size_t p = 0;
    for (const ShapeItem& it : shape) {
        for (int i = 0; i < it.count; ++i) {
            if (p >= params.size() && (allowShort || it.open) && it.kind != Value::Block) break;
            Value v;
            if (!readValue(it.kind, params, p, v, why)) return false;
            out.push_back(v);
        }
    }
    if (p != params.size()) {
        why = "bytes left over after the last value";
        return false;
    }
    return true;
}

Values defaultValues(char letter, int function) {
    Values vs;
    MessageInfo info = replyInfo(letter, function);
    for (const ShapeItem& it : info.reply) {
        if (it.open && it.count >= 30) continue;  // open lists start empty
        for (int i = 0; i < it.count; ++i) {
            Value v;
            v.kind = it.kind;
            switch (it.kind) {
                case Value::Byte:
                case Value::Bare: v.byte = it.group ? 0x80 : 1; break;
                case Value::Float:
                case Value::UFloat:
                case Value::UQFloat: v.text = formatNumber(0.0); break;
                default: break;
            }
            vs.push_back(v);
        }
    }
    return vs;
}

bool decodeRequest(char letter, int function, const Bytes& params, Values& out,
                   std::string& rejection, std::string& why) {
    out.clear();
    auto exactly = [&](const char* spec) -> bool {
        if (decode(params, parseShape(spec), false, out, why)) return true;
        rejection = "SE";
        return false;
    };
    auto floats = [&](int minCount, int maxCount) -> bool {
        // The access layer sends plain floats; the catalogue's own prototypes carry unit
        // codes for some groups.  Take whichever reading gives an allowed count.
        bool parsed = false;
        for (Value::Kind k : {Value::Float, Value::UFloat}) {
            Values vs;
            size_t p = 0;
            bool ok = true;
            while (p < params.size() && ok) {
                Value v;
                ok = readValue(k, params, p, v, why);
                if (ok) vs.push_back(v);
            }
            if (!ok) continue;
            parsed = true;
            int n = static_cast<int>(vs.size());
            if (n >= minCount && n <= maxCount) {
                out = vs;
                why.clear();
                return true;
            }
        }
        if (parsed) why = "wrong number of values";
        rejection = parsed ? "SE" : "DE";
        return false;
    };
    switch (letter) {
        case 'Z': return exactly(function == 6 ? "B" : "");
        case 'F': return exactly("B");
        case 'S': {
            if (function == 4) {  // as many relay codes as the device has relays
                Shape s = parseShape("B8*");
                if (params.empty() || !decode(params, s, true, out, why)) {
                    rejection = "SE";
                    return false;
                }
                return true;
            }
            MessageInfo info = replyInfo('s', function);
            Shape s;
            for (ShapeItem it : info.reply) {
                it.open = false;
                s.push_back(it);
            }
            if (decode(params, s, false, out, why)) return true;
            rejection = "SE";
            return false;
        }
        case 'W': {
            MessageInfo info = replyInfo('w', function);
            int n = valueCount(info.reply);
            if (function >= 1 && function <= 3) return floats(1, 30);
            return floats(n, n);
        }
        case 'w': return function == 83 ? floats(0, 1) : exactly("");
        case 'k': return function == 10 && !params.empty() ? exactly("B") : exactly("");
        case 'K':
            switch (function) {
                case 10:
                case 14:
                case 17:
                case 24:
                case 26:
                case 30: return exactly("B");
                case 16: return exactly("S");
                case 20: return params.size() == 1 ? exactly("R") : exactly("B");
                case 21:
                case 25: return exactly("N");
                case 27: return exactly("BK");
                default: return exactly("");
            }
        default: return exactly("");
    }
}

bool splitRequest(const Bytes& body, Request& out) {
    if (body.size() < 2) return false;
    out.letter = static_cast<char>(body[0]);
    out.function = body[1];
    out.params.assign(body.begin() + 2, body.end());
    return true;
}

Bytes replyBody(uint8_t flags, uint8_t state, char letter, int function, const Bytes& params) {
    Bytes b{flags, state, static_cast<uint8_t>(letter), static_cast<uint8_t>(function)};
    b.reserve(4 + params.size());
    for (uint8_t x : params) b.push_back(x);
    return b;
}

}  // namespace vasksim
