// The tree pane of the main window: the networks, converters and analyzers of the document.
// An empty tree until the view fills itself from the document's nodes.
#pragma once

#include "vaskfc.h"

class CPCVaskTreeView : public CTreeView {
    DECLARE_DYNCREATE(CPCVaskTreeView)
public:
    CPCVaskTreeView();
};
