// CWnd: its message map and the default handlers of window messages. Messages from child
// controls (drawing, colours, scrolling, item messages) go back to the control first.
#include "internal.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_CTLCOLOR()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_PARENTNOTIFY()
ON_WM_HELPINFO()
ON_MESSAGE(WM_COMPAREITEM, OnItemMessageToChild)
ON_MESSAGE(WM_DELETEITEM, OnItemMessageToChild)
ON_MESSAGE(WM_VKEYTOITEM, OnItemMessageToChild)
ON_MESSAGE(WM_CHARTOITEM, OnItemMessageToChild)
END_MESSAGE_MAP()

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
BOOL CWnd::OnQueryEndSession() { return (BOOL)Default(); }
void CWnd::OnEndSession(BOOL) { Default(); }

// Scroll messages of a control (a scroll bar, a track bar) go to the control first.
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {
    HWND hWndCtrl = (HWND)GetCurrentMessage()->lParam;
    if (hWndCtrl != NULL && ReflectLastMsg(hWndCtrl)) return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {
    HWND hWndCtrl = (HWND)GetCurrentMessage()->lParam;
    if (hWndCtrl != NULL && ReflectLastMsg(hWndCtrl)) return;
    Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam) {
    if ((message == WM_CREATE || message == WM_DESTROY) && ReflectLastMsg((HWND)lParam)) return;
    Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem)) return;
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    if (lpMeasureItemStruct->CtlType != ODT_MENU) {
        HWND hWndChild = ::GetDlgItem(m_hWnd, (int)lpMeasureItemStruct->CtlID);
        if (hWndChild != NULL && ReflectLastMsg(hWndChild)) return;
    }
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
    LRESULT lResult = 0;
    if (pWnd != NULL && pWnd->m_hWnd != m_hWnd && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

LRESULT CWnd::OnItemMessageToChild(WPARAM wParam, LPARAM lParam) {
    const MSG* pMsg = GetCurrentMessage();
    HWND hWndChild = NULL;
    switch (pMsg->message) {
        case WM_COMPAREITEM: hWndChild = ((COMPAREITEMSTRUCT*)lParam)->hwndItem; break;
        case WM_DELETEITEM: hWndChild = ((DELETEITEMSTRUCT*)lParam)->hwndItem; break;
        default: hWndChild = (HWND)lParam; break;  // WM_VKEYTOITEM, WM_CHARTOITEM
    }
    LRESULT lResult = 0;
    if (hWndChild != NULL && ReflectLastMsg(hWndChild, &lResult)) return lResult;
    return DefWindowProc(pMsg->message, wParam, lParam);
}

void CWnd::OnNcDestroy() {
    vfc::ThreadState* ts = vfc::GetThreadState();
    if (ts->hWndLastHit == m_hWnd) CancelToolTips();
    Default();
    FinishNcDestroy();
}

void CWnd::FinishNcDestroy() {
    // The main window of a thread ends the thread's message loop.
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL && pThread->m_pMainWnd == this) {
        pThread->m_pMainWnd = NULL;
        ::PostQuitMessage(0);
    }
    Detach();
    PostNcDestroy();
}
