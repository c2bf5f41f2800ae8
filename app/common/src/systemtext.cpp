// The system's texts for its error codes.
#include "apputil.h"

CString SystemErrorText(DWORD code) {
    char* pText = NULL;
    ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                         FORMAT_MESSAGE_IGNORE_INSERTS,
                     NULL, code, 0, (LPSTR)&pText, 0, NULL);
    CString text = pText != NULL ? pText : "";
    if (pText != NULL) ::LocalFree(pText);
    text.TrimRight();
    return text;
}
