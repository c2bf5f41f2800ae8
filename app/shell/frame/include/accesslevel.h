// The user's access level, held by the main frame: 0 "Not logged in", 1 "Maintenance",
// 2 "Specialist", 3 "Factory settings". Dialogs and pages that change with the level ask
// the program's main window through this interface, which the main frame implements.
#pragma once

#include "vaskfc.h"

class CAccessLevelSource {
public:
    virtual ~CAccessLevelSource() {}
    virtual int GetAccessLevel() const = 0;
};

// The level of the calling thread's main window (AfxGetMainWnd); 0 when it has none or it
// is no CAccessLevelSource.
int GetProgramAccessLevel();
