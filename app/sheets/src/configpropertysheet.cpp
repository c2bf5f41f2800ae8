// The configuration sheet.
#include "configpropertysheet.h"

IMPLEMENT_DYNAMIC(CConfigPropertySheet, CPropertySheet)

CConfigPropertySheet::CConfigPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CPropertySheet("Configuration", pParentWnd), m_pInstrument(pInstrument) {}
