// The configuration sheet.
#include "configpropertysheet.h"

IMPLEMENT_DYNAMIC(CConfigPropertySheet, CHelpPropertySheet)

CConfigPropertySheet::CConfigPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CHelpPropertySheet("Configuration", pParentWnd), m_pInstrument(pInstrument) {}
