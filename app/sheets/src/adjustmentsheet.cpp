// The adjustment sheet.
#include "adjustmentsheet.h"

IMPLEMENT_DYNAMIC(CAdjustmentSheet, CHelpPropertySheet)

CAdjustmentSheet::CAdjustmentSheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CHelpPropertySheet("Adjustment", pParentWnd), m_pInstrument(pInstrument) {}
