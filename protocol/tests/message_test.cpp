// The bus message: request bodies written exactly, the bounded writer, replies parsed
// against the catalogue (every reply shape of the catalogue, malformed and short bodies
// placed against memory that may not be touched), and who deletes what.
#include "catalogue_tables.h"
#include "vaskmessage.h"

#include <malloc.h>

#include <functional>
#include <memory>
#include <type_traits>
#include <typeinfo>

namespace {

using tables::Kind;
using tables::Proto;

// A parameter array the caller keeps, as the access layer builds one for a request.
struct Request {
    CParamArray params;
    Request& operator<<(CParam* p) {
        params.Add(p);
        return *this;
    }
};

Bytes BodyOf(const CPCvaskMessage& message) {
    static unsigned char buffer[65536];
    unsigned char* cursor = buffer;
    message.Write(cursor);
    return Bytes(buffer, cursor);
}

// The body through the bounded writer, into a buffer of exactly `size` bytes with memory
// that may not be touched right behind it. Sets `length` to the result.
Bytes BoundedBodyOf(const CPCvaskMessage& message, int size, int& length) {
    Bytes fill(size, 0xCD);
    GuardedBody buffer(fill, GuardedBody::Tail,
                       "the body buffer of " + std::to_string(size) + " bytes for " +
                           std::string(1, message.GetCommand()) + " " +
                           std::to_string(message.GetFunction()));
    length = message.WriteBody(buffer.begin(), size);
    return Bytes(buffer.begin(), buffer.end());
}

// A reply parsed from a guarded copy of the body; `consumed` receives how far the cursor
// moved.
std::unique_ptr<CPCvaskMessage> Parse(const Bytes& body, ptrdiff_t* consumed = NULL,
                                      GuardedBody::Guard guard = GuardedBody::Tail) {
    GuardedBody guarded(body, guard, "the reply body " + Hex(body));
    unsigned char* cursor = guarded.begin();
    std::unique_ptr<CPCvaskMessage> message(
        new CPCvaskMessage(CString("3/1"), cursor, (int)body.size()));
    EXPECT_GE(cursor, guarded.begin());
    EXPECT_LE(cursor, guarded.end());
    if (consumed) *consumed = cursor - guarded.begin();
    return message;
}

VaskFloat Value(double number, int unit = 1, int quantity = 1) {
    VaskFloat v;
    v.value = number;
    v.unit = unit;
    v.quantity = quantity;
    return v;
}

// A parameter that counts its deletions.
class Tracked : public CIntParam {
public:
    explicit Tracked(int* deaths) : CIntParam('K', 17, -1, DT_REQUEST, 0, 0, 1), deaths_(deaths) {}
    ~Tracked() override { ++*deaths_; }

private:
    int* deaths_;
};

// A parameter of no kind the library knows, writing more than any size could tell.
class Foreign : public CParam {
public:
    Foreign() : CParam('K', 16, -1, DT_REQUEST, 1) {}
    void Write(unsigned char*& cursor) const override {
        for (int k = 0; k < 10; ++k) *cursor++ = 'z';
    }
};

// n integer values on the wire: a byte and a NUL each.
Bytes Pairs(int n) {
    Bytes bytes;
    for (int k = 0; k < n; ++k) bytes = bytes + B({k + 1, 0});
    return bytes;
}

// Bytes in use on the C runtime heap that every module of the process shares.
size_t HeapInUse() {
    _HEAPINFO entry;
    entry._pentry = NULL;
    size_t total = 0;
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY) total += entry._size;
    return total;
}

// ---- Request bodies ---------------------------------------------------------------------

TEST(RequestBody, IsWrittenExactly) {
    struct Case {
        const char* what;
        char letter;
        int function;
        std::function<void(Request&)> fill;
        Bytes body;
    };
    const Case cases[] = {
        {"K 17 with the integer 3", 'K', 17,
         [](Request& r) {
             CIntParam* p = new CIntParam('K', 17, -1, DT_REQUEST, 1, 4, 1);
             p->SetValue(1, 3);
             r << p;
         },
         B({0x4B, 0x11, 0x03, 0x00})},
        {"Z 4 without values", 'Z', 4, [](Request&) {}, B({0x5A, 0x04})},
        {"F 1 switched on", 'F', 1,
         [](Request& r) {
             CBoolParam* p = new CBoolParam('F', 1, 2, DT_REQUEST);
             p->SetValue(1);
             r << p;
         },
         B({0x46, 0x01, '1', 0x00})},
        {"W 5 with 12.5", 'W', 5,
         [](Request& r) {
             CFloatParam* p = new CFloatParam('W', 5, 35, DT_REQUEST, 1);
             p->SetValue(Value(12.5));
             r << p;
         },
         B({0x57, 0x05}) + B("12.500", {0})},
        {"W 30 with unit values", 'W', 30,
         [](Request& r) {
             for (int k = 0; k < 3; ++k) {
                 CUFloatParam* p = new CUFloatParam('W', 30, -1, DT_REQUEST, 1);
                 p->SetValue(Value(k + 0.25, 2 + k));
                 r << p;
             }
         },
         B({0x57, 30}) + B("0.250", {0, 2, 0}) + B("1.250", {0, 3, 0}) + B("2.250", {0, 4, 0})},
        {"S 3 with a bit group", 'S', 3,
         [](Request& r) {
             CBitParam* a = new CBitParam('S', 3, 19, DT_REQUEST, 0, 2);
             CBitParam* b = new CBitParam('S', 3, 20, DT_REQUEST, 2, 1);
             a->SetValue(1);
             b->SetValue(1);
             r << a << b << new CBit0Param('S', 3, 21, DT_REQUEST, 3, 4)
               << new CBit1Param('S', 3, 22, DT_REQUEST, 7, 1);
         },
         B({0x53, 0x03, 0x85, 0x00})},
        {"K 20 with one bare byte", 'K', 20,
         [](Request& r) {
             CEnum12800* p = new CEnum12800('K', 20, -1, DT_REQUEST, 1024);
             p->SetValue(1, 2);
             r << p;
         },
         B({0x4B, 0x14, 0x02})},
        {"K 16 with a text", 'K', 16,
         [](Request& r) {
             CStringParam* p = new CStringParam('K', 16, -1, DT_REQUEST, 1);
             p->SetValue(CString("AB"));
             r << p;
         },
         B({0x4B, 0x10, 'A', 'B', 0x00})},
        {"K 21 with a binary record", 'K', 21,
         [](Request& r) {
             const unsigned char record[] = {0x01, 0x00, 0x10, 0x00, 0xAB};
             CBinaryParam* p = new CBinaryParam('K', 21, -1, DT_REQUEST, 1);
             p->SetValue(record);
             r << p;
         },
         B({0x4B, 0x15, 0x01, 0x00, 0x10, 0x00, 0xAB})},
        {"K 27 with a number and a block", 'K', 27,
         [](Request& r) {
             const unsigned char bytes[] = {1, 2, 3};
             CIntParam* n = new CIntParam('K', 27, -1, DT_REQUEST, 1, 255, 1);
             n->SetValue(1, 5);
             CBlockParam* block = new CBlockParam('K', 27, -1, DT_REQUEST, 1);
             block->SetLength(3);
             block->SetValue(bytes);
             r << n << block;
         },
         B({0x4B, 0x1B, 0x05, 0x00, 0x01, 0x02, 0x03, 0x00})},
        {"S 4 with a relay list", 'S', 4,
         [](Request& r) {
             CEnum12100* p = new CEnum12100('0', 0, 0, DT_REQUEST, 5);
             const int codes[] = {1, 2, 3, 11, 46};
             for (int i = 1; i <= p->GetMultiple(); ++i) p->SetValue(i, codes[i - 1]);
             r << p;
         },
         B({0x53, 0x04, 1, 0, 2, 0, 3, 0, 11, 0, 46, 0})},
    };
    for (const Case& c : cases) {
        Request request;
        c.fill(request);
        CPCvaskMessage message(c.letter, c.function, DT_REQUEST, &request.params);
        EXPECT_EQ(message.GetCommand(), c.letter) << c.what;
        EXPECT_EQ(message.GetFunction(), c.function) << c.what;
        EXPECT_EQ(message.GetFlags(), 0) << c.what;
        EXPECT_EQ(message.GetState(), 0) << c.what;
        EXPECT_EQ(message.GetParameters(), &request.params) << c.what;
        EXPECT_EQ(Hex(BodyOf(message)), Hex(c.body)) << c.what;
        int length = 0;
        const Bytes bounded = BoundedBodyOf(message, (int)c.body.size(), length);
        EXPECT_EQ(length, (int)c.body.size()) << c.what;
        EXPECT_EQ(Hex(bounded), Hex(c.body)) << c.what;
    }
}

TEST(RequestBody, ANullArrayIsAMessageWithoutValues) {
    CPCvaskMessage message('Z', 4, DT_REQUEST, NULL);
    EXPECT_EQ(message.GetParameters(), nullptr);
    EXPECT_EQ(Hex(BodyOf(message)), Hex(B({0x5A, 0x04})));
    int length = 0;
    EXPECT_EQ(Hex(BoundedBodyOf(message, 2, length)), Hex(B({0x5A, 0x04})));
    EXPECT_EQ(length, 2);
}

// ---- The bounded writer -----------------------------------------------------------------

// Every request shape of the catalogue, from objects of the prototypes' own classes: the
// bounded writer gives the same bytes as the plain one when the buffer holds the body, and
// refuses, writing nothing, when it is one byte short.
TEST(BoundedWriter, EveryRequestShapeFitsExactlyAndNotOneByteLess) {
    int shapes = 0;
    for (int i = 0; i < VASK_CATALOGUE_SIZE - 1; ++i) {
        const tables::Msg& m = tables::Catalogue()[i];
        const auto records = tables::PrototypesOf(m.letter, m.function, DT_REQUEST);
        if (records.empty()) continue;
        ++shapes;
        Request request;
        for (const Proto* r : records) {
            CParam* p = tables::Make(*r);
            if (CBinaryParam* binary = dynamic_cast<CBinaryParam*>(p)) {
                const unsigned char record[] = {2, 0, 0, 0, 0xAA, 0xBB};
                binary->SetValue(record);
            }
            if (CBlockParam* block = dynamic_cast<CBlockParam*>(p)) {
                const unsigned char bytes[] = {9, 8, 7};
                block->SetLength(3);
                block->SetValue(bytes);
            }
            request << p;
        }
        CPCvaskMessage message(m.letter, m.function, DT_REQUEST, &request.params);
        const Bytes plain = BodyOf(message);
        ASSERT_GE(plain.size(), 2u + records.size() / 8);
        EXPECT_EQ(plain[0], (unsigned char)m.letter);
        EXPECT_EQ(plain[1], (unsigned char)m.function);
        int length = 0;
        EXPECT_EQ(Hex(BoundedBodyOf(message, (int)plain.size(), length)), Hex(plain))
            << "entry " << i;
        EXPECT_EQ(length, (int)plain.size()) << "entry " << i;
        const Bytes untouched(plain.size() - 1, 0xCD);
        EXPECT_EQ(Hex(BoundedBodyOf(message, (int)plain.size() - 1, length)), Hex(untouched))
            << "entry " << i;
        EXPECT_EQ(length, -1) << "entry " << i;
    }
    EXPECT_EQ(shapes, 134);
}

TEST(BoundedWriter, TheSerialLimitOf68Bytes) {
    // 2 header bytes, the text and its NUL.
    for (int text : {65, 66}) {
        Request request;
        CStringParam* p = new CStringParam('K', 16, -1, DT_REQUEST, 1);
        p->SetValue(CString(std::string(text, 'a').c_str()));
        request << p;
        CPCvaskMessage message('K', 16, DT_REQUEST, &request.params);
        int length = 0;
        const Bytes written = BoundedBodyOf(message, 68, length);
        if (text == 65) {
            EXPECT_EQ(length, 68);
            EXPECT_EQ(Hex(written), Hex(BodyOf(message)));
        } else {
            EXPECT_EQ(length, -1);
            EXPECT_EQ(Hex(written), Hex(Bytes(68, 0xCD)));
        }
    }
}

TEST(BoundedWriter, RefusesWhatCannotBeSizedOrHeld) {
    Request longText;
    CStringParam* text = new CStringParam('K', 16, -1, DT_REQUEST, 1);
    text->SetValue(CString(std::string(100000, 'x').c_str()));
    longText << text;
    CPCvaskMessage big('K', 16, DT_REQUEST, &longText.params);
    int length = 0;
    EXPECT_EQ(Hex(BoundedBodyOf(big, 68, length)), Hex(Bytes(68, 0xCD)));
    EXPECT_EQ(length, -1);
    std::vector<unsigned char> room(100010);
    EXPECT_EQ(big.WriteBody(room.data(), (int)room.size()), 100003);

    Request foreign;
    foreign << new Foreign;
    CPCvaskMessage odd('K', 16, DT_REQUEST, &foreign.params);
    EXPECT_EQ(Hex(BoundedBodyOf(odd, 64, length)), Hex(Bytes(64, 0xCD)));
    EXPECT_EQ(length, -1);

    Request bare;
    bare << new CParam('K', 16, -1, DT_REQUEST, 1);
    CPCvaskMessage plain('K', 16, DT_REQUEST, &bare.params);
    EXPECT_EQ(Hex(BoundedBodyOf(plain, 2, length)), Hex(B({0x4B, 0x10})));
    EXPECT_EQ(length, 2);

    unsigned char buffer[8];
    CPCvaskMessage z4('Z', 4, DT_REQUEST, NULL);
    EXPECT_EQ(z4.WriteBody(NULL, 8), -1);
    EXPECT_EQ(z4.WriteBody(buffer, -1), -1);
    EXPECT_EQ(z4.WriteBody(buffer, 0), -1);
    EXPECT_EQ(z4.WriteBody(buffer, 1), -1);
}

TEST(BoundedWriter, HugeNumbersAndFullListsStayWithinTheirSize) {
    Request request;
    CUQFloatParam* list = new CUQFloatParam('W', 1, 31, DT_REQUEST, 768);
    for (int i = 1; i <= VASK_MAX_VALUES; ++i) {
        list->SetValue(i, Value(i % 2 ? -1.7e308 : 1e300, 2, 3));
    }
    request << list;
    CPCvaskMessage message('W', 1, DT_REQUEST, &request.params);
    const Bytes plain = BodyOf(message);
    int length = 0;
    EXPECT_EQ(Hex(BoundedBodyOf(message, (int)plain.size(), length)), Hex(plain));
    EXPECT_EQ(length, (int)plain.size());
}

// ---- Reply parsing ------------------------------------------------------------------------

TEST(ReplyParse, TheExampleReplyAndItsHeader) {
    ptrdiff_t consumed = 0;
    auto message = Parse(B({0xA5, 0x5A, 'k', 17, 0x02, 0x00}), &consumed);
    EXPECT_EQ(message->GetCommand(), 'k');
    EXPECT_EQ(message->GetFunction(), 17);
    EXPECT_EQ(message->GetFlags(), 0xA5);
    EXPECT_EQ(message->GetState(), 0x5A);
    EXPECT_EQ(consumed, 6);
    ASSERT_NE(message->GetParameters(), nullptr);
    ASSERT_EQ(message->GetParameters()->GetSize(), 1);
    CIntParam* value = dynamic_cast<CIntParam*>(message->GetParameters()->GetAt(0));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->GetCount(), 1);
    EXPECT_EQ(value->GetValue(1), 2);
    EXPECT_TRUE(value->IsReply());
    EXPECT_TRUE(value->Match('k', 17));
}

// Bodies and what they give: valid or not, and how many parameters the message holds.
TEST(ReplyParse, ValidOnlyWhenEveryParameterReadAndTheBodyIsUsedUp) {
    struct Case {
        const char* what;
        Bytes body;
        bool valid;
        int params;  // parameters in the array
    };
    const Case cases[] = {
        {"no values expected, none there", B({1, 2, 'J', 1}), true, 0},
        {"no values expected, one byte more", B({1, 2, 'J', 1, 0}), false, 0},
        {"three of 768 floats",
         B({0, 0, 'w', 1}) + B("1.5", {0, 2, 0}) + B("2", {0, 2, 0}) + B("3", {0, 3, 0}), true, 1},
        {"a float list with half a value", B({0, 0, 'w', 1}) + B("1.5", {0, 2}), false, 1},
        {"unknown pair", B({0, 0, 'x', 200}), false, 0},
        {"unknown pair with values", B({0, 0, 'x', 200, 1, 0}), false, 0},
        {"the closing pair", B({0, 0, 0, 0}), false, 0},
        {"the terminator's pair", B({0, 0, 'X', 0}), false, 0},
        {"a rejection", B({0, 0, '?', '?'}), true, 0},
        {"a rejection with a value", B({0, 0, 'O', 'F', 1, 0}), false, 0},
        {"the second of two values refused",
         B({0, 0, 'w', 4}) + B("1", {0, 2, 0}) + B("abc", {0, 2, 0}), false, 2},
        {"the first of two values refused",
         B({0, 0, 'w', 4}) + B("1", {0, 0, 0}) + B("2", {0, 2, 0}), false, 1},
        {"two of two values", B({0, 0, 'w', 4}) + B("1", {0, 2, 0}) + B("2", {0, 2, 0}), true, 2},
        {"a fixed list that stops early", B({0, 0, 's', 4, 1, 0, 2, 0}), true, 1},
        {"a byte group cut short", B({0, 0, 's', 15, 0x83, 0x00}), true, 6},
        {"a byte group without its NUL", B({0, 0, 's', 15, 0x83, 0x01}), false, 1},
        {"30 values of an open list", B({0, 0, 'k', 5}) + Pairs(30), true, 1},
        {"31 values of an open list", B({0, 0, 'k', 5}) + Pairs(31), false, 1},
    };
    for (const Case& c : cases)
        for (GuardedBody::Guard guard : {GuardedBody::Tail, GuardedBody::Head}) {
            auto message = Parse(c.body, NULL, guard);
            EXPECT_EQ(message->GetCommand() != 0, c.valid) << c.what;
            if (c.valid) {
                EXPECT_EQ(message->GetCommand(), (char)c.body[2]) << c.what;
            }
            EXPECT_EQ(message->GetFunction(), c.body[3]) << c.what;
            EXPECT_EQ(message->GetFlags(), c.body[0]) << c.what;
            ASSERT_NE(message->GetParameters(), nullptr) << c.what;
            EXPECT_EQ(message->GetParameters()->GetSize(), c.params) << c.what;
        }
}

TEST(ReplyParse, ABodyShorterThanItsHeaderIsInvalidAndNothingBeyondItIsRead) {
    const Bytes full = B({0x81, 0x42, 'J', 1});
    for (size_t length = 0; length < 4; ++length)
        for (GuardedBody::Guard guard : {GuardedBody::Tail, GuardedBody::Head}) {
            ptrdiff_t consumed = -1;
            auto message = Parse(Bytes(full.begin(), full.begin() + length), &consumed, guard);
            EXPECT_EQ(message->GetCommand(), 0) << length;
            EXPECT_EQ(message->GetFunction(), 0) << length;
            EXPECT_EQ(message->GetFlags(), 0) << length;
            EXPECT_EQ(message->GetState(), 0) << length;
            EXPECT_EQ(consumed, 0) << length;
            ASSERT_NE(message->GetParameters(), nullptr);
            EXPECT_EQ(message->GetParameters()->GetSize(), 0);
        }
    unsigned char* none = NULL;
    CPCvaskMessage nothing(CString("1/1"), none, 4);
    EXPECT_EQ(nothing.GetCommand(), 0);
    EXPECT_EQ(none, nullptr);
    unsigned char byte = 'J';
    unsigned char* cursor = &byte;
    CPCvaskMessage negative(CString("1/1"), cursor, -5);
    EXPECT_EQ(negative.GetCommand(), 0);
    EXPECT_EQ(cursor, &byte);
}

TEST(ReplyParse, EnumeratedValuesArriveAsPlainIntegers) {
    auto message = Parse(B({0, 0, 'k', 6, 3, 0}) + B("A", {0, 1, 0}) + B("1.2", {0, 1, 0}));
    EXPECT_EQ(message->GetCommand(), 'k');
    ASSERT_EQ(message->GetParameters()->GetSize(), 7);  // the body may end early
    CParam* type = message->GetParameters()->GetAt(0);
    EXPECT_EQ(typeid(*type), typeid(CIntParam));
    EXPECT_EQ(ValueText(*type, 1), "3");
    EXPECT_EQ(ValueText(*message->GetParameters()->GetAt(2), 1), "1.2");
    EXPECT_EQ(message->GetParameters()->GetAt(3)->GetCount(), 0);
}

// Every reply shape of the catalogue: a body encoded for it parses, every parameter holds
// the values put in, and the message writes the same bytes back; one byte more makes it
// invalid unless a block takes the rest; every shorter cut is read inside its bytes.
TEST(ReplyParse, EveryReplyShapeOfTheCatalogueParsesABodyBuiltForIt) {
    int shapes = 0;
    for (int i = 0; i < VASK_CATALOGUE_SIZE - 1; ++i) {
        const tables::Msg& m = tables::Catalogue()[i];
        const auto reply = tables::PrototypesOf(m.letter, m.function, DT_REPLY);
        if (reply.empty()) continue;
        ++shapes;
        for (int openValues : {1, 3, VASK_MAX_VALUES}) {
            std::vector<int> counts;
            const Bytes body =
                tables::EncodeReply(m.letter, m.function, reply, openValues, &counts);
            ptrdiff_t consumed = 0;
            auto message = Parse(body, &consumed);
            const std::string where = "entry " + std::to_string(i) + ": " + Hex(body);
            ASSERT_EQ(message->GetCommand(), m.letter) << where;
            EXPECT_EQ(message->GetFunction(), m.function) << where;
            EXPECT_EQ(consumed, (ptrdiff_t)body.size()) << where;
            CParamArray* params = message->GetParameters();
            ASSERT_EQ(params->GetSize(), (int)reply.size()) << where;
            for (int k = 0; k < params->GetSize(); ++k) {
                EXPECT_EQ(params->GetAt(k)->GetCount(), counts[k]) << where << " parameter " << k;
                EXPECT_EQ(params->GetAt(k)->GetType(), tables::TypeOf(*reply[k])) << where;
            }
            // Written back, a list puts all the values it can hold, so a short open list
            // comes back with its read values first.
            bool openList = false;
            for (const Proto* r : reply) openList = openList || tables::IsOpenList(*r);
            Bytes back = BodyOf(*message);
            if (openList && openValues < VASK_MAX_VALUES && back.size() > body.size())
                back.resize(body.size());
            EXPECT_EQ(Hex(back), Hex(body)) << where;

            const bool blockLast = reply.back()->kind == Kind::Block;
            auto longer = Parse(body + B({0x31}));
            EXPECT_EQ(longer->GetCommand() != 0, blockLast) << where;
            for (size_t cut = 0; cut < body.size(); ++cut)
                Parse(Bytes(body.begin(), body.begin() + cut));
        }
    }
    EXPECT_EQ(shapes, 161);
}

// ---- Ownership ------------------------------------------------------------------------------

// A copy would own the same parameters as its original and delete them a second time.
static_assert(!std::is_copy_constructible<CPCvaskMessage>::value, "messages are not copied");
static_assert(!std::is_copy_assignable<CPCvaskMessage>::value, "messages are not assigned");

TEST(Ownership, ARequestDeletesTheCallersParametersButNotTheArray) {
    int deaths = 0;
    Request request;
    request << new Tracked(&deaths) << new Tracked(&deaths) << new Tracked(&deaths);
    {
        CPCvaskMessage message('K', 17, DT_REQUEST, &request.params);
        EXPECT_EQ(deaths, 0);
    }
    EXPECT_EQ(deaths, 3);
    // The array is the caller's, alive and without the deleted pointers, and serves again.
    EXPECT_EQ(request.params.GetSize(), 0);
    request << new Tracked(&deaths);
    { CPCvaskMessage again('K', 17, DT_REQUEST, &request.params); }
    EXPECT_EQ(deaths, 4);
}

TEST(Ownership, ParametersHandedBackAreNotDeleted) {
    int deaths = 0;
    Request request;
    request << new Tracked(&deaths) << new Tracked(&deaths);
    {
        CPCvaskMessage message('K', 17, DT_REQUEST, &request.params);
        EXPECT_EQ(message.ReleaseParameters(), &request.params);
        EXPECT_EQ(message.GetParameters(), nullptr);
        EXPECT_EQ(Hex(BodyOf(message)), Hex(B({'K', 17})));
    }
    EXPECT_EQ(deaths, 0);
    ASSERT_EQ(request.params.GetSize(), 2);
    for (int k = 0; k < 2; ++k) delete request.params.GetAt(k);
    EXPECT_EQ(deaths, 2);
}

TEST(Ownership, CataloguePrototypesSentAsARequestStayTheCatalogues) {
    CMsgInfo* k17 = FindMessageInfo('K', 17);
    ASSERT_NE(k17, nullptr);
    CParam* prototype = k17->GetParameter(0, DT_REQUEST);
    ASSERT_EQ(prototype->ConvertValue(CString("3")), 1);
    {
        CPCvaskMessage message('K', 17, DT_REQUEST, k17->GetParamList(DT_REQUEST));
        EXPECT_EQ(Hex(BodyOf(message)), Hex(B({0x4B, 0x11, 0x03, 0x00})));
        message.ReleaseParameters();
    }
    ASSERT_EQ(k17->GetParamCount(DT_REQUEST), 1);
    EXPECT_EQ(k17->GetParameter(0, DT_REQUEST), prototype);
    EXPECT_EQ(prototype->ConvertValue(CString("1")), 1);
}

// Replies own their array and the clones in it, valid or not: parsing and deleting them
// over and over leaves the heap as it was.
TEST(Ownership, RepliesValidOrNotLeaveNothingBehind) {
    const Bytes bodies[] = {
        B({0, 0, 'w', 1}) + B("1.5", {0, 2, 0}) + B("2", {0, 2, 0}),
        B({0, 0, 'w', 4}) + B("1", {0, 2, 0}) + B("abc", {0, 2, 0}),
        B({0, 0, 'k', 27, 5, 0, 1, 2, 3, 0}),
        B({0, 0, 'k', 6, 3, 0}) + B("A", {0, 1, 0}),
        B({0, 0, 'x', 200}),
        B({0, 0, 'k'}),
    };
    auto round = [&] {
        for (const Bytes& body : bodies) {
            Bytes copy = body;
            unsigned char* cursor = copy.data();
            delete new CPCvaskMessage(CString("2/1"), cursor, (int)copy.size());
        }
    };
    for (int k = 0; k < 10; ++k) round();
    const size_t before = HeapInUse();
    for (int k = 0; k < 300; ++k) round();
    const size_t after = HeapInUse();
    // One clone lost per round would be several kilobytes by now.
    EXPECT_LT(after, before + 1024) << before << " -> " << after;
}

}  // namespace
