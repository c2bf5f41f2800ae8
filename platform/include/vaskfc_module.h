// Modules and their resources.
//
// The current resource handle is the module searched first for strings and dialogs. It is
// kept per thread: a thread that switches it for a moment (and restores it) does not
// change what other threads find meanwhile. Threads that never set it use the program's
// own module.
//
// Extension libraries join the resource chain, searched after the current resource handle:
//     static AFX_EXTENSION_MODULE extensionModule = {FALSE, NULL, NULL};
//     BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID) {
//         if (reason == DLL_PROCESS_ATTACH) {
//             if (!AfxInitExtensionModule(extensionModule, hInstance)) return FALSE;
//             new CDynLinkLibrary(extensionModule);
//         } else if (reason == DLL_PROCESS_DETACH) {
//             AfxTermExtensionModule(extensionModule);
//         }
//         return TRUE;
//     }
#pragma once

#include "vaskfc_cmdtarget.h"
#include "vaskfc_string.h"

VASKFC_API HINSTANCE AFXAPI AfxGetResourceHandle();
VASKFC_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The program's module (the application's instance handle).
VASKFC_API HINSTANCE AFXAPI AfxGetInstanceHandle();

// The first module of the search order that holds the resource; the current resource
// handle when none does.
VASKFC_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
// Loads string nID from the first module of the search order that has it; the length of
// the text, 0 (and an empty text) when no module has it.
VASKFC_API int AFXAPI AfxLoadString(UINT nID, CString& rString);
VASKFC_API int AFXAPI AfxLoadString(UINT nID, LPSTR lpszBuf, UINT nMaxBuf = 256);

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
};

VASKFC_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Leaves the resource chain: deletes the CDynLinkLibrary objects of the module.
VASKFC_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// One link of the resource chain; created at the extension library's process attach.
class VASKFC_API CDynLinkLibrary : public CCmdTarget {
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    ~CDynLinkLibrary() override;

    HMODULE m_hModule;
    HMODULE m_hResource;
    CDynLinkLibrary* m_pNextDLL;
};
