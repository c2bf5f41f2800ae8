// The seams of the main window's panes: the call that shows the tree's context menu. Declared
// only here, outside the include path of the shell's users; tests reach it through the
// target korvanga_shell_seams.
#pragma once

#include "vaskfc.h"

// Shows a popup menu (TrackPopupMenu's arguments); ::TrackPopupMenu unless a test sets its
// own. NULL sets the system's again; the call set before is returned.
typedef BOOL (*TrackPopupCall)(HMENU hMenu, UINT nFlags, int x, int y, HWND hOwner);
TrackPopupCall SetTrackPopupCall(TrackPopupCall call);
