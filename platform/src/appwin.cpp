// CWinApp, window side: the message loop, documents and templates, the command line,
// recent files, the wait cursor and resources; the program's start.
#include "internal.h"

#include <stdlib.h>

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, OnOpenRecentFile)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

BOOL CWinApp::InitApplication() { return TRUE; }

int CWinApp::Run() {
    // Without a main window nothing could ever end the loop.
    if (m_pMainWnd == NULL) ::PostQuitMessage(0);
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

// --- documents ------------------------------------------------------------------------

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    if (pTemplate == NULL) return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName) {
    if (lpszFileName == NULL || *lpszFileName == '\0') return NULL;
    CDocTemplate* pBest = NULL;
    CDocTemplate::Confidence best = CDocTemplate::noAttempt;
    CDocument* pOpen = NULL;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pMatch = NULL;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(lpszFileName, pMatch);
        if (match > best) {
            best = match;
            pBest = pTemplate;
            pOpen = pMatch;
        }
        if (match == CDocTemplate::yesAlreadyOpen) break;
    }
    if (best == CDocTemplate::yesAlreadyOpen && pOpen != NULL) {
        // Bring its frame to the front instead of reading it again.
        POSITION pos = pOpen->GetFirstViewPosition();
        if (pos != NULL) {
            CFrameWnd* pFrame = pOpen->GetNextView(pos)->GetParentFrame();
            if (pFrame != NULL) pFrame->BringWindowToTop();
        }
        return pOpen;
    }
    if (pBest == NULL) return NULL;
    return pBest->OpenDocumentFile(lpszFileName);
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName) {
    if (m_pRecentFileList != NULL && lpszPathName != NULL && *lpszPathName != '\0')
        m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::SaveAllModified() {
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
        if (!GetNextDocTemplate(pos)->SaveAllModified()) return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount() {
    int nCount = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != NULL;) {
            pTemplate->GetNextDoc(posDoc);
            ++nCount;
        }
    }
    return nCount;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    if (nMaxMRU == 0 || m_pRecentFileList != NULL) return;
    m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", (int)nMaxMRU);
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings() {
    if (m_pRecentFileList != NULL) m_pRecentFileList->WriteList();
}

void CWinApp::OnFileNew() {
    // The first template makes the new document (there is no choice of kinds).
    POSITION pos = GetFirstDocTemplatePosition();
    if (pos != NULL) GetNextDocTemplate(pos)->OpenDocumentFile(NULL);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
    if (m_pRecentFileList == NULL) return FALSE;
    int nIndex = (int)(nID - ID_FILE_MRU_FILE1);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize()) return FALSE;
    CString path = (*m_pRecentFileList)[nIndex];
    if (path.IsEmpty()) return FALSE;
    // A file that can no longer be opened leaves the list.
    if (OpenDocumentFile(path) == NULL) m_pRecentFileList->Remove(nIndex);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
    if (m_pRecentFileList == NULL)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != NULL && m_pMainWnd->m_hWnd != NULL) m_pMainWnd->SendMessage(WM_CLOSE);
}

// --- command line ---------------------------------------------------------------------

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    for (int i = 1; i < __argc; i++) {
        const char* pszParam = __argv[i];
        BOOL bFlag = FALSE;
        if (pszParam[0] == '-' || pszParam[0] == '/') {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, i + 1 == __argc);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    switch (rCmdInfo.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, NULL, NULL)) OnFileNew();
            return m_pMainWnd != NULL;
        case CCommandLineInfo::FileOpen: return OpenDocumentFile(rCmdInfo.m_strFileName) != NULL;
        case CCommandLineInfo::FilePrint:
        case CCommandLineInfo::FilePrintTo:
            // Print the file on the default printer, then end.
            if (OpenDocumentFile(rCmdInfo.m_strFileName) == NULL || m_pMainWnd == NULL)
                return FALSE;
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
            m_pMainWnd->SendMessage(WM_CLOSE);
            return FALSE;
        case CCommandLineInfo::FileNothing: return TRUE;
        default:  // DDE and unregistering are not offered
            return FALSE;
    }
}

// --- wait cursor and resources ----------------------------------------------------------

void CWinApp::DoWaitCursor(int nCode) {
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0) {
        HCURSOR hcurPrevious = ::SetCursor(::LoadCursorA(NULL, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1) m_hcurWaitCursorRestore = hcurPrevious;
    } else {
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore);
    }
}

HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const {
    return ::LoadIconA(AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_GROUP_ICON),
                       lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(LPCSTR lpszResourceName) const {
    return ::LoadCursorA(AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_GROUP_CURSOR),
                         lpszResourceName);
}

// --- the program's start ---------------------------------------------------------------

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    if (!AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow)) return -1;
    CWinApp* pApp = AfxGetApp();
    int nReturnCode;
    if (!pApp->InitApplication() || !pApp->InitInstance()) {
        if (pApp->m_pMainWnd != NULL && pApp->m_pMainWnd->m_hWnd != NULL)
            pApp->m_pMainWnd->DestroyWindow();
        nReturnCode = pApp->ExitInstance();
    } else {
        nReturnCode = pApp->Run();
    }
    return nReturnCode;
}

// --- CCommandLineInfo -----------------------------------------------------------------

CCommandLineInfo::CCommandLineInfo()
    : m_nShellCommand(FileNew),
      m_bShowSplash(TRUE),
      m_bRunEmbedded(FALSE),
      m_bRunAutomated(FALSE) {}

CCommandLineInfo::~CCommandLineInfo() {}

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) {
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const char* pszParam) {
    if (lstrcmpiA(pszParam, "pt") == 0)
        m_nShellCommand = FilePrintTo;
    else if (lstrcmpiA(pszParam, "p") == 0)
        m_nShellCommand = FilePrint;
    else if (lstrcmpiA(pszParam, "Unregister") == 0 || lstrcmpiA(pszParam, "Unregserver") == 0)
        m_nShellCommand = AppUnregister;
    else if (lstrcmpiA(pszParam, "dde") == 0)
        m_nShellCommand = FileDDE;
    else if (lstrcmpiA(pszParam, "Embedding") == 0)
        m_bRunEmbedded = TRUE;
    else if (lstrcmpiA(pszParam, "Automation") == 0)
        m_bRunAutomated = TRUE;
    else if (lstrcmpiA(pszParam, "nologo") == 0)
        m_bShowSplash = FALSE;
}

void CCommandLineInfo::ParseParamNotFlag(const char* pszParam) {
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast) {
    if (!bLast) return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty()) m_nShellCommand = FileOpen;
    if (m_bRunEmbedded || m_bRunAutomated) m_bShowSplash = FALSE;
}

// --- CRecentFileList ------------------------------------------------------------------

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 1),
      m_arrNames(NULL),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen) {
    m_arrNames = new CString[m_nSize];
}

CRecentFileList::~CRecentFileList() { delete[] m_arrNames; }

void CRecentFileList::Add(LPCSTR lpszPathName) {
    char full[MAX_PATH * 4];
    DWORD n = GetFullPathNameA(lpszPathName, sizeof full, full, NULL);
    CString path = (n > 0 && n < sizeof full) ? CString(full) : CString(lpszPathName);
    // The entry moves to the front; a path already listed is not listed twice.
    int nFound = m_nSize - 1;
    for (int i = 0; i < m_nSize; i++) {
        if (m_arrNames[i].CompareNoCase(path) == 0) {
            nFound = i;
            break;
        }
    }
    for (int i = nFound; i > 0; i--) m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex < 0 || nIndex >= m_nSize) return;
    for (int i = nIndex; i < m_nSize - 1; i++) m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty()) return FALSE;
    const CString& path = m_arrNames[nIndex];
    int nSlash = path.ReverseFind('\\');
    CString fileName = path.Mid(nSlash + 1);
    // A file of the current folder shows its name; a long path its start and its name.
    if (lpszCurDir != NULL && nCurDir > 0 && nSlash == nCurDir &&
        path.Left(nCurDir).CompareNoCase(CString(lpszCurDir, nCurDir)) == 0)
        strName = fileName;
    else if (m_nMaxDisplayLength <= 0 || path.GetLength() <= m_nMaxDisplayLength)
        strName = path;
    else {
        int nRoot = path.Find('\\');
        CString shortened = nRoot >= 0 ? path.Left(nRoot + 1) + "...\\" + fileName : fileName;
        if (shortened.GetLength() <= m_nMaxDisplayLength)
            strName = shortened;
        else
            strName = bAtLeastName ? fileName : CString();
    }
    return !strName.IsEmpty();
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && pMenu != NULL)
        pMenu->GetMenuString(pCmdUI->m_nIndex, m_strOriginal, MF_BYPOSITION);
    if (m_arrNames[0].IsEmpty()) {
        // No file yet: the placeholder item, disabled.
        if (!m_strOriginal.IsEmpty()) pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pMenu == NULL) return;
    for (int i = 0; i < m_nSize; i++) pMenu->DeleteMenu(pCmdUI->m_nID + i, MF_BYCOMMAND);
    char curDir[MAX_PATH];
    int nCurDir = (int)GetCurrentDirectoryA(sizeof curDir, curDir);
    CString name, text;
    for (int i = 0; i < m_nSize && GetDisplayName(name, i, curDir, nCurDir); i++) {
        name.Replace("&", "&&");  // a file name's & is no mnemonic
        text.Format("&%d %s", (int)((i + 1 + m_nStart) % 10), (LPCSTR)name);
        pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++, text);
    }
    // The update loop goes on behind the last inserted item.
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList() {
    CWinApp* pApp = AfxGetApp();
    CString entry;
    for (int i = 0; i < m_nSize; i++) {
        entry.Format(m_strEntryFormat, i + 1);
        m_arrNames[i] = pApp->GetProfileString(m_strSectionName, entry, "");
    }
}

void CRecentFileList::WriteList() {
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileString(m_strSectionName, NULL, NULL);
    CString entry;
    for (int i = 0; i < m_nSize; i++) {
        if (m_arrNames[i].IsEmpty()) continue;
        entry.Format(m_strEntryFormat, i + 1);
        pApp->WriteProfileString(m_strSectionName, entry, m_arrNames[i]);
    }
}
