// The tree pane.
#include "pcvasktreeview.h"

IMPLEMENT_DYNCREATE(CPCVaskTreeView, CTreeView)

CPCVaskTreeView::CPCVaskTreeView() {}
