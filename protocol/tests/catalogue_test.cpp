// The catalogue as the library builds it at load: every entry files exactly the
// prototypes of its message, of the right class and with their header, by scanning the
// prototype array up to its terminator; lookups by the callers' walk; names from the
// string table; guarded accessors.
#include "catalogue_tables.h"

#include <set>
#include <typeinfo>

namespace {

using tables::Kind;
using tables::Proto;

// The entry number that the lookup finds; -1: unknown.
int Lookup(char letter, int function) {
    CMsgInfo* entry = FindMessageInfo(letter, function);
    return entry != NULL ? (int)(entry - GetMessageInfo(0)) : -1;
}

// The class of an enumerated prototype, told by its text base.
bool IsEnumKind(const CParam* p, int base) {
    switch (base) {
        case 12100: return dynamic_cast<const CEnum12100*>(p) != NULL;
        case 12200: return dynamic_cast<const CEnum12200*>(p) != NULL;
        case 12280: return dynamic_cast<const CEnum12280*>(p) != NULL;
        case 12400: return dynamic_cast<const CEnum12400*>(p) != NULL;
        case 12600: return dynamic_cast<const CEnum12600*>(p) != NULL;
        case 12700: return dynamic_cast<const CEnum12700*>(p) != NULL;
        case 12800: return dynamic_cast<const CEnum12800*>(p) != NULL;
        case 12900: return dynamic_cast<const CEnum12900*>(p) != NULL;
        case 12901: return dynamic_cast<const CEnum12901*>(p) != NULL;
        case 12902: return dynamic_cast<const CEnum12902*>(p) != NULL;
        case 12920: return dynamic_cast<const CEnum12920*>(p) != NULL;
        case 12940: return dynamic_cast<const CEnum12940*>(p) != NULL;
        case 0: return dynamic_cast<const CEnum0*>(p) != NULL;
    }
    return false;
}

// The exact class the record names.
bool IsOfItsClass(const CParam* p, const Proto& r) {
    switch (r.kind) {
        case Kind::Int: return typeid(*p) == typeid(CIntParam);
        case Kind::Bool: return typeid(*p) == typeid(CBoolParam);
        case Kind::Float: return typeid(*p) == typeid(CFloatParam);
        case Kind::UFloat: return typeid(*p) == typeid(CUFloatParam);
        case Kind::UQFloat: return typeid(*p) == typeid(CUQFloatParam);
        case Kind::String: return typeid(*p) == typeid(CStringParam);
        case Kind::UString: return typeid(*p) == typeid(CUStringParam);
        case Kind::Binary: return typeid(*p) == typeid(CBinaryParam);
        case Kind::Block: return typeid(*p) == typeid(CBlockParam);
        case Kind::Bit: return typeid(*p) == typeid(CBitParam);
        case Kind::Bit0: return typeid(*p) == typeid(CBit0Param);
        case Kind::Bit1: return typeid(*p) == typeid(CBit1Param);
        case Kind::Enum: return IsEnumKind(p, r.base);
        case Kind::End: return typeid(*p) == typeid(CParam);
    }
    return false;
}

std::string Where(int entry, const tables::Msg& m, int direction, int k) {
    char text[80];
    snprintf(text, sizeof text, "entry %d ('%c' %d) %s %d", entry, m.letter ? m.letter : '0',
             m.function, direction == DT_REPLY ? "reply" : "request", k);
    return text;
}

// ---- Filing of the prototypes --------------------------------------------------------

TEST(CatalogueFiling, EveryEntryHoldsExactlyItsPrototypesInTableOrder) {
    const auto& catalogue = tables::Catalogue();
    ASSERT_EQ((int)catalogue.size(), VASK_CATALOGUE_SIZE);
    for (int i = 0; i < VASK_CATALOGUE_SIZE; ++i) {
        const tables::Msg& m = catalogue[i];
        CMsgInfo* entry = GetMessageInfo(i);
        ASSERT_NE(entry, nullptr) << i;
        ASSERT_TRUE(entry->Match(m.letter, m.function)) << "entry " << i;
        for (int direction : {DT_REQUEST, DT_REPLY}) {
            const auto expected = tables::PrototypesOf(m.letter, m.function, direction);
            ASSERT_EQ(entry->GetParamCount(direction), (int)expected.size())
                << Where(i, m, direction, 0);
            CParamArray* list = entry->GetParamList(direction);
            ASSERT_EQ(list->GetSize(), (int)expected.size());
            for (int k = 0; k < (int)expected.size(); ++k) {
                const Proto& r = *expected[k];
                CParam* p = entry->GetParameter(k, direction);
                const std::string where = Where(i, m, direction, k);
                ASSERT_NE(p, nullptr) << where;
                EXPECT_EQ(p, list->GetAt(k)) << where;
                EXPECT_TRUE(IsOfItsClass(p, r)) << where << " is a " << typeid(*p).name();
                EXPECT_EQ(p->GetType(), tables::TypeOf(r)) << where;
                EXPECT_TRUE(p->Match(r.letter, r.function)) << where;
                EXPECT_EQ(p->IsReply(), direction == DT_REPLY) << where;
                EXPECT_EQ(p->GetMultiple(), r.kind == Kind::Bool ? 1 : r.multiple) << where;
                EXPECT_EQ(p->GetCount(), 0) << where << ": a prototype is never read into";
                EXPECT_EQ(std::string(p->GetPrompt()),
                          std::string(CParam::GetPrompt(11000 + r.prompt)))
                    << where;
                if (const CBitParam* bits = dynamic_cast<const CBitParam*>(p)) {
                    EXPECT_EQ(bits->GetStartBit(), r.start) << where;
                    EXPECT_EQ(bits->GetLength(), r.width) << where;
                }
            }
        }
    }
}

TEST(CatalogueFiling, ScanningStopsAtTheTerminatorAndEveryOtherPrototypeIsFiled) {
    std::set<CParam*> filed;
    for (int i = 0; i < VASK_CATALOGUE_SIZE; ++i)
        for (int direction : {DT_REQUEST, DT_REPLY})
            for (int k = 0; k < GetMessageInfo(i)->GetParamCount(direction); ++k)
                filed.insert(GetMessageInfo(i)->GetParameter(k, direction));
    // 861 prototypes less the terminator, each object filed under its own message.
    EXPECT_EQ(filed.size(), tables::Prototypes().size() - 1);
    for (CParam* p : filed) EXPECT_FALSE(p->Match('X', 0));
    EXPECT_EQ(Lookup('X', 0), -1);
}

TEST(CatalogueFiling, TheFourEntriesOfK24ShareOneRequestList) {
    CMsgInfo* first = GetMessageInfo(387);
    ASSERT_EQ(first->GetParamCount(DT_REQUEST), 1);
    EXPECT_EQ(first->GetParamCount(DT_REPLY), 0);
    for (int i = 388; i <= 390; ++i) {
        EXPECT_TRUE(GetMessageInfo(i)->Match('K', 24));
        ASSERT_EQ(GetMessageInfo(i)->GetParamCount(DT_REQUEST), 1) << i;
        EXPECT_EQ(GetMessageInfo(i)->GetParameter(0, DT_REQUEST),
                  first->GetParameter(0, DT_REQUEST))
            << i;
    }
}

TEST(CatalogueFiling, BroadcastAndChannelReadOfAllValuesCarryTheSameReplyShape) {
    CMsgInfo* b2 = GetMessageInfo(Lookup('b', 2));
    CMsgInfo* k2 = GetMessageInfo(Lookup('k', 2));
    ASSERT_EQ(b2->GetParamCount(DT_REPLY), 1);
    ASSERT_EQ(k2->GetParamCount(DT_REPLY), 1);
    CParam* b = b2->GetParameter(0, DT_REPLY);
    CParam* k = k2->GetParameter(0, DT_REPLY);
    EXPECT_NE(b, k);
    EXPECT_EQ(b->GetType(), PT_UQFLOAT);
    EXPECT_EQ(k->GetType(), b->GetType());
    EXPECT_EQ(k->GetMultiple(), b->GetMultiple());
    EXPECT_EQ(std::string(k->GetPrompt()), std::string(b->GetPrompt()));
    EXPECT_EQ(std::string(b2->GetName()), std::string(k2->GetName()));
}

// ---- Lookup ----------------------------------------------------------------------------

TEST(CatalogueLookup, FirstMatchFromTheStartAndTheClosingEntryEndsTheWalk) {
    struct Case {
        char letter;
        int function;
        int entry;  // -1: unknown
    } cases[] = {
        {'b', 2, 0},
        {'Z', 1, 1},
        {'Z', 26, 22},
        {'F', 29, 51},
        {'s', 1, 52},
        {'S', 43, 137},
        {'w', 91, 223},
        {'W', 1, 224},
        {'k', 31, 377},
        {'K', 7, 378},
        {'K', 24, 387},
        {'K', 30, 396},
        {'?', '?', 397},
        {'B', 'S', 398},
        {'C', 'E', 399},
        {'D', 'E', 400},
        {'S', 'E', 401},
        {'O', 'F', 402},
        // Not in the table: the end of the walk.
        {0, 0, -1},
        {'x', 200, -1},
        {'S', 44, -1},
        {'w', 84, -1},
        {'k', 7, -1},
        {'X', 0, -1},
        {'b', 1, -1},
        {'Z', 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Lookup(c.letter, c.function), c.entry) << c.letter << " " << c.function;
}

TEST(CatalogueLookup, EntriesOutsideTheTableAreNull) {
    EXPECT_EQ(GetMessageInfo(-1), nullptr);
    EXPECT_EQ(GetMessageInfo(VASK_CATALOGUE_SIZE), nullptr);
    EXPECT_EQ(GetMessageInfo(0x7FFFFFFF), nullptr);
    CMsgInfo* closing = GetMessageInfo(VASK_CATALOGUE_SIZE - 1);
    ASSERT_NE(closing, nullptr);
    EXPECT_TRUE(closing->Match(0, 0));
}

TEST(CatalogueLookup, ParametersOutsideAListAreNullAndAnyOtherDirectionMeansTheRequest) {
    CMsgInfo* w83 = GetMessageInfo(Lookup('w', 83));
    ASSERT_EQ(w83->GetParamCount(DT_REQUEST), 1);
    ASSERT_EQ(w83->GetParamCount(DT_REPLY), 5);
    EXPECT_EQ(w83->GetParameter(-1, DT_REPLY), nullptr);
    EXPECT_EQ(w83->GetParameter(5, DT_REPLY), nullptr);
    EXPECT_EQ(w83->GetParameter(1, DT_REQUEST), nullptr);
    EXPECT_NE(w83->GetParameter(4, DT_REPLY), nullptr);
    for (int other : {0, 3, -1}) {
        EXPECT_EQ(w83->GetParamCount(other), 1) << other;
        EXPECT_EQ(w83->GetParamList(other), w83->GetParamList(DT_REQUEST)) << other;
        EXPECT_EQ(w83->GetParameter(0, other), w83->GetParameter(0, DT_REQUEST)) << other;
    }
    EXPECT_NE(w83->GetParamList(DT_REPLY), w83->GetParamList(DT_REQUEST));
    EXPECT_EQ(GetMessageInfo(Lookup('J', 1))->GetParameter(0, DT_REPLY), nullptr);
}

// ---- Names -------------------------------------------------------------------------------

TEST(CatalogueNames, EveryEntryShowsItsNameTextOrTheMissingTextWithItsNameId) {
    const auto& names = tables::Names();
    for (int i = 0; i < VASK_CATALOGUE_SIZE; ++i) {
        const int id = tables::Catalogue()[i].nameId;
        const auto it = names.find(id);
        std::string expected;
        if (it != names.end()) {
            expected = it->second;
        } else {
            char text[40];
            snprintf(text, sizeof text, "ID %d not found", id);
            expected = text;
        }
        EXPECT_EQ(std::string(GetMessageInfo(i)->GetName()), expected) << "entry " << i;
    }
}

TEST(CatalogueNames, SpotChecks) {
    struct Case {
        int entry;
        const char* name;
    } cases[] = {
        {387, "Reset"},
        {388, "Pause"},
        {389, "Standby"},
        {390, "Messen"},
        {403, "ID 0 not found"},
        {397, "ID 0 not found"},
        {402, "ID 0 not found"},
        {15, "ID -1 not found"},
        {24, "ID 116 not found"},
        {0, "Alle Me\xDFwerte des Kanals lesen"},
        {353, "Alle Me\xDFwerte des Kanals lesen"},
        {14, "Datum H2S-Sonde lesen"},
        {222, "Datum H2S-Sonde lesen"},
        {16, "Datum H2S-Sonde setzen"},
        {308, "Datum H2S-Sonde setzen"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(GetMessageInfo(c.entry)->GetName()), c.name) << c.entry;
}

// ---- Copies ------------------------------------------------------------------------------

TEST(CatalogueCopy, ACopySharesThePrototypesAndLeavesTheEntryWhole) {
    CMsgInfo* s16 = GetMessageInfo(Lookup('S', 16));
    const int count = s16->GetParamCount(DT_REQUEST);
    ASSERT_EQ(count, 10);
    {
        CMsgInfo copy(*s16);
        EXPECT_TRUE(copy.Match('S', 16));
        EXPECT_EQ(std::string(copy.GetName()), std::string(s16->GetName()));
        ASSERT_EQ(copy.GetParamCount(DT_REQUEST), count);
        EXPECT_EQ(copy.GetParamCount(DT_REPLY), 0);
        EXPECT_NE(copy.GetParamList(DT_REQUEST), s16->GetParamList(DT_REQUEST));
        for (int k = 0; k < count; ++k)
            EXPECT_EQ(copy.GetParameter(k, DT_REQUEST), s16->GetParameter(k, DT_REQUEST));
    }
    // The copy is gone; the entry and its prototypes are not.
    ASSERT_EQ(s16->GetParamCount(DT_REQUEST), count);
    for (int k = 0; k < count; ++k)
        EXPECT_EQ(s16->GetParameter(k, DT_REQUEST)->GetType() >= PT_BIT, true);
}

TEST(CatalogueCopy, AnEntryMadeLaterFilesFromTheSameArray) {
    CMsgInfo later('w', 83, -1);
    CMsgInfo* w83 = GetMessageInfo(Lookup('w', 83));
    ASSERT_EQ(later.GetParamCount(DT_REPLY), 5);
    ASSERT_EQ(later.GetParamCount(DT_REQUEST), 1);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(later.GetParameter(k, DT_REPLY), w83->GetParameter(k, DT_REPLY));
    EXPECT_EQ(std::string(later.GetName()), "ID -1 not found");
    // Building again does not make a second set.
    BuildParamPrototypes();
    CMsgInfo again('w', 83, -1);
    EXPECT_EQ(again.GetParameter(0, DT_REQUEST), w83->GetParameter(0, DT_REQUEST));
}

}  // namespace
