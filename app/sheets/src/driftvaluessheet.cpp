// The drift values sheet.
#include "driftvaluessheet.h"

IMPLEMENT_DYNAMIC(CDriftValuesSheet, CPropertySheet)

CDriftValuesSheet::CDriftValuesSheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CPropertySheet("Drift values", pParentWnd), m_pInstrument(pInstrument) {}
