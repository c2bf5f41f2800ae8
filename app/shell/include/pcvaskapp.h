// The application object of KorvanGA.exe.
#pragma once

#include "vaskfc.h"

class CPCVaskApp : public CWinApp {
public:
    CPCVaskApp();

    // The program has no window yet: start-up ends here, and the program ends with 0.
    BOOL InitInstance() override;
};
