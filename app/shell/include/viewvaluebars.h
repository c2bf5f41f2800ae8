// The value-bars pane that takes the value list's place while an analyzer is selected: one
// bar per component. Empty until the view shows the selected analyzer's values.
#pragma once

#include "vaskfc.h"

class CViewValueBars : public CView {
    DECLARE_DYNCREATE(CViewValueBars)
public:
    CViewValueBars();
    void OnDraw(CDC* pDC) override;
};
