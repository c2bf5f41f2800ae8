// The seams of the shell: what tests set or read of the shell's process-wide state. Declared
// only here, in a folder outside the include path of the shell's users; tests reach it
// through the target korvanga_shell_seams.
#pragma once

#include "vaskfc.h"

// The trace's process-wide nesting, as the open trace objects left it.
int GetTraceDepth();
CString GetTraceIndentation();
// Back to no nesting, as at the start of the program, whatever objects are still open.
void ResetTraceNesting();
