// Message boxes shown at a point of the screen: the box is centred on a 1 x 1 window
// ("nuraMessageBoxPosWnd") placed at (x, y), which exists only while the box is shown.
#pragma once

#include "vaskfc.h"

// `owner` (or the main window when it is NULL) is disabled while the box is shown and
// enabled again afterwards, unless it was disabled before. The button pressed.
int PosMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type, int x, int y);
// The application's name as the caption; the main window as the owner.
int PosMessageBoxText(LPCSTR text, UINT type, int x, int y);
// The text of string `id` of the program's string table.
int PosMessageBoxId(UINT id, UINT type, int x, int y);
