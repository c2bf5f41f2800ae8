// Start and end of vaskfc.dll in a process.
#include "internal.h"

namespace vfc {
DWORD g_tlsResource = TLS_OUT_OF_INDEXES;
DWORD g_tlsThread = TLS_OUT_OF_INDEXES;
DWORD g_tlsWindows = TLS_OUT_OF_INDEXES;
HMODULE g_hModule = NULL;
}  // namespace vfc

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID reserved) {
    switch (dwReason) {
        case DLL_PROCESS_ATTACH:
            vfc::g_hModule = hInstance;
            vfc::g_tlsResource = TlsAlloc();
            vfc::g_tlsThread = TlsAlloc();
            vfc::g_tlsWindows = TlsAlloc();
            if (vfc::g_tlsResource == TLS_OUT_OF_INDEXES ||
                vfc::g_tlsThread == TLS_OUT_OF_INDEXES || vfc::g_tlsWindows == TLS_OUT_OF_INDEXES)
                return FALSE;
            break;
        case DLL_THREAD_DETACH: vfc::FreeThreadState(); break;
        case DLL_PROCESS_DETACH:
            // At process exit (reserved non-null) other threads are gone without their
            // detach and objects of this thread may still be named by the program: leave
            // them to the system.
            if (reserved == NULL) vfc::FreeThreadState();
            if (vfc::g_tlsResource != TLS_OUT_OF_INDEXES) TlsFree(vfc::g_tlsResource);
            if (vfc::g_tlsThread != TLS_OUT_OF_INDEXES) TlsFree(vfc::g_tlsThread);
            if (vfc::g_tlsWindows != TLS_OUT_OF_INDEXES) TlsFree(vfc::g_tlsWindows);
            vfc::g_tlsResource = vfc::g_tlsThread = vfc::g_tlsWindows = TLS_OUT_OF_INDEXES;
            break;
    }
    return TRUE;
}
