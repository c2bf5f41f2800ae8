// Text, unit text, binary, block and bit-field parameters: value to wire bytes and back.
#include "test_support.h"

#include <memory>

namespace {

// ---- CStringParam, CUStringParam --------------------------------------------------------

TEST(CStringParam, WritesTextsWithTheirNul) {
    CStringParam p('K', 16, -1, DT_REQUEST, 1);
    EXPECT_EQ(p.GetType(), PT_STRING);
    EXPECT_EQ(WriteOf(p), B({0}));
    EXPECT_EQ(p.ConvertValue(CString("AB")), 1);
    EXPECT_EQ(WriteOf(p), B("AB", {0}));
    EXPECT_EQ(p.ConvertValue(CString("Me\xDF"
                                     "gas")),
              1);  // any text is taken verbatim
    EXPECT_EQ(ValueText(p, 1),
              "Me\xDF"
              "gas");
    EXPECT_STREQ(p.GetValue(),
                 "Me\xDF"
                 "gas");

    CStringParam two('K', 16, -1, DT_REQUEST, 2);
    two.SetValue(1, CString("A"));
    EXPECT_EQ(WriteOf(two), B("A", {0, 0}));
    EXPECT_EQ(two.ConvertValue(3, CString("C")), 0);
}

TEST(CStringParam, ReadsNulTerminatedTexts) {
    struct Case {
        int multiple;
        Bytes body;
        std::vector<const char*> texts;
        size_t consumed;
    } cases[] = {
        {1, B("AB", {0}), {"AB"}, 3},
        {30, B("A", {0}) + B("B"), {"A"}, 3},  // the last text without its NUL is dropped
        {2, B({0, 0}), {"", ""}, 2},
        {30, Bytes(), {}, 0},
        {1, B("A", {0}) + B("B", {0}), {"A"}, 2},  // one value: the rest is the next one's
        {30, B("\xE4", {0}), {"\xE4"}, 2},
    };
    for (const auto& c : cases) {
        CStringParam p('k', 16, -1, DT_REPLY, c.multiple);
        GuardedBody body(c.body);
        unsigned char* cursor = body.begin();
        ASSERT_EQ(p.Read(cursor, body.end()), 1) << Hex(c.body);
        EXPECT_EQ((size_t)(cursor - body.begin()), c.consumed) << Hex(c.body);
        ASSERT_EQ(p.GetCount(), (int)c.texts.size());
        for (size_t k = 0; k < c.texts.size(); ++k)
            EXPECT_STREQ(p.GetValue((int)k + 1), c.texts[k]);
    }
    Bytes many;
    for (int k = 0; k < 31; ++k) many = many + B("x", {0});
    CStringParam open('k', 16, -1, DT_REPLY, 256);
    EXPECT_EQ(ReadSequence({&open}, many), 0);
}

TEST(CUStringParam, TextsCarryTheUnitCodeOne) {
    CUStringParam p('k', 6, 105, DT_REPLY, 1);
    EXPECT_EQ(p.GetType(), PT_USTRING);
    p.SetValue(CString("AB"));
    EXPECT_EQ(WriteOf(p), B("AB", {0, 1, 0}));

    struct Case {
        Bytes body;
        int ok;
        const char* text;
    } cases[] = {
        {B("A", {0, 1, 0}), 1, "A"}, {B("1.02", {0, 1, 0}), 1, "1.02"},
        {B("A", {0, 1}), 0, ""},                                  // one byte missing
        {B("A", {0}), 0, ""},        {B("A", {0, 2, 0}), 0, ""},  // not unit code 1
        {B("A", {0, 1, 1}), 0, ""},  {B("AB"), 0, ""},  // no end of the text inside the body
        {B("A", {5, 0, 1}), 0, ""},                     // a control byte that is not the text's end
        {Bytes(), 1, nullptr},
    };
    for (const auto& c : cases) {
        CUStringParam r('k', 6, 105, DT_REPLY, 1);
        EXPECT_EQ(ReadSequence({&r}, c.body) == -1, c.ok == 1) << Hex(c.body);
        if (!c.ok) continue;
        if (c.text) {
            EXPECT_STREQ(r.GetValue(), c.text);
        } else {
            EXPECT_EQ(r.GetCount(), 0);
        }
    }
}

TEST(CUStringParam, ChannelInformationReply) {
    // 'k' 6: channel type, then six unit texts.
    std::vector<std::unique_ptr<CParam>> owned;
    owned.emplace_back(new CIntParam('k', 6, 104, DT_REPLY, 0, 0, 1));
    for (int k = 0; k < 6; ++k) owned.emplace_back(new CUStringParam('k', 6, -1, DT_REPLY, 1));
    std::vector<CParam*> params;
    for (auto& p : owned) params.push_back(p.get());
    Bytes body = B({2, 0}) + B("12", {0, 1, 0}) + B("V1.3", {0, 1, 0}) + B("H2", {0, 1, 0}) +
                 B("a", {0, 1, 0}) + B("", {0, 1, 0}) + B("z", {0, 1, 0});
    ASSERT_EQ(ReadSequence(params, body), -1);
    EXPECT_EQ(static_cast<CIntParam*>(params[0])->GetValue(1), 2);
    EXPECT_STREQ(static_cast<CUStringParam*>(params[2])->GetValue(), "V1.3");
    EXPECT_STREQ(static_cast<CUStringParam*>(params[5])->GetValue(), "");
    EXPECT_EQ(WriteSequence(params), body);
}

// ---- CBinaryParam -----------------------------------------------------------------------

TEST(CBinaryParam, RecordOfNPlusFourBytes) {
    const unsigned char record[] = {0x01, 0x00, 0x10, 0x00, 0xAB};
    CBinaryParam p('K', 21, -1, DT_REQUEST, 1);
    EXPECT_EQ(p.GetType(), PT_BINARY);
    EXPECT_EQ(WriteOf(p), Bytes());  // no record yet
    EXPECT_EQ(ValueText(p, 1), "");
    p.SetValue(record);
    EXPECT_EQ(ValueText(p, 1), "01 00 10 00 ab ");
    EXPECT_EQ(WriteOf(p), B({1, 0, 0x10, 0, 0xAB}));
    EXPECT_EQ(p.ConvertValue(CString("anything")), 1);  // changes nothing
    EXPECT_EQ(WriteOf(p), B({1, 0, 0x10, 0, 0xAB}));
    EXPECT_EQ(p.GetValue(1)[4], 0xAB);
    p.SetValue(NULL);
    EXPECT_EQ(p.GetValue(1), nullptr);
}

TEST(CBinaryParam, ReadsExactlyTheRecordThatFillsTheBody) {
    struct Case {
        Bytes body;
        int ok;
    } cases[] = {
        {B({1, 0, 0x10, 0, 0xAB}), 1},    {B({0, 1, 2, 3}), 1},
        {B({2, 0, 0, 0, 1, 2}), 1},       {B({2, 0, 0, 0, 1}), 0},  // a byte short
        {B({1, 0, 0x10, 0, 0xAB, 9}), 0},                           // a byte too many
        {B({200, 0, 0, 0}), 0},           {Bytes(), 0},
    };
    for (const auto& c : cases) {
        // No record storage is set beforehand: the read brings its own.
        CBinaryParam p('K', 25, -1, DT_REQUEST, 1);
        EXPECT_EQ(ReadSequence({&p}, c.body) == -1, c.ok == 1) << Hex(c.body);
        if (c.ok) {
            EXPECT_EQ(p.GetCount(), 1);
            EXPECT_EQ(WriteOf(p), c.body);
        }
    }
}

// ---- CBlockParam ------------------------------------------------------------------------

TEST(CBlockParam, TakesTheRestOfTheBodyButItsTerminator) {
    struct Case {
        Bytes body;
        int ok;
        int length;
    } cases[] = {
        {B({1, 2, 3, 0}), 1, 3},
        {B({0}), 1, 0},
        {B({1, 2, 3, 9}), 1, 3},  // the final byte is not looked at
        {Bytes(), 0, 0},          // not even the terminator
    };
    for (const auto& c : cases) {
        CBlockParam p('k', 27, -1, DT_REPLY, 1);
        EXPECT_EQ(ReadSequence({&p}, c.body) == -1, c.ok == 1) << Hex(c.body);
        if (!c.ok) continue;
        EXPECT_EQ(p.GetLength(), c.length);
        EXPECT_EQ(p.GetCount(), 1);
        Bytes block(p.GetValue(1), p.GetValue(1) + c.length + 1);
        Bytes expected(c.body.begin(), c.body.begin() + c.length);
        expected.push_back(0);
        EXPECT_EQ(block, expected);
        EXPECT_EQ(WriteOf(p), expected);
    }
}

TEST(CBlockParam, LengthAndBlockStayInStep) {
    CBlockParam p('K', 27, -1, DT_REQUEST, 1);
    EXPECT_EQ(p.GetType(), PT_BLOCK);
    EXPECT_EQ(p.ConvertValue(CString("1")), 0);
    EXPECT_EQ(ValueText(p, 1), "(untouched)");
    EXPECT_EQ(WriteOf(p), Bytes());  // no block set
    p.SetLength(2);
    EXPECT_EQ(WriteOf(p), Bytes());
    const unsigned char bytes[] = {9, 8};
    p.SetValue(bytes);
    EXPECT_EQ(WriteOf(p), B({9, 8, 0}));
    p.SetLength(4);
    EXPECT_EQ(WriteOf(p), B({9, 8, 0, 0, 0}));
    p.SetLength(1);
    EXPECT_EQ(WriteOf(p), B({9, 0}));
    p.SetLength(-5);
    EXPECT_EQ(p.GetLength(), 0);
    EXPECT_EQ(WriteOf(p), B({0}));

    // 'K' 27: a number, then the block with the rest.
    CIntParam n('K', 27, -1, DT_REQUEST, 1, 255, 1);
    CBlockParam block('K', 27, -1, DT_REQUEST, 1);
    Bytes body = B({7, 0, 0xAA, 0xBB, 0});
    ASSERT_EQ(ReadSequence({&n, &block}, body), -1);
    EXPECT_EQ(n.GetValue(1), 7);
    EXPECT_EQ(block.GetLength(), 2);
    CBlockParam copy(block);
    block.SetLength(0);
    EXPECT_EQ(WriteSequence({&n, &copy}), body);
}

// ---- Bit fields -------------------------------------------------------------------------

struct Field {
    char kind;  // 'b' CBitParam, 'z' CBit0Param, 'o' CBit1Param, 'i' CIntParam
    int start;
    int length;
    int value;  // set before writing ('b' and 'i' only)
    int read;   // the value read back from the written bytes
};

std::vector<std::unique_ptr<CParam>> MakeFields(const std::vector<Field>& fields, bool set) {
    std::vector<std::unique_ptr<CParam>> params;
    for (const Field& f : fields) {
        switch (f.kind) {
            case 'b': {
                CBitParam* p = new CBitParam('S', 16, -1, DT_REQUEST, f.start, f.length);
                if (set) {
                    EXPECT_EQ(p->SetValue(f.value), 1);
                }
                params.emplace_back(p);
                break;
            }
            case 'z':
                params.emplace_back(new CBit0Param('S', 16, -1, DT_REQUEST, f.start, f.length));
                break;
            case 'o':
                params.emplace_back(new CBit1Param('S', 16, -1, DT_REQUEST, f.start, f.length));
                break;
            default: {
                CIntParam* p = new CIntParam('S', 29, -1, DT_REQUEST, 1, 255, 1);
                if (set) p->SetValue(1, f.value);
                params.emplace_back(p);
            }
        }
    }
    return params;
}

std::vector<CParam*> Raw(const std::vector<std::unique_ptr<CParam>>& owned) {
    std::vector<CParam*> raw;
    for (auto& p : owned) raw.push_back(p.get());
    return raw;
}

int ValueOf(CParam* p) {
    if (p->GetType() == PT_INT) return static_cast<CIntParam*>(p)->GetValue(1);
    return static_cast<CBitParam*>(p)->GetValue();
}

TEST(BitFields, FieldsShareTheirDataByte) {
    struct Case {
        std::vector<Field> fields;
        Bytes wire;
    } cases[] = {
        {{{'b', 0, 1, 1, 1}, {'b', 1, 1, 0, 0}, {'b', 2, 3, 5, 5}, {'o', 7, 1, 0, 1}},
         B({0x95, 0})},
        {{{'b', 0, 4, 10, 10}, {'b', 4, 4, 5, 5}}, B({0x5A, 0})},
        {{{'b', 0, 2, 3, 3},
          {'z', 2, 5, 0, 0},
          {'o', 7, 1, 0, 1},
          {'b', 0, 2, 1, 1},
          {'z', 2, 5, 0, 0},
          {'o', 7, 1, 0, 1}},
         B({0x83, 0, 0x81, 0})},
        {{{'b', 0, 1, 1, 1},
          {'b', 1, 1, 1, 1},
          {'b', 2, 1, 1, 1},
          {'b', 3, 1, 1, 1},
          {'b', 4, 1, 0, 0},
          {'b', 5, 1, 1, 1},
          {'b', 6, 1, 1, 1},
          {'b', 7, 1, 1, 1}},
         B({0xEF, 0})},
        {{{'z', 0, 7, 0, 0}, {'o', 7, 1, 0, 1}}, B({0x80, 0})},
        {{{'o', 0, 7, 0, 127}, {'z', 7, 1, 0, 0}}, B({0x7F, 0})},
        // A group, then an integer value.
        {{{'b', 0, 1, 1, 1}, {'z', 1, 6, 0, 0}, {'o', 7, 1, 0, 1}, {'i', 0, 0, 7, 7}},
         B({0x81, 0, 7, 0})},
        // z5/3 overlaps o7/1: reading it back sees bit 7.
        {{{'b', 0, 1, 1, 1},
          {'b', 1, 1, 0, 0},
          {'b', 2, 1, 0, 0},
          {'b', 3, 1, 1, 1},
          {'z', 5, 3, 0, 4},
          {'o', 7, 1, 0, 1}},
         B({0x89, 0})},
    };
    for (const auto& c : cases) {
        auto written = MakeFields(c.fields, true);
        Bytes wire = WriteSequence(Raw(written));
        EXPECT_EQ(Hex(wire), Hex(c.wire));

        auto read = MakeFields(c.fields, false);
        ASSERT_EQ(ReadSequence(Raw(read), c.wire), -1) << Hex(c.wire);
        for (size_t k = 0; k < c.fields.size(); ++k)
            EXPECT_EQ(ValueOf(read[k].get()), c.fields[k].read) << Hex(c.wire) << " field " << k;
    }
}

TEST(BitFields, ReadsReplies) {
    struct Case {
        std::vector<Field> fields;  // .read: the value expected
        Bytes body;
        int failed;  // index of the field that fails, -1 when valid
    } cases[] = {
        {{{'b', 0, 4, 0, 10}, {'b', 4, 4, 0, 5}}, B({0x5A, 0}), -1},
        // The body ends before a group: its fields read 0 and the message stays valid.
        {{{'b', 0, 2, 0, 0}, {'b', 2, 1, 0, 0}, {'z', 3, 4, 0, 0}, {'o', 7, 1, 0, 0}}, Bytes(), -1},
        {{{'b', 0, 2, 0, 3},
          {'z', 2, 5, 0, 0},
          {'o', 7, 1, 0, 1},
          {'b', 0, 2, 0, 0},
          {'z', 2, 5, 0, 0},
          {'o', 7, 1, 0, 0}},
         B({0x83, 0}),
         -1},
        {{{'b', 0, 4, 0, 0}, {'b', 4, 4, 0, 0}}, B({0x5A}), 0},         // the byte's NUL is missing
        {{{'b', 0, 4, 0, 0}, {'b', 4, 4, 0, 0}}, B({0x5A, 1}), 0},      // not a NUL
        {{{'b', 0, 4, 0, 10}, {'b', 4, 4, 0, 5}}, B({0x5A, 0, 1}), 2},  // a byte left over
    };
    for (const auto& c : cases) {
        auto read = MakeFields(c.fields, false);
        EXPECT_EQ(ReadSequence(Raw(read), c.body), c.failed) << Hex(c.body);
        if (c.failed != -1) continue;
        for (size_t k = 0; k < c.fields.size(); ++k)
            EXPECT_EQ(ValueOf(read[k].get()), c.fields[k].read) << Hex(c.body) << " field " << k;
    }
}

TEST(BitFields, AFieldBehindNoOpenByteTouchesNothingOutsideItsBody) {
    // A field with a higher start bit at the very start of a body has no byte to read: it
    // fails instead of looking before the body.
    CBitParam alone('s', 39, -1, DT_REPLY, 4, 4);
    EXPECT_EQ(ReadSequence({&alone}, B({0x5A, 0}), GuardedBody::Head), 0);

    // Nor does it OR its bits into the bytes before it when written.
    unsigned char buffer[8] = {'S', 39, 0, 0, 0, 0, 0, 0};
    unsigned char* cursor = buffer + 2;
    CBitParam high('S', 39, -1, DT_REQUEST, 4, 4);
    EXPECT_EQ(high.SetValue(15), 1);
    high.Write(cursor);
    EXPECT_EQ(cursor, buffer + 2);
    EXPECT_EQ(Bytes(buffer, buffer + 2), B({'S', 39}));
}

TEST(BitFields, ValuesAndTexts) {
    CBitParam three('S', 3, 19, DT_REQUEST, 0, 3);
    EXPECT_EQ(three.GetType(), PT_BIT);
    EXPECT_EQ(three.GetStartBit(), 0);
    EXPECT_EQ(three.GetLength(), 3);
    EXPECT_EQ(three.SetValue(8), 0);
    EXPECT_EQ(three.SetValue(-1), 0);
    EXPECT_EQ(three.SetValue(7), 1);
    EXPECT_EQ(three.SetValue(8), 0);
    EXPECT_EQ(three.GetValue(), 7);  // the refused value left the old one

    struct Case {
        int length;
        const char* text;
        int ok;
        int value;
        const char* shown;
    } cases[] = {
        {3, "111", 1, 7, "111"}, {3, "101 more", 1, 5, "101"}, {3, " 10", 1, 2, "10"},
        {3, "0", 1, 0, "0"},     {3, "1111", 0, 15, ""},  // wider than the field
        {3, "-1", 0, -1, ""},    {3, "2", 0, 0, ""},           {3, "101x", 0, 5, ""},
        {3, "", 0, 0, ""},       {1, "Ein", 1, 1, "1"},        {1, "1", 1, 1, "1"},
        {1, "Aus", 1, 0, "0"},   {1, "anything", 1, 0, "0"},
    };
    for (const auto& c : cases) {
        CBitParam p('S', 3, 19, DT_REQUEST, 0, c.length);
        EXPECT_EQ(p.ConvertValue(CString(c.text)), c.ok) << c.text;
        EXPECT_EQ(p.GetValue(1), c.value) << c.text;  // stored at once
        if (c.ok) {
            EXPECT_EQ(ValueText(p, 1), c.shown);
        }
    }

    // A value too wide for its field never spills into its neighbours on the wire.
    CBitParam low('S', 3, 19, DT_REQUEST, 0, 2);
    CBitParam next('S', 3, 20, DT_REQUEST, 2, 1);
    low.SetValue(1, 0xFF);  // unchecked
    EXPECT_EQ(WriteSequence({&low, &next}), B({0x03, 0}));

    CBit0Param zero('s', 3, 21, DT_REPLY, 3, 4);
    EXPECT_EQ(zero.GetType(), PT_BIT0);
    EXPECT_EQ(zero.GetValue(), 0);
    EXPECT_EQ(zero.ConvertValue(CString("0")), 0);
    CBit1Param ones('s', 3, 22, DT_REPLY, 7, 1);
    EXPECT_EQ(ones.GetType(), PT_BIT1);
    EXPECT_EQ(ones.GetValue(), 1);
    EXPECT_EQ(ones.ConvertValue(CString("1")), 0);
    EXPECT_EQ(CBit1Param(0, 7).GetValue(), 127);
    EXPECT_EQ(ones.GetEnumCount(), 0);
    EXPECT_EQ(ones.GetEnum(CString("1")), 0);
    EXPECT_STREQ(ones.GetEnum(1), "");

    // A clone keeps the field's place.
    CBitParam clone(&ones);
    EXPECT_TRUE(clone.Match('s', 3));
    EXPECT_TRUE(clone.IsReply());
    EXPECT_EQ(clone.GetStartBit(), 7);
    EXPECT_EQ(clone.GetLength(), 1);
    CBit1Param cloneOnes(&three);
    EXPECT_EQ(cloneOnes.GetValue(), 7);
}

}  // namespace
