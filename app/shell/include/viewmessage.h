// The message pane of the main window: the analyzers' messages and the traffic light. Until
// it shows them it keeps only the request to rebuild its lists at the next update.
#pragma once

#include "vaskfc.h"

class CViewMessage : public CView {
    DECLARE_DYNCREATE(CViewMessage)
public:
    CViewMessage();
    void OnDraw(CDC* pDC) override;

    // The next update empties both lists and shows every state anew.
    void RequestRebuild() { m_nRebuildRequest = 1; }
    int IsRebuildRequested() const { return m_nRebuildRequest; }

protected:
    int m_nRebuildRequest;
};
