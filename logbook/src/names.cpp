// The names of the numbered log files, and whether a configured name can be one.
//
// A configured name is either a counter pattern, which holds exactly one integer
// conversion for the counter (run%lu.csv gives run0.csv, run1.csv, ...), or a literal name,
// which gets the counter as at least four digits before the dot of its extension
// (prot.txt gives prot0000.txt, prot0001.txt, ...). The name is never handed to the
// runtime's printf as a whole: a name such as "50%.txt" or "%s.txt" is a literal name.
#include "internal.h"

#include <stdio.h>
#include <string.h>

#include <vector>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads up to two digits at text[i]; false when there are more.
bool SkipDigits(const CString& text, int& i) {
    int digits = 0;
    while (i < text.GetLength() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    return digits <= 2;
}

// The one integer conversion of a counter pattern: "%", flags, a width and a precision
// of at most two digits each, an optional l or h, and d, i, u, x, X or o. Any number of
// "%%" may stand beside it. Sets [start, end) and returns true when the name is a
// counter pattern; every other "%" makes the name literal.
bool FindCounterConversion(const CString& name, int& start, int& end) {
    int found = 0;
    const int length = name.GetLength();
    for (int i = 0; i < length; ++i) {
        if (name[i] != '%') continue;
        if (i + 1 < length && name[i + 1] == '%') {
            ++i;
            continue;
        }
        int j = i + 1;
        while (j < length && name[j] != '\0' && strchr("-+ #0", name[j]) != NULL) ++j;
        if (!SkipDigits(name, j)) return false;
        if (j < length && name[j] == '.') {
            ++j;
            if (!SkipDigits(name, j)) return false;
        }
        if (j < length && (name[j] == 'l' || name[j] == 'h')) ++j;
        if (j >= length || name[j] == '\0' || strchr("diuxXo", name[j]) == NULL) return false;
        if (++found > 1) return false;
        start = i;
        end = j + 1;
        i = j;
    }
    return found == 1;
}

// The text with each "%%" made one "%".
CString Unescape(const CString& text) {
    CString result = text;
    result.Replace("%%", "%");
    return result;
}

}  // namespace

namespace nura {

CString NumberedFileName(const CString& strName, unsigned long nCounter) {
    int start = 0, end = 0;
    if (FindCounterConversion(strName, start, end)) {
        // The conversion alone, checked above, with the counter as its one argument.
        char number[256];
        snprintf(number, sizeof number, (LPCSTR)strName.Mid(start, end - start), nCounter);
        return Unescape(strName.Left(start)) + number + Unescape(strName.Mid(end));
    }

    // The counter goes before the last dot of the file's own name; a dot in a folder
    // name is no extension.
    int dot = strName.ReverseFind('.');
    int folder = -1;
    for (int i = 0; i < strName.GetLength(); ++i)
        if (strName[i] == '\\' || strName[i] == '/' || strName[i] == ':') folder = i;
    CString result;
    if (dot > folder)
        result.Format("%s%.4lu%s", (LPCSTR)strName.Left(dot), nCounter, (LPCSTR)strName.Mid(dot));
    else
        result.Format("%s%.4lu", (LPCSTR)strName, nCounter);
    return result;
}

BOOL CheckFileName(const CString& strName, CString& strMessage) {
    if (strName.GetLength() > kLongestFileName) {
        strMessage.Format(OwnString(8), strName.GetLength(), kLongestFileName, (LPCSTR)strName);
        return FALSE;
    }
    // The first file, as the writer opens it: a relative name lies in the current folder.
    // The wide call tells the whole path's length also beyond MAX_PATH, where the narrow
    // one only fails.
    const CString first = NumberedFileName(strName, 0);
    const int chars = MultiByteToWideChar(CP_ACP, 0, first, -1, NULL, 0);
    if (chars <= 0) return TRUE;  // left to the writer, which tells what the system says
    std::vector<wchar_t> wide((size_t)chars);
    MultiByteToWideChar(CP_ACP, 0, first, -1, wide.data(), chars);
    const DWORD size = GetFullPathNameW(wide.data(), 0, NULL, NULL);  // with the terminator
    if (size <= MAX_PATH) return TRUE;
    std::vector<wchar_t> full(size);
    const DWORD length = GetFullPathNameW(wide.data(), size, full.data(), NULL);
    if (length == 0 || length >= size) return TRUE;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, full.data(), -1, NULL, 0, NULL, NULL);
    CString path;
    if (bytes > 0) {
        WideCharToMultiByte(CP_ACP, 0, full.data(), -1, path.GetBuffer(bytes), bytes, NULL, NULL);
        path.ReleaseBuffer();
    }
    strMessage.Format(OwnString(9), (LPCSTR)strName, (int)length, MAX_PATH - 1, (LPCSTR)path);
    return FALSE;
}

}  // namespace nura

CString CnuraProtocol::BuildFileName(const CString& strName, unsigned long nCounter) {
    return nura::NumberedFileName(strName, nCounter);
}

CString CnuraProtocol::GetCurrentFileName() const {
    return BuildFileName(m_strFileName, m_nFileCounter);
}
