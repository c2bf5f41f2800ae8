// Time and date texts.
#include "apputil.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>

BOOL IsCalendarDate(int day, int month, int year) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1) return FALSE;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= days[month - 1] + (month == 2 && leap ? 1 : 0);
}

BOOL ParseTimeText(CString text, int& seconds) {
    int hours = 0, minutes = 0, secs = 0;
    const int colon = text.Find(':');
    long long total = 0;
    if (colon < 0) {
        // Minutes alone may exceed an hour: "90" is an hour and a half.
        if (sscanf(text, "%d", &minutes) != 1 || minutes < 0) return FALSE;
        total = minutes * 60LL;
    } else {
        const bool withSeconds = text.Find(':', colon + 1) >= 0;
        const int wanted = withSeconds ? 3 : 2;
        if (sscanf(text, withSeconds ? "%d:%d:%d" : "%d:%d", &hours, &minutes, &secs) != wanted)
            return FALSE;
        if (hours < 0 || minutes < 0 || minutes > 59 || secs < 0 || secs > 59) return FALSE;
        total = (hours * 60LL + minutes) * 60 + secs;
    }
    if (total > INT_MAX) return FALSE;
    seconds = (int)total;
    return TRUE;
}

BOOL ParseDateTimeText(CString text, CTime& date) {
    const int first = text.Find('.');
    if (first < 0) return FALSE;
    const CString rest = text.Mid(first + 1);
    const int second = rest.Find('.');
    if (second < 0) return FALSE;
    const int day = atoi(text.Left(first));
    const int month = atoi(rest.Left(second));
    int year = atoi(rest.Mid(second + 1));
    if (year < 1) return FALSE;
    if (year < 100) year += 1900;
    if (year < 1970 || year > 2036) return FALSE;
    if (!IsCalendarDate(day, month, year)) return FALSE;
    // Noon keeps the day whatever the daylight saving time of that date.
    date = CTime(year, month, day, 12, 0, 0);
    return TRUE;
}
