// CWnd: a window of the program, reached through its handle.
//
// A CWnd is permanent when it made, subclassed or attached its window: it is then found
// from the handle on any thread (FromHandlePermanent, FromHandle) until the window is
// destroyed or detached. A window the program made elsewhere gets a temporary CWnd from
// FromHandle, owned by the calling thread and deleted when that thread is next idle.
//
// Windows made through Create/CreateEx, and windows subclassed with SubclassWindow, run
// their messages through WindowProc: the message map of the object's class chain first,
// then the window's own procedure (Default, DefWindowProc). Commands travel through
// OnCmdMsg; notifications of child controls go to the control first (OnChildNotify,
// the reflected map entries) and reach the parent only when the control leaves them.
#pragma once

#include "vaskfc_msgmap.h"
#include "vaskfc_string.h"

#include <commctrl.h>

// winuser.h maps GetNextWindow to GetWindow; CWnd::GetNextWindow needs the name.
#ifdef GetNextWindow
#undef GetNextWindow
#endif

class CCreateContext;
class CDataExchange;
class CDC;
class CFont;
class CFrameWnd;
class CMenu;
class CPoint;
class CRect;
class CScrollBar;
class CSize;
class CToolTipCtrl;

// Messages of the framework's own (the range Windows keeps for class libraries).
#define WM_SIZEPARENT       0x0361  // lParam: AFX_SIZEPARENTPARAMS*; bars take their place
#define WM_SETMESSAGESTRING 0x0362  // wParam: string id, or lParam: text, for the help line
#define WM_IDLEUPDATECMDUI  0x0363  // wParam: disable items without handler
#define WM_INITIALUPDATE    0x0364  // a view's first update after its frame is made
#define WM_COMMANDHELP      0x0365  // lParam: help context (0: find it); TRUE when handled
#define WM_HELPHITTEST      0x0366  // lParam: client point; the help context, 0 for none
#define WM_EXITHELPMODE     0x0367  // ends the context-help mode
#define WM_RECALCPARENT     0x0368  // asks the parent frame to lay out again
#define WM_POPMESSAGESTRING 0x0375  // the help line goes back to what it showed before

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019  // stands for any WM_CTLCOLOR... message in a map
#endif

// Flags of CWnd::m_nFlags.
#define WF_TOOLTIPS 0x0001  // tool tips are on (EnableToolTips)
#define WF_NOPOPMSG 0x0040  // the help line is not popped back

// The place that bars leave over, handed through WM_SIZEPARENT.
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;  // deferred positions, or NULL to only ask
    RECT rect;  // what is left for the others
    SIZE sizeTotal;
    BOOL bStretch;
};

// Registers (once) a window class with these values and returns its name, which lives as
// long as the process. The class's procedure is the default one; windows made through
// CWnd::CreateEx are subclassed.
VASKFC_API LPCSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = NULL,
                                             HBRUSH hbrBackground = NULL, HICON hIcon = NULL);

// Every help request of the class library and the program ends here: the Windows help
// call, or HTML Help (hhctrl.ocx, loaded on first use) when bHtmlHelp is set. The result
// is the help system's (for HTML Help, whether it gave a window). A hook, when one is set,
// receives the request instead and its answer is returned.
VASKFC_API BOOL AFXAPI AfxCallHelp(HWND hWndCaller, LPCSTR lpszHelpFile, UINT nCmd,
                                   DWORD_PTR dwData, BOOL bHtmlHelp);
typedef BOOL (*AFX_HELP_HOOK)(HWND hWndCaller, LPCSTR lpszHelpFile, UINT nCmd, DWORD_PTR dwData,
                              BOOL bHtmlHelp, void* pContext);
// NULL removes the hook. It holds for every thread.
VASKFC_API void AFXAPI AfxSetHelpHook(AFX_HELP_HOOK pfnHook, void* pContext);

// The window procedure of every window that a CWnd made or subclassed.
VASKFC_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// A filter that every message to a window of AfxWndProc meets before the window's own
// handlers, on the window's thread: TRUE takes the message, and *pResult is its result. It
// holds for every thread; NULL removes it. Returns the filter set before.
typedef BOOL (*AFX_WNDPROC_FILTER)(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   LRESULT* pResult);
VASKFC_API AFX_WNDPROC_FILTER AFXAPI AfxSetWndProcFilter(AFX_WNDPROC_FILTER pfnFilter);

// How many modal loops (dialogs, property sheets, message boxes, menus, common dialogs, the
// help mode) run on the calling thread now. The class library's own entries count
// themselves; code that runs such a loop itself counts it with a CModalLoop for as long as
// the loop runs.
VASKFC_API int AFXAPI AfxGetModalLoopCount();
class VASKFC_API CModalLoop {
public:
    CModalLoop();
    ~CModalLoop();
    CModalLoop(const CModalLoop&) = delete;
    CModalLoop& operator=(const CModalLoop&) = delete;
};

class VASKFC_API CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    ~CWnd() override;

    // --- handles and objects ---------------------------------------------------------
    // The handle of a window object; for a pointer that may be null use the static form.
    HWND GetSafeHwnd() const { return m_hWnd; }
    static HWND GetSafeHwnd(const CWnd* pWnd) { return pWnd != NULL ? pWnd->m_hWnd : NULL; }
    operator HWND() const { return m_hWnd; }
    BOOL operator==(const CWnd& wnd) const { return m_hWnd == wnd.m_hWnd; }
    BOOL operator!=(const CWnd& wnd) const { return m_hWnd != wnd.m_hWnd; }

    // The permanent object of the window (any thread), else a temporary one of the calling
    // thread; NULL for a null handle.
    static CWnd* PASCAL FromHandle(HWND hWnd);
    // The permanent object only; NULL when the window has none.
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    // Deletes the calling thread's temporary objects (the idle loop does this).
    static void PASCAL DeleteTempMap();

    // Makes the object permanent for a window made elsewhere, without taking its messages.
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Takes the window's messages (WindowProc); the window's own procedure becomes the
    // default handling. FALSE when the window has a permanent object already.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Gives the messages back to the window's own procedure and detaches.
    HWND UnsubclassWindow();

    // --- creation and destruction ----------------------------------------------------
    // A null class name gives the framework's default class. pContext reaches OnCreate
    // as the creation parameter.
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    // --- messages --------------------------------------------------------------------
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Sends to every child (bDeep: every descendant); with bOnlyPerm only to windows with
    // a permanent object, straight into their WindowProc.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);
    static void PASCAL SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam,
                                                LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm);
    // The message being handled on the calling thread.
    static const MSG* PASCAL GetCurrentMessage();
    // Lets each window from pMsg's window up to hWndStop look at the message first.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // --- relations -------------------------------------------------------------------
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = GetSafeHwnd(pOwnerWnd); }
    // The nearest frame window above (a splitter or other window in between is skipped).
    CFrameWnd* GetParentFrame() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetDlgItem(int nID) const;
    // A descendant with that id (children first, then deeper).
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID); }
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return GetWindow(nFlag); }
    CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
    CWnd* GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(m_hWnd)); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, GetSafeHwnd(pWnd)); }
    CWnd* ChildWindowFromPoint(POINT point) const;
    CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const;
    static CWnd* PASCAL WindowFromPoint(POINT point);
    static CWnd* PASCAL GetFocus();
    static CWnd* PASCAL GetActiveWindow();
    static CWnd* PASCAL GetForegroundWindow();
    static CWnd* PASCAL GetCapture();
    static CWnd* PASCAL GetDesktopWindow();
    static CWnd* PASCAL FindWindow(LPCSTR lpszClassName, LPCSTR lpszWindowName);

    // --- styles, text, state ---------------------------------------------------------
    DWORD GetStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE); }
    // TRUE when the style changed; nFlags (SWP_...) then refreshes the frame.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    void SetWindowText(LPCSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const {
        return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
    }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    CMenu* GetSystemMenu(BOOL bRevert) const;

    // --- size and position -----------------------------------------------------------
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
        ::MapWindowPoints(m_hWnd, GetSafeHwnd(pwndTo), lpPoint, nCount);
    }
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
        ::MapWindowPoints(m_hWnd, GetSafeHwnd(pwndTo), (LPPOINT)lpRect, 2);
    }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) {
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
    }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE) {
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                   lpRect->bottom - lpRect->top, bRepaint);
    }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
        return ::SetWindowPos(m_hWnd, GetSafeHwnd(pWndInsertAfter), x, y, cx, cy, nFlags);
    }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    // Centres over the parent (or the owner, else the screen's work area).
    void CenterWindow(CWnd* pAlternateOwner = NULL);

    // --- painting --------------------------------------------------------------------
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, NULL, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) {
        ::InvalidateRect(m_hWnd, lpRect, bErase);
    }
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, HRGN hrgnUpdate = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
        return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
    }
    void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessageA(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = NULL, LPCRECT lpClipRect = NULL) {
        ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
    }

    // --- input -----------------------------------------------------------------------
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static BOOL PASCAL ReleaseCapture() { return ::ReleaseCapture(); }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = NULL) {
        return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
    }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

    // --- scroll bars -----------------------------------------------------------------
    int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) {
        return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
    }
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const {
        ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
    }
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) {
        ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
    }
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH) {
        return ::EnableScrollBar(m_hWnd, nSBFlags, nArrowFlags);
    }
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    // The largest position the bar can take: its maximum less its page plus one.
    int GetScrollLimit(int nBar);
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const;

    // --- dialog items ----------------------------------------------------------------
    void SetDlgItemText(int nID, LPCSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
    int GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const {
        return (int)::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount);
    }
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) {
        ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
    }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const {
        return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
    }
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
    }
    // Exchanges the values of the window's controls with its members (dialogs, forms).
    virtual void DoDataExchange(CDataExchange* pDX);
    // Runs DoDataExchange: TRUE takes the controls into the members with their checks,
    // FALSE puts the members into the controls. FALSE when a value was refused (the prompt
    // was shown and the control has the focus).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // --- message boxes and help ------------------------------------------------------
    // A plain message box owned by this window; the caption defaults to the application's
    // name.
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = NULL, UINT nType = MB_OK);
    // Help for this window: the application's help file through AfxCallHelp.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    void HtmlHelp(DWORD_PTR dwData, UINT nCmd = 0x000F /* HH_HELP_CONTEXT */);

    // --- tool tips -------------------------------------------------------------------
    // With tool tips on, the mouse messages of the window pass its tool hit test
    // (OnToolHitTest) and the thread's tool-tip control asks the tool's window for the
    // text (TTN_NEEDTEXT).
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    // The tool under the point (its id), or -1; fills pTI when given. The default finds a
    // visible child window under the point and names it by its handle (TTF_IDISHWND).
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    static void PASCAL CancelToolTips(BOOL bKeys = FALSE);
    // Shows or hides tool tips for the message (mouse moves and clicks).
    void FilterToolTipMessage(MSG* pMsg);

    // --- message handling ------------------------------------------------------------
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's own procedure (the class's, or the one that was subclassed).
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default handling of the message being handled.
    LRESULT Default();
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification of this control, handed back by the parent; TRUE when handled here.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Hands the current message back to the child control hWndChild (OnChildNotify).
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void PreSubclassWindow();
    // After the last message (WM_NCDESTROY): windows that own their object delete it here.
    virtual void PostNcDestroy();
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Lays out the control bars of this window and gives the rest to the child nIDLeftOver
    // (the visible one when several carry that id). reposQuery only computes the rest into
    // lpRectParam; reposExtra takes lpRectParam as borders to keep free.
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2 };
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = NULL, LPCRECT lpRectClient = NULL,
                        BOOL bStretch = TRUE);

    HWND m_hWnd;
    HWND m_hWndOwner;  // the owner given with SetOwner; NULL: the parent
    UINT m_nFlags;
    WNDPROC m_pfnSuper;  // the window's own procedure when this object took its messages

protected:
    // --- handlers with their default behaviour ---------------------------------------
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnMove(int x, int y);
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnEnable(BOOL bEnable);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    void OnMButtonDown(UINT nFlags, CPoint point);
    void OnMButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnCaptureChanged(CWnd* pWnd);
    void OnCancelMode();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnContextMenu(CWnd* pWnd, CPoint pos);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    void OnParentNotify(UINT message, LPARAM lParam);
    void OnSysColorChange();
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    LRESULT OnNcHitTest(CPoint point);
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL bEnding);
    // WM_HELP: a top-level window turns it into the F1 command (ID_HELP) of the main
    // window; a child leaves it to its parent.
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    // The help commands (mapped by the classes that offer them).
    void OnHelp();
    void OnHelpIndex();
    void OnHelpFinder();
    void OnHelpUsing();

    // WM_COMPAREITEM, WM_DELETEITEM, WM_VKEYTOITEM, WM_CHARTOITEM: the control first.
    LRESULT OnItemMessageToChild(WPARAM wParam, LPARAM lParam);

    // The end of WM_NCDESTROY: detaches the window, ends the thread's loop when it was its
    // main window, then PostNcDestroy.
    void FinishNcDestroy();
    friend class CWndInternals;  // the window procedure
    // Picks the child that takes the rest in RepositionBars.
    static HWND PASCAL LeftOverChild(HWND hWndParent, UINT nIDLeftOver);

    DECLARE_MESSAGE_MAP()
};
