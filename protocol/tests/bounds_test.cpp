// Whatever a device sends, a parameter reads only inside the body it is given: every kind
// reads every cut of well-formed bodies, and bytes of no form at all, placed right against
// memory that may not be touched, and its cursor never leaves the body. A value's display
// text is written only into a buffer that holds it.
#include "test_support.h"

#include <functional>
#include <memory>
#include <random>

namespace {

struct Kind {
    const char* name;
    std::function<std::vector<CParam*>()> make;  // the parameters read in a row
    std::vector<Bytes> bodies;                   // well-formed bodies
};

std::vector<Kind> Kinds() {
    auto one = [](CParam* p) { return std::vector<CParam*>{p}; };
    return {
        {"int list",
         [=] { return one(new CIntParam('k', 5, 103, DT_REPLY, 0, 255, 1280)); },
         {B({5, 0, 7, 0}), B({0, 0})}},
        {"int", [=] { return one(new CIntParam('s', 13, -1, DT_REPLY, 1, 255, 1)); }, {B({5, 0})}},
        {"enum", [=] { return one(new CEnum12400('k', 6, 104, DT_REPLY, 1)); }, {B({3, 0})}},
        {"bool", [=] { return one(new CBoolParam('F', 1, 2, DT_REQUEST)); }, {B("1", {0})}},
        {"float",
         [=] { return one(new CFloatParam('k', 11, 111, DT_REPLY, 1280)); },
         {B(" 12.5", {0}) + B("-3e2", {0}), B("1", {0})}},
        {"unit float",
         [=] { return one(new CUFloatParam('w', 1, 32, DT_REPLY, 768)); },
         {B("12.5", {0, 2, 0}) + B("7", {0, 40, 0})}},
        {"unit gas float",
         [=] { return one(new CUQFloatParam('b', 2, 90, DT_REPLY, 256)); },
         {B("12.5", {0, 2, 0, 2, 0}) + B("1", {0, 2, 0, 100, 0})}},
        {"string",
         [=] { return one(new CStringParam('k', 16, -1, DT_REPLY, 30)); },
         {B("AB", {0}) + B("C", {0})}},
        {"unit string",
         [=] { return one(new CUStringParam('k', 16, -1, DT_REPLY, 30)); },
         {B("AB", {0, 1, 0}) + B("", {0, 1, 0})}},
        {"binary",
         [=] { return one(new CBinaryParam('K', 21, -1, DT_REQUEST, 1)); },
         {B({1, 0, 0x10, 0, 0xAB})}},
        {"block",
         [=] { return one(new CBlockParam('k', 27, -1, DT_REPLY, 1)); },
         {B({1, 2, 3, 0})}},
        {"bit group",
         [] {
             return std::vector<CParam*>{new CBitParam('s', 3, 19, DT_REPLY, 0, 2),
                                         new CBitParam('s', 3, 20, DT_REPLY, 2, 1),
                                         new CBit0Param('s', 3, 21, DT_REPLY, 3, 4),
                                         new CBit1Param('s', 3, 22, DT_REPLY, 7, 1),
                                         new CBitParam('s', 3, -1, DT_REPLY, 0, 4),
                                         new CBitParam('s', 3, -1, DT_REPLY, 4, 4)};
         },
         {B({0x83, 0, 0x5A, 0})}},
        {"lone high bits",
         [=] { return one(new CBitParam('s', 39, -1, DT_REPLY, 4, 4)); },
         {B({0x5A, 0})}},
    };
}

// Reads the kind's parameters in a row from the body under the given guard; every read
// must leave the cursor inside the body.
void ReadGuarded(const Kind& kind, const Bytes& body, GuardedBody::Guard guard) {
    std::vector<std::unique_ptr<CParam>> owned;
    for (CParam* p : kind.make()) owned.emplace_back(p);
    GuardedBody guarded(body, guard, std::string(kind.name) + " body " + Hex(body));
    unsigned char* cursor = guarded.begin();
    for (auto& p : owned) {
        int ok = p->Read(cursor, guarded.end());
        ASSERT_GE(cursor, guarded.begin()) << kind.name << ": " << Hex(body);
        ASSERT_LE(cursor, guarded.end()) << kind.name << ": " << Hex(body);
        if (!ok) break;
        // What was read can be shown and written again.
        char text[4096];
        for (int i = 1; i <= p->GetCount(); ++i) p->GetValue(i, text, sizeof text);
        WriteOf(*p);
    }
}

// A value's display text goes into a buffer only whole: a buffer of exactly its length and
// NUL takes it, one byte less refuses it and holds the empty text, and nothing is written
// behind either buffer.
TEST(DisplayTextBounds, ATextFitsItsBufferOrIsRefused) {
    for (const Kind& kind : Kinds())
        for (const Bytes& body : kind.bodies) {
            std::vector<std::unique_ptr<CParam>> owned;
            for (CParam* p : kind.make()) owned.emplace_back(p);
            Bytes copy = body;
            unsigned char* cursor = copy.data();
            for (auto& p : owned) {
                if (!p->Read(cursor, copy.data() + copy.size())) break;
                for (int i = 1; i <= p->GetCount(); ++i) {
                    const std::string where =
                        std::string(kind.name) + " value " + std::to_string(i) + " of " + Hex(body);
                    char whole[4096];
                    strcpy(whole, "(untouched)");
                    ASSERT_EQ(p->GetValue(i, whole, sizeof whole), 1) << where;
                    if (strcmp(whole, "(untouched)") == 0) continue;  // a kind without a text
                    const size_t n = strlen(whole);
                    GuardedBody exact(Bytes(n + 1, 'x'), GuardedBody::Tail,
                                      "the buffer for " + where);
                    char* room = exact.text();
                    EXPECT_EQ(p->GetValue(i, room, (int)n + 1), 1) << where;
                    EXPECT_STREQ(room, whole) << where;
                    GuardedBody shorter(Bytes(n, 'x'), GuardedBody::Tail,
                                        "the buffer one byte short for " + where);
                    room = shorter.text();
                    EXPECT_EQ(p->GetValue(i, room, (int)n), 0) << where;
                    if (n > 0) { EXPECT_EQ(room[0], 0) << where; }
                }
            }
        }
}

TEST(ReadBounds, EveryCutOfWellFormedBodies) {
    for (const Kind& kind : Kinds())
        for (const Bytes& body : kind.bodies)
            for (size_t cut = 0; cut <= body.size(); ++cut) {
                Bytes part(body.begin(), body.begin() + cut);
                ReadGuarded(kind, part, GuardedBody::Tail);
                ReadGuarded(kind, part, GuardedBody::Head);
            }
}

TEST(ReadBounds, BytesOfNoFormAtAll) {
    std::mt19937 random(20240611u);
    // Bytes a device might plausibly garble: digits, control codes and high bytes.
    const unsigned char alphabet[] = {0,   0,   0,   1,   2,   5,   9,   10,  100,  200,
                                      255, '1', '2', '.', '-', 'e', ' ', 'A', 0xB0, 0x10};
    for (const Kind& kind : Kinds())
        for (int round = 0; round < 300; ++round) {
            Bytes body(random() % 24);
            for (unsigned char& b : body) b = alphabet[random() % sizeof alphabet];
            ReadGuarded(kind, body, round % 2 ? GuardedBody::Head : GuardedBody::Tail);
        }
}

}  // namespace
