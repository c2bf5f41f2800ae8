// The document template's view.
#include "pcvaskview.h"

IMPLEMENT_DYNCREATE(CPCVaskView, CView)

// The class library has no print preview of views: Print Preview stays unmapped.
BEGIN_MESSAGE_MAP(CPCVaskView, CView)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
END_MESSAGE_MAP()

CPCVaskView::CPCVaskView() {}

void CPCVaskView::OnDraw(CDC*) { (void)GetDocument(); }

BOOL CPCVaskView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

void CPCVaskView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CPCVaskView::OnEndPrinting(CDC*, CPrintInfo*) {}
