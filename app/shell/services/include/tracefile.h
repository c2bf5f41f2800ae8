// CTraceFile: one traced operation in the trace of a channel. Created as a local object at
// the top of the operation, it writes "Start" and indents every later entry of the process
// by two blanks; its end removes the indentation and writes "End". Entries go into a ring of
// numbered text files as the channel's settings below the application's profile key say
// ("Protokoll_<channel text>": "Aktiv", "Dateigroesse", "Anzahl_Dateien", "Speicherort",
// "Dateiname", "Dateizaehler"); without "Aktiv" nothing is written.
//
// Entries may come from any thread: the indentation, the depth and every append share one
// lock, so lines are never interleaved.
#pragma once

#include "vaskfc.h"

class CTraceFile {
public:
    // `nChannel` selects the channel's text (string IDS_TRACE_CHANNEL_BASE + channel);
    // `lpszName` names the operation, empty for an object that only writes entries.
    CTraceFile(int nChannel, LPCSTR lpszName);
    virtual ~CTraceFile();
    CTraceFile(const CTraceFile&) = delete;
    CTraceFile& operator=(const CTraceFile&) = delete;

    // One entry, formatted printf-style and cut at 259 characters.
    void WriteFormat(LPCSTR lpszFormat, ...) __attribute__((format(ms_printf, 2, 3)));
    // One entry: "dd.mm.yy HH:MM:SS", the indentation, the name, " : " and the text.
    void Write(LPCSTR lpszText);
    // An entry of one blank.
    void WriteBlank();
    // The file that entries go to now: folder, base name and the counter as five digits.
    CString GetFileName();

private:
    void LoadSettings();
    // The channel's text: "Communication" for channel 0.
    CString GetChannelText() const;
    // The channel's key below the application's profile key.
    CString GetKeyName() const;
    // Writes one entry; the caller holds the trace lock.
    void WriteLocked(LPCSTR lpszText);

    CString m_strName;
    DWORD m_dwMaxSize;  // KB
    int m_nCounter;
    CString m_strFolder;  // ends in a backslash
    int m_nFiles;
    BOOL m_bActive;
    CString m_strBaseName;
    CString m_strFileName;
    int m_nChannel;
};
