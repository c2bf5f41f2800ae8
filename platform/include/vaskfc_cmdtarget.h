// CCmdTarget: the base of the classes that receive commands and window messages (threads,
// the application, documents, windows), with its message map, and CCmdUI, the object that
// update handlers use to enable, check and label a menu item, button or pane.
//
// A message map lists the messages and commands a class handles; a class's map is searched
// first, then the map of its base class, and so on. Declare it with DECLARE_MESSAGE_MAP()
// in the class and write it with BEGIN_MESSAGE_MAP(class, base) ... END_MESSAGE_MAP() in
// its source. The entries (vaskfc_msgmap.h) call the handlers through small functions made
// inside the class's own map, so handlers may be protected or private.
#pragma once

#include "vaskfc_object.h"

class CCmdTarget;
class CCmdUI;
class CMenu;
class CWnd;

// Notification codes of command routing: a command itself, and the request of its update
// handler (pExtra is then the CCmdUI).
#define CN_COMMAND           0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// Messages a child window gets back from its parent ("reflected"): the parent's message
// number plus this base.
#define WM_REFLECT_BASE 0xBC00

// What one map entry is for.
enum AfxEntryKind {
    AfxEntryEnd = 0,
    AfxEntryWindow = 1,      // a window message: nMessage
    AfxEntryRegistered = 2,  // a registered window message: *pnRegistered
    AfxEntryCommand = 3      // a command or notification: nMessage, nCode, nID..nLastID
};

// What a map entry's handler gets: the window message, or the command routed to it.
struct AFX_MSGCALL {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT lResult;  // the window message's result
    UINT nID;         // the command or control id
    int nCode;        // the notification code
    void* pExtra;     // CCmdUI* of an update request, AFX_NOTIFY* of a notification
};

// Calls the handler; FALSE when the handler leaves the message to others (the _EX entries).
typedef BOOL (*AFX_PMSGTHUNK)(CCmdTarget* pTarget, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nKind;  // AfxEntryKind
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    const UINT* pnRegistered;
    AFX_PMSGTHUNK pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// A notification routed through OnCmdMsg (pExtra of WM_NOTIFY entries).
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Filled by OnCmdMsg instead of calling when the caller only asks whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
        typedef theClass ThisClass;                                                   \
        typedef baseClass TheBaseClass;                                               \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                         \
    { AfxEntryEnd, 0, 0, 0, 0, NULL, NULL }                                                       \
    }                                                                                             \
    ;                                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                           \
    }

class VASKFC_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Routes a command (nCode CN_COMMAND, CN_UPDATE_COMMAND_UI, a control notification, or
    // MAKELONG(code, WM_NOTIFY) and the reflected forms) to this object's map. TRUE when a
    // handler took it. With pHandlerInfo only asks whether one would.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Wait cursor while a long operation runs; the application counts them.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // The entry of this object's map chain (its class first) for a window message; NULL
    // when none.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// The update request of one command: a menu item (m_pMenu, m_nIndex), or a tool-bar button
// or status-bar pane (the bar's own subclasses). Handlers that insert or delete menu items
// move m_nIndex and m_nIndexMax so that the update loop goes on behind them.
class VASKFC_API CCmdUI {
public:
    CCmdUI();
    virtual ~CCmdUI() {}

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 off, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);

    // The update handler leaves the command to the next target of the route.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's route for the update handler; with bDisableIfNoHndler an item that
    // has neither an update handler nor a command handler is disabled. TRUE when an update
    // handler took it.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID;
    UINT m_nIndex;
    CMenu* m_pMenu;
    CMenu* m_pSubMenu;     // the popup when the item opens one
    CMenu* m_pParentMenu;  // the menu holding the popup that m_pMenu is
    CWnd* m_pOther;        // a window instead of a menu item
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
    UINT m_nIndexMax;
};

// Waits with the wait cursor while the object lives.
class VASKFC_API CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    void Restore();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
