// Text, unit text, binary record and block parameters.
#include "vaskparamkinds.h"

#include "internal.h"

#include <stdio.h>
#include <string.h>

// ---- CStringParam --------------------------------------------------------------------

CStringParam::CStringParam() { Init(); }

CStringParam::CStringParam(char command, int function, int prompt, DirectionType direction,
                           int multiple)
    : CParam(command, function, prompt, direction, multiple) {
    Init();
}

CStringParam::CStringParam(const CParam* prototype) : CParam(prototype) { Init(); }

CStringParam::CStringParam(const CStringParam& other)
    : CParam(other), m_values(new CString[other.m_capacity]), m_capacity(other.m_capacity) {
    for (int k = 0; k < m_capacity; ++k) m_values[k] = other.m_values[k];
}

CStringParam& CStringParam::operator=(const CStringParam& other) {
    if (this != &other) {
        CString* values = new CString[other.m_capacity];
        for (int k = 0; k < other.m_capacity; ++k) values[k] = other.m_values[k];
        CParam::operator=(other);
        delete[] m_values;
        m_values = values;
        m_capacity = other.m_capacity;
    }
    return *this;
}

CStringParam::~CStringParam() { delete[] m_values; }

void CStringParam::Init() {
    m_type = PT_STRING;
    m_capacity = CapacityFor(m_multiple);
    m_values = new CString[m_capacity];
}

int CStringParam::ConvertValue(int i, const CString& text) {
    if (!IsStored(i)) return 0;
    m_values[i - 1] = text;
    return 1;
}

int CStringParam::GetValue(int i, char* buffer, int size) const {
    return CopyText(IsStored(i) ? m_values[i - 1] : CString(), buffer, size);
}

int CStringParam::Read(unsigned char*& cursor, unsigned char* end) {
    m_count = 0;
    unsigned char* start = cursor;
    while (cursor < end && m_count < m_multiple) {
        if (*cursor++ != 0) continue;
        if (m_count >= m_capacity) return 0;
        m_values[m_count++] =
            CString(reinterpret_cast<const char*>(start), (int)(cursor - 1 - start));
        start = cursor;
    }
    // A last text without its NUL is consumed and not stored.
    return 1;
}

void CStringParam::Write(unsigned char*& cursor) const {
    int n = Addressable(m_capacity);
    for (int k = 0; k < n; ++k) {
        size_t length = (size_t)m_values[k].GetLength() + 1;
        memcpy(cursor, (const char*)m_values[k], length);
        cursor += length;
    }
}

CString CStringParam::GetValue(int i) const { return IsStored(i) ? m_values[i - 1] : CString(); }

void CStringParam::SetValue(int i, const CString& text) {
    if (IsStored(i)) m_values[i - 1] = text;
}

// ---- CUStringParam -------------------------------------------------------------------

CUStringParam::CUStringParam() { m_type = PT_USTRING; }

CUStringParam::CUStringParam(char command, int function, int prompt, DirectionType direction,
                             int multiple)
    : CStringParam(command, function, prompt, direction, multiple) {
    m_type = PT_USTRING;
}

CUStringParam::CUStringParam(const CParam* prototype) : CStringParam(prototype) {
    m_type = PT_USTRING;
}

int CUStringParam::Read(unsigned char*& cursor, unsigned char* end) {
    m_count = 0;
    while (cursor < end && m_count < m_multiple) {
        if (m_count >= m_capacity) return 0;
        // The text runs to the first control byte (normally its NUL) inside the body.
        unsigned char* start = cursor;
        unsigned char* stop = start;
        while (stop < end && *stop >= 10) ++stop;
        if (stop == end) return 0;
        unsigned char* nul = static_cast<unsigned char*>(memchr(start, 0, (size_t)(end - start)));
        if (nul == NULL) return 0;
        // Then the unit code 01 and its NUL.
        cursor = stop + 1;
        if (end - cursor < 2 || cursor[0] != 1 || cursor[1] != 0) return 0;
        cursor += 2;
        m_values[m_count++] = CString(reinterpret_cast<const char*>(start), (int)(nul - start));
    }
    return 1;
}

void CUStringParam::Write(unsigned char*& cursor) const {
    int n = Addressable(m_capacity);
    for (int k = 0; k < n; ++k) {
        size_t length = (size_t)m_values[k].GetLength() + 1;
        memcpy(cursor, (const char*)m_values[k], length);
        cursor += length;
        *cursor++ = 1;
        *cursor++ = 0;
    }
}

// ---- CBinaryParam --------------------------------------------------------------------

CBinaryParam::CBinaryParam() : m_record(NULL) { m_type = PT_BINARY; }

CBinaryParam::CBinaryParam(char command, int function, int prompt, DirectionType direction,
                           int multiple)
    : CParam(command, function, prompt, direction, multiple), m_record(NULL) {
    m_type = PT_BINARY;
}

CBinaryParam::CBinaryParam(const CParam* prototype) : CParam(prototype), m_record(NULL) {
    m_type = PT_BINARY;
}

CBinaryParam::CBinaryParam(const CBinaryParam& other) : CParam(other), m_record(NULL) {
    SetValue(other.m_record);
}

CBinaryParam& CBinaryParam::operator=(const CBinaryParam& other) {
    if (this != &other) {
        CParam::operator=(other);
        SetValue(other.m_record);
    }
    return *this;
}

CBinaryParam::~CBinaryParam() { delete[] m_record; }

int CBinaryParam::ConvertValue(int, const CString&) { return 1; }

int CBinaryParam::GetValue(int i, char* buffer, int size) const {
    CString text;
    if (i == 1 && m_record != NULL) {
        char item[4];
        for (int k = 0; k < RecordLength(); ++k) {
            snprintf(item, sizeof item, "%.2x ", m_record[k]);
            text += item;
        }
    }
    return CopyText(text, buffer, size);
}

int CBinaryParam::Read(unsigned char*& cursor, unsigned char* end) {
    m_count = 0;
    if (cursor >= end) return 0;
    // The record is the whole rest of the body and must be exactly n + 4 bytes long.
    size_t available = (size_t)(end - cursor);
    size_t length = (size_t)cursor[0] + 4;
    if (available != length) return 0;
    unsigned char* record = new unsigned char[length];
    memcpy(record, cursor, length);
    delete[] m_record;
    m_record = record;
    cursor = end;
    m_count = 1;
    return 1;
}

void CBinaryParam::Write(unsigned char*& cursor) const {
    int length = RecordLength();
    if (length == 0) return;
    memcpy(cursor, m_record, (size_t)length);
    cursor += length;
}

unsigned char* CBinaryParam::GetValue(int i) const { return i == 1 ? m_record : NULL; }

void CBinaryParam::SetValue(const unsigned char* record) {
    unsigned char* copy = NULL;
    if (record != NULL) {
        size_t length = (size_t)record[0] + 4;
        copy = new unsigned char[length];
        memcpy(copy, record, length);
    }
    delete[] m_record;
    m_record = copy;
}

// ---- CBlockParam ---------------------------------------------------------------------

CBlockParam::CBlockParam() : m_length(0), m_block(NULL) { m_type = PT_BLOCK; }

CBlockParam::CBlockParam(char command, int function, int prompt, DirectionType direction,
                         int multiple)
    : CParam(command, function, prompt, direction, multiple), m_length(0), m_block(NULL) {
    m_type = PT_BLOCK;
}

CBlockParam::CBlockParam(const CParam* prototype) : CParam(prototype), m_length(0), m_block(NULL) {
    m_type = PT_BLOCK;
}

CBlockParam::CBlockParam(const CBlockParam& other)
    : CParam(other), m_length(other.m_length), m_block(NULL) {
    SetValue(other.m_block);
}

CBlockParam& CBlockParam::operator=(const CBlockParam& other) {
    if (this != &other) {
        CParam::operator=(other);
        m_length = other.m_length;
        SetValue(other.m_block);
    }
    return *this;
}

CBlockParam::~CBlockParam() { delete[] m_block; }

int CBlockParam::ConvertValue(int, const CString&) { return 0; }

int CBlockParam::GetValue(int, char*, int) const { return 1; }

int CBlockParam::Read(unsigned char*& cursor, unsigned char* end) {
    m_count = 0;
    // The block takes the rest of the body but for its final byte, its terminator: at
    // least that byte must be there.
    if (cursor >= end) return 0;
    int length = (int)(end - cursor) - 1;
    unsigned char* block = new unsigned char[(size_t)length + 1];
    memcpy(block, cursor, (size_t)length);
    block[length] = 0;
    delete[] m_block;
    m_block = block;
    m_length = length;
    cursor = end;
    m_count = 1;
    return 1;
}

void CBlockParam::Write(unsigned char*& cursor) const {
    if (m_block == NULL) return;
    memcpy(cursor, m_block, (size_t)m_length + 1);
    cursor += m_length + 1;
}

unsigned char* CBlockParam::GetValue(int i) const { return i == 1 ? m_block : NULL; }

void CBlockParam::SetLength(int length) {
    if (length < 0) length = 0;
    if (m_block != NULL && length != m_length) {
        // Keep the block and its length in step, so that Write never reads past it.
        unsigned char* block = new unsigned char[(size_t)length + 1]();
        memcpy(block, m_block, (size_t)(length < m_length ? length : m_length));
        delete[] m_block;
        m_block = block;
    }
    m_length = length;
}

void CBlockParam::SetValue(const unsigned char* bytes) {
    unsigned char* block = NULL;
    if (bytes != NULL) {
        block = new unsigned char[(size_t)m_length + 1];
        memcpy(block, bytes, (size_t)m_length);
        block[m_length] = 0;
    }
    delete[] m_block;
    m_block = block;
}
