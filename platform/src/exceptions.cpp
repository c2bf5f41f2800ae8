// Exception classes and their message texts.
#include "internal.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

namespace {

BOOL CopyMessage(LPCSTR text, LPSTR lpszError, UINT nMaxError) {
    if (lpszError == NULL || nMaxError == 0) return FALSE;
    lstrcpynA(lpszError, text, (int)nMaxError);
    return TRUE;
}

LPCSTR FileCauseText(int cause) {
    switch (cause) {
        case CFileException::none: return "No error occurred";
        case CFileException::fileNotFound: return "The file could not be found";
        case CFileException::badPath: return "All or part of the path is invalid";
        case CFileException::tooManyOpenFiles: return "Too many files are open";
        case CFileException::accessDenied: return "Access to the file was denied";
        case CFileException::invalidFile: return "An invalid file handle was used";
        case CFileException::removeCurrentDir: return "The current directory cannot be removed";
        case CFileException::directoryFull: return "The directory is full";
        case CFileException::badSeek: return "The file pointer could not be set";
        case CFileException::hardIO: return "A hardware error occurred";
        case CFileException::sharingViolation: return "The file is in use by another program";
        case CFileException::lockViolation: return "A locked region of the file was accessed";
        case CFileException::diskFull: return "The disk is full";
        case CFileException::endOfFile: return "The end of the file was reached unexpectedly";
        default: return "An error occurred while accessing the file";
    }
}

LPCSTR ArchiveCauseText(int cause) {
    switch (cause) {
        case CArchiveException::none: return "No error occurred";
        case CArchiveException::readOnly: return "The archive was written while it was being read";
        case CArchiveException::endOfFile: return "The file ends unexpectedly";
        case CArchiveException::writeOnly: return "The archive was read while it was being written";
        case CArchiveException::badIndex: return "The file contains an invalid object reference";
        case CArchiveException::badClass:
            return "The file contains an object of an unexpected or unknown class";
        case CArchiveException::badSchema:
            return "The file contains an object of an unsupported version";
        default: return "The file has an invalid format";
    }
}

// "<cause>: <file>" or just the cause.
BOOL CauseWithFile(LPCSTR cause, const CString& file, LPSTR lpszError, UINT nMaxError) {
    CString text(cause);
    if (!file.IsEmpty()) text += CString(": ") + file;
    return CopyMessage(text, lpszError, nMaxError);
}

// Thrown when memory runs out; preallocated, as no memory may be left for a new one.
CMemoryException g_memoryException(FALSE);

}  // namespace

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}
CException::~CException() {}

void CException::Delete() {
    if (m_bAutoDelete) delete this;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    if (pnHelpContext) *pnHelpContext = 0;
    if (lpszError && nMaxError) *lpszError = '\0';
    return FALSE;
}

CMemoryException::CMemoryException() : CException(TRUE) {}
CMemoryException::CMemoryException(BOOL bAutoDelete) : CException(bAutoDelete) {}

BOOL CMemoryException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    if (pnHelpContext) *pnHelpContext = 0;
    return CopyMessage("Out of memory", lpszError, nMaxError);
}

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName) {}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    if (pnHelpContext) *pnHelpContext = 0;
    return CauseWithFile(FileCauseText(m_cause), m_strFileName, lpszError, nMaxError);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError) {
    switch ((DWORD)lOsError) {
        case NO_ERROR: return none;
        case ERROR_FILE_NOT_FOUND: return fileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_NAME:
        case ERROR_DIRECTORY: return badPath;
        case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
        case ERROR_CANNOT_MAKE: return accessDenied;
        case ERROR_INVALID_HANDLE: return invalidFile;
        case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
        case ERROR_NO_MORE_FILES: return directoryFull;
        case ERROR_SEEK:
        case ERROR_NEGATIVE_SEEK: return badSeek;
        case ERROR_SHARING_VIOLATION: return sharingViolation;
        case ERROR_LOCK_VIOLATION: return lockViolation;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return diskFull;
        case ERROR_HANDLE_EOF: return endOfFile;
        case ERROR_CRC:
        case ERROR_SECTOR_NOT_FOUND:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_GEN_FAILURE: return hardIO;
        default: return generic;
    }
}

int PASCAL CFileException::ErrnoToException(int nErrno) {
    switch (nErrno) {
        case 0: return none;
        case ENOENT: return fileNotFound;
        case EACCES:
        case EPERM:
        case EROFS: return accessDenied;
        case EMFILE: return tooManyOpenFiles;
        case EBADF: return invalidFile;
        case ENOSPC: return diskFull;
        case EIO: return hardIO;
        case EINVAL: return badSeek;
        default: return generic;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName) {
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCSTR lpszFileName) {
    AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName) {}

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    if (pnHelpContext) *pnHelpContext = 0;
    return CauseWithFile(ArchiveCauseText(m_cause), m_strFileName, lpszError, nMaxError);
}

void AFXAPI AfxThrowMemoryException() { throw &g_memoryException; }

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName) {
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName) {
    throw new CArchiveException(cause, lpszArchiveName);
}
