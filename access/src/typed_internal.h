// Readers of reply messages shared by the typed members of CvaskAccess. A reply parsed
// against the catalogue holds one parameter object per value position; these take what a
// read needs and say when it is not there.
#pragma once

#include "accessinternal.h"

namespace vask_typed {

inline int ParamCount(CPCvaskMessage* answer) {
    CParamArray* params = answer != NULL ? answer->GetParameters() : NULL;
    return params != NULL ? params->GetSize() : 0;
}

inline CParam* ParamAt(CPCvaskMessage* answer, int i) {
    return i < ParamCount(answer) ? answer->GetParameters()->GetAt(i) : NULL;
}

// Integers, enumerated codes and bit fields all keep their values as ints.
inline bool IsIntegerKind(const CParam* p) {
    if (p == NULL) return false;
    ParamType t = p->GetType();
    return t == PT_INT || t == PT_BIT || t == PT_BIT0 || t == PT_BIT1;
}

inline bool IsFloatKind(const CParam* p) {
    if (p == NULL) return false;
    ParamType t = p->GetType();
    return t == PT_FLOAT || t == PT_UFLOAT || t == PT_UQFLOAT;
}

inline bool IsTextKind(const CParam* p) {
    if (p == NULL) return false;
    ParamType t = p->GetType();
    return t == PT_STRING || t == PT_USTRING;
}

inline int IntValue(const CParam* p, int i) {
    return static_cast<const CEnumParam<0, 0>*>(p)->GetValue(i);
}

// Value 1 of each leading integer parameter, in order, up to the first parameter that is
// not an integer or holds no value.
inline void ReplyValues(CPCvaskMessage* answer, int* values, int& count) {
    count = 0;
    for (int i = 0; i < ParamCount(answer) && count < VASK_MAX_VALUES; ++i) {
        const CParam* p = ParamAt(answer, i);
        if (!IsIntegerKind(p) || p->GetCount() < 1) break;
        values[count++] = IntValue(p, 1);
    }
}

// Every value of the reply's first parameter, a list of integer codes.
inline void ReplyList(CPCvaskMessage* answer, int* values, int& count) {
    count = 0;
    const CParam* p = ParamAt(answer, 0);
    if (!IsIntegerKind(p)) return;
    int n = p->GetCount();
    if (n > VASK_MAX_VALUES) n = VASK_MAX_VALUES;
    for (int i = 0; i < n; ++i) values[count++] = IntValue(p, i + 1);
}

// The bytes that the reply's bit fields were read from: a field with start bit 0 begins a
// byte, the fields after it fill in their bits. Returns the number of bytes, at most max.
inline int ReplyBitBytes(CPCvaskMessage* answer, unsigned char* bytes, int max) {
    int n = 0;
    for (int i = 0; i < ParamCount(answer); ++i) {
        const CParam* p = ParamAt(answer, i);
        ParamType t = p->GetType();
        if (t != PT_BIT && t != PT_BIT0 && t != PT_BIT1) break;
        const CBitParam* field = static_cast<const CBitParam*>(p);
        if (field->GetStartBit() == 0) {
            if (n == max) break;
            bytes[n++] = 0;
        } else if (n == 0) {
            break;
        }
        bytes[n - 1] |= (unsigned char)(field->GetValue() << field->GetStartBit());
    }
    return n;
}

inline const CFloatParam* FirstFloatParam(CPCvaskMessage* answer) {
    const CParam* p = ParamAt(answer, 0);
    return IsFloatKind(p) ? static_cast<const CFloatParam*>(p) : NULL;
}

// Value 1 of n float parameters from parameter `first` on; false when one is missing.
inline bool ReplyFloats(CPCvaskMessage* answer, int first, VaskFloat* out, int n) {
    for (int i = 0; i < n; ++i) {
        const CParam* p = ParamAt(answer, first + i);
        if (!IsFloatKind(p) || p->GetCount() < 1) return false;
    }
    for (int i = 0; i < n; ++i)
        static_cast<const CFloatParam*>(ParamAt(answer, first + i))->GetValue(1, out[i]);
    return true;
}

// Value 1 of n text parameters from parameter `first` on; false when one is missing.
inline bool ReplyTextsFrom(CPCvaskMessage* answer, int first, CString* texts, int n) {
    for (int i = 0; i < n; ++i) {
        const CParam* p = ParamAt(answer, first + i);
        if (!IsTextKind(p) || p->GetCount() < 1) return false;
    }
    for (int i = 0; i < n; ++i)
        texts[i] = static_cast<const CStringParam*>(ParamAt(answer, first + i))->GetValue(1);
    return true;
}

inline bool ReplyTexts(CPCvaskMessage* answer, CString* texts, int n) {
    return ReplyTextsFrom(answer, 0, texts, n);
}

// A received number as a date field: truncated toward zero; what no date field can be
// (negative, not a number, far out of range) becomes -1, which no date accepts.
inline int TruncatedField(const VaskFloat& v) {
    double x = v.value;
    if (!(x >= 0.0 && x < 100000.0)) return -1;
    return (int)x;
}

// Whether a device's two-digit year, hour and minute can be a time; MakeTime checks the
// rest. It takes any hour and minute: the calendar would carry an hour of 25 or a minute
// of 75 into another day instead of refusing it.
inline bool IsDeviceTime(int year, int hour, int minute) {
    return year >= 0 && hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59;
}

// A float the write members can send: they send "%.3f", which NaN and the infinities do
// not have and which a magnitude of 1e35 or more would exceed (it would go out in
// exponent form).
inline bool IsSendable(const VaskFloat& v) {
    return v.value > -1e35 && v.value < 1e35;  // false for NaN
}

}  // namespace vask_typed

using namespace vask_typed;
