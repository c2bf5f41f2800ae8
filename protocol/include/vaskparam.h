// Parameters of a bus message: CParam, the value-list base CEnumParam and the numeric
// kinds CIntParam, CBoolParam, CFloatParam, CUFloatParam and CUQFloatParam.
//
// A parameter carries `multiple` values of one kind, addressed 1..multiple. Storage holds
// one value when multiple is 1 and 30 otherwise; an index outside the stored values is
// refused (ConvertValue returns 0, SetValue does nothing, getters give an empty value),
// and Write never writes more values than are stored. Read never looks at a byte at or
// past `end`.
#pragma once

#include "utilvask_api.h"
#include "vaskfc.h"
#include "vaskfloat.h"

enum ParamType {
    PT_NONE = 0,  // bare CParam (the catalogue's terminator)
    PT_INT = 1,   // CIntParam and every enumerated kind
    PT_BOOL = 2,
    PT_STRING = 3,
    PT_USTRING = 4,
    PT_BINARY = 5,
    PT_FLOAT = 6,
    PT_UFLOAT = 7,
    PT_UQFLOAT = 8,
    PT_BLOCK = 9,
    PT_BIT = 10,
    PT_BIT0 = 11,
    PT_BIT1 = 12
};

// Direction of a parameter: a plain int so that tables can pass 1 and 2.
typedef int DirectionType;
enum { DT_REQUEST = 1, DT_REPLY = 2 };

// The most values one parameter holds.
constexpr int VASK_MAX_VALUES = 30;

class UTILVASK_API CParam {
public:
    CParam();
    CParam(char command, int function, int prompt, DirectionType direction, int multiple);
    // Copies command, function, prompt, direction and multiple of the prototype; count 0.
    explicit CParam(const CParam* prototype);
    virtual ~CParam();

    // 1 when the text was accepted as value i.
    virtual int ConvertValue(int i, const CString& text);
    // Value i as NUL-terminated display text into a buffer of `size` bytes (an index
    // outside the stored values gives the empty text). 0 when the text and its NUL do not
    // fit: the buffer then holds the empty text (when size is at least 1), never a part of
    // the value. Kinds without a display text leave the buffer untouched and give 1.
    virtual int GetValue(int i, char* buffer, int size) const;
    // Takes the values from a received body, never at or past end; 1 on success.
    virtual int Read(unsigned char*& cursor, unsigned char* end);
    // Puts the values in wire form at the cursor and advances it.
    virtual void Write(unsigned char*& cursor) const;
    virtual CString GetUnit(int i) const;
    virtual CString GetQuantity(int i) const;

    int ConvertValue(const CString& text) { return ConvertValue(1, text); }
    int Match(char command, int function) const;
    int IsReply() const { return m_direction == DT_REPLY; }
    int GetMultiple() const { return m_multiple; }
    int GetCount() const { return m_count; }
    ParamType GetType() const { return m_type; }
    // Display name: string 11000 + prompt id of utilvask, or "ID %d not found".
    CString GetPrompt() const;
    // String `id` of utilvask's own string table, or "ID %d not found" with the id.
    static CString GetPrompt(int id);

protected:
    // Number of values held in storage: 1 when multiple is 1, else 30.
    static int CapacityFor(int multiple) { return multiple == 1 ? 1 : VASK_MAX_VALUES; }
    // Number of values that may be addressed: min(multiple, capacity).
    int Addressable(int capacity) const;

    // Shared wire forms of the value-list kinds (one byte and a NUL per value).
    static int ReadByteList(int* values, int capacity, int multiple, int& count,
                            unsigned char*& cursor, unsigned char* end);
    static void WriteByteList(const int* values, int capacity, int multiple,
                              unsigned char*& cursor);
    // Highest k in 1..n whose text (string base + k) equals text exactly; 0 when none.
    static int LookupEnumText(int base, int n, const CString& text);
    // Text of value k of a kind with text base `base` (value 0 shows the text of 1).
    static CString EnumText(int base, int k);
    // The text and its NUL into the buffer when they fit in size bytes (GetValue's rule).
    static int CopyText(const CString& text, char* buffer, int size);

    int m_multiple;
    int m_count;
    ParamType m_type;
    DirectionType m_direction;
    char m_command;
    int m_function;
    int m_prompt;
};

// Value list of int values whose value v stands for string B + v (N values with texts).
template <int B, int N>
class CEnumParam : public CParam {
public:
    CEnumParam() { Init(); }
    CEnumParam(char command, int function, int prompt, DirectionType direction, int multiple)
        : CParam(command, function, prompt, direction, multiple) {
        Init();
    }
    explicit CEnumParam(const CParam* prototype) : CParam(prototype) { Init(); }
    CEnumParam(const CEnumParam& other) : CParam(other) { CopyFrom(other); }
    CEnumParam& operator=(const CEnumParam& other) {
        if (this != &other) {
            CParam::operator=(other);
            delete[] m_values;
            CopyFrom(other);
        }
        return *this;
    }
    ~CEnumParam() override { delete[] m_values; }

    using CParam::ConvertValue;
    int ConvertValue(int i, const CString& text) override {
        if (!IsStored(i)) return 0;
        int k = GetEnum(text);
        if (k == 0) return 0;
        m_values[i - 1] = k;
        return 1;
    }
    int GetValue(int i, char* buffer, int size) const override {
        return CopyText(IsStored(i) ? GetEnum(m_values[i - 1]) : CString(), buffer, size);
    }
    int Read(unsigned char*& cursor, unsigned char* end) override {
        return ReadByteList(m_values, m_capacity, m_multiple, m_count, cursor, end);
    }
    void Write(unsigned char*& cursor) const override {
        WriteByteList(m_values, m_capacity, m_multiple, cursor);
    }

    virtual int GetEnumCount() const { return N; }
    virtual int GetEnum(const CString& text) const { return LookupEnumText(B, N, text); }
    virtual CString GetEnum(int k) const { return EnumText(B, k); }
    virtual int GetValue(int i) const { return IsStored(i) ? m_values[i - 1] : 0; }
    virtual void SetValue(int i, int value) {
        if (IsStored(i)) m_values[i - 1] = value;
    }

protected:
    int IsStored(int i) const { return i >= 1 && i <= Addressable(m_capacity); }

    int* m_values;
    int m_capacity;

private:
    void Init() {
        m_type = PT_INT;
        m_capacity = CapacityFor(m_multiple);
        m_values = new int[m_capacity]();
    }
    void CopyFrom(const CEnumParam& other) {
        m_capacity = other.m_capacity;
        m_values = new int[m_capacity];
        for (int k = 0; k < m_capacity; ++k) m_values[k] = other.m_values[k];
    }
};

// Integer values 0..255 on the wire. The limits given to the constructor are not kept:
// minimum and maximum stay 0 (no upper bound), so only negative numbers are refused.
class UTILVASK_API CIntParam : public CEnumParam<0, 0> {
public:
    CIntParam();
    CIntParam(char command, int function, int prompt, DirectionType direction, int minimum,
              int maximum, int multiple);
    explicit CIntParam(const CParam* prototype);

    using CParam::ConvertValue;
    int ConvertValue(int i, const CString& text) override;
    int GetValue(int i, char* buffer, int size) const override;
    int Read(unsigned char*& cursor, unsigned char* end) override;
    using CEnumParam<0, 0>::GetValue;

protected:
    int m_minimum;
    int m_maximum;
};

// On/off: value 2 is on ("Ein", sent as "1"), 1 is off ("Aus", sent as "0").
class UTILVASK_API CBoolParam : public CEnumParam<12500, 2> {
public:
    CBoolParam();
    CBoolParam(char command, int function, int prompt, DirectionType direction);
    explicit CBoolParam(const CParam* prototype);

    int Read(unsigned char*& cursor, unsigned char* end) override;
    void Write(unsigned char*& cursor) const override;
    // 1 when value i is on.
    int GetValue(int i) const override;
    // Value i := on when flag is non-zero, else off.
    void SetValue(int i, int flag) override;
    using CEnumParam<12500, 2>::GetValue;

    int GetValue() const { return GetValue(1); }
    void SetValue(int flag) { SetValue(1, flag); }
};

// Numbers sent as "%.3f" text with a NUL.
class UTILVASK_API CFloatParam : public CParam {
public:
    CFloatParam();
    CFloatParam(char command, int function, int prompt, DirectionType direction, int multiple);
    explicit CFloatParam(const CParam* prototype);
    CFloatParam(const CFloatParam& other);
    CFloatParam& operator=(const CFloatParam& other);
    ~CFloatParam() override;

    using CParam::ConvertValue;
    int ConvertValue(int i, const CString& text) override;
    int GetValue(int i, char* buffer, int size) const override;
    int Read(unsigned char*& cursor, unsigned char* end) override;
    void Write(unsigned char*& cursor) const override;

    virtual void GetValue(int i, VaskFloat& out) const;
    virtual double GetValue(int i) const;
    virtual CString GetString(int i) const;
    virtual void SetValue(int i, const VaskFloat& v);

    void GetValue(VaskFloat& out) const { GetValue(1, out); }
    void SetValue(const VaskFloat& v) { SetValue(1, v); }

protected:
    int IsStored(int i) const { return i >= 1 && i <= Addressable(m_capacity); }
    // Number and its text as ConvertValue takes them; on success `rest` points behind the
    // number (at the end or a blank). 0 when the text is refused.
    int ConvertNumber(int i, const CString& text, const char*& rest);
    // One number and its NUL from a body into value `slot`; 0 when it does not fit.
    int ReadNumber(int slot, unsigned char*& cursor, unsigned char* end);
    void WriteNumber(int slot, unsigned char*& cursor) const;
    // "%.3f" of value i, bounded; empty for an index outside storage.
    CString NumberText(int i) const;

    VaskFloat* m_values;
    int m_capacity;

private:
    void Init();
};

// Numbers with their unit code (one byte and a NUL after the number).
class UTILVASK_API CUFloatParam : public CFloatParam {
public:
    CUFloatParam();
    CUFloatParam(char command, int function, int prompt, DirectionType direction, int multiple);
    explicit CUFloatParam(const CParam* prototype);

    using CParam::ConvertValue;
    int ConvertValue(int i, const CString& text) override;
    int GetValue(int i, char* buffer, int size) const override;
    int Read(unsigned char*& cursor, unsigned char* end) override;
    void Write(unsigned char*& cursor) const override;
    CString GetUnit(int i) const override;
    using CFloatParam::GetValue;

protected:
    // Matches a unit text at `rest` (just behind the number) into value i's unit code.
    int ConvertUnit(int i, const char*& rest);
};

// Numbers with unit and gas component codes.
class UTILVASK_API CUQFloatParam : public CUFloatParam {
public:
    CUQFloatParam();
    CUQFloatParam(char command, int function, int prompt, DirectionType direction, int multiple);
    explicit CUQFloatParam(const CParam* prototype);

    using CParam::ConvertValue;
    int ConvertValue(int i, const CString& text) override;
    int GetValue(int i, char* buffer, int size) const override;
    int Read(unsigned char*& cursor, unsigned char* end) override;
    void Write(unsigned char*& cursor) const override;
    CString GetQuantity(int i) const override;
    using CFloatParam::GetValue;
};
