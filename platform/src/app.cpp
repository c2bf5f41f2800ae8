// CWinApp: the application object, its profile and message boxes.
#include "internal.h"

#include <stdlib.h>
#include <string.h>

#include <vector>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

// The string that names the application when the program's resources have it.
const UINT AFX_IDS_APP_TITLE = 0xE000;

SRWLOCK g_appLock = SRWLOCK_INIT;
CWinApp* g_pApp = NULL;      // the program's application object
CWinApp* g_pStandIn = NULL;  // made on demand when the program has none
DWORD g_nStandInMaker = 0;   // the thread that is making it

SRWLOCK g_hookLock = SRWLOCK_INIT;
AFX_MESSAGEBOX_HOOK g_pfnMessageBoxHook = NULL;
void* g_pMessageBoxHookContext = NULL;

void ReplaceString(LPCSTR& target, LPCSTR value) {
    free((void*)target);
    target = value ? _strdup(value) : NULL;
}

CString ModulePath(HMODULE hModule) {
    CString path;
    for (DWORD nSize = MAX_PATH;; nSize *= 2) {
        DWORD n = GetModuleFileNameA(hModule, path.GetBuffer((int)nSize), nSize);
        if (n < nSize || nSize >= 32768) {
            path.ReleaseBuffer((int)n);
            return path;
        }
    }
}

// The application's key below HKEY_CURRENT_USER\Software, opened for reading or created.
HKEY OpenAppKey(const CWinApp* pApp, BOOL bCreate) {
    if (pApp->m_pszRegistryKey == NULL || pApp->m_pszProfileName == NULL) return NULL;
    CString path;
    path.Format("Software\\%s\\%s", pApp->m_pszRegistryKey, pApp->m_pszProfileName);
    HKEY hKey = NULL;
    LONG r = bCreate ? RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, NULL, REG_OPTION_NON_VOLATILE,
                                       KEY_READ | KEY_WRITE, NULL, &hKey, NULL)
                     : RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey);
    return r == ERROR_SUCCESS ? hKey : NULL;
}

HKEY OpenSectionKey(const CWinApp* pApp, LPCSTR lpszSection, BOOL bCreate) {
    if (lpszSection == NULL) return NULL;
    HKEY hApp = OpenAppKey(pApp, bCreate);
    if (hApp == NULL) return NULL;
    HKEY hKey = NULL;
    LONG r = bCreate ? RegCreateKeyExA(hApp, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE,
                                       KEY_READ | KEY_WRITE, NULL, &hKey, NULL)
                     : RegOpenKeyExA(hApp, lpszSection, 0, KEY_READ, &hKey);
    RegCloseKey(hApp);
    return r == ERROR_SUCCESS ? hKey : NULL;
}

}  // namespace

CWinApp* vfc::CurrentApp() { return g_pApp; }

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(NULL),
      m_hInstance(GetModuleHandleA(NULL)),
      m_hPrevInstance(NULL),
      m_lpCmdLine(NULL),
      m_nCmdShow(SW_SHOWNORMAL),
      m_pszExeName(NULL),
      m_pszHelpFilePath(NULL),
      m_pszProfileName(NULL),
      m_pszRegistryKey(NULL),
      m_pRecentFileList(NULL),
      m_nWaitCursorCount(0),
      m_hcurWaitCursorRestore(NULL),
      m_hDevMode(NULL),
      m_hDevNames(NULL) {
    m_bAutoDelete = FALSE;

    CString path = ModulePath(NULL);
    int nSlash = path.ReverseFind('\\');
    CString exe = path.Mid(nSlash + 1);
    int nDot = exe.ReverseFind('.');
    if (nDot > 0) exe = exe.Left(nDot);
    ReplaceString(m_pszExeName, exe);

    if (lpszAppName != NULL) {
        ReplaceString(m_pszAppName, lpszAppName);
    } else {
        CString title;
        ReplaceString(m_pszAppName, title.LoadString(m_hInstance, AFX_IDS_APP_TITLE) ? (LPCSTR)title
                                                                                     : (LPCSTR)exe);
    }
    ReplaceString(m_pszProfileName, CString(m_pszExeName) + ".INI");
    int nPathDot = path.ReverseFind('.');
    ReplaceString(m_pszHelpFilePath, (nPathDot > nSlash ? path.Left(nPathDot) : path) + ".HLP");

    AcquireSRWLockExclusive(&g_appLock);
    if (g_nStandInMaker != GetCurrentThreadId()) {
        // The program's own application object; it is made on the main thread.
        m_nThreadID = GetCurrentThreadId();
        if (g_pApp == NULL) g_pApp = this;
    }
    ReleaseSRWLockExclusive(&g_appLock);
}

CWinApp::~CWinApp() {
    while (!m_templateList.IsEmpty()) delete (CDocTemplate*)m_templateList.RemoveHead();
    delete m_pRecentFileList;
    m_pRecentFileList = NULL;
    if (m_hDevMode != NULL) GlobalFree(m_hDevMode);
    if (m_hDevNames != NULL) GlobalFree(m_hDevNames);
    AcquireSRWLockExclusive(&g_appLock);
    if (g_pApp == this) g_pApp = NULL;
    ReleaseSRWLockExclusive(&g_appLock);
    ReplaceString(m_pszAppName, NULL);
    ReplaceString(m_pszExeName, NULL);
    ReplaceString(m_pszHelpFilePath, NULL);
    ReplaceString(m_pszProfileName, NULL);
    ReplaceString(m_pszRegistryKey, NULL);
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() {
    SaveStdProfileSettings();
    return (int)m_msgCur.wParam;
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) {
    ReplaceString(m_pszRegistryKey, lpszRegistryKey);
    ReplaceString(m_pszProfileName, m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey() { return OpenAppKey(this, TRUE); }

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection) { return OpenSectionKey(this, lpszSection, TRUE); }

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault) {
    if (m_pszRegistryKey == NULL)
        return GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    HKEY hKey = OpenSectionKey(this, lpszSection, FALSE);
    if (hKey == NULL) return (UINT)nDefault;
    DWORD dwValue = 0, dwType = 0, dwSize = sizeof dwValue;
    LONG r = RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwSize);
    RegCloseKey(hKey);
    if (r != ERROR_SUCCESS || dwType != REG_DWORD || dwSize != sizeof dwValue)
        return (UINT)nDefault;
    return (UINT)dwValue;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue) {
    if (m_pszRegistryKey == NULL) {
        CString text;
        text.Format("%d", nValue);
        return WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    HKEY hKey = OpenSectionKey(this, lpszSection, TRUE);
    if (hKey == NULL) return FALSE;
    DWORD dwValue = (DWORD)nValue;
    LONG r = RegSetValueExA(hKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof dwValue);
    RegCloseKey(hKey);
    return r == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault) {
    CString fallback(lpszDefault);
    if (m_pszRegistryKey == NULL) {
        CString value;
        for (DWORD nSize = 256;; nSize *= 4) {
            DWORD n =
                GetPrivateProfileStringA(lpszSection, lpszEntry, fallback,
                                         value.GetBuffer((int)nSize), nSize, m_pszProfileName);
            if (n < nSize - 2 || nSize >= (1u << 24)) {
                value.ReleaseBuffer((int)n);
                return value;
            }
        }
    }
    HKEY hKey = OpenSectionKey(this, lpszSection, FALSE);
    if (hKey == NULL) return fallback;
    CString value;
    DWORD dwType = 0, dwSize = 0;
    LONG r = RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, NULL, &dwSize);
    if (r == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ)) {
        // The text may grow between the two queries: then ask again with the new size.
        for (int nTry = 0; nTry < 4; ++nTry) {
            DWORD dwAlloc = dwSize + 1;
            char* p = value.GetBuffer((int)dwAlloc);
            dwSize = dwAlloc;
            r = RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, (LPBYTE)p, &dwSize);
            if (r == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ)) {
                // A value stored without its terminator ends where its data end.
                value.ReleaseBuffer((int)strnlen(p, dwSize));
                RegCloseKey(hKey);
                return value;
            }
            value.ReleaseBuffer(0);
            if (r != ERROR_MORE_DATA) break;
        }
    }
    RegCloseKey(hKey);
    return fallback;
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue) {
    if (m_pszRegistryKey == NULL)
        return WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (lpszSection == NULL) return FALSE;
    if (lpszEntry == NULL) {
        HKEY hApp = OpenAppKey(this, FALSE);
        if (hApp == NULL) return TRUE;  // nothing there to delete
        LONG r = RegDeleteTreeA(hApp, lpszSection);
        RegCloseKey(hApp);
        return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
    }
    if (lpszValue == NULL) {
        HKEY hKey = OpenSectionKey(this, lpszSection, TRUE);
        if (hKey == NULL) return FALSE;
        LONG r = RegDeleteValueA(hKey, lpszEntry);
        RegCloseKey(hKey);
        return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
    }
    HKEY hKey = OpenSectionKey(this, lpszSection, TRUE);
    if (hKey == NULL) return FALSE;
    LONG r = RegSetValueExA(hKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                            (DWORD)strlen(lpszValue) + 1);
    RegCloseKey(hKey);
    return r == ERROR_SUCCESS;
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT) {
    // Owned by the dialog open over the main window, else by the main window, when it
    // belongs to the calling thread: a box owned by a main window that a dialog holds
    // disabled would enable it again when it ends, under the dialog.
    HWND hOwner = vfc::ModalOwner(NULL);
    return MessageBoxA(hOwner, lpszPrompt, m_pszAppName, nType);
}

CWinApp* AFXAPI AfxGetApp() {
    CWinApp* pApp = g_pApp;
    if (pApp != NULL) return pApp;
    AcquireSRWLockExclusive(&g_appLock);
    pApp = g_pApp;
    if (pApp == NULL) {
        if (g_pStandIn == NULL) {
            g_nStandInMaker = GetCurrentThreadId();
            ReleaseSRWLockExclusive(&g_appLock);
            CWinApp* pStandIn = new CWinApp(NULL);
            AcquireSRWLockExclusive(&g_appLock);
            g_nStandInMaker = 0;
            if (g_pStandIn == NULL)
                g_pStandIn = pStandIn;
            else
                delete pStandIn;
        }
        pApp = g_pApp != NULL ? g_pApp : g_pStandIn;
    }
    ReleaseSRWLockExclusive(&g_appLock);
    return pApp;
}

LPCSTR AFXAPI AfxGetAppName() { return AfxGetApp()->m_pszAppName; }

CWnd* AFXAPI AfxGetMainWnd() {
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL && pThread->GetMainWnd() != NULL) return pThread->GetMainWnd();
    CWinApp* pApp = g_pApp;
    return pApp != NULL ? pApp->m_pMainWnd : NULL;
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine,
                       int nCmdShow) {
    CWinApp* pApp = AfxGetApp();
    pApp->m_hInstance = hInstance;
    pApp->m_hPrevInstance = hPrevInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_nThreadID = GetCurrentThreadId();
    return TRUE;
}

void AFXAPI AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK pfnHook, void* pContext) {
    AcquireSRWLockExclusive(&g_hookLock);
    g_pfnMessageBoxHook = pfnHook;
    g_pMessageBoxHookContext = pContext;
    ReleaseSRWLockExclusive(&g_hookLock);
}

BOOL vfc::AskMessageBoxHook(LPCSTR lpszText, UINT nType, UINT nIDHelp, int* pResult) {
    AcquireSRWLockShared(&g_hookLock);
    AFX_MESSAGEBOX_HOOK pfnHook = g_pfnMessageBoxHook;
    void* pContext = g_pMessageBoxHookContext;
    ReleaseSRWLockShared(&g_hookLock);
    if (pfnHook == NULL) return FALSE;
    *pResult = pfnHook(lpszText ? lpszText : "", nType, nIDHelp, pContext);
    return TRUE;
}

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp) {
    int nResult;
    if (vfc::AskMessageBoxHook(lpszText, nType, nIDHelp, &nResult)) return nResult;
    // Counted here: the program's own DoMessageBox runs a loop as well.
    CModalLoop loop;
    return AfxGetApp()->DoMessageBox(lpszText ? lpszText : "", nType, nIDHelp);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString text;
    AfxLoadString(nIDPrompt, text);
    return AfxMessageBox(text, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

int CException::ReportError(UINT nType, UINT nMessageID) {
    char text[512];
    CString message;
    if (GetErrorMessage(text, sizeof text))
        message = text;
    else if (nMessageID != 0)
        AfxLoadString(nMessageID, message);
    if (message.IsEmpty()) message = "No error message is available.";
    return AfxMessageBox(message, nType);
}
