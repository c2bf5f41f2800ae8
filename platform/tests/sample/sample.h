// A sample program on the class library: a single-document template, a frame with menu,
// keys, tool bar and status bar, and nested static splitters holding a tree, a list and a
// plain view (the layout the program's main frame has). Its objects note what reaches them,
// so that the tests can follow commands, updates and lifetimes.
#pragma once

#include "vaskfc.h"
#include "sample_res.h"

#include <string>
#include <utility>
#include <vector>

// What the sample's objects saw.
struct SampleLog {
    std::vector<std::string> events;               // "tree: view command", "frame: shared", ...
    std::vector<std::pair<DWORD_PTR, UINT>> help;  // the application's WinHelp calls
    int documents = 0, frames = 0, views = 0;      // objects alive
    int documentsDeleted = 0, framesDeleted = 0, viewsDeleted = 0;
    void Clear() { *this = SampleLog(); }
};
extern SampleLog g_log;

class CSampleDoc : public CDocument {
    DECLARE_DYNCREATE(CSampleDoc)
public:
    CSampleDoc();
    ~CSampleDoc() override;
    void Serialize(CArchive& ar) override;
    void DeleteContents() override;

    CString m_text;
    int m_nDeleteContents = 0;
    BOOL m_bFailStore = FALSE;  // storing throws half way, as a full disk would

protected:
    void OnDocCommand();
    DECLARE_MESSAGE_MAP()
};

// Views note their initial updates and the hints they get.
class CSampleTreeView : public CTreeView {
    DECLARE_DYNCREATE(CSampleTreeView)
public:
    CSampleTreeView();
    ~CSampleTreeView() override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    int m_nInitialUpdates = 0;
    std::vector<LPARAM> m_hints;
    BOOL m_bLeaveSelChange = FALSE;  // the reflected handler leaves TVN_SELCHANGED to the parent
    HTREEITEM m_hFirst = NULL;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnViewCommand();
    void OnShared();
    BOOL OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CSampleListView : public CListView {
    DECLARE_DYNCREATE(CSampleListView)
public:
    CSampleListView();
    ~CSampleListView() override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    int m_nInitialUpdates = 0;
    std::vector<LPARAM> m_hints;
    LPARAM m_lHelpHitPoint = -1;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CSamplePlainView : public CView {
    DECLARE_DYNCREATE(CSamplePlainView)
public:
    CSamplePlainView();
    ~CSamplePlainView() override;
    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    int m_nInitialUpdates = 0;
    int m_nDraws = 0;
    std::vector<LPARAM> m_hints;
};

// The view that can take the list view's pane.
class CSampleBarsView : public CView {
    DECLARE_DYNCREATE(CSampleBarsView)
public:
    CSampleBarsView();
    ~CSampleBarsView() override;
    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;

    int m_nInitialUpdates = 0;
};

// A splitter that replaces the view of a pane and keeps the document.
class CSampleSplitter : public CSplitterWnd {
public:
    BOOL ReplaceView(int row, int col, CRuntimeClass* pViewClass, SIZE size);
};

class CSampleFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CSampleFrame)
public:
    CSampleFrame();
    ~CSampleFrame() override;

    // Shows the view with the id for view 2 or the second view for view 119, as the
    // program's view switch does (the views swap their ids).
    CView* SwitchView(UINT nID);

    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CSplitterWnd m_wndSplitter;
    CSampleSplitter m_wndSplitterTop;
    CSampleTreeView* m_pTreeView = NULL;
    CSampleListView* m_pListView = NULL;
    CSamplePlainView* m_pPlainView = NULL;
    CSamplePlainView* m_pSecondView = NULL;  // the other view of SwitchView, made on demand
    CView* m_pCurrentView = NULL;
    SIZE m_sizeAtCreate = {0, 0};

    BOOL m_bChecked = TRUE;
    BOOL m_bIndicatorOn = TRUE;
    int m_nTextUpdates = 0;
    std::vector<CString> m_entries;     // the dynamic entries of the Sample menu
    UINT m_nAfterListIndex = (UINT)-1;  // where the update loop met the item after the list

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnFrameCommand();
    void OnDocCommandInFrame();
    void OnShared();
    void OnDisabledCommand();
    void OnUpdateDisabled(CCmdUI* pCmdUI);
    void OnCheckedCommand();
    void OnUpdateChecked(CCmdUI* pCmdUI);
    void OnTextCommand();
    void OnUpdateText(CCmdUI* pCmdUI);
    void OnEntry(UINT nID);
    void OnUpdateEntryList(CCmdUI* pCmdUI);
    void OnAfterList();
    void OnUpdateAfterList(CCmdUI* pCmdUI);
    void OnUpdateIndicator(CCmdUI* pCmdUI);
    BOOL OnTreeSelChanged(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CString m_strEntryPlaceholder;
};

class CSampleApp : public CWinApp {
public:
    CSampleApp();
    BOOL InitInstance() override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;

protected:
    void OnAppCommand();
    void OnFrameCommandInApp();
    DECLARE_MESSAGE_MAP()
};

// The registry key of the sample's profile.
#define SAMPLE_REGISTRY_KEY "VaskfcSample"
