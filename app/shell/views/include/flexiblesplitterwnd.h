// The main window's splitter whose panes can take a view of another class while keeping
// the document: the value pane changes between the value list and the value bars.
#pragma once

#include "vaskfc.h"

class CFlexibleSplitterWnd : public CSplitterWnd {
    DECLARE_DYNCREATE(CFlexibleSplitterWnd)
public:
    CFlexibleSplitterWnd();

    // Puts a new view of `pViewClass` (of `size`) in the pane, on the document of the view
    // there, active when the old one was; TRUE when it replaced the view, FALSE when the
    // pane holds a view of that class already (or no view).
    BOOL ReplaceView(int row, int col, CRuntimeClass* pViewClass, SIZE size);
};
