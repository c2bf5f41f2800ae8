// The flexible splitter.
#include "flexiblesplitterwnd.h"

IMPLEMENT_DYNCREATE(CFlexibleSplitterWnd, CSplitterWnd)

CFlexibleSplitterWnd::CFlexibleSplitterWnd() {}

BOOL CFlexibleSplitterWnd::ReplaceView(int row, int col, CRuntimeClass* pViewClass, SIZE size) {
    CWnd* pPane = GetPane(row, col);
    if (pPane == NULL || pViewClass == NULL || !pPane->IsKindOf(RUNTIME_CLASS(CView)) ||
        pPane->IsKindOf(pViewClass))
        return FALSE;
    CView* pOldView = (CView*)pPane;
    CDocument* pDoc = pOldView->GetDocument();
    CFrameWnd* pFrame = GetParentFrame();
    const BOOL bWasActive =
        pFrame != NULL && (pFrame->GetActiveView() == NULL || pFrame->GetActiveView() == pOldView);

    // The document stays while its view goes.
    if (pDoc != NULL) {
        const BOOL bAutoDelete = pDoc->m_bAutoDelete;
        pDoc->m_bAutoDelete = FALSE;
        pOldView->DestroyWindow();
        pDoc->m_bAutoDelete = bAutoDelete;
    } else {
        pOldView->DestroyWindow();
    }

    CCreateContext context;
    context.m_pNewViewClass = pViewClass;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewDocTemplate = pDoc != NULL ? pDoc->GetDocTemplate() : NULL;
    context.m_pCurrentFrame = pFrame;
    if (!CreateView(row, col, pViewClass, CSize(size), &context)) return FALSE;
    CView* pNewView = (CView*)GetPane(row, col);
    if (bWasActive && pFrame != NULL) pFrame->SetActiveView(pNewView);
    RecalcLayout();
    pNewView->OnInitialUpdate();
    pNewView->SendMessage(WM_PAINT, 0, 0);
    return TRUE;
}
