// The refresh round of a thread.
#include "refreshround.h"

#include <windows.h>

namespace {

// The number of the round current on each thread; 0 outside a round.
thread_local unsigned long t_current = 0;
// Numbers are unique among all threads' rounds.
volatile LONG g_lastNumber = 0;

}  // namespace

CRefreshRound::CRefreshRound() : m_outer(t_current), m_number(0) {
    do m_number = (unsigned long)InterlockedIncrement(&g_lastNumber);
    while (m_number == 0);
    t_current = m_number;
}

CRefreshRound::~CRefreshRound() { t_current = m_outer; }

unsigned long CRefreshRound::Current() { return t_current; }
