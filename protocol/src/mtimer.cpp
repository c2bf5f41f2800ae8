// The millisecond timer of the communication stack.
#include "mtimer.h"

#include "utilvask_seams.h"

#include "vaskerror.h"

namespace {

// The platform's own multimedia timer functions.
DWORD WINAPI PlatformGetTime() { return timeGetTime(); }
MMRESULT WINAPI PlatformGetDevCaps(LPTIMECAPS caps, UINT size) {
    return timeGetDevCaps(caps, size);
}
MMRESULT WINAPI PlatformBeginPeriod(UINT period) { return timeBeginPeriod(period); }
MMRESULT WINAPI PlatformEndPeriod(UINT period) { return timeEndPeriod(period); }

const CMTimerPlatform kPlatform = {PlatformGetTime, PlatformGetDevCaps, PlatformBeginPeriod,
                                   PlatformEndPeriod};
CMTimerPlatform g_platform = kPlatform;

// The instance count and the period are changed together under one lock, so that a timer
// created on one thread while another creates the first one finds the resolution raised.
SRWLOCK g_lock = SRWLOCK_INIT;
int g_instances = 0;
UINT g_period = 1;

volatile unsigned long g_timeCorrection = 0;

}  // namespace

void SetTimerPlatform(const CMTimerPlatform* platform) {
    AcquireSRWLockExclusive(&g_lock);
    g_platform = kPlatform;
    if (platform != NULL) {
        if (platform->getTime) g_platform.getTime = platform->getTime;
        if (platform->getDevCaps) g_platform.getDevCaps = platform->getDevCaps;
        if (platform->beginPeriod) g_platform.beginPeriod = platform->beginPeriod;
        if (platform->endPeriod) g_platform.endPeriod = platform->endPeriod;
    }
    ReleaseSRWLockExclusive(&g_lock);
}

void CMTimer::Attach() {
    AcquireSRWLockExclusive(&g_lock);
    if (g_instances++ == 0) {
        UINT period = 1;
        TIMECAPS caps;
        if (g_platform.getDevCaps(&caps, sizeof caps) != TIMERR_NOERROR)
            period = 10;
        else if (caps.wPeriodMin > 1)
            period = caps.wPeriodMin;
        g_period = period;
        g_platform.beginPeriod(period);
    }
    ReleaseSRWLockExclusive(&g_lock);
}

void CMTimer::Detach() {
    AcquireSRWLockExclusive(&g_lock);
    if (--g_instances == 0) g_platform.endPeriod(g_period);
    ReleaseSRWLockExclusive(&g_lock);
}

CMTimer::CMTimer() : m_timeout(0), m_startLow(0), m_startHigh(0) { Attach(); }

// A copy is a live timer of its own and counts as one.
CMTimer::CMTimer(const CMTimer& other)
    : m_timeout(other.m_timeout), m_startLow(other.m_startLow), m_startHigh(other.m_startHigh) {
    Attach();
}

CMTimer& CMTimer::operator=(const CMTimer& other) {
    m_timeout = other.m_timeout;
    m_startLow = other.m_startLow;
    m_startHigh = other.m_startHigh;
    return *this;
}

CMTimer::~CMTimer() { Detach(); }

void CMTimer::GetTime(unsigned long& low, unsigned long& high) {
    low = g_platform.getTime();
    high = 0;
}

unsigned long CMTimer::TimeDiff(unsigned long aLow, unsigned long, unsigned long bLow,
                                unsigned long) {
    return (unsigned long)(aLow - bLow);
}

void CMTimer::SetTimeout(unsigned long ms) {
    GetTime(m_startLow, m_startHigh);
    m_timeout = ms;
}

void CMTimer::ResetTimeout() { m_timeout = 0; }

int CMTimer::Timeout() const {
    if (m_timeout == 0) return 0;
    unsigned long now, high;
    GetTime(now, high);
    return TimeDiff(now, high, m_startLow, m_startHigh) >= m_timeout ? 1 : 0;
}

unsigned long CMTimer::Remaining() const {
    if (m_timeout == 0) return 0;
    unsigned long now, high;
    GetTime(now, high);
    unsigned long elapsed = TimeDiff(now, high, m_startLow, m_startHigh);
    return elapsed >= m_timeout ? 0 : m_timeout - elapsed;
}

void CMTimer::Delay(unsigned long ms) {
    if (ms == 0) return;
    SetTimeout(ms);
    while (!Timeout()) {}
    ResetTimeout();
}

unsigned long CMTimer::TimeAbs(unsigned long, unsigned long) const { return 0; }

CString CMTimer::TimeString(unsigned long low, unsigned long) const {
    // The counter counts milliseconds whatever resolution the timer runs with.
    unsigned long seconds = low / 1000;
    unsigned long minutes = seconds / 60;
    CString text;
    text.Format("%02lu:%02lu:%02lu.%03lu", (minutes / 60) % 24, minutes % 60, seconds % 60,
                low % 1000);
    return text;
}

void CMTimer::Calibrate() {
    unsigned long sum = 0;
    for (int k = 0; k < 256; ++k) {
        unsigned long a, b, high;
        GetTime(a, high);
        GetTime(b, high);
        sum += TimeDiff(b, 0, a, 0);
    }
    g_timeCorrection = sum >> 8;
    TRACE_INFO(1, "TIMER Calibrate: timeCorrection = %lu\n", (unsigned long)g_timeCorrection);
}

unsigned long CMTimer::GetTimeCorrection() { return g_timeCorrection; }
