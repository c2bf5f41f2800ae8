// The curve sheet.
#include "curvepropsheet.h"

IMPLEMENT_DYNAMIC(CCurvePropSheet, CPropertySheet)

CCurvePropSheet::CCurvePropSheet(CObList* pNodeList, UINT nIDCaption, CWnd* pParentWnd,
                                 UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage), m_curvePage(pNodeList, &m_settings) {
    AddPage(&m_curvePage);
}
