#include <gtest/gtest.h>

#include <string>

#include "message.h"

using namespace vasksim;

namespace {
Bytes text(const std::string& s, bool nul = true) {
    Bytes b(s.begin(), s.end());
    if (nul) b.push_back(0);
    return b;
}
Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}
}  // namespace

TEST(Values, WireFormOfEachKind) {
    struct Case {
        Value v;
        Bytes wire;
    } cases[] = {
        {Value::makeByte(5), {0x05, 0x00}},
        {Value::makeFloat(Value::Float, 12.5), text("12.500")},
        {Value::makeFloat(Value::UFloat, 12.5, 2), cat({text("12.500"), {0x02, 0x00}})},
        {Value::makeFloat(Value::UQFloat, 12.5, 2, 2),
         cat({text("12.500"), {0x02, 0x00, 0x02, 0x00}})},
        {Value::makeText(Value::UStr, "AB"), {0x41, 0x42, 0x00, 0x01, 0x00}},
        {Value::makeText(Value::Str, "AB"), {0x41, 0x42, 0x00}},
    };
    for (const Case& c : cases) EXPECT_EQ(toHex(c.wire), toHex(encode({c.v})));
}

// Every reply that a device can give with its default store must read back against
// the reply shape of its own message, with the same number of values.
TEST(ReplyTable, DefaultRepliesReadBackAgainstTheirShapes) {
    int known = 0;
    for (char letter : std::string("bZFsSwWhijJkK")) {
        for (int fn = 0; fn < 256; ++fn) {
            MessageInfo info = replyInfo(letter, fn);
            if (!info.known) continue;
            ++known;
            Values defaults = defaultValues(letter, fn);
            Values back;
            std::string why;
            ASSERT_TRUE(decode(encode(defaults), info.reply, false, back, why))
                << letter << fn << ": " << why;
            EXPECT_EQ(defaults.size(), back.size()) << letter << fn;
        }
    }
    // b 2; Z 22; F 32; s 43; S 43; w 86; W 86; h 17; i 9; j 7; J 9; k 26; K 16 distinct pairs
    EXPECT_EQ(1 + 22 + 32 + 43 + 43 + 86 + 86 + 17 + 9 + 7 + 9 + 26 + 16, known);
}

TEST(ReplyTable, UnknownPairsAndTheGapsInTheNumbering) {
    EXPECT_FALSE(replyInfo('x', 200).known);
    EXPECT_FALSE(replyInfo('Z', 17).known);
    EXPECT_FALSE(replyInfo('w', 84).known);
    EXPECT_FALSE(replyInfo('k', 7).known);
    EXPECT_FALSE(replyInfo('K', 23).known);
    EXPECT_FALSE(replyInfo('S', 69).known);  // that pair is the rejection "invalid data count"
    EXPECT_TRUE(replyInfo('w', 91).known);
}

TEST(ReplyTable, VersionReplyLayout) {
    MessageInfo info = replyInfo('k', 6);
    Bytes wire = cat({{0x01, 0x00},
                      text("S1"),
                      {0x01, 0x00},
                      text("V1"),
                      {0x01, 0x00},
                      text("H"),
                      {0x01, 0x00},
                      text(""),
                      {0x01, 0x00},
                      text(""),
                      {0x01, 0x00},
                      text(""),
                      {0x01, 0x00}});
    Values vs;
    std::string why;
    ASSERT_TRUE(decode(wire, info.reply, false, vs, why)) << why;
    ASSERT_EQ(7u, vs.size());
    EXPECT_EQ(1, vs[0].byte);
    EXPECT_EQ("V1", vs[2].text);
    // One byte more is no longer a version reply.
    wire.push_back(0);
    EXPECT_FALSE(decode(wire, info.reply, false, vs, why));
}

TEST(ReplyTable, OpenListsStopAtThirty) {
    MessageInfo info = replyInfo('k', 5);
    Bytes thirty, thirtyOne;
    for (int i = 0; i < 30; ++i) thirty.insert(thirty.end(), {static_cast<uint8_t>(i + 1), 0});
    thirtyOne = thirty;
    thirtyOne.insert(thirtyOne.end(), {0x1F, 0x00});
    Values vs;
    std::string why;
    EXPECT_TRUE(decode(thirty, info.reply, false, vs, why));
    EXPECT_EQ(30u, vs.size());
    EXPECT_FALSE(decode(thirtyOne, info.reply, false, vs, why));
}

// What the PC sends, and what a device makes of it.
struct RequestCase {
    const char* name;
    char letter;
    int function;
    Bytes params;
    bool accepted;
    const char* rejection;  // when refused
    size_t values;          // when accepted
};

class Requests : public ::testing::TestWithParam<RequestCase> {};

TEST_P(Requests, AreAcceptedExactlyAsSent) {
    const RequestCase& c = GetParam();
    Values vs;
    std::string rej, why;
    bool ok = decodeRequest(c.letter, c.function, c.params, vs, rej, why);
    EXPECT_EQ(c.accepted, ok) << why;
    if (ok)
        EXPECT_EQ(c.values, vs.size());
    else
        EXPECT_EQ(c.rejection, rej);
}

INSTANTIATE_TEST_SUITE_P(
    AccessLayerShapes, Requests,
    ::testing::Values(
        RequestCase{"StateWithoutValues", 'Z', 4, {}, true, "", 0},
        RequestCase{"StateWithAStrayValue", 'Z', 4, {0x01, 0x00}, false, "SE", 0},
        RequestCase{"SlopeWithRange", 'Z', 6, {0x02, 0x00}, true, "", 1},
        RequestCase{"SwitchOn", 'F', 1, {0x31, 0x00}, true, "", 1},
        RequestCase{"SwitchWithoutValue", 'F', 1, {}, false, "SE", 0},
        RequestCase{"LimitByte", 'S', 1, {0x80, 0x00}, true, "", 1},
        RequestCase{"LimitByteWithoutNul", 'S', 1, {0x80}, false, "SE", 0},
        RequestCase{"ThreeRelays", 'S', 4, {0x01, 0x00, 0x02, 0x00, 0x0B, 0x00}, true, "", 3},
        RequestCase{"PressureCorrectionTwoBytes", 'S', 15, {0x83, 0x00, 0x81, 0x00}, true, "", 2},
        RequestCase{"LimitValues", 'W', 9, cat({text("1.000"), text("5.000")}), true, "", 2},
        RequestCase{"LimitValuesOneShort", 'W', 9, text("1.000"), false, "SE", 0},
        RequestCase{"LimitValuesNotNumbers", 'W', 9, cat({text("abc"), text("5.000")}), false, "DE",
                    0},
        RequestCase{"FloatsWithUnitCodes", 'W', 31, cat({text("20.000"), {0x28, 0x00}}), true, "",
                    1},
        RequestCase{"RangeStarts", 'W', 1, cat({text("0.000"), text("0.000"), text("0.000")}), true,
                    "", 3},
        RequestCase{"RangeStartsNone", 'W', 1, {}, false, "SE", 0},
        RequestCase{"ReadWithoutValues", 'w', 9, {}, true, "", 0},
        RequestCase{"DriftReadWithItsValue", 'w', 83, cat({text("1.000"), {0x01, 0x00}}), true, "",
                    1},
        RequestCase{"LogbookEntry", 'k', 10, {0x02, 0x00}, true, "", 1},
        RequestCase{"Name", 'K', 16, text("Ofen 3"), true, "", 1},
        RequestCase{"DownloadStartAsInteger", 'K', 20, {0x02, 0x00}, true, "", 1},
        RequestCase{"DownloadStartAsBareByte", 'K', 20, {0x01}, true, "", 1},
        RequestCase{"FirmwareRecord", 'K', 21, {0x02, 0x01, 0x00, 0x00, 0xAA, 0xBB}, true, "", 1},
        RequestCase{
            "FirmwareRecordCutShort", 'K', 21, {0x02, 0x01, 0x00, 0x00, 0xAA}, false, "SE", 0},
        RequestCase{"ParameterBlock", 'K', 27, {0x01, 0x00, 0x10, 0x20, 0x00}, true, "", 2},
        RequestCase{"EmptyLastBlock", 'K', 27, {0xFF, 0x00, 0x00}, true, "", 2}),
    [](const ::testing::TestParamInfo<RequestCase>& i) { return i.param.name; });

TEST(Requests, BlockKeepsItsBytesWithoutTheTerminator) {
    Values vs;
    std::string rej, why;
    ASSERT_TRUE(decodeRequest('K', 27, {0x07, 0x00, 0x10, 0x00, 0x20, 0x00}, vs, rej, why));
    EXPECT_EQ(7, vs[0].byte);
    EXPECT_EQ("100020", toHex(vs[1].data));
}

TEST(Bodies, ReplyBodyCarriesFlagsAndStateFirst) {
    EXPECT_EQ("01046B110200", toHex(replyBody(0x01, 0x04, 'k', 17, {0x02, 0x00})));
    Request r;
    ASSERT_TRUE(splitRequest({0x4B, 0x11, 0x03, 0x00}, r));
    EXPECT_EQ('K', r.letter);
    EXPECT_EQ(17, r.function);
    EXPECT_EQ("0300", toHex(r.params));
    EXPECT_FALSE(splitRequest({0x4B}, r));
}
