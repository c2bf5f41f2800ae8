// CString: formatting, trimming, extraction, searching and buffer access.
#include "vaskfc.h"

#include <gtest/gtest.h>

#include <locale.h>
#include <stdio.h>

#include <string>

namespace {

std::string S(const CString& s) { return std::string((LPCSTR)s, s.GetLength()); }

TEST(StringFormat, PrintfConversions) {
    struct Case {
        const char* expected;
        CString actual;
    };
    auto fmt = [](const char* format, auto... args) {
        CString s;
        s.Format(format, args...);
        return s;
    };
    const Case cases[] = {
        {"12.500", fmt("%.3f", 12.5)},
        {"-0.001", fmt("%.3f", -0.0005001)},
        {"3/1", fmt("%d/%d", 3, 1)},
        {"ID -1 not found", fmt("ID %d not found", -1)},
        {"01:02:03.456", fmt("%02d:%02d:%06.3lf", 1, 2, 3.456)},
        {"  a", fmt("%3x", 10)},
        {"00a", fmt("%03x", 10)},
        {"[abc  ]", fmt("[%-5s]", "abc")},
        {"%", fmt("%%")},
        {"", fmt("")},
        {"x", fmt("%c", 'x')},
    };
    for (const Case& c : cases) EXPECT_EQ(S(c.actual), c.expected);
}

TEST(StringFormat, LongResultIsNotCut) {
    std::string big(5000, 'q');
    CString s;
    s.Format("<%s>", big.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    EXPECT_EQ(S(s), "<" + big + ">");
}

// A process that switches to a locale with a decimal comma still writes "%.3f" with a
// point: the bus and the files expect a point.
TEST(StringFormat, DecimalPointDoesNotFollowTheProcessLocale) {
    const char* old = setlocale(LC_ALL, NULL);
    std::string saved = old ? old : "C";
    ASSERT_NE(setlocale(LC_ALL, "German_Germany.1252"), nullptr);
    char plain[32];
    snprintf(plain, sizeof plain, "%.3f", 1.5);
    CString s;
    s.Format("%.3f", 1.5);
    setlocale(LC_ALL, saved.c_str());
    ASSERT_STREQ(plain, "1,500")
        << "the locale switch did not take; the check below proves nothing";
    EXPECT_EQ(S(s), "1.500");
}

TEST(StringTrim, Table) {
    struct Case {
        const char* input;
        const char* left;
        const char* right;
    };
    const Case cases[] = {
        {"", "", ""},
        {"   ", "", ""},
        {"abc", "abc", "abc"},
        {"  abc  ", "abc  ", "  abc"},
        {"\t\r\n\v\fx y\t\r\n\v\f", "x y\t\r\n\v\f", "\t\r\n\v\fx y"},
        // Non-breaking space (0xA0) and umlauts are text, not white space.
        {"\xA0\xE4 ", "\xA0\xE4 ", "\xA0\xE4"},
    };
    for (const Case& c : cases) {
        CString l(c.input), r(c.input);
        l.TrimLeft();
        r.TrimRight();
        EXPECT_EQ(S(l), c.left) << "TrimLeft of '" << c.input << "'";
        EXPECT_EQ(S(r), c.right) << "TrimRight of '" << c.input << "'";
    }
    CString t("xxaxbxx");
    t.TrimLeft('x');
    t.TrimRight("xb");
    EXPECT_EQ(S(t), "a");
}

TEST(StringExtract, CountsOutsideTheStringAreClipped) {
    const CString s("Hello");
    struct Case {
        CString actual;
        const char* expected;
    };
    const Case cases[] = {
        {s.Left(0), ""},       {s.Left(3), "Hel"},     {s.Left(99), "Hello"}, {s.Left(-1), ""},
        {s.Right(2), "lo"},    {s.Right(99), "Hello"}, {s.Right(-3), ""},     {s.Mid(1), "ello"},
        {s.Mid(1, 3), "ell"},  {s.Mid(4, 10), "o"},    {s.Mid(5), ""},        {s.Mid(9), ""},
        {s.Mid(-2, 3), "Hel"}, {s.Mid(2, -1), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(S(c.actual), c.expected);
}

TEST(StringSearch, FindReverseFindAndReplace) {
    const CString s("a/b//c");
    EXPECT_EQ(s.Find('/'), 1);
    EXPECT_EQ(s.Find('/', 2), 3);
    EXPECT_EQ(s.Find('z'), -1);
    EXPECT_EQ(s.Find("//"), 3);
    EXPECT_EQ(s.Find("c", 6), -1);
    EXPECT_EQ(s.Find("c", 60), -1);
    EXPECT_EQ(s.ReverseFind('/'), 4);
    EXPECT_EQ(s.ReverseFind('q'), -1);
    EXPECT_EQ(s.FindOneOf("cb"), 2);
    EXPECT_EQ(CString().Find(""), 0);

    struct Case {
        const char* input;
        const char* from;
        const char* to;
        int count;
        const char* result;
    };
    const Case cases[] = {
        {"aaa", "a", "bb", 3, "bbbbbb"}, {"aaa", "aa", "x", 1, "xa"},
        {"a.b.c", ".", "", 2, "abc"},    {"abc", "", "x", 0, "abc"},
        {"abc", "z", "x", 0, "abc"},     {"ab", "ab", "abab", 1, "abab"},
    };
    for (const Case& c : cases) {
        CString t(c.input);
        EXPECT_EQ(t.Replace(c.from, c.to), c.count) << c.input;
        EXPECT_EQ(S(t), c.result) << c.input;
    }
    CString u("x-y-z");
    EXPECT_EQ(u.Replace('-', '+'), 2);
    EXPECT_EQ(S(u), "x+y+z");
}

TEST(StringCompare, CaseAndOrder) {
    CString s("4qx17B");
    EXPECT_EQ(s.Compare("4qx17B"), 0);
    EXPECT_LT(s.Compare("5"), 0);
    EXPECT_GT(s.Compare("4qx"), 0);
    EXPECT_EQ(s.CompareNoCase("4QX17b"), 0);
    EXPECT_NE(s.CompareNoCase("4QX17c"), 0);
    EXPECT_TRUE(s == "4qx17B");
    EXPECT_TRUE("4qx17B" == s);
    EXPECT_TRUE(s != CString("4QX17B"));
    EXPECT_TRUE(CString("a") < CString("b"));
    // Bytes above 0x7F compare as unsigned: "\xE4" (ä) sorts after "z".
    EXPECT_LT(CString("z").Compare("\xE4"), 0);
    s.MakeUpper();
    EXPECT_EQ(S(s), "4QX17B");
    CString umlaut(
        "\xE4"
        "b");
    umlaut.MakeUpper();
    EXPECT_EQ(S(umlaut),
              "\xE4"
              "B");
}

TEST(StringBuild, ConcatenationAndSelfAppend) {
    CString s("ab");
    s += s;
    EXPECT_EQ(S(s), "abab");
    s += 'c';
    s = s + "-" + s;
    EXPECT_EQ(S(s), "ababc-ababc");
    CString many;
    for (int i = 0; i < 1000; ++i) many += "xyz";
    EXPECT_EQ(many.GetLength(), 3000);
    EXPECT_EQ(S('<' + CString("a") + '>'), "<a>");
    CString fromNull((LPCSTR)NULL);
    EXPECT_TRUE(fromNull.IsEmpty());
    EXPECT_EQ(S(CString('-', 4)), "----");
    EXPECT_EQ(S(CString("abcdef", 3)), "abc");
    many.Empty();
    EXPECT_TRUE(many.IsEmpty());
    EXPECT_STREQ((LPCSTR)many, "");
}

TEST(StringBuffer, GetBufferAndReleaseBuffer) {
    CString s("keep");
    char* p = s.GetBuffer(100);
    EXPECT_STREQ(p, "keep");
    strcpy(p, "written through the buffer");
    s.ReleaseBuffer();
    EXPECT_EQ(S(s), "written through the buffer");

    p = s.GetBuffer(10);
    p[3] = '\0';
    s.ReleaseBuffer(-1);
    EXPECT_EQ(S(s), "wri");

    p = s.GetBuffer(0);
    s.ReleaseBuffer(2);
    EXPECT_EQ(S(s), "wr");

    CString empty;
    p = empty.GetBuffer(0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(*p, '\0');
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());

    CString sized;
    memcpy(sized.GetBufferSetLength(3), "xyz", 3);
    EXPECT_EQ(S(sized), "xyz");
}

}  // namespace
