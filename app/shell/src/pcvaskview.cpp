// The document template's view.
#include "pcvaskview.h"

IMPLEMENT_DYNCREATE(CPCVaskView, CView)

CPCVaskView::CPCVaskView() {}

void CPCVaskView::OnDraw(CDC*) {}
