// The parameter sheet.
#include "parameterpropertysheet.h"

IMPLEMENT_DYNAMIC(CParameterPropertySheet, CPropertySheet)

CParameterPropertySheet::CParameterPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CPropertySheet("Parameters", pParentWnd), m_pInstrument(pInstrument) {}
