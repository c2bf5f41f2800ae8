// The curve page of the curve sheet, on template 151: the live diagram of the measured
// values, which takes a sample at every timer tick that the main frame forwards to it.
// Until it draws the diagram it shows its empty page only.
#pragma once

#include "vaskfc.h"

class CCurveSettings;

class CCurvePage : public CPropertyPage {
    DECLARE_DYNAMIC(CCurvePage)
public:
    enum { IDD = 151 };

    // The document's list of nodes and the sheet's settings; neither is owned.
    CCurvePage(CObList* pNodeList, CCurveSettings* pSettings);

protected:
    CObList* m_pNodeList;
    CCurveSettings* m_pSettings;
};
