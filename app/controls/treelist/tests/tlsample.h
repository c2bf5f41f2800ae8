// The tree-list control's sample: an analyzer's parameter groups as the instrument view
// shows them in compare mode (current value and the loaded parameter set), group rows in
// bold, rows marked by the comparison, in a window narrow enough for the scroll bar.
#pragma once

#include "treelist.h"

class CTLSampleWnd : public CWnd {
public:
    CTLSampleWnd();
    ~CTLSampleWnd() override;
    // A visible top-level window with the filled control over its client area.
    BOOL CreateSample();
    CTLFrame& Frame() { return m_frame; }

protected:
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void Fill();

    CFont m_font;
    CTLFrame m_frame;
};
