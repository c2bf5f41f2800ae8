// The program's waits on the thread of its main window: the rule of windowwait.h, and the
// one wait as the caller wait of every bus request (CvaskAccess::SetCallerWait). The program
// installs them at start, and the tests of its windows for each test, so that both run with
// the program's own wiring.
#pragma once

#include "windowwait.h"

#include "vaskaccess.h"

class CProgramWaits {
public:
    // Installs both for the calling thread; what was installed before comes back at the end
    // of the object's life.
    CProgramWaits();
    ~CProgramWaits();
    CProgramWaits(const CProgramWaits&) = delete;
    CProgramWaits& operator=(const CProgramWaits&) = delete;

private:
    CWindowWaitRule m_rule;
    CvaskAccess::CallerWait m_previousCallerWait;
};
