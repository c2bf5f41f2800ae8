// Windows of the class library on their own: message maps and their chain, reflection,
// subclassing, creation that fails, handlers that throw, tool tips, the wait cursor, menus,
// help routing, the command line and the recent-file list.
#include "vaskfc.h"

#include "window_kit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_seen;

void Seen(const std::string& what) { g_seen.push_back(what); }

std::vector<std::string> TakeSeen() {
    std::vector<std::string> seen;
    seen.swap(g_seen);
    return seen;
}

UINT g_registered = RegisterWindowMessageA("VaskfcWndTestMessage");
UINT g_notRegistered = 0;  // a registered message whose number is still unknown

// --- classes with message maps -----------------------------------------------------------

class CBaseWnd : public CWnd {
public:
    LRESULT OnFirst(WPARAM, LPARAM) {
        Seen("base first");
        return 1;
    }
    LRESULT OnSecond(WPARAM w, LPARAM) {
        Seen("base second");
        return (LRESULT)w * 2;
    }
    void OnSize(UINT nType, int cx, int cy) {
        Seen("base size " + std::to_string(cx) + "x" + std::to_string(cy));
        CWnd::OnSize(nType, cx, cy);
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_MESSAGE(WM_APP + 1, OnFirst)
ON_MESSAGE(WM_APP + 2, OnSecond)
ON_WM_SIZE()
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
public:
    LRESULT OnFirst(WPARAM, LPARAM) {
        Seen("derived first");
        return 2;
    }
    LRESULT OnRegistered(WPARAM w, LPARAM l) { return (LRESULT)(w + l); }
    LRESULT OnNever(WPARAM, LPARAM) {
        Seen("never");
        return 0;
    }
    int OnCreate(LPCREATESTRUCT lpcs) {
        Seen("create");
        return m_bFailCreate ? -1 : CBaseWnd::OnCreate(lpcs);
    }
    BOOL m_bFailCreate = FALSE;

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
ON_MESSAGE(WM_APP + 1, OnFirst)
ON_REGISTERED_MESSAGE(g_registered, OnRegistered)
ON_REGISTERED_MESSAGE(g_notRegistered, OnNever)
ON_WM_CREATE()
END_MESSAGE_MAP()

// A window that deletes its object when it ends, as views and frames do.
class CSelfDeletingWnd : public CDerivedWnd {
public:
    CSelfDeletingWnd() { ++s_alive; }
    ~CSelfDeletingWnd() override {
        --s_alive;
        ++s_deleted;
    }
    void PostNcDestroy() override { delete this; }
    static int s_alive, s_deleted;
};
int CSelfDeletingWnd::s_alive = 0;
int CSelfDeletingWnd::s_deleted = 0;

RECT Rect(int l, int t, int r, int b) {
    RECT rect = {l, t, r, b};
    return rect;
}

class Windows : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            parent_.CreateEx(0, NULL, "parent", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, NULL, NULL));
        g_seen.clear();
    }
    void TearDown() override {
        parent_.DestroyWindow();
        AfxSetMessageBoxHook(NULL, NULL);
        AfxSetHelpHook(NULL, NULL);
        CWnd::DeleteTempMap();
    }
    CDerivedWnd parent_;
};

TEST_F(Windows, AClassMapIsSearchedBeforeItsBasesMap) {
    EXPECT_EQ(parent_.SendMessage(WM_APP + 1), 2);
    EXPECT_EQ(parent_.SendMessage(WM_APP + 2, 21), 42);
    EXPECT_EQ(parent_.SendMessage(g_registered, 40, 2), 42);
    EXPECT_EQ(parent_.SendMessage(WM_APP + 3), 0) << "no entry: the window's own procedure";
    parent_.MoveWindow(10, 10, 250, 150);
    std::vector<std::string> seen = TakeSeen();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], "derived first");
    EXPECT_EQ(seen[1], "base second");
    EXPECT_EQ(seen[2].substr(0, 10), "base size ");
    // A registered message still 0 matches nothing, not even message 0.
    parent_.SendMessage(WM_NULL);
    EXPECT_TRUE(TakeSeen().empty());
    // WM_CREATE reached the class's handler when the window was made.
    CDerivedWnd other;
    ASSERT_TRUE(other.CreateEx(0, NULL, "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(TakeSeen(), (std::vector<std::string>{"create", "base size 10x10"}));
    EXPECT_EQ(CWnd::FromHandlePermanent(other.m_hWnd), &other);
}

TEST_F(Windows, AWindowWhoseCreationFailsEndsItsObjectOnce) {
    CSelfDeletingWnd::s_deleted = 0;
    CSelfDeletingWnd* pWnd = new CSelfDeletingWnd;
    pWnd->m_bFailCreate = TRUE;
    EXPECT_FALSE(pWnd->Create(NULL, "", WS_CHILD, Rect(0, 0, 10, 10), &parent_, 1));
    EXPECT_EQ(CSelfDeletingWnd::s_deleted, 1);
    EXPECT_EQ(CSelfDeletingWnd::s_alive, 0);
    // A class that does not exist: the object ends the same way.
    pWnd = new CSelfDeletingWnd;
    EXPECT_FALSE(pWnd->Create("VaskfcNoSuchClass", "", WS_CHILD, Rect(0, 0, 10, 10), &parent_, 2));
    EXPECT_EQ(CSelfDeletingWnd::s_deleted, 2);
    // A member object keeps living, without a window.
    CDerivedWnd member;
    member.m_bFailCreate = TRUE;
    EXPECT_FALSE(member.Create(NULL, "", WS_CHILD, Rect(0, 0, 10, 10), &parent_, 3));
    EXPECT_EQ(member.m_hWnd, nullptr);
    // The window of a self-deleting object deletes it once when destroyed.
    pWnd = new CSelfDeletingWnd;
    ASSERT_TRUE(pWnd->Create(NULL, "", WS_CHILD, Rect(0, 0, 10, 10), &parent_, 4));
    HWND hWnd = pWnd->m_hWnd;
    parent_.DestroyWindow();
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(CSelfDeletingWnd::s_deleted, 3);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(Windows, NullWindowPointersGiveNoHandle) {
    CWnd* pNone = NULL;
    EXPECT_EQ(CWnd::GetSafeHwnd(pNone), nullptr);
    EXPECT_EQ(CWnd::GetSafeHwnd(&parent_), parent_.m_hWnd);
    EXPECT_EQ(CWnd::FromHandle(NULL), nullptr);
    EXPECT_EQ(CMenu::GetSafeHmenu(NULL), nullptr);
}

// --- reflection -----------------------------------------------------------------------------

// A control that handles its own notifications, or leaves them to its parent.
class CSelfNotifyingCtrl : public CListCtrl {
public:
    BOOL m_bLeave = FALSE;
    int m_nDrawn = 0;
    UINT m_nDrawnItem = (UINT)-1;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
        ++m_nDrawn;
        m_nDrawnItem = lpDIS->itemID;
    }

protected:
    BOOL OnClick(NMHDR*, LRESULT* pResult) {
        Seen("control click");
        *pResult = 5;
        return !m_bLeave;
    }
    void OnSetFocusReflect() { Seen("control setfocus"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfNotifyingCtrl, CListCtrl)
ON_NOTIFY_REFLECT_EX(NM_CLICK, OnClick)
ON_CONTROL_REFLECT(EN_SETFOCUS, OnSetFocusReflect)
END_MESSAGE_MAP()

class CNotifiedParent : public CWnd {
protected:
    void OnClick(NMHDR*, LRESULT* pResult) {
        Seen("parent click");
        *pResult = 7;
    }
    void OnControlFocus() { Seen("parent setfocus"); }
    void OnOther() { Seen("parent other"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifiedParent, CWnd)
ON_NOTIFY(NM_CLICK, 10, OnClick)
ON_CONTROL(EN_SETFOCUS, 10, OnControlFocus)
ON_CONTROL(EN_KILLFOCUS, 10, OnOther)
END_MESSAGE_MAP()

TEST(Reflection, AControlSeesItsNotificationBeforeItsParent) {
    g_seen.clear();
    CNotifiedParent parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "", WS_POPUP, 0, 0, 200, 200, NULL, NULL));
    CSelfNotifyingCtrl list;
    ASSERT_TRUE(
        list.Create(WS_CHILD | LVS_REPORT | LVS_OWNERDRAWFIXED, Rect(0, 0, 100, 100), &parent, 10));
    NMHDR hdr = {list.m_hWnd, 10, (UINT)NM_CLICK};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 10, (LPARAM)&hdr), 5);
    EXPECT_EQ(TakeSeen(), std::vector<std::string>{"control click"});
    list.m_bLeave = TRUE;
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 10, (LPARAM)&hdr), 7);
    EXPECT_EQ(TakeSeen(), (std::vector<std::string>{"control click", "parent click"}));
    // Control notifications by WM_COMMAND: the reflected entry takes it, the parent's does
    // not run; one without a reflected entry reaches the parent.
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(10, EN_SETFOCUS), (LPARAM)list.m_hWnd);
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(10, EN_KILLFOCUS), (LPARAM)list.m_hWnd);
    EXPECT_EQ(TakeSeen(), (std::vector<std::string>{"control setfocus", "parent other"}));
    // An owner-drawn item is drawn by the control's DrawItem.
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_LISTVIEW;
    dis.CtlID = 10;
    dis.itemID = 3;
    dis.hwndItem = list.m_hWnd;
    EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, 10, (LPARAM)&dis), TRUE);
    EXPECT_EQ(list.m_nDrawn, 1);
    EXPECT_EQ(list.m_nDrawnItem, 3u);
    // The same notification passed on by a window that is not the control's parent does
    // not go back to the control.
    CNotifiedParent other;
    ASSERT_TRUE(other.CreateEx(0, NULL, "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    list.m_bLeave = FALSE;
    other.SendMessage(WM_NOTIFY, 10, (LPARAM)&hdr);
    EXPECT_EQ(TakeSeen(), std::vector<std::string>{"parent click"});
    other.DestroyWindow();
    parent.DestroyWindow();
}

// --- subclassing ----------------------------------------------------------------------------

class CCountingEdit : public CWnd {
public:
    int m_nChars = 0;

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
        ++m_nChars;
        // Upper case goes through; the edit's own procedure does the typing.
        if (nChar >= 'a' && nChar <= 'z') {
            DefWindowProc(WM_CHAR, nChar - 'a' + 'A', MAKELPARAM(nRepCnt, nFlags));
            return;
        }
        CWnd::OnChar(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CWnd)
ON_WM_CHAR()
END_MESSAGE_MAP()

TEST_F(Windows, ASubclassedControlKeepsItsOwnBehaviourBehindTheMap) {
    HWND hEdit =
        CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 100, 20, parent_.m_hWnd, (HMENU)77, NULL, NULL);
    WNDPROC original = (WNDPROC)GetWindowLongPtrA(hEdit, GWLP_WNDPROC);
    CCountingEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(77, &parent_));
    EXPECT_EQ(CWnd::FromHandlePermanent(hEdit), &edit);
    EXPECT_FALSE(CWnd().SubclassWindow(hEdit)) << "one permanent object per window";
    SendMessageA(hEdit, WM_CHAR, 'a', 1);
    SendMessageA(hEdit, WM_CHAR, '1', 1);
    char text[16] = "";
    GetWindowTextA(hEdit, text, sizeof text);
    EXPECT_STREQ(text, "A1");
    EXPECT_EQ(edit.m_nChars, 2);
    EXPECT_EQ(edit.UnsubclassWindow(), hEdit);
    EXPECT_EQ((WNDPROC)GetWindowLongPtrA(hEdit, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandlePermanent(hEdit), nullptr);
    SendMessageA(hEdit, WM_CHAR, 'b', 1);
    GetWindowTextA(hEdit, text, sizeof text);
    EXPECT_STREQ(text, "A1b");
    // A window only attached keeps its procedure and is found by its handle.
    CWnd attached;
    ASSERT_TRUE(attached.Attach(hEdit));
    EXPECT_EQ((WNDPROC)GetWindowLongPtrA(hEdit, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandle(hEdit), &attached);
    EXPECT_EQ(attached.Detach(), hEdit);
    DestroyWindow(hEdit);
}

// --- failures in handlers --------------------------------------------------------------------

class CThrowingWnd : public CWnd {
protected:
    LRESULT OnThrowFile(WPARAM, LPARAM) {
        AfxThrowFileException(CFileException::fileNotFound, 2, "C:\\nowhere\\x.prm");
    }
    LRESULT OnThrowOther(WPARAM, LPARAM) { throw 42; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
ON_MESSAGE(WM_APP + 1, OnThrowFile)
ON_MESSAGE(WM_APP + 2, OnThrowOther)
END_MESSAGE_MAP()

TEST_F(Windows, AnExceptionInAHandlerIsReportedAndGoesNoFurther) {
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    wkit::BoxRecorder boxes;
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1), 0);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("C:\\nowhere\\x.prm"), std::string::npos) << boxes.texts[0];
    EXPECT_EQ(wnd.SendMessage(WM_APP + 2), 0);
    EXPECT_TRUE(IsWindow(wnd.m_hWnd));
    EXPECT_EQ(wnd.SendMessage(WM_GETTEXTLENGTH), 0) << "the window still works";
}

// --- descendants, updates of windows -----------------------------------------------------

class CCountingChild : public CWnd {
public:
    int m_nGot = 0;

protected:
    LRESULT OnApp(WPARAM, LPARAM) {
        ++m_nGot;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingChild, CWnd)
ON_MESSAGE(WM_APP + 5, OnApp)
END_MESSAGE_MAP()

TEST_F(Windows, MessagesToDescendantsReachEveryLevel) {
    CCountingChild child, grandchild;
    ASSERT_TRUE(child.Create(NULL, "", WS_CHILD, Rect(0, 0, 50, 50), &parent_, 1));
    ASSERT_TRUE(grandchild.Create(NULL, "", WS_CHILD, Rect(0, 0, 20, 20), &child, 2));
    parent_.SendMessageToDescendants(WM_APP + 5);
    EXPECT_EQ(child.m_nGot, 1);
    EXPECT_EQ(grandchild.m_nGot, 1);
    parent_.SendMessageToDescendants(WM_APP + 5, 0, 0, FALSE);
    EXPECT_EQ(child.m_nGot, 2);
    EXPECT_EQ(grandchild.m_nGot, 1);
    EXPECT_EQ(parent_.GetDescendantWindow(2), &grandchild);
    EXPECT_EQ(grandchild.GetTopLevelParent(), &parent_);
}

TEST_F(Windows, AnUpdateObjectEnablesAndLabelsAWindow) {
    CWnd button;
    ASSERT_TRUE(button.Create("BUTTON", "old", WS_CHILD | BS_AUTOCHECKBOX, Rect(0, 0, 50, 20),
                              &parent_, 5));
    CCmdUI state;
    state.m_pOther = &button;
    state.Enable(FALSE);
    EXPECT_FALSE(button.IsWindowEnabled());
    EXPECT_TRUE(state.m_bEnableChanged);
    state.SetText("new");
    CString text;
    button.GetWindowText(text);
    EXPECT_EQ(text, "new");
    state.SetCheck(1);
    EXPECT_EQ(button.SendMessage(BM_GETCHECK), BST_CHECKED);
    state.Enable(TRUE);
    EXPECT_TRUE(button.IsWindowEnabled());
}

// --- tool tips ---------------------------------------------------------------------------

TEST_F(Windows, ToolTipsNameTheChildUnderTheMouse) {
    CWnd left, right;
    ASSERT_TRUE(
        left.Create("STATIC", "L", WS_CHILD | WS_VISIBLE, Rect(0, 0, 50, 50), &parent_, 31));
    ASSERT_TRUE(
        right.Create("STATIC", "R", WS_CHILD | WS_VISIBLE, Rect(60, 0, 110, 50), &parent_, 32));
    parent_.EnableToolTips();
    // The mouse over the right child, as the loop hands the message to PreTranslateMessage.
    MSG msg = {right.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {0, 0}};
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(parent_.m_hWnd, &msg));
    TOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    // The thread's tip window now holds one tool: the child, named by its handle.
    HWND hTips = NULL;
    for (HWND h = FindWindowExA(HWND_DESKTOP, NULL, TOOLTIPS_CLASSA, NULL); h != NULL;
         h = FindWindowExA(HWND_DESKTOP, h, TOOLTIPS_CLASSA, NULL))
        if (GetWindowThreadProcessId(h, NULL) == GetCurrentThreadId()) hTips = h;
    ASSERT_NE(hTips, nullptr);
    ASSERT_EQ(SendMessageA(hTips, TTM_GETTOOLCOUNT, 0, 0), 1);
    ASSERT_TRUE(SendMessageA(hTips, TTM_ENUMTOOLSA, 0, (LPARAM)&ti));
    EXPECT_EQ(ti.hwnd, parent_.m_hWnd);
    EXPECT_EQ(ti.uId, (UINT_PTR)right.m_hWnd);
    EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);
    // Over the parent's own background: no tool.
    msg.hwnd = parent_.m_hWnd;
    msg.lParam = MAKELPARAM(200, 100);
    CWnd::WalkPreTranslateTree(parent_.m_hWnd, &msg);
    EXPECT_EQ(SendMessageA(hTips, TTM_GETTOOLCOUNT, 0, 0), 0);
    parent_.EnableToolTips(FALSE);
}

TEST(WaitCursor, ShowsWhileAWaitRunsAndRestoresAfter) {
    HCURSOR hWait = LoadCursorA(NULL, IDC_WAIT);
    HCURSOR hArrow = LoadCursorA(NULL, IDC_ARROW);
    SetCursor(hArrow);
    {
        CWaitCursor wait;
        EXPECT_EQ(GetCursor(), hWait);
        {
            CWaitCursor inner;
            SetCursor(hArrow);  // a dialog changed it
            inner.Restore();
            EXPECT_EQ(GetCursor(), hWait);
        }
        EXPECT_EQ(GetCursor(), hWait) << "the outer wait still runs";
    }
    EXPECT_EQ(GetCursor(), hArrow);
    EXPECT_EQ(AfxGetApp()->m_nWaitCursorCount, 0);
}

// --- fonts, device contexts and image lists of a window -----------------------------------

TEST(WindowWrappers, FontDeviceContextAndImageListCallsReachTheWindow) {
    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, "EDIT", "", WS_POPUP, CRect(0, 0, 200, 40), NULL, 0));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Arial"));
    edit.SetFont(&font, FALSE);
    ASSERT_NE(edit.GetFont(), nullptr);
    EXPECT_EQ(edit.GetFont()->GetSafeHandle(), font.GetSafeHandle());
    edit.SetFont(NULL, FALSE);  // back to the system font
    EXPECT_EQ(edit.GetFont(), nullptr);

    CDC* pDC = edit.GetDC();
    ASSERT_NE(pDC, nullptr);
    EXPECT_EQ(WindowFromDC(pDC->GetSafeHdc()), edit.m_hWnd);
    EXPECT_EQ(edit.ReleaseDC(pDC), 1);
    CDC* pWindowDC = edit.GetWindowDC();
    ASSERT_NE(pWindowDC, nullptr);
    EXPECT_EQ(edit.ReleaseDC(pWindowDC), 1);

    // An image added from a bitmap wrapper draws into a memory DC.
    CImageList images;
    ASSERT_TRUE(images.Create(8, 8, ILC_COLOR24, 1, 1));
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(NULL));
    CBitmap red, target;
    CClientDC screen(NULL);  // colour bitmaps: a fresh memory DC would make monochrome ones
    ASSERT_TRUE(red.CreateCompatibleBitmap(&screen, 8, 8));
    ASSERT_TRUE(target.CreateCompatibleBitmap(&screen, 8, 8));
    {
        CBitmap* old = mem.SelectObject(&red);
        mem.FillSolidRect(0, 0, 8, 8, RGB(255, 0, 0));
        mem.SelectObject(old);
    }
    EXPECT_EQ(images.Add(&red, RGB(0, 0, 0)), 0);
    EXPECT_EQ(images.Add(&red, (CBitmap*)NULL), 1);
    CBitmap* old = mem.SelectObject(&target);
    mem.FillSolidRect(0, 0, 8, 8, RGB(0, 0, 255));
    EXPECT_TRUE(images.Draw(&mem, 1, CPoint(0, 0), ILD_NORMAL));
    EXPECT_EQ(mem.GetPixel(4, 4), RGB(255, 0, 0));
    mem.SelectObject(old);
    edit.DestroyWindow();
}

// --- menus -------------------------------------------------------------------------------

TEST(Menus, AnAttachedMenuIsDestroyedOnceTemporaryOnesNever) {
    HMENU hKept = CreatePopupMenu();
    AppendMenuA(hKept, MF_STRING, 1, "kept");
    CMenu* pTemp = CMenu::FromHandle(hKept);
    EXPECT_EQ(CMenu::FromHandle(hKept), pTemp);
    CMenu::DeleteTempMap();
    EXPECT_TRUE(IsMenu(hKept)) << "a temporary object destroys nothing";
    {
        CMenu menu;
        ASSERT_TRUE(menu.Attach(hKept));
        EXPECT_EQ(CMenu::FromHandle(hKept), &menu);
        CMenu other;
        EXPECT_FALSE(other.Attach(hKept));
        CString text;
        EXPECT_EQ(menu.GetMenuString(1, text, MF_BYCOMMAND), 4);
        EXPECT_EQ(text, "kept");
    }
    EXPECT_FALSE(IsMenu(hKept));
}

// --- help ----------------------------------------------------------------------------------

TEST_F(Windows, EveryHelpCallPassesTheOneRoutingFunction) {
    wkit::HelpRecorder help;
    CWnd child;
    ASSERT_TRUE(child.Create(NULL, "", WS_CHILD, Rect(0, 0, 10, 10), &parent_, 1));
    child.WinHelp(0x50005, HELP_CONTEXTPOPUP);
    child.HtmlHelp(0x20010);
    EXPECT_TRUE(AfxCallHelp(NULL, "x.chm", HELP_FINDER, 0, TRUE));
    ASSERT_EQ(help.calls.size(), 3u);
    // Help belongs to the top-level window, with the application's help file.
    EXPECT_EQ(help.calls[0].hWnd, parent_.m_hWnd);
    EXPECT_EQ(help.calls[0].file, std::string(AfxGetApp()->m_pszHelpFilePath));
    EXPECT_EQ(help.calls[0].nCmd, (UINT)HELP_CONTEXTPOPUP);
    EXPECT_EQ(help.calls[0].dwData, (DWORD_PTR)0x50005);
    EXPECT_FALSE(help.calls[0].bHtml);
    EXPECT_TRUE(help.calls[1].bHtml);
    EXPECT_EQ(help.calls[1].nCmd, 0x000Fu);
    EXPECT_EQ(help.calls[2].file, "x.chm");
    help.answer = FALSE;
    EXPECT_FALSE(AfxCallHelp(NULL, "x.chm", HELP_FINDER, 0, TRUE)) << "the hook's answer";
}

// --- command line -------------------------------------------------------------------------

TEST(CommandLine, ArgumentsAreFlagsOrFileNames) {
    struct Case {
        std::vector<const char*> args;
        int nShellCommand;
        const char* file;
        const char* printer;
        BOOL bShowSplash;
    };
    const Case cases[] = {
        {{}, CCommandLineInfo::FileNew, "", "", TRUE},
        {{"C:\\data\\a.prm"}, CCommandLineInfo::FileOpen, "C:\\data\\a.prm", "", TRUE},
        {{"/p", "a.prm"}, CCommandLineInfo::FilePrint, "a.prm", "", TRUE},
        {{"-PT", "a.prm", "Printer 1", "drv", "LPT1:"},
         CCommandLineInfo::FilePrintTo,
         "a.prm",
         "Printer 1",
         TRUE},
        {{"/Embedding"}, CCommandLineInfo::FileNew, "", "", FALSE},
        {{"/nologo", "b.prm"}, CCommandLineInfo::FileOpen, "b.prm", "", FALSE},
        {{"/unregserver"}, CCommandLineInfo::AppUnregister, "", "", TRUE},
        {{"/host", "server1"}, CCommandLineInfo::FileOpen, "server1", "", TRUE},
    };
    for (const Case& c : cases) {
        // As the program's own start hands them over.
        std::vector<char*> argv = {const_cast<char*>("program.exe")};
        for (const char* arg : c.args) argv.push_back(const_cast<char*>(arg));
        argv.push_back(NULL);
        int savedArgc = __argc;
        char** savedArgv = __argv;
        __argc = (int)argv.size() - 1;
        __argv = argv.data();
        CCommandLineInfo info;
        AfxGetApp()->ParseCommandLine(info);
        __argc = savedArgc;
        __argv = savedArgv;
        std::string what = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(info.m_nShellCommand, c.nShellCommand) << what;
        EXPECT_EQ(info.m_strFileName, c.file) << what;
        EXPECT_EQ(info.m_strPrinterName, c.printer) << what;
        EXPECT_EQ(info.m_bShowSplash, c.bShowSplash) << what;
    }
}

// --- recent files ------------------------------------------------------------------------

TEST(RecentFiles, TheListKeepsTheNewestFirstOnceEachAndInTheProfile) {
    CWinApp app("vaskfc recent test");
    app.SetRegistryKey("VaskfcTest");
    CRecentFileList list(0, "Recent File List", "File%d", 3, 30);
    list.Add("C:\\data\\one.prm");
    list.Add("C:\\data\\two.prm");
    list.Add("C:\\DATA\\ONE.PRM");  // again, in other case: to the front, not twice
    list.Add("C:\\data\\three.prm");
    list.Add("C:\\data\\four.prm");  // the oldest falls off
    EXPECT_EQ(list[0], "C:\\data\\four.prm");
    EXPECT_EQ(list[1], "C:\\data\\three.prm");
    EXPECT_EQ(list[2], "C:\\DATA\\ONE.PRM");
    list.Remove(1);
    EXPECT_EQ(list[1], "C:\\DATA\\ONE.PRM");
    EXPECT_EQ(list[2], "");
    list.WriteList();
    CRecentFileList read(0, "Recent File List", "File%d", 3, 30);
    read.ReadList();
    EXPECT_EQ(read[0], "C:\\data\\four.prm");
    EXPECT_EQ(read[1], "C:\\DATA\\ONE.PRM");
    EXPECT_EQ(app.GetProfileString("Recent File List", "File3", "none"), "none");
    // Display names: the folder part shortened when the path is long.
    read.Add("C:\\a very long folder name\\and another one\\file.prm");
    CString name;
    EXPECT_TRUE(read.GetDisplayName(name, 0, NULL, 0));
    EXPECT_EQ(name, "C:\\...\\file.prm");
    EXPECT_TRUE(read.GetDisplayName(name, 1, "C:\\data", 7));
    EXPECT_EQ(name, "four.prm") << "a file of the current folder shows its name";
    EXPECT_FALSE(read.GetDisplayName(name, 3, NULL, 0));
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VaskfcTest");
}

}  // namespace
