// State shared by the sources of vaskfc.dll.
#pragma once

#include "vaskfc.h"

namespace vfc {

// Thread-local slots, allocated at process attach.
extern DWORD g_tlsResource;  // the thread's current resource handle
extern DWORD g_tlsThread;    // the thread's CWinThread

// The program's application object; NULL when it has none (AfxGetApp then gives a stand-in).
CWinApp* CurrentApp();

// This library's own module.
extern HMODULE g_hModule;

}  // namespace vfc
