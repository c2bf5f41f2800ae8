// The registered messages of the instrument model, the same in every module of the process.
#include "nodemessages.h"

UINT GetAddressConflictMessage() {
    static const UINT message = RegisterWindowMessageA("WM_ADDRESSCONFLICT");
    return message;
}

UINT GetBusScanProgressMessage() {
    static const UINT message = RegisterWindowMessageA("WM_BUSSCAN_PROGRESS");
    return message;
}

UINT GetOfflineTransferMessage() {
    static const UINT message = RegisterWindowMessageA("WM_OFFLINE_TRANSFER");
    return message;
}
