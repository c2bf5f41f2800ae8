// CString: the single-byte (code page 1252) string of the class library.
//
// Every operation that allocates or frees the text lives in vaskfc.dll, so a string made
// in one module may be copied, changed and destroyed in any other.
#pragma once

#include "vaskfc_base.h"

class VASKFC_API CString {
public:
    CString();
    CString(const CString& other);
    CString(CString&& other) noexcept;
    // A null pointer gives the empty string; a resource id made with MAKEINTRESOURCE
    // loads that string from the resource chain.
    CString(LPCSTR psz);
    CString(LPCSTR pch, int nLength);
    CString(const unsigned char* psz);
    CString(char ch, int nRepeat = 1);
    ~CString();

    // Size and access.
    int GetLength() const { return GetData()->nDataLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();
    char GetAt(int nIndex) const { return m_pchData[nIndex]; }
    char operator[](int nIndex) const { return m_pchData[nIndex]; }
    void SetAt(int nIndex, char ch);
    operator LPCSTR() const { return m_pchData; }

    // Assignment and concatenation.
    const CString& operator=(const CString& other);
    const CString& operator=(CString&& other) noexcept;
    const CString& operator=(LPCSTR psz);
    const CString& operator=(const unsigned char* psz);
    const CString& operator=(char ch);
    const CString& operator+=(const CString& other);
    const CString& operator+=(LPCSTR psz);
    const CString& operator+=(char ch);
    friend VASKFC_API CString AFXAPI operator+(const CString& a, const CString& b);
    friend VASKFC_API CString AFXAPI operator+(const CString& a, LPCSTR b);
    friend VASKFC_API CString AFXAPI operator+(LPCSTR a, const CString& b);
    friend VASKFC_API CString AFXAPI operator+(const CString& a, char b);
    friend VASKFC_API CString AFXAPI operator+(char a, const CString& b);

    // Comparison: byte-wise, and byte-wise after folding A-Z to a-z.
    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;

    // Extraction. Counts and positions outside the string are clipped to it.
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    // Upper and lower case of the letters A-Z (other bytes are left as they are).
    void MakeUpper();
    void MakeLower();

    // White space is blank, tab, line feed, vertical tab, form feed and carriage return.
    void TrimLeft();
    void TrimLeft(char chTarget);
    void TrimLeft(LPCSTR pszTargets);
    void TrimRight();
    void TrimRight(char chTarget);
    void TrimRight(LPCSTR pszTargets);

    // Searching: the zero-based position, or -1.
    int Find(char ch) const;
    int Find(char ch, int nStart) const;
    int Find(LPCSTR pszSub) const;
    int Find(LPCSTR pszSub, int nStart) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR pszCharSet) const;

    // Replacement; returns the number of replaced occurrences.
    int Replace(char chOld, char chNew);
    int Replace(LPCSTR pszOld, LPCSTR pszNew);

    // printf formatting (the C runtime's conversions), always in the C locale: "%.3f" gives
    // a point whatever locale the process has set. CString arguments need a (LPCSTR) cast.
    void Format(LPCSTR pszFormat, ...) __attribute__((format(ms_printf, 2, 3)));
    void Format(UINT nFormatID, ...);
    void FormatV(LPCSTR pszFormat, va_list args);

    // Loads a string from the resource chain (current resource handle first, then the
    // extension libraries), or from the given module. FALSE and an empty string when the
    // string does not exist.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // Direct access to the character buffer. The buffer holds at least nMinBufLength
    // characters and a terminator; ReleaseBuffer(-1) takes the length up to the first 0.
    LPSTR GetBuffer(int nMinBufLength);
    LPSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    struct Data {
        int nDataLength;
        int nAllocLength;
        char* chars() { return reinterpret_cast<char*>(this + 1); }
    };
    Data* GetData() const { return reinterpret_cast<Data*>(m_pchData) - 1; }
    void Init();
    void Release();
    void AllocBuffer(int nLength);
    void Reserve(int nLength);
    void AssignCopy(const char* pch, int nLength);
    void AppendCopy(const char* pch, int nLength);
    void SetLength(int nLength);

    char* m_pchData;
};

VASKFC_API bool AFXAPI operator==(const CString& a, const CString& b);
VASKFC_API bool AFXAPI operator==(const CString& a, LPCSTR b);
VASKFC_API bool AFXAPI operator==(LPCSTR a, const CString& b);
VASKFC_API bool AFXAPI operator!=(const CString& a, const CString& b);
VASKFC_API bool AFXAPI operator!=(const CString& a, LPCSTR b);
VASKFC_API bool AFXAPI operator!=(LPCSTR a, const CString& b);
VASKFC_API bool AFXAPI operator<(const CString& a, const CString& b);
VASKFC_API bool AFXAPI operator<(const CString& a, LPCSTR b);
VASKFC_API bool AFXAPI operator<(LPCSTR a, const CString& b);
VASKFC_API bool AFXAPI operator>(const CString& a, const CString& b);
VASKFC_API bool AFXAPI operator>(const CString& a, LPCSTR b);
VASKFC_API bool AFXAPI operator>(LPCSTR a, const CString& b);
VASKFC_API bool AFXAPI operator<=(const CString& a, const CString& b);
VASKFC_API bool AFXAPI operator<=(const CString& a, LPCSTR b);
VASKFC_API bool AFXAPI operator<=(LPCSTR a, const CString& b);
VASKFC_API bool AFXAPI operator>=(const CString& a, const CString& b);
VASKFC_API bool AFXAPI operator>=(const CString& a, LPCSTR b);
VASKFC_API bool AFXAPI operator>=(LPCSTR a, const CString& b);

// Text of string nIDS with "%1" (and "%2") replaced by the given texts.
VASKFC_API void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCSTR psz1);
VASKFC_API void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCSTR psz1, LPCSTR psz2);
