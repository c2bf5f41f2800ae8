// Frame windows, control bars (tool bar, status bar) and static splitters.
//
// A frame routes each command first to its active view (which passes it on to its
// document), then to its own map, then to the application. Menu items and bar buttons
// without a handler are disabled; update handlers run when a menu opens and, for the bars,
// whenever the program is idle.
#pragma once

#include "vaskfc_ctrl.h"
#include "vaskfc_ids.h"
#include "vaskfc_menu.h"
#include "vaskfc_wnd.h"

class CControlBar;
class CDocument;
class CSplitterWnd;
class CView;

// Styles of frames: the document's title joins the frame's title (before it with
// FWS_PREFIXTITLE).
#define FWS_ADDTOTITLE  0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS  0x00002000L

// The style of views in frames and splitters.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

// Styles of control bars (kept apart from the window styles they are given with).
#define CBRS_ALIGN_LEFT    0x1000L
#define CBRS_ALIGN_TOP     0x2000L
#define CBRS_ALIGN_RIGHT   0x4000L
#define CBRS_ALIGN_BOTTOM  0x8000L
#define CBRS_ALIGN_ANY     0xF000L
#define CBRS_BORDER_LEFT   0x0100L
#define CBRS_BORDER_TOP    0x0200L
#define CBRS_BORDER_RIGHT  0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY    0x0F00L
#define CBRS_TOOLTIPS      0x0010L
#define CBRS_FLYBY         0x0020L
#define CBRS_FLOAT_MULTI   0x0040L
#define CBRS_BORDER_3D     0x0080L
#define CBRS_HIDE_INPLACE  0x0008L
#define CBRS_SIZE_DYNAMIC  0x0004L
#define CBRS_SIZE_FIXED    0x0002L
#define CBRS_FLOATING      0x0001L
#define CBRS_GRIPPER       0x00400000L
#define CBRS_ORIENT_HORZ   (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT   (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY    (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL           0x0040FFFFL
#define CBRS_NOALIGN       0x00000000L
#define CBRS_LEFT          (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP           (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT         (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM        (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Styles of tool-bar buttons: the control's button style in the low word, its state in
// the high word, with TBBS_DISABLED for a button that is not enabled.
#define TBBS_BUTTON        MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR     MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX      MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP         MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP    MAKELONG(TBSTYLE_CHECKGROUP, 0)
#define TBBS_CHECKED       MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED       MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED      MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN        MAKELONG(0, TBSTATE_HIDDEN)

// Styles of status-bar panes. Other bits are kept as the program sets them.
#define SBPS_NORMAL    0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT    SBT_POPOUT
#define SBPS_OWNERDRAW SBT_OWNERDRAW
#define SBPS_DISABLED  0x04000000
#define SBPS_STRETCH   0x08000000

// The resource type of tool bars: version 1, button width, height, count, then the
// command id of each button (0 for a separator), all 16-bit.
#define RT_TOOLBAR MAKEINTRESOURCEA(241)

// --- CFrameWnd -------------------------------------------------------------------------

class VASKFC_API CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const RECT rectDefault;  // the system's default place and size

    CFrameWnd();
    ~CFrameWnd() override;

    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCSTR lpszMenuName = NULL,
                DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
    // Creates the frame from the resources nIDResource: the title (the text of the string
    // before its first line feed), menu, accelerators and icon.
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);

    // Makes the client: by default one view of pContext's view class, id AFX_IDW_PANE_FIRST.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // Places the bars and gives the rest to the AFX_IDW_PANE_FIRST child.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Sends the initial update to every view and shows the frame.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Shows the frame (-1: as it is, or normal when hidden) and brings it to the top.
    virtual void ActivateFrame(int nCmdShow = -1);

    CView* GetActiveView() const { return m_pViewActive; }
    // With bNotify the views hear of it (OnActivateView).
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }

    // Titles.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCSTR lpszDocName);
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }

    // Help line: the text of a command's string before its first line feed.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCSTR lpszText);
    void SetMessageText(UINT nID);
    virtual CWnd* GetMessageBar();
    // A menu command is highlighted now.
    BOOL IsTracking() const;

    // Docking: bars stay where they are created; these only record the sides allowed.
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);

    // Context-help mode (Shift+F1): the next click asks the window under it for its help
    // context (WM_HELPHITTEST), a menu command in the mode asks for its command help
    // (WM_COMMANDHELP); the application's WinHelp then shows it.
    BOOL CanEnterHelpMode() { return TRUE; }
    void ExitHelpMode();
    BOOL m_bHelpMode;

    HACCEL GetDefaultAccelerator() { return m_hAccelTable; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;

    HMENU m_hMenuDefault;  // the menu of the frame's resources
    HACCEL m_hAccelTable;
    UINT m_nIDHelp;          // the resource id; its help context is HID_BASE_RESOURCE + it
    UINT m_nIDTracking;      // the menu command highlighted now
    UINT m_nIDLastMessage;   // what the help line shows
    BOOL m_bAutoMenuEnable;  // disable items without handler
    int m_nWindow;           // the window number in the title, 0 for none
    DWORD m_dwDockStyle;
    CString m_strTitle;

    // The help commands, for the frames that map them.
    void OnContextHelp();
    void OnHelp();

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    void OnSysCommand(UINT nID, LPARAM lParam);
    BOOL OnQueryEndSession();
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    LRESULT OnExitHelpMode(WPARAM wParam, LPARAM lParam);
    LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);
    BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    BOOL OnBarCheck(UINT nID);
    void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

    // Runs the context-help mode until a click, a command or a cancel; the help context,
    // 0 when cancelled.
    DWORD_PTR RunHelpModeLoop();
    // The help context of the point (screen coordinates) by WM_HELPHITTEST from the deepest
    // window of this frame under it upwards.
    DWORD_PTR HelpContextFromPoint(HWND hWndStart, POINT ptScreen);

    CView* m_pViewActive;
    BOOL m_bInRecalcLayout;

    friend class CView;
    DECLARE_MESSAGE_MAP()
};

// --- CControlBar ---------------------------------------------------------------------

class VASKFC_API CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;

    int GetCount() const { return m_nCount; }
    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    // The sides the bar may dock on (recorded only: bars are not dragged).
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }
    BOOL IsFloating() const { return FALSE; }
    CFrameWnd* GetDockingFrame() const;

    // The size the bar needs: across the whole frame when bStretch, horizontal when bHorz.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Updates the bar's items through pTarget's update handlers.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    DWORD m_dwStyle;  // CBRS_ styles
    DWORD m_dwDockStyle;
    int m_cxLeftBorder, m_cxRightBorder;
    int m_cyTopBorder, m_cyBottomBorder;
    int m_nCount;
    BOOL m_bAutoDelete;  // delete the object when its window ends

protected:
    // Splits the control-bar styles off the window styles and creates the window.
    BOOL CreateBar(LPCSTR lpszClass, CWnd* pParentWnd, DWORD dwStyle, DWORD dwCtrlStyle, UINT nID);
    // Sends the help-line text for the item under the mouse (CBRS_FLYBY).
    void ShowFlyBy(INT_PTR nHit);
    // The bar's style changes (SetBarStyle).
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
    void PostNcDestroy() override;
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);

    INT_PTR m_nFlyByHit;  // the item whose text the help line shows, -1 for none

    DECLARE_MESSAGE_MAP()
};

// --- CToolBar ------------------------------------------------------------------------

class VASKFC_API CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    // The buttons of a tool-bar resource (RT_TOOLBAR) and the bitmap of the same id. FALSE
    // when either is missing or malformed.
    BOOL LoadToolBar(LPCSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCEA(nIDResource)); }
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEA(nIDResource)); }
    // One button per id, ID_SEPARATOR a separator; the images are taken in order.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    CToolBarCtrl& GetToolBarCtrl() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // The command id of the button under the point, -1 for none.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

protected:
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    HBITMAP m_hbmImageWell;
    SIZE m_sizeButton;
    SIZE m_sizeImage;
    mutable CToolBarCtrl m_wndCtrl;  // the same window, seen as the control
};

// --- CStatusBar ------------------------------------------------------------------------

class VASKFC_API CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    ~CStatusBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id: the string of the id gives its text and its width (the text's
    // width in the bar's font); ID_SEPARATOR gives a pane a quarter of the screen wide,
    // which takes the room left over when it is the first.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
    BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    // Keeps every bit of nStyle; the bar acts on the SBPS_ ones.
    void SetPaneStyle(int nIndex, UINT nStyle);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    struct Pane;
    Pane* m_pPanes;
    // Hands the panes' widths and texts to the control.
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// --- CSplitterWnd --------------------------------------------------------------------

// A window of rows and columns of panes with bars between them that the user drags. Static
// splitters get their panes once (CreateView); a pane's id is
// AFX_IDW_PANE_FIRST + row * 16 + column.
class VASKFC_API CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    // A view of the class in the pane; its size sets the ideal width of the column and
    // height of the row. The view deletes itself when creation fails.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, CSize sizeInit,
                            CCreateContext* pContext);
    virtual void DeleteView(int row, int col);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    // The window of the pane, NULL when there is none.
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);

    // Places the panes: each row and column at its ideal size (not below its minimum), the
    // last one takes the rest; a pane below its minimum is hidden.
    virtual void RecalcLayout();
    virtual CWnd* GetActivePane(int* pRow = NULL, int* pCol = NULL);
    virtual void SetActivePane(int row, int col, CWnd* pWnd = NULL);
    virtual BOOL CanActivateNext(BOOL bPrev = FALSE);
    virtual void ActivateNext(BOOL bPrev = FALSE);

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int m_cxSplitter, m_cySplitter;  // the width of the bars between panes

protected:
    struct RowColInfo {
        int nMinSize;
        int nIdealSize;
        int nCurSize;
    };
    RowColInfo* m_pRowInfo;
    RowColInfo* m_pColInfo;
    int m_nRows, m_nCols;
    // Dragging a bar.
    BOOL m_bTracking;
    int m_nTrackRow, m_nTrackCol;  // the bar below the row or right of the column, -1 none
    POINT m_ptTrackOffset;

    // The bar under a client point: row and column of the pane before it, -1 when none.
    void HitTestBar(POINT pt, int* pRow, int* pCol) const;
    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnCancelMode();

    DECLARE_MESSAGE_MAP()
};
