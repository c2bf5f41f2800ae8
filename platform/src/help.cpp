// Help: the one routing function of every help call, the help commands and F1.
#include "internal.h"

namespace {

SRWLOCK g_helpLock = SRWLOCK_INIT;
AFX_HELP_HOOK g_pfnHelpHook = NULL;
void* g_pHelpHookContext = NULL;

typedef HWND(WINAPI* HTMLHELPPROC)(HWND, LPCSTR, UINT, DWORD_PTR);

// HTML Help lives in hhctrl.ocx, loaded on the first call and kept.
HTMLHELPPROC HtmlHelpProc() {
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    static HTMLHELPPROC proc = NULL;
    InitOnceExecuteOnce(
        &once,
        [](PINIT_ONCE, PVOID, PVOID*) -> BOOL {
            HMODULE h = LoadLibraryA("hhctrl.ocx");
            if (h != NULL) proc = (HTMLHELPPROC)(void (*)())GetProcAddress(h, "HtmlHelpA");
            return TRUE;
        },
        NULL, NULL);
    return proc;
}

// F1: the window that tracks the mouse, else the one with the focus, and their parents may
// name the help (WM_COMMANDHELP); else hWndDefault; else the default help command.
void ContextSensitiveHelp(HWND hWndDefault) {
    for (HWND hStart : {::GetCapture(), ::GetFocus()}) {
        for (HWND h = hStart; h != NULL;) {
            if (::SendMessageA(h, WM_COMMANDHELP, 0, 0)) return;
            h = (::GetWindowLongA(h, GWL_STYLE) & WS_CHILD) ? ::GetParent(h)
                                                            : ::GetWindow(h, GW_OWNER);
        }
    }
    if (hWndDefault == NULL) return;
    if (!::SendMessageA(hWndDefault, WM_COMMANDHELP, 0, 0))
        ::SendMessageA(hWndDefault, WM_COMMAND, ID_DEFAULT_HELP, 0);
}

}  // namespace

void AFXAPI AfxSetHelpHook(AFX_HELP_HOOK pfnHook, void* pContext) {
    AcquireSRWLockExclusive(&g_helpLock);
    g_pfnHelpHook = pfnHook;
    g_pHelpHookContext = pContext;
    ReleaseSRWLockExclusive(&g_helpLock);
}

BOOL AFXAPI AfxCallHelp(HWND hWndCaller, LPCSTR lpszHelpFile, UINT nCmd, DWORD_PTR dwData,
                        BOOL bHtmlHelp) {
    AcquireSRWLockShared(&g_helpLock);
    AFX_HELP_HOOK pfnHook = g_pfnHelpHook;
    void* pContext = g_pHelpHookContext;
    ReleaseSRWLockShared(&g_helpLock);
    if (pfnHook != NULL)
        return pfnHook(hWndCaller, lpszHelpFile, nCmd, dwData, bHtmlHelp, pContext);
    if (!bHtmlHelp) return ::WinHelpA(hWndCaller, lpszHelpFile, nCmd, dwData);
    HTMLHELPPROC proc = HtmlHelpProc();
    return proc != NULL && proc(hWndCaller, lpszHelpFile, nCmd, dwData) != NULL;
}

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    CWinApp* pApp = AfxGetApp();
    // Help belongs to the top-level window, which stays usable meanwhile.
    CWnd* pWnd = GetTopLevelParent();
    AfxCallHelp(GetSafeHwnd(pWnd), pApp->m_pszHelpFilePath, nCmd, dwData, FALSE);
}

void CWnd::HtmlHelp(DWORD_PTR dwData, UINT nCmd) {
    CWinApp* pApp = AfxGetApp();
    CWnd* pWnd = GetTopLevelParent();
    AfxCallHelp(GetSafeHwnd(pWnd), pApp->m_pszHelpFilePath, nCmd, dwData, TRUE);
}

void CWnd::OnHelp() { ContextSensitiveHelp(m_hWnd); }
void CWnd::OnHelpIndex() { AfxGetApp()->WinHelp(0, HELP_INDEX); }
void CWnd::OnHelpFinder() { AfxGetApp()->WinHelp(0, HELP_FINDER); }
void CWnd::OnHelpUsing() { AfxGetApp()->WinHelp(0, HELP_HELPONHELP); }

BOOL CWnd::OnHelpInfo(HELPINFO*) {
    // F1 without another key on a top-level window asks the main window for its help.
    if (!(GetStyle() & WS_CHILD)) {
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd != NULL && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 &&
            GetKeyState(VK_MENU) >= 0) {
            pMainWnd->SendMessage(WM_COMMAND, ID_HELP);
            return TRUE;
        }
    }
    return (BOOL)Default();
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL)
        pMainWnd->WinHelp(dwData, nCmd);
    else
        AfxCallHelp(NULL, m_pszHelpFilePath, nCmd, dwData, FALSE);
}

void CWinApp::OnHelp() { ContextSensitiveHelp(CWnd::GetSafeHwnd(AfxGetMainWnd())); }
void CWinApp::OnHelpIndex() { WinHelp(0, HELP_INDEX); }
void CWinApp::OnHelpFinder() { WinHelp(0, HELP_FINDER); }
void CWinApp::OnHelpUsing() { WinHelp(0, HELP_HELPONHELP); }

void CWinApp::OnContextHelp() {
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        static_cast<CFrameWnd*>(pMainWnd)->OnContextHelp();
}

void CFrameWnd::OnHelp() { ContextSensitiveHelp(m_hWnd); }
