// The drift values sheet.
#include "driftvaluessheet.h"

IMPLEMENT_DYNAMIC(CDriftValuesSheet, CHelpPropertySheet)

CDriftValuesSheet::CDriftValuesSheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CHelpPropertySheet("Drift values", pParentWnd), m_pInstrument(pInstrument) {}
