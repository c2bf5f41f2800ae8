// CMTimer: the millisecond clock of the communication stack on the multimedia timer:
// time stamps, polled time-outs, a busy-wait delay and a clock-time text. Times are
// (low, high) pairs; low is the platform's millisecond counter, which wraps after 2^32 ms,
// and high is always 0. The first live timer raises the timer resolution for the process,
// the last one restores it.
#pragma once

#include "utilvask_api.h"
#include "vaskfc.h"

#include <mmsystem.h>

class UTILVASK_API CMTimer {
public:
    CMTimer();
    CMTimer(const CMTimer& other);
    CMTimer& operator=(const CMTimer& other);
    ~CMTimer();

    static void GetTime(unsigned long& low, unsigned long& high);
    // a - b in milliseconds, modulo 2^32 (a wrap of the counter is harmless).
    static unsigned long TimeDiff(unsigned long aLow, unsigned long aHigh, unsigned long bLow,
                                  unsigned long bHigh);

    // Starts a time-out of ms milliseconds from now; 0 switches it off.
    void SetTimeout(unsigned long ms);
    void ResetTimeout();
    // 1 once the running time-out has expired (and until it is reset); 0 when none runs.
    int Timeout() const;
    // Milliseconds left; 0 when none runs or it has expired.
    unsigned long Remaining() const;
    // Busy wait of ms milliseconds; returns at once for 0.
    void Delay(unsigned long ms);
    unsigned long TimeAbs(unsigned long low, unsigned long high) const;
    // "hh:mm:ss.mmm" of a millisecond time, hours modulo 24.
    CString TimeString(unsigned long low, unsigned long high) const;

    // Measures the mean cost of one time read.
    static void Calibrate();
    static unsigned long GetTimeCorrection();

private:
    static void Attach();
    static void Detach();

    unsigned long m_timeout;  // 0 = no time-out running
    unsigned long m_startLow;
    unsigned long m_startHigh;  // always 0
};
