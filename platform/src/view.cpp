// CView and the control views.
#include "internal.h"

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNCREATE(CCtrlView, CView)
IMPLEMENT_DYNCREATE(CTreeView, CCtrlView)
IMPLEMENT_DYNCREATE(CListView, CCtrlView)

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
ON_COMMAND_EX_RANGE(ID_NEXT_PANE, ID_PREV_PANE, OnNextPaneCmd)
ON_UPDATE_COMMAND_UI_RANGE(ID_NEXT_PANE, ID_PREV_PANE, OnUpdateNextPaneMenu)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(NULL) {}

CView::~CView() {
    if (m_pDocument != NULL) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == NULL)
        cs.lpszClass =
            AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                ::LoadCursorA(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    // The view joins the document it is made for.
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (pContext != NULL && pContext->m_pCurrentDoc != NULL) pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->GetActiveView() == this) pFrame->SetActiveView(NULL, FALSE);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy() { delete this; }

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT) return nResult;
    // A click makes the view the active one of its frame.
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL) {
        HWND hWndFocus = ::GetFocus();
        if (pFrame->GetActiveView() == this) {
            if (m_hWnd != hWndFocus && !::IsChild(m_hWnd, hWndFocus))
                OnActivateView(TRUE, this, this);
        } else {
            pFrame->SetActiveView(this);
        }
    }
    return nResult;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate() { OnUpdate(NULL, 0, NULL); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*) {
    // The active view of the active window takes the focus.
    if (bActivate && pActivateView == this) {
        CWnd* pTop = GetTopLevelParent();
        if (pTop != NULL && ::GetActiveWindow() == pTop->m_hWnd) SetFocus();
    }
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

BOOL CView::IsSelected(const CObject*) const { return FALSE; }

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // The view first, then its document.
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocument != NULL && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

CSplitterWnd* PASCAL CView::GetParentSplitter(const CWnd* pWnd, BOOL) {
    if (pWnd == NULL || pWnd->m_hWnd == NULL) return NULL;
    CWnd* pParent = FromHandlePermanent(::GetParent(pWnd->m_hWnd));
    return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CSplitterWnd))
               ? (CSplitterWnd*)pParent
               : NULL;
}

BOOL CView::OnNextPaneCmd(UINT nID) {
    CSplitterWnd* pSplitter = GetParentSplitter(this, FALSE);
    if (pSplitter == NULL) return FALSE;
    pSplitter->ActivateNext(nID == ID_PREV_PANE);
    return TRUE;
}

void CView::OnUpdateNextPaneMenu(CCmdUI* pCmdUI) {
    CSplitterWnd* pSplitter = GetParentSplitter(this, FALSE);
    pCmdUI->Enable(pSplitter != NULL && pSplitter->CanActivateNext(pCmdUI->m_nID == ID_PREV_PANE));
}

// --- printing ----------------------------------------------------------------------------

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo) {
    // Without a page count the view prints one page.
    if (pInfo != NULL && pInfo->GetMaxPage() == 0xFFFF)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}
void CView::OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
    // Without a printer the system would show a warning of its own, past the program's
    // message boxes.
    if (!vfc::PrinterInstalled()) {
        AfxMessageBox(vfc::FrameworkString(AFX_IDP_NO_PRINTER), MB_ICONEXCLAMATION);
        return FALSE;
    }
    // The default printer for direct printing, else the user's choice, starting from the
    // printer chosen in the print setup.
    CFrameWnd* pFrame = GetParentFrame();
    pInfo->m_pd.hwndOwner = pFrame != NULL ? pFrame->m_hWnd : m_hWnd;
    CWinApp* pApp = AfxGetApp();
    if (pInfo->m_bDirect) {
        pInfo->m_pd.Flags |= PD_RETURNDEFAULT;
    } else if (pInfo->m_pd.hDevMode == NULL && pInfo->m_pd.hDevNames == NULL) {
        pInfo->m_pd.hDevMode = pApp->m_hDevMode;
        pInfo->m_pd.hDevNames = pApp->m_hDevNames;
        pApp->m_hDevMode = pApp->m_hDevNames = NULL;
    }
    BOOL bOk;
    {
        CModalLoop loop;
        bOk = ::PrintDlgA(&pInfo->m_pd);
    }
    if (!pInfo->m_bDirect) {
        // The choice stays the application's for the next print.
        pApp->m_hDevMode = pInfo->m_pd.hDevMode;
        pApp->m_hDevNames = pInfo->m_pd.hDevNames;
        pInfo->m_pd.hDevMode = pInfo->m_pd.hDevNames = NULL;
    }
    if (!bOk) {
        // Cancelled by the user is no failure.
        if (::CommDlgExtendedError() != 0)
            AfxMessageBox(vfc::FrameworkString(AFX_IDP_FAILED_TO_PRINT), MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (pInfo->m_pd.hDC == NULL) {
        AfxMessageBox(vfc::FrameworkString(AFX_IDP_FAILED_TO_PRINT), MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

void CView::OnFilePrint() {
    CPrintInfo info;
    info.m_bDirect = LOWORD(GetCurrentMessage()->wParam) == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&info)) return;
    CDC dc;
    dc.Attach(info.m_pd.hDC);
    info.m_pd.hDC = NULL;  // the wrapper deletes it
    dc.m_bPrinting = TRUE;
    CString title = m_pDocument != NULL ? m_pDocument->GetTitle() : CString();
    if (dc.StartDoc(title.IsEmpty() ? "Document" : (LPCSTR)title) <= 0) {
        AfxMessageBox(vfc::FrameworkString(AFX_IDP_FAILED_TO_PRINT), MB_ICONEXCLAMATION);
        return;
    }
    OnBeginPrinting(&dc, &info);
    UINT nFirst = info.GetMinPage(), nLast = info.GetMaxPage();
    if (info.m_pd.Flags & PD_PAGENUMS) {
        nFirst = info.GetFromPage();
        nLast = info.GetToPage();
    }
    BOOL bError = FALSE;
    for (info.m_nCurPage = nFirst; info.m_nCurPage <= nLast; info.m_nCurPage++) {
        OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting) break;
        if (dc.StartPage() <= 0) {
            bError = TRUE;
            break;
        }
        ::SetRect(&info.m_rectDraw, 0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        OnPrint(&dc, &info);
        if (dc.EndPage() <= 0) {
            bError = TRUE;
            break;
        }
        if (info.m_nCurPage == 0xFFFF) break;
    }
    OnEndPrinting(&dc, &info);
    if (bError) {
        dc.AbortDoc();
        AfxMessageBox(vfc::FrameworkString(AFX_IDP_FAILED_TO_PRINT), MB_ICONEXCLAMATION);
    } else {
        dc.EndDoc();
    }
}

// --- control views -----------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CCtrlView, CView)
ON_WM_PAINT()
END_MESSAGE_MAP()

CCtrlView::CCtrlView(LPCSTR lpszClass, DWORD dwStyle)
    : m_strClass(lpszClass), m_dwDefaultStyle(dwStyle) {}

BOOL CCtrlView::PreCreateWindow(CREATESTRUCT& cs) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    cs.lpszClass = m_strClass;
    cs.style |= m_dwDefaultStyle;
    return CView::PreCreateWindow(cs);
}

void CCtrlView::OnDraw(CDC*) {}

void CCtrlView::OnPaint() { Default(); }  // the control paints itself

CTreeView::CTreeView() : CCtrlView(WC_TREEVIEWA, AFX_WS_DEFAULT_VIEW) {}

CTreeCtrl& CTreeView::GetTreeCtrl() const {
    m_wndTree.m_hWnd = m_hWnd;
    return m_wndTree;
}

CListView::CListView() : CCtrlView(WC_LISTVIEWA, AFX_WS_DEFAULT_VIEW) {}

CListCtrl& CListView::GetListCtrl() const {
    m_wndList.m_hWnd = m_hWnd;
    return m_wndList;
}
