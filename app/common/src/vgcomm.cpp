// COM and the gateway client of a thread.
#include "apputil.h"

#include "VaskGate.h"
#include "resource.h"

#include <objbase.h>

#include <mutex>

namespace {

std::mutex g_securityLock;
bool g_securitySet = false;

// Sets the process's COM security once: S_OK for the caller that set it, RPC_E_TOO_LATE
// for every later one. Not every COM runtime refuses a second setting itself, and only the
// first caller may start a gateway client.
HRESULT SetProcessSecurity() {
    std::lock_guard<std::mutex> lock(g_securityLock);
    if (g_securitySet) return RPC_E_TOO_LATE;
    // The gateway server calls back without authentication.
    const HRESULT hr = CoInitializeSecurity(NULL, -1, NULL, NULL, RPC_C_AUTHN_LEVEL_NONE,
                                            RPC_C_IMP_LEVEL_IDENTIFY, NULL, EOAC_NONE, NULL);
    if (SUCCEEDED(hr) || hr == RPC_E_TOO_LATE) g_securitySet = true;
    return hr;
}

}  // namespace

BOOL InitVGComm() {
    const HRESULT hr = CoInitializeEx(NULL, COINIT_MULTITHREADED);
    if (hr != S_OK && hr != S_FALSE) return FALSE;
    const HRESULT security = SetProcessSecurity();
    if (security == RPC_E_TOO_LATE) return TRUE;
    if (FAILED(security)) return FALSE;
    const VG_ERROR error = VGInitialize();
    if (error == VG_OK) return TRUE;
    CString text;
    text.Format((UINT)IDS_GATEWAY_INIT_ERROR, (int)error);
    AfxMessageBox(text);
    return FALSE;
}
