// CParam, the shared value-list wire form, CIntParam and CBoolParam.
#include "vaskparam.h"

#include "internal.h"

#include <limits.h>
#include <stdio.h>
#include <string.h>

namespace {

// Text of string `id`, or "ID %d not found" with the id that was looked up.
CString TextOrMissing(long long id) {
    CString text;
    if (vask::LoadOwnString(id, text)) return text;
    if (id > INT_MAX) id = INT_MAX;
    if (id < INT_MIN) id = INT_MIN;
    text.Format("ID %d not found", (int)id);
    return text;
}

}  // namespace

CParam::CParam()
    : m_multiple(1),
      m_count(0),
      m_type(PT_NONE),
      m_direction(DT_REQUEST),
      m_command('0'),
      m_function(0),
      m_prompt(0) {}

CParam::CParam(char command, int function, int prompt, DirectionType direction, int multiple)
    : m_multiple(multiple),
      m_count(0),
      m_type(PT_NONE),
      m_direction(direction),
      m_command(command),
      m_function(function),
      m_prompt(prompt) {}

CParam::CParam(const CParam* prototype) : CParam() {
    if (prototype != NULL) {
        m_multiple = prototype->m_multiple;
        m_direction = prototype->m_direction;
        m_command = prototype->m_command;
        m_function = prototype->m_function;
        m_prompt = prototype->m_prompt;
    }
}

CParam::~CParam() {}

int CParam::ConvertValue(int, const CString&) { return 0; }

int CParam::GetValue(int, char*, int) const { return 1; }

int CParam::Read(unsigned char*&, unsigned char*) { return 0; }

void CParam::Write(unsigned char*&) const {}

CString CParam::GetUnit(int) const { return CString(); }

CString CParam::GetQuantity(int) const { return CString(); }

int CParam::Match(char command, int function) const {
    return command == m_command && function == m_function;
}

CString CParam::GetPrompt() const { return TextOrMissing(11000LL + m_prompt); }

CString CParam::GetPrompt(int id) { return TextOrMissing(id); }

int CParam::Addressable(int capacity) const {
    int n = m_multiple < 0 ? 0 : m_multiple;
    return n < capacity ? n : capacity;
}

int CParam::ReadByteList(int* values, int capacity, int multiple, int& count,
                         unsigned char*& cursor, unsigned char* end) {
    count = 0;
    while (cursor < end && count < multiple) {
        if (count >= capacity) return 0;
        // Each value is its byte and a NUL; a body that ends between them does not fit.
        if (end - cursor < 2) return 0;
        if (cursor[1] != 0) return 0;
        values[count++] = cursor[0];
        cursor += 2;
    }
    return 1;
}

void CParam::WriteByteList(const int* values, int capacity, int multiple, unsigned char*& cursor) {
    if (multiple == 1024) {
        // One value as one bare byte.
        *cursor++ = (unsigned char)values[0];
        return;
    }
    int n = multiple < 0 ? 0 : (multiple < capacity ? multiple : capacity);
    for (int k = 0; k < n; ++k) {
        *cursor++ = (unsigned char)values[k];
        *cursor++ = 0;
    }
}

int CParam::LookupEnumText(int base, int n, const CString& text) {
    for (int k = n; k >= 1; --k)
        if (EnumText(base, k) == text) return k;
    return 0;
}

CString CParam::EnumText(int base, int k) {
    return TextOrMissing((long long)base + (k == 0 ? 1 : k));
}

int CParam::CopyText(const CString& text, char* buffer, int size) {
    if (buffer == NULL || size < 1) return 0;
    if (text.GetLength() >= size) {
        buffer[0] = 0;
        return 0;
    }
    memcpy(buffer, (const char*)text, (size_t)text.GetLength() + 1);
    return 1;
}

// ---- CIntParam -----------------------------------------------------------------------

CIntParam::CIntParam() : m_minimum(0), m_maximum(0) {}

CIntParam::CIntParam(char command, int function, int prompt, DirectionType direction, int, int,
                     int multiple)
    : CEnumParam<0, 0>(command, function, prompt, direction, multiple),
      m_minimum(0),
      m_maximum(0) {}

CIntParam::CIntParam(const CParam* prototype)
    : CEnumParam<0, 0>(prototype), m_minimum(0), m_maximum(0) {}

int CIntParam::ConvertValue(int i, const CString& text) {
    if (!IsStored(i)) return 0;
    const char* s = text;
    size_t length = (size_t)text.GetLength();
    long number = 0;
    size_t n = vask::ParseLong(s, length, 10, number);
    if (n == 0) return 0;
    if (n < length && s[n] != ' ') return 0;
    if (number < m_minimum) return 0;
    if (m_maximum >= 1 && number > m_maximum) return 0;
    m_values[i - 1] = (int)number;
    return 1;
}

int CIntParam::GetValue(int i, char* buffer, int size) const {
    char text[16] = "";
    if (IsStored(i)) snprintf(text, sizeof text, "%d", m_values[i - 1]);
    return CopyText(text, buffer, size);
}

int CIntParam::Read(unsigned char*& cursor, unsigned char* end) {
    if (!ReadByteList(m_values, m_capacity, m_multiple, m_count, cursor, end)) return 0;
    for (int k = 0; k < m_count; ++k) {
        if (m_values[k] < m_minimum) return 0;
        if (m_maximum != 0 && m_values[k] > m_maximum) return 0;
    }
    return 1;
}

// ---- CBoolParam ----------------------------------------------------------------------

CBoolParam::CBoolParam() { m_type = PT_BOOL; }

CBoolParam::CBoolParam(char command, int function, int prompt, DirectionType direction)
    : CEnumParam<12500, 2>(command, function, prompt, direction, 1) {
    m_type = PT_BOOL;
}

CBoolParam::CBoolParam(const CParam* prototype) : CEnumParam<12500, 2>(prototype) {
    m_type = PT_BOOL;
    m_multiple = 1;
}

int CBoolParam::Read(unsigned char*& cursor, unsigned char* end) {
    m_count = 0;
    // The character and its terminator; the terminator's value is not looked at.
    if (end - cursor < 2) return 0;
    m_values[0] = cursor[0] == '1' ? 2 : 1;
    cursor += 2;
    m_count = 1;
    return 1;
}

void CBoolParam::Write(unsigned char*& cursor) const {
    *cursor++ = m_values[0] == 2 ? '1' : '0';
    *cursor++ = 0;
}

int CBoolParam::GetValue(int i) const { return IsStored(i) && m_values[i - 1] == 2 ? 1 : 0; }

void CBoolParam::SetValue(int i, int flag) {
    if (IsStored(i)) m_values[i - 1] = flag ? 2 : 1;
}
