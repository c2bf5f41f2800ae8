// The application profile's sections looked at once each.
#include "profilesections.h"

namespace {

thread_local CProfileSections* t_current = nullptr;

}  // namespace

CProfileSections::CProfileSections() : m_outer(t_current) { t_current = this; }

CProfileSections::~CProfileSections() { t_current = m_outer; }

bool CProfileSections::Has(const CString& section) {
    const auto known = m_sections.find((LPCSTR)section);
    if (known != m_sections.end()) return known->second;
    // The key that the application's profile functions read: below HKEY_CURRENT_USER,
    // "Software", the registry key and the profile's name.
    CWinApp* pApp = AfxGetApp();
    CString path;
    path.Format("Software\\%s\\%s\\%s", pApp->m_pszRegistryKey, pApp->m_pszProfileName,
                (LPCSTR)section);
    HKEY hKey = NULL;
    const bool has = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey) == ERROR_SUCCESS;
    if (has) RegCloseKey(hKey);
    m_sections[(LPCSTR)section] = has;
    return has;
}

CString CProfileSections::Read(const CString& section, const CString& entry, LPCSTR fallback) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL) return fallback;
    // A profile in a file is read as the application reads it.
    if (t_current != nullptr && pApp->m_pszRegistryKey != NULL &&
        pApp->m_pszProfileName != NULL && !t_current->Has(section))
        return fallback;
    return pApp->GetProfileString(section, entry, fallback);
}
