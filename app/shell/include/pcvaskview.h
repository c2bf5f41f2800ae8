// The view class of the program's document template: a plain view that draws nothing.
#pragma once

#include "vaskfc.h"

class CPCVaskView : public CView {
    DECLARE_DYNCREATE(CPCVaskView)
public:
    CPCVaskView();
    void OnDraw(CDC* pDC) override;
};
