// CArchive: buffered little-endian values, strings and the object framing.
#include "internal.h"

#include <string.h>

#include <unordered_map>
#include <vector>

namespace {

const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;
const UINT nMaxClassName = 64;
// Longest string length accepted when loading; CString counts in int.
const DWORD dwMaxStringLength = 0x7FFFFF00;

static_assert(sizeof(WORD) == 2 && sizeof(short) == 2, "16-bit values");
static_assert(sizeof(int) == 4 && sizeof(UINT) == 4 && sizeof(LONG) == 4 && sizeof(DWORD) == 4,
              "32-bit values");
static_assert(sizeof(float) == 4 && sizeof(double) == 8, "IEEE values");

}  // namespace

struct CArchive::Maps {
    struct LoadEntry {
        void* p;  // CObject* or CRuntimeClass*; index 0 is the null object
        BOOL bClass;
        UINT nSchema;  // the schema stored with a class
    };
    std::vector<LoadEntry> load{LoadEntry{NULL, FALSE, 0}};
    std::unordered_map<const void*, DWORD> store;
    DWORD nMapCount = 1;
};

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pFile(pFile),
      m_nMode(nMode),
      m_lpBufStart(NULL),
      m_lpBufCur(NULL),
      m_lpBufMax(NULL),
      m_nBufSize(nBufSize < 128 ? 128 : (UINT)nBufSize),
      m_bUserBuf(lpBuf != NULL),
      m_nObjectSchema((UINT)-1),
      m_pMaps(NULL) {
    if (pFile != NULL) m_strFileName = pFile->GetFilePath();
    m_lpBufStart = m_bUserBuf ? (BYTE*)lpBuf : new BYTE[m_nBufSize];
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
    m_pMaps = new Maps;
}

CArchive::~CArchive() {
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
    if (!m_bUserBuf) delete[] m_lpBufStart;
    delete m_pMaps;
}

void CArchive::CheckLoading() {
    if (m_pFile == NULL) AfxThrowArchiveException(CArchiveException::generic, m_strFileName);
    if (!IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
}

void CArchive::CheckStoring() {
    if (m_pFile == NULL) AfxThrowArchiveException(CArchiveException::generic, m_strFileName);
    if (IsLoading()) AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

UINT CArchive::GetObjectSchema() {
    UINT nResult = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1;
    return nResult;
}

void CArchive::SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

UINT CArchive::Read(void* lpBuf, UINT nMax) {
    CheckLoading();
    BYTE* pDest = (BYTE*)lpBuf;
    UINT nDone = 0;
    while (nDone < nMax) {
        if (m_lpBufCur == m_lpBufMax) {
            UINT nGot = m_pFile->Read(m_lpBufStart, m_nBufSize);
            m_lpBufCur = m_lpBufStart;
            m_lpBufMax = m_lpBufStart + nGot;
            if (nGot == 0) break;
        }
        UINT n = (UINT)(m_lpBufMax - m_lpBufCur);
        if (n > nMax - nDone) n = nMax - nDone;
        memcpy(pDest + nDone, m_lpBufCur, n);
        m_lpBufCur += n;
        nDone += n;
    }
    return nDone;
}

void CArchive::ReadBytes(void* p, UINT n) {
    if (Read(p, n) != n) AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
    CheckStoring();
    const BYTE* pSrc = (const BYTE*)lpBuf;
    while (nMax > 0) {
        if (m_lpBufCur == m_lpBufMax) {
            m_pFile->Write(m_lpBufStart, (UINT)(m_lpBufCur - m_lpBufStart));
            m_lpBufCur = m_lpBufStart;
        }
        UINT n = (UINT)(m_lpBufMax - m_lpBufCur);
        if (n > nMax) n = nMax;
        memcpy(m_lpBufCur, pSrc, n);
        m_lpBufCur += n;
        pSrc += n;
        nMax -= n;
    }
}

void CArchive::WriteBytes(const void* p, UINT n) { Write(p, n); }

void CArchive::Flush() {
    if (m_pFile == NULL) return;
    if (IsStoring()) {
        if (m_lpBufCur != m_lpBufStart) {
            UINT n = (UINT)(m_lpBufCur - m_lpBufStart);
            m_lpBufCur = m_lpBufStart;
            m_pFile->Write(m_lpBufStart, n);
        }
    } else if (m_lpBufCur != m_lpBufMax) {
        // Hand the bytes read ahead back to the file, so that it stands where the
        // archive's reader stopped.
        LONG nUnread = (LONG)(m_lpBufMax - m_lpBufCur);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
        m_pFile->Seek(-nUnread, CFile::current);
    }
}

void CArchive::Close() {
    if (m_pFile == NULL) return;
    try {
        Flush();
    } catch (...) {
        m_pFile = NULL;
        throw;
    }
    m_pFile = NULL;
}

void CArchive::Abort() {
    m_pFile = NULL;
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive& CArchive::operator<<(BYTE by) {
    WriteBytes(&by, 1);
    return *this;
}
CArchive& CArchive::operator<<(WORD w) {
    WriteBytes(&w, 2);
    return *this;
}
CArchive& CArchive::operator<<(short n) {
    WriteBytes(&n, 2);
    return *this;
}
CArchive& CArchive::operator<<(int i) {
    WriteBytes(&i, 4);
    return *this;
}
CArchive& CArchive::operator<<(UINT u) {
    WriteBytes(&u, 4);
    return *this;
}
CArchive& CArchive::operator<<(LONG l) {
    WriteBytes(&l, 4);
    return *this;
}
CArchive& CArchive::operator<<(DWORD dw) {
    WriteBytes(&dw, 4);
    return *this;
}
CArchive& CArchive::operator<<(float f) {
    WriteBytes(&f, 4);
    return *this;
}
CArchive& CArchive::operator<<(double d) {
    WriteBytes(&d, 8);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& by) {
    CheckLoading();
    ReadBytes(&by, 1);
    return *this;
}
CArchive& CArchive::operator>>(WORD& w) {
    CheckLoading();
    ReadBytes(&w, 2);
    return *this;
}
CArchive& CArchive::operator>>(short& n) {
    CheckLoading();
    ReadBytes(&n, 2);
    return *this;
}
CArchive& CArchive::operator>>(int& i) {
    CheckLoading();
    ReadBytes(&i, 4);
    return *this;
}
CArchive& CArchive::operator>>(UINT& u) {
    CheckLoading();
    ReadBytes(&u, 4);
    return *this;
}
CArchive& CArchive::operator>>(LONG& l) {
    CheckLoading();
    ReadBytes(&l, 4);
    return *this;
}
CArchive& CArchive::operator>>(DWORD& dw) {
    CheckLoading();
    ReadBytes(&dw, 4);
    return *this;
}
CArchive& CArchive::operator>>(float& f) {
    CheckLoading();
    ReadBytes(&f, 4);
    return *this;
}
CArchive& CArchive::operator>>(double& d) {
    CheckLoading();
    ReadBytes(&d, 8);
    return *this;
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
    auto it = m_pMaps->store.find(pClassRef);
    if (it != m_pMaps->store.end()) {
        DWORD nIndex = it->second;
        if (nIndex < wBigObjectTag) {
            *this << (WORD)(wClassTag | nIndex);
        } else {
            *this << wBigObjectTag;
            *this << (DWORD)(dwBigClassTag | nIndex);
        }
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    m_pMaps->store[pClassRef] = m_pMaps->nMapCount++;
}

void CArchive::WriteObject(const CObject* pOb) {
    CheckStoring();
    if (pOb == NULL) {
        *this << wNullTag;
        return;
    }
    auto it = m_pMaps->store.find(pOb);
    if (it != m_pMaps->store.end()) {
        DWORD nIndex = it->second;
        if (nIndex < wBigObjectTag) {
            *this << (WORD)nIndex;
        } else {
            *this << wBigObjectTag;
            *this << nIndex;
        }
        return;
    }
    CRuntimeClass* pClassRef = pOb->GetRuntimeClass();
    if (pClassRef->m_wSchema == 0xFFFF)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    WriteClass(pClassRef);
    m_pMaps->store[pOb] = m_pMaps->nMapCount++;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema,
                                   DWORD* pObTag) {
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == NULL || pClassRef->m_wSchema == 0xFFFF ||
            pClassRef->m_pfnCreateObject == NULL)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        if (!(pClassRef->m_wSchema & VERSIONABLE_SCHEMA) && (WORD)pClassRef->m_wSchema != nSchema)
            AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
        m_pMaps->load.push_back(Maps::LoadEntry{pClassRef, TRUE, nSchema});
    } else if (obTag & dwBigClassTag) {
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_pMaps->load.size() ||
            !m_pMaps->load[nClassIndex].bClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClassRef = (CRuntimeClass*)m_pMaps->load[nClassIndex].p;
        nSchema = m_pMaps->load[nClassIndex].nSchema;
    } else {
        *pObTag = obTag;  // a reference to an object, or no object
        return NULL;
    }
    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    *pSchema = nSchema;
    *pObTag = 0;
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
    CheckLoading();
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (pClassRef == NULL) {
        if (obTag == wNullTag) return NULL;
        if (obTag >= m_pMaps->load.size() || m_pMaps->load[obTag].bClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        CObject* pOb = (CObject*)m_pMaps->load[obTag].p;
        if (pOb == NULL) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        if (pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        return pOb;
    }

    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL) AfxThrowMemoryException();
    size_t nIndex = m_pMaps->load.size();
    m_pMaps->load.push_back(Maps::LoadEntry{pOb, FALSE, 0});
    UINT nOuterSchema = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        // Nobody has the half-read object yet: it goes, and later references to it fail.
        m_pMaps->load[nIndex].p = NULL;
        m_nObjectSchema = nOuterSchema;
        delete pOb;
        throw;
    }
    m_nObjectSchema = nOuterSchema;
    return pOb;
}

void CRuntimeClass::Store(CArchive& ar) const {
    WORD nLen = (WORD)strlen(m_lpszClassName);
    ar << (WORD)m_wSchema << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum) {
    WORD wSchema, nLen;
    ar >> wSchema >> nLen;
    if (nLen == 0 || nLen >= nMaxClassName) return NULL;
    char szClassName[nMaxClassName];
    if (ar.Read(szClassName, nLen) != nLen)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    szClassName[nLen] = '\0';
    if (pwSchemaNum != NULL) *pwSchemaNum = wSchema;
    return FromName(szClassName);
}

CObject* AFXAPI AfxReadObject(CArchive& ar, const CRuntimeClass* pClass) {
    return ar.ReadObject(pClass);
}

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb) {
    ar.WriteObject(pOb);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb) {
    pOb = ar.ReadObject(NULL);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string) {
    DWORD nLength = (DWORD)string.GetLength();
    if (nLength < 255) {
        ar << (BYTE)nLength;
    } else if (nLength < 0xFFFE) {
        ar << (BYTE)0xFF << (WORD)nLength;
    } else {
        ar << (BYTE)0xFF << (WORD)0xFFFF << nLength;
    }
    ar.Write((LPCSTR)string, nLength);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& string) {
    BYTE bLength;
    ar >> bLength;
    DWORD nLength = bLength;
    if (bLength == 0xFF) {
        WORD wLength;
        ar >> wLength;
        nLength = wLength;
        // 0xFFFE marks a wide-character string, which an ANSI program never writes.
        if (wLength == 0xFFFE)
            AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
        if (wLength == 0xFFFF) ar >> nLength;
    }
    if (nLength > dwMaxStringLength)
        AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);

    // Read in steps, so that a corrupt length meets the end of the file before it has
    // claimed memory for text that is not there.
    CString result;
    DWORD nDone = 0;
    while (nDone < nLength) {
        UINT nStep = nLength - nDone < 0x10000 ? (UINT)(nLength - nDone) : 0x10000;
        char* p = result.GetBuffer((int)(nDone + nStep));
        UINT nGot = ar.Read(p + nDone, nStep);
        result.ReleaseBuffer((int)(nDone + nGot));
        if (nGot != nStep) AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        nDone += nStep;
    }
    string = static_cast<CString&&>(result);
    return ar;
}
