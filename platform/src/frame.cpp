// CFrameWnd: creation from resources, the client and its layout, command routing, menu
// updates, the help line, titles, tool tips of commands and the context-help mode.
#include "internal.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

CString vfc::FrameworkString(UINT nID) {
    // The program and the extension libraries may replace the framework's own texts.
    CString text;
    if (AfxLoadString(nID, text)) return text;
    text.LoadString(g_hModule, nID);
    return text;
}

CString vfc::PromptPart(const CString& text) {
    int nBreak = text.Find('\n');
    return nBreak < 0 ? text : text.Left(nBreak);
}

CString vfc::TipPart(const CString& text) {
    int nBreak = text.Find('\n');
    if (nBreak < 0) return CString();
    CString tip = text.Mid(nBreak + 1);
    int nEnd = tip.Find('\n');
    return nEnd < 0 ? tip : tip.Left(nEnd);
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_ERASEBKGND()
ON_WM_INITMENUPOPUP()
ON_WM_MENUSELECT()
ON_WM_SYSCOMMAND()
ON_WM_QUERYENDSESSION()
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
ON_MESSAGE(WM_EXITHELPMODE, OnExitHelpMode)
ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
    : m_bHelpMode(FALSE),
      m_hMenuDefault(NULL),
      m_hAccelTable(NULL),
      m_nIDHelp(0),
      m_nIDTracking(0),
      m_nIDLastMessage(0),
      m_bAutoMenuEnable(TRUE),
      m_nWindow(0),
      m_dwDockStyle(0),
      m_pViewActive(NULL),
      m_bInRecalcLayout(FALSE) {}

CFrameWnd::~CFrameWnd() {
    // The window no longer holds the default menu (OnDestroy took it off): it goes once here.
    if (m_hMenuDefault != NULL && ::IsMenu(m_hMenuDefault) &&
        (m_hWnd == NULL || ::GetMenu(m_hWnd) != m_hMenuDefault))
        ::DestroyMenu(m_hMenuDefault);
    m_hMenuDefault = NULL;
}

// --- creation --------------------------------------------------------------------------

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle,
                       CCreateContext* pContext) {
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL) {
        HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, (LPCSTR)RT_MENU);
        hMenu = ::LoadMenuA(hInst, lpszMenuName);
        if (hMenu == NULL) {
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName;
    int x = rect.left, y = rect.top, cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT) x = y = cx = cy = CW_USEDEFAULT;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                  GetSafeHwnd(pParentWnd), hMenu, (LPVOID)pContext)) {
        // The object may be gone; the menu is ours to free unless a window took it down.
        if (hMenu != NULL && ::IsMenu(hMenu)) ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == NULL)
        cs.lpszClass =
            AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                ::LoadCursorA(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    LPCSTR lpszResource = MAKEINTRESOURCEA(nIDResource);
    CString strFull;
    if (AfxLoadString(nIDResource, strFull)) m_strTitle = vfc::PromptPart(strFull);
    HINSTANCE hIconInst = AfxFindResourceHandle(lpszResource, (LPCSTR)RT_GROUP_ICON);
    HICON hIcon = ::FindResourceA(hIconInst, lpszResource, (LPCSTR)RT_GROUP_ICON) != NULL
                      ? ::LoadIconA(hIconInst, lpszResource)
                      : NULL;
    LPCSTR lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(NULL, IDC_ARROW),
                            (HBRUSH)(COLOR_WINDOW + 1), hIcon);
    HINSTANCE hMenuInst = AfxFindResourceHandle(lpszResource, (LPCSTR)RT_MENU);
    BOOL bMenu = ::FindResourceA(hMenuInst, lpszResource, (LPCSTR)RT_MENU) != NULL;
    CString title = m_strTitle;
    if (!Create(lpszClass, title, dwDefaultStyle, rectDefault, pParentWnd,
                bMenu ? lpszResource : NULL, 0L, pContext))
        return FALSE;  // the frame is gone
    m_hMenuDefault = ::GetMenu(m_hWnd);
    HINSTANCE hAccelInst = AfxFindResourceHandle(lpszResource, (LPCSTR)RT_ACCELERATOR);
    m_hAccelTable = ::LoadAcceleratorsA(hAccelInst, lpszResource);
    // Without a document the views get their first update now.
    if (pContext == NULL) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    if (!OnCreateClient(lpcs, pContext)) return -1;
    // The status bar is made after this: the idle text comes when it exists.
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext != NULL && pContext->m_pNewViewClass != NULL &&
        CreateView(pContext, AFX_IDW_PANE_FIRST) == NULL)
        return FALSE;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    if (pContext == NULL || pContext->m_pNewViewClass == NULL ||
        !pContext->m_pNewViewClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return NULL;
    CWnd* pView = static_cast<CWnd*>(pContext->m_pNewViewClass->CreateObject());
    if (pView == NULL) return NULL;
    RECT rect = {0, 0, 0, 0};
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, rect, this, nID, pContext))
        return NULL;  // the view deleted itself
    return pView;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    CView* pView = NULL;
    if (GetActiveView() == NULL) {
        CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
            pView = (CView*)pWnd;
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView != NULL) pView->OnActivateFrame(WA_INACTIVE, this);
        // The first frame of the program shows as the program was started.
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp->m_pMainWnd == NULL || pApp->m_pMainWnd == this) {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != NULL) pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc != NULL) pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) ShowWindow(nCmdShow);
    if (!(GetStyle() & WS_CHILD)) ::BringWindowToTop(m_hWnd);
}

void CFrameWnd::OnDestroy() {
    // The default menu outlives the window and is destroyed once, with the object.
    if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) == m_hMenuDefault) ::SetMenu(m_hWnd, NULL);
    if (m_bHelpMode) ExitHelpMode();
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy() { delete this; }

void CFrameWnd::OnClose() {
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != NULL && !pDocument->CanCloseFrame(this)) return;
    HWND hWnd = m_hWnd;
    CWinApp* pApp = AfxGetApp();
    if (pApp->m_pMainWnd == this) {
        // The main window closes every document; that may destroy this frame as well.
        if (pDocument == NULL && !pApp->SaveAllModified()) return;
        pApp->CloseAllDocuments(FALSE);
        if (FromHandlePermanent(hWnd) != this || !::IsWindow(hWnd)) return;
    }
    // The last frame of a document closes the document (and the frames with it).
    if (pDocument != NULL && pDocument->m_bAutoDelete) {
        BOOL bOtherFrame = FALSE;
        for (POSITION pos = pDocument->GetFirstViewPosition(); pos != NULL;) {
            CView* pView = pDocument->GetNextView(pos);
            if (pView->GetParentFrame() != this) bOtherFrame = TRUE;
        }
        if (!bOtherFrame) {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }
    DestroyWindow();
}

BOOL CFrameWnd::OnQueryEndSession() {
    CWinApp* pApp = AfxGetApp();
    if (pApp->m_pMainWnd == this) return pApp->SaveAllModified();
    return TRUE;
}

// --- layout ----------------------------------------------------------------------------

void CFrameWnd::RecalcLayout(BOOL) {
    if (m_bInRecalcLayout || m_hWnd == NULL) return;
    m_bInRecalcLayout = TRUE;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    m_bInRecalcLayout = FALSE;
}

LRESULT CFrameWnd::OnRecalcParent(WPARAM, LPARAM) {
    RecalcLayout();
    return 0;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
    // The focus belongs to the active view.
    if (m_pViewActive != NULL && m_pViewActive->m_hWnd != NULL)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC) {
    // A flat tool bar asks its parent for the background under it, with its own DC. No view
    // covers that: left undone, the bar fills it itself, in its class's button face.
    if (::WindowFromDC(pDC->GetSafeHdc()) != m_hWnd) return FALSE;
    // A view covers the client and paints itself.
    if (m_pViewActive != NULL) return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

// --- views and documents ---------------------------------------------------------------

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld) return;
    m_pViewActive = NULL;  // none while the old one hears of it
    if (bNotify && pViewOld != NULL) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew != NULL) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument() {
    return m_pViewActive != NULL ? m_pViewActive->GetDocument() : NULL;
}

// --- routing ---------------------------------------------------------------------------

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // The active view (and through it the document), the frame, the application.
    CView* pView = GetActiveView();
    if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    if (m_bHelpMode && lParam == 0 && nID != ID_HELP && nID != ID_DEFAULT_HELP &&
        nID != ID_CONTEXT_HELP) {
        // In context-help mode a command asks for its help instead.
        m_bHelpMode = FALSE;
        if (!SendMessage(WM_COMMANDHELP, 0, HID_BASE_COMMAND + nID))
            SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel != NULL && ::TranslateAcceleratorA(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu) {
    if (bSysMenu || pMenu == NULL) return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (int nIndex = 0; nIndex < (int)state.m_nIndexMax; nIndex++) {
        state.m_nIndex = (UINT)nIndex;
        state.m_nID = pMenu->GetMenuItemID(nIndex);
        if (state.m_nID == 0 || state.m_nID == (UINT)-1) continue;  // separator, popup
        state.m_pSubMenu = NULL;
        state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        // The handler may have inserted or deleted items and moved the index with them.
        nIndex = (int)state.m_nIndex;
        int nCount = (int)pMenu->GetMenuItemCount();
        if (nCount < (int)state.m_nIndexMax) {
            nIndex -= (int)state.m_nIndexMax - nCount;
            if (nIndex < -1) nIndex = -1;
            while (nIndex >= 0 && nIndex < nCount && pMenu->GetMenuItemID(nIndex) == state.m_nID)
                nIndex++;
        }
        state.m_nIndexMax = (UINT)nCount;
    }
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
    if (nFlags == 0xFFFF && hSysMenu == NULL) {
        // The menu closed: the help line goes back.
        m_nIDTracking = m_bHelpMode ? AFX_IDS_HELPMODEMESSAGE : AFX_IDS_IDLEMESSAGE;
    } else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)) ||
               (nItemID >= 0xF000 && nItemID < 0xF1F0)) {
        m_nIDTracking = 0;  // separators, popups and the system menu name no command
    } else {
        m_nIDTracking = nItemID;
    }
    if (m_nIDTracking != m_nIDLastMessage) SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

BOOL CFrameWnd::IsTracking() const {
    return m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_HELPMODEMESSAGE &&
           m_nIDTracking != AFX_IDS_IDLEMESSAGE;
}

void CFrameWnd::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == SC_CONTEXTHELP) {
        OnContextHelp();
        return;
    }
    CWnd::OnSysCommand(nID, lParam);
}

// --- help line -------------------------------------------------------------------------

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
    rMessage = vfc::PromptPart(vfc::FrameworkString(nID));
}

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

void CFrameWnd::SetMessageText(LPCSTR lpszText) {
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    UINT nIDLast = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != NULL) {
        CString message;
        if (lParam != 0)
            message = (LPCSTR)lParam;
        else if (wParam != 0)
            GetMessageString((UINT)wParam, message);
        pMessageBar->SetWindowText(message);
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
    if (m_nFlags & WF_NOPOPMSG) return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

// --- titles ----------------------------------------------------------------------------

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if ((GetStyle() & FWS_ADDTOTITLE) == 0) return;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != NULL)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(NULL);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCSTR lpszDocName) {
    CString title;
    BOOL bDoc = lpszDocName != NULL && *lpszDocName != '\0';
    CString docPart;
    if (bDoc) {
        docPart = lpszDocName;
        if (m_nWindow > 0) {
            CString number;
            number.Format(":%d", m_nWindow);
            docPart += number;
        }
    }
    if (!bDoc)
        title = m_strTitle;
    else if (GetStyle() & FWS_PREFIXTITLE)
        title = docPart + " - " + m_strTitle;
    else
        title = m_strTitle + " - " + docPart;
    // Only a change is written: the caption does not flicker.
    CString current;
    GetWindowText(current);
    if (current != title) SetWindowText(title);
}

// --- bars ------------------------------------------------------------------------------

void CFrameWnd::EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY; }

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT) {
    if (pBar == NULL) return;
    // The side: the one asked for, else the bar's own when allowed, else the first allowed.
    DWORD dwAllowed = m_dwDockStyle & pBar->m_dwDockStyle & CBRS_ALIGN_ANY;
    DWORD dwSide = 0;
    switch (nDockBarID) {
        case AFX_IDW_DOCKBAR_TOP: dwSide = CBRS_ALIGN_TOP; break;
        case AFX_IDW_DOCKBAR_BOTTOM: dwSide = CBRS_ALIGN_BOTTOM; break;
        case AFX_IDW_DOCKBAR_LEFT: dwSide = CBRS_ALIGN_LEFT; break;
        case AFX_IDW_DOCKBAR_RIGHT: dwSide = CBRS_ALIGN_RIGHT; break;
        default: dwSide = pBar->m_dwStyle & CBRS_ALIGN_ANY & dwAllowed; break;
    }
    if (dwSide == 0 || (dwSide & (dwSide - 1)) != 0) {
        static const DWORD sides[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT,
                                      CBRS_ALIGN_RIGHT};
        for (DWORD side : sides)
            if (dwAllowed & side) {
                dwSide = side;
                break;
            }
    }
    if (dwSide != 0) pBar->SetBarStyle((pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | dwSide);
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
    if (pBar == NULL || pBar->m_hWnd == NULL) return;
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (!bDelay) RecalcLayout();
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
    CWnd* pWnd = GetDescendantWindow((int)nID, TRUE);
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) ? (CControlBar*)pWnd : NULL;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar == NULL) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == NULL) return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI) {
    UINT nVK = pCmdUI->m_nID == ID_INDICATOR_CAPS  ? VK_CAPITAL
               : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                                   : VK_SCROLL;
    pCmdUI->Enable(::GetKeyState((int)nVK) & 1);
}

// --- tool tips of commands -------------------------------------------------------------

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
    // The text after the line feed of the command's string. The tool may name itself by
    // its window handle: then its control id is the command.
    BOOL bWide = pNMHDR->code == TTN_NEEDTEXTW;
    UINT uFlags = bWide ? ((TOOLTIPTEXTW*)pNMHDR)->uFlags : ((TOOLTIPTEXTA*)pNMHDR)->uFlags;
    UINT_PTR nID = pNMHDR->idFrom;
    if (uFlags & TTF_IDISHWND) nID = (UINT_PTR)::GetDlgCtrlID((HWND)nID);
    CString tip;
    if (nID != 0 && nID <= 0xFFFF) tip = vfc::TipPart(vfc::FrameworkString((UINT)nID));
    if (bWide) {
        TOOLTIPTEXTW* pTTT = (TOOLTIPTEXTW*)pNMHDR;
        int n = MultiByteToWideChar(CP_ACP, 0, tip, -1, pTTT->szText, _countof(pTTT->szText));
        if (n == 0) pTTT->szText[_countof(pTTT->szText) - 1] = L'\0';
        pTTT->lpszText = pTTT->szText;
        pTTT->hinst = NULL;
    } else {
        TOOLTIPTEXTA* pTTT = (TOOLTIPTEXTA*)pNMHDR;
        lstrcpynA(pTTT->szText, tip, _countof(pTTT->szText));
        pTTT->lpszText = pTTT->szText;
        pTTT->hinst = NULL;
    }
    *pResult = 0;
    // The tip shows above other pop-ups.
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
    return TRUE;
}

// --- context help --------------------------------------------------------------------

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam) {
    if (lParam == 0)
        lParam = IsTracking() ? HID_BASE_COMMAND + m_nIDTracking : HID_BASE_RESOURCE + m_nIDHelp;
    if (lParam == 0) return FALSE;
    AfxGetApp()->WinHelp((DWORD_PTR)lParam, HELP_CONTEXT);
    return TRUE;
}

LRESULT CFrameWnd::OnExitHelpMode(WPARAM, LPARAM) {
    m_bHelpMode = FALSE;
    return 0;
}

void CFrameWnd::ExitHelpMode() {
    if (!m_bHelpMode) return;
    m_bHelpMode = FALSE;
    PostMessage(WM_EXITHELPMODE);  // wakes the mode's loop
}

void CFrameWnd::OnContextHelp() {
    if (m_bHelpMode || !CanEnterHelpMode()) return;
    HWND hWnd = m_hWnd;
    m_bHelpMode = TRUE;
    SendMessage(WM_SETMESSAGESTRING, AFX_IDS_HELPMODEMESSAGE);
    HCURSOR hcurPrevious = ::SetCursor(::LoadCursorA(NULL, IDC_HELP));
    ::SetCapture(hWnd);
    DWORD_PTR dwContext;
    {
        CModalLoop loop;
        dwContext = RunHelpModeLoop();
    }
    // The frame may have gone while the mode ran.
    if (FromHandlePermanent(hWnd) != this) return;
    m_bHelpMode = FALSE;
    if (::GetCapture() == hWnd) ::ReleaseCapture();
    ::SetCursor(hcurPrevious);
    SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    if (dwContext != 0) AfxGetApp()->WinHelp(dwContext, HELP_CONTEXT);
}

DWORD_PTR CFrameWnd::RunHelpModeLoop() {
    HWND hWnd = m_hWnd;
    HCURSOR hcurHelp = ::LoadCursorA(NULL, IDC_HELP);
    for (;;) {
        if (FromHandlePermanent(hWnd) != this || !m_bHelpMode || ::GetCapture() != hWnd) return 0;
        MSG msg;
        if (::GetMessageA(&msg, NULL, 0, 0) <= 0) {
            ::PostQuitMessage((int)msg.wParam);  // the program's loop ends as asked
            return 0;
        }
        BOOL bOurs = msg.hwnd == hWnd || ::IsChild(hWnd, msg.hwnd);
        switch (msg.message) {
            case WM_LBUTTONDOWN:
            case WM_NCLBUTTONDOWN: {
                if (!bOurs) return 0;  // a click elsewhere cancels
                POINT pt = AfxPointFromLParam(msg.lParam);
                if (msg.message == WM_LBUTTONDOWN) ::ClientToScreen(msg.hwnd, &pt);
                return HelpContextFromPoint(msg.hwnd, pt);
            }
            case WM_RBUTTONDOWN:
            case WM_NCRBUTTONDOWN: return 0;
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                if (msg.wParam == VK_ESCAPE) return 0;
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
                break;
            case WM_COMMAND:
                // A menu command: its help.
                if (msg.hwnd == hWnd && msg.lParam == 0) {
                    m_bHelpMode = FALSE;
                    if (!SendMessage(WM_COMMANDHELP, 0, HID_BASE_COMMAND + LOWORD(msg.wParam)))
                        SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
                    return 0;
                }
                ::DispatchMessageA(&msg);
                break;
            case WM_MOUSEMOVE:
            case WM_NCMOUSEMOVE:
            case WM_SETCURSOR:
            case WM_LBUTTONUP:
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONUP: ::SetCursor(hcurHelp); break;
            default: ::DispatchMessageA(&msg); break;
        }
    }
}

DWORD_PTR CFrameWnd::HelpContextFromPoint(HWND hWndStart, POINT ptScreen) {
    HWND h = hWndStart;
    // A click on the frame while it holds the mouse: the deepest visible window under it.
    if (h == m_hWnd) {
        for (;;) {
            POINT ptClient = ptScreen;
            ::ScreenToClient(h, &ptClient);
            HWND hChild = ::ChildWindowFromPointEx(h, ptClient, CWP_SKIPINVISIBLE);
            if (hChild == NULL || hChild == h) break;
            h = hChild;
        }
    }
    // The window and its parents up to the frame name the context.
    for (; h != NULL; h = ::GetParent(h)) {
        POINT ptClient = ptScreen;
        ::ScreenToClient(h, &ptClient);
        DWORD_PTR dwContext =
            (DWORD_PTR)::SendMessageA(h, WM_HELPHITTEST, 0, MAKELPARAM(ptClient.x, ptClient.y));
        if (dwContext != 0) return dwContext;
        if (h == m_hWnd) break;
    }
    return m_nIDHelp != 0 ? HID_BASE_RESOURCE + m_nIDHelp : 0;
}
