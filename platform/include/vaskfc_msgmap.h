// The entries of message maps (between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP).
//
// Each entry calls its handler through a small function made inside the class's map, with
// the message cracked into the handler's arguments; a handler of the wrong form does not
// compile. Handlers of window messages have the conventional names and arguments
// (OnSize(UINT nType, int cx, int cy), OnLButtonDown(UINT nFlags, CPoint point), ...).
#pragma once

#include "vaskfc_cmdtarget.h"

// The body of an entry's call: pThis_ is the object, call_ the message.
#define AFX_MSG_THUNK(body)                                    \
    [](CCmdTarget* pTarget_, AFX_MSGCALL& call_) -> BOOL {     \
        ThisClass* pThis_ = static_cast<ThisClass*>(pTarget_); \
        (void)pThis_;                                          \
        (void)call_;                                           \
        body;                                                  \
    }

#define AFX_WINDOW_ENTRY(message, body) \
    {AfxEntryWindow, (UINT)(message), 0, 0, 0, NULL, AFX_MSG_THUNK(body)},

#define AFX_COMMAND_ENTRY(message, code, id, idLast, body)                                \
    {AfxEntryCommand,    (UINT)(message), (UINT)(code), (UINT)(id), (UINT)(idLast), NULL, \
     AFX_MSG_THUNK(body)},

// Notification codes are kept as their low word, as OnCmdMsg routes them.
#define AFX_NOTIFY_CODE(code) ((UINT)(WORD)(int)(code))

// Mouse positions of window messages.
inline POINT AfxPointFromLParam(LPARAM lParam) {
    POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    return pt;
}

// --- commands --------------------------------------------------------------------------

#define ON_COMMAND(id, memberFxn) \
    AFX_COMMAND_ENTRY(WM_COMMAND, CN_COMMAND, id, id, pThis_->memberFxn(); return TRUE)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_COMMAND_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, pThis_->memberFxn(call_.nID); return TRUE)
// The handler returns FALSE to leave the command to the next target.
#define ON_COMMAND_EX(id, memberFxn) \
    AFX_COMMAND_ENTRY(WM_COMMAND, CN_COMMAND, id, id, return pThis_->memberFxn(call_.nID))
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    AFX_COMMAND_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, return pThis_->memberFxn(call_.nID))
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                     \
    AFX_COMMAND_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, \
                      pThis_->memberFxn((CCmdUI*)call_.pExtra); \
                      return TRUE)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)           \
    AFX_COMMAND_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, \
                      pThis_->memberFxn((CCmdUI*)call_.pExtra);     \
                      return TRUE)

// --- control notifications (WM_COMMAND from a child) --------------------------------------

#define ON_CONTROL(code, id, memberFxn) \
    AFX_COMMAND_ENTRY(WM_COMMAND, code, id, id, pThis_->memberFxn(); return TRUE)
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
    AFX_COMMAND_ENTRY(WM_COMMAND, code, id, idLast, pThis_->memberFxn(call_.nID); return TRUE)

#define ON_BN_CLICKED(id, memberFxn)       ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)        ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn)        ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn)     ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn)      ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn)    ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn)   ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn)    ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn)     ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn)      ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn)    ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn)       ON_CONTROL(LBN_DBLCLK, id, memberFxn)

// --- WM_NOTIFY --------------------------------------------------------------------------
// Routed by the sender's control id; handlers get the header and the result to set.

#define AFX_NOTIFY_ARGS ((AFX_NOTIFY*)call_.pExtra)->pNMHDR, ((AFX_NOTIFY*)call_.pExtra)->pResult
#define ON_NOTIFY(code, id, memberFxn) \
    AFX_COMMAND_ENTRY(                 \
        WM_NOTIFY, AFX_NOTIFY_CODE(code), id, id, pThis_->memberFxn(AFX_NOTIFY_ARGS); return TRUE)
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                 \
    AFX_COMMAND_ENTRY(WM_NOTIFY, AFX_NOTIFY_CODE(code), id, idLast,  \
                      pThis_->memberFxn(call_.nID, AFX_NOTIFY_ARGS); \
                      return TRUE)
// The handler returns FALSE to leave the notification to others.
#define ON_NOTIFY_EX(code, id, memberFxn)                       \
    AFX_COMMAND_ENTRY(WM_NOTIFY, AFX_NOTIFY_CODE(code), id, id, \
                      return pThis_->memberFxn(call_.nID, AFX_NOTIFY_ARGS))
#define ON_NOTIFY_EX_RANGE(code, id, idLast, memberFxn)             \
    AFX_COMMAND_ENTRY(WM_NOTIFY, AFX_NOTIFY_CODE(code), id, idLast, \
                      return pThis_->memberFxn(call_.nID, AFX_NOTIFY_ARGS))

// --- reflected notifications: handled by the control that sent them ----------------------
// The _EX forms return FALSE to let the parent see the notification as well.

#define ON_NOTIFY_REFLECT(code, memberFxn)                                      \
    AFX_COMMAND_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, AFX_NOTIFY_CODE(code), 0, 0, \
                      pThis_->memberFxn(AFX_NOTIFY_ARGS);                       \
                      return TRUE)
#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                                   \
    AFX_COMMAND_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, AFX_NOTIFY_CODE(code), 0, 0, \
                      return pThis_->memberFxn(AFX_NOTIFY_ARGS))
#define ON_CONTROL_REFLECT(code, memberFxn) \
    AFX_COMMAND_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, pThis_->memberFxn(); return TRUE)
#define ON_CONTROL_REFLECT_EX(code, memberFxn) \
    AFX_COMMAND_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, return pThis_->memberFxn())

#define ON_WM_DRAWITEM_REFLECT()                                       \
    AFX_WINDOW_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM,                    \
                     pThis_->DrawItem((LPDRAWITEMSTRUCT)call_.lParam); \
                     call_.lResult = TRUE; return TRUE)
#define ON_WM_MEASUREITEM_REFLECT()                                          \
    AFX_WINDOW_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM,                       \
                     pThis_->MeasureItem((LPMEASUREITEMSTRUCT)call_.lParam); \
                     call_.lResult = TRUE; return TRUE)
// Any WM_CTLCOLOR... message; a null brush leaves it to the parent.
#define ON_WM_CTLCOLOR_REFLECT()                                                        \
    AFX_WINDOW_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR,                                     \
                     HBRUSH hbr_ = pThis_->CtlColor(CDC::FromHandle((HDC)call_.wParam), \
                                                    call_.message - WM_CTLCOLORMSGBOX); \
                     call_.lResult = (LRESULT)hbr_; return hbr_ != NULL)
#define ON_WM_HSCROLL_REFLECT()                                                   \
    AFX_WINDOW_ENTRY(WM_REFLECT_BASE + WM_HSCROLL,                                \
                     pThis_->HScroll(LOWORD(call_.wParam), HIWORD(call_.wParam)); \
                     return TRUE)
#define ON_WM_VSCROLL_REFLECT()                                                   \
    AFX_WINDOW_ENTRY(WM_REFLECT_BASE + WM_VSCROLL,                                \
                     pThis_->VScroll(LOWORD(call_.wParam), HIWORD(call_.wParam)); \
                     return TRUE)
#define ON_WM_PARENTNOTIFY_REFLECT()                                           \
    AFX_WINDOW_ENTRY(WM_REFLECT_BASE + WM_PARENTNOTIFY,                        \
                     pThis_->ParentNotify(LOWORD(call_.wParam), call_.lParam); \
                     return TRUE)

// --- any window message -------------------------------------------------------------------

// LRESULT memberFxn(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn)                                                       \
    AFX_WINDOW_ENTRY(message, call_.lResult = pThis_->memberFxn(call_.wParam, call_.lParam); \
                     return TRUE)
// A message registered with RegisterWindowMessage; the variable holds its number.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                               \
    {                                                                                    \
        AfxEntryRegistered, 0xC000, 0, 0, 0, &(nMessageVariable),                        \
            AFX_MSG_THUNK(call_.lResult = pThis_->memberFxn(call_.wParam, call_.lParam); \
                          return TRUE)                                                   \
    }                                                                                    \
    ,

// --- the standard window messages ---------------------------------------------------------

#define AFX_WINDOW_VOID(message, call) AFX_WINDOW_ENTRY(message, pThis_->call; return TRUE)
#define AFX_POINT_ARG                  AfxPointFromLParam(call_.lParam)
#define AFX_KEY_ARGS                   (UINT) call_.wParam, (UINT)LOWORD(call_.lParam), (UINT)HIWORD(call_.lParam)

#define ON_WM_CREATE()                                                                          \
    AFX_WINDOW_ENTRY(WM_CREATE, call_.lResult = pThis_->OnCreate((LPCREATESTRUCT)call_.lParam); \
                     return TRUE)
#define ON_WM_DESTROY()   AFX_WINDOW_VOID(WM_DESTROY, OnDestroy())
#define ON_WM_NCDESTROY() AFX_WINDOW_VOID(WM_NCDESTROY, OnNcDestroy())
#define ON_WM_CLOSE()     AFX_WINDOW_VOID(WM_CLOSE, OnClose())
#define ON_WM_SIZE()                                                                 \
    AFX_WINDOW_VOID(WM_SIZE, OnSize((UINT)call_.wParam, (short)LOWORD(call_.lParam), \
                                    (short)HIWORD(call_.lParam)))
#define ON_WM_MOVE() \
    AFX_WINDOW_VOID(WM_MOVE, OnMove((short)LOWORD(call_.lParam), (short)HIWORD(call_.lParam)))
#define ON_WM_TIMER() AFX_WINDOW_VOID(WM_TIMER, OnTimer((UINT_PTR)call_.wParam))
#define ON_WM_PAINT() AFX_WINDOW_VOID(WM_PAINT, OnPaint())
#define ON_WM_ERASEBKGND()                                                                     \
    AFX_WINDOW_ENTRY(WM_ERASEBKGND,                                                            \
                     call_.lResult = pThis_->OnEraseBkgnd(CDC::FromHandle((HDC)call_.wParam)); \
                     return TRUE)
#define ON_WM_SETFOCUS() \
    AFX_WINDOW_VOID(WM_SETFOCUS, OnSetFocus(CWnd::FromHandle((HWND)call_.wParam)))
#define ON_WM_KILLFOCUS() \
    AFX_WINDOW_VOID(WM_KILLFOCUS, OnKillFocus(CWnd::FromHandle((HWND)call_.wParam)))
#define ON_WM_SHOWWINDOW() \
    AFX_WINDOW_VOID(WM_SHOWWINDOW, OnShowWindow((BOOL)call_.wParam, (UINT)call_.lParam))
#define ON_WM_ENABLE() AFX_WINDOW_VOID(WM_ENABLE, OnEnable((BOOL)call_.wParam))
#define ON_WM_ACTIVATE()                                                                   \
    AFX_WINDOW_VOID(WM_ACTIVATE,                                                           \
                    OnActivate(LOWORD(call_.wParam), CWnd::FromHandle((HWND)call_.lParam), \
                               (BOOL)HIWORD(call_.wParam)))
#define ON_WM_GETMINMAXINFO() \
    AFX_WINDOW_VOID(WM_GETMINMAXINFO, OnGetMinMaxInfo((MINMAXINFO*)call_.lParam))
#define ON_WM_WINDOWPOSCHANGING() \
    AFX_WINDOW_VOID(WM_WINDOWPOSCHANGING, OnWindowPosChanging((WINDOWPOS*)call_.lParam))
#define ON_WM_WINDOWPOSCHANGED() \
    AFX_WINDOW_VOID(WM_WINDOWPOSCHANGED, OnWindowPosChanged((WINDOWPOS*)call_.lParam))
#define ON_WM_LBUTTONDOWN() \
    AFX_WINDOW_VOID(WM_LBUTTONDOWN, OnLButtonDown((UINT)call_.wParam, AFX_POINT_ARG))
#define ON_WM_LBUTTONUP() \
    AFX_WINDOW_VOID(WM_LBUTTONUP, OnLButtonUp((UINT)call_.wParam, AFX_POINT_ARG))
#define ON_WM_LBUTTONDBLCLK() \
    AFX_WINDOW_VOID(WM_LBUTTONDBLCLK, OnLButtonDblClk((UINT)call_.wParam, AFX_POINT_ARG))
#define ON_WM_RBUTTONDOWN() \
    AFX_WINDOW_VOID(WM_RBUTTONDOWN, OnRButtonDown((UINT)call_.wParam, AFX_POINT_ARG))
#define ON_WM_RBUTTONUP() \
    AFX_WINDOW_VOID(WM_RBUTTONUP, OnRButtonUp((UINT)call_.wParam, AFX_POINT_ARG))
#define ON_WM_RBUTTONDBLCLK() \
    AFX_WINDOW_VOID(WM_RBUTTONDBLCLK, OnRButtonDblClk((UINT)call_.wParam, AFX_POINT_ARG))
#define ON_WM_MBUTTONDOWN() \
    AFX_WINDOW_VOID(WM_MBUTTONDOWN, OnMButtonDown((UINT)call_.wParam, AFX_POINT_ARG))
#define ON_WM_MBUTTONUP() \
    AFX_WINDOW_VOID(WM_MBUTTONUP, OnMButtonUp((UINT)call_.wParam, AFX_POINT_ARG))
#define ON_WM_MOUSEMOVE() \
    AFX_WINDOW_VOID(WM_MOUSEMOVE, OnMouseMove((UINT)call_.wParam, AFX_POINT_ARG))
#define ON_WM_MOUSEWHEEL()                                                                  \
    AFX_WINDOW_ENTRY(WM_MOUSEWHEEL,                                                         \
                     call_.lResult = pThis_->OnMouseWheel(                                  \
                         LOWORD(call_.wParam), (short)HIWORD(call_.wParam), AFX_POINT_ARG); \
                     return TRUE)
#define ON_WM_MOUSEACTIVATE()                                                           \
    AFX_WINDOW_ENTRY(WM_MOUSEACTIVATE, call_.lResult = pThis_->OnMouseActivate(         \
                                           CWnd::FromHandle((HWND)call_.wParam),        \
                                           LOWORD(call_.lParam), HIWORD(call_.lParam)); \
                     return TRUE)
#define ON_WM_SETCURSOR()                                                                          \
    AFX_WINDOW_ENTRY(WM_SETCURSOR, call_.lResult = pThis_->OnSetCursor(                            \
                                       CWnd::FromHandle((HWND)call_.wParam), LOWORD(call_.lParam), \
                                       HIWORD(call_.lParam));                                      \
                     return TRUE)
#define ON_WM_CAPTURECHANGED() \
    AFX_WINDOW_VOID(WM_CAPTURECHANGED, OnCaptureChanged(CWnd::FromHandle((HWND)call_.lParam)))
#define ON_WM_CANCELMODE() AFX_WINDOW_VOID(WM_CANCELMODE, OnCancelMode())
#define ON_WM_KEYDOWN()    AFX_WINDOW_VOID(WM_KEYDOWN, OnKeyDown(AFX_KEY_ARGS))
#define ON_WM_KEYUP()      AFX_WINDOW_VOID(WM_KEYUP, OnKeyUp(AFX_KEY_ARGS))
#define ON_WM_CHAR()       AFX_WINDOW_VOID(WM_CHAR, OnChar(AFX_KEY_ARGS))
#define ON_WM_SYSKEYDOWN() AFX_WINDOW_VOID(WM_SYSKEYDOWN, OnSysKeyDown(AFX_KEY_ARGS))
#define ON_WM_SYSKEYUP()   AFX_WINDOW_VOID(WM_SYSKEYUP, OnSysKeyUp(AFX_KEY_ARGS))
#define ON_WM_GETDLGCODE() \
    AFX_WINDOW_ENTRY(WM_GETDLGCODE, call_.lResult = pThis_->OnGetDlgCode(); return TRUE)
#define ON_WM_HSCROLL()                                                               \
    AFX_WINDOW_VOID(WM_HSCROLL, OnHScroll(LOWORD(call_.wParam), HIWORD(call_.wParam), \
                                          CScrollBar::FromHandleScrollBar((HWND)call_.lParam)))
#define ON_WM_VSCROLL()                                                               \
    AFX_WINDOW_VOID(WM_VSCROLL, OnVScroll(LOWORD(call_.wParam), HIWORD(call_.wParam), \
                                          CScrollBar::FromHandleScrollBar((HWND)call_.lParam)))
#define ON_WM_CONTEXTMENU()         \
    AFX_WINDOW_VOID(WM_CONTEXTMENU, \
                    OnContextMenu(CWnd::FromHandle((HWND)call_.wParam), AFX_POINT_ARG))
#define ON_WM_INITMENUPOPUP()                                                                     \
    AFX_WINDOW_VOID(WM_INITMENUPOPUP,                                                             \
                    OnInitMenuPopup(CMenu::FromHandle((HMENU)call_.wParam), LOWORD(call_.lParam), \
                                    (BOOL)HIWORD(call_.lParam)))
#define ON_WM_MENUSELECT()         \
    AFX_WINDOW_VOID(WM_MENUSELECT, \
                    OnMenuSelect(LOWORD(call_.wParam), HIWORD(call_.wParam), (HMENU)call_.lParam))
#define ON_WM_PARENTNOTIFY() \
    AFX_WINDOW_VOID(WM_PARENTNOTIFY, OnParentNotify(LOWORD(call_.wParam), call_.lParam))
#define ON_WM_SYSCOLORCHANGE() AFX_WINDOW_VOID(WM_SYSCOLORCHANGE, OnSysColorChange())
#define ON_WM_SYSCOMMAND() \
    AFX_WINDOW_VOID(WM_SYSCOMMAND, OnSysCommand((UINT)call_.wParam, call_.lParam))
#define ON_WM_DRAWITEM()                                                                    \
    AFX_WINDOW_ENTRY(WM_DRAWITEM,                                                           \
                     pThis_->OnDrawItem((int)call_.wParam, (LPDRAWITEMSTRUCT)call_.lParam); \
                     call_.lResult = TRUE; return TRUE)
#define ON_WM_MEASUREITEM()                                                                       \
    AFX_WINDOW_ENTRY(WM_MEASUREITEM,                                                              \
                     pThis_->OnMeasureItem((int)call_.wParam, (LPMEASUREITEMSTRUCT)call_.lParam); \
                     call_.lResult = TRUE; return TRUE)
// Any WM_CTLCOLOR... message.
#define ON_WM_CTLCOLOR()                                                                           \
    AFX_WINDOW_ENTRY(WM_CTLCOLOR,                                                                  \
                     call_.lResult = (LRESULT)pThis_->OnCtlColor(                                  \
                         CDC::FromHandle((HDC)call_.wParam), CWnd::FromHandle((HWND)call_.lParam), \
                         call_.message - WM_CTLCOLORMSGBOX);                                       \
                     return TRUE)
#define ON_WM_HELPINFO()                                                                   \
    AFX_WINDOW_ENTRY(WM_HELP, call_.lResult = pThis_->OnHelpInfo((HELPINFO*)call_.lParam); \
                     return TRUE)
#define ON_WM_NCHITTEST() \
    AFX_WINDOW_ENTRY(WM_NCHITTEST, call_.lResult = pThis_->OnNcHitTest(AFX_POINT_ARG); return TRUE)
#define ON_WM_QUERYENDSESSION() \
    AFX_WINDOW_ENTRY(WM_QUERYENDSESSION, call_.lResult = pThis_->OnQueryEndSession(); return TRUE)
#define ON_WM_ENDSESSION() AFX_WINDOW_VOID(WM_ENDSESSION, OnEndSession((BOOL)call_.wParam))
