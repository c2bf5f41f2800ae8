// CnuraProtocol: the log file, its rows and stamp lines, the roll-over to the next numbered
// file and the time window.
//
// A file is: the opening stamp line, then text lines and rows (each value followed by the
// separator, the row's last value by a line feed), then the closing stamp line. Lines end
// with a line feed alone. Every write goes straight through to the file, so that other
// programs read what has been logged while the file is open.
#include "internal.h"

#include <stdlib.h>
#include <string.h>

namespace {

CTime (*g_clock)() = NULL;

// The cause of a failed write as the write operations return it.
unsigned long CauseOf(CException* e) {
    unsigned long code = ERROR_NOT_ENOUGH_MEMORY;
    if (e->IsKindOf(RUNTIME_CLASS(CFileException)))
        code = (unsigned long)static_cast<CFileException*>(e)->m_cause;
    e->Delete();
    return code;
}

}  // namespace

void CnuraProtocol::SetClock(CTime (*pfnNow)()) { g_clock = pfnNow; }

CTime CnuraProtocol::Now() { return g_clock != NULL ? g_clock() : CTime::GetCurrentTime(); }

// ---- time window (local time, one-second steps) -------------------------------------------

BOOL CnuraProtocol::TimeWindowOpen() const {
    CTime now = Now();
    return !(m_bBegin && now < m_timeBegin) && !(m_bEnd && m_timeEnd < now);
}

BOOL CnuraProtocol::TimeWindowOver() const { return m_bEnd && m_timeEnd < Now(); }

BOOL CnuraProtocol::TimeWindowHasStarted() const { return !(m_bBegin && Now() < m_timeBegin); }

// ---- the file -----------------------------------------------------------------------------

unsigned long CnuraProtocol::GetCurrentLineNumber() const { return IsOpen() ? m_nLineCount : 0; }

void CnuraProtocol::Stop() {
    CloseFile();
    m_bStarted = FALSE;
    m_bOpenedOnce = FALSE;
    m_nFileCounter = 0;
}

void CnuraProtocol::Emit(const CString& strBytes) {
    if (!strBytes.IsEmpty()) m_file.Write((LPCSTR)strBytes, (UINT)strBytes.GetLength());
}

// The current local time in the pattern date format, separator, " ", time format. A "%"
// of the separator is a character of the line, not the start of a conversion.
CString CnuraProtocol::StampLine() const {
    CString separator = m_strSeparator;
    separator.Replace("%", "%%");
    CString pattern = m_strDateFormat + separator + " " + m_strTimeFormat;
    struct tm fields;
    nura::BreakLocalTime(Now().GetTime(), fields);
    // strftime gives 0 both for a result too long for the buffer and for a pattern it
    // refuses: grow the buffer a few times, then give up on the text.
    for (size_t size = 256; size <= 65536; size *= 4) {
        char* buffer = (char*)malloc(size);
        if (buffer == NULL) break;
        size_t length = strftime(buffer, size, pattern, &fields);
        CString text(buffer, (int)length);
        free(buffer);
        if (length > 0) return text;
    }
    return CString();
}

// Ends an open row, writes the closing stamp and closes; errors are of no use to anyone
// here and are dropped.
void CnuraProtocol::CloseFile() {
    if (!IsOpen()) return;
    try {
        CString tail;
        if (m_nColumn != 0) {
            ++m_nLineCount;
            m_nColumn = 0;
            tail = "\n";
        }
        tail += StampLine() + "\n";
        Emit(tail);
    } catch (CException* e) {
        e->Delete();
    }
    m_file.Abort();
}

// The gate of every write: 0 when a file is open and ready.
unsigned long CnuraProtocol::OpenIfNeeded() {
    if (!m_bStarted) return 0xFFFFFFFF;
    // Both modes go on in the next numbered file.
    if (IsOpen() && m_nLineLimit != 0 && m_nLineCount >= m_nLineLimit) {
        CloseFile();
        m_bOpenedOnce = FALSE;
        ++m_nFileCounter;
    }
    CTime now = Now();
    if (m_bBegin && now < m_timeBegin) return ERROR_INVALID_TIME;
    if (m_bEnd && m_timeEnd < now) {
        CloseFile();
        return ERROR_INVALID_TIME;
    }
    if (IsOpen()) return 0;
    // One attempt per name and counter: a file that could not be opened is not tried again
    // at every cycle.
    if (m_bOpenedOnce) return ERROR_OPEN_FAILED;
    m_bOpenedOnce = TRUE;
    if (m_strFileName.GetLength() > nura::kLongestFileName) return ERROR_FILENAME_EXCED_RANGE;
    if (m_strFileName.IsEmpty()) return ERROR_INVALID_NAME;

    CFileException error;
    if (!m_file.Open(
            BuildFileName(m_strFileName, m_nFileCounter),
            CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone | CFile::typeBinary,
            &error))
        return error.m_lOsError > 0 ? (unsigned long)error.m_lOsError : ERROR_OPEN_FAILED;
    m_nLineCount = 0;
    m_nColumn = 0;
    try {
        Emit(StampLine() + "\n");
    } catch (CException* e) {
        return CauseOf(e);
    }
    return 0;
}

unsigned long CnuraProtocol::WriteLine(const CString& strText) {
    unsigned long result = OpenIfNeeded();
    if (result != 0) return result;
    try {
        if (m_nColumn != 0) {
            ++m_nLineCount;
            m_nColumn = 0;
            Emit("\n");
            // Ending the row may reach the line limit: the text goes into the next file.
            result = OpenIfNeeded();
            if (!IsOpen()) return result;
        }
        if (!strText.IsEmpty()) {
            ++m_nLineCount;
            Emit(strText + "\n");
        }
    } catch (CException* e) {
        return CauseOf(e);
    }
    return 0;
}

unsigned long CnuraProtocol::WriteData(const CString& strValue) {
    unsigned long result = OpenIfNeeded();
    if (result != 0) return result;
    CString suffix = m_strSeparator;
    if (m_nColumns == 0) {
        // The row stays open until the next WriteLine or the end of the file.
        m_nColumn = 1;
    } else if (++m_nColumn >= m_nColumns) {
        // (>=: a row begun with more columns ends at its next value.)
        m_nColumn = 0;
        ++m_nLineCount;
        suffix = "\n";
    }
    try {
        Emit(strValue + suffix);
    } catch (CException* e) {
        return CauseOf(e);
    }
    return 0;
}
