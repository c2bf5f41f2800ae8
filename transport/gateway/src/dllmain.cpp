#include "internal.h"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    switch (reason) {
        case DLL_PROCESS_ATTACH: return vaskgate::LibraryAttach(module) ? TRUE : FALSE;
        case DLL_THREAD_DETACH: vaskgate::LibraryThreadDetach(); break;
        case DLL_PROCESS_DETACH: vaskgate::LibraryDetach(reserved != nullptr); break;
        default: break;
    }
    return TRUE;
}
