// Helpers shared by the sources of utilvask; not exported.
#pragma once

#include "vaskfc.h"

#include <stddef.h>

namespace vask {

// utilvask's own module, whose string table holds the library's texts.
HINSTANCE Module();

// String `id` of utilvask's own string table; false (and an empty text) when it has none.
bool LoadOwnString(long long id, CString& text);

// White space as the C runtime sees it in the "C" locale.
inline bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Parses an integer at text[0..length) as strtol does: leading white space, a sign, then
// digits of the base; out-of-range numbers are clamped to the 32-bit range. Returns the
// number of characters consumed, 0 when no digit was taken.
size_t ParseLong(const char* text, size_t length, int base, long& value);

// Parses a decimal number at text[0..length) as strtod does for decimal text, always with
// a decimal point whatever the process locale: leading white space, a sign, digits with
// an optional point and exponent. Returns the number of characters consumed, 0 when none.
// `overflow` is set when the number is too large for a double (value is then +-HUGE_VAL).
size_t ParseDecimal(const char* text, size_t length, double& value, bool& overflow);

// The longest number text (without its NUL) that the float kinds write.
constexpr size_t kNumberTextMax = 40;

// "%.3f" of value with a decimal point, into out[kNumberTextMax + 1]. A value whose
// fixed-point text would be longer is written in exponent form ("1.000e+300"). Returns
// false in that case (and for infinities and NaN), true when the text is "%.3f".
bool FormatNumber(double value, char (&out)[kNumberTextMax + 1]);

}  // namespace vask
