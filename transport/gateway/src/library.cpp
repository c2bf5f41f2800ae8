// Load and unload of the library: the thread slot of the clients and the window class of
// their hidden windows.
#include "internal.h"

namespace vaskgate {

HINSTANCE g_module = nullptr;
DWORD g_clientSlot = TLS_OUT_OF_INDEXES;

bool LibraryAttach(HINSTANCE module) {
    g_module = module;
    g_clientSlot = TlsAlloc();
    if (g_clientSlot == TLS_OUT_OF_INDEXES) return false;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = SyncWindowProc;
    wc.hInstance = module;
    wc.lpszClassName = kSyncWindowClass;
    if (!RegisterClassA(&wc)) {
        TlsFree(g_clientSlot);
        g_clientSlot = TLS_OUT_OF_INDEXES;
        return false;
    }
    TlsSetValue(g_clientSlot, nullptr);
    return true;
}

void LibraryThreadDetach() {
    // A thread that ends without VGUninitialize gives up its client here, so that the
    // client does not outlive it forever.
    if (CVaskClient* client = CVaskClient::Current()) {
        client->GiveUp();
        client->Release();
    }
    if (g_clientSlot != TLS_OUT_OF_INDEXES) TlsSetValue(g_clientSlot, nullptr);
}

void LibraryDetach(bool processEnding) {
    // When the process ends, other DLLs (the server's among them) may be gone already:
    // touch no COM object then.
    if (!processEnding) {
        LibraryThreadDetach();
        ReleaseAllServers();
    }
    if (g_clientSlot != TLS_OUT_OF_INDEXES) {
        TlsFree(g_clientSlot);
        g_clientSlot = TLS_OUT_OF_INDEXES;
    }
    UnregisterClassA(kSyncWindowClass, g_module);
}

}  // namespace vaskgate
