// CString: the text lives in one block from the C runtime heap, a small header (length,
// capacity) followed by the characters and a terminating 0. The empty string points at a
// shared static block and owns nothing.
#include "vaskfc.h"

#include <limits.h>
#include <locale.h>
#include <stdlib.h>
#include <string.h>

extern "C" {
// The locale-taking printf functions of msvcrt.dll (not declared by the mingw headers).
__declspec(dllimport) int __cdecl _vsnprintf_l(char* buffer, size_t count, const char* format,
                                               _locale_t locale, va_list args);
__declspec(dllimport) int __cdecl _vscprintf_l(const char* format, _locale_t locale, va_list args);
}

namespace {

struct EmptyBlock {
    int nDataLength;
    int nAllocLength;
    char chars[8];
};
EmptyBlock g_empty = {0, 0, {0}};

inline char* EmptyChars() { return g_empty.chars; }

inline int SafeLength(LPCSTR psz) {
    if (psz == NULL) return 0;
    size_t n = strlen(psz);
    if (n > (size_t)INT_MAX / 2) AfxThrowMemoryException();
    return (int)n;
}

inline bool IsWhite(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

inline char FoldLower(char ch) { return (ch >= 'A' && ch <= 'Z') ? (char)(ch - 'A' + 'a') : ch; }
inline char FoldUpper(char ch) { return (ch >= 'a' && ch <= 'z') ? (char)(ch - 'a' + 'A') : ch; }

// The C locale, created once, so that formatting does not follow setlocale() calls of the
// process (a German locale would turn the decimal point of "%.3f" into a comma).
_locale_t CLocale() {
    static _locale_t locale = _create_locale(LC_ALL, "C");
    return locale;
}

}  // namespace

// The header of g_empty has the same layout as CString::Data; the empty string's
// characters follow the two ints, as for every allocated block.
static_assert(offsetof(EmptyBlock, chars) == 2 * sizeof(int), "empty block layout");

void CString::Init() { m_pchData = EmptyChars(); }

void CString::Release() {
    if (m_pchData != EmptyChars()) free(GetData());
    Init();
}

// Gives the string a new, uninitialised block for nLength characters (length set).
void CString::AllocBuffer(int nLength) {
    if (nLength <= 0) {
        Init();
        return;
    }
    if (nLength > INT_MAX - (int)sizeof(Data) - 1) AfxThrowMemoryException();
    Data* p = (Data*)malloc(sizeof(Data) + nLength + 1);
    if (p == NULL) AfxThrowMemoryException();
    p->nDataLength = nLength;
    p->nAllocLength = nLength;
    p->chars()[nLength] = '\0';
    m_pchData = p->chars();
}

// Makes room for nLength characters, keeping the text.
void CString::Reserve(int nLength) {
    Data* d = GetData();
    if (m_pchData != EmptyChars() && nLength <= d->nAllocLength) return;
    if (nLength > INT_MAX - (int)sizeof(Data) - 1) AfxThrowMemoryException();
    int nOld = d->nDataLength;
    Data* p = (Data*)malloc(sizeof(Data) + nLength + 1);
    if (p == NULL) AfxThrowMemoryException();
    p->nDataLength = nOld;
    p->nAllocLength = nLength;
    memcpy(p->chars(), m_pchData, nOld + 1);
    if (m_pchData != EmptyChars()) free(d);
    m_pchData = p->chars();
}

void CString::SetLength(int nLength) {
    if (m_pchData == EmptyChars()) return;
    GetData()->nDataLength = nLength;
    m_pchData[nLength] = '\0';
}

void CString::AssignCopy(const char* pch, int nLength) {
    if (nLength <= 0) {
        Release();
        return;
    }
    if (m_pchData != EmptyChars() && nLength <= GetData()->nAllocLength &&
        (pch < m_pchData || pch > m_pchData + GetData()->nAllocLength)) {
        memcpy(m_pchData, pch, nLength);
        SetLength(nLength);
        return;
    }
    CString fresh;
    fresh.AllocBuffer(nLength);
    memcpy(fresh.m_pchData, pch, nLength);
    Release();
    m_pchData = fresh.m_pchData;
    fresh.Init();
}

void CString::AppendCopy(const char* pch, int nLength) {
    if (nLength <= 0) return;
    int nOld = GetLength();
    if (nLength > INT_MAX / 2 - nOld) AfxThrowMemoryException();
    int nNew = nOld + nLength;
    if (m_pchData == EmptyChars() || nNew > GetData()->nAllocLength) {
        // Grow by half again so that repeated appends stay linear; copy through a new
        // block so that appending a part of this string itself is safe.
        int nAlloc = nNew + nNew / 2;
        CString fresh;
        fresh.AllocBuffer(nAlloc);
        memcpy(fresh.m_pchData, m_pchData, nOld);
        memcpy(fresh.m_pchData + nOld, pch, nLength);
        fresh.SetLength(nNew);
        Release();
        m_pchData = fresh.m_pchData;
        fresh.Init();
        return;
    }
    memmove(m_pchData + nOld, pch, nLength);
    SetLength(nNew);
}

CString::CString() { Init(); }

CString::CString(const CString& other) {
    Init();
    AssignCopy(other.m_pchData, other.GetLength());
}

CString::CString(CString&& other) noexcept {
    m_pchData = other.m_pchData;
    other.Init();
}

CString::CString(LPCSTR psz) {
    Init();
    if (psz != NULL && IS_INTRESOURCE(psz))
        LoadString((UINT)(ULONG_PTR)psz);
    else
        AssignCopy(psz, SafeLength(psz));
}

CString::CString(LPCSTR pch, int nLength) {
    Init();
    if (pch != NULL) AssignCopy(pch, nLength);
}

CString::CString(const unsigned char* psz) {
    Init();
    AssignCopy((const char*)psz, SafeLength((const char*)psz));
}

CString::CString(char ch, int nRepeat) {
    Init();
    if (nRepeat > 0) {
        AllocBuffer(nRepeat);
        memset(m_pchData, ch, nRepeat);
    }
}

CString::~CString() { Release(); }

void CString::Empty() { Release(); }

void CString::SetAt(int nIndex, char ch) {
    if (nIndex >= 0 && nIndex < GetLength()) m_pchData[nIndex] = ch;
}

const CString& CString::operator=(const CString& other) {
    if (this != &other) AssignCopy(other.m_pchData, other.GetLength());
    return *this;
}

const CString& CString::operator=(CString&& other) noexcept {
    if (this != &other) {
        Release();
        m_pchData = other.m_pchData;
        other.Init();
    }
    return *this;
}

const CString& CString::operator=(LPCSTR psz) {
    AssignCopy(psz, SafeLength(psz));
    return *this;
}

const CString& CString::operator=(const unsigned char* psz) { return operator=((LPCSTR)psz); }

const CString& CString::operator=(char ch) {
    AssignCopy(&ch, 1);
    return *this;
}

const CString& CString::operator+=(const CString& other) {
    AppendCopy(other.m_pchData, other.GetLength());
    return *this;
}

const CString& CString::operator+=(LPCSTR psz) {
    AppendCopy(psz, SafeLength(psz));
    return *this;
}

const CString& CString::operator+=(char ch) {
    AppendCopy(&ch, 1);
    return *this;
}

CString AFXAPI operator+(const CString& a, const CString& b) {
    CString s(a);
    s += b;
    return s;
}

CString AFXAPI operator+(const CString& a, LPCSTR b) {
    CString s(a);
    s += b;
    return s;
}

CString AFXAPI operator+(LPCSTR a, const CString& b) {
    CString s(a);
    s += b;
    return s;
}

CString AFXAPI operator+(const CString& a, char b) {
    CString s(a);
    s += b;
    return s;
}

CString AFXAPI operator+(char a, const CString& b) {
    CString s(a);
    s += b;
    return s;
}

int CString::Compare(LPCSTR psz) const {
    int r = strcmp(m_pchData, psz ? psz : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCSTR psz) const {
    const unsigned char* a = (const unsigned char*)m_pchData;
    const unsigned char* b = (const unsigned char*)(psz ? psz : "");
    for (;; ++a, ++b) {
        unsigned char ca = (unsigned char)FoldLower((char)*a);
        unsigned char cb = (unsigned char)FoldLower((char)*b);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength() - nFirst); }

CString CString::Mid(int nFirst, int nCount) const {
    int nLength = GetLength();
    if (nFirst < 0) nFirst = 0;
    if (nCount < 0) nCount = 0;
    if (nFirst > nLength) nFirst = nLength;
    if (nCount > nLength - nFirst) nCount = nLength - nFirst;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const {
    int nLength = GetLength();
    if (nCount < 0) nCount = 0;
    if (nCount > nLength) nCount = nLength;
    return CString(m_pchData + nLength - nCount, nCount);
}

void CString::MakeUpper() {
    for (char* p = m_pchData; *p; ++p) *p = FoldUpper(*p);
}

void CString::MakeLower() {
    for (char* p = m_pchData; *p; ++p) *p = FoldLower(*p);
}

void CString::TrimLeft() {
    int n = 0, nLength = GetLength();
    while (n < nLength && IsWhite(m_pchData[n])) ++n;
    if (n == 0) return;
    memmove(m_pchData, m_pchData + n, nLength - n);
    SetLength(nLength - n);
}

void CString::TrimLeft(char chTarget) {
    char set[2] = {chTarget, 0};
    TrimLeft(set);
}

void CString::TrimLeft(LPCSTR pszTargets) {
    if (pszTargets == NULL || *pszTargets == 0) return;
    int n = 0, nLength = GetLength();
    while (n < nLength && strchr(pszTargets, m_pchData[n]) != NULL) ++n;
    if (n == 0) return;
    memmove(m_pchData, m_pchData + n, nLength - n);
    SetLength(nLength - n);
}

void CString::TrimRight() {
    int n = GetLength();
    while (n > 0 && IsWhite(m_pchData[n - 1])) --n;
    if (n != GetLength()) SetLength(n);
}

void CString::TrimRight(char chTarget) {
    char set[2] = {chTarget, 0};
    TrimRight(set);
}

void CString::TrimRight(LPCSTR pszTargets) {
    if (pszTargets == NULL || *pszTargets == 0) return;
    int n = GetLength();
    while (n > 0 && strchr(pszTargets, m_pchData[n - 1]) != NULL) --n;
    if (n != GetLength()) SetLength(n);
}

int CString::Find(char ch) const { return Find(ch, 0); }

int CString::Find(char ch, int nStart) const {
    int nLength = GetLength();
    if (nStart < 0) nStart = 0;
    for (int i = nStart; i < nLength; ++i)
        if (m_pchData[i] == ch) return i;
    return -1;
}

int CString::Find(LPCSTR pszSub) const { return Find(pszSub, 0); }

int CString::Find(LPCSTR pszSub, int nStart) const {
    if (pszSub == NULL) return -1;
    int nLength = GetLength();
    if (nStart < 0) nStart = 0;
    if (nStart > nLength) return -1;
    const char* p = strstr(m_pchData + nStart, pszSub);
    return p ? (int)(p - m_pchData) : -1;
}

int CString::ReverseFind(char ch) const {
    for (int i = GetLength() - 1; i >= 0; --i)
        if (m_pchData[i] == ch) return i;
    return -1;
}

int CString::FindOneOf(LPCSTR pszCharSet) const {
    if (pszCharSet == NULL) return -1;
    size_t n = strcspn(m_pchData, pszCharSet);
    return m_pchData[n] ? (int)n : -1;
}

int CString::Replace(char chOld, char chNew) {
    int nCount = 0;
    if (chOld == chNew) return 0;
    for (int i = 0, n = GetLength(); i < n; ++i)
        if (m_pchData[i] == chOld) {
            m_pchData[i] = chNew;
            ++nCount;
        }
    return nCount;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew) {
    int nOld = SafeLength(pszOld);
    if (nOld == 0) return 0;
    int nNew = SafeLength(pszNew);
    int nCount = 0;
    CString result;
    int nLength = GetLength(), i = 0;
    while (i < nLength) {
        const char* p = strstr(m_pchData + i, pszOld);
        if (p == NULL) break;
        int at = (int)(p - m_pchData);
        result.AppendCopy(m_pchData + i, at - i);
        result.AppendCopy(pszNew, nNew);
        i = at + nOld;
        ++nCount;
    }
    if (nCount == 0) return 0;
    result.AppendCopy(m_pchData + i, nLength - i);
    *this = static_cast<CString&&>(result);
    return nCount;
}

void CString::FormatV(LPCSTR pszFormat, va_list args) {
    if (pszFormat == NULL) {
        Empty();
        return;
    }
    va_list count;
    va_copy(count, args);
    int n = _vscprintf_l(pszFormat, CLocale(), count);
    va_end(count);
    if (n <= 0) {
        Empty();
        return;
    }
    CString result;
    result.AllocBuffer(n);
    _vsnprintf_l(result.m_pchData, (size_t)n + 1, pszFormat, CLocale(), args);
    result.m_pchData[n] = '\0';
    *this = static_cast<CString&&>(result);
}

void CString::Format(LPCSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::Format(UINT nFormatID, ...) {
    CString format;
    format.LoadString(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

BOOL CString::LoadString(UINT nID) {
    int n = AfxLoadString(nID, *this);
    return n > 0;
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID) {
    // LoadStringA truncates silently; grow until the whole text fits.
    for (int nSize = 256;; nSize *= 2) {
        char* buffer = GetBuffer(nSize);
        int n = ::LoadStringA(hInstance, nID, buffer, nSize + 1);
        if (n < nSize || nSize >= 65536) {
            ReleaseBuffer(n > 0 ? n : 0);
            return n > 0;
        }
    }
}

LPSTR CString::GetBuffer(int nMinBufLength) {
    if (nMinBufLength < GetLength()) nMinBufLength = GetLength();
    if (nMinBufLength <= 0) nMinBufLength = 1;
    Reserve(nMinBufLength);
    return m_pchData;
}

LPSTR CString::GetBufferSetLength(int nNewLength) {
    if (nNewLength < 0) nNewLength = 0;
    GetBuffer(nNewLength);
    SetLength(nNewLength);
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength) {
    if (m_pchData == EmptyChars()) return;
    int nAlloc = GetData()->nAllocLength;
    if (nNewLength < 0) nNewLength = (int)strnlen(m_pchData, nAlloc);
    if (nNewLength > nAlloc) nNewLength = nAlloc;
    SetLength(nNewLength);
}

bool AFXAPI operator==(const CString& a, const CString& b) {
    return a.GetLength() == b.GetLength() && a.Compare(b) == 0;
}
bool AFXAPI operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
bool AFXAPI operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
bool AFXAPI operator!=(const CString& a, const CString& b) { return !(a == b); }
bool AFXAPI operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }
bool AFXAPI operator!=(LPCSTR a, const CString& b) { return b.Compare(a) != 0; }
bool AFXAPI operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool AFXAPI operator<(const CString& a, LPCSTR b) { return a.Compare(b) < 0; }
bool AFXAPI operator<(LPCSTR a, const CString& b) { return b.Compare(a) > 0; }
bool AFXAPI operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool AFXAPI operator>(const CString& a, LPCSTR b) { return a.Compare(b) > 0; }
bool AFXAPI operator>(LPCSTR a, const CString& b) { return b.Compare(a) < 0; }
bool AFXAPI operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool AFXAPI operator<=(const CString& a, LPCSTR b) { return a.Compare(b) <= 0; }
bool AFXAPI operator<=(LPCSTR a, const CString& b) { return b.Compare(a) >= 0; }
bool AFXAPI operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool AFXAPI operator>=(const CString& a, LPCSTR b) { return a.Compare(b) >= 0; }
bool AFXAPI operator>=(LPCSTR a, const CString& b) { return b.Compare(a) <= 0; }

// Replaces %1 to %9 by the given texts; a "%" followed by anything else stays.
static void FormatStrings(CString& rString, UINT nIDS, LPCSTR const* ppsz, int nCount) {
    CString format;
    format.LoadString(nIDS);
    CString result;
    for (int i = 0, n = format.GetLength(); i < n; ++i) {
        char ch = format[i];
        if (ch == '%' && i + 1 < n && format[i + 1] >= '1' && format[i + 1] <= '9') {
            int k = format[i + 1] - '1';
            if (k < nCount && ppsz[k] != NULL) result += ppsz[k];
            ++i;
            continue;
        }
        result += ch;
    }
    rString = result;
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCSTR psz1) {
    FormatStrings(rString, nIDS, &psz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCSTR psz1, LPCSTR psz2) {
    LPCSTR args[2] = {psz1, psz2};
    FormatStrings(rString, nIDS, args, 2);
}
