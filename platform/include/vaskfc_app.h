// Threads and the application.
//
// AfxGetApp() always answers: without an application object of the program (a library's
// tests, for instance) it gives a stand-in application named after the program file, so
// that the profile functions and the message pump work there too.
//
// The message loop (Run) hands each message to PreTranslateMessage (the windows from the
// message's window up to the main window look at it first: accelerators, tool tips) and
// runs OnIdle whenever the queue is empty: the main window and its bars update their
// items, and the thread's temporary window objects are deleted.
#pragma once

#include "vaskfc_cmdtarget.h"
#include "vaskfc_coll.h"
#include "vaskfc_string.h"
#include "vaskfc_wnd.h"

class CDocTemplate;
class CDocument;
class CRecentFileList;

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
    // Idle work while the queue is empty, lCount counting the calls since the last
    // message: 0 updates the main window's items, 1 deletes temporary objects. TRUE while
    // more idle work waits.
    virtual BOOL OnIdle(LONG lCount);
    // Whether the message ends an idle period (mouse moves that change nothing do not).
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // Messages of menus and dialogs the thread does not dispatch itself (F1 in a menu).
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);
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

protected:
    POINT m_ptCursorLast;  // where the mouse was at the last message (IsIdleMessage)
    UINT m_nMsgLast;
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

// What the command line asks for; ParseParam takes one argument after another.
class VASKFC_API CCommandLineInfo : public CObject {
public:
    CCommandLineInfo();
    ~CCommandLineInfo() override;

    // One argument: bFlag when it began with '-' or '/' (which is then dropped), bLast for
    // the last one. Flags "p", "pt", "dde", "Embedding", "Automation", "Unregister" or
    // "Unregserver" and "nologo" set the shell command and switches; the first argument
    // that is no flag is the file name (a file to print after "p" or "pt"), the next
    // three after "pt" the printer, driver and port.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };
    int m_nShellCommand;
    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const char* pszParam);
    void ParseParamNotFlag(const char* pszParam);
    void ParseLast(BOOL bLast);
};

// The most recently used files, shown as numbered commands of a menu and kept in the
// application's profile (entries "File1" ... of a section).
class VASKFC_API CRecentFileList {
public:
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = 30);
    virtual ~CRecentFileList();
    CRecentFileList(const CRecentFileList&) = delete;
    CRecentFileList& operator=(const CRecentFileList&) = delete;

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }
    // Puts the path first (once; case does not matter).
    virtual void Add(LPCSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The menu text of entry nIndex: the file's name, with its folder when it fits.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Shows the entries as commands nStart, nStart + 1, ... in place of the update's menu
    // item, and lets the update loop go on behind them; an empty list leaves the item
    // disabled.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

    int m_nSize;
    CString* m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;  // the placeholder item's text
};

class VASKFC_API CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = NULL);
    ~CWinApp() override;  // deletes the document templates and the recent-file list

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
    // Saves the recent-file list, then the thread's exit.
    int ExitInstance() override;
    virtual BOOL InitApplication();
    // The message loop of the program; ends at once when InitInstance made no main window.
    int Run() override;
    BOOL OnIdle(LONG lCount) override;
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Documents. The application owns the templates.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const {
        return (CDocTemplate*)m_templateList.GetNext(pos);
    }
    // Opens the file with the template that fits it best; NULL when none could.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    virtual void AddToRecentFileList(LPCSTR lpszPathName);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    int GetOpenDocumentCount();
    // Asks for a file name with the open or save dialog; FALSE when cancelled.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                  BOOL bOpenFileDialog, CDocTemplate* pTemplate);
    // Reads the recent-file list of nMaxMRU entries ("Recent File List", "File%d").
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();

    // Command line.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Carries out what the command line asks: a new document or the file opened.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // Help: the main window's WinHelp, which ends in AfxCallHelp.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    // Wait cursor: 1 begins one, -1 ends one, 0 shows it again (after a dialog).
    virtual void DoWaitCursor(int nCode);

    // Resources of the resource chain.
    HICON LoadIcon(LPCSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCEA(nIDResource)); }
    HICON LoadStandardIcon(LPCSTR lpszIconName) const { return ::LoadIconA(NULL, lpszIconName); }
    HCURSOR LoadCursor(LPCSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCEA(nIDResource)); }
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const {
        return ::LoadCursorA(NULL, lpszCursorName);
    }
    HCURSOR LoadOEMCursor(UINT nIDCursor) const {
        return (HCURSOR)::LoadImageA(NULL, MAKEINTRESOURCEA(nIDCursor), IMAGE_CURSOR, 0, 0,
                                     LR_SHARED | LR_DEFAULTSIZE);
    }
    // The system draws 3-D controls itself; kept for programs that call it.
    BOOL Enable3dControls() { return TRUE; }

    // The standard commands, for the applications that map them.
    void OnFileNew();
    // The open dialog with the templates' filters, then OpenDocumentFile.
    void OnFileOpen();
    // The print setup dialog; the printer chosen is kept for the library's printing. Without
    // an installed printer a message says so.
    void OnFilePrintSetup();
    BOOL OnOpenRecentFile(UINT nID);
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    void OnAppExit();
    void OnHelp();
    void OnHelpIndex();
    void OnHelpFinder();
    void OnHelpUsing();
    void OnContextHelp();

    LPCSTR m_pszAppName;
    HINSTANCE m_hInstance;
    HINSTANCE m_hPrevInstance;
    LPSTR m_lpCmdLine;
    int m_nCmdShow;
    LPCSTR m_pszExeName;
    LPCSTR m_pszHelpFilePath;
    LPCSTR m_pszProfileName;
    LPCSTR m_pszRegistryKey;
    CRecentFileList* m_pRecentFileList;
    int m_nWaitCursorCount;
    HCURSOR m_hcurWaitCursorRestore;
    HGLOBAL m_hDevMode;  // the printer chosen in the print setup (owned), or NULL
    HGLOBAL m_hDevNames;

protected:
    CPtrList m_templateList;

    DECLARE_MESSAGE_MAP()
};

VASKFC_API CWinApp* AFXAPI AfxGetApp();
VASKFC_API LPCSTR AFXAPI AfxGetAppName();
// The calling thread's main window, else the application's.
VASKFC_API CWnd* AFXAPI AfxGetMainWnd();
// Records the start-up values of the program in the application object.
VASKFC_API BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine,
                                  int nCmdShow);
// The program's start: InitApplication and InitInstance of its application object, then
// Run; when InitInstance fails, the main window is destroyed and ExitInstance gives the
// exit code. The program's WinMain (the library vaskfc_winmain) calls it.
VASKFC_API int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine,
                                 int nCmdShow);

// Shows a message box with the application's name as caption; the button pressed (IDOK,
// IDYES, ...). A text id loads the text from the resource chain.
VASKFC_API int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
VASKFC_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Seam for tests: while a hook is set, AfxMessageBox and CWnd::MessageBox ask it instead of
// the user and return its answer. NULL removes it.
typedef int (*AFX_MESSAGEBOX_HOOK)(LPCSTR lpszText, UINT nType, UINT nIDHelp, void* pContext);
VASKFC_API void AFXAPI AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK pfnHook, void* pContext);
