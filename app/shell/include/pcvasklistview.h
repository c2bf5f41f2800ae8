// The value list pane of the main window: the measured values of the analyzers, one row per
// component. An empty list until the view fills itself from the document's analyzers.
#pragma once

#include "vaskfc.h"

class CPCVaskListView : public CListView {
    DECLARE_DYNCREATE(CPCVaskListView)
public:
    CPCVaskListView();
};
