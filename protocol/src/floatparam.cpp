// The float kinds: numbers as "%.3f" text, with unit and gas component codes.
#include "vaskparam.h"

#include "internal.h"
#include "vaskenums.h"

#include <string.h>

namespace {

// The highest code of `kind` whose text begins `rest` (only as many bytes as the text
// has are compared); 0 when none. A short text with a higher code therefore hides a
// longer one that begins with it.
template <class Kind>
int MatchPrefix(const char* rest, int& length) {
    Kind kind;
    for (int k = kind.GetEnumCount(); k >= 1; --k) {
        CString text = kind.GetEnum(k);
        if (strncmp(rest, text, (size_t)text.GetLength()) == 0) {
            length = text.GetLength();
            return k;
        }
    }
    length = 0;
    return 0;
}

bool EndOrBlank(const char* p) { return *p == 0 || *p == ' '; }

}  // namespace

// ---- CFloatParam ---------------------------------------------------------------------

CFloatParam::CFloatParam() { Init(); }

CFloatParam::CFloatParam(char command, int function, int prompt, DirectionType direction,
                         int multiple)
    : CParam(command, function, prompt, direction, multiple) {
    Init();
}

CFloatParam::CFloatParam(const CParam* prototype) : CParam(prototype) { Init(); }

CFloatParam::CFloatParam(const CFloatParam& other)
    : CParam(other), m_values(NULL), m_capacity(other.m_capacity) {
    m_values = new VaskFloat[m_capacity];
    for (int k = 0; k < m_capacity; ++k) m_values[k] = other.m_values[k];
}

CFloatParam& CFloatParam::operator=(const CFloatParam& other) {
    if (this != &other) {
        VaskFloat* values = new VaskFloat[other.m_capacity];
        for (int k = 0; k < other.m_capacity; ++k) values[k] = other.m_values[k];
        CParam::operator=(other);
        delete[] m_values;
        m_values = values;
        m_capacity = other.m_capacity;
    }
    return *this;
}

CFloatParam::~CFloatParam() { delete[] m_values; }

void CFloatParam::Init() {
    m_type = PT_FLOAT;
    m_capacity = CapacityFor(m_multiple);
    m_values = new VaskFloat[m_capacity];
    for (int k = 0; k < m_capacity; ++k) m_values[k].text = "0";
}

int CFloatParam::ConvertNumber(int i, const CString& text, const char*& rest) {
    if (!IsStored(i)) return 0;
    const char* s = text;
    size_t length = (size_t)text.GetLength();
    double number = 0.0;
    bool overflow = false;
    size_t n = vask::ParseDecimal(s, length, number, overflow);
    if (n == 0) return 0;
    if (n < length && s[n] != ' ') return 0;
    // A number that cannot travel as "%.3f" text of bounded length is refused.
    char check[vask::kNumberTextMax + 1];
    if (overflow || !vask::FormatNumber(number, check)) return 0;
    m_values[i - 1].value = number;
    m_values[i - 1].text = CString(s, (int)n);
    rest = s + n;
    return 1;
}

int CFloatParam::ConvertValue(int i, const CString& text) {
    const char* rest = NULL;
    return ConvertNumber(i, text, rest);
}

CString CFloatParam::NumberText(int i) const {
    if (!IsStored(i)) return CString();
    char text[vask::kNumberTextMax + 1];
    vask::FormatNumber(m_values[i - 1].value, text);
    return CString(text);
}

int CFloatParam::GetValue(int i, char* buffer, int size) const {
    return CopyText(NumberText(i), buffer, size);
}

int CFloatParam::ReadNumber(int slot, unsigned char*& cursor, unsigned char* end) {
    // The number is parsed only up to its NUL, which must lie inside the body.
    if (cursor >= end) return 0;
    unsigned char* nul = static_cast<unsigned char*>(memchr(cursor, 0, (size_t)(end - cursor)));
    if (nul == NULL) return 0;
    size_t length = (size_t)(nul - cursor);
    double number = 0.0;
    bool overflow = false;
    size_t n = vask::ParseDecimal(reinterpret_cast<const char*>(cursor), length, number, overflow);
    if (n == 0 || n != length) return 0;
    m_values[slot].value = number;
    m_values[slot].text = CString(reinterpret_cast<const char*>(cursor), (int)length);
    cursor = nul + 1;
    return 1;
}

void CFloatParam::WriteNumber(int slot, unsigned char*& cursor) const {
    char text[vask::kNumberTextMax + 1];
    vask::FormatNumber(m_values[slot].value, text);
    size_t n = strlen(text) + 1;
    memcpy(cursor, text, n);
    cursor += n;
}

int CFloatParam::Read(unsigned char*& cursor, unsigned char* end) {
    m_count = 0;
    while (cursor < end && m_count < m_multiple) {
        if (m_count >= m_capacity) return 0;
        if (!ReadNumber(m_count, cursor, end)) return 0;
        ++m_count;
    }
    return 1;
}

void CFloatParam::Write(unsigned char*& cursor) const {
    int n = Addressable(m_capacity);
    for (int k = 0; k < n; ++k) WriteNumber(k, cursor);
}

void CFloatParam::GetValue(int i, VaskFloat& out) const {
    if (IsStored(i)) out = m_values[i - 1];
}

double CFloatParam::GetValue(int i) const { return IsStored(i) ? m_values[i - 1].value : 0.0; }

CString CFloatParam::GetString(int i) const {
    return IsStored(i) ? m_values[i - 1].text : CString();
}

void CFloatParam::SetValue(int i, const VaskFloat& v) {
    if (IsStored(i)) m_values[i - 1] = v;
}

// ---- CUFloatParam --------------------------------------------------------------------

CUFloatParam::CUFloatParam() { m_type = PT_UFLOAT; }

CUFloatParam::CUFloatParam(char command, int function, int prompt, DirectionType direction,
                           int multiple)
    : CFloatParam(command, function, prompt, direction, multiple) {
    m_type = PT_UFLOAT;
}

CUFloatParam::CUFloatParam(const CParam* prototype) : CFloatParam(prototype) { m_type = PT_UFLOAT; }

int CUFloatParam::ConvertUnit(int i, const char*& rest) {
    VaskFloat& v = m_values[i - 1];
    if (*rest == 0) {
        v.unit = 1;
        return 1;
    }
    ++rest;  // the one blank behind the number
    int length = 0;
    v.unit = MatchPrefix<CUnitEnum>(rest, length);
    if (v.unit == 0) return 0;
    rest += length;
    return EndOrBlank(rest) ? 1 : 0;
}

int CUFloatParam::ConvertValue(int i, const CString& text) {
    const char* rest = NULL;
    if (!ConvertNumber(i, text, rest)) return 0;
    return ConvertUnit(i, rest);
}

int CUFloatParam::GetValue(int i, char* buffer, int size) const {
    if (!IsStored(i)) return CopyText(CString(), buffer, size);
    return CopyText(NumberText(i) + " " + GetUnit(i), buffer, size);
}

CString CUFloatParam::GetUnit(int i) const {
    if (!IsStored(i)) return CString();
    return CUnitEnum().GetEnum(m_values[i - 1].unit);
}

int CUFloatParam::Read(unsigned char*& cursor, unsigned char* end) {
    m_count = 0;
    while (cursor < end && m_count < m_multiple) {
        if (m_count >= m_capacity) return 0;
        if (!ReadNumber(m_count, cursor, end)) return 0;
        // The unit code and its terminator, whose value is not looked at.
        if (end - cursor < 2) return 0;
        if (cursor[0] == 0) return 0;
        m_values[m_count].unit = cursor[0];
        cursor += 2;
        ++m_count;
    }
    return 1;
}

void CUFloatParam::Write(unsigned char*& cursor) const {
    int n = Addressable(m_capacity);
    for (int k = 0; k < n; ++k) {
        WriteNumber(k, cursor);
        *cursor++ = (unsigned char)m_values[k].unit;
        *cursor++ = 0;
    }
}

// ---- CUQFloatParam -------------------------------------------------------------------

CUQFloatParam::CUQFloatParam() { m_type = PT_UQFLOAT; }

CUQFloatParam::CUQFloatParam(char command, int function, int prompt, DirectionType direction,
                             int multiple)
    : CUFloatParam(command, function, prompt, direction, multiple) {
    m_type = PT_UQFLOAT;
}

CUQFloatParam::CUQFloatParam(const CParam* prototype) : CUFloatParam(prototype) {
    m_type = PT_UQFLOAT;
}

int CUQFloatParam::ConvertValue(int i, const CString& text) {
    const char* rest = NULL;
    if (!ConvertNumber(i, text, rest)) return 0;
    VaskFloat& v = m_values[i - 1];
    if (*rest == 0) {
        v.unit = 1;
        v.quantity = 1;
        return 1;
    }
    if (!ConvertUnit(i, rest)) return 0;
    if (*rest == 0) {
        v.quantity = 1;
        return 1;
    }
    ++rest;  // the blank behind the unit
    int length = 0;
    v.quantity = MatchPrefix<CQuantityEnum>(rest, length);
    if (v.quantity == 0) return 0;
    rest += length;
    return EndOrBlank(rest) ? 1 : 0;
}

int CUQFloatParam::GetValue(int i, char* buffer, int size) const {
    if (!IsStored(i)) return CopyText(CString(), buffer, size);
    return CopyText(NumberText(i) + " " + GetUnit(i) + " " + GetQuantity(i), buffer, size);
}

CString CUQFloatParam::GetQuantity(int i) const {
    if (!IsStored(i)) return CString();
    return CQuantityEnum().GetEnum(m_values[i - 1].quantity);
}

int CUQFloatParam::Read(unsigned char*& cursor, unsigned char* end) {
    m_count = 0;
    while (cursor < end && m_count < m_multiple) {
        if (m_count >= m_capacity) return 0;
        if (!ReadNumber(m_count, cursor, end)) return 0;
        // Unit code, NUL, quantity code, NUL.
        if (end - cursor < 4) return 0;
        unsigned char unit = cursor[0];
        unsigned char quantity = cursor[2];
        if (unit == 0 || cursor[1] != 0) return 0;
        if (quantity == 0 || cursor[3] != 0) return 0;
        cursor += 4;
        // A quantity code of 100 or more marks a value that is passed over; the next value
        // takes its place.
        if (quantity >= 100) continue;
        m_values[m_count].unit = unit;
        m_values[m_count].quantity = quantity;
        ++m_count;
    }
    return 1;
}

void CUQFloatParam::Write(unsigned char*& cursor) const {
    int n = Addressable(m_capacity);
    for (int k = 0; k < n; ++k) {
        WriteNumber(k, cursor);
        *cursor++ = (unsigned char)m_values[k].unit;
        *cursor++ = 0;
        *cursor++ = (unsigned char)m_values[k].quantity;
        *cursor++ = 0;
    }
}
