// Registered window messages that the bus nodes' access objects and scans send to the
// main window: "WM_ADDRESSCONFLICT" (a second device answered under one address) and
// "WM_BUSSCAN_PROGRESS" (wParam the address being scanned, lParam the scanning node).
#pragma once

#include <windows.h>

UINT GetAddressConflictMessage();
UINT GetBusScanProgressMessage();
