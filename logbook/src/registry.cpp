// The writer's settings in the registry, and the user's regional list separator.
#include "internal.h"

namespace {

// The longest string value read, its terminating zero included.
const DWORD kStringBytes = 256;

// Ranges of the settings sheet; stored values outside them are brought into them.
const unsigned long kMinCycleTime = 1000;
const unsigned long kMaxCycleTime = 3600000;
const long kMaxColumns = 32767;
const unsigned long kMaxLines = 4000000000UL;

// root \ "Software" \ subkey \ "nura Protocol", opened for reading and writing and made
// when missing; NULL when that fails.
HKEY OpenSettingsKey(HKEY hRoot, const CString& strSubkey) {
    CString path = "Software\\";
    if (!strSubkey.IsEmpty()) path += strSubkey + "\\";
    path += "nura Protocol";
    HKEY hKey = NULL;
    if (RegCreateKeyExA(hRoot, path, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, NULL,
                        &hKey, NULL) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

// A string value of at most `bytes` bytes; false when it is missing or unreadable.
bool ReadString(HKEY hKey, LPCSTR name, CString& text, DWORD bytes = kStringBytes) {
    if (hKey == NULL) return false;
    DWORD type = 0, size = bytes;
    LPSTR buffer = text.GetBuffer((int)bytes);
    LONG rc = RegQueryValueExA(hKey, name, NULL, &type, (BYTE*)buffer, &size);
    bool ok = rc == ERROR_SUCCESS && type == REG_SZ && size <= bytes;
    // A value stored without its terminating zero still ends where its bytes end.
    buffer[ok ? size : 0] = '\0';
    text.ReleaseBuffer();
    return ok;
}

// A 32-bit number; false when it is missing or of another type.
bool ReadNumber(HKEY hKey, LPCSTR name, DWORD& value) {
    if (hKey == NULL) return false;
    DWORD type = 0, size = sizeof value, read = 0;
    if (RegQueryValueExA(hKey, name, NULL, &type, (BYTE*)&read, &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof read)
        return false;
    value = read;
    return true;
}

DWORD ReadNumber(HKEY hKey, LPCSTR name, DWORD fallback, DWORD low, DWORD high) {
    DWORD value = fallback;
    ReadNumber(hKey, name, value);
    return value < low ? low : (value > high ? high : value);
}

}  // namespace

namespace nura {

CString RegionalSeparator() {
    CString separator;
    HKEY hKey = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\International", 0, KEY_READ, &hKey) ==
        ERROR_SUCCESS) {
        if (!ReadString(hKey, "sList", separator, 64)) separator.Empty();
        RegCloseKey(hKey);
    }
    if (separator.GetLength() != 1) {
        char buffer[64];
        GetProfileStringA("Intl", "sList", ";", buffer, sizeof buffer);
        separator = buffer;
        if (separator.IsEmpty()) separator = ";";
    }
    return separator;
}

}  // namespace nura

void CnuraProtocol::SetRegistryKey(HKEY hRoot, const CString& strSubkey) {
    m_hRegistryRoot = hRoot;
    m_strRegistryKey = strSubkey;
    LoadSettings();
}

void CnuraProtocol::LoadSettings() {
    HKEY hKey = OpenSettingsKey(m_hRegistryRoot, m_strRegistryKey);
    CString text;
    SetFileName(ReadString(hKey, "Filename", text) && !text.IsEmpty() ? text : CString("prot.txt"));
    if (ReadString(hKey, "Separator", text) && !text.IsEmpty()) SetSeparator(text);
    m_nSplitLines = ReadNumber(hKey, "Split Line Count", 100, 0, kMaxLines);
    m_nRingBufferLines = ReadNumber(hKey, "Ring Buffer Line Count", 100, 0, kMaxLines);
    // The system writes only 0 and 1; anything else is taken as file splitting.
    DWORD mode = 1;
    ReadNumber(hKey, "Log Mode", mode);
    if (mode != 0) mode = 1;
    SetProtocolMode((int)mode, mode == 1 ? m_nSplitLines : m_nRingBufferLines);
    // Columns are stored as a signed number.
    DWORD columns = 1;
    ReadNumber(hKey, "Columns", columns);
    long signedColumns = (long)columns;
    SetNumColumns(signedColumns < 0 ? 0
                                    : (signedColumns > kMaxColumns ? kMaxColumns : signedColumns));
    SetCycleTime(ReadNumber(hKey, "Cycle Time", 1000, kMinCycleTime, kMaxCycleTime));
    if (hKey != NULL) RegCloseKey(hKey);
}

void CnuraProtocol::SaveSettings() const {
    HKEY hKey = OpenSettingsKey(m_hRegistryRoot, m_strRegistryKey);
    if (hKey == NULL) return;
    struct {
        LPCSTR name;
        const CString& text;
    } strings[] = {{"Filename", m_strFileName}, {"Separator", m_strSeparator}};
    for (const auto& s : strings)
        RegSetValueExA(hKey, s.name, 0, REG_SZ, (const BYTE*)(LPCSTR)s.text,
                       s.text.GetLength() + 1);
    struct {
        LPCSTR name;
        DWORD value;
    } numbers[] = {{"Log Mode", (DWORD)m_nMode},
                   {"Columns", (DWORD)m_nColumns},
                   {"Split Line Count", m_nSplitLines},
                   {"Ring Buffer Line Count", m_nRingBufferLines},
                   {"Cycle Time", m_nCycleTime}};
    for (const auto& n : numbers)
        RegSetValueExA(hKey, n.name, 0, REG_DWORD, (const BYTE*)&n.value, sizeof n.value);
    RegCloseKey(hKey);
}
