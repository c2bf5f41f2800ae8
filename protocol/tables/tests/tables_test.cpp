// The message catalogue, the parameter prototypes and their texts are data that the
// library's code and its string table share.  These checks hold the data to the figures
// and rows the bus vocabulary is known by, and check that the string table built from the
// same files hands the texts out byte-exact in code page 1252.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// ---- The data, expanded into plain records ------------------------------------------

struct Msg {
    char letter;
    int function;
    int nameId;
};

const Msg kCatalogue[] = {
#define VASK_MSG(letter, function, nameId) {letter, function, nameId},
#include "tables/catalogue.def"
};

enum class Kind {
    Int,
    Bool,
    Float,
    UFloat,
    UQFloat,
    String,
    UString,
    Binary,
    Block,
    Bit,
    Bit0,
    Bit1,
    Enum,
    End
};

struct Proto {
    Kind kind;
    char letter;
    int function;
    int prompt;
    int direction;
    int multiple;
    int lower, upper;  // Int only
    int start, width;  // bit fields only
    int base;          // Enum only
};

const Proto kPrototypes[] = {
#define VASK_PROTO_INT(c, f, p, d, lo, hi, m) {Kind::Int, c, f, p, d, m, lo, hi, 0, 0, 0},
#define VASK_PROTO_BOOL(c, f, p, d)           {Kind::Bool, c, f, p, d, 1, 0, 0, 0, 0, 0},
#define VASK_PROTO_FLOAT(c, f, p, d, m)       {Kind::Float, c, f, p, d, m, 0, 0, 0, 0, 0},
#define VASK_PROTO_UFLOAT(c, f, p, d, m)      {Kind::UFloat, c, f, p, d, m, 0, 0, 0, 0, 0},
#define VASK_PROTO_UQFLOAT(c, f, p, d, m)     {Kind::UQFloat, c, f, p, d, m, 0, 0, 0, 0, 0},
#define VASK_PROTO_STRING(c, f, p, d, m)      {Kind::String, c, f, p, d, m, 0, 0, 0, 0, 0},
#define VASK_PROTO_USTRING(c, f, p, d, m)     {Kind::UString, c, f, p, d, m, 0, 0, 0, 0, 0},
#define VASK_PROTO_BINARY(c, f, p, d, m)      {Kind::Binary, c, f, p, d, m, 0, 0, 0, 0, 0},
#define VASK_PROTO_BLOCK(c, f, p, d, m)       {Kind::Block, c, f, p, d, m, 0, 0, 0, 0, 0},
#define VASK_PROTO_BIT(c, f, p, d, s, w)      {Kind::Bit, c, f, p, d, 1, 0, 0, s, w, 0},
#define VASK_PROTO_BIT0(c, f, p, d, s, w)     {Kind::Bit0, c, f, p, d, 1, 0, 0, s, w, 0},
#define VASK_PROTO_BIT1(c, f, p, d, s, w)     {Kind::Bit1, c, f, p, d, 1, 0, 0, s, w, 0},
#define VASK_PROTO_ENUM(b, c, f, p, d, m)     {Kind::Enum, c, f, p, d, m, 0, 0, 0, 0, b},
#define VASK_PROTO_END(c, f, p, d, m)         {Kind::End, c, f, p, d, m, 0, 0, 0, 0, 0},
#include "tables/prototypes.def"
};

struct Text {
    int id;
    const char* text;  // code page 1252, as the compiler stores it
};

const Text kNames[] = {
#define VASK_NAME(id, text) {id, text},
#include "tables/names.def"
};

const Text kPrompts[] = {
#define VASK_PROMPT(id, text) {id, text},
#include "tables/prompts.def"
};

// The files undefine their macros, so a second expansion with other definitions works.
#if defined(VASK_MSG) || defined(VASK_NAME) || defined(VASK_PROMPT) || defined(VASK_PROTO_INT) || \
    defined(VASK_PROTO_END)
#error "a table file left its macro defined"
#endif

int CountMessages() {
    int n = 0;
#define VASK_MSG(letter, function, nameId) ++n;
#include "tables/catalogue.def"
    return n;
}

constexpr int kEntries = sizeof kCatalogue / sizeof kCatalogue[0];
constexpr int kProtoCount = sizeof kPrototypes / sizeof kPrototypes[0];

using Pair = std::pair<char, int>;

Pair PairOf(const Msg& m) { return {m.letter, m.function}; }
Pair PairOf(const Proto& p) { return {p.letter, p.function}; }

// The lookup the library's callers make: first match from entry 0, (0, 0) ends the walk.
// -1: not found; -2: the walk ran past the table (no closing entry).
int Lookup(char letter, int function) {
    for (int i = 0; i < kEntries; ++i) {
        if (kCatalogue[i].letter == 0 && kCatalogue[i].function == 0) return -1;
        if (kCatalogue[i].letter == letter && kCatalogue[i].function == function) return i;
    }
    return -2;
}

std::vector<const Proto*> PrototypesOf(char letter, int function, int direction) {
    std::vector<const Proto*> list;
    for (const Proto& p : kPrototypes) {
        if (p.kind == Kind::End) break;
        if (p.letter == letter && p.function == function && p.direction == direction)
            list.push_back(&p);
    }
    return list;
}

// "1-16,19-21,24" -> {1..16, 19..21, 24}
std::vector<int> Expand(const std::string& ranges) {
    std::vector<int> out;
    std::stringstream in(ranges);
    std::string item;
    while (std::getline(in, item, ',')) {
        const auto dash = item.find('-', 1);
        const int lo = std::atoi(item.c_str());
        const int hi = dash == std::string::npos ? lo : std::atoi(item.c_str() + dash + 1);
        for (int k = lo; k <= hi; ++k) out.push_back(k);
    }
    return out;
}

// One value position written the way the message tables of the bus are written by hand:
// I(a..b), Bool, Str, UStr, Bin, Blk, F, UF, UQF, bS/W, zS/W, oS/W, E<base>; then xN for a
// multiple other than 1 and :P for a prompt.
std::string Notation(const Proto& p) {
    std::ostringstream s;
    switch (p.kind) {
        case Kind::Int: s << "I(" << p.lower << ".." << p.upper << ")"; break;
        case Kind::Bool: s << "Bool"; break;
        case Kind::Float: s << "F"; break;
        case Kind::UFloat: s << "UF"; break;
        case Kind::UQFloat: s << "UQF"; break;
        case Kind::String: s << "Str"; break;
        case Kind::UString: s << "UStr"; break;
        case Kind::Binary: s << "Bin"; break;
        case Kind::Block: s << "Blk"; break;
        case Kind::Bit: s << "b" << p.start << "/" << p.width; break;
        case Kind::Bit0: s << "z" << p.start << "/" << p.width; break;
        case Kind::Bit1: s << "o" << p.start << "/" << p.width; break;
        case Kind::Enum: s << "E" << p.base; break;
        case Kind::End: s << "END"; break;
    }
    if (p.multiple != 1) s << "x" << p.multiple;
    if (p.prompt != -1) s << ":" << p.prompt;
    return s.str();
}

std::string Notation(char letter, int function) {
    std::string out;
    for (int direction : {1, 2}) {
        const auto list = PrototypesOf(letter, function, direction);
        if (list.empty()) continue;
        if (!out.empty()) out += "; ";
        out += direction == 1 ? "request:" : "reply:";
        for (const Proto* p : list) out += " " + Notation(*p);
    }
    return out;
}

// ---- Catalogue ----------------------------------------------------------------------

TEST(Catalogue, HasItsEntriesAndEndsWithTheOnlyClosingEntry) {
    ASSERT_EQ(kEntries, 404);
    EXPECT_EQ(CountMessages(), 404);
    const Msg& last = kCatalogue[403];
    EXPECT_EQ(last.letter, 0);
    EXPECT_EQ(last.function, 0);
    EXPECT_EQ(last.nameId, 0);
    for (int i = 0; i < 403; ++i) EXPECT_NE(kCatalogue[i].letter, 0) << "entry " << i;
}

TEST(Catalogue, PairsAreUniqueButForTheFourEntriesOfK24) {
    std::map<Pair, std::vector<int>> entries;
    for (int i = 0; i < kEntries; ++i) entries[PairOf(kCatalogue[i])].push_back(i);
    EXPECT_EQ(entries.size(), 401u);
    for (const auto& e : entries) {
        if (e.first == Pair('K', 24)) continue;
        EXPECT_EQ(e.second.size(), 1u) << "'" << e.first.first << "' " << e.first.second;
    }
    EXPECT_EQ(entries[Pair('K', 24)], (std::vector<int>{387, 388, 389, 390}));
    for (int k = 0; k < 4; ++k) EXPECT_EQ(kCatalogue[387 + k].nameId, k + 1);
    // The first match wins, so a lookup of 'K' 24 always finds entry 387.
    EXPECT_EQ(Lookup('K', 24), 387);
}

TEST(Catalogue, LettersOccupyTheirEntryRangesWithTheirFunctions) {
    struct Case {
        char letter;
        int first, last;
        const char* functions;
    } cases[] = {
        {'b', 0, 0, "2"},
        {'Z', 1, 22, "1-16,19-21,24-26"},
        {'F', 23, 51, "1-29"},
        {'s', 52, 94, "1-43"},
        {'S', 95, 137, "1-43"},
        {'w', 138, 223, "1-83,89-91"},
        {'W', 224, 309, "1-83,89-91"},
        {'h', 310, 326, "1-17"},
        {'i', 327, 335, "1-9"},
        {'j', 336, 342, "1-7"},
        {'J', 343, 351, "1-9"},
        {'k', 352, 377, "1-6,8-13,16-20,23-31"},
        {'K', 378, 396, "7,10,14-17,20-22,24,24,24,24-30"},
    };
    for (const Case& c : cases) {
        std::vector<int> functions;
        for (int i = c.first; i <= c.last; ++i) {
            EXPECT_EQ(kCatalogue[i].letter, c.letter) << "entry " << i;
            functions.push_back(kCatalogue[i].function);
        }
        EXPECT_EQ(functions, Expand(c.functions)) << "letter " << c.letter;
    }
}

TEST(Catalogue, RejectionRepliesSitBeforeTheClosingEntry) {
    // The function number is the character code of the reply's second letter.
    struct Case {
        int entry;
        char letter;
        char second;
    } cases[] = {
        {397, '?', '?'}, {398, 'B', 'S'}, {399, 'C', 'E'},
        {400, 'D', 'E'}, {401, 'S', 'E'}, {402, 'O', 'F'},
    };
    for (const Case& c : cases) {
        const Msg& m = kCatalogue[c.entry];
        EXPECT_EQ(m.letter, c.letter) << "entry " << c.entry;
        EXPECT_EQ(m.function, static_cast<int>(c.second)) << "entry " << c.entry;
        EXPECT_EQ(m.nameId, 0) << "entry " << c.entry;
        EXPECT_EQ(Lookup(c.letter, c.second), c.entry);
        EXPECT_TRUE(PrototypesOf(c.letter, c.second, 1).empty()) << "entry " << c.entry;
        EXPECT_TRUE(PrototypesOf(c.letter, c.second, 2).empty()) << "entry " << c.entry;
    }
    // 'S' 69 is the rejection, not a write; the writes of 'S' stop at 43.
    EXPECT_EQ(Lookup('S', 43), 137);
    EXPECT_EQ(Lookup('S', 44), -1);
    EXPECT_EQ(Lookup(0, 0), -1);
}

TEST(Catalogue, RowsCarryTheirNameIds) {
    struct Case {
        int entry;
        char letter;
        int function;
        int nameId;
    } cases[] = {
        {0, 'b', 2, 100},    {6, 'Z', 6, 6},      {14, 'Z', 14, 111},  {15, 'Z', 15, -1},
        {16, 'Z', 16, 112},  {17, 'Z', 19, 113},  {18, 'Z', 20, 114},  {24, 'F', 2, 116},
        {29, 'F', 7, 117},   {38, 'F', 16, 123},  {39, 'F', 17, -1},   {60, 's', 9, 30},
        {67, 's', 16, 130},  {103, 'S', 9, 39},   {110, 'S', 16, 137}, {150, 'w', 13, 138},
        {151, 'w', 14, 53},  {166, 'w', 29, 151}, {167, 'w', 30, -1},  {221, 'w', 89, -1},
        {222, 'w', 90, 111}, {236, 'W', 13, 139}, {252, 'W', 29, 163}, {308, 'W', 90, 112},
        {326, 'h', 17, 89},  {335, 'i', 9, 170},  {342, 'j', 7, 98},   {351, 'J', 9, 179},
        {353, 'k', 2, 100},  {357, 'k', 6, 104},  {358, 'k', 8, 106},  {364, 'k', 16, 181},
        {378, 'K', 7, 105},  {382, 'K', 16, 185}, {385, 'K', 21, 187}, {386, 'K', 22, -1},
    };
    for (const Case& c : cases) {
        const Msg& m = kCatalogue[c.entry];
        EXPECT_EQ(m.letter, c.letter) << "entry " << c.entry;
        EXPECT_EQ(m.function, c.function) << "entry " << c.entry;
        EXPECT_EQ(m.nameId, c.nameId) << "entry " << c.entry;
    }
}

// ---- Prototypes ---------------------------------------------------------------------

TEST(Prototypes, CountByClassAndEndWithTheTerminator) {
    ASSERT_EQ(kProtoCount, 861);
    const Proto& end = kPrototypes[860];
    EXPECT_EQ(end.kind, Kind::End);
    EXPECT_EQ(end.letter, 'X');
    EXPECT_EQ(end.function, 0);
    EXPECT_EQ(end.prompt, 0);
    EXPECT_EQ(end.direction, 1);
    EXPECT_EQ(end.multiple, 1);
    for (int i = 0; i < 860; ++i) EXPECT_NE(kPrototypes[i].letter, 'X') << "prototype " << i;

    std::map<Kind, int> count;
    for (const Proto& p : kPrototypes) ++count[p.kind];
    const std::pair<Kind, int> expected[] = {
        {Kind::Bit, 304},    {Kind::UFloat, 243}, {Kind::Bit1, 76},  {Kind::Bit0, 74},
        {Kind::Float, 73},   {Kind::Int, 27},     {Kind::Enum, 22},  {Kind::Bool, 20},
        {Kind::UString, 13}, {Kind::UQFloat, 3},  {Kind::Binary, 2}, {Kind::Block, 2},
        {Kind::String, 1},   {Kind::End, 1},
    };
    for (const auto& e : expected)
        EXPECT_EQ(count[e.first], e.second) << "class " << static_cast<int>(e.first);
    EXPECT_EQ(count[Kind::Bit] + count[Kind::Bit0] + count[Kind::Bit1], 454);
}

TEST(Prototypes, ThirteenEnumeratedKindsServeAsPrototypes) {
    std::set<int> bases;
    for (const Proto& p : kPrototypes)
        if (p.kind == Kind::Enum) bases.insert(p.base);
    // Units (12000) and gas components (12300) serve only inside the unit-bearing floats.
    EXPECT_EQ(bases, (std::set<int>{12100, 12200, 12280, 12400, 12600, 12700, 12800, 12900, 12901,
                                    12902, 12920, 12940, 0}));
}

TEST(Prototypes, EveryMessageWithValuesIsInTheCatalogueAndItsValuesStandTogether) {
    std::set<Pair> pairs;
    std::set<Pair> finished;
    Pair current('X', -1);
    int lastEntry = -1;
    for (int i = 0; i < 860; ++i) {
        const Pair pair = PairOf(kPrototypes[i]);
        if (pair == current) continue;
        // A message's values form one run, and the runs follow the catalogue's order.
        EXPECT_EQ(finished.count(pair), 0u) << "prototype " << i << " splits its message";
        finished.insert(current);
        current = pair;
        pairs.insert(pair);
        const int entry = Lookup(pair.first, pair.second);
        EXPECT_GT(entry, lastEntry) << "prototype " << i << " out of catalogue order";
        lastEntry = entry;
    }
    EXPECT_EQ(pairs.size(), 291u);

    int withValues = 0, ordinaryWithout = 0;
    for (int i = 0; i < kEntries; ++i) {
        if (pairs.count(PairOf(kCatalogue[i])))
            ++withValues;
        else if (i < 397)
            ++ordinaryWithout;
    }
    EXPECT_EQ(withValues, 294);
    EXPECT_EQ(ordinaryWithout, 103);
    EXPECT_EQ(kEntries - withValues, 110);
}

TEST(Prototypes, ReadsCarryRepliesAndWritesRequestsWithFourExceptions) {
    std::set<std::pair<Pair, int>> against;  // (message, direction) against the letter's sense
    std::set<Pair> both;
    for (int i = 0; i < 860; ++i) {
        const Proto& p = kPrototypes[i];
        ASSERT_TRUE(p.direction == 1 || p.direction == 2) << "prototype " << i;
        const bool read = p.letter >= 'a' && p.letter <= 'z';
        if (read != (p.direction == 2)) against.insert({PairOf(p), p.direction});
        if (!PrototypesOf(p.letter, p.function, 1).empty() &&
            !PrototypesOf(p.letter, p.function, 2).empty())
            both.insert(PairOf(p));
    }
    EXPECT_EQ(against, (std::set<std::pair<Pair, int>>{
                           {{'w', 83}, 1}, {{'W', 82}, 2}, {{'W', 89}, 2}, {{'W', 91}, 2}}));
    EXPECT_EQ(both, (std::set<Pair>{{'w', 83}}));
}

TEST(Prototypes, MultiplesAreOnesListsOrTheBareByte) {
    const std::set<int> allowed = {1, 6, 8, 12, 256, 768, 1280, 1024};
    for (int i = 0; i < kProtoCount; ++i) {
        const Proto& p = kPrototypes[i];
        EXPECT_EQ(allowed.count(p.multiple), 1u) << "prototype " << i;
        // Only one enumerated request value is written as a single bare byte: 'K' 20.
        if (p.multiple == 1024) {
            EXPECT_EQ(p.kind, Kind::Enum);
            EXPECT_EQ(p.direction, 1);
            EXPECT_EQ(PairOf(p), Pair('K', 20));
        }
    }
}

bool IsBitField(const Proto& p) {
    return p.kind == Kind::Bit || p.kind == Kind::Bit0 || p.kind == Kind::Bit1;
}

TEST(Prototypes, BitFieldsFillWholeBytes) {
    // A field at bit 0 opens a byte; the fields after it share it.  Every byte ends with a
    // field that reaches bit 7, and its fields follow one another from bit 0 without gap or
    // overlap, but for one byte: the third of 'k' 23, where b3/1 is followed by z5/3 (no
    // field reads bit 4) and z5/3 overlaps the o7/1 after it.
    struct Irregular {
        Pair message;
        int byte;  // counted from 1 within the message
        bool operator<(const Irregular& o) const {
            return std::tie(message, byte) < std::tie(o.message, o.byte);
        }
    };
    std::set<Irregular> irregular;
    std::map<Pair, int> bytesOf;
    for (int i = 0; i < 860;) {
        const Proto& first = kPrototypes[i];
        if (!IsBitField(first)) {
            ++i;
            continue;
        }
        EXPECT_EQ(first.start, 0) << "prototype " << i << " continues a byte it did not open";
        const int byte = ++bytesOf[PairOf(first)];
        int next = 0;
        bool regular = true;
        int j = i;
        do {
            const Proto& f = kPrototypes[j];
            EXPECT_GE(f.width, 1) << "prototype " << j;
            if (f.start != next) regular = false;
            next = f.start + f.width;
            ++j;
        } while (j < 860 && IsBitField(kPrototypes[j]) && kPrototypes[j].start != 0 &&
                 PairOf(kPrototypes[j]) == PairOf(first));
        EXPECT_EQ(next, 8) << "the byte opened at prototype " << i << " does not end at bit 7";
        if (!regular) irregular.insert({PairOf(first), byte});
        i = j;
    }
    ASSERT_EQ(irregular.size(), 1u);
    EXPECT_EQ(irregular.begin()->message, Pair('k', 23));
    EXPECT_EQ(irregular.begin()->byte, 3);
    // Bytes per message, as the wire shows them.
    EXPECT_EQ(bytesOf[Pair('s', 15)], 2);
    EXPECT_EQ(bytesOf[Pair('s', 23)], 2);
    EXPECT_EQ(bytesOf[Pair('k', 3)], 4);
    EXPECT_EQ(bytesOf[Pair('k', 23)], 4);
    // The fixed one bits are single bits at bit 7.
    for (const Proto& p : kPrototypes)
        if (p.kind == Kind::Bit1) {
            EXPECT_EQ(p.start, 7);
            EXPECT_EQ(p.width, 1);
        }
}

TEST(Prototypes, MessagesReadAsTheirTableRows) {
    struct Case {
        char letter;
        int function;
        const char* row;
    } cases[] = {
        {'b', 2, "reply: UQFx256:90"},
        {'k', 2, "reply: UQFx256:90"},
        {'Z', 6, "request: I(1..4):1"},
        {'F', 1, "request: Bool:2"},
        {'F', 2, "request: Bool"},
        {'F', 10, "request: Bool:9"},
        {'F', 19, ""},
        {'F', 29, "request: Bool"},
        {'s', 3, "reply: b0/2:19 b2/1:20 z3/4:21 o7/1:22"},
        {'s', 5, "reply: E12100x8:23"},
        {'s', 7, "reply: E12200x8:24"},
        {'s', 15, "reply: b0/2 z2/5 o7/1 b0/2 z2/5 o7/1"},
        {'s', 21, "reply: E12920 E12940 I(1..255) I(1..255) I(1..255)"},
        {'s', 29, "reply: b0/1 z1/6 o7/1 I(1..255)"},
        {'s', 32, ""},
        {'S', 21, ""},
        {'S', 41, "request: b0/3 z3/4 o7/1 b0/2 b2/1 b3/1 b4/1 b5/1 z6/1 o7/1"},
        {'w', 1, "reply: UFx768:32"},
        {'w', 4, "reply: UF:35 UF:36"},
        {'w', 5, "reply: UF:10"},
        {'w', 6, "reply: UF:37 UF:38 UF:39"},
        {'w', 8, "reply: UFx6:40"},
        {'w', 9, "reply: UF:45 UF:46"},
        {'w', 11, "reply: UF:49 UF:50 UF:51 UF:52"},
        {'w', 13, "reply: UF:41"},
        {'w', 15, "reply: UF:59 UF:60 UF:61"},
        {'w', 17, "reply: UF:62"},
        {'w', 29, "reply: UFx6"},
        {'w', 16, "reply: UF:57 UF:58 UF:59 UF:60 UF:61"},
        {'w', 45, ""},
        {'w', 83, "request: UF; reply: UF UF UF UF UF"},
        {'W', 1, "request: Fx768:31"},
        {'W', 4, "request: F:34 F"},
        {'W', 5, "request: F:35"},
        {'W', 6, "request: F:37 F:38 F:39 F:40"},
        {'W', 7, "request: Fx6:41"},
        {'W', 8, "request: Fx6:43"},
        {'W', 10, "request: F:47 F:48"},
        {'W', 12, "request: F:53 F:54"},
        {'W', 43, "request: UF"},
        {'W', 44, "request: F F F"},
        {'W', 62, ""},
        {'W', 81, ""},
        {'W', 82, "reply: UF UF UF"},
        {'W', 83, "request: UF UF UF UF"},
        {'W', 90, "request: F:59 F:60 F:61"},
        {'h', 1, "reply: UF:63"},
        {'h', 17, "reply: UF:79"},
        {'i', 2, "reply: UF:81"},
        {'j', 7, "reply: UF:88"},
        {'i', 3, ""},
        {'k', 3,
         "reply: b0/1:91 b1/1:92 b2/1:93 b3/1 b4/1 b5/1 b6/1 o7/1:95 b0/1 b1/1 b2/1 "
         "b3/1 b4/1 b5/1 b6/1 o7/1 b0/1 b1/1 b2/1 b3/1 b4/1 b5/1 b6/1 o7/1 z0/7 o7/1"},
        {'k', 4,
         "reply: b0/1:96 b1/1:97 b2/1:98 b3/1:99 b4/1:100 b5/1 b6/1 o7/1:102 b0/1 "
         "b1/1 b2/1 b3/1 b4/1 z5/2 o7/1 z0/7 o7/1"},
        {'k', 5, "reply: I(0..255)x1280:103"},
        {'k', 6, "reply: E12400:104 UStr:105 UStr:106 UStr:107 UStr UStr UStr"},
        {'k', 10, "reply: I(1..255) I(1..255) I(1..255) UF UF UF UF UF"},
        {'k', 8, "reply: UF:108"},
        {'k', 11, "reply: Fx1280:111"},
        {'k', 12, "reply: I(0..255)x1280:113"},
        {'k', 23,
         "reply: b0/1 b1/1 b2/1 b3/1 b4/1 b5/1 b6/1 o7/1 b0/1 b1/1 b2/1 b3/1 b4/1 "
         "b5/1 b6/1 o7/1 b0/1 b1/1 b2/1 b3/1 z5/3 o7/1 z0/7 o7/1"},
        {'k', 25, "reply: b0/1 b1/1 b2/1 b3/1 b4/1 b5/1 b6/1 b7/1 I(1..255)"},
        {'k', 27, "reply: I(1..255) Blk"},
        {'k', 31, "reply: E0"},
        {'K', 7, ""},
        {'K', 16, "request: Str"},
        {'K', 20, "request: E12800x1024"},
        {'K', 21, "request: Bin"},
        {'K', 24, "request: I(1..0)"},
        {'K', 30, "request: E12902"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Notation(c.letter, c.function), c.row) << "'" << c.letter << "' " << c.function;
}

// ---- Texts --------------------------------------------------------------------------

class Texts : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module_ = LoadLibraryA("utilvask.dll"); }
    static void TearDownTestSuite() {
        if (module_) FreeLibrary(module_);
    }
    void SetUp() override {
        ASSERT_NE(module_, nullptr) << "utilvask.dll not loadable, error " << GetLastError();
        ASSERT_EQ(GetACP(), 1252u);
    }

    static bool Load(int id, std::string& text) {
        char buffer[512];
        const int n = LoadStringA(module_, static_cast<UINT>(id), buffer, sizeof buffer);
        text.assign(buffer, n > 0 ? n : 0);
        return n > 0;
    }

    // Every id of the range [first, last] has a string exactly when the table has a text for
    // it, and that string is the text.
    static void ExpectRangeHoldsExactly(const Text* texts, size_t count, int base, int first,
                                        int last) {
        std::map<int, std::string> wanted;
        int previous = -2;
        for (size_t k = 0; k < count; ++k) {
            EXPECT_GT(texts[k].id, previous) << "ids out of order or twice";
            previous = texts[k].id;
            EXPECT_TRUE(wanted.emplace(base + texts[k].id, texts[k].text).second);
        }
        for (int id = first; id <= last; ++id) {
            std::string text;
            const bool present = Load(id, text);
            const auto it = wanted.find(id);
            if (it == wanted.end()) {
                EXPECT_FALSE(present)
                    << "string " << id << " should not exist, has \"" << text << '"';
            } else {
                EXPECT_TRUE(present) << "string " << id << " missing";
                EXPECT_EQ(text, it->second) << "string " << id;
            }
        }
    }

    static HMODULE module_;
};

HMODULE Texts::module_ = nullptr;

TEST_F(Texts, StringTableHoldsExactlyTheMessageNames) {
    ExpectRangeHoldsExactly(kNames, sizeof kNames / sizeof kNames[0], 10000, 9990, 10300);
}

TEST_F(Texts, StringTableHoldsExactlyThePrompts) {
    ExpectRangeHoldsExactly(kPrompts, sizeof kPrompts / sizeof kPrompts[0], 11000, 10990, 11300);
}

TEST_F(Texts, EveryNameTextBelongsToAMessageAndUnnamedIdsHaveNone) {
    std::set<int> named;
    for (const Msg& m : kCatalogue) named.insert(m.nameId);
    for (const Text& t : kNames) EXPECT_EQ(named.count(t.id), 1u) << "name " << t.id;
    // Name ids that the catalogue gives without a text.
    for (int id :
         {-1, 0, 113, 114, 116, 117, 118, 123, 124, 137, 138, 139, 151, 163, 170, 179, 181, 187}) {
        std::string text;
        EXPECT_EQ(named.count(id), 1u) << "name " << id;
        EXPECT_FALSE(Load(10000 + id, text)) << "name " << id << " has \"" << text << '"';
    }
}

TEST_F(Texts, EveryPromptInUseHasATextAndTheRestAreKnown) {
    std::set<int> used;
    for (const Proto& p : kPrototypes)
        if (p.kind != Kind::End && p.prompt != -1) used.insert(p.prompt);
    std::set<int> unused;
    for (const Text& t : kPrompts) {
        if (!used.erase(t.id)) unused.insert(t.id);
    }
    EXPECT_TRUE(used.empty()) << used.size() << " prompt ids in use have no text, first "
                              << (used.empty() ? 0 : *used.begin());
    EXPECT_EQ(unused, (std::set<int>{42, 44, 55, 56, 94, 101, 110, 112}));
}

TEST_F(Texts, SharedNamesAndSpotChecksArriveByteExact) {
    struct Case {
        int id;
        const char* bytes;
    } cases[] = {
        {10001, "Reset"},
        {10004, "Messen"},
        {10100, "Alle Me\xDFwerte des Kanals lesen"},
        {10111, "Datum H2S-Sonde lesen"},
        {10112, "Datum H2S-Sonde setzen"},
        {10013, "Str\xF6mungssensor justieren"},
        {10020, "Flamme z\xFCnden"},
        {10027, "Bin\xE4reing\xE4nge Standard lesen"},
        {10040,
         "Me\xDF"
         "bereich Ausgangswerte lesen"},
        {10057,
         "Me\xDF"
         "bereich Anfangswerte setzen"},
        {10063, "Sp\xFClzeiten bei autocal setzen"},
        {10080, "Temperatur des Strahlers f\xFCr HC/CO/CO2 lesen"},
        {10105,
         "Linearisierungskoeffizienten r\xFC"
         "cksetzen"},
        {10099,
         "Me\xDF"
         "wert einer Komponente lesen"},
        {10106, "restliche Anw\xE4rmzeit lesen"},
        {10110, "Voralarmstatus lesen"},
        {11001,
         "Me\xDF"
         "bereich"},
        {11006, "Ein/Aus"},
        {11015,
         "Aktiv bei \xDC"
         "ber/Unterschreiten"},
        {11023, "Relais %d"},
        {11024, "Bin\xE4reingang %d"},
        {11031, "<>"},
        {11038,
         "Zeit bis zum n\xE4"
         "chsten autocal (Stunden)"},
        {11045, "Genzwert"},
        {11046, "Hysterese in %"},
        {11050,
         "T90 au\xDF"
         "erhalb des Schwellwertes"},
        {11056, "Einbaudatum"},
        {11062, "Str\xF6mungswert"},
        {11088, "-"},
        {11100,
         "Grenzwert\xFC"
         "berwachung ein"},
        {11109, "Zeit [s]"},
        {11110, "Zeit [min]"},
        {11112, "Lambda-Wert"},
        {11113, "Voralarm Komponente %d"},
    };
    for (const Case& c : cases) {
        std::string text;
        EXPECT_TRUE(Load(c.id, text)) << "string " << c.id;
        EXPECT_EQ(text, c.bytes) << "string " << c.id;
    }
}

}  // namespace
