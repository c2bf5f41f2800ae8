// The sample program's classes.
#include "sample.h"

SampleLog g_log;

namespace {
void Note(const char* event) { g_log.events.push_back(event); }
}  // namespace

// --- document -------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CSampleDoc, CDocument)

BEGIN_MESSAGE_MAP(CSampleDoc, CDocument)
ON_COMMAND(ID_SAMPLE_DOCCMD, OnDocCommand)
END_MESSAGE_MAP()

CSampleDoc::CSampleDoc() { ++g_log.documents; }

CSampleDoc::~CSampleDoc() {
    --g_log.documents;
    ++g_log.documentsDeleted;
}

void CSampleDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_text;
        if (m_bFailStore) {
            ar.Flush();
            AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, ar.m_strFileName);
        }
    } else {
        ar >> m_text;
    }
}

void CSampleDoc::DeleteContents() {
    ++m_nDeleteContents;
    m_text.Empty();
}

void CSampleDoc::OnDocCommand() { Note("doc:doc"); }

// --- views ----------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CSampleTreeView, CTreeView)

BEGIN_MESSAGE_MAP(CSampleTreeView, CTreeView)
ON_COMMAND(ID_SAMPLE_VIEWCMD, OnViewCommand)
ON_COMMAND(ID_SAMPLE_SHARED, OnShared)
ON_NOTIFY_REFLECT_EX(TVN_SELCHANGED, OnSelChanged)
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

CSampleTreeView::CSampleTreeView() { ++g_log.views; }

CSampleTreeView::~CSampleTreeView() {
    --g_log.views;
    ++g_log.viewsDeleted;
}

BOOL CSampleTreeView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    return CTreeView::PreCreateWindow(cs);
}

void CSampleTreeView::OnInitialUpdate() {
    ++m_nInitialUpdates;
    CTreeView::OnInitialUpdate();
    CTreeCtrl& tree = GetTreeCtrl();
    tree.DeleteAllItems();
    m_hFirst = tree.InsertItem("Computer");
    tree.InsertItem("COM1", m_hFirst);
    tree.InsertItem("COM2", m_hFirst);
    tree.Expand(m_hFirst, TVE_EXPAND);
}

void CSampleTreeView::OnUpdate(CView*, LPARAM lHint, CObject*) { m_hints.push_back(lHint); }

void CSampleTreeView::OnViewCommand() { Note("tree:view"); }
void CSampleTreeView::OnShared() { Note("tree:shared"); }

BOOL CSampleTreeView::OnSelChanged(NMHDR*, LRESULT* pResult) {
    Note("tree:selchanged");
    *pResult = 0;
    return !m_bLeaveSelChange;
}

LRESULT CSampleTreeView::OnHelpHitTest(WPARAM, LPARAM) { return 0x20099; }

IMPLEMENT_DYNCREATE(CSampleListView, CListView)

BEGIN_MESSAGE_MAP(CSampleListView, CListView)
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

CSampleListView::CSampleListView() { ++g_log.views; }

CSampleListView::~CSampleListView() {
    --g_log.views;
    ++g_log.viewsDeleted;
}

BOOL CSampleListView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= LVS_REPORT;
    return CListView::PreCreateWindow(cs);
}

void CSampleListView::OnInitialUpdate() {
    ++m_nInitialUpdates;
    CListView::OnInitialUpdate();
    CListCtrl& list = GetListCtrl();
    list.DeleteAllItems();
    while (list.DeleteColumn(0)) {}
    list.InsertColumn(0, "Instrument", LVCFMT_LEFT, 120);
    list.InsertColumn(1, "Value", LVCFMT_LEFT, 80);
    list.InsertItem(0, "Analyzer 1");
    list.SetItemText(0, 1, "20.9 %");
}

void CSampleListView::OnUpdate(CView*, LPARAM lHint, CObject*) { m_hints.push_back(lHint); }

LRESULT CSampleListView::OnHelpHitTest(WPARAM, LPARAM lParam) {
    m_lHelpHitPoint = lParam;
    return 0x2009A;
}

IMPLEMENT_DYNCREATE(CSamplePlainView, CView)

CSamplePlainView::CSamplePlainView() { ++g_log.views; }

CSamplePlainView::~CSamplePlainView() {
    --g_log.views;
    ++g_log.viewsDeleted;
}

void CSamplePlainView::OnDraw(CDC* pDC) {
    ++m_nDraws;
    CSampleDoc* pDoc = static_cast<CSampleDoc*>(GetDocument());
    if (pDoc != NULL) pDC->TextOut(2, 2, pDoc->m_text);
}

void CSamplePlainView::OnInitialUpdate() {
    ++m_nInitialUpdates;
    CView::OnInitialUpdate();
}

void CSamplePlainView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) {
    m_hints.push_back(lHint);
    CView::OnUpdate(pSender, lHint, pHint);
}

IMPLEMENT_DYNCREATE(CSampleBarsView, CView)

CSampleBarsView::CSampleBarsView() { ++g_log.views; }

CSampleBarsView::~CSampleBarsView() {
    --g_log.views;
    ++g_log.viewsDeleted;
}

void CSampleBarsView::OnDraw(CDC* pDC) { pDC->TextOut(2, 2, CString("bars")); }

void CSampleBarsView::OnInitialUpdate() {
    ++m_nInitialUpdates;
    CView::OnInitialUpdate();
}

// --- the splitter that replaces a pane's view ------------------------------------------

BOOL CSampleSplitter::ReplaceView(int row, int col, CRuntimeClass* pViewClass, SIZE size) {
    CView* pOld = static_cast<CView*>(GetPane(row, col));
    if (pOld == NULL || pOld->IsKindOf(pViewClass)) return FALSE;
    CDocument* pDoc = pOld->GetDocument();
    CFrameWnd* pFrame = GetParentFrame();
    BOOL bActive = pFrame->GetActiveView() == pOld || pFrame->GetActiveView() == NULL;
    // The document stays while its view goes.
    BOOL bAutoDelete = pDoc->m_bAutoDelete;
    pDoc->m_bAutoDelete = FALSE;
    pOld->DestroyWindow();
    pDoc->m_bAutoDelete = bAutoDelete;
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    if (!CreateView(row, col, pViewClass, size, &context)) return FALSE;
    CView* pNew = static_cast<CView*>(GetPane(row, col));
    if (bActive) pFrame->SetActiveView(pNew);
    RecalcLayout();
    pNew->OnInitialUpdate();
    pNew->SendMessage(WM_PAINT);
    return TRUE;
}

// --- frame ------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CSampleFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CSampleFrame, CFrameWnd)
ON_WM_CREATE()
ON_COMMAND(ID_SAMPLE_FRAMECMD, OnFrameCommand)
ON_COMMAND(ID_SAMPLE_DOCCMD, OnDocCommandInFrame)
ON_COMMAND(ID_SAMPLE_SHARED, OnShared)
ON_COMMAND(ID_SAMPLE_DISABLED, OnDisabledCommand)
ON_UPDATE_COMMAND_UI(ID_SAMPLE_DISABLED, OnUpdateDisabled)
ON_COMMAND(ID_SAMPLE_CHECKED, OnCheckedCommand)
ON_UPDATE_COMMAND_UI(ID_SAMPLE_CHECKED, OnUpdateChecked)
ON_COMMAND(ID_SAMPLE_TEXT, OnTextCommand)
ON_UPDATE_COMMAND_UI(ID_SAMPLE_TEXT, OnUpdateText)
ON_COMMAND_RANGE(ID_SAMPLE_LIST_FIRST, ID_SAMPLE_LIST_LAST, OnEntry)
ON_UPDATE_COMMAND_UI(ID_SAMPLE_LIST_FIRST, OnUpdateEntryList)
ON_COMMAND(ID_SAMPLE_AFTER_LIST, OnAfterList)
ON_UPDATE_COMMAND_UI(ID_SAMPLE_AFTER_LIST, OnUpdateAfterList)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_SAMPLE, OnUpdateIndicator)
ON_NOTIFY_EX(TVN_SELCHANGED, AFX_IDW_PANE_FIRST, OnTreeSelChanged)
ON_COMMAND(ID_CONTEXT_HELP, CFrameWnd::OnContextHelp)
ON_COMMAND(ID_HELP, CFrameWnd::OnHelp)
END_MESSAGE_MAP()

CSampleFrame::CSampleFrame() { ++g_log.frames; }

CSampleFrame::~CSampleFrame() {
    --g_log.frames;
    ++g_log.framesDeleted;
}

int CSampleFrame::OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_SAMPLE, ID_INDICATOR_SHORT,
                                      ID_INDICATOR_CAPS};
    if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_SAMPLE) ||
        !m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, 4))
        return -1;
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY |
                             CBRS_SIZE_DYNAMIC);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    return 0;
}

BOOL CSampleFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    // The program's layout: tree and list side by side above a third view.
    RECT rect;
    GetWindowRect(&rect);
    int W = rect.right - rect.left, H = rect.bottom - rect.top;
    m_sizeAtCreate.cx = W;
    m_sizeAtCreate.cy = H;
    if (!m_wndSplitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    m_wndSplitter.SetRowInfo(0, (int)(0.9 * H), 0);
    if (!m_wndSplitterTop.CreateStatic(&m_wndSplitter, 1, 2, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                       m_wndSplitter.IdFromRowCol(0, 0)))
        return FALSE;
    if (!m_wndSplitterTop.CreateView(0, 0, RUNTIME_CLASS(CSampleTreeView), CSize((int)(0.4 * W), 0),
                                     pContext) ||
        !m_wndSplitterTop.CreateView(0, 1, RUNTIME_CLASS(CSampleListView), CSize(0, 0), pContext) ||
        !m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(CSamplePlainView), CSize(W, (int)(0.2 * H)),
                                  pContext))
        return FALSE;
    m_pTreeView = static_cast<CSampleTreeView*>(m_wndSplitterTop.GetPane(0, 0));
    m_pListView = static_cast<CSampleListView*>(m_wndSplitterTop.GetPane(0, 1));
    m_pPlainView = static_cast<CSamplePlainView*>(m_wndSplitter.GetPane(1, 0));
    SetActiveView(m_pTreeView);
    m_pCurrentView = m_pTreeView;
    return TRUE;
}

CView* CSampleFrame::SwitchView(UINT nID) {
    if (nID == 119 && m_pSecondView == NULL) {
        m_pSecondView = new CSamplePlainView;
        CCreateContext context;
        context.m_pCurrentDoc = GetActiveDocument();
        RECT rect = {0, 0, 0, 0};
        if (!m_pSecondView->Create(NULL, "Instrument", WS_CHILD, rect, this, AFX_IDW_PANE_FIRST + 1,
                                   &context)) {
            m_pSecondView = NULL;
            return NULL;
        }
        m_pSecondView->OnInitialUpdate();
    }
    CView* pNew = nID == 119 ? (CView*)m_pSecondView : (CView*)m_pTreeView;
    CView* pOld = m_pCurrentView;
    if (pNew == pOld) return pNew;
    // The view that shows takes over the id, and with it the place, of the other.
    int nOldID = pOld->GetDlgCtrlID();
    pOld->SetDlgCtrlID(pNew->GetDlgCtrlID());
    pNew->SetDlgCtrlID(nOldID);
    pOld->ShowWindow(SW_HIDE);
    pNew->ShowWindow(SW_SHOW);
    SetActiveView(pNew);
    int nShow = nID == 119 ? SW_HIDE : SW_SHOW;
    m_wndSplitter.ShowWindow(nShow);
    m_wndSplitterTop.ShowWindow(nShow);
    RecalcLayout();
    pNew->Invalidate();
    m_pCurrentView = pNew;
    return pNew;
}

void CSampleFrame::OnFrameCommand() { Note("frame:frame"); }
void CSampleFrame::OnDocCommandInFrame() { Note("frame:doc"); }
void CSampleFrame::OnShared() { Note("frame:shared"); }
void CSampleFrame::OnDisabledCommand() { Note("frame:disabled"); }
void CSampleFrame::OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
void CSampleFrame::OnCheckedCommand() { m_bChecked = !m_bChecked; }
void CSampleFrame::OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bChecked ? 1 : 0); }
void CSampleFrame::OnTextCommand() {}

void CSampleFrame::OnUpdateText(CCmdUI* pCmdUI) {
    CString text;
    text.Format("Text %d", ++m_nTextUpdates);
    pCmdUI->SetText(text);
}

void CSampleFrame::OnEntry(UINT nID) {
    CString event;
    event.Format("frame:entry %u", nID);
    g_log.events.push_back((LPCSTR)event);
}

void CSampleFrame::OnUpdateEntryList(CCmdUI* pCmdUI) {
    // The entries take the place of the placeholder, the update loop going on behind them
    // (the program's menu entry list works this way).
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (pMenu == NULL) return;
    if (m_entries.empty()) {
        if (m_strEntryPlaceholder.IsEmpty())
            pMenu->GetMenuString(pCmdUI->m_nIndex, m_strEntryPlaceholder, MF_BYPOSITION);
        else
            pCmdUI->SetText(m_strEntryPlaceholder);
        pCmdUI->Enable(FALSE);
        return;
    }
    for (UINT nID = ID_SAMPLE_LIST_FIRST; nID <= ID_SAMPLE_LIST_LAST; nID++)
        pMenu->DeleteMenu(nID, MF_BYCOMMAND);
    UINT nID = pCmdUI->m_nID;
    for (const CString& entry : m_entries)
        pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_BYPOSITION | MF_STRING, nID++, entry);
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}

void CSampleFrame::OnAfterList() { Note("frame:after"); }

void CSampleFrame::OnUpdateAfterList(CCmdUI* pCmdUI) {
    m_nAfterListIndex = pCmdUI->m_nIndex;
    pCmdUI->SetCheck(1);
}

void CSampleFrame::OnUpdateIndicator(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bIndicatorOn); }

BOOL CSampleFrame::OnTreeSelChanged(UINT, NMHDR*, LRESULT*) {
    Note("frame:selchanged");
    return TRUE;
}

// --- application ---------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CSampleApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
ON_COMMAND(ID_APP_EXIT, CWinApp::OnAppExit)
ON_COMMAND(ID_HELP_INDEX, CWinApp::OnHelpIndex)
ON_COMMAND(ID_SAMPLE_APPCMD, OnAppCommand)
ON_COMMAND(ID_SAMPLE_FRAMECMD, OnFrameCommandInApp)
END_MESSAGE_MAP()

CSampleApp::CSampleApp() : CWinApp("Sample") {}

BOOL CSampleApp::InitInstance() {
    SetRegistryKey(SAMPLE_REGISTRY_KEY);
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_SAMPLE, RUNTIME_CLASS(CSampleDoc),
                                          RUNTIME_CLASS(CSampleFrame),
                                          RUNTIME_CLASS(CSamplePlainView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo)) return FALSE;
    return m_pMainWnd != NULL;
}

void CSampleApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    g_log.help.push_back(std::make_pair(dwData, nCmd));
    CWinApp::WinHelp(dwData, nCmd);
}

void CSampleApp::OnAppCommand() { Note("app:app"); }
void CSampleApp::OnFrameCommandInApp() { Note("app:frame"); }
