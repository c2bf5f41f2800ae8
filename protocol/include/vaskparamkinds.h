// Text, binary, block and bit-field parameters.
//
// Bit fields of one message share bytes: a field with start bit 0 opens a new data byte
// (the byte and a NUL on the wire) and the following fields with higher start bits are
// placed in that same byte, until the next field with start bit 0. Written and read in
// message order, on one thread per message.
#pragma once

#include "vaskparam.h"

// NUL-terminated texts.
class UTILVASK_API CStringParam : public CParam {
public:
    CStringParam();
    CStringParam(char command, int function, int prompt, DirectionType direction, int multiple);
    explicit CStringParam(const CParam* prototype);
    CStringParam(const CStringParam& other);
    CStringParam& operator=(const CStringParam& other);
    ~CStringParam() override;

    using CParam::ConvertValue;
    int ConvertValue(int i, const CString& text) override;
    int GetValue(int i, char* buffer, int size) const override;
    int Read(unsigned char*& cursor, unsigned char* end) override;
    void Write(unsigned char*& cursor) const override;

    virtual CString GetValue(int i) const;
    virtual void SetValue(int i, const CString& text);

    CString GetValue() const { return GetValue(1); }
    void SetValue(const CString& text) { SetValue(1, text); }

protected:
    int IsStored(int i) const { return i >= 1 && i <= Addressable(m_capacity); }

    CString* m_values;
    int m_capacity;

private:
    void Init();
};

// Texts followed by a unit code, always 01 and a NUL.
class UTILVASK_API CUStringParam : public CStringParam {
public:
    CUStringParam();
    CUStringParam(char command, int function, int prompt, DirectionType direction, int multiple);
    explicit CUStringParam(const CParam* prototype);

    int Read(unsigned char*& cursor, unsigned char* end) override;
    void Write(unsigned char*& cursor) const override;
};

// A binary record: byte 0 holds n, and the record is n + 4 bytes long.
class UTILVASK_API CBinaryParam : public CParam {
public:
    CBinaryParam();
    CBinaryParam(char command, int function, int prompt, DirectionType direction, int multiple);
    explicit CBinaryParam(const CParam* prototype);
    CBinaryParam(const CBinaryParam& other);
    CBinaryParam& operator=(const CBinaryParam& other);
    ~CBinaryParam() override;

    using CParam::ConvertValue;
    // Accepts any text and changes nothing: the record is set with SetValue only.
    int ConvertValue(int i, const CString& text) override;
    // Each record byte as "%.2x ".
    int GetValue(int i, char* buffer, int size) const override;
    // The whole rest of the body is the record; it must be exactly n + 4 bytes.
    int Read(unsigned char*& cursor, unsigned char* end) override;
    void Write(unsigned char*& cursor) const override;

    // The record, or null when none is set.
    virtual unsigned char* GetValue(int i) const;
    // Copies record[0] + 4 bytes; a null record clears the value.
    void SetValue(const unsigned char* record);

protected:
    int RecordLength() const { return m_record != NULL ? m_record[0] + 4 : 0; }

    unsigned char* m_record;
};

// A raw block filling the rest of a message but for its final byte.
class UTILVASK_API CBlockParam : public CParam {
public:
    CBlockParam();
    CBlockParam(char command, int function, int prompt, DirectionType direction, int multiple);
    explicit CBlockParam(const CParam* prototype);
    CBlockParam(const CBlockParam& other);
    CBlockParam& operator=(const CBlockParam& other);
    ~CBlockParam() override;

    using CParam::ConvertValue;
    int ConvertValue(int i, const CString& text) override;
    int GetValue(int i, char* buffer, int size) const override;
    int Read(unsigned char*& cursor, unsigned char* end) override;
    // The block's bytes and its 0 byte; nothing when no block is set.
    void Write(unsigned char*& cursor) const override;

    // The block (length bytes and a 0 byte after them), or null when none is set.
    virtual unsigned char* GetValue(int i) const;

    // A set block is cut or padded with zeros to the new length.
    void SetLength(int length);
    int GetLength() const { return m_length; }
    // Copies GetLength() bytes and adds a 0 byte.
    void SetValue(const unsigned char* bytes);

protected:
    int m_length;
    unsigned char* m_block;
};

// A field of `length` bits at `start` bit of a shared data byte.
class UTILVASK_API CBitParam : public CEnumParam<0, 0> {
public:
    CBitParam();
    CBitParam(char command, int function, int prompt, DirectionType direction, int start,
              int length);
    CBitParam(int start, int length);
    // Takes start bit and length too when the prototype is a bit field.
    explicit CBitParam(const CParam* prototype);

    using CParam::ConvertValue;
    int ConvertValue(int i, const CString& text) override;
    int GetValue(int i, char* buffer, int size) const override;
    int Read(unsigned char*& cursor, unsigned char* end) override;
    void Write(unsigned char*& cursor) const override;

    int GetEnumCount() const override { return 0; }
    int GetEnum(const CString&) const override { return 0; }
    CString GetEnum(int) const override { return CString(); }
    int GetValue(int i) const override;
    void SetValue(int i, int value) override;  // unchecked
    using CEnumParam<0, 0>::GetValue;

    int GetStartBit() const { return m_start; }
    int GetLength() const { return m_length; }
    int GetValue() const { return GetValue(1); }
    // Refuses (0) a value below 0 or not below 2^length.
    int SetValue(int value);

protected:
    // The bits of the field: 2^length - 1.
    unsigned int Mask() const;

    int m_start;
    int m_length;

private:
    void Init(int start, int length);
};

// A bit field that is always 0 and refuses every text.
class UTILVASK_API CBit0Param : public CBitParam {
public:
    CBit0Param();
    CBit0Param(char command, int function, int prompt, DirectionType direction, int start,
               int length);
    CBit0Param(int start, int length);
    explicit CBit0Param(const CParam* prototype);

    using CParam::ConvertValue;
    int ConvertValue(int i, const CString& text) override;
};

// A bit field that starts with all its bits set and refuses every text.
class UTILVASK_API CBit1Param : public CBitParam {
public:
    CBit1Param();
    CBit1Param(char command, int function, int prompt, DirectionType direction, int start,
               int length);
    CBit1Param(int start, int length);
    explicit CBit1Param(const CParam* prototype);

    using CParam::ConvertValue;
    int ConvertValue(int i, const CString& text) override;

private:
    void SetAllOnes();
};
