// Entry points of the stand-in's DLL: class object, unload check and registration.
#include "link.h"
#include "interfaces.h"
#include "objects.h"

#include <olectl.h>

#include <stdio.h>

namespace gwsim {
volatile LONG g_moduleUsers = 0;
HMODULE g_module = nullptr;
}  // namespace gwsim

using namespace gwsim;

namespace {

const char* const kDescription = "Vask gateway server stand-in (test kit)";

std::string ClsidText() {
    wchar_t wide[64];
    StringFromGUID2(kCLSID_StandIn, wide, 64);
    char text[64];
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

bool SetValue(const std::string& key, const char* name, const std::string& value) {
    HKEY k;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1));
    RegCloseKey(k);
    return rc == ERROR_SUCCESS;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualCLSID(clsid, kCLSID_StandIn)) return CLASS_E_CLASSNOTAVAILABLE;
    return GetFactory(iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return g_moduleUsers == 0 ? S_OK : S_FALSE; }

// Registers the class as an in-process server usable from any apartment, under the
// gateway's ProgID.
extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(g_module, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return SELFREG_E_CLASS;
    const std::string clsid = ClsidText();
    const std::string progId = "VGWCE.VaskConnectionGW";
    const std::string key = "CLSID\\" + clsid;
    bool ok =
        SetValue(key, nullptr, kDescription) && SetValue(key + "\\InprocServer32", nullptr, path) &&
        SetValue(key + "\\InprocServer32", "ThreadingModel", "Both") &&
        SetValue(key + "\\ProgID", nullptr, progId) && SetValue(progId, nullptr, kDescription) &&
        SetValue(progId + "\\CLSID", nullptr, clsid);
    return ok ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    const std::string clsid = ClsidText();
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ("CLSID\\" + clsid).c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "VGWCE.VaskConnectionGW");
    return S_OK;
}
