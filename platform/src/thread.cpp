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
      m_pThreadParams(NULL) {
    memset(&m_msgCur, 0, sizeof m_msgCur);
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

int CWinThread::Run() {
    while (PumpMessage()) {}
    return ExitInstance();
}

int CWinThread::ExitInstance() { return (int)m_msgCur.wParam; }

BOOL CWinThread::PumpMessage() {
    MSG msg;
    if (GetMessageA(&msg, NULL, 0, 0) <= 0) {
        // WM_QUIT (or a failed wait, which ends the loop as well).
        if (GetCurrentThreadId() == m_nThreadID) m_msgCur = msg;
        return FALSE;
    }
    if (!PreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG*) { return FALSE; }

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
