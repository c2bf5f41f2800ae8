// CTime and CTimeSpan: a point in time as whole seconds since 1970-01-01 00:00:00 UTC, and
// a difference of such times. Broken-down fields are local time; whether daylight saving
// applies is decided by the C runtime. The time 0 stands for "never".
#pragma once

#include "vaskfc_base.h"
#include "vaskfc_string.h"

#include <time.h>

class VASKFC_API CTimeSpan {
public:
    CTimeSpan() : m_timeSpan(0) {}
    CTimeSpan(time_t time) : m_timeSpan(time) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    LONG GetDays() const { return (LONG)(m_timeSpan / (24 * 3600)); }
    LONG GetTotalHours() const { return (LONG)(m_timeSpan / 3600); }
    int GetHours() const { return (int)(GetTotalHours() - GetDays() * 24); }
    LONG GetTotalMinutes() const { return (LONG)(m_timeSpan / 60); }
    int GetMinutes() const { return (int)(GetTotalMinutes() - GetTotalHours() * 60); }
    LONG GetTotalSeconds() const { return (LONG)m_timeSpan; }
    int GetSeconds() const { return (int)(GetTotalSeconds() - GetTotalMinutes() * 60); }
    time_t GetTimeSpan() const { return m_timeSpan; }

    CTimeSpan operator-(CTimeSpan other) const { return CTimeSpan(m_timeSpan - other.m_timeSpan); }
    CTimeSpan operator+(CTimeSpan other) const { return CTimeSpan(m_timeSpan + other.m_timeSpan); }
    const CTimeSpan& operator+=(CTimeSpan other) {
        m_timeSpan += other.m_timeSpan;
        return *this;
    }
    const CTimeSpan& operator-=(CTimeSpan other) {
        m_timeSpan -= other.m_timeSpan;
        return *this;
    }
    bool operator==(CTimeSpan other) const { return m_timeSpan == other.m_timeSpan; }
    bool operator!=(CTimeSpan other) const { return m_timeSpan != other.m_timeSpan; }
    bool operator<(CTimeSpan other) const { return m_timeSpan < other.m_timeSpan; }
    bool operator>(CTimeSpan other) const { return m_timeSpan > other.m_timeSpan; }
    bool operator<=(CTimeSpan other) const { return m_timeSpan <= other.m_timeSpan; }
    bool operator>=(CTimeSpan other) const { return m_timeSpan >= other.m_timeSpan; }

private:
    time_t m_timeSpan;
};

class VASKFC_API CTime {
public:
    static CTime PASCAL GetCurrentTime();

    CTime() : m_time(0) {}
    CTime(time_t time) : m_time(time) {}
    // Local date and time; nDST < 0 lets the C runtime decide daylight saving. Fields that
    // name no representable time give the time -1.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);

    time_t GetTime() const { return m_time; }

    // Broken-down fields of the local time (a time before 1970 gives 1970-01-01 00:00:00).
    struct tm* GetLocalTm(struct tm* ptm) const;
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday

    // strftime of the local time (C locale).
    CString Format(LPCSTR pszFormat) const;

    CTimeSpan operator-(CTime other) const { return CTimeSpan(m_time - other.m_time); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    const CTime& operator+=(CTimeSpan span) {
        m_time += span.GetTimeSpan();
        return *this;
    }
    const CTime& operator-=(CTimeSpan span) {
        m_time -= span.GetTimeSpan();
        return *this;
    }
    bool operator==(CTime other) const { return m_time == other.m_time; }
    bool operator!=(CTime other) const { return m_time != other.m_time; }
    bool operator<(CTime other) const { return m_time < other.m_time; }
    bool operator>(CTime other) const { return m_time > other.m_time; }
    bool operator<=(CTime other) const { return m_time <= other.m_time; }
    bool operator>=(CTime other) const { return m_time >= other.m_time; }

private:
    time_t m_time;
};
