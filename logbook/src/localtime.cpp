// Local calendar times beyond the C runtime's last year.
#include "internal.h"

#include <string.h>

namespace nura {

namespace {

// The Gregorian calendar repeats itself, weekdays included, every 400 years.
const time_t kCycleSeconds = 146097LL * 86400;
const int kCycleYears = 400;
// The runtime converts years up to 3000; a year beyond 2999 is moved back by whole cycles,
// so that no local time near the end of 3000 (which lies in 3001 in UTC west of Greenwich)
// reaches the runtime.
const int kLastYear = 2999;
// 2999-01-01 00:00:00 UTC: a time below it lies in a year up to 2999 in every time zone.
const time_t kLastSafeTime = 32472144000LL;

}  // namespace

time_t MakeLocalTime(int year, int month, int day, int hour, int minute, int second) {
    int cycles = year > kLastYear ? (year - kLastYear + kCycleYears - 1) / kCycleYears : 0;
    struct tm fields;
    memset(&fields, 0, sizeof fields);
    fields.tm_year = year - cycles * kCycleYears - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    time_t t = mktime(&fields);
    if (t == (time_t)-1) return -1;
    return t + cycles * kCycleSeconds;
}

void BreakLocalTime(time_t t, struct tm& fields) {
    int cycles = 0;
    if (t >= kLastSafeTime) {
        cycles = (int)((t - kLastSafeTime) / kCycleSeconds) + 1;
        t -= cycles * kCycleSeconds;
    }
    CTime(t).GetLocalTm(&fields);
    fields.tm_year += cycles * kCycleYears;
}

}  // namespace nura
