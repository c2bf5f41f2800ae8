// Number texts and character replacement.
#include "apputil.h"

#include <errno.h>
#include <math.h>
#include <stdlib.h>

CString IntToString(int value) {
    CString text;
    text.Format("%i", value);
    return text;
}

BOOL StringToDouble(const CString& text, double& value, const CString& unitText) {
    value = 0;
    CString number = text;
    if (!unitText.IsEmpty()) {
        int at = number.Find(unitText);
        if (at >= 0) number = number.Left(at) + number.Mid(at + unitText.GetLength());
    }
    number.TrimLeft();
    number.TrimRight();
    if (number.IsEmpty()) return FALSE;
    char* end = NULL;
    errno = 0;
    value = strtod(number, &end);
    if (end == NULL || end != (LPCSTR)number + number.GetLength()) return FALSE;
    // "nan", "inf" and numbers beyond a double are no value to hand to a device.
    return isfinite(value) && errno != ERANGE;
}

CString ReplaceAnyOf(CString text, CString characters, CString replacement) {
    CString result;
    for (int i = 0; i < text.GetLength(); ++i) {
        const char c = text[i];
        if (characters.Find(c) >= 0)
            result += replacement;
        else
            result += c;
    }
    return result;
}
