// NURAPROTOCOL as an extension library of the class library: it joins the resource chain at
// load and leaves it at unload; its own texts are always loaded from its own module.
#include "internal.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {
AFX_EXTENSION_MODULE g_nuraModule = {FALSE, NULL, NULL};
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_nuraModule, hInstance)) return FALSE;
        new CDynLinkLibrary(g_nuraModule);
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_nuraModule);
    }
    return TRUE;
}

namespace nura {

// Known from the image itself: right even before DllMain has run.
HINSTANCE Module() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

CString OwnString(UINT id) {
    CString text;
    text.LoadString(Module(), id);
    return text;
}

}  // namespace nura

extern "C" void InitCurveDLL() {}
