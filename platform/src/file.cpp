// CFile over Win32 file handles, CStdioFile over C runtime streams.
#include "internal.h"

#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

CString FullPath(LPCSTR lpszFileName) {
    char buffer[MAX_PATH];
    DWORD n = GetFullPathNameA(lpszFileName, sizeof buffer, buffer, NULL);
    if (n == 0 || n >= sizeof buffer) return CString(lpszFileName);
    return CString(buffer, (int)n);
}

void FillError(CFileException* pError, int cause, LONG lOsError, LPCSTR lpszFileName) {
    if (pError == NULL) return;
    pError->m_cause = cause;
    pError->m_lOsError = lOsError;
    pError->m_strFileName = lpszFileName;
}

}  // namespace

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
    if (m_hFile != hFileNull && m_bCloseOnDelete) Abort();
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    m_bCloseOnDelete = FALSE;
    m_hFile = hFileNull;
    m_strFileName.Empty();
    if (lpszFileName == NULL || *lpszFileName == '\0') {
        FillError(pError, CFileException::badPath, ERROR_INVALID_NAME, lpszFileName);
        return FALSE;
    }
    m_strFileName = FullPath(lpszFileName);

    DWORD dwAccess = 0;
    switch (nOpenFlags & 3) {
        case modeRead: dwAccess = GENERIC_READ; break;
        case modeWrite: dwAccess = GENERIC_WRITE; break;
        case modeReadWrite: dwAccess = GENERIC_READ | GENERIC_WRITE; break;
        default:
            FillError(pError, CFileException::generic, ERROR_INVALID_PARAMETER, m_strFileName);
            return FALSE;
    }
    DWORD dwShare = 0;
    switch (nOpenFlags & 0x70) {
        case shareCompat:
        case shareExclusive: dwShare = 0; break;
        case shareDenyWrite: dwShare = FILE_SHARE_READ; break;
        case shareDenyRead: dwShare = FILE_SHARE_WRITE; break;
        case shareDenyNone: dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
        default:
            FillError(pError, CFileException::generic, ERROR_INVALID_PARAMETER, m_strFileName);
            return FALSE;
    }
    SECURITY_ATTRIBUTES sa = {sizeof sa, NULL, (nOpenFlags & modeNoInherit) == 0};
    DWORD dwCreate = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        dwCreate = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    HANDLE h =
        CreateFileA(lpszFileName, dwAccess, dwShare, &sa, dwCreate, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) {
        LONG err = (LONG)::GetLastError();
        FillError(pError, CFileException::OsErrorToException(err), err, m_strFileName);
        return FALSE;
    }
    m_hFile = h;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    if (nCount == 0) return 0;
    DWORD nRead = 0;
    if (!ReadFile(m_hFile, lpBuf, nCount, &nRead, NULL))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return nRead;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0) return;
    DWORD nWritten = 0;
    if (!WriteFile(m_hFile, lpBuf, nCount, &nWritten, NULL))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    if (nWritten != nCount) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

LONG CFile::Seek(LONG lOff, UINT nFrom) {
    DWORD method = nFrom == begin ? FILE_BEGIN : (nFrom == current ? FILE_CURRENT : FILE_END);
    LARGE_INTEGER distance, position;
    distance.QuadPart = lOff;
    if (!SetFilePointerEx(m_hFile, distance, &position, method))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (LONG)position.QuadPart;
}

DWORD CFile::GetPosition() const {
    LARGE_INTEGER distance, position;
    distance.QuadPart = 0;
    if (!SetFilePointerEx(m_hFile, distance, &position, FILE_CURRENT))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (DWORD)position.QuadPart;
}

DWORD CFile::GetLength() const {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (DWORD)size.QuadPart;
}

void CFile::SetLength(DWORD dwNewLen) {
    Seek((LONG)dwNewLen, begin);
    if (!SetEndOfFile(m_hFile)) CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::Flush() {
    if (m_hFile == hFileNull) return;
    if (!FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::Close() {
    BOOL bError = FALSE;
    if (m_hFile != hFileNull) bError = !CloseHandle(m_hFile);
    LONG err = bError ? (LONG)::GetLastError() : 0;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (bError) CFileException::ThrowOsError(err, m_strFileName);
}

void CFile::Abort() {
    if (m_hFile != hFileNull) CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

CString CFile::GetFileName() const {
    int n = m_strFileName.ReverseFind('\\');
    int m = m_strFileName.ReverseFind('/');
    if (m > n) n = m;
    return m_strFileName.Mid(n + 1);
}

void PASCAL CFile::Remove(LPCSTR lpszFileName) {
    if (!DeleteFileA(lpszFileName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}

void PASCAL CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName) {
    if (!MoveFileA(lpszOldName, lpszNewName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszOldName);
}

CStdioFile::CStdioFile() : m_pStream(NULL) {}

CStdioFile::CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_pStream(NULL) {
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile() {
    if (m_pStream != NULL && m_bCloseOnDelete) Abort();
}

BOOL CStdioFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    m_pStream = NULL;
    // The file is opened with the share and create rules of CFile, then handed to a stream.
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(UINT)(typeText | typeBinary), pError))
        return FALSE;

    char mode[4] = {0};
    int oflag = 0;
    switch (nOpenFlags & 3) {
        case modeRead:
            mode[0] = 'r';
            oflag = _O_RDONLY;
            break;
        case modeWrite:
            mode[0] = (nOpenFlags & modeNoTruncate) ? 'a' : 'w';
            oflag = (nOpenFlags & modeNoTruncate) ? _O_WRONLY | _O_APPEND : _O_WRONLY;
            break;
        default:
            mode[0] = 'r';
            mode[1] = '+';
            oflag = _O_RDWR;
            break;
    }
    BOOL bBinary = (nOpenFlags & typeBinary) != 0;
    mode[mode[1] ? 2 : 1] = bBinary ? 'b' : 't';
    oflag |= bBinary ? _O_BINARY : _O_TEXT;

    int fd = _open_osfhandle((intptr_t)m_hFile, oflag);
    FILE* stream = fd == -1 ? NULL : _fdopen(fd, mode);
    if (stream == NULL) {
        int err = errno;
        if (fd != -1)
            _close(fd);  // closes the handle too
        else
            CloseHandle(m_hFile);
        m_hFile = hFileNull;
        m_bCloseOnDelete = FALSE;
        FillError(pError, CFileException::ErrnoToException(err), err, m_strFileName);
        return FALSE;
    }
    m_pStream = stream;
    return TRUE;
}

BOOL CStdioFile::ReadString(CString& rString) {
    rString.Empty();
    char buffer[256];
    BOOL bRead = FALSE;
    for (;;) {
        if (fgets(buffer, sizeof buffer, m_pStream) == NULL) {
            if (ferror(m_pStream)) {
                int err = errno;
                clearerr(m_pStream);
                CFileException::ThrowErrno(err ? err : EIO, m_strFileName);
            }
            break;
        }
        bRead = TRUE;
        size_t n = strlen(buffer);
        if (n > 0 && buffer[n - 1] == '\n') {
            rString += CString(buffer, (int)n - 1);
            break;
        }
        rString += CString(buffer, (int)n);
    }
    return bRead;
}

LPSTR CStdioFile::ReadString(LPSTR lpsz, UINT nMax) {
    if (lpsz == NULL || nMax == 0) return NULL;
    LPSTR p = fgets(lpsz, (int)nMax, m_pStream);
    if (p == NULL && ferror(m_pStream)) {
        int err = errno;
        clearerr(m_pStream);
        CFileException::ThrowErrno(err ? err : EIO, m_strFileName);
    }
    return p;
}

void CStdioFile::WriteString(LPCSTR lpsz) {
    if (lpsz == NULL) return;
    if (fputs(lpsz, m_pStream) == EOF)
        CFileException::ThrowErrno(errno ? errno : EIO, m_strFileName);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
    if (nCount == 0) return 0;
    size_t n = fread(lpBuf, 1, nCount, m_pStream);
    if (n == 0 && ferror(m_pStream)) {
        int err = errno;
        clearerr(m_pStream);
        CFileException::ThrowErrno(err ? err : EIO, m_strFileName);
    }
    return (UINT)n;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0) return;
    if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        CFileException::ThrowErrno(errno ? errno : EIO, m_strFileName);
}

LONG CStdioFile::Seek(LONG lOff, UINT nFrom) {
    int origin = nFrom == begin ? SEEK_SET : (nFrom == current ? SEEK_CUR : SEEK_END);
    if (fseek(m_pStream, lOff, origin) != 0)
        CFileException::ThrowErrno(errno ? errno : EINVAL, m_strFileName);
    return ftell(m_pStream);
}

DWORD CStdioFile::GetPosition() const {
    long pos = ftell(m_pStream);
    if (pos == -1) CFileException::ThrowErrno(errno ? errno : EINVAL, m_strFileName);
    return (DWORD)pos;
}

DWORD CStdioFile::GetLength() const {
    fflush(m_pStream);
    return CFile::GetLength();
}

void CStdioFile::Flush() {
    if (m_pStream != NULL && fflush(m_pStream) != 0)
        CFileException::ThrowErrno(errno ? errno : EIO, m_strFileName);
}

void CStdioFile::Close() {
    int r = 0;
    if (m_pStream != NULL) r = fclose(m_pStream);  // closes the handle as well
    int err = errno;
    m_pStream = NULL;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (r != 0) CFileException::ThrowErrno(err ? err : EIO, m_strFileName);
}

void CStdioFile::Abort() {
    if (m_pStream != NULL) fclose(m_pStream);
    m_pStream = NULL;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}
