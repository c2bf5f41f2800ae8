// Bus values and bus addresses: text forms, validity and the one-byte wire form.
#include "test_support.h"

namespace {

TEST(VaskFloat, DefaultsAndCopiesAllFourFields) {
    VaskFloat v;
    EXPECT_EQ(v.value, 0.0);
    EXPECT_STREQ(v.text, "");
    EXPECT_EQ(v.unit, 1);
    EXPECT_EQ(v.quantity, 1);

    v.value = 12.5;
    v.text = " 12.5";
    v.unit = 2;
    v.quantity = 3;
    VaskFloat copy(v);
    VaskFloat assigned;
    assigned = v;
    for (const VaskFloat* c : {&copy, &assigned}) {
        EXPECT_EQ(c->value, 12.5);
        EXPECT_STREQ(c->text, " 12.5");
        EXPECT_EQ(c->unit, 2);
        EXPECT_EQ(c->quantity, 3);
    }
    // The copies own their texts.
    v.text = "changed";
    EXPECT_STREQ(copy.text, " 12.5");
    EXPECT_STREQ(assigned.text, " 12.5");
}

struct TextCase {
    const char* text;
    int packed;
};

TEST(CvaskAddress, ParsesTheTextForm) {
    const TextCase cases[] = {
        {"3", 0x30},        {"3/1", 0x30},  {"3/2", 0x31},  {"3/2 and more", 0x31},
        {" 4/3", 0x42},     {"4 /3", 0x40}, {"12/9", 0xC8}, {"15", 0xF0},
        {"1", 0x10},        {"+5/1", 0x50}, {"20", 320},    {"-1", -16},
        {"3/ 2", 0x31},     {"3/0", 0},     {"3/10", 0},    {"12/10", 0},
        {"3x", 0},          {"", 0},        {"/2", 0},      {"3/", 0},
        {"3/x", 0},         {"3/2x", 0},    {"3/-1", 0},    {"   ", 0},
        {"99999999999", 0},  // too large to pack: not a number of the bus
    };
    for (const TextCase& c : cases) {
        CvaskAddress a(0x77);
        a.SetAddress(c.text);
        EXPECT_EQ(CvaskAddress(c.text).GetAddressString(), a.GetAddressString()) << c.text;
        unsigned char wire[2];
        unsigned char* cursor = wire;
        a.Write(cursor);
        unsigned char* in = wire;
        CvaskAddress back;
        back.Read(in);
        EXPECT_EQ(back.GetAddress() * 16 + back.GetComponent(), c.packed & 0xFF) << c.text;
        EXPECT_EQ(a.GetAddress(), c.packed >> 4) << c.text;
        EXPECT_EQ(a.GetComponent(), c.packed & 15) << c.text;
    }
}

TEST(CvaskAddress, ValidityAndKinds) {
    struct Case {
        int packed;
        int valid, device, broadcast, text;
        const char* shown;
    } cases[] = {
        {0x00, 0, 0, 0, 0, "0/1"},  {0x10, 1, 1, 0, 0, "1/1"},  {0x31, 1, 1, 0, 0, "3/2"},
        {0x50, 1, 1, 0, 0, "5/1"},  {0xC8, 1, 1, 0, 0, "12/9"}, {0xC9, 0, 0, 0, 0, "12/10"},
        {0xD0, 1, 0, 0, 0, "13/1"}, {0xE0, 1, 0, 0, 0, "14/1"}, {0xF0, 1, 0, 1, 0, "15/1"},
        {320, 0, 0, 0, 0, "20/1"},  {-16, 0, 0, 0, 0, "-1/1"},
    };
    for (const Case& c : cases) {
        CvaskAddress a(c.packed);
        EXPECT_EQ(a.IsValid() != 0, c.valid != 0) << c.shown;
        EXPECT_EQ(a.IsDevice() != 0, c.device != 0) << c.shown;
        EXPECT_EQ(a.IsBroadcast() != 0, c.broadcast != 0) << c.shown;
        EXPECT_STREQ(a.GetAddressString(), c.shown);
    }
    CvaskAddress a;
    EXPECT_STREQ(a.GetNetwork(), "VASK");
    int first = 0, last = 0;
    a.GetRange(first, last);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 12);
    EXPECT_TRUE(a.IsBroadcast(15));
    EXPECT_FALSE(a.IsBroadcast(14));
}

TEST(CvaskAddress, TextOfAPairOnlyWhenThePairIsValid) {
    struct Case {
        int device, component;
        const char* text;
    } cases[] = {
        {3, 0, "3/1"},
        {12, 8, "12/9"},
        {15, 0, "15/1"},
        {0, 0, ""},
        {3, 9, ""},
        {16, 0, ""},
        {3, -1, ""},
        {-1, 0, ""},
        // A component of 16 must not turn into the next device.
        {3, 16, ""},
        // Nor may a device number that wraps when packed turn into a valid address.
        {0x10000001, 0, ""},
    };
    CvaskAddress a;
    for (const Case& c : cases)
        EXPECT_STREQ(a.GetAddressString(c.device, c.component), c.text)
            << c.device << "/" << c.component;
}

TEST(CvaskAddress, WireFormDoublesTheEscapeByte) {
    struct Case {
        int packed;
        Bytes wire;
    } cases[] = {
        {0x10, B({0x10, 0x10})},
        {0x31, B({0x31})},
        {0xF0, B({0xF0})},
        {0x00, B({0x00})},
        {0x11, B({0x11})},
        // A packed value outside the byte whose low byte is the escape is still doubled.
        {0x110, B({0x10, 0x10})},
    };
    for (const Case& c : cases) {
        unsigned char buffer[8] = {0};
        unsigned char* cursor = buffer;
        CvaskAddress(c.packed).Write(cursor);
        EXPECT_EQ(Bytes(buffer, cursor), c.wire) << c.packed;

        GuardedBody body(c.wire, GuardedBody::Tail, "the address bytes " + Hex(c.wire));
        unsigned char* in = body.begin();
        CvaskAddress back(0x77);
        back.Read(in);
        EXPECT_EQ(in, body.end());
        EXPECT_EQ(back.GetAddress() * 16 + back.GetComponent(), c.packed & 0xFF);
    }
}

TEST(CvaskAddress, EqualityComparesDevicesOnly) {
    EXPECT_TRUE(CvaskAddress(0x30) == CvaskAddress(0x31));
    EXPECT_FALSE(CvaskAddress(0x30) == CvaskAddress(0x40));
    const CAddress& base = CvaskAddress(CString("3/2"));
    EXPECT_TRUE(base == CvaskAddress(CString("3/1")));
}

TEST(CvaskAddress, OwnAddressFollowsSetMyAddress) {
    ASSERT_EQ(CvaskAddress::Myself, 14);
    EXPECT_STREQ(CvaskAddress::StrMyself, "14");
    EXPECT_STREQ(CvaskAddress::StrBroadcast, "15");
    EXPECT_STREQ(CvaskAddress::GetMyAddress().GetAddressString(), "14/1");
    EXPECT_STREQ(CvaskAddress::GetBroadcastAddress().GetAddressString(), "15/1");

    EXPECT_EQ(CvaskAddress::SetMyAddress(13), 1);
    CvaskAddress probe;
    EXPECT_TRUE(probe.IsMyself(13));
    EXPECT_FALSE(probe.IsMyself(14));
    EXPECT_TRUE(CvaskAddress(0xD2).IsMyself());
    EXPECT_STREQ(CvaskAddress::GetMyAddress().GetAddressString(), "13/1");
    EXPECT_STREQ(CvaskAddress::StrMyself, "13");

    for (int refused : {12, 15, 0, -1, 113}) {
        EXPECT_EQ(CvaskAddress::SetMyAddress(refused), 0) << refused;
        EXPECT_EQ(CvaskAddress::Myself, 13);
        EXPECT_STREQ(CvaskAddress::StrMyself, "13");
    }
    EXPECT_EQ(CvaskAddress::SetMyAddress(14), 1);
    EXPECT_STREQ(CvaskAddress::StrMyself, "14");
}

}  // namespace
