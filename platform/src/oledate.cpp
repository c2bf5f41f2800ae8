// COleDateTime: calendar arithmetic of the automation DATE, parsing through oleaut32.
#include "internal.h"

#include <math.h>

#include <vector>

namespace {

// Days from 1899-12-30 (DATE 0) to the given day of the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = (unsigned)(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + (long long)doe - 719468 + 25569;
}

void CivilFromDays(long long days, int& y, int& m, int& d) {
    long long z = days - 25569 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = (unsigned)(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = (int)(doy - (153 * mp + 2) / 5 + 1);
    m = (int)(mp < 10 ? mp + 3 : mp - 9);
    y = (int)(yoe + era * 400 + (m <= 2));
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// The range of dates that DATE values stand for.
const DATE kMinDate = -657434.0;  // 100-01-01
const DATE kMaxDate = 2958466.0;  // the day after 9999-12-31

// The day (integer part, towards zero) and the time of day in whole seconds. A time that
// rounds to 24:00 belongs to the next day.
bool SplitDate(DATE dt, long long& day, int& seconds) {
    if (!(dt > kMinDate - 1.0 && dt < kMaxDate)) return false;
    double whole = trunc(dt);
    day = (long long)whole;
    seconds = (int)floor(fabs(dt - whole) * 86400.0 + 0.5);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++day;
    }
    return true;
}

}  // namespace

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc) {
    SetDateTime(systimeSrc.wYear, systimeSrc.wMonth, systimeSrc.wDay, systimeSrc.wHour,
                systimeSrc.wMinute, systimeSrc.wSecond);
}

int COleDateTime::SetDate(int nYear, int nMonth, int nDay) {
    return SetDateTime(nYear, nMonth, nDay, 0, 0, 0);
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
    if (nYear < 100 || nYear > 9999 || nMonth < 1 || nMonth > 12 || nDay < 1 ||
        nDay > DaysInMonth(nYear, nMonth) || nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 ||
        nSec < 0 || nSec > 59) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    const double days = (double)DaysFromCivil(nYear, (unsigned)nMonth, (unsigned)nDay);
    const double time = (nHour * 3600 + nMin * 60 + nSec) / 86400.0;
    // Before DATE 0 the day counts down while the time of day still counts up.
    m_dt = days >= 0 ? days + time : days - time;
    m_status = valid;
    return 0;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& sysTime) const {
    long long day;
    int seconds;
    if (m_status != valid || !SplitDate(m_dt, day, seconds)) return FALSE;
    int y, m, d;
    CivilFromDays(day, y, m, d);
    if (y < 100 || y > 9999) return FALSE;
    memset(&sysTime, 0, sizeof sysTime);
    sysTime.wYear = (WORD)y;
    sysTime.wMonth = (WORD)m;
    sysTime.wDay = (WORD)d;
    sysTime.wHour = (WORD)(seconds / 3600);
    sysTime.wMinute = (WORD)(seconds / 60 % 60);
    sysTime.wSecond = (WORD)(seconds % 60);
    // 1970-01-01 was a Thursday; 0 = Sunday.
    sysTime.wDayOfWeek = (WORD)(((day - 25569) % 7 + 7 + 4) % 7);
    return TRUE;
}

int COleDateTime::GetYear() const {
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wYear : -1;
}
int COleDateTime::GetMonth() const {
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wMonth : -1;
}
int COleDateTime::GetDay() const {
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wDay : -1;
}
int COleDateTime::GetHour() const {
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wHour : -1;
}
int COleDateTime::GetMinute() const {
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wMinute : -1;
}
int COleDateTime::GetSecond() const {
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wSecond : -1;
}
int COleDateTime::GetDayOfWeek() const {
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wDayOfWeek + 1 : -1;
}

BOOL COleDateTime::ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags, LCID lcid) {
    m_dt = 0;
    m_status = invalid;
    if (lpszDate == NULL) return FALSE;
    int length = ::MultiByteToWideChar(CP_ACP, 0, lpszDate, -1, NULL, 0);
    if (length <= 0) return FALSE;
    std::vector<WCHAR> text((size_t)length);
    ::MultiByteToWideChar(CP_ACP, 0, lpszDate, -1, text.data(), length);
    DATE dt = 0;
    HRESULT hr = ::VarDateFromStr(text.data(), lcid, dwFlags, &dt);
    if (hr == E_OUTOFMEMORY) AfxThrowMemoryException();
    if (FAILED(hr)) return FALSE;
    // The parser is asked to drop the part that is not wanted; make sure it is gone.
    if (dwFlags & VAR_DATEVALUEONLY) dt = trunc(dt);
    if (dwFlags & VAR_TIMEVALUEONLY) dt = fabs(dt - trunc(dt));
    m_dt = dt;
    m_status = valid;
    return TRUE;
}

BOOL COleDateTime::GetAsLocalMidnight(CTime& t) const {
    SYSTEMTIME st;
    if (!GetAsSystemTime(st)) return FALSE;
    CTime midnight(st.wYear, st.wMonth, st.wDay, 0, 0, 0);
    if (midnight.GetTime() < 0) return FALSE;
    t = midnight;
    return TRUE;
}
