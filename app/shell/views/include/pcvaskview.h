// The view class of the program's document template: a plain view that draws nothing of its
// own and offers the class library's printing commands. The main window's panes are views of
// their own; the program never shows this one.
#pragma once

#include "vaskfc.h"

class CPCVaskView : public CView {
    DECLARE_DYNCREATE(CPCVaskView)
public:
    CPCVaskView();
    void OnDraw(CDC* pDC) override;

protected:
    // The print dialog of the class library.
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    DECLARE_MESSAGE_MAP()
};
