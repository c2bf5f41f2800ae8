// Bit fields packed into shared data bytes.
//
// A field with start bit 0 opens a data byte; the fields after it with higher start bits
// belong to that byte. Which byte is open is kept per thread, for the message that thread
// is reading or writing: a field with a higher start bit uses the byte only when it comes
// right behind it (same body, cursor just past the byte and its NUL). So a field never
// reads before its body or outside it, and never ORs its bits into a byte that is not its
// group's (the command letter or function number of a malformed list).
#include "vaskparamkinds.h"

#include "internal.h"

#include <string.h>

namespace {

struct ReadGroup {
    const unsigned char* end;    // end of the body being read
    const unsigned char* after;  // cursor right behind the group's byte (or where it is missing)
    unsigned char byte;          // the group's data byte; 0 when the body ended before it
};

struct WriteGroup {
    unsigned char* after;  // cursor right behind the group's byte and NUL
};

thread_local ReadGroup t_readGroup = {NULL, NULL, 0};
thread_local WriteGroup t_writeGroup = {NULL};

}  // namespace

CBitParam::CBitParam() { Init(0, 1); }

CBitParam::CBitParam(char command, int function, int prompt, DirectionType direction, int start,
                     int length)
    : CEnumParam<0, 0>(command, function, prompt, direction, 1) {
    Init(start, length);
}

CBitParam::CBitParam(int start, int length) { Init(start, length); }

CBitParam::CBitParam(const CParam* prototype) : CEnumParam<0, 0>(prototype) {
    int type = prototype != NULL ? prototype->GetType() : PT_NONE;
    if (type == PT_BIT || type == PT_BIT0 || type == PT_BIT1) {
        const CBitParam* bits = static_cast<const CBitParam*>(prototype);
        Init(bits->m_start, bits->m_length);
    } else {
        Init(0, 1);
    }
}

void CBitParam::Init(int start, int length) {
    m_type = PT_BIT;
    m_start = start;
    m_length = length;
    m_values[0] = 0;
}

unsigned int CBitParam::Mask() const {
    if (m_length <= 0) return 0;
    if (m_length >= 32) return 0xFFFFFFFFu;
    return (1u << m_length) - 1;
}

int CBitParam::ConvertValue(int i, const CString& text) {
    if (!IsStored(i)) return 0;
    if (m_length == 1) {
        m_values[i - 1] = (text == "Ein" || text == "1") ? 1 : 0;
        return 1;
    }
    const char* s = text;
    size_t length = (size_t)text.GetLength();
    long number = 0;
    size_t n = vask::ParseLong(s, length, 2, number);
    m_values[i - 1] = (int)number;
    if (n == 0) return 0;
    if (n < length && s[n] != ' ') return 0;
    // A value wider than the field would spill into its neighbours on the wire.
    if (number < 0 || (unsigned long)number > Mask()) return 0;
    return 1;
}

int CBitParam::GetValue(int i, char* buffer, int size) const {
    if (!IsStored(i)) return CopyText(CString(), buffer, size);
    unsigned int value = (unsigned int)m_values[i - 1];
    char digits[33];
    int n = 0;
    do {
        digits[n++] = (char)('0' + (value & 1u));
        value >>= 1;
    } while (value != 0);
    char text[33];
    for (int k = 0; k < n; ++k) text[k] = digits[n - 1 - k];
    text[n] = 0;
    return CopyText(text, buffer, size);
}

int CBitParam::Read(unsigned char*& cursor, unsigned char* end) {
    m_count = 0;
    unsigned char byte;
    if (m_start == 0) {
        if (cursor < end) {
            // The data byte and its NUL.
            if (end - cursor < 2 || cursor[1] != 0) return 0;
            byte = cursor[0];
            cursor += 2;
        } else {
            // The body ended before this byte: it and the following fields read 0.
            byte = 0;
        }
        t_readGroup.end = end;
        t_readGroup.after = cursor;
        t_readGroup.byte = byte;
    } else {
        if (t_readGroup.end != end || t_readGroup.after != cursor) return 0;
        byte = t_readGroup.byte;
    }
    unsigned int shifted = m_start >= 0 && m_start < 8 ? (unsigned int)byte >> m_start : 0;
    m_values[0] = (int)(shifted & Mask());
    m_count = 1;
    return 1;
}

void CBitParam::Write(unsigned char*& cursor) const {
    if (m_start == 0) {
        *cursor++ = 0;
        *cursor++ = 0;
        t_writeGroup.after = cursor;
    }
    if (t_writeGroup.after != cursor) return;  // no open byte right before this field
    if (m_start < 0 || m_start >= 8) return;
    unsigned int bits = ((unsigned int)m_values[0] & Mask()) << m_start;
    cursor[-2] |= (unsigned char)bits;
}

int CBitParam::GetValue(int i) const { return IsStored(i) ? m_values[i - 1] : 0; }

void CBitParam::SetValue(int i, int value) {
    if (IsStored(i)) m_values[i - 1] = value;
}

int CBitParam::SetValue(int value) {
    if (value < 0 || (unsigned int)value > Mask()) return 0;
    m_values[0] = value;
    return 1;
}

// ---- CBit0Param, CBit1Param ----------------------------------------------------------

CBit0Param::CBit0Param() { m_type = PT_BIT0; }

CBit0Param::CBit0Param(char command, int function, int prompt, DirectionType direction, int start,
                       int length)
    : CBitParam(command, function, prompt, direction, start, length) {
    m_type = PT_BIT0;
}

CBit0Param::CBit0Param(int start, int length) : CBitParam(start, length) { m_type = PT_BIT0; }

CBit0Param::CBit0Param(const CParam* prototype) : CBitParam(prototype) { m_type = PT_BIT0; }

int CBit0Param::ConvertValue(int, const CString&) { return 0; }

CBit1Param::CBit1Param() { SetAllOnes(); }

CBit1Param::CBit1Param(char command, int function, int prompt, DirectionType direction, int start,
                       int length)
    : CBitParam(command, function, prompt, direction, start, length) {
    SetAllOnes();
}

CBit1Param::CBit1Param(int start, int length) : CBitParam(start, length) { SetAllOnes(); }

CBit1Param::CBit1Param(const CParam* prototype) : CBitParam(prototype) { SetAllOnes(); }

void CBit1Param::SetAllOnes() {
    m_type = PT_BIT1;
    m_values[0] = (int)Mask();
}

int CBit1Param::ConvertValue(int, const CString&) { return 0; }
