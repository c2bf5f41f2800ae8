// The common dialogs (file, colour, find and replace) and the application's commands that
// use them: File Open and Print Setup.
#include "internal.h"

#include <string.h>

#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFindReplaceDialog, CCommonDialog)

namespace {

const char kDialogClass[] = "#32770";

// "name|pattern|name|pattern||" as the zero-separated pairs of the system; blanks around a
// pattern are dropped (a pattern " *.dat" would match nothing). Empty without a pair.
CString FilterPairs(LPCSTR lpszFilter) {
    std::string pairs;
    if (lpszFilter == NULL) return CString();
    std::vector<std::string> parts;
    std::string filter(lpszFilter);
    for (size_t nStart = 0; nStart < filter.size();) {
        size_t nBar = filter.find('|', nStart);
        if (nBar == std::string::npos) nBar = filter.size();
        parts.push_back(filter.substr(nStart, nBar - nStart));
        nStart = nBar + 1;
    }
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty()) break;  // "||" ends the pairs
        std::string pattern = parts[i + 1];
        size_t nFirst = pattern.find_first_not_of(" \t");
        size_t nLast = pattern.find_last_not_of(" \t");
        pattern = nFirst == std::string::npos ? std::string()
                                              : pattern.substr(nFirst, nLast - nFirst + 1);
        pairs += parts[i];
        pairs += '\0';
        pairs += pattern;
        pairs += '\0';
    }
    if (pairs.empty()) return CString();
    pairs += '\0';
    return CString(pairs.data(), (int)pairs.size());
}

// "*.prm", ".prm" and "prm" give "prm"; a bare wildcard gives none.
CString PlainExtension(LPCSTR lpszDefExt) {
    CString ext(lpszDefExt);
    ext.TrimLeft();
    ext.TrimRight();
    if (ext.Left(2) == "*.")
        ext = ext.Mid(2);
    else if (ext.Left(1) == ".")
        ext = ext.Mid(1);
    if (ext.FindOneOf("*?") >= 0) ext.Empty();
    return ext;
}

}  // namespace

BOOL vfc::PrinterInstalled() {
    DWORD nNeeded = 0, nReturned = 0;
    ::GetDefaultPrinterA(NULL, &nNeeded);
    if (nNeeded > 0) return TRUE;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, NULL, 4, NULL, 0, &nNeeded,
                    &nReturned);
    return nNeeded > 0;
}

// --- CCommonDialog --------------------------------------------------------------------------

CCommonDialog::CCommonDialog(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }

BOOL CCommonDialog::OnInitDialog() { return (BOOL)m_lInitDefault; }

void CCommonDialog::OnOK() { Default(); }

void CCommonDialog::OnCancel() { Default(); }

HWND CCommonDialog::OwnerWindow() const { return vfc::ModalOwner(m_pParentWnd); }

// --- CFileDialog ----------------------------------------------------------------------------

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName,
                         DWORD dwFlags, LPCSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd),
      m_bOpenFileDialog(bOpenFileDialog),
      m_strFilter(FilterPairs(lpszFilter)),
      m_strDefExt(PlainExtension(lpszDefExt)) {
    memset(&m_ofn, 0, sizeof m_ofn);
    m_szFileName[0] = '\0';
    m_szFileTitle[0] = '\0';
    if (lpszFileName != NULL) lstrcpynA(m_szFileName, lpszFileName, sizeof m_szFileName);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    m_ofn.Flags = dwFlags;
    if (!m_strFilter.IsEmpty()) m_ofn.lpstrFilter = m_strFilter;
    if (!m_strDefExt.IsEmpty()) m_ofn.lpstrDefExt = m_strDefExt;
}

int CFileDialog::DoModal() {
    m_ofn.hwndOwner = OwnerWindow();
    m_ofn.Flags |= OFN_EXPLORER;
    m_ofn.Flags &= ~OFN_ENABLEHOOK;
    vfc::HookWindowCreate(this, kDialogClass);
    CModalLoop loop;
    BOOL bOk = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    vfc::UnhookWindowCreate();
    return bOk ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const { return CString(m_ofn.lpstrFile); }

CString CFileDialog::GetFileName() const {
    CString path = GetPathName();
    if (m_ofn.nFileOffset > 0 && m_ofn.nFileOffset <= path.GetLength())
        return path.Mid(m_ofn.nFileOffset);
    return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const {
    CString name = GetFileName();
    int nDot = name.ReverseFind('.');
    return nDot < 0 ? CString() : name.Mid(nDot + 1);
}

CString CFileDialog::GetFileTitle() const {
    CString name = GetFileName();
    int nDot = name.ReverseFind('.');
    return nDot < 0 ? name : name.Left(nDot);
}

// --- CColorDialog ---------------------------------------------------------------------------

COLORREF* PASCAL CColorDialog::GetSavedCustomColors() {
    static COLORREF colors[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return colors;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd) {
    memset(&m_cc, 0, sizeof m_cc);
    m_cc.lStructSize = sizeof m_cc;
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    m_cc.Flags &= ~CC_ENABLEHOOK;
    SetCurrentColor(clrInit);
}

void CColorDialog::SetCurrentColor(COLORREF clr) {
    m_cc.rgbResult = clr;
    m_cc.Flags |= CC_RGBINIT;
}

int CColorDialog::DoModal() {
    m_cc.hwndOwner = OwnerWindow();
    vfc::HookWindowCreate(this, kDialogClass);
    BOOL bOk = ::ChooseColorA(&m_cc);
    vfc::UnhookWindowCreate();
    return bOk ? IDOK : IDCANCEL;
}

// --- CFindReplaceDialog ---------------------------------------------------------------------

CFindReplaceDialog::CFindReplaceDialog() : CCommonDialog(NULL) {
    memset(&m_fr, 0, sizeof m_fr);
    m_szFindWhat[0] = '\0';
    m_szReplaceWith[0] = '\0';
}

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, LPCSTR lpszFindWhat, LPCSTR lpszReplaceWith,
                                DWORD dwFlags, CWnd* pParentWnd) {
    if (m_hWnd != NULL) return FALSE;
    m_pParentWnd = pParentWnd;
    HWND hWndOwner = CWnd::GetSafeHwnd(pParentWnd);
    if (hWndOwner == NULL) hWndOwner = CWnd::GetSafeHwnd(AfxGetMainWnd());
    if (hWndOwner == NULL) return FALSE;  // the dialog reports to its owner
    lstrcpynA(m_szFindWhat, lpszFindWhat != NULL ? lpszFindWhat : "", sizeof m_szFindWhat);
    lstrcpynA(m_szReplaceWith, lpszReplaceWith != NULL ? lpszReplaceWith : "",
              sizeof m_szReplaceWith);
    m_fr.lStructSize = sizeof m_fr;
    m_fr.hwndOwner = hWndOwner;
    m_fr.Flags = dwFlags & ~FR_ENABLEHOOK;
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.wFindWhatLen = sizeof m_szFindWhat;
    m_fr.lpstrReplaceWith = m_szReplaceWith;
    m_fr.wReplaceWithLen = sizeof m_szReplaceWith;
    m_fr.lCustData = (LPARAM)this;
    vfc::HookWindowCreate(this, kDialogClass);
    HWND hWnd = bFindDialogOnly ? ::FindTextA(&m_fr) : ::ReplaceTextA(&m_fr);
    BOOL bAttached = vfc::UnhookWindowCreate();
    return hWnd != NULL && bAttached;
}

CFindReplaceDialog* PASCAL CFindReplaceDialog::GetNotifier(LPARAM lParam) {
    const FINDREPLACEA* pfr = reinterpret_cast<const FINDREPLACEA*>(lParam);
    return pfr != NULL ? reinterpret_cast<CFindReplaceDialog*>(pfr->lCustData) : NULL;
}

void CFindReplaceDialog::PostNcDestroy() { delete this; }

// --- the application's commands ---------------------------------------------------------------

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                               BOOL bOpenFileDialog, CDocTemplate* pTemplate) {
    // The kinds of the template (or of every template), then all files.
    CString filter, defExt;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL || pTemplate != NULL;) {
        CDocTemplate* pKind = pTemplate != NULL ? pTemplate : GetNextDocTemplate(pos);
        CString ext, name;
        if (pKind->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty() &&
            pKind->GetDocString(name, CDocTemplate::filterName)) {
            filter += name + "|*" + ext + "|";
            if (pTemplate != NULL) defExt = ext;
        }
        if (pTemplate != NULL) break;
    }
    filter += "All Files (*.*)|*.*||";
    CFileDialog dlg(bOpenFileDialog, defExt.IsEmpty() ? NULL : (LPCSTR)defExt, fileName,
                    lFlags | OFN_HIDEREADONLY, filter);
    CString title;
    if (nIDSTitle != 0) title = vfc::FrameworkString(nIDSTitle);
    if (!title.IsEmpty()) dlg.m_ofn.lpstrTitle = title;
    if (dlg.DoModal() != IDOK) return FALSE;
    fileName = dlg.GetPathName();
    return TRUE;
}

void CWinApp::OnFileOpen() {
    CString fileName;
    if (!DoPromptFileName(fileName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE,
                          NULL))
        return;
    OpenDocumentFile(fileName);
}

void CWinApp::OnFilePrintSetup() {
    // The system's own warning would bypass the program's message boxes.
    if (!vfc::PrinterInstalled()) {
        AfxMessageBox(vfc::FrameworkString(AFX_IDP_NO_PRINTER), MB_ICONEXCLAMATION);
        return;
    }
    PRINTDLGA pd;
    memset(&pd, 0, sizeof pd);
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = vfc::ModalOwner(NULL);
    pd.Flags = PD_PRINTSETUP;
    pd.hDevMode = m_hDevMode;
    pd.hDevNames = m_hDevNames;
    {
        CModalLoop loop;
        ::PrintDlgA(&pd);
    }
    // The dialog may hand back other handles, also when cancelled.
    m_hDevMode = pd.hDevMode;
    m_hDevNames = pd.hDevNames;
}
