// CDocument, the document templates and CPrintInfo.
#include "internal.h"

#include <string.h>

#include <vector>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

namespace {

CString FileNameOf(const CString& path) { return path.Mid(path.ReverseFind('\\') + 1); }

// The frames that show the document, in the order of its views.
std::vector<CFrameWnd*> FramesOf(const CDocument* pDoc) {
    std::vector<CFrameWnd*> frames;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL;) {
        CFrameWnd* pFrame = pDoc->GetNextView(pos)->GetParentFrame();
        if (pFrame == NULL) continue;
        BOOL bKnown = FALSE;
        for (CFrameWnd* p : frames) bKnown = bKnown || p == pFrame;
        if (!bKnown) frames.push_back(pFrame);
    }
    return frames;
}

}  // namespace

// --- CDocument -------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument()
    : m_pDocTemplate(NULL), m_bModified(FALSE), m_bAutoDelete(TRUE), m_bEmbedded(FALSE) {}

CDocument::~CDocument() {
    // Views that are left no longer name the document.
    while (!m_viewList.IsEmpty()) ((CView*)m_viewList.RemoveHead())->m_pDocument = NULL;
    if (m_pDocTemplate != NULL) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle) {
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU) {
    char full[MAX_PATH * 4];
    DWORD n = lpszPathName != NULL ? GetFullPathNameA(lpszPathName, sizeof full, full, NULL) : 0;
    m_strPathName = (n > 0 && n < sizeof full) ? CString(full) : CString(lpszPathName);
    SetTitle(FileNameOf(m_strPathName));
    if (bAddToMRU) AfxGetApp()->AddToRecentFileList(m_strPathName);
}

CView* CDocument::GetNextView(POSITION& rPosition) const {
    return (CView*)m_viewList.GetNext(rPosition);
}

void CDocument::AddView(CView* pView) {
    if (pView == NULL || pView->m_pDocument == this) return;
    if (pView->m_pDocument != NULL) pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
    POSITION pos = m_viewList.Find(pView);
    if (pos == NULL) return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = NULL;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    for (POSITION pos = GetFirstViewPosition(); pos != NULL;) {
        CView* pView = GetNextView(pos);
        if (pView != pSender) pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList() {
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts() {
    // Several frames of one document are numbered in their titles.
    std::vector<CFrameWnd*> frames = FramesOf(this);
    int nFrame = 0;
    for (CFrameWnd* pFrame : frames) {
        pFrame->m_nWindow = frames.size() > 1 ? ++nFrame : 0;
        if (pFrame->m_hWnd != NULL && pFrame->GetActiveDocument() == this)
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName) {
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE);  // half read until it is read
    try {
        CWaitCursor wait;
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        ar.m_strFileName = lpszPathName;
        if (file.GetLength() != 0) Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName) {
    // Written to a new file beside the target, which replaces it only when it is complete:
    // a save that fails leaves the file as it was.
    CString path = lpszPathName;
    CString folder = path.Left(path.ReverseFind('\\') + 1);
    char temp[MAX_PATH * 4];
    if (!GetTempFileNameA(folder.IsEmpty() ? "." : (LPCSTR)folder, "vfc", 0, temp)) {
        LONG lError = (LONG)GetLastError();
        CFileException fe(CFileException::OsErrorToException(lError), lError, lpszPathName);
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    CFile file;
    CFileException fe;
    if (!file.Open(temp, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe)) {
        DeleteFileA(temp);
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    try {
        CWaitCursor wait;
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        ar.m_strFileName = lpszPathName;
        Serialize(ar);
        ar.Close();
        file.Close();
        if (!MoveFileExA(temp, lpszPathName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            CFileException::ThrowOsError((LONG)GetLastError(), lpszPathName);
    } catch (CException* e) {
        file.Abort();
        DeleteFileA(temp);
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving,
                                        UINT nIDPDefault) {
    char text[512] = "";
    CString message;
    if (e != NULL && e->GetErrorMessage(text, sizeof text)) message = text;
    if (message.IsEmpty()) {
        message = vfc::FrameworkString(
            nIDPDefault != 0 ? nIDPDefault
                             : (bSaving ? AFX_IDP_FAILED_TO_SAVE_DOC : AFX_IDP_FAILED_TO_OPEN_DOC));
        if (lpszPathName != NULL && *lpszPathName != '\0') {
            message += "\n";
            message += lpszPathName;
        }
    }
    AfxMessageBox(message, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument() {
    // The views go with their frames; meanwhile their going must not delete the document.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* pView = (CView*)m_viewList.GetHead();
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        }
        // A view without a frame, or one its frame did not take down, goes by itself.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView) {
            if (pView->m_hWnd != NULL) pView->DestroyWindow();
            if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView) RemoveView(pView);
        }
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame) {
    // Another frame still shows the document: nothing is lost.
    for (CFrameWnd* p : FramesOf(this))
        if (p != pFrame) return TRUE;
    return SaveModified();
}

BOOL CDocument::SaveModified() {
    if (!IsModified()) return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : FileNameOf(m_strPathName);
    if (name.IsEmpty()) name = vfc::FrameworkString(AFX_IDS_UNTITLED);
    CString prompt = vfc::FrameworkString(AFX_IDP_ASK_TO_SAVE);
    prompt.Replace("%1", name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
        case IDCANCEL: return FALSE;
        case IDYES: return DoFileSave();
        default: return TRUE;
    }
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::DoFileSave() {
    // A file that cannot be written is saved under a new name.
    DWORD dwAttrib =
        m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(m_strPathName);
    if (m_strPathName.IsEmpty() ||
        (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_READONLY)))
        return DoSave(NULL);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace) {
    CString newName = lpszPathName;
    if (newName.IsEmpty()) {
        // Ask for a name, offering the title with the template's extension.
        newName = m_strPathName;
        if (bReplace && newName.IsEmpty()) {
            newName = m_strTitle;
            static const char kInvalid[] = " #%;/\\:*?\"<>|";
            for (int i = 0; i < newName.GetLength(); i++)
                if (strchr(kInvalid, newName[i]) != NULL) {
                    newName = newName.Left(i);
                    break;
                }
            CString ext;
            if (m_pDocTemplate != NULL &&
                m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty())
                newName += ext;
        }
        if (!AfxGetApp()->DoPromptFileName(
                newName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(newName)) return FALSE;
    if (bReplace) SetPathName(newName);
    return TRUE;
}

void CDocument::OnFileClose() {
    if (!SaveModified()) return;
    OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }
void CDocument::OnFileSaveAs() { DoSave(NULL); }

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// --- CDocTemplate ----------------------------------------------------------------------

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {}

CDocTemplate::~CDocTemplate() {}

void CDocTemplate::LoadTemplate() {
    if (m_strDocStrings.IsEmpty()) AfxLoadString(m_nIDResource, m_strDocStrings);
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = NULL; }

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const {
    // The index-th piece of the template's string, pieces separated by line feeds.
    rString.Empty();
    int nStart = 0;
    for (int i = 0; i < (int)index; i++) {
        int nBreak = m_strDocStrings.Find('\n', nStart);
        if (nBreak < 0) return FALSE;
        nStart = nBreak + 1;
    }
    int nEnd = m_strDocStrings.Find('\n', nStart);
    rString = nEnd < 0 ? m_strDocStrings.Mid(nStart) : m_strDocStrings.Mid(nStart, nEnd - nStart);
    return TRUE;
}

CDocument* CDocTemplate::CreateNewDocument() {
    if (m_pDocClass == NULL || !m_pDocClass->IsDerivedFrom(RUNTIME_CLASS(CDocument))) return NULL;
    CDocument* pDoc = static_cast<CDocument*>(m_pDocClass->CreateObject());
    if (pDoc != NULL) AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
    if (m_pFrameClass == NULL || !m_pFrameClass->IsDerivedFrom(RUNTIME_CLASS(CFrameWnd)))
        return NULL;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
    if (pFrame == NULL) return NULL;
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
        return NULL;  // the frame deleted itself
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
        if (!GetNextDoc(pos)->SaveModified()) return FALSE;
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;) {
        CDocument* pDoc = GetNextDoc(pos);  // the position moves on before the document goes
        pDoc->OnCloseDocument();
    }
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch) {
    rpDocMatch = NULL;
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;) {
        CDocument* pDoc = GetNextDoc(pos);
        if (pDoc->GetPathName().CompareNoCase(lpszPathName) == 0) {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString ext;
    if (GetDocString(ext, filterExt) && !ext.IsEmpty()) {
        CString path = lpszPathName;
        if (path.GetLength() >= ext.GetLength() &&
            path.Right(ext.GetLength()).CompareNoCase(ext) == 0)
            return yesAttemptNative;
    }
    return yesAttemptForeign;
}

BOOL CDocTemplate::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// --- CSingleDocTemplate ------------------------------------------------------------------

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                       CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(NULL) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    if (m_pOnlyDoc != NULL) m_pOnlyDoc->m_pDocTemplate = NULL;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
    return m_pOnlyDoc == NULL ? NULL : (POSITION)m_pOnlyDoc;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
    CDocument* pDoc = (CDocument*)rPos;
    rPos = NULL;
    return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
    if (m_pOnlyDoc != NULL) return;  // one document only
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
    if (pDoc != m_pOnlyDoc) return;
    CDocTemplate::RemoveDocument(pDoc);
    m_pOnlyDoc = NULL;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    CString title;
    if (!GetDocString(title, docName) || title.IsEmpty())
        title = vfc::FrameworkString(AFX_IDS_UNTITLED);
    pDocument->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible) {
    CDocument* pDocument = m_pOnlyDoc;
    CFrameWnd* pFrame = NULL;
    BOOL bCreated = FALSE;
    if (pDocument != NULL) {
        // The one document is used again, in its frame.
        if (!pDocument->SaveModified()) return NULL;
        POSITION pos = pDocument->GetFirstViewPosition();
        if (pos != NULL) pFrame = pDocument->GetNextView(pos)->GetParentFrame();
    } else {
        pDocument = CreateNewDocument();
        if (pDocument == NULL) {
            AfxMessageBox(vfc::FrameworkString(AFX_IDP_FAILED_TO_CREATE_DOC), MB_ICONEXCLAMATION);
            return NULL;
        }
        bCreated = TRUE;
    }
    if (pFrame == NULL) {
        // A failing frame must not take the document with it.
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, NULL);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (pFrame == NULL) {
            AfxMessageBox(vfc::FrameworkString(AFX_IDP_FAILED_TO_CREATE_DOC), MB_ICONEXCLAMATION);
            if (bCreated) delete pDocument;
            return NULL;
        }
    }
    if (lpszPathName == NULL) {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible) pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument()) {
            if (bCreated) pFrame->DestroyWindow();  // takes the document with it
            return NULL;
        }
    } else {
        CWaitCursor wait;
        BOOL bWasModified = pDocument->IsModified();
        pDocument->SetModifiedFlag(FALSE);
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            if (bCreated) {
                pFrame->DestroyWindow();
            } else if (!pDocument->IsModified()) {
                pDocument->SetModifiedFlag(bWasModified);
            } else {
                // The old contents are gone: the document starts anew.
                SetDefaultTitle(pDocument);
                pDocument->OnNewDocument();
            }
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }
    CWinThread* pThread = AfxGetThread();
    if (bCreated && pThread != NULL && pThread->m_pMainWnd == NULL) pThread->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

// --- CPrintInfo ------------------------------------------------------------------------

CPrintInfo::CPrintInfo()
    : m_bDirect(FALSE),
      m_bPreview(FALSE),
      m_bContinuePrinting(TRUE),
      m_nCurPage(1),
      m_lpUserData(NULL) {
    memset(&m_pd, 0, sizeof m_pd);
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = PD_ALLPAGES | PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 0xFFFF;
    SetRectEmpty(&m_rectDraw);
}

CPrintInfo::~CPrintInfo() {
    if (m_pd.hDC != NULL) DeleteDC(m_pd.hDC);
    if (m_pd.hDevMode != NULL) GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames != NULL) GlobalFree(m_pd.hDevNames);
}
