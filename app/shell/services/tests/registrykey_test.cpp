// The registry key of a section below the application's profile key: reads by value name
// text or string id, what they create, the value types they take, and the deletion of the
// section.
#include "registrykey.h"
#include "shell_test_support.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace shelltest;

const char kMaker[] = "KorvanGA registry key test";
// A string id that the program does not have.
const UINT kNoString = 3;

class RegistryKey : public ::testing::Test {
protected:
    ProfileKey profile_{kMaker};
};

TEST_F(RegistryKey, ReadsCreateTheKeysButNoValues) {
    CRegistryKey key("Sec");
    EXPECT_EQ(7u, key.ReadDWORD("Missing", 7));
    EXPECT_EQ("dflt", std::string(key.ReadString("Missing", "dflt")));
    EXPECT_TRUE(profile_.SectionExists("Sec"));
    EXPECT_EQ(0, profile_.ValueCount("Sec"));
}

TEST_F(RegistryKey, ReadsTakeTheStoredBytes) {
    const BYTE binary[] = {0x78, 0x56, 0x34, 0x12};
    const BYTE wide[] = {1, 2, 3, 4, 5, 6, 7, 8};
    const char unterminated[] = {'a', 'b', 'c'};
    profile_.SetDword("Sec", "dword", 0x12345678);
    profile_.Set("Sec", "binary", REG_BINARY, binary, sizeof binary);
    profile_.Set("Sec", "wide", REG_BINARY, wide, sizeof wide);
    profile_.SetString("Sec", "text", "Comm");
    profile_.Set("Sec", "unterminated", REG_SZ, unterminated, sizeof unterminated);
    profile_.SetString("Sec", "empty", "");

    CRegistryKey key("Sec");
    struct Case {
        const char* name;
        DWORD dword;       // ReadDWORD with the default 99
        const char* text;  // ReadString with the default "dflt"
    } cases[] = {
        {"dword", 0x12345678, "dflt"},   // a number is no text
        {"binary", 0x12345678, "dflt"},  // the stored type is ignored
        {"wide", 99, "dflt"},            // more than four bytes cannot be read
        {"text", 99, "Comm"},            // "Comm" and its terminator: five bytes
        {"unterminated", 0x636261, "abc"},
        {"empty", 0, ""},
        {"missing", 99, "dflt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.dword, key.ReadDWORD(c.name, 99)) << c.name;
        EXPECT_EQ(c.text, std::string(key.ReadString(c.name, "dflt"))) << c.name;
    }
}

TEST_F(RegistryKey, NamesAndSectionsFromTheStringTable) {
    CRegistryKey key((UINT)IDS_GATEWAYS);
    EXPECT_EQ("Gateways", std::string(key.GetSection()));
    EXPECT_TRUE(key.WriteDWORD((UINT)IDS_NETWORK_ENTRY, 5));
    EXPECT_EQ(5, profile_.Dword("Gateways", "Network"));
    EXPECT_EQ(5u, key.ReadDWORD((UINT)IDS_NETWORK_ENTRY, 0));
    EXPECT_TRUE(key.WriteString((UINT)IDS_CONVERTER_PREFIX, "x"));
    EXPECT_EQ("x", std::string(key.ReadString("Converter", "")));
    EXPECT_EQ("x", std::string(key.ReadString((UINT)IDS_CONVERTER_PREFIX, "")));

    // A name string that does not exist.
    EXPECT_EQ(0u, key.ReadDWORD(kNoString, 9));
    EXPECT_EQ("", std::string(key.ReadString(kNoString, "dflt")));
    EXPECT_FALSE(key.WriteDWORD(kNoString, 1));
    EXPECT_FALSE(key.WriteString(kNoString, "x"));
    EXPECT_EQ(2, profile_.ValueCount("Gateways"));

    // A section string that does not exist: no section.
    CRegistryKey none(kNoString);
    EXPECT_EQ("", std::string(none.GetSection()));
    EXPECT_FALSE(none.SetSection(kNoString));
    EXPECT_TRUE(none.SetSection((UINT)IDS_NETWORKLIST));
    EXPECT_EQ("Networklist", std::string(none.GetSection()));
}

TEST_F(RegistryKey, WithoutSectionOrNameNothingIsReadOrWritten) {
    profile_.SetDword("Sec", "v", 3);
    CRegistryKey noSection;
    EXPECT_EQ(0u, noSection.ReadDWORD("v", 9));
    EXPECT_EQ("", std::string(noSection.ReadString("v", "dflt")));
    EXPECT_FALSE(noSection.WriteDWORD("v", 1));
    EXPECT_FALSE(noSection.WriteString("v", "x"));
    EXPECT_FALSE(noSection.WriteString("", "x"));
    CRegistryKey key("Sec");
    EXPECT_EQ(0u, key.ReadDWORD("", 9));
    EXPECT_EQ("", std::string(key.ReadString("", "dflt")));
    EXPECT_FALSE(key.WriteDWORD("", 1));
    EXPECT_EQ(3, profile_.Dword("Sec", "v"));
    EXPECT_EQ(1, profile_.ValueCount("Sec"));
}

TEST_F(RegistryKey, WriteStringWithAnEmptyNameDeletesTheSection) {
    profile_.SetDword("Sec", "v", 3);
    profile_.SetDword("Sec\\Sub", "w", 4);
    profile_.SetDword("Other", "v", 5);
    CRegistryKey key("Sec");
    EXPECT_TRUE(key.WriteString("", NULL));
    EXPECT_FALSE(profile_.SectionExists("Sec"));
    EXPECT_EQ(5, profile_.Dword("Other", "v"));
}

TEST_F(RegistryKey, WrittenValuesAreNumbersAndTerminatedTexts) {
    CRegistryKey key("Sec");
    EXPECT_TRUE(key.WriteDWORD("n", 0xFFFFFFFF));
    EXPECT_TRUE(key.WriteString("t", "C:\\Log"));
    DWORD type = 0, size = 0;
    char text[32];
    size = sizeof text;
    ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, profile_.Section("Sec").c_str(), "t",
                                          RRF_RT_ANY | RRF_NOEXPAND, &type, text, &size));
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_EQ(7u, size) << "the text and its terminator";
    EXPECT_EQ(0xFFFFFFFFll, profile_.Dword("Sec", "n"));
}

// A held section key serves every read and write of the object; it follows a change of
// section, and deleting the section does not leave later writes in the deleted key.
TEST_F(RegistryKey, AHeldSectionServesItsValuesAndFollowsChanges) {
    profile_.SetDword("Sec", "v", 3);
    profile_.SetDword("Other", "v", 5);
    CRegistryKey key("Sec");
    ASSERT_TRUE(key.HoldSection());
    EXPECT_EQ(3u, key.ReadDWORD("v", 0));
    EXPECT_TRUE(key.WriteString("t", "text"));
    EXPECT_EQ("text", std::string(key.ReadString("t", "")));
    EXPECT_EQ(2, profile_.ValueCount("Sec")) << "written where the section is";

    key.SetSection("Other");
    EXPECT_EQ(5u, key.ReadDWORD("v", 0)) << "the new section, not the held old one";

    key.SetSection("Sec");
    ASSERT_TRUE(key.HoldSection());
    EXPECT_TRUE(key.WriteString("", NULL));
    EXPECT_FALSE(profile_.SectionExists("Sec"));
    EXPECT_TRUE(key.WriteDWORD("again", 7));
    EXPECT_EQ(7, profile_.Dword("Sec", "again")) << "the section made anew, the value in it";
}

// A root of the caller's: "software" below it.
TEST_F(RegistryKey, TheRootMayBeAKeyOfTheCaller) {
    profile_.SetDword("Sec", "v", 3);
    HKEY user = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_ALL_ACCESS, &user));
    CRegistryKey key("Sec", user);
    EXPECT_EQ(3u, key.ReadDWORD("v", 0));
}

}  // namespace
