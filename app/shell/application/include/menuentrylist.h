// CMenuEntryList: a fixed number of menu entries (item text, executable, parameter), kept in
// the application's profile and shown as consecutive commands of a menu in place of one
// placeholder item, as a recent-file list is. The application keeps its external help files
// in one: four entries, section "External Help File List", keys "File1" to "File4", each
// with the string values "Item", "Executable" and "Parameter".
//
// An entry is in use when its item text is not empty; entries in use stay at the front, and
// the menu shows the entries up to the first empty one.
#pragma once

#include "vaskfc.h"

class CMenuEntryList {
public:
    // nStart: the first command's offset; the key format takes the 1-based entry number.
    CMenuEntryList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszKeyFormat, int nSize);
    CMenuEntryList(const CMenuEntryList&) = delete;
    CMenuEntryList& operator=(const CMenuEntryList&) = delete;

    // Clears entry nIndex and moves every later entry one slot down.
    virtual void Remove(int nIndex);
    // Into the first free slot of all but the last; when those are in use, over the last.
    virtual void Add(LPCSTR lpszItem, LPCSTR lpszExecutable, LPCSTR lpszParameter);
    // For the update of the first entry's command: the entries as commands id, id + 1, ...
    // in place of the placeholder item; an empty list shows the placeholder disabled.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    // Every entry from the profile (missing values read as empty texts).
    virtual void Load();
    // The section anew: each entry in use under its key.
    virtual void Save();
    virtual ~CMenuEntryList();

    // FALSE when entry nIndex is not in use (or out of range).
    BOOL GetItemText(CString& strItem, int nIndex) const;
    // The parameter text of entry nIndex (empty out of range).
    CString GetParameter(int nIndex) const;
    CString GetExecutable(int nIndex) const;
    int GetSize() const { return m_nSize; }

protected:
    // The profile key of entry nIndex (0-based): "<section>\<format of nIndex + 1>".
    CString EntryKey(int nIndex) const;
    BOOL IsValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < m_nSize; }

    int m_nSize;
    CString* m_arrExecutables;
    CString* m_arrItems;
    CString* m_arrParameters;
    CString m_strSection;
    CString m_strKeyFormat;
    UINT m_nStart;
    CString m_strOriginal;  // the placeholder's menu text, remembered while the list is empty
};
