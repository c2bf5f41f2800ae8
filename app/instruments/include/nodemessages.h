// Registered window messages of the instrument model. The bus nodes' access objects and
// scans send "WM_ADDRESSCONFLICT" (a second device answered under one address) and
// "WM_BUSSCAN_PROGRESS" (wParam the address being scanned, lParam the scanning node) to the
// main window; an analyzer's offline transfer sends "WM_OFFLINE_TRANSFER" (wParam the
// percentage done, lParam 0) to the window that started it.
#pragma once

#include <windows.h>

UINT GetAddressConflictMessage();
UINT GetBusScanProgressMessage();
UINT GetOfflineTransferMessage();
