// The seams of utilvask: what tests replace of the platform under the library. The
// functions are exported, but declared only here, in a folder that the deliverables'
// include path does not hold; tests reach it through the target utilvask_seams.
#pragma once

#include "utilvask_api.h"

#include <windows.h>

#include <mmsystem.h>

// The multimedia timer functions every CMTimer uses. Null members fall back to the
// platform's own.
struct CMTimerPlatform {
    DWORD(WINAPI* getTime)();
    MMRESULT(WINAPI* getDevCaps)(LPTIMECAPS caps, UINT size);
    MMRESULT(WINAPI* beginPeriod)(UINT period);
    MMRESULT(WINAPI* endPeriod)(UINT period);
};

// Replaces the multimedia timer functions (null: the platform's). Change it only while no
// CMTimer exists.
UTILVASK_API void SetTimerPlatform(const CMTimerPlatform* platform);
