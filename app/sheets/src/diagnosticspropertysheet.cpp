// The diagnostics sheet.
#include "diagnosticspropertysheet.h"

IMPLEMENT_DYNAMIC(CDiagnosticsPropertySheet, CHelpPropertySheet)

CDiagnosticsPropertySheet::CDiagnosticsPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CHelpPropertySheet("Diagnostics", pParentWnd), m_pInstrument(pInstrument) {}
