// The scrambled form of the stored passwords. The vectors were computed apart from this
// code, from the generator's definition (state x 214013 + 2531011, seed length + 19358,
// bits 16 to 30, shifted right by 7), so a stored password keeps matching.
#include "textscrambler.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

namespace {

TEST(CTextScrambler, PinnedVectors) {
    struct Case {
        std::string text;
        const char* scrambled;
    } cases[] = {
        {"", ""},
        {"a", "ip"},
        {"A", "kp"},
        {"secret", "khpdhickijjk"},
        {"Passwort123", "jalgepmdhfabflldcakcnn"},
        {"K\xFC"
         "che \xE4",
         "okapielpiggaak"},
        {"0123456789", "dhikpenjhlomdnlbaenh"},
        {std::string(40, 'x'),
         "kbgibkngohcglljdpeokpbjgcpgfogeddcflbiblomkpfciedbijgclgjgohbokbgalljpdcgljjgljh"},
    };
    CTextScrambler scrambler;
    for (const Case& c : cases)
        EXPECT_EQ(std::string(scrambler.Scramble(CString(c.text.c_str()))), c.scrambled) << c.text;
}

TEST(CTextScrambler, TwoLettersAToPPerCharacterAndTheSameTextTheSameLetters) {
    CTextScrambler scrambler;
    for (int n = 0; n <= 64; ++n) {
        std::string text;
        for (int i = 0; i < n; ++i) text += (char)(i * 37 + 1);
        const std::string once(scrambler.Scramble(CString(text.c_str())));
        ASSERT_EQ(once.size(), 2u * n);
        for (char c : once) ASSERT_TRUE(c >= 'a' && c <= 'p') << once;
        EXPECT_EQ(std::string(scrambler.Scramble(CString(text.c_str()))), once);
    }
}

TEST(CTextScrambler, XorStreamIsItsOwnInverseAndTheRuntimesGenerator) {
    CTextScrambler scrambler;
    std::vector<BYTE> buffer(23);
    for (size_t i = 0; i < buffer.size(); ++i) buffer[i] = (BYTE)(200 - i);
    const std::vector<BYTE> original = buffer;
    scrambler.XorStream(buffer.data(), (int)buffer.size());
    EXPECT_NE(buffer, original);
    scrambler.XorStream(buffer.data(), (int)buffer.size());
    EXPECT_EQ(buffer, original);
    // The key stream is the one the C runtime's srand and rand give, read from the last
    // byte to the first; the scrambler does not use them (nor disturb other users of rand).
    std::vector<BYTE> zeros(23, 0);
    scrambler.XorStream(zeros.data(), (int)zeros.size());
    srand(23 + 19358);
    for (int i = 22; i >= 0; --i) EXPECT_EQ(zeros[i], rand() >> 7) << i;
    srand(5);
    const int next = rand();
    srand(5);
    scrambler.XorStream(buffer.data(), (int)buffer.size());
    EXPECT_EQ(rand(), next);
}

}  // namespace
