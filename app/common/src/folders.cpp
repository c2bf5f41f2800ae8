// The program's and the temporary folder.
#include "apputil.h"

CString GetTempFolder() {
    CString folder;
    // Asked for the length first; should the folder change meanwhile, ask again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD needed = GetTempPathA(0, NULL);
        if (needed == 0) return CString();
        const DWORD got = GetTempPathA(needed, folder.GetBuffer((int)needed));
        if (got < needed) {
            folder.ReleaseBuffer((int)got);
            return folder;
        }
        folder.ReleaseBuffer(0);
    }
    return CString();
}

CString GetProgramFolder() {
    const LPCSTR help = AfxGetApp()->m_pszHelpFilePath;
    if (help == NULL) return CString();
    const CString path(help);
    const int slash = path.ReverseFind('\\');
    if (slash < 1) return CString();
    return path.Left(slash);
}
