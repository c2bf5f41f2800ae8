// CTime and CTimeSpan in a pinned time zone (Europe/Berlin, given to Wine by the test's
// environment; see main below).
#include "vaskfc.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <time.h>

namespace {

TEST(Time, LocalFieldsAroundDaylightSavingChanges) {
    struct Case {
        int y, mo, d, h, mi, s;
        time_t utc;  // the same moment as seconds since 1970 UTC
    };
    const Case cases[] = {
        {2024, 1, 15, 12, 0, 0, 1705316400},   // winter: UTC+1
        {2024, 7, 1, 12, 0, 0, 1719828000},    // summer: UTC+2
        {2024, 3, 31, 1, 59, 59, 1711846799},  // last second before the spring change
        {2024, 3, 31, 3, 0, 0, 1711846800},    // first second after it
        {2000, 2, 29, 12, 0, 0, 951822000},    // leap day
        {2035, 12, 31, 23, 59, 59, 2082754799},
        {1970, 1, 1, 1, 0, 0, 0},  // the zero time ("never") in local time
    };
    for (const Case& c : cases) {
        CTime t(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(t.GetTime(), c.utc) << c.y << "-" << c.mo << "-" << c.d;
        CTime u(c.utc);
        EXPECT_EQ(u.GetYear(), c.y);
        EXPECT_EQ(u.GetMonth(), c.mo);
        EXPECT_EQ(u.GetDay(), c.d);
        EXPECT_EQ(u.GetHour(), c.h);
        EXPECT_EQ(u.GetMinute(), c.mi);
        EXPECT_EQ(u.GetSecond(), c.s);
    }
    EXPECT_EQ(CTime(2024, 7, 1, 12, 0, 0).GetDayOfWeek(), 2);  // a Monday
}

TEST(Time, DatesThatCannotBeRepresentedGiveMinusOne) {
    EXPECT_EQ(CTime(1969, 12, 31, 0, 0, 0).GetTime(), (time_t)-1);
    // A time before 1970 has no local fields; they read as the start of 1970.
    CTime before((time_t)-5);
    EXPECT_EQ(before.GetYear(), 1970);
    EXPECT_EQ(before.GetMonth(), 1);
}

TEST(Time, DifferencesAndFormat) {
    CTime stamp(2024, 10, 27, 1, 30, 0);
    CTime later = stamp + CTimeSpan(0, 2, 0, 5);  // across the autumn change
    CTimeSpan span = later - stamp;
    EXPECT_EQ(span.GetTotalSeconds(), 7205);
    EXPECT_EQ(span.GetTotalMinutes(), 120);
    EXPECT_EQ(span.GetHours(), 2);
    EXPECT_EQ(span.GetMinutes(), 0);
    EXPECT_EQ(span.GetSeconds(), 5);
    EXPECT_EQ(later.Format("%d.%m.%Y %H:%M:%S"), "27.10.2024 02:30:05");  // back on winter time
    EXPECT_TRUE(later > stamp);
    EXPECT_TRUE(CTime() == CTime(0));
    CTimeSpan days(3, 1, 1, 1);
    EXPECT_EQ(days.GetDays(), 3);
    EXPECT_EQ(days.GetTotalHours(), 73);
    EXPECT_EQ((CTime(0) - CTime(100)).GetTotalSeconds(), -100);

    CTime now = CTime::GetCurrentTime();
    EXPECT_GT(now.GetTime(), 1700000000);
    EXPECT_LE((CTime::GetCurrentTime() - now).GetTotalSeconds(), 2);
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
