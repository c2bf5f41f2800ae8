// Documents, views and document templates.
//
// A document holds the data and the list of its views; UpdateAllViews tells every view but
// the sender. A view is a child window of a frame (or of a splitter in it) that shows its
// document; it deletes itself when its window ends, and the document closes when its last
// view goes unless m_bAutoDelete is cleared. A single-document template makes the one
// document, its frame and views, and reuses the document for File New and File Open.
#pragma once

#include "vaskfc_coll.h"
#include "vaskfc_ctrl.h"
#include "vaskfc_frame.h"

class CArchive;
class CDocTemplate;
class CFile;
class CFileException;

// What a frame or view is made with: passed as the creation parameter of the frame and of
// each view.
class VASKFC_API CCreateContext {
public:
    CCreateContext()
        : m_pNewViewClass(NULL),
          m_pCurrentDoc(NULL),
          m_pNewDocTemplate(NULL),
          m_pLastView(NULL),
          m_pCurrentFrame(NULL) {}

    CRuntimeClass* m_pNewViewClass;
    CDocument* m_pCurrentDoc;
    CDocTemplate* m_pNewDocTemplate;
    CView* m_pLastView;
    CFrameWnd* m_pCurrentFrame;
};

// --- CDocument -------------------------------------------------------------------------

class VASKFC_API CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    // Sets the title and rebuilds the titles of the document's frames.
    virtual void SetTitle(LPCSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // The full path; the title becomes the file's name; with bAddToMRU the path joins the
    // application's recent-file list.
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    virtual POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // OnUpdate of every view except pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);

    // Closes the document when its last view has gone and m_bAutoDelete is set.
    virtual void OnChangedViewList();
    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    // Reads the file through Serialize; FALSE (reported) when it cannot be read.
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    // Destroys the frames of the views and deletes the document when m_bAutoDelete.
    virtual void OnCloseDocument();
    virtual void ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving,
                                         UINT nIDPDefault);
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Asks whether to save a modified document; FALSE when the user cancels.
    virtual BOOL SaveModified();
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // Saves to the path, asking for one when it is empty or bReplace asks for a new one.
    virtual BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void UpdateFrameCounts();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList;
    BOOL m_bModified;
    BOOL m_bAutoDelete;  // delete the document when its last view goes
    BOOL m_bEmbedded;

    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();

protected:
    DECLARE_MESSAGE_MAP()
};

// --- printing (the least form: the print dialog, then one page after another) ----------

class VASKFC_API CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT nMinPage) { m_pd.nMinPage = (WORD)nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_pd.nMaxPage = (WORD)nMaxPage; }
    UINT GetMinPage() const { return m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pd.nMaxPage; }
    UINT GetFromPage() const { return m_pd.nFromPage; }
    UINT GetToPage() const { return m_pd.nToPage; }

    PRINTDLGA m_pd;  // the print dialog's record; hDC is the printer after DoPreparePrinting
    BOOL m_bDirect;  // the default printer without asking
    BOOL m_bPreview;
    BOOL m_bContinuePrinting;
    UINT m_nCurPage;
    RECT m_rectDraw;  // the printable area of the page being printed
    LPVOID m_lpUserData;
};

// --- CView -----------------------------------------------------------------------------

class VASKFC_API CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;  // leaves its document

    CDocument* GetDocument() const { return m_pDocument; }
    virtual void OnInitialUpdate();
    // Default: repaint.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual BOOL IsSelected(const CObject* pDocItem) const;

    // Printing: OnPreparePrinting (DoPreparePrinting asks for the printer), OnBeginPrinting,
    // OnPrepareDC and OnPrint (default OnDraw) per page, OnEndPrinting.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);

    // The splitter the view is a pane of, or NULL.
    static CSplitterWnd* PASCAL GetParentSplitter(const CWnd* pWnd, BOOL bAnyState);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

    void OnFilePrint();

    CDocument* m_pDocument;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    BOOL OnNextPaneCmd(UINT nID);
    void OnUpdateNextPaneMenu(CCmdUI* pCmdUI);

    friend class CDocument;
    DECLARE_MESSAGE_MAP()
};

// A view that is a control: the window is made of the control's class and the control
// paints it.
class VASKFC_API CCtrlView : public CView {
    DECLARE_DYNCREATE(CCtrlView)
public:
    CCtrlView(LPCSTR lpszClass = NULL, DWORD dwStyle = 0);
    void OnDraw(CDC* pDC) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    CString m_strClass;
    DWORD m_dwDefaultStyle;

protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class VASKFC_API CTreeView : public CCtrlView {
    DECLARE_DYNCREATE(CTreeView)
public:
    CTreeView();
    // The view's window seen as the tree control.
    CTreeCtrl& GetTreeCtrl() const;

protected:
    mutable CTreeCtrl m_wndTree;
};

class VASKFC_API CListView : public CCtrlView {
    DECLARE_DYNCREATE(CListView)
public:
    CListView();
    // The view's window seen as the list control.
    CListCtrl& GetListCtrl() const;

protected:
    mutable CListCtrl m_wndList;
};

// --- document templates ----------------------------------------------------------------

class VASKFC_API CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    // The parts of the template's string (nIDResource), separated by line feeds.
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };
    enum Confidence {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };

    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);
    ~CDocTemplate() override;

    virtual void LoadTemplate();
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;
    virtual CDocument* CreateNewDocument();
    // A frame of the template with the view class for pDoc; NULL (the frame gone) when
    // its creation fails.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    // A new document for a null path, else the file opened; NULL when that fails.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    virtual Confidence MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
};

class VASKFC_API CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

    CDocument* m_pOnlyDoc;
};
