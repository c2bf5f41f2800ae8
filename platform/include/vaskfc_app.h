// Threads and the application.
//
// AfxGetApp() always answers: without an application object of the program (a library's
// tests, for instance) it gives a stand-in application named after the program file, so
// that the profile functions and the message pump work there too.
#pragma once

#include "vaskfc_cmdtarget.h"
#include "vaskfc_string.h"
#include "vaskfc_wnd.h"

typedef UINT (*AFX_THREADPROC)(LPVOID pParam);

class VASKFC_API CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Starts the thread; CREATE_SUSPENDED leaves it waiting for ResumeThread.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);

    operator HANDLE() const { return m_hThread; }
    int GetThreadPriority();
    BOOL SetThreadPriority(int nPriority);
    DWORD SuspendThread();
    DWORD ResumeThread();
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Threads made from a runtime class: InitInstance; when it fails ExitInstance, else
    // Run, the message loop, which ends with ExitInstance at WM_QUIT.
    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
    // Takes the calling thread's next message (waiting for it) and dispatches it; FALSE
    // at WM_QUIT.
    virtual BOOL PumpMessage();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd();
    // Deletes the object when m_bAutoDelete is set.
    virtual void Delete();

    CWnd* m_pMainWnd;
    BOOL m_bAutoDelete;
    HANDLE m_hThread;
    DWORD m_nThreadID;
    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
    MSG m_msgCur;  // the WM_QUIT that ended Run
};

VASKFC_API CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                             int nPriority = THREAD_PRIORITY_NORMAL,
                                             UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                             LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
VASKFC_API CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass,
                                             int nPriority = THREAD_PRIORITY_NORMAL,
                                             UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                             LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Ends the calling thread (deleting its CWinThread when bDelete and m_bAutoDelete are set).
[[noreturn]] VASKFC_API void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// The CWinThread of the calling thread; the application on its main thread; else NULL.
VASKFC_API CWinThread* AFXAPI AfxGetThread();

class VASKFC_API CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = NULL);
    ~CWinApp() override;

    // The profile lives under HKEY_CURRENT_USER\Software\<registry key>\<profile name>, a
    // section being a key below it ("a\\b" is the key b below a). Before SetRegistryKey it
    // lives in the private profile file <application name>.INI instead.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // Keys for callers that work on the registry themselves; the caller closes them.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCSTR lpszSection);

    // A value missing or of another type reads as the default.
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    // A null default reads a missing value as the empty string.
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = NULL);
    // A null value deletes the entry; a null entry deletes the whole section.
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);

    BOOL InitInstance() override;
    int ExitInstance() override;
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    LPCSTR m_pszAppName;
    HINSTANCE m_hInstance;
    HINSTANCE m_hPrevInstance;
    LPSTR m_lpCmdLine;
    int m_nCmdShow;
    LPCSTR m_pszExeName;
    LPCSTR m_pszHelpFilePath;
    LPCSTR m_pszProfileName;
    LPCSTR m_pszRegistryKey;
};

VASKFC_API CWinApp* AFXAPI AfxGetApp();
VASKFC_API LPCSTR AFXAPI AfxGetAppName();
// The calling thread's main window, else the application's.
VASKFC_API CWnd* AFXAPI AfxGetMainWnd();
// Records the start-up values of the program in the application object.
VASKFC_API BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine,
                                  int nCmdShow);

// Shows a message box with the application's name as caption; the button pressed (IDOK,
// IDYES, ...). A text id loads the text from the resource chain.
VASKFC_API int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
VASKFC_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Seam for tests: while a hook is set, AfxMessageBox asks it instead of the user and
// returns its answer. NULL removes it.
typedef int (*AFX_MESSAGEBOX_HOOK)(LPCSTR lpszText, UINT nType, UINT nIDHelp, void* pContext);
VASKFC_API void AFXAPI AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK pfnHook, void* pContext);
