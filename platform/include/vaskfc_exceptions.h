// Exceptions of the class library. They are thrown as pointers (throw new ...) and the
// catcher ends them with Delete():
//     try { ... } catch (CException* e) { e->ReportError(); e->Delete(); }
#pragma once

#include "vaskfc_object.h"
#include "vaskfc_string.h"

class VASKFC_API CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE);
    ~CException() override;

    // Frees the exception unless it is a static one (m_bAutoDelete FALSE).
    void Delete();

    // The message text; FALSE (and an empty text) when the exception has none.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
    // Shows the message text with AfxMessageBox (the text of nMessageID when there is none).
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;
};

class VASKFC_API CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException();
    explicit CMemoryException(BOOL bAutoDelete);
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

class VASKFC_API CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszFileName = NULL);

    // The cause that a Win32 error code or a C runtime errno stands for.
    static int PASCAL OsErrorToException(LONG lOsError);
    static int PASCAL ErrnoToException(int nErrno);
    [[noreturn]] static void PASCAL ThrowOsError(LONG lOsError, LPCSTR lpszFileName = NULL);
    [[noreturn]] static void PASCAL ThrowErrno(int nErrno, LPCSTR lpszFileName = NULL);

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class VASKFC_API CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        generic,    // the data do not have the archive's form (for example a bad string length)
        readOnly,   // writing to an archive that loads
        endOfFile,  // the data end before the object or value is complete
        writeOnly,  // reading from an archive that stores
        badIndex,   // a class or object reference to an index that was never defined
        badClass,   // an unknown class, or an object of a class other than the expected one
        badSchema   // an object stored with another schema than its class reads
    };

    explicit CArchiveException(int cause = none, LPCSTR lpszArchiveName = NULL);

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] VASKFC_API void AFXAPI AfxThrowMemoryException();
[[noreturn]] VASKFC_API void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1,
                                                          LPCSTR lpszFileName = NULL);
[[noreturn]] VASKFC_API void AFXAPI AfxThrowArchiveException(int cause,
                                                             LPCSTR lpszArchiveName = NULL);
