// The value list pane.
#include "pcvasklistview.h"

IMPLEMENT_DYNCREATE(CPCVaskListView, CListView)

CPCVaskListView::CPCVaskListView() {}
