// The scrambled form in which the access passwords are kept in the profile: 2 n letters
// "a" to "p" for a password of n characters. Stored passwords match only while this form
// stays the same bit for bit.
#pragma once

#include "vaskfc.h"

class CTextScrambler {
public:
    // The scrambled text; the text itself when no buffer can be had.
    CString Scramble(const CString& text) const;
    // XORs the buffer in place with the key stream of its length (applying it twice gives
    // the buffer back).
    void XorStream(BYTE* buffer, int length) const;
};
