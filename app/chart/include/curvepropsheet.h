// The modeless curve sheet of the main frame: the curve settings and the curve page, whose
// window takes the frame's forwarded timer ticks. Until its option page exists it holds the
// curve page only.
#pragma once

#include "curvepage.h"
#include "curvesettings.h"

class CCurvePropSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CCurvePropSheet)
public:
    // The document's list of nodes (not owned); the caption's string id; the page to open on.
    CCurvePropSheet(CObList* pNodeList, UINT nIDCaption, CWnd* pParentWnd = NULL,
                    UINT iSelectPage = 0);

    // The page that draws the curves.
    CCurvePage* GetCurvePage() { return &m_curvePage; }
    CCurveSettings* GetSettings() { return &m_settings; }

protected:
    // The settings come first: the page keeps their address.
    CCurveSettings m_settings;
    CCurvePage m_curvePage;
};
