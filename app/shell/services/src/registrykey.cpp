// A section below the application's profile key.
#include "registrykey.h"

namespace {

// The system's predefined roots are shared by the whole process; closing one would pull
// it from under every other user.
bool IsPredefinedRoot(HKEY hKey) { return ((ULONG_PTR)hKey & 0x80000000u) != 0; }

// The text of a string of the string table; FALSE when it does not exist.
BOOL LoadName(UINT nID, CString& name) {
    name.Empty();
    return nID != 0 && name.LoadString(nID);
}

}  // namespace

CRegistryKey::CRegistryKey() : m_hRoot(HKEY_CURRENT_USER), m_hHeld(NULL) {}

CRegistryKey::CRegistryKey(UINT nSection, HKEY hRoot) : m_hRoot(hRoot), m_hHeld(NULL) {
    SetSection(nSection);
}

CRegistryKey::CRegistryKey(LPCSTR lpszSection, HKEY hRoot)
    : m_hRoot(hRoot), m_hHeld(NULL), m_strSection(lpszSection) {}

CRegistryKey::~CRegistryKey() {
    ReleaseHeld();
    if (m_hRoot != NULL && !IsPredefinedRoot(m_hRoot)) RegCloseKey(m_hRoot);
}

void CRegistryKey::ReleaseHeld() const {
    if (m_hHeld != NULL) RegCloseKey(m_hHeld);
    m_hHeld = NULL;
}

BOOL CRegistryKey::HoldSection() {
    if (m_hHeld == NULL) m_hHeld = OpenSectionKey();
    return m_hHeld != NULL;
}

HKEY CRegistryKey::UseSectionKey() const {
    return m_hHeld != NULL ? m_hHeld : OpenSectionKey();
}

void CRegistryKey::DoneWithKey(HKEY hKey) const {
    if (hKey != NULL && hKey != m_hHeld) RegCloseKey(hKey);
}

void CRegistryKey::SetRoot(HKEY hRoot) {
    if (hRoot == m_hRoot) return;
    ReleaseHeld();
    if (m_hRoot != NULL && !IsPredefinedRoot(m_hRoot)) RegCloseKey(m_hRoot);
    m_hRoot = hRoot;
}

void CRegistryKey::SetSection(LPCSTR lpszSection) {
    ReleaseHeld();
    m_strSection = lpszSection;
}

BOOL CRegistryKey::SetSection(UINT nSection) {
    ReleaseHeld();
    return LoadName(nSection, m_strSection);
}

HKEY CRegistryKey::OpenAppKey() const {
    const CWinApp* pApp = AfxGetApp();
    if (m_hRoot == NULL || pApp->m_pszRegistryKey == NULL || pApp->m_pszProfileName == NULL)
        return NULL;
    HKEY hSoftware = NULL;
    if (RegOpenKeyExA(m_hRoot, "software", 0, KEY_READ | KEY_WRITE, &hSoftware) != ERROR_SUCCESS)
        return NULL;
    HKEY hMaker = NULL;
    LONG r = RegCreateKeyExA(hSoftware, pApp->m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                             KEY_READ | KEY_WRITE, NULL, &hMaker, NULL);
    RegCloseKey(hSoftware);
    if (r != ERROR_SUCCESS) return NULL;
    HKEY hApp = NULL;
    r = RegCreateKeyExA(hMaker, pApp->m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, NULL, &hApp, NULL);
    RegCloseKey(hMaker);
    return r == ERROR_SUCCESS ? hApp : NULL;
}

HKEY CRegistryKey::OpenSectionKey() const {
    if (m_strSection.IsEmpty()) return NULL;
    HKEY hApp = OpenAppKey();
    if (hApp == NULL) return NULL;
    HKEY hSection = NULL;
    const LONG r = RegCreateKeyExA(hApp, m_strSection, 0, NULL, REG_OPTION_NON_VOLATILE,
                                   KEY_READ | KEY_WRITE, NULL, &hSection, NULL);
    RegCloseKey(hApp);
    return r == ERROR_SUCCESS ? hSection : NULL;
}

DWORD CRegistryKey::ReadDWORD(LPCSTR lpszName, DWORD dwDefault) const {
    if (m_strSection.IsEmpty() || lpszName == NULL || *lpszName == '\0') return 0;
    HKEY hKey = UseSectionKey();
    if (hKey == NULL) return dwDefault;
    DWORD dwValue = 0;
    DWORD cbValue = sizeof dwValue;
    const LONG r = RegQueryValueExA(hKey, lpszName, NULL, NULL, (LPBYTE)&dwValue, &cbValue);
    DoneWithKey(hKey);
    return r == ERROR_SUCCESS ? dwValue : dwDefault;
}

DWORD CRegistryKey::ReadDWORD(UINT nName, DWORD dwDefault) const {
    CString name;
    if (!LoadName(nName, name)) return 0;
    return ReadDWORD(name, dwDefault);
}

CString CRegistryKey::ReadString(LPCSTR lpszName, LPCSTR lpszDefault) const {
    if (m_strSection.IsEmpty() || lpszName == NULL || *lpszName == '\0') return CString();
    HKEY hKey = UseSectionKey();
    if (hKey == NULL) return CString(lpszDefault);
    CString text(lpszDefault);
    DWORD dwType = 0;
    DWORD cbText = 0;
    // The value may change between the two questions; ask again while it grows.
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (RegQueryValueExA(hKey, lpszName, NULL, &dwType, NULL, &cbText) != ERROR_SUCCESS ||
            (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
            break;
        CString value;
        LPSTR buffer = value.GetBuffer((int)cbText + 1);
        DWORD cbRead = cbText;
        const LONG r = RegQueryValueExA(hKey, lpszName, NULL, &dwType, (LPBYTE)buffer, &cbRead);
        if (r == ERROR_MORE_DATA) {
            value.ReleaseBuffer(0);
            continue;
        }
        if (r != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ)) {
            value.ReleaseBuffer(0);
            break;
        }
        // A stored text need not end in a terminator.
        buffer[cbRead] = '\0';
        value.ReleaseBuffer();
        text = value;
        break;
    }
    DoneWithKey(hKey);
    return text;
}

CString CRegistryKey::ReadString(UINT nName, LPCSTR lpszDefault) const {
    CString name;
    if (!LoadName(nName, name)) return CString();
    return ReadString(name, lpszDefault);
}

BOOL CRegistryKey::SetValue(LPCSTR lpszName, DWORD dwType, const void* pData, DWORD cbData) const {
    if (m_strSection.IsEmpty() || lpszName == NULL || *lpszName == '\0') return FALSE;
    HKEY hKey = UseSectionKey();
    if (hKey == NULL) return FALSE;
    const LONG r = RegSetValueExA(hKey, lpszName, 0, dwType, (const BYTE*)pData, cbData);
    DoneWithKey(hKey);
    return r == ERROR_SUCCESS;
}

BOOL CRegistryKey::WriteDWORD(LPCSTR lpszName, DWORD dwValue) const {
    return SetValue(lpszName, REG_DWORD, &dwValue, sizeof dwValue);
}

BOOL CRegistryKey::WriteDWORD(UINT nName, DWORD dwValue) const {
    CString name;
    if (!LoadName(nName, name)) return FALSE;
    return WriteDWORD(name, dwValue);
}

BOOL CRegistryKey::WriteString(LPCSTR lpszName, LPCSTR lpszText) const {
    if (m_strSection.IsEmpty()) return FALSE;
    if (lpszName == NULL || *lpszName == '\0') {
        // The held key would outlive the key it stands for.
        ReleaseHeld();
        HKEY hApp = OpenAppKey();
        if (hApp == NULL) return FALSE;
        const LONG r = RegDeleteTreeA(hApp, m_strSection);
        RegCloseKey(hApp);
        return r == ERROR_SUCCESS;
    }
    const CString text(lpszText);
    return SetValue(lpszName, REG_SZ, (LPCSTR)text, (DWORD)text.GetLength() + 1);
}

BOOL CRegistryKey::WriteString(UINT nName, LPCSTR lpszText) const {
    CString name;
    if (!LoadName(nName, name)) return FALSE;
    return WriteString(name, lpszText);
}
