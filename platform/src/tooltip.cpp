// Tool tips of windows (EnableToolTips) and the tool-tip control.
//
// Each thread has one tool-tip control for its windows. The mouse messages of a window with
// tool tips on pass its tool hit test; when the tool under the mouse changes, the control
// gets the new tool (its text asked for with TTN_NEEDTEXT) and the message is relayed to it.
#include "internal.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

BOOL IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

// The thread's tool-tip control, made (again) when needed.
CToolTipCtrl* ThreadToolTip(CWnd* pOwner) {
    vfc::ThreadState* ts = vfc::GetThreadState();
    if (ts->pToolTip != NULL && ts->pToolTip->m_hWnd != NULL) return ts->pToolTip;
    if (ts->pToolTip == NULL) ts->pToolTip = new CToolTipCtrl;
    if (!ts->pToolTip->Create(pOwner, TTS_ALWAYSTIP)) return NULL;
    ts->pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
    memset(&ts->lastInfo, 0, sizeof ts->lastInfo);
    ts->hWndLastHit = NULL;
    ts->nLastHit = -1;
    return ts->pToolTip;
}

// A text other than the callback was allocated by the hit test with malloc.
void FreeToolText(TOOLINFOA& ti) {
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACKA && !IS_INTRESOURCE(ti.lpszText))
        free(ti.lpszText);
    ti.lpszText = NULL;
}

}  // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable) {
    BOOL bWasEnabled = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable) {
        m_nFlags |= WF_TOOLTIPS;
    } else {
        if (vfc::GetThreadState()->hWndLastHit == m_hWnd) CancelToolTips();
        m_nFlags &= ~WF_TOOLTIPS;
    }
    return bWasEnabled;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    // The visible child window under the point, named by its handle.
    POINT pt = point;
    HWND hWndChild = NULL;
    for (HWND h = ::GetTopWindow(m_hWnd); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (!(::GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT rect;
        ::GetWindowRect(h, &rect);
        ::MapWindowPoints(NULL, m_hWnd, (LPPOINT)&rect, 2);
        if (::PtInRect(&rect, pt)) {
            hWndChild = h;
            break;
        }
    }
    if (hWndChild == NULL) return -1;
    int nID = ::GetDlgCtrlID(hWndChild);
    if (nID == 0 || nID == -1) return -1;
    if (pTI != NULL) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hWndChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
    }
    return nID;
}

void PASCAL CWnd::CancelToolTips(BOOL) {
    vfc::ThreadState* ts = vfc::GetThreadState();
    if (ts->pToolTip != NULL && ts->pToolTip->m_hWnd != NULL) {
        ts->pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
        if (ts->lastInfo.cbSize != 0)
            ts->pToolTip->SendMessage(TTM_DELTOOLA, 0, (LPARAM)&ts->lastInfo);
    }
    memset(&ts->lastInfo, 0, sizeof ts->lastInfo);
    ts->hWndLastHit = NULL;
    ts->nLastHit = -1;
}

void CWnd::FilterToolTipMessage(MSG* pMsg) {
    UINT message = pMsg->message;
    if (!IsMouseMessage(message)) {
        // A key hides the tip.
        if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) CancelToolTips(TRUE);
        return;
    }
    vfc::ThreadState* ts = vfc::GetThreadState();
    CToolTipCtrl* pToolTip = ThreadToolTip(this);
    if (pToolTip == NULL) return;

    // The point in this window's client coordinates (the message may be for a child).
    POINT pt = AfxPointFromLParam(pMsg->lParam);
    if (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK)
        ::ScreenToClient(m_hWnd, &pt);
    else
        ::MapWindowPoints(pMsg->hwnd, m_hWnd, &pt, 1);

    TOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    INT_PTR nHit = OnToolHitTest(CPoint(pt), (TOOLINFO*)&ti);
    BOOL bSameTool = nHit == ts->nLastHit && ts->hWndLastHit == m_hWnd &&
                     ti.hwnd == ts->lastInfo.hwnd && ti.uId == ts->lastInfo.uId;
    if (!bSameTool) {
        pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
        if (ts->lastInfo.cbSize != 0) pToolTip->SendMessage(TTM_DELTOOLA, 0, (LPARAM)&ts->lastInfo);
        memset(&ts->lastInfo, 0, sizeof ts->lastInfo);
        if (nHit != -1) {
            if (ti.hwnd == NULL) ti.hwnd = m_hWnd;
            if (ti.lpszText == NULL) ti.lpszText = LPSTR_TEXTCALLBACKA;
            ti.hinst = AfxGetResourceHandle();
            pToolTip->SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
            FreeToolText(ti);
            ti.lpszText = LPSTR_TEXTCALLBACKA;
            ts->lastInfo = ti;
            pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
        }
        ts->nLastHit = nHit;
        ts->hWndLastHit = nHit != -1 ? m_hWnd : NULL;
    } else {
        FreeToolText(ti);
    }
    if (nHit != -1) {
        // The control expects the tool's own window and its client coordinates.
        MSG msg = *pMsg;
        POINT ptTool = pt;
        ::MapWindowPoints(m_hWnd, ti.hwnd, &ptTool, 1);
        msg.hwnd = ti.hwnd;
        msg.lParam = MAKELPARAM(ptTool.x, ptTool.y);
        pToolTip->RelayEvent(&msg);
    }
}

// --- CToolTipCtrl -----------------------------------------------------------------------

CToolTipCtrl::CToolTipCtrl() {}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    CWnd* pOwner = pParentWnd != NULL ? pParentWnd->GetTopLevelParent() : NULL;
    if (!CreateEx(0, TOOLTIPS_CLASSA, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, GetSafeHwnd(pOwner), NULL, NULL))
        return FALSE;
    SetOwner(pParentWnd);
    return TRUE;
}

void CToolTipCtrl::FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const {
    memset(&ti, 0, sizeof ti);
    ti.cbSize = sizeof ti;
    ti.hwnd = GetSafeHwnd(pWnd);
    if (nIDTool == 0) {
        // A tool for the whole window is named by the window's handle.
        ti.hwnd = ::GetParent(ti.hwnd) != NULL ? ::GetParent(ti.hwnd) : ti.hwnd;
        ti.uFlags = TTF_IDISHWND;
        ti.uId = (UINT_PTR)GetSafeHwnd(pWnd);
    } else {
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    if (pWnd == NULL) return FALSE;
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0)
        ::GetClientRect(pWnd->m_hWnd, &ti.rect);
    if (nIDTool == 0) ti.uFlags |= TTF_SUBCLASS;
    ti.lpszText = const_cast<LPSTR>(lpszText);
    return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    CString text;
    AfxLoadString(nIDText, text);
    return AddTool(pWnd, text, lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const {
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    char buffer[1024] = "";
    ti.lpszText = buffer;
    ::SendMessageA(m_hWnd, TTM_GETTEXTA, sizeof buffer, (LPARAM)&ti);
    str = buffer;
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const {
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = NULL;
    return (BOOL)::SendMessageA(m_hWnd, TTM_GETTOOLINFOA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = const_cast<LPSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
}
