// The access level of the program's main window.
#include "accesslevel.h"

int GetProgramAccessLevel() {
    CAccessLevelSource* pSource = dynamic_cast<CAccessLevelSource*>(AfxGetMainWnd());
    return pSource != NULL ? pSource->GetAccessLevel() : 0;
}
