// Work of the window thread that lets messages through, and the close kept pending meanwhile.
#include "windowwork.h"

#include "appwait.h"
#include "windowwait.h"

#include "vaskfc.h"

#include <algorithm>
#include <vector>

namespace {

const char kLeaveOpenProperty[] = "KorvanGA.LeaveOpenOnClose";

// Per thread: only the main window's thread registers work.
thread_local std::vector<CWindowWork*> t_running;
HWND g_pendingClose = NULL;

BOOL CALLBACK CancelDialog(HWND hWnd, LPARAM lParam) {
    if (hWnd == (HWND)lParam || !::IsWindowVisible(hWnd) || !::IsWindowEnabled(hWnd)) return TRUE;
    if (::GetPropA(hWnd, kLeaveOpenProperty) != NULL) return TRUE;
    char className[16] = "";
    ::GetClassNameA(hWnd, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0) return TRUE;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if ((pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CPropertySheet))) ||
        ::FindWindowExA(hWnd, NULL, "SysTabControl32", NULL) != NULL) {
        ::PostMessageA(hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        return TRUE;
    }
    // The dialog's own Cancel may be refused (a dialog that must be answered): its loop
    // ends all the same.
    const HWND hNo = ::GetDlgItem(hWnd, IDNO);
    ::EndDialog(hWnd, hNo != NULL && ::IsWindowVisible(hNo) ? IDNO : IDCANCEL);
    return TRUE;
}

}  // namespace

CWindowWork::CWindowWork(std::function<void()> abort)
    : m_abort(std::move(abort)), m_counted(IsMainWindowThread()) {
    if (!m_counted) return;
    t_running.push_back(this);
    if (g_pendingClose != NULL && m_abort) m_abort();
}

CWindowWork::~CWindowWork() {
    if (!m_counted) return;
    t_running.erase(std::remove(t_running.begin(), t_running.end(), this), t_running.end());
    if (!t_running.empty()) return;
    // The close waited for the last work.
    if (g_pendingClose != NULL && ::IsWindow(g_pendingClose))
        ::PostMessageA(g_pendingClose, WM_CLOSE, 0, 0);
    NoteWindowWorkEnded();
}

int CWindowWork::Running() { return (int)t_running.size(); }

BOOL CWindowWork::IsWaitingWindow(HWND hRoot) {
    if (t_running.empty() || hRoot == NULL) return FALSE;
    const std::vector<HWND>& made = t_running.back()->m_made;
    return std::find(made.begin(), made.end(), hRoot) == made.end();
}

void CWindowWork::NoteWindowMade(HWND hRoot) {
    if (!t_running.empty()) t_running.back()->m_made.push_back(hRoot);
}

BOOL IsClosePending(HWND hMainWnd) {
    return g_pendingClose != NULL && (hMainWnd == NULL || g_pendingClose == hMainWnd);
}

void BeginPendingClose(HWND hMainWnd) {
    g_pendingClose = hMainWnd;
    // An abort may end work, which then leaves the list.
    const std::vector<CWindowWork*> running = t_running;
    for (CWindowWork* pWork : running) {
        if (std::find(t_running.begin(), t_running.end(), pWork) == t_running.end()) continue;
        if (pWork->m_abort) pWork->m_abort();
    }
    CancelOpenDialogs(hMainWnd);
}

BOOL MayEndWindowNow() { return t_running.empty() && AfxGetModalLoopCount() == 0; }

BOOL PendingCloseMayEnd(HWND hMainWnd) { return IsClosePending(hMainWnd) && MayEndWindowNow(); }

void EndPendingClose() { g_pendingClose = NULL; }

void CancelOpenDialogs(HWND hMainWnd) {
    ::EndMenu();
    ::EnumThreadWindows(::GetCurrentThreadId(), CancelDialog, (LPARAM)hMainWnd);
}

void LeaveOpenOnClose(HWND hWnd) {
    if (hWnd != NULL) ::SetPropA(hWnd, kLeaveOpenProperty, (HANDLE)1);
}
