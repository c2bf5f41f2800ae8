// COleDateTime: date texts through the system's parser, calendar fields, and the local
// midnight of a day as a CTime, in a pinned time zone (Europe/Berlin, see main).
#include "vaskfc.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <time.h>

namespace {

const LCID kGerman = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);
const LCID kEnglishUS = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

TEST(OleDateTime, ParsesDatesAndRefusesOtherTexts) {
    struct Case {
        const char* text;
        DWORD flags;
        LCID lcid;
        bool valid;
        int y, mo, d, h, mi, s;
    };
    const DWORD dateOnly = VAR_DATEVALUEONLY;
    const Case cases[] = {
        {"2024-03-15", dateOnly, LANG_USER_DEFAULT, true, 2024, 3, 15, 0, 0, 0},
        {"2024-03-15 13:45:10", dateOnly, LANG_USER_DEFAULT, true, 2024, 3, 15, 0, 0, 0},
        {"2024-03-15 13:45:10", 0, LANG_USER_DEFAULT, true, 2024, 3, 15, 13, 45, 10},
        {"1970-01-02", dateOnly, LANG_USER_DEFAULT, true, 1970, 1, 2, 0, 0, 0},
        {"2036-12-31", dateOnly, LANG_USER_DEFAULT, true, 2036, 12, 31, 0, 0, 0},
        {"1899-12-29", dateOnly, LANG_USER_DEFAULT, true, 1899, 12, 29, 0, 0, 0},
        {"2024-02-29", dateOnly, LANG_USER_DEFAULT, true, 2024, 2, 29, 0, 0, 0},
        {"15.03.2024", dateOnly, kGerman, true, 2024, 3, 15, 0, 0, 0},
        {"3/15/2024", dateOnly, kEnglishUS, true, 2024, 3, 15, 0, 0, 0},
        {"", dateOnly, LANG_USER_DEFAULT, false, 0, 0, 0, 0, 0, 0},
        {"   ", dateOnly, LANG_USER_DEFAULT, false, 0, 0, 0, 0, 0, 0},
        {"gestern", dateOnly, LANG_USER_DEFAULT, false, 0, 0, 0, 0, 0, 0},
        {"2024-13-45", dateOnly, LANG_USER_DEFAULT, false, 0, 0, 0, 0, 0, 0},
        {"2024-03-15x", dateOnly, LANG_USER_DEFAULT, false, 0, 0, 0, 0, 0, 0},
        {"0;1;1", dateOnly, LANG_USER_DEFAULT, false, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        COleDateTime dt(2000, 1, 1, 12, 0, 0);
        BOOL ok = dt.ParseDateTime(c.text, c.flags, c.lcid);
        EXPECT_EQ(!!ok, c.valid) << "\"" << c.text << "\"";
        EXPECT_EQ(dt.GetStatus(), c.valid ? COleDateTime::valid : COleDateTime::invalid) << c.text;
        if (!c.valid) {
            EXPECT_EQ(dt.GetYear(), -1) << c.text;
            continue;
        }
        EXPECT_EQ(dt.GetYear(), c.y) << c.text;
        EXPECT_EQ(dt.GetMonth(), c.mo) << c.text;
        EXPECT_EQ(dt.GetDay(), c.d) << c.text;
        EXPECT_EQ(dt.GetHour(), c.h) << c.text;
        EXPECT_EQ(dt.GetMinute(), c.mi) << c.text;
        EXPECT_EQ(dt.GetSecond(), c.s) << c.text;
    }
    COleDateTime dt;
    EXPECT_FALSE(dt.ParseDateTime(NULL, VAR_DATEVALUEONLY));
    EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid);
}

TEST(OleDateTime, FieldsAndTheDateNumberAgree) {
    struct Case {
        int y, mo, d, h, mi, s;
        DATE dt;
        int dayOfWeek;  // 1 = Sunday
    };
    const Case cases[] = {
        {1899, 12, 30, 0, 0, 0, 0.0, 7},    // day 0, a Saturday
        {1899, 12, 29, 6, 0, 0, -1.25, 6},  // before day 0 the time still counts up
        {1900, 1, 1, 12, 0, 0, 2.5, 2},        {1970, 1, 1, 0, 0, 0, 25569.0, 5},
        {2024, 3, 15, 18, 0, 0, 45366.75, 6},  {100, 1, 1, 0, 0, 0, -657434.0, 6},
        {9999, 12, 31, 0, 0, 0, 2958465.0, 6},
    };
    for (const Case& c : cases) {
        COleDateTime made(c.y, c.mo, c.d, c.h, c.mi, c.s);
        ASSERT_EQ(made.GetStatus(), COleDateTime::valid) << c.y;
        EXPECT_DOUBLE_EQ(made.m_dt, c.dt) << c.y;
        COleDateTime read(c.dt);
        EXPECT_EQ(read.GetYear(), c.y);
        EXPECT_EQ(read.GetMonth(), c.mo);
        EXPECT_EQ(read.GetDay(), c.d);
        EXPECT_EQ(read.GetHour(), c.h);
        EXPECT_EQ(read.GetDayOfWeek(), c.dayOfWeek) << c.y;
        // The system's conversion agrees.
        SYSTEMTIME st;
        ASSERT_TRUE(VariantTimeToSystemTime(c.dt, &st));
        EXPECT_EQ(st.wYear, c.y);
        EXPECT_EQ(st.wDay, c.d);
    }
    EXPECT_EQ(COleDateTime(2023, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(99, 12, 31, 0, 0, 0).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(2024, 1, 1, 24, 0, 0).GetStatus(), COleDateTime::invalid);
    COleDateTime late(2024, 1, 1, 23, 59, 59);
    late.m_dt += 0.9 / 86400;  // rounds to the next day's midnight
    EXPECT_EQ(late.GetDay(), 2);
    EXPECT_EQ(late.GetHour(), 0);
    EXPECT_EQ(COleDateTime(1e9).GetYear(), -1) << "beyond the year 9999";
}

TEST(OleDateTime, ADayBecomesItsLocalMidnight) {
    struct Case {
        const char* text;
        bool ok;
        time_t midnight;  // seconds since 1970 UTC
    };
    const Case cases[] = {
        {"2024-03-15", true, 1710457200},        // winter: 23:00 UTC the day before
        {"2024-07-01 08:30", true, 1719784800},  // summer: 22:00 UTC the day before
        {"2024-03-31", true, 1711839600},        // the day clocks go forward
        {"2024-10-27", true, 1729980000},        // the day clocks go back
        {"1970-01-02", true, 82800},
        {"1970-01-01", false, 0},  // 1969-12-31 23:00 UTC: before CTime
        {"1969-07-20", false, 0},
        {"kein Datum", false, 0},
    };
    for (const Case& c : cases) {
        COleDateTime dt;
        dt.ParseDateTime(c.text, VAR_DATEVALUEONLY, LANG_USER_DEFAULT);
        CTime t(12345);
        EXPECT_EQ(!!dt.GetAsLocalMidnight(t), c.ok) << c.text;
        EXPECT_EQ(t.GetTime(), c.ok ? c.midnight : 12345) << c.text;
        if (c.ok) {
            EXPECT_EQ(t.GetHour(), 0);
            EXPECT_EQ(t.GetMinute(), 0);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Wine takes the zone from the TZ of the environment; the C runtime would read TZ itself
    // in its own (Windows) form and misread it. Without it, it asks Windows.
    _putenv("TZ=");
    _tzset();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
