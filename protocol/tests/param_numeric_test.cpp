// The parameter base, the value lists and the numeric kinds: text to value, value to wire
// bytes and wire bytes to value, with the texts of utilvask's string table.
#include "test_support.h"

#include <locale.h>
#include <math.h>

namespace {

// ---- CParam ----------------------------------------------------------------------------

TEST(CParam, HeaderFieldsMatchAndClone) {
    CParam p('w', 83, 32, DT_REPLY, 768);
    EXPECT_TRUE(p.Match('w', 83));
    EXPECT_FALSE(p.Match('W', 83));
    EXPECT_FALSE(p.Match('w', 82));
    EXPECT_TRUE(p.IsReply());
    EXPECT_EQ(p.GetMultiple(), 768);
    EXPECT_EQ(p.GetCount(), 0);
    EXPECT_EQ(p.GetType(), PT_NONE);

    CFloatParam clone(&p);
    EXPECT_TRUE(clone.Match('w', 83));
    EXPECT_TRUE(clone.IsReply());
    EXPECT_EQ(clone.GetMultiple(), 768);
    EXPECT_EQ(clone.GetType(), PT_FLOAT);
    EXPECT_EQ(clone.GetPrompt(), p.GetPrompt());

    CParam d;
    EXPECT_TRUE(d.Match('0', 0));
    EXPECT_FALSE(d.IsReply());
    EXPECT_EQ(d.GetMultiple(), 1);

    // The terminator of the prototype list is a bare parameter that does nothing.
    CParam end('X', 0, 0, 1, 1);
    EXPECT_EQ(end.GetType(), 0);
    EXPECT_EQ(end.ConvertValue(CString("1")), 0);
    EXPECT_EQ(ValueText(end, 1), "(untouched)");
    EXPECT_EQ(WriteOf(end), Bytes());
    GuardedBody body(B({1, 0}));
    unsigned char* cursor = body.begin();
    EXPECT_EQ(end.Read(cursor, body.end()), 0);
    EXPECT_STREQ(end.GetUnit(1), "");
    EXPECT_STREQ(end.GetQuantity(1), "");
}

TEST(CParam, PromptsComeFromTheLibrarysOwnTableInCodePage1252) {
    struct Case {
        int prompt;
        const char* text;
    } cases[] = {
        {1,
         "Me\xDF"
         "bereich"},
        {50,
         "T90 au\xDF"
         "erhalb des Schwellwertes"},
        {24, "Bin\xE4reingang %d"},
        {-1, "ID 10999 not found"},
        {500, "ID 11500 not found"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(CIntParam('K', 17, c.prompt, DT_REQUEST, 1, 4, 1).GetPrompt(), c.text);
    // Any string of the library by its id.
    EXPECT_STREQ(CParam::GetPrompt(12040),
                 "\xB0"
                 "C");
    EXPECT_STREQ(CParam::GetPrompt(12502), "Ein");
    EXPECT_STREQ(CParam::GetPrompt(13000), "No error");
    EXPECT_STREQ(CParam::GetPrompt(12052), "ID 12052 not found");
    EXPECT_STREQ(CParam::GetPrompt(0x10000 + 12040), "ID 77576 not found");
}

// ---- Value lists: CEnumParam and CIntParam --------------------------------------------

struct ListCase {
    int multiple;
    std::vector<int> values;  // set with SetValue 1..n
    Bytes wire;
};

TEST(ValueList, WritesOneByteAndANulPerValue) {
    const ListCase cases[] = {
        {1, {5}, B({5, 0})},
        {3, {1, 2, 10}, B({1, 0, 2, 0, 10, 0})},
        {3, {300, -1, 255}, B({0x2C, 0, 0xFF, 0, 0xFF, 0})},   // low bytes
        {6, {1, 2}, B({1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0})},  // unset values are 0
        {1024, {0x33}, B({0x33})},                             // one bare byte
    };
    for (const ListCase& c : cases) {
        CIntParam p('S', 4, 23, DT_REQUEST, 0, 0, c.multiple);
        for (size_t k = 0; k < c.values.size(); ++k) p.SetValue((int)k + 1, c.values[k]);
        EXPECT_EQ(Hex(WriteOf(p)), Hex(c.wire)) << "multiple " << c.multiple;
    }
}

TEST(ValueList, OpenListsStopAtThirtyValues) {
    // Values past the stored thirty are refused and never written.
    CIntParam open('k', 5, 103, DT_REPLY, 0, 255, 1280);
    for (int i = 1; i <= 30; ++i) EXPECT_EQ(open.ConvertValue(i, CString("7")), 1) << i;
    EXPECT_EQ(open.ConvertValue(31, CString("7")), 0);
    open.SetValue(31, 9);
    EXPECT_EQ(open.GetValue(31), 0);
    EXPECT_EQ(WriteOf(open).size(), 60u);

    // A fixed list takes exactly its multiple.
    CEnum12100 relays('S', 4, 23, DT_REQUEST, 8);
    relays.SetValue(9, 5);
    EXPECT_EQ(relays.GetValue(9), 0);
    EXPECT_EQ(relays.ConvertValue(9, CString("frei")), 0);
    EXPECT_EQ(relays.ConvertValue(0, CString("frei")), 0);
    EXPECT_EQ(relays.ConvertValue(8, CString("frei")), 1);
    EXPECT_EQ(WriteOf(relays).size(), 16u);
    EXPECT_EQ(ValueText(relays, 9), "");
    EXPECT_EQ(ValueText(relays, 8), "frei");
}

struct ReadCase {
    int multiple;
    Bytes body;
    int ok;
    std::vector<int> values;  // the values read, when ok
};

TEST(CIntParam, ReadsValueLists) {
    auto pairs = [](int n) {
        Bytes b;
        for (int k = 1; k <= n; ++k) b = b + B({k, 0});
        return b;
    };
    std::vector<int> thirty;
    for (int k = 1; k <= 30; ++k) thirty.push_back(k);
    const ReadCase cases[] = {
        {1280, B({5, 0, 7, 0}), 1, {5, 7}},
        {1280, pairs(30), 1, thirty},
        {1280, pairs(31), 0, {}},
        {1280, Bytes(), 1, {}},
        {1, B({0xC8, 0}), 1, {200}},               // the catalogue's limits are not applied
        {6, B({1, 0, 2, 0, 3, 0}), 1, {1, 2, 3}},  // fewer values than the multiple
        {1280, B({5, 0, 7}), 0, {}},               // the body ends before the NUL
        {1280, B({5}), 0, {}},
        {1280, B({5, 1}), 0, {}},  // not a NUL
    };
    for (const ReadCase& c : cases) {
        CIntParam p('k', 5, 103, DT_REPLY, 0, 255, c.multiple);
        int failed = ReadSequence({&p}, c.body);
        EXPECT_EQ(failed == -1, c.ok == 1) << Hex(c.body);
        if (c.ok) {
            EXPECT_EQ(p.GetCount(), (int)c.values.size());
            for (size_t k = 0; k < c.values.size(); ++k)
                EXPECT_EQ(p.GetValue((int)k + 1), c.values[k]);
        }
    }
    // A single value leaves the rest of the body to the next parameter.
    CIntParam one('s', 13, -1, DT_REPLY, 1, 255, 1);
    GuardedBody body(B({5, 0, 7, 0}));
    unsigned char* cursor = body.begin();
    EXPECT_EQ(one.Read(cursor, body.end()), 1);
    EXPECT_EQ(cursor, body.begin() + 2);
    EXPECT_EQ(one.GetCount(), 1);
}

TEST(CIntParam, ConvertsDecimalText) {
    struct Case {
        const char* text;
        int ok;
        int value;
        Bytes wire;
    } cases[] = {
        {"3", 1, 3, B({3, 0})},
        {"300", 1, 300, B({0x2C, 0})},
        {" 7", 1, 7, B({7, 0})},
        {"+7", 1, 7, B({7, 0})},
        {"7 and more", 1, 7, B({7, 0})},
        {"0", 1, 0, B({0, 0})},
        {"99999999999", 1, 2147483647, B({0xFF, 0})},  // clamped as strtol does
        {"-1", 0, 0, {}},
        {"7x", 0, 0, {}},
        {"x", 0, 0, {}},
        {"", 0, 0, {}},
        {"0x10", 0, 0, {}},
    };
    for (const auto& c : cases) {
        CIntParam p('K', 17, -1, DT_REQUEST, 1, 4, 1);
        EXPECT_EQ(p.ConvertValue(CString(c.text)), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(p.GetValue(1), c.value);
        EXPECT_EQ(WriteOf(p), c.wire);
        char expected[16];
        snprintf(expected, sizeof expected, "%d", c.value);
        EXPECT_EQ(ValueText(p, 1), expected);
    }
}

// ---- CBoolParam -----------------------------------------------------------------------

TEST(CBoolParam, TextsWireAndFlags) {
    struct Case {
        const char* text;
        int ok;
        int flag;
        Bytes wire;
    } cases[] = {
        {"Ein", 1, 1, B("1", {0})},
        {"Aus", 1, 0, B("0", {0})},
        {"ein", 0, 0, {}},
        {"EIN", 0, 0, {}},
        {"1", 0, 0, {}},
        {"Ein ", 0, 0, {}},
        {"", 0, 0, {}},
    };
    for (const auto& c : cases) {
        CBoolParam p('F', 1, 2, DT_REQUEST);
        EXPECT_EQ(p.GetType(), PT_BOOL);
        EXPECT_EQ(p.ConvertValue(CString(c.text)), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(p.GetValue(), c.flag);
        EXPECT_EQ(WriteOf(p), c.wire);
        EXPECT_EQ(ValueText(p, 1), c.flag ? "Ein" : "Aus");
    }
    CBoolParam p('F', 3, 3, DT_REQUEST);
    EXPECT_EQ(WriteOf(p), B("0", {0}));  // a new switch is off
    p.SetValue(5);
    EXPECT_EQ(p.GetValue(), 1);
    EXPECT_EQ(WriteOf(p), B("1", {0}));
    p.SetValue(0);
    EXPECT_EQ(p.GetValue(), 0);
    EXPECT_EQ(p.GetEnumCount(), 2);
    EXPECT_STREQ(p.GetEnum(1), "Aus");
    EXPECT_STREQ(p.GetEnum(2), "Ein");
}

TEST(CBoolParam, ReadsOneCharacterAndItsTerminator) {
    struct Case {
        Bytes body;
        int ok;
        int flag;
    } cases[] = {
        {B("1", {0}), 1, 1}, {B("0", {0}), 1, 0},
        {B("x", {0}), 1, 0}, {B("1", {5}), 1, 1},  // the terminator's value is not looked at
        {B("1"), 0, 0},                            // but it must be there
        {Bytes(), 0, 0},
    };
    for (const auto& c : cases) {
        CBoolParam p('F', 1, 2, DT_REQUEST);
        EXPECT_EQ(ReadSequence({&p}, c.body) == -1, c.ok == 1) << Hex(c.body);
        if (c.ok) {
            EXPECT_EQ(p.GetValue(), c.flag);
        }
    }
}

// ---- CFloatParam ----------------------------------------------------------------------

struct FloatText {
    const char* text;
    int ok;
    double value;
    const char* stored;  // the value's text after the conversion
    const char* wire;    // the number as written
};

TEST(CFloatParam, ConvertsDecimalText) {
    const FloatText cases[] = {
        {"12.5", 1, 12.5, "12.5", "12.500"},
        {"7", 1, 7, "7", "7.000"},
        {"  3.25", 1, 3.25, "  3.25", "3.250"},
        {"1.5 and more", 1, 1.5, "1.5", "1.500"},
        {"+2", 1, 2, "+2", "2.000"},
        {"-0.25", 1, -0.25, "-0.25", "-0.250"},
        {".5", 1, 0.5, ".5", "0.500"},
        {"5.", 1, 5, "5.", "5.000"},
        {"1e3", 1, 1000, "1e3", "1000.000"},
        {"2.5E-1", 1, 0.25, "2.5E-1", "0.250"},
        {"1.0005", 1, 1.0005, "1.0005", "1.000"},  // 1.0005 is just below in binary
        {"1e35", 1, 1e35, "1e35", "99999999999999996863366107917975552.000"},
        {"1e36", 0, 0, "", ""},  // too long to travel as "%.3f" text
        {"1e300", 0, 0, "", ""},
        {"1e400", 0, 0, "", ""},  // not a double
        {"1.5x", 0, 0, "", ""},
        {"1,5", 0, 0, "", ""},  // a decimal point, whatever the locale
        {"1e", 0, 0, "", ""},
        {"abc", 0, 0, "", ""},
        {"", 0, 0, "", ""},
        {".", 0, 0, "", ""},
        {"-", 0, 0, "", ""},
        {"inf", 0, 0, "", ""},
        {"nan", 0, 0, "", ""},
    };
    for (const FloatText& c : cases) {
        CFloatParam p('W', 5, 35, DT_REQUEST, 1);
        EXPECT_EQ(p.ConvertValue(CString(c.text)), c.ok) << c.text;
        if (!c.ok) {
            // Refused: the value is left as it was.
            EXPECT_STREQ(p.GetString(1), "0");
            EXPECT_EQ(p.GetValue(1), 0.0);
            continue;
        }
        EXPECT_EQ(p.GetValue(1), c.value) << c.text;
        EXPECT_STREQ(p.GetString(1), c.stored);
        EXPECT_EQ(WriteOf(p), B(c.wire, {0})) << c.text;
        EXPECT_EQ(ValueText(p, 1), c.wire);
    }
}

TEST(CFloatParam, WritesEveryValueOfTheMultiple) {
    CFloatParam p('W', 29, -1, DT_REQUEST, 3);
    EXPECT_EQ(WriteOf(p), B("0.000", {0}) + B("0.000", {0}) + B("0.000", {0}));
    EXPECT_EQ(p.ConvertValue(1, CString("1")), 1);
    EXPECT_EQ(p.ConvertValue(2, CString("2.5")), 1);
    EXPECT_EQ(p.ConvertValue(3, CString("-3")), 1);
    EXPECT_EQ(p.ConvertValue(4, CString("4")), 0);
    EXPECT_EQ(WriteOf(p), B("1.000", {0}) + B("2.500", {0}) + B("-3.000", {0}));

    // The float lists of 768 values write the thirty that are stored, no more.
    CFloatParam open('W', 1, 31, DT_REQUEST, 768);
    EXPECT_EQ(open.ConvertValue(30, CString("9")), 1);
    EXPECT_EQ(open.ConvertValue(31, CString("9")), 0);
    Bytes wire = WriteOf(open);
    EXPECT_EQ(wire.size(), 29 * 6 + 6u);
    EXPECT_EQ(Bytes(wire.end() - 6, wire.end()), B("9.000", {0}));
}

TEST(CFloatParam, HugeValuesAreWrittenWithinBounds) {
    // A value set directly (not through the text) that "%.3f" cannot hold in a bounded text
    // is written in exponent form rather than past any buffer.
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {1e300, "1.000e+300"}, {-1.5e200, "-1.500e+200"}, {HUGE_VAL, "inf"},
        {-HUGE_VAL, "-inf"},   {1e36, "1.000e+36"},       {123.4567, "123.457"},
    };
    for (const auto& c : cases) {
        VaskFloat v;
        v.value = c.value;
        CUQFloatParam p('W', 83, -1, DT_REQUEST, 1);
        p.SetValue(v);
        EXPECT_EQ(WriteOf(p), B(c.text, {0, 1, 0, 1, 0}));
        EXPECT_EQ(ValueText(p, 1), std::string(c.text) + " - keine");
    }
}

TEST(CFloatParam, ReadsNulTerminatedNumbers) {
    struct Case {
        int multiple;
        Bytes body;
        int ok;
        std::vector<double> values;
        std::vector<const char*> texts;
    } cases[] = {
        {1, B("1.5", {0}), 1, {1.5}, {"1.5"}},
        {1, B(" 12.5", {0}), 1, {12.5}, {" 12.5"}},
        {768, B("1", {0}) + B(" 2.5", {0}) + B("-3", {0}), 1, {1, 2.5, -3}, {"1", " 2.5", "-3"}},
        {768, Bytes(), 1, {}, {}},
        {768, B("1.5", {0}) + B("abc", {0}), 0, {}, {}},
        {1, B("1.5x", {0}), 0, {}, {}},
        {1, B("1.5 ", {0}), 0, {}, {}},
        {1, B("", {0}), 0, {}, {}},
        {1, B("1.5"), 0, {}, {}},  // no NUL before the end of the body
        {768, B("1", {0}) + B("2"), 0, {}, {}},
        {1, B("1e999", {0}), 1, {HUGE_VAL}, {"1e999"}},
    };
    for (const auto& c : cases) {
        CFloatParam p('k', 11, 111, DT_REPLY, c.multiple);
        EXPECT_EQ(ReadSequence({&p}, c.body) == -1, c.ok == 1) << Hex(c.body);
        if (!c.ok) continue;
        ASSERT_EQ(p.GetCount(), (int)c.values.size());
        for (size_t k = 0; k < c.values.size(); ++k) {
            EXPECT_EQ(p.GetValue((int)k + 1), c.values[k]);
            EXPECT_STREQ(p.GetString((int)k + 1), c.texts[k]);
        }
    }
    Bytes thirty, thirtyOne;
    for (int k = 0; k < 30; ++k) thirty = thirty + B("1", {0});
    thirtyOne = thirty + B("1", {0});
    CFloatParam p('k', 11, 111, DT_REPLY, 1280);
    EXPECT_EQ(ReadSequence({&p}, thirty), -1);
    EXPECT_EQ(p.GetCount(), 30);
    EXPECT_EQ(ReadSequence({&p}, thirtyOne), 0);
}

// ---- CUFloatParam ---------------------------------------------------------------------

struct UnitText {
    const char* text;
    int ok;
    int unit;
};

TEST(CUFloatParam, MatchesUnitTextsFromTheHighestCodeDown) {
    const UnitText cases[] = {
        {"12.5", 1, 1},
        {"12.5 ppm", 1, 2},
        {"12.5 ppm and more", 1, 2},
        {"12.5 %vol", 1, 11},  // found before "%" (code 10)
        {"12.5 %", 1, 10},
        {"12.5 % S\xE4ttigung", 1, 13},
        {"12.5 mg/m^3", 1, 47},  // the text stands twice: the higher code wins
        {"12.5 vpm C1", 1, 5},
        {"12.5 vpm", 1, 4},
        {"12.5 mS/cm", 1, 23},
        {"12.5 mS/m", 1, 22},
        {"12.5 hPa", 1, 35},
        {"12.5 h", 1, 28},
        {"12.5 kOhm*cm", 1, 49},
        {"12.5 \xB0", 1, 51},
        {"12.5 \xB0"
         "C",
         0, 51},                // hidden by the shorter degree sign
        {"12.5 mV/pH", 0, 32},  // hidden by "mV"
        {"12.5 mV/mbar", 0, 32},
        {"12.5 S/m", 0, 39},  // hidden by "S"
        {"12.5 S/cm", 0, 39},
        {"12.5 ", 0, 0},      // nothing after the blank matches
        {"12.5  ppm", 0, 0},  // only one blank is skipped
        {"12.5 PPM", 0, 0},
        {"12.5 xyz", 0, 0},
        {"12.5ppm", 0, 1},  // not even a number
    };
    for (const UnitText& c : cases) {
        CUFloatParam p('W', 31, -1, DT_REQUEST, 1);
        EXPECT_EQ(p.ConvertValue(CString(c.text)), c.ok) << c.text;
        VaskFloat v;
        p.GetValue(v);
        EXPECT_EQ(v.unit, c.unit) << c.text;
        if (c.ok) {
            EXPECT_EQ(v.value, 12.5);
            EXPECT_STREQ(v.text, "12.5");
            EXPECT_EQ(WriteOf(p), B("12.500", {0, c.unit, 0}));
        }
    }
    // A refused unit leaves the number already taken.
    CUFloatParam p('W', 31, -1, DT_REQUEST, 1);
    EXPECT_EQ(p.ConvertValue(CString("3.5 xyz")), 0);
    EXPECT_EQ(p.GetValue(1), 3.5);
    EXPECT_STREQ(p.GetString(1), "3.5");
}

TEST(CUFloatParam, ShowsTheUnitText) {
    CUFloatParam p('w', 5, 10, DT_REPLY, 1);
    VaskFloat v;
    v.value = 12.5;
    struct Case {
        int unit;
        const char* shown;
    } cases[] = {
        {2, "12.500 ppm"},
        {40,
         "12.500 \xB0"
         "C"},
        {13, "12.500 % S\xE4ttigung"},
        {0, "12.500 -"},
        {52, "12.500 ID 12052 not found"},
    };
    for (const auto& c : cases) {
        v.unit = c.unit;
        p.SetValue(v);
        EXPECT_EQ(ValueText(p, 1), c.shown);
    }
    EXPECT_STREQ(p.GetUnit(2), "");  // no value 2
}

TEST(CUFloatParam, ReadsNumberAndUnitCode) {
    struct Case {
        int multiple;
        Bytes body;
        int ok;
        std::vector<int> units;
    } cases[] = {
        {1, B("12.5", {0, 2, 0}), 1, {2}},
        {1, B("12.5", {0, 2, 7}), 1, {2}},  // the unit's terminator is not looked at
        {768, B("1", {0, 2, 0}) + B("2", {0, 40, 0}), 1, {2, 40}},
        {1, B("12.5", {0, 0, 0}), 0, {}},  // unit code 0
        {1, B("12.5", {0, 2}), 0, {}},     // the body ends before the terminator
        {1, B("12.5", {0}), 0, {}},
        {1, B("12.5"), 0, {}},
    };
    for (const auto& c : cases) {
        CUFloatParam p('w', 1, 32, DT_REPLY, c.multiple);
        EXPECT_EQ(ReadSequence({&p}, c.body) == -1, c.ok == 1) << Hex(c.body);
        if (!c.ok) continue;
        ASSERT_EQ(p.GetCount(), (int)c.units.size());
        for (size_t k = 0; k < c.units.size(); ++k) {
            VaskFloat v;
            p.GetValue((int)k + 1, v);
            EXPECT_EQ(v.unit, c.units[k]);
        }
    }
}

// ---- CUQFloatParam --------------------------------------------------------------------

TEST(CUQFloatParam, MatchesUnitAndGasComponent) {
    struct Case {
        const char* text;
        int ok;
        int unit;
        int quantity;
    } cases[] = {
        {"12.5", 1, 1, 1},
        {"12.5 ppm", 1, 2, 1},
        {"12.5 ppm CO", 1, 2, 2},
        {"12.5 ppm CO2", 1, 2, 3},
        {"12.5 ppm C2H4", 1, 2, 18},
        {"12.5 ppm C2H4O", 1, 2, 33},
        {"12.5 vpm CO", 1, 4, 2},
        {"12.5 ppm SINDOR 6", 1, 2, 101},
        {"12.5 ppm CO and more", 1, 2, 2},
        {"12.5 ppm co", 0, 2, 0},
        {"12.5 ppm ", 0, 2, 0},
        {"12.5 ppmCO", 0, 2, 1},
        {"12.5 xyz CO", 0, 0, 1},
        {"12.5x", 0, 1, 1},
    };
    for (const auto& c : cases) {
        CUQFloatParam p('W', 83, -1, DT_REQUEST, 1);
        EXPECT_EQ(p.ConvertValue(CString(c.text)), c.ok) << c.text;
        VaskFloat v;
        p.GetValue(v);
        EXPECT_EQ(v.unit, c.unit) << c.text;
        EXPECT_EQ(v.quantity, c.quantity) << c.text;
        if (c.ok) {
            EXPECT_EQ(WriteOf(p), B("12.500", {0, c.unit, 0, c.quantity, 0}));
        }
    }
    CUQFloatParam p('b', 2, 90, DT_REPLY, 256);
    EXPECT_EQ(p.ConvertValue(CString("12.5 ppm CO")), 1);
    EXPECT_EQ(ValueText(p, 1), "12.500 ppm CO");
    EXPECT_STREQ(p.GetQuantity(1), "CO");
    VaskFloat none;
    none.quantity = 0;
    p.SetValue(2, none);
    EXPECT_STREQ(p.GetQuantity(2), "keine");
}

TEST(CUQFloatParam, ReadsAndPassesOverValuesMarkedWithQuantity100) {
    struct Case {
        Bytes body;
        int ok;
        std::vector<double> values;
        std::vector<int> quantities;
    } cases[] = {
        {B("12.5", {0, 2, 0, 2, 0}), 1, {12.5}, {2}},
        {B("12.5", {0, 2, 0, 100, 0}), 1, {}, {}},
        {B("1", {0, 2, 0, 3, 0}) + B("2", {0, 2, 0, 200, 0}) + B("3", {0, 2, 0, 12, 0}),
         1,
         {1, 3},
         {3, 12}},
        {B("12.5", {0, 2, 0, 0, 0}), 0, {}, {}},  // quantity 0
        {B("12.5", {0, 0, 0, 2, 0}), 0, {}, {}},  // unit 0
        {B("12.5", {0, 2, 1, 2, 0}), 0, {}, {}},  // not a NUL after the unit
        {B("12.5", {0, 2, 0, 2, 1}), 0, {}, {}},  // not a NUL after the quantity
        {B("12.5", {0, 2, 0, 2}), 0, {}, {}},     // the body ends early
        {B("12.5", {0, 2, 0}), 0, {}, {}},
    };
    for (const auto& c : cases) {
        CUQFloatParam p('b', 2, 90, DT_REPLY, 256);
        EXPECT_EQ(ReadSequence({&p}, c.body) == -1, c.ok == 1) << Hex(c.body);
        if (!c.ok) continue;
        ASSERT_EQ(p.GetCount(), (int)c.values.size()) << Hex(c.body);
        for (size_t k = 0; k < c.values.size(); ++k) {
            VaskFloat v;
            p.GetValue((int)k + 1, v);
            EXPECT_EQ(v.value, c.values[k]);
            EXPECT_EQ(v.quantity, c.quantities[k]);
        }
    }
}

// ---- Enumerated kinds -----------------------------------------------------------------

TEST(EnumeratedKinds, TextsOfTheKinds) {
    EXPECT_STREQ(CEnum12100().GetEnum(2), "St\xF6rung");
    EXPECT_STREQ(CEnum12100().GetEnum(12),
                 "Ventil Me\xDF"
                 "gas ist offen");
    EXPECT_STREQ(CEnum12100().GetEnum(40), "ID 12140 not found");
    EXPECT_STREQ(CEnum12100().GetEnum(0), "frei");  // value 0 shows the text of 1
    EXPECT_STREQ(CEnum12300().GetEnum(101), "SINDOR 6");
    EXPECT_STREQ(CEnum12000().GetEnum(40),
                 "\xB0"
                 "C");
    EXPECT_STREQ(CEnum12600().GetEnum(7),
                 "Me\xDF"
                 "gassp\xFCl"
                 "ung");
    EXPECT_STREQ(CEnum0().GetEnum(1), "ID 1 not found");
    EXPECT_EQ(CEnum12000().GetEnumCount(), 54);
    EXPECT_EQ(CEnum12300().GetEnumCount(), 101);

    EXPECT_EQ(CEnum12300().GetEnum(CString("SINDOR 6")), 101);
    EXPECT_EQ(CEnum12800().GetEnum(CString("<>")), 2);
    EXPECT_EQ(CEnum12900().GetEnum(CString("<>")), 3);
    EXPECT_EQ(CEnum12901().GetEnum(CString("<>")), 2);
    EXPECT_EQ(CEnum12902().GetEnum(CString("<>")), 1);
    EXPECT_EQ(CEnum12920().GetEnum(CString("<>")), 1);
    EXPECT_EQ(CEnum12940().GetEnum(CString("<>")), 1);
    EXPECT_EQ(CEnum12000().GetEnum(CString("mg/m^3")), 47);
    EXPECT_EQ(CEnum12000().GetEnum(CString("ppm")), 2);
    EXPECT_EQ(CEnum12000().GetEnum(CString("PPM")), 0);
    EXPECT_EQ(CEnum12100().GetEnum(CString("ID 12140 not found")), 40);
    EXPECT_EQ(CEnum12700().GetEnum(CString("Laden der Werksdaten in die aktuellen Arbeitsdaten")),
              3);
}

TEST(EnumeratedKinds, ConvertShowAndWrite) {
    CEnum12600 steps('S', 12, -1, DT_REQUEST, 12);
    EXPECT_EQ(steps.ConvertValue(1, CString("Nullgas")), 1);
    EXPECT_EQ(steps.ConvertValue(2, CString("Pr\xFC"
                                            "fgas 1")),
              1);
    EXPECT_EQ(steps.ConvertValue(3, CString("nullgas")), 0);
    EXPECT_EQ(steps.GetValue(3), 0);  // unchanged
    EXPECT_EQ(ValueText(steps, 2),
              "Pr\xFC"
              "fgas 1");
    Bytes wire = WriteOf(steps);
    ASSERT_EQ(wire.size(), 24u);
    EXPECT_EQ(Bytes(wire.begin(), wire.begin() + 4), B({2, 0, 3, 0}));

    // A list request of the access layer: five relays, codes unchecked.
    CEnum12100* relays = new CEnum12100('0', 0, 0, DT_REQUEST, 5);
    int codes[] = {1, 2, 3, 11, 46};
    for (int i = 1; i <= relays->GetMultiple(); ++i) relays->SetValue(i, codes[i - 1]);
    EXPECT_EQ(WriteOf(*relays), B({1, 0, 2, 0, 3, 0, 0x0B, 0, 0x2E, 0}));
    relays->SetValue(1, 300);
    EXPECT_EQ(WriteOf(*relays)[0], 0x2C);
    CParam* asBase = relays;
    delete asBase;  // through the virtual destructor

    // 'K' 20: one value as one bare byte.
    CEnum12800 k20('K', 20, -1, DT_REQUEST, 1024);
    EXPECT_EQ(k20.ConvertValue(CString("<>")), 1);
    EXPECT_EQ(WriteOf(k20), B({2}));
}

// ---- Indexes outside the stored values -------------------------------------------------

TEST(ValueIndexes, OutsideTheStoredValuesAreRefused) {
    CIntParam i6('S', 4, -1, DT_REQUEST, 0, 0, 6);
    CFloatParam f1('W', 5, -1, DT_REQUEST, 1);
    CUFloatParam u768('w', 1, 32, DT_REPLY, 768);
    CUQFloatParam q1('k', 1, 89, DT_REPLY, 1);
    CBoolParam b('F', 1, 2, DT_REQUEST);
    CEnum12200 e8('S', 7, 24, DT_REQUEST, 8);
    struct Case {
        CParam* param;
        const char* text;
        std::vector<int> refused;
        int accepted;
    } cases[] = {
        {&i6, "5", {0, -1, 7, 31, 1024}, 6},
        {&f1, "5", {0, 2, 30}, 1},
        {&u768, "5 ppm", {0, 31, 768}, 30},
        {&q1, "5 ppm CO", {0, 2}, 1},
        {&b, "Ein", {0, 2}, 1},
        {&e8, "frei", {0, 9, 30}, 8},
    };
    for (const auto& c : cases) {
        Bytes before = WriteOf(*c.param);
        for (int i : c.refused) {
            EXPECT_EQ(c.param->ConvertValue(i, CString(c.text)), 0) << c.text << " at " << i;
            EXPECT_EQ(ValueText(*c.param, i), "") << c.text << " at " << i;
        }
        EXPECT_EQ(WriteOf(*c.param), before) << c.text;
        EXPECT_EQ(c.param->ConvertValue(c.accepted, CString(c.text)), 1) << c.text;
    }
    VaskFloat v;
    v.value = 42;
    f1.SetValue(2, v);
    EXPECT_EQ(f1.GetValue(2), 0.0);
    VaskFloat out;
    out.value = 7;
    f1.GetValue(2, out);
    EXPECT_EQ(out.value, 7.0);  // left alone
    EXPECT_STREQ(f1.GetString(0), "");
    EXPECT_STREQ(u768.GetUnit(31), "");
    EXPECT_STREQ(q1.GetQuantity(2), "");
}

// ---- Copies -----------------------------------------------------------------------------

TEST(ParamCopies, OwnTheirValues) {
    CUFloatParam a('W', 32, -1, DT_REQUEST, 2);
    a.ConvertValue(1, CString("1.5 ppm"));
    CUFloatParam b(a);
    CUFloatParam c('W', 1, -1, DT_REQUEST, 1);
    c = a;
    a.ConvertValue(1, CString("9 mA"));
    EXPECT_EQ(WriteOf(b), B("1.500", {0, 2, 0}) + B("0.000", {0, 1, 0}));
    EXPECT_EQ(WriteOf(c), WriteOf(b));

    CIntParam i('K', 17, -1, DT_REQUEST, 0, 0, 3);
    i.SetValue(2, 9);
    CIntParam j(i);
    i.SetValue(2, 1);
    EXPECT_EQ(j.GetValue(2), 9);
}

// ---- Locale ---------------------------------------------------------------------------

TEST(NumberTexts, IndependentOfTheProcessLocale) {
    const char* names[] = {"German_Germany.1252", "German", "de-DE", "de_DE"};
    const char* set = NULL;
    for (const char* name : names)
        if ((set = setlocale(LC_ALL, name)) != NULL) break;
    ASSERT_NE(set, nullptr) << "no German locale to test with";
    ASSERT_STREQ(localeconv()->decimal_point, ",");

    CUFloatParam p('W', 31, -1, DT_REQUEST, 1);
    EXPECT_EQ(p.ConvertValue(CString("1234.5 ppm")), 1);
    EXPECT_EQ(p.GetValue(1), 1234.5);
    EXPECT_EQ(p.ConvertValue(CString("1,5 ppm")), 0);
    EXPECT_EQ(WriteOf(p), B("1234.500", {0, 2, 0}));
    EXPECT_EQ(ValueText(p, 1), "1234.500 ppm");
    CFloatParam r('w', 5, 10, DT_REPLY, 1);
    EXPECT_EQ(ReadSequence({&r}, B("2.25", {0})), -1);
    EXPECT_EQ(r.GetValue(1), 2.25);
    CMTimer timer;
    EXPECT_STREQ(timer.TimeString(3723456, 0), "01:02:03.456");
    setlocale(LC_ALL, "C");
}

}  // namespace
