// The value-bars pane.
#include "viewvaluebars.h"

IMPLEMENT_DYNCREATE(CViewValueBars, CView)

CViewValueBars::CViewValueBars() {}

void CViewValueBars::OnDraw(CDC*) {}
