// Context help of the main window's panes: the control under the point names the topic, the
// pane itself otherwise.
#pragma once

#include "vaskfc.h"

// The help context of a point of the pane (client coordinates): 0x50000 + the id of the
// child window under it when that id is a control's (1 to 57343), else dwPaneContext.
DWORD_PTR PaneHelpContext(CWnd* pPane, CPoint point, DWORD_PTR dwPaneContext);
