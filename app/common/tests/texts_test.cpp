// Number, time and date texts, character replacement and the folders.
#include "apputil.h"

#include <gtest/gtest.h>

#include <limits.h>
#include <math.h>
#include <stdlib.h>
#include <time.h>

#include <string>

namespace {

TEST(IntToString, FormatsLikePercentI) {
    EXPECT_EQ(std::string(IntToString(0)), "0");
    EXPECT_EQ(std::string(IntToString(-42)), "-42");
    EXPECT_EQ(std::string(IntToString(INT_MIN)), "-2147483648");
    EXPECT_EQ(std::string(IntToString(INT_MAX)), "2147483647");
}

TEST(StringToDouble, TakesANumberWithItsUnitAndRefusesTheRest) {
    struct Case {
        const char* text;
        const char* unit;
        BOOL ok;
        double value;
    } cases[] = {
        {"12.5", "", TRUE, 12.5},
        {"  -3.25\t", "", TRUE, -3.25},
        {"12.5 ppm", "ppm", TRUE, 12.5},
        {"12.5ppm", "ppm", TRUE, 12.5},
        {"ppm 12.5", "ppm", TRUE, 12.5},
        {"7 mg / m\xB3", "mg / m\xB3", TRUE, 7},
        {"1e3", "", TRUE, 1000},
        {"12.5 ppm", "", FALSE, 12.5},  // no unit given: the unit is trailing text
        {"12.5 x", "ppm", FALSE, 12.5},
        {"12.5 ppm ppm", "ppm", FALSE, 12.5},  // only the first occurrence is cut out
        {"1 2", "", FALSE, 1},
        {"abc", "", FALSE, 0},
        {"", "", FALSE, 0},
        {"   ", "", FALSE, 0},
        {"ppm", "ppm", FALSE, 0},
        {"nan", "", FALSE, 0},
        {"inf", "", FALSE, 0},
        {"1e999", "", FALSE, 0},
    };
    for (const Case& c : cases) {
        double value = -1;
        EXPECT_EQ(StringToDouble(c.text, value, c.unit), c.ok) << c.text << " / " << c.unit;
        if (c.ok || c.value != 0) {
            EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        }
    }
    double value = -1;
    StringToDouble("", value, "");
    EXPECT_EQ(value, 0.0) << "an empty text gives 0";
}

TEST(ParseTimeText, MinutesOrHoursMinutesOrHoursMinutesSeconds) {
    struct Case {
        const char* text;
        BOOL ok;
        int seconds;
    } cases[] = {
        {"12:30", TRUE, 45000},
        {"90", TRUE, 5400},  // minutes alone are not limited to an hour
        {"0", TRUE, 0},
        {"1:2:3", TRUE, 3723},
        {"0:59:59", TRUE, 3599},
        {"100:0", TRUE, 360000},
        {"1:60", FALSE, 0},
        {"1:2:60", FALSE, 0},
        {"1:-1", FALSE, 0},
        {"-1:30", FALSE, 0},
        {"-5", FALSE, 0},
        {":30", FALSE, 0},
        {"1:", FALSE, 0},
        {"1:2:", FALSE, 0},
        {"abc", FALSE, 0},
        {"", FALSE, 0},
        {"40000000", FALSE, 0},  // beyond an int of seconds
        {"596523:14:7", TRUE, INT_MAX},
        {"596523:14:8", FALSE, 0},
    };
    for (const Case& c : cases) {
        int seconds = -7;
        EXPECT_EQ(ParseTimeText(c.text, seconds), c.ok) << c.text;
        EXPECT_EQ(seconds, c.ok ? c.seconds : -7) << c.text;
    }
}

TEST(ParseDateTimeText, DaysOf1970To2036AtNoonLocalTime) {
    // The test runs in Central European time: noon is 11:00 UTC in winter, 10:00 in summer.
    // Wine takes the zone from TZ; the C runtime would misread TZ in its own form, so it is
    // cleared for the runtime, which then asks Windows.
    _putenv("TZ=");
    _tzset();
    struct Case {
        const char* text;
        BOOL ok;
        long long utc;
    } cases[] = {
        {"29.2.2000", TRUE, 951822000},
        {"1.1.70", TRUE, 39600},
        {"15.7.2005", TRUE, 1121421600},
        {"31.12.2036", TRUE, 2114334000},
        {"01.02.03", FALSE, 0},  // 1903
        {"31.4.2005", FALSE, 0},
        {"29.2.1900", FALSE, 0},
        {"1.1.37", FALSE, 0},  // 1937
        {"29.2.2001", FALSE, 0},
        {"1.1.2037", FALSE, 0},
        {"31.12.1969", FALSE, 0},
        {"0.1.2000", FALSE, 0},
        {"1.0.2000", FALSE, 0},
        {"1.13.2000", FALSE, 0},
        {"1.1.0", FALSE, 0},
        {"15.6", FALSE, 0},
        {"15", FALSE, 0},
        {"", FALSE, 0},
    };
    for (const Case& c : cases) {
        CTime date(12345);
        EXPECT_EQ(ParseDateTimeText(c.text, date), c.ok) << c.text;
        EXPECT_EQ((long long)date.GetTime(), c.ok ? c.utc : 12345) << c.text;
    }
}

TEST(ReplaceAnyOf, ReplacesEachListedCharacterByTheWholeReplacement) {
    struct Case {
        const char* text;
        const char* characters;
        const char* replacement;
        const char* result;
    } cases[] = {
        {"1,5;2.0", ",;.", ".", "1.5.2.0"},
        {"a,b;c", ",;", "--", "a--b--c"},
        {"a,b", ",", "", "ab"},
        {"abc", "", "x", "abc"},
        {"", ",", "x", ""},
        {"\xE4,\xF6", "\xE4", "ae", "ae,\xF6"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(ReplaceAnyOf(c.text, c.characters, c.replacement)), c.result)
            << c.text;
}

// Sets the application's help-file path for one test and restores it.
class HelpPath {
public:
    explicit HelpPath(LPCSTR path) : m_saved(AfxGetApp()->m_pszHelpFilePath) {
        AfxGetApp()->m_pszHelpFilePath = path;
    }
    ~HelpPath() { AfxGetApp()->m_pszHelpFilePath = m_saved; }

private:
    LPCSTR m_saved;
};

TEST(GetProgramFolder, IsTheFolderOfTheHelpFile) {
    char module[MAX_PATH];
    const DWORD n = GetModuleFileNameA(NULL, module, sizeof module);
    std::string folder(module, n);
    folder.erase(folder.rfind('\\'));
    EXPECT_EQ(std::string(GetProgramFolder()), folder) << "the help file lies beside the program";
    struct Case {
        const char* path;
        const char* folder;
    } cases[] = {
        {"C:\\Program Files\\KorvanGA\\KorvanGA.chm", "C:\\Program Files\\KorvanGA"},
        {"C:\\KorvanGA.chm", "C:"},
        {"KorvanGA.chm", ""},
        {"\\KorvanGA.chm", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        HelpPath path(c.path);
        EXPECT_EQ(std::string(GetProgramFolder()), c.folder) << c.path;
    }
    HelpPath none(NULL);
    EXPECT_EQ(std::string(GetProgramFolder()), "");
}

TEST(GetTempFolder, IsTheSystemsTemporaryFolder) {
    char saved[32768];
    const DWORD had = GetEnvironmentVariableA("TMP", saved, sizeof saved);
    ASSERT_TRUE(SetEnvironmentVariableA("TMP", "C:\\windows\\temp\\korvan ga\\"));
    EXPECT_EQ(std::string(GetTempFolder()), "C:\\windows\\temp\\korvan ga\\");
    SetEnvironmentVariableA("TMP", had ? saved : NULL);
    char system[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof system, system);
    EXPECT_EQ(std::string(GetTempFolder()), std::string(system, n));
}

}  // namespace
