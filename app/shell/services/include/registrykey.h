// CRegistryKey: one section below the application's profile key, read and written value by
// value. An operation opens and closes the section's key itself, unless HoldSection keeps it
// open for the run of operations that follows; reading creates missing keys but never
// values.
#pragma once

#include "vaskfc.h"

class CRegistryKey {
public:
    // The current user's root, no section.
    CRegistryKey();
    // The section as the text of a string (none when the string does not exist).
    CRegistryKey(UINT nSection, HKEY hRoot = HKEY_CURRENT_USER);
    CRegistryKey(LPCSTR lpszSection, HKEY hRoot = HKEY_CURRENT_USER);
    // Closes a root key of the caller's; the system's predefined roots stay open.
    virtual ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // The key whose "software" key holds the application's key; the object closes it.
    void SetRoot(HKEY hRoot);
    void SetSection(LPCSTR lpszSection);
    // FALSE, and no section, when the string does not exist.
    BOOL SetSection(UINT nSection);
    const CString& GetSection() const { return m_strSection; }

    // The application's key: root, "software", the application's registry key name, its
    // profile name (where the class library keeps the profile); created when missing. NULL
    // when a step fails. The caller closes it.
    HKEY OpenAppKey() const;
    // The section's key below it, created when missing; NULL without a section.
    HKEY OpenSectionKey() const;
    // Keeps the section's key open for the reads and writes that follow, until the object
    // goes or its root or section changes: a run of values opens the key once instead of
    // once each. FALSE when the key cannot be opened (each operation then tries itself).
    BOOL HoldSection();

    // Value names are texts or strings of the string table. A name string that does not
    // exist, an empty name or no section give 0 (reads) or FALSE (writes); a key that
    // cannot be opened or a value that cannot be read gives the default.

    // The value's first four bytes, whatever its stored type.
    DWORD ReadDWORD(LPCSTR lpszName, DWORD dwDefault) const;
    DWORD ReadDWORD(UINT nName, DWORD dwDefault) const;
    // A text value (REG_SZ or REG_EXPAND_SZ, not expanded); a value of another type reads
    // as the default.
    CString ReadString(LPCSTR lpszName, LPCSTR lpszDefault) const;
    CString ReadString(UINT nName, LPCSTR lpszDefault) const;
    BOOL WriteDWORD(LPCSTR lpszName, DWORD dwValue) const;
    BOOL WriteDWORD(UINT nName, DWORD dwValue) const;
    // An empty name deletes the whole section key.
    BOOL WriteString(LPCSTR lpszName, LPCSTR lpszText) const;
    BOOL WriteString(UINT nName, LPCSTR lpszText) const;

private:
    // Stores a value in the section; FALSE without a section or name.
    BOOL SetValue(LPCSTR lpszName, DWORD dwType, const void* pData, DWORD cbData) const;
    // The section's key for one operation: the held one, or one opened for it, which
    // DoneWithKey closes.
    HKEY UseSectionKey() const;
    void DoneWithKey(HKEY hKey) const;
    void ReleaseHeld() const;

    HKEY m_hRoot;
    mutable HKEY m_hHeld;  // an open key is a cache of the section's path
    CString m_strSection;
};
