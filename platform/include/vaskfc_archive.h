// CArchive: binary serialisation of values and objects into a CFile.
//
// Form on disk (little-endian), the class library's conventional object framing:
//   object of a class not written before: 0xFFFF, 16-bit schema, 16-bit name length, the
//     ASCII class name, then the object's own record;
//   object of a class written before: 0x8000 | the class's index, then the record;
//   object written before: its index; no object: 0x0000.
//   Classes and objects share one index count that starts at 1; indices from 0x7FFF on
//   are written as 0x7FFF and a 32-bit value (with bit 31 set for a class).
//   CString: a 1-byte length below 255; else 0xFF and a 16-bit length below 0xFFFE; else
//   0xFF, 0xFFFF and a 32-bit length; then the characters without terminator.
//
// Loading data that end early throws CArchiveException::endOfFile; data that do not have
// this form throw another CArchiveException cause. An archive never reads past a corrupt
// length into memory it has not allocated.
#pragma once

#include "vaskfc_exceptions.h"
#include "vaskfc_file.h"
#include "vaskfc_object.h"
#include "vaskfc_string.h"

class VASKFC_API CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }

    // The schema of the object being loaded (or stored); once read it reports -1 until the
    // next object.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema);

    // Raw bytes. Read returns fewer bytes than asked only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);

    void Flush();
    void Close();
    // Ends the archive without writing what is buffered.
    void Abort();

    // Objects. ReadObject with a class refuses an object of any class not derived from it
    // (CArchiveException::badClass); NULL accepts any class.
    void WriteObject(const CObject* pOb);
    CObject* ReadObject(const CRuntimeClass* pClass);

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(short n);
    CArchive& operator<<(int i);
    CArchive& operator<<(UINT u);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(short& n);
    CArchive& operator>>(int& i);
    CArchive& operator>>(UINT& u);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);

    CString m_strFileName;

private:
    struct Maps;

    void CheckLoading();
    void CheckStoring();
    void ReadBytes(void* p, UINT n);  // all of them or endOfFile
    void WriteBytes(const void* p, UINT n);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag);

    CFile* m_pFile;
    UINT m_nMode;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    UINT m_nBufSize;
    BOOL m_bUserBuf;
    UINT m_nObjectSchema;

    // Objects and classes met so far: by index when loading, by address when storing.
    Maps* m_pMaps;
};

VASKFC_API CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
VASKFC_API CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
VASKFC_API CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
VASKFC_API CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
