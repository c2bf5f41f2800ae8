// Start and end of vaskfc.dll in a process.
#include "internal.h"

namespace vfc {
DWORD g_tlsResource = TLS_OUT_OF_INDEXES;
DWORD g_tlsThread = TLS_OUT_OF_INDEXES;
HMODULE g_hModule = NULL;
}  // namespace vfc

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    switch (dwReason) {
        case DLL_PROCESS_ATTACH:
            vfc::g_hModule = hInstance;
            vfc::g_tlsResource = TlsAlloc();
            vfc::g_tlsThread = TlsAlloc();
            if (vfc::g_tlsResource == TLS_OUT_OF_INDEXES || vfc::g_tlsThread == TLS_OUT_OF_INDEXES)
                return FALSE;
            break;
        case DLL_PROCESS_DETACH:
            if (vfc::g_tlsResource != TLS_OUT_OF_INDEXES) TlsFree(vfc::g_tlsResource);
            if (vfc::g_tlsThread != TLS_OUT_OF_INDEXES) TlsFree(vfc::g_tlsThread);
            vfc::g_tlsResource = vfc::g_tlsThread = TLS_OUT_OF_INDEXES;
            break;
    }
    return TRUE;
}
