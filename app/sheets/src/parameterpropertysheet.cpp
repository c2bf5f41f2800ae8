// The parameter sheet.
#include "parameterpropertysheet.h"

IMPLEMENT_DYNAMIC(CParameterPropertySheet, CHelpPropertySheet)

CParameterPropertySheet::CParameterPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CHelpPropertySheet("Parameters", pParentWnd), m_pInstrument(pInstrument) {}
