// The adjustment sheet.
#include "adjustmentsheet.h"

IMPLEMENT_DYNAMIC(CAdjustmentSheet, CPropertySheet)

CAdjustmentSheet::CAdjustmentSheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CPropertySheet("Adjustment", pParentWnd), m_pInstrument(pInstrument) {}
