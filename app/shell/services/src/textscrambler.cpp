// The password scrambler.
#include "textscrambler.h"

#include <new>

namespace {

// The key generator: the linear congruential generator of the C runtime that scrambled the
// stored passwords first, coded here so that neither another runtime nor another thread's
// use of rand can change the key stream.
class KeyGenerator {
public:
    explicit KeyGenerator(unsigned int seed) : m_state(seed) {}
    int Next() {
        m_state = m_state * 214013u + 2531011u;
        return (int)((m_state >> 16) & 0x7FFF);
    }

private:
    unsigned int m_state;
};

}  // namespace

void CTextScrambler::XorStream(BYTE* buffer, int length) const {
    if (buffer == NULL || length <= 0) return;
    KeyGenerator generator((unsigned int)length + 19358u);
    for (int i = length - 1; i >= 0; --i) buffer[i] ^= (BYTE)(generator.Next() >> 7);
}

CString CTextScrambler::Scramble(const CString& text) const {
    const int n = text.GetLength();
    BYTE* buffer = new (std::nothrow) BYTE[2 * (size_t)n + 1];
    if (buffer == NULL) return text;
    memcpy(buffer, (LPCSTR)text, (size_t)n);
    XorStream(buffer, n);
    CString result;
    char* out = result.GetBuffer(2 * n);
    for (int i = 0; i < n; ++i) {
        out[2 * i] = (char)('a' + (buffer[i] >> 4));
        out[2 * i + 1] = (char)('a' + (buffer[i] & 15));
    }
    result.ReleaseBuffer(2 * n);
    delete[] buffer;
    return result;
}
