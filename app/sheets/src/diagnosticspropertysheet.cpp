// The diagnostics sheet.
#include "diagnosticspropertysheet.h"

IMPLEMENT_DYNAMIC(CDiagnosticsPropertySheet, CPropertySheet)

CDiagnosticsPropertySheet::CDiagnosticsPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CPropertySheet("Diagnostics", pParentWnd), m_pInstrument(pInstrument) {}
