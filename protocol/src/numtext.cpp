// Number texts of the bus: integers and decimals parsed as the C runtime parses them and
// "%.3f" written, both independent of the process locale (always a decimal point).
#include "internal.h"

#include <charconv>
#include <limits.h>
#include <math.h>
#include <string>

namespace vask {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c, int base) {
    int d;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'a' && c <= 'z')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'Z')
        d = c - 'A' + 10;
    else
        return -1;
    return d < base ? d : -1;
}

}  // namespace

size_t ParseLong(const char* text, size_t length, int base, long& value) {
    value = 0;
    size_t i = 0;
    while (i < length && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    size_t firstDigit = i;
    // Accumulate the magnitude with saturation; the limit of a negative number is one more.
    const unsigned long long limit = negative ? (unsigned long long)LONG_MAX + 1 : LONG_MAX;
    unsigned long long magnitude = 0;
    for (; i < length; ++i) {
        int d = DigitValue(text[i], base);
        if (d < 0) break;
        magnitude = magnitude * (unsigned)base + (unsigned)d;
        if (magnitude > limit) magnitude = limit + 1;  // saturated; keep scanning digits
    }
    if (i == firstDigit) return 0;
    if (magnitude > limit) magnitude = limit;
    value = negative ? (long)(0 - (long long)magnitude) : (long)magnitude;
    return i;
}

size_t ParseDecimal(const char* text, size_t length, double& value, bool& overflow) {
    value = 0.0;
    overflow = false;
    size_t i = 0;
    while (i < length && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    size_t intStart = i;
    while (i < length && IsDigit(text[i])) ++i;
    size_t intEnd = i;
    size_t fracStart = i, fracEnd = i;
    if (i < length && text[i] == '.') {
        fracStart = ++i;
        while (i < length && IsDigit(text[i])) ++i;
        fracEnd = i;
    }
    if (intEnd == intStart && fracEnd == fracStart) return 0;  // no digit: nothing parsed

    // An exponent counts only when at least one digit follows its letter and sign.
    long exponent = 0;
    if (i < length && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        bool expNegative = false;
        if (j < length && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        if (j < length && IsDigit(text[j])) {
            for (; j < length && IsDigit(text[j]); ++j)
                if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
            if (expNegative) exponent = -exponent;
            i = j;
        }
    }

    std::string normal;
    if (intEnd > intStart)
        normal.assign(text + intStart, intEnd - intStart);
    else
        normal = "0";
    if (fracEnd > fracStart) {
        normal += '.';
        normal.append(text + fracStart, fracEnd - fracStart);
    }
    normal += 'e';
    normal += std::to_string(exponent);

    double magnitude = 0.0;
    std::from_chars_result r =
        std::from_chars(normal.data(), normal.data() + normal.size(), magnitude);
    if (r.ec == std::errc::result_out_of_range) {
        // Decide between too large and too small from the first significant digit.
        long position = 0;  // decimal exponent of the first significant digit
        bool found = false;
        for (size_t k = intStart; k < intEnd && !found; ++k)
            if (text[k] != '0') {
                position = (long)(intEnd - k) - 1;
                found = true;
            }
        for (size_t k = fracStart; k < fracEnd && !found; ++k)
            if (text[k] != '0') {
                position = -(long)(k - fracStart) - 1;
                found = true;
            }
        if (found && position + exponent > 0) {
            magnitude = HUGE_VAL;
            overflow = true;
        } else {
            magnitude = 0.0;
        }
    }
    value = negative ? -magnitude : magnitude;
    return i;
}

bool FormatNumber(double value, char (&out)[kNumberTextMax + 1]) {
    char* last = out + kNumberTextMax;
    std::to_chars_result r = std::to_chars(out, last, value, std::chars_format::fixed, 3);
    bool fixed = r.ec == std::errc() && isfinite(value);
    if (r.ec != std::errc()) r = std::to_chars(out, last, value, std::chars_format::scientific, 3);
    if (r.ec != std::errc()) {
        out[0] = 0;  // cannot happen for a double: its exponent form is short
        return false;
    }
    *r.ptr = 0;
    return fixed;
}

}  // namespace vask
