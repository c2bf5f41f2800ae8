// CWnd: the handle maps, the window procedure, creation, subclassing, message dispatch,
// reflection and the thin wrappers that need more than one call.
#include "handlemap.h"

#include <atomic>
#include <set>
#include <vector>
#include <string>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {

// Permanent objects are found from every thread: worker threads look windows up as well.
BOOL MapAdd(HWND hWnd, CWnd* pWnd) {
    return vfc::WindowMap().Owner(hWnd) == NULL && vfc::WindowMap().Claim(hWnd, pWnd);
}

void MapRemove(HWND hWnd, CWnd* pWnd) { vfc::WindowMap().Release(hWnd, pWnd); }

void SetWindowHandle(CObject* pObject, void* h) { static_cast<CWnd*>(pObject)->m_hWnd = (HWND)h; }

// --- creation hook ---------------------------------------------------------------------

// Whether the window being made is of the class asked for: the system may make a window of
// its own (an input method's) first.
BOOL IsWindowOfClass(HWND hWnd, LPCSTR lpszClass) {
    if (lpszClass == NULL || IS_INTRESOURCE(lpszClass)) return TRUE;  // an atom: taken as asked
    char name[256];
    return ::GetClassNameA(hWnd, name, sizeof name) > 0 && lstrcmpiA(name, lpszClass) == 0;
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    vfc::ThreadState* ts = vfc::GetThreadState();
    if (code == HCBT_CREATEWND && ts->pWndInit != NULL &&
        IsWindowOfClass((HWND)wParam, ts->pszClassInit)) {
        // The window that CreateEx is making: attach and subclass it before its first
        // message, so that WM_NCCREATE and WM_CREATE reach the object.
        CWnd* pWnd = ts->pWndInit;
        ts->pWndInit = NULL;
        HWND hWnd = (HWND)wParam;
        if (MapAdd(hWnd, pWnd)) {
            pWnd->m_hWnd = hWnd;
            pWnd->PreSubclassWindow();
            WNDPROC old = (WNDPROC)SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
            if (old != AfxWndProc) pWnd->m_pfnSuper = old;
        }
    }
    return CallNextHookEx(ts->hHookCbt, code, wParam, lParam);
}

// A CTestCmdUI tells whether a command's update handler leaves it enabled.
class CTestCmdUI : public CCmdUI {
public:
    CTestCmdUI() : m_bEnabled(TRUE) {}
    void Enable(BOOL bOn) override {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
    BOOL m_bEnabled;
};

// Notifications go back to the control that sent them only from its own parent (or owner):
// a notification passed on upwards (through splitters) is not handed back again.
BOOL IsReflectTarget(HWND hWnd, HWND hWndCtrl) {
    return ::GetParent(hWndCtrl) == hWnd || ::GetWindow(hWndCtrl, GW_OWNER) == hWnd;
}

HRESULT ReportException(CException* e, UINT message) {
    e->ReportError(MB_ICONEXCLAMATION);
    e->Delete();
    return message == WM_CREATE ? -1 : 0;
}

}  // namespace

// --- creation hook ----------------------------------------------------------------------

void vfc::HookWindowCreate(CWnd* pWnd, LPCSTR lpszClass) {
    vfc::ThreadState* ts = vfc::GetThreadState();
    if (ts->nHookDepth++ == 0)
        ts->hHookCbt = SetWindowsHookExA(WH_CBT, CbtFilterHook, NULL, GetCurrentThreadId());
    ts->pWndInit = pWnd;
    ts->pszClassInit = lpszClass;
}

BOOL vfc::UnhookWindowCreate() {
    vfc::ThreadState* ts = vfc::GetThreadState();
    if (--ts->nHookDepth == 0 && ts->hHookCbt != NULL) {
        UnhookWindowsHookEx(ts->hHookCbt);
        ts->hHookCbt = NULL;
    }
    if (ts->pWndInit != NULL) {
        ts->pWndInit = NULL;
        return FALSE;
    }
    return TRUE;
}

// --- thread state ---------------------------------------------------------------------

vfc::ThreadState::ThreadState()
    : pWndInit(NULL),
      pszClassInit(NULL),
      hHookCbt(NULL),
      nHookDepth(0),
      hHookMsgFilter(NULL),
      pToolTip(NULL),
      hWndLastHit(NULL),
      nLastHit(-1) {
    memset(&lastMsg, 0, sizeof lastMsg);
    memset(&lastInfo, 0, sizeof lastInfo);
}

vfc::ThreadState::~ThreadState() {
    if (hHookCbt != NULL) UnhookWindowsHookEx(hHookCbt);
    if (hHookMsgFilter != NULL) UnhookWindowsHookEx(hHookMsgFilter);
    delete pToolTip;
}

vfc::ThreadState* vfc::GetThreadState() {
    ThreadState* ts = static_cast<ThreadState*>(TlsGetValue(g_tlsWindows));
    if (ts == NULL) {
        ts = new ThreadState;
        TlsSetValue(g_tlsWindows, ts);
    }
    return ts;
}

void vfc::FreeThreadState() {
    if (g_tlsWindows == TLS_OUT_OF_INDEXES) return;
    DeleteTempMaps();
    ThreadState* ts = static_cast<ThreadState*>(TlsGetValue(g_tlsWindows));
    if (ts == NULL) return;
    TlsSetValue(g_tlsWindows, NULL);
    delete ts;
}

void vfc::DeleteTempMaps() {
    CGdiObject::DeleteTempMap();
    CDC::DeleteTempMap();
    CWnd::DeleteTempMap();
    CMenu::DeleteTempMap();
    CImageList::DeleteTempMap();
}

// --- window classes --------------------------------------------------------------------

LPCSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground,
                                  HICON hIcon) {
    static SRWLOCK lock = SRWLOCK_INIT;
    static std::set<std::string>* names = new std::set<std::string>;
    HINSTANCE hInst = AfxGetInstanceHandle();
    char name[96];
    wsprintfA(name, "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor,
              (void*)hbrBackground, (void*)hIcon);
    AcquireSRWLockExclusive(&lock);
    auto it = names->find(name);
    if (it == names->end()) {
        WNDCLASSA wc = {};
        if (!GetClassInfoA(hInst, name, &wc)) {
            wc.style = nClassStyle;
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = hInst;
            wc.hIcon = hIcon;
            wc.hCursor = hCursor;
            wc.hbrBackground = hbrBackground;
            wc.lpszClassName = name;
            RegisterClassA(&wc);  // a failure shows when the window is made
        }
        it = names->insert(name).first;
    }
    LPCSTR result = it->c_str();
    ReleaseSRWLockExclusive(&lock);
    return result;
}

// --- the window procedure ------------------------------------------------------------

namespace {
std::atomic<AFX_WNDPROC_FILTER> g_pfnWndProcFilter{NULL};
}  // namespace

AFX_WNDPROC_FILTER AFXAPI AfxSetWndProcFilter(AFX_WNDPROC_FILTER pfnFilter) {
    return g_pfnWndProcFilter.exchange(pfnFilter);
}

namespace {
thread_local int t_modalLoops = 0;
}  // namespace

int AFXAPI AfxGetModalLoopCount() { return t_modalLoops; }

CModalLoop::CModalLoop() { ++t_modalLoops; }

CModalLoop::~CModalLoop() { --t_modalLoops; }

LRESULT vfc::CallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AFX_WNDPROC_FILTER pfnFilter = g_pfnWndProcFilter.load()) {
        LRESULT lFiltered = 0;
        if (pfnFilter(hWnd, message, wParam, lParam, &lFiltered)) return lFiltered;
    }
    ThreadState* ts = GetThreadState();
    MSG previous = ts->lastMsg;
    ts->lastMsg.hwnd = hWnd;
    ts->lastMsg.message = message;
    ts->lastMsg.wParam = wParam;
    ts->lastMsg.lParam = lParam;
    LRESULT lResult;
    // Nothing a handler throws may cross the system's window procedure.
    try {
        lResult = pWnd->WindowProc(message, wParam, lParam);
    } catch (CException* e) {
        lResult = ReportException(e, message);
    } catch (...) {
        lResult = message == WM_CREATE ? -1 : 0;
    }
    ts->lastMsg = previous;
    return lResult;
}

class CWndInternals {
public:
    static void FinishNcDestroy(CWnd* pWnd) { pWnd->FinishNcDestroy(); }
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL) return DefWindowProcA(hWnd, message, wParam, lParam);
    LRESULT lResult = vfc::CallWndProc(pWnd, hWnd, message, wParam, lParam);
    // The last message always detaches the window, also when a class's own WM_NCDESTROY
    // handler left out the base's. The object may be gone: only its address is compared.
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
        CWndInternals::FinishNcDestroy(pWnd);
    return lResult;
}

// --- CWnd --------------------------------------------------------------------------------

CWnd::CWnd() : m_hWnd(NULL), m_hWndOwner(NULL), m_nFlags(0), m_pfnSuper(NULL) {}

CWnd::~CWnd() {
    if (m_hWnd == NULL) return;
    HWND hWnd = m_hWnd;
    if (FromHandlePermanent(hWnd) == this) {
        // The object goes before its window: the window gets its own procedure back so that
        // no message reaches the half-destroyed object, and it is destroyed when it belongs
        // to this thread.
        Detach();
        if (GetWindowThreadProcessId(hWnd, NULL) == GetCurrentThreadId()) ::DestroyWindow(hWnd);
    }
    m_hWnd = NULL;
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
    return hWnd == NULL ? NULL : static_cast<CWnd*>(vfc::WindowMap().Owner(hWnd));
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) { return vfc::WindowOfClass(hWnd, RUNTIME_CLASS(CWnd)); }

CWnd* vfc::WindowOfClass(HWND hWnd, CRuntimeClass* pClass) {
    return static_cast<CWnd*>(WindowMap().FromHandle(hWnd, pClass, SetWindowHandle));
}

void PASCAL CWnd::DeleteTempMap() { vfc::WindowMap().DeleteTemp(); }

BOOL CWnd::Attach(HWND hWndNew) {
    if (hWndNew == NULL || m_hWnd != NULL) return FALSE;
    if (!MapAdd(hWndNew, this)) return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd == NULL) return NULL;
    if (FromHandlePermanent(hWnd) == this) {
        MapRemove(hWnd, this);
        // A window still running through this object goes back to its own procedure.
        if ((WNDPROC)GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == AfxWndProc)
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC,
                              (LONG_PTR)(m_pfnSuper != NULL ? m_pfnSuper : ::DefWindowProcA));
    }
    m_hWnd = NULL;
    m_pfnSuper = NULL;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd)) return FALSE;
    PreSubclassWindow();
    WNDPROC old = (WNDPROC)SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (old != AfxWndProc) m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (pParent == NULL) return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, (int)nID);
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() { return Detach(); }

void CWnd::PreSubclassWindow() {}

// --- creation ---------------------------------------------------------------------------

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    (LPVOID)pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, GetSafeHwnd(pParentWnd),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
    if (m_hWnd != NULL) return FALSE;  // one window per object
    CREATESTRUCTA cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    vfc::HookWindowCreate(this, cs.lpszClass);
    HWND hWnd =
        ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y,
                          cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!vfc::UnhookWindowCreate()) {
        // Never attached: the object ends as if its window had (a view deletes itself).
        PostNcDestroy();
        return FALSE;
    }
    // A window that failed in WM_CREATE is gone, and so may be the object.
    return hWnd != NULL;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW));
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == NULL) return FALSE;
    HWND hWnd = m_hWnd;
    BOOL bPermanent = FromHandlePermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    // A window that was only attached hears nothing of its end: detach it here.
    if (!bPermanent)
        m_hWnd = NULL;
    else if (bResult && FromHandlePermanent(hWnd) == this)
        Detach();
    return bResult;
}

void CWnd::PostNcDestroy() {}

// --- messages ---------------------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm) {
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           BOOL bDeep, BOOL bOnlyPerm) {
    // The children are listed first: a handler may create or destroy windows.
    std::vector<HWND> children;
    for (HWND h = ::GetTopWindow(hWnd); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    for (HWND h : children) {
        if (!::IsWindow(h)) continue;
        if (bOnlyPerm) {
            CWnd* pWnd = FromHandlePermanent(h);
            if (pWnd != NULL) vfc::CallWndProc(pWnd, h, message, wParam, lParam);
        } else {
            ::SendMessageA(h, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(h) && ::GetTopWindow(h) != NULL)
            SendMessageToDescendants(h, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

const MSG* PASCAL CWnd::GetCurrentMessage() { return &vfc::GetThreadState()->lastMsg; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != NULL) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = vfc::GetThreadState()->lastMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR == NULL || pNMHDR->hwndFrom == NULL) return FALSE;
        if (!OnNotify(wParam, lParam, &lResult)) return FALSE;
    } else if (message == WM_SETCURSOR && AfxGetApp()->m_nWaitCursorCount > 0 &&
               LOWORD(lParam) == HTCLIENT) {
        // While the program waits, its windows show the wait cursor.
        AfxGetApp()->DoWaitCursor(0);
        lResult = TRUE;
    } else {
        // Every WM_CTLCOLOR... message is mapped as WM_CTLCOLOR (the handler gets the kind).
        UINT lookup = message;
        UINT original = message;
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            lookup = WM_CTLCOLOR;
        } else if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX &&
                   message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC) {
            lookup = WM_REFLECT_BASE + WM_CTLCOLOR;
            original = message - WM_REFLECT_BASE;
        }
        const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(lookup);
        if (pEntry == NULL) return FALSE;
        AFX_MSGCALL call = {original, wParam, lParam, 0, 0, 0, NULL};
        if (!pEntry->pfn(this, call)) return FALSE;
        lResult = call.lResult;
    }
    if (pResult != NULL) *pResult = lResult;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl == NULL) {
        // A menu command or accelerator: a command its update handler disables is eaten.
        if (nID == 0) return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled) return TRUE;
        nCode = CN_COMMAND;
    } else {
        // A control's notification: the control first.
        if (IsReflectTarget(m_hWnd, hWndCtrl) && ReflectLastMsg(hWndCtrl)) return TRUE;
        if (nID == 0) return FALSE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    NMHDR* pNMHDR = (NMHDR*)lParam;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    // Routed by the sender's control id (popups such as tool tips have none).
    UINT nID =
        (::GetWindowLongA(hWndCtrl, GWL_STYLE) & WS_CHILD) ? (UINT)::GetDlgCtrlID(hWndCtrl) : 0;
    if (IsReflectTarget(m_hWnd, hWndCtrl) && ReflectLastMsg(hWndCtrl, pResult)) return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(nID, MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, NULL);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
        case WM_COMMAND: {
            int nCode = HIWORD(wParam);
            // Only this control's own map: reflected messages are not routed further.
            if (CWnd::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL)) {
                if (pResult != NULL) *pResult = 1;
                return TRUE;
            }
            return FALSE;
        }
        case WM_NOTIFY: {
            NMHDR* pNMHDR = (NMHDR*)lParam;
            AFX_NOTIFY notify = {pResult, pNMHDR};
            return CWnd::OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify,
                                  NULL);
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_PARENTNOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_COMPAREITEM:
            return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
        default:
            if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
                return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
            return FALSE;
    }
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != NULL && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
    const MSG& msg = vfc::GetThreadState()->lastMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
    if (m_nFlags & WF_TOOLTIPS) FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (hWnd == hWndStop) break;
    }
    return FALSE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

// --- relations ----------------------------------------------------------------------------

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
    return FromHandle(::SetParent(m_hWnd, GetSafeHwnd(pWndNewParent)));
}

CWnd* CWnd::GetOwner() const { return m_hWndOwner != NULL ? FromHandle(m_hWndOwner) : GetParent(); }

CFrameWnd* CWnd::GetParentFrame() const {
    if (m_hWnd == NULL) return NULL;
    for (HWND h = ::GetParent(m_hWnd); h != NULL; h = ::GetParent(h)) {
        CWnd* pWnd = FromHandlePermanent(h);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return (CFrameWnd*)pWnd;
    }
    return NULL;
}

CWnd* CWnd::GetTopLevelParent() const {
    if (m_hWnd == NULL) return NULL;
    HWND hWnd = m_hWnd;
    for (;;) {
        HWND hNext = (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd)
                                                                    : ::GetWindow(hWnd, GW_OWNER);
        if (hNext == NULL) break;
        hWnd = hNext;
    }
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const {
    if (m_hWnd == NULL) return NULL;
    HWND hWnd = m_hWnd;
    for (HWND hOwner; (hOwner = ::GetWindow(hWnd, GW_OWNER)) != NULL;) hWnd = hOwner;
    return FromHandle(hWnd);
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
    if (m_hWnd == NULL) return NULL;
    CFrameWnd* pFrame = IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? (CFrameWnd*)this : GetParentFrame();
    while (pFrame != NULL) {
        CFrameWnd* pNext = pFrame->GetParentFrame();
        if (pNext == NULL) break;
        pFrame = pNext;
    }
    return pFrame;
}

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const {
    // Children first, then their descendants.
    for (HWND h = ::GetTopWindow(m_hWnd); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(h) == nID) {
            CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(h) : FromHandle(h);
            if (pWnd != NULL) return pWnd;
        }
    }
    for (HWND h = ::GetTopWindow(m_hWnd); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (::GetTopWindow(h) == NULL) continue;
        CWnd* pFound = FromHandle(h)->GetDescendantWindow(nID, bOnlyPerm);
        if (pFound != NULL) return pFound;
    }
    return NULL;
}

CWnd* CWnd::ChildWindowFromPoint(POINT point) const {
    return FromHandle(::ChildWindowFromPoint(m_hWnd, point));
}

CWnd* CWnd::ChildWindowFromPoint(POINT point, UINT nFlags) const {
    return FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
}

CWnd* PASCAL CWnd::WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
CWnd* PASCAL CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* PASCAL CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* PASCAL CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
CWnd* PASCAL CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* PASCAL CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
CWnd* PASCAL CWnd::FindWindow(LPCSTR lpszClassName, LPCSTR lpszWindowName) {
    return FromHandle(::FindWindowA(lpszClassName, lpszWindowName));
}

// --- styles, text, state -----------------------------------------------------------------

namespace {

// Changes the style (GWL_STYLE) or extended style (GWL_EXSTYLE); nFlags (SWP_...) then
// refreshes the frame. TRUE when it changed.
BOOL ModifyStyleBits(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, nIndex);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle) return FALSE;
    ::SetWindowLongA(hWnd, nIndex, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

}  // namespace

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleBits(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleBits(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

void CWnd::GetWindowText(CString& rString) const {
    int nLen = ::GetWindowTextLengthA(m_hWnd);
    int n = ::GetWindowTextA(m_hWnd, rString.GetBuffer(nLen), nLen + 1);
    rString.ReleaseBuffer(n);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    rString.Empty();
    if (hWnd == NULL) return 0;
    int nLen = ::GetWindowTextLengthA(hWnd);
    int n = ::GetWindowTextA(hWnd, rString.GetBuffer(nLen), nLen + 1);
    rString.ReleaseBuffer(n);
    return n;
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }

BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, CMenu::GetSafeHmenu(pMenu)); }

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const {
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
    ::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
    ::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
    ::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    HWND hWndCenter = GetSafeHwnd(pAlternateOwner);
    if (hWndCenter == NULL)
        hWndCenter = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    RECT rcArea, rcCenter, rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    if (GetStyle() & WS_CHILD) {
        HWND hParent = ::GetParent(m_hWnd);
        ::GetClientRect(hParent, &rcArea);
        rcCenter = rcArea;
        if (hWndCenter != NULL && hWndCenter != hParent) {
            ::GetWindowRect(hWndCenter, &rcCenter);
            ::MapWindowPoints(NULL, hParent, (LPPOINT)&rcCenter, 2);
        }
        ::MapWindowPoints(NULL, hParent, (LPPOINT)&rcWindow, 2);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
        if (hWndCenter != NULL && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
            ::GetWindowRect(hWndCenter, &rcCenter);
        else
            rcCenter = rcArea;
    }
    int cx = rcWindow.right - rcWindow.left, cy = rcWindow.bottom - rcWindow.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - cx / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - cy / 2;
    // Keep the window inside the area.
    if (x + cx > rcArea.right) x = rcArea.right - cx;
    if (x < rcArea.left) x = rcArea.left;
    if (y + cy > rcArea.bottom) y = rcArea.bottom - cy;
    if (y < rcArea.top) y = rcArea.top;
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- scroll bars -------------------------------------------------------------------------

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

int CWnd::GetScrollLimit(int nBar) {
    SCROLLINFO info = {};
    if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE)) return 0;
    int nLimit = info.nMax;
    if (info.nPage > 1) nLimit -= (int)info.nPage - 1;
    return nLimit < info.nMin ? info.nMin : nLimit;
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const { return NULL; }

// --- message boxes -----------------------------------------------------------------------

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    int nResult;
    if (vfc::AskMessageBoxHook(lpszText, nType, 0, &nResult)) return nResult;
    if (lpszCaption == NULL) lpszCaption = AfxGetAppName();
    CModalLoop loop;
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}

// --- bars and the rest -------------------------------------------------------------------

HWND PASCAL CWnd::LeftOverChild(HWND hWndParent, UINT nIDLeftOver) {
    // When views swap ids, a hidden one may carry the id as well: the visible one wins.
    HWND hFirst = NULL;
    for (HWND h = ::GetTopWindow(hWndParent); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if ((UINT)::GetDlgCtrlID(h) != nIDLeftOver) continue;
        if (::GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) return h;
        if (hFirst == NULL) hFirst = h;
    }
    return hFirst;
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
                          LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch) {
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    layout.hDWP = (nFlags & reposQuery) ? NULL : ::BeginDeferWindowPos(8);
    HWND hWndLeftOver = LeftOverChild(m_hWnd, nIDLeftOver);
    for (HWND h = ::GetTopWindow(m_hWnd); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        UINT nID = (UINT)::GetDlgCtrlID(h);
        if (h == hWndLeftOver || nID == nIDLeftOver) continue;
        if (nID >= nIDFirst && nID <= nIDLast && FromHandlePermanent(h) != NULL)
            ::SendMessageA(h, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }
    if (nFlags & reposQuery) {
        if (lpRectParam != NULL) {
            if (bStretch)
                *lpRectParam = layout.rect;
            else
                ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }
    if ((nFlags & reposExtra) && lpRectParam != NULL) {
        layout.rect.left += lpRectParam->left;
        layout.rect.top += lpRectParam->top;
        layout.rect.right -= lpRectParam->right;
        layout.rect.bottom -= lpRectParam->bottom;
    }
    if (hWndLeftOver != NULL && layout.hDWP != NULL) {
        RECT& r = layout.rect;
        layout.hDWP = ::DeferWindowPos(
            layout.hDWP, hWndLeftOver, NULL, r.left, r.top, r.right > r.left ? r.right - r.left : 0,
            r.bottom > r.top ? r.bottom - r.top : 0, SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (layout.hDWP != NULL) ::EndDeferWindowPos(layout.hDWP);
}

// Fonts and device contexts of a window: thin wrappers, the objects handed out are the
// calling thread's temporary wrappers.
void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)CGdiObject::GetSafeHandle(pFont), bRedraw);
}

CFont* CWnd::GetFont() const {
    HFONT hFont = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    return hFont != NULL ? CFont::FromHandle(hFont) : NULL;
}

CDC* CWnd::GetDC() {
    HDC hDC = ::GetDC(m_hWnd);
    return hDC != NULL ? CDC::FromHandle(hDC) : NULL;
}

CDC* CWnd::GetWindowDC() {
    HDC hDC = ::GetWindowDC(m_hWnd);
    return hDC != NULL ? CDC::FromHandle(hDC) : NULL;
}

int CWnd::ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, CDC::GetSafeHdc(pDC)); }
