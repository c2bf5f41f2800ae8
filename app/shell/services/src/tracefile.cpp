// The trace files of a channel.
#include "tracefile.h"
#include "registrykey.h"
#include "shell_seams.h"

#include "apputil.h"
#include "resource.h"

#include <cstdarg>
#include <mutex>

namespace {

// The value names of a channel's settings.
const char kActive[] = "Aktiv";
const char kFileCount[] = "Anzahl_Dateien";
const char kFileSize[] = "Dateigroesse";
const char kFolder[] = "Speicherort";
const char kBaseName[] = "Dateiname";
const char kCounter[] = "Dateizaehler";
const char kKeyFormat[] = "Protokoll_%s";

const DWORD kDefaultFileSize = 1000;  // KB
const int kDefaultFileCount = 1000;
const int kMaxEntryLength = 259;

// What all trace objects of the process share. Never destroyed: objects of other
// static objects may still write while the program ends.
struct Nesting {
    std::recursive_mutex lock;
    CString indentation;
    int depth = 0;
};

Nesting& GetNesting() {
    static Nesting* nesting = new Nesting;
    return *nesting;
}

BOOL FolderExists(const CString& folder) {
    const DWORD attributes = GetFileAttributesA(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Makes sure a folder exists, creating its missing parents first.
BOOL EnsureFolder(CString folder) {
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == '\\')
        folder = folder.Left(folder.GetLength() - 1);
    if (folder.IsEmpty()) return FALSE;
    if (folder[folder.GetLength() - 1] == ':') return TRUE;  // a drive
    if (FolderExists(folder)) return TRUE;
    const int slash = folder.ReverseFind('\\');
    if (slash > 0 && !EnsureFolder(folder.Left(slash))) return FALSE;
    return CreateDirectoryA(folder, NULL) || FolderExists(folder);
}

}  // namespace

int GetTraceDepth() {
    Nesting& nesting = GetNesting();
    std::lock_guard<std::recursive_mutex> guard(nesting.lock);
    return nesting.depth;
}

CString GetTraceIndentation() {
    Nesting& nesting = GetNesting();
    std::lock_guard<std::recursive_mutex> guard(nesting.lock);
    return nesting.indentation;
}

void ResetTraceNesting() {
    Nesting& nesting = GetNesting();
    std::lock_guard<std::recursive_mutex> guard(nesting.lock);
    nesting.indentation.Empty();
    nesting.depth = 0;
}

CTraceFile::CTraceFile(int nChannel, LPCSTR lpszName)
    : m_strName(lpszName),
      m_dwMaxSize(kDefaultFileSize),
      m_nCounter(0),
      m_nFiles(kDefaultFileCount),
      m_bActive(FALSE),
      m_nChannel(nChannel) {
    LoadSettings();
    if (m_strName.IsEmpty()) return;
    Nesting& nesting = GetNesting();
    std::lock_guard<std::recursive_mutex> guard(nesting.lock);
    WriteLocked("Start");
    nesting.indentation += "  ";
    nesting.depth++;
}

CTraceFile::~CTraceFile() {
    if (m_strName.IsEmpty()) return;
    Nesting& nesting = GetNesting();
    std::lock_guard<std::recursive_mutex> guard(nesting.lock);
    if (nesting.depth < 1) {
        nesting.indentation.Empty();
        nesting.depth = 0;
    } else {
        nesting.indentation = nesting.indentation.Left(nesting.indentation.GetLength() - 2);
        nesting.depth--;
    }
    WriteLocked("End");
}

CString CTraceFile::GetChannelText() const {
    CString channel;
    channel.LoadString(IDS_TRACE_CHANNEL_BASE + m_nChannel);
    return channel;
}

CString CTraceFile::GetKeyName() const {
    CString key;
    key.Format(kKeyFormat, (LPCSTR)GetChannelText());
    return key;
}

void CTraceFile::LoadSettings() {
    const CString defaultFolder = GetProgramFolder() + "\\Log";
    const CString channel = GetChannelText();
    CRegistryKey key(GetKeyName());
    key.HoldSection();
    m_bActive = key.ReadDWORD(kActive, FALSE) != 0;
    m_nFiles = (int)key.ReadDWORD(kFileCount, kDefaultFileCount);
    m_dwMaxSize = key.ReadDWORD(kFileSize, kDefaultFileSize);
    m_strFolder = key.ReadString(kFolder, defaultFolder);
    m_strBaseName = key.ReadString(kBaseName, channel.Left(4));
    m_nCounter = (int)key.ReadDWORD(kCounter, 0);
    if (m_strFolder.IsEmpty()) m_strFolder = defaultFolder;
    if (m_strFolder[m_strFolder.GetLength() - 1] != '\\') m_strFolder += '\\';
    EnsureFolder(m_strFolder);
}

CString CTraceFile::GetFileName() {
    m_strFileName.Format("%s%s%05d.txt", (LPCSTR)m_strFolder, (LPCSTR)m_strBaseName, m_nCounter);
    return m_strFileName;
}

void CTraceFile::WriteFormat(LPCSTR lpszFormat, ...) {
    CString text;
    va_list args;
    va_start(args, lpszFormat);
    text.FormatV(lpszFormat, args);
    va_end(args);
    if (text.GetLength() > kMaxEntryLength) text = text.Left(kMaxEntryLength);
    Write(text);
}

void CTraceFile::Write(LPCSTR lpszText) {
    std::lock_guard<std::recursive_mutex> guard(GetNesting().lock);
    WriteLocked(lpszText);
}

void CTraceFile::WriteBlank() { Write(" "); }

void CTraceFile::WriteLocked(LPCSTR lpszText) {
    CString line;
    line.Format("%s%s %s : %s\r\n", (LPCSTR)CTime::GetCurrentTime().Format("%d.%m.%y %H:%M:%S"),
                (LPCSTR)GetNesting().indentation, (LPCSTR)m_strName,
                lpszText != NULL ? lpszText : "");
    if (!m_bActive) return;
    // Another object of the channel may have moved the ring on since this one was made:
    // follow it, or this object would fill the old file and delete the new one.
    CRegistryKey key(GetKeyName());
    m_nCounter = (int)key.ReadDWORD(kCounter, (DWORD)m_nCounter);
    CFile file;
    if (!file.Open(GetFileName(), CFile::modeReadWrite | CFile::modeCreate | CFile::modeNoTruncate |
                                      CFile::shareDenyNone))
        return;
    try {
        file.SeekToEnd();
        file.Write((LPCSTR)line, (UINT)line.GetLength());
        const DWORD length = file.GetLength();
        file.Close();
        if ((length >> 10) > m_dwMaxSize) {
            m_nCounter++;
            if (m_nCounter > m_nFiles) m_nCounter = 0;
            key.WriteDWORD(kCounter, (DWORD)m_nCounter);
            // The next entry starts an empty file. The full one is closed first: in a
            // ring of one file it is the one deleted.
            DeleteFileA(GetFileName());
        }
    } catch (CException* e) {
        // The entry is lost; the next one tries again.
        e->Delete();
    }
}
