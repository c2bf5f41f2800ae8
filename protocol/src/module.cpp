// utilvask as an extension library of the class library: it joins the resource chain at
// load and leaves it at unload; its own texts are always loaded from its own module.
#include "internal.h"

#include <stdio.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {
AFX_EXTENSION_MODULE g_utilvaskModule = {FALSE, NULL, NULL};
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_utilvaskModule, hInstance)) return FALSE;
        new CDynLinkLibrary(g_utilvaskModule);
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_utilvaskModule);
    }
    return TRUE;
}

namespace vask {

// Known from the image itself, so that static constructors that run before DllMain load
// texts from the right module too.
HINSTANCE Module() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

bool LoadOwnString(long long id, CString& text) {
    // Resource ids are 16 bits: a larger id would find another string.
    if (id < 0 || id > 0xFFFF) {
        text.Empty();
        return false;
    }
    return text.LoadString(Module(), (UINT)id) != FALSE;
}

}  // namespace vask
