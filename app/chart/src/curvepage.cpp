// The curve page.
#include "curvepage.h"

IMPLEMENT_DYNAMIC(CCurvePage, CPropertyPage)

CCurvePage::CCurvePage(CObList* pNodeList, CCurveSettings* pSettings)
    : CPropertyPage(IDD), m_pNodeList(pNodeList), m_pSettings(pSettings) {}
