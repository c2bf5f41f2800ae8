// Files: CFile over a Win32 file handle, CStdioFile over a C runtime stream (text lines).
// Failures throw CFileException; Open reports them through its optional exception
// argument instead.
#pragma once

#include "vaskfc_exceptions.h"
#include "vaskfc_object.h"
#include "vaskfc_string.h"

#include <stdio.h>

class VASKFC_API CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = (int)0x8000
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE hFile);
    CFile(LPCSTR lpszFileName, UINT nOpenFlags);  // throws CFileException
    ~CFile() override;

    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual LONG Seek(LONG lOff, UINT nFrom);
    virtual DWORD GetPosition() const;
    virtual DWORD GetLength() const;
    virtual void SetLength(DWORD dwNewLen);
    virtual void Flush();
    virtual void Close();
    // Closes without reporting errors.
    virtual void Abort();

    void SeekToBegin() { Seek(0, begin); }
    DWORD SeekToEnd() { return (DWORD)Seek(0, end); }

    CString GetFileName() const;
    CString GetFilePath() const { return m_strFileName; }

    static void PASCAL Remove(LPCSTR lpszFileName);
    static void PASCAL Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);

    HANDLE m_hFile;

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

class VASKFC_API CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags);  // throws CFileException
    ~CStdioFile() override;

    // typeText (the default) turns "\r\n" into "\n" when reading and back when writing.
    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;

    // Reads one line without its line end; FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);
    // Reads at most nMax - 1 characters up to and including the line end; NULL at the end.
    virtual LPSTR ReadString(LPSTR lpsz, UINT nMax);
    virtual void WriteString(LPCSTR lpsz);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    LONG Seek(LONG lOff, UINT nFrom) override;
    DWORD GetPosition() const override;
    DWORD GetLength() const override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    FILE* m_pStream;
};
