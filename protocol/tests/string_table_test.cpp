// The texts of utilvask are found in utilvask's own string table by a caller in another
// module, and arrive byte-exact in code page 1252.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class UtilvaskStrings : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module_ = LoadLibraryA("utilvask.dll"); }
    static void TearDownTestSuite() {
        if (module_) FreeLibrary(module_);
    }

    static std::string Load(UINT id) {
        char buffer[512];
        int n = LoadStringA(module_, id, buffer, sizeof buffer);
        return std::string(buffer, n > 0 ? n : 0);
    }

    static HMODULE module_;
};

HMODULE UtilvaskStrings::module_ = nullptr;

TEST_F(UtilvaskStrings, TextsWithNonAsciiLettersArriveInCodePage1252) {
    ASSERT_NE(module_, nullptr) << "utilvask.dll not loadable, error " << GetLastError();
    ASSERT_EQ(GetACP(), 1252u);
    struct Case {
        UINT id;
        const char* bytes;
    } cases[] = {
        {12040,
         "\xB0"
         "C"},                      // unit: degree Celsius
        {12051, "\xB0"},            // unit: degree
        {12013, "% S\xE4ttigung"},  // unit with a-umlaut
        {12102, "St\xF6rung"},      // relay function with o-umlaut
        {12112,
         "Ventil Me\xDF"
         "gas ist offen"},  // sharp s
    };
    for (const Case& c : cases) EXPECT_EQ(Load(c.id), c.bytes) << "string " << c.id;
}

TEST_F(UtilvaskStrings, ErrorTextsKeepTheirLineBreaksAndGapsStayEmpty) {
    ASSERT_NE(module_, nullptr);
    EXPECT_EQ(Load(13000), "No error");
    EXPECT_EQ(Load(13009), "The device does not send a response\nor the response has been missed");
    EXPECT_EQ(Load(13082),
              "Warning while writing the parameter set: Data were only written for one channel. "
              "Please check.");
    // No error 79 and nothing past 82; the unit list stops at 51.
    char buffer[16];
    EXPECT_EQ(LoadStringA(module_, 13079, buffer, sizeof buffer), 0);
    EXPECT_EQ(LoadStringA(module_, 13083, buffer, sizeof buffer), 0);
    EXPECT_EQ(LoadStringA(module_, 12052, buffer, sizeof buffer), 0);
}

}  // namespace
