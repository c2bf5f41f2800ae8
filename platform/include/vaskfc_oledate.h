// COleDateTime: a date and time as the automation DATE (days since 1899-12-30, the time of
// day as the fraction), with a status that tells a valid value from a failed parse.
#pragma once

#include "vaskfc_base.h"
#include "vaskfc_string.h"
#include "vaskfc_time.h"

#include <oleauto.h>

class VASKFC_API COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime() : m_dt(0), m_status(valid) {}
    COleDateTime(DATE dtSrc) : m_dt(dtSrc), m_status(valid) {}
    // Fields that name no date between the years 100 and 9999 give an invalid value.
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    COleDateTime(const SYSTEMTIME& systimeSrc);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    operator DATE() const { return m_dt; }

    // Each returns 0 on success; on failure the value becomes invalid.
    int SetDate(int nYear, int nMonth, int nDay);
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    // Fields of a valid value; -1 when the value is not valid.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday
    BOOL GetAsSystemTime(SYSTEMTIME& sysTime) const;

    // Reads a date text with the system's date parser in the conventions of lcid.
    // dwFlags: VAR_DATEVALUEONLY drops the time of day, VAR_TIMEVALUEONLY the date. A text
    // the parser refuses makes the value invalid (0) and gives FALSE.
    BOOL ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    // Local midnight (00:00:00 in the current time zone) of the value's day as a CTime.
    // FALSE, leaving t as it was, when the value is not valid or its day lies outside the
    // times a CTime holds (before 1970).
    BOOL GetAsLocalMidnight(CTime& t) const;

    DATE m_dt;
    DateTimeStatus m_status;
};
