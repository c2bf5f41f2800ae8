// CWinThread, AfxBeginThread and AfxEndThread.
#include "internal.h"

#include <process.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

unsigned __stdcall ThreadEntry(void* pParam) {
    CWinThread* pThread = static_cast<CWinThread*>(pParam);
    TlsSetValue(vfc::g_tlsThread, pThread);
    UINT nResult;
    if (pThread->m_pfnThreadProc != NULL)
        nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    else if (!pThread->InitInstance())
        nResult = (UINT)pThread->ExitInstance();
    else
        nResult = (UINT)pThread->Run();
    AfxEndThread(nResult);
}

CWinThread* StartThread(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                        LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        pThread->Delete();
        return NULL;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
    return pThread;
}

}  // namespace

CWinThread::CWinThread()
    : m_pMainWnd(NULL),
      m_bAutoDelete(TRUE),
      m_hThread(NULL),
      m_nThreadID(0),
      m_pfnThreadProc(NULL),
      m_pThreadParams(NULL),
      m_nMsgLast(0) {
    memset(&m_msgCur, 0, sizeof m_msgCur);
    m_ptCursorLast.x = m_ptCursorLast.y = -1;
}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) : CWinThread() {
    m_pfnThreadProc = pfnThreadProc;
    m_pThreadParams = pParam;
}

CWinThread::~CWinThread() {
    if (m_hThread != NULL) CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize,
                              LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    unsigned nThreadID = 0;
    uintptr_t h = _beginthreadex(lpSecurityAttrs, nStackSize, ThreadEntry, this,
                                 dwCreateFlags | CREATE_SUSPENDED, &nThreadID);
    if (h == 0) return FALSE;
    m_hThread = (HANDLE)h;
    m_nThreadID = nThreadID;
    if (!(dwCreateFlags & CREATE_SUSPENDED)) ::ResumeThread(m_hThread);
    return TRUE;
}

int CWinThread::GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
BOOL CWinThread::SetThreadPriority(int nPriority) {
    return ::SetThreadPriority(m_hThread, nPriority);
}
DWORD CWinThread::SuspendThread() { return ::SuspendThread(m_hThread); }
DWORD CWinThread::ResumeThread() { return ::ResumeThread(m_hThread); }

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostThreadMessageA(m_nThreadID, message, wParam, lParam);
}

BOOL CWinThread::InitInstance() { return FALSE; }

namespace {

LRESULT CALLBACK MsgFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    vfc::ThreadState* ts = vfc::GetThreadState();
    if (code >= 0) {
        CWinThread* pThread = AfxGetThread();
        if (pThread != NULL && pThread->ProcessMessageFilter(code, (LPMSG)lParam)) return 1;
    }
    return CallNextHookEx(ts->hHookMsgFilter, code, wParam, lParam);
}

}  // namespace

int CWinThread::Run() {
    // Menus and dialogs run loops of their own; their messages reach ProcessMessageFilter.
    vfc::ThreadState* ts = vfc::GetThreadState();
    if (ts->hHookMsgFilter == NULL)
        ts->hHookMsgFilter =
            SetWindowsHookExA(WH_MSGFILTER, MsgFilterHook, NULL, GetCurrentThreadId());
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    MSG msg;
    for (;;) {
        while (bIdle && !PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++)) bIdle = FALSE;
        }
        do {
            if (!PumpMessage()) return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        // The main window and its bars update their items.
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && ::IsWindowVisible(pMainWnd->m_hWnd) &&
            CWnd::FromHandlePermanent(pMainWnd->m_hWnd) == pMainWnd) {
            vfc::CallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
    } else if (lCount == 1) {
        vfc::DeleteTempMaps();
    }
    return lCount < 1;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
    // A mouse move to the same place, paint and the caret's timer change nothing.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (pMsg->message == m_nMsgLast && pMsg->pt.x == m_ptCursorLast.x &&
            pMsg->pt.y == m_ptCursorLast.y)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118 /* WM_SYSTIMER */;
}

BOOL CWinThread::ProcessMessageFilter(int code, LPMSG lpMsg) {
    // F1 on a menu item asks for the help of the highlighted command.
    if (code == MSGF_MENU && lpMsg->message == WM_KEYDOWN && lpMsg->wParam == VK_F1) {
        CWnd* pMainWnd = GetMainWnd();
        if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && ::IsWindowEnabled(pMainWnd->m_hWnd)) {
            pMainWnd->SendMessage(WM_COMMAND, ID_HELP);
            return TRUE;
        }
    }
    return FALSE;
}

int CWinThread::ExitInstance() { return (int)m_msgCur.wParam; }

BOOL CWinThread::PumpMessage() {
    MSG msg;
    BOOL bOwnThread = GetCurrentThreadId() == m_nThreadID;
    if (GetMessageA(&msg, NULL, 0, 0) <= 0) {
        // WM_QUIT (or a failed wait, which ends the loop as well).
        if (bOwnThread) m_msgCur = msg;
        return FALSE;
    }
    if (bOwnThread) m_msgCur = msg;
    if (!PreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd == NULL) return FALSE;  // a thread message
    // The windows from the message's window up to the main window look at it first.
    CWnd* pMainWnd = GetMainWnd();
    HWND hWndMain = CWnd::GetSafeHwnd(pMainWnd);
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg)) return TRUE;
    // Another top-level window of the thread (a modeless dialog) still gets the main
    // window's accelerators.
    if (hWndMain != NULL && ::GetAncestor(pMsg->hwnd, GA_ROOT) != hWndMain &&
        CWnd::FromHandlePermanent(hWndMain) == pMainWnd)
        return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }

void CWinThread::Delete() {
    if (m_bAutoDelete) delete this;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                                  UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    if (pfnThreadProc == NULL) return NULL;
    return StartThread(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags,
                       lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    if (pThreadClass == NULL || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
        return NULL;
    CWinThread* pThread = static_cast<CWinThread*>(pThreadClass->CreateObject());
    if (pThread == NULL) return NULL;
    return StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete) {
    CWinThread* pThread = static_cast<CWinThread*>(TlsGetValue(vfc::g_tlsThread));
    if (pThread != NULL) {
        TlsSetValue(vfc::g_tlsThread, NULL);
        if (bDelete) pThread->Delete();
    }
    _endthreadex(nExitCode);
    ExitThread(nExitCode);  // not reached
}

CWinThread* AFXAPI AfxGetThread() {
    CWinThread* pThread = static_cast<CWinThread*>(TlsGetValue(vfc::g_tlsThread));
    if (pThread != NULL) return pThread;
    CWinApp* pApp = vfc::CurrentApp();
    if (pApp != NULL && pApp->m_nThreadID == GetCurrentThreadId()) return pApp;
    return NULL;
}
