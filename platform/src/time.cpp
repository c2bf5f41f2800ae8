// CTime and CTimeSpan over the C runtime's 64-bit time functions.
#include "internal.h"

#include <string.h>

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_timeSpan(((time_t)lDays * 24 + nHours) * 3600 + (time_t)nMins * 60 + nSecs) {}

CTime PASCAL CTime::GetCurrentTime() { return CTime(::time(NULL)); }

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) {
    struct tm atm;
    memset(&atm, 0, sizeof atm);
    atm.tm_sec = nSec;
    atm.tm_min = nMin;
    atm.tm_hour = nHour;
    atm.tm_mday = nDay;
    atm.tm_mon = nMonth - 1;
    atm.tm_year = nYear - 1900;
    atm.tm_isdst = nDST;
    m_time = mktime(&atm);
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const {
    static const struct tm epoch = {0, 0, 0, 1, 0, 70, 4, 0, 0};
    struct tm* p = ptm;
    if (p == NULL) return NULL;
    // localtime_s refuses times before 1970 (and some just after it west of Greenwich).
    if (m_time < 0 || localtime_s(p, &m_time) != 0) *p = epoch;
    return p;
}

int CTime::GetYear() const {
    struct tm t;
    return GetLocalTm(&t)->tm_year + 1900;
}
int CTime::GetMonth() const {
    struct tm t;
    return GetLocalTm(&t)->tm_mon + 1;
}
int CTime::GetDay() const {
    struct tm t;
    return GetLocalTm(&t)->tm_mday;
}
int CTime::GetHour() const {
    struct tm t;
    return GetLocalTm(&t)->tm_hour;
}
int CTime::GetMinute() const {
    struct tm t;
    return GetLocalTm(&t)->tm_min;
}
int CTime::GetSecond() const {
    struct tm t;
    return GetLocalTm(&t)->tm_sec;
}
int CTime::GetDayOfWeek() const {
    struct tm t;
    return GetLocalTm(&t)->tm_wday + 1;
}

CString CTime::Format(LPCSTR pszFormat) const {
    if (pszFormat == NULL || *pszFormat == '\0') return CString();
    struct tm t;
    GetLocalTm(&t);
    char buffer[256];
    size_t n = strftime(buffer, sizeof buffer, pszFormat, &t);
    return CString(buffer, (int)n);
}
